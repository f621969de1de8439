#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <stdexcept>
#include <vector>

#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

namespace vemo {
namespace {

// One iconv conversion descriptor; iconv descriptors are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(FillText(platformtext::kNoConverter, {from, to}));
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

// Length of the UTF-8 sequence starting with this lead byte; 1 for a stray byte.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF5) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    return 1;
}

// The code point whose UTF-8 sequence ends the text, and the bytes it takes; 0 when the text ends
// in no multi-byte sequence.
char32_t LastCodePoint(std::string_view text, size_t& length) {
    for (length = 2; length <= 4 && length <= text.size(); ++length) {
        const auto lead = static_cast<unsigned char>(text[text.size() - length]);
        if ((lead & 0xC0) == 0x80) continue;  // a continuation byte: the sequence starts further back
        if (Utf8SequenceLength(lead) != length) return 0;
        char32_t cp = lead & (0x7Fu >> length);
        for (size_t i = text.size() - length + 1; i < text.size(); ++i) cp = cp << 6 | (text[i] & 0x3Fu);
        return cp;
    }
    return 0;
}

// A byte that starts no CP932 character is kept as the private-use code point U+F700 + byte
// (U+F780..U+F7FF, only bytes 0x80..0xFF can be undecodable). CP932 neither produces nor accepts
// these code points (its user-defined area is U+E000..U+E757), so on the way back they can only
// stand for the byte they came from.
constexpr char32_t kRawByteBase = 0xF700;

// CP932 holds some characters under two or three codes (the NEC and IBM extensions in rows 87, ED,
// EE and FA..FC repeat each other and JIS X 0208); iconv writes each under one of them. A character
// read from another of its codes is followed by the mark kCodeMarkBase + n for its n-th other code
// (in code order), so that it is written back under the code it was read from. The marks are tag
// digits: invisible, never produced by CP932, and kept with the character before them when a text
// is edited (a tag joins the character's grapheme cluster).
constexpr char32_t kCodeMarkBase = 0xE0030;
constexpr int kMaxOtherCodes = 9;

constexpr size_t kRawByteUtf8Length = 3;
constexpr size_t kCodeMarkUtf8Length = 4;

// A character and the number of its code mark (0: none), or no character.
struct Read {
    static constexpr char32_t kNone = 0xFFFFFFFF;
    char32_t cp = kNone;
    int mark = 0;
};

// What each one- and two-byte code of CP932 reads as, taken from iconv once.
class Cp932Codes {
public:
    Cp932Codes() : m_pair(kPairCount) {
        Converter decode("UTF-32LE", "CP932");
        Converter encode("CP932", "UTF-32LE");
        for (int b = 0; b < 256; ++b) m_single[static_cast<size_t>(b)] = Take(decode, encode, {static_cast<char>(b)});
        for (int lead = kFirstLead; lead < 256; ++lead) {
            if (m_single[static_cast<size_t>(lead)].cp != Read::kNone) continue;
            for (int trail = 0; trail < 256; ++trail) {
                const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
                m_pair[PairIndex(lead, trail)] = Take(decode, encode, code);
            }
        }
    }

    const Read& Single(unsigned char b) const { return m_single[b]; }
    const Read& Pair(unsigned char lead, unsigned char trail) const {
        static const Read none;
        return lead < kFirstLead ? none : m_pair[PairIndex(lead, trail)];
    }
    // The code a character followed by a mark was read from; empty when it has no such code.
    std::string_view OtherCode(char32_t cp, int mark) const {
        const auto found = m_others.find({cp, mark});
        return found == m_others.end() ? std::string_view() : std::string_view(found->second);
    }

private:
    static constexpr int kFirstLead = 0x80;
    static constexpr size_t kPairCount = (256 - kFirstLead) * 256;
    static size_t PairIndex(int lead, int trail) { return static_cast<size_t>((lead - kFirstLead) * 256 + trail); }

    // What the whole code reads as: one character, marked when iconv writes it under another code.
    // Codes are taken in ascending order, so a character's other codes are numbered in code order.
    Read Take(Converter& decode, Converter& encode, const std::string& code) {
        std::string utf32;
        if (decode.Convert(code, utf32) != code.size() || utf32.size() != 4) return {};
        Read read;
        read.cp = 0;
        for (int i = 3; i >= 0; --i) read.cp = read.cp << 8 | static_cast<unsigned char>(utf32[static_cast<size_t>(i)]);
        std::string written;
        encode.Convert(utf32, written);
        if (written == code) return read;
        int mark = 1;
        while (m_others.count({read.cp, mark})) ++mark;
        if (mark > kMaxOtherCodes) return read;  // no mark left: written back under iconv's code
        read.mark = mark;
        m_others.emplace(std::pair(read.cp, mark), code);
        return read;
    }

