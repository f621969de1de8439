// Tests of formix/Parser.h.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "NodeTestSupport.h"
#include "formix/Parser.h"

using namespace formix;
using namespace formix::test;

namespace {

FunctionPtr Parse(const std::string& text) { return ParseFormula(text, "X"); }
double Value(const std::string& text) { return Parse(text)->Evaluate(0.0); }

}  // namespace

TEST(Parser, FunctionsOfTheVariableAreLeaves) {
    EXPECT_TRUE(Is<CSqrtX>(Parse("sqrt(x)")));
    EXPECT_TRUE(Is<CSqrtX>(Parse("SQRT(X)")));
    EXPECT_TRUE(Is<CSqrtX>(Parse("SQRT((X))")));
    EXPECT_TRUE(Is<CSqrtX>(Parse("SQRT(+X)")));
    EXPECT_TRUE(Is<CSinhX>(Parse("SINH(X)")));  // SIN does not take SINH
    EXPECT_TRUE(Is<CCothX>(Parse("coth(x)")));
    EXPECT_TRUE(Is<CRound4X>(Parse("RD4(X)")));
    EXPECT_TRUE(Is<CLogX>(Parse("LN(X)")));
    EXPECT_TRUE(Is<CGammaX>(Parse("GAMMA(X)")));
    // FL1 has no leaf kind.
    FunctionPtr floor1 = Parse("FL1(X)");
    ASSERT_TRUE(Is<CFloor1>(floor1));
    EXPECT_TRUE(dynamic_cast<const CVariable*>(static_cast<const CFloor1&>(*floor1).Arg()) != nullptr);
    // The variable name is the caller's.
    EXPECT_TRUE(Is<CSinX>(ParseFormula("sin(t)", "t")));
    EXPECT_TRUE(Is<CVariable>(ParseFormula("T", "t")));
}

TEST(Parser, FunctionsOfExpressionsAreComposites) {
    FunctionPtr root = Parse("SQRT(4)");
    ASSERT_TRUE(Is<CSqrt>(root));
    EXPECT_TRUE(dynamic_cast<const CConstant*>(static_cast<const CSqrt&>(*root).Arg()) != nullptr);
    EXPECT_EQ(root->Evaluate(0.0), 2.0);
    EXPECT_TRUE(Is<CSin>(Parse("SIN(X+1)")));
    EXPECT_TRUE(Is<CFloor2>(Parse("FL2(X*1.5)")));
    EXPECT_EQ(Parse("FL2(X*1.5)")->GetText(), "floor2(1.5*(x))");
    // The parenthesis after the name must close at the end of the text.
    EXPECT_TRUE(Is<CConstant>(Parse("SIN(X)2")));
    EXPECT_EQ(Value("SIN(X)2"), 0.0);
    EXPECT_EQ(Value("SIN"), 0.0);
    EXPECT_EQ(Value("LG(100)"), 2.0);
}

