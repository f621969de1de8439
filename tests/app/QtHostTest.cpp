// Tests of app/QtHost.h.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AppTestEnvironment.h"
#include "EventWait.h"
#include "ScriptedDialogs.h"
#include "app/AppTexts.h"
#include "app/ProgressDlg.h"
#include "app/QtHost.h"
#include "app/QtSettings.h"
#include "dialogkit/DialogTexts.h"
#include "platform/PlatformTexts.h"

namespace {

std::vector<QString> ButtonTexts(QMessageBox& box) {
    std::vector<QString> texts;
    for (QAbstractButton* b : box.buttons()) texts.push_back(b->text());
    return texts;
}

TEST(QtHost, MessageBoxIsOwnedByTheMainWindowWithTheAppNameAsCaption) {
    CQtSettings settings;
    CQtHost host(settings);
    QMainWindow main;
    host.SetOwner(&main);
    auto box = host.BuildMessageBox("一行目\n二行目", "", MsgButtons::YesNo, MsgIcon::Exclamation, 2);
    EXPECT_EQ(box->parentWidget(), &main);
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8(platformtext::kAppName));
    EXPECT_EQ(box->text(), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QString::fromUtf8(apptext::kMessageBoxYes));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QString::fromUtf8(apptext::kMessageBoxNo));

    auto confirm = host.BuildMessageBox("x", "確認", MsgButtons::YesNoCancel, MsgIcon::Question, 3);
    EXPECT_EQ(confirm->windowTitle(), QStringLiteral("確認"));
    EXPECT_EQ(confirm->icon(), QMessageBox::Question);
    EXPECT_EQ(confirm->defaultButton(), confirm->button(QMessageBox::Cancel));
    EXPECT_EQ(confirm->buttons().size(), 3);

    auto stop = host.BuildMessageBox("x", "", MsgButtons::OkCancel, MsgIcon::Stop, 1);
    EXPECT_EQ(stop->icon(), QMessageBox::Critical);
    EXPECT_EQ(stop->defaultButton(), stop->button(QMessageBox::Ok));
    EXPECT_EQ(stop->button(QMessageBox::Cancel)->text(), QString::fromUtf8(apptext::kMessageBoxCancel));

    auto plain = host.BuildMessageBox("x", "", MsgButtons::Ok, MsgIcon::None, 1);
    EXPECT_EQ(plain->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(ButtonTexts(*plain), std::vector<QString>{QString::fromUtf8(dialogtext::kOk)});
    // A default button beyond the buttons falls back to the first one.
    auto odd = host.BuildMessageBox("x", "", MsgButtons::YesNo, MsgIcon::None, 3);
    EXPECT_EQ(odd->defaultButton(), odd->button(QMessageBox::Yes));
}

// Message boxes and file dialogs belong to the window the user works in, so that it stays in front
// when they close: a modal dialog, else the active window (a print preview over the main window),
// else the main window.
TEST(QtHost, MessagesAndFileDialogsBelongToTheWindowInFront) {
    CQtSettings settings;
    CQtHost host(settings);
    QMainWindow main;
    host.SetOwner(&main);
    main.show();
    QDialog preview;  // a window of its own, not modal
    QDialog modal(&main);
    modal.setModal(true);
    const struct {
        const char* what;
        QWidget* inFront;  // shown and activated; null: the main window
        QWidget* owner;
    } cases[] = {{"main window", nullptr, &main}, {"preview", &preview, &preview}, {"modal dialog", &modal, &modal}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget* front = c.inFront ? c.inFront : &main;
        front->show();
        front->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(front, kHangMs));
        EXPECT_EQ(host.BuildMessageBox("x", "", MsgButtons::Ok, MsgIcon::None, 1)->parentWidget(), c.owner);
        ScriptedDialogs dialogs;
        for (int i = 0; i < 2; ++i)
            dialogs.Expect<QFileDialog>([&](QFileDialog& d) {
                EXPECT_EQ(d.parentWidget(), c.owner);
                return IDCANCEL;
            });
        std::string chosen;
        EXPECT_FALSE(host.ChooseSaveFile("保存", "Excel (*.xlsx)|*.xlsx||", "a.xlsx", chosen));
        EXPECT_FALSE(host.ChooseOpenFile("開く", "Excel (*.xlsx)|*.xlsx||", "a.xlsx", chosen));
        if (c.inFront) c.inFront->hide();
    }
}

