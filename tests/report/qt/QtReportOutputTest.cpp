// The program's report output: preview windows that follow their jobs, the preview's buttons, and
// printing through the printer dialog, to PDF here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "ChildProcess.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/qt/PrintPreviewDlg.h"
#include "report/qt/QtReportOutput.h"

using namespace xlstest;

namespace {

// Pages of a PDF file: its page objects.
int PdfPages(const std::string& bytes) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page));
}

void Click(CPrintPreviewDlg& dlg, const char* button) {
    auto* b = dlg.findChild<QPushButton*>(QLatin1String(button));
    ASSERT_NE(b, nullptr) << button;
    b->click();
}

class QtReportOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = SetReportOutput(m_output.get());
        WriteTestFile(m_dir / "form.xlsx", BuildTemplate(FormTemplate()));
    }
    void TearDown() override {
        SetReportOutput(m_previous);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Fill(CReportJob& job, int pages) {
        ASSERT_EQ(job.OpenTemplate(m_dir / "form.xlsx"), 1);
        for (int p = 1; p <= pages; ++p) FillForm(job, p);
    }

    ScriptedHost m_host;
    TempFolder m_dir;
    std::unique_ptr<CQtReportOutput> m_output = std::make_unique<CQtReportOutput>();
    IReportOutput* m_previous = nullptr;
};

}  // namespace

TEST_F(QtReportOutputTest, ThePreviewWindowShowsTheJobUntilItCloses) {
    CReportJob job;
    Fill(job, 3);
    job.SetPreviewTitle("VemoOvra 単価 印刷プレビュー");
    job.Preview();
    ASSERT_EQ(job.IsPreviewOpen(), 1);
    ASSERT_NE(m_output->PreviewOf(job), nullptr);
    CPrintPreviewDlg& dlg = *m_output->PreviewOf(job);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.isModal());
    EXPECT_EQ(dlg.windowTitle(), "VemoOvra 単価 印刷プレビュー");
    EXPECT_EQ(dlg.parentWidget(), nullptr);
    EXPECT_EQ(dlg.PageCount(), 3);
    EXPECT_EQ(dlg.View()->zoomMode(), QPrintPreviewWidget::FitInView);
    auto* label = dlg.findChild<QLabel*>(QStringLiteral("pageLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "1 ページ");
    const char* const texts[][2] = {{"print", "印刷(&P)"}, {"nextPage", "次ﾍﾟｰｼﾞ(&N)"}, {"previousPage", "前ﾍﾟｰｼﾞ(&V)"},
                                    {"zoomIn", "拡大(&I)"}, {"zoomOut", "縮小(&O)"}, {"close", "閉じる(&C)"},
                                    {"saveExcel", "EXCELファイルで保存(&S)..."}};
    for (auto& [name, text] : texts) {
        auto* b = dlg.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
    }

    // Paging and zooming.
    struct Step {
        const char* button;
        int page;
    } steps[] = {{"nextPage", 2}, {"nextPage", 3}, {"nextPage", 3}, {"previousPage", 2}, {"previousPage", 1}, {"previousPage", 1}};
    for (const Step& s : steps) {
        Click(dlg, s.button);
        EXPECT_EQ(dlg.CurrentPage(), s.page) << s.button;
        EXPECT_EQ(label->text(), QString::number(s.page) + QStringLiteral(" ページ"));
    }
    const double whole = dlg.View()->zoomFactor();
    Click(dlg, "zoomIn");
    EXPECT_GT(dlg.View()->zoomFactor(), whole);
    Click(dlg, "zoomOut");
    Click(dlg, "zoomOut");
    EXPECT_LT(dlg.View()->zoomFactor(), whole);

    // A second preview while this one is open keeps the one window.
    job.Preview();
    EXPECT_EQ(m_output->PreviewOf(job), &dlg);

    Click(dlg, "close");
    EXPECT_EQ(job.IsPreviewOpen(), 0);
    EXPECT_EQ(m_output->PreviewOf(job), nullptr);
}

// The window keeps within the screen, so that its page number line stays in sight.
TEST_F(QtReportOutputTest, ThePreviewWindowFitsTheScreen) {
    CReportJob job;
    Fill(job, 1);
    job.Preview();
    ASSERT_NE(m_output->PreviewOf(job), nullptr);
    CPrintPreviewDlg& dlg = *m_output->PreviewOf(job);
    const QRect screen = dlg.screen()->availableGeometry();
    EXPECT_LE(dlg.height(), screen.height());
    EXPECT_LE(dlg.width(), screen.width());
    Click(dlg, "close");
}

TEST_F(QtReportOutputTest, ActivatingRaisesTheJobsOwnWindowAmongSameTitledOnes) {
    CReportJob first, second;
    Fill(first, 1);
    Fill(second, 2);
    first.Preview();
    second.Preview();
    ASSERT_NE(m_output->PreviewOf(first), nullptr);
    ASSERT_NE(m_output->PreviewOf(second), nullptr);
    ASSERT_NE(m_output->PreviewOf(first), m_output->PreviewOf(second));
    ASSERT_EQ(m_output->PreviewOf(first)->windowTitle(), m_output->PreviewOf(second)->windowTitle());
    for (CReportJob* job : {&first, &second, &first}) {
        job->ActivatePreviewWindow();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), m_output->PreviewOf(*job));
    }
}

