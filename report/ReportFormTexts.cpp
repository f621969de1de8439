#include "report/ReportFormTexts.h"

std::span<const TextEntry> ReportFormTexts() {
#define VEMO_REPORT_FORM_TEXT_ENTRY(name, text) {#name, reporttext::name},
    static constexpr TextEntry kEntries[] = {VEMO_REPORT_FORM_TEXTS(VEMO_REPORT_FORM_TEXT_ENTRY)};
#undef VEMO_REPORT_FORM_TEXT_ENTRY
    return kEntries;
}
