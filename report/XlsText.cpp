// Cell addresses, cell texts, numbers and formula texts.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <algorithm>

#include "platform/TextUtil.h"
#include "report/XlsInternal.h"

namespace xls {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads one code point of UTF-8 at pos; an invalid sequence gives U+FFFD and moves one byte.
char32_t DecodeUtf8(std::string_view s, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra;
    char32_t cp;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += extra + 1;
    return cp;
}


bool IsHex(char c) { return IsDigit(c) || (Upper(c) >= 'A' && Upper(c) <= 'F'); }

// "_xHHHH_" at pos: its value.
std::optional<unsigned> EscapeAt(std::string_view s, size_t pos) {
    if (pos + 7 > s.size() || s[pos] != '_' || (s[pos + 1] != 'x' && s[pos + 1] != 'X') || s[pos + 6] != '_')
        return std::nullopt;
    unsigned v = 0;
    for (size_t i = pos + 2; i < pos + 6; ++i) {
        if (!IsHex(s[i])) return std::nullopt;
        char c = Upper(s[i]);
        v = v * 16 + static_cast<unsigned>(IsDigit(c) ? c - '0' : c - 'A' + 10);
    }
    return v;
}

bool ForbiddenInXml(char32_t cp) {
    if (cp == 0x09 || cp == 0x0A) return false;
    return cp < 0x20 || cp == 0xFFFE || cp == 0xFFFF;
}

bool IsNameChar(char c) {
    return IsAsciiLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

bool ParseCellRef(std::string_view text, int& row, int& column) {
    size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    int col = 0;
    size_t letters = 0;
    while (i < text.size() && IsAsciiLetter(text[i]) && letters < 4) {
        col = col * 26 + (Upper(text[i]) - 'A' + 1);
        ++i;
        ++letters;
    }
    if (letters == 0 || letters > 3 || col > kMaxColumn) return false;
    if (i < text.size() && text[i] == '$') ++i;
    long r = 0;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]) && digits < 8) {
        r = r * 10 + (text[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0 || i != text.size() || r < 1 || r > kMaxRow) return false;
    row = static_cast<int>(r);
    column = col;
    return true;
}

std::string ColumnLetters(int column) {
    std::string s;
    while (column > 0) {
        int d = (column - 1) % 26;
        s.insert(s.begin(), static_cast<char>('A' + d));
        column = (column - 1) / 26;
    }
    return s;
}

std::string CellRef(int row, int column) { return ColumnLetters(column) + std::to_string(row); }

std::string RangeRef(const XlsRange& r) {
    std::string first = CellRef(r.firstRow, r.firstColumn);
    if (r.firstRow == r.lastRow && r.firstColumn == r.lastColumn) return first;
    return first + ":" + CellRef(r.lastRow, r.lastColumn);
}

bool ParseRangeRef(std::string_view text, XlsRange& range) {
    size_t colon = text.find(':');
    int r1, c1, r2, c2;
    if (colon == std::string_view::npos) {
        if (!ParseCellRef(text, r1, c1)) return false;
        r2 = r1, c2 = c1;
    } else if (!ParseCellRef(text.substr(0, colon), r1, c1) || !ParseCellRef(text.substr(colon + 1), r2, c2)) {
        return false;
    }
    range = {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
    return true;
}

bool Overlaps(const XlsRange& a, const XlsRange& b) {
    return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstColumn <= b.lastColumn &&
           b.firstColumn <= a.lastColumn;
}

std::string EscapeCellText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t units = 0;
    size_t pos = 0;
    char buf[8];
    while (pos < utf8.size()) {
        size_t start = pos;
        char32_t cp = DecodeUtf8(utf8, pos);
        size_t width = cp >= 0x10000 ? 2 : 1;
        if (units + width > kMaxCellChars) break;
        units += width;
        if (ForbiddenInXml(cp)) {
            std::snprintf(buf, sizeof buf, "_x%04X_", static_cast<unsigned>(cp));
            out += buf;
        } else if (cp == '_' && EscapeAt(utf8, start)) {
            out += "_x005F_";
        } else {
            vemo::AppendUtf8(out, cp);
        }
    }
    return out;
}

std::string UnescapeCellText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto v = EscapeAt(s, i);
        if (!v) {
            out += s[i++];
            continue;
        }
        i += 7;
        char32_t cp = *v;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            auto low = EscapeAt(s, i);
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
                i += 7;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        vemo::AppendUtf8(out, cp);
    }
    return out;
}

