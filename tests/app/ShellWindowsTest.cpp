// Tests of app/ShellWindows.h.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolTip>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include "AppTestEnvironment.h"
#include "EventWait.h"
#include "TempFolder.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QtSettings.h"
#include "app/RecentFileList.h"
#include "app/ShellWindows.h"
#include "app/Upvane.h"
#include "master/MasterTexts.h"
#include "platform/PlatformTexts.h"

namespace {

const QString kCaption = QString::fromUtf8(apptext::kMainCaption);

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseFreshSettingsFolder();
        m_cwd = QDir::currentPath();
        frame = std::make_unique<CMainFrame>(commands, settings, profile);
        commands.SetRoute([this] { return std::vector<CCommandTarget*>{frame.get()}; });
        frame->OnCreate();
        frame->LoadSettings(program.Path(), program.Path() + "/データ格納/参考マスター25");
        frame->ShowMainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get(), kHangMs));
    }
    void TearDown() override {
        frame.reset();
        QDir::setCurrent(m_cwd);
    }

    TempFolder program;
    CQtSettings profile;
    CAppSettings settings;
    CCommandRegistry commands;
    std::unique_ptr<CMainFrame> frame;
    QString m_cwd;
};

// The caption is the program's title; while the current estimate window is maximised its name
// follows, "title - [name]", as the framework merges them.
TEST_F(MainFrameTest, TheCaptionNamesTheMaximisedEstimate) {
    auto with = [](const char* name) { return kCaption + QStringLiteral(" - [") + QString::fromUtf8(name) + ']'; };
    EXPECT_EQ(frame->windowTitle(), kCaption);
    CChildFrame* first = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積A.sei"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(first->isMaximized());
    EXPECT_EQ(frame->windowTitle(), with("見積A.sei"));
    first->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), kCaption);
    // A new estimate window opens maximised even when another is restored.
    CChildFrame* second = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積B.sei"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(second->isMaximized());
    EXPECT_EQ(frame->windowTitle(), with("見積B.sei"));
    // Saved under another name; a caption set from elsewhere does not stand.
    second->setWindowTitle(QStringLiteral("見積C.sei *"));
    EXPECT_EQ(frame->windowTitle(), with("見積C.sei *"));
    frame->setWindowTitle(QStringLiteral("other"));
    EXPECT_EQ(frame->windowTitle(), with("見積C.sei *"));
    EXPECT_EQ(frame->GetActiveChildView(), second->widget());
    EXPECT_EQ(frame->ChildViews().size(), 2);
    // Cascaded, no window is maximised; closed, none is left.
    ASSERT_TRUE(commands.Dispatch(cmd::WindowCascade));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), kCaption);
    second->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), with("見積C.sei *"));
    frame->MdiClient()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), kCaption);
}

TEST_F(MainFrameTest, ChildClosingIsToldAndCanBeRefused) {
    int closed = 0;
    frame->onChildClosed = [&closed] { ++closed; };
    CChildFrame* child = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積.sei"));
    child->canClose = [] { return false; };
    child->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(frame->ChildViews().size(), 1);
    child->canClose = nullptr;
    child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(frame->ChildViews().size(), 0);
    EXPECT_EQ(frame->GetActiveChildView(), nullptr);
}

