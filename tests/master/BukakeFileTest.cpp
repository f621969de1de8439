// Tests of master/BukakeFile.h.
#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "LegacyMasterBytes.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/BukakeFile.h"
#include "master/MasterTexts.h"

using namespace masterbuild;

namespace {

// The stored form of an empty, freshly constructed 歩掛 master.
std::string EmptyBukakeBytes() {
    return ByteFixture()
        .Byte(0x24)
        .Raw(kBukakeSignatureBytes)
        .Raw(std::string_view("\x6E\x00\x00\x00", 4))  // version 110
        .Int(kUnset)                                   // data version as held
        .Int(0)                                        // split flag
        .Int(0)                                        // no 業務
        .Bytes();
}

// A detail as a file before 1.05 holds it: no auxiliary formulas, material or 費目 settings.
ByteFixture& OldDetail(ByteFixture& f, int lines) {
    f.ShortText("1").Ints(kUnset, 8).Int(0).ShortText("").Ints(kUnset, 10).Ints(kUnset, 3);
    f.Int(kUnset).Int(0).Int(0);  // F4, プログラム金額, 歩掛 type
    f.Int(lines);
    for (int i = 0; i < lines; ++i) f.Int(5).ShortText("L").Int(i).Ints(100 + i, 10);
    return f;
}

// A version 1.03 file: one 業務 / 工種 / 種別 with a detail of the given number of lines.
std::string Version103File(int lines) {
    ByteFixture f;
    f.Byte(0x24).Raw(kBukakeSignatureBytes).Int(103);  // no data version, no split flag
    f.Int(1).Int(1).ShortText("").Int(1);               // 業務 1
    f.Int(101).ShortText("").Int(0).Int(1);             // 工種 101: code, name, user flag, 種別 count
    f.Int(1).ShortText("").Int(0).Int(kUnset);          // 種別 1: code, name, user flag, coefficient
    OldDetail(f, lines);
    return f.Bytes();
}

CBukakeShubetsu& OnlyShubetsu(const CBukakeFile& f) {
    CBukakeShubetsu* s = f.FindShubetsu(1, 101, 1);
    if (!s) throw std::runtime_error("no 種別 1/101/1");
    return *s;
}

}  // namespace

TEST(BukakeFile, AnEmptyMasterIsStoredAsTheHeaderAndAZeroCount) {
    CBukakeFile f;
    std::string bytes = StoreMasterBytes(f);
    EXPECT_EQ(bytes, EmptyBukakeBytes());
    EXPECT_EQ(f.m_fileVersion, 110);

    int ok = -1;
    CBukakeFile back = LoadRoot<CBukakeFile>(bytes, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(back.GetCount(), 0);
    EXPECT_EQ(back.m_dataVersion, kUnset);
    EXPECT_EQ(StoreMasterBytes(back), bytes);
}

TEST(BukakeFile, RoundTripIsByteIdenticalAndKeepsEveryField) {
    CBukakeFile sample = SampleBukakeFile();
    std::string first = StoreMasterBytes(sample);
    // The reader-independent writer of the same layout agrees with the model's own.
    EXPECT_EQ(first, legacy::BukakeBytes(sample, 110));

    int ok = 0;
    CBukakeFile back = LoadRoot<CBukakeFile>(first, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(g_bukakeLoadedVersion, 110);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), first);

    const CBukakeDetail& d = OnlyShubetsu(back).GetDetail();
    EXPECT_EQ(d.m_formula, "H1*H2+S1");
    EXPECT_EQ(d.m_henkaritsu[7], 1008);
    EXPECT_EQ(d.GetLineCount(), 3);
    EXPECT_EQ(d.GetHimokuSet().GetHimokuCount(), 2);
    EXPECT_EQ(d.m_textH.size(), 450u);  // 150 characters of three UTF-8 bytes
}

