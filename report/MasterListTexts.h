#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the master lists the editors print: the words after the 業務 or group name in a
// list's title, and the captions of the editors' preview windows; and those of the 歩掛 detail prints.
#define VEMO_REPORT_MASTER_LIST_TEXTS(X)                                                           \
    /* List titles: the 業務 name (or the rate group's name) goes in front */                        \
    X(kKoshuListAfter, "工種一覧")                                                                 \
    X(kShubetsuListAfter, "種別一覧")                                                              \
    X(kHenkaritsuListAfter, "一覧")                                                                \
    /* Preview captions of the 歩掛, 変化率・補正率 and 単価 editors */                                 \
    X(kKoshuPreviewTitle, "VemoOvra 工種 印刷プレビュー")                                          \
    X(kShubetsuPreviewTitle, "VemoOvra 種別 印刷プレビュー")                                       \
    X(kTankaPreviewTitle, "VemoOvra 単価 印刷プレビュー")                                          \
    /* The 歩掛 detail's own 代価表 and 代価歩掛明細表: preview captions, the titles without a 代価 */   \
    /* number, and the message for more trades than the form shows ("%d": the trades it shows) */     \
    X(kDetailDaikaPreviewTitle, "VemoOvra 代価 印刷プレビュー")                                    \
    X(kDetailMeisaiPreviewTitle, "VemoOvra 明細 印刷プレビュー")                                   \
    X(kDetailDaikaTitle, "第    号一位代価表")                                                     \
    X(kDetailMeisaiTitle, "第    号一位代価歩掛明細表")                                            \
    X(kDetailDaikaNumber, "第    号")                                                              \
    X(kDetailTooManyTrades, "職種数が歩掛明細表に表示できる%d人を超えています。")
