#pragma once

#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "formix/FormixArchive.h"
#include "formix/Function.h"
#include "formix/Vektor.h"

namespace formix {

struct CListTable;

// A dense matrix of doubles, stored row by row, 1-based. A matrix made by SubMatrix is a view: its
// rows show a block of another matrix's rows, so writing into it changes that matrix (views keep the
// rows they show alive). The state field records what the storage holds, so that a matrix factored
// in place is not factored again.
//
// Element access outside the matrix never touches the storage: reads give 0.0 and writes go to a
// scratch element the matrix does not use. Operations refused for their shapes (a view asked to change
// shape, operands of other shapes where they must agree) leave everything as it was and tell the
// calling thread's message handler (NumericDiagnostics.h).
class CMatrix : public CMathObject {
public:
    enum State { failed = 0, plain = 1, luFactors = 2, qrFactors = 3, cholesky = 4, hessenberg = 5,
                 bidiagonal = 6 };

    CMatrix();
    CMatrix(int rows, int cols, const char* name = "");
    explicit CMatrix(double x);
    CMatrix(double a11, double a12, double a21, double a22);
    CMatrix(double a11, double a12, double a13, double a21, double a22, double a23, double a31, double a32,
            double a33);
    CMatrix(double a11, double a12, double a13, double a14, double a21, double a22, double a23, double a24,
            double a31, double a32, double a33, double a34, double a41, double a42, double a43, double a44);
    // With `view` a matrix of fixed shape (SetSize and the like are refused); it starts as zeros of
    // its own until SubMatrix-style rows are attached. Otherwise rows × cols zeros.
    CMatrix(int rows, int cols, bool view);
    // Name, state, shape and view flag copied, no permutation; a copy of a view shows the same rows.
    CMatrix(const CMatrix& m);
    // A row vector gives 1 × n, any other n × 1.
    explicit CMatrix(const CVektor& v);
    // The vectors as rows (k × n, n from the first vector) or as columns (n × k).
    CMatrix(const CVektor& a, const CVektor& b, bool asRows);
    CMatrix(const CVektor& a, const CVektor& b, const CVektor& c, bool asRows);
    CMatrix(const CVektor& a, const CVektor& b, const CVektor& c, const CVektor& d, bool asRows);
    ~CMatrix() override;

    double& operator()(int i, int j);
    double operator()(int i, int j) const { return Element(i, j); }
    double* ElementPtr(int i, int j);
    double Element(int i, int j) const;
    void Set(int i, int j, double x);

    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }
    bool IsView() const { return m_bView != 0; }
    bool IsSquare() const { return m_nRows == m_nCols; }
    int State() const { return m_nState; }
    void SetState(int state) { m_nState = state; }
    int Swaps() const { return m_nSwaps; }
    // The LU row permutation (1-based row numbers); empty when none is held.
    const std::vector<int>& Permutation() const { return m_pPerm; }
    const std::string& Name() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }
    // Row i's m_nCols doubles (i 1-based); null out of range.
    double* RowPtr(int i) { return i >= 1 && i <= m_nRows ? m_ppRows[static_cast<size_t>(i - 1)] : nullptr; }
    const double* RowPtr(int i) const {
        return i >= 1 && i <= m_nRows ? m_ppRows[static_cast<size_t>(i - 1)] : nullptr;
    }

    // r × c zeros, state 1; refused on a view.
    void SetSize(int r, int c);
    // SetSize keeping the overlapping block.
    void Resize(int r, int c);
    // A view of rows r1..r2 and columns c1..c2 (empty ranges allowed); bounds outside the matrix
    // give an empty view and a message.
    CMatrix SubMatrix(int r1, int r2, int c1, int c2);
    // An owned copy of that block; bounds outside give an empty matrix and a message.
    CMatrix Block(int r1, int r2, int c1, int c2) const;
    void TruncateRows(int n);
    void SwapRows(int i, int j);

    void Zero();
    void Identity();
    void Ones();
    void NegIdentity();
    void Upper();
    void Lower();
    void Random();

    CMatrix& operator=(const CMatrix& m);
    CMatrix& operator=(double x);
    CMatrix& operator=(const CVektor& v);

    // The other matrix must have this matrix's shape; otherwise refused.
    CMatrix& operator+=(const CMatrix& m);
    CMatrix& operator-=(const CMatrix& m);
    CMatrix& operator*=(double x);
    CMatrix& operator/=(double x);

    void Sin();
    void Cos();
    void Tan();
    void Cot();
    void Abs();
    // False (nothing changed) when the formula cannot be read.
    bool Apply(const char* formula, const char* variable);

    double FrobeniusNorm() const;
    double RowSumNorm() const;
    double ColSumNorm() const;
    double AbsSum() const;

    CVektor Row(int i) const;
    CVektor Column(int j) const;
    CVektor RowSums() const;
    CVektor ColumnSums() const;
    CVektor Diagonal() const;

    // LU factors with partial pivoting, in place (state 2). Without force a matrix already in state
    // 2 is taken as it is and any state but 1 is refused.
    bool LUDecompose(bool force);
    // Determinant through the LU factors (factoring the matrix); 0.0 when it cannot be factored or
    // is not square.
    double Det();
    // Householder QR in place (state 3); q, when given, receives the orthogonal factor.
    bool QRDecompose(CMatrix* q, bool force);

    // Archive form: name, rows, columns, state, then the rows. A loaded matrix owns its rows and
    // holds no permutation. A short or malformed archive throws CArchiveException and changes nothing.
    virtual void Serialize(CArchive& ar);
    // Raw binary record; a failed or short read sets the stream's failbit and changes nothing.
    virtual void WriteBinary(std::ostream& os) const;
    virtual void ReadBinary(std::istream& is);

    // Replaces shape and elements (for the stream readers); false on a view of another shape.
    bool Assign(int rows, int cols, const std::vector<double>& values);

    // A shape a reader may build: no negative extent, at most kMaxElements elements, and at most
    // kMaxEmptyRows rows when there are no columns.
    static bool PlausibleShape(long long rows, long long cols);
    static constexpr long long kMaxElements = 1LL << 28;
    static constexpr long long kMaxEmptyRows = 1 << 16;

