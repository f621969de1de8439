// Tests of the vector classes' streams (formix/NumericStreams.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <locale>
#include <sstream>

#include "NumericTestSupport.h"
#include "formix/FormixArchive.h"
#include "formix/ListTable.h"
#include "formix/Vektor.h"

namespace formix {
namespace {

using test::MessageRecorder;
using test::ValuesOf;
using Values = std::vector<double>;

std::string Stored(CVektor& v) {
    CArchive ar;
    v.Serialize(ar);
    return ar.Buffer();
}

std::string Binary(const CVektor& v) {
    std::ostringstream os;
    v.WriteBinary(os);
    return os.str();
}

TEST(VektorArchiveTest, LayoutAndByteExactRoundTrip) {
    CVektor v(1.0, -0.0);
    v.SetName("v");
    v.SetRow(true);
    const std::string bytes = Stored(v);
    std::string expected("\x01v" "\x02\0\0\0" "\x02\0\0\0" "\0\0", 12);
    expected += std::string("\0\0\0\0\0\0\xF0\x3F", 8);
    expected += std::string("\0\0\0\0\0\0\0\x80", 8);
    EXPECT_EQ(bytes, expected);

    CVektor back(5, "old", false);
    CArchive in(bytes);
    back.Serialize(in);
    EXPECT_EQ(back.Name(), "v");
    EXPECT_TRUE(back.IsRow());
    EXPECT_EQ(back.MaxIndex(), 2);
    EXPECT_TRUE(std::signbit(back(2)));
    EXPECT_EQ(Stored(back), bytes);
}

TEST(VektorArchiveTest, AViewIsStoredWithItsFlagAndLoadsAsAnOwnedVector) {
    CVektor source(1.0, 2.0, 3.0);
    CVektor view = source.SubVektor(2, 3);
    const std::string bytes = Stored(view);
    EXPECT_EQ(bytes.substr(9, 2), std::string("\x01\0", 2));
    CVektor loaded;
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_FALSE(loaded.IsView());
    EXPECT_EQ(ValuesOf(loaded), (Values{2, 3}));
    loaded.Resize(4);  // owned storage may grow
    EXPECT_EQ(loaded.Dim(), 4);
}

TEST(VektorArchiveTest, ShortOrHostileArchivesAreRefusedAndChangeNothing) {
    CVektor source(1.5, 2.5, 3.5);
    source.SetName("quelle");
    const std::string bytes = Stored(source);
    CVektor v(7.0, 8.0);
    v.SetName("mine");
    const std::string before = Stored(v);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CArchive in(bytes.substr(0, cut));
        EXPECT_THROW(v.Serialize(in), CArchiveException) << cut;
        EXPECT_EQ(Stored(v), before) << cut;
    }
    CArchive hostile;
    hostile.WriteString("h");
    hostile.WriteInt(0x7FFFFFFF);
    hostile.WriteInt(1);
    hostile.WriteShort(0);
    hostile.WriteDouble(1.0);
    CArchive in(hostile.Buffer());
    EXPECT_THROW(v.Serialize(in), CArchiveException);
    EXPECT_EQ(Stored(v), before);
}

TEST(VektorArchiveTest, NegativeDimensionLoadsAsEmpty) {
    CArchive out;
    out.WriteString("n");
    out.WriteInt(-5);
    out.WriteInt(1);
    out.WriteShort(0);
    CVektor v(1.0, 2.0);
    CArchive in(out.Buffer());
    v.Serialize(in);
    EXPECT_EQ(v.Dim(), 0);
    EXPECT_EQ(v.Name(), "n");
}

TEST(FloatVektorArchiveTest, RoundTripAndShortArchives) {
    CFloatVektor f(CVektor(1.5, -2.0));
    CArchive out;
    f.Serialize(out);
    EXPECT_EQ(out.Buffer(), std::string("\x02\0\0\0" "\0\0\xC0\x3F" "\0\0\0\xC0", 12));
    CFloatVektor g(5);
    CArchive in(out.Buffer());
    g.Serialize(in);
    EXPECT_EQ(g.Count(), 2);
    EXPECT_EQ(g.Get(2), -2.0f);
    for (size_t cut = 0; cut < out.Buffer().size(); ++cut) {
        CArchive shortIn(out.Buffer().substr(0, cut));
        EXPECT_THROW(g.Serialize(shortIn), CArchiveException) << cut;
        EXPECT_EQ(g.Count(), 2);
    }
}

TEST(VektorBinaryTest, RecordLayoutAndRoundTrip) {
    CVektor v(2.0);
    v.SetName("ab");
    const std::string bytes = Binary(v);
    std::string expected("\x01\0\0\0" "\x01\0\0\0" "\0\0" "\x02\0\0\0" "ab" "\0\0" "\0\0\0\0", 22);
    expected += std::string("\0\0\0\0\0\0\0\x40", 8);
    EXPECT_EQ(bytes, expected);
    CVektor back;
    std::istringstream is(bytes);
    back.ReadBinary(is);
    ASSERT_TRUE(is);
    EXPECT_EQ(back.Name(), "ab");
    EXPECT_EQ(ValuesOf(back), (Values{2}));
    EXPECT_EQ(Binary(back), bytes);
}

TEST(VektorBinaryTest, ShortAndHostileRecordsFailAndChangeNothing) {
    CVektor source(1.0, 2.0, 3.0);
    source.SetName("name");
    const std::string bytes = Binary(source);
    CVektor v(9.0);
    const std::string before = Binary(v);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::istringstream is(bytes.substr(0, cut));
        v.ReadBinary(is);
        EXPECT_TRUE(is.fail()) << cut;
        EXPECT_EQ(Binary(v), before) << cut;
    }
    // Huge dimension or name length with a few bytes behind them, and a negative dimension.
    const std::string header("\x01\0\0\0\0\0", 6);  // orientation 1, view flag 0
    const std::string records[] = {
        std::string("\xFF\xFF\xFF\x7F", 4) + header + std::string(14, '\0'),
        std::string("\x01\0\0\0", 4) + header.substr(0, 4) + std::string("\0\0\xFF\xFF\xFF\x7F", 6) + "abc",
        std::string("\xFF\xFF\xFF\xFF", 4) + header + std::string(14, '\0'),
    };
    for (const std::string& record : records) {
        std::istringstream is(record);
        v.ReadBinary(is);
        EXPECT_TRUE(is.fail());
        EXPECT_EQ(Binary(v), before);
    }
}

