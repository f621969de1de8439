// Tests of the program's settings: app/AppSettings.h over app/QtSettings.h.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSettings>
#include <clocale>

#include "AppTestEnvironment.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/QtSettings.h"
#include "app/RecentFileList.h"
#include "platform/PlatformTexts.h"

namespace {

const std::string kApp = platformtext::kAppName;

// Keeps the process's current directory across a test that loads settings.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = UseFreshSettingsFolder();
        m_cwd = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }

    // The raw text QSettings keeps for a key.
    QString Raw(const QString& key) {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ZORVA"), QString::fromStdString(kApp));
        return s.value(key).toString();
    }

    QString m_folder;
    QString m_cwd;
    TempFolder m_program;
    const CWindowRect m_rect{112, 82, 912, 685};
};

TEST_F(SettingsTest, FirstStartTakesEveryDefault) {
    CQtSettings profile;
    CAppSettings s;
    s.SeidoCalc = 9;  // overwritten by the load
    LoadSettings(profile, m_program.Path(), "/data/参考マスター25", m_rect, s);
    EXPECT_FALSE(s.maximised);
    EXPECT_EQ(s.window, m_rect);
    EXPECT_EQ(s.masterDataFolder, "/data/参考マスター25");
    EXPECT_EQ(s.zairyoTankaPath, m_program.Path() + "/データ格納/材料単価データ25.zoa");
    EXPECT_EQ(s.formList, (std::vector<std::string>{
                              m_program.Path() + "/フォーム/ｶﾗｰA4形式.xlsx", m_program.Path() + "/フォーム/ﾓﾉｸﾛA4通常形式.xlsx",
                              m_program.Path() + "/フォーム/ﾓﾉｸﾛA4承認形式.xlsx",
                              m_program.Path() + "/フォーム/ﾓﾉｸﾛA4内訳詳細形式.xlsx",
                              m_program.Path() + "/フォーム/全地連ﾓﾉｸﾛA4通常形式.xlsx"}));
    EXPECT_EQ(s.formType, 0);
    EXPECT_EQ(s.formGyou, 10);
    EXPECT_EQ(s.SeidoCalc, 0);
    EXPECT_EQ(s.ShokeihiCalc, 1);
    EXPECT_EQ(s.sekouCalc, 0);
    EXPECT_EQ(s.GijyutuCalc, 0);
    EXPECT_EQ(s.DefGijyutuCalc, 1);
    EXPECT_EQ(s.DensiDsp, 0);
    EXPECT_EQ(s.DaikaName, "");
    EXPECT_EQ(s.DaikaOn, 0);
    EXPECT_EQ(s.MarumeDsp, 0);
    EXPECT_EQ(s.SeidoDsp, 0);
    EXPECT_EQ(s.ZairyoDsp, 1);
    EXPECT_EQ(s.DouroCalc, 0);
    EXPECT_EQ(s.norinHoshoUse, 0);
    EXPECT_DOUBLE_EQ(s.spWidthWari, 1.0);
    EXPECT_EQ(s.HoseiMarumeKeta, 4);
    EXPECT_EQ(s.HoseiMarumeKind, 0);
}

// Before the user has chosen a folder, the file dialogs start in the user's documents folder (the
// home folder when there is none), not in the program's, which an installed program may not write.
TEST_F(SettingsTest, TheFirstFolderOfTheFileDialogsIsTheUsersDocuments) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_FALSE(QFileInfo::exists(documents));
    const struct {
        bool documentsThere;
        QString expected;
    } cases[] = {{false, QDir::homePath()}, {true, documents}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.documentsThere);
        if (c.documentsThere) ASSERT_TRUE(QDir().mkpath(documents));
        CQtSettings profile;
        CAppSettings s;
        LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
        EXPECT_EQ(s.lastDirectory, c.expected.toStdString());
        EXPECT_EQ(QDir::currentPath(), c.expected);
    }
    QDir(documents).removeRecursively();
}

