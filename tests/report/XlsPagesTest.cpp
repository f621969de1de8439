// Pages: which are output and under what names; merges and alignments of their cells.
#include <map>

#include "ReportTestFixture.h"

using xlstest::kLongJapaneseSheetName;
using xlstest::kLongSheetName;

TEST_F(ReportEngineTest, OnlyEndedPagesAreOutputAndARebegunPageReplacesTheOpenOne) {
    m_engine.PageBegin("代価表");
    m_engine.Cell("**名称");
    m_engine.PutValueString("first");
    m_engine.PageBegin("単価表");  // drops the open 代価表 page
    m_engine.Cell("**単価");
    m_engine.PutValueString("second");
    m_engine.PageEnd();
    m_engine.PageBegin("代価表");  // never ended
    m_engine.Cell("**名称");
    m_engine.PutValueString("third");
    EXPECT_TRUE(m_engine.HasOpenPage());
    EXPECT_EQ(m_engine.PageCount(), 1);

    auto out = Out();
    ASSERT_TRUE(out->SheetNames() == std::vector<std::string>{"単価表"});
    EXPECT_EQ(out->Value(0, "A1"), "second");
    for (auto& [name, bytes] : out->Parts()) {
        EXPECT_EQ(bytes.find("first"), std::string::npos) << name;
        EXPECT_EQ(bytes.find("third"), std::string::npos) << name;
    }
}

TEST_F(ReportEngineTest, PagesNamedAfterTheirTemplateSheetWithinThirtyOneCharacters) {
    auto cut = [](const std::string& name, size_t chars) {
        // Both long names are made of characters of one width: 1 byte (ASCII) or 3 (kana, kanji).
        size_t width = name.size() / 31;
        return name.substr(0, chars * width);
    };
    // A template whose second sheet is named like a numbered copy of the first, in other letter case.
    xlstest::TemplateContent copies;
    copies.sheets = {{"Sheet", xlstest::SheetXml("")}, {"sheet (2)", xlstest::SheetXml("")}};
    std::string copiesPath = m_dir / "copies.xlsx";
    WriteTestFile(copiesPath, xlstest::BuildTemplate(copies));
    struct Case {
        std::vector<std::string> sheets;
        std::vector<std::string> names;
        std::string templatePath = "";
    } cases[] = {
        {{"代価表", "代価表", "単価表", "代価表"}, {"代価表", "代価表 (2)", "単価表", "代価表 (3)"}},
        {{kLongSheetName, kLongSheetName, kLongSheetName},
         {kLongSheetName, cut(kLongSheetName, 27) + " (2)", cut(kLongSheetName, 27) + " (3)"}},
        {{kLongJapaneseSheetName, kLongJapaneseSheetName},
         {kLongJapaneseSheetName, cut(kLongJapaneseSheetName, 27) + " (2)"}},
        {std::vector<std::string>(10, kLongSheetName), {}},
        {{"sheet (2)", "Sheet", "Sheet", "Sheet"}, {"sheet (2)", "Sheet", "Sheet (3)", "Sheet (4)"}, copiesPath},
    };
    for (auto& c : cases) {
        ASSERT_EQ(m_engine.OpenTemplate(c.templatePath.empty() ? m_template : c.templatePath), XlsOpenError::none);
        for (auto& s : c.sheets) Page(s, [] {});
        auto out = Out();
        std::vector<std::string> names = out->SheetNames();
        if (!c.names.empty()) {
            EXPECT_EQ(names, c.names);
        } else {
            ASSERT_EQ(names.size(), 10u);
            EXPECT_EQ(names[8], cut(kLongSheetName, 27) + " (9)");
            EXPECT_EQ(names[9], cut(kLongSheetName, 26) + " (10)");
        }
    }
}

