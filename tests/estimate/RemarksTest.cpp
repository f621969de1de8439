// The automatic remarks: rate descriptions, 摘要 texts and the numbering of the 代価 sheets.
#include <gtest/gtest.h>

#include "DriverBuilders.h"
#include "MasterBuilders.h"

namespace driver_test {
namespace {

class RemarksTest : public DriverTest {
protected:
    // A 種別 of the master with a detail of the given 歩掛 type.
    CBukakeShubetsu& Master(int gyomu, int koshu, int shubetsu, int type = 0) {
        CBukakeShubetsu& s = MasterShubetsu(gyomu, koshu, shubetsu);
        s.GetDetail().m_bukakeType = type;
        return s;
    }
    void Keep(CSekisanItem& item, const std::string& upper, const std::string& lower) {
        item.m_strRemarkUpper = upper;
        item.m_strRemarkLower = lower;
        item.m_bKeepRemarkUpper = 1;
        item.m_bKeepRemarkLower = 1;
    }
};

TEST_F(RemarksTest, DaikaRenumberingStartsAtTheRequestAndSkipsExcludedRows) {
    for (int s = 1; s <= 7; ++s) Master(Gyomu::Sekkei, 20, s);
    Master(Gyomu::Sekkei, 20, 8, BukakeType::Unpriced);
    build.Gyomu(Gyomu::Sekkei, "設計業務").Koshu(20, "詳細設計");
    build.Shubetsu(1, "前の種別").DaikaNo(7).Set([](CSekisanItem& i) { i.m_strRemarkLower = "第7号一位代価表"; });
    build.Shubetsu(2, "番号を求める種別").DaikaNo(1003);
    build.Shubetsu(3, "次の種別");
    build.Shubetsu(4, "番号なし").DaikaNo(-1).Set([](CSekisanItem& i) { i.m_strRemarkLower = "材料の摘要"; });
    build.Shubetsu(5, "その次");
    build.Shubetsu(8, "タイプ22").DaikaNo(50);
    build.Koshu(Koshu::SekkeiDensi, "電子計算機使用料").Set([](CSekisanItem& i) { i.m_nDaikaNo = -1; });
    build.Koshu(20).Shubetsu(6, "金額入力").Set([](CSekisanItem& i) { i.m_bAmountEntered = 1; });
    build.Shubetsu(7, "利用者の摘要").Set([&](CSekisanItem& i) { Keep(i, "", "内訳は別紙"); });

    EXPECT_EQ(data.UpdateRemarks(), 0);
    EXPECT_TRUE(IsUnset(Row(Gyomu::Sekkei, 20, 1).m_nDaikaNo));
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 1).m_strRemarkLower, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 2).m_nDaikaNo, 3);
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 2).m_strRemarkLower, "第3号一位代価表");
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 3).m_nDaikaNo, 4);
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 3).m_strRemarkLower, "第4号一位代価表");
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 4).m_nDaikaNo, -1);
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 4).m_strRemarkLower, "材料の摘要");
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 5).m_nDaikaNo, 5);
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 8).m_nDaikaNo, 50);  // 歩掛 type 22 keeps its own number
    // The 電子計算機使用料 工種 row is numbered whatever its number was.
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::SekkeiDensi).m_nDaikaNo, 6);
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::SekkeiDensi).m_strRemarkLower, "第6号一位代価表");
    EXPECT_TRUE(IsUnset(Row(Gyomu::Sekkei, 20, 6).m_nDaikaNo));
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 6).m_strRemarkLower, "");
    EXPECT_TRUE(IsUnset(Row(Gyomu::Sekkei, 20, 7).m_nDaikaNo));
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 7).m_strRemarkLower, "内訳は別紙");
}

TEST_F(RemarksTest, DaikaTextUsesTheDaikaNameSetting) {
    Master(Gyomu::Sekkei, 20, 1);
    env.settings.DaikaName = "内訳書";
    build.Gyomu(Gyomu::Sekkei).Koshu(20).Shubetsu(1).DaikaNo(12);
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 1).m_strRemarkLower, "第12号内訳書");
}

TEST_F(RemarksTest, UserTextsWithKeepFlagsSurviveEveryStep) {
    Master(Gyomu::KukakuSekkei, 20, 1).GetDetail().m_rates[0] = 100;
    build.Gyomu(Gyomu::KukakuSekkei).Koshu(20).Shubetsu(1).DaikaNo(1001).NoPrint().Set([&](CSekisanItem& i) {
        Keep(i, "上段の摘要", "下段の摘要");
        i.m_nRate = 500;
        i.m_nYearCode = kYearInGenka;
    });
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 1).m_strRemarkUpper, "上段の摘要");
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 1).m_strRemarkLower, "下段の摘要");
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 1).m_nDaikaNo, 1);
}

