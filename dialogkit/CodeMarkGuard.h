#pragma once
#include <QClipboard>
#include <QObject>

// Keeps the code marks of texts read from CP932 (platform/Cp932.h) inside the program. In a text
// field a character and its mark are one character to Backspace, as Qt makes them one to Delete and
// the cursor; text the program puts on the clipboard or the selection goes there without marks.
// The program installs the one guard at its start; it watches every field and grid.
class CCodeMarkGuard : public QObject {
    Q_OBJECT
public:
    // Installs the guard of the running application; once installed, a call does nothing.
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CCodeMarkGuard(QObject* parent);
    void DropMarksFrom(QClipboard::Mode mode);
};
