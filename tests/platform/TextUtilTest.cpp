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
