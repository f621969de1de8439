#pragma once
#include <QDialog>
#include <memory>
#include <vector>

#include "report/qt/ReportLayout.h"

class CReportJob;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

// The print preview window of a report job: the job's workbook, page by page, in a
// QPrintPreviewWidget, with buttons to print, page, zoom, close and save the workbook as an Excel
// file. It is not modal: the program's other commands stay usable while it is open. The caption
// and the first zoom come from the job's engine (zoom -3 shows the whole page).
class CPrintPreviewDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPrintPreviewDlg(CReportJob& job, QWidget* parent = nullptr);
    ~CPrintPreviewDlg() override;

    CReportJob& Job() const { return m_job; }
    const std::vector<reportqt::PageLayout>& Pages() const { return m_pages; }
    int PageCount() const;
    int CurrentPage() const;
    QPrintPreviewWidget* View() const { return m_view; }

    // The buttons' commands.
    void OnPrint();
    void OnNextPage();
    void OnPreviousPage();
    void OnZoomIn();
    void OnZoomOut();
    void OnSaveExcel();

private:
    void ShowPageNumber();

    CReportJob& m_job;
    std::vector<reportqt::PageLayout> m_pages;
    std::unique_ptr<QPrinter> m_printer;  // the preview's own paper and resolution
    QPrintPreviewWidget* m_view = nullptr;
    QLabel* m_pageLabel = nullptr;
};
