// The shared amount rules (four-digit cut, unit-price limit, 技術経費率, expense parts by rate) and
// the overhead rates and expense components of a 歩掛 detail.
#include <cmath>
#include <set>

#include "MasterBuilders.h"
#include "PricingBuilders.h"
#include "platform/Rounding.h"

using namespace pricing_test;
using masterbuild::AddHimoku;

namespace {

class PricingRules : public PricingTest {};

TEST_F(PricingRules, DoubleToLongAddsATenMillionthBeforeTruncating) {
    EXPECT_EQ(DoubleToLong(2.9999999), 3);
    EXPECT_EQ(DoubleToLong(-2.9999999), -3);
    EXPECT_EQ(DoubleToLong(0.5), 0);
}

TEST_F(PricingRules, TruncTo4DigitsKeepsFourSignificantDigitsBetweenTenThousandAndOneHundredMillion) {
    EXPECT_EQ(CSekisanData::TruncTo4Digits(9999), 9999);
    EXPECT_EQ(CSekisanData::TruncTo4Digits(10000), 10000);
    EXPECT_EQ(CSekisanData::TruncTo4Digits(123456), 123400);      // divisor 100
    EXPECT_EQ(CSekisanData::TruncTo4Digits(99999999), 99990000);  // divisor 10,000
    EXPECT_EQ(CSekisanData::TruncTo4Digits(100000000), 100000000);
    EXPECT_EQ(CSekisanData::TruncTo4Digits(-5), -5);
}

TEST_F(PricingRules, UnitPriceAtTheLimitPasses) {
    const int row = AddRow(Gyomu::Sekkei, 10, 1, "測量");
    Item(row).m_nUnitPrice = 50;
    int price = 214748364;
    data.CheckUnitPrice(price, Item(row));
    EXPECT_EQ(price, 214748364);
    EXPECT_EQ(Item(row).m_nUnitPrice, 50);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PricingRules, UnitPriceBeyondTheLimitClearsPriceAndAmountButKeepsTheUsersEntries) {
    const int row = AddRow(Gyomu::Sekkei, 10, 1, "基本設計");
    CSekisanItem& item = Item(row);
    item.m_nUnitPrice = 50;
    item.m_nAmount = 7;
    item.m_nLL[0] = 25000;
    item.m_nRateCol[0] = 2;
    item.m_nRateRow[0] = 3;
    item.m_nRateCode[0] = 11;
    int price = 214748365;
    data.CheckUnitPrice(price, item);
    EXPECT_EQ(price, 0);
    EXPECT_EQ(item.m_nUnitPrice, kUnset);
    EXPECT_EQ(item.m_nAmount, kUnset);
    // The user's LL value, table cell and rate code stay.
    EXPECT_EQ(item.m_nLL[0], 25000);
    EXPECT_EQ(item.m_nRateCol[0], 2);
    EXPECT_EQ(item.m_nRateRow[0], 3);
    EXPECT_EQ(item.m_nRateCode[0], 11);
    // The 業務 is named in the record of the limits, which the view tells; nothing is told here.
    EXPECT_EQ(data.GetCalcLimits().UnitPriceGyomu(), std::set<int>{Gyomu::Sekkei});
    EXPECT_TRUE(host.messages.empty());
}

// Rows of 業務 2 whose 種別 carry the 技術経費 coefficients 20, 30, (missing record), 50.
class GijutsuKeihi : public PricingTest {
protected:
    void Build(bool withMissing, bool positive = true) {
        env.settings.DefGijyutuCalc = 0;
        MasterShubetsu(Gyomu::Sekkei, 10, 1, positive ? 20 : 0);
        MasterShubetsu(Gyomu::Sekkei, 10, 2, positive ? 30 : -5);
        MasterShubetsu(Gyomu::Sekkei, 10, 4, positive ? 50 : kUnset);
        MasterShubetsu(Gyomu::Sekkei, 10, 5, 10);
        AddRow(Gyomu::Sekkei, 10, 1);
        AddRow(Gyomu::Sekkei, 10, 2);
        if (withMissing) AddRow(Gyomu::Sekkei, 10, 3);  // no 種別 3 in the master
        AddRow(Gyomu::Sekkei, 10, 4);
        target = AddRow(Gyomu::Sekkei, 10, 5);
    }
    int target = -1;
};

TEST_F(GijutsuKeihi, HighestRateStopsAtAMissingRecord) {
    Build(true);
    EXPECT_EQ(data.GetGijutsuKeihiRate(target, 0), 3000);  // max(20, 30) × 100
}

TEST_F(GijutsuKeihi, HighestRateOverAllEarlierRows) {
    Build(false);
    EXPECT_EQ(data.GetGijutsuKeihiRate(target, 0), 5000);
}

TEST_F(GijutsuKeihi, NoPositiveCoefficientGivesNoRate) {
    Build(false, false);
    EXPECT_EQ(data.GetGijutsuKeihiRate(target, 0), 0);
}

TEST_F(GijutsuKeihi, ByShubetsuAndBusinessKinds3And4TakeTheRowsOwnCoefficient) {
    Build(false);
    EXPECT_EQ(data.GetGijutsuKeihiRate(target, 1), 1000);  // its own 10
    MasterShubetsu(Gyomu::Bukken, 10, 1, 15);
    const int row3 = AddRow(Gyomu::Bukken, 10, 1);
    EXPECT_EQ(data.GetGijutsuKeihiRate(row3, 0), 1500);
    const int missing = AddRow(Gyomu::Bukken, 10, 9);
    EXPECT_EQ(data.GetGijutsuKeihiRate(missing, 0), 0);
    EXPECT_EQ(data.GetGijutsuKeihiRate(999, 0), 0);
}

TEST_F(GijutsuKeihi, RateOfTheLargestSumWithDefGijyutuCalc1) {
    env.settings.DefGijyutuCalc = 1;
    MasterShubetsu(Gyomu::Sekkei, 10, 1, 20);
    MasterShubetsu(Gyomu::Sekkei, 10, 2, 30);
    MasterShubetsu(Gyomu::Sekkei, 10, 3, 20);
    Item(AddRow(Gyomu::Sekkei, 10, 1)).m_nAmount = 100;
    Item(AddRow(Gyomu::Sekkei, 10, 2)).m_nAmount = 250;
    Item(AddRow(Gyomu::Sekkei, 10, 3)).m_nAmount = 200;
    const int target = AddRow(Gyomu::Sekkei, 10, 2);
    // Coefficient 20: 100 + 200 = 300; coefficient 30: 250. 20 wins.
    EXPECT_EQ(data.GetMaxRateBySum(target), 20);
    EXPECT_EQ(data.GetGijutsuKeihiRate(target, 0), 2000);
    Item(target - 2).m_nAmount = 300;  // both sums 300: the group met first wins
    EXPECT_EQ(data.GetMaxRateBySum(target), 20);
    Item(target - 2).m_nAmount = 301;
    EXPECT_EQ(data.GetMaxRateBySum(target), 30);
    Item(target - 2).m_nAmount = 0;    // amounts not above 0 are left out
    EXPECT_EQ(data.GetMaxRateBySum(target), 20);
}

TEST_F(PricingRules, KeihiByRateLeavesPartsWithoutAPositiveRate) {
    CBukakeDetail detail;
    detail.m_rates = {500, kUnset, 0};
    int p0 = 7, p1 = 7, p2 = 7;
    CSekisanData::CalcKeihiByRate(detail, 100001, p0, p1, p2);
    EXPECT_EQ(p0, 5000);  // 100,001 × 5 % = 5,000.05 → 5,000
    EXPECT_EQ(p1, 7);
    EXPECT_EQ(p2, 7);
    // Large bases do not overflow: 2,000,000,000 × 1 % = 20,000,000.
    detail.m_rates = {100, kUnset, kUnset};
    CSekisanData::CalcKeihiByRate(detail, 2000000000, p0, p1, p2);
    EXPECT_EQ(p0, 20000000);
}

// 諸経費率 ----------------------------------------------------------------------------------

TEST_F(PricingRules, SokuryoOverheadRateBounds) {
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 500000, 30105), 9580);
    // 288.5 × 500,001^−0.084 × 100 = 9,581.47 → half up to 10 → 9,580 (the formula applies)
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 500001, 30105), 9580);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 100000001, 30105), 6140);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::KukakuSokuryo, 100000000, 30100),
              DoubleToLong(f8_45(462.5 * std::pow(1e8, -0.1266) * 100, 10)));
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 0, 30105), 0);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, -5, 30105), 0);
}

