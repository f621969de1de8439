#include "app/dialogs/SearchTexts.h"

std::span<const TextEntry> SearchTexts() {
#define VEMO_SEARCH_TEXT_ENTRY(name, text) {#name, dialogtext::name},
    static constexpr TextEntry kEntries[] = {VEMO_SEARCH_TEXTS(VEMO_SEARCH_TEXT_ENTRY)};
#undef VEMO_SEARCH_TEXT_ENTRY
    return kEntries;
}
