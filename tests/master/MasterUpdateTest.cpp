// The update commands, the material-price carry-over and the whole update, on real files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "UpdateFixture.h"
#include "master/BukakeMoveRecord.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"

using namespace updatetest;
using namespace masterbuild;
using vemo::IsReadOnlyMarked;

namespace {

const std::string kAborted = mastertext::kUpdateAborted;
// A record of moves with one line, and the lines the update of the fixture adds to it.
const std::string kRecordStart = mastertext::kMoveRecordHeader + std::string("\r\n1\t9\t-\t10\t-\t古い工種\r\n");
std::string FixtureMoves(const char* userKoshuCode = "350") {
    return "1\t1\t2\t1\t3\t利用者基準点\r\n2\t150\t-\t" + std::string(userKoshuCode) +
           "\t-\t利用者工種\r\n3\t5\t7\t-\t-\t消える種別\r\n";
}

}  // namespace

TEST(UpdateCommands, BukakeUpdateMergesAsksAndSaves) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    host.answers = {IDYES, IDYES};
    EXPECT_EQ(updater.DoBukakeUpdate(0), 1);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, mastertext::kAskUpdateBukake);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[1].text, mastertext::kAskOverwriteBukake);
    EXPECT_EQ(host.messages[1].buttons, MsgButtons::YesNo);
    // The success text follows the save, not the merge.
    EXPECT_EQ(host.messages[2].text, mastertext::kBukakeUpdated + UserShubetsuNote());
    EXPECT_EQ(host.messages[2].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[2].caption, "Vemo Ovra 農林版");

    EXPECT_EQ(store->GetBukakeFile().m_dataVersion, 2500);
    EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
    EXPECT_TRUE(IsReadOnlyMarked(f.masters + "/歩掛データ.soa"));  // locked again after the save
}

TEST(UpdateCommands, SilentUpdatesAskNothing) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.DoHenkaritsuUpdate(1), 1);
    EXPECT_EQ(updater.DoTankaUpdate(1), 1);
    EXPECT_EQ(updater.DoZairyoTankaUpdate(1), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kHenkaritsuUpdated,
                                                             mastertext::kTankaUpdated,
                                                             mastertext::kZairyoTankaUpdated}));
    EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
    EXPECT_TRUE(LoadFile<CTankaFile>(f.data + "/単価データ.daa") == store->GetTankaFile());
    // The material update saves into the material-price file in use.
    EXPECT_TRUE(LoadFile<CZairyoTankaFile>(f.data + "/材料単価データ25.zoa") == store->GetZairyoTankaFile());
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2500);
    // Pane 2 shows the title of the default price column of the updated master: the index is kept
    // while the titles moved one place right, so column 3 now carries the user's title of column 2.
    EXPECT_EQ(host.panes[2].back(), "単価2");
}

TEST(UpdateCommands, DeclinedConfirmationOrSaveChangesNothing) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    const ChangeWatch watch(f, *store);

    host.answers = {IDNO};
    EXPECT_EQ(updater.DoTankaUpdate(0), 2);
    host.answers = {IDYES, IDNO};
    EXPECT_EQ(updater.DoBukakeUpdate(0), 2);
    host.answers = {IDYES, IDNO};
    EXPECT_EQ(updater.DoZairyoTankaUpdate(0), 2);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{
                                       mastertext::kAskUpdateTanka, kAborted,
                                       mastertext::kAskUpdateBukake,
                                       mastertext::kAskOverwriteBukake, kAborted,
                                       mastertext::kAskUpdateZairyoTanka,
                                       mastertext::kAskOverwriteZairyoTanka, kAborted}));
    // The merged master is not kept in memory when the save is declined.
    EXPECT_EQ(watch.Changes(), "");
}

