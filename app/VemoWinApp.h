#pragma once
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "app/AppMasterDialogs.h"
#include "app/AppSettings.h"
#include "app/CommandRegistry.h"
#include "app/InitialSelection.h"
#include "app/MasterFolderDlg.h"
#include "app/QtHost.h"
#include "app/QtSettings.h"
#include "app/RecentFileList.h"
#include "estimate/EstimateCalcContext.h"
#include "master/BukakeMoveRecord.h"
#include "master/MasterStore.h"
#include "report/BukakeDetailSheets.h"
#include "report/PrintFormText.h"

class CExitSignals;
class CInstanceChannel;
class CMainFrame;
class CQtReportOutput;
class IReportOutput;
class QSessionManager;
class QTranslator;
class CVemoWinDoc;
class CVemoWinView;

// The application object: starts the program (settings, main window, splash and updater, the
// master data with its locks, the file named on the command line), opens and creates estimates,
// keeps the program-wide material-price file, and releases the master-file locks at the end. It
// gives every open estimate the context it is priced with: the store's masters, the estimate's own
// material prices and the live settings.
//
// A QApplication must exist before it is made.
class CVemoWinApp : public QObject, public CCommandTarget, public IMasterFolderHost {
    Q_OBJECT
public:
    // args: the program's arguments without the program name. programFolder: where the program
    // and its data lie (empty: the folder of the running program).
    explicit CVemoWinApp(QStringList args, std::string programFolder = std::string());
    ~CVemoWinApp() override;

    // Whether a command-line argument names a file (the others are the splash options and the
    // print option, "/p" or "-p" before the file to print).
    static bool IsFileArgument(const QString& arg);
    static bool IsPrintOption(const QString& arg);
    // True after start-up printed the file the command line named (start-up then returns false:
    // the program ends).
    bool PrintedFromCommandLine() const { return m_printed; }

    // Start-up; false ends the program (ExitInstance still runs).
    bool InitInstance();
    // Shutdown: releases the six master-file locks and keeps the recent files. Safe to call twice.
    int ExitInstance();
    // Opens the files another start of the program hands over on that local socket (see
    // InstanceChannel.h); false when the socket cannot be made.
    bool ListenForFiles(const QString& channelName);
    // Files another start of the program hands over: opened now, or once the dialog that waits for an
    // answer, or the wait for lock files, is over.
    void HandOver(const QStringList& files);
    // SIGTERM, SIGHUP and SIGINT end the program from now on, without a question (see Run); false
    // when they cannot be caught.
    bool EndOnSignals();
    // The event loop of a started program, until the main window closes (0, or 1 when the loop
    // failed) or the program is told to end: by a signal (128 + its number) or by the desktop
    // session (0), which has asked about the modified estimates before (see SaveAllModified). Told
    // to end, the program closes its main window as 終了 does but asks nothing: any dialog open at
    // the time gives way as if cancelled, and the changes of modified estimates are not saved.
    int Run();
    // Each modified estimate is offered for saving, as on 終了; false when one was cancelled (the
    // rest are not asked). Nothing closes.
    bool SaveAllModified();

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CMasterDataStore& Store() { return m_store; }
    CAppSettings& Settings() { return m_settings; }
    CQtHost& HostImpl() { return m_host; }
    CCommandRegistry& Commands() { return m_commands; }
    const CRecentFileList& RecentFiles() const { return m_recent; }

