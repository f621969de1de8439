#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QMimeData>
#include <QMdiSubWindow>
#include <QScreen>
#include <QToolBar>
#include <QToolTip>
#include <QUrl>

#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/KeyboardPanes.h"
#include "app/QtSettings.h"
#include "app/RecentFileList.h"
#include "app/ShellWindows.h"

CMainFrame::CMainFrame(CCommandRegistry& commands, CAppSettings& settings, CQtSettings& profile, QWidget* parent)
    : QMainWindow(parent), m_commands(commands), m_settings(settings), m_profile(profile) {
    m_mdi = new CMdiClientWnd(this);
    setCentralWidget(m_mdi);
    setWindowTitle(QString::fromUtf8(apptext::kMainCaption));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
    setAcceptDrops(true);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window && window->widget() && onChildActivated) onChildActivated(window->widget());
        UpdateCaption();
        m_commands.UpdateActions();
    });

    OnCommand(cmd::ToolBarMenu, [this] { m_workToolBar->setVisible(!m_workToolBar->isVisible()); },
              [this](CCmdUI& ui) { ui.checked = m_workToolBar && m_workToolBar->isVisible(); });
    OnCommand(cmd::WindowCascade, [this] { m_mdi->Cascade(); });
    OnCommand(cmd::WindowTileHorz, [this] { m_mdi->TileHorizontally(); });
}

CMainFrame::~CMainFrame() {
    // The estimate windows close with the frame; their signals must not reach it half destroyed.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow* w : m_mdi->subWindowList()) disconnect(w, nullptr, this, nullptr);
}

void CMainFrame::OnCreate() {
    BuildMenus();
    BuildToolBars();
    m_statusBar = new CMainStatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->onPaneDoubleClicked = [this](int pane) {
        if (int id = PaneCommand(pane)) m_commands.Dispatch(id);
    };
    m_keyPanes = new CKeyStatePanes(m_statusBar);
    m_commands.UpdateActions();
}

void CMainFrame::BuildMenus() {
    for (const CommandBar& bar : CommandBars()) {
        if (bar.kind != CommandBar::MenuBarMenu) continue;
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(bar.title));
        FillMenu(menu, bar.place, m_commands, &m_recentSeparator);
        // The recent files' full paths as tool tips.
        if (bar.place == kFileMenu) menu->installEventFilter(this);
        if (bar.place == kWindowMenu) {
            m_windowMenu = menu;
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
        }
    }
}

void CMainFrame::UpdateWindowMenu() {
    if (!m_windowMenu) return;
    constexpr const char* kEntry = "vemoWindowEntry";
    for (QAction* a : m_windowMenu->actions())
        if (a->property(kEntry).toBool()) {
            m_windowMenu->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty()) return;
    QAction* separator = m_windowMenu->addSeparator();
    separator->setProperty(kEntry, true);
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        QString title = w->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QString text = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction* a = m_windowMenu->addAction(text);
        a->setProperty(kEntry, true);
        // Only the active window carries a check mark.
        a->setCheckable(w == active);
        a->setChecked(w == active);
        // A minimised estimate chosen is shown again before it becomes the active one.
        connect(a, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(w)] {
            if (!window) return;
            if (auto* child = qobject_cast<CChildFrame*>(window.data())) child->ShowRestored();
            m_mdi->setActiveSubWindow(window);
        });
    }
}

void CMainFrame::BuildToolBars() {
    m_mainToolBar = addToolBar(QString::fromUtf8(FindCommandBar(kMainToolBar)->title));
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setIconSize(QSize(24, 24));
    FillToolBar(m_mainToolBar, kMainToolBar, m_commands);

    // The work toolbar's buttons are text only: each shows the short name of its command.
    m_workToolBar = new QToolBar(QString::fromUtf8(FindCommandBar(kWorkToolBar)->title), this);
    m_workToolBar->setObjectName(QStringLiteral("workToolBar"));
    m_workToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_workToolBar->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
    addToolBar(Qt::LeftToolBarArea, m_workToolBar);
    FillToolBar(m_workToolBar, kWorkToolBar, m_commands);
}

void CMainFrame::UpdateRecentFileMenu(const CRecentFileList& recent) {
    const auto& files = recent.Files();
    for (int i = 0; i < 4; ++i) {
        QAction* a = m_commands.Action(cmd::FileMru1 + i);
        if (!a) continue;
        bool used = static_cast<size_t>(i) < files.size();
        a->setVisible(used);
        // A long path would widen the menu past the screen, and its shortcut labels out of sight.
        if (used) {
            QString name = QString::fromStdString(RecentFileDisplayName(files[i], QDir::currentPath().toStdString()));
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            a->setToolTip(QString::fromStdString(files[i]));
        }
    }
    if (m_recentSeparator) m_recentSeparator->setVisible(!files.empty());
}