TEST(UpdateCommands, MissingShippedFileIsReportedAsFailure) {
    UpdateProgram f;
    std::filesystem::remove(f.shippedMasters + "/変化率データ.soa");
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    const MasterCopies before(*store);
    host.answers = {IDYES};
    EXPECT_EQ(updater.DoHenkaritsuUpdate(0), 0);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{
                                       mastertext::kAskUpdateHenkaritsu,
                                       f.shippedMasters + "/変化率データ.soa" + mastertext::kFileMissing}));
    EXPECT_EQ(before.Differences(*store), "");
}

TEST(UpdateCommands, FailedSaveIsAFailureAndRestoresTheMaster) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    // Another copy of the program holds the 歩掛 file: this one does not own its lock.
    ASSERT_EQ(store->LockBukakeFile(0, 1), 1);
    ASSERT_EQ(vemo::SetReadOnlyMark(f.masters + "/歩掛データ.soa", true), true);
    const ChangeWatch watch(f, *store);
    EXPECT_EQ(updater.DoBukakeUpdate(1), 0);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  mastertext::kSaveRefused,
                  mastertext::kBukakeUpdateFailed}));
    EXPECT_EQ(watch.Changes(), "");
}

TEST(UpdateCommands, TankaNotNewerEndsWithThree) {
    UpdateProgram f;
    CTankaFile same = ShippedTanka();
    same.m_dataVersion = 2400;
    WriteMaster(f.shipped + "/単価データ.daa", same);
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    host.answers = {IDYES};
    EXPECT_EQ(updater.DoTankaUpdate(0), 3);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{
                                       mastertext::kAskUpdateTanka,
                                       mastertext::kTankaNotNewer,
                                       mastertext::kTankaUpdateEnded}));
    EXPECT_EQ(host.panes[2].back(), "単価3");
}

TEST(UpdateCommands, CancelAtEveryProgressStepChangesNoMasterAndNoFile) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    // The final run gets to the save question and is declined, so it changes nothing either.
    EXPECT_EQ(CancelAtEveryStep(f, *store, host, [&] { updater.DoBukakeUpdate(0); }, {IDYES, IDNO}), 3);
    EXPECT_EQ(CancelAtEveryStep(f, *store, host, [&] { updater.DoHenkaritsuUpdate(0); }, {IDYES, IDNO}), 12);
    EXPECT_EQ(CancelAtEveryStep(f, *store, host, [&] { updater.DoZairyoTankaUpdate(0); }, {IDYES, IDNO}), 4);
}

TEST(UpdateCommands, UserKoshuOnAShippedCodeTakesTheFirstFreeCodeAndIsNamed) {
    // The new 設計 holds 350 (the user's 150, raised) and 300, the first code of a new 設計 工種. The
    // user 種別 2 of 測量 1 takes 3; 物件調査 no longer has the 工種 of the user 種別 7.
    const std::string moved = std::string(mastertext::kMovedKoshuHeading) + "設計 利用者工種" +
                              mastertext::kFindingSeparator + mastertext::kKoshuCodeBefore + "150" +
                              mastertext::kKoshuCodeArrow + "301\n" + UserShubetsuNote();
    const std::pair<std::string, std::function<int(CMasterUpdater&)>> commands[] = {
        {mastertext::kBukakeUpdated, [](CMasterUpdater& u) { return u.DoBukakeUpdate(1); }},
        {mastertext::kUpdateAllDone, [](CMasterUpdater& u) { return u.DoAutoFileVersionUp(1); }},
    };
    for (const auto& [closing, run] : commands) {
        UpdateProgram f;
        CBukakeFile shipped = ShippedBukake();
        AddKoshu(*shipped.FindGyomu(2), 300, "新工種A");
        AddKoshu(*shipped.FindGyomu(2), 350, "新工種B");
        WriteMaster(f.shippedMasters + "/歩掛データ.soa", shipped);
        // The record of an earlier update, with a line that is none; the moves are added after it.
        WriteTestFile(MoveRecordPath(f.masters), vemo::Utf8ToCp932(kRecordStart + "ゴミ\r\n"));
        ScriptedHost host;
        auto store = f.Start();
        CMasterUpdater updater(*store);
        EXPECT_EQ(run(updater), 1) << closing;
        const CBukakeFile& b = store->GetBukakeFile();
        EXPECT_EQ(b.FindKoshu(2, 350)->m_name, "新工種B") << closing;
        ASSERT_NE(b.FindKoshu(2, 301), nullptr) << closing;
        EXPECT_EQ(b.FindKoshu(2, 301)->m_name, "利用者工種") << closing;
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{closing + moved}) << closing;
        EXPECT_EQ(vemo::Cp932ToUtf8(ReadTestFile(MoveRecordPath(f.masters))), kRecordStart + FixtureMoves("301")) << closing;
    }
}

