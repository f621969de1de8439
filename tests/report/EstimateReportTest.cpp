// The estimate report built into a job from small forms zipped by the test: the driver's sheet order
// and page numbers, the cover sheet, the 業務価格総括表, the 総括表/内訳書 and the number texts.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
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
#include "estimate/SekisanItemList.h"
#include "master/HyoshiData.h"
#include "master/MasterTexts.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

using estimate_test::ItemListBuilder;
using estimateform::BuildForm;
using estimateform::PlainSheet;
using estimateform::SheetDef;

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

Cells With(Cells cells, const Cells& more) {
    cells.insert(cells.end(), more.begin(), more.end());
    return cells;
}

// A 報告書 cell at the row of line (the row cells stand in row 5, the lower names in row 6).
std::string At(char column, int line, int firstRow = 5) { return column + std::to_string(firstRow + line); }

class EstimateReportTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        env.tanka = masterbuild::SampleTankaFile();
        cover = masterbuild::SampleHyoshiData();
        list.m_strKenmei = "基準点測量";
        list.m_strKashoName = "北地区";
        list.m_strPrintTitle = "御見積書";
        list.m_strDate = "令和 7 年  4 月  1 日";
        UseForm({PlainSheet("表紙", estimateform::HyoshiCells()),
                 PlainSheet("業務価格総括表", estimateform::GyomuKakakuCells()),
                 PlainSheet("報告書1", estimateform::SokatsuCells()), PlainSheet("報告書2", estimateform::SokatsuCells())});
    }

    // The standard form with more cells on the 報告書 sheets (both, or only the second).
    void UseSokatsuForm(const Cells& first, const Cells& second) {
        UseForm({PlainSheet("報告書1", With(estimateform::SokatsuCells(), first)),
                 PlainSheet("報告書2", With(estimateform::SokatsuCells(), second))});
    }
    void UseGyomuKakakuForm(const Cells& more) {
        UseForm({PlainSheet("業務価格総括表", With(estimateform::GyomuKakakuCells(), more))});
    }

    CEstimateReport Report() { return CEstimateReport(job, list, env, cover, formGyou, form, twin); }
    void Open() { ASSERT_EQ(job.OpenTemplate(form), 1); }
    void Settings(const std::function<void(CPrintSettings&)>& change) {
        CPrintSettings s = job.GetSettings();
        change(s);
        job.SetSettings(s);
    }
    std::unique_ptr<xlstest::Output> Out() { return BuiltOutput(job); }

    CReportJob job;
    int formGyou = 10;
    std::optional<CPrintFormText> twin;
};

// ---------------------------------------------------------------------------------------------
// Number texts

TEST(EstimateReportNumbers, CommasGroupThreeDigitsWithTheSignInFront) {
    const struct {
        int value;
        const char* text;
    } cases[] = {{0, "0"},           {999, "999"},           {1000, "1,000"},          {123456, "123,456"},
                 {1234567, "1,234,567"}, {INT_MAX, "2,147,483,647"}, {-5, "-5"},          {-123, "-123"},
                 {-1234, "-1,234"},     {-123456, "-123,456"},   {INT_MIN, "-2,147,483,648"}};
    for (const auto& c : cases) {
        std::string text = "old";
        CEstimateReport::FormatNumberWithCommas(c.value, text);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

TEST(EstimateReportNumbers, SummaryRowsOutsideOneToThirtyCountAsTen) {
    const int cases[][2] = {{1, 1}, {12, 12}, {30, 30}, {0, 10}, {-3, 10}, {31, 10}, {INT_MIN, 10}};
    for (const auto& c : cases) EXPECT_EQ(CEstimateReport::SummaryRows(c[0]), c[1]) << c[0];
}

TEST(EstimateReportNumbers, GyomuPriceNamesAndBracketQuantities) {
    EXPECT_EQ(CEstimateReport::GyomuPriceName("測量業務"), "測量業務価格");
    EXPECT_EQ(CEstimateReport::GyomuPriceName("設計"), "設計業務価格");
    EXPECT_EQ(CEstimateReport::GyomuPriceName("業務委託業務"), "業務委託業務価格");
    EXPECT_EQ(CEstimateReport::GyomuPriceName("業務の設計"), "業務の設計業務価格");
    const struct {
        const char* lower;
        double quantity;
        const char* unit;
        bool plain;
    } cases[] = {{"路線測量(10km)", 10.0, "km", true},
                 {"観測", 0.0, "", false},
                 {"区間(", 0.0, "", false},
                 {"(1.5m2)", 1.5, "m2", true},
                 {"(2)(30点)", 30.0, "点", true},
                 {"    解析規模(3断面),", 3.0, "断面", true},
                 {"延長（2.5km）", 2.5, "km", true},
                 {"(1)（3本）", 3.0, "本", true},
                 {"（4点)", 4.0, "点", true},
                 // Only a bracket of a plain number and unit gives them: not a number alone (a
                 // 補正係数), a unit alone, a number cut short, nor a formula of a rate text.
                 {"補正係数(1.20)", 0.0, "", false},
                 {"(km)", 0.0, "", false},
                 {"(12.)", 0.0, "", false},
                 {"(φ66mm)", 0.0, "", false},
                 {"(10 km)", 0.0, "", false},
                 {"全工程,面積補正((10.000ha/10)^0.3) =1.000 ", 0.0, "", false},
                 {"全工程,延長補正(10.000/1.0ha)^0.5) =3.162 ", 0.0, "", false},
                 {"地区面積(80ha*1.2)", 0.0, "", false},
                 {"(2=3点)", 0.0, "", false}};
    for (const auto& c : cases) {
        double quantity = -1.0;
        std::string unit = "old";
        EXPECT_EQ(CEstimateReport::SplitBracketQuantity(c.lower, quantity, unit), c.plain) << c.lower;
        EXPECT_DOUBLE_EQ(quantity, c.plain ? c.quantity : -1.0) << c.lower;
        EXPECT_EQ(unit, c.plain ? c.unit : "old") << c.lower;
    }
}

// ---------------------------------------------------------------------------------------------
// Driver

TEST_F(EstimateReportTest, SheetOrderAndPageNumbersFollowTheSettings) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点").Shubetsu(1, "観測").DaikaNo(1).Koshu(95, "小計").Amount(500);
    const struct {
        const char* name;
        int hyoshi, gyomuSokatsu, sokatsu, daika, setStart, start;
        bool daikaTable;
        std::vector<std::string> sheets;
        int firstPage;     // "**ページ" of the 業務価格総括表 and of 報告書1
        int daikaGiven;    // -1: the 代価表 family did not run
    } cases[] = {
        {"everything from page 5", 1, 1, 1, 1, 1, 5, true, {"表紙", "業務価格総括表", "報告書1"}, 5, 5},
        {"no start page", 1, 1, 1, 1, 0, 5, true, {"表紙", "業務価格総括表", "報告書1"}, 1, 1},
        {"no 総括表 from page 5", 0, 1, 0, 1, 1, 5, true, {"業務価格総括表"}, 5, 4},
        {"no 総括表, no start page", 0, 0, 0, 1, 0, 7, true, {}, 1, 0},
        {"every setting off", 0, 0, 0, 0, 0, 7, true, {}, 1, -1},
        {"an empty start page counts as none", 0, 1, 1, 1, 1, kUnset, true, {"業務価格総括表", "報告書1"}, 1, 1},
        {"no 代価 table", 0, 0, 1, 1, 1, 3, false, {"報告書1"}, 3, -1},
        {"代価表 off", 0, 0, 1, 0, 1, 3, true, {"報告書1"}, 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.GetItem(2)->m_nDaikaNo = c.daikaTable ? 1 : kUnset;
        CReportJob fresh;
        CPrintSettings s;
        s.printHyoshi = c.hyoshi;
        s.printGyomuSokatsu = c.gyomuSokatsu;
        s.printSokatsu = c.sokatsu;
        s.printDaika = c.daika;
        s.setStartPage = c.setStart;
        s.startPage = c.start;
        fresh.SetSettings(s);
        CEstimateReport report(fresh, list, env, cover, formGyou, form);
        report.BuildReport();
        EXPECT_EQ(report.DaikaLastPageGiven(), c.daikaGiven);
        ASSERT_EQ(fresh.Engine().PageCount(), static_cast<int>(c.sheets.size()));
        if (c.sheets.empty()) {
            EXPECT_TRUE(fresh.HasWorkbook());  // the form is open, with no page
            continue;
        }
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        EXPECT_EQ(out.SheetNames(), c.sheets);
        for (int i = 0; i < out.SheetCount(); ++i) {
            const std::string& sheet = c.sheets[static_cast<size_t>(i)];
            const char* pageCell = sheet == "業務価格総括表" ? "C1" : sheet == "報告書1" ? "G1" : nullptr;
            if (pageCell) {
                EXPECT_EQ(out.Value(i, pageCell), std::to_string(c.firstPage)) << sheet;
            }
        }
    }
    // The message pane says the report is being built, then shows its idle text again.
    const std::vector<std::string> expected = {reporttext::kStatusBuildingReport, mastertext::kStatusHelpHint};
    EXPECT_EQ(host.panes[0].size(), 2 * std::size(cases));
    EXPECT_EQ(std::vector<std::string>(host.panes[0].end() - 2, host.panes[0].end()), expected);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(EstimateReportTest, AMissingFormIsToldOnceAndBuildsNothing) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1).DaikaNo(1);
    form = dir / "ありません.xlsx";
    Settings([](CPrintSettings& s) { s.printHyoshi = 1; });
    CEstimateReport report = Report();
    report.BuildReport();
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{form + mastertext::kFileMissing});
    EXPECT_FALSE(job.HasWorkbook());
    EXPECT_EQ(job.Engine().PageCount(), 0);
    EXPECT_EQ(report.DaikaLastPageGiven(), -1);
    EXPECT_EQ(host.panes[0], std::vector<std::string>{reporttext::kStatusBuildingReport});
}

