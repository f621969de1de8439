// The 代価歩掛明細表 page (report/DaikaMeisai.cpp): the template probes, the trade headings and their
// merges, the staffing table, the expense lines and the page's own cells, on small forms zipped here.
#include <gtest/gtest.h>

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
#include "report/DaikaMeisai.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

using estimate_test::ItemListBuilder;
using estimateform::BuildForm;
using estimateform::ColumnLetter;
using estimateform::PlainSheet;

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

// A 代価歩掛明細表 sheet with `trades` trade columns (B on), laid out as the shipped forms: the cost
// groups in row 7, the kinds in row 8, the trades in row 9, the lines from row 10 with the amount
// column after the trades and the remarks after it; the single cells of the page in rows 1 to 3 and
// the corrections in column P.
Cells MeisaiCells(int trades) {
    Cells cells = {{"A1", "**第～号一位代価歩掛明細表"},
                   {"B1", "**第～号一位代価表"},
                   {"C1", "**代価表代価番号のみ"},
                   {"D1", "**日付"},
                   {"E1", "**ページ"},
                   {"F1", "**種別名"},
                   {"G1", "**～当たり"},
                   {"A2", "**単位当り"},
                   {"B2", "**単位当り金額"},
                   {"C2", "**数量当り"},
                   {"D2", "**数量当り金額"},
                   {"E2", "**人件費直接経費合計"},
                   {"F2", "**補正率"},
                   {"G2", "**補正率2"},
                   {"H2", "**補正項目"},
                   {"I2", "**補正式"},
                   {"J2", "**補正説明"},
                   {"K2", "**補正後の金額"},
                   {"A3", "**直接人件費人員計"},
                   {"B3", "**直接人件費計"},
                   {"C3", "**労務費人員計"},
                   {"D3", "**労務費計"},
                   {"P3", "**各補正名称"},
                   {"Q3", "**各補正説明"},
                   {"R3", "**各補正率"},
                   {"A10", "**区分"}};
    const Cells trade = estimateform::TradeColumnCells(trades);
    cells.insert(cells.end(), trade.begin(), trade.end());
    const char* amount = trades == 8 ? "**備考あり金額8" : trades == 9 ? "**備考あり金額9" : "**金額";
    cells.push_back({ColumnLetter(trades + 2) + "10", amount});
    cells.push_back({ColumnLetter(trades + 3) + "10", "**直人労務費"});
    return cells;
}

// The separate 経費区分 block: headings in row 40, lines from row 41.
const Cells kKeihiBlock = {{"B40", "**経費数量説明1"}, {"C40", "**経費数量説明2"}, {"D40", "**経費数量説明3"},
                           {"E40", "**経費金額説明"},  {"A41", "**経費区分"},     {"B41", "**経費数量1"},
                           {"C41", "**経費数量2"},     {"D41", "**経費数量3"},     {"E41", "**経費金額"}};

Cells With(Cells cells, const Cells& more) {
    cells.insert(cells.end(), more.begin(), more.end());
    return cells;
}

class DaikaMeisaiTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        list.m_nTankaColumn = 0;
        list.m_strDate = "令和 7 年  4 月  1 日";
        masterbuild::AddTankaRow(env.tanka, 1001, "主任技師", {40000});
        masterbuild::AddTankaRow(env.tanka, 1002, "技師", {30000});
        masterbuild::AddTankaRow(env.tanka, 1003, "作業員", {20000}).m_kind = 1;
        for (int gyomu : {1, 2, 3, 4}) {
            CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, gyomu), 10);
            FillThreeLineDetail(masterbuild::AddShubetsu(koshu, 1, "種別").GetDetail());
        }
    }
    CBukakeShubetsu& Shubetsu(int gyomu) { return *env.bukake.FindShubetsu(gyomu, 10, 1); }
    // A 種別 row of the 業務 with the given 工程 lines chosen.
    void Row(int gyomu, std::vector<int> kotei, const std::function<void(CSekisanItem&)>& more = {}) {
        list.RemoveAll();
        ItemListBuilder(list).Gyomu(gyomu, "業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Set(
            [&](CSekisanItem& item) {
                item.m_bKotei.fill(0);
                for (int k : kotei) item.m_bKotei[static_cast<size_t>(k)] = 1;
                if (more) more(item);
            });
    }
    void UseForm(const Cells& cells) {
        EstimateReportFixture::UseForm({PlainSheet("代価歩掛明細表", cells)});
    }
    void Settings(int omit) {
        CPrintSettings s;
        s.omitKingaku = omit;
        s.setDate = 1;
        job = std::make_unique<CReportJob>();
        job->SetSettings(s);
        ASSERT_EQ(job->OpenTemplate(form), 1);
    }
    CEstimateReport Report() { return CEstimateReport(*job, list, env, cover, 10, form); }
    // The 種別 row's page, numbered 7.
    std::unique_ptr<xlstest::Output> Page(int omit = 0) {
        Settings(omit);
        CEstimateReport report = Report();
        auto calc = report.PricingCopy();
        const int index = list.GetCount() - 1;
        EXPECT_EQ(report.WriteDaikaMeisaiPage(*calc, index, *env.bukake.FindShubetsu(list.GetItem(index)->m_nGyomu, 10, 1), 7), 1);
        return Out();
    }
    // The staffing table alone on a page: returns the totals row.
    int Table(std::optional<double> correction, const std::string& amountCell = "**備考あり金額8") {
        Settings(0);
        job->BeginPage("代価歩掛明細表", "1");
        CEstimateReport report = Report();
        auto calc = report.PricingCopy();
        const int row = report.WriteJininkeiRows(*calc, list.GetCount() - 1, 8, amountCell, correction, direct, labour);
        job->EndPage();
        return row;
    }
    std::unique_ptr<xlstest::Output> Out() { return BuiltOutput(*job); }

    std::unique_ptr<CReportJob> job;
    double direct = -1.0, labour = -1.0;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Template probes and trade headings

