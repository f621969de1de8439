#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Rounding.h"

TEST(Rounding, RoundDown) {
    EXPECT_EQ(RoundDown(1234.9, 1.0), 1234.0);
    EXPECT_EQ(RoundDown(12345678.0, 10000.0), 12340000.0);
    EXPECT_EQ(RoundDown(999999999.0, 1.0), 999999999.0);
    EXPECT_EQ(RoundDown(-1.5, 1.0), -2.0);
    // Values that lie a hair below a step in binary still count as the step.
    EXPECT_EQ(RoundDown(0.945, 0.001), 0.945);
    EXPECT_EQ(RoundDown(1.134, 0.001), 1.134);
    EXPECT_EQ(RoundDown(0.7 * 1.35, 0.001), 0.945);
    EXPECT_EQ(RoundDown(0.9449, 0.001), 0.944);
    EXPECT_EQ(RoundDown(2.675, 0.01), 2.67);
    EXPECT_EQ(RoundDown(4.35 * 100.0, 1.0), 435.0);
}

TEST(Rounding, RoundUp) {
    EXPECT_EQ(RoundUp(2.01, 1.0), 3.0);
    EXPECT_EQ(RoundUp(2.0, 1.0), 2.0);
    EXPECT_EQ(RoundUp(0.1 + 0.2, 0.1), 0.3);
    EXPECT_EQ(RoundUp(1.0001, 0.001), 1.001);
    EXPECT_EQ(RoundUp(-1.5, 1.0), -1.0);
}

TEST(Rounding, HalfUp) {
    EXPECT_EQ(f8_45(0.9455, 0.001), 0.946);
    EXPECT_EQ(f8_45(2235.0, 10.0), 2240.0);
    EXPECT_EQ(f8_45(2234.9, 10.0), 2230.0);
    EXPECT_EQ(f8_45(1.005, 0.01), 1.01);
    EXPECT_EQ(f8_45(0.5, 1.0), 1.0);
    EXPECT_EQ(f8_45(0.49999, 1.0), 0.0);
    EXPECT_EQ(f8_45(-0.5, 1.0), -1.0);
    EXPECT_EQ(f8_45(95.85, 0.1), 95.9);
}

TEST(Rounding, NonFiniteAndBadStepsPassThrough) {
    EXPECT_TRUE(std::isnan(RoundDown(std::nan(""), 1.0)));
    EXPECT_EQ(RoundUp(5.5, 0.0), 5.5);
    EXPECT_EQ(f8_45(5.5, -1.0), 5.5);
}

TEST(Rounding, NumToStr) {
    EXPECT_EQ(NumToStr(1.05, 0.001), "1.050");
    EXPECT_EQ(NumToStr(1234.5, 1.0), "1235");
    EXPECT_EQ(NumToStr(0.9455, 0.001), "0.946");
    EXPECT_EQ(NumToStr(12.345, 0.01), "12.35");
    EXPECT_EQ(NumToStr(-0.5, 0.001), "-0.500");
    EXPECT_EQ(NumToStr(-0.0001, 0.001), "0.000");
    EXPECT_EQ(NumToStr(1.0 / 3.0, 1e-7), "0.3333333");
    EXPECT_EQ(NumToStr(2235.0, 10.0), "2240");
    // Largest values passed stay within a 16-byte buffer.
    EXPECT_LT(NumToStr(-999999999.999, 0.001).size(), 16u);
}

TEST(Rounding, DoubleToLong) {
    EXPECT_EQ(DoubleToLong(2.9999999), 3);
    EXPECT_EQ(DoubleToLong(-2.9999999), -3);
    EXPECT_EQ(DoubleToLong(0.5), 0);
    EXPECT_EQ(DoubleToLong(-0.5), 0);
    EXPECT_EQ(DoubleToLong(1.15 * 100.0), 115);  // 114.99999999999999 in binary
    EXPECT_EQ(DoubleToLong(2147483647.0), 2147483647);
    EXPECT_EQ(DoubleToLong(-2147483648.0), std::numeric_limits<int32_t>::min());
    // Outside what the conversion defines: NaN gives 0, the rest saturates.
    EXPECT_EQ(DoubleToLong(std::nan("")), 0);
    EXPECT_EQ(DoubleToLong(std::numeric_limits<double>::infinity()), 2147483647);
    EXPECT_EQ(DoubleToLong(-std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(DoubleToLong(1e300), 2147483647);
    EXPECT_EQ(DoubleToLong(-5e12), std::numeric_limits<int32_t>::min());
}
