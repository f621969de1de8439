#pragma once

#include "formix/Function.h"

namespace formix {

// The formula functions, in the order of the parser's name table.
enum class FuncId {
    Exp, Sin, Cos, Tan, Cot, Sinh, Cosh, Tanh, Coth, Abs, Ceil, Floor,
    Floor1, Floor2, Floor3, Floor4, Round1, Round2, Round3, Round4,
    Lg, Log, Sqrt, Asin, Acos, Atan, Gamma,
};

// The value of the function at t.
double ApplyFunction(FuncId id, double t);

// The function of the bare variable x (a leaf). FL1 has no leaf kind.
template <FuncId K>
class CFunctionOfX final : public CFunction {
    static_assert(K != FuncId::Floor1, "FL1 of the variable is a CFloor1 over CVariable");

public:
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return ApplyFunction(K, x); }

private:

};

// The function of a sub-expression.
template <FuncId K>
class CFunctionOf final : public CUnaryFunction {
public:
    explicit CFunctionOf(FunctionPtr arg) : CUnaryFunction(std::move(arg)) { CacheTests(); }

    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return ApplyFunction(K, m_pArg->Evaluate(x)); }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// Every function has a composite kind; all but FL1 have a leaf kind.
#define FORMIX_LEAF_FUNCTIONS(M)                                                                 \
    M(Exp) M(Sin) M(Cos) M(Tan) M(Cot) M(Sinh) M(Cosh) M(Tanh) M(Coth) M(Abs) M(Ceil) M(Floor) \
    M(Floor2) M(Floor3) M(Floor4) M(Round1) M(Round2) M(Round3) M(Round4) M(Lg) M(Log) M(Sqrt)  \
    M(Asin) M(Acos) M(Atan) M(Gamma)
#define FORMIX_COMPOSITE_FUNCTIONS(M) FORMIX_LEAF_FUNCTIONS(M) M(Floor1)

// The members are defined, and every kind instantiated, in FunctionNodes.cpp.
#define FORMIX_EXTERN_LEAF(K) extern template class CFunctionOfX<FuncId::K>;
#define FORMIX_EXTERN_COMPOSITE(K) extern template class CFunctionOf<FuncId::K>;
FORMIX_LEAF_FUNCTIONS(FORMIX_EXTERN_LEAF)
FORMIX_COMPOSITE_FUNCTIONS(FORMIX_EXTERN_COMPOSITE)
#undef FORMIX_EXTERN_LEAF
#undef FORMIX_EXTERN_COMPOSITE

using CExpX = CFunctionOfX<FuncId::Exp>;
using CSinX = CFunctionOfX<FuncId::Sin>;
using CCosX = CFunctionOfX<FuncId::Cos>;
using CTanX = CFunctionOfX<FuncId::Tan>;
using CCotX = CFunctionOfX<FuncId::Cot>;
using CSinhX = CFunctionOfX<FuncId::Sinh>;
using CCoshX = CFunctionOfX<FuncId::Cosh>;
using CTanhX = CFunctionOfX<FuncId::Tanh>;
using CCothX = CFunctionOfX<FuncId::Coth>;
using CAbsX = CFunctionOfX<FuncId::Abs>;
using CCeilX = CFunctionOfX<FuncId::Ceil>;
using CFloorX = CFunctionOfX<FuncId::Floor>;
using CFloor2X = CFunctionOfX<FuncId::Floor2>;
using CFloor3X = CFunctionOfX<FuncId::Floor3>;
using CFloor4X = CFunctionOfX<FuncId::Floor4>;
using CRound1X = CFunctionOfX<FuncId::Round1>;
using CRound2X = CFunctionOfX<FuncId::Round2>;
using CRound3X = CFunctionOfX<FuncId::Round3>;
using CRound4X = CFunctionOfX<FuncId::Round4>;
using CLgX = CFunctionOfX<FuncId::Lg>;
using CLogX = CFunctionOfX<FuncId::Log>;
using CSqrtX = CFunctionOfX<FuncId::Sqrt>;
using CAsinX = CFunctionOfX<FuncId::Asin>;
using CAcosX = CFunctionOfX<FuncId::Acos>;
using CAtanX = CFunctionOfX<FuncId::Atan>;
using CGammaX = CFunctionOfX<FuncId::Gamma>;

using CExp = CFunctionOf<FuncId::Exp>;
using CSin = CFunctionOf<FuncId::Sin>;
using CCos = CFunctionOf<FuncId::Cos>;
using CTan = CFunctionOf<FuncId::Tan>;
using CCot = CFunctionOf<FuncId::Cot>;
using CSinh = CFunctionOf<FuncId::Sinh>;
using CCosh = CFunctionOf<FuncId::Cosh>;
using CTanh = CFunctionOf<FuncId::Tanh>;
using CCoth = CFunctionOf<FuncId::Coth>;
using CAbs = CFunctionOf<FuncId::Abs>;
using CCeil = CFunctionOf<FuncId::Ceil>;
using CFloor = CFunctionOf<FuncId::Floor>;
using CFloor1 = CFunctionOf<FuncId::Floor1>;
using CFloor2 = CFunctionOf<FuncId::Floor2>;
using CFloor3 = CFunctionOf<FuncId::Floor3>;
using CFloor4 = CFunctionOf<FuncId::Floor4>;
using CRound1 = CFunctionOf<FuncId::Round1>;
using CRound2 = CFunctionOf<FuncId::Round2>;
using CRound3 = CFunctionOf<FuncId::Round3>;
using CRound4 = CFunctionOf<FuncId::Round4>;
using CLg = CFunctionOf<FuncId::Lg>;
using CLog = CFunctionOf<FuncId::Log>;
using CSqrt = CFunctionOf<FuncId::Sqrt>;
using CAsin = CFunctionOf<FuncId::Asin>;
using CAcos = CFunctionOf<FuncId::Acos>;
using CAtan = CFunctionOf<FuncId::Atan>;
using CGamma = CFunctionOf<FuncId::Gamma>;

// New leaf of the function (null for FL1, which has none) and new composite over arg.
FunctionPtr MakeFunctionOfX(FuncId id);
FunctionPtr MakeFunctionOf(FuncId id, FunctionPtr arg);

}  // namespace formix
