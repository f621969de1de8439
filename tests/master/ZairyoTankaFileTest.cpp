// Tests of master/ZairyoTankaFile.h.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "LegacyMasterBytes.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/MasterTexts.h"
#include "master/ZairyoTankaFile.h"

using namespace masterbuild;

namespace {
uint64_t Bits(double d) {
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}
}  // namespace

TEST(ZairyoTankaFile, NoPriceIsTheSmallestNormalDoubleAndSurvivesARoundTrip) {
    CZairyoTankaItem fresh;
    EXPECT_EQ(Bits(fresh.m_price), 0x0010000000000000ull);
    EXPECT_TRUE(IsNoPrice(fresh.m_price));
    EXPECT_EQ(fresh.m_kind, 0);
    EXPECT_EQ(fresh.m_setting, 1);
    EXPECT_FALSE(IsNoPrice(0.0));
    EXPECT_FALSE(IsNoPrice(-2147483648.0));

    CZairyoTankaFile f;
    f.AddItem(std::make_unique<CZairyoTankaItem>());
    std::string bytes = StoreMasterBytes(f);
    // The price is the last 8 bytes before the remarks and the extra text (two empty texts).
    EXPECT_EQ(bytes.substr(bytes.size() - 10, 8), std::string("\x00\x00\x00\x00\x00\x00\x10\x00", 8));
    CZairyoTankaFile back = LoadRoot<CZairyoTankaFile>(bytes);
    EXPECT_EQ(Bits(back.GetItem(0)->m_price), 0x0010000000000000ull);
    EXPECT_EQ(StoreMasterBytes(back), bytes);
}

TEST(ZairyoTankaFile, RoundTripAndOldVersion) {
    CZairyoTankaFile sample = SampleZairyoTankaFile();
    std::string first = StoreMasterBytes(sample);
    EXPECT_EQ(first, legacy::ZairyoTankaBytes(sample, 102));
    CZairyoTankaFile back = LoadRoot<CZairyoTankaFile>(first);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(Bits(back.FindItem(1002)->m_price), Bits(-0.0));
    EXPECT_EQ(StoreMasterBytes(back), first);

    CZairyoTankaFile v100 = LoadRoot<CZairyoTankaFile>(legacy::ZairyoTankaBytes(sample, 100));
    EXPECT_EQ(v100.m_dataVersion, 100);
    EXPECT_EQ(v100.m_title, "材料単価データ25");
    EXPECT_EQ(v100.FindItem(1000)->m_extra, "");
    EXPECT_EQ(v100.FindItem(1000)->m_remarks, "備考");
    CZairyoTankaFile v101 = LoadRoot<CZairyoTankaFile>(legacy::ZairyoTankaBytes(sample, 101));
    EXPECT_EQ(v101.m_dataVersion, 101);
    EXPECT_EQ(v101.FindItem(1000)->m_extra, "追加");
    std::string stored = StoreMasterBytes(v101);
    EXPECT_EQ(v101.m_fileVersion, 102);
    EXPECT_TRUE(LoadRoot<CZairyoTankaFile>(stored) == v101);
}

TEST(ZairyoTankaFile, PricesCompareBitForBit) {
    CZairyoTankaItem a;
    a.m_price = std::numeric_limits<double>::quiet_NaN();
    CZairyoTankaItem b;
    b.Copy(a);
    EXPECT_TRUE(a == b);
    a.m_price = 0.0;
    b.m_price = -0.0;
    EXPECT_FALSE(a == b);
}

TEST(ZairyoTankaFile, ItemsByKind) {
    CZairyoTankaFile f;
    AddZairyoItem(f, 1000, 2, "a", 1);
    AddZairyoItem(f, 1001, 0, "b", 2);
    AddZairyoItem(f, 1002, 2, "c", 3);
    AddZairyoItem(f, 1003, 1, "d", 4);
    AddZairyoItem(f, 1004, 2, "e", 5);
    EXPECT_EQ(f.GetItemCountOfKind(2), 3);
    EXPECT_EQ(f.GetItemCountOfKind(6), 0);
    EXPECT_EQ(f.FindItemIndexOfKind(1004, 2), 2);  // the third item of kind 2
    EXPECT_EQ(f.FindItemIndexOfKind(1000, 2), 0);
    EXPECT_EQ(f.FindItemIndexOfKind(1001, 2), -1);
    EXPECT_EQ(f.GetItemOfKind(2, 1)->m_name, "c");
    EXPECT_EQ(f.GetItemOfKind(1, 0)->m_name, "d");
    EXPECT_EQ(f.GetItemOfKind(2, 3), nullptr);
    EXPECT_EQ(f.GetItemOfKind(2, -1), nullptr);
    EXPECT_EQ(f.GetItemOfKind(2, 9), nullptr);
    EXPECT_EQ(f.GetNewItemId(), 1005);
    EXPECT_EQ(f.FindItemIndex(1003), 3);

    CZairyoTankaFile copy;
    EXPECT_EQ(copy.Copy(f), 5);
    copy.RemoveAllItems();
    EXPECT_EQ(copy.GetCount(), 0);
    EXPECT_EQ(f.GetCount(), 5);
}

TEST(ZairyoTankaFile, ForeignSignature) {
    ScriptedHost host;
    int ok = -1;
    LoadRoot<CZairyoTankaFile>(StoreMasterBytes(*std::make_unique<CTankaFile>()), &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kZairyoTankaForeignFile});
}
