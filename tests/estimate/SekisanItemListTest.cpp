// Tests of estimate/SekisanItemList.h.
#include <gtest/gtest.h>

#include "EstimateBuilders.h"
#include "estimate/CalcCodes.h"
#include "estimate/SekisanItemList.h"

using namespace estimate_test;
using calc::Gyomu;
using calc::Koshu;

namespace {

// 0 業務1
// 1   工種 1-10
// 2     種別 1-10-101
// 3     種別 1-10-102 (印刷無)
// 4   工種 1-93
// 5 業務2
// 6   工種 2-81 (代価 number)
// 7     種別 2-81-1
// 8 業務95 (subtotal)
// 9 業務99 (total)
void BuildSample(CSekisanItemList& list) {
    ItemListBuilder(list)
        .Gyomu(1, "測量業務")
        .Koshu(10, "基準点測量")
        .Shubetsu(101, "4級基準点")
        .Shubetsu(102, "3級基準点")
        .NoPrint()
        .Koshu(93, "諸経費")
        .Gyomu(2, "設計業務")
        .Koshu(81)
        .DaikaNo(3)
        .Shubetsu(1)
        .Summary(95, "小計")
        .Summary(99, "合計");
}

}  // namespace

TEST(SekisanItemList, PositionsOutOfRangeGiveNull) {
    CSekisanItemList list;
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetUpperBound(), -1);
    EXPECT_EQ(list.GetItem(0), nullptr);
    BuildSample(list);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetUpperBound(), 9);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.GetItem(10), nullptr);
    ASSERT_NE(list.GetItem(9), nullptr);
    EXPECT_EQ(list.GetItem(9)->m_nGyomu, 99);
}

TEST(SekisanItemList, FindersReturnTheFirstNodeOfTheLevel) {
    CSekisanItemList list;
    BuildSample(list);
    EXPECT_EQ(list.FindGyomu(1), 0);
    EXPECT_EQ(list.FindGyomu(2), 5);
    EXPECT_EQ(list.FindGyomu(99), 9);
    EXPECT_EQ(list.FindGyomu(3), -1);
    EXPECT_EQ(list.FindKoshu(1, 93), 4);
    EXPECT_EQ(list.FindKoshu(2, 81), 6);
    EXPECT_EQ(list.FindKoshu(2, 93), -1);
    EXPECT_EQ(list.FindShubetsu(1, 10, 102), 3);
    EXPECT_EQ(list.FindShubetsu(2, 81, 1), 7);
    EXPECT_EQ(list.FindShubetsu(1, 81, 1), -1);
    // A 工種 code does not find a 種別 node, nor a 業務 code a 工種 node.
    EXPECT_EQ(list.FindKoshu(1, 101), -1);
}

TEST(SekisanItemList, NodeWithoutKoshuIsSkippedByEveryFinder) {
    CSekisanItemList list;
    ItemListBuilder(list).Node(MakeItem(1, kUnset, 101)).Gyomu(1).Koshu(10).Shubetsu(101);
    EXPECT_EQ(list.FindGyomu(1), 1);
    EXPECT_EQ(list.FindKoshu(1, kUnset), -1);
    EXPECT_EQ(list.FindShubetsu(1, kUnset, 101), -1);
    EXPECT_EQ(list.FindShubetsu(1, 10, 101), 3);
    EXPECT_EQ(list.CountGyomu(), 1);
}

TEST(SekisanItemList, CountGyomuItemsStopsAtTheNextGyomu) {
    CSekisanItemList list;
    BuildSample(list);
    EXPECT_EQ(list.CountGyomuItems(1, false), 4);
    EXPECT_EQ(list.CountGyomuItems(1, true), 3);   // 1-10-102 is not printed
    EXPECT_EQ(list.CountGyomuItems(2, false), 2);  // the summary row 95 is a 業務 node
    EXPECT_EQ(list.CountGyomuItems(95, false), 0);
    EXPECT_EQ(list.CountGyomuItems(3, false), 0);

    // The last 業務 counts up to the end of the list.
    CSekisanItemList tail;
    ItemListBuilder(tail).Gyomu(1).Koshu(10).Gyomu(2).Koshu(20).Shubetsu(1).Shubetsu(2);
    EXPECT_EQ(tail.CountGyomuItems(2, false), 3);
    EXPECT_EQ(tail.CountGyomuItems(2, true), 3);

    // Printed counting also asks for the 業務 code of each node.
    CSekisanItemList odd;
    ItemListBuilder(odd).Gyomu(1).Node(MakeItem(2, 10)).Koshu(11);
    EXPECT_EQ(odd.CountGyomuItems(1, false), 2);
    EXPECT_EQ(odd.CountGyomuItems(1, true), 1);
}

