#pragma once
#include <string>

#include "app/AppTexts.h"
#include "master/MasterTexts.h"
#include "masteredit/MasterEditTexts.h"
#include "dialogkit/DialogTexts.h"

// The estimate view's names for its texts (the texts themselves are in the program's text table)
// and the messages it puts together from them.
namespace vemo::view {

using apptext::kAnzenhiNone;
using apptext::kAnzenhiRatePrefix;
using dialogtext::kPercentUnit;
using masteredittext::kConfirmCaption;
using apptext::kDeleteQuestion;
// The labels in front of the two header texts, and what a header text shows when the estimate has none.
inline constexpr const char* kKenmeiLabel = apptext::kViewKenmeiLabel;
inline constexpr const char* kBashoLabel = apptext::kKashomeiLabel;
inline constexpr const char* kNoHeaderText = masteredittext::kNoneEntry;

// Grid column headings, columns 0 (row numbers) to 6.
inline constexpr const char* kColumnTitles[7] = {"",
                                                 apptext::kColumnTitleName,
                                                 apptext::kColumnTitleUnit,
                                                 apptext::kColumnTitleQuantity,
                                                 apptext::kColumnTitleUnitPrice,
                                                 apptext::kColumnTitleAmount,
                                                 apptext::kColumnTitleRemark};

// The kinds of node by level (業務, 工種, 種別), as the delete question names them.
inline constexpr const char* kDeleteKinds[3] = {apptext::kDeleteKindGyomu, apptext::kDeleteKindKoshu,
                                                apptext::kDeleteKindShubetsu};
inline std::string MsgDeleteNode(int level) { return std::string(kDeleteKinds[level]) + kDeleteQuestion; }

// The estimate's material-price file is missing: the estimate takes the file in use.
inline std::string MsgZairyoFileMissing(const std::string& missing, const std::string& inUse) {
    return missing + mastertext::kFileMissing + apptext::kZairyoFileSwitchedTo + inUse + apptext::kZairyoFileSwitchedAfter;
}
// The material-price file in use has gone: it is only reported, its prices stay in use.
inline std::string MsgZairyoFileVanished(const std::string& missing) { return missing + mastertext::kFileMissing; }

// The estimate's material-price file opens but does not load: the estimate takes the file in use,
// the program-wide one or, while another estimate has switched to its own, that one.
inline std::string MsgZairyoFileUnreadable(const std::string& unreadable) {
    return unreadable + apptext::kEstimateZairyoTankaUnreadable;
}
inline std::string MsgZairyoFileUnreadable(const std::string& unreadable, const std::string& inUse) {
    return unreadable + apptext::kZairyoFileNotLoadedAfter + apptext::kZairyoFileSwitchedTo + inUse +
           apptext::kZairyoFileSwitchedAfter;
}

}  // namespace vemo::view
