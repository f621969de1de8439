#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "estimate/CalcCodes.h"
#include "estimate/SekisanItem.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

// Small helpers of the main pass and the remark pass: remark writes that honour the user's keep
// flags, the number texts written into remarks, the store of sums and values into amounts, and
// row tests both passes share.
namespace driver {

// The 測量 day-charge row: priced by its days, neither numbered nor described.
inline bool IsDayChargeRow(const CSekisanItem& item) {
    return calc::IsSokuryoGyomu(item.m_nGyomu) && item.m_nKoshu == calc::Koshu::Days &&
           item.m_nShubetsu == calc::Shubetsu::DayCharge;
}

// Writes a 摘要 line unless the user set it (keep flag).
inline void SetUpper(CSekisanItem& item, const std::string& text) {
    if (!item.m_bKeepRemarkUpper) item.m_strRemarkUpper = text;
}
inline void SetLower(CSekisanItem& item, const std::string& text) {
    if (!item.m_bKeepRemarkLower) item.m_strRemarkLower = text;
}

// An amount in a remark: whole yen with a comma between groups of three digits ("1,234").
inline std::string AmountText(int64_t yen) { return vemo::FormatThousands(yen); }

// A percentage in a remark: two decimals and "%" ("53.85%").
inline std::string PercentText(double percent) { return NumToStr(percent, 0.01) + "%"; }

// A running sum (64 bits) as a 32-bit amount field holds it: held at the limits (AmountHolds tells
// when), never the unset value.
inline constexpr int64_t kAmountLow = static_cast<int64_t>(std::numeric_limits<int32_t>::min()) + 1;
inline constexpr int64_t kAmountHigh = std::numeric_limits<int32_t>::max();
inline bool AmountHolds(int64_t value) { return value < kAmountLow || value > kAmountHigh; }
inline int32_t ToAmount(int64_t value) { return static_cast<int32_t>(std::clamp(value, kAmountLow, kAmountHigh)); }

// Stores amounts into 32-bit amount fields, held at the limits: a running sum as ToAmount holds it,
// a computed value as DoubleToLong does. Each amount that did not fit is recorded by the action it
// was made with (the limit of the record of the limits that it names).
class AmountStore {
public:
    explicit AmountStore(std::function<void()> held) : m_held(std::move(held)) {}
    int32_t Sum(int64_t amount) const {
        if (AmountHolds(amount)) m_held();
        return ToAmount(amount);
    }
    int32_t Value(double amount) const {
        if (DoubleToLongHolds(amount)) m_held();
        return DoubleToLong(amount);
    }

private:
    std::function<void()> m_held;
};

}  // namespace driver
