// Tests of formix/FunctionNodes.h.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "NodeTestSupport.h"
#include "formix/Rounding.h"

using namespace formix;
using namespace formix::test;

namespace {

struct Texts {
    FuncId id;
    const char* leafText;  // also the composite's text over the variable
    const char* leafTeX;
    const char* compositeTeX;  // over the variable
};

const Texts kTexts[] = {
    {FuncId::Exp, "exp(x)", "e^x", "e^{x}"},
    {FuncId::Sin, "sin(x)", "\\sin(x)", "\\sin\\left(x\\right)"},
    {FuncId::Cos, "cos(x)", "\\cos(x)", "\\cos\\left(x\\right)"},
    {FuncId::Tan, "tan(x)", "\\tan(x)", "\\tan\\left(x\\right)"},
    {FuncId::Cot, "cot(x)", "\\cot(x)", "\\cot\\left(x\\right)"},
    {FuncId::Sinh, "sinh(x)", "\\sinh(x)", "\\sinh\\left(x\\right)"},
    {FuncId::Cosh, "cosh(x)", "\\cosh(x)", "\\cosh\\left(x\\right)"},
    {FuncId::Tanh, "tanh(x)", "\\tanh(x)", "\\tanh\\left(x\\right)"},
    {FuncId::Coth, "coth(x)", "\\coth(x)", "\\coth\\left(x\\right)"},
    {FuncId::Abs, "abs(x)", "\\left\\|x\\right\\|", "\\left\\|x\\right\\|"},
    {FuncId::Ceil, "ceil(x)", "\\mathop{\\rm ceil}(x)", "\\mathop{\\rm ceil}\\left(x\\right)"},
    {FuncId::Floor, "floor(x)", "\\mathop{\\rm floor}(x)", "\\mathop{\\rm floor}\\left(x\\right)"},
    {FuncId::Floor2, "floor2(x)", "\\mathop{\\rm floor2}(x)", "\\mathop{\\rm floor2}\\left(x\\right)"},
    {FuncId::Floor3, "floor3(x)", "\\mathop{\\rm floor3}(x)", "\\mathop{\\rm floor3}\\left(x\\right)"},
    {FuncId::Floor4, "floor4(x)", "\\mathop{\\rm floor4}(x)", "\\mathop{\\rm floor4}\\left(x\\right)"},
    {FuncId::Round1, "round1(x)", "\\mathop{\\rm round1}(x)", "\\mathop{\\rm round1}\\left(x\\right)"},
    {FuncId::Round2, "round2(x)", "\\mathop{\\rm round2}(x)", "\\mathop{\\rm round2}\\left(x\\right)"},
    {FuncId::Round3, "round3(x)", "\\mathop{\\rm round3}(x)", "\\mathop{\\rm round3}\\left(x\\right)"},
    {FuncId::Round4, "round4(x)", "\\mathop{\\rm round4}(x)", "\\mathop{\\rm round4}\\left(x\\right)"},
    {FuncId::Lg, "lg(x)", "\\lg\\left(x\\right)", "\\lg\\left(x\\right)"},
    {FuncId::Log, "log(x)", "\\ln\\left(x\\right)", "\\ln\\left(x\\right)"},
    {FuncId::Sqrt, "sqrt(x)", "\\sqrt\\left(x\\right)", "\\sqrt\\left(x\\right)"},
    {FuncId::Asin, "Asin(x)", "\\arcsin(x)", "\\arcsin\\left(x\\right)"},
    {FuncId::Acos, "Acos(x)", "\\arccos(x)", "\\arccos\\left(x\\right)"},
    {FuncId::Atan, "Atan(x)", "\\arctan(x)", "\\arctan\\left(x\\right)"},
    {FuncId::Gamma, "Gamma(x)", "\\Gamma\\left(x\\right)", "\\Gamma\\left(x\\right)"},
};

const FuncId kAll[] = {FuncId::Exp,    FuncId::Sin,    FuncId::Cos,    FuncId::Tan,    FuncId::Cot,
                       FuncId::Sinh,   FuncId::Cosh,   FuncId::Tanh,   FuncId::Coth,   FuncId::Abs,
                       FuncId::Ceil,   FuncId::Floor,  FuncId::Floor1, FuncId::Floor2, FuncId::Floor3,
                       FuncId::Floor4, FuncId::Round1, FuncId::Round2, FuncId::Round3, FuncId::Round4,
                       FuncId::Lg,     FuncId::Log,    FuncId::Sqrt,   FuncId::Asin,   FuncId::Acos,
                       FuncId::Atan,   FuncId::Gamma};

bool IsStepOrGamma(FuncId id) {
    return (id >= FuncId::Ceil && id <= FuncId::Round4) || id == FuncId::Gamma;
}

}  // namespace

