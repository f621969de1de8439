// Number formats: the text a cell shows for its value.
#include "report/XlsNumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "report/XlsInternal.h"

namespace {

struct Token {
    enum Kind { literal, digit, point, comma, percent, general, at, exponent } kind;
    std::string text;  // literal text; the placeholder character of a digit; "+" or "-" of an exponent
};

struct Condition {
    std::string op;  // "<", "<=", ">", ">=", "=", "<>"
    double value = 0;
    bool Holds(double v) const {
        if (op == "<") return v < value;
        if (op == "<=") return v <= value;
        if (op == ">") return v > value;
        if (op == ">=") return v >= value;
        if (op == "<>") return v != value;
        return v == value;
    }
};

struct Section {
    std::vector<Token> tokens;
    std::optional<uint32_t> color;
    std::optional<Condition> condition;
    bool dateOrTime = false;
    bool thousands = false;
    int scaleCommas = 0;  // each divides by 1,000
    int percents = 0;     // each multiplies by 100
    bool HasAt() const {
        for (const Token& t : tokens)
            if (t.kind == Token::at) return true;
        return false;
    }
};

bool EqualsNoCase(std::string_view a, std::string_view b) { return xls::EqualsIgnoringAsciiCase(a, b); }

size_t Utf8Length(std::string_view s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return std::min(n, s.size() - i);
}

void AddLiteral(Section& section, std::string_view text) {
    if (!section.tokens.empty() && section.tokens.back().kind == Token::literal)
        section.tokens.back().text += text;
    else
        section.tokens.push_back({Token::literal, std::string(text)});
}

// The contents of a bracket: a colour, a condition, a currency tag or an elapsed-time code.
void ReadBracket(Section& section, std::string_view inside) {
    static const std::pair<const char*, uint32_t> kNamed[] = {
        {"Black", 0xFF000000}, {"Blue", 0xFF0000FF},    {"Cyan", 0xFF00FFFF},  {"Green", 0xFF00FF00},
        {"Magenta", 0xFFFF00FF}, {"Red", 0xFFFF0000}, {"White", 0xFFFFFFFF}, {"Yellow", 0xFFFFFF00},
    };
    for (auto& [name, argb] : kNamed)
        if (EqualsNoCase(inside, name)) {
            section.color = argb;
            return;
        }
    if (inside.size() > 5 && EqualsNoCase(inside.substr(0, 5), "Color")) {
        int n = std::atoi(std::string(inside.substr(5)).c_str());
        if (n >= 1 && n <= 56) section.color = xls::StandardPaletteColor(n + 7);
        return;
    }
    if (!inside.empty() && (inside[0] == '<' || inside[0] == '>' || inside[0] == '=')) {
        size_t n = (inside.size() > 1 && (inside[1] == '=' || inside[1] == '>')) ? 2 : 1;
        Condition c;
        c.op = std::string(inside.substr(0, n));
        c.value = std::strtod(std::string(inside.substr(n)).c_str(), nullptr);
        section.condition = c;
        return;
    }
    if (!inside.empty() && inside[0] == '$') {
        std::string_view symbol = inside.substr(1);
        symbol = symbol.substr(0, symbol.find('-'));
        if (!symbol.empty()) AddLiteral(section, symbol);
        return;
    }
    char c = inside.empty() ? 0 : static_cast<char>(inside[0] | 0x20);
    if (c == 'h' || c == 'm' || c == 's') section.dateOrTime = true;
}

// Commas between digit placeholders of the integer part group thousands; commas after the last
// digit placeholder scale; any other comma is shown as it is.
void ResolveCommas(Section& section) {
    std::vector<Token>& t = section.tokens;
    size_t end = t.size();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i].kind == Token::exponent) end = i;
    size_t point = end;
    for (size_t i = 0; i < end; ++i)
        if (t[i].kind == Token::point) {
            point = i;
            break;
        }
    auto digitIn = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            if (t[i].kind == Token::digit) return true;
        return false;
    };
    for (size_t i = 0; i < end; ++i) {
        if (t[i].kind != Token::comma) continue;
        if (!digitIn(0, i)) {
            t[i] = {Token::literal, ","};
        } else if (!digitIn(i + 1, end)) {
            ++section.scaleCommas;
            t[i].text.clear();
        } else if (i < point && digitIn(i + 1, point)) {
            section.thousands = true;
            t[i].text.clear();
        } else {
            t[i] = {Token::literal, ","};
        }
    }
}

