#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A read-only picture of a workbook, made for the print preview: the sheets in order, what their cells
// hold, how rows, columns and pages are laid out, and the styles the cells refer to. Rows and columns
// count from 1 (column 1 is "A"). Colours are resolved to 0xAARRGGBB (theme colours and tints
// included); an empty optional means the automatic colour. Column widths are in Excel character units
// (multiples of the widest digit of the default font, font 0), heights in points, margins in inches.

struct XlsRange {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;
    bool Contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool operator==(const XlsRange&) const = default;
};

struct XlsFont {
    std::string name = "Calibri";
    double size = 11;  // points
    bool bold = false;
    bool italic = false;
    bool strike = false;
    std::string underline;  // "" none, else "single", "double", "singleAccounting", "doubleAccounting"
    std::string verticalAlign;  // "" baseline, "superscript", "subscript"
    std::optional<uint32_t> color;
};

struct XlsFill {
    std::string pattern = "none";  // "none", "solid", "gray125", … ; "gradient" for a gradient fill
    std::optional<uint32_t> foreground;  // the colour of a solid fill
    std::optional<uint32_t> background;
};

struct XlsBorderLine {
    std::string style;  // "" no line, else "thin", "medium", "thick", "double", "hair", "dotted", "dashed", …
    std::optional<uint32_t> color;
};

struct XlsBorder {
    XlsBorderLine left, right, top, bottom, diagonal;
    bool diagonalUp = false;
    bool diagonalDown = false;
};

// One cell format (an xf of cellXfs); a cell's style is its index.
struct XlsCellFormat {
    int fontId = 0;
    int fillId = 0;
    int borderId = 0;
    int numberFormatId = 0;
    std::string numberFormat = "General";  // the format code, built-in ones resolved
    std::string horizontal = "general";    // general, left, center, right, fill, justify, centerContinuous, distributed
    std::string vertical = "bottom";       // top, center, bottom, justify, distributed
    bool wrapText = false;
    bool shrinkToFit = false;
    int indent = 0;
    int textRotation = 0;  // degrees 0–180 as stored; 255 is vertical text
};

struct XlsStyles {
    std::vector<XlsFont> fonts;
    std::vector<XlsFill> fills;
    std::vector<XlsBorder> borders;
    std::vector<XlsCellFormat> cellFormats;
    // Guarded lookups: an index out of range gives the first entry (or a default one).
    const XlsFont& Font(int id) const;
    const XlsFill& Fill(int id) const;
    const XlsBorder& Border(int id) const;
    const XlsCellFormat& CellFormat(int id) const;
};

enum class XlsValueKind { empty, number, text, boolean, error };

struct XlsCell {
    int row = 0;
    int column = 0;
    XlsValueKind kind = XlsValueKind::empty;
    double number = 0;     // number and boolean (0/1)
    std::string text;      // text, or the error's text ("#DIV/0!")
    std::string formula;   // the formula without "=", when the cell has one (its result is not stored)
    int style = 0;         // index into XlsStyles::cellFormats
};

// A run of columns with the same settings (min..max of <col>).
struct XlsColumn {
    int first = 0;
    int last = 0;
    double width = 0;  // 0 when the run keeps the default width
    bool customWidth = false;
    bool hidden = false;
    int style = 0;
};

struct XlsRow {
    int row = 0;
    double height = 0;  // points; 0 when the row keeps the default height
    bool customHeight = false;
    bool hidden = false;
    int style = -1;  // the row's format for empty cells, -1 when none
};

struct XlsMargins {
    double left = 0.7;
    double right = 0.7;
    double top = 0.75;
    double bottom = 0.75;
    double header = 0.3;
    double footer = 0.3;
};

struct XlsPageSetup {
    int paperSize = 0;  // Excel's paper codes: 1 Letter, 8 A3, 9 A4, 11 A5, 12 B4, 13 B5, …; 0 when not given
    std::string orientation = "default";  // "default", "portrait", "landscape"
    int scale = 100;    // percent, when not fitted to pages
    bool fitToPage = false;
    int fitToWidth = 1;   // pages across (0: as many as needed)
    int fitToHeight = 1;  // pages down (0: as many as needed)
    int firstPageNumber = 1;
    bool useFirstPageNumber = false;
    std::string pageOrder = "downThenOver";
    bool blackAndWhite = false;
    bool horizontalCentered = false;
    bool verticalCentered = false;
    bool printGridLines = false;
    bool printHeadings = false;
    XlsMargins margins;
    // Header and footer texts with Excel's codes (&P page, &N pages, &L &C &R sections, …).
    std::string oddHeader, oddFooter, evenHeader, evenFooter, firstHeader, firstFooter;
    bool differentFirst = false;
    bool differentOddEven = false;
};

struct XlsSheet {
    std::string name;
    std::vector<XlsCell> cells;  // sorted by row, then column
    std::vector<XlsColumn> columns;
    std::vector<XlsRow> rows;    // only rows with settings of their own, sorted
    double baseColumnWidth = 8;
    double defaultColumnWidth = 0;  // 0 when the sheet does not set one (then derived from the base width)
    double defaultRowHeight = 15;   // points
    std::vector<XlsRange> merges;
    std::vector<XlsRange> printArea;  // empty: the used range is printed
    // Rows and columns repeated on every printed page; 0 when none.
    int titleFirstRow = 0, titleLastRow = 0, titleFirstColumn = 0, titleLastColumn = 0;
    std::vector<int> rowBreaks;     // a break after each of these rows
    std::vector<int> columnBreaks;  // a break after each of these columns
    XlsPageSetup page;
    bool showGridLines = true;

    const XlsCell* FindCell(int row, int column) const;
    // Width of a column and height of a row as the sheet sets them (the defaults otherwise).
    double ColumnWidth(int column) const;
    double RowHeight(int row) const;
    bool IsRowHidden(int row) const;
    bool IsColumnHidden(int column) const;
};

struct XlsWorkbook {
    std::vector<XlsSheet> sheets;
    XlsStyles styles;
    bool date1904 = false;
};

// Why a workbook could not be read (also the reasons a template is refused).
enum class XlsOpenError {
    none,
    noFileName,   // no template path was given
    fileMissing,  // the file cannot be opened or read
    notZip,       // not a zip archive, or a damaged one
    noWorkbook,   // the archive holds no workbook part
    missingPart,  // a part the workbook names (a sheet, the styles) is not in the archive
    damagedXml,   // a part is not well-formed XML or breaks the workbook's structure
    notAFile,     // the path names no regular file (a folder, a pipe, a device)
    tooLarge,     // the file, a part or what the parts hold passes the limits of a print form
    tooDeep,      // elements nested deeper than any workbook nests them
    outOfMemory,  // memory ran out while the workbook was read
};

// Reads an .xlsx (its bytes) into the model.
XlsOpenError ReadXlsWorkbook(const std::string& xlsxBytes, XlsWorkbook& out, std::string* detail = nullptr);
