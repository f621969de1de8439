#include "dialogkit/ImeStatus.h"

#include <QWidget>

void SetImeOpenStatus(QWidget* widget, bool open) {
    if (widget) widget->setAttribute(Qt::WA_InputMethodEnabled, open);
}
