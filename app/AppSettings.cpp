#include "app/AppSettings.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include "app/AppConstants.h"
#include "app/AppTexts.h"
#include "app/QtSettings.h"
#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"
#include "report/PrintFormText.h"

namespace {

constexpr const char* kMainWindow = "Main_Window";
constexpr const char* kPath = "Path";
constexpr const char* kPrint = "Print";
// The folder of the print forms beside the program.
constexpr const char* kFormFolder = "フォーム";

// An integer option of the "Print" section, in the order the section is written.
struct IntOption {
    const char* key;
    int CAppSettings::*member;
    int defaultValue;
};

constexpr IntOption kOptionsBeforeDaikaName[] = {
    {"SeidoCalc", &CAppSettings::SeidoCalc, 0},       {"ShokeihiCalc", &CAppSettings::ShokeihiCalc, 1},
    {"SekouCalc", &CAppSettings::sekouCalc, 0},       {"GijyutuCalc", &CAppSettings::GijyutuCalc, 0},
    {"DefGijyutuCalc", &CAppSettings::DefGijyutuCalc, 1}, {"DensiDsp", &CAppSettings::DensiDsp, 0},
};
constexpr IntOption kOptionsAfterDaikaName[] = {
    {"DaikaOn", &CAppSettings::DaikaOn, 0},     {"MarumeDsp", &CAppSettings::MarumeDsp, 0},
    {"SeidoDsp", &CAppSettings::SeidoDsp, 0},   {"ZairyoDsp", &CAppSettings::ZairyoDsp, 1},
    {"DouroCalc", &CAppSettings::DouroCalc, 0}, {"NorinHoshoUse", &CAppSettings::norinHoshoUse, 0},
};
constexpr IntOption kRoundingOptions[] = {
    {"HoseiMarumeKeta", &CAppSettings::HoseiMarumeKeta, 4},
    {"HoseiMarumeKind", &CAppSettings::HoseiMarumeKind, 0},
};

constexpr int kMaxForms = 1000;

std::string FormKey(size_t i) { return "Form" + std::to_string(i); }

// The stored path, or the program's own one when the stored is gone and the own is there; exists
// tells a folder or a file. A replacement is added to replaced.
std::string OwnWhenGone(const std::string& stored, const std::string& own, bool (*exists)(const std::string&),
                        std::vector<CReplacedPath>& replaced) {
    if (exists(stored) || !exists(own)) return stored;
    replaced.push_back({stored, own});
    return own;
}

}  // namespace

CWindowRect DefaultWindowRect(int logicalDpiX, int screenWidth, int screenHeight) {
    const double r = logicalDpiX / 96.0;
    int width, height;
    if (800 * r < 800) {
        width = 800;
        height = 603;
    } else if (screenWidth < 800 * r) {
        width = screenWidth;
        height = static_cast<int>(screenHeight * 0.95);
    } else {
        width = static_cast<int>(800 * r);
        height = static_cast<int>(603 * r);
    }
    CWindowRect rect;
    rect.left = (screenWidth - width) / 2;
    rect.top = (screenHeight - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return rect;
}

std::vector<std::string> DefaultFormList(const std::string& programFolder) {
    const std::string forms = vemo::JoinPath(programFolder, kFormFolder);
    return {vemo::JoinPath(forms, "ｶﾗｰA4形式.xlsx"), vemo::JoinPath(forms, "ﾓﾉｸﾛA4通常形式.xlsx"),
            vemo::JoinPath(forms, "ﾓﾉｸﾛA4承認形式.xlsx"), vemo::JoinPath(forms, "ﾓﾉｸﾛA4内訳詳細形式.xlsx"),
            vemo::JoinPath(forms, "全地連ﾓﾉｸﾛA4通常形式.xlsx")};
}

std::string DefaultZairyoTankaPath(const std::string& programFolder) {
    return vemo::JoinPath(vemo::JoinPath(programFolder, vemo::app::kDataFolderName),
                          std::string(vemo::app::kZairyoStem) + vemo::app::kZairyoExtension);
}

std::string DefaultDocumentFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return (!documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath()).toStdString();
}

int ClampFormType(int formType, size_t formCount) {
    if (formCount == 0 || formType < 0) return 0;
    if (static_cast<size_t>(formType) > formCount - 1) return static_cast<int>(formCount - 1);
    return formType;
}

