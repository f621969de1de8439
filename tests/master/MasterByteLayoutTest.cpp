// Current-version files of every master written byte by byte by hand: each is loaded and its fields
// checked, then the loaded master is stored again and must give back exactly the same bytes. Every
// field has a value of its own, so a field read or written in the wrong place shows.

#include <gtest/gtest.h>

#include <cstring>

#include "ByteFixture.h"
#include "MasterBuilders.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

using namespace masterbuild;

namespace {

// Loads the bytes (which must pass the signature test) and checks that storing gives them back.
template <class Root>
Root LoadAndStoreBack(const std::string& bytes) {
    int ok = -1;
    Root root = LoadRoot<Root>(bytes, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(StoreMasterBytes(root), bytes);
    return root;
}

// An empty file older than its master's data-version gate (header and a zero count) loads with its
// version as the data version and is stored under the current version with that data version.
template <class Root>
void ExpectOldEmptyFileStoredWithItsVersionAsDataVersion(std::string_view signature, int32_t oldVersion,
                                                         int32_t currentVersion) {
    SCOPED_TRACE(oldVersion);
    Root root = LoadRoot<Root>(ByteFixture().ShortText(signature).Int(oldVersion).Int(0).Bytes());
    EXPECT_EQ(root.m_dataVersion, oldVersion);
    EXPECT_EQ(StoreMasterBytes(root),
              ByteFixture().ShortText(signature).Int(currentVersion).Int(oldVersion).Int(0).Bytes());
}

}  // namespace

TEST(MasterByteLayout, SignaturesHaveTheirFixedLengths) {
    EXPECT_EQ(kBukakeSignatureBytes.size(), 36u);
    EXPECT_EQ(kHenkaritsuSignatureBytes.size(), 38u);
    EXPECT_EQ(kTankaSignatureBytes.size(), 36u);
    EXPECT_EQ(kShokeihiSignatureBytes.size(), 38u);
    EXPECT_EQ(kProgramKingakuSignatureBytes.size(), 46u);
    EXPECT_EQ(kZairyoTankaSignatureBytes.size(), 40u);
    EXPECT_EQ(kHyoshiSignatureBytes.size(), 36u);
}

TEST(MasterByteLayout, Bukake110WithALineAndAHimokuEntry) {
    ByteFixture f;
    f.Byte(36).Raw(kBukakeSignatureBytes).Int(110).Int(2024);  // version, data version
    f.Int(1).Int(1);                                          // root split flag, 1 業務
    f.Int(4).ShortText("G4").Int(1);                          // 業務 4, 1 工種
    f.Int(201).ShortText("K").Int(1).Int(0).Int(3);           // code, name, user, split, type
    for (int i = 0; i < 10; ++i) f.Int(70 + i);               // 工種 settings
    f.Int(1);                                                 // 1 種別
    f.Int(12).ShortText("S").Int(1).Int(150).Int(2).Int(0);   // code, name, user, coefficient, 電子, conventional
    f.ShortText("H1*S1");                                     // 式
    for (int i = 0; i < 8; ++i) f.Int(11 + i);                // H1..H8
    f.Int(250).ShortText("m");                                // quantity, unit
    for (int i = 0; i < 10; ++i) f.Int(1000 + i);             // 職種 columns
    f.Int(301).Int(302).Int(303);                             // rates
    f.Int(44).Int(1).Int(2).Int(1);                           // F4, プログラム金額, 歩掛 type, auxiliary flag
    for (int i = 0; i < 8; ++i) f.ShortText(std::string(1, static_cast<char>('a' + i)));  // S1..S8
    f.ShortText("h").Int(0).Int(1500);                        // text H, 費目 mode, material
    f.Int(1);                                                 // 1 line
    f.Int(7).ShortText("L").Int(8);                           // setting, name, value
    for (int i = 0; i < 10; ++i) f.Int(500 + i);              // column values
    f.Int(61).Int(62).Int(63).Int(64).Int(65).Int(66).Int(67);  // 費目 set: setting, 3 bases, 3 rates
    f.Int(1).Int(91).Int(92).Int(93).ShortText("E");          // 1 費目 entry

    CBukakeFile file = LoadAndStoreBack<CBukakeFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 2024);
    EXPECT_EQ(file.m_splitFlag, 1);
    const CBukakeKoshu& k = *file.FindKoshu(4, 201);
    EXPECT_EQ(k.m_userCreated, 1);
    EXPECT_EQ(k.m_splitFlag, 0);
    EXPECT_EQ(k.m_koshuType, 3);
    EXPECT_EQ(k.m_settings[0], 70);
    EXPECT_EQ(k.m_settings[9], 79);
    const CBukakeShubetsu& s = *file.FindShubetsu(4, 201, 12);
    EXPECT_EQ(s.m_coefficient, 150);
    EXPECT_EQ(s.m_denshiKind, 2);
    EXPECT_EQ(s.m_conventional, 0);
    const CBukakeDetail& d = s.GetDetail();
    EXPECT_EQ(d.m_formula, "H1*S1");
    EXPECT_EQ(d.m_henkaritsu[0], 11);
    EXPECT_EQ(d.m_henkaritsu[7], 18);
    EXPECT_EQ(d.m_quantity, 250);
    EXPECT_EQ(d.m_unit, "m");
    EXPECT_EQ(d.m_shokushu[9], 1009);
    EXPECT_EQ(d.m_rates[2], 303);
    EXPECT_EQ(d.m_settingF4, 44);
    EXPECT_EQ(d.m_programKingaku, 1);
    EXPECT_EQ(d.m_bukakeType, 2);
    EXPECT_EQ(d.m_useAuxiliary, 1);
    EXPECT_EQ(d.m_auxiliary[7], "h");
    EXPECT_EQ(d.m_textH, "h");
    EXPECT_EQ(d.m_himokuMode, 0);
    EXPECT_EQ(d.m_zairyoId, 1500);
    ASSERT_EQ(d.GetLineCount(), 1);
    EXPECT_EQ(d.GetLine(0)->m_setting, 7);
    EXPECT_EQ(d.GetLine(0)->m_value, 8);
    EXPECT_EQ(d.GetLine(0)->m_columns[9], 509);
    const CBukakeHimokuSet& hs = d.GetHimokuSet();
    EXPECT_EQ(hs.m_setting, 61);
    EXPECT_EQ(hs.m_bases[0], 62);
    EXPECT_EQ(hs.m_rates[2], 67);
    ASSERT_EQ(hs.GetHimokuCount(), 1);
    EXPECT_EQ(hs.GetHimoku(0)->m_values[2], 93);
    EXPECT_EQ(hs.GetHimoku(0)->m_name, "E");
}

