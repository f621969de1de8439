#pragma once
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/MasterDialogs.h"
#include "master/HyoshiData.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/LockFile.h"

// Where a folder lies, for the question that takes over edit locks.
enum class DriveKind { fixed, network, removable, unknown };

// Network file systems (NFS, SMB/CIFS, FUSE mounts such as sshfs) count as network; optical media
// and block devices the kernel marks removable count as removable; a path that cannot be examined is
// unknown; everything else is fixed.
DriveKind ClassifyDrive(const std::string& path);

class IProgress;

// The program's one copy of each of the seven masters, where their files lie, how they are loaded
// and saved, and the edit locks that keep a second running copy from saving a master this one holds.
//
// The application object owns one store for the whole process. The lock of a file is its read-only
// mark together with a lock file beside it that names the store and its process; the lock file is
// created in one exclusive step, so two copies starting together never both take a file. The store
// remembers which files it marked itself (the owner flags) and which path each mark was put on, and
// releases its marks when it is destroyed. A save or release checks that the lock file still names
// this store: after another copy took the lock over, they are refused.
//
// Each public operation that uses lock files is one step (the start-up with its take-over, a save, a
// folder change, a take or release of a lock, the release at exit): it waits vemo::kRecordLockWait at
// most in all for the record locks that other processes keep on its lock files (see vemo::LockWait).
// While it waits, a progress window of the host says so; its Cancel ends the wait at once.
class CMasterDataStore {
public:
    // Masters with an edit lock, in the order of the exit release.
    enum LockId { kLockBukake, kLockHenkaritsu, kLockTanka, kLockShokeihi, kLockProgramKingaku, kLockZairyoTanka,
                  kLockCount };

    explicit CMasterDataStore(std::string programFolder);
    ~CMasterDataStore();
    CMasterDataStore(const CMasterDataStore&) = delete;
    CMasterDataStore& operator=(const CMasterDataStore&) = delete;

    // The masters.
    CBukakeFile& GetBukakeFile() { return m_bukake; }
    CHenkaritsuFile& GetHenkaritsuFile() { return m_henkaritsu; }
    CTankaFile& GetTankaFile() { return m_tanka; }
    CShokeihiFile& GetShokeihiFile() { return m_shokeihi; }
    CProgramKingakuFile& GetProgramKingakuFile() { return m_programKingaku; }
    CHyoshiData& GetHyoshiData() { return m_hyoshi; }
    CZairyoTankaFile& GetZairyoTankaFile() { return m_zairyoTanka; }

    // Folders and paths. The setters only assign; they neither reload nor relock.
    std::string GetProgramFolder() const { return m_programFolder; }
    std::string GetMasterDataFolder() const { return m_masterDataFolder; }
    void SetMasterDataFolder(const std::string& folder) { m_masterDataFolder = folder; }
    std::string GetZairyoTankaPath() const { return m_zairyoTankaPath; }
    void SetZairyoTankaPath(const std::string& path) { m_zairyoTankaPath = path; }

    // [program folder]/データ格納/参考マスター25 and [program folder]/データ格納/材料単価データ25.zoa.
    std::string DefaultMasterDataFolder() const;
    std::string DefaultZairyoTankaPath() const;
    // The master-data folder less its last component.
    std::string GetDataFolder() const;
    // Full paths of the files, as load, save and lock use them.
    std::string GetBukakePath() const;
    std::string GetHenkaritsuPath() const;
    std::string GetTankaPath() const;
    std::string GetShokeihiPath() const;
    std::string GetProgramKingakuPath() const;
    std::string GetHyoshiPath() const;

