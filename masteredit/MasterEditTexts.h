#pragma once
#include <span>

#include "masteredit/BukakeDetailTexts.h"
#include "masteredit/BukakeEditTexts.h"
#include "masteredit/HenkaritsuEditTexts.h"
#include "masteredit/ZairyoTankaEditTexts.h"
#include "platform/TextEntry.h"

// The fixed texts of the master-data editors: captions, labels, buttons, list and grid headings, the
// questions before a deletion and before the master files are rewritten, and the refusals of a
// code. Each is written once, here; the editors refer to it by name (masteredittext::kConfirmCaption).
// Texts named …Before go in front of an entry's name and are followed by kDeleteAfter. The Cancel
// button is the dialog kit's (dialogtext::kCancel).
#define VEMO_MASTER_EDIT_TEXTS(X)                                                                              \
    /* Shared by the editors */                                                                                \
    X(kConfirmCaption, "確認")                                                                                 \
    X(kDeleteAfter, " ' を削除してよろしいですか？")                                                           \
    /* The questions of the launchers */                                                                       \
    X(kAskOverwriteShokeihiFile, "諸経費データ ファイルを書き換えてよろしいですか？")                          \
    X(kAskOverwriteProgramKingakuFile, "プログラム金額データ ファイルを書き換えてよろしいですか？")            \
    X(kAskOverwriteGyomuFiles,                                                                                 \
      "歩掛データ ファイル、変化率・補正率データ ファイル、諸経費データ ファイルを書き換えてよろしいですか？") \
    /* Codes of new and renamed entries */                                                                     \
    X(kNoFreeGyomuCode, "使用できる業務コード（1～32）が残っていません。\n新しい業務データは追加できません。") \
    X(kGyomuCodeOutOfRange, "業務コードは 1～32 の範囲で入力してください。")                                  \
    X(kNoFreeProgramCode,                                                                                      \
      "使用できるプログラム金額コード（1～99）が残っていません。\n新しいプログラム金額データは追加できません。") \
    X(kProgramCodeOutOfRange, "プログラム金額コードは 1～99 の範囲で入力してください。")                      \
    X(kCodeInUse, "このコードは既に使用されています。\n別のコードを入力してください。")                       \
    /* Overhead rate editor */                                                                                 \
    X(kShokeihiEditCaption, "諸経費ファイル編集")                                                              \
    X(kGyomuNameLabel, "業務名 :")                                                                             \
    X(kShokeihiRateLabel, "諸経費率 :")                                                                        \
    X(kPercentUnit, "(%)")                                                                                     \
    /* Program-amount editor */                                                                                \
    X(kProgramKingakuEditCaption, "プログラム金額ファイル編集")                                                \
    X(kProgramKingakuListLabel, "プログラム金額データ一覧 :")                                                  \
    X(kProgramName1Heading, "プログラム名1")                                                                   \
    X(kProgramName2Heading, "プログラム名2")                                                                   \
    X(kProgramCondition1Heading, "利用条件1")                                                                  \
    X(kProgramCondition2Heading, "利用条件2")                                                                  \
    X(kProgramFeeHeading, "利用料金")                                                                          \
    X(kNewButton, "新規")                                                                                      \
    X(kDeleteButton, "削除")                                                                                   \
    X(kClearButton, "クリア")                                                                                  \
    X(kChangeButton, "変更")                                                                                   \
    X(kDeleteProgramKingakuBefore, "プログラム金額データ ' ")                                                  \
    /* Common business-list editor */                                                                          \
    X(kGyomuEditCaption, "業務ファイル編集")                                                                   \
    X(kRenameDotsButton, "名前の変更...")                                                                      \
    X(kCreateDotsButton, "新規作成...")                                                                        \
    X(kInsertDotsButton, "挿入...")                                                                            \
    X(kBukakeGyomuListTitle, "歩掛業務データ一覧")                                                             \
    X(kHenkaritsuGyomuListTitle, "変化率・補正率業務データ一覧")                                               \
    X(kShokeihiGyomuListTitle, "諸経費業務データ一覧")                                                         \
    X(kDeleteBukakeGyomuBefore, "歩掛業務データ ' ")                                                           \
    X(kDeleteHenkaritsuGyomuBefore, "変化率・補正率業務データ ' ")                                             \
    X(kDeleteShokeihiGyomuBefore, "諸経費業務データ ' ")                                                       \
    /* Unit-price editor */                                                                                    \
    X(kAskOverwriteTankaFile, "単価データ ファイルを書き換えてよろしいですか？")                               \
    X(kNoFreeTankaCode,                                                                                        \
      "使用できる職種コード（1000～1999）が残っていません。\n新しい単価データは追加できません。")              \
    X(kTankaCodeOutOfRange, "職種コードは 1000～1999 の範囲で入力してください。")                              \
    X(kTankaEditCaption, "単価ファイル編集")                                                                   \
    X(kTankaListLabel, "単価データ一覧 :")                                                                     \
    X(kTitleChangeButton, "タイトル変更...")                                                                   \
    X(kTradeChangeButton, "職種変更...")                                                                       \
    X(kTradeAddButton, "職種追加...")                                                                          \
    X(kTradeInsertButton, "職種挿入...")                                                                       \
    X(kTradeDeleteButton, "職種削除")                                                                          \
    X(kColumnInsertButton, "列挿入")                                                                           \
    X(kColumnDeleteButton, "列削除")                                                                           \
    X(kDeleteTankaBefore, "単価データ ' ")                                                                     \
    X(kAskDeleteColumn, "現在選択中の列を削除します。よろしいですか?")                                         \
    X(kAskDropLastColumn, "最後の列のタイトルと単価は失われます。列を挿入してよろしいですか?")                 \
    /* Material-price item dialog */                                                                           \
    X(kZairyoTankaItemCaption, "材料単価編集")                                                                 \
    X(kItemUnitLabel, "単位")                                                                                  \
    X(kItemPriceLabel, "単価")                                                                                 \
    X(kItemRemarksLabel, "備考")                                                                               \
    X(kYenUnit, "円")                                                                                          \
    /* Trade and material-price selection */                                                                   \
    X(kShokushuSelectCaption, "職種名称選択")                                                                  \
    X(kLabourListCaption, "直接人件費・労務費 一覧")                                                           \
    X(kMaterialPriceListCaption, "材料費・機械器具損料・動力費 一覧")                                          \
    X(kMaterialExpenseListCaption, "材料費・機械経費・その他経費 一覧")                                        \
    X(kShokushuNameLabel, "職種名称")                                                                          \
    X(kTankaNameLabel, "単価名称")                                                                             \
    X(kHimokuNameLabel, "費目名称")                                                                            \
    X(kNoneEntry, "なし")                                                                                      \
    X(kItemEditButton, "単価編集")                                                                             \
    /* Material-price file setting */                                                                          \
    X(kZairyoTankaSettingCaption, "材料単価設定")                                                              \
    X(kPathStatic, "参照先へのパス")                                                                           \
    X(kTitleStatic, "タイトル名")                                                                              \
    X(kBrowseButton, "参照...")                                                                                \
    X(kChooseZairyoTankaTitle, "開く－材料単価の選択")                                                         \
    X(kZairyoTankaFileFilter, "材料単価データ25 (*.zoa)|*.zoa|すべてのファイル (*.*)|*.||")

namespace masteredittext {
#define VEMO_MASTER_EDIT_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_MASTER_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_CONSTANT)
VEMO_ZAIRYO_TANKA_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_CONSTANT)
VEMO_BUKAKE_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_CONSTANT)
VEMO_BUKAKE_DETAIL_TEXTS(VEMO_MASTER_EDIT_TEXT_CONSTANT)
VEMO_HENKARITSU_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_CONSTANT)
#undef VEMO_MASTER_EDIT_TEXT_CONSTANT
}  // namespace masteredittext

// Every text of the master-data editors with its name, in the order of the lists above.
std::span<const TextEntry> MasterEditTexts();
