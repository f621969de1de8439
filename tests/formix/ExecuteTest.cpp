// Tests of Execute (formix/Exports.cpp).
#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <pthread.h>
#include <thread>
#include <vector>

#include "CommaLocale.h"
#include "formix/Formix.h"
#include "formix/Parser.h"

namespace {

using formix::kMaxParseDepth;

uint64_t Bits(double value) { return std::bit_cast<uint64_t>(value); }

// Formulas as the master data holds them after substitution, and the parser's corner cases.
const std::vector<std::string> kFormulas = {
    "FL2(1.15*1.5)", "0.5*2.5+0.2", "RD3(1.2*0.85*1.1)", "FL3(1.15)", "RD2(1.15)", "RD3(2.675)",
    "((1+2))*3", "%50", "2*-3", "2^-1", "(1)(2)", "X/0", "3/0", "0/0", "LG(100)*SQRT(2)",
    "GAMMA(0.5)", "1E-5", "12ABC", "[(1)+(2)]", "-2^2", "2^3^2", "1.5*(1.25+0.75)/3",
    "FL4(2/3)+RD4(1/3)", "SIN(1)+COS(1)+TAN(1)+EXP(1)+LN(2)+ATAN(1)", "M_PI*2"};

double Value(const std::string& formula) { return Execute(formula.c_str()); }

// first, then terms - 1 times next: "1" and "+1" make 1+1+...+1.
std::string Chain(const std::string& first, const std::string& next, int terms) {
    std::string chain = first;
    for (int i = 1; i < terms; ++i) {
        chain += next;
    }
    return chain;
}

// The text in n pairs of parentheses, or in n calls of a function.
std::string InPairs(int n, const std::string& text) { return std::string(n, '(') + text + std::string(n, ')'); }
std::string InCalls(int n, const std::string& name, const std::string& text) {
    return Chain(name + "(", name + "(", n) + text + std::string(n, ')');
}

}  // namespace

TEST(Execute, EmptyAndDegenerateTexts) {
    EXPECT_EQ(Execute(nullptr), 0.0);
    for (const char* text : {"", " ", "   ", "%", "+", "-", "()", "((", "))", "%%50", "ABC", "\t"}) {
        EXPECT_EQ(Execute(text), 0.0) << '"' << text << '"';
    }
}

TEST(Execute, PercentAndBlanks) {
    EXPECT_EQ(Execute("%50"), 0.5);
    EXPECT_EQ(Execute(" % 50"), 0.5);
    EXPECT_EQ(Execute("50%"), 50.0);
    EXPECT_EQ(Execute("%%50"), 0.0);
    EXPECT_EQ(Execute("1 2 + 3"), 15.0);
    EXPECT_EQ(Execute("%((50))"), 0.5);
    // Only the blank goes: a tab stays part of the text.
    EXPECT_EQ(Execute("1\t+2"), 3.0);
    EXPECT_EQ(Execute("\t5"), 5.0);
}

TEST(Execute, DocumentedValues) {
    EXPECT_EQ(Execute("((1+2))*3"), 9.0);
    EXPECT_EQ(Execute("(((1+2)))"), 3.0);
    EXPECT_EQ(Execute("H1"), 0.0);
    EXPECT_EQ(Execute("2*H1"), 0.0);
    EXPECT_EQ(Execute("12ABC"), 12.0);
    EXPECT_EQ(Execute("2*(-3)"), -6.0);
    EXPECT_EQ(Execute("2*-3"), -3.0);
    EXPECT_EQ(Execute("2^-1"), 0.0);
    EXPECT_EQ(Execute("(1)(2)"), 1.0);
    EXPECT_EQ(Execute("1/0"), INFINITY);
    EXPECT_EQ(Execute("X/0"), 0.0);
    EXPECT_EQ(Execute("x"), 0.0);
    EXPECT_EQ(Execute("COS(X)"), 1.0);
    EXPECT_EQ(Execute("25"), 25.0);
    EXPECT_EQ(Execute("1.5"), 1.5);
    EXPECT_EQ(Execute("0.000"), 0.0);
    EXPECT_EQ(Execute("[1+2]*{3}"), 9.0);
    EXPECT_EQ(Execute("SQRT(4)+LG(1000)"), 5.0);
}

