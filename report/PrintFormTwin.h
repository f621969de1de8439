#pragma once
#include <array>
#include <string>

// The text twin of a print form: the form's path with its ".xls" (or ".xlsx") replaced by ".txt".
// Its lines label and enable the parts of the estimate report: lines 0 to 17 the fields of the
// cover dialog, 18 to 23 the check boxes of the page settings (22 the 代価表, 23 the 代価明細表).
inline constexpr int kFormTwinLines = 25;
using FormTwinLines = std::array<std::string, kFormTwinLines>;

std::string FormTwinPath(const std::string& formPath);

// Reads the twin of a form (its first 1000 bytes, Shift-JIS, one line per text; a carriage
// return before a line feed is dropped). False when it cannot be opened; lines are then left as
// they were.
bool LoadFormTwin(const std::string& formPath, FormTwinLines& lines);

// A date in the era format of the printouts: "令和 元年  5 月  1 日" in the first era year,
// "令和 7 年  5 月  1 日" after it.
std::string EraDateText(int year, int month, int day);
// Today's date (the local calendar date) in that format.
std::string TodayEraDateText();
