// The main calculation pass over one 業務: sum rows, the rounding of the 業務 total, the limits,
// and the special rows it inserts and removes while it walks.
#include <gtest/gtest.h>

#include "DriverBuilders.h"
#include "MasterBuilders.h"

namespace driver_test {
namespace {

class MainPassTest : public DriverTest {
protected:
    // 業務 1 with a lump row, the 諸経費 row at 3 % and the 業務 total with a rounding choice:
    //   direct 11,986,096; 諸経費 = 11,986,096 × 3 % = 359,582.88 → 359,582;
    //   total before rounding 12,345,678.
    void BuildSurvey(int rounding) {
        build.Gyomu(Gyomu::Sokuryo, "測量業務").Koshu(69, "一式計上").Amount(11'986'096);
        build.Koshu(Koshu::Shokeihi, "諸経費").Set([](CSekisanItem& i) { i.m_nRate = 300; });
        build.Koshu(Koshu::GyomuKakaku, "業務価格").Set([rounding](CSekisanItem& i) { i.m_nRounding = rounding; });
    }
    void Passes(int gyomu, int final, int times = 3) {
        for (int i = 0; i < times; ++i) EXPECT_EQ(data.CalcGyomu(gyomu, final), 1);
    }
};

TEST_F(MainPassTest, TotalRoundedToTenThousandsTakesTheRestOffTheOverheadRow) {
    BuildSurvey(4);
    data.Recalculate(Gyomu::Sokuryo);
    // 12,345,678 rounded down to 万円: 12,340,000; the 5,678 come off the 諸経費 row.
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'340'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount2, 12'345'678);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nRounding, 4);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 359'582 - 5'678);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount2, 359'582);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_strRemarkUpper, "直接測量費の ≒3.00%");
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nYearCode, 30105);
}

TEST_F(MainPassTest, NoRoundingWithoutTheFinalFlag) {
    BuildSurvey(4);
    Passes(Gyomu::Sokuryo, 0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'345'678);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 359'582);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_strRemarkUpper, "直接測量費の 3.00%");
}

TEST_F(MainPassTest, RoundingChoiceSurvivesAStaleTotalOfTheRunBefore) {
    // The total row still holds 12,385,678 from an earlier calculation. Read in the first run, it
    // would allow rounding only to 十万円 (its 385,678 do not fit into the 359,582 of the 諸経費
    // row); the fresh total 12,345,678 allows 百万円: 12,000,000, 345,678 off the 諸経費 row.
    BuildSurvey(6);
    Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount2 = 12'385'678;
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nRounding, 6);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'000'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 359'582 - 345'678);
}

TEST_F(MainPassTest, RoundingChoiceOnAFreshTotalRowIsKept) {
    BuildSurvey(4);
    ASSERT_TRUE(IsUnset(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount2));
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nRounding, 4);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'340'000);
}

TEST_F(MainPassTest, RoundingBeyondTheAbsorbingRowIsLoweredByTheFinalRun) {
    // 千万円 would take 2,345,678 off a row of 359,582: the choice drops to 百万円.
    BuildSurvey(7);
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nRounding, 6);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'000'000);
}

TEST_F(MainPassTest, AbsorbingRowWithoutAmountKeepsTheChoiceAndTheTotal) {
    BuildSurvey(4);
    Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nRate = 0;
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nRounding, 4);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 11'986'096);
}

