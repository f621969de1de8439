// Tests of master/MasterStore.h.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <cstdlib>

#include "LockWaitSupport.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "ScriptedMasterDialogs.h"
#include "StoreFixture.h"
#include "TempFolder.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"

namespace fs = std::filesystem;
using namespace masterbuild;
using namespace storetest;
using vemo::IsReadOnlyMarked;

namespace {

// The store's texts as strings, for building the expected messages.
const std::string kSaveRefused = mastertext::kSaveRefused;
const std::string kLocksRefused = mastertext::kLocksRefused;
const std::string kTakeOverText = mastertext::kLocksHeld;
const std::string kTakeOverQuestion = mastertext::kAskForceLocks;
const std::string kNetworkQuestion = mastertext::kAskForceNetworkLocks;
const std::string kZairyoQuestion = mastertext::kAskChangeZairyoTankaToo;
const std::string kBukakeEditor = mastertext::kEditorBukake;

// The names in a folder that are temporary files of unfinished saves, and the others.
struct FolderNames {
    std::vector<std::string> temporaries;
    std::vector<std::string> others;
};
FolderNames NamesIn(const std::string& folder) {
    FolderNames names;
    for (auto& e : fs::directory_iterator(folder)) {
        std::string name = e.path().filename().string();
        (vemo::IsReplacingTemporary(name) ? names.temporaries : names.others).push_back(name);
    }
    std::sort(names.others.begin(), names.others.end());
    return names;
}

// The number of rounds of a test that races processes: the count given in the environment variable
// (for long runs outside ctest), else the fallback.
int RoundsFromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    if (!value || !*value) return fallback;
    return std::max(1, std::atoi(value));
}

// A pipe between the test and the copies of the program it runs in child processes.
struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        if (::pipe(fds) == 0) {
            read = fds[0];
            write = fds[1];
        }
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    void CloseRead() {
        if (read >= 0) ::close(read);
        read = -1;
    }
    void CloseWrite() {
        if (write >= 0) ::close(write);
        write = -1;
    }
};

// Blocks until every writer of the pipe has closed it.
void WaitForClose(int fd) {
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n == 0 || (n < 0 && errno != EINTR)) return;
    }
}

// What one copy of the program did, as its child process reports it.
struct CopyReport {
    int index = -1;
    int started = 0;
    int owned = 0;  // a bit per lock the copy owns after its start-up
    int saved = 0;  // a bit per master whose save succeeded
};

int SaveLockable(CMasterDataStore& store, int id) {
    switch (id) {
        case CMasterDataStore::kLockBukake: return store.SerializeBukakeFile(1, nullptr, "");
        case CMasterDataStore::kLockHenkaritsu: return store.SerializeHenkaritsuFile(1, nullptr, "");
        case CMasterDataStore::kLockTanka: return store.SerializeTankaFile(1, nullptr, "");
        case CMasterDataStore::kLockShokeihi: return store.SerializeShokeihiFile(1, nullptr, "");
        case CMasterDataStore::kLockProgramKingaku: return store.SerializeProgramKingakuFile(1, nullptr, "");
        case CMasterDataStore::kLockZairyoTanka: return store.SerializeZairyoTankaFile(1, nullptr, "");
        default: return 0;
    }
}

int OwnedLocks(const CMasterDataStore& store) {
    int owned = 0;
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
        if (store.GetLockOwner(static_cast<CMasterDataStore::LockId>(id)) == 1) owned |= 1 << id;
    return owned;
}

// Runs one copy of the program in a child process. It waits until the test closes `go`, starts
// (answering the take-over question with `answer`), saves every lockable master (the 単価 master
// with a column title naming the copy), reports, and exits normally once the test closes `done`.
pid_t StartCopy(const std::string& program, int index, int answer, Pipe& go, Pipe& done, Pipe& report) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    go.CloseWrite();
    done.CloseWrite();
    report.CloseRead();
    WaitForClose(go.read);
    CopyReport r;
    r.index = index;
    {
        ScriptedHost host;
        host.answers = {answer};
        CMasterDataStore store(program);
        store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
        r.started = store.LoadMastersAtStartup();
        r.owned = OwnedLocks(store);
        store.GetTankaFile().m_columnTitles[0] = "写し" + std::to_string(index);
        for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
            if (SaveLockable(store, id) == 1) r.saved |= 1 << id;
        if (::write(report.write, &r, sizeof r) != static_cast<ssize_t>(sizeof r)) ::_exit(2);
        WaitForClose(done.read);
    }  // the copy exits: its locks are released
    ::_exit(0);
}

bool ReadReport(int fd, CopyReport& r) {
    return ::read(fd, &r, sizeof r) == static_cast<ssize_t>(sizeof r);
}

bool ExitedNormally(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The names in the folders of the master files that are neither masters nor the cover data.
std::vector<std::string> LeftOvers(const ProgramFolder& f) {
    std::vector<std::string> left;
    for (const std::string& folder : {f.masters, f.data})
        for (auto& e : fs::directory_iterator(folder)) {
            const std::string name = e.path().filename().string();
            if (!name.empty() && name[0] == '.') left.push_back(name);
        }
    return left;
}

}  // namespace

