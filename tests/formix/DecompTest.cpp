// Tests of the matrix decompositions (formix/MatrixDecomp.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "NumericTestSupport.h"
#include "formix/MatrixDecomp.h"

namespace formix {
namespace {

using test::MatrixOf;
using test::MaxDifference;
using test::MessageRecorder;
using test::TestNumbers;
using test::ValuesOf;
using Values = std::vector<double>;

CMatrix Hilbert(int n) {
    CMatrix h(n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            h(i, j) = 1.0 / (i + j - 1);
        }
    }
    return h;
}

// The test matrices: well conditioned (random, diagonally dominant) and ill conditioned (Hilbert
// matrices, condition numbers about 1.5e7 for n = 6 and 1.6e13 for n = 10; a graded matrix).
struct Case {
    const char* name;
    CMatrix a;
};

std::vector<Case> SquareCases() {
    TestNumbers numbers(7);
    CMatrix dominant = numbers.Matrix(5, 5);
    for (int i = 1; i <= 5; ++i) {
        dominant(i, i) += 5.0;
    }
    CMatrix graded(4, 4);
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            graded(i, j) = std::pow(10.0, -3.0 * (i + j)) * (1.0 + 0.1 * numbers.Next());
        }
    }
    return {{"random5", numbers.Matrix(5, 5)}, {"dominant5", dominant}, {"hilbert6", Hilbert(6)},
            {"hilbert10", Hilbert(10)}, {"graded4", graded}, {"permutation", MatrixOf(2, 2, {0, 1, 1, 0})},
            {"1x1", CMatrix(-3.0)}};
}

// Tolerance of a reconstruction: backward-stable factorizations reproduce A to a small multiple of
// the machine epsilon times its size and norm, whatever its condition.
double Tolerance(const CMatrix& a) { return 1e-14 * (a.Rows() + a.Cols()) * std::max(a.FrobeniusNorm(), 1e-300); }

double OrthogonalityError(const CMatrix& q) {
    return MaxDifference(Transpose(q) * q, IdentityMatrix(q.Cols()));
}

