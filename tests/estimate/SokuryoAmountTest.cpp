// 測量 and 土質調査 amounts of a 種別 row, worker slots, man-days, day counts and the rounding of the
// 業務 total. Every figure is worked by hand in the comment beside it.
#include "MasterBuilders.h"
#include "PricingBuilders.h"

using namespace pricing_test;
using masterbuild::AddLine;

namespace {

// 業務 1, 工種 10, 種別 1: 測量技師 30,000 yen (1.00 man-day) and 測量助手 20,001 yen (2.00 man-days),
// both 直接人件費, on one selected line; unit "式", base quantity 1.00, formula "1".
class Sokuryo : public PricingTest {
protected:
    Sokuryo() {
        Worker(1001, 30000, 0, "測量技師");
        Worker(1002, 20001, 0, "測量助手");
        CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 1);
        d.m_shokushu[0] = 1001;
        d.m_shokushu[1] = 1002;
        d.m_unit = "式";
        d.m_quantity = 100;
        AddLine(d, "観測", {100, 200});
        row = AddRow(Gyomu::Sokuryo, 10, 1, "基準点測量");
        Item(row).m_bKotei[0] = 1;
    }
    CBukakeDetail& D() { return Detail(Gyomu::Sokuryo, 10, 1); }
    CSekisanItem& Row() { return Item(row); }
    int Amount(AmountPart part) { return data.CalcSokuryoKingaku(&Row(), row, part); }
    int row = -1;
};

TEST_F(Sokuryo, LumpUnitTakesTheItemRate) {
    Row().m_nRate = 12000;
    // L = 30,000 + 2 × 20,001 = 70,002; × 1.2 = 84,002.4 → 84,002
    EXPECT_EQ(Amount(AmountPart::Amount), 84002);
    EXPECT_EQ(Amount(AmountPart::WithoutSeido), 84002);
    EXPECT_EQ(data.CalcSokuryoShubetsu(&Row(), row, AmountPart::UnitBeforeFactor), 84002);
    // An unset item rate counts as 1.0.
    Row().m_nRate = kUnset;
    EXPECT_EQ(Amount(AmountPart::Amount), 70002);
    EXPECT_TRUE(MissingPriceName().empty());
}

TEST_F(Sokuryo, Part13DividesByTheRateInTheStandardAmountOnly) {
    Row().m_nRate = 12000;
    // direct labour × factor / 1.2 = 70,002 / 1.2 = 58,335
    EXPECT_EQ(Amount(AmountPart::Densi), 58335);
    EXPECT_EQ(Amount(AmountPart::DirectLabour), 70002);
    // In a line amount the lump unit's divisor is 1.0: 70,002.
    CSekisanData::RowTotals totals;
    double factor = 0;
    EXPECT_EQ(data.CalcRowKingaku(*env.bukake.FindShubetsu(Gyomu::Sokuryo, 10, 1), 0, row, totals, AmountPart::Densi,
                                  &Row(), factor),
              70002);
    EXPECT_EQ(totals.labour, 70002);
    EXPECT_EQ(totals.direct, 70002);
    EXPECT_DOUBLE_EQ(factor, 1.0);
    // The Amount part of the line: 70,002 × 1.2 = 84,002
    EXPECT_EQ(data.CalcRowKingaku(*env.bukake.FindShubetsu(Gyomu::Sokuryo, 10, 1), 0, row, totals, AmountPart::Amount,
                                  &Row(), factor),
              84002);
}

TEST_F(Sokuryo, Type13DividesByTheEighthLLAfterRounding) {
    D().m_bukakeType = BukakeType::PerLL8;
    D().m_unit = "m";
    EXPECT_EQ(Amount(AmountPart::Amount), 70002);  // LL unset: ÷ 1.0
    Row().m_nLL[7] = 25000;
    EXPECT_EQ(Amount(AmountPart::Amount), 28000);  // 70,002 / 2.5 = 28,000.8 → 28,000
    EXPECT_EQ(Amount(AmountPart::PerLL8Unrounded), 70002);  // before the division
    Row().m_nLL[7] = 0;           // a zero divisor is no amount: 0, and the row is named
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
}

