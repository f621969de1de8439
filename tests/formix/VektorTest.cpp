// Tests of formix/Vektor.h.
#include <gtest/gtest.h>

#include <cmath>

#include "NumericTestSupport.h"
#include "formix/Matrix.h"
#include "formix/Vektor.h"

namespace formix {
namespace {

using test::MessageRecorder;
using test::ValuesOf;
using Values = std::vector<double>;

TEST(VektorTest, ConstructorsGiveShapeAndValues) {
    CVektor row(3, "r", true);
    EXPECT_EQ(row.Dim(), 3);
    EXPECT_TRUE(row.IsRow());
    EXPECT_EQ(row.Name(), "r");
    EXPECT_EQ(ValuesOf(row), (Values{0, 0, 0}));
    EXPECT_EQ(CVektor(0).Data(), nullptr);
    EXPECT_EQ(CVektor(-3).Dim(), 0);

    CVektor four(1.0, 2.0, 3.0, 4.0);
    EXPECT_TRUE(four.IsColumn());
    EXPECT_EQ(four.Name(), "");
    EXPECT_EQ(ValuesOf(four), (Values{1, 2, 3, 4}));

    CVektor prefixed(9.0, CVektor(1.0, 2.0));
    EXPECT_TRUE(prefixed.IsRow());
    EXPECT_EQ(ValuesOf(prefixed), (Values{9, 1, 2}));

    CFloatVektor f(CVektor(0.5, 0.25));
    CVektor widened(f);
    EXPECT_TRUE(widened.IsColumn());
    EXPECT_EQ(ValuesOf(widened), (Values{0.5, 0.25}));
    EXPECT_EQ(ValuesOf(CVektor(7.0, f)), (Values{7, 0.5, 0.25}));

    double storage[3] = {1, 2, 3};
    CVektor over(3, true, false, storage);
    EXPECT_TRUE(over.IsView());
    over(2) = 20;
    EXPECT_EQ(storage[1], 20);
    CVektor own(3, false, true, storage);
    EXPECT_FALSE(own.IsView());
    EXPECT_EQ(ValuesOf(own), (Values{0, 0, 0}));
}

TEST(VektorTest, BuiltFromMatricesOfOneRowOrColumn) {
    CMatrix row = test::MatrixOf(1, 3, {1, 2, 3});
    row.SetName("m");
    CVektor r(row);
    EXPECT_TRUE(r.IsRow());
    EXPECT_EQ(r.Name(), "m");
    EXPECT_EQ(ValuesOf(r), (Values{1, 2, 3}));
    CVektor c(test::MatrixOf(2, 1, {4, 5}));
    EXPECT_TRUE(c.IsColumn());
    EXPECT_EQ(ValuesOf(c), (Values{4, 5}));
    CVektor one(CMatrix(6.0));
    EXPECT_TRUE(one.IsColumn());
    EXPECT_EQ(ValuesOf(one), (Values{6}));

    MessageRecorder recorder;
    CVektor none(test::MatrixOf(2, 2, {1, 2, 3, 4}));
    EXPECT_EQ(none.Dim(), 0);
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(VektorTest, AccessBeyondTheEndShowsTheBoxAndGrows) {
    MessageRecorder recorder;
    CVektor v(1.0, 2.0, 3.0);
    v(5) = 7.0;
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "CVektor::operator()(int t) : Error in Dimensions ! ");
    EXPECT_EQ(recorder.messages[0].caption, " t = 5 , Dim = 3 ");
    EXPECT_EQ(ValuesOf(v), (Values{1, 2, 3, 0, 7}));
}

TEST(VektorTest, AccessBelowOneOrBeyondAViewReachesNoStorage) {
    MessageRecorder recorder;
    CVektor source(1.0, 2.0, 3.0, 4.0);
    CVektor view = source.SubVektor(2, 3);
    view(3) = 99.0;  // a view cannot grow
    view(0) = 99.0;
    source(-2) = 99.0;
    EXPECT_EQ(recorder.messages.size(), 3u);
    EXPECT_EQ(recorder.messages[1].caption, " t = 0 , Dim = 2 ");
    EXPECT_EQ(ValuesOf(source), (Values{1, 2, 3, 4}));
    EXPECT_EQ(view.Dim(), 2);
    EXPECT_EQ(*source.ElementPtr(9), 0.0);
    *source.ElementPtr(9) = 5.0;
    EXPECT_EQ(ValuesOf(source), (Values{1, 2, 3, 4}));
}

TEST(VektorTest, ReadingOutOfRangeGivesZeroAfterAMessage) {
    MessageRecorder recorder;
    const CVektor v(1.0, 2.0);
    EXPECT_EQ(v(3), 0.0);
    EXPECT_EQ(v.Get(0), 0.0);
    EXPECT_EQ(v.Element(3), 0.0);  // quiet
    EXPECT_EQ(v.At(2), 2.0);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].caption, " t = 3 , Dim = 2 ");
    EXPECT_EQ(recorder.messages[1].text, "CVektor::operator()(int t) : Error in Dimensions ! ");
    EXPECT_EQ(recorder.messages[1].caption, "CVektor");
}

