#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// Small text operations on UTF-8 strings that every layer shares.
namespace vemo {

// Replaces every occurrence of `from` by `to`, left to right; replaced text is not searched again.
// An empty `from` leaves the text unchanged.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// The text with each marker %1..%9 replaced by the value of that position, left to right; the
// values are not searched again. A marker without a value and any other '%' stay as they are.
std::string FillText(std::string_view text, std::initializer_list<std::string_view> values);

// Appends the UTF-8 bytes of one code point (0..0x10FFFF) to out.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace vemo