TEST_F(PricingRules, SokuryoOverheadRateByFormula) {
    // 288.5 × 10,000,000^−0.084 × 100 = 7,449.82 → 7,450
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 10000000, 30105), 7450);
    // other year codes: 371.23 × 10,000,000^−0.107 × 100 = 6,616.72 → 6,620
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sokuryo, 10000000, 30101), 6620);
}

TEST_F(PricingRules, DoshitsuOverheadRate) {
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::DoshitsuIppan, 1000000, 30104), 8250);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::DoshitsuIppan, 30000001, 30104), 6060);
    // 290.2 × 10,000,000^−0.091 = 66.94 → half up to 0.1 → 66.9 → × 100 = 6,690
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::DoshitsuIppan, 10000000, 30104), 6690);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::DoshitsuIppan, -1, kUnset), 4710);
}

TEST_F(PricingRules, OtherBusinessKindsTakeTheMastersRate) {
    masterbuild::AddShokeihi(env.shokeihi, 2, "設計", 3500);
    masterbuild::AddShokeihi(env.shokeihi, 3, "物件", kUnset);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Sekkei, 1, 1), 3500);
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::DoshitsuKaiseki, 123456, 30104), 3500);  // 業務 5 uses the record of 業務 2
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::Bukken, 1, 1), 0);                       // rate not entered
    EXPECT_EQ(data.GetShokeihiRate(Gyomu::KukakuSekkei, 1, 1), 0);                 // no record
    EXPECT_EQ(data.GetShokeihiRate(8, 1000000, 30105), 0);
}

