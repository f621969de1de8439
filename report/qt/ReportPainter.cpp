// Painting laid-out pages with QPainter: on a printer, a PDF file or the preview.
#include "report/qt/ReportPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <thread>
#include <unistd.h>

#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"
#include "report/ReportTexts.h"
#include "report/qt/PdfText.h"

namespace reportqt {

namespace {

struct LineLook {
    double width;
    Qt::PenStyle style;
    bool twice;  // a double line
};

// Line widths in points at full scale.
LineLook Look(const std::string& style) {
    if (style == "hair") return {0.35, Qt::DotLine, false};
    if (style == "dotted") return {0.75, Qt::DotLine, false};
    if (style == "dashed") return {0.75, Qt::DashLine, false};
    if (style == "dashDot") return {0.75, Qt::DashDotLine, false};
    if (style == "dashDotDot") return {0.75, Qt::DashDotDotLine, false};
    if (style == "medium") return {1.5, Qt::SolidLine, false};
    if (style == "mediumDashed") return {1.5, Qt::DashLine, false};
    if (style == "mediumDashDot" || style == "slantDashDot") return {1.5, Qt::DashDotLine, false};
    if (style == "mediumDashDotDot") return {1.5, Qt::DashDotDotLine, false};
    if (style == "thick") return {2.25, Qt::SolidLine, false};
    if (style == "double") return {0.6, Qt::SolidLine, true};
    return {0.75, Qt::SolidLine, false};  // thin and anything unknown
}

void DrawBorder(QPainter& painter, const BorderLine& line) {
    const LineLook look = Look(line.style);
    QPen pen(line.color, look.width, look.style, look.style == Qt::SolidLine ? Qt::SquareCap : Qt::FlatCap);
    painter.setPen(pen);
    if (!look.twice) {
        painter.drawLine(line.from, line.to);
        return;
    }
    // Two thin lines either side of the cell edge.
    QPointF d = line.to - line.from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0) return;
    const QPointF normal(-d.y() / length * 0.9, d.x() / length * 0.9);
    painter.drawLine(line.from + normal, line.to + normal);
    painter.drawLine(line.from - normal, line.to - normal);
}

// The face of the font's list that draws the character: the first that has it, else -1 (the
// font's own fallback).
int FaceOf(const std::vector<QFontMetricsF>& faces, char32_t character) {
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i].inFontUcs4(character)) return static_cast<int>(i);
    return -1;
}

// Draws a text with its font at the reference pixel size, scaled to the font's size in points, so
// that its advances are the ones the layout measured. Each run of characters of one face of the
// font's list is drawn with that face alone: a print preview records the runs and places each by
// its font's ascent when it plays them back, which puts ideographs drawn through a Latin face's font
// below the line.
void DrawScaledText(QPainter& painter, const QFont& font, const QPointF& origin, const QString& text) {
    painter.save();
    painter.translate(origin);
    const double k = font.pointSizeF() / kTextReferencePixels;
    painter.scale(k, k);
    QFont reference = font;
    reference.setPixelSize(kTextReferencePixels);
    std::vector<QFont> faceFonts;
    std::vector<QFontMetricsF> faces;
    for (const QString& family : reference.families()) {
        QFont face = reference;
        face.setFamilies({family});
        face.setStyleStrategy(QFont::NoFontMerging);
        faceFonts.push_back(face);
        faces.emplace_back(face);
    }
    double x = 0;
    qsizetype start = 0;
    int current = -2;
    auto drawRun = [&](qsizetype end) {
        if (end <= start) return;
        const QString run = text.mid(start, end - start);
        const QFont& runFont = current >= 0 ? faceFonts[static_cast<size_t>(current)] : reference;
        painter.setFont(runFont);
        painter.drawText(QPointF(x, 0), run);
        x += QFontMetricsF(runFont, painter.device()).horizontalAdvance(run);
    };
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t character = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const qsizetype length = pair ? 2 : 1;
        // Marks and invisible characters stay with the character before them.
        const bool joins = QChar::category(character) == QChar::Mark_NonSpacing ||
                           QChar::category(character) == QChar::Mark_Enclosing || (character >= 0xE0000 && character <= 0xE007F);
        const int face = joins && current != -2 ? current : FaceOf(faces, character);
        if (face != current) {
            drawRun(i);
            start = i;
            current = face;
        }
        i += length;
    }
    drawRun(text.size());
    painter.restore();
}

