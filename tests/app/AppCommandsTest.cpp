// The application's own commands through the running application: the about box, help, Readme
// and the web pages, the 物件調査 switch, the options dialog, the company-name dialog with its
// save, the print-form list and the print set-up.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "EventWait.h"
#include "RunningAppTest.h"
#include "TempFolder.h"
#include "ScriptedDialogs.h"
#include "app/AboutDlg.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OptionDlg.h"
#include "app/ShameiInputDlg.h"
#include "app/ShellOpen.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "dialogkit/Tx.h"
#include "master/MasterFile.h"
#include "master/MasterTexts.h"
#include "app/QtSettings.h"
#include "platform/FileUtil.h"
#include "platform/PlatformTexts.h"
#include "report/ReportOutput.h"
#include "report/qt/PrintFormDlg.h"
#include "report/qt/QtReportOutput.h"

namespace fs = std::filesystem;

namespace {

// The desktop's opener, xdg-open, as a script first on PATH: it notes each address it is given and
// ends with the status the test chose; while the file "hold" exists it waits first (as xdg-open
// waits for a viewer), for no longer than a hang takes.
struct StubDesktop {
    TempFolder folder;
    QByteArray previousPath = qgetenv("PATH");
    StubDesktop() {
        SetStatus(0);
        const std::string dir = folder.Path();
        WriteTestFile(folder / "xdg-open",
                      "#!/bin/sh\n"
                      "printf '%s\\n' \"$1\" >> '" + dir + "/opened'\n"
                      "i=0\n"
                      "while [ -e '" + dir + "/hold' ] && [ $i -lt " + std::to_string(kHangMs / 50) + " ]; do sleep 0.05; i=$((i+1)); done\n"
                      "exit $(cat '" + dir + "/status')\n");
        fs::permissions(folder / "xdg-open", fs::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(dir) + ':' + previousPath);
    }
    ~StubDesktop() { qputenv("PATH", previousPath); }
    void SetStatus(int status) { WriteTestFile(folder / "status", std::to_string(status)); }
    void Hold(bool hold) {
        if (hold)
            WriteTestFile(folder / "hold", "");
        else
            fs::remove(folder / "hold");
    }
    // The addresses given to the opener so far.
    std::vector<std::string> Opened() const {
        std::vector<std::string> lines;
        if (!fs::exists(folder / "opened")) return lines;
        std::istringstream in(ReadTestFile(folder / "opened"));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // Waits until every opener started has given its answer and the answer has been dealt with.
    static bool Answered() {
        return QTest::qWaitFor(
            [] {
                return qApp->findChildren<QProcess*>(QString::fromLatin1(kShellOpenProcessName),
                                                     Qt::FindDirectChildrenOnly)
                    .isEmpty();
            },
            kHangMs);
    }
};

class AppCommands : public RunningAppTest {
protected:
    void SetUp() override {
        RunningAppTest::SetUp();
        host->panes.clear();
    }
    bool Run(int id) { return app->Commands().Dispatch(id); }

