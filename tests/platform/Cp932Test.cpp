#include <gtest/gtest.h>

#include "platform/Cp932.h"

using namespace vemo;

TEST(Cp932, ConvertsBothWays) {
    const std::string texts[] = {"", "abc 123", "歩掛データ.soa", "ﾌｧｲﾙ", "～", "①Ⅱ㈱", "材料単価データ25"};
    for (const auto& t : texts) {
        std::string bytes = Utf8ToCp932(t);
        EXPECT_EQ(Cp932ToUtf8(bytes), t);
    }
    EXPECT_EQ(Utf8ToCp932("あ"), "\x82\xA0");
    EXPECT_EQ(Utf8ToCp932("ﾌ"), "\xCC");
    // The wave dash of Windows texts is representable (SHIFT_JIS would refuse it).
    EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
}

TEST(Cp932, CountsBytes) {
    EXPECT_EQ(Cp932Length(""), 0u);
    EXPECT_EQ(Cp932Length("abc"), 3u);
    EXPECT_EQ(Cp932Length("積算農林ﾌｧｲﾙ ZORVA Development Corp."), 36u);
    EXPECT_EQ(Cp932Length("歩掛農林ﾌｧｲﾙ ZORVA Development Corp."), 36u);
    EXPECT_EQ(Cp932Length("プログラム金額農林ﾌｧｲﾙ ZORVA Development Corp."), 46u);
}

TEST(Cp932, InvalidInputIsReplacedConsistently) {
    // A lone lead byte, a byte that starts nothing, and a lead byte cut off at the end.
    EXPECT_EQ(Cp932ToUtf8("a\x81 b"), "a\xEF\xBF\xBD b");
    EXPECT_EQ(Cp932ToUtf8(std::string("\xA0x", 2)), "\xEF\xBF\xBDx");
    EXPECT_EQ(Cp932ToUtf8("x\x82"), "x\xEF\xBF\xBD");
    // Characters CP932 lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("a\xE3\x81"), "a?");
    EXPECT_EQ(Utf8ToCp932("\xFF" "z"), "?z");
    // The replacement character itself is not in CP932: a second round gives '?', and stays there.
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8("\x81")), "?");
}

TEST(Cp932, UpperCasesAsciiOnly) {
    EXPECT_EQ(AsciiUpper("fl2(h1*1.5)+ｆｌ"), "FL2(H1*1.5)+ｆｌ");
    EXPECT_EQ(AsciiUpper("rd3(é)"), "RD3(é)");
}
