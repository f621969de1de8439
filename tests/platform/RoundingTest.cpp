// Tests of platform/Rounding.h.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/NumberText.h"
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

TEST(Rounding, DoubleToLongHoldsTellsTheValuesHeldAtTheLimits) {
    const struct {
        double x;
        bool held;
    } cases[] = {
        {2147483647.0, false}, {2147483647.9, false}, {2147483648.0, true},   {1e300, true},
        {-2147483648.0, false}, {-2147483648.9, false}, {-2147483649.0, true}, {-5e12, true},
        {std::numeric_limits<double>::infinity(), true}, {std::nan(""), false}, {0.5, false},
    };
    for (const auto& c : cases) EXPECT_EQ(DoubleToLongHolds(c.x), c.held) << c.x;
}

namespace {

// The rounding as it was first written, over the C library (std::nearbyint, std::floor, std::ceil,
// std::trunc): the inline helpers must give the very same bits for every input.
namespace libm_rounding {

bool Usable(double x, double step) { return std::isfinite(x) && std::isfinite(step) && step > 0.0; }

double GuardedQuotient(double x, double step) {
    double q = x / step;
    double nearest = std::nearbyint(q);
    double tolerance = std::max(1e-9, std::fabs(q) * 32.0 * DBL_EPSILON);
    return std::fabs(q - nearest) <= tolerance ? nearest : q;
}

double Multiple(double n, double step) {
    if (step < 1.0) {
        double inverse = std::nearbyint(1.0 / step);
        if (inverse > 0.0 && std::fabs(1.0 / step - inverse) <= 1e-9 * inverse) return n / inverse;
    }
    double r = n * step;
    return r == 0.0 ? 0.0 : r;
}

int DecimalsOf(double step) {
    int decimals = 0;
    double s = step;
    while (decimals < 15 && std::fabs(s - std::nearbyint(s)) > 1e-9 * std::max(1.0, std::fabs(s))) {
        s *= 10.0;
        ++decimals;
    }
    return decimals;
}

double RoundDown(double x, double step) {
    if (!Usable(x, step)) return x;
    return Multiple(std::floor(GuardedQuotient(x, step)), step);
}

double RoundUp(double x, double step) {
    if (!Usable(x, step)) return x;
    return Multiple(std::ceil(GuardedQuotient(x, step)), step);
}

double f8_45(double x, double step) {
    if (!Usable(x, step)) return x;
    double q = GuardedQuotient(x, step);
    double n = (q >= 0.0) ? std::floor(GuardedQuotient(q + 0.5, 1.0)) : -std::floor(GuardedQuotient(-q + 0.5, 1.0));
    return Multiple(n, step);
}

std::string NumToStr(double x, double step) {
    if (!Usable(x, step)) return "0";
    return vemo::FormatFixed(f8_45(x, step), step >= 1.0 ? 0 : DecimalsOf(step));
}

int32_t DoubleToLong(double x) {
    if (std::isnan(x)) return 0;
    double adjusted = (x >= 0.0) ? x + 1e-7 : x - 1e-7;
    adjusted = std::trunc(adjusted);
    if (adjusted >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (adjusted <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(adjusted);
}

}  // namespace libm_rounding

// Compares the helpers with the library versions bit for bit (signed zeros and NaNs included) and
// counts the comparisons, so that a generator that makes nothing is noticed.
class RoundingComparison {
public:
    void Check(double x, double step, bool withText) {
        ++m_count;
        Same("RoundDown", x, step, RoundDown(x, step), libm_rounding::RoundDown(x, step));
        Same("RoundUp", x, step, RoundUp(x, step), libm_rounding::RoundUp(x, step));
        Same("f8_45", x, step, f8_45(x, step), libm_rounding::f8_45(x, step));
        if (withText && NumToStr(x, step) != libm_rounding::NumToStr(x, step))
            Fail("NumToStr", x, step, NumToStr(x, step) + " vs " + libm_rounding::NumToStr(x, step));
    }
    void CheckLong(double x) {
        ++m_count;
        if (DoubleToLong(x) != libm_rounding::DoubleToLong(x))
            Fail("DoubleToLong", x, 0.0,
                 std::to_string(DoubleToLong(x)) + " vs " + std::to_string(libm_rounding::DoubleToLong(x)));
    }
    // x and its neighbours a few units in the last place either side.
    void CheckAround(double x, double step, bool withText) {
        double up = x, down = x;
        Check(x, step, withText);
        for (int i = 0; i < 3; ++i) {
            up = std::nextafter(up, HUGE_VAL);
            down = std::nextafter(down, -HUGE_VAL);
            Check(up, step, false);
            Check(down, step, false);
        }
    }
    long Count() const { return m_count; }
    int Failures() const { return m_failures; }

private:
    static uint64_t Bits(double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    }
    void Same(const char* what, double x, double step, double got, double expected) {
        if (Bits(got) != Bits(expected) && !(std::isnan(got) && std::isnan(expected)))
            Fail(what, x, step, Text(got) + " vs " + Text(expected));
    }
    static std::string Text(double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return buf;
    }
    void Fail(const char* what, double x, double step, const std::string& detail) {
        if (++m_failures <= 20) ADD_FAILURE() << what << "(" << Text(x) << ", " << Text(step) << "): " << detail;
    }

    long m_count = 0;
    int m_failures = 0;
};

}  // namespace

TEST(Rounding, SameBitsAsTheLibraryRoundingForEveryStepUsed) {
    RoundingComparison compare;
    std::mt19937_64 random(20240611);
    // The steps the calculation rounds to, the 丸め choices 10^0..10^7 of the 業務 total, the
    // man-day steps, base quantities of a 歩掛 (quantity / 100) and steps of no decimal kind.
    std::vector<double> steps = {1.0, 10.0, 0.1, 0.01, 0.001, 0.0001, 1e-7, 0.5, 0.25, 0.3, 0.05, 2.5, 7.0,
                                 1.0 / 3.0, 0.125, 1e-300, 5e-324, 1e300, DBL_MAX};
    for (int choice = 0; choice <= 7; ++choice) steps.push_back(std::pow(10.0, choice));
    for (int quantity : {1, 3, 7, 25, 33, 150, 999, 12345}) steps.push_back(quantity / 100.0);
    std::uniform_real_distribution<double> exponent(-9.0, 9.0);
    for (int i = 0; i < 40; ++i) steps.push_back(std::pow(10.0, exponent(random)));

    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> scale(-12, 12);
    for (double step : steps) {
        // Multiples of the step and halfway points, as the decimal step gives them (n / 1000) and as
        // products (n × 0.001), each with its neighbours.
        const double inverse = std::nearbyint(1.0 / step);
        for (int n = -1500; n <= 1500; ++n) {
            compare.CheckAround(n * step, step, n % 7 == 0);
            compare.CheckAround((n + 0.5) * step, step, n % 7 == 0);
            if (inverse > 1.0) compare.CheckAround(n / inverse, step, false);
        }
        // Values of every size and sign.
        for (int i = 0; i < 3000; ++i) {
            const double x = (unit(random) - 0.5) * std::pow(10.0, scale(random)) * step;
            compare.Check(x, step, i % 5 == 0);
            compare.Check(std::ldexp(unit(random), scale(random) * 8) * (i % 2 ? 1.0 : -1.0), step, false);
        }
    }
    // Every value with up to five decimals below 100 as the formula results give them: products
    // and quotients of decimals (0.7 × 1.35 is 0.94499999999999995).
    for (int n = -100000; n <= 100000; n += 3) {
        const double x = n / 1000.0;
        for (double step : {1.0, 0.1, 0.01, 0.001, 0.0001}) compare.Check(x, step, false);
        compare.Check(x * 1.35, 0.001, false);
        compare.Check(x / 0.7, 0.001, false);
    }
    // Inputs outside the ordinary: signed zeros, infinities, NaN, subnormals, the largest values,
    // the limit of exact whole numbers and steps that make no rounding.
    const double specials[] = {0.0, -0.0, HUGE_VAL, -HUGE_VAL, std::nan(""), 5e-324, -5e-324, DBL_MIN, DBL_MAX,
                               -DBL_MAX, 4503599627370496.0, 4503599627370495.5, -4503599627370495.5,
                               9007199254740993.0, 0.49999999999999994, -0.49999999999999994, 2147483647.5};
    for (double x : specials) {
        for (double step : steps) compare.CheckAround(x, step, false);
        for (double step : {0.0, -0.0, -1.0, HUGE_VAL, std::nan("")}) compare.Check(x, step, true);
    }

    // DoubleToLong: around every whole number and its 1e-7 margin near zero and the int32 limits,
    // and values of every size.
    for (double base : {0.0, 1000.0, 2147483000.0, -2147483000.0}) {
        for (int n = -600; n <= 600; ++n) {
            const double k = base + n;
            for (double x : {k, k - 1e-7, k + 1e-7, k + 0.5}) {
                compare.CheckLong(x);
                compare.CheckLong(std::nextafter(x, HUGE_VAL));
                compare.CheckLong(std::nextafter(x, -HUGE_VAL));
            }
        }
    }
    for (int i = 0; i < 200000; ++i) compare.CheckLong(std::ldexp(unit(random) - 0.5, scale(random) * 3));
    for (double x : specials) compare.CheckLong(x);

    EXPECT_EQ(compare.Failures(), 0);
    EXPECT_GT(compare.Count(), 1'000'000);
}
