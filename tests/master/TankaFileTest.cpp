// Tests of master/TankaFile.h.
#include <gtest/gtest.h>

#include "LegacyMasterBytes.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/MasterTexts.h"
#include "master/TankaFile.h"
#include "platform/Cp932.h"

using namespace masterbuild;

TEST(TankaFile, RoundTripIsByteIdenticalAndKeepsEveryField) {
    CTankaFile sample = SampleTankaFile();
    std::string first = StoreMasterBytes(sample);
    EXPECT_EQ(first, legacy::TankaBytes(sample, 104));
    int ok = 0;
    CTankaFile back = LoadRoot<CTankaFile>(first, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), first);
    EXPECT_EQ(back.m_company[3], "ZORVA測量設計");
    EXPECT_EQ(back.FindRow(1000)->m_prices[2], 52000);
}

TEST(TankaFile, NameBytesThatAreNotCp932SurviveLoadAndStore) {
    using vemo::Utf8ToCp932;
    const std::string names[] = {
        "\x80",
        "\xA0" + Utf8ToCp932("普通作業員") + "\xFD",
        "\x85\x40" + Utf8ToCp932("特殊作業員"),  // an unassigned pair
        Utf8ToCp932("運転手") + "\x81",          // a lead byte cut off at the end
        "\x81 " + Utf8ToCp932("(一般)"),         // a lead byte without its trail byte
    };
    for (const std::string& name : names) {
        // A file whose row name holds these bytes.
        CTankaFile file;
        AddTankaRow(file, 1000, vemo::Cp932ToUtf8(name), {12000});
        const std::string bytes = StoreMasterBytes(file);
        ASSERT_NE(bytes.find(static_cast<char>(name.size()) + name), std::string::npos) << testing::PrintToString(name);

        int ok = 0;
        CTankaFile back = LoadRoot<CTankaFile>(bytes, &ok);
        ASSERT_EQ(ok, 1);
        EXPECT_EQ(Utf8ToCp932(back.FindRow(1000)->m_name), name);
        EXPECT_EQ(StoreMasterBytes(back), bytes) << testing::PrintToString(name);
    }
}

TEST(TankaFile, OlderAndNewerVersions) {
    const CTankaFile sample = SampleTankaFile();
    CTankaFile v102 = LoadRoot<CTankaFile>(legacy::TankaBytes(sample, 102));
    EXPECT_EQ(v102.m_fileVersion, 102);
    EXPECT_EQ(v102.m_dataVersion, 102);
    EXPECT_EQ(v102.m_consumptionTax, 1000);
    const CTankaRow& row = *v102.FindRow(1000);
    EXPECT_EQ(row.m_remarks, "備考");
    EXPECT_EQ(row.m_related, kUnset);
    EXPECT_EQ(row.m_spare, "");
    std::string stored = StoreMasterBytes(v102);
    EXPECT_EQ(v102.m_fileVersion, 104);
    CTankaFile again = LoadRoot<CTankaFile>(stored);
    EXPECT_TRUE(again == v102);
    EXPECT_EQ(again.m_dataVersion, 102);

    CTankaFile v103 = LoadRoot<CTankaFile>(legacy::TankaBytes(sample, 103));
    EXPECT_EQ(v103.m_dataVersion, sample.m_dataVersion);
    EXPECT_EQ(v103.FindRow(1000)->m_related, kUnset);

    // A version 1.05 file loads completely and is stored back as 1.05.
    CTankaFile v105 = LoadRoot<CTankaFile>(legacy::TankaBytes(sample, 105));
    EXPECT_EQ(v105.FindRow(1000)->m_spare, "予備");
    std::string bytes105 = StoreMasterBytes(v105);
    EXPECT_EQ(v105.m_fileVersion, 105);
    EXPECT_EQ(bytes105, legacy::TankaBytes(sample, 105));
}

TEST(TankaFile, RowsIdsAndLookups) {
    CTankaRow fresh;
    EXPECT_EQ(fresh.m_unit, mastertext::kTankaDefaultUnit);
    EXPECT_EQ(fresh.m_kind, 0);
    for (int32_t p : fresh.m_prices) EXPECT_EQ(p, kUnset);

    CTankaFile f;
    EXPECT_EQ(f.GetNewRowId(), 1000);
    for (int32_t id = 1000; id <= 1999; ++id) AddTankaRow(f, id, "", {});
    EXPECT_EQ(f.GetNewRowId(), -1);
    f.RemoveRow(5);
    EXPECT_EQ(f.GetNewRowId(), 1005);
    EXPECT_EQ(f.FindRow(kUnset), nullptr);
    EXPECT_EQ(f.FindRowIndex(1999), 998);
    EXPECT_EQ(f.HasRow(1005), 0);
    f.GetRow(0)->m_id = kUnset;
    EXPECT_EQ(f.FindRow(kUnset), f.GetRow(0));

    CTankaFile copy;
    EXPECT_EQ(copy.Copy(f), 999);
    EXPECT_TRUE(copy == f);
    copy.GetRow(1)->m_prices[0] = 1;
    EXPECT_EQ(f.GetRow(1)->m_prices[0], kUnset);
}

TEST(TankaFile, ForeignSignature) {
    ScriptedHost host;
    CShokeihiFile other;
    int ok = -1;
    LoadRoot<CTankaFile>(StoreMasterBytes(other), &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kTankaForeignFile});
}
