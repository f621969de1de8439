// 精度管理費 and 電子計算機使用料 formulas, the special rows 847/899/917, day charges of trades and the
// sums over the rows of a 業務. Every figure is worked by hand in the comment beside it.
#include "MasterBuilders.h"
#include "PricingBuilders.h"

using namespace pricing_test;
using masterbuild::AddLine;

namespace {

struct SeidoCase {
    int kind;
    double base;
    int gyomu;
    int amount;
    const char* text;
};

class SeidoKanrihi : public ::testing::TestWithParam<SeidoCase> {};

TEST_P(SeidoKanrihi, AmountAndText) {
    const SeidoCase& c = GetParam();
    std::string text = "before";
    EXPECT_EQ(CSekisanData::CalcSeidoKanrihi(c.kind, c.base, text, c.gyomu), c.amount);
    EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeidoKanrihi,
    ::testing::Values(
        // k = 100,000: 10 × 100,000^0.26 = 199.5 → 199,000 → above 150,000
        SeidoCase{0, 100000000, Gyomu::Sokuryo, 150000, ""},
        // k = 10,000: 10 × 10,000^0.26 = 109.6 → 109,000
        SeidoCase{0, 10000000, Gyomu::Sekkei, 109000, txt::SeidoClass0},
        SeidoCase{0, 1000, Gyomu::Sekkei, 10000, txt::SeidoClass0},  // k = 1: exactly 10,000
        SeidoCase{0, 999, Gyomu::Sekkei, 10000, ""},                 // k = 0 → raised to 10,000
        // k = 1,000: 0.4 × 1,000^0.69 = 46.99 → 46,000
        SeidoCase{1, 1000000, Gyomu::Sekkei, 46000, txt::SeidoClass1},
        SeidoCase{2, 5000000, Gyomu::Sekkei, 200000, txt::SeidoClass2},
        SeidoCase{2, 12345678, Gyomu::Sekkei, 400000, ""},  // 493,000 → 400,000
        SeidoCase{3, 5000000, Gyomu::Sekkei, 0, ""},
        // r = (10 − 0.5 × 1.00) / 100 = 0.095
        SeidoCase{4, 1000000, Gyomu::Sokuryo, 95000, "直接人件費の 9.50%"},
        // r = (10 − 0.5 × 0.50) / 100 = 0.0975 → 48,750 → raised to 50,000
        SeidoCase{4, 500000, Gyomu::Sokuryo, 50000, ""},
        SeidoCase{4, 20000000, Gyomu::Sokuryo, 500000, ""},
        SeidoCase{4, 500000, Gyomu::DoshitsuIppan, 8000, txt::SeidoClass4Soil},
        SeidoCase{4, 20000000, Gyomu::DoshitsuIppan, 200000, ""},  // 320,000 → 200,000
        // k = 1,000: 2.3 × 1,000^0.44 = 48.05 → 48,000
        SeidoCase{5, 1000000, Gyomu::Sokuryo, 48000, txt::SeidoClass5},
        // k = 1,000: 4.7 × 1,000^0.38 = 64.86 → 64,000
        SeidoCase{6, 1000000, Gyomu::DoshitsuIppan, 64000, txt::SeidoClass6},
        SeidoCase{7, 1000000, Gyomu::DoshitsuIppan, 66951, txt::SeidoClass7},  // 21,500 + 45,451
        // 1,234 × 0.02 = 24.68 → 24
        SeidoCase{8, 1234567, Gyomu::DoshitsuIppan, 24000, txt::SeidoClass8},
        SeidoCase{8, 1000, Gyomu::DoshitsuIppan, 0, txt::SeidoClass8},
        SeidoCase{9, 1000000, Gyomu::DoshitsuIppan, 0, ""},
        SeidoCase{0, -1000000, Gyomu::Sokuryo, 0, ""}));  // a negative base has no power: no amount

class Special : public PricingTest {};

TEST_F(Special, ComputerChargeByTableAndBusinessKind) {
    const int row = AddKoshuRow(Gyomu::Sekkei, Koshu::DensiRow);
    std::string text;
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sekkei, row, 10000000, 0, text, 1), 133000);  // 1.33 %
    EXPECT_EQ(text, txt::DensiAltOther);
    EXPECT_EQ(Item(row).m_nLL[1], 10000000);
    EXPECT_EQ(Item(row).m_nLL[2], 0);
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sekkei, row, 30000000, 0, text, 1), 307000);  // 399,000 → cap
    EXPECT_EQ(text, "");
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::DoshitsuIppan, row, 10000000, 0, text, 0), 214000);  // 2.14 %
    EXPECT_EQ(text, txt::DensiSoil);
    // A = 6,000,000 × 1.33 % = 79,800; B = 4,000,000 × 2.59 % = 103,600; both: no text
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sekkei, row, 10000000, 4000000, text, 1), 183400);
    EXPECT_EQ(text, "");
    EXPECT_EQ(Item(row).m_nLL[1], 6000000);
    EXPECT_EQ(Item(row).m_nLL[2], 4000000);
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sokuryo, row, 1000000, 1000000, text, 0), 14900);  // B alone: 1.49 %
    EXPECT_EQ(text, txt::DensiB);
    Item(row).m_nRate = 150;  // the row's own rate, no cap
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sekkei, row, 10000000, 0, text, 1), 150000);
    EXPECT_EQ(text, "直接人件費の 1.50%");
    EXPECT_EQ(data.CalcDensiKeisanki(Gyomu::Sekkei, 99, 10000000, 0, text, 1), 0);
    EXPECT_EQ(data.CalcDensiKeisanki(9, row, 10000000, 0, text, 1), 0);
}

