// Test support for the tests of estimate/: DriverBuilders.
#include "DriverBuilders.h"

#include <stdexcept>

#include "MasterBuilders.h"

namespace driver_test {

DriverTest::DriverTest() {
    List().m_nTankaColumn = 0;
    MissingPriceName().clear();
}

CSekisanItem& DriverTest::Item(int index) {
    CSekisanItem* item = List().GetItem(index);
    if (!item) throw std::out_of_range("no row at position " + std::to_string(index));
    return *item;
}

int DriverTest::Find(int gyomu, int koshu, int shubetsu) {
    for (int i = 0; i < List().GetCount(); ++i) {
        const CSekisanItem* item = List().GetItem(i);
        if (item && item->m_nGyomu == gyomu && item->m_nKoshu == koshu && item->m_nShubetsu == shubetsu) return i;
    }
    return -1;
}

CSekisanItem& DriverTest::Row(int gyomu, int koshu, int shubetsu) {
    const int index = Find(gyomu, koshu, shubetsu);
    if (index < 0)
        throw std::out_of_range("no row " + std::to_string(gyomu) + "/" + std::to_string(koshu) + "/" +
                                std::to_string(shubetsu));
    return Item(index);
}

CBukakeKoshu& DriverTest::MasterKoshu(int gyomu, int koshu, int splitFlag) {
    CBukakeGyomu* g = env.bukake.FindGyomu(gyomu);
    if (!g) g = &masterbuild::AddGyomu(env.bukake, gyomu);
    CBukakeKoshu* k = g->FindKoshu(koshu);
    if (!k) k = &masterbuild::AddKoshu(*g, koshu);
    k->m_splitFlag = splitFlag;
    return *k;
}

CBukakeShubetsu& DriverTest::MasterShubetsu(int gyomu, int koshu, int shubetsu) {
    CBukakeGyomu* g = env.bukake.FindGyomu(gyomu);
    CBukakeKoshu* k = g ? g->FindKoshu(koshu) : nullptr;
    if (!k) k = &MasterKoshu(gyomu, koshu);
    CBukakeShubetsu* s = k->FindShubetsu(shubetsu);
    return s ? *s : masterbuild::AddShubetsu(*k, shubetsu);
}

CHenkaritsuGyomu& DriverTest::RateGroup(int gyomu) {
    for (int i = 0; i < env.henkaritsu.GetSize(); ++i)
        if (env.henkaritsu.GetGyomu(i)->m_code == gyomu) return *env.henkaritsu.GetGyomu(i);
    return masterbuild::AddGroup(env.henkaritsu, gyomu);
}

CTankaRow& DriverTest::Worker(int id, int price, int kind, const std::string& name) {
    CTankaRow& row = masterbuild::AddTankaRow(env.tanka, id, name, {price});
    row.m_kind = kind;
    return row;
}

}  // namespace driver_test
