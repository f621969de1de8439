// How the program meets the desktop: Qt's own dialogs in Japanese, the folder remembered after
// Open and Save As, the recent files after a save, the ウィンドウ menu listing the estimates, files
// handed over by a second start, a file named relative to where the program started, and the
// manual made at build time (its tables' rows each on one page).
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <optional>
#include <set>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "AppProgramFolder.h"
#include "AppTestEnvironment.h"
#include "EventWait.h"
#include "LockWaitSupport.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/QtSettings.h"
#include "app/InstanceChannel.h"
#include "app/MainFrame.h"
#include "app/ShellWindows.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "estimate/VemoWinDocData.h"
#include "platform/FileUtil.h"
#include "platform/LockFile.h"

namespace {

class Shell : public ::testing::Test {
protected:
    // An estimate file made by the core, naming the program's master folder.
    std::string WriteEstimate(const std::string& path) {
        CVemoWinDocData data;
        data.GetItemList()->m_strKenmei = "林道測量業務";
        data.GetItemList()->m_strMasterFolder = program.masters;
        data.GetItemList()->m_strZairyoFile = program.data + "/材料単価データ25.zoa";
        EXPECT_EQ(data.SaveFile(path), 1);
        return path;
    }

    AppProgramFolder program;
    TempFolder elsewhere;
    AppStartScope start;
};

}  // namespace

TEST_F(Shell, QtDialogsSpeakJapanese) {
    const QString before = QCoreApplication::translate("QFileDialog", "Look in:");
    {
        CVemoWinApp app({}, program.root.Path());
        EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), before);
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8("アドレス:"));
    }
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), before);
}

TEST_F(Shell, OpenAndSaveAsRememberTheFolderAndSaveAsAddsARecentFile) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    // The first start works in the user's folder.
    EXPECT_EQ(QDir::currentPath().toStdString(), DefaultDocumentFolder());

    // Open from another folder: that folder is where the next dialog starts.
    const std::string opened = WriteEstimate(elsewhere / "開いた.sei");
    host.fileAnswers = {opened};
    app.OnFileOpen();
    ASSERT_EQ(app.EstimateWindows().size(), 1u);
    EXPECT_EQ(QDir::currentPath().toStdString(), elsewhere.Path());

    // A new estimate's Save As starts there too, and its folder is remembered after the save.
    CVemoWinDoc* doc = app.OnFileNew();
    const std::string saved = elsewhere / "保存先/新しい見積.sei";
    std::filesystem::create_directories(vemo::ParentFolder(saved));
    host.fileAnswers = {saved};
    doc->OnFileSaveAs();
    ASSERT_EQ(host.fileInitialPaths.size(), 2u);
    // Open offers the types of its own list; a save offers the one type the program writes.
    EXPECT_EQ(host.fileFilters, (std::vector<std::string>{apptext::kEstimateFilter, "Vemo 農林版 ファイル (*.sei)|*.sei||"}));
    EXPECT_EQ(host.fileInitialPaths[1], elsewhere / "積算データ1");
    EXPECT_EQ(QDir::currentPath().toStdString(), vemo::ParentFolder(saved));
    EXPECT_EQ(app.RecentFiles().Files(), (std::vector<std::string>{saved, opened}));

    // A plain save of it asks nothing, moves nothing and keeps it on top.
    QDir::setCurrent(QString::fromStdString(program.root.Path()));
    doc->OnFileSave();
    EXPECT_EQ(host.fileTitles.size(), 2u);
    EXPECT_EQ(QDir::currentPath().toStdString(), program.root.Path());
    EXPECT_EQ(app.RecentFiles().Files().front(), saved);

    // The folder is what the settings keep as the last one at the end.
    QDir::setCurrent(QString::fromStdString(elsewhere.Path()));
    app.MainFrame()->close();
    app.ExitInstance();
    CQtSettings profile;
    EXPECT_EQ(profile.GetString("Vemo Ovra 農林版", "Path", "LastDirectry", ""), elsewhere.Path());
}