TEST(QtHost, MessageBoxReturnsThePressedButton) {
    CQtSettings settings;
    CQtHost host(settings);
    SetHost(&host);
    QString seenText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(AfxMessageBox("保存しますか？", MsgButtons::YesNoCancel, MsgIcon::Question), IDNO);
    EXPECT_EQ(seenText, QStringLiteral("保存しますか？"));
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    // Escape on a Yes/No box gives No.
    EXPECT_EQ(AfxMessageBox("x", MsgButtons::YesNo), IDNO);
    SetHost(nullptr);
}

TEST(QtHost, FilterTextsBecomeQtFilters) {
    EXPECT_EQ(QtFilterList("Vemo 農林版 ﾌｧｲﾙ (*.sei)|*.sei|旧Vemo 農林版 ﾌｧｲﾙ (*.seb)|*.seb|全てのﾌｧｲﾙ (*.*)|*.*||"),
              (QStringList{QStringLiteral("Vemo 農林版 ﾌｧｲﾙ (*.sei)"), QStringLiteral("旧Vemo 農林版 ﾌｧｲﾙ (*.seb)"),
                           QStringLiteral("全てのﾌｧｲﾙ (*)")}));
    EXPECT_EQ(QtFilterList("材料単価データ25 (*.zoa)|*.zoa|すべてのファイル (*.*)|*.||"),
              (QStringList{QStringLiteral("材料単価データ25 (*.zoa)"), QStringLiteral("すべてのファイル (*.)")}));
    EXPECT_EQ(QtFilterList("Excel (*.xls;*.xlsx)|*.xls;*.xlsx||"), QStringList{QStringLiteral("Excel (*.xls *.xlsx)")});
    EXPECT_TRUE(QtFilterList("").isEmpty());
    EXPECT_EQ(FirstFilterSuffix("Vemo (*.sei)|*.sei|全て (*.*)|*.*||"), QStringLiteral("sei"));
    EXPECT_EQ(FirstFilterSuffix("全て (*.*)|*.*||"), QString());
    EXPECT_EQ(FirstFilterSuffix("broken"), QString());
}

TEST(QtHost, StatusPanesAndWaitCursor) {
    CQtSettings settings;
    CQtHost host(settings);
    std::vector<std::pair<int, QString>> seen;
    host.SetStatusSink([&](int pane, const QString& text) { seen.emplace_back(pane, text); });
    host.SetStatusPane(1, "参考マスター25");
    host.SetStatusPane(3, "材料単価データ25");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(1, QStringLiteral("参考マスター25")));
    EXPECT_EQ(seen[1].first, 3);

    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    host.BeginWaitCursor();
    host.BeginWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.EndWaitCursor();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    host.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // An unbalanced end does nothing.
    host.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtHost, SettingsGoToTheProfile) {
    UseFreshSettingsFolder();
    CQtSettings settings;
    CQtHost host(settings);
    host.Settings().SetInt("Vemo Ovra 農林版", "Print", "FormGyou", 12);
    host.Settings().SetString("Vemo Tesk", "Path", "MasterData", "/old/参考マスター");
    EXPECT_EQ(settings.GetInt("Vemo Ovra 農林版", "Print", "FormGyou", 0), 12);
    EXPECT_EQ(settings.GetString("Vemo Tesk", "Path", "MasterData", ""), "/old/参考マスター");
    EXPECT_EQ(settings.GetString("Vemo Tesk", "Path", "Missing", "def"), "def");
    EXPECT_TRUE(settings.Contains("Vemo Ovra 農林版", "Print", "FormGyou"));
    settings.RemoveSection("Vemo Ovra 農林版", "Print");
    EXPECT_FALSE(settings.Contains("Vemo Ovra 農林版", "Print", "FormGyou"));
    EXPECT_EQ(settings.GetInt("Vemo Ovra 農林版", "Print", "FormGyou", 10), 10);
}

