#include "master/MasterTexts.h"

std::span<const TextEntry> MasterTexts() {
#define VEMO_MASTER_TEXT_ENTRY(name, text) {#name, mastertext::name},
    static constexpr TextEntry kEntries[] = {VEMO_MASTER_TEXTS(VEMO_MASTER_TEXT_ENTRY)};
#undef VEMO_MASTER_TEXT_ENTRY
    return kEntries;
}