TEST_F(MainPassTest, DesignTotalRoundingComesOffTheTechnicalRow) {
    // 業務 2, conventional labour 8,012,345 (a lump 工種 of the conventional method):
    //   諸経費 35 %: 2,804,320.75 → 2,804,320
    //   技術経費 20 % of (2,804,320 + 8,012,345) = 2,163,333
    //   total 8,012,345 + 2,804,320 + 2,163,333 = 12,979,998 → 12,970,000, 9,998 off 技術経費.
    MasterKoshu(Gyomu::Sekkei, 69, 1);
    build.Gyomu(Gyomu::Sekkei).Koshu(69).Amount(8'012'345);
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 3500; });
    build.Koshu(Koshu::GijutsuKeihi).Set([](CSekisanItem& i) { i.m_nRate = 2000; });
    build.Koshu(Koshu::GyomuKakaku).Set([](CSekisanItem& i) { i.m_nRounding = 4; });
    data.Recalculate(Gyomu::Sekkei);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::Shokeihi).m_nAmount, 2'804'320);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::Shokeihi).m_strRemarkUpper, "直接人件費の 35.00%");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi).m_nAmount, 2'163'333 - 9'998);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi).m_nAmount2, 2'163'333);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi).m_strRemarkUpper, "直接人件費+諸経費≒20.00%");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GyomuKakaku).m_nAmount, 12'970'000);
}

TEST_F(MainPassTest, DesignTotalRoundingFallsBackToTheGeneralExpenseRow) {
    // 業務原価 10,000,000 (a lump 工種 of the new method); 一般管理費等 53.85 % = 5,385,000;
    // total 15,385,000 → 百万円: 15,000,000, 385,000 off the 一般管理費等 row.
    MasterKoshu(Gyomu::Sekkei, 69, 0);
    build.Gyomu(Gyomu::Sekkei).Koshu(69).Amount(10'000'000);
    build.Koshu(Koshu::IppanKanrihi);
    build.Koshu(Koshu::GyomuKakaku).Set([](CSekisanItem& i) { i.m_nRounding = 6; });
    data.Recalculate(Gyomu::Sekkei);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_nYearCode, 30101);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_nAmount, 5'000'000);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_strRemarkUpper, "業務原価の約53.85%");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GyomuKakaku).m_nAmount, 15'000'000);
}

TEST_F(MainPassTest, PropertyTotalRoundingWithoutTechnicalRowComesOffTheOverheadRow) {
    // 業務 3 without a 技術経費 row: the 諸経費 row absorbs the rounding.
    //   conventional labour 11,986,096 (a lump 工種 of the conventional method);
    //   諸経費 3 % = 359,582.88 → 359,582; total 12,345,678 → 万円: 12,340,000, 5,678 off 諸経費.
    MasterKoshu(Gyomu::Bukken, 69, 1);
    build.Gyomu(Gyomu::Bukken).Koshu(69).Amount(11'986'096);
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 300; });
    build.Koshu(Koshu::GyomuKakaku).Set([](CSekisanItem& i) { i.m_nRounding = 4; });
    data.Recalculate(Gyomu::Bukken);
    EXPECT_EQ(Row(Gyomu::Bukken, Koshu::Shokeihi).m_nAmount2, 359'582);
    EXPECT_EQ(Row(Gyomu::Bukken, Koshu::Shokeihi).m_nAmount, 359'582 - 5'678);
    EXPECT_EQ(Row(Gyomu::Bukken, Koshu::Shokeihi).m_strRemarkUpper, "人件費の ≒3.00%");
    EXPECT_EQ(Row(Gyomu::Bukken, Koshu::GyomuKakaku).m_nAmount, 12'340'000);
    EXPECT_EQ(Row(Gyomu::Bukken, Koshu::GyomuKakaku).m_nAmount2, 12'345'678);
}

TEST_F(MainPassTest, AnOverheadRowThatAbsorbsTheRoundingKeepsItsRateAfterTheApproxSign) {
    // Each 業務 a lump 11,986,096 (of the conventional method where the base is conventional
    // labour), no 技術経費 row, 諸経費 3 %: 359,582.88 → 359,582; total 12,345,678 → 万円
    // 12,340,000, 5,678 off the 諸経費 row, whose remark reads its head, "≒" and the rate.
    const struct {
        int gyomu;
        const char* remark;
    } cases[] = {{Gyomu::Sokuryo, "直接測量費の ≒3.00%"},
                 {Gyomu::Sekkei, "直接人件費の ≒3.00%"},
                 {Gyomu::Bukken, "人件費の ≒3.00%"},
                 {Gyomu::DoshitsuIppan, " ≒3.00%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gyomu);
        MasterKoshu(c.gyomu, 69, 1);
        build.Gyomu(c.gyomu).Koshu(69).Amount(11'986'096);
        build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 300; });
        build.Koshu(Koshu::GyomuKakaku).Set([](CSekisanItem& i) { i.m_nRounding = 4; });
        data.Recalculate(c.gyomu);
        EXPECT_EQ(Row(c.gyomu, Koshu::Shokeihi).m_nAmount, 359'582 - 5'678);
        EXPECT_EQ(Row(c.gyomu, Koshu::Shokeihi).m_strRemarkUpper, c.remark);
        EXPECT_EQ(Row(c.gyomu, Koshu::GyomuKakaku).m_nAmount, 12'340'000);
    }
}

