// Page layout of a workbook for printing: pages, scale, cell boxes, fills, borders and texts.
#include "report/qt/ReportLayout.h"

#include <QDate>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <QTime>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

#include "report/XlsNumberFormat.h"
#include "report/qt/PdfText.h"

namespace reportqt {

namespace {

constexpr double kPadding = kCellPadding;
constexpr double kVerticalPadding = 1;
constexpr double kAscent = 0.88;         // the em box of the CJK faces above the baseline, of the size
constexpr double kLineSpacing = 1.25;    // wrapped lines, of the size
// A text that shrinks to fit its cell keeps to one line down to this size; one that would have to
// shrink further goes onto a second line instead, when that prints it larger. Those two lines stand
// closer (of the size) and nearer the cell's edges (points) than wrapped paragraphs.
constexpr double kLegibleSize = 6;
constexpr double kTwoLineSpacing = 1.1;
constexpr double kTwoLinePadding = 0.5;
constexpr double kPointsPerInch = 72;
constexpr double kPointsPerPixel = 0.75;  // Excel's pixels are 96 per inch

QColor ToColor(std::optional<uint32_t> argb, QColor automatic) {
    if (!argb) return automatic;
    return QColor::fromRgb(static_cast<QRgb>(*argb | 0xFF000000u));
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    size_t n = std::char_traits<char>::length(prefix);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Text widths in points: each face is measured once at a large pixel size, so that hinting does not
// round the advances, and the widths are scaled to the font's size.
class Measurer {
public:
    double Width(const QFont& font, const QString& text) {
        if (text.isEmpty()) return 0;
        return Metrics(font).horizontalAdvance(text) * font.pointSizeF() / kTextReferencePixels;
    }

private:
    const QFontMetricsF& Metrics(const QFont& font) {
        QString key = font.families().join(u',') + QChar(font.bold() ? u'B' : u'-') + QChar(font.italic() ? u'I' : u'-');
        auto it = m_metrics.find(key);
        if (it == m_metrics.end()) {
            QFont reference = font;
            reference.setPixelSize(kTextReferencePixels);
            reference.setUnderline(false);
            reference.setStrikeOut(false);
            it = m_metrics.emplace(key, QFontMetricsF(reference)).first;
        }
        return it->second;
    }
    std::map<QString, QFontMetricsF> m_metrics;
};

// Mincho and other serif faces print in the serif faces, everything else in the sans-serif ones.
pdftext::PrintFace PrintFaceOf(const std::string& name) {
    static const char* const kSerif[] = {"明朝", "Mincho", "MINCHO", "mincho", "Serif", "serif", "Times", "Century", "教科書"};
    for (const char* s : kSerif)
        if (name.find(s) != std::string::npos) return pdftext::PrintFace::serif;
    return pdftext::PrintFace::sans;
}

QFont PrintFont(const XlsFont& f) {
    QFont font;
    font.setFamilies(pdftext::PrintFamilies(PrintFaceOf(f.name)));
    font.setPointSizeF(f.size > 0 ? f.size : 11);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    // A double underline is drawn by the painter (TextBox::doubleUnderline); the font draws a single one.
    font.setUnderline(f.underline == "single" || f.underline == "singleAccounting");
    font.setStrikeOut(f.strike);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool ShowsSomething(const XlsStyles& styles, int style) {
    const XlsCellFormat& fmt = styles.CellFormat(style);
    const XlsBorder& b = styles.Border(fmt.borderId);
    if (!b.left.style.empty() || !b.right.style.empty() || !b.top.style.empty() || !b.bottom.style.empty()) return true;
    if ((b.diagonalUp || b.diagonalDown) && !b.diagonal.style.empty()) return true;
    const XlsFill& fill = styles.Fill(fmt.fillId);
    return fill.pattern == "solid" && fill.foreground.has_value();
}

int BorderRank(const std::string& style) {
    if (style == "thick") return 6;
    if (style == "double") return 5;
    if (style.rfind("medium", 0) == 0 || style == "slantDashDot") return 4;
    if (style == "thin") return 3;
    if (style == "hair") return 1;
    return style.empty() ? 0 : 2;
}

// Excel's paper codes; a sheet that names none, or one not known here, prints on A4.
QPageSize::PageSizeId PaperId(int code) {
    switch (code) {
    case 1: return QPageSize::Letter;
    case 5: return QPageSize::Legal;
    case 8: return QPageSize::A3;
    case 11: return QPageSize::A5;
    case 12: return QPageSize::JisB4;
    case 13: return QPageSize::JisB5;
    default: return QPageSize::A4;
    }
}

// Splits sizes (already scaled) into runs that fit `available`; breaks after the listed positions too.
std::vector<std::pair<int, int>> SplitRuns(const std::vector<double>& sizes, int first, double available,
                                           const std::vector<int>& breaksAfter) {
    std::vector<std::pair<int, int>> runs;
    const int n = static_cast<int>(sizes.size());
    int start = 0;
    double used = 0;
    for (int i = 0; i < n; ++i) {
        if (i > start && used + sizes[static_cast<size_t>(i)] > available + 1e-6) {
            runs.push_back({start, i - 1});
            start = i;
            used = 0;
        }
        used += sizes[static_cast<size_t>(i)];
        const bool manual = std::find(breaksAfter.begin(), breaksAfter.end(), first + i) != breaksAfter.end();
        if (manual && i + 1 < n) {
            runs.push_back({start, i});
            start = i + 1;
            used = 0;
        }
    }
    if (start < n) runs.push_back({start, n - 1});
    return runs;
}

struct EdgeLine {
    int rank = 0;
    const XlsBorderLine* line = nullptr;
};

class SheetLayout {
public:
    SheetLayout(const XlsWorkbook& book, int sheetIndex, const std::vector<QFont>& fonts, int maxDigitWidth,
                Measurer& measurer)
        : m_book(book), m_sheet(book.sheets[static_cast<size_t>(sheetIndex)]), m_styles(book.styles),
          m_sheetIndex(sheetIndex), m_fonts(fonts), m_mdw(maxDigitWidth), m_measure(measurer) {}

    void AddPages(std::vector<PageLayout>& pages);

private:
    double ColumnWidth(int column) const;
    double RowHeight(int row) const;
    int StyleAt(int row, int column) const;
    XlsRange UsedRange() const;
    PageLayout BuildPage(const XlsRange& range, double scale) const;
    void AddBorders(PageLayout& page) const;
    void AddTexts(PageLayout& page) const;
    const QFont& FontOf(int fontId) const;
    std::vector<QString> WrapLines(const QString& text, const QFont& font, double width) const;
    // The text on lines of the width at the font's size, each indented as the first.
    std::vector<QString> PackedLines(const QString& text, const QFont& font, double width) const;
    // Where to break the text in two lines of the width so that it prints largest (up to largest), a
    // break between phrases preferred, with that size; 0 when the text has nowhere to break.
    int TwoLineBreak(const QString& text, const QFont& font, double width, double largest, double& size) const;

    // Per page: the cells, their merges, and the geometry.
    struct Grid {
        XlsRange range;
        int rows = 0, columns = 0;
        std::vector<const XlsCell*> cells;
        std::vector<int> merge;  // index into merges, -1
        std::vector<XlsRange> merges;
        const XlsCell* Cell(int r, int c) const { return cells[static_cast<size_t>((r - range.firstRow) * columns + c - range.firstColumn)]; }
        int Merge(int r, int c) const { return merge[static_cast<size_t>((r - range.firstRow) * columns + c - range.firstColumn)]; }
    };
    Grid MakeGrid(const XlsRange& range) const;
    QRectF Box(const PageLayout& page, const XlsRange& cells) const;

    const XlsWorkbook& m_book;
    const XlsSheet& m_sheet;
    const XlsStyles& m_styles;
    int m_sheetIndex;
    const std::vector<QFont>& m_fonts;
    int m_mdw;
    Measurer& m_measure;
    mutable Grid m_grid;
};

double SheetLayout::ColumnWidth(int column) const {
    if (m_sheet.IsColumnHidden(column)) return 0;
    for (const XlsColumn& run : m_sheet.columns)
        if (column >= run.first && column <= run.last && run.width > 0) return ColumnWidthPoints(run.width, m_mdw);
    if (m_sheet.defaultColumnWidth > 0) return ColumnWidthPoints(m_sheet.defaultColumnWidth, m_mdw);
    // The default width: the base width in digits, padding and gridline, rounded up to 8 pixels.
    const double pixels = std::ceil((m_sheet.baseColumnWidth * m_mdw + 5) / 8) * 8;
    return pixels * kPointsPerPixel;
}

double SheetLayout::RowHeight(int row) const { return m_sheet.IsRowHidden(row) ? 0 : m_sheet.RowHeight(row); }

int SheetLayout::StyleAt(int row, int column) const {
    if (const XlsCell* cell = m_grid.Cell(row, column)) return cell->style;
    auto it = std::lower_bound(m_sheet.rows.begin(), m_sheet.rows.end(), row,
                               [](const XlsRow& r, int value) { return r.row < value; });
    if (it != m_sheet.rows.end() && it->row == row && it->style >= 0) return it->style;
    for (const XlsColumn& run : m_sheet.columns)
        if (column >= run.first && column <= run.last) return run.style;
    return 0;
}

XlsRange SheetLayout::UsedRange() const {
    XlsRange used{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 0, 0};
    auto add = [&](int r1, int c1, int r2, int c2) {
        used.firstRow = std::min(used.firstRow, r1);
        used.firstColumn = std::min(used.firstColumn, c1);
        used.lastRow = std::max(used.lastRow, r2);
        used.lastColumn = std::max(used.lastColumn, c2);
    };
    for (const XlsCell& cell : m_sheet.cells)
        if (cell.kind != XlsValueKind::empty || ShowsSomething(m_styles, cell.style)) add(cell.row, cell.column, cell.row, cell.column);
    for (const XlsRange& m : m_sheet.merges) add(m.firstRow, m.firstColumn, m.lastRow, m.lastColumn);
    if (used.lastRow == 0) return XlsRange{};
    return used;
}

void SheetLayout::AddPages(std::vector<PageLayout>& pages) {
    std::vector<XlsRange> areas = m_sheet.printArea;
    if (areas.empty()) {
        XlsRange used = UsedRange();
        if (used.lastRow == 0) return;  // nothing to print
        areas.push_back(used);
    }
    const XlsPageSetup& setup = m_sheet.page;
    const bool landscape = setup.orientation == "landscape";
    // From millimetres: QPageSize gives whole points.
    QSizeF paper = QPageSize(PaperId(setup.paperSize)).size(QPageSize::Millimeter) * (kPointsPerInch / 25.4);
    if (landscape) paper.transpose();
    const XlsMargins& m = setup.margins;
    const double availableWidth = std::max(paper.width() - (m.left + m.right) * kPointsPerInch, 36.0);
    const double availableHeight = std::max(paper.height() - (m.top + m.bottom) * kPointsPerInch, 36.0);

    for (const XlsRange& area : areas) {
        std::vector<double> widths, heights;
        double totalWidth = 0, totalHeight = 0;
        for (int c = area.firstColumn; c <= area.lastColumn; ++c) totalWidth += widths.emplace_back(ColumnWidth(c));
        for (int r = area.firstRow; r <= area.lastRow; ++r) totalHeight += heights.emplace_back(RowHeight(r));

        double scale = std::clamp(setup.scale, 10, 400) / 100.0;
        if (setup.fitToPage) {
            scale = 1;
            if (setup.fitToWidth > 0 && totalWidth > 0) scale = std::min(scale, setup.fitToWidth * availableWidth / totalWidth);
            if (setup.fitToHeight > 0 && totalHeight > 0)
                scale = std::min(scale, setup.fitToHeight * availableHeight / totalHeight);
            // Excel prints fitted pages at a whole percentage.
            scale = std::clamp(std::floor(scale * 100 + 1e-9) / 100, 0.1, 1.0);
        }
        for (double& w : widths) w *= scale;
        for (double& h : heights) h *= scale;
        // Fitted pages ignore manual breaks, as Excel does.
        static const std::vector<int> kNoBreaks;
        auto columnRuns = SplitRuns(widths, area.firstColumn, availableWidth, setup.fitToPage ? kNoBreaks : m_sheet.columnBreaks);
        auto rowRuns = SplitRuns(heights, area.firstRow, availableHeight, setup.fitToPage ? kNoBreaks : m_sheet.rowBreaks);

        auto addPage = [&](std::pair<int, int> cols, std::pair<int, int> rows) {
            XlsRange range{area.firstRow + rows.first, area.firstColumn + cols.first, area.firstRow + rows.second,
                           area.firstColumn + cols.second};
            PageLayout page = BuildPage(range, scale);
            page.paperId = PaperId(setup.paperSize);
            page.landscape = landscape;
            page.paper = paper;
            double x = m.left * kPointsPerInch, y = m.top * kPointsPerInch;
            if (setup.horizontalCentered) x += (availableWidth - page.size.width() * scale) / 2;
            if (setup.verticalCentered) y += (availableHeight - page.size.height() * scale) / 2;
            page.origin = QPointF(x, y);
            pages.push_back(std::move(page));
        };
        if (setup.pageOrder == "overThenDown") {
            for (auto& rows : rowRuns)
                for (auto& cols : columnRuns) addPage(cols, rows);
        } else {
            for (auto& cols : columnRuns)
                for (auto& rows : rowRuns) addPage(cols, rows);
        }
    }
}

SheetLayout::Grid SheetLayout::MakeGrid(const XlsRange& range) const {
    Grid g;
    g.range = range;
    g.rows = range.lastRow - range.firstRow + 1;
    g.columns = range.lastColumn - range.firstColumn + 1;
    g.cells.assign(static_cast<size_t>(g.rows * g.columns), nullptr);
    g.merge.assign(g.cells.size(), -1);
    auto it = std::lower_bound(m_sheet.cells.begin(), m_sheet.cells.end(), range.firstRow,
                               [](const XlsCell& c, int row) { return c.row < row; });
    for (; it != m_sheet.cells.end() && it->row <= range.lastRow; ++it)
        if (it->column >= range.firstColumn && it->column <= range.lastColumn)
            g.cells[static_cast<size_t>((it->row - range.firstRow) * g.columns + it->column - range.firstColumn)] = &*it;
    for (const XlsRange& m : m_sheet.merges) {
        if (m.lastRow < range.firstRow || m.firstRow > range.lastRow || m.lastColumn < range.firstColumn ||
            m.firstColumn > range.lastColumn)
            continue;
        const int index = static_cast<int>(g.merges.size());
        g.merges.push_back(m);
        for (int r = std::max(m.firstRow, range.firstRow); r <= std::min(m.lastRow, range.lastRow); ++r)
            for (int c = std::max(m.firstColumn, range.firstColumn); c <= std::min(m.lastColumn, range.lastColumn); ++c)
                g.merge[static_cast<size_t>((r - range.firstRow) * g.columns + c - range.firstColumn)] = index;
    }
    return g;
}

QRectF SheetLayout::Box(const PageLayout& page, const XlsRange& cells) const {
    const XlsRange& r = page.range;
    const int c1 = std::max(cells.firstColumn, r.firstColumn) - r.firstColumn;
    const int c2 = std::min(cells.lastColumn, r.lastColumn) - r.firstColumn + 1;
    const int r1 = std::max(cells.firstRow, r.firstRow) - r.firstRow;
    const int r2 = std::min(cells.lastRow, r.lastRow) - r.firstRow + 1;
    return QRectF(QPointF(page.columnEdges[static_cast<size_t>(c1)], page.rowEdges[static_cast<size_t>(r1)]),
                  QPointF(page.columnEdges[static_cast<size_t>(c2)], page.rowEdges[static_cast<size_t>(r2)]));
}

const QFont& SheetLayout::FontOf(int fontId) const {
    if (fontId < 0 || static_cast<size_t>(fontId) >= m_fonts.size()) return m_fonts.front();
    return m_fonts[static_cast<size_t>(fontId)];
}

PageLayout SheetLayout::BuildPage(const XlsRange& range, double scale) const {
    PageLayout page;
    page.sheet = m_sheetIndex;
    page.sheetName = m_sheet.name;
    page.range = range;
    page.scale = scale;
    double x = 0;
    page.columnEdges.push_back(0);
    for (int c = range.firstColumn; c <= range.lastColumn; ++c) page.columnEdges.push_back(x += ColumnWidth(c));
    double y = 0;
    page.rowEdges.push_back(0);
    for (int r = range.firstRow; r <= range.lastRow; ++r) page.rowEdges.push_back(y += RowHeight(r));
    page.size = QSizeF(x, y);

    m_grid = MakeGrid(range);
    // Solid fills: a merge takes the fill of its top-left cell over its whole box.
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c) {
            const int mi = m_grid.Merge(r, c);
            XlsRange cells{r, c, r, c};
            if (mi >= 0) {
                const XlsRange& m = m_grid.merges[static_cast<size_t>(mi)];
                const int topRow = std::max(m.firstRow, range.firstRow), leftColumn = std::max(m.firstColumn, range.firstColumn);
                if (r != topRow || c != leftColumn) continue;
                cells = m;
            }
            const int style = (mi >= 0 && m_sheet.FindCell(cells.firstRow, cells.firstColumn))
                                  ? m_sheet.FindCell(cells.firstRow, cells.firstColumn)->style
                                  : StyleAt(r, c);
            const XlsFill& fill = m_styles.Fill(m_styles.CellFormat(style).fillId);
            if (fill.pattern == "solid" && fill.foreground) page.fills.push_back({Box(page, cells), ToColor(fill.foreground, Qt::black)});
        }
    AddTexts(page);
    AddBorders(page);
    return page;
}

void SheetLayout::AddBorders(PageLayout& page) const {
    const XlsRange& range = page.range;
    const int rows = m_grid.rows, columns = m_grid.columns;
    std::vector<EdgeLine> horizontal(static_cast<size_t>((rows + 1) * columns));
    std::vector<EdgeLine> vertical(static_cast<size_t>(rows * (columns + 1)));
    auto put = [](EdgeLine& edge, const XlsBorderLine& line) {
        const int rank = BorderRank(line.style);
        if (rank > edge.rank) edge = {rank, &line};
    };
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) {
            const int r = range.firstRow + i, c = range.firstColumn + j;
            const XlsBorder& b = m_styles.Border(m_styles.CellFormat(StyleAt(r, c)).borderId);
            const int mi = m_grid.Merge(r, c);
            const XlsRange* m = mi >= 0 ? &m_grid.merges[static_cast<size_t>(mi)] : nullptr;
            // Inside a merge only the sides on its outline show.
            if (!m || r == m->firstRow) put(horizontal[static_cast<size_t>(i * columns + j)], b.top);
            if (!m || r == m->lastRow) put(horizontal[static_cast<size_t>((i + 1) * columns + j)], b.bottom);
            if (!m || c == m->firstColumn) put(vertical[static_cast<size_t>(i * (columns + 1) + j)], b.left);
            if (!m || c == m->lastColumn) put(vertical[static_cast<size_t>(i * (columns + 1) + j + 1)], b.right);
            if ((b.diagonalDown || b.diagonalUp) && !b.diagonal.style.empty() && (!m || (r == m->firstRow && c == m->firstColumn))) {
                QRectF box = Box(page, m ? *m : XlsRange{r, c, r, c});
                const QColor color = ToColor(b.diagonal.color, Qt::black);
                if (b.diagonalDown) page.borders.push_back({box.topLeft(), box.bottomRight(), b.diagonal.style, color});
                if (b.diagonalUp) page.borders.push_back({box.bottomLeft(), box.topRight(), b.diagonal.style, color});
            }
        }
    // Neighbouring sides with the same line become one line.
    auto same = [](const EdgeLine& a, const EdgeLine& b) {
        return a.rank > 0 && b.rank > 0 && a.line->style == b.line->style && a.line->color == b.line->color;
    };
    const auto& xs = page.columnEdges;
    const auto& ys = page.rowEdges;
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j < columns;) {
            const EdgeLine& e = horizontal[static_cast<size_t>(i * columns + j)];
            int k = j + 1;
            if (e.rank == 0) {
                j = k;
                continue;
            }
            while (k < columns && same(e, horizontal[static_cast<size_t>(i * columns + k)])) ++k;
            const double yy = ys[static_cast<size_t>(i)];
            page.borders.push_back({QPointF(xs[static_cast<size_t>(j)], yy), QPointF(xs[static_cast<size_t>(k)], yy),
                                    e.line->style, ToColor(e.line->color, Qt::black)});
            j = k;
        }
    for (int j = 0; j <= columns; ++j)
        for (int i = 0; i < rows;) {
            const EdgeLine& e = vertical[static_cast<size_t>(i * (columns + 1) + j)];
            int k = i + 1;
            if (e.rank == 0) {
                i = k;
                continue;
            }
            while (k < rows && same(e, vertical[static_cast<size_t>(k * (columns + 1) + j)])) ++k;
            const double xx = xs[static_cast<size_t>(j)];
            page.borders.push_back({QPointF(xx, ys[static_cast<size_t>(i)]), QPointF(xx, ys[static_cast<size_t>(k)]),
                                    e.line->style, ToColor(e.line->color, Qt::black)});
            i = k;
        }
}

// The text broken in two at a position: the second line indented as the first (an indented name
// keeps its place), blanks at the break left out.
std::vector<QString> TwoLines(const QString& text, int at) {
    qsizetype lead = 0;
    while (lead < text.size() && text[lead] == QLatin1Char(' ')) ++lead;
    QString first = text.left(at), second = text.mid(at).trimmed();
    while (first.endsWith(QLatin1Char(' ')) || first.endsWith(QChar(0x3000))) first.chop(1);
    return {first, text.left(std::min<qsizetype>(lead, at)) + second};
}

int SheetLayout::TwoLineBreak(const QString& text, const QFont& font, double width, double largest, double& size) const {
    // The size each break allows, weighed by where the break falls (after a comma best, then after a
    // blank, then after a closing bracket, anywhere else, inside a bracketed quantity say, last) and
    // by how even the two lines are (a lone "全工程," over the rest reads badly).
    constexpr double kEvenness = 0.15;
    auto weight = [](QChar before) {
        if (before == QLatin1Char(',') || before == QChar(0x3001) || before == QChar(0xFF0C)) return 1.0;
        if (before == QLatin1Char(' ') || before == QChar(0x3000)) return 1.02;
        if (before == QLatin1Char(')') || before == QChar(0xFF09) || before == QLatin1Char(']')) return 1.1;
        return 1.25;
    };
    int best = 0;
    double bestScore = 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype p = finder.toNextBoundary(); p > 0 && p < text.size(); p = finder.toNextBoundary()) {
        const std::vector<QString> lines = TwoLines(text, static_cast<int>(p));
        if (lines[0].trimmed().isEmpty()) continue;
        const double first = m_measure.Width(font, lines[0]), second = m_measure.Width(font, lines[1]);
        const double longer = std::max(first, second);
        if (longer <= 0) continue;
        const double allowed = std::min(largest, font.pointSizeF() * width / longer);
        const double uneven = (longer - std::min(first, second)) / longer;
        const double score = allowed / weight(text[p - 1]) * (1 - kEvenness * uneven);
        if (best == 0 || score > bestScore) best = static_cast<int>(p), bestScore = score, size = allowed;
    }
    return best;
}

