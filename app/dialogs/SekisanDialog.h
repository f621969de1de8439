#pragma once
#include <QDialog>

class QAbstractButton;

// The common base of the system's data-entry dialogs. Enter moves the focus to the next control
// instead of closing the dialog, except on OK, Cancel and other buttons (which Enter presses) and
// inside a grid (where Enter belongs to the grid).
class CSekisanDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSekisanDialog(QWidget* parent = nullptr);
    ~CSekisanDialog() override;

    // A widget that takes Enter itself as a grid does; its children (in-place editors) too.
    static void MarkAsGrid(QWidget* widget);
    static bool IsGrid(const QWidget* widget);

protected:
    // Dialogs where Enter keeps its plain dialog meaning (it presses the default button).
    void SetEnterMovesFocus(bool moves) { m_enterMovesFocus = moves; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_enterMovesFocus = true;
};