TEST_F(EstimateReportTest, TheCoverSheetTakesTheCoverDataAndTheCompanyBlock) {
    for (const std::string amount : {"１，２３４，０００", ""}) {
        SCOPED_TRACE(amount);
        cover.m_amount = amount;
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).WriteHyoshi();
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        EXPECT_EQ(out.SheetNames(), std::vector<std::string>{"表紙"});
        std::vector<std::string> expected = {cover.m_printTitle, cover.m_number, cover.m_date};
        for (const std::string& spare : cover.m_spare) expected.push_back(spare);
        for (const std::string& text : {cover.m_address1, cover.m_address2, cover.m_subject, cover.m_place, amount})
            expected.push_back(text);
        for (const std::string& text : env.tanka.m_company) expected.push_back(text);
        for (size_t row = 0; row < expected.size(); ++row)
            EXPECT_EQ(out.Value(0, "A" + std::to_string(row + 1)), expected[row]) << "row " << row + 1;
    }
}

// ---------------------------------------------------------------------------------------------
// 業務価格総括表

class GyomuKakakuTest : public EstimateReportTest {
protected:
    // n 業務 whose 95 rows carry 1000, 2000, …
    void Gyomu95Rows(int n) {
        ItemListBuilder b(list);
        for (int g = 1; g <= n; ++g) b.Gyomu(g, "業務" + std::to_string(g)).Koshu(95, "小計").Amount(1000 * g);
    }
    int Write(int firstPage = 1) {
        Open();
        return Report().WriteGyomuKakakuSokatsu(firstPage);
    }
};

TEST_F(GyomuKakakuTest, RowsPerPageComeFromFormGyouOrTheTemplatesRowCountCell) {
    const struct {
        int formGyou;
        const char* cell;  // the form's row-count cell, "" for none
        int rows;
    } cases[] = {{10, "", 10}, {3, "", 3}, {0, "", 10}, {-4, "", 10}, {31, "", 10},
                 {10, "**業務価格総括表行数8", 8}, {3, "**業務価格総括表行数6", 6}, {6, "**業務価格総括表行数6", 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.formGyou) + " " + c.cell);
        list.RemoveAll();
        Gyomu95Rows(23);
        UseGyomuKakakuForm(*c.cell ? Cells{{"K1", c.cell}} : Cells{});
        formGyou = c.formGyou;
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        const int pages = CEstimateReport(fresh, list, env, cover, formGyou, form).WriteGyomuKakakuSokatsu(4);
        const int expectedPages = (23 + c.rows - 1) / c.rows;
        EXPECT_EQ(pages, expectedPages);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        ASSERT_EQ(out.SheetCount(), expectedPages);
        // Each page numbers its rows from 1; the last row of the first page and the first of the next.
        EXPECT_EQ(out.Value(0, "A5"), "1");
        EXPECT_EQ(out.Value(0, At('A', 2 * (c.rows - 1))), std::to_string(c.rows));
        EXPECT_FALSE(out.HasValue(0, At('A', 2 * c.rows)));
        EXPECT_EQ(out.Value(1, "A5"), "1");
        EXPECT_EQ(out.Value(1, "E5"), std::to_string(1000 * (c.rows + 1)));
        EXPECT_EQ(out.Value(1, "C1"), "5");
    }
}

TEST_F(GyomuKakakuTest, RowsNamesUnitsAmountsAndTheReplacingKoshu97) {
    masterbuild::AddGyomu(env.bukake, 1, "測量業務");
    masterbuild::AddGyomu(env.bukake, 2, "設計");
    ItemListBuilder(list)
        .Gyomu(1, "測量").Koshu(10, "基準点").Amount(800).Koshu(95, "測量小計").Amount(1000).Koshu(97, "改め計").Amount(900)
        .Gyomu(2, "設計").Koshu(95, "設計小計").Amount(2000)
        .Gyomu(3, "物件").Koshu(95, "自由な名前").Amount(3000).Set([](CSekisanItem& i) { i.m_bNameUpperEdited = 1; })
        .Gyomu(4, "土質").Koshu(95).Amount(4000).NoPrint()
        .Summary(89, "前払金").Amount(50)
        .Summary(95, "合計").Amount(6000)
        .Summary(98, "消費税相当額").Amount(600)
        .Summary(99, "業務委託料計").Amount(6600);
    EXPECT_EQ(Write(), 1);
    auto out = Out();
    const struct {
        int line;
        const char *number, *name, *unit, *quantity, *amount;
    } rows[] = {
        {0, "1", "測量業務価格", "式", "1", "900"},      // the 97 row in the 95 row's place
        {2, "2", "設計業務価格", "式", "1", "2000"},
        {4, "3", "自由な名前", "式", "1", "3000"},        // an edited name is kept
        {6, "4", "前払金", "", "", "50"},                // summary rows: own names, no unit or quantity
        {8, "5", "合計", "", "", "6000"},
        {10, "6", "消費税相当額", "", "", "600"},
        {12, "7", "業務委託料計", "", "", "6600"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        EXPECT_EQ(out->Value(0, At('A', r.line)), r.number);
        EXPECT_EQ(out->Value(0, At('B', r.line)), r.name);
        EXPECT_EQ(out->Value(0, At('C', r.line)), r.unit);
        EXPECT_EQ(out->Value(0, At('D', r.line)), r.quantity);
        EXPECT_EQ(out->Value(0, At('E', r.line)), r.amount);
    }
    EXPECT_FALSE(out->HasValue(0, At('A', 14)));
    EXPECT_EQ(out->Value(0, "A1"), "基準点測量（北地区）");
    EXPECT_EQ(out->Value(0, "B1"), list.m_strDate);
}

TEST_F(GyomuKakakuTest, TotalsWithCellsOfTheirOwnPrintNoRow) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95).Amount(1000)
        .Summary(95, "合計").Amount(1000).Summary(98, "消費税相当額").Amount(100).Summary(99, "業務委託料計").Amount(1100);
    UseGyomuKakakuForm({{"K1", "**消費税相当額のみ"}, {"K2", "**業務委託料計のみ"}, {"K3", "**値引きのみ"}});
    for (int omit : {0, 1}) {
        SCOPED_TRACE(omit);
        job.SetSettings([&] { CPrintSettings s; s.omitKingaku = omit; return s; }());
        Write();
        auto out = Out();
        EXPECT_EQ(out->Value(0, "K1"), omit ? " " : "100");
        EXPECT_EQ(out->Value(0, "K2"), omit ? " " : "1100");
        EXPECT_EQ(out->Value(0, "K3"), "");  // no such row: not probed
        EXPECT_EQ(out->Value(0, At('B', 2)), "合計");
        EXPECT_FALSE(out->HasValue(0, At('A', 4)));
        // Without amounts nothing carries one.
        EXPECT_EQ(out->HasValue(0, At('E', 0)), !omit);
        EXPECT_EQ(out->HasValue(0, At('E', 2)), !omit);
    }
}

TEST_F(GyomuKakakuTest, HeadingAndTotalNamesGoWhereTheFormHasCells) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95).Amount(1000)
        .Summary(95, "合計").Amount(1000).Summary(99, "業務委託料計").Amount(1100);
    masterbuild::AddGyomu(env.bukake, 1, "測量業務");
    const struct {
        const char* name;
        Cells cells;
        const char* headingCell;  // where "委 託 費" is written (column and row 5), "" for nowhere
        int firstLine;
        const char* total95;      // the name cell of the 合計 row: "**dudaroda用費目" (K) or "**費目上段" (B)
    } cases[] = {
        {"dudaroda", {{"K5", "**dudaroda用費目"}, {"L5", "**業務価格総括表費目"}}, "K5", 2, "K"},
        {"heading cell", {{"L5", "**業務価格総括表費目"}}, "L5", 2, "B"},
        {"neither", {}, "", 0, "B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseGyomuKakakuForm(c.cells);
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).WriteGyomuKakakuSokatsu(1);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        if (*c.headingCell) {
            EXPECT_EQ(out.Value(0, c.headingCell), reporttext::kGyomuKakakuHeading);
        }
        EXPECT_EQ(out.Value(0, At('B', c.firstLine)), "測量業務価格");
        const int total = c.firstLine + 2, grand = c.firstLine + 4;
        if (std::string(c.total95) == "K") {
            EXPECT_EQ(out.Value(0, At('K', total)), reporttext::kGyomuKakakuTotal);
            EXPECT_EQ(out.Value(0, At('K', grand)), reporttext::kGyomuKakakuGrandTotal);
            EXPECT_FALSE(out.HasValue(0, At('B', total)));
            EXPECT_FALSE(out.HasValue(0, At('B', grand)));
        } else {
            EXPECT_EQ(out.Value(0, At('B', total)), "合計");
            EXPECT_EQ(out.Value(0, At('B', grand)), "業務委託料計");
        }
        EXPECT_EQ(out.Value(0, At('E', grand)), "1100");
    }
}

