// Tests of master/MasterTexts.h.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "master/MasterTexts.h"

namespace {

// Every text of the master data, exactly as the program shows or writes it.
const TextEntry kExpected[] = {
    {"kBukakeSignature", "歩掛農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kBukakeForeignFile", "この歩掛データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kHenkaritsuSignature", "変化率農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kHenkaritsuForeignFile", "この変化率データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kTankaSignature", "単価農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kTankaForeignFile", "この単価データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kZairyoTankaSignature", "材料単価農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kZairyoTankaForeignFile", "この材料単価データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kShokeihiSignature", "諸経費農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kShokeihiForeignFile", "この諸経費データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kProgramKingakuSignature", "プログラム金額農林ﾌｧｲﾙ ZORVA Development Corp."},
    {"kProgramKingakuForeignFile", "このプログラム金額データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kHyoshiSignature", "表紙ファイル ZORVA Development Corp."},
    {"kHyoshiForeignFile", "この表紙データファイルは、Vemo Ovra 農林版ではご使用できません。"},
    {"kTankaDefaultUnit", "人"},
    {"kZairyoKindZairyo", "材料費"},
    {"kZairyoKindDoryoku", "動力費・その他"},
    {"kZairyoKindKikai", "機械器具損料"},
    {"kZairyoKindSokuryoZairyo", "測量材料費"},
    {"kZairyoKindSokuryoKikai", "測量機械経費"},
    {"kZairyoKindSokuryoSonota", "測量その他経費"},
    {"kStatusLoadingBukake", "歩掛率データを読み込んでいます..."},
    {"kStatusLoadingHenkaritsu", "変化率・補正率データを読み込んでいます..."},
    {"kStatusLoadingTanka", "単価データを読み込んでいます..."},
    {"kStatusLoadingShokeihi", "諸経費データを読み込んでいます..."},
    {"kStatusLoadingProgramKingaku", "プログラム金額データを読み込んでいます..."},
    {"kStatusLoadingZairyoTanka", "材料単価データを読み込んでいます..."},
    {"kStatusLoadingHyoshi", "表紙データを読み込んでいます..."},
    {"kStatusHelpHint", "[F1]キーを押すと、ヘルプが表示されます"},
    {"kMasterMissingCannotRun", "\nが見つかりません。\nアプリケーションを実行することができません。\nファイルの有無を確認してください。"},
    {"kFileUnreadable", "\nを読み込めませんでした。\nファイルが壊れているか、正しい形式ではありません。"},
    {"kFileMissing", "\nが見つかりません。\nファイルの有無を確認してください。"},
    {"kZairyoTankaMissingChoose", "\nが見つかりません。\nご使用になる材料単価ファイルを選択してください。"},
    {"kOpenZairyoTankaTitle", "開く－材料単価"},
    {"kZairyoTankaFilter", "材料単価データ25 (*.zoa)|*.zoa|すべてのファイル (*.*)|*.*||"},
    {"kMasterFolderTitle", "マスター データ設定"},
    {"kAskChangeZairyoTankaToo", "材料単価データの参照先も変更しますか？"},
    {"kSaveRefused", "他のユーザーがデータを編集中か、データを編集する権限がありません。\nそのため、保存ができません。"},
    {"kLocksRefused", "他のユーザーがデータを編集中か、データを編集する権限がありません。\nそのため、以下の機能では保存ができません。\n\n"},
    {"kLocksHeld", "他のユーザーがデータを編集中か、前回プログラムが正常に終了できませんでした。\nそのため、以下の機能でデータを保存することができません。\n\n"},
    {"kAskForceLocks", "\n上記の機能でデータを保存可能にしますか？\n他のユーザーがデータを編集中の場合は「いいえ」を押してください。"},
    {"kAskForceNetworkLocks",
     "ネットワーク上のデータを保存可能にしようとしています。\n\n他のユーザーが使用していないことを必ず確認してください。\n\n保存可能にしてよろしいですか？"},
    {"kEditorBukake", "歩掛ファイル編集\n"},
    {"kEditorHenkaritsu", "変化率・補正率ファイル編集\n"},
    {"kEditorTanka", "単価ファイル編集\n社名入力及び選択単価の初期設定\n"},
    {"kEditorShokeihi", "諸経費ファイル編集\n"},
    {"kEditorProgramKingaku", "プログラム金額ファイル編集\n"},
    {"kEditorZairyoTanka", "材料単価ファイル編集\n"},
    {"kHenkaritsuCodeUsedBefore", "この変化率・補正率データは、歩掛データ内で "},
    {"kHenkaritsuCodeUsedAfter",
     "箇所使用されています。\n積算データがこの変化率・補正率データを参照している歩掛データを使用した場合、"
     "正しく計算されない可能性があります。\n歩掛データが参照している変化率・補正率コードを書き換えますか？"},
    {"kTankaCodeUsedBefore", "この単価データは、歩掛データ内で "},
    {"kTankaCodeUsedAfter",
     "箇所使用されています。\n積算データがこの単価データを参照している歩掛データを使用した場合、"
     "正しく計算されない可能性があります。\n歩掛データが参照している単価コードを書き換えますか？"},
    {"kAskImportBukakeManually", "歩掛データ ファイルを手動でインポートしますか？"},
    {"kImportBukakeTitle", "開く－歩掛データ ファイルのインポート"},
    {"kBukakeFilter", "歩掛ファイル (*.soa)|*.soa|すべてのファイル (*.*)|*.*||"},
    {"kAskOverwriteBukakeFile", "歩掛データ ファイルを書き換えてよろしいですか？"},
    {"kAskImportHenkaritsuManually", "変化率・補正率データ ファイルを手動でインポートしますか？"},
    {"kImportHenkaritsuTitle", "開く－変率・補正率データ ファイルのインポート"},
    {"kHenkaritsuFilter", "変率・補正率ファイル (*.soa)|*.soa|すべてのファイル (*.*)|*.*||"},
    {"kAskOverwriteHenkaritsuFile", "変化率・補正率データ ファイルを書き換えてよろしいですか？"},
    {"kNotSupported", "現在のVemo Ovraでは、この機能はサポートされていません。"},
    {"kStatusImportingBukake", "歩掛データをインポートしています..."},
    {"kStatusImportingHenkaritsu", "変化率・補正率データをインポートしています..."},
    {"kStatusImportingZairyoTanka", "材料単価データをインポートしています..."},
    {"kAskImportOldBukake", "旧バージョンで作成した任意の歩掛を取り込みますか？"},
    {"kOldMasterFolderTitle", "旧バージョンのマスターデータ"},
    {"kOldBukakeImportFailed", "歩掛データ ファイルのインポートに失敗しました。\n"},
    {"kOldHenkaritsuImportFailed", "変化率・補正率データ ファイルのインポートに失敗しました。\n"},
    {"kOldBukakeImported", "任意の歩掛の取り込みを完了しました。"},
    {"kFolderQuote", "\""},
    {"kAskKukakuSeiriImport", "下にある、\n測量用の歩掛及び変化率ファイルを区画整理測量に反映します。"},
    {"kKukakuKoshuCodeUsedBefore", "測量工種コードでコード"},
    {"kKukakuHenkaritsuCodeUsedBefore", "測量用変化率ファイルにおいて、コード"},
    {"kKukakuCodeUsedAfter", "を使用しています。コードを変更してください。"},
    {"kKukakuSeiriImported", "区画整理測量へのインポート作業が正常に終了しました"},
    {"kUpdateAborted", "更新作業を中断します。"},
    {"kAskUpdateBukake", "歩掛データの更新作業を実行します。\nよろしいですか？"},
    {"kBukakeUpdated", "歩掛データの更新作業は正常に終了しました。"},
    {"kAskOverwriteBukake", "歩掛データを書き換えてよろしいですか？"},
    {"kBukakeUpdateFailed", "歩掛データの更新作業は失敗しました。\n"},
    {"kAskUpdateHenkaritsu", "変化率・補正率データの更新作業を実行します。\nよろしいですか？"},
    {"kHenkaritsuUpdated", "変化率・補正率データの更新作業は正常に終了しました。"},
    {"kAskOverwriteHenkaritsu", "変化率・補正率データを書き換えてよろしいですか？"},
    {"kHenkaritsuUpdateFailed", "変化率・補正率データの更新作業は失敗しました。\n"},
    {"kAskUpdateTanka", "単価データの更新作業を実行します。\nよろしいですか？"},
    {"kTankaUpdated", "単価データの更新作業は正常に終了しました。"},
    {"kAskOverwriteTanka", "単価データを書き換えてよろしいですか？"},
    {"kTankaUpdateFailed", "単価データの更新作業は失敗しました。\n"},
    {"kTankaNotNewer", "現在、お使いの単価データのバージョンは最新です。\nそのまま単価データをお使いください。"},
    {"kTankaUpdateEnded", "単価データの更新作業を終了します。\n"},
    {"kAskUpdateZairyoTanka", "材料単価データの更新作業を実行します。\nよろしいですか？"},
    {"kZairyoTankaUpdated", "材料単価データの更新作業は正常に終了しました。"},
    {"kAskOverwriteZairyoTanka", "材料単価データを書き換えてよろしいですか？"},
    {"kZairyoTankaUpdateFailed", "材料単価データの更新作業は失敗しました。\n"},
    {"kAskUpdateAll", "データを更新する作業を行います。"},
    {"kUpdateAllFailed", "データの更新作業は失敗しました。"},
    {"kUpdateAllDone", "データの更新作業は正常に終了しました。"},
    {"kAutoVerupAllTodo", "All AutoVerup = 対応する"},
    {"kAutoVerupAllUnnecessary", "All AutoVerup = 対応済み"},
    {"kAutoVerupAllDone", "All AutoVerup = 対応完了"},
    {"kAutoVerupAllFailed", "All AutoVerup = 対応失敗"},
    {"kAutoVerupBukakeTodo", "歩掛データ = 対応する"},
    {"kAutoVerupBukakeUnnecessary", "歩掛データ = 対応済み"},
    {"kAutoVerupBukakeDone", "歩掛データ = 対応完了"},
    {"kAutoVerupBukakeFailed", "歩掛データ = 対応失敗"},
    {"kAutoVerupHenkaritsuTodo", "変化率データ = 対応する"},
    {"kAutoVerupHenkaritsuUnnecessary", "変化率データ = 対応済み"},
    {"kAutoVerupHenkaritsuDone", "変化率データ = 対応完了"},
    {"kAutoVerupHenkaritsuFailed", "変化率データ = 対応失敗"},
    {"kAutoVerupTankaTodo", "単価データ = 対応する"},
    {"kAutoVerupTankaUnnecessary", "単価データ = 対応済み"},
    {"kAutoVerupTankaDone", "単価データ = 対応完了"},
    {"kAutoVerupTankaFailed", "単価データ = 対応失敗"},
    {"kAutoVerupZairyoTankaTodo", "材料単価データ = 対応する"},
    {"kAutoVerupZairyoTankaUnnecessary", "材料単価データ = 対応済み"},
    {"kAutoVerupZairyoTankaDone", "材料単価データ = 対応完了"},
    {"kAutoVerupZairyoTankaFailed", "材料単価データ = 対応失敗"},
    {"kNameOpen", "「"},
    {"kAskAutoUpdateAll", "歩掛データ、単価データ、材料単価データの更新作業を実行します。\nよろしいですか？"},
    {"kReferenceSetMissing", "」がありません。次の画面でコピーして作成してください。"},
    {"kSelectReferenceSet", "」を次の画面で選択してください。"},
    {"kAlreadyCurrent", "データは最新のため更新作業は必要ありませんでした。"},
    {"kAskAutoUpdateBukake", "」の歩掛データの更新作業を実行します。\nよろしいですか？"},
    {"kAskAutoUpdateHenkaritsu", "」の変化率・補正率データの更新作業を実行します。\nよろしいですか？"},
    {"kZairyoTankaMissingAborted", "」がありません。\n更新作業を中断します。"},
    {"kAskCheck", "マスター ファイルの整合性チェックを行いますか？"},
    {"kStatusChecking", "マスター ファイルの整合性チェックしています..."},
    {"kStatusCheckingRates", "歩掛データの変化率番号（変化率コード）の整合性チェックしています..."},
    {"kRatesHeading", "以下の歩掛データの変化率番号（変化率コード）の整合性が正しくありません。\n"},
    {"kRateFindingAfterIndex", " 番目の変化率番号（変化率コード）"},
    {"kRatesAllClear", "すべての歩掛データの変化率番号（変化率コード）は、変化率・補正率データとの整合性がとれています。"},
    {"kStatusCheckingTrades", "歩掛データの作業者コードの整合性チェックしています..."},
    {"kTradesHeading", "以下の歩掛データの作業者コードの整合性が正しくありません。\n"},
    {"kTradeFindingAfterIndex", " 番目の作業者コード "},
    {"kTradesAllClear", "すべての歩掛データの作業者コードは、単価データとの整合性がとれています。"},
    {"kFindingSeparator", " … "},
    {"kFindingInvalid", " が不正です。\n"},
    {"kMoreFindings", "………\n"},
    {"kFindingCountBefore", "全部で "},
    {"kFindingCountAfter", " 箇所見つかりました。"},
};

}  // namespace

TEST(MasterTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : MasterTexts())
        EXPECT_TRUE(actual.emplace(entry.name, entry.text).second) << "twice: " << entry.name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : kExpected) expected.emplace(entry.name, entry.text);

    for (const auto& [name, text] : expected) {
        auto it = actual.find(name);
        if (it == actual.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : actual)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(MasterTexts().size(), std::size(kExpected));
}
