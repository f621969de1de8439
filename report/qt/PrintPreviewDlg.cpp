#include "report/qt/PrintPreviewDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogkit/Tx.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/qt/ReportPainter.h"

namespace {

constexpr int kButtonRowHeight = 30;
constexpr int kPageLabelHeight = 20;
constexpr QSize kPreviewSize(900, 1000);
constexpr const char* kExcelExtension = ".xlsx";

}  // namespace

CPrintPreviewDlg::CPrintPreviewDlg(CReportJob& job, QWidget* parent) : QDialog(parent), m_job(job) {
    setObjectName(QStringLiteral("printPreview"));
    setModal(false);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    const XlsViewOptions& options = job.Engine().ViewOptions();
    setWindowTitle(options.caption.empty() ? Tx(reporttext::kPreviewDialogTitle) : QString::fromStdString(options.caption));

    m_pages = reportqt::LayoutWorkbook(job.Engine().Model());
    // The preview lays pages out on a paper of its own, never asking a print system.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setFullPage(true);
    if (!m_pages.empty()) {
        m_printer->setPageSize(QPageSize(m_pages.front().paperId));
        m_printer->setPageOrientation(m_pages.front().landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    auto button = [&](const char* name, const char* text, void (CPrintPreviewDlg::*command)()) {
        auto* b = new QPushButton(Tx(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
        return b;
    };
    button("print", reporttext::kPreviewPrint, &CPrintPreviewDlg::OnPrint);
    button("nextPage", reporttext::kPreviewNextPage, &CPrintPreviewDlg::OnNextPage);
    button("previousPage", reporttext::kPreviewPreviousPage, &CPrintPreviewDlg::OnPreviousPage);
    button("zoomIn", reporttext::kPreviewZoomIn, &CPrintPreviewDlg::OnZoomIn);
    button("zoomOut", reporttext::kPreviewZoomOut, &CPrintPreviewDlg::OnZoomOut);
    button("close", reporttext::kPreviewClose, &QDialog::reject);
    button("saveExcel", reporttext::kPreviewSaveExcel, &CPrintPreviewDlg::OnSaveExcel);
    buttons->addStretch(1);
    auto* buttonRow = new QWidget(this);
    buttonRow->setLayout(buttons);
    buttonRow->setFixedHeight(kButtonRowHeight);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("preview"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { reportqt::PaintPagesAsIs(*printer, m_pages); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &CPrintPreviewDlg::ShowPageNumber);

    m_pageLabel = new QLabel(Tx(reporttext::kPreviewPageLabel), this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setFixedHeight(kPageLabelHeight);
    m_pageLabel->setContentsMargins(4, 0, 4, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buttonRow);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_pageLabel);

    if (options.zoom == -3)
        m_view->setZoomMode(QPrintPreviewWidget::FitInView);  // the whole page
    else if (options.zoom > 0)
        m_view->setZoomFactor(options.zoom / 100.0);
    else
        m_view->setZoomMode(QPrintPreviewWidget::FitToWidth);
    m_view->updatePreview();
    ShowPageNumber();
    // Tall enough for a whole page, but never past the screen, where the page number would be lost.
    const QScreen* where = screen();
    resize(where ? kPreviewSize.boundedTo(where->availableGeometry().size()) : kPreviewSize);
}

CPrintPreviewDlg::~CPrintPreviewDlg() = default;

int CPrintPreviewDlg::PageCount() const { return m_view->pageCount(); }

int CPrintPreviewDlg::CurrentPage() const { return m_view->currentPage(); }

void CPrintPreviewDlg::ShowPageNumber() {
    m_pageLabel->setText(QString::number(std::max(CurrentPage(), 1)) + Tx(reporttext::kPreviewPageAfter));
}

void CPrintPreviewDlg::OnPrint() { m_job.Print(); }

void CPrintPreviewDlg::OnNextPage() {
    if (CurrentPage() < PageCount()) m_view->setCurrentPage(CurrentPage() + 1);
    ShowPageNumber();
}

void CPrintPreviewDlg::OnPreviousPage() {
    if (CurrentPage() > 1) m_view->setCurrentPage(CurrentPage() - 1);
    ShowPageNumber();
}

void CPrintPreviewDlg::OnZoomIn() { m_view->zoomIn(); }

void CPrintPreviewDlg::OnZoomOut() { m_view->zoomOut(); }

void CPrintPreviewDlg::OnSaveExcel() {
    // Offered under the estimate's name (the template's when the job has none), as an .xlsx.
    std::string name = m_job.GetWorkbookName().empty() ? vemo::FileNameOf(m_job.GetTemplatePath()) : m_job.GetWorkbookName();
    const std::string extension = vemo::ExtensionOf(name);
    name = name.substr(0, name.size() - extension.size()) + kExcelExtension;
    std::string chosen;
    if (!Host().ChooseSaveFile(reporttext::kSaveExcelTitle, reporttext::kSaveExcelFilter, name, chosen)) return;
    if (vemo::ExtensionOf(chosen).empty()) chosen += kExcelExtension;
    XlsSaveError error;
    {
        CWaitCursor wait;
        error = m_job.Engine().Save(chosen);
    }
    std::string message;
    if (error == XlsSaveError::readOnly)
        message = chosen + reporttext::kSaveExcelReadOnly;
    else if (error == XlsSaveError::writeFailed)
        message = chosen + reporttext::kSaveExcelFailed + "\n" + m_job.Engine().FailureDetail();  // what failed, and why
    else if (error != XlsSaveError::none)
        message = chosen + reporttext::kSaveExcelFailed;
    if (!message.empty()) AfxMessageBox(message, MsgButtons::Ok, MsgIcon::Exclamation);
}
