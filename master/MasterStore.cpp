#include "master/MasterStore.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <utility>

#include "formix/Formix.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/LockFile.h"
#include "platform/NumberText.h"

using vemo::JoinPath;

namespace {

const char kMasterFolderName[] = "データ格納";
const char kDefaultMasterSet[] = "参考マスター25";
const char kZairyoTankaStem[] = "材料単価データ25";
const char kZairyoTankaExt[] = ".zoa";

void Warn(const std::string& text) { AfxMessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation); }

bool IsNetworkFileSystem(unsigned long type) {
    switch (type) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x65735546:  // FUSE (sshfs and other user-space mounts)
        case 0x564C:      // NCP
        case 0x73757245:  // Coda
        case 0x5346414F:  // AFS
        case 0x6B414653:  // kAFS
        case 0x00C36400:  // Ceph
        case 0x0BD00BD0:  // Lustre
        case 0x47504653:  // GPFS
            return true;
        default:
            return false;
    }
}

bool IsOpticalFileSystem(unsigned long type) { return type == 0x9660 /* ISO 9660 */ || type == 0x15013346 /* UDF */; }

// The block device behind the path, or its whole disk for a partition, is marked removable.
bool IsOnRemovableDevice(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path dev = fs::canonical("/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" +
                                     std::to_string(minor(st.st_dev)),
                                 ec);
    if (ec) return false;
    for (const fs::path& dir : {dev, dev.parent_path()}) {
        std::ifstream in(dir / "removable");
        char c = 0;
        if (in >> c) return c == '1';
    }
    return false;
}

}  // namespace

DriveKind ClassifyDrive(const std::string& path) {
    if (path.empty() || path[0] != '/') return DriveKind::unknown;
    struct statfs sf {};
    if (::statfs(path.c_str(), &sf) != 0) return DriveKind::unknown;
    unsigned long type = static_cast<unsigned long>(sf.f_type) & 0xFFFFFFFFul;
    if (IsNetworkFileSystem(type)) return DriveKind::network;
    if (IsOpticalFileSystem(type) || IsOnRemovableDevice(path)) return DriveKind::removable;
    return DriveKind::fixed;
}

namespace {

// Tells this store's locks from those of another store of the same process.
std::string NewHolderToken() {
    std::random_device random;
    char text[17];
    std::snprintf(text, sizeof text, "%08x%08x", static_cast<unsigned>(random()), static_cast<unsigned>(random()));
    return text;
}

}  // namespace

CMasterDataStore::CMasterDataStore(std::string programFolder)
    : m_programFolder(vemo::NormalizePath(programFolder)), m_holder(NewHolderToken()) {
    m_masterDataFolder = DefaultMasterDataFolder();
    m_zairyoTankaPath = DefaultZairyoTankaPath();
}

CMasterDataStore::~CMasterDataStore() { ReleaseAllLocks(); }

std::string CMasterDataStore::DefaultMasterDataFolder() const {
    return JoinPath(JoinPath(m_programFolder, kMasterFolderName), kDefaultMasterSet);
}

std::string CMasterDataStore::DefaultZairyoTankaPath() const {
    return JoinPath(JoinPath(m_programFolder, kMasterFolderName), std::string(kZairyoTankaStem) + kZairyoTankaExt);
}

std::string CMasterDataStore::GetDataFolder() const { return vemo::ParentFolder(m_masterDataFolder); }

std::string CMasterDataStore::GetBukakePath() const { return JoinPath(m_masterDataFolder, "歩掛データ.soa"); }
std::string CMasterDataStore::GetHenkaritsuPath() const { return JoinPath(m_masterDataFolder, "変化率データ.soa"); }
std::string CMasterDataStore::GetTankaPath() const { return JoinPath(GetDataFolder(), "単価データ.daa"); }
std::string CMasterDataStore::GetShokeihiPath() const { return JoinPath(GetDataFolder(), "諸経費データ.daa"); }
std::string CMasterDataStore::GetProgramKingakuPath() const {
    return JoinPath(GetDataFolder(), "プログラム金額データ.daa");
}
std::string CMasterDataStore::GetHyoshiPath() const {
    return JoinPath(JoinPath(m_programFolder, kMasterFolderName), "表紙データ.daa");
}

