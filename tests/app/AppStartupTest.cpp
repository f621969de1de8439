// Tests of the program's start-up and shutdown: CVemoWinApp (app/VemoWinApp.h) over the master-data store.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include "AppProgramFolder.h"
#include "AppTestEnvironment.h"
#include "ChildProcess.h"
#include "EstimateBuilders.h"
#include "EstimateFormTemplate.h"
#include "LockWaitSupport.h"
#include "MasterBuilders.h"
#include "RecordingReportOutput.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "ZairyoTankaSettingScript.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/CommandRegistry.h"
#include "app/ExitSignals.h"
#include "app/MainFrame.h"
#include "app/MasterFolderDlg.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "dialogkit/ImeStatus.h"
#include "estimate/EstimateTexts.h"
#include "estimate/VemoWinDocData.h"
#include "master/BukakeMoveRecord.h"
#include "master/MasterTexts.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"
#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"
#include "report/ReportTexts.h"

namespace fs = std::filesystem;
using namespace masterbuild;

namespace {

const std::vector<std::string> kLoadTexts = {
    mastertext::kStatusLoadingBukake,         mastertext::kStatusLoadingHenkaritsu,
    mastertext::kStatusLoadingTanka,          mastertext::kStatusLoadingShokeihi,
    mastertext::kStatusLoadingProgramKingaku, mastertext::kStatusLoadingZairyoTanka,
    mastertext::kStatusLoadingHyoshi,         mastertext::kStatusHelpHint};

template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}

// The program folder laid out as shipped, and the master files a start locks in it.
struct ProgramFolder : AppProgramFolder {
    std::vector<std::string> LockedFiles() const {
        return {masters + "/歩掛データ.soa", masters + "/変化率データ.soa", data + "/単価データ.daa",
                data + "/諸経費データ.daa", data + "/プログラム金額データ.daa", data + "/材料単価データ25.zoa"};
    }
    int CountLocked() const {
        int n = 0;
        for (const auto& f : LockedFiles()) n += vemo::IsReadOnlyMarked(f);
        return n;
    }
};

// An estimate file written by the core.
std::string WriteEstimate(const std::string& path, const std::string& masterFolder, const std::string& zairyo) {
    CVemoWinDocData data;
    CSekisanItemList* list = data.GetItemList();
    list->m_strKenmei = "林道測量業務";
    list->m_strKashoName = "北山地区";
    list->m_strMasterFolder = masterFolder;
    list->m_strZairyoFile = zairyo;
    list->m_nTankaColumn = 1;
    estimate_test::ItemListBuilder(*list).Gyomu(2, "設計業務").Koshu(300, "詳細設計").Shubetsu(1, "一般").Quantity(2000);
    EXPECT_EQ(data.SaveFile(path), 1);
    return ReadTestFile(path);
}

class AppStartup : public ::testing::Test {
protected:
    std::vector<std::string> Pane0(const ScriptedHost& host) {
        auto it = host.panes.find(0);
        return it == host.panes.end() ? std::vector<std::string>{} : it->second;
    }

    ProgramFolder program;
    AppStartScope start;
};

TEST_F(AppStartup, LoadsAndLocksTheMastersAndReleasesThemAtTheEnd) {
    {
        CVemoWinApp app({}, program.root.Path());
        ScriptedHost scripted;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(Pane0(scripted), kLoadTexts);
        EXPECT_TRUE(scripted.messages.empty()) << scripted.messages.front().text;
        EXPECT_EQ(program.CountLocked(), 6);
        EXPECT_EQ(scripted.panes[1].back(), "参考マスター25");
        EXPECT_EQ(scripted.panes[2].back(), "令和7年度単価");
        EXPECT_EQ(scripted.panes[3].back(), "材料単価 令和7年度");
        EXPECT_EQ(app.Store().GetMasterDataFolder(), program.masters);
        EXPECT_TRUE(app.MainFrame()->isVisible());
        EXPECT_EQ(app.MainFrame()->windowTitle(), QString::fromUtf8(apptext::kMainCaption));
        // Starting without a file opens no estimate.
        EXPECT_TRUE(app.EstimateWindows().empty());
        // Estimates are priced with their own contexts: the application installs none process-wide.
        EXPECT_THROW(CalcEnv(), std::logic_error);
        app.ExitInstance();
        EXPECT_EQ(program.CountLocked(), 0);
    }
    EXPECT_EQ(program.CountLocked(), 0);
}