    std::array<Read, 256> m_single;
    std::vector<Read> m_pair;
    std::map<std::pair<char32_t, int>, std::string> m_others;  // character and mark: the code read
};

const Cp932Codes& Codes() {
    static const Cp932Codes codes;
    return codes;
}

// The raw byte whose code point starts the text, or -1. U+F780..U+F7FF is EF 9E/9F 80..BF in UTF-8.
int RawByteAt(std::string_view utf8) {
    if (utf8.size() < kRawByteUtf8Length || utf8[0] != '\xEF') return -1;
    const auto second = static_cast<unsigned char>(utf8[1]);
    const auto third = static_cast<unsigned char>(utf8[2]);
    if ((second != 0x9E && second != 0x9F) || (third & 0xC0) != 0x80) return -1;
    return 0x80 | ((second & 0x01) << 6) | (third & 0x3F);
}

// The number of the code mark that starts the text, or 0. U+E0031..U+E0039 is F3 A0 80 B1..B9.
int CodeMarkAt(std::string_view utf8) {
    if (utf8.size() < kCodeMarkUtf8Length || utf8.substr(0, 3) != "\xF3\xA0\x80") return 0;
    const auto last = static_cast<unsigned char>(utf8[3]);
    return last >= 0xB1 && last <= 0xB0 + kMaxOtherCodes ? last - 0xB0 : 0;
}

// Converts UTF-8 holding no raw bytes or marks; what CP932 cannot hold becomes '?'.
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

bool IsCp932CodeMark(char32_t cp) { return cp > kCodeMarkBase && cp <= kCodeMarkBase + kMaxOtherCodes; }

std::string WithoutCp932CodeMarks(std::string_view utf8) {
    std::string out;
    size_t from = 0;  // start of the text not copied yet
    for (size_t at = utf8.find('\xF3'); at != std::string_view::npos; at = utf8.find('\xF3', at)) {
        if (CodeMarkAt(utf8.substr(at)) > 0) {
            out.append(utf8.substr(from, at - from));
            from = at += kCodeMarkUtf8Length;
        } else {
            ++at;
        }
    }
    out.append(utf8.substr(from));
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t from = 0;  // start of the text not converted yet
    // Raw bytes start with EF, code marks with F3 in UTF-8.
    constexpr std::string_view kSpecialLeads = "\xEF\xF3";
    for (size_t at = utf8.find_first_of(kSpecialLeads); at != std::string_view::npos;
         at = utf8.find_first_of(kSpecialLeads, at)) {
        const std::string_view rest = utf8.substr(at);
        if (const int raw = RawByteAt(rest); raw >= 0) {
            AppendCp932(utf8.substr(from, at - from), out);
            out.push_back(static_cast<char>(raw));
            from = at += kRawByteUtf8Length;
        } else if (const int mark = CodeMarkAt(rest); mark > 0) {
            // The character before the mark goes under the code it names; a mark naming no code
            // of that character writes nothing.
            size_t baseLength = 0;
            const char32_t base = LastCodePoint(utf8.substr(from, at - from), baseLength);
            const std::string_view code = base ? Codes().OtherCode(base, mark) : std::string_view();
            AppendCp932(utf8.substr(from, at - from - (code.empty() ? 0 : baseLength)), out);
            out.append(code);
            from = at += kCodeMarkUtf8Length;
        } else {
            ++at;
        }
    }
    AppendCp932(utf8.substr(from), out);
    return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    const Cp932Codes& codes = Codes();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        const Read* read = &codes.Single(b);
        size_t length = 1;
        if (read->cp == Read::kNone && i + 1 < cp932.size()) {
            read = &codes.Pair(b, static_cast<unsigned char>(cp932[i + 1]));
            length = 2;
        }
        if (read->cp == Read::kNone) {
            AppendUtf8(out, kRawByteBase + b);
            length = 1;
        } else {
            AppendUtf8(out, read->cp);
            if (read->mark > 0) AppendUtf8(out, kCodeMarkBase + static_cast<char32_t>(read->mark));
        }
        i += length;
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
