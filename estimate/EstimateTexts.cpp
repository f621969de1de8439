#include "estimate/EstimateTexts.h"

std::span<const TextEntry> EstimateTexts() {
    static constexpr TextEntry kEntries[] = {
#define VEMO_TEXT_ENTRY(name, text) {#name, estimate_texts::name},
        VEMO_ESTIMATE_TEXTS(VEMO_TEXT_ENTRY)
#undef VEMO_TEXT_ENTRY
    };
    return kEntries;
}