TEST_F(AppStartup, ASecondInstanceSeesTheLocks) {
    CVemoWinApp first({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(first.InitInstance());
    {
        CVemoWinApp second({}, program.root.Path());
        ScriptedHost secondHost;
        second.Store().classifyDrive = [](const std::string&) { return DriveKind::fixed; };
        secondHost.answers = {IDNO};
        ASSERT_TRUE(second.InitInstance());
        ASSERT_EQ(secondHost.messages.size(), 1u);
        EXPECT_EQ(secondHost.messages[0].text,
                  mastertext::kLocksHeld + std::string(mastertext::kEditorBukake) + mastertext::kEditorHenkaritsu +
                      mastertext::kEditorTanka + mastertext::kEditorShokeihi + mastertext::kEditorProgramKingaku +
                      mastertext::kEditorZairyoTanka + mastertext::kAskForceLocks);
        EXPECT_EQ(secondHost.messages[0].buttons, MsgButtons::YesNo);
        second.ExitInstance();
        // The second instance releases nothing it did not take.
        EXPECT_EQ(program.CountLocked(), 6);
    }
    first.ExitInstance();
    EXPECT_EQ(program.CountLocked(), 0);
}

// SIGTERM, a closed terminal, and the desktop session's end after its own question, end the program as
// 終了 does but without a question nobody may be there to answer: a dialog waiting at the time gives way,
// a modified estimate is left unsaved as its file was, the masters' marks and lock files go and the
// settings are kept, also when another signal comes while the exit's release waits for a lock file.
// The program, a child process here, exits 128 + the first signal's number after a signal.
void SessionEnd() {
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
}
template <int... numbers>
void Signal() { (::kill(::getpid(), numbers), ...); }
const struct {
    const char* how;
    void (*end)();
    int code;
    void (*duringTheExitsWait)() = nullptr;  // while the release waits a moment for a lock file another program reads
} kOutsideEnds[] = {{"SIGTERM", Signal<SIGTERM>, 128 + SIGTERM},
                    {"the session's end", SessionEnd, 0},
                    {"a closed terminal: SIGHUP from the shell and the kernel", Signal<SIGHUP, SIGHUP>, 128 + SIGHUP},
                    {"the session's end, then SIGTERM during the release", SessionEnd, 0, Signal<SIGTERM>},
                    {"SIGTERM, then SIGHUP during the release", Signal<SIGTERM>, 128 + SIGTERM, Signal<SIGHUP>}};

// A child's run of the program over a modified estimate, ended from outside while a dialog waits
// (argument: the settings folder, the program folder, the estimate, and the end's place in
// kOutsideEnds): the exit code and the messages.
CHILD_WORK(EndFromOutside, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    AppStartScope start(QString::fromStdString(parts.at(0)));
    CVemoWinApp app({QString::fromStdString(parts.at(2))}, parts.at(1));
    ScriptedHost host;
    app.EndOnSignals();
    if (!app.InitInstance()) return "the program did not start" + host.MessageLog();
    app.ActiveEstimateWindow()->GetDocument()->SetModifiedFlag();
    const auto& outside = kOutsideEnds[std::stoul(parts.at(3))];
    QTimer::singleShot(0, app.MainFrame(), [&] {
        QTimer::singleShot(0, outside.end);
        QDialog(app.MainFrame()).exec();
    });
    const int code = app.Run();
    int reader = outside.duringTheExitsWait ? KeepRecordLock(vemo::LockFilePath(app.Store().GetBukakePath())) : -1;
    CountingLockClock clock;
    clock.onSleep = [&] { if (reader >= 0) outside.duringTheExitsWait(), ::close(std::exchange(reader, -1)); };
    app.ExitInstance();
    return "exit " + std::to_string(code) + host.MessageLog();
}

TEST_F(AppStartup, ASignalOrTheSessionsEndEndsTheProgramThroughItsExitPathUnasked) {
    const std::string path = program.root / "変更中.sei";
    const std::string saved = WriteEstimate(path, program.masters, program.data + "/材料単価データ25.zoa");
    for (size_t e = 0; e < std::size(kOutsideEnds); ++e) {
        SCOPED_TRACE(kOutsideEnds[e].how);
        UseFreshSettingsFolder();
        const ChildOutcome child = RunInChild(
            &EndFromOutside,
            ChildArguments({SettingsFolder().toStdString(), program.root.Path(), path, std::to_string(e)}));
        ASSERT_TRUE(child.reported) << child.how;
        EXPECT_EQ(child.report, "exit " + std::to_string(kOutsideEnds[e].code));
        EXPECT_EQ(program.CountLocked(), 0);
        for (const std::string& master : program.LockedFiles())
            EXPECT_FALSE(fs::exists(vemo::LockFilePath(master))) << master;
        EXPECT_EQ(ReadTestFile(path), saved);
        EXPECT_EQ(CQtSettings().GetString(platformtext::kAppName, "Path", "MasterData", ""), program.masters);
    }
}

// A child's run of the program whose exit waits for lock files another program keeps, signalled again
// at each pause of the wait (argument: the settings folder, the program folder, then the masters).
CHILD_WORK(SignalledAgainDuringTheExitsWait, argument) {
    const std::vector<std::string> parts = ChildArgumentParts(argument);
    AppStartScope start(QString::fromStdString(parts.at(0)));
    CVemoWinApp app({}, parts.at(1));
    ScriptedHost host;
    app.EndOnSignals();
    if (!app.InitInstance()) return "the program did not start" + host.MessageLog();
    for (size_t i = 2; i < parts.size(); ++i) KeepRecordLock(vemo::LockFilePath(parts[i]));
    CountingLockClock clock;
    // Later than the burst the first signal may come in.
    clock.onSleep = [once = true]() mutable {
        if (std::exchange(once, false)) std::this_thread::sleep_for(CExitSignals::kBurst);
        Signal<SIGTERM>();
    };
    QTimer::singleShot(0, Signal<SIGTERM>);
    const int code = app.Run();
    app.ExitInstance();
    return "exit " + std::to_string(code) + " after the wait";
}

// A second signal, apart from the first, while the exit waits for lock files that another program keeps
// ends the program at once, with the code of the signal, rather than after the wait.
TEST_F(AppStartup, ASecondSignalDuringTheExitsWaitEndsTheProgramAtOnce) {
    std::vector<std::string> parts = {SettingsFolder().toStdString(), program.root.Path()};
    for (const std::string& master : program.LockedFiles()) parts.push_back(master);
    const ChildOutcome child = RunInChild(&SignalledAgainDuringTheExitsWait, ChildArguments(parts));
    EXPECT_EQ(child.report + child.how, "exited with " + std::to_string(128 + SIGTERM) + " without a report");
}

// The splash window stays up while the masters load, so that a wait for their lock files is seen, and
// gives way to the first window the program shows over it.
TEST_F(AppStartup, TheSplashStaysUpWhileTheMastersLoad) {
    CSplashWnd::EnableSplashScreen(true);
    const std::string lockPath = vemo::LockFilePath(program.LockedFiles()[0]);
    WriteTestFile(lockPath, "vemo-lock 1\n");
    const int keeper = KeepRecordLock(lockPath);
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    scripted.answers = {IDNO};
    CountingLockClock clock;
    std::vector<bool> up;  // at the wait's first pause, before and after a dialog shows
    clock.onSleep = [&] {
        if (!up.empty()) return;
        up.push_back(CSplashWnd::Current());
        QDialog().show();
        up.push_back(CSplashWnd::Current());
    };
    ASSERT_TRUE(app.InitInstance());
    ::close(keeper);
    EXPECT_EQ(up, (std::vector<bool>{true, false}));
    app.ExitInstance();
}

TEST_F(AppStartup, AFailedBukakeLoadOpensTheFolderDialog) {
    // The master folder in the settings lacks its 歩掛 file; a sibling folder is complete.
    std::string broken = program.data + "/壊れたマスター";
    AppProgramFolder::WriteMasterSet(broken);
    fs::remove(broken + "/歩掛データ.soa");
    {
        CQtSettings profile;
        profile.SetString(platformtext::kAppName, "Path", "MasterData", broken);
    }
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ScriptedDialogs dialogs;
    std::vector<std::string> textsBeforeDialog;
    dialogs.Expect<CMasterFolderDlg>([&](CMasterFolderDlg& dlg) {
        textsBeforeDialog = Pane0(scripted);
        // Opened over the folder in use, listing its data folder, with the broken set selected.
        EXPECT_EQ(dlg.CurrentFolder(), broken);
        EXPECT_EQ(dlg.DataFolder(), program.data);
        EXPECT_EQ(dlg.Mode(), CMasterFolderDlg::Normal);
        EXPECT_EQ(dlg.SelectedName(), QStringLiteral("壊れたマスター"));
        EXPECT_TRUE(dlg.MissingLabelShown());
        dlg.SelectName(QStringLiteral("参考マスター25"));
        return IDOK;
    });
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(dialogs.titles, std::vector<QString>{QString::fromUtf8(mastertext::kMasterFolderTitle)});
    // Every status text of the five loads appears before the dialog, none loaded after the failure.
    EXPECT_EQ(textsBeforeDialog, std::vector<std::string>(kLoadTexts.begin(), kLoadTexts.begin() + 5));
    // The failed load, then the dialog's report on the selected set.
    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_NE(scripted.messages[0].text.find("が見つかりません。"), std::string::npos);
    EXPECT_EQ(scripted.messages[1].text, std::string(apptext::kMissingFilesHeading) + apptext::kMissingBukakeLine);
    EXPECT_EQ(app.Store().GetMasterDataFolder(), program.masters);
    EXPECT_EQ(program.CountLocked(), 6);
    app.ExitInstance();
    EXPECT_EQ(program.CountLocked(), 0);
}

TEST_F(AppStartup, CancellingTheFolderDialogEndsWithoutLocks) {
    fs::remove(program.masters + "/変化率データ.soa");
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ScriptedDialogs dialogs;
    dialogs.Expect<CMasterFolderDlg>(IDCANCEL);
    EXPECT_FALSE(app.InitInstance());
    // The 歩掛 lock taken before the failure is released again.
    EXPECT_FALSE(vemo::IsReadOnlyMarked(program.masters + "/歩掛データ.soa"));
    app.ExitInstance();
    EXPECT_EQ(program.CountLocked(), 0);
}

TEST_F(AppStartup, ACommandLineFileIsOpenedAndSavedByteForByte) {
    const std::string path = program.root / "見積.sei";
    const std::string original = WriteEstimate(path, program.masters, program.data + "/材料単価データ25.zoa");
    CVemoWinApp app({QString::fromStdString(path)}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.EstimateWindows().size(), 1u);
    CVemoWinView* window = app.EstimateWindows()[0];
    EXPECT_EQ(window->KenmeiText(), QStringLiteral("林道測量業務"));
    EXPECT_EQ(window->Grid()->GetMaxRows(), 3);
    // The estimate window is maximised: its name follows the caption.
    EXPECT_EQ(app.MainFrame()->windowTitle(), QString::fromUtf8(apptext::kMainCaption) + QStringLiteral(" - [見積.sei]"));
    EXPECT_EQ(app.RecentFiles().Files().front(), path);

    CVemoWinDoc* doc = window->GetDocument();
    EXPECT_TRUE(doc->DoSave(doc->GetPathName(), true));
    EXPECT_EQ(ReadTestFile(path), original);
    // Opening it again activates the open window, under any name of the same file.
    fs::create_directory(program.root / "別名");
    fs::create_symlink(path, program.root / "別名/リンク.sei");
    fs::create_hard_link(path, program.root / "別名/ハードリンク.sei");
    for (const std::string& again : {path, program.root / "別名/リンク.sei", program.root / "別名/ハードリンク.sei",
                                     program.root / "別名/../見積.sei"})
        EXPECT_EQ(app.OpenDocumentFile(again), doc) << again;
    EXPECT_EQ(app.EstimateWindows().size(), 1u);
    EXPECT_TRUE(scripted.messages.empty());
}

// A recent file of a long path stays short in the ファイル menu, so that the menu keeps within the
// screen and its shortcut labels stay in sight, on the next start as on this one.
TEST_F(AppStartup, TheFileMenuShowsItsShortcutsOnEveryStart) {
    const std::string path = program.root / "見積書の保管場所/令和7年度の委託業務見積/区画整理測量設計業務委託の見積書/"
                                            "区画整理測量設計業務委託見積書サンプル第二版.sei";
    fs::create_directories(fs::path(path).parent_path());
    WriteEstimate(path, program.masters, program.data + "/材料単価データ25.zoa");
    auto fileMenu = [](CVemoWinApp& app) -> QMenu* {
        for (QAction* action : app.MainFrame()->menuBar()->actions())
            if (action->text() == QStringLiteral("ファイル(&F)")) return action->menu();
        return nullptr;
    };
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        CVemoWinApp app(start == 0 ? QStringList{QString::fromStdString(path)} : QStringList{}, program.root.Path());
        ScriptedHost scripted;
        ASSERT_TRUE(app.InitInstance());
        QMenu* menu = fileMenu(app);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(app.Commands().Action(cmd::FileMru1)->isVisible());
        const QRect screen = app.MainFrame()->screen()->availableGeometry();
        EXPECT_LE(menu->sizeHint().width(), screen.width());
        const std::pair<int, const char*> shortcuts[] = {
            {cmd::FileNew, "Ctrl+N"}, {cmd::FileOpen, "Ctrl+O"}, {cmd::FileSave, "Ctrl+S"}, {cmd::FilePrint, "Ctrl+P"}};
        for (const auto& [id, keys] : shortcuts) {
            QAction* action = app.Commands().Action(id);
            ASSERT_TRUE(menu->actions().contains(action)) << id;
            EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(keys));
            EXPECT_LE(menu->actionGeometry(action).right(), screen.width()) << id;
        }
        EXPECT_TRUE(app.MainFrame()->close());
        app.ExitInstance();
    }
}

