// 歩掛 formula values, 変化率・補正率 values, auxiliary formulas and the helpers of the rate texts.
#include "MasterBuilders.h"
#include "PricingBuilders.h"

using namespace pricing_test;
using masterbuild::AddFormulaRecord;
using masterbuild::AddLine;
using masterbuild::AddTableRecord;

namespace {

class RateValues : public PricingTest {
protected:
    // A table record with one cell at its standard cell (1, 1).
    CHenkaritsuRecord& TableRate(int gyomu, int code, int32_t value) {
        CHenkaritsuRecord& r = AddTableRecord(RateGroup(gyomu), code, "率" + std::to_string(code));
        r.m_standardColumn = 1;
        r.m_standardRow = 1;
        r.SetCell(1, 1, value);
        return r;
    }
    // A 測量 row whose detail has the formula and the H codes given.
    int Row(const std::string& formula, std::initializer_list<int32_t> hcodes) {
        CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 1);
        d.m_formula = formula;
        size_t i = 0;
        for (int32_t c : hcodes) d.m_henkaritsu[i++] = c;
        return AddRow(Gyomu::Sokuryo, 10, 1, "基準点測量");
    }
    const CBukakeShubetsu* Master() { return env.bukake.FindShubetsu(Gyomu::Sokuryo, 10, 1); }
};

TEST_F(RateValues, ProductOfTwoTableRatesAndTheItemFactor) {
    TableRate(Gyomu::Sokuryo, 1, 1050);
    TableRate(Gyomu::Sokuryo, 2, 900);
    const int row = Row("H1*H2", {1, 2});
    // 1.050*0.900 = 0.945
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), 0.945);
    // The untouched slots took the rates' standard cells.
    EXPECT_EQ(Item(row).m_nRateCode[0], 1);
    EXPECT_EQ(Item(row).m_nRateCol[1], 1);
    EXPECT_EQ(Item(row).m_nRateRow[1], 1);
    // factor 12000: 1.2 × 0.945 = 1.134
    Item(row).m_nLL[8] = 12000;
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), 1.134);
    // Types 3 and 4 take a line's text and no factor.
    AddLine(Detail(Gyomu::Sokuryo, 10, 1), "h2*2", {});
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 3, 0), 1.8);
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), 99, 0, 0), 0.0);
}

TEST_F(RateValues, RateFormulaWithLL) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "0.5*LL+0.2");
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 4, "0.5*ll+0.2");  // lower case is matched too
    // 0.5 × 2.50 + 0.2 = 1.45 → 1450
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 3, 0, 0, 25000), 1450);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 4, 0, 0, 25000), 1450);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 3, 0, 0, kUnset), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 99, 0, 0, 25000), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sekkei, 3, 0, 0, 25000), 0);
}

TEST_F(RateValues, RoundingMarkerSuppressesTheHalfUpRounding) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "LL/3");
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 4, "RD2(LL/3)");
    // LL 1.0008 is written 1.001; 1.001 / 3 = 0.33366…
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 3, 0, 0, 10008), 334);  // half up to 0.334
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 4, 0, 0, 10008), 300);  // RD2 rounds at the second decimal: 0.3
}

TEST_F(RateValues, TableCellsAreCheckedOnBothSides) {
    CHenkaritsuRecord& r = AddTableRecord(RateGroup(Gyomu::Sokuryo), 5, "表");
    r.SetCell(2, 3, 1234);
    r.SetCell(16, 32, 777);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 3, 2, kUnset), 1234);  // row 3 of column 2
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 32, 16, kUnset), 777);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 0, 2, kUnset), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 3, 17, kUnset), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 33, 2, kUnset), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, kUnset, kUnset, kUnset), 0);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 5, 4, 2, kUnset), 0);  // an unset cell
}

TEST_F(RateValues, BusinessKind5UsesTheGroupOf4) {
    TableRate(Gyomu::DoshitsuIppan, 7, 1100);
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::DoshitsuKaiseki, 7, 1, 1, kUnset), 1100);
}