TEST(SekisanItemList, CountKoshuItemsTakesTheShubetsuDirectlyAfter) {
    CSekisanItemList list;
    BuildSample(list);
    EXPECT_EQ(list.CountKoshuItems(1, 10, false), 2);
    EXPECT_EQ(list.CountKoshuItems(1, 10, true), 1);
    EXPECT_EQ(list.CountKoshuItems(1, 93, false), 0);
    EXPECT_EQ(list.CountKoshuItems(2, 81, false), 1);
    EXPECT_EQ(list.CountKoshuItems(1, 11, false), 0);  // absent 工種
    EXPECT_EQ(list.CountKoshuItems(3, 10, true), 0);

    // A node of another level ends the run; printed counting also compares both codes.
    CSekisanItemList odd;
    ItemListBuilder(odd).Gyomu(1).Koshu(10).Shubetsu(1).Node(MakeItem(1, 11, 2)).Node(MakeItem(1, kUnset, 3))
        .Shubetsu(4);
    EXPECT_EQ(odd.CountKoshuItems(1, 10, false), 2);
    EXPECT_EQ(odd.CountKoshuItems(1, 10, true), 1);
}

TEST(SekisanItemList, CountersOverTheWholeList) {
    CSekisanItemList list;
    BuildSample(list);
    EXPECT_EQ(list.CountGyomu(), 4);
    EXPECT_EQ(list.CountSummaryGyomu(), 2);
    EXPECT_EQ(list.CountKoshuOfGyomu(1), 2);
    EXPECT_EQ(list.CountKoshuOfGyomu(2), 1);
    EXPECT_EQ(list.CountKoshuOfGyomu(3), 0);
    EXPECT_EQ(list.CountShubetsuOfKoshu(1, 10), 2);
    EXPECT_EQ(list.CountShubetsuOfKoshu(2, 81), 1);
    EXPECT_EQ(list.CountShubetsuOfKoshu(1, 11), 0);  // absent 工種
    EXPECT_EQ(list.CountPrinted(), 9);

    // 工種 and 種別 nodes of the 業務 anywhere after its node count, not those before it.
    CSekisanItemList scattered;
    ItemListBuilder(scattered).Node(MakeItem(3, 30)).Gyomu(3).Koshu(31).Gyomu(4).Node(MakeItem(3, 32))
        .Node(MakeItem(3, 31, 1));
    EXPECT_EQ(scattered.CountKoshuOfGyomu(3), 2);
    EXPECT_EQ(scattered.CountShubetsuOfKoshu(3, 31), 1);
    EXPECT_EQ(scattered.CountShubetsuOfKoshu(3, 30), 0);
}

struct DaikaCase {
    int32_t gyomu, koshu, shubetsu, daikaNo;
    int expected;
};

void PrintTo(const DaikaCase& c, std::ostream* os) {
    *os << "gyomu " << c.gyomu << " koshu " << c.koshu << " shubetsu " << c.shubetsu << " daika " << c.daikaNo;
}

class HasDaikaTable : public ::testing::TestWithParam<DaikaCase> {};

