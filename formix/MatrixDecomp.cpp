#include "formix/MatrixDecomp.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "formix/NumericDiagnostics.h"

namespace formix {

namespace {

bool Refuse(const std::string& what) {
    ReportNumeric(what, "CMatrix");
    return false;
}

// The sign of a Householder vector's leading term: 0 counts as positive, so that the divisor
// sign·‖x‖ + x_1 is 0 only for a zero vector.
double HouseSign(double x) { return x < 0.0 ? -1.0 : 1.0; }

// Element (i, j) of a matrix whose shape the caller has checked.
inline double& At(CMatrix& a, int i, int j) { return a.RowPtr(i)[j - 1]; }
inline double At(const CMatrix& a, int i, int j) { return a.RowPtr(i)[j - 1]; }

// Column part a(from..to, j) as a new vector.
CVektor ColumnPart(const CMatrix& a, int j, int from, int to) {
    CVektor x(to - from + 1);
    for (int i = from; i <= to; ++i) {
        x.Data()[i - from] = At(a, i, j);
    }
    return x;
}

// Row part a(i, from..to) as a new row vector.
CVektor RowPart(const CMatrix& a, int i, int from, int to) {
    CVektor x(to - from + 1, "", true);
    std::copy(a.RowPtr(i) + (from - 1), a.RowPtr(i) + to, x.Data());
    return x;
}

// The stored vector (1, a(from..to, j)).
CVektor StoredColumnVektor(const CMatrix& a, int j, int from, int to) {
    CVektor v(to - from + 2);
    v.Data()[0] = 1.0;
    for (int i = from; i <= to; ++i) {
        v.Data()[i - from + 1] = At(a, i, j);
    }
    return v;
}

// The stored vector (1, a(i, from..to)).
CVektor StoredRowVektor(const CMatrix& a, int i, int from, int to) {
    CVektor v(to - from + 2);
    v.Data()[0] = 1.0;
    std::copy(a.RowPtr(i) + (from - 1), a.RowPtr(i) + to, v.Data() + 1);
    return v;
}

// Gives m the shape rows × cols unless it is a view of another shape.
bool CanShape(const CMatrix& m, int rows, int cols) {
    return (m.Rows() == rows && m.Cols() == cols) || !m.IsView();
}

void MakeIdentity(CMatrix& m, int n) {
    if (m.Rows() != n || m.Cols() != n) {
        m.SetSize(n, n);
    }
    m.Identity();
}

void MakeZero(CMatrix& m, int rows, int cols) {
    if (m.Rows() != rows || m.Cols() != cols) {
        m.SetSize(rows, cols);
    }
    m.Zero();
}

double SumOfSquares(const CVektor& v) {
    double sum = 0.0;
    for (int i = 0; i < v.Dim(); ++i) {
        sum += v.Data()[i] * v.Data()[i];
    }
    return sum;
}

// The two singular values of the upper triangular 2 × 2 block ((p, q), (0, r)).
void TwoByTwoValues(double p, double q, double r, double& large, double& small) {
    double h = (p * p + q * q + r * r) / 2.0;
    double delta = (p * r) * (p * r);
    double root = std::sqrt(std::max(h * h - delta, 0.0));
    large = std::sqrt(h + root);
    small = std::sqrt(std::max(h - root, 0.0));
}

}  // namespace

// ---- building blocks ----

void HouseholderVektor(const CVektor& x, CVektor& v) {
    const int n = x.Dim();
    const int needed = std::max(n, 1);
    if (v.Dim() < needed) {
        if (v.IsView()) {
            Refuse("HouseholderVektor : the vector is too short ! ");
            return;
        }
        v.Resize(needed);
        if (v.Dim() < needed) {
            return;
        }
    }
    const double x1 = n > 0 ? x.Data()[0] : 0.0;
    const double a = Norm(x, 2);
    // Copy first: x and v may share storage.
    std::vector<double> values(x.Data(), x.Data() + n);
    if (a != 0.0) {
        const double c = HouseSign(x1) * a + x1;
        for (int i = 1; i < n; ++i) {
            v.Data()[i] = values[static_cast<size_t>(i)] / c;
        }
    } else {
        for (int i = 1; i < n; ++i) {
            v.Data()[i] = 0.0;
        }
    }
    v.Data()[0] = 1.0;
}

namespace {

// β = −2 / vᵀv of a reflection vector of the expected dimension; false when v has another
// dimension (with a message) or is zero (no reflection: nothing to apply).
bool ReflectionFactor(const CVektor& v, int expected, const char* name, double& beta) {
    if (v.Dim() != expected) {
        return Refuse(std::string(name) + " : Error in Dimensions ! ");
    }
    const double vv = SumOfSquares(v);
    if (vv == 0.0) {
        return false;
    }
    beta = -2.0 / vv;
    return true;
}

}  // namespace

void ReflectLeft(CMatrix& a, const CVektor& v) {
    double beta;
    if (!ReflectionFactor(v, a.Rows(), "ReflectLeft", beta)) {
        return;
    }
    const double* w = v.Data();
    for (int j = 1; j <= a.Cols(); ++j) {
        double sum = 0.0;
        for (int i = 1; i <= a.Rows(); ++i) {
            sum += At(a, i, j) * w[i - 1];
        }
        sum *= beta;
        for (int i = 1; i <= a.Rows(); ++i) {
            At(a, i, j) += w[i - 1] * sum;
        }
    }
}

void ReflectRight(CMatrix& a, const CVektor& v) {
    double beta;
    if (!ReflectionFactor(v, a.Cols(), "ReflectRight", beta)) {
        return;
    }
    const double* w = v.Data();
    for (int i = 1; i <= a.Rows(); ++i) {
        double* row = a.RowPtr(i);
        double sum = 0.0;
        for (int j = 0; j < a.Cols(); ++j) {
            sum += row[j] * w[j];
        }
        sum *= beta;
        for (int j = 0; j < a.Cols(); ++j) {
            row[j] += sum * w[j];
        }
    }
}

void ReflectVektor(CVektor& x, const CVektor& v) {
    double beta;
    if (!ReflectionFactor(v, x.Dim(), "ReflectVektor", beta)) {
        return;
    }
    double sum = 0.0;
    for (int i = 0; i < x.Dim(); ++i) {
        sum += x.Data()[i] * v.Data()[i];
    }
    sum *= beta;
    for (int i = 0; i < x.Dim(); ++i) {
        x.Data()[i] += v.Data()[i] * sum;
    }
}

void Givens(double a, double b, double& c, double& s) {
    if (b == 0.0) {
        c = 1.0;
        s = 0.0;
    } else if (std::fabs(a) >= std::fabs(b)) {
        double t = b / a;
        c = 1.0 / std::sqrt(t * t + 1.0);
        s = t * c;
    } else {
        double t = a / b;
        s = 1.0 / std::sqrt(t * t + 1.0);
        c = t * s;
    }
}

void RotateRows(CMatrix& a, double c, double s) {
    if (a.Rows() != 2) {
        Refuse("RotateRows : the matrix must have two rows ! ");
        return;
    }
    double* r1 = a.RowPtr(1);
    double* r2 = a.RowPtr(2);
    for (int j = 0; j < a.Cols(); ++j) {
        double x = r1[j];
        double y = r2[j];
        r1[j] = c * x + s * y;
        r2[j] = c * y - s * x;
    }
}

namespace {

void RotateColumnPair(CMatrix& a, double c, double s, bool transposed, const char* name) {
    if (a.Cols() != 2) {
        Refuse(std::string(name) + " : the matrix must have two columns ! ");
        return;
    }
    for (int i = 1; i <= a.Rows(); ++i) {
        double* row = a.RowPtr(i);
        double x = row[0];
        double y = row[1];
        row[0] = c * x + s * y;
        row[1] = transposed ? s * x - c * y : c * y - s * x;
    }
}

}  // namespace

void RotateCols(CMatrix& a, double c, double s) { RotateColumnPair(a, c, s, false, "RotateCols"); }

void RotateColsT(CMatrix& a, double c, double s) { RotateColumnPair(a, c, s, true, "RotateColsT"); }

int GivensSweep(CMatrix& h) {
    const int n = std::min(h.Rows(), h.Cols());
    for (int i = 1; i <= n - 1; ++i) {
        double c, s;
        Givens(At(h, i, i), At(h, i + 1, i), c, s);
        CMatrix rows = h.SubMatrix(i, i + 1, 1, h.Cols());
        RotateRows(rows, c, s);
        CMatrix cols = h.SubMatrix(1, h.Rows(), i, i + 1);
        RotateCols(cols, c, s);
    }
    return std::max(n - 1, 0);
}

void BidiagChase(CMatrix& b) {
    if (!b.IsSquare()) {
        Refuse("BidiagChase : the matrix is not square ! ");
        return;
    }
    const int n = b.Rows();
    CVektor v(2);
    for (int i = 1; i <= n - 1; ++i) {
        HouseholderVektor(CVektor(At(b, i, i), At(b, i + 1, i)), v);
        CMatrix rows = b.SubMatrix(i, i + 1, i, n);
        ReflectLeft(rows, v);
        if (i <= n - 2) {
            HouseholderVektor(CVektor(At(b, i, i + 1), At(b, i, i + 2)), v);
            CMatrix cols = b.SubMatrix(i, n, i + 1, i + 2);
            ReflectRight(cols, v);
        }
    }
}

// ---- QR ----

bool CMatrix::QRDecompose(CMatrix* q, bool force) {
    if (!force) {
        if (m_nState == qrFactors) {
            return true;
        }
        if (m_nState == luFactors) {
            return false;
        }
    }
    const int m = m_nRows;
    const int n = m_nCols;
    if (q && !CanShape(*q, m, m)) {
        return Refuse("CMatrix::QRDecompose : Q cannot take the shape " + std::to_string(m) + " x " +
                      std::to_string(m) + " ! ");
    }
    const int steps = std::min(m, n);
    std::vector<double> w(static_cast<size_t>(m) + 1);
    std::vector<double> r(static_cast<size_t>(n) + 1);
    CMatrix& a = *this;
    for (int s = 1; s <= steps; ++s) {
        double nu = 0.0;
        for (int i = s; i <= m; ++i) {
            nu += At(a, i, s) * At(a, i, s);
            w[static_cast<size_t>(i)] = At(a, i, s);
        }
        nu = std::sqrt(nu);
        const double alpha = HouseSign(At(a, s, s)) * nu + At(a, s, s);
        if (alpha != 0.0) {
            for (int i = s + 1; i <= m; ++i) {
                w[static_cast<size_t>(i)] /= alpha;
            }
        }
        w[static_cast<size_t>(s)] = 1.0;
        double ww = 0.0;
        for (int i = s; i <= m; ++i) {
            ww += w[static_cast<size_t>(i)] * w[static_cast<size_t>(i)];
        }
        const double beta = -2.0 / ww;
        for (int j = s; j <= n; ++j) {
            double sum = 0.0;
            for (int k = s; k <= m; ++k) {
                sum += beta * At(a, k, j) * w[static_cast<size_t>(k)];
            }
            r[static_cast<size_t>(j)] = sum;
        }
        for (int i = s; i <= m; ++i) {
            for (int j = s; j <= n; ++j) {
                At(a, i, j) += w[static_cast<size_t>(i)] * r[static_cast<size_t>(j)];
            }
        }
        for (int i = s + 1; i <= m; ++i) {
            At(a, i, s) = w[static_cast<size_t>(i)];
        }
    }
    if (q) {
        MakeIdentity(*q, m);
        for (int s = steps; s >= 1; --s) {
            CMatrix block = q->SubMatrix(s, m, s, m);
            ReflectLeft(block, StoredColumnVektor(a, s, s + 1, m));
        }
    }
    m_nState = qrFactors;
    return true;
}

bool QRHouseholder(CMatrix& a) {
    const int m = a.Rows();
    const int n = a.Cols();
    CVektor work(m);
    for (int i = 1; i <= n && i < m; ++i) {
        CVektor v = work.SubVektor(i, m);
        HouseholderVektor(ColumnPart(a, i, i, m), v);
        CMatrix block = a.SubMatrix(i, m, i, n);
        ReflectLeft(block, v);
        for (int k = i + 1; k <= m; ++k) {
            At(a, k, i) = v.Data()[k - i];
        }
    }
    return true;
}

bool QRSplit(CMatrix& a, CMatrix* q, CMatrix* r) {
    const int m = a.Rows();
    const int n = a.Cols();
    if ((q && !CanShape(*q, m, m)) || (r && !CanShape(*r, m, n))) {
        return Refuse("QRSplit : Q or R cannot take its shape ! ");
    }
    QRHouseholder(a);
    if (q) {
        MakeIdentity(*q, m);
        for (int g = std::min(n, m - 1); g >= 1; --g) {
            CMatrix block = q->SubMatrix(g, m, g, m);
            ReflectLeft(block, StoredColumnVektor(a, g, g + 1, m));
        }
    }
    if (r) {
        MakeZero(*r, m, n);
        for (int g = 1; g <= std::min(m, n); ++g) {
            for (int j = g; j <= n; ++j) {
                At(*r, g, j) = At(a, g, j);
            }
        }
    }
    return true;
}

bool QRSolve(CMatrix& a, const CVektor& b, CVektor& x, double tol) {
    const int m = a.Rows();
    const int n = a.Cols();
    if (b.Dim() < m) {
        return Refuse("QRSolve : the right-hand side is too short ! ");
    }
    if (x.IsView() && x.Dim() != n) {
        return Refuse("QRSolve : the solution vector cannot take " + std::to_string(n) + " elements ! ");
    }
    if (!a.QRDecompose(nullptr, false)) {
        return false;
    }
    const int steps = std::min(m, n);
    CVektor y = b.Slice(1, m);
    // Every stored reflection, also the one-element reflection of the last row of a square matrix.
    for (int c = 1; c <= steps; ++c) {
        CVektor part = y.SubVektor(c, m);
        ReflectVektor(part, StoredColumnVektor(a, c, c + 1, m));
    }
    std::vector<double> values(static_cast<size_t>(n), 0.0);
    for (int k = 1; k <= steps; ++k) {
        values[static_cast<size_t>(k - 1)] = y.Data()[k - 1];
    }
    bool ok = true;
    for (int k = steps; k >= 1; --k) {
        double v = values[static_cast<size_t>(k - 1)];
        for (int j = k + 1; j <= n; ++j) {
            v -= At(a, k, j) * values[static_cast<size_t>(j - 1)];
        }
        values[static_cast<size_t>(k - 1)] = v;
        if (std::fabs(At(a, k, k)) < tol) {
            a.SetState(CMatrix::failed);
            ok = false;
            break;
        }
        values[static_cast<size_t>(k - 1)] = v / At(a, k, k);
    }
    x.Assign(values);
    return ok;
}

// ---- Hessenberg ----

bool Hessenberg(CMatrix& a) {
    if (a.State() == CMatrix::hessenberg) {
        return true;
    }
    if (a.State() != CMatrix::plain) {
        return false;
    }
    if (!a.IsSquare()) {
        return Refuse("Hessenberg : the matrix is not square ! ");
    }
    const int n = a.Rows();
    for (int i = 1; i < n - 1; ++i) {
        CVektor d(n - i);
        HouseholderVektor(ColumnPart(a, i, i + 1, n), d);
        CMatrix lower = a.SubMatrix(i + 1, n, i, n);
        ReflectLeft(lower, d);
        CMatrix right = a.SubMatrix(1, n, i + 1, n);
        ReflectRight(right, d);
        for (int k = i + 2; k <= n; ++k) {
            At(a, k, i) = d.Data()[k - i - 1];
        }
    }
    a.SetState(CMatrix::hessenberg);
    return true;
}

bool HessenbergSplit(CMatrix& a, CMatrix& q, CMatrix& h) {
    const int n = a.Rows();
    if (!CanShape(q, n, n) || !CanShape(h, n, a.Cols())) {
        return Refuse("HessenbergSplit : Q or H cannot take its shape ! ");
    }
    if (!Hessenberg(a)) {
        return false;
    }
    MakeIdentity(q, n);
    for (int g = n; g >= 1; --g) {
        if (g < n - 1) {
            CMatrix block = q.SubMatrix(g + 1, n, g + 1, n);
            ReflectLeft(block, StoredColumnVektor(a, g, g + 2, n));
        }
    }
    MakeZero(h, n, n);
    for (int g = 1; g <= n; ++g) {
        for (int j = std::max(g - 1, 1); j <= n; ++j) {
            At(h, g, j) = At(a, g, j);
        }
    }
    return true;
}

// ---- Cholesky ----

bool Cholesky(CMatrix& a, bool force) {
    if (!force) {
        if (a.State() == CMatrix::cholesky) {
            return true;
        }
        if (a.State() != CMatrix::plain) {
            return false;
        }
    }
    if (!a.IsSquare()) {
        return Refuse("Cholesky : the matrix is not square ! ");
    }
    const int n = a.Rows();
    for (int i = 1; i <= n; ++i) {
        // Not positive definite (or not a number): no real factor exists.
        if (!(At(a, i, i) > 0.0)) {
            a.SetState(CMatrix::failed);
            return false;
        }
        At(a, i, i) = std::sqrt(At(a, i, i));
        for (int j = i + 1; j <= n; ++j) {
            At(a, j, i) /= At(a, i, i);
        }
        for (int j = i + 1; j <= n; ++j) {
            for (int k = j; k <= n; ++k) {
                At(a, k, j) -= At(a, k, i) * At(a, j, i);
            }
        }
    }
    a.SetState(CMatrix::cholesky);
    return true;
}

bool CholeskySplit(CMatrix& a, CMatrix& l, bool force) {
    if (!CanShape(l, a.Rows(), a.Rows())) {
        return Refuse("CholeskySplit : L cannot take its shape ! ");
    }
    if (!Cholesky(a, force)) {
        return false;
    }
    const int n = a.Rows();
    MakeZero(l, n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= i; ++j) {
            At(l, i, j) = At(a, i, j);
        }
    }
    return true;
}

