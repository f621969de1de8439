// Reading a workbook package into the model the preview lays out.
#include <algorithm>
#include <cstdlib>
#include <new>
#include <tuple>

#include "report/XlsInternal.h"

namespace xls {

namespace {

// "$1:$3" → rows 1..3; "$A:$B" → columns 1..2.
bool ParseSpan(std::string_view text, bool rows, int& first, int& last) {
    size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    auto one = [&](std::string_view part, int& out) {
        if (!part.empty() && part[0] == '$') part.remove_prefix(1);
        if (part.empty()) return false;
        int v = 0;
        for (char c : part) {
            if (rows ? (c < '0' || c > '9') : !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
            v = rows ? v * 10 + (c - '0') : v * 26 + ((c & ~0x20) - 'A' + 1);
            if (v > kMaxRow) return false;
        }
        out = v;
        return v >= 1;
    };
    return one(text.substr(0, colon), first) && one(text.substr(colon + 1), last);
}

void ReadSheet(pugi::xml_node ws, const std::vector<std::string>& sharedStrings, XlsSheet& sheet) {
    if (pugi::xml_node pr = FirstChild(FirstChild(ws, "sheetPr"), "pageSetUpPr"))
        sheet.page.fitToPage = BoolAttribute(pr, "fitToPage", false);
    if (pugi::xml_node view = FirstChild(FirstChild(ws, "sheetViews"), "sheetView"))
        sheet.showGridLines = BoolAttribute(view, "showGridLines", true);
    if (pugi::xml_node fmt = FirstChild(ws, "sheetFormatPr")) {
        sheet.baseColumnWidth = DoubleAttribute(fmt, "baseColWidth", 8);
        sheet.defaultColumnWidth = DoubleAttribute(fmt, "defaultColWidth", 0);
        sheet.defaultRowHeight = DoubleAttribute(fmt, "defaultRowHeight", 15);
    }
    for (pugi::xml_node c = FirstChild(ws, "cols").first_child(); c; c = c.next_sibling()) {
        if (!IsElement(c, "col")) continue;
        XlsColumn col;
        col.first = std::clamp(IntAttribute(c, "min", 0), 0, kMaxColumn);
        col.last = std::clamp(IntAttribute(c, "max", col.first), 0, kMaxColumn);
        if (col.first < 1 || col.last < col.first) continue;
        col.width = DoubleAttribute(c, "width", 0);
        col.customWidth = BoolAttribute(c, "customWidth", false);
        col.hidden = BoolAttribute(c, "hidden", false);
        col.style = IntAttribute(c, "style", 0);
        sheet.columns.push_back(col);
    }
    int rowNumber = 0;
    for (pugi::xml_node r = FirstChild(ws, "sheetData").first_child(); r; r = r.next_sibling()) {
        if (!IsElement(r, "row")) continue;
        rowNumber = IntAttribute(r, "r", rowNumber + 1);
        if (rowNumber < 1 || rowNumber > kMaxRow) continue;
        XlsRow row;
        row.row = rowNumber;
        row.height = DoubleAttribute(r, "ht", 0);
        row.customHeight = BoolAttribute(r, "customHeight", false);
        row.hidden = BoolAttribute(r, "hidden", false);
        if (BoolAttribute(r, "customFormat", false)) row.style = IntAttribute(r, "s", 0);
        if (row.height > 0 || row.hidden || row.style >= 0) sheet.rows.push_back(row);
        int column = 0;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!IsElement(c, "c")) continue;
            int cr = rowNumber, cc = column + 1;
            if (c.attribute("r") && !ParseCellRef(c.attribute("r").value(), cr, cc)) continue;
            column = cc;
            XlsCell cell;
            cell.row = cr;
            cell.column = cc;
            cell.style = IntAttribute(c, "s", 0);
            if (pugi::xml_node f = FirstChild(c, "f")) cell.formula = f.text().get();
            std::string_view type(c.attribute("t").value());
            pugi::xml_node v = FirstChild(c, "v");
            const char* value = v.text().get();
            if (type == "inlineStr") {
                cell.kind = XlsValueKind::text;
                cell.text = UnescapeCellText(StringItemText(FirstChild(c, "is")));
            } else if (!v) {
                cell.kind = XlsValueKind::empty;
            } else if (type == "s") {
                int i = std::atoi(value);
                cell.kind = XlsValueKind::text;
                if (i >= 0 && static_cast<size_t>(i) < sharedStrings.size()) cell.text = sharedStrings[static_cast<size_t>(i)];
            } else if (type == "str" || type == "d") {
                cell.kind = XlsValueKind::text;
                cell.text = UnescapeCellText(value);
            } else if (type == "b") {
                cell.kind = XlsValueKind::boolean;
                cell.number = std::string_view(value) == "1" ? 1 : 0;
            } else if (type == "e") {
                cell.kind = XlsValueKind::error;
                cell.text = value;
            } else {
                char* end = nullptr;
                double d = std::strtod(value, &end);
                if (end != value) {
                    cell.kind = XlsValueKind::number;
                    cell.number = d;
                }
            }
            sheet.cells.push_back(std::move(cell));
        }
    }
    std::stable_sort(sheet.cells.begin(), sheet.cells.end(),
                     [](const XlsCell& a, const XlsCell& b) { return std::tie(a.row, a.column) < std::tie(b.row, b.column); });
    std::stable_sort(sheet.rows.begin(), sheet.rows.end(), [](const XlsRow& a, const XlsRow& b) { return a.row < b.row; });
    for (pugi::xml_node m = FirstChild(ws, "mergeCells").first_child(); m; m = m.next_sibling()) {
        XlsRange range;
        if (IsElement(m, "mergeCell") && ParseRangeRef(m.attribute("ref").value(), range)) sheet.merges.push_back(range);
    }
    if (pugi::xml_node po = FirstChild(ws, "printOptions")) {
        sheet.page.horizontalCentered = BoolAttribute(po, "horizontalCentered", false);
        sheet.page.verticalCentered = BoolAttribute(po, "verticalCentered", false);
        sheet.page.printGridLines = BoolAttribute(po, "gridLines", false);
        sheet.page.printHeadings = BoolAttribute(po, "headings", false);
    }
    if (pugi::xml_node pm = FirstChild(ws, "pageMargins")) {
        XlsMargins& m = sheet.page.margins;
        m.left = DoubleAttribute(pm, "left", m.left);
        m.right = DoubleAttribute(pm, "right", m.right);
        m.top = DoubleAttribute(pm, "top", m.top);
        m.bottom = DoubleAttribute(pm, "bottom", m.bottom);
        m.header = DoubleAttribute(pm, "header", m.header);
        m.footer = DoubleAttribute(pm, "footer", m.footer);
    }
    if (pugi::xml_node ps = FirstChild(ws, "pageSetup")) {
        XlsPageSetup& p = sheet.page;
        p.paperSize = IntAttribute(ps, "paperSize", p.paperSize);
        if (ps.attribute("orientation")) p.orientation = ps.attribute("orientation").value();
        p.scale = IntAttribute(ps, "scale", p.scale);
        p.fitToWidth = IntAttribute(ps, "fitToWidth", p.fitToWidth);
        p.fitToHeight = IntAttribute(ps, "fitToHeight", p.fitToHeight);
        p.firstPageNumber = IntAttribute(ps, "firstPageNumber", p.firstPageNumber);
        p.useFirstPageNumber = BoolAttribute(ps, "useFirstPageNumber", false);
        if (ps.attribute("pageOrder")) p.pageOrder = ps.attribute("pageOrder").value();
        p.blackAndWhite = BoolAttribute(ps, "blackAndWhite", false);
    }
    if (pugi::xml_node hf = FirstChild(ws, "headerFooter")) {
        XlsPageSetup& p = sheet.page;
        p.differentFirst = BoolAttribute(hf, "differentFirst", false);
        p.differentOddEven = BoolAttribute(hf, "differentOddEven", false);
        p.oddHeader = FirstChild(hf, "oddHeader").text().get();
        p.oddFooter = FirstChild(hf, "oddFooter").text().get();
        p.evenHeader = FirstChild(hf, "evenHeader").text().get();
        p.evenFooter = FirstChild(hf, "evenFooter").text().get();
        p.firstHeader = FirstChild(hf, "firstHeader").text().get();
        p.firstFooter = FirstChild(hf, "firstFooter").text().get();
    }
    for (pugi::xml_node b = FirstChild(ws, "rowBreaks").first_child(); b; b = b.next_sibling())
        if (IsElement(b, "brk")) sheet.rowBreaks.push_back(IntAttribute(b, "id", 0));
    for (pugi::xml_node b = FirstChild(ws, "colBreaks").first_child(); b; b = b.next_sibling())
        if (IsElement(b, "brk")) sheet.columnBreaks.push_back(IntAttribute(b, "id", 0));
}

XlsOpenError FillModel(Package& package, XlsWorkbook& out, std::string* detail) {
    WorkbookParts parts;
    XlsOpenError located = LocateWorkbook(package, parts, detail);
    if (located != XlsOpenError::none) return located;
    pugi::xml_node wb = parts.workbook.document_element();
    out.date1904 = BoolAttribute(FirstChild(wb, "workbookPr"), "date1904", false);

    pugi::xml_document themeDoc;
    if (!parts.themePart.empty()) {
        // A theme that cannot be read leaves the standard colours; one beyond the limits refuses the workbook.
        std::string why;
        XlsOpenError theme = package.Parse(parts.themePart, themeDoc, &why);
        if (theme == XlsOpenError::tooLarge || theme == XlsOpenError::tooDeep || theme == XlsOpenError::outOfMemory) {
            if (detail) *detail = why;
            return theme;
        }
        if (theme != XlsOpenError::none) themeDoc.reset();
        DropRootPrefix(themeDoc);
    }
    std::vector<uint32_t> theme = ThemeColors(themeDoc.document_element());
    pugi::xml_document styles;
    XlsOpenError read = parts.stylesPart.empty() ? package.ParseBytes(DefaultStylesXml(), "styles", styles, detail)
                                                 : package.Parse(parts.stylesPart, styles, detail);
    if (read != XlsOpenError::none) return read;
    DropRootPrefix(styles);
    read = CheckStyleCounts(styles.document_element(), package.Limits(), parts.stylesPart, detail);
    if (read != XlsOpenError::none) return read;
    out.styles = ReadStyles(styles.document_element(), theme);

    std::vector<std::string> sharedStrings;
    if (!parts.sharedStringsPart.empty()) {
        pugi::xml_document sst;
        read = package.Parse(parts.sharedStringsPart, sst, detail);
        if (read != XlsOpenError::none) return read;
        DropRootPrefix(sst);
        for (pugi::xml_node si = sst.document_element().first_child(); si; si = si.next_sibling())
            if (IsElement(si, "si")) sharedStrings.push_back(UnescapeCellText(StringItemText(si)));
    }

    // Sheets, remembering where each workbook position went (defined names count positions).
    std::vector<int> modelIndex(parts.sheets.size(), -1);
    for (size_t i = 0; i < parts.sheets.size(); ++i) {
        if (parts.sheets[i].part.empty()) continue;
        pugi::xml_document ws;
        read = package.Parse(parts.sheets[i].part, ws, detail);
        if (read != XlsOpenError::none) return read;
        DropRootPrefix(ws);
        if (LocalName(ws.document_element().name()) != "worksheet") {
            if (detail) *detail = parts.sheets[i].part + " is no worksheet";
            return XlsOpenError::damagedXml;
        }
        if (std::string why; !WithinSheetCounts(FirstChild(ws.document_element(), "sheetData"), package.Limits(), why)) {
            if (detail) *detail = parts.sheets[i].part + ": " + why;
            return XlsOpenError::tooLarge;
        }
        XlsSheet sheet;
        sheet.name = parts.sheets[i].name;
        ReadSheet(ws.document_element(), sharedStrings, sheet);
        modelIndex[i] = static_cast<int>(out.sheets.size());
        out.sheets.push_back(std::move(sheet));
    }
    for (pugi::xml_node dn = FirstChild(FirstChild(wb, "definedNames"), "definedName"); dn; dn = dn.next_sibling()) {
        if (!IsElement(dn, "definedName") || !dn.attribute("localSheetId")) continue;
        int position = IntAttribute(dn, "localSheetId", -1);
        if (position < 0 || static_cast<size_t>(position) >= modelIndex.size() || modelIndex[static_cast<size_t>(position)] < 0)
            continue;
        XlsSheet& sheet = out.sheets[static_cast<size_t>(modelIndex[static_cast<size_t>(position)])];
        std::string_view name(dn.attribute("name").value());
        for (const std::string& area : FormulaAreas(dn.text().get())) {
            XlsRange range;
            if (name == "_xlnm.Print_Area" && ParseRangeRef(area, range)) {
                sheet.printArea.push_back(range);
            } else if (name == "_xlnm.Print_Titles") {
                int first, last;
                if (ParseSpan(area, true, first, last)) sheet.titleFirstRow = first, sheet.titleLastRow = last;
                else if (ParseSpan(area, false, first, last)) sheet.titleFirstColumn = first, sheet.titleLastColumn = last;
            }
        }
    }
    return XlsOpenError::none;
}

}  // namespace

