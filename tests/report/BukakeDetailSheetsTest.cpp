// The 歩掛 detail's own pages (report/BukakeDetailSheets.h): the 代価表 rows by 業務 and layout, the
// 代価歩掛明細表 headings, lines and totals, on small forms zipped here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EstimateFormTemplate.h"
#include "EstimateReportFixture.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "master/MasterTexts.h"
#include "report/BukakeDetailSheets.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

using estimateform::BuildForm;
using estimateform::ColumnLetter;
using estimateform::PlainSheet;

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;
// 名称, 数量, 単位, 単価, 金額, 摘要 of a 代価表 row.
using Row = std::vector<std::string>;

const Cells kDaikaCells = {{"A1", "**第～号一位代価表"}, {"B1", "**種別名"}, {"C1", "**代価表代価番号のみ"},
                           {"D1", "**～当たり"},         {"E1", "**ページ"}, {"A10", "**名称"},
                           {"B10", "**数量"},            {"C10", "**単位"},  {"D10", "**単価"},
                           {"E10", "**金額"},            {"F10", "**摘要"}};

// A 代価歩掛明細表 of `trades` trade columns from B: prices in row 5, cost kinds in rows 7 and 8,
// trades in row 9, lines from row 10 with the amount column after the trades.
Cells MeisaiCells(int trades) {
    Cells cells = {{"A1", "**第～号一位代価歩掛明細表"}, {"B1", "**第～号一位代価表"}, {"C1", "**代価表代価番号のみ"},
                   {"D1", "**種別名"}, {"E1", "**～当たり"}, {"F1", "**ページ"}, {"A10", "**区分"}};
    const Cells trade = estimateform::TradeColumnCells(trades);
    cells.insert(cells.end(), trade.begin(), trade.end());
    cells.push_back({ColumnLetter(trades + 2) + "10", trades == 8 ? "**備考あり金額8" : "**金額"});
    return cells;
}

class BukakeDetailSheetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tanka.m_defaultColumn = 1;
        // Column 1 is the default; column 0 must not be read.
        masterbuild::AddTankaRow(tanka, 1001, "主任技師", {1, 40000});
        masterbuild::AddTankaRow(tanka, 1002, "技師", {1, 30000});
        masterbuild::AddTankaRow(tanka, 1003, "作業員", {1, 20000}).m_kind = 1;
        masterbuild::AddTankaRow(tanka, 1004, "助手", {15000});  // no price in column 1
        masterbuild::AddZairyoItem(zairyo, 2003, 1, "材料費", 0).m_unit = "式";
        FillThreeLineDetail(detail);
        setup.formPath = dir / "form.xlsx";
        WriteTestFile(setup.formPath, BuildForm({PlainSheet("代価表", kDaikaCells), PlainSheet("代価歩掛明細表", meisai)}));
    }
    void UseMeisai(const Cells& cells) {
        WriteTestFile(setup.formPath, BuildForm({PlainSheet("代価表", kDaikaCells), PlainSheet("代価歩掛明細表", cells)}));
    }
    xlstest::Output Build(bool daika) {
        CReportJob job;
        const int pages = daika ? detailprint::WriteDaikaPage(job, detail, shubetsu, tanka, zairyo, setup)
                                : detailprint::WriteMeisaiPage(job, detail, shubetsu, tanka, setup);
        EXPECT_EQ(pages, 1);
        std::string bytes;
        EXPECT_TRUE(job.Engine().BuildXlsx(bytes));
        return xlstest::Output(bytes);
    }
    // The 代価表 rows written, down to the first empty one.
    std::vector<Row> DaikaRows() {
        const xlstest::Output out = Build(true);
        EXPECT_EQ(out.Value(0, "A1"), "第    号一位代価表");
        EXPECT_EQ(out.Value(0, "B1"), "基準点測量");
        EXPECT_EQ(out.Value(0, "C1"), "第    号");
        EXPECT_EQ(out.Value(0, "E1"), "1");
        basisText = out.Value(0, "D1");
        std::vector<Row> rows;
        for (int r = 10; out.HasValue(0, "A" + std::to_string(r)); ++r) {
            Row row;
            for (char c : std::string("ABCDEF")) row.push_back(out.Value(0, std::string(1, c) + std::to_string(r)));
            rows.push_back(row);
        }
        return rows;
    }

    ScriptedHost host;
    TempFolder dir;
    CTankaFile tanka;
    CZairyoTankaFile zairyo;
    CBukakeDetail detail;
    BukakeDetailShubetsu shubetsu{1, "基準点測量", 5};  // 精度管理係数 0.05
    CBukakeDetailPrintSetup setup;
    Cells meisai = MeisaiCells(8);
    std::string basisText;
};

