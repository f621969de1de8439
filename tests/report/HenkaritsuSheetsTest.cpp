// Tests of report/HenkaritsuSheets.cpp: the change-rate sheets of 歩掛 types 10, 11 and 12.
#include <gtest/gtest.h>

#include <functional>
#include <map>
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

// Every cell a change-rate sheet may hold, one per row of column A; the three sheets hold them all.
const std::vector<std::string> kCells = {"**種別名称", "**作業入力", "**点数",     "**係数αＮ", "**S7",
                                         "**変化率",   "**点数β",   "**係数βＮ", "**S8",      "**変化率β",
                                         "**施工入力", "**S8前",    "**増減率",   "**地域区分01", "**地域区分02",
                                         "**地域重量", "**補正係数", "**標準歩掛り", "**作業歩掛り", "**S8後"};

std::string RefOf(const std::string& cell) {
    for (size_t i = 0; i < kCells.size(); ++i)
        if (kCells[i] == cell) return "A" + std::to_string(i + 1);
    return "";
}

class HenkaritsuSheetTest : public EstimateReportFixture {
protected:
    void SetUp() override {
        std::vector<std::pair<std::string, std::string>> cells;
        for (size_t i = 0; i < kCells.size(); ++i) cells.emplace_back("A" + std::to_string(i + 1), kCells[i]);
        UseForm({estimateform::PlainSheet("変化率計算書α", cells), estimateform::PlainSheet("変化率計算書αβ", cells),
                 estimateform::PlainSheet("変化率計算書施工", cells)});
        list.m_nTankaColumn = 0;
        masterbuild::AddTankaRow(env.tanka, 1001, "測量技師", {20000});
        CBukakeKoshu& koshu = masterbuild::AddKoshu(masterbuild::AddGyomu(env.bukake, 6), 10);
        for (int type : {10, 11, 12, 13}) {
            CBukakeShubetsu& s = masterbuild::AddShubetsu(koshu, type, "基準点①測量②③");
            CBukakeDetail& d = s.GetDetail();
            d.m_bukakeType = type;
            d.m_henkaritsu[0] = 7;
            d.m_formula = "S2";
            d.m_useAuxiliary = 1;
            // S1 = H1 + 0.5 with the regional value H1 of the chosen cell (1.2): 1.7; S2 = 3.4;
            // S3 = 0.25; S4 = 1.25; S5 = 0.5; S6 has no formula.
            d.m_auxiliary = {"H1+0.5", "S1*2", "0.25", "S3+1", "2/4", "", "", ""};
            d.m_textH = "\"変化率計算書α\"\"作業量の説明\"\"施工の説明\"\"地域の説明\"";
            d.m_quantity = 100;
            d.m_unit = "点";
            d.m_shokushu[0] = 1001;
            masterbuild::AddLine(d, "観測", {100});
        }
        koshu.FindShubetsu(11)->GetDetail().m_textH = "\"変化率計算書αβ\"\"作業量の説明\"\"施工の説明\"";
        koshu.FindShubetsu(12)->GetDetail().m_textH = "\"変化率計算書施工\"\"施工の説明\"\"地域の説明\"";
        CHenkaritsuRecord& record = masterbuild::AddTableRecord(masterbuild::AddGroup(env.henkaritsu, 6), 7);
        record.m_columnTitles[0] = "都市部\\n変化率";
        record.m_columnTitles[1] = "山間\\n地域";
        record.m_columnTitles[2] = "補正率の区分";
        record.m_rowTitles[2] = "平地";
        record.SetCell(2, 3, 1200);
        record.SetCell(3, 3, 900);
    }

    CSekisanItem& Add(int type) {
        ItemListBuilder b(list);
        b.Gyomu(6).Koshu(10).Shubetsu(type, "基準点");
        CSekisanItem& item = b.Last();
        item.m_bKotei.fill(1);
        item.m_nRateCode[0] = 7;
        item.m_nRateCol[0] = 2;
        item.m_nRateRow[0] = 3;
        item.m_nLL[1] = 12345;  // 作業入力
        item.m_nLL[2] = 50000;  // 点数
        item.m_nLL[3] = 20000;  // 点数β
        item.m_nLL[4] = 30000;  // 施工入力
        item.m_nLL[6] = 11000;  // 補正係数
        return item;
    }

    // The page written for the item at index; null when no page was.
    std::unique_ptr<xlstest::Output> Run(int index) {
        CReportJob job;
        EXPECT_EQ(job.OpenTemplate(form), 1);
        CEstimateReport report(job, list, env, cover, 10, form);
        report.WriteHenkaritsuSheet(*report.PricingCopy(), index);
        if (job.Engine().PageCount() == 0) return nullptr;
        return BuiltOutput(job);
    }
};

}  // namespace

