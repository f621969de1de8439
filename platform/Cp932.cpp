#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace vemo {
namespace {

// One conversion descriptor per direction and thread; iconv descriptors are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
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

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        size_t used = ToCp932().Convert(utf8, out);
        utf8.remove_prefix(used);
        if (utf8.empty()) break;
        out.push_back('?');
        size_t skip = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[0])), utf8.size());
        utf8.remove_prefix(skip);
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    while (!cp932.empty()) {
        size_t used = FromCp932().Convert(cp932, out);
        cp932.remove_prefix(used);
        if (cp932.empty()) break;
        out.append("\xEF\xBF\xBD");
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
