// Tests of the expression-node classes (formix/LeafNodes.h, UnaryNodes.h, BinaryNodes.h).
#include <gtest/gtest.h>

#include <cmath>

#include "NodeTestSupport.h"

using namespace formix;
using namespace formix::test;

namespace {

// A leaf that counts its living instances.
class CCounted final : public CFunction {
public:
    CCounted() { ++s_alive; }
    ~CCounted() override { --s_alive; }
    std::string GetText() const override { return "c"; }
    std::string GetTeX() const override { return "c"; }
    FunctionPtr Derive() const override { return std::make_unique<CZero>(); }
    FunctionPtr Copy(bool) const override { return std::make_unique<CCounted>(); }
    double Evaluate(double) const override { return 1.0; }
    static inline int s_alive = 0;
};

FunctionPtr Counted() { return std::make_unique<CCounted>(); }

// sin(x) + 2: positive and not constant, a child for every kind.
FunctionPtr F() { return Make<CAddConst>(Make<CSinX>(), 2.0); }
// 0.25x² + 0.5x + 1
FunctionPtr G() { return Make<CQuadratic>(1.0, 0.5, 0.25); }

}  // namespace

TEST(Nodes, DeletingTheRootFreesEveryNodeOnce) {
    {
        FunctionPtr tree = Make<CAdd>(Make<CMul>(Counted(), Make<CNegate>(Counted())),
                                      Make<CPowConst>(Make<CSin>(Counted()), 2.0));
        EXPECT_EQ(CCounted::s_alive, 3);
        FunctionPtr copy = tree->Copy(false);
        EXPECT_EQ(CCounted::s_alive, 6);
    }
    EXPECT_EQ(CCounted::s_alive, 0);
    // A missing child is skipped by the destructors.
    FunctionPtr partial = Make<CAdd>(nullptr, Counted());
    FunctionPtr lonely = Make<CNegate>(nullptr);
    partial.reset();
    lonely.reset();
    EXPECT_EQ(CCounted::s_alive, 0);
}

TEST(Nodes, TestsOfDeepTreesDoNotMultiply) {
    // Sums ask a child whether it is zero and whether it is constant, and so do products: asked
    // afresh at every level, 200 alternating levels would take some 2^100 steps.
    FunctionPtr tree = X();
    for (int i = 0; i < 200; ++i) {
        tree = (i % 2 == 0) ? Make<CAdd>(std::move(tree), Make<CSinX>()) : Make<CMul>(std::move(tree), Make<CSinX>());
    }
    EXPECT_FALSE(tree->IsZero());
    EXPECT_FALSE(tree->IsConstant());
    EXPECT_EQ(tree->Copy(true)->Evaluate(0.0), 0.0);
    FunctionPtr constant = K(1.0);
    for (int i = 0; i < 200; ++i) {
        constant = (i % 2 == 0) ? Make<CAdd>(std::move(constant), K(1.0)) : Make<CMul>(std::move(constant), K(1.0));
    }
    EXPECT_TRUE(constant->IsConstant());
    EXPECT_FALSE(constant->IsZero());
}

