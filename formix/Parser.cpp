#include "formix/Parser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

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

// Thrown when a formula nests deeper than kMaxParseDepth: the whole formula is refused.
struct TooDeep {};

// A tree under construction and its height (a leaf is 1). The height is kept so that no tree
// grows deeper than the limit: valuing and freeing a tree recurse along its depth.
struct Tree {
    FunctionPtr node;
    int height = 1;
};

int Above(const Tree& child) { return child.height + 1; }
int Above(const Tree& left, const Tree& right) { return std::max(left.height, right.height) + 1; }

Tree Checked(Tree tree) {
    if (tree.height > kMaxParseDepth) {
        throw TooDeep{};
    }
    return tree;
}

Tree Constant(double value) { return {std::make_unique<CConstant>(value)}; }
Tree Zero() { return {std::make_unique<CZero>()}; }

// A new node folded into a CZero or a CConstant when its shape says it is zero or constant.
Tree Normalised(Tree tree) {
    if (tree.node->IsZero()) {
        return Zero();
    }
    if (tree.node->IsConstant()) {
        return Constant(tree.node->Evaluate(0.0));
    }
    return Checked(std::move(tree));
}

// -g, folded when g is zero or constant.
Tree Negated(Tree g) {
    if (g.node->IsZero()) {
        return Zero();
    }
    if (g.node->IsConstant()) {
        return Constant(-g.node->Evaluate(0.0));
    }
    return Checked({std::make_unique<CNegate>(std::move(g.node)), Above(g)});
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
    // Only a piece that starts with '(' and ends with ')' can lose a pair.
    if (piece.end - piece.begin < 2 || piece.Front() != '(' || piece.Back() != ')') {
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
    // A name is at most kLongestConstantName characters, with white space after it.
    if ((piece.end - start <= kLongestConstantName || IsWhiteSpace(piece.Back())) &&
        NamedConstant(text.View(start, piece.end))) {
        return true;
    }
    auto skipWhite = [&text, &piece](size_t i) { return text.SkipWhite(i, piece.end); };
    auto skipDigits = [&text, &piece](size_t i) { return text.SkipDigits(i, piece.end); };
    const size_t end = NumberEnd(text.Text(), start, piece.end, skipWhite, skipDigits);
    return end != start && end == piece.end;
}

double PieceValue(const Piece& piece) {
    const size_t start = piece.text->SkipWhite(piece.begin, piece.end);
    const std::string_view text = piece.text->View(start, piece.end);
    if (text.size() > kLongestConstantName && !IsWhiteSpace(text.back())) {
        return ScanNumber(text).value;  // too long for a name
    }
    return ToNumber(text);
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

// An operator of a chain, kept on the way down the chain's left operands; it is applied to the
// left operand's tree on the way back. The operators over two trees take their right tree from
// the parser's list of right sides, in the same order.
struct Pending {
    enum class Op {
        AddConst,  // f + c
        Double,    // f + f
        Add,       // f + g
        SubConst,  // f - c
        Sub,       // f - g
        MulConst,  // f * c
        Square,    // f * f
        Mul,       // f * g
        DivConst,  // f / c
        Div,       // f / g
        PowConst,  // f ^ c
        Pow,       // f ^ g
    };
    Op op;
    double c = 0.0;
};

// The chain below one piece: its waiting operators and their right trees.
struct Chain {
    std::vector<Pending> pending;
    std::vector<Tree> rights;

    // The operator waits, and the left side of its cut becomes the piece to parse next.
    std::nullopt_t Defer(Piece& piece, const Piece& left, Pending::Op op, double c = 0.0) {
        pending.push_back({op, c});
        piece = left;
        return std::nullopt;
    }
    std::nullopt_t Defer(Piece& piece, const Piece& left, Pending::Op op, Tree g) {
        rights.push_back(std::move(g));
        return Defer(piece, left, op);
    }
};

class Parser {
public:
    explicit Parser(std::string_view variable) : m_variable(variable) {}

    Tree Parse(Piece piece, int depth) const;

private:
    using Op = Pending::Op;

    Tree Sub(const Piece& piece, int depth) const { return Parse(piece, depth + 1); }
    // Steps 2 to 10 for one piece: either the piece's tree, or an operator whose left operand
    // (the new `piece`) is still to be parsed.
    std::optional<Tree> Step(Piece& piece, int depth, Chain& chain) const;
    std::optional<Tree> AddOrSubtract(Piece& piece, size_t at, int depth, Chain& chain) const;
    std::optional<Tree> MultiplyOrDivide(Piece& piece, size_t at, int depth, Chain& chain) const;
    std::optional<Tree> Power(Piece& piece, size_t at, int depth, Chain& chain) const;
    std::optional<Tree> FunctionCall(const Piece& piece, int depth) const;
    static Tree Apply(const Pending& p, Tree f, std::vector<Tree>& rights);

    std::string_view m_variable;
};

// Each cut parses its right side as a sub-expression one level deeper, and goes on with its left
// side, which holds the rest of the chain, in the loop below at the same level: a chain of any
// number of terms is as deep as its deepest term. The chain's operators wait in `chain` and are
// applied from the first term on, so the tree is the one the plain recursion would build.
Tree Parser::Parse(Piece piece, int depth) const {
    Chain chain;
    std::unique_ptr<IndexedText> replaced;
    std::optional<Tree> tree;
    while (!tree) {
        if (depth > kMaxParseDepth) {
            throw TooDeep{};
        }
        // 1. Other bracket forms become parentheses, at most ten of each on this piece. The piece
        // is then a text of its own. Each replacement along a chain counts as a level, which bounds
        // the copies a long chain of brackets makes.
        if (piece.text->HasBrackets(piece.begin, piece.end)) {
            std::string text(piece.View());
            ReplaceAll(text, "[", "(");
            ReplaceAll(text, "]", ")");
            ReplaceAll(text, "{", "(");
            ReplaceAll(text, "}", ")");
            replaced = std::make_unique<IndexedText>(std::move(text));
            piece = {replaced.get(), 0, replaced->Text().size()};
            if (!chain.pending.empty()) {
                ++depth;
            }
        }
        tree = Step(piece, depth, chain);
    }
    while (!chain.pending.empty()) {
        tree = Apply(chain.pending.back(), std::move(*tree), chain.rights);
        chain.pending.pop_back();
    }
    return std::move(*tree);
}

Tree Parser::Apply(const Pending& p, Tree f, std::vector<Tree>& rights) {
    // A constant f folds at once, to what Normalised makes of the node over it by the node's
    // rules; long chains of numbers then build no node per term.
    if (f.node->IsConstant()) {
        const double v = f.node->Evaluate(0.0);
        switch (p.op) {
            case Op::AddConst: return v == -p.c ? Zero() : Constant(v + p.c);
            case Op::SubConst: return v == p.c ? Zero() : Constant(v - p.c);
            case Op::MulConst: return f.node->IsZero() || p.c == 0.0 ? Zero() : Constant(v * p.c);
            case Op::DivConst: return f.node->IsZero() ? Zero() : Constant(v / p.c);
            default: break;
        }
    }
    auto right = [&rights] {
        Tree g = std::move(rights.back());
        rights.pop_back();
        return g;
    };
    switch (p.op) {
        case Op::AddConst: return Normalised({std::make_unique<CAddConst>(std::move(f.node), p.c), Above(f)});
        case Op::Double: return Checked({std::make_unique<CMulConst>(std::move(f.node), 2.0), Above(f)});
        case Op::SubConst: return Normalised({std::make_unique<CSubConst>(std::move(f.node), p.c), Above(f)});
        case Op::MulConst: return Normalised({std::make_unique<CMulConst>(std::move(f.node), p.c), Above(f)});
        case Op::Square: return Checked({std::make_unique<CSquare>(std::move(f.node)), Above(f)});
        case Op::DivConst: return Normalised({std::make_unique<CDivConst>(std::move(f.node), p.c), Above(f)});
        case Op::PowConst: return Checked({std::make_unique<CPowConst>(std::move(f.node), p.c), Above(f)});
        case Op::Add: {
            Tree g = right();
            return Normalised({std::make_unique<CAdd>(std::move(f.node), std::move(g.node)), Above(f, g)});
        }
        case Op::Sub: {
            Tree g = right();
            return Normalised({std::make_unique<CSub>(std::move(f.node), std::move(g.node)), Above(f, g)});
        }
        case Op::Mul: {
            Tree g = right();
            return Normalised({std::make_unique<CMul>(std::move(f.node), std::move(g.node)), Above(f, g)});
        }
        case Op::Div: {
            Tree g = right();
            return Normalised({std::make_unique<CDiv>(std::move(f.node), std::move(g.node)), Above(f, g)});
        }
        case Op::Pow: {
            Tree g = right();
            return Checked({std::make_unique<CPow>(std::move(f.node), std::move(g.node)), Above(f, g)});
        }
    }
    return f;
}

std::optional<Tree> Parser::Step(Piece& piece, int depth, Chain& chain) const {
    // 2. and 3.
    StripEnclosingParentheses(piece);
    DropLeadingSigns(piece);
    TrimRight(piece);

    // 4. to 6. The cut is at the last operator of the weakest level, so each level groups from the left.
    if (size_t at = FindLastOperator(piece, Kind::AddSub, piece.begin); at != npos) {
        return AddOrSubtract(piece, at, depth, chain);
    }
    if (size_t at = FindLastOperator(piece, Kind::MulDiv, piece.begin + 1); at != npos) {
        return MultiplyOrDivide(piece, at, depth, chain);
    }
    if (size_t at = FindLastOperator(piece, Kind::Power, piece.begin + 1); at != npos) {
        return Power(piece, at, depth, chain);
    }
    // 7. Functions.
    if (std::optional<Tree> call = FunctionCall(piece, depth)) {
        return call;
    }
    // 8. The variable.
    if (EqualsNoCase(piece.View(), m_variable)) {
        return Tree{std::make_unique<CVariable>()};
    }
    // 9. A leading minus before unbalanced parentheses.
    if (!piece.Empty() && piece.Front() == '-') {
        return Negated(Sub(piece.Sub(piece.begin + 1, piece.end), depth));
    }
    // 10. A number, a named constant, or the numeric start of anything else.
    return Constant(PieceValue(piece));
}

std::optional<Tree> Parser::AddOrSubtract(Piece& piece, size_t at, int depth, Chain& chain) const {
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
            Tree g = Sub(s.right, depth);
            return Normalised({std::make_unique<CAddConst>(std::move(g.node), s.LeftValue()), Above(g)});
        }
        if (s.rightIsNumber) {
            return chain.Defer(piece, s.left, Op::AddConst, s.RightValue());
        }
        if (s.SameText()) {
            return chain.Defer(piece, s.left, Op::Double);
        }
        return chain.Defer(piece, s.left, Op::Add, Sub(s.right, depth));
    }
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(s.LeftValue() - s.RightValue());
    }
    if (s.leftIsNumber) {
        Tree g = Sub(s.right, depth);
        return Normalised({std::make_unique<CConstSub>(s.LeftValue(), std::move(g.node)), Above(g)});
    }
    if (s.rightIsNumber) {
        return chain.Defer(piece, s.left, Op::SubConst, s.RightValue());
    }
    if (s.SameText()) {
        return Zero();
    }
    return chain.Defer(piece, s.left, Op::Sub, Sub(s.right, depth));
}

