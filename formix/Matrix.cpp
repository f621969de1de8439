#include "formix/Matrix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "formix/NumericDiagnostics.h"
#include "formix/NumericFormula.h"

namespace formix {

namespace {

const char* const kUnnamed = "(unbenannt)";
// LU pivots below this magnitude end the factorization.
constexpr double kTinyPivot = 1e-19;

void Refuse(const std::string& what) { ReportNumeric(what, "CMatrix"); }

std::string BoundsText(int r1, int r2, int c1, int c2) {
    return " (" + std::to_string(r1) + ".." + std::to_string(r2) + ", " + std::to_string(c1) + ".." +
           std::to_string(c2) + ")";
}

bool ValidRange(int from, int to, int size) { return from >= 1 && to <= size && from <= to + 1; }

}  // namespace

// ---- construction ----

void CMatrix::AllocateRows(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    std::vector<double*> pointers(static_cast<size_t>(rows));
    std::vector<std::shared_ptr<double[]>> keep(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        keep[static_cast<size_t>(i)] = std::make_shared<double[]>(static_cast<size_t>(std::max(cols, 1)));
        pointers[static_cast<size_t>(i)] = keep[static_cast<size_t>(i)].get();
    }
    m_ppRows = std::move(pointers);
    m_rowKeep = std::move(keep);
    m_nRows = rows;
    m_nCols = cols;
}

CMatrix::CMatrix() { AllocateRows(1, 1); }

CMatrix::CMatrix(int rows, int cols, const char* name) : m_strName(name ? name : "") { AllocateRows(rows, cols); }

CMatrix::CMatrix(double x) : CMatrix(1, 1) { m_ppRows[0][0] = x; }

CMatrix::CMatrix(double a11, double a12, double a21, double a22) : CMatrix(2, 2) {
    FillAll(*this, 2, {a11, a12, a21, a22});
}

CMatrix::CMatrix(double a11, double a12, double a13, double a21, double a22, double a23, double a31, double a32,
                 double a33)
    : CMatrix(3, 3) {
    FillAll(*this, 3, {a11, a12, a13, a21, a22, a23, a31, a32, a33});
}

CMatrix::CMatrix(double a11, double a12, double a13, double a14, double a21, double a22, double a23, double a24,
                 double a31, double a32, double a33, double a34, double a41, double a42, double a43, double a44)
    : CMatrix(4, 4) {
    FillAll(*this, 4, {a11, a12, a13, a14, a21, a22, a23, a24, a31, a32, a33, a34, a41, a42, a43, a44});
}

CMatrix::CMatrix(int rows, int cols, bool view) : m_bView(view ? 1 : 0) { AllocateRows(rows, cols); }

CMatrix::CMatrix(const CMatrix& m)
    : CMathObject(m), m_bView(m.m_bView), m_strName(m.m_strName), m_nState(m.m_nState) {
    if (m.m_bView) {
        m_ppRows = m.m_ppRows;
        m_rowKeep = m.m_rowKeep;
        m_nRows = m.m_nRows;
        m_nCols = m.m_nCols;
        return;
    }
    AllocateRows(m.m_nRows, m.m_nCols);
    for (int i = 0; i < m_nRows; ++i) {
        std::copy(m.m_ppRows[static_cast<size_t>(i)], m.m_ppRows[static_cast<size_t>(i)] + m_nCols,
                  m_ppRows[static_cast<size_t>(i)]);
    }
}

CMatrix::CMatrix(const CVektor& v) : m_strName(v.Name()) {
    if (v.IsRow()) {
        AllocateRows(1, v.Dim());
        std::copy(v.Data(), v.Data() + v.Dim(), m_ppRows[0]);
    } else {
        AllocateRows(v.Dim(), 1);
        for (int i = 0; i < v.Dim(); ++i) {
            m_ppRows[static_cast<size_t>(i)][0] = v.Data()[i];
        }
    }
}

namespace {

void FillFromVektors(CMatrix& m, std::initializer_list<const CVektor*> vektors, bool asRows) {
    int k = static_cast<int>(vektors.size());
    int n = (*vektors.begin())->Dim();
    if (asRows) {
        m.SetSize(k, n);
    } else {
        m.SetSize(n, k);
    }
    int index = 1;
    for (const CVektor* v : vektors) {
        for (int e = 1; e <= n; ++e) {
            if (asRows) {
                m.Set(index, e, v->Element(e));
            } else {
                m.Set(e, index, v->Element(e));
            }
        }
        ++index;
    }
}

}  // namespace

CMatrix::CMatrix(const CVektor& a, const CVektor& b, bool asRows) { FillFromVektors(*this, {&a, &b}, asRows); }

CMatrix::CMatrix(const CVektor& a, const CVektor& b, const CVektor& c, bool asRows) {
    FillFromVektors(*this, {&a, &b, &c}, asRows);
}

CMatrix::CMatrix(const CVektor& a, const CVektor& b, const CVektor& c, const CVektor& d, bool asRows) {
    FillFromVektors(*this, {&a, &b, &c, &d}, asRows);
}

CMatrix::~CMatrix() = default;

// ---- access ----

double& CMatrix::Scratch() const {
    m_dScratch = 0.0;
    return m_dScratch;
}

double& CMatrix::operator()(int i, int j) { return *ElementPtr(i, j); }

double* CMatrix::ElementPtr(int i, int j) {
    if (i >= 1 && i <= m_nRows && j >= 1 && j <= m_nCols) {
        return &m_ppRows[static_cast<size_t>(i - 1)][j - 1];
    }
    return &Scratch();
}

double CMatrix::Element(int i, int j) const {
    if (i >= 1 && i <= m_nRows && j >= 1 && j <= m_nCols) {
        return m_ppRows[static_cast<size_t>(i - 1)][j - 1];
    }
    return 0.0;
}

void CMatrix::Set(int i, int j, double x) {
    if (i >= 1 && i <= m_nRows && j >= 1 && j <= m_nCols) {
        m_ppRows[static_cast<size_t>(i - 1)][j - 1] = x;
    }
}

template <typename F>
void CMatrix::ForEach(F f) {
    for (int i = 0; i < m_nRows; ++i) {
        double* row = m_ppRows[static_cast<size_t>(i)];
        for (int j = 0; j < m_nCols; ++j) {
            f(row[j], i + 1, j + 1);
        }
    }
}

template <typename F>
void CMatrix::ForEachValue(F f) const {
    for (int i = 0; i < m_nRows; ++i) {
        const double* row = m_ppRows[static_cast<size_t>(i)];
        for (int j = 0; j < m_nCols; ++j) {
            f(row[j]);
        }
    }
}

// ---- shape ----

void CMatrix::SetSize(int r, int c) {
    if (m_bView) {
        Refuse("CMatrix::SetSize : a SubMatrix cannot change its size ! ");
        return;
    }
    AllocateRows(r, c);
    m_nState = plain;
    m_nSwaps = 0;
    m_pPerm.clear();
}

void CMatrix::Resize(int r, int c) {
    if (m_bView) {
        Refuse("CMatrix::Resize : a SubMatrix cannot change its size ! ");
        return;
    }
    std::vector<std::shared_ptr<double[]>> oldKeep = m_rowKeep;
    std::vector<double*> oldRows = m_ppRows;
    int oldCols = m_nCols;
    SetSize(r, c);
    int rows = std::min(m_nRows, static_cast<int>(oldRows.size()));
    int cols = std::min(m_nCols, oldCols);
    for (int i = 0; i < rows; ++i) {
        std::copy(oldRows[static_cast<size_t>(i)], oldRows[static_cast<size_t>(i)] + cols,
                  m_ppRows[static_cast<size_t>(i)]);
    }
}

CMatrix CMatrix::SubMatrix(int r1, int r2, int c1, int c2) {
    CMatrix view(0, 0, true);
    if (!ValidRange(r1, r2, m_nRows) || !ValidRange(c1, c2, m_nCols)) {
        Refuse("CMatrix::SubMatrix : Error in Dimensions !" + BoundsText(r1, r2, c1, c2));
        return view;
    }
    view.m_nRows = r2 - r1 + 1;
    view.m_nCols = c2 - c1 + 1;
    for (int i = r1; i <= r2; ++i) {
        view.m_ppRows.push_back(m_ppRows[static_cast<size_t>(i - 1)] + (c1 - 1));
        view.m_rowKeep.push_back(m_rowKeep[static_cast<size_t>(i - 1)]);
    }
    return view;
}

CMatrix CMatrix::Block(int r1, int r2, int c1, int c2) const {
    if (!ValidRange(r1, r2, m_nRows) || !ValidRange(c1, c2, m_nCols)) {
        Refuse("CMatrix::Block : Error in Dimensions !" + BoundsText(r1, r2, c1, c2));
        return CMatrix(0, 0, kUnnamed);
    }
    CMatrix block(r2 - r1 + 1, c2 - c1 + 1, kUnnamed);
    for (int i = r1; i <= r2; ++i) {
        const double* row = m_ppRows[static_cast<size_t>(i - 1)];
        std::copy(row + (c1 - 1), row + c2, block.m_ppRows[static_cast<size_t>(i - r1)]);
    }
    return block;
}

void CMatrix::TruncateRows(int n) {
    if (m_bView || n < 0 || n > m_nRows) {
        Refuse("CMatrix::TruncateRows : Error in Dimensions ! n = " + std::to_string(n));
        return;
    }
    m_ppRows.resize(static_cast<size_t>(n));
    m_rowKeep.resize(static_cast<size_t>(n));
    m_nRows = n;
    m_pPerm.clear();
}

void CMatrix::SwapRows(int i, int j) {
    if (i < 1 || j < 1 || i > m_nRows || j > m_nRows) {
        Refuse("CMatrix::SwapRows : Error in Dimensions ! ");
        return;
    }
    if (i != j) {
        std::swap(m_ppRows[static_cast<size_t>(i - 1)], m_ppRows[static_cast<size_t>(j - 1)]);
        std::swap(m_rowKeep[static_cast<size_t>(i - 1)], m_rowKeep[static_cast<size_t>(j - 1)]);
        ++m_nSwaps;
    }
}

// ---- filling ----

void CMatrix::Zero() {
    ForEach([](double& a, int, int) { a = 0.0; });
    m_nState = plain;
}

void CMatrix::Identity() {
    Zero();
    for (int i = 1; i <= std::min(m_nRows, m_nCols); ++i) {
        m_ppRows[static_cast<size_t>(i - 1)][i - 1] = 1.0;
    }
}

void CMatrix::Ones() {
    ForEach([](double& a, int, int) { a = 1.0; });
}

void CMatrix::NegIdentity() {
    Zero();
    for (int i = 1; i <= std::min(m_nRows, m_nCols); ++i) {
        m_ppRows[static_cast<size_t>(i - 1)][i - 1] = -1.0;
    }
}

void CMatrix::Upper() {
    ForEach([](double& a, int i, int j) {
        if (i > j) {
            a = 0.0;
        }
    });
}

void CMatrix::Lower() {
    ForEach([](double& a, int i, int j) {
        if (j > i) {
            a = 0.0;
        }
    });
}

void CMatrix::Random() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    ForEach([](double& a, int, int) { a = static_cast<double>(std::rand() % 32768); });
}

