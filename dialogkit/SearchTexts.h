#pragma once
// A section of the dialog kit's text table (dialogkit/DialogTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the keyword search dialogs: captions, buttons, hints and the result grids'
// column titles. Each is written once, here; the code refers to it by name (dialogtext::kSearchButton).
#define VEMO_SEARCH_TEXTS(X)                                                                   \
    /* Both search dialogs */                                                                  \
    X(kSearchCaption, "工種・種別の検索")                                                      \
    X(kSearchButton, "検　索")                                                                 \
    X(kKeywordHint, "※キーワードは３つまで指定できます。キーワード間はスペースで区切ってください。") \
    /* 工種 and 種別 search */                                                                 \
    X(kKoshuSearchHint, "※検索結果の工種または種別をダブルクリックしてください。")            \
    X(kKoshuColumnTitle, "工種")                                                               \
    X(kShubetsuColumnTitle, "種別")                                                            \
    /* Material-price search */                                                                \
    X(kZairyoSearchHint, "※検索結果をダブルクリックしてください。")                           \
    X(kHinmeiColumnTitle, "品名")                                                              \
    X(kKikakuColumnTitle, "規格")