    StubDesktop desktop;
};

}  // namespace

// ---- about box -----------------------------------------------------------------------------------

TEST(AboutBox, VersionReportHasALineForEveryMasterWithItsVersionOrUnknown) {
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    CZairyoTankaFile zairyo;
    const CAboutMasters masters{&bukake, &henkaritsu, &tanka, &shokeihi, &programKingaku, nullptr, &zairyo};

    bukake.m_dataVersion = 104;
    henkaritsu.m_dataVersion = 210;
    tanka.m_dataVersion = 1000;
    shokeihi.m_dataVersion = 99;
    programKingaku.m_dataVersion = 101;
    zairyo.m_dataVersion = 2507;
    EXPECT_EQ(CAboutDlg::BuildVersionReport(masters).toStdString(),
              " [各ファイルの データバージョン]"
              "\r\n\t歩掛データ\t\t\tVer 1.04"
              "\r\n\t変化率・補正率データ\t\tVer 2.10"
              "\r\n\t単価データ\t\t\tVer 10.00"
              "\r\n\t諸経費データ\t\t\tVer 0.99"
              "\r\n\tプログラム金額データ\t\tVer 1.01"
              "\r\n\t材料単価データ\t\tVer 25.07");

    for (CMasterHeader* m : std::initializer_list<CMasterHeader*>{&bukake, &henkaritsu, &tanka, &shokeihi,
                                                                  &programKingaku, &zairyo})
        m->m_dataVersion = kUnset;
    EXPECT_EQ(CAboutDlg::BuildVersionReport(masters).toStdString(),
              " [各ファイルの データバージョン]"
              "\r\n\t歩掛データ\t\t\t不明"
              "\r\n\t変化率・補正率データ\t\t不明"
              "\r\n\t単価データ\t\t\t不明"
              "\r\n\t諸経費データ\t\t\t不明"
              "\r\n\tプログラム金額データデータ\t不明"
              "\r\n\t材料単価データ\t\t不明");
}

TEST_F(AppCommands, AboutBoxShowsTheSevenMastersAndFoldsItsReport) {
    app->Store().GetBukakeFile().m_dataVersion = 104;
    app->Store().GetHenkaritsuFile().m_dataVersion = 103;
    app->Store().GetTankaFile().m_dataVersion = kUnset;
    app->Store().GetShokeihiFile().m_dataVersion = 102;
    app->Store().GetProgramKingakuFile().m_dataVersion = 101;
    app->Store().GetZairyoTankaFile().m_dataVersion = 2501;
    ScriptedDialogs dialogs;
    dialogs.Expect<CAboutDlg>([](CAboutDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("バージョン情報"));
        EXPECT_EQ(d.findChild<QLabel*>("title")->text(), Tx("Vemo Ovra  農林版  令和7年度積算基準対応版Ver 14.02"));
        EXPECT_EQ(d.findChild<QLabel*>("area")->text(), Tx("区画整理 測量／区画整理 設計／物件調査／土質調査 版"));
        const QString report = Tx(" [各ファイルの データバージョン]"
                                 "\r\n\t歩掛データ\t\t\tVer 1.04"
                                 "\r\n\t変化率・補正率データ\t\tVer 1.03"
                                 "\r\n\t単価データ\t\t\t不明"
                                 "\r\n\t諸経費データ\t\t\tVer 1.02"
                                 "\r\n\tプログラム金額データ\t\tVer 1.01"
                                 "\r\n\t材料単価データ\t\tVer 25.01");
        EXPECT_EQ(d.VersionReport(), report);
        EXPECT_EQ(d.findChild<QLabel*>("versions")->text(), report);
        EXPECT_EQ(d.findChild<QPushButton*>("readme")->text(), Tx("Readme表示"));

        // Collapsed at the start; each press of 詳細 moves the bottom edge by 115 pixels.
        QPushButton* details = d.findChild<QPushButton*>("details");
        const int collapsed = d.height();
        EXPECT_FALSE(d.IsExpanded());
        EXPECT_EQ(details->text(), Tx("詳細 >>"));
        details->click();
        EXPECT_EQ(d.height(), collapsed + 115);
        EXPECT_EQ(details->text(), Tx("詳細 <<"));
        details->click();
        EXPECT_EQ(d.height(), collapsed);
        EXPECT_EQ(details->text(), Tx("詳細 >>"));
        details->click();
        EXPECT_EQ(d.height(), collapsed + 115);
        EXPECT_EQ(details->text(), Tx("詳細 <<"));
        return IDOK;
    });
    EXPECT_TRUE(Run(cmd::AppAbout));
    EXPECT_TRUE(host->messages.empty());
}

// ---- help, Readme, the web pages, the form manager and the 物件調査 switch -----------------------------