// ---- assignment ----

CMatrix& CMatrix::operator=(const CMatrix& m) {
    if (this == &m) {
        return *this;
    }
    if (m_bView && !SameShape(m)) {
        Refuse("CMatrix::operator= : a SubMatrix cannot change its size ! ");
        return *this;
    }
    // The source may show rows of this matrix: copy through a snapshot.
    std::vector<double> values;
    values.reserve(static_cast<size_t>(m.m_nRows) * static_cast<size_t>(m.m_nCols));
    for (int i = 0; i < m.m_nRows; ++i) {
        values.insert(values.end(), m.m_ppRows[static_cast<size_t>(i)], m.m_ppRows[static_cast<size_t>(i)] + m.m_nCols);
    }
    m_nState = m.m_nState;
    m_strName = m.m_strName;
    if (!SameShape(m)) {
        SetSize(m.m_nRows, m.m_nCols);
    }
    for (int i = 0; i < m_nRows; ++i) {
        std::copy(values.begin() + static_cast<ptrdiff_t>(i) * m_nCols,
                  values.begin() + static_cast<ptrdiff_t>(i + 1) * m_nCols, m_ppRows[static_cast<size_t>(i)]);
    }
    return *this;
}

CMatrix& CMatrix::operator=(double x) {
    if (m_bView && (m_nRows != 1 || m_nCols != 1)) {
        Refuse("CMatrix::operator= : a SubMatrix cannot change its size ! ");
        return *this;
    }
    if (m_nRows != 1 || m_nCols != 1) {
        SetSize(1, 1);
    }
    m_ppRows[0][0] = x;
    return *this;
}

