// The faces printed text is set in, and the mending of the ToUnicode maps of the PDF files Qt writes.
#include "report/qt/PdfText.h"

#include <QFile>
#include <QRawFont>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace pdftext {

namespace {

// Qt's PDF writer names glyphs by code points below this.
constexpr char32_t kBmpEnd = 0x10000;
constexpr char32_t kSurrogatesBegin = 0xD800;
constexpr char32_t kSurrogatesEnd = 0xE000;
// Entries of one bfchar block: the most a CMap allows.
constexpr int kCMapBlock = 100;
// The widest range a map may give in one line: the whole of a two-byte code space.
constexpr uint32_t kWidestRange = 0xFFFF;
// An entry of a cross-reference table: "oooooooooo ggggg n" and a two-character end of line.
constexpr qsizetype kXrefEntry = 20;
constexpr int kXrefOffsetDigits = 10;

// ---- which code point the writer names a drawn character by --------------------------------------

// Every glyph of a face with the lowest code point that reaches it: the name the writer gives it.
std::unordered_map<quint32, char32_t> LowestCodePoints(const QRawFont& raw) {
    std::unordered_map<quint32, char32_t> lowest;
    auto scan = [&](char32_t from, char32_t to) {
        std::vector<QChar> chars;
        chars.reserve(to - from);
        for (char32_t c = from; c < to; ++c) chars.push_back(QChar(static_cast<char16_t>(c)));
        std::vector<quint32> glyphs(chars.size());
        int count = static_cast<int>(glyphs.size());
        if (!raw.glyphIndexesForChars(chars.data(), static_cast<int>(chars.size()), glyphs.data(), &count)) return;
        for (int i = 0; i < count; ++i)
            if (glyphs[static_cast<size_t>(i)] != 0) lowest.try_emplace(glyphs[static_cast<size_t>(i)], from + static_cast<char32_t>(i));
    };
    scan(0, kSurrogatesBegin);
    scan(kSurrogatesEnd, kBmpEnd);
    return lowest;
}

// For each code point the writer names a drawn character by instead of the character itself: that
// character. A code point that was drawn itself keeps its name.
std::map<char32_t, char32_t> DrawnNames(const QString& drawnText, const QList<QFont>& fonts) {
    std::set<char32_t> drawn;
    for (char32_t c : drawnText.toUcs4())
        if (c < kBmpEnd) drawn.insert(c);
    std::map<char32_t, char32_t> names;
    std::set<QString> faces;
    for (const QFont& font : fonts) {
        const QStringList families = font.families().isEmpty() ? QStringList{font.family()} : font.families();
        for (const QString& family : families) {
            // Every face of the list that has a character may have drawn it.
            // Sizes aside, the fonts of a page repeat a few faces: each is read once.
            const QString face = family + QChar(u'|') + QString::number(font.weight()) + QChar(font.italic() ? u'I' : u'-');
            if (!faces.insert(face).second) continue;
            QFont one(font);
            one.setFamilies({family});
            const QRawFont raw = QRawFont::fromFont(one);
            if (!raw.isValid() || raw.familyName() != family) continue;
            const auto lowest = LowestCodePoints(raw);
            for (char32_t c : drawn) {
                const QChar ch(static_cast<char16_t>(c));
                quint32 glyph = 0;
                int count = 1;
                if (!raw.glyphIndexesForChars(&ch, 1, &glyph, &count) || glyph == 0) continue;
                const auto it = lowest.find(glyph);
                if (it != lowest.end() && it->second != c && !drawn.count(it->second)) names.try_emplace(it->second, c);
            }
        }
    }
    return names;
}

// ---- reading the file ---------------------------------------------------------------------------

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

qsizetype SkipSpace(const QByteArray& b, qsizetype at) {
    while (at < b.size() && IsSpace(b[at])) ++at;
    return at;
}

// A non-negative integer at `at` (after any white space); `at` moves past it.
std::optional<int64_t> ReadInteger(const QByteArray& b, qsizetype& at) {
    at = SkipSpace(b, at);
    const qsizetype start = at;
    int64_t value = 0;
    while (at < b.size() && IsDigit(b[at]) && at - start < 18) value = value * 10 + (b[at++] - '0');
    if (at == start) return std::nullopt;
    return value;
}

bool StartsWithAt(const QByteArray& b, qsizetype at, const char* word) {
    return QByteArrayView(b).sliced(std::min(at, b.size())).startsWith(word);
}

// The end of the dictionary that opens at `at` ("<<"), just past its ">>"; nothing when unclosed.
std::optional<qsizetype> DictionaryEnd(const QByteArray& b, qsizetype at) {
    int depth = 0;
    while (at + 1 < b.size()) {
        if (b[at] == '<' && b[at + 1] == '<') {
            ++depth;
            at += 2;
        } else if (b[at] == '>' && b[at + 1] == '>') {
            at += 2;
            if (--depth == 0) return at;
        } else {
            ++at;
        }
    }
    return std::nullopt;
}

QString Latin1(const QByteArray& b, qsizetype from, qsizetype to) { return QString::fromLatin1(b.mid(from, to - from)); }

// The file as Qt writes it: one cross-reference table, found through startxref, and its trailer.
struct PdfFile {
    QByteArray bytes;
    std::map<int, std::pair<qsizetype, int>> objects;  // object → where it starts, its generation
    int64_t xref = 0;
    QString trailer;  // the trailer's dictionary

