// Templates that open or are refused, saving, and the model of the output for the preview.
#include <filesystem>
#include <functional>

#include "ReportTestFixture.h"

using namespace xlstest;

namespace {

Parts Replace(Parts parts, const std::string& name, const std::string& bytes) {
    for (auto& p : parts)
        if (p.first == name) p.second = bytes;
    return parts;
}

int CountFiles(const std::string& folder) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(folder)) {
        (void)e;
        ++n;
    }
    return n;
}

}  // namespace

TEST_F(ReportEngineTest, DamagedTemplatesLeaveNoWorkbook) {
    const Parts good = TemplateParts(StandardTemplate());
    const std::string zip = ZipParts(good);
    struct Case {
        const char* what;
        std::string bytes;  // written as the template; "-" for no file at all
        XlsOpenError error;
        bool modelReadsIt = false;  // the model reader passes over cells and rows it cannot place
    } cases[] = {
        {"missing file", "-", XlsOpenError::fileMissing},
        {"text file", "this is no workbook, only text long enough", XlsOpenError::notZip},
        {"empty file", "", XlsOpenError::notZip},
        {"cut zip", zip.substr(0, zip.size() / 2), XlsOpenError::notZip},
        // The workbook part's data (the entries the engine does not read are never inflated).
        {"damaged entry", [&] {
             std::string b = zip;
             const size_t header = b.find("xl/workbook.xml") - 30;  // its local header
             auto u16 = [&](size_t at) { return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8; };
             const size_t data = header + 30 + u16(header + 26) + u16(header + 28);
             b[data + 10] ^= 0x5A;
             b[data + 11] ^= 0x5A;
             return b;
         }(),
         XlsOpenError::notZip},
        {"zip of other files", ZipParts({{"readme.txt", "hello"}}), XlsOpenError::noWorkbook},
        {"workbook part missing",
         ZipParts({good[0], good[1], {"xl/styles.xml", TestStylesXml()}}), XlsOpenError::noWorkbook},
        {"workbook not XML", ZipParts(Replace(good, "xl/workbook.xml", "<workbook><sheets>")), XlsOpenError::damagedXml},
        {"sheet not XML", ZipParts(Replace(good, "xl/worksheets/sheet2.xml", "<worksheet><sheetData><row>")),
         XlsOpenError::damagedXml},
        {"sheet of another kind", ZipParts(Replace(good, "xl/worksheets/sheet2.xml", "<chartsheet/>")), XlsOpenError::damagedXml},
        {"bad cell address", ZipParts(Replace(good, "xl/worksheets/sheet2.xml", SheetXml("<row r=\"1\"><c r=\"1A\"/></row>"))),
         XlsOpenError::damagedXml, true},
        {"cell in the wrong row", ZipParts(Replace(good, "xl/worksheets/sheet2.xml", SheetXml("<row r=\"1\"><c r=\"A2\"/></row>"))),
         XlsOpenError::damagedXml, true},
        {"bad row number", ZipParts(Replace(good, "xl/worksheets/sheet2.xml", SheetXml("<row r=\"0\"/>"))), XlsOpenError::damagedXml,
         true},
        {"styles not XML", ZipParts(Replace(good, "xl/styles.xml", "<styleSheet")), XlsOpenError::damagedXml},
        {"shared strings not XML", ZipParts(Replace(good, "xl/sharedStrings.xml", "<sst><si>")), XlsOpenError::damagedXml},
        {"relationships not XML", ZipParts(Replace(good, "xl/_rels/workbook.xml.rels", "<Relationships")),
         XlsOpenError::damagedXml},
        {"sheet part missing", [&] {
             Parts p = good;
             std::erase_if(p, [](auto& part) { return part.first == "xl/worksheets/sheet3.xml"; });
             return ZipParts(p);
         }(),
         XlsOpenError::missingPart},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(m_engine.OpenTemplate(m_template), XlsOpenError::none);
        Page("代価表", [] {});
        std::string path = m_dir / (std::string(c.what) + ".xlsx");
        if (c.bytes != "-") WriteTestFile(path, c.bytes);
        EXPECT_EQ(m_engine.OpenTemplate(path), c.error);
        EXPECT_FALSE(m_engine.FailureDetail().empty());
        EXPECT_FALSE(m_engine.HasWorkbook());
        EXPECT_EQ(m_engine.PageCount(), 0);
        m_engine.PageBegin("代価表");
        EXPECT_EQ(m_engine.GetErrorNo(), 30);
        EXPECT_FALSE(m_engine.HasOpenPage());
        std::string target = m_dir / "out.xlsx";
        EXPECT_EQ(m_engine.Save(target), XlsSaveError::noWorkbook);
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_TRUE(m_engine.Model().sheets.empty());
        // The model reader refuses the same bytes for the same reason.
        if (c.bytes != "-") {
            XlsWorkbook model;
            EXPECT_EQ(ReadXlsWorkbook(c.bytes, model), c.modelReadsIt ? XlsOpenError::none : c.error);
            EXPECT_EQ(model.sheets.empty(), !c.modelReadsIt);
        }
    }
    m_engine.PutFileName("");
    EXPECT_EQ(m_engine.StartFile(), XlsOpenError::noFileName);
}

