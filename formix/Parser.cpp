#include "formix/Parser.h"

#include <array>
#include <cmath>
#include <string>

#include "formix/BinaryNodes.h"
#include "formix/FunctionNodes.h"
#include "formix/LeafNodes.h"
#include "formix/NumberParse.h"
#include "formix/ReplaceAll.h"
#include "formix/UnaryNodes.h"

namespace formix {

namespace {

struct FunctionName {
    std::string_view name;
    FuncId id;
};

// Tried in this order; a name must be followed by '(' or a blank, so SIN never takes SINH.
constexpr std::array<FunctionName, 27> kFunctionNames{{
    {"EXP", FuncId::Exp},       {"SIN", FuncId::Sin},       {"COS", FuncId::Cos},
    {"TAN", FuncId::Tan},       {"COT", FuncId::Cot},       {"SINH", FuncId::Sinh},
    {"COSH", FuncId::Cosh},     {"TANH", FuncId::Tanh},     {"COTH", FuncId::Coth},
    {"ABS", FuncId::Abs},       {"CEIL", FuncId::Ceil},     {"FLOOR", FuncId::Floor},
    {"FL1", FuncId::Floor1},    {"FL2", FuncId::Floor2},    {"FL3", FuncId::Floor3},
    {"FL4", FuncId::Floor4},    {"RD1", FuncId::Round1},    {"RD2", FuncId::Round2},
    {"RD3", FuncId::Round3},    {"RD4", FuncId::Round4},    {"LG", FuncId::Lg},
    {"LN", FuncId::Log},        {"SQRT", FuncId::Sqrt},     {"ASIN", FuncId::Asin},
    {"ACOS", FuncId::Acos},     {"ATAN", FuncId::Atan},     {"GAMMA", FuncId::Gamma},
}};

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// A NaN counts as 0 in the parser's tests against 0.
bool IsZeroValue(double v) { return !(v < 0.0 || v > 0.0); }

FunctionPtr Constant(double value) { return std::make_unique<CConstant>(value); }
FunctionPtr Zero() { return std::make_unique<CZero>(); }

// A new node folded into a CZero or a CConstant when its shape says it is zero or constant.
FunctionPtr Normalised(FunctionPtr node) {
    if (node->IsZero()) {
        return Zero();
    }
    if (node->IsConstant()) {
        return Constant(node->Evaluate(0.0));
    }
    return node;
}

// -g, folded when g is zero or constant.
FunctionPtr Negated(FunctionPtr g) {
    if (g->IsZero()) {
        return Zero();
    }
    if (g->IsConstant()) {
        return Constant(-g->Evaluate(0.0));
    }
    return std::make_unique<CNegate>(std::move(g));
}

// Step 2: when the parentheses enclose the whole text (judged once), drop enclosing pairs.
void StripEnclosingParentheses(std::string& text) {
    long depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && i + 1 != text.size()) {
            return;  // a character outside all parentheses: not enclosed
        }
    }
    size_t first = 0;
    size_t last = text.size();
    while (last - first >= 2 && text[first] == '(' && text[last - 1] == ')') {
        ++first;
        --last;
    }
    if (first > 0) {
        text = text.substr(first, last - first);
    }
}

// Step 3 (its first half): drop leading '+' and blanks.
void DropLeadingSigns(std::string& text) {
    const size_t first = text.find_first_not_of("+ ");
    text.erase(0, first == std::string::npos ? text.size() : first);
}

void TrimRight(std::string& text) {
    const size_t last = text.find_last_not_of(kWhiteSpace);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

// Index of the last character of `ops` outside all parentheses at an index of at least `lowest`,
// scanning from the end (where ')' opens and '(' closes); npos when there is none.
size_t FindLastOperator(std::string_view text, std::string_view ops, size_t lowest) {
    long depth = 0;
    for (size_t i = text.size(); i-- > lowest;) {
        const char c = text[i];
        if (c == ')') {
            ++depth;
        } else if (c == '(') {
            --depth;
        } else if (depth == 0 && ops.find(c) != std::string_view::npos) {
            return i;
        }
    }
    return std::string_view::npos;
}

// True when the parenthesis at text[from] closes exactly at the last character.
bool ClosesAtEnd(std::string_view text, size_t from) {
    long depth = 0;
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            --depth;
        }
        if (depth == 0 && i + 1 != text.size()) {
            return false;
        }
    }
    return depth == 0;
}

