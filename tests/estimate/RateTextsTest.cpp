// The description text of an item's rates, with the names, values and numbers of its nine slots.
#include "MasterBuilders.h"
#include "PricingBuilders.h"
#include "master/ZairyoTankaFile.h"

using namespace pricing_test;
using masterbuild::AddFormulaRecord;
using masterbuild::AddLine;
using masterbuild::AddTableRecord;

namespace {

class RateTexts : public PricingTest {
protected:
    RateTexts() { MasterShubetsu(kGyomu, 10, 1); }
    static constexpr int kGyomu = Gyomu::Sokuryo;

    CHenkaritsuRecord& Formula(int code, const std::string& formula, const std::string& shikiName,
                               const std::string& unit = "") {
        CHenkaritsuRecord& r = AddFormulaRecord(RateGroup(kGyomu), code, formula, kUnset, "名称");
        r.m_formulaName = shikiName;
        r.m_unit = unit;
        return r;
    }
    // A row of 業務 1 with rate code `code` in slot `slot` (0-based) and the LL value given.
    int RowWith(size_t slot, int code, int32_t ll) {
        const int row = AddRow(kGyomu, 10, 1, "行");
        Item(row).m_nRateCode[slot] = code;
        Item(row).m_nLL[slot] = ll;
        return row;
    }
    int Build(int row, int omit = 0) {
        return data.BuildHenkaritsuText(text, row, names, values, numbers, omit);
    }
    std::string text = "before";
    std::array<std::string, 9> names, values;
    std::array<double, 9> numbers{};
};

TEST_F(RateTexts, ProcessPrefixByBusinessKindAndType) {
    CBukakeDetail& d = Detail(kGyomu, 10, 1);
    d.m_bukakeType = BukakeType::MaterialsOther;
    for (const char* n : {"a", "b", "c", "d"}) AddLine(d, n, {});
    const int row = AddRow(kGyomu, 10, 1);
    RateGroup(kGyomu);
    Item(row).m_bKotei[0] = Item(row).m_bKotei[1] = 1;
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "一部工程");  // the one trailing comma goes
    Item(row).m_bKotei[2] = Item(row).m_bKotei[3] = 1;
    Build(row);
    EXPECT_EQ(text, "全工程");
    Item(row).m_bKotei.fill(0);
    Build(row);
    EXPECT_EQ(text, "一部工程");
    d.m_bukakeType = BukakeType::AnyLineIsAll;
    Item(row).m_bKotei[1] = 1;
    Build(row);
    EXPECT_EQ(text, "全工程");
    // 業務 3 and 4 have no prefix.
    MasterShubetsu(Gyomu::Bukken, 10, 1).GetDetail().m_bukakeType = BukakeType::MaterialsOther;
    AddLine(Detail(Gyomu::Bukken, 10, 1), "x", {});
    RateGroup(Gyomu::Bukken);
    const int row3 = AddRow(Gyomu::Bukken, 10, 1);
    ASSERT_EQ(Build(row3), 0);
    EXPECT_EQ(text, "");
}

TEST_F(RateTexts, TableSlotShowsItsHeadings) {
    CHenkaritsuRecord& r = AddTableRecord(RateGroup(kGyomu), 1, "地形補正");
    r.m_formulaName = "地形";
    r.m_columnTitles[1] = "地形";
    r.m_rowTitles[2] = "平地";
    r.m_columnTitles[3] = "補正率";
    r.m_rowTitles[4] = "幅員\\n広";
    r.SetCell(2, 3, 1150);
    const int row = RowWith(0, 1, kUnset);
    Item(row).m_nRateCol[0] = 2;
    Item(row).m_nRateRow[0] = 3;
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "地形,平地");
    EXPECT_EQ(names[0], "地形");
    EXPECT_EQ(values[0], "地形,平地");
    EXPECT_DOUBLE_EQ(numbers[0], 1.15);
    // A heading naming the rate is left out; a written \n becomes a blank.
    Item(row).m_nRateCol[0] = 4;
    Item(row).m_nRateRow[0] = 5;
    Build(row);
    EXPECT_EQ(text, "幅員 広");
    EXPECT_EQ(values[0], "幅員 広");
    EXPECT_TRUE(IsNoPrice(numbers[0]));  // the cell is not set
    // Cells outside the table show nothing and read nothing.
    Item(row).m_nRateCol[0] = 40;
    Item(row).m_nRateRow[0] = 99;
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(IsNoPrice(numbers[0]));
    // A table slot without a chosen cell fails and leaves the text.
    text = "kept";
    Item(row).m_nRateRow[0] = kUnset;
    EXPECT_EQ(Build(row), -1);
    EXPECT_EQ(text, "kept");
}

TEST_F(RateTexts, LLTextsShowTwoOrThreeDecimals) {
    Formula(1, "LL", "X");
    const int row = RowWith(0, 1, 12000);
    Build(row);
    EXPECT_EQ(text, "X(1.20)");
    Item(row).m_nLL[0] = 12340;
    Build(row);
    EXPECT_EQ(text, "X(1.234)");
    Item(row).m_nLL[0] = 12300;
    Build(row);
    EXPECT_EQ(text, "X(1.23)");
    Item(row).m_nLL[0] = -12345;
    Build(row);
    EXPECT_EQ(text, "X(-1.23)");
}

