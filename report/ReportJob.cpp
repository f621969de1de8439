#include "report/ReportJob.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "report/ReportOutput.h"
#include "report/ReportTexts.h"
#include "master/MasterTexts.h"

namespace {

const char* RefusalReason(XlsOpenError error) {
    switch (error) {
    case XlsOpenError::none:
    case XlsOpenError::noFileName:
    case XlsOpenError::fileMissing:
    case XlsOpenError::notAFile: return reporttext::kFormReasonUnreadable;
    case XlsOpenError::notZip: return reporttext::kFormReasonNotZip;
    case XlsOpenError::noWorkbook: return reporttext::kFormReasonNoWorkbook;
    case XlsOpenError::missingPart: return reporttext::kFormReasonMissingPart;
    case XlsOpenError::damagedXml: return reporttext::kFormReasonDamagedXml;
    case XlsOpenError::tooLarge: return reporttext::kFormReasonTooLarge;
    case XlsOpenError::tooDeep: return reporttext::kFormReasonTooDeep;
    case XlsOpenError::outOfMemory: return reporttext::kFormReasonOutOfMemory;
    }
    return reporttext::kFormReasonUnreadable;
}

// The message of a print that was not done.
std::string NotPrintedMessage(const PrintOutcome& outcome) {
    switch (outcome.result) {
    case PrintResult::printed:
    case PrintResult::notStarted: break;
    case PrintResult::noPageInRange: return reporttext::kNoPageInRange;
    case PrintResult::notWritten: return outcome.where + reporttext::kPdfNotWritten + "\n" + outcome.reason;
    case PrintResult::jobFailed: return outcome.where + reporttext::kPrintJobFailed + "\n" + outcome.reason;
    }
    return reporttext::kNothingPrinted;
}

}  // namespace

std::string FormRefusalMessage(const std::string& path, XlsOpenError error) {
    if (error == XlsOpenError::noFileName || path.empty()) return reporttext::kFormNotNamed;
    // A folder or a named pipe is no file there, as for the job's own test of the path.
    if (!vemo::FileExists(path)) return path + mastertext::kFileMissing;
    return path + reporttext::kFormRefusedAfter + RefusalReason(error);
}

CReportJob::CReportJob() : m_previewTitle(reporttext::kDefaultPreviewTitle) {}

CReportJob::~CReportJob() {
    // The preview window shows this job's workbook: it cannot outlive it.
    if (m_previewOpen && m_previewOutput) m_previewOutput->ClosePreview(*this);
}

int CReportJob::OpenTemplate(const std::string& path) {
    // A failed open leaves no workbook at all, so that a later print cannot show an earlier report.
    m_templatePath.clear();
    const XlsOpenError error = m_engine.OpenTemplate(path);
    if (error == XlsOpenError::none) {
        m_templatePath = path;
        return 1;
    }
    AfxMessageBox(FormRefusalMessage(path, error), MsgButtons::Ok, MsgIcon::Exclamation);
    return 0;
}

int CReportJob::Build(const std::function<void()>& build) {
    const char* stopped = nullptr;
    try {
        build();
        if (m_engine.OutputFull()) stopped = reporttext::kReportTooLarge;
    } catch (const std::bad_alloc&) {
        stopped = reporttext::kReportOutOfMemory;
    }
    if (!stopped) return 1;
    // The half-built workbook goes first: its memory is what the message needs.
    m_engine.Close();
    m_templatePath.clear();
    AfxMessageBox(stopped, MsgButtons::Ok, MsgIcon::Exclamation);
    return 0;
}

void CReportJob::OutOfMemory() { AfxMessageBox(reporttext::kReportOutOfMemory, MsgButtons::Ok, MsgIcon::Exclamation); }

void CReportJob::BeginPage(std::string_view sheetName, std::string_view pageText) {
    m_engine.PageBegin(sheetName, pageText);
}

void CReportJob::EndPage() { m_engine.PageEnd(); }

void CReportJob::PutNumber(int64_t value) {
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
        m_engine.PutValueLong(value);
    else
        m_engine.PutValueDouble(static_cast<double>(value));
}

