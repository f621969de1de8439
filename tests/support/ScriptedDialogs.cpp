// Test support for the tests of support/: ScriptedDialogs.
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The result a dialog holds while no one has closed it.
constexpr int kStillOpen = INT_MIN;

// Rejected and IDCANCEL both mean Cancel.
int Normalised(int result) { return result == QDialog::Rejected ? IDCANCEL : result; }

}  // namespace

ScriptedDialogs::ScriptedDialogs() : m_previous(SetDialogRunner(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogRunner(m_previous);
    for (const Expectation& e : m_expected) ADD_FAILURE() << "expected dialog never opened: " << e.className;
}

int ScriptedDialogs::Run(QDialog& dialog) {
    const char* className = dialog.metaObject()->className();
    classes.push_back(className);
    titles.push_back(dialog.windowTitle());
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << className << " \"" << dialog.windowTitle().toStdString() << "\"";
        return QDialog::Rejected;
    }
    // Taken off the queue first: the handler may open further dialogs of its own.
    Expectation next = std::move(m_expected.front());
    m_expected.pop_front();
    if (!next.matches(dialog)) {
        ADD_FAILURE() << "expected dialog " << next.className << ", opened " << className;
        return QDialog::Rejected;
    }

    dialog.setResult(kStillOpen);
    const int answer = next.handle(dialog);
    if (dialog.result() == kStillOpen) {
        if (answer == IDOK)
            dialog.accept();
        else if (answer == IDCANCEL)
            dialog.reject();
        else
            dialog.done(answer);
    }
    if (dialog.result() == kStillOpen) {
        ADD_FAILURE() << className << " stayed open when answered with " << answer;
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    if (Normalised(dialog.result()) != Normalised(answer))
        ADD_FAILURE() << className << " closed with " << dialog.result() << ", the handler answered " << answer;
    return dialog.result();
}
