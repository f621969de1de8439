#include "formix/ReplaceAll.h"

#include <algorithm>

namespace formix {

namespace {
constexpr int kMaxReplacements = 10;
}

void ReplaceRange(std::string& text, size_t pos, size_t len, std::string_view to) {
    pos = std::min(pos, text.size());
    len = std::min(len, text.size() - pos);
    text.replace(pos, len, to);
}

int ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return 0;
    }
    int count = 0;
    size_t cur = text.find(from);
    while (cur != std::string::npos) {
        ReplaceRange(text, cur, from.size(), to);
        ++count;
        cur += to.size();
        if (cur >= text.size() || count == kMaxReplacements) {
            return count;
        }
        cur = text.find(from, cur);
    }
    return count;
}

}  // namespace formix
