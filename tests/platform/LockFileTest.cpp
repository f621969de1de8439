// Tests of platform/LockFile.h.
#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/LockFile.h"

using namespace vemo;

TEST(LockFile, NamesBesideTheFile) {
    EXPECT_EQ(LockFilePath("/srv/マスター/単価データ.daa"), "/srv/マスター/.単価データ.daa.lock");
    const struct {
        const char* name;
        bool lockFile;
    } names[] = {
        {".単価データ.daa.lock", true},
        {".a.lock", true},
        {".lock", false},
        {"単価データ.daa.lock", false},
        {".単価データ.daa", false},
    };
    for (const auto& n : names) EXPECT_EQ(IsLockFileName(n.name), n.lockFile) << n.name;
}

TEST(LockFile, OneCreateWinsAndTheHolderIsReadRewrittenAndRemoved) {
    TempFolder dir;
    const std::string lockPath = LockFilePath(dir / "単価データ.daa");
    const LockOwner first{ThisProcess(), "1"}, second{ThisProcess(), "2"};
    {
        LockFileHold missing(lockPath, LockFileHold::Mode::shared);
        EXPECT_FALSE(missing.Held());
        EXPECT_EQ(missing.Owner(), std::nullopt);
    }
    ASSERT_EQ(CreateLockFile(lockPath, first), LockFileResult::created);
    EXPECT_EQ(CreateLockFile(lockPath, second), LockFileResult::exists);
    EXPECT_EQ(CreateLockFile(dir / "none/.x.lock", second), LockFileResult::failed);
    {
        LockFileHold shared(lockPath, LockFileHold::Mode::shared);
        ASSERT_TRUE(shared.Held());
        EXPECT_EQ(shared.Owner(), first);
        EXPECT_FALSE(shared.Rewrite(second));  // only an exclusive hold writes
        EXPECT_FALSE(shared.Remove());
    }
    {
        LockFileHold exclusive(lockPath, LockFileHold::Mode::exclusive);
        ASSERT_TRUE(exclusive.Rewrite(second));
        EXPECT_EQ(exclusive.Owner(), second);
        ASSERT_TRUE(exclusive.Remove());
    }
    EXPECT_FALSE(std::filesystem::exists(lockPath));
    // A take-over creates the file when there is none.
    {
        LockFileHold created(lockPath, LockFileHold::Mode::exclusive, true);
        ASSERT_TRUE(created.Held());
        EXPECT_EQ(created.Owner(), std::nullopt);  // empty: held, by no one known
        ASSERT_TRUE(created.Rewrite(first));
    }
    EXPECT_EQ(LockFileHold(lockPath, LockFileHold::Mode::shared).Owner(), first);
}

TEST(LockFile, AFileOfSomethingElseNamesNoOne) {
    TempFolder dir;
    const std::string lockPath = dir / ".a.lock";
    for (const std::string& text :
         {std::string("vemo-lock 1\nhost h\n"), std::string("other\n"), std::string("vemo-lock 1\npid x\n"),
          std::string("vemo-lock 1\nhost h\nsystem s\npid 1\nstart 2\nholder 3\nextra 4\n"),
          std::string(5000, 'x')}) {
        WriteTestFile(lockPath, text);
        EXPECT_EQ(LockFileHold(lockPath, LockFileHold::Mode::shared).Owner(), std::nullopt) << text.substr(0, 40);
    }
    WriteTestFile(lockPath, "vemo-lock 1\nhost h\nsystem s\npid 1\nstart 2\nholder 3\n");
    const LockOwner expected{{"h", "s", 1, 2}, "3"};
    EXPECT_EQ(LockFileHold(lockPath, LockFileHold::Mode::shared).Owner(), expected);
}
