#pragma once
#include "report/ReportTexts.h"

// Fixed texts and numbers of the program shell.
namespace vemo::app {

inline constexpr const char* kAppName = "Vemo Ovra 農林版";
inline constexpr const char* kOrganisation = "ZORVA";
// Two blanks after "Ovra", an ideographic space before "令和".
inline constexpr const char* kMainCaption = "Vemo Ovra  農林版　令和7年度積算基準対応版";
inline constexpr double kVersion = 14.02;
inline constexpr const char* kDefaultOpenName = "無題.sei";
inline constexpr const char* kIdleText = "[F1]キーを押すと、ヘルプが表示されます";
using reporttext::kPreviewOpenMessage;  // a report text: the refusal while a preview is open

inline constexpr const char* kDataFolderName = "データ格納";
inline constexpr const char* kMasterFolderName = "参考マスター25";
inline constexpr const char* kZairyoStem = "材料単価データ25";
inline constexpr const char* kZairyoExtension = ".zoa";

// The estimate file dialog's filter and extension.
inline constexpr const char* kEstimateFilter =
    "Vemo 農林版 ﾌｧｲﾙ (*.sei)|*.sei|旧Vemo 農林版 ﾌｧｲﾙ (*.seb)|*.seb|全てのﾌｧｲﾙ (*.*)|*.*||";

// The updater that may lie beside the program, and the product code it is given.
inline constexpr const char* kUpvaneName = "Upvane";
inline constexpr const char* kUpvaneProduct = "VEMOTESK";

}  // namespace vemo::app
