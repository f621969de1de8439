// The estimate report of a sample estimate, priced from the sample data, read back by LibreOffice:
// every sheet shows the estimate's own names, units, quantities, prices and amounts, and the 一位代価表
// pages show the values the builder wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "EstimateFormTemplate.h"
#include "OracleSupport.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/HyoshiData.h"
#include "platform/FileUtil.h"
#include "platform/Rounding.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"

namespace {

using oracle::SheetValues;
using oracle::Value;

// What a row of the ruled 報告書 sheets shows, from the estimate's item.
void ExpectSokatsuRow(SheetValues& expected, int row, const CSekisanItem& item) {
    std::string upper = item.m_strNameUpper, lower = item.m_strNameLower;
    if (item.GetLevel() == 2) {
        upper = "  " + upper;
        lower = "    " + lower;
    }
    if (!upper.empty()) expected[{row, 1}] = upper;
    if (!lower.empty()) expected[{row + 1, 1}] = lower;
    if (!item.m_strUnit.empty()) expected[{row, 2}] = item.m_strUnit;
    if (!IsUnset(item.m_nQuantity)) expected[{row, 3}] = item.m_nQuantity / 1000.0;
    if (!IsUnset(item.m_nUnitPrice)) expected[{row, 4}] = item.m_nUnitPrice / 10.0;
    if (!IsUnset(item.m_nAmount)) {
        const double amount = item.m_nRounding > 0 ? RoundDown(item.m_nAmount, std::pow(10.0, item.m_nRounding))
                                                   : item.m_nAmount;
        expected[{row, 5}] = amount;
    }
    if (!item.m_strRemarkUpper.empty()) expected[{row, 6}] = item.m_strRemarkUpper;
    if (!item.m_strRemarkLower.empty()) expected[{row + 1, 6}] = item.m_strRemarkLower;
}

// A sample estimate priced from the sample data, each test's workbook saved in a folder of its own
// and read back by LibreOffice; without soffice the tests are skipped (failed under CI).
class EstimateReportOracle : public ::testing::Test {
protected:
    void SetUp() override {
        soffice = oracle::FindOnPath("soffice");
        if (soffice.empty()) {
            if (std::getenv("CI")) FAIL() << "soffice (libreoffice-calc-nogui) is not installed, and CI needs this test";
            GTEST_SKIP() << "soffice not found: install libreoffice-calc-nogui to run this test";
        }
        masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
    }
    // The sample estimate of that name, priced.
    void LoadPricedSample(CVemoWinDocData& doc, const char* name) {
        ASSERT_EQ(doc.LoadFile(vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder), name)), 1);
        EXPECT_TRUE(PriceSampleEstimate(doc, *masters).empty());
    }
    // The job's workbook saved as file in the folder, its bytes as built, and its sheets as LibreOffice reads them.
    void SaveAndReadBack(CReportJob& job, const char* file, std::string& bytes, std::vector<oracle::Sheet>& sheets) {
        ASSERT_EQ(job.Engine().Save(dir / file), XlsSaveError::none);
        ASSERT_TRUE(job.Engine().BuildXlsx(bytes));
        std::string why;
        ASSERT_TRUE(oracle::ReadWithLibreOffice(soffice, dir / file, dir.Path(), sheets, why)) << why;
    }

    std::string soffice;
    ScriptedHost host;
    TempFolder dir;
    std::unique_ptr<SampleEstimateMasters> masters;
};

// The value a sheet shows in a cell ("" when none).
Value Shown(std::vector<oracle::Sheet>& sheets, size_t sheet, int row, int column) {
    auto it = sheets[sheet].values.find({row, column});
    return it == sheets[sheet].values.end() ? Value(std::string()) : it->second;
}