// The framework's print form of the command line: the estimate is printed on the printer the
// reports share, without asking for one, and the program ends without showing its window. A printer
// that cannot be started prints nothing: the user is told, and the program ends with a failure.
TEST_F(AppStartup, ACommandLineFileToPrintIsPrintedAndTheProgramEnds) {
    const std::string path = program.root / "印刷.sei";
    WriteEstimate(path, program.masters, program.data + "/材料単価データ25.zoa");
    WriteTestFile(program.root / "フォーム/ｶﾗｰA4形式.xlsx",
                  estimateform::BuildForm({estimateform::PlainSheet("報告書1", estimateform::SokatsuCells()),
                                           estimateform::PlainSheet("報告書2", estimateform::SokatsuCells())}));
    const struct {
        const char* option;
        bool printerFails;
    } cases[] = {{"/p", false}, {"-P", false}, {"/p", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.option) + (c.printerFails ? " without a printer" : ""));
        EXPECT_FALSE(CVemoWinApp::IsFileArgument(QString::fromLatin1(c.option)));
        RecordingReportOutput output;
        output.printFails = c.printerFails;
        CVemoWinApp app({QString::fromLatin1(c.option), QString::fromStdString(path)}, program.root.Path());
        ScriptedHost scripted;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.PrintedFromCommandLine(), !c.printerFails);
        ASSERT_EQ(output.calls.size(), 1u);
        EXPECT_EQ(output.calls[0].rfind("print ", 0), 0u) << output.calls[0];
        EXPECT_NE(output.calls[0], "print 0");
        EXPECT_FALSE(app.MainFrame()->isVisible());
        EXPECT_EQ(scripted.MessageTexts(),
                  c.printerFails ? std::vector<std::string>{reporttext::kNothingPrinted} : std::vector<std::string>{});
        app.ExitInstance();
        EXPECT_EQ(program.CountLocked(), 0);
    }
}

