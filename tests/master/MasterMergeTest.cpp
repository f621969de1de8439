// The update engines on real files: the user's masters of UpdateFixture merged with the shipped ones.
#include <gtest/gtest.h>

#include "UpdateFixture.h"
#include "master/MasterMerge.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"

using namespace updatetest;
using namespace masterbuild;

namespace {

std::vector<int32_t> RowIds(const CTankaFile& t) {
    std::vector<int32_t> ids;
    for (int i = 0; i < t.GetCount(); ++i) ids.push_back(t.GetRow(i)->m_id);
    return ids;
}

}  // namespace

TEST(BukakeEngine, CarriesUserKoshuAndShubetsuIntoTheShippedMaster) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    ASSERT_EQ(updater.UpdateBukakeFile(f.shippedMasters + "/歩掛データ.soa"), 1);
    const CBukakeFile& b = store->GetBukakeFile();
    EXPECT_EQ(b.m_dataVersion, 2500);

    // 業務 1: the user 種別 2 clashes with the shipped 種別 2 and takes the first free code, 3.
    const CBukakeKoshu& k1 = *b.FindKoshu(1, 1);
    EXPECT_EQ(k1.m_name, "基準点測量");
    EXPECT_EQ(ShubetsuCodes(k1), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(k1.GetShubetsu(0)->m_name, "1級基準点（新）");
    EXPECT_EQ(k1.GetShubetsu(2)->m_name, "利用者基準点");
    EXPECT_EQ(k1.GetShubetsu(2)->m_userCreated, 1);
    EXPECT_EQ(k1.GetShubetsu(2)->GetDetail().m_formula, "H1*2");

    // 業務 2: the user 工種 150 comes back as 350, in front of its anchor 69, with both 種別.
    const CBukakeGyomu& g2 = *b.FindGyomu(2);
    EXPECT_EQ(KoshuCodes(g2), (std::vector<int32_t>{1, 350, 69, 915}));
    EXPECT_EQ(g2.GetKoshu(0)->m_name, "基本設計（新）");
    const CBukakeKoshu& own = *g2.GetKoshu(1);
    EXPECT_EQ(own.m_name, "利用者工種");
    EXPECT_EQ(own.m_userCreated, 1);
    EXPECT_EQ(ShubetsuCodes(own), (std::vector<int32_t>{1, 2}));

    // 業務 3: the shipped master no longer has 工種 5, so its user 種別 is lost.
    const CBukakeGyomu& g3 = *b.FindGyomu(3);
    EXPECT_EQ(KoshuCodes(g3), (std::vector<int32_t>{6, 91}));
    EXPECT_EQ(g3.GetKoshu(0)->GetCount(), 0);

    // Progress: four user entries (1 + 2 + 1), one step per 工種 that holds any.
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_EQ(host.progress[0]->statuses, std::vector<std::string>{mastertext::kStatusImportingBukake});
    EXPECT_EQ(host.progress[0]->lower, 1);
    EXPECT_EQ(host.progress[0]->upper, 4);
    EXPECT_EQ(host.progress[0]->steps, 3);
    EXPECT_TRUE(host.progress[0]->hidden);
    EXPECT_TRUE(host.messages.empty());
}

TEST(HenkaritsuEngine, InsertsUserRecordsAtTheirIndexOrAppends) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    ASSERT_EQ(updater.UpdateHenkaritsuFile(f.shippedMasters + "/変化率データ.soa"), 1);
    const CHenkaritsuFile& h = store->GetHenkaritsuFile();
    EXPECT_EQ(h.m_dataVersion, 2500);
    // The user record at index 7 of a group whose new version has 5 records goes to the end; the one
    // at index 2 keeps its place.
    EXPECT_EQ(RecordCodes(*h.GetGyomu(0)), (std::vector<int32_t>{1, 2, 1001, 3, 4, 5, 1000}));
    EXPECT_EQ(h.GetGyomu(0)->GetRecord(6)->m_name, "利用者補正B");
    EXPECT_EQ(RecordCodes(*h.GetGyomu(1)), (std::vector<int32_t>{1, 1002, 2}));
    // The shipped group 5 is matched with the user's group 4, which serves 業務 5.
    EXPECT_EQ(RecordCodes(*h.GetGyomu(2)), (std::vector<int32_t>{1, 1002}));
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_EQ(host.progress[0]->statuses, std::vector<std::string>{mastertext::kStatusImportingHenkaritsu});
    EXPECT_EQ(host.progress[0]->upper, 12);  // 8 + 2 + 2 records of the user's matched groups
    EXPECT_EQ(host.progress[0]->steps, 12);
}