TEST_F(EstimateReportOracle, ASampleEstimatesSheetsShowItsValues) {
    CVemoWinDocData doc;
    ASSERT_NO_FATAL_FAILURE(LoadPricedSample(doc, "設計サンプル.sei"));
    const CSekisanItemList& list = *doc.GetItemList();

    const std::string form = dir / "form.xlsx";
    WriteTestFile(form, estimateform::RuledForm());
    CHyoshiData cover;
    cover.m_printTitle = "御見積書";
    cover.m_subject = list.m_strKenmei;
    cover.m_amount = "￥１８，４８０，０００－";
    CReportJob job;
    CPrintSettings settings;
    settings.printHyoshi = 1;
    settings.pageBreakPerGyomu = 0;
    job.SetSettings(settings);
    CEstimateReport(job, list, *masters, cover, 10, form).BuildReport();
    std::string bytes;
    std::vector<oracle::Sheet> sheets;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(job, "report.xlsx", bytes, sheets));

    // The sheets: the cover, the 業務価格総括表, then the 総括表 pages of ten rows.
    std::vector<const CSekisanItem*> printed;
    for (int i = 0; i < list.GetCount(); ++i)
        if (!list.GetItem(i)->m_bNoPrint) printed.push_back(list.GetItem(i));
    const size_t pages = (printed.size() + 9) / 10;
    ASSERT_EQ(sheets.size(), 2 + pages);
    EXPECT_EQ(sheets[0].name, "表紙");
    EXPECT_EQ(sheets[1].name, "業務価格総括表");
    EXPECT_EQ(sheets[2].name, "報告書1");

    EXPECT_EQ(Shown(sheets, 0, 6, 1), Value(std::string("御見積書")));
    EXPECT_EQ(Shown(sheets, 0, 14, 3), Value(list.m_strKenmei));
    EXPECT_EQ(Shown(sheets, 0, 19, 2), Value(cover.m_amount));

    // 業務価格総括表: the 業務's price and the totals, numbered from 1, each with its amount.
    int line = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem& item = *list.GetItem(i);
        const bool koshu95 = item.GetLevel() == 1 && item.m_nKoshu == 95;
        const bool summary = item.GetLevel() == 0 && (item.m_nGyomu == 89 || item.m_nGyomu >= 95);
        if (item.m_bNoPrint || (!koshu95 && !summary)) continue;
        const int row = 7 + 2 * line++;  // after the heading row "委 託 費"
        EXPECT_EQ(Shown(sheets, 1, row, 2), Value(static_cast<double>(line))) << row;
        EXPECT_EQ(Shown(sheets, 1, row, 6), Value(static_cast<double>(item.m_nAmount))) << row;
        if (summary) {
            EXPECT_EQ(Shown(sheets, 1, row, 3), Value(item.m_strNameUpper)) << row;
        }
    }
    EXPECT_EQ(Shown(sheets, 1, 5, 1), Value(std::string("委 託 費")));
    EXPECT_GE(line, 5);

    // 総括表 and 内訳書: every printed row with its values, and no other number anywhere.
    for (size_t p = 0; p < pages; ++p) {
        SCOPED_TRACE(sheets[2 + p].name);
        SheetValues expected;
        for (size_t r = 0; r < 10 && p * 10 + r < printed.size(); ++r)
            ExpectSokatsuRow(expected, 6 + 2 * static_cast<int>(r), *printed[p * 10 + r]);
        expected[{3, 6}] = static_cast<double>(p + 1);  // the page number
        SheetValues& shown = sheets[2 + p].values;
        for (auto& [cell, value] : expected) {
            auto it = shown.find(cell);
            ASSERT_NE(it, shown.end()) << "row " << cell.first << " column " << cell.second;
            EXPECT_EQ(it->second, value) << "row " << cell.first << " column " << cell.second;
        }
        for (auto& [cell, value] : shown)
            if (std::holds_alternative<double>(value)) {
                EXPECT_TRUE(expected.count(cell)) << "a number at row " << cell.first << " column " << cell.second;
            }
    }
}

