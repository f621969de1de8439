#include "formix/Vektor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <istream>
#include <new>
#include <ostream>

#include "formix/ListTable.h"
#include "formix/Matrix.h"
#include "formix/NumberString.h"
#include "formix/NumericDiagnostics.h"
#include "formix/NumericFormula.h"
#include "formix/NumericStreams.h"
#include "formix/TextList.h"

namespace formix {

namespace {

const char* const kUnnamed = "(unbenannt)";
const char* const kDimensionError = "CVektor::operator()(int t) : Error in Dimensions ! ";

std::string IndexCaption(int t, int dim) {
    return " t = " + std::to_string(t) + " , Dim = " + std::to_string(dim) + " ";
}

// The p-norm rule shared by Norm and Distance, over `n` values given by `value(i)`.
template <typename F>
double NormOf(int n, int p, F value) {
    if (p == 0 || p == -1) {
        double m = 0.0;
        for (int i = 1; i <= n; ++i) {
            m = std::max(m, std::fabs(value(i)));
        }
        return m;
    }
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) {
        double v = value(i);
        if (p == 1) {
            sum += std::fabs(v);
        } else if (p == 2) {
            sum += v * v;
        } else {
            sum += std::pow(v, p);
        }
    }
    if (p == 1) {
        return sum;
    }
    if (p == 2) {
        return std::sqrt(sum);
    }
    return std::pow(sum, 1.0 / p);
}

template <typename F>
CVektor MapColumn(const CVektor& v, F f) {
    CVektor r(v.Dim(), kUnnamed, false);
    for (int i = 1; i <= v.Dim(); ++i) {
        r.Data()[i - 1] = f(v.Data()[i - 1]);
    }
    return r;
}

}  // namespace

// ---- construction ----

void CVektor::Allocate(int n) {
    Release();
    if (n <= 0) {
        return;
    }
    try {
        m_pKeep = std::make_shared<double[]>(static_cast<size_t>(n));
        m_pData = m_pKeep.get();
        m_nDim = n;
    } catch (const std::bad_alloc&) {
        m_nOrient = 0;
    }
}

void CVektor::Release() {
    m_pKeep.reset();
    m_pData = nullptr;
    m_nDim = 0;
}

CVektor::CVektor() = default;

CVektor::CVektor(int n, const char* name, bool row) : m_nOrient(row ? kRow : kColumn), m_strName(name ? name : "") {
    Allocate(n);
}

CVektor::CVektor(double a) : CVektor(std::vector<double>{a}) {}
CVektor::CVektor(double a, double b) : CVektor(std::vector<double>{a, b}) {}
CVektor::CVektor(double a, double b, double c) : CVektor(std::vector<double>{a, b, c}) {}
CVektor::CVektor(double a, double b, double c, double d) : CVektor(std::vector<double>{a, b, c, d}) {}

CVektor::CVektor(const std::vector<double>& values) {
    Assign(values);
}

CVektor::CVektor(const CFloatVektor& f) : CVektor(f.Count()) {
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] = f.Data()[i];
    }
}

CVektor::CVektor(const CVektor& v)
    : CMathObject(v), m_nOrient(v.m_nOrient), m_bView(v.m_bView), m_strName(v.m_strName) {
    if (v.m_bView) {
        m_pKeep = v.m_pKeep;
        m_pData = v.m_pData;
        m_nDim = v.m_nDim;
        return;
    }
    Allocate(v.m_nDim);
    if (m_nDim == v.m_nDim && m_nDim > 0) {
        std::memcpy(m_pData, v.m_pData, sizeof(double) * static_cast<size_t>(m_nDim));
    }
}

