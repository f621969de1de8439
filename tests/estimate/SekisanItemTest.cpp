// Tests of estimate/SekisanItem.h.
#include <gtest/gtest.h>

#include "EstimateBuilders.h"
#include "estimate/CalcCodes.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanItem.h"
#include "platform/Archive.h"

using namespace estimate_test;
using calc::Gyomu;
using calc::Koshu;
namespace txt = estimate_texts;

namespace {

// Loads one item from bytes as a file of the given version would hold it.
CSekisanItem LoadAt(const std::string& bytes, int32_t version, size_t* left = nullptr) {
    SetSekisanLoadingVersion(version);
    CArchive ar(bytes);
    CSekisanItem item;
    item.Serialize(ar);
    if (left) *left = ar.Remaining();
    SetSekisanLoadingVersion(kSekisanFileVersion);
    return item;
}

std::string InLayout(const CSekisanItem& item, int32_t version) {
    CArchive ar;
    WriteItemInLayout(ar, item, version);
    return ar.Buffer();
}

}  // namespace

TEST(SekisanItem, NewItemHoldsTheDefaults) {
    CSekisanItem item;
    EXPECT_EQ(item.m_nGyomu, kUnset);
    EXPECT_EQ(item.m_nKoshu, kUnset);
    EXPECT_EQ(item.m_nShubetsu, kUnset);
    for (int i = 0; i < CSekisanItem::kRateSlots; ++i) {
        EXPECT_EQ(item.m_nRateCode[i], kUnset);
        EXPECT_EQ(item.m_nRateCol[i], kUnset);
        EXPECT_EQ(item.m_nRateRow[i], kUnset);
        EXPECT_EQ(item.m_nLL[i], kUnset);
    }
    for (int32_t flag : item.m_bKotei) EXPECT_EQ(flag, 0);
    EXPECT_EQ(item.m_nQuantity, kUnset);
    EXPECT_EQ(item.m_nUnitPrice, kUnset);
    EXPECT_EQ(item.m_nRounding, 0);
    EXPECT_EQ(item.m_nAmount, kUnset);
    EXPECT_EQ(item.m_nAmount2, kUnset);
    EXPECT_EQ(item.m_bSpecialExpense, 1);
    EXPECT_EQ(item.m_bSummary, 0);
    EXPECT_EQ(item.m_bNoPrint, 0);
    EXPECT_EQ(item.m_nRate, kUnset);
    EXPECT_EQ(item.m_nWeightAverage, kUnset);
    EXPECT_EQ(item.m_nDaikaNo, kUnset);
    EXPECT_EQ(item.m_nYearCode, kUnset);
    EXPECT_EQ(item.m_nExtraRate, kUnset);
    EXPECT_TRUE(item.m_strNameUpper.empty() && item.m_strRemarkLower.empty() && item.m_strUnit.empty());
}

TEST(SekisanItem, LevelFollowsTheCodesThatAreSet) {
    EXPECT_EQ(MakeItem(1)->GetLevel(), 0);
    EXPECT_EQ(MakeItem(95)->GetLevel(), 0);
    EXPECT_EQ(MakeItem(1, 10)->GetLevel(), 1);
    EXPECT_EQ(MakeItem(1, 10, 101)->GetLevel(), 2);
    EXPECT_EQ(MakeItem(1, kUnset, 101)->GetLevel(), -1);  // 種別 without 工種
    EXPECT_EQ(MakeItem(kUnset, 10)->GetLevel(), -1);
    EXPECT_EQ(MakeItem(kUnset, 10, 101)->GetLevel(), -1);
    EXPECT_EQ(CSekisanItem().GetLevel(), -1);
}

TEST(SekisanItem, CountsEveryNonZeroKoteiFlag) {
    CSekisanItem item;
    EXPECT_EQ(item.CountSelectedKotei(), 0);
    item.m_bKotei[0] = 1;
    item.m_bKotei[7] = 2;
    item.m_bKotei[19] = -1;
    EXPECT_EQ(item.CountSelectedKotei(), 3);
    item.m_bKotei.fill(1);
    EXPECT_EQ(item.CountSelectedKotei(), 20);
}

