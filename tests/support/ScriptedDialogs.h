// Test support for the tests of support/: ScriptedDialogs.
#pragma once
#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogkit/DialogRunner.h"
#include "platform/Host.h"

// A dialog runner for tests: answers the dialogs a test expects, in order, without showing them.
// It installs itself on construction and restores the previous runner when destroyed. A dialog
// nobody expected, a dialog of another type than the next expected one, and an expectation left
// over at the end fail the test.
//
//     ScriptedDialogs dialogs;
//     dialogs.Expect<CNameEditDlg>([](CNameEditDlg& dlg) {
//         EXPECT_EQ(dlg.GetName(), QStringLiteral("参考マスター25"));
//         dlg.findChild<CZo_Edit*>(QStringLiteral("name"))->setText(QStringLiteral("自社"));
//         return IDOK;
//     });
//     ... code that opens the dialog with DoModal() ...
class ScriptedDialogs : public IDialogRunner {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Expects a dialog of type D next. The handler gets it after its OnInitDialog, may set its
    // fields or read its getters, and returns how it closes: IDOK runs the dialog's accept (which
    // may refuse, failing the test), IDCANCEL its reject, any other value closes it with that value.
    // A handler that closes the dialog itself (say, by clicking a button) returns the value it
    // closed with.
    template <class D>
    void Expect(std::function<int(D&)> handler) {
        m_expected.push_back({D::staticMetaObject.className(),
                              [](QDialog& dialog) { return dynamic_cast<D*>(&dialog) != nullptr; },
                              [handler = std::move(handler)](QDialog& dialog) {
                                  return handler(dynamic_cast<D&>(dialog));
                              }});
    }
    // Expects a dialog of type D next and closes it with result without looking at it.
    template <class D>
    void Expect(int result) {
        Expect<D>([result](D&) { return result; });
    }

    // Expectations not yet met.
    size_t Pending() const { return m_expected.size(); }

    // The class names and window titles of the dialogs run so far, in order.
    std::vector<std::string> classes;
    std::vector<QString> titles;

    int Run(QDialog& dialog) override;

private:
    struct Expectation {
        const char* className;
        std::function<bool(QDialog&)> matches;
        std::function<int(QDialog&)> handle;
    };
    std::deque<Expectation> m_expected;
    IDialogRunner* m_previous;
};
