#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the master lists the editors print: the words after the 業務 or group name in a
// list's title, and the captions of the editors' preview windows.
#define VEMO_REPORT_MASTER_LIST_TEXTS(X)                                                           \
    /* List titles: the 業務 name (or the rate group's name) goes in front */                        \
    X(kKoshuListAfter, "工種一覧")                                                                 \
    X(kShubetsuListAfter, "種別一覧")                                                              \
    X(kHenkaritsuListAfter, "一覧")                                                                \
    /* Preview captions of the 歩掛, 変化率・補正率 and 単価 editors */                                 \
    X(kKoshuPreviewTitle, "VemoOvra 工種 印刷プレビュー")                                          \
    X(kShubetsuPreviewTitle, "VemoOvra 種別 印刷プレビュー")                                       \
    X(kTankaPreviewTitle, "VemoOvra 単価 印刷プレビュー")
