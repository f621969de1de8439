// Tests of the 歩掛 master's codes, lookups and structural edits (master/BukakeCodes.cpp).
#include <gtest/gtest.h>

#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/BukakeFile.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

namespace {

std::vector<int32_t> KoshuCodes(const CBukakeGyomu& g) {
    std::vector<int32_t> codes;
    for (int i = 0; i < g.GetCount(); ++i) codes.push_back(g.GetKoshu(i)->m_code);
    return codes;
}

std::unique_ptr<CBukakeKoshu> NewKoshu(int32_t code, int32_t splitFlag = 0) {
    auto k = std::make_unique<CBukakeKoshu>();
    k->m_code = code;
    k->m_splitFlag = splitFlag;
    return k;
}

// A 業務 with the fixed 工種 of a typical list.
CBukakeGyomu& GyomuWith(CBukakeFile& f, int32_t code, std::initializer_list<int32_t> koshu) {
    CBukakeGyomu& g = AddGyomu(f, code);
    for (int32_t k : koshu) AddKoshu(g, k);
    return g;
}

// The question before rewriting references: the number of uses between its two parts.
struct RewriteQuestion {
    const char* before;
    const char* after;
};
const RewriteQuestion kHenkaritsuQuestion{mastertext::kHenkaritsuCodeUsedBefore, mastertext::kHenkaritsuCodeUsedAfter};
const RewriteQuestion kTankaQuestion{mastertext::kTankaCodeUsedBefore, mastertext::kTankaCodeUsedAfter};

std::string WithCount(const RewriteQuestion& question, int n) {
    return question.before + std::to_string(n) + question.after;
}

}  // namespace

TEST(BukakeCodes, CategoriesAndSortGroupsOfKoshuCodes) {
    struct Case {
        int32_t code;
        int category;
    };
    for (Case c : {Case{1, 0}, {68, 0}, {100, 0}, {689, 0}, {69, 1}, {690, 1}, {699, 1}, {70, 2}, {74, 2},
                   {700, 2}, {749, 2}, {75, 3}, {79, 3}, {750, 3}, {799, 3}, {80, 4}, {84, 4}, {800, 4},
                   {849, 4}, {85, 5}, {89, 5}, {850, 5}, {899, 5}, {0, -1}, {-5, -1}, {90, -1}, {99, -1},
                   {900, -1}, {913, -1}, {kUnset, -1}}) {
        CBukakeKoshu k;
        k.m_code = c.code;
        EXPECT_EQ(k.GetCodeCategory(), c.category) << c.code;
    }
    for (auto [code, group] : {std::pair{100, 0}, {690, 0}, {700, 1}, {750, 1}, {800, 1}, {850, 2}, {95, -1}}) {
        CBukakeKoshu k;
        k.m_code = code;
        EXPECT_EQ(k.GetCodeGroup(), group) << code;
    }
}

TEST(BukakeCodes, NewKoshuCodesComeFromTheCategoryRange) {
    CBukakeFile f;
    CBukakeGyomu& g1 = GyomuWith(f, 1, {100, 101, 103, 69, 91});
    EXPECT_EQ(g1.GetNewKoshuCode(0), 102);
    EXPECT_EQ(g1.GetNewKoshuCode(1), 690);
    EXPECT_EQ(g1.GetNewKoshuCode(2), 700);
    EXPECT_EQ(g1.GetNewKoshuCode(3), 750);
    EXPECT_EQ(g1.GetNewKoshuCode(5), 850);
    EXPECT_EQ(g1.GetNewKoshuCode(7), 0);  // outside 0..5: only the code 0 is tried
    AddKoshu(g1, 0);
    EXPECT_EQ(g1.GetNewKoshuCode(-1), -1);

    // In 業務 2 the first priced 工種 gets 300 although 100..299 are free.
    CBukakeGyomu& g2 = GyomuWith(f, 2, {});
    EXPECT_EQ(g2.GetNewKoshuCode(0), 300);

    // In 業務 1 and 6 a category-4 工種 gets at most 845; elsewhere up to 849.
    CBukakeGyomu& g6 = GyomuWith(f, 6, {});
    CBukakeGyomu& g3 = GyomuWith(f, 3, {});
    for (int32_t c = 800; c <= 844; ++c) {
        AddKoshu(g6, c);
        AddKoshu(g3, c);
    }
    EXPECT_EQ(g6.GetNewKoshuCode(4), 845);
    EXPECT_EQ(g3.GetNewKoshuCode(4), 845);
    AddKoshu(g6, 845);
    AddKoshu(g3, 845);
    EXPECT_EQ(g6.GetNewKoshuCode(4), -1);
    EXPECT_EQ(g3.GetNewKoshuCode(4), 846);

    // 899 is never allocated.
    CBukakeGyomu& g4 = GyomuWith(f, 4, {});
    for (int32_t c = 850; c <= 898; ++c) AddKoshu(g4, c);
    EXPECT_EQ(g4.GetNewKoshuCode(5), -1);
}