TEST(VektorTest, SetOutOfRangeIsRefused) {
    MessageRecorder recorder;
    CVektor v(1.0, 2.0);
    v.Set(3, 5.0);
    v.Set(0, 5.0);
    v.Set(2, 5.0);
    EXPECT_EQ(ValuesOf(v), (Values{1, 5}));
    EXPECT_EQ(recorder.messages.size(), 2u);
}

TEST(VektorTest, ShapeOperations) {
    CVektor v(1.0, 2.0, 3.0);
    v.Resize(5);
    EXPECT_EQ(ValuesOf(v), (Values{1, 2, 3, 0, 0}));
    v.Resize(2);
    EXPECT_EQ(ValuesOf(v), (Values{1, 2}));
    v.SetDim(2);  // same dimension: kept
    EXPECT_EQ(ValuesOf(v), (Values{1, 2}));
    v.SetDim(3);
    EXPECT_EQ(ValuesOf(v), (Values{0, 0, 0}));
    v.Ones();
    EXPECT_EQ(ValuesOf(v), (Values{1, 1, 1}));
    v.Unit(2);
    EXPECT_EQ(ValuesOf(v), (Values{0, 1, 0}));
    v.Unit(4);
    EXPECT_EQ(ValuesOf(v), (Values{0, 0, 0}));
    v.SetRow(true);
    EXPECT_TRUE(v.IsRow());
    v.Transpose();
    EXPECT_TRUE(v.IsColumn());
    CVektor t = v.Transposed();
    EXPECT_TRUE(t.IsRow());
    EXPECT_EQ(t.Name(), "(unbenannt)");
    EXPECT_EQ(ValuesOf(UnitVektor(3, 7)), (Values{0, 0, 0}));
    EXPECT_EQ(ValuesOf(OnesVektor(2)), (Values{1, 1}));

    CVektor r(4);
    r.Random();
    for (double x : ValuesOf(r)) {
        EXPECT_TRUE(x >= 0.0 && x <= 32767.0 && x == std::floor(x));
    }
}

TEST(VektorTest, SubVektorIsAViewThatOutlivesItsSource) {
    auto source = std::make_unique<CVektor>(1.0, 2.0, 3.0, 4.0);
    CVektor view = source->SubVektor(2, 3);
    EXPECT_TRUE(view.IsView());
    EXPECT_EQ(view.Name(), "");
    EXPECT_EQ(ValuesOf(view), (Values{2, 3}));
    view(1) = 20.0;
    EXPECT_EQ((*source)(2), 20.0);
    CVektor copy = view;  // a copy of a view shows the same storage
    copy(2) = 30.0;
    EXPECT_EQ((*source)(3), 30.0);
    view.SetDim(5);  // a view is never resized
    view.SetRow(true);
    EXPECT_EQ(view.Dim(), 2);
    EXPECT_TRUE(view.IsColumn());
    {
        CVektor shortLived = source->SubVektor(1, 1);
    }
    EXPECT_EQ(ValuesOf(*source), (Values{1, 20, 30, 4}));
    source->SetDim(10);
    source.reset();
    EXPECT_EQ(ValuesOf(view), (Values{20, 30}));  // still valid storage
}