TEST(MasterByteLayout, Henkaritsu103WithAuxiliaryFormulas) {
    ByteFixture f;
    f.Byte(38).Raw(kHenkaritsuSignatureBytes).Int(103).Int(5);
    f.Int(1).Int(2).ShortText("G").Int(1);        // 1 group: code 2, 1 record
    f.Int(1001).ShortText("R").Int(1);            // code, name, user flag
    f.ShortText("c1").EmptyTexts(15);             // column headings
    f.EmptyTexts(31).ShortText("r32");            // row headings
    f.Int(0).Int(3).Int(4).Int(1);                // type, standard column and row, 区分率
    for (int i = 0; i < 512; ++i) f.Int(i);       // table, column by column
    f.Int(1).ShortText("LL+S1").ShortText("FN").ShortText("m");  // mode, formula, formula name, unit
    f.ShortText("rem").Int(12500).Int(1);         // remarks, LL default, auxiliary flag
    f.ShortText("s1").EmptyTexts(7);              // range starts
    f.EmptyTexts(7).ShortText("e8");              // range ends
    f.ShortText("LL*2").EmptyTexts(7);            // formulas
    f.ShortText("1");                             // default auxiliary formula

    CHenkaritsuFile file = LoadAndStoreBack<CHenkaritsuFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 5);
    const CHenkaritsuRecord& r = *file.GetGyomu(0)->GetRecord(0);
    EXPECT_EQ(r.m_code, 1001);
    EXPECT_EQ(r.m_userCreated, 1);
    EXPECT_EQ(r.m_columnTitles[0], "c1");
    EXPECT_EQ(r.m_rowTitles[31], "r32");
    EXPECT_EQ(r.m_type, 0);
    EXPECT_EQ(r.m_standardColumn, 3);
    EXPECT_EQ(r.m_standardRow, 4);
    EXPECT_EQ(r.m_kubunFlag, 1);
    EXPECT_EQ(r.GetCell(1, 32), 31);
    EXPECT_EQ(r.GetCell(2, 1), 32);
    EXPECT_EQ(r.GetCell(16, 32), 511);
    EXPECT_EQ(r.m_mode, 1);
    EXPECT_EQ(r.m_formulaName, "FN");
    EXPECT_EQ(r.m_remarks, "rem");
    EXPECT_EQ(r.m_llDefault, 12500);
    EXPECT_EQ(r.m_useAuxiliary, 1);
    EXPECT_EQ(r.m_auxStart[0], "s1");
    EXPECT_EQ(r.m_auxEnd[7], "e8");
    EXPECT_EQ(r.m_auxFormula[0], "LL*2");
    EXPECT_EQ(r.m_defaultAuxFormula, "1");
}

