#include "formix/BinaryNodes.h"

#include <cmath>

#include "formix/FunctionNodes.h"
#include "formix/LeafNodes.h"
#include "formix/UnaryNodes.h"

namespace formix {

namespace {

FunctionPtr Zero() { return std::make_unique<CZero>(); }
FunctionPtr Constant(double value) { return std::make_unique<CConstant>(value); }

bool BothConstant(const CFunction& f, const CFunction& g) { return f.IsConstant() && g.IsConstant(); }

}  // namespace

// f + g

std::string CAdd::GetText() const { return Concat({m_pLeft->GetText(), "+", m_pRight->GetText()}); }
std::string CAdd::GetTeX() const { return Concat({m_pLeft->GetTeX(), "+", m_pRight->GetTeX()}); }
bool CAdd::ConstantRule() const { return BothConstant(*m_pLeft, *m_pRight); }
bool CAdd::ZeroRule() const {
    return (m_pLeft->IsZero() && m_pRight->IsZero()) ||
           (BothConstant(*m_pLeft, *m_pRight) && m_pLeft->Evaluate(0.0) == -m_pRight->Evaluate(0.0));
}
FunctionPtr CAdd::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CAdd>(m_pLeft->Derive(), m_pRight->Derive());
}
FunctionPtr CAdd::Copy(bool simplify) const {
    FoldedCopy l = CopyForFolding(*m_pLeft, simplify);
    FoldedCopy r = CopyForFolding(*m_pRight, simplify);
    if (l.zero && r.zero) {
        return Zero();
    }
    if (l.constant && r.constant) {
        return Constant(l.value + r.value);
    }
    if (l.constant) {
        return std::make_unique<CAddConst>(std::move(r.node), l.value);
    }
    if (r.constant) {
        return std::make_unique<CAddConst>(std::move(l.node), r.value);
    }
    return std::make_unique<CAdd>(std::move(l.node), std::move(r.node));
}

// f - g

std::string CSub::GetTeX() const { return Concat({m_pLeft->GetTeX(), "-", m_pRight->GetTeX()}); }
bool CSub::ConstantRule() const { return BothConstant(*m_pLeft, *m_pRight); }
bool CSub::ZeroRule() const {
    return (m_pLeft->IsZero() && m_pRight->IsZero()) ||
           (BothConstant(*m_pLeft, *m_pRight) && m_pLeft->Evaluate(0.0) == m_pRight->Evaluate(0.0));
}
FunctionPtr CSub::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CSub>(m_pLeft->Derive(), m_pRight->Derive());
}
FunctionPtr CSub::Copy(bool simplify) const {
    FoldedCopy l = CopyForFolding(*m_pLeft, simplify);
    FoldedCopy r = CopyForFolding(*m_pRight, simplify);
    if (l.zero && r.zero) {
        return Zero();
    }
    if (l.constant && r.constant) {
        return Constant(l.value - r.value);
    }
    if (l.constant) {
        return std::make_unique<CConstSub>(l.value, std::move(r.node));
    }
    if (r.constant) {
        return std::make_unique<CSubConst>(std::move(l.node), r.value);
    }
    return std::make_unique<CSub>(std::move(l.node), std::move(r.node));
}

// f · g

