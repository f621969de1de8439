#include "dialogkit/KeywordSearch.h"

#include <algorithm>
#include <iterator>

#include "master/BukakeFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Cp932.h"
#include "platform/TextUtil.h"

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kVoicedMark = 0xFF9E;      // ﾞ
constexpr char32_t kSemiVoicedMark = 0xFF9F;  // ﾟ

// The code point at pos and the bytes it takes; a byte that starts no valid sequence is kInvalid, 1.
char32_t Decode(std::string_view text, size_t pos, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    length = 1;
    if (lead < 0x80) return lead;
    size_t n = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) n = 2, cp = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) n = 3, cp = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) n = 4, cp = lead & 0x07;
    else return kInvalid;
    if (pos + n > text.size()) return kInvalid;
    for (size_t i = 1; i < n; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return kInvalid;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not characters.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return kInvalid;
    length = n;
    return cp;
}


// Bytes the character takes in CP932.
size_t StoredBytes(std::string_view character, char32_t cp) {
    if (cp == kInvalid || cp < 0x80) return 1;
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana
    return vemo::Cp932Length(character);
}

// The double-byte form of 0x20..0x7E as CP932 holds it (its full-width characters, with the
// quotation marks, yen sign and overline that CP932 pairs with ", ', `, \ and ~).
char32_t FullWidthAscii(char32_t c) {
    switch (c) {
    case ' ': return kIdeographicSpace;
    case '"': return 0x201D;
    case '\'': return 0x2019;
    case '`': return 0x2018;
    case '\\': return 0xFFE5;
    case '~': return 0xFFE3;
    default: return c - 0x21 + 0xFF01;
    }
}

// Full-width katakana and marks of the half-width forms U+FF61..U+FF9F, in that order.
constexpr char16_t kKatakana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};
static_assert(std::size(kKatakana) == 0xFF9F - 0xFF61 + 1);

// The voiced (mark ﾞ) or semi-voiced (mark ﾟ) form of a full-width katakana; 0 when it has none.
char32_t Voiced(char32_t kana, char32_t mark) {
    // カ キ ク ケ コ サ シ ス セ ソ タ チ ツ テ ト: the voiced form follows each.
    static constexpr char16_t kVoiceable[] = {0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9,
                                              0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8};
    // ハ ヒ フ ヘ ホ: the voiced form follows, the semi-voiced one after it.
    const bool ha = kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
    if (mark == kSemiVoicedMark) return ha ? kana + 2 : 0;
    if (mark != kVoicedMark) return 0;
    if (kana == 0x30A6) return 0x30F4;  // ウ → ヴ
    if (ha || std::find(std::begin(kVoiceable), std::end(kVoiceable), kana) != std::end(kVoiceable)) return kana + 1;
    return 0;
}

constexpr char32_t kFullWidthSmallA = 0xFF41;    // ａ
constexpr char32_t kFullWidthCapitalA = 0xFF21;  // Ａ

bool IsSpace(char32_t cp) { return cp == ' ' || cp == kIdeographicSpace; }

}  // namespace

