// Tests of dialogkit/CodeMarkGuard.h: a character read with a code mark is one character to Backspace,
// and what the program copies reaches the clipboard without marks.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "EventWait.h"
#include "dialogkit/CodeMarkGuard.h"
#include "dialogkit/ZoEdit.h"
#include "platform/Cp932.h"

// "a纊b" with 纊 read from ED 40, its code in NEC's selection: the character carries a mark.
static const QString kMarked = QString::fromStdString(vemo::Cp932ToUtf8("a\xED\x40" "b"));

TEST(CodeMarkGuard, BackspaceDeletesAMarkedCharacterWithItsMark) {
    CCodeMarkGuard::Install();
    CZo_Edit field;
    QComboBox combo;
    combo.setEditable(true);
    QPlainTextEdit remarks(kMarked);
    field.setText(kMarked);
    combo.setEditText(kMarked);
    field.setCursorPosition(4);  // after the mark
    combo.lineEdit()->setCursorPosition(4);
    QTextCursor cursor = remarks.textCursor();
    cursor.setPosition(4);
    remarks.setTextCursor(cursor);
    for (QWidget* widget : std::initializer_list<QWidget*>{&field, &combo, &remarks})
        QTest::keyClick(widget, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), QStringLiteral("ab"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("ab"));
    EXPECT_EQ(remarks.toPlainText(), QStringLiteral("ab"));
}

TEST(CodeMarkGuard, CopiedTextReachesTheClipboardWithoutMarks) {
    CCodeMarkGuard::Install();
    CZo_Edit field;
    field.setText(kMarked);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text() == QStringLiteral("a纊b"); }, kHangMs));
}
