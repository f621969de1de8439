#pragma once
#include <span>

#include "platform/TextEntry.h"
#include "dialogkit/SearchTexts.h"

// The fixed texts of the dialog kit: the captions, labels, buttons, notes, radio and check texts of
// the dialog base and the shared input dialogs. Each is written once, here; the dialogs refer to it
// by name (dialogtext::kOk). The names of the 材料単価 kinds the name input offers are the master's
// (mastertext::kZairyoKind…), but for 動力費, which the dialog names shorter.
#define VEMO_DIALOG_TEXTS(X)                                                                                   \
    /* The buttons every dialog repeats */                                                                     \
    X(kOk, "OK")                                                                                               \
    X(kCancel, "ｷｬﾝｾﾙ")                                                                                        \
    /* Number input: the caption and label before a mode gives its own, then each mode's caption, */           \
    /* label and fixed unit */                                                                                 \
    X(kNumberInputCaption, "数値入力")                                                                         \
    X(kNumberLabel, "数値  :")                                                                                 \
    X(kQuantityCaption, "数量入力")                                                                            \
    X(kQuantityLabel, "数量 :")                                                                                \
    X(kUnitPriceCaption, "単価入力")                                                                           \
    X(kUnitPriceLabel, "単価 :")                                                                               \
    X(kAmountCaption, "金額入力")                                                                              \
    X(kAmountLabel, "金額 :")                                                                                  \
    X(kRateCaption, "率入力")                                                                                  \
    X(kRateLabel, "率 :")                                                                                      \
    X(kPercentUnit, "％")                                                                                      \
    X(kWeightAverageCaption, "重量平均値入力")                                                                 \
    X(kWeightAverageLabel, "重量平均値 :")                                                                     \
    X(kSummaryRowsCaption, "総括表印刷行数入力")                                                               \
    X(kRowsLabel, "行数 :")                                                                                    \
    X(kMultiplyCaption, "現在の数量を何倍しますか？")                                                          \
    X(kMultiplyLabel, "数量　×　:")                                                                            \
    X(kTimesUnit, "倍")                                                                                        \
    /* Number input: the notes, the 自動計算 button and the fiscal years whose rates it may use */             \
    X(kManualNote, "任意の数値が入力されています。\n入力を解除し自動的に計算する場合は自動計算ボタンを押してください。") \
    X(kAutoCalc, "自動計算")                                                                                   \
    X(kDiscountNote, "※＋入力すると値引きします。－入力すると加算します。")                                    \
    X(kYearUpToH26, "平成26年度以前の率を使用")                                                                \
    X(kYearFromH27, "平成27年度以降の率を使用")                                                                \
    X(kYearH27ToR6, "平成27年度～令和6年度までの率を使用")                                                     \
    X(kYearH27, "平成27年度の率を使用")                                                                        \
    X(kYearH28H29, "平成28年度および平成29年度の率を使用")                                                     \
    X(kYearH30ToR5, "平成30年度～令和5年度までの率を使用")                                                     \
    X(kYearFromR6, "令和6年度以降の率を使用")                                                                  \
    X(kYearFromR7, "令和7年度以降の率を使用")                                                                  \
    X(kYearNote, "使用する年度の率を選択して、「自動計算」ボタンを押して下さい。")                             \
    /* Number input: the heads of the rate tables shown under the field */                                     \
    X(kRateTableCorner, "場所＼地域")                                                                          \
    X(kDistrictDaiShigaichi, "大市街地")                                                                       \
    X(kDistrictShigaichiKo, "市街地甲")                                                                        \
    X(kDistrictShigaichiOtsu, "市街地乙・都市近郊")                                                            \
    X(kDistrictSonota, "その他")                                                                               \
    X(kPlaceGendo, "主として現道上")                                                                           \
    /* Name input: its caption, then the caption of each action, plain, for a 職種 and for a 品名 */           \
    X(kNameEditCaption, "名前変更")                                                                            \
    X(kActionNew, "新規作成")                                                                                  \
    X(kActionRename, "名前の変更")                                                                             \
    X(kActionCopy, "コピー")                                                                                   \
    X(kActionAdd, "追加")                                                                                      \
    X(kActionInsert, "挿入")                                                                                   \
    X(kTradeAdd, "職種追加")                                                                                   \
    X(kTradeRename, "職種変更")                                                                                \
    X(kTradeCopy, "職種コピー")                                                                                \
    X(kTradeInsert, "職種挿入")                                                                                \
    X(kArticleAdd, "品名追加")                                                                                 \
    X(kArticleRename, "品名変更")                                                                              \
    X(kArticleCopy, "品名コピー")                                                                              \
    X(kArticleInsert, "品名挿入")                                                                              \
    /* Name input: the fields, the check box and the price-kind radios */                                      \
    X(kNameLabel, "名前 :")                                                                                    \
    X(kArticleLabel, "品名：")                                                                                 \
    X(kUnitLabel, "単位 :")                                                                                    \
    X(kCodeLabel, "コード :")                                                                                  \
    X(kKensetsuBukkaCodeLabel, "建設物価コード :")                                                             \
    X(kKanrenLabel, "関連：")                                                                                  \
    X(kYobiLabel, "予備 :")                                                                                    \
    X(kUserCreated, "ユーザー作成")                                                                            \
    X(kPriceKindTitle, "単価種別")                                                                             \
    X(kZairyoKindDoryoku, "動力費")                                                                            \
    /* Title input: the captions and labels of the table titles, the item names and the 摘要 */                \
    X(kTableTitleCaption, "表のタイトル変更")                                                                  \
    X(kRowTitleLabel, "行のタイトル :")                                                                        \
    X(kColumnTitleLabel, "列のタイトル :")                                                                     \
    X(kItemNameCaption, "費目／工種／種別名の編集")                                                            \
    X(kTekiyoCaption, "摘要の編集")                                                                            \
    X(kUpperLabel, "上段 :")                                                                                   \
    X(kLowerLabel, "下段 :")

namespace dialogtext {
#define VEMO_DIALOG_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_DIALOG_TEXTS(VEMO_DIALOG_TEXT_CONSTANT)
VEMO_SEARCH_TEXTS(VEMO_DIALOG_TEXT_CONSTANT)
#undef VEMO_DIALOG_TEXT_CONSTANT
}  // namespace dialogtext

// Every dialog-kit text with its name, in the order of the list above.
std::span<const TextEntry> DialogTexts();
