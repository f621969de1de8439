// Tests of platform/FileUtil.h.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "TempFolder.h"
#include "platform/FileUtil.h"

using namespace vemo;

TEST(FileUtil, ReplacingWriteCreatesAndReplaces) {
    TempFolder dir;
    std::string path = dir / "歩掛データ.soa";
    ASSERT_TRUE(WriteFileReplacing(path, std::string("first\0bytes", 11)));
    EXPECT_EQ(ReadTestFile(path), std::string("first\0bytes", 11));
    ASSERT_TRUE(WriteFileReplacing(path, "second"));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(path, back));
    EXPECT_EQ(back, "second");
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

TEST(FileUtil, BoundedReads) {
    TempFolder dir;
    const std::string path = dir / "ten.daa";
    WriteTestFile(path, "0123456789");
    // A whole file up to a limit: a larger one is refused and nothing is given back.
    const struct {
        size_t limit;
        ReadResult result;
        std::string bytes;
    } whole[] = {
        {10, ReadResult::read, "0123456789"},
        {11, ReadResult::read, "0123456789"},
        {9, ReadResult::tooLarge, "unchanged"},
        {0, ReadResult::tooLarge, "unchanged"},
    };
    for (const auto& c : whole) {
        std::string out = "unchanged";
        EXPECT_EQ(ReadFileBytesUpTo(path, c.limit, out), c.result) << c.limit;
        EXPECT_EQ(out, c.bytes) << c.limit;
    }
    // The head of a file.
    const struct {
        size_t limit;
        std::string bytes;
    } heads[] = {{0, ""}, {4, "0123"}, {10, "0123456789"}, {1000, "0123456789"}};
    for (const auto& c : heads) {
        std::string out = "unchanged";
        EXPECT_TRUE(ReadFileHead(path, c.limit, out)) << c.limit;
        EXPECT_EQ(out, c.bytes) << c.limit;
    }
    std::string out = "unchanged";
    EXPECT_EQ(ReadFileBytesUpTo(dir / "none", 10, out), ReadResult::failed);
    EXPECT_FALSE(ReadFileHead(dir / "none", 10, out));
    EXPECT_EQ(out, "unchanged");
}

TEST(FileUtil, TemporariesHaveOneNamePatternAndStaleOnesAreRemoved) {
    const struct {
        const char* name;
        bool temporary;
    } names[] = {
        {".単価データ.daa.save-Ab12Cd", true},
        {".a.save-XXXXXX", true},
        {"単価データ.daa", false},
        {"単価データ.daa.save-Ab12Cd", false},  // no leading dot
        {".単価データ.daa.save-Ab12C", false},  // five random characters
        {".単価データ.daa.save-Ab1_Cd", false},
        {".単価データ.daa.Ab12Cd", false},
        {".save-Ab12Cd", false},  // no target name
    };
    for (const auto& n : names) EXPECT_EQ(IsReplacingTemporary(n.name), n.temporary) << n.name;

    TempFolder dir;
    auto namesIn = [&dir] {
        std::vector<std::string> found;
        for (auto& e : std::filesystem::directory_iterator(dir.Path())) found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    };
    WriteTestFile(dir / "a.daa", "old");
    for (const char* stale : {".a.daa.save-111111", ".a.daa.save-222222", ".b.daa.save-333333"})
        WriteTestFile(dir / stale, "half a save");
    WriteTestFile(dir / "a.daa.save-444444", "a file of the user's");
    // A save removes the stale temporaries of its own target only.
    ASSERT_TRUE(WriteFileReplacing(dir / "a.daa", "new"));
    EXPECT_EQ(ReadTestFile(dir / "a.daa"), "new");
    EXPECT_EQ(namesIn(), (std::vector<std::string>{".b.daa.save-333333", "a.daa", "a.daa.save-444444"}));
    // The sweep of a folder removes those of every file.
    EXPECT_EQ(RemoveStaleTemporariesIn(dir.Path()), 1);
    EXPECT_EQ(namesIn(), (std::vector<std::string>{"a.daa", "a.daa.save-444444"}));
}

TEST(FileUtil, MissingFileIsNotRead) {
    TempFolder dir;
    std::string out = "unchanged";
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir / "none", out, &error));
    EXPECT_EQ(out, "unchanged");
    EXPECT_NE(error.find("none"), std::string::npos);
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
