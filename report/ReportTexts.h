#pragma once
#include <span>

#include "platform/TextEntry.h"

// The fixed texts of report output: the report job's messages and default caption, and the texts of
// the print preview window. Each is written once, here; the code refers to it by name
// (reporttext::kTemplateMissing). A text starting with "\n" follows a path; texts named …Before and
// …After go on either side of a number.
#define VEMO_REPORT_TEXTS(X)                                                                              \
    /* The report job */                                                                                  \
    X(kDefaultPreviewTitle, "VemoOvra 印刷プレビュー")                                                    \
    X(kTemplateMissing, "\nが見つかりません。\nファイルの有無を確認してください。")                       \
    X(kTemplateUnreadable, "\nを読み込めませんでした。\nファイルが壊れているか、正しい形式ではありません。") \
    X(kPreviewOpenMessage,                                                                                \
      "既に印刷プレビュー ウィンドウが開かれています。\n印刷プレビュー ウィンドウを閉じてください。")     \
    /* The print preview window */                                                                        \
    X(kPreviewDialogTitle, "印刷プレビュー")                                                              \
    X(kPreviewPrint, "印刷(&P)")                                                                          \
    X(kPreviewNextPage, "次ﾍﾟｰｼﾞ(&N)")                                                                    \
    X(kPreviewPreviousPage, "前ﾍﾟｰｼﾞ(&V)")                                                                \
    X(kPreviewZoomIn, "拡大(&I)")                                                                         \
    X(kPreviewZoomOut, "縮小(&O)")                                                                        \
    X(kPreviewClose, "閉じる(&C)")                                                                        \
    X(kPreviewSaveExcel, "EXCELファイルで保存(&S)...")                                                    \
    X(kPreviewPageLabel, "ページ :")                                                                      \
    X(kPreviewPageAfter, " ページ")                                                                       \
    /* Saving the previewed workbook as an Excel file */                                                  \
    X(kSaveExcelTitle, "EXCELファイルで保存")                                                             \
    X(kSaveExcelFilter, "Excel ファイル (*.xlsx)|*.xlsx|すべてのファイル (*.*)|*.*||")                    \
    X(kSaveExcelFailed, "\nを保存できませんでした。\n保存先のフォルダーと空き容量を確認してください。")

namespace reporttext {
#define VEMO_REPORT_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_REPORT_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
#undef VEMO_REPORT_TEXT_CONSTANT
}  // namespace reporttext

// Every report text with its name, in the order of the list above.
std::span<const TextEntry> ReportTexts();
