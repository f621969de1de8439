// 設計 and 物件調査 amounts: standard, 区分率 and line-based calculations, types 1 and 2. Every figure is
// worked by hand in the comment beside it.
#include "MasterBuilders.h"
#include "PricingBuilders.h"

using namespace pricing_test;
using masterbuild::AddLine;
using masterbuild::AddTableRecord;

namespace {

// 業務 2, 工種 300, 種別 1: one 直接人件費 worker at 50,000 yen with 2.00 man-days (L = D = 100,000),
// item factor 1.2, 機械経費率 5 %, unit "式", item rate 1.0.
class Sekkei : public PricingTest {
protected:
    Sekkei() {
        Worker(1001, 50000, 0, "技師");
        Setup(Gyomu::Sekkei);
        row = AddRow(Gyomu::Sekkei, 300, 1, "基本設計");
        Item(row).m_bKotei[0] = 1;
        Item(row).m_nLL[8] = 12000;
        Item(row).m_nRate = 10000;
    }
    CBukakeDetail& Setup(int gyomu, int shubetsu = 1) {
        CBukakeDetail& d = Detail(gyomu, 300, shubetsu);
        d.m_shokushu[0] = 1001;
        d.m_unit = "式";
        d.m_quantity = 100;
        d.m_rates[0] = 500;
        if (d.GetLineCount() == 0) AddLine(d, "設計", {200});
        return d;
    }
    CBukakeDetail& D() { return Detail(Gyomu::Sekkei, 300, 1); }
    int Amount(AmountPart part) { return data.CalcSekkeiKingaku(&Item(row), row, part); }
    int row = -1;
};

TEST_F(Sekkei, StandardAmountWithComputerCharge) {
    // A = B = 100,000 × 1.2 = 120,000; E = 5 % × 120,000 = 6,000
    EXPECT_EQ(Amount(AmountPart::Amount), 126000);
    EXPECT_EQ(Amount(AmountPart::DirectLabour), 126000);
    EXPECT_EQ(Amount(AmountPart::LabourOnly), 120000);
    EXPECT_EQ(Amount(AmountPart::SpecialExpense), 6000);
    // E on the direct labour before the factor: 5 % × 100,000 = 5,000
    D().m_bukakeType = BukakeType::SekkeiRowsUnfactored;
    EXPECT_EQ(Amount(AmountPart::Amount), 125000);
    Item(row).m_bSpecialExpense = 0;
    EXPECT_EQ(Amount(AmountPart::Amount), 120000);
}

TEST_F(Sekkei, ComputerChargeOnItsOwnRowLeavesTheAmount) {
    env.settings.DensiDsp = 1;
    EXPECT_EQ(Amount(AmountPart::Amount), 120000);
    // The amount with the charge included, without touching the setting.
    EXPECT_EQ(data.CalcSekkeiKingakuWithDensi(&Item(row), row, AmountPart::Amount), 126000);
    EXPECT_EQ(env.settings.DensiDsp, 1);
    EXPECT_EQ(Amount(AmountPart::Amount), 120000);
}

TEST_F(Sekkei, FactorIsCutIn2AndKeptIn7) {
    Item(row).m_nLL[8] = kUnset;
    D().m_rates[0] = kUnset;
    D().m_formula = "1.23456";
    EXPECT_EQ(Amount(AmountPart::Amount), 123400);  // 100,000 × 1.234
    Setup(Gyomu::KukakuSekkei).m_formula = "1.23456";
    Detail(Gyomu::KukakuSekkei, 300, 1).m_rates[0] = kUnset;
    const int r7 = AddRow(Gyomu::KukakuSekkei, 300, 1);
    Item(r7).m_bKotei[0] = 1;
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(r7), r7, AmountPart::Amount), 123456);  // 100,000 × 1.23456
}

TEST_F(Sekkei, ProgramFeeJoinsTheLabour) {
    masterbuild::AddProgram(env.programKingaku, 5, "解析", 30000);
    Item(row).m_nYearCode = 5;
    // L = 130,000 × 1.2 = 156,000; B = 120,000, E = 6,000 → 162,000
    EXPECT_EQ(Amount(AmountPart::Amount), 162000);
    Item(row).m_nYearCode = kYearNotInGenka;
    EXPECT_EQ(Amount(AmountPart::Amount), 126000);
}

