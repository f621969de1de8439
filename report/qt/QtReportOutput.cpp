#include "report/qt/QtReportOutput.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

#include "app/dialogs/DialogRunner.h"
#include "platform/Host.h"
#include "report/ReportJob.h"
#include "report/qt/PrintPreviewDlg.h"
#include "report/qt/ReportPainter.h"

CQtReportOutput::CQtReportOutput() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

CQtReportOutput::~CQtReportOutput() {
    while (!m_previews.empty()) ClosePreview(*const_cast<CReportJob*>(m_previews.begin()->first));
}

CPrintPreviewDlg* CQtReportOutput::PreviewOf(const CReportJob& job) const {
    auto it = m_previews.find(&job);
    return it == m_previews.end() ? nullptr : it->second.data();
}

void CQtReportOutput::ShowPreview(CReportJob& job) {
    if (CPrintPreviewDlg* open = PreviewOf(job)) {
        open->raise();
        open->activateWindow();
        return;
    }
    CPrintPreviewDlg* dlg;
    {
        CWaitCursor wait;
        dlg = new CPrintPreviewDlg(job, QApplication::activeModalWidget());
    }
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    m_previews[&job] = dlg;
    CReportJob* jobPointer = &job;
    connect(dlg, &QDialog::finished, this, [this, jobPointer] { Closed(jobPointer); });
    connect(dlg, &QObject::destroyed, this, [this, jobPointer] { Closed(jobPointer); });
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
}

void CQtReportOutput::Closed(CReportJob* job) {
    // Once per window: the first of its closing and its destruction tells the job.
    auto it = m_previews.find(job);
    if (it == m_previews.end()) return;
    m_previews.erase(it);
    job->PreviewClosed();
}

void CQtReportOutput::RaisePreview(CReportJob& job) {
    CPrintPreviewDlg* dlg = PreviewOf(job);
    if (!dlg) return;
    if (dlg->isMinimized()) dlg->showNormal();
    dlg->raise();
    dlg->activateWindow();
}

void CQtReportOutput::ClosePreview(CReportJob& job) {
    auto it = m_previews.find(&job);
    if (it == m_previews.end()) return;
    QPointer<CPrintPreviewDlg> dlg = it->second;
    m_previews.erase(it);
    job.PreviewClosed();
    delete dlg.data();
}

bool CQtReportOutput::ChoosePrinter() {
    QPrintDialog dialog(m_printer.get(), QApplication::activeWindow());
    return DialogRunner().Run(dialog) == QDialog::Accepted;
}

void CQtReportOutput::PrintAll(CReportJob& job) {
    CWaitCursor wait;
    reportqt::PrintPages(*m_printer, reportqt::LayoutWorkbook(job.Engine().Model()));
}
