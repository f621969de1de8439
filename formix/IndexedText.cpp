#include "formix/IndexedText.h"

#include <algorithm>

#include "formix/NumberParse.h"

namespace formix {

namespace {

constexpr uint32_t kNone = UINT32_MAX;

// What each character is, as bits: the kinds (1 << Kind), then white space and digit.
constexpr unsigned kWhiteBit = 1u << 4;
constexpr unsigned kDigitBit = 1u << 5;

constexpr std::array<uint8_t, 256> MakeClasses() {
    using Kind = IndexedText::Kind;
    auto bit = [](Kind kind) { return 1u << static_cast<unsigned>(kind); };
    std::array<uint8_t, 256> classes{};
    for (unsigned c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        unsigned bits = (ch == '(' || ch == ')') ? 0 : bit(Kind::Plain);
        if (ch == '+' || ch == '-') {
            bits |= bit(Kind::AddSub);
        } else if (ch == '*' || ch == '/') {
            bits |= bit(Kind::MulDiv);
        } else if (ch == '^') {
            bits |= bit(Kind::Power);
        }
        if (IsWhiteSpace(ch)) {
            bits |= kWhiteBit;
        }
        if (IsDigit(ch)) {
            bits |= kDigitBit;
        }
        classes[c] = static_cast<uint8_t>(bits);
    }
    return classes;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

// The first position in [first, last) not below value. Written out rather than std::lower_bound:
// it runs on every cut of a chain, and a build without optimisation should not make that slow.
const uint32_t* LowerBound(const uint32_t* first, const uint32_t* last, size_t value) {
    size_t count = static_cast<size_t>(last - first);
    while (count > 0) {
        const size_t half = count / 2;
        if (first[half] < value) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return first;
}

}  // namespace

IndexedText::IndexedText(std::string text) : m_text(std::move(text)) {
    // The loops below work on raw arrays: texts can be long, and a build without optimisation
    // should not make them slow.
    const size_t n = m_text.size();
    const char* chars = m_text.data();
    const uint8_t* classes = kClasses.data();
    m_depth = Array<int32_t>(n + 1);
    m_closing = Array<uint32_t>(n);
    int32_t* depthBefore = m_depth.get();
    uint32_t* closing = m_closing.get();
    std::vector<uint32_t> open;
    int32_t depth = 0;
    for (size_t i = 0; i < n; ++i) {
        depthBefore[i] = depth;
        closing[i] = kNone;
        const char c = chars[i];
        if (c == '(') {
            open.push_back(static_cast<uint32_t>(i));
            ++depth;
            if (depth > m_maxDepth) {
                m_maxDepth = depth;
            }
        } else if (c == ')') {
            if (!open.empty()) {
                closing[open.back()] = static_cast<uint32_t>(i);
                open.pop_back();
            }
            --depth;
            if (depth < m_minDepth) {
                m_minDepth = depth;
            }
        } else if (c == '[' || c == ']' || c == '{' || c == '}') {
            m_brackets.push_back(static_cast<uint32_t>(i));
        }
    }
    depthBefore[n] = depth;

    // Ends of the runs of white space and of digits, from the back.
    m_nonWhite = Array<uint32_t>(n);
    m_nonDigit = Array<uint32_t>(n);
    uint32_t* nonWhite = m_nonWhite.get();
    uint32_t* nonDigit = m_nonDigit.get();
    uint32_t whiteEnd = static_cast<uint32_t>(n);
    uint32_t digitEnd = static_cast<uint32_t>(n);
    for (size_t i = n; i-- > 0;) {
        const unsigned bits = classes[static_cast<unsigned char>(chars[i])];
        if (!(bits & kWhiteBit)) {
            whiteEnd = static_cast<uint32_t>(i);
        }
        if (!(bits & kDigitBit)) {
            digitEnd = static_cast<uint32_t>(i);
        }
        nonWhite[i] = whiteEnd;
        nonDigit[i] = digitEnd;
    }

    // Counting sort of each kind's positions by depth; positions stay ascending within a depth.
    const size_t depths = static_cast<size_t>(m_maxDepth - m_minDepth) + 1;
    uint32_t* starts[4];
    for (size_t k = 0; k < 4; ++k) {
        m_groups[k].start = Array<uint32_t>(depths + 1);
        starts[k] = m_groups[k].start.get();
        for (size_t d = 0; d <= depths; ++d) {
            starts[k][d] = 0;
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const unsigned kinds = classes[static_cast<unsigned char>(chars[i])];
        const size_t slot = static_cast<size_t>(depthBefore[i] - m_minDepth) + 1;
        for (size_t k = 0; k < 4; ++k) {
            starts[k][slot] += (kinds >> k) & 1u;
        }
    }
    uint32_t* positions[4];
    std::unique_ptr<uint32_t[]> next[4];
    for (size_t k = 0; k < 4; ++k) {
        uint32_t* start = starts[k];
        for (size_t d = 1; d <= depths; ++d) {
            start[d] += start[d - 1];
        }
        m_groups[k].positions = Array<uint32_t>(start[depths]);
        positions[k] = m_groups[k].positions.get();
        next[k] = Array<uint32_t>(depths);
        for (size_t d = 0; d < depths; ++d) {
            next[k][d] = start[d];
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const unsigned kinds = classes[static_cast<unsigned char>(chars[i])];
        const size_t slot = static_cast<size_t>(depthBefore[i] - m_minDepth);
        for (size_t k = 0; k < 4; ++k) {
            if ((kinds >> k) & 1u) {
                positions[k][next[k][slot]++] = static_cast<uint32_t>(i);
            }
        }
    }
}

size_t IndexedText::ClosingOf(size_t open) const {
    return m_closing[open] == kNone ? npos : m_closing[open];
}

bool IndexedText::HasBrackets(size_t begin, size_t end) const {
    auto it = std::lower_bound(m_brackets.begin(), m_brackets.end(), begin);
    return it != m_brackets.end() && *it < end;
}

std::pair<const uint32_t*, const uint32_t*> IndexedText::Slice(Kind kind, int32_t depth) const {
    if (depth < m_minDepth || depth > m_maxDepth) {
        return {nullptr, nullptr};
    }
    const Group& group = m_groups[static_cast<size_t>(kind)];
    const size_t slot = static_cast<size_t>(depth - m_minDepth);
    const uint32_t* base = group.positions.get();
    return {base + group.start[slot], base + group.start[slot + 1]};
}

size_t IndexedText::Last(Kind kind, int32_t depth, size_t begin, size_t end) const {
    auto [first, last] = Slice(kind, depth);
    const uint32_t* it = LowerBound(first, last, end);
    if (it == first || *(it - 1) < begin) {
        return npos;
    }
    return *(it - 1);
}

size_t IndexedText::First(Kind kind, int32_t depth, size_t begin, size_t end) const {
    auto [first, last] = Slice(kind, depth);
    const uint32_t* it = LowerBound(first, last, begin);
    if (it == last || *it >= end) {
        return npos;
    }
    return *it;
}

}  // namespace formix
