#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/XlsWorkbook.h"

// What a cell shows through its number format, as the preview and the printout draw it. Understood:
// "General", digit placeholders 0 # ?, decimals, thousands separators (and trailing commas that
// scale by 1,000), percent, scientific notation, sections (positive;negative;zero;text), conditions
// such as [>=100], quoted literals, backslash escapes, "_x" spaces, "*x" fills (left out), "@",
// colours ([Red], [Color10]) and currency tags ([$¥-411]). A section with date or time codes shows
// the number as General.
struct XlsShownValue {
    std::string text;
    std::optional<uint32_t> color;  // 0xAARRGGBB from the format's colour code
    bool number = false;            // a number shown through a number section (too wide: "###")
};

XlsShownValue FormatXlsCell(const XlsCell& cell, std::string_view formatCode);
XlsShownValue FormatXlsNumber(double value, std::string_view formatCode);
// Excel's General for a number in at most maxChars characters (a minus sign not counted), fewer
// decimals or scientific notation when it is long; "" when it cannot fit at all.
std::string XlsGeneralNumber(double value, int maxChars = 11);
// The format code showing a number with `decimals` decimals (0 to 15): in each section the figure's
// decimal places replaced, General taken as "0". With grouped, a figure without thousands separators
// gets them ("0" becomes "#,##0"). Literals, brackets, blanks ("_x") and fills are kept.
std::string XlsFormatWithDecimals(std::string_view code, int decimals, bool grouped = false);
