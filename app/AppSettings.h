#pragma once
#include <string>
#include <vector>

#include "estimate/CalcEnvironment.h"

class CQtSettings;

// The window rectangle kept in the settings (left, top, right, bottom).
struct CWindowRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CWindowRect&) const = default;
};

// The main window's rectangle on first start: 800 × 603 at 96 dpi, scaled by the display's
// logical dpi, never wider than the screen, centred.
CWindowRect DefaultWindowRect(int logicalDpiX, int screenWidth, int screenHeight);

// The application settings kept in the profile: window placement, paths, print forms and the
// calculation and display options. Defaults are those of a first start. The options the
// calculation reads are its base: every open estimate is priced with this object's, so a change
// is seen by the next recalculation.
struct CAppSettings : CCalcSettings {
    // "Main_Window"
    bool maximised = false;
    CWindowRect window;

    // "Path"
    std::string masterDataFolder;  // empty: the folder chosen by the program
    std::string zairyoTankaPath;
    std::string lastDirectory;

    // "Print"
    std::vector<std::string> formList;
    int formType = 0;
    int formGyou = 10;
    int sekouCalc = 0;
    int norinHoshoUse = 0;
    double spWidthWari = 1.0;
};

// The five print forms (".xlsx" workbooks in the folder フォーム) registered when the profile names none.
std::vector<std::string> DefaultFormList(const std::string& programFolder);

// The material-price file used when the profile names none.
std::string DefaultZairyoTankaPath(const std::string& programFolder);

// Where the file dialogs start while the profile remembers no folder: the user's documents folder,
// or the home folder when there is none.
std::string DefaultDocumentFolder();

// Reads every setting. defaultMasterFolder is kept when the profile names no master-data folder;
// defaultRect is the window rectangle used when the profile has none. The process's current
// directory becomes the remembered one ("LastDirectry", DefaultDocumentFolder when absent). A stored
// print form ending ".xls" whose file is gone while its ".xlsx" is there is read as the ".xlsx".
void LoadSettings(CQtSettings& profile, const std::string& programFolder, const std::string& defaultMasterFolder,
                  const CWindowRect& defaultRect, CAppSettings& out);

// Writes every setting back. The "Print" section is rewritten whole; the print-form list is
// saved without duplicates (and the list in settings loses them too); FormType is kept within the
// list. "LastDirectry" takes the process's current directory.
void SaveSettings(CQtSettings& profile, CAppSettings& settings);

// FormType kept within the print-form list: 0 for an empty list.
int ClampFormType(int formType, size_t formCount);
