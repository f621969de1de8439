#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Constants.h"
#include "platform/Cp932.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

// Helpers shared by the pricing sources of the estimate object (not part of its interface).
namespace pricing {

// "業務" and "式" are lump units: the row's amount is the total times the item rate.
using calc::IsLumpUnit;

// The item rate as a factor; an unset rate counts as 1.0.
inline double ItemRate(const CSekisanItem& item) { return IsUnset(item.m_nRate) ? 1.0 : item.m_nRate / 10000.0; }

// The fee of the item's プログラム金額 record (year codes other than 30000/30001); 0 without one
// or when the fee is not entered.
inline int ProgramFee(const CProgramKingakuFile& programKingaku, const CSekisanItem& item) {
    const int32_t y = item.m_nYearCode;
    if (IsUnset(y) || y == kYearInGenka || y == kYearNotInGenka) return 0;
    const CProgramKingakuRecord* record = programKingaku.FindRecord(y);
    return record && record->m_fee > 0 ? record->m_fee : 0;
}

// A percentage ×100 of a master as a fraction, 0 when unset or not positive.
inline double PositiveRate(int32_t rate) { return rate > 0 ? rate / 10000.0 : 0.0; }

// Price of a 単価 row in the estimate's price column; −1 (not entered) when the column is unset or
// outside 0..19 or the price itself is not entered.
int32_t PriceInColumn(const CTankaRow& row, int32_t column);

// A number as formula text (NumToStr); a negative number is put in parentheses so that the
// formula reads it as a negative operand.
std::string FormulaNumber(double value, double step);
// A text already holding a number, parenthesised when negative.
std::string FormulaOperand(const std::string& number);

using vemo::AsciiUpper;
using vemo::ReplaceAll;

// Value of a formula text through the formula library. The library is a pure function of the text,
// and a recalculation values the same texts many times (three passes, several amounts per row), so
// the values of recent texts are remembered.
double EvaluateFormula(const std::string& text);
bool Contains(std::string_view text, std::string_view what);

// Amounts as 32-bit values. A value that is not finite or lies beyond 32 bits marks the current
// amount call as failed and gives 0.
int32_t Amount(bool& fault, double x);
int32_t Amount(bool& fault, int64_t x);
// x / divisor; a divisor that is not positive marks the call as failed and gives x unchanged.
double Divide(bool& fault, double x, double divisor);

// Sets a value for the life of the object and puts the previous one back.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& target, T value) : m_target(target), m_previous(target) { m_target = value; }
    ~ScopedValue() { m_target = m_previous; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_target;
    T m_previous;
};

// Labour and direct labour (kind 0) of the detail's ten 職種 columns over the item's selected lines,
// each column cut to whole yen; a column whose price is not entered is left out and names the row.
void SumColumnLabour(const CSekisanData& data, const CBukakeDetail& detail, const CSekisanItem& item, bool& fault,
                     int64_t& labour, int64_t& direct);

}  // namespace pricing

// One guarded amount call of the estimate object. The outermost scope clears the failure mark on
// entry; when a value failed during the call, Finish gives 0 and names the row in
// MissingPriceName(), so that the recalculation reports it.
class PricingScope {
public:
    PricingScope(const CSekisanData& data, const CSekisanItem* item);
    ~PricingScope();
    PricingScope(const PricingScope&) = delete;
    PricingScope& operator=(const PricingScope&) = delete;

    int Finish(int result);
    bool& Fault() { return m_data.m_pricing.fault; }

    // DensiDsp as the current call sees it.
    static int DensiDsp(const CSekisanData& data);
    // 材料費率 of a detail as the current call sees it.
    static int32_t MaterialRate(const CSekisanData& data, const CBukakeDetail& detail);

private:
    const CSekisanData& m_data;
    const CSekisanItem* m_item;
};
