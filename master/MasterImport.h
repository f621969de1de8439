#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "master/MasterStore.h"

// The 業務 codes offered in 業務 lists: 6, 2, 7, 3, 4 and 5 (5 left out when exclude is 1), then
// with withCommon 89, 95, 96, 97, 98 and 99.
void GetGyomuCodes(std::vector<uint8_t>& codes, bool withCommon, int exclude);

// Imports into the 歩掛 and 変化率・補正率 masters: entries picked by hand from another master file,
// the user's own entries of the older product line, and the 測量 entries copied onto 区画整理測量.
// Each command finishes every merge before it puts anything in place, so Cancel and failures leave
// the masters and their files as they were.
class CMasterImporter {
public:
    explicit CMasterImporter(CMasterDataStore& store) : m_store(store) {}

    // Menu commands; each returns 1 when it changed and saved a master, 0 otherwise. The manual
    // imports run the import dialogs of MasterDialogs(); without them they end unchanged.
    int OnBukakeImportManual();        // "歩掛 ファイルのインポート－マニュアル..."
    int OnHenkaritsuImportManual();    // "変化率・補正率 ファイルのインポート－マニュアル..."
    int OnTankaImportManual();         // "単価 ファイルのインポート－マニュアル..." (not supported)
    int OnZairyoTankaImportManual();   // "材料単価 ファイルのインポート－マニュアル..." (not supported)
    int OnKukakuSeiriImport();         // "区画整理歩掛・変化率ファイルのインポート"
    int OnImportOldUserBukake();       // the older product line's user entries (both masters)

    // Merge the user entries of an older 歩掛 / 変化率・補正率 file into the application's master
    // (nothing is saved). 1 done; 0 when the file does not load or the user cancelled, the master
    // then being as it was.
    int ImportOldUserBukake(const std::string& path);
    int ImportOldUserHenkaritsu(const std::string& path);

private:
    bool MergeOldBukake(const std::string& path, CBukakeFile& result);
    bool MergeOldHenkaritsu(const std::string& path, CHenkaritsuFile& result);
    std::string OldVersionMasterFolder() const;

    CMasterDataStore& m_store;
};