XlsOpenError ReadPackageModel(Package& package, XlsWorkbook& out, std::string* detail) {
    out = XlsWorkbook();
    XlsOpenError result;
    try {
        result = FillModel(package, out, detail);
    } catch (const std::bad_alloc&) {
        if (detail) *detail = "out of memory";
        result = XlsOpenError::outOfMemory;
    }
    if (result != XlsOpenError::none) out = XlsWorkbook();  // nothing half read
    return result;
}

}  // namespace xls

XlsOpenError ReadXlsWorkbook(const std::string& xlsxBytes, XlsWorkbook& out, std::string* detail) {
    out = XlsWorkbook();
    if (xlsxBytes.size() > xls::kFormLimits.fileBytes) {
        if (detail) *detail = "larger than a print form";
        return XlsOpenError::tooLarge;
    }
    xls::Package package(xls::kFormLimits);
    XlsOpenError read = package.OpenArchive(xlsxBytes, detail);
    if (read != XlsOpenError::none) return read;
    return xls::ReadPackageModel(package, out, detail);
}

// ---- sheet lookups ----

const XlsCell* XlsSheet::FindCell(int row, int column) const {
    auto it = std::lower_bound(cells.begin(), cells.end(), std::pair(row, column), [](const XlsCell& c, const std::pair<int, int>& k) {
        return std::pair(c.row, c.column) < k;
    });
    return (it != cells.end() && it->row == row && it->column == column) ? &*it : nullptr;
}

double XlsSheet::ColumnWidth(int column) const {
    for (const XlsColumn& c : columns)
        if (column >= c.first && column <= c.last && c.width > 0) return c.width;
    // Excel's default: the base width plus 5 pixels of padding at its 7-pixel digit.
    return defaultColumnWidth > 0 ? defaultColumnWidth : baseColumnWidth + 5.0 / 7.0;
}

double XlsSheet::RowHeight(int row) const {
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const XlsRow& r, int k) { return r.row < k; });
    return (it != rows.end() && it->row == row && it->height > 0) ? it->height : defaultRowHeight;
}

bool XlsSheet::IsRowHidden(int row) const {
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const XlsRow& r, int k) { return r.row < k; });
    return it != rows.end() && it->row == row && it->hidden;
}

bool XlsSheet::IsColumnHidden(int column) const {
    for (const XlsColumn& c : columns)
        if (column >= c.first && column <= c.last) return c.hidden;
    return false;
}