TEST(UpdateCommands, ARecordThatIsNoRecordIsNeitherReadNorFollowed) {
    // Each is passed over and replaced by this update's moves, the file a link names left as it was;
    // a folder cannot be replaced, which is told, and the update stands.
    const std::string record = vemo::Utf8ToCp932(kRecordStart);
    const std::pair<const char*, std::function<void(const std::string&, const std::string&)>> cases[] = {
        {"link", [&](auto& at, auto& other) { WriteTestFile(other, record); std::filesystem::create_symlink(other, at); }},
        {"pipe", [](auto& at, auto&) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
        {"too long", [&](auto& at, auto&) { WriteTestFile(at, record + std::string(kMoveRecordLimit, '\n')); }},
        {"foreign", [](auto& at, auto&) { WriteTestFile(at, "2\t150\t-\t350\t-\t利用者工種\r\n"); }},
        {"folder", [](auto& at, auto&) { std::filesystem::create_directory(at); }},
    };
    for (const auto& [name, lay] : cases) {
        UpdateProgram f;
        const std::string at = MoveRecordPath(f.masters), other = f.root / "other.txt";
        lay(at, other);
        EXPECT_TRUE(ReadMoveRecord(f.masters).empty()) << name;
        ScriptedHost host;
        auto store = f.Start();
        EXPECT_EQ(CMasterUpdater(*store).DoBukakeUpdate(1), 1) << name;
        ASSERT_FALSE(host.messages.empty()) << name;
        EXPECT_EQ(host.messages.back().text, mastertext::kBukakeUpdated + UserShubetsuNote()) << name;
        if (std::filesystem::is_directory(at)) {
            EXPECT_EQ(host.messages[0].text.rfind(at + mastertext::kMoveRecordNotWritten, 0), 0u);
            continue;
        }
        ASSERT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(at))) << name;
        EXPECT_EQ(vemo::Cp932ToUtf8(ReadTestFile(at)), mastertext::kMoveRecordHeader + ("\r\n" + FixtureMoves())) << name;
        if (std::filesystem::exists(other)) EXPECT_EQ(ReadTestFile(other), record) << name;
    }
}

// ---------------------------------------------------------------------------------------------

struct CarryOverProgram : UpdateProgram {
    std::string in24 = data + "/材料単価データ24.zoa";
    std::string in25 = data + "/材料単価データ25.zoa";

    CarryOverProgram() {
        std::filesystem::rename(in25, in24);
    }
    std::unique_ptr<CMasterDataStore> Start24() {
        auto store = std::make_unique<CMasterDataStore>(program);
        store->SetZairyoTankaPath(in24);
        EXPECT_EQ(store->LoadMastersAtStartup(), 1);
        return store;
    }
};

