#include "report/ReportOutput.h"

#include "report/ReportJob.h"

namespace {

// Shows nothing and prints nothing: a preview closes as soon as it opens, no printer is chosen.
class QuietOutput : public IReportOutput {
public:
    void ShowPreview(CReportJob& job) override { job.PreviewClosed(); }
    void RaisePreview(CReportJob&) override {}
    void ClosePreview(CReportJob&) override {}
    bool ChoosePrinter(const CReportJob&) override { return false; }
    PrintOutcome PrintAll(CReportJob&) override { return {PrintResult::notStarted}; }
};

QuietOutput g_quiet;
IReportOutput* g_output = nullptr;

}  // namespace

IReportOutput& ReportOutput() { return g_output ? *g_output : g_quiet; }

IReportOutput* SetReportOutput(IReportOutput* output) {
    IReportOutput* previous = g_output;
    g_output = output;
    return previous;
}
