#include "formix/IndexedText.h"

#include <algorithm>

namespace formix {

namespace {

constexpr uint32_t kNone = UINT32_MAX;

// The kinds a character belongs to, as bits of 1 << Kind.
unsigned KindsOf(char c) {
    using Kind = IndexedText::Kind;
    auto bit = [](Kind kind) { return 1u << static_cast<unsigned>(kind); };
    switch (c) {
        case '(':
        case ')': return 0;
        case '+':
        case '-': return bit(Kind::AddSub) | bit(Kind::Plain);
        case '*':
        case '/': return bit(Kind::MulDiv) | bit(Kind::Plain);
        case '^': return bit(Kind::Power) | bit(Kind::Plain);
        default: return bit(Kind::Plain);
    }
}

}  // namespace

IndexedText::IndexedText(std::string text) : m_text(std::move(text)) {
    const size_t n = m_text.size();
    m_depth.resize(n + 1);
    m_closing.assign(n, kNone);
    std::vector<uint32_t> open;
    int32_t depth = 0;
    for (size_t i = 0; i < n; ++i) {
        m_depth[i] = depth;
        const char c = m_text[i];
        if (c == '(') {
            open.push_back(static_cast<uint32_t>(i));
            ++depth;
        } else if (c == ')') {
            if (!open.empty()) {
                m_closing[open.back()] = static_cast<uint32_t>(i);
                open.pop_back();
            }
            --depth;
        } else if (c == '[' || c == ']' || c == '{' || c == '}') {
            m_brackets.push_back(static_cast<uint32_t>(i));
        }
        m_minDepth = std::min(m_minDepth, depth);
        m_maxDepth = std::max(m_maxDepth, depth);
    }
    m_depth[n] = depth;

    // Counting sort of each kind's positions by depth; positions stay ascending within a depth.
    const size_t depths = static_cast<size_t>(m_maxDepth - m_minDepth) + 1;
    for (Group& group : m_groups) {
        group.start.assign(depths + 1, 0);
    }
    for (size_t i = 0; i < n; ++i) {
        const unsigned kinds = KindsOf(m_text[i]);
        const size_t slot = static_cast<size_t>(m_depth[i] - m_minDepth) + 1;
        for (size_t k = 0; k < m_groups.size(); ++k) {
            if (kinds & (1u << k)) {
                ++m_groups[k].start[slot];
            }
        }
    }
    for (Group& group : m_groups) {
        for (size_t d = 1; d <= depths; ++d) {
            group.start[d] += group.start[d - 1];
        }
        group.positions.resize(group.start[depths]);
    }
    std::array<std::vector<uint32_t>, 4> next;
    for (size_t k = 0; k < m_groups.size(); ++k) {
        next[k].assign(m_groups[k].start.begin(), m_groups[k].start.end() - 1);
    }
    for (size_t i = 0; i < n; ++i) {
        const unsigned kinds = KindsOf(m_text[i]);
        const size_t slot = static_cast<size_t>(m_depth[i] - m_minDepth);
        for (size_t k = 0; k < m_groups.size(); ++k) {
            if (kinds & (1u << k)) {
                m_groups[k].positions[next[k][slot]++] = static_cast<uint32_t>(i);
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
    const uint32_t* base = group.positions.data();
    return {base + group.start[slot], base + group.start[slot + 1]};
}

size_t IndexedText::Last(Kind kind, int32_t depth, size_t begin, size_t end) const {
    auto [first, last] = Slice(kind, depth);
    const uint32_t* it = std::lower_bound(first, last, end);
    if (it == first || *(it - 1) < begin) {
        return npos;
    }
    return *(it - 1);
}

size_t IndexedText::First(Kind kind, int32_t depth, size_t begin, size_t end) const {
    auto [first, last] = Slice(kind, depth);
    const uint32_t* it = std::lower_bound(first, last, begin);
    if (it == last || *it >= end) {
        return npos;
    }
    return *it;
}

}  // namespace formix
