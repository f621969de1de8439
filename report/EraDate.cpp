#include "report/EraDate.h"

#include <cstdio>

#include "report/ReportTexts.h"

std::string ReiwaDateText(const vemo::CivilDate& date) {
    char text[128];
    const int eraYear = date.year - 2018;
    if (eraYear == 1)
        std::snprintf(text, sizeof text, reporttext::kReiwaFirstYearDate, date.month, date.day);
    else
        std::snprintf(text, sizeof text, reporttext::kReiwaDate, eraYear, date.month, date.day);
    return text;
}

std::string TodayReiwaDateText() { return ReiwaDateText(vemo::LocalToday()); }