TEST_F(DaikaMeisaiTest, TradeAndExpenseCapacityComeFromTheTemplate) {
    const struct {
        const char* name;
        Cells cells;
        int trades;
        const char* amount;
        int columns;
    } cases[] = {
        {"no probe cell", {}, 10, "**金額", 10},
        {"8 trades", {{"A1", "**備考あり金額8"}}, 8, "**備考あり金額8", 8},
        {"9 trades", {{"A1", "**備考あり金額9"}}, 9, "**備考あり金額9", 9},
        {"8 wins over 9", {{"A1", "**備考あり金額8"}, {"B1", "**備考あり金額9"}}, 8, "**備考あり金額8", 8},
        {"a column count", {{"A1", "**備考あり金額8"}, {"B1", "**費目数7"}}, 8, "**備考あり金額8", 7},
        // The staffing table has ten columns: a larger count fills ten.
        {"a column count above ten", {{"B1", "**費目数12"}}, 10, "**金額", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseForm(With(c.cells, {{"Z1", "x"}}));
        Settings(0);
        job->BeginPage("代価歩掛明細表", "1");
        const MeisaiCapacity capacity = ProbeMeisaiCapacity(*job);
        job->EndPage();
        EXPECT_EQ(capacity.trades, c.trades);
        EXPECT_EQ(capacity.amountCell, c.amount);
        EXPECT_EQ(capacity.columns, c.columns);
    }
}

TEST_F(DaikaMeisaiTest, CostKindsAndTheirMergedGroupHeadings) {
    masterbuild::AddTankaRow(env.tanka, 1004, "運転手", {15000}).m_kind = 1;
    const struct {
        const char* name;
        std::vector<int32_t> ids;  // columns 1.. of the detail
        Cells extra;
        std::vector<std::string> groups;  // "**費用別n" of the 8 columns, 人 = 人件費, 労 = 労務費
        std::vector<std::string> merges;
    } cases[] = {
        {"直接人件費 only", {1001, 1002}, {}, {"人", "人", "人", "人", "人", "人", "人", "人"}, {"B7:I7"}},
        {"労務費 from column 3", {1001, 1002, 1003}, {}, {"人", "人", "労", "労", "労", "労", "労", "労"}, {"B7:C7", "D7:I7"}},
        {"労務費 first", {1003, 1001}, {}, {"労", "労", "労", "労", "労", "労", "労", "労"}, {"B7:I7"}},
        {"a missing trade", {1001, 1099, 1004}, {}, {"人", "人", "労", "労", "労", "労", "労", "労"}, {"B7:C7", "D7:I7"}},
        {"not merged", {1001, 1003}, {{"Z1", "**費用別連結なし"}}, {"人", "労", "労", "労", "労", "労", "労", "労"}, {}},
        // The form's first trade column is the last "**連結開始列n" it has.
        {"first column 3", {1001, 1003}, {{"Z1", "**連結開始列1"}, {"Z2", "**連結開始列3"}},
         {"人", "労", "労", "労", "労", "労", "労", "労"}, {"D7:J7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBukakeDetail detail;
        for (size_t i = 0; i < c.ids.size(); ++i) detail.m_shokushu[i] = c.ids[i];
        UseForm(With(MeisaiCells(8), c.extra));
        Settings(0);
        job->BeginPage("代価歩掛明細表", "1");
        WriteShokushuHeadings(*job, detail, env.tanka, 0, 8);
        job->EndPage();
        const auto out = Out();
        for (int n = 1; n <= 8; ++n) {
            const bool direct = c.groups[static_cast<size_t>(n - 1)] == "人";
            EXPECT_EQ(out->Value(0, ColumnLetter(n + 1) + "7"), direct ? "人件費" : "労務費") << n;
            EXPECT_EQ(out->Value(0, ColumnLetter(n + 1) + "8"), direct ? "直接人件費" : "労務費") << n;
        }
        std::vector<std::string> merges = out->Merges(0);
        EXPECT_EQ(merges, c.merges);
        // Names and prices of the trades the 単価 master has; a missing one leaves its cells empty.
        for (size_t i = 0; i < c.ids.size(); ++i) {
            const CTankaRow* row = env.tanka.FindRow(c.ids[i]);
            const std::string col = ColumnLetter(static_cast<int>(i) + 2);
            EXPECT_EQ(out->Value(0, col + "9"), row ? row->m_name : "") << col;
            EXPECT_EQ(out->Value(0, col + "5"), row ? std::to_string(row->m_prices[0]) : "") << col;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The page

TEST_F(DaikaMeisaiTest, A測量PageAgainstFiguresWorkedByHand) {
    Shubetsu(1).GetDetail().m_rates = {500, kUnset, kUnset};  // 機械経費 5% of the direct labour
    Row(1, {0, 1}, [](CSekisanItem& item) {
        item.m_strNameLower = "補正後";
        item.m_strUnit = "km";
        item.m_nQuantity = 2000;        // 2.000 km
        item.m_nWeightAverage = 1234;   // a fixed correction of 1.234
        item.m_nUnitPrice = 735820;     // 73,582.0
        item.m_nAmount = 147164;
    });
    UseForm(With(MeisaiCells(8), {{"Z1", "**測量経費"}}));
    // Lines 作業計画 and 観測 (整理 not chosen):
    //   作業計画 主任技師 0.50 × 40,000 + 技師 1.00 × 30,000 = 50,000 (all 直接人件費)
    //   観測     0.25 × 40,000 + 1.50 × 30,000 + 作業員 2.00 × 20,000 = 95,000 (40,000 労務費)
    //   合計 row 2: 0.75, 2.5, 2 and 145,000
    //   直接人件費 30,000 + 75,000 = 105,000 over 3.25 人; 労務費 40,000 over 2 人
    //   機械経費 (under the table, row 2 + 2): 105,000 × 5% = 5,250
    //   ① 105,000 + 40,000 + 5,250 = 150,250 per 2.50 km; per km ÷ 2.50 = 60,100; for 2.00 km 120,200
    //   ② 1.234: "23.4%"; the corrected amount the row's unit price, 73,582, explained as the amount
    //   per km × ② (① is not per km)
    const auto out = Page();
    const Cells expected = {
        {"A1", "第 3 号一位代価歩掛明細表"}, {"B1", "第 3 号一位代価表"}, {"C1", "第 3 号"},
        {"D1", "令和 7 年  4 月  1 日"},     {"E1", "7"},                 {"F1", "基準点測量"},
        {"G1", "2.50 km 当たり"},            {"A2", "1km当たり"},          {"B2", "60100"},
        {"C2", "2.00km当り"},                {"D2", "120200"},            {"E2", "150250"},
        {"F2", "23.4%"},                     {"G2", "1.234"},             {"H2", "(補正後)"},
        {"I2", "総補正率　( H9 )"},          {"J2", "補正後の金額　（ 1km当たり × ② ）　＝ "}, {"K2", "73582"},
        {"A3", "3.25"},                      {"B3", "105000"},            {"C3", "2"},
        {"D3", "40000"},
        {"B9", "主任技師"}, {"C9", "技師"}, {"D9", "作業員"}, {"E9", ""},
        {"B5", "40000"},    {"C5", "30000"}, {"D5", "20000"},
        {"A10", "作業計画"}, {"B10", "0.5"}, {"C10", "1"},   {"D10", ""},  {"J10", "50000"},
        {"A11", "観測"},     {"B11", "0.25"}, {"C11", "1.5"}, {"D11", "2"}, {"J11", "95000"},
        {"A12", "合　　計"}, {"B12", "0.75"}, {"C12", "2.5"}, {"D12", "2"}, {"J12", "145000"},
        {"K12", "直接人件費(105,000)"}, {"K13", "労務費　　　(40,000)"},
        {"A14", "機械経費"}, {"H14", "直接人件費の"}, {"I14", "  5.00%"}, {"J14", "5250"},
    };
    for (const auto& [ref, text] : expected) EXPECT_EQ(out->Value(0, ref), text) << ref;
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DaikaMeisaiTest, ThePageShowsTheFactorTheCalculationApplied) {
    // 設計 of type 2 (the price of the row before times the mean formula of the n rows before and its
    // own formula): two rows of the same 歩掛 (formula 1), 工程 作業計画 and 観測; the second one's
    // fixed factor 1.25 (LL 9 = 12,500, which makes n = 1) enters its own formula.
    //   the row before: 145,000 per 2.50 km, 58,000 per km
    //   the factor: 1.000 × 1.25 = 1.250; 58,000 × 1.250 = 72,500, the row's unit price
    Shubetsu(2).GetDetail().m_bukakeType = calc::BukakeType::RowsBefore;
    Shubetsu(2).GetDetail().m_formula = "1";
    Row(2, {0, 1}, [](CSekisanItem& item) {
        item.m_strUnit = "km";
        item.m_nQuantity = 1000;
    });
    auto second = std::make_unique<CSekisanItem>(*list.GetItem(list.GetCount() - 1));
    second->m_nLL[8] = 12500;
    list.AddItem(std::move(second));
    CSekisanData priced;
    priced.SetCalcContext(&env);
    priced.GetItemList()->Copy(list);
    priced.Recalculate(2);
    list.Copy(*priced.GetItemList());
    ASSERT_EQ(list.GetItem(list.GetCount() - 1)->m_nUnitPrice, 725000);
    UseForm(MeisaiCells(8));
    const auto out = Page();
    for (const auto& [ref, text] : Cells{{"B2", "58000"}, {"F2", "25.0%"}, {"G2", "1.250"}, {"K2", "72500"}})
        EXPECT_EQ(out->Shown(0, ref), text) << ref;
}

TEST_F(DaikaMeisaiTest, OmittedAmountsAndAZeroBasisLeaveTheAmountCellsEmpty) {
    Shubetsu(1).GetDetail().m_rates = {500, kUnset, kUnset};
    Row(1, {0, 1}, [](CSekisanItem& item) {
        item.m_strUnit = "km";
        item.m_nQuantity = 2000;
        item.m_nWeightAverage = 1234;
        item.m_nUnitPrice = 735820;
        item.m_nAmount = 147164;
    });
    UseForm(With(MeisaiCells(8), {{"Z1", "**測量経費"}}));
    // Amounts omitted: texts, names and labels only.
    auto out = Page(1);
    for (const char* ref : {"B2", "D2", "E2", "F2", "G2", "K2", "A3", "B3", "C3", "D3", "B5", "B10", "J11", "B12",
                            "J12", "K12", "H14", "I14", "J14"})
        EXPECT_EQ(out->Value(0, ref), "") << ref;
    for (const auto& [ref, text] : Cells{{"A2", "1km当たり"}, {"C2", "2.00km当り"}, {"B9", "主任技師"},
                                         {"B7", "人件費"}, {"A10", "作業計画"}, {"A12", "合　　計"}, {"A14", "機械経費"}})
        EXPECT_EQ(out->Value(0, ref), text) << ref;
    // A basis of 0 has no amount per unit, nor one for the row's quantity; ① stays.
    Shubetsu(1).GetDetail().m_quantity = 0;
    out = Page();
    EXPECT_EQ(out->Value(0, "B2"), "");
    EXPECT_EQ(out->Value(0, "E2"), "150250");
    EXPECT_EQ(out->Value(0, "D2"), "");
}

TEST_F(DaikaMeisaiTest, CorrectionTextsByFormula) {
    const struct {
        const char* formula;
        const char* text;
    } cases[] = {{"H3", "総補正率　( H3 * H9 )"},
                 {"H1*S2", "総補正率"},
                 {"1", "総補正率　( H9 )"},
                 {"H1*H2", "総補正率　( (H1*H2) * H9 )"},
                 {"H9", "総補正率　( (H9) * H9 )"}};
    Row(1, {0});
    UseForm(MeisaiCells(8));
    for (const auto& c : cases) {
        Shubetsu(1).GetDetail().m_formula = c.formula;
        EXPECT_EQ(Page()->Value(0, "I2"), c.text) << c.formula;
    }
}

TEST_F(DaikaMeisaiTest, TooManyTradesAreToldOncePerPageAndThePageIsWritten) {
    Shubetsu(1).GetDetail().m_shokushu[8] = 1002;  // a ninth trade column
    Row(1, {0});
    UseForm(MeisaiCells(8));
    const auto out = Page();
    ASSERT_EQ(host.MessageTexts(), std::vector<std::string>{"「基準点測量」の職種数が歩掛明細表に表示できる8人を超えています。"});
    EXPECT_EQ(out->Value(0, "B9"), "主任技師");
    // Nine columns fit a form of ten: no message.
    UseForm(MeisaiCells(10));
    Page();
    EXPECT_EQ(host.messages.size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// The staffing table

TEST_F(DaikaMeisaiTest, RowCapacityMergesTheLastLinesAndTheTotalsFollowTheTable) {
    CBukakeDetail& detail = Shubetsu(1).GetDetail();
    detail.RemoveAllLines();
    for (int i = 1; i <= 15; ++i) masterbuild::AddLine(detail, "工程" + std::to_string(i), {100});
    std::vector<int> all;
    for (int i = 0; i < 15; ++i) all.push_back(i);
    Row(1, all);
    // Each line: 主任技師 1.00 × 40,000 = 40,000.
    const struct {
        const char* name;
        Cells extra;
        int shown;                  // rows holding one line each
        const char* mergedAmount;   // the last row's amount when lines were merged into it
        int totalRow;
        const char* label;
    } cases[] = {
        {"20 rows", {}, 15, nullptr, 15, "合　　計"},
        // Rows 0-10 hold lines 1-11, row 11 sums lines 12-15; the totals go on the row after it.
        {"12 rows", {{"Z1", "**区分表示行計12"}, {"Z2", "**区分表示行計14"}}, 11, "160000", 12, "合　　計"},
        {"15 rows, 人件費合計", {{"Z1", "**区分表示行計15"}, {"Z2", "**人件費合計名称変更"}}, 15, nullptr, 15, "人件費合計"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseForm(With(MeisaiCells(8), c.extra));
        EXPECT_EQ(Table(1.0), c.totalRow);
        const auto out = Out();
        for (int r = 0; r < c.shown; ++r) {
            EXPECT_EQ(out->Value(0, "A" + std::to_string(10 + r)), "工程" + std::to_string(r + 1)) << r;
            EXPECT_EQ(out->Value(0, "J" + std::to_string(10 + r)), "40000") << r;
        }
        if (c.mergedAmount) {
            const std::string last = std::to_string(10 + c.shown);
            EXPECT_EQ(out->Value(0, "A" + last), "上記以外の合計");
            EXPECT_EQ(out->Value(0, "B" + last), "4");
            EXPECT_EQ(out->Value(0, "J" + last), c.mergedAmount);
        }
        const std::string total = std::to_string(10 + c.totalRow);
        EXPECT_EQ(out->Value(0, "A" + total), c.label);
        EXPECT_EQ(out->Value(0, "B" + total), "15");
        EXPECT_EQ(out->Value(0, "J" + total), "600000");
        EXPECT_EQ(out->Value(0, "K" + total), "直接人件費(600,000)");
        EXPECT_EQ(direct, 600000.0);
        EXPECT_EQ(labour, 0.0);
    }
}

TEST_F(DaikaMeisaiTest, BottomTotalsReadTheFirstEighteenLines) {
    CBukakeDetail& detail = Shubetsu(1).GetDetail();
    detail.RemoveAllLines();
    for (int i = 1; i <= 20; ++i) masterbuild::AddLine(detail, "工程" + std::to_string(i), {100, 0, 50});
    std::vector<int> all;
    for (int i = 0; i < 20; ++i) all.push_back(i);
    Row(1, all);
    const Cells bottom = {{"B30", "**合計最下段表示1"}, {"D30", "**合計最下段表示3"}};
    // 18 lines of 主任技師 1.00 (40,000) and 作業員 0.50 (10,000): 18 人 720,000 and 9 人 180,000.
    const struct {
        const char* name;
        Cells extra;
        int staffRow;
        const char* amountLabel;  // "**区分" of row 19
    } cases[] = {
        {"no staff row cell", {}, 18, "金 額 計"},
        {"staff row 17", {{"Z1", "**人員計表示行17"}}, 17, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseForm(With(With(MeisaiCells(8), bottom), c.extra));
        Table(1.0);
        const auto out = Out();
        const std::string staff = std::to_string(10 + c.staffRow);
        EXPECT_EQ(out->Value(0, "A" + staff), "合　　計");
        EXPECT_EQ(out->Value(0, "B" + staff), "18");
        EXPECT_EQ(out->Value(0, "D" + staff), "9");
        EXPECT_EQ(out->Value(0, "A29"), c.amountLabel);
        EXPECT_EQ(out->Value(0, "J29"), "900000");
        EXPECT_EQ(out->Value(0, "B30"), "720000");
        EXPECT_EQ(out->Value(0, "D30"), "180000");
        EXPECT_EQ(direct, 720000.0);
        EXPECT_EQ(labour, 180000.0);
    }
}

TEST_F(DaikaMeisaiTest, BukkenCorrectionRowsAndTheCorrectedStaff) {
    CBukakeDetail& detail = Shubetsu(3).GetDetail();
    detail.RemoveAllLines();
    for (const char* name : {"調査", "算定", "整理"}) masterbuild::AddLine(detail, name, {125});
    Row(3, {0, 1, 2});
    UseForm(With(MeisaiCells(8), {{"Z1", "**補正前人員計表示行16"}}));
    // Three lines of 1.25 人: the 合計 of the lines 3.75 人 and 150,000, before the correction; × 1.1 =
    // 4.125 → 4.12 人, 4.12 × 40,000 = 164,800 on the row of the product.
    EXPECT_EQ(Table(1.1), 3);
    const auto out = Out();
    const Cells expected = {
        {"A10", "調査"}, {"B10", "1.25"}, {"J10", "50000"},
        {"A13", "合　　計"}, {"B13", "3.75"}, {"J13", "150000"},
        {"A26", "補正前人員計 ⑩"}, {"B26", "3.75"},
        {"A27", "補正率（ ② ） ⑪"}, {"B27", "1.100"},
        {"A28", "人員計 ＝ ⑩ × ⑪"}, {"B28", "4.12"}, {"J28", "164800"},
        {"A3", "4.12"}, {"B3", "164800"},
    };
    for (const auto& [ref, text] : expected) EXPECT_EQ(out->Shown(0, ref), text) << ref;
    // Rates that differ by 区分: no single correction value.
    Table(std::nullopt);
    EXPECT_EQ(Out()->Value(0, "B27"), "");
}

// ---------------------------------------------------------------------------------------------
// Expense lines

TEST_F(DaikaMeisaiTest, ExpenseLinesUnderTheTableInThePagesAmountColumn) {
    Shubetsu(1).GetDetail().m_rates = {500, kUnset, kUnset};
    Row(1, {0});
    const struct {
        const char* name;
        int trades;
        Cells extra;
        const char* amountColumn;  // of row 5 + 2 = 7 below "**区分"
        double total;
    } cases[] = {
        // 123,456 × 5% = 6,172.8 → 6,172, in the column of the form's amounts.
        {"8 trades", 8, {{"Z1", "**測量経費"}}, "J", 6172},
        {"9 trades", 9, {{"Z1", "**測量経費"}}, "K", 6172},
        {"10 trades", 10, {{"Z1", "**測量経費"}}, "L", 6172},
        {"no marker cell", 8, {}, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseForm(With(MeisaiCells(c.trades), c.extra));
        Settings(0);
        job->BeginPage("代価歩掛明細表", "1");
        const MeisaiCapacity capacity = ProbeMeisaiCapacity(*job);
        CEstimateReport report = Report();
        auto calc = report.PricingCopy();
        EXPECT_EQ(report.WriteKeihiKubunRows(*calc, 2, capacity.columns, 5, capacity.amountCell, 123456.0, 0.0), c.total);
        job->EndPage();
        const auto out = Out();
        if (!c.amountColumn) {
            EXPECT_EQ(out->Value(0, "A17"), "");
            continue;
        }
        EXPECT_EQ(out->Value(0, "A17"), "機械経費");
        // The last two of the trade columns hold the basis and the rate.
        EXPECT_EQ(out->Value(0, ColumnLetter(c.trades) + "17"), "直接人件費の");
        EXPECT_EQ(out->Value(0, ColumnLetter(c.trades + 1) + "17"), "  5.00%");
        EXPECT_EQ(out->Value(0, std::string(c.amountColumn) + "17"), "6172");
    }
}

TEST_F(DaikaMeisaiTest, TheSeparateBlockWithEntriesSpacingAnd精度管理費) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2002, 1, "杭", 500).m_unit = "本";
    CBukakeShubetsu& shubetsu = Shubetsu(1);
    shubetsu.m_coefficient = 5;
    CBukakeDetail& detail = shubetsu.GetDetail();
    detail.m_himokuMode = 0;
    masterbuild::AddHimoku(detail, "10", 0, 2001, 105);  // 材料費
    masterbuild::AddHimoku(detail, "4", 1, 2002, kUnset);  // 機械経費
    Row(1, {0});
    UseForm(With(With(MeisaiCells(8), kKeihiBlock), {{"Z1", "**測量経費"}, {"Z2", "**経費区分ｽﾍﾟｰｽ2"}}));
    // 直接人件費 100,000, 労務費 20,000:
    //   鋼材 10 kg at cut(1,234 × 105%) = 1,295 → 12,950; 杭 4 本 at 500 → 2,000
    //   精度管理費 (SeidoCalc off) (100,000 + 20,000 + 2,000) × 5% = 6,100
    //   total 12,950 + 2,000 + 6,100 = 21,050
    for (int omit : {0, 1}) {
        SCOPED_TRACE(omit);
        Settings(omit);
        job->BeginPage("代価歩掛明細表", "1");
        CEstimateReport report = Report();
        auto calc = report.PricingCopy();
        EXPECT_EQ(report.WriteKeihiKubunRows(*calc, 2, 8, 3, "**備考あり金額8", 100000.0, 20000.0), 21050.0);
        job->EndPage();
        const auto out = Out();
        const std::string none;
        const Cells expected = {
            {"B40", "経費単位"}, {"C40", "経費数量"}, {"D40", "経費単価"}, {"E40", "経費金額"},
            {"A41", "鋼材"}, {"B41", "kg"}, {"C41", omit ? none : "10.000"}, {"D41", omit ? none : "1,295"},
            {"E41", omit ? none : "12950"},
            {"A42", ""},
            {"A43", "杭"}, {"B43", "本"}, {"C43", omit ? none : "4.000"}, {"D43", omit ? none : "500"},
            {"E43", omit ? none : "2000"},
            {"A45", "精度管理費"}, {"B45", omit ? none : "機械経費　＋"}, {"C45", omit ? none : "　人件費の"},
            {"D45", omit ? none : "  5.00%"}, {"E45", omit ? none : "6100"},
            {"A12", ""},  // nothing under the table
        };
        for (const auto& [ref, text] : expected) EXPECT_EQ(out->Shown(0, ref), text) << ref;
    }
}

TEST_F(DaikaMeisaiTest, EntryTextsOfLumpAndRateEntries) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2004, 1, "機械経費", 0).m_unit = "式";
    CBukakeDetail& detail = Shubetsu(1).GetDetail();
    masterbuild::AddHimoku(detail, "10", 0, 2001, kUnset);
    masterbuild::AddHimoku(detail, "2", 0, 2001, kUnset);
    masterbuild::AddHimoku(detail, "Z2", 1, 2004, kUnset);
    detail.GetHimokuSet().m_rates = {kUnset, 1000, kUnset};
    Row(1, {0});
    UseForm(MeisaiCells(8));
    Settings(0);
    CEstimateReport report = Report();
    auto calc = report.PricingCopy();
    std::string unit, quantity, price;
    // Two 材料費 entries: one lump line.
    EXPECT_EQ(report.GetKeihiEntryTexts(*calc, Shubetsu(1), 2, 0, unit, quantity, price), "");
    EXPECT_EQ(unit, "式");
    EXPECT_EQ(quantity, "1.000");
    EXPECT_EQ(price, "");
    const struct {
        int basis;
        const char* unit;
        const char* quantity;
    } cases[] = {{4, "", "機械経費計の"}, {16, "人件費+材料費", " +　機械経費の"}, {1, "", "直接人件費の"}, {3, "", ""}};
    for (const auto& c : cases) {
        detail.GetHimokuSet().m_bases = {kUnset, c.basis, kUnset};
        EXPECT_EQ(report.GetKeihiEntryTexts(*calc, Shubetsu(1), 2, 1, unit, quantity, price), "機械経費") << c.basis;
        EXPECT_EQ(unit, c.unit) << c.basis;
        EXPECT_EQ(quantity, c.quantity) << c.basis;
        EXPECT_EQ(price, "  10.00%") << c.basis;
    }
    // No entry of the kind: all empty.
    EXPECT_EQ(report.GetKeihiEntryTexts(*calc, Shubetsu(1), 2, 2, unit, quantity, price), "");
    EXPECT_EQ(unit + quantity + price, "");
    // A 土質 material line (歩掛 type 4) prints the price its amount is worked with: 1,234 × 105% = 1,295.7.
    CBukakeDetail& soil = Shubetsu(4).GetDetail();
    soil.RemoveAllLines();
    soil.m_bukakeType = 4;
    masterbuild::AddLine(soil, "10", {3, 2001, 105});
    Row(4, {0});
    auto soilCalc = report.PricingCopy();
    EXPECT_EQ(report.GetKeihiEntryTexts(*soilCalc, Shubetsu(4), 2, 3, unit, quantity, price), "鋼材");
    EXPECT_EQ(unit + " " + quantity + " " + price, "kg 10.000 1,295.7");
}
