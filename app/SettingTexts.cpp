#include "app/SettingTexts.h"

std::span<const TextEntry> SettingTexts() {
#define VEMO_SETTING_TEXT_ENTRY(name, text) {#name, apptext::name},
    static constexpr TextEntry kEntries[] = {VEMO_SETTING_TEXTS(VEMO_SETTING_TEXT_ENTRY)};
#undef VEMO_SETTING_TEXT_ENTRY
    return kEntries;
}