TEST(MasterByteLayout, Tanka104) {
    ByteFixture f;
    f.Byte(36).Raw(kTankaSignatureBytes).Int(104).Int(9);
    f.ShortText("100").EmptyTexts(6).ShortText("FAX");  // company block: 郵便番号 .. FAX
    f.Int(0).Int(1).Int(19).Int(1003);                  // footer, travel flag, default column, travel trade
    f.ShortText("T0").EmptyTexts(18).ShortText("T19");  // column titles
    f.Int(1000);                                        // consumption tax
    f.Int(1);                                           // 1 row
    f.Int(1003).Int(2).ShortText("\x90\x6c").ShortText("N").Int(1);  // id, setting, unit "人", name, kind
    for (int i = 0; i < 20; ++i) f.Int(20000 + i);      // prices
    f.ShortText("rem").Int(77).ShortText("sp");         // remarks, related number, spare text

    CTankaFile file = LoadAndStoreBack<CTankaFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 9);
    EXPECT_EQ(file.m_company[0], "100");
    EXPECT_EQ(file.m_company[7], "FAX");
    EXPECT_EQ(file.m_footerFlag, 0);
    EXPECT_EQ(file.m_travelFlag, 1);
    EXPECT_EQ(file.m_defaultColumn, 19);
    EXPECT_EQ(file.m_travelTrade, 1003);
    EXPECT_EQ(file.m_columnTitles[19], "T19");
    EXPECT_EQ(file.m_consumptionTax, 1000);
    const CTankaRow& r = *file.GetRow(0);
    EXPECT_EQ(r.m_id, 1003);
    EXPECT_EQ(r.m_setting, 2);
    EXPECT_EQ(r.m_unit, "人");
    EXPECT_EQ(r.m_kind, 1);
    EXPECT_EQ(r.m_prices[0], 20000);
    EXPECT_EQ(r.m_prices[19], 20019);
    EXPECT_EQ(r.m_related, 77);
    EXPECT_EQ(r.m_spare, "sp");
}

TEST(MasterByteLayout, ZairyoTanka102) {
    ByteFixture f;
    f.Byte(40).Raw(kZairyoTankaSignatureBytes).Int(102).Int(3).ShortText("title");
    f.Int(1).Int(1500).Int(0).Int(5);                          // 1 item: id, setting, kind
    f.ShortText("N").ShortText("SP").ShortText("u");           // 品名, 規格, 単位
    f.Raw(std::string_view("\x00\x00\x00\x00\x00\x4a\x93\x40", 8));  // price 1234.5
    f.ShortText("rem").ShortText("x");                         // remarks, extra text

    CZairyoTankaFile file = LoadAndStoreBack<CZairyoTankaFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 3);
    EXPECT_EQ(file.m_title, "title");
    const CZairyoTankaItem& it = *file.GetItem(0);
    EXPECT_EQ(it.m_id, 1500);
    EXPECT_EQ(it.m_setting, 0);
    EXPECT_EQ(it.m_kind, 5);
    EXPECT_EQ(it.m_spec, "SP");
    EXPECT_EQ(it.m_unit, "u");
    EXPECT_EQ(it.m_price, 1234.5);
    EXPECT_EQ(it.m_remarks, "rem");
    EXPECT_EQ(it.m_extra, "x");
}

