// Reading the template workbook and preparing its worksheets for copying.
#include <algorithm>
#include <cstdlib>

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

bool PrepareSheet(pugi::xml_document& doc, std::string& why) {
    DropRootPrefix(doc);
    pugi::xml_node ws = doc.document_element();
    if (LocalName(ws.name()) != "worksheet") {
        why = "not a worksheet";
        return false;
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
    pugi::xml_node data = FirstChild(ws, "sheetData");
    if (!data) data = InsertWorksheetChild(ws, "sheetData");
    if (!NormaliseSheetData(data, why)) return false;
    UnshareFormulas(data);
    return true;
}

}  // namespace

CXlsReportEngine::CXlsReportEngine() : m(std::make_unique<Impl>()) {}
CXlsReportEngine::~CXlsReportEngine() = default;

void CXlsReportEngine::PutFileName(std::string_view templatePath) { m->templatePath = std::string(templatePath); }

XlsOpenError CXlsReportEngine::StartFile() {
    m->Reset();
    XlsOpenError result = m->Load();
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
    alignedXf.clear();
    pages.clear();
    current.reset();
    takenNames.clear();
    nextSuffix.clear();
    selected = false;
}

XlsOpenError CXlsReportEngine::Impl::Load() {
    if (templatePath.empty()) {
        failure = "no template was named";
        return XlsOpenError::noFileName;
    }
    std::string bytes;
    if (!vemo::ReadFileBytes(templatePath, bytes, &failure)) {
        if (failure.empty()) failure = "cannot read " + templatePath;
        return XlsOpenError::fileMissing;
    }
    Package package;
    XlsOpenError result = ReadZip(bytes, package, &failure);
    if (result != XlsOpenError::none) return result;
    bytes.clear();
    WorkbookParts parts;
    result = LocateWorkbook(package, parts, &failure);
    if (result != XlsOpenError::none) return result;

    std::string why;
    auto damaged = [&](const std::string& part) {
        failure = part + ": " + why;
        return XlsOpenError::damagedXml;
    };
    if (!ParseXml(parts.stylesPart.empty() ? DefaultStylesXml() : *package.Find(parts.stylesPart), styles, &why))
        return damaged(parts.stylesPart);
    DropRootPrefix(styles);
    pugi::xml_node styleSheet = styles.document_element();
    if (LocalName(styleSheet.name()) != "styleSheet") {
        why = "not a style sheet";
        return damaged(parts.stylesPart);
    }
    if (!parts.sharedStringsPart.empty()) {
        if (!ParseXml(*package.Find(parts.sharedStringsPart), sharedStrings, &why)) return damaged(parts.sharedStringsPart);
        DropRootPrefix(sharedStrings);
        pugi::xml_node sst = sharedStrings.document_element();
        if (LocalName(sst.name()) != "sst") {
            why = "not a shared string table";
            return damaged(parts.sharedStringsPart);
        }
        // The number of uses changes with every page; the attribute is optional.
        sst.remove_attribute("count");
        for (pugi::xml_node si = sst.first_child(); si; si = si.next_sibling())
            if (IsElement(si, "si")) sharedTexts.push_back(UnescapeCellText(StringItemText(si)));
    }
    if (!parts.themePart.empty()) themeBytes = *package.Find(parts.themePart);
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
        if (!ParseXml(*package.Find(s.part), sheet->doc, &why) || !PrepareSheet(sheet->doc, why)) return damaged(s.part);
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

}  // namespace xls