TEST_F(HenkaritsuSheetTest, TheSheetTheTextNamesWithTheBlocksOfEachType) {
    // 標準歩掛り: one line of 1.00 人 at 20,000 per 1.00 点 = 20,000; 作業歩掛り: × the formula S2 3.4
    // = 68,000 (業務 6 keeps the factor whole).
    const std::map<std::string, std::string> title = {{"**種別名称", "基準点測量変化率"}};
    const std::map<std::string, std::string> alpha = {
        {"**作業入力", "1.2345"}, {"**点数", "5"}, {"**係数αＮ", "1.7"}, {"**S7", "作業量の説明"}, {"**変化率", "3.4"}};
    const std::map<std::string, std::string> chiiki = {
        {"**地域区分01", "山間 地域"}, {"**地域区分02", "平地"},     {"**地域重量", "1.2"},
        {"**補正係数", "1.1"},         {"**標準歩掛り", "20000"},    {"**作業歩掛り", "68000"}};
    auto merged = [](std::initializer_list<std::map<std::string, std::string>> parts) {
        std::map<std::string, std::string> all;
        for (const auto& p : parts) all.insert(p.begin(), p.end());
        return all;
    };
    struct Case {
        int type;
        std::string sheet;
        std::map<std::string, std::string> cells;  // every other cell stays empty
    };
    const std::vector<Case> cases = {
        {10, "変化率計算書α",
         merged({title, alpha, chiiki,
                 {{"**施工入力", "3"}, {"**S8前", "施工の説明"}, {"**増減率", "0.5"}, {"**S8後", "地域の説明"}}})},
        // Type 11: the β block takes the third part; 施工 and 地域 get no text.
        {11, "変化率計算書αβ",
         merged({title, alpha, chiiki,
                 {{"**点数β", "2"}, {"**係数βＮ", "0.25"}, {"**S8", "施工の説明"}, {"**変化率β", "1.25"},
                  {"**施工入力", "3"}, {"**増減率", "0.5"}}})},
        {12, "変化率計算書施工",
         merged({title, chiiki,
                 {{"**施工入力", "3"}, {"**S8前", "施工の説明"}, {"**増減率", "0.5"}, {"**S8後", "地域の説明"}}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        list.RemoveAll();
        Add(c.type);
        const auto out = Run(2);
        ASSERT_TRUE(out);
        ASSERT_EQ(out->SheetCount(), 1);
        EXPECT_EQ(out->SheetNames()[0], c.sheet);
        for (const std::string& cell : kCells) {
            const auto it = c.cells.find(cell);
            EXPECT_EQ(out->Value(0, RefOf(cell)), it == c.cells.end() ? "" : it->second) << cell;
        }
    }
}

TEST_F(HenkaritsuSheetTest, MissingPartsRecordsHeadsAndFormulasLeaveTheirCellsEmpty) {
    CBukakeDetail& d = env.bukake.FindShubetsu(6, 10, 10)->GetDetail();
    struct Case {
        const char* name;
        std::function<void(CSekisanItem&)> change;
        std::string textH;
        std::map<std::string, std::string> cells;  // "" = empty
    };
    const std::vector<Case> cases = {
        // Only the sheet and the α text: 施工 and 地域 texts are empty.
        {"two parts", [](CSekisanItem&) {}, "\"変化率計算書α\"\"作業量の説明\"",
         {{"**S7", "作業量の説明"}, {"**S8前", ""}, {"**S8後", ""}, {"**増減率", "0.5"}}},
        // A column head holding 補正率 prints nothing; the value of its cell still does.
        {"head with 補正率", [](CSekisanItem& i) { i.m_nRateCol[0] = 3; }, d.m_textH,
         {{"**地域区分01", ""}, {"**地域区分02", "平地"}, {"**地域重量", "0.9"}}},
        // A head holding 変化率, a row without a head and a cell without a value.
        {"head with 変化率", [](CSekisanItem& i) { i.m_nRateCol[0] = 1; i.m_nRateRow[0] = 4; }, d.m_textH,
         {{"**地域区分01", ""}, {"**地域区分02", ""}, {"**地域重量", ""}, {"**補正係数", "1.1"}}},
        // No rate record: nothing of the 地域 block; no input: its cell stays empty.
        {"missing record", [](CSekisanItem& i) { i.m_nRateCode[0] = 99; i.m_nLL[4] = kUnset; }, d.m_textH,
         {{"**地域区分01", ""}, {"**補正係数", ""}, {"**標準歩掛り", ""}, {"**S8後", ""}, {"**施工入力", ""},
          {"**増減率", "0.5"}}},
    };
    const std::string standard = d.m_textH;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.m_textH = c.textH;
        list.RemoveAll();
        c.change(Add(10));
        const auto out = Run(2);
        ASSERT_TRUE(out);
        for (const auto& [cell, value] : c.cells) EXPECT_EQ(out->Value(0, RefOf(cell)), value) << cell;
    }
    d.m_textH = standard;
    // S5 without a formula: no 増減率.
    d.m_auxiliary[4].clear();
    list.RemoveAll();
    Add(10);
    const auto out = Run(2);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Value(0, RefOf("**増減率")), "");
    EXPECT_EQ(out->Value(0, RefOf("**変化率")), "3.4");
}

TEST_F(HenkaritsuSheetTest, OtherTypesMissingRowsAndAnUnnamedSheetWriteNoPage) {
    Add(13);                                    // a type of no sheet
    Add(10).m_nShubetsu = 77;                    // no such 種別
    CSekisanItem& koshuZero = Add(10);
    koshuZero.m_nKoshu = 0;
    Add(10);
    for (int index : {2, 5, 8, 40}) EXPECT_FALSE(Run(index)) << index;
    // A sheet text without quotes names no sheet: the template has none of that name.
    env.bukake.FindShubetsu(6, 10, 10)->GetDetail().m_textH = "変化率計算書α";
    EXPECT_FALSE(Run(11));
}