TEST_F(MainPassTest, GeneralExpenseOfTheOlderYearCode) {
    // Year code 30100: 一般管理費等 42.86 % of the 業務原価 10,000,000 = 4,286,000.
    MasterKoshu(Gyomu::Sekkei, 69, 0);
    build.Gyomu(Gyomu::Sekkei).Koshu(69).Amount(10'000'000);
    build.Koshu(Koshu::IppanKanrihi).Set([](CSekisanItem& i) { i.m_nYearCode = 30100; });
    build.Koshu(Koshu::GyomuKakaku);
    data.Recalculate(Gyomu::Sekkei);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_nAmount, 4'286'000);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_strRemarkUpper, "業務原価の42.86%");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GyomuKakaku).m_nAmount, 14'286'000);
}

TEST_F(MainPassTest, AmountsInRemarksGroupThreeDigits) {
    // New labour 1,234 and conventional labour 999 (lump 工種 of each method) on the 直接人件費 row.
    MasterKoshu(Gyomu::Sekkei, 69, 0);
    MasterKoshu(Gyomu::Sekkei, 690, 1);
    build.Gyomu(Gyomu::Sekkei).Koshu(69).Amount(1'234).Koshu(690).Amount(999);
    build.Koshu(Koshu::ChokusetsuJinkenhi, "直接人件費");
    data.Recalculate(Gyomu::Sekkei);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi).m_nAmount, 2'233);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi).m_strRemarkUpper, "直接人件費    (2,233)");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi).m_strRemarkLower, "新(1,234),従(999)");
}

TEST_F(MainPassTest, TotalRowShowsItsRoundingWhenAsked) {
    env.settings.MarumeDsp = 1;
    BuildSurvey(4);
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_strRemarkUpper, txt::MarumeMan);
    env.settings.MarumeDsp = 0;
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_strRemarkUpper, "");
}

TEST_F(MainPassTest, KoshuRowTotalsItsShubetsuOnlyWhenAsked) {
    build.Gyomu(Gyomu::Sokuryo).Koshu(69).Set([](CSekisanItem& i) { i.m_bSummary = 1; });
    build.Shubetsu(1).Amount(100).Shubetsu(2).Amount(200);
    build.Koshu(690).Amount(999'999).Shubetsu(1).Amount(50);
    build.Koshu(Koshu::ChokusetsuhiKei, "直接測量費");
    Passes(Gyomu::Sokuryo, 0, 1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 69).m_nAmount, 300);
    EXPECT_TRUE(IsUnset(Row(Gyomu::Sokuryo, 690).m_nAmount));
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nAmount, 350);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nQuantity, 1000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_strUnit, txt::UnitShiki);
}

