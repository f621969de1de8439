// Tests of estimate/MovedRows.h: the rows of an estimate checked against the recorded moves.
#include <gtest/gtest.h>

#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "estimate/EstimateTexts.h"
#include "estimate/MovedRows.h"
#include "master/MasterTexts.h"
#include "platform/TextUtil.h"

using namespace estimate_test;
using namespace masterbuild;

TEST(MovedRows, RowsOfMovedEntriesTakeTheirNewCodesOrAreLeftAndNamed) {
    // Two updates: the user's 150 was raised to 350, then took 301 for a shipped 350; the user's 160
    // took 302 while the master again holds a 160 of its name; the user 種別 2 took 3; the 種別 7
    // lost its 工種.
    const std::vector<BukakeMoveLine> moves = {
        {2, 150, kUnset, 350, kUnset, "利用者工種"}, {2, 350, kUnset, 301, kUnset, "利用者工種"},
        {1, 1, 2, 1, 3, "利用者基準点"}, {3, 5, 7, kUnset, kUnset, "消える種別"}, {2, 160, kUnset, 302, kUnset, "同名工種"}};
    CBukakeFile master;
    CBukakeGyomu& g2 = AddGyomu(master, 2, "設計");
    for (auto [code, name] : {std::pair{150, "基本設計"}, {160, "同名工種"}, {301, "利用者工種"}, {350, "新工種B"}})
        AddKoshu(g2, code, name);
    CBukakeKoshu& k1 = AddKoshu(AddGyomu(master, 1, "測量"), 1, "基準点測量");
    for (auto [code, name] : {std::pair{2, "2級基準点"}, {3, "利用者基準点"}}) AddShubetsu(k1, code, name);
    AddGyomu(master, 3, "物件調査");
    CSekisanItemList list;
    ItemListBuilder(list).Gyomu(2, "設計業務").Koshu(150, "利用者工種").Shubetsu(1, "利用者種別A")
        .Koshu(150, "基本設計").Koshu(150, "自分の名").Set([](CSekisanItem& i) { i.m_bNameUpperEdited = 1; })
        .Koshu(160, "同名工種").Gyomu(1, "測量業務").Koshu(1, "基準点測量").Shubetsu(2, "利用者基準点")
        .Shubetsu(2, "2級基準点").Gyomu(3, "物件調査業務").Koshu(5, "旧工種").Shubetsu(7, "消える種別");
    const MovedRowsCheck check = RepointMovedRows(list, moves, master);
    EXPECT_EQ(RowCodes(list), "2 2.301 2.301.1 2.150 2.150 2.160 1 1.1 1.1.3 1.1.2 3 3.5 3.5.7");
    const std::string sep = mastertext::kFindingSeparator, arrow = mastertext::kKoshuCodeArrow;
    const std::string koshu = sep + mastertext::kKoshuCodeBefore, shubetsu = sep + mastertext::kShubetsuCodeBefore;
    EXPECT_EQ(MovedRowsMessage(check, "見積.sei"),
              vemo::FillText(estimate_texts::MsgMovedRowsChecked, {"見積.sei"}) +
                  estimate_texts::MsgMovedRowsRepointed + "設計業務 利用者工種" + koshu + "150" + arrow + "301\n" +
                  "測量業務 基準点測量 利用者基準点" + shubetsu + "2" + arrow + "3\n" + estimate_texts::MsgMovedRowsLeft +
                  "設計業務 自分の名" + koshu + "150\n" + "設計業務 同名工種" + koshu + "160\n" +
                  "物件調査業務 旧工種 消える種別" + shubetsu + "7\n");
    // A second check moves nothing more and names the same rows.
    const MovedRowsCheck again = RepointMovedRows(list, moves, master);
    EXPECT_TRUE(again.moved.empty());
    EXPECT_EQ(again.left.size(), 3u);
    EXPECT_EQ(MovedRowsMessage({}, "見積.sei"), "");
}
