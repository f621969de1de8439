// Rows copied into the open page (a table laid out for more lines than the template rules), and the
// borders of its cells.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "report/XlsEngineImpl.h"

using namespace xls;

namespace {

// Most cells and merges one call copies: a template row may hold a cell in every column.
constexpr long kMaxCopiedCells = 65536;

}  // namespace

namespace xls {

std::string MappedRows(std::string_view text, const std::function<int(int)>& map) {
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
        const std::string digits(text.substr(i, end - i));
        const long number = digits.size() <= 7 ? std::strtol(digits.c_str(), nullptr, 10) : 0;
        out += row && number >= 1 && number <= kMaxRow ? std::to_string(std::min(map(static_cast<int>(number)), kMaxRow))
                                                       : digits;
        i = end;
    }
    return out;
}

}  // namespace xls

int CXlsReportEngine::Impl::StyleAt(int row, int column) const {
    if (pugi::xml_node r = current->RowAt(row)) {
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            int cr, cc;
            if (IsElement(c, "c") && ParseCellRef(c.attribute("r").value(), cr, cc) && cc == column) return IntAttribute(c, "s", 0);
        }
        if (BoolAttribute(r, "customFormat", false)) return IntAttribute(r, "s", 0);
    }
    pugi::xml_node ws = current->sheet->doc.document_element();
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
    OutputPage& page = *current;
    const long height = static_cast<long>(last) - first + 1;
    if (first < 1 || last > kMaxRow || height < 1 || times < 1 || height * times > kMaxRow) {
        errorNo = static_cast<int>(XlsErrorNo::badPosition);
        return;
    }
    const long added = height * times;
    // The lowest row that moves: of the page's own rows, the template's and the merges.
    long lowest = page.rows.empty() ? 0 : page.rows.rbegin()->first;
    if (!page.sheet->rows.empty()) lowest = std::max<long>(lowest, page.PageRow(page.sheet->rows.rbegin()->first));
    long mergesWithin = 0;
    for (const XlsRange& range : page.merges) {
        lowest = std::max<long>(lowest, range.lastRow);
        if (range.firstRow >= first && range.lastRow <= last) ++mergesWithin;
    }
    // The rows copied, as the page shows them now.
    std::vector<std::pair<int, pugi::xml_node>> sources;
    long sourceCells = 0;
    for (int row = first; row <= last; ++row)
        if (pugi::xml_node r = page.RowAt(row)) {
            sources.emplace_back(row, r);
            sourceCells += CountChildren(r, "c");
        }
    if (last + added > kMaxRow || lowest + added > kMaxRow || (sourceCells + mergesWithin) * times > kMaxCopiedCells) {
        errorNo = static_cast<int>(XlsErrorNo::badPosition);
        return;
    }
    // The copied cells count against the workbook's limit as written ones do.
    if (outputCells + sourceCells * times > kMaxOutputCells) {
        outputFull = true;
        errorNo = static_cast<int>(XlsErrorNo::outputFull);
        return;
    }
    const int count = static_cast<int>(added);

    // What the page gains is made before anything moves: the copies (each source row's settings and its
    // cells' formats, without values), the merges copied with them, and the page's rows by their new
    // numbers.
    std::map<int, pugi::xml_node> rows;
    for (int k = 0; k < times; ++k)
        for (auto [source, r] : sources) {
            const int number = last + 1 + k * static_cast<int>(height) + (source - first);
            pugi::xml_node copy = Made(page.data.append_child("row"));
            for (pugi::xml_attribute a = r.first_attribute(); a; a = a.next_attribute())
                copy.append_attribute(a.name()).set_value(a.value());
            copy.attribute("r").set_value(number);
            for (pugi::xml_node c = FirstChild(r, "c"); c; c = c.next_sibling()) {
                int cr, cc;
                if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), cr, cc)) continue;
                pugi::xml_node cell = Made(copy.append_child("c"));
                cell.append_attribute("r").set_value(CellRef(number, cc).c_str());
                if (pugi::xml_attribute s = c.attribute("s")) cell.append_attribute("s").set_value(s.value());
            }
            rows.emplace(number, copy);
        }
    std::vector<XlsRange> merges;
    merges.reserve(page.merges.size() + static_cast<size_t>(mergesWithin * times));
    merges = page.merges;
    for (const XlsRange& range : page.merges)
        if (range.firstRow >= first && range.lastRow <= last)
            for (int k = 1; k <= times; ++k) {
                const int shift = k * static_cast<int>(height);
                merges.push_back({range.firstRow + shift, range.firstColumn, range.lastRow + shift, range.lastColumn});
            }
    for (auto& [number, r] : page.rows) rows.emplace(number > last ? number + count : number, r);
    int& block = page.inserted[page.Anchor(last)];

    // The page's own rows below move, with their cells; the template's rows below stay shared and
    // stand lower through the block.
    for (auto& [number, r] : rows)
        if (number > last + count) Renumber(r, number);
    page.rows = std::move(rows);
    block += count;
    page.cells += sourceCells * times;
    outputCells += sourceCells * times;
    // Merges: those below move, those reaching below grow, those within the rows were copied.
    for (size_t i = 0; i < page.merges.size(); ++i) {
        XlsRange& range = merges[i];
        if (range.firstRow > last) range.firstRow += count;
        if (range.lastRow > last) range.lastRow += count;
    }
    page.merges = std::move(merges);
    selected = false;  // a selection made before names other cells now
    errorNo = 0;
}

void CXlsReportEngine::RepeatRows(int firstRow, int lastRow, int times) { m->RepeatRows(firstRow, lastRow, times); }
