#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The 単価 master ("単価データ.daa"): one row per 職種 with twenty prices, one per titled price column,
// and a header with the user's company block, the default price column, the consumption-tax rate and
// the trade of the travel-cost method. 歩掛 details name rows by id.

inline constexpr char kTankaFileName[] = "単価データ.daa";

class CTankaRow {
public:
    static constexpr int kPriceColumns = 20;

    int32_t m_id = kUnset;  // 1000..1999
    int32_t m_setting = kUnset;
    std::string m_unit = mastertext::kTankaDefaultUnit;
    std::string m_name;  // 職種
    int32_t m_kind = 0;  // 0 直接人件費, 1 労務費
    std::array<int32_t, kPriceColumns> m_prices;  // yen
    std::string m_remarks;
    int32_t m_related = kUnset;  // "関連：", from version 1.04
    std::string m_spare;         // "予備 :", from version 1.04

    CTankaRow() { m_prices.fill(kUnset); }
    void Serialize(CArchive& ar);
    void Copy(const CTankaRow& src) { *this = src; }
    bool operator==(const CTankaRow&) const = default;
};

inline constexpr MasterFormat kTankaFormat{
    mastertext::kTankaSignature, mastertext::kTankaForeignFile,
    104, 103, &g_tankaLoadedVersion};

class CTankaFile : public CMasterHeader {
public:
    // 郵便番号, 住所 1, 住所 2, 社名 1, 社名 2, 代表者名, TEL, FAX.
    std::array<std::string, 8> m_company;
    int32_t m_footerFlag = 1;           // 印刷時にフッタに社名を入れる
    int32_t m_travelFlag = 0;           // 旅費交通費積上方式
    int32_t m_defaultColumn = kUnset;   // price column 0..19 preselected for new estimates
    int32_t m_travelTrade = kUnset;     // row id used by the travel-cost method
    std::array<std::string, CTankaRow::kPriceColumns> m_columnTitles;
    int32_t m_consumptionTax = kUnset;  // percent ×100

    CTankaFile() : CMasterHeader(kTankaFormat) {}
    CTankaFile(const CTankaFile&) = default;
    CTankaFile& operator=(const CTankaFile&) = default;
    CTankaFile(CTankaFile&&) = default;
    CTankaFile& operator=(CTankaFile&&) = default;

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of rows.
    int Copy(const CTankaFile& src) {
        *this = src;
        return GetCount();
    }
    bool operator==(const CTankaFile&) const = default;
    void RemoveAll() { m_rows.RemoveAll(); }

    int GetCount() const { return m_rows.GetSize(); }
    CTankaRow* GetRow(int index) const { return m_rows.GetAt(index); }
    CTankaRow* FindRow(int32_t id) const { return m_rows.Find(&CTankaRow::m_id, id); }
    int FindRowIndex(int32_t id) const { return m_rows.FindIndex(&CTankaRow::m_id, id); }
    int HasRow(int32_t id) const { return FindRowIndex(id) >= 0 ? 1 : 0; }
    int AddRow(std::unique_ptr<CTankaRow> p) { return m_rows.Add(std::move(p)); }
    int InsertRow(int index, std::unique_ptr<CTankaRow> p) { return m_rows.InsertAt(index, std::move(p)); }
    std::unique_ptr<CTankaRow> SetRow(int index, std::unique_ptr<CTankaRow> p) {
        return m_rows.SetAt(index, std::move(p));
    }
    std::unique_ptr<CTankaRow> RemoveRow(int index) { return m_rows.RemoveAt(index); }
    // First free id in 1000..1999; -1 when all are used.
    int GetNewRowId() const { return m_rows.NewCode(&CTankaRow::m_id, 1000, 1999); }

private:
    COwningArray<CTankaRow> m_rows;
};
