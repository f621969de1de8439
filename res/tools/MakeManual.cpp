// Turns the user manual's text source (Markdown, UTF-8) into the PDF that the help command opens:
// MakeManual <manual.md> <manual.pdf> [<row pages>]. Pictures (![...](images/x.png)) are read from
// beside the source and drawn no wider than the text; every chapter (##) starts on a new page. The
// optional third file receives the pages each table row is printed on, one row a line ("table row
// first-page last-page"), for the tests. Run at build time with QT_QPA_PLATFORM=offscreen, as a
// build machine has no display.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

#include "report/qt/PdfText.h"

namespace {

// The pages are laid out with margins of 2 cm on the whole A4 page; the text's width in the
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

// The pages are laid out here rather than by QTextDocument::print, so that what is drawn is the
// layout the table rows are checked against. The text has margins of 2 cm on the whole page: the
// page is measured in the device's pixels, the margins in the document's (the layout scales them).
constexpr double kMargin = 20.0 / 25.4 * 96.0;

double MarginOn(const QPaintDevice& device) { return kMargin * device.logicalDpiY() / 96.0; }

// Lays the document out on the device's pages.
void LayOutOnPages(QTextDocument& document, QPaintDevice& device) {
    document.documentLayout()->setPaintDevice(&device);
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setMargin(kMargin);
    document.rootFrame()->setFrameFormat(root);
    document.setPageSize(QSizeF(device.width(), device.height()));
}

// The tables of the document, in their order.
std::vector<QTextTable*> Tables(const QTextDocument& document) {
    std::vector<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame)) tables.push_back(table);
    return tables;
}

// The page (from 1) that a line of a block is drawn on: its first line, or its last.
int PageOfLine(const QTextDocument& document, const QTextBlock& block, bool lastLine) {
    const QTextLayout* lines = block.layout();
    const double top = document.documentLayout()->blockBoundingRect(block).top();
    double y = top;
    if (lines->lineCount() > 0) {
        const QTextLine line = lines->lineAt(lastLine ? lines->lineCount() - 1 : 0);
        y = top + line.y() + (lastLine ? line.height() - 1 : 0);
    }
    return 1 + static_cast<int>(std::floor(y / document.pageSize().height()));
}

// The first and last pages (from 1) that the lines of a table row are drawn on; 0 and 0 for a row
// without lines.
std::pair<int, int> RowPages(const QTextDocument& document, const QTextTable& table, int row) {
    int first = INT_MAX, last = 0;
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (cell.row() != row) continue;
        const QTextBlock end = cell.lastCursorPosition().block().next();
        for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid() && block != end;
             block = block.next()) {
            if (block.layout()->lineCount() == 0) continue;
            first = std::min(first, PageOfLine(document, block, false));
            last = std::max(last, PageOfLine(document, block, true));
        }
    }
    return last == 0 ? std::pair{0, 0} : std::pair{first, last};
}

// Whether a block heads what follows: a section or subsection heading, or a paragraph set bold
// as a whole (a label such as "**計算区分**").
bool IsHeading(const QTextBlock& block) {
    if (block.blockFormat().headingLevel() >= 2) return true;
    if (block.text().trimmed().isEmpty() || QTextCursor(block).currentTable()) return false;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().fontWeight() < QFont::Bold) return false;
    return true;
}

// The headings of the document, each with the block after it.
std::vector<std::pair<QTextBlock, QTextBlock>> HeadingsAndNext(const QTextDocument& document) {
    std::vector<std::pair<QTextBlock, QTextBlock>> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (IsHeading(block) && block.next().isValid()) headings.push_back({block, block.next()});
    return headings;
}

// Writes the pages of every table row of the laid-out document, one row a line ("table row first
// last"), then of every heading and the block after it ("h index heading-page next-page").
bool WriteRowPages(const QTextDocument& document, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::vector<QTextTable*> tables = Tables(document);
    for (size_t t = 0; t < tables.size(); ++t)
        for (int row = 0; row < tables[t]->rows(); ++row) {
            const auto [first, last] = RowPages(document, *tables[t], row);
            file.write(QStringLiteral("%1 %2 %3 %4\n").arg(t + 1).arg(row).arg(first).arg(last).toUtf8());
        }
    const auto headings = HeadingsAndNext(document);
    for (size_t h = 0; h < headings.size(); ++h)
        file.write(QStringLiteral("h %1 %2 %3\n")
                       .arg(h + 1)
                       .arg(PageOfLine(document, headings[h].first, true))
                       .arg(PageOfLine(document, headings[h].second, false))
                       .toUtf8());
    return file.error() == QFileDevice::NoError;
}

