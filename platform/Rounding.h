#pragma once
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

// Rounding to a step and number texts for the cost calculation.
//
// Quotients x / step that lie within a few units in the last place of a whole number are taken
// as that whole number, so that a value such as 0.945 (held as 0.94499999999999995) rounds down
// to 0.945 with step 0.001 and not to 0.944. Negative inputs follow the same definitions: RoundDown
// goes toward minus infinity, RoundUp toward plus infinity, f8_45 rounds halves away from zero.
//
// The helpers are inline: the calculation rounds a few hundred times a row, nearly always to a
// constant step, and inlined the compiler works out what the step gives (its decimal inverse) at the
// call site. They round in plain double arithmetic, with no library call and no look at the
// floating-point environment; that arithmetic needs IEEE doubles without excess precision and
// without value-changing optimisations.
#if defined(__FAST_MATH__)
#error "platform/Rounding.h needs exact IEEE arithmetic: do not build with -ffast-math"
#endif
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "platform/Rounding.h needs double arithmetic without excess precision"
#endif

namespace rounding_detail {

// From 2^52 on every double is a whole number.
inline constexpr double kWholeFrom = 4503599627370496.0;

// x rounded to the nearest whole number, halves to even: std::rint in the default rounding mode.
// Adding 2^52 to |x| leaves no fraction bits, so the hardware rounds the sum; taking 2^52 away again
// is exact.
inline double RoundToEven(double x) {
    const double a = std::fabs(x);
    if (!(a < kWholeFrom)) return x;  // whole already, infinite or NaN
    return std::copysign((a + kWholeFrom) - kWholeFrom, x);
}

// std::floor and std::ceil of a value that is not NaN, signed zeros included.
inline double Floor(double x) {
    const double r = RoundToEven(x);
    return r > x ? r - 1.0 : r;
}
inline double Ceil(double x) {
    const double r = RoundToEven(x);
    return std::copysign(r < x ? r + 1.0 : r, x);
}

inline bool Usable(double x, double step) { return std::isfinite(x) && std::isfinite(step) && step > 0.0; }

// A quotient snapped to the nearest whole number when it lies within representation error of it.
inline double Snap(double q) {
    const double nearest = RoundToEven(q);
    const double tolerance = std::max(1e-9, std::fabs(q) * 32.0 * DBL_EPSILON);
    return std::fabs(q - nearest) <= tolerance ? nearest : q;
}

// 1 / step when that is a whole number (a decimal step such as 0.001 gives 1000), else 0.
inline double DecimalInverse(double step) {
    if (!(step < 1.0)) return 0.0;
    const double s = 1.0 / step;
    const double inverse = RoundToEven(s);
    return inverse > 0.0 && std::fabs(s - inverse) <= 1e-9 * inverse ? inverse : 0.0;
}

// n × step computed so that decimal steps give the nearest double to the decimal result
// (945 × 0.001 gives 0.945, not 0.9450000000000001).
inline double Multiple(double n, double step) {
    const double inverse = DecimalInverse(step);
    if (inverse > 0.0) return n / inverse;
    const double r = n * step;
    return r == 0.0 ? 0.0 : r;
}

}  // namespace rounding_detail

// Largest multiple of step that is not above x.
inline double RoundDown(double x, double step) {
    using namespace rounding_detail;
    if (!Usable(x, step)) return x;
    return Multiple(Floor(Snap(x / step)), step);
}

// Smallest multiple of step that is not below x.
inline double RoundUp(double x, double step) {
    using namespace rounding_detail;
    if (!Usable(x, step)) return x;
    return Multiple(Ceil(Snap(x / step)), step);
}

// x rounded half up (四捨五入) to a multiple of step.
inline double f8_45(double x, double step) {
    using namespace rounding_detail;
    if (!Usable(x, step)) return x;
    const double q = Snap(x / step);
    const double n = q >= 0.0 ? Floor(Snap(q + 0.5)) : -Floor(Snap(-q + 0.5));
    return Multiple(n, step);
}

// x rounded half up to step, as a decimal text with as many decimals as step has (none for 1.0
// and above): only digits, a leading minus and a point, so that it can be pasted into a formula.
std::string NumToStr(double x, double step);

// Whether DoubleToLong holds x at the int32 limits because x lies beyond them (NaN gives 0 and is
// not held): a caller that stores an amount learns from it that the amount did not fit.
inline bool DoubleToLongHolds(double x) {
    if (std::isnan(x)) return false;
    const double adjusted = x >= 0.0 ? x + 1e-7 : x - 1e-7;
    return adjusted >= 2147483648.0 || adjusted <= -2147483649.0;
}

// Converts a double to a 32-bit scaled integer: adds 1e-7 (subtracts it when negative) and
// truncates toward zero. NaN gives 0; values beyond the int32 range saturate at its limits
// (DoubleToLongHolds tells which).
inline int32_t DoubleToLong(double x) {
    if (std::isnan(x)) return 0;
    const double adjusted = x >= 0.0 ? x + 1e-7 : x - 1e-7;
    // Within the limits the conversion itself truncates toward zero.
    if (adjusted >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (adjusted <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(adjusted);
}
