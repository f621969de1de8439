// Selecting cells and writing values, merges and alignments on the open page.
#include "report/XlsEngineImpl.h"
#include "report/XlsNumberFormat.h"

#include "platform/Cp932.h"

using namespace xls;

namespace {

// Largest rectangle an alignment or a number format is given to, cell by cell.
constexpr long kMaxAlignedCells = 65536;

struct StringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

std::string Serialise(pugi::xml_node node) {
    StringWriter w;
    node.print(w, "", pugi::format_raw);
    return w.bytes;
}

const char* VerticalName(int alignment) {
    switch (alignment) {
    case xlsVertTop: return "top";
    case xlsVertCenter: return "center";
    case xlsVertBottom: return "";  // Excel's default, stored as no attribute
    case xlsVertJustify: return "justify";
    case xlsVertDistributed: return "distributed";
    default: return nullptr;
    }
}

const char* HorizontalName(int alignment) {
    switch (alignment) {
    case xlsHorzGeneral: return "";
    case xlsHorzLeft: return "left";
    case xlsHorzCenter: return "center";
    case xlsHorzRight: return "right";
    case xlsHorzFill: return "fill";
    case xlsHorzJustify: return "justify";
    case xlsHorzCenterContinuous: return "centerContinuous";
    case xlsHorzDistributed: return "distributed";
    default: return nullptr;
    }
}

// Removes the value of a cell (text, number, formula); its address and format stay.
void ClearValue(pugi::xml_node c) {
    while (c.first_child()) c.remove_child(c.first_child());
    c.remove_attribute("t");
    c.remove_attribute("cm");
    c.remove_attribute("vm");
    c.remove_attribute("ph");
}

}  // namespace

pugi::xml_node CXlsReportEngine::Impl::Cell(int row, int column) {
    // The page's own copy of the row: made from the template's on the first write to it.
    pugi::xml_node r;
    if (auto it = current->rows.find(row); it != current->rows.end()) {
        r = it->second;
    } else {
        if (pugi::xml_node t = current->RowAt(row)) {
            r = Made(current->data.append_copy(t));
            if (IntAttribute(r, "r", 0) != row) Renumber(r, row);  // a template row below rows copied in
        } else {
            r = Made(current->data.append_child("row"));
            r.append_attribute("r").set_value(row);
        }
        current->rows.emplace(row, r);
    }
    pugi::xml_node before;
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
        int cr, cc;
        if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), cr, cc)) continue;
        if (cc == column) return c;
        if (cc > column) {
            before = c;
            break;
        }
    }
    pugi::xml_node c = Made(before ? r.insert_child_before("c", before) : r.append_child("c"));
    ++outputCells;
    ++current->cells;
    c.append_attribute("r").set_value(CellRef(row, column).c_str());
    // A new cell takes the format of its row, or else of its column, as Excel shows an empty one.
    int style = 0;
    if (BoolAttribute(r, "customFormat", false)) {
        style = IntAttribute(r, "s", 0);
    } else {
        pugi::xml_node ws = current->sheet->doc.document_element();
        for (pugi::xml_node col = FirstChild(FirstChild(ws, "cols"), "col"); col; col = col.next_sibling())
            if (IsElement(col, "col") && column >= IntAttribute(col, "min", 0) && column <= IntAttribute(col, "max", 0)) {
                style = IntAttribute(col, "style", 0);
                break;
            }
    }
    if (style > 0) c.append_attribute("s").set_value(style);
    return c;
}

void CXlsReportEngine::Impl::Select(const XlsRange& range) {
    selected = false;
    if (!current) {
        errorNo = static_cast<int>(open ? XlsErrorNo::noPage : XlsErrorNo::noWorkbook);
        return;
    }
    if (range.firstRow < 1 || range.lastRow > kMaxRow || range.firstColumn < 1 || range.lastColumn > kMaxColumn) {
        errorNo = static_cast<int>(XlsErrorNo::badPosition);
        return;
    }
    selection = range;
    selected = true;
    errorNo = 0;
}

void CXlsReportEngine::Cell(std::string_view name, int dx, int dy) {
    if (!m->current) {
        m->Select({});
        return;
    }
    int row, col;
    if (!m->Locate(name, row, col)) {
        m->selected = false;
        m->errorNo = static_cast<int>(XlsErrorNo::noCell);
        return;
    }
    long r = static_cast<long>(row) + dy, c = static_cast<long>(col) + dx;
    if (r < 1 || r > kMaxRow || c < 1 || c > kMaxColumn) {
        m->Select({0, 0, 0, 0});
        return;
    }
    m->Select({static_cast<int>(r), static_cast<int>(c), static_cast<int>(r), static_cast<int>(c)});
}