TEST(MasterByteLayout, Shokeihi102AndProgramKingaku101) {
    ByteFixture s;
    s.Byte(38).Raw(kShokeihiSignatureBytes).Int(102).Int(4);
    s.Int(1).Int(3).ShortText("G3").Int(1250);  // 1 record: 業務 code, name, rate
    CShokeihiFile shokeihi = LoadAndStoreBack<CShokeihiFile>(s.Bytes());
    EXPECT_EQ(shokeihi.m_dataVersion, 4);
    EXPECT_EQ(shokeihi.GetRecord(0)->m_code, 3);
    EXPECT_EQ(shokeihi.GetRecord(0)->m_name, "G3");
    EXPECT_EQ(shokeihi.GetRecord(0)->m_rate, 1250);

    ByteFixture p;
    p.Byte(46).Raw(kProgramKingakuSignatureBytes).Int(101).Int(6);
    p.Int(1).Int(42).ShortText("P1").ShortText("P2").ShortText("C1").ShortText("C2").Int(30000);
    CProgramKingakuFile program = LoadAndStoreBack<CProgramKingakuFile>(p.Bytes());
    EXPECT_EQ(program.m_dataVersion, 6);
    const CProgramKingakuRecord& r = *program.GetRecord(0);
    EXPECT_EQ(r.m_code, 42);
    EXPECT_EQ(r.m_name1, "P1");
    EXPECT_EQ(r.m_name2, "P2");
    EXPECT_EQ(r.m_condition1, "C1");
    EXPECT_EQ(r.m_condition2, "C2");
    EXPECT_EQ(r.m_fee, 30000);
}

TEST(MasterByteLayout, OldSmallMastersTakeTheirVersionAsDataVersion) {
    // 1.01 files of 諸経費 and 材料単価 and a 1.00 プログラム金額 file carry no data version.
    ExpectOldEmptyFileStoredWithItsVersionAsDataVersion<CShokeihiFile>(kShokeihiSignatureBytes, 101, 102);
    ExpectOldEmptyFileStoredWithItsVersionAsDataVersion<CProgramKingakuFile>(kProgramKingakuSignatureBytes, 100, 101);

    ByteFixture z;
    z.Byte(40).Raw(kZairyoTankaSignatureBytes).Int(101).ShortText("t").Int(0);
    CZairyoTankaFile zairyo = LoadRoot<CZairyoTankaFile>(z.Bytes());
    EXPECT_EQ(zairyo.m_dataVersion, 101);
    EXPECT_EQ(zairyo.m_title, "t");

    ByteFixture t;
    t.Byte(36).Raw(kTankaSignatureBytes).Int(102).EmptyTexts(8).Int(1).Int(0).Int(0).Int(0).EmptyTexts(20).Int(800);
    t.Int(1).Int(1000).Int(0).ShortText("u").ShortText("n").Int(0).Ints(5, 20).ShortText("r");  // no fields 8, 9
    CTankaFile tanka = LoadRoot<CTankaFile>(t.Bytes());
    EXPECT_EQ(tanka.m_dataVersion, 102);
    EXPECT_EQ(tanka.m_consumptionTax, 800);
    ASSERT_EQ(tanka.GetCount(), 1);
    EXPECT_EQ(tanka.GetRow(0)->m_remarks, "r");
    EXPECT_EQ(tanka.GetRow(0)->m_related, kUnset);
    EXPECT_EQ(tanka.GetRow(0)->m_spare, "");
}

namespace {

// The signature and the file version of a 歩掛 file.
ByteFixture BukakeSignatureAndVersion(int32_t version) {
    ByteFixture f;
    f.Byte(36).Raw(kBukakeSignatureBytes).Int(version);
    return f;
}

// The start of a detail, the same in every version: 式, H1..H8, quantity, unit, 職種, rates, F4,
// プログラム金額, 歩掛 type.
ByteFixture& DetailStart(ByteFixture& f) {
    f.ShortText("2").Ints(21, 8).Int(300).ShortText("u").Ints(1001, 10).Ints(50, 3);
    return f.Int(6).Int(1).Int(3);
}

}  // namespace

