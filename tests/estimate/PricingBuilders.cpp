// Test support for the tests of estimate/: PricingBuilders.
#include "PricingBuilders.h"

#include <memory>

#include "MasterBuilders.h"
#include "estimate/SekisanItem.h"

namespace pricing_test {

PricingTest::PricingTest() {
    List().m_nTankaColumn = 0;
    MissingPriceName().clear();
}

CSekisanItem& PricingTest::Item(int index) {
    CSekisanItem* item = List().GetItem(index);
    if (!item) throw std::out_of_range("no item at that position");
    return *item;
}

CBukakeShubetsu& PricingTest::MasterShubetsu(int gyomu, int koshu, int shubetsu, int32_t coefficient) {
    CBukakeGyomu* g = env.bukake.FindGyomu(gyomu);
    if (!g) g = &masterbuild::AddGyomu(env.bukake, gyomu);
    CBukakeKoshu* k = g->FindKoshu(koshu);
    if (!k) k = &masterbuild::AddKoshu(*g, koshu);
    CBukakeShubetsu* s = k->FindShubetsu(shubetsu);
    if (!s) s = &masterbuild::AddShubetsu(*k, shubetsu);
    if (!IsUnset(coefficient)) s->m_coefficient = coefficient;
    return *s;
}

CHenkaritsuGyomu& PricingTest::RateGroup(int gyomu) {
    for (int i = 0; i < env.henkaritsu.GetSize(); ++i)
        if (env.henkaritsu.GetGyomu(i)->m_code == gyomu) return *env.henkaritsu.GetGyomu(i);
    return masterbuild::AddGroup(env.henkaritsu, gyomu);
}

CTankaRow& PricingTest::Worker(int id, int price, int kind, const std::string& name) {
    CTankaRow& row = masterbuild::AddTankaRow(env.tanka, id, name, {price});
    row.m_kind = kind;
    return row;
}

int PricingTest::AddKoshuRow(int gyomu, int koshu, const std::string& name) {
    int lastGyomu = kUnset;
    for (int i = List().GetUpperBound(); i >= 0; --i)
        if (List().GetItem(i)->GetLevel() == 0) {
            lastGyomu = List().GetItem(i)->m_nGyomu;
            break;
        }
    if (lastGyomu != gyomu) {
        auto g = std::make_unique<CSekisanItem>();
        g->m_nGyomu = gyomu;
        List().AddItem(std::move(g));
    }
    auto k = std::make_unique<CSekisanItem>();
    k->m_nGyomu = gyomu;
    k->m_nKoshu = koshu;
    k->m_strNameUpper = name;
    return List().AddItem(std::move(k));
}

int PricingTest::AddRow(int gyomu, int koshu, int shubetsu, const std::string& name) {
    const CSekisanItem* last = List().GetItem(List().GetUpperBound());
    if (!last || last->m_nGyomu != gyomu || last->m_nKoshu != koshu || last->GetLevel() < 1) AddKoshuRow(gyomu, koshu);
    auto s = std::make_unique<CSekisanItem>();
    s->m_nGyomu = gyomu;
    s->m_nKoshu = koshu;
    s->m_nShubetsu = shubetsu;
    s->m_strNameUpper = name;
    return List().AddItem(std::move(s));
}

}  // namespace pricing_test
