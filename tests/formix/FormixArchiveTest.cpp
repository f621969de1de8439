// Tests of formix/FormixArchive.h.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "formix/FormixArchive.h"

namespace formix {
namespace {

TEST(FormixArchiveTest, IntegersAreLittleEndianAndDoublesBitExact) {
    CArchive out;
    out.WriteInt(0x01020304);
    out.WriteShort(-2);
    out.WriteDouble(-0.0);
    double nan;
    const uint64_t payload = 0x7FF8000000ABCDEFULL;
    std::memcpy(&nan, &payload, sizeof nan);
    out.WriteDouble(nan);
    out.WriteFloat(1.5f);
    const std::string& bytes = out.Buffer();
    ASSERT_EQ(bytes.size(), 4u + 2u + 8u + 8u + 4u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x04\x03\x02\x01\xFE\xFF", 6));
    EXPECT_EQ(bytes.substr(6, 8), std::string("\0\0\0\0\0\0\0\x80", 8));
    EXPECT_EQ(bytes.substr(22, 4), std::string("\0\0\xC0\x3F", 4));

    CArchive in(bytes);
    EXPECT_EQ(in.ReadInt(), 0x01020304);
    EXPECT_EQ(in.ReadShort(), -2);
    double zero = in.ReadDouble();
    EXPECT_TRUE(std::signbit(zero));
    double back = in.ReadDouble();
    uint64_t bits;
    std::memcpy(&bits, &back, sizeof bits);
    EXPECT_EQ(bits, payload);
    EXPECT_EQ(in.ReadFloat(), 1.5f);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_THROW(in.ReadByte(), CArchiveException);
}

TEST(FormixArchiveTest, TextLengthPrefixesFollowTheThreeForms) {
    for (size_t length : {size_t{0}, size_t{254}, size_t{255}, size_t{0xFFFD}, size_t{0xFFFE}, size_t{70000}}) {
        CArchive out;
        std::string text(length, 'a');
        out.WriteString(text);
        const std::string& bytes = out.Buffer();
        size_t prefix = length < 0xFF ? 1 : (length < 0xFFFE ? 3 : 7);
        ASSERT_EQ(bytes.size(), prefix + length) << length;
        if (prefix == 3) {
            EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
        }
        if (prefix == 7) {
            EXPECT_EQ(bytes.substr(0, 3), std::string("\xFF\xFF\xFF", 3));
        }
        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(FormixArchiveTest, ReadsPastTheEndAreRefused) {
    // A text announcing more bytes than remain.
    EXPECT_THROW(CArchive(std::string("\x05" "abc", 4)).ReadString(), CArchiveException);
    EXPECT_THROW(CArchive(std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7)).ReadString(), CArchiveException);
    // The wide-text marker.
    EXPECT_THROW(CArchive(std::string("\xFF\xFE\xFF", 3)).ReadString(), CArchiveException);
    // Counts.
    CArchive negative(std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_THROW(negative.ReadCount(1), CArchiveException);
    CArchive huge(std::string("\xFF\xFF\xFF\x7F" "abcd", 8));
    EXPECT_THROW(huge.ReadCount(1), CArchiveException);
    CArchive fits(std::string("\x04\0\0\0" "abcd", 8));
    EXPECT_EQ(fits.ReadCount(1), 4);
    // Direction.
    CArchive store;
    EXPECT_THROW(store.ReadInt(), std::logic_error);
    CArchive load(std::string{});
    EXPECT_THROW(load.WriteInt(1), std::logic_error);
}

}  // namespace
}  // namespace formix
