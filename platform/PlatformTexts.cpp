#include "platform/PlatformTexts.h"

std::span<const TextEntry> PlatformTexts() {
#define VEMO_PLATFORM_TEXT_ENTRY(name, text) {#name, platformtext::name},
    static constexpr TextEntry kEntries[] = {VEMO_PLATFORM_TEXTS(VEMO_PLATFORM_TEXT_ENTRY)};
#undef VEMO_PLATFORM_TEXT_ENTRY
    return kEntries;
}
