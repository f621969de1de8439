#pragma once
// Helpers shared by the engine's source files: cell addresses, cell texts, numbers, XML and the
// package (the zip archive and the parts of a workbook). Not part of the engine's interface.
#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/XlsWorkbook.h"

namespace xls {

constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;
constexpr size_t kMaxCellChars = 32767;  // UTF-16 units, as Excel counts
constexpr size_t kMaxSheetNameChars = 31;

constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// ---- addresses ----
// "B3", "$B$3", "b3" → row 3, column 2. False for anything else or beyond the sheet.
bool ParseCellRef(std::string_view text, int& row, int& column);
std::string ColumnLetters(int column);
std::string CellRef(int row, int column);
std::string RangeRef(const XlsRange& range);  // "A1" for one cell, else "A1:C4"
// "A1:C4", "A1", with or without "$". False otherwise.
bool ParseRangeRef(std::string_view text, XlsRange& range);
bool Overlaps(const XlsRange& a, const XlsRange& b);

// ---- texts ----
// A cell text as stored: invalid UTF-8 becomes U+FFFD, characters XML cannot carry (and a carriage
// return, which XML readers would drop) become "_xHHHH_", a literal "_xHHHH_" is protected as
// "_x005F_xHHHH_"; cut at 32,767 UTF-16 units without splitting a pair.
std::string EscapeCellText(std::string_view utf8);
// The reverse of the "_xHHHH_" escapes.
std::string UnescapeCellText(std::string_view stored);
// Number of UTF-16 units of a UTF-8 text, and the text cut to at most n of them.
size_t Utf16Length(std::string_view utf8);
std::string CutUtf16(std::string_view utf8, size_t n);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
std::string FoldAsciiCase(std::string_view text);

// A number as stored in a cell: an integer when the value equals its 32-bit truncation, else the
// shortest text that reads back equal. Nothing for NaN and infinities.
std::optional<std::string> NumberText(double value);

// A sheet name for a formula: always quoted, apostrophes doubled.
std::string QuoteSheetName(std::string_view name);
// The areas of a print-area formula ("'S'!$A$1:$B$2,'S'!$D$1:$E$2") without their sheet names.
std::vector<std::string> FormulaAreas(std::string_view formula);
// Moves the relative references of a formula by the given rows and columns (for shared formulas).
std::string ShiftFormula(std::string_view formula, int rows, int columns);

// ---- colours ----
// A colour of Excel's standard palette of indexed colours (0–63), as 0xFFRRGGBB; black otherwise.
uint32_t StandardPaletteColor(int index);

// ---- XML ----
inline constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;
// Serialised with the standard declaration.
std::string XmlBytes(const pugi::xml_document& doc);
std::string_view LocalName(const char* name);
bool IsElement(pugi::xml_node node, std::string_view local);
pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view local);
// An attribute by its local name ("r:id", "x:id" → "id" with a prefix).
pugi::xml_attribute PrefixedAttribute(pugi::xml_node node, std::string_view local);
// Gives the elements of the document's root prefix ("x:worksheet") their local names, so that the
// rest of the engine sees unprefixed SpreadsheetML.
void DropRootPrefix(pugi::xml_document& doc);
// The text of a shared string item or an inline string (<si>, <is>): runs joined, phonetic runs left
// out, escapes kept.
std::string StringItemText(pugi::xml_node item);
int IntAttribute(pugi::xml_node node, const char* name, int fallback);
double DoubleAttribute(pugi::xml_node node, const char* name, double fallback);
bool BoolAttribute(pugi::xml_node node, const char* name, bool fallback);
// The number of child elements of a node with the given local name.
int CountChildren(pugi::xml_node parent, std::string_view local);