TEST(DecompBlocksTest, HouseholderVektorAndReflections) {
    CVektor v(3);
    HouseholderVektor(CVektor(3.0, 4.0), v);
    // a = 5, c = 5 + 3 = 8: v = (1, 4/8) and the third element stays.
    EXPECT_EQ(ValuesOf(v), (Values{1, 0.5, 0}));
    CVektor x(3.0, 4.0);
    ReflectVektor(x, v.Slice(1, 2));
    EXPECT_NEAR(x(1), -5.0, 1e-15);
    EXPECT_NEAR(x(2), 0.0, 1e-15);

    // A leading zero still gives a finite reflection.
    CVektor w(2);
    HouseholderVektor(CVektor(0.0, 2.0), w);
    EXPECT_EQ(ValuesOf(w), (Values{1, 1}));
    HouseholderVektor(CVektor(0.0, 0.0), w);
    EXPECT_EQ(ValuesOf(w), (Values{1, 0}));

    CMatrix a = MatrixOf(2, 2, {3, 1, 4, 2});
    ReflectLeft(a, CVektor(1.0, 0.5));
    EXPECT_NEAR(a(1, 1), -5.0, 1e-15);
    EXPECT_NEAR(a(2, 1), 0.0, 1e-15);
    CMatrix b = MatrixOf(2, 2, {3, 4, 1, 2});
    ReflectRight(b, CVektor(1.0, 0.5));
    EXPECT_NEAR(b(1, 1), -5.0, 1e-15);
    EXPECT_NEAR(b(1, 2), 0.0, 1e-15);

    MessageRecorder recorder;
    CMatrix c = MatrixOf(2, 2, {1, 2, 3, 4});
    ReflectLeft(c, CVektor(1.0, 2.0, 3.0));
    ReflectRight(c, CVektor(1.0));
    CVektor y(1.0, 2.0);
    ReflectVektor(y, CVektor(1.0));
    ReflectLeft(c, CVektor(0.0, 0.0));  // no reflection at all
    EXPECT_EQ(MaxDifference(c, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    EXPECT_EQ(ValuesOf(y), (Values{1, 2}));
    EXPECT_EQ(recorder.messages.size(), 3u);
    CVektor source(1.0, 2.0, 3.0);
    CVektor view = source.SubVektor(1, 1);
    HouseholderVektor(CVektor(1.0, 1.0), view);  // a view too short
    EXPECT_EQ(recorder.messages.size(), 4u);
    EXPECT_EQ(ValuesOf(source), (Values{1, 2, 3}));
}

TEST(DecompBlocksTest, GivensRotations) {
    double c, s;
    Givens(0.0, 2.0, c, s);
    EXPECT_EQ(c, 0.0);
    EXPECT_EQ(s, 1.0);
    Givens(5.0, 0.0, c, s);
    EXPECT_EQ(c, 1.0);
    EXPECT_EQ(s, 0.0);
    Givens(3.0, 4.0, c, s);
    EXPECT_NEAR(c, 0.6, 1e-15);
    EXPECT_NEAR(s, 0.8, 1e-15);
    CMatrix rows = MatrixOf(2, 1, {3, 4});
    RotateRows(rows, c, s);
    EXPECT_NEAR(rows(1, 1), 5.0, 1e-15);
    EXPECT_NEAR(rows(2, 1), 0.0, 1e-15);
    CMatrix cols = MatrixOf(1, 2, {3, 4});
    RotateCols(cols, c, s);
    EXPECT_NEAR(cols(1, 1), 5.0, 1e-15);
    EXPECT_NEAR(cols(1, 2), 0.0, 1e-15);
    CMatrix colsT = MatrixOf(1, 2, {3, 4});
    RotateColsT(colsT, c, s);
    EXPECT_NEAR(colsT(1, 2), 0.0, 1e-15);
    colsT = MatrixOf(1, 2, {1, 0});
    RotateColsT(colsT, c, s);
    EXPECT_NEAR(colsT(1, 2), 0.8, 1e-15);

    MessageRecorder recorder;
    CMatrix three(3, 3);
    RotateRows(three, c, s);
    RotateCols(three, c, s);
    RotateColsT(three, c, s);
    EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST(DecompBlocksTest, GivensSweepIsASimilarityTransform) {
    CMatrix h = MatrixOf(3, 3, {4, 1, 2, 3, 5, 1, 0, 2, 6});
    const double trace = 15.0;
    const double norm = h.FrobeniusNorm();
    EXPECT_EQ(GivensSweep(h), 2);
    EXPECT_NEAR(h(1, 1) + h(2, 2) + h(3, 3), trace, 1e-13);
    EXPECT_NEAR(h.FrobeniusNorm(), norm, 1e-13);
    CMatrix empty(0, 0);
    EXPECT_EQ(GivensSweep(empty), 0);
    CMatrix wide = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(GivensSweep(wide), 1);
}

TEST(DecompBlocksTest, BidiagChaseKeepsTheFormAndTheNorm) {
    CMatrix b = MatrixOf(4, 4, {3, 1, 0, 0, 0, 2, 1, 0, 0, 0, 4, 1, 0, 0, 0, 1});
    const double norm = b.FrobeniusNorm();
    CMatrix lead = b.SubMatrix(1, 4, 1, 2);
    RotateColsT(lead, 0.8, 0.6);  // a bulge at (2, 1)
    BidiagChase(b);
    EXPECT_NEAR(b.FrobeniusNorm(), norm, 1e-13);
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            if (j < i || j > i + 1) {
                EXPECT_NEAR(b(i, j), 0.0, 1e-14) << i << "," << j;
            }
        }
    }
}

TEST(QRTest, IdentityGetsMinusOnesAndIsNotFactoredTwice) {
    CMatrix a = IdentityMatrix(2);
    ASSERT_TRUE(a.QRDecompose(nullptr, false));
    EXPECT_EQ(a.State(), CMatrix::qrFactors);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {-1, 0, 0, -1})), 0.0);
    ASSERT_TRUE(a.QRDecompose(nullptr, false));
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {-1, 0, 0, -1})), 0.0);
    CMatrix lu = MatrixOf(2, 2, {1, 2, 3, 4});
    lu.LUDecompose(false);
    CMatrix factors = Copy(lu);
    EXPECT_FALSE(lu.QRDecompose(nullptr, false));
    EXPECT_EQ(MaxDifference(lu, factors), 0.0);
    EXPECT_TRUE(lu.QRDecompose(nullptr, true));
}

