// LibreOffice opens each shipped print form: it must find the same sheets and every named cell where
// the workbook has it, and a filled page must show the 摘要 of a negative amount in brackets.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "OracleSupport.h"
#include "XlsTestSupport.h"
#include "report/XlsReportEngine.h"

namespace {

const std::string kFolder = VEMO_PRINT_FORMS_DIR;
const std::vector<std::string> kForms = {"ｶﾗｰA4形式", "ﾓﾉｸﾛA4通常形式", "ﾓﾉｸﾛA4承認形式", "ﾓﾉｸﾛA4内訳詳細形式",
                                         "全地連ﾓﾉｸﾛA4通常形式", "マスター用"};

using Shown = std::map<std::pair<int, int>, std::string>;  // (row, column) → the text LibreOffice shows

void ParagraphText(pugi::xml_node node, std::string& out) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        std::string_view name(c.name());
        if (c.type() == pugi::node_pcdata) out += c.value();
        else if (name == "text:s") out.append(static_cast<size_t>(c.attribute("text:c").as_int(1)), ' ');
        else if (name == "text:line-break") out += '\n';
        else ParagraphText(c, out);
    }
}

void ReadRows(pugi::xml_node parent, int& row, Shown& shown) {
    for (pugi::xml_node r = parent.first_child(); r; r = r.next_sibling()) {
        std::string_view name(r.name());
        if (name == "table:table-header-rows" || name == "table:table-rows" || name == "table:table-row-group") {
            ReadRows(r, row, shown);
            continue;
        }
        if (name != "table:table-row") continue;
        const int repeat = r.attribute("table:number-rows-repeated").as_int(1);
        int column = 1;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            std::string_view cn(c.name());
            if (cn != "table:table-cell" && cn != "table:covered-table-cell") continue;
            const int across = c.attribute("table:number-columns-repeated").as_int(1);
            std::string text;
            for (pugi::xml_node p = c.child("text:p"); p; p = p.next_sibling("text:p")) {
                if (p != c.child("text:p")) text += '\n';
                ParagraphText(p, text);
            }
            if (!text.empty())
                for (int dr = 0; dr < repeat; ++dr)
                    for (int dc = 0; dc < across; ++dc) shown[{row + dr, column + dc}] = text;
            column += across;
        }
        row += repeat;
    }
}

// The sheets of a flat OpenDocument spreadsheet with what their cells show.
std::vector<std::pair<std::string, Shown>> ReadFods(const std::string& path) {
    std::vector<std::pair<std::string, Shown>> sheets;
    pugi::xml_document doc;
    if (!doc.load_file(path.c_str(), pugi::parse_default | pugi::parse_ws_pcdata)) {
        ADD_FAILURE() << "cannot read " << path;
        return sheets;
    }
    pugi::xml_node spreadsheet = doc.child("office:document").child("office:body").child("office:spreadsheet");
    for (pugi::xml_node table = spreadsheet.child("table:table"); table; table = table.next_sibling("table:table")) {
        int row = 1;
        sheets.emplace_back(table.attribute("table:name").value(), Shown());
        ReadRows(table, row, sheets.back().second);
    }
    return sheets;
}

// The named cells of a workbook by sheet, as the tests' own reader finds them.
std::vector<std::pair<std::string, Shown>> NamedCells(const std::string& bytes) {
    xlstest::Output out(bytes);
    std::vector<std::pair<std::string, Shown>> sheets;
    for (int s = 0; s < out.SheetCount(); ++s) {
        sheets.emplace_back(out.SheetNames()[static_cast<size_t>(s)], Shown());
        for (pugi::xml_node row : out.Sheet(s).child("sheetData").children("row"))
            for (pugi::xml_node c : row.children("c")) {
                std::string text = out.Value(s, c.attribute("r").value());
                if (text.compare(0, 2, "**") != 0) continue;
                std::string ref = c.attribute("r").value();
                size_t digits = ref.find_first_of("0123456789");
                int column = 0;
                for (size_t i = 0; i < digits; ++i) column = column * 26 + (ref[i] - 'A' + 1);
                sheets.back().second[{std::stoi(ref.substr(digits)), column}] = text;
            }
    }
    return sheets;
}

}  // namespace

TEST(PrintFormOracle, LibreOfficeOpensEveryForm) {
    std::string soffice = oracle::FindOnPath("soffice");
    if (soffice.empty()) {
        if (std::getenv("CI")) FAIL() << "soffice (libreoffice-calc-nogui) is not installed, and CI needs this test";
        GTEST_SKIP() << "soffice not found: install libreoffice-calc-nogui to run this test";
    }
    TempFolder dir;
    std::vector<std::string> inputs;
    for (size_t i = 0; i < kForms.size(); ++i) {
        // Plain names for the command line; the forms themselves are unchanged.
        const std::string copy = dir / ("form" + std::to_string(i) + ".xlsx");
        std::filesystem::copy_file(kFolder + "/" + kForms[i] + ".xlsx", copy);
        inputs.push_back(copy);
    }

    // A 代価表 page of a monochrome form with a negative amount in 摘要, as the breakdown builders write it.
    CXlsReportEngine engine;
    ASSERT_EQ(engine.OpenTemplate(kFolder + "/ﾓﾉｸﾛA4通常形式.xlsx"), XlsOpenError::none) << engine.FailureDetail();
    engine.PageBegin("代価表");
    engine.Cell("**名称");
    engine.PutValueString("人　件　費　計");
    engine.Cell("**金額");
    engine.PutValueLong(12345);
    engine.Cell("**摘要");
    engine.PutValueLong(-5000);
    engine.PageEnd();
    ASSERT_EQ(engine.Save(dir / "filled.xlsx"), XlsSaveError::none) << engine.FailureDetail();
    inputs.push_back(dir / "filled.xlsx");

    std::string why;
    ASSERT_TRUE(oracle::ConvertWithLibreOffice(soffice, inputs, dir.Path(), why)) << why;

    for (size_t i = 0; i < kForms.size(); ++i) {
        SCOPED_TRACE(kForms[i]);
        const std::string fods = dir / ("form" + std::to_string(i) + ".fods");
        ASSERT_TRUE(std::filesystem::exists(fods));
        auto shown = ReadFods(fods);
        auto named = NamedCells(ReadTestFile(kFolder + "/" + kForms[i] + ".xlsx"));
        ASSERT_EQ(shown.size(), named.size());
        for (size_t s = 0; s < named.size(); ++s) {
            EXPECT_EQ(shown[s].first, named[s].first);
            for (auto& [at, name] : named[s].second) {
                auto it = shown[s].second.find(at);
                ASSERT_NE(it, shown[s].second.end()) << named[s].first << " " << name;
                EXPECT_EQ(it->second, name) << named[s].first;
            }
        }
    }

    auto filled = ReadFods(dir / "filled.fods");
    ASSERT_EQ(filled.size(), 1u);
    auto named = NamedCells(ReadTestFile(kFolder + "/ﾓﾉｸﾛA4通常形式.xlsx"));
    std::map<std::string, std::pair<int, int>> where;
    for (auto& [name, cells] : named)
        if (name == "代価表")
            for (auto& [at, text] : cells) where[text] = at;
    EXPECT_EQ(filled[0].second[where.at("**名称")], "人　件　費　計");
    EXPECT_EQ(filled[0].second[where.at("**金額")].substr(0, 6), "12,345");
    EXPECT_EQ(filled[0].second[where.at("**摘要")], "( 5,000 )");
}
