// The text of the user manual's PDF (res/tools/MakeManual, in the faces of report/qt/PdfText and with
// its mended text maps), as pdftotext reads it back.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <cstdlib>
#include <string>
#include <vector>

#include "OracleSupport.h"
#include "TempFolder.h"

// Every heading of the manual's source can be found in the PDF, its figures and Latin words with
// it, and no ideograph comes back as a Kangxi radical or a radical supplement.
TEST(ManualText, TheHeadingsOfTheSourceCanBeFoundInThePdf) {
    const std::string pdftotext = oracle::FindOnPath("pdftotext");
    if (pdftotext.empty()) {
        if (std::getenv("CI")) FAIL() << "pdftotext (poppler-utils) is not installed, and CI needs this test";
        GTEST_SKIP() << "pdftotext not found: install poppler-utils to run this test";
    }
    TempFolder dir;
    const std::string pdf = dir / "manual.pdf";
    ASSERT_TRUE(QFile::copy(QStringLiteral(VEMO_MANUAL_PDF), QString::fromStdString(pdf)));
    std::vector<std::string> pages;
    std::string why;
    ASSERT_TRUE(oracle::ReadPdfText(pdftotext, pdf, pages, why)) << why;
    QString text;
    for (const std::string& page : pages) text += QString::fromStdString(page);

    QFile source(QStringLiteral(VEMO_MANUAL_SOURCE));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << VEMO_MANUAL_SOURCE;
    static const QRegularExpression heading(QStringLiteral("^#+\\s+(.+)$"), QRegularExpression::MultilineOption);
    static const QRegularExpression space(QStringLiteral("\\s"));
    QStringList headings, missing;
    for (const QRegularExpressionMatch& m : heading.globalMatch(QString::fromUtf8(source.readAll()))) {
        headings << m.captured(1).remove(space);
        if (!text.contains(headings.back())) missing << headings.back();
    }
    EXPECT_GE(headings.size(), 10);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
    static const QRegularExpression radical(QStringLiteral("[\\x{2E80}-\\x{2FDF}]"));
    EXPECT_FALSE(text.contains(radical));
}
