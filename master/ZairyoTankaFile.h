#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The 材料単価 master (a chosen "*.zoa" file): material and equipment prices grouped by kind.

inline constexpr char kZairyoTankaDefaultStem[] = "材料単価データ25";
inline constexpr char kZairyoTankaExtension[] = ".zoa";

// Kinds of item; the editor shows them in the order 0, 2, 1, 3, 4, 5.
inline constexpr int kZairyoKindCount = 6;
inline constexpr const char* kZairyoKindNames[kZairyoKindCount] = {
    mastertext::kZairyoKindZairyo,        mastertext::kZairyoKindDoryoku,       mastertext::kZairyoKindKikai,
    mastertext::kZairyoKindSokuryoZairyo, mastertext::kZairyoKindSokuryoKikai, mastertext::kZairyoKindSokuryoSonota};

// "No price": the double whose bits are 0x0010000000000000 (the smallest positive normal double).
inline constexpr uint64_t kNoPriceBits = 0x0010000000000000ull;
double NoPrice();
// True only for exactly that bit pattern.
bool IsNoPrice(double price);

class CZairyoTankaItem {
public:
    int32_t m_id = kUnset;  // 1000..1999
    int32_t m_setting = 1;
    int32_t m_kind = 0;     // 0..5
    std::string m_name;     // 品名
    std::string m_spec;     // 規格
    std::string m_unit;     // 単位
    double m_price = NoPrice();  // yen; kept bit for bit
    std::string m_remarks;  // 備考
    std::string m_extra;    // from version 1.01

    void Serialize(CArchive& ar);
    void Copy(const CZairyoTankaItem& src) { *this = src; }
    // Field by field; the price is compared bit for bit (so a no-price item equals its copy).
    bool operator==(const CZairyoTankaItem& o) const;
};

inline constexpr MasterFormat kZairyoTankaFormat{
    mastertext::kZairyoTankaSignature, mastertext::kZairyoTankaForeignFile,
    102, 102, &g_zairyoTankaLoadedVersion};

class CZairyoTankaFile : public CMasterHeader {
public:
    std::string m_title;

    CZairyoTankaFile() : CMasterHeader(kZairyoTankaFormat) {}
    CZairyoTankaFile(const CZairyoTankaFile&) = default;
    CZairyoTankaFile& operator=(const CZairyoTankaFile&) = default;
    CZairyoTankaFile(CZairyoTankaFile&&) = default;
    CZairyoTankaFile& operator=(CZairyoTankaFile&&) = default;

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of items.
    int Copy(const CZairyoTankaFile& src) {
        *this = src;
        return GetCount();
    }
    bool operator==(const CZairyoTankaFile&) const = default;
    void RemoveAllItems() { m_items.RemoveAll(); }
    void RemoveAll() { RemoveAllItems(); }

    int GetCount() const { return m_items.GetSize(); }
    CZairyoTankaItem* GetItem(int index) const { return m_items.GetAt(index); }
    CZairyoTankaItem* FindItem(int32_t id) const { return m_items.Find(&CZairyoTankaItem::m_id, id); }
    int FindItemIndex(int32_t id) const { return m_items.FindIndex(&CZairyoTankaItem::m_id, id); }
    int AddItem(std::unique_ptr<CZairyoTankaItem> p) { return m_items.Add(std::move(p)); }
    int InsertItem(int index, std::unique_ptr<CZairyoTankaItem> p) { return m_items.InsertAt(index, std::move(p)); }
    std::unique_ptr<CZairyoTankaItem> SetItem(int index, std::unique_ptr<CZairyoTankaItem> p) {
        return m_items.SetAt(index, std::move(p));
    }
    std::unique_ptr<CZairyoTankaItem> RemoveItem(int index) { return m_items.RemoveAt(index); }
    // First free id in 1000..1999; -1 when all are used.
    int GetNewItemId() const { return m_items.NewCode(&CZairyoTankaItem::m_id, 1000, 1999); }

    // By kind, in list order.
    int GetItemCountOfKind(int32_t kind) const;
    // The n-th (from 0) item of the kind; null when there is none.
    CZairyoTankaItem* GetItemOfKind(int32_t kind, int n) const;
    // Position of the item with the id among the items of the kind; -1 when none of them has it.
    int FindItemIndexOfKind(int32_t id, int32_t kind) const;

private:
    COwningArray<CZairyoTankaItem> m_items;
};