TEST(MasterStore, FilePlaces) {
    CMasterDataStore store("/opt/vemo/");
    EXPECT_EQ(store.GetMasterDataFolder(), "/opt/vemo/データ格納/参考マスター25");
    EXPECT_EQ(store.GetZairyoTankaPath(), "/opt/vemo/データ格納/材料単価データ25.zoa");
    EXPECT_EQ(store.GetBukakePath(), "/opt/vemo/データ格納/参考マスター25/歩掛データ.soa");
    EXPECT_EQ(store.GetHenkaritsuPath(), "/opt/vemo/データ格納/参考マスター25/変化率データ.soa");
    EXPECT_EQ(store.GetTankaPath(), "/opt/vemo/データ格納/単価データ.daa");
    EXPECT_EQ(store.GetShokeihiPath(), "/opt/vemo/データ格納/諸経費データ.daa");
    EXPECT_EQ(store.GetProgramKingakuPath(), "/opt/vemo/データ格納/プログラム金額データ.daa");
    store.SetMasterDataFolder("/srv/share/マスター/令和6");
    EXPECT_EQ(store.GetTankaPath(), "/srv/share/マスター/単価データ.daa");
    EXPECT_EQ(store.GetBukakePath(), "/srv/share/マスター/令和6/歩掛データ.soa");
    // The cover data stays beside the program whatever the master-data folder.
    EXPECT_EQ(store.GetHyoshiPath(), "/opt/vemo/データ格納/表紙データ.daa");
}

TEST(MasterStore, StartupLoadsAndLocksInOrderAndExitReleases) {
    ProgramFolder f;
    ScriptedHost host;
    {
        CMasterDataStore store(f.program);
        ASSERT_EQ(store.LoadMastersAtStartup(), 1);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(host.panes[0], (std::vector<std::string>{
                                     mastertext::kStatusLoadingBukake, mastertext::kStatusLoadingHenkaritsu,
                                     mastertext::kStatusLoadingTanka, mastertext::kStatusLoadingShokeihi,
                                     mastertext::kStatusLoadingProgramKingaku, mastertext::kStatusLoadingZairyoTanka,
                                     mastertext::kStatusLoadingHyoshi, mastertext::kStatusHelpHint}));
        EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "標準");
        EXPECT_EQ(store.GetZairyoTankaFile().m_title, "材料単価 令和7年度");
        EXPECT_TRUE(store.GetHyoshiData() == SampleHyoshiData());
        for (const auto& path : f.LockableFiles()) EXPECT_TRUE(IsReadOnlyMarked(path)) << path;
        for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
            EXPECT_EQ(store.GetLockOwner(static_cast<CMasterDataStore::LockId>(id)), 1);
        // The cover data has no lock.
        EXPECT_FALSE(IsReadOnlyMarked(f.data + "/表紙データ.daa"));

        store.ShowMasterFolderInStatus();
        store.ShowTankaSetInStatus();
        store.ShowZairyoTankaInStatus();
        EXPECT_EQ(host.panes[1].back(), "参考マスター25");
        EXPECT_EQ(host.panes[2].back(), "標準単価");
        EXPECT_EQ(host.panes[3].back(), "材料単価 令和7年度");

        // A lock file that another open of it keeps a read lock on keeps its mark; the lock is given up, so
        // that the store's own release after this one does not wait again (this one waits the bound, on
        // the counting clock).
        const std::string tanka = f.LockableFiles()[CMasterDataStore::kLockTanka];
        const int reader = KeepRecordLock(vemo::LockFilePath(tanka));
        ASSERT_GE(reader, 0);
        CountingLockClock clock;
        store.ReleaseAllLocks();
        ::close(reader);
        EXPECT_GT(clock.slept.count(), 0);
        for (const auto& path : f.LockableFiles()) EXPECT_EQ(IsReadOnlyMarked(path), path == tanka) << path;
        EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockBukake), 0);
        EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockTanka), 0);
    }
}

// With every lock file kept by a record lock of another open (as a copy hung on a dead share keeps
// them), a step waits the record-lock wait once in all, not once per file, with a window saying so,
// and then counts every file as held by another copy; Cancel there ends the wait at once. A step begun
// from the events the window handles waits on its own, and the window stays.
TEST(MasterStore, AStepWaitsForLockFilesKeptElsewhereOneRecordLockWaitInAll) {
    std::string all;
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
        all += CMasterDataStore::EditorNames(CMasterDataStore::LockId(id));
    const struct {
        const char* step;
        bool started, cancelled;  // the store owns every lock before they are kept; Cancel is pressed
        std::vector<std::string> messages;
        bool nested = false;  // the window's events release the material-price lock once
    } steps[] = {{"start-up, with its take-over", false, false,
                  {kTakeOverText + all + kTakeOverQuestion, kLocksRefused + all}},
                 {"the release at exit", true, false, {}},
                 {"the release at exit, its wait cancelled", true, true, {}},
                 {"the release at exit, another step begun from its window", true, false, {}, true}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        ProgramFolder f;
        ScriptedHost host;
        host.answers = {IDYES};
        CMasterDataStore store(f.program);
        store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
        if (s.started) {
            ASSERT_EQ(store.LoadMastersAtStartup(), 1);
        }
        host.cancelOnCheck = s.cancelled;
        std::vector<int> keepers;
        for (const std::string& path : f.LockableFiles()) {
            if (!s.started) WriteTestFile(vemo::LockFilePath(path), "vemo-lock 1\n");
            keepers.push_back(KeepRecordLock(vemo::LockFilePath(path)));
        }
        CountingLockClock clock;
        std::optional<int> nested;
        if (s.nested) host.onProgressEvents = [&] { if (!nested) nested = 2, nested = store.LockZairyoTankaFile(0, 1); };
        if (s.started) store.ReleaseAllLocks(); else EXPECT_EQ(store.LoadMastersAtStartup(), 1);
        EXPECT_EQ(clock.slept.count() > 0, !s.cancelled);
        EXPECT_LE(clock.slept, (s.nested ? 2 : 1) * vemo::kRecordLockWait);
        EXPECT_EQ(nested, s.nested ? std::optional(0) : std::nullopt) << "its lock file is kept too";
        EXPECT_EQ(host.progress.size(), 1u);
        const std::vector<std::string> waitTexts{mastertext::kWaitingForLockFiles};
        for (const auto& window : host.progress) EXPECT_TRUE(window->destroyed && window->statuses == waitTexts);
        EXPECT_EQ(host.MessageTexts(), s.messages);
        // Held by another copy: neither taken at start-up nor released at exit.
        for (const std::string& path : f.LockableFiles()) EXPECT_EQ(IsReadOnlyMarked(path), s.started) << path;
        for (int fd : keepers) ::close(fd);
    }
}

