// Tests of platform/TextUtil.h.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextUtil.h"

TEST(TextUtil, ReplaceAll) {
    struct Case {
        std::string text, from, to, expected;
    };
    const Case cases[] = {
        {"H1*H2+H1", "H1", "1.5", "1.5*H2+1.5"},
        {"LL", "LL", "(-0.5)", "(-0.5)"},
        {"aaa", "a", "aa", "aaaaaa"},      // replaced text is not searched again
        {"abcabc", "abc", "", ""},
        {"H12", "H1", "2", "22"},          // plain text, no word boundaries
        {"text", "", "x", "text"},         // nothing to look for
        {"", "a", "b", ""},
        {"延長LL", "LL", "10m", "延長10m"},  // multi-byte text around the match
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        vemo::ReplaceAll(text, c.from, c.to);
        EXPECT_EQ(text, c.expected) << c.text << " / " << c.from << " → " << c.to;
    }
}

TEST(TextUtil, FillText) {
    using vemo::FillText;
    EXPECT_EQ(FillText("「%1」を開けません。", {"a.sei"}), "「a.sei」を開けません。");
    EXPECT_EQ(FillText("第%1号%2", {"3", "一位代価表"}), "第3号一位代価表");
    EXPECT_EQ(FillText("%2-%1", {"x", "y"}), "y-x");
    EXPECT_EQ(FillText("%1", {"%2"}), "%2");            // a value is not searched again
    EXPECT_EQ(FillText("%1 %2", {"only"}), "only %2");  // no value for %2
    EXPECT_EQ(FillText("53.85% 100%", {"x"}), "53.85% 100%");
    EXPECT_EQ(FillText("末尾%", {}), "末尾%");
    EXPECT_EQ(FillText("%0%1", {"v"}), "%0v");
}