TEST_F(AppStartup, AnUnreadableCommandLineFileEndsTheStartWithoutLocks) {
    const std::string path = program.root / "壊れた.sei";
    WriteTestFile(path, "not an estimate");
    CVemoWinApp app({QString::fromStdString(path)}, program.root.Path());
    ScriptedHost scripted;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(scripted.messages.size(), 1u);
    app.ExitInstance();
    EXPECT_EQ(program.CountLocked(), 0);
}

TEST_F(AppStartup, AnEstimateOfAnotherMasterFolderIsSwitched) {
    const std::string path = program.root / "他.sei";
    WriteEstimate(path, "/old/データ格納/参考マスター24", program.data + "/材料単価データ25.zoa");
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    ScriptedDialogs dialogs;
    dialogs.Expect<CMasterSelectDlg>([&](CMasterSelectDlg& dlg) {
        // The notice names the estimate's folder and the one in use.
        EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("oldFolder"))->text(),
                  QStringLiteral("/old/データ格納/参考マスター24"));
        EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("newFolder"))->text(), QString::fromStdString(program.masters));
        return IDOK;
    });
    CVemoWinDoc* doc = app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(dialogs.Pending(), 0u);
    EXPECT_EQ(doc->GetItemList()->m_strMasterFolder, program.masters);

    // A folder that differs only in letter case asks nothing.
    const std::string other = program.root / "大小.sei";
    std::string upper = program.masters;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    WriteEstimate(other, upper, program.data + "/材料単価データ25.zoa");
    ASSERT_NE(app.OpenDocumentFile(other), nullptr);
    EXPECT_EQ(dialogs.classes.size(), 1u);

    // What an estimate names is part of it: the switched one is marked modified, the other not; a
    // switch of the folder in use rewrites and marks both.
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(app.ActiveEstimateWindow()->GetDocument()->IsModified());
    const std::string own = program.data + "/自社マスター";
    fs::create_directory(own);
    for (const char* f : {"/歩掛データ.soa", "/変化率データ.soa"}) fs::copy_file(program.masters + f, own + f);
    dialogs.Expect<CMasterFolderDlg>([](CMasterFolderDlg& dlg) {
        dlg.SelectName(QStringLiteral("自社マスター"));
        return IDOK;
    });
    EXPECT_EQ(app.OnMasterDataSetting(), 1);
    for (CVemoWinView* w : app.EstimateWindows()) {
        EXPECT_EQ(w->GetItemList()->m_strMasterFolder, own);
        EXPECT_TRUE(w->GetDocument()->IsModified());
    }
    app.ExitInstance();
}

TEST_F(AppStartup, RowsOnACodeAnUpdateTookAreRepointedOnAFolderChangeAndOnOpening) {
    // The master set of another folder, whose record says that 設計 300 "詳細設計" took 301.
    const std::string own = program.data + "/自社マスター", first = program.root / "移動.sei";
    AppProgramFolder::WriteMasterSet(own);
    WriteTestFile(MoveRecordPath(own),
                  vemo::Utf8ToCp932(mastertext::kMoveRecordHeader + std::string("\r\n2\t300\t-\t301\t-\t詳細設計\r\n")));
    WriteEstimate(first, program.masters, program.data + "/材料単価データ25.zoa");
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    scripted.messages.clear();
    CVemoWinDoc* doc = app.OpenDocumentFile(first);
    EXPECT_TRUE(scripted.messages.empty());  // the folder in use has no record
    ScriptedDialogs dialogs;
    dialogs.Expect<CMasterFolderDlg>([](CMasterFolderDlg& dlg) {
        dlg.SelectName(QStringLiteral("自社マスター"));
        return IDOK;
    });
    ASSERT_EQ(app.OnMasterDataSetting(), 1);
    const std::string moved = estimate_texts::MsgMovedRowsRepointed + std::string("設計業務 詳細設計") +
                              mastertext::kFindingSeparator + mastertext::kKoshuCodeBefore + "300" +
                              mastertext::kKoshuCodeArrow + "301\n";
    // The estimate open, then one opened under that folder: each is told once, repointed and modified.
    const std::string second = program.root / "二件目.sei";
    WriteEstimate(second, own, program.data + "/材料単価データ25.zoa");
    for (const char* name : {"移動.sei", "二件目.sei"}) {
        if (name == std::string("二件目.sei")) doc = app.OpenDocumentFile(second);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(scripted.MessageTexts(),
                  std::vector<std::string>{vemo::FillText(estimate_texts::MsgMovedRowsChecked, {name}) + moved});
        EXPECT_EQ(estimate_test::RowCodes(*doc->GetItemList()), "2 2.301 2.301.1");
        EXPECT_TRUE(doc->IsModified());
        scripted.messages.clear();
    }
    app.ExitInstance();
}

