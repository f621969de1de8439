// Tests of platform/NumberText.h.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "CommaLocale.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

using namespace vemo;

namespace {

void ExpectCLocaleTexts() {
    EXPECT_EQ(FormatFixed(2.5, 4), "2.5000");
    EXPECT_EQ(FormatFixed(-0.00001, 2), "0.00");
    EXPECT_EQ(FormatFixed(1234567.891, 1), "1234567.9");
    EXPECT_EQ(NumToStr(1.05, 0.001), "1.050");
    EXPECT_EQ(ParseDouble("2.5").value(), 2.5);
    EXPECT_FALSE(ParseDouble("2,5").has_value());
}

}  // namespace

TEST(NumberText, FormatsAndReads) {
    ExpectCLocaleTexts();
    EXPECT_EQ(FormatInt(-2147483648LL), "-2147483648");
    EXPECT_EQ(FormatThousands(1630200), "1,630,200");
    EXPECT_EQ(FormatThousands(-999), "-999");
    EXPECT_EQ(FormatThousands(-1000), "-1,000");
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(ParseDouble(" -1.5e2 ").value(), -150.0);
    EXPECT_EQ(ParseDouble("+3").value(), 3.0);
    EXPECT_FALSE(ParseDouble("").has_value());
    EXPECT_FALSE(ParseDouble("1.5x").has_value());
    EXPECT_FALSE(ParseDouble("inf").has_value());
    EXPECT_FALSE(ParseDouble("nan").has_value());
    EXPECT_EQ(ParseInt(" 42").value(), 42);
    EXPECT_FALSE(ParseInt("2147483648").has_value());
    EXPECT_FALSE(ParseInt("4.2").has_value());
}

TEST(NumberText, UnchangedUnderDecimalCommaLocale) {
    CommaLocale locale;
    ASSERT_TRUE(locale.Active());
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 2.5);
    ASSERT_STREQ(buf, "2,5");  // the locale really is in force
    ExpectCLocaleTexts();
}
