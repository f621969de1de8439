// Writing the print forms: the workbooks as .xlsx packages and the text twins.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>
#include <filesystem>
#include <set>
#include <tuple>

#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "report/PrintFormText.h"
#include "report/XlsInternal.h"
#include "report/forms/PrintForms.h"

namespace {

using Position = std::pair<int, int>;  // row, column

const char* FontName(const std::string& font) { return font == "sans" ? "Noto Sans CJK JP" : "Noto Serif CJK JP"; }

std::string Argb(uint32_t rgb) {
    char text[9];
    std::snprintf(text, sizeof text, "FF%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

std::string Number(double value) { return xls::NumberText(value).value_or("0"); }

// The built-in number formats the forms use, by code.
int BuiltInFormatId(const std::string& code) {
    static const std::pair<const char*, int> ids[] = {{"General", 0}, {"0", 1},      {"0.00", 2},
                                                      {"#,##0", 3},   {"#,##0.00", 4}, {"0.00%", 10}, {"@", 49}};
    for (auto& [c, id] : ids)
        if (code == c) return id;
    return -1;
}

struct Borders {
    std::string left, right, top, bottom;
    auto operator<=>(const Borders&) const = default;
};

// The styles part, built as the cells ask for formats.
class StyleTable {
public:
    explicit StyleTable(bool colour) : m_colour(colour) {
        PrintFormStyle plain;
        Format(plain, {});  // cell format 0: the plain one
    }

    int Format(const PrintFormStyle& style, const Borders& borders) {
        int font = Index(m_fonts, KeyOf(style));
        int fill = 0;
        if (m_colour && style.fill) fill = 2 + Index(m_fills, *style.fill);
        int border = borders == Borders{} ? 0 : 1 + Index(m_borders, borders);
        const std::string& code = PrintFormNumberFormats().at(style.format);
        int numFmt = BuiltInFormatId(code);
        if (numFmt < 0) numFmt = 164 + Index(m_numFmts, code);
        XfKey key{font, fill, border, numFmt, style.horizontal, style.vertical, style.wrap, style.shrink, style.indent};
        return Index(m_xfs, key);
    }

    std::string Xml() const {
        pugi::xml_document doc;
        pugi::xml_node sheet = doc.append_child("styleSheet");
        sheet.append_attribute("xmlns") = xls::kMainNs;
        if (!m_numFmts.empty()) {
            pugi::xml_node fmts = sheet.append_child("numFmts");
            fmts.append_attribute("count") = m_numFmts.size();
            for (size_t i = 0; i < m_numFmts.size(); ++i) {
                pugi::xml_node f = fmts.append_child("numFmt");
                f.append_attribute("numFmtId") = 164 + i;
                f.append_attribute("formatCode") = m_numFmts[i].c_str();
            }
        }
        pugi::xml_node fonts = sheet.append_child("fonts");
        fonts.append_attribute("count") = m_fonts.size();
        for (const FontKey& k : m_fonts) {
            pugi::xml_node f = fonts.append_child("font");
            if (std::get<2>(k)) f.append_child("b");
            if (!std::get<3>(k).empty()) f.append_child("u").append_attribute("val") = std::get<3>(k).c_str();
            f.append_child("sz").append_attribute("val") = Number(std::get<1>(k)).c_str();
            if (std::get<4>(k) >= 0) f.append_child("color").append_attribute("rgb") = Argb(static_cast<uint32_t>(std::get<4>(k))).c_str();
            else f.append_child("color").append_attribute("theme") = 1;
            f.append_child("name").append_attribute("val") = FontName(std::get<0>(k));
            f.append_child("family").append_attribute("val") = std::get<0>(k) == "sans" ? 3 : 1;
            f.append_child("charset").append_attribute("val") = 128;
        }
        pugi::xml_node fills = sheet.append_child("fills");
        fills.append_attribute("count") = 2 + m_fills.size();
        fills.append_child("fill").append_child("patternFill").append_attribute("patternType") = "none";
        fills.append_child("fill").append_child("patternFill").append_attribute("patternType") = "gray125";
        for (uint32_t rgb : m_fills) {
            pugi::xml_node p = fills.append_child("fill").append_child("patternFill");
            p.append_attribute("patternType") = "solid";
            p.append_child("fgColor").append_attribute("rgb") = Argb(rgb).c_str();
            p.append_child("bgColor").append_attribute("indexed") = 64;
        }
        pugi::xml_node borders = sheet.append_child("borders");
        borders.append_attribute("count") = 1 + m_borders.size();
        AppendBorder(borders, Borders{});
        for (const Borders& b : m_borders) AppendBorder(borders, b);
        pugi::xml_node styleXfs = sheet.append_child("cellStyleXfs");
        styleXfs.append_attribute("count") = 1;
        pugi::xml_node base = styleXfs.append_child("xf");
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId"}) base.append_attribute(a) = 0;
        pugi::xml_node xfs = sheet.append_child("cellXfs");
        xfs.append_attribute("count") = m_xfs.size();
        for (const XfKey& k : m_xfs) {
            pugi::xml_node x = xfs.append_child("xf");
            x.append_attribute("numFmtId") = std::get<3>(k);
            x.append_attribute("fontId") = std::get<0>(k);
            x.append_attribute("fillId") = std::get<1>(k);
            x.append_attribute("borderId") = std::get<2>(k);
            x.append_attribute("xfId") = 0;
            if (std::get<3>(k)) x.append_attribute("applyNumberFormat") = 1;
            x.append_attribute("applyFont") = 1;
            if (std::get<1>(k)) x.append_attribute("applyFill") = 1;
            if (std::get<2>(k)) x.append_attribute("applyBorder") = 1;
            x.append_attribute("applyAlignment") = 1;
            pugi::xml_node a = x.append_child("alignment");
            if (std::get<4>(k) != "general") a.append_attribute("horizontal") = std::get<4>(k).c_str();
            if (std::get<5>(k) != "bottom") a.append_attribute("vertical") = std::get<5>(k).c_str();
            if (std::get<6>(k)) a.append_attribute("wrapText") = 1;
            if (std::get<7>(k)) a.append_attribute("shrinkToFit") = 1;
            if (std::get<8>(k)) a.append_attribute("indent") = std::get<8>(k);
        }
        pugi::xml_node cellStyles = sheet.append_child("cellStyles");
        cellStyles.append_attribute("count") = 1;
        pugi::xml_node normal = cellStyles.append_child("cellStyle");
        normal.append_attribute("name") = "標準";
        normal.append_attribute("xfId") = 0;
        normal.append_attribute("builtinId") = 0;
        sheet.append_child("dxfs").append_attribute("count") = 0;
        return xls::XmlBytes(doc);
    }

private:
    // name, size, bold, underline, colour (-1 automatic)
    using FontKey = std::tuple<std::string, double, bool, std::string, int64_t>;
    // font, fill, border, number format, horizontal, vertical, wrap, shrink, indent
    using XfKey = std::tuple<int, int, int, int, std::string, std::string, bool, bool, int>;

    FontKey KeyOf(const PrintFormStyle& s) const {
        int64_t colour = m_colour && s.color ? static_cast<int64_t>(*s.color) : -1;
        return {s.font, s.size, s.bold, s.underline, colour};
    }

    template <class T>
    static int Index(std::vector<T>& list, const T& value) {
        auto it = std::find(list.begin(), list.end(), value);
        if (it != list.end()) return static_cast<int>(it - list.begin());
        list.push_back(value);
        return static_cast<int>(list.size() - 1);
    }

    static void AppendBorder(pugi::xml_node parent, const Borders& b) {
        pugi::xml_node border = parent.append_child("border");
        for (const std::string* side : {&b.left, &b.right, &b.top, &b.bottom}) {
            const char* name = side == &b.left ? "left" : side == &b.right ? "right" : side == &b.top ? "top" : "bottom";
            pugi::xml_node e = border.append_child(name);
            if (side->empty()) continue;
            e.append_attribute("style") = side->c_str();
            e.append_child("color").append_attribute("indexed") = 64;
        }
        border.append_child("diagonal");
    }

    bool m_colour;
    std::vector<FontKey> m_fonts;
    std::vector<uint32_t> m_fills;
    std::vector<Borders> m_borders;
    std::vector<std::string> m_numFmts;
    std::vector<XfKey> m_xfs;
};

class SharedStrings {
public:
    int Index(const std::string& text) {
        auto [it, fresh] = m_index.emplace(text, static_cast<int>(m_texts.size()));
        if (fresh) m_texts.push_back(text);
        ++m_count;
        return it->second;
    }
    std::string Xml() const {
        pugi::xml_document doc;
        pugi::xml_node sst = doc.append_child("sst");
        sst.append_attribute("xmlns") = xls::kMainNs;
        sst.append_attribute("count") = m_count;
        sst.append_attribute("uniqueCount") = m_texts.size();
        for (const std::string& text : m_texts) {
            pugi::xml_node t = sst.append_child("si").append_child("t");
            std::string stored = xls::EscapeCellText(text);
            if (!stored.empty() && (stored.front() == ' ' || stored.back() == ' ' || stored.find('\n') != std::string::npos))
                t.append_attribute("xml:space") = "preserve";
            t.text().set(stored.c_str());
        }
        return xls::XmlBytes(doc);
    }

private:
    std::map<std::string, int> m_index;
    std::vector<std::string> m_texts;
    int m_count = 0;
};

// The edges of the cell grid: horizontal ones below row r (r = 0 is the top of row 1) and vertical
// ones right of column c (c = 0 is the left of column 1).
struct Edges {
    std::map<Position, std::string> below;  // (r, column) → weight
    std::map<Position, std::string> right;  // (row, c) → weight

    static void Set(std::map<Position, std::string>& map, Position at, const std::string& weight) {
        if (weight.empty()) map.erase(at);
        else map[at] = weight;
    }
    void Draw(const PrintFormLines& l) {
        const XlsRange& r = l.range;
        auto top = [&] { for (int c = r.firstColumn; c <= r.lastColumn; ++c) Set(below, {r.firstRow - 1, c}, l.weight); };
        auto bottom = [&] { for (int c = r.firstColumn; c <= r.lastColumn; ++c) Set(below, {r.lastRow, c}, l.weight); };
        auto left = [&] { for (int row = r.firstRow; row <= r.lastRow; ++row) Set(right, {row, r.firstColumn - 1}, l.weight); };
        auto rightSide = [&] { for (int row = r.firstRow; row <= r.lastRow; ++row) Set(right, {row, r.lastColumn}, l.weight); };
        switch (l.kind) {
        case PrintFormLines::frame:
            top(), bottom(), left(), rightSide();
            break;
        case PrintFormLines::vlines:
            for (int row = r.firstRow; row <= r.lastRow; ++row)
                for (int c = r.firstColumn; c < r.lastColumn; ++c) Set(right, {row, c}, l.weight);
            break;
        case PrintFormLines::hlines:
            for (int row = r.firstRow; row < r.lastRow; ++row)
                if ((row - r.firstRow + 1) % l.step == 0)
                    for (int c = r.firstColumn; c <= r.lastColumn; ++c) Set(below, {row, c}, l.weight);
            break;
        case PrintFormLines::side:
            if (l.edge == "top") top();
            else if (l.edge == "bottom") bottom();
            else if (l.edge == "left") left();
            else rightSide();
            break;
        }
    }
    Borders Of(Position p) const {
        auto get = [](const std::map<Position, std::string>& map, Position at) {
            auto it = map.find(at);
            return it == map.end() ? std::string() : it->second;
        };
        return {get(right, {p.first, p.second - 1}), get(right, p), get(below, {p.first - 1, p.second}), get(below, p)};
    }
};

std::string SheetXml(const PrintFormBook& book, const PrintFormSheet& sheet, bool first, StyleTable& styles,
                     SharedStrings& strings, XlsRange& printArea) {
    // The style of every described cell: areas first, then the cells' own.
    std::map<Position, std::string> styleOf;
    for (auto& [range, style] : sheet.areas)
        for (int r = range.firstRow; r <= range.lastRow; ++r)
            for (int c = range.firstColumn; c <= range.lastColumn; ++c) styleOf[{r, c}] = style;
    std::map<Position, std::string> textOf;
    for (const PrintFormCell& cell : sheet.cells) {
        Position p{cell.row, cell.column};
        if (!cell.style.empty() || !styleOf.count(p)) styleOf[p] = cell.style;
        if (!cell.text.empty()) textOf[p] = cell.text;
    }
    const PrintFormStyle plain;
    auto styleNamed = [&](const std::string& name) -> const PrintFormStyle& {
        return name.empty() ? plain : book.styles.at(name);
    };

    Edges edges;
    for (auto& [p, name] : styleOf) {
        const PrintFormStyle& s = styleNamed(name);
        if (!s.top.empty()) Edges::Set(edges.below, {p.first - 1, p.second}, s.top);
        if (!s.bottom.empty()) Edges::Set(edges.below, p, s.bottom);
        if (!s.left.empty()) Edges::Set(edges.right, {p.first, p.second - 1}, s.left);
        if (!s.right.empty()) Edges::Set(edges.right, p, s.right);
    }
    for (const PrintFormLines& l : sheet.lines) edges.Draw(l);

    std::set<Position> positions;
    for (auto& [p, name] : styleOf) positions.insert(p);
    for (auto& [at, weight] : edges.below) {
        if (at.first >= 1) positions.insert(at);
        positions.insert({at.first + 1, at.second});
    }
    for (auto& [at, weight] : edges.right) {
        if (at.second >= 1) positions.insert(at);
        positions.insert({at.first, at.second + 1});
    }

    // The used range holds every cell written; the printed area defaults to what the description
    // covers (the cells beside a frame that only carry its line are left out).
    int r1 = INT_MAX, c1 = INT_MAX, r2 = 0, c2 = 0;
    auto extend = [&](int r, int c) {
        r1 = std::min(r1, r), c1 = std::min(c1, c), r2 = std::max(r2, r), c2 = std::max(c2, c);
    };
    for (auto& [p, name] : styleOf) extend(p.first, p.second);
    for (const XlsRange& m : sheet.merges) extend(m.firstRow, m.firstColumn), extend(m.lastRow, m.lastColumn);
    for (const PrintFormLines& l : sheet.lines) extend(l.range.firstRow, l.range.firstColumn), extend(l.range.lastRow, l.range.lastColumn);
    if (r2 == 0) r1 = c1 = r2 = c2 = 1;
    printArea = sheet.printArea.value_or(XlsRange{r1, c1, r2, c2});
    for (const Position& p : positions) extend(p.first, p.second);

    pugi::xml_document doc;
    pugi::xml_node ws = doc.append_child("worksheet");
    ws.append_attribute("xmlns") = xls::kMainNs;
    ws.append_attribute("xmlns:r") = xls::kRelNs;
    if (sheet.fitToPage) ws.append_child("sheetPr").append_child("pageSetUpPr").append_attribute("fitToPage") = 1;
    ws.append_child("dimension").append_attribute("ref") = xls::RangeRef({r1, c1, r2, c2}).c_str();
    pugi::xml_node view = ws.append_child("sheetViews").append_child("sheetView");
    view.append_attribute("showGridLines") = 0;
    if (first) view.append_attribute("tabSelected") = 1;
    view.append_attribute("workbookViewId") = 0;
    pugi::xml_node format = ws.append_child("sheetFormatPr");
    format.append_attribute("defaultRowHeight") = Number(sheet.defaultHeight).c_str();
    format.append_attribute("customHeight") = 1;
    if (!sheet.widths.empty()) {
        pugi::xml_node cols = ws.append_child("cols");
        for (auto it = sheet.widths.begin(); it != sheet.widths.end();) {
            auto last = it;
            while (std::next(last) != sheet.widths.end() && std::next(last)->first == last->first + 1 &&
                   std::next(last)->second == it->second)
                ++last;
            pugi::xml_node col = cols.append_child("col");
            col.append_attribute("min") = it->first;
            col.append_attribute("max") = last->first;
            col.append_attribute("width") = Number(it->second).c_str();
            col.append_attribute("customWidth") = 1;
            it = std::next(last);
        }
    }
    pugi::xml_node data = ws.append_child("sheetData");
    std::set<int> rows;
    for (const Position& p : positions) rows.insert(p.first);
    for (auto& [r, h] : sheet.heights) rows.insert(r);
    auto cell = positions.begin();
    for (int r : rows) {
        pugi::xml_node row = data.append_child("row");
        row.append_attribute("r") = r;
        if (auto h = sheet.heights.find(r); h != sheet.heights.end()) {
            row.append_attribute("ht") = Number(h->second).c_str();
            row.append_attribute("customHeight") = 1;
        }
        for (; cell != positions.end() && cell->first == r; ++cell) {
            pugi::xml_node c = row.append_child("c");
            c.append_attribute("r") = xls::CellRef(cell->first, cell->second).c_str();
            auto s = styleOf.find(*cell);
            int xf = styles.Format(styleNamed(s == styleOf.end() ? std::string() : s->second), edges.Of(*cell));
            if (xf) c.append_attribute("s") = xf;
            if (auto t = textOf.find(*cell); t != textOf.end()) {
                c.append_attribute("t") = "s";
                c.append_child("v").text().set(strings.Index(t->second));
            }
        }
    }
    if (!sheet.merges.empty()) {
        pugi::xml_node merges = ws.append_child("mergeCells");
        merges.append_attribute("count") = sheet.merges.size();
        for (const XlsRange& m : sheet.merges) merges.append_child("mergeCell").append_attribute("ref") = xls::RangeRef(m).c_str();
    }
    if (sheet.centered) ws.append_child("printOptions").append_attribute("horizontalCentered") = 1;
    pugi::xml_node margins = ws.append_child("pageMargins");
    const XlsMargins& m = sheet.margins;
    for (auto [name, value] : {std::pair("left", m.left), std::pair("right", m.right), std::pair("top", m.top),
                               std::pair("bottom", m.bottom), std::pair("header", m.header), std::pair("footer", m.footer)})
        margins.append_attribute(name) = Number(value).c_str();
    pugi::xml_node setup = ws.append_child("pageSetup");
    setup.append_attribute("paperSize") = sheet.paperSize;
    if (sheet.fitToPage) {
        setup.append_attribute("fitToWidth") = 1;
        setup.append_attribute("fitToHeight") = 1;
    }
    setup.append_attribute("orientation") = sheet.landscape ? "landscape" : "portrait";
    return xls::XmlBytes(doc);
}

}  // namespace

std::string BuildPrintFormWorkbook(const PrintFormBook& book) {
    StyleTable styles(book.colour);
    SharedStrings strings;
    std::vector<std::pair<std::string, std::string>> sheetParts;
    std::vector<XlsRange> areas;
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        XlsRange area;
        sheetParts.emplace_back("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml",
                                SheetXml(book, book.sheets[i], i == 0, styles, strings, area));
        areas.push_back(area);
    }

    const std::string ct = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

    pugi::xml_document types;
    pugi::xml_node t = types.append_child("Types");
    t.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/content-types";
    auto add = [](pugi::xml_node parent, const char* element, std::initializer_list<std::pair<const char*, std::string>> attributes) {
        pugi::xml_node n = parent.append_child(element);
        for (auto& [name, value] : attributes) n.append_attribute(name) = value.c_str();
        return n;
    };
    add(t, "Default", {{"Extension", "rels"}, {"ContentType", "application/vnd.openxmlformats-package.relationships+xml"}});
    add(t, "Default", {{"Extension", "xml"}, {"ContentType", "application/xml"}});
    add(t, "Override", {{"PartName", "/xl/workbook.xml"}, {"ContentType", ct + "sheet.main+xml"}});
    for (size_t i = 0; i < book.sheets.size(); ++i)
        add(t, "Override", {{"PartName", "/xl/worksheets/sheet" + std::to_string(i + 1) + ".xml"}, {"ContentType", ct + "worksheet+xml"}});
    add(t, "Override", {{"PartName", "/xl/styles.xml"}, {"ContentType", ct + "styles+xml"}});
    add(t, "Override", {{"PartName", "/xl/sharedStrings.xml"}, {"ContentType", ct + "sharedStrings+xml"}});

    pugi::xml_document rootRels;
    pugi::xml_node rr = rootRels.append_child("Relationships");
    rr.append_attribute("xmlns") = xls::kPackageRelNs;
    add(rr, "Relationship", {{"Id", "rId1"}, {"Type", rel + "officeDocument"}, {"Target", "xl/workbook.xml"}});

    pugi::xml_document workbook;
    pugi::xml_node wb = workbook.append_child("workbook");
    wb.append_attribute("xmlns") = xls::kMainNs;
    wb.append_attribute("xmlns:r") = xls::kRelNs;
    wb.append_child("workbookPr");
    wb.append_child("bookViews").append_child("workbookView").append_attribute("activeTab") = 0;
    pugi::xml_node sheets = wb.append_child("sheets");
    pugi::xml_node names = wb.append_child("definedNames");
    pugi::xml_document bookRels;
    pugi::xml_node br = bookRels.append_child("Relationships");
    br.append_attribute("xmlns") = xls::kPackageRelNs;
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        std::string n = std::to_string(i + 1);
        add(sheets, "sheet", {{"name", book.sheets[i].name}, {"sheetId", n}, {"r:id", "rId" + n}});
        add(br, "Relationship", {{"Id", "rId" + n}, {"Type", rel + "worksheet"}, {"Target", "worksheets/sheet" + n + ".xml"}});
        const XlsRange& a = areas[i];
        pugi::xml_node dn = add(names, "definedName", {{"name", "_xlnm.Print_Area"}, {"localSheetId", std::to_string(i)}});
        dn.text().set((xls::QuoteSheetName(book.sheets[i].name) + "!$" + xls::ColumnLetters(a.firstColumn) + "$" +
                       std::to_string(a.firstRow) + ":$" + xls::ColumnLetters(a.lastColumn) + "$" + std::to_string(a.lastRow))
                          .c_str());
    }
    wb.append_child("calcPr").append_attribute("calcId") = 191029;
    add(br, "Relationship", {{"Id", "rIdStyles"}, {"Type", rel + "styles"}, {"Target", "styles.xml"}});
    add(br, "Relationship", {{"Id", "rIdStrings"}, {"Type", rel + "sharedStrings"}, {"Target", "sharedStrings.xml"}});

