// Tests of formix/NumberParse.h.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "formix/NumberParse.h"

using namespace formix;

TEST(NumberParse, IsNumberFollowsStrtodAndTheNamedConstants) {
    for (const char* text : {"2.5", "-2.5", "+7", ".5", "5.", "1E5", "1e-5", " 2", "\t\n2", "pi", " M_PI ",
                             "m_sqrt_2", "", "0.000", "25"}) {
        EXPECT_TRUE(IsNumber(text)) << '"' << text << '"';
    }
    for (const char* text : {"2 ", "5%", "1.5.3", "(2)", "2*3", "H1", "PI2", " ", "+", "-", ".", "1E", "1E+",
                             "INF", "inf", "NAN", "nan", "0X10", "0x1p3", "2,5", "M_PI_3"}) {
        EXPECT_FALSE(IsNumber(text)) << '"' << text << '"';
    }
}

TEST(NumberParse, ToNumberReadsTheNumericStart) {
    EXPECT_EQ(ToNumber("2.5"), 2.5);
    EXPECT_EQ(ToNumber("pi"), 3.141592653589793);
    EXPECT_EQ(ToNumber(" M_PI "), 3.141592653589793);
    EXPECT_EQ(ToNumber("m_sqrt_2"), 0.7071067811865476);
    EXPECT_EQ(ToNumber("M_PI_2"), 1.5707963267948966);  // compared whole, not as M_PI
    EXPECT_EQ(ToNumber("M_2_SQRTPI"), 1.1283791670955126);
    EXPECT_EQ(ToNumber("5%"), 5.0);
    EXPECT_EQ(ToNumber("1.5.3"), 1.5);
    EXPECT_EQ(ToNumber("12ABC"), 12.0);
    EXPECT_EQ(ToNumber("1E"), 1.0);
    EXPECT_EQ(ToNumber("1e+"), 1.0);
    EXPECT_EQ(ToNumber("-1.25e2x"), -125.0);
    EXPECT_EQ(ToNumber(" \t+.5"), 0.5);
    EXPECT_EQ(ToNumber("2,5"), 2.0);
    for (const char* text : {"H1", "(2)", "", " ", "INF", "NAN", "-inf", "PI2"}) {
        EXPECT_EQ(ToNumber(text), 0.0) << '"' << text << '"';
    }
    // strtod's extensions of the C library are not numbers here: "0X10" is 0 followed by text.
    EXPECT_EQ(ToNumber("0X10"), 0.0);
    EXPECT_EQ(ToNumber("0x1p3"), 0.0);
}

TEST(NumberParse, ValuesAreCorrectlyRoundedAndRangeIsKept) {
    EXPECT_EQ(ToNumber("0.1"), 0.1);
    EXPECT_EQ(ToNumber("2.2250738585072011e-308"), 2.2250738585072009e-308);
    EXPECT_EQ(ToNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(ToNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("123456789e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(ToNumber("-1e-400")));
    EXPECT_EQ(ToNumber("0.000001e-400"), 0.0);
    EXPECT_EQ(ToNumber("100000e-5"), 1.0);
    EXPECT_EQ(ToNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_TRUE(std::signbit(ToNumber("-0")));
}

TEST(NumberParse, ScanReportsTheConsumedLength) {
    EXPECT_EQ(ScanNumber("  12.5e3xyz").length, 8u);
    EXPECT_EQ(ScanNumber("  12.5e3xyz").value, 12500.0);
    EXPECT_EQ(ScanNumber("1e+x").length, 1u);
    EXPECT_EQ(ScanNumber("-.").length, 0u);
    EXPECT_EQ(ScanNumber("").length, 0u);
    // A NUL inside the text is a character like any other that ends the number.
    EXPECT_EQ(ScanNumber(std::string_view("12\0" "34", 5)).length, 2u);
    EXPECT_FALSE(IsNumber(std::string_view("12\0", 3)));
}
