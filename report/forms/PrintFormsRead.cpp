// Reading the descriptions of the print forms.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

#include "master/sampledata/SampleText.h"
#include "platform/FileUtil.h"
#include "report/XlsInternal.h"
#include "report/forms/PrintForms.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

const std::set<std::string>& Weights() {
    static const std::set<std::string> weights = {"none", "hair", "thin", "medium", "thick", "double", "dotted", "dashed"};
    return weights;
}

bool IsName(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

// Reads one section's entries in file order; every key must be known to the caller.
class Entries {
public:
    Entries(const SampleText& text, const SampleSection& section) : m_text(text), m_reader(text, section) {}

    SampleSectionReader& Reader() { return m_reader; }
    [[noreturn]] void Fail(int line, const std::string& what) const { m_text.Fail(line, what); }

    std::vector<std::string> List(const SampleEntry& e, size_t most) const {
        std::vector<std::string> parts = m_reader.SplitList(e, most);
        for (std::string& p : parts) p = m_reader.ParseText(e, p);
        return parts;
    }
    std::vector<std::string> Exactly(const SampleEntry& e, size_t least, size_t most) const {
        std::vector<std::string> parts = List(e, most);
        if (parts.size() < least)
            Fail(e.line, Quoted(e.key) + " needs at least " + std::to_string(least) + " values");
        return parts;
    }
    double Number(const SampleEntry& e, const std::string& text, double low, double high) const {
        double value = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size() || text.empty())
            Fail(e.line, "value " + Quoted(text) + " of " + Quoted(e.key) + " is not a number");
        if (value < low || value > high)
            Fail(e.line, "value " + Quoted(text) + " of " + Quoted(e.key) + " is out of range");
        return value;
    }
    int Whole(const SampleEntry& e, const std::string& text, int low, int high) const {
        double value = Number(e, text, low, high);
        if (value != static_cast<int>(value)) Fail(e.line, "value " + Quoted(text) + " of " + Quoted(e.key) + " is not a whole number");
        return static_cast<int>(value);
    }
    bool Flag(const SampleEntry& e, const std::string& text) const {
        if (text != "0" && text != "1") Fail(e.line, Quoted(e.key) + " is 0 or 1, not " + Quoted(text));
        return text == "1";
    }
    XlsRange Range(const SampleEntry& e, const std::string& text) const {
        XlsRange range;
        if (!xls::ParseRangeRef(text, range)) Fail(e.line, Quoted(text) + " is not a cell or range");
        return range;
    }
    uint32_t Colour(const SampleEntry& e, const std::string& text) const {
        uint32_t value = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
        if (text.size() != 6 || ec != std::errc() || end != text.data() + text.size())
            Fail(e.line, Quoted(text) + " is not a colour RRGGBB");
        return value;
    }
    std::string Weight(const SampleEntry& e, const std::string& text) const {
        if (!Weights().count(text)) Fail(e.line, "unknown line weight " + Quoted(text));
        return text == "none" ? std::string() : text;
    }
    std::string OneOf(const SampleEntry& e, const std::string& text, std::initializer_list<const char*> allowed) const {
        for (const char* a : allowed)
            if (text == a) return text;
        Fail(e.line, "unknown value " + Quoted(text) + " of " + Quoted(e.key));
    }
    // A column "B" or run of columns "B:D".
    std::pair<int, int> Columns(const SampleEntry& e, const std::string& text) const {
        auto one = [&](std::string_view s) {
            int row, column;
            if (!xls::ParseCellRef(std::string(s) + "1", row, column)) Fail(e.line, Quoted(text) + " is not a column");
            return column;
        };
        size_t colon = text.find(':');
        if (colon == std::string::npos) return {one(text), one(text)};
        int a = one(std::string_view(text).substr(0, colon)), b = one(std::string_view(text).substr(colon + 1));
        return {std::min(a, b), std::max(a, b)};
    }
    // A row "5" or run of rows "8:27".
    std::pair<int, int> Rows(const SampleEntry& e, const std::string& text) const {
        size_t colon = text.find(':');
        if (colon == std::string::npos) {
            int r = Whole(e, text, 1, xls::kMaxRow);
            return {r, r};
        }
        int a = Whole(e, text.substr(0, colon), 1, xls::kMaxRow), b = Whole(e, text.substr(colon + 1), 1, xls::kMaxRow);
        return {std::min(a, b), std::max(a, b)};
    }

private:
    const SampleText& m_text;
    SampleSectionReader m_reader;
};