TEST_P(HasDaikaTable, FollowsLevelCodesAndNumber) {
    const DaikaCase& c = GetParam();
    CSekisanItemList list;
    ItemListBuilder(list).Gyomu(c.gyomu).Node(MakeItem(c.gyomu, c.koshu, c.shubetsu)).DaikaNo(c.daikaNo);
    EXPECT_EQ(list.HasDaikaTable(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HasDaikaTable,
    ::testing::Values(
        DaikaCase{Gyomu::Sekkei, Koshu::DensiKeisanki, kUnset, 1, 0},
        DaikaCase{Gyomu::Sokuryo, Koshu::DensiKeisanki, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuIppan, Koshu::Zairyohi, kUnset, 1, 0},
        DaikaCase{Gyomu::DoshitsuIppan, Koshu::Zairyohi, 7, -1, 1},  // a 種別 node with −1 counts
        DaikaCase{Gyomu::Sokuryo, Koshu::ExtraRateA, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuIppan, Koshu::ExtraRateA, kUnset, 1, 1},
        DaikaCase{Gyomu::KukakuSokuryo, Koshu::ExtraRateA, kUnset, 1, 1},
        DaikaCase{Gyomu::Sekkei, Koshu::ExtraRateA, kUnset, 1, 0},
        DaikaCase{Gyomu::Bukken, Koshu::ExtraRateA, kUnset, 1, 0},
        DaikaCase{Gyomu::Sokuryo, Koshu::Zairyohi, kUnset, 1, 1},
        DaikaCase{Gyomu::KukakuSokuryo, Koshu::Zairyohi, kUnset, 1, 1},
        DaikaCase{Gyomu::Sekkei, Koshu::SekkeiDensi, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuKaiseki, Koshu::SekkeiDensi, kUnset, 1, 1},
        DaikaCase{Gyomu::KukakuSekkei, Koshu::SekkeiDensi, kUnset, 1, 1},
        DaikaCase{Gyomu::Bukken, Koshu::Zairyohi, kUnset, 1, 0},
        DaikaCase{Gyomu::Sekkei, Koshu::DensiKeisankiAlt, kUnset, 1, 1},
        DaikaCase{Gyomu::Bukken, Koshu::DensiKeisankiAlt, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuIppan, Koshu::DensiKeisankiAlt, kUnset, 1, 1},
        DaikaCase{Gyomu::Bukken, Koshu::DensiKeisanki, kUnset, 1, 1},
        DaikaCase{8, Koshu::DensiKeisanki, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuIppan, Koshu::DensiKeisanki, kUnset, 1, 1},
        DaikaCase{Gyomu::DoshitsuKaiseki, Koshu::DensiKeisanki, kUnset, 1, 0},
        DaikaCase{Gyomu::KukakuSekkei, Koshu::DensiKeisanki, kUnset, 1, 0},
        DaikaCase{Gyomu::Sokuryo, 10, kUnset, 1, 0},
        DaikaCase{Gyomu::Sokuryo, Koshu::DensiKeisanki, kUnset, -1, 1},
        DaikaCase{Gyomu::Sokuryo, Koshu::DensiKeisanki, kUnset, kUnset, 0},
        DaikaCase{Gyomu::Sokuryo, 10, 5, kUnset, 0},
        DaikaCase{Gyomu::Sokuryo, kUnset, 5, 1, 0}));  // level −1

TEST(SekisanItemList, GyomuNodeWithDaikaNumberHasNoTable) {
    CSekisanItemList list;
    ItemListBuilder(list).Gyomu(1).DaikaNo(1).Koshu(10);
    EXPECT_EQ(list.HasDaikaTable(), 0);
}

TEST(SekisanItemList, NullEntriesAreSkipped) {
    CSekisanItemList list;
    ItemListBuilder(list).Gyomu(1).Koshu(10).Shubetsu(1);
    list.InsertItem(2, nullptr);
    list.AddItem(nullptr);
    ItemListBuilder(list).Gyomu(2).Koshu(20).DaikaNo(1);
    // 0 業務1, 1 工種10, 2 null, 3 種別1, 4 null, 5 業務2, 6 工種20
    EXPECT_EQ(list.GetCount(), 7);
    EXPECT_EQ(list.GetItem(2), nullptr);
    EXPECT_EQ(list.FindShubetsu(1, 10, 1), 3);
    EXPECT_EQ(list.FindGyomu(2), 5);
    EXPECT_EQ(list.CountGyomuItems(1, false), 2);
    EXPECT_EQ(list.CountKoshuItems(1, 10, false), 1);
    EXPECT_EQ(list.CountShubetsuOfKoshu(1, 10), 1);
    EXPECT_EQ(list.CountPrinted(), 5);
    EXPECT_EQ(list.CountGyomu(), 2);
    EXPECT_EQ(list.HasDaikaTable(), 0);

    CSekisanItemList copy;
    copy.AppendGyomu(list, 1);
    EXPECT_EQ(copy.GetCount(), 3);  // null entries are not copied
}

TEST(SekisanItemList, AddInsertSetRemove) {
    CSekisanItemList list;
    EXPECT_EQ(list.AddItem(MakeItem(1)), 0);
    EXPECT_EQ(list.AddItem(MakeItem(2)), 1);
    list.InsertItem(0, MakeItem(3));
    list.InsertItem(3, MakeItem(4));  // the count appends
    EXPECT_THROW(list.InsertItem(5, MakeItem(5)), std::out_of_range);
    EXPECT_THROW(list.InsertItem(-1, MakeItem(5)), std::out_of_range);
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetItem(0)->m_nGyomu, 3);
    EXPECT_EQ(list.GetItem(3)->m_nGyomu, 4);

    CSekisanItem* held = list.GetItem(1);
    std::unique_ptr<CSekisanItem> old = list.SetItem(1, MakeItem(6));
    EXPECT_EQ(old.get(), held);
    EXPECT_EQ(list.GetItem(1)->m_nGyomu, 6);
    EXPECT_THROW(list.SetItem(4, MakeItem(7)), std::out_of_range);

    // RemoveItem hands the node over instead of deleting it.
    CSekisanItem* second = list.GetItem(2);
    std::unique_ptr<CSekisanItem> removed = list.RemoveItem(2);
    EXPECT_EQ(removed.get(), second);
    EXPECT_EQ(removed->m_nGyomu, 2);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.RemoveItem(3), nullptr);
    EXPECT_EQ(list.RemoveItem(-1), nullptr);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(SekisanItemList, CopyMakesIndependentNodesAndDropsTheOldOnes) {
    CSekisanItemList source;
    source.m_strKenmei = "農道測量設計業務";
    source.m_nTankaColumn = 3;
    ItemListBuilder(source).Gyomu(1).Koshu(10).Shubetsu(101).Quantity(2500);
    CSekisanItemList target;
    target.m_strDate = "令和6年4月1日";
    ItemListBuilder(target).Gyomu(5).Gyomu(6);

    target.Copy(source);
    ASSERT_EQ(target.GetCount(), 3);
    EXPECT_EQ(target.m_strKenmei, "農道測量設計業務");
    EXPECT_EQ(target.m_nTankaColumn, 3);
    EXPECT_EQ(target.m_strDate, "");
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(target.GetItem(i), source.GetItem(i));
        EXPECT_TRUE(SameItem(*target.GetItem(i), *source.GetItem(i)));
    }
    target.GetItem(2)->m_nQuantity = 1;
    EXPECT_EQ(source.GetItem(2)->m_nQuantity, 2500);

    target.Copy(target);  // into itself: unchanged
    EXPECT_EQ(target.GetCount(), 3);
    EXPECT_EQ(target.GetItem(2)->m_nQuantity, 1);
}

