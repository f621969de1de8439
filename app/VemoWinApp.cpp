#include "app/VemoWinApp.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <utility>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSessionManager>

#include "app/AppConstants.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "dialogkit/DialogTexts.h"
#include "app/ExitSignals.h"
#include "app/InstanceChannel.h"
#include "dialogkit/InputDialogs.h"
#include "app/MainFrame.h"
#include "pictures/Resources.h"
#include "app/ShellWindows.h"
#include "app/Upvane.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "dialogkit/CodeMarkGuard.h"
#include "estimate/MovedRows.h"
#include "master/MasterImport.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"
#include "masteredit/ZairyoTankaSettingDlg.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/PlatformTexts.h"
#include "report/qt/QtReportOutput.h"

namespace {

// The framework's options that leave out the splash window.
bool IsSplashOption(const QString& arg) {
    const QString option = arg.toLower();
    return option == QLatin1String("/nologo") || option == QLatin1String("-nologo") ||
           option == QLatin1String("--nosplash") || option == QLatin1String("-nosplash");
}

}  // namespace

CVemoWinApp::CVemoWinApp(QStringList args, std::string programFolder)
    : m_args(std::move(args)),
      m_programFolder(programFolder.empty() ? vemo::ProgramFolder() : vemo::NormalizePath(programFolder)),
      m_host(m_profile),
      m_masterDialogs(*this, [this]() -> QWidget* { return m_frame.get(); }),
      m_store(m_programFolder) {
    InitAppResources();
    // Qt's own dialogs (file choice, printing) speak Japanese as the program does.
    m_qtTranslator = std::make_unique<QTranslator>();
    if (m_qtTranslator->load(QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qtTranslator.get());
    QCoreApplication::setOrganizationName(QString::fromUtf8(vemo::app::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromUtf8(platformtext::kAppName));
    m_previousHost = SetHost(&m_host);
    m_previousMasterDialogs = SetMasterDialogs(&m_masterDialogs);
    m_masterDialogs.SetDetailPrintSetup([this] { return DetailPrintSetup(); });
    m_commands.SetRoute([this] { return CommandRoute(); });
    // The window of a wait for lock files handles events: a command given meanwhile runs after it.
    m_commands.SetHold([this] { return m_store.LockWaitShown(); });
    RegisterCommands();

    // What an estimate names is stored with it: an estimate made to name another file is modified.
    m_store.setDocumentsMasterFolder = [this](const std::string& folder) {
        for (CVemoWinView* w : EstimateWindows()) {
            CVemoWinView::ChangeMark mark(*w);
            w->GetDocument()->GetItemList()->m_strMasterFolder = folder;
        }
    };
    m_store.setActiveDocumentZairyoPath = [this](const std::string& path) {
        CVemoWinView* w = ActiveEstimateWindow();
        if (!w) return false;
        CVemoWinView::ChangeMark mark(*w);
        w->GetDocument()->GetItemList()->m_strZairyoFile = path;
        RefreshDocumentZairyoTanka();
        w->OnUpdate();
        return true;
    };
}

CVemoWinApp::~CVemoWinApp() {
    ExitInstance();
    if (m_started) qApp->removeEventFilter(this);
    m_frame.reset();
    // After the estimates: their reports close their previews through it.
    if (m_reportOutput && &ReportOutput() == m_reportOutput.get()) SetReportOutput(m_previousReportOutput);
    m_reportOutput.reset();
    SetMasterDialogs(m_previousMasterDialogs);
    SetHost(m_previousHost);
}

CSharedMasters CVemoWinApp::SharedMasters() const {
    return {m_store.GetBukakeFile(), m_store.GetHenkaritsuFile(), m_store.GetTankaFile(), m_store.GetShokeihiFile(),
            m_store.GetProgramKingakuFile()};
}

std::string CVemoWinApp::FindZairyoTankaFile(const std::string& dataFolder) const {
    return FindNewestZairyoTankaFile(dataFolder);
}

// ---------------------------------------------------------------------------------------------
// Start-up and shutdown

bool CVemoWinApp::IsPrintOption(const QString& arg) {
    const QString option = arg.toLower();
    return option == QLatin1String("/p") || option == QLatin1String("-p");
}

bool CVemoWinApp::IsFileArgument(const QString& arg) {
    return !IsSplashOption(arg) && !IsPrintOption(arg) && !arg.startsWith(QLatin1Char('-'));
}

bool CVemoWinApp::InitInstance() {
    m_started = true;
    InstallReportOutput();
    // The command line: a file to open, and the framework's options to leave out the splash.
    QString file;
    bool print = false;
    for (const QString& arg : m_args) {
        if (IsSplashOption(arg))
            CSplashWnd::EnableSplashScreen(false);
        else if (IsPrintOption(arg))
            print = true;
        else if (file.isEmpty() && IsFileArgument(arg))
            file = arg;
    }
    if (file.isEmpty()) print = false;
    // Reading the settings changes the current folder: a file named relative to where the
    // program was started is made absolute first.
    if (!file.isEmpty()) file = QFileInfo(QDir::fromNativeSeparators(file)).absoluteFilePath();
    m_recent.Load(m_profile, platformtext::kAppName);

    // The main window; its creation reads the settings.
    m_frame = std::make_unique<CMainFrame>(m_commands, m_settings, m_profile);
    m_frame->OnCreate();
    m_host.SetOwner(m_frame.get());
    m_host.SetStatusSink([this](int pane, const QString& text) {
        if (m_frame) m_frame->StatusBar()->SetPaneText(pane, text);
    });
    const auto replaced = m_frame->LoadSettings(m_programFolder, m_store.DefaultMasterDataFolder());
    m_store.SetMasterDataFolder(m_settings.masterDataFolder);
    m_store.SetZairyoTankaPath(m_settings.zairyoTankaPath);
    m_frame->UpdateRecentFileMenu(m_recent);
    m_frame->onFilesDropped = [this](const QStringList& paths) {
        for (const QString& p : paths) OpenDocumentFile(p.toStdString());
    };
    m_frame->beforeSaveSettings = [this] {
        RestoreZairyoTankaFile();
        m_settings.masterDataFolder = m_store.GetMasterDataFolder();
        m_settings.zairyoTankaPath = m_store.GetZairyoTankaPath();
    };
    // No estimate window closes while a preview of its report is open, whichever is active.
    m_frame->canClose = [this] {
        if (m_endCode) return true;
        for (CVemoWinView* w : EstimateWindows())
            if (w->RefuseWhilePreviewOpen()) return false;
        return true;
    };
    m_frame->onChildClosed = [this] { OnChildClosed(); };
    m_frame->onChildActivated = [this](QWidget* view) {
        if (auto* estimate = qobject_cast<CVemoWinView*>(view); estimate && estimate != m_activatedView)
            OnViewActivated(estimate);
    };
    qApp->installEventFilter(this);
    // Texts read from CP932 keep their code marks inside the program: in its fields and off its clipboard.
    CCodeMarkGuard::Install();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &CVemoWinApp::OnCommitDataRequest, Qt::DirectConnection);

    // The splash window stays while the updater runs and the masters load, so that a wait for lock
    // files that other programs keep is seen; a key or a click closes it earlier, and so does the
    // first window shown over it (see eventFilter).
    CSplashWnd::ShowSplashScreen(m_frame.get());
    {
        CWaitCursor wait;
        upvane::Run(m_programFolder, upvane::kStartUp, true);
    }

    // The masters, their locks, the material prices and the cover data.
    const bool loaded = m_store.LoadMastersAtStartup();
    CSplashWnd::HideSplashScreen();
    if (!loaded) return false;
    if (!replaced.empty()) AfxMessageBox(ReplacedPathsNotice(replaced), MsgButtons::Ok, MsgIcon::Information);
    m_frame->SetMessagePaneText(QString::fromUtf8(mastertext::kStatusHelpHint));

    if (!file.isEmpty() && !OpenDocumentFile(QDir::fromNativeSeparators(file).toStdString())) return false;
    // The print form of the command line: the estimate is printed and the program ends, its window
    // never shown.
    if (print) {
        if (CVemoWinView* view = ActiveEstimateWindow()) m_printed = view->PrintDirect();
        return false;
    }

    m_frame->ShowMainWindow();
    m_store.ShowMasterFolderInStatus();
    m_store.ShowTankaSetInStatus();
    m_store.ShowZairyoTankaInStatus();
    m_previousZairyoPath.clear();
    m_screenColorDepth = GetScreenColorDepth();
    // The automatic master-data update ("AutoVerup.txt" beside the program; nothing when absent).
    const MoveRecord recordBefore = CurrentMoveRecord();
    CMasterUpdater(m_store).RunAutoVerup();
    CheckMovedRowsSince(recordBefore, CurrentMoveRecord());
    m_commands.UpdateActions();
    return true;
}

int CVemoWinApp::ExitInstance() {
    if (m_exited) return 0;
    m_exited = true;
    // The release's wait window handles events: files handed over meanwhile are not opened but left
    // to a program that starts for them.
    m_channel.reset();
    m_store.ReleaseAllLocks();
    m_settings.formList.clear();
    if (m_started) m_recent.Save(m_profile, platformtext::kAppName);
    m_profile.Sync();
    return 0;
}

bool CVemoWinApp::EndOnSignals() {
    // The exit code tells the signal as a shell tells it: 128 + its number.
    if (!m_exitSignals)
        m_exitSignals = std::make_unique<CExitSignals>([this](int signal) { EndWithoutQuestions(128 + signal); });
    return m_exitSignals->Installed();
}

int CVemoWinApp::Run() {
    // A signal during start-up has ended it already: the loop is not entered.
    const int code = m_endCode ? *m_endCode : QApplication::exec();
    if (!m_endCode) return code == 0 ? 0 : 1;
    if (m_frame && m_frame->isVisible()) m_frame->close();
    return *m_endCode;
}

void CVemoWinApp::EndWithoutQuestions(int code) {
    if (m_endCode) return;
    m_endCode = code;
    // The window closes after every loop has returned: a dialog's caller may still use what it shows.
    QCoreApplication::exit(code);
}

bool CVemoWinApp::SaveAllModified() {
    for (CVemoWinView* w : EstimateWindows())
        if (!w->GetDocument()->SaveModified()) return false;
    return true;
}

void CVemoWinApp::OnCommitDataRequest(QSessionManager& manager) {
    // The session ends only after this: the program asks about the modified estimates now, as on 終了,
    // when the session lets it (allowsInteraction waits for its turn), and a cancel keeps the session.
    // The end that follows asks nothing again (see eventFilter).
    bool modified = false;
    for (CVemoWinView* w : EstimateWindows()) modified = modified || w->GetDocument()->IsModified();
    if (!modified || !manager.allowsInteraction()) return;
    const bool agreed = SaveAllModified();
    manager.release();
    if (!agreed) manager.cancel();
}

void CVemoWinApp::InstallReportOutput() {
    // The reports of every estimate preview and print through it, on its one printer.
    // An output installed before start-up (a test's) stays in place.
    if (m_reportOutput) return;
    if (IReportOutput* installed = SetReportOutput(nullptr)) {
        SetReportOutput(installed);
        return;
    }
    m_reportOutput = std::make_unique<CQtReportOutput>();
    m_previousReportOutput = SetReportOutput(m_reportOutput.get());
}

bool CVemoWinApp::ListenForFiles(const QString& channelName) {
    m_channel = std::make_unique<CInstanceChannel>();
    m_channel->onFiles = [this](const QStringList& files) { HandOver(files); };
    return m_channel->Listen(channelName);
}

void CVemoWinApp::HandOver(const QStringList& files) {
    m_handedOver << files;
    OpenHandedOverFiles();
}

void CVemoWinApp::OpenHandedOverFiles() {
    // Not while a dialog of the program waits for an answer, nor while a wait for lock files is shown:
    // the files are opened after it.
    if (QApplication::activeModalWidget() || m_store.LockWaitShown()) {
        QTimer::singleShot(500, this, [this] { OpenHandedOverFiles(); });
        return;
    }
    const QStringList files = std::exchange(m_handedOver, {});
    if (files.isEmpty() || !m_frame || m_exited) return;
    if (m_frame->isMinimized()) m_frame->showNormal();
    m_frame->raise();
    m_frame->activateWindow();
    for (const QString& file : files) OpenDocumentFile(file.toStdString());
}

bool CVemoWinApp::eventFilter(QObject* watched, QEvent* event) {
    // The desktop session ends the program (Qt's quit) while its window is open: the session has had
    // its answers (OnCommitDataRequest), and a question now would hold the session up.
    if (watched == qApp && event->type() == QEvent::Quit && m_frame && m_frame->isVisible()) {
        EndWithoutQuestions(0);
        return true;
    }
    // The splash window gives way to the first window shown while it is up (a question, the wait for
    // lock files), which it would hide; it sees every key and mouse press first.
    if (CSplashWnd* splash = CSplashWnd::Current(); splash && event->type() == QEvent::Show && watched != splash) {
        const auto* window = qobject_cast<QWidget*>(watched);
        if (window && window->isWindow() &&
            (window->windowType() == Qt::Dialog || window->windowType() == Qt::Window))
            CSplashWnd::HideSplashScreen();
    }
    if (CSplashWnd::Current() && CSplashWnd::PreTranslateAppMessage(event)) return true;
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CVemoWinApp::RegisterCommands() {
    RegisterMasterDataCommands();
    RegisterMasterEditCommands();
    RegisterAppCommands();
    OnCommand(cmd::FileNew, [this] { OnFileNew(); });
    OnCommand(cmd::FileOpen, [this] { OnFileOpen(); });
    OnCommand(cmd::MasterDataSetting, [this] { OnMasterDataSetting(); });
    OnCommand(cmd::Hyoshi, [this] { OnHyoshi(0); });
    OnCommand(cmd::ZairyoTankaSetting, [this] { SelectZairyoTankaFile(); });
    OnCommand(cmd::CheckUpdate, [this] { RunUpdater(1); });
    OnCommand(cmd::CheckNotice, [this] { RunUpdater(0); });
    OnCommand(cmd::AppExit, [this] {
        if (m_frame) m_frame->close();
    });
    OnCommand(cmd::FileClose, [this] {
        if (!m_frame) return;
        if (QMdiSubWindow* w = m_frame->MdiClient()->activeSubWindow()) w->close();
    }, [this](CCmdUI& ui) { ui.enabled = ActiveEstimateWindow() != nullptr; });
    for (int i = 0; i < 4; ++i)
        OnCommand(cmd::FileMru1 + i, [this, i] {
            if (static_cast<size_t>(i) >= m_recent.Files().size()) return;
            std::string path = m_recent.Files()[static_cast<size_t>(i)];
            if (!OpenDocumentFile(path)) {
                m_recent.Remove(static_cast<size_t>(i));
                if (m_frame) m_frame->UpdateRecentFileMenu(m_recent);
            }
        });
    OnCommand(cmd::SokatsuPrintRows, [this] {
        CNumberInputDlg dialog(m_frame.get());
        dialog.SetMode(5);
        int rows = m_settings.formGyou;
        dialog.SetValue(rows >= 1 && rows <= 30 ? rows : 10);
        if (dialog.DoModal() == QDialog::Accepted && dialog.GetValue() != kUnset) m_settings.formGyou = dialog.GetValue();
    });
    OnCommand(cmd::TableWidth, [this] {
        CNumberInputDlg dialog(m_frame.get());
        dialog.SetMode(11);
        dialog.SetCaption(QString::fromUtf8(apptext::kTableWidthCaption));
        dialog.SetUnit(QString::fromUtf8(dialogtext::kTimesUnit));
        dialog.SetValue(static_cast<int>(m_settings.spWidthWari * 1000 + 0.000001));
        if (dialog.DoModal() == QDialog::Accepted && dialog.GetValue() != kUnset)
            m_settings.spWidthWari = dialog.GetValue() / 1000.0;
    });
}

std::vector<CCommandTarget*> CVemoWinApp::CommandRoute() const {
    std::vector<CCommandTarget*> route;
    if (CVemoWinView* w = ActiveEstimateWindow()) {
        route.push_back(w);
        route.push_back(w->GetDocument());
    }
    if (m_frame) route.push_back(m_frame.get());
    route.push_back(const_cast<CVemoWinApp*>(this));
    return route;
}

void CVemoWinApp::RunUpdater(int fromUser) { upvane::Run(m_programFolder, fromUser, false); }

int CVemoWinApp::OnMasterDataSetting() {
    const MoveRecord before = CurrentMoveRecord();
    const int chosen = m_store.SelectMasterFolder(0);
    CheckMovedRowsSince(before, CurrentMoveRecord());
    return chosen;
}

int CVemoWinApp::LoadFormText(CPrintFormText& text) const {
    const auto& forms = m_settings.formList;
    if (m_settings.formType < 0 || static_cast<size_t>(m_settings.formType) >= forms.size()) return -1;
    return LoadPrintFormText(forms[static_cast<size_t>(m_settings.formType)], text);
}

// ---------------------------------------------------------------------------------------------
// Estimates

std::vector<CVemoWinView*> CVemoWinApp::EstimateWindows() const {
    std::vector<CVemoWinView*> windows;
    if (!m_frame) return windows;
    for (QWidget* view : m_frame->ChildViews())
        if (auto* w = qobject_cast<CVemoWinView*>(view)) windows.push_back(w);
    return windows;
}

CVemoWinView* CVemoWinApp::ActiveEstimateWindow() const {
    return m_frame ? qobject_cast<CVemoWinView*>(m_frame->GetActiveChildView()) : nullptr;
}

CVemoWinView* CVemoWinApp::AddEstimateWindow(std::unique_ptr<CVemoWinDoc> doc) {
    CVemoWinDoc* raw = doc.get();
    // Priced with the current material prices until it names a file of its own.
    raw->SetCalcContext(
        std::make_unique<CEstimateCalcContext>(SharedMasters(), m_settings, m_store.GetZairyoTankaFile()));
    auto* view = new CVemoWinView(*this, std::move(doc));
    CChildFrame* frame = m_frame->AddChildFrame(view, raw->GetTitle());
    frame->canClose = [this, raw, view] {
        return m_endCode || (!view->RefuseWhilePreviewOpen() && raw->SaveModified());
    };
    // The new window is the active one, whether or not the window system has said so yet.
    if (m_activatedView != view) OnViewActivated(view);
    m_commands.UpdateActions();
    return view;
}

void CVemoWinApp::OnViewActivated(CVemoWinView* view) {
    m_activatedView = view;
    view->OnActivateView();
    // The message pane tells the 安全費 rate of the current row of the estimate now in front.
    view->ShowAnzenhiRate();
}

void CVemoWinApp::AddRecentFile(const std::string& path) {
    m_recent.Add(path);
    if (m_frame) m_frame->UpdateRecentFileMenu(m_recent);
}

CVemoWinDoc* CVemoWinApp::OnFileNew() {
    auto doc = std::make_unique<CVemoWinDoc>();
    doc->OnNewDocument(++m_newCount);
    // The header takes the current master data where it names none. The remembered program-wide
    // material-price file stays: a new estimate does not switch the prices.
    CSekisanItemList* list = doc->GetItemList();
    if (list->m_strMasterFolder.empty()) list->m_strMasterFolder = m_store.GetMasterDataFolder();
    if (IsUnset(list->m_nTankaColumn)) list->m_nTankaColumn = m_store.GetTankaFile().m_defaultColumn;
    if (list->m_strZairyoFile.empty()) list->m_strZairyoFile = m_store.GetZairyoTankaPath();
    CVemoWinDoc* raw = doc.get();
    CVemoWinView* view = AddEstimateWindow(std::move(doc));
    view->LayoutGrid();
    view->ApplyColourDepth();
    view->RefreshHeader();
    WatchDocument(raw);
    return raw;
}

void CVemoWinApp::WatchDocument(CVemoWinDoc* doc) {
    // A saved estimate goes to the top of the recent files, as an opened one does.
    connect(doc, &CVemoWinDoc::Saved, this, [this](const QString& path) { AddRecentFile(path.toStdString()); });
}

void CVemoWinApp::OnFileOpen() {
    std::string chosen;
    std::string initial = vemo::JoinPath(QDir::currentPath().toStdString(), apptext::kDefaultOpenName);
    if (!Host().ChooseOpenFile(apptext::kOpenTitle, apptext::kEstimateFilter, initial, chosen)) return;
    // The folder chosen becomes the one the next file dialog starts in (and the one remembered).
    QDir::setCurrent(QString::fromStdString(vemo::ParentFolder(chosen)));
    OpenDocumentFile(chosen);
}

CVemoWinDoc* CVemoWinApp::OpenDocumentFile(const std::string& path) {
    CVemoWinView* view = nullptr;
    for (CVemoWinView* w : EstimateWindows())
        if (!w->GetDocument()->GetPathName().empty() && vemo::SameFile(w->GetDocument()->GetPathName(), path)) {
            // An open estimate is activated and its master data reconciled as on a first opening:
            // another estimate may have switched the material prices since.
            const QPointer<CVemoWinView> before = m_activatedView;
            m_frame->MdiClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
            if (m_activatedView == before) OnViewActivated(w);
            view = w;
            break;
        }
    const bool opened = !view;
    if (opened) {
        auto doc = std::make_unique<CVemoWinDoc>();
        if (!doc->OnOpenDocument(path)) return nullptr;
        view = AddEstimateWindow(std::move(doc));
        WatchDocument(view->GetDocument());
        AddRecentFile(path);
    }
    const MoveRecord recordBefore = CurrentMoveRecord();
    MoveRecord record = recordBefore;
    {
        // The folder and the material prices the estimate is made to name are a change of it, and so
        // are the rows pointed at the codes their entries took in an update.
        CVemoWinView::ChangeMark mark(*view);
        ReconcileMasterFolder(*view->GetDocument());
        if (m_store.GetMasterDataFolder() != recordBefore.folder) record = CurrentMoveRecord();
        CheckMovedRows(*view, record.moves);
        ReconcileZairyoTanka(*view->GetDocument());
    }
    // A switch to the estimate's folder is one for every open estimate.
    CheckMovedRowsSince(recordBefore, record, view);
    view->LayoutGrid();
    view->ApplyColourDepth();
    view->RefreshHeader();
    // Amounts past their limits are told once, with the masters the estimate is priced with.
    if (opened) view->CheckOpenedLimits();
    return view->GetDocument();
}

void CVemoWinApp::ReconcileMasterFolder(CVemoWinDoc& doc) {
    CSekisanItemList* list = doc.GetItemList();
    const std::string current = m_store.GetMasterDataFolder();
    if (vemo::AsciiUpper(list->m_strMasterFolder) == vemo::AsciiUpper(current)) return;
    CMasterSelectDlg dialog(m_frame.get());
    dialog.SetOldFolder(QString::fromStdString(list->m_strMasterFolder));
    dialog.SetNewFolder(QString::fromStdString(current));
    if (dialog.DoModal() != IDOK) return;
    const std::string folder = dialog.GetNewFolder().toStdString();
    m_store.SetMasterDataFolder(folder);
    list->m_strMasterFolder = folder;
    m_store.SerializeBukakeFile(0, nullptr, "");
    m_store.SerializeHenkaritsuFile(0, nullptr, "");
    m_store.ShowMasterFolderInStatus();
}

CVemoWinApp::MoveRecord CVemoWinApp::CurrentMoveRecord() const {
    const std::string folder = m_store.GetMasterDataFolder();
    return {folder, ReadMoveRecord(folder)};
}

void CVemoWinApp::CheckMovedRows(CVemoWinView& view, const std::vector<BukakeMoveLine>& moves) {
    if (moves.empty()) return;
    const MovedRowsCheck check = RepointMovedRows(*view.GetItemList(), moves, m_store.GetBukakeFile());
    if (check.Empty()) return;
    AfxMessageBox(MovedRowsMessage(check, view.GetDocument()->GetTitle().toStdString()), MsgButtons::Ok,
                  check.left.empty() ? MsgIcon::Information : MsgIcon::Exclamation);
}

void CVemoWinApp::CheckMovedRowsSince(const MoveRecord& before, const MoveRecord& now, CVemoWinView* skip) {
    if (now == before) return;
    for (CVemoWinView* w : EstimateWindows()) {
        if (w == skip) continue;
        {
            CVemoWinView::ChangeMark mark(*w);
            CheckMovedRows(*w, now.moves);
        }
        w->OnUpdate();
    }
}

void CVemoWinApp::ReconcileZairyoTanka(CVemoWinDoc& doc) {
    // The view's activation has made the file the estimate names the one in use (or the estimate
    // has taken the file in use); an estimate naming none takes it now.
    CSekisanItemList* list = doc.GetItemList();
    if (list->m_strZairyoFile.empty()) list->m_strZairyoFile = m_store.GetZairyoTankaPath();
    RefreshDocumentZairyoTanka();
    m_store.ShowZairyoTankaInStatus();
}

void CVemoWinApp::RefreshDocumentZairyoTanka() {
    // Every estimate naming the material-price file now in use (or none) is priced with the store's
    // copy of it; the others keep the prices of their own files.
    const std::string current = m_store.GetZairyoTankaPath();
    for (CVemoWinView* w : EstimateWindows()) {
        CVemoWinDoc* doc = w->GetDocument();
        const std::string& named = doc->GetItemList()->m_strZairyoFile;
        if (doc->CalcContext() && (named.empty() || vemo::SamePath(named, current)))
            doc->CalcContext()->ZairyoTanka() = m_store.GetZairyoTankaFile();
    }
}

void CVemoWinApp::OnChildClosed() {
    if (!EstimateWindows().empty()) return;
    m_store.ShowTankaSetInStatus();
    RestoreZairyoTankaFile();
}

int CVemoWinApp::RestoreZairyoTankaFile() {
    if (m_previousZairyoPath.empty() || m_previousZairyoPath == m_store.GetZairyoTankaPath()) return 1;
    m_store.LockZairyoTankaFile(0, 1);
    m_store.SetZairyoTankaPath(m_previousZairyoPath);
    m_store.SerializeZairyoTankaFile(0, nullptr, "");
    m_store.ShowZairyoTankaInStatus();
    m_previousZairyoPath.clear();
    return m_store.LockZairyoTankaFile(1, 1);
}

int CVemoWinApp::SelectZairyoTankaFile(const std::string& kept) {
    const std::string before = kept.empty() ? m_store.GetZairyoTankaPath() : kept;
    for (;;) {
        CZairyoTankaSettingDlg dialog(m_frame.get());
        dialog.SetPath(before);
        if (dialog.DoModal() != IDOK) return 0;
        const std::string chosen = dialog.GetPath();
        CZairyoTankaFile loaded;
        if (!vemo::FileExists(chosen) || !m_store.SerializeZairyoTankaFile(0, &loaded, chosen)) continue;
        m_store.LockZairyoTankaFile(0, 1);
        m_store.GetZairyoTankaFile() = std::move(loaded);
        m_store.SetZairyoTankaPath(chosen);
        break;
    }
    const bool changed = m_store.GetZairyoTankaPath() != before;
    if (!m_store.LockZairyoTankaFile(1, 1) && changed)
        AfxMessageBox(std::string(mastertext::kLocksRefused) + mastertext::kEditorZairyoTanka, MsgButtons::Ok,
                      MsgIcon::Exclamation);
    if (changed) m_store.ShowZairyoTankaInStatus();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Business areas

void CVemoWinApp::GetGyomuCodes(std::vector<uint8_t>& codes, bool withCommon, int exclude) {
    ::GetGyomuCodes(codes, withCommon, exclude);
}

std::string CVemoWinApp::GetGyomuAreaText() { return apptext::kGyomuAreaText; }

int GetScreenColorDepth() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}
