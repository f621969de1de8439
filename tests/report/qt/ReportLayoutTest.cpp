// Page layouts: where cells, texts, fills and borders go on the paper, and at what scale.
#include <gtest/gtest.h>

#include <QPageSize>
#include <cmath>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/ReportJob.h"
#include "report/qt/ReportLayout.h"

using namespace xlstest;
using reportqt::PageLayout;
using reportqt::TextBox;

namespace {

constexpr double kTolerance = 0.01;

// A workbook of one sheet "S" read straight from template XML.
std::vector<PageLayout> LayoutOf(const std::string& sheetXml, const std::string& printArea = "", const std::string& styles = "") {
    TemplateContent content;
    content.sheets = {{"S", sheetXml}};
    content.styles = styles;
    if (!printArea.empty())
        content.definedNames = "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">" + printArea + "</definedName>";
    XlsWorkbook book;
    EXPECT_EQ(ReadXlsWorkbook(BuildTemplate(content), book), XlsOpenError::none);
    return reportqt::LayoutWorkbook(book);
}

// Cell formats for the small sheets: 0 plain, 1 right, 2 centre, 3 "#,##0", 4 wraps, 5 shrinks, 6 top,
// 7 centre vertically.
std::string SmallStyles() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"") + kMain +
           "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"#,##0\"/></numFmts>"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"ＭＳ Ｐゴシック\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border/></borders><cellXfs count=\"8\">"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"/>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment horizontal=\"right\"/></xf>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment horizontal=\"center\"/></xf>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"164\"/>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment wrapText=\"1\"/></xf>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment shrinkToFit=\"1\"/></xf>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment vertical=\"top\"/></xf>"
           "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment vertical=\"center\"/></xf>"
           "</cellXfs></styleSheet>";
}

const std::string kLongText = "この文章はセルの幅よりずっと長い文章です";

class FormLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTestFile(m_dir / "form.xlsx", BuildTemplate(FormTemplate()));
        ASSERT_EQ(m_job.OpenTemplate(m_dir / "form.xlsx"), 1);
        FillForm(m_job, 12);
        m_pages = reportqt::LayoutWorkbook(m_job.Engine().Model());
        ASSERT_EQ(m_pages.size(), 1u);
    }
    const PageLayout& Page() const { return m_pages.front(); }
    const TextBox& Text(int row, int column) const {
        const TextBox* box = Page().TextAt(row, column);
        if (!box) {
            ADD_FAILURE() << "no text at row " << row << ", column " << column;
            static const TextBox none;
            return none;
        }
        return *box;
    }
    double Edge(int column) const { return Page().columnEdges[static_cast<size_t>(column - 1)]; }

    ScriptedHost m_host;
    TempFolder m_dir;
    CReportJob m_job;
    std::vector<PageLayout> m_pages;
};

}  // namespace