TEST(CarryOver, CopiesTheFileInUseToThisYearsNameAndSwitches) {
    CarryOverProgram f;
    ScriptedHost host;
    auto store = f.Start24();
    const std::string bytes = ReadTestFile(f.in24);
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.CarryOverZairyoTankaFile(), 1);
    EXPECT_EQ(ReadTestFile(f.in25), bytes);
    EXPECT_EQ(store->GetZairyoTankaPath(), f.in25);
    EXPECT_FALSE(IsReadOnlyMarked(f.in24));
    EXPECT_TRUE(IsReadOnlyMarked(f.in25));
    EXPECT_EQ(store->GetLockOwner(CMasterDataStore::kLockZairyoTanka), 1);
    EXPECT_TRUE(store->GetZairyoTankaFile() == LoadRoot<CZairyoTankaFile>(bytes));

    // Now this year's file exists: nothing more to do.
    EXPECT_EQ(updater.CarryOverZairyoTankaFile(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST(CarryOver, FileInUseMissingOrUnreadable) {
    CarryOverProgram f;
    ScriptedHost host;
    auto store = f.Start24();
    CMasterUpdater updater(*store);
    const MasterCopies before(*store);

    store->SetZairyoTankaPath(f.data + "/無い/材料単価データ20.zoa");
    EXPECT_EQ(updater.CarryOverZairyoTankaFile(), 1);
    store->SetZairyoTankaPath(f.in24);

    // The file in use no longer loads: the copy is taken away and the file in use stays in use.
    ASSERT_TRUE(vemo::SetReadOnlyMark(f.in24, false));
    WriteTestFile(f.in24, "壊れたファイル");
    ASSERT_TRUE(vemo::SetReadOnlyMark(f.in24, true));
    EXPECT_EQ(updater.CarryOverZairyoTankaFile(), 0);
    EXPECT_FALSE(std::filesystem::exists(f.in25));
    EXPECT_EQ(before.Differences(*store), "");
    EXPECT_TRUE(IsReadOnlyMarked(f.in24));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              f.in25 + mastertext::kFileUnreadable);
}

// ---------------------------------------------------------------------------------------------

TEST(AutoFileVersionUp, ReplacesSmallMastersKeepsCoverDataAndMergesTheRest) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    const std::string hyoshiBefore = ReadTestFile(f.data + "/表紙データ.daa");
    const std::string zairyoBefore = ReadTestFile(f.data + "/材料単価データ25.zoa");
    host.answers = {IDYES};
    EXPECT_EQ(updater.DoAutoFileVersionUp(0), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskUpdateAll,
                                                             mastertext::kUpdateAllDone + UserShubetsuNote()}));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);

    // 諸経費 and プログラム金額: the shipped files, in the store's places, and in memory.
    EXPECT_EQ(ReadTestFile(f.data + "/諸経費データ.daa"), ReadTestFile(f.shipped + "/諸経費データ.daa"));
    EXPECT_EQ(ReadTestFile(f.data + "/プログラム金額データ.daa"), ReadTestFile(f.shipped + "/プログラム金額データ.daa"));
    EXPECT_TRUE(store->GetShokeihiFile() == LoadFile<CShokeihiFile>(f.shipped + "/諸経費データ.daa"));
    EXPECT_TRUE(store->GetProgramKingakuFile() ==
                LoadFile<CProgramKingakuFile>(f.shipped + "/プログラム金額データ.daa"));
    // The cover data is the user's.
    EXPECT_EQ(ReadTestFile(f.data + "/表紙データ.daa"), hyoshiBefore);
    // 歩掛, 変化率 and 単価 merged and saved.
    EXPECT_EQ(store->GetBukakeFile().m_dataVersion, 2500);
    EXPECT_EQ(store->GetBukakeFile().FindKoshu(2, 350)->m_name, "利用者工種");
    EXPECT_TRUE(LoadFile<CBukakeFile>(f.masters + "/歩掛データ.soa") == store->GetBukakeFile());
    EXPECT_TRUE(LoadFile<CHenkaritsuFile>(f.masters + "/変化率データ.soa") == store->GetHenkaritsuFile());
    EXPECT_TRUE(LoadFile<CTankaFile>(f.data + "/単価データ.daa") == store->GetTankaFile());
    EXPECT_EQ(store->GetTankaFile().m_dataVersion, 2500);
    // This year's material file is already in use and the command was not silent: no material update.
    EXPECT_EQ(ReadTestFile(f.data + "/材料単価データ25.zoa"), zairyoBefore);
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2400);
    // The locks are held again.
    for (const char* name : {"/単価データ.daa", "/諸経費データ.daa", "/プログラム金額データ.daa"})
        EXPECT_TRUE(IsReadOnlyMarked(f.data + name)) << name;
}

