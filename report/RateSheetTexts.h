#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the change-rate sheets, the 業務 7 rate rows of the 代価歩掛明細表 and the 単価表.
// Formats are printf formats; texts named …Before and …After go on either side of a value.
#define VEMO_REPORT_RATE_TEXTS(X)                                                                  \
    /* Change-rate sheets: the title word after the 種別 name, the circled digits the name loses, */ \
    /* the words that keep a table head off the sheet */                                           \
    X(kHenkaCircled1, "①")                                                                        \
    X(kHenkaCircled2, "②")                                                                        \
    X(kHenkaCircled3, "③")                                                                        \
    /* 業務 7 rate rows: the 区分 title, the rate lines by 歩掛 type ("%.2f": percent) */          \
    X(kChikuKubunTitle, "　変 　化 　率")                                                          \
    X(kChikuAlpha1, "　　α１＝%.2f％")                                                            \
    X(kChikuAlpha2, "　　α２＝%.2f％")                                                            \
    X(kChikuAlpha3, "　　α３＝%.2f％")                                                            \
    X(kChikuAlpha4, "　　α４＝%.2f％")                                                            \
    X(kChikuAlpha5, "　　α５＝%.2f％")                                                            \
    X(kChikuBeta1, "　　β１＝%.2f％")                                                             \
    X(kChikuBeta2, "　　β２＝%.2f％")                                                             \
    X(kChikuAlpha2Beta1, "　　α２＝%.2f％　　β１＝%.2f％")                                       \
    X(kChikuAlpha4Beta1, "　　α４＝%.2f％　　β１＝%.2f％")                                       \
    X(kChikuAlpha4Beta2, "　　α４＝%.2f％　　β２＝%.2f％")                                       \
    X(kChikuBeta1Dash, "　　β１'＝%.2f％")                                                        \
    X(kChikuBeta2Dash, "　　β２'＝%.2f％")                                                        \
    /* The α5' line of a route: length (km), the standard length, the ratio and the rate */        \
    X(kChikuLengthBefore, "　　α5'(延長%.3lfkm 標準延長")                                          \
    X(kChikuLengthMiddle, "km)＝(")                                                                \
    X(kChikuLengthRatio, "%.3lf÷")                                                                 \
    X(kChikuLengthPower, ")^0.8≒")                                                                 \
    X(kChikuLengthRate, "%.2lf％")                                                                 \
    /* The correction line, and the bracket line of the amount worked through the rates */         \
    X(kChikuCorrection, "　　補正係数＝%.2lf")                                                     \
    X(kChikuBracketOpen, "　　［ ")                                                                \
    X(kChikuTimes, " × ")                                                                          \
    X(kChikuEquals, " ＝ ")                                                                        \
    X(kChikuBracketClose, " ］")                                                                   \
    /* 単価表: the basis on the 代価表 page, the reference to a 単価表, the 合計 remark, the */       \
    /* deducted totals, the page titles, the line name's brackets, the worker remark (man-days, */ \
    /* factor, and the man-days rounded, "%.*f" with the digits they were rounded to), the */      \
    /* 電子計算機使用料 rate, the 工程 prefixes of the rate text and the factor remarks */          \
    X(kTankaReference, "　第%d号単価表")                                                           \
    X(kTankaSignificantBefore, "　有効数字４桁 (")                                                 \
    X(kTankaSeidoDeducted, "精度管理費控除後合計")                                                 \
    X(kTankaDensiDeducted, "電子計算機使用料控除後合計")                                           \
    X(kTankaTitleNumbered, "第 %d 号 単 価 表")                                                    \
    X(kTankaTitle, "単　　価　　表")                                                               \
    X(kTankaWorkerRemark, "  %.3f×%.4f=%.*f")                                                      \
    X(kTankaFactor4, "  (補正率 %.4f)")