// The trades of the fixture: quantities 1.75, 3.50 and 3.00; 主任技師 70,000 and 技師 105,000 are
// 直接人件費 (175,000), 作業員 60,000 労務費; the labour total 235,000.
const Row kTrade1 = {"主任技師", "1.75", "人", "40000", "70000", ""};
const Row kTrade2 = {"技師", "3.5", "人", "30000", "105000", ""};
const Row kTrade3 = {"作業員", "3", "人", "20000", "60000", ""};
Row Indented(Row row) {
    row[0] = "　" + row[0];
    return row;
}

}  // namespace

TEST_F(BukakeDetailSheetsTest, DaikaRowsBy業務AndLayout) {
    const struct {
        const char* name;
        int gyomu, himokuMode, seidoCalc, type;
        std::vector<int32_t> rates;
        std::vector<Row> rows;
    } cases[] = {
        // 機械経費 175,000 × 10% = 17,500, 通信運搬費等 × 2% = 3,500; 精度管理費 without SeidoCalc on
        // 175,000 + 17,500 + 60,000 = 252,500 × 0.05 = 12,625; 合計 268,625; per km ÷ 2.5 = 107,450.
        {"測量, direct-cost layout", 1, 1, 0, 0, {1000, 200, kUnset},
         {kTrade1, kTrade2, kTrade3, {"直接費計", "", "", "", "235000", "-175000"},
          {"機械経費", "", "", "", "17500", "  直接人件費の10.00%"},
          {"通信運搬費等", "", "", "", "3500", "  直接人件費の2.00%"},
          {"精度管理費", "1", "式", "", "12625", "  精度管理費係数0.05"}, {"合計", "", "", "", "268625", ""},
          {"1 km 当たり", "", "", "", "107450", ""}}},
        // With SeidoCalc the 労務費 stays out: (175,000 + 17,500) × 0.05 = 9,625; 合計 258,125.
        {"区画整理測量, SeidoCalc on", 6, 1, 1, 0, {1000, kUnset, 0},
         {kTrade1, kTrade2, kTrade3, {"直接費計", "", "", "", "235000", "-175000"},
          {"機械経費", "", "", "", "17500", "  直接人件費の10.00%"},
          {"精度管理費", "1", "式", "", "9625", "  精度管理費係数0.05"}, {"合計", "", "", "", "262125", ""},
          {"1 km 当たり", "", "", "", "104850", ""}}},
        // 電子計算機使用料 175,000 × 3% = 5,250; 合計 240,250; per km 96,100.
        {"設計, type 28", 2, 0, 0, 28, {300, kUnset, kUnset},
         {Indented(kTrade1), Indented(kTrade2), Indented(kTrade3), {"人　件　費　計", "", "", "", "235000", "-175000"},
          {"電子計算機使用料", "1", "式", "", "5250", "  3.00%  (標準歩掛)"}, {"合計", "", "", "", "240250", ""},
          {"1 km 当たり", "", "", "", "96100", ""}}},
        {"区画整理設計", 7, 0, 0, 0, {300, kUnset, kUnset},
         {Indented(kTrade1), Indented(kTrade2), Indented(kTrade3), {"人　件　費　計", "", "", "", "235000", "-175000"},
          {"電子計算機使用料", "1", "式", "", "5250", "  3.00%"}, {"合計", "", "", "", "240250", ""},
          {"1 km 当たり", "", "", "", "96100", ""}}},
        {"設計 without a rate", 2, 0, 0, 0, {kUnset, kUnset, kUnset},
         {Indented(kTrade1), Indented(kTrade2), Indented(kTrade3), {"人　件　費　計", "", "", "", "235000", "-175000"},
          {"合計", "", "", "", "235000", ""}, {"1 km 当たり", "", "", "", "94000", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shubetsu.gyomu = c.gyomu;
        setup.settings.SeidoCalc = c.seidoCalc;
        detail.m_himokuMode = c.himokuMode;
        detail.m_bukakeType = c.type;
        for (size_t k = 0; k < 3; ++k) detail.m_rates[k] = c.rates[k];
        EXPECT_EQ(DaikaRows(), c.rows);
        EXPECT_EQ(basisText, "2.50 km 当たり");
    }
}

TEST_F(BukakeDetailSheetsTest, MaterialBlockAndAnUnsetCoefficient) {
    // 測量 without the direct-cost layout: a Z1 entry at 10% of the 直接人件費 (17,500) is the
    // 材料費, which the 精度管理費 base leaves out; without a coefficient the row keeps its name and
    // unit only.
    detail.m_himokuMode = 0;
    detail.GetHimokuSet().m_bases = {1, kUnset, kUnset};
    detail.GetHimokuSet().m_rates = {1000, kUnset, kUnset};
    masterbuild::AddHimoku(detail, "Z1", 0, 2003, kUnset);
    setup.settings.SeidoCalc = 1;
    const std::vector<Row> block = {{"材料費", "1", "式", "", "17500", "  直接人件費の10.00％"},
                                    {"材 料 及 び 機 械 経 費 合 計", "", "", "", "17500", ""}};
    std::vector<Row> rows = DaikaRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(std::vector<Row>(rows.begin() + 4, rows.begin() + 6), block);
    // 175,000 × 0.05 = 8,750; 合計 235,000 + 17,500 + 8,750 = 261,250.
    EXPECT_EQ(rows[6], (Row{"精度管理費", "1", "式", "", "8750", "  精度管理費係数0.05"}));
    EXPECT_EQ(rows[7], (Row{"合計", "", "", "", "261250", ""}));

    shubetsu.coefficient = kUnset;
    rows = DaikaRows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[6], (Row{"精度管理費", "", "式", "", "", ""}));
    EXPECT_EQ(rows[7], (Row{"合計", "", "", "", "252500", ""}));
}

TEST_F(BukakeDetailSheetsTest, UnpricedTradesNoTradesAndAZeroBasis) {
    shubetsu.gyomu = 2;
    detail.m_himokuMode = 0;
    // A trade without a price in the default column: name, unit and quantity only.
    detail.m_shokushu[1] = 1004;
    std::vector<Row> rows = DaikaRows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1], (Row{"　助手", "3.5", "人", "", "", ""}));
    EXPECT_EQ(rows[3], (Row{"人　件　費　計", "", "", "", "130000", "-70000"}));

    // No default column: no trade is priced.
    tanka.m_defaultColumn = kUnset;
    rows = DaikaRows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (Row{"　主任技師", "1.75", "人", "", "", ""}));
    EXPECT_EQ(rows[3], (Row{"人　件　費　計", "", "", "", "0", "0"}));

    // Without trades: the totals with 0; a zero basis leaves the per-unit amount empty.
    tanka.m_defaultColumn = 1;
    detail.m_shokushu.fill(kUnset);
    detail.m_quantity = 0;
    EXPECT_EQ(DaikaRows(), (std::vector<Row>{{"人　件　費　計", "", "", "", "0", "0"},
                                             {"合計", "", "", "", "0", ""},
                                             {"1 km 当たり", "", "", "", "", ""}}));
    EXPECT_EQ(basisText, "0.00 km 当たり");
    detail.m_quantity = kUnset;
    EXPECT_EQ(DaikaRows().back(), (Row{"1 km 当たり", "", "", "", "", ""}));
}