TEST(Nodes, EvaluateEachArithmeticKind) {
    const double x = 2.0;
    EXPECT_EQ(K(1.5)->Evaluate(x), 1.5);
    EXPECT_EQ(CZero().Evaluate(x), 0.0);
    EXPECT_EQ(CVariable().Evaluate(x), 2.0);
    EXPECT_EQ(CSquareX().Evaluate(-3.0), 9.0);
    EXPECT_EQ(CLinear(1.0, 3.0).Evaluate(x), 7.0);             // 3x + 1
    EXPECT_EQ(CQuadratic(1.0, 2.0, 3.0).Evaluate(x), 17.0);    // 3x² + 2x + 1
    EXPECT_EQ(CSignX().Evaluate(-4.0), -1.0);
    EXPECT_EQ(CSignX().Evaluate(0.0), 0.0);
    EXPECT_EQ(CSignX().Evaluate(std::nan("")), 0.0);
    EXPECT_EQ(CAddConst(X(), 3.0).Evaluate(x), 5.0);
    EXPECT_EQ(CMulConst(X(), 3.0).Evaluate(x), 6.0);
    EXPECT_EQ(CNegate(X()).Evaluate(x), -2.0);
    EXPECT_EQ(CConstSub(3.0, X()).Evaluate(x), 1.0);
    EXPECT_EQ(CSubConst(X(), 3.0).Evaluate(x), -1.0);
    EXPECT_EQ(CSquare(Make<CAddConst>(X(), 1.0)).Evaluate(x), 9.0);
    EXPECT_EQ(CConstDiv(3.0, X()).Evaluate(x), 1.5);
    EXPECT_EQ(CDivConst(X(), 4.0).Evaluate(x), 0.5);
    EXPECT_EQ(CConstPow(3.0, X()).Evaluate(x), 9.0);
    EXPECT_EQ(CPowConst(X(), 3.0).Evaluate(x), 8.0);
    EXPECT_EQ(CSign(Make<CSubConst>(X(), 5.0)).Evaluate(x), -1.0);
    EXPECT_EQ(CAdd(X(), K(1.0)).Evaluate(x), 3.0);
    EXPECT_EQ(CSub(X(), K(1.0)).Evaluate(x), 1.0);
    EXPECT_EQ(CMul(X(), X()).Evaluate(x), 4.0);
    EXPECT_EQ(CDiv(K(1.0), X()).Evaluate(x), 0.5);
    EXPECT_EQ(CPow(X(), X()).Evaluate(x), 4.0);
    EXPECT_EQ(CDiv(K(1.0), K(0.0)).Evaluate(x), INFINITY);
    EXPECT_TRUE(std::isnan(CPowConst(K(-8.0), 1.0 / 3.0).Evaluate(x)));
}

TEST(Nodes, PlainTexts) {
    EXPECT_EQ(K(2.0)->GetText(), "2");
    EXPECT_EQ(CZero().GetText(), "0");
    EXPECT_EQ(CVariable().GetText(), "x");
    EXPECT_EQ(CSquareX().GetText(), "x^2");
    EXPECT_EQ(CLinear(5.0, 3.0).GetText(), "3*x+5");
    EXPECT_EQ(CQuadratic(1.0, 2.0, 3.0).GetText(), "3*x^2+2*x+1");
    EXPECT_EQ(CSignX().GetText(), "sing(x)");
    EXPECT_EQ(CAddConst(X(), -2.0).GetText(), "x+-2");  // the sign is not folded into the operator
    EXPECT_EQ(CMulConst(X(), 2.0).GetText(), "2*(x)");
    EXPECT_EQ(CNegate(Make<CAdd>(X(), X())).GetText(), "-x+x");
    EXPECT_EQ(CConstSub(2.0, Make<CAddConst>(X(), 1.0)).GetText(), "2-x+1");  // no parentheses added
    EXPECT_EQ(CSubConst(X(), 0.001).GetText(), "x-0.001");
    EXPECT_EQ(CSquare(Make<CAddConst>(X(), 1.0)).GetText(), "sqr(x+1)");
    EXPECT_EQ(CConstDiv(1.0, X()).GetText(), "1/(x)");
    EXPECT_EQ(CDivConst(X(), 4.0).GetText(), "(x)/4");
    EXPECT_EQ(CConstPow(2.0, X()).GetText(), "2^(x)");
    EXPECT_EQ(CPowConst(X(), 0.5).GetText(), "x^0.5");
    EXPECT_EQ(CSign(X()).GetText(), "sign(x)");
    EXPECT_EQ(CAdd(X(), K(1.0)).GetText(), "x+1");
    EXPECT_EQ(CSub(X(), Make<CAddConst>(X(), 1.0)).GetText(), "(x)-(x+1)");
    EXPECT_EQ(CMul(X(), K(1234567.0)).GetText(), "(x)*(1.23457E+06)");
    EXPECT_EQ(CDiv(X(), X()).GetText(), "(x)/(x)");
    EXPECT_EQ(CPow(X(), X()).GetText(), "(x)^(x)");
}

