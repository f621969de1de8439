#pragma once
// The state of the report engine, shared by its source files.
#include <functional>
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
    std::string name;                    // given when the page ends
    pugi::xml_document changed;          // the rows this page changed: copies of the template's, or new ones
    pugi::xml_node data;                 // their parent in changed
    std::map<int, pugi::xml_node> rows;  // those rows by their number on the page
    std::vector<XlsRange> merges;        // at first the template's
    std::string dimension;               // the used range, given when the page ends
    long cells = 0;                      // the cells this page adds to the output
    // Rows copied in: the template row each block follows → how many rows the block holds. The
    // template's rows below a block stand that many rows lower on the page; they stay shared.
    std::map<int, int> inserted;

    // Where a row of the template stands on the page.
    int PageRow(int templateRow) const;
    // The row of the template that stands at a row of the page; 0 for a row copied in.
    int TemplateRow(int pageRow) const;
    // The template row at a row of the page, or for a row copied in the template row its block follows.
    int Anchor(int pageRow) const;
    // The <row> shown at a row of the page: the page's own, else the template's (numbered as in the
    // template); null for none.
    pugi::xml_node RowAt(int pageRow) const;
};

// A reference text ("A1", "$A$1:$G$33", "B6:C7 E2", "$1:$3") with every row number mapped; a number
// mapped past the last row of a sheet becomes that row.
std::string MappedRows(std::string_view text, const std::function<int(int)>& map);

// Inserts a new child of a worksheet where the schema's order wants it.
pugi::xml_node InsertWorksheetChild(pugi::xml_node worksheet, const char* name);
// A node the tree could make; pugixml gives an empty one when memory runs out, which is thrown here.
pugi::xml_node Made(pugi::xml_node node);
// Gives a <row> and its cells another row number.
void Renumber(pugi::xml_node row, int number);
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
    std::map<std::pair<int, std::string>, int> variantXf;  // (format, "attribute=value") → format

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

    // A named cell of the open page where its row went, or an address; false for neither.
    bool Locate(std::string_view name, int& row, int& column) const;
    pugi::xml_node Cell(int row, int column);  // found or created on the open page
    int StyleAt(int row, int column) const;    // the format a cell of the open page shows
    bool BorderSide(int xf, const char* side) const;  // whether a cell format draws that side
    void RepeatRows(int first, int last, int times);
    void Select(const XlsRange& range);
    // The format xf as change makes it from a copy of its <xf>, made once for each key (the change).
    int VariantFormat(int xf, const std::string& key, const std::function<void(pugi::xml_node)>& change);
    // The format xf with one attribute of its alignment changed ("" removes it), made once.
    int AlignedFormat(int xf, const char* attribute, const std::string& value);
    // The id of a number format code: a built-in one's, a custom one's, or a custom one added.
    int NumberFormatId(const std::string& code);
    // The format xf with a number format showing that many decimals (XlsFormatWithDecimals), made once.
    int DecimalsFormat(int xf, int decimals, bool grouped);
    // Every cell of the selection given the format that format makes of its own; a selection past
    // the cells one call restyles is refused (badPosition).
    void Restyle(const std::function<int(int)>& format);
    // Every cell of the selection given that alignment; a null value is refused (badValue).
    void Align(const char* attribute, const char* value);
    void Join(bool merge);

    bool BuildParts(std::vector<std::pair<std::string, std::string>>& parts, bool allowEmpty);
};
