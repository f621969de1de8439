// The consistency check of the 歩掛 master against the 変化率・補正率 and 単価 masters.
#include <gtest/gtest.h>

#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/MasterCheck.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

namespace {

const std::string kQuestion = mastertext::kAskCheck;
const std::string kRatesClear =
    mastertext::kRatesAllClear;
const std::string kTradesClear = mastertext::kTradesAllClear;

// A store whose masters are made in code: 業務 1 and 5 with rate groups 1 and 4, trades 1000 and 1001.
struct CheckStore {
    CMasterDataStore store{"/nonexistent"};

    CheckStore() {
        CHenkaritsuFile& h = store.GetHenkaritsuFile();
        AddTableRecord(AddGroup(h, 1, "測量"), 10);
        AddTableRecord(AddGroup(h, 4, "土質"), 20);
        AddTankaRow(store.GetTankaFile(), 1000, "測量技師", {});
        AddTankaRow(store.GetTankaFile(), 1001, "測量助手", {});
    }
    CBukakeDetail& Detail(int32_t gyomu, const std::string& gyomuName, int32_t koshu, int32_t shubetsu) {
        CBukakeFile& b = store.GetBukakeFile();
        CBukakeGyomu* g = b.FindGyomu(gyomu);
        if (!g) g = &AddGyomu(b, gyomu, gyomuName);
        CBukakeKoshu* k = g->FindKoshu(koshu);
        if (!k) k = &AddKoshu(*g, koshu, "工種" + std::to_string(koshu));
        return AddShubetsu(*k, shubetsu, "種別" + std::to_string(shubetsu)).GetDetail();
    }
};

}  // namespace

TEST(ConsistencyCheck, ConsistentMastersGiveTwoInformationBoxes) {
    CheckStore s;
    CBukakeDetail& d = s.Detail(1, "測量", 1, 1);
    d.m_henkaritsu[0] = 10;
    d.m_shokushu[0] = 1000;
    d.m_shokushu[9] = 1001;
    // 業務 5 reads the rate group 4.
    s.Detail(5, "土質解析", 1, 1).m_henkaritsu[7] = 20;
    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(s.store), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{kQuestion, kRatesClear, kTradesClear}));
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[1].icon, MsgIcon::Information);
    EXPECT_EQ(host.messages[2].icon, MsgIcon::Information);
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_EQ(host.progress[0]->statuses,
              (std::vector<std::string>{mastertext::kStatusChecking,
                                        mastertext::kStatusCheckingRates,
                                        mastertext::kStatusCheckingTrades}));
    EXPECT_EQ(host.progress[0]->upper, 19 * 2 - 1);
    EXPECT_EQ(host.progress[0]->steps, 2 * 18);
    EXPECT_TRUE(host.progress[0]->hidden);
}

TEST(ConsistencyCheck, DanglingRateCodesAreListed) {
    CheckStore s;
    CBukakeDetail& d = s.Detail(1, "測量", 1, 1);
    d.m_henkaritsu[2] = 99;   // H3: group 1 has no record 99
    d.m_henkaritsu[4] = 10;   // present
    s.Detail(5, "土質解析", 1, 2).m_henkaritsu[0] = 10;  // group 4 has no record 10
    s.Detail(7, "区画整理設計", 1, 1).m_henkaritsu[0] = 5;  // no rate group for 業務 7: not reported
    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(s.store), 1);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[1].text,
              "以下の歩掛データの変化率番号（変化率コード）の整合性が正しくありません。\n"
              "測量 工種1 種別1 … 3 番目の変化率番号（変化率コード）99 が不正です。\n"
              "土質解析 工種1 種別2 … 1 番目の変化率番号（変化率コード）10 が不正です。\n"
              "全部で 2 箇所見つかりました。");
    EXPECT_EQ(host.messages[1].icon, MsgIcon::None);
    EXPECT_EQ(host.messages[2].text, kTradesClear);
}

