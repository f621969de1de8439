#include "formix/NumericFormula.h"

#include <cctype>
#include <charconv>
#include <new>

#include "formix/Parser.h"

namespace formix {

FunctionPtr ParseFormulaTree(std::string_view formula, std::string_view variable) {
    if (variable.empty()) {
        return nullptr;
    }
    try {
        return ParseFormula(formula, variable);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

double ElementTextValue(const std::string& text) {
    std::string formula;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            formula.push_back(c);
        }
    }
    if (formula.empty()) {
        return 0.0;
    }
    // A plain number is taken whole: the formula reader would split "1E+20" at its sign, and the
    // list exchange writes large and small values in that form.
    double number = 0.0;
    const char* first = formula.data() + (formula[0] == '+' ? 1 : 0);
    const char* last = formula.data() + formula.size();
    auto [end, error] = std::from_chars(first, last, number);
    if (error == std::errc() && end == last && first != last) {
        return number;
    }
    FunctionPtr tree = ParseFormulaTree(formula, "X");
    return tree ? tree->Evaluate(0.0) : 0.0;
}

void SplitElementTexts(const std::string& content, std::string_view separators, CTextList& list) {
    bool blank = true;
    for (char c : content) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            blank = false;
            break;
        }
    }
    if (blank) {
        return;
    }
    size_t start = 0;
    for (;;) {
        size_t end = content.find_first_of(separators, start);
        std::string piece = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        auto* text = new CNumberString(std::move(piece));
        if (!list.Add(text)) {
            delete text;
            throw std::bad_alloc();
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
}

}  // namespace formix
