// One complete estimate of each business kind (測量, 設計, 物件調査, 土質調査),
// built in code with its masters, priced by the whole recalculation and by the
// recalculation of its 業務; every row is checked against the figures worked by
// hand in the comments.
#include <functional>

#include <gtest/gtest.h>

#include "DriverBuilders.h"
#include "MasterBuilders.h"
#include "estimate/VemoWinDocData.h"

namespace driver_test {
namespace {

using masterbuild::AddLine;
using masterbuild::AddShokeihi;

class EstimateKindsTest : public DriverTest {
protected:
    // The summary rows after all 業務: subtotal, consumption tax at 10 %, total.
    void AddSummaryRows() {
        build.Summary(Gyomu::Goukei, "小計").Summary(Gyomu::Shohizei, "消費税相当額").Set([](CSekisanItem& i) {
            i.m_nRate = 1000;
        });
        build.Summary(Gyomu::ItakuryoKei, "合計");
    }
    // The four kinds' masters; their 業務, then the summary rows.
    void AllMasters() {
        SurveyMasters();
        DesignMasters();
        PropertyMasters();
        SoilMasters();
    }
    void AllRows() {
        SurveyRows();
        DesignRows();
        PropertyRows();
        SoilRows();
        AddSummaryRows();
    }
    void ExpectSummary(int32_t subtotal, int32_t tax, int32_t total) {
        EXPECT_EQ(Row(Gyomu::Goukei, kUnset).m_nAmount, subtotal);
        EXPECT_EQ(Row(Gyomu::Shohizei, kUnset).m_nAmount, tax);
        EXPECT_EQ(Row(Gyomu::ItakuryoKei, kUnset).m_nAmount, total);
    }
    // Prices the estimate made by `make` once with Recalculate(0) and once, made
    // afresh, with Recalculate(gyomu), and checks both with `check`; no message
    // may be shown.
    void PriceBothWays(int gyomu, const std::function<void()>& make, const std::function<void()>& check) {
        for (int code : {0, gyomu}) {
            SCOPED_TRACE("Recalculate(" + std::to_string(code) + ")");
            List().RemoveAll();
            make();
            EXPECT_EQ(data.Recalculate(code), 1);
            check();
            EXPECT_TRUE(Messages().empty());
        }
    }
    void SurveyMasters() {
        Worker(1001, 40'000, 0, "測量技師");
        Worker(1002, 30'000, 0, "測量助手");
        CBukakeShubetsu& s = MasterShubetsu(Gyomu::Sokuryo, 10, 1);
        s.m_coefficient = 5;
        CBukakeDetail& d = s.GetDetail();
        d.m_unit = "点";
        d.m_quantity = 100;
        d.m_shokushu[0] = 1001;
        d.m_shokushu[1] = 1002;
        d.m_rates = {500, 200, kUnset};
        AddLine(d, "作業計画", {50, 100});
        AddLine(d, "観測", {100, 200});
        RateGroup(Gyomu::Sokuryo);
    }
    void SurveyRows() {
        build.Gyomu(Gyomu::Sokuryo, "測量業務").Koshu(10, "基準点測量").Set([](CSekisanItem& i) { i.m_bSummary = 1; });
        build.Shubetsu(1, "4級基準点測量").Quantity(3000).Set([](CSekisanItem& i) {
            i.m_bKotei[0] = i.m_bKotei[1] = 1;
        });
        build.Koshu(Koshu::ChokusetsuhiKei, "直接測量費")
            .Koshu(Koshu::DenshiSeikahin, "電子成果品作成費")
            .Koshu(Koshu::ChokusetsuJinkenhi, "直接人件費")
            .Koshu(Koshu::Shokeihi, "諸経費");
        build.Koshu(Koshu::GyomuKakaku, "測量業務費").Set([](CSekisanItem& i) { i.m_nRounding = 3; });
    }
    void CheckSurvey() {
        // Labour: 1.50 days × 40,000 + 3.00 days × 30,000 = 150,000 (all direct).
        // 機械経費 5 % = 7,500; 通信運搬費等 2 % = 3,000; 精度管理費 0.05 ×
        // (150,000 + 7,500) = 7,875. Per 点 (base 1.00): 168,375; × 3.000 点 =
        // 505,125.
        const CSekisanItem& row = Row(Gyomu::Sokuryo, 10, 1);
        EXPECT_EQ(row.m_nUnitPrice, 1'683'750);
        EXPECT_EQ(row.m_nAmount2, 0);
        ExpectRow(row, 505'125, txt::SeidoOn, "");
        EXPECT_EQ(row.m_strNameLower, "全工程");
        ExpectRow(Row(Gyomu::Sokuryo, 10), 505'125, "", "");
        ExpectRow(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei), 505'125, "", "");
        EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuhiKei).m_strUnit, txt::UnitShiki);
        // 電子成果品作成費 of the direct labour 3 × 150,000 = 450,000: 2.3 ×
        // 450^0.44 = 33.8 千円.
        ExpectRow(Row(Gyomu::Sokuryo, Koshu::DenshiSeikahin), 33'000, txt::SeidoClass5, "");
        // 直接人件費: direct 505,125 + 33,000.
        ExpectRow(Row(Gyomu::Sokuryo, Koshu::ChokusetsuJinkenhi), 538'125, "直接人件費    (450,000)", "");
        // 諸経費: 288.5 × 538,125^−0.084 × 100 = 9,522.5 → 95.20 %; 538,125 × 95.20
        // % = 512,295. Total 505,125 + 33,000 + 512,295 = 1,050,420, to 千円
        // 1,050,000: 420 off 諸経費, whose base is the 測量作業費 538,125, not the 直接測量費 505,125.
        ExpectRow(Row(Gyomu::Sokuryo, Koshu::Shokeihi), 511'875, "測量作業費の ≒95.20%", "");
        EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nAmount2, 512'295);
        EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::Shokeihi).m_nYearCode, 30105);
        ExpectRow(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku), 1'050'000, "", "");
        EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::GyomuKakaku).m_nAmount2, 1'050'420);
    }
    void DesignMasters() {
        Worker(1101, 50'000, 0, "技師長");
        Worker(1102, 40'000, 0, "主任技師");
        Worker(1103, 30'000, 0, "技師(A)");
        AddShokeihi(env.shokeihi, Gyomu::Sekkei, "設計業務", 3500);
        CBukakeShubetsu& a = MasterShubetsu(Gyomu::Sekkei, 20, 1);
        a.m_coefficient = 20;
        a.m_denshiKind = 0;
        a.GetDetail().m_unit = "式";
        a.GetDetail().m_shokushu[0] = 1101;
        a.GetDetail().m_shokushu[1] = 1102;
        a.GetDetail().m_rates[0] = 500;
        AddLine(a.GetDetail(), "設計計算", {100, 200});
        CBukakeShubetsu& b = MasterShubetsu(Gyomu::Sekkei, 21, 1);
        b.m_coefficient = 30;
        b.m_denshiKind = 0;
        b.m_conventional = 1;
        b.GetDetail().m_unit = "式";
        b.GetDetail().m_shokushu[0] = 1103;
        AddLine(b.GetDetail(), "設計計算", {300});
    }
    void DesignRows() {
        auto lump = [](CSekisanItem& i) {
            i.m_bKotei[0] = 1;
            i.m_nRate = 10000;
        };
        build.Gyomu(Gyomu::Sekkei, "設計業務").Koshu(20, "詳細設計").Shubetsu(1, "詳細設計").Quantity(1000).Set(lump);
        build.Koshu(21, "従来手法").Shubetsu(1, "従来手法の設計").Quantity(1000).Set(lump);
        build.Koshu(Koshu::ChokusetsuJinkenhi, "直接人件費")
            .Koshu(Koshu::DenshiSeikahin, "電子成果品作成費")
            .Koshu(Koshu::Shokeihi, "諸経費")
            .Koshu(Koshu::GijutsuKeihi, "技術経費");
        build.Koshu(Koshu::SonotaGenka, "一般管理費等(新)")
            .Koshu(Koshu::IppanKanrihi, "一般管理費等")
            .Koshu(Koshu::GyomuGenka, "業務原価")
            .Koshu(Koshu::ConventionalTotal, "従来計");
        build.Koshu(Koshu::GyomuKakaku, "設計業務費").Set([](CSekisanItem& i) { i.m_nRounding = 3; });
    }
    void CheckDesign() {
        // New method: 1.00 × 50,000 + 2.00 × 40,000 = 130,000; 電子計算機使用料 5 %
        // = 6,500.
        ExpectRow(Row(Gyomu::Sekkei, 20, 1), 136'500, txt::DensiOn, "");
        EXPECT_EQ(Row(Gyomu::Sekkei, 20, 1).m_nAmount2, 136'500);
        // Conventional: 3.00 × 30,000 = 90,000.
        ExpectRow(Row(Gyomu::Sekkei, 21, 1), 90'000, "100.00%", "");  // the item rate of a lump row
        // Direct 226,500; labour 130,000 new and 90,000 conventional.
        ExpectRow(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi), 226'500, "直接人件費    (220,000)",
                  "新(130,000),従(90,000)");
        // 電子成果品作成費 (class 0): 10 × 220^0.26 = 40.6 千円; of the new labour
        // 10 × 130^0.26 = 35.4 千円.
        ExpectRow(Row(Gyomu::Sekkei, Koshu::DenshiSeikahin), 40'000, txt::SeidoClass0, "新(35,000)");
        // 諸経費 35 % of the conventional labour 90,000.
        ExpectRow(Row(Gyomu::Sekkei, Koshu::Shokeihi), 31'500, "直接人件費の 35.00%", "従(90,000)");
        // 技術経費 20 % (the coefficient with the larger amount) of 31,500 + 90,000
        // = 24,300. 一般管理費等(新) 53.85 % of 130,000 = 70,005.
        // 一般管理費等 53.85 % of the 業務原価 136,500 + 35,000 + 70,005 = 241,505:
        // 130,050.44 → 130,050. Total 226,500 + 31,500 + 40,000 + 24,300 + 70,005 +
        // 130,050 = 522,355, to 千円: 355 off 技術経費.
        ExpectRow(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi), 23'945, "直接人件費+諸経費≒20.00%", "");
        EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi).m_nAmount2, 24'300);
        ExpectRow(Row(Gyomu::Sekkei, Koshu::SonotaGenka), 70'005, "直接人件費の53.85%", "新(130,000)");
        ExpectRow(Row(Gyomu::Sekkei, Koshu::IppanKanrihi), 130'050, "業務原価の53.85%", "");
        EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::IppanKanrihi).m_nYearCode, 30101);
        ExpectRow(Row(Gyomu::Sekkei, Koshu::GyomuGenka), 241'505, "", "");
        ExpectRow(Row(Gyomu::Sekkei, Koshu::ConventionalTotal), 226'500, "直接人件費    (220,000)", "");
        EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ConventionalTotal).m_strUnit, txt::UnitShiki);
        ExpectRow(Row(Gyomu::Sekkei, Koshu::GyomuKakaku), 522'000, "", "");
        EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GyomuKakaku).m_nAmount2, 522'355);
    }
    void PropertyMasters() {
        Worker(1201, 25'000, 0, "調査員");
        Worker(1202, 15'000, 1, "補助員");
        AddShokeihi(env.shokeihi, Gyomu::Bukken, "物件調査", 4000);
        CBukakeShubetsu& s = MasterShubetsu(Gyomu::Bukken, 30, 1);
        s.m_coefficient = 25;
        s.m_conventional = 1;
        CBukakeDetail& d = s.GetDetail();
        d.m_unit = "棟";
        d.m_quantity = 100;
        d.m_shokushu[0] = 1201;
        d.m_shokushu[1] = 1202;
        d.m_rates = {300, kUnset, 1000};
        AddLine(d, "現地調査", {200, 100});
    }
    void PropertyRows() {
        build.Gyomu(Gyomu::Bukken, "物件調査業務")
            .Koshu(30, "建物調査")
            .Shubetsu(1, "木造建物")
            .Quantity(2000)
            .Set([](CSekisanItem& i) { i.m_bKotei[0] = 1; });
        build.Koshu(Koshu::ChokusetsuJinkenhi, "直接人件費")
            .Koshu(Koshu::Shokeihi, "諸経費")
            .Koshu(Koshu::GijutsuKeihi, "技術経費")
            .Koshu(Koshu::IppanKanrihi, "一般管理費等");
        build.Koshu(Koshu::GyomuKakaku, "物件調査業務費").Set([](CSekisanItem& i) { i.m_nRounding = 3; });
    }
    void CheckProperty() {
        // Per 棟: labour 2.00 × 25,000 + 1.00 × 15,000 = 65,000 (direct 50,000);
        // material 10 % and expense 3 % of the direct labour: 5,000 and 1,500;
        // 71,500 in all. The material part goes to its own row: unit price 66,500,
        // × 2.000 棟 = 133,000; material 2 × 5,000 = 10,000.
        const CSekisanItem& row = Row(Gyomu::Bukken, 30, 1);
        EXPECT_EQ(row.m_nUnitPrice, 665'000);
        ExpectRow(row, 133'000, txt::ZairyoOn, "");
        ASSERT_EQ(Find(Gyomu::Bukken, Koshu::ZairyoRow), Find(Gyomu::Bukken, 30, 1) + 1);
        EXPECT_EQ(Row(Gyomu::Bukken, Koshu::ZairyoRow).m_strNameUpper, txt::RowZairyohi);
        EXPECT_EQ(Row(Gyomu::Bukken, Koshu::ZairyoRow).m_strUnit, txt::UnitShiki);
        ExpectRow(Row(Gyomu::Bukken, Koshu::ZairyoRow), 10'000, "", "");
        // Labour (conventional): 2 × 65,000 = 130,000. 直接人件費 row: direct
        // 133,000 + 材料費等 10,000.
        ExpectRow(Row(Gyomu::Bukken, Koshu::ChokusetsuJinkenhi), 143'000, "直接人件費    (130,000)", "");
        // 諸経費 40 % of 130,000.
        ExpectRow(Row(Gyomu::Bukken, Koshu::Shokeihi), 52'000, "人件費の 40.00%", "");
        // 技術経費 25 % of the direct labour 2 × 50,000 = 25,000, and 25 % of 40 %
        // of the labour 130,000 = 13,000: 38,000. 一般管理費等 53.85 % of the
        // 業務原価 10,000 (材料費等) = 5,385. Total 133,000 + 10,000 + 52,000 +
        // 38,000 + 5,385 = 238,385, to 千円: 385 off 技術経費.
        ExpectRow(Row(Gyomu::Bukken, Koshu::GijutsuKeihi), 37'615, "", "");
        EXPECT_EQ(Row(Gyomu::Bukken, Koshu::GijutsuKeihi).m_nAmount2, 38'000);
        ExpectRow(Row(Gyomu::Bukken, Koshu::IppanKanrihi), 5'385, "業務原価の53.85%", "");
        ExpectRow(Row(Gyomu::Bukken, Koshu::GyomuKakaku), 238'000, "", "");
        EXPECT_EQ(Row(Gyomu::Bukken, Koshu::GyomuKakaku).m_nAmount2, 238'385);
    }
    void SoilMasters() {
        Worker(1301, 35'000, 0, "地質調査技師");
        Worker(1302, 28'000, 0, "主任地質調査員");
        CBukakeShubetsu& s = MasterShubetsu(Gyomu::DoshitsuIppan, 40, 1);
        s.m_coefficient = 10;
        s.m_denshiKind = 6;
        CBukakeDetail& d = s.GetDetail();
        d.m_unit = "m";
        d.m_quantity = 500;
        d.m_shokushu[0] = 1301;
        d.m_shokushu[1] = 1302;
        AddLine(d, "掘進", {150, 250});
    }
    void SoilRows() {
        build.Gyomu(Gyomu::DoshitsuIppan, "土質調査業務")
            .Koshu(40, "機械ボーリング")
            .Shubetsu(1, "φ66mm")
            .Quantity(20000)
            .Set([](CSekisanItem& i) {
                i.m_bKotei[0] = 1;
                i.m_nDaikaNo = -1;
            });
        build.Koshu(Koshu::ChokusetsuhiKei, "直接調査費")
            .Koshu(Koshu::DenshiSeikahin, "精度管理費")
            .Koshu(Koshu::DirectShare, "安全費")
            .Koshu(Koshu::ChokusetsuJinkenhi, "純調査費");
        build.Koshu(Koshu::Shokeihi, "諸経費").Koshu(Koshu::GijutsuKeihi, "技術経費");
        build.Koshu(Koshu::GyomuKakaku, "土質調査業務費").Set([](CSekisanItem& i) { i.m_nRounding = 4; });
    }
    void CheckSoil() {
        // Per 5.00 m: 1.50 × 35,000 + 2.50 × 28,000 = 122,500; per m 24,500;
        // × 20.000 m = 490,000.
        const CSekisanItem& row = Row(Gyomu::DoshitsuIppan, 40, 1);
        EXPECT_EQ(row.m_nUnitPrice, 245'000);
        ExpectRow(row, 490'000, "", "");
        EXPECT_TRUE(IsUnset(row.m_nDaikaNo));
        // 精度管理費 (class 6) of 490,000: 4.7 × 490^0.38 = 49.5 千円; the direct
        // sum then 539,000.
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::DenshiSeikahin), 49'000, " 4.7x^0.38(千円) x:直接調査費(千円)", "");
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::ChokusetsuhiKei), 539'000, "", "");
        // 0.7 % of 539,000 = 3,773; 純調査費 539,000 + 3,773 = 542,773.
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::DirectShare), 3'773, " 0.70%", "");
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::ChokusetsuJinkenhi), 542'773, "", "");
        // 諸経費 82.50 % (base up to 1,000,000) of 542,773: 447,787.7 → 447,787.
        // 技術経費: 20.000 m × 122,500 × 2.2 × 10 % = 539,000.
        // Total 539,000 + 3,773 + 447,787 + 539,000 = 1,529,560, to 万円: 9,560 off
        // 諸経費.
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::Shokeihi), 438'227, " 純調査費計の≒82.50%", "");
        EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::Shokeihi).m_nAmount2, 447'787);
        EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::Shokeihi).m_nYearCode, 30104);
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::GijutsuKeihi), 539'000, "", "");
        ExpectRow(Row(Gyomu::DoshitsuIppan, Koshu::GyomuKakaku), 1'520'000, "", "");
        EXPECT_EQ(Row(Gyomu::DoshitsuIppan, Koshu::GyomuKakaku).m_nAmount2, 1'529'560);
    }
    // First in the 業務: a 工種 of one 種別 at 300,000,000 yen a m (one worker for 1.00 man-day per
    // 1.00 m, 技術経費 and 精度管理係数 10, conventional in 物件調査), beyond what a unit price holds.
    void UnpricedRow(int gyomu) {
        Worker(1901, 300'000'000, 0, "特別技師");
        CBukakeShubetsu& s = MasterShubetsu(gyomu, 50, 1);
        s.m_coefficient = 10;
        s.m_conventional = gyomu == Gyomu::Bukken ? 1 : 0;
        s.GetDetail().m_unit = "m";
        s.GetDetail().m_quantity = 100;
        s.GetDetail().m_shokushu[0] = 1901;
        AddLine(s.GetDetail(), "作業", {100});
        CSekisanItemList rows;
        estimate_test::ItemListBuilder(rows).Gyomu(gyomu).Koshu(50, "特別工種").Shubetsu(1, "特別作業").Quantity(1000).Set(
            [](CSekisanItem& i) { i.m_bKotei[0] = 1; });
        const int at = List().FindGyomu(gyomu) + 1;
        List().InsertItem(at, rows.RemoveItem(2));
        List().InsertItem(at, rows.RemoveItem(1));
    }
    void ExpectRow(const CSekisanItem& row, int32_t amount, const std::string& upper, const std::string& lower) {
        EXPECT_EQ(row.m_nAmount, amount) << row.m_strNameUpper;
        EXPECT_EQ(row.m_strRemarkUpper, upper) << row.m_strNameUpper;
        EXPECT_EQ(row.m_strRemarkLower, lower) << row.m_strNameUpper;
    }
};

// 測量: one 種別 of two workers, 精度管理係数 0.05, 機械経費率 5 % and
// 通信運搬費等率 2 % of the direct labour; 電子成果品作成費 (class 5) from the
// labour; 諸経費 by the 令和 formula; total to 千円.
TEST_F(EstimateKindsTest, SurveyEstimate) {
    SurveyMasters();
    PriceBothWays(
        1,
        [&] {
            SurveyRows();
            AddSummaryRows();
        },
        [&] {
            CheckSurvey();
            ExpectSummary(1'050'000, 105'000, 1'155'000);
        });
}

// 設計: a new-method 種別 (2 workers, 機械経費率 5 %, 技術経費 20) and a
// conventional one (1 worker, 技術経費 30); 諸経費 35 % from the 諸経費 master;
// total to 千円.
TEST_F(EstimateKindsTest, DesignEstimate) {
    DesignMasters();
    PriceBothWays(
        2,
        [&] {
            DesignRows();
            AddSummaryRows();
        },
        [&] {
            CheckDesign();
            ExpectSummary(522'000, 52'200, 574'200);
        });
}

// 物件調査: one conventional 種別 per 棟 (a direct and a 労務費 worker,
// 機械経費率 3 %, 材料費率 10 %, 技術経費 25); its material part goes to the
// 材料費等 row that the calculation adds; total to 千円.
TEST_F(EstimateKindsTest, PropertySurveyEstimate) {
    PropertyMasters();
    PriceBothWays(
        3,
        [&] {
            PropertyRows();
            AddSummaryRows();
        },
        [&] {
            CheckProperty();
            ExpectSummary(238'000, 23'800, 261'800);
        });
}

// 土質調査: a boring 種別 per m (base 5.00 m, two workers, class 6, 技術経費
// 10); 精度管理費 of the direct cost, the 0.7 % row, 諸経費 by the 令和
// formula; total to 万円.
TEST_F(EstimateKindsTest, SoilSurveyEstimate) {
    SoilMasters();
    PriceBothWays(
        4,
        [&] {
            SoilRows();
            AddSummaryRows();
        },
        [&] {
            CheckSoil();
            ExpectSummary(1'520'000, 152'000, 1'672'000);
        });
}

// All four kinds in one estimate: the subtotal adds the four 業務 totals. A row left without a price
// (its unit price beyond what a unit price holds), first in each 業務, adds nothing in any kind: the
// figures are those worked by hand without it, and the record names the row.
TEST_F(EstimateKindsTest, AllKindsInOneEstimate) {
    AllMasters();
    for (bool unpriced : {false, true}) {
        SCOPED_TRACE(unpriced ? "a row left without a price in each 業務" : "");
        List().RemoveAll();
        AllRows();
        if (unpriced)
            for (int gyomu : {Gyomu::Sokuryo, Gyomu::Sekkei, Gyomu::Bukken, Gyomu::DoshitsuIppan}) UnpricedRow(gyomu);
        data.Recalculate(0);
        CheckSurvey();
        CheckDesign();
        CheckProperty();
        CheckSoil();
        // 1,050,000 + 522,000 + 238,000 + 1,520,000 = 3,330,000; tax 333,000.
        ExpectSummary(3'330'000, 333'000, 3'663'000);
        using Rows = std::map<int, std::vector<std::string>>;
        const std::vector<std::string> named{"特別作業"};
        const Rows rows = unpriced ? Rows{{1, named}, {2, named}, {3, named}, {4, named}} : Rows{};
        EXPECT_EQ(data.GetCalcLimits().unitPriceRows, rows);
        EXPECT_TRUE(data.GetCalcLimits().AmountGyomu().empty());
        EXPECT_TRUE(Messages().empty());
    }
}

// The same estimate written to a ".sei" file unpriced, read back and priced there.
TEST_F(EstimateKindsTest, EstimateReadFromAFileIsPricedEndToEnd) {
    AllMasters();
    AllRows();
    CVemoWinDocData written;
    written.GetItemList()->Copy(List());
    CVemoWinDocData read;
    ASSERT_EQ(read.LoadBytes(written.StoreBytes(), "見本.sei"), 1);
    EXPECT_EQ(read.GetSekisanData()->Recalculate(0), 1);
    List().Copy(*read.GetItemList());
    CheckSurvey();
    CheckDesign();
    CheckProperty();
    CheckSoil();
    ExpectSummary(3'330'000, 333'000, 3'663'000);
    EXPECT_TRUE(Messages().empty());
}

// A worker price not entered: the message names the row, once, through the host.
TEST_F(EstimateKindsTest, MissingWorkerPriceIsNamedOnce) {
    Worker(1001, -1, 0, "測量技師");
    CBukakeShubetsu& s = MasterShubetsu(Gyomu::Sokuryo, 10, 1);
    s.GetDetail().m_unit = "点";
    s.GetDetail().m_quantity = 100;
    s.GetDetail().m_shokushu[0] = 1001;
    AddLine(s.GetDetail(), "観測", {100});
    build.Gyomu(Gyomu::Sokuryo).Koshu(10).Shubetsu(1, "3級基準点測量").Quantity(1000).Set([](CSekisanItem& i) {
        i.m_bKotei[0] = 1;
    });
    MissingPriceName() = "前回の行";
    data.Recalculate(0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "「3級基準点測量」 に未入力な単価があります。\n代価表を表示して未入力な単価を確認してください。");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::None);

    // With the price entered the name is gone and nothing is shown.
    env.tanka.FindRow(1001)->m_prices[0] = 20'000;
    data.Recalculate(Gyomu::Sokuryo);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 1).m_nAmount, 20'000);
}

}  // namespace
}  // namespace driver_test
