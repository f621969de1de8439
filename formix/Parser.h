#pragma once

#include <string_view>

#include "formix/Function.h"

namespace formix {

// Formulas nested deeper than this are refused as a whole, so that hostile input (thousands of
// parentheses or function calls) cannot exhaust the stack. A level is a right operand, a function
// argument or a negated rest; the terms of an operator chain are parsed one after the other at one
// level, so a chain of any length is as deep as its deepest term. No tree grows higher than this
// either. A text of up to 255 characters, the most a stored formula holds, never reaches the limit.
inline constexpr int kMaxParseDepth = 256;

// Builds the expression tree of a formula text with the given variable name. The parser is a
// recursive splitter: it cuts each piece at its last '+'/'-', else '*'/'/', else '^' outside
// parentheses, folds plain numbers at once, and reads function calls, the variable and numbers.
// Unrecognised text reads as its numeric start, or 0. Null when the formula nests deeper than
// kMaxParseDepth.
FunctionPtr TryParseFormula(std::string_view text, std::string_view variable);

// As TryParseFormula, but a formula nested too deep gives the constant 0. Never returns null.
FunctionPtr ParseFormula(std::string_view text, std::string_view variable);

}  // namespace formix
