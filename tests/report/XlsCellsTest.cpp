// Named cells, addresses, error numbers and the values written into cells.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "ReportTestFixture.h"
#include "platform/Cp932.h"

using xlstest::Output;

static std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST_F(ReportEngineTest, CellLookupsByNameOffsetAndAddress) {
    struct Case {
        const char* name;
        int dx, dy;
        int error;
        const char* ref;  // the cell written, none when the lookup fails
    } cases[] = {
        {"**名称", 0, 0, 0, "A1"},         // the first of two cells named so, in row order
        {"**名称", 1, 2, 0, "B3"},
        {"**単位", 0, 0, 0, "B2"},         // an inline string
        {"**備考", 0, 0, 0, "D2"},         // rich text; the phonetic run is not part of the name
        {"**備考", -3, 5, 0, "A7"},
        {"B3", 0, 0, 0, "B3"},
        {"$c$7", 1, 0, 0, "D7"},
        {"XFD1048576", 0, 0, 0, "XFD1048576"},
        {"**名称", -1, 0, 39, nullptr},   // left of column A
        {"XFD1", 1, 0, 39, nullptr},
        {"**なし", 0, 0, 37, nullptr},
        {"plain", 0, 0, 37, nullptr},      // a text without "**" is no name
        {"**", 0, 0, 37, nullptr},
        {"見出し", 0, 0, 37, nullptr},
        {"XFE1", 0, 0, 37, nullptr},       // beyond the last column
        {"", 0, 0, 37, nullptr},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        m_engine.PageBegin("代価表", "1");
        m_engine.Cell(cases[i].name, cases[i].dx, cases[i].dy);
        EXPECT_EQ(m_engine.GetErrorNo(), cases[i].error) << i;
        m_engine.PutValueString("v" + std::to_string(i));
        EXPECT_EQ(m_engine.GetErrorNo(), cases[i].error) << i << ": a write keeps the lookup's error number";
        m_engine.PageEnd();
    }
    auto out = Out();
    ASSERT_EQ(out->SheetCount(), static_cast<int>(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::string value = "v" + std::to_string(i);
        int found = 0;
        for (auto& n : out->Sheet(static_cast<int>(i)).select_nodes("sheetData/row/c/is/t"))
            if (value == n.node().text().get()) ++found;
        EXPECT_EQ(found, cases[i].ref ? 1 : 0) << i;
        if (cases[i].ref) {
            EXPECT_EQ(out->Value(static_cast<int>(i), cases[i].ref), value) << i;
        }
    }
}

TEST_F(ReportEngineTest, NamedCellsShowBlankWithTheirFormat) {
    Page("代価表", [] {});
    auto out = Out();
    struct Case {
        const char* ref;
        int style;
        const char* value;  // nullptr: blank
    } cases[] = {
        {"A1", 1, nullptr}, {"B2", 2, nullptr}, {"D2", 0, nullptr}, {"C3", 0, nullptr},
        {"B1", 0, "見出し"}, {"D4", 0, "plain"}, {"E4", 0, "12.5"},
    };
    for (auto& c : cases) {
        ASSERT_TRUE(out->Cell(0, c.ref)) << c.ref;
        EXPECT_EQ(out->Style(0, c.ref), c.style) << c.ref;
        if (c.value) {
            EXPECT_EQ(out->Value(0, c.ref), c.value) << c.ref;
        } else {
            EXPECT_FALSE(out->HasValue(0, c.ref) || out->Cell(0, c.ref).attribute("t")) << c.ref;
        }
    }
}

TEST_F(ReportEngineTest, ErrorNumbersAndIgnoredWrites) {
    CXlsReportEngine fresh;
    fresh.Cell("A1");
    EXPECT_EQ(fresh.GetErrorNo(), 30);
    fresh.PageBegin("代価表");
    EXPECT_EQ(fresh.GetErrorNo(), 30);
    EXPECT_FALSE(fresh.HasOpenPage());

    // A sheet the template lacks: no page opens, and what follows is ignored until a page begins.
    m_engine.PageBegin("内訳書");
    EXPECT_EQ(m_engine.GetErrorNo(), 36);
    EXPECT_FALSE(m_engine.HasOpenPage());
    m_engine.Cell("**名称");
    EXPECT_EQ(m_engine.GetErrorNo(), 38);
    m_engine.PutValueString("lost");
    m_engine.Pos(1, 1, 2, 2);
    EXPECT_EQ(m_engine.GetErrorNo(), 38);
    m_engine.AttrPutJoint(1);
    m_engine.PageEnd();
    EXPECT_EQ(m_engine.PageCount(), 0);

    m_engine.PageBegin("代価表");
    EXPECT_EQ(m_engine.GetErrorNo(), 0);
    m_engine.Cell("**なし");
    m_engine.PutValueString(" ");  // the probe of an optional cell
    EXPECT_EQ(m_engine.GetErrorNo(), 37);
    m_engine.Pos(0, 1, 1, 1);
    EXPECT_EQ(m_engine.GetErrorNo(), 39);
    m_engine.Pos(1, 1, 16385, 1);
    EXPECT_EQ(m_engine.GetErrorNo(), 39);
    m_engine.Pos(3, 9, 1, 8);  // corners in any order; values go to the top-left cell
    EXPECT_EQ(m_engine.GetErrorNo(), 0);
    m_engine.PutValueLong(5);
    m_engine.AttrPutPosHorz(99);
    EXPECT_EQ(m_engine.GetErrorNo(), 40);
    m_engine.PageEnd();
    // After the page ends nothing is selected and nothing can be written.
    m_engine.PutValueString("late");
    m_engine.Cell("**名称");
    EXPECT_EQ(m_engine.GetErrorNo(), 38);
    m_engine.PutValueString("late");

    auto out = Out();
    ASSERT_EQ(out->SheetCount(), 1);
    EXPECT_EQ(out->Value(0, "A8"), "5");
    for (auto& n : out->Sheet(0).select_nodes("sheetData/row/c/is/t")) {
        EXPECT_STRNE(n.node().text().get(), "lost");
        EXPECT_STRNE(n.node().text().get(), "late");
    }
    EXPECT_TRUE(out->Merges(0) == (std::vector<std::string>{"D4:E4", "A6:B6"}));
}

TEST_F(ReportEngineTest, NumbersAsIntegersOrShortestDoubles) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::optional<std::string> stored;
    } cases[] = {
        {1500.0, "1500"}, {1500.25, "1500.25"}, {0.1, "0.1"}, {-3, "-3"}, {1e300, "1e+300"},
        {-0.0, "0"}, {2147483647.0, "2147483647"}, {-2147483648.0, "-2147483648"},
        {2147483648.0, "2147483648"}, {2147483647.5, "2147483647.5"}, {1.0 / 3, "0.3333333333333333"},
        {5e-324, "5e-324"}, {nan, std::nullopt}, {inf, std::nullopt}, {-inf, std::nullopt},
    };
    Page("代価表", [&] {
        for (size_t i = 0; i < std::size(cases); ++i) {
            m_engine.Cell("**名称", 7, static_cast<int>(i));
            m_engine.PutValueString("old");  // replaced by the number, or emptied by a non-finite one
            m_engine.PutValueDouble(cases[i].value);
        }
        m_engine.Cell("A20");
        m_engine.PutValueLong(int64_t{1} << 40);
        m_engine.Cell("A21");
        m_engine.PutValueLong(-5);
        m_engine.Cell("E4");  // a template number replaced by a text
        m_engine.PutValueString("文字");
    });
    auto out = Out();
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::string ref = "H" + std::to_string(i + 1);
        pugi::xml_node c = out->Cell(0, ref);
        ASSERT_TRUE(c) << ref;
        EXPECT_FALSE(c.attribute("t")) << ref;
        EXPECT_FALSE(c.child("is")) << ref;
        if (cases[i].stored) {
            EXPECT_EQ(out->Value(0, ref), *cases[i].stored) << ref;
        } else {
            EXPECT_FALSE(c.child("v")) << ref;
        }
    }
    EXPECT_EQ(out->Value(0, "A20"), "1099511627776");
    EXPECT_EQ(out->Value(0, "A21"), "-5");
    EXPECT_EQ(out->Value(0, "E4"), "文字");
    EXPECT_FALSE(out->Cell(0, "E4").child("v"));
}