private:
    void AllocateRows(int rows, int cols);
    double& Scratch() const;
    bool SameShape(const CMatrix& m) const { return m_nRows == m.m_nRows && m_nCols == m.m_nCols; }
    // this += factor · m (factor ±1, exact), refused for another shape.
    CMatrix& AddScaled(const CMatrix& m, double factor, const char* what);
    template <typename F>
    void ForEach(F f);
    template <typename F>
    void ForEachValue(F f) const;

    std::vector<double*> m_ppRows;
    std::vector<std::shared_ptr<double[]>> m_rowKeep;  // the storage each row lives in
    int m_nRows = 0;
    int m_nCols = 0;
    int m_bView = 0;
    std::string m_strName;
    int m_nSwaps = 0;
    int m_nState = plain;
    std::vector<int> m_pPerm;
    mutable double m_dScratch = 0.0;
};

bool operator==(const CMatrix& a, const CMatrix& b);
bool operator!=(const CMatrix& a, const CMatrix& b);

// Results are named "(unbenannt)"; the second operand is read with Element (0.0 outside it).
CMatrix Transpose(const CMatrix& m);
CMatrix operator+(const CMatrix& a, const CMatrix& b);
CMatrix operator-(const CMatrix& a, const CMatrix& b);
CMatrix operator*(double x, const CMatrix& m);
CMatrix operator*(const CMatrix& m, double x);
CMatrix operator/(const CMatrix& m, double x);
CMatrix operator*(const CMatrix& a, const CMatrix& b);
// An owned copy keeping the name and state (also of a view).
CMatrix Copy(const CMatrix& m);
CMatrix operator+(const CMatrix& m);
CMatrix ZeroMatrix(const CMatrix& m);
CMatrix ZeroMatrix(int n);
CMatrix ZeroMatrix(int r, int c);
CMatrix IdentityMatrix(const CMatrix& m);
CMatrix IdentityMatrix(int n);
CMatrix IdentityMatrix(int r, int c);
CMatrix NegIdentityMatrix(const CMatrix& m);
CMatrix NegIdentityMatrix(int n);
CMatrix NegIdentityMatrix(int r, int c);
CMatrix Upper(const CMatrix& m);
CMatrix Lower(const CMatrix& m);
CMatrix sin(const CMatrix& m);
CMatrix cos(const CMatrix& m);
CMatrix tan(const CMatrix& m);
CMatrix cot(const CMatrix& m);
CMatrix abs(const CMatrix& m);
CMatrix Apply(const CMatrix& m, const char* formula, const char* variable);
// m becomes n × n filled row by row from `values`; missing values count as 0.0 (with a message when
// the count is not n²).
void FillAll(CMatrix& m, int n, std::initializer_list<double> values);
// m becomes an n × n zero matrix whose elements below the diagonal are filled row by row.
void FillLower(CMatrix& m, int n, std::initializer_list<double> values);

double FrobeniusNorm(const CMatrix& m);
double RowSumNorm(const CMatrix& m);
double ColSumNorm(const CMatrix& m);
double AbsSum(const CMatrix& m);

bool LU(CMatrix& m, bool force);
// Forward substitution with the unit lower LU factor (and the row permutation when held).
bool ForwardSubst(const CMatrix& a, const CVektor& b, CVektor& y);
// As ForwardSubst, dividing by the diagonal.
bool ForwardSubstDiag(const CMatrix& a, const CVektor& b, CVektor& y);
// Back substitution with the upper factor; false at a diagonal element below 1e-19 in magnitude
// (x then holds the part computed so far).
bool BackSubst(const CMatrix& a, const CVektor& y, CVektor& x);
bool Solve(CMatrix& a, const CVektor& b, CVektor& x, bool force);
// The solution; b itself when the factorization fails, the partial vector when back substitution
// fails. Always a vector of its own.
CVektor Solve(CMatrix& a, const CVektor& b, bool force);
CMatrix Inverse(CMatrix& a);
bool LUSplit(CMatrix& a, CMatrix& l, CMatrix& u, bool force);
double Det(CMatrix& a);

// Text form: rows, columns, row exchanges, then every element, each on a line of its own. A view is
// refused with the message "Error : operator <<(ostream  &  os,CMatrix  &  m )" / "Cannot stream
// SubMatrix". A stream that fails while writing throws std::ios_base::failure.
std::ostream& operator<<(std::ostream& os, const CMatrix& m);
// On bad or short input the stream fails and the matrix is unchanged.
std::istream& operator>>(std::istream& is, CMatrix& m);
// Reads "[a, b; c, d]": rows separated by ';', elements by ','; short rows are filled with 0.0. Each
// element is a formula in X valued at 0.
std::istream& ReadBracketed(std::istream& is, CMatrix& m);
void DDX_Matrix(bool saveAndValidate, CListTable& table, CMatrix& m, const char* title);

}  // namespace formix
