#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "formix/FormixArchive.h"
#include "formix/Function.h"

namespace formix {

class CMatrix;
class CFloatVektor;
struct CListTable;

// A named vector of doubles that stands either as a column (orientation 1) or as a row (2).
// Indices are 1-based. A vector made by SubVektor, or over caller storage, is a view: it shares the
// storage of another vector and never frees, reallocates or resizes it (views keep the storage they
// show alive, so a view stays valid when its source is resized or destroyed).
//
// Access outside the vector is never carried out on the storage: the forms that show a message tell
// the calling thread's message handler (NumericDiagnostics.h), reads give 0.0 and writes go to a
// scratch element that the vector does not use.
class CVektor : public CMathObject {
public:
    static constexpr int kColumn = 1;
    static constexpr int kRow = 2;

    CVektor();
    // n zeros (n < 1: no storage), a row when `row`, else a column.
    explicit CVektor(int n, const char* name = "", bool row = false);
    explicit CVektor(double a);
    CVektor(double a, double b);
    CVektor(double a, double b, double c);
    CVektor(double a, double b, double c, double d);
    // A column of these values.
    explicit CVektor(const std::vector<double>& values);
    // The floats widened; a column.
    explicit CVektor(const CFloatVektor& f);
    // A copy of a view is a view of the same storage; otherwise the elements are copied.
    CVektor(const CVektor& v);
    // One row gives a row vector, one column a column vector, a 1×1 matrix a column of one element;
    // any other shape gives an empty column (with a message).
    explicit CVektor(const CMatrix& m);
    // With `view`, the vector shows n doubles at p, which the caller keeps alive; otherwise n zeros.
    CVektor(int n, bool view, bool row, double* p);
    // A row: a, then v's elements.
    CVektor(double a, const CVektor& v);
    CVektor(double a, const CFloatVektor& f);
    ~CVektor() override;

    // Element t. Out of range a message is shown; t beyond the end then grows the vector (not a view)
    // to t elements. An index below 1, or one a view would have to grow for, reaches the scratch
    // element. With the constant flag set, element 1 stands for every index.
    double& operator()(int t);
    double& At(int t) { return (*this)(t); }
    // Element t; 0.0 after a message out of range.
    double operator()(int t) const;
    double At(int t) const { return (*this)(t); }
    // As the const operator(), with the captions the arithmetic uses.
    double Get(int t) const;
    // Element t, 0.0 out of range; no message.
    double Element(int t) const;
    // Address of element t; the scratch element out of range (element 1 with the constant flag set).
    double* ElementPtr(int t);
    // Writes element t; out of range the write is refused with a message.
    void Set(int t, double x);

    int Dim() const { return m_nDim; }
    int Orientation() const { return m_nOrient; }
    bool IsRow() const { return m_nOrient == kRow; }
    bool IsColumn() const { return m_nOrient == kColumn; }
    bool IsView() const { return m_bView != 0; }
    bool IsConst() const { return m_bConst != 0; }
    int MaxIndex() const { return m_nMaxIndex; }
    const std::string& Name() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }
    // The elements, m_nDim of them (null when empty).
    double* Data() { return m_pData; }
    const double* Data() const { return m_pData; }

    // n zeros in new storage unless n is the dimension already or the vector is a view.
    void SetDim(int n);
    // As SetDim, keeping the leading elements.
    void Resize(int n);
    void Zero();
    void Ones();
    void Unit(int k);
    void SetRow(bool row);
    void Transpose();
    // A view of elements from..to; bounds outside the vector give an empty view and a message.
    CVektor SubVektor(int from, int to);
    // A copy of elements from..to named "(unbenannt)"; bounds outside give an empty vector.
    CVektor Slice(int from, int to) const;
    CVektor Transposed() const;
    void Random();

    CVektor& operator=(const CVektor& v);
    CVektor& operator=(double x);
    CVektor& operator=(const CMatrix& m);

    // The other vector must have at least this vector's dimension; a shorter one is refused with a
    // message and nothing changes.
    CVektor& operator+=(const CVektor& v);
    CVektor& operator-=(const CVektor& v);
    CVektor& operator*=(double x);
    CVektor& operator/=(double x);

    double Norm(int p) const;
    double SquareSum() const;

    void Sin();
    void Cos();
    void Tan();
    void Cot();
    void Abs();
    // Replaces each element x by the formula's value at x. False (nothing changed) when the formula
    // cannot be read.
    bool Apply(const char* formula, const char* variable);
    CMatrix DiagMatrix() const;

