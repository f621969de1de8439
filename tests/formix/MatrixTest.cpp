// Tests of formix/Matrix.h.
#include <gtest/gtest.h>

#include <cmath>

#include "NumericTestSupport.h"
#include "formix/Matrix.h"

namespace formix {
namespace {

using test::MatrixOf;
using test::MaxDifference;
using test::MessageRecorder;
using test::ValuesOf;
using Values = std::vector<double>;

TEST(MatrixTest, ConstructorsFillRowByRow) {
    CMatrix a(1.0, 2.0, 3.0, 4.0);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    EXPECT_EQ(a.State(), CMatrix::plain);
    CMatrix b(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(b(3, 1), 7.0);
    CMatrix c(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    EXPECT_EQ(c(2, 4), 8.0);
    CMatrix d;
    EXPECT_EQ(d.Rows(), 1);
    EXPECT_EQ(d(1, 1), 0.0);

    CVektor row(1.0, 2.0, 3.0);
    row.SetRow(true);
    row.SetName("r");
    CMatrix fromRow(row);
    EXPECT_EQ(fromRow.Rows(), 1);
    EXPECT_EQ(fromRow.Cols(), 3);
    EXPECT_EQ(fromRow.Name(), "r");
    CMatrix fromColumn(CVektor(1.0, 2.0));
    EXPECT_EQ(fromColumn.Rows(), 2);

    CMatrix asRows(CVektor(1.0, 2.0), CVektor(3.0, 4.0), CVektor(5.0, 6.0), true);
    EXPECT_EQ(MaxDifference(asRows, MatrixOf(3, 2, {1, 2, 3, 4, 5, 6})), 0.0);
    CMatrix asColumns(CVektor(1.0, 2.0), CVektor(3.0, 4.0), false);
    EXPECT_EQ(MaxDifference(asColumns, MatrixOf(2, 2, {1, 3, 2, 4})), 0.0);
    CMatrix four(CVektor(1.0), CVektor(2.0), CVektor(3.0), CVektor(4.0), false);
    EXPECT_EQ(MaxDifference(four, MatrixOf(1, 4, {1, 2, 3, 4})), 0.0);
}

TEST(MatrixTest, AccessOutsideNeverTouchesTheStorage) {
    CMatrix a(1.0, 2.0, 3.0, 4.0);
    a(3, 1) = 99.0;
    a(0, 0) = 99.0;
    *a.ElementPtr(1, 5) = 99.0;
    a.Set(2, 3, 99.0);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    EXPECT_EQ(a.Element(3, 3), 0.0);
    EXPECT_EQ(a(2, 9), 0.0);

    CMatrix empty(0, 0);
    empty(1, 1) = 5.0;
    EXPECT_EQ(empty.Element(1, 1), 0.0);
    EXPECT_EQ(empty.FrobeniusNorm(), 0.0);
    EXPECT_EQ(empty.RowSumNorm(), 0.0);
    EXPECT_EQ(empty.ColSumNorm(), 0.0);
}

TEST(MatrixTest, SubMatrixShowsAndChangesItsBlock) {
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    CMatrix view = a.SubMatrix(2, 3, 2, 3);
    EXPECT_TRUE(view.IsView());
    EXPECT_EQ(MaxDifference(view, MatrixOf(2, 2, {5, 6, 8, 9})), 0.0);
    view(1, 1) = 50.0;
    EXPECT_EQ(a(2, 2), 50.0);
    CMatrix copy = view;  // a copy of a view shows the same rows
    copy(2, 2) = 90.0;
    EXPECT_EQ(a(3, 3), 90.0);
    CMatrix owned = Copy(view);
    EXPECT_FALSE(owned.IsView());
    owned(1, 2) = -1.0;
    EXPECT_EQ(a(2, 3), 6.0);

    CMatrix block = a.Block(1, 2, 1, 1);
    EXPECT_FALSE(block.IsView());
    EXPECT_EQ(MaxDifference(block, MatrixOf(2, 1, {1, 4})), 0.0);
}

TEST(MatrixTest, AViewBuiltDirectlyHasAFixedShapeAndZerosOfItsOwn) {
    MessageRecorder recorder;
    CMatrix view(2, 3, true);
    EXPECT_TRUE(view.IsView());
    EXPECT_EQ(MaxDifference(view, CMatrix(2, 3)), 0.0);
    view(2, 3) = 4.0;
    EXPECT_EQ(view(2, 3), 4.0);
    view.SetSize(1, 1);
    EXPECT_EQ(view.Rows(), 2);
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(MatrixTest, ViewsStayValidAfterTheirSourceIsGone) {
    auto a = std::make_unique<CMatrix>(MatrixOf(2, 2, {1, 2, 3, 4}));
    CMatrix view = a->SubMatrix(2, 2, 1, 2);
    a->SetSize(5, 5);
    a.reset();
    EXPECT_EQ(MaxDifference(view, MatrixOf(1, 2, {3, 4})), 0.0);
}

TEST(MatrixTest, ShapeRequestsOutsideTheMatrixAreRefused) {
    MessageRecorder recorder;
    CMatrix a = MatrixOf(2, 2, {1, 2, 3, 4});
    EXPECT_EQ(a.SubMatrix(1, 3, 1, 1).Rows(), 0);
    EXPECT_EQ(a.SubMatrix(0, 1, 1, 1).Rows(), 0);
    EXPECT_EQ(a.Block(2, 2, 2, 3).Cols(), 0);
    a.TruncateRows(3);
    a.TruncateRows(-1);
    a.SwapRows(1, 3);
    EXPECT_EQ(recorder.messages.size(), 6u);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    EXPECT_EQ(a.SubMatrix(2, 1, 1, 2).Rows(), 0);  // an empty range inside is fine
    EXPECT_EQ(recorder.messages.size(), 6u);

    CMatrix view = a.SubMatrix(1, 2, 1, 1);
    view.SetSize(4, 4);
    view.Resize(4, 4);
    view.TruncateRows(1);
    view = CMatrix(3, 3);
    EXPECT_EQ(recorder.messages.size(), 10u);
    EXPECT_EQ(view.Rows(), 2);
    EXPECT_EQ(view.Cols(), 1);
}

TEST(MatrixTest, ShapeOperations) {
    CMatrix a = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    a.Resize(3, 2);
    EXPECT_EQ(MaxDifference(a, MatrixOf(3, 2, {1, 2, 4, 5, 0, 0})), 0.0);
    a.TruncateRows(1);
    EXPECT_EQ(MaxDifference(a, MatrixOf(1, 2, {1, 2})), 0.0);
    CMatrix b = MatrixOf(3, 1, {1, 2, 3});
    b.SwapRows(1, 3);
    b.SwapRows(2, 2);
    EXPECT_EQ(ValuesOf(b.Column(1)), (Values{3, 2, 1}));
    EXPECT_EQ(b.Swaps(), 1);
    b.SetSize(2, 2);
    EXPECT_EQ(MaxDifference(b, CMatrix(2, 2)), 0.0);
    EXPECT_EQ(b.Swaps(), 0);
}

TEST(MatrixTest, Filling) {
    CMatrix a(3, 3);
    a.Ones();
    a.Lower();
    EXPECT_EQ(MaxDifference(a, MatrixOf(3, 3, {1, 0, 0, 1, 1, 0, 1, 1, 1})), 0.0);
    a.Ones();
    a.Upper();
    EXPECT_EQ(MaxDifference(a, MatrixOf(3, 3, {1, 1, 1, 0, 1, 1, 0, 0, 1})), 0.0);
    EXPECT_EQ(MaxDifference(IdentityMatrix(2, 3), MatrixOf(2, 3, {1, 0, 0, 0, 1, 0})), 0.0);
    EXPECT_EQ(MaxDifference(NegIdentityMatrix(2), MatrixOf(2, 2, {-1, 0, 0, -1})), 0.0);
    EXPECT_EQ(MaxDifference(ZeroMatrix(a), CMatrix(3, 3)), 0.0);
    EXPECT_EQ(IdentityMatrix(a).Name(), "(unbenannt)");
    EXPECT_EQ(MaxDifference(Upper(MatrixOf(2, 2, {1, 2, 3, 4})), MatrixOf(2, 2, {1, 2, 0, 4})), 0.0);
    EXPECT_EQ(MaxDifference(Lower(MatrixOf(2, 2, {1, 2, 3, 4})), MatrixOf(2, 2, {1, 0, 3, 4})), 0.0);
    a.Random();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(a(i, i) >= 0.0 && a(i, i) <= 32767.0);
    }

    CMatrix f;
    FillAll(f, 2, {1, 2, 3, 4});
    EXPECT_EQ(MaxDifference(f, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    FillLower(f, 3, {1, 2, 3});
    EXPECT_EQ(MaxDifference(f, MatrixOf(3, 3, {0, 0, 0, 1, 0, 0, 2, 3, 0})), 0.0);
    MessageRecorder recorder;
    FillAll(f, 2, {1, 2, 3});
    EXPECT_EQ(MaxDifference(f, MatrixOf(2, 2, {1, 2, 3, 0})), 0.0);
    FillLower(f, 2, {1, 2, 3});
    EXPECT_EQ(MaxDifference(f, MatrixOf(2, 2, {0, 0, 1, 0})), 0.0);
    EXPECT_EQ(recorder.messages.size(), 2u);
}

TEST(MatrixTest, AssignmentTakesStateAndName) {
    CMatrix lu = MatrixOf(2, 2, {4, 3, 6, 3});
    ASSERT_TRUE(lu.LUDecompose(false));
    lu.SetName("lu");
    CMatrix other(3, 3);
    other = lu;  // another shape: SetSize puts the state back to 1
    EXPECT_EQ(other.State(), CMatrix::plain);
    EXPECT_EQ(other.Name(), "lu");
    CMatrix same(2, 2);
    same = lu;
    EXPECT_EQ(same.State(), CMatrix::luFactors);
    EXPECT_EQ(MaxDifference(same, lu), 0.0);
    EXPECT_TRUE(same.Permutation().empty());

    CMatrix x;
    x = 7.0;
    EXPECT_EQ(MaxDifference(x, CMatrix(7.0)), 0.0);
    CVektor row(1.0, 2.0);
    row.SetRow(true);
    x = row;
    EXPECT_EQ(MaxDifference(x, MatrixOf(1, 2, {1, 2})), 0.0);
    x = CVektor(1.0, 2.0);
    EXPECT_EQ(MaxDifference(x, MatrixOf(2, 1, {1, 2})), 0.0);

    // From a view of itself.
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    a = a.SubMatrix(2, 3, 1, 2);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {4, 5, 7, 8})), 0.0);
    // Between overlapping views of one matrix.
    CMatrix b = MatrixOf(3, 1, {1, 2, 3});
    CMatrix top = b.SubMatrix(1, 2, 1, 1);
    top = b.SubMatrix(2, 3, 1, 1);
    EXPECT_EQ(ValuesOf(b.Column(1)), (Values{2, 3, 3}));
}

TEST(MatrixTest, Arithmetic) {
    CMatrix a = MatrixOf(2, 2, {1, 2, 3, 4});
    CMatrix b = MatrixOf(2, 2, {5, 6, 7, 8});
    EXPECT_EQ(MaxDifference(a * b, MatrixOf(2, 2, {19, 22, 43, 50})), 0.0);
    EXPECT_EQ(MaxDifference(a + b, MatrixOf(2, 2, {6, 8, 10, 12})), 0.0);
    EXPECT_EQ(MaxDifference(b - a, MatrixOf(2, 2, {4, 4, 4, 4})), 0.0);
    EXPECT_EQ(MaxDifference(2.0 * a, a * 2.0), 0.0);
    EXPECT_EQ(MaxDifference(a / 2.0, MatrixOf(2, 2, {0.5, 1, 1.5, 2})), 0.0);
    EXPECT_EQ(MaxDifference(Transpose(MatrixOf(1, 2, {1, 2})), MatrixOf(2, 1, {1, 2})), 0.0);
    EXPECT_EQ((a + b).Name(), "(unbenannt)");
    a.SetName("a");
    EXPECT_EQ((+a).Name(), "a");
    // A smaller second operand counts as zeros outside.
    EXPECT_EQ(MaxDifference(a + CMatrix(10.0), MatrixOf(2, 2, {11, 2, 3, 4})), 0.0);
    EXPECT_EQ(MaxDifference(MatrixOf(1, 2, {1, 1}) * MatrixOf(1, 2, {3, 4}), MatrixOf(1, 2, {3, 4})), 0.0);

    MessageRecorder recorder;
    a += CMatrix(10.0);
    a -= CMatrix(3, 3);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
    EXPECT_EQ(recorder.messages.size(), 2u);
    a += b;
    a -= MatrixOf(2, 2, {1, 1, 1, 1});
    a *= 2.0;
    a /= 4.0;
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {2.5, 3.5, 4.5, 5.5})), 0.0);
    EXPECT_TRUE(a == Copy(a));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a != CMatrix(2, 3));
}

