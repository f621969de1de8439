#pragma once

#include "formix/Function.h"

namespace formix {

// Numeric methods on any expression tree, built on its Evaluate: f(t) below is f.Evaluate(t).

// Highest derivative order NumDerivative computes.
inline constexpr int kMaxDerivativeOrder = 1000;
// Newton steps before NewtonRoot gives up.
inline constexpr int kMaxNewtonIterations = 1000;
// Step of the numeric first derivative inside NewtonRoot.
inline constexpr double kNewtonStep = 1e-6;

// Finite-difference derivative of the given order at x with step h: order 0 is f(x), order 1 the
// forward difference (f(x + h) − f(x)) / h, order 2 the central second difference, and every higher
// order k the forward difference of the order k − 1 estimates at x + h and at x. Orders below 0 or
// above kMaxDerivativeOrder give NaN. The result is the same, bit for bit, as that recursion; it is
// computed level by level, so the cost grows with the square of the order instead of exponentially.
double NumDerivative(const CFunction& f, double x, int order, double h);

// Newton's iteration from x0 until |f(x)| <= tolerance, with the forward-difference slope of step
// kNewtonStep. A start that is already a root is returned without a slope. A NaN value ends the
// iteration with the current (not-a-number or infinite) iterate; after kMaxNewtonIterations steps
// without reaching the tolerance the result is NaN.
double NewtonRoot(const CFunction& f, double x0, double tolerance);

// Composite rules over [a, b] with n steps of h = (b − a) / n; the sample points are reached by
// adding h to a running abscissa starting at a. n of 0 gives a meaningless (infinite or NaN) step.
double Trapezoid(const CFunction& f, double a, double b, int n);
double Midpoint(const CFunction& f, double a, double b, int n);
// An odd n is raised by one.
double Simpson(const CFunction& f, double a, double b, int n);

}  // namespace formix
