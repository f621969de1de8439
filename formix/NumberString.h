#pragma once

#include <string>

namespace formix {

// Number as "%.*G" prints it in the C locale: at most `precision` significant digits, trailing
// zeros dropped, exponent form ("1.23457E+06") for very large or small magnitudes, "INF", "-INF"
// and "NAN" for the special values. A precision of 0 counts as 1, a negative one as 6.
std::string FormatG(double value, int precision);

// A number written as text; nodes write their numbers with precision 6.
class CNumberString {
public:
    CNumberString() = default;
    CNumberString(double value, int precision) : m_strText(FormatG(value, precision)) {}
    explicit CNumberString(std::string text) : m_strText(std::move(text)) {}

    const std::string& GetText() const { return m_strText; }
    bool IsEmpty() const { return m_strText.empty(); }

private:
    std::string m_strText;
};

// Shorthand for the number texts of expression nodes.
inline std::string NumText(double value) { return CNumberString(value, 6).GetText(); }

}  // namespace formix