TEST(MatrixTest, ElementFunctions) {
    CMatrix a = MatrixOf(1, 2, {0.5, -1.0});
    EXPECT_EQ(sin(a)(1, 1), std::sin(0.5));
    EXPECT_EQ(cos(a)(1, 2), std::cos(-1.0));
    EXPECT_EQ(tan(a)(1, 1), std::tan(0.5));
    EXPECT_EQ(cot(a)(1, 1), std::cos(0.5) / std::sin(0.5));
    EXPECT_EQ(abs(a)(1, 2), 1.0);
    EXPECT_EQ(MaxDifference(Apply(a, "Y*4", "Y"), MatrixOf(1, 2, {2, -4})), 0.0);
    a.Abs();
    a.Cos();
    EXPECT_EQ(a(1, 2), std::cos(1.0));
    EXPECT_FALSE(a.Apply("X", nullptr));
}

TEST(MatrixTest, NormsRowsAndColumns) {
    CMatrix a = MatrixOf(2, 3, {1, -2, 2, -3, 0, 4});
    EXPECT_EQ(a.FrobeniusNorm(), std::sqrt(34.0));
    EXPECT_EQ(RowSumNorm(a), 7.0);
    EXPECT_EQ(ColSumNorm(a), 6.0);
    EXPECT_EQ(AbsSum(a), 12.0);
    EXPECT_EQ(FrobeniusNorm(a), a.FrobeniusNorm());
    CVektor row = a.Row(2);
    EXPECT_EQ(row.Name(), "Zeile");
    EXPECT_TRUE(row.IsRow());
    EXPECT_EQ(ValuesOf(row), (Values{-3, 0, 4}));
    EXPECT_EQ(ValuesOf(a.Column(3)), (Values{2, 4}));
    EXPECT_EQ(ValuesOf(a.RowSums()), (Values{1, 1}));
    EXPECT_EQ(ValuesOf(a.ColumnSums()), (Values{-2, -2, 6}));
    EXPECT_EQ(ValuesOf(a.Diagonal()), (Values{1, 0}));
    EXPECT_EQ(ValuesOf(a.Row(5)), (Values{0, 0, 0}));
}