CVektor::CVektor(const CMatrix& m) : m_strName(m.Name()) {
    if (m.Rows() == 1) {
        // One row (also 1×1, which stays a column).
        m_nOrient = m.Cols() == 1 ? kColumn : kRow;
        Allocate(m.Cols());
        for (int j = 1; j <= m_nDim; ++j) {
            m_pData[j - 1] = m.Element(1, j);
        }
    } else if (m.Cols() == 1) {
        Allocate(m.Rows());
        for (int i = 1; i <= m_nDim; ++i) {
            m_pData[i - 1] = m.Element(i, 1);
        }
    } else {
        Refuse("CVektor::CVektor(const CMatrix&) : the matrix has neither one row nor one column ! ");
    }
}

CVektor::CVektor(int n, bool view, bool row, double* p) : m_nOrient(row ? kRow : kColumn) {
    if (view) {
        m_bView = 1;
        if (p && n > 0) {
            m_pData = p;
            m_nDim = n;
        }
        return;
    }
    Allocate(n);
}

CVektor::CVektor(double a, const CVektor& v) : CVektor(v.m_nDim + 1, "", true) {
    if (m_nDim == v.m_nDim + 1) {
        m_pData[0] = a;
        std::copy(v.m_pData, v.m_pData + v.m_nDim, m_pData + 1);
    }
}

CVektor::CVektor(double a, const CFloatVektor& f) : CVektor(f.Count() + 1, "", true) {
    if (m_nDim == f.Count() + 1) {
        m_pData[0] = a;
        for (int i = 0; i < f.Count(); ++i) {
            m_pData[i + 1] = f.Data()[i];
        }
    }
}

CVektor::~CVektor() = default;

// ---- element access ----

double& CVektor::Scratch() const {
    m_dScratch = 0.0;
    return m_dScratch;
}

void CVektor::ReportRange(int t, const char* caption) const {
    ReportNumeric(kDimensionError, caption ? std::string(caption) : IndexCaption(t, m_nDim));
}

bool CVektor::Refuse(const char* what) const {
    ReportNumeric(what, "CVektor");
    return false;
}

double& CVektor::operator()(int t) {
    if (m_bConst) {
        m_nMaxIndex = std::max(m_nMaxIndex, t);
        return m_nDim > 0 ? m_pData[0] : Scratch();
    }
    if (t >= 1 && t <= m_nDim) {
        return m_pData[t - 1];
    }
    ReportRange(t, nullptr);
    if (t > m_nDim && !m_bView) {
        Resize(t);
        if (m_nDim == t) {
            return m_pData[t - 1];
        }
    }
    return Scratch();
}

double CVektor::operator()(int t) const {
    if (m_bConst) {
        ReportNumeric("Kann Dimension nicht testen. Konstantes Objekt.", "CVektor");
        return m_nDim > 0 ? m_pData[0] : 0.0;
    }
    if (t >= 1 && t <= m_nDim) {
        return m_pData[t - 1];
    }
    ReportRange(t, nullptr);
    return 0.0;
}

double CVektor::Get(int t) const {
    if (m_bConst) {
        ReportNumeric("Kann Dimension nicht testen. Konstantes Objekt.", "ec");
        return m_nDim > 0 ? m_pData[0] : 0.0;
    }
    if (t >= 1 && t <= m_nDim) {
        return m_pData[t - 1];
    }
    ReportRange(t, "CVektor");
    return 0.0;
}

double CVektor::Element(int t) const {
    return t >= 1 && t <= m_nDim ? m_pData[t - 1] : 0.0;
}

double* CVektor::ElementPtr(int t) {
    if (t >= 1 && t <= m_nDim && !m_bConst) {
        return &m_pData[t - 1];
    }
    m_nMaxIndex = std::max(m_nMaxIndex, t);
    if (m_bConst && m_nDim > 0) {
        return &m_pData[0];
    }
    return &Scratch();
}

void CVektor::Set(int t, double x) {
    if (m_bConst) {
        m_nMaxIndex = std::max(m_nMaxIndex, t);
        return;
    }
    if (t >= 1 && t <= m_nDim) {
        m_pData[t - 1] = x;
        return;
    }
    ReportNumeric("CVektor::Set(int t, double x) : Error in Dimensions ! ", IndexCaption(t, m_nDim));
}

