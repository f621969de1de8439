#pragma once

#include "formix/Function.h"

namespace formix {

// A node over one sub-expression f and a constant c.
class CUnaryConstFunction : public CUnaryFunction {
public:
    CUnaryConstFunction(FunctionPtr arg, double c) : CUnaryFunction(std::move(arg)), m_dConst(c) {}
    double Const() const { return m_dConst; }

protected:
    double m_dConst;
};

// f + c.
class CAddConst final : public CUnaryConstFunction {
public:
    CAddConst(FunctionPtr f, double c) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pArg->Evaluate(x) + m_dConst; }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// c · f.
class CMulConst final : public CUnaryConstFunction {
public:
    CMulConst(FunctionPtr f, double c) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pArg->Evaluate(x) * m_dConst; }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// -f.
class CNegate final : public CUnaryFunction {
public:
    explicit CNegate(FunctionPtr f) : CUnaryFunction(std::move(f)) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return -m_pArg->Evaluate(x); }

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override { return m_pArg->IsZero(); }
};

// c - f.
class CConstSub final : public CUnaryConstFunction {
public:
    CConstSub(double c, FunctionPtr f) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_dConst - m_pArg->Evaluate(x); }

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override;
};

// f - c.
class CSubConst final : public CUnaryConstFunction {
public:
    CSubConst(FunctionPtr f, double c) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pArg->Evaluate(x) - m_dConst; }

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override;
};

// f².
class CSquare final : public CUnaryFunction {
public:
    explicit CSquare(FunctionPtr f) : CUnaryFunction(std::move(f)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("sqr"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override { return m_pArg->IsZero(); }
};

// c / f.
class CConstDiv final : public CUnaryConstFunction {
public:
    CConstDiv(double c, FunctionPtr f) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_dConst / m_pArg->Evaluate(x); }

private:
    bool ConstantRule() const override { return m_pArg->IsConstant() || m_dConst == 0.0; }
    bool ZeroRule() const override { return m_dConst == 0.0; }
};

// f / c.
class CDivConst final : public CUnaryConstFunction {
public:
    CDivConst(FunctionPtr f, double c) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pArg->Evaluate(x) / m_dConst; }

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override { return m_pArg->IsZero(); }
};

// c ^ f.
class CConstPow final : public CUnaryConstFunction {
public:
    CConstPow(double c, FunctionPtr f) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;

private:
    bool ConstantRule() const override { return m_pArg->IsConstant() && m_dConst == 0.0; }
    bool ZeroRule() const override { return m_dConst == 0.0; }
};

// f ^ c.
class CPowConst final : public CUnaryConstFunction {
public:
    CPowConst(FunctionPtr f, double c) : CUnaryConstFunction(std::move(f), c) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;

private:
    bool ConstantRule() const override { return m_pArg->IsConstant() || m_dConst == 0.0; }
    bool ZeroRule() const override { return m_pArg->IsZero(); }
};

// sign(f).
class CSign final : public CUnaryFunction {
public:
    explicit CSign(FunctionPtr f) : CUnaryFunction(std::move(f)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("sign"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;

private:
    bool ConstantRule() const override { return m_pArg->IsConstant(); }
    bool ZeroRule() const override { return m_pArg->IsZero(); }
};

}  // namespace formix
