#pragma once
#include <string>
#include <utility>

class CReportJob;

// What became of a print.
enum class PrintResult {
    printed,
    notStarted,     // the printer could not be started
    noPageInRange,  // the page range chosen holds no page of the report
    notWritten,     // the PDF file could not be written whole: nothing was written
    jobFailed,      // the printer's job ended aborted or in error
};

struct PrintOutcome {
    PrintOutcome(PrintResult result = PrintResult::printed, int pages = 0, std::string where = {}, std::string reason = {})
        : result(result), pages(pages), where(std::move(where)), reason(std::move(reason)) {}

    PrintResult result;
    int pages;           // the pages printed
    std::string where;   // notWritten: the PDF file; jobFailed: the printer
    std::string reason;  // notWritten: the system's reason; jobFailed: how the job ended
};

// Where a report job's workbook goes to be seen or printed. The program installs the Qt output
// (report/qt/QtReportOutput.h), which owns the preview windows and the printer; tests install a
// recording double. Without one, a quiet output shows nothing and prints nothing.
class IReportOutput {
public:
    virtual ~IReportOutput() = default;

    // Shows the job's workbook in a preview window of its own and returns at once. When the window
    // closes, the output calls job.PreviewClosed() (at once when it shows nothing).
    virtual void ShowPreview(CReportJob& job) = 0;
    // Brings the job's open preview window to the front.
    virtual void RaisePreview(CReportJob& job) = 0;
    // Closes the job's preview window, if one is open (the job is going away).
    virtual void ClosePreview(CReportJob& job) = 0;
    // Asks the user for the printer for the job; true when they chose to print.
    virtual bool ChoosePrinter(const CReportJob& job) = 0;
    // Prints every page of the job's workbook (those of the page range chosen) on the printer
    // chosen last, and tells what became of it.
    virtual PrintOutcome PrintAll(CReportJob& job) = 0;
};

// The installed output; without one, the quiet output.
IReportOutput& ReportOutput();
// Installs an output (null restores the quiet one); returns the one installed before.
IReportOutput* SetReportOutput(IReportOutput* output);
