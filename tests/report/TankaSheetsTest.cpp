// Tests of report/TankaSheets.cpp: the 単価表 rows on the 代価表 page and the 単価表 pages, both variants.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EstimateBuilders.h"
#include "EstimateFormTemplate.h"
#include "EstimateReportFixture.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "estimate/SekisanData.h"
#include "master/HyoshiData.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

using estimate_test::ItemListBuilder;
using Mode = CEstimateReport::TankaMode;
using Rows = std::vector<std::vector<std::string>>;

namespace {

// A 代価表-like sheet: the header cells in row 1 (title cells as asked), the row cells from row 5.
estimateform::SheetDef Sheet(const std::string& name, bool numberTitle = true, bool nameTitle = true) {
    std::vector<std::pair<std::string, std::string>> cells = {
        {"A1", "**日付"}, {"B1", "**ページ"}, {"E1", "**代価表代価番号のみ"}, {"F1", "**種別名"}, {"G1", "**～当たり"},
        {"A5", "**名称"}, {"B5", "**数量"},  {"C5", "**単位"},             {"D5", "**単価"},   {"E5", "**金額"},
        {"F5", "**摘要"}};
    if (numberTitle) cells.emplace_back("C1", "**第～号一位代価表");
    if (nameTitle) cells.emplace_back("D1", "**一位代価表名称");
    return estimateform::PlainSheet(name, cells);
}

class TankaSheetTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        UseForm({Sheet("代価表"), Sheet("単価表")});
        list.m_nTankaColumn = 0;
        list.m_strDate = "令和 7 年  4 月  1 日";
        env.settings.DouroCalc = 1;
        masterbuild::AddTankaRow(env.tanka, 1001, "主任技師", {20000});
        masterbuild::AddTankaRow(env.tanka, 1002, "技師", {15000});
        masterbuild::AddTankaRow(env.tanka, 1003, "作業員", {10000}).m_kind = 1;
        masterbuild::AddTankaRow(env.tanka, 1004, "機材", {5000}).m_unit = "式";
        masterbuild::AddTankaRow(env.tanka, 1005, "補助員", {});
        // 測量 by lines (type 31): 精度管理係数 0.05, 機械経費 2 % of the direct labour, factor 1.2.
        CBukakeShubetsu& seido = masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 1), 10), 31);
        seido.m_coefficient = 5;
        CBukakeDetail& s = seido.GetDetail();
        s.m_bukakeType = 31;
        s.m_formula = "1.2";
        s.m_quantity = 100;
        s.m_unit = "km";
        s.m_shokushu = {1001, 1002, 1003, 1004, 1005, kUnset, kUnset, kUnset, kUnset, kUnset};
        s.m_rates = {200, kUnset, kUnset};
        masterbuild::AddLine(s, "観測", {100, 200, 300, 10});
        masterbuild::AddLine(s, "計算", {50});
        masterbuild::AddLine(s, "予備", {});
        masterbuild::AddLine(s, "整理", {kUnset, 100});
        masterbuild::AddLine(s, "検査", {kUnset, kUnset, kUnset, kUnset, 100});
        // 設計 by lines (type 29): 電子計算機使用料 3 %, factor 1.1.
        CBukakeDetail& d =
            masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 2), 10), 29).GetDetail();
        d.m_bukakeType = 29;
        d.m_formula = "1.1";
        d.m_quantity = 100;
        d.m_unit = "km";
        d.m_shokushu = {1001, 1002, 1003, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
        d.m_rates = {300, kUnset, kUnset};
        masterbuild::AddLine(d, "設計", {100, 200});
        masterbuild::AddLine(d, "照査", {50, kUnset, 100});
    }

    // The 測量 row at index 2: 工程 観測, 計算, 予備 and 検査 chosen (整理 not).
    void AddSeido() {
        ItemListBuilder(list).Gyomu(1).Koshu(10).Shubetsu(31, "路線測量").DaikaNo(1).Set([](CSekisanItem& i) {
            i.m_bKotei.fill(0);
            i.m_bKotei[0] = i.m_bKotei[1] = i.m_bKotei[2] = i.m_bKotei[4] = 1;
            i.m_strNameLower = "一部工程,観測 (補正係数 1.20)";
        });
    }
    void AddDensi() {
        ItemListBuilder(list).Gyomu(2).Koshu(10).Shubetsu(29, "設計").DaikaNo(2).Set([](CSekisanItem& i) {
            i.m_bKotei.fill(0);
            i.m_bKotei[0] = i.m_bKotei[1] = 1;
            i.m_strNameLower = "全工程,設計 1.1";
        });
    }

    // Runs write with a 代価表 page open when the mode writes rows; the workbook, or null without pages.
    std::unique_ptr<xlstest::Output> Run(const std::function<void(CEstimateReport&, CSekisanData&)>& write,
                                         bool daikaPage) {
        CReportJob job;
        job.SetSettings(settings);
        EXPECT_EQ(job.OpenTemplate(form), 1);
        CEstimateReport report(job, list, env, cover, 10, form);
        const auto calc = report.PricingCopy();
        if (daikaPage) job.BeginPage("代価表", "1");
        write(report, *calc);
        if (job.Engine().HasOpenPage()) job.EndPage();
        pages = job.Engine().PageCount();
        return OutputOrNull(job);
    }

    // Columns A..F of the rows from row 5 on a sheet.
    static void ExpectRows(const xlstest::Output& out, int sheet, const Rows& rows) {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < 6; ++c) {
                const std::string ref = std::string(1, static_cast<char>('A' + c)) + std::to_string(5 + r);
                EXPECT_EQ(out.Value(sheet, ref), rows[r][c]) << "sheet " << sheet << " " << ref;
            }
    }

    CPrintSettings settings;
    int pages = 0;
};