bool CXlsReportEngine::Impl::Locate(std::string_view name, int& row, int& column) const {
    const TemplateSheet& sheet = *current->sheet;
    if (auto it = sheet.names.find(std::string(name)); it != sheet.names.end()) {
        row = current->PageRow(it->second.first);
        column = it->second.second;
        return true;
    }
    return ParseCellRef(name, row, column);
}

bool CXlsReportEngine::CellPosition(std::string_view name, int& x, int& y) {
    if (!m->current) {
        m->errorNo = static_cast<int>(m->open ? XlsErrorNo::noPage : XlsErrorNo::noWorkbook);
        return false;
    }
    int row, column;
    if (!m->Locate(name, row, column)) {
        m->errorNo = static_cast<int>(XlsErrorNo::noCell);
        return false;
    }
    m->errorNo = 0;
    x = column;
    y = row;
    return true;
}

void CXlsReportEngine::Pos(int x1, int y1, int x2, int y2) {
    m->Select({std::min(y1, y2), std::min(x1, x2), std::max(y1, y2), std::max(x1, x2)});
}

void CXlsReportEngine::PutValueString(std::string_view utf8) {
    if (!m->current || !m->selected) return;
    pugi::xml_node c = m->Cell(m->selection.firstRow, m->selection.firstColumn);
    ClearValue(c);
    // The marks that keep a text's CP932 codes stay in the program: a reader would count and search them.
    std::string text = EscapeCellText(vemo::WithoutCp932CodeMarks(utf8));
    if (text.empty()) return;
    c.append_attribute("t").set_value("inlineStr");
    pugi::xml_node t = c.append_child("is").append_child("t");
    t.append_attribute("xml:space").set_value("preserve");
    t.text().set(text.c_str());
}

void CXlsReportEngine::PutValueLong(int64_t value) {
    if (!m->current || !m->selected) return;
    pugi::xml_node c = m->Cell(m->selection.firstRow, m->selection.firstColumn);
    ClearValue(c);
    c.append_child("v").text().set(std::to_string(value).c_str());
}

void CXlsReportEngine::PutValueDouble(double value) {
    if (!m->current || !m->selected) return;
    pugi::xml_node c = m->Cell(m->selection.firstRow, m->selection.firstColumn);
    ClearValue(c);
    if (auto text = NumberText(value)) c.append_child("v").text().set(text->c_str());
}

void CXlsReportEngine::Impl::Join(bool merge) {
    std::vector<XlsRange>& merges = current->merges;
    std::erase_if(merges, [&](const XlsRange& range) { return Overlaps(range, selection); });
    bool single = selection.firstRow == selection.lastRow && selection.firstColumn == selection.lastColumn;
    if (merge && !single) merges.push_back(selection);
}

void CXlsReportEngine::AttrPutJoint(int joint) {
    if (!m->current || !m->selected) return;
    m->Join(joint != 0);
}

int CXlsReportEngine::Impl::VariantFormat(int xf, const std::string& key,
                                          const std::function<void(pugi::xml_node)>& change) {
    if (auto it = variantXf.find({xf, key}); it != variantXf.end()) return it->second;
    // The template's style sheet has one cell format at least (the plain one when it had none).
    pugi::xml_node cellXfs = FirstChild(styles.document_element(), "cellXfs");
    std::vector<pugi::xml_node> list;
    for (pugi::xml_node x = cellXfs.first_child(); x; x = x.next_sibling())
        if (IsElement(x, "xf")) list.push_back(x);
    if (list.empty()) return xf;
    if (xfIndex.empty())
        for (size_t i = 0; i < list.size(); ++i) xfIndex.emplace(Serialise(list[i]), static_cast<int>(i));
    int source = (xf >= 0 && static_cast<size_t>(xf) < list.size()) ? xf : 0;
    pugi::xml_document copy;
    pugi::xml_node clone = copy.append_copy(list[static_cast<size_t>(source)]);
    change(clone);
    std::string serialised = Serialise(clone);
    int index;
    if (auto it = xfIndex.find(serialised); it != xfIndex.end()) {
        index = it->second;
    } else {
        cellXfs.append_copy(clone);
        index = static_cast<int>(list.size());
        xfIndex.emplace(std::move(serialised), index);
        pugi::xml_attribute count = cellXfs.attribute("count");
        if (!count) count = cellXfs.append_attribute("count");
        count.set_value(index + 1);
    }
    variantXf.emplace(std::pair(xf, key), index);
    return index;
}

int CXlsReportEngine::Impl::AlignedFormat(int xf, const char* attribute, const std::string& value) {
    return VariantFormat(xf, std::string(attribute) + "=" + value, [&](pugi::xml_node clone) {
        pugi::xml_node alignment = FirstChild(clone, "alignment");
        if (!alignment) alignment = clone.prepend_child("alignment");
        alignment.remove_attribute(attribute);
        if (!value.empty()) alignment.prepend_attribute(attribute).set_value(value.c_str());
        if (!alignment.first_attribute()) clone.remove_child(alignment);
        pugi::xml_attribute apply = clone.attribute("applyAlignment");
        if (!apply) apply = clone.append_attribute("applyAlignment");
        apply.set_value("1");
    });
}