// Every estimate is asked before any closes: the first refusal keeps every window as it was, the
// estimates after it unasked.
TEST_F(MainFrameTest, ClosingAsksTheEstimatesBeforeSavingSettings) {
    std::vector<std::string> order;
    frame->canClose = [&order] {
        order.push_back("preview check");
        return true;
    };
    frame->beforeSaveSettings = [&order] { order.push_back("restore material prices"); };
    std::vector<bool> refuse = {true, true};
    for (int i = 0; i < 2; ++i) {
        CChildFrame* child = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積%1.sei").arg(i + 1));
        child->canClose = [&, i] {
            order.push_back("estimate " + std::to_string(i + 1) + " asked");
            return !refuse[static_cast<size_t>(i)];
        };
    }
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(order, (std::vector<std::string>{"preview check", "estimate 1 asked"}));
    refuse[0] = false;
    order.clear();
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(order, (std::vector<std::string>{"preview check", "estimate 1 asked", "estimate 2 asked"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->ChildViews().size(), 2);
    EXPECT_FALSE(profile.Contains(platformtext::kAppName, "Print", "FormNum"));
    refuse[1] = false;
    order.clear();
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(order, (std::vector<std::string>{"preview check", "estimate 1 asked", "estimate 2 asked",
                                               "restore material prices"}));
    EXPECT_TRUE(profile.Contains(platformtext::kAppName, "Print", "FormNum"));
}

TEST_F(MainFrameTest, StatusPanesAndDoubleClicks) {
    frame->SetMessagePaneText(QString::fromUtf8(mastertext::kStatusHelpHint));
    frame->SetMasterDataPaneText(QStringLiteral("参考マスター25"));
    frame->SetTankaPaneText(QStringLiteral("令和7年度"));
    frame->SetZairyoTankaPaneText(QStringLiteral("材料単価データ25"));
    CMainStatusBar* bar = frame->StatusBar();
    EXPECT_EQ(bar->PaneText(0), QString::fromUtf8(mastertext::kStatusHelpHint));
    EXPECT_EQ(bar->PaneText(1), QStringLiteral("参考マスター25"));
    EXPECT_EQ(bar->PaneText(2), QStringLiteral("令和7年度"));
    EXPECT_EQ(bar->PaneText(3), QStringLiteral("材料単価データ25"));
    EXPECT_EQ(bar->Pane(1)->width(), 150);
    EXPECT_EQ(bar->Pane(2)->width(), 140);
    EXPECT_EQ(bar->Pane(3)->width(), 140);

    // A command's prompt stands in the message pane, not over it, and goes when the pointer leaves.
    QStatusTipEvent tip(QStringLiteral("印刷プレビューを表示します"));
    QApplication::sendEvent(frame.get(), &tip);
    EXPECT_EQ(bar->PaneText(0), QStringLiteral("印刷プレビューを表示します"));
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(frame.get(), &gone);
    EXPECT_EQ(bar->PaneText(0), QString::fromUtf8(mastertext::kStatusHelpHint));

    // Panes 1 to 3 run the master-data folder choice, the unit-price column choice and the
    // material-price choice through the command route; pane 0 runs nothing.
    std::vector<int> clicked;
    CCommandTarget app;
    for (int id : {cmd::MasterDataSetting, cmd::TankaSelect, cmd::ZairyoTankaSetting})
        app.OnCommand(id, [&clicked, id] { clicked.push_back(id); });
    commands.SetRoute([this, &app] { return std::vector<CCommandTarget*>{frame.get(), &app}; });
    for (int pane : {0, 1, 2, 3}) {
        QWidget* w = bar->Pane(pane);
        QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, w->geometry().center());
    }
    EXPECT_EQ(clicked, (std::vector<int>{cmd::MasterDataSetting, cmd::TankaSelect, cmd::ZairyoTankaSetting}));
    commands.SetRoute([this] { return std::vector<CCommandTarget*>{frame.get()}; });
    EXPECT_EQ(bar->PaneAt(QPoint(-5, -5)), -1);
}

// Long pane texts are cut with "…" and shown whole as their tool tip; the panes give way so that a
// first start keeps its default size.
TEST_F(MainFrameTest, LongPaneTextsAreElidedAndTheWindowKeepsItsDefaultSize) {
    const QString tanka = QStringLiteral("令和7年度 技術者単価（見本） 設計業務等標準積算基準書");
    const QString zairyo = QStringLiteral("材料単価（見本）令和7年度 物価資料による材料単価");
    frame->SetMessagePaneText(QString::fromUtf8(mastertext::kStatusHelpHint));
    frame->SetMasterDataPaneText(QStringLiteral("参考マスター25"));
    frame->SetTankaPaneText(tanka);
    frame->SetZairyoTankaPaneText(zairyo);
    QCoreApplication::processEvents();
    const CWindowRect& first = settings.window;
    EXPECT_EQ(first.Width(), 800);
    EXPECT_LE(frame->minimumSizeHint().width(), first.Width());
    EXPECT_EQ(frame->width(), first.Width());
    CMainStatusBar* bar = frame->StatusBar();
    const struct {
        int pane;
        QString text;
        bool cut;
    } cases[] = {{1, QStringLiteral("参考マスター25"), false}, {2, tanka, true}, {3, zairyo, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pane);
        EXPECT_EQ(bar->PaneText(c.pane), c.text);
        EXPECT_EQ(bar->PaneToolTip(c.pane), c.text);
        const QString shown = bar->ShownPaneText(c.pane);
        if (c.cut) {
            EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_TRUE(c.text.startsWith(shown.chopped(1))) << shown.toStdString();
        } else {
            EXPECT_EQ(shown, c.text);
        }
    }
}

// 並べて表示 tiles the estimate windows one above another, each the full width, the active one at the top;
// a minimised one is restored and takes its row.
TEST_F(MainFrameTest, TilingPutsTheEstimatesOneAboveAnother) {
    CChildFrame* first = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積A.sei"));
    CChildFrame* second = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積B.sei"));
    CChildFrame* third = frame->AddChildFrame(new QTextEdit, QStringLiteral("見積C.sei"));
    third->showMinimized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(commands.Dispatch(cmd::WindowTileHorz));
    QCoreApplication::processEvents();
    const QRect area = frame->MdiClient()->viewport()->rect();
    int top = 0;
    for (CChildFrame* child : {third, second, first}) {
        EXPECT_FALSE(child->isMaximized());
        EXPECT_EQ(child->geometry().left(), 0);
        EXPECT_EQ(child->geometry().width(), area.width());
        EXPECT_EQ(child->geometry().top(), top);
        EXPECT_GE(child->geometry().height(), area.height() / 3 - 1);
        top = child->geometry().bottom() + 1;
    }
    EXPECT_EQ(top, area.height());
}

// 重ねて表示 restores every estimate window and cascades them, from maximised, tiled and minimised
// windows alike: the one in front last and still current, each one caption below and right of the one
// before, all the size of the area less the steps. Windows beyond half the area start at the corner
// again, so each keeps at least half the area.
TEST_F(MainFrameTest, CascadingRestoresTheEstimatesAndKeepsThemLarge) {
    const struct {
        const char* what;
        int windows;
        bool tiled;  // tiled before
        bool minimised;  // the active one minimised before
    } cases[] = {{"maximised", 3, false, false}, {"tiled", 3, true, false}, {"many", 25, false, false},
                 {"minimised", 3, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<CChildFrame*> children;
        for (int i = 0; i < c.windows; ++i)
            children.push_back(frame->AddChildFrame(new QTextEdit, QStringLiteral("見積%1.sei").arg(i + 1)));
        QCoreApplication::processEvents();
        if (c.tiled) {
            ASSERT_TRUE(commands.Dispatch(cmd::WindowTileHorz));
        }
        if (c.minimised) children.back()->showMinimized();
        ASSERT_TRUE(commands.Dispatch(cmd::WindowCascade));
        QCoreApplication::processEvents();
        const QRect area = frame->MdiClient()->viewport()->rect();
        const int step = CMdiClientWnd::CaptionStep(*children.front());
        // The caption of each window stays in sight below the one before it.
        EXPECT_GE(step, children.front()->widget()->mapTo(children.front(), QPoint(0, 0)).y());
        const QList<QMdiSubWindow*> stacked = frame->MdiClient()->subWindowList(QMdiArea::StackingOrder);
        EXPECT_EQ(stacked.back(), children.back());
        EXPECT_EQ(frame->GetActiveChildView(), children.back()->widget());
        const int steps = std::min(c.windows, 1 + std::min(area.width(), area.height()) / 2 / step);
        for (int i = 0; i < c.windows; ++i) {
            SCOPED_TRACE(i);
            const QRect g = children[static_cast<size_t>(i)]->geometry();
            EXPECT_FALSE(children[static_cast<size_t>(i)]->isMaximized());
            EXPECT_EQ(g.topLeft(), QPoint(i % steps, i % steps) * step);
            EXPECT_EQ(g.size(), area.size() - QSize(steps - 1, steps - 1) * step);
            EXPECT_GE(g.height(), area.height() / 2);
            EXPECT_GE(g.width(), area.width() / 2);
            EXPECT_TRUE(area.contains(g));
        }
        frame->MdiClient()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MainFrameTest, DroppedFilesAreHandedOn) {
    QStringList dropped;
    frame->onFilesDropped = [&dropped](const QStringList& paths) { dropped = paths; };
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/見積.sei")), QUrl(QStringLiteral("https://example.com/x")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/b.sei"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(dropped, (QStringList{QStringLiteral("/tmp/見積.sei"), QStringLiteral("/tmp/b.sei")}));
}

TEST_F(MainFrameTest, ToolbarCommandAndRecentFiles) {
    QAction* toggle = commands.Action(cmd::ToolBarMenu);
    ASSERT_NE(toggle, nullptr);
    commands.UpdateActions();
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(frame->WorkToolBar()->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(frame->WorkToolBar()->isVisible());
    // The view's commands are there but disabled while no view handles them.
    ASSERT_NE(commands.Action(32772), nullptr);
    EXPECT_FALSE(commands.Action(32772)->isEnabled());

    CRecentFileList recent;
    recent.Add("/a/見積1.sei");
    recent.Add("/a/見積2.sei");
    frame->UpdateRecentFileMenu(recent);
    EXPECT_TRUE(commands.Action(cmd::FileMru1)->isVisible());
    EXPECT_EQ(commands.Action(cmd::FileMru1)->text(), QStringLiteral("&1 /a/見積2.sei"));
    EXPECT_FALSE(commands.Action(cmd::FileMru1 + 2)->isVisible());
}

// A recent file's entry shows its full path as tool tip (its text may be cut); the other entries of
// the ファイル menu show none.
TEST_F(MainFrameTest, ARecentFileShowsItsFullPathAsToolTip) {
    const std::string path = "/home/user/区画整理測量設計業務委託見積書サンプル第二版と第三版と第四版.sei";
    CRecentFileList recent;
    recent.Add(path);
    frame->UpdateRecentFileMenu(recent);
    QMenu* fileMenu = nullptr;
    for (QAction* a : frame->menuBar()->actions())
        if (a->menu() && a->menu()->actions().contains(commands.Action(cmd::FileMru1))) fileMenu = a->menu();
    ASSERT_NE(fileMenu, nullptr);
    fileMenu->popup(frame->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fileMenu, kHangMs));
    const struct {
        int command;
        QString tip;  // empty: none shown
    } cases[] = {{cmd::FileNew, QString()}, {cmd::FileMru1, QString::fromStdString(path)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const QPoint at = fileMenu->actionGeometry(commands.Action(c.command)).center();
        QHelpEvent help(QEvent::ToolTip, at, fileMenu->mapToGlobal(at));
        QCoreApplication::sendEvent(fileMenu, &help);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(), c.tip);
    }
    fileMenu->hide();
}

TEST_F(MainFrameTest, WindowPlacementIsSaved) {
    frame->setGeometry(40, 50, 700, 500);
    QCoreApplication::processEvents();
    frame->SaveSettings();
    EXPECT_EQ(profile.GetInt(platformtext::kAppName, "Main_Window", "Size_Status", -1), 0);
    EXPECT_EQ(profile.GetInt(platformtext::kAppName, "Main_Window", "left", -1), 40);
    EXPECT_EQ(profile.GetInt(platformtext::kAppName, "Main_Window", "right", -1), 740);
    EXPECT_EQ(profile.GetInt(platformtext::kAppName, "Main_Window", "bottom", -1), 550);
}

TEST(MdiClientWnd, TilesCoverTheAreaFromTheCorner) {
    auto tiles = CMdiClientWnd::TilePositions(QSize(600, 400));
    EXPECT_EQ(tiles, (std::vector<QPoint>{{0, 0}, {250, 0}, {500, 0}, {0, 250}, {250, 250}, {500, 250}}));
    EXPECT_EQ(CMdiClientWnd::TilePositions(QSize(250, 250)).size(), 1u);
    EXPECT_TRUE(CMdiClientWnd::TilePositions(QSize(0, 0)).empty());
}

TEST(SplashWnd, ShowsTheVersionAndClosesOnAKey) {
    EXPECT_EQ(CSplashWnd::VersionText(), QString::fromUtf8(apptext::kVersionPrefix) + QStringLiteral("14.02"));
    EXPECT_EQ(CSplashWnd::VersionTextPosition(QSize(480, 300)), QPoint(380, 190));

    CSplashWnd::EnableSplashScreen(false);
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(nullptr);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    EXPECT_EQ(CSplashWnd::Current()->size(), QSize(480, 300));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&release));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(&press));
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    // Without a splash window nothing is consumed.
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&press));
    CSplashWnd::ShowSplashScreen(nullptr);
    CSplashWnd::HideSplashScreen();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST(BitmapStatic, MagentaIsTransparent) {
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(10, 20, 30));
    image.setPixel(2, 0, qRgb(255, 0, 255));
    image.setPixel(3, 0, qRgb(255, 0, 254));
    QImage masked = CBitmapStatic::Masked(QPixmap::fromImage(image)).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(1, 0)), 255);
    EXPECT_EQ(qAlpha(masked.pixel(2, 0)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(3, 0)), 255);
}