TEST_F(AppStartup, AnEstimatePastALimitOpensAsSavedWithOneNotice) {
    // As saved: a lump of 1,000,000,000 yen, beyond the direct sum of its 業務, whose totals show 0.
    CVemoWinDocData data;
    CSekisanItemList* list = data.GetItemList();
    list->m_strMasterFolder = program.masters;
    list->m_strZairyoFile = program.data + "/材料単価データ25.zoa";
    list->m_nTankaColumn = 1;
    estimate_test::ItemListBuilder(*list)
        .Gyomu(2, "設計業務")
        .Koshu(69, "一式計上")
        .Amount(1'000'000'000)
        .Koshu(95, "設計業務費")
        .Amount(0)
        .Summary(95, "小計")
        .Amount(0)
        .Summary(99, "業務委託料計")
        .Amount(0);
    const std::string path = program.root / "上限.sei";
    ASSERT_EQ(data.SaveFile(path), 1);
    const std::string saved = ReadTestFile(path);

    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    scripted.messages.clear();
    CVemoWinDoc* doc = app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(scripted.MessageTexts(),
              std::vector<std::string>{vemo::FillText(apptext::kCalcLimitsNotice, {"設計業務"})});
    EXPECT_EQ(doc->GetItemList()->GetItem(1)->m_nAmount, 1'000'000'000);
    EXPECT_EQ(doc->GetItemList()->GetItem(2)->m_nAmount, 0);
    EXPECT_FALSE(doc->IsModified());
    // Opening it again only brings its window forward.
    EXPECT_EQ(app.OpenDocumentFile(path), doc);
    EXPECT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(ReadTestFile(path), saved);
    app.ExitInstance();
}

TEST_F(AppStartup, AnEstimatesOwnMaterialPricesAreRestoredWhenItCloses) {
    CZairyoTankaFile own = SampleZairyoTankaFile();
    own.m_title = "材料単価 特別";
    const std::string ownPath = program.data + "/材料単価データ特別.zoa";
    WriteMaster(ownPath, std::move(own));
    const std::string path = program.root / "特別.sei";
    WriteEstimate(path, program.masters, ownPath);

    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    const std::string programWide = app.Store().GetZairyoTankaPath();
    CVemoWinDoc* doc = app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), ownPath);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 特別");
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), programWide);
    EXPECT_EQ(scripted.panes[3].back(), "材料単価 特別");

    // A new estimate keeps the remembered program-wide file.
    CVemoWinDoc* fresh = app.OnFileNew();
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), programWide);
    EXPECT_EQ(fresh->GetItemList()->m_strMasterFolder, program.masters);
    EXPECT_EQ(fresh->GetItemList()->m_nTankaColumn, 1);
    EXPECT_EQ(fresh->GetItemList()->m_strZairyoFile, ownPath);
    EXPECT_EQ(fresh->GetTitle(), QStringLiteral("積算データ1"));

    // Closing a modified estimate asks first; Cancel keeps everything, prices included.
    doc->SetModifiedFlag();
    scripted.answers = {IDCANCEL};
    EXPECT_FALSE(app.MainFrame()->close());
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), ownPath);
    EXPECT_EQ(scripted.messages.back().text, path + apptext::kAskSaveChangesAfter);

    // Closing all estimates brings the program-wide file back, with its lock.
    doc->SetModifiedFlag(false);
    const size_t pane2Texts = scripted.panes[2].size();
    const size_t pane3Texts = scripted.panes[3].size();
    app.MainFrame()->MdiClient()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.EstimateWindows().empty());
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), programWide);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 令和7年度");
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), "");
    EXPECT_TRUE(vemo::IsReadOnlyMarked(programWide));
    // Panes 2 and 3 are shown afresh: the unit-price column and the program-wide data name.
    ASSERT_GT(scripted.panes[2].size(), pane2Texts);
    EXPECT_EQ(scripted.panes[2].back(), "令和7年度単価");
    ASSERT_GT(scripted.panes[3].size(), pane3Texts);
    EXPECT_EQ(scripted.panes[3].back(), "材料単価 令和7年度");
    app.ExitInstance();
    EXPECT_EQ(program.CountLocked(), 0);
}

TEST_F(AppStartup, AnUnreadableMaterialFileFallsBackWithAMessage) {
    const std::string badPath = program.data + "/材料単価データ壊.zoa";
    WriteTestFile(badPath, "broken");
    const std::string path = program.root / "壊材料.sei";
    WriteEstimate(path, program.masters, badPath);
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    const std::string programWide = app.Store().GetZairyoTankaPath();
    CVemoWinDoc* doc = app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    ASSERT_FALSE(scripted.messages.empty());
    EXPECT_EQ(scripted.messages.back().text, badPath + apptext::kEstimateZairyoTankaUnreadable);
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), programWide);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 令和7年度");
    EXPECT_EQ(doc->GetItemList()->m_strZairyoFile, programWide);
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), "");
}