TEST(MasterStore, SaveNeedsTheLockAndReplacesTheFile) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.SerializeTankaFile(0, nullptr, ""), 1);
    const std::string before = ReadTestFile(f.data + "/単価データ.daa");

    // Not owned: refused even though the file is writable; nothing written, owner stays 0.
    store.GetTankaFile().m_columnTitles[0] = "変更";
    EXPECT_EQ(store.SerializeTankaFile(1, nullptr, ""), 0);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kSaveRefused});
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ReadTestFile(f.data + "/単価データ.daa"), before);
    EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockTanka), 0);

    // Owned: saved, and the file is marked again afterwards.
    ASSERT_EQ(store.LockTankaFile(1, 1), 1);
    EXPECT_EQ(store.SerializeTankaFile(1, nullptr, ""), 1);
    EXPECT_TRUE(IsReadOnlyMarked(f.data + "/単価データ.daa"));
    CTankaFile reread;
    ASSERT_EQ(LoadMasterFromBytes(reread, ReadTestFile(f.data + "/単価データ.daa")), MasterLoadResult::loaded);
    EXPECT_EQ(reread.m_columnTitles[0], "変更");
}

TEST(MasterStore, LockRules) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    const std::string path = f.masters + "/変化率データ.soa";
    // Release without ownership is refused.
    EXPECT_EQ(store.LockHenkaritsuFile(0, 1), 0);
    // A file marked by someone else cannot be locked; the owner flag stays.
    ASSERT_TRUE(vemo::SetReadOnlyMark(path, true));
    EXPECT_EQ(store.LockHenkaritsuFile(1, 1), 0);
    EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockHenkaritsu), 0);
    ASSERT_TRUE(vemo::SetReadOnlyMark(path, false));
    // Take, then a second take fails; other modes are refused.
    EXPECT_EQ(store.LockHenkaritsuFile(1, 1), 1);
    EXPECT_EQ(store.LockHenkaritsuFile(1, 1), 0);
    EXPECT_EQ(store.LockHenkaritsuFile(2, 1), 0);
    EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockHenkaritsu), 1);
    // A missing file cannot be locked.
    store.SetMasterDataFolder(f.root / "none/参考");
    EXPECT_EQ(store.LockBukakeFile(1, 1), 0);
    // The release goes to the file that was marked, although the folder has changed.
    EXPECT_EQ(store.LockHenkaritsuFile(0, 1), 1);
    EXPECT_FALSE(IsReadOnlyMarked(path));
}

TEST(MasterStore, LoadFailuresLeaveTheMasterAsItWas) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.SerializeBukakeFile(0, nullptr, ""), 1);
    const std::string path = f.masters + "/歩掛データ.soa";

    // A truncated file.
    std::string bytes = ReadTestFile(path);
    WriteTestFile(path, bytes.substr(0, bytes.size() - 3));
    EXPECT_EQ(store.SerializeBukakeFile(0, nullptr, ""), 0);
    EXPECT_EQ(host.MessageTexts().back(),
              path + mastertext::kFileUnreadable);
    EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "標準");

    // Another master's file.
    WriteMaster(path, SampleTankaFile());
    EXPECT_EQ(store.SerializeBukakeFile(0, nullptr, ""), 0);
    EXPECT_EQ(host.MessageTexts().back(), mastertext::kBukakeForeignFile);
    EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "標準");
    EXPECT_EQ(store.GetBukakeFile().m_signature, mastertext::kBukakeSignature);

    // A missing file.
    fs::remove(path);
    EXPECT_EQ(store.SerializeBukakeFile(0, nullptr, ""), 0);
    EXPECT_EQ(host.MessageTexts().back(), path + mastertext::kMasterMissingCannotRun);
    EXPECT_EQ(store.GetBukakeFile().GetCount(), 1);
}

TEST(MasterStore, MissingMaterialFileOffersAChoice) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    WriteMaster(f.root / "別/材料単価データ24.zoa", NamedZairyo("別の材料単価"));
    const std::string missing = f.root / "なし/材料単価データ25.zoa";
    store.SetZairyoTankaPath(missing);

    // Cancel: nothing changes.
    host.fileAnswers = {std::nullopt};
    EXPECT_EQ(store.SerializeZairyoTankaFile(0, nullptr, ""), 0);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{missing + mastertext::kZairyoTankaMissingChoose});
    EXPECT_EQ(host.fileTitles, std::vector<std::string>{mastertext::kOpenZairyoTankaTitle});
    EXPECT_EQ(store.GetZairyoTankaPath(), missing);

    // A second missing choice asks again; the one that loads becomes the path.
    const std::string alsoMissing = f.root / "なし/other.zoa";
    host.fileAnswers = {alsoMissing, f.root / "別/材料単価データ24.zoa"};
    EXPECT_EQ(store.SerializeZairyoTankaFile(0, nullptr, ""), 1);
    EXPECT_EQ(store.GetZairyoTankaPath(), f.root / "別/材料単価データ24.zoa");
    EXPECT_EQ(store.GetZairyoTankaFile().m_title, "別の材料単価");
    EXPECT_EQ(host.messages.size(), 3u);
}

