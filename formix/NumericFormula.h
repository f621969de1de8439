#pragma once

// How the vector and matrix classes read element texts and apply formulas: through the library's
// own parser, with the variable named by the caller.

#include <string>
#include <string_view>

#include "formix/Function.h"
#include "formix/TextList.h"

namespace formix {

// The tree of a formula in `variable`, or null when it cannot be built (no formula text, no variable
// name, out of memory).
FunctionPtr ParseFormulaTree(std::string_view formula, std::string_view variable);

// The value of an element text: the text without its white space, read as a formula in "X" and
// valued at 0. A text that is one plain number (C syntax, exponent form included) is that number;
// an empty text is 0.0.
double ElementTextValue(const std::string& text);

// Splits `content` at every character of `separators` and appends one text per piece to `list`.
// A content of white space only gives no texts.
void SplitElementTexts(const std::string& content, std::string_view separators, CTextList& list);

}  // namespace formix