TEST_F(QtReportOutputTest, APreviewFromAModalDialogBelongsToIt) {
    QDialog modal;
    modal.setModal(true);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    CReportJob job;
    Fill(job, 1);
    job.Preview();
    ASSERT_NE(m_output->PreviewOf(job), nullptr);
    EXPECT_EQ(m_output->PreviewOf(job)->parentWidget(), &modal);
    modal.hide();
}

TEST_F(QtReportOutputTest, TheWindowGoesWithItsJobAndTheJobHearsOfTheOutputGoing) {
    QPointer<CPrintPreviewDlg> window;
    {
        CReportJob job;
        Fill(job, 1);
        job.Preview();
        window = m_output->PreviewOf(job);
        ASSERT_FALSE(window.isNull());
    }
    EXPECT_TRUE(window.isNull());

    CReportJob job;
    Fill(job, 1);
    job.Preview();
    window = m_output->PreviewOf(job);
    m_output.reset();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(job.IsPreviewOpen(), 0);
}

TEST_F(QtReportOutputTest, SavingThePreviewedWorkbookAsAnExcelFile) {
    CReportJob job;
    Fill(job, 2);
    job.Preview();
    ASSERT_NE(m_output->PreviewOf(job), nullptr);
    CPrintPreviewDlg& dlg = *m_output->PreviewOf(job);
    const std::string blocked = m_dir / "ファイル";
    WriteTestFile(blocked, "a file where a folder should be");
    const std::string readOnly = m_dir / "読取専用.xlsx";
    WriteTestFile(readOnly, "a workbook marked read-only");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    struct Case {
        const char* what;
        std::optional<std::string> answer;
        std::string written;  // "" when nothing is written
        std::vector<std::string> messages;
    } cases[] = {
        {"saved", m_dir / "代価表.xlsx", m_dir / "代価表.xlsx", {}},
        {"the extension added", m_dir / "控え", m_dir / "控え.xlsx", {}},
        {"cancelled", std::nullopt, "", {}},
        {"cannot be written", blocked + "/out.xlsx", "",
         {blocked + "/out.xlsx" + reporttext::kSaveExcelFailed + "\n" +
          vemo::FillText(platformtext::kCannotCreateTemporary, {blocked}) + platformtext::kErrorDetailSeparator +
          std::strerror(ENOTDIR)}},
        {"read-only", readOnly, "", {readOnly + reporttext::kSaveExcelReadOnly}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_host.messages.clear();
        m_host.fileTitles.clear();
        m_host.fileAnswers.push_back(c.answer);
        Click(dlg, "saveExcel");
        EXPECT_EQ(m_host.fileTitles, std::vector<std::string>{"EXCELファイルで保存"});
        EXPECT_EQ(m_host.MessageTexts(), c.messages);
        if (!c.written.empty()) {
            Output out(ReadTestFile(c.written));
            EXPECT_EQ(out.SheetNames(), (std::vector<std::string>{"代価表", "代価表 (2)"}));
            EXPECT_EQ(out.Value(1, "A1"), "代　価　表");
            EXPECT_EQ(out.Value(1, "A2"), "2");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(blocked + "/out.xlsx"));
    EXPECT_EQ(ReadTestFile(readOnly), "a workbook marked read-only");
    EXPECT_EQ(job.IsPreviewOpen(), 1);
}

// The workbook is offered under the estimate's name, beside the estimate's file; a job without one
// offers its template's name.
TEST_F(QtReportOutputTest, TheWorkbookIsOfferedUnderTheEstimatesName) {
    CReportJob job;
    Fill(job, 1);
    job.Preview();
    ASSERT_NE(m_output->PreviewOf(job), nullptr);
    const struct {
        std::string workbookName;
        std::string offered;
    } cases[] = {
        {"", "form.xlsx"},
        {"/home/u/見積/林道測量業務.sei", "/home/u/見積/林道測量業務.xlsx"},
        {"積算データ1", "積算データ1.xlsx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.workbookName);
        job.SetWorkbookName(c.workbookName);
        m_host.fileInitialPaths.clear();
        m_host.fileAnswers.push_back(std::nullopt);
        Click(*m_output->PreviewOf(job), "saveExcel");
        EXPECT_EQ(m_host.fileInitialPaths, std::vector<std::string>{c.offered});
    }
}

// Printing asks for the printer with QPrintDialog; printing to a PDF file gives a PDF page for each
// page, in the Noto CJK faces; a cancelled choice prints nothing.
TEST_F(QtReportOutputTest, PrintingToPdfThroughThePrinterDialog) {
    CReportJob job;
    Fill(job, 3);
    job.SetDocumentTitle("林道測量業務");
    struct Case {
        const char* what;
        int answer;
        bool fromPreview;
        int pdfPages;  // 0: no file
        std::string workbookName;  // the estimate's file or title
        std::string proposed;      // "": the printer's own file
    } cases[] = {
        {"printed", IDOK, false, 3, "/home/u/見積/林道測量業務.sei", "/home/u/見積/林道測量業務.pdf"},
        {"cancelled", IDCANCEL, false, 0, "積算データ1", (std::filesystem::current_path() / "積算データ1.pdf").string()},
        {"printed from the preview", IDOK, true, 3, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string pdf = m_dir / (std::string(c.what) + ".pdf");
        m_output->Printer().setOutputFormat(QPrinter::PdfFormat);
        m_output->Printer().setOutputFileName(QString::fromStdString(pdf));
        job.SetWorkbookName(c.workbookName);
        ScriptedDialogs dialogs;
        dialogs.Expect<QPrintDialog>([&](QPrintDialog& dlg) {
            EXPECT_EQ(dlg.printer(), &m_output->Printer());
            // As the user would: printing to a file, named in the dialog.
            dlg.show();
            auto* printers = dlg.findChild<QComboBox*>(QStringLiteral("printers"));
            auto* file = dlg.findChild<QLineEdit*>(QStringLiteral("filename"));
            EXPECT_TRUE(printers && file);
            if (printers && file) {
                EXPECT_EQ(file->text().toStdString(), c.proposed.empty() ? pdf : c.proposed);
                printers->setCurrentIndex(printers->count() - 1);
                file->setText(QString::fromStdString(pdf));
            }
            return c.answer;
        });
        if (c.fromPreview) {
            job.Preview();
            ASSERT_NE(m_output->PreviewOf(job), nullptr);
            Click(*m_output->PreviewOf(job), "print");
        } else {
            job.Print();
        }
        if (c.pdfPages == 0) {
            EXPECT_FALSE(std::filesystem::exists(pdf));
            continue;
        }
        const std::string bytes = ReadTestFile(pdf);
        EXPECT_EQ(PdfPages(bytes), c.pdfPages);
        EXPECT_NE(bytes.find("NotoSansCJKjp-Regular"), std::string::npos);
        EXPECT_NE(bytes.find("NotoSerifCJKjp-Bold"), std::string::npos);
        QProcess info;  // pdfinfo (poppler-utils)
        info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
        EXPECT_TRUE(info.waitForFinished(60000) && QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(
                                                       QStringLiteral("Title: +林道測量業務\nCreator: +") + QString::fromUtf8(platformtext::kAppName) + '\n')));
    }
    EXPECT_TRUE(m_host.messages.empty());
}

namespace {

// A child's print of a job of two pages to a PDF file (argument: the form, the PDF file, the first
// and last page or 0 and 0 for every page, and a limit on the size of files or 0): whether it
// printed, and the messages.
CHILD_WORK(PrintPdfInChild, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    const int fromPage = std::stoi(parts.at(2)), toPage = std::stoi(parts.at(3));
    if (const rlim_t sizeLimit = std::stoul(parts.at(4))) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{sizeLimit, sizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ScriptedHost host;
    CQtReportOutput output;
    IReportOutput* previous = SetReportOutput(&output);
    CReportJob job;
    if (job.OpenTemplate(parts.at(0)) != 1) return "the form did not open";
    for (int p = 1; p <= 2; ++p) FillForm(job, p);
    QPrinter& printer = output.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(parts.at(1)));
    if (fromPage) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(fromPage, toPage);
    }
    const bool printed = job.PrintOnChosenPrinter();
    std::string report = printed ? "printed" : "not printed";
    for (const std::string& text : host.MessageTexts()) report += "\n" + text;
    SetReportOutput(previous);
    return report;
}

}  // namespace

// A print that cannot be done says why and counts as not done. A PDF file is written whole or not at
// all: one that cannot be (its folder missing, a read-only file, a disk that fills up: here a limit on
// the size of files, with SIGXFSZ ignored as under a shell's `ulimit -f`) leaves every file as it
// was and no temporary file; the message names the file and the system's reason.
TEST_F(QtReportOutputTest, APrintThatCannotBeDoneSaysWhyAndLeavesTheFilesAsTheyWere) {
    const std::string pdf = m_dir / "出力/印刷.pdf", elsewhere = m_dir / "無い/印刷.pdf";
    const std::string notWritten = pdf + reporttext::kPdfNotWritten + "\n";
    const struct {
        const char* what;
        std::string target;
        int fromPage, toPage;  // 0: every page
        bool readOnly;
        rlim_t sizeLimit;  // 0: none
        std::string message, systemReason;  // the message; when a reason is given, its start and end
    } cases[] = {
        {"printed over an older file", pdf, 0, 0, false, 0, "", ""},
        {"a folder that is not there", elsewhere, 0, 0, false, 0, elsewhere + reporttext::kPdfNotWritten + "\n",
         platformtext::kErrorDetailSeparator + std::string(std::strerror(ENOENT))},
        {"a read-only file", pdf, 0, 0, true, 0, notWritten + reporttext::kPdfReadOnly, ""},
        {"a disk that fills up", pdf, 0, 0, false, 16 << 10, notWritten,
         platformtext::kErrorDetailSeparator + std::string(std::strerror(EFBIG))},
        {"a page range beyond the last page", pdf, 3, 5, false, 0, reporttext::kNoPageInRange, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(m_dir / "出力");
        WriteTestFile(pdf, "an older file");
        if (c.readOnly) std::filesystem::permissions(pdf, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
        const auto before = SnapshotOf(m_dir / "出力");
        const ChildOutcome child =
            RunInChild(&PrintPdfInChild, ChildArguments({m_dir / "form.xlsx", c.target, std::to_string(c.fromPage),
                                                         std::to_string(c.toPage), std::to_string(c.sizeLimit)}));
        if (c.message.empty()) {
            EXPECT_EQ(child.report, "printed") << child.how;
            EXPECT_EQ(PdfPages(ReadTestFile(pdf)), 2);
            EXPECT_EQ(SnapshotOf(m_dir / "出力").size(), 2u);  // the folder and the file
            continue;
        }
        const std::string message = child.report.substr(std::min(child.report.size(), std::strlen("not printed\n")));
        EXPECT_EQ(child.report.substr(0, std::strlen("not printed\n")), "not printed\n") << child.report << child.how;
        if (c.systemReason.empty()) {
            EXPECT_EQ(message, c.message);
        } else {
            EXPECT_TRUE(message.starts_with(c.message) && message.ends_with(c.systemReason)) << message;
        }
        EXPECT_EQ(SnapshotOf(m_dir / "出力"), before);
        EXPECT_FALSE(std::filesystem::exists(m_dir / "無い"));
    }
}
