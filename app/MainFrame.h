#pragma once
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <string>

#include "app/AppSettings.h"
#include "app/CommandRegistry.h"

class CChildFrame;
class CKeyStatePanes;
class CMainStatusBar;
class CMdiClientWnd;
class CQtSettings;
class CRecentFileList;
class QMenu;
class QToolBar;

// The main window: menus, the main and work toolbars, the status bar with its panes, the MDI
// client area with the estimate windows, and its caption (see Caption). Its settings are read when
// it is made ready and written when it closes.
class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    CMainFrame(CCommandRegistry& commands, CAppSettings& settings, CQtSettings& profile,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds menus and toolbars from the command table, and the status bar, whose panes run their
    // commands on a double-click.
    void OnCreate();

    // Reads every setting into the application's settings and places the window; returns the
    // stored paths read as the program's own (see ::LoadSettings).
    std::vector<CReplacedPath> LoadSettings(const std::string& programFolder, const std::string& defaultMasterFolder);
    // Writes them back, with the window's placement.
    void SaveSettings();
    // Shows the window in the state the settings chose.
    void ShowMainWindow();

    void SetMessagePaneText(const QString& text);
    void SetMasterDataPaneText(const QString& text);
    void SetTankaPaneText(const QString& text);
    void SetZairyoTankaPaneText(const QString& text);
    CMainStatusBar* StatusBar() const { return m_statusBar; }
    CMdiClientWnd* MdiClient() const { return m_mdi; }
    QToolBar* WorkToolBar() const { return m_workToolBar; }
    // Panes 4 to 7 of the status bar: the lock keys.
    CKeyStatePanes* KeyPanes() const { return m_keyPanes; }
    // The ウィンドウ menu; below its own commands it lists the estimate windows, the active one
    // checked, each time it opens.
    QMenu* WindowMenu() const { return m_windowMenu; }
    void UpdateWindowMenu();

    // Puts a view into a new estimate window, shown maximised and active.
    CChildFrame* AddChildFrame(QWidget* view, const QString& title);
    // The view of the active estimate window, or null.
    QWidget* GetActiveChildView() const;
    QList<QWidget*> ChildViews() const;

    // Refills the recent-file entries of the File menu (each with its full path as tool tip).
    void UpdateRecentFileMenu(const CRecentFileList& recent);
    // The program's title, followed by the name of the current estimate window while it is maximised
    // ("title - [name]", as the framework merges them).
    QString Caption() const;

    // Hooks the application sets.
    std::function<void(const QStringList&)> onFilesDropped;
    // Asked first when the window is to close: false refuses (the hook tells the user why).
    std::function<bool()> canClose;
    // Runs after the documents agreed to close and before the settings are saved.
    std::function<void()> beforeSaveSettings;
    // After an estimate window is gone.
    std::function<void()> onChildClosed;
    // An estimate window became the active one (its view).
    std::function<void(QWidget* view)> onChildActivated;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBars();
    void UpdateCaption();

    CCommandRegistry& m_commands;
    CAppSettings& m_settings;
    CQtSettings& m_profile;
    CMdiClientWnd* m_mdi;
    CMainStatusBar* m_statusBar = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_workToolBar = nullptr;
    QAction* m_recentSeparator = nullptr;
    QMenu* m_windowMenu = nullptr;
    CKeyStatePanes* m_keyPanes = nullptr;
    bool m_settingCaption = false;
};
