// Rows copied into the open page (a table laid out for more lines than the template rules), and the
// borders of its cells.
#include <cctype>

#include "report/XlsEngineImpl.h"

using namespace xls;

namespace {

// Most cells one call copies: a template row may hold a cell in every column.
constexpr long kMaxCopiedCells = 65536;

// A reference text ("A1", "$A$1:$G$33", "B6:C7 E2", "$1:$3") with every row number below `after`
// moved down by count: a range reaching below that row grows, one below it moves.
std::string MovedRows(std::string_view text, int after, int count) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            out += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
        // A row number follows a column's letters or a "$"; digits elsewhere are left alone.
        const bool row = i > 0 && (std::isalpha(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '$');
        const long number = std::strtol(std::string(text.substr(i, end - i)).c_str(), nullptr, 10);
        out += row && number > after && number <= kMaxRow ? std::to_string(number + count) : std::string(text.substr(i, end - i));
        i = end;
    }
    return out;
}

void MoveAttribute(pugi::xml_node node, const char* name, int after, int count) {
    if (pugi::xml_attribute a = node.attribute(name)) a.set_value(MovedRows(a.value(), after, count).c_str());
}

}  // namespace

int CXlsReportEngine::Impl::StyleAt(int row, int column) const {
    pugi::xml_node ws = current->doc.document_element();
    auto it = current->rows.find(row);
    if (it != current->rows.end()) {
        for (pugi::xml_node c = it->second.first_child(); c; c = c.next_sibling()) {
            int cr, cc;
            if (IsElement(c, "c") && ParseCellRef(c.attribute("r").value(), cr, cc) && cc == column) return IntAttribute(c, "s", 0);
        }
        if (BoolAttribute(it->second, "customFormat", false)) return IntAttribute(it->second, "s", 0);
    }
    for (pugi::xml_node col = FirstChild(FirstChild(ws, "cols"), "col"); col; col = col.next_sibling())
        if (IsElement(col, "col") && column >= IntAttribute(col, "min", 0) && column <= IntAttribute(col, "max", 0))
            return IntAttribute(col, "style", 0);
    return 0;
}

bool CXlsReportEngine::Impl::BorderSide(int xf, const char* side) const {
    pugi::xml_node styleSheet = styles.document_element();
    int index = 0;
    pugi::xml_node format;
    for (pugi::xml_node x = FirstChild(FirstChild(styleSheet, "cellXfs"), "xf"); x; x = x.next_sibling())
        if (IsElement(x, "xf") && index++ == xf) {
            format = x;
            break;
        }
    if (!format) return false;
    const int borderId = IntAttribute(format, "borderId", 0);
    index = 0;
    for (pugi::xml_node b = FirstChild(FirstChild(styleSheet, "borders"), "border"); b; b = b.next_sibling())
        if (IsElement(b, "border") && index++ == borderId) {
            std::string_view style(FirstChild(b, side).attribute("style").value());
            return !style.empty() && style != "none";
        }
    return false;
}

bool CXlsReportEngine::HasLineBelow(int x, int y) const {
    if (!m->current || x < 1 || x > kMaxColumn || y < 1 || y > kMaxRow) return false;
    if (m->BorderSide(m->StyleAt(y, x), "bottom")) return true;
    return y < kMaxRow && m->BorderSide(m->StyleAt(y + 1, x), "top");
}