TEST_F(MainPassTest, DirectSumBeyondNineDigitsRestartsAtZeroAndIsReported) {
    // 600,000,000 + 500,000,000 is beyond the limit: the sum starts again from 0, then 1,000.
    build.Gyomu(Gyomu::Sokuryo).Koshu(69).Amount(600'000'000).Koshu(690).Amount(500'000'000).Koshu(691).Amount(1'000);
    build.Koshu(Koshu::ChokusetsuhiKei, "直接測量費");
    Passes(Gyomu::Sokuryo, 0, 1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nAmount, 1'000);
    EXPECT_EQ(data.GetCalcLimits().directCapped, std::set<int>{1});
    EXPECT_TRUE(data.GetCalcLimits().costCapped.empty());
    Row(Gyomu::Sokuryo, 690).m_nAmount = 300'000'000;
    Passes(Gyomu::Sokuryo, 0, 1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nAmount, 900'001'000);
    EXPECT_TRUE(data.GetCalcLimits().directCapped.empty());
}

TEST_F(MainPassTest, CostBeyondNineDigitsRestartsAtZeroAndIsReported) {
    MasterKoshu(Gyomu::Sekkei, 69, 0);
    MasterKoshu(Gyomu::Sekkei, 690, 0);
    MasterKoshu(Gyomu::Sekkei, 691, 0);
    build.Gyomu(Gyomu::Sekkei).Koshu(69).Amount(600'000'000).Koshu(690).Amount(500'000'000).Koshu(691).Amount(1'000);
    build.Koshu(Koshu::GyomuGenka, "業務原価");
    Passes(Gyomu::Sekkei, 0, 1);
    // 業務原価 after the limit: the last 1,000 only.
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GyomuGenka).m_nAmount, 1'000);
    EXPECT_EQ(data.GetCalcLimits().costCapped, std::set<int>{2});
    // The limits are those of the last run: a smaller estimate clears them.
    Row(Gyomu::Sekkei, 69).m_nAmount = 1;
    Passes(Gyomu::Sekkei, 0, 1);
    EXPECT_TRUE(data.GetCalcLimits().costCapped.empty());
    EXPECT_TRUE(data.GetCalcLimits().directCapped.empty());
}

TEST_F(MainPassTest, AnAmountBeyondThirtyTwoBitsIsHeldAtTheLimitAndReported) {
    // A rate row of 300 % over the direct sum 900,000,000: 2,700,000,000 does not fit 32 bits and is
    // held at 2,147,483,647.
    build.Gyomu(Gyomu::Sokuryo).Koshu(69).Amount(900'000'000);
    build.Koshu(72).Set([](CSekisanItem& i) { i.m_nRate = 30000; });
    Passes(Gyomu::Sokuryo, 0, 1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 72).m_nAmount, 2'147'483'647);
    EXPECT_EQ(data.GetCalcLimits().saturated, std::set<int>{1});
    EXPECT_TRUE(data.GetCalcLimits().directCapped.empty());
    // 200 %: 1,800,000,000 fits, and the record of the last run names nothing.
    Row(Gyomu::Sokuryo, 72).m_nRate = 20000;
    Passes(Gyomu::Sokuryo, 0, 1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 72).m_nAmount, 1'800'000'000);
    EXPECT_TRUE(data.GetCalcLimits().saturated.empty());
}

TEST_F(MainPassTest, SoilAccuracyRowWithOnlyClassEightWorkTakesItsMinimum) {
    MasterShubetsu(Gyomu::DoshitsuIppan, 40, 1).m_denshiKind = 8;
    build.Gyomu(Gyomu::DoshitsuIppan).Koshu(40).Shubetsu(1).Set([](CSekisanItem& i) {
        i.m_bAmountEntered = 1;
        i.m_nAmount2 = 1'000;
    });
    build.Koshu(Koshu::DenshiSeikahin, "精度管理費").Koshu(Koshu::ChokusetsuhiKei, "直接調査費");
    Passes(Gyomu::DoshitsuIppan, 0, 1);
    EXPECT_EQ(Row(Gyomu::DoshitsuIppan, 40, 1).m_nAmount, 1'000);
    EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::DenshiSeikahin).m_nAmount, 30'000);
    EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::DenshiSeikahin).m_strRemarkUpper, " ");
    EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::ChokusetsuhiKei).m_nAmount, 31'000);
}

