// The application's own commands that need no master editor: the about box, help, the web
// pages, the 物件調査 switch, the options dialog, the company-name and initial unit-price dialog
// with its save, the print-form list and the print set-up.
#include "app/AboutDlg.h"
#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "app/EditorLauncher.h"
#include "app/MainFrame.h"
#include "app/OptionDlg.h"
#include "app/ShameiInputDlg.h"
#include "app/ShellOpen.h"
#include "app/VemoWinApp.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "report/qt/PrintFormDlg.h"
#include "report/qt/QtReportOutput.h"
#include "masteredit/MasterEditTexts.h"

void CVemoWinApp::RegisterAppCommands() {
    OnCommand(cmd::AppAbout, [this] { OnAppAbout(); });
    OnCommand(cmd::Help, [this] { OnHelp(); });
    OnCommand(cmd::SupportInfo, [] { ShellOpenPage(apptext::kSupportUrl); });
    OnCommand(cmd::TechInfo, [] { ShellOpenPage(apptext::kTechInfoUrl); });
    OnCommand(cmd::EnableBukken, [this] { OnEnableBukken(); });
    // The form manager is no longer part of the program: the command is kept, shown disabled.
    OnCommand(cmd::ShowFormManager, [] {}, [](CCmdUI& ui) { ui.enabled = false; });
    OnCommand(cmd::Option, [this] { OnOption(); });
    OnCommand(cmd::ShameiInput, [this] { OnShameiInput(); });
    OnCommand(cmd::PrintFormSetting, [this] { OnPrintFormSetting(); },
              [this](CCmdUI& ui) { ui.enabled = !m_settings.formList.empty(); });
    OnCommand(cmd::FilePrintSetup, [this] { OnFilePrintSetup(); });
}

std::string CVemoWinApp::ManualPath() const {
    return vemo::JoinPath(vemo::JoinPath(m_programFolder, "manual"), "manual.pdf");
}

void CVemoWinApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.get());
    dialog.SetMasters({&m_store.GetBukakeFile(), &m_store.GetHenkaritsuFile(), &m_store.GetTankaFile(),
                       &m_store.GetShokeihiFile(), &m_store.GetProgramKingakuFile(), &m_store.GetHyoshiData(),
                       &m_store.GetZairyoTankaFile()});
    dialog.SetProgramFolder(m_programFolder);
    dialog.DoModal();
}

void CVemoWinApp::OnHelp() { ShellOpenFile(ManualPath()); }

void CVemoWinApp::OnEnableBukken() {
    m_settings.norinHoshoUse =
        AfxMessageBox(apptext::kAskEnableBukken, MsgButtons::YesNo, MsgIcon::Information) == IDYES ? 1 : 0;
}

void CVemoWinApp::OnOption() {
    COptionDlg dialog(m_frame.get());
    dialog.SetValues(OptionValuesOf(m_settings));
    dialog.SetNorinHoshoUse(m_settings.norinHoshoUse);
    // The estimates are priced with these settings: the next recalculation sees the change.
    if (dialog.DoModal() == IDOK) ApplyOptionValues(dialog.GetValues(), m_settings);
}

void CVemoWinApp::OnShameiInput() {
    CShameiInputDlg dialog(m_frame.get());
    EditorResult result = EditMaster<CTankaFile>(
        m_store, dialog, masteredittext::kAskOverwriteTankaFile,
        [](CShameiInputDlg& d, const CTankaFile& tanka) { d.SetTankaFile(tanka); },
        [](CShameiInputDlg& d) { return d.GetTankaFile(); });
    if (result != EditorResult::kCancelled) m_store.ShowTankaSetInStatus();
}

void CVemoWinApp::OnPrintFormSetting() {
    CPrintFormDlg dialog(m_frame.get());
    dialog.SetFormList(m_settings.formList);
    if (dialog.DoModal() != IDOK) return;
    dialog.GetFormList(m_settings.formList);
    // The selected form may have left the list.
    m_settings.formType = ClampFormType(m_settings.formType, m_settings.formList.size());
}

void CVemoWinApp::OnFilePrintSetup() {
    // The page set-up of the printer the reports print to (the installed Qt output's).
    if (auto* output = dynamic_cast<CQtReportOutput*>(&ReportOutput())) output->PageSetup(m_frame.get());
}