TEST(SekisanItem, CopyTakesEveryFieldAndStaysIndependent) {
    CSekisanItem source, copy;
    FillEveryField(source, 3);
    const int32_t ninthLL = source.m_nLL[8];
    copy.Copy(source);
    EXPECT_TRUE(SameItem(copy, source));
    copy.m_nLL[8] = 1;
    copy.m_strRemarkLower = "変更";
    EXPECT_FALSE(SameItem(copy, source));
    EXPECT_EQ(source.m_nLL[8], ninthLL);
    EXPECT_EQ(source.m_strRemarkLower, "摘要下3");
}

TEST(SekisanItem, StoresSeventySevenIntegersAndFiveTexts) {
    CSekisanItem item;
    item.m_nGyomu = 1;
    item.m_nExtraRate = 0x01020304;
    CArchive ar;
    item.Serialize(ar);
    const std::string& bytes = ar.Buffer();
    ASSERT_EQ(bytes.size(), 77u * 4 + 5);
    EXPECT_EQ(bytes.size(), CSekisanItem::MinStoredBytes(104));
    EXPECT_EQ(Hex(bytes.substr(0, 12)), "01 00 00 00 00 00 00 80 00 00 00 80");
    EXPECT_EQ(Hex(bytes.substr(bytes.size() - 4)), "04 03 02 01");
    // The program's writer and the independent layout writer agree.
    EXPECT_EQ(Hex(bytes), Hex(InLayout(item, 104)));

    FillEveryField(item, 7);
    CArchive full;
    item.Serialize(full);
    EXPECT_EQ(Hex(full.Buffer()), Hex(InLayout(item, 104)));
}

TEST(SekisanItem, MinimumSizeFollowsTheVersion) {
    EXPECT_EQ(CSekisanItem::MinStoredBytes(105), 313u);
    EXPECT_EQ(CSekisanItem::MinStoredBytes(103), 313u);
    EXPECT_EQ(CSekisanItem::MinStoredBytes(102), 297u);  // 8 slots: 4 integers fewer
    EXPECT_EQ(CSekisanItem::MinStoredBytes(101), 293u);  // and no extra rate
}

TEST(SekisanItem, CurrentLayoutReadsBackEveryField) {
    CSekisanItem item;
    FillEveryField(item, 5);
    CArchive ar;
    item.Serialize(ar);
    size_t left = 1;
    CSekisanItem back = LoadAt(ar.Buffer(), 104, &left);
    EXPECT_EQ(left, 0u);
    EXPECT_TRUE(SameItem(back, item));
}

TEST(SekisanItem, Version102ReadsEightSlotsAndTheExtraRate) {
    CSekisanItem item;
    FillEveryField(item, 2);
    size_t left = 1;
    CSekisanItem back = LoadAt(InLayout(item, 102), 102, &left);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(back.m_nRateCode[8], kUnset);
    EXPECT_EQ(back.m_nRateCol[8], kUnset);
    EXPECT_EQ(back.m_nRateRow[8], kUnset);
    EXPECT_EQ(back.m_nLL[8], kUnset);
    EXPECT_EQ(back.m_nExtraRate, item.m_nExtraRate);
    back.m_nRateCode[8] = item.m_nRateCode[8];
    back.m_nRateCol[8] = item.m_nRateCol[8];
    back.m_nRateRow[8] = item.m_nRateRow[8];
    back.m_nLL[8] = item.m_nLL[8];
    EXPECT_TRUE(SameItem(back, item));
}

TEST(SekisanItem, Version101ReadsNoExtraRate) {
    CSekisanItem item;
    FillEveryField(item, 4);
    size_t left = 1;
    CSekisanItem back = LoadAt(InLayout(item, 101), 101, &left);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(back.m_nExtraRate, kUnset);
    EXPECT_EQ(back.m_nLL[8], kUnset);
    EXPECT_EQ(back.m_nLL[7], item.m_nLL[7]);
    EXPECT_EQ(back.m_nYearCode, item.m_nYearCode);
}

TEST(SekisanItem, TruncatedItemThrows) {
    CSekisanItem item;
    FillEveryField(item, 1);
    const std::string bytes = InLayout(item, 104);
    for (size_t cut : {size_t{0}, size_t{3}, size_t{100}, bytes.size() - 1}) {
        SetSekisanLoadingVersion(104);
        CArchive ar(bytes.substr(0, cut));
        CSekisanItem back;
        EXPECT_THROW(back.Serialize(ar), CArchiveException) << cut;
    }
    SetSekisanLoadingVersion(kSekisanFileVersion);
}

