#pragma once

class QDialog;

// Runs the modal dialogs of the whole process. The program keeps the default, which runs the
// dialog's own event loop (exec); tests install a scripted runner that answers each dialog without
// showing it.
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // Runs the dialog modally; returns the value it closed with (QDialog::Accepted, QDialog::Rejected
    // or a value of the dialog's own).
    virtual int Run(QDialog& dialog) = 0;
};

// The installed runner; without one, the default that runs exec().
IDialogRunner& DialogRunner();
// Installs a runner (null restores the default); returns the one installed before.
IDialogRunner* SetDialogRunner(IDialogRunner* runner);