TEST(VektorTest, SubVektorAndSliceOutsideTheVectorGiveEmptyResults) {
    MessageRecorder recorder;
    CVektor v(1.0, 2.0, 3.0);
    EXPECT_EQ(v.SubVektor(2, 4).Dim(), 0);
    EXPECT_EQ(v.SubVektor(0, 1).Dim(), 0);
    EXPECT_EQ(v.Slice(3, 1).Dim(), 0);
    EXPECT_EQ(recorder.messages.size(), 3u);
    EXPECT_EQ(v.SubVektor(3, 2).Dim(), 0);  // an empty range inside is fine
    EXPECT_EQ(recorder.messages.size(), 3u);
    CVektor s = v.Slice(2, 3);
    EXPECT_FALSE(s.IsView());
    EXPECT_EQ(s.Name(), "(unbenannt)");
    EXPECT_EQ(ValuesOf(s), (Values{2, 3}));
}

TEST(VektorTest, AssignmentCopiesAndViewsKeepTheirSize) {
    CVektor a(1.0, 2.0, 3.0);
    a.SetName("a");
    CVektor b(2, "b", true);
    b = a;
    EXPECT_EQ(b.Name(), "a");
    EXPECT_TRUE(b.IsColumn());
    EXPECT_EQ(ValuesOf(b), (Values{1, 2, 3}));

    // From a view of itself.
    a = a.SubVektor(2, 3);
    EXPECT_EQ(ValuesOf(a), (Values{2, 3}));
    EXPECT_EQ(a.Name(), "");

    MessageRecorder recorder;
    CVektor source(1.0, 2.0, 3.0, 4.0);
    CVektor view = source.SubVektor(1, 2);
    view = CVektor(7.0, 8.0, 9.0);
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(ValuesOf(source), (Values{1, 2, 3, 4}));
    view = source.SubVektor(2, 3);  // same size, overlapping
    EXPECT_EQ(ValuesOf(source), (Values{2, 3, 3, 4}));
    view = 5.0;
    EXPECT_EQ(recorder.messages.size(), 2u);

    CVektor x;
    x = 5.0;
    EXPECT_EQ(ValuesOf(x), (Values{5}));
}

TEST(VektorTest, AssignmentFromMatrices) {
    CVektor v(3, "", false);
    CMatrix row = test::MatrixOf(1, 2, {1, 2});
    row.SetName("row");
    v = row;
    EXPECT_TRUE(v.IsRow());
    EXPECT_EQ(v.Name(), "row");
    EXPECT_EQ(ValuesOf(v), (Values{1, 2}));
    v = test::MatrixOf(3, 1, {3, 4, 5});
    EXPECT_TRUE(v.IsColumn());
    EXPECT_EQ(ValuesOf(v), (Values{3, 4, 5}));
    v.SetRow(true);
    v = CMatrix(9.0);  // 1×1 keeps the orientation
    EXPECT_TRUE(v.IsRow());
    EXPECT_EQ(ValuesOf(v), (Values{9}));
    CMatrix square = test::MatrixOf(2, 2, {1, 2, 3, 4});
    square.SetName("sq");
    v = square;  // only the name
    EXPECT_EQ(v.Name(), "sq");
    EXPECT_EQ(ValuesOf(v), (Values{9}));
}