std::string CMasterDataStore::LockPath(LockId id) const {
    switch (id) {
        case kLockBukake: return GetBukakePath();
        case kLockHenkaritsu: return GetHenkaritsuPath();
        case kLockTanka: return GetTankaPath();
        case kLockShokeihi: return GetShokeihiPath();
        case kLockProgramKingaku: return GetProgramKingakuPath();
        case kLockZairyoTanka: return m_zairyoTankaPath;
        default: return {};
    }
}

const char* CMasterDataStore::EditorNames(LockId id) {
    switch (id) {
        case kLockBukake: return mastertext::kEditorBukake;
        case kLockHenkaritsu: return mastertext::kEditorHenkaritsu;
        case kLockTanka: return mastertext::kEditorTanka;
        case kLockShokeihi: return mastertext::kEditorShokeihi;
        case kLockProgramKingaku: return mastertext::kEditorProgramKingaku;
        case kLockZairyoTanka: return mastertext::kEditorZairyoTanka;
        default: return "";
    }
}

// ---------------------------------------------------------------------------------------------
// Edit locks

CMasterDataStore::LockStep::LockStep(CMasterDataStore& store)
    : m_store(store), m_own(store.m_stepWaits.empty() || store.m_waitWindowBusy) {
    if (!m_own) return;
    auto wait = std::make_unique<vemo::LockWait>();
    if (store.m_stepWaits.empty()) {
        wait->onPause = [&store](vemo::LockWait::Duration waited, vemo::LockWait::Duration budget) {
            store.ShowLockWait(waited, budget);
        };
        wait->onWaitOver = [&store] { store.m_waitWindow.reset(); };
    }
    store.m_stepWaits.push_back(std::move(wait));
    // The steps this one begins are part of it.
    m_windowWasBusy = std::exchange(store.m_waitWindowBusy, false);
}

CMasterDataStore::LockStep::~LockStep() {
    if (!m_own) return;
    m_store.m_waitWindowBusy = m_windowWasBusy;
    m_store.m_stepWaits.pop_back();
    if (m_store.m_stepWaits.empty()) m_store.m_waitWindow.reset();
}

// The progress window of the outermost step's wait: opened at its first pause, filled as the wait is
// spent. While it handles events the window stays, whatever those events do.
void CMasterDataStore::ShowLockWait(vemo::LockWait::Duration waited, vemo::LockWait::Duration budget) {
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(m_waitWindowBusy);
    if (!m_waitWindow) {
        m_waitWindow = Host().CreateProgress("");
        if (!m_waitWindow) return;
        m_waitWindow->SetStatus(mastertext::kWaitingForLockFiles);
        m_waitWindow->SetRange(0, 100);
        m_waitShown = 0;
    }
    const int percent = budget.count() > 0 ? static_cast<int>(waited * 100 / budget) : 100;
    m_waitWindow->SetStep(percent - m_waitShown);
    m_waitWindow->StepIt();
    m_waitShown = percent;
    if (m_waitWindow->CheckCancelButton()) m_stepWaits.front()->GiveUp();
}

int CMasterDataStore::Lock(LockId id, int mode, int setOwner) {
    if (id < 0 || id >= kLockCount) return 0;
    if (mode != 0 && mode != 1) return 0;
    if (mode == 0 && m_lockOwner[id] != 1) return 0;
    LockStep step(*this);
    // A release goes to the file this process marked, even when the path has changed since.
    std::string path = (mode == 0 && !m_lockedPath[id].empty()) ? m_lockedPath[id] : LockPath(id);
    if (mode == 1) m_lockFault[id] = {{}, vemo::LockFilePath(path)};
    if (!vemo::FileExists(path)) return 0;
    bool marked = vemo::IsReadOnlyMarked(path);
    if (mode == 1 ? marked : !marked) return 0;
    if (!(mode == 1 ? TakeLockFile(path, m_lockFault[id].error) : ReleaseLockFile(path, setOwner == 1))) return 0;
    if (mode == 1)
        m_lockedPath[id] = path;
    else
        m_lockedPath[id].clear();
    if (setOwner == 1) m_lockOwner[id] = mode == 1 ? 1 : 0;
    return 1;
}

