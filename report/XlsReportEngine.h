#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "report/XlsWorkbook.h"

// The report engine: fills an Excel workbook (.xlsx) from a template workbook.
//
// A report opens a template, then for every output page begins a page copied from one of the
// template's sheets, writes values into its named cells, merges and aligns cell rectangles, ends the
// page, and finally saves the workbook or hands its model to the preview.
//
// A named cell is a template cell whose text is "**name"; the page shows it blank, its format kept.
// Positions count from 1: x is the column (1 = "A"), y the row.

// The error number read with GetErrorNo after an operation.
enum class XlsErrorNo : int {
    none = 0,
    noWorkbook = 30,   // no template is open
    noSheet = 36,      // the template has no sheet of that name
    noCell = 37,       // the template sheet has no cell of that name (and the name is no address)
    noPage = 38,       // no page is open
    badPosition = 39,  // a position outside the sheet
    badValue = 40,     // an attribute value the engine does not know
    outputFull = 41,   // a page (no page is open then) or rows copied into it would take the workbook past
                       // kMaxOutputCells
};

// The most cells the pages of one workbook hold together (the template cells each page shows, the cells
// written and those of rows copied in): far above any report, low enough that the workbook, its model
// and its preview fit in memory.
inline constexpr long kMaxOutputCells = 1000000;

// Horizontal alignments of AttrPutPosHorz. Other values are refused (error badValue).
enum XlsHorzAlign : int {
    xlsHorzGeneral = 20,  // the format's own alignment is removed (Excel's "general")
    xlsHorzLeft = 21,
    xlsHorzCenter = 22,
    xlsHorzRight = 23,
    xlsHorzFill = 24,
    xlsHorzJustify = 25,
    xlsHorzCenterContinuous = 26,
    xlsHorzDistributed = 27,
};

// Vertical alignments of AttrPutPosVert. Other values are refused (error badValue).
enum XlsVertAlign : int {
    xlsVertTop = 31,
    xlsVertCenter = 32,
    xlsVertBottom = 33,  // Excel's default
    xlsVertJustify = 34,
    xlsVertDistributed = 35,
};

// Why a save failed. A failed save leaves the target file as it was.
enum class XlsSaveError {
    none,
    noWorkbook,   // no template is open
    noPages,      // no page has been ended: a workbook needs one sheet at least
    packFailed,   // the archive could not be built in memory (memory ran out, among others)
    writeFailed,  // the file could not be written (folder missing, not writable, disk full, …)
    readOnly,     // the file (or the file a link names) is marked read-only: it is not replaced
};

// Options of the preview window, kept for the preview; the engine itself does not use them.
struct XlsViewOptions {
    std::string caption;
    int zoom = 100;  // percent when positive; the preview gives negative values its own meaning
    bool showInvalidArea = true;
    bool showMarginArea = true;
};

class CXlsReportEngine {
public:
    CXlsReportEngine();
    ~CXlsReportEngine();
    CXlsReportEngine(const CXlsReportEngine&) = delete;
    CXlsReportEngine& operator=(const CXlsReportEngine&) = delete;

    // Template.
    void PutFileName(std::string_view templatePath);
    // Reads the template named by PutFileName and starts a new, empty output workbook. Any earlier
    // template and its pages are dropped first, so after a failure no workbook is open.
    XlsOpenError StartFile();
    // PutFileName and StartFile.
    XlsOpenError OpenTemplate(std::string_view templatePath);
    // Drops the template and its pages: no workbook is open afterwards.
    void Close();
    bool HasWorkbook() const;
    // Why the last StartFile or Save failed, in words (for logs); "" after a success.
    const std::string& FailureDetail() const;

    // Pages. PageBegin opens a copy of the named template sheet (an open page is dropped first);
    // without such a sheet the error number becomes noSheet and no page is open. PageEnd adds the open
    // page to the workbook, named after its template sheet ("代価表", "代価表 (2)", …).
    void PageBegin(std::string_view sheetName, std::string_view pageText = "1");
    void PageEnd();
    bool HasOpenPage() const;
    int PageCount() const;  // ended pages
    // A page or rows copied into one were refused since the last StartFile because the workbook reached
    // kMaxOutputCells.
    bool OutputFull() const;

    // Selection. Cell selects the cell dx columns right and dy rows below the named cell; the name may
    // also be an address such as "B3" or "$B$3". Pos selects a rectangle.
    void Cell(std::string_view name, int dx = 0, int dy = 0);
    void Pos(int x1, int y1, int x2, int y2);
    int GetErrorNo() const;

    // Values go to the selected cell (the top-left one of a rectangle); with nothing selected they are
    // ignored and the error number stays. A double equal to its 32-bit truncation is written as an
    // integer; a NaN or infinity empties the cell. A text goes without its CP932 code marks.
    void PutValueString(std::string_view utf8);
    void PutValueLong(int64_t value);
    void PutValueDouble(double value);

    // Where a named cell (or an address) stands on the open page: x the column, y the row. False, with
    // the error number noCell, when the page has no such cell.
    bool CellPosition(std::string_view name, int& x, int& y);
    // Whether a line is drawn under the cell at (x, y) of the open page: its bottom border or the top
    // border of the cell below.
    bool HasLineBelow(int x, int y) const;
    // Lays out more rows on the open page: inserts `times` copies of rows firstRow..lastRow right below
    // lastRow. What lies below moves down with its cells, merges and named cells, and the print area,
    // row breaks and conditional formats that reach below lastRow grow or move with it. The copies
    // take the rows' heights, the formats of their cells and the merges within them, not their values;
    // formulas keep their references. Refused (badPosition) when rows would pass the sheet's last row or
    // one call would copy more than 65,536 cells and merges; refused (outputFull) when the copied cells
    // would take the workbook past kMaxOutputCells.
    void RepeatRows(int firstRow, int lastRow, int times);

    // Attributes of the selected rectangle. Joint 1 merges it (merges it overlaps are dropped first);
    // 0 removes the merges it overlaps.
    void AttrPutJoint(int joint);
    // Gives every cell of the rectangle a copy of its format with the horizontal alignment changed
    // (one copy per format and alignment).
    void AttrPutPosHorz(int alignment);
    // The same with the vertical alignment.
    void AttrPutPosVert(int alignment);
    // Gives every cell of the rectangle a copy of its format whose number format shows `decimals`
    // decimals, with thousands separators added when grouped (XlsFormatWithDecimals).
    void AttrPutDecimals(int decimals, bool grouped = false);

    // Preview options.
    void OptionPutViewCaption(std::string_view caption);
    void OptionPutViewZoom(int zoom);
    void OptionPutDspInvalidArea(int show);
    void OptionPutDspMarginArea(int show);
    const XlsViewOptions& ViewOptions() const;

    // Writes the ended pages as an .xlsx: a temporary file beside the target, renamed over it.
    XlsSaveError Save(const std::string& path);
    // The output workbook as bytes of an .xlsx (what Save writes); false with no workbook or no pages.
    bool BuildXlsx(std::string& bytes);
    // The model of the output workbook (the ended pages), for the preview. Empty with no workbook.
    XlsWorkbook Model();

    struct Impl;

private:
    std::unique_ptr<Impl> m;
};