TEST_F(ReportEngineTest, JoinsMergeAndReplaceTheMergesTheyOverlap) {
    struct Join {
        int x1, y1, x2, y2, joint;
    };
    struct Case {
        std::string sheet;
        std::vector<Join> joins;
        std::vector<std::string> merges;
    } cases[] = {
        {"代価表", {}, {"D4:E4", "A6:B6"}},
        {"代価表", {{2, 1, 4, 1, 1}, {5, 3, 5, 4, 1}, {1, 8, 1, 8, 1}}, {"A6:B6", "B1:D1", "E3:E4"}},
        {"代価表", {{1, 6, 1, 6, 0}}, {"D4:E4"}},
        {"代価表", {{1, 1, 9, 9, 1}}, {"A1:I9"}},
        {"代価表", {{4, 4, 4, 4, 1}}, {"A6:B6"}},  // a one-cell join only drops the merge it overlaps
        {"単価表", {{1, 7, 2, 7, 1}, {2, 7, 3, 8, 1}}, {"B7:C8"}},
        {"単価表", {}, {}},
    };
    for (auto& c : cases)
        Page(c.sheet, [&] {
            for (auto& j : c.joins) {
                m_engine.Pos(j.x1, j.y1, j.x2, j.y2);
                m_engine.AttrPutJoint(j.joint);
            }
        });
    auto out = Out();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(out->Merges(static_cast<int>(i)), cases[i].merges) << i;
        pugi::xml_node merges = out->Sheet(static_cast<int>(i)).child("mergeCells");
        if (cases[i].merges.empty()) {
            EXPECT_FALSE(merges) << i;
            continue;
        }
        EXPECT_EQ(merges.attribute("count").as_uint(), cases[i].merges.size()) << i;
        // mergeCells sits between sheetData and the page settings, as the schema orders them.
        EXPECT_STREQ(merges.previous_sibling().name(), "sheetData") << i;
        EXPECT_STREQ(merges.next_sibling().name(), i < 5 ? "printOptions" : "pageMargins") << i;
    }
}

TEST_F(ReportEngineTest, AlignmentClonesEachFormatOnceAndReusesEqualOnes) {
    const size_t templateFormats = 4;
    auto alignPage = [&](int x1, int y1, int x2, int y2, int alignment) {
        Page("代価表", [&] {
            m_engine.Pos(x1, y1, x2, y2);
            m_engine.AttrPutPosHorz(alignment);
        });
    };
    alignPage(1, 1, 2, 2, xlsHorzLeft);    // page 0: A1 (1), B1 (0), A2 (new, 0), B2 (2)
    alignPage(1, 1, 2, 2, xlsHorzLeft);    // page 1: the same again
    alignPage(3, 5, 3, 5, xlsHorzCenter);  // page 2: C5 (new, 2 from column C)
    alignPage(2, 2, 2, 2, xlsHorzGeneral); // page 3: B2 (2) without its alignment
    alignPage(2, 2, 2, 2, xlsHorzRight);   // page 4: B2 is right-aligned already
    auto out = Out();
    std::vector<pugi::xml_node> xfs = out->CellFormats();
    ASSERT_EQ(xfs.size(), templateFormats + 4);
    EXPECT_EQ(out->Styles().child("styleSheet").child("cellXfs").attribute("count").as_uint(), xfs.size());
    struct Expect {
        int page;
        const char* ref;
        int style;
    } cells[] = {
        {0, "A1", 4}, {0, "B1", 3}, {0, "A2", 3}, {0, "B2", 5},  // B1, A2: equal to the template's format 3
        {1, "A1", 4}, {1, "B1", 3}, {1, "A2", 3}, {1, "B2", 5},
        {2, "C5", 6}, {3, "B2", 7}, {4, "B2", 2},
    };
    for (auto& e : cells) EXPECT_EQ(out->Style(e.page, e.ref), e.style) << e.page << " " << e.ref;
    struct Format {
        size_t xf;
        int font, fill, border, numFmt;
        const char* horizontal;
        const char* vertical;
    } formats[] = {
        {4, 1, 2, 1, 164, "left", ""},
        {5, 0, 0, 0, 0, "left", "center"},
        {6, 0, 0, 0, 0, "center", "center"},
        {7, 0, 0, 0, 0, "", "center"},
    };
    for (auto& f : formats) {
        pugi::xml_node xf = xfs[f.xf];
        EXPECT_EQ(xf.attribute("fontId").as_int(), f.font) << f.xf;
        EXPECT_EQ(xf.attribute("fillId").as_int(), f.fill) << f.xf;
        EXPECT_EQ(xf.attribute("borderId").as_int(), f.border) << f.xf;
        EXPECT_EQ(xf.attribute("numFmtId").as_int(), f.numFmt) << f.xf;
        EXPECT_STREQ(xf.attribute("applyAlignment").value(), "1") << f.xf;
        EXPECT_STREQ(xf.child("alignment").attribute("horizontal").value(), f.horizontal) << f.xf;
        EXPECT_STREQ(xf.child("alignment").attribute("vertical").value(), f.vertical) << f.xf;
    }
}