CMatrix& CMatrix::operator=(const CVektor& v) {
    int rows = v.IsRow() ? 1 : v.Dim();
    int cols = v.IsRow() ? v.Dim() : 1;
    if (m_bView && (m_nRows != rows || m_nCols != cols)) {
        Refuse("CMatrix::operator= : a SubMatrix cannot change its size ! ");
        return *this;
    }
    std::vector<double> values(v.Data(), v.Data() + v.Dim());
    m_nState = plain;
    m_strName = v.Name();
    if (m_nRows != rows || m_nCols != cols) {
        SetSize(rows, cols);
    }
    for (int k = 0; k < v.Dim(); ++k) {
        if (v.IsRow()) {
            m_ppRows[0][k] = values[static_cast<size_t>(k)];
        } else {
            m_ppRows[static_cast<size_t>(k)][0] = values[static_cast<size_t>(k)];
        }
    }
    return *this;
}

bool CMatrix::Assign(int rows, int cols, const std::vector<double>& values) {
    if (m_bView && (m_nRows != rows || m_nCols != cols)) {
        Refuse("CMatrix : a SubMatrix cannot change its size ! ");
        return false;
    }
    if (m_bView) {
        m_nState = plain;
    } else {
        SetSize(rows, cols);
    }
    for (int i = 0; i < rows; ++i) {
        std::copy(values.begin() + static_cast<ptrdiff_t>(i) * cols,
                  values.begin() + static_cast<ptrdiff_t>(i + 1) * cols, m_ppRows[static_cast<size_t>(i)]);
    }
    return true;
}