// The pages' PDF file with its glyphs named by the text drawn with them. A file that cannot be
// mended stays as the writer made it: drawn alike, only its text searched less well.
QByteArray MendPdfText(const QByteArray& pdf, const std::vector<PageLayout>& pages, int first, int last) {
    QString drawn;
    QList<QFont> fonts;
    for (int i = first; i <= last; ++i) {
        const PageLayout& page = pages[static_cast<size_t>(i - 1)];
        for (const MarginText& t : page.margins) {
            drawn += t.text;
            fonts.push_back(t.font);
        }
        for (const TextBox& box : page.texts) {
            for (const TextLine& line : box.lines) drawn += line.text;
            fonts.push_back(box.font);
        }
    }
    return pdftext::MendedToUnicode(pdf, drawn, fonts).value_or(pdf);
}

// The most of a PDF file held in memory before it is written: far above any report's.
constexpr qsizetype kPdfLimit = qsizetype{1} << 30;

// What a printer writes to its output file, caught on its way there. Qt's PDF writer says nothing
// when its file cannot be written (a full disk leaves a file cut short that every call reported as
// printed), so the printer writes into a pipe instead, named under /proc/self/fd, and a thread
// empties the pipe into memory. The file is then checked whole and written by the program itself,
// which hears the system's reason when that fails.
class PdfCapture {
public:
    PdfCapture() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            m_error = std::strerror(errno);
            return;
        }
        m_readEnd = ends[0];
        m_writeEnd = ends[1];
        m_reader = std::thread([this] { Drain(); });
    }
    ~PdfCapture() { Finish(); }
    PdfCapture(const PdfCapture&) = delete;
    PdfCapture& operator=(const PdfCapture&) = delete;

    // Why no pipe could be made; "" when there is one.
    const std::string& Error() const { return m_error; }
    // The name the printer writes to: the pipe's end of this process.
    QString Path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_writeEnd); }
    // Everything written, once the printer has closed its own end of the pipe; false when more than
    // kPdfLimit bytes were written. Memory that ran out while they were caught is thrown here.
    bool Finish(QByteArray& bytes) {
        Finish();
        if (m_outOfMemory) throw std::bad_alloc();
        bytes = m_bytes;
        return !m_tooLarge;
    }

private:
    void Finish() {
        if (m_writeEnd >= 0) ::close(m_writeEnd);
        m_writeEnd = -1;
        if (m_reader.joinable()) m_reader.join();
        if (m_readEnd >= 0) ::close(m_readEnd);
        m_readEnd = -1;
    }
    // Reads until every writing end is closed; what goes beyond the limit is read and dropped, so that
    // the printer never waits.
    void Drain() {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(m_readEnd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            if (m_bytes.size() + n > kPdfLimit) m_tooLarge = true;
            if (m_tooLarge || m_outOfMemory) continue;
            try {
                m_bytes.append(buffer, n);
            } catch (const std::bad_alloc&) {
                m_outOfMemory = true;
                m_bytes.clear();
            }
        }
    }

    int m_readEnd = -1;
    int m_writeEnd = -1;
    std::string m_error;
    QByteArray m_bytes;
    bool m_tooLarge = false;
    bool m_outOfMemory = false;
    std::thread m_reader;
};

// The pages first..last, each on its own sheet with the printer's paper set to the page's. Stops at a
// job the printer reports aborted or in error.
struct Painted {
    int pages = 0;
    QPrinter::PrinterState failure = QPrinter::Idle;  // Aborted or Error when the job failed
};

bool Failed(QPrinter::PrinterState state) { return state == QPrinter::Aborted || state == QPrinter::Error; }

Painted PaintRange(QPrinter& printer, const std::vector<PageLayout>& pages, int first, int last) {
    printer.setFullPage(true);
    auto usePaper = [&](const PageLayout& page) {
        printer.setPageSize(QPageSize(page.paperId));
        printer.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    };
    usePaper(pages[static_cast<size_t>(first - 1)]);
    Painted painted;
    QPainter painter;
    if (!painter.begin(&printer)) return painted;
    for (int i = first; i <= last; ++i) {
        const PageLayout& page = pages[static_cast<size_t>(i - 1)];
        if (painted.pages > 0) {
            usePaper(page);
            if (!printer.newPage()) {
                painted.failure = Failed(printer.printerState()) ? printer.printerState() : QPrinter::Error;
                break;
            }
        }
        if (Failed(printer.printerState())) {
            painted.failure = printer.printerState();
            break;
        }
        PaintPage(painter, page, printer.pageLayout().fullRect(QPageLayout::Point).size());
        ++painted.pages;
    }
    painter.end();
    if (!Failed(painted.failure) && Failed(printer.printerState())) painted.failure = printer.printerState();
    return painted;
}