std::vector<Section> ParseFormat(std::string_view code) {
    std::vector<Section> sections(1);
    bool afterExponent = false;
    for (size_t i = 0; i < code.size();) {
        Section& s = sections.back();
        char c = code[i];
        if (c == ';') {
            sections.emplace_back();
            afterExponent = false;
            ++i;
        } else if (c == '"') {
            size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos) close = code.size();
            AddLiteral(s, code.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '\\' || c == '_' || c == '*') {
            if (i + 1 >= code.size()) break;
            size_t n = Utf8Length(code, i + 1);
            if (c == '\\') AddLiteral(s, code.substr(i + 1, n));
            if (c == '_') AddLiteral(s, " ");
            i += 1 + n;
        } else if (c == '[') {
            size_t close = code.find(']', i);
            if (close == std::string_view::npos) close = code.size();
            ReadBracket(s, code.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '0' || c == '#' || c == '?') {
            s.tokens.push_back({Token::digit, std::string(1, c)});
            ++i;
        } else if (c == '.' && !afterExponent) {
            bool seen = false;
            for (const Token& t : s.tokens) seen = seen || t.kind == Token::point;
            if (seen)
                AddLiteral(s, ".");
            else
                s.tokens.push_back({Token::point, "."});
            ++i;
        } else if (c == ',') {
            s.tokens.push_back({Token::comma, ","});
            ++i;
        } else if (c == '%') {
            s.tokens.push_back({Token::percent, "%"});
            ++s.percents;
            ++i;
        } else if (c == '@') {
            s.tokens.push_back({Token::at, ""});
            ++i;
        } else if ((c == 'E' || c == 'e') && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
            s.tokens.push_back({Token::exponent, std::string(1, code[i + 1])});
            afterExponent = true;
            i += 2;
        } else if (code.size() - i >= 7 && EqualsNoCase(code.substr(i, 7), "General")) {
            s.tokens.push_back({Token::general, ""});
            i += 7;
        } else if (std::string_view("yYmMdDhHsSgGeEbB").find(c) != std::string_view::npos) {
            s.dateOrTime = true;
            AddLiteral(s, std::string_view(&code[i], 1));
            ++i;
        } else {
            size_t n = Utf8Length(code, i);
            AddLiteral(s, code.substr(i, n));
            i += n;
        }
    }
    for (Section& s : sections) ResolveCommas(s);
    return sections;
}

// The decimal digits of a non-negative value rounded to `decimals` places, as Excel rounds: to 15
// significant digits first, then half away from zero. intPart has no leading zeros ("" for 0).
void DecimalDigits(double value, int decimals, std::string& intPart, std::string& fracPart) {
    intPart.clear();
    fracPart.clear();
    if (value > 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", value);
        std::string mantissa;
        const char* p = buf;
        for (; *p && *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9') mantissa += *p;
        int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
        int integerDigits = exponent + 1;
        if (integerDigits <= 0) {
            fracPart = std::string(static_cast<size_t>(-integerDigits), '0') + mantissa;
        } else if (integerDigits >= static_cast<int>(mantissa.size())) {
            intPart = mantissa + std::string(static_cast<size_t>(integerDigits) - mantissa.size(), '0');
        } else {
            intPart = mantissa.substr(0, static_cast<size_t>(integerDigits));
            fracPart = mantissa.substr(static_cast<size_t>(integerDigits));
        }
    }
    const size_t keep = static_cast<size_t>(std::max(decimals, 0));
    if (fracPart.size() > keep) {
        bool up = fracPart[keep] >= '5';
        fracPart.resize(keep);
        if (up) {
            std::string all = intPart + fracPart;
            int i = static_cast<int>(all.size()) - 1;
            for (; i >= 0 && all[static_cast<size_t>(i)] == '9'; --i) all[static_cast<size_t>(i)] = '0';
            if (i >= 0)
                ++all[static_cast<size_t>(i)];
            else
                all.insert(all.begin(), '1');
            const size_t intSize = all.size() - keep;
            intPart = all.substr(0, intSize);
            fracPart = all.substr(intSize);
        }
    }
    fracPart.resize(keep, '0');
    size_t nonZero = intPart.find_first_not_of('0');
    intPart = nonZero == std::string::npos ? "" : intPart.substr(nonZero);
}

std::string FixedText(double value, int decimals) {
    std::string i, f;
    DecimalDigits(value, decimals, i, f);
    if (i.empty()) i = "0";
    return f.empty() ? i : i + "." + f;
}

std::string StripZeros(std::string s) {
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

// Groups the digits of an integer part with commas; blanks from "?" placeholders are not grouped.
std::string GroupThousands(const std::string& digits) {
    std::string out;
    int count = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        char c = digits[i];
        if (c >= '0' && c <= '9') {
            if (count > 0 && count % 3 == 0) out.insert(out.begin(), ',');
            ++count;
        }
        out.insert(out.begin(), c);
    }
    return out;
}

// A number through one section; value is not negative (the caller shows the sign).
std::string ApplySection(const Section& s, double value) {
    const std::vector<Token>& t = s.tokens;
    for (int i = 0; i < s.percents; ++i) value *= 100;
    for (int i = 0; i < s.scaleCommas; ++i) value /= 1000;

    size_t exponentAt = t.size();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i].kind == Token::exponent) exponentAt = i;
    std::vector<size_t> intSlots, fracSlots, expSlots;
    bool pointSeen = false;
    size_t pointAt = t.size();
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Token::point && i < exponentAt) {
            pointSeen = true;
            pointAt = i;
        }
        if (t[i].kind != Token::digit) continue;
        if (i > exponentAt)
            expSlots.push_back(i);
        else
            (pointSeen ? fracSlots : intSlots).push_back(i);
    }

    std::vector<std::string> out(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Token::literal || t[i].kind == Token::percent || t[i].kind == Token::point) out[i] = t[i].text;
        if (t[i].kind == Token::general) out[i] = XlsGeneralNumber(value);
    }
    if (intSlots.empty() && fracSlots.empty()) {
        std::string joined;
        for (auto& piece : out) joined += piece;
        return joined;
    }

    int exponent = 0;
    if (exponentAt < t.size()) {
        if (value > 0) {
            const int shift = static_cast<int>(std::max<size_t>(intSlots.size(), 1)) - 1;
            exponent = static_cast<int>(std::floor(std::log10(value))) - shift;
            std::string i, f;
            DecimalDigits(value / std::pow(10.0, exponent), static_cast<int>(fracSlots.size()), i, f);
            if (i.size() > static_cast<size_t>(shift) + 1) ++exponent;  // rounding carried into another digit
            value /= std::pow(10.0, exponent);
        }
        std::string digits = std::to_string(std::abs(exponent));
        size_t zeros = 0;
        for (size_t k : expSlots) zeros += t[k].text == "0";
        if (digits.size() < zeros) digits.insert(0, zeros - digits.size(), '0');
        out[exponentAt] = std::string("E") + (exponent < 0 ? "-" : t[exponentAt].text == "+" ? "+" : "");
        if (!expSlots.empty()) out[expSlots.front()] = digits;
    }

    std::string intDigits, fracDigits;
    DecimalDigits(value, static_cast<int>(fracSlots.size()), intDigits, fracDigits);

    // Integer placeholders take digits from the right; the leftmost one takes any that are left.
    std::vector<std::string> intOut(intSlots.size());
    size_t remaining = intDigits.size();
    for (size_t k = intSlots.size(); k-- > 0;) {
        if (remaining > 0) {
            intOut[k] = intDigits.substr(remaining - 1, 1);
            --remaining;
        } else {
            char p = t[intSlots[k]].text[0];
            intOut[k] = p == '0' ? "0" : p == '?' ? " " : "";
        }
        if (k == 0 && remaining > 0) intOut[k] = intDigits.substr(0, remaining) + intOut[k];
    }
    if (!intSlots.empty()) {
        if (s.thousands) {
            std::string all;
            for (auto& piece : intOut) all += piece;
            out[intSlots.front()] = GroupThousands(all);
        } else {
            for (size_t k = 0; k < intSlots.size(); ++k) out[intSlots[k]] = intOut[k];
        }
    } else if (!intDigits.empty()) {
        out[pointAt < t.size() ? pointAt : fracSlots.front()].insert(0, intDigits);
    }

    // Trailing zeros of optional decimal places are left out ("#") or blanked ("?").
    size_t significant = fracSlots.size();
    while (significant > 0 && fracDigits[significant - 1] == '0' && t[fracSlots[significant - 1]].text != "0")
        --significant;
    for (size_t k = 0; k < fracSlots.size(); ++k)
        out[fracSlots[k]] = k < significant ? fracDigits.substr(k, 1) : t[fracSlots[k]].text == "?" ? " " : "";

    std::string joined;
    for (auto& piece : out) joined += piece;
    return joined;
}

