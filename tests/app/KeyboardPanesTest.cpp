// Panes 4 to 7 of the status bar: the lock keys from a scripted state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "AppTestEnvironment.h"
#include "app/KeyboardPanes.h"

namespace {

QStringList PaneTexts(const CKeyStatePanes& panes) {
    QStringList texts;
    for (int pane = 4; pane <= 7; ++pane) texts << panes.PaneText(pane);
    return texts;
}

}  // namespace

TEST(KeyboardPanes, TextsFollowTheLockState) {
    struct Case {
        KeyLockState state;
        QStringList texts;
    };
    const QString kana = QString::fromUtf8("ｶﾅ");
    const Case cases[] = {
        // Outside X11 nothing is known: all blank, whatever the rest says.
        {{false, true, true, true, true, true}, {"", "", "", ""}},
        {{true, true, false, false, false, false}, {"", "", "", ""}},
        {{true, false, false, true, true, false}, {"", "CAP", "NUM", ""}},
        {{true, false, false, false, false, true}, {"", "", "", "SCRL"}},
        // A keyboard without a kana lock leaves its pane blank.
        {{true, false, true, false, false, false}, {"", "", "", ""}},
        {{true, true, true, true, true, true}, {kana, "CAP", "NUM", "SCRL"}},
    };
    for (const Case& c : cases) {
        QStatusBar bar;
        KeyLockState state = c.state;
        CKeyStatePanes panes(&bar, [&state] { return state; });
        EXPECT_EQ(PaneTexts(panes), c.texts);
        ASSERT_NE(panes.Pane(4), nullptr);
        EXPECT_EQ(panes.Pane(3), nullptr);
        EXPECT_EQ(panes.Pane(8), nullptr);
    }
}

TEST(KeyboardPanes, RefreshedAfterAKey) {
    QStatusBar bar;
    KeyLockState state{true, false, false, false, false, false};
    int reads = 0;
    CKeyStatePanes panes(&bar, [&] {
        ++reads;
        return state;
    });
    EXPECT_EQ(PaneTexts(panes), (QStringList{"", "", "", ""}));
    // Caps Lock pressed: the panes read the state again once the key has been handled.
    state.caps = true;
    QLineEdit edit;
    const int before = reads;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier);
    QApplication::sendEvent(&edit, &press);
    QApplication::sendEvent(&edit, &release);
    EXPECT_EQ(PaneTexts(panes), (QStringList{"", "", "", ""}));
    QCoreApplication::processEvents();
    EXPECT_EQ(PaneTexts(panes), (QStringList{"", "CAP", "", ""}));
    EXPECT_EQ(reads, before + 1);
}

TEST(KeyboardPanes, OutsideX11TheStateIsUnknown) {
    // The tests run on the offscreen platform, which has no X11 display.
    EXPECT_FALSE(ReadKeyLockState().known);
}
