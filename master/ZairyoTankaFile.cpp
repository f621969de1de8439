#include "master/ZairyoTankaFile.h"

#include <cstring>

namespace {
// Smallest stored size of an item (a version 1.00 item).
constexpr size_t kMinItemBytes = 3 * 4 + 3 + 8 + 1;
}  // namespace

double NoPrice() {
    double d;
    std::memcpy(&d, &kNoPriceBits, sizeof d);
    return d;
}

bool IsNoPrice(double price) {
    uint64_t bits;
    std::memcpy(&bits, &price, sizeof bits);
    return bits == kNoPriceBits;
}

bool CZairyoTankaItem::operator==(const CZairyoTankaItem& o) const {
    return m_id == o.m_id && m_setting == o.m_setting && m_kind == o.m_kind && m_name == o.m_name &&
           m_spec == o.m_spec && m_unit == o.m_unit && std::memcmp(&m_price, &o.m_price, sizeof m_price) == 0 &&
           m_remarks == o.m_remarks && m_extra == o.m_extra;
}

void CZairyoTankaItem::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_id << m_setting << m_kind << m_name << m_spec << m_unit << m_price << m_remarks << m_extra;
        return;
    }
    ar >> m_id >> m_setting >> m_kind >> m_name >> m_spec >> m_unit >> m_price >> m_remarks;
    if (g_zairyoTankaLoadedVersion >= 101) ar >> m_extra;
}

void CZairyoTankaFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    if (ar.IsStoring())
        ar << m_title;
    else
        ar >> m_title;
    m_items.Serialize(ar, kMinItemBytes);
    if (ok) *ok = 1;
}

int CZairyoTankaFile::GetItemCountOfKind(int32_t kind) const {
    int n = 0;
    for (const auto& item : m_items)
        if (item->m_kind == kind) ++n;
    return n;
}

CZairyoTankaItem* CZairyoTankaFile::GetItemOfKind(int32_t kind, int n) const {
    if (n < 0) return nullptr;
    for (const auto& item : m_items)
        if (item->m_kind == kind && n-- == 0) return item.get();
    return nullptr;
}

int CZairyoTankaFile::FindItemIndexOfKind(int32_t id, int32_t kind) const {
    int n = 0;
    for (const auto& item : m_items) {
        if (item->m_kind != kind) continue;
        if (item->m_id == id) return n;
        ++n;
    }
    return -1;
}