TEST(MasterStore, FolderChangeToSiblingFolder) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const std::string sibling = f.data + "/令和6年度";
    WriteMaster(sibling + "/歩掛データ.soa", NamedBukake("令和6"));
    WriteMaster(sibling + "/変化率データ.soa", SampleHenkaritsuFile());

    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(sibling);
    std::vector<std::string> documentFolders;
    store.setDocumentsMasterFolder = [&](const std::string& folder) { documentFolders.push_back(folder); };
    std::vector<std::string> documentZairyo;
    store.setActiveDocumentZairyoPath = [&](const std::string& path) {
        documentZairyo.push_back(path);
        return true;
    };

    ASSERT_EQ(store.SelectMasterFolder(0), 1);
    ASSERT_EQ(dialog.folderRequests.size(), 1u);
    EXPECT_EQ(dialog.folderRequests[0].currentFolder, f.masters);
    EXPECT_EQ(dialog.folderRequests[0].parentFolder, f.data);
    EXPECT_TRUE(host.messages.empty());  // same data folder: no question about material prices
    EXPECT_EQ(store.GetMasterDataFolder(), sibling);
    EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "令和6");
    EXPECT_EQ(documentFolders, std::vector<std::string>{sibling});
    EXPECT_EQ(documentZairyo, std::vector<std::string>{f.data + "/材料単価データ25.zoa"});
    // Old master-data files released, the new ones and the shared files locked.
    EXPECT_FALSE(IsReadOnlyMarked(f.masters + "/歩掛データ.soa"));
    EXPECT_FALSE(IsReadOnlyMarked(f.masters + "/変化率データ.soa"));
    EXPECT_TRUE(IsReadOnlyMarked(sibling + "/歩掛データ.soa"));
    EXPECT_TRUE(IsReadOnlyMarked(sibling + "/変化率データ.soa"));
    EXPECT_TRUE(IsReadOnlyMarked(f.data + "/単価データ.daa"));
    EXPECT_TRUE(IsReadOnlyMarked(f.data + "/材料単価データ25.zoa"));
    EXPECT_EQ(host.panes[1].back(), "令和6年度");
}

TEST(MasterStore, FolderChangeCountsDownNumberedMaterialFiles) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const std::string otherData = f.root / "共有/データ";
    f.WriteMasterSet(otherData + "/マスターA", "共有");
    WriteMaster(otherData + "/材料単価データ23.zoa", NamedZairyo("23"));
    WriteMaster(otherData + "/材料単価データ07.zoa", NamedZairyo("07"));

    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(otherData + "/マスターA");
    host.answers = {IDYES};
    ASSERT_EQ(store.SelectMasterFolder(0), 1);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kZairyoQuestion});
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(store.GetZairyoTankaPath(), otherData + "/材料単価データ23.zoa");
    EXPECT_EQ(store.GetZairyoTankaFile().m_title, "23");
    EXPECT_EQ(store.GetTankaFile().m_columnTitles[1], "共有単価");
    EXPECT_TRUE(IsReadOnlyMarked(otherData + "/材料単価データ23.zoa"));
    EXPECT_FALSE(IsReadOnlyMarked(f.data + "/材料単価データ25.zoa"));
    EXPECT_FALSE(IsReadOnlyMarked(f.data + "/単価データ.daa"));
}

TEST(MasterStore, FolderChangeWithoutNumberedMaterialFileStillSucceeds) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const std::string otherData = f.root / "空/データ";
    f.WriteMasterSet(otherData + "/M", "空");
    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(otherData + "/M");
    host.answers = {IDYES};
    host.fileAnswers = {std::nullopt};
    EXPECT_EQ(store.SelectMasterFolder(0), 1);
    const std::string expected = otherData + "/材料単価データ25.zoa";
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{kZairyoQuestion, expected + mastertext::kZairyoTankaMissingChoose}));
    // The material prices stay those in use, still locked.
    EXPECT_EQ(store.GetZairyoTankaPath(), f.data + "/材料単価データ25.zoa");
    EXPECT_TRUE(IsReadOnlyMarked(f.data + "/材料単価データ25.zoa"));
    EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockZairyoTanka), 1);
}

TEST(MasterStore, FailedFolderChangeKeepsTheOldFolderAndAsksAgain) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const std::string broken = f.data + "/壊れ";
    WriteMaster(broken + "/歩掛データ.soa", NamedBukake("壊れ"));  // no 変化率 file

    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(broken);
    dialog.ExpectFolderDialog(std::nullopt);
    std::vector<std::string> documentFolders;
    store.setDocumentsMasterFolder = [&](const std::string& folder) { documentFolders.push_back(folder); };
    EXPECT_EQ(store.SelectMasterFolder(0), 0);
    EXPECT_EQ(dialog.folderRequests.size(), 2u);
    EXPECT_EQ(store.GetMasterDataFolder(), f.masters);
    EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "標準");
    EXPECT_TRUE(documentFolders.empty());
    // The new folder's files are not left marked; the old ones are locked again.
    EXPECT_FALSE(IsReadOnlyMarked(broken + "/歩掛データ.soa"));
    for (const auto& path : f.LockableFiles()) EXPECT_TRUE(IsReadOnlyMarked(path)) << path;
}

TEST(MasterStore, StartupWithMissingRateFileRunsTheFolderChange) {
    ProgramFolder f;
    ScriptedHost host;
    fs::remove(f.masters + "/変化率データ.soa");
    // Leftover marks of a crashed run on the shared files: their locks would fail.
    vemo::SetReadOnlyMark(f.data + "/単価データ.daa", true);

    const std::string good = f.data + "/別セット";
    WriteMaster(good + "/歩掛データ.soa", NamedBukake("別セット"));
    WriteMaster(good + "/変化率データ.soa", SampleHenkaritsuFile());
    CMasterDataStore store(f.program);
    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(good);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    // The missing file was reported, the later loads skipped, the folder dialog run; the lock
    // failure is listed by the folder change itself and the take-over is never offered.
    const std::string missing = f.masters + "/変化率データ.soa";
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{missing + mastertext::kMasterMissingCannotRun,
                                        kLocksRefused + mastertext::kEditorTanka}));
    EXPECT_EQ(store.GetMasterDataFolder(), good);
    EXPECT_EQ(store.GetBukakeFile().GetGyomu(0)->m_name, "別セット");
    EXPECT_EQ(host.panes[0].size(), 8u);
}

