#pragma once
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The text of the PDF files the program writes (printed reports, the user manual), so that a
// viewer's search, copy and paste and pdftotext give back what was drawn.
//
// Qt's PDF writer names each glyph of an embedded font by the lowest code point the font's cmap
// gives it (its ToUnicode map). Two things go wrong with the Japanese faces alone:
// - their 'locl' feature turns the digits of a Latin, Greek or Cyrillic run ("φ66mm", "10.00 m")
//   into glyphs no code point reaches, which the writer leaves unnamed: the digits are lost;
// - glyphs shared by several code points are named by the lowest, which is often not the one
//   drawn: 一 as the Kangxi radical ⼀ (U+2F00), ・ as ‧ (U+2027), ／ as ∕ (U+2215), and so on.
// Text is therefore drawn with a Latin face before the Japanese one, and the written file's ToUnicode
// maps are mended afterwards from the drawn text.
namespace pdftext {

enum class PrintFace { sans, serif };

// The Japanese face of a print face: what a workbook's font stands for, and whose digits measure
// its column widths.
QString JapaneseFamily(PrintFace face);

// The families printed text is set in: the Latin face for what it covers, then the Japanese face.
QStringList PrintFamilies(PrintFace face);

// Names every glyph of the PDF file by the character that was drawn with it, where the writer named
// it by another code point of the same glyph. drawnText holds the text drawn into the file, fonts
// the fonts it was drawn with. The mended maps are appended as an update of the file (written
// beside it and renamed over it). False, and the file as it was, when the file is not a PDF as
// Qt writes them or cannot be rewritten.
bool MendToUnicode(const QString& pdfPath, const QString& drawnText, const QList<QFont>& fonts);
// The same on the bytes of a PDF file: the file with the mended maps appended (the bytes as they
// were when nothing needs mending); nothing when the bytes are not a PDF as Qt writes them.
std::optional<QByteArray> MendedToUnicode(const QByteArray& pdf, const QString& drawnText, const QList<QFont>& fonts);

// Whether the bytes are a whole PDF file as Qt writes them: its last cross-reference table, found
// through startxref, and its trailer read, and the end-of-file mark last.
bool IsWholePdf(const QByteArray& pdf);

}  // namespace pdftext
