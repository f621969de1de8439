// Test support for the tests of master/: UpdateFixture.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "master/MasterStore.h"

// A program folder for the update and import tests:
//   prog/データ格納/参考マスター25/{歩掛データ.soa, 変化率データ.soa}
//   prog/データ格納/{単価データ.daa, 諸経費データ.daa, プログラム金額データ.daa, 表紙データ.daa, 材料単価データ25.zoa}
//   prog/初期データ/データ格納/参考マスター/{歩掛データ.soa, 変化率データ.soa}
//   prog/初期データ/データ格納/{単価データ.daa, 諸経費データ.daa, プログラム金額データ.daa, 表紙データ.daa, 材料単価データ25.zoa}
// The user's masters carry entries of their own; the shipped ones are a newer year's data.
namespace updatetest {

// The user's masters.
CBukakeFile UserBukake();
CHenkaritsuFile UserHenkaritsu();
CTankaFile UserTanka();
CZairyoTankaFile UserZairyo();
CShokeihiFile UserShokeihi();
CProgramKingakuFile UserProgramKingaku();
CHyoshiData UserHyoshi();

// The shipped masters (data versions above the user's).
CBukakeFile ShippedBukake();
CHenkaritsuFile ShippedHenkaritsu();
CTankaFile ShippedTanka();
CZairyoTankaFile ShippedZairyo();
CShokeihiFile ShippedShokeihi();
CProgramKingakuFile ShippedProgramKingaku();

// The closing message's sections on the user 種別 that ShippedBukake renumbers (2 → 3) or drops (7).
std::string UserShubetsuNote();

template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}

template <class Root>
Root LoadFile(const std::string& path) {
    return masterbuild::LoadRoot<Root>(ReadTestFile(path));
}

// Codes in list order.
std::vector<int32_t> KoshuCodes(const CBukakeGyomu& g);
std::vector<int32_t> ShubetsuCodes(const CBukakeKoshu& k);
std::vector<int32_t> RecordCodes(const CHenkaritsuGyomu& g);

// Every file below a folder: path → permission bits and bytes.
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);

// Deep copies of the seven masters of a store, for "nothing changed" checks.
struct MasterCopies {
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    CHyoshiData hyoshi;
    CZairyoTankaFile zairyo;
    std::string masterFolder, zairyoPath;

    explicit MasterCopies(CMasterDataStore& store);
    // Empty when the store holds the same masters and paths, else the names of those that differ.
    std::string Differences(CMasterDataStore& store) const;
};

struct UpdateProgram {
    TempFolder root;
    std::string program = root / "prog";
    std::string data = program + "/データ格納";
    std::string masters = data + "/参考マスター25";
    std::string shipped = program + "/初期データ/データ格納";
    std::string shippedMasters = shipped + "/参考マスター";

    UpdateProgram();
    void WriteShipped();
    // A store started as the program starts: loads and locks.
    std::unique_ptr<CMasterDataStore> Start();
    std::map<std::string, std::string> Snapshot() const { return FolderSnapshot(root.Path()); }
};

}  // namespace updatetest

namespace updatetest {

// The paths whose mode or bytes differ between two snapshots ("" when none).
std::string SnapshotDifferences(const std::map<std::string, std::string>& a,
                                const std::map<std::string, std::string>& b);

// Remembers every master of a store and every file of a program folder; Changes() names what has
// changed since ("" when nothing).
class ChangeWatch {
public:
    ChangeWatch(const UpdateProgram& f, CMasterDataStore& store)
        : m_f(f), m_store(store), m_masters(store), m_files(f.Snapshot()) {}
    std::string Changes() const {
        return m_masters.Differences(m_store) + SnapshotDifferences(m_files, m_f.Snapshot());
    }

private:
    const UpdateProgram& m_f;
    CMasterDataStore& m_store;
    MasterCopies m_masters;
    std::map<std::string, std::string> m_files;
};

// Runs a command with Cancel pressed at its first, second, … progress check until it runs to the
// end without one, and checks after each cancelled run that no master and no file has changed.
// answers are queued before every run. Returns the number of cancelled runs.
int CancelAtEveryStep(UpdateProgram& f, CMasterDataStore& store, ScriptedHost& host, const std::function<void()>& run,
                      const std::deque<int>& answers);

}  // namespace updatetest
