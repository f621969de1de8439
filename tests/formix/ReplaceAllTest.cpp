// Tests of formix/ReplaceAll.h.
#include <gtest/gtest.h>

#include <string>

#include "formix/ReplaceAll.h"

using namespace formix;

TEST(ReplaceAll, StopsAfterTenReplacements) {
    std::string text = "[[[[[[[[[[[[";
    EXPECT_EQ(ReplaceAll(text, "[", "("), 10);
    EXPECT_EQ(text, "(((((((((([[");
}

TEST(ReplaceAll, LeavesATextWithoutTheStringAlone) {
    std::string text = "1+2";
    EXPECT_EQ(ReplaceAll(text, "[", "("), 0);
    EXPECT_EQ(text, "1+2");
    std::string empty;
    EXPECT_EQ(ReplaceAll(empty, "[", "("), 0);
    EXPECT_EQ(ReplaceAll(text, "", "x"), 0);
    EXPECT_EQ(text, "1+2");
}

TEST(ReplaceAll, ReturnsOnceNothingFollows) {
    std::string text = "1+2]";
    EXPECT_EQ(ReplaceAll(text, "]", ")"), 1);
    EXPECT_EQ(text, "1+2)");
}

TEST(ReplaceAll, NeverSearchesInsertedText) {
    std::string text = "aaa";
    EXPECT_EQ(ReplaceAll(text, "a", "aa"), 3);
    EXPECT_EQ(text, "aaaaaa");
    std::string words = "abcabcab";
    EXPECT_EQ(ReplaceAll(words, "ab", "b"), 3);
    EXPECT_EQ(words, "bcbcb");
    std::string overlapping = "aaaa";
    EXPECT_EQ(ReplaceAll(overlapping, "aa", "b"), 2);
    EXPECT_EQ(overlapping, "bb");
}

TEST(ReplaceRange, CutsAndInserts) {
    std::string text = "abcdef";
    ReplaceRange(text, 2, 2, "XYZ");
    EXPECT_EQ(text, "abXYZef");
    ReplaceRange(text, 5, 100, "!");
    EXPECT_EQ(text, "abXYZ!");
    ReplaceRange(text, 100, 1, "?");
    EXPECT_EQ(text, "abXYZ!?");
}
