#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vemo {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (value == 0.0) value = 0.0;  // drops the sign of -0.0
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::string text(buf, r.ptr);
    // A negative value that rounds to zero prints as "-0.00"; show it without the sign.
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string FormatInt(int64_t value) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string FormatThousands(int64_t value) {
    std::string digits = FormatInt(value);
    size_t start = (digits[0] == '-') ? 1 : 0;
    for (size_t i = digits.size(); i > start + 3; i -= 3) digits.insert(i - 3, ",");
    return digits;
}

std::optional<double> ParseDouble(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int32_t> ParseInt(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int32_t value = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace vemo