TEST_F(BukakeDetailSheetsTest, MeisaiLinesTotalsAndCostKinds) {
    const xlstest::Output out = Build(false);
    EXPECT_EQ(out.Value(0, "A1"), "第    号一位代価歩掛明細表");
    EXPECT_EQ(out.Value(0, "B1"), "第    号一位代価表");
    EXPECT_EQ(out.Value(0, "C1"), "第    号");
    EXPECT_EQ(out.Value(0, "D1"), "基準点測量");
    EXPECT_EQ(out.Value(0, "E1"), "2.50 km 当たり");
    const std::vector<std::string> trades = {"主任技師", "技師", "作業員"};
    const std::vector<std::string> prices = {"40000", "30000", "20000"};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(out.Value(0, ColumnLetter(n + 1) + "9"), trades[n - 1]);
        EXPECT_EQ(out.Value(0, ColumnLetter(n + 1) + "5"), prices[n - 1]);
    }
    // 作業員 is 労務費: the kinds change at column 3, and the groups merge apart.
    EXPECT_EQ(out.Value(0, "C7"), "人件費");
    EXPECT_EQ(out.Value(0, "C8"), "直接人件費");
    EXPECT_EQ(out.Value(0, "D7"), "労務費");
    EXPECT_EQ(out.Value(0, "I8"), "労務費");
    EXPECT_EQ(out.Merges(0), (std::vector<std::string>{"B7:C7", "D7:I7"}));
    // Lines: 作業計画 0.5 × 40,000 + 1.0 × 30,000 = 50,000; 観測 10,000 + 45,000 + 40,000 = 95,000;
    // 整理 40,000 + 30,000 + 20,000 = 90,000; total 235,000.
    const std::vector<std::vector<std::string>> lines = {{"作業計画", "0.5", "1", "", "50000"},
                                                         {"観測", "0.25", "1.5", "2", "95000"},
                                                         {"整理", "1", "1", "1", "90000"},
                                                         {"合計", "1.75", "3.5", "3", "235000"}};
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string r = std::to_string(10 + i);
        const std::vector<std::string> got = {out.Value(0, "A" + r), out.Value(0, "B" + r), out.Value(0, "C" + r),
                                              out.Value(0, "D" + r), out.Value(0, "J" + r)};
        EXPECT_EQ(got, lines[i]) << r;
    }
    EXPECT_TRUE(host.messages.empty());

    // Without a 労務費 trade every column is 人件費 / 直接人件費 under one merge.
    detail.m_shokushu[2] = 1004;
    const xlstest::Output plain = Build(false);
    EXPECT_EQ(plain.Value(0, "D7"), "人件費");
    EXPECT_EQ(plain.Value(0, "D8"), "直接人件費");
    EXPECT_EQ(plain.Value(0, "D5"), "");  // 助手 has no price in the default column
    EXPECT_EQ(plain.Merges(0), (std::vector<std::string>{"B7:I7"}));
    EXPECT_EQ(plain.Value(0, "J11"), "55000");
}

TEST_F(BukakeDetailSheetsTest, MoreTradesThanTheFormShowsAreToldAndThePageIsWritten) {
    detail.m_shokushu[8] = 1002;  // a ninth column
    const xlstest::Output out = Build(false);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"職種数が歩掛明細表に表示できる8人を超えています。"});
    EXPECT_EQ(out.Value(0, "B9"), "主任技師");
    EXPECT_EQ(out.Value(0, "J13"), "235000");
    // A form of ten columns shows them all.
    UseMeisai(MeisaiCells(10));
    const xlstest::Output ten = Build(false);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(ten.Value(0, "J9"), "技師");
}

TEST_F(BukakeDetailSheetsTest, AMissingFormWritesNothing) {
    setup.formPath = dir / "none.xlsx";
    CReportJob job;
    EXPECT_EQ(detailprint::WriteDaikaPage(job, detail, shubetsu, tanka, zairyo, setup), -1);
    EXPECT_EQ(detailprint::WriteMeisaiPage(job, detail, shubetsu, tanka, setup), -1);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>(2, setup.formPath + mastertext::kFileMissing));
    EXPECT_FALSE(job.HasWorkbook());
}
