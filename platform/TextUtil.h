#pragma once
#include <string>
#include <string_view>

// Small text operations on UTF-8 strings that every layer shares.
namespace vemo {

// Replaces every occurrence of `from` by `to`, left to right; replaced text is not searched again.
// An empty `from` leaves the text unchanged.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace vemo
