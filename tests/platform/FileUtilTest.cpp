// Tests of platform/FileUtil.h.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "platform/ProcessId.h"
#include "platform/TextUtil.h"

using namespace vemo;

TEST(FileUtil, ReplacingWriteCreatesAndReplaces) {
    TempFolder dir;
    std::string path = dir / "歩掛データ.soa";
    ASSERT_TRUE(WriteFileReplacing(path, std::string("first\0bytes", 11)));
    EXPECT_EQ(ReadTestFile(path), std::string("first\0bytes", 11));
    ASSERT_TRUE(WriteFileReplacing(path, "second"));
    EXPECT_EQ(ReadTestFile(path), "second");
    // Nothing but the target is left in the folder.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(FileUtil, FailedWriteLeavesTargetUntouched) {
    TempFolder dir;
    std::string path = dir / "target.daa";
    WriteTestFile(path, "old contents");
    // A target inside a folder that does not exist: nothing can be created.
    std::string error;
    EXPECT_FALSE(WriteFileReplacing(dir / "missing/target.daa", "x", &error));
    EXPECT_FALSE(error.empty());
    // A target that is a folder: the rename fails, the temporary file is removed.
    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(WriteFileReplacing(dir / "folder", "x", &error));
    EXPECT_EQ(ReadTestFile(path), "old contents");
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2);  // target.daa and folder only
}

TEST(FileUtil, FailedWriteInReadOnlyFolderWhenNotRoot) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempFolder dir;
    std::string path = dir / "target.daa";
    WriteTestFile(path, "old contents");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    EXPECT_FALSE(WriteFileReplacing(path, "new"));
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadTestFile(path), "old contents");
}

TEST(FileUtil, WritingThroughALinkReplacesItsEndAndRefusesALinkToNothing) {
    TempFolder dir;
    namespace fs = std::filesystem;
    WriteTestFile(dir / "shared/master.daa", "old");
    // A chain of two links, the first relative to its own folder.
    fs::create_directory(dir / "data");
    fs::create_symlink(dir / "shared/master.daa", dir / "shared/alias.daa");
    fs::create_symlink("../shared/alias.daa", dir / "data/master.daa");
    ASSERT_TRUE(WriteFileThroughLink(dir / "data/master.daa", "new"));
    EXPECT_EQ(ReadTestFile(dir / "shared/master.daa"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "data/master.daa"));
    EXPECT_TRUE(fs::is_symlink(dir / "shared/alias.daa"));
    // A file the user chose is saved the same way, unless its owner marked it read-only.
    EXPECT_EQ(SaveUserFile(dir / "data/master.daa", "saved"), SaveResult::saved);
    ASSERT_TRUE(SetReadOnlyMark(dir / "shared/master.daa", true));
    EXPECT_EQ(SaveUserFile(dir / "data/master.daa", "refused"), SaveResult::readOnly);
    EXPECT_EQ(ReadTestFile(dir / "shared/master.daa"), "saved");

    fs::create_symlink(dir / "elsewhere/none.daa", dir / "data/dangling.daa");
    std::string error;
    EXPECT_FALSE(WriteFileThroughLink(dir / "data/dangling.daa", "new", &error));
    EXPECT_EQ(error.rfind(FillText(platformtext::kCannotFollowLink, {dir / "data/dangling.daa"}) + platformtext::kErrorDetailSeparator, 0), 0u) << error;
    EXPECT_FALSE(fs::exists(dir / "elsewhere"));
    EXPECT_TRUE(fs::is_symlink(dir / "data/dangling.daa"));
    // Nothing but the links and the file they lead to.
    std::vector<std::string> names;
    for (auto& e : fs::recursive_directory_iterator(dir.Path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"alias.daa", "dangling.daa", "data", "master.daa", "master.daa", "shared"}));
}

