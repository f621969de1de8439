#include "app/AppMasterDialogs.h"

#include "app/MasterFolderDlg.h"
#include "masteredit/BukakeImportDlg.h"
#include "masteredit/HenkaritsuImportDlg.h"
#include "masteredit/ZairyoTankaSettingDlg.h"
#include "platform/Host.h"

CAppMasterDialogs::CAppMasterDialogs(IMasterFolderHost& host, std::function<QWidget*()> owner)
    : m_host(host), m_owner(std::move(owner)) {}

int CAppMasterDialogs::RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) {
    CMasterFolderDlg dialog(m_host, m_owner ? m_owner() : nullptr);
    dialog.SetParentFolder(request.parentFolder);
    dialog.SetCurrentFolder(request.currentFolder);
    dialog.SetMode(request.mode);
    dialog.SetOldVersionMode(request.oldVersionMode);
    if (dialog.DoModal() != IDOK) return 0;
    chosen = dialog.GetSelectedFolder();
    return 1;
}

std::unique_ptr<IBukakeImportDialog> CAppMasterDialogs::CreateBukakeImportDialog() {
    auto dialog = std::make_unique<CBukakeImportDlg>(m_owner ? m_owner() : nullptr);
    if (m_detailPrintSetup) dialog->SetDetailPrintSetup(m_detailPrintSetup());
    return dialog;
}

std::unique_ptr<IHenkaritsuImportDialog> CAppMasterDialogs::CreateHenkaritsuImportDialog() {
    return std::make_unique<CHenkaritsuImportDlg>(m_owner ? m_owner() : nullptr);
}

int CAppMasterDialogs::RunZairyoTankaSettingDialog(const std::string& current, std::string& chosen) {
    CZairyoTankaSettingDlg dialog(m_owner ? m_owner() : nullptr);
    dialog.SetPath(current);
    if (dialog.DoModal() != IDOK) return 0;
    chosen = dialog.GetPath();
    return 1;
}