std::string ApplyText(const Section& s, const std::string& text) {
    std::string out;
    for (const Token& t : s.tokens) {
        if (t.kind == Token::at)
            out += text;
        else if (t.kind != Token::digit && t.kind != Token::general && t.kind != Token::exponent)
            out += t.text;
    }
    return out;
}

}  // namespace

std::string XlsGeneralNumber(double value, int maxChars) {
    if (!std::isfinite(value)) return "";
    if (value == 0) return "0";
    const std::string sign = value < 0 ? "-" : "";
    const double a = std::fabs(value);
    for (int decimals = std::max(maxChars - 1, 0); decimals >= 0; --decimals) {
        std::string s = StripZeros(FixedText(a, decimals));
        if (s != "0" && static_cast<int>(s.size()) <= maxChars) return sign + s;
    }
    for (int decimals = 5; decimals >= 0; --decimals) {
        int exponent = static_cast<int>(std::floor(std::log10(a)));
        std::string i, f;
        DecimalDigits(a / std::pow(10.0, exponent), decimals, i, f);
        if (i.size() > 1) {
            ++exponent;
            DecimalDigits(a / std::pow(10.0, exponent), decimals, i, f);
        }
        std::string mantissa = StripZeros(f.empty() ? i : i + "." + f);
        std::string digits = std::to_string(std::abs(exponent));
        if (digits.size() < 2) digits.insert(0, "0");
        std::string s = mantissa + "E" + (exponent < 0 ? "-" : "+") + digits;
        if (static_cast<int>(s.size()) <= maxChars) return sign + s;
    }
    return "";
}

