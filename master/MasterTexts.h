#pragma once
#include <span>

#include "platform/TextEntry.h"

// The fixed texts of the master data: the names written into the files, messages, questions,
// dialog captions, file-dialog filters and status texts. Each is written once, here; the code
// refers to it by name (mastertext::kFileMissing). A text starting with "\n" follows a path; texts
// named …Before and …After go on either side of a number or a name. File and folder names are
// not texts: they stay with the code that builds the paths.
#define VEMO_MASTER_TEXTS(X)                                                                                   \
    /* Signatures of the master files, and the message for a file with another one */                          \
    X(kBukakeSignature, "歩掛農林ﾌｧｲﾙ ZORVA Development Corp.")                                                \
    X(kBukakeForeignFile, "この歩掛データファイルは、Vemo Ovra 農林版ではご使用できません。")                  \
    X(kHenkaritsuSignature, "変化率農林ﾌｧｲﾙ ZORVA Development Corp.")                                          \
    X(kHenkaritsuForeignFile, "この変化率データファイルは、Vemo Ovra 農林版ではご使用できません。")            \
    X(kTankaSignature, "単価農林ﾌｧｲﾙ ZORVA Development Corp.")                                                 \
    X(kTankaForeignFile, "この単価データファイルは、Vemo Ovra 農林版ではご使用できません。")                   \
    X(kZairyoTankaSignature, "材料単価農林ﾌｧｲﾙ ZORVA Development Corp.")                                       \
    X(kZairyoTankaForeignFile, "この材料単価データファイルは、Vemo Ovra 農林版ではご使用できません。")         \
    X(kShokeihiSignature, "諸経費農林ﾌｧｲﾙ ZORVA Development Corp.")                                            \
    X(kShokeihiForeignFile, "この諸経費データファイルは、Vemo Ovra 農林版ではご使用できません。")              \
    X(kProgramKingakuSignature, "プログラム金額農林ﾌｧｲﾙ ZORVA Development Corp.")                              \
    X(kProgramKingakuForeignFile, "このプログラム金額データファイルは、Vemo Ovra 農林版ではご使用できません。") \
    X(kHyoshiSignature, "表紙ファイル ZORVA Development Corp.")                                                \
    X(kHyoshiForeignFile, "この表紙データファイルは、Vemo Ovra 農林版ではご使用できません。")                  \
    /* Fixed names inside the masters, with the kinds of 単価 and 材料単価 */                                  \
    X(kTankaDefaultUnit, "人")                                                                                 \
    X(kZairyoKindZairyo, "材料費")                                                                             \
    X(kZairyoKindDoryoku, "動力費・その他")                                                                    \
    X(kZairyoKindKikai, "機械器具損料")                                                                        \
    X(kZairyoKindSokuryoZairyo, "測量材料費")                                                                  \
    X(kZairyoKindSokuryoKikai, "測量機械経費")                                                                 \
    X(kZairyoKindSokuryoSonota, "測量その他経費")                                                              \
    X(kTankaKindChokusetsuJinkenhi, "直接人件費")                                                              \
    X(kTankaKindRomuhi, "労務費")                                                                              \
    /* Loading the masters at start-up */                                                                      \
    X(kStatusLoadingBukake, "歩掛率データを読み込んでいます...")                                               \
    X(kStatusLoadingHenkaritsu, "変化率・補正率データを読み込んでいます...")                                   \
    X(kStatusLoadingTanka, "単価データを読み込んでいます...")                                                  \
    X(kStatusLoadingShokeihi, "諸経費データを読み込んでいます...")                                             \
    X(kStatusLoadingProgramKingaku, "プログラム金額データを読み込んでいます...")                               \
    X(kStatusLoadingZairyoTanka, "材料単価データを読み込んでいます...")                                        \
    X(kStatusLoadingHyoshi, "表紙データを読み込んでいます...")                                                 \
    X(kStatusHelpHint, "[F1]キーを押すと、ヘルプが表示されます")                                               \
    /* The window shown while lock files that other programs keep are waited for */                            \
    X(kWaitingForLockFiles, "他のプログラムがロックファイルを使用しています。しばらくお待ちください...")        \
    /* Reading and writing the master files */                                                                 \
    X(kMasterMissingCannotRun,                                                                                 \
      "\nが見つかりません。\nアプリケーションを実行することができません。\nファイルの有無を確認してください。") \
    X(kFileUnreadable, "\nを読み込めませんでした。\nファイルが壊れているか、正しい形式ではありません。")       \
    X(kFileMissing, "\nが見つかりません。\nファイルの有無を確認してください。")                                \
    X(kZairyoTankaMissingChoose, "\nが見つかりません。\nご使用になる材料単価ファイルを選択してください。")     \
    X(kOpenZairyoTankaTitle, "開く－材料単価")                                                                 \
    X(kZairyoTankaFilter, "材料単価データ25 (*.zoa)|*.zoa|すべてのファイル (*.*)|*.*||")                       \
    /* Changing the master-data folder */                                                                      \
    X(kMasterFolderTitle, "マスター データ設定")                                                               \
    X(kAskChangeZairyoTankaToo, "材料単価データの参照先も変更しますか？")                                      \
    /* Edit locks: the refusals, and the editors a lock belongs to (one line each) */                          \
    X(kSaveRefused, "他のユーザーがデータを編集中か、データを編集する権限がありません。\nそのため、保存ができません。") \
    X(kLocksRefused,                                                                                           \
      "他のユーザーがデータを編集中か、データを編集する権限がありません。\nそのため、以下の機能では保存ができません。\n\n") \
    X(kLocksHeld,                                                                                              \
      "他のユーザーがデータを編集中か、前回プログラムが正常に終了できませんでした。\nそのため、以下の機能でデータを保存することができません。\n\n") \
    X(kAskForceLocks,                                                                                          \
      "\n上記の機能でデータを保存可能にしますか？\n他のユーザーがデータを編集中の場合は「いいえ」を押してください。") \
    X(kAskForceNetworkLocks,                                                                                   \
      "ネットワーク上のデータを保存可能にしようとしています。\n\n他のユーザーが使用していないことを必ず確認してください。\n\n保存可能にしてよろしいですか？") \
    X(kEditorBukake, "歩掛ファイル編集\n")                                                                     \
    X(kEditorHenkaritsu, "変化率・補正率ファイル編集\n")                                                       \
    X(kEditorTanka, "単価ファイル編集\n社名入力及び選択単価の初期設定\n")                                      \
    X(kEditorShokeihi, "諸経費ファイル編集\n")                                                                 \
    X(kEditorProgramKingaku, "プログラム金額ファイル編集\n")                                                   \
    X(kEditorZairyoTanka, "材料単価ファイル編集\n")                                                            \
    /* Lock files that cannot be used: each follows a path (the lock file's, or its folder's) and a */          \
    /* reason of the system may follow on a line of its own */                                                 \
    X(kLockFileIsLink, "\nはシンボリックリンクのため、ロックファイルとして使用できません。")                  \
    X(kLockFileIsFolder, "\nはフォルダーのため、ロックファイルとして使用できません。")                        \
    X(kLockFileIsPipe, "\nは名前付きパイプのため、ロックファイルとして使用できません。")                      \
    X(kLockFileIsSpecial, "\nは通常のファイルではないため、ロックファイルとして使用できません。")             \
    X(kLockFileNoAccess, "\nを読み書きする権限がないため、ロックファイルとして使用できません。")              \
    X(kLockFolderReadOnly, "\nは読み取り専用のフォルダーのため、ロックファイルを作成できません。")            \
    X(kLockFolderNoPermission, "\nに書き込む権限がないため、ロックファイルを作成できません。")                 \
    X(kLockFileNotWritten, "\nに書き込めませんでした。")                                                      \
    X(kLockFileNotOpened, "\nを開けませんでした。")                                                           \
    /* Rewriting the codes the 歩掛 master refers to (the number of uses goes between) */                      \
    X(kHenkaritsuCodeUsedBefore, "この変化率・補正率データは、歩掛データ内で ")                                \
    X(kHenkaritsuCodeUsedAfter,                                                                                \
      "箇所使用されています。\n積算データがこの変化率・補正率データを参照している歩掛データを使用した場合、"   \
      "正しく計算されない可能性があります。\n歩掛データが参照している変化率・補正率コードを書き換えますか？")   \
    X(kTankaCodeUsedBefore, "この単価データは、歩掛データ内で ")                                               \
    X(kTankaCodeUsedAfter,                                                                                     \
      "箇所使用されています。\n積算データがこの単価データを参照している歩掛データを使用した場合、"             \
      "正しく計算されない可能性があります。\n歩掛データが参照している単価コードを書き換えますか？")             \
    /* Manual imports */                                                                                       \
    X(kAskImportBukakeManually, "歩掛データ ファイルを手動でインポートしますか？")                             \
    X(kImportBukakeTitle, "開く－歩掛データ ファイルのインポート")                                             \
    X(kBukakeFilter, "歩掛ファイル (*.soa)|*.soa|すべてのファイル (*.*)|*.*||")                                \
    X(kAskOverwriteBukakeFile, "歩掛データ ファイルを書き換えてよろしいですか？")                              \
    X(kAskImportHenkaritsuManually, "変化率・補正率データ ファイルを手動でインポートしますか？")               \
    X(kImportHenkaritsuTitle, "開く－変率・補正率データ ファイルのインポート")                                 \
    X(kHenkaritsuFilter, "変率・補正率ファイル (*.soa)|*.soa|すべてのファイル (*.*)|*.*||")                    \
    X(kAskOverwriteHenkaritsuFile, "変化率・補正率データ ファイルを書き換えてよろしいですか？")                \
    X(kNotSupported, "現在のVemo Ovraでは、この機能はサポートされていません。")                                \
    /* Progress of the imports and updates */                                                                  \
    X(kStatusImportingBukake, "歩掛データをインポートしています...")                                           \
    X(kStatusImportingHenkaritsu, "変化率・補正率データをインポートしています...")                             \
    X(kStatusImportingZairyoTanka, "材料単価データをインポートしています...")                                  \
    /* Import of the user's 歩掛 from an older version */                                                      \
    X(kAskImportOldBukake, "旧バージョンで作成した任意の歩掛を取り込みますか？")                               \
    X(kOldMasterFolderTitle, "旧バージョンのマスターデータ")                                                   \
    X(kOldBukakeImportFailed, "歩掛データ ファイルのインポートに失敗しました。\n")                             \
    X(kOldHenkaritsuImportFailed, "変化率・補正率データ ファイルのインポートに失敗しました。\n")               \
    X(kOldBukakeImported, "任意の歩掛の取り込みを完了しました。")                                              \
    /* 区画整理 import (the master-data folder in quotes goes in front; a code between Before and After) */  \
    X(kFolderQuote, "\"")                                                                                      \
    X(kAskKukakuSeiriImport, "下にある、\n測量用の歩掛及び変化率ファイルを区画整理測量に反映します。")         \
    X(kKukakuKoshuCodeUsedBefore, "測量工種コードでコード")                                                    \
    X(kKukakuHenkaritsuCodeUsedBefore, "測量用変化率ファイルにおいて、コード")                                 \
    X(kKukakuCodeUsedAfter, "を使用しています。コードを変更してください。")                                    \
    X(kKukakuSeiriImported, "区画整理測量へのインポート作業が正常に終了しました")                              \
    /* Updates from the shipped data */                                                                        \
    X(kUpdateAborted, "更新作業を中断します。")                                                                \
    X(kAskUpdateBukake, "歩掛データの更新作業を実行します。\nよろしいですか？")                                \
    X(kBukakeUpdated, "歩掛データの更新作業は正常に終了しました。")                                            \
    X(kAskOverwriteBukake, "歩掛データを書き換えてよろしいですか？")                                           \
    X(kBukakeUpdateFailed, "歩掛データの更新作業は失敗しました。\n")                                           \
    X(kAskUpdateHenkaritsu, "変化率・補正率データの更新作業を実行します。\nよろしいですか？")                  \
    X(kHenkaritsuUpdated, "変化率・補正率データの更新作業は正常に終了しました。")                              \
    X(kAskOverwriteHenkaritsu, "変化率・補正率データを書き換えてよろしいですか？")                             \
    X(kHenkaritsuUpdateFailed, "変化率・補正率データの更新作業は失敗しました。\n")                             \
    X(kAskUpdateTanka, "単価データの更新作業を実行します。\nよろしいですか？")                                 \
    X(kTankaUpdated, "単価データの更新作業は正常に終了しました。")                                             \
    X(kAskOverwriteTanka, "単価データを書き換えてよろしいですか？")                                            \
    X(kTankaUpdateFailed, "単価データの更新作業は失敗しました。\n")                                            \
    X(kTankaNotNewer, "現在、お使いの単価データのバージョンは最新です。\nそのまま単価データをお使いください。") \
    X(kTankaUpdateEnded, "単価データの更新作業を終了します。\n")                                               \
    X(kAskUpdateZairyoTanka, "材料単価データの更新作業を実行します。\nよろしいですか？")                       \
    X(kZairyoTankaUpdated, "材料単価データの更新作業は正常に終了しました。")                                   \
    X(kAskOverwriteZairyoTanka, "材料単価データを書き換えてよろしいですか？")                                  \
    X(kZairyoTankaUpdateFailed, "材料単価データの更新作業は失敗しました。\n")                                  \
    X(kAskUpdateAll, "データを更新する作業を行います。")                                                       \
    X(kUpdateAllFailed, "データの更新作業は失敗しました。")                                                    \
    X(kUpdateAllDone, "データの更新作業は正常に終了しました。")                                                \
    /* User 工種 on a code the new 歩掛 master uses (a line each: names, separator, Before, code(s), "\n") */   \
    X(kMovedKoshuHeading,                                                                                      \
      "\n\n以下の任意の工種は、新しい歩掛データに同じ工種コードの工種があるため、工種コードを変更しました。\n" \
      "これらの工種を使用している積算データの行は、積算データを開くときに新しい工種コードに置き換えます。\n") \
    X(kKoshuWithoutFreeCodeHeading,                                                                            \
      "以下の任意の工種は、新しい歩掛データに同じ工種コードの工種があり、同じ種類の空いている工種コードもない" \
      "ため、引き継ぐことができません。\n同じ種類の任意の工種を減らしてから、もう一度更新作業を実行してください。\n") \
    X(kKoshuCodeBefore, "工種コード ")                                                                         \
    X(kKoshuCodeArrow, " → ")                                                                                  \
    /* User 種別 the new 歩掛 master renumbered or could not take (names, separator, Before, code(s)) */     \
    X(kMovedShubetsuHeading,                                                                                   \
      "\n\n以下の任意の種別は、新しい歩掛データの同じ工種に同じ種別コードの種別があるため、種別コードを変更しました。\n" \
      "これらの種別を使用している積算データの行は、積算データを開くときに新しい種別コードに置き換えます。\n") \
    X(kDroppedShubetsuHeading,                                                                                 \
      "\n\n以下の任意の種別は、新しい歩掛データに同じ工種コードの工種がないか、空いている種別コードがないため、" \
      "引き継ぐことができませんでした。\nこれらの種別を使用している積算データでは、種別を選択し直してください。\n") \
    X(kShubetsuCodeBefore, "種別コード ")                                                                      \
    /* The record of the moves beside the 歩掛 master: its first line, and the message when it cannot */     \
    /* be written (after its path) */                                                                          \
    X(kMoveRecordHeader, "歩掛コード変更記録 ZORVA Development Corp.")                                         \
    X(kMoveRecordNotWritten,                                                                                   \
      "\nに工種・種別コードの変更記録を書き込めませんでした。\n"                                               \
      "積算データを開いても、コードが変わった工種・種別の行は新しいコードに置き換えられません。")                \
    /* The automatic update: the state lines of AutoVerup.txt, then its messages; a text starting with */    \
    /* "」" follows "「" and a file or folder name */                                                          \
    X(kAutoVerupAllTodo, "All AutoVerup = 対応する")                                                           \
    X(kAutoVerupAllUnnecessary, "All AutoVerup = 対応済み")                                                    \
    X(kAutoVerupAllDone, "All AutoVerup = 対応完了")                                                           \
    X(kAutoVerupAllFailed, "All AutoVerup = 対応失敗")                                                         \
    X(kAutoVerupBukakeTodo, "歩掛データ = 対応する")                                                           \
    X(kAutoVerupBukakeUnnecessary, "歩掛データ = 対応済み")                                                    \
    X(kAutoVerupBukakeDone, "歩掛データ = 対応完了")                                                           \
    X(kAutoVerupBukakeFailed, "歩掛データ = 対応失敗")                                                         \
    X(kAutoVerupHenkaritsuTodo, "変化率データ = 対応する")                                                     \
    X(kAutoVerupHenkaritsuUnnecessary, "変化率データ = 対応済み")                                              \
    X(kAutoVerupHenkaritsuDone, "変化率データ = 対応完了")                                                     \
    X(kAutoVerupHenkaritsuFailed, "変化率データ = 対応失敗")                                                   \
    X(kAutoVerupTankaTodo, "単価データ = 対応する")                                                            \
    X(kAutoVerupTankaUnnecessary, "単価データ = 対応済み")                                                     \
    X(kAutoVerupTankaDone, "単価データ = 対応完了")                                                            \
    X(kAutoVerupTankaFailed, "単価データ = 対応失敗")                                                          \
    X(kAutoVerupZairyoTankaTodo, "材料単価データ = 対応する")                                                  \
    X(kAutoVerupZairyoTankaUnnecessary, "材料単価データ = 対応済み")                                           \
    X(kAutoVerupZairyoTankaDone, "材料単価データ = 対応完了")                                                  \
    X(kAutoVerupZairyoTankaFailed, "材料単価データ = 対応失敗")                                                \
    X(kNameOpen, "「")                                                                                         \
    X(kAskAutoUpdateAll, "歩掛データ、単価データ、材料単価データの更新作業を実行します。\nよろしいですか？")   \
    X(kReferenceSetMissing, "」がありません。次の画面でコピーして作成してください。")                          \
    X(kSelectReferenceSet, "」を次の画面で選択してください。")                                                 \
    X(kAlreadyCurrent, "データは最新のため更新作業は必要ありませんでした。")                                   \
    X(kAskAutoUpdateBukake, "」の歩掛データの更新作業を実行します。\nよろしいですか？")                        \
    X(kAskAutoUpdateHenkaritsu, "」の変化率・補正率データの更新作業を実行します。\nよろしいですか？")          \
    X(kZairyoTankaMissingAborted, "」がありません。\n更新作業を中断します。")                                  \
    /* Consistency check (a finding: names, separator, index, text, code, end) */                             \
    X(kAskCheck, "マスター ファイルの整合性チェックを行いますか？")                                            \
    X(kStatusChecking, "マスター ファイルの整合性チェックしています...")                                       \
    X(kStatusCheckingRates, "歩掛データの変化率番号（変化率コード）の整合性チェックしています...")             \
    X(kRatesHeading, "以下の歩掛データの変化率番号（変化率コード）の整合性が正しくありません。\n")             \
    X(kRateFindingAfterIndex, " 番目の変化率番号（変化率コード）")                                             \
    X(kRatesAllClear, "すべての歩掛データの変化率番号（変化率コード）は、変化率・補正率データとの整合性がとれています。") \
    X(kStatusCheckingTrades, "歩掛データの作業者コードの整合性チェックしています...")                          \
    X(kTradesHeading, "以下の歩掛データの作業者コードの整合性が正しくありません。\n")                          \
    X(kTradeFindingAfterIndex, " 番目の作業者コード ")                                                         \
    X(kTradesAllClear, "すべての歩掛データの作業者コードは、単価データとの整合性がとれています。")             \
    X(kFindingSeparator, " … ")                                                                                \
    X(kFindingInvalid, " が不正です。\n")                                                                      \
    X(kMoreFindings, "………\n")                                                                                 \
    X(kFindingCountBefore, "全部で ")                                                                          \
    X(kFindingCountAfter, " 箇所見つかりました。")

namespace mastertext {
#define VEMO_MASTER_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_MASTER_TEXTS(VEMO_MASTER_TEXT_CONSTANT)
#undef VEMO_MASTER_TEXT_CONSTANT
}  // namespace mastertext

// Every master text with its name, in the order of the list above.
std::span<const TextEntry> MasterTexts();
