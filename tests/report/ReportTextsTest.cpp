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