// ---- arithmetic ----

CMatrix& CMatrix::AddScaled(const CMatrix& m, double factor, const char* what) {
    if (!SameShape(m)) {
        Refuse(what);
        return *this;
    }
    ForEach([&m, factor](double& a, int i, int j) { a += factor * m.Element(i, j); });
    return *this;
}

CMatrix& CMatrix::operator+=(const CMatrix& m) {
    return AddScaled(m, 1.0, "CMatrix::operator+= : Error in Dimensions ! ");
}

CMatrix& CMatrix::operator-=(const CMatrix& m) {
    return AddScaled(m, -1.0, "CMatrix::operator-= : Error in Dimensions ! ");
}

CMatrix& CMatrix::operator*=(double x) {
    ForEach([x](double& a, int, int) { a *= x; });
    return *this;
}

CMatrix& CMatrix::operator/=(double x) {
    ForEach([x](double& a, int, int) { a /= x; });
    return *this;
}

void CMatrix::Sin() { ForEach([](double& a, int, int) { a = std::sin(a); }); }
void CMatrix::Cos() { ForEach([](double& a, int, int) { a = std::cos(a); }); }
void CMatrix::Tan() { ForEach([](double& a, int, int) { a = std::tan(a); }); }
void CMatrix::Cot() { ForEach([](double& a, int, int) { a = std::cos(a) / std::sin(a); }); }
void CMatrix::Abs() { ForEach([](double& a, int, int) { a = std::fabs(a); }); }