TEST(MatrixLUTest, DeterminantsOfTheEdgeCases) {
    CMatrix swap = MatrixOf(2, 2, {0, 1, 1, 0});
    EXPECT_EQ(Det(swap), -1.0);
    EXPECT_EQ(swap.State(), CMatrix::luFactors);
    EXPECT_EQ(swap.Permutation(), (std::vector<int>{2, 1}));

    CMatrix singular = MatrixOf(2, 2, {1, 2, 2, 4});
    double det = Det(singular);
    EXPECT_EQ(det, 0.0);
    EXPECT_TRUE(std::signbit(det));
    CMatrix singular2 = MatrixOf(2, 2, {1, 2, 2, 4});
    CVektor x;
    EXPECT_FALSE(Solve(singular2, CVektor(1.0, 1.0), x, false));

    CMatrix tiny = MatrixOf(2, 2, {1e-20, 0, 0, 1});
    EXPECT_EQ(Det(tiny), 0.0);
    EXPECT_EQ(tiny.State(), CMatrix::plain);
    CMatrix limit = MatrixOf(2, 2, {1e-19, 0, 0, 1});
    EXPECT_EQ(Det(limit), 1e-19);

    MessageRecorder recorder;
    CMatrix wide = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(Det(wide), 0.0);
    EXPECT_EQ(wide.State(), CMatrix::plain);
    CMatrix inverse = Inverse(wide);
    EXPECT_EQ(MaxDifference(inverse, CMatrix(2, 2)), 0.0);
    EXPECT_EQ(recorder.messages.size(), 2u);
}

