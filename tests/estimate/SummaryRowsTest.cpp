// The summary rows: subtotal, adjustment, consumption tax and total after all 業務.
#include <gtest/gtest.h>

#include "DriverBuilders.h"

namespace driver_test {
namespace {

class SummaryRowsTest : public DriverTest {
protected:
    // 業務 1 and 2 with their totals (工種 95 rows), then the summary rows:
    // 89 (quantity 2.000 × unit price 1,000.0), 95, 96 (adjustment), 97, 98 (rate), 99.
    void Build(int32_t total1, int32_t total2, int32_t adjustment, int32_t taxRate) {
        build.Gyomu(Gyomu::Sokuryo, "測量業務").Koshu(Koshu::GyomuKakaku, "業務価格").Amount(total1);
        build.Gyomu(Gyomu::Sekkei, "設計業務").Koshu(Koshu::GyomuKakaku, "業務価格").Amount(total2);
        build.Summary(Gyomu::Sonota, "機械器具損料").Quantity(2000).UnitPrice(10000);
        build.Summary(Gyomu::Goukei, "小計")
            .Summary(Gyomu::Nebiki, "値引き")
            .Amount(adjustment)
            .Summary(Gyomu::Aratamekei, "計");
        build.Summary(Gyomu::Shohizei, "消費税相当額").Set([&](CSekisanItem& i) { i.m_nRate = taxRate; });
        build.Summary(Gyomu::ItakuryoKei, "合計");
    }
    int32_t Summary(int code) { return Row(code, kUnset).m_nAmount; }
};

TEST_F(SummaryRowsTest, SubtotalAdjustmentTaxAndTotalToTheYen) {
    // 89 = 2.000 × 1,000.0 = 2,000
    // 95 = 1,000,000 + 500,000 + 2,000 = 1,502,000
    // 97 = 1,502,000 − 20,000 = 1,482,000
    // 98 = 1,482,000 × 10% = 148,200
    // 99 = 1,482,000 + 148,200 = 1,630,200
    Build(1'000'000, 500'000, -20'000, 1000);
    EXPECT_EQ(data.CalcSummaryRows(), 0);
    EXPECT_EQ(Summary(Gyomu::Sonota), 2'000);
    EXPECT_EQ(Summary(Gyomu::Goukei), 1'502'000);
    EXPECT_EQ(Summary(Gyomu::Nebiki), -20'000);
    EXPECT_EQ(Summary(Gyomu::Aratamekei), 1'482'000);
    EXPECT_EQ(Summary(Gyomu::Shohizei), 148'200);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 1'630'200);
    EXPECT_FALSE(data.GetCalcLimits().totalCapped);
}

TEST_F(SummaryRowsTest, NegativeOrUnsetBusinessTotalsStayOutOfTheSubtotal) {
    // 95 = 0 (業務 1 negative) + 0 (業務 2 unset) + 2,000 (89) = 2,000; no adjustment.
    Build(-5'000, kUnset, kUnset, 1000);
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Goukei), 2'000);
    EXPECT_EQ(Summary(Gyomu::Aratamekei), 2'000);
    EXPECT_EQ(Summary(Gyomu::Shohizei), 200);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 2'200);
}

TEST_F(SummaryRowsTest, TaxIsCutDownToTheYen) {
    // (1,000,003 + 2,000) × 8% = 80,160.24 → 80,160.
    Build(1'000'003, kUnset, kUnset, 800);
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Shohizei), 80'160);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 1'082'163);
}

TEST_F(SummaryRowsTest, TotalBeyondNineDigitsIsShownAsZeroAndReported) {
    // 999,997,999 + 2,000 = 999,999,999; any tax makes the total too large.
    Build(999'997'999, kUnset, kUnset, 1000);
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Goukei), 999'999'999);
    EXPECT_EQ(Summary(Gyomu::Shohizei), 99'999'999);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 0);
    EXPECT_TRUE(data.GetCalcLimits().totalCapped);

    // Without tax the same subtotal is exactly at the limit and shown.
    Row(Gyomu::Shohizei, kUnset).m_nRate = 0;
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 999'999'999);
    EXPECT_FALSE(data.GetCalcLimits().totalCapped);
}

TEST_F(SummaryRowsTest, AnExtraRowBeyondThirtyTwoBitsMarksTheTotalEvenWhenADiscountBringsItBack) {
    // 89 = 5,000.000 × 1,000,000.0 = 5,000,000,000, held at 2,147,483,647; with the discount of
    // 2,100,000,000 the total shows 47,483,647 where 2,900,000,000 is right.
    Build(kUnset, kUnset, -2'100'000'000, 0);
    Row(Gyomu::Sonota, kUnset).m_nQuantity = 5'000'000;
    Row(Gyomu::Sonota, kUnset).m_nUnitPrice = 10'000'000;
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Sonota), 2'147'483'647);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 47'483'647);
    EXPECT_TRUE(data.GetCalcLimits().totalCapped);
}

TEST_F(SummaryRowsTest, NegativeTotalIsShownAsZero) {
    Build(10'000, kUnset, -50'000, 1000);
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Aratamekei), -38'000);
    EXPECT_EQ(Summary(Gyomu::Shohizei), -3'800);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 0);
    EXPECT_TRUE(data.GetCalcLimits().totalCapped);
}

TEST_F(SummaryRowsTest, TaxRowWithoutRateTakesNoTaxAndIsNamed) {
    Build(1'000'000, kUnset, kUnset, kUnset);
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Shohizei), 0);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 1'002'000);
    EXPECT_EQ(MissingPriceName(), "消費税相当額");
}

