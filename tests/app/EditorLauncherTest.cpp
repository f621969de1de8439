// The save of edited masters shared by the editor launchers, in its two-master form: neither is
// saved without both locks, and a failed second save puts the first back.
#include <gtest/gtest.h>

#include "AppProgramFolder.h"
#include "ScriptedHost.h"
#include "app/EditorLauncher.h"
#include "platform/FileUtil.h"

namespace {

struct LoadedStore {
    AppProgramFolder program;
    ScriptedHost host;
    CMasterDataStore store{program.root.Path()};
    std::string bukakePath = program.masters + "/歩掛データ.soa";

    LoadedStore() {
        EXPECT_EQ(store.LoadMastersAtStartup(), 1);
        host.messages.clear();
    }
};

// An edited copy of each: a renamed 業務 and a new company name.
CBukakeFile EditedBukake(CMasterDataStore& store) {
    CBukakeFile b = store.GetBukakeFile();
    b.GetGyomu(0)->m_name = "編集した業務";
    return b;
}
CTankaFile EditedTanka(CMasterDataStore& store) {
    CTankaFile t = store.GetTankaFile();
    t.m_company[3] = "編集した社名";
    return t;
}

}  // namespace

TEST(EditorLauncher, TwoMastersAreSavedTogether) {
    LoadedStore s;
    CBukakeFile bukake = EditedBukake(s.store);
    CTankaFile tanka = EditedTanka(s.store);
    const CBukakeFile wantBukake = bukake;
    const CTankaFile wantTanka = tanka;
    EXPECT_TRUE(InstallEditedMasters(s.store, bukake, tanka));
    EXPECT_TRUE(s.store.GetBukakeFile() == wantBukake);
    EXPECT_TRUE(s.store.GetTankaFile() == wantTanka);
    EXPECT_EQ(ReadTestFile(s.bukakePath), StoreMasterBytes(CBukakeFile(wantBukake)));
    EXPECT_EQ(ReadTestFile(s.program.tanka), StoreMasterBytes(CTankaFile(wantTanka)));
    EXPECT_TRUE(s.host.messages.empty());
}

TEST(EditorLauncher, NeitherIsSavedWithoutBothLocks) {
    for (CMasterDataStore::LockId released : {CMasterDataStore::kLockBukake, CMasterDataStore::kLockTanka}) {
        LoadedStore s;
        ASSERT_EQ(s.store.Lock(released, 0, 1), 1);
        const CBukakeFile bukakeBefore = s.store.GetBukakeFile();
        const CTankaFile tankaBefore = s.store.GetTankaFile();
        const std::string bukakeBytes = ReadTestFile(s.bukakePath);
        const std::string tankaBytes = ReadTestFile(s.program.tanka);
        CBukakeFile bukake = EditedBukake(s.store);
        CTankaFile tanka = EditedTanka(s.store);
        EXPECT_FALSE(InstallEditedMasters(s.store, bukake, tanka)) << released;
        EXPECT_EQ(s.host.MessageTexts(), std::vector<std::string>{mastertext::kSaveRefused}) << released;
        EXPECT_EQ(s.host.messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(s.store.GetBukakeFile() == bukakeBefore) << released;
        EXPECT_TRUE(s.store.GetTankaFile() == tankaBefore) << released;
        EXPECT_EQ(ReadTestFile(s.bukakePath), bukakeBytes) << released;
        EXPECT_EQ(ReadTestFile(s.program.tanka), tankaBytes) << released;
    }
}

TEST(EditorLauncher, AFailedSecondSavePutsTheFirstBack) {
    LoadedStore s;
    const CBukakeFile bukakeBefore = s.store.GetBukakeFile();
    const CTankaFile tankaBefore = s.store.GetTankaFile();
    const std::string bukakeBytes = ReadTestFile(s.bukakePath);
    const std::string tankaBytes = ReadTestFile(s.program.tanka);
    // Someone took the 単価 file's mark away: its save is refused after the 歩掛 save went through.
    ASSERT_TRUE(vemo::SetReadOnlyMark(s.program.tanka, false));
    CBukakeFile bukake = EditedBukake(s.store);
    CTankaFile tanka = EditedTanka(s.store);
    EXPECT_FALSE(InstallEditedMasters(s.store, bukake, tanka));
    EXPECT_EQ(s.host.MessageTexts(), std::vector<std::string>{mastertext::kSaveRefused});
    EXPECT_TRUE(s.store.GetBukakeFile() == bukakeBefore);
    EXPECT_TRUE(s.store.GetTankaFile() == tankaBefore);
    EXPECT_EQ(ReadTestFile(s.bukakePath), bukakeBytes);
    EXPECT_EQ(ReadTestFile(s.program.tanka), tankaBytes);
    // The 歩掛 file is still this program's.
    EXPECT_TRUE(vemo::IsReadOnlyMarked(s.bukakePath));
}

TEST(EditorLauncher, OneMasterWhoseSaveFailsKeepsWhatItWas) {
    LoadedStore s;
    const CTankaFile before = s.store.GetTankaFile();
    ASSERT_TRUE(vemo::SetReadOnlyMark(s.program.tanka, false));
    CTankaFile tanka = EditedTanka(s.store);
    EXPECT_FALSE(InstallEditedMaster(s.store, tanka));
    EXPECT_EQ(s.host.MessageTexts(), std::vector<std::string>{mastertext::kSaveRefused});
    EXPECT_TRUE(s.store.GetTankaFile() == before);
}
