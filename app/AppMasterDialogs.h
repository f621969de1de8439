#pragma once
#include <functional>
#include <memory>
#include <string>

#include "master/MasterDialogs.h"
#include "report/BukakeDetailSheets.h"

class IMasterFolderHost;
class QWidget;

// The program's dialogs for the master-data core: the master-data folder dialog, the
// material-price setting dialog and the 歩掛 and 変化率・補正率 import dialogs of the master editors.
class CAppMasterDialogs : public IMasterDialogs {
public:
    // owner: the window the dialogs open over (null before the main window exists).
    CAppMasterDialogs(IMasterFolderHost& host, std::function<QWidget*()> owner);
    // Where the 歩掛 import's detail dialogs get the set-up of their 代価 and 明細 prints.
    void SetDetailPrintSetup(std::function<CBukakeDetailPrintSetup()> setup) { m_detailPrintSetup = std::move(setup); }

    int RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) override;
    std::unique_ptr<IBukakeImportDialog> CreateBukakeImportDialog() override;
    std::unique_ptr<IHenkaritsuImportDialog> CreateHenkaritsuImportDialog() override;
    int RunZairyoTankaSettingDialog(const std::string& current, std::string& chosen) override;

private:
    IMasterFolderHost& m_host;
    std::function<QWidget*()> m_owner;
    std::function<CBukakeDetailPrintSetup()> m_detailPrintSetup;
};
