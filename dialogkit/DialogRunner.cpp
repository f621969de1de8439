#include "dialogkit/DialogRunner.h"

#include <QDialog>

namespace {

class ExecRunner : public IDialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

ExecRunner g_exec;
IDialogRunner* g_runner = nullptr;

}  // namespace

IDialogRunner& DialogRunner() { return g_runner ? *g_runner : g_exec; }

IDialogRunner* SetDialogRunner(IDialogRunner* runner) {
    IDialogRunner* previous = g_runner;
    g_runner = runner;
    return previous;
}