TEST_F(Sokuryo, PerUnitDetailIsDividedByItsBaseQuantity) {
    D().m_unit = "m";
    D().m_quantity = 250;
    D().m_formula = "1.5";
    // 70,002 / 2.5 = 28,000.8 → 28,000; × 1.5 = 42,000
    EXPECT_EQ(Amount(AmountPart::Amount), 42000);
    // part Densi: 70,002 × 1.5 / 2.5 = 42,001.2 → 42,001
    EXPECT_EQ(Amount(AmountPart::Densi), 42001);
}

TEST_F(Sokuryo, FactorIsCutToThreeDecimalsExceptIn6) {
    D().m_formula = "1.23456";
    // 70,002 × 1.234 = 86,382.468 → 86,382
    EXPECT_EQ(Amount(AmountPart::Amount), 86382);
    Row().m_nWeightAverage = 1500;  // 重量平均値 replaces the formula: 70,002 × 1.5 = 105,003
    EXPECT_EQ(Amount(AmountPart::Amount), 105003);
}

TEST_F(Sokuryo, AccuracyFeeOnLabourOrDirectLabour) {
    Worker(1003, 10000, 1, "労務");
    D().m_shokushu[2] = 1003;
    D().GetLine(0)->m_columns[2] = 100;
    MasterShubetsu(Gyomu::Sokuryo, 10, 1, 5);  // 精度管理係数 0.05
    // L = 80,002, D = 70,002. SeidoCalc 0: S = 0.05 × 80,002 = 4,000.1 → 4,000; T = 84,002
    EXPECT_EQ(Amount(AmountPart::Amount), 84002);
    EXPECT_EQ(Amount(AmountPart::WithoutSeido), 80002);  // without 精度管理費
    EXPECT_EQ(Amount(AmountPart::DirectLabour), 70002);  // direct labour
    env.settings.SeidoCalc = 1;   // S = 0.05 × 70,002 = 3,500.1 → 3,500; T = 83,502
    EXPECT_EQ(Amount(AmountPart::Amount), 83502);
    Row().m_bSpecialExpense = 0;
    EXPECT_EQ(Amount(AmountPart::Amount), 80002);
}

TEST_F(Sokuryo, ExpenseRatesEnterTheAccuracyFeeBase) {
    D().m_rates = {1000, kUnset, kUnset};  // 機械経費率 10 %
    MasterShubetsu(Gyomu::Sokuryo, 10, 1, 5);
    // c1 = 10 % of 70,002 = 7,000; S = 0.05 × (70,002 + 7,000) = 3,850.1 → 3,850; T = 80,852
    EXPECT_EQ(Amount(AmountPart::Amount), 80852);
}

TEST_F(Sokuryo, RowsThatCannotBePricedGiveZeroAndAreNamed) {
    D().m_unit = "m";
    D().m_quantity = 0;  // no base quantity
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
    MissingPriceName().clear();
    D().m_quantity = 100;
    D().m_formula = "1/0";  // an infinite factor
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
    MissingPriceName().clear();
    D().m_formula = "1";
    EXPECT_EQ(Amount(AmountPart::Amount), 70002);
    EXPECT_TRUE(MissingPriceName().empty());
}

TEST_F(Sokuryo, PriceColumnThatIsUnsetOrOutOfRangeIsAMissingPrice) {
    List().m_nTankaColumn = kUnset;
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
    MissingPriceName().clear();
    List().m_nTankaColumn = 20;
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
    MissingPriceName().clear();
    List().m_nTankaColumn = 0;
    env.tanka.FindRow(1002)->m_prices[0] = -1;  // one price not entered: that column is left out
    EXPECT_EQ(Amount(AmountPart::Amount), 30000);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
}