bool CholeskySolve(CMatrix& a, const CVektor& b, CVektor& x, double tol) {
    const int n = a.Rows();
    if (b.Dim() < n) {
        return Refuse("CholeskySolve : the right-hand side is too short ! ");
    }
    if (x.IsView() && x.Dim() != n) {
        return Refuse("CholeskySolve : the solution vector cannot take " + std::to_string(n) + " elements ! ");
    }
    if (!Cholesky(a, false)) {
        a.SetState(CMatrix::failed);
        return false;
    }
    std::vector<double> y(b.Data(), b.Data() + n);
    for (int r = 1; r <= n; ++r) {
        double v = y[static_cast<size_t>(r - 1)];
        for (int s = 1; s < r; ++s) {
            v -= At(a, r, s) * y[static_cast<size_t>(s - 1)];
        }
        if (std::fabs(At(a, r, r)) < tol) {
            a.SetState(CMatrix::failed);
            return false;
        }
        y[static_cast<size_t>(r - 1)] = v / At(a, r, r);
    }
    for (int r = n; r >= 1; --r) {
        double v = y[static_cast<size_t>(r - 1)];
        for (int s = r + 1; s <= n; ++s) {
            v -= At(a, s, r) * y[static_cast<size_t>(s - 1)];
        }
        if (std::fabs(At(a, r, r)) < tol) {
            a.SetState(CMatrix::failed);
            return false;
        }
        y[static_cast<size_t>(r - 1)] = v / At(a, r, r);
    }
    return x.Assign(y);
}