// Stored masters and material prices that are gone (a removed build folder) are the program's own,
// told once and saved.
TEST_F(AppStartup, SettingsAreSavedOnClose) {
    const std::string gone = "/消えた/データ格納";
    CQtSettings().SetString(platformtext::kAppName, "Path", "MasterData", gone + "/参考マスター25");
    CQtSettings().SetString(platformtext::kAppName, "Path", "ZairyouData", gone + "/材料単価データ25.zoa");
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ScriptedDialogs none;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(scripted.MessageTexts(), std::vector<std::string>{apptext::kReplacedPathsHeading +
        vemo::FillText(apptext::kReplacedPathLine, {gone + "/参考マスター25", program.masters}) +
        vemo::FillText(apptext::kReplacedPathLine, {gone + "/材料単価データ25.zoa", program.data + "/材料単価データ25.zoa"})});
    EXPECT_TRUE(app.MainFrame()->close());
    CQtSettings profile;
    EXPECT_EQ(profile.GetString(platformtext::kAppName, "Path", "MasterData", ""), program.masters);
    EXPECT_EQ(profile.GetString(platformtext::kAppName, "Path", "ZairyouData", ""),
              program.data + "/材料単価データ25.zoa");
    EXPECT_EQ(profile.GetInt(platformtext::kAppName, "Print", "FormNum", 0), 5);
}

TEST(GyomuCodes, ListsTheOfferedCodes) {
    std::vector<uint8_t> codes;
    CVemoWinApp::GetGyomuCodes(codes, true, 1);
    EXPECT_EQ(codes, (std::vector<uint8_t>{6, 2, 7, 3, 4, 89, 95, 96, 97, 98, 99}));
    codes.clear();
    CVemoWinApp::GetGyomuCodes(codes, false, 0);
    EXPECT_EQ(codes, (std::vector<uint8_t>{6, 2, 7, 3, 4, 5}));
    EXPECT_EQ(CVemoWinApp::GetGyomuAreaText(), apptext::kGyomuAreaText);
}

}  // namespace

#ifdef VEMO_SAMPLE_DATA_DIR
namespace {

TEST_F(AppStartup, StartsOverTheShippedSampleData) {
    TempFolder shipped;
    fs::copy(fs::path(VEMO_SAMPLE_DATA_DIR) / "データ格納", fs::path(shipped.Path()) / "データ格納",
             fs::copy_options::recursive);
    CVemoWinApp app({}, shipped.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(Pane0(scripted), kLoadTexts);
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(scripted.panes[1].back(), "参考マスター25");
    EXPECT_FALSE(scripted.panes[3].back().empty());
    EXPECT_GT(app.Store().GetBukakeFile().GetCount(), 0);
    EXPECT_TRUE(vemo::IsReadOnlyMarked(shipped / "データ格納/参考マスター25/歩掛データ.soa"));
    app.ExitInstance();
    EXPECT_FALSE(vemo::IsReadOnlyMarked(shipped / "データ格納/参考マスター25/歩掛データ.soa"));
}


// The master-data maintenance commands reach the master-data core from the menu; the manual 歩掛
// import and the manual 変化率・補正率 import have their dialogs.
TEST_F(AppStartup, MasterDataMaintenanceCommandsRunFromTheMenu) {
    TempFolder shipped;
    for (const char* folder : {"データ格納", "初期データ"})
        fs::copy(fs::path(VEMO_SAMPLE_DATA_DIR) / folder, fs::path(shipped.Path()) / folder, fs::copy_options::recursive);
    CVemoWinApp app({}, shipped.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    CCommandRegistry& commands = app.Commands();

    EXPECT_TRUE(commands.State(cmd::BukakeImportManual).enabled);
    EXPECT_TRUE(commands.State(cmd::HenkaritsuImportManual).enabled);

    scripted.messages.clear();
    EXPECT_TRUE(commands.Dispatch(cmd::TankaImportManual));
    EXPECT_EQ(scripted.MessageTexts(), std::vector<std::string>{mastertext::kNotSupported});

    // The shipped 歩掛 merged into the user's copy and saved.
    scripted.messages.clear();
    scripted.answers = {IDYES, IDYES};
    EXPECT_TRUE(commands.Dispatch(cmd::BukakeUpdate));
    ASSERT_FALSE(scripted.messages.empty());
    EXPECT_EQ(scripted.messages.front().text, mastertext::kAskUpdateBukake);
    EXPECT_EQ(scripted.messages.back().text, mastertext::kBukakeUpdated);
    EXPECT_TRUE(vemo::IsReadOnlyMarked(shipped / "データ格納/参考マスター25/歩掛データ.soa"));

    // The consistency check of the shipped data finds nothing to report.
    scripted.messages.clear();
    scripted.answers = {IDYES};
    EXPECT_TRUE(commands.Dispatch(cmd::CheckConsistency));
    ASSERT_GE(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[0].text, mastertext::kAskCheck);
    EXPECT_EQ(scripted.messages[1].text, mastertext::kRatesAllClear);
    app.ExitInstance();
}

}  // namespace
#endif

TEST_F(AppStartup, TheScreenColourDepthIsStoredAtTheEndOfStartUp) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    EXPECT_EQ(app.ScreenColorDepth(), kUnset);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.ScreenColorDepth(), GetScreenColorDepth());
    EXPECT_GT(app.ScreenColorDepth(), 0);

    // The input method of a field is switched off and on again; a missing widget is no fault.
    QLineEdit field;
    SetImeOpenStatus(&field, false);
    EXPECT_FALSE(field.testAttribute(Qt::WA_InputMethodEnabled));
    SetImeOpenStatus(&field, true);
    EXPECT_TRUE(field.testAttribute(Qt::WA_InputMethodEnabled));
    SetImeOpenStatus(nullptr, true);
}