TEST_F(Sekkei, UnitPricesPerBaseQuantity) {
    D().m_unit = "m";
    D().m_quantity = 200;
    EXPECT_EQ(Amount(AmountPart::Amount), 63000);  // 126,000 / 2.00
    EXPECT_EQ(Amount(AmountPart::SpecialExpense), 6000);   // not converted
    D().m_bukakeType = BukakeType::PerLL8;
    Item(row).m_nLL[7] = 40000;
    EXPECT_EQ(Amount(AmountPart::Amount), 31500);  // 126,000 / 4.0
    D().m_bukakeType = BukakeType::Standard;
    D().m_quantity = kUnset;      // no base quantity: no amount, and the row is named
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基本設計");
}

TEST_F(Sekkei, MissingPriceLeavesTheColumnOutAndNamesTheRow) {
    env.tanka.FindRow(1001)->m_prices[0] = -1;
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "基本設計");
}

// Types 1 and 2: the row before is priced, with a factor of the asking row's own.
class SekkeiType2 : public Sekkei {
protected:
    void Build() {
        List().RemoveAll();
        AddRow(Gyomu::Sekkei, 300, 9);  // positions 2..6: fillers
        for (int i = 0; i < 4; ++i) AddRow(Gyomu::Sekkei, 300, 9);
        Setup(Gyomu::Sekkei, 11).m_formula = "1.1";
        Setup(Gyomu::Sekkei, 12).m_formula = "1.2";
        Setup(Gyomu::Sekkei, 13).m_formula = "1.3";
        for (int s : {11, 12, 13}) Detail(Gyomu::Sekkei, 300, s).m_rates[0] = kUnset;
        for (int s : {11, 12, 13}) {
            const int r = AddRow(Gyomu::Sekkei, 300, s);
            Item(r).m_bKotei[0] = 1;
            Item(r).m_nQuantity = 1000;
        }
        Setup(Gyomu::Sekkei, 20).m_formula = "1.5";
        Detail(Gyomu::Sekkei, 300, 20).m_bukakeType = BukakeType::RowsBefore;
        asking = AddRow(Gyomu::Sekkei, 300, 20);
        Item(asking).m_nLL[0] = 30000;
    }
    int asking = -1;
};

TEST_F(SekkeiType2, MeanOfTheRowsItStandsFor) {
    Build();
    ASSERT_EQ(asking, 10);
    // row 9: 100,000 × 1.3 = 130,000; factor (1.1 + 1.2 + 1.3) / 3 × 1.5 = 1.8 → 234,000
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(asking), asking, AmountPart::Amount), 234000);
    for (int i : {7, 8, 9}) EXPECT_EQ(Item(i).m_nQuantity, 0);
    EXPECT_EQ(Item(6).m_nQuantity, kUnset);
}

TEST_F(SekkeiType2, RowOfAnotherKoshuAmongThemGivesZero) {
    Build();
    Item(8).m_nKoshu = 301;
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(asking), asking, AmountPart::Amount), 0);
    EXPECT_EQ(Item(9).m_nQuantity, 1000);  // nothing changed
}

TEST_F(SekkeiType2, TooFewRowsBeforeOrNoCount) {
    List().RemoveAll();
    Setup(Gyomu::Sekkei, 13).m_formula = "1.3";
    Detail(Gyomu::Sekkei, 300, 13).m_rates[0] = kUnset;
    Setup(Gyomu::Sekkei, 20).m_bukakeType = BukakeType::RowsBefore;
    AddKoshuRow(Gyomu::Sekkei, 300);
    List().RemoveItem(0);  // start the list with the 工種 node
    const int before = AddRow(Gyomu::Sekkei, 300, 13);
    Item(before).m_bKotei[0] = 1;
    const int a = AddRow(Gyomu::Sekkei, 300, 20);
    ASSERT_EQ(a, 2);
    Item(a).m_nLL[2] = 30000;  // n = 3 at position 2: the price of the row before, no factor
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(a), a, AmountPart::Amount), 130000);
    Item(a).m_nLL[2] = 5000;  // no LL of one or more
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(a), a, AmountPart::Amount), 0);
    // type RowBefore: the row before × its own formula 1.5
    Detail(Gyomu::Sekkei, 300, 20).m_bukakeType = BukakeType::RowBefore;
    Detail(Gyomu::Sekkei, 300, 20).m_formula = "1.5";
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(a), a, AmountPart::Amount), 195000);
}

