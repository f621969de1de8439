// Turns the user manual's text source (Markdown, UTF-8) into the PDF that the help command opens:
// MakeManual <manual.md> <manual.pdf>. Pictures (![...](images/x.png)) are read from beside the
// source and drawn no wider than the text; every chapter (##) starts on a new page. Run at build
// time with QT_QPA_PLATFORM=offscreen, as a build machine has no display.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <cstdio>

#include "report/qt/PdfText.h"

namespace {

// The printing lays the text out with margins of 2 cm on the whole A4 page; its width in the
// document's pixels (1/96 inch).
constexpr double kTextWidth = (210.0 - 2 * 20.0) / 25.4 * 96.0;

// Sizes every picture to fit the text width; false, naming the file, when a picture cannot be read.
bool FitPictures(QTextDocument& document, QString& missing) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            // The printed copy of the document does not know the source's folder: the picture is named
            // by its full path.
            const QUrl url = document.baseUrl().resolved(QUrl(format.name()));
            const QImage picture(url.toLocalFile());
            if (picture.isNull()) {
                missing = format.name();
                return false;
            }
            format.setName(url.toString());
            const double scale = picture.width() > kTextWidth ? kTextWidth / picture.width() : 1.0;
            format.setWidth(picture.width() * scale);
            format.setHeight(picture.height() * scale);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return true;
}

// Every chapter after the first starts on a new page.
void BreakBeforeChapters(QTextDocument& document) {
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2) continue;
        if (first) {
            first = false;
            continue;
        }
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeManual <manual.md> <manual.pdf>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "MakeManual: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font;
    font.setFamilies(pdftext::PrintFamilies(pdftext::PrintFace::sans));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(text);
    QString missing;
    if (!FitPictures(document, missing)) {
        std::fprintf(stderr, "MakeManual: cannot read the picture %s\n", missing.toLocal8Bit().constData());
        return 1;
    }
    BreakBeforeChapters(document);

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Vemo Ovra 農林版 操作説明書"));
    writer.setCreator(QStringLiteral("Vemo Ovra 農林版"));
    // The whole page: the printing adds its own margins of 2 cm and the page numbers in them.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    document.print(&writer);
    if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "MakeManual: cannot write %s\n", argv[2]);
        return 1;
    }
    // Headings are set bold: both weights may have drawn the text.
    QFont bold(font);
    bold.setBold(true);
    if (!pdftext::MendToUnicode(QString::fromLocal8Bit(argv[2]), document.toPlainText(), {font, bold})) {
        std::fprintf(stderr, "MakeManual: cannot mend the text of %s\n", argv[2]);
        return 1;
    }
    return 0;
}
