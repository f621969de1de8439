#include "master/sampledata/SampleText.h"

#include <cmath>

#include "platform/Constants.h"
#include "platform/Cp932.h"
#include "platform/NumberText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsName(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// The value without a comment: '#' at the start or after a blank, outside quotes, starts one.
std::string_view CutComment(std::string_view value) {
    bool quoted = false;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '"') quoted = !quoted;
        if (c == '#' && !quoted && (i == 0 || IsBlank(value[i - 1]))) return value.substr(0, i);
    }
    return value;
}

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

}  // namespace

SampleText SampleText::Parse(std::string_view text, const std::string& file) {
    SampleText result;
    result.file = file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int lineNo = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']') result.Fail(lineNo, "a section line must end in ']'");
            std::string_view name = Trim(line.substr(1, line.size() - 2));
            if (!IsName(name)) result.Fail(lineNo, "malformed section name " + Quoted(name));
            result.sections.push_back({std::string(name), lineNo, {}});
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) result.Fail(lineNo, "expected '[section]' or 'key = value'");
        std::string_view key = Trim(line.substr(0, eq));
        if (!IsName(key)) result.Fail(lineNo, "malformed key " + Quoted(key));
        if (result.sections.empty()) result.Fail(lineNo, "key " + Quoted(key) + " outside a section");
        std::string_view value = Trim(CutComment(line.substr(eq + 1)));
        result.sections.back().entries.push_back({std::string(key), std::string(value), lineNo});
    }
    return result;
}

SampleSectionReader::SampleSectionReader(const SampleText& text, const SampleSection& section)
    : m_text(text), m_section(section), m_used(section.entries.size(), false) {}

bool SampleSectionReader::Has(std::string_view key) const {
    for (const SampleEntry& e : m_section.entries)
        if (e.key == key) return true;
    return false;
}

int SampleSectionReader::LineOf(std::string_view key) const {
    for (const SampleEntry& e : m_section.entries)
        if (e.key == key) return e.line;
    return m_section.line;
}

const SampleEntry* SampleSectionReader::Take(std::string_view key) {
    const SampleEntry* found = nullptr;
    for (size_t i = 0; i < m_section.entries.size(); ++i) {
        const SampleEntry& e = m_section.entries[i];
        if (e.key != key) continue;
        if (found) Fail(e.line, Quoted(key) + " is given twice in [" + m_section.name + "]");
        found = &e;
        m_used[i] = true;
    }
    return found;
}

std::vector<const SampleEntry*> SampleSectionReader::All(std::string_view key) {
    std::vector<const SampleEntry*> found;
    for (size_t i = 0; i < m_section.entries.size(); ++i) {
        if (m_section.entries[i].key != key) continue;
        found.push_back(&m_section.entries[i]);
        m_used[i] = true;
    }
    return found;
}

void SampleSectionReader::Finish() const {
    for (size_t i = 0; i < m_section.entries.size(); ++i)
        if (!m_used[i])
            Fail(m_section.entries[i].line,
                 "unknown key " + Quoted(m_section.entries[i].key) + " in [" + m_section.name + "]");
}

std::vector<std::string> SampleSectionReader::SplitList(const SampleEntry& e, size_t maxElements) const {
    std::vector<std::string> parts;
    std::string_view v = e.value;
    if (Trim(v).empty()) return parts;
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i <= v.size(); ++i) {
        if (i < v.size() && v[i] == '"') quoted = !quoted;
        if (i == v.size() || (v[i] == ',' && !quoted)) {
            parts.emplace_back(Trim(v.substr(start, i - start)));
            start = i + 1;
        }
    }
    if (quoted) Fail(e.line, "unclosed quote in " + Quoted(e.key));
    if (parts.size() > maxElements)
        Fail(e.line, Quoted(e.key) + " takes at most " + std::to_string(maxElements) + " values, not " +
                         std::to_string(parts.size()));
    return parts;
}

