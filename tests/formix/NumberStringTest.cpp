// Tests of formix/NumberString.h.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "CommaLocale.h"
#include "formix/NumberString.h"

using namespace formix;

namespace {

// printf's own answer, taken while the C locale is in force.
std::string Printf(double value, int precision) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*G", precision, value);
    return buffer;
}

}  // namespace

TEST(NumberString, WritesSixSignificantDigits) {
    EXPECT_EQ(CNumberString(2.0, 6).GetText(), "2");
    EXPECT_EQ(CNumberString(0.001, 6).GetText(), "0.001");
    EXPECT_EQ(CNumberString(-0.5, 6).GetText(), "-0.5");
    EXPECT_EQ(CNumberString(1234567.0, 6).GetText(), "1.23457E+06");
    EXPECT_EQ(CNumberString(0.0001, 6).GetText(), "0.0001");
    EXPECT_EQ(CNumberString(0.00001, 6).GetText(), "1E-05");
    EXPECT_EQ(CNumberString(999999.5, 6).GetText(), "1E+06");
    EXPECT_EQ(CNumberString(0.0, 6).GetText(), "0");
    EXPECT_EQ(CNumberString(-0.0, 6).GetText(), "-0");
    EXPECT_EQ(CNumberString(1e300, 15).GetText(), "1E+300");
    EXPECT_EQ(CNumberString(std::numeric_limits<double>::infinity(), 6).GetText(), "INF");
    EXPECT_EQ(CNumberString(-std::numeric_limits<double>::infinity(), 6).GetText(), "-INF");
    EXPECT_EQ(CNumberString(std::numeric_limits<double>::quiet_NaN(), 6).GetText(), "NAN");
    EXPECT_EQ(NumText(3.0), "3");
    EXPECT_TRUE(CNumberString().IsEmpty());
    EXPECT_EQ(CNumberString(std::string("abc")).GetText(), "abc");
}

TEST(NumberString, MatchesPrintfInTheCLocale) {
    const double values[] = {1.0, 0.1, 1.0 / 3.0, 2.0 / 3.0, 123456.0, 1234567.0, 0.000123456, 1e-5, 99999.95,
                             5e-324, 1.7976931348623157e308, -42.125, 0.5, 2.5, 1e15, 123.456e10, 100.0};
    for (double v : values) {
        for (int precision : {0, 1, 2, 6, 10, 15, 17, 25}) {
            EXPECT_EQ(FormatG(v, precision), Printf(v, precision)) << v << " at " << precision;
        }
    }
    EXPECT_EQ(FormatG(1.5, -3), Printf(1.5, 6));
}

TEST(NumberString, KeepsThePointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, CommaLocaleName().c_str()), nullptr);
    ASSERT_EQ(Printf(1.5, 6), "1,5");  // the locale is in force
    EXPECT_EQ(CNumberString(1.5, 6).GetText(), "1.5");
    EXPECT_EQ(CNumberString(1234567.0, 6).GetText(), "1.23457E+06");
    std::setlocale(LC_ALL, previous.c_str());
}