TEST_F(GyomuKakakuTest, NamesAreCentredOnTheirLines) {
    // A line is two sheet rows with its figures centred over both: its name is joined over them and
    // centred too. The heading 委 託 費 and the 合計 names of a form with a cell of their own on the
    // line's row and left of the name column take that cell and the name column's.
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95).Amount(1000).Summary(95, "合計").Amount(1000);
    const struct {
        const char* name;
        Cells cells;
        std::vector<std::string> merges;
    } cases[] = {
        {"plain", {}, {"B5:B6", "B7:B8"}},
        {"heading and totals left of the names", {{"A5", "**dudaroda用費目"}}, {"A5:B6", "B7:B8", "A9:B10"}},
        {"heading and totals elsewhere", {{"K5", "**dudaroda用費目"}}, {"K5:K6", "B7:B8", "K9:K10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The form's cells, its 番号 out of column A.
        Cells cells = estimateform::GyomuKakakuCells();
        for (auto& [ref, name] : cells)
            if (name == "**番号") ref = "H5";
        UseForm({PlainSheet("業務価格総括表", With(cells, c.cells))});
        Write();
        auto out = Out();
        EXPECT_EQ(out->Merges(0), c.merges);
        const std::vector<pugi::xml_node> xfs = out->CellFormats();
        for (const std::string& merge : c.merges) {
            const std::string first = merge.substr(0, merge.find(':'));
            EXPECT_STREQ(xfs.at(static_cast<size_t>(out->Style(0, first))).child("alignment").attribute("vertical").value(),
                         "center")
                << first;
        }
    }
}

TEST_F(GyomuKakakuTest, ReferencesToTheSokatsuPagesWithPageBreaksPerGyomu) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95).Amount(1000).Gyomu(2, "設計").Koshu(95).Amount(2000)
        .Summary(95, "合計").Amount(3000).Set([](CSekisanItem& i) { i.m_strRemarkUpper = "端数調整"; })
        .Summary(99, "業務委託料計").Amount(3300);
    for (int perGyomu : {1, 0}) {
        SCOPED_TRACE(perGyomu);
        job.SetSettings([&] { CPrintSettings s; s.pageBreakPerGyomu = perGyomu; return s; }());
        Write();
        auto out = Out();
        const std::vector<std::pair<std::string, std::string>> expected = {
            {"総括表1", "内訳書1"}, {"総括表2", "内訳書2"}, {"端数調整", "端数調整"}, {"", ""}};
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(out->Value(0, At('F', 2 * row)), perGyomu ? expected[static_cast<size_t>(row)].first : "") << row;
            EXPECT_EQ(out->Value(0, At('G', 2 * row)), perGyomu ? expected[static_cast<size_t>(row)].second : "") << row;
        }
    }
}

TEST_F(GyomuKakakuTest, WithATwinTheCoverDataFillsTheFormsCoverCells) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95).Amount(1000);
    UseGyomuKakakuForm({{"K1", "**箇所名"}, {"K2", "**No"}, {"K3", "**宛名1"}, {"K4", "**予備1"}, {"K5", "**予備2"},
                        {"K6", "**見積金額"}});
    cover.m_spare[1] = "";
    for (bool withTwin : {false, true}) {
        SCOPED_TRACE(withTwin);
        twin = withTwin ? std::optional<CPrintFormText>(CPrintFormText{}) : std::nullopt;
        Write();
        auto out = Out();
        EXPECT_EQ(out->Value(0, "A1"), withTwin ? cover.m_subject : "基準点測量（北地区）");
        EXPECT_EQ(out->Value(0, "K1"), withTwin ? cover.m_place : "");
        EXPECT_EQ(out->Value(0, "K2"), withTwin ? cover.m_number : "");
        EXPECT_EQ(out->Value(0, "K3"), withTwin ? cover.m_address1 : "");
        EXPECT_EQ(out->Value(0, "K4"), withTwin ? cover.m_spare[0] : "");
        EXPECT_EQ(out->Value(0, "K5"), "");
        EXPECT_EQ(out->Value(0, "K6"), withTwin ? cover.m_amount : "");
    }
    // An empty subject in the cover data leaves the estimate's.
    cover.m_subject.clear();
    Write();
    EXPECT_EQ(Out()->Value(0, "A1"), "基準点測量（北地区）");
}

// ---------------------------------------------------------------------------------------------
// 総括表 and 内訳書

class SokatsuTest : public EstimateReportTest {
protected:
    int Write(int firstPage = 1) {
        Open();
        return Report().WriteSokatsu(firstPage);
    }
    void Set(int perGyomu, int gyomuSokatsu, int omit = 0) {
        Settings([&](CPrintSettings& s) {
            s.pageBreakPerGyomu = perGyomu;
            s.printGyomuSokatsu = gyomuSokatsu;
            s.omitKingaku = omit;
        });
    }
    // The names of a page's rows, upper line, in order.
    static std::vector<std::string> Names(const xlstest::Output& out, int sheet, char column = 'A') {
        std::vector<std::string> names;
        for (int line = 0; line < 100; line += 2)
            if (out.HasValue(sheet, At(column, line))) names.push_back(out.Value(sheet, At(column, line)));
        return names;
    }
};

TEST_F(SokatsuTest, IndentationFollowsTheKoshuAndGyomuCodesAndThe912And913Rows) {
    UseSokatsuForm({{"K1", "**半角スペース2"}, {"K2", "**半角スペース3"}, {"K3", "**費目区分あり"}}, {});
    formGyou = 30;
    const std::string I = "  ";  // the first indent cell found: two blanks
    const struct {
        int gyomu, koshu, shubetsu;
        int before;  // a 工種 row of that code (912 or 913) of the same 業務 comes first; 0 none
        std::string name;  // "" = not indented: the name goes into "**費目区分あり"
    } cases[] = {
        {1, 90, kUnset, 0, ""},     {1, 95, kUnset, 0, ""},      {2, 97, kUnset, 0, ""},       {1, 913, kUnset, 0, ""},
        {2, 91, kUnset, 0, I},      {1, 91, kUnset, 0, ""},      {2, 92, kUnset, 0, "  " + I + I},
        {5, 92, kUnset, 0, "  " + I + I},                        {4, 92, kUnset, 0, I},        {1, 92, kUnset, 0, ""},
        {5, 93, kUnset, 0, I},      {1, 93, kUnset, 913, I},     {6, 93, kUnset, 913, I},      {1, 93, kUnset, 0, ""},
        {4, 93, kUnset, 913, ""},   {3, 94, kUnset, 913, I},     {1, 94, kUnset, 913, ""},     {2, 94, kUnset, 0, I},
        {1, 899, kUnset, 0, "  " + I + I},                       {2, 69, kUnset, 0, "  " + I + I},
        {1, 695, kUnset, 0, I},     {2, 720, kUnset, 0, "  " + I + I},                         {1, 82, kUnset, 0, I},
        {1, 847, kUnset, 912, I},   {6, 72, kUnset, 912, "  " + I + I},                        {3, 72, kUnset, 912, I},
        {2, 77, kUnset, 912, "  " + I + I},                      {5, 860, kUnset, 0, I},       {1, 77, kUnset, 0, ""},
        {1, 860, kUnset, 913, I},   {3, 87, kUnset, 913, I},     {4, 87, kUnset, 913, ""},     {1, 50, kUnset, 0, I},
        {1, 50, 7, 0, I + I + "  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.gyomu) + "/" + std::to_string(c.koshu) + "/" + std::to_string(c.shubetsu) + " after " +
                     std::to_string(c.before));
        list.RemoveAll();
        ItemListBuilder b(list);
        b.Gyomu(c.gyomu, "業務");
        if (c.before) b.Koshu(c.before, "前");
        if (IsUnset(c.shubetsu)) {
            b.Koshu(c.koshu, "名");
        } else {
            b.Koshu(c.koshu, "工種").Shubetsu(c.shubetsu, "名");
        }
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).WriteSokatsu(1);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        const int line = 2 * (list.GetCount() - 1);
        if (c.name.empty()) {
            EXPECT_EQ(out.Value(0, At('K', line, 3)), "名");
            EXPECT_FALSE(out.HasValue(0, At('A', line)));
        } else {
            EXPECT_EQ(out.Value(0, At('A', line)), c.name + "名");
            EXPECT_EQ(out.Value(0, At('K', line, 3)), line == 0 ? " " : "");
        }
        // The 業務 row is never indented.
        EXPECT_EQ(out.Value(0, "K3"), "業務");
    }
}

TEST_F(SokatsuTest, WithoutAnIndentCellNoRowIsIndented) {
    ItemListBuilder(list).Gyomu(2, "設計").Koshu(92, "直接経費").Koshu(50, "設計").Shubetsu(1, "計算");
    for (bool kubun : {false, true}) {
        SCOPED_TRACE(kubun);
        UseSokatsuForm(kubun ? Cells{{"K1", "**費目区分あり"}} : Cells{}, {});
        Write();
        auto out = Out();
        const char column = kubun ? 'K' : 'A';
        const int firstRow = kubun ? 1 : 5;
        EXPECT_EQ(out->Value(0, At(column, 0, firstRow)), "設計");
        EXPECT_EQ(out->Value(0, At(column, 2, firstRow)), "直接経費");
        EXPECT_EQ(out->Value(0, At(column, 6, firstRow)), "  計算");
        EXPECT_EQ(out->Value(0, At('A', 7)), "    ");  // the 種別's lower name: four blanks before an empty one
    }
}

