// Test support for the tests of formix/: NodeTestSupport.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "formix/BinaryNodes.h"
#include "formix/FunctionNodes.h"
#include "formix/LeafNodes.h"
#include "formix/UnaryNodes.h"

namespace formix::test {

inline FunctionPtr X() { return std::make_unique<CVariable>(); }
inline FunctionPtr K(double value) { return std::make_unique<CConstant>(value); }

template <class T, class... Args>
FunctionPtr Make(Args&&... args) {
    return std::make_unique<T>(std::forward<Args>(args)...);
}

template <class T>
bool Is(const FunctionPtr& node) {
    return dynamic_cast<const T*>(node.get()) != nullptr;
}

// The derivative tree, valued at x, against a central difference of the function itself.
inline void ExpectDerivativeMatches(const CFunction& f, double x) {
    const double h = 1e-6;
    const double slope = (f.Evaluate(x + h) - f.Evaluate(x - h)) / (2.0 * h);
    FunctionPtr derivative = f.Derive();
    EXPECT_NEAR(derivative->Evaluate(x), slope, 1e-5 * std::max(1.0, std::fabs(slope)))
        << f.GetText() << " -> " << derivative->GetText() << " at " << x;
}

}  // namespace formix::test
