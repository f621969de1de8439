#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the 一位代価表 pages beyond the 測量 rows: the rows of the 設計, 物件調査 and 土質調査
// pages, the 土質 line remarks, the closing rows, and the 工種 variant pages (percentage, material and rate
// pages). Texts with "%" are printf formats; texts named …Open and …Close go on either side of a number.
#define VEMO_REPORT_DAIKA_TEXTS(X)                                                                      \
    /* Rows of a 種別 page: the 物件調査 labour total, 電子計算機使用料, the rate remarks ("%.2f": the */             \
    /* rate in percent), the correction remarks ("%s": the factor with its digits), the corrected */    \
    /* trade quantity ("%.3f": the quantity, "%s": the factor, "%.2f": the corrected quantity, cut to */ \
    /* 1/100 人), the four-digit remarks */                                                                  \
    X(kDaikaJinkenhi, "人件費")                                                                            \
    X(kDaikaRatePercent, "  %.2f%%")                                                                    \
    X(kDaikaRatePercentStandard, "  %.2f%%  (標準歩掛)")                                                    \
    X(kDaikaCorrection, "  (補正率 %s)")                                                                    \
    X(kDaikaCorrectionKubun, "  (補正率 － )")                                                              \
    X(kDaikaTradeCorrection, "  %.3f×%s=%.2f")                                                         \
    X(kDaikaFourDigits, "　有効数字４桁")                                                                      \
    X(kDaikaFourDigitsOpen, "　有効数字４桁  (")                                                               \
    X(kDaikaAmountOpen, "　(")                                                                                 \
    /* 土質 lines: the remarks of the 任意材料費 (Z1) and 任意機械経費 (Z2) lines by basis ("%.2f": rate) */         \
    X(kDoshitsuOfDirectLabour, " 直接人件費計の%.2f％")                                                         \
    X(kDoshitsuOfLabour, " 労務費計の%.2f％")                                                                 \
    X(kDoshitsuOfZairyo, " 材料費計の%.2f％")                                                                 \
    X(kDoshitsuOfJinkenhi, " 人件費計の%.2f％")                                                               \
    X(kDoshitsuOfAbove, " 上記合計額の%.2f％")                                                                 \
    X(kDoshitsuOfPrice, " 該当単価の%.2f％")                                                                  \
    /* Closing rows: the basis and single-unit texts ("%.2f"/"%s": basis and unit), 電子 rate remark */   \
    X(kClosingPerBasis, "　%.2f %s 当たり")                                                                 \
    X(kClosingPerOne, "　1.00 %s 当たり")                                                                   \
    X(kClosingPerOneName, "1.00 %s 当たり")                                                                \
    X(kClosingDensiRate, "　%.2f%%")                                                                     \
    /* 工種 variant pages: the title ("%d": the number), the total row, the rate page's 業務 names, */   \
    /* the name of its second base, the signs of its remarks and the opening bracket of its sum */\
    X(kDaikaVariantTitle, "第 %d 号一位代価表")                                                                \
    X(kDaikaVariantTotal, "合 計")                                                                        \
    X(kRatePageSokuryo, "測量業務")                                                                         \
    X(kRatePageSekkei, "土木設計業務")                                                                        \
    X(kRatePageBukken, "用地調査等業務")                                                                       \
    X(kRatePageChishitsu, "地質調査業務")                                                                     \
    X(kRatePageKaiseki, "解析等調査業務")                                                                      \
    X(kRatePageChosaKeikaku, "調査・計画業務")                                                                 \
    X(kRatePageTimes, "×")                                                                              \
    X(kVariantPercent, "%")                                                                             \
    X(kRatePageSumOpen, " (")