// Expense components --------------------------------------------------------------------------

class KeihiParts : public PricingTest {
protected:
    KeihiParts() {
        masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 0, "鋼材", 1234.5);
        CBukakeHimokuSet& set = detail.GetHimokuSet();
        set.m_bases = {1, 8, kUnset};
        set.m_rates = {1000, 500, 0};
        AddHimoku(detail, "2", 0, 2001, 50);  // key 0: 2 × RoundDown(1234.5 × 50 %) = 2 × 617 = 1,234
        AddHimoku(detail, "Z1", 0, kUnset, kUnset);
        AddHimoku(detail, "z2", 1, kUnset, kUnset);
    }
    CBukakeDetail detail;
};

TEST_F(KeihiParts, MarkersAreFoundInAnyCase) {
    double q = -1, p = -1;
    EXPECT_EQ(data.CalcZairyoAmount(detail.GetHimokuSet().GetHimoku(2), &q, &p), -3.0);
    EXPECT_EQ(data.CalcZairyoAmount(detail.GetHimokuSet().GetHimoku(1), &q, &p), -2.0);
    EXPECT_EQ(CSekisanData::FindKeihiEntry(0, &detail.GetHimokuSet(), 1), 3);
    EXPECT_EQ(CSekisanData::FindKeihiEntry(3, &detail.GetHimokuSet(), 1), -2);
    EXPECT_EQ(CSekisanData::FindKeihiEntry(0, &detail.GetHimokuSet(), 2), -2);
}

TEST_F(KeihiParts, MaterialEntryTakesPercentageOfThePrice) {
    double q = 0, p = 0;
    EXPECT_DOUBLE_EQ(data.CalcZairyoAmount(detail.GetHimokuSet().GetHimoku(0), &q, &p), 1234.0);
    EXPECT_DOUBLE_EQ(q, 2.0);
    EXPECT_DOUBLE_EQ(p, 617.0);
    EXPECT_DOUBLE_EQ(data.SumZairyoOfKey(&detail, 0), 1234.0);
    EXPECT_DOUBLE_EQ(data.SumZairyoOfKey(&detail, 1), 0.0);
}

TEST_F(KeihiParts, ComponentsAreRatePartsPlusMaterials) {
    int p0 = -1, p1 = -1, p2 = -1;
    // labour 100,000, direct 80,000
    data.CalcKeihiParts(&detail, 100000, 80000, 0, &p1, &p2, &p0);
    EXPECT_EQ(p0, 9234);  // 10 % of the direct labour 8,000 + materials 1,234
    EXPECT_EQ(p1, 5000);  // 5 % of the labour
    EXPECT_EQ(p2, 0);
    data.CalcKeihiParts(&detail, 100000, 80000, 6, &p1, &p2, &p0);
    EXPECT_EQ(p0, 8000);  // mode 6: rate parts only
    EXPECT_EQ(p1, 5000);
    // Basis 16: labour + m0 + part 0 + m1 + part 1 = 100,000 + 1,234 + 8,000 = 109,234 × 5 % = 5,461.7
    detail.GetHimokuSet().m_bases[1] = 16;
    data.CalcKeihiParts(&detail, 100000, 80000, 0, &p1, &p2, &p0);
    EXPECT_EQ(p1, 5461);
}

}  // namespace