TEST(Nodes, TeXTexts) {
    EXPECT_EQ(CLinear(5.0, 3.0).GetTeX(), "3x+5");
    EXPECT_EQ(CQuadratic(1.0, 2.0, 3.0).GetTeX(), "3x^2+2x+1");
    EXPECT_EQ(CSignX().GetTeX(), "\\mathop{\\rm sign}(x)");
    EXPECT_EQ(CAddConst(X(), 1.0).GetTeX(), "x+1");
    EXPECT_EQ(CMulConst(X(), 2.0).GetTeX(), "2\\left(x\\right)");
    EXPECT_EQ(CNegate(X()).GetTeX(), "-x");
    EXPECT_EQ(CConstSub(2.0, X()).GetTeX(), "2-x");
    EXPECT_EQ(CSubConst(X(), 2.0).GetTeX(), "x-2");
    EXPECT_EQ(CSquare(X()).GetTeX(), "\\sqr\\left(x\\right)");
    EXPECT_EQ(CConstDiv(1.0, X()).GetTeX(), "\\frac{1}{x}");
    EXPECT_EQ(CDivConst(X(), 4.0).GetTeX(), "\\frac{x}{4}");
    // The exponent of c^f is written as plain text, and f^c is its plain text.
    EXPECT_EQ(CConstPow(2.0, Make<CSqrtX>()).GetTeX(), "2^{sqrt(x)}");
    EXPECT_EQ(CPowConst(Make<CSqrtX>(), 2.0).GetTeX(), "sqrt(x)^2");
    EXPECT_EQ(CSign(X()).GetTeX(), "\\mathop{\\rm sign}\\left(x\\right)");
    EXPECT_EQ(CAdd(X(), K(1.0)).GetTeX(), "x+1");
    EXPECT_EQ(CSub(X(), K(1.0)).GetTeX(), "x-1");
    EXPECT_EQ(CMul(X(), K(2.0)).GetTeX(), "\\left(x\\right)\\left(2\\right)");
    EXPECT_EQ(CDiv(X(), K(2.0)).GetTeX(), "\\frac{x}{2}");
    EXPECT_EQ(CPow(X(), K(2.0)).GetTeX(), "{x}^{2}");
}