TEST(VektorTest, FreeArithmeticReadsAShortSecondOperandAsZero) {
    MessageRecorder recorder;
    CVektor a(1.0, 2.0, 3.0);
    a.SetRow(true);
    CVektor sum = a + CVektor(10.0, 20.0);
    EXPECT_EQ(ValuesOf(sum), (Values{11, 22, 3}));
    EXPECT_TRUE(sum.IsRow());
    EXPECT_EQ(sum.Name(), "");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, "CVektor");
    EXPECT_EQ(ValuesOf(a - CVektor(1.0, 1.0, 1.0)), (Values{0, 1, 2}));
    EXPECT_EQ(ValuesOf(2.0 * a), (Values{2, 4, 6}));
    EXPECT_EQ(ValuesOf(a * 0.5), (Values{0.5, 1, 1.5}));
    EXPECT_EQ(ValuesOf(a / CVektor(2.0, 4.0, 6.0)), (Values{0.5, 0.5, 0.5}));
    EXPECT_EQ(ValuesOf(a / 2.0), (Values{0.5, 1, 1.5}));
    EXPECT_TRUE(a == CVektor(1.0, 2.0, 3.0));
    EXPECT_TRUE(a != CVektor(1.0, 2.0));
    EXPECT_TRUE(CVektor(NAN) != CVektor(NAN));
}

TEST(VektorTest, InPlaceArithmeticRefusesAShorterOperand) {
    MessageRecorder recorder;
    CVektor a(1.0, 2.0, 3.0);
    a += CVektor(1.0, 1.0);
    a -= CVektor(1.0);
    EXPECT_EQ(ValuesOf(a), (Values{1, 2, 3}));
    EXPECT_EQ(recorder.messages.size(), 2u);
    a += CVektor(1.0, 1.0, 1.0, 1.0);  // a longer one is read up to a's dimension
    EXPECT_EQ(ValuesOf(a), (Values{2, 3, 4}));
    a -= CVektor(1.0, 1.0, 1.0);
    a *= 3.0;
    a /= 2.0;
    EXPECT_EQ(ValuesOf(a), (Values{1.5, 3, 4.5}));
}

TEST(VektorTest, Norms) {
    CVektor v(-1.0, 0.0);
    EXPECT_TRUE(std::isnan(v.Norm(3)));
    EXPECT_EQ(v.Norm(1), 1.0);
    EXPECT_EQ(v.Norm(0), 1.0);
    EXPECT_EQ(v.Norm(2), 1.0);
    CVektor w(3.0, -4.0);
    EXPECT_EQ(Norm(w, 2), 5.0);
    EXPECT_EQ(Norm(w, -1), 4.0);
    EXPECT_EQ(Norm(w, 1), 7.0);
    EXPECT_NEAR(CVektor(1.0, 2.0).Norm(3), std::cbrt(9.0), 1e-15);
    EXPECT_EQ(CVektor().Norm(0), 0.0);
    EXPECT_EQ(SquareSum(w), 25.0);
    EXPECT_EQ(Distance(CVektor(1.0, 1.0, 9.0), CVektor(4.0, 5.0), 2), 5.0);
    EXPECT_EQ(SquareDistance(CVektor(1.0, 1.0), CVektor(4.0, 5.0, 7.0)), 25.0);
    EXPECT_EQ(Dot(CVektor(1.0, 2.0, 3.0), CVektor(4.0, 5.0)), 14.0);
}

TEST(VektorTest, CrossAndSpatProducts) {
    EXPECT_EQ(ValuesOf(Cross(CVektor(1.0, 2.0), CVektor(3.0, 4.0))), (Values{0, 0, -2}));
    EXPECT_EQ(ValuesOf(Cross(CVektor(1.0, 2.0), CVektor(3.0, 4.0, 5.0))), (Values{0, 0, 0}));
    CVektor c = Cross(CVektor(1.0, 0.0, 0.0), CVektor(0.0, 1.0, 0.0));
    EXPECT_EQ(ValuesOf(c), (Values{0, 0, 1}));
    EXPECT_EQ(c.Name(), "(unbenannt)");
    EXPECT_EQ(Spat(CVektor(1.0, 0.0, 0.0), CVektor(0.0, 1.0, 0.0), CVektor(0.0, 0.0, 2.0)), 2.0);
    EXPECT_EQ(Spat(CVektor(1.0, 0.0), CVektor(0.0, 1.0, 0.0), CVektor(0.0, 0.0, 2.0)), 0.0);
}

