// The launchers of the master editors of the masteredit library. Each copies the masters its
// editor touches out of the store, runs the editor on the copies and, after OK and a Yes to its
// question, saves what came back through the store (EditorLauncher.h); Cancel or No writes nothing.
// The material-price file editor is the exception: it is given the file's path and saves the file
// itself, and its launcher reloads what it wrote.
#include <algorithm>

#include "app/CommandIds.h"
#include "app/EditorLauncher.h"
#include "app/MainFrame.h"
#include "app/VemoWinApp.h"
#include "masteredit/BukakeEditDlg.h"
#include "masteredit/GyomuEditDlg.h"
#include "masteredit/HenkaritsuEditDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ProgramKingakuEditDlg.h"
#include "masteredit/ShokeihiEditDlg.h"
#include "masteredit/TankaEditDlg.h"
#include "masteredit/ZairyoTankaEditDlg.h"

void CVemoWinApp::RegisterMasterEditCommands() {
    OnCommand(cmd::ShokeihiEdit, [this] { OnShokeihiEdit(); }, [](CCmdUI& ui) {
        // Enabled while the 業務 list offers 設計, 区画整理設計 or 物件調査.
        const std::vector<uint8_t> codes = ShokeihiEditGyomuCodes();
        ui.enabled = std::any_of(codes.begin(), codes.end(), [](uint8_t c) { return c == 2 || c == 7 || c == 3; });
    });
    OnCommand(cmd::ProgramKingakuEdit, [this] { OnProgramKingakuEdit(); });
    OnCommand(cmd::GyomuEdit, [this] { OnGyomuEdit(); });
    OnCommand(cmd::TankaEdit, [this] { OnTankaEdit(); });
    OnCommand(cmd::ZairyoTankaEdit, [this] { OnZairyoTankaEdit(); });
    OnCommand(cmd::BukakeEdit, [this] { OnBukakeEdit(); });
    OnCommand(cmd::HenkaritsuEdit, [this] { OnHenkaritsuEdit(); });
}

std::vector<uint8_t> CVemoWinApp::ShokeihiEditGyomuCodes() {
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 0);
    std::erase_if(codes, [](uint8_t c) { return c == 1 || c == 4 || c == 6; });
    return codes;
}

void CVemoWinApp::OnShokeihiEdit() {
    CShokeihiEditDlg dialog(m_frame.get());
    dialog.SetGyomuCodes(ShokeihiEditGyomuCodes());
    EditMaster<CShokeihiFile>(
        m_store, dialog, masteredittext::kAskOverwriteShokeihiFile,
        [](CShokeihiEditDlg& d, const CShokeihiFile& file) { d.SetShokeihiFile(file); },
        [](CShokeihiEditDlg& d) { return d.GetShokeihiFile(); });
}

void CVemoWinApp::OnProgramKingakuEdit() {
    CProgramKingakuEditDlg dialog(m_frame.get());
    EditMaster<CProgramKingakuFile>(
        m_store, dialog, masteredittext::kAskOverwriteProgramKingakuFile,
        [](CProgramKingakuEditDlg& d, const CProgramKingakuFile& file) { d.SetProgramKingakuFile(file); },
        [](CProgramKingakuEditDlg& d) { return d.GetProgramKingakuFile(); });
}

void CVemoWinApp::OnGyomuEdit() {
    CGyomuEditDlg dialog(m_frame.get());
    dialog.SetBukakeFile(m_store.GetBukakeFile());
    dialog.SetHenkaritsuFile(m_store.GetHenkaritsuFile());
    dialog.SetShokeihiFile(m_store.GetShokeihiFile());
    if (!RunEditorAndConfirm(dialog, masteredittext::kAskOverwriteGyomuFiles)) return;
    // The three lists are independent of each other: each master is saved on its own, in this
    // order, and one whose save fails (the store has said why) stays as it was while the others
    // are still saved.
    CBukakeFile bukake = dialog.GetBukakeFile();
    CHenkaritsuFile henkaritsu = dialog.GetHenkaritsuFile();
    CShokeihiFile shokeihi = dialog.GetShokeihiFile();
    InstallEditedMaster(m_store, bukake);
    InstallEditedMaster(m_store, henkaritsu);
    InstallEditedMaster(m_store, shokeihi);
}