TEST(Upvane, AbsentUpdaterShowsNothing) {
    TempFolder program;
    EXPECT_EQ(upvane::Path(program.Path()), "");
    EXPECT_FALSE(upvane::Run(program.Path(), upvane::kStartUp, true));
    // A file that cannot be run is not started either.
    WriteTestFile(program / "Upvane", "not a program");
    EXPECT_EQ(upvane::Path(program.Path()), "");
}

TEST(Upvane, StartedWithTheProductCodeAndWaitedFor) {
    TempFolder program;
    const std::string log = program / "args.txt";
    WriteTestFile(program / "Upvane", "#!/bin/sh\nsleep 0.2\necho \"$@\" >> '" + log + "'\n");
    QFile::setPermissions(QString::fromStdString(program / "Upvane"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(upvane::Arguments(upvane::kStartUp), QStringList{QStringLiteral("VEMOTESK")});
    EXPECT_TRUE(upvane::Run(program.Path(), upvane::kStartUp, true));
    // Waited for: its output is there when Run returns.
    EXPECT_EQ(ReadTestFile(log), "VEMOTESK\n");
    EXPECT_TRUE(upvane::Run(program.Path(), 1, false));
    EXPECT_TRUE(upvane::Run(program.Path(), 0, false));
    EXPECT_EQ(ReadTestFile(log), "VEMOTESK\nVEMOTESK FromUser 1\nVEMOTESK FromUser 0\n");
}

}  // namespace
