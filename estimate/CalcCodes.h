#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "estimate/EstimateTexts.h"
#include "master/KoshuCategory.h"

// The codes the calculation of an estimate tests: 業務 codes (business kinds and summary rows), the
// 工種 codes of the fixed rows and the classes of the other 工種 codes, the 歩掛 types, and the
// part selector of the amount calculations. The numbers live here only (the 業務 and 工種 codes in
// master/KoshuCategory.h); the calculation, the layers above and the tests use the names.
namespace calc {

// "業務" and "式" are lump units: a row in them is priced as a whole.
inline bool IsLumpUnit(const std::string& unit) {
    return unit == estimate_texts::UnitGyomu || unit == estimate_texts::UnitShiki;
}

// True when value is one of the codes listed.
constexpr bool IsOneOf(int32_t value, std::initializer_list<int32_t> codes) {
    return std::find(codes.begin(), codes.end(), value) != codes.end();
}

// The 業務 and 工種 codes and their classes, which the masters know as well (master/KoshuCategory.h).
using ::Gyomu;
using ::HasAnzenhiGyomu;
using ::HasExtraRateAGyomu;
using ::IsDesignLikeGyomu;
using ::IsDoshitsuGyomu;
using ::IsFixedKoshu;
using ::IsLabourSplitGyomu;
using ::IsSekkeiGyomu;
using ::IsSokuryoGyomu;
using ::IsStandardGyomu;
using ::IsTotalGyomu;
using ::Koshu;
using ::TakesNoProgramKingaku;

// The 業務 argument of a recalculation that runs every 業務.
inline constexpr int32_t kAllGyomu = 0;

// 種別 codes with a rule of their own (under 測量 工種 Days).
struct Shubetsu {
    enum : int32_t {
        DayCount = 11,   // days of the day-count 職種 across the 業務
        DayCharge = 12,  // day charges of the 職種 worked
    };
};

// Classes of the other 工種 codes, by the category of the code (master/KoshuCategory.h).
namespace detail {
constexpr bool In(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }
}  // namespace detail
// Priced from the 歩掛 master (1..68, 100..689).
constexpr bool IsPricedKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::Priced; }
// An amount as it stands (69, 690..699).
constexpr bool IsLumpKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::Lump; }
// A rate of a running sum, counted as direct cost (70..74, 700..749).
constexpr bool IsRateAKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::RateA; }
// A rate of a running sum, counted as direct expense outside the overheads (75..79, 750..799).
constexpr bool IsRateBKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::RateB; }
// A direct amount or a 歩掛 of days, counted as direct cost (80..84, 800..849).
constexpr bool IsSpecialKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::Special; }
// A direct amount outside the overheads (85..89, 850..899).
constexpr bool IsTailKoshu(int32_t k) { return KoshuCodeCategory(k) == KoshuCategory::Tail; }

// 区画整理測量 工種 whose formula value is used with all its decimals.
constexpr bool KeepsFullFactor(int32_t g, int32_t k) { return g == Gyomu::KukakuSokuryo && IsKukakuOwnKoshu(k); }

// The rate rows over the extra sum: ExtraRateA in 業務 1, 4, 6 and ExtraRateB in 業務 2, 7.
constexpr bool IsExtraRateRow(int32_t g, int32_t k) {
    return (k == Koshu::ExtraRateA && HasExtraRateAGyomu(g)) || (k == Koshu::ExtraRateB && IsSekkeiGyomu(g));
}
// The 材料費 row of 測量.
constexpr bool IsZairyohiRow(int32_t g, int32_t k) { return k == Koshu::Zairyohi && IsSokuryoGyomu(g); }
// The 電子計算機使用料 rows of a 業務: DensiKeisankiAlt in every 業務, SekkeiDensi in the 設計-like
// 業務 and DensiKeisanki in the others.
constexpr bool IsDensiKoshuOf(int32_t g, int32_t k) {
    return k == Koshu::DensiKeisankiAlt || k == (IsDesignLikeGyomu(g) ? Koshu::SekkeiDensi : Koshu::DensiKeisanki);
}
// The 電子計算機使用料 rows whose rate the calculation finds: those of the standard 業務, and
// DensiKeisankiAlt in every 業務.
constexpr bool IsDensiRateRow(int32_t g, int32_t k) {
    return k == Koshu::DensiKeisankiAlt || (IsStandardGyomu(g) && IsDensiKoshuOf(g, k));
}
// 工種 rows that carry a 代価 sheet of their own: the rate rows over the extra sum, the 材料費 and
// the 電子計算機使用料 rows.
constexpr bool IsDaikaKoshu(int32_t g, int32_t k) {
    return IsExtraRateRow(g, k) || IsZairyohiRow(g, k) || IsDensiKoshuOf(g, k);
}

