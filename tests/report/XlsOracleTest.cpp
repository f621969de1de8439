// LibreOffice as an independent reader: a saved workbook converted to a flat OpenDocument
// spreadsheet must show, sheet by sheet, exactly the values that were written and the template's own.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <variant>

#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/XlsReportEngine.h"

namespace {

using Value = std::variant<std::string, double>;
using SheetValues = std::map<std::pair<int, int>, Value>;  // (row, column) → value

// The text of a paragraph: spaces, tabs and line breaks are elements of their own.
void ParagraphText(pugi::xml_node node, std::string& out) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        std::string_view name(c.name());
        if (c.type() == pugi::node_pcdata) out += c.value();
        else if (name == "text:s") out.append(static_cast<size_t>(c.attribute("text:c").as_int(1)), ' ');
        else if (name == "text:tab") out += '\t';
        else if (name == "text:line-break") out += '\n';
        else ParagraphText(c, out);
    }
}

void ReadRows(pugi::xml_node parent, int& row, SheetValues& values) {
    for (pugi::xml_node r = parent.first_child(); r; r = r.next_sibling()) {
        std::string_view name(r.name());
        if (name == "table:table-header-rows" || name == "table:table-rows" || name == "table:table-row-group") {
            ReadRows(r, row, values);
            continue;
        }
        if (name != "table:table-row") continue;
        int repeat = r.attribute("table:number-rows-repeated").as_int(1);
        int column = 1;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            std::string_view cn(c.name());
            if (cn != "table:table-cell" && cn != "table:covered-table-cell") continue;
            int across = c.attribute("table:number-columns-repeated").as_int(1);
            std::string_view type(c.attribute("office:value-type").value());
            for (int dr = 0; dr < repeat && !type.empty(); ++dr)
                for (int dc = 0; dc < across; ++dc) {
                    if (type == "float") {
                        values[{row + dr, column + dc}] = c.attribute("office:value").as_double();
                    } else {
                        std::string text;
                        for (pugi::xml_node p = c.child("text:p"); p; p = p.next_sibling("text:p")) {
                            if (p != c.child("text:p")) text += '\n';
                            ParagraphText(p, text);
                        }
                        values[{row + dr, column + dc}] = text;
                    }
                }
            column += across;
        }
        row += repeat;
    }
}

}  // namespace

TEST(ReportOracle, LibreOfficeReadsTheValuesWritten) {
    std::string soffice = xlstest::FindOnPath("soffice");
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

    std::string command = "'" + soffice + "' --headless --norestore --convert-to fods --outdir '" + dir.Path() +
                          "' -env:UserInstallation=file://" + dir.Path() + "/profile '" + (dir / "oracle.xlsx") +
                          "' > '" + (dir / "soffice.log") + "' 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    ASSERT_TRUE(std::filesystem::exists(dir / "oracle.fods")) << ReadTestFile(dir / "soffice.log");

    pugi::xml_document fods;
    ASSERT_TRUE(fods.load_file((dir / "oracle.fods").c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
    pugi::xml_node spreadsheet = fods.child("office:document").child("office:body").child("office:spreadsheet");
    std::vector<std::string> names;
    std::vector<SheetValues> shown;
    for (pugi::xml_node table = spreadsheet.child("table:table"); table; table = table.next_sibling("table:table")) {
        names.push_back(table.attribute("table:name").value());
        int row = 1;
        shown.emplace_back();
        ReadRows(table, row, shown.back());
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
