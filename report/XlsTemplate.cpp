// Reading the template workbook and preparing its worksheets for copying.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>

#include "platform/FileUtil.h"
#include "report/XlsEngineImpl.h"

using namespace xls;

namespace {

// Elements that point at other parts (pictures, drawings, tables, controls): pages are copied without
// those parts, so the elements go.
constexpr std::string_view kPartElements[] = {"drawing", "legacyDrawing", "legacyDrawingHF", "drawingHF", "picture",
                                              "oleObjects", "controls", "tableParts", "customProperties",
                                              "webPublishItems"};

// Gives every row and cell its address, puts them in order and drops repeated ones. False when an
// address is not one.
bool NormaliseSheetData(pugi::xml_node sheetData, std::string& why) {
    std::vector<std::pair<int, pugi::xml_node>> rows;
    int last = 0;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (!IsElement(r, "row")) continue;
        int number = last + 1;
        if (pugi::xml_attribute a = r.attribute("r")) {
            char* end = nullptr;
            long v = std::strtol(a.value(), &end, 10);
            if (end == a.value() || *end || v < 1 || v > kMaxRow) {
                why = std::string("bad row number ") + a.value();
                return false;
            }
            number = static_cast<int>(v);
        }
        last = number;
        rows.emplace_back(number, r);
    }
    std::stable_sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.first < b.first; });
    int previous = 0;
    for (auto& [number, r] : rows) {
        if (number == previous) {
            sheetData.remove_child(r);
            continue;
        }
        previous = number;
        sheetData.append_move(r);
        r.remove_attribute("spans");
        pugi::xml_attribute ra = r.attribute("r");
        if (!ra) ra = r.prepend_attribute("r");
        ra.set_value(number);
        std::vector<std::pair<int, pugi::xml_node>> cells;
        int column = 0;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!IsElement(c, "c")) continue;
            int cr = number, cc = column + 1;
            if (pugi::xml_attribute a = c.attribute("r")) {
                if (!ParseCellRef(a.value(), cr, cc) || cr != number) {
                    why = std::string("bad cell address ") + a.value();
                    return false;
                }
            } else if (cc > kMaxColumn) {
                why = "too many cells in row " + std::to_string(number);
                return false;
            }
            column = cc;
            cells.emplace_back(cc, c);
        }
        std::stable_sort(cells.begin(), cells.end(), [](auto& a, auto& b) { return a.first < b.first; });
        int previousColumn = 0;
        for (auto& [col, c] : cells) {
            if (col == previousColumn) {
                r.remove_child(c);
                continue;
            }
            previousColumn = col;
            r.append_move(c);
            pugi::xml_attribute ca = c.attribute("r");
            if (!ca) ca = c.prepend_attribute("r");
            ca.set_value(CellRef(number, col).c_str());
        }
    }
    return true;
}

// Shared formulas become ordinary ones, so that any cell can be overwritten without breaking the
// cells that share its formula; and formula results are dropped, since the values they were computed
// from change on every page (the workbook asks for a full calculation when it is opened).
void UnshareFormulas(pugi::xml_node sheetData) {
    struct Master {
        int row, column;
        std::string text;
    };
    std::map<std::string, Master> masters;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling())
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            pugi::xml_node f = FirstChild(c, "f");
            if (!f || std::string_view(f.attribute("t").value()) != "shared" || !*f.text().get()) continue;
            int row, col;
            if (ParseCellRef(c.attribute("r").value(), row, col))
                masters.emplace(f.attribute("si").value(), Master{row, col, f.text().get()});
        }
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling())
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            pugi::xml_node f = FirstChild(c, "f");
            if (!f) continue;
            if (std::string_view(f.attribute("t").value()) == "shared") {
                auto m = masters.find(f.attribute("si").value());
                int row, col;
                if (m == masters.end() || !ParseCellRef(c.attribute("r").value(), row, col)) {
                    c.remove_child(f);
                    continue;
                }
                std::string text = ShiftFormula(m->second.text, row - m->second.row, col - m->second.column);
                f.remove_attribute("t");
                f.remove_attribute("si");
                f.remove_attribute("ref");
                f.text().set(text.c_str());
            }
            while (pugi::xml_node v = FirstChild(c, "v")) c.remove_child(v);
            c.remove_attribute("t");
        }
}

