// Tests of the matrix class's streams (formix/NumericStreams.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "NumericTestSupport.h"
#include "formix/FormixArchive.h"
#include "formix/ListTable.h"
#include "formix/Matrix.h"

namespace formix {
namespace {

using test::MatrixOf;
using test::MaxDifference;
using test::MessageRecorder;

std::string Stored(CMatrix& m) {
    CArchive ar;
    m.Serialize(ar);
    return ar.Buffer();
}

std::string Binary(const CMatrix& m) {
    std::ostringstream os;
    m.WriteBinary(os);
    return os.str();
}

TEST(MatrixArchiveTest, LayoutAndByteExactRoundTrip) {
    CMatrix m = MatrixOf(1, 2, {1.0, -2.0});
    m.SetName("M");
    m.SetState(CMatrix::qrFactors);
    const std::string bytes = Stored(m);
    std::string expected("\x01M" "\x01\0\0\0" "\x02\0\0\0" "\x03\0\0\0", 14);
    expected += std::string("\0\0\0\0\0\0\xF0\x3F", 8);
    expected += std::string("\0\0\0\0\0\0\0\xC0", 8);
    EXPECT_EQ(bytes, expected);

    CMatrix back = IdentityMatrix(4);
    ASSERT_TRUE(back.LUDecompose(true));
    CArchive in(bytes);
    back.Serialize(in);
    EXPECT_EQ(back.Name(), "M");
    EXPECT_EQ(back.State(), CMatrix::qrFactors);
    EXPECT_TRUE(back.Permutation().empty());
    EXPECT_EQ(MaxDifference(back, MatrixOf(1, 2, {1, -2})), 0.0);
    EXPECT_EQ(Stored(back), bytes);
}

TEST(MatrixArchiveTest, ShortOrHostileArchivesAreRefusedAndChangeNothing) {
    CMatrix source = MatrixOf(2, 2, {1, 2, 3, 4});
    source.SetName("q");
    const std::string bytes = Stored(source);
    CMatrix m = MatrixOf(1, 1, {9});
    const std::string before = Stored(m);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CArchive in(bytes.substr(0, cut));
        EXPECT_THROW(m.Serialize(in), CArchiveException) << cut;
        EXPECT_EQ(Stored(m), before) << cut;
    }
    for (auto [rows, cols] : {std::pair{0x7FFFFFFF, 0x7FFFFFFF}, std::pair{-1, 2}, std::pair{2, -1},
                              std::pair{0x7FFFFFFF, 0}, std::pair{100000, 100000}}) {
        CArchive hostile;
        hostile.WriteString("h");
        hostile.WriteInt(rows);
        hostile.WriteInt(cols);
        hostile.WriteInt(1);
        hostile.WriteDouble(1.0);
        CArchive in(hostile.Buffer());
        EXPECT_THROW(m.Serialize(in), CArchiveException) << rows << " " << cols;
        EXPECT_EQ(Stored(m), before);
    }
}

TEST(MatrixArchiveTest, AViewLoadsAsAnOwnedMatrix) {
    CMatrix a = MatrixOf(2, 2, {1, 2, 3, 4});
    CMatrix view = a.SubMatrix(1, 1, 1, 2);
    CArchive out;
    MatrixOf(3, 1, {5, 6, 7}).Serialize(out);
    CArchive in(out.Buffer());
    view.Serialize(in);
    EXPECT_FALSE(view.IsView());
    EXPECT_EQ(view.Rows(), 3);
    EXPECT_EQ(MaxDifference(a, MatrixOf(2, 2, {1, 2, 3, 4})), 0.0);
}

TEST(MatrixBinaryTest, RecordLayoutAndRoundTrip) {
    CMatrix m = MatrixOf(1, 1, {0.5});
    m.SetName("xy");
    const std::string bytes = Binary(m);
    std::string expected("\x01\0\0\0" "\x01\0\0\0" "\x01\0\0\0" "\0\0\0\0" "\x02\0\0\0" "xy" "\0\0\0\0", 26);
    expected += std::string("\0\0\0\0\0\0\xE0\x3F", 8);
    EXPECT_EQ(bytes, expected);
    CMatrix back(3, 3);
    std::istringstream is(bytes);
    back.ReadBinary(is);
    ASSERT_TRUE(is);
    EXPECT_EQ(Binary(back), bytes);
}

TEST(MatrixBinaryTest, ShortAndHostileRecordsFailAndChangeNothing) {
    CMatrix source = MatrixOf(2, 3, {1, 2, 3, 4, 5, 6});
    source.SetName("name");
    const std::string bytes = Binary(source);
    CMatrix m = MatrixOf(1, 2, {7, 8});
    const std::string before = Binary(m);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::istringstream is(bytes.substr(0, cut));
        m.ReadBinary(is);
        EXPECT_TRUE(is.fail()) << cut;
        EXPECT_EQ(Binary(m), before) << cut;
    }
    const std::string zeros(16, '\0');
    const std::string records[] = {
        std::string("\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F", 8) + zeros,                 // shape
        std::string("\x00\x40\0\0\x00\x40\0\0", 8) + zeros,                         // 16384², short data
        std::string("\x01\0\0\0\x01\0\0\0\x01\0\0\0\0\0\0\0\xFF\xFF\xFF\x7F", 20) + "ab",  // name length
    };
    for (const std::string& record : records) {
        std::istringstream is(record);
        m.ReadBinary(is);
        EXPECT_TRUE(is.fail());
        EXPECT_EQ(Binary(m), before);
    }
}

