#pragma once
// The state of the report engine, shared by its source files.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "report/XlsInternal.h"
#include "report/XlsReportEngine.h"

namespace xls {

// A worksheet of the template, prepared once. Pages share it: each holds only the rows it changes
// and its own merges and used range.
struct TemplateSheet {
    std::string name;
    pugi::xml_document doc;              // without <dimension> and <mergeCells>, which every page gives
    std::map<int, pugi::xml_node> rows;  // the <row> elements of doc by number
    std::vector<XlsRange> merges;
    XlsRange used;                       // of the cells; firstRow 0 when there are none
    int cellCount = 0;
    std::vector<std::string> printArea;    // areas without sheet name ("$A$1:$K$40")
    std::vector<std::string> printTitles;  // "$1:$3", "$A:$B"
    // Named cells, indexed when the first page of this sheet begins.
    bool indexed = false;
    std::unordered_map<std::string, std::pair<int, int>> names;  // "**name" → row, column
    std::vector<std::pair<int, int>> nameCells;                  // every "**" cell, shown blank
};

struct OutputPage {
    const TemplateSheet* sheet = nullptr;
    std::string name;         // given when the page ends
    pugi::xml_document changed;          // the rows this page changed: copies of the template's, or new ones
    pugi::xml_node data;                 // their parent in changed
    std::map<int, pugi::xml_node> rows;  // those rows by number
    std::vector<XlsRange> merges;        // at first the template's
    std::string dimension;               // the used range, given when the page ends
};

// Inserts a new child of a worksheet where the schema's order wants it.
pugi::xml_node InsertWorksheetChild(pugi::xml_node worksheet, const char* name);
// A node the tree could make; pugixml gives an empty one when memory runs out, which is thrown here.
pugi::xml_node Made(pugi::xml_node node);
// The worksheet of a page: the template's with the page's rows, merges and used range.
std::string PageXml(const OutputPage& page, bool shownFirst);

}  // namespace xls

struct CXlsReportEngine::Impl {
    std::string templatePath;
    std::string failure;
    XlsViewOptions view;
    int errorNo = 0;

    // The open template; open is false when none is (or the last one failed).
    bool open = false;
    std::vector<std::unique_ptr<xls::TemplateSheet>> sheets;
    std::vector<std::string> sharedTexts;  // texts of the shared strings, for finding names
    pugi::xml_document sharedStrings;      // empty when the template has none
    pugi::xml_document styles;
    std::string themeBytes;                // "" when the template has no theme
    pugi::xml_document workbookPr;         // the template's <workbookPr>, if any
    std::map<std::string, int> xfIndex;    // a serialised cell format → its index in cellXfs
    std::map<std::pair<int, std::string>, int> alignedXf;  // (format, alignment) → format

    // The output.
    std::vector<std::unique_ptr<xls::OutputPage>> pages;
    std::unique_ptr<xls::OutputPage> current;
    long outputCells = 0;  // the cells of the ended pages and the open one, against kMaxOutputCells
    bool outputFull = false;  // a page was refused because the output reached that limit
    std::unordered_set<std::string> takenNames;            // sheet names in use, ASCII letters folded
    std::unordered_map<std::string, int> nextSuffix;       // template sheet → the next " (n)" to try
    bool selected = false;
    XlsRange selection;

    void Reset();
    XlsOpenError Load();
    void IndexNames(xls::TemplateSheet& sheet);
    void Begin(std::string_view sheetName);
    void End();
    std::string UniqueSheetName(const std::string& base);

    pugi::xml_node Cell(int row, int column);  // found or created on the open page
    void Select(const XlsRange& range);
    int AlignedFormat(int xf, const std::string& horizontal);
    void Join(bool merge);

    bool BuildParts(std::vector<std::pair<std::string, std::string>>& parts, bool allowEmpty);
};