TEST(MasterStore, StartupEndsWhenTheFolderChoiceIsCancelled) {
    ProgramFolder f;
    ScriptedHost host;
    fs::remove(f.data + "/諸経費データ.daa");
    CMasterDataStore store(f.program);
    ScriptedMasterDialogs dialog;
    dialog.ExpectFolderDialog(std::nullopt);
    EXPECT_EQ(store.LoadMastersAtStartup(), 0);
    // The locks taken before the failed load are given back.
    for (const auto& path : f.LockableFiles()) EXPECT_FALSE(IsReadOnlyMarked(path)) << path;
}

// Without the program's dialogs the folder is chosen in the host's folder browser, titled by what
// it is for; there are no import dialogs.
TEST(MasterDialogs, WithoutTheProgramTheHostsFolderBrowserIsUsed) {
    ScriptedHost host;
    host.folderAnswers = {"/data/選択", std::nullopt};
    std::string chosen;
    EXPECT_EQ(MasterDialogs().RunFolderDialog(MasterFolderRequest{"/data/現在", "/data", 1, 0}, chosen), 1);
    EXPECT_EQ(chosen, "/data/選択");
    EXPECT_EQ(MasterDialogs().RunFolderDialog(MasterFolderRequest{"/data/現在", "/data", 0, 1}, chosen), 0);
    EXPECT_EQ(host.folderTitles,
              (std::vector<std::string>{mastertext::kMasterFolderTitle, mastertext::kOldMasterFolderTitle}));
    EXPECT_EQ(MasterDialogs().CreateBukakeImportDialog(), nullptr);
    EXPECT_EQ(MasterDialogs().CreateHenkaritsuImportDialog(), nullptr);
}

TEST(MasterDialogs, ScriptSlipsFailTheTest) {
    IMasterDialogs* before = &MasterDialogs();
    std::string chosen;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMasterDialogs dialogs;
            EXPECT_EQ(&MasterDialogs(), &dialogs);
            EXPECT_EQ(MasterDialogs().RunFolderDialog(MasterFolderRequest{"/data/現在", "/data"}, chosen), 0);
        },
        "unexpected folder dialog over /data/現在");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMasterDialogs dialogs;
            dialogs.ExpectFolderDialog("/data/選択");
        },
        "1 expected folder dialog(s) never opened");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMasterDialogs dialogs;
            EXPECT_EQ(MasterDialogs().CreateBukakeImportDialog(), nullptr);
        },
        "unexpected 歩掛 import dialog");
    EXPECT_EQ(&MasterDialogs(), before);
}

TEST(MasterStore, TwoRunningCopiesOverTheSameFolder) {
    ProgramFolder f;
    ScriptedHost host;
    auto first = std::make_unique<CMasterDataStore>(f.program);
    ASSERT_EQ(first->LoadMastersAtStartup(), 1);

    {
        CMasterDataStore second(f.program);
        second.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
        host.answers = {IDNO};
        ASSERT_EQ(second.LoadMastersAtStartup(), 1);
        const std::string editors = kBukakeEditor + mastertext::kEditorHenkaritsu + mastertext::kEditorTanka +
                                    mastertext::kEditorShokeihi + mastertext::kEditorProgramKingaku +
                                    mastertext::kEditorZairyoTanka;
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kTakeOverText + editors + kTakeOverQuestion});
        EXPECT_EQ(second.GetLockOwner(CMasterDataStore::kLockBukake), 0);
        // The second copy cannot save; the first one can.
        EXPECT_EQ(second.SerializeShokeihiFile(1, nullptr, ""), 0);
        EXPECT_EQ(first->SerializeShokeihiFile(1, nullptr, ""), 1);
    }
    // The second copy's exit leaves the first one's marks alone.
    for (const auto& path : f.LockableFiles()) EXPECT_TRUE(IsReadOnlyMarked(path)) << path;

    first.reset();  // exit releases the locks
    host.messages.clear();
    CMasterDataStore third(f.program);
    ASSERT_EQ(third.LoadMastersAtStartup(), 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(third.GetLockOwner(CMasterDataStore::kLockZairyoTanka), 1);
}