TEST(SekisanItemList, CopyHeaderLeavesTheNodes) {
    CSekisanItemList source, target;
    source.m_strKenmei = "件名";
    source.m_strKashoName = "箇所";
    source.m_strPrintTitle = "表題";
    source.m_strMasterFolder = "/data/参考マスター25";
    source.m_nTankaColumn = 19;
    source.m_strZairyoFile = "/data/材料単価データ25.zoa";
    source.m_strDate = "日付";
    ItemListBuilder(source).Gyomu(1);
    ItemListBuilder(target).Gyomu(2).Gyomu(3);
    target.CopyHeader(source);
    EXPECT_EQ(target.m_strKenmei, "件名");
    EXPECT_EQ(target.m_strKashoName, "箇所");
    EXPECT_EQ(target.m_strPrintTitle, "表題");
    EXPECT_EQ(target.m_strMasterFolder, "/data/参考マスター25");
    EXPECT_EQ(target.m_nTankaColumn, 19);
    EXPECT_EQ(target.m_strZairyoFile, "/data/材料単価データ25.zoa");
    EXPECT_EQ(target.m_strDate, "日付");
    ASSERT_EQ(target.GetCount(), 2);
    EXPECT_EQ(target.GetItem(0)->m_nGyomu, 2);
}

TEST(SekisanItemList, CopyRangeTakesThePositionsGiven) {
    CSekisanItemList source;
    BuildSample(source);
    source.m_strKenmei = "件名";
    CSekisanItemList target;
    target.CopyRange(source, 1, 3);
    ASSERT_EQ(target.GetCount(), 3);
    EXPECT_EQ(target.m_strKenmei, "件名");
    EXPECT_EQ(target.GetItem(0)->m_nKoshu, 10);
    EXPECT_EQ(target.GetItem(2)->m_nShubetsu, 102);

    target.CopyRange(source, 4, 3);  // first > last: no node
    EXPECT_EQ(target.GetCount(), 0);
    target.CopyRange(source, 8, 40);  // clamped to the list
    EXPECT_EQ(target.GetCount(), 2);
    target.CopyRange(target, 1, 1);  // from itself
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetItem(0)->m_nGyomu, 99);
}

TEST(SekisanItemList, AppendGyomuAndKoshuCopySubtrees) {
    CSekisanItemList source;
    BuildSample(source);
    CSekisanItemList target;
    target.AppendGyomu(source, 2);
    ASSERT_EQ(target.GetCount(), 3);
    EXPECT_EQ(target.GetItem(0)->GetLevel(), 0);
    EXPECT_EQ(target.GetItem(2)->GetLevel(), 2);
    target.AppendGyomu(source, 3);  // absent: nothing
    EXPECT_EQ(target.GetCount(), 3);
    target.AppendKoshu(source, 1, 10);
    ASSERT_EQ(target.GetCount(), 6);
    EXPECT_EQ(target.GetItem(3)->m_nKoshu, 10);
    EXPECT_EQ(target.GetItem(5)->m_nShubetsu, 102);
    target.AppendKoshu(source, 1, 11);  // absent: nothing
    EXPECT_EQ(target.GetCount(), 6);
    target.AppendKoshu(source, 1, 93);  // no 種別 under it
    EXPECT_EQ(target.GetCount(), 7);
    target.AppendGyomu(target, 2);  // from itself
    EXPECT_EQ(target.GetCount(), 14);
    EXPECT_NE(target.GetItem(7), target.GetItem(0));
    EXPECT_TRUE(SameItem(*target.GetItem(7), *target.GetItem(0)));
}
