#pragma once
#include <span>

#include "platform/TextEntry.h"
#include "report/DaikaTexts.h"
#include "report/DaikaMeisaiTexts.h"
#include "report/ReportFormTexts.h"
#include "report/RateSheetTexts.h"
#include "report/MasterListTexts.h"
#include "report/ReportFailureTexts.h"

// The fixed texts of report output: the report job's messages and default caption, and the texts of
// the print preview window. Each is written once, here; the code refers to it by name
// (reporttext::kTemplateMissing). A text starting with "\n" follows a path; texts named …Before and
// …After go on either side of a number.
#define VEMO_REPORT_TEXTS(X)                                                                              \
    /* The report job */                                                                                  \
    X(kDefaultPreviewTitle, "VemoOvra 印刷プレビュー")                                                    \
    X(kPreviewOpenMessage,                                                                                \
      "既に印刷プレビュー ウィンドウが開かれています。\n印刷プレビュー ウィンドウを閉じてください。")     \
    X(kNothingPrinted, "何も印刷できませんでした。\nプリンターが設定されているか確認してください。")     \
    /* A print that was not done: a page range without pages; a PDF file not written (the file */        \
    /* before, the system's reason after) and a printer's job that ended unfinished (the printer */        \
    /* before, how it ended after) */                                                                     \
    X(kNoPageInRange, "指定された印刷範囲には印刷するページがありません。\n印刷範囲のページ番号を確認してください。") \
    X(kPdfNotWritten, "\nを書き込めなかったため、印刷を中止しました。")                                    \
    X(kPdfIncomplete, "作成された PDF ファイルが完全ではありません。")                                      \
    X(kPdfReadOnly, "ファイルが読み取り専用です。")                                                        \
    X(kPrintJobFailed, "\nでの印刷は完了しませんでした。")                                                  \
    X(kPrintJobAborted, "印刷ジョブが中止されました。")                                                    \
    X(kPrintJobError, "印刷ジョブでエラーが発生しました。プリンターの状態を確認してください。")              \
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
    X(kSaveExcelFailed, "\nを保存できませんでした。\n保存先のフォルダーと空き容量を確認してください。") \
    X(kSaveExcelReadOnly, "\nは読み取り専用のため、上書き保存できません。\n別のファイル名を指定して保存してください。") \
    /* The estimate report: the message pane while it is built, and its dates ("%2d" month and */          \
    /* day; the era year printed with a sign blank, "% 2d") */                                              \
    X(kStatusBuildingReport, "ページを設定をしています...")                                               \
    /* 業務価格総括表: its heading, the names of the total rows, the unit and quantity of a 業務 row, */      \
    /* the references to the 総括表 and 内訳書 pages (a number follows), the 業務 price names (a name */        \
    /* ending in 業務 takes 価格, any other 業務価格) and the place name's brackets after the 件名 */             \
    X(kGyomuKakakuHeading, "委 託 費")                                                                    \
    X(kGyomuKakakuTotal, "合    計")                                                                      \
    X(kGyomuKakakuGrandTotal, "総 合 計")                                                                 \
    X(kSokatsuReference, "総括表")                                                                        \
    X(kUchiwakeReference, "内訳書")                                                                       \
    X(kKakakuSuffix, "価格")                                                                              \
    X(kGyomuKakakuSuffix, "業務価格")                                                                     \
    X(kPlaceOpen, "（")                                                                                   \
    X(kPlaceClose, "）")                                                                                  \
    /* 総括表 and 内訳書: the sheet titles (the 業務 number follows), the names of the total rows, the */      \
    /* label of the 業務 total on the first page, the 技術経費率 remark (the rate follows) */                  \
    X(kSokatsuTitle, "総　　括　　表　")                                                                  \
    X(kUchiwakeTitle, "内　　訳　　書　")                                                                 \
    X(kSokatsuTotal, "合　計")                                                                            \
    X(kSokatsuGrandTotal, "総合計")                                                                       \
    X(kSokatsuGyomuTotalLabel, "業務価格合計")                                                            \
    X(kGijutsuKeihiRateBefore, "技術経費率 ")                                                             \
    /* The cover-sheet dialog: caption, labels without a twin, buttons, the list of forms */               \
    X(kHyoshiCaption, "表紙設定・印刷")                                                                   \
    X(kHyoshiPrintTitleLabel, "印刷表題 ：")                                                              \
    X(kHyoshiNoLabel, "No. ：")                                                                           \
    X(kHyoshiDateLabel, "日付 ：")                                                                        \
    X(kHyoshiAddress1Label, "宛名1 ：")                                                                   \
    X(kHyoshiAddress2Label, "宛名2 ：")                                                                   \
    X(kHyoshiSpareLabel, "文章予備 ：")                                                                   \
    X(kHyoshiSubjectLabel, "業務名称 ：")                                                                 \
    X(kHyoshiPlaceLabel, "箇所名 ：")                                                                     \
    X(kHyoshiAmountLabel, "見積金額 ：")                                                                  \
    X(kHyoshiClearHistory, "履歴からクリア")                                                              \
    X(kHyoshiGetDate, "日付取得")                                                                         \
    X(kHyoshiFormsLabel, "設定項目")                                                                      \
    X(kSaveAndClose, "保存して終了")                                                                      \
    X(kPrintPreviewButton, "印刷ﾌﾟﾚﾋﾞｭｰ")                                                                      \
    X(kPrintDotsButton, "印刷...")                                                                            \
    X(kHyoshiPreviewTitle, "VemoOvra 表紙 印刷プレビュー")                                                \
    /* The cover-sheet dialog: clearing a history entry */                                                 \
    X(kAskClearPrintTitle, "印刷表題の履歴から選択されている文字列をクリアしてよろしいですか？")          \
    X(kAskClearAddress1, "宛名1の履歴から選択されている文字列をクリアしてよろしいですか？")               \
    X(kAskClearAddress2, "宛名2の履歴から選択されている文字列をクリアしてよろしいですか？")               \
    X(kAskClearSubject, "件名の履歴から選択されている文字列をクリアしてよろしいですか？")                 \
    X(kAskClearPlace, "箇所名の履歴から選択されている文字列をクリアしてよろしいですか？")                 \
    /* The cover-sheet dialog: an amount of the estimate offered as 見積金額 (full-width digits */          \
    /* between the yen sign and the ending) */                                                             \
    X(kAmountYen, "￥")                                                                                   \
    X(kAmountWithTax, "－ （消費税含む）")                                                                \
    X(kAmountWithoutTax, "－ （消費税含まず）")                                                         \
    /* 一位代価表: the number, the default title word, the page title, the basis and per-unit texts */   \
    /* ("%.2f"/"%s": basis and its unit), the trade-name indent, the total rows and the lump unit */      \
    X(kDaikaNumberFormat, "第 %d 号")                                                                     \
    X(kDaikaPageTitle, "一  位  代  価  表")                                                              \
    X(kDaikaBasisFormat, "%.2f %s 当たり")                                                                \
    X(kDaikaPerUnitFormat, "1 %s 当たり")                                                                 \
    X(kDaikaTradeIndent, "　")                                                                            \
    X(kDaikaJinkenhiKei, "人　件　費　計")                                                                \
    X(kDaikaProgramFee, "プログラム利用料")                                                               \
    X(kDaikaChokusetsuhiKei, "直接費計")                                                                  \
    X(kDaikaKikaiKeihi, "機械経費")                                                                       \
    X(kDaikaTsushinUnpanhi, "通信運搬費等")                                                               \
    X(kDaikaRateOfDirectLabour, "  直接人件費の%.2f%%")                                                   \
    X(kDaikaSeidoCoefficient, "  精度管理費係数%.2f")                                                     \
    X(kDaikaNoDirectLabour, "  ( 0 )")                                                                    \
    X(kDaikaGokei, "合計")                                                                                \
    /* 材料及び機械経費 block: the loss-rate remark ("%.0f": rate, "%.*f": the price with its own */     \
    /* decimals), the remarks of the rate rows by basis, on a 代価表 and on a 代価明細 page ("%.2f": */  \
    /* the rate), the block total */                                                                    \
    X(kZairyoLossRate, " 損率%.0f％(%.*f円)")                                                            \
    X(kKeihiOfDirectLabour, "  直接人件費の%.2f％")                                                       \
    X(kKeihiOfLabour, "  労務費の%.2f％")                                                                 \
    X(kKeihiOfZairyo, "  材料費の%.2f％")                                                                 \
    X(kKeihiOfKikai, "  機械経費の%.2f％")                                                                \
    X(kKeihiOfSonota, "  その他経費の%.2f％")                                                             \
    X(kKeihiOfJinkenhi, "  人件費の%.2f％")                                                               \
    X(kKeihiOfAbove, "  上記合計額の%.2f％")                                                              \
    X(kMeisaiOfDirectLabour, "  (直接人件費計の%.2f％)")                                                  \
    X(kMeisaiOfLabour, "  (労務費計の%.2f％)")                                                            \
    X(kMeisaiOfZairyo, "  (材料費計の%.2f％)")                                                            \
    X(kMeisaiOfKikai, "  (機械経費計の%.2f％)")                                                           \
    X(kMeisaiOfSonota, "  (その他経費計の%.2f％)")                                                        \
    X(kMeisaiOfJinkenhi, "  (人件費計の%.2f％)")                                                          \
    X(kMeisaiOfAbove, "  (上記合計額の%.2f％)")                                                           \
    X(kZairyoKikaiTotal, "材 料 及 び 機 械 経 費 合 計")

namespace reporttext {
#define VEMO_REPORT_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_REPORT_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_FORM_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_RATE_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_DAIKA_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_MASTER_LIST_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_MEISAI_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
VEMO_REPORT_FAILURE_TEXTS(VEMO_REPORT_TEXT_CONSTANT)
#undef VEMO_REPORT_TEXT_CONSTANT
}  // namespace reporttext

// Every report text with its name, in the order of the list above.
std::span<const TextEntry> ReportTexts();