TEST_F(Sekkei, KubunritsuTakesTheFactorLineByLine) {
    CHenkaritsuRecord& r = AddTableRecord(RateGroup(Gyomu::Sekkei), 5, "区分");
    r.m_kubunFlag = 1;
    r.m_standardColumn = 1;
    r.m_standardRow = 1;
    r.SetCell(1, 1, 1000);
    r.SetCell(1, 2, 1200);
    Worker(1002, 20000, 0, "技術員");
    CBukakeDetail& d = Setup(Gyomu::Sekkei, 2);
    d.m_shokushu[0] = 1002;
    d.m_rates[0] = kUnset;
    d.m_formula = "H1";
    d.m_henkaritsu[0] = 5;
    d.GetLine(0)->m_columns[0] = 200;
    AddLine(d, "詳細", {300});
    const int k = AddRow(Gyomu::Sekkei, 300, 2);
    Item(k).m_bKotei[0] = Item(k).m_bKotei[1] = 1;
    // 2.00 × 20,000 × 1.0 + 3.00 × 20,000 × 1.2 = 40,000 + 72,000 = 112,000
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(k), k, AmountPart::Amount), 112000);
    EXPECT_EQ(data.CalcSekkeiKubun(&Item(k), k, AmountPart::LabourOnly), 112000);
    d.m_rates[0] = 500;  // E = 5 % of 112,000 = 5,600
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(k), k, AmountPart::Amount), 117600);
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(k), k, AmountPart::SpecialExpense), 5600);
    Item(k).m_nWeightAverage = 1000;  // with 重量平均値 the standard calculation applies: 5 × 20,000 + 5 %
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(k), k, AmountPart::Amount), 105000);
}

TEST_F(Sekkei, LineBasedType27CutsTheLineTotal) {
    env.settings.DouroCalc = 1;
    Worker(1003, 123456, 0, "設計技師");
    CBukakeDetail& d = Setup(Gyomu::Sekkei, 3);
    d.m_bukakeType = BukakeType::SekkeiRowsCut;
    d.m_unit = "m";
    d.m_rates[0] = kUnset;
    d.m_shokushu[0] = 1003;
    d.GetLine(0)->m_columns[0] = 100;
    const int r = AddRow(Gyomu::Sekkei, 300, 3);
    Item(r).m_bKotei[0] = 1;
    // line total 123,456 → 123,400
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(r), r, AmountPart::Amount), 123400);
    // the direct-labour parts lose the 56 yen as well
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(r), r, AmountPart::LabourOnly), 123400);
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(r), r, AmountPart::DirectLabour), 123400);
    int labour = -1;
    EXPECT_EQ(data.CalcSekkeiKingakuByRows(&Item(r), r, AmountPart::LabourOnly, 0, labour), 123456);
    EXPECT_EQ(labour, 56);
}

TEST_F(Sekkei, LineBasedComputerCharge) {
    env.settings.DouroCalc = 1;
    CBukakeDetail& d = Setup(Gyomu::Sekkei, 4);
    d.m_bukakeType = BukakeType::SekkeiRows;
    const int r = AddRow(Gyomu::Sekkei, 300, 4);
    Item(r).m_bKotei[0] = 1;
    Item(r).m_nLL[8] = 12000;
    // slots: 2.00 × 1.2 = 2.4 days × 50,000 = 120,000; E = 5 % = 6,000; T = 126,000
    EXPECT_EQ(data.CalcSekkeiKingaku(&Item(r), r, AmountPart::Amount), 126000);
    int labour = -1;
    EXPECT_EQ(data.CalcSekkeiKingakuByRows(&Item(r), r, AmountPart::Densi, 0, labour), 6000);  // the charge alone
    EXPECT_EQ(labour, 0);
    int direct = 0, densi = 0, total = 0;
    EXPECT_EQ(data.CalcRowWorkers(d, 0, 1.2, direct, densi, AmountPart::Amount, &Item(r), total), 120000);
    EXPECT_EQ(direct, 120000);
    EXPECT_EQ(densi, 6000);
    EXPECT_EQ(total, 126000);
    d.m_bukakeType = BukakeType::SekkeiRowsUnfactored;  // E on the slots priced with factor 1.0: 5 % of 100,000
    EXPECT_EQ(data.CalcRowWorkers(d, 0, 1.2, direct, densi, AmountPart::Amount, &Item(r), total), 120000);
    EXPECT_EQ(densi, 5000);
    EXPECT_EQ(data.CalcRowWorkers(d, 5, 1.2, direct, densi, AmountPart::Amount, &Item(r), total), -1);
    env.tanka.FindRow(1001)->m_prices[0] = -1;
    EXPECT_EQ(data.CalcRowWorkers(d, 0, 1.2, direct, densi, AmountPart::Amount, &Item(r), total), -2);
}

