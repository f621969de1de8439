#include "estimate/SeiFileNames.h"

#include "platform/Cp932.h"

namespace sei {

namespace {

// Position of the extension's first character in name: after the last '.' of the file name, or
// npos when the file name has no '.'.
size_t ExtensionStart(std::string_view name) {
    const size_t slash = name.find_last_of('/');
    const size_t fileStart = slash == std::string_view::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot < fileStart) return std::string_view::npos;
    return dot + 1;
}

}  // namespace

std::string SaveFilter() { return std::string(kFilterName) + "|*" + kExtension + "||"; }

std::string NewDocumentTitle(int n) { return kDocumentName + std::to_string(n); }

bool IsWriteProtectedName(std::string_view name) {
    if (vemo::Cp932Length(name) <= 5) return false;
    const size_t start = ExtensionStart(name);
    const std::string_view ext = start == std::string_view::npos ? name : name.substr(start);
    return ext == "sea" || ext == "sec" || ext == "see";
}

std::string AdjustRefusedName(std::string_view name) {
    std::string adjusted(name);
    if (!IsWriteProtectedName(name)) return adjusted;
    const size_t start = ExtensionStart(name);
    if (start == std::string_view::npos) return adjusted;  // "sea" itself has no folder or base name
    adjusted.back() = 'i';  // ".sea", ".sec", ".see" → ".sei"
    return adjusted;
}

std::string TitleAsFileName(std::string_view title, std::string_view filterExtension) {
    std::string name(title.substr(0, title.find_first_of(" #%;/\\")));
    const size_t semicolon = filterExtension.find(';');
    if (semicolon != std::string_view::npos) name += filterExtension.substr(0, semicolon);
    return name;
}

SaveNamePlan PlanSaveName(std::string_view path, bool replace, std::string_view docPathName,
                          std::string_view docTitle) {
    SaveNamePlan plan;
    if (!path.empty() && !IsWriteProtectedName(path)) {
        plan.name = path;
        return plan;
    }
    plan.prompt = true;
    plan.name = AdjustRefusedName(docPathName);
    if (replace && plan.name.empty()) plan.name = TitleAsFileName(docTitle);
    return plan;
}

}  // namespace sei