    // Load (store 0) or save (store 1) one master; 1 on success, 0 on failure (told to the user).
    // A null object means the application's own master at its own path (材料単価: at its own path only
    // when path is empty as well). A load reads into a fresh object and replaces the target only when
    // the whole file was read; a file larger than vemo::kDataFileLimit is refused unread as damaged.
    // A save writes a temporary file and renames it over the old one, which keeps the lock's mark; where
    // the path is a symbolic link, the file it points to is replaced that way and the link stays. The
    // save is refused ("…そのため、保存ができません。") unless this store still holds the master's lock; a
    // file that cannot be written is reported ("…が見つかりません。…") with the system's reason.
    int SerializeBukakeFile(int store, CBukakeFile* object, std::string path);
    int SerializeHenkaritsuFile(int store, CHenkaritsuFile* object, std::string path);
    int SerializeTankaFile(int store, CTankaFile* object, std::string path);
    int SerializeShokeihiFile(int store, CShokeihiFile* object, std::string path);
    int SerializeProgramKingakuFile(int store, CProgramKingakuFile* object, std::string path);
    int SerializeZairyoTankaFile(int store, CZairyoTankaFile* object, std::string path);
    int SerializeHyoshiFile(int store, CHyoshiData* object, std::string path);

    // The plain load of a master file into target, with the load's own messages (a missing file:
    // "…が見つかりません。\nアプリケーションを実行することができません。…"); no file choice. target
    // is replaced only when the whole file was read. 1 on success, 0 on failure.
    template <class Root>
    int LoadInto(Root& target, const std::string& path);
    // Writes a material-price file an editor opened. The program-wide file is saved under its edit
    // lock, as SerializeZairyoTankaFile saves it; any other file is refused (with the lock's refusal
    // text) while it carries a read-only mark, since this program never marks other files. 1 when
    // the file was written, 0 after telling the user why not.
    int SaveZairyoTankaCopy(const CZairyoTankaFile& file, const std::string& path);

    // Edit locks: mode 1 takes the lock, mode 0 releases it; setOwner 1 records the new ownership.
    // A release without setOwner only lets the mark go while this copy writes the file: the lock
    // file stays, so that no other copy takes the file meanwhile, and mode 1 takes it back. A lock
    // whose lock file cannot be used (see vemo::LockFileFault) cannot be taken; the store remembers
    // what was found there for the messages that list the refused locks.
    int LockBukakeFile(int mode, int setOwner) { return Lock(kLockBukake, mode, setOwner); }
    int LockHenkaritsuFile(int mode, int setOwner) { return Lock(kLockHenkaritsu, mode, setOwner); }
    int LockTankaFile(int mode, int setOwner) { return Lock(kLockTanka, mode, setOwner); }
    int LockShokeihiFile(int mode, int setOwner) { return Lock(kLockShokeihi, mode, setOwner); }
    int LockProgramKingakuFile(int mode, int setOwner) { return Lock(kLockProgramKingaku, mode, setOwner); }
    int LockZairyoTankaFile(int mode, int setOwner) { return Lock(kLockZairyoTanka, mode, setOwner); }
    int Lock(LockId id, int mode, int setOwner);
    int GetLockOwner(LockId id) const { return m_lockOwner[id]; }

    // Status panes 1, 2 and 3.
    void ShowMasterFolderInStatus();
    void ShowTankaSetInStatus();
    void ShowZairyoTankaInStatus();

    // Lets the user choose another master-data folder and reloads the masters from it. 1 when a
    // folder was chosen and loaded, 0 when the user cancelled.
    int SelectMasterFolder(int mode);

    // Offers to take over the locks that could not be taken (editors lists the editors that cannot
    // save). Returns 1 when every lock offered was taken over, 0 otherwise (declined, or a file could
    // not be marked; the editors that still cannot save are then listed to the user, with what was
    // found at the lock files that cannot be used). A take-over that fails puts back the lock file's
    // previous record and leaves the mark as it was; where the lock file named no one or cannot be
    // used, it leaves its file unmarked and no lock file of its own behind.
    int AskForceMasterLocks(const std::string& editors);

    // The loads of the start-up, in their order, with their locks, the folder choice after a failed
    // load, the material-price fallback, the 表紙 load and the lock take-over. The take-over is offered
    // for the locks that another copy holds or a crashed run left; the locks whose lock files cannot be
    // used are listed with what was found there. 0 ends the start-up; the
    // locks taken so far are released then.
    int LoadMastersAtStartup();

    // Releases the six locks this process holds (歩掛, 変化率, 単価, 諸経費, プログラム金額, 材料単価). One
    // that cannot be released (taken over, or its lock file kept by another process past the record-lock
    // wait) is given up all the same, so that it is not waited for again.
    void ReleaseAllLocks();

