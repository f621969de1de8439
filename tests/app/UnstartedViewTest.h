// Test support for the tests of app/: UnstartedViewTest.
#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <QTest>
#include <memory>
#include <vector>

#include "AppTestEnvironment.h"
#include "EventWait.h"
#include "ScriptedHost.h"
#include "ScriptedView.h"
#include "TempFolder.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "dialogkit/SpreadSheet.h"
#include "estimate/EstimateCalcContext.h"

// A view (of type View) of an estimate built in code, priced by an application that has not
// started and whose questions a scripted host answers. A test gives the store its masters, then
// makes the view.
template <class View>
class UnstartedAppView : public ::testing::Test {
protected:
    void SetUp() override {
        UseFreshSettingsFolder();
        app = std::make_unique<CVemoWinApp>(QStringList{}, folder.Path());
        host = std::make_unique<ScriptedHost>();
    }
    void TearDown() override {
        view.reset();
        host.reset();
        app.reset();
    }
    // The view, 1000 × 600, over an empty estimate priced with the store's masters and no material prices.
    void MakeView() {
        auto doc = std::make_unique<CVemoWinDoc>();
        doc->SetCalcContext(std::make_unique<CEstimateCalcContext>(app->SharedMasters(), app->Settings(),
                                                                   CZairyoTankaFile()));
        view = std::make_unique<View>(*app, std::move(doc));
        view->resize(1000, 600);
    }
    // The view the active one of the command route.
    void RouteCommandsToView() {
        app->Commands().SetRoute([this] {
            return std::vector<CCommandTarget*>{view.get(), view->GetDocument(), app.get()};
        });
    }
    // The view shown, once it is on screen.
    void ShowView() {
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get(), kHangMs));
    }

    CSekisanItemList& List() { return *view->GetItemList(); }
    CSpreadSheet& Grid() { return *view->Grid(); }

    TempFolder folder;
    std::unique_ptr<CVemoWinApp> app;
    std::unique_ptr<ScriptedHost> host;
    std::unique_ptr<View> view;
};

// A scripted view, the active view of the command route.
class UnstartedViewTest : public UnstartedAppView<ScriptedView> {
protected:
    // The view over an empty estimate priced with the store's masters and no material prices.
    void OpenView() {
        MakeView();
        RouteCommandsToView();
    }

    bool Modified() { return view->GetDocument()->IsModified(); }
    bool Dispatch(int id) { return app->Commands().Dispatch(id); }
    std::vector<std::unique_ptr<CSekisanItem>> CopyItems() {
        std::vector<std::unique_ptr<CSekisanItem>> copies;
        for (int i = 0; i < List().GetCount(); ++i)
            copies.push_back(std::make_unique<CSekisanItem>(*List().GetItem(i)));
        return copies;
    }
    // The texts of the six grid columns, row by row.
    std::vector<QString> GridTexts() {
        std::vector<QString> texts;
        for (int r = 1; r <= Grid().GetMaxRows(); ++r)
            for (int c = 1; c <= 6; ++c) texts.push_back(Grid().GetCellText(c, r));
        return texts;
    }
};