TEST_F(SettingsTest, RoundTripKeepsEveryValue) {
    CAppSettings s;
    {
        CQtSettings profile;
        LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
        s.maximised = true;
        s.window = {10, 20, 810, 623};
        s.masterDataFolder = "/データ/参考マスター25";
        s.zairyoTankaPath = "/データ/材料単価データ23.zoa";
        s.formList = {"/f/a.xls", "/f/b.xls"};
        s.formType = 1;
        s.formGyou = 25;
        s.SeidoCalc = 1;
        s.ShokeihiCalc = 0;
        s.sekouCalc = 1;
        s.GijyutuCalc = 1;
        s.DefGijyutuCalc = 0;
        s.DensiDsp = 1;
        s.DaikaName = "一位代価表";
        s.DaikaOn = 1;
        s.MarumeDsp = 1;
        s.SeidoDsp = 1;
        s.ZairyoDsp = 0;
        s.norinHoshoUse = 1;
        s.spWidthWari = 0.85;
        s.HoseiMarumeKeta = 2;
        s.HoseiMarumeKind = 2;
        SaveSettings(profile, s);
    }
    CQtSettings profile;
    CAppSettings r;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, r);
    EXPECT_TRUE(r.maximised);
    EXPECT_EQ(r.window, (CWindowRect{10, 20, 810, 623}));
    EXPECT_EQ(r.masterDataFolder, s.masterDataFolder);
    EXPECT_EQ(r.zairyoTankaPath, s.zairyoTankaPath);
    EXPECT_EQ(r.formList, s.formList);
    EXPECT_EQ(r.formType, 1);
    EXPECT_EQ(r.formGyou, 25);
    EXPECT_EQ(r.SeidoCalc, 1);
    EXPECT_EQ(r.ShokeihiCalc, 0);
    EXPECT_EQ(r.sekouCalc, 1);
    EXPECT_EQ(r.GijyutuCalc, 1);
    EXPECT_EQ(r.DefGijyutuCalc, 0);
    EXPECT_EQ(r.DensiDsp, 1);
    EXPECT_EQ(r.DaikaName, "一位代価表");
    EXPECT_EQ(r.DaikaOn, 1);
    EXPECT_EQ(r.MarumeDsp, 1);
    EXPECT_EQ(r.SeidoDsp, 1);
    EXPECT_EQ(r.ZairyoDsp, 0);
    EXPECT_EQ(r.norinHoshoUse, 1);
    EXPECT_DOUBLE_EQ(r.spWidthWari, 0.85);
    EXPECT_EQ(r.HoseiMarumeKeta, 2);
    EXPECT_EQ(r.HoseiMarumeKind, 2);
    EXPECT_EQ(Raw("Print/SpWidthWari"), "850");
}

TEST_F(SettingsTest, DouroCalcIsReadButAlwaysZero) {
    {
        CQtSettings profile;
        profile.SetInt(kApp, "Print", "DouroCalc", 1);
    }
    CQtSettings profile;
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    EXPECT_EQ(s.DouroCalc, 0);
    SaveSettings(profile, s);
    EXPECT_EQ(Raw("Print/DouroCalc"), "0");
}

TEST_F(SettingsTest, SpWidthWari850IsKept) {
    CQtSettings profile;
    profile.SetInt(kApp, "Print", "SpWidthWari", 850);
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    EXPECT_DOUBLE_EQ(s.spWidthWari, 0.85);
    SaveSettings(profile, s);
    EXPECT_EQ(Raw("Print/SpWidthWari"), "850");
}

