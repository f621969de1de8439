// The GUI-free part of the 業務, 工種 and 種別 selections: new nodes, the initial 工種, icons, the
// chosen nodes and the rebuilt item lists.
#include <gtest/gtest.h>

#include <array>

#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "SelectionTestMasters.h"
#include "app/ItemSelection.h"
#include "master/HenkaritsuFile.h"

using estimate_test::ItemListBuilder;
using estimate_test::MakeItem;
using estimate_test::SameItem;
using namespace masterbuild;

namespace {

// Codes of each node as "業務/工種/種別" ("2/20/-" for a 工種 node) and its upper name.
std::vector<std::string> Shape(const CSekisanItemList& list) {
    std::vector<std::string> shape;
    const auto code = [](int32_t c) { return IsUnset(c) ? std::string("-") : std::to_string(c); };
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        shape.push_back(code(item->m_nGyomu) + "/" + code(item->m_nKoshu) + "/" + code(item->m_nShubetsu) + " " +
                        item->m_strNameUpper);
    }
    return shape;
}

// An estimate of 業務 1 (not offered in the 業務 list) with a 工種 and a 種別, 業務 2 with 工種 20 and its
// 種別, the 工種 555 that the master lacks with a 種別, 工種 30, and the summary row 98.
void MakeEstimate(CSekisanItemList& list) {
    ItemListBuilder(list)
        .Gyomu(1, "測量業務")
        .Koshu(10, "基準点測量")
        .Shubetsu(101, "３級基準点測量")
        .Quantity(3000)
        .Gyomu(2, "設計業務")
        .Koshu(20, "詳細設計")
        .Shubetsu(201, "詳細設計一般")
        .Amount(120000)
        .Shubetsu(202, "詳細設計特殊")
        .Koshu(555, "旧工種")
        .Shubetsu(1, "旧種別")
        .Koshu(30, "設計計画")
        .Summary(98, "消費税相当額");
    list.m_strKenmei = "農道改良工事";
}

}  // namespace

TEST(ItemSelection, IconCellsByKindOfEntry) {
    struct Row {
        int gyomu, koshu;
        int32_t userCreated, traditional;
        int koshuImage, shubetsuImage;
    };
    const Row rows[] = {
        {1, 10, 0, 0, 2, 8},      // code group 0, standard
        {1, 92, 0, 0, 1, 8},      // code group -1
        {1, 70, 0, 0, 3, 8},      // code group 1
        {1, 85, 0, 0, 4, 8},      // code group 2
        {1, 10, 1, 0, 11, 17},    // user-created
        {1, 10, 1, 1, 29, 35},    // user-created, traditional method
        {1, 10, 0, 1, 38, 44},    // traditional method
        {4, 400, 0, 0, 20, 26},   // 全地連 edition
        {5, 845, 0, 0, 21, 26},   // 全地連 edition, code group 1
        {5, 689, 0, 0, 20, 26},
        {4, 690, 0, 0, 2, 8},     // outside the 全地連 codes
        {4, 400, 0, 1, 38, 44},   // traditional method outranks the edition
        {4, 400, 1, 0, 11, 17},   // so does the user
        {2, 400, 0, 0, 2, 8},     // only 業務 4 and 5 have the edition
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.gyomu) + "/" + std::to_string(r.koshu) + " user " + std::to_string(r.userCreated) +
                     " traditional " + std::to_string(r.traditional));
        CBukakeKoshu koshu;
        koshu.m_code = r.koshu;
        koshu.m_userCreated = r.userCreated;
        koshu.m_splitFlag = r.traditional;
        CBukakeShubetsu shubetsu;
        shubetsu.m_userCreated = r.userCreated;
        shubetsu.m_conventional = r.traditional;
        EXPECT_EQ(KoshuImage(r.gyomu, koshu), r.koshuImage);
        EXPECT_EQ(ShubetsuImage(r.gyomu, r.koshu, shubetsu), r.shubetsuImage);
    }
}