// ---- bidiagonal form and singular values ----

bool Bidiagonalize(CMatrix& a) {
    if (a.State() == CMatrix::bidiagonal) {
        return true;
    }
    if (a.State() != CMatrix::plain) {
        return false;
    }
    const int m = a.Rows();
    const int n = a.Cols();
    if (m < n) {
        return Refuse("Bidiagonalize : the matrix has fewer rows than columns ! ");
    }
    for (int i = 1; i <= n; ++i) {
        if (i < m) {
            CVektor v(m - i + 1);
            HouseholderVektor(ColumnPart(a, i, i, m), v);
            CMatrix block = a.SubMatrix(i, m, i, n);
            ReflectLeft(block, v);
            for (int k = i + 1; k <= m; ++k) {
                At(a, k, i) = v.Data()[k - i];
            }
        }
        if (i <= n - 2) {
            CVektor v(n - i);
            HouseholderVektor(RowPart(a, i, i + 1, n), v);
            CMatrix block = a.SubMatrix(i, m, i + 1, n);
            ReflectRight(block, v);
            for (int k = i + 2; k <= n; ++k) {
                At(a, i, k) = v.Data()[k - i - 1];
            }
        }
    }
    a.SetState(CMatrix::bidiagonal);
    return true;
}

bool BidiagSplit(CMatrix& a, CMatrix& u, CMatrix& b, CMatrix& v) {
    const int m = a.Rows();
    const int n = a.Cols();
    if (!CanShape(u, m, m) || !CanShape(b, n, n) || !CanShape(v, n, n)) {
        return Refuse("BidiagSplit : U, B or V cannot take its shape ! ");
    }
    if (!Bidiagonalize(a)) {
        return false;
    }
    MakeIdentity(u, m);
    for (int g = std::min(n, m - 1); g >= 1; --g) {
        CMatrix block = u.SubMatrix(g, m, g, m);
        ReflectLeft(block, StoredColumnVektor(a, g, g + 1, m));
    }
    MakeIdentity(v, n);
    for (int g = n - 2; g >= 1; --g) {
        CMatrix block = v.SubMatrix(g + 1, n, g + 1, n);
        ReflectRight(block, StoredRowVektor(a, g, g + 2, n));
    }
    MakeZero(b, n, n);
    for (int g = 1; g <= n; ++g) {
        At(b, g, g) = At(a, g, g);
        if (g < n) {
            At(b, g, g + 1) = At(a, g, g + 1);
        }
    }
    return true;
}