TEST_F(MainPassTest, ComputerRowRemovedWhileCurrentLeavesTheNextRowPriced) {
    // 業務 7 without DensiDsp: the 電子計算機使用料 row goes while the walk stands on it. The
    // 諸経費 row after it (10 % of the new labour 1,000,000) must still be priced in that run.
    MasterKoshu(Gyomu::KukakuSekkei, 69, 0);
    build.Gyomu(Gyomu::KukakuSekkei).Koshu(69).Amount(1'000'000);
    build.Koshu(Koshu::DensiRow, "電子計算機使用料").Amount(5'000);
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 1000; });
    build.Koshu(Koshu::GyomuKakaku);
    EXPECT_EQ(data.CalcGyomu(Gyomu::KukakuSekkei, 0), 1);
    EXPECT_EQ(Find(Gyomu::KukakuSekkei, Koshu::DensiRow), -1);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, Koshu::Shokeihi).m_nAmount, 100'000);
    // In that run the row still counted with its old amount; the next runs no longer see it.
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, Koshu::GyomuKakaku).m_nAmount, 1'105'000);
    data.Recalculate(Gyomu::KukakuSekkei);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, Koshu::GyomuKakaku).m_nAmount, 1'100'000);
}

class SurveyAccuracyRowTest : public MainPassTest {
protected:
    // One 測量 種別 priced as a lump: one worker of 10,000 yen for 1.00 day, 精度管理係数 0.10:
    //   labour 10,000; 精度管理費 10 % of it = 1,000; amount 11,000 (10,000 without it).
    void SetUp() override {
        Worker(1001, 10'000);
        CBukakeShubetsu& s = MasterShubetsu(Gyomu::Sokuryo, 10, 1);
        s.m_coefficient = 10;
        s.GetDetail().m_unit = "式";
        s.GetDetail().m_shokushu[0] = 1001;
        masterbuild::AddLine(s.GetDetail(), "観測", {100});
        build.Gyomu(Gyomu::Sokuryo).Koshu(10).Shubetsu(1, "基準点測量").Quantity(1000).Set([](CSekisanItem& i) {
            i.m_bKotei[0] = 1;
            i.m_nRate = 10000;
        });
        build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 1000; });
        build.Koshu(Koshu::GyomuKakaku);
    }
};

TEST_F(SurveyAccuracyRowTest, RowInsertedDuringTheWalkDoesNotEndItEarly) {
    env.settings.SeidoDsp = 1;
    EXPECT_EQ(data.CalcGyomu(Gyomu::Sokuryo, 0), 1);
    // The 精度管理費 row goes in front of the 諸経費 row and takes the 1,000 at once; the total row,
    // now one place further down, is still reached: 10,000 + 諸経費 10 % of 10,000.
    ASSERT_EQ(Find(Gyomu::Sokuryo, Koshu::SeidoRow), 3);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::SeidoRow).m_strNameUpper, txt::RowSeidoKanrihi);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::SeidoRow).m_nAmount, 1'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 1).m_nAmount, 10'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 11'000);
    // From the next run the 精度管理費 counts into the 諸経費 base: 11,000 + 1,100.
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 1'100);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'100);
}

TEST_F(SurveyAccuracyRowTest, RowRemovedWhenAccuracyIsPricedInside) {
    env.settings.SeidoDsp = 1;
    data.Recalculate(Gyomu::Sokuryo);
    ASSERT_GE(Find(Gyomu::Sokuryo, Koshu::SeidoRow), 0);
    env.settings.SeidoDsp = 0;
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(Find(Gyomu::Sokuryo, Koshu::SeidoRow), -1);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 1).m_nAmount, 11'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 1'100);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 12'100);
}

TEST_F(MainPassTest, UnnamedRow914LosesItsName) {
    build.Gyomu(Gyomu::Sekkei)
        .Koshu(Koshu::Nameless, "自動の名称")
        .Koshu(Koshu::Nameless, "利用者の名称")
        .Set([](CSekisanItem& i) { i.m_bNameUpperEdited = 1; });
    Passes(Gyomu::Sekkei, 0, 1);
    EXPECT_EQ(Item(1).m_strNameUpper, "");
    EXPECT_EQ(Item(2).m_strNameUpper, "利用者の名称");
}