vemo::LockOwner CMasterDataStore::Self() const { return {vemo::ThisProcess(), m_holder}; }

// Takes the lock file of an unmarked file and marks the file. The lock file is created in one
// exclusive step, so of two copies that found the file unmarked together only one gets it. A lock
// file there already may be this store's own (a release that kept it while a file was written) or
// one whose program has ended and whose file was unmarked since; either is taken. Any other holder,
// or one that cannot be told, keeps it. A lock file that cannot be used leaves its fault in fault.
bool CMasterDataStore::TakeLockFile(const std::string& path, vemo::LockFileError& fault) {
    const std::string lockPath = vemo::LockFilePath(path);
    switch (vemo::CreateLockFile(lockPath, Self(), &fault, StepWait())) {
        case vemo::LockFileResult::created:
            if (vemo::SetReadOnlyMark(path, true)) return true;
            {
                vemo::LockFileHold hold(lockPath, vemo::LockFileHold::Mode::exclusive, false, StepWait());
                if (hold.Held() && hold.Owner() == Self()) hold.Remove();
            }
            return false;
        case vemo::LockFileResult::failed: return false;
        case vemo::LockFileResult::exists: break;
    }
    vemo::LockFileHold hold(lockPath, vemo::LockFileHold::Mode::exclusive, false, StepWait());
    fault = hold.Error();
    const std::optional<vemo::LockOwner> owner = hold.Owner();
    if (!owner || vemo::IsReadOnlyMarked(path)) return false;
    if (*owner != Self()) {
        if (vemo::CheckProcess(owner->process) != vemo::Liveness::gone) return false;
        if (!hold.Rewrite(Self())) {
            // The ended program's record is gone with the failed write; a file naming no one would
            // keep every copy from the lock.
            fault = hold.Error();
            hold.Remove();
            return false;
        }
    }
    return vemo::SetReadOnlyMark(path, true);
}

// Unmarks a file whose lock file names this store; the lock file goes too unless the release is
// only for writing the file (keep), when it keeps others from taking the unmarked file.
bool CMasterDataStore::ReleaseLockFile(const std::string& path, bool removeLockFile) {
    vemo::LockFileHold hold(vemo::LockFilePath(path), vemo::LockFileHold::Mode::exclusive, false, StepWait());
    if (hold.Owner() != Self() || !vemo::SetReadOnlyMark(path, false)) return false;
    if (removeLockFile) hold.Remove();
    return true;
}

// Whether this store holds a master's lock, hold being on its lock file: it owns it, the file is
// still marked and the lock file still names this store (a take-over by another copy rewrote it).
bool CMasterDataStore::HoldsLock(LockId id, const vemo::LockFileHold& hold) const {
    if (id < 0 || id >= kLockCount || m_lockOwner[id] != 1) return false;
    const std::string path = m_lockedPath[id].empty() ? LockPath(id) : m_lockedPath[id];
    return vemo::FileExists(path) && vemo::IsReadOnlyMarked(path) && hold.Owner() == Self();
}

std::string CMasterDataStore::OwnLockFilePath(LockId id) const {
    return vemo::LockFilePath(m_lockedPath[id].empty() ? LockPath(id) : m_lockedPath[id]);
}

void CMasterDataStore::ReleaseAllLocks() {
    LockStep step(*this);
    for (int id = 0; id < kLockCount; ++id) {
        Lock(static_cast<LockId>(id), 0, 1);
        m_lockOwner[id] = 0;
        m_lockedPath[id].clear();
    }
}

// ---------------------------------------------------------------------------------------------
// Loads and saves

