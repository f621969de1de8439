// Every fixed text of the master editors, verbatim.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TextTableCheck.h"
#include "app/dialogs/DialogTexts.h"
#include "master/MasterTexts.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/PlatformTexts.h"
#include "report/ReportTexts.h"

namespace {

const TextEntry kExpected[] = {
    {"kConfirmCaption", "確認"},
    {"kDeleteAfter", " ' を削除してよろしいですか？"},
    {"kAskOverwriteShokeihiFile", "諸経費データ ファイルを書き換えてよろしいですか？"},
    {"kAskOverwriteProgramKingakuFile", "プログラム金額データ ファイルを書き換えてよろしいですか？"},
    {"kAskOverwriteGyomuFiles",
     "歩掛データ ファイル、変化率・補正率データ ファイル、諸経費データ ファイルを書き換えてよろしいですか？"},
    {"kNoFreeGyomuCode", "使用できる業務コード（1～32）が残っていません。\n新しい業務データは追加できません。"},
    {"kGyomuCodeOutOfRange", "業務コードは 1～32 の範囲で入力してください。"},
    {"kNoFreeProgramCode",
     "使用できるプログラム金額コード（1～99）が残っていません。\n新しいプログラム金額データは追加できません。"},
    {"kProgramCodeOutOfRange", "プログラム金額コードは 1～99 の範囲で入力してください。"},
    {"kCodeInUse", "このコードは既に使用されています。\n別のコードを入力してください。"},
    {"kShokeihiEditCaption", "諸経費ファイル編集"},
    {"kGyomuNameLabel", "業務名 :"},
    {"kShokeihiRateLabel", "諸経費率 :"},
    {"kPercentUnit", "(%)"},
    {"kProgramKingakuEditCaption", "プログラム金額ファイル編集"},
    {"kProgramKingakuListLabel", "プログラム金額データ一覧 :"},
    {"kProgramName1Heading", "プログラム名1"},
    {"kProgramName2Heading", "プログラム名2"},
    {"kProgramCondition1Heading", "利用条件1"},
    {"kProgramCondition2Heading", "利用条件2"},
    {"kProgramFeeHeading", "利用料金"},
    {"kNewButton", "新規"},
    {"kDeleteButton", "削除"},
    {"kClearButton", "クリア"},
    {"kChangeButton", "変更"},
    {"kDeleteProgramKingakuBefore", "プログラム金額データ ' "},
    {"kGyomuEditCaption", "業務ファイル編集"},
    {"kRenameDotsButton", "名前の変更..."},
    {"kCreateDotsButton", "新規作成..."},
    {"kInsertDotsButton", "挿入..."},
    {"kBukakeGyomuListTitle", "歩掛業務データ一覧"},
    {"kHenkaritsuGyomuListTitle", "変化率・補正率業務データ一覧"},
    {"kShokeihiGyomuListTitle", "諸経費業務データ一覧"},
    {"kDeleteBukakeGyomuBefore", "歩掛業務データ ' "},
    {"kDeleteHenkaritsuGyomuBefore", "変化率・補正率業務データ ' "},
    {"kDeleteShokeihiGyomuBefore", "諸経費業務データ ' "},
    {"kAskOverwriteTankaFile", "単価データ ファイルを書き換えてよろしいですか？"},
    {"kNoFreeTankaCode", "使用できる職種コード（1000～1999）が残っていません。\n新しい単価データは追加できません。"},
    {"kTankaCodeOutOfRange", "職種コードは 1000～1999 の範囲で入力してください。"},
    {"kTankaEditCaption", "単価ファイル編集"},
    {"kTankaListLabel", "単価データ一覧 :"},
    {"kTitleChangeButton", "タイトル変更..."},
    {"kTradeChangeButton", "職種変更..."},
    {"kTradeAddButton", "職種追加..."},
    {"kTradeInsertButton", "職種挿入..."},
    {"kTradeDeleteButton", "職種削除"},
    {"kColumnInsertButton", "列挿入"},
    {"kColumnDeleteButton", "列削除"},
    {"kDeleteTankaBefore", "単価データ ' "},
    {"kAskDeleteColumn", "現在選択中の列を削除します。よろしいですか?"},
    {"kAskDropLastColumn", "最後の列のタイトルと単価は失われます。列を挿入してよろしいですか?"},
    {"kZairyoTankaItemCaption", "材料単価編集"},
    {"kItemUnitLabel", "単位"},
    {"kItemPriceLabel", "単価"},
    {"kItemRemarksLabel", "備考"},
    {"kYenUnit", "円"},
    {"kShokushuSelectCaption", "職種名称選択"},
    {"kLabourListCaption", "直接人件費・労務費 一覧"},
    {"kMaterialPriceListCaption", "材料費・機械器具損料・動力費 一覧"},
    {"kMaterialExpenseListCaption", "材料費・機械経費・その他経費 一覧"},
    {"kShokushuNameLabel", "職種名称"},
    {"kTankaNameLabel", "単価名称"},
    {"kHimokuNameLabel", "費目名称"},
    {"kNoneEntry", "なし"},
    {"kItemEditButton", "単価編集"},
    {"kZairyoTankaSettingCaption", "材料単価設定"},
    {"kPathStatic", "参照先へのパス"},
    {"kTitleStatic", "タイトル名"},
    {"kBrowseButton", "参照..."},
    {"kChooseZairyoTankaTitle", "開く－材料単価の選択"},
    {"kZairyoTankaFileFilter", "材料単価データ25 (*.zoa)|*.zoa|すべてのファイル (*.*)|*.||"},
    {"kZairyoTankaEditCaptionBefore", "材料単価ファイル編集－["},
    {"kZairyoTankaEditCaptionAfter", "]"},
    {"kZairyoTitleLabel", "タイトル :"},
    {"kHinmeiChangeButton", "品名変更..."},
    {"kHinmeiAddButton", "品名追加..."},
    {"kHinmeiInsertButton", "品名挿入..."},
    {"kHinmeiDeleteButton", "品名削除"},
    {"kHinmeiUpButton", "品名 上へ移動"},
    {"kHinmeiDownButton", "品名 下へ移動"},
    {"kOpenZairyoTankaButton", "材料単価を開く..."},
    {"kDeleteZairyoBefore", "材料費 ' "},
    {"kDeleteDoryokuBefore", "動力費 ' "},
    {"kDeleteKikaiBefore", "機械器具損料 ' "},
    {"kDeleteSokuryoZairyoBefore", "測量材料費 ' "},
    {"kDeleteSokuryoKikaiBefore", "測量機械経費 ' "},
    {"kDeleteSokuryoSonotaBefore", "測量その他経費 ' "},
    {"kAskSaveZairyoTanka", "現在の材料単価データを保存しますか？"},
    {"kNoFreeZairyoCode", "使用できる品名コード（1000～1999）が残っていません。\n新しい材料単価データは追加できません。"},
    {"kZairyoCodeOutOfRange", "品名コードは 1000～1999 の範囲で入力してください。"},
    {"kRecalcAfterZairyoTankaEdit", "編集した材料単価をお見積りに反映させるため再計算ボタンを押してください。"},
};

}  // namespace

TEST(MasterEditTexts, EveryTextVerbatim) { ExpectTextTable(MasterEditTexts(), kExpected); }

TEST(MasterEditTexts, EachTextOnce) {
    ExpectEachTextOnce(MasterEditTexts(), {ReportTexts(), DialogTexts(), MasterTexts(), PlatformTexts()});
}
