#pragma once

#include "formix/Function.h"

namespace formix {

// The constant c.
class CConstant final : public CFunction {
public:
    explicit CConstant(double value) : m_dValue(value) {}
    double Value() const { return m_dValue; }

    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double) const override { return m_dValue; }
    bool IsConstant() const override { return true; }
    bool IsZero() const override { return m_dValue == 0.0; }

private:
    double m_dValue;
};

// Identically 0.
class CZero final : public CFunction {
public:
    std::string GetText() const override { return "0"; }
    std::string GetTeX() const override { return "0"; }
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double) const override { return 0.0; }
    bool IsConstant() const override { return true; }
    bool IsZero() const override { return true; }
};

// The variable x.
class CVariable final : public CFunction {
public:
    std::string GetText() const override { return "x"; }
    std::string GetTeX() const override { return "x"; }
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return x; }
};

// x².
class CSquareX final : public CFunction {
public:
    std::string GetText() const override { return "x^2"; }
    std::string GetTeX() const override { return "x^2"; }
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return x * x; }
};

// a·x + b; built with the constant term first.
class CLinear final : public CFunction {
public:
    CLinear(double b, double a) : m_dB(b), m_dA(a) {}
    double B() const { return m_dB; }
    double A() const { return m_dA; }

    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return x * m_dA + m_dB; }
    bool IsConstant() const override { return m_dA == 0.0; }
    bool IsZero() const override { return m_dA == 0.0 && m_dB == 0.0; }

private:
    double m_dB;
    double m_dA;
};

// a·x² + b·x + c; built with the lowest-order coefficient first.
class CQuadratic final : public CFunction {
public:
    CQuadratic(double c, double b, double a) : m_dC(c), m_dB(b), m_dA(a) {}
    double C() const { return m_dC; }
    double B() const { return m_dB; }
    double A() const { return m_dA; }

    std::string GetText() const override;
    std::string GetTeX() const override;
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override { return x * (x * m_dA + m_dB) + m_dC; }
    bool IsConstant() const override { return m_dA == 0.0 && m_dB == 0.0; }
    bool IsZero() const override { return m_dA == 0.0 && m_dB == 0.0 && m_dC == 0.0; }

private:
    double m_dC;
    double m_dB;
    double m_dA;
};

// sign(x): 1, -1 or 0.
class CSignX final : public CFunction {
public:
    std::string GetText() const override { return "sing(x)"; }
    std::string GetTeX() const override { return "\\mathop{\\rm sign}(x)"; }
    FunctionPtr Derive() const override;
    FunctionPtr Copy(bool simplify) const override;
    double Evaluate(double x) const override;
};

// 1.0 for t > 0, -1.0 for t < 0, else 0.0 (NaN included).
double SignOf(double t);

}  // namespace formix