TEST(FunctionNodes, LeafAndCompositeTexts) {
    for (const Texts& t : kTexts) {
        FunctionPtr leaf = MakeFunctionOfX(t.id);
        ASSERT_NE(leaf, nullptr);
        EXPECT_EQ(leaf->GetText(), t.leafText);
        EXPECT_EQ(leaf->GetTeX(), t.leafTeX);
        FunctionPtr composite = MakeFunctionOf(t.id, X());
        EXPECT_EQ(composite->GetText(), t.leafText);  // the same text as the leaf...
        EXPECT_EQ(composite->GetTeX(), t.compositeTeX);  // ...but its own TeX
    }
    // FL1 has no leaf: the function of the variable is a composite over it.
    EXPECT_EQ(MakeFunctionOfX(FuncId::Floor1), nullptr);
    FunctionPtr floor1 = MakeFunctionOf(FuncId::Floor1, X());
    EXPECT_EQ(floor1->GetText(), "floor1(x)");
    EXPECT_EQ(floor1->GetTeX(), "\\mathop{\\rm floor1}\\left(x\\right)");
    EXPECT_EQ(CSin(Make<CAddConst>(X(), 1.0)).GetText(), "sin(x+1)");
    EXPECT_EQ(CExp(Make<CMulConst>(X(), 2.0)).GetTeX(), "e^{2\\left(x\\right)}");
}

TEST(FunctionNodes, Values) {
    const double t = 0.3;
    EXPECT_EQ(CExpX().Evaluate(t), std::exp(t));
    EXPECT_EQ(CSin(X()).Evaluate(t), std::sin(t));
    EXPECT_EQ(CCotX().Evaluate(t), std::cos(t) / std::sin(t));
    EXPECT_EQ(CCothX().Evaluate(t), std::cosh(t) / std::sinh(t));
    EXPECT_EQ(CCotX().Evaluate(0.0), INFINITY);
    EXPECT_EQ(CAbs(K(-0.5)).Evaluate(0.0), 0.5);
    EXPECT_EQ(CCeilX().Evaluate(-1.5), -1.0);
    EXPECT_EQ(CFloorX().Evaluate(-1.5), -2.0);
    EXPECT_EQ(CFloor1(X()).Evaluate(2.7), 2.0);
    EXPECT_EQ(CFloor3X().Evaluate(1.15), 114 * 0.01);
    EXPECT_EQ(CRound2(K(1.25)).Evaluate(0.0), 1.3);
    EXPECT_EQ(CLg(K(100.0)).Evaluate(0.0), 2.0);
    EXPECT_EQ(CLogX().Evaluate(1.0), 0.0);
    EXPECT_EQ(CSqrt(K(4.0)).Evaluate(0.0), 2.0);
    EXPECT_TRUE(std::isnan(CSqrtX().Evaluate(-1.0)));
    EXPECT_TRUE(std::isnan(CAsinX().Evaluate(2.0)));
    EXPECT_EQ(CLogX().Evaluate(0.0), -INFINITY);
    EXPECT_EQ(CAtanX().Evaluate(1.0), std::atan(1.0));
    EXPECT_EQ(CGammaX().Evaluate(5.0), 24.0);
    for (FuncId id : kAll) {
        EXPECT_EQ(MakeFunctionOf(id, Make<CMulConst>(X(), 0.5))->Evaluate(0.8), ApplyFunction(id, 0.4));
    }
}

TEST(FunctionNodes, ConstantAndZeroTests) {
    for (FuncId id : kAll) {
        FunctionPtr leaf = MakeFunctionOfX(id);
        if (leaf) {
            EXPECT_FALSE(leaf->IsConstant());
            EXPECT_FALSE(leaf->IsZero());
        }
        EXPECT_FALSE(MakeFunctionOf(id, X())->IsConstant());
    }
    // exp asks whether its child is zero, not whether it is constant.
    EXPECT_TRUE(CExp(Make<CZero>()).IsConstant());
    EXPECT_FALSE(CExp(K(2.0)).IsConstant());
    EXPECT_FALSE(CExp(Make<CZero>()).IsZero());
    EXPECT_TRUE(CCos(K(2.0)).IsConstant());
    EXPECT_FALSE(CCos(Make<CZero>()).IsZero());
    EXPECT_FALSE(CGamma(Make<CZero>()).IsZero());
    EXPECT_TRUE(CLog(K(1.0)).IsZero());
    EXPECT_TRUE(CLg(K(1.0)).IsZero());
    EXPECT_TRUE(CLog(K(2.0)).IsConstant());
    EXPECT_FALSE(CLog(K(2.0)).IsZero());
    EXPECT_TRUE(CSin(Make<CZero>()).IsZero());
    EXPECT_TRUE(CRound3(Make<CZero>()).IsZero());
    EXPECT_TRUE(CSqrt(K(4.0)).IsConstant());
    EXPECT_FALSE(CSqrt(K(4.0)).IsZero());
}

