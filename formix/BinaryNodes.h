#pragma once

#include "formix/Function.h"

namespace formix {

// f + g.
class CAdd final : public CBinaryFunction {
public:
    CAdd(FunctionPtr f, FunctionPtr g) : CBinaryFunction(std::move(f), std::move(g)) { CacheTests(); }
    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pLeft->Evaluate(x) + m_pRight->Evaluate(x); }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// f - g.
class CSub final : public CBinaryFunction {
public:
    CSub(FunctionPtr f, FunctionPtr g) : CBinaryFunction(std::move(f), std::move(g)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("-"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pLeft->Evaluate(x) - m_pRight->Evaluate(x); }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// f · g.
class CMul final : public CBinaryFunction {
public:
    CMul(FunctionPtr f, FunctionPtr g) : CBinaryFunction(std::move(f), std::move(g)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("*"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pLeft->Evaluate(x) * m_pRight->Evaluate(x); }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override;
};

// f / g.
class CDiv final : public CBinaryFunction {
public:
    CDiv(FunctionPtr f, FunctionPtr g) : CBinaryFunction(std::move(f), std::move(g)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("/"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return m_pLeft->Evaluate(x) / m_pRight->Evaluate(x); }

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override { return m_pLeft->IsZero(); }
};

// f ^ g.
class CPow final : public CBinaryFunction {
public:
    CPow(FunctionPtr f, FunctionPtr g) : CBinaryFunction(std::move(f), std::move(g)) { CacheTests(); }
    std::string GetText() const override { return GetSymbolText("^"); }
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;

private:
    bool ConstantRule() const override;
    bool ZeroRule() const override { return m_pLeft->IsZero(); }
};

}  // namespace formix