// A shared string that points nowhere leaves its cell empty: the value goes, the format stays.
void DropDanglingSharedStrings(pugi::xml_node sheetData, size_t sharedCount) {
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling())
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (std::string_view(c.attribute("t").value()) != "s") continue;
            pugi::xml_node v = FirstChild(c, "v");
            const char* text = v.text().get();
            char* end = nullptr;
            errno = 0;
            const long long i = std::strtoll(text, &end, 10);
            if (v && end != text && !*end && errno == 0 && i >= 0 && static_cast<unsigned long long>(i) < sharedCount)
                continue;
            while (pugi::xml_node value = FirstChild(c, "v")) c.remove_child(value);
            c.remove_attribute("t");
        }
}

// The merges of the sheet, those whose range is no range of a sheet dropped; the element goes (every
// page writes its own).
std::vector<XlsRange> TakeMerges(pugi::xml_node ws) {
    std::vector<XlsRange> merges;
    while (pugi::xml_node list = FirstChild(ws, "mergeCells")) {
        for (pugi::xml_node m = list.first_child(); m; m = m.next_sibling()) {
            XlsRange range;
            if (IsElement(m, "mergeCell") && ParseRangeRef(m.attribute("ref").value(), range)) merges.push_back(range);
        }
        ws.remove_child(list);
    }
    return merges;
}

XlsOpenError PrepareSheet(TemplateSheet& sheet, const ReadLimits& limits, size_t sharedCount, std::string& why) {
    pugi::xml_document& doc = sheet.doc;
    DropRootPrefix(doc);
    pugi::xml_node ws = doc.document_element();
    if (LocalName(ws.name()) != "worksheet") {
        why = "not a worksheet";
        return XlsOpenError::damagedXml;
    }
    for (std::string_view name : kPartElements)
        while (pugi::xml_node n = FirstChild(ws, name)) ws.remove_child(n);
    if (pugi::xml_node links = FirstChild(ws, "hyperlinks")) {
        for (pugi::xml_node h = links.first_child(); h;) {
            pugi::xml_node next = h.next_sibling();
            if (PrefixedAttribute(h, "id")) links.remove_child(h);
            h = next;
        }
        if (!FirstChild(links, "hyperlink")) ws.remove_child(links);
    }
    if (pugi::xml_node setup = FirstChild(ws, "pageSetup"))
        if (pugi::xml_attribute id = PrefixedAttribute(setup, "id")) setup.remove_attribute(id);
    for (pugi::xml_node v = FirstChild(FirstChild(ws, "sheetViews"), "sheetView"); v; v = v.next_sibling())
        v.remove_attribute("tabSelected");
    while (pugi::xml_node dim = FirstChild(ws, "dimension")) ws.remove_child(dim);
    sheet.merges = TakeMerges(ws);
    pugi::xml_node data = FirstChild(ws, "sheetData");
    if (!data) data = InsertWorksheetChild(ws, "sheetData");
    if (!WithinSheetCounts(data, limits, why)) return XlsOpenError::tooLarge;
    if (!NormaliseSheetData(data, why)) return XlsOpenError::damagedXml;
    DropDanglingSharedStrings(data, sharedCount);
    UnshareFormulas(data);
    sheet.used = {};
    sheet.cellCount = 0;
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling()) {
        if (!IsElement(r, "row")) continue;
        const int number = IntAttribute(r, "r", 0);
        sheet.rows.emplace(number, r);
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            int row, col;
            if (!IsElement(c, "c") || !ParseCellRef(c.attribute("r").value(), row, col)) continue;
            ++sheet.cellCount;
            XlsRange& u = sheet.used;
            if (u.firstRow == 0) u = {row, col, row, col};
            u = {std::min(u.firstRow, row), std::min(u.firstColumn, col), std::max(u.lastRow, row), std::max(u.lastColumn, col)};
        }
    }
    return XlsOpenError::none;
}

