#pragma once
#include <span>

#include "platform/TextEntry.h"

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

namespace dialogtext {
#define VEMO_SEARCH_TEXT_CONSTANT(name, text) inline constexpr char name[] = text;
VEMO_SEARCH_TEXTS(VEMO_SEARCH_TEXT_CONSTANT)
#undef VEMO_SEARCH_TEXT_CONSTANT
}  // namespace dialogtext

// Every search text with its name, in the order of the list above.
std::span<const TextEntry> SearchTexts();