std::vector<QString> SheetLayout::WrapLines(const QString& text, const QFont& font, double width) const {
    std::vector<QString> lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty() || width <= 0) {
            lines.push_back(paragraph);
            continue;
        }
        // Break opportunities of the line-breaking rules: between ideographs, after spaces, …
        std::vector<int> breaks;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, paragraph);
        for (qsizetype p = finder.toNextBoundary(); p > 0; p = finder.toNextBoundary()) breaks.push_back(static_cast<int>(p));
        int start = 0;
        while (start < paragraph.size()) {
            int fit = -1;
            for (int b : breaks) {
                if (b <= start) continue;
                if (m_measure.Width(font, paragraph.mid(start, b - start).trimmed()) <= width)
                    fit = b;
                else
                    break;
            }
            if (fit < 0) {
                // Not even one piece fits: cut it where the width ends, one character at least.
                fit = start + 1;
                while (fit < paragraph.size() && m_measure.Width(font, paragraph.mid(start, fit + 1 - start)) <= width) ++fit;
            }
            lines.push_back(paragraph.mid(start, fit - start).trimmed());
            start = fit;
        }
    }
    return lines;
}

std::vector<QString> SheetLayout::PackedLines(const QString& text, const QFont& font, double width) const {
    qsizetype lead = 0;
    while (lead < text.size() && text[lead] == QLatin1Char(' ')) ++lead;
    const QString indent = text.left(lead);
    std::vector<QString> lines = WrapLines(text.mid(lead), font, width - m_measure.Width(font, indent));
    for (QString& line : lines) line.prepend(indent);
    return lines;
}