size_t Utf16Length(std::string_view utf8) {
    size_t n = 0;
    size_t pos = 0;
    while (pos < utf8.size()) n += DecodeUtf8(utf8, pos) >= 0x10000 ? 2 : 1;
    return n;
}

std::string CutUtf16(std::string_view utf8, size_t n) {
    size_t units = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t start = pos;
        size_t width = DecodeUtf8(utf8, pos) >= 0x10000 ? 2 : 1;
        if (units + width > n) return std::string(utf8.substr(0, start));
        units += width;
    }
    return std::string(utf8);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

std::string FoldAsciiCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Upper(c);
    return out;
}

std::optional<std::string> NumberText(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    if (value >= -2147483648.0 && value <= 2147483647.0) {
        auto truncated = static_cast<int32_t>(value);
        if (static_cast<double>(truncated) == value) return std::to_string(truncated);
    }
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

std::string QuoteSheetName(std::string_view name) {
    std::string out = "'";
    for (char c : name) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::vector<std::string> FormulaAreas(std::string_view formula) {
    std::vector<std::string> areas;
    std::string current;
    bool quoted = false;
    for (size_t i = 0; i < formula.size(); ++i) {
        char c = formula[i];
        if (c == '\'') {
            quoted = !quoted;
            current += c;
        } else if (!quoted && c == ',') {
            areas.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    areas.push_back(current);
    for (auto& a : areas) {
        // The sheet name ends at the last "!" outside quotes.
        size_t cut = std::string::npos;
        bool q = false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] == '\'') q = !q;
            else if (!q && a[i] == '!') cut = i;
        }
        if (cut != std::string::npos) a = a.substr(cut + 1);
        size_t b = a.find_first_not_of(" ()");
        size_t e = a.find_last_not_of(" ()");
        a = b == std::string::npos ? std::string() : a.substr(b, e - b + 1);
    }
    std::erase_if(areas, [](const std::string& a) { return a.empty(); });
    return areas;
}

std::string ShiftFormula(std::string_view f, int rows, int columns) {
    std::string out;
    out.reserve(f.size() + 8);
    size_t i = 0;
    auto copyQuoted = [&](char quote) {
        out += f[i++];
        while (i < f.size()) {
            char c = f[i++];
            out += c;
            if (c == quote) {
                if (i < f.size() && f[i] == quote) {
                    out += f[i++];
                    continue;
                }
                break;
            }
        }
    };
    while (i < f.size()) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            copyQuoted(c);
        } else if (c == '[') {
            size_t end = f.find(']', i);
            end = end == std::string_view::npos ? f.size() : end + 1;
            out += f.substr(i, end - i);
            i = end;
        } else if (IsNameChar(c)) {
            size_t end = i;
            while (end < f.size() && IsNameChar(f[end])) ++end;
            std::string_view token = f.substr(i, end - i);
            char next = end < f.size() ? f[end] : '\0';
            int row, col;
            if (next != '(' && next != '!' && ParseCellRef(token, row, col)) {
                size_t dollar = token.find('$', 1);
                bool absCol = token[0] == '$';
                bool absRow = dollar != std::string_view::npos;
                if (!absCol) col += columns;
                if (!absRow) row += rows;
                if (row < 1 || row > kMaxRow || col < 1 || col > kMaxColumn) {
                    out += "#REF!";
                } else {
                    if (absCol) out += '$';
                    out += ColumnLetters(col);
                    if (absRow) out += '$';
                    out += std::to_string(row);
                }
            } else {
                out += token;
            }
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace xls
