#include "platform/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

namespace vemo {
namespace {

// One conversion descriptor per direction and thread; iconv descriptors are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(platformtext::kNoConverterBefore + std::string(from) +
                                     platformtext::kNoConverterBetween + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns the bytes consumed. Stops at the first byte that
    // cannot be converted (or an incomplete sequence at the end).
    size_t Convert(std::string_view in, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[1024];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - srcLeft;
    }

private:
    iconv_t m_cd;
};

Converter& ToCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter& FromCp932() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

// Length of the UTF-8 sequence starting with this lead byte; 1 for a stray byte.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF5) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

// A byte that starts no CP932 character is kept as the private-use code point U+F700 + byte
// (U+F780..U+F7FF, only bytes 0x80..0xFF can be undecodable). iconv's CP932 table neither produces
// nor accepts these code points (its user-defined area is U+E000..U+E757), so on the way back they
// can only stand for the byte they came from, and a text is stored exactly as it was read.
constexpr char32_t kRawByteBase = 0xF700;

void AppendRawByte(unsigned char byte, std::string& out) {
    vemo::AppendUtf8(out, kRawByteBase + byte);
}

// The raw byte whose code point starts the text, or -1. U+F780..U+F7FF is EF 9E/9F 80..BF in UTF-8.
int RawByteAt(std::string_view utf8) {
    if (utf8.size() < 3 || utf8[0] != '\xEF') return -1;
    const auto second = static_cast<unsigned char>(utf8[1]);
    const auto third = static_cast<unsigned char>(utf8[2]);
    if ((second != 0x9E && second != 0x9F) || (third & 0xC0) != 0x80) return -1;
    return 0x80 | ((second & 0x01) << 6) | (third & 0x3F);
}

// Converts UTF-8 holding no raw-byte code points; what CP932 cannot hold becomes '?'.
void AppendCp932(std::string_view utf8, std::string& out) {
    while (!utf8.empty()) {
        size_t used = ToCp932().Convert(utf8, out);
        utf8.remove_prefix(used);
        if (utf8.empty()) break;
        out.push_back('?');
        size_t skip = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[0])), utf8.size());
        utf8.remove_prefix(skip);
    }
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t from = 0;
    for (size_t at = utf8.find('\xEF'); at != std::string_view::npos; at = utf8.find('\xEF', at)) {
        const int raw = RawByteAt(utf8.substr(at));
        if (raw < 0) {
            ++at;
            continue;
        }
        AppendCp932(utf8.substr(from, at - from), out);
        out.push_back(static_cast<char>(raw));
        at += 3;
        from = at;
    }
    AppendCp932(utf8.substr(from), out);
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    while (!cp932.empty()) {
        size_t used = FromCp932().Convert(cp932, out);
        cp932.remove_prefix(used);
        if (cp932.empty()) break;
        AppendRawByte(static_cast<unsigned char>(cp932[0]), out);
        cp932.remove_prefix(1);
    }
    return out;
}

size_t Cp932Length(std::string_view utf8) {
    bool ascii = true;
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    return ascii ? utf8.size() : Utf8ToCp932(utf8).size();
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace vemo
