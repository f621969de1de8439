// Tests of master/MasterFile.h.
#include <gtest/gtest.h>

#include <vector>

#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/MasterFile.h"
#include "master/MasterTexts.h"

namespace {

// An element that records when it is destroyed.
struct Probe {
    int32_t m_code = kUnset;
    std::vector<int>* log = nullptr;
    ~Probe() {
        if (log) log->push_back(m_code);
    }
    bool operator==(const Probe& o) const { return m_code == o.m_code; }
};

std::unique_ptr<Probe> MakeProbe(int32_t code, std::vector<int>* log = nullptr) {
    auto p = std::make_unique<Probe>();
    p->m_code = code;
    p->log = log;
    return p;
}

std::vector<int> Codes(const COwningArray<Probe>& a) {
    std::vector<int> codes;
    for (const auto& p : a) codes.push_back(p->m_code);
    return codes;
}

COwningArray<Probe> ListOf(std::initializer_list<int> codes) {
    COwningArray<Probe> a;
    for (int c : codes) a.Add(MakeProbe(c));
    return a;
}

}  // namespace

TEST(OwningArray, GetAtGivesNullOutsideTheList) {
    auto a = ListOf({5, 6});
    EXPECT_EQ(a.GetAt(0)->m_code, 5);
    EXPECT_EQ(a.GetAt(1)->m_code, 6);
    EXPECT_EQ(a.GetAt(2), nullptr);
    EXPECT_EQ(a.GetAt(-1), nullptr);
    EXPECT_EQ(a.GetAt(INT32_MIN), nullptr);
}

TEST(OwningArray, InsertPastTheEndAppendsAndNegativeOrNullIsRefused) {
    auto a = ListOf({1, 2});
    EXPECT_EQ(a.InsertAt(0, MakeProbe(0)), 0);
    EXPECT_EQ(a.InsertAt(3, MakeProbe(3)), 3);    // at the end
    EXPECT_EQ(a.InsertAt(100, MakeProbe(4)), 4);  // past the end: appended, no holes
    EXPECT_EQ(a.InsertAt(-1, MakeProbe(9)), -1);
    EXPECT_EQ(a.InsertAt(1, nullptr), -1);
    EXPECT_EQ(a.Add(nullptr), -1);
    EXPECT_EQ(Codes(a), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(OwningArray, SetAtAndRemoveAtHandTheOldElementBack) {
    std::vector<int> destroyed;
    COwningArray<Probe> a;
    a.Add(MakeProbe(1, &destroyed));
    a.Add(MakeProbe(2, &destroyed));
    std::unique_ptr<Probe> old = a.SetAt(0, MakeProbe(10, &destroyed));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->m_code, 1);
    EXPECT_TRUE(destroyed.empty());  // the caller owns the old element now
    EXPECT_EQ(a.SetAt(2, MakeProbe(30, &destroyed)), nullptr);
    EXPECT_EQ(destroyed, std::vector<int>{30});  // refused element deleted, list unchanged
    std::unique_ptr<Probe> removed = a.RemoveAt(1);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->m_code, 2);
    EXPECT_EQ(a.RemoveAt(1), nullptr);
    EXPECT_EQ(a.RemoveAt(-1), nullptr);
    EXPECT_EQ(Codes(a), std::vector<int>{10});
}

TEST(OwningArray, RemoveAllDeletesFromTheLastElementDown) {
    std::vector<int> destroyed;
    {
        COwningArray<Probe> a;
        for (int c : {1, 2, 3}) a.Add(MakeProbe(c, &destroyed));
        a.RemoveAll();
        EXPECT_EQ(a.GetSize(), 0);
        EXPECT_EQ(destroyed, (std::vector<int>{3, 2, 1}));
        for (int c : {4, 5}) a.Add(MakeProbe(c, &destroyed));
    }
    EXPECT_EQ(destroyed, (std::vector<int>{3, 2, 1, 5, 4}));  // the destructor clears the same way
}

TEST(OwningArray, FindTakesTheFirstMatchAndNewCodeTheLowestFreeCode) {
    auto a = ListOf({3, 1, 3, 2});
    EXPECT_EQ(a.FindIndex(&Probe::m_code, 3), 0);
    EXPECT_EQ(a.FindIndex(&Probe::m_code, 7), -1);
    EXPECT_EQ(a.Find(&Probe::m_code, 2), a.GetAt(3));
    EXPECT_EQ(a.Find(&Probe::m_code, 7), nullptr);
    EXPECT_EQ(a.NewCode(&Probe::m_code, 1, 5), 4);
    EXPECT_EQ(a.NewCode(&Probe::m_code, 1, 3), -1);
    EXPECT_EQ(a.NewCode(&Probe::m_code, 0, 0), 0);
}

TEST(OwningArray, MoveRefusesIndexesOutsideTheList) {
    auto a = ListOf({1, 2, 3});
    EXPECT_EQ(a.Move(0, 2), 2);
    EXPECT_EQ(Codes(a), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(a.Move(2, 0), 0);
    EXPECT_EQ(Codes(a), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(a.Move(0, 3), -1);
    EXPECT_EQ(a.Move(-1, 0), -1);
    EXPECT_EQ(a.Move(3, 0), -1);
    EXPECT_EQ(a.Move(1, -1), -1);
    EXPECT_EQ(Codes(a), (std::vector<int>{1, 2, 3}));
}

TEST(OwningArray, CopiesAreDeepAndSelfAssignmentKeepsTheElements) {
    auto a = ListOf({1, 2});
    COwningArray<Probe> b = a;
    EXPECT_TRUE(a == b);
    EXPECT_NE(a.GetAt(0), b.GetAt(0));
    b.GetAt(0)->m_code = 9;
    EXPECT_EQ(a.GetAt(0)->m_code, 1);
    EXPECT_FALSE(a == b);
    COwningArray<Probe>& self = b;
    b = self;
    EXPECT_EQ(Codes(b), (std::vector<int>{9, 2}));
    b = a;
    EXPECT_EQ(Codes(b), (std::vector<int>{1, 2}));
}

TEST(MasterLoad, AFreshObjectIsHandedOverOnlyAfterAWholeRead) {
    ScriptedHost host;
    CShokeihiFile target = masterbuild::SampleShokeihiFile();
    CShokeihiFile before;
    before.Copy(target);

    CShokeihiFile other;
    masterbuild::AddShokeihi(other, 7, "区画整理", 900);
    std::string bytes = StoreMasterBytes(other);

    std::string reason;
    EXPECT_EQ(LoadMasterFromBytes(target, bytes.substr(0, bytes.size() - 1), &reason), MasterLoadResult::corrupt);
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(target == before);

    std::string foreign = StoreMasterBytes(target);
    foreign[1] = 'X';
    EXPECT_EQ(LoadMasterFromBytes(target, foreign), MasterLoadResult::foreignSignature);
    EXPECT_TRUE(target == before);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kShokeihiForeignFile});

    EXPECT_EQ(LoadMasterFromBytes(target, bytes), MasterLoadResult::loaded);
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetRecord(0)->m_code, 7);
    EXPECT_EQ(target.m_fileVersion, 102);
}