// F1, Readme表示 of the about box and the two web-page commands hand their file or address to the
// desktop's opener. A missing file is named; so is a file or page the desktop could not open
// (xdg-open ends with 3 when it has no program for it, 4 when the program failed).
TEST_F(AppCommands, HelpReadmeAndTheWebPagesOpenOnTheDesktopOrSayWhyNot) {
    const std::string manual = program.root / "manual/manual.pdf";
    const std::string readme = program.root / "Readme.txt";
    EXPECT_EQ(app->ManualPath(), manual);
    auto pressReadme = [this] {
        ScriptedDialogs dialogs;
        dialogs.Expect<CAboutDlg>([](CAboutDlg& d) {
            d.findChild<QPushButton*>("readme")->click();
            return IDOK;
        });
        Run(cmd::AppAbout);
    };
    const struct {
        const char* what;
        std::function<void()> run;
        std::string file;  // "" for a web page
        std::string address;
        std::string cannotOpen;
    } targets[] = {
        {"F1", [this] { Run(cmd::Help); }, manual, manual, manual + apptext::kCannotOpenFileAfter},
        {"Readme表示", pressReadme, readme, readme, readme + apptext::kCannotOpenFileAfter},
        {"ｻﾎﾟｰﾄ情報", [this] { Run(cmd::SupportInfo); }, "", apptext::kSupportUrl,
         std::string(apptext::kSupportUrl) + apptext::kCannotOpenPageAfter},
        {"技術情報", [this] { Run(cmd::TechInfo); }, "", apptext::kTechInfoUrl,
         std::string(apptext::kTechInfoUrl) + apptext::kCannotOpenPageAfter},
    };
    for (const auto& t : targets) {
        SCOPED_TRACE(t.what);
        if (!t.file.empty()) {
            fs::remove(t.file);
            host->messages.clear();
            t.run();
            ASSERT_TRUE(StubDesktop::Answered());
            EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{t.file + mastertext::kFileMissing});
            EXPECT_TRUE(desktop.Opened().empty());
            WriteTestFile(t.file, "contents");
        }
        for (int status : {0, 3, 4}) {
            SCOPED_TRACE(status);
            desktop.SetStatus(status);
            host->messages.clear();
            t.run();
            ASSERT_TRUE(StubDesktop::Answered());
            ASSERT_FALSE(desktop.Opened().empty());
            EXPECT_EQ(desktop.Opened().back(), t.address);
            if (status == 0) {
                EXPECT_TRUE(host->messages.empty());
                continue;
            }
            ASSERT_EQ(host->messages.size(), 1u);
            EXPECT_EQ(host->messages[0].text, t.cannotOpen);
            EXPECT_EQ(host->messages[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);
        }
        fs::remove(desktop.folder / "opened");
    }
}

// The opener may wait while the viewer runs: the command returns at once and the answer is read
// when it comes.
TEST_F(AppCommands, TheWindowGoesOnWhileTheDesktopOpensTheManual) {
    const std::string manual = program.root / "manual/manual.pdf";
    WriteTestFile(manual, "%PDF-1.4");
    desktop.SetStatus(3);
    desktop.Hold(true);
    EXPECT_TRUE(Run(cmd::Help));
    EXPECT_TRUE(host->messages.empty());
    desktop.Hold(false);
    ASSERT_TRUE(StubDesktop::Answered());
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{manual + apptext::kCannotOpenFileAfter});
}

// The form manager does nothing, so it shows disabled rather than broken.
TEST_F(AppCommands, TheFormManagerIsDisabledAndTheHelpCommandsAreEnabled) {
    EXPECT_FALSE(Run(cmd::ShowFormManager));
    EXPECT_FALSE(app->Commands().Action(cmd::ShowFormManager)->isEnabled());
    EXPECT_TRUE(host->messages.empty());
    for (int id : {cmd::AppAbout, cmd::Help, cmd::SupportInfo, cmd::TechInfo, cmd::Option, cmd::ShameiInput,
                   cmd::EnableBukken})
        EXPECT_TRUE(app->Commands().State(id).enabled) << id;
}