TEST_F(Special, SpecialRowsAreInsertedBeforeTheirAnchorAndRemoved) {
    AddRow(Gyomu::Bukken, 10, 1);
    const int anchor = AddKoshuRow(Gyomu::Bukken, Koshu::Shokeihi);
    AddKoshuRow(Gyomu::Bukken, Koshu::GyomuKakaku);
    data.UpdateZairyoRow(Gyomu::Bukken, 0);
    ASSERT_EQ(List().GetCount(), 6);
    const CSekisanItem& row = Item(anchor);
    EXPECT_EQ(row.m_nGyomu, 3);
    EXPECT_EQ(row.m_nKoshu, Koshu::ZairyoRow);
    EXPECT_EQ(row.GetLevel(), 1);
    EXPECT_EQ(row.m_strNameUpper, txt::RowZairyohi);
    EXPECT_EQ(row.m_strUnit, txt::UnitShiki);
    EXPECT_EQ(row.m_nQuantity, 1000);
    EXPECT_EQ(row.m_nAmount, kUnset);
    EXPECT_EQ(Item(anchor + 1).m_nKoshu, Koshu::Shokeihi);
    data.UpdateZairyoRow(Gyomu::Bukken, 0);  // already there: nothing
    EXPECT_EQ(List().GetCount(), 6);
    data.UpdateZairyoRow(Gyomu::Bukken, 2);  // other modes do nothing
    EXPECT_EQ(List().GetCount(), 6);
    data.UpdateZairyoRow(Gyomu::Bukken, 1);
    EXPECT_EQ(List().GetCount(), 5);
    EXPECT_EQ(Item(anchor).m_nKoshu, Koshu::Shokeihi);
}

TEST_F(Special, EachRowHasItsOwnAnchors) {
    AddRow(Gyomu::Sekkei, 10, 1);
    AddKoshuRow(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi);
    const int at913 = AddKoshuRow(Gyomu::Sekkei, Koshu::ShownTotal);
    data.UpdateDensiRow(Gyomu::Sekkei, 0);  // 91 is no anchor of 899
    EXPECT_EQ(Item(at913).m_nKoshu, Koshu::DensiRow);
    EXPECT_EQ(Item(at913).m_strNameUpper, txt::RowDensiKeisanki);
    data.UpdateSeidoRow(Gyomu::Sekkei, 0);  // 91 is
    EXPECT_EQ(Item(at913 - 1).m_nKoshu, Koshu::SeidoRow);
    EXPECT_EQ(Item(at913 - 1).m_strNameUpper, txt::RowSeidoKanrihi);
    const int count = List().GetCount();
    data.UpdateDensiRow(Gyomu::DoshitsuKaiseki, 0);  // no rows of that 業務: nothing
    EXPECT_EQ(List().GetCount(), count);
}

