#pragma once
// A section of the program's text table (app/AppTexts.h): the fixed texts of the estimate view, its
// labels, grid headings, status texts and messages. app/ViewTexts.h gives the view's code its names.
#define VEMO_VIEW_TEXTS(X)                                                                                     \
    /* Labels in front of the two header texts */                                                              \
    X(kViewKenmeiLabel, "件   名 :")                                                                               \
    /* Grid column headings, columns 1 to 6 */                                                                 \
    X(kColumnTitleName, "費目  ／  工種  ／  種別")                                                            \
    X(kColumnTitleUnit, "単 位")                                                                               \
    X(kColumnTitleQuantity, "数 量")                                                                           \
    X(kColumnTitleUnitPrice, "単 価")                                                                          \
    X(kColumnTitleAmount, "金 額")                                                                             \
    X(kColumnTitleRemark, "摘 要")                                                                             \
    /* The 安全費 rate in the message pane: prefix + rate + suffix, or the text for no 安全費 */              \
    X(kAnzenhiRatePrefix, "安全費率 ")                                                                         \
    X(kAnzenhiNone, "安全費無し ")                                                                             \
    /* The delete question: the kind of the current row's node, then the question */                          \
    X(kDeleteKindGyomu, "業務データ")                                                                          \
    X(kDeleteKindKoshu, "工種データ")                                                                          \
    X(kDeleteKindShubetsu, "種別データ")                                                                       \
    X(kDeleteQuestion, "を削除してよろしいですか？")                                                           \
    /* An input whose recalculation goes past a limit of the amounts is put back (%1: the row's name) */       \
    X(kInputPastLimit,                                                                                         \
      "「%1」の入力で見積の金額が有効範囲を越えるため、入力前の内容に戻しました。\n\n"                          \
      "見積の合計が１０億円未満になるように調整して下さい。")                                                  \
    /* A recalculation past a limit of the amounts: %1 the names of the 業務 (or the total) it touched, */     \
    /* joined by the second text */                                                                            \
    X(kCalcLimitsNotice,                                                                                       \
      "「%1」の金額が有効範囲を越えているため、正しく計算できません。\n\n"                                      \
      "見積の合計が１０億円未満になるように数量や単価を調整して下さい。")                                      \
    X(kCalcLimitsNameJoin, "」「")                                                                             \
    /* A row left without a price because its unit price is more than a unit price can hold (%1: the */       \
    /* names of the rows, joined as above) */                                                                  \
    X(kUnitPriceLimitNotice,                                                                                   \
      "「%1」の単価が有効範囲を越えました。\n\n単価が２．１億円以下になるように調整して下さい。")                \
    /* A 数量 field left empty is not a quantity: the row is left as it was (%1: the row's name) */            \
    X(kQuantityEmpty, "「%1」の数量が空欄のため、入力前の内容のままにしました。\n\n数量を入力して下さい。")    \
    /* The estimate's material-price file cannot be used: the estimate takes the file in use */                \
    X(kZairyoFileNotLoadedAfter, "\nの材料単価データを読み込めませんでした。")                                 \
    X(kZairyoFileSwitchedTo, "\n現在アプリケーションで使用している材料単価ファイル\n")                         \
    X(kZairyoFileSwitchedAfter, "\nに切り替えました。")
