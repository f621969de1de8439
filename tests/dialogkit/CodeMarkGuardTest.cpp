// Tests of dialogkit/CodeMarkGuard.h: a character read with a code mark is one character to Backspace,
// and what the program copies reaches the clipboard without marks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "EventWait.h"
#include "dialogkit/CodeMarkGuard.h"
#include "dialogkit/ZoEdit.h"
#include "platform/Cp932.h"

namespace {

// "a纊b" with 纊 read from ED 40, its code in NEC's selection: the character carries a mark.
const QString kMarked = QString::fromStdString(vemo::Cp932ToUtf8("a\xED\x40" "b"));

}  // namespace

TEST(CodeMarkGuard, BackspaceDeletesAMarkedCharacterWithItsMark) {
    CCodeMarkGuard::Install();
    QWidget form;
    auto* field = new CZo_Edit(&form);
    auto* combo = new QComboBox(&form);
    combo->setEditable(true);
    auto* remarks = new QPlainTextEdit(&form);
    auto* layout = new QVBoxLayout(&form);
    for (QWidget* w : std::initializer_list<QWidget*>{field, combo, remarks}) layout->addWidget(w);
    form.show();
    struct Case {
        QWidget* widget;
        std::function<void()> setBeforeB;  // the text, the cursor after the marked character
        std::function<QString()> text;
    } cases[] = {
        {field, [&] { field->setText(kMarked), field->setCursorPosition(4); }, [&] { return field->text(); }},
        {combo, [&] { combo->setEditText(kMarked), combo->lineEdit()->setCursorPosition(4); },
         [&] { return combo->currentText(); }},
        {remarks,
         [&] {
             remarks->setPlainText(kMarked);
             QTextCursor cursor = remarks->textCursor();
             cursor.setPosition(4);
             remarks->setTextCursor(cursor);
         },
         [&] { return remarks->toPlainText(); }},
    };
    for (const Case& c : cases) {
        c.setBeforeB();
        QTest::keyClick(c.widget, Qt::Key_Backspace);
        EXPECT_EQ(c.text(), QStringLiteral("ab")) << c.widget->metaObject()->className();
    }
}

TEST(CodeMarkGuard, CopiedTextReachesTheClipboardWithoutMarks) {
    CCodeMarkGuard::Install();
    CZo_Edit field;
    field.setText(kMarked);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text() == QStringLiteral("a纊b"); }, kHangMs))
        << QGuiApplication::clipboard()->text().size();
}