SampleText ParseFile(const std::string& name, const PrintFormSourceReader& read) {
    return SampleText::Parse(read(name), name);
}

// ---- styles ----

void ReadStyles(const std::string& file, const PrintFormSourceReader& read, std::map<std::string, PrintFormStyle>& styles) {
    SampleText text = ParseFile(file, read);
    for (const SampleSection& section : text.sections) {
        Entries entries(text, section);
        if (section.name != "style") entries.Fail(section.line, "unknown section [" + section.name + "]");
        PrintFormStyle style;
        bool named = false;
        for (const SampleEntry& e : section.entries) {
            std::vector<std::string> v = entries.Exactly(e, 1, 1);
            const std::string& value = v[0];
            if (e.key == "name") {
                if (named) entries.Fail(e.line, "a style has one name");
                if (!IsName(value)) entries.Fail(e.line, "malformed style name " + Quoted(value));
                if (styles.count(value)) entries.Fail(e.line, "style " + Quoted(value) + " is defined twice");
                named = true;
                style.name = value;
            } else if (!named) {
                entries.Fail(e.line, "a style begins with its name");
            } else if (e.key == "base") {
                auto it = styles.find(value);
                if (it == styles.end()) entries.Fail(e.line, "unknown style " + Quoted(value));
                std::string name = style.name;
                style = it->second;
                style.name = name;
            } else if (e.key == "font") {
                style.font = entries.OneOf(e, value, {"serif", "sans"});
            } else if (e.key == "size") {
                style.size = entries.Number(e, value, 6, 72);
            } else if (e.key == "bold") {
                style.bold = entries.Flag(e, value);
            } else if (e.key == "underline") {
                style.underline = entries.OneOf(e, value, {"none", "single", "double"});
                if (style.underline == "none") style.underline.clear();
            } else if (e.key == "color") {
                style.color = entries.Colour(e, value);
            } else if (e.key == "fill") {
                style.fill = entries.Colour(e, value);
            } else if (e.key == "format") {
                if (!PrintFormNumberFormats().count(value)) entries.Fail(e.line, "unknown number format " + Quoted(value));
                style.format = value;
            } else if (e.key == "align") {
                style.horizontal = entries.OneOf(e, value, {"general", "left", "center", "right", "distributed", "justify", "center_across"});
                if (style.horizontal == "center_across") style.horizontal = "centerContinuous";
            } else if (e.key == "valign") {
                style.vertical = entries.OneOf(e, value, {"top", "center", "bottom"});
            } else if (e.key == "wrap") {
                style.wrap = entries.Flag(e, value);
            } else if (e.key == "shrink") {
                style.shrink = entries.Flag(e, value);
            } else if (e.key == "indent") {
                style.indent = entries.Whole(e, value, 0, 15);
            } else if (e.key == "border") {
                style.left = style.right = style.top = style.bottom = entries.Weight(e, value);
            } else if (e.key == "left") {
                style.left = entries.Weight(e, value);
            } else if (e.key == "right") {
                style.right = entries.Weight(e, value);
            } else if (e.key == "top") {
                style.top = entries.Weight(e, value);
            } else if (e.key == "bottom") {
                style.bottom = entries.Weight(e, value);
            } else {
                entries.Fail(e.line, "unknown key " + Quoted(e.key) + " in [style]");
            }
        }
        if (!named) entries.Fail(section.line, "[style] needs 'name'");
        styles.emplace(style.name, style);
    }
}

// ---- sheets ----

// What a sheet knows of the workbook while it is read.
struct SheetContext {
    const std::map<std::string, PrintFormStyle>& styles;
    std::set<std::string> options;     // switched on for this sheet
    std::set<std::string>& mentioned;  // every option some part names
};

