#pragma once

#include <string_view>

#include "formix/Function.h"

namespace formix {

// Pieces nested deeper than this are read as a plain number, so that hostile input (thousands of
// parentheses, operator chains of any length) cannot exhaust the stack. Each level consumes at
// least one character of the text, so a text of up to 255 characters, the most a stored formula
// holds, never reaches it. At the limit a parse needs well under 1 MB of stack.
inline constexpr int kMaxParseDepth = 256;

// Builds the expression tree of a formula text with the given variable name. The parser is a
// recursive splitter: it cuts each piece at its last '+'/'-', else '*'/'/', else '^' outside
// parentheses, folds plain numbers at once, and reads function calls, the variable and numbers.
// It never fails: unrecognised text reads as its numeric start, or 0. Never returns null.
FunctionPtr ParseFormula(std::string_view text, std::string_view variable);

}  // namespace formix
