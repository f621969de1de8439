#include "app/AppCommandTexts.h"

std::span<const TextEntry> AppCommandTexts() {
#define VEMO_APP_COMMAND_TEXT_ENTRY(name, text) {#name, appcmdtext::name},
    static constexpr TextEntry kEntries[] = {VEMO_APP_COMMAND_TEXTS(VEMO_APP_COMMAND_TEXT_ENTRY)};
#undef VEMO_APP_COMMAND_TEXT_ENTRY
    return kEntries;
}
