#pragma once

#include <initializer_list>

class QPushButton;
class QVBoxLayout;
class QWidget;

// A push button of an editor: its text from the text table, an object name the tests find it by,
// and never pressed by Enter.
QPushButton* MakeEditorButton(QWidget* parent, const char* text, const char* name);

// The button column beside an editor's grid: its buttons from the top, OK and Cancel at the foot.
QVBoxLayout* MakeEditorButtonColumn(std::initializer_list<QPushButton*> buttons, QPushButton* ok,
                                    QPushButton* cancel);
