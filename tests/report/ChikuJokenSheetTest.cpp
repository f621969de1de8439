// Tests of report/ChikuJokenSheet.cpp: the 業務地区条件設定表 page and the 業務 7 rate rows.
#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

// The page's cells in column A (the conditions and values) and B (the rates).
const std::vector<std::pair<std::string, std::string>> kPageCells = {
    {"A1", "**地区面積"}, {"A2", "**総棟数積"}, {"A3", "**総画地数"}, {"A4", "**総棟数積2"}, {"A5", "**総画地数2"},
    {"A6", "**K1"},       {"A7", "**H1"},       {"A8", "**K1-2"},     {"A9", "**H1-2"},      {"B1", "**α1"},
    {"B2", "**α2"},       {"B3", "**α3"},       {"B4", "**α4"},       {"B5", "**α5"},        {"B6", "**β1"},
    {"B7", "**β2"},       {"B8", "**β1-2"},     {"B9", "**β2-2"}};

class ChikuJokenTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        UseForm({estimateform::PlainSheet("業務地区条件設定表", kPageCells),
                 estimateform::PlainSheet("代価歩掛明細表", {{"A10", "**区分"}, {"B10", "**数量1"}})});
        CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 7), 10);
        for (int type : {14, 15, 19, 21, 26, 32, 33, 99}) {
            CBukakeDetail& d = masterbuild::AddShubetsu(koshu, type).GetDetail();
            d.m_bukakeType = type;
            d.m_henkaritsu = {1, 2, 3, kUnset, kUnset, kUnset, kUnset, kUnset};
            d.m_quantity = 170;  // a route's standard length of 1.7 km
        }
        masterbuild::AddShubetsu(masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 6), 10), 14)
            .GetDetail()
            .m_bukakeType = 14;
        // Group 7. α1 from its base record only; α2 from its fine record (the base one would give
        // more); α4's fine record gives 0, so its base one counts; α3 and α5 give nothing.
        CHenkaritsuGyomu& g = masterbuild::AddGroup(env.henkaritsu, 7);
        masterbuild::AddFormulaRecord(g, 1, "LL*0.05");
        masterbuild::AddFormulaRecord(g, 102, "LL*0.6");
        masterbuild::AddFormulaRecord(g, 2, "LL*9");
        masterbuild::AddFormulaRecord(g, 104, "0");
        masterbuild::AddFormulaRecord(g, 4, "0.2");
        masterbuild::AddTableRecord(g, 18);
        // K1 and H1 from the text between the first two double quotes of records 9 and 110.
        masterbuild::AddFormulaRecord(g, 9, "K=\"H1*2+H2\" \"9\"");
        masterbuild::AddFormulaRecord(g, 110, "\"H3/10\"");
        masterbuild::AddFormulaRecord(g, 11, "LL*0.01");
        masterbuild::AddFormulaRecord(g, 112, "LL");
        masterbuild::AddFormulaRecord(g, 119, "\"H5+H6\"");
        // The route's α5' (standard length 1.7 km: records 123, 23; 0.5 km: 124, 24).
        masterbuild::AddFormulaRecord(g, 23, "0.3");
        masterbuild::AddFormulaRecord(g, 24, "0.6");
        // The fifth rate's row heads.
        CHenkaritsuRecord& heads = masterbuild::AddTableRecord(g, 50);
        heads.m_rowTitles[1] = "市街地\\n（1.20）";
    }

    CSekisanItem& Add(int gyomu, int type, std::initializer_list<int32_t> ll) {
        ItemListBuilder b(list);
        b.Gyomu(gyomu).Koshu(10).Shubetsu(type, "区画整理設計");
        size_t k = 0;
        for (int32_t v : ll) b.Last().m_nLL[k++] = v;
        return b.Last();
    }

    std::unique_ptr<xlstest::Output> Run(const std::function<void(CEstimateReport&, CSekisanData&)>& write,
                                         bool rowsPage = false) {
        CReportJob job;
        job.SetSettings(settings);
        EXPECT_EQ(job.OpenTemplate(form), 1);
        CEstimateReport report(job, list, env, cover, 10, form);
        const auto calc = report.PricingCopy();
        if (rowsPage) job.BeginPage("代価歩掛明細表", "1");
        write(report, *calc);
        if (rowsPage) job.EndPage();
        return OutputOrNull(job);
    }

    CPrintSettings settings;
};

