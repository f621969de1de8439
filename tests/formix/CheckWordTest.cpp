// Tests of CheckWord (formix/Exports.cpp).
#include <gtest/gtest.h>

#include <string>

#include "formix/Formix.h"

TEST(CheckWord, AcceptsStorableFormulas) {
    for (const char* text : {"1.2+3.4", "12.5+3.", "SQRT(2)", "FL2(H1*1.5)", "%5", "()", "(1)(2)", "H1H2",
                             "RD3(S1*LL/100)", "LG(10)+LN(2)", "FLOOR(2.5)", "0.5*2.5+0.2", "2^3", " 1 ",
                             "1+ -2", "FL1(1.5)", "RD4(1.23456)"}) {
        EXPECT_EQ(CheckWord(text), 1) << '"' << text << '"';
    }
}

TEST(CheckWord, RefusesWhatMayNotBeStored) {
    EXPECT_EQ(CheckWord(nullptr), 0);
    for (const char* text : {"", "1.2.3", "-1", "(1", ")1(", "1+", "2*-3", "HH1", "h1", "SIN(1)", "X", "1E5",
                             "PI", "2,5", "1.2.", "1..2", "1+(2.3.4)", "(1))(", "*2", "/2", "^2", "2^",
                             "2/", "1++2", "1^-2", "1\t2", "\xe3\x81\x82"}) {
        EXPECT_EQ(CheckWord(text), 0) << '"' << text << '"';
    }
}

TEST(CheckWord, TextOfBlanksOnlyIsRefused) {
    EXPECT_EQ(CheckWord(" "), 0);
    EXPECT_EQ(CheckWord("    "), 0);
    EXPECT_EQ(CheckWord(" 0 "), 1);
}

TEST(CheckWord, EachRunOfDigitsHoldsOnePointAtMost) {
    EXPECT_EQ(CheckWord("1.5+2.5"), 1);
    EXPECT_EQ(CheckWord("1.5H1.5"), 1);
    EXPECT_EQ(CheckWord("1.5 .5"), 1);  // a blank ends a run
    EXPECT_EQ(CheckWord("1.5.5"), 0);
    EXPECT_EQ(CheckWord("2+1.5.5"), 0);  // the run that ends the text counts too
}

TEST(CheckWord, LongTextsAreJudgedByTheSameRules) {
    std::string sum = "1";
    for (int i = 0; i < 500; ++i) {
        sum += "+1";
    }
    EXPECT_EQ(CheckWord(sum.c_str()), 1);
    EXPECT_EQ(CheckWord((sum + "+").c_str()), 0);
}
