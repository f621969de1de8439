// Tests of formix/TextList.h.
#include <gtest/gtest.h>

#include <string>

#include "formix/FormixArchive.h"
#include "formix/TextList.h"

namespace formix {
namespace {

CNumberString* Text(const char* s) { return new CNumberString(std::string(s)); }

std::string Stored(CTextList& list) {
    CArchive ar;
    list.Serialize(ar);
    return ar.Buffer();
}

TEST(TextListTest, InsertPastTheEndLeavesEmptySlots) {
    CTextList list("L", 10, 10);
    CNumberString* p = Text("p");
    ASSERT_TRUE(list.InsertAt(p, 5));
    EXPECT_EQ(list.GetCount(), 6);
    EXPECT_EQ(list.GetCapacity(), 10);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.GetAt(i), nullptr) << i;
    }
    EXPECT_EQ(list.GetAt(5), p);
    EXPECT_EQ(list.GetAt(6), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.CountNonNull(), 1);
}

TEST(TextListTest, InsertPastTheCapacityGrowsToIndexPlusGrowBy) {
    CTextList list("", 2, 3);
    ASSERT_TRUE(list.InsertAt(Text("a"), 7));
    EXPECT_EQ(list.GetCapacity(), 7 + 3 + 1);
    EXPECT_EQ(list.GetCount(), 8);
}

TEST(TextListTest, InsertInsideShiftsLaterSlots) {
    CTextList list("", 2, 2);
    CNumberString* a = Text("a");
    CNumberString* b = Text("b");
    CNumberString* c = Text("c");
    list.Add(a);
    list.Add(b);
    ASSERT_TRUE(list.InsertAt(c, 1));  // full: grows by growBy
    EXPECT_EQ(list.GetCapacity(), 4);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(0), a);
    EXPECT_EQ(list.GetAt(1), c);
    EXPECT_EQ(list.GetAt(2), b);
    EXPECT_EQ(list.Find(b), 2);
    EXPECT_EQ(list.Find(nullptr), -1);
}

TEST(TextListTest, NegativeIndexIsRefusedAndTheItemStaysWithTheCaller) {
    CTextList list("", 4, 4);
    CNumberString* p = Text("p");
    EXPECT_FALSE(list.InsertAt(p, -1));
    EXPECT_FALSE(list.SetAt(p, -3));
    EXPECT_EQ(list.GetCount(), 0);
    delete p;  // still ours
}

TEST(TextListTest, AddGrowsByGrowByAndByOneWhenGrowByIsZero) {
    CTextList list("", 1, 0);
    list.Add(Text("a"));
    ASSERT_TRUE(list.Add(Text("b")));
    EXPECT_EQ(list.GetCapacity(), 2);
    ASSERT_TRUE(list.Add(Text("c")));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(2)->GetText(), "c");

    CTextList negative("", 0, -5);
    ASSERT_TRUE(negative.Add(Text("x")));
    EXPECT_EQ(negative.GetCount(), 1);
}

TEST(TextListTest, RemoveWithoutShiftShortensOnlyAtTheEnd) {
    CTextList list("", 10, 10);
    list.Add(Text("a"));
    list.Add(Text("b"));
    list.Add(Text("c"));
    list.RemoveAt(1, false);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(1), nullptr);
    list.RemoveAt(2, false);
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAt(0, true);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), nullptr);
    list.RemoveAt(5, true);  // outside: nothing
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(TextListTest, CompactKeepsTheItemsInOrder) {
    CTextList list("", 3, 3);
    CNumberString* a = Text("a");
    CNumberString* b = Text("b");
    list.Add(a);
    list.Add(nullptr);
    list.Add(b);
    list.Compact();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetCapacity(), 12);
    EXPECT_EQ(list.GetAt(0), a);
    EXPECT_EQ(list.GetAt(1), b);
}