// Load-time adjustment of the 諸経費 rows.
struct OverheadCase {
    int32_t version, gyomu, koshu, shubetsu, yearIn;
    const char* lowerIn;
    int32_t keepIn;
    int32_t yearOut;
    const char* lowerOut;
    int32_t keepOut;
};

void PrintTo(const OverheadCase& c, std::ostream* os) {
    *os << "version " << c.version << " gyomu " << c.gyomu << " koshu " << c.koshu << " year " << c.yearIn
        << " keep " << c.keepIn << (*c.lowerIn ? " with remark" : "");
}

class OverheadRowMigration : public ::testing::TestWithParam<OverheadCase> {};

TEST_P(OverheadRowMigration, AdjustsYearAndRemark) {
    const OverheadCase& c = GetParam();
    auto item = MakeItem(c.gyomu, c.koshu, c.shubetsu);
    item->m_nYearCode = c.yearIn;
    item->m_strRemarkLower = c.lowerIn;
    item->m_bKeepRemarkLower = c.keepIn;
    item->m_nExtraRate = 777;
    CSekisanItem back = LoadAt(InLayout(*item, c.version), c.version);
    EXPECT_EQ(back.m_nYearCode, c.yearOut);
    EXPECT_EQ(back.m_strRemarkLower, c.lowerOut);
    EXPECT_EQ(back.m_bKeepRemarkLower, c.keepOut);
    EXPECT_EQ(back.m_nExtraRate, c.version > 101 ? 777 : kUnset);  // read after the adjustment
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverheadRowMigration,
    ::testing::Values(
        // Up to 1.03: 工種 93 of 業務 1, 6, 4 takes the 平成26年度 table whatever its year code.
        OverheadCase{103, Gyomu::Sokuryo, Koshu::Shokeihi, kUnset, 30104, "", 0, 30100, txt::ShokeihiRateH26, 1},
        OverheadCase{103, Gyomu::Sokuryo, Koshu::Shokeihi, kUnset, kUnset, "利用者の摘要", 0, 30100, "利用者の摘要", 0},
        OverheadCase{103, Gyomu::Sokuryo, Koshu::Shokeihi, kUnset, 30101, "", 1, 30100, "", 1},
        OverheadCase{101, Gyomu::KukakuSokuryo, Koshu::Shokeihi, 5, 30000, "", 0, 30100, txt::ShokeihiRateH26, 1},
        OverheadCase{102, Gyomu::DoshitsuIppan, Koshu::Shokeihi, kUnset, kUnset, "", 0, 30100, txt::ShokeihiRateH26, 1},
        OverheadCase{103, Gyomu::Sekkei, Koshu::Shokeihi, kUnset, 30101, "", 0, 30101, "", 0},
        OverheadCase{103, Gyomu::Sokuryo, Koshu::GijutsuKeihi, kUnset, 30101, "", 0, 30101, "", 0},
        // From 1.04: the year code stays; an empty, free lower 摘要 names the table.
        OverheadCase{104, Gyomu::DoshitsuIppan, Koshu::Shokeihi, kUnset, 30101, "", 0, 30101, txt::ShokeihiRateH27, 1},
        OverheadCase{104, Gyomu::DoshitsuIppan, Koshu::Shokeihi, kUnset, 30102, "", 0, 30102, txt::ShokeihiRateH29, 1},
        OverheadCase{104, Gyomu::DoshitsuIppan, Koshu::Shokeihi, 3, 30103, "", 0, 30103, txt::ShokeihiRateR5, 1},
        OverheadCase{104, Gyomu::DoshitsuIppan, Koshu::Shokeihi, kUnset, 30104, "", 0, 30104, "", 0},
        OverheadCase{104, Gyomu::DoshitsuIppan, Koshu::Shokeihi, kUnset, 30102, "手入力", 0, 30102, "手入力", 0},
        OverheadCase{104, Gyomu::Sokuryo, Koshu::Shokeihi, kUnset, 30101, "", 0, 30101, txt::ShokeihiRateR6, 1},
        OverheadCase{105, Gyomu::KukakuSokuryo, Koshu::Shokeihi, kUnset, 30101, "", 0, 30101, txt::ShokeihiRateR6, 1},
        OverheadCase{104, Gyomu::Sokuryo, Koshu::Shokeihi, kUnset, 30102, "", 0, 30102, "", 0},
        OverheadCase{104, Gyomu::KukakuSokuryo, Koshu::Shokeihi, kUnset, 30101, "", 1, 30101, "", 1},
        // 工種 916 of 業務 2, 5, 3, 7 up to 1.03.
        OverheadCase{103, Gyomu::Sekkei, Koshu::IppanKanrihi, kUnset, 30103, "", 0, 30100, txt::IppanRateH26, 1},
        OverheadCase{101, Gyomu::KukakuSekkei, Koshu::IppanKanrihi, 4, kUnset, "", 0, 30100, txt::IppanRateH26, 1},
        OverheadCase{103, Gyomu::DoshitsuKaiseki, Koshu::IppanKanrihi, kUnset, kUnset, "手入力", 0, 30100, "手入力", 0},
        OverheadCase{103, Gyomu::Bukken, Koshu::IppanKanrihi, kUnset, kUnset, "", 1, 30100, "", 1},
        OverheadCase{104, Gyomu::Sekkei, Koshu::IppanKanrihi, kUnset, 30103, "", 0, 30103, "", 0},
        OverheadCase{103, Gyomu::Sokuryo, Koshu::IppanKanrihi, kUnset, 30103, "", 0, 30103, "", 0}));