template <class Root>
int CMasterDataStore::LoadInto(Root& target, const std::string& path) {
    std::string bytes, reason;
    // What is not a regular file cannot be opened as a master; a file larger than any real master
    // is refused unread, as a damaged one. Both say why.
    switch (vemo::ReadWholeFile(path, vemo::kDataFileLimit, bytes, &reason)) {
        case vemo::ReadResult::read: break;
        case vemo::ReadResult::missing: Warn(path + mastertext::kMasterMissingCannotRun); return 0;
        case vemo::ReadResult::unreadable:
        case vemo::ReadResult::notAFile: Warn(path + mastertext::kMasterMissingCannotRun + "\n" + reason); return 0;
        case vemo::ReadResult::tooLarge: Warn(path + mastertext::kFileUnreadable + "\n" + reason); return 0;
    }
    switch (LoadMasterFromBytes(target, std::move(bytes))) {
        case MasterLoadResult::loaded: return 1;
        case MasterLoadResult::foreignSignature: return 0;  // the master has told the user
        case MasterLoadResult::corrupt:
            Warn(path + mastertext::kFileUnreadable);
            return 0;
    }
    return 0;
}

template <class Root>
int CMasterDataStore::Save(Root& root, const std::string& path, int lockId, SaveOf of) {
    // The lock is checked, not lifted: the new file takes the old one's read-only mark with it when
    // it replaces it, so the master is never writable, not even when the program dies mid-save. The
    // lock file is held while the file is written, so that a take-over by another copy either comes
    // first (and this save is refused) or waits until the file is in place.
    LockStep step(*this);
    std::optional<vemo::LockFileHold> hold;
    if (lockId >= 0) {
        LockId id = static_cast<LockId>(lockId);
        hold.emplace(OwnLockFilePath(id), vemo::LockFileHold::Mode::shared, false, StepWait());
        if (!HoldsLock(id, *hold)) {
            Warn(mastertext::kSaveRefused);
            return 0;
        }
    }
    CArchive ar;
    int ok = 1;
    root.Serialize(ar, &ok);
    std::string reason;
    vemo::SaveResult result = vemo::SaveResult::failed;
    if (ok && of == SaveOf::userFile)
        result = vemo::SaveUserFile(path, ar.Buffer(), &reason);
    else if (ok && vemo::WriteFileThroughLink(path, ar.Buffer(), &reason))
        result = vemo::SaveResult::saved;
    switch (result) {
        case vemo::SaveResult::saved: return 1;
        case vemo::SaveResult::readOnly: Warn(mastertext::kSaveRefused); return 0;
        case vemo::SaveResult::failed: break;
    }
    Warn(path + mastertext::kFileMissing + (reason.empty() ? "" : "\n" + reason));
    return 0;
}

template int CMasterDataStore::LoadInto(CBukakeFile&, const std::string&);
template int CMasterDataStore::LoadInto(CHenkaritsuFile&, const std::string&);
template int CMasterDataStore::LoadInto(CTankaFile&, const std::string&);
template int CMasterDataStore::LoadInto(CShokeihiFile&, const std::string&);
template int CMasterDataStore::LoadInto(CProgramKingakuFile&, const std::string&);
template int CMasterDataStore::LoadInto(CHyoshiData&, const std::string&);
template int CMasterDataStore::LoadInto(CZairyoTankaFile&, const std::string&);

int CMasterDataStore::SaveZairyoTankaCopy(const CZairyoTankaFile& file, const std::string& path) {
    CZairyoTankaFile copy = file;
    if (vemo::SamePath(path, LockPath(kLockZairyoTanka))) return Save(copy, path, kLockZairyoTanka);
    return Save(copy, path, -1, SaveOf::userFile);
}

