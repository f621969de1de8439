#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace formix {

// A formula text with what the parser's scans ask of it, so that each scan takes logarithmic
// time instead of a pass over the piece: the parenthesis depth before every position, the
// closing parenthesis of every '(', and the positions of the operators and other characters
// grouped by depth. Pieces of the text are half-open ranges [begin, end) of positions.
class IndexedText {
public:
    // Characters the parser looks for; Plain is every character other than '(' and ')'.
    enum class Kind { AddSub, MulDiv, Power, Plain };
    static constexpr size_t npos = std::string::npos;
    // Longest text that can be indexed.
    static constexpr size_t kMaxLength = INT32_MAX - 1;

    explicit IndexedText(std::string text);

    const std::string& Text() const { return m_text; }
    std::string_view View(size_t begin, size_t end) const {
        return std::string_view(m_text).substr(begin, end - begin);
    }
    // '(' minus ')' among the characters before position i (0 <= i <= size).
    int32_t DepthBefore(size_t i) const { return m_depth[i]; }
    // Index of the ')' that closes the '(' at position open, or npos.
    size_t ClosingOf(size_t open) const;
    // True when one of '[', ']', '{', '}' stands in the piece.
    bool HasBrackets(size_t begin, size_t end) const;
    // First position at or after i, and before end, that is not white space / not a digit.
    size_t SkipWhite(size_t i, size_t end) const { return i < end ? std::min<size_t>(m_nonWhite[i], end) : end; }
    size_t SkipDigits(size_t i, size_t end) const { return i < end ? std::min<size_t>(m_nonDigit[i], end) : end; }
    // Last and first position in the piece of a character of the kind with the given depth before it.
    size_t Last(Kind kind, int32_t depth, size_t begin, size_t end) const;
    size_t First(Kind kind, int32_t depth, size_t begin, size_t end) const;

private:
    // Positions of one kind of character, ascending within each depth.
    // The arrays are left uninitialised when made and filled by the constructor's own loops.
    template <class T>
    static std::unique_ptr<T[]> Array(size_t size) {
        return std::make_unique_for_overwrite<T[]>(size);
    }
    struct Group {
        std::unique_ptr<uint32_t[]> start;  // per depth from m_minDepth, and one more: first entry in `positions`
        std::unique_ptr<uint32_t[]> positions;
    };
    std::pair<const uint32_t*, const uint32_t*> Slice(Kind kind, int32_t depth) const;

    std::string m_text;
    std::unique_ptr<int32_t[]> m_depth;
    std::unique_ptr<uint32_t[]> m_closing;
    std::vector<uint32_t> m_brackets;
    std::unique_ptr<uint32_t[]> m_nonWhite;
    std::unique_ptr<uint32_t[]> m_nonDigit;
    std::array<Group, 4> m_groups;
    int32_t m_minDepth = 0;
    int32_t m_maxDepth = 0;
};

}  // namespace formix
