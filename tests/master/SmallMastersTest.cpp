// Tests of the small masters: master/ShokeihiFile.h and master/ProgramKingakuFile.h.
#include <gtest/gtest.h>

#include "LegacyMasterBytes.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

TEST(ShokeihiFile, RoundTripAndVersion101) {
    CShokeihiFile sample = SampleShokeihiFile();
    std::string first = StoreMasterBytes(sample);
    EXPECT_EQ(first, legacy::ShokeihiBytes(sample, 102));
    CShokeihiFile back = LoadRoot<CShokeihiFile>(first);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), first);

    // Version 1.01 loads with data version 101 and is stored as 1.02 with data version 101.
    CShokeihiFile v101 = LoadRoot<CShokeihiFile>(legacy::ShokeihiBytes(sample, 101));
    EXPECT_EQ(v101.m_dataVersion, 101);
    EXPECT_EQ(v101.FindRecord(1)->m_rate, 1250);
    std::string stored = StoreMasterBytes(v101);
    CShokeihiFile again = LoadRoot<CShokeihiFile>(stored);
    EXPECT_EQ(again.m_fileVersion, 102);
    EXPECT_EQ(again.m_dataVersion, 101);
    EXPECT_EQ(StoreMasterBytes(again), stored);
}

TEST(ShokeihiFile, CodesAndLookups) {
    CShokeihiFile f;
    for (int32_t c = 1; c <= 5; ++c) AddShokeihi(f, c, "", c * 100);
    EXPECT_EQ(f.GetNewRecordCode(), 6);
    AddShokeihi(f, 3, "二つ目", 1);
    EXPECT_EQ(f.FindRecord(3)->m_rate, 300);
    EXPECT_EQ(f.FindRecordIndex(3), 2);
    EXPECT_EQ(f.FindRecord(9), nullptr);
    for (int32_t c = 6; c <= 32; ++c) AddShokeihi(f, c, "", 0);
    EXPECT_EQ(f.GetNewRecordCode(), -1);

    CShokeihiFile copy;
    EXPECT_EQ(copy.Copy(f), 33);
    copy.GetRecord(0)->m_rate = -1;
    EXPECT_EQ(f.GetRecord(0)->m_rate, 100);
}

TEST(ProgramKingakuFile, RoundTripCodesAndForeignFiles) {
    CProgramKingakuFile sample = SampleProgramKingakuFile();
    std::string first = StoreMasterBytes(sample);
    EXPECT_EQ(first, legacy::ProgramKingakuBytes(sample, 101));
    CProgramKingakuFile back = LoadRoot<CProgramKingakuFile>(first);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), first);

    CProgramKingakuFile v100 = LoadRoot<CProgramKingakuFile>(legacy::ProgramKingakuBytes(sample, 100));
    EXPECT_EQ(v100.m_dataVersion, 100);
    EXPECT_EQ(v100.FindRecord(1)->m_condition2, "電算");
    StoreMasterBytes(v100);
    EXPECT_EQ(v100.m_fileVersion, 101);

    CProgramKingakuFile full;
    for (int32_t c = 1; c <= 99; ++c) AddProgram(full, c, "", c);
    EXPECT_EQ(full.GetNewRecordCode(), -1);
    full.RemoveRecord(0);
    EXPECT_EQ(full.GetNewRecordCode(), 1);

    ScriptedHost host;
    int ok = -1;
    LoadRoot<CProgramKingakuFile>(StoreMasterBytes(sample).replace(1, 2, "\x83\x76"), &ok);  // "プ" intact
    EXPECT_EQ(ok, 1);
    LoadRoot<CProgramKingakuFile>(StoreMasterBytes(sample).replace(45, 2, "x."), &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kProgramKingakuForeignFile});
}

TEST(ShokeihiFile, TextLengthPrefixes) {
    CShokeihiFile f;
    f.m_dataVersion = 0;
    AddShokeihi(f, 1, std::string(254, 'a'), 0);
    AddShokeihi(f, 2, std::string(255, 'b'), 0);
    std::string bytes = StoreMasterBytes(f);
    const size_t first = 1 + 38 + 8 + 4 + 4;  // header, count, code of the first record
    EXPECT_EQ(bytes.substr(first, 2), "\xFE" "a");
    const size_t second = first + 1 + 254 + 4 + 4;
    EXPECT_EQ(bytes.substr(second, 4), std::string("\xFF\xFF\x00", 3) + "b");
    CShokeihiFile back = LoadRoot<CShokeihiFile>(bytes);
    EXPECT_TRUE(back == f);
}