// The two sides of an operator, with what the number tests say of them.
struct Sides {
    std::string left;
    std::string right;
    bool leftIsNumber;
    bool rightIsNumber;

    Sides(const std::string& text, size_t at)
        : left(text.substr(0, at)),
          right(text.substr(at + 1)),
          leftIsNumber(IsNumber(left)),
          rightIsNumber(IsNumber(right)) {}
    double LeftValue() const { return ToNumber(left); }
    double RightValue() const { return ToNumber(right); }
};

class Parser {
public:
    explicit Parser(std::string_view variable) : m_variable(variable) {}

    FunctionPtr Parse(std::string text, int depth) const;

private:
    FunctionPtr Sub(const std::string& text, int depth) const { return Parse(text, depth + 1); }
    FunctionPtr AddOrSubtract(const std::string& text, size_t at, int depth) const;
    FunctionPtr MultiplyOrDivide(const std::string& text, size_t at, int depth) const;
    FunctionPtr Power(const std::string& text, size_t at, int depth) const;
    FunctionPtr FunctionCall(const std::string& text, int depth) const;

    std::string_view m_variable;
};

FunctionPtr Parser::Parse(std::string text, int depth) const {
    if (depth > kMaxParseDepth) {
        return Constant(ToNumber(text));
    }
    // 1. Other bracket forms, at most ten of each at this level.
    ReplaceAll(text, "[", "(");
    ReplaceAll(text, "]", ")");
    ReplaceAll(text, "{", "(");
    ReplaceAll(text, "}", ")");
    // 2. and 3.
    StripEnclosingParentheses(text);
    DropLeadingSigns(text);
    TrimRight(text);

    // 4. to 6. The cut is at the last operator of the weakest level, so each level groups from the left.
    if (size_t at = FindLastOperator(text, "+-", 0); at != std::string::npos) {
        return AddOrSubtract(text, at, depth);
    }
    if (size_t at = FindLastOperator(text, "*/", 1); at != std::string::npos) {
        return MultiplyOrDivide(text, at, depth);
    }
    if (size_t at = FindLastOperator(text, "^", 1); at != std::string::npos) {
        return Power(text, at, depth);
    }
    // 7. Functions.
    if (FunctionPtr call = FunctionCall(text, depth)) {
        return call;
    }
    // 8. The variable.
    if (EqualsNoCase(text, m_variable)) {
        return std::make_unique<CVariable>();
    }
    // 9. A leading minus before unbalanced parentheses.
    if (!text.empty() && text[0] == '-') {
        return Negated(Sub(text.substr(1), depth));
    }
    // 10. A number, a named constant, or the numeric start of anything else.
    return Constant(ToNumber(text));
}

FunctionPtr Parser::AddOrSubtract(const std::string& text, size_t at, int depth) const {
    if (at == 0) {
        // A leading minus: it applies to everything up to the end, there being no other '+' or '-'.
        std::string rest = text.substr(1);
        if (IsNumber(rest)) {
            return Constant(rest.empty() ? 0.0 : -ToNumber(rest));
        }
        return Negated(Sub(rest, depth));
    }
    const Sides s(text, at);
    if (text[at] == '+') {
        if (s.leftIsNumber && s.rightIsNumber) {
            return Constant(s.LeftValue() + s.RightValue());
        }
        if (s.leftIsNumber) {
            return Normalised(std::make_unique<CAddConst>(Sub(s.right, depth), s.LeftValue()));
        }
        if (s.rightIsNumber) {
            return Normalised(std::make_unique<CAddConst>(Sub(s.left, depth), s.RightValue()));
        }
        if (s.left == s.right) {
            return std::make_unique<CMulConst>(Sub(s.left, depth), 2.0);
        }
        FunctionPtr f = Sub(s.left, depth);
        return Normalised(std::make_unique<CAdd>(std::move(f), Sub(s.right, depth)));
    }
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(s.LeftValue() - s.RightValue());
    }
    if (s.leftIsNumber) {
        return Normalised(std::make_unique<CConstSub>(s.LeftValue(), Sub(s.right, depth)));
    }
    if (s.rightIsNumber) {
        return Normalised(std::make_unique<CSubConst>(Sub(s.left, depth), s.RightValue()));
    }
    if (s.left == s.right) {
        return Zero();
    }
    FunctionPtr f = Sub(s.left, depth);
    return Normalised(std::make_unique<CSub>(std::move(f), Sub(s.right, depth)));
}

