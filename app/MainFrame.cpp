#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QMimeData>
#include <QMdiSubWindow>
#include <QScreen>
#include <QToolBar>
#include <QUrl>
#include <map>

#include "app/AppConstants.h"
#include "app/CommandIds.h"
#include "app/QtSettings.h"
#include "app/RecentFileList.h"
#include "app/ShellWindows.h"

namespace {

// Menu texts of the commands ("\n" separates the tool tip of a toolbar button).
const std::map<int, const char*>& CommandTexts() {
    static const std::map<int, const char*> texts = {
        {cmd::FileNew, "新規積算(&N)\tCtrl+N"},
        {cmd::FileOpen, "開く(&O)...\tCtrl+O"},
        {cmd::FileClose, "閉じる(&C)"},
        {cmd::FileSave, "上書き保存(&S)\tCtrl+S"},
        {cmd::FileSaveAs, "名前を付けて保存(&A)..."},
        {cmd::FilePrintSetup, "印刷設定(&R)..."},
        {cmd::FilePrint, "印刷(&P)...\tCtrl+P"},
        {cmd::FilePrintPreview, "印刷プレビュー(&V)"},
        {cmd::EditClear, "削除(&D)\tDel"},
        {cmd::WindowCascade, "重ねて表示(&C)"},
        {cmd::WindowTileHorz, "並べて表示(&T)"},
        {cmd::AppAbout, "バージョン情報"},
        {cmd::AppExit, "アプリケーションの終了(&X)"},
        {cmd::ShameiInput, "社名入力及び選択単価の初期設定(&I)..."},
        {cmd::Hyoshi, "表紙設定・印刷(&Ｈ)..."},
        {cmd::TankaEdit, "単価ファイル編集(&Ｔ)..."},
        {cmd::GyomuEdit, "共通業務(&K)..."},
        {cmd::HenkaritsuEdit, "変化率･補正率ファイル編集(&R)..."},
        {cmd::BukakeEdit, "歩掛ファイル編集(&B)..."},
        {cmd::ShokeihiEdit, "諸経費ファイル編集(&S)..."},
        {cmd::MasterDataSetting, "マスター データ設定(&S)..."},
        {cmd::BukakeUpdate, "歩掛 ファイルのインポート...(&B)"},
        {cmd::HenkaritsuUpdate, "変化率・補正率 ファイルのインポート...(&H)"},
        {cmd::TankaUpdate, "単価 ファイルのインポート...(&T)"},
        {cmd::ZairyoTankaUpdate, "材料単価 ファイルのインポート...(&T)"},
        {cmd::AutoFileVersionUp, "自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ"},
        {cmd::BukakeImportManual, "歩掛 ファイルのインポート－マニュアル..."},
        {cmd::HenkaritsuImportManual, "変化率・補正率 ファイルのインポート－マニュアル..."},
        {cmd::TankaImportManual, "単価 ファイルのインポート－マニュアル..."},
        {cmd::ZairyoTankaImportManual, "材料単価 ファイルのインポート－マニュアル..."},
        {cmd::KukakuSeiriImport, "区画整理歩掛・変化率ファイルのインポート"},
        {cmd::CheckConsistency, "整合性チェック..."},
        {cmd::ToolBarMenu, "ツール バー メニュー(&M)"},
        {cmd::KenmeiInput, "件名入力(&K)..."},
        {cmd::TekiyoEdit, "摘要編集(&Y)..."},
        {cmd::NameEdit, "費目／工種／種別編集(&M)..."},
        {cmd::MoveUp, "上へ移動(&U)"},
        {cmd::MoveDown, "下へ移動(&D)"},
        {cmd::Recalc, "再計算(&R)"},
        {cmd::TankaSelect, "単価選択(&C)..."},
        {cmd::ProgramKingakuEdit, "プログラム金額ファイル編集(&P)..."},
        {cmd::Help, "ヘルプ"},
        {cmd::ZairyoTankaSetting, "材料単価設定(&Z)..."},
        {cmd::SokatsuPrintRows, "総括表印刷行設定..."},
        {cmd::ZairyoTankaEdit, "材料単価ファイル編集(&K)..."},
        {cmd::PrintFormSetting, "印刷フォームの設定(&F)..."},
        {cmd::Option, "オプション(&O)..."},
        {cmd::SupportInfo, "ｻﾎﾟｰﾄ情報"},
        {cmd::TechInfo, "技術情報"},
        {cmd::CheckUpdate, "ｱｯﾌﾟﾃﾞｰﾄ確認"},
        {cmd::CheckNotice, "お知らせ確認"},
        // Work toolbar: the estimate view's row commands.
        {32772, "業務選択\n業務"},
        {32773, "工種選択\n工種"},
        {32774, "種別選択\n種別"},
        {32775, "積算区分設定\n積算区分"},
        {32776, "数量設定..."},
        {32777, "変化率設定\n変化率"},
        {32778, "印刷有無設定\n印刷有無"},
        {32779, "工種計設定\n工種計"},
        {32780, "重量設定\n重量"},
        {32781, "代価No設定\n代価No"},
        {32782, "単位設定..."},
        {32783, "金額設定..."},
        {32784, "率設定\n率"},
        {32785, "丸め設定\n丸め"},
        {32786, "精度設定\n精度"},
        {32787, "電子設定\n電子"},
        {32805, "プログラム金額設定\nプログラム金額"},
    };
    return texts;
}

QIcon ToolIcon(int id) {
    QString path = QStringLiteral(":/toolbar/%1.png").arg(id);
    QPixmap pixmap(path);
    return pixmap.isNull() ? QIcon() : QIcon(CBitmapStatic::Masked(pixmap));
}

}  // namespace

