#include "platform/Rounding.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "platform/NumberText.h"

namespace {

bool Usable(double x, double step) { return std::isfinite(x) && std::isfinite(step) && step > 0.0; }

// x / step, snapped to the nearest whole number when it lies within representation error of it.
double GuardedQuotient(double x, double step) {
    double q = x / step;
    double nearest = std::nearbyint(q);
    double tolerance = std::max(1e-9, std::fabs(q) * 32.0 * DBL_EPSILON);
    return std::fabs(q - nearest) <= tolerance ? nearest : q;
}

// n × step computed so that decimal steps give the nearest double to the decimal result
// (945 × 0.001 gives 0.945, not 0.9450000000000001).
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

}  // namespace

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
