#pragma once
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>

#include "report/ReportOutput.h"

class CPrintPreviewDlg;
class QPrinter;
class QWidget;

// The program's report output: every job's preview window and the one printer that all jobs and the
// print set-up command share. The printer is chosen with QPrintDialog and its paper with
// QPageSetupDialog (both run through the dialog runner, so that tests script the choice); the print
// dialog also offers printing to a PDF file, named as the job's workbook is (the estimate's name).
// What is printed carries the job's document title and the program's name.
//
// A preview opened while a modal dialog is running is parented to that dialog, so that it takes input.
class CQtReportOutput : public QObject, public IReportOutput {
    Q_OBJECT
public:
    CQtReportOutput();
    ~CQtReportOutput() override;  // closes every preview

    // The one printer of every report, made on first use.
    QPrinter& Printer();
    // Qt's page set-up on the shared printer, so that the paper, orientation and margins chosen hold
    // for the next print; true when the user chose OK.
    bool PageSetup(QWidget* parent);
    // The open preview window of a job, or null.
    CPrintPreviewDlg* PreviewOf(const CReportJob& job) const;

    void ShowPreview(CReportJob& job) override;
    void RaisePreview(CReportJob& job) override;
    void ClosePreview(CReportJob& job) override;
    bool ChoosePrinter(const CReportJob& job) override;
    PrintOutcome PrintAll(CReportJob& job) override;

private:
    void Closed(CReportJob* job);

    std::unique_ptr<QPrinter> m_printer;
    std::map<const CReportJob*, QPointer<CPrintPreviewDlg>> m_previews;
};
