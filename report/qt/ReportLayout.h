#pragma once
#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <string>
#include <vector>

#include "report/XlsWorkbook.h"

// The printed pages of a workbook, laid out before anything is painted: where every cell box, fill,
// border line and text goes. Sheet coordinates are points measured from the top-left corner of the
// cells a page shows; the page's scale and origin place them on the paper (also in points).
namespace reportqt {

// Points between a cell's left or right side and its text (3 pixels).
inline constexpr double kCellPadding = 2.25;

// The smallest size, in points on the paper, that a text is shrunk to: one that would have to shrink
// further is set at this size on as many lines as its cell holds.
inline constexpr double kSmallestPrintedSize = 4.5;

// Texts are measured and drawn with their font at this pixel size, scaled to the size in points: a
// font given a point size is set to whole pixels, which would draw small texts wider or narrower
// than they were measured.
inline constexpr int kTextReferencePixels = 100;

// A run of a cell's text drawn at one place: a line, or one character of a distributed line. The
// origin is the start of its baseline (sheet points).
struct TextLine {
    QString text;
    QPointF origin;
    double width = 0;
};

struct TextBox {
    int row = 0;     // the cell, or the top-left cell of a merge
    int column = 0;
    QRectF cell;     // the cell's box, a merge's whole box
    QRectF clip;     // where the text may show: the box, or wider when it runs into empty neighbours
    QString text;    // what the cell shows, through its number format ("###" for a number too wide)
    QFont font;      // family, weight and style; pointSizeF is the size in points (after shrinking)
    QColor color;
    Qt::Alignment alignment;  // the horizontal and vertical alignment used
    bool wrapped = false;
    bool doubleUnderline = false;  // drawn as two lines under each text line (a single one is the font's)
    std::vector<TextLine> lines;  // in drawing order
};

struct FillBox {
    QRectF rect;
    QColor color;
};

struct BorderLine {
    QPointF from;
    QPointF to;
    std::string style;  // Excel's line style: "thin", "medium", "thick", "double", "hair", "dotted", "dashed", …
    QColor color;
};

// A header or footer section, placed on the paper (points).
struct MarginText {
    QString text;
    QPointF origin;  // baseline start
    QFont font;
    QColor color;
};

struct PageLayout {
    int sheet = 0;  // index of the sheet in the workbook
    std::string sheetName;
    XlsRange range;  // the cells this page shows
    QPageSize::PageSizeId paperId = QPageSize::A4;
    bool landscape = false;
    QSizeF paper;    // the paper in points, as oriented
    QPointF origin;  // where the range's top-left corner lies on the paper, points
    double scale = 1;  // sheet points to paper points
    QSizeF size;       // the range in sheet points (unscaled)
    std::vector<double> columnEdges;  // left edge of each column of the range and the right edge of the last
    std::vector<double> rowEdges;     // likewise for rows
    std::vector<FillBox> fills;
    std::vector<TextBox> texts;
    std::vector<BorderLine> borders;
    std::vector<MarginText> margins;  // header and footer texts, page numbers resolved

    // The text box of a cell (a merge's top-left cell), or null when the cell shows nothing here.
    const TextBox* TextAt(int row, int column) const;
};

// Every printed page of the workbook, sheet by sheet. A sheet prints its print areas (or the range it
// uses), each on as many pages as its scale needs; with fit to page the scale is chosen so that the
// area fits the pages asked for. Page numbers of headers and footers run through the whole workbook.
std::vector<PageLayout> LayoutWorkbook(const XlsWorkbook& book);

// The Japanese face a cell font prints with: Noto Serif CJK JP for Mincho and other serif faces, Noto
// Sans CJK JP for everything else. Its text is drawn with a Latin face before it (pdftext::PrintFamilies).
QString PrintFamily(const std::string& excelFontName);
// The widest digit of a font in whole pixels at 96 dpi: the unit of column widths when the font is the
// workbook's default font.
int MaxDigitWidth(const XlsFont& font);
// A column width in Excel's character units as points, for the given digit width.
double ColumnWidthPoints(double characters, int maxDigitWidth);

}  // namespace reportqt
