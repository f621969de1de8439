// The scripted dialog runner itself: how tests answer dialogs, and that every slip in a script
// fails the test.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QPushButton>

#include "ScriptedDialogs.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/InputDialogs.h"
#include "dialogkit/ZoEdit.h"

namespace {

CZo_Edit* Field(QWidget& w, const char* name) { return w.findChild<CZo_Edit*>(QString::fromLatin1(name)); }

// Asks for a name as a caller would; the name typed, or "" when cancelled.
QString AskName(const QString& proposal) {
    CNameEditDlg dialog;
    dialog.SetAction(CNameEditDlg::Copy);
    dialog.SetName(proposal);
    return dialog.DoModal() == IDOK ? dialog.GetName() : QString();
}

TEST(ScriptedDialogs, HandlersSeeTheInitialisedDialogAndAnswerIt) {
    ScriptedDialogs dialogs;
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& dlg) {
        // After OnInitDialog: the caption of the action and the proposal in the field.
        EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(dialogtext::kActionCopy));
        EXPECT_EQ(Field(dlg, "name")->text(), QStringLiteral("案"));
        Field(dlg, "name")->setText(QStringLiteral("入力"));
        return IDOK;
    });
    dialogs.Expect<CNameEditDlg>([](CNameEditDlg& dlg) {
        Field(dlg, "name")->setText(QStringLiteral("捨てる"));
        return IDCANCEL;
    });
    EXPECT_EQ(AskName(QStringLiteral("案")), QStringLiteral("入力"));  // accept stored the field
    EXPECT_EQ(AskName(QStringLiteral("案")), QString());
    EXPECT_EQ(dialogs.Pending(), 0u);
    const QString copy = QString::fromUtf8(dialogtext::kActionCopy);
    EXPECT_EQ(dialogs.titles, (std::vector<QString>{copy, copy}));

    // A handler may close the dialog itself, with a button of its own, or give a value of the
    // dialog's own.
    dialogs.Expect<CNumberInputDlg>([](CNumberInputDlg& dlg) {
        Field(dlg, "number")->setText(QStringLiteral("12.5"));
        dlg.findChild<QPushButton*>(QStringLiteral("auto"))->click();
        return IDOK;
    });
    CNumberInputDlg rate;
    rate.SetMode(7);
    EXPECT_EQ(rate.DoModal(), IDOK);
    EXPECT_EQ(rate.GetAuto(), 1);
    EXPECT_EQ(rate.GetValue(), 1250);

    dialogs.Expect<CTitleEditDlg>(1298);
    CTitleEditDlg title;
    EXPECT_EQ(title.DoModal(), 1298);
}

TEST(ScriptedDialogs, ScriptSlipsFailTheTest) {
    // A dialog nobody expected: failed and cancelled, never shown.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            EXPECT_EQ(AskName(QStringLiteral("案")), QString());
        },
        "unexpected dialog: CNameEditDlg");
    // A dialog of another type than the next expected one.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.Expect<CTitleEditDlg>(IDOK);
            EXPECT_EQ(AskName(QStringLiteral("案")), QString());
        },
        "expected dialog CTitleEditDlg, opened CNameEditDlg");
    // An expectation never met.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.Expect<CNameEditDlg>(IDOK);
        },
        "expected dialog never opened: CNameEditDlg");
    // A handler that closes the dialog otherwise than it answers.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.Expect<CNameEditDlg>([](CNameEditDlg& dlg) {
                dlg.reject();
                return IDOK;
            });
            AskName(QStringLiteral("案"));
        },
        "closed with 0, the handler answered 1");
}

TEST(ScriptedDialogs, TheRunnerBeforeComesBack) {
    IDialogRunner* before = &DialogRunner();
    {
        ScriptedDialogs outer;
        {
            ScriptedDialogs inner;
            EXPECT_EQ(&DialogRunner(), &inner);
        }
        EXPECT_EQ(&DialogRunner(), &outer);
    }
    EXPECT_EQ(&DialogRunner(), before);
}

}  // namespace
