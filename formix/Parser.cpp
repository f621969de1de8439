#include "formix/Parser.h"

#include <array>
#include <cmath>
#include <string>

#include "formix/BinaryNodes.h"
#include "formix/FunctionNodes.h"
#include "formix/IndexedText.h"
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

using Kind = IndexedText::Kind;
constexpr size_t npos = IndexedText::npos;

// A piece of an indexed text: the half-open range [begin, end).
struct Piece {
    const IndexedText* text;
    size_t begin;
    size_t end;

    std::string_view View() const { return text->View(begin, end); }
    bool Empty() const { return begin == end; }
    char Front() const { return text->Text()[begin]; }
    char Back() const { return text->Text()[end - 1]; }
    Piece Sub(size_t from, size_t to) const { return {text, from, to}; }
};

// Step 2: when the parentheses enclose the whole piece (judged once: no character other than a
// parenthesis stands outside them before the last), drop enclosing pairs.
void StripEnclosingParentheses(Piece& piece) {
    if (piece.Empty()) {
        return;
    }
    const int32_t outside = piece.text->DepthBefore(piece.begin);
    if (piece.text->First(Kind::Plain, outside, piece.begin, piece.end - 1) != npos) {
        return;
    }
    while (piece.end - piece.begin >= 2 && piece.Front() == '(' && piece.Back() == ')') {
        ++piece.begin;
        --piece.end;
    }
}

// Step 3 (its first half): drop leading '+' and blanks.
void DropLeadingSigns(Piece& piece) {
    while (!piece.Empty() && (piece.Front() == '+' || piece.Front() == ' ')) {
        ++piece.begin;
    }
}

void TrimRight(Piece& piece) {
    while (!piece.Empty() && IsWhiteSpace(piece.Back())) {
        --piece.end;
    }
}

// The last character of the kind outside all parentheses, scanning from the end of the piece
// (where ')' opens and '(' closes), at or after `lowest`; npos when there is none.
size_t FindLastOperator(const Piece& piece, Kind kind, size_t lowest) {
    return piece.text->Last(kind, piece.text->DepthBefore(piece.end), lowest, piece.end);
}

// True when the character at `from` opens a parenthesis that closes exactly at the last
// character; a blank there passes only as the last character itself.
bool ClosesAtEnd(const Piece& piece, size_t from) {
    if (piece.text->Text()[from] != '(') {
        return from + 1 == piece.end;
    }
    return piece.text->ClosingOf(from) == piece.end - 1;
}

// IsNumber and ToNumber of a piece, with the index jumping over runs of white space and digits:
// a piece that starts with a long run is tested at every level of a chain, and a pass over the
// run each time would make deep input slow.
bool PieceIsNumber(const Piece& piece) {
    if (piece.Empty()) {
        return true;
    }
    const IndexedText& text = *piece.text;
    const size_t start = text.SkipWhite(piece.begin, piece.end);
    if (start == piece.end) {
        return false;  // white space only
    }
    if (NamedConstant(text.View(start, piece.end))) {
        return true;
    }
    auto skipWhite = [&text, &piece](size_t i) { return text.SkipWhite(i, piece.end); };
    auto skipDigits = [&text, &piece](size_t i) { return text.SkipDigits(i, piece.end); };
    const size_t end = NumberEnd(text.Text(), start, piece.end, skipWhite, skipDigits);
    return end != start && end == piece.end;
}

double PieceValue(const Piece& piece) {
    return ToNumber(piece.text->View(piece.text->SkipWhite(piece.begin, piece.end), piece.end));
}

// The two sides of an operator, with what the number tests say of them.
struct Sides {
    Piece left;
    Piece right;
    bool leftIsNumber;
    bool rightIsNumber;

    Sides(const Piece& piece, size_t at)
        : left(piece.Sub(piece.begin, at)),
          right(piece.Sub(at + 1, piece.end)),
          leftIsNumber(PieceIsNumber(left)),
          rightIsNumber(PieceIsNumber(right)) {}
    double LeftValue() const { return PieceValue(left); }
    double RightValue() const { return PieceValue(right); }
    bool SameText() const { return left.View() == right.View(); }
};

class Parser {
public:
    explicit Parser(std::string_view variable) : m_variable(variable) {}

    FunctionPtr Parse(Piece piece, int depth) const;

private:
    FunctionPtr Sub(const Piece& piece, int depth) const { return Parse(piece, depth + 1); }
    FunctionPtr ParseIndexed(Piece piece, int depth) const;
    FunctionPtr AddOrSubtract(const Piece& piece, size_t at, int depth) const;
    FunctionPtr MultiplyOrDivide(const Piece& piece, size_t at, int depth) const;
    FunctionPtr Power(const Piece& piece, size_t at, int depth) const;
    FunctionPtr FunctionCall(const Piece& piece, int depth) const;

    std::string_view m_variable;
};

FunctionPtr Parser::Parse(Piece piece, int depth) const {
    if (depth > kMaxParseDepth) {
        return Constant(PieceValue(piece));
    }
    // 1. Other bracket forms become parentheses, at most ten of each at this level. The piece is
    // then a text of its own.
    if (piece.text->HasBrackets(piece.begin, piece.end)) {
        std::string text(piece.View());
        ReplaceAll(text, "[", "(");
        ReplaceAll(text, "]", ")");
        ReplaceAll(text, "{", "(");
        ReplaceAll(text, "}", ")");
        const IndexedText replaced(std::move(text));
        return ParseIndexed({&replaced, 0, replaced.Text().size()}, depth);
    }
    return ParseIndexed(piece, depth);
}