TEST_F(SettingsTest, PrintSectionIsRewrittenWholeWithoutDuplicates) {
    CQtSettings profile;
    profile.SetInt(kApp, "Print", "FormNum", 6);
    const char* forms[] = {"/f/a.xls", "/f/b.xls", "/f/a.xls", "", "/f/c.xls", "/f/A.xls"};
    for (int i = 0; i < 6; ++i) profile.SetString(kApp, "Print", "Form" + std::to_string(i), forms[i]);
    profile.SetInt(kApp, "Print", "FormType", 9);
    profile.SetString(kApp, "Print", "Stale", "x");
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    // Empty entries are skipped on reading; a FormType past the end points at the last form.
    EXPECT_EQ(s.formList, (std::vector<std::string>{"/f/a.xls", "/f/b.xls", "/f/a.xls", "/f/c.xls", "/f/A.xls"}));
    EXPECT_EQ(s.formType, 4);
    SaveSettings(profile, s);
    // Exact comparison: "/f/A.xls" is another form than "/f/a.xls".
    EXPECT_EQ(s.formList, (std::vector<std::string>{"/f/a.xls", "/f/b.xls", "/f/c.xls", "/f/A.xls"}));
    EXPECT_EQ(Raw("Print/FormNum"), "4");
    EXPECT_EQ(Raw("Print/Form3"), "/f/A.xls");
    EXPECT_EQ(Raw("Print/FormType"), "3");
    QSettings raw(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ZORVA"), QString::fromStdString(kApp));
    EXPECT_FALSE(raw.contains(QStringLiteral("Print/Form4")));
    EXPECT_FALSE(raw.contains(QStringLiteral("Print/Stale")));
    // The other sections stay.
    EXPECT_TRUE(raw.contains(QStringLiteral("Path/MasterData")));
}

TEST_F(SettingsTest, StoredXlsFormsAreReadAsTheirXlsx) {
    WriteTestFile(m_program / "フォーム/ｶﾗｰA4形式.xlsx", "x");
    WriteTestFile(m_program / "フォーム/自作.xls", "x");
    const std::string forms[] = {m_program / "フォーム/ｶﾗｰA4形式.xls", m_program / "フォーム/自作.xls",
                                 "/消えた/フォーム/無い.xls", "/消えた/フォーム/ｶﾗｰA4形式.xls"};
    CQtSettings profile;
    profile.SetInt(kApp, "Print", "FormNum", 4);
    for (int i = 0; i < 4; ++i) profile.SetString(kApp, "Print", "Form" + std::to_string(i), forms[i]);
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    // Only an .xls that is gone while its .xlsx is there changes; a form whose folder is gone is the program's own.
    EXPECT_EQ(s.formList, (std::vector<std::string>{m_program / "フォーム/ｶﾗｰA4形式.xlsx", forms[1], forms[2],
                                                    m_program / "フォーム/ｶﾗｰA4形式.xlsx"}));
}

TEST_F(SettingsTest, FormTypeIsClampedBothWays) {
    EXPECT_EQ(ClampFormType(-3, 5), 0);
    EXPECT_EQ(ClampFormType(7, 5), 4);
    EXPECT_EQ(ClampFormType(2, 5), 2);
    EXPECT_EQ(ClampFormType(0, 0), 0);
    EXPECT_EQ(ClampFormType(3, 0), 0);

    CQtSettings profile;
    profile.SetInt(kApp, "Print", "FormType", -3);
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    EXPECT_EQ(s.formType, 0);
    // An empty form list is saved with FormType 0, not -1.
    s.formList.clear();
    s.formType = 2;
    SaveSettings(profile, s);
    EXPECT_EQ(Raw("Print/FormType"), "0");
    EXPECT_EQ(Raw("Print/FormNum"), "0");
}

TEST_F(SettingsTest, DamagedValuesFallBackToDefaults) {
    CQtSettings profile;
    profile.SetString(kApp, "Print", "FormGyou", "abc");
    profile.SetString(kApp, "Print", "FormNum", "2147483647");
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    EXPECT_EQ(s.formGyou, 10);
    // A huge count reads at most the stored forms (none here) and gives an empty list.
    EXPECT_TRUE(s.formList.empty());
    EXPECT_EQ(s.formType, 0);
}

TEST_F(SettingsTest, NumbersIgnoreTheUserLocale) {
    CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    CQtSettings profile;
    CAppSettings s;
    s.spWidthWari = 1.25;
    s.formList = {"/f/a.xls"};
    SaveSettings(profile, s);
    EXPECT_EQ(Raw("Print/SpWidthWari"), "1250");
    CAppSettings r;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, r);
    EXPECT_DOUBLE_EQ(r.spWidthWari, 1.25);
}