class DensiRow : public PricingTest {
protected:
    DensiRow() {
        Worker(1001, 50000);
        CBukakeDetail& lump = Detail(Gyomu::Sekkei, 300, 1);
        lump.m_shokushu[0] = 1001;
        lump.m_unit = "式";
        lump.m_rates[0] = 500;
        AddLine(lump, "設計", {200});
        Detail(Gyomu::Sekkei, 300, 2).m_unit = "m";
        env.settings.DensiDsp = 1;
        // A per-unit row: 2.000 × 1,000.0, with the charge 2.000 × 1,050.0
        a = AddRow(Gyomu::Sekkei, 300, 2);
        Item(a).m_nQuantity = 2000;
        Item(a).m_nUnitPrice = 10000;
        Item(a).m_nAmount2 = 10500;
        // A lump row: 120,000 without the charge (100,000 × 1.2), 126,000 with it
        b = AddRow(Gyomu::Sekkei, 300, 1);
        Item(b).m_bKotei[0] = 1;
        Item(b).m_nLL[8] = 12000;
        Item(b).m_nQuantity = 1000;
        Item(b).m_nAmount = 120000;
        Item(b).m_nAmount2 = 120000;
        densi = AddKoshuRow(Gyomu::Sekkei, Koshu::DensiRow, "電子計算機使用料");
    }
    int a = -1, b = -1, densi = -1;
};

TEST_F(DensiRow, AmountIsTheChargeOfTheRowsBefore) {
    int extra = -1;
    EXPECT_EQ(data.CalcDensiRowAmount(Gyomu::Sekkei, densi, extra), 0);
    // (2,100 + 126,000) − (2,000 + 120,000) = 6,100
    EXPECT_EQ(Item(densi).m_nAmount, 6100);
    EXPECT_EQ(extra, 6100);
    EXPECT_EQ(env.settings.DensiDsp, 1);
    MasterShubetsu(Gyomu::Sekkei, 300, 1).m_conventional = 1;  // conventional rows are not in the extra
    extra = -1;
    data.CalcDensiRowAmount(Gyomu::Sekkei, densi, extra);
    EXPECT_EQ(extra, 100);
}

TEST_F(DensiRow, EnteredAmountIsTaken) {
    Item(densi).m_bAmountEntered = 1;
    Item(densi).m_nAmount = 777;
    int extra = -1;
    EXPECT_EQ(data.CalcDensiRowAmount(Gyomu::Sekkei, densi, extra), 0);
    EXPECT_EQ(extra, 777);
    EXPECT_EQ(data.CalcDensiRowAmount(Gyomu::Sekkei, 99, extra), -1);
}

TEST_F(Special, MaterialCostOfEarlierRows) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 5, "杭", 1234.5);
    Detail(Gyomu::Sokuryo, 10, 1).m_zairyoId = 2001;
    Item(AddRow(Gyomu::Sokuryo, 10, 1)).m_nQuantity = 2000;  // 2 × 1,234.5 = 2,469
    Item(AddRow(Gyomu::Sokuryo, 10, 1)).m_nQuantity = 0;
    Item(AddRow(Gyomu::Sekkei, 10, 1)).m_nQuantity = 5000;  // another 業務
    const int target = AddRow(Gyomu::Sokuryo, 10, 1);
    Item(target).m_nQuantity = 1000;
    EXPECT_EQ(data.SumZairyoCost(Gyomu::Sokuryo, target), 2469);
    EXPECT_EQ(data.SumZairyoCost(Gyomu::Sokuryo, List().GetCount()), 3703);  // + 1,234.5 → 1,234
    Item(AddRow(Gyomu::Sokuryo, 10, 77)).m_nQuantity = 1000;  // a missing record ends the sum
    Item(AddRow(Gyomu::Sokuryo, 10, 1)).m_nQuantity = 1000;
    EXPECT_EQ(data.SumZairyoCost(Gyomu::Sokuryo, List().GetCount()), 3703);
}