// 物件調査 ------------------------------------------------------------------------------------

// 業務 3: one 直接人件費 worker at 10,000 yen; 材料費率 10 %, 機械経費率 5 %, unit "式".
class Bukken : public PricingTest {
protected:
    Bukken() {
        Worker(1005, 10000, 0, "調査員");
        CBukakeDetail& d = Detail(Gyomu::Bukken, 400, 1);
        d.m_shokushu[0] = 1005;
        d.m_unit = "式";
        d.m_quantity = 100;
        d.m_rates = {500, kUnset, 1000};
        d.m_formula = "2";
        AddLine(d, "調査", {123});
        row = AddRow(Gyomu::Bukken, 400, 1, "物件調査");
        Item(row).m_bKotei[0] = 1;
    }
    CBukakeDetail& D() { return Detail(Gyomu::Bukken, 400, 1); }
    int Amount(AmountPart part) { return data.CalcBukkenKingaku(&Item(row), row, part); }
    int row = -1;
};

TEST_F(Bukken, WeightAverageMultipliesEveryPart) {
    Item(row).m_nWeightAverage = 1500;
    // factor 1.0: 1.23 days × 10,000 = 12,300; M = 1,230; X = 615; 14,145 × 1.5 = 21,217.5
    EXPECT_EQ(Amount(AmountPart::Amount), 21217);
    EXPECT_EQ(Amount(AmountPart::SpecialExpense), 1845);   // 1,230 × 1.5
    EXPECT_EQ(Amount(AmountPart::LabourOnly), 18450);  // 12,300 × 1.5
    EXPECT_EQ(Amount(AmountPart::DirectLabour), 18450);
}

TEST_F(Bukken, ManDaysAreCutToHundredthsBeforeThePrice) {
    D().m_formula = "1.237";
    D().GetLine(0)->m_columns[0] = 100;
    // 1.237 days → 1.23; 12,300 + 1,230 + 615 = 14,145
    EXPECT_EQ(Amount(AmountPart::Amount), 14145);
    // Without the material rate (for the 材料費等 row): 12,300 + 615; the master keeps its rate.
    EXPECT_EQ(data.CalcBukkenKingakuWithoutZairyo(&Item(row), row, AmountPart::Amount), 12915);
    EXPECT_EQ(D().m_rates[2], 1000);
    EXPECT_EQ(Amount(AmountPart::Amount), 14145);
    Item(row).m_bSpecialExpense = 0;  // no material part; the expense part stays
    EXPECT_EQ(Amount(AmountPart::Amount), 12915);
}

TEST_F(Bukken, KubunritsuByLine) {
    CHenkaritsuRecord& r = AddTableRecord(RateGroup(Gyomu::Bukken), 6, "区分");
    r.m_kubunFlag = 1;
    r.m_standardColumn = 1;
    r.m_standardRow = 1;
    r.SetCell(1, 1, 1000);
    r.SetCell(1, 2, 1250);
    D().m_formula = "H1";
    D().m_henkaritsu[0] = 6;
    D().GetLine(0)->m_columns[0] = 100;
    AddLine(D(), "詳細", {100});
    Item(row).m_bKotei[1] = 1;
    // days 1.00 × 1.0 + 1.00 × 1.25 = 2.25; 22,500 + 2,250 + 1,125 = 25,875
    EXPECT_EQ(Amount(AmountPart::Amount), 25875);
    EXPECT_EQ(Amount(AmountPart::SpecialExpense), 2250);
}

TEST_F(Bukken, PerUnitAndMissingPrice) {
    D().m_unit = "件";
    D().m_quantity = 300;
    // 14,145 × 2 (formula) … days 1.23 × 2 = 2.46 → 24,600 + 2,460 + 1,230 = 28,290 / 3 = 9,430
    EXPECT_EQ(Amount(AmountPart::Amount), 9430);
    EXPECT_EQ(Amount(AmountPart::SpecialExpense), 2460);  // not converted
    env.tanka.FindRow(1005)->m_prices[0] = -1;
    EXPECT_EQ(Amount(AmountPart::Amount), 0);
    EXPECT_EQ(MissingPriceName(), "物件調査");
}

}  // namespace