TEST(ProgressDlg, PercentTextFollowsThePosition) {
    EXPECT_EQ(CProgressDlg::PercentText(20, 0, 40), QStringLiteral("50%"));
    EXPECT_EQ(CProgressDlg::PercentText(40, 0, 40), QStringLiteral("100%"));
    EXPECT_EQ(CProgressDlg::PercentText(0, 0, 40), QStringLiteral("0%"));
    EXPECT_EQ(CProgressDlg::PercentText(3, 1, 3), QStringLiteral("100%"));
    // An empty range does not divide by zero.
    EXPECT_EQ(CProgressDlg::PercentText(5, 5, 5), QStringLiteral("0%"));

    CProgressDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(apptext::kProgressCaption));
    EXPECT_EQ(dlg.PercentLabelText(), QString::fromUtf8(apptext::kProgressStartPercent));
    dlg.SetRange(0, 40);
    dlg.SetStep(1);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(dlg.StepIt(), i);
    EXPECT_EQ(dlg.PercentLabelText(), QStringLiteral("50%"));
    for (int i = 0; i < 20; ++i) dlg.StepIt();
    EXPECT_EQ(dlg.PercentLabelText(), QStringLiteral("100%"));
    // Past the end the bar starts over.
    EXPECT_EQ(dlg.StepIt(), 40);
    EXPECT_EQ(dlg.Position(), 1);
    EXPECT_EQ(dlg.SetPos(10), 1);
    EXPECT_EQ(dlg.OffsetPos(5), 10);
    EXPECT_EQ(dlg.Position(), 15);
    dlg.SetStatus("歩掛データを更新しています");
    EXPECT_EQ(dlg.StatusText(), QStringLiteral("歩掛データを更新しています"));
}

TEST(ProgressDlg, DisablesItsOwnerAndCountsCancelOnce) {
    QMainWindow main;
    main.show();
    {
        CProgressDlg dlg("更新");
        ASSERT_TRUE(dlg.Create(&main));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("更新"));
        EXPECT_FALSE(main.isEnabled());
        EXPECT_TRUE(dlg.isEnabled());
        auto* cancel = dlg.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QString::fromUtf8(dialogtext::kCancel));
        cancel->click();
        cancel->click();
        EXPECT_TRUE(dlg.CheckCancelButton());
        EXPECT_FALSE(dlg.CheckCancelButton());
        // Escape asks for cancellation too; the window stays.
        dlg.reject();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(dlg.CheckCancelButton());
    }
    EXPECT_TRUE(main.isEnabled());

    // An owner that was disabled already stays disabled afterwards.
    main.setEnabled(false);
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&main));
    }
    EXPECT_FALSE(main.isEnabled());
    main.setEnabled(true);
}

TEST(ProgressDlg, HostCreatesItOverTheOwner) {
    CQtSettings settings;
    CQtHost host(settings);
    QMainWindow main;
    main.show();
    host.SetOwner(&main);
    {
        auto progress = host.CreateProgress("");
        EXPECT_FALSE(main.isEnabled());
        progress->SetRange(1, 4);
        progress->SetStep(1);
        EXPECT_EQ(progress->StepIt(), 1);
        EXPECT_FALSE(progress->CheckCancelButton());
        progress->Hide();
    }
    EXPECT_TRUE(main.isEnabled());
}

}  // namespace
