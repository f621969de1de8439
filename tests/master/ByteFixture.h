// Test support for the tests of master/: ByteFixture.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Hand-made file bytes for tests, written without the archive so that its reader is checked against
// an independent writer.
class ByteFixture {
public:
    ByteFixture& Byte(uint8_t b) {
        m_bytes.push_back(static_cast<char>(b));
        return *this;
    }
    ByteFixture& Int(int32_t v) {
        auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(u >> (8 * i)));
        return *this;
    }
    ByteFixture& Ints(int32_t v, int count) {
        for (int i = 0; i < count; ++i) Int(v);
        return *this;
    }
    // Bytes as they stand, with a one-byte length in front (texts below 255 bytes).
    ByteFixture& ShortText(std::string_view raw) {
        Byte(static_cast<uint8_t>(raw.size()));
        m_bytes.append(raw);
        return *this;
    }
    ByteFixture& EmptyTexts(int count) {
        for (int i = 0; i < count; ++i) Byte(0);
        return *this;
    }
    ByteFixture& Raw(std::string_view raw) {
        m_bytes.append(raw);
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// CP932 bytes of the signatures.
inline constexpr std::string_view kBukakeSignatureBytes =
    "\x95\xe0\x8a\x7c\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
inline constexpr std::string_view kHyoshiSignatureBytes =
    "\x95\x5c\x8e\x86\x83\x74\x83\x40\x83\x43\x83\x8b ZORVA Development Corp.";
inline constexpr std::string_view kHenkaritsuSignatureBytes =
    "\x95\xcf\x89\xbb\x97\xa6\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
inline constexpr std::string_view kTankaSignatureBytes =
    "\x92\x50\x89\xbf\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
inline constexpr std::string_view kShokeihiSignatureBytes =
    "\x8f\x94\x8c\x6f\x94\xef\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
inline constexpr std::string_view kProgramKingakuSignatureBytes =
    "\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80\x8b\xe0\x8a\x7a\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
inline constexpr std::string_view kZairyoTankaSignatureBytes =
    "\x8d\xde\x97\xbf\x92\x50\x89\xbf\x94\x5f\x97\xd1\xcc\xa7\xb2\xd9 ZORVA Development Corp.";
