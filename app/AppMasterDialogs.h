#pragma once
#include <functional>
#include <memory>
#include <string>

#include "master/MasterDialogs.h"

class IMasterFolderHost;
class QWidget;

// The program's dialogs for the master-data core: the master-data folder dialog and the
// material-price setting dialog. The import dialogs come with the master editors; until then the
// manual imports have none.
class CAppMasterDialogs : public IMasterDialogs {
public:
    // owner: the window the dialogs open over (null before the main window exists).
    CAppMasterDialogs(IMasterFolderHost& host, std::function<QWidget*()> owner);

    int RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) override;
    std::unique_ptr<IBukakeImportDialog> CreateBukakeImportDialog() override;
    std::unique_ptr<IHenkaritsuImportDialog> CreateHenkaritsuImportDialog() override;
    int RunZairyoTankaSettingDialog(const std::string& current, std::string& chosen) override;

private:
    IMasterFolderHost& m_host;
    std::function<QWidget*()> m_owner;
};
