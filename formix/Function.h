#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace formix {

// Root of the library's numeric classes (expression nodes, vectors, matrices).
class CMathObject {
public:
    CMathObject() = default;
    CMathObject(const CMathObject&) = default;
    CMathObject& operator=(const CMathObject&) = default;
    virtual ~CMathObject() = default;
};

class CFunction;
using FunctionPtr = std::unique_ptr<CFunction>;

// A node of an expression tree: a function of one real variable x. A node owns its children;
// nodes are immutable once built and never shared between two parents.
class CFunction : public CMathObject {
public:
    CFunction() = default;
    CFunction(const CFunction&) = delete;
    CFunction& operator=(const CFunction&) = delete;

    // Plain text and LaTeX forms.
    virtual std::string GetText() const = 0;
    virtual std::string GetTeX() const = 0;
    // New tree of the derivative with respect to x.
    virtual FunctionPtr Derive() const = 0;
    // New tree of equal value; with simplify set, constant and zero sub-trees are folded.
    virtual FunctionPtr Copy(bool simplify) const = 0;
    virtual double Evaluate(double x) const = 0;
    // True when the value does not depend on x (judged on the tree's shape and stored numbers).
    virtual bool IsConstant() const { return false; }
    // True when the value is identically 0.
    virtual bool IsZero() const { return false; }
};

// A node over one sub-expression. The operations expect the child to be present; only the
// destructor copes with a null child.
//
// Each kind answers IsConstant and IsZero by its rules (ConstantRule, ZeroRule). The answers are
// worked out once, when the node is built, because the rules of several kinds ask a child both
// questions: asked afresh, the tests of a deep tree would take time exponential in its depth.
class CUnaryFunction : public CFunction {
public:
    const CFunction* Arg() const { return m_pArg.get(); }
    // symbol + "(" + text of the child + ")".
    virtual std::string GetSymbolText(const char* symbol) const;

    bool IsConstant() const override { return m_bConstant; }
    bool IsZero() const override { return m_bZero; }

protected:
    explicit CUnaryFunction(FunctionPtr arg) : m_pArg(std::move(arg)) {}
    virtual bool ConstantRule() const = 0;
    virtual bool ZeroRule() const = 0;
    // Called by the constructor of every final kind, once its own fields are set.
    void CacheTests();

    FunctionPtr m_pArg;

private:
    bool m_bConstant = false;
    bool m_bZero = false;
};

// A node over two sub-expressions; its tests are cached like those of CUnaryFunction.
class CBinaryFunction : public CFunction {
public:
    ~CBinaryFunction() override;

    const CFunction* Left() const { return m_pLeft.get(); }
    const CFunction* Right() const { return m_pRight.get(); }
    // "(" + text of the left child + ")" + symbol + "(" + text of the right child + ")".
    virtual std::string GetSymbolText(const char* symbol) const;

    bool IsConstant() const override { return m_bConstant; }
    bool IsZero() const override { return m_bZero; }

protected:
    CBinaryFunction(FunctionPtr left, FunctionPtr right)
        : m_pLeft(std::move(left)), m_pRight(std::move(right)) {}
    virtual bool ConstantRule() const = 0;
    virtual bool ZeroRule() const = 0;
    void CacheTests();

    FunctionPtr m_pLeft;
    FunctionPtr m_pRight;

private:
    bool m_bConstant = false;
    bool m_bZero = false;
};

// The parts joined into one text (the nodes' text forms are built with it).
std::string Concat(std::initializer_list<std::string_view> parts);

// A child copied by a simplifying Copy, with what the folding rules ask of it. Without
// simplify the tests are not made and only `node` is set.
struct FoldedCopy {
    FunctionPtr node;
    bool zero = false;
    bool constant = false;
    double value = 0.0;  // the value at 0.0 of a constant copy
};
FoldedCopy CopyForFolding(const CFunction& child, bool simplify);

}  // namespace formix