// The three tests below race copies of the program in child processes. Longer runs than ctest's go
// through the environment: VEMO_LOCK_PAIRS=500 VEMO_LOCK_STARTS=40 VEMO_LOCK_SAVES=3000
// MasterStoreTests --gtest_filter='*CopiesStarted*:*TakeOverByAnother*:*SavesWhileAnother*'
// (the figures are recorded as test properties: --gtest_output=xml).
TEST(MasterStore, CopiesStartedTogetherNeverBothOwnALockNorBothSave) {
    ProgramFolder f;
    ScriptedHost host;
    const int pairs = RoundsFromEnvironment("VEMO_LOCK_PAIRS", 60);
    int bothOwned = 0, noneOwned = 0, bothSaved = 0, savedWithoutLock = 0, wrongContent = 0, leftBehind = 0;
    int pairsBothOwning = 0, pairsBothSaving = 0;  // pairs with at least one such master
    for (int pair = 0; pair < pairs; ++pair) {
        Pipe go, done, report;
        const pid_t copies[2] = {StartCopy(f.program, 0, IDNO, go, done, report),
                                 StartCopy(f.program, 1, IDNO, go, done, report)};
        ASSERT_GT(copies[0], 0);
        ASSERT_GT(copies[1], 0);
        report.CloseWrite();
        go.CloseWrite();  // both start at once
        CopyReport r[2];
        for (int i = 0; i < 2; ++i) {
            CopyReport one;
            ASSERT_TRUE(ReadReport(report.read, one)) << "pair " << pair;
            r[one.index] = one;
        }
        // Both are still running while the file is read.
        const std::string tanka = ReadTestFile(f.data + "/単価データ.daa");
        done.CloseWrite();
        for (pid_t copy : copies) ASSERT_TRUE(ExitedNormally(copy)) << "pair " << pair;
        for (const CopyReport& one : r) {
            ASSERT_EQ(one.started, 1) << "pair " << pair;
            savedWithoutLock += (one.saved & ~one.owned) != 0;
        }
        for (int id = 0; id < CMasterDataStore::kLockCount; ++id) {
            const int owners = ((r[0].owned >> id) & 1) + ((r[1].owned >> id) & 1);
            bothOwned += owners == 2;
            noneOwned += owners == 0;
            bothSaved += ((r[0].saved >> id) & 1) + ((r[1].saved >> id) & 1) == 2;
        }
        pairsBothOwning += (r[0].owned & r[1].owned) != 0;
        pairsBothSaving += (r[0].saved & r[1].saved) != 0;
        // The 単価 file is the one its owner saved.
        const int saver = (r[0].saved >> CMasterDataStore::kLockTanka) & 1 ? 0 : 1;
        CTankaFile saved;
        ASSERT_EQ(LoadMasterFromBytes(saved, tanka), MasterLoadResult::loaded);
        wrongContent += saved.m_columnTitles[0] != "写し" + std::to_string(saver);
        // A normal exit leaves no lock and nothing else behind.
        leftBehind += !LeftOvers(f).empty();
        for (const auto& path : f.LockableFiles()) leftBehind += IsReadOnlyMarked(path);
        if (!LeftOvers(f).empty() || leftBehind) {
            for (const auto& path : f.LockableFiles()) vemo::SetReadOnlyMark(path, false);
            for (const auto& name : LeftOvers(f)) {
                fs::remove(f.masters + "/" + name);
                fs::remove(f.data + "/" + name);
            }
        }
    }
    RecordProperty("Pairs", pairs);
    RecordProperty("BothOwned", bothOwned);
    RecordProperty("BothSaved", bothSaved);
    RecordProperty("PairsBothOwning", pairsBothOwning);
    RecordProperty("PairsBothSaving", pairsBothSaving);
    EXPECT_EQ(bothOwned, 0);
    EXPECT_EQ(noneOwned, 0);
    EXPECT_EQ(bothSaved, 0);
    EXPECT_EQ(savedWithoutLock, 0);
    EXPECT_EQ(wrongContent, 0);
    EXPECT_EQ(leftBehind, 0);
}

TEST(MasterStore, TakeOverByAnotherCopyRefusesTheFirstCopysSaves) {
    ProgramFolder f;
    ScriptedHost host;
    auto first = std::make_unique<CMasterDataStore>(f.program);
    ASSERT_EQ(first->LoadMastersAtStartup(), 1);
    ASSERT_EQ(OwnedLocks(*first), (1 << CMasterDataStore::kLockCount) - 1);

    // A second copy answers Yes to the take-over question and saves.
    Pipe go, done, report;
    const pid_t second = StartCopy(f.program, 1, IDYES, go, done, report);
    ASSERT_GT(second, 0);
    report.CloseWrite();
    go.CloseWrite();
    CopyReport r;
    ASSERT_TRUE(ReadReport(report.read, r));
    EXPECT_EQ(r.started, 1);
    EXPECT_EQ(r.owned, (1 << CMasterDataStore::kLockCount) - 1);
    EXPECT_EQ(r.saved, (1 << CMasterDataStore::kLockCount) - 1);

    // The first copy learns of it when it saves: every save is refused with the lock's message and
    // the second copy's file stays.
    first->GetTankaFile().m_columnTitles[0] = "写し0";
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id) EXPECT_EQ(SaveLockable(*first, id), 0) << id;
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(CMasterDataStore::kLockCount, kSaveRefused));
    CTankaFile saved;
    ASSERT_EQ(LoadMasterFromBytes(saved, ReadTestFile(f.data + "/単価データ.daa")), MasterLoadResult::loaded);
    EXPECT_EQ(saved.m_columnTitles[0], "写し1");

    // The first copy's exit leaves the second one's locks alone.
    first.reset();
    for (const auto& path : f.LockableFiles()) EXPECT_TRUE(IsReadOnlyMarked(path)) << path;
    done.CloseWrite();
    ASSERT_TRUE(ExitedNormally(second));
    for (const auto& path : f.LockableFiles()) EXPECT_FALSE(IsReadOnlyMarked(path)) << path;
    EXPECT_EQ(LeftOvers(f), std::vector<std::string>{});
}

