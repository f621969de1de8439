// Tests of report/ReportTexts.h.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "report/ReportTexts.h"

namespace {

// Every text of report output, exactly as the program shows it.
const TextEntry kExpected[] = {
    {"kDefaultPreviewTitle", "VemoOvra 印刷プレビュー"},
    {"kTemplateMissing", "\nが見つかりません。\nファイルの有無を確認してください。"},
    {"kTemplateUnreadable", "\nを読み込めませんでした。\nファイルが壊れているか、正しい形式ではありません。"},
    {"kPreviewOpenMessage", "既に印刷プレビュー ウィンドウが開かれています。\n印刷プレビュー ウィンドウを閉じてください。"},
    {"kPreviewDialogTitle", "印刷プレビュー"},
    {"kPreviewPrint", "印刷(&P)"},
    {"kPreviewNextPage", "次ﾍﾟｰｼﾞ(&N)"},
    {"kPreviewPreviousPage", "前ﾍﾟｰｼﾞ(&V)"},
    {"kPreviewZoomIn", "拡大(&I)"},
    {"kPreviewZoomOut", "縮小(&O)"},
    {"kPreviewClose", "閉じる(&C)"},
    {"kPreviewSaveExcel", "EXCELファイルで保存(&S)..."},
    {"kPreviewPageLabel", "ページ :"},
    {"kPreviewPageAfter", " ページ"},
    {"kSaveExcelTitle", "EXCELファイルで保存"},
    {"kSaveExcelFilter", "Excel ファイル (*.xlsx)|*.xlsx|すべてのファイル (*.*)|*.*||"},
    {"kSaveExcelFailed", "\nを保存できませんでした。\n保存先のフォルダーと空き容量を確認してください。"},
    {"kStatusBuildingReport", "ページを設定をしています..."},
    {"kGyomuKakakuHeading", "委 託 費"},
    {"kGyomuKakakuTotal", "合    計"},
    {"kGyomuKakakuGrandTotal", "総 合 計"},
    {"kShikiUnit", "式"},
    {"kSokatsuReference", "総括表"},
    {"kUchiwakeReference", "内訳書"},
    {"kGyomuWord", "業務"},
    {"kKakakuSuffix", "価格"},
    {"kGyomuKakakuSuffix", "業務価格"},
    {"kPlaceOpen", "（"},
    {"kPlaceClose", "）"},
    {"kSokatsuTitle", "総　　括　　表　"},
    {"kUchiwakeTitle", "内　　訳　　書　"},
    {"kSokatsuTotal", "合　計"},
    {"kSokatsuGrandTotal", "総合計"},
    {"kGijutsuKeihiRateBefore", "技術経費率 "},
    {"kHyoshiCaption", "表紙設定・印刷"},
    {"kHyoshiPrintTitleLabel", "印刷表題 ："},
    {"kHyoshiNoLabel", "No. ："},
    {"kHyoshiDateLabel", "日付 ："},
    {"kHyoshiAddress1Label", "宛名1 ："},
    {"kHyoshiAddress2Label", "宛名2 ："},
    {"kHyoshiSpareLabel", "文章予備 ："},
    {"kHyoshiSubjectLabel", "業務名称 ："},
    {"kHyoshiPlaceLabel", "箇所名 ："},
    {"kHyoshiAmountLabel", "見積金額 ："},
    {"kHyoshiClearHistory", "履歴からクリア"},
    {"kHyoshiGetDate", "日付取得"},
    {"kHyoshiFormsLabel", "設定項目"},
    {"kHyoshiSaveAndClose", "保存して終了"},
    {"kHyoshiPreview", "印刷ﾌﾟﾚﾋﾞｭｰ"},
    {"kHyoshiPrint", "印刷..."},
    {"kHyoshiPreviewTitle", "VemoOvra 表紙 印刷プレビュー"},
    {"kAskClearPrintTitle", "印刷表題の履歴から選択されている文字列をクリアしてよろしいですか？"},
    {"kAskClearAddress1", "宛名1の履歴から選択されている文字列をクリアしてよろしいですか？"},
    {"kAskClearAddress2", "宛名2の履歴から選択されている文字列をクリアしてよろしいですか？"},
    {"kAskClearSubject", "件名の履歴から選択されている文字列をクリアしてよろしいですか？"},
    {"kAskClearPlace", "箇所名の履歴から選択されている文字列をクリアしてよろしいですか？"},
    {"kAmountYen", "￥"},
    {"kAmountWithTax", "－ （消費税含む）"},
    {"kAmountWithoutTax", "－ （消費税含まず）"},
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

TEST(ReportTexts, EveryTextVerbatim) {
    std::map<std::string, std::string> actual;
    for (const TextEntry& entry : ReportTexts())
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
    EXPECT_EQ(ReportTexts().size(), std::size(kExpected));
}
