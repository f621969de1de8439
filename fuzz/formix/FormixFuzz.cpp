#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formix/Formix.h"
#include "formix/Parser.h"

namespace {

// Trees of short texts also go through the operations no export reaches.
constexpr size_t kTreeChecksUpTo = 256;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* formula = text.c_str();  // ends at the first NUL, as the callers' texts do
    (void)Execute(formula);
    const int valid = CheckWord(formula);
    Require(valid == 0 || valid == 1);

    if (size <= kTreeChecksUpTo) {
        formix::FunctionPtr tree = formix::ParseFormula(formula, "X");
        Require(tree != nullptr);
        const double value = tree->Evaluate(1.5);
        // A plain copy is node for node: the same text and the same value.
        formix::FunctionPtr copy = tree->Copy(false);
        Require(copy->GetText() == tree->GetText());
        const double copied = copy->Evaluate(1.5);
        Require(copied == value || (std::isnan(copied) && std::isnan(value)));
        (void)tree->GetTeX();
        (void)tree->Copy(true)->Evaluate(0.5);
        (void)tree->Derive()->Evaluate(0.5);
    }
    return 0;
}