    // Archive form: name, dimension, orientation, view flag (16-bit), the doubles. A loaded vector
    // owns its storage. A short or malformed archive throws CArchiveException and leaves the vector
    // as it was.
    virtual void Serialize(CArchive& ar);
    // Raw binary record; a failed or short read sets the stream's failbit and changes nothing.
    virtual void WriteBinary(std::ostream& os) const;
    virtual void ReadBinary(std::istream& is);

    // Replaces the contents (for the stream readers): the elements become `values`. False, with
    // nothing changed, on a view of another dimension or when storage cannot be had.
    bool Assign(const std::vector<double>& values);

private:
    void Allocate(int n);
    void Release();
    double& Scratch() const;
    void ReportRange(int t, const char* caption) const;
    bool Refuse(const char* what) const;
    // this += factor · v (factor ±1, exact), refused for a shorter v.
    CVektor& AddScaled(const CVektor& v, double factor, const char* what);

    std::shared_ptr<double[]> m_pKeep;  // the storage this vector owns or shows; null over caller storage
    double* m_pData = nullptr;
    int m_nOrient = kColumn;
    int m_nDim = 0;
    short m_bView = 0;
    std::string m_strName;
    short m_bConst = 0;
    int m_nMaxIndex = 0;
    mutable double m_dScratch = 0.0;
};

bool operator==(const CVektor& a, const CVektor& b);
bool operator!=(const CVektor& a, const CVektor& b);

// Results take the first vector's dimension and orientation; the second is read through Get.
CVektor operator+(const CVektor& a, const CVektor& b);
CVektor operator-(const CVektor& a, const CVektor& b);
CVektor operator*(double x, const CVektor& v);
CVektor operator*(const CVektor& v, double x);
CVektor operator/(const CVektor& a, const CVektor& b);
CVektor operator/(const CVektor& v, double x);

double Norm(const CVektor& v, int p);
double Distance(const CVektor& a, const CVektor& b, int p);
double SquareSum(const CVektor& v);
double SquareDistance(const CVektor& a, const CVektor& b);
double Dot(const CVektor& a, const CVektor& b);
CVektor Cross(const CVektor& a, const CVektor& b);
double Spat(const CVektor& a, const CVektor& b, const CVektor& c);

CVektor sin(const CVektor& v);
CVektor cos(const CVektor& v);
CVektor tan(const CVektor& v);
CVektor cot(const CVektor& v);
CVektor abs(const CVektor& v);
// The formula's value at each element; an empty vector when the formula cannot be read.
CVektor Apply(const CVektor& v, const char* formula, const char* variable);

CVektor ZeroVektor(int n);
CVektor UnitVektor(int n, int k);
CVektor OnesVektor(int n);
CMatrix Diag(const CVektor& v);

CVektor operator*(const CMatrix& m, const CVektor& v);
CVektor operator*(const CVektor& v, const CMatrix& m);
CVektor MulAdd(const CMatrix& m, const CVektor& v, const CVektor& w);
CMatrix Product(const CVektor& a, const CVektor& b);

// Text form: dimension, orientation, then the elements in scientific notation with 18 digits. A
// stream that fails while writing throws std::ios_base::failure.
std::ostream& operator<<(std::ostream& os, const CVektor& v);
// Reads the text form; on bad or short input the stream fails and the vector is unchanged.
std::istream& operator>>(std::istream& is, CVektor& v);
// Reads "[e1, e2; e3 ...]": the elements are separated by ',' or ';' and each is a formula in X
// valued at 0. Without a closing bracket the stream fails and the vector is unchanged.
std::istream& ReadBracketed(std::istream& is, CVektor& v);
// Exchange with a list table (see ListTable.h).
void DDX_Vektor(bool saveAndValidate, CListTable& table, CVektor& v, const char* title, bool horizontal);

// A plain vector of floats (1-based Get and Set).
class CFloatVektor : public CMathObject {
public:
    explicit CFloatVektor(int n = 0);
    explicit CFloatVektor(const CVektor& v);
    CFloatVektor(const CFloatVektor& f) = default;
    CFloatVektor(double a, const CVektor& v);
    CFloatVektor(double a, const CFloatVektor& f);

    CFloatVektor& operator=(const CFloatVektor& f) = default;

    void SetDim(int n);
    void Zero();
    int Count() const { return static_cast<int>(m_pData.size()); }
    // 0.0 out of range.
    float Get(int t) const;
    // Refused out of range.
    void Set(int t, float x);
    const float* Data() const { return m_pData.data(); }

    // Count and the floats; a short archive throws CArchiveException and changes nothing.
    virtual void Serialize(CArchive& ar);

private:
    std::vector<float> m_pData;
};

std::ostream& operator<<(std::ostream& os, const CFloatVektor& f);
std::istream& operator>>(std::istream& is, CFloatVektor& f);

}  // namespace formix