TEST(Nodes, ConstantAndZeroTests) {
    // Kinds without their own tests answer false to both.
    for (const FunctionPtr& node : {X(), Make<CSquareX>(), Make<CSignX>()}) {
        EXPECT_FALSE(node->IsConstant());
        EXPECT_FALSE(node->IsZero());
    }
    EXPECT_TRUE(K(0.0)->IsZero());
    EXPECT_TRUE(K(-0.0)->IsZero());
    EXPECT_FALSE(K(1.0)->IsZero());
    EXPECT_TRUE(CLinear(2.0, 0.0).IsConstant());
    EXPECT_TRUE(CLinear(0.0, 0.0).IsZero());
    EXPECT_FALSE(CLinear(0.0, 1.0).IsConstant());
    EXPECT_TRUE(CQuadratic(1.0, 0.0, 0.0).IsConstant());
    EXPECT_FALSE(CQuadratic(0.0, 1.0, 0.0).IsConstant());
    EXPECT_TRUE(CAddConst(K(3.0), -3.0).IsZero());
    EXPECT_FALSE(CAddConst(K(3.0), 3.0).IsZero());
    EXPECT_TRUE(CMulConst(X(), 0.0).IsConstant());
    EXPECT_TRUE(CMulConst(X(), 0.0).IsZero());
    EXPECT_TRUE(CConstSub(2.0, K(2.0)).IsZero());
    EXPECT_TRUE(CSubConst(K(2.0), 2.0).IsZero());
    EXPECT_TRUE(CConstDiv(0.0, X()).IsConstant());
    EXPECT_TRUE(CConstDiv(0.0, X()).IsZero());
    // c^f with c = 0 is zero, but not constant while the exponent is not.
    EXPECT_TRUE(CConstPow(0.0, X()).IsZero());
    EXPECT_FALSE(CConstPow(0.0, X()).IsConstant());
    EXPECT_FALSE(CConstPow(2.0, K(1.0)).IsConstant());
    EXPECT_TRUE(CConstPow(0.0, K(1.0)).IsConstant());
    // f^c is zero with a zero child even when c is 0 (where pow gives 1).
    EXPECT_TRUE(CPowConst(Make<CZero>(), 0.0).IsZero());
    EXPECT_TRUE(CPowConst(X(), 0.0).IsConstant());
    EXPECT_TRUE(CAdd(K(3.0), K(-3.0)).IsZero());
    EXPECT_FALSE(CAdd(K(3.0), K(3.0)).IsZero());
    EXPECT_TRUE(CAdd(K(3.0), K(3.0)).IsConstant());
    EXPECT_TRUE(CSub(K(3.0), K(3.0)).IsZero());
    EXPECT_TRUE(CMul(X(), Make<CZero>()).IsConstant());
    EXPECT_TRUE(CMul(X(), Make<CZero>()).IsZero());
    EXPECT_TRUE(CDiv(Make<CZero>(), X()).IsConstant());
    EXPECT_FALSE(CDiv(X(), Make<CZero>()).IsConstant());
    EXPECT_TRUE(CPow(X(), Make<CZero>()).IsConstant());
    EXPECT_FALSE(CPow(X(), Make<CZero>()).IsZero());
}

TEST(Nodes, DerivativeShapes) {
    FunctionPtr square = CSquareX().Derive();
    ASSERT_TRUE(Is<CLinear>(square));
    EXPECT_EQ(square->Evaluate(3.0), 6.0);
    FunctionPtr quadratic = CQuadratic(5.0, 3.0, 2.0).Derive();  // 2x² + 3x + 5
    ASSERT_TRUE(Is<CLinear>(quadratic));
    EXPECT_EQ(quadratic->Evaluate(1.5), 9.0);  // 4x + 3
    EXPECT_TRUE(Is<CConstant>(CVariable().Derive()));
    EXPECT_EQ(CLinear(1.0, 4.0).Derive()->Evaluate(0.0), 4.0);
    // f^1 derives to f′ itself; f^0 to zero.
    EXPECT_TRUE(Is<CCosX>(CPowConst(Make<CSinX>(), 1.0).Derive()));
    EXPECT_TRUE(Is<CZero>(CPowConst(Make<CSinX>(), 0.0).Derive()));
    EXPECT_TRUE(Is<CCosX>(CAddConst(Make<CSinX>(), 4.0).Derive()));
    // A constant tree derives to zero without looking further.
    for (const FunctionPtr& node : {K(3.0), Make<CSignX>(), Make<CSign>(X()), Make<CMul>(K(2.0), K(3.0)),
                                    Make<CAddConst>(K(1.0), 2.0), Make<CPow>(X(), Make<CZero>())}) {
        EXPECT_TRUE(Is<CZero>(node->Derive())) << node->GetText();
    }
    EXPECT_EQ(CConstPow(2.0, X()).Derive()->GetText(), "(2^(x))*(0.693147*(1))");
}

TEST(Nodes, DerivativesAgreeWithDifferences) {
    const FunctionPtr nodes[] = {
        Make<CSquareX>(),          Make<CLinear>(1.0, 3.0),       Make<CQuadratic>(1.0, 2.0, 3.0),
        Make<CAddConst>(F(), 3.0), Make<CMulConst>(F(), -2.5),    Make<CNegate>(F()),
        Make<CConstSub>(4.0, F()), Make<CSubConst>(F(), 4.0),     Make<CSquare>(F()),
        Make<CConstDiv>(3.0, F()), Make<CDivConst>(F(), 3.0),     Make<CConstPow>(1.7, F()),
        Make<CPowConst>(F(), 2.5), Make<CAdd>(F(), G()),          Make<CSub>(F(), G()),
        Make<CMul>(F(), G()),      Make<CDiv>(F(), G()),          Make<CPow>(F(), G()),
    };
    for (const FunctionPtr& node : nodes) {
        for (double x : {-1.3, 0.4, 2.2}) {
            ExpectDerivativeMatches(*node, x);
        }
    }
}