int CXlsReportEngine::Impl::NumberFormatId(const std::string& code) {
    pugi::xml_node sheet = styles.document_element();
    pugi::xml_node numFmts = FirstChild(sheet, "numFmts");
    int last = 163;  // custom formats are numbered from 164
    for (pugi::xml_node f = FirstChild(numFmts, "numFmt"); f; f = f.next_sibling()) {
        if (!IsElement(f, "numFmt")) continue;
        const int id = IntAttribute(f, "numFmtId", 0);
        if (code == f.attribute("formatCode").value()) return id;
        last = std::max(last, id);
    }
    // The built-in figures every locale shows alike.
    for (int id : {1, 2, 3, 4})
        if (BuiltInNumberFormat(id) == code) return id;
    if (!numFmts) numFmts = Made(sheet.prepend_child("numFmts"));
    pugi::xml_node f = Made(numFmts.append_child("numFmt"));
    f.append_attribute("numFmtId").set_value(last + 1);
    f.append_attribute("formatCode").set_value(code.c_str());
    int count = 0;
    for (pugi::xml_node n = numFmts.first_child(); n; n = n.next_sibling()) count += IsElement(n, "numFmt") ? 1 : 0;
    pugi::xml_attribute a = numFmts.attribute("count");
    if (!a) a = numFmts.append_attribute("count");
    a.set_value(count);
    return last + 1;
}

int CXlsReportEngine::Impl::DecimalsFormat(int xf, int decimals, bool grouped) {
    pugi::xml_node cellXfs = FirstChild(styles.document_element(), "cellXfs");
    pugi::xml_node source;
    int i = 0;
    for (pugi::xml_node x = cellXfs.first_child(); x; x = x.next_sibling())
        if (IsElement(x, "xf") && i++ == std::max(xf, 0)) {
            source = x;
            break;
        }
    const int id = IntAttribute(source, "numFmtId", 0);
    std::string code = BuiltInNumberFormat(id);
    for (pugi::xml_node f = FirstChild(FirstChild(styles.document_element(), "numFmts"), "numFmt"); f; f = f.next_sibling())
        if (IsElement(f, "numFmt") && IntAttribute(f, "numFmtId", -1) == id) code = f.attribute("formatCode").value();
    const std::string wanted = XlsFormatWithDecimals(code.empty() ? "General" : code, decimals, grouped);
    if (wanted == code) return xf;
    const int wantedId = NumberFormatId(wanted);
    return VariantFormat(xf, "numFmt=" + wanted, [wantedId](pugi::xml_node clone) {
        pugi::xml_attribute a = clone.attribute("numFmtId");
        if (!a) a = clone.prepend_attribute("numFmtId");
        a.set_value(wantedId);
        pugi::xml_attribute apply = clone.attribute("applyNumberFormat");
        if (!apply) apply = clone.append_attribute("applyNumberFormat");
        apply.set_value("1");
    });
}

void CXlsReportEngine::Impl::Restyle(const std::function<int(int)>& format) {
    const XlsRange& s = selection;
    if (static_cast<long>(s.lastRow - s.firstRow + 1) * (s.lastColumn - s.firstColumn + 1) > kMaxAlignedCells) {
        errorNo = static_cast<int>(XlsErrorNo::badPosition);
        return;
    }
    for (int row = s.firstRow; row <= s.lastRow; ++row)
        for (int col = s.firstColumn; col <= s.lastColumn; ++col) {
            pugi::xml_node c = Cell(row, col);
            const int xf = format(IntAttribute(c, "s", 0));
            pugi::xml_attribute a = c.attribute("s");
            if (xf == 0 && !a) continue;
            if (!a) a = c.append_attribute("s");
            a.set_value(xf);
        }
}

void CXlsReportEngine::Impl::Align(const char* attribute, const char* value) {
    if (!value) {
        errorNo = static_cast<int>(XlsErrorNo::badValue);
        return;
    }
    Restyle([&](int xf) { return AlignedFormat(xf, attribute, value); });
}

void CXlsReportEngine::AttrPutPosHorz(int alignment) {
    if (!m->current || !m->selected) return;
    m->Align("horizontal", HorizontalName(alignment));
}

void CXlsReportEngine::AttrPutPosVert(int alignment) {
    if (!m->current || !m->selected) return;
    m->Align("vertical", VerticalName(alignment));
}

void CXlsReportEngine::AttrPutDecimals(int decimals, bool grouped) {
    if (!m->current || !m->selected) return;
    m->Restyle([&](int xf) { return m->DecimalsFormat(xf, decimals, grouped); });
}