QString CommandText(int id) {
    auto it = CommandTexts().find(id);
    return it == CommandTexts().end() ? QString() : QString::fromUtf8(it->second);
}

CMainFrame::CMainFrame(CCommandRegistry& commands, CAppSettings& settings, CQtSettings& profile, QWidget* parent)
    : QMainWindow(parent), m_commands(commands), m_settings(settings), m_profile(profile) {
    m_mdi = new CMdiClientWnd(this);
    setCentralWidget(m_mdi);
    setWindowTitle(QString::fromUtf8(vemo::app::kMainCaption));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
    setAcceptDrops(true);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { m_commands.UpdateActions(); });

    OnCommand(cmd::ToolBarMenu, [this] { m_workToolBar->setVisible(!m_workToolBar->isVisible()); },
              [this](CCmdUI& ui) { ui.checked = m_workToolBar && m_workToolBar->isVisible(); });
    OnCommand(cmd::WindowCascade, [this] { m_mdi->cascadeSubWindows(); });
    OnCommand(cmd::WindowTileHorz, [this] { m_mdi->tileSubWindows(); });
}

CMainFrame::~CMainFrame() {
    // The estimate windows close with the frame; their signals must not reach it half destroyed.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (QMdiSubWindow* w : m_mdi->subWindowList()) disconnect(w, nullptr, this, nullptr);
}

QAction* CMainFrame::Cmd(int id) { return m_commands.Register(id, CommandText(id), ToolIcon(id)); }

void CMainFrame::OnCreate() {
    BuildMenus();
    BuildToolBars();
    m_statusBar = new CMainStatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->onPaneDoubleClicked = [this](int pane) {
        if (onPaneDoubleClicked) onPaneDoubleClicked(pane);
    };
    m_commands.UpdateActions();
}

void CMainFrame::BuildMenus() {
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(Cmd(id));
        }
    };
    auto refresh = [this] { m_commands.UpdateActions(); };

    m_fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    add(m_fileMenu, {cmd::FileNew, cmd::FileOpen, cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, 0, cmd::FilePrint,
                     cmd::FilePrintPreview, cmd::FilePrintSetup});
    m_recentSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < 4; ++i) {
        QAction* a = m_commands.Register(cmd::FileMru1 + i, QString());
        a->setVisible(false);
        m_fileMenu->addAction(a);
    }
    m_fileMenu->addSeparator();
    add(m_fileMenu, {cmd::AppExit});

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    add(edit, {cmd::KenmeiInput, cmd::NameEdit, cmd::TekiyoEdit, 0, cmd::MoveUp, cmd::MoveDown, 0, cmd::EditClear, 0,
               cmd::Recalc});

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    QAction* toolbar = Cmd(cmd::ToolBarMenu);
    toolbar->setCheckable(true);
    view->addAction(toolbar);

    QMenu* master = menuBar()->addMenu(QStringLiteral("マスター(&M)"));
    add(master, {cmd::MasterDataSetting, cmd::ZairyoTankaSetting, 0, cmd::BukakeEdit, cmd::HenkaritsuEdit,
                 cmd::TankaEdit, cmd::ShokeihiEdit, cmd::ProgramKingakuEdit, cmd::ZairyoTankaEdit, cmd::GyomuEdit, 0,
                 cmd::ShameiInput, cmd::TankaSelect});
    master->addSeparator();
    QMenu* maintenance = master->addMenu(QStringLiteral("マスター データの更新"));
    add(maintenance, {cmd::BukakeUpdate, cmd::HenkaritsuUpdate, cmd::TankaUpdate, cmd::ZairyoTankaUpdate,
                      cmd::AutoFileVersionUp, 0, cmd::BukakeImportManual, cmd::HenkaritsuImportManual,
                      cmd::TankaImportManual, cmd::ZairyoTankaImportManual, cmd::KukakuSeiriImport, 0,
                      cmd::CheckConsistency});
    connect(maintenance, &QMenu::aboutToShow, this, refresh);

    QMenu* print = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    add(print, {cmd::Hyoshi, cmd::PrintFormSetting, cmd::SokatsuPrintRows, 0, cmd::Option});

    QMenu* window = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    add(window, {cmd::WindowCascade, cmd::WindowTileHorz});

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    add(help, {cmd::Help, 0, cmd::SupportInfo, cmd::TechInfo, cmd::CheckUpdate, cmd::CheckNotice, 0, cmd::AppAbout});

    for (QMenu* menu : {m_fileMenu, edit, view, master, print, window, help})
        connect(menu, &QMenu::aboutToShow, this, refresh);
}

