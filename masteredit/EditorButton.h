#pragma once

class QPushButton;
class QWidget;

// A push button of an editor: its text from the text table, an object name the tests find it by,
// and never pressed by Enter.
QPushButton* MakeEditorButton(QWidget* parent, const char* text, const char* name);