// ---- shape and filling ----

void CVektor::SetDim(int n) {
    n = std::max(n, 0);
    if (n == m_nDim || m_bView) {
        return;
    }
    Allocate(n);
}

void CVektor::Resize(int n) {
    n = std::max(n, 0);
    if (n == m_nDim || m_bView) {
        return;
    }
    std::shared_ptr<double[]> storage;
    if (n > 0) {
        try {
            storage = std::make_shared<double[]>(static_cast<size_t>(n));
        } catch (const std::bad_alloc&) {
            m_nOrient = 0;  // the old elements stay
            return;
        }
        std::copy(m_pData, m_pData + std::min(n, m_nDim), storage.get());
    }
    m_pKeep = std::move(storage);
    m_pData = m_pKeep.get();
    m_nDim = n;
}

void CVektor::Zero() { std::fill(m_pData, m_pData + m_nDim, 0.0); }

void CVektor::Ones() { std::fill(m_pData, m_pData + m_nDim, 1.0); }

void CVektor::Unit(int k) {
    Zero();
    if (k >= 1 && k <= m_nDim) {
        m_pData[k - 1] = 1.0;
    }
}

void CVektor::SetRow(bool row) {
    if (!m_bView) {
        m_nOrient = row ? kRow : kColumn;
    }
}

void CVektor::Transpose() {
    if (m_bView) {
        return;
    }
    if (m_nOrient == kRow) {
        m_nOrient = kColumn;
    } else if (m_nOrient == kColumn) {
        m_nOrient = kRow;
    }
}

CVektor CVektor::SubVektor(int from, int to) {
    CVektor view(0, true, m_nOrient == kRow, nullptr);
    view.m_nOrient = m_nOrient;
    if (from < 1 || to > m_nDim || from > to + 1) {
        ReportNumeric("CVektor::SubVektor(int from, int to) : Error in Dimensions ! ",
                      " from = " + std::to_string(from) + " , to = " + std::to_string(to) +
                          " , Dim = " + std::to_string(m_nDim) + " ");
        return view;
    }
    if (to >= from) {
        view.m_pKeep = m_pKeep;
        view.m_pData = m_pData + (from - 1);
        view.m_nDim = to - from + 1;
    }
    return view;
}

CVektor CVektor::Slice(int from, int to) const {
    if (from < 1 || to > m_nDim || from > to + 1) {
        ReportNumeric("CVektor::Slice(int from, int to) : Error in Dimensions ! ",
                      " from = " + std::to_string(from) + " , to = " + std::to_string(to) +
                          " , Dim = " + std::to_string(m_nDim) + " ");
        CVektor empty(0, kUnnamed, m_nOrient == kRow);
        empty.m_nOrient = m_nOrient;
        return empty;
    }
    CVektor r(to - from + 1, kUnnamed, false);
    r.m_nOrient = m_nOrient;
    std::copy(m_pData + (from - 1), m_pData + to, r.m_pData);
    return r;
}

CVektor CVektor::Transposed() const {
    CVektor r(m_nDim, kUnnamed, m_nOrient != kRow);
    std::copy(m_pData, m_pData + m_nDim, r.m_pData);
    return r;
}

void CVektor::Random() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] = static_cast<double>(std::rand() % 32768);
    }
}

// ---- assignment ----

CVektor& CVektor::operator=(const CVektor& v) {
    if (this == &v) {
        m_strName = v.m_strName;
        return *this;
    }
    if (m_bView && v.m_nDim != m_nDim) {
        Refuse("CVektor::operator=(const CVektor&) : a view cannot change its dimension ! ");
        return *this;
    }
    // The source may show this vector's storage: keep it alive while copying.
    std::shared_ptr<double[]> sourceKeep = v.m_pKeep;
    const double* source = v.m_pData;
    int n = v.m_nDim;
    m_strName = v.m_strName;
    SetDim(n);
    if (m_nDim != n) {
        return *this;  // no storage
    }
    m_nOrient = v.m_nOrient;
    if (n > 0 && m_pData != source) {
        std::memmove(m_pData, source, sizeof(double) * static_cast<size_t>(n));
    }
    return *this;
}

