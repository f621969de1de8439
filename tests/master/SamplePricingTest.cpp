// Tests of the sample master data priced by the calculation, one 業務 after the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ScriptedHost.h"
#include "estimate/SekisanData.h"
#include "master/sampledata/SampleMasters.h"
#include "tests/estimate/CalcTestEnv.h"

// The sample master data priced by the cost calculation: an estimate holding every 工種 and 種別 of
// a 業務, each 種別 with one base quantity and all its 工程, recalculates without a missing price
// and gives every 種別 and the 業務 total an amount.

namespace {

// The calculation's environment holding the sample set, with the default settings.
struct SampleCalcEnv : CalcTestEnv {
    SampleCalcEnv() {
        SampleMasterSet set = LoadSampleMasters(VEMO_SAMPLE_SOURCE_DIR);
        bukake = std::move(set.bukake);
        henkaritsu = std::move(set.henkaritsu);
        tanka = std::move(set.tanka);
        shokeihi = std::move(set.shokeihi);
        programKingaku = std::move(set.programKingaku);
        zairyoTanka = std::move(set.zairyoTanka);
    }
};

// Appends the 業務 with all its 工種 rows in master order, each priced 種別 with its base quantity.
void AddGyomuRows(CSekisanItemList& list, const CBukakeGyomu& gyomu, int priceColumn) {
    list.m_nTankaColumn = priceColumn;
    auto node = std::make_unique<CSekisanItem>();
    node->m_nGyomu = gyomu.m_code;
    node->m_strNameUpper = gyomu.m_name;
    list.AddItem(std::move(node));
    for (int k = 0; k < gyomu.GetCount(); ++k) {
        const CBukakeKoshu* koshu = gyomu.GetKoshu(k);
        auto row = std::make_unique<CSekisanItem>();
        row->m_nGyomu = gyomu.m_code;
        row->m_nKoshu = koshu->m_code;
        row->m_strNameUpper = koshu->m_name;
        row->m_bSummary = koshu->GetCount() > 0 ? 1 : 0;
        list.AddItem(std::move(row));
        for (int s = 0; s < koshu->GetCount(); ++s) {
            const CBukakeShubetsu* sh = koshu->GetShubetsu(s);
            const CBukakeDetail& d = sh->GetDetail();
            auto item = std::make_unique<CSekisanItem>();
            item->m_nGyomu = gyomu.m_code;
            item->m_nKoshu = koshu->m_code;
            item->m_nShubetsu = sh->m_code;
            item->m_strNameUpper = sh->m_name;
            item->m_strUnit = d.m_unit;
            bool lump = d.m_unit == "業務" || d.m_unit == "式";
            item->m_nQuantity = lump ? 1000 : d.m_quantity * 10;
            item->m_nRate = 10000;
            for (int l = 0; l < d.GetLineCount(); ++l) item->m_bKotei[static_cast<size_t>(l)] = 1;
            list.AddItem(std::move(item));
        }
    }
}

}  // namespace

class SamplePricing : public ::testing::TestWithParam<int> {};

TEST_P(SamplePricing, EveryShubetsuAndTheTotalArePriced) {
    const int gyomuCode = GetParam();
    SampleCalcEnv env;
    ScriptedHost host;
    const CBukakeGyomu* gyomu = env.bukake.FindGyomu(gyomuCode);
    ASSERT_NE(gyomu, nullptr);
    CSekisanData data;
    CSekisanItemList& list = *data.GetItemList();
    AddGyomuRows(list, *gyomu, env.tanka.m_defaultColumn);

    ASSERT_EQ(data.Recalculate(gyomuCode), 1);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    int priced = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (item->GetLevel() != 2) continue;
        ++priced;
        EXPECT_GT(item->m_nAmount, 0) << item->m_strNameUpper;
        EXPECT_NE(item->m_strRemarkLower, "削除されています") << item->m_strNameUpper;
    }
    EXPECT_GE(priced, 2);
    auto amountOf = [&](int koshu) {
        int at = list.FindKoshu(gyomuCode, koshu);
        return at >= 0 ? list.GetItem(at)->m_nAmount : kUnset;
    };
    // The overhead: 諸経費 of the 業務, or 一般管理費等 of the new method's 業務原価.
    EXPECT_GT(std::max(amountOf(93), amountOf(916)), 0);
    EXPECT_GT(amountOf(95), 0);
}

// A price column where some 職種 have no price: the recalculation names a row with a missing price.
TEST(SamplePricingColumn, AColumnWithoutSomePricesIsReported) {
    SampleCalcEnv env;
    ScriptedHost host;
    CSekisanData data;
    AddGyomuRows(*data.GetItemList(), *env.bukake.FindGyomu(1), 2);
    ASSERT_EQ(data.Recalculate(1), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("に未入力な単価があります。"), std::string::npos) << host.messages[0].text;
}

INSTANTIATE_TEST_SUITE_P(BusinessKinds, SamplePricing, ::testing::Values(1, 2, 3, 4, 5, 6, 7),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Gyomu" + std::to_string(info.param);
                         });