XlsShownValue FormatXlsNumber(double value, std::string_view formatCode) {
    XlsShownValue shown;
    shown.number = true;
    if (!std::isfinite(value)) return shown;
    std::vector<Section> sections = ParseFormat(formatCode);
    // A fourth section is for texts only.
    if (sections.size() > 3) sections.resize(3);

    size_t chosen = 0;
    bool autoMinus = true;
    if (sections[0].condition) {
        // [cond]first;[cond]second;other — a section without a condition takes what is left.
        if (sections[0].condition->Holds(value) || sections.size() == 1)
            chosen = 0;
        else if (!sections[1].condition || sections[1].condition->Holds(value))
            chosen = 1;
        else
            chosen = sections.size() > 2 ? 2 : 1;
    } else if (value < 0 && sections.size() > 1) {
        chosen = 1;
        autoMinus = false;
    } else if (value == 0 && sections.size() > 2) {
        chosen = 2;
    }
    const Section& s = sections[chosen];
    shown.color = s.color;
    std::string body;
    if (s.dateOrTime) {
        body = XlsGeneralNumber(std::fabs(value));
    } else if (s.tokens.empty() && chosen == 0 && formatCode.empty()) {
        body = XlsGeneralNumber(std::fabs(value));
    } else {
        body = ApplySection(s, std::fabs(value));
    }
    shown.text = (value < 0 && autoMinus ? "-" : "") + body;
    return shown;
}

XlsShownValue FormatXlsCell(const XlsCell& cell, std::string_view formatCode) {
    XlsShownValue shown;
    switch (cell.kind) {
    case XlsValueKind::empty:
        return shown;
    case XlsValueKind::number:
        return FormatXlsNumber(cell.number, formatCode.empty() ? "General" : formatCode);
    case XlsValueKind::boolean:
        shown.text = cell.number != 0 ? "TRUE" : "FALSE";
        return shown;
    case XlsValueKind::error:
        shown.text = cell.text;
        return shown;
    case XlsValueKind::text:
        break;
    }
    std::vector<Section> sections = ParseFormat(formatCode);
    const Section* textSection = sections.size() > 3 ? &sections[3] : sections.size() == 1 && sections[0].HasAt() ? &sections[0] : nullptr;
    if (!textSection) {
        shown.text = cell.text;
        return shown;
    }
    shown.text = ApplyText(*textSection, cell.text);
    shown.color = textSection->color;
    return shown;
}

std::string XlsFormatWithDecimals(std::string_view code, int decimals, bool grouped) {
    decimals = std::clamp(decimals, 0, 15);
    const std::string fraction = decimals > 0 ? "." + std::string(static_cast<size_t>(decimals), '0') : "";
    auto isDigit = [](char c) { return c == '0' || c == '#' || c == '?'; };
    std::string out;
    bool done = false;  // this section's figure is rewritten
    for (size_t i = 0; i < code.size();) {
        const char c = code[i];
        if (c == ';') {
            done = false;
            out += c;
            ++i;
        } else if (c == '"' || c == '[') {
            // A quoted literal or a bracket, copied whole.
            size_t close = code.find(c == '"' ? '"' : ']', i + 1);
            close = close == std::string_view::npos ? code.size() : close + 1;
            out += code.substr(i, close - i);
            i = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            const size_t n = i + 1 < code.size() ? 1 + Utf8Length(code, i + 1) : 1;
            out += code.substr(i, n);
            i += n;
        } else if (!done && code.size() - i >= 7 && EqualsNoCase(code.substr(i, 7), "General")) {
            out += (grouped ? "#,##0" : "0") + fraction;
            done = true;
            i += 7;
        } else if (!done && isDigit(c)) {
            // The figure: its integer placeholders (with their grouping commas), then its decimals.
            size_t end = i;
            while (end < code.size() && (isDigit(code[end]) || code[end] == ',')) ++end;
            std::string whole(code.substr(i, end - i));
            if (grouped && whole.find(',') == std::string::npos) whole = "#,##" + whole.substr(whole.size() - 1);
            out += whole + fraction;
            if (end < code.size() && code[end] == '.') {
                ++end;
                while (end < code.size() && isDigit(code[end])) ++end;
            }
            done = true;
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}