TEST_F(RateValues, UnsetLLTakesTheRecordsDefaultIntoTheItem) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "LL*2", 30000);
    const int row = Row("H1", {3});
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), 6.0);  // 3.000 × 2
    EXPECT_EQ(Item(row).m_nLL[0], 30000);
    // Without a default the whole formula is 0.
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 4, "LL*2");
    const int other = Row("H1+1", {4});
    Item(other).m_nLL.fill(kUnset);
    Detail(Gyomu::Sokuryo, 10, 1).m_henkaritsu[0] = 4;
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), other, 0, 0), 0.0);
}

TEST_F(RateValues, Type2TakesOneForFormulaRates) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "LL*2", 30000);
    TableRate(Gyomu::Sokuryo, 1, 1100);
    const int row = Row("H1*H2", {3, 1});
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 2, 0), 1.1);  // 1.0 × 1.100
}

TEST_F(RateValues, NegativeValuesAreSubstitutedAsOperands) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "-0.5", 10000);
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 4, "2*LL");
    const int row = Row("2*H1", {3});
    // 2*(-0.500) = −1 (read unbracketed, 2*-0.500 would give −0.5)
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), -1.0);
    // LL −0.5: 2*(-0.500) = −1 → −1000
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 4, 0, 0, -5000), -1000);
    // S1 = H1 − 1 = −1.5; 2*S1 = −3
    CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 1);
    d.m_useAuxiliary = 1;
    d.m_auxiliary[0] = "H1-1";
    d.m_formula = "2*S1";
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), -3.0);
}

TEST_F(RateValues, AuxiliaryFormulasBuildOnEachOther) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "0.5", 10000);
    CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 1);
    d.m_henkaritsu[0] = 3;
    d.m_useAuxiliary = 1;
    d.m_auxiliary[0] = "H1+1";
    d.m_auxiliary[1] = "s1*2";
    const int row = AddRow(Gyomu::Sokuryo, 10, 1);
    Item(row).m_nLL[0] = 10000;
    std::string s1, s2, none = "keep";
    EXPECT_EQ(data.EvalHojoshiki(0, Item(row), d, 0, s1), 1);
    EXPECT_EQ(data.EvalHojoshiki(1, Item(row), d, 0, s2), 1);
    EXPECT_EQ(data.EvalHojoshiki(2, Item(row), d, 0, none), 1);
    EXPECT_EQ(data.EvalHojoshiki(8, Item(row), d, 0, none), 0);
    EXPECT_EQ(s1, "1.5000000");
    EXPECT_EQ(s2, "3.0000000");
    EXPECT_EQ(none, "keep");
    d.m_formula = "S2+S1";
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), 4.5);
}

TEST_F(RateValues, AuxiliaryRateFormulaIsChosenByLLRangeWithoutChangingTheMaster) {
    CHenkaritsuRecord& r = AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "LL", 10000);
    r.m_useAuxiliary = 1;
    r.m_auxStart[0] = "0";
    r.m_auxEnd[0] = "10";
    r.m_auxFormula[0] = "1.1";
    r.m_auxStart[1] = "10";
    r.m_auxEnd[1] = "20";
    r.m_auxFormula[1] = "1.2";
    r.m_defaultAuxFormula = "1.3";
    EXPECT_EQ(CSekisanData::SelectRateFormula(r, 100000), "1.1");  // 10.0 lies in both: the first wins
    EXPECT_EQ(CSekisanData::SelectRateFormula(r, 100001), "1.2");
    EXPECT_EQ(CSekisanData::SelectRateFormula(r, 250000), "1.3");
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 3, 0, 0, 150000), 1200);
    EXPECT_EQ(r.m_formula, "LL");
    r.m_useAuxiliary = 0;
    EXPECT_EQ(CSekisanData::SelectRateFormula(r, 100000), "");
}

TEST_F(RateValues, RateCellOfAnUntouchedSlotIsTheStandardCell) {
    CHenkaritsuRecord& r = TableRate(Gyomu::Sokuryo, 1, 1000);
    r.m_standardColumn = 3;
    r.m_standardRow = 4;
    r.m_kubunFlag = 1;
    const int row = Row("H1", {1});
    int rw = -1, col = -1;
    EXPECT_EQ(data.GetRateCell(0, Item(row), 0, 0, rw, col), 1);
    EXPECT_EQ(Item(row).m_nRateCode[0], 1);
    EXPECT_EQ(rw, 4);
    EXPECT_EQ(col, 3);
    Item(row).m_nRateCol[0] = 5;
    Item(row).m_nRateRow[0] = 6;
    EXPECT_EQ(data.GetRateCell(0, Item(row), 1, 2, rw, col), 1);  // 区分率: the row by line
    EXPECT_EQ(rw, 2);
    EXPECT_EQ(col, 5);
    EXPECT_EQ(data.GetRateCell(0, Item(row), 4, 0, rw, col), 1);  // the standard cell
    EXPECT_EQ(rw, 4);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(data.GetRateCell(1, Item(row), 0, 0, rw, col), 0);  // no H2
    EXPECT_EQ(data.GetRateCell(8, Item(row), 0, 0, rw, col), 0);
}