TEST(AutoFileVersionUp, SilentRunUpdatesTheMaterialPrices) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.DoAutoFileVersionUp(1), 1);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{mastertext::kUpdateAllDone + UserShubetsuNote()});
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2500);
    EXPECT_EQ(store->GetZairyoTankaFile().FindItem(1001), nullptr);
    EXPECT_TRUE(LoadFile<CZairyoTankaFile>(f.data + "/材料単価データ25.zoa") == store->GetZairyoTankaFile());
    EXPECT_EQ(host.panes[3].back(), "材料単価 令和7年度");
}

TEST(AutoFileVersionUp, CarriesTheMaterialFileOverAndUpdatesTheCopy) {
    CarryOverProgram f;
    ScriptedHost host;
    auto store = f.Start24();
    CMasterUpdater updater(*store);
    const std::string bytes24 = ReadTestFile(f.in24);
    host.answers = {IDYES};
    EXPECT_EQ(updater.DoAutoFileVersionUp(0), 1);
    EXPECT_EQ(store->GetZairyoTankaPath(), f.in25);
    EXPECT_EQ(store->GetZairyoTankaFile().m_dataVersion, 2500);
    EXPECT_NE(store->GetZairyoTankaFile().FindItem(1500), nullptr);
    EXPECT_TRUE(LoadFile<CZairyoTankaFile>(f.in25) == store->GetZairyoTankaFile());
    EXPECT_EQ(ReadTestFile(f.in24), bytes24);
    EXPECT_FALSE(IsReadOnlyMarked(f.in24));
    EXPECT_TRUE(IsReadOnlyMarked(f.in25));
}

TEST(AutoFileVersionUp, WritesTheSmallMastersWhereTheStoreReadsThem) {
    UpdateProgram f;
    // The master-data folder lies in another data folder with its own set of files.
    const std::string other = f.program + "/別データ";
    WriteMaster(other + "/参考マスター25/歩掛データ.soa", UserBukake());
    WriteMaster(other + "/参考マスター25/変化率データ.soa", UserHenkaritsu());
    WriteMaster(other + "/単価データ.daa", UserTanka());
    WriteMaster(other + "/諸経費データ.daa", UserShokeihi());
    WriteMaster(other + "/プログラム金額データ.daa", UserProgramKingaku());
    ScriptedHost host;
    CMasterDataStore store(f.program);
    store.SetMasterDataFolder(other + "/参考マスター25");
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const std::string defaultShokeihi = ReadTestFile(f.data + "/諸経費データ.daa");
    CMasterUpdater updater(store);
    EXPECT_EQ(updater.DoAutoFileVersionUp(1), 1);
    EXPECT_EQ(ReadTestFile(other + "/諸経費データ.daa"), ReadTestFile(f.shipped + "/諸経費データ.daa"));
    EXPECT_EQ(ReadTestFile(other + "/プログラム金額データ.daa"), ReadTestFile(f.shipped + "/プログラム金額データ.daa"));
    EXPECT_EQ(ReadTestFile(f.data + "/諸経費データ.daa"), defaultShokeihi);
    EXPECT_EQ(store.GetShokeihiFile().GetCount(), 2);
}

TEST(AutoFileVersionUp, WritesSmallMastersThroughTheirLinks) {
    UpdateProgram f;
    // 諸経費 and プログラム金額 are links to files shared from another folder.
    const std::string shared = f.root / "shared";
    std::filesystem::create_directories(shared);
    for (const char* name : {"/諸経費データ.daa", "/プログラム金額データ.daa"}) {
        std::filesystem::rename(f.data + name, shared + name);
        std::filesystem::create_symlink(shared + name, f.data + name);
    }
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.DoAutoFileVersionUp(1), 1);
    for (const char* name : {"/諸経費データ.daa", "/プログラム金額データ.daa"}) {
        EXPECT_TRUE(std::filesystem::is_symlink(f.data + name)) << name;
        EXPECT_EQ(ReadTestFile(shared + name), ReadTestFile(f.shipped + name)) << name;
    }
}