TEST(Parser, OperatorShapes) {
    EXPECT_TRUE(Is<CSquareX>(Parse("X*X")));
    // The same text, but not the variable name as written: the square of the parsed side.
    FunctionPtr square = Parse("x*x");
    ASSERT_TRUE(Is<CSquare>(square));
    EXPECT_EQ(square->GetText(), "sqr(x)");
    EXPECT_EQ(Parse("(X+1)+(X+1)")->GetText(), "2*(x+1)");
    EXPECT_TRUE(Is<CAddConst>(Parse("X+1")));
    EXPECT_TRUE(Is<CAddConst>(Parse("1+X")));
    EXPECT_TRUE(Is<CConstSub>(Parse("2-X")));
    EXPECT_TRUE(Is<CSubConst>(Parse("X-2")));
    EXPECT_TRUE(Is<CMulConst>(Parse("3*X")));
    EXPECT_TRUE(Is<CConstDiv>(Parse("3/X")));
    EXPECT_TRUE(Is<CDivConst>(Parse("X/3")));
    EXPECT_TRUE(Is<CConstPow>(Parse("2^X")));
    EXPECT_TRUE(Is<CPowConst>(Parse("X^2")));
    EXPECT_TRUE(Is<CPow>(Parse("X^SIN(X)")));
    EXPECT_TRUE(Is<CAdd>(Parse("X+SIN(X)")));
    EXPECT_TRUE(Is<CSub>(Parse("X-SIN(X)")));
    EXPECT_TRUE(Is<CMul>(Parse("X*SIN(X)")));
    EXPECT_TRUE(Is<CDiv>(Parse("X/SIN(X)")));
    EXPECT_TRUE(Is<CNegate>(Parse("-X")));
    EXPECT_TRUE(Is<CVariable>(Parse("x")));
    // Power nodes are not folded, other operators are.
    EXPECT_TRUE(Is<CPowConst>(Parse("(1+1)^2")));
    EXPECT_TRUE(Is<CConstant>(Parse("(1+1)*2")));
    EXPECT_TRUE(Is<CZero>(Parse("X-X")));
    EXPECT_TRUE(Is<CZero>(Parse("0*X")));
    EXPECT_TRUE(Is<CZero>(Parse("X*0")));
    EXPECT_TRUE(Is<CZero>(Parse("0/X")));
    EXPECT_TRUE(Is<CZero>(Parse("-(X-X)")));
    // Step 10 keeps a CConstant even for 0.
    EXPECT_TRUE(Is<CConstant>(Parse("0")));
    EXPECT_TRUE(Is<CConstant>(Parse("")));
}

TEST(Parser, ValuesAtZero) {
    EXPECT_EQ(Value("1+2*3"), 7.0);
    EXPECT_EQ(Value("(1+2)*3"), 9.0);
    EXPECT_EQ(Value("[1+2]*{3}"), 9.0);
    EXPECT_EQ(Value("8-2-1"), 5.0);
    EXPECT_EQ(Value("8/2/2"), 2.0);
    EXPECT_EQ(Value("2^3^2"), 64.0);
    EXPECT_EQ(Value("-2^2"), -4.0);
    EXPECT_EQ(Value("-2*3"), -6.0);
    EXPECT_EQ(Value("-3+4"), 1.0);
    EXPECT_EQ(Value("-2.5"), -2.5);
    EXPECT_EQ(Value("-PI"), -3.141592653589793);
    EXPECT_EQ(Value("-"), 0.0);
    EXPECT_FALSE(std::signbit(Value("-")));
    EXPECT_EQ(Value("3+"), 3.0);
    EXPECT_EQ(Value("3*"), 0.0);
    EXPECT_EQ(Value("2X"), 2.0);
    EXPECT_EQ(Value("(1)(2)"), 1.0);
    EXPECT_EQ(Value("ABC+1"), 1.0);
    EXPECT_EQ(Value("1.5.3"), 1.5);
    EXPECT_EQ(Value("5%"), 5.0);
    EXPECT_EQ(Value("2*PI"), 2.0 * 3.141592653589793);
    EXPECT_EQ(Value("1E5"), 100000.0);
    EXPECT_EQ(Value("1E-5"), -4.0);  // cut at its minus into '1E' and '5'
    EXPECT_EQ(Value("1E+5"), 6.0);
    EXPECT_EQ(Value("RD2(1.25)"), 1.3);
    EXPECT_EQ(Value("-(1+2))"), -1.0);  // unbalanced: step 9 reads the rest
    EXPECT_EQ(Value("-(1+2"), 2.0);     // '-(1' reads as -0, then plus 2
}

TEST(Parser, DivisionAndSameTextRules) {
    EXPECT_EQ(Value("3/0"), INFINITY);
    EXPECT_EQ(Value("-3/0"), -INFINITY);
    EXPECT_TRUE(std::isnan(Value("0/0")));
    EXPECT_EQ(Value("X/0"), 0.0);
    EXPECT_EQ(Value("(1+2)/0"), 0.0);
    EXPECT_EQ(Value("0*(1/0)"), 0.0);
    EXPECT_EQ(Value("X-X"), 0.0);
    EXPECT_EQ(Value("(1/0)-(1/0)"), 0.0);
    EXPECT_EQ(Value("X/X"), 1.0);
    EXPECT_EQ(Value("(0/0)/(0/0)"), 1.0);
    // A product of numbers that is NaN counts as 0.
    EXPECT_TRUE(Is<CZero>(Parse("1E999*0")));
    EXPECT_EQ(Value("1E999*2"), INFINITY);
}