    // Opens an estimate (or activates it when it is open already); null when it cannot be read.
    CVemoWinDoc* OpenDocumentFile(const std::string& path);
    // A new estimate with the current master data; the new document.
    CVemoWinDoc* OnFileNew();
    void OnFileOpen();
    int OnMasterDataSetting();
    // The Help menu and the application's settings dialogs.
    void OnAppAbout();
    void OnHelp();
    void OnEnableBukken();
    void OnOption();
    void OnShameiInput();
    // The launchers of the master editors: the 諸経費, プログラム金額, common 業務-list, 単価 and
    // 変化率・補正率 editors.
    void OnShokeihiEdit();
    void OnHenkaritsuEdit();
    void OnTankaEdit();
    void OnProgramKingakuEdit();
    void OnGyomuEdit();
    // The material-price file editor, which loads and saves its file itself; the program-wide
    // material prices are loaded again whenever it wrote their file.
    void OnZairyoTankaEdit();
    void OnBukakeEdit();
    // 業務 codes the 諸経費 editor offers: those of GetGyomuCodes without 1, 4 and 6.
    static std::vector<uint8_t> ShokeihiEditGyomuCodes();
    // The print-form list (印刷フォームの設定) and Qt's page set-up on the reports' printer (印刷設定).
    void OnPrintFormSetting();
    void OnFilePrintSetup();
    // The report output installed at start-up: the preview windows and the printer of every
    // report; null before start-up.
    CQtReportOutput* ReportOutputImpl() const { return m_reportOutput.get(); }
    // The manual the help command opens: manual/manual.pdf beside the program.
    std::string ManualPath() const;
    // 表紙設定・印刷 (HyoshiCommand.cpp): the cover-sheet dialog on a copy of the cover data. Mode 0
    // asks before the cover file is rewritten and takes the chosen form; mode 1 (entry only, before a
    // preview) saves without asking and leaves the form. IDOK when the dialog ended with OK.
    int OnHyoshi(int mode = 0);
    // The estimate windows, in the order they were opened.
    std::vector<CVemoWinView*> EstimateWindows() const;
    CVemoWinView* ActiveEstimateWindow() const;

    // The program-wide material-price file while an estimate has switched to its own ("" when none).
    std::string GetPreviousZairyoTankaPath() const { return m_previousZairyoPath; }
    void SetPreviousZairyoTankaPath(const std::string& path) { m_previousZairyoPath = path; }
    // The material-price files in use whose disappearance the user has been told of: each is told
    // once, and again only after it has opened again.
    std::set<std::string>& VanishedZairyoFilesTold() { return m_vanishedZairyoTold; }
    // Bits per pixel of the screen, stored at the end of start-up (unset before); the estimate
    // view adjusts its grid colours at 8.
    int ScreenColorDepth() const { return m_screenColorDepth; }
    // Switches back to the program-wide material-price file (its lock with it); the lock's result.
    int RestoreZairyoTankaFile();
    // The material-price file in use chosen by the user in the setting dialog (path and title),
    // seeded with kept (empty: the file in use); 1 chosen, 0 cancelled. A file that does not load is
    // asked for again; the file in use stays loaded and locked until another one has loaded. The
    // command of the application and the estimate view's share it.
    int SelectZairyoTankaFile(const std::string& kept = std::string());
    // Title word of the 代価 sheets (empty: "一位代価表"); a change is seen by the next recalculation.
    std::string GetDaikaName() const { return m_settings.DaikaName; }
    void SetDaikaName(const std::string& name) { m_settings.DaikaName = name; }

    // 業務 codes offered in 業務 lists (those of the master-data core) and the business-area label.
    static void GetGyomuCodes(std::vector<uint8_t>& codes, bool withCommon, int exclude);
    static std::string GetGyomuAreaText();
    // The initial 工種 selection list of a 業務 from the file beside the program (see
    // InitialSelection.h); 0 or -1.
    int LoadInitialSelection(int gyomuCode, std::span<int> values, int variant) const {
        return ::LoadInitialSelection(m_programFolder, gyomuCode, values, variant);
    }
    // 0 when the text twin of the selected print form can be read, -1 otherwise.
    int CheckFormTextFile() const { return ::CheckFormTextFile(m_settings.formList, m_settings.formType); }
    // Reads the text twin of the selected print form into text: 0 when read, -1 when it cannot be
    // opened (text unchanged).
    int LoadFormText(CPrintFormText& text) const;
    // What the 歩掛 detail dialogs print their 代価 and 明細 with: the selected print form (empty when
    // none is selected) and the calculation settings.
    CBukakeDetailPrintSetup DetailPrintSetup() const;

