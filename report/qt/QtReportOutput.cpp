#include "report/qt/QtReportOutput.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <optional>

#include "dialogkit/DialogRunner.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/PlatformTexts.h"
#include "report/ReportJob.h"
#include "report/qt/PrintPreviewDlg.h"
#include "report/qt/ReportPainter.h"

namespace {

// The page layout shown by the fields of Qt's page set-up dialog (its paper, orientation and margins
// in the unit it shows); nothing when the fields are not found.
std::optional<QPageLayout> ChosenPageLayout(const QPageSetupDialog& dialog) {
    auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
    auto* width = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"));
    auto* height = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"));
    auto* landscape = dialog.findChild<QRadioButton*>(QStringLiteral("landscape"));
    auto* left = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"));
    auto* top = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("topMargin"));
    auto* right = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("rightMargin"));
    auto* bottom = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("bottomMargin"));
    if (!sizes || !units || !width || !height || !landscape || !left || !top || !right || !bottom) return std::nullopt;
    const auto unit = units->currentData().value<QPageLayout::Unit>();
    const auto orientation = landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageSize size = sizes->currentData().value<QPageSize>();
    if (!size.isValid()) {
        // A size of the user's own: the fields show it as it lies on the page.
        QSizeF custom(width->value(), height->value());
        if (orientation == QPageLayout::Landscape) custom.transpose();
        size = QPageSize(custom, static_cast<QPageSize::Unit>(unit));
    }
    if (!size.isValid()) return std::nullopt;
    return QPageLayout(size, orientation, QMarginsF(left->value(), top->value(), right->value(), bottom->value()), unit);
}

// The PDF file proposed for a job: its workbook's name (the estimate's file, or the title of one not
// saved yet) with ".pdf", a name without a folder in the current one, where the estimate would be
// saved; "" when the job has no name.
QString ProposedPdf(const CReportJob& job) {
    std::string name = job.GetWorkbookName();
    if (name.empty()) return {};
    name = name.substr(0, name.size() - vemo::ExtensionOf(name).size()) + ".pdf";
    return QDir::current().absoluteFilePath(QString::fromStdString(name));
}

}  // namespace

CQtReportOutput::CQtReportOutput() = default;

QPrinter& CQtReportOutput::Printer() {
    // Made on first use: loading the print system is left out of the program's start.
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

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

bool CQtReportOutput::ChoosePrinter(const CReportJob& job) {
    QPrintDialog dialog(&Printer(), QApplication::activeWindow());
    // Printing to a file proposes the job's own PDF file rather than the last one or Qt's print.pdf.
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (const QString proposed = ProposedPdf(job); file && !proposed.isEmpty()) file->setText(proposed);
    return DialogRunner().Run(dialog) == QDialog::Accepted;
}

bool CQtReportOutput::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&Printer(), parent);
    if (DialogRunner().Run(dialog) != QDialog::Accepted) return false;
    // Qt hands the choice to the printer only from the dialog's own exec(); a runner that closes the
    // dialog otherwise would lose it, so the choice is applied here too (the same layout again
    // changes nothing).
    if (const std::optional<QPageLayout> layout = ChosenPageLayout(dialog)) Printer().setPageLayout(*layout);
    return true;
}

PrintOutcome CQtReportOutput::PrintAll(CReportJob& job) {
    CWaitCursor wait;
    Printer().setDocName(QString::fromStdString(job.GetDocumentTitle()));
    Printer().setCreator(QString::fromUtf8(platformtext::kAppName));
    return reportqt::PrintPages(Printer(), reportqt::LayoutWorkbook(job.Engine().Model()));
}