bool IsValidSheetName(const std::string& name) {
    if (name.empty() || xls::Utf16Length(name) > xls::kMaxSheetNameChars) return false;
    if (name.front() == '\'' || name.back() == '\'') return false;
    return name.find_first_of("[]:*?/\\") == std::string::npos;
}

// Cell texts: "\n" is a line break.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void ReadSheetHead(Entries& entries, const SampleSection& section, PrintFormSheet& sheet) {
    bool named = false;
    for (const SampleEntry& e : section.entries) {
        if (e.key == "name") {
            sheet.name = entries.Exactly(e, 1, 1)[0];
            named = true;
        } else if (e.key == "paper") {
            std::string paper = entries.OneOf(e, entries.Exactly(e, 1, 1)[0], {"a4", "a3", "b4"});
            sheet.paperSize = paper == "a4" ? 9 : paper == "a3" ? 8 : 12;
        } else if (e.key == "orientation") {
            sheet.landscape = entries.OneOf(e, entries.Exactly(e, 1, 1)[0], {"portrait", "landscape"}) == "landscape";
        } else if (e.key == "margins") {
            std::vector<std::string> v = entries.Exactly(e, 6, 6);
            double mm[6];
            for (size_t i = 0; i < 6; ++i) mm[i] = entries.Number(e, v[i], 0, 100) / kMillimetresPerInch;
            sheet.margins = {mm[0], mm[1], mm[2], mm[3], mm[4], mm[5]};
        } else if (e.key == "fit") {
            sheet.fitToPage = entries.Flag(e, entries.Exactly(e, 1, 1)[0]);
        } else if (e.key == "center") {
            sheet.centered = entries.Flag(e, entries.Exactly(e, 1, 1)[0]);
        } else if (e.key == "default_height") {
            sheet.defaultHeight = entries.Number(e, entries.Exactly(e, 1, 1)[0], 1, 409);
        } else if (e.key == "print_area") {
            sheet.printArea = entries.Range(e, entries.Exactly(e, 1, 1)[0]);
        } else {
            entries.Fail(e.line, "unknown key " + Quoted(e.key) + " in [sheet]");
        }
    }
    if (!named) entries.Fail(section.line, "[sheet] needs 'name'");
}

// Whether a part applies; every option it names is remembered.
bool PartApplies(Entries& entries, const SampleSection& section, SheetContext& context) {
    bool applies = true;
    for (const SampleEntry& e : section.entries) {
        if (e.key != "when" && e.key != "unless") continue;
        for (const std::string& option : entries.Exactly(e, 1, 16)) {
            if (!IsName(option)) entries.Fail(e.line, "malformed option " + Quoted(option));
            context.mentioned.insert(option);
            bool on = context.options.count(option) > 0;
            if ((e.key == "when") != on) applies = false;
        }
    }
    return applies;
}

struct Placed {
    std::map<std::pair<int, int>, int> cells;    // position → line
    std::map<std::string, int> markers;          // "**name" → line
    std::vector<std::pair<XlsRange, int>> merges;
};

