// Tests of platform/Archive.h.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "HexText.h"
#include "platform/Archive.h"
#include "platform/Cp932.h"

namespace {

// Stores with f, loads the bytes with g, and stores what was loaded again: both byte strings must match.
template <typename Store, typename Load>
void ExpectRoundTrip(Store f, Load g) {
    CArchive out;
    f(out);
    CArchive in(out.Buffer());
    CArchive again;
    g(in, again);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(Hex(again.Buffer()), Hex(out.Buffer()));
}

}  // namespace

TEST(Archive, IntegersAreLittleEndian) {
    CArchive ar;
    ar << int32_t(110) << int32_t(-2147483647 - 1) << int16_t(-2) << uint16_t(0xFFFE) << uint8_t(7);
    EXPECT_EQ(Hex(ar.Buffer()), "6E 00 00 00 00 00 00 80 FE FF FE FF 07");
    CArchive in(ar.Buffer());
    EXPECT_EQ(in.ReadInt(), 110);
    EXPECT_EQ(in.ReadInt(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(in.ReadShort(), -2);
    EXPECT_EQ(in.ReadWord(), 0xFFFE);
    EXPECT_EQ(in.ReadByte(), 7);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, DoublesKeepEveryBit) {
    const uint64_t patterns[] = {0x0010000000000000ull, 0x8000000000000000ull, 0x7FF8000000000001ull,
                                 0x7FF0000000000000ull, 0x3FF0000000000000ull, 0xC1E0000000000000ull};
    for (uint64_t bits : patterns) {
        double d;
        std::memcpy(&d, &bits, 8);
        CArchive ar;
        ar << d;
        ASSERT_EQ(ar.Buffer().size(), 8u);
        CArchive in(ar.Buffer());
        double back = in.ReadDouble();
        uint64_t backBits;
        std::memcpy(&backBits, &back, 8);
        EXPECT_EQ(backBits, bits);
    }
}

TEST(Archive, TextPrefixesByLength) {
    struct Case {
        size_t length;
        std::string prefix;
    } cases[] = {
        {0, "00"},
        {254, "FE"},
        {255, "FF FF 00"},
        {0xFFFD, "FF FD FF"},
        {0xFFFE, "FF FF FF FE FF 00 00"},
        {0x10000, "FF FF FF 00 00 01 00"},
    };
    for (const auto& c : cases) {
        std::string text(c.length, 'a');
        CArchive ar;
        ar.WriteString(text);
        size_t prefixBytes = ar.Buffer().size() - c.length;
        EXPECT_EQ(Hex(ar.Buffer().substr(0, prefixBytes)), c.prefix) << c.length;
        ExpectRoundTrip([&](CArchive& a) { a.WriteString(text); },
                        [&](CArchive& in, CArchive& out) {
                            std::string back = in.ReadString();
                            EXPECT_EQ(back, text);
                            out.WriteString(back);
                        });
    }
}

TEST(Archive, TextLengthCountsCp932Bytes) {
    // Half-width katakana take one byte, kanji two.
    const std::string signature = "積算農林ﾌｧｲﾙ ZORVA Development Corp.";
    CArchive ar;
    ar << signature;
    ASSERT_EQ(ar.Buffer().size(), 37u);
    EXPECT_EQ(static_cast<unsigned char>(ar.Buffer()[0]), 0x24);
    EXPECT_EQ(ar.Buffer().substr(1), vemo::Utf8ToCp932(signature));
    CArchive in(ar.Buffer());
    EXPECT_EQ(in.ReadString(), signature);

    // A text of 127 kanji is 254 bytes: still a one-byte prefix; 128 kanji need the long form.
    std::string kanji127, kanji128;
    for (int i = 0; i < 127; ++i) kanji127 += "費";
    kanji128 = kanji127 + "費";
    CArchive a127, a128;
    a127 << kanji127;
    a128 << kanji128;
    EXPECT_EQ(Hex(a127.Buffer().substr(0, 1)), "FE");
    EXPECT_EQ(Hex(a128.Buffer().substr(0, 3)), "FF 00 01");
}

TEST(Archive, TruncatedStreamsAreRefused) {
    CArchive ar;
    ar << int32_t(5) << std::string("abc");
    const std::string full = ar.Buffer();
    for (size_t cut = 0; cut < full.size(); ++cut) {
        CArchive in(full.substr(0, cut));
        EXPECT_THROW(
            {
                in.ReadInt();
                in.ReadString();
            },
            CArchiveException)
            << "cut at " << cut;
    }
    CArchive empty(std::string{});
    EXPECT_THROW(empty.ReadDouble(), CArchiveException);
}

TEST(Archive, HostileLengthsAndCountsAreRefused) {
    // A text announcing 4 GB in a 12-byte file.
    std::string hugeText = "\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "abcde";
    CArchive a(hugeText);
    try {
        a.ReadString();
        FAIL() << "a 4 GB text was accepted";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badText);
    }

    // A count of 0x7FFFFFFF with a handful of bytes behind it.
    CArchive ar;
    ar << int32_t(0x7FFFFFFF) << int32_t(1) << int32_t(2);
    CArchive b(ar.Buffer());
    EXPECT_THROW(b.ReadCount(4), CArchiveException);

    CArchive neg;
    neg << int32_t(-1);
    CArchive c(neg.Buffer());
    EXPECT_THROW(c.ReadCount(1), CArchiveException);

    // A count that fits what remains is taken.
    CArchive ok;
    ok << int32_t(2) << int32_t(10) << int32_t(20);
    CArchive d(ok.Buffer());
    EXPECT_EQ(d.ReadCount(4), 2);
}

TEST(Archive, ModeIsEnforced) {
    CArchive storing;
    EXPECT_TRUE(storing.IsStoring());
    EXPECT_THROW(storing.ReadInt(), std::logic_error);
    CArchive loading(std::string("\x01\x00\x00\x00", 4));
    EXPECT_TRUE(loading.IsLoading());
    EXPECT_THROW(loading.WriteInt(1), std::logic_error);
}
