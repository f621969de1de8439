// Every fixed text of the master editors, verbatim.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "masteredit/MasterEditTexts.h"

namespace {

const TextEntry kExpected[] = {
    {"kSaveAndClose", "保存して終了"},
    {"kConfirmCaption", "確認"},
    {"kDeleteAfter", " ' を削除してよろしいですか？"},
    {"kCountBefore", "("},
    {"kCountAfter", ")"},
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
    {"kInsertButton", "挿入"},
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
    {"kPrintPreviewButton", "印刷ﾌﾟﾚﾋﾞｭｰ"},
    {"kPrintDotsButton", "印刷..."},
    {"kDeleteTankaBefore", "単価データ ' "},
    {"kAskDeleteColumn", "現在選択中の列を削除します。よろしいですか?"},
    {"kAskDropLastColumn", "最後の列のタイトルと単価は失われます。列を挿入してよろしいですか?"},
    {"kZairyoTankaItemCaption", "材料単価編集"},
    {"kItemNameLabel", "単価名称"},
    {"kItemSpecLabel", "規格"},
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
};

}  // namespace

TEST(MasterEditTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : MasterEditTexts())
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
    EXPECT_EQ(MasterEditTexts().size(), std::size(kExpected));
}