TEST_F(Sokuryo, LineBasedType31CutsEachLineToFourDigits) {
    env.settings.DouroCalc = 1;
    D().m_bukakeType = BukakeType::SokuryoRows;
    AddLine(D(), "計算", {123});
    Row().m_bKotei[1] = 1;
    // line 1: 70,002 → 70,000; line 2: 1.23 × 30,000 = 36,900; sum 106,900 (four digits kept)
    EXPECT_EQ(Amount(AmountPart::Amount), 106900);
    D().m_programKingaku = 1;  // プログラム金額: all digits stay
    EXPECT_EQ(Amount(AmountPart::Amount), 106902);
    D().m_programKingaku = 0;
    D().m_bukakeType = BukakeType::SokuryoCut;  // the standard amount, cut once: 106,902 → 106,900
    EXPECT_EQ(Amount(AmountPart::Amount), 106900);
    env.settings.DouroCalc = 0;
    EXPECT_EQ(Amount(AmountPart::Amount), 106902);
}

TEST_F(Sokuryo, LineWithAMissingPriceIsLeftOutOfTheLineSum) {
    env.settings.DouroCalc = 1;
    D().m_bukakeType = BukakeType::SokuryoRows;
    D().m_programKingaku = 1;
    Worker(1009, -1, 0, "未入力");
    D().m_shokushu[3] = 1009;
    AddLine(D(), "計算", {123, kUnset, kUnset, 100});
    Row().m_bKotei[1] = 1;
    EXPECT_EQ(Amount(AmountPart::Amount), 70002);
    EXPECT_EQ(MissingPriceName(), "基準点測量");
}

// Worker slots and man-days ---------------------------------------------------------------------

TEST_F(Sokuryo, ManDaysAreRoundedBySetting) {
    double rounded = 0, days = 0;
    CTankaRow row;
    env.settings.HoseiMarumeKeta = 2;  // step 0.1
    env.settings.HoseiMarumeKind = 2;  // up
    // 1.00 × 1.234 = 1.234 → 1.3; × 30,000 = 39,000
    EXPECT_EQ(data.CalcWorkerSlot(D(), 0, 0, 1.234, rounded, days, row), 39000);
    EXPECT_DOUBLE_EQ(rounded, 1.3);
    EXPECT_DOUBLE_EQ(days, 1.0);
    EXPECT_EQ(row.m_kind, 0);
    env.settings.HoseiMarumeKeta = 7;  // step 0.001
    env.settings.HoseiMarumeKind = 1;  // down
    // 1.2345 → 1.234; × 30,000 = 37,020
    EXPECT_EQ(data.CalcWorkerSlot(D(), 0, 0, 1.2345, rounded, days, row), 37020);
    EXPECT_DOUBLE_EQ(rounded, 1.234);
    env.settings.HoseiMarumeKeta = 1;  // whole days, half up: 2.00 × 1.2 = 2.4 → 2; × 20,001
    env.settings.HoseiMarumeKind = 0;
    EXPECT_EQ(data.CalcWorkerSlot(D(), 0, 1, 1.2, rounded, days, row), 40002);
    EXPECT_EQ(data.CalcWorkerSlot(D(), 0, 5, 1.2, rounded, days, row), -1);  // no value in column 5
    EXPECT_EQ(data.CalcWorkerSlot(D(), 3, 0, 1.2, rounded, days, row), -1);  // no line 3
    env.tanka.FindRow(1001)->m_prices[0] = -1;
    EXPECT_EQ(data.CalcWorkerSlot(D(), 0, 0, 1.2, rounded, days, row), -2);
    EXPECT_EQ(row.m_kind, -2);
}

TEST_F(Sokuryo, ColumnLabourOverTheSelectedLines) {
    AddLine(D(), "計算", {50});
    double labour = -1;
    int32_t flags[20] = {1, 1};
    // (1.00 + 0.50) × 30,000 = 45,000
    EXPECT_EQ(data.CalcShokushuSlot(D(), flags, labour, 0), 0);
    EXPECT_DOUBLE_EQ(labour, 45000.0);
    flags[0] = 0;
    EXPECT_EQ(data.CalcShokushuSlot(D(), flags, labour, 1), -1);  // no selected line uses column 1
    EXPECT_DOUBLE_EQ(labour, 0.0);
}

