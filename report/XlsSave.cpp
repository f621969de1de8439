// Putting the ended pages together as an .xlsx package: saving it and reading it as a model.
#include <new>

#include "platform/FileUtil.h"
#include "report/XlsEngineImpl.h"

using namespace xls;

namespace {

constexpr const char* kContentTypesNs = "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr const char* kRelTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr const char* kTypePrefix = "application/vnd.openxmlformats-officedocument.";

// Joins the areas of a defined name onto the page's sheet name.
std::string AreasFormula(const std::string& sheetName, const std::vector<std::string>& areas) {
    std::string text;
    for (const std::string& area : areas) {
        if (!text.empty()) text += ',';
        text += QuoteSheetName(sheetName);
        text += '!';
        text += area;
    }
    return text;
}

}  // namespace

bool CXlsReportEngine::Impl::BuildParts(std::vector<std::pair<std::string, std::string>>& parts, bool allowEmpty) {
    parts.clear();
    if (!open || (pages.empty() && !allowEmpty)) return false;

    pugi::xml_document types;
    pugi::xml_node t = types.append_child("Types");
    t.append_attribute("xmlns").set_value(kContentTypesNs);
    auto addDefault = [&](const char* ext, const char* type) {
        pugi::xml_node d = t.append_child("Default");
        d.append_attribute("Extension").set_value(ext);
        d.append_attribute("ContentType").set_value(type);
    };
    auto addOverride = [&](const std::string& part, const std::string& type) {
        pugi::xml_node o = t.append_child("Override");
        o.append_attribute("PartName").set_value(("/" + part).c_str());
        o.append_attribute("ContentType").set_value((kTypePrefix + type).c_str());
    };
    addDefault("rels", "application/vnd.openxmlformats-package.relationships+xml");
    addDefault("xml", "application/xml");

    pugi::xml_document rootRels;
    pugi::xml_node rr = rootRels.append_child("Relationships");
    rr.append_attribute("xmlns").set_value(kPackageRelNs);
    pugi::xml_node office = rr.append_child("Relationship");
    office.append_attribute("Id").set_value("rId1");
    office.append_attribute("Type").set_value((std::string(kRelTypes) + "officeDocument").c_str());
    office.append_attribute("Target").set_value("xl/workbook.xml");

    pugi::xml_document wbRels;
    pugi::xml_node wr = wbRels.append_child("Relationships");
    wr.append_attribute("xmlns").set_value(kPackageRelNs);
    int relId = 0;
    auto addRel = [&](const char* type, const std::string& target) {
        pugi::xml_node r = wr.append_child("Relationship");
        std::string id = "rId" + std::to_string(++relId);
        r.append_attribute("Id").set_value(id.c_str());
        r.append_attribute("Type").set_value((std::string(kRelTypes) + type).c_str());
        r.append_attribute("Target").set_value(target.c_str());
        return id;
    };

    pugi::xml_document workbook;
    pugi::xml_node wb = workbook.append_child("workbook");
    wb.append_attribute("xmlns").set_value(kMainNs);
    wb.append_attribute("xmlns:r").set_value(kRelNs);
    if (workbookPr.document_element()) wb.append_copy(workbookPr.document_element());
    wb.append_child("bookViews").append_child("workbookView").append_attribute("activeTab").set_value(0);
    pugi::xml_node sheetList = wb.append_child("sheets");
    pugi::xml_document definedNames;
    pugi::xml_node names = definedNames.append_child("definedNames");
    addOverride("xl/workbook.xml", "spreadsheetml.sheet.main+xml");

    std::vector<std::pair<std::string, std::string>> sheetParts;
    for (size_t i = 0; i < pages.size(); ++i) {
        OutputPage& page = *pages[i];
        std::string part = "worksheets/sheet" + std::to_string(i + 1) + ".xml";
        std::string id = addRel("worksheet", part);
        pugi::xml_node s = sheetList.append_child("sheet");
        s.append_attribute("name").set_value(page.name.c_str());
        s.append_attribute("sheetId").set_value(static_cast<unsigned>(i + 1));
        s.append_attribute("r:id").set_value(id.c_str());
        addOverride("xl/" + part, "spreadsheetml.worksheet+xml");
        auto addName = [&](const char* name, const std::vector<std::string>& areas) {
            if (areas.empty()) return;
            pugi::xml_node dn = names.append_child("definedName");
            dn.append_attribute("name").set_value(name);
            dn.append_attribute("localSheetId").set_value(static_cast<unsigned>(i));
            dn.text().set(AreasFormula(page.name, areas).c_str());
        };
        // The print area and titles where the rows they name stand on the page.
        auto onPage = [&](const std::vector<std::string>& areas) {
            if (page.inserted.empty()) return areas;
            const std::function<int(int)> map = [&](int row) { return page.PageRow(row); };
            std::vector<std::string> moved;
            for (const std::string& area : areas) moved.push_back(MappedRows(area, map));
            return moved;
        };
        addName("_xlnm.Print_Area", onPage(page.sheet->printArea));
        addName("_xlnm.Print_Titles", onPage(page.sheet->printTitles));
        sheetParts.emplace_back("xl/" + part, PageXml(page, i == 0));
    }
    if (names.first_child()) wb.append_copy(names);
    pugi::xml_node calc = wb.append_child("calcPr");
    calc.append_attribute("fullCalcOnLoad").set_value(1);

    addRel("styles", "styles.xml");
    addOverride("xl/styles.xml", "spreadsheetml.styles+xml");
    if (sharedStrings.document_element()) {
        addRel("sharedStrings", "sharedStrings.xml");
        addOverride("xl/sharedStrings.xml", "spreadsheetml.sharedStrings+xml");
    }
    if (!themeBytes.empty()) {
        addRel("theme", "theme/theme1.xml");
        addOverride("xl/theme/theme1.xml", "theme+xml");
    }

    parts.emplace_back("[Content_Types].xml", XmlBytes(types));
    parts.emplace_back("_rels/.rels", XmlBytes(rootRels));
    parts.emplace_back("xl/workbook.xml", XmlBytes(workbook));
    parts.emplace_back("xl/_rels/workbook.xml.rels", XmlBytes(wbRels));
    for (auto& p : sheetParts) parts.push_back(std::move(p));
    parts.emplace_back("xl/styles.xml", XmlBytes(styles));
    if (sharedStrings.document_element()) parts.emplace_back("xl/sharedStrings.xml", XmlBytes(sharedStrings));
    if (!themeBytes.empty()) parts.emplace_back("xl/theme/theme1.xml", themeBytes);
    return true;
}

