// Tests of master/HenkaritsuFile.h.
#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "LegacyMasterBytes.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/HenkaritsuFile.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

TEST(HenkaritsuFile, RoundTripIsByteIdenticalAndKeepsEveryField) {
    CHenkaritsuFile sample = SampleHenkaritsuFile();
    std::string first = StoreMasterBytes(sample);
    EXPECT_EQ(first, legacy::HenkaritsuBytes(sample, 103));
    int ok = 0;
    CHenkaritsuFile back = LoadRoot<CHenkaritsuFile>(first, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), first);
    EXPECT_EQ(back.FindGyomu(1)->FindRecord(1000)->m_auxFormula[7], "LL*7");
}

TEST(HenkaritsuFile, CellColumnRowIsTheIntNumberColumnTimes32PlusRow) {
    CHenkaritsuFile f;
    f.m_dataVersion = 1;
    CHenkaritsuRecord& r = AddTableRecord(AddGroup(f, 1), 5);
    ASSERT_TRUE(r.SetCell(1, 1, 11));
    ASSERT_TRUE(r.SetCell(1, 32, 132));
    ASSERT_TRUE(r.SetCell(2, 3, 203));
    ASSERT_TRUE(r.SetCell(16, 32, 1632));
    EXPECT_FALSE(r.SetCell(17, 1, 1));
    EXPECT_FALSE(r.SetCell(1, 0, 1));
    EXPECT_EQ(r.GetCell(0, 1), kUnset);
    EXPECT_EQ(r.GetCell(2, 33), kUnset);

    std::string bytes = StoreMasterBytes(f);
    // Header (1 + 38 + 8), group count, group code, name, record count, then the record's fields:
    // code, name, user flag, 48 empty titles, type, standard column and row, 区分率 flag.
    const size_t table = 1 + 38 + 8 + 4 + 4 + 1 + 4 + (4 + 1 + 4 + 48 + 4 + 8 + 4);
    auto intAt = [&](size_t n) {  // the n-th int of the table, from 1
        return bytes.substr(table + (n - 1) * 4, 4);
    };
    EXPECT_EQ(intAt(1), ByteFixture().Int(11).Bytes());
    EXPECT_EQ(intAt(32), ByteFixture().Int(132).Bytes());
    EXPECT_EQ(intAt((2 - 1) * 32 + 3), ByteFixture().Int(203).Bytes());
    EXPECT_EQ(intAt(512), ByteFixture().Int(1632).Bytes());
    EXPECT_EQ(intAt(2), ByteFixture().Int(kUnset).Bytes());
    // After the table: mode 0 and the empty formula.
    EXPECT_EQ(bytes.substr(table + 512 * 4, 5), ByteFixture().Int(0).Byte(0).Bytes());
}

TEST(HenkaritsuFile, HeaderBytesAndOldVersions) {
    // A version 1.00 file written by hand: no data version, no remarks, LL or auxiliary formulas.
    ByteFixture f;
    f.Byte(38).Raw(kHenkaritsuSignatureBytes).Int(100).Int(1);
    f.Int(3).ShortText("G").Int(1);
    f.Int(9).ShortText("R").Int(0).EmptyTexts(48).Int(1).Int(2).Int(3).Int(0);
    for (int i = 1; i <= 512; ++i) f.Int(i);
    f.Int(1).ShortText("LL*2").ShortText("").ShortText("m");
    CHenkaritsuFile v100 = LoadRoot<CHenkaritsuFile>(f.Bytes());
    EXPECT_EQ(g_henkaritsuLoadedVersion, 100);
    EXPECT_EQ(v100.m_dataVersion, 100);
    const CHenkaritsuRecord& r = *v100.FindGyomu(3)->FindRecord(9);
    EXPECT_EQ(r.GetCell(1, 1), 1);
    EXPECT_EQ(r.GetCell(3, 5), 2 * 32 + 5);
    EXPECT_EQ(r.m_mode, 1);
    EXPECT_EQ(r.m_formula, "LL*2");
    EXPECT_EQ(r.m_unit, "m");
    EXPECT_EQ(r.m_remarks, "");
    EXPECT_EQ(r.m_llDefault, kUnset);
    EXPECT_EQ(r.m_useAuxiliary, 0);

    std::string stored = StoreMasterBytes(v100);
    EXPECT_EQ(stored.substr(39, 8), ByteFixture().Int(103).Int(100).Bytes());
    EXPECT_TRUE(LoadRoot<CHenkaritsuFile>(stored) == v100);

    const CHenkaritsuFile sample = SampleHenkaritsuFile();
    for (int32_t v : {101, 102, 103, 104}) {
        SCOPED_TRACE(v);
        CHenkaritsuFile back = LoadRoot<CHenkaritsuFile>(legacy::HenkaritsuBytes(sample, v));
        EXPECT_EQ(back.m_dataVersion, v >= 102 ? sample.m_dataVersion : v);
        const CHenkaritsuRecord& t = *back.FindGyomu(1)->FindRecord(1);
        const CHenkaritsuRecord& fr = *back.FindGyomu(1)->FindRecord(1000);
        EXPECT_EQ(t.m_remarks, "備考");
        EXPECT_EQ(t.m_llDefault, 12500);
        EXPECT_EQ(fr.m_useAuxiliary, v >= 103 ? 1 : 0);
        EXPECT_EQ(fr.m_auxStart[1], v >= 103 ? "10" : "");
        EXPECT_EQ(fr.m_defaultAuxFormula, v >= 103 ? "1" : "");
        EXPECT_EQ(back == sample, v == 103);
        std::string again = StoreMasterBytes(back);
        EXPECT_EQ(back.m_fileVersion, std::max(v, 103));
        EXPECT_EQ(StoreMasterBytes(LoadRoot<CHenkaritsuFile>(again)), again);
    }
}