CVektor& CVektor::operator=(double x) {
    if (m_bView && m_nDim != 1) {
        Refuse("CVektor::operator=(double) : a view cannot change its dimension ! ");
        return *this;
    }
    SetDim(1);
    if (m_nDim == 1) {
        m_pData[0] = x;
    }
    return *this;
}

CVektor& CVektor::operator=(const CMatrix& m) {
    m_strName = m.Name();
    bool oneRow = m.Rows() == 1;
    bool oneColumn = m.Cols() == 1 && m.Rows() > 1;
    if (!oneRow && !oneColumn) {
        return *this;
    }
    int n = oneRow ? m.Cols() : m.Rows();
    if (m_bView && n != m_nDim) {
        Refuse("CVektor::operator=(const CMatrix&) : a view cannot change its dimension ! ");
        return *this;
    }
    std::vector<double> values;
    for (int k = 1; k <= n; ++k) {
        values.push_back(oneRow ? m.Element(1, k) : m.Element(k, 1));
    }
    SetDim(n);
    if (m_nDim != n) {
        return *this;
    }
    std::copy(values.begin(), values.end(), m_pData);
    if (oneColumn) {
        m_nOrient = kColumn;
    } else if (m.Cols() > 1) {
        m_nOrient = kRow;
    }
    return *this;
}

bool CVektor::Assign(const std::vector<double>& values) {
    int n = static_cast<int>(values.size());
    if (m_bView && n != m_nDim) {
        return Refuse("CVektor : a view cannot change its dimension ! ");
    }
    SetDim(n);
    if (m_nDim != n) {
        return false;
    }
    std::copy(values.begin(), values.end(), m_pData);
    return true;
}

// ---- arithmetic ----

CVektor& CVektor::AddScaled(const CVektor& v, double factor, const char* what) {
    if (v.m_nDim < m_nDim) {
        Refuse(what);
        return *this;
    }
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] += factor * v.m_pData[i];
    }
    return *this;
}

CVektor& CVektor::operator+=(const CVektor& v) {
    return AddScaled(v, 1.0, "CVektor::operator+=(const CVektor&) : Error in Dimensions ! ");
}

CVektor& CVektor::operator-=(const CVektor& v) {
    return AddScaled(v, -1.0, "CVektor::operator-=(const CVektor&) : Error in Dimensions ! ");
}

CVektor& CVektor::operator*=(double x) {
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] *= x;
    }
    return *this;
}

CVektor& CVektor::operator/=(double x) {
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] /= x;
    }
    return *this;
}

double CVektor::Norm(int p) const {
    return NormOf(m_nDim, p, [this](int i) { return m_pData[i - 1]; });
}

double CVektor::SquareSum() const {
    double sum = 0.0;
    for (int i = 0; i < m_nDim; ++i) {
        sum += m_pData[i] * m_pData[i];
    }
    return sum;
}

void CVektor::Sin() { std::transform(m_pData, m_pData + m_nDim, m_pData, [](double x) { return std::sin(x); }); }
void CVektor::Cos() { std::transform(m_pData, m_pData + m_nDim, m_pData, [](double x) { return std::cos(x); }); }
void CVektor::Tan() { std::transform(m_pData, m_pData + m_nDim, m_pData, [](double x) { return std::tan(x); }); }
void CVektor::Cot() {
    std::transform(m_pData, m_pData + m_nDim, m_pData, [](double x) { return std::cos(x) / std::sin(x); });
}
void CVektor::Abs() { std::transform(m_pData, m_pData + m_nDim, m_pData, [](double x) { return std::fabs(x); }); }