TEST(VektorTest, ElementFunctionsAndFormulas) {
    CVektor v(0.0, 1.0);
    CVektor s = sin(v);
    EXPECT_EQ(s.Name(), "(unbenannt)");
    EXPECT_EQ(ValuesOf(s), (Values{0.0, std::sin(1.0)}));
    EXPECT_EQ(ValuesOf(cos(v)), (Values{1.0, std::cos(1.0)}));
    EXPECT_EQ(ValuesOf(tan(v)), (Values{0.0, std::tan(1.0)}));
    EXPECT_EQ(cot(v)(2), std::cos(1.0) / std::sin(1.0));
    EXPECT_EQ(ValuesOf(abs(CVektor(-2.0, 3.0))), (Values{2, 3}));
    CVektor w(-2.0, 3.0);
    w.Abs();
    EXPECT_EQ(ValuesOf(w), (Values{2, 3}));
    w.Sin();
    EXPECT_EQ(w(1), std::sin(2.0));

    CVektor x(1.0, 2.0, 3.0);
    EXPECT_EQ(ValuesOf(Apply(x, "T*T+1", "T")), (Values{2, 5, 10}));
    ASSERT_TRUE(x.Apply("X*2", "X"));
    EXPECT_EQ(ValuesOf(x), (Values{2, 4, 6}));
    EXPECT_FALSE(x.Apply("X", ""));
    EXPECT_EQ(ValuesOf(x), (Values{2, 4, 6}));
}

TEST(VektorTest, ProductsWithMatrices) {
    CMatrix m = test::MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(ValuesOf(m * CVektor(1.0, 0.0, -1.0)), (Values{-2, -2}));
    EXPECT_EQ(ValuesOf(CVektor(1.0, -1.0) * m), (Values{-3, -3, -3}));
    EXPECT_EQ(ValuesOf(MulAdd(m, CVektor(1.0, 1.0, 1.0), CVektor(10.0, 20.0))), (Values{16, 35}));

    CVektor column(1.0, 2.0);
    CVektor row(3.0, 4.0, 5.0);
    row.SetRow(true);
    CMatrix outer = Product(column, row);
    EXPECT_EQ(test::MaxDifference(outer, test::MatrixOf(2, 3, {3, 4, 5, 6, 8, 10})), 0.0);
    EXPECT_EQ(outer.Name(), "(unbenannt)");
    CVektor row2(3.0, 4.0);
    row2.SetRow(true);
    CMatrix inner = Product(row2, column);
    EXPECT_EQ(test::MaxDifference(inner, CMatrix(11.0)), 0.0);
    EXPECT_EQ(test::MaxDifference(Product(column, column), CMatrix(2, 2)), 0.0);

    CMatrix d = Diag(CVektor(1.0, 2.0));
    EXPECT_EQ(test::MaxDifference(d, test::MatrixOf(2, 2, {1, 0, 0, 2})), 0.0);
    EXPECT_EQ(d.Name(), "(unbenannt)");
    EXPECT_EQ(test::MaxDifference(CVektor(3.0).DiagMatrix(), CMatrix(3.0)), 0.0);
}

TEST(VektorTest, ShortMatrixOperandsAreReadAsZeroAfterAMessage) {
    MessageRecorder recorder;
    CMatrix m = test::MatrixOf(1, 3, {1, 1, 1});
    EXPECT_EQ(ValuesOf(m * CVektor(5.0, 6.0)), (Values{11}));
    EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(FloatVektorTest, GetAndSetStayInside) {
    MessageRecorder recorder;
    CFloatVektor f(2);
    f.Set(1, 1.5f);
    f.Set(3, 9.0f);
    EXPECT_EQ(f.Get(1), 1.5f);
    EXPECT_EQ(f.Get(3), 0.0f);
    EXPECT_EQ(f.Get(0), 0.0f);
    EXPECT_EQ(recorder.messages.size(), 1u);
    CFloatVektor g(4.0, f);
    EXPECT_EQ(g.Count(), 3);
    EXPECT_EQ(g.Get(1), 4.0f);
    g = f;
    EXPECT_EQ(g.Count(), 2);
    g.SetDim(3);
    EXPECT_EQ(g.Get(1), 0.0f);
}

}  // namespace
}  // namespace formix
