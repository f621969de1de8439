#include "formix/NumericMethods.h"

#include <cmath>
#include <limits>
#include <vector>

namespace formix {

namespace {

double CentralSecondDifference(const CFunction& f, double x, double h) {
    return (f.Evaluate(x + h) - 2.0 * f.Evaluate(x) + f.Evaluate(x - h)) / (h * h);
}

}  // namespace

double NumDerivative(const CFunction& f, double x, int order, double h) {
    if (order < 0 || order > kMaxDerivativeOrder) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (order == 0) {
        return f.Evaluate(x);
    }
    if (order == 1) {
        return (f.Evaluate(x + h) - f.Evaluate(x)) / h;
    }
    // The recursion evaluates the order-k estimate at x and, through its forward differences, the
    // lower orders at x + h, (x + h) + h, ...: every path adds h in the same sequence, so the points
    // are t_0 = x, t_i = t_(i-1) + h, and each estimate is needed once per point.
    const int levels = order - 2;
    std::vector<double> estimates(static_cast<size_t>(levels) + 1);
    double t = x;
    for (int i = 0; i <= levels; ++i) {
        estimates[static_cast<size_t>(i)] = CentralSecondDifference(f, t, h);
        t = t + h;
    }
    for (int level = 1; level <= levels; ++level) {
        for (int i = 0; i + level <= levels; ++i) {
            estimates[static_cast<size_t>(i)] =
                (estimates[static_cast<size_t>(i) + 1] - estimates[static_cast<size_t>(i)]) / h;
        }
    }
    return estimates[0];
}

double NewtonRoot(const CFunction& f, double x0, double tolerance) {
    double x = x0;
    double y = f.Evaluate(x);
    for (int step = 0; std::fabs(y) > tolerance; ++step) {
        if (step == kMaxNewtonIterations) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        x = x - y / NumDerivative(f, x, 1, kNewtonStep);
        y = f.Evaluate(x);
    }
    return x;
}

double Trapezoid(const CFunction& f, double a, double b, int n) {
    const double h = (b - a) / n;
    double sum = f.Evaluate(a) * (h / 2.0);
    double t = a + h;
    for (long long i = 1; i <= static_cast<long long>(n) - 1; ++i) {
        sum = sum + f.Evaluate(t) * h;
        t = t + h;
    }
    return sum + f.Evaluate(t) * (h / 2.0);
}

double Midpoint(const CFunction& f, double a, double b, int n) {
    const double h = (b - a) / n;
    double sum = 0.0;
    double t = a;
    for (long long i = 0; i <= static_cast<long long>(n) - 1; ++i) {
        sum = sum + f.Evaluate(t + h / 2.0) * h;
        t = t + h;
    }
    return sum;
}

double Simpson(const CFunction& f, double a, double b, int n) {
    long long steps = n;
    if (steps % 2 != 0) {
        ++steps;
    }
    const double h = (b - a) / static_cast<double>(steps);
    double t = a;
    double sum = f.Evaluate(t) * (h / 3.0);
    t = t + h;
    sum = sum + f.Evaluate(t) * (4.0 * h / 3.0);
    t = t + h;
    for (long long i = 1; i <= steps / 2 - 1; ++i) {
        sum = sum + f.Evaluate(t) * (2.0 * h / 3.0);
        t = t + h;
        sum = sum + f.Evaluate(t) * (4.0 * h / 3.0);
        t = t + h;
    }
    return sum + f.Evaluate(t) * (h / 3.0);
}

}  // namespace formix
