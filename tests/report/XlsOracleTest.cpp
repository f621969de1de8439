// LibreOffice as an independent reader: a saved workbook converted to a flat OpenDocument
// spreadsheet must show, sheet by sheet, exactly the values that were written and the template's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <variant>

#include "OracleSupport.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/XlsReportEngine.h"

using oracle::SheetValues;
using oracle::Value;

TEST(ReportOracle, LibreOfficeReadsTheValuesWritten) {
    std::string soffice = oracle::FindOnPath("soffice");
    if (soffice.empty()) {
        if (std::getenv("CI")) FAIL() << "soffice (libreoffice-calc-nogui) is not installed, and CI needs this test";
        GTEST_SKIP() << "soffice not found: install libreoffice-calc-nogui to run this test";
    }
    TempFolder dir;
    WriteTestFile(dir / "template.xlsx", xlstest::BuildTemplate(xlstest::StandardTemplate()));
    CXlsReportEngine engine;
    ASSERT_EQ(engine.OpenTemplate(dir / "template.xlsx"), XlsOpenError::none) << engine.FailureDetail();

    // What each sheet must show: the template's own values, then the writes.
    SheetValues daika = {{{1, 2}, std::string("見出し")}, {{4, 4}, std::string("plain")}, {{4, 5}, 12.5},
                         {{4, 6}, std::string("**")}};
    std::vector<SheetValues> expected = {daika, {{{3, 3}, 7.0}}, daika};
    struct Write {
        const char* name;
        int dx, dy;
        Value value;
        int row, column;  // the cell that shows it
    } writes[] = {
        {"**名称", 0, 0, std::string("測量業務 第1号"), 1, 1},
        {"**単位", 0, 1, 1500.25, 3, 2},
        {"**名称", 0, 2, std::string("  先頭と末尾の空白  "), 3, 1},
        {"**備考", 0, 0, 0.1, 2, 4},
        {"G10", 0, 0, -3.0, 10, 7},
        {"G11", 0, 0, 1e300, 11, 7},
        {"G12", 0, 0, 2147483647.0, 12, 7},
        {"G13", 0, 0, std::string("改行\nあり"), 13, 7},
        {"B8", 0, 0, std::string("結合 <&> \"'"), 8, 2},
    };
    engine.PageBegin("代価表");
    for (auto& w : writes) {
        engine.Cell(w.name, w.dx, w.dy);
        ASSERT_EQ(engine.GetErrorNo(), 0) << w.name;
        if (auto* text = std::get_if<std::string>(&w.value)) engine.PutValueString(*text);
        else engine.PutValueDouble(std::get<double>(w.value));
        expected[0][{w.row, w.column}] = w.value;
    }
    engine.Pos(2, 8, 4, 8);
    engine.AttrPutJoint(1);
    engine.AttrPutPosHorz(xlsHorzLeft);
    engine.PageEnd();
    engine.PageBegin("単価表");
    engine.Cell("**単価");
    engine.PutValueLong(42);
    engine.PageEnd();
    expected[1][{1, 1}] = 42.0;
    engine.PageBegin("代価表");
    engine.PageEnd();
    ASSERT_EQ(engine.Save(dir / "oracle.xlsx"), XlsSaveError::none) << engine.FailureDetail();

    std::vector<oracle::Sheet> sheets;
    std::string why;
    ASSERT_TRUE(oracle::ReadWithLibreOffice(soffice, dir / "oracle.xlsx", dir.Path(), sheets, why)) << why;
    std::vector<std::string> names;
    std::vector<SheetValues> shown;
    for (oracle::Sheet& sheet : sheets) {
        names.push_back(sheet.name);
        shown.push_back(std::move(sheet.values));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"代価表", "単価表", "代価表 (2)"}));
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t s = 0; s < shown.size(); ++s) {
        for (auto& [pos, value] : expected[s]) {
            auto it = shown[s].find(pos);
            ASSERT_NE(it, shown[s].end()) << "sheet " << s << " row " << pos.first << " column " << pos.second;
            EXPECT_EQ(it->second, value) << "sheet " << s << " row " << pos.first << " column " << pos.second;
        }
        for (auto& [pos, value] : shown[s])
            EXPECT_TRUE(expected[s].count(pos)) << "sheet " << s << " shows a value at row " << pos.first << " column "
                                                << pos.second;
    }
}