    bool Read() {
        const qsizetype mark = bytes.lastIndexOf("startxref");
        if (!bytes.startsWith("%PDF-") || mark < 0) return false;
        qsizetype at = mark + 9;
        const auto xrefAt = ReadInteger(bytes, at);
        if (!xrefAt || *xrefAt >= bytes.size()) return false;
        xref = *xrefAt;
        at = static_cast<qsizetype>(xref);
        if (!StartsWithAt(bytes, at, "xref")) return false;
        at += 4;
        for (;;) {
            at = SkipSpace(bytes, at);
            if (StartsWithAt(bytes, at, "trailer")) break;
            const auto first = ReadInteger(bytes, at);
            const auto count = ReadInteger(bytes, at);
            if (!first || !count) return false;
            at = SkipSpace(bytes, at);
            if (*count > (bytes.size() - at) / kXrefEntry) return false;
            for (int64_t i = 0; i < *count; ++i, at += kXrefEntry) {
                qsizetype field = at;
                const auto offset = ReadInteger(bytes, field);
                const auto generation = ReadInteger(bytes, field);
                field = SkipSpace(bytes, field);
                if (!offset || !generation || field >= bytes.size() || *offset >= bytes.size()) return false;
                if (bytes[field] == 'n') objects[static_cast<int>(*first + i)] = {static_cast<qsizetype>(*offset), static_cast<int>(*generation)};
            }
        }
        const qsizetype open = bytes.indexOf("<<", at);
        const auto close = open < 0 ? std::nullopt : DictionaryEnd(bytes, open);
        if (!close) return false;
        trailer = Latin1(bytes, open, *close);
        return true;
    }

    // Where object `number`'s content begins (after "n g obj"); nothing when it is not there.
    std::optional<qsizetype> ContentOf(int number) const {
        const auto it = objects.find(number);
        if (it == objects.end()) return std::nullopt;
        qsizetype at = it->second.first;
        const auto n = ReadInteger(bytes, at);
        const auto g = ReadInteger(bytes, at);
        at = SkipSpace(bytes, at);
        if (!n || *n != number || !g || !StartsWithAt(bytes, at, "obj")) return std::nullopt;
        return SkipSpace(bytes, at + 3);
    }

