// Test support for the tests of app/: AppTestEnvironment.
#pragma once
#include <QString>

#include "CommaLocale.h"

// Points QSettings at a new empty temporary folder and returns it; each test that touches the
// profile calls it first, so that no test sees another's values.
QString UseFreshSettingsFolder();
// The settings folder in use; a child process that starts the application takes its parent's.
QString SettingsFolder();

// What a test that starts the application sets up for as long as it lives: fresh settings and no
// splash screen; when it goes, the splash screen is enabled again and the working folder, which a
// start may change, is put back (cwd: the one it was made in).
struct AppStartScope {
    AppStartScope();
    // In a child process: its parent's settings folder rather than a fresh one.
    explicit AppStartScope(const QString& settingsFolder);
    ~AppStartScope();
    AppStartScope(const AppStartScope&) = delete;
    AppStartScope& operator=(const AppStartScope&) = delete;
    const QString cwd;
};