TEST(MatrixLUTest, StatesDecideWhetherToFactor) {
    CMatrix a = MatrixOf(2, 2, {2, 1, 1, 3});
    ASSERT_TRUE(LU(a, false));
    CMatrix factored = Copy(a);
    EXPECT_TRUE(a.LUDecompose(false));  // already factored: unchanged
    EXPECT_EQ(MaxDifference(a, factored), 0.0);
    a.SetState(CMatrix::cholesky);
    EXPECT_FALSE(a.LUDecompose(false));
    EXPECT_EQ(Det(a), 0.0);
}

TEST(MatrixLUTest, SolveInverseAndSplitReconstruct) {
    const CMatrix original = MatrixOf(3, 3, {2, -1, 0, -1, 2, -1, 0, -1, 2});
    CMatrix a = Copy(original);
    CVektor x;
    ASSERT_TRUE(Solve(a, CVektor(1.0, 0.0, 1.0), x, false));
    EXPECT_NEAR(x(1), 1.0, 1e-15);
    EXPECT_NEAR(x(2), 1.0, 1e-15);
    EXPECT_NEAR(x(3), 1.0, 1e-15);
    CVektor y = Solve(a, CVektor(0.0, 0.0, 4.0), false);  // reuses the factors
    EXPECT_NEAR(y(1), 1.0, 1e-15);
    EXPECT_NEAR(y(3), 3.0, 1e-15);

    CMatrix b = Copy(original);
    CMatrix inverse = Inverse(b);
    EXPECT_LT(MaxDifference(original * inverse, IdentityMatrix(3)), 1e-15);
    EXPECT_NEAR(Det(b), 4.0, 1e-14);

    CMatrix c = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    CMatrix l(1, 1), u(1, 1);
    ASSERT_TRUE(LUSplit(c, l, u, false));
    // P·A = L·U with row i of P·A being row perm_i of A.
    CMatrix source = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 10});
    CMatrix permuted(3, 3);
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            permuted(i, j) = source(c.Permutation()[i - 1], j);
        }
    }
    EXPECT_LT(MaxDifference(l * u, permuted), 1e-14);
    EXPECT_EQ(l(1, 1), 1.0);
    EXPECT_EQ(l(1, 2), 0.0);
    EXPECT_EQ(u(2, 1), 0.0);
}

