#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CBukakeGyomu;
class CZairyoTankaFile;

// Keyword search over master names, shared by the search dialogs. Keywords and names are compared
// in one normal form, so that half-width and full-width, upper and lower case letters and half-width
// katakana with separate voicing marks all meet.
namespace keyword {
// Only this many leading bytes of a text, counted as the text would be stored (CP932), are looked at.
inline constexpr size_t kMaxBytes = 600;
// Keywords beyond this many are ignored.
inline constexpr size_t kMaxKeywords = 3;
// A search keeps at most this many hits.
inline constexpr size_t kMaxHits = 100;
}  // namespace keyword

// The normal form of a UTF-8 text: ASCII and double-byte Latin letters upper-cased; every character
// 0x20..0x7E turned into its full-width (double-byte) form, the space into U+3000; half-width
// katakana turned full-width, a half-width katakana followed by ﾞ or ﾟ becoming the one voiced or
// semi-voiced character; CP932 code marks left out; every other character kept. Only the characters
// within the first keyword::kMaxBytes CP932 bytes are taken (a character that would cross the limit
// is left out).
std::string NormalizeKeywordText(std::string_view utf8);

// The keywords of a typed text: normalised, split at half-width and full-width spaces, empty pieces
// skipped, at most keyword::kMaxKeywords.
std::vector<std::string> SplitKeywords(std::string_view utf8);

// Whether the normal form of the text contains every keyword (in any order). No keywords: false.
bool MatchesKeywords(std::string_view text, const std::vector<std::string>& keywords);

// A hit of the 工種 search: a 工種 (shubetsu unset) or one of its 種別.
struct KoshuSearchHit {
    int32_t koshu;
    int32_t shubetsu;
    bool operator==(const KoshuSearchHit&) const = default;
};

// The 工種 of the 業務 whose names match, in master order, then the 種別 of each 工種 whose names
// match, in master order; at most keyword::kMaxHits. No keywords: no hits.
std::vector<KoshuSearchHit> SearchKoshu(const CBukakeGyomu& gyomu, const std::vector<std::string>& keywords);

// The positions in the file of the articles whose 品名 or, failing that, 規格 matches, in file
// order; at most keyword::kMaxHits. No keywords: no hits.
std::vector<int> SearchZairyoTanka(const CZairyoTankaFile& file, const std::vector<std::string>& keywords);