// How many lines of the size, set close, a cell of the height holds (one at least).
size_t LinesHeld(double size, double height) {
    return static_cast<size_t>(std::max(std::floor((height - 2 * kTwoLinePadding - size) / (kTwoLineSpacing * size)), 0.0)) + 1;
}

void SheetLayout::AddTexts(PageLayout& page) const {
    const XlsRange& range = page.range;
    const double mdwPoints = m_mdw * kPointsPerPixel;
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c) {
            const XlsCell* cell = m_grid.Cell(r, c);
            if (!cell || cell->kind == XlsValueKind::empty) continue;
            const int mi = m_grid.Merge(r, c);
            const XlsRange* merge = mi >= 0 ? &m_grid.merges[static_cast<size_t>(mi)] : nullptr;
            if (merge && (r != merge->firstRow || c != merge->firstColumn)) continue;  // covered by its merge
            const XlsCellFormat& fmt = m_styles.CellFormat(cell->style);
            XlsShownValue shown = FormatXlsCell(*cell, fmt.numberFormat);
            if (shown.text.empty()) continue;

            const XlsFont& xf = m_styles.Font(fmt.fontId);
            TextBox box;
            box.row = r;
            box.column = c;
            box.cell = Box(page, merge ? *merge : XlsRange{r, c, r, c});
            box.clip = box.cell;
            box.font = FontOf(fmt.fontId);
            box.doubleUnderline = xf.underline == "double" || xf.underline == "doubleAccounting";
            box.color = ToColor(shown.color ? shown.color : xf.color, Qt::black);
            box.text = QString::fromStdString(shown.text);

            std::string h = fmt.horizontal;
            if (h == "general")
                h = cell->kind == XlsValueKind::number ? "right" : cell->kind == XlsValueKind::text ? "left" : "center";
            const bool vertical = fmt.textRotation == 255;
            box.wrapped = !vertical && (fmt.wrapText || h == "justify" || h == "distributed");
            const std::string& v = fmt.vertical;
            Qt::Alignment valign = v == "top" || v == "justify" ? Qt::AlignTop
                                   : v == "center" || v == "distributed" ? Qt::AlignVCenter
                                                                          : Qt::AlignBottom;
            Qt::Alignment halign = h == "right" ? Qt::AlignRight
                                   : h == "center" || h == "centerContinuous" ? Qt::AlignHCenter
                                   : h == "distributed" ? Qt::AlignJustify
                                                         : Qt::AlignLeft;
            if (!box.wrapped) box.text.remove(QLatin1Char('\n'));
            box.text.remove(QLatin1Char('\r'));

            const double indent = (h == "left" || h == "right" || h == "distributed") ? fmt.indent * 1.5 * mdwPoints : 0;
            const double inner = std::max(box.cell.width() - 2 * kPadding - (h == "distributed" ? 2 * indent : indent), 0.0);
            double width = m_measure.Width(box.font, box.text);

            if (shown.number && !box.wrapped && width > inner) {
                // A number never runs into its neighbours: General drops decimals, any other shows "###".
                if (StartsWithNoCase(fmt.numberFormat, "General") || fmt.numberFormat.empty()) {
                    for (int chars = static_cast<int>(shown.text.size()) - 1; chars >= 1 && width > inner; --chars) {
                        std::string shorter = XlsGeneralNumber(cell->number, chars);
                        if (shorter.empty()) break;
                        box.text = QString::fromStdString(shorter);
                        width = m_measure.Width(box.font, box.text);
                    }
                }
            }
            auto hashes = [&] {
                const double hash = m_measure.Width(box.font, QStringLiteral("#"));
                box.text = QString(std::max(1, static_cast<int>(inner / hash)), QLatin1Char('#'));
                width = m_measure.Width(box.font, box.text);
            };
            if (shown.number && !box.wrapped && width > inner && !fmt.shrinkToFit) hashes();
            std::vector<QString> packed;  // lines set closer than a wrapped paragraph's
            if (fmt.shrinkToFit && !box.wrapped && width > inner && inner > 0) {
                const double ownSize = box.font.pointSizeF();
                const double oneLine = ownSize * inner / width;
                const double tallest = (box.cell.height() - 2 * kTwoLinePadding) / (1 + kTwoLineSpacing);
                if (oneLine < kLegibleSize && !vertical && !shown.number && tallest > oneLine) {
                    // The largest size at which the text takes two lines of the width, both within the
                    // height. Widths grow with the size, so the best break (the one whose longer line
                    // is shortest) gives that size at once.
                    double size = 0;
                    const int at = TwoLineBreak(box.text, box.font, inner, std::min(box.font.pointSizeF(), tallest), size);
                    if (at > 0 && size > oneLine) {
                        packed = TwoLines(box.text, at);
                        box.font.setPointSizeF(size);
                        box.wrapped = true;
                    }
                }
                if (packed.empty()) box.font.setPointSizeF(oneLine);
                width = inner;
                // Nothing is shrunk below the smallest printed size: such a text is set at that size
                // on the lines its cell holds, what does not fit cut off; a number shows "###".
                const double smallest = std::min(ownSize, kSmallestPrintedSize / page.scale);
                if (box.font.pointSizeF() < smallest && !vertical) {
                    box.font.setPointSizeF(smallest);
                    if (shown.number) {
                        if (m_measure.Width(box.font, box.text) > inner) hashes();
                    } else {
                        // As large as the text keeps to as many lines, all in the cell (halving the range).
                        packed = PackedLines(box.text, box.font, inner);
                        const size_t count = packed.size();
                        double low = smallest, high = ownSize;
                        for (int i = 0; i < 10 && count <= LinesHeld(low, box.cell.height()); ++i) {
                            QFont larger = box.font;
                            larger.setPointSizeF((low + high) / 2);
                            std::vector<QString> lines = PackedLines(box.text, larger, inner);
                            const bool fits = lines.size() <= count && lines.size() <= LinesHeld(larger.pointSizeF(), box.cell.height());
                            (fits ? low : high) = larger.pointSizeF();
                            if (fits) packed = std::move(lines);
                        }
                        box.font.setPointSizeF(low);
                        packed.resize(std::min(packed.size(), LinesHeld(low, box.cell.height())));
                        box.wrapped = true;
                    }
                }
            }
            if (h == "fill" && width > 0 && width < inner) {
                box.text = box.text.repeated(static_cast<int>(inner / width));
                width = m_measure.Width(box.font, box.text);
            }

            // Text that does not fit runs on over empty neighbours, on the side(s) its alignment points to.
            if (!box.wrapped && !vertical && !fmt.shrinkToFit && !merge && cell->kind == XlsValueKind::text && width > inner &&
                h != "fill" && h != "distributed" && h != "justify") {
                auto freeCell = [&](int column) {
                    if (column < range.firstColumn || column > range.lastColumn) return false;
                    const XlsCell* n = m_grid.Cell(r, column);
                    return (!n || n->kind == XlsValueKind::empty) && m_grid.Merge(r, column) < 0;
                };
                const bool centred = halign == Qt::AlignHCenter;
                const double need = centred ? (width - inner) / 2 : width - inner;
                if (halign == Qt::AlignLeft || centred) {
                    double gained = 0;
                    for (int k = c + 1; gained < need && freeCell(k); ++k) gained += ColumnWidth(k);
                    box.clip.setRight(box.cell.right() + gained);
                }
                if (halign == Qt::AlignRight || centred) {
                    double gained = 0;
                    for (int k = c - 1; gained < need && freeCell(k); --k) gained += ColumnWidth(k);
                    box.clip.setLeft(box.cell.left() - gained);
                }
            }

            std::vector<QString> texts;
            if (vertical) {
                for (QChar ch : box.text) texts.push_back(QString(ch));
                halign = Qt::AlignHCenter;
            } else if (!packed.empty()) {
                texts = packed;
            } else if (box.wrapped) {
                texts = WrapLines(box.text, box.font, inner);
            } else {
                texts.push_back(box.text);
            }
            box.alignment = halign | valign;

            const double size = box.font.pointSizeF();
            const double lineHeight = vertical ? size : (packed.empty() ? kLineSpacing : kTwoLineSpacing) * size;
            const double padding = packed.empty() ? kVerticalPadding : kTwoLinePadding;
            const double blockHeight = (static_cast<double>(texts.size()) - 1) * lineHeight + size;
            double top = valign == Qt::AlignTop       ? box.cell.top() + padding
                         : valign == Qt::AlignVCenter ? box.cell.center().y() - blockHeight / 2
                                                      : box.cell.bottom() - padding - blockHeight;
            const double left = box.cell.left() + kPadding + (h == "right" ? 0 : indent);
            const double right = box.cell.right() - kPadding - (h == "left" ? 0 : indent);
            for (size_t k = 0; k < texts.size(); ++k) {
                TextLine line;
                line.text = texts[k];
                line.width = m_measure.Width(box.font, line.text);
                const double baseline = top + static_cast<double>(k) * lineHeight + kAscent * size;
                double x = left;
                if (halign == Qt::AlignJustify) {
                    // Distributed: the characters spread evenly from side to side.
                    const qsizetype n = line.text.size();
                    if (n > 1 && line.width < right - left) {
                        const double gap = (right - left - line.width) / static_cast<double>(n - 1);
                        for (qsizetype i = 0; i < n; ++i) {
                            TextLine character;
                            character.text = line.text.mid(i, 1);
                            character.width = m_measure.Width(box.font, character.text);
                            character.origin = QPointF(x, baseline);
                            x += character.width + gap;
                            box.lines.push_back(std::move(character));
                        }
                        continue;
                    }
                    x = (left + right - line.width) / 2;
                } else if (halign == Qt::AlignRight) {
                    x = right - line.width;
                } else if (halign == Qt::AlignHCenter) {
                    x = (box.cell.left() + box.cell.right() - line.width) / 2;
                }
                line.origin = QPointF(x, baseline);
                box.lines.push_back(std::move(line));
            }
            page.texts.push_back(std::move(box));
        }
}