double Number(const xlstest::Output& out, const std::string& ref) {
    const std::string v = out.Value(0, ref);
    return v.empty() ? -999.0 : std::stod(v);
}

}  // namespace

TEST_F(ChikuJokenTest, ThePageShowsTheConditionsOfTheItemsAndTheRatesWorkedFromThem) {
    // Later 業務 7 items overwrite earlier ones; a slot without a rate code leaves its condition.
    Add(7, 14, {25000, 30000, 40000});
    Add(7, 14, {50000, 90000, 90000});                      // area 5.0 and the others 9.0
    Add(7, 32, {60000});                                    // 総棟数積2 6.0 (slots 2, 3 unset here)
    Add(7, 33, {70000});                                    // 総画地数2 7.0
    Add(7, 26, {25000});                                    // a route length: no district area
    Add(6, 14, {990000});                                   // 業務 6: not read
    Add(7, 77, {990000});                                   // no such 種別: not read
    // By hand, area 5, 総棟数積 90000 → 9 (the second item's), 総画地数 9:
    //   α1 = 5 × 0.05 = 0.25 (base record 1: ÷1000); α2 = 5 × 0.6 = 3 → 3000 ÷ 10000 = 0.3;
    //   α3 = 0; α4 = record 4's 0.2; α5 = 0 (table record without a cell)
    //   K1 = 5 × 2 + 9 = 19; H1 = 9 / 10 = 0.9; β1 = 19 × 0.01 = 0.19 (base 11); β2 = 0.9 → 900 ÷ 10000 = 0.09
    //   K1-2 = 6 + 7 = 13; H1-2 = 0 (record 120 missing); β1-2 = 0 (record 111 missing); β2-2 = 0
    struct Case {
        const char* name;
        bool group7;
        bool items;
        std::vector<std::pair<std::string, double>> cells;
    };
    const std::vector<Case> cases = {
        {"items and group 7",
         true,
         true,
         {{"A1", 5},    {"A2", 9},   {"A3", 9},   {"A4", 6},    {"A5", 7},    {"A6", 19},
          {"A7", 0.9},  {"A8", 13},  {"A9", 0},   {"B1", 0.25}, {"B2", 0.3},  {"B3", 0},
          {"B4", 0.2},  {"B5", 0},   {"B6", 0.19}, {"B7", 0.09}, {"B8", 0},   {"B9", 0}}},
        {"no group 7",
         false,
         true,
         {{"A1", 5}, {"A2", 9}, {"A4", 6}, {"A6", 0}, {"A7", 0}, {"A8", 0}, {"B1", 0}, {"B2", 0}, {"B6", 0}}},
        {"no 業務 7 items",
         true,
         false,
         {{"A1", 0}, {"A2", 0}, {"A3", 0}, {"A4", 0}, {"A5", 0}, {"A6", 0}, {"B1", 0}, {"B4", 0.2}}},
    };
    const CHenkaritsuFile full = env.henkaritsu;
    CSekisanItemList withItems;
    withItems.Copy(list);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        env.henkaritsu = full;
        if (!c.group7) env.henkaritsu.RemoveAll();
        list.Copy(withItems);
        if (!c.items) list.RemoveAll();
        int result = -1;
        const auto out = Run([&](CEstimateReport& r, CSekisanData& calc) { result = r.WriteGyomuChikuJoken(calc, -1, -1, -1); });
        ASSERT_TRUE(out);
        EXPECT_EQ(result, 0);
        ASSERT_EQ(out->SheetCount(), 1);
        EXPECT_EQ(out->SheetNames()[0], "業務地区条件設定表");
        for (const auto& [ref, value] : c.cells) EXPECT_NEAR(Number(*out, ref), value, 1e-9) << ref;
    }
}