TEST_F(AppStartup, TheNoSplashOptionLeavesTheSplashOutAndOpensNothing) {
    CSplashWnd::EnableSplashScreen(true);
    CVemoWinApp app({QStringLiteral("/nologo")}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(CSplashWnd::IsEnabled());
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    // An option names no file: no estimate is opened.
    EXPECT_TRUE(app.EstimateWindows().empty());
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(AppStartup, ChoosingTheProgramWideMaterialFile) {
    CZairyoTankaFile other = SampleZairyoTankaFile();
    other.m_title = "材料単価 自社";
    const std::string otherPath = program.data + "/材料単価データ自社.zoa";
    WriteMaster(otherPath, std::move(other));
    const std::string brokenPath = program.data + "/材料単価データ壊.zoa";
    WriteTestFile(brokenPath, "broken");

    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    const std::string programWide = app.Store().GetZairyoTankaPath();
    ASSERT_TRUE(vemo::IsReadOnlyMarked(programWide));
    const size_t paneTexts = scripted.panes[3].size();

    // Cancel changes nothing.
    scripted.fileAnswers = {std::nullopt};
    {
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, scripted);
        EXPECT_EQ(app.SelectZairyoTankaFile(), 0);
    }
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), programWide);
    EXPECT_TRUE(vemo::IsReadOnlyMarked(programWide));

    // The same file again keeps it locked and changes no pane.
    scripted.fileAnswers = {programWide};
    {
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, scripted);
        EXPECT_EQ(app.SelectZairyoTankaFile(), 1);
    }
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), programWide);
    EXPECT_TRUE(vemo::IsReadOnlyMarked(programWide));
    EXPECT_EQ(scripted.panes[3].size(), paneTexts);

    // A file that does not load is asked for again; the one that loads takes over, with the lock
    // and its data name in pane 3.
    scripted.fileAnswers = {brokenPath, otherPath};
    {
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, scripted);
        EXPECT_EQ(app.SelectZairyoTankaFile(), 1);
    }
    EXPECT_TRUE(scripted.fileAnswers.empty());
    EXPECT_EQ(scripted.fileTitles.back(), masteredittext::kChooseZairyoTankaTitle);
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), otherPath);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 自社");
    EXPECT_TRUE(vemo::IsReadOnlyMarked(otherPath));
    EXPECT_FALSE(vemo::IsReadOnlyMarked(programWide));
    EXPECT_FALSE(vemo::IsReadOnlyMarked(brokenPath));
    EXPECT_EQ(scripted.panes[3].back(), "材料単価 自社");
    app.ExitInstance();
    EXPECT_FALSE(vemo::IsReadOnlyMarked(otherPath));
}

TEST_F(AppStartup, AnEstimateNamingNoOrTheCurrentMaterialFileChangesNothing) {
    const std::string none = program.root / "材料なし.sei";
    WriteEstimate(none, program.masters, "");
    const std::string same = program.root / "材料同じ.sei";
    WriteEstimate(same, program.masters, program.data + "/材料単価データ25.zoa");
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    const std::string current = app.Store().GetZairyoTankaPath();

    CVemoWinDoc* first = app.OpenDocumentFile(none);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetItemList()->m_strZairyoFile, current);
    CVemoWinDoc* second = app.OpenDocumentFile(same);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetItemList()->m_strZairyoFile, current);

    EXPECT_EQ(app.Store().GetZairyoTankaPath(), current);
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), "");
    EXPECT_TRUE(vemo::IsReadOnlyMarked(current));
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_TRUE(scripted.fileTitles.empty());
}

TEST_F(AppStartup, ReopeningAnOpenEstimateBringsBackItsMaterialPrices) {
    const std::string pathA = program.data + "/材料単価データA.zoa";
    const std::string pathB = program.data + "/材料単価データB.zoa";
    for (const auto& [path, title] : {std::pair{pathA, "材料単価 A"}, std::pair{pathB, "材料単価 B"}}) {
        CZairyoTankaFile file = SampleZairyoTankaFile();
        file.m_title = title;
        WriteMaster(path, std::move(file));
    }
    const std::string estimateA = program.root / "A.sei";
    const std::string estimateB = program.root / "B.sei";
    WriteEstimate(estimateA, program.masters, pathA);
    WriteEstimate(estimateB, program.masters, pathB);

    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    const std::string programWide = app.Store().GetZairyoTankaPath();
    CVemoWinDoc* docA = app.OpenDocumentFile(estimateA);
    ASSERT_NE(docA, nullptr);
    ASSERT_NE(app.OpenDocumentFile(estimateB), nullptr);
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), pathB);

    // Opening A again activates its window and switches back to its prices.
    EXPECT_EQ(app.OpenDocumentFile(estimateA), docA);
    EXPECT_EQ(app.EstimateWindows().size(), 2u);
    EXPECT_EQ(app.ActiveEstimateWindow()->GetDocument(), docA);
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), pathA);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 A");
    EXPECT_EQ(scripted.panes[3].back(), "材料単価 A");
    EXPECT_EQ(app.GetPreviousZairyoTankaPath(), programWide);
    EXPECT_TRUE(scripted.messages.empty());
}

