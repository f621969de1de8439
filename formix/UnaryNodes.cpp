#include "formix/UnaryNodes.h"

#include <cmath>

#include "formix/BinaryNodes.h"
#include "formix/FunctionNodes.h"
#include "formix/LeafNodes.h"
#include "formix/NumberString.h"

namespace formix {

namespace {

FunctionPtr Zero() { return std::make_unique<CZero>(); }
FunctionPtr Constant(double value) { return std::make_unique<CConstant>(value); }

}  // namespace

// f + c

std::string CAddConst::GetText() const { return Concat({m_pArg->GetText(), "+", NumText(m_dConst)}); }
std::string CAddConst::GetTeX() const { return Concat({m_pArg->GetTeX(), "+", NumText(m_dConst)}); }
bool CAddConst::ConstantRule() const { return m_pArg->IsConstant(); }
bool CAddConst::ZeroRule() const {
    return m_pArg->IsConstant() && m_pArg->Evaluate(0.0) == -m_dConst;
}
FunctionPtr CAddConst::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return m_pArg->Derive();
}
FunctionPtr CAddConst::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.zero) {
        return Constant(m_dConst);
    }
    if (s.constant) {
        return Constant(s.value + m_dConst);
    }
    return std::make_unique<CAddConst>(std::move(s.node), m_dConst);
}

// c · f

std::string CMulConst::GetText() const { return Concat({NumText(m_dConst), "*(", m_pArg->GetText(), ")"}); }
std::string CMulConst::GetTeX() const {
    return Concat({NumText(m_dConst), "\\left(", m_pArg->GetTeX(), "\\right)"});
}
bool CMulConst::ConstantRule() const { return m_pArg->IsConstant() || m_dConst == 0.0; }
bool CMulConst::ZeroRule() const { return m_pArg->IsZero() || m_dConst == 0.0; }
FunctionPtr CMulConst::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CMulConst>(m_pArg->Derive(), m_dConst);
}
FunctionPtr CMulConst::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.zero) {
        return Zero();
    }
    if (s.constant) {
        return Constant(s.value * m_dConst);
    }
    return std::make_unique<CMulConst>(std::move(s.node), m_dConst);
}

// -f

std::string CNegate::GetText() const { return Concat({"-", m_pArg->GetText()}); }
std::string CNegate::GetTeX() const { return Concat({"-", m_pArg->GetTeX()}); }
FunctionPtr CNegate::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CNegate>(m_pArg->Derive());
}
FunctionPtr CNegate::Copy(bool simplify) const {
    return std::make_unique<CNegate>(m_pArg->Copy(simplify));
}

// c - f

std::string CConstSub::GetText() const { return Concat({NumText(m_dConst), "-", m_pArg->GetText()}); }
std::string CConstSub::GetTeX() const { return Concat({NumText(m_dConst), "-", m_pArg->GetTeX()}); }
bool CConstSub::ZeroRule() const { return m_pArg->IsConstant() && m_pArg->Evaluate(0.0) == m_dConst; }
FunctionPtr CConstSub::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CNegate>(m_pArg->Derive());
}
FunctionPtr CConstSub::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.zero) {
        return Constant(m_dConst);
    }
    if (s.constant) {
        return Constant(m_dConst - s.value);
    }
    return std::make_unique<CConstSub>(m_dConst, std::move(s.node));
}

// f - c

std::string CSubConst::GetText() const { return Concat({m_pArg->GetText(), "-", NumText(m_dConst)}); }
std::string CSubConst::GetTeX() const { return Concat({m_pArg->GetTeX(), "-", NumText(m_dConst)}); }
bool CSubConst::ZeroRule() const { return m_pArg->IsConstant() && m_pArg->Evaluate(0.0) == m_dConst; }
FunctionPtr CSubConst::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return m_pArg->Derive();
}
FunctionPtr CSubConst::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.zero) {
        return Constant(-m_dConst);
    }
    if (s.constant) {
        return Constant(s.value - m_dConst);
    }
    return std::make_unique<CSubConst>(std::move(s.node), m_dConst);
}

// f²

std::string CSquare::GetTeX() const { return Concat({"\\sqr\\left(", m_pArg->GetTeX(), "\\right)"}); }
double CSquare::Evaluate(double x) const {
    const double t = m_pArg->Evaluate(x);
    return t * t;
}
FunctionPtr CSquare::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CMulConst>(std::make_unique<CMul>(m_pArg->Copy(true), m_pArg->Derive()), 2.0);
}
FunctionPtr CSquare::Copy(bool simplify) const {
    return std::make_unique<CSquare>(m_pArg->Copy(simplify));
}