// The intermediate 歩掛 layouts written out by hand: each gate opens at its own version.
TEST(MasterByteLayout, BukakeIntermediateVersions) {
    // 1.05: data version, auxiliary formulas and 費目 settings; no split flags, no 工種 type or
    // settings, no 種別 電子成果品作成費種類 or method flag, no material reference.
    ByteFixture v105 = BukakeSignatureAndVersion(105);
    v105.Int(55);                                         // data version
    v105.Int(1).Int(1).ShortText("").Int(1);              // 1 業務: code 1, 1 工種
    v105.Int(101).ShortText("").Int(0).Int(1);            // 工種: code, name, user flag, 1 種別
    v105.Int(1).ShortText("").Int(0).Int(120);            // 種別: code, name, user flag, coefficient
    DetailStart(v105);
    v105.Int(1).ShortText("S1").EmptyTexts(7).ShortText("H").Int(0);  // auxiliary flag, S1..S8, H, 費目 mode
    v105.Int(8);                                          // eight lines, which stay eight from 1.05 on
    for (int i = 0; i < 8; ++i) v105.Int(1).ShortText("").Int(0).Ints(kUnset, 10);
    v105.Int(9).Ints(8, 6).Int(0);                        // 費目 settings, no entries
    CBukakeFile f105 = LoadRoot<CBukakeFile>(v105.Bytes());
    EXPECT_EQ(f105.m_dataVersion, 55);
    EXPECT_EQ(f105.m_splitFlag, 1);
    const CBukakeKoshu& k105 = *f105.FindKoshu(1, 101);
    EXPECT_EQ(k105.m_splitFlag, 1);
    EXPECT_EQ(k105.m_koshuType, 4);
    const CBukakeShubetsu& s105 = *f105.FindShubetsu(1, 101, 1);
    EXPECT_EQ(s105.m_coefficient, 120);
    EXPECT_EQ(s105.m_denshiKind, 4);
    EXPECT_EQ(s105.m_conventional, 1);
    const CBukakeDetail& d105 = s105.GetDetail();
    EXPECT_EQ(d105.m_bukakeType, 3);
    EXPECT_EQ(d105.m_useAuxiliary, 1);
    EXPECT_EQ(d105.m_auxiliary[0], "S1");
    EXPECT_EQ(d105.m_textH, "H");
    EXPECT_EQ(d105.m_himokuMode, 0);
    EXPECT_EQ(d105.m_zairyoId, kUnset);
    EXPECT_EQ(d105.GetLineCount(), 8);
    EXPECT_EQ(d105.GetHimokuSet().m_setting, 9);
    EXPECT_EQ(d105.GetHimokuSet().m_rates[2], 8);

    // 1.07: material reference and 電子成果品作成費種類 are read; the 工種 type becomes 0.
    ByteFixture v107 = BukakeSignatureAndVersion(107);
    v107.Int(57).Int(1).Int(1).ShortText("").Int(1);
    v107.Int(101).ShortText("").Int(0).Int(1);
    v107.Int(1).ShortText("").Int(0).Int(120).Int(2);     // ... coefficient, 電子成果品作成費種類
    DetailStart(v107);
    v107.Int(0).EmptyTexts(8).ShortText("").Int(1).Int(1500);  // ..., 費目 mode, material reference
    v107.Int(0).Int(kUnset).Ints(kUnset, 6).Int(0);       // no lines; 費目 settings, no entries
    CBukakeFile f107 = LoadRoot<CBukakeFile>(v107.Bytes());
    EXPECT_EQ(f107.m_splitFlag, 1);
    EXPECT_EQ(f107.FindKoshu(1, 101)->m_splitFlag, 1);
    EXPECT_EQ(f107.FindKoshu(1, 101)->m_koshuType, 0);
    EXPECT_EQ(f107.FindShubetsu(1, 101, 1)->m_denshiKind, 2);
    EXPECT_EQ(f107.FindShubetsu(1, 101, 1)->m_conventional, 1);
    EXPECT_EQ(f107.FindShubetsu(1, 101, 1)->GetDetail().m_zairyoId, 1500);

    // 1.09: split flags, method flag and 工種 type are read; the ten 工種 settings are not.
    ByteFixture v109 = BukakeSignatureAndVersion(109);
    v109.Int(59).Int(0).Int(1).Int(1).ShortText("").Int(1);  // data version, root split flag 0, 1 業務
    v109.Int(101).ShortText("").Int(0).Int(0).Int(5).Int(1);  // 工種: ..., split flag, type, 1 種別
    v109.Int(1).ShortText("").Int(0).Int(120).Int(2).Int(0);  // 種別: ..., 電子, method flag
    DetailStart(v109);
    v109.Int(0).EmptyTexts(8).ShortText("").Int(1).Int(kUnset);
    v109.Int(0).Int(kUnset).Ints(kUnset, 6).Int(0);
    CBukakeFile f109 = LoadRoot<CBukakeFile>(v109.Bytes());
    EXPECT_EQ(f109.m_splitFlag, 0);
    const CBukakeKoshu& k109 = *f109.FindKoshu(1, 101);
    EXPECT_EQ(k109.m_splitFlag, 0);
    EXPECT_EQ(k109.m_koshuType, 5);
    EXPECT_EQ(k109.m_settings, (std::array<int32_t, 10>{}));
    EXPECT_EQ(f109.FindShubetsu(1, 101, 1)->m_conventional, 0);

    // Stored again, 1.09 becomes the current layout: the settings sit between the type and the
    // 種別 count.
    ByteFixture v110 = BukakeSignatureAndVersion(110);
    v110.Int(59).Int(0).Int(1).Int(1).ShortText("").Int(1);
    v110.Int(101).ShortText("").Int(0).Int(0).Int(5).Ints(0, 10).Int(1);
    v110.Int(1).ShortText("").Int(0).Int(120).Int(2).Int(0);
    DetailStart(v110);
    v110.Int(0).EmptyTexts(8).ShortText("").Int(1).Int(kUnset);
    v110.Int(0).Int(kUnset).Ints(kUnset, 6).Int(0);
    EXPECT_EQ(StoreMasterBytes(f109), v110.Bytes());
}

