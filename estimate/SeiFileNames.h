#pragma once
#include <string>
#include <string_view>

#include "estimate/EstimateTexts.h"

// Names of the estimate document type and the rules its Save and Save As follow for file names.
namespace sei {

inline constexpr const char* kExtension = ".sei";
inline constexpr const char* kDocumentName = estimate_texts::DocumentName;  // new documents: 積算データ1, …
inline constexpr const char* kFileNewName = estimate_texts::FileNewName;
inline constexpr const char* kFilterName = estimate_texts::FilterName;
inline constexpr const char* kFileTypeId = "VemoMaff.Document";
inline constexpr const char* kFileTypeName = estimate_texts::FileTypeName;

// The file types a save offers, as a file dialog's filter: the one type the program writes.
std::string SaveFilter();

// Title of the n-th new document.
std::string NewDocumentTitle(int n);

// Whether a save must not write to this name but ask for another: its extension is "sea", "sec"
// or "see" (case-sensitive). The extension is the text after the last '.' of the file name; a name
// without '.' counts as its own extension. Names of 5 bytes or fewer are never refused.
bool IsWriteProtectedName(std::string_view name);

// The name proposed instead of a refused one: the same folder and base name with the extension
// ".sei". Any other name is returned unchanged.
std::string AdjustRefusedName(std::string_view name);

// A document title made into a proposed file name: cut at the first of " #%;/\"; when the
// filter extension holds a ';', the text before it is appended.
std::string TitleAsFileName(std::string_view title, std::string_view filterExtension = kExtension);

// What a save does with the given path (empty for Save As) and replace flag (set for Save and
// Save As, clear for Save Copy As): either write to name at once, or ask for a name with name
// proposed in the prompt.
struct SaveNamePlan {
    bool prompt = false;
    std::string name;
};
SaveNamePlan PlanSaveName(std::string_view path, bool replace, std::string_view docPathName,
                          std::string_view docTitle);

}  // namespace sei