// c / f

std::string CConstDiv::GetText() const { return Concat({NumText(m_dConst), "/(", m_pArg->GetText(), ")"}); }
std::string CConstDiv::GetTeX() const {
    return Concat({"\\frac{", NumText(m_dConst), "}{", m_pArg->GetTeX(), "}"});
}
FunctionPtr CConstDiv::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    // -c·f′ / f²
    auto numerator = std::make_unique<CMulConst>(m_pArg->Derive(), m_dConst);
    auto denominator = std::make_unique<CMul>(m_pArg->Copy(true), m_pArg->Copy(true));
    return std::make_unique<CNegate>(std::make_unique<CDiv>(std::move(numerator), std::move(denominator)));
}
FunctionPtr CConstDiv::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.constant) {
        return Constant(m_dConst / s.value);
    }
    return std::make_unique<CConstDiv>(m_dConst, std::move(s.node));
}

// f / c

std::string CDivConst::GetText() const { return Concat({"(", m_pArg->GetText(), ")/", NumText(m_dConst)}); }
std::string CDivConst::GetTeX() const {
    return Concat({"\\frac{", m_pArg->GetTeX(), "}{", NumText(m_dConst), "}"});
}
FunctionPtr CDivConst::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    return std::make_unique<CDivConst>(m_pArg->Derive(), m_dConst);
}
FunctionPtr CDivConst::Copy(bool simplify) const {
    FoldedCopy s = CopyForFolding(*m_pArg, simplify);
    if (s.zero) {
        return Zero();
    }
    if (s.constant) {
        return Constant(s.value / m_dConst);
    }
    return std::make_unique<CDivConst>(std::move(s.node), m_dConst);
}

// c ^ f

std::string CConstPow::GetText() const { return Concat({NumText(m_dConst), "^(", m_pArg->GetText(), ")"}); }
// The exponent is written as plain text.
std::string CConstPow::GetTeX() const { return Concat({NumText(m_dConst), "^{", m_pArg->GetText(), "}"}); }
double CConstPow::Evaluate(double x) const { return std::pow(m_dConst, m_pArg->Evaluate(x)); }
FunctionPtr CConstPow::Derive() const {
    if (IsConstant()) {
        return Zero();
    }
    // c^f · f′ · ln c
    auto inner = std::make_unique<CMulConst>(m_pArg->Derive(), std::log(m_dConst));
    return std::make_unique<CMul>(Copy(true), std::move(inner));
}
FunctionPtr CConstPow::Copy(bool simplify) const {
    return std::make_unique<CConstPow>(m_dConst, m_pArg->Copy(simplify));
}

// f ^ c

std::string CPowConst::GetText() const { return Concat({m_pArg->GetText(), "^", NumText(m_dConst)}); }
std::string CPowConst::GetTeX() const { return GetText(); }
double CPowConst::Evaluate(double x) const { return std::pow(m_pArg->Evaluate(x), m_dConst); }
FunctionPtr CPowConst::Derive() const {
    if (IsConstant() || m_dConst == 0.0) {
        return Zero();
    }
    if (m_dConst == 1.0) {
        return m_pArg->Derive();
    }
    // c · f^(c-1) · f′
    auto power = std::make_unique<CPowConst>(m_pArg->Copy(true), m_dConst - 1.0);
    return std::make_unique<CMulConst>(std::make_unique<CMul>(std::move(power), m_pArg->Derive()),
                                       m_dConst);
}
FunctionPtr CPowConst::Copy(bool simplify) const {
    return std::make_unique<CPowConst>(m_pArg->Copy(simplify), m_dConst);
}

// sign(f)

std::string CSign::GetTeX() const {
    return Concat({"\\mathop{\\rm sign}\\left(", m_pArg->GetTeX(), "\\right)"});
}
double CSign::Evaluate(double x) const { return SignOf(m_pArg->Evaluate(x)); }
FunctionPtr CSign::Derive() const { return Zero(); }
FunctionPtr CSign::Copy(bool simplify) const { return std::make_unique<CSign>(m_pArg->Copy(simplify)); }

}  // namespace formix