    // The data of a stream object, inflated when it is deflated; nothing when the object is no
    // stream this can read.
    std::optional<QByteArray> StreamOf(int number) const {
        const auto content = ContentOf(number);
        if (!content || !StartsWithAt(bytes, *content, "<<")) return std::nullopt;
        const auto dictEnd = DictionaryEnd(bytes, *content);
        if (!dictEnd) return std::nullopt;
        const QString dict = Latin1(bytes, *content, *dictEnd);
        static const QRegularExpression lengthKey(QStringLiteral("/Length\\s+(\\d+)(?:\\s+(\\d+)\\s+R)?"));
        const QRegularExpressionMatch length = lengthKey.match(dict);
        if (!length.hasMatch()) return std::nullopt;
        int64_t size = length.captured(1).toLongLong();
        if (length.hasCaptured(2)) {
            const auto at = ContentOf(length.captured(1).toInt());
            if (!at) return std::nullopt;
            qsizetype valueAt = *at;
            const auto value = ReadInteger(bytes, valueAt);
            if (!value) return std::nullopt;
            size = *value;
        }
        const bool deflated = dict.contains(QStringLiteral("/FlateDecode"));
        if (dict.contains(QStringLiteral("/DecodeParms")) || (dict.contains(QStringLiteral("/Filter")) && !deflated))
            return std::nullopt;
        qsizetype at = SkipSpace(bytes, *dictEnd);
        if (!StartsWithAt(bytes, at, "stream")) return std::nullopt;
        at += 6;
        if (StartsWithAt(bytes, at, "\r\n")) at += 2;
        else if (StartsWithAt(bytes, at, "\n")) at += 1;
        else return std::nullopt;
        if (size > bytes.size() - at) return std::nullopt;
        const QByteArray data = bytes.mid(at, static_cast<qsizetype>(size));
        if (!StartsWithAt(bytes, SkipSpace(bytes, at + static_cast<qsizetype>(size)), "endstream")) return std::nullopt;
        if (!deflated) return data;
        // qUncompress reads a four-byte size first: a hint, grown as the data needs.
        QByteArray sized(4, '\0');
        const uint32_t hint = static_cast<uint32_t>(std::min<int64_t>(size * 4, INT32_MAX));
        for (int i = 0; i < 4; ++i) sized[i] = static_cast<char>((hint >> (24 - 8 * i)) & 0xFF);
        const QByteArray inflated = qUncompress(sized + data);
        if (inflated.isEmpty()) return std::nullopt;
        return inflated;
    }
};

// ---- the ToUnicode map ------------------------------------------------------------------------

struct CMapToken {
    enum Kind { hex, open, close, word } kind;
    QByteArray value;  // the bytes of a hex string, the text of a word
};

std::optional<std::vector<CMapToken>> Tokens(const QByteArray& text) {
    std::vector<CMapToken> tokens;
    qsizetype at = 0;
    while ((at = SkipSpace(text, at)) < text.size()) {
        const char c = text[at];
        if (c == '%') {
            while (at < text.size() && text[at] != '\n' && text[at] != '\r') ++at;
        } else if ((c == '<' || c == '>') && at + 1 < text.size() && text[at + 1] == c) {
            tokens.push_back({CMapToken::word, text.mid(at, 2)});  // a dictionary's bracket
            at += 2;
        } else if (c == '<') {
            const qsizetype end = text.indexOf('>', at);
            if (end < 0) return std::nullopt;
            QByteArray digits = text.mid(at + 1, end - at - 1);
            digits.replace(' ', "").replace('\n', "").replace('\r', "");
            if (digits.size() % 2 != 0) return std::nullopt;
            const QByteArray bytes = QByteArray::fromHex(digits);
            if (bytes.size() * 2 != digits.size()) return std::nullopt;
            tokens.push_back({CMapToken::hex, bytes});
            at = end + 1;
        } else if (c == '[' || c == ']') {
            tokens.push_back({c == '[' ? CMapToken::open : CMapToken::close, {}});
            ++at;
        } else if (c == '(') {
            const qsizetype end = text.indexOf(')', at);
            if (end < 0) return std::nullopt;
            at = end + 1;
        } else {
            const qsizetype start = at++;
            while (at < text.size() && !IsSpace(text[at]) && !QByteArrayView("<>[]()/%").contains(text[at])) ++at;
            tokens.push_back({CMapToken::word, text.mid(start, at - start)});
        }
    }
    return tokens;
}

uint32_t CodeOf(const QByteArray& bytes) {
    uint32_t code = 0;
    for (char b : bytes) code = (code << 8) | static_cast<uint8_t>(b);
    return code;
}

std::u16string UnitsOf(const QByteArray& bytes) {
    std::u16string units;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>((static_cast<uint8_t>(bytes[i]) << 8) | static_cast<uint8_t>(bytes[i + 1])));
    return units;
}