TEST(ConsistencyCheck, FortyDanglingTradeCodesListThirtyOneLines) {
    CheckStore s;
    // Four 種別 with ten unknown trade codes each: 2000..2039.
    for (int32_t t = 0; t < 4; ++t) {
        CBukakeDetail& d = s.Detail(1, "測量", 1, t + 1);
        for (int j = 0; j < 10; ++j) d.m_shokushu[static_cast<size_t>(j)] = 2000 + t * 10 + j;
    }
    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(s.store), 1);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[1].text, kRatesClear);
    std::string expected = "以下の歩掛データの作業者コードの整合性が正しくありません。\n";
    for (int n = 0; n < 31; ++n) {
        int t = n / 10, j = n % 10;
        expected += "測量 工種1 種別" + std::to_string(t + 1) + " … " + std::to_string(j + 1) + " 番目の作業者コード " +
                    std::to_string(2000 + n) + " が不正です。\n";
    }
    expected += "………\n全部で 40 箇所見つかりました。";
    EXPECT_EQ(host.messages[2].text, expected);
    EXPECT_EQ(host.progress[0]->upper, 19 * 4 - 1);
}

TEST(ConsistencyCheck, DeclineOrCancelShowsNoReportAndChangesNothing) {
    CheckStore s;
    CBukakeDetail& d = s.Detail(1, "測量", 1, 1);
    d.m_henkaritsu[0] = 99;
    d.m_shokushu[0] = 2000;
    s.Detail(1, "測量", 1, 2);
    const CBukakeFile bukake = s.store.GetBukakeFile();
    ScriptedHost host;
    host.answers = {IDNO};
    EXPECT_EQ(OnCheckConsistency(s.store), 0);
    EXPECT_TRUE(host.progress.empty());
    // 2 種別 × 18 codes: cancel at each of the 36 checks.
    for (int k = 1; k <= 36; ++k) {
        host.messages.clear();
        host.cancelChecksSoFar = 0;
        host.cancelOnCheck = k;
        host.answers = {IDYES};
        EXPECT_EQ(OnCheckConsistency(s.store), 0) << k;
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kQuestion}) << k;
        EXPECT_TRUE(host.progress.back()->destroyed) << k;
    }
    EXPECT_TRUE(s.store.GetBukakeFile() == bukake);
}

TEST(ConsistencyCheck, EmptyMasterStillUsesARangeOfTwo) {
    CheckStore s;
    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(s.store), 1);
    EXPECT_EQ(host.progress[0]->lower, 1);
    EXPECT_EQ(host.progress[0]->upper, 2);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{kQuestion, kRatesClear, kTradesClear}));
}

TEST(ConsistencyCheck, SoilSurveyBasisCodesInTheFirstTwoColumnsAreNotTradeCodes) {
    CheckStore s;
    // A 土質調査 detail keeps the basis codes of its Z1 and Z2 lines in columns 1 and 2; its other
    // columns are trades like everywhere else.
    CBukakeDetail& soil = s.Detail(4, "土質一般", 1, 1);
    soil.m_bukakeType = 4;
    soil.m_shokushu[0] = 1;
    soil.m_shokushu[1] = 16;
    soil.m_shokushu[2] = 2002;
    // Any other type still has its first columns checked.
    CBukakeDetail& other = s.Detail(4, "土質一般", 1, 2);
    other.m_bukakeType = 3;
    other.m_shokushu[0] = 1;
    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(s.store), 1);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[2].text,
              "以下の歩掛データの作業者コードの整合性が正しくありません。\n"
              "土質一般 工種1 種別1 … 3 番目の作業者コード 2002 が不正です。\n"
              "土質一般 工種1 種別2 … 1 番目の作業者コード 1 が不正です。\n"
              "全部で 2 箇所見つかりました。");
    // Every code still advances the bar.
    EXPECT_EQ(host.progress[0]->steps, 2 * 18);
}