    // The editor names listed when a master's lock cannot be taken.
    static const char* EditorNames(LockId id);

    // A step's wait window is up, handling events: what those events would start waits until it is over.
    bool LockWaitShown() const { return m_waitWindow != nullptr; }

    // Hooks set by the application (the folder dialog opens through MasterDialogs()).
    // Every open estimate records this master-data folder.
    std::function<void(const std::string& folder)> setDocumentsMasterFolder;
    // The estimate of the topmost window records this material-price file; false when no estimate is open.
    std::function<bool(const std::string& path)> setActiveDocumentZairyoPath;
    // Where a folder lies (replaced by tests).
    std::function<DriveKind(const std::string& path)> classifyDrive = ClassifyDrive;

private:
    // One step's wait for record locks; a step begun within another is part of it. A step begun from
    // the events the wait window handles waits on its own, without a window: it cannot end the
    // window of the step it interrupted.
    class LockStep {
    public:
        explicit LockStep(CMasterDataStore& store);
        ~LockStep();
        LockStep(const LockStep&) = delete;
        LockStep& operator=(const LockStep&) = delete;

    private:
        CMasterDataStore& m_store;
        bool m_own;
        bool m_windowWasBusy = false;
    };
    // The wait of the step under way (a wait of its own for a lock file used outside any step).
    vemo::LockWait* StepWait() { return m_stepWaits.empty() ? nullptr : m_stepWaits.back().get(); }
    void ShowLockWait(vemo::LockWait::Duration waited, vemo::LockWait::Duration budget);

    // Whose file a save writes: one of the program's own (written whatever its mark: the store marks
    // its masters itself) or a file the user chose, which is left as it is while it is marked read-only.
    enum class SaveOf { program, userFile };
    template <class Root>
    int Save(Root& root, const std::string& path, int lockId, SaveOf of = SaveOf::program);
    int LoadZairyoTanka(CZairyoTankaFile& target, std::string path, bool isOwn, std::string* loadedPath);
    std::string LockPath(LockId id) const;
    vemo::LockOwner Self() const;
    bool TakeLockFile(const std::string& path, vemo::LockFileError& fault);
    bool ReleaseLockFile(const std::string& path, bool removeLockFile);
    bool HoldsLock(LockId id, const vemo::LockFileHold& hold) const;
    std::string OwnLockFilePath(LockId id) const;
    int LoadFiveMasters(std::vector<LockId>& refused);
    void TakeOver(LockId id);
    // The editors of the given locks, one after the other, and what was found at those lock files that
    // cannot be used (a line each, after a blank line).
    static std::string EditorList(const std::vector<LockId>& ids);
    std::string LockFaults(const std::vector<LockId>& ids) const;
    std::string ChooseNumberedZairyoTanka(const std::string& dataFolder) const;
    int SelectZairyoTankaFileAtStartup();

    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    CTankaFile m_tanka;
    CShokeihiFile m_shokeihi;
    CProgramKingakuFile m_programKingaku;
    CHyoshiData m_hyoshi;
    CZairyoTankaFile m_zairyoTanka;
    std::string m_programFolder;
    std::string m_masterDataFolder;
    std::string m_zairyoTankaPath;
    std::array<int, kLockCount> m_lockOwner{};
    std::array<std::string, kLockCount> m_lockedPath;  // the file each owned mark was put on
    // Why the last take of each lock failed, when its lock file could not be used, and where that file is.
    struct LockFault {
        vemo::LockFileError error;
        std::string lockPath;
    };
    std::array<LockFault, kLockCount> m_lockFault;
    std::string m_holder;  // names this store in its lock files, beside the process
    // The waits of the steps under way: the outermost first, then any begun from the wait window's events.
    std::vector<std::unique_ptr<vemo::LockWait>> m_stepWaits;
    std::unique_ptr<IProgress> m_waitWindow;  // shown while the outermost step waits
    int m_waitShown = 0;                     // the share of the wait the window shows, in percent
    bool m_waitWindowBusy = false;           // the wait window is handling events
};