void ReadPart(Entries& entries, const SampleSection& section, const SheetContext& context, PrintFormSheet& sheet,
              Placed& placed) {
    auto style = [&](const SampleEntry& e, const std::string& name) {
        if (!name.empty() && !context.styles.count(name)) entries.Fail(e.line, "unknown style " + Quoted(name));
        return name;
    };
    for (const SampleEntry& e : section.entries) {
        if (e.key == "when" || e.key == "unless") continue;
        if (e.key == "width") {
            std::vector<std::string> v = entries.Exactly(e, 2, 2);
            auto [first, last] = entries.Columns(e, v[0]);
            double width = entries.Number(e, v[1], 0, 255);
            for (int c = first; c <= last; ++c) sheet.widths[c] = width;
        } else if (e.key == "height") {
            std::vector<std::string> v = entries.Exactly(e, 2, 3);
            auto [first, last] = entries.Rows(e, v[0]);
            double height = entries.Number(e, v[1], 0, 409);
            const int step = v.size() > 2 ? entries.Whole(e, v[2], 1, 1000) : 1;
            for (int r = first; r <= last; r += step) sheet.heights[r] = height;
        } else if (e.key == "print_area") {
            sheet.printArea = entries.Range(e, entries.Exactly(e, 1, 1)[0]);
        } else if (e.key == "area") {
            std::vector<std::string> v = entries.Exactly(e, 2, 4);
            if (v.size() == 3) entries.Fail(e.line, "a repeated area needs a count and a step");
            XlsRange range = entries.Range(e, v[0]);
            int count = v.size() > 2 ? entries.Whole(e, v[2], 1, 1000) : 1;
            int step = v.size() > 2 ? entries.Whole(e, v[3], 1, 1000) : 1;
            for (int i = 0; i < count; ++i) {
                XlsRange r = range;
                r.firstRow += i * step;
                r.lastRow += i * step;
                sheet.areas.emplace_back(r, style(e, v[1]));
            }
        } else if (e.key == "cell") {
            std::vector<std::string> v = entries.Exactly(e, 2, 3);
            PrintFormCell cell;
            if (!xls::ParseCellRef(v[0], cell.row, cell.column)) entries.Fail(e.line, Quoted(v[0]) + " is not a cell");
            cell.style = style(e, v[1]);
            cell.text = v.size() > 2 ? Unescape(v[2]) : std::string();
            if (!cell.text.empty() && cell.text.front() == '=')
                entries.Fail(e.line, "formulas are not allowed in a form: " + Quoted(cell.text));
            auto [at, fresh] = placed.cells.emplace(std::pair(cell.row, cell.column), e.line);
            if (!fresh)
                entries.Fail(e.line, "cell " + v[0] + " is given twice (line " + std::to_string(at->second) + ")");
            if (cell.text.size() > 2 && cell.text.compare(0, 2, "**") == 0) {
                auto [m, first] = placed.markers.emplace(cell.text, e.line);
                if (!first)
                    entries.Fail(e.line, "named cell " + Quoted(cell.text) + " is there twice (line " +
                                             std::to_string(m->second) + ")");
            }
            sheet.cells.push_back(cell);
        } else if (e.key == "merge") {
            std::vector<std::string> v = entries.Exactly(e, 1, 3);
            XlsRange range = entries.Range(e, v[0]);
            if (v.size() == 2) entries.Fail(e.line, "a repeated merge needs a count and a step");
            int count = v.size() > 2 ? entries.Whole(e, v[1], 1, 1000) : 1;
            int step = v.size() > 2 ? entries.Whole(e, v[2], 1, 1000) : 1;
            if (range.firstRow == range.lastRow && range.firstColumn == range.lastColumn)
                entries.Fail(e.line, "a merge needs more than one cell");
            for (int i = 0; i < count; ++i) {
                XlsRange r = range;
                r.firstRow += i * step;
                r.lastRow += i * step;
                for (auto& [other, line] : placed.merges)
                    if (xls::Overlaps(r, other))
                        entries.Fail(e.line, "merge " + xls::RangeRef(r) + " overlaps " + xls::RangeRef(other) +
                                                 " (line " + std::to_string(line) + ")");
                placed.merges.emplace_back(r, e.line);
                sheet.merges.push_back(r);
            }
        } else if (e.key == "frame" || e.key == "vlines" || e.key == "hlines") {
            std::vector<std::string> v = entries.Exactly(e, 2, e.key == "hlines" ? 3 : 2);
            PrintFormLines lines;
            lines.kind = e.key == "frame" ? PrintFormLines::frame : e.key == "vlines" ? PrintFormLines::vlines : PrintFormLines::hlines;
            lines.range = entries.Range(e, v[0]);
            lines.weight = entries.Weight(e, v[1]);
            if (v.size() > 2) lines.step = entries.Whole(e, v[2], 1, 100);
            sheet.lines.push_back(lines);
        } else if (e.key == "line") {
            std::vector<std::string> v = entries.Exactly(e, 3, 3);
            PrintFormLines lines;
            lines.kind = PrintFormLines::side;
            lines.range = entries.Range(e, v[0]);
            lines.edge = entries.OneOf(e, v[1], {"left", "right", "top", "bottom"});
            lines.weight = entries.Weight(e, v[2]);
            sheet.lines.push_back(lines);
        } else {
            entries.Fail(e.line, "unknown key " + Quoted(e.key) + " in [part]");
        }
    }
}