bool CXlsReportEngine::BuildXlsx(std::string& bytes) {
    try {
        std::vector<std::pair<std::string, std::string>> parts;
        if (!m->BuildParts(parts, false)) return false;
        return WriteZip(parts, bytes, &m->failure);
    } catch (const std::bad_alloc&) {
        m->failure = "out of memory";
        return false;
    }
}

XlsSaveError CXlsReportEngine::Save(const std::string& path) {
    m->failure.clear();
    if (!m->open) return XlsSaveError::noWorkbook;
    if (m->pages.empty()) return XlsSaveError::noPages;
    std::string bytes;
    if (!BuildXlsx(bytes)) return XlsSaveError::packFailed;
    // A workbook its owner marked read-only is not replaced; one reached through a link is saved
    // where the link points, and the link stays.
    switch (vemo::SaveUserFile(path, bytes, &m->failure)) {
        case vemo::SaveResult::saved: return XlsSaveError::none;
        case vemo::SaveResult::readOnly: return XlsSaveError::readOnly;
        case vemo::SaveResult::failed: break;
    }
    return XlsSaveError::writeFailed;
}

XlsWorkbook CXlsReportEngine::Model() {
    XlsWorkbook model;
    std::vector<std::pair<std::string, std::string>> parts;
    if (!m->BuildParts(parts, true)) return model;
    Package package;
    for (auto& [name, bytes] : parts) package.Add(std::move(name), std::move(bytes));
    parts.clear();
    std::string why;
    // Running out of memory here is the caller's to tell: an empty model would show as an empty report.
    if (ReadPackageModel(package, model, &why) == XlsOpenError::outOfMemory) throw std::bad_alloc();
    return model;
}