TEST_F(Special, MaterialRemarkOfASoilRow) {
    CZairyoTankaItem& m = masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 3, "砕石", 3000);
    m.m_extra = "有";
    m.m_remarks = "JIS A 5001";
    CBukakeDetail& d = Detail(Gyomu::DoshitsuIppan, 20, 1);
    d.m_bukakeType = BukakeType::Materials;
    AddLine(d, "1", {3, 2001});
    AddLine(d, "1", {1, 2001});  // kind 1: not a material line
    const int row = AddRow(Gyomu::DoshitsuIppan, 20, 1);
    data.SetZairyoRemark(Item(row));
    EXPECT_EQ(Item(row).m_nDaikaNo, -1);
    EXPECT_EQ(Item(row).m_strRemarkLower, "JIS A 5001");
    masterbuild::AddZairyoItem(env.zairyoTanka, 2002, 3, "砂", 3000).m_extra = "有";
    AddLine(d, "1", {4, 2002});  // a second material: nothing changes
    const int other = AddRow(Gyomu::DoshitsuIppan, 20, 1);
    data.SetZairyoRemark(Item(other));
    EXPECT_EQ(Item(other).m_nDaikaNo, kUnset);
    EXPECT_EQ(Item(other).m_strRemarkLower, "");
}

TEST_F(Special, QuantitiesOfAKoshuUpToAType23Row) {
    MasterShubetsu(Gyomu::Sekkei, 300, 1);
    const int node = AddKoshuRow(Gyomu::Sekkei, 300);
    CSekisanItem& r1 = Item(AddRow(Gyomu::Sekkei, 300, 1));
    r1.m_nQuantity = 1000;
    r1.m_nAmount = 100;
    CSekisanItem& r2 = Item(AddRow(Gyomu::Sekkei, 300, 1));
    r2.m_nQuantity = 2000;
    r2.m_nAmount = -7;
    Detail(Gyomu::Sekkei, 300, 2).m_bukakeType = BukakeType::KoshuTotal;
    Item(AddRow(Gyomu::Sekkei, 300, 2)).m_nQuantity = 5000;
    Item(AddRow(Gyomu::Sekkei, 300, 1)).m_nQuantity = 9000;
    int q = -1, a = -1;
    data.SumKoshuQuantities(node, List().GetCount(), q, a);
    EXPECT_EQ(q, 3000);
    EXPECT_EQ(a, 100);
    data.SumKoshuQuantities(node, node + 2, q, a);  // only the row before position node + 2
    EXPECT_EQ(q, 1000);
    Item(node + 1).m_nShubetsu = 77;  // a missing record: both 0
    data.SumKoshuQuantities(node, List().GetCount(), q, a);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(a, 0);
}

TEST_F(Special, FirstAmountsOfRows81And92) {
    Item(AddKoshuRow(Gyomu::Sekkei, Koshu::DensiKeisanki)).m_nAmount = 7;
    Item(AddKoshuRow(Gyomu::KukakuSokuryo, Koshu::DensiKeisanki)).m_nAmount = 0;
    Item(AddKoshuRow(Gyomu::KukakuSokuryo, Koshu::DensiKeisanki)).m_nAmount = 5000;
    EXPECT_EQ(data.GetKoshu81Amount(), 5000);
    EXPECT_EQ(data.GetKoshu92Amount(), 0);
}