TEST(Execute, BracketFormsGetTheParenthesisRewrite) {
    EXPECT_EQ(Execute("[(1)+(2)]"), 3.0);
    EXPECT_EQ(Execute("{[1]+[2]}*2"), 6.0);
    EXPECT_EQ(Execute("[[[[[[[[[[[[1]]]]]]]]]]]]+[1+1]*[1+1]*[1+1]"), 9.0);
}

TEST(Execute, RoundingInFormulasIsBitExact) {
    EXPECT_EQ(Bits(Execute("FL3(1.15)")), Bits(114 * 0.01));
    EXPECT_NE(Execute("FL3(1.15)"), 1.14);
    EXPECT_EQ(Bits(Execute("FL2(2.3)")), Bits(23 * 0.1));
    EXPECT_EQ(Bits(Execute("FL2(-1.23)")), Bits(-13 * 0.1));
    EXPECT_EQ(Bits(Execute("RD2(1.15)")), Bits(1.2000000000000002));
    EXPECT_EQ(Bits(Execute("RD3(2.675)")), Bits(2.6799999999999997));
    EXPECT_EQ(Execute("RD3(1.005)"), 1.01);
    EXPECT_EQ(Execute("RD1(2.5)"), 3.0);
    EXPECT_EQ(Execute("RD1(-2.5)"), -3.0);
    EXPECT_TRUE(std::signbit(Execute("RD1(-0.3)")));
    // 1.5 × 1.15 is 1.7249999999999999 as a double.
    EXPECT_EQ(Bits(Execute("FL2(1.15*1.5)")), Bits(17 * 0.1));
    EXPECT_EQ(Execute("RD3(1.2*0.85*1.1)"), 1.12);
    EXPECT_EQ(Execute("GAMMA(13)"), 479001600.0);
    EXPECT_TRUE(std::isnan(Execute("GAMMA(0)")));
    EXPECT_TRUE(std::isnan(Execute("GAMMA(-2)")));
    EXPECT_EQ(Execute("GAMMA(2000)"), INFINITY);
}

TEST(Execute, NumbersFollowTheClassicSyntaxOnly) {
    EXPECT_EQ(Execute("INF"), 0.0);
    EXPECT_EQ(Execute("NAN"), 0.0);
    EXPECT_EQ(Execute("0X10"), 0.0);
    EXPECT_EQ(Execute("INF+1"), 1.0);
    EXPECT_EQ(Execute("1E5"), 100000.0);
    EXPECT_EQ(Execute("1E400"), INFINITY);
}

// How long these take is measured by the formula benchmarks (bench/formix).
TEST(Execute, DeepInputGivesAValueWithoutACrash) {
    const std::string opens(100000, '(');
    EXPECT_EQ(Value(opens), 0.0);
    EXPECT_TRUE(std::isfinite(Value(opens + "1" + std::string(100000, ')'))));
    EXPECT_EQ(Value(Chain("1", "+1", 200000)), 200000.0);
    EXPECT_EQ(Value(Chain("1", "*1", 200000)), 1.0);
    EXPECT_TRUE(std::isfinite(Value(InCalls(30000, "SQRT", "1"))));

    // A long run of white space or digits at the start of every piece of a chain.
    EXPECT_EQ(Value(std::string(200000, '\t') + Chain("1", "+1", 1001)), 1001.0);
    EXPECT_EQ(Value(std::string(200000, '7') + Chain("", "+7", 1001)), INFINITY);

    // Operators whose tests ask a child both questions, alternating for thousands of levels.
    std::string alternating(6000, '(');  // ((((X)+SIN(X))*SIN(X))+SIN(X))*SIN(X) ...
    alternating += "X";
    for (int i = 0; i < 3000; ++i) {
        alternating += ")+SIN(X))*SIN(X)";
    }
    EXPECT_EQ(Value(alternating), 0.0);
}

TEST(Execute, DeepInputFitsInASmallStack) {
    // The deepest parse, run on a thread with a quarter of the usual 8 MB stack.
    struct Job {
        std::string formula;
        double value = 1.0;
    };
    std::string calls;
    for (int i = 0; i < 3000; ++i) {
        calls += "SQRT(-(X+";
    }
    calls += "1" + std::string(6000, ')');
    Job job{calls};
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 2 * 1024 * 1024), 0);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        auto* j = static_cast<Job*>(argument);
        j->value = Execute(j->formula.c_str());
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &job), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(job.value, 0.0);  // the cut-off rest reads as 0, and so does every level above it
}