std::string NormalizeKeywordText(std::string_view utf8) {
    // CP932 never takes more bytes than UTF-8, so a short text needs no counting.
    const bool counted = utf8.size() > keyword::kMaxBytes;
    std::string out;
    size_t bytes = 0;
    size_t pos = 0;
    bool lastWasKana = false;  // the character written last is a full-width form of a half-width kana
    while (pos < utf8.size()) {
        size_t length = 0;
        const char32_t cp = Decode(utf8, pos, length);
        const std::string_view character = utf8.substr(pos, length);
        if (counted) {
            bytes += StoredBytes(character, cp);
            if (bytes > keyword::kMaxBytes) break;
        }
        pos += length;
        if (cp == kInvalid) {
            out.append(character);
            lastWasKana = false;
        } else if (vemo::IsCp932CodeMark(cp)) {
            // The character before was read from another of its codes: searched as the character.
        } else if (cp >= 0x20 && cp <= 0x7E) {
            const char32_t upper = cp >= 'a' && cp <= 'z' ? cp - 'a' + 'A' : cp;
            vemo::AppendUtf8(out, FullWidthAscii(upper));
            lastWasKana = false;
        } else if (cp >= 0xFF61 && cp <= 0xFF9F) {
            if ((cp == kVoicedMark || cp == kSemiVoicedMark) && lastWasKana) {
                // The mark joins the kana before it when that kana has such a form.
                size_t kanaAt = out.size() - 3;
                size_t kanaLength = 0;
                const char32_t kana = Decode(out, kanaAt, kanaLength);
                if (const char32_t joined = Voiced(kana, cp)) {
                    out.resize(kanaAt);
                    vemo::AppendUtf8(out, joined);
                    lastWasKana = false;
                    continue;
                }
            }
            vemo::AppendUtf8(out, kKatakana[cp - 0xFF61]);
            lastWasKana = cp != kVoicedMark && cp != kSemiVoicedMark;
        } else if (cp >= kFullWidthSmallA && cp <= kFullWidthSmallA + 25) {
            // Double-byte letters are upper-cased as the single-byte ones.
            vemo::AppendUtf8(out, cp - kFullWidthSmallA + kFullWidthCapitalA);
            lastWasKana = false;
        } else {
            out.append(character);
            lastWasKana = false;
        }
    }
    return out;
}

std::vector<std::string> SplitKeywords(std::string_view utf8) {
    const std::string text = NormalizeKeywordText(utf8);
    std::vector<std::string> keywords;
    std::string piece;
    const auto flush = [&] {
        if (!piece.empty() && keywords.size() < keyword::kMaxKeywords) keywords.push_back(piece);
        piece.clear();
    };
    for (size_t pos = 0; pos < text.size();) {
        size_t length = 0;
        const char32_t cp = Decode(text, pos, length);
        if (IsSpace(cp))
            flush();
        else
            piece.append(text, pos, length);
        pos += length;
    }
    flush();
    return keywords;
}

bool MatchesKeywords(std::string_view text, const std::vector<std::string>& keywords) {
    if (keywords.empty()) return false;
    const std::string normal = NormalizeKeywordText(text);
    for (const std::string& k : keywords)
        if (normal.find(k) == std::string::npos) return false;
    return true;
}

std::vector<KoshuSearchHit> SearchKoshu(const CBukakeGyomu& gyomu, const std::vector<std::string>& keywords) {
    std::vector<KoshuSearchHit> hits;
    if (keywords.empty()) return hits;
    for (int k = 0; k < gyomu.GetCount() && hits.size() < keyword::kMaxHits; ++k) {
        const CBukakeKoshu* koshu = gyomu.GetKoshu(k);
        if (koshu && MatchesKeywords(koshu->m_name, keywords)) hits.push_back({koshu->m_code, kUnset});
    }
    for (int k = 0; k < gyomu.GetCount() && hits.size() < keyword::kMaxHits; ++k) {
        const CBukakeKoshu* koshu = gyomu.GetKoshu(k);
        if (!koshu) continue;
        for (int s = 0; s < koshu->GetCount() && hits.size() < keyword::kMaxHits; ++s) {
            const CBukakeShubetsu* shubetsu = koshu->GetShubetsu(s);
            if (shubetsu && MatchesKeywords(shubetsu->m_name, keywords))
                hits.push_back({koshu->m_code, shubetsu->m_code});
        }
    }
    return hits;
}

std::vector<int> SearchZairyoTanka(const CZairyoTankaFile& file, const std::vector<std::string>& keywords) {
    std::vector<int> hits;
    if (keywords.empty()) return hits;
    for (int i = 0; i < file.GetCount() && hits.size() < keyword::kMaxHits; ++i) {
        const CZairyoTankaItem* item = file.GetItem(i);
        if (item && (MatchesKeywords(item->m_name, keywords) || MatchesKeywords(item->m_spec, keywords)))
            hits.push_back(i);
    }
    return hits;
}