// A style sheet whose cell formats are missing or empty gets the plain one every cell uses.
void EnsurePlainCellFormat(pugi::xml_node styleSheet) {
    pugi::xml_node cellXfs = FirstChild(styleSheet, "cellXfs");
    if (!cellXfs) {
        pugi::xml_node after = FirstChild(styleSheet, "cellStyleXfs");
        if (!after) after = FirstChild(styleSheet, "borders");
        cellXfs = after ? styleSheet.insert_child_after("cellXfs", after) : styleSheet.prepend_child("cellXfs");
    }
    if (FirstChild(cellXfs, "xf")) return;
    pugi::xml_node plain = cellXfs.append_child("xf");
    for (const char* a : {"numFmtId", "fontId", "fillId", "borderId"}) plain.append_attribute(a).set_value(0);
    pugi::xml_attribute count = cellXfs.attribute("count");
    if (!count) count = cellXfs.append_attribute("count");
    count.set_value(1);
}

}  // namespace

CXlsReportEngine::CXlsReportEngine() : m(std::make_unique<Impl>()) {}
CXlsReportEngine::~CXlsReportEngine() = default;

void CXlsReportEngine::PutFileName(std::string_view templatePath) { m->templatePath = std::string(templatePath); }

XlsOpenError CXlsReportEngine::StartFile() {
    m->Reset();
    XlsOpenError result;
    try {
        result = m->Load();
    } catch (const std::bad_alloc&) {
        m->failure = "out of memory";
        result = XlsOpenError::outOfMemory;
    }
    if (result != XlsOpenError::none) {
        std::string why = std::move(m->failure);
        m->Reset();
        m->failure = std::move(why);
        m->errorNo = static_cast<int>(XlsErrorNo::noWorkbook);
        return result;
    }
    m->open = true;
    m->errorNo = 0;
    return result;
}

XlsOpenError CXlsReportEngine::OpenTemplate(std::string_view templatePath) {
    PutFileName(templatePath);
    return StartFile();
}

void CXlsReportEngine::Close() {
    m->Reset();
    m->errorNo = static_cast<int>(XlsErrorNo::noWorkbook);
}

bool CXlsReportEngine::HasWorkbook() const { return m->open; }
const std::string& CXlsReportEngine::FailureDetail() const { return m->failure; }
int CXlsReportEngine::GetErrorNo() const { return m->errorNo; }

void CXlsReportEngine::OptionPutViewCaption(std::string_view caption) { m->view.caption = std::string(caption); }
void CXlsReportEngine::OptionPutViewZoom(int zoom) { m->view.zoom = zoom; }
void CXlsReportEngine::OptionPutDspInvalidArea(int show) { m->view.showInvalidArea = show != 0; }
void CXlsReportEngine::OptionPutDspMarginArea(int show) { m->view.showMarginArea = show != 0; }
const XlsViewOptions& CXlsReportEngine::ViewOptions() const { return m->view; }

void CXlsReportEngine::Impl::Reset() {
    open = false;
    failure.clear();
    sheets.clear();
    sharedTexts.clear();
    sharedStrings.reset();
    styles.reset();
    themeBytes.clear();
    workbookPr.reset();
    xfIndex.clear();
    variantXf.clear();
    pages.clear();
    current.reset();
    outputCells = 0;
    outputFull = false;
    takenNames.clear();
    nextSuffix.clear();
    selected = false;
}