TEST(BukakeCodes, NewGyomuAndShubetsuCodes) {
    CBukakeFile f;
    for (int32_t c = 1; c <= 32; ++c)
        if (c != 17) AddGyomu(f, c);
    EXPECT_EQ(f.GetNewGyomuCode(), 17);
    AddGyomu(f, 17);
    EXPECT_EQ(f.GetNewGyomuCode(), -1);

    CBukakeKoshu k;
    EXPECT_EQ(k.GetNewShubetsuCode(), 1);
    for (int32_t c = 1; c <= 999; ++c) AddShubetsu(k, c);
    EXPECT_EQ(k.GetNewShubetsuCode(), -1);
    k.RemoveShubetsu(499);  // code 500
    EXPECT_EQ(k.GetNewShubetsuCode(), 500);
}

TEST(BukakeCodes, InsertNewKoshuGoesInFrontOfTheAnchor) {
    CBukakeFile f;
    CBukakeGyomu& g1 = GyomuWith(f, 1, {100, 69, 90, 91, 93, 99});
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(700)), 3);  // category 2 in 業務 1: in front of 91
    EXPECT_EQ(KoshuCodes(g1), (std::vector<int32_t>{100, 69, 90, 700, 91, 93, 99}));
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(101)), 1);  // category 0: in front of 69
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(690)), 3);  // category 1 in 業務 1: in front of 90
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(850)), 7);  // category 5 in 業務 1: in front of 93

    CBukakeGyomu& g4 = GyomuWith(f, 4, {100, 69, 91, 92, 93});
    EXPECT_EQ(g4.InsertNewKoshu(NewKoshu(690)), 3);  // category 1 in 業務 4: in front of 92

    CBukakeGyomu& g3 = GyomuWith(f, 3, {100, 69, 91, 912, 913, 915, 93});
    EXPECT_EQ(g3.InsertNewKoshu(NewKoshu(690, 0)), 3);  // split flag 0: in front of 912
    EXPECT_EQ(g3.InsertNewKoshu(NewKoshu(691, 1)), 2);  // split flag 1: in front of 91
    EXPECT_EQ(g3.InsertNewKoshu(NewKoshu(750, 0)), 7);  // category 3, split 0: in front of 915
    EXPECT_EQ(g3.InsertNewKoshu(NewKoshu(751, 1)), 9);  // category 3, split 1: in front of 93

    CBukakeGyomu& g2 = GyomuWith(f, 2, {300, 69, 91, 913, 915});
    EXPECT_EQ(g2.InsertNewKoshu(NewKoshu(750, 1)), 3);  // in front of 913
    EXPECT_EQ(g2.InsertNewKoshu(NewKoshu(850, 2)), 5);  // split flag not 1: in front of 915
    CBukakeGyomu& g5 = GyomuWith(f, 5, {69, 91, 913, 915});
    EXPECT_EQ(g5.InsertNewKoshu(NewKoshu(851, 1)), 2);
    CBukakeGyomu& g7 = GyomuWith(f, 7, {69, 91, 93});
    EXPECT_EQ(g7.InsertNewKoshu(NewKoshu(690)), 1);
    EXPECT_EQ(g7.InsertNewKoshu(NewKoshu(850)), 3);
}

TEST(BukakeCodes, InsertNewKoshuWithoutItsAnchor) {
    CBukakeFile f;
    // The anchor is missing: in front of the last 工種.
    CBukakeGyomu& g1 = GyomuWith(f, 1, {100, 69, 99});
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(700)), 2);
    EXPECT_EQ(KoshuCodes(g1), (std::vector<int32_t>{100, 69, 700, 99}));
    // An empty list: index 0.
    CBukakeGyomu& g6 = GyomuWith(f, 6, {});
    EXPECT_EQ(g6.InsertNewKoshu(NewKoshu(700)), 0);
    // A 業務 or a code without any anchor: at the end.
    CBukakeGyomu& g9 = GyomuWith(f, 9, {100, 69});
    EXPECT_EQ(g9.InsertNewKoshu(NewKoshu(700)), 2);
    EXPECT_EQ(g1.InsertNewKoshu(NewKoshu(950)), 4);
    EXPECT_EQ(g1.InsertNewKoshu(nullptr), -1);
    EXPECT_EQ(g1.GetCount(), 5);
}