std::string CMul::GetTeX() const {
    return Concat({"\\left(", m_pLeft->GetTeX(), "\\right)\\left(", m_pRight->GetTeX(), "\\right)"});
}
bool CMul::ConstantRule() const {
    return BothConstant(*m_pLeft, *m_pRight) || m_pLeft->IsZero() || m_pRight->IsZero();
}
bool CMul::ZeroRule() const { return m_pLeft->IsZero() || m_pRight->IsZero(); }
FunctionPtr CMul::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    // f·g′ + f′·g
    auto first = std::make_unique<CMul>(m_pLeft->Copy(true), m_pRight->Derive());
    auto second = std::make_unique<CMul>(m_pLeft->Derive(), m_pRight->Copy(true));
    return std::make_unique<CAdd>(std::move(first), std::move(second));
}
FunctionPtr CMul::Copy(bool simplify) const {
    FoldedCopy l = CopyForFolding(*m_pLeft, simplify);
    FoldedCopy r = CopyForFolding(*m_pRight, simplify);
    if (l.zero || r.zero) {
        return Zero();
    }
    if (l.constant && r.constant) {
        return Constant(l.value * r.value);
    }
    if (l.constant) {
        return std::make_unique<CMulConst>(std::move(r.node), l.value);
    }
    if (r.constant) {
        return std::make_unique<CMulConst>(std::move(l.node), r.value);
    }
    return std::make_unique<CMul>(std::move(l.node), std::move(r.node));
}

// f / g

std::string CDiv::GetTeX() const {
    return Concat({"\\frac{", m_pLeft->GetTeX(), "}{", m_pRight->GetTeX(), "}"});
}
bool CDiv::ConstantRule() const { return BothConstant(*m_pLeft, *m_pRight) || m_pLeft->IsZero(); }
FunctionPtr CDiv::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    // (f′·g - f·g′) / g²
    auto first = std::make_unique<CMul>(m_pLeft->Derive(), m_pRight->Copy(true));
    auto second = std::make_unique<CMul>(m_pLeft->Copy(true), m_pRight->Derive());
    auto numerator = std::make_unique<CSub>(std::move(first), std::move(second));
    auto denominator = std::make_unique<CMul>(m_pRight->Copy(true), m_pRight->Copy(true));
    return std::make_unique<CDiv>(std::move(numerator), std::move(denominator));
}
FunctionPtr CDiv::Copy(bool simplify) const {
    FoldedCopy l = CopyForFolding(*m_pLeft, simplify);
    FoldedCopy r = CopyForFolding(*m_pRight, simplify);
    if (l.zero) {
        return Zero();
    }
    if (l.constant && r.constant) {
        return Constant(l.value / r.value);
    }
    if (l.constant) {
        return std::make_unique<CConstDiv>(l.value, std::move(r.node));
    }
    if (r.constant) {
        return std::make_unique<CDivConst>(std::move(l.node), r.value);
    }
    return std::make_unique<CDiv>(std::move(l.node), std::move(r.node));
}

// f ^ g

std::string CPow::GetTeX() const { return Concat({"{", m_pLeft->GetTeX(), "}^{", m_pRight->GetTeX(), "}"}); }
double CPow::Evaluate(double x) const { return std::pow(m_pLeft->Evaluate(x), m_pRight->Evaluate(x)); }
bool CPow::ConstantRule() const {
    return m_pLeft->IsZero() || m_pRight->IsZero() || BothConstant(*m_pLeft, *m_pRight);
}
FunctionPtr CPow::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    // f^g · (g′·ln f + f′·g / f)
    auto logTerm = std::make_unique<CMul>(m_pRight->Derive(), std::make_unique<CLog>(m_pLeft->Copy(true)));
    auto ratio = std::make_unique<CDiv>(std::make_unique<CMul>(m_pLeft->Derive(), m_pRight->Copy(true)),
                                        m_pLeft->Copy(true));
    return std::make_unique<CMul>(Copy(true), std::make_unique<CAdd>(std::move(logTerm), std::move(ratio)));
}
FunctionPtr CPow::Copy(bool simplify) const {
    FoldedCopy l = CopyForFolding(*m_pLeft, simplify);
    FoldedCopy r = CopyForFolding(*m_pRight, simplify);
    if (l.constant && r.constant) {
        return Constant(std::pow(l.value, r.value));
    }
    if (l.constant) {
        return std::make_unique<CConstPow>(l.value, std::move(r.node));
    }
    if (r.constant) {
        return std::make_unique<CPowConst>(std::move(l.node), r.value);
    }
    return std::make_unique<CPow>(std::move(l.node), std::move(r.node));
}

}  // namespace formix
