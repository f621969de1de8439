#pragma once
#include <string>

#include "platform/LocalDate.h"

// A date in the 令和 era as the reports and dialogs print it: "令和 元年  5 月  1 日" in the era's first
// year (2019), else "令和 7 年  4 月  1 日" (era year = year − 2018; month and day right-aligned in
// two places).
std::string ReiwaDateText(const vemo::CivilDate& date);
// Today's local date in that form.
std::string TodayReiwaDateText();