TEST_F(Sokuryo, ShokushuDaysByLineValue) {
    AddLine(D(), "計算", {300, 50}, 1);
    EXPECT_EQ(CSekisanData::GetShokushuDays(D(), 1001, 0), 100);  // line value 0 only
    EXPECT_EQ(CSekisanData::GetShokushuDays(D(), 1001, 1), 300);
    EXPECT_EQ(CSekisanData::GetShokushuDays(D(), 1001, 5), 400);  // every line
    EXPECT_EQ(CSekisanData::GetShokushuDays(D(), 0, 5), 650);     // every column
    EXPECT_EQ(CSekisanData::GetShokushuDays(D(), 9999, 5), 0);
}

// Days of a 職種 across the 業務: a row of 0.30 man-days (base 1.00, quantity 1.000) before the asking row.
class ShubetsuDays : public Sokuryo {
protected:
    ShubetsuDays() {
        CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 2);
        d.m_shokushu[0] = 1001;
        d.m_quantity = 100;
        AddLine(d, "作業", {30});
        before = AddRow(Gyomu::Sokuryo, 10, 2);
        Item(before).m_nQuantity = 1000;
        asking = AddRow(Gyomu::Sokuryo, 10, 3);
    }
    int before = -1, asking = -1;
};

TEST_F(ShubetsuDays, LessThanADayCountsOneDay) {
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 0), 1);  // 0.3 days
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 2), 1);
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 1), 0);  // mode 1: 0.3 rounds half up to 0
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1002, 0), 0);  // a 職種 no earlier row uses
}

TEST_F(ShubetsuDays, DaysAreRoundedUp) {
    Detail(Gyomu::Sokuryo, 10, 2).GetLine(0)->m_columns[0] = 230;  // 2.3 days
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 0), 3);
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 1), 2);  // half up per row, then up: 2
    Item(before).m_nQuantity = 2000;                        // 4.6 days
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 1), 5);
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 2), 5);
    Detail(Gyomu::Sokuryo, 10, 2).m_formula = "0.5";  // 2.3 days
    EXPECT_EQ(data.CalcShubetsuDays(asking, 1001, 2), 3);
}

// 土質調査 material sub-entries --------------------------------------------------------------

// 業務 4, type 4, unit "式": kind 1 (単価 1001) × 2 = 60,000; kind 2 (単価 1002) × 1 = 20,001; a "Z1"
// marker line of kind 3; 材料費率 10 %.
class Doshitsu : public PricingTest {
protected:
    Doshitsu() {
        Worker(1001, 30000);
        Worker(1002, 20001);
        masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 3, "試料", 500.0);
        CBukakeDetail& d = Detail(Gyomu::DoshitsuIppan, 20, 1);
        d.m_bukakeType = BukakeType::Materials;
        d.m_unit = "式";
        d.m_shokushu[0] = 8;  // basis of the Z1 line: k1 + k2
        d.m_rates[2] = 1000;
        AddLine(d, "2", {1, 1001});
        AddLine(d, "1", {2, 1002});
        AddLine(d, "Z1", {3, 2001});
        row = AddRow(Gyomu::DoshitsuIppan, 20, 1, "土質試験");
    }
    int Amount(AmountPart part) { return data.CalcDoshitsuKingakuPart(&Item(row), row, part); }
    int row = -1;
};

TEST_F(Doshitsu, Z1LineAddsTheMaterialRateOfItsBasis) {
    // Z1: 10 % × (60,000 + 20,001) = 8,000.1 added to kind 3; T = 88,001
    EXPECT_EQ(Amount(AmountPart::Amount), 88001);
    EXPECT_EQ(data.CalcDoshitsuKingaku(&Item(row), row, AmountPart::MaterialMarker), 8000);
    EXPECT_EQ(data.CalcDoshitsuKingaku(&Item(row), row, AmountPart::MachineMarker), 0);  // no Z2 line
    EXPECT_EQ(Amount(AmountPart::DirectLabour), 60000);                                  // k1
    Detail(Gyomu::DoshitsuIppan, 20, 1).m_shokushu[0] = 0;                               // basis 0 adds nothing
    EXPECT_EQ(Amount(AmountPart::Amount), 80001);
}

