#include "master/MasterDialogs.h"

#include "master/MasterTexts.h"
#include "platform/Host.h"

namespace {

// Without the program's dialogs: the folder is chosen in the host's folder browser.
class BrowserDialogs : public IMasterDialogs {
public:
    int RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) override {
        const char* title = request.oldVersionMode ? mastertext::kOldMasterFolderTitle : mastertext::kMasterFolderTitle;
        return Host().ChooseFolder(title, request.currentFolder, chosen) ? 1 : 0;
    }
    std::unique_ptr<IBukakeImportDialog> CreateBukakeImportDialog() override { return nullptr; }
    std::unique_ptr<IHenkaritsuImportDialog> CreateHenkaritsuImportDialog() override { return nullptr; }
};

BrowserDialogs g_browser;
IMasterDialogs* g_dialogs = nullptr;

}  // namespace

int IMasterDialogs::RunZairyoTankaSettingDialog(const std::string& current, std::string& chosen) {
    return Host().ChooseOpenFile(mastertext::kOpenZairyoTankaTitle, mastertext::kZairyoTankaFilter, current, chosen)
               ? 1
               : 0;
}

IMasterDialogs& MasterDialogs() { return g_dialogs ? *g_dialogs : g_browser; }

IMasterDialogs* SetMasterDialogs(IMasterDialogs* dialogs) {
    IMasterDialogs* previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}