TEST_F(AppCommands, BukkenSwitchFollowsTheAnswer) {
    host->answers = {IDYES, IDNO};
    Run(cmd::EnableBukken);
    EXPECT_EQ(app->Settings().norinHoshoUse, 1);
    Run(cmd::EnableBukken);
    EXPECT_EQ(app->Settings().norinHoshoUse, 0);
    ASSERT_EQ(host->messages.size(), 2u);
    for (const auto& m : host->messages) {
        EXPECT_EQ(m.text, "物件調査を使用可能にしますか？");
        EXPECT_EQ(m.buttons, MsgButtons::YesNo);
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
}

// ---- options ---------------------------------------------------------------------------------------

namespace {

const COptionValues kSeeded{1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 1, 3, 2};

void Seed(CAppSettings& s) { ApplyOptionValues(kSeeded, s); }

bool Checked(COptionDlg& d, const char* setting, int index) { return d.Choice(setting, index)->isChecked(); }

}  // namespace

TEST_F(AppCommands, OptionsCopyTheThirteenSettingsInAndBackOnOk) {
    Seed(app->Settings());
    // An estimate open meanwhile is priced with the settings the dialog leaves.
    CVemoWinDoc* doc = app->OnFileNew();
    ScriptedDialogs dialogs;
    dialogs.Expect<COptionDlg>([](COptionDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("オプション"));
        EXPECT_EQ(d.GetValues(), kSeeded);
        const std::pair<const char*, int> shown[] = {
            {"SeidoCalc", 1}, {"ShokeihiCalc", 1}, {"SekouCalc", 1}, {"GijyutuCalc", 0}, {"DefGijyutuCalc", 0},
            {"DensiDsp", 1},  {"DaikaOn", 1},      {"MarumeDsp", 1}, {"SeidoDsp", 1},    {"ZairyoDsp", 0},
            {"DouroCalc", 1}, {"HoseiMarumeKind", 2}};
        for (auto [setting, index] : shown) EXPECT_TRUE(Checked(d, setting, index)) << setting;
        d.Choice("SeidoCalc", 0)->click();
        d.Choice("SekouCalc", 0)->click();
        d.Choice("MarumeDsp", 0)->click();
        return IDOK;
    });
    Run(cmd::Option);
    COptionValues expected = kSeeded;
    expected.SeidoCalc = 0;
    expected.SekouCalc = 0;
    expected.MarumeDsp = 0;
    EXPECT_EQ(OptionValuesOf(app->Settings()), expected);
    ASSERT_NE(doc->CalcContext(), nullptr);
    EXPECT_EQ(doc->CalcContext()->GetCalcSettings().SeidoCalc, 0);
    EXPECT_EQ(doc->CalcContext()->GetCalcSettings().MarumeDsp, 0);

    // Cancel leaves every setting as it was, whatever was chosen.
    dialogs.Expect<COptionDlg>([](COptionDlg& d) {
        d.Choice("SeidoCalc", 1)->click();
        d.Choice("ShokeihiCalc", 0)->click();
        d.Choice("GijyutuCalc", 1)->click();
        return IDCANCEL;
    });
    Run(cmd::Option);
    EXPECT_EQ(OptionValuesOf(app->Settings()), expected);
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(AppCommands, OptionsCountingTheComputerUseInTheLabourForceItsOwnRowOff) {
    Seed(app->Settings());
    ScriptedDialogs dialogs;
    dialogs.Expect<COptionDlg>([](COptionDlg& d) {
        EXPECT_TRUE(d.Choice("DensiDsp", 0)->isEnabled());
        d.Choice("ShokeihiCalc", 0)->click();
        EXPECT_TRUE(Checked(d, "DensiDsp", 0));
        EXPECT_FALSE(d.Choice("DensiDsp", 0)->isEnabled());
        EXPECT_FALSE(d.Choice("DensiDsp", 1)->isEnabled());
        return IDOK;
    });
    Run(cmd::Option);
    EXPECT_EQ(app->Settings().ShokeihiCalc, 0);
    EXPECT_EQ(app->Settings().DensiDsp, 0);

    // Opened with it counted already, the row choice is 0 from the start.
    app->Settings().DensiDsp = 1;
    dialogs.Expect<COptionDlg>([](COptionDlg& d) {
        EXPECT_TRUE(Checked(d, "DensiDsp", 0));
        EXPECT_FALSE(d.Choice("DensiDsp", 1)->isEnabled());
        return IDOK;
    });
    Run(cmd::Option);
    EXPECT_EQ(app->Settings().DensiDsp, 0);
}

TEST(OptionDialog, RulesBetweenTheChoicesAndTheHiddenGroups) {
    ScriptedDialogs dialogs;
    struct Case {
        int gijyutu;
        int norinHoshoUse;
    };
    for (Case c : {Case{0, 0}, Case{1, 0}, Case{0, 1}, Case{1, 1}}) {
        COptionValues values = kSeeded;
        values.GijyutuCalc = c.gijyutu;
        values.DefGijyutuCalc = 1;
        COptionDlg dialog;
        dialog.SetValues(values);
        dialog.SetNorinHoshoUse(c.norinHoshoUse);
        dialogs.Expect<COptionDlg>([c](COptionDlg& d) {
            // 個別 greys the choice below it, which keeps its value.
            EXPECT_EQ(d.Choice("DefGijyutuCalc", 0)->isEnabled(), c.gijyutu == 0);
            EXPECT_EQ(d.Choice("DefGijyutuCalc", 1)->isEnabled(), c.gijyutu == 0);
            EXPECT_TRUE(Checked(d, "DefGijyutuCalc", 1));
            EXPECT_EQ(d.findChild<QGroupBox*>("ZairyoDspGroup")->isVisibleTo(&d), c.norinHoshoUse != 0);
            EXPECT_FALSE(d.findChild<QGroupBox*>("DouroCalcGroup")->isVisibleTo(&d));
            EXPECT_FALSE(d.findChild<QWidget*>("RoundingGroup")->isVisibleTo(&d));
            // Choosing 統一 or 個別 runs the rules again.
            d.Choice("GijyutuCalc", 1 - c.gijyutu)->click();
            EXPECT_EQ(d.Choice("DefGijyutuCalc", 0)->isEnabled(), c.gijyutu != 0);
            return IDOK;
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        COptionValues expected = values;
        expected.GijyutuCalc = 1 - c.gijyutu;
        // The hidden groups pass their values through unchanged.
        EXPECT_EQ(dialog.GetValues(), expected);
    }
}

TEST(OptionDialog, TextsOfTheGroupsAndChoices) {
    COptionDlg d;
    d.SetValues(kSeeded);
    const std::pair<const char*, const char*> groups[] = {
        {"SeidoCalcGroup", "測量－精度管理費算出方法"},
        {"ShokeihiCalcGroup", "設計－直接人件費算出方法"},
        {"SekouCalcGroup", "測量－施工管理費算出方法"},
        {"GijyutuCalcGroup", "設計(従来の積算)－技術経費率の違うものを選択した場合の算出方法"},
        {"DaikaOnGroup", "土質調査(一般)－単価の出典元の表示方法"},
        {"MarumeDspGroup", "全体－丸め桁の表示"},
        {"SeidoDspGroup", "測量－精度管理費表示方法"},
        {"ZairyoDspGroup", "物件調査－材料費表示方法"},
        {"DouroCalcGroup", "測量・設計－単価の端数計算方法"},
    };
    for (auto [name, title] : groups) EXPECT_EQ(d.findChild<QGroupBox*>(name)->title(), Tx(title)) << name;
    const std::tuple<const char*, int, const char*> choices[] = {
        {"SeidoCalc", 0, "精度管理費＝（直接人件費＋労務費＋機械経費）×精度管理費係数"},
        {"SeidoCalc", 1, "精度管理費＝（直接人件費＋機械経費）×精度管理係数"},
        {"ShokeihiCalc", 0, "電子計算機使用料を含めて計算"},
        {"ShokeihiCalc", 1, "電子計算機使用料を含めずに計算"},
        {"SekouCalc", 0, "施工管理費を一括して計上"},
        {"SekouCalc", 1, "施工管理費を個別に選択設定して計上"},
        {"GijyutuCalc", 0, "下記の技術経費率にて統一して算出"},
        {"GijyutuCalc", 1, "個々の技術経費率にて個別に算出"},
        {"DefGijyutuCalc", 0, "一番高い技術経費率にて算出"},
        {"DefGijyutuCalc", 1, "合計金額が最大となる技術経費率にて算出"},
        {"DensiDsp", 0, "各種別内に含めて表示"},
        {"DensiDsp", 1, "専用行にまとめて表示"},
        {"DaikaOn", 0, "代価表に表示する"},
        {"DaikaOn", 1, "代価表には表示しない（総括表で表示する）"},
        {"MarumeDsp", 0, "丸め桁を表示しない"},
        {"MarumeDsp", 1, "丸め桁を摘要欄に表示"},
        {"SeidoDsp", 0, "各種別内に含めて表示"},
        {"SeidoDsp", 1, "専用行にまとめて表示"},
        {"ZairyoDsp", 0, "各種別内に含めて表示"},
        {"ZairyoDsp", 1, "専用行にまとめて表示"},
        {"DouroCalc", 0, "従来の計算方法（小数点以下切捨て）"},
        {"DouroCalc", 1, "平成30年「設計業務等標準積算基準書の"},
        {"HoseiMarumeKind", 0, "四捨五入"},
        {"HoseiMarumeKind", 1, "切捨て"},
        {"HoseiMarumeKind", 2, "切上げ"},
    };
    for (auto [setting, index, text] : choices) EXPECT_EQ(d.Choice(setting, index)->text(), Tx(text)) << setting << index;
    EXPECT_EQ(d.findChild<QLabel*>("DouroCalcMore")->text(), Tx("解説」に準拠（有効数字4桁(5桁目切捨て））"));
    EXPECT_EQ(d.findChild<QPushButton*>("cancel")->text(), Tx("ｷｬﾝｾﾙ"));
}

// ---- 社名入力及び選択単価の初期設定 (32771) ---------------------------------------------------------------

TEST_F(AppCommands, ShameiInputSavedOnYesRefreshesTheUnitPricePane) {
    const std::string before = ReadTestFile(program.tanka);
    ScriptedDialogs dialogs;
    dialogs.Expect<CShameiInputDlg>([](CShameiInputDlg& d) {
        EXPECT_EQ(d.windowTitle(), Tx("社名入力及び選択単価の初期設定"));
        d.findChild<CZo_Edit*>("companyName1")->setText(Tx("北山測量設計株式会社"));
        d.findChild<CZo_Edit*>("tax")->setText(Tx("8"));
        return IDOK;
    });
    host->answers = {IDYES};
    Run(cmd::ShameiInput);
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(host->messages[0].text, "単価データ ファイルを書き換えてよろしいですか？");
    EXPECT_EQ(host->messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(host->messages[0].icon, MsgIcon::Exclamation);

    const CTankaFile& tanka = app->Store().GetTankaFile();
    EXPECT_EQ(tanka.m_company[3], "北山測量設計株式会社");
    EXPECT_EQ(tanka.m_consumptionTax, 800);
    EXPECT_NE(ReadTestFile(program.tanka), before);
    EXPECT_EQ(ReadTestFile(program.tanka), StoreMasterBytes(CTankaFile(tanka)));
    EXPECT_EQ(host->panes[2], std::vector<std::string>{"令和7年度単価"});
    // The file stays locked by this program after the save.
    EXPECT_TRUE(vemo::IsReadOnlyMarked(program.tanka));
}

TEST_F(AppCommands, ShameiInputAnsweredNoOrCancelledChangesNothing) {
    const std::string before = ReadTestFile(program.tanka);
    const CTankaFile inMemory = app->Store().GetTankaFile();
    ScriptedDialogs dialogs;
    auto edit = [](CShameiInputDlg& d) {
        d.findChild<CZo_Edit*>("companyName1")->setText(Tx("別の社名"));
        // A new default column is written into the dialog's copy at once …
        d.findChild<QComboBox*>("column")->setCurrentIndex(0);
        EXPECT_EQ(d.GetTankaFile().m_defaultColumn, 0);
        return IDOK;
    };
    dialogs.Expect<CShameiInputDlg>(edit);
    host->answers = {IDNO};
    Run(cmd::ShameiInput);
    dialogs.Expect<CShameiInputDlg>([&](CShameiInputDlg& d) {
        edit(d);
        return IDCANCEL;
    });
    Run(cmd::ShameiInput);
    // … and neither No nor Cancel lets it reach the application's master or the file.
    EXPECT_TRUE(app->Store().GetTankaFile() == inMemory);
    EXPECT_EQ(ReadTestFile(program.tanka), before);
    EXPECT_EQ(host->MessageTexts(), std::vector<std::string>{"単価データ ファイルを書き換えてよろしいですか？"});
    EXPECT_TRUE(host->panes.empty());
}

// ---- print forms and print set-up ------------------------------------------------------------------

TEST_F(AppCommands, PrintFormSettingIsEnabledWhileTheListHasAForm) {
    for (const auto& [forms, enabled] : std::vector<std::pair<std::vector<std::string>, bool>>{
             {{}, false}, {{"/f/a.xlsx"}, true}, {{"/f/a.xlsx", "/f/b.xlsx"}, true}}) {
        app->Settings().formList = forms;
        app->Commands().UpdateActions();
        EXPECT_EQ(app->Commands().State(cmd::PrintFormSetting).enabled, enabled) << forms.size();
        EXPECT_EQ(app->Commands().Action(cmd::PrintFormSetting)->isEnabled(), enabled) << forms.size();
    }
    // Disabled, it opens nothing (the scripted runner fails on any dialog).
    ScriptedDialogs dialogs;
    app->Settings().formList.clear();
    EXPECT_FALSE(Run(cmd::PrintFormSetting));
}

TEST_F(AppCommands, PrintFormSettingReplacesTheListOnlyOnOkKeepingFormTypeInRange) {
    const std::vector<std::string> forms = {"/f/a.xlsx", "/f/b.xlsx", "/f/c.xlsx"};
    struct Case {
        int answer;
        std::vector<std::string> list;
        int formType;
    };
    for (const Case& c : {Case{IDOK, {"/f/a.xlsx", "/f/b.xlsx"}, 1}, Case{IDCANCEL, forms, 2}}) {
        app->Settings().formList = forms;
        app->Settings().formType = 2;
        ScriptedDialogs dialogs;
        dialogs.Expect<CPrintFormDlg>([&](CPrintFormDlg& d) {
            std::vector<std::string> shown;
            d.GetFormList(shown);
            EXPECT_EQ(shown, forms);
            // The selected form is deleted from the dialog's list.
            d.SelectRow(2);
            d.OnDeleteForm();
            return c.answer;
        });
        ASSERT_TRUE(Run(cmd::PrintFormSetting));
        EXPECT_EQ(app->Settings().formList, c.list) << c.answer;
        EXPECT_EQ(app->Settings().formType, c.formType) << c.answer;
        // The settings' Print group takes what the application holds.
        app->MainFrame()->SaveSettings();
        CQtSettings profile;
        const std::string name = platformtext::kAppName;
        EXPECT_EQ(profile.GetInt(name, "Print", "FormNum", -1), static_cast<int>(c.list.size())) << c.answer;
        EXPECT_EQ(profile.GetString(name, "Print", "Form1", ""), "/f/b.xlsx") << c.answer;
        EXPECT_EQ(profile.Contains(name, "Print", "Form2"), c.answer == IDCANCEL);
        EXPECT_EQ(profile.GetInt(name, "Print", "FormType", -1), c.formType) << c.answer;
    }
    EXPECT_TRUE(host->messages.empty());
}

TEST_F(AppCommands, PrintSetupChoosesThePaperOfTheReportsPrinterOnOkOnly) {
    // Start-up installed the output every report prints through.
    CQtReportOutput* output = app->ReportOutputImpl();
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(&ReportOutput(), output);
    QPrinter& printer = output->Printer();
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    EXPECT_TRUE(app->Commands().State(cmd::FilePrintSetup).enabled);
    for (const int answer : {IDCANCEL, IDOK}) {
        ScriptedDialogs dialogs;
        dialogs.Expect<QPageSetupDialog>([&](QPageSetupDialog& d) {
            EXPECT_EQ(d.printer(), &printer);
            // A3 across, with a left margin of 25 mm.
            auto* sizes = d.findChild<QComboBox*>("pageSizeCombo");
            auto* units = d.findChild<QComboBox*>("unitCombo");
            auto* landscape = d.findChild<QRadioButton*>("landscape");
            auto* left = d.findChild<QDoubleSpinBox*>("leftMargin");
            if (!sizes || !units || !landscape || !left) {
                ADD_FAILURE() << "page set-up fields not found";
                return answer;
            }
            units->setCurrentIndex(units->findData(QVariant::fromValue(QPageLayout::Millimeter)));
            units->activated(units->currentIndex());
            for (int i = 0; i < sizes->count(); ++i)
                if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::A3) sizes->setCurrentIndex(i);
            landscape->click();
            left->setValue(25);
            return answer;
        });
        ASSERT_TRUE(Run(cmd::FilePrintSetup));
        const QPageLayout layout = printer.pageLayout();
        const bool ok = answer == IDOK;
        EXPECT_EQ(layout.pageSize().id(), ok ? QPageSize::A3 : QPageSize::A4) << answer;
        EXPECT_EQ(layout.orientation(), ok ? QPageLayout::Landscape : QPageLayout::Portrait) << answer;
        EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).left(), ok ? 25 : 10, 0.01) << answer;
    }
}