TEST_F(RateValues, KubunritsuTest) {
    TableRate(Gyomu::Sekkei, 1, 1000);
    TableRate(Gyomu::Sekkei, 2, 1000).m_kubunFlag = 1;
    CBukakeShubetsu& s = MasterShubetsu(Gyomu::Sekkei, 10, 1);
    s.GetDetail().m_henkaritsu[0] = 1;
    EXPECT_EQ(data.HasKubunritsu(s, Gyomu::Sekkei), 0);
    s.GetDetail().m_henkaritsu[3] = 2;
    EXPECT_EQ(data.HasKubunritsu(s, Gyomu::Sekkei), 1);
    s.GetDetail().m_henkaritsu[1] = 77;  // a missing record ends the test
    EXPECT_EQ(data.HasKubunritsu(s, Gyomu::Sekkei), 0);
    EXPECT_EQ(data.HasKubunritsu(s, 9), 0);
}

TEST_F(RateValues, RoundingMarkersAreRemovedWithTheirParentheses) {
    EXPECT_EQ(CSekisanData::RemoveRoundingMarkers("RD2(H1*LL)+1"), "H1*LL+1");
    EXPECT_EQ(CSekisanData::RemoveRoundingMarkers("RD2((A+B)*C)+LF1(D)"), "(A+B)*C+D");
    EXPECT_EQ(CSekisanData::RemoveRoundingMarkers("RD(X"), "X");
    EXPECT_EQ(CSekisanData::RemoveRoundingMarkers("1+RD"), "1+");
    EXPECT_EQ(CSekisanData::TrimTrailingComma("a,,"), "a,");
    EXPECT_EQ(CSekisanData::TrimTrailingComma("a "), "a ");
    EXPECT_EQ(CSekisanData::RemoveText("延長(延長)", "延長", 0), "()");
    EXPECT_EQ(CSekisanData::RemoveText("延長(延長)", "延長", 1), "(延長)");
    EXPECT_EQ(CSekisanData::RemoveText("abc", "", 0), "abc");
}

TEST_F(RateValues, KoteiText) {
    CBukakeDetail& d = Detail(Gyomu::Sokuryo, 10, 1);
    for (const char* n : {"踏査", "選点", "観測", "計算", "整理"}) AddLine(d, n, {});
    const int row = AddRow(Gyomu::Sokuryo, 10, 1);
    std::string text = "x";
    for (int i = 0; i < 5; ++i) Item(row).m_bKotei[static_cast<size_t>(i)] = 1;
    EXPECT_EQ(data.GetKoteiText(text, row), 0);
    EXPECT_EQ(text, txt::AllKotei);
    Item(row).m_bKotei.fill(0);
    Item(row).m_bKotei[0] = Item(row).m_bKotei[2] = 1;
    EXPECT_EQ(data.GetKoteiText(text, row), 0);
    EXPECT_EQ(text, "踏査,観測,");
    Item(row).m_bKotei[7] = 1;  // a line the detail lacks
    EXPECT_EQ(data.GetKoteiText(text, row), -1);
    EXPECT_EQ(data.GetKoteiText(text, 77), -1);
}

TEST_F(RateValues, NonFiniteFormulaValueIsNotAnAmount) {
    AddFormulaRecord(RateGroup(Gyomu::Sokuryo), 3, "1/0");
    EXPECT_EQ(data.GetHenkaritsuValue(Gyomu::Sokuryo, 3, 0, 0, kUnset), 0);
    const int row = Row("1/0", {});
    EXPECT_DOUBLE_EQ(data.CalcBukakeFormula(Master(), row, 0, 0), 0.0);
}

}  // namespace
