#include "formix/FunctionNodes.h"

#include <array>
#include <cmath>

#include "formix/BinaryNodes.h"
#include "formix/LeafNodes.h"
#include "formix/Rounding.h"
#include "formix/UnaryNodes.h"

namespace formix {

namespace {

struct FunctionTexts {
    const char* symbol;     // plain-text name: "sin", "floor1", "log", "Asin", ...
    const char* leafTeX;    // TeX of the function of x
    const char* texPrefix;  // TeX around the argument of the composite
    const char* texSuffix;
};

#define FORMIX_TEX_CALL(name) "\\mathop{\\rm " name "}\\left(", "\\right)"
constexpr std::array<FunctionTexts, 27> kTexts{{
    {"exp", "e^x", "e^{", "}"},
    {"sin", "\\sin(x)", "\\sin\\left(", "\\right)"},
    {"cos", "\\cos(x)", "\\cos\\left(", "\\right)"},
    {"tan", "\\tan(x)", "\\tan\\left(", "\\right)"},
    {"cot", "\\cot(x)", "\\cot\\left(", "\\right)"},
    {"sinh", "\\sinh(x)", "\\sinh\\left(", "\\right)"},
    {"cosh", "\\cosh(x)", "\\cosh\\left(", "\\right)"},
    {"tanh", "\\tanh(x)", "\\tanh\\left(", "\\right)"},
    {"coth", "\\coth(x)", "\\coth\\left(", "\\right)"},
    {"abs", "\\left\\|x\\right\\|", "\\left\\|", "\\right\\|"},
    {"ceil", "\\mathop{\\rm ceil}(x)", FORMIX_TEX_CALL("ceil")},
    {"floor", "\\mathop{\\rm floor}(x)", FORMIX_TEX_CALL("floor")},
    {"floor1", "", FORMIX_TEX_CALL("floor1")},
    {"floor2", "\\mathop{\\rm floor2}(x)", FORMIX_TEX_CALL("floor2")},
    {"floor3", "\\mathop{\\rm floor3}(x)", FORMIX_TEX_CALL("floor3")},
    {"floor4", "\\mathop{\\rm floor4}(x)", FORMIX_TEX_CALL("floor4")},
    {"round1", "\\mathop{\\rm round1}(x)", FORMIX_TEX_CALL("round1")},
    {"round2", "\\mathop{\\rm round2}(x)", FORMIX_TEX_CALL("round2")},
    {"round3", "\\mathop{\\rm round3}(x)", FORMIX_TEX_CALL("round3")},
    {"round4", "\\mathop{\\rm round4}(x)", FORMIX_TEX_CALL("round4")},
    {"lg", "\\lg\\left(x\\right)", "\\lg\\left(", "\\right)"},
    {"log", "\\ln\\left(x\\right)", "\\ln\\left(", "\\right)"},
    {"sqrt", "\\sqrt\\left(x\\right)", "\\sqrt\\left(", "\\right)"},
    {"Asin", "\\arcsin(x)", "\\arcsin\\left(", "\\right)"},
    {"Acos", "\\arccos(x)", "\\arccos\\left(", "\\right)"},
    {"Atan", "\\arctan(x)", "\\arctan\\left(", "\\right)"},
    {"Gamma", "\\Gamma\\left(x\\right)", "\\Gamma\\left(", "\\right)"},
}};
#undef FORMIX_TEX_CALL

const FunctionTexts& TextsOf(FuncId id) { return kTexts[static_cast<size_t>(id)]; }

FunctionPtr Zero() { return std::make_unique<CZero>(); }

template <FuncId K>
FunctionPtr X() {
    return std::make_unique<CFunctionOfX<K>>();
}

template <FuncId K>
FunctionPtr Of(FunctionPtr arg) {
    return std::make_unique<CFunctionOf<K>>(std::move(arg));
}

FunctionPtr Mul(FunctionPtr f, FunctionPtr g) { return std::make_unique<CMul>(std::move(f), std::move(g)); }

// 1 + t·t for the derivatives of tan and cot.
FunctionPtr OnePlusProduct(FunctionPtr t1, FunctionPtr t2) {
    return std::make_unique<CAddConst>(Mul(std::move(t1), std::move(t2)), 1.0);
}

// sqrt(1 - x²) as the quadratic under a root, for asin and acos of x.
FunctionPtr RootOfOneMinusXSquared() {
    return Of<FuncId::Sqrt>(std::make_unique<CQuadratic>(1.0, 0.0, -1.0));
}

// sqrt(1 - g²) for asin and acos of g.
FunctionPtr RootOfOneMinusSquare(const CFunction& g) {
    return Of<FuncId::Sqrt>(std::make_unique<CConstSub>(1.0, std::make_unique<CSquare>(g.Copy(true))));
}

// The derivative of the leaf of the function.
FunctionPtr DeriveOfX(FuncId id) {
    switch (id) {
        case FuncId::Exp: return X<FuncId::Exp>();
        case FuncId::Sin: return X<FuncId::Cos>();
        case FuncId::Cos: return std::make_unique<CNegate>(X<FuncId::Sin>());
        case FuncId::Tan: return OnePlusProduct(X<FuncId::Tan>(), X<FuncId::Tan>());
        case FuncId::Cot: return std::make_unique<CNegate>(OnePlusProduct(X<FuncId::Cot>(), X<FuncId::Cot>()));
        case FuncId::Sinh: return X<FuncId::Cosh>();
        case FuncId::Cosh: return X<FuncId::Sinh>();
        case FuncId::Tanh: return std::make_unique<CConstDiv>(1.0, Mul(X<FuncId::Cosh>(), X<FuncId::Cosh>()));
        case FuncId::Coth: return std::make_unique<CConstDiv>(-1.0, Mul(X<FuncId::Sinh>(), X<FuncId::Sinh>()));
        case FuncId::Abs: return std::make_unique<CSignX>();
        case FuncId::Lg: return std::make_unique<CConstDiv>(1.0 / std::log(10.0), std::make_unique<CVariable>());
        case FuncId::Log: return std::make_unique<CConstDiv>(1.0, std::make_unique<CVariable>());
        case FuncId::Sqrt: return std::make_unique<CConstDiv>(0.5, X<FuncId::Sqrt>());
        case FuncId::Asin: return std::make_unique<CConstDiv>(1.0, RootOfOneMinusXSquared());
        case FuncId::Acos: return std::make_unique<CConstDiv>(-1.0, RootOfOneMinusXSquared());
        case FuncId::Atan: return std::make_unique<CConstDiv>(1.0, std::make_unique<CQuadratic>(1.0, 0.0, 1.0));
        default: return Zero();  // the step functions and gamma
    }
}

// The derivative of the composite over g, without the chain factor g′ where the rule multiplies by it.
FunctionPtr OuterDerivative(FuncId id, const CFunction& g) {
    switch (id) {
        case FuncId::Exp: return Of<FuncId::Exp>(g.Copy(true));
        case FuncId::Sin: return Of<FuncId::Cos>(g.Copy(true));
        case FuncId::Tan: return OnePlusProduct(Of<FuncId::Tan>(g.Copy(true)), Of<FuncId::Tan>(g.Copy(true)));
        case FuncId::Sinh: return Of<FuncId::Cosh>(g.Copy(true));
        case FuncId::Cosh: return Of<FuncId::Sinh>(g.Copy(true));
        case FuncId::Tanh:
            return std::make_unique<CConstDiv>(1.0, Mul(Of<FuncId::Cosh>(g.Copy(true)), Of<FuncId::Cosh>(g.Copy(true))));
        case FuncId::Coth:
            return std::make_unique<CConstDiv>(-1.0, Mul(Of<FuncId::Sinh>(g.Copy(true)), Of<FuncId::Sinh>(g.Copy(true))));
        case FuncId::Abs: return std::make_unique<CSign>(g.Copy(true));
        case FuncId::Asin: return std::make_unique<CConstDiv>(1.0, RootOfOneMinusSquare(g));
        case FuncId::Acos: return std::make_unique<CConstDiv>(-1.0, RootOfOneMinusSquare(g));
        case FuncId::Atan:
            return std::make_unique<CConstDiv>(1.0, std::make_unique<CAddConst>(std::make_unique<CSquare>(g.Copy(true)), 1.0));
        default: return nullptr;
    }
}

FunctionPtr DeriveOf(FuncId id, const CFunction& g) {
    switch (id) {
        case FuncId::Cos: return std::make_unique<CNegate>(Mul(Of<FuncId::Sin>(g.Copy(true)), g.Derive()));
        case FuncId::Cot: {
            auto outer = OnePlusProduct(Of<FuncId::Cot>(g.Copy(true)), Of<FuncId::Cot>(g.Copy(true)));
            return std::make_unique<CNegate>(Mul(std::move(outer), g.Derive()));
        }
        case FuncId::Lg:
            return std::make_unique<CDiv>(g.Derive(), std::make_unique<CMulConst>(g.Copy(true), std::log(10.0)));
        case FuncId::Log: return std::make_unique<CDiv>(g.Derive(), g.Copy(true));
        case FuncId::Sqrt:
            return std::make_unique<CDiv>(g.Derive(), std::make_unique<CMulConst>(Of<FuncId::Sqrt>(g.Copy(true)), 2.0));
        default:
            if (FunctionPtr outer = OuterDerivative(id, g)) {
                return Mul(std::move(outer), g.Derive());
            }
            return Zero();  // the step functions and gamma
    }
}

}  // namespace

double ApplyFunction(FuncId id, double t) {
    switch (id) {
        case FuncId::Exp: return std::exp(t);
        case FuncId::Sin: return std::sin(t);
        case FuncId::Cos: return std::cos(t);
        case FuncId::Tan: return std::tan(t);
        case FuncId::Cot: return std::cos(t) / std::sin(t);
        case FuncId::Sinh: return std::sinh(t);
        case FuncId::Cosh: return std::cosh(t);
        case FuncId::Tanh: return std::tanh(t);
        case FuncId::Coth: return std::cosh(t) / std::sinh(t);
        case FuncId::Abs: return std::fabs(t);
        case FuncId::Ceil: return std::ceil(t);
        case FuncId::Floor: return std::floor(t);
        case FuncId::Floor1: return Floor1(t);
        case FuncId::Floor2: return Floor2(t);
        case FuncId::Floor3: return Floor3(t);
        case FuncId::Floor4: return Floor4(t);
        case FuncId::Round1: return Round1(t);
        case FuncId::Round2: return Round2(t);
        case FuncId::Round3: return Round3(t);
        case FuncId::Round4: return Round4(t);
        case FuncId::Lg: return std::log10(t);
        case FuncId::Log: return std::log(t);
        case FuncId::Sqrt: return std::sqrt(t);
        case FuncId::Asin: return std::asin(t);
        case FuncId::Acos: return std::acos(t);
        case FuncId::Atan: return std::atan(t);
        case FuncId::Gamma: return Gamma(t);
    }
    return 0.0;
}

template <FuncId K>
std::string CFunctionOfX<K>::GetText() const {
    return Concat({TextsOf(K).symbol, "(x)"});
}

template <FuncId K>
std::string CFunctionOfX<K>::GetTeX() const {
    return TextsOf(K).leafTeX;
}

template <FuncId K>
FunctionPtr CFunctionOfX<K>::Derive() const {
    return DeriveOfX(K);
}

template <FuncId K>
FunctionPtr CFunctionOfX<K>::Copy(bool) const {
    return X<K>();
}

template <FuncId K>
std::string CFunctionOf<K>::GetText() const {
    return GetSymbolText(TextsOf(K).symbol);
}

template <FuncId K>
std::string CFunctionOf<K>::GetTeX() const {
    return Concat({TextsOf(K).texPrefix, m_pArg->GetTeX(), TextsOf(K).texSuffix});
}

template <FuncId K>
FunctionPtr CFunctionOf<K>::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return DeriveOf(K, *m_pArg);
}