std::vector<CReplacedPath> CMainFrame::LoadSettings(const std::string& programFolder,
                                                    const std::string& defaultMasterFolder) {
    QScreen* s = screen();
    QRect area = s ? s->geometry() : QRect(0, 0, 1024, 768);
    int dpi = s ? static_cast<int>(s->logicalDotsPerInchX()) : 96;
    std::vector<CReplacedPath> replaced = ::LoadSettings(
        m_profile, programFolder, defaultMasterFolder, DefaultWindowRect(dpi, area.width(), area.height()), m_settings);
    const CWindowRect& r = m_settings.window;
    if (r.Width() > 0 && r.Height() > 0) setGeometry(r.left, r.top, r.Width(), r.Height());
    return replaced;
}

void CMainFrame::SaveSettings() {
    m_settings.maximised = isMaximized();
    QRect normal = normalGeometry();
    if (!normal.isValid() || normal.isEmpty()) normal = geometry();
    m_settings.window = {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()};
    ::SaveSettings(m_profile, m_settings);
}

void CMainFrame::ShowMainWindow() {
    if (m_settings.maximised)
        showMaximized();
    else
        showNormal();
    update();
}

void CMainFrame::SetMessagePaneText(const QString& text) { m_statusBar->SetPaneText(0, text); }
void CMainFrame::SetMasterDataPaneText(const QString& text) { m_statusBar->SetPaneText(1, text); }
void CMainFrame::SetTankaPaneText(const QString& text) { m_statusBar->SetPaneText(2, text); }
void CMainFrame::SetZairyoTankaPaneText(const QString& text) { m_statusBar->SetPaneText(3, text); }

CChildFrame* CMainFrame::AddChildFrame(QWidget* view, const QString& title) {
    auto* frame = new CChildFrame;
    frame->setWidget(view);
    frame->setWindowTitle(title);
    m_mdi->addSubWindow(frame);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateCaption);
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateCaption);
    connect(frame, &QObject::destroyed, this, [this] {
        UpdateCaption();
        if (onChildClosed) onChildClosed();
        m_commands.UpdateActions();
    }, Qt::QueuedConnection);
    frame->ActivateFrame();
    return frame;
}

QWidget* CMainFrame::GetActiveChildView() const {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (!active) active = m_mdi->currentSubWindow();
    return active ? active->widget() : nullptr;
}

QList<QWidget*> CMainFrame::ChildViews() const {
    QList<QWidget*> views;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (w->widget()) views << w->widget();
    return views;
}

bool CMainFrame::event(QEvent* event) {
    // Command prompts go to the message pane rather than over it.
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->ShowStatusTip(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

QString CMainFrame::Caption() const {
    const QString title = QString::fromUtf8(apptext::kMainCaption);
    const QMdiSubWindow* current = m_mdi->currentSubWindow();
    if (!current || !current->isMaximized() || current->windowTitle().isEmpty()) return title;
    return QString::fromUtf8(apptext::kMaximisedCaption).arg(title, current->windowTitle());
}

void CMainFrame::UpdateCaption() {
    const QString caption = Caption();
    if (windowTitle() == caption) return;
    m_settingCaption = true;
    setWindowTitle(caption);
    m_settingCaption = false;
}

void CMainFrame::changeEvent(QEvent* event) {
    // The MDI area writes a caption of its own when a window is maximised or restored: ours stands.
    if (event->type() == QEvent::WindowTitleChange && !m_settingCaption) UpdateCaption();
    QMainWindow::changeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The ファイル menu shows a recent file's full path as its tool tip, and no other.
    if (event->type() == QEvent::ToolTip)
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            auto* help = static_cast<QHelpEvent*>(event);
            const QAction* action = menu->actionAt(help->pos());
            const int id = action ? action->data().toInt() : 0;
            if (id >= cmd::FileMru1 && id <= cmd::FileMru4)
                QToolTip::showText(help->globalPos(), action->toolTip(), menu, menu->actionGeometry(const_cast<QAction*>(action)));
            else
                QToolTip::hideText();
            return true;
        }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    // Every estimate is asked before any closes: the first cancelled save prompt leaves every window
    // as it was.
    std::vector<CChildFrame*> children;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(w)) children.push_back(child);
    for (CChildFrame* child : children)
        if (!child->MayClose()) {
            event->ignore();
            return;
        }
    for (CChildFrame* child : children) child->CloseAgreed();
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    if (beforeSaveSettings) beforeSaveSettings();
    SaveSettings();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    if (onFilesDropped) onFilesDropped(paths);
}
