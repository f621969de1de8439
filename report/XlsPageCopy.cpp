// Pages: copies of template sheets, their named cells and their names in the workbook.
#include <algorithm>
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
    if (current) outputCells -= current->sheet->cellCount;
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
    if (outputCells + sheet->cellCount > kMaxOutputCells) {
        outputFull = true;
        errorNo = static_cast<int>(XlsErrorNo::outputFull);
        return;
    }
    if (!sheet->indexed) IndexNames(*sheet);
    auto page = std::make_unique<OutputPage>();
    page->sheet = sheet;
    page->data = Made(page->changed.append_child("sheetData"));
    page->merges = sheet->merges;
    current = std::move(page);
    outputCells += sheet->cellCount;
    for (auto [row, col] : sheet->nameCells) Blank(Cell(row, col));
    errorNo = 0;
}

void CXlsReportEngine::Impl::End() {
    selected = false;
    if (!current) return;
    // The used range: from the first to the last cell of the template and of the rows the page changed.
    XlsRange used = current->sheet->used;
    for (auto& [number, row] : current->rows)
        for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
            int r, col;
            if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), r, col)) continue;
            if (used.firstRow == 0) used = {r, col, r, col};
            used = {std::min(used.firstRow, r), std::min(used.firstColumn, col), std::max(used.lastRow, r),
                    std::max(used.lastColumn, col)};
        }
    current->dimension = used.firstRow == 0 ? "A1" : RangeRef(used);
    current->name = UniqueSheetName(current->sheet->name);
    pages.push_back(std::move(current));
}

namespace xls {

std::string PageXml(const OutputPage& page, bool shownFirst) {
    pugi::xml_document doc;
    const pugi::xml_document& source = page.sheet->doc;
    const pugi::xml_node sourceSheet = source.document_element();
    for (pugi::xml_node n = source.first_child(); n; n = n.next_sibling()) {
        if (n != sourceSheet) {
            doc.append_copy(n);
            continue;
        }
        pugi::xml_node ws = Made(doc.append_child(n.name()));
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) ws.append_copy(a);
        for (pugi::xml_node child = n.first_child(); child; child = child.next_sibling()) {
            if (!IsElement(child, "sheetData")) {
                Made(ws.append_copy(child));
                continue;
            }
            // The template's rows in order, each replaced by the page's own where it has one.
            pugi::xml_node data = Made(ws.append_child(child.name()));
            for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) data.append_copy(a);
            auto own = page.rows.begin();
            for (pugi::xml_node r = child.first_child(); r; r = r.next_sibling()) {
                if (!IsElement(r, "row")) {
                    data.append_copy(r);
                    continue;
                }
                const int number = IntAttribute(r, "r", 0);
                for (; own != page.rows.end() && own->first < number; ++own) Made(data.append_copy(own->second));
                if (own != page.rows.end() && own->first == number) {
                    Made(data.append_copy(own->second));
                    ++own;
                } else {
                    Made(data.append_copy(r));
                }
            }
            for (; own != page.rows.end(); ++own) Made(data.append_copy(own->second));
        }
        InsertWorksheetChild(ws, "dimension").append_attribute("ref").set_value(page.dimension.c_str());
        if (!page.merges.empty()) {
            pugi::xml_node merges = InsertWorksheetChild(ws, "mergeCells");
            merges.append_attribute("count").set_value(static_cast<unsigned>(page.merges.size()));
            for (const XlsRange& range : page.merges)
                merges.append_child("mergeCell").append_attribute("ref").set_value(RangeRef(range).c_str());
        }
        // The first sheet is the one shown when the workbook opens.
        if (pugi::xml_node view = FirstChild(FirstChild(ws, "sheetViews"), "sheetView")) {
            view.remove_attribute("tabSelected");
            if (shownFirst) view.append_attribute("tabSelected").set_value(1);
        }
    }
    return XmlBytes(doc);
}

}  // namespace xls

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
bool CXlsReportEngine::OutputFull() const { return m->outputFull; }