int CMasterDataStore::SerializeBukakeFile(int store, CBukakeFile* object, std::string path) {
    if (!object) {
        object = &m_bukake;
        path = GetBukakePath();
    }
    return store ? Save(*object, path, kLockBukake) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeHenkaritsuFile(int store, CHenkaritsuFile* object, std::string path) {
    if (!object) {
        object = &m_henkaritsu;
        path = GetHenkaritsuPath();
    }
    return store ? Save(*object, path, kLockHenkaritsu) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeTankaFile(int store, CTankaFile* object, std::string path) {
    if (!object) {
        object = &m_tanka;
        path = GetTankaPath();
    }
    return store ? Save(*object, path, kLockTanka) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeShokeihiFile(int store, CShokeihiFile* object, std::string path) {
    if (!object) {
        object = &m_shokeihi;
        path = GetShokeihiPath();
    }
    return store ? Save(*object, path, kLockShokeihi) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeProgramKingakuFile(int store, CProgramKingakuFile* object, std::string path) {
    if (!object) {
        object = &m_programKingaku;
        path = GetProgramKingakuPath();
    }
    return store ? Save(*object, path, kLockProgramKingaku) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeHyoshiFile(int store, CHyoshiData* object, std::string path) {
    if (!object) {
        object = &m_hyoshi;
        path = GetHyoshiPath();
    }
    return store ? Save(*object, path, -1) : LoadInto(*object, path);
}

int CMasterDataStore::SerializeZairyoTankaFile(int store, CZairyoTankaFile* object, std::string path) {
    bool isOwn = !object || object == &m_zairyoTanka;
    if (!object) {
        object = &m_zairyoTanka;
        if (path.empty()) path = m_zairyoTankaPath;
    }
    if (store) return Save(*object, path, kLockZairyoTanka);
    return LoadZairyoTanka(*object, path, isOwn, nullptr);
}

// Loads a material-price file. A file that cannot be opened is reported and the user may choose
// another one, as often as it takes; the file chosen becomes the material-price path once it has
// loaded into the application's own master. loadedPath receives the path that was read.
int CMasterDataStore::LoadZairyoTanka(CZairyoTankaFile& target, std::string path, bool isOwn,
                                      std::string* loadedPath) {
    if (vemo::FileExists(path)) {
        int result = LoadInto(target, path);
        if (result && loadedPath) *loadedPath = path;
        return result;
    }
    Warn(path + mastertext::kZairyoTankaMissingChoose);
    std::string chosen;
    if (!Host().ChooseOpenFile(mastertext::kOpenZairyoTankaTitle, mastertext::kZairyoTankaFilter,
                               vemo::ParentFolder(path), chosen))
        return 0;
    // A choice that is missing as well leads to the same message and choice again.
    std::string readPath;
    int result = LoadZairyoTanka(target, chosen, isOwn, &readPath);
    if (result) {
        if (isOwn) SetZairyoTankaPath(readPath);
        if (loadedPath) *loadedPath = readPath;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Status panes

void CMasterDataStore::ShowMasterFolderInStatus() { Host().SetStatusPane(1, vemo::FileNameOf(m_masterDataFolder)); }

void CMasterDataStore::ShowTankaSetInStatus() {
    int column = m_tanka.m_defaultColumn;
    std::string title;
    if (column >= 0 && column < static_cast<int>(m_tanka.m_columnTitles.size()))
        title = m_tanka.m_columnTitles[static_cast<size_t>(column)];
    Host().SetStatusPane(2, title);
}

void CMasterDataStore::ShowZairyoTankaInStatus() { Host().SetStatusPane(3, m_zairyoTanka.m_title); }

// ---------------------------------------------------------------------------------------------
// Start-up

int CMasterDataStore::LoadMastersAtStartup() {
    // One step, its take-over included: kept lock files are waited for once in all.
    LockStep lockStep(*this);
    struct Step {
        const char* status;
        std::function<int()> load;
        LockId lock;
    };
    const Step steps[] = {
        {mastertext::kStatusLoadingBukake, [this] { return SerializeBukakeFile(0, nullptr, ""); }, kLockBukake},
        {mastertext::kStatusLoadingHenkaritsu, [this] { return SerializeHenkaritsuFile(0, nullptr, ""); },
         kLockHenkaritsu},
        {mastertext::kStatusLoadingTanka, [this] { return SerializeTankaFile(0, nullptr, ""); }, kLockTanka},
        {mastertext::kStatusLoadingShokeihi, [this] { return SerializeShokeihiFile(0, nullptr, ""); },
         kLockShokeihi},
        {mastertext::kStatusLoadingProgramKingaku, [this] { return SerializeProgramKingakuFile(0, nullptr, ""); },
         kLockProgramKingaku},
    };
    // Temporary files that saves of killed programs left beside the files; those of another running
    // copy's save stay.
    for (const std::string& folder : {m_masterDataFolder, GetDataFolder(), vemo::ParentFolder(GetHyoshiPath()),
                                      vemo::ParentFolder(m_zairyoTankaPath)})
        vemo::RemoveStaleTemporariesIn(folder);

    std::vector<LockId> refused;
    bool allLoaded = true;
    for (const Step& step : steps) {
        Host().SetStatusPane(0, step.status);
        if (!allLoaded) continue;
        if (step.load()) {
            if (!Lock(step.lock, 1, 1)) refused.push_back(step.lock);
        } else {
            allLoaded = false;
        }
    }
    if (!allLoaded && !SelectMasterFolder(0)) {
        ReleaseAllLocks();
        return 0;
    }

    Host().SetStatusPane(0, mastertext::kStatusLoadingZairyoTanka);
    if (!SerializeZairyoTankaFile(0, &m_zairyoTanka, m_zairyoTankaPath)) {
        // A file that exists but does not load: the selection runs until a chosen file loads.
        int chosen = SelectZairyoTankaFileAtStartup();
        if (!chosen) {
            ReleaseAllLocks();
            return 0;
        }
    }
    if (!Lock(kLockZairyoTanka, 1, 1)) refused.push_back(kLockZairyoTanka);

    Host().SetStatusPane(0, mastertext::kStatusLoadingHyoshi);
    if (!SerializeHyoshiFile(0, nullptr, "")) {
        ReleaseAllLocks();
        return 0;
    }
    if (allLoaded) {
        // A take-over cannot help a lock whose lock file cannot be used: those are only reported.
        std::vector<LockId> held, unusable;
        for (LockId id : refused)
            (m_lockFault[id].error.fault == vemo::LockFileFault::none ? held : unusable).push_back(id);
        if (!unusable.empty()) Warn(mastertext::kLocksRefused + EditorList(unusable) + LockFaults(unusable));
        if (!held.empty()) AskForceMasterLocks(EditorList(held));
    }
    Host().SetStatusPane(0, mastertext::kStatusHelpHint);
    return 1;
}

// The material-price setting dialog, until the file chosen there loads: 1 when one loaded (and
// became the material-price path), 0 on cancel. Each opening starts from the last choice.
int CMasterDataStore::SelectZairyoTankaFileAtStartup() {
    std::string shown = m_zairyoTankaPath;
    for (;;) {
        std::string chosen;
        if (!MasterDialogs().RunZairyoTankaSettingDialog(shown, chosen)) return 0;
        shown = chosen;
        // The load tells the user why a choice does not load.
        if (LoadInto(m_zairyoTanka, chosen)) {
            SetZairyoTankaPath(chosen);
            return 1;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Folder change

// Loads the five masters of the current master-data folder into fresh objects and, when all five
// loaded, puts them in place and takes their locks. Nothing changes when one fails.
int CMasterDataStore::LoadFiveMasters(std::vector<LockId>& refused) {
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    if (!LoadInto(bukake, GetBukakePath()) || !LoadInto(henkaritsu, GetHenkaritsuPath()) ||
        !LoadInto(tanka, GetTankaPath()) || !LoadInto(shokeihi, GetShokeihiPath()) ||
        !LoadInto(programKingaku, GetProgramKingakuPath()))
        return 0;
    m_bukake = std::move(bukake);
    m_henkaritsu = std::move(henkaritsu);
    m_tanka = std::move(tanka);
    m_shokeihi = std::move(shokeihi);
    m_programKingaku = std::move(programKingaku);
    for (LockId id : {kLockBukake, kLockHenkaritsu, kLockTanka, kLockShokeihi, kLockProgramKingaku})
        if (!Lock(id, 1, 1)) refused.push_back(id);
    return 1;
}

// The newest 材料単価データNN.zoa in the data folder, counting down from 25; 材料単価データ25.zoa
// when there is none.
std::string CMasterDataStore::ChooseNumberedZairyoTanka(const std::string& dataFolder) const {
    std::string stem = kZairyoTankaStem;
    size_t cut = stem.rfind("タ");
    std::string number = cut == std::string::npos ? std::string() : stem.substr(cut + std::string("タ").size());
    int n = static_cast<int>(Execute(number.c_str()) + 1e-7);
    std::string base = stem.substr(0, cut == std::string::npos ? stem.size() : cut + std::string("タ").size());
    for (int k = n; k >= 1; --k) {
        std::string kk = (k < 10 ? "0" : "") + vemo::FormatInt(k);
        std::string candidate = JoinPath(dataFolder, base + kk + kZairyoTankaExt);
        if (vemo::FileExists(candidate)) return candidate;
    }
    return JoinPath(dataFolder, stem + kZairyoTankaExt);
}

int CMasterDataStore::SelectMasterFolder(int mode) {
    LockStep step(*this);
    const std::string oldFolder = m_masterDataFolder;
    MasterFolderRequest request{oldFolder, vemo::ParentFolder(oldFolder), mode};
    std::string chosen;
    int ok = MasterDialogs().RunFolderDialog(request, chosen);
    if (!ok) return 0;
    const std::string newFolder = vemo::NormalizePath(chosen);

    for (LockId id : {kLockBukake, kLockHenkaritsu, kLockProgramKingaku, kLockShokeihi, kLockTanka}) Lock(id, 0, 1);
    SetMasterDataFolder(newFolder);

    std::vector<LockId> refused;
    if (!LoadFiveMasters(refused)) {
        // The masters in memory are still those of the old folder: lock their files again and let
        // the user choose once more.
        SetMasterDataFolder(oldFolder);
        for (LockId id : {kLockBukake, kLockHenkaritsu, kLockTanka, kLockShokeihi, kLockProgramKingaku})
            Lock(id, 1, 1);
        return SelectMasterFolder(0);
    }
    if (setDocumentsMasterFolder) setDocumentsMasterFolder(newFolder);

    // Material prices: another data folder may come with its own material-price file.
    std::string newData = vemo::ParentFolder(newFolder);
    std::string oldData = vemo::ParentFolder(oldFolder);
    std::string chosenPath = m_zairyoTankaPath;
    if (!vemo::SamePath(newData, oldData) &&
        AfxMessageBox(mastertext::kAskChangeZairyoTankaToo, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES)
        chosenPath = ChooseNumberedZairyoTanka(newData);

    CZairyoTankaFile zairyo;
    std::string loadedPath;
    if (LoadZairyoTanka(zairyo, chosenPath, false, &loadedPath)) {
        m_zairyoTanka = std::move(zairyo);
        Lock(kLockZairyoTanka, 0, 1);
        SetZairyoTankaPath(loadedPath);
        if (setActiveDocumentZairyoPath && setActiveDocumentZairyoPath(loadedPath)) ShowZairyoTankaInStatus();
        if (!Lock(kLockZairyoTanka, 1, 1)) refused.push_back(kLockZairyoTanka);
    }

    if (!refused.empty()) Warn(mastertext::kLocksRefused + EditorList(refused) + LockFaults(refused));
    ShowMasterFolderInStatus();
    ShowTankaSetInStatus();
    ShowZairyoTankaInStatus();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Lock take-over

// Makes a file's lock this store's whoever held it: its lock file names this store and the file is
// marked. A copy that held it learns of it at its next save or release, which are refused. A lock file
// that another process keeps a record lock on counts as held by another copy: it and the mark stay
// as they are. When the file cannot be marked or the lock file cannot be written, the previous
// owner's record is put back and the mark left as it was; a lock file that named no one, or cannot be
// used, leaves the file unmarked and no lock file of this store's, so that no file stays marked with
// nobody owning it.
void CMasterDataStore::TakeOver(LockId id) {
    m_lockOwner[id] = 0;
    m_lockedPath[id].clear();
    const std::string path = LockPath(id);
    m_lockFault[id] = {{}, vemo::LockFilePath(path)};
    if (!vemo::FileExists(path)) return;
    vemo::LockFileHold hold(m_lockFault[id].lockPath, vemo::LockFileHold::Mode::exclusive, true, StepWait());
    if (!hold.Held() && hold.Error().fault == vemo::LockFileFault::none) return;
    const std::optional<vemo::LockOwner> previous = hold.Owner();
    if (hold.Held() && hold.Rewrite(Self()) && vemo::SetReadOnlyMark(path, true)) {
        m_lockOwner[id] = 1;
        m_lockedPath[id] = path;
        return;
    }
    m_lockFault[id].error = hold.Error();
    if (previous && hold.Rewrite(*previous)) return;
    if (hold.Held()) hold.Remove();
    if (vemo::IsReadOnlyMarked(path)) vemo::SetReadOnlyMark(path, false);
}

std::string CMasterDataStore::EditorList(const std::vector<LockId>& ids) {
    std::string list;
    for (LockId id : ids) list += EditorNames(id);
    return list;
}

namespace {

// What was found at a lock file that cannot be used.
const char* LockFaultText(vemo::LockFileFault fault) {
    switch (fault) {
        case vemo::LockFileFault::link: return mastertext::kLockFileIsLink;
        case vemo::LockFileFault::folder: return mastertext::kLockFileIsFolder;
        case vemo::LockFileFault::pipe: return mastertext::kLockFileIsPipe;
        case vemo::LockFileFault::special: return mastertext::kLockFileIsSpecial;
        case vemo::LockFileFault::noAccess: return mastertext::kLockFileNoAccess;
        case vemo::LockFileFault::readOnlyFolder: return mastertext::kLockFolderReadOnly;
        case vemo::LockFileFault::noFolderAccess: return mastertext::kLockFolderNoPermission;
        case vemo::LockFileFault::notWritten: return mastertext::kLockFileNotWritten;
        case vemo::LockFileFault::notOpened: return mastertext::kLockFileNotOpened;
        case vemo::LockFileFault::none: break;
    }
    return "";
}

}  // namespace

// A line for each lock file that cannot be used: its path (its folder's, for a folder that may not be
// written, named once), what was found, and the system's reason where there is one.
std::string CMasterDataStore::LockFaults(const std::vector<LockId>& ids) const {
    std::string text;
    for (LockId id : ids) {
        const LockFault& f = m_lockFault[id];
        if (f.error.fault == vemo::LockFileFault::none) continue;
        const bool ofFolder = f.error.fault == vemo::LockFileFault::readOnlyFolder ||
                              f.error.fault == vemo::LockFileFault::noFolderAccess;
        std::string line = "\n" + (ofFolder ? vemo::ParentFolder(f.lockPath) : f.lockPath) + LockFaultText(f.error.fault);
        if (f.error.error != 0) line += "\n" + std::string(std::strerror(f.error.error));
        if (text.find(line) == std::string::npos) text += line;
    }
    return text;
}

int CMasterDataStore::AskForceMasterLocks(const std::string& editors) {
    const std::string text = mastertext::kLocksHeld + editors;
    DriveKind kind = classifyDrive(m_masterDataFolder);
    if (kind != DriveKind::fixed && kind != DriveKind::network) {
        Warn(text);
        return 0;
    }
    int answer = AfxMessageBox(text + mastertext::kAskForceLocks, MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer == IDYES && kind == DriveKind::network)
        answer = AfxMessageBox(mastertext::kAskForceNetworkLocks, MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer != IDYES) return 0;

    LockStep step(*this);
    std::vector<LockId> taken = {kLockBukake, kLockHenkaritsu, kLockTanka, kLockShokeihi, kLockProgramKingaku};
    for (LockId id : taken) TakeOver(id);
    DriveKind zairyoKind = classifyDrive(m_zairyoTankaPath);
    if (zairyoKind == DriveKind::fixed || zairyoKind == DriveKind::network) {
        TakeOver(kLockZairyoTanka);
        taken.push_back(kLockZairyoTanka);
    }

    std::vector<LockId> stillRefused;
    for (LockId id : taken)
        if (m_lockOwner[id] != 1) stillRefused.push_back(id);
    if (!stillRefused.empty()) {
        Warn(mastertext::kLocksRefused + EditorList(stillRefused) + LockFaults(stillRefused));
        return 0;
    }
    return 1;
}
