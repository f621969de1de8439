// The generator of the print forms: what a description becomes (cells, merges, lines, styles, page
// setup, the twin) and the descriptions it refuses.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "XlsTestSupport.h"
#include "master/sampledata/SampleText.h"
#include "platform/Cp932.h"
#include "report/XlsWorkbook.h"
#include "report/forms/PrintForms.h"

namespace {

using Files = std::map<std::string, std::string>;

PrintFormSourceReader Reader(const Files& files) {
    return [files](const std::string& name) {
        auto it = files.find(name);
        if (it == files.end()) throw SampleTextError(name, 0, "cannot read the file");
        return it->second;
    };
}

const char* kStyles = R"(
[style]
name = plain
[style]
name = head
font = sans
size = 14
bold = 1
fill = DDEBF7
color = 1F3864
align = center
[style]
name = money
base = plain
format = remark
align = right
bottom = double
)";

const char* kSheet = R"(
[sheet]
name = 代価表
orientation = landscape
margins = 25.4, 12.7, 25.4, 12.7, 0, 0
fit = 1
center = 1
default_height = 15
[part]
width = A, 20
width = B:C, 9.5
height = 1, 30
cell = A1, head, "一　位　代　価　表"
merge = A1:C1
area = A2:C3, plain
cell = A2, , **名称
cell = C2, money, **金額
frame = A2:C3, medium
vlines = A2:C3, thin
[part]
when = extra
cell = A5, plain, "改行\nあり"
merge = A6:B6, 2, 1
[part]
unless = extra
cell = A5, plain, **なし
)";

const char* kBook = R"(
[workbook]
file = 見本.xlsx
colour = %COLOUR%
styles = styles.txt
options = %OPTIONS%
sheet = sheet.txt
sheet = sheet.txt, 単価表
)";

Files Sources(const std::string& colour = "1", const std::string& options = "extra") {
    std::string book = kBook;
    book.replace(book.find("%COLOUR%"), 8, colour);
    book.replace(book.find("%OPTIONS%"), 9, options);
    return {{"book.form", book}, {"styles.txt", kStyles}, {"sheet.txt", kSheet}};
}

// The cells of each sheet by their text, read with the tests' own reader.
std::map<std::string, std::pair<int, std::string>> CellsByRef(const xlstest::Output& out, int sheet) {
    std::map<std::string, std::pair<int, std::string>> cells;
    for (pugi::xml_node row : out.Sheet(sheet).child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c"))
            cells[c.attribute("r").value()] = {c.attribute("s").as_int(0), out.Value(sheet, c.attribute("r").value())};
    return cells;
}

}  // namespace