TEST_F(SokatsuTest, GyomuBreaksWithAndWithoutTheGyomuKakakuSokatsu) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点").Shubetsu(1, "観測").Gyomu(2, "設計").Koshu(10, "計算")
        .Summary(95, "合計").Amount(3000).Summary(99, "総額").Amount(3300);
    const struct {
        const char* name;
        int perGyomu, gyomuSokatsu;
        std::vector<std::vector<std::string>> pages;  // the names of each page's rows (name column)
        std::vector<std::string> titles;               // "**総括表番号" and "**内訳書番号" of each page
        int last;
    } cases[] = {
        {"per 業務, with 業務価格総括表", 1, 1, {{"測量業務", "基準点", "  観測"}, {"設計", "計算"}},
         {"総　　括　　表　1", "内　　訳　　書　1", "総　　括　　表　2", "内　　訳　　書　2"}, 2},
        {"per 業務, without", 1, 0, {{"測量業務", "基準点", "  観測"}, {"設計", "計算", "合計", "総額"}},
         {"総　　括　　表　", "内　　訳　　書　", "総　　括　　表　", "内　　訳　　書　"}, 2},
        {"one run", 0, 1, {{"測量業務", "基準点", "  観測", "設計", "計算", "合計", "総額"}},
         {"総　　括　　表　", "内　　訳　　書　"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Set(c.perGyomu, c.gyomuSokatsu);
        EXPECT_EQ(Write(), c.last);
        auto out = Out();
        ASSERT_EQ(out->SheetCount(), static_cast<int>(c.pages.size()));
        for (int p = 0; p < out->SheetCount(); ++p) {
            EXPECT_EQ(Names(*out, p), c.pages[static_cast<size_t>(p)]) << p;
            // Every page carries its title, the further ones too.
            EXPECT_EQ(out->Value(p, "D1"), c.titles[static_cast<size_t>(2 * p)]) << p;
            EXPECT_EQ(out->Value(p, "E1"), c.titles[static_cast<size_t>(2 * p + 1)]) << p;
            EXPECT_EQ(out->Value(p, "G1"), std::to_string(p + 1));
        }
        EXPECT_EQ(out->SheetNames()[0], "報告書1");
    }
}

TEST_F(SokatsuTest, SummaryRowsThatDoNotFitTheLastPageCountOneMorePage) {
    UseSokatsuForm({}, {});
    formGyou = 3;
    Set(1, 0);
    const struct {
        const char* name;
        int koshuRows;
        int pages;
    } cases[] = {{"a full last page", 2, 2}, {"one free row", 1, 2}, {"two free rows", 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.RemoveAll();
        ItemListBuilder b(list);
        b.Gyomu(1, "測量業務");
        for (int k = 1; k <= c.koshuRows; ++k) b.Koshu(k, "工種" + std::to_string(k));
        b.Summary(95, "合計").Amount(1000).Summary(99, "総額").Amount(1100);
        EXPECT_EQ(Write(), c.pages);
        auto out = Out();
        ASSERT_EQ(out->SheetCount(), c.pages);
        EXPECT_EQ(Names(*out, c.pages - 1).back(), "総額");
    }
}

TEST_F(SokatsuTest, APageThatGotNoRowIsFilledAgainUnderTheRightTitle) {
    formGyou = 2;
    Set(1, 1);
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点").Koshu(20, "水準").NoPrint().Gyomu(2, "設計").Koshu(10, "計算");
    EXPECT_EQ(Write(3), 4);
    auto out = Out();
    ASSERT_EQ(out->SheetCount(), 2);
    EXPECT_EQ(out->SheetNames(), (std::vector<std::string>{"報告書1", "報告書2"}));
    EXPECT_EQ(Names(*out, 0), (std::vector<std::string>{"測量業務", "基準点"}));
    EXPECT_EQ(Names(*out, 1), (std::vector<std::string>{"設計", "計算"}));
    EXPECT_EQ(out->Value(1, "D1"), "総　　括　　表　2");
    EXPECT_EQ(out->Value(1, "G1"), "4");
}

TEST_F(SokatsuTest, TheGyomuHeadingStandsOnEveryPageOfItsGyomu) {
    // Two rows a page: 測量業務 takes two pages, 設計 one; each page is headed with its 業務's price.
    UseSokatsuForm({{"K1", "**総括表費目表題"}}, {{"K1", "**総括表費目表題"}});
    formGyou = 2;
    Set(1, 1);
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点").Koshu(20, "水準").Koshu(30, "地形").Gyomu(2, "設計").Koshu(10, "計算");
    EXPECT_EQ(Write(), 3);
    auto out = Out();
    ASSERT_EQ(out->SheetCount(), 3);
    EXPECT_EQ(out->Value(0, "K1"), "測量業務価格");
    EXPECT_EQ(out->Value(1, "K1"), "測量業務価格");
    EXPECT_EQ(Names(*out, 1), (std::vector<std::string>{"水準", "地形"}));
    EXPECT_EQ(out->Value(2, "K1"), "設計業務価格");
}

TEST_F(SokatsuTest, RowsPerPageChangeWithTheSecondSheetsRowCountCell) {
    UseSokatsuForm({{"K1", "**総括表行数8"}}, {{"K1", "**総括表行数12"}});
    ItemListBuilder b(list);
    b.Gyomu(1, "測量業務");
    for (int k = 1; k <= 19; ++k) b.Koshu(k, "工種" + std::to_string(k));
    Set(0, 1);
    EXPECT_EQ(Write(), 2);
    auto out = Out();
    ASSERT_EQ(out->SheetCount(), 2);
    EXPECT_EQ(Names(*out, 0).size(), 8u);
    EXPECT_EQ(Names(*out, 1).size(), 12u);
    EXPECT_EQ(Names(*out, 1).back(), "工種19");
}

TEST_F(SokatsuTest, PagesAreCountedWithTheRowsOfTheSheetEachIsFilledOn) {
    // 8 rows on the first page, 12 on the further ones: the 業務 row and n 工種 rows, then 合計,
    // 消費税相当額 and 総額. The closing rows never stand alone on a page when they fit.
    UseSokatsuForm({{"K1", "**総括表行数8"}}, {{"K1", "**総括表行数12"}});
    const struct {
        const char* name;
        int perGyomu, gyomuSokatsu, koshuRows;
        std::vector<size_t> rows;  // printed rows of each page
    } cases[] = {
        {"per 業務 with 業務価格総括表: two pages, no closing rows", 1, 1, 18, {8, 11}},
        {"per 業務 with 業務価格総括表, a full second page", 1, 1, 19, {8, 12}},
        {"per 業務: the closing rows fit the second page", 1, 0, 16, {8, 12}},
        {"per 業務: they do not fit", 1, 0, 18, {8, 12, 2}},
        {"one run", 0, 1, 18, {8, 12, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.RemoveAll();
        ItemListBuilder b(list);
        b.Gyomu(1, "測量業務");
        for (int k = 1; k <= c.koshuRows; ++k) b.Koshu(k, "工種" + std::to_string(k));
        b.Summary(95, "合計").Amount(1000).Summary(98, "消費税").Amount(100).Summary(99, "総額").Amount(1100);
        Set(c.perGyomu, c.gyomuSokatsu);
        EXPECT_EQ(Write(3), 2 + static_cast<int>(c.rows.size()));
        auto out = Out();
        ASSERT_EQ(out->SheetCount(), static_cast<int>(c.rows.size()));
        for (int p = 0; p < out->SheetCount(); ++p) {
            EXPECT_EQ(Names(*out, p).size(), c.rows[static_cast<size_t>(p)]) << p;
            EXPECT_EQ(out->Value(p, "G1"), std::to_string(3 + p)) << p;
        }
        const std::vector<std::string> last = Names(*out, out->SheetCount() - 1);
        EXPECT_EQ(last.back(), c.perGyomu && c.gyomuSokatsu ? "工種" + std::to_string(c.koshuRows) : "総額");
    }
}

TEST_F(SokatsuTest, ANameWithoutALowerLineIsCentredOnItsLine) {
    // A form with the names of upper levels in column A and the indented ones in B, the lower names
    // under them in B: a name without a lower line is joined over its line's two rows, from its cell
    // to the lower name's column, and centred between them as the figures are.
    UseForm({PlainSheet("報告書1", {{"G1", "**ページ"}, {"A5", "**費目区分あり"}, {"B5", "**費目上段"}, {"B6", "**費目下段"},
                                    {"C5", "**単位"}, {"D5", "**数量"}, {"E5", "**単価"}, {"F5", "**金額"},
                                    {"G5", "**摘要上段"}, {"G6", "**摘要下段"}, {"K1", "**半角スペース2"}})});
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点").Koshu(20, "水準")
        .Set([](CSekisanItem& i) { i.m_strNameLower = "3級"; }).Shubetsu(1, "観測");
    Write();
    auto out = Out();
    // 測量業務 (not indented, in A), 基準点 (in B), 水準 with its lower name, 観測 (a 種別: "    " below).
    EXPECT_EQ(out->Merges(0), (std::vector<std::string>{"A5:B6", "B7:B8", "B11:B12"}));
    const std::vector<pugi::xml_node> xfs = out->CellFormats();
    auto vertical = [&](const char* ref) {
        return std::string(xfs.at(static_cast<size_t>(out->Style(0, ref))).child("alignment").attribute("vertical").value());
    };
    EXPECT_EQ(vertical("A5"), "center");
    EXPECT_EQ(vertical("B7"), "center");
    EXPECT_EQ(vertical("B9"), "");  // a name over its lower line keeps its cell's format
    EXPECT_EQ(vertical("B11"), "center");
    EXPECT_EQ(out->Value(0, "A5"), "測量業務");
    EXPECT_EQ(out->Value(0, "B10"), "3級");
}

TEST_F(SokatsuTest, AmountsAreCutToTheirRoundingDigits) {
    const struct {
        int digits, amount;
        const char* printed;
    } cases[] = {{0, 123456, "123456"}, {1, 123456, "123450"}, {3, 123456, "123000"}, {7, 123456, "0"},
                 {3, 999, "0"},         {2, 1000, "1000"}};
    ItemListBuilder b(list);
    b.Gyomu(1, "測量業務");
    for (const auto& c : cases) b.Koshu(10, "工種").Amount(c.amount).Set([&](CSekisanItem& i) { i.m_nRounding = c.digits; });
    Write();
    auto out = Out();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(out->Value(0, At('E', 2 * static_cast<int>(i + 1))), cases[i].printed) << cases[i].digits;
}

TEST_F(SokatsuTest, WithoutAmountsRemarksAreLeftOutUnlessKept) {
    UseSokatsuForm({{"K1", "**工種合計のみ"}, {"K2", "**業務合計"}}, {});
    formGyou = 30;
    const struct {
        int gyomu, daika, keepUpper, keepLower;
        const char *upper, *lower;
    } cases[] = {
        {1, 5, 0, 0, "", "下"},  {1, kUnset, 0, 0, "", ""}, {1, -1, 0, 0, "", ""}, {1, kUnset, 1, 0, "上", ""},
        {1, kUnset, 0, 1, "", "下"}, {1, 5, 1, 0, "上", "下"}, {2, 0, 0, 0, "", "下"},  {3, 5, 0, 0, "上", ""},
        {3, kUnset, 0, 0, "", ""}, {3, kUnset, 0, 1, "", "下"},
    };
    for (int omit : {1, 0}) {
        SCOPED_TRACE(omit);
        list.RemoveAll();
        ItemListBuilder b(list);
        b.Gyomu(1, "測量業務");
        for (const auto& c : cases)
            b.Node(estimate_test::MakeItem(c.gyomu, 10, kUnset, "工種")).UnitPrice(1000).Amount(100).DaikaNo(c.daika)
                .Set([&](CSekisanItem& i) {
                    i.m_strRemarkUpper = "上";
                    i.m_strRemarkLower = "下";
                    i.m_bKeepRemarkUpper = c.keepUpper;
                    i.m_bKeepRemarkLower = c.keepLower;
                });
        b.Koshu(95, "小計").Amount(1000).Summary(95, "合計").Amount(1000);
        Set(0, 1, omit);
        Write();
        auto out = Out();
        for (size_t i = 0; i < std::size(cases); ++i) {
            const int line = 2 * static_cast<int>(i + 1);
            EXPECT_EQ(out->Value(0, At('F', line)), omit ? cases[i].upper : "上") << i;
            EXPECT_EQ(out->Value(0, At('F', line + 1)), omit ? cases[i].lower : "下") << i;
            EXPECT_EQ(out->HasValue(0, At('D', line)), !omit) << i;
            EXPECT_EQ(out->HasValue(0, At('E', line)), !omit) << i;
        }
        EXPECT_EQ(out->Value(0, "K1"), omit ? "" : "1000");
        EXPECT_EQ(out->Value(0, "K2"), "");  // counted only with a page break per 業務
    }
    // The 業務 total of the first page, counted with the pages per 業務.
    list.RemoveAll();
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(95, "小計").Amount(1000).Summary(95, "合計").Amount(1200);
    for (int omit : {1, 0}) {
        Set(1, 1, omit);
        Write();
        EXPECT_EQ(Out()->Value(0, "K2"), omit ? "" : "1200") << omit;
    }
}

TEST_F(SokatsuTest, TheGyomuTotalIsLabelledOnlyWhereItStands) {
    UseSokatsuForm({{"K2", "**業務合計"}, {"K3", "**業務合計名称"}}, {});
    const struct {
        const char* name;
        int perGyomu, omit;
        bool total;  // the estimate has its 合計 row
        const char *amount, *label;
    } cases[] = {
        {"per 業務", 1, 0, true, "1200", "業務価格合計"},
        {"one run: no total, no label", 0, 0, true, "", ""},
        {"per 業務 without amounts: the label stays, as every label does", 1, 1, true, "", "業務価格合計"},
        {"no 合計 row", 1, 0, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.RemoveAll();
        ItemListBuilder b(list);
        b.Gyomu(1, "測量業務").Koshu(95, "小計").Amount(1000);
        if (c.total) b.Summary(95, "合計").Amount(1200);
        Set(c.perGyomu, 1, c.omit);
        Write();
        auto out = Out();
        EXPECT_EQ(out->Value(0, "K2"), c.amount);
        EXPECT_EQ(out->Value(0, "K3"), c.label);
    }
}

TEST_F(SokatsuTest, LowerNameQuantityUnitAndStandardQuantityOfPrintedRowsOnly) {
    CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 1, "測量業務"), 10, "基準点");
    masterbuild::AddShubetsu(koshu, 1, "観測").GetDetail().m_quantity = 250;
    masterbuild::AddShubetsu(koshu, 2, "選点").GetDetail().m_quantity = kUnset;
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10, "基準点")
        .Shubetsu(1, "観測").Set([](CSekisanItem& i) { i.m_strNameLower = "4級基準点(10km)"; })
        .Shubetsu(2, "選点").Set([](CSekisanItem& i) { i.m_strNameLower = "(3.5点)"; })
        .Shubetsu(1, "観測").NoPrint().Set([](CSekisanItem& i) { i.m_strNameLower = "(99m)"; })
        .Shubetsu(2, "選点").Set([](CSekisanItem& i) { i.m_strNameLower = "選点のみ"; })
        .Shubetsu(3, "マスターにない").Set([](CSekisanItem& i) { i.m_strNameLower = "(7本)"; });
    Write();
    auto out = Out();
    // Written two rows below the named cells (row 3), after the row's line has moved on.
    const struct {
        int line;
        const char *quantity, *unit, *standard;
    } rows[] = {{4, "10.000", "km", "2.50"}, {6, "3.500", "点", ""}, {8, "", "", ""}, {10, "", "", ""}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        EXPECT_EQ(out->Shown(0, At('H', r.line + 2, 3)), r.quantity);
        EXPECT_EQ(out->Value(0, At('I', r.line + 2, 3)), r.unit);
        EXPECT_EQ(out->Shown(0, At('J', r.line + 2, 3)), r.standard);
    }
}

TEST_F(SokatsuTest, TheBukkenGijutsuKeihiRateMovesTheRemarksUp) {
    CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 3, "物件調査"), 10, "調査");
    masterbuild::AddShubetsu(koshu, 1, "木造").m_coefficient = 1250;
    masterbuild::AddShubetsu(koshu, 2, "非木造").m_coefficient = 800;
    koshu.FindShubetsu(2)->m_denshiKind = 0;
    masterbuild::AddShubetsu(koshu, 3, "率なし").m_coefficient = 0;
    auto remarks = [](CSekisanItem& i) {
        i.m_strRemarkUpper = "上";
        i.m_strRemarkLower = "下";
    };
    ItemListBuilder(list).Gyomu(3, "物件調査").Koshu(10, "調査")
        .Shubetsu(1, "木造").Set(remarks)
        .Shubetsu(2, "非木造").Set(remarks)
        .Shubetsu(3, "率なし").Set(remarks)
        .Shubetsu(1, "木造").Set(remarks).Set([](CSekisanItem& i) { i.m_bAmountEntered = 1; });
    Write();
    auto out = Out();
    const std::pair<const char*, const char*> expected[] = {{"下", "技術経費率 12.50"}, {"下", ""}, {"上", "下"}, {"上", "下"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out->Value(0, At('F', 4 + 2 * i)), expected[i].first) << i;
        EXPECT_EQ(out->Value(0, At('F', 5 + 2 * i)), expected[i].second) << i;
    }
}