TEST_F(ReportEngineTest, TextsEscapedAndCut) {
    const std::string emoji = "\xF0\x9F\x98\x80";  // one character, two UTF-16 units
    struct Case {
        std::string text;
        std::optional<std::string> stored;  // the XML text of the cell; none: the cell is empty
        std::string shown;                  // what a reader shows after undoing the escapes
    } cases[] = {
        {"a\x01" "b", "a_x0001_b", "a\x01" "b"},
        {std::string("nul\0end", 7), "nul_x0000_end", std::string("nul\0end", 7)},
        {"cr\rlf", "cr_x000D_lf", "cr\rlf"},
        {"line1\nline2\ttab", "line1\nline2\ttab", "line1\nline2\ttab"},
        {"_x0041_", "_x005F_x0041_", "_x0041_"},
        {"_x41_ and _xZZZZ_", "_x41_ and _xZZZZ_", "_x41_ and _xZZZZ_"},
        {"<&>\"'", "<&>\"'", "<&>\"'"},
        {"\xEF\xBF\xBE", "_xFFFE_", "\xEF\xBF\xBE"},
        {"bad\xFF" "byte", "bad\xEF\xBF\xBD" "byte", "bad\xEF\xBF\xBD" "byte"},
        {"  前後の空白  ", "  前後の空白  ", "  前後の空白  "},
        {vemo::Cp932ToUtf8("\xED\x40\xFA\x4A"), "纊Ⅰ", "纊Ⅰ"},  // read from other codes: no code marks
        {" ", " ", " "},
        {"", std::nullopt, ""},
        {Repeat("あ", 40000), Repeat("あ", 32767), Repeat("あ", 32767)},
        {std::string(32766, 'a') + emoji, std::string(32766, 'a'), std::string(32766, 'a')},  // no half pair
        {std::string(32765, 'a') + emoji + "z", std::string(32765, 'a') + emoji, std::string(32765, 'a') + emoji},
    };
    Page("代価表", [&] {
        for (size_t i = 0; i < std::size(cases); ++i) {
            m_engine.Cell("**名称", 8, static_cast<int>(i));
            m_engine.PutValueString(cases[i].text);
        }
    });
    auto out = Out();
    XlsWorkbook model = m_engine.Model();
    ASSERT_EQ(model.sheets.size(), 1u);
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::string ref = "I" + std::to_string(i + 1);
        pugi::xml_node c = out->Cell(0, ref);
        ASSERT_TRUE(c) << ref;
        if (!cases[i].stored) {
            EXPECT_FALSE(out->HasValue(0, ref)) << ref;
            continue;
        }
        EXPECT_STREQ(c.attribute("t").value(), "inlineStr") << ref;
        EXPECT_EQ(out->Value(0, ref), *cases[i].stored) << ref;
        const XlsCell* cell = model.sheets[0].FindCell(static_cast<int>(i) + 1, 9);
        ASSERT_TRUE(cell) << ref;
        EXPECT_EQ(cell->text, cases[i].shown) << ref;
    }
}