TEST(HenkaritsuFile, GroupFiveUsesGroupFour) {
    CHenkaritsuFile f;
    CHenkaritsuGyomu& g4 = AddGroup(f, 4);
    CHenkaritsuGyomu& g5 = AddGroup(f, 5);
    EXPECT_EQ(f.FindGyomu(4), &g4);
    EXPECT_EQ(f.FindGyomu(5), &g4);
    EXPECT_EQ(f.FindGyomuIndex(5), 1);  // the index lookup is plain
    EXPECT_EQ(f.GetGyomu(1), &g5);
    EXPECT_EQ(f.FindGyomu(6), nullptr);
    EXPECT_EQ(f.HasGyomu(6), 0);
    EXPECT_EQ(f.GetNewGyomuCode(), 1);
}

TEST(HenkaritsuFile, RecordCodesAndMoves) {
    CHenkaritsuGyomu g;
    AddTableRecord(g, 1000);
    AddTableRecord(g, 1001);
    AddTableRecord(g, 1);
    AddTableRecord(g, 1);
    EXPECT_EQ(g.GetNewRecordCode(1), 1002);
    EXPECT_EQ(g.GetNewRecordCode(0), 2);
    EXPECT_EQ(g.FindRecord(1), g.GetRecord(2));
    EXPECT_EQ(g.FindRecordIndex(1), 2);
    EXPECT_EQ(g.GetRecordIndex(1001), 1);
    EXPECT_EQ(g.GetRecordIndex(7), -1);
    EXPECT_EQ(g.HasRecord(1000), 1);

    EXPECT_EQ(g.MoveRecord(0, 3), 3);
    EXPECT_EQ(g.GetRecord(3)->m_code, 1000);
    EXPECT_EQ(g.MoveRecord(0, 4), -1);
    EXPECT_EQ(g.MoveRecord(-1, 0), -1);
    EXPECT_EQ(g.GetSize(), 4);

    CHenkaritsuGyomu full;
    for (int32_t c = 1000; c <= 2000; ++c) AddTableRecord(full, c);
    EXPECT_EQ(full.GetNewRecordCode(1), -1);
    EXPECT_EQ(full.GetNewRecordCode(0), 1);
}

TEST(HenkaritsuFile, CopyIsDeepAndForeignFilesAreRefused) {
    CHenkaritsuFile sample = SampleHenkaritsuFile();
    CHenkaritsuFile copy;
    EXPECT_EQ(copy.Copy(sample), 2);
    EXPECT_TRUE(copy == sample);
    copy.FindGyomu(1)->FindRecord(1)->SetCell(1, 1, -1);
    EXPECT_EQ(sample.FindGyomu(1)->FindRecord(1)->GetCell(1, 1), 1001);

    ScriptedHost host;
    std::string bytes = StoreMasterBytes(sample);
    bytes[1] = '\x95';
    bytes[2] = '\xe0';  // "歩" in place of "変"
    int ok = -1;
    LoadRoot<CHenkaritsuFile>(bytes, &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kHenkaritsuForeignFile});
}