TEST(Copy, PlainCopyIsNodeForNode) {
    FunctionPtr tree = Make<CAdd>(Make<CMul>(K(2.0), K(3.0)),
                                  Make<CDiv>(Make<CPowConst>(X(), 2.0), Make<CAddConst>(Make<CZero>(), 1.0)));
    FunctionPtr copy = tree->Copy(false);
    EXPECT_EQ(copy->GetText(), tree->GetText());
    const auto* source = dynamic_cast<const CAdd*>(tree.get());
    const auto* added = dynamic_cast<const CAdd*>(copy.get());
    ASSERT_NE(added, nullptr);
    EXPECT_NE(dynamic_cast<const CMul*>(added->Left()), nullptr);  // nothing folded
    EXPECT_NE(added->Left(), source->Left());                      // nothing shared
    for (double x : {-2.0, 0.0, 0.5, 3.0}) {
        EXPECT_EQ(copy->Evaluate(x), tree->Evaluate(x));
    }
    EXPECT_EQ(CConstant(0.0).Copy(false)->GetText(), "0");
    EXPECT_TRUE(Is<CConstant>(CConstant(0.0).Copy(false)));
}

TEST(Copy, SimplifyFoldsConstantsAndZeros) {
    FunctionPtr sum = CAdd(K(2.0), K(3.0)).Copy(true);
    ASSERT_TRUE(Is<CConstant>(sum));
    EXPECT_EQ(sum->Evaluate(0.0), 5.0);
    FunctionPtr shifted = CAdd(X(), K(3.0)).Copy(true);
    EXPECT_TRUE(Is<CAddConst>(shifted));
    EXPECT_EQ(shifted->GetText(), "x+3");
    FunctionPtr difference = CSub(Make<CZero>(), X()).Copy(true);  // a zero left child alone stays
    EXPECT_TRUE(Is<CConstSub>(difference));
    EXPECT_EQ(difference->GetText(), "0-x");
    EXPECT_TRUE(Is<CZero>(CMul(Make<CZero>(), X()).Copy(true)));
    FunctionPtr plusZero = CAdd(Make<CZero>(), X()).Copy(true);
    EXPECT_TRUE(Is<CAddConst>(plusZero));
    EXPECT_EQ(plusZero->GetText(), "x+0");
    EXPECT_TRUE(Is<CZero>(CConstant(0.0).Copy(true)));
    EXPECT_TRUE(Is<CZero>(CConstant(-0.0).Copy(true)));
    FunctionPtr power = CPow(K(2.0), K(10.0)).Copy(true);
    ASSERT_TRUE(Is<CConstant>(power));
    EXPECT_EQ(power->Evaluate(0.0), 1024.0);
    FunctionPtr constant = CQuadratic(5.0, 0.0, 0.0).Copy(true);
    ASSERT_TRUE(Is<CConstant>(constant));
    EXPECT_EQ(constant->Evaluate(0.0), 5.0);
    FunctionPtr linear = CQuadratic(5.0, 3.0, 0.0).Copy(true);
    ASSERT_TRUE(Is<CLinear>(linear));
    EXPECT_EQ(linear->GetText(), "3*x+5");
    EXPECT_TRUE(Is<CZero>(CQuadratic(0.0, 0.0, 0.0).Copy(true)));
    EXPECT_TRUE(Is<CZero>(CLinear(0.0, 0.0).Copy(true)));
    EXPECT_TRUE(Is<CConstant>(CLinear(2.0, 0.0).Copy(true)));
    // A division of the constants 1 and 0 keeps the infinity.
    EXPECT_EQ(CDiv(K(1.0), K(0.0)).Copy(true)->Evaluate(0.0), INFINITY);
}

