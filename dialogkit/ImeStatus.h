#pragma once

class QWidget;

// Turns the input method of a widget on or off; nothing for a null widget.
void SetImeOpenStatus(QWidget* widget, bool open);
