#include "formix/NumberString.h"

#include <charconv>
#include <cmath>

namespace formix {

namespace {

// More digits than any double has in its exact decimal expansion.
constexpr int kMaxPrecision = 1100;

// Drops trailing zeros of the fraction, and the point when nothing follows it.
void DropTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) {
        return;
    }
    size_t end = digits.find_last_not_of('0');
    if (digits[end] == '.') {
        --end;
    }
    digits.erase(end + 1);
}

std::string ToChars(double value, std::chars_format format, int precision) {
    // Enough for every digit of a double in fixed form plus the requested fraction.
    std::string buffer(static_cast<size_t>(precision) + 400, '\0');
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    buffer.resize(static_cast<size_t>(result.ptr - buffer.data()));
    return buffer;
}

}  // namespace

std::string FormatG(double value, int precision) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-NAN" : "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (precision < 0) {
        precision = 6;
    } else if (precision == 0) {
        precision = 1;
    } else if (precision > kMaxPrecision) {
        precision = kMaxPrecision;
    }
    // The exponent of the E form after rounding to `precision` digits decides the style.
    std::string text = ToChars(value, std::chars_format::scientific, precision - 1);
    size_t e = text.find('e');
    int exponent = 0;
    const char* first = text.data() + e + 1;
    std::from_chars(first + (*first == '+' ? 1 : 0), text.data() + text.size(), exponent);
    if (exponent >= -4 && exponent < precision) {
        text = ToChars(value, std::chars_format::fixed, precision - 1 - exponent);
        DropTrailingZeros(text);
        return text;
    }
    std::string mantissa = text.substr(0, e);
    DropTrailingZeros(mantissa);
    return mantissa + "E" + text.substr(e + 1);
}

}  // namespace formix
