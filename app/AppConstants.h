#pragma once

// Fixed names and numbers of the program shell. Its texts are in app/AppTexts.h; the program's
// name (also the settings' application key) is platformtext::kAppName.
namespace vemo::app {

inline constexpr const char* kOrganisation = "ZORVA";
inline constexpr double kVersion = 14.02;

inline constexpr const char* kDataFolderName = "データ格納";
inline constexpr const char* kMasterFolderName = "参考マスター25";
inline constexpr const char* kZairyoStem = "材料単価データ25";
inline constexpr const char* kZairyoExtension = ".zoa";

// The updater that may lie beside the program, and the product code it is given.
inline constexpr const char* kUpvaneName = "Upvane";
inline constexpr const char* kUpvaneProduct = "VEMOTESK";

}  // namespace vemo::app
