// The 代価表 family of report/DaikaSheets.cpp: the walk (variant pages, 明細 pages, filter and page
// numbers), the 設計, 物件調査 and 土質 pages, the type-13 closing rows, the 工種 variant pages, and the
// 精度管理費 that a 測量 row, its pages and its 歩掛's own print share.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CalcTestEnv.h"
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
#include "estimate/CalcCodes.h"
#include "report/BukakeDetailSheets.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

using estimate_test::ItemListBuilder;
using estimateform::PlainSheet;

namespace {

using Row = std::vector<std::string>;  // A..F: 名称, 数量, 単位, 単価, 金額, 摘要

class DaikaWalkTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        UseForm({PlainSheet("代価表", {{"A1", "**日付"},
                                       {"B1", "**ページ"},
                                       {"C1", "**第～号一位代価表"},
                                       {"D1", "**一位代価表名称"},
                                       {"E1", "**代価表代価番号のみ"},
                                       {"F1", "**種別名"},
                                       {"A5", "**名称"},
                                       {"B5", "**数量"},
                                       {"C5", "**単位"},
                                       {"D5", "**単価"},
                                       {"E5", "**金額"},
                                       {"F5", "**摘要"}})});
        list.m_nTankaColumn = 0;
        masterbuild::AddTankaRow(env.tanka, 1001, "主任技師", {40000});
        masterbuild::AddTankaRow(env.tanka, 1002, "技師", {30000});
        masterbuild::AddTankaRow(env.tanka, 1003, "作業員", {20000}).m_kind = 1;
        masterbuild::AddTankaRow(env.tanka, 1004, "機械器具", {12345}).m_unit = "式";
        for (int gyomu : {1, 2, 3, 4, 6}) {
            CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, gyomu), 10);
            for (int code : {1, 13, 28}) {
                CBukakeDetail& d = masterbuild::AddShubetsu(koshu, code).GetDetail();
                d.m_quantity = 250;  // 2.50 km
                d.m_unit = "km";
                // 1: standard; 13: closing rows per LL8; 28: 電子 of the unfactored labour
                d.m_bukakeType = code == 1 ? 0 : code;
                d.m_himokuMode = 0;
                d.m_shokushu = {1001, 1002, 1003, 1004, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
                masterbuild::AddLine(d, "作業計画", {50, 100, kUnset, 33});
                masterbuild::AddLine(d, "観測", {25, 150, 200});
                masterbuild::AddLine(d, "整理", {100, 100, 100});
            }
        }
    }
    // The first two 工程 chosen and a fixed correction.
    static void Chosen(CSekisanItem& item, int weight = 1000) {
        item.m_bKotei.fill(0);
        item.m_bKotei[0] = item.m_bKotei[1] = 1;
        item.m_nWeightAverage = weight;
        item.m_strNameLower = "補正後";
    }
    // Builds the family into a fresh job; the written workbook and the returned last page.
    std::unique_ptr<xlstest::Output> Build(const std::function<void(CPrintSettings&)>& change, int& last,
                                           std::optional<CPrintFormText> twin = std::nullopt) {
        CReportJob job;
        CPrintSettings s;
        change(s);
        job.SetSettings(s);
        EXPECT_EQ(job.OpenTemplate(form), 1);
        last = CEstimateReport(job, list, env, cover, 10, form, twin).BuildDaikaSheets(0);
        pageCount = job.Engine().PageCount();
        return BuiltOutput(job);
    }
    std::unique_ptr<xlstest::Output> Build(int omit = 0) {
        int last = 0;
        return Build([omit](CPrintSettings& s) { s.omitKingaku = omit; }, last);
    }
    static void ExpectRows(xlstest::Output& out, int page, int firstRow, const std::vector<Row>& rows) {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t col = 0; col < 6; ++col) {
                const std::string ref = std::string(1, static_cast<char>('A' + col)) + std::to_string(firstRow + r);
                const std::string want = col < rows[r].size() ? rows[r][col] : "";
                EXPECT_EQ(out.Shown(page, ref), want) << "page " << page << " " << ref;
            }
    }

    int pageCount = 0;
};

}  // namespace