TEST(FunctionNodes, DerivativeShapes) {
    EXPECT_TRUE(Is<CSignX>(CAbsX().Derive()));
    EXPECT_TRUE(Is<CCosX>(CSinX().Derive()));
    EXPECT_TRUE(Is<CExpX>(CExpX().Derive()));
    EXPECT_TRUE(Is<CNegate>(CCosX().Derive()));
    EXPECT_TRUE(Is<CZero>(CGammaX().Derive()));
    EXPECT_TRUE(Is<CZero>(CFloor2X().Derive()));
    EXPECT_TRUE(Is<CZero>(CRound1X().Derive()));
    EXPECT_TRUE(Is<CZero>(CFloor1(X()).Derive()));
    // A constant sub-expression derives to zero without building the chain.
    EXPECT_TRUE(Is<CZero>(CTan(Make<CAdd>(K(1.0), K(2.0))).Derive()));
    EXPECT_EQ(CLgX().Derive()->GetText(), "0.434294/(x)");
    // 1 / ln 10 from the library's log: one unit in the last place below the double nearest log10(e).
    EXPECT_EQ(CLgX().Derive()->Evaluate(1.0), 0.43429448190325176);
    EXPECT_NE(CLgX().Derive()->Evaluate(1.0), 0.4342944819032518);
    EXPECT_EQ(CLg(X()).Derive()->Evaluate(1.0), 0.43429448190325176);
    EXPECT_EQ(CSqrtX().Derive()->GetText(), "0.5/(sqrt(x))");
    EXPECT_EQ(CAtanX().Derive()->GetText(), "1/(1*x^2+0*x+1)");
    EXPECT_EQ(CAsinX().Derive()->GetText(), "1/(sqrt(-1*x^2+0*x+1))");
    EXPECT_EQ(CAbs(Make<CMulConst>(X(), 2.0)).Derive()->GetText(), "(sign(2*(x)))*(2*(1))");
}

TEST(FunctionNodes, DerivativesAgreeWithDifferences) {
    // g(x) = 0.5x + 0.1 keeps every function in its domain and away from the steps near x = 0.3137.
    const double x = 0.3137;
    for (FuncId id : kAll) {
        FunctionPtr composite = MakeFunctionOf(id, Make<CAddConst>(Make<CMulConst>(X(), 0.5), 0.1));
        FunctionPtr leaf = MakeFunctionOfX(id);
        if (id == FuncId::Gamma) {
            // Gamma's derivative is defined as zero, like the step functions'.
            EXPECT_TRUE(Is<CZero>(composite->Derive()));
            EXPECT_TRUE(Is<CZero>(leaf->Derive()));
            continue;
        }
        if (IsStepOrGamma(id)) {
            EXPECT_TRUE(Is<CZero>(composite->Derive()));
        }
        ExpectDerivativeMatches(*composite, x);
        if (leaf) {
            ExpectDerivativeMatches(*leaf, x);
        }
    }
}

TEST(FunctionNodes, CopyKeepsTheKindAndFoldsOnlyTheChild) {
    for (FuncId id : kAll) {
        if (FunctionPtr leaf = MakeFunctionOfX(id)) {
            FunctionPtr copy = leaf->Copy(true);
            EXPECT_EQ(typeid(*copy), typeid(*leaf));
        }
    }
    FunctionPtr copy = CSin(Make<CAdd>(K(1.0), K(2.0))).Copy(true);
    ASSERT_TRUE(Is<CSin>(copy));
    EXPECT_TRUE(dynamic_cast<const CConstant*>(static_cast<const CSin&>(*copy).Arg()) != nullptr);
    EXPECT_EQ(copy->GetText(), "sin(3)");
    EXPECT_EQ(CSin(Make<CAdd>(K(1.0), K(2.0))).Copy(false)->GetText(), "sin(1+2)");
}