TEST_F(ReportEngineTest, ASecondTemplateDropsTheFirst) {
    Page("代価表", [&] {
        m_engine.Pos(1, 1, 1, 1);
        m_engine.AttrPutPosHorz(xlsHorzCenter);
    });
    // A template with one sheet, no shared strings and no styles part.
    TemplateContent cover;
    cover.sheets = {{"表紙", SheetXml("<row r=\"2\">" + InlineCell("B2", "**件名") + "</row>")}};
    cover.withStyles = false;
    std::string path = m_dir / "表紙.xlsx";
    WriteTestFile(path, BuildTemplate(cover));
    ASSERT_EQ(m_engine.OpenTemplate(path), XlsOpenError::none) << m_engine.FailureDetail();
    EXPECT_EQ(m_engine.PageCount(), 0);
    m_engine.PageBegin("代価表");
    EXPECT_EQ(m_engine.GetErrorNo(), 36);
    Page("表紙", [&] {
        m_engine.Cell("**件名");
        m_engine.PutValueString("測量業務");
        m_engine.AttrPutPosHorz(xlsHorzCenter);
    });
    auto out = Out();
    EXPECT_EQ(out->SheetNames(), std::vector<std::string>{"表紙"});
    EXPECT_EQ(out->Value(0, "B2"), "測量業務");
    EXPECT_EQ(out->Parts().count("xl/sharedStrings.xml"), 0u);
    // The plain format of a workbook without styles, and one centred copy of it.
    ASSERT_EQ(out->CellFormats().size(), 2u);
    EXPECT_EQ(out->Style(0, "B2"), 1);
    EXPECT_STREQ(out->CellFormats()[1].child("alignment").attribute("horizontal").value(), "center");
}