TEST(AutoFileVersionUp, AnyFailureBeforeWritingChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(UpdateProgram&)> spoil;
        std::vector<std::string> middle;  // messages between the question and the closing text
    };
    const Case cases[] = {
        {"単価 not newer",
         [](UpdateProgram& f) {
             CTankaFile same = ShippedTanka();
             same.m_dataVersion = 2400;
             WriteMaster(f.shipped + "/単価データ.daa", same);
         },
         {mastertext::kTankaNotNewer}},
        {"変化率 missing",
         [](UpdateProgram& f) { std::filesystem::remove(f.shippedMasters + "/変化率データ.soa"); },
         {"@/初期データ/データ格納/参考マスター/変化率データ.soa" + std::string(mastertext::kFileMissing)}},
        {"表紙 missing", [](UpdateProgram& f) { std::filesystem::remove(f.shipped + "/表紙データ.daa"); },
         {"@/初期データ/データ格納/表紙データ.daa" + std::string(mastertext::kFileMissing)}},
        {"諸経費 foreign", [](UpdateProgram& f) { WriteMaster(f.shipped + "/諸経費データ.daa", ShippedTanka()); },
         {mastertext::kShokeihiForeignFile}},
        {"歩掛 user 工種 without a free code",
         [](UpdateProgram& f) {
             CBukakeFile shipped = ShippedBukake();
             for (int32_t code = 300; code <= 689; ++code) AddKoshu(*shipped.FindGyomu(2), code);
             WriteMaster(f.shippedMasters + "/歩掛データ.soa", shipped);
         },
         {mastertext::kKoshuWithoutFreeCodeHeading + std::string("設計 利用者工種") + mastertext::kFindingSeparator +
          mastertext::kKoshuCodeBefore + "150\n"}},
    };
    for (const Case& c : cases) {
        UpdateProgram f;
        c.spoil(f);
        ScriptedHost host;
        auto store = f.Start();
        CMasterUpdater updater(*store);
        const ChangeWatch watch(f, *store);
        host.answers = {IDYES};
        EXPECT_EQ(updater.DoAutoFileVersionUp(0), 0) << c.name;
        std::vector<std::string> expected{mastertext::kAskUpdateAll};
        for (std::string m : c.middle) {
            if (m[0] == '@') m = f.program + m.substr(1);
            expected.push_back(m);
        }
        expected.push_back(mastertext::kUpdateAllFailed);
        EXPECT_EQ(host.MessageTexts(), expected) << c.name;
        EXPECT_EQ(watch.Changes(), "") << c.name;
    }
}

TEST(AutoFileVersionUp, LockHeldElsewhereWritesNothing) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    ASSERT_EQ(store->LockShokeihiFile(0, 1), 1);
    ASSERT_TRUE(vemo::SetReadOnlyMark(f.data + "/諸経費データ.daa", true));  // another copy's mark
    const ChangeWatch watch(f, *store);
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.DoAutoFileVersionUp(1), 0);
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  mastertext::kSaveRefused,
                  mastertext::kUpdateAllFailed}));
    EXPECT_EQ(watch.Changes(), "");
}

TEST(AutoFileVersionUp, CancelAtEveryProgressStepChangesNoMasterAndNoFile) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    // 3 歩掛 steps, 12 変化率 steps and 4 材料単価 steps (silent: the material update runs too).
    EXPECT_EQ(CancelAtEveryStep(f, *store, host, [&] { updater.DoAutoFileVersionUp(1); }, {}), 19);
    // The run that was not cancelled did the update.
    EXPECT_EQ(store->GetBukakeFile().m_dataVersion, 2500);
}