// 測量 lines by hand (factor 1.2, 精度管理費 5 % of labour + 機械経費):
//   観測: 主任技師 1.00 × 20,000 = 20,000, 技師 2.00 × 15,000 = 30,000, 作業員 3.00 × 10,000 = 30,000
//     (労務費), 機材 式 0.10 × 5,000 = 500: labour 80,500, direct 50,500; 機械経費 2 % = 1,010;
//     精度管理費 0.05 × 81,510 = 4,075.5 → 4,075; 合計 85,585; × 1.2 = 102,702 → four digits 102,700
//   計算: 主任技師 0.50 → 10,000; 機械経費 200; 精度管理費 0.05 × 10,200 = 510; 合計 10,710;
//     × 1.2 = 12,852 → 12,850
//   予備: no worker: no row, no page, no number. 検査: its only worker has no price: no 代価表 row
//     (no amount), but a page without worker rows.
//   合計 102,700 + 12,850 = 115,550 → 115,500; direct labour by lines 50,500 × 1.2 + 10,000 × 1.2 =
//     72,600; without 精度管理費 81,510 × 1.2 + 10,200 × 1.2 = 110,052 → 110,000, so 精度管理費 5,500.
const Rows kSeidoDaikaRows = {{"観測", "1", "km", "102700", "102700", "　第5号単価表"},
                              {"計算", "1", "km", "12850", "12850", "　第6号単価表"},
                              {"合計", "", "", "", "115500", "　有効数字４桁 (72,600)"}};
const Rows kSeidoPage1 = {{"主任技師", "1", "人", "20000", "20000", ""},
                          {"技師", "2", "人", "15000", "30000", ""},
                          {"作業員", "3", "人", "10000", "30000", ""},
                          {"機材", "1", "式", "", "500", ""},
                          {"直接費計", "", "", "", "80500", "-50500"},
                          {"機械経費", "1", "式", "", "1010", "  直接人件費の2.00%"},
                          {"精度管理費", "1", "式", "", "4075", "  精度管理費係数0.05"},
                          {"合計", "", "", "", "85585", ""},
                          {"観測 (補正係数 1.20)", "", "", "", "102702", "  (補正率 1.200)"},
                          {"1 km 当たり", "", "", "", "102700", "　有効数字４桁"}};
const Rows kSeidoPage2 = {{"主任技師", "0.5", "人", "20000", "10000", ""},
                          {"直接費計", "", "", "", "10000", "-10000"},
                          {"機械経費", "1", "式", "", "200", "  直接人件費の2.00%"},
                          {"精度管理費", "1", "式", "", "510", "  精度管理費係数0.05"},
                          {"合計", "", "", "", "10710", ""},
                          {"観測 (補正係数 1.20)", "", "", "", "12852", "  (補正率 1.200)"},
                          {"1 km 当たり", "", "", "", "12850", "　有効数字４桁"}};

}  // namespace

