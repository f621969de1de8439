#include <array>
#include <string>
#include <string_view>

#include "formix/Formix.h"
#include "formix/Parser.h"

namespace {

// The text Execute hands to the parser: blanks removed, every bracket form made a parenthesis,
// and "0+" put after each '(' that is directly followed by another '(' ("((" becomes "(0+(").
// The parser relies on the last: without it '((1)+(2))' would lose its outer pair as a whole.
std::string PrepareFormula(std::string_view text) {
    std::string prepared;
    prepared.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case ' ': continue;
            case '[':
            case '{': c = '('; break;
            case ']':
            case '}': c = ')'; break;
            default: break;
        }
        prepared += c;
    }
    std::string rewritten;
    rewritten.reserve(prepared.size());
    for (size_t i = 0; i < prepared.size(); ++i) {
        rewritten += prepared[i];
        if (prepared[i] == '(' && i + 1 < prepared.size() && prepared[i + 1] == '(') {
            rewritten += "0+";
        }
    }
    return rewritten;
}

// The tree Execute values: null when the formula nests too deep to be valued. A leading '%'
// (one only) is dropped and reported in percent.
formix::FunctionPtr FormulaTree(std::string_view text, bool& percent) {
    std::string formula = PrepareFormula(text);
    percent = !formula.empty() && formula[0] == '%';
    if (percent) {
        formula.erase(0, 1);
    }
    return formix::TryParseFormula(formula, "X");
}

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; }

// The characters a stored formula may hold: digits, point, operators, parentheses, '%', the blank
// and the eleven upper-case letters of LG, LN, SQRT, FLOOR, FL, RD, H, S and LL.
constexpr std::array<bool, 256> MakeAllowed() {
    std::array<bool, 256> allowed{};
    for (char c : std::string_view("%+-*/.0123456789()LGSQRTH^NFDO ")) {
        allowed[static_cast<unsigned char>(c)] = true;
    }
    return allowed;
}
constexpr std::array<bool, 256> kAllowed = MakeAllowed();

}  // namespace

extern "C" double Execute(const char* text) {
    if (text == nullptr || text[0] == '\0') {
        return 0.0;
    }
    try {
        // One leading '%' divides the result by 100. A formula nested too deep is no number.
        bool percent = false;
        const formix::FunctionPtr tree = FormulaTree(text, percent);
        if (!tree) {
            return 0.0;
        }
        const double value = tree->Evaluate(0.0);
        return percent ? value / 100.0 : value;
    } catch (...) {
        // Nothing may leave the library; a formula too large for memory counts as no number.
        return 0.0;
    }
}

extern "C" int CheckWord(const char* text) {
    if (text == nullptr || text[0] == '\0') {
        return 0;
    }
    const std::string_view word(text);
    if (word.find_first_not_of(' ') == std::string_view::npos) {
        return 0;  // blanks only
    }
    for (char c : word) {
        if (!kAllowed[static_cast<unsigned char>(c)]) {
            return 0;
        }
    }
    // A run of digits and points holds at most one point.
    int points = 0;
    for (char c : word) {
        if (c == '.') {
            if (++points > 1) {
                return 0;
            }
        } else if (c < '0' || c > '9') {
            points = 0;
        }
    }
    long depth = 0;
    for (char c : word) {
        depth += (c == '(') ? 1 : (c == ')') ? -1 : 0;
        if (depth < 0) {
            return 0;
        }
    }
    if (depth != 0 || IsOperator(word.front()) || IsOperator(word.back())) {
        return 0;
    }
    for (size_t i = 1; i < word.size(); ++i) {
        if ((IsOperator(word[i - 1]) && IsOperator(word[i])) || (word[i - 1] == 'H' && word[i] == 'H')) {
            return 0;
        }
    }
    // What Execute cannot value may not be stored either.
    try {
        bool percent = false;
        return FormulaTree(word, percent) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