bool CMatrix::Apply(const char* formula, const char* variable) {
    FunctionPtr tree = ParseFormulaTree(formula ? formula : "", variable ? variable : "");
    if (!tree) {
        return false;
    }
    ForEach([&tree](double& a, int, int) { a = tree->Evaluate(a); });
    return true;
}

double CMatrix::FrobeniusNorm() const {
    double sum = 0.0;
    ForEachValue([&sum](double a) { sum += a * a; });
    return std::sqrt(sum);
}

double CMatrix::RowSumNorm() const {
    double m = 0.0;
    for (int i = 1; i <= m_nRows; ++i) {
        double sum = 0.0;
        for (int j = 1; j <= m_nCols; ++j) {
            sum += std::fabs(Element(i, j));
        }
        m = std::max(m, sum);
    }
    return m;
}

double CMatrix::ColSumNorm() const {
    double m = 0.0;
    for (int j = 1; j <= m_nCols; ++j) {
        double sum = 0.0;
        for (int i = 1; i <= m_nRows; ++i) {
            sum += std::fabs(Element(i, j));
        }
        m = std::max(m, sum);
    }
    return m;
}

double CMatrix::AbsSum() const {
    double sum = 0.0;
    ForEachValue([&sum](double a) { sum += std::fabs(a); });
    return sum;
}

CVektor CMatrix::Row(int i) const {
    CVektor r(m_nCols, "Zeile", true);
    for (int j = 1; j <= m_nCols; ++j) {
        r.Data()[j - 1] = Element(i, j);
    }
    return r;
}

CVektor CMatrix::Column(int j) const {
    CVektor c(m_nRows, kUnnamed, false);
    for (int i = 1; i <= m_nRows; ++i) {
        c.Data()[i - 1] = Element(i, j);
    }
    return c;
}

CVektor CMatrix::RowSums() const {
    CVektor s(m_nRows, kUnnamed, false);
    for (int i = 1; i <= m_nRows; ++i) {
        for (int j = 1; j <= m_nCols; ++j) {
            s.Data()[i - 1] += Element(i, j);
        }
    }
    return s;
}

CVektor CMatrix::ColumnSums() const {
    CVektor s(m_nCols, kUnnamed, false);
    for (int j = 1; j <= m_nCols; ++j) {
        for (int i = 1; i <= m_nRows; ++i) {
            s.Data()[j - 1] += Element(i, j);
        }
    }
    return s;
}

CVektor CMatrix::Diagonal() const {
    int n = std::min(m_nRows, m_nCols);
    CVektor d(n, kUnnamed, false);
    for (int i = 1; i <= n; ++i) {
        d.Data()[i - 1] = Element(i, i);
    }
    return d;
}

// ---- LU ----