TEST_F(TankaSheetTest, Seido代価表RowsRefertoTheNumbersOfTheirPages) {
    AddSeido();
    const struct {
        const char* name;
        int seidoDsp, omit;
        Rows rows;
    } cases[] = {
        {"included", 0, 0, kSeidoDaikaRows},
        // On its own row: the total without it and the 精度管理費 two rows further.
        {"SeidoDsp", 1, 0,
         {kSeidoDaikaRows[0], kSeidoDaikaRows[1], kSeidoDaikaRows[2],
          {"精度管理費控除後合計", "", "", "", "110000", ""},
          {"", "", "", "", "", ""},
          {"精度管理費", "", "", "", "5500", ""}}},
        // Without amounts: names, quantities, units and the references.
        {"omitted", 0, 1,
         {{"観測", "1", "km", "", "", "　第5号単価表"}, {"計算", "1", "km", "", "", "　第6号単価表"}, {"合計", "", "", "", "", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        env.settings.SeidoDsp = c.seidoDsp;
        settings.omitKingaku = c.omit;
        int tankaNo = 5, page = -1;
        const auto out = Run(
            [&](CEstimateReport& r, CSekisanData& calc) {
                page = r.WriteSeidoTankaSheet(calc, 7, 2, 0, tankaNo, Mode::DaikaRows);
            },
            true);
        ASSERT_TRUE(out);
        EXPECT_EQ(page, 7);
        EXPECT_EQ(tankaNo, 7);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(out->Value(0, "G1"), "1.00 km 当たり");
        ExpectRows(*out, 0, c.rows);
    }
}

TEST_F(TankaSheetTest, SeidoPagesOneForEachLineWithWorkers) {
    AddSeido();
    settings.setDate = 1;
    int tankaNo = 5, page = -1;
    const auto out = Run(
        [&](CEstimateReport& r, CSekisanData& calc) { page = r.WriteSeidoTankaSheet(calc, 7, 2, 0, tankaNo, Mode::TankaPages); },
        false);
    ASSERT_TRUE(out);
    // 観測, 計算 and 検査 (a page without worker rows); 予備 none.
    EXPECT_EQ(page, 10);
    EXPECT_EQ(tankaNo, 8);
    ASSERT_EQ(pages, 3);
    EXPECT_EQ(out->SheetNames()[0], "単価表");
    const char* numbers[3] = {"第 5 号", "第 6 号", "第 7 号"};
    const char* names[3] = {"路線測量（観測）", "路線測量（計算）", "路線測量（検査）"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out->Value(i, "A1"), "令和 7 年  4 月  1 日");
        EXPECT_EQ(out->Value(i, "B1"), std::to_string(8 + i));
        EXPECT_EQ(out->Value(i, "C1"), std::string("第 ") + std::to_string(5 + i) + " 号 単 価 表");
        EXPECT_EQ(out->Value(i, "D1"), "");
        EXPECT_EQ(out->Value(i, "E1"), numbers[i]);
        EXPECT_EQ(out->Value(i, "F1"), names[i]);
        EXPECT_EQ(out->Value(i, "G1"), "1.00 km 当たり");
    }
    ExpectRows(*out, 0, kSeidoPage1);
    ExpectRows(*out, 1, kSeidoPage2);
    // 補助員 has no price: no row; nothing to total.
    ExpectRows(*out, 2, {{"直接費計", "", "", "", "", ""}, {"合計", "", "", "", "", ""}, // the failed line call gives no factor either
                         {"観測 (補正係数 1.20)", "", "", "", "", "  (補正率 0.000)"},
                         {"1 km 当たり", "", "", "", "", ""}});
}

TEST_F(TankaSheetTest, PagesWithoutAmountsAndTheTitlesOfOtherTemplates) {
    AddSeido();
    settings.omitKingaku = 1;
    int tankaNo = 1;
    auto out = Run([&](CEstimateReport& r, CSekisanData& calc) { r.WriteSeidoTankaSheet(calc, 0, 2, 0, tankaNo, Mode::TankaPages); },
                   false);
    ASSERT_TRUE(out);
    ExpectRows(*out, 0,
               {{"主任技師", "", "人", "", "", ""},
                {"技師", "", "人", "", "", ""},
                {"作業員", "", "人", "", "", ""},
                {"機材", "", "式", "", "", ""},
                {"直接費計", "", "", "", "", ""},
                {"機械経費", "", "式", "", "", ""},
                {"精度管理費", "", "式", "", "", ""},
                {"合計", "", "", "", "", ""},
                {"観測 (補正係数 1.20)", "", "", "", "", ""},
                {"1 km 当たり", "", "", "", "", ""}});
    settings.omitKingaku = 0;
    const struct {
        const char* name;
        std::vector<estimateform::SheetDef> sheets;
        const char* sheet;
        const char* c1;
        const char* d1;
        const char* b3;
    } cases[] = {
        {"単価表 without the number title", {Sheet("代価表"), Sheet("単価表", false)}, "単価表", "", "単　　価　　表", ""},
        {"no 単価表 sheet", {Sheet("代価表")}, "代価表", "第 1 号 単 価 表", "", ""},
        {"no 単価表 sheet, no title cells", {Sheet("代価表", false, false)}, "代価表", "", "", "単　　価　　表"},
        {"単価表 without title cells: no B3", {Sheet("代価表"), Sheet("単価表", false, false)}, "単価表", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseForm(c.sheets);
        tankaNo = 1;
        out = Run([&](CEstimateReport& r, CSekisanData& calc) { r.WriteSeidoTankaSheet(calc, 0, 2, 0, tankaNo, Mode::TankaPages); },
                  false);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->SheetNames()[0], c.sheet);
        EXPECT_EQ(out->Value(0, "C1"), c.c1);
        EXPECT_EQ(out->Value(0, "D1"), c.d1);
        EXPECT_EQ(out->Value(0, "B3"), c.b3);
    }
}

// 設計 lines by hand (factor 1.1, man-days rounded half up to 0.001, 電子計算機使用料 3 % of the direct
// labour):
//   設計: 主任技師 1.00 × 1.1 = 1.1 × 20,000 = 22,000; 技師 2.00 × 1.1 = 2.2 × 15,000 = 33,000: labour
//     and direct 55,000; 電子 1,650; line 56,650
//   照査: 主任技師 0.50 × 1.1 = 0.55 → 11,000; 作業員 1.00 × 1.1 = 1.1 → 11,000 (労務費): labour 22,000,
//     direct 11,000; 電子 330; line 22,330
//   種別: labour 77,000 + 電子 1,980 = 78,980; direct 66,000 + 1,980 = 67,980; with ShokeihiCalc 1 and
//     the flag set V = −1,980, so the 摘要 reads −(67,980 − 1,980) = −66,000.
TEST_F(TankaSheetTest, DensiRowsAndPages) {
    AddDensi();
    const Rows included = {{"設計", "1", "km", "56650", "56650", "　第1号単価表"},
                           {"照査", "1", "km", "22330", "22330", "　第2号単価表"},
                           {"合計", "", "", "", "78980", "-66000"}};
    const struct {
        const char* name;
        int flag;
        int keta;  // the man-days rounded to 0.001 (4) or to 0.01 (3): the same figures here
        Rows rows;
    } cases[] = {
        {"included", 1, 4, included},
        // The remarks print the rounded man-days with the digits they were rounded to.
        {"man-days to 0.01", 1, 3, included},
        // Not included: the total with it, the total without it and the 電子計算機使用料 itself.
        {"not included", 0, 4,
         {included[0], included[1], included[2],
          {"電子計算機使用料控除後合計", "", "", "", "77000", ""},
          {"", "", "", "", "", ""},
          {"電子計算機使用料", "", "", "", "1980", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.GetItem(2)->m_bSpecialExpense = c.flag;
        env.settings.HoseiMarumeKeta = c.keta;
        const bool hundredths = c.keta == 3;
        int tankaNo = 1, page = -1;
        const auto out = Run(
            [&](CEstimateReport& r, CSekisanData& calc) { page = r.WriteDensiTankaSheet(calc, 3, 2, 0, tankaNo, Mode::Both); },
            true);
        ASSERT_TRUE(out);
        // The 代価表 page the rows went on, then a page for each line.
        EXPECT_EQ(page, 5);
        EXPECT_EQ(tankaNo, 3);
        ASSERT_EQ(pages, 3);
        EXPECT_EQ(out->SheetNames()[0], "代価表");
        ExpectRows(*out, 0, c.rows);
        EXPECT_EQ(out->Value(1, "B1"), "4");
        EXPECT_EQ(out->Value(1, "C1"), "第 1 号 単 価 表");
        ExpectRows(*out, 1,
                   {{"主任技師", "1.1", "人", "20000", "22000", hundredths ? "  1.000×1.1000=1.10" : "  1.000×1.1000=1.100"},
                    {"技師", "2.2", "人", "15000", "33000", hundredths ? "  2.000×1.1000=2.20" : "  2.000×1.1000=2.200"},
                    {"直接費計", "", "", "", "55000", "-55000"},
                    {"電子計算機使用料", "1", "式", "", "1650", "  3.00%"},
                    {"合計", "", "", "", "56650", ""},
                    {"1 km 当たり", "", "", "", "56650", ""},
                    {"設計 1.1", "", "", "", "", "  (補正率 1.1000)"}});
        EXPECT_EQ(out->Value(2, "C1"), "第 2 号 単 価 表");
        ExpectRows(*out, 2,
                   {{"主任技師", "0.55", "人", "20000", "11000", hundredths ? "  0.500×1.1000=0.55" : "  0.500×1.1000=0.550"},
                    {"作業員", "1.1", "人", "10000", "11000", hundredths ? "  1.000×1.1000=1.10" : "  1.000×1.1000=1.100"},
                    {"直接費計", "", "", "", "22000", "-11000"},
                    {"電子計算機使用料", "1", "式", "", "330", "  3.00%"},
                    {"合計", "", "", "", "22330", ""},
                    {"1 km 当たり", "", "", "", "22330", ""}});
    }
}

TEST_F(TankaSheetTest, TheWalksShareTheNumbersAndThePagesTakeTheirPlaceInTheCount) {
    AddDensi();
    AddDensi();
    // The walk hands both rows over in mode 1 (one 代価表 page each), the second walk in mode 2 with
    // the number restarted: the pages carry the numbers the rows referred to.
    std::vector<std::string> references, titles;
    int last = 0;
    const auto out = Run(
        [&](CEstimateReport& r, CSekisanData& calc) {
            int tankaNo = 1;
            for (int index : {2, 5}) r.WriteDensiTankaSheet(calc, 0, index, 0, tankaNo, Mode::DaikaRows);
            EXPECT_EQ(tankaNo, 5);
            tankaNo = 1;
            int page = 10;
            for (int index : {2, 5}) page = r.WriteDensiTankaSheet(calc, page, index, 0, tankaNo, Mode::TankaPages);
            last = page;
            EXPECT_EQ(tankaNo, 5);
        },
        false);
    ASSERT_TRUE(out);
    EXPECT_EQ(last, 14);
    ASSERT_EQ(pages, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out->Value(i, "B1"), std::to_string(11 + i));
        EXPECT_EQ(out->Value(i, "E1"), "第 " + std::to_string(1 + i) + " 号");
    }
    // A 種別 the master does not hold: nothing, the page and number unchanged.
    list.GetItem(2)->m_nShubetsu = 77;
    int tankaNo = 4, page = 0;
    Run([&](CEstimateReport& r, CSekisanData& calc) { page = r.WriteDensiTankaSheet(calc, 9, 2, 0, tankaNo, Mode::Both); },
        false);
    EXPECT_EQ(page, 9);
    EXPECT_EQ(tankaNo, 4);
    EXPECT_EQ(pages, 0);
}

TEST_F(TankaSheetTest, TheRateRowNeedsTheKoteiPrefixOfTheLowerName) {
    AddSeido();
    AddDensi();
    const struct {
        const char* lower;
        const char* rateName;  // "" for no rate row
    } cases[] = {
        {"全工程,観測 (補正係数 1.20)", "観測 (補正係数 1.20)"},
        {"一部工程,観測 (補正係数 1.20)", "観測 (補正係数 1.20)"},
        {"観測 (補正係数 1.20)", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lower);
        list.GetItem(2)->m_strNameLower = c.lower;
        list.GetItem(5)->m_strNameLower = c.lower;
        const bool shown = *c.rateName != '\0';
        int tankaNo = 1;
        auto out = Run([&](CEstimateReport& r, CSekisanData& calc) { r.WriteSeidoTankaSheet(calc, 0, 2, 0, tankaNo, Mode::TankaPages); },
                       false);
        ASSERT_TRUE(out);
        // The 観測 page of the 測量 row (kSeidoPage1): the rate row takes its place whether written or not.
        Rows page = kSeidoPage1;
        if (!shown) page[8] = std::vector<std::string>(6);
        ExpectRows(*out, 0, page);
        tankaNo = 1;
        out = Run([&](CEstimateReport& r, CSekisanData& calc) { r.WriteDensiTankaSheet(calc, 0, 5, 0, tankaNo, Mode::TankaPages); },
                  false);
        ASSERT_TRUE(out);
        // The 設計 page of the 設計 row: the rate row after 1 km 当たり.
        EXPECT_EQ(out->Value(0, "A10"), "1 km 当たり");
        EXPECT_EQ(out->Value(0, "A11"), c.rateName);
        EXPECT_EQ(out->Value(0, "F11"), shown ? "  (補正率 1.1000)" : "");
    }
}