TEST_F(RemarksTest, SpecialExpenseRemarkByBusinessKindAndFlag) {
    Master(Gyomu::KukakuSekkei, 20, 1).GetDetail().m_rates[0] = 100;  // 機械経費率 1 %
    Master(Gyomu::KukakuSekkei, 20, 2);                               // no 機械経費率
    Master(Gyomu::Sokuryo, 10, 1).m_coefficient = 5;                  // 精度管理係数 0.05
    Master(Gyomu::Bukken, 30, 1).GetDetail().m_rates[2] = 1000;       // 材料費率 10 %
    build.Gyomu(Gyomu::KukakuSekkei).Koshu(20).Shubetsu(1).Set([](CSekisanItem& i) { i.m_bSpecialExpense = 0; });
    build.Shubetsu(2).Set([](CSekisanItem& i) { i.m_strRemarkUpper = "そのまま"; });
    build.Gyomu(Gyomu::Sokuryo).Koshu(10).Shubetsu(1);
    build.Gyomu(Gyomu::Bukken).Koshu(30).Shubetsu(1).Set([](CSekisanItem& i) { i.m_bSpecialExpense = 0; });
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 1).m_strRemarkUpper, txt::DensiOff);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 2).m_strRemarkUpper, "そのまま");
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 1).m_strRemarkUpper, txt::SeidoOn);
    EXPECT_EQ(Row(Gyomu::Bukken, 30, 1).m_strRemarkUpper, txt::ZairyoOff);
}

TEST_F(RemarksTest, MissingHojoRecordSkipsThatRowOnly) {
    Master(Gyomu::KukakuSekkei, 20, 2).GetDetail().m_rates[0] = 100;
    build.Gyomu(Gyomu::KukakuSekkei).Koshu(20);
    build.Shubetsu(1, "削除された種別").DaikaNo(4).Set([](CSekisanItem& i) { i.m_strRemarkLower = "削除されています"; });
    build.Shubetsu(2, "後の種別").DaikaNo(5).Set([](CSekisanItem& i) { i.m_bSpecialExpense = 0; });
    EXPECT_EQ(data.UpdateRemarks(), -1);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 1).m_strRemarkLower, txt::RemarkDeleted);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 2).m_strRemarkUpper, txt::DensiOff);
    EXPECT_EQ(Row(Gyomu::KukakuSekkei, 20, 2).m_strRemarkLower, "第5号一位代価表");
}

TEST_F(RemarksTest, YearCodeRemarks) {
    Master(Gyomu::Sekkei, 20, 1);
    build.Gyomu(Gyomu::Sekkei).Koshu(20);
    // 30001 without a 代価 number: the lower line says so and an equal upper line is cleared even
    // though the user set it.
    build.Shubetsu(1).Set([](CSekisanItem& i) {
        i.m_nYearCode = kYearNotInGenka;
        i.m_strRemarkUpper = "業務原価に含めない";
        i.m_bKeepRemarkUpper = 1;
    });
    // 30001 with a 代価 number: the upper line says so.
    build.Koshu(71).Set([](CSekisanItem& i) {
        i.m_nYearCode = kYearNotInGenka;
        i.m_nDaikaNo = 2;
    });
    // 30000 without a 代価 number: the lower line is cleared; with one, the upper line.
    build.Koshu(72).Set([](CSekisanItem& i) {
        i.m_nYearCode = kYearInGenka;
        i.m_strRemarkUpper = "残る";
    });
    build.Koshu(73).Set([](CSekisanItem& i) {
        i.m_nYearCode = kYearInGenka;
        i.m_nDaikaNo = 3;
        i.m_strRemarkUpper = "消える";
    });
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 1).m_strRemarkUpper, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, 20, 1).m_strRemarkLower, txt::NotInGenka);
    EXPECT_EQ(Row(Gyomu::Sekkei, 71).m_strRemarkUpper, txt::NotInGenka);
    EXPECT_EQ(Row(Gyomu::Sekkei, 71).m_strRemarkLower, "第2号一位代価表");
    EXPECT_EQ(Row(Gyomu::Sekkei, 72).m_strRemarkUpper, "残る");
    EXPECT_EQ(Row(Gyomu::Sekkei, 72).m_strRemarkLower, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, 73).m_strRemarkUpper, "");
}

