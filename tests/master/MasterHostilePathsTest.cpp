// Tests of master/MasterStore.h (edit locks and saves) and platform/LockFile.h on hostile and unlucky
// paths: lock files that are links, pipes, folders or unreadable, an unwritable data folder, a master that
// is a link, a disk that is full during a save or a take-over, a lock file that another process keeps a
// record lock on, and a take-over that cannot mark another user's master. Each case runs one copy of the
// program (start-up, one save, exit) in a child process, with a deadline only a hang reaches.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include "EventWait.h"
#include "ScriptedHost.h"
#include "StoreFixture.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

namespace fs = std::filesystem;
using namespace storetest;
using Store = CMasterDataStore;

namespace {

constexpr int kAllLocks = (1 << Store::kLockCount) - 1;
constexpr int Bit(Store::LockId id) { return 1 << id; }
// The bytes a file may grow to while the disk is "full".
constexpr rlim_t kFullDiskBytes = 8;
// The column title the copy gives its 単価 master before saving it.
const std::string kSavedTitle = "保存した単価";
// Stands, in an expected message, for a part that differs from run to run (a temporary file's name).
const std::string kAny = "<any>";

enum class FullDisk { never, atStartup, atSave };

// One case's folders: the program folder and, beside it, a folder that is none of the program's.
struct Place {
    ProgramFolder f;
    std::string outside = f.root / "outside";
    std::string tanka = f.data + "/単価データ.daa";
    std::string tankaLock = vemo::LockFilePath(tanka);
    int reader = -1;  // keeps a record lock on a lock file while the copy, another process, runs
    Place() { fs::create_directories(outside); }
    ~Place() { ::close(reader); }
};

struct Case {
    const char* name;
    std::function<void(Place&)> prepare;  // puts the hostile file in place
    bool crashMarks;                      // the six files carry the marks of a run that crashed
    bool asOrdinaryUser;                  // the copy runs as a user whom the permission bits bind
    FullDisk fullDisk;
    std::function<std::vector<std::string>(const Place&)> messages;
    int owned;                  // the locks the copy owns after its start-up
    bool saved;                 // its 単価 save went through
    const char* writtenOutside; // the one file outside the data folder that the save writes
    bool endedCopysLockGoes = false;  // the lock file of an ended copy is gone at the end
    bool anotherUsersMaster = false;  // the case needs root, to give a master to another user
};

std::string AllEditors() {
    std::string editors;
    for (int id = 0; id < Store::kLockCount; ++id) editors += Store::EditorNames(static_cast<Store::LockId>(id));
    return editors;
}

const std::string kHeldQuestion = std::string(mastertext::kLocksHeld) + AllEditors() + mastertext::kAskForceLocks;
const std::string kTankaHeldQuestion =
    std::string(mastertext::kLocksHeld) + mastertext::kEditorTanka + mastertext::kAskForceLocks;
const std::string kSaveRefused = mastertext::kSaveRefused;

// The refusal that lists editors and then, after a blank line, what was found.
std::string Refused(const std::string& editors, const std::string& found) {
    return mastertext::kLocksRefused + editors + found;
}
std::string Found(const std::string& path, const char* what) { return "\n" + path + what; }

bool Matches(const std::string& text, const std::string& expected) {
    const size_t any = expected.find(kAny);
    if (any == std::string::npos) return text == expected;
    const std::string head = expected.substr(0, any), tail = expected.substr(any + kAny.size());
    return text.size() >= head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What one copy did, as its child process reports it.
struct Report {
    std::string how;  // empty when the copy reported; otherwise how the child ended
    int started = 0, owned = 0, saved = 0;
    std::vector<std::string> messages;
};

// Start-up (answering Yes to the take-over question), a save of the 単価 master, exit.
std::string RunCopy(const std::string& program, FullDisk fullDisk) {
    vemo::SetRecordLockWait(std::chrono::milliseconds(200));  // not the program's few seconds each time
    ScriptedHost host;
    host.answers = {IDYES};
    std::ostringstream out;
    {
        Store store(program);
        store.classifyDrive = [](const std::string&) { return DriveKind::fixed; };
        int started;
        {
            std::optional<FileSizeLimit> full;
            if (fullDisk == FullDisk::atStartup) full.emplace(kFullDiskBytes);
            started = store.LoadMastersAtStartup();
        }
        int owned = 0;
        for (int id = 0; id < Store::kLockCount; ++id)
            if (store.GetLockOwner(static_cast<Store::LockId>(id)) == 1) owned |= 1 << id;
        store.GetTankaFile().m_columnTitles[0] = kSavedTitle;
        int saved;
        {
            std::optional<FileSizeLimit> full;
            if (fullDisk == FullDisk::atSave) full.emplace(kFullDiskBytes);
            saved = store.SerializeTankaFile(1, nullptr, "");
        }
        out << started << ' ' << owned << ' ' << saved << '\n';
    }  // the copy exits: its locks are released
    for (const std::string& text : host.MessageTexts()) out << text << '\0';
    return out.str();
}

// A user whom the permission bits bind, for a child of root: root reads and writes whatever they say.
struct OrdinaryUser {
    uid_t uid = 0;
    gid_t gid = 0;
    bool needed = ::geteuid() == 0;
    OrdinaryUser() {
        if (const passwd* nobody = needed ? ::getpwnam("nobody") : nullptr) {
            uid = nobody->pw_uid;
            gid = nobody->pw_gid;
        }
    }
    // Gives the user everything below folder.
    void Own(const std::string& folder) const {
        if (!needed) return;
        ::lchown(folder.c_str(), uid, gid);
        for (auto& e : fs::recursive_directory_iterator(folder)) ::lchown(e.path().c_str(), uid, gid);
    }
    bool Become() const {
        return !needed || (uid != 0 && ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0);
    }
};

Report RunCopyInChild(const std::string& program, FullDisk fullDisk, const OrdinaryUser* user) {
    Report report;
    int fds[2];
    if (::pipe(fds) != 0) {
        report.how = "no pipe";
        return report;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(fds[0]);
        if (user && !user->Become()) ::_exit(3);
        const std::string text = RunCopy(program, fullDisk);
        for (size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0) ::_exit(2);
            done += static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    bool hung = false;
    for (;;) {
        pollfd wait{fds[0], POLLIN, 0};
        if (::poll(&wait, 1, kHangMs) != 1) {
            hung = true;
            break;
        }
        char buf[4096];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        text.append(buf, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (hung) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (hung) report.how = "no report within the deadline: the copy hangs";
    else if (WIFSIGNALED(status)) report.how = "ended by signal " + std::to_string(WTERMSIG(status));
    else if (WEXITSTATUS(status) != 0) report.how = "exited with " + std::to_string(WEXITSTATUS(status));
    if (!report.how.empty()) return report;
    std::istringstream in(text);
    in >> report.started >> report.owned >> report.saved;
    in.get();
    for (std::string message; std::getline(in, message, '\0');) report.messages.push_back(message);
    return report;
}

// Every entry below a folder, links not followed: its mode (kind and permission bits), then a file's
// bytes or a link's target.
std::map<std::string, std::string> Tree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string path = e.path().string();
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) continue;
        std::string what = std::to_string(st.st_mode);
        if (S_ISREG(st.st_mode)) what += " " + ReadTestFile(path);
        if (S_ISLNK(st.st_mode)) what += " -> " + fs::read_symlink(path).string();
        tree[path] = what;
    }
    return tree;
}

std::string Mode(const std::map<std::string, std::string>& tree, const std::string& path) {
    const auto it = tree.find(path);
    return it == tree.end() ? "none" : it->second.substr(0, it->second.find(' '));
}

// The paths whose entries differ between two trees, each with its mode and length before and after.
std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
    auto brief = [](const std::map<std::string, std::string>& tree, const std::string& path) {
        const auto it = tree.find(path);
        return it == tree.end() ? std::string("none")
                                : Mode(tree, path) + " (" + std::to_string(it->second.size()) + " characters)";
    };
    std::map<std::string, std::string> all = before;
    all.insert(after.begin(), after.end());
    std::vector<std::string> differences;
    for (const auto& [path, ignored] : all) {
        const auto b = before.find(path), a = after.find(path);
        if (b == before.end() || a == after.end() || b->second != a->second)
            differences.push_back(path + ": " + brief(before, path) + " -> " + brief(after, path));
    }
    return differences;
}

// Whether the master file at path (links followed) loads whole as a Root.
template <class Root>
bool LoadsWhole(const std::string& path) {
    Root root;
    return LoadMasterFromBytes(root, ReadTestFile(path)) == MasterLoadResult::loaded;
}

bool EveryMasterLoadsWhole(const ProgramFolder& f) {
    return LoadsWhole<CBukakeFile>(f.masters + "/歩掛データ.soa") &&
           LoadsWhole<CHenkaritsuFile>(f.masters + "/変化率データ.soa") &&
           LoadsWhole<CTankaFile>(f.data + "/単価データ.daa") && LoadsWhole<CShokeihiFile>(f.data + "/諸経費データ.daa") &&
           LoadsWhole<CProgramKingakuFile>(f.data + "/プログラム金額データ.daa") &&
           LoadsWhole<CHyoshiData>(f.data + "/表紙データ.daa") &&
           LoadsWhole<CZairyoTankaFile>(f.data + "/材料単価データ25.zoa");
}

}  // namespace