// Keeps every heading on the page of the text after it: a heading left alone at the foot of a
// page starts the next one.
void KeepHeadingsWithNext(QTextDocument& document) {
    for (bool moved = true; moved;) {
        moved = false;
        for (const auto& [heading, next] : HeadingsAndNext(document)) {
            if (PageOfLine(document, heading, true) == PageOfLine(document, next, false)) continue;
            QTextBlockFormat format = heading.blockFormat();
            if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(heading).setBlockFormat(format);
            document.markContentsDirty(0, document.characterCount());
            moved = true;
            break;
        }
    }
}

// Copies a cell's text and formats into an empty cell.
void CopyCell(const QTextTableCell& from, QTextTableCell to) {
    QTextCursor source = from.firstCursorPosition();
    source.setPosition(from.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QTextCursor target = to.firstCursorPosition();
    target.setBlockFormat(from.firstCursorPosition().blockFormat());
    target.insertFragment(source.selection());
    to.setFormat(from.format());
}

// Moves the rows from `row` on into a new table after this one that starts a new page, headed by
// a copy of the header rows.
void MoveRowsToNewPage(QTextTable& table, int row) {
    const int header = table.format().headerRowCount();
    QTextTableFormat format = table.format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor after(table.document());
    after.setPosition(table.lastPosition() + 1);
    QTextTable* rest = after.insertTable(header + table.rows() - row, table.columns(), format);
    for (int r = 0; r < header; ++r)
        for (int c = 0; c < table.columns(); ++c) CopyCell(table.cellAt(r, c), rest->cellAt(r, c));
    for (int r = row; r < table.rows(); ++r)
        for (int c = 0; c < table.columns(); ++c) CopyCell(table.cellAt(r, c), rest->cellAt(header + r - row, c));
    table.removeRows(row, table.rows() - row);
}

// Keeps every table row of the laid-out document on one page: the rows from one that would run
// onto the next page on go to a new table on that page, under the table's header; a table whose
// first rows do not fit starts on the next page. A row taller than a page stays as it is. The
// header row (a Markdown table's first) is repeated where a table goes on over a page.
void KeepTableRowsOnPages(QTextDocument& document) {
    for (QTextTable* table : Tables(document)) {
        QTextTableFormat format = table->format();
        format.setHeaderRowCount(1);
        table->setFormat(format);
    }
    for (bool moved = true; moved;) {
        moved = false;
        for (QTextTable* table : Tables(document)) {
            const int header = table->format().headerRowCount();
            for (int row = 0; row < table->rows() && !moved; ++row) {
                const auto [first, last] = RowPages(document, *table, row);
                if (first == last) continue;
                const bool startsPage = table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
                if (row > header) {
                    MoveRowsToNewPage(*table, row);
                    moved = true;
                } else if (!startsPage) {
                    QTextTableFormat format = table->format();
                    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                    table->setFormat(format);
                    moved = true;
                }
            }
            if (moved) break;
        }
        // The whole document is laid out again: laid out from the change on only, the pages after
        // it keep the positions they had before.
        if (moved) document.markContentsDirty(0, document.characterCount());
    }
}

// Draws the laid-out pages, each with its number at the foot of the right margin.
bool PrintPages(const QTextDocument& document, QPdfWriter& writer) {
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const QSizeF page = document.pageSize();
    const double margin = MarginOn(writer);
    const QFont numberFont(document.defaultFont(), &writer);
    const double numberBaseline =
        page.height() - margin + QFontMetricsF(numberFont, &writer).ascent() + 5.0 * writer.logicalDpiY() / 72.0;
    for (int index = 0; index < document.pageCount(); ++index) {
        if (index > 0 && !writer.newPage()) return false;
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(numberFont);
        const QString number = QString::number(index + 1);
        painter.drawText(QPointF(page.width() - margin - painter.fontMetrics().horizontalAdvance(number), numberBaseline),
                         number);
    }
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: MakeManual <manual.md> <manual.pdf> [<row pages>]\n");
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
    // The whole page: the layout keeps its own margins of 2 cm and puts the page numbers in them.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    LayOutOnPages(document, writer);
    KeepTableRowsOnPages(document);
    KeepHeadingsWithNext(document);
    if (argc == 4 && !WriteRowPages(document, QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "MakeManual: cannot write %s\n", argv[3]);
        return 1;
    }
    if (!PrintPages(document, writer) || !QFile::exists(QString::fromLocal8Bit(argv[2]))) {
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
