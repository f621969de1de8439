// Turns the user manual's text source (Markdown, UTF-8) into the PDF that the help command opens:
// MakeManual <manual.md> <manual.pdf>. Run at build time with QT_QPA_PLATFORM=offscreen, as a
// build machine has no display.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

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
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(text);

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Vemo Ovra 農林版 操作説明書"));
    writer.setCreator(QStringLiteral("Vemo Ovra 農林版"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                     QPageLayout::Millimeter));
    document.print(&writer);
    if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "MakeManual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