TEST(MatrixTextTest, WritesEveryElementOnItsOwnLine) {
    CMatrix m = MatrixOf(2, 1, {1.0, -0.125});
    std::ostringstream os;
    os << m;
    EXPECT_EQ(os.str(), "2\n1\n0\n1.000000000000000000e+00\n-1.250000000000000000e-01\n");
    CMatrix back;
    std::istringstream is(os.str());
    is >> back;
    ASSERT_TRUE(is);
    EXPECT_EQ(MaxDifference(back, m), 0.0);
}

TEST(MatrixTextTest, AViewIsNotStreamed) {
    MessageRecorder recorder;
    CMatrix a = MatrixOf(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    std::ostringstream os;
    os << a.SubMatrix(2, 3, 2, 3);
    EXPECT_EQ(os.str(), "");
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Error : operator <<(ostream  &  os,CMatrix  &  m )");
    EXPECT_EQ(recorder.messages[0].caption, "Cannot stream SubMatrix");
}

TEST(MatrixTextTest, BadInputAndFailedStreams) {
    CMatrix m = MatrixOf(1, 1, {3});
    for (const char* text : {"", "2 2 0 1 2 3", "-1 2 0", "2 x 0", "70000 70000 0 1", "100000 0 0"}) {
        std::istringstream is(text);
        is >> m;
        EXPECT_TRUE(is.fail()) << text;
        EXPECT_EQ(MaxDifference(m, MatrixOf(1, 1, {3})), 0.0) << text;
    }
    std::ostringstream bad;
    bad.setstate(std::ios_base::failbit);
    EXPECT_THROW(bad << m, std::ios_base::failure);
}

TEST(MatrixBracketTest, RowsBySemicolonsColumnsByCommas) {
    std::istringstream is("A = [1, 2*2; 3] ");
    CMatrix m;
    ReadBracketed(is, m);
    ASSERT_TRUE(is);
    EXPECT_EQ(MaxDifference(m, MatrixOf(2, 2, {1, 4, 3, 0})), 0.0);
    std::istringstream empty("[]");
    ReadBracketed(empty, m);
    EXPECT_EQ(m.Rows(), 0);
    std::istringstream open("[1, 2");
    ReadBracketed(open, m);
    EXPECT_TRUE(open.fail());
    EXPECT_EQ(m.Rows(), 0);
}

TEST(MatrixListTest, WritesAndReadsTheElements) {
    CListTable table;
    table.InsertColumn(0, "x", CListColumn::left, 5);
    table.InsertColumn(1, "y", CListColumn::left, 5);
    table.InsertItem(0, "junk");
    CMatrix m = MatrixOf(2, 2, {1, 0.1, -3, 1e20});
    DDX_Matrix(false, table, m, nullptr);
    ASSERT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.columns[0].title, "Matrix");
    EXPECT_EQ(table.columns[2].title, "2");
    EXPECT_EQ(table.columns[2].width, 50);
    ASSERT_EQ(table.ItemCount(), 2);
    EXPECT_EQ(table.GetItemText(1, 0), "2");
    EXPECT_EQ(table.GetItemText(0, 2), "0.1");
    EXPECT_EQ(table.GetItemText(1, 2), "1E+20");
    CMatrix back;
    DDX_Matrix(true, table, back, nullptr);
    EXPECT_EQ(MaxDifference(back, m), 0.0);
}

}  // namespace
}  // namespace formix