struct ToUnicodeMap {
    std::vector<std::pair<QByteArray, QByteArray>> codeSpace;  // low and high codes, as written
    std::map<uint32_t, std::u16string> names;                   // code → its text (UTF-16)
    int codeBytes = 2;

    bool Parse(const QByteArray& text) {
        const auto tokens = Tokens(text);
        if (!tokens) return false;
        const std::vector<CMapToken>& t = *tokens;
        auto isHex = [&](size_t i) { return i < t.size() && t[i].kind == CMapToken::hex; };
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i].kind != CMapToken::word) continue;
            const QByteArray& w = t[i].value;
            if (w == "begincodespacerange") {
                for (++i; isHex(i) && isHex(i + 1); i += 2) {
                    codeSpace.push_back({t[i].value, t[i + 1].value});
                    codeBytes = static_cast<int>(t[i].value.size());
                }
            } else if (w == "beginbfchar") {
                for (++i; isHex(i) && isHex(i + 1); i += 2) names[CodeOf(t[i].value)] = UnitsOf(t[i + 1].value);
            } else if (w == "beginbfrange") {
                for (++i; isHex(i) && isHex(i + 1);) {
                    const uint32_t low = CodeOf(t[i].value), high = CodeOf(t[i + 1].value);
                    if (high < low || high - low > kWidestRange) return false;
                    i += 2;
                    if (isHex(i)) {
                        // Consecutive codes, their texts counting up in the last unit.
                        std::u16string units = UnitsOf(t[i++].value);
                        if (units.empty()) return false;
                        for (uint32_t code = low; code <= high; ++code, ++units.back()) names[code] = units;
                    } else if (i < t.size() && t[i].kind == CMapToken::open) {
                        uint32_t code = low;
                        for (++i; isHex(i) && code <= high; ++i, ++code) names[code] = UnitsOf(t[i].value);
                        if (i >= t.size() || t[i].kind != CMapToken::close) return false;
                        ++i;
                    } else {
                        return false;
                    }
                }
            }
            if (i < t.size() && t[i].kind != CMapToken::word) return false;
        }
        return !codeSpace.empty() && codeBytes >= 1 && codeBytes <= 4;
    }

    // Renames the single characters the writer named by another code point of their glyph.
    bool Rename(const std::map<char32_t, char32_t>& drawnNames) {
        bool changed = false;
        for (auto& [code, units] : names) {
            if (units.size() != 1) continue;
            const auto it = drawnNames.find(units[0]);
            if (it == drawnNames.end()) continue;
            units[0] = static_cast<char16_t>(it->second);
            changed = true;
        }
        return changed;
    }

    QByteArray Text() const {
        QByteArray text =
            "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
            "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
            "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n";
        text += QByteArray::number(codeSpace.size()) + " begincodespacerange\n";
        for (const auto& [low, high] : codeSpace) text += '<' + low.toHex().toUpper() + "> <" + high.toHex().toUpper() + ">\n";
        text += "endcodespacerange\n";
        auto it = names.begin();
        while (it != names.end()) {
            const auto count = std::min<size_t>(kCMapBlock, static_cast<size_t>(std::distance(it, names.end())));
            text += QByteArray::number(static_cast<qulonglong>(count)) + " beginbfchar\n";
            for (size_t i = 0; i < count; ++i, ++it) {
                text += '<' + QByteArray::number(it->first, 16).toUpper().rightJustified(2 * codeBytes, '0') + "> <";
                for (char16_t unit : it->second) text += QByteArray::number(unit, 16).toUpper().rightJustified(4, '0');
                text += ">\n";
            }
            text += "endbfchar\n";
        }
        text += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
        return text;
    }
};

}  // namespace

QString JapaneseFamily(PrintFace face) {
    return face == PrintFace::serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP");
}