// Header and footer codes: &L &C &R start a section; &P page, &N pages, &D date, &T time, &A the sheet,
// && an ampersand; font, size and colour codes are passed over.
std::array<QString, 3> HeaderFooterSections(const std::string& code, int pageNumber, int pageCount, const std::string& sheet) {
    std::array<QString, 3> sections;
    int current = 1;
    QString text = QString::fromStdString(code);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar ch = text[i];
        if (ch != QLatin1Char('&') || i + 1 >= text.size()) {
            sections[static_cast<size_t>(current)] += ch;
            continue;
        }
        QChar k = text[++i];
        switch (k.toUpper().unicode()) {
        case 'L': current = 0; break;
        case 'C': current = 1; break;
        case 'R': current = 2; break;
        case 'P': sections[static_cast<size_t>(current)] += QString::number(pageNumber); break;
        case 'N': sections[static_cast<size_t>(current)] += QString::number(pageCount); break;
        case 'D': sections[static_cast<size_t>(current)] += QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")); break;
        case 'T': sections[static_cast<size_t>(current)] += QTime::currentTime().toString(QStringLiteral("HH:mm")); break;
        case 'A': sections[static_cast<size_t>(current)] += QString::fromStdString(sheet); break;
        case '&': sections[static_cast<size_t>(current)] += QLatin1Char('&'); break;
        case '"': {
            qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            i = close < 0 ? text.size() : close;
            break;
        }
        case 'K': i += 6; break;
        default:
            while (k.isDigit() && i + 1 < text.size() && text[i + 1].isDigit()) ++i;
            break;
        }
    }
    return sections;
}

}  // namespace