bool CVektor::Apply(const char* formula, const char* variable) {
    FunctionPtr tree = ParseFormulaTree(formula ? formula : "", variable ? variable : "");
    if (!tree) {
        return false;
    }
    for (int i = 0; i < m_nDim; ++i) {
        m_pData[i] = tree->Evaluate(m_pData[i]);
    }
    return true;
}

CMatrix CVektor::DiagMatrix() const { return Diag(*this); }

// ---- free operations ----

bool operator==(const CVektor& a, const CVektor& b) {
    if (a.Dim() != b.Dim()) {
        return false;
    }
    for (int i = 0; i < a.Dim(); ++i) {
        if (!(a.Data()[i] == b.Data()[i])) {
            return false;
        }
    }
    return true;
}

bool operator!=(const CVektor& a, const CVektor& b) { return !(a == b); }

namespace {

// A new vector of a's dimension and orientation, empty name, element i = f(a_i, i).
template <typename F>
CVektor MapLike(const CVektor& a, F f) {
    CVektor r(a.Dim(), "", a.IsRow());
    for (int i = 1; i <= r.Dim(); ++i) {
        r.Data()[i - 1] = f(a.Data()[i - 1], i);
    }
    return r;
}

}  // namespace

CVektor operator+(const CVektor& a, const CVektor& b) {
    return MapLike(a, [&b](double x, int i) { return x + b.Get(i); });
}

CVektor operator-(const CVektor& a, const CVektor& b) {
    return MapLike(a, [&b](double x, int i) { return x - b.Get(i); });
}

CVektor operator*(double x, const CVektor& v) {
    return MapLike(v, [x](double e, int) { return x * e; });
}

CVektor operator*(const CVektor& v, double x) {
    return MapLike(v, [x](double e, int) { return e * x; });
}

CVektor operator/(const CVektor& a, const CVektor& b) {
    return MapLike(a, [&b](double x, int i) { return x / b.Get(i); });
}

CVektor operator/(const CVektor& v, double x) {
    return MapLike(v, [x](double e, int) { return e / x; });
}

double Norm(const CVektor& v, int p) { return v.Norm(p); }

double Distance(const CVektor& a, const CVektor& b, int p) {
    return NormOf(std::min(a.Dim(), b.Dim()), p, [&](int i) { return a.Data()[i - 1] - b.Data()[i - 1]; });
}

double SquareSum(const CVektor& v) { return v.SquareSum(); }

double SquareDistance(const CVektor& a, const CVektor& b) {
    double sum = 0.0;
    for (int i = 0; i < std::min(a.Dim(), b.Dim()); ++i) {
        double d = a.Data()[i] - b.Data()[i];
        sum += d * d;
    }
    return sum;
}

double Dot(const CVektor& a, const CVektor& b) {
    double sum = 0.0;
    for (int i = 0; i < std::min(a.Dim(), b.Dim()); ++i) {
        sum += a.Data()[i] * b.Data()[i];
    }
    return sum;
}

CVektor Cross(const CVektor& a, const CVektor& b) {
    CVektor r(3, kUnnamed, false);
    const double* x = a.Data();
    const double* y = b.Data();
    if (a.Dim() == 3 && b.Dim() == 3) {
        r.Data()[0] = x[1] * y[2] - x[2] * y[1];
        r.Data()[1] = x[2] * y[0] - x[0] * y[2];
        r.Data()[2] = x[0] * y[1] - x[1] * y[0];
    } else if (a.Dim() == 2 && b.Dim() == 2) {
        r.Data()[2] = x[0] * y[1] - x[1] * y[0];
    }
    return r;
}