bool SingularValues(CMatrix& a, CVektor& sv, double tol) {
    const int m = a.Rows();
    const int k = a.Cols();
    if (m < k) {
        return Refuse("SingularValues : the matrix has fewer rows than columns ! ");
    }
    if (sv.Dim() < k) {
        if (sv.IsView()) {
            return Refuse("SingularValues : the vector cannot take " + std::to_string(k) + " values ! ");
        }
        sv.Resize(k);
        if (sv.Dim() < k) {
            return false;
        }
    }
    CMatrix u(m, m), b(k, k), v(k, k);
    if (!BidiagSplit(a, u, b, v)) {
        return false;
    }
    double* out = sv.Data();
    int s = k;
    double mu = 0.0;
    double p = k > 0 ? At(b, s, s) : 0.0;
    double f = p;
    constexpr int kMaxIterations = 200;
    for (int iteration = 0; s >= 3 && iteration < kMaxIterations; ++iteration) {
        const double y = At(b, 1, 1) * At(b, 1, 1) - mu;
        const double z = At(b, 1, 2) * At(b, 1, 1);
        const double rho = std::sqrt(y * y + z * z);
        // y and z both 0 leave nothing to rotate.
        CMatrix lead = b.SubMatrix(1, s, 1, 2);
        RotateColsT(lead, rho != 0.0 ? y / rho : 1.0, rho != 0.0 ? z / rho : 0.0);
        CMatrix active = b.SubMatrix(1, s, 1, s);
        BidiagChase(active);
        const double e1 = std::fabs(At(b, s - 1, s));
        const double e2 = std::fabs(At(b, s - 2, s - 1));
        const double d1 = std::fabs(At(b, s, s));
        const double d2 = std::fabs(At(b, s - 1, s - 1));
        if ((d1 + d2) * tol >= std::min(e1, e2)) {
            if (e1 >= e2) {
                TwoByTwoValues(At(b, s - 1, s - 1), At(b, s - 1, s), At(b, s, s), out[s - 2], out[s - 1]);
                s -= 2;
            } else {
                out[s - 1] = d1;
                s -= 1;
            }
            mu = 0.0;
            p = f = At(b, s, s);
        } else {
            f = At(b, s, s);
            if (std::fabs(1.0 - p / f) <= 0.3) {
                mu = f * f;
            }
            p = f;
        }
    }
    if (s >= 3) {
        for (int i = 1; i <= s; ++i) {
            out[i - 1] = std::fabs(At(b, i, i));
        }
        return false;
    }
    if (s == 2) {
        TwoByTwoValues(At(b, 1, 1), At(b, 1, 2), At(b, 2, 2), out[0], out[1]);
    } else if (s == 1) {
        out[0] = std::fabs(At(b, 1, 1));
    }
    return true;
}

}  // namespace formix