bool CMatrix::LUDecompose(bool force) {
    if (!force) {
        if (m_nState == luFactors) {
            return true;
        }
        if (m_nState != plain) {
            return false;
        }
    }
    const int n = m_nRows;
    const int m = m_nCols;
    m_pPerm.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        m_pPerm[static_cast<size_t>(i)] = i + 1;
    }
    m_nSwaps = 0;
    auto a = [this](int i, int j) -> double& { return m_ppRows[static_cast<size_t>(i - 1)][j - 1]; };
    // A wide matrix has no pivot row below its last row.
    for (int i = 1; i <= std::min(m - 1, n); ++i) {
        int p = i;
        for (int j = i + 1; j <= n; ++j) {
            if (std::fabs(a(j, i)) > std::fabs(a(p, i))) {
                p = j;
            }
        }
        if (p > i) {
            SwapRows(p, i);
            std::swap(m_pPerm[static_cast<size_t>(p - 1)], m_pPerm[static_cast<size_t>(i - 1)]);
        }
        if (std::fabs(a(i, i)) < kTinyPivot) {
            return false;
        }
        for (int j = i + 1; j <= n; ++j) {
            a(j, i) /= a(i, i);
        }
        for (int j = i + 1; j <= m; ++j) {
            for (int k = i + 1; k <= n; ++k) {
                a(k, j) -= a(k, i) * a(i, j);
            }
        }
    }
    m_nState = luFactors;
    return true;
}

double CMatrix::Det() {
    if (!IsSquare()) {
        Refuse("CMatrix::Det : the matrix is not square ! ");
        return 0.0;
    }
    if (!LUDecompose(false)) {
        return 0.0;
    }
    double det = 1.0;
    for (int i = 1; i <= m_nRows; ++i) {
        det *= Element(i, i);
    }
    return (m_nSwaps % 2 != 0) ? -det : det;
}

bool LU(CMatrix& m, bool force) { return m.LUDecompose(force); }

double Det(CMatrix& a) { return a.Det(); }

namespace {

bool ForwardSubstitution(const CMatrix& a, const CVektor& b, CVektor& y, bool divide) {
    const int n = a.Cols();
    const std::vector<int>& perm = a.Permutation();
    std::vector<double> work(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        int source = i <= static_cast<int>(perm.size()) ? perm[static_cast<size_t>(i - 1)] : i;
        double v = b.Element(source);
        for (int j = 1; j < i; ++j) {
            v -= a.Element(i, j) * work[static_cast<size_t>(j - 1)];
        }
        if (divide) {
            v /= a.Element(i, i);
        }
        work[static_cast<size_t>(i - 1)] = v;
    }
    return y.Assign(work);
}

}  // namespace

bool ForwardSubst(const CMatrix& a, const CVektor& b, CVektor& y) { return ForwardSubstitution(a, b, y, false); }

bool ForwardSubstDiag(const CMatrix& a, const CVektor& b, CVektor& y) { return ForwardSubstitution(a, b, y, true); }

bool BackSubst(const CMatrix& a, const CVektor& y, CVektor& x) {
    const int n = a.Cols();
    std::vector<double> work(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        work[static_cast<size_t>(i - 1)] = y.Element(i);
    }
    bool ok = true;
    for (int k = n; k >= 1; --k) {
        double v = work[static_cast<size_t>(k - 1)];
        for (int j = k + 1; j <= n; ++j) {
            v -= a.Element(k, j) * work[static_cast<size_t>(j - 1)];
        }
        work[static_cast<size_t>(k - 1)] = v;
        double pivot = a.Element(k, k);
        if (std::fabs(pivot) < kTinyPivot) {
            ok = false;
            break;
        }
        work[static_cast<size_t>(k - 1)] = v / pivot;
    }
    return x.Assign(work) && ok;
}

bool Solve(CMatrix& a, const CVektor& b, CVektor& x, bool force) {
    return a.LUDecompose(force) && ForwardSubst(a, b, x) && BackSubst(a, x, x);
}

CVektor Solve(CMatrix& a, const CVektor& b, bool force) {
    CVektor x(b.Dim(), b.Name().c_str(), b.IsRow());
    std::copy(b.Data(), b.Data() + b.Dim(), x.Data());
    if (a.LUDecompose(force) && ForwardSubst(a, b, x)) {
        BackSubst(a, x, x);
    }
    return x;
}