TEST(BukakeCodes, MoveKoshuStaysWithinTheSortGroup) {
    CBukakeFile f;
    CBukakeGyomu& g = GyomuWith(f, 1, {100, 101, 690, 700, 750, 850});
    CBukakeKoshu* moved = g.GetKoshu(1);
    AddShubetsu(*moved, 5, "中身");
    EXPECT_EQ(g.MoveKoshu(1, 2), 2);  // 101 and 690 are both in group 0
    EXPECT_EQ(KoshuCodes(g), (std::vector<int32_t>{100, 690, 101, 700, 750, 850}));
    EXPECT_EQ(g.GetKoshu(2)->FindShubetsu(5)->m_name, "中身");
    EXPECT_EQ(g.MoveKoshu(4, 3), 3);  // 750 over 700: group 1
    EXPECT_EQ(KoshuCodes(g), (std::vector<int32_t>{100, 690, 101, 750, 700, 850}));

    const std::vector<int32_t> before = KoshuCodes(g);
    EXPECT_EQ(g.MoveKoshu(0, 0), -1);   // same place
    EXPECT_EQ(g.MoveKoshu(0, -1), -1);  // the first one up
    EXPECT_EQ(g.MoveKoshu(5, 6), -1);   // the last one down
    EXPECT_EQ(g.MoveKoshu(2, 3), -1);   // 101 down over 750: another group
    EXPECT_EQ(g.MoveKoshu(3, 2), -1);   // 750 up over 101
    EXPECT_EQ(g.MoveKoshu(4, 5), -1);   // 700 down over 850
    EXPECT_EQ(g.MoveKoshu(9, 0), -1);
    EXPECT_EQ(g.MoveKoshu(1, 40), -1);
    EXPECT_EQ(KoshuCodes(g), before);
}

TEST(BukakeCodes, MoveShubetsuHasNoGroupTestButStaysInTheList) {
    CBukakeKoshu k;
    for (int32_t c : {1, 2, 3}) AddShubetsu(k, c);
    EXPECT_EQ(k.MoveShubetsu(0, 2), 2);
    EXPECT_EQ(k.GetShubetsu(2)->m_code, 1);
    EXPECT_EQ(k.MoveShubetsu(1, 1), 1);
    EXPECT_EQ(k.MoveShubetsu(0, 3), -1);
    EXPECT_EQ(k.MoveShubetsu(-1, 0), -1);
    EXPECT_EQ(k.GetCount(), 3);
    EXPECT_EQ(k.GetShubetsu(0)->m_code, 2);
    EXPECT_EQ(k.GetShubetsu(1)->m_code, 3);
}

TEST(BukakeCodes, ReplaceHenkaritsuCodeRewritesFormulasOnDelete) {
    CBukakeDetail d;
    d.m_formula = "H3*2+H3/H4";
    d.m_henkaritsu[2] = 7;
    d.ReplaceHenkaritsuCode(7, kUnset, 1);
    EXPECT_EQ(d.m_formula, "0*2+0/H4");  // every occurrence of "H3"
    EXPECT_EQ(d.m_henkaritsu[2], kUnset);

    CBukakeDetail e;
    e.m_formula = "H3*2";
    e.m_henkaritsu[2] = 7;
    e.m_henkaritsu[5] = 7;
    e.m_formula += "*H6";
    e.ReplaceHenkaritsuCode(7, kUnset, 0);
    EXPECT_EQ(e.m_formula, "1*2*1");

    CBukakeDetail renamed;
    renamed.m_formula = "H1";
    renamed.m_henkaritsu[0] = 7;
    renamed.ReplaceHenkaritsuCode(7, 8, 1);
    EXPECT_EQ(renamed.m_formula, "H1");
    EXPECT_EQ(renamed.m_henkaritsu[0], 8);
}

TEST(BukakeCodes, ReplaceTankaIdClearsTheColumnOnDelete) {
    CBukakeDetail d;
    d.m_shokushu[4] = 1004;
    AddLine(d, "a", {1, 2, 3, 4, 5});
    AddLine(d, "b", {6, 7, 8, 9, 10});
    d.ReplaceTankaId(1004, 1100);
    EXPECT_EQ(d.m_shokushu[4], 1100);
    EXPECT_EQ(d.GetLine(0)->m_columns[4], 5);
    d.ReplaceTankaId(1100, kUnset);
    EXPECT_EQ(d.m_shokushu[4], kUnset);
    EXPECT_EQ(d.GetLine(0)->m_columns[4], kUnset);
    EXPECT_EQ(d.GetLine(1)->m_columns[4], kUnset);
    EXPECT_EQ(d.GetLine(1)->m_columns[3], 9);
}

