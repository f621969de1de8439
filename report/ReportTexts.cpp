#include "report/ReportTexts.h"

std::span<const TextEntry> ReportTexts() {
#define VEMO_REPORT_TEXT_ENTRY(name, text) {#name, reporttext::name},
    static constexpr TextEntry kEntries[] = {VEMO_REPORT_TEXTS(VEMO_REPORT_TEXT_ENTRY) VEMO_REPORT_FORM_TEXTS(VEMO_REPORT_TEXT_ENTRY)
                                              VEMO_REPORT_RATE_TEXTS(VEMO_REPORT_TEXT_ENTRY)
                                                  VEMO_REPORT_DAIKA_TEXTS(VEMO_REPORT_TEXT_ENTRY)
                                             VEMO_REPORT_MASTER_LIST_TEXTS(VEMO_REPORT_TEXT_ENTRY)
                                             VEMO_REPORT_MEISAI_TEXTS(VEMO_REPORT_TEXT_ENTRY)
                                             VEMO_REPORT_FAILURE_TEXTS(VEMO_REPORT_TEXT_ENTRY)};
#undef VEMO_REPORT_TEXT_ENTRY
    return kEntries;
}
