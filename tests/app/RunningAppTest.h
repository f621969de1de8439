// Test support for the tests of app/: RunningAppTest.
#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "AppProgramFolder.h"
#include "AppTestEnvironment.h"
#include "ScriptedHost.h"
#include "app/VemoWinApp.h"

// The application started on a program folder of its own, with fresh settings and no splash screen,
// its questions answered by a scripted host; what the start said is cleared.
class RunningAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<CVemoWinApp>(QStringList{}, program.root.Path());
        host = std::make_unique<ScriptedHost>();
        ASSERT_TRUE(app->InitInstance());
        host->messages.clear();
    }
    void TearDown() override {
        host.reset();
        app.reset();
    }
    CMasterDataStore& Store() { return app->Store(); }

    AppProgramFolder program;
    AppStartScope start;
    std::unique_ptr<CVemoWinApp> app;
    std::unique_ptr<ScriptedHost> host;
};
