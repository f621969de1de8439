// Test support for the tests of report/: RecordingReportOutput.
#pragma once
#include <string>
#include <vector>

#include "report/ReportOutput.h"

class CReportJob;

// A report output for tests: records what the jobs ask of it and lets the test close preview windows
// and answer the printer choice. It installs itself on construction and restores the previous output
// when destroyed.
class RecordingReportOutput : public IReportOutput {
public:
    RecordingReportOutput();
    ~RecordingReportOutput() override;
    RecordingReportOutput(const RecordingReportOutput&) = delete;
    RecordingReportOutput& operator=(const RecordingReportOutput&) = delete;

    // The answer to the next printer choices.
    bool choosePrint = true;
    // The next prints are not done: they give back failure (a printer that cannot be started, unless
    // the test says otherwise).
    bool printFails = false;
    PrintOutcome failure{PrintResult::notStarted};
    // Laying out the pages of a preview or a print runs out of memory (after the call is recorded).
    bool outOfMemory = false;

    // What happened, in order: "show <caption>", "raise <caption>", "close <caption>", "choose",
    // "print <pages>" (the job's ended pages).
    std::vector<std::string> calls;
    // The jobs whose windows are open, and the jobs raised, in order.
    std::vector<CReportJob*> open;
    std::vector<const CReportJob*> raised;

    // The user closes the job's preview window.
    void CloseWindow(CReportJob& job);

    void ShowPreview(CReportJob& job) override;
    void RaisePreview(CReportJob& job) override;
    void ClosePreview(CReportJob& job) override;
    bool ChoosePrinter(const CReportJob& job) override;
    PrintOutcome PrintAll(CReportJob& job) override;

private:
    IReportOutput* m_previous;
};
