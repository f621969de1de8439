#include "dialogkit/DialogTexts.h"

std::span<const TextEntry> DialogTexts() {
#define VEMO_DIALOG_TEXT_ENTRY(name, text) {#name, dialogtext::name},
    static constexpr TextEntry kEntries[] = {VEMO_DIALOG_TEXTS(VEMO_DIALOG_TEXT_ENTRY) VEMO_SEARCH_TEXTS(VEMO_DIALOG_TEXT_ENTRY)};
#undef VEMO_DIALOG_TEXT_ENTRY
    return kEntries;
}