TEST(BukakeFile, StreamPutsTheSplitFlagsBeforeTheChildren) {
    CBukakeFile f;
    f.m_dataVersion = 7;
    f.m_splitFlag = 1;
    CBukakeKoshu& k = AddKoshu(AddGyomu(f, 2, "G"), 300, "K", 1);
    k.m_koshuType = 5;
    k.m_settings[0] = 1;
    k.m_settings[9] = 10;
    CBukakeShubetsu& s = AddShubetsu(k, 3, "S");
    s.m_denshiKind = 6;
    s.m_conventional = 1;

    ByteFixture expected;
    expected.Byte(0x24).Raw(kBukakeSignatureBytes).Int(110).Int(7);
    expected.Int(1).Int(1);                                   // root split flag, 1 業務
    expected.Int(2).ShortText("G").Int(1);                    // 業務 2 with 1 工種
    expected.Int(300).ShortText("K").Int(0).Int(1).Int(5);    // code, name, user flag, split, type
    expected.Int(1).Ints(0, 8).Int(10).Int(1);                // 10 settings, then 1 種別
    expected.Int(3).ShortText("S").Int(0).Int(kUnset).Int(6).Int(1);  // 種別 fields before its detail
    expected.ShortText("1").Ints(kUnset, 8).Int(0).ShortText("").Ints(kUnset, 10).Ints(kUnset, 3);
    expected.Int(kUnset).Int(0).Int(0).Int(0).EmptyTexts(8).ShortText("").Int(1).Int(kUnset);
    expected.Int(0);                                          // no lines
    expected.Int(kUnset).Ints(kUnset, 6).Int(0);              // 費目 settings, no entries
    EXPECT_EQ(StoreMasterBytes(f), expected.Bytes());
}

TEST(BukakeFile, Version103FileGetsTheDefaultsOfEveryGate) {
    CBukakeFile f = LoadRoot<CBukakeFile>(Version103File(8));
    EXPECT_EQ(f.m_fileVersion, 103);
    EXPECT_EQ(f.m_dataVersion, 103);
    EXPECT_EQ(f.m_splitFlag, 1);
    const CBukakeKoshu& k = *f.FindKoshu(1, 101);
    EXPECT_EQ(k.m_splitFlag, 1);
    EXPECT_EQ(k.m_koshuType, 4);
    EXPECT_EQ(k.m_settings, (std::array<int32_t, 10>{}));
    const CBukakeShubetsu& s = OnlyShubetsu(f);
    EXPECT_EQ(s.m_denshiKind, 4);
    EXPECT_EQ(s.m_conventional, 1);
    const CBukakeDetail& d = s.GetDetail();
    EXPECT_EQ(d.m_useAuxiliary, 0);
    EXPECT_EQ(d.m_himokuMode, 1);
    EXPECT_EQ(d.m_zairyoId, kUnset);
    EXPECT_EQ(d.GetHimokuSet().GetHimokuCount(), 0);
    EXPECT_EQ(d.GetHimokuSet().m_setting, kUnset);

    // Eight lines of an old file become eleven: three lines with setting 1, no name, value 1.
    ASSERT_EQ(d.GetLineCount(), 11);
    EXPECT_EQ(d.GetLine(7)->m_name, "L");
    EXPECT_EQ(d.GetLine(7)->m_value, 7);
    for (int i = 8; i < 11; ++i) {
        const CBukakeDetailLine& line = *d.GetLine(i);
        EXPECT_EQ(line.m_setting, 1);
        EXPECT_EQ(line.m_name, "");
        EXPECT_EQ(line.m_value, 1);
        for (int32_t c : line.m_columns) EXPECT_EQ(c, kUnset);
    }

    // Stored again: the current version, the old data version.
    std::string stored = StoreMasterBytes(f);
    EXPECT_EQ(stored.substr(37, 8), ByteFixture().Int(110).Int(103).Bytes());
    CBukakeFile again = LoadRoot<CBukakeFile>(stored);
    EXPECT_TRUE(again == f);
    EXPECT_EQ(StoreMasterBytes(again), stored);
}

TEST(BukakeFile, OnlyExactlyEightOldLinesGetThreeMore) {
    EXPECT_EQ(OnlyShubetsu(LoadRoot<CBukakeFile>(Version103File(7))).GetDetail().GetLineCount(), 7);
    EXPECT_EQ(OnlyShubetsu(LoadRoot<CBukakeFile>(Version103File(9))).GetDetail().GetLineCount(), 9);
    EXPECT_EQ(OnlyShubetsu(LoadRoot<CBukakeFile>(Version103File(0))).GetDetail().GetLineCount(), 0);

    // From 1.05 on eight lines stay eight.
    CBukakeFile f;
    CBukakeDetail& d = AddShubetsu(AddKoshu(AddGyomu(f, 1), 101), 1).GetDetail();
    for (int i = 0; i < 8; ++i) AddLine(d, "", {i});
    CBukakeFile back = LoadRoot<CBukakeFile>(legacy::BukakeBytes(f, 105));
    EXPECT_EQ(OnlyShubetsu(back).GetDetail().GetLineCount(), 8);
    back = LoadRoot<CBukakeFile>(legacy::BukakeBytes(f, 104));
    EXPECT_EQ(OnlyShubetsu(back).GetDetail().GetLineCount(), 11);
}