FunctionPtr Parser::ParseIndexed(Piece piece, int depth) const {
    // 2. and 3.
    StripEnclosingParentheses(piece);
    DropLeadingSigns(piece);
    TrimRight(piece);

    // 4. to 6. The cut is at the last operator of the weakest level, so each level groups from the left.
    if (size_t at = FindLastOperator(piece, Kind::AddSub, piece.begin); at != npos) {
        return AddOrSubtract(piece, at, depth);
    }
    if (size_t at = FindLastOperator(piece, Kind::MulDiv, piece.begin + 1); at != npos) {
        return MultiplyOrDivide(piece, at, depth);
    }
    if (size_t at = FindLastOperator(piece, Kind::Power, piece.begin + 1); at != npos) {
        return Power(piece, at, depth);
    }
    // 7. Functions.
    if (FunctionPtr call = FunctionCall(piece, depth)) {
        return call;
    }
    // 8. The variable.
    if (EqualsNoCase(piece.View(), m_variable)) {
        return std::make_unique<CVariable>();
    }
    // 9. A leading minus before unbalanced parentheses.
    if (!piece.Empty() && piece.Front() == '-') {
        return Negated(Sub(piece.Sub(piece.begin + 1, piece.end), depth));
    }
    // 10. A number, a named constant, or the numeric start of anything else.
    return Constant(PieceValue(piece));
}

FunctionPtr Parser::AddOrSubtract(const Piece& piece, size_t at, int depth) const {
    if (at == piece.begin) {
        // A leading minus: it applies to everything up to the end, there being no other '+' or '-'.
        const Piece rest = piece.Sub(at + 1, piece.end);
        if (PieceIsNumber(rest)) {
            return Constant(rest.Empty() ? 0.0 : -PieceValue(rest));
        }
        return Negated(Sub(rest, depth));
    }
    const Sides s(piece, at);
    if (piece.text->Text()[at] == '+') {
        if (s.leftIsNumber && s.rightIsNumber) {
            return Constant(s.LeftValue() + s.RightValue());
        }
        if (s.leftIsNumber) {
            return Normalised(std::make_unique<CAddConst>(Sub(s.right, depth), s.LeftValue()));
        }
        if (s.rightIsNumber) {
            return Normalised(std::make_unique<CAddConst>(Sub(s.left, depth), s.RightValue()));
        }
        if (s.SameText()) {
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
    if (s.SameText()) {
        return Zero();
    }
    FunctionPtr f = Sub(s.left, depth);
    return Normalised(std::make_unique<CSub>(std::move(f), Sub(s.right, depth)));
}

FunctionPtr Parser::MultiplyOrDivide(const Piece& piece, size_t at, int depth) const {
    const Sides s(piece, at);
    if (piece.text->Text()[at] == '*') {
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
        if (s.SameText()) {
            if (s.left.View() == m_variable) {
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
    if (s.SameText()) {
        return Constant(1.0);
    }
    FunctionPtr f = Sub(s.left, depth);
    return Normalised(std::make_unique<CDiv>(std::move(f), Sub(s.right, depth)));
}

FunctionPtr Parser::Power(const Piece& piece, size_t at, int depth) const {
    const Sides s(piece, at);
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

FunctionPtr Parser::FunctionCall(const Piece& piece, int depth) const {
    const std::string_view text = piece.View();
    auto nameMatches = [text](std::string_view name) {
        return StartsWithNoCase(text, name) && text.size() > name.size() &&
               (text[name.size()] == '(' || text[name.size()] == ' ');
    };
    // Pass 1: the function of the bare variable becomes a leaf.
    for (const FunctionName& entry : kFunctionNames) {
        if (entry.id == FuncId::Floor1 || !nameMatches(entry.name)) {
            continue;
        }
        Piece rest = piece.Sub(piece.begin + entry.name.size(), piece.end);
        StripEnclosingParentheses(rest);
        DropLeadingSigns(rest);
        if (EqualsNoCase(rest.View(), m_variable)) {
            return MakeFunctionOfX(entry.id);
        }
    }
    // Pass 2: a call whose parenthesis closes at the end of the piece.
    for (const FunctionName& entry : kFunctionNames) {
        const size_t argument = piece.begin + entry.name.size();
        if (nameMatches(entry.name) && ClosesAtEnd(piece, argument)) {
            return MakeFunctionOf(entry.id, Sub(piece.Sub(argument, piece.end), depth));
        }
    }
    return nullptr;
}

}  // namespace

FunctionPtr ParseFormula(std::string_view text, std::string_view variable) {
    // Both texts end at their first NUL character, as the C strings they stand for.
    text = text.substr(0, text.find('\0'));
    variable = variable.substr(0, variable.find('\0'));
    if (text.size() > IndexedText::kMaxLength) {
        return Constant(ToNumber(text));
    }
    const IndexedText indexed{std::string(text)};
    return Parser(variable).Parse({&indexed, 0, indexed.Text().size()}, 0);
}

}  // namespace formix