TEST_F(ReportEngineTest, SavedWorkbookReadsBack) {
    Page("代価表", [&] {
        m_engine.Cell("**名称");
        m_engine.PutValueString("測量");
        m_engine.Cell("**単位", 0, 1);
        m_engine.PutValueDouble(1500.25);
    });
    Page("単価表", [&] {
        m_engine.Cell("**単価");
        m_engine.PutValueLong(42);
    });
    Page("代価表", [] {});
    std::string path = m_dir / "見積書.xlsx";
    ASSERT_EQ(m_engine.Save(path), XlsSaveError::none) << m_engine.FailureDetail();
    std::string bytes = ReadTestFile(path);
    Output out(bytes);

    // Exactly the parts a workbook of these pages needs: no drawing, printer settings or calc chain.
    std::vector<std::string> names;
    for (auto& [name, b] : out.Parts()) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "xl/_rels/workbook.xml.rels",
                                               "xl/sharedStrings.xml", "xl/styles.xml", "xl/workbook.xml",
                                               "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                                               "xl/worksheets/sheet3.xml"}));
    for (const char* part : {"/xl/workbook.xml", "/xl/worksheets/sheet3.xml", "/xl/styles.xml", "/xl/sharedStrings.xml"})
        EXPECT_NE(out.Parts().at("[Content_Types].xml").find(std::string("PartName=\"") + part + "\""), std::string::npos) << part;

    EXPECT_EQ(out.SheetNames(), (std::vector<std::string>{"代価表", "単価表", "代価表 (2)"}));
    EXPECT_EQ(out.Value(0, "A1"), "測量");
    EXPECT_EQ(out.Value(0, "B3"), "1500.25");
    EXPECT_EQ(out.Value(1, "A1"), "42");
    EXPECT_EQ(out.Value(2, "B1"), "見出し");
    EXPECT_FALSE(out.HasValue(2, "A1"));

    // Print areas and titles point at each page's own sheet; other names are not carried over.
    struct Name {
        const char* name;
        int sheet;
        const char* formula;
    } expected[] = {
        {"_xlnm.Print_Area", 0, "'代価表'!$A$1:$F$6"},
        {"_xlnm.Print_Titles", 0, "'代価表'!$1:$1"},
        {"_xlnm.Print_Area", 1, "'単価表'!$A$1:$C$3,'単価表'!$E$1:$F$2"},
        {"_xlnm.Print_Area", 2, "'代価表 (2)'!$A$1:$F$6"},
        {"_xlnm.Print_Titles", 2, "'代価表 (2)'!$1:$1"},
    };
    size_t i = 0;
    for (pugi::xml_node dn : out.Workbook().child("workbook").child("definedNames").children("definedName")) {
        ASSERT_LT(i, std::size(expected));
        EXPECT_STREQ(dn.attribute("name").value(), expected[i].name) << i;
        EXPECT_EQ(dn.attribute("localSheetId").as_int(), expected[i].sheet) << i;
        EXPECT_STREQ(dn.text().get(), expected[i].formula) << i;
        ++i;
    }
    EXPECT_EQ(i, std::size(expected));

    // The page layout of the template sheet, copied.
    pugi::xml_node ws = out.Sheet(2);
    EXPECT_EQ(ws.select_node("cols/col[@min='1']").node().attribute("width").as_double(), 20.5);
    EXPECT_EQ(ws.select_node("sheetData/row[@r='1']").node().attribute("ht").as_double(), 18);
    EXPECT_EQ(ws.child("pageMargins").attribute("left").as_double(), 0.5);
    EXPECT_STREQ(ws.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_EQ(ws.child("pageSetup").attribute("paperSize").as_int(), 9);
    EXPECT_FALSE(ws.child("pageSetup").attribute("r:id"));
    EXPECT_STREQ(ws.child("headerFooter").child_value("oddFooter"), "&P / &N");
    EXPECT_STREQ(ws.child("printOptions").attribute("horizontalCentered").value(), "1");
    EXPECT_STREQ(ws.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").value(), "1");
    EXPECT_EQ(ws.select_node("rowBreaks/brk").node().attribute("id").as_int(), 3);
    EXPECT_FALSE(ws.child("drawing"));
    EXPECT_EQ(out.Merges(2), (std::vector<std::string>{"D4:E4", "A6:B6"}));
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(out.Sheet(s).child("sheetViews").child("sheetView").attribute("tabSelected").as_int(), s == 0 ? 1 : 0) << s;

    // The same pages give the same bytes.
    std::string again;
    ASSERT_TRUE(m_engine.BuildXlsx(again));
    EXPECT_EQ(again, bytes);
}

TEST_F(ReportEngineTest, FailedSavesLeaveTheOldFile) {
    const std::string old = "old workbook bytes";
    std::string existing = m_dir / "既存.xlsx";
    WriteTestFile(existing, old);
    WriteTestFile(m_dir / "plain-file", "x");
    std::filesystem::create_directory(m_dir / "folder");
    CXlsReportEngine closed;
    struct Case {
        const char* what;
        std::function<XlsSaveError()> save;
        XlsSaveError error;
    } cases[] = {
        {"no workbook", [&] { return closed.Save(existing); }, XlsSaveError::noWorkbook},
        {"no pages", [&] { return m_engine.Save(existing); }, XlsSaveError::noPages},
        {"folder is a file", [&] { Page("単価表", [] {}); return m_engine.Save(m_dir / "plain-file/out.xlsx"); },
         XlsSaveError::writeFailed},
        {"target is a folder", [&] { return m_engine.Save(m_dir / "folder"); }, XlsSaveError::writeFailed},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.save(), c.error);
        EXPECT_EQ(ReadTestFile(existing), old);
        EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder"));
        EXPECT_EQ(CountFiles(m_dir.Path()), 4);  // template, 既存.xlsx, plain-file, folder: no temporary file left
    }
    EXPECT_FALSE(m_engine.FailureDetail().empty());
    // Saved through a link: the file it points to is replaced, and the link stays.
    const std::string link = m_dir / "リンク.xlsx";
    std::filesystem::create_symlink("既存.xlsx", link);
    ASSERT_EQ(m_engine.Save(link), XlsSaveError::none);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadTestFile(existing), old);
}

