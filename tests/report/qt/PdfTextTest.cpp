// Printing to a PDF file (report/qt/ReportPainter's PrintPages, in the faces of report/qt/PdfText and
// with its mended text maps): what pdftotext reads back from a printed sample on every shipped form.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OracleSupport.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/HyoshiData.h"
#include "platform/FileUtil.h"
#include "report/EstimateReport.h"
#include "report/MasterListSheets.h"
#include "report/PrintFormText.h"
#include "report/ReportJob.h"
#include "report/qt/PdfText.h"
#include "report/qt/ReportLayout.h"
#include "report/qt/ReportPainter.h"

namespace {

const std::string kFormFolder = VEMO_PRINT_FORMS_DIR;

// The sample 区画整理 estimate (long rate texts) priced from the sample masters, every sheet of the report with its cover on the form.
void BuildSampleReport(CReportJob& job, const std::string& form) {
    auto masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadFile(vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder), "区画整理サンプル.sei")), 1);
    ASSERT_TRUE(PriceSampleEstimate(doc, *masters).empty());
    CPrintSettings settings;
    settings.printHyoshi = 1;
    settings.printDaikaMeisai = 1;
    job.SetSettings(settings);
    CHyoshiData cover;
    cover.m_printTitle = "御見積書";
    cover.m_subject = doc.GetItemList()->m_strKenmei;
    // With the form's text twin, as the program prints it.
    std::optional<CPrintFormText> twin;
    if (CPrintFormText lines; LoadPrintFormText(form, lines) == 0) twin = lines;
    CEstimateReport(job, *doc.GetItemList(), *masters, cover, 10, form, twin).BuildReport();
}

// The 単価一覧 of the sample masters on the master-list form.
void BuildTankaList(CReportJob& job, const std::string& form) {
    auto masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
    ASSERT_GT(masterlist::WriteTankaList(job, form, masters->tanka), 0);
}

}  // namespace

// Every figure a page shows (its cells' texts through their number formats, its header and footer)
// and every run of ideographs comes back from the page's text; no ideograph comes back as a Kangxi
// radical or a radical supplement, so a search for the words printed finds them; every text whole, legible.
TEST(PdfText, APrintedSampleGivesBackItsFiguresAndIdeographsOnEveryForm) {
    const std::string pdftotext = oracle::FindOnPath("pdftotext");
    if (pdftotext.empty()) {
        if (std::getenv("CI")) FAIL() << "pdftotext (poppler-utils) is not installed, and CI needs this test";
        GTEST_SKIP() << "pdftotext not found: install poppler-utils to run this test";
    }
    struct Case {
        const char* form;
        std::function<void(CReportJob&, const std::string&)> build;
        const char* searched;  // a word the pages print
    } cases[] = {
        {"ｶﾗｰA4形式", BuildSampleReport, "換地"},
        {"ﾓﾉｸﾛA4通常形式", BuildSampleReport, "換地"},
        {"ﾓﾉｸﾛA4承認形式", BuildSampleReport, "換地"},
        {"ﾓﾉｸﾛA4内訳詳細形式", BuildSampleReport, "換地"},
        {"全地連ﾓﾉｸﾛA4通常形式", BuildSampleReport, "換地"},
        {"マスター用", BuildTankaList, "技術者"},
    };
    static const QRegularExpression figure(QStringLiteral("\\d(?:[\\d,.]*\\d)?"));
    static const QRegularExpression ideographs(QStringLiteral("[\\x{3400}-\\x{9FFF}\\x{F900}-\\x{FAFF}]+"));
    static const QRegularExpression radical(QStringLiteral("[\\x{2E80}-\\x{2FDF}]"));
    static const QRegularExpression blanks(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption);
    ScriptedHost host;
    TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        CReportJob job;
        ASSERT_NO_FATAL_FAILURE(c.build(job, kFormFolder + "/" + c.form + ".xlsx"));
        const std::vector<reportqt::PageLayout> pages = reportqt::LayoutWorkbook(job.Engine().Model());
        const std::string pdf = dir / (std::string(c.form) + ".pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        ASSERT_EQ(reportqt::PrintPages(printer, pages).pages, static_cast<int>(pages.size()));

        std::vector<std::string> extracted;
        std::string why;
        ASSERT_TRUE(oracle::ReadPdfText(pdftotext, pdf, extracted, why)) << why;
        ASSERT_EQ(extracted.size(), pages.size());
        std::vector<QString> text;
        for (const std::string& page : extracted) text.push_back(QString::fromStdString(page));
        QStringList missing;
        QString radicals;
        for (size_t p = 0; p < pages.size(); ++p) {
            QStringList printed;
            for (const reportqt::TextBox& box : pages[p].texts) {
                QString whole;
                for (const reportqt::TextLine& line : box.lines) printed << line.text, whole += line.text;
                EXPECT_TRUE(whole.remove(blanks) == QString(box.text).remove(blanks) && box.font.pointSizeF() * pages[p].scale >= 4.5)
                    << "p" << p + 1 << " " << box.text.toStdString();
            }
            for (const reportqt::MarginText& margin : pages[p].margins) printed << margin.text;
            for (const QString& line : printed)
                for (const QRegularExpression* words : {&figure, &ideographs})
                    for (const QRegularExpressionMatch& m : words->globalMatch(line))
                        if (!text[p].contains(m.captured())) missing << QStringLiteral("p%1 %2").arg(p + 1).arg(m.captured());
            for (const QRegularExpressionMatch& m : radical.globalMatch(text[p])) radicals += m.captured();
        }
        EXPECT_TRUE(missing.isEmpty()) << missing.size() << " not found, among them: "
                                       << missing.mid(0, 12).join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(radicals.isEmpty()) << radicals.toStdString();
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [&](const QString& t) { return t.contains(QString::fromUtf8(c.searched)); }))
            << c.searched;
    }
}

// A file that is no PDF as the writer makes them, or is cut short, is no whole PDF and is left as it was.
TEST(PdfText, AFileItCannotReadIsLeftAsItWas) {
    TempFolder dir;
    const std::string whole = dir / "whole.pdf";
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(whole));
        QPainter painter(&printer);
        painter.setFont(QFont(pdftext::PrintFamilies(pdftext::PrintFace::sans)));
        painter.drawText(QPointF(100, 100), QStringLiteral("一人"));
    }
    QFile in(QString::fromStdString(whole));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    in.close();
    EXPECT_TRUE(pdftext::IsWholePdf(bytes));
    EXPECT_FALSE(pdftext::IsWholePdf(bytes.left(bytes.lastIndexOf("%%EOF"))));
    const QByteArray cases[] = {QByteArray("no pdf at all"), bytes.left(bytes.size() / 2), bytes.left(bytes.lastIndexOf("trailer"))};
    for (const QByteArray& content : cases) {
        EXPECT_FALSE(pdftext::IsWholePdf(content));
        const QString path = QString::fromStdString(dir / "bad.pdf");
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        out.close();
        EXPECT_FALSE(pdftext::MendToUnicode(path, QStringLiteral("一人"), {QFont(pdftext::PrintFamilies(pdftext::PrintFace::sans))}));
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        EXPECT_EQ(out.readAll(), content);
    }
}