TEST(QRTest, BothFormsReconstruct) {
    TestNumbers numbers(11);
    std::vector<Case> cases = SquareCases();
    cases.push_back({"tall6x4", numbers.Matrix(6, 4)});
    cases.push_back({"wide3x5", numbers.Matrix(3, 5)});
    cases.push_back({"zeroColumn", MatrixOf(3, 2, {0, 1, 0, 2, 0, 3})});
    for (const Case& c : cases) {
        const CMatrix& a = c.a;
        CMatrix work = Copy(a);
        CMatrix q(1, 1), r(1, 1);
        ASSERT_TRUE(QRSplit(work, &q, &r)) << c.name;
        EXPECT_LT(MaxDifference(q * r, a), Tolerance(a)) << c.name;
        EXPECT_LT(OrthogonalityError(q), 1e-14 * a.Rows()) << c.name;
        for (int i = 2; i <= r.Rows(); ++i) {
            for (int j = 1; j < i && j <= r.Cols(); ++j) {
                EXPECT_EQ(r(i, j), 0.0) << c.name;
            }
        }

        CMatrix work2 = Copy(a);
        CMatrix q2(a.Rows(), a.Rows());
        ASSERT_TRUE(work2.QRDecompose(&q2, false)) << c.name;
        CMatrix r2 = Upper(work2);
        EXPECT_LT(MaxDifference(q2 * r2, a), Tolerance(a)) << c.name;
        EXPECT_LT(OrthogonalityError(q2), 1e-14 * a.Rows()) << c.name;
    }
}

TEST(QRTest, SolveSquareTallAndWide) {
    // The identity: x = b (every stored reflection is applied, also the last one-element one).
    CMatrix identity = IdentityMatrix(3);
    CVektor x;
    ASSERT_TRUE(QRSolve(identity, CVektor(1.0, 2.0, 3.0), x, 1e-12));
    EXPECT_NEAR(x(1), 1.0, 1e-15);
    EXPECT_NEAR(x(2), 2.0, 1e-15);
    EXPECT_NEAR(x(3), 3.0, 1e-15);

    for (Case& c : SquareCases()) {
        const CMatrix a = Copy(c.a);
        const int n = a.Rows();
        CVektor expected(n);
        for (int i = 1; i <= n; ++i) {
            expected(i) = i;
        }
        CVektor b = a * expected;
        CMatrix work = Copy(a);
        ASSERT_TRUE(QRSolve(work, b, x, 1e-300)) << c.name;
        // Residual small whatever the condition.
        EXPECT_LT(Norm(a * x - b, 0), 1e-14 * n * a.FrobeniusNorm() * Norm(x, 0)) << c.name;
    }

    // More rows: the least-squares solution of 1, 2, 3 against a line through the origin and a
    // constant (x = (1, 1) fits (1,2), (2,3), (3,4) exactly; with 5 in place of 4 the normal
    // equations give slope 1.5 and intercept 1/3).
    CMatrix tall = MatrixOf(3, 2, {1, 1, 2, 1, 3, 1});
    ASSERT_TRUE(QRSolve(tall, CVektor(2.0, 3.0, 5.0), x, 1e-12));
    ASSERT_EQ(x.Dim(), 2);
    EXPECT_NEAR(x(1), 1.5, 1e-14);
    EXPECT_NEAR(x(2), 1.0 / 3.0, 1e-14);

    // More columns: a solution with the trailing unknowns 0.
    CMatrix wide = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    const CMatrix wideCopy = Copy(wide);
    ASSERT_TRUE(QRSolve(wide, CVektor(6.0, 15.0), x, 1e-12));
    ASSERT_EQ(x.Dim(), 3);
    EXPECT_EQ(x(3), 0.0);
    CVektor residual = wideCopy * x - CVektor(6.0, 15.0);
    EXPECT_LT(Norm(residual, 0), 1e-13);
}