TEST(DaikaWalk, VariantPagesOfEachKoshuAndTheMeisaiDecision) {
    using V = DaikaVariant;
    const struct {
        int gyomu, koshu;
        std::vector<V> pages;
    } cases[] = {
        {2, 79, {V::PercentOfGyomu}},  {7, 79, {V::PercentOfGyomu}}, {4, 71, {V::PercentOfGyomu}},
        {1, 71, {V::PercentOfSokuryo}}, {6, 71, {V::PercentOfSokuryo}}, {2, 71, {}},
        {1, 85, {V::Material}},         {6, 85, {V::Material}},
        // 設計 kinds take the rate page for 工種 85, the others for 工種 81.
        {2, 85, {V::RateMode0}},        {5, 85, {V::RateMode0}},       {7, 85, {V::RateMode0}},
        {3, 85, {}},                    {2, 81, {}},                   {3, 81, {V::RateMode0}},
        {6, 81, {V::RateMode0}},        {4, 838, {V::RateMode1}},      {2, 838, {V::RateMode1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.gyomu) + "/" + std::to_string(c.koshu));
        CSekisanItem item;
        item.m_nGyomu = c.gyomu;
        item.m_nKoshu = c.koshu;
        EXPECT_TRUE(DaikaVariantPages(item).empty());  // without a 代価 number none
        item.m_nDaikaNo = 4;
        EXPECT_EQ(DaikaVariantPages(item), c.pages);
    }
    // gyomu, 代価明細表 switch, 物件版 twin line → a 代価歩掛明細表 follows
    const struct {
        int gyomu;
        bool meisai, bukken, follows;
    } meisai[] = {{1, true, false, true},  {2, true, false, true}, {6, true, false, true}, {7, true, false, true},
                  {3, true, false, false}, {4, true, false, false}, {5, true, false, false}, {3, true, true, true},
                  {4, true, true, true},   {5, true, true, true},  {1, false, true, false}, {3, false, true, false}};
    for (const auto& m : meisai)
        EXPECT_EQ(DaikaMeisaiFollows(m.gyomu, m.meisai, m.bukken), m.follows) << m.gyomu << m.meisai << m.bukken;
}