TEST(ItemSelection, NewGyomuNodeAndTheTaxRow) {
    CBukakeGyomu design;
    design.m_code = 2;
    design.m_name = "設計業務";
    auto plain = NewGyomuItem(design, SelectionTestTanka(1000));
    EXPECT_EQ(plain->GetLevel(), 0);
    EXPECT_EQ(plain->m_nGyomu, 2);
    EXPECT_EQ(plain->m_strNameUpper, "設計業務");
    EXPECT_EQ(plain->m_strUnit, "");
    EXPECT_EQ(plain->m_nQuantity, kUnset);
    EXPECT_EQ(plain->m_nRate, kUnset);

    CBukakeGyomu tax;
    tax.m_code = 98;
    tax.m_name = "消費税相当額";
    struct Row {
        int32_t masterRate;
        int32_t rate;
        const char* remark;
    };
    const Row rows[] = {{1000, 1000, "10.00%"}, {800, 800, "8.00%"}, {825, 825, "8.25%"}, {kUnset, kUnset, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.masterRate);
        auto item = NewGyomuItem(tax, SelectionTestTanka(r.masterRate));
        EXPECT_EQ(item->m_nGyomu, 98);
        EXPECT_EQ(item->m_strNameUpper, "消費税相当額");
        EXPECT_EQ(item->m_strUnit, "式");
        EXPECT_EQ(item->m_nQuantity, 1000);
        EXPECT_EQ(item->m_nRate, r.rate);
        EXPECT_EQ(item->m_strRemarkUpper, r.remark);
    }
}

TEST(ItemSelection, NewKoshuNodeDefaults) {
    struct Row {
        int gyomu, koshu;
        const char* unit;
        int32_t quantity, rate;
    };
    const Row rows[] = {
        {1, 70, "式", 1000, 250},     {6, 70, "式", 1000, 250},   {2, 70, "式", 1000, 10000},
        {1, 71, "式", 1000, 10000},   {2, 79, "式", 1000, 10000}, {2, 700, "式", 1000, 10000},
        {2, 799, "式", 1000, 10000},  {2, 92, "式", 1000, kUnset}, {2, 93, "式", 1000, kUnset},
        {2, 94, "式", 1000, kUnset},  {4, 98, "式", 1000, kUnset}, {2, 69, "", kUnset, kUnset},
        {2, 80, "", kUnset, kUnset},  {2, 95, "", kUnset, kUnset}, {2, 800, "", kUnset, kUnset},
        {2, 20, "", kUnset, kUnset},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.gyomu) + "/" + std::to_string(r.koshu));
        CBukakeKoshu koshu;
        koshu.m_code = r.koshu;
        koshu.m_name = "工種名";
        auto item = NewKoshuItem(r.gyomu, koshu);
        EXPECT_EQ(item->GetLevel(), 1);
        EXPECT_EQ(item->m_nGyomu, r.gyomu);
        EXPECT_EQ(item->m_nKoshu, r.koshu);
        EXPECT_EQ(item->m_strNameUpper, "工種名");
        EXPECT_EQ(item->m_strUnit, r.unit);
        EXPECT_EQ(item->m_nQuantity, r.quantity);
        EXPECT_EQ(item->m_nRate, r.rate);
    }
}