// Each older version loads with the defaults of the gates it does not pass, and is stored again at
// the current version with the full layout.
TEST(BukakeFile, EachVersionGate) {
    CBukakeFile sample = SampleBukakeFile();
    sample.m_splitFlag = 0;
    for (int32_t v = 100; v <= 110; ++v) {
        SCOPED_TRACE(v);
        CBukakeFile f = LoadRoot<CBukakeFile>(legacy::BukakeBytes(sample, v));
        EXPECT_EQ(f.m_fileVersion, v);
        EXPECT_EQ(f.m_dataVersion, v >= 104 ? sample.m_dataVersion : v);
        EXPECT_EQ(f.m_splitFlag, v >= 108 ? 0 : 1);
        const CBukakeKoshu& k = *f.FindKoshu(1, 101);
        const CBukakeKoshu& sk = *sample.FindKoshu(1, 101);
        EXPECT_EQ(k.m_splitFlag, v >= 108 ? sk.m_splitFlag : 1);
        EXPECT_EQ(k.m_koshuType, v >= 109 ? sk.m_koshuType : (v <= 106 ? 4 : 0));
        const std::array<int32_t, 10> noSettings{};
        EXPECT_EQ(k.m_settings, v >= 110 ? sk.m_settings : noSettings);
        const CBukakeKoshu& k2 = *f.FindKoshu(2, 300);  // split flag 0 in the sample
        EXPECT_EQ(k2.m_splitFlag, v >= 108 ? 0 : 1);
        const CBukakeShubetsu& s = OnlyShubetsu(f);
        const CBukakeShubetsu& ss = OnlyShubetsu(sample);
        EXPECT_EQ(s.m_denshiKind, v >= 107 ? ss.m_denshiKind : 4);
        EXPECT_EQ(s.m_conventional, v >= 108 ? ss.m_conventional : 1);
        const CBukakeDetail& d = s.GetDetail();
        const CBukakeDetail& sd = ss.GetDetail();
        EXPECT_EQ(d.m_formula, sd.m_formula);
        EXPECT_EQ(d.m_bukakeType, sd.m_bukakeType);
        EXPECT_EQ(d.m_useAuxiliary, v >= 105 ? sd.m_useAuxiliary : 0);
        EXPECT_EQ(d.m_auxiliary[0], v >= 105 ? sd.m_auxiliary[0] : "");
        EXPECT_EQ(d.m_textH, v >= 105 ? sd.m_textH : "");
        EXPECT_EQ(d.m_himokuMode, v >= 105 ? sd.m_himokuMode : 1);
        EXPECT_EQ(d.m_zairyoId, v >= 106 ? sd.m_zairyoId : kUnset);
        const CBukakeHimokuSet noHimoku;
        EXPECT_TRUE(d.GetHimokuSet() == (v >= 105 ? sd.GetHimokuSet() : noHimoku));
        EXPECT_EQ(d.GetLineCount(), sd.GetLineCount());  // three lines: no extra ones

        EXPECT_EQ(f == sample, v == 110);
        std::string stored = StoreMasterBytes(f);
        EXPECT_EQ(f.m_fileVersion, 110);
        CBukakeFile again = LoadRoot<CBukakeFile>(stored);
        EXPECT_TRUE(again == f);
        EXPECT_EQ(StoreMasterBytes(again), stored);
    }
}

TEST(BukakeFile, ANewerVersionIsKeptAndLoadsAsCurrent) {
    CBukakeFile sample = SampleBukakeFile();
    sample.m_fileVersion = 111;
    std::string bytes = StoreMasterBytes(sample);
    EXPECT_EQ(bytes.substr(37, 4), ByteFixture().Int(111).Bytes());
    CBukakeFile back = LoadRoot<CBukakeFile>(bytes);
    EXPECT_EQ(back.m_fileVersion, 111);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(StoreMasterBytes(back), bytes);
}