TEST_F(Shell, WindowMenuListsTheEstimatesWithTheActiveOneChecked) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.MainFrame();
    auto entries = [frame] {
        frame->UpdateWindowMenu();
        QStringList lines;
        for (QAction* a : frame->WindowMenu()->actions())
            lines << (a->isSeparator() ? QStringLiteral("---")
                                       : a->text() + (a->isChecked() ? QStringLiteral(" [x]") : QString()));
        return lines;
    };
    const QString cascade = QString::fromUtf8("重ねて表示(&C)"), tile = QString::fromUtf8("並べて表示(&T)");
    EXPECT_EQ(entries(), (QStringList{cascade, tile}));

    app.OnFileNew();
    app.OnFileNew();
    EXPECT_EQ(entries(), (QStringList{cascade, tile, "---", QString::fromUtf8("&1 積算データ1"),
                                      QString::fromUtf8("&2 積算データ2 [x]")}));
    // Choosing an entry activates that estimate; the list is made again each time the menu opens.
    frame->WindowMenu()->actions()[3]->trigger();
    EXPECT_EQ(app.ActiveEstimateWindow(), app.EstimateWindows()[0]);
    EXPECT_EQ(entries(), (QStringList{cascade, tile, "---", QString::fromUtf8("&1 積算データ1 [x]"),
                                      QString::fromUtf8("&2 積算データ2")}));
    // A minimised estimate chosen comes back as it was before it was minimised: here maximised.
    QWidget* first = app.EstimateWindows()[0]->parentWidget();
    first->showMinimized();
    frame->WindowMenu()->actions()[3]->trigger();
    EXPECT_TRUE(first->isMaximized());
}

TEST_F(Shell, FilesHandedOverBySecondStartAreOpened) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    const QString channel = CInstanceChannel::DefaultName(program.root.Path());
    // Nobody listens yet.
    EXPECT_FALSE(CInstanceChannel::SendToRunning(channel, {QStringLiteral("x.sei")}, 200));
    ASSERT_TRUE(app.ListenForFiles(channel));

    const std::string first = WriteEstimate(elsewhere / "一つ目.sei");
    const std::string second = WriteEstimate(elsewhere / "二つ目.sei");
    // The second start names its files relative to its own folder.
    QDir::setCurrent(QString::fromStdString(elsewhere.Path()));
    EXPECT_TRUE(CInstanceChannel::SendToRunning(
        channel, {QString::fromUtf8("一つ目.sei"), QString::fromStdString(second)}, kHangMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.EstimateWindows().size() == 2; }, kHangMs));
    EXPECT_EQ(app.EstimateWindows()[0]->GetDocument()->GetPathName(), first);
    EXPECT_EQ(app.EstimateWindows()[1]->GetDocument()->GetPathName(), second);
    EXPECT_TRUE(host.messages.empty());
}

// The window of a wait for a lock file another program reads handles events: files handed over and
// commands given meanwhile wait for the step to end, and then open.
TEST_F(Shell, FilesHandedOverAndCommandsGivenDuringALockWaitWaitForIt) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    const QString file = QString::fromStdString(WriteEstimate(elsewhere / "待ち.sei"));
    const int reader = KeepRecordLock(vemo::LockFilePath(app.Store().GetZairyoTankaPath()));
    CountingLockClock clock;
    std::optional<size_t> openDuringTheWait;
    host.onProgressEvents = [&] {
        if (!openDuringTheWait) app.HandOver({file}), app.Commands().Dispatch(cmd::FileNew),
            openDuringTheWait = app.EstimateWindows().size();
    };
    EXPECT_EQ(app.Store().LockZairyoTankaFile(0, 1), 0);
    ::close(reader);
    EXPECT_EQ(openDuringTheWait, 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.EstimateWindows().size() == 2; }, kHangMs));
}

// Before the desktop session ends it asks: each modified estimate is offered for saving as on 終了, and
// a cancel stops there (the session is then told to stay). Nothing closes meanwhile.
TEST_F(Shell, TheSessionsEndOffersEachModifiedEstimateForSavingUntilACancel) {
    CVemoWinApp app({}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    for (int i = 0; i < 3; ++i) app.OnFileNew();
    app.EstimateWindows()[0]->GetDocument()->SetModifiedFlag();
    app.EstimateWindows()[2]->GetDocument()->SetModifiedFlag();
    const std::string first = std::string("積算データ1") + apptext::kAskSaveChangesAfter;
    const std::string third = std::string("積算データ3") + apptext::kAskSaveChangesAfter;
    host.answers = {IDCANCEL};
    EXPECT_FALSE(app.SaveAllModified());
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{first});
    host.messages.clear();
    host.answers = {IDNO, IDNO};
    EXPECT_TRUE(app.SaveAllModified());
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{first, third}));
    EXPECT_EQ(app.EstimateWindows().size(), 3u);
}

TEST_F(Shell, InstanceChannelNamesDifferByProgramFolder) {
    EXPECT_EQ(CInstanceChannel::DefaultName("/opt/a"), CInstanceChannel::DefaultName("/opt/a"));
    EXPECT_NE(CInstanceChannel::DefaultName("/opt/a"), CInstanceChannel::DefaultName("/opt/b"));
    EXPECT_TRUE(CVemoWinApp::IsFileArgument(QStringLiteral("/home/a/見積.sei")));
    EXPECT_TRUE(CVemoWinApp::IsFileArgument(QStringLiteral("見積.sei")));
    for (const char* option : {"/nologo", "-nologo", "--nosplash", "-NoSplash", "-x"})
        EXPECT_FALSE(CVemoWinApp::IsFileArgument(QString::fromLatin1(option))) << option;
}

