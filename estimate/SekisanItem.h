#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Constants.h"

class CArchive;

// Format version of the estimate file (×100) that this program writes: 1.04.
inline constexpr int32_t kSekisanFileVersion = 104;

// The version of the estimate file being loaded, kept process-wide: the document sets it from the
// file's header before the body is read, and the item list and item loaders consult it for the
// fields that older versions lack.
int32_t GetSekisanLoadingVersion();
void SetSekisanLoadingVersion(int32_t version);

// Year codes of the item (m_nYearCode).
inline constexpr int32_t kYearInGenka = 30000;        // counted in the 業務原価
inline constexpr int32_t kYearNotInGenka = 30001;     // 業務原価に含めない
inline constexpr int32_t kYearH26OrEarlier = 30100;   // 諸経費率 of 平成26年度 and before

// One node of the estimate: a 業務 node, a 工種 node or a 種別 node, depending on which of the three
// codes are set. Summary rows (業務 codes 89, 95..99) are 業務 nodes too.
//
// Scaled integers: quantities ×1000, unit prices ×10, rates, LL values and the extra rate ×10000,
// amounts in whole yen. A field holding kUnset is empty. Flags are kept as the 32-bit values the
// file holds (0/1 in practice) so that a file is written back exactly as it was read.
//
// The fields are public: the view edits them and the calculation reads and fills them.
class CSekisanItem {
public:
    static constexpr int kRateSlots = 9;   // slots 1..8 are H1..H8 of the 歩掛 formula; 9 is the factor
    static constexpr int kKoteiCount = 20;

    CSekisanItem();

    // Copies every field.
    void Copy(const CSekisanItem& other) { *this = other; }

    // 0 = 業務 node (業務 set, 工種 and 種別 unset); 1 = 工種 node (業務 and 工種 set, 種別 unset);
    // 2 = 種別 node (all three set); −1 = anything else.
    int GetLevel() const {
        if (IsUnset(m_nGyomu)) return -1;
        if (IsUnset(m_nKoshu)) return IsUnset(m_nShubetsu) ? 0 : -1;
        return IsUnset(m_nShubetsu) ? 1 : 2;
    }

    // Number of the 20 工程 flags that are set (non-zero).
    int CountSelectedKotei() const;

    // Writes the item in the current layout, or reads it in the layout of the loading version
    // (8 rate slots up to 1.02, 9 from 1.03; the extra rate from 1.02) and adjusts the 諸経費 rows
    // of older files. Reading throws CArchiveException when the bytes run out.
    void Serialize(CArchive& ar);

    // Smallest number of bytes one item takes in a file of the given version (every text empty).
    static size_t MinStoredBytes(int32_t version);
    // Rate slots an item holds in a file of the given version.
    static int StoredRateSlots(int32_t version) { return version > 102 ? 9 : 8; }

    int32_t m_nGyomu = kUnset;      // 業務 code: 1..32, or a summary-row code
    int32_t m_nKoshu = kUnset;      // 工種 code
    int32_t m_nShubetsu = kUnset;   // 種別 code

    // Per rate slot: the code of the chosen 変化率・補正率 record and the chosen cell of its table.
    std::array<int32_t, kRateSlots> m_nRateCode;
    std::array<int32_t, kRateSlots> m_nRateCol;
    std::array<int32_t, kRateSlots> m_nRateRow;

    std::string m_strNameUpper;          // 費目/工種/種別 name, first line
    std::string m_strNameLower;          // second line
    int32_t m_bNameUpperEdited = 0;      // the user changed the upper line
    int32_t m_bNameLowerEdited = 0;      // the user changed the lower line
    std::string m_strUnit;               // 単位
    int32_t m_nQuantity = kUnset;        // 数量 ×1000
    int32_t m_nUnitPrice = kUnset;       // 単価 ×10
    int32_t m_nRounding = 0;             // 0..7: digit the amount is rounded to (なし … 千万の位)
    int32_t m_nAmount = kUnset;          // 金額, yen
    // With m_bAmountEntered the typed amount the calculation takes; otherwise written by the
    // calculation (amount before rounding adjustment, amount, or unit price with 電子計算機使用料).
    int32_t m_nAmount2 = kUnset;
    std::string m_strRemarkUpper;        // 摘要, first line
    std::string m_strRemarkLower;        // 摘要, second line
    int32_t m_bKeepRemarkUpper = 0;      // the user set the upper 摘要; automatic remarks leave it
    int32_t m_bKeepRemarkLower = 0;      // same for the lower 摘要
    int32_t m_bAmountEntered = 0;        // the calculation takes m_nAmount2 instead of computing
    int32_t m_bSummary = 0;              // 工種計: a 工種 node takes the total of its 種別 nodes
    int32_t m_bSpecialExpense = 1;       // 1 有 / 0 無: the 種別's special expense is counted
    int32_t m_nRate = kUnset;            // ×10000; a 工種 priced as a percentage; 業務 98: the tax rate
    std::array<int32_t, kRateSlots> m_nLL;            // ×10000, LL of each slot; the ninth is the factor
    std::array<int32_t, kKoteiCount> m_bKotei;        // 1 per selected 工程 of the item's 歩掛
    int32_t m_bNoPrint = 0;              // 印刷無
    int32_t m_nWeightAverage = kUnset;   // 重量平均値 ×1000
    int32_t m_nDaikaNo = kUnset;         // 代価 number; 1000 and up request renumbering
    int32_t m_nYearCode = kUnset;        // 30000/30001, or the 諸経費率 year 30100..30105 on rows 93 and 916
    int32_t m_nExtraRate = kUnset;       // ×10000; when positive an amount of its own

private:
    void Store(CArchive& ar) const;
    void Load(CArchive& ar, int32_t version);
    // Load-time adjustment of the 諸経費 rows (工種 93 and 916) by the file's version.
    void AdjustLoadedOverheadRow(int32_t version);
};