int32_t SampleSectionReader::ParseScaled(const SampleEntry& e, std::string_view text, int decimals) const {
    if (text == "unset") return kUnset;
    auto bad = [&](const std::string& why) -> int32_t {
        Fail(e.line, "value " + Quoted(text) + " of " + Quoted(e.key) + " " + why);
    };
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int64_t value = 0;
    int digits = 0, fraction = -1;
    for (char c : s) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9') {
            return decimals ? bad("is not a number") : bad("is not a whole number");
        }
        if (fraction >= 0 && ++fraction > decimals)
            return decimals ? bad("has more than " + std::to_string(decimals) + " decimals")
                            : bad("is not a whole number");
        if (value > 10'000'000'000LL) return bad("is out of range");
        value = value * 10 + (c - '0');
        ++digits;
    }
    if (digits == 0) return bad("is not a number");
    for (int f = fraction < 0 ? 0 : fraction; f < decimals; ++f) value *= 10;
    if (negative) value = -value;
    // The smallest int is the empty value; it is written "unset".
    if (value <= INT32_MIN || value > INT32_MAX) return bad("is out of range");
    return static_cast<int32_t>(value);
}

std::string SampleSectionReader::ParseText(const SampleEntry& e, std::string_view text) const {
    std::string_view s = text;
    std::string out;
    if (!s.empty() && s.front() == '"') {
        if (s.size() < 2 || s.back() != '"') Fail(e.line, "unclosed quote in " + Quoted(e.key));
        s = s.substr(1, s.size() - 2);
        // A doubled quote is one quote of the text; a single one would have ended the value.
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '"') {
                if (i + 1 == s.size() || s[i + 1] != '"') Fail(e.line, "stray quote in " + Quoted(e.key));
                ++i;
            }
            out += s[i];
        }
    } else {
        if (s.find('"') != std::string_view::npos) Fail(e.line, "stray quote in " + Quoted(e.key));
        out = s;
    }
    if (vemo::Cp932ToUtf8(vemo::Utf8ToCp932(out)) != out)
        Fail(e.line, "text " + Quoted(out) + " of " + Quoted(e.key) + " cannot be written in CP932");
    return out;
}

bool SampleSectionReader::Int(std::string_view key, int32_t& out) { return Scaled(key, 0, out); }

void SampleSectionReader::RequiredInt(std::string_view key, int32_t& out) {
    if (!Int(key, out)) Fail(Line(), "[" + m_section.name + "] needs " + Quoted(key));
}

bool SampleSectionReader::Scaled(std::string_view key, int decimals, int32_t& out) {
    const SampleEntry* e = Take(key);
    if (!e) return false;
    out = ParseScaled(*e, e->value, decimals);
    return true;
}

bool SampleSectionReader::Double(std::string_view key, double none, double& out) {
    const SampleEntry* e = Take(key);
    if (!e) return false;
    if (e->value == "none") {
        out = none;
        return true;
    }
    std::optional<double> v = vemo::ParseDouble(e->value);
    if (!v || !std::isfinite(*v)) Fail(e->line, "value " + Quoted(e->value) + " of " + Quoted(key) + " is not a number");
    out = *v;
    return true;
}

bool SampleSectionReader::Text(std::string_view key, std::string& out) {
    const SampleEntry* e = Take(key);
    if (!e) return false;
    out = ParseText(*e, e->value);
    return true;
}

void SampleSectionReader::RequiredText(std::string_view key, std::string& out) {
    if (!Text(key, out)) Fail(Line(), "[" + m_section.name + "] needs " + Quoted(key));
}

void WalkSampleSections(const SampleText& text,
                        std::initializer_list<std::pair<std::string_view, SampleSectionHandler>> handlers) {
    if (text.sections.empty() || text.sections.front().name != "file")
        text.Fail(text.sections.empty() ? 1 : text.sections.front().line, "the text must begin with [file]");
    for (size_t i = 0; i < text.sections.size(); ++i) {
        const SampleSection& s = text.sections[i];
        if (i > 0 && s.name == "file") text.Fail(s.line, "[file] is given twice");
        const SampleSectionHandler* handler = nullptr;
        for (const auto& [name, h] : handlers)
            if (name == s.name) handler = &h;
        if (!handler) text.Fail(s.line, "unknown section [" + s.name + "]");
        SampleSectionReader r(text, s);
        (*handler)(r);
        r.Finish();
    }
}

void RequireSampleRange(SampleSectionReader& r, std::string_view key, int32_t value, int32_t low, int32_t high) {
    if (value < low || value > high)
        r.Fail(r.LineOf(key), std::string(key) + " " + std::to_string(value) + " is outside " + std::to_string(low) +
                                  ".." + std::to_string(high));
}