TEST(QRTest, SolveFailuresAndRefusals) {
    CMatrix singular = MatrixOf(2, 2, {1, 2, 2, 4});
    CVektor x;
    EXPECT_FALSE(QRSolve(singular, CVektor(1.0, 1.0), x, 1e-10));
    EXPECT_EQ(singular.State(), CMatrix::failed);

    MessageRecorder recorder;
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    const CMatrix before = Copy(a);
    EXPECT_FALSE(QRSolve(a, CVektor(1.0, 2.0), x, 1e-12));  // b too short
    CVektor source(1.0, 2.0, 3.0, 4.0);
    CVektor view = source.SubVektor(1, 2);
    EXPECT_FALSE(QRSolve(a, CVektor(1.0, 2.0, 3.0), view, 1e-12));
    CMatrix small(5, 5);
    CMatrix qView = small.SubMatrix(1, 2, 1, 2);
    EXPECT_FALSE(QRSplit(a, &qView, nullptr));
    EXPECT_FALSE(a.QRDecompose(&qView, false));
    EXPECT_EQ(recorder.messages.size(), 4u);
    EXPECT_EQ(MaxDifference(a, before), 0.0);
    EXPECT_EQ(a.State(), CMatrix::plain);
}

TEST(HessenbergTest, ReconstructsAndIsUpperHessenberg) {
    for (const Case& c : SquareCases()) {
        CMatrix work = Copy(c.a);
        CMatrix q(1, 1), h(1, 1);
        ASSERT_TRUE(HessenbergSplit(work, q, h)) << c.name;
        EXPECT_EQ(work.State(), CMatrix::hessenberg);
        EXPECT_LT(MaxDifference(q * h * Transpose(q), c.a), Tolerance(c.a)) << c.name;
        EXPECT_LT(OrthogonalityError(q), 1e-14 * c.a.Rows()) << c.name;
        for (int i = 3; i <= h.Rows(); ++i) {
            for (int j = 1; j < i - 1; ++j) {
                EXPECT_EQ(h(i, j), 0.0) << c.name;
            }
        }
    }
}