TEST_F(ReportEngineTest, ModelOfTheOutputForThePreview) {
    m_engine.OptionPutViewCaption("VemoOvra 印刷プレビュー");
    m_engine.OptionPutViewZoom(-3);
    m_engine.OptionPutDspInvalidArea(0);
    m_engine.OptionPutDspMarginArea(0);
    EXPECT_EQ(m_engine.ViewOptions().caption, "VemoOvra 印刷プレビュー");
    EXPECT_EQ(m_engine.ViewOptions().zoom, -3);
    EXPECT_FALSE(m_engine.ViewOptions().showInvalidArea);
    EXPECT_FALSE(m_engine.ViewOptions().showMarginArea);

    EXPECT_TRUE(m_engine.Model().sheets.empty());
    Page("代価表", [&] {
        m_engine.Cell("**名称");
        m_engine.PutValueString("測量");
        m_engine.Cell("**単位");
        m_engine.PutValueDouble(0.1);
        m_engine.Pos(1, 8, 3, 8);
        m_engine.AttrPutJoint(1);
    });
    Page("単価表", [] {});
    XlsWorkbook model = m_engine.Model();
    ASSERT_EQ(model.sheets.size(), 2u);
    const XlsSheet& s = model.sheets[0];
    EXPECT_EQ(s.name, "代価表");
    EXPECT_EQ(model.sheets[1].name, "単価表");

    struct CellCase {
        int row, column;
        XlsValueKind kind;
        const char* text;
        double number;
        int style;
    } cells[] = {
        {1, 1, XlsValueKind::text, "測量", 0, 1},
        {1, 2, XlsValueKind::text, "見出し", 0, 0},
        {2, 2, XlsValueKind::number, "", 0.1, 2},
        {2, 4, XlsValueKind::empty, "", 0, 0},  // a named cell, blank
        {4, 5, XlsValueKind::number, "", 12.5, 0},
    };
    for (auto& c : cells) {
        const XlsCell* cell = s.FindCell(c.row, c.column);
        ASSERT_TRUE(cell) << c.row << "," << c.column;
        EXPECT_EQ(cell->kind, c.kind) << c.row << "," << c.column;
        EXPECT_EQ(cell->text, c.text) << c.row << "," << c.column;
        EXPECT_EQ(cell->number, c.number) << c.row << "," << c.column;
        EXPECT_EQ(cell->style, c.style) << c.row << "," << c.column;
    }
    EXPECT_EQ(s.FindCell(5, 5), nullptr);

    EXPECT_EQ(s.ColumnWidth(1), 20.5);
    EXPECT_EQ(s.ColumnWidth(3), 9.25);
    EXPECT_NEAR(s.ColumnWidth(4), 8 + 5.0 / 7, 1e-12);
    EXPECT_EQ(s.RowHeight(1), 18);
    EXPECT_EQ(s.RowHeight(2), 13.5);
    EXPECT_EQ(s.merges, (std::vector<XlsRange>{{4, 4, 4, 5}, {6, 1, 6, 2}, {8, 1, 8, 3}}));
    EXPECT_EQ(s.printArea, (std::vector<XlsRange>{{1, 1, 6, 6}}));
    EXPECT_EQ(model.sheets[1].printArea, (std::vector<XlsRange>{{1, 1, 3, 3}, {1, 5, 2, 6}}));
    EXPECT_EQ(s.titleFirstRow, 1);
    EXPECT_EQ(s.titleLastRow, 1);
    EXPECT_EQ(s.rowBreaks, std::vector<int>{3});
    EXPECT_EQ(s.page.paperSize, 9);
    EXPECT_EQ(s.page.orientation, "landscape");
    EXPECT_EQ(s.page.scale, 85);
    EXPECT_TRUE(s.page.fitToPage);
    EXPECT_EQ(s.page.fitToWidth, 1);
    EXPECT_EQ(s.page.fitToHeight, 0);
    EXPECT_TRUE(s.page.horizontalCentered);
    EXPECT_EQ(s.page.margins.left, 0.5);
    EXPECT_EQ(s.page.margins.bottom, 0.8);
    EXPECT_EQ(s.page.margins.footer, 0.2);
    EXPECT_EQ(s.page.oddFooter, "&P / &N");
    EXPECT_EQ(model.sheets[1].page.orientation, "default");

    const XlsStyles& st = model.styles;
    const XlsCellFormat& f1 = st.CellFormat(1);
    EXPECT_EQ(f1.numberFormat, "#,##0.0");
    EXPECT_EQ(st.Font(f1.fontId).name, "ＭＳ ゴシック");
    EXPECT_TRUE(st.Font(f1.fontId).bold);
    EXPECT_EQ(st.Font(f1.fontId).size, 14);
    EXPECT_EQ(st.Font(f1.fontId).color, std::optional<uint32_t>(0xFFFF0000));
    EXPECT_EQ(st.Fill(f1.fillId).pattern, "solid");
    EXPECT_EQ(st.Fill(f1.fillId).foreground, std::optional<uint32_t>(0xFFFFFF00));
    EXPECT_EQ(st.Border(f1.borderId).left.style, "thin");
    EXPECT_FALSE(st.Border(f1.borderId).left.color.has_value());  // indexed 64: automatic
    EXPECT_EQ(st.Border(f1.borderId).bottom.style, "double");
    EXPECT_EQ(st.Border(f1.borderId).bottom.color, std::optional<uint32_t>(0xFF0000FF));
    EXPECT_EQ(st.Border(f1.borderId).diagonal.style, "");
    EXPECT_EQ(st.CellFormat(2).horizontal, "right");
    EXPECT_EQ(st.CellFormat(2).vertical, "center");
    EXPECT_EQ(st.CellFormat(0).horizontal, "general");
    EXPECT_EQ(st.CellFormat(0).numberFormat, "General");
    EXPECT_EQ(&st.CellFormat(99), &st.CellFormat(0));

    // The saved file reads into the same model.
    std::string bytes;
    ASSERT_TRUE(m_engine.BuildXlsx(bytes));
    XlsWorkbook read;
    ASSERT_EQ(ReadXlsWorkbook(bytes, read), XlsOpenError::none);
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.sheets[0].cells.size(), s.cells.size());
    EXPECT_EQ(read.sheets[0].merges, s.merges);
    EXPECT_EQ(read.styles.cellFormats.size(), st.cellFormats.size());
}

