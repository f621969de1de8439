// Test support for the tests of master/: StoreFixture.
#pragma once
#include <sys/resource.h>
#include <signal.h>

#include <string>
#include <vector>

#include "MasterBuilders.h"
#include "TempFolder.h"

namespace storetest {

template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}

CTankaFile NamedTanka(const std::string& columnTitle);
CZairyoTankaFile NamedZairyo(const std::string& title);
CBukakeFile NamedBukake(const std::string& name);

// A program folder with a complete set of master files in the default places:
// データ格納/参考マスター25/{歩掛データ.soa,変化率データ.soa} and データ格納/{単価,諸経費,プログラム金額,表紙}
// and データ格納/材料単価データ25.zoa.
struct ProgramFolder {
    TempFolder root;
    std::string program = root / "prog";
    std::string data = program + "/データ格納";
    std::string masters = data + "/参考マスター25";

    ProgramFolder();
    // The two master-data files in a master-data folder, and the three data-folder files beside it.
    void WriteMasterSet(const std::string& masterFolder, const std::string& label);
    // The six files with an edit lock, in the order of the store's lock ids.
    std::vector<std::string> LockableFiles() const;
};

// Limits the size of files this process may write, to make a save fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    sighandler_t m_handler;
};

}  // namespace storetest
