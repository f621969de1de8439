#pragma once
#include "master/MasterCommandSupport.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"

// Putting edited copies of masters in place of the application's and saving them, as the editors'
// launchers and the manual imports do: a master whose save fails keeps what it was, so memory
// always matches the file.

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