TEST_F(SummaryRowsTest, ExtraRowWithoutPriceKeepsItsAmountAndAddsNothing) {
    Build(1'000'000, kUnset, kUnset, 0);
    Row(Gyomu::Sonota, kUnset).m_nUnitPrice = kUnset;
    Row(Gyomu::Sonota, kUnset).m_nAmount = 777;
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Sonota), 777);
    EXPECT_EQ(Summary(Gyomu::Goukei), 1'000'000);
}

TEST_F(SummaryRowsTest, EachValueUsesOnlyTheRowsBeforeIt) {
    // A second 89 row after the subtotal is priced but not in the subtotal; a later 業務 97 row
    // replaces its 95 row in the slot.
    Build(1'000'000, 500'000, kUnset, 1000);
    build.Summary(Gyomu::Sonota, "後の行").Quantity(1000).UnitPrice(50);
    build.Gyomu(Gyomu::Bukken).Koshu(Koshu::GyomuKakaku).Amount(1).Koshu(Koshu::Aratamekei).Amount(300'000);
    build.Summary(Gyomu::Goukei, "小計 2");
    data.CalcSummaryRows();
    EXPECT_EQ(Summary(Gyomu::Goukei), 1'502'000);
    EXPECT_EQ(Item(List().GetUpperBound() - 4).m_nAmount, 5);  // 1.000 × 5.0
    // The second subtotal adds every slot again to the first: 1,502,000 + 1,500,000 + 300,000
    // + 2,005 (both 89 rows so far).
    EXPECT_EQ(Item(List().GetUpperBound()).m_nAmount, 1'502'000 + 1'800'000 + 2'005);
}

TEST_F(SummaryRowsTest, NullRowEndsTheWalk) {
    Build(1'000'000, kUnset, kUnset, 1000);
    Row(Gyomu::ItakuryoKei, kUnset).m_nAmount = 123;
    List().InsertItem(Find(Gyomu::ItakuryoKei, kUnset), nullptr);
    EXPECT_EQ(data.CalcSummaryRows(), 0);
    EXPECT_EQ(Summary(Gyomu::Shohizei), 100'200);
    EXPECT_EQ(Summary(Gyomu::ItakuryoKei), 123);
}

}  // namespace
}  // namespace driver_test
