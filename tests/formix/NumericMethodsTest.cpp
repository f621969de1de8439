// Tests of formix/NumericMethods.h.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "formix/NumericMethods.h"
#include "formix/Parser.h"

namespace formix {
namespace {

FunctionPtr Formula(const char* text) { return ParseFormula(text, "X"); }

// A function that counts its evaluations.
class CountingSquare : public CFunction {
public:
    std::string GetText() const override { return "x^2-2"; }
    std::string GetTeX() const override { return "x^2-2"; }
    FunctionPtr Derive() const override { return nullptr; }
    FunctionPtr Copy(bool) const override { return nullptr; }
    double Evaluate(double x) const override {
        ++calls;
        return x * x - 2.0;
    }
    mutable int calls = 0;
};

// The derivative as its recursive definition computes it.
double RecursiveDerivative(const CFunction& f, double x, int order, double h) {
    if (order == 0) {
        return f.Evaluate(x);
    }
    if (order == 1) {
        return (f.Evaluate(x + h) - f.Evaluate(x)) / h;
    }
    if (order == 2) {
        return (f.Evaluate(x + h) - 2.0 * f.Evaluate(x) + f.Evaluate(x - h)) / (h * h);
    }
    return (RecursiveDerivative(f, x + h, order - 1, h) - RecursiveDerivative(f, x, order - 1, h)) / h;
}

TEST(NumDerivativeTest, OrdersZeroToTwoOfTheSquare) {
    FunctionPtr f = Formula("X*X");
    EXPECT_EQ(NumDerivative(*f, 1.0, 0, 1e-3), 1.0);
    EXPECT_NEAR(NumDerivative(*f, 1.0, 1, 1e-3), 2.001, 1e-12);
    EXPECT_NEAR(NumDerivative(*f, 1.0, 2, 1e-3), 2.0, 1e-6);
}

TEST(NumDerivativeTest, HigherOrdersMatchTheRecursionBitForBit) {
    for (const char* text : {"SIN(X)", "X^5", "EXP(X)"}) {
        FunctionPtr f = Formula(text);
        for (int order = 3; order <= 9; ++order) {
            for (double x : {0.3, -1.7}) {
                double h = 0.05;
                EXPECT_EQ(NumDerivative(*f, x, order, h), RecursiveDerivative(*f, x, order, h))
                    << text << " order " << order << " at " << x;
            }
        }
    }
    FunctionPtr cube = Formula("X^3");
    EXPECT_NEAR(NumDerivative(*cube, 2.0, 3, 1e-3), 6.0, 1e-2);
}

TEST(NumDerivativeTest, OrdersOutsideTheRangeGiveNaN) {
    FunctionPtr f = Formula("X");
    EXPECT_TRUE(std::isnan(NumDerivative(*f, 1.0, -1, 1e-3)));
    EXPECT_TRUE(std::isnan(NumDerivative(*f, 1.0, INT_MIN, 1e-3)));
    EXPECT_TRUE(std::isnan(NumDerivative(*f, 1.0, kMaxDerivativeOrder + 1, 1e-3)));
    EXPECT_TRUE(std::isnan(NumDerivative(*f, 1.0, INT_MAX, 1e-3)));
    // The highest order is computed, in time proportional to its square.
    EXPECT_FALSE(std::isnan(NumDerivative(*f, 1.0, kMaxDerivativeOrder, 0.5)));
}

TEST(NewtonRootTest, FindsTheRootOfTwo) {
    FunctionPtr f = Formula("X*X-2");
    EXPECT_NEAR(NewtonRoot(*f, 1.0, 1e-12), std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(NewtonRoot(*f, -3.0, 1e-12), -std::sqrt(2.0), 1e-12);
}

TEST(NewtonRootTest, AStartAtARootNeedsNoSlope) {
    CountingSquare f;
    const double root = std::sqrt(2.0);
    EXPECT_EQ(NewtonRoot(f, root, 1e-12), root);
    EXPECT_EQ(f.calls, 1);
}

TEST(NewtonRootTest, EndsWithoutARoot) {
    FunctionPtr noRoot = Formula("X*X+1");
    EXPECT_TRUE(std::isnan(NewtonRoot(*noRoot, 0.5, 1e-12)));
    // A constant: zero slope, the iterate becomes infinite and then not a number, the value stays 1.
    FunctionPtr constant = Formula("1");
    EXPECT_TRUE(std::isnan(NewtonRoot(*constant, 0.0, 1e-12)));
    // A NaN value ends the loop at once with the current iterate.
    FunctionPtr root = Formula("SQRT(X)-1");
    EXPECT_EQ(NewtonRoot(*root, -4.0, 1e-12), -4.0);
}

TEST(QuadratureTest, RulesOverTheUnitIntervalWithTwoSteps) {
    FunctionPtr f = Formula("X*X");
    EXPECT_DOUBLE_EQ(Trapezoid(*f, 0.0, 1.0, 2), 0.375);
    EXPECT_DOUBLE_EQ(Midpoint(*f, 0.0, 1.0, 2), 0.3125);
    EXPECT_DOUBLE_EQ(Simpson(*f, 0.0, 1.0, 2), 1.0 / 3.0);
}

TEST(QuadratureTest, SimpsonIsExactForCubicsAndRaisesOddStepCounts) {
    FunctionPtr cubic = Formula("2*X^3-X^2+3*X-5");
    // Integral over [-1, 2]: [x^4/2 - x^3/3 + 3x^2/2 - 5x] = 7.5 - 3 + 4.5 - 15 = -6.
    EXPECT_NEAR(Simpson(*cubic, -1.0, 2.0, 4), -6.0, 1e-13);
    EXPECT_NEAR(Simpson(*cubic, -1.0, 2.0, 10), -6.0, 1e-13);
    FunctionPtr f = Formula("EXP(X)");
    EXPECT_EQ(Simpson(*f, 0.0, 1.0, 3), Simpson(*f, 0.0, 1.0, 4));
    EXPECT_EQ(Simpson(*f, 0.0, 1.0, 1), Simpson(*f, 0.0, 1.0, 2));
    EXPECT_EQ(Simpson(*f, 0.0, 1.0, -3), Simpson(*f, 0.0, 1.0, -2));
    EXPECT_NEAR(Simpson(*f, 0.0, 1.0, 100), std::exp(1.0) - 1.0, 1e-9);
    EXPECT_NEAR(Trapezoid(*f, 0.0, 1.0, 1000), std::exp(1.0) - 1.0, 1e-6);
    EXPECT_NEAR(Midpoint(*f, 0.0, 1.0, 1000), std::exp(1.0) - 1.0, 1e-6);
}

TEST(QuadratureTest, DegenerateStepCountsStayHarmless) {
    FunctionPtr f = Formula("X+1");
    EXPECT_FALSE(std::isfinite(Trapezoid(*f, 0.0, 1.0, 0)));
    EXPECT_EQ(Midpoint(*f, 0.0, 1.0, 0), 0.0);
    EXPECT_EQ(Midpoint(*f, 0.0, 1.0, -5), 0.0);
    EXPECT_FALSE(std::isfinite(Simpson(*f, 0.0, 1.0, 0)));
    // n = 1: the two end points with weight h/2.
    EXPECT_EQ(Trapezoid(*f, 0.0, 1.0, 1), 1.5);
    EXPECT_TRUE(std::isfinite(Trapezoid(*f, 0.0, 1.0, INT_MIN)));
    EXPECT_TRUE(std::isfinite(Simpson(*f, 0.0, 1.0, INT_MIN)));
}

}  // namespace
}  // namespace formix
