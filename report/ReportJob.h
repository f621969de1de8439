#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "report/PrintSettings.h"
#include "report/XlsReportEngine.h"

class IReportOutput;

// The message that refuses a print form: the path, then why, by the engine's reason; a path that
// names no regular file (nothing, a folder, a named pipe) gets the missing file's own message.
std::string FormRefusalMessage(const std::string& path, XlsOpenError error);

// One report: fills one workbook from one template workbook and previews or prints it. Every sheet
// of the program is written through a job, in this order:
//
//     if (!job.OpenTemplate(path)) return;          // the job has told the user why
//     job.BeginPage("代価表", "1");                  // a copy of the template sheet
//     job.SetCellText("**名称", name);               // … cell writes, joins, alignments
//     job.EndPage();
//     job.Preview();                                 // or job.Print()
//
// The holder of a job (a view or an editor) keeps it while its preview is open: IsPreviewOpen tells
// it to raise the preview (ActivatePreviewWindow) instead of building again, and to refuse printing
// and closing meanwhile (reporttext::kPreviewOpenMessage).
class CReportJob {
public:
    CReportJob();
    ~CReportJob();
    CReportJob(const CReportJob&) = delete;
    CReportJob& operator=(const CReportJob&) = delete;

    // Template and pages. OpenTemplate starts a new workbook from the template: 1 when it is open,
    // 0 after telling the user that the file is missing or cannot be read (then no workbook is open
    // and Print and Preview do nothing).
    int OpenTemplate(const std::string& path);
    // A new page copied from the named template sheet; every caller passes "1" as the page text.
    void BeginPage(std::string_view sheetName, std::string_view pageText = "1");
    void EndPage();

    // Cell writes: the cell named name ("**名称", or an address such as "B3"), or the one dx columns
    // right and dy rows below it. A number equal to its 32-bit truncation is written as an integer.
    void SetCellText(std::string_view name, std::string_view text);
    void SetCellInt(std::string_view name, int value);
    void SetCellLong(std::string_view name, int64_t value);
    void SetCellDouble(std::string_view name, double value);
    void SetCellTextAt(std::string_view name, int dx, int dy, std::string_view text);
    void SetCellIntAt(std::string_view name, int dx, int dy, int value);
    void SetCellLongAt(std::string_view name, int dx, int dy, int64_t value);
    void SetCellDoubleAt(std::string_view name, int dx, int dy, double value);
    // A figure as the page shows it: the value rounded half away from zero to `decimals` places, in a
    // copy of the cell's format that shows those decimals (with thousands separators when grouped).
    void SetCellFigure(std::string_view name, double value, int decimals, bool grouped = false);
    void SetCellFigureAt(std::string_view name, int dx, int dy, double value, int decimals, bool grouped = false);

    // Rectangles by position (x the column, y the row, from 1): merged, or aligned with one of the
    // engine's XlsHorzAlign values.
    void JoinCells(int x1, int y1, int x2, int y2);
    void SetHorzAlignAt(int x1, int y1, int x2, int y2, int alignment);
    void SetVertAlignAt(int x1, int y1, int x2, int y2, int alignment);
    // Where a named cell stands on the open page (x the column, y the row, from 1); false without it.
    bool GetCellPosition(std::string_view name, int& x, int& y) { return m_engine.CellPosition(name, x, y); }
    // Whether the open page draws a line under the cell at (x, y).
    bool HasLineBelow(int x, int y) const { return m_engine.HasLineBelow(x, y); }
    // Copies of rows firstRow..lastRow inserted below them on the open page, what lies below moving
    // down (the engine's RepeatRows).
    void RepeatRows(int firstRow, int lastRow, int times) { m_engine.RepeatRows(firstRow, lastRow, times); }
    // The engine's error number after the last operation: 0 when the last cell lookup found its cell,
    // 37 when the template lacks it.
    int GetErrorNo() const;

    // Runs the building of a report's sheets (the builder's calls of this job). Running out of memory,
    // or the engine's limit on the cells of one workbook (kMaxOutputCells), stops the report instead
    // of the program: no workbook is left open, the user is told (reporttext::kReportOutOfMemory,
    // kReportTooLarge) and the result is 0. What the builder reads (the estimate, the masters) it
    // only reads, so every open estimate stays as it was. 1 otherwise.
    int Build(const std::function<void()>& build);