// ---- limits ----
// What is read of a workbook, checked before anything is inflated or allocated.
struct ReadLimits {
    uint64_t fileBytes;  // the archive file
    uint64_t partBytes;  // the parts inflated, together
    uint64_t treeBytes;  // the XML trees of the parts parsed, together, as estimated before parsing
    int depth;           // elements nested in a part
    int rows;            // rows of a sheet
    int cells;           // cells of a sheet
    int styles;          // entries of each list of the styles part (fonts, fills, borders, number and cell formats)
};
// A print form, or any workbook the engine did not write itself. A real form is a file of some
// 30 KB whose parts inflate to a few hundred KB, with sheets of a hundred rows, a thousand cells
// and a few hundred formats, nested ten deep; these limits are far above that.
inline constexpr ReadLimits kFormLimits{uint64_t{32} << 20, uint64_t{64} << 20, uint64_t{64} << 20, 64, 65536, 100000, 64000};
// The engine's own output, made from a template that kept the form limits.
inline constexpr ReadLimits kNoLimits{UINT64_MAX, UINT64_MAX, UINT64_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
// Whether a sheet's data holds no more rows and cells than the limits allow, counted before anything
// is built for them; the reason ("more than 65536 rows") when not.
bool WithinSheetCounts(pugi::xml_node sheetData, const ReadLimits& limits, std::string& why);

// ---- package ----
// The parts of a workbook: the entries of a zip archive, each inflated only when it is read, or parts
// held in memory. Every part read counts against the limits.
class Package {
public:
    explicit Package(const ReadLimits& limits = kNoLimits);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // Lists the entries of an archive (its bytes are kept while the package lives); nothing is
    // inflated. notZip for what is no archive, tooLarge for one with too many entries.
    XlsOpenError OpenArchive(std::string bytes, std::string* detail);
    // A part held in memory.
    void Add(std::string name, std::string bytes);

    // By its exact name, then ignoring ASCII case.
    bool Has(std::string_view name) const;
    // The bytes of a part, inflated when first read and kept. Null when the part is missing
    // (missingPart), larger than what remains of the limit (tooLarge, "entry too large: <name>"), or
    // damaged (notZip, "damaged entry <name>").
    const std::string* Read(std::string_view name, XlsOpenError& error, std::string* detail);
    // Parses a part as XML: its tree is estimated from its bytes before parsing and counted against
    // the limit, its depth checked after. The bytes are let go afterwards. The reason names the part.
    XlsOpenError Parse(std::string_view name, pugi::xml_document& doc, std::string* detail);
    // Parses bytes that are no part of the package (the default styles), under the same limits.
    XlsOpenError ParseBytes(const std::string& bytes, std::string_view name, pugi::xml_document& doc,
                            std::string* detail);
    const ReadLimits& Limits() const { return m_limits; }

private:
    struct Entry {
        std::string name;
        uint64_t index = 0;
        uint64_t size = 0;
        bool inMemory = false;
        bool held = false;  // bytes holds the part
        std::string bytes;
    };
    const Entry* Find(std::string_view name) const;
    Entry* Find(std::string_view name);

    ReadLimits m_limits;
    std::vector<Entry> m_entries;
    std::string m_archiveBytes;
    void* m_archive = nullptr;  // zip_t
    uint64_t m_inflated = 0;
    uint64_t m_trees = 0;
};

// Builds an archive of the parts, in order.
bool WriteZip(const std::vector<std::pair<std::string, std::string>>& parts, std::string& bytes,
              std::string* detail);

// A part name resolved against the folder of the part that names it ("xl/", "worksheets/a.xml").
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);

struct Relationship {
    std::string type;    // the full type URI
    std::string target;  // a part name, resolved
    bool external = false;
};
// The relationships of a part, by id. Missing rels: none. The reason when the rels part is refused.
XlsOpenError ReadRelationships(Package& package, std::string_view sourcePart,
                               std::map<std::string, Relationship>& out, std::string* detail);
bool TypeIs(const Relationship& rel, std::string_view suffix);  // "/worksheet", "/styles", …

// The workbook part of a package and what it names.
struct WorkbookParts {
    struct Sheet {
        std::string name;
        std::string part;    // "" for a sheet that is not a worksheet (a chart sheet)
        bool hidden = false;
    };
    std::string workbookPart;
    pugi::xml_document workbook;  // prefix dropped
    std::vector<Sheet> sheets;    // in the workbook's order (the localSheetId of defined names)
    std::string stylesPart;       // "" when none
    std::string sharedStringsPart;
    std::string themePart;
};
XlsOpenError LocateWorkbook(Package& package, WorkbookParts& parts, std::string* detail);
// The model of a whole package, within the package's limits.
XlsOpenError ReadPackageModel(Package& package, XlsWorkbook& out, std::string* detail);

// ---- styles ----
// Colours of the theme (lt1, dk1, lt2, dk2, accent1–6, hlink, folHlink in the order style indices use).
// Colours of the standard theme where the theme part (its root, null when none) gives none.
std::vector<uint32_t> ThemeColors(pugi::xml_node theme);
// Refused (tooLarge, the reason in detail) when a list has more entries than the limit.
XlsOpenError CheckStyleCounts(pugi::xml_node styleSheet, const ReadLimits& limits, std::string_view part,
                              std::string* detail);
XlsStyles ReadStyles(pugi::xml_node styleSheet, const std::vector<uint32_t>& theme);
// The built-in number format of an id ("" when the id has none).
std::string BuiltInNumberFormat(int id);

// The minimal styles part of a workbook that has none.
std::string DefaultStylesXml();

}  // namespace xls
