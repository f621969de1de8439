#pragma once

#include <cstddef>
#include <string_view>

namespace formix {

// Result of reading a number at the start of a text.
struct NumberScan {
    size_t length = 0;   // characters consumed, leading white space included; 0 when there is no number
    double value = 0.0;  // the number read, 0.0 when there is none
};

// Reads the longest number at the start of the text the way the C library's strtod does in the
// classic locale: leading white space, an optional sign, digits with an optional point, and an
// optional exponent. Infinity and NaN names and hexadecimal forms are not numbers here. A value
// beyond the double range gives an infinity of its sign; one too small for it gives zero.
NumberScan ScanNumber(std::string_view text);

// True when the text, trimmed of white space, is one of the named constants (M_E, M_PI, PI, ...)
// without regard to case, or when ScanNumber consumes the whole (untrimmed) text. The empty text
// is a number; "2 " is not.
bool IsNumber(std::string_view text);

// The named constant's value, or the value of the number at the start of the text, or 0.0.
double ToNumber(std::string_view text);

}  // namespace formix