CMatrix Inverse(CMatrix& a) {
    const int n = a.Rows();
    CMatrix inverse(n, n, kUnnamed);
    if (!a.IsSquare()) {
        Refuse("CMatrix Inverse : the matrix is not square ! ");
        return inverse;
    }
    for (int i = 1; i <= n; ++i) {
        CVektor x;
        Solve(a, UnitVektor(n, i), x, false);
        for (int k = 1; k <= n; ++k) {
            inverse.Set(k, i, x.Element(k));
        }
    }
    return inverse;
}

namespace {

// Gives `m` the shape rows × cols (zeros), or false for a view of another shape.
bool Shape(CMatrix& m, int rows, int cols) {
    if (m.Rows() == rows && m.Cols() == cols) {
        m.Zero();
        return true;
    }
    if (m.IsView()) {
        Refuse("CMatrix : a SubMatrix cannot change its size ! ");
        return false;
    }
    m.SetSize(rows, cols);
    return true;
}

}  // namespace

bool LUSplit(CMatrix& a, CMatrix& l, CMatrix& u, bool force) {
    if (!a.LUDecompose(force) || !Shape(u, a.Rows(), a.Cols()) || !Shape(l, a.Rows(), a.Cols())) {
        return false;
    }
    for (int i = 1; i <= a.Rows(); ++i) {
        for (int j = 1; j <= a.Cols(); ++j) {
            if (j >= i) {
                u(i, j) = a(i, j);
            } else {
                l(i, j) = a(i, j);
            }
        }
        l.Set(i, i, 1.0);
    }
    return true;
}

// ---- free operations ----

bool operator==(const CMatrix& a, const CMatrix& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) {
        return false;
    }
    for (int i = 1; i <= a.Rows(); ++i) {
        for (int j = 1; j <= a.Cols(); ++j) {
            if (!(a.Element(i, j) == b.Element(i, j))) {
                return false;
            }
        }
    }
    return true;
}

bool operator!=(const CMatrix& a, const CMatrix& b) { return !(a == b); }

namespace {

// A new "(unbenannt)" matrix of a's shape with element (i, j) = f(a(i, j), i, j).
template <typename F>
CMatrix MapMatrix(const CMatrix& a, F f) {
    CMatrix r(a.Rows(), a.Cols(), kUnnamed);
    for (int i = 1; i <= a.Rows(); ++i) {
        for (int j = 1; j <= a.Cols(); ++j) {
            r(i, j) = f(a.Element(i, j), i, j);
        }
    }
    return r;
}

}  // namespace

CMatrix Transpose(const CMatrix& m) {
    CMatrix t(m.Cols(), m.Rows(), kUnnamed);
    for (int i = 1; i <= m.Rows(); ++i) {
        for (int j = 1; j <= m.Cols(); ++j) {
            t(j, i) = m.Element(i, j);
        }
    }
    return t;
}

CMatrix operator+(const CMatrix& a, const CMatrix& b) {
    return MapMatrix(a, [&b](double x, int i, int j) { return x + b.Element(i, j); });
}

CMatrix operator-(const CMatrix& a, const CMatrix& b) {
    return MapMatrix(a, [&b](double x, int i, int j) { return x - b.Element(i, j); });
}

CMatrix operator*(double x, const CMatrix& m) {
    return MapMatrix(m, [x](double e, int, int) { return x * e; });
}

CMatrix operator*(const CMatrix& m, double x) {
    return MapMatrix(m, [x](double e, int, int) { return e * x; });
}

CMatrix operator/(const CMatrix& m, double x) {
    return MapMatrix(m, [x](double e, int, int) { return e / x; });
}

CMatrix operator*(const CMatrix& a, const CMatrix& b) {
    CMatrix r(a.Rows(), b.Cols(), kUnnamed);
    for (int i = 1; i <= a.Rows(); ++i) {
        const double* row = a.RowPtr(i);
        for (int j = 1; j <= b.Cols(); ++j) {
            double sum = 0.0;
            for (int k = 1; k <= a.Cols(); ++k) {
                sum += row[k - 1] * b.Element(k, j);
            }
            r(i, j) = sum;
        }
    }
    return r;
}