TEST_F(DaikaWalkTest, PagesNumbersAndTheReservedMeisaiPagesUnderTheFilter) {
    CZairyoTankaItem& pile = masterbuild::AddZairyoItem(env.zairyoTanka, 3001, 5, "杭", 500);
    pile.m_unit = "本";
    pile.m_spec = "末口9cm";
    env.bukake.FindShubetsu(1, 10, 1)->GetDetail().m_zairyoId = 3001;
    ItemListBuilder(list)
        .Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(3).Quantity(2000).Set([](CSekisanItem& i) { Chosen(i); })
        .Koshu(85, "材料費").DaikaNo(4)
        .Gyomu(2, "設計業務").Koshu(10).Shubetsu(1, "詳細設計").DaikaNo(5).Set([](CSekisanItem& i) { Chosen(i); })
        .Koshu(85, "電子計算機使用料").DaikaNo(6).Set([](CSekisanItem& i) { i.m_nLL[1] = 100000; })
        .Gyomu(3, "物件調査").Koshu(10).Shubetsu(1, "建物調査").DaikaNo(7).Set([](CSekisanItem& i) { Chosen(i); });
    CPrintFormText bukkenTwin;
    bukkenTwin.SetLine(CPrintFormText::kBukkenUchiwake, "物件版内訳明細書を印刷する");
    // A page: its number text, page title and first row name (the variant pages are titled too).
    struct Page {
        std::string number, title, first;
    };
    const std::string t = "一  位  代  価  表";
    const Page sokuryo3{"第 3 号", t, "　主任技師"}, material4{"第 4 号", t, "杭"}, sekkei5{"第 5 号", t, "　主任技師"},
        rate6{"第 6 号", t, "土木設計業務"}, bukken7{"第 7 号", t, "　主任技師"};
    const struct {
        const char* name;
        int daika, meisai, filter;
        bool twin;
        int last;
        std::vector<std::pair<Page, int>> pages;  // page and its number
    } cases[] = {
        {"代価表 only", 1, 0, kUnset, false, 5, {{sokuryo3, 1}, {material4, 2}, {sekkei5, 3}, {rate6, 4}, {bukken7, 5}}},
        // A 明細 follows 業務 1 and 2 (pages 2 and 5), not 物件調査.
        {"明細 too", 1, 1, kUnset, false, 7, {{sokuryo3, 1}, {material4, 3}, {sekkei5, 4}, {rate6, 6}, {bukken7, 7}}},
        {"物件版 twin", 1, 1, kUnset, true, 8, {{sokuryo3, 1}, {material4, 3}, {sekkei5, 4}, {rate6, 6}, {bukken7, 7}}},
        {"number 5", 1, 1, 5, false, 2, {{sekkei5, 1}}},
        {"number 6", 1, 1, 6, false, 1, {{rate6, 1}}},
        {"number 7 with the twin", 1, 1, 7, true, 2, {{bukken7, 1}}},
        // The 明細 pages alone: their numbers are taken, the variant pages still written.
        {"明細 alone", 0, 1, kUnset, false, 4, {{material4, 2}, {rate6, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int last = 0;
        const auto out = Build(
            [&](CPrintSettings& s) {
                s.printDaika = c.daika;
                s.printDaikaMeisai = c.meisai;
                s.daikaStartNo = c.filter;
            },
            last, c.twin ? std::optional<CPrintFormText>(bukkenTwin) : std::nullopt);
        EXPECT_EQ(last, c.last);
        ASSERT_EQ(pageCount, static_cast<int>(c.pages.size()));
        for (size_t p = 0; p < c.pages.size(); ++p) {
            const int page = static_cast<int>(p);
            EXPECT_EQ(out->Value(page, "E1"), c.pages[p].first.number);
            EXPECT_EQ(out->Value(page, "B1"), std::to_string(c.pages[p].second));
            EXPECT_EQ(out->Value(page, "D1"), c.pages[p].first.title);
            EXPECT_EQ(out->Value(page, "A5"), c.pages[p].first.first);
        }
    }
}

TEST_F(DaikaWalkTest, TheMaterialPageListsTheMaterialsOfThe測量Rows) {
    CZairyoTankaItem& pile = masterbuild::AddZairyoItem(env.zairyoTanka, 3001, 5, "杭", 500);
    pile.m_unit = "本";
    pile.m_spec = "末口9cm";
    env.bukake.FindShubetsu(1, 10, 1)->GetDetail().m_zairyoId = 3001;
    ItemListBuilder(list)
        .Gyomu(1).Koshu(10).Shubetsu(1, "基準点測量").Quantity(2000)
        .Shubetsu(1, "数量なし")
        .Koshu(85, "材料費").DaikaNo(4);
    // 杭 500 × 2.000 = 1,000; the row without a quantity gives none.
    ExpectRows(*Build(0), 0, 5, {{"杭", "2", "本", "500", "1000", "  末口9cm"}, {"合 計", "", "", "", "1000"}, {}});
    ExpectRows(*Build(1), 0, 5, {{"杭", "", "本", "", "", "  末口9cm"}, {"合 計"}, {}});
}

TEST_F(DaikaWalkTest, PercentageAndRatePagesWithAndWithoutAmounts) {
    ItemListBuilder(list)
        .Gyomu(1).Koshu(10).Shubetsu(1, "基準点測量").Amount(100000).Set([](CSekisanItem& i) { i.m_nRate = 250; })
        .Shubetsu(28, "率なし").Amount(50000)
        .Koshu(69, "一式計上").Amount(3000)
        .Koshu(71, "率計上").DaikaNo(8)
        .Koshu(81, "電子計算機使用料").DaikaNo(9).Amount(7000).Set([](CSekisanItem& i) {
            i.m_nLL[1] = 1234567;
            i.m_nLL[2] = 5000;
        })
        .Gyomu(6).Koshu(10).Shubetsu(1, "地形測量").Amount(20000).Set([](CSekisanItem& i) { i.m_nRate = 1000; });
    // Percentage page over 業務 1 and 6: 100,000 × 2.50% = 2,500; the 工種 69 row without a rate at
    // 100%: 3,000; 20,000 × 10% = 2,000; the 種別 without a rate is left out. Sum 7,500.
    // Rate page, mode 0 of 測量: 1,234,567 × 0.56% = 6,913.58 → 6,913; 5,000 × 1.49% = 74.5 → 74;
    // the base texts right-aligned to the longest (1,234,567 and the sum 1,239,567).
    const auto out = Build(0);
    ASSERT_EQ(pageCount, 2);
    EXPECT_EQ(out->Value(0, "C1"), "第 8 号一位代価表");
    EXPECT_EQ(out->Value(0, "F1"), "率計上");
    ExpectRows(*out, 0, 5,
               {{"基準点測量", "", "", "", "2500", " 2.50%"}, {"一式計上", "", "", "", "3000", " 100.00%"},
                {"地形測量", "", "", "", "2000", " 10.00%"}, {"合 計", "", "", "", "7500"}, {}});
    ExpectRows(*out, 1, 5,
               {{"測量業務", "1", "式", "", "6913", " 1,234,567×0.56%"},
                {"調査・計画業務", "1", "式", "", "74", "     5,000×1.49%"},
                {"合計", "", "", "", "7000", " (1,239,567)"}, {}});
    const auto omitted = Build(1);
    ExpectRows(*omitted, 0, 5, {{"基準点測量"}, {"一式計上"}, {"地形測量"}, {"合 計"}, {}});
    ExpectRows(*omitted, 1, 5, {{"測量業務", "", "式"}, {"調査・計画業務", "", "式"}, {"合計"}, {}});
}

namespace {

// The trade rows of every page of these masters (two 工程 chosen, correction 1.000): 直接人件費
// 30,000 + 75,000 + 4,073 = 109,073, 労務費 40,000; 人件費計 149,073.
const std::vector<Row> kTrades = {{"　主任技師", "0.75", "人", "40000", "30000"},
                                  {"　技師", "2.5", "人", "30000", "75000"},
                                  {"　作業員", "2", "人", "20000", "40000"},
                                  {"　機械器具", "1", "式", "", "4073"},
                                  {"人　件　費　計", "", "", "", "149073", "-109073"}};

std::vector<Row> Plus(std::vector<Row> rows, const std::vector<Row>& more) {
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

}  // namespace

TEST_F(DaikaWalkTest, A設計PageWith電子計算機使用料BothWaysAndTheKoteiText) {
    // 設計 (f = 1.000): A = 149,073, B = 109,073, 電子計算機使用料 2% of B = 2,181.46 → 2,181.
    //   DensiDsp off: T = 151,254, d = 149,073, remark −(111,254 − 2,181); per km 151,254 ÷ 2.5 = 60,501
    //   DensiDsp on:  T = 149,073 (電子 on its own row, shown after the per-unit row); per km 59,629
    // Two of three named 工程 chosen: the 工程 text row closes the page.
    const Row densi = {"電子計算機使用料", "1", "式", "", "2181", "  2.00%"};
    const Row densi28 = {"電子計算機使用料", "1", "式", "", "2181", "  2.00%  (標準歩掛)"};
    const Row kotei = {"作業計画,観測,"};
    const struct {
        const char* name;
        int shubetsu, densiDsp, quantity;
        std::vector<Row> rows;
    } cases[] = {
        {"DensiDsp off", 1, 0, 250,
         {{"補正後", "", "", "", "149073", "-109073"}, densi, {"合計", "", "", "", "151254"},
          {"1 km 当たり", "", "", "", "60501"}, kotei, {}}},
        {"DensiDsp on", 1, 1, 250,
         {{"補正後", "", "", "", "149073", "-109073"}, {"合計", "", "", "", "149073"},
          {"1 km 当たり", "", "", "", "59629"}, densi, kotei, {}}},
        {"type 28", 28, 0, 250,
         {{"補正後", "", "", "", "149073", "-109073"}, densi28, {"合計", "", "", "", "151254"},
          {"1 km 当たり", "", "", "", "60501"}, kotei, {}}},
        {"no basis", 1, 0, 0,
         {{"補正後", "", "", "", "149073", "-109073"}, densi, {"合計", "", "", "", "151254"}, {"1 km 当たり"}, kotei, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.RemoveAll();
        ItemListBuilder(list).Gyomu(2).Koshu(10).Shubetsu(c.shubetsu, "詳細設計").DaikaNo(5).Set(
            [](CSekisanItem& i) { Chosen(i); });
        CBukakeDetail& detail = env.bukake.FindShubetsu(2, 10, c.shubetsu)->GetDetail();
        detail.m_rates = {200, kUnset, kUnset};
        detail.m_quantity = c.quantity;
        env.settings.DensiDsp = c.densiDsp;
        ExpectRows(*Build(0), 0, 5, Plus(kTrades, c.rows));
    }
    env.settings.DensiDsp = 0;
    // Without amounts: names, units and the 工程 text only.
    ExpectRows(*Build(1), 0, 10,
               {{"補正後"}, {"電子計算機使用料", "", "式"}, {"合計"}, {"1 km 当たり"}, kotei, {}});
}

TEST_F(DaikaWalkTest, A物件調査PageCorrectsTheTradesAndPlacesItsMaterialRowByZairyoDsp) {
    CBukakeDetail& detail = env.bukake.FindShubetsu(3, 10, 1)->GetDetail();
    detail.m_rates = {1000, kUnset, 500};  // 機械経費 10%, 材料費 5%
    ItemListBuilder(list).Gyomu(3).Koshu(10).Shubetsu(1, "建物調査").DaikaNo(7).Set(
        [](CSekisanItem& i) { Chosen(i, 1100); });
    // Quantities × 1.100 (truncated to 1/100 人): 0.75 → 0.82, 2.50 → 2.75, 2.00 → 2.20, 0.33 → 0.36
    //   30,000… : 40,000 × 0.82 = 32,800; 30,000 × 2.75 = 82,500; 20,000 × 2.20 = 44,000 (労務費);
    //   12,345 × 0.36 = 4,444.2 → 4,444. 直接人件費 119,744, 人件費 163,744.
    //   機械経費 10% of 119,744 = 11,974; 材料費 5% = 5,987.2 → 5,987
    //   ZairyoDsp off: 合計 181,705, per km ÷ 2.5 = 72,682; on: 合計 175,718, per km 70,287.2 → 70,287
    const std::vector<Row> trades = {{"　主任技師", "0.82", "人", "40000", "32800", "  0.750×1.100=0.82"},
                                     {"　技師", "2.75", "人", "30000", "82500", "  2.500×1.100=2.75"},
                                     {"　作業員", "2.2", "人", "20000", "44000", "  2.000×1.100=2.20"},
                                     {"　機械器具", "1", "式", "", "4444", "  0.330×1.100=0.36"},
                                     {"人件費", "", "", "", "163744", "-119744"},
                                     {"機械経費", "1", "式", "", "11974", "  10.00%"}};
    const Row zairyo = {"材料費", "1", "式", "", "5987", "  5.00%"};
    env.settings.ZairyoDsp = 0;
    ExpectRows(*Build(0), 0, 5,
               Plus(trades, {zairyo, {"合計", "", "", "", "181705"}, {"1 km 当たり", "", "", "", "72682"},
                             {"補正後", "", "", "", "72682", "  (補正率 1.100)"}, {}}));
    env.settings.ZairyoDsp = 1;
    ExpectRows(*Build(0), 0, 5,
               Plus(trades, {{"合計", "", "", "", "175718"}, {"1 km 当たり", "", "", "", "70287"},
                             {"補正後", "", "", "", "70287", "  (補正率 1.100)"}, zairyo, {}}));
    ExpectRows(*Build(1), 0, 5,
               {{"　主任技師", "", "人"}, {"　技師", "", "人"}, {"　作業員", "", "人"}, {"　機械器具", "", "式"},
                {"人件費"}, {"機械経費", "", "式"}, {"合計"}, {"1 km 当たり"}, {"補正後"}, {"材料費", "", "式"}, {}});
}

TEST_F(DaikaWalkTest, 土質LinesWithTheRateLinesAndALossRate) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2003, 1, "材料費", 0).m_unit = "式";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2004, 1, "機械経費", 2000).m_unit = "式";
    masterbuild::AddZairyoItem(env.zairyoTanka, 2005, 1, "軽油", 152.5).m_unit = "L";
    CBukakeDetail& d = masterbuild::AddShubetsu(*env.bukake.FindKoshu(4, 10), 5).GetDetail();
    d.m_bukakeType = 4;
    d.m_quantity = 100;
    d.m_unit = "本";
    d.m_himokuMode = 1;
    d.m_shokushu = {1, 4, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};  // Z1 basis 1, Z2 basis 4
    d.m_rates = {1000, kUnset, 500};  // Z2 10%, Z1 5%
    masterbuild::AddLine(d, "2.5", {1, 1002});       // 技師 2.5 人
    masterbuild::AddLine(d, "10", {3, 2001, 105});   // 鋼材 10 kg, loss 105%
    masterbuild::AddLine(d, "20", {3, 2005, 100});   // 軽油 20 L, loss 100%
    masterbuild::AddLine(d, "Z1", {3, 2003});
    masterbuild::AddLine(d, "Z2", {3, 2004});
    masterbuild::AddLine(d, "3", {0, 2001});         // kind 0: no line
    masterbuild::AddLine(d, "1", {3, 9999});         // no such material: no line
    ItemListBuilder(list).Gyomu(4).Koshu(10).Shubetsu(5, "ボーリング").DaikaNo(2).Set(
        [](CSekisanItem& i) { Chosen(i, 1100); });
    // 技師 2.5 × 30,000 = 75,000; 鋼材 10 × 1,234 × 1.05 = 12,957 at the unit price 1,295.7 it is worked with;
    // 軽油 20 × 152.5 = 3,050, the price quoted as its 単価 prints it;
    // Z1 5% of the 直接人件費 lines 75,000 = 3,750; Z2 10% of its own price 2,000 = 200.
    // 合計 94,957; per 本 ÷ 1.00 = 94,957; corrected × 1.100 = 104,452.7 → 104,452.
    const std::vector<Row> lines = {{"技師", "2.5", "人", "30000", "75000"},
                                    {"鋼材", "10", "kg", "1,295.7", "12957", " 損率105％(1234円)"},
                                    {"軽油", "20", "L", "152.5", "3050", " 損率100％(152.5円)"},
                                    {"材料費", "1", "式", "", "3750", " 直接人件費計の5.00％"},
                                    {"機械経費", "1", "式", "", "200", " 該当単価の10.00％"},
                                    {"合計", "", "", "", "94957"},
                                    {"1 本 当たり", "", "", "", "94957"}};
    ExpectRows(*Build(0), 0, 5, Plus(lines, {{"補正後", "", "", "", "104452", "  (補正率 1.100)"}, {}}));
    // DouroCalc 1, 業務 4 without the keep-all-digits flag: four significant digits.
    env.settings.DouroCalc = 1;
    ExpectRows(*Build(0), 0, 5, Plus(lines, {{"補正後", "", "", "", "104400", "　有効数字４桁"}, {}}));
    env.settings.DouroCalc = 0;
    ExpectRows(*Build(1), 0, 5,
               {{"技師", "", "人"}, {"鋼材", "", "kg"}, {"軽油", "", "L"}, {"材料費", "", "式"}, {"機械経費", "", "式"}, {"合計"},
                {"1 本 当たり"}, {"補正後"}, {}});
}

TEST_F(DaikaWalkTest, A解析PageOfAType4歩掛EndsAtTheAmountTheCalculationCharges) {
    masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
    CBukakeDetail& d =
        masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 5), 10), 5).GetDetail();
    d.m_bukakeType = 4;
    d.m_formula = "2";
    d.m_quantity = 100;
    d.m_unit = "本";
    d.m_himokuMode = 1;
    masterbuild::AddLine(d, "2.5", {1, 1002});      // 技師 2.5 人
    masterbuild::AddLine(d, "10", {3, 2001, 105});  // 鋼材 10 kg, loss 105%
    // Each line on its own formula: 技師 2.5 × 30,000 = 75,000; 鋼材 10 × 1,234 × 1.05 = 12,957.
    // 合計 87,957 per 本; the correction after it: the 歩掛's formula 2 → 175,914, or the fixed 1.1 →
    // 96,752.7 → 96,752.
    const struct {
        int weight;
        const char* remark;
        int corrected;
    } cases[] = {{kUnset, "  (補正率 2.000)", 175914}, {1100, "  (補正率 1.100)", 96752}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.corrected);
        list.RemoveAll();
        ItemListBuilder(list).Gyomu(5).Koshu(10).Shubetsu(5, "解析").DaikaNo(2).Quantity(1000).Set(
            [&](CSekisanItem& i) {
                Chosen(i, c.weight);
                i.m_strUnit = "本";
            });
        CSekisanData engine;
        engine.GetItemList()->Copy(list);
        engine.SetCalcContext(&env);
        EXPECT_EQ(engine.CalcDoshitsuKingakuPart(engine.GetItemList()->GetItem(2), 2, AmountPart::Amount), c.corrected);
        ExpectRows(*Build(0), 0, 5,
                   {{"技師", "2.5", "人", "30000", "75000"},
                    {"鋼材", "10", "kg", "1,295.7", "12957", " 損率105％(1234円)"},
                    {"合計", "", "", "", "87957"},
                    {"1 本 当たり", "", "", "", "87957"},
                    {"補正後", "", "", "", std::to_string(c.corrected), c.remark},
                    {}});
    }
}

