#include "master/TankaFile.h"

namespace {
// Smallest stored size of a row (a version 1.02 row).
constexpr size_t kMinRowBytes = 4 + 4 + 1 + 1 + 4 + CTankaRow::kPriceColumns * 4 + 1;
}  // namespace

void CTankaRow::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_id << m_setting << m_unit << m_name << m_kind;
        WriteInts(ar, m_prices);
        ar << m_remarks << m_related << m_spare;
        return;
    }
    ar >> m_id >> m_setting >> m_unit >> m_name >> m_kind;
    ReadInts(ar, m_prices);
    ar >> m_remarks;
    if (g_tankaLoadedVersion >= 104) ar >> m_related >> m_spare;
}

void CTankaFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    if (ar.IsStoring()) {
        WriteTexts(ar, m_company);
        ar << m_footerFlag << m_travelFlag << m_defaultColumn << m_travelTrade;
        WriteTexts(ar, m_columnTitles);
        ar << m_consumptionTax;
    } else {
        ReadTexts(ar, m_company);
        ar >> m_footerFlag >> m_travelFlag >> m_defaultColumn >> m_travelTrade;
        ReadTexts(ar, m_columnTitles);
        ar >> m_consumptionTax;
    }
    m_rows.Serialize(ar, kMinRowBytes);
    if (ok) *ok = 1;
}