TEST(VektorBinaryTest, AConstantVectorAnswersEveryIndexWithItsFirstElement) {
    std::string record("\x01\0\0\0" "\x01\0\0\0" "\0\0" "\0\0\0\0" "\x01\0" "\x01\0\0\0", 20);
    record += std::string("\0\0\0\0\0\0\x14\x40", 8);  // 5.0
    CVektor v;
    std::istringstream is(record);
    v.ReadBinary(is);
    ASSERT_TRUE(is);
    ASSERT_TRUE(v.IsConst());
    MessageRecorder recorder;
    EXPECT_EQ(v(7), 5.0);
    EXPECT_EQ(v.MaxIndex(), 7);
    const CVektor& c = v;
    EXPECT_EQ(c(3), 5.0);
    EXPECT_EQ(c.Get(2), 5.0);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, "Kann Dimension nicht testen. Konstantes Objekt.");
    EXPECT_EQ(recorder.messages[0].caption, "CVektor");
    EXPECT_EQ(recorder.messages[1].caption, "ec");
    v.Set(12, 1.0);
    EXPECT_EQ(v.MaxIndex(), 12);
    EXPECT_EQ(v.Element(1), 5.0);
    EXPECT_EQ(v.ElementPtr(4), v.Data());
}

TEST(VektorTextTest, WritesScientificWithEighteenDigits) {
    CVektor v(1.0, -2.5);
    std::ostringstream os;
    os << v;
    EXPECT_EQ(os.str(), "2\n1\n1.000000000000000000e+00 -2.500000000000000000e+00 ");
    CVektor back;
    std::istringstream is(os.str());
    is >> back;
    ASSERT_TRUE(is);
    EXPECT_EQ(ValuesOf(back), (Values{1, -2.5}));
    EXPECT_TRUE(back.IsColumn());

    CVektor row(0.1, 1e300);
    row.SetRow(true);
    std::stringstream ss;
    ss << row;
    CVektor back2;
    ss >> back2;
    EXPECT_TRUE(back2 == row);  // 18 digits carry every double exactly
    EXPECT_TRUE(back2.IsRow());
}

// Number punctuation as a German user's locale has it: decimal comma, points between thousands.
class GermanPunctuation : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(VektorTextTest, IgnoresTheStreamsLocale) {
    const std::locale german(std::locale::classic(), new GermanPunctuation);
    std::ostringstream os;
    os.imbue(german);
    os << CVektor(1234.5);
    EXPECT_EQ(os.str(), "1\n1\n1.234500000000000000e+03 ");
    std::istringstream is(os.str());
    is.imbue(german);
    CVektor back;
    is >> back;
    EXPECT_EQ(ValuesOf(back), (Values{1234.5}));
    CVektor big(1234, "", false);
    std::ostringstream os5;
    os5.imbue(german);
    os5 << big;
    EXPECT_EQ(os5.str().substr(0, 7), "1234\n1\n");
}

TEST(VektorTextTest, BadInputFailsAndChangesNothing) {
    CVektor v(1.0, 2.0);
    for (const char* text : {"", "3\n1\n1 2", "-1\n1\n", "2\n1\n1 x", "99999999999\n1\n1",
                             "2147483647\n1\n1 2 3"}) {
        std::istringstream is(text);
        is >> v;
        EXPECT_TRUE(is.fail()) << text;
        EXPECT_EQ(ValuesOf(v), (Values{1, 2})) << text;
    }
}

