#include "app/SelectionTexts.h"

std::span<const TextEntry> SelectionTexts() {
#define VEMO_SELECTION_TEXT_ENTRY(name, text) {#name, apptext::name},
    static constexpr TextEntry kEntries[] = {VEMO_SELECTION_TEXTS(VEMO_SELECTION_TEXT_ENTRY)};
#undef VEMO_SELECTION_TEXT_ENTRY
    return kEntries;
}