    // Output. Print asks for the printer and, when the user chooses to, prints every page as
    // PrintOnChosenPrinter does. Preview shows the workbook in this job's preview window, captioned
    // with the preview title, and returns; IsPreviewOpen is 1 until that window closes. Both do
    // nothing without a workbook. Memory that runs out while the pages are laid out is told to the
    // user (reporttext::kReportOutOfMemory); no window stays open then.
    void Print();
    void Preview();
    // Prints every page on the printer chosen last, without asking for one. A print that is not done
    // is told to the user and the result is false, as it is without a workbook: a printer that cannot
    // be started (reporttext::kNothingPrinted), a page range without pages (kNoPageInRange), a PDF
    // file that could not be written whole (kPdfNotWritten: the file and why; nothing was written)
    // and a printer's job that ended aborted or in error (kPrintJobFailed: the printer and how).
    bool PrintOnChosenPrinter();
    // Brings this job's open preview window to the front; nothing when none is open.
    void ActivatePreviewWindow();
    int IsPreviewOpen() const { return m_previewOpen; }
    // The rules of every holder while this job's preview is open. RaiseOpenPreview: a preview command
    // only brings the open preview to the front (true when one was open). RefuseWhilePreviewOpen:
    // print, OK, Cancel and close are refused with reporttext::kPreviewOpenMessage (true when refused).
    bool RaiseOpenPreview();
    bool RefuseWhilePreviewOpen();
    void SetPreviewTitle(std::string_view title) { m_previewTitle = title; }
    std::string GetPreviewTitle() const { return m_previewTitle; }
    // The name the workbook is offered under when it is saved from the preview: the estimate's path
    // or title, whose extension gives way to ".xlsx"; "" offers the template's name.
    void SetWorkbookName(std::string_view name) { m_workbookName = name; }
    const std::string& GetWorkbookName() const { return m_workbookName; }

    // The title of the printed document (a PDF file's title, a print job's name): the estimate's 件名.
    void SetDocumentTitle(std::string_view title) { m_documentTitle = title; }
    const std::string& GetDocumentTitle() const { return m_documentTitle; }

    // The page settings, copied whole into and out of the page-settings dialog.
    const CPrintSettings& GetSettings() const { return m_settings; }
    void SetSettings(const CPrintSettings& settings) { m_settings = settings; }
    int IsHyoshiPrinted() const { return m_settings.printHyoshi; }
    int IsDatePrinted() const { return m_settings.setDate; }
    int IsSokatsuPrinted() const { return m_settings.printSokatsu; }
    int IsGyomuSokatsuPrinted() const { return m_settings.printGyomuSokatsu; }
    int IsDaikaPrinted() const { return m_settings.printDaika; }
    int GetDaikaStartNo() const { return m_settings.daikaStartNo; }
    int IsDaikaMeisaiPrinted() const { return m_settings.printDaikaMeisai; }
    int IsStartPageSet() const { return m_settings.setStartPage; }
    int GetStartPage() const { return m_settings.startPage; }
    int IsPageBreakPerGyomu() const { return m_settings.pageBreakPerGyomu; }
    int IsKingakuOmitted() const { return m_settings.omitKingaku; }
    int GetTankaStartNo() const { return m_settings.tankaStartNo; }

    // The open template ("" when none is open) and the engine that holds the workbook, for the output.
    const std::string& GetTemplatePath() const { return m_templatePath; }
    CXlsReportEngine& Engine() { return m_engine; }
    bool HasWorkbook() const { return m_engine.HasWorkbook(); }

    // Called by the output when this job's preview window has closed.
    void PreviewClosed();

private:
    void Select(std::string_view name, int dx, int dy) { m_engine.Cell(name, dx, dy); }
    void OutOfMemory();
    void PutNumber(int64_t value);

    CXlsReportEngine m_engine;
    std::string m_templatePath;
    int m_previewOpen = 0;
    CPrintSettings m_settings;
    std::string m_previewTitle;
    std::string m_workbookName;
    std::string m_documentTitle;
    IReportOutput* m_previewOutput = nullptr;  // the output showing the open preview
};
