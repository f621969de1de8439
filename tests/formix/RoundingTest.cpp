// Tests of the formula library's rounding functions (formix/Rounding.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formix/Rounding.h"

using namespace formix;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(Floor, CutsInBinaryWithoutDecimalCorrection) {
    EXPECT_EQ(Floor1(2.7), 2.0);
    EXPECT_EQ(Floor1(-2.2), -3.0);
    EXPECT_EQ(Floor2(-1.23), -13 * 0.1);  // toward minus infinity
    // 1.15 * 100.0 is 114.99999999999999 as a double: it falls to the step below.
    EXPECT_EQ(Floor3(1.15), 114 * 0.01);
    EXPECT_NE(Floor3(1.15), 1.14);
    EXPECT_EQ(Floor2(2.3), 23 * 0.1);
    EXPECT_EQ(Floor2(2.3), 2.3000000000000003);
    EXPECT_EQ(Floor4(1.2345), 1234 * 0.001);
    EXPECT_EQ(Floor4(0.0005), 0.0);
    EXPECT_EQ(Floor2(kInf), kInf);
    EXPECT_TRUE(std::isnan(Floor3(kNaN)));
}

TEST(Round, HalfAwayFromZeroOnTheFourteenDigitImage) {
    EXPECT_EQ(Round1(2.5), 3.0);
    EXPECT_EQ(Round1(-2.5), -3.0);
    EXPECT_EQ(Round1(0.5), 1.0);
    EXPECT_EQ(Round1(0.4), 0.0);
    EXPECT_EQ(Round2(0.05), 0.1);
    EXPECT_EQ(Round2(0.049), 0.0);
    EXPECT_EQ(Round4(0.0005), 0.001);
    EXPECT_EQ(Round2(99.95), 100.0);
    EXPECT_EQ(Round1(9.5), 10.0);
    EXPECT_EQ(Round2(1.25), 1.3);
    // Both doubles lie just below the decimals, yet the decimal image rounds them up.
    EXPECT_EQ(Round3(1.005), 1.01);
    EXPECT_EQ(Round2(1.15), 1.1 + 0.1);
    EXPECT_EQ(Round2(1.15), 1.2000000000000002);
    EXPECT_EQ(Round3(2.675), 2.67 + 0.01);
    EXPECT_EQ(Round3(2.675), 2.6799999999999997);
    EXPECT_EQ(Round3(-2.675), -2.6799999999999997);
    EXPECT_EQ(Round4(1.23449), 1.234);
}

TEST(Round, SignedZerosAndTheEdgesOfTheImage) {
    const double minusZero = Round1(-0.3);  // the place just above the first digit keeps the sign
    EXPECT_EQ(minusZero, 0.0);
    EXPECT_TRUE(std::signbit(minusZero));
    const double plusZero = Round1(-0.04);  // the place above that gives +0
    EXPECT_EQ(plusZero, 0.0);
    EXPECT_FALSE(std::signbit(plusZero));
    EXPECT_EQ(Round1(0.0), 0.0);
    EXPECT_EQ(Round3(0.0), 0.0);
    // 15 digits before the point: the 14-digit image is 12345678901235 and the place moves to 10^2.
    EXPECT_EQ(Round1(123456789012345.67), 123456789012400.0);
    // The place of the last kept digit is the image itself.
    EXPECT_EQ(Round2(1234567890123.45), 1234567890123.4);
    EXPECT_EQ(RoundToPlace(1.7976931348623157e308, 0), 1.797693134862e308);
    EXPECT_EQ(RoundToPlace(5e-324, -3), 0.0);
    EXPECT_EQ(RoundToPlace(1234.5678, 2), 1200.0);
    EXPECT_EQ(RoundToPlace(1250.0, 2), 1300.0);
    EXPECT_EQ(Round1(kInf), kInf);
    EXPECT_EQ(Round1(-kInf), -kInf);
    EXPECT_TRUE(std::isnan(Round2(kNaN)));
}

TEST(Gamma, WholeArgumentsGiveWholeNumbers) {
    EXPECT_EQ(Gamma(1.0), 1.0);
    EXPECT_EQ(Gamma(2.0), 1.0);
    EXPECT_EQ(Gamma(3.0), 2.0);
    EXPECT_EQ(Gamma(5.0), 24.0);
    EXPECT_EQ(Gamma(12.0), 39916800.0);
    // The series above 12 lands a hair below 12!; rounding to nearest keeps it whole.
    EXPECT_EQ(Gamma(13.0), 479001600.0);
    for (double n = 1.0; n <= 60.0; n += 1.0) {
        const double value = Gamma(n);
        EXPECT_EQ(value, std::trunc(value)) << n;
        EXPECT_NEAR(value / std::tgamma(n), 1.0, 1e-13) << n;
    }
    EXPECT_NEAR(Gamma(171.0) / 7.257415615307994e306, 1.0, 1e-12);
}

TEST(Gamma, FractionalAndNegativeArguments) {
    const double rootPi = std::sqrt(3.141592653589793);
    EXPECT_NEAR(Gamma(0.5), rootPi, 1e-12);
    EXPECT_NEAR(Gamma(-0.5), -2.0 * rootPi, 1e-12);
    EXPECT_NEAR(Gamma(-1.5), 4.0 * rootPi / 3.0, 1e-12);
    EXPECT_NEAR(Gamma(-2.5), -8.0 * rootPi / 15.0, 1e-12);
    EXPECT_NEAR(Gamma(1.5), rootPi / 2.0, 1e-14);
    EXPECT_NEAR(Gamma(4.5), 11.631728396567448, 1e-11);
    EXPECT_NEAR(Gamma(30.5) / 4.8226969334909095e31, 1.0, 1e-13);
    EXPECT_DOUBLE_EQ(Gamma(1e-30), 1e30);
}

TEST(Gamma, PolesNaNAndOverflow) {
    for (double pole : {0.0, -0.0, -1.0, -2.0, -3.0, -1e9, -1e300}) {
        EXPECT_TRUE(std::isnan(Gamma(pole))) << pole;
    }
    EXPECT_TRUE(std::isnan(Gamma(kNaN)));
    EXPECT_TRUE(std::isnan(Gamma(-kInf)));
    EXPECT_EQ(Gamma(kInf), kInf);
    EXPECT_EQ(Gamma(171.7), kInf);
    EXPECT_EQ(Gamma(1700.0), kInf);
    EXPECT_EQ(Gamma(1800.0), kInf);
    EXPECT_EQ(Gamma(3e9), kInf);  // beyond the 32-bit range
    EXPECT_EQ(Gamma(-1800.5), 0.0);
}