TEST_F(SokatsuTest, HeaderCellsHeadingsAndTotalNames) {
    UseSokatsuForm({{"K1", "**総括表費目表題"}, {"K2", "**業務価格名称"}, {"K3", "**半角スペース1"}, {"L5", "**dudaroda用総括表費目"}},
                   {{"K1", "**総括表費目表題"}, {"M5", "**総括表費目"}});
    Set(1, 1);
    ItemListBuilder(list).Gyomu(1, "測量").Koshu(95, "小計").Amount(100)
        .Gyomu(2, "設計業務").Koshu(95, "小計").Amount(200)
        .Gyomu(3, "自由").Set([](CSekisanItem& i) { i.m_bNameUpperEdited = 1; }).Koshu(95, "小計").Amount(300)
        .Summary(95, "合計").Amount(600);
    Settings([](CPrintSettings& s) { s.setDate = 1; });
    Write(2);
    auto out = Out();
    ASSERT_EQ(out->SheetCount(), 3);
    // First page: the estimate's header, the cover's lines, the heading of its 業務.
    EXPECT_EQ(out->Value(0, "A1"), "御見積書");
    EXPECT_EQ(out->Value(0, "B1"), "基準点測量");
    EXPECT_EQ(out->Value(0, "C1"), "北地区");
    EXPECT_EQ(out->Value(0, "F1"), list.m_strDate);
    EXPECT_EQ(out->Value(0, "G1"), "2");
    EXPECT_EQ(out->Value(0, "A2"), cover.m_spare[0]);
    EXPECT_EQ(out->Value(0, "B2"), cover.m_address1);
    EXPECT_EQ(out->Value(0, "C2"), cover.m_address2);
    EXPECT_EQ(out->Value(0, "K1"), "測量業務価格");
    EXPECT_EQ(out->Value(0, "K2"), "測量業務価格");
    EXPECT_EQ(out->Value(0, "L5"), "測量");  // the 業務 row's name in "**dudaroda用総括表費目"
    EXPECT_FALSE(out->HasValue(0, "A5"));
    EXPECT_EQ(out->Value(0, "A7"), "小計");
    // Later pages: no header of the estimate; the 業務 row's name in "**総括表費目" when the form lacks
    // the dudaroda cell.
    EXPECT_EQ(out->Value(1, "A1"), "");
    EXPECT_EQ(out->Value(1, "K1"), "設計業務価格");
    EXPECT_EQ(out->Value(1, "M5"), "設計業務");
    EXPECT_EQ(out->Value(1, "G1"), "3");
    EXPECT_EQ(out->Value(2, "K1"), "自由");
    // Without the date setting the date is left out.
    Settings([](CPrintSettings& s) { s.setDate = 0; });
    Write();
    EXPECT_EQ(Out()->Value(0, "F1"), "");
}