TEST(ReportLayout, ColumnWidthsInDigitsOfTheDefaultFont) {
    struct Case {
        double characters;
        int digit;
        double points;
    } cases[] = {
        {9.140625, 7, 48},  // Excel's default column (8.43 digits and padding): 64 pixels
        {4, 8, 24},         // 32 pixels
        {24, 8, 144},       // 192 pixels
        {14, 8, 84},        // 112.5, cut to 112 pixels
        {0, 8, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(reportqt::ColumnWidthPoints(c.characters, c.digit), c.points, kTolerance) << c.characters << " × " << c.digit;
    // The Noto face the default font prints with: its widest digit at 11 points (15 pixels).
    XlsFont font;
    font.name = "ＭＳ Ｐゴシック";
    EXPECT_EQ(reportqt::MaxDigitWidth(font), 8);
    EXPECT_EQ(reportqt::PrintFamily("ＭＳ Ｐゴシック"), "Noto Sans CJK JP");
    EXPECT_EQ(reportqt::PrintFamily("ＭＳ 明朝"), "Noto Serif CJK JP");
    EXPECT_EQ(reportqt::PrintFamily("Times New Roman"), "Noto Serif CJK JP");
    EXPECT_EQ(reportqt::PrintFamily("Calibri"), "Noto Sans CJK JP");
}

// The form: its print area on A4 at the scale that fits it on one page.
TEST_F(FormLayoutTest, PrintAreaOnOneFittedPage) {
    const PageLayout& page = Page();
    EXPECT_EQ(page.range, (XlsRange{1, 1, 26, 8}));
    EXPECT_EQ(page.paperId, QPageSize::A4);
    EXPECT_FALSE(page.landscape);
    EXPECT_NEAR(page.paper.width(), 595.28, 0.01);
    EXPECT_NEAR(page.paper.height(), 841.89, 0.01);
    // Rows 1–26: 30 + 18 + 20 + 21 × 24 + 2 × 13.5 (rows 25 and 26 keep the default height).
    EXPECT_NEAR(page.size.height(), 599, kTolerance);
    // Columns 4, 24, 14, 8, 6, 12, 14 and 16 wide, in digits of 8 pixels.
    EXPECT_NEAR(page.size.width(), (32 + 192 + 112 + 64 + 48 + 96 + 112 + 128) * 0.75, kTolerance);
    // Fitted to 595.28 − 72 points across and 841.89 − 100.8 down, at a whole percentage.
    const double across = (595.28 - 72) / page.size.width(), down = (841.89 - 100.8) / page.size.height();
    EXPECT_NEAR(page.scale, std::floor(std::min(across, down) * 100) / 100, 1e-9);
    EXPECT_NEAR(page.origin.x(), 0.6 * 72, kTolerance);
    EXPECT_NEAR(page.origin.y(), 0.8 * 72, kTolerance);
    // Nothing from outside the print area ("欄外" in J5).
    for (const TextBox& t : page.texts) EXPECT_LE(t.column, 8) << t.text.toStdString();
    EXPECT_EQ(page.TextAt(5, 10), nullptr);
    // The footer "&C&P / &N", centred above the bottom margin.
    ASSERT_EQ(page.margins.size(), 1u);
    EXPECT_EQ(page.margins[0].text, "1 / 1");
    EXPECT_GT(page.margins[0].origin.y(), 841.89 - 0.6 * 72);
}

TEST_F(FormLayoutTest, TextsThroughTheirFormatsAndAlignments) {
    struct Case {
        int row, column;
        const char* text;
        Qt::Alignment horizontal;
        QColor color;
        const char* family;  // the Japanese face, last in the font's list after the Latin one
    } cases[] = {
        {1, 1, "代　価　表", Qt::AlignHCenter, Qt::black, "Noto Serif CJK JP"},
        {2, 1, "第12号", Qt::AlignHCenter, QColor(0, 0, 255), "Noto Serif CJK JP"},
        {2, 7, "12頁", Qt::AlignRight, Qt::black, "Noto Sans CJK JP"},
        {3, 2, "名　称", Qt::AlignHCenter, Qt::black, "Noto Sans CJK JP"},
        {4, 1, "1", Qt::AlignHCenter, Qt::black, "Noto Sans CJK JP"},
        {4, 4, "1.5", Qt::AlignRight, Qt::black, "Noto Sans CJK JP"},
        {4, 6, "12,012", Qt::AlignRight, Qt::black, "Noto Sans CJK JP"},
        {4, 7, "18,018", Qt::AlignRight, Qt::black, "Noto Sans CJK JP"},
        {8, 7, "-71,566", Qt::AlignRight, QColor(255, 0, 0), "Noto Sans CJK JP"},
        {4, 8, "第1号単価表", Qt::AlignLeft, Qt::black, "Noto Sans CJK JP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TextBox& box = Text(c.row, c.column);
        EXPECT_EQ(box.text.toStdString(), c.text);
        EXPECT_EQ(box.alignment & Qt::AlignHorizontal_Mask, c.horizontal);
        EXPECT_EQ(box.color, c.color);
        EXPECT_EQ(box.font.families().back().toStdString(), c.family);
        ASSERT_EQ(box.lines.size(), 1u);
        const double left = box.lines[0].origin.x(), right = left + box.lines[0].width;
        if (c.horizontal == Qt::AlignRight) {
            EXPECT_NEAR(right, box.cell.right() - reportqt::kCellPadding, kTolerance);
        }
        if (c.horizontal == Qt::AlignLeft) {
            EXPECT_NEAR(left, box.cell.left() + reportqt::kCellPadding, kTolerance);
        }
        if (c.horizontal == Qt::AlignHCenter) {
            EXPECT_NEAR((left + right) / 2, box.cell.center().x(), kTolerance);
        }
        EXPECT_GT(box.lines[0].origin.y(), box.cell.top());
        EXPECT_LT(box.lines[0].origin.y(), box.cell.bottom());
    }
    // The merged title spans A1:H1, the number A2:B2.
    EXPECT_EQ(Text(1, 1).cell, QRectF(0, 0, Page().size.width(), 30));
    EXPECT_EQ(Text(2, 1).cell, QRectF(0, 30, Edge(3), 18));
    EXPECT_TRUE(Text(1, 1).font.bold());
    EXPECT_NEAR(Text(1, 1).font.pointSizeF(), 16, kTolerance);
}

TEST_F(FormLayoutTest, WrappedShrunkDistributedAndOverflowingTexts) {
    // B7 (the fourth line) wraps in its cell, line under line from the top.
    const TextBox& wrapped = Text(7, 2);
    EXPECT_TRUE(wrapped.wrapped);
    ASSERT_GE(wrapped.lines.size(), 2u);
    QString joined;
    for (size_t i = 0; i < wrapped.lines.size(); ++i) {
        const auto& line = wrapped.lines[i];
        joined += line.text;
        EXPECT_LE(line.width, wrapped.cell.width() - 2 * reportqt::kCellPadding + kTolerance);
        if (i > 0) {
            EXPECT_GT(line.origin.y(), wrapped.lines[i - 1].origin.y());
        }
    }
    EXPECT_EQ(joined, wrapped.text);
    EXPECT_EQ(wrapped.alignment & Qt::AlignVertical_Mask, Qt::AlignTop);

    // C5 shrinks its long text into the cell: on one line it would be too small to read, so on two.
    const TextBox& shrunk = Text(5, 3);
    EXPECT_LT(shrunk.font.pointSizeF(), 11);
    ASSERT_EQ(shrunk.lines.size(), 2u);
    for (const auto& line : shrunk.lines) EXPECT_LE(line.width, shrunk.cell.width() - 2 * reportqt::kCellPadding + kTolerance);
    EXPECT_NEAR(Text(4, 3).font.pointSizeF(), 11, kTolerance);  // "一般" fits

    // "合　計" spreads from side to side inside its indent.
    const TextBox& total = Text(24, 2);
    ASSERT_EQ(total.lines.size(), 3u);
    const double indent = 1.5 * 8 * 0.75;
    EXPECT_NEAR(total.lines[0].origin.x(), total.cell.left() + reportqt::kCellPadding + indent, kTolerance);
    EXPECT_NEAR(total.lines[2].origin.x() + total.lines[2].width, total.cell.right() - reportqt::kCellPadding - indent, kTolerance);
    EXPECT_EQ(total.lines[1].text, "　");

    // A26's remark runs on over B26–E26 and stops where F26 holds "印".
    const TextBox& remark = Text(26, 1);
    EXPECT_EQ(remark.cell, QRectF(0, 599 - 13.5, Edge(2), 13.5));
    EXPECT_NEAR(remark.clip.left(), 0, kTolerance);
    EXPECT_NEAR(remark.clip.right(), Edge(6), kTolerance);
    EXPECT_GT(remark.lines[0].width, remark.clip.width());
}

TEST_F(FormLayoutTest, FillsAndBorders) {
    const PageLayout& page = Page();
    // The headings' grey fill, one box per cell of row 3.
    int grey = 0;
    for (const auto& f : page.fills) {
        EXPECT_EQ(f.color, QColor(0xD9, 0xD9, 0xD9));
        EXPECT_NEAR(f.rect.top(), 48, kTolerance);
        EXPECT_NEAR(f.rect.height(), 20, kTolerance);
        ++grey;
    }
    EXPECT_EQ(grey, 8);
    auto find = [&](QPointF from, QPointF to, const std::string& style) {
        for (const auto& b : page.borders)
            if (b.style == style && std::abs(b.from.x() - from.x()) < kTolerance && std::abs(b.from.y() - from.y()) < kTolerance &&
                std::abs(b.to.x() - to.x()) < kTolerance && std::abs(b.to.y() - to.y()) < kTolerance)
                return true;
        return false;
    };
    const double right = page.size.width();
    const double row24 = 48 + 20 + 20 * 24, row25 = row24 + 24;
    // Thin lines across the headings and every detail line, as one line each.
    EXPECT_TRUE(find({0, 48}, {right, 48}, "thin"));
    EXPECT_TRUE(find({0, 68}, {right, 68}, "thin"));
    EXPECT_TRUE(find({0, 48}, {0, row25}, "thin"));
    // G24: a medium line above wins over the thin one under G23; a double line below.
    EXPECT_TRUE(find({Edge(7), row24}, {Edge(8), row24}, "medium"));
    EXPECT_TRUE(find({0, row24}, {Edge(7), row24}, "thin"));
    EXPECT_TRUE(find({Edge(7), row25}, {Edge(8), row25}, "double"));
    // No line inside the merged title, nor around it (it has no border).
    for (const auto& b : page.borders) EXPECT_GE(std::min(b.from.y(), b.to.y()), 48 - kTolerance);
}

TEST(ReportLayout, AShrinkingTextWrapsOntoASecondLineRatherThanShrinkBelowLegibility) {
    // Column B 30 characters wide, cells that shrink (format 5, 11 pt); rows 13.5 points high but rows 3 and 4.
    const std::string rateText = "全工程,市街地 甲,障害物多,作業量(2.50ha),点数(60点),施工量(2工区),補正係数(1.05)";
    std::string sheet = SheetXml(
        "<row r=\"1\" ht=\"13.5\" customHeight=\"1\">" + InlineCell("B1", "全工程,面積((10/80ha)^0.15) =0.732", 5) + "</row>"
        "<row r=\"2\" ht=\"13.5\" customHeight=\"1\">" + InlineCell("B2", rateText, 5) + "</row>"
        "<row r=\"3\" ht=\"7\" customHeight=\"1\">" + InlineCell("B3", rateText, 5) + "</row>"
        "<row r=\"4\" ht=\"24\" customHeight=\"1\">" + InlineCell("B4", rateText + "," + rateText + "," + rateText, 5) + "</row>",
        "", "<cols><col min=\"2\" max=\"2\" width=\"30\" customWidth=\"1\"/></cols>");
    auto pages = LayoutOf(sheet, "S!$A$1:$C$4", SmallStyles());
    ASSERT_EQ(pages.size(), 1u);
    const struct {
        int row;
        size_t lines;
        const char* what;
    } cases[] = {
        {1, 1, "a little too long: shrinks on one line, still legible"},
        {2, 2, "a rate text that would shrink below legibility: two lines, larger"},
        {3, 1, "a row too low for two lines: shrinks on one"},
        {4, 3, "two lines would be set below the smallest printed size: three lines, as large as they stay three"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TextBox* box = pages[0].TextAt(c.row, 2);
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->lines.size(), c.lines);
        const double inner = box->cell.width() - 2 * reportqt::kCellPadding;
        const double size = box->font.pointSizeF();
        EXPECT_LT(size, 11);
        EXPECT_GE(size * pages[0].scale, reportqt::kSmallestPrintedSize - kTolerance);
        double total = 0;
        QString joined;
        for (const auto& line : box->lines) {
            EXPECT_LE(line.width, inner + kTolerance);
            total += line.width;
            joined += line.text;
        }
        EXPECT_EQ(joined, box->text);
        if (c.lines == 1) {
            EXPECT_NEAR(total, inner, 0.05);
            EXPECT_EQ(c.row == 1, size >= 6) << size;
            continue;
        }
        // Lines at a size at which the text would not fit on one, all inside the row, the first broken
        // after a comma rather than inside a bracketed quantity.
        EXPECT_GT(total, inner);
        if (c.row == 4) { EXPECT_GT(size, reportqt::kSmallestPrintedSize + 0.1) << "as large as it keeps to three lines"; }
        EXPECT_TRUE(box->lines[0].text.endsWith(QLatin1Char(','))) << box->lines[0].text.toStdString();
        EXPECT_GE(box->lines[0].origin.y() - 0.88 * size, box->cell.top() - kTolerance);
        EXPECT_LE(box->lines.back().origin.y() + 0.12 * size, box->cell.bottom() + kTolerance);
    }
}

TEST(ReportLayout, UnderlinesOnceAndTwice) {
    // Fonts 1 underlined once, 2 twice (cell formats 1 and 2): a double underline is drawn by the
    // painter as two lines, so the font itself underlines only once.
    const std::string styles = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"") + kMain +
                               "\"><fonts count=\"3\"><font><sz val=\"11\"/><name val=\"ＭＳ 明朝\"/></font>"
                               "<font><u/><sz val=\"11\"/><name val=\"ＭＳ 明朝\"/></font>"
                               "<font><u val=\"double\"/><sz val=\"11\"/><name val=\"ＭＳ 明朝\"/></font></fonts>"
                               "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                               "<borders count=\"1\"><border/></borders><cellXfs count=\"3\">"
                               "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"/>"
                               "<xf fontId=\"1\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"/>"
                               "<xf fontId=\"2\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"/></cellXfs></styleSheet>";
    auto pages = LayoutOf(SheetXml("<row r=\"1\">" + NumberCell("A1", "1", 0) + NumberCell("B1", "2", 1) + NumberCell("C1", "3", 2) + "</row>"),
                          "S!$A$1:$C$1", styles);
    ASSERT_EQ(pages.size(), 1u);
    const struct {
        int column;
        bool once, twice;
    } cases[] = {{1, false, false}, {2, true, false}, {3, false, true}};
    for (const auto& c : cases) {
        const TextBox* box = pages[0].TextAt(1, c.column);
        ASSERT_NE(box, nullptr) << c.column;
        EXPECT_EQ(box->font.underline(), c.once) << c.column;
        EXPECT_EQ(box->doubleUnderline, c.twice) << c.column;
    }
}

TEST(ReportLayout, TextsRunOnOverEmptyNeighboursOnly) {
    // Columns of the default width; row 1 left-aligned text with a value three columns on, row 2
    // right-aligned at D2, row 3 centred at C3 next to a merge, row 4 a wrapped text, row 5 a number.
    const std::string longText = kLongText;
    std::string sheet = SheetXml(
        "<row r=\"1\">" + InlineCell("B1", longText) + InlineCell("E1", "x") + "</row>"
        "<row r=\"2\">" + InlineCell("D2", longText, 1) + "</row>"
        "<row r=\"3\">" + InlineCell("C3", longText, 2) + "</row>"
        "<row r=\"4\">" + InlineCell("B4", longText, 4) + "</row>"
        "<row r=\"5\">" + NumberCell("B5", "123456789012345", 3) + NumberCell("C5", "1234.56789") + "</row>"
        "<row r=\"6\">" + InlineCell("F6", longText) + "</row>",
        "<mergeCells count=\"1\"><mergeCell ref=\"D3:E3\"/></mergeCells>");
    auto pages = LayoutOf(sheet, "S!$A$1:$G$6", SmallStyles());
    ASSERT_EQ(pages.size(), 1u);
    const PageLayout& page = pages[0];
    auto edge = [&](int column) { return page.columnEdges[static_cast<size_t>(column - 1)]; };
    struct Case {
        int row, column;
        double clipLeft, clipRight;
    } cases[] = {
        {1, 2, edge(2), edge(5)},  // stops at E1's "x"
        {2, 4, edge(1), edge(5)},  // right-aligned: runs left to the sheet's first column
        {3, 3, edge(1), edge(4)},  // centred: left freely, right stopped by the merge D3:E3
        {4, 2, edge(2), edge(3)},  // wrapped: stays in its cell
        {6, 6, edge(6), edge(8)},  // stops at the print area's edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        const TextBox* box = page.TextAt(c.row, c.column);
        ASSERT_NE(box, nullptr);
        EXPECT_NEAR(box->clip.left(), c.clipLeft, kTolerance);
        EXPECT_NEAR(box->clip.right(), c.clipRight, kTolerance);
    }
    EXPECT_GT(page.TextAt(4, 2)->lines.size(), 2u);
    // A number never runs on: "#,##0" too wide shows "#"s, General drops decimals.
    const TextBox* hashes = page.TextAt(5, 2);
    ASSERT_NE(hashes, nullptr);
    EXPECT_FALSE(hashes->text.isEmpty());
    EXPECT_EQ(hashes->text, QString(hashes->text.size(), QLatin1Char('#')));
    EXPECT_EQ(hashes->clip, hashes->cell);
    EXPECT_EQ(page.TextAt(5, 3)->text, "1234.568");
}

TEST(ReportLayout, PagesScalesAndPaper) {
    auto rows = [](int count, const std::string& height) {
        std::string xml;
        for (int r = 1; r <= count; ++r)
            xml += "<row r=\"" + std::to_string(r) + "\" ht=\"" + height + "\" customHeight=\"1\">" +
                   InlineCell("A" + std::to_string(r), "行" + std::to_string(r)) + "</row>";
        return xml;
    };
    const std::string margins = "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>";
    const double a4Height = 841.89, down = a4Height - 1.5 * 72;
    struct Case {
        const char* what;
        std::string sheet;
        std::string printArea;
        int pages;
        double scale;
        std::vector<std::pair<int, int>> rowRanges;  // of the pages
        QPageSize::PageSizeId paper = QPageSize::A4;
        bool landscape = false;
    } cases[] = {
        {"100 rows of 20 points fitted to one page", SheetXml(rows(100, "20"), margins + "<pageSetup paperSize=\"9\" fitToWidth=\"1\" fitToHeight=\"1\"/>",
                                                             "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"),
         "", 1, std::floor(down / 2000 * 100) / 100, {{1, 100}}},
        {"fitted pages never grow", SheetXml(rows(3, "20"), margins + "<pageSetup paperSize=\"9\" fitToWidth=\"1\" fitToHeight=\"1\"/>",
                                             "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"),
         "", 1, 1.0, {{1, 3}}},
        {"at 100 %, 50 rows of 20 points on two pages", SheetXml(rows(50, "20"), margins + "<pageSetup paperSize=\"9\"/>"), "", 2, 1.0,
         {{1, 36}, {37, 50}}},
        {"at 50 %, a manual break after row 10", SheetXml(rows(50, "20"), margins + "<pageSetup paperSize=\"9\" scale=\"50\"/>"
                                                          "<rowBreaks count=\"1\" manualBreakCount=\"1\"><brk id=\"10\" max=\"16383\" man=\"1\"/></rowBreaks>"),
         "", 2, 0.5, {{1, 10}, {11, 50}}},
        {"two print areas, two pages", SheetXml(rows(10, "20"), margins + "<pageSetup paperSize=\"9\"/>"), "S!$A$1:$A$3,S!$A$6:$A$7", 2, 1.0,
         {{1, 3}, {6, 7}}},
        {"B4 landscape", SheetXml(rows(2, "20"), margins + "<pageSetup paperSize=\"12\" orientation=\"landscape\"/>"), "", 1, 1.0, {{1, 2}},
         QPageSize::JisB4, true},
        {"an unknown paper prints on A4", SheetXml(rows(2, "20"), margins + "<pageSetup paperSize=\"70\"/>"), "", 1, 1.0, {{1, 2}}},
        {"no paper given prints on A4", SheetXml(rows(2, "20"), margins), "", 1, 1.0, {{1, 2}}},
        {"Letter", SheetXml(rows(2, "20"), margins + "<pageSetup paperSize=\"1\"/>"), "", 1, 1.0, {{1, 2}}, QPageSize::Letter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto pages = LayoutOf(c.sheet, c.printArea);
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages);
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_NEAR(pages[i].scale, c.scale, 1e-9);
            EXPECT_EQ(pages[i].paperId, c.paper);
            EXPECT_EQ(pages[i].landscape, c.landscape);
            if (i < c.rowRanges.size()) {
                EXPECT_EQ(pages[i].range.firstRow, c.rowRanges[i].first);
                EXPECT_EQ(pages[i].range.lastRow, c.rowRanges[i].second);
            }
            EXPECT_LE(pages[i].size.height() * pages[i].scale, down + kTolerance);
        }
        if (c.landscape) {
            EXPECT_GT(pages[0].paper.width(), pages[0].paper.height());
        }
    }
    // An empty sheet prints nothing.
    EXPECT_TRUE(LayoutOf(SheetXml("")).empty());
}