TEST_F(Shell, AFileNamedRelativeToTheStartFolderOpensAfterTheSettingsMovedTheFolder) {
    const std::string estimate = WriteEstimate(elsewhere / "相対.sei");
    // The settings take the program to another folder while it starts.
    {
        CQtSettings profile;
        profile.SetString("Vemo Ovra 農林版", "Path", "LastDirectry", program.root.Path());
        profile.Sync();
    }
    QDir::setCurrent(QString::fromStdString(elsewhere.Path()));
    CVemoWinApp app({QString::fromUtf8("相対.sei")}, program.root.Path());
    ScriptedHost host;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(app.EstimateWindows().size(), 1u);
    EXPECT_EQ(app.EstimateWindows()[0]->GetDocument()->GetPathName(), estimate);
    EXPECT_EQ(QDir::currentPath().toStdString(), program.root.Path());
}

TEST(Manual, BuiltBesideTheProgramAsAPdf) {
    QFile manual(QStringLiteral(VEMO_MANUAL_PDF));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly)) << VEMO_MANUAL_PDF;
    const QByteArray bytes = manual.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // Several pages of text with the Japanese font embedded.
    EXPECT_GE(bytes.count("/Type /Page\n"), 2);
    EXPECT_TRUE(bytes.contains("NotoSansCJK"));
    EXPECT_TRUE(QFile::exists(QFileInfo(manual).absolutePath() + QStringLiteral("/../Readme.txt")));

    // The pictures of the program that the text shows, each kept beside it and drawn into the PDF.
    QFile source(QStringLiteral(VEMO_MANUAL_SOURCE));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << VEMO_MANUAL_SOURCE;
    const QString text = QString::fromUtf8(source.readAll());
    QStringList pictures;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+\\.png)\\)")).globalMatch(text))
        if (!pictures.contains(m.captured(1))) pictures << m.captured(1);
    EXPECT_GE(pictures.size(), 4);
    for (const QString& picture : pictures)
        EXPECT_TRUE(QFile::exists(QFileInfo(source).absolutePath() + QLatin1Char('/') + picture)) << picture.toStdString();
    EXPECT_GE(bytes.count("/Subtype /Image"), pictures.size());
}

// MakeManual keeps every table row on one page: a row that does not fit moves whole to the next page.
// Checked on the manual and on a long table of rows of several lines, through the pages MakeManual
// lays out and prints (listed as "table row first-page last-page").
TEST(Manual, EveryTableRowAndEveryHeadingWithTheTextAfterItIsPrintedOnOnePage) {
    TempFolder folder;
    std::string longTable = "# Table\n\n| A | B |\n|---|---|\n";
    constexpr int kLongRows = 60;
    for (int i = 1; i <= kLongRows; ++i)
        longTable += "| row " + std::to_string(i) + " | " + std::string(400, 'x') + " |\n";
    WriteTestFile(folder / "long.md", longTable);
    struct Case {
        std::string source;
        int minRows;                  // rows listed at least: every table is looked at
        std::optional<int> bodyRows;  // rows below the headers, when known: none is lost
        size_t minTables;             // tables listed at least (a table split over pages counts twice)
    };
    const Case cases[] = {{VEMO_MANUAL_SOURCE, 80, std::nullopt, 9}, {folder / "long.md", kLongRows + 1, kLongRows, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        QProcess make;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        make.setProcessEnvironment(env);
        make.start(QStringLiteral(VEMO_MAKE_MANUAL), {QString::fromStdString(c.source),
                                                      QString::fromStdString(folder / "out.pdf"),
                                                      QString::fromStdString(folder / "rows.txt")});
        ASSERT_TRUE(make.waitForFinished(600000));
        ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();
        int rows = 0, bodyRows = 0;
        std::set<int> tables;
        const QString listing = QString::fromStdString(ReadTestFile(folder / "rows.txt"));
        for (const QString& line : listing.split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(' ');
            ASSERT_EQ(f.size(), 4) << line.toStdString();
            if (f[0] == QStringLiteral("h")) {
                EXPECT_EQ(f[2].toInt(), f[3].toInt()) << "heading, its page and the next block's: " << line.toStdString();
                continue;
            }
            ++rows;
            if (f[1] != QStringLiteral("0")) ++bodyRows;
            tables.insert(f[0].toInt());
            EXPECT_EQ(f[2].toInt(), f[3].toInt()) << "table, row, first and last page: " << line.toStdString();
        }
        EXPECT_GE(rows, c.minRows);
        EXPECT_GE(tables.size(), c.minTables);
        if (c.bodyRows) EXPECT_EQ(bodyRows, *c.bodyRows);
    }
}