TEST(ItemSelection, NewShubetsuNodeSeededFromTheMaster) {
    CHenkaritsuFile henkaritsu;
    CHenkaritsuRecord& record = AddTableRecord(AddGroup(henkaritsu, 2), 5, "地形");
    record.m_standardColumn = 2;
    record.m_standardRow = 3;
    CBukakeKoshu koshu;
    koshu.m_code = 20;
    CBukakeShubetsu& shubetsu = AddShubetsu(koshu, 201, "詳細設計一般");
    CBukakeDetail& detail = shubetsu.GetDetail();
    detail.m_unit = "式";
    detail.m_henkaritsu[0] = 5;
    detail.m_henkaritsu[1] = 7;  // no such record in the group
    AddLine(detail, "現地踏査", {});
    AddLine(detail, "", {});
    AddLine(detail, "材料費", {}).m_setting = 3;  // a 費目 line
    AddLine(detail, "設計図", {});

    auto item = NewShubetsuItem(2, koshu, shubetsu, henkaritsu);
    EXPECT_EQ(item->GetLevel(), 2);
    EXPECT_EQ(item->m_nGyomu, 2);
    EXPECT_EQ(item->m_nKoshu, 20);
    EXPECT_EQ(item->m_nShubetsu, 201);
    EXPECT_EQ(item->m_strNameUpper, "詳細設計一般");
    EXPECT_EQ(item->m_strUnit, "式");
    EXPECT_EQ(item->m_nQuantity, 1000);
    EXPECT_EQ(item->m_nRate, 10000);
    const std::array<int32_t, 9> codes{5, 7, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
    EXPECT_EQ(item->m_nRateCode, codes);
    EXPECT_EQ(item->m_nRateCol[0], 2);
    EXPECT_EQ(item->m_nRateRow[0], 3);
    EXPECT_EQ(item->m_nRateCol[1], kUnset);
    EXPECT_EQ(item->m_nRateRow[1], kUnset);
    std::array<int32_t, 20> kotei{};
    kotei[0] = 1;
    kotei[3] = 1;
    EXPECT_EQ(item->m_bKotei, kotei);

    // The unit decides the quantity and rate: 1 at 100 % for "式" and "業務" only.
    for (const char* unit : {"業務", "ｍ", ""}) {
        SCOPED_TRACE(unit);
        detail.m_unit = unit;
        auto other = NewShubetsuItem(2, koshu, shubetsu, henkaritsu);
        const bool lump = std::string(unit) == "業務";
        EXPECT_EQ(other->m_strUnit, unit);
        EXPECT_EQ(other->m_nQuantity, lump ? 1000 : kUnset);
        EXPECT_EQ(other->m_nRate, lump ? 10000 : kUnset);
    }
}

TEST(ItemSelection, NewShubetsuSafetyRateAndSpecialExpenseFlagByGyomu) {
    struct Row {
        int gyomu;
        int32_t safetyKind;    // the 工種's 安全費種類
        int32_t coefficient;   // the 種別's coefficient
        int32_t gijutsu;       // the detail's 技術経費 value
        int32_t third;         // the detail's third value
        int32_t extraRate;
        int32_t specialExpense;
    };
    const Row rows[] = {
        {1, 0, 120, kUnset, kUnset, 250, 1},
        {1, 0, 0, kUnset, kUnset, 250, 0},
        {6, 0, kUnset, kUnset, kUnset, 250, 0},
        {2, 1, kUnset, 500, kUnset, 1350, 1},
        {2, 0, kUnset, 500, kUnset, kUnset, 1},
        {7, 1, kUnset, 0, kUnset, 1350, 0},
        {7, 0, kUnset, kUnset, kUnset, kUnset, 0},
        {3, 0, kUnset, kUnset, 300, kUnset, 1},
        {3, 0, kUnset, kUnset, -1, kUnset, 0},
        {4, 0, 0, 0, 0, 450, 1},
        {5, 1, 0, 0, 0, kUnset, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("業務 " + std::to_string(r.gyomu));
        CBukakeKoshu koshu;
        koshu.m_code = 20;
        koshu.m_settings[1] = r.safetyKind;
        CBukakeShubetsu& shubetsu = AddShubetsu(koshu, 1, "種別");
        shubetsu.m_coefficient = r.coefficient;
        shubetsu.GetDetail().m_rates = {r.gijutsu, kUnset, r.third};
        auto item = NewShubetsuItem(r.gyomu, koshu, shubetsu, CHenkaritsuFile());
        EXPECT_EQ(item->m_nExtraRate, r.extraRate);
        EXPECT_EQ(item->m_bSpecialExpense, r.specialExpense);
    }
}

TEST(ItemSelection, InitialKoshuByFileOrByRule) {
    struct Row {
        int gyomu;
        int32_t methodFlag;
        std::vector<int> file;  // empty: no file
        std::vector<int32_t> chosen;
    };
    const Row rows[] = {
        {1, 0, {}, {91, 92, 93, 95}},
        {1, 1, {}, {91, 92, 93, 95}},
        {6, 0, {}, {91, 92, 93, 95}},
        {2, 0, {}, {91, 92, 95, 910, 915, 916}},
        {2, 1, {}, {91, 92, 93, 94, 95}},
        {5, 0, {}, {91, 92, 95, 910, 915, 916}},
        {7, 1, {}, {91, 92, 93, 94, 95}},
        {3, 0, {}, {91, 95, 910, 915, 916}},
        {3, 1, {}, {91, 93, 94, 95}},
        {4, 0, {}, {91, 92, 93, 95, 98}},
        {4, 1, {}, {91, 92, 93, 95, 98}},
        // A file lists codes in any order; only the master's 工種 among them, in master order, up to
        // the end mark.
        {2, 0, {916, 92, 777, 10, -1, 93}, {10, 92, 916}},
        // A file without codes leaves the rule.
        {4, 0, {-1}, {91, 92, 93, 95, 98}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("業務 " + std::to_string(r.gyomu) + " flag " + std::to_string(r.methodFlag));
        CBukakeFile bukake;
        bukake.m_splitFlag = r.methodFlag;
        CBukakeGyomu& gyomu = AddGyomu(bukake, r.gyomu);
        for (int32_t code : {10, 91, 92, 93, 94, 95, 98, 910, 915, 916}) AddKoshu(gyomu, code);
        EXPECT_EQ(InitialSelectionVariant(bukake), r.methodFlag);
        EXPECT_EQ(InitialKoshuSelection(bukake, r.gyomu, r.file), r.chosen);
    }
    // A 業務 the master lacks gets nothing.
    EXPECT_TRUE(InitialKoshuSelection(CBukakeFile(), 2, {}).empty());
}

TEST(ItemSelection, ChosenNodesFollowTheMasterAndUnlistedOnesStay) {
    // Listed codes in master order 2, 4, 98, 99, 6; the estimate holds 1 (not listed), 98 and 2.
    CNodeChoice choice({2, 4, 98, 99, 6}, {{1, 0}, {98, 5}, {2, 3}});
    EXPECT_EQ(choice.ListedChosen(), (std::vector<size_t>{1, 2}));
    EXPECT_EQ(choice.MasterCodes(), (std::vector<int32_t>{4, 99, 6}));

    choice.Add({6, 4});
    EXPECT_EQ(choice.Chosen(), (std::vector<ChosenNode>{{1, 0}, {2, 3}, {4, -1}, {98, 5}, {6, -1}}));
    EXPECT_EQ(choice.MasterCodes(), (std::vector<int32_t>{99}));

    choice.Remove({1, 3});  // 2 and 98
    EXPECT_EQ(choice.Chosen(), (std::vector<ChosenNode>{{1, 0}, {4, -1}, {6, -1}}));
    EXPECT_EQ(choice.MasterCodes(), (std::vector<int32_t>{2, 98, 99}));

    // An unlisted node is neither added nor removed.
    choice.Add({1, 55});
    choice.Remove({0});
    EXPECT_EQ(choice.Chosen(), (std::vector<ChosenNode>{{1, 0}, {4, -1}, {6, -1}}));

    // Removing one of two nodes of a code keeps the code chosen.
    CNodeChoice twice({20, 30}, {{20, 1}, {20, 4}});
    twice.Remove({0});
    EXPECT_EQ(twice.Chosen(), (std::vector<ChosenNode>{{20, 4}}));
    EXPECT_EQ(twice.MasterCodes(), (std::vector<int32_t>{30}));
}

TEST(ItemSelection, GyomuListKeepsUnlistedGyomuAndAddsBareNodes) {
    const CBukakeFile bukake = SelectionTestBukake();
    const std::vector<uint8_t> allowed = SelectionTestGyomuCodes();
    CSekisanItemList working;
    MakeEstimate(working);
    EXPECT_EQ(OfferedGyomuCodes(bukake, allowed), (std::vector<int32_t>{2, 4, 98, 99, 6}));
    EXPECT_EQ(ChosenGyomu(working), (std::vector<ChosenNode>{{1, 0}, {2, 3}, {98, 10}}));

    // Unchanged, the list is rebuilt as it was.
    CSekisanItemList same;
    BuildGyomuList(working, ChosenGyomu(working), bukake, allowed, SelectionTestTanka(1000), same);
    ASSERT_EQ(same.GetCount(), working.GetCount());
    for (int i = 0; i < working.GetCount(); ++i) EXPECT_TRUE(SameItem(*same.GetItem(i), *working.GetItem(i))) << i;
    EXPECT_EQ(same.m_strKenmei, "農道改良工事");

    // 業務 2 removed, 6 and 4 added: 業務 1, which the list cannot show, stays with its rows.
    CNodeChoice choice(OfferedGyomuCodes(bukake, allowed), ChosenGyomu(working));
    choice.Remove({1});
    choice.Add({6, 4});
    CSekisanItemList built;
    BuildGyomuList(working, choice.Chosen(), bukake, allowed, SelectionTestTanka(1000), built);
    EXPECT_EQ(Shape(built), (std::vector<std::string>{"1/-/- 測量業務", "1/10/- 基準点測量", "1/10/101 ３級基準点測量",
                                                     "4/-/- 土質調査業務（一般）", "98/-/- 消費税相当額",
                                                     "6/-/- 区画整理測量業務"}));
    EXPECT_EQ(built.GetItem(2)->m_nQuantity, 3000);
    EXPECT_EQ(built.m_strKenmei, "農道改良工事");

    // Added back, 業務 2 is a bare node.
    choice.Add({2});
    BuildGyomuList(working, choice.Chosen(), bukake, allowed, SelectionTestTanka(1000), built);
    EXPECT_EQ(Shape(built)[3], "2/-/- 設計業務");
    EXPECT_EQ(Shape(built)[4], "4/-/- 土質調査業務（一般）");

    // Nodes before the first 業務 node stay in front.
    CSekisanItemList odd;
    odd.AddItem(MakeItem(kUnset, kUnset, kUnset, "はぐれ"));
    ItemListBuilder(odd).Gyomu(2, "設計業務");
    BuildGyomuList(odd, {{2, 1}, {99, -1}}, bukake, allowed, SelectionTestTanka(1000), built);
    EXPECT_EQ(Shape(built), (std::vector<std::string>{"-/-/- はぐれ", "2/-/- 設計業務", "99/-/- 業務委託料計"}));
}

TEST(ItemSelection, KoshuListKeepsKoshuMissingFromTheMaster) {
    const CBukakeFile bukake = SelectionTestBukake();
    CSekisanItemList working;
    MakeEstimate(working);
    EXPECT_EQ(OfferedKoshuCodes(bukake, 2), (std::vector<int32_t>{30, 20, 92, 40}));
    EXPECT_EQ(ChosenKoshu(working, 2), (std::vector<ChosenNode>{{20, 4}, {555, 7}, {30, 9}}));
    EXPECT_TRUE(ChosenKoshu(working, 4).empty());

    CSekisanItemList same;
    ASSERT_TRUE(BuildKoshuList(working, 2, ChosenKoshu(working, 2), bukake, same));
    ASSERT_EQ(same.GetCount(), working.GetCount());
    for (int i = 0; i < working.GetCount(); ++i) EXPECT_TRUE(SameItem(*same.GetItem(i), *working.GetItem(i))) << i;

    // 工種 92 added, 20 removed: the 工種 555 the master lacks keeps its 種別 and its place.
    CNodeChoice choice(OfferedKoshuCodes(bukake, 2), ChosenKoshu(working, 2));
    choice.Add({92});
    choice.Remove({0});  // 工種 30, first in master order
    CSekisanItemList built;
    ASSERT_TRUE(BuildKoshuList(working, 2, choice.Chosen(), bukake, built));
    EXPECT_EQ(Shape(built), (std::vector<std::string>{"1/-/- 測量業務", "1/10/- 基準点測量", "1/10/101 ３級基準点測量",
                                                     "2/-/- 設計業務", "2/555/- 旧工種", "2/555/1 旧種別",
                                                     "2/20/- 詳細設計", "2/20/201 詳細設計一般",
                                                     "2/20/202 詳細設計特殊", "2/92/- 諸経費", "98/-/- 消費税相当額"}));
    EXPECT_EQ(built.GetItem(7)->m_nAmount, 120000);
    EXPECT_EQ(built.GetItem(9)->m_strUnit, "式");
    EXPECT_EQ(built.GetItem(9)->m_nQuantity, 1000);

    // Removed and added back, a 工種 is a bare node, in front of the next 工種 of the master.
    choice.Add({30});
    ASSERT_TRUE(BuildKoshuList(working, 2, choice.Chosen(), bukake, built));
    EXPECT_EQ(Shape(built)[4], "2/555/- 旧工種");
    EXPECT_EQ(Shape(built)[6], "2/30/- 設計計画");
    EXPECT_EQ(Shape(built)[7], "2/20/- 詳細設計");

    // Without the 業務 in the master or in the list nothing is built.
    EXPECT_FALSE(BuildKoshuList(working, 4, {{40, -1}}, bukake, built));
    EXPECT_FALSE(BuildKoshuList(working, 3, {}, bukake, built));
}

TEST(ItemSelection, ShubetsuNodesUnderTheirKoshu) {
    CSekisanItemList list;
    MakeEstimate(list);
    EXPECT_EQ(ShubetsuPositions(list, 2, 20), (std::vector<int>{5, 6}));
    EXPECT_TRUE(ShubetsuPositions(list, 2, 30).empty());
    EXPECT_TRUE(ShubetsuPositions(list, 2, 40).empty());

    // The same 種別 twice: each goes after the 工種's last 種別 node.
    EXPECT_EQ(InsertShubetsuItem(list, 2, 20, MakeItem(2, 20, 201, "一回目")), 7);
    EXPECT_EQ(InsertShubetsuItem(list, 2, 20, MakeItem(2, 20, 201, "二回目")), 8);
    EXPECT_EQ(InsertShubetsuItem(list, 2, 30, MakeItem(2, 30, 301, "計画一般")), 12);
    EXPECT_EQ(InsertShubetsuItem(list, 2, 40, MakeItem(2, 40, 1, "")), -1);
    EXPECT_EQ(Shape(list)[7], "2/20/201 一回目");
    EXPECT_EQ(Shape(list)[8], "2/20/201 二回目");
    EXPECT_EQ(Shape(list)[9], "2/555/- 旧工種");
    EXPECT_EQ(Shape(list)[12], "2/30/301 計画一般");
    EXPECT_EQ(list.GetCount(), 14);
}

TEST(ItemSelection, MixedCoefficientsOfTheKoshu) {
    struct Row {
        int32_t first, second;
        bool mixed;
    };
    const Row rows[] = {{150, 150, false}, {150, 120, true}, {150, 0, false}, {kUnset, 120, false}, {0, 0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.first) + " " + std::to_string(r.second));
        CBukakeFile bukake = SelectionTestBukake();
        bukake.FindShubetsu(2, 20, 201)->m_coefficient = r.first;
        bukake.FindShubetsu(2, 20, 202)->m_coefficient = r.second;
        CSekisanItemList list;
        ItemListBuilder(list).Gyomu(2).Koshu(20).Shubetsu(201).Shubetsu(201).Shubetsu(202).Koshu(30).Shubetsu(301);
        EXPECT_EQ(HasMixedCoefficients(list, bukake, 2, 20), r.mixed);
    }
}

TEST(ItemSelection, CoefficientLine) {
    struct Row {
        int gyomu;
        bool selected;
        int32_t coefficient;
        const char* text;
    };
    const Row rows[] = {
        {1, true, 120, "精度管理係数 : 1.20"}, {6, true, 5, "精度管理係数 : 0.05"},
        {2, true, 150, "技術経費　　 : 1.50"},  {7, true, 1000, "技術経費　　 : 10.00"},
        {1, false, 0, "精度管理係数 : -.--"},  {6, false, 0, "精度管理係数 : -.--"},
        {3, false, 0, "技術経費　　 : -.--"},  {5, false, 0, "技術経費　　 : -.--"},
        {2, true, kUnset, "　　　　　　 : -.--"}, {8, true, 120, "　　　　　　 : -.--"},
        {0, false, 0, "　　　　　　 : -.--"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        CBukakeShubetsu shubetsu;
        shubetsu.m_coefficient = r.coefficient;
        EXPECT_EQ(CoefficientText(r.gyomu, r.selected ? &shubetsu : nullptr), r.text);
    }
}
