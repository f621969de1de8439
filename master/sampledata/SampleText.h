#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The readable text form of the sample master data: sections of named values.
//
//   # a comment line
//   [section]
//   key = value            # a comment after a blank
//   list = 1, 2, , unset   # lists are separated by commas; an empty element keeps the default
//   text = "  kept as is " # quotes keep blanks, '#' and commas
//   text = "a ""b"" c"     # inside quotes a doubled quote stands for one: a "b" c
//
// A double quote belongs to a value only inside a quoted one, written twice; a lone quote inside
// it, or any quote in an unquoted value, is refused.
//
// Every problem is reported as "file:line: what" through SampleTextError.

class SampleTextError : public std::runtime_error {
public:
    SampleTextError(const std::string& file, int line, const std::string& what)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

// One "key = value" line.
struct SampleEntry {
    std::string key;
    std::string value;  // comment and surrounding blanks removed, quotes still there
    int line = 0;
};

// One "[name]" section with its entries.
struct SampleSection {
    std::string name;
    int line = 0;
    std::vector<SampleEntry> entries;
};

// A whole text split into sections. Blank lines and comment lines are skipped; a key outside any
// section, a line that is neither a section nor "key = value", and a malformed key are errors.
struct SampleText {
    std::string file;  // name used in messages
    std::vector<SampleSection> sections;

    static SampleText Parse(std::string_view text, const std::string& file);
    [[noreturn]] void Fail(int line, const std::string& what) const { throw SampleTextError(file, line, what); }
};

// Reads the values of one section. Every getter marks its key as used; Finish() then refuses the keys
// no getter asked for. Optional getters leave the target alone when the key is missing; required ones
// report the missing key at the section's line. A key may appear once unless read with All().
class SampleSectionReader {
public:
    SampleSectionReader(const SampleText& text, const SampleSection& section);

    const SampleSection& Section() const { return m_section; }
    int Line() const { return m_section.line; }
    [[noreturn]] void Fail(int line, const std::string& what) const { m_text.Fail(line, what); }

    bool Has(std::string_view key) const;
    // Line of the key's first entry; the section's line when the key is missing.
    int LineOf(std::string_view key) const;

    // A whole number, or "unset".
    bool Int(std::string_view key, int32_t& out);
    void RequiredInt(std::string_view key, int32_t& out);
    // A decimal number stored scaled by 10^decimals ("1.25" with 2 decimals is 125), or "unset". More
    // decimals than the scale holds is an error, not a rounding.
    bool Scaled(std::string_view key, int decimals, int32_t& out);
    // A number of the C locale, or "none" for the given none value.
    bool Double(std::string_view key, double none, double& out);
    // A text; it must be expressible in CP932, the encoding of the files.
    bool Text(std::string_view key, std::string& out);
    void RequiredText(std::string_view key, std::string& out);

    // Lists fill the array from the front; an empty element leaves that element as it was; more
    // elements than the array holds is an error.
    template <size_t N>
    bool IntList(std::string_view key, std::array<int32_t, N>& out) {
        return ScaledList(key, 0, out);
    }
    template <size_t N>
    bool ScaledList(std::string_view key, int decimals, std::array<int32_t, N>& out) {
        const SampleEntry* e = Take(key);
        if (!e) return false;
        auto parts = SplitList(*e, N);
        for (size_t i = 0; i < parts.size(); ++i)
            if (!parts[i].empty()) out[i] = ParseScaled(*e, parts[i], decimals);
        return true;
    }
    template <size_t N>
    bool TextList(std::string_view key, std::array<std::string, N>& out) {
        const SampleEntry* e = Take(key);
        if (!e) return false;
        auto parts = SplitList(*e, N);
        for (size_t i = 0; i < parts.size(); ++i)
            if (!parts[i].empty()) out[i] = ParseText(*e, parts[i]);
        return true;
    }

    // Every entry of a key that may repeat, in file order.
    std::vector<const SampleEntry*> All(std::string_view key);

    // The elements of a list value, unquoted only where quoted; at most maxElements.
    std::vector<std::string> SplitList(const SampleEntry& e, size_t maxElements) const;
    int32_t ParseScaled(const SampleEntry& e, std::string_view text, int decimals) const;
    std::string ParseText(const SampleEntry& e, std::string_view text) const;

    // Refuses every key that no getter asked for.
    void Finish() const;

private:
    const SampleEntry* Take(std::string_view key);

    const SampleText& m_text;
    const SampleSection& m_section;
    std::vector<bool> m_used;
};

// Reads one section; unknown keys are refused after it returns.
using SampleSectionHandler = std::function<void(SampleSectionReader&)>;

// Walks the sections: the first must be [file], every other one must have a handler. Each section's
// unknown keys are refused once its handler has read what it knows.
void WalkSampleSections(const SampleText& text,
                        std::initializer_list<std::pair<std::string_view, SampleSectionHandler>> handlers);

// Refuses a value outside low..high, naming its key and line.
void RequireSampleRange(SampleSectionReader& r, std::string_view key, int32_t value, int32_t low, int32_t high);
