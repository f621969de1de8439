// Test support for the tests of report/: RecordingReportOutput.
#include "RecordingReportOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "report/ReportJob.h"

namespace {

std::string Caption(CReportJob& job) { return job.Engine().ViewOptions().caption; }

}  // namespace

RecordingReportOutput::RecordingReportOutput() : m_previous(SetReportOutput(this)) {}

RecordingReportOutput::~RecordingReportOutput() {
    SetReportOutput(m_previous);
    // Windows still open close with the output, as the program's do.
    while (!open.empty()) CloseWindow(*open.front());
}

void RecordingReportOutput::CloseWindow(CReportJob& job) {
    auto it = std::find(open.begin(), open.end(), &job);
    if (it == open.end()) {
        ADD_FAILURE() << "no preview window of this job is open";
        return;
    }
    open.erase(it);
    job.PreviewClosed();
}

void RecordingReportOutput::ShowPreview(CReportJob& job) {
    calls.push_back("show " + Caption(job));
    if (outOfMemory) throw std::bad_alloc();
    if (std::find(open.begin(), open.end(), &job) != open.end()) ADD_FAILURE() << "a second window for one job";
    open.push_back(&job);
}

void RecordingReportOutput::RaisePreview(CReportJob& job) {
    calls.push_back("raise " + Caption(job));
    raised.push_back(&job);
}

void RecordingReportOutput::ClosePreview(CReportJob& job) {
    calls.push_back("close " + Caption(job));
    CloseWindow(job);
}

bool RecordingReportOutput::ChoosePrinter(const CReportJob&) {
    calls.push_back("choose");
    return choosePrint;
}

PrintOutcome RecordingReportOutput::PrintAll(CReportJob& job) {
    calls.push_back("print " + std::to_string(job.Engine().PageCount()));
    if (outOfMemory) throw std::bad_alloc();
    return printFails ? failure : PrintOutcome{PrintResult::printed, job.Engine().PageCount()};
}