TEST(HessenbergTest, StatesAndShapes) {
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    ASSERT_TRUE(Hessenberg(a));
    const CMatrix once = Copy(a);
    EXPECT_TRUE(Hessenberg(a));
    EXPECT_EQ(MaxDifference(a, once), 0.0);
    a.SetState(CMatrix::luFactors);
    EXPECT_FALSE(Hessenberg(a));
    MessageRecorder recorder;
    CMatrix wide(2, 3);
    EXPECT_FALSE(Hessenberg(wide));
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(CholeskyTest, HandWorkedFactor) {
    CMatrix a = MatrixOf(2, 2, {4, 2, 2, 3});
    ASSERT_TRUE(Cholesky(a, false));
    EXPECT_EQ(a.State(), CMatrix::cholesky);
    EXPECT_EQ(a(1, 1), 2.0);
    EXPECT_EQ(a(2, 1), 1.0);
    EXPECT_EQ(a(2, 2), std::sqrt(2.0));
    EXPECT_EQ(a(1, 2), 2.0);  // the upper triangle is not used
    EXPECT_TRUE(Cholesky(a, false));
    EXPECT_EQ(a(1, 1), 2.0);
}

TEST(CholeskyTest, ReconstructsWellAndIllConditionedMatrices) {
    TestNumbers numbers(3);
    CMatrix b = numbers.Matrix(6, 6);
    CMatrix spd = b * Transpose(b);
    for (int i = 1; i <= 6; ++i) {
        spd(i, i) += 1.0;
    }
    std::vector<Case> cases = {{"spd6", spd}, {"hilbert6", Hilbert(6)}, {"hilbert10", Hilbert(10)},
                               {"1x1", CMatrix(9.0)}};
    for (const Case& c : cases) {
        CMatrix work = Copy(c.a);
        CMatrix l(1, 1);
        ASSERT_TRUE(CholeskySplit(work, l, false)) << c.name;
        EXPECT_LT(MaxDifference(l * Transpose(l), c.a), Tolerance(c.a)) << c.name;
        EXPECT_EQ(l(1, 2), 0.0);

        const int n = c.a.Rows();
        CVektor expected(n);
        for (int i = 1; i <= n; ++i) {
            expected(i) = 1.0;
        }
        CVektor rhs = c.a * expected;
        CMatrix work2 = Copy(c.a);
        CVektor x;
        ASSERT_TRUE(CholeskySolve(work2, rhs, x, 1e-300)) << c.name;
        EXPECT_LT(Norm(c.a * x - rhs, 0), 1e-14 * n * c.a.FrobeniusNorm() * Norm(x, 0)) << c.name;
    }
}

TEST(CholeskyTest, NotPositiveDefiniteFails) {
    CMatrix indefinite = MatrixOf(2, 2, {1, 2, 2, 1});
    EXPECT_FALSE(Cholesky(indefinite, false));
    EXPECT_EQ(indefinite.State(), CMatrix::failed);
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 2; ++j) {
            EXPECT_FALSE(std::isnan(indefinite(i, j)));
        }
    }
    CMatrix zero(2, 2);
    CVektor x;
    EXPECT_FALSE(CholeskySolve(zero, CVektor(1.0, 1.0), x, 1e-12));
    EXPECT_EQ(zero.State(), CMatrix::failed);

    CMatrix tiny = MatrixOf(2, 2, {1e-20, 0, 0, 1});
    EXPECT_FALSE(CholeskySolve(tiny, CVektor(1.0, 1.0), x, 1e-8));
    EXPECT_EQ(tiny.State(), CMatrix::failed);

    CMatrix qr = MatrixOf(2, 2, {4, 2, 2, 3});
    qr.SetState(CMatrix::qrFactors);
    EXPECT_FALSE(Cholesky(qr, false));
    EXPECT_EQ(qr.State(), CMatrix::qrFactors);
    EXPECT_FALSE(CholeskySolve(qr, CVektor(1.0, 1.0), x, 1e-12));
    EXPECT_EQ(qr.State(), CMatrix::failed);

    MessageRecorder recorder;
    CMatrix wide(2, 3);
    EXPECT_FALSE(Cholesky(wide, true));
    CMatrix a = MatrixOf(2, 2, {4, 2, 2, 3});
    CMatrix big(3, 3);
    CMatrix lView = big.SubMatrix(1, 1, 1, 3);
    EXPECT_FALSE(CholeskySplit(a, lView, false));
    EXPECT_EQ(a.State(), CMatrix::plain);
    EXPECT_FALSE(CholeskySolve(a, CVektor(1.0), x, 1e-12));
    EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST(BidiagonalTest, ReconstructsAndIsUpperBidiagonal) {
    TestNumbers numbers(5);
    std::vector<Case> cases = SquareCases();
    cases.push_back({"tall7x4", numbers.Matrix(7, 4)});
    cases.push_back({"tall3x1", numbers.Matrix(3, 1)});
    for (const Case& c : cases) {
        const int m = c.a.Rows();
        const int n = c.a.Cols();
        CMatrix work = Copy(c.a);
        CMatrix u(1, 1), b(1, 1), v(1, 1);
        ASSERT_TRUE(BidiagSplit(work, u, b, v)) << c.name;
        EXPECT_EQ(work.State(), CMatrix::bidiagonal);
        CMatrix bm(m, n);  // b padded with zero rows
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                bm(i, j) = b(i, j);
                if (j < i || j > i + 1) {
                    EXPECT_EQ(b(i, j), 0.0) << c.name;
                }
            }
        }
        EXPECT_LT(MaxDifference(u * bm * v, c.a), Tolerance(c.a)) << c.name;
        EXPECT_LT(OrthogonalityError(u), 1e-14 * m) << c.name;
        EXPECT_LT(OrthogonalityError(v), 1e-14 * n) << c.name;
    }
    MessageRecorder recorder;
    CMatrix wide(2, 3);
    EXPECT_FALSE(Bidiagonalize(wide));
    EXPECT_EQ(recorder.messages.size(), 1u);
}

// a = U·diag(sigma)·Vᵀ with orthogonal factors from the QR of random matrices.
CMatrix WithSingularValues(const Values& sigma, int rows, unsigned seed) {
    const int n = static_cast<int>(sigma.size());
    TestNumbers numbers(seed);
    CMatrix r1 = numbers.Matrix(rows, rows);
    CMatrix r2 = numbers.Matrix(n, n);
    CMatrix u(rows, rows), v(n, n);
    QRSplit(r1, &u, nullptr);
    QRSplit(r2, &v, nullptr);
    CMatrix s(rows, n);
    for (int i = 1; i <= n; ++i) {
        s(i, i) = sigma[static_cast<size_t>(i - 1)];
    }
    return u * s * Transpose(v);
}