TEST_F(SokatsuTest, TotalRowsNamedInTheDudarodaCell) {
    UseSokatsuForm({{"L5", "**dudaroda用総括表費目"}}, {});
    Set(0, 1);
    ItemListBuilder(list).Gyomu(1, "測量").Summary(95, "合計").Amount(1).Summary(96, "値引き").Amount(-1).Summary(99, "総額").Amount(2);
    Write();
    auto out = Out();
    EXPECT_EQ(out->Value(0, At('L', 0)), "測量");
    EXPECT_EQ(out->Value(0, At('L', 2)), "合　計");
    EXPECT_EQ(out->Value(0, At('A', 4)), "値引き");
    EXPECT_EQ(out->Value(0, At('L', 6)), "総合計");
    EXPECT_EQ(out->Value(0, At('E', 4)), "-1");
    EXPECT_EQ(out->Value(0, At('G', 4)), " ");
}

TEST_F(SokatsuTest, NothingPrintedWritesNoPage) {
    ItemListBuilder(list).Gyomu(1, "測量業務").NoPrint().Koshu(10).NoPrint();
    for (int perGyomu : {0, 1}) {
        Set(perGyomu, 1);
        EXPECT_EQ(Write(4), 3) << perGyomu;
        EXPECT_EQ(job.Engine().PageCount(), 0);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// 代価表

namespace {

// A 代価表 sheet: the header cells in row 1, the row cells from row 5.
estimateform::SheetDef DaikaSheet() {
    return PlainSheet("代価表", {{"A1", "**日付"},
                                 {"B1", "**ページ"},
                                 {"C1", "**第～号一位代価表"},
                                 {"D1", "**一位代価表名称"},
                                 {"E1", "**代価表代価番号のみ"},
                                 {"F1", "**種別名"},
                                 {"G1", "**～当たり"},
                                 {"A5", "**名称"},
                                 {"B5", "**数量"},
                                 {"C5", "**単位"},
                                 {"D5", "**単価"},
                                 {"E5", "**金額"},
                                 {"F5", "**摘要"}});
}

}  // namespace

class DaikaSheetTest : public EstimateReportTest {
protected:
    void SetUp() override {
        EstimateReportTest::SetUp();
        UseForm({DaikaSheet()});
        list.m_nTankaColumn = 0;
        env.tanka.RemoveAll();
        // Trades: two of 直接人件費, one of 労務費, one priced as a lump, one without a price.
        masterbuild::AddTankaRow(env.tanka, 1001, "主任技師", {40000});
        masterbuild::AddTankaRow(env.tanka, 1002, "技師", {30000});
        masterbuild::AddTankaRow(env.tanka, 1003, "作業員", {20000}).m_kind = 1;
        masterbuild::AddTankaRow(env.tanka, 1004, "機械器具", {12345}).m_unit = "式";
        masterbuild::AddTankaRow(env.tanka, 1005, "補助員", {});
        for (int gyomu : {1, 2, 6}) {
            CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, gyomu), 10);
            for (int code : {1, 2, 28}) {
                CBukakeDetail& d = masterbuild::AddShubetsu(koshu, code).GetDetail();
                d.m_quantity = 250;  // 2.50 km
                d.m_unit = "km";
                d.m_bukakeType = code == 28 ? 28 : 0;
                d.m_himokuMode = code == 2 ? 1 : 0;  // 種別 2: expenses as rates of the direct labour
                d.m_shokushu = {1001, 1002, 1003, 1004, 1099, 1005, kUnset, kUnset, kUnset, kUnset};
                masterbuild::AddLine(d, "作業計画", {50, 100, kUnset, 33, 10, 10});
                masterbuild::AddLine(d, "観測", {25, 150, 200});
                masterbuild::AddLine(d, "整理", {100, 100, 100});
            }
        }
    }
    // A 種別 row with the first two 工程 chosen.
    static void TwoKotei(CSekisanItem& item) {
        item.m_bKotei.fill(0);
        item.m_bKotei[0] = item.m_bKotei[1] = 1;
    }
};

