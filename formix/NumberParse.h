#pragma once

#include <cstddef>
#include <optional>
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

// The white space of the C locale: blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the number at text[begin] ends, in ScanNumber's syntax: leading white space, a sign,
// digits with a point, an exponent. Returns `begin` when no number starts there. skipWhite(i) and
// skipDigits(i) give the first position at or after i (at most `end`) that is not white space, not
// a digit; callers with an index of the text pass quicker ones than a loop.
template <class SkipWhite, class SkipDigits>
size_t NumberEnd(std::string_view text, size_t begin, size_t end, SkipWhite skipWhite, SkipDigits skipDigits) {
    size_t i = skipWhite(begin);
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t next = skipDigits(i);
    size_t digits = next - i;
    i = next;
    if (i < end && text[i] == '.') {
        next = skipDigits(i + 1);
        digits += next - (i + 1);
        i = next;
    }
    if (digits == 0) {
        return begin;
    }
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < end && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < end && IsDigit(text[j])) {
            i = skipDigits(j);
        }
    }
    return i;
}

// Length of the longest named constant ("M_2_SQRTPI").
inline constexpr size_t kLongestConstantName = 10;

// The value of the named constant (M_E, M_PI, PI, ...) that the text is, trimmed of white space
// and without regard to case.
std::optional<double> NamedConstant(std::string_view text);

// True when the text, trimmed of white space, is one of the named constants (M_E, M_PI, PI, ...)
// without regard to case, or when ScanNumber consumes the whole (untrimmed) text. The empty text
// is a number; "2 " is not.
bool IsNumber(std::string_view text);

// The named constant's value, or the value of the number at the start of the text, or 0.0.
double ToNumber(std::string_view text);

}  // namespace formix