TEST(MatrixLUTest, FailuresReportThroughTheResults) {
    CMatrix singular = MatrixOf(2, 2, {1e-30, 0, 0, 1});
    CVektor b(3.0, 4.0);
    CVektor same = Solve(singular, b, false);
    EXPECT_TRUE(same == b);
    EXPECT_FALSE(same.IsView());

    CMatrix lastPivotZero = MatrixOf(2, 2, {1, 2, 2, 4});
    CVektor partial = Solve(lastPivotZero, CVektor(1.0, 2.0), false);
    EXPECT_EQ(partial.Dim(), 2);

    MessageRecorder recorder;
    CMatrix a = MatrixOf(2, 2, {1, 0, 0, 1});
    CMatrix source(3, 3);
    CMatrix view = source.SubMatrix(1, 1, 1, 1);
    CMatrix u(2, 2);
    EXPECT_FALSE(LUSplit(a, view, u, false));
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(MatrixLUTest, SubstitutionsOnAnyShapeStayInside) {
    CMatrix wide = MatrixOf(2, 4, {4, 1, 2, 3, 2, 5, 1, 1});
    ASSERT_TRUE(wide.LUDecompose(false));
    CVektor y, x;
    EXPECT_TRUE(ForwardSubst(wide, CVektor(1.0, 2.0), y));
    EXPECT_EQ(y.Dim(), 4);
    EXPECT_FALSE(BackSubst(wide, y, x));  // no pivot beyond row 2
    CMatrix tall = MatrixOf(3, 2, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(tall.LUDecompose(false));
    EXPECT_TRUE(ForwardSubstDiag(tall, CVektor(1.0), y));
    EXPECT_EQ(y.Dim(), 2);
}

}  // namespace
}  // namespace formix