TEST(Execute, ChainsOfAnyLengthAreExact) {
    // Every term counts however many there are; CheckWord lets such formulas be stored.
    const struct {
        std::string formula;
        double value;
    } cases[] = {
        {Chain("1", "+1", 259), 259.0},
        {Chain("1", "+1", 200000), 200000.0},
        {Chain("300", "-1", 300), 1.0},
        {Chain("1", "*2", 1000), std::ldexp(1.0, 999)},
        {Chain("3", "/2", 300), std::ldexp(3.0, -299)},
        {Chain("1", "+H1", 1000), 1.0},  // a placeholder left unreplaced is 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Value(c.formula), c.value) << c.formula.size();
        EXPECT_EQ(CheckWord(c.formula.c_str()), 1) << c.formula.size();
    }
}

TEST(Execute, NestingPastTheLimitIsRefusedByBothExports) {
    // A pair of parentheses is a level, a function call one more for its argument. Past the
    // limit Execute gives 0 and CheckWord refuses, as for any formula that cannot be valued.
    const struct {
        std::string formula;
        double value;  // 0 where refused
    } cases[] = {
        {InPairs(200, "1+2"), 3.0},
        {InPairs(kMaxParseDepth, "1+2"), 3.0},
        {InPairs(kMaxParseDepth + 1, "1+2"), 0.0},
        {InCalls(kMaxParseDepth - 1, "FL1", "2.5"), 2.0},
        {InCalls(kMaxParseDepth, "FL1", "2.5"), 0.0},
        {InPairs(100000, "1"), 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Execute(c.formula.c_str()), c.value) << c.formula.size();
        EXPECT_EQ(CheckWord(c.formula.c_str()), c.value != 0.0 ? 1 : 0) << c.formula.size();
    }
}

TEST(Execute, FormulasOfStoredLengthParseWhole) {
    // 255 characters, the most a stored formula holds.
    std::string sum = "1";
    for (int i = 1; i < 128; ++i) {
        sum += "+1";
    }
    ASSERT_EQ(sum.size(), 255u);
    EXPECT_EQ(Execute(sum.c_str()), 128.0);
    const std::string nested = std::string(127, '(') + "1" + std::string(127, ')');
    EXPECT_EQ(Execute(nested.c_str()), 1.0);
}

TEST(Execute, LocaleDoesNotChangeResults) {
    std::vector<uint64_t> expected;
    for (const std::string& formula : kFormulas) {
        expected.push_back(Bits(Execute(formula.c_str())));
    }
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, CommaLocaleName().c_str()), nullptr);
    char check[16];
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    ASSERT_STREQ(check, "1,5");  // the locale is in force
    for (size_t i = 0; i < kFormulas.size(); ++i) {
        EXPECT_EQ(Bits(Execute(kFormulas[i].c_str())), expected[i]) << kFormulas[i];
    }
    EXPECT_EQ(Execute("1,5"), 1.0);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(Execute, ThreadsGetTheSameResults) {
    std::vector<uint64_t> expected;
    for (const std::string& formula : kFormulas) {
        expected.push_back(Bits(Execute(formula.c_str())));
    }
    constexpr int kThreads = 4;
    std::vector<std::vector<uint64_t>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&results, t] {
            for (int round = 0; round < 200; ++round) {
                for (const std::string& formula : kFormulas) {
                    results[t].push_back(Bits(Execute(formula.c_str())));
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::vector<uint64_t>& result : results) {
        ASSERT_EQ(result.size(), 200 * expected.size());
        for (size_t i = 0; i < result.size(); ++i) {
            ASSERT_EQ(result[i], expected[i % expected.size()]) << kFormulas[i % expected.size()];
        }
    }
}

TEST(Execute, LeavesTheTextAlone) {
    char text[] = "((1+2))*[3]";
    EXPECT_EQ(Execute(text), 9.0);
    EXPECT_STREQ(text, "((1+2))*[3]");
}