void CVemoWinApp::OnTankaEdit() {
    CTankaEditDlg dialog(m_frame.get());
    dialog.SetBukakeFile(m_store.GetBukakeFile());
    dialog.SetTankaFile(m_store.GetTankaFile());
    dialog.ListPrint().SetProgramFolder(m_store.GetProgramFolder());
    if (!RunEditorAndConfirm(dialog, masteredittext::kAskOverwriteTankaFile)) return;
    CTankaFile tanka = dialog.GetTankaFile();
    if (!dialog.IsBukakeChanged()) {
        InstallEditedMaster(m_store, tanka);
        return;
    }
    // The 歩掛 references follow the trades' ids: both are saved, 歩掛 first, or neither.
    CBukakeFile bukake = dialog.GetBukakeFile();
    InstallEditedMasters(m_store, bukake, tanka);
}

void CVemoWinApp::OnZairyoTankaEdit() {
    CZairyoTankaEditDlg dialog(m_store, m_frame.get());
    dialog.SetPath(m_store.GetZairyoTankaPath());
    dialog.DoModal();
    // The editor may have written the program-wide file before a Cancel, too.
    if (!dialog.WroteFile(m_store.GetZairyoTankaPath())) return;
    if (m_store.SerializeZairyoTankaFile(0, nullptr, "")) {
        RefreshDocumentZairyoTanka();
        m_store.ShowZairyoTankaInStatus();
    }
    AfxMessageBox(masteredittext::kRecalcAfterZairyoTankaEdit, MsgButtons::Ok, MsgIcon::Exclamation);
}

void CVemoWinApp::OnBukakeEdit() {
    CBukakeEditDlg dialog(m_frame.get());
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 0);
    dialog.SetGyomuCodes(codes);
    dialog.SetBukakeFile(m_store.GetBukakeFile());
    dialog.SetHenkaritsuFile(m_store.GetHenkaritsuFile());
    dialog.SetTankaFile(m_store.GetTankaFile());
    dialog.SetZairyoTankaFile(m_store.GetZairyoTankaFile());
    dialog.ListPrint().SetProgramFolder(m_store.GetProgramFolder());
    dialog.SetDetailPrintSetup(DetailPrintSetup());
    if (dialog.DoModal() != IDOK) return;
    if (AfxMessageBox(mastertext::kAskOverwriteBukakeFile, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES) {
        CBukakeFile bukake = dialog.GetBukakeFile();
        InstallEditedMaster(m_store, bukake);
    }
    // The material prices a detail dialog edited are offered whatever the answer about the 歩掛.
    int changed = -1;
    CZairyoTankaFile zairyo = dialog.GetZairyoTankaFile(&changed);
    if (changed == -1) return;
    if (AfxMessageBox(masteredittext::kAskOverwriteZairyoTankaFile, MsgButtons::YesNo, MsgIcon::Exclamation) != IDYES)
        return;
    if (!InstallEditedMaster(m_store, zairyo)) return;
    RefreshDocumentZairyoTanka();
    AfxMessageBox(masteredittext::kRecalcAfterZairyoTankaEdit, MsgButtons::Ok, MsgIcon::Exclamation);
}

void CVemoWinApp::OnHenkaritsuEdit() {
    CHenkaritsuEditDlg dialog(m_frame.get());
    // 業務 5 (土質解析) shares the records of 業務 4 and is not offered apart.
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 1);
    dialog.SetGyomuCodes(codes);
    dialog.SetBukakeFile(m_store.GetBukakeFile());
    dialog.SetHenkaritsuFile(m_store.GetHenkaritsuFile());
    dialog.ListPrint().SetProgramFolder(m_store.GetProgramFolder());
    if (!RunEditorAndConfirm(dialog, masteredittext::kAskOverwriteHenkaritsuEdit)) return;
    CHenkaritsuFile henkaritsu = dialog.GetHenkaritsuFile();
    if (!dialog.IsBukakeChanged()) {
        InstallEditedMaster(m_store, henkaritsu);
        return;
    }
    // The 歩掛 references follow the records' codes: both are saved, 歩掛 first, or neither.
    CBukakeFile bukake = dialog.GetBukakeFile();
    InstallEditedMasters(m_store, bukake, henkaritsu);
}

CBukakeDetailPrintSetup CVemoWinApp::DetailPrintSetup() const {
    CBukakeDetailPrintSetup setup;
    const std::vector<std::string>& forms = m_settings.formList;
    if (m_settings.formType >= 0 && static_cast<size_t>(m_settings.formType) < forms.size())
        setup.formPath = forms[static_cast<size_t>(m_settings.formType)];
    setup.settings = m_settings;
    return setup;
}