namespace {

// One item written out by hand, row by row in stream order. nineSlots: the rate codes, cells and
// LL values have a ninth slot (files from 1.03); extraRate: the extra rate ends the item (from 1.02).
std::string HandWrittenItem(bool nineSlots, bool extraRate) {
    std::string h;
    h += "01 00 00 00 0A 00 00 00 65 00 00 00 ";  // 業務 1, 工種 10, 種別 101
    h += "11 00 00 00 12 00 00 00 13 00 00 00 14 00 00 00 15 00 00 00 16 00 00 00 17 00 00 00 18 00 00 00 ";
    if (nineSlots) h += "19 00 00 00 ";  // rate codes
    h += "21 00 00 00 31 00 00 00 22 00 00 00 32 00 00 00 23 00 00 00 33 00 00 00 24 00 00 00 34 00 00 00 "
         "25 00 00 00 35 00 00 00 26 00 00 00 36 00 00 00 27 00 00 00 37 00 00 00 28 00 00 00 38 00 00 00 ";
    if (nineSlots) h += "29 00 00 00 39 00 00 00 ";  // table cells: column, row per slot
    h += "01 41 01 B1 ";                              // name "A" / "ｱ"
    h += "01 00 00 00 00 00 00 00 ";                  // upper name edited, lower not
    h += "02 8E AE ";                                 // unit "式"
    h += "DC 05 00 00 3A E2 01 00 03 00 00 00 ";      // quantity 1.500, unit price 12345.0, rounding 3
    h += "56 48 00 00 00 00 00 80 ";                  // amount 18518, second amount unset
    h += "00 01 42 ";                                 // 摘要 "" / "B"
    h += "00 00 00 00 01 00 00 00 ";                  // keep upper 0, keep lower 1
    h += "00 00 00 00 01 00 00 00 00 00 00 00 ";      // amount entered 0, summary 1, special expense 無
    h += "1C 25 00 00 ";                              // rate 0.9500
    h += "41 00 00 00 42 00 00 00 43 00 00 00 44 00 00 00 45 00 00 00 46 00 00 00 47 00 00 00 48 00 00 00 ";
    if (nineSlots) h += "49 00 00 00 ";  // LL values
    h += "01 00 00 00 ";                 // 工程 1 selected, 2..19 not, 20 selected
    for (int i = 0; i < 18; ++i) h += "00 00 00 00 ";
    h += "01 00 00 00 ";
    h += "01 00 00 00 C4 09 00 00 07 00 00 00 30 75 00 00 ";  // 印刷無, 重量平均値 2.500, 代価 7, year 30000
    if (extraRate) h += "FA 00 00 00";                         // extra rate 0.0250
    return FromHex(h);
}

void ExpectHandWrittenValues(const CSekisanItem& item, int slots) {
    EXPECT_EQ(item.m_nGyomu, 1);
    EXPECT_EQ(item.m_nKoshu, 10);
    EXPECT_EQ(item.m_nShubetsu, 101);
    for (int i = 0; i < slots; ++i) {
        EXPECT_EQ(item.m_nRateCode[i], 0x11 + i);
        EXPECT_EQ(item.m_nRateCol[i], 0x21 + i);
        EXPECT_EQ(item.m_nRateRow[i], 0x31 + i);
        EXPECT_EQ(item.m_nLL[i], 0x41 + i);
    }
    EXPECT_EQ(item.m_strNameUpper, "A");
    EXPECT_EQ(item.m_strNameLower, "ｱ");
    EXPECT_EQ(item.m_bNameUpperEdited, 1);
    EXPECT_EQ(item.m_bNameLowerEdited, 0);
    EXPECT_EQ(item.m_strUnit, "式");
    EXPECT_EQ(item.m_nQuantity, 1500);
    EXPECT_EQ(item.m_nUnitPrice, 123450);
    EXPECT_EQ(item.m_nRounding, 3);
    EXPECT_EQ(item.m_nAmount, 18518);
    EXPECT_EQ(item.m_nAmount2, kUnset);
    EXPECT_EQ(item.m_strRemarkUpper, "");
    EXPECT_EQ(item.m_strRemarkLower, "B");
    EXPECT_EQ(item.m_bKeepRemarkUpper, 0);
    EXPECT_EQ(item.m_bKeepRemarkLower, 1);
    EXPECT_EQ(item.m_bAmountEntered, 0);
    EXPECT_EQ(item.m_bSummary, 1);
    EXPECT_EQ(item.m_bSpecialExpense, 0);
    EXPECT_EQ(item.m_nRate, 9500);
    EXPECT_EQ(item.CountSelectedKotei(), 2);
    EXPECT_EQ(item.m_bKotei[0], 1);
    EXPECT_EQ(item.m_bKotei[19], 1);
    EXPECT_EQ(item.m_bNoPrint, 1);
    EXPECT_EQ(item.m_nWeightAverage, 2500);
    EXPECT_EQ(item.m_nDaikaNo, 7);
    EXPECT_EQ(item.m_nYearCode, 30000);
}

}  // namespace