TEST(TankaEngine, ShiftsPriceColumnsRightAndKeepsUserRows) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    ASSERT_EQ(updater.UpdateTankaFile(f.shipped + "/単価データ.daa"), 1);
    const CTankaFile& t = store->GetTankaFile();
    EXPECT_EQ(t.m_dataVersion, 2500);
    EXPECT_EQ(t.m_company[3], "測量株式会社");
    EXPECT_EQ(t.m_footerFlag, 0);
    EXPECT_EQ(t.m_travelFlag, 1);
    EXPECT_EQ(t.m_defaultColumn, 3);
    EXPECT_EQ(t.m_travelTrade, 1001);
    EXPECT_EQ(t.m_consumptionTax, 1000);  // the shipped rate

    // Titles: column 0 is the new year's, the user's 0..18 moved to 1..19, the user's 19 is gone.
    EXPECT_EQ(t.m_columnTitles[0], "令和7年度");
    for (int i = 1; i < CTankaRow::kPriceColumns; ++i)
        EXPECT_EQ(t.m_columnTitles[static_cast<size_t>(i)], "単価" + std::to_string(i - 1));

    // 1500 (first handled, not shipped) goes after the first row; 1600 after 1000, handled before it.
    EXPECT_EQ(RowIds(t), (std::vector<int32_t>{1000, 1600, 1500, 1001, 1002}));
    const CTankaRow& r1000 = *t.FindRow(1000);
    EXPECT_EQ(r1000.m_name, "測量技師");
    EXPECT_EQ(r1000.m_remarks, "新備考");  // the user's remark was empty
    EXPECT_EQ(r1000.m_prices[0], 30000);
    for (int i = 1; i < CTankaRow::kPriceColumns; ++i) EXPECT_EQ(r1000.m_prices[static_cast<size_t>(i)], 10000 + i - 1);
    const CTankaRow& own = *t.FindRow(1500);
    EXPECT_EQ(own.m_name, "利用者職種");
    EXPECT_EQ(own.m_unit, "日");
    EXPECT_EQ(own.m_setting, 3);
    EXPECT_EQ(own.m_remarks, "私の備考");
    EXPECT_TRUE(IsUnset(own.m_prices[0]));
    EXPECT_EQ(own.m_prices[1], 777);
    EXPECT_EQ(t.FindRow(1001)->m_prices[0], 25000);
    EXPECT_EQ(t.FindRow(1001)->m_prices[1], 20000);
    EXPECT_EQ(t.FindRow(1002)->m_name, "新職種");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.progress.empty());
}

TEST(TankaEngine, ShippedFileNotNewerChangesNothing) {
    UpdateProgram f;
    CTankaFile same = ShippedTanka();
    same.m_dataVersion = 2400;
    WriteMaster(f.shipped + "/単価データ.daa", same);
    ScriptedHost host;
    auto store = f.Start();
    MasterCopies before(*store);
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.UpdateTankaFile(f.shipped + "/単価データ.daa"), 0);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{
                                       mastertext::kTankaNotNewer});
    EXPECT_EQ(before.Differences(*store), "");
}

TEST(TankaEngine, RowsInsertedPastTheEndAreAppended) {
    // A shipped file without rows: every user row is new; none may leave a hole.
    CTankaFile user = UserTanka();
    CTankaFile shipped;
    MergeTanka(user, shipped);
    EXPECT_EQ(RowIds(shipped), (std::vector<int32_t>{1500, 1000, 1600, 1001}));
    EXPECT_EQ(shipped.FindRow(1001)->m_prices[1], 20000);
}

TEST(ZairyoTankaEngine, RefreshesShippedItemsKeepsUserItemsAndDropsWithdrawnOnes) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    ASSERT_EQ(updater.UpdateZairyoTankaFile(f.shipped + "/材料単価データ25.zoa"), 1);
    const CZairyoTankaFile& z = store->GetZairyoTankaFile();
    EXPECT_EQ(z.m_title, "材料単価 令和7年度");
    EXPECT_EQ(z.m_dataVersion, 2500);
    ASSERT_EQ(z.GetCount(), 4);
    EXPECT_EQ(z.GetItem(0)->m_id, 1000);
    EXPECT_EQ(z.GetItem(0)->m_price, 120.0);
    EXPECT_EQ(z.GetItem(1)->m_id, 1500);  // the user's own item stays as it was
    EXPECT_EQ(z.GetItem(1)->m_price, 55.0);
    EXPECT_EQ(z.GetItem(2)->m_id, 1002);
    EXPECT_EQ(z.GetItem(2)->m_price, 12.0);
    EXPECT_EQ(z.GetItem(3)->m_id, 1003);  // new in the shipped file
    EXPECT_EQ(z.FindItem(1001), nullptr);  // no longer shipped: gone
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_EQ(host.progress[0]->statuses, std::vector<std::string>{mastertext::kStatusImportingZairyoTanka});
    EXPECT_EQ(host.progress[0]->upper, 4);
    EXPECT_EQ(host.progress[0]->steps, 4);
}

