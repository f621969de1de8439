#include "formix/LeafNodes.h"

#include "formix/NumberString.h"

namespace formix {

double SignOf(double t) {
    if (t > 0.0) {
        return 1.0;
    }
    return t < 0.0 ? -1.0 : 0.0;
}

std::string CConstant::GetText() const { return NumText(m_dValue); }
std::string CConstant::GetTeX() const { return NumText(m_dValue); }
FunctionPtr CConstant::Derive() const { return std::make_unique<CZero>(); }
FunctionPtr CConstant::Copy(bool simplify) const {
    if (simplify && m_dValue == 0.0) {
        return std::make_unique<CZero>();
    }
    return std::make_unique<CConstant>(m_dValue);
}

FunctionPtr CZero::Derive() const { return std::make_unique<CZero>(); }
FunctionPtr CZero::Copy(bool) const { return std::make_unique<CZero>(); }

FunctionPtr CVariable::Derive() const { return std::make_unique<CConstant>(1.0); }
FunctionPtr CVariable::Copy(bool) const { return std::make_unique<CVariable>(); }

FunctionPtr CSquareX::Derive() const { return std::make_unique<CLinear>(0.0, 2.0); }
FunctionPtr CSquareX::Copy(bool) const { return std::make_unique<CSquareX>(); }

std::string CLinear::GetText() const { return Concat({NumText(m_dA), "*x+", NumText(m_dB)}); }
std::string CLinear::GetTeX() const { return Concat({NumText(m_dA), "x+", NumText(m_dB)}); }
FunctionPtr CLinear::Derive() const {
    if (IsConstant()) {
        return std::make_unique<CZero>();
    }
    return std::make_unique<CConstant>(m_dA);
}
FunctionPtr CLinear::Copy(bool simplify) const {
    if (simplify) {
        if (m_dA == 0.0 && m_dB == 0.0) {
            return std::make_unique<CZero>();
        }
        if (m_dA == 0.0) {
            return std::make_unique<CConstant>(m_dB);
        }
    }
    return std::make_unique<CLinear>(m_dB, m_dA);
}

std::string CQuadratic::GetText() const {
    return Concat({NumText(m_dA), "*x^2+", NumText(m_dB), "*x+", NumText(m_dC)});
}
std::string CQuadratic::GetTeX() const {
    return Concat({NumText(m_dA), "x^2+", NumText(m_dB), "x+", NumText(m_dC)});
}
FunctionPtr CQuadratic::Derive() const {
    if (IsConstant()) {
        return std::make_unique<CZero>();
    }
    return std::make_unique<CLinear>(m_dB, 2.0 * m_dA);
}
FunctionPtr CQuadratic::Copy(bool simplify) const {
    if (simplify) {
        if (m_dA == 0.0 && m_dB == 0.0 && m_dC == 0.0) {
            return std::make_unique<CZero>();
        }
        if (m_dA == 0.0 && m_dB == 0.0) {
            return std::make_unique<CConstant>(m_dC);
        }
        if (m_dA == 0.0) {
            return std::make_unique<CLinear>(m_dC, m_dB);
        }
    }
    return std::make_unique<CQuadratic>(m_dC, m_dB, m_dA);
}

double CSignX::Evaluate(double x) const { return SignOf(x); }
FunctionPtr CSignX::Derive() const { return std::make_unique<CZero>(); }
FunctionPtr CSignX::Copy(bool) const { return std::make_unique<CSignX>(); }

}  // namespace formix