TEST(MasterStore, LocksOfAKilledCopyAreTakenOverOrTakenOnceUnmarked) {
    const std::string allEditors = kBukakeEditor + mastertext::kEditorHenkaritsu + mastertext::kEditorTanka +
                                   mastertext::kEditorShokeihi + mastertext::kEditorProgramKingaku +
                                   mastertext::kEditorZairyoTanka;
    const struct {
        bool marksCleared;  // the user cleared the read-only marks the killed copy left
        std::vector<std::string> messages;
    } cases[] = {
        {false, {kTakeOverText + allEditors + kTakeOverQuestion}},
        {true, {}},
    };
    for (const auto& c : cases) {
        ProgramFolder f;
        ScriptedHost host;
        Pipe go, done, report;
        const pid_t killed = StartCopy(f.program, 0, IDNO, go, done, report);
        ASSERT_GT(killed, 0);
        report.CloseWrite();
        go.CloseWrite();
        CopyReport r;
        ASSERT_TRUE(ReadReport(report.read, r));
        ASSERT_EQ(r.owned, (1 << CMasterDataStore::kLockCount) - 1);
        ::kill(killed, SIGKILL);
        ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
        ASSERT_EQ(LeftOvers(f).size(), 6u) << "a lock file for each of the six files";
        if (c.marksCleared)
            for (const auto& path : f.LockableFiles()) vemo::SetReadOnlyMark(path, false);

        {
            CMasterDataStore store(f.program);
            store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
            host.answers = {IDYES};
            ASSERT_EQ(store.LoadMastersAtStartup(), 1);
            EXPECT_EQ(host.MessageTexts(), c.messages) << c.marksCleared;
            EXPECT_EQ(OwnedLocks(store), (1 << CMasterDataStore::kLockCount) - 1) << c.marksCleared;
            for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
                EXPECT_EQ(SaveLockable(store, id), 1) << id << " " << c.marksCleared;
        }
        EXPECT_EQ(LeftOvers(f), std::vector<std::string>{}) << c.marksCleared;
        for (const auto& path : f.LockableFiles()) EXPECT_FALSE(IsReadOnlyMarked(path)) << path;
    }
}

TEST(MasterStore, SavesWhileAnotherCopyStartsRepeatedlyNeverFail) {
    ProgramFolder f;
    ScriptedHost host;
    const int starts = RoundsFromEnvironment("VEMO_LOCK_STARTS", 40);
    const int minimumSaves = RoundsFromEnvironment("VEMO_LOCK_SAVES", 300);
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    // A 単価 master of some size, so that a save takes a while.
    for (int row = 0; row < 2000; ++row) AddTankaRow(store.GetTankaFile(), 2000 + row, "普通作業員", {15000 + row});

    const pid_t starter = ::fork();
    ASSERT_GE(starter, 0);
    if (starter == 0) {
        // Starts and ends a second copy, again and again; it declines the take-over.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (int i = 0; i < starts; ++i) {
            ScriptedHost copyHost;
            copyHost.answers = {IDNO};
            CMasterDataStore copy(f.program);
            copy.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
            if (copy.LoadMastersAtStartup() != 1) ::_exit(3);
        }
        ::_exit(0);
    }
    // Saves until the other copy has started and ended `starts` times, and at least minimumSaves times.
    int saves = 0, failed = 0, status = 0;
    bool starterRunning = true;
    while (starterRunning || saves < minimumSaves) {
        const int id = saves % CMasterDataStore::kLockCount;
        store.GetTankaFile().m_columnTitles[0] = saves % 2 ? "版A" : "版B";
        failed += SaveLockable(store, id) != 1;
        ++saves;
        if (starterRunning && ::waitpid(starter, &status, WNOHANG) == starter) starterRunning = false;
    }
    RecordProperty("Saves", saves);
    RecordProperty("Starts", starts);
    RecordProperty("FailedSaves", failed);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(failed, 0) << "of " << saves << " saves";
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{});
}

TEST(MasterStore, TakeOverOnAFixedDrive) {
    ProgramFolder f;
    ScriptedHost host;
    for (const auto& path : f.LockableFiles()) vemo::SetReadOnlyMark(path, true);  // a crashed run
    CMasterDataStore store(f.program);
    store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
    host.answers = {IDYES};
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
        EXPECT_EQ(store.GetLockOwner(static_cast<CMasterDataStore::LockId>(id)), 1) << id;
    EXPECT_EQ(store.SerializeTankaFile(1, nullptr, ""), 1);
}

TEST(MasterStore, TakeOverOnRemovableAndNetworkDrives) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    vemo::SetReadOnlyMark(f.masters + "/歩掛データ.soa", true);
    ASSERT_EQ(store.SerializeBukakeFile(0, nullptr, ""), 1);

    // Removable: only the plain message.
    store.classifyDrive = [](const std::string&) { return DriveKind::removable; };
    EXPECT_EQ(store.AskForceMasterLocks(kBukakeEditor), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kTakeOverText + kBukakeEditor);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);

    // Network: Yes brings the second question; No there changes no lock.
    host.messages.clear();
    store.classifyDrive = [](const std::string&) { return DriveKind::network; };
    host.answers = {IDYES, IDNO};
    EXPECT_EQ(store.AskForceMasterLocks(kBukakeEditor), 0);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{kTakeOverText + kBukakeEditor + kTakeOverQuestion,
                                                             kNetworkQuestion}));
    EXPECT_EQ(store.GetLockOwner(CMasterDataStore::kLockBukake), 0);
    EXPECT_FALSE(IsReadOnlyMarked(f.masters + "/変化率データ.soa"));

    // Network, Yes twice: every file is ours.
    host.messages.clear();
    host.answers = {IDYES, IDYES};
    EXPECT_EQ(store.AskForceMasterLocks(kBukakeEditor), 1);
    EXPECT_EQ(host.messages.size(), 2u);
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
        EXPECT_EQ(store.GetLockOwner(static_cast<CMasterDataStore::LockId>(id)), 1) << id;
}

TEST(MasterStore, DriveClassification) {
    TempFolder dir;
    EXPECT_EQ(ClassifyDrive(dir.Path()), DriveKind::fixed);
    EXPECT_EQ(ClassifyDrive(""), DriveKind::unknown);
    EXPECT_EQ(ClassifyDrive("relative/path"), DriveKind::unknown);
    EXPECT_EQ(ClassifyDrive(dir / "does/not/exist"), DriveKind::unknown);
}

