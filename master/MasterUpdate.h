#pragma once
#include <string>
#include <vector>

#include "master/MasterMerge.h"
#include "master/MasterStore.h"

// The yearly master updates: a shipped copy of the current data lies under
// [program folder]/初期データ/データ格納/; the engines carry the user's own entries into those files,
// the commands save the result, and the automatic update driven by "AutoVerup.txt" beside the
// program offers them once per shipped version.
//
// Every merge runs on scratch copies: the application's masters change only when a merge has
// finished, so Cancel in a progress window, a shipped file that does not load or a declined save
// leave every master in memory and every file as they were.
class CMasterUpdater {
public:
    explicit CMasterUpdater(CMasterDataStore& store) : m_store(store) {}

    // Engines: merge the shipped file at path with the application's master and put the result in its
    // place (nothing is saved). 1 when replaced; 0 when the file did not load, the user cancelled
    // in the progress window, (単価) the file is not newer or (歩掛) a user 工種 on a code the file
    // uses finds no free code of its category (the user is told so).
    int UpdateBukakeFile(const std::string& path);
    int UpdateHenkaritsuFile(const std::string& path);
    int UpdateTankaFile(const std::string& path);
    int UpdateZairyoTankaFile(const std::string& path);

    // Menu commands "歩掛 ファイルのインポート...(&B)", "変化率・補正率 ファイルのインポート...(&H)",
    // "単価 ファイルのインポート...(&T)", "材料単価 ファイルのインポート...(&T)": merge the shipped file,
    // and save it (after asking unless silent). 1 done and saved, 0 failed, 2 declined by the user;
    // 単価 also 3 when the shipped file is not newer. The closing message of the 歩掛 update, and of
    // the whole update, names each user 工種 and 種別 that took a new code, with its former code, and
    // each user 種別 that could not be carried; the moves are added to the record beside the saved
    // 歩掛 master (master/BukakeMoveRecord.h).
    int DoBukakeUpdate(int silent);
    int DoHenkaritsuUpdate(int silent);
    int DoTankaUpdate(int silent);
    int DoZairyoTankaUpdate(int silent);

    // Menu command "自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ": replaces 諸経費 and プログラム金額 by the shipped files, keeps
    // the 表紙 data, merges and saves 歩掛, 変化率・補正率 and 単価, carries the material-price file
    // over to this year's name and updates it. 1 done, 0 failed (the masters merged and the files
    // written stay as they are only when every merge finished), 2 declined.
    int DoAutoFileVersionUp(int silent);

    // Copies the material-price file in use to this year's file name beside it ("材料単価データ25.zoa")
    // and switches to the copy. 1 when switched (or when the file in use does not exist), 0 when the
    // target already exists or the copy, its load or its lock failed (the file in use stays in use).
    int CarryOverZairyoTankaFile();

    // The automatic update at start-up, driven by "AutoVerup.txt" beside the program; the file is
    // rewritten with the new states. Nothing happens when the file is missing.
    void RunAutoVerup();

    // Where the shipped files and the control file lie.
    std::string ShippedDataFolder() const;  // [program folder]/初期データ/データ格納
    std::string ShippedBukakePath() const;
    std::string ShippedHenkaritsuPath() const;
    std::string ShippedTankaPath() const;
    std::string ShippedZairyoTankaPath() const;
    std::string AutoVerupPath() const;  // [program folder]/AutoVerup.txt

private:
    enum class Merge { merged, failed, cancelled, notNewer };

    // moved: the user entries whose codes the merge changed or that it dropped.
    Merge MergeBukake(const std::string& path, CBukakeFile& result, std::vector<MovedEntry>& moved);
    // Saves the 歩掛 master; once it is saved, adds the moves to the record beside it (telling the
    // user when the record cannot be written). false when the master was not saved.
    bool SaveBukakeAndRecord(const std::vector<MovedEntry>& moved);
    Merge MergeHenkaritsu(const std::string& path, CHenkaritsuFile& result);
    Merge MergeTankaFile(const std::string& path, CTankaFile& result);
    Merge MergeZairyo(const std::string& path, const CZairyoTankaFile& base, CZairyoTankaFile& result);

    struct UpdateTexts;
    template <class Root, class MergeFn, class SaveFn>
    int RunUpdateCommand(int silent, const UpdateTexts& texts, const std::string& source, Root& target,
                         MergeFn merge, SaveFn save, bool isTanka, const std::string& closingNote);

    int CopyShippedFile(const std::string& name, const std::string& destination);

    CMasterDataStore& m_store;
};