TEST(FileUtil, ReplacingKeepsPermissionBits) {
    TempFolder dir;
    std::string path = dir / "a.sei";
    WriteTestFile(path, "x");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileReplacing(path, "y"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileUtil, ReadOnlyMark) {
    TempFolder dir;
    std::string path = dir / "単価データ.daa";
    WriteTestFile(path, "x");
    EXPECT_FALSE(IsReadOnlyMarked(path));
    ASSERT_TRUE(SetReadOnlyMark(path, true));
    EXPECT_TRUE(IsReadOnlyMarked(path));
    ASSERT_TRUE(SetReadOnlyMark(path, false));
    EXPECT_FALSE(IsReadOnlyMarked(path));
    EXPECT_FALSE(SetReadOnlyMark(dir / "missing", true));
    EXPECT_FALSE(IsReadOnlyMarked(dir / "missing"));
}

TEST(FileUtil, BoundedReadsOfARegularFile) {
    TempFolder dir;
    const std::string path = dir / "ten.daa";
    WriteTestFile(path, "0123456789");
    // The reason gives the limit in whole megabytes, rounded up.
    auto tooLarge = [](const char* megabytes) { return FillText(platformtext::kFileTooLarge, {megabytes}); };
    // A whole file up to a limit, a larger one refused with nothing given back; or the head of a file.
    const struct {
        bool whole;
        size_t limit;
        ReadResult result;
        std::string bytes;
        bool longer;
        std::string error;
    } cases[] = {
        {true, 10, ReadResult::read, "0123456789", false, ""},
        {true, 11, ReadResult::read, "0123456789", false, ""},
        {true, 9, ReadResult::tooLarge, "unchanged", false, tooLarge("1")},
        {true, 0, ReadResult::tooLarge, "unchanged", false, tooLarge("0")},
        {false, 0, ReadResult::read, "", true, ""},
        {false, 4, ReadResult::read, "0123", true, ""},
        {false, 10, ReadResult::read, "0123456789", false, ""},
        {false, 1000, ReadResult::read, "0123456789", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.whole ? "whole, " : "head, ") + std::to_string(c.limit));
        std::string out = "unchanged", error;
        bool longer = !c.longer;
        EXPECT_EQ(c.whole ? ReadWholeFile(path, c.limit, out, &error) : ReadFileHead(path, c.limit, out, &longer, &error),
                  c.result);
        EXPECT_EQ(out, c.bytes);
        EXPECT_EQ(error, c.error);
        if (!c.whole) EXPECT_EQ(longer, c.longer);
    }
}

namespace {

// A child's read of the file at a path, whole or its head (argument: the path, "whole" or "head"):
// the result, the bytes read and the error.
CHILD_WORK(ReadInChild, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    std::string out = "unchanged", error;
    const ReadResult result = parts.at(1) == "whole" ? ReadWholeFile(parts.at(0), kDataFileLimit, out, &error)
                                                     : ReadFileHead(parts.at(0), kDataFileLimit, out, nullptr, &error);
    return std::to_string(static_cast<int>(result)) + " " + out + " " + error;
}

}  // namespace