TEST_F(ReportEngineTest, SharedFormulasSurviveAWriteIntoTheirFirstCell) {
    Page("式", [&] {
        m_engine.Cell("B1");
        m_engine.PutValueLong(9);
    });
    auto out = Out();
    EXPECT_EQ(out->Value(0, "B1"), "9");
    EXPECT_FALSE(out->Cell(0, "B1").child("f"));
    struct Case {
        const char* ref;
        const char* formula;
    } cases[] = {{"B2", "A2*2+$A$1"}, {"B3", "A3*2+$A$1"}};
    for (auto& c : cases) {
        pugi::xml_node f = out->Cell(0, c.ref).child("f");
        EXPECT_STREQ(f.text().get(), c.formula) << c.ref;
        EXPECT_FALSE(f.attribute("t")) << c.ref;
        // The cached result was computed from other values; the workbook recalculates on opening.
        EXPECT_FALSE(out->Cell(0, c.ref).child("v")) << c.ref;
    }
    EXPECT_STREQ(out->Workbook().child("workbook").child("calcPr").attribute("fullCalcOnLoad").value(), "1");
}

TEST_F(ReportEngineTest, NewCellsTakeTheFormatOfTheirRowOrColumn) {
    Page("代価表", [&] {
        struct {
            const char* ref;
        } writes[] = {{"E6"}, {"C9"}, {"H9"}};
        for (auto& w : writes) {
            m_engine.Cell(w.ref);
            m_engine.PutValueString("x");
        }
    });
    auto out = Out();
    EXPECT_EQ(out->Style(0, "E6"), 3);  // row 6 has a format of its own
    EXPECT_EQ(out->Style(0, "C9"), 2);  // column C has one
    EXPECT_EQ(out->Style(0, "H9"), 0);
    // New rows and cells keep the sheet in order.
    std::vector<int> rows;
    for (pugi::xml_node r : out->Sheet(0).child("sheetData").children("row")) rows.push_back(r.attribute("r").as_int());
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_EQ(rows.back(), 9);
    EXPECT_EQ(std::string(out->Sheet(0).child("dimension").attribute("ref").value()), "A1:H9");
}