// Prints to the printer's PDF file: the pages are caught in memory, checked to make a whole PDF file,
// and written beside the file and renamed over it (through a link to the file it points to). Nothing
// is written when any of it fails; a file marked read-only is not replaced.
PrintOutcome PrintPdf(QPrinter& printer, const std::vector<PageLayout>& pages, int first, int last) {
    const QString target = printer.outputFileName();
    PrintOutcome failed{PrintResult::notWritten, 0, target.toStdString(), ""};
    PdfCapture capture;
    if (!capture.Error().empty()) {
        failed.reason = capture.Error();
        return failed;
    }
    Painted painted;
    {
        // The printer keeps the user's file name, whatever happens while it prints.
        struct Renamed {
            QPrinter& printer;
            QString name;
            ~Renamed() { printer.setOutputFileName(name); }
        } renamed{printer, target};
        printer.setOutputFileName(capture.Path());
        painted = PaintRange(printer, pages, first, last);
    }
    QByteArray pdf;
    const bool held = capture.Finish(pdf);
    if (painted.pages == 0) return {PrintResult::notStarted};
    if (!held) {
        failed.reason = vemo::FillText(platformtext::kFileTooLarge, {std::to_string(kPdfLimit >> 20)});
        return failed;
    }
    pdf = MendPdfText(pdf, pages, first, first + painted.pages - 1);
    if (Failed(painted.failure) || !pdftext::IsWholePdf(pdf)) {
        failed.reason = reporttext::kPdfIncomplete;
        return failed;
    }
    switch (vemo::SaveUserFile(failed.where, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())),
                               &failed.reason)) {
        case vemo::SaveResult::saved: return {PrintResult::printed, painted.pages};
        case vemo::SaveResult::readOnly: failed.reason = reporttext::kPdfReadOnly; break;
        case vemo::SaveResult::failed: break;
    }
    return failed;
}

}  // namespace

void PaintPage(QPainter& painter, const PageLayout& page, const QSizeF& devicePaper) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const double pixelsPerPoint = painter.device()->logicalDpiX() / 72.0;
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    if (devicePaper.isValid() && page.paper.isValid() &&
        (std::abs(devicePaper.width() - page.paper.width()) > 1 || std::abs(devicePaper.height() - page.paper.height()) > 1)) {
        const double fit = std::min(devicePaper.width() / page.paper.width(), devicePaper.height() / page.paper.height());
        painter.translate((devicePaper.width() - page.paper.width() * fit) / 2, (devicePaper.height() - page.paper.height() * fit) / 2);
        painter.scale(fit, fit);
    }
    for (const MarginText& t : page.margins) {
        painter.setPen(t.color);
        DrawScaledText(painter, t.font, t.origin, t.text);
    }

    painter.translate(page.origin);
    painter.scale(page.scale, page.scale);
    painter.setClipRect(QRectF(QPointF(0, 0), page.size).adjusted(-2, -2, 2, 2));
    for (const FillBox& f : page.fills) painter.fillRect(f.rect, f.color);
    for (const TextBox& box : page.texts) {
        painter.save();
        painter.setClipRect(box.clip, Qt::IntersectClip);
        painter.setPen(box.color);
        for (const TextLine& line : box.lines) DrawScaledText(painter, box.font, line.origin, line.text);
        if (box.doubleUnderline) {
            // Two thin lines under each line of text, below its baseline.
            const double size = box.font.pointSizeF();
            painter.setPen(QPen(box.color, 0.05 * size));
            for (const TextLine& line : box.lines)
                for (double below : {0.12, 0.24}) {
                    const double y = line.origin.y() + below * size;
                    painter.drawLine(QPointF(line.origin.x(), y), QPointF(line.origin.x() + line.width, y));
                }
        }
        painter.restore();
    }
    for (const BorderLine& line : page.borders) DrawBorder(painter, line);
    painter.restore();
}

PrintOutcome PrintPages(QPrinter& printer, const std::vector<PageLayout>& pages) {
    int first = 1, last = static_cast<int>(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    if (first > last) return {PrintResult::noPageInRange};
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PrintPdf(printer, pages, first, last);
    const Painted painted = PaintRange(printer, pages, first, last);
    if (painted.pages == 0 && !Failed(painted.failure)) return {PrintResult::notStarted};
    if (Failed(painted.failure))
        return {PrintResult::jobFailed, painted.pages, printer.printerName().toStdString(),
                painted.failure == QPrinter::Aborted ? reporttext::kPrintJobAborted : reporttext::kPrintJobError};
    return {PrintResult::printed, painted.pages};
}

void PaintPagesAsIs(QPrinter& printer, const std::vector<PageLayout>& pages) {
    if (pages.empty()) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Point).size();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        PaintPage(painter, pages[i], paper);
    }
    painter.end();
}

}  // namespace reportqt