TEST_F(Doshitsu, Z2LineOnItsOwnPrice) {
    CBukakeDetail& d = Detail(Gyomu::DoshitsuIppan, 20, 1);
    d.m_rates[0] = 500;    // 機械経費率 5 %
    d.m_shokushu[1] = 4;   // basis of the Z2 line: its own price
    AddLine(d, "Z2", {4, 2001});
    // Z1 8,000.1; Z2: 5 % × 500 = 25 added to kind 4; T = 88,026.1 → 88,026
    EXPECT_EQ(Amount(AmountPart::Amount), 88026);
    EXPECT_EQ(data.CalcDoshitsuKingaku(&Item(row), row, AmountPart::MachineMarker), 25);
}

TEST_F(Doshitsu, MaterialEntriesAndFactors) {
    CBukakeDetail& d = Detail(Gyomu::DoshitsuIppan, 20, 1);
    masterbuild::AddZairyoItem(env.zairyoTanka, 2002, 3, "砂", 1234.5);
    AddLine(d, "2", {3, 2002, 50});  // 2 × 1,234.5 × 50 % = 1,234.5 → 1,234
    // T = 60,000 + 20,001 + 1,234 + 8,000.1 = 89,235.1 → 89,235; factor 1.5 → 133,852.5 → 133,852
    d.m_formula = "1.5";
    EXPECT_EQ(Amount(AmountPart::Amount), 133852);
    env.settings.DouroCalc = 1;  // factor half up to 0.01; the result cut to four digits
    d.m_formula = "1.505";       // 1.51: 89,235 × 1.51 = 134,744.85 → 134,744 → 134,700
    EXPECT_EQ(Amount(AmountPart::Amount), 134700);
    EXPECT_DOUBLE_EQ(data.CalcZairyoEntry(&Item(row), row, *env.bukake.FindShubetsu(Gyomu::DoshitsuIppan, 20, 1), 3, 2),
                     -2.0);
    EXPECT_DOUBLE_EQ(data.CalcZairyoEntry(&Item(row), row, *env.bukake.FindShubetsu(Gyomu::DoshitsuIppan, 20, 1), 3, 9),
                     -1.0);
}

TEST_F(Doshitsu, Type0IsPricedAsSokuryoWithoutAccuracyFee) {
    CBukakeDetail& d = Detail(Gyomu::DoshitsuIppan, 20, 2);
    d.m_shokushu[0] = 1001;
    d.m_unit = "式";
    AddLine(d, "a", {150});
    MasterShubetsu(Gyomu::DoshitsuIppan, 20, 2, 50);
    const int r = AddRow(Gyomu::DoshitsuIppan, 20, 2);
    Item(r).m_bKotei[0] = 1;
    EXPECT_EQ(data.CalcDoshitsuKingakuPart(&Item(r), r, AmountPart::Amount), 45000);  // 1.5 × 30,000, no 精度管理費
    Detail(Gyomu::DoshitsuIppan, 20, 2).m_bukakeType = BukakeType::MaxCalendarDays;
    EXPECT_EQ(data.CalcDoshitsuKingakuPart(&Item(r), r, AmountPart::Amount), 0);
}

// Sums and the rounding of the 業務 total --------------------------------------------------------

TEST_F(PricingTest, SumOfAKoshuNodesChildren) {
    const int node = AddKoshuRow(Gyomu::Sekkei, 10);
    Item(AddRow(Gyomu::Sekkei, 10, 1)).m_nAmount = 100;
    Item(AddRow(Gyomu::Sekkei, 10, 2)).m_nAmount = -5;
    Item(AddRow(Gyomu::Sekkei, 10, 3)).m_nAmount = 200;
    Item(AddRow(Gyomu::Sekkei, 11, 1)).m_nAmount = 1000;
    EXPECT_EQ(data.SumKoshuChildren(node), 300);
    EXPECT_EQ(data.SumKoshuChildren(99), 0);
}