TEST_F(DaikaSheetTest, TheWalkWritesAPageForEach種別RowWithANumber) {
    ItemListBuilder(list)
        .Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Set(TwoKotei)
        .Shubetsu(2, "水準測量").DaikaNo(5).Set(TwoKotei)
        .Shubetsu(28, "路線測量").DaikaNo(6).Set(TwoKotei)
        .Shubetsu(1, "番号なし")
        .Shubetsu(9, "歩掛なし").DaikaNo(7)
        .Gyomu(6, "測量業務").Koshu(10).Shubetsu(1, "地形測量").DaikaNo(9).Set(TwoKotei)
        .Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "設計").DaikaNo(8).Set(TwoKotei);
    const struct {
        const char* name;
        int daika, filter, douro, lastPage;
        std::vector<std::string> numbers;  // "**代価表代価番号のみ" of the pages, in order
    } cases[] = {
        {"all numbers", 1, kUnset, 0, 4, {"第 3 号", "第 5 号", "第 6 号", "第 9 号", "第 8 号"}},
        {"one number", 1, 5, 0, 4, {"第 5 号"}},
        {"a number of no page", 1, 7, 0, 4, {}},
        {"代価表 off", 0, kUnset, 0, 4, {}},
        // A type-28 row without a fixed correction is priced line by line: its 代価表 page refers to
        // the 単価表 of each chosen line, which follow after the walk, numbered from 1.
        {"DouroCalc 1", 1, kUnset, 1, 0, {"第 3 号", "第 5 号", "第 6 号", "第 9 号", "第 8 号", "第 1 号", "第 2 号"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CReportJob fresh;
        CPrintSettings s;
        s.printDaika = c.daika;
        s.daikaStartNo = c.filter;
        fresh.SetSettings(s);
        env.settings.DouroCalc = c.douro;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        const int last = CEstimateReport(fresh, list, env, cover, formGyou, form).BuildDaikaSheets(c.lastPage);
        const int pages = static_cast<int>(c.numbers.size());
        EXPECT_EQ(last, c.lastPage + pages);
        ASSERT_EQ(fresh.Engine().PageCount(), pages);
        if (pages == 0) continue;
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        for (int i = 0; i < pages; ++i) {
            EXPECT_EQ(out.Value(i, "E1"), c.numbers[static_cast<size_t>(i)]);
            // Pages are numbered on from the last page given, whatever the filter left out.
            EXPECT_EQ(out.Value(i, "B1"), std::to_string(c.lastPage + 1 + i));
        }
    }
    env.settings.DouroCalc = 0;
    // A fixed correction keeps the type-28 row on its 代価表 page under DouroCalc 1.
    list.GetItem(list.FindShubetsu(1, 10, 28))->m_nWeightAverage = 1000;
    env.settings.DouroCalc = 1;
    Open();
    EXPECT_EQ(Report().BuildDaikaSheets(0), 5);
    env.settings.DouroCalc = 0;
}

TEST_F(DaikaSheetTest, A測量PageShowsItsTradesAndTheLabourTotal) {
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Set(TwoKotei).Set(
        [](CSekisanItem& item) {
            item.m_strNameLower = "補正後";
            item.m_nWeightAverage = 1234;  // a fixed correction of 1.234
        });
    // Over the first two 工程 lines (the third is not chosen):
    //   主任技師 0.50+0.25 = 0.75 人 × 40,000 = 30,000 (直接人件費)
    //   技師     1.00+1.50 = 2.50 人 × 30,000 = 75,000 (直接人件費)
    //   作業員   2.00 人 × 20,000 = 40,000 (労務費)
    //   機械器具 式: 0.33 × 12,345 = 4,073.85 → 4,073 (直接人件費), 数量 1 and no 単価
    //   id 1099 is not in the master and 補助員 has no price: no lines.
    //   人件費計 30,000 + 75,000 + 4,073 + 40,000 = 149,073, 摘要 −(30,000 + 75,000 + 4,073) = −109,073
    //   no 費目 entries: no 材料及び機械経費 block; 合計 149,073
    //   1 km 当たり: 149,073 ÷ 2.50 = 59,629.2 → 59,629; 補正後 59,629 × 1.234 = 73,582.186 → 73,582,
    //   摘要 the direct labour per km corrected: 109,073 × 1.234 ÷ 2.50 = 53,838.43 → 53,838
    const struct {
        int omit;
        std::vector<std::vector<std::string>> rows;  // A..F of rows 5 on
    } cases[] = {
        {0,
         {{"　主任技師", "0.75", "人", "40000", "30000", ""},
          {"　技師", "2.5", "人", "30000", "75000", ""},
          {"　作業員", "2", "人", "20000", "40000", ""},
          {"　機械器具", "1", "式", "", "4073", ""},
          {"人　件　費　計", "", "", "", "149073", "-109073"},
          {"合計", "", "", "", "149073", ""},
          {"1 km 当たり", "", "", "", "59629", ""},
          {"補正後", "", "", "", "73582", "53838"},
          {"", "", "", "", "", ""}}},
        {1,
         {{"　主任技師", "", "人", "", "", ""},
          {"　技師", "", "人", "", "", ""},
          {"　作業員", "", "人", "", "", ""},
          {"　機械器具", "", "式", "", "", ""},
          {"人　件　費　計", "", "", "", "", ""},
          {"合計", "", "", "", "", ""},
          {"1 km 当たり", "", "", "", "", ""},
          {"補正後", "", "", "", "", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.omit);
        CReportJob fresh;
        CPrintSettings s;
        s.omitKingaku = c.omit;
        fresh.SetSettings(s);
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport report(fresh, list, env, cover, formGyou, form);
        report.SetDaikaName(c.omit ? "" : "代価表");
        EXPECT_EQ(report.BuildDaikaSheets(2), 3);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        EXPECT_EQ(out.Value(0, "A1"), "令和 7 年  4 月  1 日");
        EXPECT_EQ(out.Value(0, "B1"), "3");
        EXPECT_EQ(out.Value(0, "C1"), c.omit ? "第 3 号一位代価表" : "第 3 号代価表");
        EXPECT_EQ(out.Value(0, "D1"), "一  位  代  価  表");
        EXPECT_EQ(out.Value(0, "E1"), "第 3 号");
        EXPECT_EQ(out.Value(0, "F1"), "基準点測量");
        EXPECT_EQ(out.Value(0, "G1"), "2.50 km 当たり");
        for (size_t r = 0; r < c.rows.size(); ++r) {
            for (size_t col = 0; col < 6; ++col) {
                const std::string ref = std::string(1, static_cast<char>('A' + col)) + std::to_string(5 + r);
                EXPECT_EQ(out.Value(0, ref), c.rows[r][col]) << ref;
            }
        }
    }
}

TEST_F(DaikaSheetTest, DetailLinesBeyondTheTwentyKoteiFlagsCountAsNotChosen) {
    CBukakeDetail& detail = env.bukake.FindShubetsu(1, 10, 2)->GetDetail();
    for (int j = detail.GetLineCount(); j < 21; ++j) masterbuild::AddLine(detail, "予備", {});
    masterbuild::AddLine(detail, "範囲外", {1000});  // the 22nd line: no flag of the item stands for it
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(2, "水準測量").DaikaNo(5).Set(TwoKotei);
    Open();
    EXPECT_EQ(Report().BuildDaikaSheets(0), 1);
    const auto out = Out();
    // 主任技師 as over the first two lines alone: 0.75 人, 30,000.
    EXPECT_EQ(out->Value(0, "A5"), "主任技師");
    EXPECT_EQ(out->Value(0, "B5"), "0.75");
    EXPECT_EQ(out->Value(0, "E5"), "30000");
}

TEST_F(DaikaSheetTest, TheMaterialAndMachineBlockFollowsTheLabourTotal) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
    CZairyoTankaItem& pile = masterbuild::AddZairyoItem(env.zairyoTanka, 2002, 1, "杭", 500);
    pile.m_unit = "本";
    pile.m_remarks = "木製";
    pile.m_extra = "x";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2003, 1, "材料費", 0).m_unit = "式";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2004, 1, "機械経費", 0).m_unit = "式";
    CBukakeDetail& detail = env.bukake.FindShubetsu(1, 10, 1)->GetDetail();
    CBukakeHimokuSet& set = detail.GetHimokuSet();
    set.m_bases = {1, 3, kUnset};  // Z1 on 直接人件費; Z2 with a basis of no meaning
    set.m_rates = {250, 100, kUnset};
    masterbuild::AddHimoku(detail, "10", 0, 2001, 105);
    masterbuild::AddHimoku(detail, "4", 0, 2002, 0);
    masterbuild::AddHimoku(detail, "Z1", 0, 2003, kUnset);
    masterbuild::AddHimoku(detail, "Z2", 1, 2004, kUnset);
    masterbuild::AddHimoku(detail, "5", 0, 9999, 0);  // no such material: no row
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Set(TwoKotei);
    // After the trades (rows 5-8) and 人件費計 (row 9, 直接人件費 109,073):
    //   鋼材 10 kg at cut(1,234 × 105%) = 1,295 → 12,950, with the loss remark of 105 and 1,234
    //   杭 4 本 at 500 → 2,000; no remark of its own, so " " + its 備考
    //   材料費 (Z1) 1 式: 109,073 × 2.50% = 2,726.825 → 2,726, "  直接人件費の2.50％"
    //   機械経費 (Z2): basis 3 gives no base, no row
    //   total: 12,950 + 2,000 + 2,726 = 17,676
    //   合計 149,073 + 17,676 = 166,749; per km ÷ 2.50 = 66,699.6 → 66,699
    const struct {
        int omit;
        std::vector<std::vector<std::string>> rows;  // A..F of rows 10 on
    } cases[] = {
        {0,
         {{"鋼材", "10", "kg", "1295", "12950", " 損率105％(1234円)"},
          {"杭", "4", "本", "500", "2000", " 木製"},
          {"材料費", "1", "式", "", "2726", "  直接人件費の2.50％"},
          {"材 料 及 び 機 械 経 費 合 計", "", "", "", "17676", ""},
          {"合計", "", "", "", "166749", ""},
          {"1 km 当たり", "", "", "", "66699", ""}}},
        {1,
         {{"鋼材", "", "kg", "", "", ""},
          {"杭", "", "本", "", "", ""},
          {"材料費", "", "式", "", "", ""},
          {"材 料 及 び 機 械 経 費 合 計", "", "", "", "", ""},
          {"合計", "", "", "", "", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.omit);
        CReportJob fresh;
        CPrintSettings s;
        s.omitKingaku = c.omit;
        fresh.SetSettings(s);
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).BuildDaikaSheets(0);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            for (size_t col = 0; col < 6; ++col) {
                const std::string ref = std::string(1, static_cast<char>('A' + col)) + std::to_string(10 + r);
                EXPECT_EQ(out.Value(0, ref), c.rows[r][col]) << ref;
            }
        }
    }
}

