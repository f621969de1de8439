#include "app/dialogs/SekisanDialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace {
constexpr const char* kGridProperty = "vemoGrid";
}

CSekisanDialog::CSekisanDialog(QWidget* parent) : QDialog(parent) {
    // Key presses reach the focused control first; the filter sees them before it does.
    qApp->installEventFilter(this);
}

CSekisanDialog::~CSekisanDialog() = default;

void CSekisanDialog::MarkAsGrid(QWidget* widget) { widget->setProperty(kGridProperty, true); }

bool CSekisanDialog::IsGrid(const QWidget* widget) {
    if (!widget) return false;
    return widget->property(kGridProperty).toBool() || qobject_cast<const QAbstractItemView*>(widget);
}

bool CSekisanDialog::eventFilter(QObject* watched, QEvent* event) {
    if (!m_enterMovesFocus || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return QDialog::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != this) return QDialog::eventFilter(watched, event);
    QWidget* focus = focusWidget();
    if (focus != target) return QDialog::eventFilter(watched, event);

    // Buttons (OK, Cancel and every other kind) keep Enter: it presses them.
    if (qobject_cast<QAbstractButton*>(focus)) return false;
    // So does a grid, and whatever lies inside one (the cell editor).
    for (QWidget* w = focus; w && w != this; w = w->parentWidget())
        if (IsGrid(w)) return false;

    focusNextChild();
    return true;
}
