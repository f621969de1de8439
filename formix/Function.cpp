#include "formix/Function.h"

namespace formix {

std::string Concat(std::initializer_list<std::string_view> parts) {
    size_t size = 0;
    for (std::string_view part : parts) {
        size += part.size();
    }
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) {
        text += part;
    }
    return text;
}

std::string CUnaryFunction::GetSymbolText(const char* symbol) const {
    return Concat({symbol, "(", m_pArg->GetText(), ")"});
}

void CUnaryFunction::CacheTests() {
    if (m_pArg) {
        m_bConstant = ConstantRule();
        m_bZero = ZeroRule();
    }
}

void CBinaryFunction::CacheTests() {
    if (m_pLeft && m_pRight) {
        m_bConstant = ConstantRule();
        m_bZero = ZeroRule();
    }
}

CBinaryFunction::~CBinaryFunction() {
    // Left child first, then right.
    m_pLeft.reset();
    m_pRight.reset();
}

std::string CBinaryFunction::GetSymbolText(const char* symbol) const {
    return Concat({"(", m_pLeft->GetText(), ")", symbol, "(", m_pRight->GetText(), ")"});
}

FoldedCopy CopyForFolding(const CFunction& child, bool simplify) {
    FoldedCopy copy;
    copy.node = child.Copy(simplify);
    if (simplify) {
        copy.zero = copy.node->IsZero();
        copy.constant = copy.node->IsConstant();
        if (copy.constant) {
            copy.value = copy.node->Evaluate(0.0);
        }
    }
    return copy;
}

}  // namespace formix