std::optional<Tree> Parser::MultiplyOrDivide(Piece& piece, size_t at, int depth, Chain& chain) const {
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
            if (s.rightIsNumber) {
                return chain.Defer(piece, s.left, Op::MulConst, c);
            }
            Tree g = Sub(s.right, depth);
            return Normalised({std::make_unique<CMulConst>(std::move(g.node), c), Above(g)});
        }
        if (s.SameText()) {
            if (s.left.View() == m_variable) {
                return Tree{std::make_unique<CSquareX>()};
            }
            return chain.Defer(piece, s.left, Op::Square);
        }
        return chain.Defer(piece, s.left, Op::Mul, Sub(s.right, depth));
    }
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(s.LeftValue() / s.RightValue());
    }
    if (s.leftIsNumber) {
        const double c = s.LeftValue();
        if (IsZeroValue(c)) {
            return Zero();
        }
        Tree g = Sub(s.right, depth);
        return Normalised({std::make_unique<CConstDiv>(c, std::move(g.node)), Above(g)});
    }
    if (s.rightIsNumber) {
        // A division by the literal 0 of anything but a number yields 0.
        const double c = s.RightValue();
        if (IsZeroValue(c)) {
            return Zero();
        }
        return chain.Defer(piece, s.left, Op::DivConst, c);
    }
    if (s.SameText()) {
        return Constant(1.0);
    }
    return chain.Defer(piece, s.left, Op::Div, Sub(s.right, depth));
}