std::vector<CReplacedPath> LoadSettings(CQtSettings& profile, const std::string& programFolder,
                                        const std::string& defaultMasterFolder, const CWindowRect& defaultRect,
                                        CAppSettings& out) {
    const std::string app = platformtext::kAppName;
    std::vector<CReplacedPath> replaced;
    const std::string data = vemo::JoinPath(programFolder, vemo::app::kDataFolderName);
    const std::string forms = vemo::JoinPath(programFolder, kFormFolder);

    out.maximised = profile.GetInt(app, kMainWindow, "Size_Status", 0) != 0;
    out.window.left = profile.GetInt(app, kMainWindow, "left", defaultRect.left);
    out.window.top = profile.GetInt(app, kMainWindow, "top", defaultRect.top);
    out.window.right = profile.GetInt(app, kMainWindow, "right", defaultRect.right);
    out.window.bottom = profile.GetInt(app, kMainWindow, "bottom", defaultRect.bottom);

    std::string master = profile.GetString(app, kPath, "MasterData", "");
    out.masterDataFolder = master.empty() ? defaultMasterFolder
                                          : OwnWhenGone(master, vemo::JoinPath(data, vemo::FileNameOf(master)),
                                                        vemo::FolderExists, replaced);
    std::string zairyo = profile.GetString(app, kPath, "ZairyouData", "");
    out.zairyoTankaPath = zairyo.empty() ? DefaultZairyoTankaPath(programFolder)
                                         : OwnWhenGone(zairyo, vemo::JoinPath(data, vemo::FileNameOf(zairyo)),
                                                       vemo::FileExists, replaced);

    out.formList.clear();
    // A damaged count cannot make the load read values without end.
    int formNum = std::min(profile.GetInt(app, kPrint, "FormNum", 0), kMaxForms);
    if (formNum <= 0) {
        out.formList = DefaultFormList(programFolder);
    } else {
        for (int i = 0; i < formNum; ++i) {
            std::string form = profile.GetString(app, kPrint, FormKey(i), "");
            if (form.empty()) continue;
            const std::string own = ResolveStoredFormPath(vemo::JoinPath(forms, vemo::FileNameOf(form)));
            out.formList.push_back(OwnWhenGone(ResolveStoredFormPath(form), own, vemo::FileExists, replaced));
        }
    }
    out.formType = ClampFormType(profile.GetInt(app, kPrint, "FormType", 0), out.formList.size());
    out.formGyou = profile.GetInt(app, kPrint, "FormGyou", 10);

    out.lastDirectory = profile.GetString(app, kPath, "LastDirectry", DefaultDocumentFolder());
    if (!out.lastDirectory.empty()) QDir::setCurrent(QString::fromStdString(out.lastDirectory));

    for (const auto& o : kOptionsBeforeDaikaName) out.*o.member = profile.GetInt(app, kPrint, o.key, o.defaultValue);
    out.DaikaName = profile.GetString(app, kPrint, "DaikaName", "");
    for (const auto& o : kOptionsAfterDaikaName) out.*o.member = profile.GetInt(app, kPrint, o.key, o.defaultValue);
    // The road calculation is switched off at every start whatever the profile holds.
    out.DouroCalc = 0;
    out.spWidthWari = profile.GetInt(app, kPrint, "SpWidthWari", 1000) / 1000.0;
    for (const auto& o : kRoundingOptions) out.*o.member = profile.GetInt(app, kPrint, o.key, o.defaultValue);
    return replaced;
}

std::string ReplacedPathsNotice(const std::vector<CReplacedPath>& replaced) {
    std::string text = apptext::kReplacedPathsHeading;
    for (const CReplacedPath& r : replaced) text += vemo::FillText(apptext::kReplacedPathLine, {r.stored, r.used});
    return text;
}

void SaveSettings(CQtSettings& profile, CAppSettings& s) {
    const std::string app = platformtext::kAppName;

    profile.SetInt(app, kMainWindow, "Size_Status", s.maximised ? 1 : 0);
    profile.SetInt(app, kMainWindow, "left", s.window.left);
    profile.SetInt(app, kMainWindow, "top", s.window.top);
    profile.SetInt(app, kMainWindow, "right", s.window.right);
    profile.SetInt(app, kMainWindow, "bottom", s.window.bottom);

    profile.SetString(app, kPath, "MasterData", s.masterDataFolder);
    profile.SetString(app, kPath, "ZairyouData", s.zairyoTankaPath);

    // Rewritten whole, so that no stale "Form%d" survives a shorter list.
    profile.RemoveSection(app, kPrint);

    std::vector<std::string> unique;
    for (const auto& form : s.formList) {
        bool seen = false;
        for (const auto& u : unique) seen = seen || u == form;
        if (!seen) unique.push_back(form);
    }
    s.formList = unique;
    profile.SetInt(app, kPrint, "FormNum", static_cast<int>(s.formList.size()));
    for (size_t i = 0; i < s.formList.size(); ++i)
        if (!s.formList[i].empty()) profile.SetString(app, kPrint, FormKey(i), s.formList[i]);
    s.formType = ClampFormType(s.formType, s.formList.size());
    profile.SetInt(app, kPrint, "FormType", s.formType);
    profile.SetInt(app, kPrint, "FormGyou", s.formGyou);

    s.lastDirectory = QDir::currentPath().toStdString();
    profile.SetString(app, kPath, "LastDirectry", s.lastDirectory);

    for (const auto& o : kOptionsBeforeDaikaName) profile.SetInt(app, kPrint, o.key, s.*o.member);
    profile.SetString(app, kPrint, "DaikaName", s.DaikaName);
    for (const auto& o : kOptionsAfterDaikaName) profile.SetInt(app, kPrint, o.key, s.*o.member);
    profile.SetInt(app, kPrint, "SpWidthWari", static_cast<int>(s.spWidthWari * 1000 + 0.000001));
    for (const auto& o : kRoundingOptions) profile.SetInt(app, kPrint, o.key, s.*o.member);
    profile.Sync();
}