TEST(MasterByteLayout, ZairyoTanka100ItemHasNoExtraText) {
    ByteFixture f;
    f.Byte(40).Raw(kZairyoTankaSignatureBytes).Int(100).ShortText("t");  // no data version
    f.Int(2).Int(1000).Int(1).Int(2).ShortText("A").ShortText("").ShortText("").Raw(std::string(8, '\0'));
    f.ShortText("r1");                                    // remarks; no extra text before 1.01
    f.Int(1001).Int(1).Int(3).ShortText("B").ShortText("").ShortText("").Raw(std::string(8, '\0'));
    f.ShortText("r2");
    CZairyoTankaFile file = LoadRoot<CZairyoTankaFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 100);
    ASSERT_EQ(file.GetCount(), 2);
    EXPECT_EQ(file.GetItem(0)->m_remarks, "r1");
    EXPECT_EQ(file.GetItem(0)->m_extra, "");
    EXPECT_EQ(file.GetItem(0)->m_price, 0.0);
    EXPECT_EQ(file.GetItem(1)->m_id, 1001);
    EXPECT_EQ(file.GetItem(1)->m_kind, 3);
    EXPECT_EQ(file.GetItem(1)->m_remarks, "r2");
}

TEST(MasterByteLayout, Henkaritsu102HasRemarksButNoAuxiliaryFormulas) {
    ByteFixture f;
    f.Byte(38).Raw(kHenkaritsuSignatureBytes).Int(102).Int(8);  // from 1.02 with a data version
    f.Int(1).Int(4).ShortText("G").Int(2);
    for (int32_t code : {1, 2}) {
        f.Int(code).ShortText("R").Int(0).EmptyTexts(48).Int(1).Int(1).Int(1).Int(0);
        f.Ints(1000, 512).Int(0).ShortText("").ShortText("").ShortText("");
        f.ShortText("note").Int(code * 10000);            // remarks, LL default
    }
    CHenkaritsuFile file = LoadRoot<CHenkaritsuFile>(f.Bytes());
    EXPECT_EQ(file.m_dataVersion, 8);
    const CHenkaritsuGyomu& g = *file.FindGyomu(4);
    ASSERT_EQ(g.GetSize(), 2);
    EXPECT_EQ(g.GetRecord(1)->m_code, 2);
    EXPECT_EQ(g.GetRecord(1)->m_remarks, "note");
    EXPECT_EQ(g.GetRecord(1)->m_llDefault, 20000);
    EXPECT_EQ(g.GetRecord(1)->m_useAuxiliary, 0);
    EXPECT_EQ(g.GetRecord(1)->m_defaultAuxFormula, "");
}
