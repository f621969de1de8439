#include "formix/NumberParse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace formix {

namespace {

struct ConstantEntry {
    std::string_view name;
    double value;
};

// Compared in this order; names are matched whole.
constexpr std::array<ConstantEntry, 15> kConstants{{
    {"M_E", 2.718281828459045},
    {"M_LOG2E", 1.4426950408889634},
    {"M_LOG10E", 0.4342944819032518},
    {"M_LN2", 0.6931471805599453},
    {"M_LN10", 2.302585092994046},
    {"M_PI_2", 1.5707963267948966},
    {"M_PI_4", 0.7853981633974483},
    {"M_PI", 3.141592653589793},
    {"M_1_PI", 0.3183098861837907},
    {"M_2_PI", 0.6366197723675814},
    {"M_1_SQRTPI", 0.5641895835477563},
    {"M_2_SQRTPI", 1.1283791670955126},
    {"M_SQRT2", 1.4142135623730951},
    {"M_SQRT_2", 0.7071067811865476},
    {"PI", 3.141592653589793},
}};

static_assert(std::all_of(kConstants.begin(), kConstants.end(), [](const ConstantEntry& c) {
    return c.name.size() <= kLongestConstantName && (c.name[0] == 'M' || c.name[0] == 'P');
}));

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::optional<double> NamedConstant(std::string_view text) {
    size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    // Every name begins with M or P: most texts are told apart by their first character.
    const char initial = UpperAscii(text[first]);
    if (initial != 'M' && initial != 'P') {
        return std::nullopt;
    }
    std::string_view trimmed = text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
    for (const ConstantEntry& constant : kConstants) {
        if (constant.name.size() != trimmed.size()) {
            continue;
        }
        bool same = true;
        for (size_t i = 0; i < trimmed.size() && same; ++i) {
            same = UpperAscii(trimmed[i]) == constant.name[i];
        }
        if (same) {
            return constant.value;
        }
    }
    return std::nullopt;
}

namespace {

// Value of a number whose magnitude lies beyond the double range: the digits and the exponent
// tell on which side. Only called for a mantissa with a non-zero digit.
double OutOfRangeValue(std::string_view mantissa, std::string_view exponent) {
    // Decimal exponent of the first significant digit, from the mantissa alone.
    long long lead = 0;
    size_t point = mantissa.find('.');
    size_t firstNonZero = mantissa.find_first_not_of("0.");
    if (point == std::string_view::npos) {
        point = mantissa.size();
    }
    if (firstNonZero < point) {
        lead = static_cast<long long>(point - firstNonZero);
    } else {
        lead = -static_cast<long long>(firstNonZero - point - 1);
    }
    // The exponent, saturated far beyond anything that matters.
    long long exp = 0;
    bool negative = false;
    for (char c : exponent) {
        if (c == '-') {
            negative = true;
        } else if (IsDigit(c) && exp < 1000000) {
            exp = exp * 10 + (c - '0');
        }
    }
    return lead + (negative ? -exp : exp) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

NumberScan ScanNumber(std::string_view text) {
    const size_t size = text.size();
    auto skipWhite = [text, size](size_t i) {
        while (i < size && IsWhiteSpace(text[i])) {
            ++i;
        }
        return i;
    };
    auto skipDigits = [text, size](size_t i) {
        while (i < size && IsDigit(text[i])) {
            ++i;
        }
        return i;
    };
    const size_t end = NumberEnd(text, 0, size, skipWhite, skipDigits);
    if (end == 0) {
        return {};
    }
    size_t start = skipWhite(0);
    const bool negative = text[start] == '-';
    if (text[start] == '+' || text[start] == '-') {
        ++start;
    }
    // The mantissa ends where its digits and point end; the exponent, if read, follows.
    size_t mantissaEnd = start;
    while (mantissaEnd < end && (IsDigit(text[mantissaEnd]) || text[mantissaEnd] == '.')) {
        ++mantissaEnd;
    }
    double value = 0.0;
    auto result = std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfRangeValue(text.substr(start, mantissaEnd - start), text.substr(mantissaEnd, end - mantissaEnd));
    }
    return {end, negative ? -value : value};
}

bool IsNumber(std::string_view text) {
    if (NamedConstant(text)) {
        return true;
    }
    return ScanNumber(text).length == text.size();
}

double ToNumber(std::string_view text) {
    if (auto constant = NamedConstant(text)) {
        return *constant;
    }
    return ScanNumber(text).value;
}

}  // namespace formix
