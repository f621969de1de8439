#include "masteredit/MasterPrintHolder.h"

#include "platform/FileUtil.h"
#include "report/MasterListSheets.h"
#include "report/ReportTexts.h"

CMasterPrintHolder::CMasterPrintHolder() : m_programFolder(vemo::ProgramFolder()) {}

std::string CMasterPrintHolder::MasterListTemplate() const {
    return masterlist::MasterListTemplatePath(m_programFolder);
}

void CMasterPrintHolder::Preview(std::string_view title, const Builder& build) {
    if (m_job.RaiseOpenPreview()) return;
    int built = 0;
    if (!m_job.Build([&] { built = build(m_job); }) || built <= 0) return;
    m_job.SetPreviewTitle(title);
    m_job.Preview();
}

void CMasterPrintHolder::Print(const Builder& build) {
    if (m_job.RefuseWhilePreviewOpen()) return;
    int built = 0;
    if (!m_job.Build([&] { built = build(m_job); }) || built <= 0) return;
    m_job.Print();
}

void CMasterPrintHolder::PreviewKoshuList(const CBukakeGyomu& gyomu) {
    Preview(reporttext::kKoshuPreviewTitle,
            [&](CReportJob& job) { return masterlist::WriteKoshuList(job, MasterListTemplate(), gyomu); });
}

void CMasterPrintHolder::PrintKoshuList(const CBukakeGyomu& gyomu) {
    Print([&](CReportJob& job) { return masterlist::WriteKoshuList(job, MasterListTemplate(), gyomu); });
}

void CMasterPrintHolder::PreviewShubetsuList(const CBukakeGyomu& gyomu, const CBukakeKoshu& koshu) {
    Preview(reporttext::kShubetsuPreviewTitle,
            [&](CReportJob& job) { return masterlist::WriteShubetsuList(job, MasterListTemplate(), gyomu, koshu); });
}

void CMasterPrintHolder::PrintShubetsuList(const CBukakeGyomu& gyomu, const CBukakeKoshu& koshu) {
    Print([&](CReportJob& job) { return masterlist::WriteShubetsuList(job, MasterListTemplate(), gyomu, koshu); });
}

void CMasterPrintHolder::PreviewHenkaritsuList(const CHenkaritsuGyomu& group) {
    // The rate editor's preview carries the 種別 caption.
    Preview(reporttext::kShubetsuPreviewTitle,
            [&](CReportJob& job) { return masterlist::WriteHenkaritsuList(job, MasterListTemplate(), group); });
}

void CMasterPrintHolder::PrintHenkaritsuList(const CHenkaritsuGyomu& group) {
    Print([&](CReportJob& job) { return masterlist::WriteHenkaritsuList(job, MasterListTemplate(), group); });
}

void CMasterPrintHolder::PreviewTankaList(const CTankaFile& tanka) {
    Preview(reporttext::kTankaPreviewTitle,
            [&](CReportJob& job) { return masterlist::WriteTankaList(job, MasterListTemplate(), tanka); });
}

void CMasterPrintHolder::PrintTankaList(const CTankaFile& tanka) {
    Print([&](CReportJob& job) { return masterlist::WriteTankaList(job, MasterListTemplate(), tanka); });
}