void CReportJob::SetCellText(std::string_view name, std::string_view text) { SetCellTextAt(name, 0, 0, text); }
void CReportJob::SetCellInt(std::string_view name, int value) { SetCellIntAt(name, 0, 0, value); }
void CReportJob::SetCellLong(std::string_view name, int64_t value) { SetCellLongAt(name, 0, 0, value); }
void CReportJob::SetCellDouble(std::string_view name, double value) { SetCellDoubleAt(name, 0, 0, value); }

void CReportJob::SetCellTextAt(std::string_view name, int dx, int dy, std::string_view text) {
    Select(name, dx, dy);
    m_engine.PutValueString(text);
}

void CReportJob::SetCellIntAt(std::string_view name, int dx, int dy, int value) {
    Select(name, dx, dy);
    PutNumber(value);
}

void CReportJob::SetCellLongAt(std::string_view name, int dx, int dy, int64_t value) {
    Select(name, dx, dy);
    PutNumber(value);
}

void CReportJob::SetCellDoubleAt(std::string_view name, int dx, int dy, double value) {
    Select(name, dx, dy);
    m_engine.PutValueDouble(value);
}

void CReportJob::SetCellFigure(std::string_view name, double value, int decimals, bool grouped) {
    SetCellFigureAt(name, 0, 0, value, decimals, grouped);
}

void CReportJob::SetCellFigureAt(std::string_view name, int dx, int dy, double value, int decimals, bool grouped) {
    Select(name, dx, dy);
    // The decimal text read back: the double nearest the figure, without the noise of the sums behind it.
    const double scale = std::pow(10.0, decimals);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::round(value * scale) / scale);
    m_engine.PutValueDouble(std::strtod(text, nullptr));
    m_engine.AttrPutDecimals(decimals, grouped);
}

void CReportJob::JoinCells(int x1, int y1, int x2, int y2) {
    m_engine.Pos(x1, y1, x2, y2);
    m_engine.AttrPutJoint(1);
}

void CReportJob::SetHorzAlignAt(int x1, int y1, int x2, int y2, int alignment) {
    m_engine.Pos(x1, y1, x2, y2);
    m_engine.AttrPutPosHorz(alignment);
}

void CReportJob::SetVertAlignAt(int x1, int y1, int x2, int y2, int alignment) {
    m_engine.Pos(x1, y1, x2, y2);
    m_engine.AttrPutPosVert(alignment);
}

int CReportJob::GetErrorNo() const { return m_engine.GetErrorNo(); }

void CReportJob::Print() {
    if (m_templatePath.empty() || !m_engine.HasWorkbook()) return;
    if (ReportOutput().ChoosePrinter(*this)) PrintOnChosenPrinter();
}

bool CReportJob::PrintOnChosenPrinter() {
    if (m_templatePath.empty() || !m_engine.HasWorkbook()) return false;
    try {
        const PrintOutcome outcome = ReportOutput().PrintAll(*this);
        if (outcome.result == PrintResult::printed) return true;
        AfxMessageBox(NotPrintedMessage(outcome), MsgButtons::Ok, MsgIcon::Exclamation);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    return false;
}

void CReportJob::Preview() {
    if (m_templatePath.empty() || !m_engine.HasWorkbook()) return;
    if (m_previewOpen) {
        ActivatePreviewWindow();
        return;
    }
    m_engine.OptionPutViewCaption(m_previewTitle);
    m_engine.OptionPutViewZoom(-3);
    m_engine.OptionPutDspInvalidArea(0);
    m_engine.OptionPutDspMarginArea(0);
    m_previewOpen = 1;
    m_previewOutput = &ReportOutput();
    try {
        m_previewOutput->ShowPreview(*this);
    } catch (const std::bad_alloc&) {
        m_previewOpen = 0;
        m_previewOutput = nullptr;
        OutOfMemory();
    }
}

void CReportJob::ActivatePreviewWindow() {
    if (m_previewOpen && m_previewOutput) m_previewOutput->RaisePreview(*this);
}

bool CReportJob::RaiseOpenPreview() {
    if (!m_previewOpen) return false;
    ActivatePreviewWindow();
    return true;
}

bool CReportJob::RefuseWhilePreviewOpen() {
    if (!m_previewOpen) return false;
    AfxMessageBox(reporttext::kPreviewOpenMessage, MsgButtons::Ok, MsgIcon::None);
    return true;
}

void CReportJob::PreviewClosed() {
    m_previewOpen = 0;
    m_previewOutput = nullptr;
}
