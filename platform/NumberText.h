#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number texts, always in the C locale whatever the user's locale says.
namespace vemo {

// Fixed-point text with the given number of decimals ("%.4lf" → FormatFixed(x, 4)). Never "-0".
std::string FormatFixed(double value, int decimals);

// Whole number as "%d" would print it.
std::string FormatInt(int64_t value);

// Whole number with thousands separators ("1,234,567").
std::string FormatThousands(int64_t value);

// Reads a decimal number (optional sign, digits, point, exponent); surrounding blanks are allowed,
// anything else makes the text invalid.
std::optional<double> ParseDouble(std::string_view text);

// Reads a whole number in the int32 range; surrounding blanks are allowed.
std::optional<int32_t> ParseInt(std::string_view text);

}  // namespace vemo
