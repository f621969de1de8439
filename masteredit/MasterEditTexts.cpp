#include "masteredit/MasterEditTexts.h"

std::span<const TextEntry> MasterEditTexts() {
#define VEMO_MASTER_EDIT_TEXT_ENTRY(name, text) {#name, masteredittext::name},
    static constexpr TextEntry kEntries[] = {
        VEMO_MASTER_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_ENTRY)
        VEMO_ZAIRYO_TANKA_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_ENTRY)
        VEMO_BUKAKE_DETAIL_TEXTS(VEMO_MASTER_EDIT_TEXT_ENTRY)
        VEMO_BUKAKE_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_ENTRY)
        VEMO_HENKARITSU_EDIT_TEXTS(VEMO_MASTER_EDIT_TEXT_ENTRY)
    };
#undef VEMO_MASTER_EDIT_TEXT_ENTRY
    return kEntries;
}