TEST_F(ChikuJokenTest, AFineRecordForβ1IsPreferredAndβ1Dash2AlwaysDividesByTenThousand) {
    masterbuild::AddFormulaRecord(*env.henkaritsu.FindGyomu(7), 111, "LL*0.1");
    Add(7, 14, {50000, 90000, 90000});
    Add(7, 32, {60000});
    Add(7, 33, {70000});
    // β1 = K1 19 × 0.1 = 1.9 → 1900 ÷ 10000 = 0.19; β1-2 = K1-2 13 × 0.1 = 1.3 → 0.13.
    const auto out = Run([](CEstimateReport& r, CSekisanData& calc) { r.WriteGyomuChikuJoken(calc, 0, 0, 0); });
    ASSERT_TRUE(out);
    EXPECT_NEAR(Number(*out, "B6"), 0.19, 1e-9);
    EXPECT_NEAR(Number(*out, "B8"), 0.13, 1e-9);
}

TEST_F(ChikuJokenTest, RateRowsByTypeWithTheCorrectionAndTheBracketLine) {
    // One item each: area 5, 総棟数積 9, 総画地数 9 → α1 0.25, α2 0.3, β1 0.19, β2 0.09 (as above);
    // LL 4 = 1.1. Amount total 123,456.
    const struct {
        int type;
        const char* first;    // "**数量1" of the first row
        const char* bracket;  // of the second
    } cases[] = {
        {14, "　　α１＝25.00％　　補正係数＝1.10",
         // 123,456 × 0.25 × 1.1 = 33,950.4
         "　　［ 123,456 × 0.2500 × 1.10 ＝ 33,950 ］"},
        {19, "　　α２＝30.00％　　β１＝19.00％　　補正係数＝1.10",
         // 123,456 × 0.3 × 0.19 × 1.1 = 7,740.6912
         "　　［ 123,456 × 0.3000 × 0.1900 × 1.10 ＝ 7,740 ］"},
        {21, "　　α４＝20.00％　　β２＝9.00％　　補正係数＝1.10",
         // 123,456 × 0.2 × 0.09 × 1.1 = 2,444.4288
         "　　［ 123,456 × 0.2000 × 0.0900 × 1.10 ＝ 2,444 ］"},
        // A route of 5 km against 1.7 km: record 23, 0.3.
        {26, "　　α5'(延長5.000km 標準延長1.7km)＝(5.000÷1.7)^0.8≒30.00％　　補正係数＝1.10",
         "　　［ 123,456 × 0.3000 × 1.10 ＝ 40,740 ］"},
        // A type of no rate: the correction alone; 123,456 × 1.1 = 135,801.6.
        {99, "　　補正係数＝1.10", "　　［ 123,456 × 1.10 ＝ 135,801 ］"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        list.RemoveAll();
        CSekisanItem& item = Add(7, c.type, {50000, 90000, 90000, 11000});
        item.m_nUnitPrice = 1000;
        int next = 0;
        const auto out = Run(
            [&](CEstimateReport& r, CSekisanData& calc) { next = r.WriteGyomuChikuJoken(calc, 18, 2, 123456); }, true);
        ASSERT_TRUE(out);
        EXPECT_EQ(next, 20);
        EXPECT_EQ(out->Value(0, "A28"), "　変 　化 　率");
        EXPECT_EQ(out->Value(0, "B28"), c.first);
        EXPECT_EQ(out->Value(0, "B29"), c.bracket);
        const std::vector<std::string> merges = out->Merges(0);
        EXPECT_NE(std::find(merges.begin(), merges.end(), "B28:K28"), merges.end());
        EXPECT_NE(std::find(merges.begin(), merges.end(), "B29:K29"), merges.end());
    }
}

TEST_F(ChikuJokenTest, TheCorrectionFromARowHeadAndTheBracketLineWithoutAUnitPrice) {
    struct Case {
        const char* name;
        std::function<void(CSekisanItem&)> change;
        bool omit;
        const char* first;
        const char* bracket;  // "" when there is none
    };
    const std::vector<Case> cases = {
        // The fifth rate's chosen row head, its marker standing as a full-width blank.
        {"row head", [](CSekisanItem& i) { i.m_nRateRow[4] = 2; }, false, "　　α１＝25.00％　　市街地　（1.20）",
         "　　［ 123,456 × 0.2500 × 1.10 ＝ 33,950 ］"},
        // An empty row head: the factor.
        {"empty head", [](CSekisanItem& i) { i.m_nRateRow[4] = 3; }, false, "　　α１＝25.00％　　補正係数＝1.10",
         "　　［ 123,456 × 0.2500 × 1.10 ＝ 33,950 ］"},
        // Without a unit price: the amount per unit, 50,000 ÷ 2.5 = 20,000.
        {"no unit price",
         [](CSekisanItem& i) {
             i.m_nUnitPrice = kUnset;
             i.m_nAmount = 50000;
             i.m_nQuantity = 2500;
         },
         false, "　　α１＝25.00％　　補正係数＝1.10", "　　［ 123,456 × 0.2500 × 1.10 ＝ 20,000 ］"},
        // Nothing to divide by: no bracket line.
        {"zero quantity",
         [](CSekisanItem& i) {
             i.m_nUnitPrice = kUnset;
             i.m_nAmount = 50000;
             i.m_nQuantity = 0;
         },
         false, "　　α１＝25.00％　　補正係数＝1.10", ""},
        {"unset quantity",
         [](CSekisanItem& i) {
             i.m_nUnitPrice = kUnset;
             i.m_nAmount = 50000;
         },
         false, "　　α１＝25.00％　　補正係数＝1.10", ""},
        // Without amounts: no bracket line either.
        {"amounts omitted", [](CSekisanItem&) {}, true, "　　α１＝25.00％　　補正係数＝1.10", ""},
        // An unset LL 4 is a factor of 1: 123,456 × 0.25 = 30,864.
        {"no LL 4", [](CSekisanItem& i) { i.m_nLL[3] = kUnset; }, false, "　　α１＝25.00％　　補正係数＝1.00",
         "　　［ 123,456 × 0.2500 × 1.00 ＝ 30,864 ］"},
    };
    env.bukake.FindShubetsu(7, 10, 14)->GetDetail().m_henkaritsu[4] = 50;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.RemoveAll();
        CSekisanItem& item = Add(7, 14, {50000, 90000, 90000, 11000});
        item.m_nUnitPrice = 1000;
        c.change(item);
        settings.omitKingaku = c.omit;
        const auto out =
            Run([&](CEstimateReport& r, CSekisanData& calc) { r.WriteGyomuChikuJoken(calc, 18, 2, 123456); }, true);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->Value(0, "B28"), c.first);
        EXPECT_EQ(out->Value(0, "B29"), c.bracket);
    }
    // A missing item or 種別 writes nothing.
    settings.omitKingaku = 0;
    list.RemoveAll();
    Add(7, 77, {50000});
    for (int index : {2, 40}) {
        const auto out =
            Run([&](CEstimateReport& r, CSekisanData& calc) { EXPECT_EQ(r.WriteGyomuChikuJoken(calc, 18, index, 1), 18); },
                true);
        ASSERT_TRUE(out);
        EXPECT_FALSE(out->HasValue(0, "A28"));
        EXPECT_TRUE(out->Merges(0).empty());
    }
}

TEST(ChikuJokenStartRow, Row18OrTheRowAfterTotalsThatReachIt) {
    const int cases[][2] = {{0, 18}, {5, 18}, {17, 18}, {18, 19}, {19, 20}, {25, 26}};
    for (const auto& c : cases) EXPECT_EQ(CEstimateReport::ChikuJokenStartRow(c[0]), c[1]) << c[0];
}