// A table of two lines of two rows each (rows 2–5), a total under it and a note further down; the
// page copies its second line twice and everything below moves down four rows.
TEST_F(ReportEngineTest, RowsCopiedIntoAPageMoveWhatLiesBelow) {
    using xlstest::InlineCell;
    auto line = [](int row) {
        const std::string a = std::to_string(row), b = std::to_string(row + 1);
        return "<row r=\"" + a + "\" ht=\"20\" customHeight=\"1\">" +
               (row == 2 ? InlineCell("A2", "**名称", 3) + InlineCell("B2", "**金額", 1) : "<c r=\"A" + a + "\" s=\"3\"/><c r=\"B" + a + "\" s=\"1\"/>") +
               "</row><row r=\"" + b + "\" ht=\"12\" customHeight=\"1\"><c r=\"A" + b + "\" s=\"3\"/><c r=\"B" + b + "\" s=\"1\"/></row>";
    };
    xlstest::TemplateContent content;
    content.sheets = {{"表", xlstest::SheetXml(
                                 "<row r=\"1\">" + InlineCell("A1", "**題") + "</row>" + line(2) + line(4) +
                                     "<row r=\"6\" ht=\"18\" customHeight=\"1\">" + InlineCell("A6", "**合計", 2) + "</row>"
                                     "<row r=\"8\">" + InlineCell("A8", "下") + "</row>",
                                 "<mergeCells count=\"4\"><mergeCell ref=\"A1:B1\"/><mergeCell ref=\"B2:B3\"/>"
                                 "<mergeCell ref=\"B4:B5\"/><mergeCell ref=\"C2:C7\"/></mergeCells>"
                                 "<conditionalFormatting sqref=\"A2:A6 A8\"><cfRule type=\"expression\" priority=\"1\">"
                                 "<formula>FALSE</formula></cfRule></conditionalFormatting>"
                                 "<rowBreaks count=\"1\" manualBreakCount=\"1\"><brk id=\"6\" max=\"16383\" man=\"1\"/></rowBreaks>")}};
    content.definedNames = "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">表!$A$1:$C$8</definedName>"
                           "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">表!$1:$1</definedName>";
    WriteTestFile(m_dir / "表.xlsx", xlstest::BuildTemplate(content));
    ASSERT_EQ(m_engine.OpenTemplate(m_dir / "表.xlsx"), XlsOpenError::none) << m_engine.FailureDetail();
    m_engine.PageBegin("表");
    // Lines under the cells of the table: B has a thin border all round (format 1), A none (3).
    EXPECT_TRUE(m_engine.HasLineBelow(2, 5));
    EXPECT_FALSE(m_engine.HasLineBelow(1, 5));
    EXPECT_FALSE(m_engine.HasLineBelow(2, 6));
    m_engine.RepeatRows(4, 5, 2);
    EXPECT_EQ(m_engine.GetErrorNo(), 0);
    int x = 0, y = 0;
    ASSERT_TRUE(m_engine.CellPosition("**合計", x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(1, 10));
    ASSERT_TRUE(m_engine.CellPosition("**名称", x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(1, 2));
    EXPECT_FALSE(m_engine.CellPosition("**無い", x, y));
    EXPECT_EQ(m_engine.GetErrorNo(), static_cast<int>(XlsErrorNo::noCell));
    EXPECT_TRUE(m_engine.HasLineBelow(2, 9));  // a copied line is ruled like its source
    m_engine.Cell("**金額", 0, 6);
    m_engine.PutValueLong(700);
    m_engine.Cell("**合計");
    m_engine.PutValueLong(900);
    m_engine.Cell("A12");  // an address names the page's own cell
    m_engine.PutValueString("住所");
    m_engine.PageEnd();
    // A page begun afterwards is the template's again.
    m_engine.PageBegin("表");
    m_engine.Cell("**合計");
    m_engine.PutValueLong(1);
    m_engine.PageEnd();

    auto out = Out();
    EXPECT_EQ(out->Value(0, "B8"), "700");
    EXPECT_EQ(out->Value(0, "A10"), "900");
    EXPECT_EQ(out->Value(0, "A12"), "住所");  // "下" moved there, and was written over
    EXPECT_EQ(out->Value(1, "A6"), "1");
    EXPECT_EQ(out->Merges(0), (std::vector<std::string>{"A1:B1", "B2:B3", "B4:B5", "C2:C11", "B6:B7", "B8:B9"}));
    EXPECT_EQ(out->Merges(1), (std::vector<std::string>{"A1:B1", "B2:B3", "B4:B5", "C2:C7"}));
    // The copies: heights and formats of rows 4 and 5, no values.
    pugi::xml_node sheet = out->Sheet(0);
    for (int row : {6, 7, 8, 9}) {
        SCOPED_TRACE(row);
        pugi::xml_node r = sheet.child("sheetData").find_child_by_attribute("row", "r", std::to_string(row).c_str());
        ASSERT_TRUE(r);
        EXPECT_STREQ(r.attribute("ht").value(), row % 2 == 0 ? "20" : "12");
        EXPECT_EQ(out->Style(0, "A" + std::to_string(row)), 3);
        EXPECT_EQ(out->Style(0, "B" + std::to_string(row)), 1);
    }
    EXPECT_FALSE(out->HasValue(0, "B6"));
    EXPECT_EQ(out->Style(0, "A10"), 2);
    // Rows stay in order, each once.
    int previous = 0;
    for (pugi::xml_node r : sheet.child("sheetData").children("row")) {
        EXPECT_GT(r.attribute("r").as_int(), previous);
        previous = r.attribute("r").as_int();
    }
    EXPECT_STREQ(sheet.child("conditionalFormatting").attribute("sqref").value(), "A2:A10 A12");
    EXPECT_STREQ(sheet.child("rowBreaks").child("brk").attribute("id").value(), "10");
    std::vector<std::string> names;
    for (pugi::xml_node dn : out->Workbook().child("workbook").child("definedNames").children("definedName"))
        names.push_back(std::string(dn.attribute("localSheetId").value()) + " " + dn.text().get());
    EXPECT_EQ(names, (std::vector<std::string>{"0 '表'!$A$1:$C$12", "0 '表'!$1:$1", "1 '表 (2)'!$A$1:$C$8", "1 '表 (2)'!$1:$1"}));

    // Refused: no page, and rows that would run off the sheet.
    m_engine.RepeatRows(4, 5, 1);
    EXPECT_EQ(m_engine.GetErrorNo(), static_cast<int>(XlsErrorNo::noPage));
    m_engine.PageBegin("表");
    for (auto [first, last, times] : {std::tuple(0, 1, 1), std::tuple(5, 4, 1), std::tuple(4, 5, 0), std::tuple(4, 5, 600000)}) {
        m_engine.RepeatRows(first, last, times);
        EXPECT_EQ(m_engine.GetErrorNo(), static_cast<int>(XlsErrorNo::badPosition)) << first << " " << last << " " << times;
    }
    ASSERT_TRUE(m_engine.CellPosition("**合計", x, y));
    EXPECT_EQ(y, 6);
}

// Rows copied in three times, into a block of copies and below it, with cells written before and after:
// every row of the template stands where the blocks above it put it, once, written or shared.
TEST_F(ReportEngineTest, RowsCopiedInSeveralTimesKeepEveryRowInItsPlace) {
    using xlstest::InlineCell;
    std::string rows;
    for (int r = 1; r <= 10; ++r) {
        const std::string n = std::to_string(r);
        rows += "<row r=\"" + n + "\">" + InlineCell("A" + n, "t" + n) + "<c r=\"B" + n + "\" s=\"1\"/>" +
                (r == 8 ? InlineCell("C8", "**名") : "") + "</row>";
    }
    xlstest::TemplateContent content;
    content.sheets = {{"表", xlstest::SheetXml(rows)}};
    content.definedNames = "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">表!$A$1:$C$10</definedName>";
    WriteTestFile(m_dir / "表.xlsx", xlstest::BuildTemplate(content));
    ASSERT_EQ(m_engine.OpenTemplate(m_dir / "表.xlsx"), XlsOpenError::none) << m_engine.FailureDetail();
    m_engine.PageBegin("表");
    m_engine.Cell("B8");
    m_engine.PutValueString("w8");   // the page's own row before anything moves
    m_engine.RepeatRows(3, 3, 2);    // rows 4 and 5 copies of 3; template rows 4–10 at 6–12
    m_engine.RepeatRows(5, 5, 1);    // a copy of a copy at 6, inside the block; template rows 4–10 at 7–13
    m_engine.RepeatRows(9, 10, 1);   // template rows 6 and 7 copied to 11 and 12; 8–10 at 13–15
    EXPECT_EQ(m_engine.GetErrorNo(), 0);
    int x = 0, y = 0;
    ASSERT_TRUE(m_engine.CellPosition("**名", x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(3, 13));
    EXPECT_TRUE(m_engine.HasLineBelow(2, 11));  // a copy of a shared row keeps its format
    m_engine.Cell("A15");
    m_engine.PutValueString("w15");  // template row 10, shared until written
    m_engine.PageEnd();

    auto out = Out();
    const std::map<int, std::string> values{{1, "t1"}, {2, "t2"}, {3, "t3"}, {7, "t4"},  {8, "t5"},
                                            {9, "t6"}, {10, "t7"}, {13, "t8"}, {14, "t9"}, {15, "w15"}};
    for (int row = 1; row <= 15; ++row) {
        SCOPED_TRACE(row);
        const std::string a = "A" + std::to_string(row);
        if (auto it = values.find(row); it != values.end())
            EXPECT_EQ(out->Value(0, a), it->second);
        else
            EXPECT_FALSE(out->HasValue(0, a));  // a copy
        EXPECT_EQ(out->Style(0, "B" + std::to_string(row)), 1);
    }
    EXPECT_EQ(out->Value(0, "B13"), "w8");
    EXPECT_FALSE(out->HasValue(0, "C13"));  // the named cell, shown blank
    pugi::xml_node sheet = out->Sheet(0);
    std::vector<int> numbers;
    for (pugi::xml_node r : sheet.child("sheetData").children("row")) {
        numbers.push_back(r.attribute("r").as_int());
        for (pugi::xml_node c : r.children("c"))
            EXPECT_EQ(std::string(c.attribute("r").value()).substr(1), r.attribute("r").value());
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_STREQ(sheet.child("dimension").attribute("ref").value(), "A1:C15");
    EXPECT_EQ(std::string(out->Workbook().child("workbook").child("definedNames").child("definedName").text().get()),
              "'表'!$A$1:$C$15");
}

// Rows copied in are refused when what lies lowest on the page (a row of the template, one written, a
// merge) would move past the sheet's last row; the page stays as it was.
TEST_F(ReportEngineTest, RowsCopiedInThatWouldPushTheLastRowsOffTheSheetAreRefused) {
    using xlstest::InlineCell;
    struct Case {
        const char* what;
        std::string rows, after;
        const char* written;  // a cell written before the rows are copied in, or ""
        int times;
        int error;
        const char* lowest;   // where the lowest cell stands afterwards
    } cases[] = {
        {"a template row", "<row r=\"1048570\">" + InlineCell("A1048570", "x") + "</row>", "", "", 7,
         static_cast<int>(XlsErrorNo::badPosition), "A1048570"},
        {"a template row that fits", "<row r=\"1048570\">" + InlineCell("A1048570", "x") + "</row>", "", "", 6, 0,
         "A1048576"},
        {"a merge", "", "<mergeCells count=\"1\"><mergeCell ref=\"C1048570:D1048576\"/></mergeCells>", "", 1,
         static_cast<int>(XlsErrorNo::badPosition), ""},
        {"a written cell", "", "", "A1048576", 1, static_cast<int>(XlsErrorNo::badPosition), "A1048576"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        xlstest::TemplateContent content;
        content.sheets = {{"表", xlstest::SheetXml("<row r=\"1\">" + InlineCell("A1", "top") + "</row>" + c.rows, c.after)}};
        const std::string path = m_dir / ("end" + std::to_string(++n) + ".xlsx");
        WriteTestFile(path, xlstest::BuildTemplate(content));
        ASSERT_EQ(m_engine.OpenTemplate(path), XlsOpenError::none) << m_engine.FailureDetail();
        m_engine.PageBegin("表");
        if (*c.written) {
            m_engine.Cell(c.written);
            m_engine.PutValueString("x");
        }
        m_engine.RepeatRows(1, 1, c.times);
        EXPECT_EQ(m_engine.GetErrorNo(), c.error);
        m_engine.PageEnd();
        auto out = Out();
        if (*c.lowest) {
            EXPECT_EQ(out->Value(0, c.lowest), "x");
        }
        if (!c.after.empty()) {
            EXPECT_EQ(out->Merges(0), std::vector<std::string>{"C1048570:D1048576"});
        }
        EXPECT_EQ(out->Value(0, "A1"), "top");
    }
}

TEST_F(ReportEngineTest, VerticalAlignmentClonesTheFormatAndKeepsItsOtherSettings) {
    Page("代価表", [&] {
        m_engine.Pos(1, 1, 2, 1);  // A1 (format 1), B1 (format 0)
        m_engine.AttrPutPosVert(xlsVertCenter);
        m_engine.Pos(2, 2, 2, 2);  // B2: format 2, right-aligned and centred
        m_engine.AttrPutPosVert(xlsVertBottom);
        m_engine.Pos(1, 1, 1, 1);
        m_engine.AttrPutPosVert(99);
        EXPECT_EQ(m_engine.GetErrorNo(), static_cast<int>(XlsErrorNo::badValue));
    });
    auto out = Out();
    const std::vector<pugi::xml_node> xfs = out->CellFormats();
    auto alignment = [&](const char* ref) { return xfs.at(static_cast<size_t>(out->Style(0, ref))).child("alignment"); };
    EXPECT_STREQ(alignment("A1").attribute("vertical").value(), "center");
    EXPECT_EQ(xfs.at(static_cast<size_t>(out->Style(0, "A1"))).attribute("numFmtId").as_int(), 164);  // format 1's number format
    EXPECT_STREQ(alignment("B1").attribute("vertical").value(), "center");
    EXPECT_STREQ(alignment("B2").attribute("horizontal").value(), "right");
    EXPECT_FALSE(alignment("B2").attribute("vertical"));  // bottom is the default
}
