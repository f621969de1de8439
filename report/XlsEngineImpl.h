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

// A worksheet of the template, prepared once so that every page can copy it as it is.
struct TemplateSheet {
    std::string name;
    pugi::xml_document doc;
    std::vector<std::string> printArea;    // areas without sheet name ("$A$1:$K$40")
    std::vector<std::string> printTitles;  // "$1:$3", "$A:$B"
    // Named cells, indexed when the first page of this sheet begins.
    bool indexed = false;
    std::unordered_map<std::string, std::pair<int, int>> names;  // "**name" → row, column
    std::vector<std::pair<int, int>> nameCells;                  // every "**" cell, shown blank
};

struct OutputPage {
    const TemplateSheet* sheet = nullptr;
    std::string name;  // given when the page ends
    pugi::xml_document doc;
    std::map<int, pugi::xml_node> rows;  // <row> elements by row number
    std::vector<std::string> printArea;    // the sheet's, moved with the rows copied in
    std::vector<std::string> printTitles;
    // Rows copied in, in order: (the row they follow, how many), so that a named cell of the
    // template is found where its row went.
    std::vector<std::pair<int, int>> insertions;
    int PageRow(int templateRow) const {
        for (auto [after, count] : insertions)
            if (templateRow > after) templateRow += count;
        return templateRow;
    }
};

// Inserts a new child of a worksheet where the schema's order wants it.
pugi::xml_node InsertWorksheetChild(pugi::xml_node worksheet, const char* name);

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
    std::map<std::pair<int, std::string>, int> alignedXf;  // (format, "attribute=value") → format

    // The output.
    std::vector<std::unique_ptr<xls::OutputPage>> pages;
    std::unique_ptr<xls::OutputPage> current;
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
    // The format xf with one attribute of its alignment changed ("" removes it), made once.
    int AlignedFormat(int xf, const char* attribute, const std::string& value);
    // Every cell of the selection given that alignment; a null value is refused (badValue).
    void Align(const char* attribute, const char* value);
    void Join(bool merge);

    bool BuildParts(std::vector<std::pair<std::string, std::string>>& parts, bool allowEmpty);
};