TEST_F(Special, AccuracyFeeClass) {
    MasterShubetsu(Gyomu::Sekkei, 300, 1).m_denshiKind = 2;
    env.bukake.FindKoshu(Gyomu::Sekkei, 300)->m_koshuType = 3;
    const int row = AddRow(Gyomu::Sekkei, 300, 1);
    EXPECT_EQ(data.GetSeidoKind(Item(row), 1), 3);
    EXPECT_EQ(data.GetSeidoKind(Item(row), 0), 2);
    Item(row).m_nShubetsu = 9;
    EXPECT_EQ(data.GetSeidoKind(Item(row), 0), -1);
    Item(row).m_nGyomu = Gyomu::KukakuSokuryo;
    EXPECT_EQ(data.GetSeidoKind(Item(row), 0), 5);
}

// Trade days: a 交通誘導員 (related prices by period in rows 1101..1104) working on an earlier row.
class TradeDays : public PricingTest {
protected:
    TradeDays() {
        Worker(1001, 15000, 0, "交通誘導員").m_related = 1100;
        Worker(1100, 3000, 0, "誘導員関連");
        int price = 10000;
        for (int id = 1101; id <= 1104; ++id, price += 2000) Worker(id, price);
        CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 2);
        d.m_shokushu[0] = 1001;
        d.m_quantity = 100;
        AddLine(d, "誘導", {700});  // 7.00 days per 1.00
        Item(AddRow(Gyomu::Sokuryo, 10, 2)).m_nQuantity = 1000;
        Detail(Gyomu::Sokuryo, 10, 8).m_bukakeType = BukakeType::DayCharges;  // rows of types 6..9 bring no trade
        Detail(Gyomu::Sokuryo, 10, 8).m_shokushu[0] = 1009;
        AddRow(Gyomu::Sokuryo, 10, 8);
        Detail(Gyomu::Sokuryo, 10, 6).m_bukakeType = BukakeType::ShokushuCharges;
        target = AddRow(Gyomu::Sokuryo, 10, 6, "交通誘導");
    }
    int target = -1;
};

TEST_F(TradeDays, CalendarDaysAddARestDayPerSix) {
    EXPECT_EQ(data.GetMaxShokushuDays(target), 7);
    EXPECT_EQ(data.GetMaxCalendarDays(target), 8);
    Detail(Gyomu::Sokuryo, 10, 2).GetLine(0)->m_columns[0] = 600;
    EXPECT_EQ(data.GetMaxCalendarDays(target), 6);
    Detail(Gyomu::Sokuryo, 10, 2).GetLine(0)->m_columns[0] = 1300;
    EXPECT_EQ(data.GetMaxCalendarDays(target), 15);
    int ids[3];
    data.CollectShokushu(ids, 3, target);
    EXPECT_EQ(ids[0], 1001);
    EXPECT_EQ(ids[1], -1);
    EXPECT_EQ(data.GetMaxShokushuDays(1), kUnset);  // no row before
}

TEST_F(TradeDays, DayChargeByPeriod) {
    std::string text;
    // 7 working days = 8 calendar days: period 2 → row 1102, 12,000
    EXPECT_EQ(data.GetDayCharge(target, 1001, text), 12000);
    EXPECT_EQ(text, "交通誘導員8日,");
    EXPECT_EQ(data.CalcDayCharges(target), 96000);  // 12,000 × 8
    EXPECT_EQ(Item(target).m_strNameLower, "交通誘導員8日,");
    Item(target).m_nLL[0] = 25000;
    // 12,000 + 2 × (15,000 + 2 + 3,000) = 48,004
    EXPECT_EQ(data.CalcShokushuCharges(target), 48004);
    EXPECT_EQ(data.GetDayCharge(target, 1100, text), 0);  // no days
    EXPECT_EQ(text, "");
}

TEST_F(TradeDays, EditedLowerNameIsKept) {
    Item(target).m_bNameLowerEdited = 1;
    Item(target).m_strNameLower = "手入力";
    EXPECT_EQ(data.CalcDayCharges(target), 96000);
    EXPECT_EQ(Item(target).m_strNameLower, "手入力");
}

}  // namespace
