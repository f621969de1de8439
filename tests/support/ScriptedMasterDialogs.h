// Test support for the tests of support/: ScriptedMasterDialogs.
#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "master/MasterDialogs.h"

// The master-data core's dialogs for tests: folder dialogs answered in the order the test expects
// them, import dialogs made by the test's factories. It installs itself on construction and
// restores the previous dialogs when destroyed. A folder dialog nobody expected, an import dialog
// without a factory, and an expected folder dialog that never opened fail the test.
class ScriptedMasterDialogs : public IMasterDialogs {
public:
    ScriptedMasterDialogs();
    ~ScriptedMasterDialogs() override;
    ScriptedMasterDialogs(const ScriptedMasterDialogs&) = delete;
    ScriptedMasterDialogs& operator=(const ScriptedMasterDialogs&) = delete;

    using FolderHandler = std::function<std::optional<std::string>(const MasterFolderRequest&)>;
    // Expects a folder dialog next; the handler sees what it was opened with and returns the
    // chosen folder, or nullopt for Cancel.
    void ExpectFolderDialog(FolderHandler handler);
    // The same with a fixed answer.
    void ExpectFolderDialog(std::optional<std::string> answer);
    size_t PendingFolderDialogs() const { return m_folderDialogs.size(); }

    // What each folder dialog was opened with.
    std::vector<MasterFolderRequest> folderRequests;
    // Make the import dialogs; each call is one opening.
    std::function<std::unique_ptr<IBukakeImportDialog>()> bukakeImport;
    std::function<std::unique_ptr<IHenkaritsuImportDialog>()> henkaritsuImport;

    int RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) override;
    std::unique_ptr<IBukakeImportDialog> CreateBukakeImportDialog() override;
    std::unique_ptr<IHenkaritsuImportDialog> CreateHenkaritsuImportDialog() override;

private:
    std::deque<FolderHandler> m_folderDialogs;
    IMasterDialogs* m_previous;
};