double Spat(const CVektor& a, const CVektor& b, const CVektor& c) {
    if (a.Dim() != 3 || b.Dim() != 3 || c.Dim() != 3) {
        return 0.0;
    }
    const double* x = a.Data();
    const double* y = b.Data();
    const double* z = c.Data();
    return z[0] * (x[1] * y[2] - x[2] * y[1]) + z[1] * (x[2] * y[0] - x[0] * y[2]) +
           z[2] * (x[0] * y[1] - x[1] * y[0]);
}

CVektor sin(const CVektor& v) { return MapColumn(v, [](double x) { return std::sin(x); }); }
CVektor cos(const CVektor& v) { return MapColumn(v, [](double x) { return std::cos(x); }); }
CVektor tan(const CVektor& v) { return MapColumn(v, [](double x) { return std::tan(x); }); }
CVektor cot(const CVektor& v) { return MapColumn(v, [](double x) { return std::cos(x) / std::sin(x); }); }
CVektor abs(const CVektor& v) { return MapColumn(v, [](double x) { return std::fabs(x); }); }

CVektor Apply(const CVektor& v, const char* formula, const char* variable) {
    FunctionPtr tree = ParseFormulaTree(formula ? formula : "", variable ? variable : "");
    if (!tree) {
        return CVektor(0, kUnnamed, false);
    }
    return MapColumn(v, [&tree](double x) { return tree->Evaluate(x); });
}

CVektor ZeroVektor(int n) { return CVektor(n, kUnnamed, false); }

CVektor UnitVektor(int n, int k) {
    CVektor r(n, kUnnamed, false);
    r.Unit(k);
    return r;
}

CVektor OnesVektor(int n) {
    CVektor r(n, kUnnamed, false);
    r.Ones();
    return r;
}

CMatrix Diag(const CVektor& v) {
    CMatrix m(v.Dim(), v.Dim(), kUnnamed);
    for (int i = 1; i <= v.Dim(); ++i) {
        m(i, i) = v.Data()[i - 1];
    }
    return m;
}

CVektor operator*(const CMatrix& m, const CVektor& v) {
    CVektor r(m.Rows(), kUnnamed, false);
    for (int i = 1; i <= m.Rows(); ++i) {
        double sum = 0.0;
        for (int j = 1; j <= m.Cols(); ++j) {
            sum += m.Element(i, j) * v(j);
        }
        r.Data()[i - 1] = sum;
    }
    return r;
}

CVektor operator*(const CVektor& v, const CMatrix& m) {
    CVektor r(m.Cols(), kUnnamed, false);
    for (int i = 1; i <= m.Cols(); ++i) {
        double sum = 0.0;
        for (int j = 1; j <= m.Rows(); ++j) {
            sum += m.Element(j, i) * v(j);
        }
        r.Data()[i - 1] = sum;
    }
    return r;
}

CVektor MulAdd(const CMatrix& m, const CVektor& v, const CVektor& w) {
    CVektor r(w.Dim(), kUnnamed, w.IsRow());
    for (int i = 1; i <= w.Dim(); ++i) {
        double sum = w.Data()[i - 1];
        for (int j = 1; j <= m.Cols(); ++j) {
            sum += m.Element(i, j) * v(j);
        }
        r.Data()[i - 1] = sum;
    }
    return r;
}

CMatrix Product(const CVektor& a, const CVektor& b) {
    if (a.IsRow() && b.IsColumn()) {
        CMatrix m(1, 1, kUnnamed);
        m(1, 1) = Dot(a, b);
        return m;
    }
    CMatrix m(a.Dim(), b.Dim(), kUnnamed);
    if (a.IsColumn() && b.IsRow()) {
        for (int i = 1; i <= a.Dim(); ++i) {
            for (int j = 1; j <= b.Dim(); ++j) {
                m(i, j) = a.Data()[i - 1] * b.Data()[j - 1];
            }
        }
    }
    return m;
}

// ---- archive and streams ----

