// The fixed texts of the selection and title dialogs and of the keyword searches, each exactly as the
// user reads it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/SelectionTexts.h"
#include "app/dialogs/SearchTexts.h"

namespace {

const TextEntry kSelectionExpected[] = {
    {"kAddButton", "追加 ->"},
    {"kRemoveButton", "<- 削除"},
    {"kGyomuSelectCaption", "業務選択"},
    {"kGyomuSelectHint", "歩掛業務を選んで追加ボタンを押して下さい。"},
    {"kGyomuMasterListTitle", "歩掛業務データ一覧"},
    {"kGyomuChosenListTitle", "選択歩掛業務データ一覧"},
    {"kKoshuSelectCaption", "工種選択"},
    {"kKoshuSelectHint", "歩掛工種を選んで追加ボタンを押して下さい。"},
    {"kKoshuMasterListTitle", "歩掛工種データ一覧"},
    {"kKoshuChosenListTitle", "選択工種データ一覧"},
    {"kConventionalNote", "従来の積算手法を追加した場合は､｢諸経費｣｢技術経費｣も追加してください。"},
    {"kShubetsuSelectCaption", "種別選択"},
    {"kShubetsuSelectHint", "歩掛種別を選んで追加ボタンを押して下さい。"},
    {"kShubetsuMasterListTitle", "歩掛種別データ一覧"},
    {"kShubetsuChosenListTitle", "選択種別データ一覧"},
    {"kSeidoCoefficient", "精度管理係数 : %1"},
    {"kGijutsuCoefficient", "技術経費　　 : %1"},
    {"kNoCoefficientValue", "-.--"},
    {"kNoCoefficient", "　　　　　　 : -.--"},
    {"kAskShubetsuAgain", "技術経費の異なる種別データが選択されています。\nもう一度、種別データを選択しますか？"},
    {"kLegendNewStandard", "※ 黄色 ： 新しい積算手法標準添付歩掛り"},
    {"kLegendNewUser", "※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り"},
    {"kLegendNewZenchiren", "※ 緑色 ： 新しい積算手法全地連版歩掛り"},
    {"kLegendConventionalZenchiren", "※ 緑色 ： 従来の積算手法全地連版歩掛り"},
    {"kLegendConventional", "※ 茶色 ： 従来の積算手法歩掛り"},
    {"kLegendConventionalUser", "※ 紫色 ： 従来の積算手法ﾕｰｻﾞｰ作成歩掛り"},
    {"kLegendSetNewStandard", " ※ 黄色 ： 新しい積算手法標準添付歩掛り"},
    {"kLegendSetNewUser", " ※ 水色 ： 新しい積算手法ﾕｰｻﾞｰ作成歩掛り"},
    {"kLegendSetNewZenchiren", " ※ 緑色 ： 新しい積算手法全地連版歩掛り"},
    {"kLegendSetStandard", " ※ 黄色 ： 標準添付歩掛り"},
    {"kLegendSetUser", " ※ 水色 ： ﾕｰｻﾞｰ作成歩掛り"},
    {"kLegendSetZenchiren", " ※ 緑色 ： 全地連版歩掛り"},
    {"kKenmeiCaption", "件名入力"},
    {"kKenmeiNewCaption", "件名の新規作成"},
    {"kKenmeiChangeCaption", "件名の変更"},
    {"kPrintTitleLabel", "印刷表題 :"},
    {"kKenmeiLabel", "件名 :"},
    {"kKashomeiLabel", "箇所名 :"},
    {"kDefaultPrintTitle", "御　　見　　積　　書"},
};

const TextEntry kSearchExpected[] = {
    {"kSearchCaption", "工種・種別の検索"},
    {"kSearchButton", "検　索"},
    {"kKeywordHint", "※キーワードは３つまで指定できます。キーワード間はスペースで区切ってください。"},
    {"kKoshuSearchHint", "※検索結果の工種または種別をダブルクリックしてください。"},
    {"kKoshuColumnTitle", "工種"},
    {"kShubetsuColumnTitle", "種別"},
    {"kZairyoSearchHint", "※検索結果をダブルクリックしてください。"},
    {"kHinmeiColumnTitle", "品名"},
    {"kKikakuColumnTitle", "規格"},
};

void ExpectVerbatim(std::span<const TextEntry> table, std::span<const TextEntry> expectedTable) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : table)
        EXPECT_TRUE(actual.emplace(entry.name, entry.text).second) << "twice: " << entry.name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : expectedTable) expected.emplace(entry.name, entry.text);
    for (const auto& [name, text] : expected) {
        auto it = actual.find(name);
        if (it == actual.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : actual)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(table.size(), expectedTable.size());
}

}  // namespace

TEST(SelectionTexts, EveryTextVerbatim) { ExpectVerbatim(SelectionTexts(), kSelectionExpected); }

TEST(SearchTexts, EveryTextVerbatim) { ExpectVerbatim(SearchTexts(), kSearchExpected); }