std::optional<Tree> Parser::Power(Piece& piece, size_t at, int depth, Chain& chain) const {
    const Sides s(piece, at);
    if (s.leftIsNumber && s.rightIsNumber) {
        return Constant(std::pow(s.LeftValue(), s.RightValue()));
    }
    if (s.leftIsNumber) {
        Tree g = Sub(s.right, depth);
        return Checked({std::make_unique<CConstPow>(s.LeftValue(), std::move(g.node)), Above(g)});
    }
    if (s.rightIsNumber) {
        return chain.Defer(piece, s.left, Op::PowConst, s.RightValue());
    }
    return chain.Defer(piece, s.left, Op::Pow, Sub(s.right, depth));
}

std::optional<Tree> Parser::FunctionCall(const Piece& piece, int depth) const {
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
            return Tree{MakeFunctionOfX(entry.id)};
        }
    }
    // Pass 2: a call whose parenthesis closes at the end of the piece.
    for (const FunctionName& entry : kFunctionNames) {
        const size_t argument = piece.begin + entry.name.size();
        if (nameMatches(entry.name) && ClosesAtEnd(piece, argument)) {
            Tree g = Sub(piece.Sub(argument, piece.end), depth);
            return Checked({MakeFunctionOf(entry.id, std::move(g.node)), Above(g)});
        }
    }
    return std::nullopt;
}

}  // namespace

FunctionPtr TryParseFormula(std::string_view text, std::string_view variable) {
    // Both texts end at their first NUL character, as the C strings they stand for.
    text = text.substr(0, text.find('\0'));
    variable = variable.substr(0, variable.find('\0'));
    if (text.size() > IndexedText::kMaxLength) {
        return std::make_unique<CConstant>(ToNumber(text));
    }
    const IndexedText indexed{std::string(text)};
    try {
        return Parser(variable).Parse({&indexed, 0, indexed.Text().size()}, 1).node;
    } catch (const TooDeep&) {
        return nullptr;
    }
}

FunctionPtr ParseFormula(std::string_view text, std::string_view variable) {
    FunctionPtr tree = TryParseFormula(text, variable);
    return tree ? std::move(tree) : std::make_unique<CConstant>(0.0);
}

}  // namespace formix
