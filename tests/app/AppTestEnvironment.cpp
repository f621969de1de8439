// Test support for the tests of app/: AppTestEnvironment.
#include "AppTestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/GyomuSelectDlg.h"
#include "app/KenmeiDlg.h"
#include "app/ShellWindows.h"
#include "report/qt/PageSettingDlg.h"
#include "pictures/Resources.h"
#include "dialogkit/DialogRunner.h"

namespace {

QTemporaryDir* g_settingsDir = nullptr;
QString g_settingsInUse;

void UseSettingsFolder(const QString& path) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    g_settingsInUse = path;
}

// A new estimate opens its 件名 and first 業務 dialogs at once. Tests that do not script them (by
// a ScriptedDialogs of their own) see them cancelled, which leaves the estimate empty. The print
// commands open the page-settings dialog first: unscripted, it is accepted as it opens, so that the
// print goes on with the settings as they were. Every other dialog runs as in the program.
class NewEstimateDialogsCancelled : public IDialogRunner {
public:
    int Run(QDialog& dialog) override {
        if (dynamic_cast<CKenmeiDlg*>(&dialog) || dynamic_cast<CGyomuSelectDlg*>(&dialog)) {
            dialog.reject();
            return QDialog::Rejected;
        }
        if (dynamic_cast<CPageSettingDlg*>(&dialog)) {
            dialog.accept();
            return QDialog::Accepted;
        }
        return dialog.exec();
    }
};

// One QApplication for every test of the binary, with the settings kept in a temporary folder.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "AppTests";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
        InitAppResources();
        QStandardPaths::setTestModeEnabled(true);
        // Deleted master folders go to the trash: give it a home of its own, which goes with the
        // tests (without one, the trash folders would land in the working folder).
        m_home = new QTemporaryDir;
        qputenv("HOME", m_home->path().toLocal8Bit());
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        g_settingsDir = new QTemporaryDir;
        UseSettingsFolder(g_settingsDir->path());
        SetDialogRunner(&m_runner);
    }
    void TearDown() override {
        SetDialogRunner(nullptr);
        delete g_settingsDir;
        g_settingsDir = nullptr;
        delete m_home;
        m_home = nullptr;
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
    QTemporaryDir* m_home = nullptr;
    NewEstimateDialogsCancelled m_runner;
};

const auto* g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QString UseFreshSettingsFolder() {
    static int counter = 0;
    QString path = g_settingsDir->path() + QStringLiteral("/run%1").arg(++counter);
    QDir().mkpath(path);
    UseSettingsFolder(path);
    return path;
}

QString SettingsFolder() { return g_settingsInUse; }

AppStartScope::AppStartScope() : cwd(QDir::currentPath()) {
    UseFreshSettingsFolder();
    CSplashWnd::EnableSplashScreen(false);
}

AppStartScope::AppStartScope(const QString& settingsFolder) : cwd(QDir::currentPath()) {
    UseSettingsFolder(settingsFolder);
    CSplashWnd::EnableSplashScreen(false);
}

AppStartScope::~AppStartScope() {
    QDir::setCurrent(cwd);
    CSplashWnd::EnableSplashScreen(true);
}

// The printer the application makes at start-up loads Qt's CUPS plugin, and with it p11-kit, whose
// library initialisation keeps a locale path list that is never freed while LOCPATH is set (as it
// is once a test has made the decimal-comma locale). That leak is not the program's: the leak
// checker leaves it out (the quick stack of the allocation ends in glibc's __argz_add_sep, a full
// one names p11-kit).
extern "C" const char* __lsan_default_suppressions() { return "leak:libp11-kit.so\nleak:__argz_add_sep\n"; }