void CVektor::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        ar.WriteInt(m_nDim);
        ar.WriteInt(m_nOrient);
        ar.WriteShort(m_bView);
        for (int i = 0; i < m_nDim; ++i) {
            ar.WriteDouble(m_pData[i]);
        }
        return;
    }
    std::string name = ar.ReadString();
    int dim = std::max(ar.ReadInt(), 0);
    int orient = ar.ReadInt();
    ar.ReadShort();  // the stored view flag: a loaded vector always owns its elements
    ar.Need(static_cast<size_t>(dim) * sizeof(double));
    std::vector<double> values(static_cast<size_t>(dim));
    for (double& v : values) {
        v = ar.ReadDouble();
    }
    m_bView = 0;
    Release();
    Assign(values);
    m_strName = std::move(name);
    m_nOrient = orient;
    m_bConst = 0;
    m_nMaxIndex = dim;
}

void CVektor::WriteBinary(std::ostream& os) const {
    streams::PutInt32(os, m_nDim);
    streams::PutInt32(os, m_nOrient);
    streams::PutInt16(os, m_bView);
    streams::PutInt32(os, static_cast<int32_t>(m_strName.size()));
    os.write(m_strName.data(), static_cast<std::streamsize>(m_strName.size()));
    streams::PutInt16(os, m_bConst);
    streams::PutInt32(os, m_nMaxIndex);
    streams::PutDoubles(os, m_pData, static_cast<size_t>(m_nDim));
}

void CVektor::ReadBinary(std::istream& is) {
    int32_t dim, orient, nameLength, maxIndex;
    int16_t view, constant;
    std::string name;
    std::vector<double> values;
    if (!streams::GetInt32(is, dim) || !streams::GetInt32(is, orient) || !streams::GetInt16(is, view) ||
        !streams::GetInt32(is, nameLength) || dim < 0 || nameLength < 0 ||
        !streams::GetBytes(is, static_cast<size_t>(nameLength), name) || !streams::GetInt16(is, constant) ||
        !streams::GetInt32(is, maxIndex) || !streams::GetDoubles(is, static_cast<size_t>(dim), values)) {
        streams::Fail(is);
        return;
    }
    m_bView = 0;
    Release();
    Assign(values);
    m_strName = std::move(name);
    m_nOrient = orient;
    m_bConst = constant;
    m_nMaxIndex = maxIndex;
}

std::ostream& operator<<(std::ostream& os, const CVektor& v) {
    streams::WriteTextHeader(os, {v.Dim(), v.Orientation()});
    streams::WriteTextValues(os, v.Data(), static_cast<size_t>(v.Dim()), ' ');
    return os;
}

std::istream& operator>>(std::istream& is, CVektor& v) {
    int dim, orient;
    std::vector<double> values;
    if (!streams::ReadInteger(is, dim) || dim < 0 || !streams::ReadInteger(is, orient) ||
        !streams::ReadNumbers(is, dim, values) || !v.Assign(values)) {
        streams::Fail(is);
        return is;
    }
    if (orient == CVektor::kRow) {
        v.SetRow(true);
    } else if (orient == CVektor::kColumn) {
        v.SetRow(false);
    }
    return is;
}

std::istream& ReadBracketed(std::istream& is, CVektor& v) {
    std::string content;
    if (!streams::ReadBracketText(is, content)) {
        streams::Fail(is);
        return is;
    }
    CTextList texts("", 10, 10);
    SplitElementTexts(content, ",;", texts);
    std::vector<double> values;
    for (int i = 0; i < texts.GetCount(); ++i) {
        values.push_back(ElementTextValue(texts.GetAt(i)->GetText()));
    }
    if (!v.Assign(values)) {
        streams::Fail(is);
    }
    return is;
}