class Rounding : public PricingTest {
protected:
    // 業務 g with its 諸経費 row (second amount `absorbing`) and 業務価格 row (second amount `total`,
    // choice).
    void Build(int gyomu, int absorbing, int total, int choice) {
        Item(AddKoshuRow(gyomu, Koshu::Shokeihi)).m_nAmount2 = absorbing;
        totalRow = AddKoshuRow(gyomu, Koshu::GyomuKakaku);
        Item(totalRow).m_nAmount2 = total;
        Item(totalRow).m_nRounding = choice;
    }
    int totalRow = -1;
};

TEST_F(Rounding, ChoicesThatTheAbsorbingRowCanTake) {
    Build(Gyomu::Sokuryo, 80000, 12345678, 4);
    // v = 100,000; 45,678 ≤ 80,000 → up to 十万の位: 6 choices
    EXPECT_EQ(data.GetMarumeChoiceCount(Gyomu::Sokuryo), 6);
    // rounding to 万: 12,345,678 − 12,340,000 = 5,678
    EXPECT_EQ(data.CalcRoundingRemainder(Gyomu::Sokuryo), 5678);
    EXPECT_EQ(Item(totalRow).m_nRounding, 4);
    Item(totalRow).m_nAmount2 = 12385678;  // 85,678 > 80,000 → 5 choices
    EXPECT_EQ(data.GetMarumeChoiceCount(Gyomu::Sokuryo), 5);
}

TEST_F(Rounding, ChoiceAboveWhatTheRowCanTakeIsLowered) {
    Build(Gyomu::Sokuryo, 80000, 12385678, 7);
    // 5 choices: the choice falls to 4 (万), remainder 5,678
    EXPECT_EQ(data.CalcRoundingRemainder(Gyomu::Sokuryo), 5678);
    EXPECT_EQ(Item(totalRow).m_nRounding, 4);
}

TEST_F(Rounding, RowOfEachBusinessKind) {
    Build(Gyomu::Sekkei, 80000, 1000, 3);
    int total = 0, rowAmount = 0, row = -1, tr = -1;
    EXPECT_EQ(data.FindRoundingRow(Gyomu::Sekkei, total, rowAmount, row, tr), Koshu::Shokeihi);
    Item(AddKoshuRow(Gyomu::Sekkei, Koshu::GijutsuKeihi)).m_nAmount2 = 70000;
    EXPECT_EQ(data.FindRoundingRow(Gyomu::Sekkei, total, rowAmount, row, tr), Koshu::GijutsuKeihi);
    EXPECT_EQ(rowAmount, 70000);
    EXPECT_EQ(total, 1000);
    Item(totalRow).m_nRounding = 0;
    EXPECT_EQ(data.FindRoundingRow(Gyomu::Sekkei, total, rowAmount, row, tr), 0);
    EXPECT_EQ(data.FindRoundingRow(9, total, rowAmount, row, tr), 0);
}

TEST_F(Rounding, UnsetOrNonPositiveTotalsLeaveTheChoiceAlone) {
    Build(Gyomu::Sokuryo, 80000, kUnset, 7);
    EXPECT_EQ(data.CalcRoundingRemainder(Gyomu::Sokuryo), 0);
    EXPECT_EQ(Item(totalRow).m_nRounding, 7);
    EXPECT_EQ(data.GetMarumeChoiceCount(Gyomu::Sokuryo), 0);
    Item(totalRow).m_nAmount2 = -5;
    EXPECT_EQ(data.CalcRoundingRemainder(Gyomu::Sokuryo), 0);
    EXPECT_EQ(Item(totalRow).m_nRounding, 7);
}

TEST_F(Rounding, LargeAbsorbingRowOffersNoChoiceCount) {
    Build(Gyomu::Sokuryo, 100000000, 912345678, 7);
    EXPECT_EQ(data.GetMarumeChoiceCount(Gyomu::Sokuryo), 0);
    EXPECT_EQ(data.CalcRoundingRemainder(Gyomu::Sokuryo), 2345678);  // 912,345,678 − 910,000,000
}

}  // namespace