TEST_F(DaikaWalkTest, ClosingRowsOfType13設計And測量Pages) {
    env.bukake.FindShubetsu(2, 10, 13)->GetDetail().m_rates = {200, kUnset, kUnset};
    ItemListBuilder(list).Gyomu(2).Koshu(10).Shubetsu(13, "設計13").DaikaNo(1).Set([](CSekisanItem& i) { Chosen(i); });
    // L = 149,073; 電子計算機使用料 2% of L = 2,981.46 → 2,981; 合計 152,054; the 種別's own amounts
    // (part 2 and 0, no LL8: per base) 149,073 + 2% of the direct labour 2,181 = 151,254.
    const Row perBase = {"合計", "", "", "", "152054", "　2.50 km 当たり"};
    ExpectRows(*Build(0), 0, 10,
               {{"電子計算機使用料", "", "", "", "2981", "　2.00%"}, perBase, {"補正後", "", "", "", "151254"},
                {"1.00 km 当たり", "", "", "", "151254"}, {}});
    env.settings.DensiDsp = 1;
    ExpectRows(*Build(0), 0, 10,
               {{"合計", "", "", "", "149073", "　2.50 km 当たり"}, {"補正後", "", "", "", "149073"},
                {"1.00 km 当たり", "", "", "", "149073"}, {}});
    env.settings.DensiDsp = 0;
    ExpectRows(*Build(1), 0, 10,
               {{"電子計算機使用料"}, {"合計", "", "", "", "", "　2.50 km 当たり"}, {"補正後"}, {"1.00 km 当たり"}, {}});

    // 測量 type 13: the writer places the 種別's amounts (parts 10, 0 and 13 of the calculation).
    list.RemoveAll();
    ItemListBuilder(list).Gyomu(1).Koshu(10).Shubetsu(13, "測量13").DaikaNo(1).Set([](CSekisanItem& i) { Chosen(i); });
    CSekisanData calc;
    calc.GetItemList()->Copy(list);
    calc.SetCalcContext(&env);
    const int a = calc.CalcSokuryoKingaku(calc.GetItemList()->GetItem(2), 2, AmountPart::PerLL8Unrounded);
    const int b = calc.CalcSokuryoKingaku(calc.GetItemList()->GetItem(2), 2, AmountPart::Amount);
    const int h = calc.CalcSokuryoKingaku(calc.GetItemList()->GetItem(2), 2, AmountPart::Densi);
    ASSERT_GT(a, 0);
    ASSERT_GT(h, 0);
    ExpectRows(*Build(0), 0, 10,
               {{"合計", "", "", "", "149073", "　2.50 km 当たり"}, {"補正後", "", "", "", std::to_string(a)},
                {"", "", "", "", std::to_string(b), "　1.00 km 当たり"}, {"", "", "", "", "", std::to_string(-h)}, {}});
    ExpectRows(*Build(1), 0, 10, {{"合計", "", "", "", "", "　2.50 km 当たり"}, {"補正後"}, {"", "", "", "", "", "　1.00 km 当たり"}, {}});
}

