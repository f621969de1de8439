// Test support for the tests of support/: ScriptedMasterDialogs.
#include "ScriptedMasterDialogs.h"

#include <gtest/gtest.h>

ScriptedMasterDialogs::ScriptedMasterDialogs() : m_previous(SetMasterDialogs(this)) {}

ScriptedMasterDialogs::~ScriptedMasterDialogs() {
    SetMasterDialogs(m_previous);
    if (!m_folderDialogs.empty()) ADD_FAILURE() << m_folderDialogs.size() << " expected folder dialog(s) never opened";
}

void ScriptedMasterDialogs::ExpectFolderDialog(FolderHandler handler) { m_folderDialogs.push_back(std::move(handler)); }

void ScriptedMasterDialogs::ExpectFolderDialog(std::optional<std::string> answer) {
    ExpectFolderDialog([answer](const MasterFolderRequest&) { return answer; });
}

int ScriptedMasterDialogs::RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) {
    folderRequests.push_back(request);
    if (m_folderDialogs.empty()) {
        ADD_FAILURE() << "unexpected folder dialog over " << request.currentFolder;
        return 0;
    }
    FolderHandler handler = std::move(m_folderDialogs.front());
    m_folderDialogs.pop_front();
    std::optional<std::string> answer = handler(request);
    if (!answer) return 0;
    chosen = *answer;
    return 1;
}

std::unique_ptr<IBukakeImportDialog> ScriptedMasterDialogs::CreateBukakeImportDialog() {
    if (!bukakeImport) {
        ADD_FAILURE() << "unexpected 歩掛 import dialog";
        return nullptr;
    }
    return bukakeImport();
}

std::unique_ptr<IHenkaritsuImportDialog> ScriptedMasterDialogs::CreateHenkaritsuImportDialog() {
    if (!henkaritsuImport) {
        ADD_FAILURE() << "unexpected 変化率・補正率 import dialog";
        return nullptr;
    }
    return henkaritsuImport();
}
