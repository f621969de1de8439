// Test support for the tests of estimate/: EstimateBuilders.
#include "EstimateBuilders.h"

#include "platform/Archive.h"

namespace estimate_test {

std::unique_ptr<CSekisanItem> MakeItem(int32_t gyomu, int32_t koshu, int32_t shubetsu, const std::string& nameUpper) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu;
    item->m_nShubetsu = shubetsu;
    item->m_strNameUpper = nameUpper;
    return item;
}

void FillEveryField(CSekisanItem& item, int32_t seed) {
    int32_t v = seed * 1000;
    auto next = [&v] { return ++v; };
    item.m_nGyomu = next();
    item.m_nKoshu = next();
    item.m_nShubetsu = next();
    for (auto& x : item.m_nRateCode) x = next();
    for (auto& x : item.m_nRateCol) x = next();
    for (auto& x : item.m_nRateRow) x = next();
    const std::string tag = std::to_string(seed);
    item.m_strNameUpper = "上段名称" + tag;
    item.m_strNameLower = "下段名称" + tag;
    item.m_bNameUpperEdited = next();
    item.m_bNameLowerEdited = next();
    item.m_strUnit = "ｍ２" + tag;
    item.m_nQuantity = next();
    item.m_nUnitPrice = next();
    item.m_nRounding = next();
    item.m_nAmount = next();
    item.m_nAmount2 = next();
    item.m_strRemarkUpper = "摘要上" + tag;
    item.m_strRemarkLower = "摘要下" + tag;
    item.m_bKeepRemarkUpper = next();
    item.m_bKeepRemarkLower = next();
    item.m_bAmountEntered = next();
    item.m_bSummary = next();
    item.m_bSpecialExpense = next();
    item.m_nRate = next();
    for (auto& x : item.m_nLL) x = next();
    for (auto& x : item.m_bKotei) x = next();
    item.m_bNoPrint = next();
    item.m_nWeightAverage = next();
    item.m_nDaikaNo = next();
    item.m_nYearCode = next();
    item.m_nExtraRate = next();
}

::testing::AssertionResult SameItem(const CSekisanItem& a, const CSekisanItem& b) {
#define VEMO_SAME(field) \
    if (a.field != b.field) return ::testing::AssertionFailure() << #field " differs";
    VEMO_SAME(m_nGyomu) VEMO_SAME(m_nKoshu) VEMO_SAME(m_nShubetsu)
    VEMO_SAME(m_nRateCode) VEMO_SAME(m_nRateCol) VEMO_SAME(m_nRateRow)
    VEMO_SAME(m_strNameUpper) VEMO_SAME(m_strNameLower) VEMO_SAME(m_bNameUpperEdited) VEMO_SAME(m_bNameLowerEdited)
    VEMO_SAME(m_strUnit) VEMO_SAME(m_nQuantity) VEMO_SAME(m_nUnitPrice) VEMO_SAME(m_nRounding)
    VEMO_SAME(m_nAmount) VEMO_SAME(m_nAmount2) VEMO_SAME(m_strRemarkUpper) VEMO_SAME(m_strRemarkLower)
    VEMO_SAME(m_bKeepRemarkUpper) VEMO_SAME(m_bKeepRemarkLower) VEMO_SAME(m_bAmountEntered) VEMO_SAME(m_bSummary)
    VEMO_SAME(m_bSpecialExpense) VEMO_SAME(m_nRate) VEMO_SAME(m_nLL) VEMO_SAME(m_bKotei) VEMO_SAME(m_bNoPrint)
    VEMO_SAME(m_nWeightAverage) VEMO_SAME(m_nDaikaNo) VEMO_SAME(m_nYearCode) VEMO_SAME(m_nExtraRate)
#undef VEMO_SAME
    return ::testing::AssertionSuccess();
}

ItemListBuilder& ItemListBuilder::Gyomu(int32_t gyomu, const std::string& name) {
    m_gyomu = gyomu;
    m_koshu = kUnset;
    m_list.AddItem(MakeItem(gyomu, kUnset, kUnset, name));
    return *this;
}

ItemListBuilder& ItemListBuilder::Koshu(int32_t koshu, const std::string& name) {
    m_koshu = koshu;
    m_list.AddItem(MakeItem(m_gyomu, koshu, kUnset, name));
    return *this;
}

ItemListBuilder& ItemListBuilder::Shubetsu(int32_t shubetsu, const std::string& name) {
    m_list.AddItem(MakeItem(m_gyomu, m_koshu, shubetsu, name));
    return *this;
}