// The fixed 工種 in front of the first of which a special row is inserted.
struct CodeRange {
    int32_t low, high;
};
inline constexpr std::array<CodeRange, 3> kDensiRowAnchors{{{Koshu::Shokeihi, Koshu::LastFixed},
                                                           {Koshu::ShownTotal, Koshu::ShownTotal},
                                                           {Koshu::SonotaGenka, Koshu::IppanKanrihi}}};
inline constexpr std::array<CodeRange, 2> kSeidoRowAnchors{
    {{Koshu::ChokusetsuJinkenhi, Koshu::LastFixed}, {Koshu::ShownTotal, Koshu::ShownTotal}}};
inline constexpr std::array<CodeRange, 2> kZairyoRowAnchors{
    {{Koshu::ChokusetsuJinkenhi, Koshu::LastFixed}, {Koshu::ShownTotal, Koshu::IppanKanrihi}}};

// 歩掛 types (CBukakeDetail::m_bukakeType) with rules of their own.
struct BukakeType {
    enum : int32_t {
        Standard = 0,
        RowBefore = 1,              // 設計: the price of the row before × its own formula
        RowsBefore = 2,             // 設計: the price of the row before × the mean formula of the n rows before
        AnyLineIsAll = 3,           // any selected 工程 reads "全工程"
        Materials = 4,              // 土質調査: material lines with the Z1/Z2 marker lines
        MaterialsOther = 5,         // 土質調査: material lines of another layout
        MaxShokushuDays = 6,        // quantity: the most days of a 職種 of the rows before
        ShokushuCharges = 7,        // amount: the charges of the 職種 of the rows before
        DayCharges = 8,             // amount: the day charges of the 職種 of the rows before
        MaxCalendarDays = 9,        // quantity: those days as calendar days
        PerLL8 = 13,                // the quantity and the divisor come from the eighth LL value
        Unpriced = 22,              // neither a unit price nor an amount; never numbered
        KoshuTotal = 23,            // 工種計: the quantities and amounts of the 種別 rows above
        SekkeiRowsCut = 27,         // 設計 by lines (DouroCalc): cut to four digits
        SekkeiRowsUnfactored = 28,  // 設計 by lines: 電子計算機使用料 of the unfactored direct labour
        SekkeiRows = 29,            // 設計 by lines
        SokuryoCut = 30,            // 測量 (DouroCalc): cut to four digits
        SokuryoRows = 31,           // 測量 by lines (DouroCalc), cut to four digits
    };
};
// 歩掛 types 6..9: the rows of days and day charges.
constexpr bool IsDayType(int32_t t) { return detail::In(t, BukakeType::MaxShokushuDays, BukakeType::MaxCalendarDays); }

// The 変化率・補正率 code of the item's factor (ninth rate slot).
inline constexpr int32_t kFactorRateCode = 900;

}  // namespace calc

// Part of an amount calculation to return (CalcSokuryoKingaku, CalcSekkeiKingaku, CalcBukkenKingaku,
// CalcDoshitsuKingaku and the operations under them). Each calculation reads the parts it knows
// and treats the others as stated there.
enum class AmountPart : int {
    Amount = 0,                       // unit price (or lump amount) × factor, special expense included
    DirectLabour = 1,                 // direct labour × factor as unit price or lump amount (設計: with
                                      // 電子計算機使用料)
    AmountPerBase = 2,                // as Amount, per base quantity (not divided by it)
    DirectLabourPerBase = 3,          // as DirectLabour, per base quantity (設計, 物件調査)
    SpecialExpense = 4,               // 設計: 電子計算機使用料 alone; 物件調査: the material part alone
    LabourOnly = 5,                   // 設計: direct labour × factor; 物件調査: all labour; no expense part
    MaterialMarker = 6,               // 土質調査: the part of the first "Z1" line (材料費率)
    MachineMarker = 7,                // 土質調査: the part of the first "Z2" line (機械経費率)
    WithoutSeido = 8,                 // 測量: as Amount without 精度管理費
    UnitBeforeFactor = 9,             // 測量: the unit price before the factor
    PerLL8Unrounded = 10,             // 測量, 歩掛 type 13: before the last rounding and the LL division
    PerLL8UnroundedWithoutSeido = 11, // as PerLL8Unrounded without 精度管理費
    PerBaseWithoutSeido = 12,         // 測量 by lines: as AmountPerBase without 精度管理費
    Densi = 13,                       // 測量: direct labour × factor per unit (the 電子計算機使用料 base);
                                      // 設計 by lines: 電子計算機使用料 alone
};