void CXlsReportEngine::Impl::RepeatRows(int first, int last, int times) {
    if (!current) {
        errorNo = static_cast<int>(open ? XlsErrorNo::noPage : XlsErrorNo::noWorkbook);
        return;
    }
    const long height = static_cast<long>(last) - first + 1;
    const long added = height * times;
    const int lastUsed = current->rows.empty() ? 0 : current->rows.rbegin()->first;
    long sourceCells = 0;
    for (auto it = current->rows.lower_bound(first); it != current->rows.end() && it->first <= last; ++it)
        for (pugi::xml_node c = FirstChild(it->second, "c"); c; c = c.next_sibling()) ++sourceCells;
    if (first < 1 || height < 1 || times < 1 || last + added > kMaxRow || lastUsed + added > kMaxRow ||
        sourceCells * times > kMaxCopiedCells) {
        errorNo = static_cast<int>(XlsErrorNo::badPosition);
        return;
    }
    const int count = static_cast<int>(added);
    pugi::xml_node ws = current->doc.document_element();
    pugi::xml_node data = FirstChild(ws, "sheetData");

    // The rows below move down, with their cells.
    std::map<int, pugi::xml_node> rows;
    pugi::xml_node lastKept;  // the last row element at or above `last`
    for (auto& [number, r] : current->rows) {
        if (number <= last) {
            rows.emplace(number, r);
            lastKept = r;
            continue;
        }
        r.attribute("r").set_value(number + count);
        for (pugi::xml_node c = FirstChild(r, "c"); c; c = c.next_sibling())
            if (IsElement(c, "c")) MoveAttribute(c, "r", last, count);
        rows.emplace(number + count, r);
    }

    // The copies: each source row's settings and its cells' formats, without values.
    pugi::xml_node after = lastKept;
    for (int k = 0; k < times; ++k)
        for (int source = first; source <= last; ++source) {
            auto it = current->rows.find(source);
            if (it == current->rows.end()) continue;
            const int number = last + 1 + k * static_cast<int>(height) + (source - first);
            pugi::xml_node copy = after ? data.insert_child_after("row", after) : data.prepend_child("row");
            for (pugi::xml_attribute a = it->second.first_attribute(); a; a = a.next_attribute())
                copy.append_attribute(a.name()).set_value(a.value());
            copy.attribute("r").set_value(number);
            for (pugi::xml_node c = FirstChild(it->second, "c"); c; c = c.next_sibling()) {
                int cr, cc;
                if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), cr, cc)) continue;
                pugi::xml_node cell = copy.append_child("c");
                cell.append_attribute("r").set_value(CellRef(number, cc).c_str());
                if (pugi::xml_attribute s = c.attribute("s")) cell.append_attribute("s").set_value(s.value());
            }
            rows.emplace(number, copy);
            after = copy;
        }
    current->rows = std::move(rows);

    // Merges: those below move, those reaching below grow, those within the rows are copied.
    if (pugi::xml_node merges = FirstChild(ws, "mergeCells")) {
        std::vector<XlsRange> copies;
        for (pugi::xml_node mc = FirstChild(merges, "mergeCell"); mc; mc = mc.next_sibling()) {
            XlsRange range;
            if (!IsElement(mc, "mergeCell") || !ParseRangeRef(mc.attribute("ref").value(), range)) continue;
            if (range.firstRow >= first && range.lastRow <= last)
                for (int k = 1; k <= times; ++k) {
                    const int shift = k * static_cast<int>(height);
                    copies.push_back({range.firstRow + shift, range.firstColumn, range.lastRow + shift, range.lastColumn});
                }
            MoveAttribute(mc, "ref", last, count);
        }
        for (const XlsRange& range : copies) merges.append_child("mergeCell").append_attribute("ref").set_value(RangeRef(range).c_str());
        int n = 0;
        for (pugi::xml_node mc = FirstChild(merges, "mergeCell"); mc; mc = mc.next_sibling()) ++n;
        if (pugi::xml_attribute a = merges.attribute("count")) a.set_value(n);
    }

    // The other references of the sheet to its rows.
    for (pugi::xml_node cf = FirstChild(ws, "conditionalFormatting"); cf; cf = cf.next_sibling())
        if (IsElement(cf, "conditionalFormatting")) MoveAttribute(cf, "sqref", last, count);
    for (pugi::xml_node dv = FirstChild(FirstChild(ws, "dataValidations"), "dataValidation"); dv; dv = dv.next_sibling())
        if (IsElement(dv, "dataValidation")) MoveAttribute(dv, "sqref", last, count);
    for (pugi::xml_node h = FirstChild(FirstChild(ws, "hyperlinks"), "hyperlink"); h; h = h.next_sibling())
        if (IsElement(h, "hyperlink")) MoveAttribute(h, "ref", last, count);
    for (pugi::xml_node b = FirstChild(FirstChild(ws, "rowBreaks"), "brk"); b; b = b.next_sibling())
        if (IsElement(b, "brk") && IntAttribute(b, "id", 0) > last) b.attribute("id").set_value(IntAttribute(b, "id", 0) + count);
    for (std::string& area : current->printArea) area = MovedRows(area, last, count);
    for (std::string& area : current->printTitles) area = MovedRows(area, last, count);
    current->insertions.emplace_back(last, count);
    selected = false;  // a selection made before names other cells now
    errorNo = 0;
}

void CXlsReportEngine::RepeatRows(int firstRow, int lastRow, int times) { m->RepeatRows(firstRow, lastRow, times); }