PrintFormSheet ReadSheet(const std::string& file, const PrintFormSourceReader& read, SheetContext& context) {
    SampleText text = ParseFile(file, read);
    PrintFormSheet sheet;
    sheet.file = file;
    Placed placed;
    bool head = false;
    for (const SampleSection& section : text.sections) {
        Entries entries(text, section);
        if (section.name == "sheet") {
            if (head) entries.Fail(section.line, "a sheet has one [sheet]");
            ReadSheetHead(entries, section, sheet);
            head = true;
        } else if (section.name == "part") {
            if (!head) entries.Fail(section.line, "[part] before [sheet]");
            if (PartApplies(entries, section, context)) ReadPart(entries, section, context, sheet, placed);
        } else {
            entries.Fail(section.line, "unknown section [" + section.name + "]");
        }
    }
    if (!head) text.Fail(0, "no [sheet] section");
    // Text belongs in the first cell of a merge.
    for (const PrintFormCell& cell : sheet.cells) {
        if (cell.text.empty()) continue;
        for (auto& [merge, line] : placed.merges)
            if (merge.Contains(cell.row, cell.column) &&
                (cell.row != merge.firstRow || cell.column != merge.firstColumn))
                text.Fail(placed.cells[{cell.row, cell.column}],
                          "text in " + xls::CellRef(cell.row, cell.column) + " is hidden by the merge " +
                              xls::RangeRef(merge) + " (line " + std::to_string(line) + ")");
    }
    return sheet;
}

}  // namespace

const std::map<std::string, std::string>& PrintFormNumberFormats() {
    static const std::map<std::string, std::string> formats = {
        {"general", "General"},
        {"text", "@"},
        {"integer", "0"},
        // Numbers stand a blank's width off the right edge of their cell.
        {"number", "General_ "},
        {"amount", "#,##0_ "},
        // 摘要: a negative amount (a part of the row's amount) is shown in brackets.
        {"remark", "#,##0_ ;\"( \"#,##0\" )\";0_ ;@"},
        {"quantity2", "#,##0.00_ "},
        {"quantity3", "#,##0.000_ "},
        {"rate3", "0.000_ "},
        {"rate4", "0.0000_ "},
        {"coefficient", "0.00_ "},
        {"percent", "0.00%_ "},
        {"page", "\"- \"0\" -\""},
    };
    return formats;
}