XlsOpenError CXlsReportEngine::Impl::Load() {
    if (templatePath.empty()) {
        failure = "no template was named";
        return XlsOpenError::noFileName;
    }
    const ReadLimits& limits = kFormLimits;
    std::string bytes;
    switch (vemo::ReadWholeFile(templatePath, static_cast<size_t>(limits.fileBytes), bytes)) {
    case vemo::ReadResult::read: break;
    case vemo::ReadResult::missing:
    case vemo::ReadResult::unreadable: failure = "cannot read " + templatePath; return XlsOpenError::fileMissing;
    case vemo::ReadResult::notAFile: failure = templatePath + " is no regular file"; return XlsOpenError::notAFile;
    case vemo::ReadResult::tooLarge:
        failure = templatePath + " is larger than " + std::to_string(limits.fileBytes) + " bytes";
        return XlsOpenError::tooLarge;
    }
    Package package(limits);
    XlsOpenError result = package.OpenArchive(std::move(bytes), &failure);
    if (result != XlsOpenError::none) return result;
    WorkbookParts parts;
    result = LocateWorkbook(package, parts, &failure);
    if (result != XlsOpenError::none) return result;

    result = parts.stylesPart.empty() ? package.ParseBytes(DefaultStylesXml(), "styles", styles, &failure)
                                      : package.Parse(parts.stylesPart, styles, &failure);
    if (result != XlsOpenError::none) return result;
    DropRootPrefix(styles);
    pugi::xml_node styleSheet = styles.document_element();
    if (LocalName(styleSheet.name()) != "styleSheet") {
        failure = parts.stylesPart + ": not a style sheet";
        return XlsOpenError::damagedXml;
    }
    result = CheckStyleCounts(styleSheet, limits, parts.stylesPart, &failure);
    if (result != XlsOpenError::none) return result;
    EnsurePlainCellFormat(styleSheet);
    if (!parts.sharedStringsPart.empty()) {
        result = package.Parse(parts.sharedStringsPart, sharedStrings, &failure);
        if (result != XlsOpenError::none) return result;
        DropRootPrefix(sharedStrings);
        pugi::xml_node sst = sharedStrings.document_element();
        if (LocalName(sst.name()) != "sst") {
            failure = parts.sharedStringsPart + ": not a shared string table";
            return XlsOpenError::damagedXml;
        }
        // The number of uses changes with every page; the attribute is optional.
        sst.remove_attribute("count");
        for (pugi::xml_node si = sst.first_child(); si; si = si.next_sibling())
            if (IsElement(si, "si")) sharedTexts.push_back(UnescapeCellText(StringItemText(si)));
    }
    if (!parts.themePart.empty()) {
        // Copied into the output as it is; parsed here only to hold it to the limits.
        const std::string* theme = package.Read(parts.themePart, result, &failure);
        if (!theme) return result;
        themeBytes = *theme;
        pugi::xml_document check;
        result = package.Parse(parts.themePart, check, &failure);
        if (result != XlsOpenError::none) return result;
    }
    pugi::xml_node wb = parts.workbook.document_element();
    if (pugi::xml_node pr = FirstChild(wb, "workbookPr")) workbookPr.append_copy(pr);

    std::vector<TemplateSheet*> byPosition;
    for (const WorkbookParts::Sheet& s : parts.sheets) {
        if (s.part.empty()) {
            byPosition.push_back(nullptr);
            continue;
        }
        auto sheet = std::make_unique<TemplateSheet>();
        sheet->name = s.name;
        result = package.Parse(s.part, sheet->doc, &failure);
        if (result != XlsOpenError::none) return result;
        std::string why;
        result = PrepareSheet(*sheet, limits, sharedTexts.size(), why);
        if (result != XlsOpenError::none) {
            failure = s.part + ": " + why;
            return result;
        }
        byPosition.push_back(sheet.get());
        sheets.push_back(std::move(sheet));
    }
    for (pugi::xml_node dn = FirstChild(FirstChild(wb, "definedNames"), "definedName"); dn; dn = dn.next_sibling()) {
        if (!IsElement(dn, "definedName") || !dn.attribute("localSheetId")) continue;
        int position = IntAttribute(dn, "localSheetId", -1);
        if (position < 0 || static_cast<size_t>(position) >= byPosition.size() || !byPosition[static_cast<size_t>(position)])
            continue;
        TemplateSheet& sheet = *byPosition[static_cast<size_t>(position)];
        std::string_view name(dn.attribute("name").value());
        if (name == "_xlnm.Print_Area") sheet.printArea = FormulaAreas(dn.text().get());
        else if (name == "_xlnm.Print_Titles") sheet.printTitles = FormulaAreas(dn.text().get());
    }
    return XlsOpenError::none;
}

namespace xls {

pugi::xml_node InsertWorksheetChild(pugi::xml_node ws, const char* name) {
    static constexpr std::string_view order[] = {
        "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
        "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
        "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations", "hyperlinks",
        "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks", "customProperties",
        "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing", "legacyDrawingHF", "drawingHF",
        "picture", "oleObjects", "controls", "webPublishItems", "tableParts", "extLst"};
    auto rank = [&](std::string_view n) {
        for (size_t i = 0; i < std::size(order); ++i)
            if (order[i] == n) return static_cast<int>(i);
        return -1;
    };
    int mine = rank(name);
    for (pugi::xml_node c = ws.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && rank(LocalName(c.name())) > mine) return ws.insert_child_before(name, c);
    return ws.append_child(name);
}

pugi::xml_node Made(pugi::xml_node node) {
    if (!node) throw std::bad_alloc();
    return node;
}

}  // namespace xls