TEST_F(RemarksTest, NotPrintedAndPlainRows) {
    build.Gyomu(Gyomu::Sekkei).Set([](CSekisanItem& i) { i.m_strRemarkLower = "消える"; });
    build.Koshu(Koshu::ChokusetsuJinkenhi).Set([](CSekisanItem& i) { i.m_strRemarkLower = "新(100,000),従(50,000)"; });
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_strRemarkLower = "従(50,000)"; });
    build.Koshu(Koshu::GijutsuKeihi).Set([](CSekisanItem& i) { i.m_strRemarkLower = "新(1)"; });
    build.Koshu(Koshu::Nebiki).NoPrint();
    build.Gyomu(Gyomu::Sokuryo).Koshu(Koshu::ChokusetsuJinkenhi).Set([](CSekisanItem& i) {
        i.m_strRemarkLower = "新(100,000),従(50,000)";
    });
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::Sekkei, kUnset).m_strRemarkLower, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi).m_strRemarkLower, "新(100,000),従(50,000)");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::Shokeihi).m_strRemarkLower, "従(50,000)");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::GijutsuKeihi).m_strRemarkLower, "");  // not a labour-split row
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::Nebiki).m_strRemarkLower, txt::NoPrint);
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ChokusetsuJinkenhi).m_strRemarkLower, "");

    // Once the 歩掛 master no longer splits the labour, the split texts go too.
    env.bukake.m_splitFlag = 1;
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ChokusetsuJinkenhi).m_strRemarkLower, "");
}

TEST_F(RemarksTest, RateTexts) {
    build.Gyomu(Gyomu::Sekkei).Koshu(71).Set([](CSekisanItem& i) { i.m_nRate = 1250; });
    build.Koshu(Koshu::ExtraRateB).Set([](CSekisanItem& i) { i.m_nRate = 1250; });
    build.Koshu(Koshu::Shokeihi).Set([](CSekisanItem& i) { i.m_nRate = 3500; });
    build.Koshu(72).Set([](CSekisanItem& i) {
        i.m_nRate = 300;
        i.m_bAmountEntered = 1;
    });
    build.Gyomu(Gyomu::Sokuryo).Koshu(Koshu::ExtraRateA).Set([](CSekisanItem& i) { i.m_nRate = 1250; });
    build.Summary(Gyomu::Shohizei).Set([](CSekisanItem& i) { i.m_nRate = 1000; });
    data.UpdateRemarks();
    EXPECT_EQ(Row(Gyomu::Sekkei, 71).m_strRemarkUpper, "12.50%");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::ExtraRateB).m_strRemarkUpper, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, Koshu::Shokeihi).m_strRemarkUpper, "");
    EXPECT_EQ(Row(Gyomu::Sekkei, 72).m_strRemarkUpper, "");
    EXPECT_EQ(Row(Gyomu::Sokuryo, Koshu::ExtraRateA).m_strRemarkUpper, "");
    EXPECT_EQ(Row(Gyomu::Shohizei, kUnset).m_strRemarkUpper, "10.00%");
}

TEST_F(RemarksTest, RateDescriptionAndWeightAverageTexts) {
    CBukakeDetail& detail = Master(Gyomu::Sokuryo, 10, 1).GetDetail();
    masterbuild::AddLine(detail, "作業計画", {100});
    masterbuild::AddLine(detail, "観測", {100});
    RateGroup(Gyomu::Sokuryo);
    Master(Gyomu::Sokuryo, 10, 2, BukakeType::KoshuTotal);
    Master(Gyomu::Sokuryo, 10, 3, BukakeType::KoshuTotal);
    Master(Gyomu::Sokuryo, 10, 4, BukakeType::DayCharges);
    build.Gyomu(Gyomu::Sokuryo).Koshu(10);
    build.Shubetsu(1).Set([](CSekisanItem& i) { i.m_bKotei[0] = i.m_bKotei[1] = 1; });
    build.Shubetsu(2).Set([](CSekisanItem& i) { i.m_nWeightAverage = 1500; });
    build.Shubetsu(3).Set([](CSekisanItem& i) { i.m_strRemarkLower = "消える"; });
    build.Shubetsu(4).Set([](CSekisanItem& i) {
        i.m_nWeightAverage = 2000;
        i.m_strNameLower = "タイプ8";
    });
    build.Shubetsu(1).Set([](CSekisanItem& i) {
        i.m_bKotei[0] = 1;
        i.m_nWeightAverage = 1250;
        i.m_strNameLower = "利用者の名称";
        i.m_bNameLowerEdited = 1;
    });
    data.UpdateRemarks();
    EXPECT_EQ(Item(2).m_strNameLower, "全工程");
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 2).m_strNameLower, "×1.500");
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 2).m_strRemarkLower, "×1.500");
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 3).m_strRemarkLower, "");
    EXPECT_EQ(Row(Gyomu::Sokuryo, 10, 4).m_strNameLower, "タイプ8");
    EXPECT_EQ(Item(6).m_strNameLower, "利用者の名称");
}

}  // namespace
}  // namespace driver_test