TEST(TextListTest, SetAtReplacesAndDeletesTheOldItem) {
    CTextList list("", 2, 2);
    CNumberString* a = Text("a");
    list.Add(a);
    ASSERT_TRUE(list.SetAt(a, 0));  // the same item stays
    EXPECT_EQ(list.GetAt(0), a);
    ASSERT_TRUE(list.SetAt(Text("b"), 0));  // "a" is deleted (the leak checker would see it otherwise)
    EXPECT_EQ(list.GetAt(0)->GetText(), "b");
    ASSERT_TRUE(list.SetAt(Text("c"), 4));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetAt(3), nullptr);
}

TEST(TextListTest, ClearAtHandsTheItemBack) {
    CTextList list("", 2, 2);
    CNumberString* a = Text("a");
    list.Add(a);
    CNumberString* back = list.ClearAt(0);
    EXPECT_EQ(back, a);
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.ClearAt(3), nullptr);
    delete back;
}

TEST(TextListTest, ShrinkingBelowTheCountDeletesTheItemsBeyond) {
    CTextList list("", 4, 4);
    for (const char* s : {"a", "b", "c", "d"}) {
        list.Add(Text(s));
    }
    ASSERT_TRUE(list.SetCapacity(2));
    EXPECT_EQ(list.GetCapacity(), 2);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(1)->GetText(), "b");
    EXPECT_FALSE(list.SetCapacity(-1));
    EXPECT_EQ(list.GetCapacity(), 2);
    list.RemoveAll(true);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 4);
}

TEST(TextListTest, StoringWritesTheTextsAndLoadingRestoresThem) {
    CTextList list("Liste", 5, 3);
    list.Add(Text("1.5"));
    list.Add(nullptr);
    list.Add(Text("X^2"));
    std::string bytes = Stored(list);
    // count of texts 2, growBy 3, capacity 5, "Liste", "1.5", "X^2".
    EXPECT_EQ(bytes, std::string("\x02\0\0\0\x03\0\0\0\x05\0\0\0\x05Liste\x03" "1.5\x03X^2", 26));

    CTextList loaded("old", 1, 1);
    loaded.Add(Text("gone"));
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.GetName(), "Liste");
    EXPECT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetGrowBy(), 3);
    EXPECT_EQ(loaded.GetCapacity(), 5);
    EXPECT_EQ(loaded.GetAt(0)->GetText(), "1.5");
    EXPECT_EQ(loaded.GetAt(1)->GetText(), "X^2");
    EXPECT_EQ(Stored(loaded), bytes);
}

TEST(TextListTest, LoadingCorrectsNegativeFieldsAndCapsTheCapacity) {
    CArchive out;
    out.WriteInt(-4);  // count
    out.WriteInt(-1);  // growBy
    out.WriteInt(-9);  // capacity
    out.WriteString("n");
    CTextList list;
    CArchive in(out.Buffer());
    list.Serialize(in);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetGrowBy(), 2);
    EXPECT_EQ(list.GetCapacity(), 0);

    CArchive hostile;
    hostile.WriteInt(1);
    hostile.WriteInt(1);
    hostile.WriteInt(0x7FFFFFFF);
    hostile.WriteString("");
    hostile.WriteString("7");
    CArchive in2(hostile.Buffer());
    list.Serialize(in2);
    EXPECT_EQ(list.GetCapacity(), 1 + CTextList::kMaxSpareSlots);
    EXPECT_EQ(list.GetAt(0)->GetText(), "7");
}

TEST(TextListTest, ShortOrHostileArchivesLeaveTheListAsItWas) {
    CTextList source("Quelle", 4, 2);
    source.Add(Text("12"));
    source.Add(Text("abc"));
    const std::string bytes = Stored(source);

    CTextList list("mine", 3, 3);
    list.Add(Text("keep"));
    const std::string before = Stored(list);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CArchive in(bytes.substr(0, cut));
        EXPECT_THROW(list.Serialize(in), CArchiveException) << cut;
        EXPECT_EQ(Stored(list), before) << cut;
    }
    CArchive huge;
    huge.WriteInt(0x7FFFFFFF);
    huge.WriteInt(2);
    huge.WriteInt(2);
    huge.WriteString("");
    CArchive in(huge.Buffer());
    EXPECT_THROW(list.Serialize(in), CArchiveException);
    EXPECT_EQ(Stored(list), before);
}

}  // namespace
}  // namespace formix