    std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml", xls::XmlBytes(types)},
        {"_rels/.rels", xls::XmlBytes(rootRels)},
        {"xl/workbook.xml", xls::XmlBytes(workbook)},
        {"xl/_rels/workbook.xml.rels", xls::XmlBytes(bookRels)},
        {"xl/styles.xml", styles.Xml()},
        {"xl/sharedStrings.xml", strings.Xml()},
    };
    for (auto& p : sheetParts) parts.push_back(std::move(p));
    std::string bytes, detail;
    if (!xls::WriteZip(parts, bytes, &detail)) throw std::runtime_error(book.file + ": " + detail);
    return bytes;
}

std::string BuildPrintFormTwin(const std::array<std::string, 25>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += vemo::Utf8ToCp932(line) + "\r\n";
    return bytes;
}

std::vector<std::pair<std::string, std::string>> BuildPrintFormFiles(const std::vector<PrintFormBook>& books) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const PrintFormBook& book : books) {
        files.emplace_back(book.file, BuildPrintFormWorkbook(book));
        if (book.twin) files.emplace_back(PrintFormTextPath(book.file), BuildPrintFormTwin(*book.twin));
    }
    return files;
}

bool WritePrintFormFiles(const std::vector<std::pair<std::string, std::string>>& files, const std::string& folder,
                         std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        if (error) *error = "cannot create " + folder + ": " + ec.message();
        return false;
    }
    for (auto& [name, bytes] : files)
        if (!vemo::WriteFileReplacing(vemo::JoinPath(folder, name), bytes, error)) return false;
    return true;
}
