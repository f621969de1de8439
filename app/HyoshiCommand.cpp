// 表紙設定・印刷 (32788): the cover-sheet dialog on a copy of the application's cover data.
#include "app/AppTexts.h"
#include "app/MainFrame.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinView.h"
#include "master/MasterCommandSupport.h"
#include "platform/Host.h"
#include "report/qt/HyoshiDlg.h"

int CVemoWinApp::OnHyoshi(int mode) {
    CHyoshiDlg dialog(m_frame.get());
    dialog.SetFormList(m_settings.formList);
    dialog.SetFormIndex(m_settings.formType);
    dialog.SetMode(mode);
    dialog.SetHyoshiData(m_store.GetHyoshiData());
    dialog.SetTankaFile(&m_store.GetTankaFile());
    const CVemoWinView* active = ActiveEstimateWindow();
    dialog.SetItemList(active ? active->GetItemList() : nullptr);
    // A form checked in the list is the current form at once, whatever the dialog ends with.
    dialog.SetFormChosen([this](int formIndex) { m_settings.formType = formIndex; });
    if (dialog.DoModal() != IDOK) return IDCANCEL;
    if (mode != CHyoshiDlg::EntryOnly) {
        if (AfxMessageBox(apptext::kAskOverwriteHyoshiFile, MsgButtons::YesNo, MsgIcon::Exclamation) != IDYES)
            return IDCANCEL;
        m_settings.formType = dialog.GetFormIndex();
    }
    // A save that fails has told the user, and the cover data stays as the file has it.
    CHyoshiData edited;
    dialog.GetHyoshiData(edited);
    InstallAndSave(m_store.GetHyoshiData(), edited, [this] { return m_store.SerializeHyoshiFile(1, nullptr, "") == 1; });
    return IDOK;
}
