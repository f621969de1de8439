// Pages: copies of template sheets, their named cells and their names in the workbook.
#include <climits>
#include <cstdlib>

#include "report/XlsEngineImpl.h"

using namespace xls;

namespace {

// The text a template cell shows, for finding names; "" for numbers and formulas.
std::string CellText(pugi::xml_node c, const std::vector<std::string>& shared) {
    std::string_view type(c.attribute("t").value());
    if (type == "s") {
        pugi::xml_node v = FirstChild(c, "v");
        char* end = nullptr;
        long i = std::strtol(v.text().get(), &end, 10);
        if (!v || *end || i < 0 || static_cast<size_t>(i) >= shared.size()) return {};
        return shared[static_cast<size_t>(i)];
    }
    if (type == "inlineStr") return UnescapeCellText(StringItemText(FirstChild(c, "is")));
    return {};
}

// A cell shown blank: only its address and format stay.
void Blank(pugi::xml_node c) {
    while (c.first_child()) c.remove_child(c.first_child());
    for (pugi::xml_attribute a = c.first_attribute(); a;) {
        pugi::xml_attribute next = a.next_attribute();
        std::string_view n(a.name());
        if (n != "r" && n != "s") c.remove_attribute(a);
        a = next;
    }
}

}  // namespace

void CXlsReportEngine::Impl::IndexNames(TemplateSheet& sheet) {
    sheet.indexed = true;
    pugi::xml_node data = FirstChild(sheet.doc.document_element(), "sheetData");
    // Rows and cells are in order, so the first cell of a name in row order is met first.
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling())
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!IsElement(c, "c")) continue;
            std::string text = CellText(c, sharedTexts);
            int row, col;
            if (text.size() <= 2 || text.compare(0, 2, "**") != 0 || !ParseCellRef(c.attribute("r").value(), row, col))
                continue;
            sheet.nameCells.emplace_back(row, col);
            sheet.names.emplace(std::move(text), std::pair(row, col));
        }
}

void CXlsReportEngine::Impl::Begin(std::string_view sheetName) {
    current.reset();
    selected = false;
    if (!open) {
        errorNo = static_cast<int>(XlsErrorNo::noWorkbook);
        return;
    }
    TemplateSheet* sheet = nullptr;
    for (auto& s : sheets)
        if (s->name == sheetName) sheet = s.get();
    if (!sheet)
        for (auto& s : sheets)
            if (EqualsIgnoringAsciiCase(s->name, sheetName)) sheet = s.get();
    if (!sheet) {
        errorNo = static_cast<int>(XlsErrorNo::noSheet);
        return;
    }
    if (!sheet->indexed) IndexNames(*sheet);
    auto page = std::make_unique<OutputPage>();
    page->sheet = sheet;
    page->doc.reset(sheet->doc);
    pugi::xml_node data = FirstChild(page->doc.document_element(), "sheetData");
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling())
        if (IsElement(r, "row")) page->rows.emplace(IntAttribute(r, "r", 0), r);
    page->printArea = sheet->printArea;
    page->printTitles = sheet->printTitles;
    current = std::move(page);
    for (auto [row, col] : sheet->nameCells) Blank(Cell(row, col));
    errorNo = 0;
}

void CXlsReportEngine::Impl::End() {
    selected = false;
    if (!current) return;
    // The used range: from the first to the last cell of the page.
    int r1 = INT_MAX, c1 = INT_MAX, r2 = 0, c2 = 0;
    for (auto& [number, row] : current->rows)
        for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
            int r, col;
            if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), r, col)) continue;
            r1 = std::min(r1, r), r2 = std::max(r2, r), c1 = std::min(c1, col), c2 = std::max(c2, col);
        }
    pugi::xml_node ws = current->doc.document_element();
    pugi::xml_node dim = FirstChild(ws, "dimension");
    if (!dim) dim = InsertWorksheetChild(ws, "dimension");
    pugi::xml_attribute ref = dim.attribute("ref");
    if (!ref) ref = dim.append_attribute("ref");
    ref.set_value(r2 == 0 ? "A1" : RangeRef({r1, c1, r2, c2}).c_str());
    current->name = UniqueSheetName(current->sheet->name);
    pages.push_back(std::move(current));
}

std::string CXlsReportEngine::Impl::UniqueSheetName(const std::string& base) {
    // Excel compares sheet names without regard to case.
    std::string name = CutUtf16(base, kMaxSheetNameChars);
    if (takenNames.insert(FoldAsciiCase(name)).second) return name;
    for (int& n = nextSuffix.try_emplace(base, 2).first->second;; ++n) {
        std::string suffix = " (" + std::to_string(n) + ")";
        name = CutUtf16(base, kMaxSheetNameChars - suffix.size()) + suffix;
        if (takenNames.insert(FoldAsciiCase(name)).second) {
            ++n;
            return name;
        }
    }
}

void CXlsReportEngine::PageBegin(std::string_view sheetName, std::string_view) { m->Begin(sheetName); }
void CXlsReportEngine::PageEnd() { m->End(); }
bool CXlsReportEngine::HasOpenPage() const { return m->current != nullptr; }
int CXlsReportEngine::PageCount() const { return static_cast<int>(m->pages.size()); }