TEST(Copy, SimplifyRulesOfTheOneChildKinds) {
    auto folded = [](const FunctionPtr& node) { return node->Copy(true); };
    EXPECT_EQ(folded(Make<CAddConst>(Make<CZero>(), 2.0))->GetText(), "2");
    EXPECT_EQ(folded(Make<CAddConst>(K(1.0), 2.0))->GetText(), "3");
    EXPECT_TRUE(Is<CZero>(folded(Make<CMulConst>(Make<CZero>(), 2.0))));
    EXPECT_EQ(folded(Make<CMulConst>(K(3.0), 2.0))->GetText(), "6");
    EXPECT_EQ(folded(Make<CConstSub>(2.0, Make<CZero>()))->GetText(), "2");
    EXPECT_EQ(folded(Make<CConstSub>(2.0, K(5.0)))->GetText(), "-3");
    EXPECT_EQ(folded(Make<CSubConst>(Make<CZero>(), 2.0))->GetText(), "-2");
    EXPECT_EQ(folded(Make<CSubConst>(K(5.0), 2.0))->GetText(), "3");
    // c/f does not test for zero: a zero child folds into c/0.
    EXPECT_EQ(folded(Make<CConstDiv>(1.0, Make<CZero>()))->Evaluate(0.0), INFINITY);
    EXPECT_EQ(folded(Make<CConstDiv>(1.0, K(4.0)))->GetText(), "0.25");
    EXPECT_TRUE(Is<CZero>(folded(Make<CDivConst>(Make<CZero>(), 2.0))));
    EXPECT_EQ(folded(Make<CDivConst>(K(1.0), 4.0))->GetText(), "0.25");
    // The power kinds and the kinds without a constant never fold themselves.
    EXPECT_TRUE(Is<CConstPow>(folded(Make<CConstPow>(2.0, K(3.0)))));
    EXPECT_TRUE(Is<CPowConst>(folded(Make<CPowConst>(K(3.0), 2.0))));
    EXPECT_TRUE(Is<CNegate>(folded(Make<CNegate>(K(3.0)))));
    EXPECT_TRUE(Is<CSquare>(folded(Make<CSquare>(K(3.0)))));
    EXPECT_TRUE(Is<CSign>(folded(Make<CSign>(K(3.0)))));
    // But their children are folded.
    EXPECT_EQ(folded(Make<CNegate>(Make<CAdd>(K(1.0), K(2.0))))->GetText(), "-3");
    // The two-child kinds with one constant child become the one-child kinds.
    EXPECT_TRUE(Is<CConstSub>(folded(Make<CSub>(K(1.0), X()))));
    EXPECT_TRUE(Is<CSubConst>(folded(Make<CSub>(X(), K(1.0)))));
    EXPECT_TRUE(Is<CMulConst>(folded(Make<CMul>(K(2.0), X()))));
    EXPECT_TRUE(Is<CMulConst>(folded(Make<CMul>(X(), K(2.0)))));
    EXPECT_TRUE(Is<CConstDiv>(folded(Make<CDiv>(K(2.0), X()))));
    EXPECT_TRUE(Is<CDivConst>(folded(Make<CDiv>(X(), K(2.0)))));
    EXPECT_TRUE(Is<CZero>(folded(Make<CDiv>(Make<CZero>(), X()))));
    EXPECT_TRUE(Is<CConstPow>(folded(Make<CPow>(K(2.0), X()))));
    EXPECT_TRUE(Is<CPowConst>(folded(Make<CPow>(X(), K(2.0)))));
    EXPECT_TRUE(Is<CPow>(folded(Make<CPow>(X(), X()))));
    EXPECT_TRUE(Is<CZero>(folded(Make<CSub>(Make<CZero>(), Make<CZero>()))));
}
