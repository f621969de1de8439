// Each estimate is priced with its own context: masters and settings shared with the other estimates,
// material prices of its own. An estimate without one is priced with the installed environment.
#include <gtest/gtest.h>

#include "CalcTestEnv.h"
#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "estimate/EstimateCalcContext.h"
#include "estimate/VemoWinDocData.h"

namespace {

using masterbuild::AddGyomu;
using masterbuild::AddKoshu;
using masterbuild::AddShubetsu;
using masterbuild::AddZairyoItem;

CZairyoTankaFile Prices(double price) {
    CZairyoTankaFile file;
    AddZairyoItem(file, 2001, 5, "杭", price);
    return file;
}

// 業務 1: 2.000 of a 種別 whose 歩掛 names material 2001, and the 材料費 row summing the materials.
void BuildMaterialRows(CSekisanItemList& list) {
    list.m_nTankaColumn = 0;
    estimate_test::ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(1, "杭打ち").Quantity(2000).Koshu(85);
}

int MaterialRow(const CSekisanData& data) {
    const CSekisanItemList& list = *data.GetItemList();
    return list.GetItem(list.FindKoshu(1, 85))->m_nAmount;
}

TEST(CalcContext, EstimatesPricedAlternatelyKeepTheirOwnMaterialPrices) {
    CalcTestEnv installed;
    ScriptedHost host;
    AddShubetsu(AddKoshu(AddGyomu(installed.bukake, 1), 10), 1).GetDetail().m_zairyoId = 2001;
    installed.zairyoTanka = Prices(10.0);
    CEstimateCalcContext contextA(installed), contextB(installed);
    contextA.ZairyoTanka() = Prices(100.0);
    contextB.ZairyoTanka() = Prices(250.0);
    CSekisanData a, b, none;
    a.SetCalcContext(&contextA);
    b.SetCalcContext(&contextB);
    for (CSekisanData* data : {&a, &b, &none}) BuildMaterialRows(*data->GetItemList());

    struct Step {
        CSekisanData* estimate;
        int materials;  // 2.000 × its price
    };
    for (const Step& step : {Step{&a, 200}, Step{&b, 500}, Step{&a, 200}, Step{&none, 20}, Step{&b, 500}}) {
        ASSERT_EQ(step.estimate->Recalculate(1), 1);
        EXPECT_EQ(MaterialRow(*step.estimate), step.materials);
    }
    EXPECT_EQ(&a.CalcContext(), &contextA);
    EXPECT_EQ(&none.CalcContext(), &installed);
}

TEST(CalcContext, WithoutAnyContextCalculatingIsAnError) {
    CSekisanData data;
    EXPECT_THROW(data.CalcContext(), std::logic_error);
}

TEST(CalcContext, DocumentDataKeepsItsContextWhenALoadReplacesTheEstimate) {
    CalcTestEnv installed;
    ScriptedHost host;
    CEstimateCalcContext context(installed);
    CVemoWinDocData doc;
    doc.SetCalcContext(&context);
    CVemoWinDocData source;
    BuildMaterialRows(*source.GetItemList());
    ASSERT_EQ(doc.LoadBytes(source.StoreBytes(), "a.sei"), 1);
    EXPECT_EQ(doc.GetItemList()->GetCount(), 4);
    EXPECT_EQ(doc.GetSekisanData()->GetCalcContext(), &context);
    ASSERT_EQ(doc.LoadBytes("broken", "b.sei"), 0);
    EXPECT_EQ(doc.GetSekisanData()->GetCalcContext(), &context);
}

}  // namespace
