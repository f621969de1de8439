#include "app/AppTexts.h"

std::span<const TextEntry> AppTexts() {
#define VEMO_APP_TEXT_ENTRY(name, text) {#name, apptext::name},
    static constexpr TextEntry kEntries[] = {VEMO_APP_TEXTS(VEMO_APP_TEXT_ENTRY) VEMO_APP_COMMAND_TEXTS(VEMO_APP_TEXT_ENTRY) VEMO_SELECTION_TEXTS(VEMO_APP_TEXT_ENTRY) VEMO_SETTING_TEXTS(VEMO_APP_TEXT_ENTRY) VEMO_VIEW_TEXTS(VEMO_APP_TEXT_ENTRY) VEMO_ROW_BUKAKE_TEXTS(VEMO_APP_TEXT_ENTRY)};
#undef VEMO_APP_TEXT_ENTRY
    return kEntries;
}