ItemListBuilder& ItemListBuilder::Summary(int32_t code, const std::string& name) {
    m_list.AddItem(MakeItem(code, kUnset, kUnset, name));
    return *this;
}

ItemListBuilder& ItemListBuilder::Node(std::unique_ptr<CSekisanItem> item) {
    m_list.AddItem(std::move(item));
    return *this;
}

CSekisanItem& ItemListBuilder::Last() {
    CSekisanItem* item = m_list.GetItem(m_list.GetUpperBound());
    if (!item) throw std::logic_error("ItemListBuilder: no node to change");
    return *item;
}

ItemListBuilder& ItemListBuilder::Set(const std::function<void(CSekisanItem&)>& change) {
    change(Last());
    return *this;
}

ItemListBuilder& ItemListBuilder::Quantity(int32_t x1000) { Last().m_nQuantity = x1000; return *this; }
ItemListBuilder& ItemListBuilder::UnitPrice(int32_t x10) { Last().m_nUnitPrice = x10; return *this; }
ItemListBuilder& ItemListBuilder::Amount(int32_t yen) { Last().m_nAmount = yen; return *this; }
ItemListBuilder& ItemListBuilder::NoPrint() { Last().m_bNoPrint = 1; return *this; }
ItemListBuilder& ItemListBuilder::DaikaNo(int32_t no) { Last().m_nDaikaNo = no; return *this; }

void WriteItemInLayout(CArchive& ar, const CSekisanItem& item, int32_t version) {
    const int slots = version > 102 ? 9 : 8;
    ar.WriteInt(item.m_nGyomu);
    ar.WriteInt(item.m_nKoshu);
    ar.WriteInt(item.m_nShubetsu);
    for (int i = 0; i < slots; ++i) ar.WriteInt(item.m_nRateCode[i]);
    for (int i = 0; i < slots; ++i) {
        ar.WriteInt(item.m_nRateCol[i]);
        ar.WriteInt(item.m_nRateRow[i]);
    }
    ar.WriteString(item.m_strNameUpper);
    ar.WriteString(item.m_strNameLower);
    ar.WriteInt(item.m_bNameUpperEdited);
    ar.WriteInt(item.m_bNameLowerEdited);
    ar.WriteString(item.m_strUnit);
    for (int32_t v : {item.m_nQuantity, item.m_nUnitPrice, item.m_nRounding, item.m_nAmount, item.m_nAmount2})
        ar.WriteInt(v);
    ar.WriteString(item.m_strRemarkUpper);
    ar.WriteString(item.m_strRemarkLower);
    for (int32_t v : {item.m_bKeepRemarkUpper, item.m_bKeepRemarkLower, item.m_bAmountEntered, item.m_bSummary,
                      item.m_bSpecialExpense, item.m_nRate})
        ar.WriteInt(v);
    for (int i = 0; i < slots; ++i) ar.WriteInt(item.m_nLL[i]);
    for (int32_t v : item.m_bKotei) ar.WriteInt(v);
    for (int32_t v : {item.m_bNoPrint, item.m_nWeightAverage, item.m_nDaikaNo, item.m_nYearCode}) ar.WriteInt(v);
    if (version > 101) ar.WriteInt(item.m_nExtraRate);
}

std::string SeiFileBytes(const CSekisanItemList& list, int32_t version, int32_t flags, const std::string& signature) {
    CArchive ar;
    ar.WriteString(signature);
    ar.WriteInt(version);
    ar.WriteInt(flags);
    ar.WriteString(list.m_strKenmei);
    ar.WriteString(list.m_strKashoName);
    ar.WriteString(list.m_strPrintTitle);
    ar.WriteString(list.m_strMasterFolder);
    ar.WriteInt(list.m_nTankaColumn);
    if (version > 100) {
        ar.WriteString(list.m_strZairyoFile);
        ar.WriteString(list.m_strDate);
    }
    ar.WriteInt(list.GetCount());
    for (int i = 0; i < list.GetCount(); ++i) WriteItemInLayout(ar, *list.GetItem(i), version);
    return ar.Buffer();
}

std::string StoredBytes(const CSekisanItemList& list) {
    CSekisanItemList copy;
    copy.Copy(list);
    CArchive ar;
    copy.Serialize(ar);
    return ar.Buffer();
}

std::string RowCodes(const CSekisanItemList& list) {
    std::string codes;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem& item = *list.GetItem(i);
        codes += (i ? " " : "") + std::to_string(item.m_nGyomu);
        for (int32_t c : {item.m_nKoshu, item.m_nShubetsu})
            if (!IsUnset(c)) codes += "." + std::to_string(c);
    }
    return codes;
}

}  // namespace estimate_test