template <FuncId K>
FunctionPtr CFunctionOf<K>::Copy(bool simplify) const {
    return Of<K>(m_pArg->Copy(simplify));
}

template <FuncId K>
bool CFunctionOf<K>::ConstantRule() const {
    // exp over a non-zero constant does not report itself constant.
    if constexpr (K == FuncId::Exp) {
        return m_pArg->IsZero();
    } else {
        return m_pArg->IsConstant();
    }
}

template <FuncId K>
bool CFunctionOf<K>::ZeroRule() const {
    switch (K) {
        case FuncId::Exp:
        case FuncId::Cos:
        case FuncId::Cot:
        case FuncId::Cosh:
        case FuncId::Coth:
        case FuncId::Acos:
        case FuncId::Gamma:
            return false;
        case FuncId::Lg:
        case FuncId::Log:
            return m_pArg->IsConstant() && m_pArg->Evaluate(0.0) == 1.0;
        default:
            return m_pArg->IsZero();
    }
}

#define FORMIX_INSTANTIATE_LEAF(K) template class CFunctionOfX<FuncId::K>;
#define FORMIX_INSTANTIATE_COMPOSITE(K) template class CFunctionOf<FuncId::K>;
FORMIX_LEAF_FUNCTIONS(FORMIX_INSTANTIATE_LEAF)
FORMIX_COMPOSITE_FUNCTIONS(FORMIX_INSTANTIATE_COMPOSITE)

#define FORMIX_MAKE_LEAF_CASE(K) \
    case FuncId::K: return X<FuncId::K>();
#define FORMIX_MAKE_COMPOSITE_CASE(K) \
    case FuncId::K: return Of<FuncId::K>(std::move(arg));

FunctionPtr MakeFunctionOfX(FuncId id) {
    switch (id) {
        FORMIX_LEAF_FUNCTIONS(FORMIX_MAKE_LEAF_CASE)
        default: return nullptr;
    }
}

FunctionPtr MakeFunctionOf(FuncId id, FunctionPtr arg) {
    switch (id) {
        FORMIX_COMPOSITE_FUNCTIONS(FORMIX_MAKE_COMPOSITE_CASE)
    }
    return nullptr;
}

}  // namespace formix