TEST(ZairyoKikaiRows, RemarksByBasisAndStyleAndTheParts) {
    // The block alone, on a page of its own: one Z1 entry of 1,000 yen 直接人件費 at 10.00%, 100 yen.
    CalcTestEnv env;
    masterbuild::AddZairyoItem(env.zairyoTanka, 2003, 1, "材料費", 0).m_unit = "式";
    const struct {
        int basis, style;
        const char* name;
        const char* remark;
    } cases[] = {
        {1, 1, "材料費", "  直接人件費の10.00％"},    {1, 0, "　材料費", "  (直接人件費計の10.00％)"},
        {8, 1, "材料費", "  人件費の10.00％"},        {8, 0, "　材料費", "  (人件費計の10.00％)"},
        {3, 1, "材料費", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.basis * 10 + c.style);
        CBukakeDetail detail;
        detail.m_himokuMode = 0;
        detail.GetHimokuSet().m_bases = {c.basis, kUnset, kUnset};
        detail.GetHimokuSet().m_rates = {1000, kUnset, kUnset};
        masterbuild::AddHimoku(detail, "Z1", 0, 2003, kUnset);
        CSekisanData calc;
        calc.SetCalcContext(&env);
        TempFolder dir;
        const std::string form = dir / "form.xlsx";
        WriteTestFile(form, BuildForm({PlainSheet("代価表", {{"A1", "**名称"}, {"B1", "**数量"}, {"E1", "**金額"},
                                                             {"F1", "**摘要"}})}));
        CReportJob job;
        ASSERT_EQ(job.OpenTemplate(form), 1);
        job.BeginPage("代価表", "1");
        KeihiComponents parts{-1, -1, -1};
        // Basis 1: 直接人件費 1,000; basis 8: 人件費 1,000 + 労務費 0.
        const int last = WriteZairyoKikaiRows(-1, job, calc, detail, 1000.0, 0.0, parts, c.style);
        job.EndPage();
        const bool priced = c.basis != 3;
        EXPECT_EQ(last, priced ? 1 : -1);
        // The Z1 entry is the 材料費; an empty block leaves the parts as they were.
        EXPECT_EQ(parts.zairyo, priced ? 100 : -1);
        EXPECT_EQ(parts.kikai, priced ? 0 : -1);
        EXPECT_EQ(parts.sonota, priced ? 0 : -1);
        std::string bytes;
        ASSERT_TRUE(job.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        if (!priced) {
            EXPECT_EQ(out.Value(0, "A1"), "");
            continue;
        }
        EXPECT_EQ(out.Value(0, "A1"), c.name);
        EXPECT_EQ(out.Value(0, "B1"), "1");
        EXPECT_EQ(out.Value(0, "E1"), "100");
        EXPECT_EQ(out.Value(0, "F1"), c.remark);
        EXPECT_EQ(out.Value(0, "A2"), "材 料 及 び 機 械 経 費 合 計");
        EXPECT_EQ(out.Value(0, "E2"), "100");
    }
}

TEST_F(DaikaSheetTest, RateExpensesAnd精度管理費CloseA測量Page) {
    CBukakeShubetsu& shubetsu = *env.bukake.FindShubetsu(1, 10, 2);
    shubetsu.m_coefficient = 5;  // 精度管理係数 0.05
    shubetsu.GetDetail().m_rates = {1000, 200, kUnset};  // 機械経費 10%, 通信運搬費等 2%
    ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(2, "水準測量").DaikaNo(5).Set(TwoKotei).Set(
        [](CSekisanItem& item) { item.m_bSpecialExpense = 1; });
    // Trades as on every page of these masters, unindented: 直接人件費 109,073, 労務費 40,000.
    //   機械経費 109,073 × 10% = 10,907.3 → 10,907; 通信運搬費等 × 2% = 2,181.46 → 2,181
    //   精度管理費 (SeidoCalc off: on all labour) (109,073 + 40,000 + 10,907) × 0.05 = 7,999
    //   SeidoDsp off: 合計 149,073 + 10,907 + 2,181 + 7,999 = 170,160; per km ÷ 2.50 = 68,064
    //   SeidoDsp on:  合計 162,161; per km 64,864.4 → 64,864; then a blank row and 精度管理費
    //   basis 0: the per-unit amount stays empty
    using Row = std::vector<std::string>;
    const Row trades[] = {{"主任技師", "30000"}, {"技師", "75000"}, {"作業員", "40000"}, {"機械器具", "4073"},
                          {"直接費計", "149073", "-109073"},
                          {"機械経費", "10907", "  直接人件費の10.00%"},
                          {"通信運搬費等", "2181", "  直接人件費の2.00%"}};
    const Row seido = {"精度管理費", "7999", "  精度管理費係数0.05"};
    const struct {
        const char* name;
        int seidoDsp, quantity;
        std::vector<Row> closing;  // name, 金額, 摘要 of the rows after 通信運搬費等
    } cases[] = {
        {"SeidoDsp off", 0, 250, {seido, {"合計", "170160"}, {"1 km 当たり", "68064"}, {""}}},
        {"SeidoDsp on", 1, 250, {{"合計", "162161"}, {"1 km 当たり", "64864"}, {""}, seido, {""}}},
        {"no basis", 0, 0, {seido, {"合計", "170160"}, {"1 km 当たり", ""}, {""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        env.settings.SeidoDsp = c.seidoDsp;
        shubetsu.GetDetail().m_quantity = c.quantity;
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).BuildDaikaSheets(0);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        std::vector<Row> rows(std::begin(trades), std::end(trades));
        rows.insert(rows.end(), c.closing.begin(), c.closing.end());
        for (size_t r = 0; r < rows.size(); ++r) {
            Row row = rows[r];
            row.resize(3);
            const std::string n = std::to_string(5 + r);
            EXPECT_EQ(out.Value(0, "A" + n), row[0]) << n;
            EXPECT_EQ(out.Value(0, "E" + n), row[1]) << n;
            EXPECT_EQ(out.Value(0, "F" + n), row[2]) << n;
        }
    }
    env.settings.SeidoDsp = 0;
}

// A type-30 歩掛 under DouroCalc 1 closes with the rate row and the per-unit amount cut to four digits.
TEST_F(DaikaSheetTest, AType30PageUnderDouroCalc1ClosesWithTheRateRowCutToFourDigits) {
    CBukakeShubetsu& shubetsu = *env.bukake.FindShubetsu(1, 10, 2);
    shubetsu.m_coefficient = 5;
    shubetsu.GetDetail().m_rates = {1000, 200, kUnset};
    shubetsu.GetDetail().m_bukakeType = 30;
    // The page of the test above up to 合計 170,160; correction fixed at 0.982.
    //   rate row: 170,160 × 0.982 = 167,097.12 → 167,097
    //   per km: 170,160 ÷ 2.50 = 68,064; × 0.982 = 66,838.8 → 66,838; four digits → 66,830
    //   in brackets the direct labour per km: 109,073 × 0.982 ÷ 2.50 = 42,843.9 → 42,840
    const struct {
        const char* lower;
        std::vector<std::vector<std::string>> closing;  // name, 金額, 摘要 after 合計
    } cases[] = {
        {"全工程,平地", {{"平地", "167097", "  (補正率 0.982)"}, {"1 km 当たり", "66830", "　有効数字４桁  (42,840)"}}},
        // Shorter than eight bytes: the name stays whole.
        {"全工程,", {{"全工程,", "167097", "  (補正率 0.982)"}, {"1 km 当たり", "66830", "　有効数字４桁  (42,840)"}}},
        {"一部工程,平地", {{"平地", "167097", "  (補正率 0.982)"}, {"1 km 当たり", "66830", "　有効数字４桁  (42,840)"}}},
        // Neither "全工程," nor "一部工程,": no rate row.
        {"平地の補正", {{"1 km 当たり", "66830", "　有効数字４桁  (42,840)"}}},
        {"", {{"1 km 当たり", "66830", "　有効数字４桁  (42,840)"}}},
    };
    env.settings.DouroCalc = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lower);
        list.RemoveAll();
        ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(2, "水準測量").DaikaNo(5).Set(TwoKotei).Set(
            [&](CSekisanItem& item) {
                item.m_bSpecialExpense = 1;
                item.m_nWeightAverage = 982;
                item.m_strNameLower = c.lower;
            });
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).BuildDaikaSheets(0);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        // Rows 5-13 as above (trades, totals, rates, 精度管理費, 合計), then the closing rows.
        EXPECT_EQ(out.Value(0, "A13"), "合計");
        EXPECT_EQ(out.Value(0, "E13"), "170160");
        for (size_t r = 0; r < c.closing.size(); ++r) {
            const std::string n = std::to_string(14 + r);
            EXPECT_EQ(out.Value(0, "A" + n), c.closing[r][0]) << n;
            EXPECT_EQ(out.Value(0, "E" + n), c.closing[r][1]) << n;
            EXPECT_EQ(out.Value(0, "F" + n), c.closing[r][2]) << n;
        }
    }
    env.settings.DouroCalc = 0;
}

TEST_F(DaikaSheetTest, AProgrammeFeeStandsBeforeTheLabourTotalAsLabour) {
    masterbuild::AddProgram(env.programKingaku, 7, "解析", 5000);
    // Trades as on every page of these masters (rows 5-8): labour 149,073 with 直接人件費 109,073.
    const struct {
        int code;
        std::vector<std::vector<std::string>> rows;  // A, E, F of rows 9 on
    } cases[] = {
        // 149,073 + 5,000 = 154,073
        {7, {{"プログラム利用料", "5000", ""}, {"人　件　費　計", "154073", "-109073"}, {"合計", "154073", ""}}},
        {30000, {{"人　件　費　計", "149073", "-109073"}, {"合計", "149073", ""}}},
        {8, {{"人　件　費　計", "149073", "-109073"}, {"合計", "149073", ""}}},  // no such record
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        list.RemoveAll();
        ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Set(TwoKotei).Set(
            [&](CSekisanItem& item) { item.m_nYearCode = c.code; });
        CReportJob fresh;
        ASSERT_EQ(fresh.OpenTemplate(form), 1);
        CEstimateReport(fresh, list, env, cover, formGyou, form).BuildDaikaSheets(0);
        std::string bytes;
        ASSERT_TRUE(fresh.Engine().BuildXlsx(bytes));
        xlstest::Output out(bytes);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            const std::string n = std::to_string(9 + r);
            EXPECT_EQ(out.Value(0, "A" + n), c.rows[r][0]) << n;
            EXPECT_EQ(out.Value(0, "E" + n), c.rows[r][1]) << n;
            EXPECT_EQ(out.Value(0, "F" + n), c.rows[r][2]) << n;
        }
    }
}