TEST_F(MainPassTest, NullRowEndsThePassWithZero) {
    build.Gyomu(Gyomu::Sokuryo).Koshu(69).Amount(500).Koshu(Koshu::ChokusetsuhiKei);
    List().InsertItem(2, nullptr);
    EXPECT_EQ(data.CalcGyomu(Gyomu::Sokuryo, 0), 0);
}

TEST_F(MainPassTest, WholeEstimateRunsEveryBusinessCodeUpTo31) {
    build.Gyomu(Gyomu::LastCalculated).Koshu(69).Amount(700).Koshu(Koshu::ChokusetsuhiKei);
    build.Gyomu(Gyomu::LastBusiness).Koshu(69).Amount(800).Koshu(Koshu::ChokusetsuhiKei);
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::LastCalculated, Koshu::ChokusetsuhiKei).m_nAmount, 700);
    EXPECT_EQ(Row(Gyomu::LastCalculated, Koshu::ChokusetsuhiKei).m_strUnit, txt::UnitShiki);
    EXPECT_TRUE(IsUnset(Row(Gyomu::LastBusiness, Koshu::ChokusetsuhiKei).m_nAmount));
}

TEST_F(MainPassTest, WholeEstimateNeedsAllThreeRuns) {
    // 業務 1: labour 10,000,000 (a lump 工種); 電子計算機使用料 0.56 % = 56,000, counted into the
    // sums with the amount of the run before; 諸経費 3 % of 10,056,000 = 301,680; total 10,357,680
    // → 万円: 10,350,000, 7,680 off 諸経費. The first run counts no 電子計算機使用料, the second
    // rounds by the total of the first (10,300,000: nothing to take off); only the third is right.
    MasterKoshu(Gyomu::Sokuryo, 69, 0);
    build.Gyomu(Gyomu::Sokuryo).Koshu(69).Amount(10'000'000);
    build.Koshu(Koshu::DensiKeisanki, "電子計算機使用料");
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 300; });
    build.Koshu(Koshu::GyomuKakaku).Set([](CSekisanItem& i) { i.m_nRounding = 4; });
    data.Recalculate(0);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::DensiKeisanki).m_nAmount, 56'000);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::DensiKeisanki).m_strRemarkUpper, txt::DensiSokuryo);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount2, 301'680);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount, 301'680 - 7'680);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount2, 10'357'680);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount, 10'350'000);
}

TEST_F(MainPassTest, TypedAmountIsKeptAndCounted) {
    MasterShubetsu(Gyomu::Sokuryo, 10, 1);
    build.Gyomu(Gyomu::Sokuryo).Koshu(10).Shubetsu(1).Quantity(2000).UnitPrice(50'000).Set([](CSekisanItem& i) {
        i.m_bAmountEntered = 1;
        i.m_nAmount2 = 77'777;
    });
    build.Koshu(Koshu::ChokusetsuhiKei);
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 1).m_nAmount, 77'777);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nAmount, 77'777);
}

TEST_F(MainPassTest, ShubetsuMissingFromTheMasterIsClearedAndMarked) {
    MasterKoshu(Gyomu::Sokuryo, 10);
    build.Gyomu(Gyomu::Sokuryo)
        .Koshu(10)
        .Shubetsu(5, "消えた種別")
        .Quantity(1000)
        .UnitPrice(100)
        .Set([](CSekisanItem& i) {
            i.m_strUnit = "点";
            i.m_strRemarkUpper = "古い摘要";
        });
    build.Koshu(Koshu::ChokusetsuhiKei);
    data.Recalculate(Gyomu::Sokuryo);
    const CSekisanItem& row = Row(Gyomu::Sokuryo, 10, 5);
    EXPECT_EQ(row.m_strUnit, "");
    EXPECT_EQ(row.m_nUnitPrice, 0);
    EXPECT_EQ(row.m_nAmount, 0);
    EXPECT_EQ(row.m_strRemarkUpper, "");
    EXPECT_EQ(row.m_strRemarkLower, txt::RemarkDeleted);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_nAmount, 0);
}

}  // namespace
}  // namespace driver_test
