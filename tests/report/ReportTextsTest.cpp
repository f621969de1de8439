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
    {"kFormListColumn", "報告書印刷形式一覧"},
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
    {"kDaikaNumberFormat", "第 %d 号"},
    {"kDaikaDefaultTitle", "一位代価表"},
    {"kDaikaPageTitle", "一  位  代  価  表"},
    {"kDaikaBasisFormat", "%.2f %s 当たり"},
    {"kDaikaPerUnitFormat", "1 %s 当たり"},
    {"kDaikaTradeIndent", "　"},
    {"kDaikaJinkenhiKei", "人　件　費　計"},
    {"kDaikaProgramFee", "プログラム利用料"},
    {"kDaikaChokusetsuhiKei", "直接費計"},
    {"kDaikaKikaiKeihi", "機械経費"},
    {"kDaikaTsushinUnpanhi", "通信運搬費等"},
    {"kDaikaZairyohi", "材料費"},
    {"kDaikaRateOfDirectLabour", "  直接人件費の%.2f%%"},
    {"kDaikaSeidoKanrihi", "精度管理費"},
    {"kDaikaSeidoCoefficient", "  精度管理費係数%.2f"},
    {"kDaikaNoDirectLabour", "  ( 0 )"},
    {"kDaikaGokei", "合計"},
    {"kDaikaLumpUnit", "式"},
    {"kZairyoLossRate", " 損率%.0f％(%.0f円)"},
    {"kKeihiOfDirectLabour", "  直接人件費の%.2f％"},
    {"kKeihiOfLabour", "  労務費の%.2f％"},
    {"kKeihiOfZairyo", "  材料費の%.2f％"},
    {"kKeihiOfKikai", "  機械経費の%.2f％"},
    {"kKeihiOfSonota", "  その他経費の%.2f％"},
    {"kKeihiOfJinkenhi", "  人件費の%.2f％"},
    {"kKeihiOfAbove", "  上記合計額の%.2f％"},
    {"kMeisaiOfDirectLabour", "  (直接人件費計の%.2f％)"},
    {"kMeisaiOfLabour", "  (労務費計の%.2f％)"},
    {"kMeisaiOfZairyo", "  (材料費計の%.2f％)"},
    {"kMeisaiOfKikai", "  (機械経費計の%.2f％)"},
    {"kMeisaiOfSonota", "  (その他経費計の%.2f％)"},
    {"kMeisaiOfJinkenhi", "  (人件費計の%.2f％)"},
    {"kMeisaiOfAbove", "  (上記合計額の%.2f％)"},
    {"kZairyoKikaiTotal", "材 料 及 び 機 械 経 費 合 計"},
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