TEST_F(EstimateReportOracle, TheBreakdownPagesOfASampleEstimateShowTheValuesWritten) {
    CVemoWinDocData doc;
    ASSERT_NO_FATAL_FAILURE(LoadPricedSample(doc, "設計サンプル.sei"));
    // Its 種別 rows numbered 1, 2, … for the breakdown.
    CSekisanItemList list;
    list.Copy(*doc.GetItemList());
    int number = 0;
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetItem(i)->GetLevel() == 2) list.GetItem(i)->m_nDaikaNo = ++number;
    ASSERT_GE(number, 1);

    // A 代価表 sheet of six columns from row 1.
    const std::string form = dir / "form.xlsx";
    WriteTestFile(form, estimateform::BuildForm({estimateform::PlainSheet(
                            "代価表", {{"A1", "**名称"}, {"B1", "**数量"}, {"C1", "**単位"}, {"D1", "**単価"},
                                       {"E1", "**金額"}, {"F1", "**摘要"}, {"G1", "**ページ"}})}));
    CReportJob job;
    ASSERT_EQ(job.OpenTemplate(form), 1);
    CHyoshiData cover;
    const int last = CEstimateReport(job, list, *masters, cover, 10, form).BuildDaikaSheets(0);
    ASSERT_GE(last, 1);
    std::string bytes;
    std::vector<oracle::Sheet> sheets;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(job, "daika.xlsx", bytes, sheets));
    xlstest::Output written(bytes);
    ASSERT_EQ(static_cast<int>(sheets.size()), written.SheetCount());
    int numbers = 0;
    for (size_t p = 0; p < sheets.size(); ++p) {
        SCOPED_TRACE(sheets[p].name);
        for (int row = 1; row <= 40; ++row)
            for (int column = 1; column <= 7; ++column) {
                const std::string ref = std::string(1, static_cast<char>('A' + column - 1)) + std::to_string(row);
                const std::string text = written.Value(static_cast<int>(p), ref);
                const Value shown = Shown(sheets, p, row, column);
                if (std::holds_alternative<double>(shown)) {
                    ++numbers;
                    EXPECT_DOUBLE_EQ(std::get<double>(shown), std::stod(text)) << ref;
                } else {
                    EXPECT_EQ(std::get<std::string>(shown), text) << ref;
                }
            }
    }
    EXPECT_GE(numbers, 5);
}

// The breakdown of the sample 区画整理 estimate over the shipped colour form, with the road
// calculation on: its 代価表, 代価歩掛明細表, 単価表, change-rate sheets and 業務地区条件設定表 read
// back by LibreOffice show every value the engine wrote.
TEST_F(EstimateReportOracle, TheBreakdownSheetsOfEveryKindShowTheValuesWritten) {
    masters->settings.DouroCalc = 1;
    CVemoWinDocData doc;
    ASSERT_NO_FATAL_FAILURE(LoadPricedSample(doc, "区画整理サンプル.sei"));

    const std::string form = std::string(VEMO_PRINT_FORMS_DIR) + "/ｶﾗｰA4形式.xlsx";
    CReportJob job;
    CPrintSettings settings;
    settings.printDaika = 1;
    settings.printDaikaMeisai = 1;
    job.SetSettings(settings);
    ASSERT_EQ(job.OpenTemplate(form), 1);
    CHyoshiData cover;
    ASSERT_GE(CEstimateReport(job, *doc.GetItemList(), *masters, cover, 10, form).BuildDaikaSheets(0), 1);
    std::string bytes;
    std::vector<oracle::Sheet> sheets;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(job, "daika.xlsx", bytes, sheets));
    xlstest::Output written(bytes);
    ASSERT_EQ(static_cast<int>(sheets.size()), written.SheetCount());
    std::set<std::string> kinds;
    int numbers = 0, texts = 0;
    for (size_t p = 0; p < sheets.size(); ++p) {
        const std::string name = written.SheetNames()[p];
        SCOPED_TRACE(name);
        EXPECT_EQ(sheets[p].name, name);
        kinds.insert(name.substr(0, name.find(" (")));
        for (pugi::xml_node row : written.Sheet(static_cast<int>(p)).child("sheetData").children("row"))
            for (pugi::xml_node c : row.children("c")) {
                const std::string ref = c.attribute("r").value();
                const std::string text = written.Value(static_cast<int>(p), ref);
                if (text.empty()) continue;
                const size_t digits = ref.find_first_of("0123456789");
                int column = 0;
                for (size_t i = 0; i < digits; ++i) column = column * 26 + (ref[i] - 'A' + 1);
                const Value shown = Shown(sheets, p, std::stoi(ref.substr(digits)), column);
                if (!c.attribute("t")) {
                    ++numbers;
                    ASSERT_TRUE(std::holds_alternative<double>(shown)) << ref;
                    EXPECT_DOUBLE_EQ(std::get<double>(shown), std::stod(text)) << ref;
                } else {
                    ++texts;
                    EXPECT_EQ(shown, Value(text)) << ref;
                }
            }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"代価表", "代価歩掛明細表", "単価表", "変化率計算書α", "変化率計算書αβ",
                                            "変化率計算書施工", "業務地区条件設定表"}));
    EXPECT_GE(numbers, 300);
    EXPECT_GE(texts, 300);
}

}  // namespace