TEST(SekisanItem, HandWrittenVersion104ItemReadsAndWritesByteForByte) {
    const std::string bytes = HandWrittenItem(true, true);
    ASSERT_EQ(bytes.size(), 77u * 4 + 2 + 2 + 3 + 1 + 2);
    size_t left = 1;
    CSekisanItem item = LoadAt(bytes, 104, &left);
    EXPECT_EQ(left, 0u);
    ExpectHandWrittenValues(item, 9);
    EXPECT_EQ(item.m_nExtraRate, 250);

    CArchive ar;
    item.Serialize(ar);
    EXPECT_EQ(Hex(ar.Buffer()), Hex(bytes));
}

TEST(SekisanItem, HandWrittenOlderItemsReadTheirOwnLayout) {
    // 1.02: eight slots, then the extra rate.
    size_t left = 1;
    CSekisanItem v102 = LoadAt(HandWrittenItem(false, true), 102, &left);
    EXPECT_EQ(left, 0u);
    ExpectHandWrittenValues(v102, 8);
    EXPECT_EQ(v102.m_nRateCode[8], kUnset);
    EXPECT_EQ(v102.m_nRateCol[8], kUnset);
    EXPECT_EQ(v102.m_nRateRow[8], kUnset);
    EXPECT_EQ(v102.m_nLL[8], kUnset);
    EXPECT_EQ(v102.m_nExtraRate, 250);

    // 1.01: eight slots and no extra rate.
    CSekisanItem v101 = LoadAt(HandWrittenItem(false, false), 101, &left);
    EXPECT_EQ(left, 0u);
    ExpectHandWrittenValues(v101, 8);
    EXPECT_EQ(v101.m_nExtraRate, kUnset);

    // Written back in the current layout: the ninth slots and the extra rate as unset values.
    CArchive ar;
    v101.Serialize(ar);
    std::string expected = HandWrittenItem(true, false) + FromHex("00 00 00 80");
    const size_t ninthCode = 12 + 8 * 4, ninthCell = 12 + 9 * 4 + 16 * 4;
    expected.replace(ninthCode, 4, FromHex("00 00 00 80"));
    expected.replace(ninthCell, 8, FromHex("00 00 00 80 00 00 00 80"));
    const size_t ninthLL = expected.size() - 4 /*extra*/ - 16 - 80 - 4;
    expected.replace(ninthLL, 4, FromHex("00 00 00 80"));
    EXPECT_EQ(Hex(ar.Buffer()), Hex(expected));
}