TEST_F(RateTexts, FormulaWithLLAndUnit) {
    Formula(1, "0.5*LL+0.2", "延長", "km");
    const int row = RowWith(0, 1, 25000);
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "延長(0.5*2.50km+0.2) =1.450 ");
    EXPECT_EQ(names[0], "延長");
    EXPECT_EQ(values[0], "(0.5*2.50km+0.2) =1.450 ");
    EXPECT_DOUBLE_EQ(numbers[0], 1.45);
    // A whole LL is shown without decimals but evaluated as 5.00: 0.5 × 5 + 0.2 = 2.7
    Item(row).m_nLL[0] = 50000;
    Build(row);
    EXPECT_EQ(text, "延長(0.5*5km+0.2) =2.700 ");
    EXPECT_DOUBLE_EQ(numbers[0], 2.7);
}

TEST_F(RateTexts, LLOnlyFormulaShowsTheLLWithItsUnit) {
    Formula(1, "LL", "延長", "m");
    const int row = RowWith(0, 1, 1234500);
    Build(row);
    EXPECT_EQ(text, "延長(123.45m)");
    EXPECT_EQ(values[0], "m");
    EXPECT_DOUBLE_EQ(numbers[0], 123.45);
}

TEST_F(RateTexts, PercentageFormula) {
    Formula(1, "%5*LL", "補正");
    const int row = RowWith(0, 1, 25000);
    Build(row);
    // Execute gives 0.125, shown as 12.5 %
    EXPECT_EQ(text, "補正(5*2.50)=12.5% ");
    EXPECT_DOUBLE_EQ(numbers[0], 0.125);
}

TEST_F(RateTexts, FormulaWithoutLL) {
    Formula(1, "1.05", "係数");
    const int row = RowWith(0, 1, kUnset);
    Build(row);
    EXPECT_EQ(text, "係数0.00=1.050 ");
    EXPECT_EQ(values[0], "0.00=1.050 ");
    EXPECT_DOUBLE_EQ(numbers[0], 1.05);
}

TEST_F(RateTexts, RoundingMarkersAreNotShown) {
    Formula(1, "RD2(0.5*LL)", "延長");
    const int row = RowWith(0, 1, 25000);
    Build(row);
    // RD2(1.25) = 1.3; no half-up rounding after a marker
    EXPECT_EQ(text, "延長(0.5*2.50) =1.300 ");
}

TEST_F(RateTexts, FactorSlotAtItsDefaultShowsNothing) {
    CHenkaritsuRecord& r = Formula(900, "LL", "係数");
    r.m_llDefault = 12000;
    const int row = RowWith(8, 900, 12000);
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(names[8], "");
    EXPECT_EQ(values[8], "");
    EXPECT_DOUBLE_EQ(numbers[8], 1.2);
}

TEST_F(RateTexts, WithoutAmountsAnLLSlotGivesItsLLText) {
    Formula(1, "0.5*LL+0.2", "延長", "km");
    Formula(2, "1.05", "係数");
    const int row = RowWith(0, 1, 25000);
    Item(row).m_nRateCode[1] = 2;
    ASSERT_EQ(Build(row, 1), 0);
    EXPECT_EQ(text, "係数0.00=1.050 ");
    EXPECT_EQ(values[0], "2.50km");
    EXPECT_EQ(values[1], "0.00=1.050 ");
}

TEST_F(RateTexts, MissingRecords) {
    Formula(1, "1.05", "係数");
    const int row = RowWith(0, 1, kUnset);
    Item(row).m_nRateCode[8] = 900;  // no record 900: the slots before it are described
    ASSERT_EQ(Build(row), 0);
    EXPECT_EQ(text, "係数0.00=1.050 ");
    text = "kept";
    Item(row).m_nRateCode[3] = 55;  // any other missing code fails
    EXPECT_EQ(Build(row), -1);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(Build(77), -1);
}

TEST_F(RateTexts, OnlyOneTrailingCommaGoes) {
    Formula(1, "LL", "A");
    Formula(2, "LL", "B");
    const int row = RowWith(0, 1, 10000);
    Item(row).m_nRateCode[1] = 2;
    Item(row).m_nLL[1] = 20000;
    Build(row);
    EXPECT_EQ(text, "A(1.00),B(2.00)");
}

TEST_F(RateTexts, AuxiliaryFormulaIsUsedWithoutChangingTheMaster) {
    CHenkaritsuRecord& r = Formula(1, "LL", "延長");
    r.m_useAuxiliary = 1;
    r.m_auxStart[0] = "0";
    r.m_auxEnd[0] = "5";
    r.m_auxFormula[0] = "2*LL";
    const int row = RowWith(0, 1, 25000);
    Build(row);
    EXPECT_EQ(text, "延長(2*2.50) =5.000 ");
    EXPECT_EQ(r.m_formula, "LL");
}

}  // namespace