namespace {

// A 測量 種別 whose expenses are 費目 entries (費目 mode 0), priced on the estimate row, on its 代価表
// and 代価歩掛明細表 pages and on the 歩掛's own 代価表 print. One line per 1.00 km: 主任技師 1.00 人 ×
// 40,000 and 技師 1.00 × 30,000 of 直接人件費 (70,000), 作業員 1.00 × 20,000 of 労務費; 精度管理係数 0.05.
class SeidoKanrihiBaseTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        UseForm({PlainSheet("代価表", {{"A5", "**名称"}, {"E5", "**金額"}}),
                 PlainSheet("代価歩掛明細表", {{"A1", "**測量経費"},
                                               {"A10", "**区分"},
                                               {"L10", "**金額"},
                                               {"A41", "**経費区分"},
                                               {"E41", "**経費金額"}})});
        list.m_nTankaColumn = 0;
        env.tanka.m_defaultColumn = 0;
        masterbuild::AddTankaRow(env.tanka, 1001, "主任技師", {40000});
        masterbuild::AddTankaRow(env.tanka, 1002, "技師", {30000});
        masterbuild::AddTankaRow(env.tanka, 1003, "作業員", {20000}).m_kind = 1;
        masterbuild::AddZairyoItem(env.zairyoTanka, 2001, 1, "鋼材", 1234).m_unit = "kg";
        masterbuild::AddZairyoItem(env.zairyoTanka, 2002, 1, "機械器具", 500).m_unit = "台";
        CBukakeGyomu& gyomu = masterbuild::AddGyomu(env.bukake, 1);
        masterbuild::AddKoshu(gyomu, calc::Koshu::Shokeihi);
        CBukakeShubetsu& s = masterbuild::AddShubetsu(masterbuild::AddKoshu(gyomu, 10), 1, "基準点測量");
        s.m_coefficient = 5;
        CBukakeDetail& d = s.GetDetail();
        d.m_quantity = 100;
        d.m_unit = "km";
        d.m_himokuMode = 0;
        d.m_shokushu = {1001, 1002, 1003, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
        masterbuild::AddLine(d, "観測", {100, 100, 100});
        detail = &d;
        ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "基準点測量").DaikaNo(1).Quantity(2000).Set(
            [](CSekisanItem& i) {
                i.m_bKotei.fill(0);
                i.m_bKotei[0] = 1;
                i.m_bSpecialExpense = 1;
            })
            .Koshu(calc::Koshu::Shokeihi);  // where a 精度管理費 row of its own goes
    }
    // The amount of the first row named 精度管理費 on a page, from row `first` down; "" without one.
    static std::string SeidoAmount(const xlstest::Output& out, int page, int first, char amountColumn) {
        for (int r = first; r < first + 30; ++r)
            if (out.Value(page, "A" + std::to_string(r)) == "精度管理費")
                return out.Value(page, amountColumn + std::to_string(r));
        return "";
    }

    CBukakeDetail* detail = nullptr;
};

}  // namespace

