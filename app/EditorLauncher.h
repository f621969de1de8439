#pragma once
#include <utility>

#include "master/MasterInstall.h"
#include "platform/Host.h"

// The sequence every master editor of the program follows: the application's master is copied
// into the dialog, the dialog runs modally on the copy, and only after OK and a Yes to the
// question (exclamation icon) does the edited copy take the master's place and get saved through
// the store (master/MasterInstall.h), which reports a refused lock or a failed write itself. A
// master whose save fails keeps what it was, so memory always matches the file.

// Runs an editor dialog that works on copies; true when it ended with OK and the question was
// answered Yes.
template <class Dialog>
bool RunEditorAndConfirm(Dialog& dialog, const char* question) {
    if (dialog.DoModal() != IDOK) return false;
    return AfxMessageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES;
}

enum class EditorResult { kCancelled, kSaved, kNotSaved };

// The whole sequence for an editor of one master: seed(dialog, master) copies the master in,
// take(dialog) gives the edited copy back.
template <class Root, class Dialog, class Seed, class Take>
EditorResult EditMaster(CMasterDataStore& store, Dialog& dialog, const char* question, Seed seed, Take take) {
    seed(dialog, std::as_const(MasterOf<Root>::Get(store)));
    if (!RunEditorAndConfirm(dialog, question)) return EditorResult::kCancelled;
    Root edited = take(dialog);
    return InstallEditedMaster(store, edited) ? EditorResult::kSaved : EditorResult::kNotSaved;
}
