// Pages: copies of template sheets, their named cells and their names in the workbook.
#include <algorithm>
#include <cstdlib>
#include <new>

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
    if (current) outputCells -= current->cells;
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
    page->cells = sheet->cellCount;
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
    if (used.firstRow != 0) {
        used.firstRow = current->PageRow(used.firstRow);
        used.lastRow = current->PageRow(used.lastRow);
    }
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

int OutputPage::PageRow(int templateRow) const {
    int row = templateRow;
    for (auto [after, count] : inserted) {
        if (after >= templateRow) break;
        row += count;
    }
    return row;
}

int OutputPage::Anchor(int pageRow) const {
    int offset = 0;
    for (auto [after, count] : inserted) {
        if (pageRow <= after + offset) break;
        if (pageRow <= after + offset + count) return after;
        offset += count;
    }
    return pageRow - offset;
}

int OutputPage::TemplateRow(int pageRow) const {
    // A row copied in has the template row its block follows as anchor, which stands above it.
    const int anchor = Anchor(pageRow);
    return PageRow(anchor) == pageRow ? anchor : 0;
}

pugi::xml_node OutputPage::RowAt(int pageRow) const {
    if (auto it = rows.find(pageRow); it != rows.end()) return it->second;
    if (const int row = TemplateRow(pageRow); row != 0)
        if (auto it = sheet->rows.find(row); it != sheet->rows.end()) return it->second;
    return {};
}

void Renumber(pugi::xml_node row, int number) {
    // A longer number takes memory from the tree, which may run out.
    pugi::xml_attribute a = row.attribute("r");
    if (!a) a = row.append_attribute("r");
    if (!a.set_value(number)) throw std::bad_alloc();
    for (pugi::xml_node c = FirstChild(row, "c"); c; c = c.next_sibling()) {
        int r, col;
        if (IsElement(c, "c") && ParseCellRef(c.attribute("r").value(), r, col) &&
            !c.attribute("r").set_value(CellRef(number, col).c_str()))
            throw std::bad_alloc();
    }
}

namespace {

// The template's references to its rows (conditional formats, validations, links, row breaks) where
// the rows went on a page with rows copied in.
void MoveReferences(pugi::xml_node ws, const OutputPage& page) {
    if (page.inserted.empty()) return;
    const std::function<int(int)> map = [&](int row) { return page.PageRow(row); };
    auto move = [&](pugi::xml_node node, const char* name) {
        if (pugi::xml_attribute a = node.attribute(name)) a.set_value(MappedRows(a.value(), map).c_str());
    };
    for (pugi::xml_node cf = FirstChild(ws, "conditionalFormatting"); cf; cf = cf.next_sibling())
        if (IsElement(cf, "conditionalFormatting")) move(cf, "sqref");
    for (pugi::xml_node dv = FirstChild(FirstChild(ws, "dataValidations"), "dataValidation"); dv; dv = dv.next_sibling())
        if (IsElement(dv, "dataValidation")) move(dv, "sqref");
    for (pugi::xml_node h = FirstChild(FirstChild(ws, "hyperlinks"), "hyperlink"); h; h = h.next_sibling())
        if (IsElement(h, "hyperlink")) move(h, "ref");
    // A break moved off the sheet goes.
    if (pugi::xml_node breaks = FirstChild(ws, "rowBreaks")) {
        int count = 0, manual = 0;
        for (pugi::xml_node b = breaks.first_child(); b;) {
            pugi::xml_node next = b.next_sibling();
            if (IsElement(b, "brk")) {
                const int id = IntAttribute(b, "id", 0);
                const int moved = id >= 1 && id <= kMaxRow ? page.PageRow(id) : id;
                if (moved > kMaxRow) {
                    breaks.remove_child(b);
                } else {
                    if (moved != id) b.attribute("id").set_value(moved);
                    ++count;
                    if (BoolAttribute(b, "man", false)) ++manual;
                }
            }
            b = next;
        }
        if (pugi::xml_attribute a = breaks.attribute("count")) a.set_value(count);
        if (pugi::xml_attribute a = breaks.attribute("manualBreakCount")) a.set_value(manual);
    }
}

}  // namespace

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
            // The template's rows in order, each where it stands on the page and replaced by the
            // page's own where it has one, with the page's other rows between them.
            pugi::xml_node data = Made(ws.append_child(child.name()));
            for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) data.append_copy(a);
            auto own = page.rows.begin();
            auto block = page.inserted.begin();
            int offset = 0;  // the rows copied in above the template row
            for (pugi::xml_node r = child.first_child(); r; r = r.next_sibling()) {
                if (!IsElement(r, "row")) {
                    data.append_copy(r);
                    continue;
                }
                const int templateRow = IntAttribute(r, "r", 0);
                for (; block != page.inserted.end() && block->first < templateRow; ++block) offset += block->second;
                const int number = templateRow + offset;
                for (; own != page.rows.end() && own->first < number; ++own) Made(data.append_copy(own->second));
                if (own != page.rows.end() && own->first == number) {
                    Made(data.append_copy(own->second));
                    ++own;
                } else {
                    pugi::xml_node copy = Made(data.append_copy(r));
                    if (offset != 0) Renumber(copy, number);
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
        MoveReferences(ws, page);
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