TEST(FileUtil, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    TempFolder dir;
    const std::string loop = dir / "輪";
    std::filesystem::create_symlink(loop, loop);
    const struct {
        const char* what;
        std::string path;
        std::function<void(const std::string&)> make;
        ReadResult result;
        std::string error;
    } cases[] = {
        {"nothing", dir / "none", nullptr, ReadResult::missing,
         FillText(platformtext::kCannotOpen, {dir / "none"}) + platformtext::kErrorDetailSeparator + std::strerror(ENOENT)},
        {"a link to itself", loop, nullptr, ReadResult::unreadable,
         FillText(platformtext::kCannotOpen, {loop}) + platformtext::kErrorDetailSeparator + std::strerror(ELOOP)},
        {"a folder", dir / "folder", [](const std::string& p) { std::filesystem::create_directory(p); },
         ReadResult::notAFile, platformtext::kNotARegularFile},
        {"a named pipe", dir / "pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         ReadResult::notAFile, platformtext::kNotARegularFile},
        {"a device", "/dev/zero", nullptr, ReadResult::notAFile, platformtext::kNotARegularFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.make) c.make(c.path);
        for (const bool whole : {true, false}) {
            const ChildOutcome child = RunInChild(&ReadInChild, ChildArguments({c.path, whole ? "whole" : "head"}));
            EXPECT_EQ(child.report, std::to_string(static_cast<int>(c.result)) + " unchanged " + c.error) << child.how;
        }
    }
}

TEST(FileUtil, TemporariesNameTheirWriter) {
    const std::string own = ReplacingTemporaryPrefix("単価データ.daa", ThisProcess());
    const std::string tag = SystemTag(ThisProcess());
    EXPECT_EQ(own, ".単価データ.daa.save-" + tag + "." + std::to_string(::getpid()) + "." +
                       std::to_string(ThisProcess().start) + "-");
    const struct {
        std::string name;
        bool temporary;
    } names[] = {
        {own + "Ab12Cd", true},
        {".a.save-" + tag + ".1.2-XXXXXX", true},
        {"単価データ.daa", false},
        {own.substr(1) + "Ab12Cd", false},  // no leading dot
        {own + "Ab12C", false},             // five random characters
        {own + "Ab1_Cd", false},
        {".単価データ.daa.save-Ab12Cd", false},  // no writer
        {".a.save-" + tag + "..2-XXXXXX", false},                 // no pid
        {".a.save-" + tag + ".1.-XXXXXX", false},                 // no start time
        {".a.save-" + tag.substr(1) + ".1.2-XXXXXX", false},      // a short tag
        {".save-" + tag + ".1.2-XXXXXX", false},                  // no target name
    };
    for (const auto& n : names) EXPECT_EQ(IsReplacingTemporary(n.name), n.temporary) << n.name;
}

// A process of this machine that runs until the test lets it end.
struct ChildProcess {
    int fds[2] = {-1, -1};
    pid_t pid = -1;
    ChildProcess() {
        if (::pipe(fds) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::close(fds[1]);
            char c;
            while (::read(fds[0], &c, 1) < 0) {
            }
            ::_exit(0);
        }
        ::close(fds[0]);
    }
    void End() {
        if (fds[1] >= 0) ::close(fds[1]);
        fds[1] = -1;
        if (pid > 0) ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ~ChildProcess() { End(); }
};

TEST(FileUtil, OnlyTemporariesNoProgramWritesAreRemoved) {
    ChildProcess running, ended;
    ASSERT_GT(running.pid, 0);
    ASSERT_GT(ended.pid, 0);
    const std::optional<ProcessId> runningId = LocalProcess(running.pid);
    const std::optional<ProcessId> endedId = LocalProcess(ended.pid);
    ASSERT_TRUE(runningId && endedId);
    ended.End();
    ProcessId otherMachine = ThisProcess();
    otherMachine.host = "別の機械";
    const auto dayAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(kForeignTemporaryHours + 1);

    TempFolder dir;
    const struct {
        ProcessId writer;
        bool old;  // untouched for longer than a foreign save may take
        bool removed;
    } writers[] = {
        {ThisProcess(), false, true},  // an earlier save of this process that could not clean up
        {*endedId, false, true},
        {*runningId, false, false},    // another copy's save in flight
        {*runningId, true, false},
        {otherMachine, false, false},
        {otherMachine, true, true},
    };
    // Each writer's temporary file of two targets; afterSave: the names kept by a save of a.daa,
    // afterSweep: those kept by the sweep of the folder after it.
    std::vector<std::string> afterSave = {".a.daa.save-Ab12Cd", "a.daa"}, afterSweep = afterSave;
    for (const std::string target : {"a.daa", "b.daa"})
        for (size_t w = 0; w < std::size(writers); ++w) {
            const std::string name = ReplacingTemporaryPrefix(target, writers[w].writer) + "Qz" + std::to_string(w) + "aaa";
            WriteTestFile(dir / name, "half a save");
            if (writers[w].old) std::filesystem::last_write_time(dir / name, dayAgo);
            if (!writers[w].removed || target == "b.daa") afterSave.push_back(name);
            if (!writers[w].removed) afterSweep.push_back(name);
        }
    WriteTestFile(dir / "a.daa", "old");
    WriteTestFile(dir / ".a.daa.save-Ab12Cd", "a file of the user's");
    auto namesIn = [&dir] {
        std::vector<std::string> found;
        for (auto& e : std::filesystem::directory_iterator(dir.Path())) found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    };
    std::sort(afterSave.begin(), afterSave.end());
    std::sort(afterSweep.begin(), afterSweep.end());
    ASSERT_TRUE(WriteFileReplacing(dir / "a.daa", "new"));
    EXPECT_EQ(ReadTestFile(dir / "a.daa"), "new");
    EXPECT_EQ(namesIn(), afterSave);
    EXPECT_EQ(RemoveStaleTemporariesIn(dir.Path()), 3);
    EXPECT_EQ(namesIn(), afterSweep);
}

TEST(FileUtil, TwoProcessesReplacingOneFileNeverRemoveEachOthersTemporary) {
    TempFolder dir;
    const std::string path = dir / "見積.sei";
    WriteTestFile(path, "start");
    constexpr int kSaves = 400;
    const std::string bytes[2] = {std::string(200000, 'a'), std::string(200000, 'b')};
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        int failed = 0;
        for (int i = 0; i < kSaves; ++i) failed += !WriteFileReplacing(path, bytes[1]);
        ::_exit(failed > 250 ? 250 : failed);
    }
    int failed = 0;
    for (int i = 0; i < kSaves; ++i) failed += !WriteFileReplacing(path, bytes[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves of the other process";
    const std::string last = ReadTestFile(path);
    EXPECT_TRUE(last == bytes[0] || last == bytes[1]);
}

TEST(FileUtil, Paths) {
    EXPECT_EQ(JoinPath("/a/b", "c.soa"), "/a/b/c.soa");
    EXPECT_EQ(JoinPath("/a/b/", "/c"), "/a/b/c");
    EXPECT_EQ(JoinPath("", "c"), "c");
    EXPECT_EQ(NormalizePath("/a//b/./c/../d/"), "/a/b/d");
    EXPECT_EQ(NormalizePath("/"), "/");
    EXPECT_TRUE(SamePath("/x/データ格納/参考マスター25/", "/x/データ格納/./参考マスター25"));
    EXPECT_FALSE(SamePath("/x/a", "/x/b"));
    EXPECT_EQ(ParentFolder("/x/データ格納/参考マスター25"), "/x/データ格納");
    EXPECT_EQ(ParentFolder("/x"), "/");
    EXPECT_EQ(ParentFolder("name"), "");
    EXPECT_EQ(FileNameOf("/x/y/材料単価データ25.zoa"), "材料単価データ25.zoa");
    EXPECT_EQ(ExtensionOf("/x/y/材料単価データ25.zoa"), ".zoa");
    EXPECT_EQ(ExtensionOf("/x/y.d/name"), "");
    EXPECT_TRUE(FolderExists(ProgramFolder()));
}
