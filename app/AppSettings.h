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

// A stored path that was gone at loading, and the program's own one read in its place.
struct CReplacedPath {
    std::string stored, used;
    bool operator==(const CReplacedPath&) const = default;
};

// Reads every setting. defaultMasterFolder is kept when the profile names no master-data folder;
// defaultRect is the window rectangle used when the profile has none. The process's current
// directory becomes the remembered one ("LastDirectry", DefaultDocumentFolder when absent). A stored
// print form ending ".xls" whose file is gone while its ".xlsx" is there is read as the ".xlsx".
// The settings are the user's, shared by every copy of the program: a stored master-data folder,
// material-price file or print form that is gone (a build folder removed, a program folder moved)
// is read as the program's own of the same name, under its データ格納 or フォーム, when that is
// there; otherwise it is kept. Returns what was read in place of what, in the order read.
std::vector<CReplacedPath> LoadSettings(CQtSettings& profile, const std::string& programFolder,
                                        const std::string& defaultMasterFolder, const CWindowRect& defaultRect,
                                        CAppSettings& out);

// The notice telling the user which stored paths were replaced.
std::string ReplacedPathsNotice(const std::vector<CReplacedPath>& replaced);

// Writes every setting back. The "Print" section is rewritten whole; the print-form list is
// saved without duplicates (and the list in settings loses them too); FormType is kept within the
// list. "LastDirectry" takes the process's current directory.
void SaveSettings(CQtSettings& profile, CAppSettings& settings);

// FormType kept within the print-form list: 0 for an empty list.
int ClampFormType(int formType, size_t formCount);