TEST(BukakeFile, ForeignSignatureIsRefusedWithTheMastersMessage) {
    ScriptedHost host;
    CBukakeFile f = SampleBukakeFile();
    std::string bytes = StoreMasterBytes(f);
    bytes[2] ^= 0x01;  // one byte of the signature differs

    CBukakeFile target;
    target.m_dataVersion = 42;
    CArchive ar(bytes);
    int ok = -1;
    target.Serialize(ar, &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(ar.Position(), 37u);  // nothing read after the signature
    EXPECT_EQ(target.m_dataVersion, 42);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, mastertext::kBukakeForeignFile);
    EXPECT_EQ(host.messages[0].caption, "Vemo Ovra 農林版");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);

    // Another master's file is foreign as well.
    host.messages.clear();
    CHyoshiData cover;
    std::string coverBytes = StoreMasterBytes(cover);
    CArchive ar2(coverBytes);
    target.Serialize(ar2, &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(host.MessageTexts().size(), 1u);
}

TEST(BukakeFile, CopyIsDeepAndSelfCopyKeepsTheTree) {
    CBukakeFile sample = SampleBukakeFile();
    CBukakeFile copy;
    AddGyomu(copy, 9, "消える");
    EXPECT_EQ(copy.Copy(sample), 3);
    EXPECT_TRUE(copy == sample);
    EXPECT_NE(copy.GetGyomu(0), sample.GetGyomu(0));
    CBukakeDetail& d = OnlyShubetsu(copy).GetDetail();
    EXPECT_NE(&d, &OnlyShubetsu(sample).GetDetail());
    d.GetLine(0)->m_columns[0] = 999;
    d.GetHimokuSet().GetHimoku(0)->m_name = "変更";
    EXPECT_EQ(OnlyShubetsu(sample).GetDetail().GetLine(0)->m_columns[0], 10);
    EXPECT_EQ(OnlyShubetsu(sample).GetDetail().GetHimokuSet().GetHimoku(0)->m_name, "材料費");

    EXPECT_EQ(copy.Copy(copy), 3);
    EXPECT_EQ(OnlyShubetsu(copy).GetDetail().GetLineCount(), 3);
}

TEST(BukakeDetail, TotalsSkipUnsetValuesAndOutOfRangeGivesZero) {
    CBukakeDetail d;
    AddLine(d, "a", {10, kUnset, 30});
    AddLine(d, "", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    AddLine(d, "c", {INT32_MAX, 0, INT32_MAX});
    EXPECT_EQ(d.GetShokushuTotal(0), 10 + 1 + int64_t{INT32_MAX});
    EXPECT_EQ(d.GetShokushuTotal(1), 2);
    EXPECT_EQ(d.GetShokushuTotal(9), 10);
    EXPECT_EQ(d.GetShokushuTotal(10), 0);
    EXPECT_EQ(d.GetShokushuTotal(-1), 0);
    EXPECT_EQ(d.GetLineTotal(0), 40);
    EXPECT_EQ(d.GetLineTotal(1), 55);
    EXPECT_EQ(d.GetLineTotal(2), 2 * int64_t{INT32_MAX});
    EXPECT_EQ(d.GetLineTotal(3), 0);
    EXPECT_EQ(d.GetLineTotal(-1), 0);
    EXPECT_EQ(d.GetNamedLineCount(), 2);
}

TEST(BukakeFile, LookupsTakeTheFirstMatchAndMissesGiveNull) {
    CBukakeFile f = SampleBukakeFile();
    AddGyomu(f, 1, "二つ目");
    EXPECT_EQ(f.FindGyomu(1), f.GetGyomu(0));
    EXPECT_EQ(f.FindGyomuIndex(95), 2);
    EXPECT_EQ(f.FindGyomuIndex(3), -1);
    EXPECT_EQ(f.HasGyomu(2), 1);
    EXPECT_EQ(f.HasGyomu(3), 0);
    EXPECT_EQ(f.GetBusinessGyomuCount(), 3);  // 1, 2 and the second 1; not 95
    EXPECT_EQ(f.FindKoshu(3, 101), nullptr);
    EXPECT_EQ(f.FindKoshu(1, 102), nullptr);
    EXPECT_EQ(f.FindShubetsu(1, 101, 3), nullptr);
    EXPECT_EQ(f.FindShubetsu(1, 101, 2)->m_name, "4級基準点測量");
    EXPECT_EQ(f.GetGyomu(4), nullptr);
    EXPECT_EQ(f.GetGyomu(-1), nullptr);
    EXPECT_EQ(f.GetNewGyomuCode(), 3);
}