void DDX_Vektor(bool saveAndValidate, CListTable& table, CVektor& v, const char* title, bool horizontal) {
    if (!table.hasWindow) {
        return;
    }
    if (saveAndValidate) {
        std::vector<double> values;
        if (horizontal) {
            for (int f = 1; f < table.ColumnCount(); ++f) {
                values.push_back(ElementTextValue(table.GetItemText(0, f)));
            }
        } else {
            for (int f = 1; f <= table.ItemCount(); ++f) {
                values.push_back(ElementTextValue(table.GetItemText(f - 1, 1)));
            }
        }
        v.Assign(values);
        return;
    }
    table.DeleteAllItems();
    for (int c = table.ColumnCount(); c >= 0; --c) {
        table.DeleteColumn(c);
    }
    table.InsertColumn(0, title && *title ? title : "Vektor", CListColumn::left, 30);
    if (horizontal) {
        for (int f = 1; f <= v.Dim(); ++f) {
            table.InsertColumn(f, CNumberString(f, 6).GetText(), CListColumn::right, 50);
        }
        table.InsertItem(0, "1");
        for (int f = 1; f <= v.Dim(); ++f) {
            table.SetItemText(0, f, CNumberString(v.Data()[f - 1], 15).GetText());
        }
    } else {
        table.InsertColumn(1, "A", CListColumn::right, 50);
        table.expectedItems = v.Dim();
        for (int f = 1; f <= v.Dim(); ++f) {
            int item = table.InsertItem(f - 1, CNumberString(f, 6).GetText());
            table.SetItemText(item, 1, CNumberString(v.Data()[f - 1], 15).GetText());
        }
    }
}

// ---- CFloatVektor ----

CFloatVektor::CFloatVektor(int n) : m_pData(static_cast<size_t>(std::max(n, 0)), 0.0f) {}

CFloatVektor::CFloatVektor(const CVektor& v) : m_pData(v.Data(), v.Data() + v.Dim()) {}

CFloatVektor::CFloatVektor(double a, const CVektor& v) {
    m_pData.push_back(static_cast<float>(a));
    m_pData.insert(m_pData.end(), v.Data(), v.Data() + v.Dim());
}

CFloatVektor::CFloatVektor(double a, const CFloatVektor& f) {
    m_pData.push_back(static_cast<float>(a));
    m_pData.insert(m_pData.end(), f.m_pData.begin(), f.m_pData.end());
}

void CFloatVektor::SetDim(int n) { m_pData.assign(static_cast<size_t>(std::max(n, 0)), 0.0f); }

void CFloatVektor::Zero() { std::fill(m_pData.begin(), m_pData.end(), 0.0f); }

float CFloatVektor::Get(int t) const {
    return t >= 1 && t <= Count() ? m_pData[static_cast<size_t>(t - 1)] : 0.0f;
}

void CFloatVektor::Set(int t, float x) {
    if (t >= 1 && t <= Count()) {
        m_pData[static_cast<size_t>(t - 1)] = x;
        return;
    }
    ReportNumeric("CFloatVektor::Set(int t, float x) : Error in Dimensions ! ", IndexCaption(t, Count()));
}

void CFloatVektor::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt(Count());
        for (float f : m_pData) {
            ar.WriteFloat(f);
        }
        return;
    }
    int count = ar.ReadCount(sizeof(float));
    std::vector<float> values(static_cast<size_t>(count));
    for (float& f : values) {
        f = ar.ReadFloat();
    }
    m_pData = std::move(values);
}

std::ostream& operator<<(std::ostream& os, const CFloatVektor& f) {
    streams::WriteTextHeader(os, {f.Count()});
    streams::WriteTextValues(os, f.Data(), static_cast<size_t>(f.Count()), ' ');
    return os;
}

std::istream& operator>>(std::istream& is, CFloatVektor& f) {
    int count;
    std::vector<double> values;
    if (!streams::ReadInteger(is, count) || count < 0 || !streams::ReadNumbers(is, count, values)) {
        streams::Fail(is);
        return is;
    }
    f.SetDim(count);
    for (int i = 1; i <= count; ++i) {
        f.Set(i, static_cast<float>(values[static_cast<size_t>(i - 1)]));
    }
    return is;
}

}  // namespace formix