// 精度管理費 = 0.05 × (直接人件費 70,000, with the 労務費 20,000 unless SeidoCalc, + 機械経費); the
// 材料費 stays out of its base. Per km (the basis 1.00, the formula 1) the unit price is
// 90,000 + 材料費 + 機械経費 + 精度管理費.
TEST_F(SeidoKanrihiBaseTest, TheRowItsPagesAndThe歩掛PrintReckonOnTheMachineExpense) {
    const struct {
        const char* name;
        int seidoCalc;
        bool zairyo, kikai;  // 鋼材 10 kg × 1,234 = 12,340 (材料費); 機械器具 4 台 × 500 = 2,000 (機械経費)
        int seido, unitPrice;
    } cases[] = {
        // 0.05 × 90,000 = 4,500; 90,000 + 12,340 + 4,500 = 106,840
        {"材料費 only", 0, true, false, 4500, 106840},
        // 0.05 × (90,000 + 2,000) = 4,600; 90,000 + 2,000 + 4,600 = 96,600
        {"機械経費 only", 0, false, true, 4600, 96600},
        // 4,600; 90,000 + 12,340 + 2,000 + 4,600 = 108,940
        {"both", 0, true, true, 4600, 108940},
        // SeidoCalc: 0.05 × 70,000 = 3,500; 90,000 + 12,340 + 3,500 = 105,840
        {"材料費 only, SeidoCalc", 1, true, false, 3500, 105840},
        // 0.05 × (70,000 + 2,000) = 3,600; 90,000 + 2,000 + 3,600 = 95,600
        {"機械経費 only, SeidoCalc", 1, false, true, 3600, 95600},
        // 3,600; 90,000 + 12,340 + 2,000 + 3,600 = 107,940
        {"both, SeidoCalc", 1, true, true, 3600, 107940},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        env.settings.SeidoCalc = c.seidoCalc;
        detail->GetHimokuSet().RemoveAllHimoku();
        if (c.zairyo) masterbuild::AddHimoku(*detail, "10", 0, 2001, kUnset);
        if (c.kikai) masterbuild::AddHimoku(*detail, "4", 1, 2002, kUnset);
        const std::string seido = std::to_string(c.seido);

        // The estimate row's unit price (×10), and with SeidoDsp the 精度管理費 row of its own:
        // the 精度管理費 of the row's 2 km.
        for (int seidoDsp : {0, 1}) {
            env.settings.SeidoDsp = seidoDsp;
            CSekisanData data;
            data.GetItemList()->Copy(list);
            data.SetCalcContext(&env);
            data.Recalculate(0);
            CSekisanItemList& priced = *data.GetItemList();
            const CSekisanItem* row = priced.GetItem(priced.FindShubetsu(1, 10, 1));
            ASSERT_NE(row, nullptr);
            const int seidoRow = priced.FindKoshu(1, calc::Koshu::SeidoRow);
            if (seidoDsp == 0) {
                EXPECT_EQ(row->m_nUnitPrice, c.unitPrice * 10);
                EXPECT_EQ(seidoRow, -1);
            } else {
                EXPECT_EQ(row->m_nUnitPrice, (c.unitPrice - c.seido) * 10);
                ASSERT_GE(seidoRow, 0);
                EXPECT_EQ(priced.GetItem(seidoRow)->m_nAmount, 2 * c.seido);
            }
        }
        env.settings.SeidoDsp = 0;

        // The 代価表 and the 代価歩掛明細表 of the row.
        CReportJob job;
        CPrintSettings s;
        s.printDaikaMeisai = 1;
        job.SetSettings(s);
        ASSERT_EQ(job.OpenTemplate(form), 1);
        EXPECT_EQ(CEstimateReport(job, list, env, cover, 10, form).BuildDaikaSheets(0), 2);
        std::string bytes;
        ASSERT_TRUE(job.Engine().BuildXlsx(bytes));
        const xlstest::Output pages(bytes);
        EXPECT_EQ(SeidoAmount(pages, 0, 5, 'E'), seido);
        EXPECT_EQ(SeidoAmount(pages, 1, 41, 'E'), seido);

        // The 歩掛's own 代価表.
        CReportJob print;
        CBukakeDetailPrintSetup setup;
        setup.formPath = form;
        setup.settings = env.settings;
        ASSERT_EQ(detailprint::WriteDaikaPage(print, *detail, {1, "基準点測量", 5}, env.tanka, env.zairyoTanka, setup), 1);
        ASSERT_TRUE(print.Engine().BuildXlsx(bytes));
        EXPECT_EQ(SeidoAmount(xlstest::Output(bytes), 0, 5, 'E'), seido);
    }
}