TEST(Parser, SignsAfterOperatorsAreCuts) {
    EXPECT_EQ(Value("2*-3"), -3.0);
    EXPECT_EQ(Value("2^-1"), 0.0);
    EXPECT_EQ(Value("2*(-3)"), -6.0);
    EXPECT_EQ(Value("2/-4"), INFINITY);  // '2/' is 2/0, then minus 4
}

TEST(Parser, EnclosingParenthesesAreJudgedOnce) {
    // Without Execute's "((" rewrite the outer pair of '((1)+(2))' goes with the inner ones.
    EXPECT_EQ(Value("((1)+(2))"), 1.0);
    EXPECT_EQ(Value("(0+(1)+(2))"), 3.0);
    EXPECT_EQ(Value("((((4))))"), 4.0);
    EXPECT_EQ(Value("()"), 0.0);
    EXPECT_EQ(Value(")1("), 0.0);
}

TEST(Parser, BracketFormsAreReplacedTenAtATime) {
    // Here the last two bracket pairs stay brackets at the first level, so the '+' inside
    // the last pair is taken for the cut.
    const std::string formula = "[0]+[0]+[0]+[0]+[0]+[0]+[0]+[0]+[0]+[0]+[2]*[1+1]";
    EXPECT_EQ(Value(formula), 1.0);
    EXPECT_EQ(Value("[0]+[2]*[1+1]"), 4.0);
}

TEST(Parser, DeepInputIsRefusedInsteadOfOverflowingTheStack) {
    // Within the depth limit the value is exact.
    const int levels = kMaxParseDepth - 2;
    std::string nested;
    for (int i = 0; i < levels; ++i) {
        nested += "-(";
    }
    nested += "1";
    nested += std::string(levels, ')');
    EXPECT_EQ(Value(nested), levels % 2 == 0 ? 1.0 : -1.0);
    std::string chain = "1";
    for (int i = 1; i < kMaxParseDepth; ++i) {
        chain += "+1";
    }
    EXPECT_EQ(Value(chain), kMaxParseDepth);
    // A chain is one level however long: every factor counts, and 2^20001 overflows.
    std::string longChain = "2";
    for (int i = 0; i < 20000; ++i) {
        longChain += "*2";
    }
    EXPECT_EQ(Value(longChain), INFINITY);
    // Nesting beyond the limit refuses the whole formula: no tree, or the constant 0.
    std::string deep;
    for (int i = 0; i < 50000; ++i) {
        deep += "(1+";
    }
    deep += "1" + std::string(50000, ')');
    EXPECT_EQ(TryParseFormula(deep, "X"), nullptr);
    EXPECT_EQ(Value(deep), 0.0);
}

TEST(Parser, ChainsBuildTheTreesOfTheirTerms) {
    // The terms of a chain are taken from the first on, each folded as soon as it is constant.
    const struct {
        const char* formula;
        const char* text;
    } cases[] = {
        {"1+2-3", "0"},
        {"1+2-4", "-1"},
        {"X+1+2", "x+1+2"},
        {"X*2*3/4", "(3*(2*(x)))/4"},
        {"1+X+X", "x+1+x"},
        {"X+X+SIN(X)", "2*(x)+sin(x)"},
        {"X^2^3", "x^2^3"},
        {"2-X-X", "(2-x)-(x)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(c.formula)->GetText(), c.text) << c.formula;
    }
    EXPECT_TRUE(Is<CZero>(Parse("1+2-3")));
    EXPECT_TRUE(Is<CConstant>(Parse("1+2-4")));
}
