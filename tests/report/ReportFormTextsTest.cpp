#include <gtest/gtest.h>

#include <map>
#include <string>

#include "report/ReportFormTexts.h"

namespace {

// Every text of the print forms and page settings, exactly as the program shows it.
const TextEntry kExpected[] = {
    {"kLabelSetDate", "日付を設定する"},
    {"kLabelPrintHyoshi", "表紙を印刷する"},
    {"kLabelPrintGyomuSokatsu", "業務価格総括表を印刷する"},
    {"kLabelPrintSokatsu", "総括表を印刷する"},
    {"kLabelPrintDaika", "代価表を印刷する"},
    {"kLabelPrintDaikaMeisai", "代価明細表を印刷する"},
    {"kBukkenUchiwakeSwitch", "物件版内訳明細書を印刷する"},
    {"kReiwaFirstYearDate", "令和 元年 %2d 月 %2d 日"},
    {"kReiwaDate", "令和% 2d 年 %2d 月 %2d 日"},
    {"kPrintFormCaption", "印刷フォームの設定"},
    {"kPrintFormListLabel", "登録されている印刷書式ファイル一覧 :"},
    {"kColumnFileName", "ファイル名"},
    {"kColumnLocation", "場所"},
    {"kOpenForm", "フォームを開く"},
    {"kAddForm", "フォームの追加"},
    {"kDeleteForm", "フォームの削除"},
    {"kOpenFormTitle", "開く－印刷書式ファイル"},
    {"kFormFilter", "Excel ファイル (*.xlsx)|*.xlsx|すべてのファイル (*.*)|*.*||"},
    {"kFormRegisteredAfter", "\nは、既に登録済みです。"},
    {"kCannotDeleteLastForm", "これ以上削除できません"},
    {"kPageSettingCaption", "ページの詳細設定"},
    {"kLabelOmitKingaku", "単価（金額）抜きで印刷する"},
    {"kLabelSetStartPage", "開始頁を設定する"},
    {"kLabelPageBreakPerGyomu", "業務毎に改頁する"},
    {"kStartPageUnit", "頁"},
    {"kNumberBefore", "第"},
    {"kDaikaNumberAfter", "号一位代価表"},
    {"kTankaStartLabel", "単価表開始番号"},
    {"kTankaNumberAfter", "号単価表"},
    {"kFormListColumn", "報告書印刷形式一覧"},
};

}  // namespace

TEST(ReportFormTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : ReportFormTexts())
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
    EXPECT_EQ(ReportFormTexts().size(), std::size(kExpected));
}
