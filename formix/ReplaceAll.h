#pragma once

#include <string>
#include <string_view>

namespace formix {

// Sets text to its first pos characters, then `to`, then what follows pos + len (nothing when that
// lies beyond the text).
void ReplaceRange(std::string& text, size_t pos, size_t len, std::string_view to);

// Replaces occurrences of `from` by `to` from left to right, at most ten of them, and returns how
// many it replaced. Inserted text is never searched again; the search stops once nothing follows
// the last replacement. An empty `from` replaces nothing.
int ReplaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace formix
