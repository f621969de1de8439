// Tests of app/CommandRegistry.h.
#include <gtest/gtest.h>

#include <QAction>

#include "app/CommandRegistry.h"

namespace {

struct Targets {
    CCommandTarget view, frame, app;
    bool viewActive = true;
    std::vector<std::string> calls;
};

TEST(CommandRegistry, DispatchGoesToTheViewThenTheFrameThenTheApplication) {
    Targets t;
    CCommandRegistry registry;
    registry.SetRoute([&t] {
        std::vector<CCommandTarget*> route;
        if (t.viewActive) route.push_back(&t.view);
        route.push_back(&t.frame);
        route.push_back(&t.app);
        return route;
    });
    t.view.OnCommand(100, [&t] { t.calls.push_back("view 100"); });
    t.frame.OnCommand(100, [&t] { t.calls.push_back("frame 100"); });
    t.frame.OnCommand(200, [&t] { t.calls.push_back("frame 200"); });
    t.app.OnCommand(200, [&t] { t.calls.push_back("app 200"); });
    t.app.OnCommand(300, [&t] { t.calls.push_back("app 300"); });

    QAction* a100 = registry.Register(100, QStringLiteral("再計算(&R)\tCtrl+R"));
    registry.Register(200, QStringLiteral("業務選択\n業務"));
    registry.Register(400, QStringLiteral("nobody"));

    EXPECT_TRUE(registry.Dispatch(100));
    EXPECT_TRUE(registry.Dispatch(200));
    EXPECT_TRUE(registry.Dispatch(300));
    EXPECT_FALSE(registry.Dispatch(400));
    t.viewActive = false;
    a100->trigger();
    EXPECT_EQ(t.calls, (std::vector<std::string>{"view 100", "frame 200", "app 300", "frame 100"}));

    registry.UpdateActions();
    EXPECT_TRUE(registry.Action(100)->isEnabled());
    EXPECT_FALSE(registry.Action(400)->isEnabled());
    EXPECT_EQ(a100->text(), QStringLiteral("再計算(&R)"));
    EXPECT_EQ(a100->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    EXPECT_EQ(registry.Action(200)->toolTip(), QStringLiteral("業務"));
    EXPECT_EQ(registry.Action(200)->text(), QStringLiteral("業務選択"));
    EXPECT_EQ(registry.Action(500), nullptr);
}

TEST(CommandRegistry, UpdateRulesEnableAndCheck) {
    CCommandTarget frame;
    bool allowed = false;
    bool visible = true;
    int runs = 0;
    frame.OnCommand(10, [&runs] { ++runs; }, [&allowed](CCmdUI& ui) { ui.enabled = allowed; });
    frame.OnCommand(11, [] {}, [&visible](CCmdUI& ui) { ui.checked = visible; });
    CCommandRegistry registry;
    registry.SetRoute([&frame] { return std::vector<CCommandTarget*>{&frame}; });
    QAction* guarded = registry.Register(10, QStringLiteral("a"));
    QAction* check = registry.Register(11, QStringLiteral("b"));
    check->setCheckable(true);
    registry.UpdateActions();
    EXPECT_FALSE(guarded->isEnabled());
    EXPECT_TRUE(check->isChecked());
    // A disabled command does not run even when dispatched directly.
    EXPECT_FALSE(registry.Dispatch(10));
    EXPECT_EQ(runs, 0);
    allowed = true;
    visible = false;
    EXPECT_TRUE(registry.Dispatch(10));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(guarded->isEnabled());
    EXPECT_FALSE(check->isChecked());
}

// A rule may leave the command as it was: the action keeps its state, and dispatching follows it.
TEST(CommandRegistry, ARuleThatKeepsTheStateLeavesTheActionAsItWas) {
    CCommandTarget view;
    bool known = true;
    bool allowed = false;
    int runs = 0;
    view.OnCommand(10, [&runs] { ++runs; }, [&](CCmdUI& ui) {
        if (known)
            ui.enabled = allowed;
        else
            ui.keep = true;
    });
    CCommandRegistry registry;
    registry.SetRoute([&view] { return std::vector<CCommandTarget*>{&view}; });
    QAction* action = registry.Register(10, QStringLiteral("歩掛編集"));
    for (bool before : {false, true}) {
        SCOPED_TRACE(before);
        known = true;
        allowed = before;
        registry.UpdateActions();
        ASSERT_EQ(action->isEnabled(), before);
        known = false;
        registry.UpdateActions();
        EXPECT_EQ(action->isEnabled(), before);
        EXPECT_EQ(registry.State(10).enabled, before);
        runs = 0;
        EXPECT_EQ(registry.Dispatch(10), before);
        EXPECT_EQ(runs, before ? 1 : 0);
    }
}

}  // namespace