PrintFormBook ParsePrintForm(const std::string& file, const PrintFormSourceReader& read) {
    SampleText text = ParseFile(file, read);
    PrintFormBook book;
    book.source = file;
    std::set<std::string> options, mentioned;
    int optionsLine = 0;
    struct SheetEntry {
        std::string file, name;
        std::set<std::string> options;
        int line;
    };
    std::vector<SheetEntry> sheets;
    bool head = false;
    for (const SampleSection& section : text.sections) {
        Entries entries(text, section);
        if (section.name == "workbook") {
            if (head) entries.Fail(section.line, "a description has one [workbook]");
            head = true;
            bool named = false, styled = false;
            for (const SampleEntry& e : section.entries) {
                if (e.key == "file") {
                    book.file = entries.Exactly(e, 1, 1)[0];
                    if (book.file.find('/') != std::string::npos || vemo::ExtensionOf(book.file) != ".xlsx")
                        entries.Fail(e.line, "the file is a name ending in .xlsx");
                    named = true;
                } else if (e.key == "colour") {
                    book.colour = entries.Flag(e, entries.Exactly(e, 1, 1)[0]);
                } else if (e.key == "styles") {
                    ReadStyles(entries.Exactly(e, 1, 1)[0], read, book.styles);
                    styled = true;
                } else if (e.key == "options") {
                    for (const std::string& o : entries.List(e, 64)) {
                        if (!IsName(o)) entries.Fail(e.line, "malformed option " + Quoted(o));
                        options.insert(o);
                    }
                    optionsLine = e.line;
                } else if (e.key == "sheet") {
                    std::vector<std::string> v = entries.Exactly(e, 1, 16);
                    SheetEntry s{v[0], v.size() > 1 ? v[1] : std::string(), {}, e.line};
                    for (size_t i = 2; i < v.size(); ++i) {
                        if (!IsName(v[i])) entries.Fail(e.line, "malformed option " + Quoted(v[i]));
                        s.options.insert(v[i]);
                    }
                    sheets.push_back(s);
                } else {
                    entries.Fail(e.line, "unknown key " + Quoted(e.key) + " in [workbook]");
                }
            }
            if (!named) entries.Fail(section.line, "[workbook] needs 'file'");
            if (!styled) entries.Fail(section.line, "[workbook] needs 'styles'");
        } else if (section.name == "twin") {
            if (book.twin) entries.Fail(section.line, "a description has one [twin]");
            std::array<std::string, 25> lines;
            size_t count = 0;
            for (const SampleEntry& e : section.entries) {
                if (e.key != "line") entries.Fail(e.line, "unknown key " + Quoted(e.key) + " in [twin]");
                if (count == lines.size()) entries.Fail(e.line, "a twin has 25 lines");
                std::vector<std::string> v = entries.Reader().SplitList(e, 1);
                lines[count++] = v.empty() ? std::string() : entries.Reader().ParseText(e, v[0]);
            }
            if (count != lines.size())
                entries.Fail(section.line, "a twin has 25 lines, not " + std::to_string(count));
            book.twin = lines;
        } else {
            entries.Fail(section.line, "unknown section [" + section.name + "]");
        }
    }
    if (!head) text.Fail(0, "no [workbook] section");
    if (sheets.empty()) text.Fail(0, "a workbook needs a sheet");

    std::set<std::string> names;
    for (const SheetEntry& s : sheets) {
        std::set<std::string> own = options;
        own.insert(s.options.begin(), s.options.end());
        std::set<std::string> mentionedHere;
        SheetContext context{book.styles, own, mentionedHere};
        PrintFormSheet sheet = ReadSheet(s.file, read, context);
        for (const std::string& o : s.options)
            if (!mentionedHere.count(o)) text.Fail(s.line, "option " + Quoted(o) + " is not used by " + s.file);
        mentioned.insert(mentionedHere.begin(), mentionedHere.end());
        if (!s.name.empty()) sheet.name = s.name;
        if (!IsValidSheetName(sheet.name)) text.Fail(s.line, "sheet name " + Quoted(sheet.name) + " cannot be used");
        if (!names.insert(xls::FoldAsciiCase(sheet.name)).second)
            text.Fail(s.line, "sheet " + Quoted(sheet.name) + " is there twice");
        book.sheets.push_back(std::move(sheet));
    }
    for (const std::string& o : options)
        if (!mentioned.count(o)) text.Fail(optionsLine, "option " + Quoted(o) + " is not used by any sheet");
    return book;
}

std::vector<PrintFormBook> LoadPrintForms(const std::string& sourceFolder) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sourceFolder, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".form") files.push_back(entry.path().filename().string());
    if (ec) throw SampleTextError(sourceFolder, 0, "cannot list the folder: " + ec.message());
    std::sort(files.begin(), files.end());
    PrintFormSourceReader read = [&](const std::string& name) {
        std::string bytes;
        if (vemo::ReadWholeFile(vemo::JoinPath(sourceFolder, name), vemo::kDataFileLimit, bytes) != vemo::ReadResult::read)
            throw SampleTextError(name, 0, "cannot read the file");
        return bytes;
    };
    std::vector<PrintFormBook> books;
    std::set<std::string> outputs;
    for (const std::string& file : files) {
        books.push_back(ParsePrintForm(file, read));
        if (!outputs.insert(books.back().file).second)
            throw SampleTextError(file, 0, "another description writes " + books.back().file + " too");
    }
    return books;
}