TEST(MasterStore, KilledSavesLeaveTheOldOrTheNewFileMarkedAndOneTemporaryAtMost) {
    ProgramFolder f;
    ScriptedHost host;
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.SerializeTankaFile(0, nullptr, ""), 1);
    ASSERT_EQ(store.LockTankaFile(1, 1), 1);
    const std::string path = f.data + "/単価データ.daa";
    // A master of some size, so that a save takes a while; and the two versions a saving program
    // alternates between, as the store writes them.
    CTankaFile& tanka = store.GetTankaFile();
    for (int row = 0; row < 3000; ++row) AddTankaRow(tanka, 2000 + row, "普通作業員", {15000 + row, 16000});
    std::string versions[2];
    for (int v = 0; v < 2; ++v) {
        tanka.m_columnTitles[0] = v == 0 ? "版A" : "版B";
        ASSERT_EQ(store.SerializeTankaFile(1, nullptr, ""), 1);
        versions[v] = ReadTestFile(path);
    }
    ASSERT_NE(versions[0], versions[1]);
    // The take-over after each kill takes every lock; the folder holds them all from the start.
    store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
    host.answers = {IDYES};
    ASSERT_EQ(store.AskForceMasterLocks(mastertext::kEditorTanka), 1);
    const std::vector<std::string> files = NamesIn(f.data).others;  // the masters and their lock files

    std::mt19937 random(33);
    int leftTemporary = 0;
    for (int kill = 0; kill < 40; ++kill) {
        // The saving copy takes the lock itself, as a copy of the program does at its start.
        ASSERT_EQ(store.LockTankaFile(0, 1), 1) << "kill " << kill;
        Pipe saving;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves until killed: far more saves than fit in the time before the kill. It never
            // outlives the test.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            saving.CloseRead();
            if (store.LockTankaFile(1, 1) != 1) ::_exit(2);
            for (int i = 0; i < 1000000; ++i) {
                tanka.m_columnTitles[0] = i % 2 == 0 ? "版B" : "版A";
                if (store.SerializeTankaFile(1, nullptr, "") != 1) ::_exit(3);
                if (i == 0) saving.CloseWrite();  // the first save is done: the test may kill
            }
            ::_exit(0);
        }
        saving.CloseWrite();
        WaitForClose(saving.read);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "kill " << kill << ", exit " << WEXITSTATUS(status);

        const std::string bytes = ReadTestFile(path);
        EXPECT_TRUE(bytes == versions[0] || bytes == versions[1]) << "kill " << kill;
        EXPECT_TRUE(IsReadOnlyMarked(path)) << "kill " << kill;
        const FolderNames names = NamesIn(f.data);
        EXPECT_LE(names.temporaries.size(), 1u) << "kill " << kill;
        EXPECT_EQ(names.others, files) << "kill " << kill;
        leftTemporary += names.temporaries.empty() ? 0 : 1;
        // The killed copy's lock is taken over, as after a crash.
        host.answers = {IDYES};
        ASSERT_EQ(store.AskForceMasterLocks(mastertext::kEditorTanka), 1) << "kill " << kill;
    }
    RecordProperty("KillsLeavingATemporary", leftTemporary);
    // The next save removes what the killed ones left.
    host.messages.clear();
    ASSERT_EQ(store.SerializeTankaFile(1, nullptr, ""), 1);
    EXPECT_TRUE(NamesIn(f.data).temporaries.empty());
    EXPECT_TRUE(IsReadOnlyMarked(path));
    EXPECT_TRUE(host.messages.empty());
}

TEST(MasterStore, StartupRemovesOnlyTemporariesNoRunningCopyWrites) {
    ProgramFolder f;
    ScriptedHost host;
    // Two other copies of the program: one still saving, one that was killed while saving.
    Pipe keepRunning, keepEnded;
    const pid_t runningCopy = ::fork();
    ASSERT_GE(runningCopy, 0);
    if (runningCopy == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        keepRunning.CloseWrite();
        keepEnded.CloseWrite();
        WaitForClose(keepRunning.read);
        ::_exit(0);
    }
    const pid_t endedCopy = ::fork();
    ASSERT_GE(endedCopy, 0);
    if (endedCopy == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        keepRunning.CloseWrite();
        keepEnded.CloseWrite();
        WaitForClose(keepEnded.read);
        ::_exit(0);
    }
    keepRunning.CloseRead();
    keepEnded.CloseRead();
    const std::optional<vemo::ProcessId> running = vemo::LocalProcess(runningCopy);
    const std::optional<vemo::ProcessId> ended = vemo::LocalProcess(endedCopy);
    ASSERT_TRUE(running && ended);
    keepEnded.CloseWrite();
    ASSERT_TRUE(ExitedNormally(endedCopy));

    auto temporary = [](const std::string& target, const vemo::ProcessId& writer) {
        return vemo::JoinPath(vemo::ParentFolder(target),
                              vemo::ReplacingTemporaryPrefix(vemo::FileNameOf(target), writer) + "a1B2c3");
    };
    const std::vector<std::string> stale = {temporary(f.masters + "/歩掛データ.soa", *ended),
                                            temporary(f.data + "/単価データ.daa", *ended),
                                            temporary(f.data + "/表紙データ.daa", vemo::ThisProcess())};
    const std::vector<std::string> inFlight = {temporary(f.masters + "/変化率データ.soa", *running),
                                               temporary(f.data + "/単価データ.daa", *running)};
    for (const std::string& path : stale) WriteTestFile(path, "half a save");
    for (const std::string& path : inFlight) WriteTestFile(path, "a save in flight");
    WriteTestFile(f.data + "/.メモ.txt", "not a temporary file");
    CMasterDataStore store(f.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    for (const std::string& path : stale) EXPECT_FALSE(fs::exists(path)) << path;
    for (const std::string& path : inFlight) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(fs::exists(f.data + "/.メモ.txt"));
    // And so does a save.
    ASSERT_EQ(store.SerializeTankaFile(1, nullptr, ""), 1);
    EXPECT_TRUE(fs::exists(inFlight[1]));
    keepRunning.CloseWrite();
    ASSERT_TRUE(ExitedNormally(runningCopy));
}