FunctionPtr Parser::MultiplyOrDivide(const std::string& text, size_t at, int depth) const {
    const Sides s(text, at);
    if (text[at] == '*') {
        if (s.leftIsNumber && s.rightIsNumber) {
            const double product = s.LeftValue() * s.RightValue();
            return IsZeroValue(product) ? Zero() : Constant(product);
        }
        if (s.leftIsNumber || s.rightIsNumber) {
            // The other side is not parsed when the factor is 0.
            const double c = s.leftIsNumber ? s.LeftValue() : s.RightValue();
            if (IsZeroValue(c)) {
                return Zero();
            }
            return Normalised(std::make_unique<CMulConst>(Sub(s.leftIsNumber ? s.right : s.left, depth), c));
        }
        FunctionPtr f = Sub(s.left, depth);
        if (s.left == s.right) {
            if (s.left == m_variable) {
                return std::make_unique<CSquareX>();
            }
            return std::make_unique<CSquare>(std::move(f));
        }
        return Normalised(std::make_unique<CMul>(std::move(f), Sub(s.right, depth)));
    }
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(s.LeftValue() / s.RightValue());
    }
    if (s.leftIsNumber) {
        const double c = s.LeftValue();
        if (IsZeroValue(c)) {
            return Zero();
        }
        return Normalised(std::make_unique<CConstDiv>(c, Sub(s.right, depth)));
    }
    if (s.rightIsNumber) {
        // A division by the literal 0 of anything but a number yields 0.
        const double c = s.RightValue();
        if (IsZeroValue(c)) {
            return Zero();
        }
        return Normalised(std::make_unique<CDivConst>(Sub(s.left, depth), c));
    }
    if (s.left == s.right) {
        return Constant(1.0);
    }
    FunctionPtr f = Sub(s.left, depth);
    return Normalised(std::make_unique<CDiv>(std::move(f), Sub(s.right, depth)));
}

FunctionPtr Parser::Power(const std::string& text, size_t at, int depth) const {
    const Sides s(text, at);
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(std::pow(s.LeftValue(), s.RightValue()));
    }
    if (s.leftIsNumber) {
        return std::make_unique<CConstPow>(s.LeftValue(), Sub(s.right, depth));
    }
    if (s.rightIsNumber) {
        return std::make_unique<CPowConst>(Sub(s.left, depth), s.RightValue());
    }
    FunctionPtr f = Sub(s.left, depth);
    return std::make_unique<CPow>(std::move(f), Sub(s.right, depth));
}

FunctionPtr Parser::FunctionCall(const std::string& text, int depth) const {
    auto nameMatches = [&text](std::string_view name) {
        return StartsWithNoCase(text, name) && text.size() > name.size() &&
               (text[name.size()] == '(' || text[name.size()] == ' ');
    };
    // Pass 1: the function of the bare variable becomes a leaf.
    for (const FunctionName& entry : kFunctionNames) {
        if (entry.id == FuncId::Floor1 || !nameMatches(entry.name)) {
            continue;
        }
        std::string rest = text.substr(entry.name.size());
        StripEnclosingParentheses(rest);
        DropLeadingSigns(rest);
        if (EqualsNoCase(rest, m_variable)) {
            return MakeFunctionOfX(entry.id);
        }
    }
    // Pass 2: a call whose parenthesis closes at the end of the text.
    for (const FunctionName& entry : kFunctionNames) {
        if (nameMatches(entry.name) && ClosesAtEnd(text, entry.name.size())) {
            return MakeFunctionOf(entry.id, Sub(text.substr(entry.name.size()), depth));
        }
    }
    return nullptr;
}

}  // namespace

FunctionPtr ParseFormula(std::string_view text, std::string_view variable) {
    return Parser(variable).Parse(std::string(text), 0);
}

}  // namespace formix