TEST(ReportTemplate, PrefixedSpreadsheetElementsAreRead) {
    // Some writers spell every element with a prefix ("x:worksheet").
    TemplateContent content;
    std::string ns = std::string("xmlns:x=\"") + kMain + "\" xmlns:r=\"" + kRel + "\"";
    content.sheets = {{"明細", "<x:worksheet " + ns + "><x:sheetData><x:row r=\"3\"><x:c r=\"C3\" t=\"inlineStr\"><x:is><x:t>**金額</x:t>"
                            "</x:is></x:c></x:row></x:sheetData><x:mergeCells count=\"1\"><x:mergeCell ref=\"A1:B1\"/></x:mergeCells>"
                            "</x:worksheet>"}};
    Parts parts = TemplateParts(content);
    parts = Replace(parts, "xl/workbook.xml",
                    "<x:workbook " + ns + "><x:sheets><x:sheet name=\"明細\" sheetId=\"1\" r:id=\"rId1\"/></x:sheets></x:workbook>");
    TempFolder dir;
    WriteTestFile(dir / "t.xlsx", ZipParts(parts));
    CXlsReportEngine engine;
    ASSERT_EQ(engine.OpenTemplate(dir / "t.xlsx"), XlsOpenError::none) << engine.FailureDetail();
    engine.PageBegin("明細");
    engine.Cell("**金額", 1, 0);
    EXPECT_EQ(engine.GetErrorNo(), 0);
    engine.PutValueLong(300);
    engine.Pos(1, 1, 1, 2);
    engine.AttrPutJoint(1);
    engine.PageEnd();
    std::string bytes;
    ASSERT_TRUE(engine.BuildXlsx(bytes));
    Output out(bytes);
    EXPECT_EQ(out.Value(0, "D3"), "300");
    EXPECT_FALSE(out.HasValue(0, "C3"));
    EXPECT_EQ(out.Merges(0), std::vector<std::string>{"A1:A2"});
}
