// Test support for the tests of every folder: HexText.
#pragma once
#include <string>

// Hex dump ("24 E7 A9 …") for readable byte comparisons.
std::string Hex(const std::string& bytes);
// Bytes from a hand-written hex text ("01 00 00 80"); blanks are ignored.
std::string FromHex(const std::string& hex);