void CMainFrame::BuildToolBars() {
    m_mainToolBar = addToolBar(QStringLiteral("標準"));
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setIconSize(QSize(24, 24));
    for (int id : {cmd::FileNew, cmd::FileOpen, cmd::FileSave, 0, cmd::EditClear, 0, cmd::KenmeiInput, cmd::NameEdit,
                   cmd::TekiyoEdit, 0, cmd::MoveUp, cmd::MoveDown, 0, cmd::Recalc, cmd::WindowCascade,
                   cmd::WindowTileHorz, 0, cmd::FilePrint, cmd::FilePrintPreview, 0, cmd::AppAbout}) {
        if (id == 0)
            m_mainToolBar->addSeparator();
        else
            m_mainToolBar->addAction(Cmd(id));
    }

    m_workToolBar = new QToolBar(QStringLiteral("作業"), this);
    m_workToolBar->setObjectName(QStringLiteral("workToolBar"));
    m_workToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_workToolBar->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
    addToolBar(Qt::LeftToolBarArea, m_workToolBar);
    for (int id : {32772, 32773, 32774, 0, 32775, 32777, 32776, 0, 32778, 0, 32779, 0, 32780, 0, 32781, 32782, 32783,
                   32784, 0, 32785, 0, 32786, 32787, 32805}) {
        if (id == 0) {
            m_workToolBar->addSeparator();
            continue;
        }
        QAction* action = Cmd(id);
        // The work buttons show the short name of their command.
        QString tip = CommandText(id).section(QLatin1Char('\n'), 1);
        action->setIconText(tip.isEmpty() ? action->text().remove(QStringLiteral("...")) : tip);
        m_workToolBar->addAction(action);
    }
}

void CMainFrame::UpdateRecentFileMenu(const CRecentFileList& recent) {
    const auto& files = recent.Files();
    for (int i = 0; i < 4; ++i) {
        QAction* a = m_commands.Action(cmd::FileMru1 + i);
        if (!a) continue;
        bool used = static_cast<size_t>(i) < files.size();
        a->setVisible(used);
        if (used) a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(files[i])));
    }
    if (m_recentSeparator) m_recentSeparator->setVisible(!files.empty());
}

void CMainFrame::LoadSettings(const std::string& programFolder, const std::string& defaultMasterFolder) {
    QScreen* s = screen();
    QRect area = s ? s->geometry() : QRect(0, 0, 1024, 768);
    int dpi = s ? static_cast<int>(s->logicalDotsPerInchX()) : 96;
    ::LoadSettings(m_profile, programFolder, defaultMasterFolder, DefaultWindowRect(dpi, area.width(), area.height()),
                   m_settings);
    const CWindowRect& r = m_settings.window;
    if (r.Width() > 0 && r.Height() > 0) setGeometry(r.left, r.top, r.Width(), r.Height());
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
    connect(frame, &QObject::destroyed, this, [this] {
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

void CMainFrame::changeEvent(QEvent* event) {
    // The MDI area would put the maximised estimate's name into the caption: the caption stays.
    if (event->type() == QEvent::WindowTitleChange && !m_settingCaption) {
        const QString caption = QString::fromUtf8(vemo::app::kMainCaption);
        if (windowTitle() != caption) {
            m_settingCaption = true;
            setWindowTitle(caption);
            m_settingCaption = false;
        }
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (canClose && !canClose()) {
        event->ignore();
        return;
    }
    // The estimates are asked first: a cancelled save prompt leaves everything as it was.
    m_mdi->closeAllSubWindows();
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