Values Sorted(const CVektor& v) {
    Values values = ValuesOf(v);
    std::sort(values.begin(), values.end(), std::greater<double>());
    return values;
}

TEST(SingularValuesTest, DiagonalTwoByTwoNeedsNoIteration) {
    CMatrix a = MatrixOf(2, 2, {3, 0, 0, 4});
    CVektor sv;
    ASSERT_TRUE(SingularValues(a, sv, 1e-15));
    EXPECT_EQ(ValuesOf(sv), (Values{4, 3}));
    CMatrix one(-2.0);
    ASSERT_TRUE(SingularValues(one, sv, 1e-15));
    EXPECT_EQ(sv(1), 2.0);
    CMatrix empty(0, 0);
    EXPECT_TRUE(SingularValues(empty, sv, 1e-15));
}

TEST(SingularValuesTest, RecoversKnownValues) {
    struct Known {
        const char* name;
        Values sigma;
        int rows;
    };
    const std::vector<Known> cases = {
        {"spread5", {5, 4, 3, 2, 1}, 5},
        {"clustered4", {2, 2, 1, 1}, 4},
        {"tall6x3", {10, 1, 0.1}, 6},
        {"illConditioned6", {1, 1e-2, 1e-4, 1e-6, 1e-8, 1e-10}, 6},
        {"rankDeficient4", {3, 2, 1, 0}, 4},
        {"eight", {8, 7, 6, 5, 4, 3, 2, 1}, 8},
    };
    unsigned seed = 21;
    for (const Known& c : cases) {
        CMatrix a = WithSingularValues(c.sigma, c.rows, seed++);
        CVektor sv;
        ASSERT_TRUE(SingularValues(a, sv, 1e-12)) << c.name;
        Values got = Sorted(sv);
        ASSERT_EQ(got.size(), c.sigma.size());
        for (size_t i = 0; i < got.size(); ++i) {
            // Each value to within a small multiple of epsilon times the largest.
            EXPECT_NEAR(got[i], c.sigma[i], 1e-13 * c.sigma[0]) << c.name << " value " << i;
        }
    }
    // Hilbert 6: its Frobenius norm is the root of the sum of the squared singular values.
    CMatrix h = Hilbert(6);
    const double norm = h.FrobeniusNorm();
    CVektor sv;
    ASSERT_TRUE(SingularValues(h, sv, 1e-12));
    EXPECT_NEAR(std::sqrt(SquareSum(sv)), norm, 1e-14);
    EXPECT_NEAR(Sorted(sv)[0], 1.618899858924339, 1e-13);  // the largest (its 2-norm)
}

TEST(SingularValuesTest, NoConvergenceIsReportedWithTheCurrentDiagonal) {
    // A tolerance of 0 asks for exactly vanishing off-diagonal elements, which rounding never gives.
    CMatrix a = WithSingularValues({5, 4, 3, 2, 1}, 5, 40);
    CVektor sv(5);
    for (int i = 1; i <= 5; ++i) {
        sv(i) = -1.0;
    }
    EXPECT_FALSE(SingularValues(a, sv, 0.0));
    // Every place holds a magnitude of the current diagonal, at most the 2-norm 5.
    for (double value : ValuesOf(sv)) {
        EXPECT_GE(value, 0.0);
        EXPECT_LE(value, 5.0 + 1e-12);
    }
}

TEST(SingularValuesTest, RefusalsLeaveEverythingAlone) {
    MessageRecorder recorder;
    CMatrix wide = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    CVektor sv;
    EXPECT_FALSE(SingularValues(wide, sv, 1e-15));
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    CVektor source(1.0, 2.0, 3.0);
    CVektor view = source.SubVektor(1, 2);
    EXPECT_FALSE(SingularValues(a, view, 1e-15));
    EXPECT_EQ(a.State(), CMatrix::plain);
    EXPECT_EQ(recorder.messages.size(), 2u);
    a.SetState(CMatrix::cholesky);
    EXPECT_FALSE(SingularValues(a, sv, 1e-15));
}

}  // namespace
}  // namespace formix