TEST(PrintForms, ADescriptionBecomesAWorkbook) {
    PrintFormBook book = ParsePrintForm("book.form", Reader(Sources()));
    const std::string bytes = BuildPrintFormWorkbook(book);
    EXPECT_EQ(BuildPrintFormWorkbook(ParsePrintForm("book.form", Reader(Sources()))), bytes) << "the same bytes again";

    xlstest::Output out(bytes);
    EXPECT_EQ(out.SheetNames(), (std::vector<std::string>{"代価表", "単価表"}));
    auto cells = CellsByRef(out, 0);
    EXPECT_EQ(cells["A1"].second, "一　位　代　価　表");
    EXPECT_EQ(cells["A2"].second, "**名称");
    EXPECT_EQ(cells["C2"].second, "**金額");
    EXPECT_EQ(cells["A5"].second, "改行\nあり");  // the part of the option, not the other one
    EXPECT_TRUE(cells.count("B3")) << "an empty cell of an area is written with its style";
    EXPECT_EQ(out.Merges(0), (std::vector<std::string>{"A1:C1", "A6:B6", "A7:B7"}));

    XlsWorkbook model;
    ASSERT_EQ(ReadXlsWorkbook(bytes, model), XlsOpenError::none);
    const XlsSheet& sheet = model.sheets[0];
    EXPECT_EQ(sheet.page.paperSize, 9);
    EXPECT_EQ(sheet.page.orientation, "landscape");
    EXPECT_TRUE(sheet.page.fitToPage);
    EXPECT_EQ(sheet.page.fitToWidth, 1);
    EXPECT_EQ(sheet.page.fitToHeight, 1);
    EXPECT_TRUE(sheet.page.horizontalCentered);
    EXPECT_DOUBLE_EQ(sheet.page.margins.left, 1.0);
    EXPECT_DOUBLE_EQ(sheet.page.margins.right, 0.5);
    EXPECT_FALSE(sheet.showGridLines);
    EXPECT_DOUBLE_EQ(sheet.ColumnWidth(1), 20);
    EXPECT_DOUBLE_EQ(sheet.ColumnWidth(3), 9.5);
    EXPECT_DOUBLE_EQ(sheet.RowHeight(1), 30);
    EXPECT_DOUBLE_EQ(sheet.RowHeight(2), 15);
    ASSERT_EQ(sheet.printArea.size(), 1u);
    EXPECT_EQ(sheet.printArea[0], (XlsRange{1, 1, 7, 3}));

    auto format = [&](int row, int column) {
        const XlsCell* cell = sheet.FindCell(row, column);
        return model.styles.CellFormat(cell ? cell->style : 0);
    };
    const XlsFont& head = model.styles.Font(format(1, 1).fontId);
    EXPECT_EQ(head.name, "Noto Sans CJK JP");
    EXPECT_DOUBLE_EQ(head.size, 14);
    EXPECT_TRUE(head.bold);
    EXPECT_EQ(head.color, 0xFF1F3864u);
    EXPECT_EQ(model.styles.Fill(format(1, 1).fillId).foreground, 0xFFDDEBF7u);
    EXPECT_EQ(format(1, 1).horizontal, "center");
    EXPECT_EQ(model.styles.Font(format(2, 1).fontId).name, "Noto Serif CJK JP");
    EXPECT_EQ(format(2, 3).numberFormat, PrintFormNumberFormats().at("remark"));

    // The frame is medium outside and the inner vertical lines thin; the double line the style puts
    // under C2 stays, since no later line is drawn on that edge, and is C3's top as well.
    struct Edge {
        int row, column;
        const char* left;
        const char* right;
        const char* top;
        const char* bottom;
    } edges[] = {
        {2, 1, "medium", "thin", "medium", ""},
        {2, 2, "thin", "thin", "medium", ""},
        {2, 3, "thin", "medium", "medium", "double"},
        {3, 3, "thin", "medium", "double", "medium"},
        {3, 1, "medium", "thin", "", "medium"},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(std::to_string(e.row) + "," + std::to_string(e.column));
        const XlsBorder& b = model.styles.Border(format(e.row, e.column).borderId);
        EXPECT_EQ(b.left.style, e.left);
        EXPECT_EQ(b.right.style, e.right);
        EXPECT_EQ(b.top.style, e.top);
        EXPECT_EQ(b.bottom.style, e.bottom);
    }
}

TEST(PrintForms, MonochromeFormsLeaveOutColoursAndFills) {
    PrintFormBook book = ParsePrintForm("book.form", Reader(Sources("0", "")));
    XlsWorkbook model;
    ASSERT_EQ(ReadXlsWorkbook(BuildPrintFormWorkbook(book), model), XlsOpenError::none);
    const XlsCell* title = model.sheets[0].FindCell(1, 1);
    ASSERT_NE(title, nullptr);
    const XlsCellFormat& f = model.styles.CellFormat(title->style);
    EXPECT_EQ(model.styles.Fill(f.fillId).pattern, "none");
    EXPECT_NE(model.styles.Font(f.fontId).color, 0xFF1F3864u);
    EXPECT_TRUE(model.styles.Font(f.fontId).bold);
    // Without the option its part is left out and the other one is used.
    const XlsCell* a5 = model.sheets[0].FindCell(5, 1);
    ASSERT_NE(a5, nullptr);
    EXPECT_EQ(a5->text, "**なし");
    EXPECT_EQ(model.sheets[0].merges.size(), 1u);
}

