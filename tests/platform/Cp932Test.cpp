// Tests of platform/Cp932.h.
#include <gtest/gtest.h>

#include "HexText.h"
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

TEST(Cp932, UnencodableUtf8BecomesQuestionMark) {
    // Characters CP932 lacks, and broken UTF-8, become '?'.
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("a\xE3\x81"), "a?");
    EXPECT_EQ(Utf8ToCp932("\xFF" "z"), "?z");
    // The replacement character is not in CP932 either.
    EXPECT_EQ(Utf8ToCp932("\xEF\xBF\xBD"), "?");
}

TEST(Cp932, UndecodableBytesSurviveLoadAndStore) {
    // Each byte that starts no CP932 character becomes U+F700 + byte and is stored back as that byte.
    struct Case {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"\x80", "\uF780"},
        {"\xA0", "\uF7A0"},
        {"\xFD", "\uF7FD"},
        {"\xFE\xFF", "\uF7FE\uF7FF"},
        {"\x85\x40", "\uF785@"},             // an unassigned pair: the trail byte stands on its own
        {"a\x81 b", "a\uF781 b"},             // a lead byte followed by no trail byte
        {"\x81\x7F", "\uF781\x7F"},
        {"x\x82", "x\uF782"},                 // a lead byte cut off at the end
        {"\x82\xA0\xFD\x82", "あ\uF7FD\uF782"},
        {"\xEB\x40\x82", "\uF7EB@\uF782"},
        {"\x85\x82\xA0", "\uF785あ"},         // the trail byte of an unassigned pair starts a character
    };
    for (const auto& c : cases) {
        const std::string text = Cp932ToUtf8(c.bytes);
        EXPECT_EQ(text, c.utf8) << testing::PrintToString(c.bytes);
        EXPECT_EQ(Utf8ToCp932(text), c.bytes) << testing::PrintToString(c.bytes);
        EXPECT_EQ(Cp932Length(text), c.bytes.size()) << testing::PrintToString(c.bytes);
    }
}

TEST(Cp932, EveryOneAndTwoByteTextSurvivesLoadAndStore) {
    for (int lead = 0; lead < 256; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(single)), single) << lead;
        for (int trail = 0; trail < 256; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(Hex(Utf8ToCp932(Cp932ToUtf8(pair))), Hex(pair));
        }
    }
}

TEST(Cp932, CharacterReadFromItsOtherCodeIsStoredUnderThatCode) {
    // NEC and IBM extensions hold some characters twice (rows 87, ED, EE and FA..FC); iconv writes one
    // code. A character read from another code carries an invisible mark (a tag digit) naming it.
    struct Case {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"\xFA\x5C", "纊"},                              // IBM extension, the code written by default
        {"\xED\x40", "纊\U000E0031"},                     // the same character in NEC's selection
        {"\x81\xCA", "￢"},
        {"\xEE\xF9", "￢\U000E0031"},                     // a character with two other codes
        {"\xFA\x54", "￢\U000E0032"},
        {"\x87\x90", "≒\U000E0031"},                     // NEC row 13 beside JIS X 0208's 81E0
        {"\xEE\xEE\x82", "\uF7EE薰\U000E0031"},            // an undecodable byte before a marked character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.bytes), c.utf8) << Hex(c.bytes);
        EXPECT_EQ(Hex(Utf8ToCp932(c.utf8)), Hex(c.bytes));
        EXPECT_EQ(Cp932Length(c.utf8), c.bytes.size()) << Hex(c.bytes);
    }
}

TEST(Cp932, MarkWithoutItsCodeIsLeftOut) {
    // A mark after a character without that other code, or after none, writes nothing.
    struct Case {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"\U000E0031", ""},
        {"a\U000E0031b", "ab"},
        {"あ\U000E0031", "\x82\xA0"},
        {"纊\U000E0032", "\xFA\x5C"},
        {"\uF7EE\U000E0031", "\xEE"},
        {"纊\U000E0031\U000E0031", "\xED\x40"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(Utf8ToCp932(c.utf8)), Hex(c.bytes));
        EXPECT_EQ(Cp932Length(c.utf8), c.bytes.size()) << Hex(c.bytes);
    }
}

TEST(Cp932, PrivateUseCharactersKeepTheirCodes) {
    // CP932's user-defined area is U+E000..U+E757 and round-trips as before; a raw-byte code point
    // typed into a text is stored as its byte.
    struct Case {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"\uE000", "\xF0\x40"},
        {"a\uE001b", "a\xF0\x41" "b"},
        {"\uE757", "\xF9\xFC"},
        {"\uF780", "\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(Cp932ToUtf8(c.bytes), c.utf8) << c.utf8;
        EXPECT_EQ(Cp932Length(c.utf8), c.bytes.size()) << c.utf8;
    }
    // Private-use code points outside both ranges are not CP932.
    EXPECT_EQ(Utf8ToCp932("\uE758\uF77F\uF800"), "???");
}

TEST(Cp932, UpperCasesAsciiOnly) {
    EXPECT_EQ(AsciiUpper("fl2(h1*1.5)+ｆｌ"), "FL2(H1*1.5)+ｆｌ");
    EXPECT_EQ(AsciiUpper("rd3(é)"), "RD3(é)");
}
