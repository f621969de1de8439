#pragma once
#include <utility>

#include "master/MasterCommandSupport.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "platform/Host.h"

// The sequence every master editor of the program follows: the application's master is copied
// into the dialog, the dialog runs modally on the copy, and only after OK and a Yes to the
// question (exclamation icon) does the edited copy take the master's place and get saved through
// the store, which reports a refused lock or a failed write itself. A master whose save fails
// keeps what it was, so memory always matches the file.

// Where the store keeps each master, how it saves it and which edit lock guards its file.
template <class Root>
struct MasterOf;
template <>
struct MasterOf<CBukakeFile> {
    static CBukakeFile& Get(CMasterDataStore& s) { return s.GetBukakeFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeBukakeFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockBukake;
};
template <>
struct MasterOf<CHenkaritsuFile> {
    static CHenkaritsuFile& Get(CMasterDataStore& s) { return s.GetHenkaritsuFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeHenkaritsuFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockHenkaritsu;
};
template <>
struct MasterOf<CTankaFile> {
    static CTankaFile& Get(CMasterDataStore& s) { return s.GetTankaFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeTankaFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockTanka;
};
template <>
struct MasterOf<CShokeihiFile> {
    static CShokeihiFile& Get(CMasterDataStore& s) { return s.GetShokeihiFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeShokeihiFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockShokeihi;
};
template <>
struct MasterOf<CProgramKingakuFile> {
    static CProgramKingakuFile& Get(CMasterDataStore& s) { return s.GetProgramKingakuFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeProgramKingakuFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockProgramKingaku;
};
template <>
struct MasterOf<CZairyoTankaFile> {
    static CZairyoTankaFile& Get(CMasterDataStore& s) { return s.GetZairyoTankaFile(); }
    static int Save(CMasterDataStore& s) { return s.SerializeZairyoTankaFile(1, nullptr, ""); }
    static constexpr CMasterDataStore::LockId kLock = CMasterDataStore::kLockZairyoTanka;
};

// Runs an editor dialog that works on copies; true when it ended with OK and the question was
// answered Yes.
template <class Dialog>
bool RunEditorAndConfirm(Dialog& dialog, const char* question) {
    if (dialog.DoModal() != IDOK) return false;
    return AfxMessageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES;
}

// Puts an edited copy in place of the application's master and saves it; false (the store has
// told the user why, the master is as before) when the save failed.
template <class Root>
bool InstallEditedMaster(CMasterDataStore& store, Root& edited) {
    return InstallAndSave(MasterOf<Root>::Get(store), edited, [&store] { return MasterOf<Root>::Save(store) == 1; });
}

// Two masters saved together, first then second: neither is saved unless this program holds
// both edit locks, and when the second save fails the first is put back as it was, in memory and
// on disk, so that the pair never goes out of step.
template <class First, class Second>
bool InstallEditedMasters(CMasterDataStore& store, First& editedFirst, Second& editedSecond) {
    if (store.GetLockOwner(MasterOf<First>::kLock) != 1 || store.GetLockOwner(MasterOf<Second>::kLock) != 1) {
        AfxMessageBox(mastertext::kSaveRefused, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    First previous = MasterOf<First>::Get(store);
    if (!InstallEditedMaster(store, editedFirst)) return false;
    if (InstallEditedMaster(store, editedSecond)) return true;
    InstallEditedMaster(store, previous);
    return false;
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
