#pragma once
#include <string>
#include <string_view>

// Text is UTF-8 in memory and CP932 (Windows Shift-JIS) in files. These convert at the file boundary.
namespace vemo {

// UTF-8 to CP932. A character CP932 cannot hold, or a malformed UTF-8 sequence, becomes '?'; a raw-byte
// code point (below) becomes its byte again.
std::string Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8. A byte that does not start a valid CP932 character (such as 0x80, 0xA0, 0xFD, the
// lead byte of an unassigned pair or of a pair cut off) becomes the private-use code point
// U+F700 + byte, so that storing the text again writes the same bytes.
std::string Cp932ToUtf8(std::string_view cp932);

// Length of the text in CP932 bytes: what file lengths and byte-counted limits are measured in. A
// raw-byte code point counts as its one byte.
size_t Cp932Length(std::string_view utf8);

// Upper-cases ASCII letters only; every other byte is kept (formulas are upper-cased this way).
std::string AsciiUpper(std::string_view text);

}  // namespace vemo