TEST(PrintForms, TheTwinIsCp932WithCrLf) {
    std::array<std::string, 25> lines;
    lines[0] = "印刷表題 ：";
    lines[24] = "物件版内訳明細書を印刷する";
    const std::string bytes = BuildPrintFormTwin(lines);
    std::string expected = vemo::Utf8ToCp932("印刷表題 ：") + "\r\n";
    for (int i = 1; i < 24; ++i) expected += "\r\n";
    expected += vemo::Utf8ToCp932("物件版内訳明細書を印刷する") + "\r\n";
    EXPECT_EQ(bytes, expected);

    Files files = Sources();
    files["book.form"] += "[twin]\n";
    for (int i = 0; i < 25; ++i) files["book.form"] += i == 3 ? "line = \"宛名 ：\"\n" : "line =\n";
    PrintFormBook book = ParsePrintForm("book.form", Reader(files));
    ASSERT_TRUE(book.twin.has_value());
    EXPECT_EQ((*book.twin)[3], "宛名 ：");
    auto built = BuildPrintFormFiles({book});
    ASSERT_EQ(built.size(), 2u);
    EXPECT_EQ(built[0].first, "見本.xlsx");
    EXPECT_EQ(built[1].first, "見本.txt");
}

TEST(PrintForms, RefusesFaultyDescriptions) {
    struct Case {
        const char* what;
        std::string file;  // the file changed
        std::string from, to;  // text replaced in it ("" from: appended)
        const char* message;   // a part of the message
    } cases[] = {
        {"unknown style", "sheet.txt", "cell = A2, , **名称", "cell = A2, bold, **名称", "unknown style 'bold'"},
        {"unknown area style", "sheet.txt", "area = A2:C3, plain", "area = A2:C3, fancy", "unknown style 'fancy'"},
        {"unknown base style", "styles.txt", "base = plain", "base = cell", "unknown style 'cell'"},
        {"unknown number format", "styles.txt", "format = remark", "format = yen", "unknown number format 'yen'"},
        {"unknown line weight", "sheet.txt", "frame = A2:C3, medium", "frame = A2:C3, heavy", "unknown line weight 'heavy'"},
        {"unknown key", "sheet.txt", "fit = 1", "fit = 1\nzoom = 90", "unknown key 'zoom'"},
        {"duplicate marker", "sheet.txt", "cell = C2, money, **金額", "cell = C2, money, **名称", "named cell '**名称' is there twice"},
        {"a cell twice", "sheet.txt", "cell = C2, money, **金額", "cell = A2, money, **金額", "cell A2 is given twice"},
        {"formula", "sheet.txt", "cell = C2, money, **金額", "cell = C2, money, \"=A2*2\"", "formulas are not allowed"},
        {"overlapping merges", "sheet.txt", "merge = A1:C1", "merge = A1:C1\nmerge = C1:C2", "overlaps A1:C1"},
        {"repeated merges overlapping", "sheet.txt", "merge = A6:B6, 2, 1", "merge = A6:B7, 2, 1", "overlaps A6:B7"},
        {"text hidden by a merge", "sheet.txt", "merge = A1:C1", "merge = A1:C1\nmerge = B2:C2", "hidden by the merge B2:C2"},
        {"an option nobody uses", "book.form", "options = extra", "options = extra, exra", "option 'exra' is not used"},
        {"a sheet twice", "book.form", "sheet = sheet.txt, 単価表", "sheet = sheet.txt, 代価表", "sheet '代価表' is there twice"},
        {"a sheet name Excel refuses", "book.form", "sheet = sheet.txt, 単価表", "sheet = sheet.txt, 単価/表", "cannot be used"},
        {"a twin of 24 lines", "book.form", "", "[twin]\n" + [] {
             std::string s;
             for (int i = 0; i < 24; ++i) s += "line = x\n";
             return s;
         }(), "a twin has 25 lines, not 24"},
        {"a missing sheet file", "book.form", "sheet = sheet.txt, 単価表", "sheet = other.txt", "cannot read the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Files files = Sources();
        std::string& text = files[c.file];
        if (c.from.empty()) {
            text += c.to;
        } else {
            ASSERT_NE(text.find(c.from), std::string::npos);
            text.replace(text.find(c.from), c.from.size(), c.to);
        }
        try {
            ParsePrintForm("book.form", Reader(files));
            ADD_FAILURE() << "accepted";
        } catch (const SampleTextError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}