TEST(BukakeCodes, ReplaceHenkaritsuCodeCountsAsksAndRewrites) {
    CBukakeFile f;
    auto addUse = [](CBukakeGyomu& g, int32_t koshu, int32_t shubetsu, int slot) {
        CBukakeKoshu* k = g.FindKoshu(koshu);
        if (!k) k = &AddKoshu(g, koshu);
        CBukakeDetail& d = AddShubetsu(*k, shubetsu).GetDetail();
        d.m_henkaritsu[static_cast<size_t>(slot)] = 12;
        d.m_formula = "H" + std::to_string(slot + 1) + "*2";
        return &d;
    };
    CBukakeGyomu& g4 = AddGyomu(f, 4);
    CBukakeDetail* a = addUse(g4, 100, 1, 0);
    a->m_henkaritsu[3] = 12;  // two slots, still one place
    CBukakeDetail* b = addUse(g4, 101, 1, 2);
    CBukakeGyomu& g5 = AddGyomu(f, 5);
    CBukakeDetail* c = addUse(g5, 100, 1, 1);
    CBukakeGyomu& g1 = AddGyomu(f, 1);
    CBukakeDetail* other = addUse(g1, 100, 1, 0);

    ScriptedHost host;
    host.answers = {IDNO};
    EXPECT_EQ(f.ReplaceHenkaritsuCode(4, 12, 20, 0), 0);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{WithCount(kHenkaritsuQuestion, 3)});
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(a->m_henkaritsu[0], 12);

    host.answers = {IDYES};
    EXPECT_EQ(f.ReplaceHenkaritsuCode(4, 12, kUnset, 1), 1);
    EXPECT_EQ(a->m_henkaritsu[0], kUnset);
    EXPECT_EQ(a->m_henkaritsu[3], kUnset);
    EXPECT_EQ(a->m_formula, "0*2");
    EXPECT_EQ(b->m_formula, "0*2");
    EXPECT_EQ(c->m_formula, "0*2");
    EXPECT_EQ(other->m_henkaritsu[0], 12);  // 業務 1 is another group
    EXPECT_EQ(other->m_formula, "H1*2");

    // No use left, a missing 業務, or 業務 4 without 業務 5: nothing is asked.
    host.messages.clear();
    EXPECT_EQ(f.ReplaceHenkaritsuCode(4, 12, 13, 0), 0);
    EXPECT_EQ(f.ReplaceHenkaritsuCode(3, 12, 13, 0), 0);
    EXPECT_EQ(f.ReplaceHenkaritsuCode(1, kUnset, 13, 0), 0);  // empty slots are not uses
    f.RemoveGyomu(1);
    EXPECT_EQ(f.ReplaceHenkaritsuCode(4, 12, 13, 0), 0);
    EXPECT_TRUE(host.messages.empty());

    host.answers = {IDYES};
    EXPECT_EQ(f.ReplaceHenkaritsuCode(1, 12, 13, 0), 1);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{WithCount(kHenkaritsuQuestion, 1)});
    EXPECT_EQ(other->m_henkaritsu[0], 13);
    EXPECT_EQ(other->m_formula, "H1*2");
}

TEST(BukakeCodes, ReplaceTankaCodeCoversEveryGyomu) {
    CBukakeFile f;
    CBukakeDetail& a = AddShubetsu(AddKoshu(AddGyomu(f, 1), 100), 1).GetDetail();
    CBukakeDetail& b = AddShubetsu(AddKoshu(AddGyomu(f, 95), 100), 1).GetDetail();
    CBukakeDetail& none = AddShubetsu(*f.FindKoshu(1, 100), 2).GetDetail();
    a.m_shokushu[0] = 1001;
    a.m_shokushu[9] = 1001;
    b.m_shokushu[3] = 1001;
    AddLine(b, "", {1, 2, 3, 4});

    ScriptedHost host;
    host.answers = {IDYES};
    EXPECT_EQ(f.ReplaceTankaCode(1001, kUnset), 1);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{WithCount(kTankaQuestion, 2)});
    EXPECT_EQ(a.m_shokushu[0], kUnset);
    EXPECT_EQ(a.m_shokushu[9], kUnset);
    EXPECT_EQ(b.m_shokushu[3], kUnset);
    EXPECT_EQ(b.GetLine(0)->m_columns[3], kUnset);
    EXPECT_EQ(b.GetLine(0)->m_columns[2], 3);
    EXPECT_EQ(none.m_shokushu[0], kUnset);

    host.messages.clear();
    EXPECT_EQ(f.ReplaceTankaCode(1001, 1002), 0);
    EXPECT_EQ(f.ReplaceTankaCode(kUnset, 1002), 0);  // unset columns are no references
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(none.m_shokushu[0], kUnset);
}