    // The masters every open estimate is priced with (one master-data folder for all).
    CSharedMasters SharedMasters() const;
    // Every estimate that names the material-price file in use (or none) takes the store's copy of
    // it again, after that copy changed.
    void RefreshDocumentZairyoTanka();

    // IMasterFolderHost
    std::string GetMasterDataFolder() const override { return m_store.GetMasterDataFolder(); }
    std::string FindZairyoTankaFile(const std::string& dataFolder) const override;

private:
    void RegisterCommands();
    void RegisterMasterDataCommands();
    void RegisterMasterEditCommands();
    void RegisterAppCommands();
    void InstallReportOutput();
    void RefreshMasterPanes();
    std::vector<CCommandTarget*> CommandRoute() const;
    CVemoWinView* AddEstimateWindow(std::unique_ptr<CVemoWinDoc> doc);
    // An estimate window became the active one (its view's activation runs once per change).
    void OnViewActivated(CVemoWinView* view);
    void ReconcileMasterFolder(CVemoWinDoc& doc);
    // The master-data folder in use and the moves recorded beside it, read once for the checks below.
    struct MoveRecord {
        std::string folder;
        std::vector<BukakeMoveLine> moves;
        bool operator==(const MoveRecord&) const = default;
    };
    MoveRecord CurrentMoveRecord() const;
    // The rows of an estimate on codes that updates of the 歩掛 master took from user 工種 and 種別
    // (moves: the record of the master-data folder in use) are pointed at the new codes or left for
    // the user, who is told in one message. The caller marks the estimate modified (ChangeMark).
    void CheckMovedRows(CVemoWinView& view, const std::vector<BukakeMoveLine>& moves);
    // Checks every open estimate (but skip) against the record now when it is not the one before (the
    // folder changed, or an update added moves).
    void CheckMovedRowsSince(const MoveRecord& before, const MoveRecord& now, CVemoWinView* skip = nullptr);
    void ReconcileZairyoTanka(CVemoWinDoc& doc);
    void OnChildClosed();
    void RunUpdater(int fromUser);
    void AddRecentFile(const std::string& path);
    void WatchDocument(CVemoWinDoc* doc);
    void OpenHandedOverFiles();
    // Starts the end that asks nothing: every event loop, a dialog's too, returns code.
    void EndWithoutQuestions(int code);
    void OnCommitDataRequest(QSessionManager& manager);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QStringList m_args;
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<CInstanceChannel> m_channel;
    std::unique_ptr<CExitSignals> m_exitSignals;
    std::optional<int> m_endCode;  // set when the program is told to end
    QStringList m_handedOver;
    std::string m_programFolder;
    CQtSettings m_profile;
    CQtHost m_host;
    IHost* m_previousHost = nullptr;
    CAppMasterDialogs m_masterDialogs;
    IMasterDialogs* m_previousMasterDialogs = nullptr;
    std::unique_ptr<CQtReportOutput> m_reportOutput;
    IReportOutput* m_previousReportOutput = nullptr;
    CAppSettings m_settings;
    CCommandRegistry m_commands;
    mutable CMasterDataStore m_store;
    std::unique_ptr<CMainFrame> m_frame;
    CRecentFileList m_recent;
    std::string m_previousZairyoPath;
    std::set<std::string> m_vanishedZairyoTold;
    QPointer<CVemoWinView> m_activatedView;  // the view whose activation ran last
    int m_newCount = 0;
    bool m_exited = false;
    int m_screenColorDepth = kUnset;
    bool m_started = false;
    bool m_printed = false;
};

// Bits per pixel of the primary screen; 0 without a screen.
int GetScreenColorDepth();