namespace {

// Pricing of open estimates: the 歩掛 of 業務 1 holds one lump 種別 of 1.00 day of 職種 1000 (labour,
// 51,000 yen in the estimates' price column) with 精度管理係数 10 and material 1500; an estimate
// holds 2.000 of it and the 材料費 row, which sums the materials.
class AppPricing : public AppStartup {
protected:
    void SetUp() override {
        AppStartup::SetUp();
        CBukakeFile bukake = SampleBukakeFile();
        CBukakeShubetsu& shubetsu = AddShubetsu(AddKoshu(*bukake.FindGyomu(1), 10, "測量"), 1, "観測");
        shubetsu.m_coefficient = 10;
        CBukakeDetail& detail = shubetsu.GetDetail();
        detail.m_unit = "式";
        detail.m_formula = "1";
        detail.m_shokushu[0] = 1000;
        detail.m_zairyoId = 1500;
        AddLine(detail, "観測", {100});
        WriteMaster(program.masters + "/歩掛データ.soa", std::move(bukake));
    }
    // An estimate naming the material-price file, which is written with the given price of material 1500.
    std::string WriteEstimateAndPrices(const std::string& name, double price) {
        const std::string zairyo = program.data + "/材料単価データ" + name + ".zoa";
        CZairyoTankaFile prices = SampleZairyoTankaFile();
        AddZairyoItem(prices, 1500, 5, "杭", price);
        WriteMaster(zairyo, std::move(prices));
        CVemoWinDocData data;
        CSekisanItemList* list = data.GetItemList();
        list->m_strMasterFolder = program.masters;
        list->m_strZairyoFile = zairyo;
        list->m_nTankaColumn = 1;
        estimate_test::ItemListBuilder(*list)
            .Gyomu(1, "測量業務")
            .Koshu(10)
            .Shubetsu(1, "観測")
            .Quantity(2000)
            .Set([](CSekisanItem& i) { i.m_bKotei[0] = 1; })
            .Koshu(85);
        const std::string path = program.root / (name + ".sei");
        EXPECT_EQ(data.SaveFile(path), 1);
        return path;
    }
    // Recalculates the whole estimate; the row of 工種 koshu of 業務 1 (with shubetsu: its 種別 row after it).
    static const CSekisanItem& Recalculated(CVemoWinDoc& doc, int koshu, int shubetsu = kUnset) {
        EXPECT_EQ(doc.Data().GetSekisanData()->Recalculate(0), 1);
        const CSekisanItemList& list = *doc.GetItemList();
        const int at = list.FindKoshu(1, koshu) + (IsUnset(shubetsu) ? 0 : 1);
        const CSekisanItem* item = list.GetItem(at);
        EXPECT_TRUE(item && (IsUnset(shubetsu) || item->m_nShubetsu == shubetsu));
        static const CSekisanItem none;
        return item ? *item : none;
    }
};

TEST_F(AppPricing, OpenEstimatesPricedAlternatelyKeepTheirOwnMaterialPrices) {
    const std::string estimateA = WriteEstimateAndPrices("A", 100.0);
    const std::string estimateB = WriteEstimateAndPrices("B", 250.0);
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    CVemoWinDoc* a = app.OpenDocumentFile(estimateA);
    CVemoWinDoc* b = app.OpenDocumentFile(estimateB);
    ASSERT_TRUE(a && b);
    // The application now uses B's file; A is still priced with its own.
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), program.data + "/材料単価データB.zoa");
    struct Step {
        CVemoWinDoc* doc;
        int materials;  // 2.000 × the price of material 1500 in the estimate's file
    };
    for (const Step& step : {Step{a, 200}, Step{b, 500}, Step{a, 200}, Step{b, 500}})
        EXPECT_EQ(Recalculated(*step.doc, 85).m_nAmount, step.materials);
    // The other masters are the application's, shared by both.
    EXPECT_EQ(&a->CalcContext()->GetBukakeFile(), &app.Store().GetBukakeFile());
    EXPECT_EQ(&b->CalcContext()->GetTankaFile(), &app.Store().GetTankaFile());
    EXPECT_TRUE(scripted.messages.empty()) << scripted.messages.front().text;
}

TEST_F(AppPricing, ASettingsChangeIsSeenByTheNextRecalculation) {
    const std::string path = WriteEstimateAndPrices("A", 100.0);
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    ASSERT_TRUE(app.InitInstance());
    CVemoWinDoc* doc = app.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    // 精度管理費 on the labour: 51,000 + 10 % = 56,100 for the lump row.
    EXPECT_EQ(Recalculated(*doc, 10, 1).m_nAmount, 56100);
    // On the direct labour instead, which this 職種 is not part of: 51,000.
    app.Settings().SeidoCalc = 1;
    EXPECT_EQ(Recalculated(*doc, 10, 1).m_nAmount, 51000);
    app.Settings().SeidoCalc = 0;
    EXPECT_EQ(Recalculated(*doc, 10, 1).m_nAmount, 56100);
    EXPECT_TRUE(scripted.messages.empty()) << scripted.messages.front().text;
}

}  // namespace

TEST_F(AppStartup, AnUnreadableMaterialFileRunsTheSettingDialogUntilAChoiceLoads) {
    const std::string programWide = program.data + "/材料単価データ25.zoa";
    const std::string broken = program.data + "/材料単価データ壊.zoa";
    const std::string own = program.data + "/材料単価データ自社.zoa";
    const std::string bytes = ReadTestFile(programWide);
    WriteTestFile(programWide, bytes.substr(0, bytes.size() - 5));
    WriteTestFile(broken, "broken");
    CZairyoTankaFile ownPrices = SampleZairyoTankaFile();
    ownPrices.m_title = "材料単価 自社";
    WriteMaster(own, std::move(ownPrices));

    // Cancel in the setting dialog ends the start-up with every lock released.
    {
        CVemoWinApp app({}, program.root.Path());
        ScriptedHost scripted;
        scripted.fileAnswers = {std::nullopt};
        ScriptedDialogs dialogs;
        ExpectZairyoTankaSettings(dialogs, scripted);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(scripted.MessageTexts(), std::vector<std::string>{programWide + mastertext::kFileUnreadable});
        EXPECT_EQ(program.CountLocked(), 0);
        EXPECT_FALSE(vemo::IsReadOnlyMarked(own));
    }
    // The dialog comes back until the file chosen there loads, which becomes the material-price file.
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost scripted;
    scripted.fileAnswers = {broken, own};
    ScriptedDialogs dialogs;
    ExpectZairyoTankaSettings(dialogs, scripted);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(dialogs.classes, (std::vector<std::string>{"CZairyoTankaSettingDlg", "CZairyoTankaSettingDlg"}));
    EXPECT_EQ(scripted.fileInitialPaths, (std::vector<std::string>{programWide, broken}));
    EXPECT_EQ(scripted.MessageTexts(), (std::vector<std::string>{programWide + mastertext::kFileUnreadable,
                                                                 broken + mastertext::kFileUnreadable}));
    EXPECT_EQ(app.Store().GetZairyoTankaPath(), own);
    EXPECT_EQ(app.Store().GetZairyoTankaFile().m_title, "材料単価 自社");
    EXPECT_TRUE(vemo::IsReadOnlyMarked(own));
    EXPECT_EQ(scripted.panes[3].back(), "材料単価 自社");
}