const TextBox* PageLayout::TextAt(int row, int column) const {
    for (const TextBox& t : texts)
        if (t.row == row && t.column == column) return &t;
    return nullptr;
}

QString PrintFamily(const std::string& name) { return pdftext::JapaneseFamily(PrintFaceOf(name)); }

int MaxDigitWidth(const XlsFont& font) {
    QFont f(PrintFamily(font.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround((font.size > 0 ? font.size : 11) * 96.0 / 72.0))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    QFontMetricsF metrics(f);
    double widest = 0;
    for (char d = '0'; d <= '9'; ++d) widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(d)));
    return std::max(1, static_cast<int>(std::lround(widest)));
}

double ColumnWidthPoints(double characters, int mdw) {
    // Excel's rule: pixels = trunc(((256 * width + trunc(128 / mdw)) / 256) * mdw).
    const double pixels = std::trunc(((256 * characters + std::trunc(128.0 / mdw)) / 256) * mdw);
    return std::max(pixels, 0.0) * kPointsPerPixel;
}

std::vector<PageLayout> LayoutWorkbook(const XlsWorkbook& book) {
    std::vector<PageLayout> pages;
    std::vector<QFont> fonts;
    for (const XlsFont& f : book.styles.fonts) fonts.push_back(PrintFont(f));
    if (fonts.empty()) fonts.push_back(PrintFont(XlsFont{}));
    const int mdw = MaxDigitWidth(book.styles.Font(0));
    Measurer measurer;
    std::vector<size_t> firstOfSheet;
    for (size_t s = 0; s < book.sheets.size(); ++s) {
        firstOfSheet.push_back(pages.size());
        SheetLayout(book, static_cast<int>(s), fonts, mdw, measurer).AddPages(pages);
    }

    // Headers and footers, numbered through the workbook (a sheet may restart at its first number).
    const int count = static_cast<int>(pages.size());
    int number = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        PageLayout& page = pages[i];
        const XlsSheet& sheet = book.sheets[static_cast<size_t>(page.sheet)];
        const bool firstOfItsSheet = firstOfSheet[static_cast<size_t>(page.sheet)] == i;
        number = firstOfItsSheet && sheet.page.useFirstPageNumber ? sheet.page.firstPageNumber : number + 1;
        const XlsPageSetup& setup = sheet.page;
        const bool even = setup.differentOddEven && number % 2 == 0;
        const std::string& header = setup.differentFirst && firstOfItsSheet ? setup.firstHeader : even ? setup.evenHeader : setup.oddHeader;
        const std::string& footer = setup.differentFirst && firstOfItsSheet ? setup.firstFooter : even ? setup.evenFooter : setup.oddFooter;
        const QFont font = fonts.front();
        const double size = font.pointSizeF();
        const double left = setup.margins.left * kPointsPerInch;
        const double right = page.paper.width() - setup.margins.right * kPointsPerInch;
        const QColor color = ToColor(book.styles.Font(0).color, Qt::black);
        auto place = [&](const std::string& code, double baseline) {
            if (code.empty()) return;
            auto sections = HeaderFooterSections(code, number, count, sheet.name);
            for (int s = 0; s < 3; ++s) {
                const QString& text = sections[static_cast<size_t>(s)];
                if (text.isEmpty()) continue;
                const double w = measurer.Width(font, text);
                const double x = s == 0 ? left : s == 1 ? (page.paper.width() - w) / 2 : right - w;
                page.margins.push_back({text, QPointF(x, baseline), font, color});
            }
        };
        place(header, setup.margins.header * kPointsPerInch + kAscent * size);
        place(footer, page.paper.height() - setup.margins.footer * kPointsPerInch - (1 - kAscent) * size);
    }
    return pages;
}

}  // namespace reportqt