TEST(VektorTextTest, AFailedStreamThrows) {
    std::ostringstream os;
    os.setstate(std::ios_base::badbit);
    EXPECT_THROW(os << CVektor(1.0), std::ios_base::failure);
    CFloatVektor f(2);
    EXPECT_THROW(os << f, std::ios_base::failure);
}

TEST(FloatVektorTextTest, RoundTrip) {
    CFloatVektor f(CVektor(0.5, -1.25));
    std::stringstream ss;
    ss << f;
    EXPECT_EQ(ss.str(), "2\n5.000000000000000000e-01 -1.250000000000000000e+00 ");
    CFloatVektor g;
    ss >> g;
    EXPECT_EQ(g.Count(), 2);
    EXPECT_EQ(g.Get(2), -1.25f);
    std::istringstream bad("3 1 2");
    bad >> g;
    EXPECT_TRUE(bad.fail());
    EXPECT_EQ(g.Count(), 2);
}

TEST(VektorBracketTest, ReadsFormulasBetweenBrackets) {
    std::istringstream is("Werte: [1, 2*3; 4 - 1 , X+5] rest");
    CVektor v(9, "v", true);
    ReadBracketed(is, v);
    ASSERT_TRUE(is);
    EXPECT_EQ(ValuesOf(v), (Values{1, 6, 3, 5}));
    EXPECT_TRUE(v.IsRow());
    std::string rest;
    is >> rest;
    EXPECT_EQ(rest, "rest");

    std::istringstream empty("[ ]");
    ReadBracketed(empty, v);
    EXPECT_EQ(v.Dim(), 0);
    std::istringstream blankElement("[1,,2]");
    ReadBracketed(blankElement, v);
    EXPECT_EQ(ValuesOf(v), (Values{1, 0, 2}));
}

TEST(VektorBracketTest, MissingBracketsFailAndChangeNothing) {
    CVektor v(1.0);
    for (const char* text : {"1, 2", "[1, 2", ""}) {
        std::istringstream is(text);
        ReadBracketed(is, v);
        EXPECT_TRUE(is.fail()) << text;
        EXPECT_EQ(ValuesOf(v), (Values{1}));
    }
    std::istringstream endless("[" + std::string(2 << 20, '1'));
    ReadBracketed(endless, v);
    EXPECT_TRUE(endless.fail());
    // A view keeps its size.
    CVektor source(1.0, 2.0, 3.0);
    CVektor view = source.SubVektor(1, 2);
    std::istringstream three("[4,5,6]");
    ReadBracketed(three, view);
    EXPECT_TRUE(three.fail());
    std::istringstream two("[4,5]");
    ReadBracketed(two, view);
    EXPECT_EQ(ValuesOf(source), (Values{4, 5, 3}));
}

TEST(VektorListTest, WritesHorizontallyAndReadsBack) {
    CListTable table;
    table.InsertColumn(0, "old", CListColumn::left, 10);
    table.InsertItem(0, "junk");
    CVektor v(1.5, 1.0 / 3.0);
    DDX_Vektor(false, table, v, "", true);
    ASSERT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.columns[0].title, "Vektor");
    EXPECT_EQ(table.columns[0].width, 30);
    EXPECT_EQ(table.columns[1].title, "1");
    EXPECT_EQ(table.columns[2].align, CListColumn::right);
    EXPECT_EQ(table.columns[2].width, 50);
    ASSERT_EQ(table.ItemCount(), 1);
    EXPECT_EQ(table.GetItemText(0, 0), "1");
    EXPECT_EQ(table.GetItemText(0, 1), "1.5");
    EXPECT_EQ(table.GetItemText(0, 2), "0.333333333333333");

    table.SetItemText(0, 1, "2*4");
    CVektor back;
    DDX_Vektor(true, table, back, "", true);
    EXPECT_EQ(ValuesOf(back), (Values{8, 0.333333333333333}));
}

TEST(VektorListTest, WritesVerticallyAndReadsBack) {
    CListTable table;
    CVektor v(4.0, 5.0, 6.0);
    DDX_Vektor(false, table, v, "Titel", false);
    ASSERT_EQ(table.ColumnCount(), 2);
    EXPECT_EQ(table.columns[0].title, "Titel");
    EXPECT_EQ(table.columns[1].title, "A");
    EXPECT_EQ(table.expectedItems, 3);
    ASSERT_EQ(table.ItemCount(), 3);
    EXPECT_EQ(table.GetItemText(2, 0), "3");
    EXPECT_EQ(table.GetItemText(2, 1), "6");
    CVektor back;
    DDX_Vektor(true, table, back, "", false);
    EXPECT_TRUE(back == v);

    CListTable hidden;
    hidden.hasWindow = false;
    DDX_Vektor(false, hidden, v, "", false);
    EXPECT_EQ(hidden.ColumnCount(), 0);
    DDX_Vektor(true, hidden, back, "", false);
    EXPECT_EQ(back.Dim(), 3);
}

}  // namespace
}  // namespace formix
