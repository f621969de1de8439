#include "dialogkit/CodeMarkGuard.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/Cp932.h"

namespace {

// Whether the characters before pos end in a code mark (a surrogate pair in UTF-16).
bool MarkBefore(const QString& text, int pos) {
    if (pos < 2 || pos > text.size()) return false;
    const QChar high = text[pos - 2], low = text[pos - 1];
    return high.isHighSurrogate() && low.isLowSurrogate() && vemo::IsCp932CodeMark(QChar::surrogateToUcs4(high, low));
}

// Qt's Backspace takes one code point, so that an accent can be taken off its letter; a code mark is
// no accent, and the character goes with it, as Delete and the cursor already take the two as one.
bool BackspaceLineEdit(QLineEdit* edit) {
    if (!edit || edit->isReadOnly() || edit->hasSelectedText() || !MarkBefore(edit->text(), edit->cursorPosition()))
        return false;
    edit->cursorBackward(true);  // the whole character: base and mark
    edit->backspace();
    return true;
}

bool BackspaceTextEdit(QPlainTextEdit* edit) {
    if (!edit || edit->isReadOnly()) return false;
    QTextCursor cursor = edit->textCursor();
    if (cursor.hasSelection() || !MarkBefore(cursor.block().text(), cursor.positionInBlock())) return false;
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit->setTextCursor(cursor);
    return true;
}

// Whether the clipboard's data of that mode is the program's own. Data another program put there is
// never fetched for this. A platform without a clipboard shared with other programs (offscreen)
// names no owner and holds only the program's own.
bool OwnData(const QClipboard& clipboard, QClipboard::Mode mode) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return true;
    switch (mode) {
    case QClipboard::Clipboard: return clipboard.ownsClipboard();
    case QClipboard::Selection: return clipboard.ownsSelection();
    case QClipboard::FindBuffer: return clipboard.ownsFindBuffer();
    }
    return false;
}

}  // namespace

void CCodeMarkGuard::Install() {
    auto* app = QGuiApplication::instance();
    if (!app || app->findChild<CCodeMarkGuard*>(QString(), Qt::FindDirectChildrenOnly)) return;
    app->installEventFilter(new CCodeMarkGuard(app));
}

CCodeMarkGuard::CCodeMarkGuard(QObject* parent) : QObject(parent) {
    // After the copy has finished: the data it set is not replaced while it is being set.
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &CCodeMarkGuard::DropMarksFrom,
            Qt::QueuedConnection);
}

bool CCodeMarkGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shift+Backspace deletes as Backspace does.
    if (key->key() != Qt::Key_Backspace || (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) return false;
    // An editable combo box passes its keys to its line edit itself.
    if (auto* combo = qobject_cast<QComboBox*>(watched)) return BackspaceLineEdit(combo->lineEdit());
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) return BackspaceLineEdit(edit);
    return BackspaceTextEdit(qobject_cast<QPlainTextEdit*>(watched));
}

void CCodeMarkGuard::DropMarksFrom(QClipboard::Mode mode) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!OwnData(*clipboard, mode)) return;
    const QMimeData* data = clipboard->mimeData(mode);
    if (!data || !data->hasText()) return;
    const QByteArray text = data->text().toUtf8();
    const std::string plain = vemo::WithoutCp932CodeMarks(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (plain.size() != static_cast<size_t>(text.size())) clipboard->setText(QString::fromStdString(plain), mode);
}