TEST(MasterHostilePaths, EachCaseGivesItsMessageAndLeavesEveryFileWhole) {
    const OrdinaryUser ordinaryUser;
    const Case cases[] = {
        {"a lock file that links to a file of someone else's, at a take-over",
         [](Place& p) {
             WriteTestFile(p.outside + "/victim.txt", "someone else's file\n");
             fs::create_symlink(p.outside + "/victim.txt", p.tankaLock);
         },
         true, false, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {kHeldQuestion, Refused(mastertext::kEditorTanka, Found(p.tankaLock, mastertext::kLockFileIsLink)),
                     kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a lock file that links nowhere, at start-up",
         [](Place& p) { fs::create_symlink(p.outside + "/none.lock", p.tankaLock); }, false, false, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {Refused(mastertext::kEditorTanka, Found(p.tankaLock, mastertext::kLockFileIsLink)), kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a named pipe in place of a lock file",
         [](Place& p) { ASSERT_EQ(::mkfifo(p.tankaLock.c_str(), 0644), 0); }, false, false, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {Refused(mastertext::kEditorTanka, Found(p.tankaLock, mastertext::kLockFileIsPipe)), kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a folder in place of a lock file, at a take-over",
         [](Place& p) { fs::create_directory(p.tankaLock); }, true, false, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {kHeldQuestion,
                     Refused(mastertext::kEditorTanka, Found(p.tankaLock, mastertext::kLockFileIsFolder)),
                     kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a lock file the user may not read",
         [&](Place& p) {
             ordinaryUser.Own(p.f.root.Path());
             WriteTestFile(p.tankaLock, "vemo-lock 1\n");
             ASSERT_EQ(::chmod(p.tankaLock.c_str(), 0), 0);
         },
         false, true, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {Refused(mastertext::kEditorTanka, Found(p.tankaLock, mastertext::kLockFileNoAccess)),
                     kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a data folder the user may not write",
         [&](Place& p) {
             ordinaryUser.Own(p.f.root.Path());
             ASSERT_EQ(::chmod(p.f.data.c_str(), 0555), 0);
         },
         false, true, FullDisk::never,
         [](const Place& p) -> std::vector<std::string> {
             return {Refused(std::string(mastertext::kEditorTanka) + mastertext::kEditorShokeihi +
                                 mastertext::kEditorProgramKingaku + mastertext::kEditorZairyoTanka,
                             Found(p.f.data, mastertext::kLockFolderNoPermission)),
                     kSaveRefused};
         },
         Bit(Store::kLockBukake) | Bit(Store::kLockHenkaritsu), false, nullptr},
        {"a master that is a link to a file outside the data folder",
         [](Place& p) {
             fs::create_directories(p.outside + "/shared");
             fs::rename(p.tanka, p.outside + "/shared/単価データ.daa");
             fs::create_symlink("../../outside/shared/単価データ.daa", p.tanka);
         },
         false, false, FullDisk::never, [](const Place&) { return std::vector<std::string>{}; }, kAllLocks, true,
         "shared/単価データ.daa"},
        {"a full disk during a master save", [](Place&) {}, false, false, FullDisk::atSave,
         [](const Place& p) -> std::vector<std::string> {
             return {p.tanka + mastertext::kFileMissing + "\n" + vemo::FillText(platformtext::kCannotWrite, {kAny}) +
                     platformtext::kErrorDetailSeparator + std::strerror(EFBIG)};
         },
         kAllLocks, false, nullptr},
        {"a full disk when the lock of an ended copy is taken at start-up",
         [](Place& p) {
             vemo::ProcessId ended = vemo::ThisProcess();
             ++ended.start;  // this pid, started at another time: a process that has ended
             ASSERT_EQ(vemo::CreateLockFile(p.tankaLock, {ended, "ended"}), vemo::LockFileResult::created);
         },
         false, false, FullDisk::atStartup,
         [](const Place& p) -> std::vector<std::string> {
             std::string found;
             for (const std::string& path : p.f.LockableFiles())
                 found += Found(vemo::LockFilePath(path), mastertext::kLockFileNotWritten) + "\n" + std::strerror(EFBIG);
             return {Refused(AllEditors(), found), kSaveRefused};
         },
         0, false, nullptr, true},
        {"a full disk during a take-over", [](Place&) {}, true, false, FullDisk::atStartup,
         [](const Place& p) -> std::vector<std::string> {
             std::string found;
             for (const std::string& path : p.f.LockableFiles())
                 found += Found(vemo::LockFilePath(path), mastertext::kLockFileNotWritten) + "\n" + std::strerror(EFBIG);
             return {kHeldQuestion, Refused(AllEditors(), found), kSaveRefused};
         },
         0, false, nullptr},
        {"a lock file that another process keeps a read record lock on",
         [](Place& p) {
             WriteTestFile(p.tankaLock, "vemo-lock 1\n");
             // An open-file-description lock, which this process's reads of the folder do not drop.
             p.reader = ::open(p.tankaLock.c_str(), O_RDONLY | O_CLOEXEC);
             struct flock fl {};
             fl.l_type = F_RDLCK;
             ASSERT_EQ(::fcntl(p.reader, F_OFD_SETLK, &fl), 0);
         },
         false, false, FullDisk::never,
         [](const Place&) -> std::vector<std::string> {
             return {kTankaHeldQuestion, Refused(mastertext::kEditorTanka, ""), kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr},
        {"a take-over that cannot mark the master of another user, whose holder runs",
         [&](Place& p) {
             ordinaryUser.Own(p.f.root.Path());
             ASSERT_EQ(::lchown(p.tanka.c_str(), 0, 0), 0);
             ASSERT_TRUE(vemo::SetReadOnlyMark(p.tanka, true));
             ASSERT_EQ(vemo::CreateLockFile(p.tankaLock, {vemo::ThisProcess(), "holder"}),
                       vemo::LockFileResult::created);
             ASSERT_EQ(::chmod(p.tankaLock.c_str(), 0666), 0);  // any user of the shared folder rewrites it
         },
         false, true, FullDisk::never,
         [](const Place&) -> std::vector<std::string> {
             return {kTankaHeldQuestion, Refused(mastertext::kEditorTanka, ""), kSaveRefused};
         },
         kAllLocks & ~Bit(Store::kLockTanka), false, nullptr, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.anotherUsersMaster && !ordinaryUser.needed) continue;
        Place p;
        c.prepare(p);
        if (HasFatalFailure()) return;
        const std::string tankaBefore = ReadTestFile(p.tanka);
        const std::map<std::string, std::string> before = Tree(p.f.root.Path());
        for (const std::string& path : p.f.LockableFiles())
            ASSERT_TRUE(!c.crashMarks || vemo::SetReadOnlyMark(path, true));

        const Report r = RunCopyInChild(p.f.program, c.fullDisk, c.asOrdinaryUser ? &ordinaryUser : nullptr);
        if (!r.how.empty()) {
            ADD_FAILURE() << r.how;
            continue;
        }
        EXPECT_EQ(r.started, 1);
        const std::vector<std::string> expected = c.messages(p);
        EXPECT_EQ(r.messages.size(), expected.size());
        for (size_t i = 0; i < std::min(r.messages.size(), expected.size()); ++i)
            EXPECT_TRUE(Matches(r.messages[i], expected[i])) << "message " << i << ":\n"
                                                             << r.messages[i] << "\nexpected:\n"
                                                             << expected[i];
        EXPECT_EQ(r.owned, c.owned);
        EXPECT_EQ(r.saved, c.saved ? 1 : 0);

        // Nothing changed but the master the save wrote: no file outside the data folder, no hostile
        // file, no mark left behind (the exit released the locks), no lock or temporary file left over.
        std::map<std::string, std::string> after = Tree(p.f.root.Path()), unchanged = before;
        if (c.endedCopysLockGoes) unchanged.erase(p.tankaLock);
        if (c.writtenOutside) {
            const std::string written = p.outside + "/" + c.writtenOutside;
            EXPECT_EQ(Mode(after, written), Mode(before, written)) << "the written file keeps its permission bits";
            unchanged.erase(written);
            after.erase(written);
        }
        EXPECT_EQ(Differences(unchanged, after), std::vector<std::string>{});
        EXPECT_TRUE(EveryMasterLoadsWhole(p.f));
        if (c.saved) {
            CTankaFile tanka;
            LoadMasterFromBytes(tanka, ReadTestFile(p.tanka));
            EXPECT_EQ(tanka.m_columnTitles[0], kSavedTitle);
        } else {
            EXPECT_TRUE(ReadTestFile(p.tanka) == tankaBefore) << "the 単価 master is as it was";
        }
    }
}
