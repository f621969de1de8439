#pragma once
#include <string>
#include <string_view>

// Text is UTF-8 in memory and CP932 (Windows Shift-JIS) in files. These convert at the file boundary.
namespace vemo {

// A text read from CP932 is stored back as exactly the bytes it was read from, however often it is
// loaded and stored.

// UTF-8 to CP932. A character CP932 cannot hold, or a malformed UTF-8 sequence, becomes '?'; a raw-byte
// code point (below) becomes its byte again, a character followed by a code mark (below) the code the
// mark names. A code mark that names no code of the character before it writes nothing.
std::string Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8. A byte that does not start a valid CP932 character (such as 0x80, 0xA0, 0xFD, the
// lead byte of an unassigned pair or of a pair cut off) becomes the private-use code point
// U+F700 + byte. Some characters CP932 holds under two or three codes (the NEC and IBM extensions in
// rows 87, ED, EE and FA..FC repeat each other and JIS X 0208); one read from a code other than the
// one iconv writes is followed by an invisible code mark, the tag digit U+E0030 + n for its n-th
// other code.
std::string Cp932ToUtf8(std::string_view cp932);

// Whether the code point is a code mark. Comparisons that treat a character's codes alike (keyword
// search) pass over the marks.
bool IsCp932CodeMark(char32_t cp);

// The text without its code marks: each character as it is, whichever of its codes it was read from.
// Text leaving the program (workbook cells, the clipboard) goes without marks, and texts compared
// for sameness (histories) are compared without them. Stored texts keep their marks.
std::string WithoutCp932CodeMarks(std::string_view utf8);

// Length of the text in CP932 bytes: what file lengths and byte-counted limits are measured in. A
// raw-byte code point counts as its one byte, a code mark as none.
size_t Cp932Length(std::string_view utf8);

// Upper-cases ASCII letters only; every other byte is kept (formulas are upper-cased this way).
std::string AsciiUpper(std::string_view text);

}  // namespace vemo