TEST_F(SettingsTest, LastDirectoryIsRestoredAndSaved) {
    TempFolder other;
    CQtSettings profile;
    profile.SetString(kApp, "Path", "LastDirectry", other.Path());
    CAppSettings s;
    LoadSettings(profile, m_program.Path(), "/m", m_rect, s);
    EXPECT_EQ(QDir::currentPath().toStdString(), other.Path());
    QDir::setCurrent(QString::fromStdString(m_program.Path()));
    SaveSettings(profile, s);
    EXPECT_EQ(Raw("Path/LastDirectry").toStdString(), m_program.Path());
}

TEST(DefaultWindowRect, ScalesWithTheDisplay) {
    // 96 dpi on 1024 × 768: 800 × 603 centred.
    EXPECT_EQ(DefaultWindowRect(96, 1024, 768), (CWindowRect{112, 82, 912, 685}));
    // 120 dpi: 1000 × 753 (1000 ≤ 1024).
    EXPECT_EQ(DefaultWindowRect(120, 1024, 768), (CWindowRect{12, 7, 1012, 760}));
    // 144 dpi: 1200 > 1024, so the screen width and 95 % of its height (729).
    EXPECT_EQ(DefaultWindowRect(144, 1024, 768), (CWindowRect{0, 19, 1024, 748}));
    // Below 96 dpi the window keeps 800 × 603.
    EXPECT_EQ(DefaultWindowRect(72, 1024, 768), (CWindowRect{112, 82, 912, 685}));
}

TEST(RecentFileList, KeepsFourNewestFirst) {
    UseFreshSettingsFolder();
    CRecentFileList list;
    for (const char* p : {"/a.sei", "/b.sei", "/c.sei", "/d.sei", "/e.sei", "/c.sei"}) list.Add(p);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"/c.sei", "/e.sei", "/d.sei", "/b.sei"}));
    {
        CQtSettings profile;
        list.Save(profile, kApp);
    }
    CQtSettings profile;
    CRecentFileList loaded;
    loaded.Load(profile, kApp);
    EXPECT_EQ(loaded.Files(), list.Files());
    loaded.Remove(1);
    EXPECT_EQ(loaded.Files(), (std::vector<std::string>{"/c.sei", "/d.sei", "/b.sei"}));
}

// The menu names a recent file in at most 30 characters: by its name in the current folder, else
// by its path with the leading folders left out as "..."; a longer name is cut in the middle.
TEST(RecentFileList, DisplayNamesFitTheMenu) {
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/u/見積/林道測量業務.sei", "林道測量業務.sei"},  // in the current folder
        {"/a/見積1.sei", "/a/見積1.sei"},
        {"/home/user/ドキュメント/見積/令和7年度/林道測量業務.sei", "/.../見積/令和7年度/林道測量業務.sei"},
        {"/home/user/区画整理測量設計業務委託見積書サンプル第二版と第三版.sei",
         "区画整理測量設計業務委託見積書サンプル第二版と第三版.sei"},  // the name alone, 30 characters
        {"/home/user/区画整理測量設計業務委託見積書サンプル第二版と第三版と第四版.sei",
         "区画整理測量設計業務委託見...二版と第三版と第四版.sei"},
        {"/home/u/見積/令和7年度区画整理測量設計業務委託見積書の控えと修正版.sei",
         "令和7年度区画整理測量設計...見積書の控えと修正版.sei"},  // in the current folder
    };
    for (const auto& c : cases) EXPECT_EQ(RecentFileDisplayName(c.path, "/home/u/見積"), c.shown) << c.path;
}

}  // namespace