QStringList PrintFamilies(PrintFace face) {
    return {face == PrintFace::serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"), JapaneseFamily(face)};
}

bool IsWholePdf(const QByteArray& bytes) {
    PdfFile pdf;
    pdf.bytes = bytes;
    // A file cut short lacks its last cross-reference table, its trailer or its end-of-file mark.
    return pdf.Read() && bytes.trimmed().endsWith("%%EOF");
}

std::optional<QByteArray> MendedToUnicode(const QByteArray& bytes, const QString& drawnText, const QList<QFont>& fonts) {
    PdfFile pdf;
    pdf.bytes = bytes;
    if (!pdf.Read()) return std::nullopt;
    const std::map<char32_t, char32_t> drawnNames = DrawnNames(drawnText, fonts);

    // Each font's map, mended where the writer named a glyph otherwise than the text drawn with it.
    static const QRegularExpression toUnicodeKey(QStringLiteral("/ToUnicode\\s+(\\d+)\\s+(\\d+)\\s+R"));
    std::set<int> maps;
    for (auto it = toUnicodeKey.globalMatch(QString::fromLatin1(pdf.bytes)); it.hasNext();) maps.insert(it.next().captured(1).toInt());
    std::map<int, QByteArray> mended;
    for (int number : maps) {
        const auto stream = pdf.StreamOf(number);
        ToUnicodeMap map;
        if (!stream || !map.Parse(*stream)) return std::nullopt;
        if (map.Rename(drawnNames)) mended[number] = map.Text();
    }
    if (mended.empty()) return bytes;

    // An update after the file: the mended maps, their cross-reference section and a trailer that
    // points back to the file's own.
    static const QRegularExpression sizeKey(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression rootKey(QStringLiteral("/Root\\s+\\d+\\s+\\d+\\s+R"));
    static const QRegularExpression infoKey(QStringLiteral("/Info\\s+\\d+\\s+\\d+\\s+R"));
    static const QRegularExpression idKey(QStringLiteral("/ID\\s*\\[[^\\]]*\\]"));
    const QRegularExpressionMatch size = sizeKey.match(pdf.trailer), root = rootKey.match(pdf.trailer);
    if (!size.hasMatch() || !root.hasMatch()) return std::nullopt;
    QByteArray update = pdf.bytes.endsWith('\n') ? QByteArray() : QByteArray("\n");
    QByteArray xref = "xref\n";
    for (const auto& [number, text] : mended) {
        const QByteArray data = qCompress(text).mid(4);  // the zlib stream, without Qt's size
        const int generation = pdf.objects.at(number).second;
        const QByteArray entry = QByteArray::number(pdf.bytes.size() + update.size()).rightJustified(kXrefOffsetDigits, '0') + ' ' +
                                 QByteArray::number(generation).rightJustified(5, '0') + " n\r\n";
        xref += QByteArray::number(number) + " 1\n" + entry;
        update += QByteArray::number(number) + ' ' + QByteArray::number(generation) + " obj\n<<\n/Length " +
                  QByteArray::number(data.size()) + "\n/Filter /FlateDecode\n>>\nstream\n" + data + "\nendstream\nendobj\n";
    }
    const qsizetype xrefAt = pdf.bytes.size() + update.size();
    update += xref + "trailer\n<<\n/Size " + size.captured(1).toLatin1() + '\n' + root.captured(0).toLatin1() + '\n';
    if (const QRegularExpressionMatch info = infoKey.match(pdf.trailer); info.hasMatch()) update += info.captured(0).toLatin1() + '\n';
    if (const QRegularExpressionMatch id = idKey.match(pdf.trailer); id.hasMatch()) update += id.captured(0).toLatin1() + '\n';
    update += "/Prev " + QByteArray::number(static_cast<qlonglong>(pdf.xref)) + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";

    return pdf.bytes + update;
}

bool MendToUnicode(const QString& pdfPath, const QString& drawnText, const QList<QFont>& fonts) {
    QByteArray bytes;
    {
        QFile file(pdfPath);
        if (!file.open(QIODevice::ReadOnly)) return false;
        bytes = file.readAll();
    }
    const std::optional<QByteArray> mended = MendedToUnicode(bytes, drawnText, fonts);
    if (!mended) return false;
    if (mended->size() == bytes.size()) return true;  // nothing to mend
    QSaveFile out(pdfPath);
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(*mended) != mended->size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace pdftext
