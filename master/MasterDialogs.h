#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// The dialogs the master-data core opens. The program installs its own; tests install a scripted
// one. Without one, the folder choice is the host's folder browser and there are no import dialogs.

// What the master-data folder dialog is opened with.
struct MasterFolderRequest {
    std::string currentFolder;  // the master-data folder in use
    std::string parentFolder;   // its data folder
    int mode = 0;               // 0 from the menu and at start-up; 1 and 2 from the update commands
    int oldVersionMode = 0;     // 1 when picking the older product line's folder (old-version import)
};

// The import dialogs, built with the master editors: each holds its own deep copies of the masters
// handed in and changes nothing outside until the caller takes the edited destination out after OK.

// "歩掛ファイルのインポート": copies 工種 and 種別 from a source 歩掛 master into the destination.
class IBukakeImportDialog {
public:
    virtual ~IBukakeImportDialog() = default;
    virtual void SetGyomuCodes(const std::vector<uint8_t>& codes) = 0;
    virtual void SetSourceFile(const CBukakeFile& file) = 0;
    virtual void SetDestFile(const CBukakeFile& file) = 0;
    virtual void SetHenkaritsuFile(const CHenkaritsuFile& file) = 0;  // for the rate names shown
    virtual void SetTankaFile(const CTankaFile& file) = 0;            // for the trade names shown
    virtual void SetZairyoTankaFile(const CZairyoTankaFile& file) = 0;  // for the material names shown
    // IDOK when the user confirmed the import.
    virtual int DoModal() = 0;
    // Copies the edited destination into file.
    virtual void GetDestFile(CBukakeFile& file) const = 0;
};

// "変化率・補正率ファイルのインポート": the same for 変化率・補正率 records. A destination record whose
// code changes or which is deleted takes its 歩掛 references along in the dialog's copy of the 歩掛
// master; the flag tells the caller that this copy must be saved as well.
class IHenkaritsuImportDialog {
public:
    virtual ~IHenkaritsuImportDialog() = default;
    virtual void SetGyomuCodes(const std::vector<uint8_t>& codes) = 0;
    virtual void SetBukakeFile(const CBukakeFile& file) = 0;
    virtual void SetSourceFile(const CHenkaritsuFile& file) = 0;
    virtual void SetDestFile(const CHenkaritsuFile& file) = 0;
    virtual int DoModal() = 0;
    virtual void GetDestFile(CHenkaritsuFile& file) const = 0;
    // The 歩掛 copy as the dialog left it, and 1 once it rewrote references in it.
    virtual void GetBukakeFile(CBukakeFile& file) const = 0;
    virtual int IsBukakeChanged() const = 0;
};

class IMasterDialogs {
public:
    virtual ~IMasterDialogs() = default;
    // The master-data folder dialog; 1 and the chosen folder, or 0 when cancelled.
    virtual int RunFolderDialog(const MasterFolderRequest& request, std::string& chosen) = 0;
    // The import dialogs; null when the program has none.
    virtual std::unique_ptr<IBukakeImportDialog> CreateBukakeImportDialog() = 0;
    virtual std::unique_ptr<IHenkaritsuImportDialog> CreateHenkaritsuImportDialog() = 0;
    // The material-price setting dialog, opened over current; 1 and the chosen file, or 0 when
    // cancelled. Without the program's dialogs: the host's file choice.
    virtual int RunZairyoTankaSettingDialog(const std::string& current, std::string& chosen);
};

// The installed dialogs; without any, the host's folder browser and no import dialogs.
IMasterDialogs& MasterDialogs();
// Installs the dialogs (null restores the fallback); returns the ones installed before.
IMasterDialogs* SetMasterDialogs(IMasterDialogs* dialogs);