TEST(Engines, ShippedFileThatDoesNotLoadChangesNothing) {
    UpdateProgram f;
    // A 変化率 file where the 歩掛 file should be, and a truncated 単価 file.
    WriteMaster(f.shippedMasters + "/歩掛データ.soa", ShippedHenkaritsu());
    std::string tanka = StoreMasterBytes(ShippedTanka());
    WriteTestFile(f.shipped + "/単価データ.daa", tanka.substr(0, tanka.size() - 3));
    WriteMaster(f.shipped + "/材料単価データ25.zoa", ShippedTanka());
    ScriptedHost host;
    auto store = f.Start();
    MasterCopies before(*store);
    CMasterUpdater updater(*store);
    EXPECT_EQ(updater.UpdateBukakeFile(f.shippedMasters + "/歩掛データ.soa"), 0);
    EXPECT_EQ(updater.UpdateTankaFile(f.shipped + "/単価データ.daa"), 0);
    EXPECT_EQ(updater.UpdateZairyoTankaFile(f.shipped + "/材料単価データ25.zoa"), 0);
    EXPECT_EQ(updater.UpdateHenkaritsuFile(f.shippedMasters + "/なし.soa"), 0);
    EXPECT_EQ(before.Differences(*store), "");
    auto texts = host.MessageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], mastertext::kBukakeForeignFile);
    EXPECT_EQ(texts[1], f.shipped + "/単価データ.daa" + mastertext::kFileUnreadable);
    EXPECT_EQ(texts[2], mastertext::kZairyoTankaForeignFile);
    EXPECT_EQ(texts[3], f.shippedMasters + "/なし.soa" + mastertext::kMasterMissingCannotRun);
    EXPECT_TRUE(host.progress.empty());  // nothing was merged
}

TEST(Engines, CancelAtAnyStepLeavesTheMasterAsItWas) {
    UpdateProgram f;
    ScriptedHost host;
    auto store = f.Start();
    CMasterUpdater updater(*store);
    MasterCopies before(*store);
    struct Engine {
        const char* name;
        std::function<int()> run;
        int steps;
    };
    const Engine engines[] = {
        {"歩掛", [&] { return updater.UpdateBukakeFile(f.shippedMasters + "/歩掛データ.soa"); }, 3},
        {"変化率", [&] { return updater.UpdateHenkaritsuFile(f.shippedMasters + "/変化率データ.soa"); }, 12},
        {"材料単価", [&] { return updater.UpdateZairyoTankaFile(f.shipped + "/材料単価データ25.zoa"); }, 4},
    };
    for (const Engine& e : engines) {
        for (int k = 1; k <= e.steps; ++k) {
            host.cancelChecksSoFar = 0;
            host.cancelOnCheck = k;
            EXPECT_EQ(e.run(), 0) << e.name << " cancelled at check " << k;
            EXPECT_EQ(before.Differences(*store), "") << e.name << " cancelled at check " << k;
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(MergeRules, UserShubetsuWithoutFreeCodeIsLeftOut) {
    CBukakeFile user;
    CBukakeKoshu& k = AddKoshu(AddGyomu(user, 1), 1);
    AddShubetsu(k, 5).m_userCreated = 1;
    CBukakeFile shipped;
    CBukakeKoshu& full = AddKoshu(AddGyomu(shipped, 1), 1);
    for (int32_t code = 1; code <= 999; ++code) AddShubetsu(full, code);
    std::vector<MovedEntry> moved;
    EXPECT_TRUE(MergeUserBukake(user, shipped, BukakeMergeRules{}, nullptr, moved));
    EXPECT_EQ(shipped.FindKoshu(1, 1)->GetCount(), 999);
}

TEST(MergeRules, ANewCodeIsAlsoFreeInTheMasterBeforeTheUpdate) {
    // The user's master held a shipped 工種 300 and 種別 3 that the new one dropped.
    CBukakeFile user = UserBukake();
    AddKoshu(*user.FindGyomu(2), 300, "廃止工種");
    AddShubetsu(*user.FindKoshu(1, 1), 3, "廃止種別");
    CBukakeFile shipped = ShippedBukake();
    AddKoshu(*shipped.FindGyomu(2), 350, "新工種B");
    std::vector<MovedEntry> moved;
    ASSERT_TRUE(MergeUserBukake(user, shipped, BukakeMergeRules{}, nullptr, moved));
    EXPECT_EQ(KoshuCodes(*shipped.FindGyomu(2)), (std::vector<int32_t>{1, 301, 69, 915, 350}));
    EXPECT_EQ(ShubetsuCodes(*shipped.FindKoshu(1, 1)), (std::vector<int32_t>{1, 2, 4}));
}
