// The shipped sample master data prices a sample estimate of each business kind: every 種別 of the
// sample 歩掛 master in one row, the 業務's lump and sum rows, and the summary rows.
#include <gtest/gtest.h>

#include "DriverBuilders.h"
#include "master/sampledata/SampleMasters.h"

namespace driver_test {
namespace {

class SampleEstimateTest : public DriverTest {
protected:
    void SetUp() override {
        SampleMasterSet set = LoadSampleMasters(VEMO_SAMPLE_SOURCE_DIR);
        env.bukake = std::move(set.bukake);
        env.henkaritsu = std::move(set.henkaritsu);
        env.tanka = std::move(set.tanka);
        env.shokeihi = std::move(set.shokeihi);
        env.programKingaku = std::move(set.programKingaku);
        env.zairyoTanka = std::move(set.zairyoTanka);
        List().m_nTankaColumn = env.tanka.m_defaultColumn;
    }

    // One 業務 of the sample master as an estimate: its 工種 in master order, each priced 工種 with
    // all its 種別 (quantity 1, every 工程 selected), lump 工種 at 100,000 yen, the total rounded
    // to 千円.
    void AddGyomu(const CBukakeGyomu& gyomu) {
        build.Gyomu(gyomu.m_code, gyomu.m_name);
        for (int k = 0; k < gyomu.GetCount(); ++k) {
            const CBukakeKoshu& koshu = *gyomu.GetKoshu(k);
            build.Koshu(koshu.m_code, koshu.m_name);
            if (koshu.GetCodeCategory() == KoshuCategory::Lump) build.Amount(100'000);
            if (koshu.m_code == Koshu::GyomuKakaku) build.Set([](CSekisanItem& i) { i.m_nRounding = 3; });
            for (int s = 0; s < koshu.GetCount(); ++s) {
                const CBukakeShubetsu& shubetsu = *koshu.GetShubetsu(s);
                build.Shubetsu(shubetsu.m_code, shubetsu.m_name).Quantity(1000).Set([&](CSekisanItem& i) {
                    i.m_nRate = 10000;
                    const int lines = std::min(shubetsu.GetDetail().GetLineCount(), CSekisanItem::kKoteiCount);
                    for (int line = 0; line < lines; ++line) i.m_bKotei[static_cast<size_t>(line)] = 1;
                });
            }
        }
    }
    void AddSummaryRows() {
        build.Summary(Gyomu::Goukei, "小計").Summary(Gyomu::Shohizei, "消費税相当額").Set([&](CSekisanItem& i) {
            i.m_nRate = env.tanka.m_consumptionTax;
        });
        build.Summary(Gyomu::ItakuryoKei, "合計");
    }
    // Every 種別 row and the 業務 total are priced (positive), for each 業務 of the master.
    void ExpectPriced(int gyomu) {
        int rows = 0;
        for (int i = 0; i < List().GetCount(); ++i) {
            const CSekisanItem& item = Item(i);
            if (item.m_nGyomu != gyomu) continue;
            if (item.GetLevel() == 2) {
                ++rows;
                EXPECT_GT(item.m_nAmount, 0) << item.m_strNameUpper;
                EXPECT_NE(item.m_strRemarkLower, txt::RemarkDeleted) << item.m_strNameUpper;
            }
        }
        EXPECT_GT(rows, 0);
        EXPECT_GT(Row(gyomu, Koshu::GyomuKakaku).m_nAmount, 0);
        EXPECT_EQ(Row(gyomu, Koshu::GyomuKakaku).m_nRounding, 3);
        // The total goes to 千円 where its absorbing row holds an amount; in the sample's 業務 3 and 5
        // every 種別 is of the new method, so 諸経費 and 技術経費 are 0 and the total stays as it is.
        if (gyomu == 3 || gyomu == 5) {
            EXPECT_EQ(Row(gyomu, Koshu::GijutsuKeihi).m_nAmount, 0);
            EXPECT_EQ(Row(gyomu, Koshu::GyomuKakaku).m_nAmount, Row(gyomu, Koshu::GyomuKakaku).m_nAmount2);
        } else {
            EXPECT_EQ(Row(gyomu, Koshu::GyomuKakaku).m_nAmount % 1000, 0);
        }
    }
};

TEST_F(SampleEstimateTest, EachBusinessKindIsPricedWithoutAMissingPrice) {
    // 測量 (1, 6), 設計 (2, 7), 物件調査 (3), 土質調査 (4, 5).
    for (int code : {1, 2, 3, 4, 5, 6, 7}) {
        SCOPED_TRACE("業務 " + std::to_string(code));
        const CBukakeGyomu* gyomu = env.bukake.FindGyomu(code);
        ASSERT_NE(gyomu, nullptr);
        List().RemoveAll();
        AddGyomu(*gyomu);
        AddSummaryRows();
        EXPECT_EQ(data.Recalculate(0), 1);
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages().front());
        ExpectPriced(code);
        EXPECT_EQ(Row(Gyomu::Goukei, kUnset).m_nAmount, Row(code, Koshu::GyomuKakaku).m_nAmount);
        EXPECT_GT(Row(Gyomu::ItakuryoKei, kUnset).m_nAmount, Row(Gyomu::Goukei, kUnset).m_nAmount);
    }
}

TEST_F(SampleEstimateTest, AllKindsInOneEstimateAddUpInTheSummary) {
    int64_t subtotal = 0;
    for (int code : {1, 2, 3, 4, 5, 6, 7}) AddGyomu(*env.bukake.FindGyomu(code));
    AddSummaryRows();
    data.Recalculate(0);
    EXPECT_TRUE(Messages().empty());
    for (int code : {1, 2, 3, 4, 5, 6, 7}) {
        ExpectPriced(code);
        subtotal += Row(code, Koshu::GyomuKakaku).m_nAmount;
    }
    EXPECT_EQ(Row(Gyomu::Goukei, kUnset).m_nAmount, subtotal);
    // Priced per 業務 after an edit, the estimate stays where it was.
    const int32_t total = Row(Gyomu::ItakuryoKei, kUnset).m_nAmount;
    data.Recalculate(Gyomu::Sekkei);
    EXPECT_EQ(Row(Gyomu::ItakuryoKei, kUnset).m_nAmount, total);
}

TEST_F(SampleEstimateTest, PriceColumnWithPricesNotEnteredIsReported) {
    // The sample's third price column leaves some workers without a price.
    List().m_nTankaColumn = 2;
    AddGyomu(*env.bukake.FindGyomu(Gyomu::Sokuryo));
    AddSummaryRows();
    data.Recalculate(0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("」 に未入力な単価があります。\n代価表を表示して未入力な単価を確認してください。"),
              std::string::npos);
}

}  // namespace
}  // namespace driver_test
