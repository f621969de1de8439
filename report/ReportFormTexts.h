#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the print forms and the page settings: the check-box labels a form's text twin
// may replace, the twin line that switches the 物件 breakdown on, the dates in the 令和 era, and the
// captions, labels, buttons, filter and messages of the form-list and page-settings dialogs. Each is
// written once, here; the code refers to it by name (reporttext::kLabelSetDate). Texts named …After
// follow a path; date texts are printf formats.
#define VEMO_REPORT_FORM_TEXTS(X)                                                                  \
    /* The six labels of the page settings shown when the form has no text twin */                 \
    X(kLabelSetDate, "日付を設定する")                                                             \
    X(kLabelPrintHyoshi, "表紙を印刷する")                                                         \
    X(kLabelPrintGyomuSokatsu, "業務価格総括表を印刷する")                                         \
    X(kLabelPrintSokatsu, "総括表を印刷する")                                                      \
    X(kLabelPrintDaika, "代価表を印刷する")                                                        \
    X(kLabelPrintDaikaMeisai, "代価明細表を印刷する")                                              \
    /* Line 24 of a text twin that prints the breakdown detail of 物件 rows too */                 \
    X(kBukkenUchiwakeSwitch, "物件版内訳明細書を印刷する")                                         \
    /* Dates: the first year of the era, then any other year (era year, month, day) */             \
    X(kReiwaFirstYearDate, "令和 元年 %2d 月 %2d 日")                                              \
    X(kReiwaDate, "令和% 2d 年 %2d 月 %2d 日")                                                     \
    /* The form list */                                                                            \
    X(kPrintFormCaption, "印刷フォームの設定")                                                     \
    X(kPrintFormListLabel, "登録されている印刷書式ファイル一覧 :")                                 \
    X(kColumnFileName, "ファイル名")                                                               \
    X(kColumnLocation, "場所")                                                                     \
    X(kOpenForm, "フォームを開く")                                                                 \
    X(kAddForm, "フォームの追加")                                                                  \
    X(kDeleteForm, "フォームの削除")                                                               \
    X(kOpenFormTitle, "開く－印刷書式ファイル")                                                    \
    X(kFormRegisteredAfter, "\nは、既に登録済みです。")                                            \
    X(kCannotDeleteLastForm, "これ以上削除できません")                                             \
    /* The page settings */                                                                        \
    X(kPageSettingCaption, "ページの詳細設定")                                                     \
    X(kLabelOmitKingaku, "単価（金額）抜きで印刷する")                                             \
    X(kLabelSetStartPage, "開始頁を設定する")                                                      \
    X(kLabelPageBreakPerGyomu, "業務毎に改頁する")                                                 \
    X(kStartPageUnit, "頁")                                                                        \
    X(kNumberBefore, "第")                                                                         \
    X(kDaikaNumberAfter, "号一位代価表")                                                           \
    X(kTankaStartLabel, "単価表開始番号")                                                          \
    X(kTankaNumberAfter, "号単価表")                                                               \
    X(kFormListColumn, "報告書印刷形式一覧")
