// Test support for the tests of report/: XlsTestSupport.
#pragma once
// Template workbooks written as raw XML and zipped here, and a reader of the engine's output that
// uses libzip and pugixml directly, so that the tests do not check the engine with its own code.
#include <pugixml.hpp>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CReportJob;

namespace xlstest {

inline constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

using Parts = std::vector<std::pair<std::string, std::string>>;

std::string ZipParts(const Parts& parts);
std::map<std::string, std::string> Unzip(const std::string& bytes);

// A worksheet: what comes before <sheetData>, the rows, and what follows it.
std::string SheetXml(const std::string& rows, const std::string& after = "", const std::string& before = "");
// Cells for SheetXml: a shared string, an inline string, a number.
std::string SharedCell(const std::string& ref, int index, int style = 0);
std::string InlineCell(const std::string& ref, const std::string& text, int style = 0);
std::string NumberCell(const std::string& ref, const std::string& value, int style = 0);

struct TemplateContent {
    std::vector<std::pair<std::string, std::string>> sheets;  // name, worksheet XML
    std::vector<std::string> sharedStrings;  // <si> contents; empty → no shared string part
    std::string styles;                      // styles part; "" → TestStylesXml()
    std::string definedNames;                // the children of <definedNames>
    bool withStyles = true;                  // false: no styles part at all
};
// Fonts 0–1, fills 0–2, borders 0–1, cell formats 0 (plain), 1 (bold red font, yellow fill, thin
// border, format "#,##0.0"), 2 (right-aligned), 3 (left-aligned).
std::string TestStylesXml();
Parts TemplateParts(const TemplateContent& content);
// The template most tests use:
//  "代価表": A1 "**名称" (format 1), B1 "見出し", B2 "**単位" (inline, format 2), D2 "**備考" (rich text
//    with a phonetic run), C3 "**名称" again, D4 "plain", E4 12.5, F4 "**"; row 1 18 pt high; column A
//    20.5 wide, B:C 9.25 wide with format 2; row 6 with format 3 and no cells; merges D4:E4 and A6:B6;
//    margins, A4 landscape at 85 %, fit to one page wide, a footer, a row break after row 3, a drawing;
//    print area A1:F6 and title row 1.
//  "単価表": A1 "**単価", C3 7; print area A1:C3 and E1:F2.
//  kLongSheetName and kLongJapaneseSheetName: A1 "**名称".
//  "式": A1:A3 1, 2, 3; B1:B3 the shared formula "A1*2+$A$1".
TemplateContent StandardTemplate();
inline const std::string kLongSheetName = "A234567890123456789012345678901";  // 31 characters
inline const std::string kLongJapaneseSheetName = "工事費内訳書工事費内訳書工事費内訳書工事費内訳書工事費内訳書表";
std::string BuildTemplate(const TemplateContent& content);

// A one-page form like the program's: "代価表", A4 portrait fitted to one page, print area A1:H26, with
//  A1:H1 "**表題" (merged, 16 pt Mincho, centred); A2:B2 "**番号" (merged, "第"0"号"); G2 "**ページ"
//  (0"頁"); row 3 headings on a grey fill with thin borders; rows 4–23 the detail lines with named
//  cells in row 4: A "**No", B "**名称" (wraps), C "**規格" (shrinks), D "**数量" (#,##0.0),
//  E "**単位" (centred), F "**単価" and G "**金額" (#,##0;[Red]-#,##0), H "**摘要"; B24 "合　計"
//  (distributed) and G24 "**合計" (double bottom border); A26 "**備考" (no border) and F26 "印";
//  J5 "欄外" outside the print area. Columns A–H are 4, 24, 14, 8, 6, 12, 14, 16 wide.
TemplateContent FormTemplate();
// Fills one page of the form through a report job: page number `page`, 20 detail lines (a long name on
// every seventh, a long 規格 on every fourth, a negative amount on every fifth), the total and a remark.
void FillForm(CReportJob& job, int page);

// The engine's output, read with plain pugixml.
class Output {
public:
    explicit Output(const std::string& xlsxBytes);
    const std::map<std::string, std::string>& Parts() const { return m_parts; }
    std::vector<std::string> SheetNames() const;
    int SheetCount() const { return static_cast<int>(m_sheets.size()); }
    pugi::xml_node Sheet(int index) const;  // the <worksheet> element
    pugi::xml_node Cell(int sheet, const std::string& ref) const;
    // The value of a cell as text: an inline or shared string, or the <v> of a number; "" if none.
    std::string Value(int sheet, const std::string& ref) const;
    bool HasValue(int sheet, const std::string& ref) const;
    // What the cell shows: a number through its cell format's number format, a text as it is.
    std::string Shown(int sheet, const std::string& ref) const;
    int Style(int sheet, const std::string& ref) const;
    std::vector<std::string> Merges(int sheet) const;
    const pugi::xml_document& Workbook() const { return m_workbook; }
    const pugi::xml_document& Styles() const { return m_styles; }
    // The xf elements of cellXfs.
    std::vector<pugi::xml_node> CellFormats() const;

private:
    std::map<std::string, std::string> m_parts;
    pugi::xml_document m_workbook;
    pugi::xml_document m_styles;
    std::vector<std::string> m_shared;
    std::vector<std::pair<std::string, std::unique_ptr<pugi::xml_document>>> m_sheets;
};

}  // namespace xlstest