CMatrix Copy(const CMatrix& m) {
    CMatrix r = MapMatrix(m, [](double e, int, int) { return e; });
    r.SetName(m.Name());
    r.SetState(m.State());
    return r;
}

CMatrix operator+(const CMatrix& m) { return Copy(m); }

CMatrix ZeroMatrix(const CMatrix& m) { return ZeroMatrix(m.Rows(), m.Cols()); }
CMatrix ZeroMatrix(int n) { return ZeroMatrix(n, n); }
CMatrix ZeroMatrix(int r, int c) { return CMatrix(r, c, kUnnamed); }

CMatrix IdentityMatrix(const CMatrix& m) { return IdentityMatrix(m.Rows(), m.Cols()); }
CMatrix IdentityMatrix(int n) { return IdentityMatrix(n, n); }
CMatrix IdentityMatrix(int r, int c) {
    CMatrix m(r, c, kUnnamed);
    m.Identity();
    return m;
}

CMatrix NegIdentityMatrix(const CMatrix& m) { return NegIdentityMatrix(m.Rows(), m.Cols()); }
CMatrix NegIdentityMatrix(int n) { return NegIdentityMatrix(n, n); }
CMatrix NegIdentityMatrix(int r, int c) {
    CMatrix m(r, c, kUnnamed);
    m.NegIdentity();
    return m;
}

CMatrix Upper(const CMatrix& m) {
    CMatrix r = Copy(m);
    r.Upper();
    return r;
}

CMatrix Lower(const CMatrix& m) {
    CMatrix r = Copy(m);
    r.Lower();
    return r;
}

CMatrix sin(const CMatrix& m) { return MapMatrix(m, [](double e, int, int) { return std::sin(e); }); }
CMatrix cos(const CMatrix& m) { return MapMatrix(m, [](double e, int, int) { return std::cos(e); }); }
CMatrix tan(const CMatrix& m) { return MapMatrix(m, [](double e, int, int) { return std::tan(e); }); }
CMatrix cot(const CMatrix& m) {
    return MapMatrix(m, [](double e, int, int) { return std::cos(e) / std::sin(e); });
}
CMatrix abs(const CMatrix& m) { return MapMatrix(m, [](double e, int, int) { return std::fabs(e); }); }

CMatrix Apply(const CMatrix& m, const char* formula, const char* variable) {
    CMatrix r = Copy(m);
    r.Apply(formula, variable);
    return r;
}

void FillAll(CMatrix& m, int n, std::initializer_list<double> values) {
    n = std::max(n, 0);
    if (static_cast<long long>(values.size()) != static_cast<long long>(n) * n) {
        Refuse("FillAll : " + std::to_string(values.size()) + " values for " + std::to_string(n) + " x " +
               std::to_string(n) + " elements ! ");
    }
    m.SetSize(n, n);
    auto it = values.begin();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n && it != values.end(); ++j) {
            m.Set(i, j, *it++);
        }
    }
}

void FillLower(CMatrix& m, int n, std::initializer_list<double> values) {
    n = std::max(n, 0);
    if (static_cast<long long>(values.size()) != static_cast<long long>(n) * (n - 1) / 2) {
        Refuse("FillLower : " + std::to_string(values.size()) + " values for a " + std::to_string(n) + " x " +
               std::to_string(n) + " lower triangle ! ");
    }
    m.SetSize(n, n);
    auto it = values.begin();
    for (int i = 2; i <= n; ++i) {
        for (int j = 1; j < i && it != values.end(); ++j) {
            m.Set(i, j, *it++);
        }
    }
}

double FrobeniusNorm(const CMatrix& m) { return m.FrobeniusNorm(); }
double RowSumNorm(const CMatrix& m) { return m.RowSumNorm(); }
double ColSumNorm(const CMatrix& m) { return m.ColSumNorm(); }
double AbsSum(const CMatrix& m) { return m.AbsSum(); }

}  // namespace formix
