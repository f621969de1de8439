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
// part selector of the amount calculations. The numbers live here only; the calculation and its
// tests use the names.
namespace calc {

// "業務" and "式" are lump units: a row in them is priced as a whole.
inline bool IsLumpUnit(const std::string& unit) {
    return unit == estimate_texts::UnitGyomu || unit == estimate_texts::UnitShiki;
}

// True when value is one of the codes listed.
constexpr bool IsOneOf(int32_t value, std::initializer_list<int32_t> codes) {
    return std::find(codes.begin(), codes.end(), value) != codes.end();
}

// 業務 codes (CSekisanItem::m_nGyomu). Codes 1..32 are business kinds; the summary rows after all
// 業務 carry codes of their own.
struct Gyomu {
    enum : int32_t {
        Sokuryo = 1,          // 測量
        Sekkei = 2,           // 設計
        Bukken = 3,           // 物件調査
        DoshitsuIppan = 4,    // 土質調査 (一般)
        DoshitsuKaiseki = 5,  // 土質調査 (解析)
        KukakuSokuryo = 6,    // 区画整理測量
        KukakuSekkei = 7,     // 区画整理設計
        LastCalculated = 31,  // the whole recalculation runs the main pass for 1..31
        LastBusiness = 32,    // highest business-kind code

        // Summary rows.
        Sonota = 89,       // その他: quantity × unit price, into the subtotal
        Goukei = 95,       // 合計: subtotal of the 業務 totals and the その他 rows
        Nebiki = 96,       // 値引き: adjustment
        Aratamekei = 97,   // 改メ計: subtotal + adjustment
        Shohizei = 98,     // 消費税相当額: its rate × (subtotal + adjustment)
        ItakuryoKei = 99,  // 業務委託料計: the total
    };
};

// 業務 kinds that share rules.
constexpr bool IsSokuryoGyomu(int32_t g) { return g == Gyomu::Sokuryo || g == Gyomu::KukakuSokuryo; }
constexpr bool IsSekkeiGyomu(int32_t g) { return g == Gyomu::Sekkei || g == Gyomu::KukakuSekkei; }
// 業務 whose labour splits into the new and the conventional method and that keep a 業務原価.
constexpr bool IsLabourSplitGyomu(int32_t g) {
    return IsOneOf(g, {Gyomu::Sekkei, Gyomu::Bukken, Gyomu::DoshitsuKaiseki, Gyomu::KukakuSekkei});
}
// 設計, 区画整理設計 and 土質調査 (解析): overheads as rates of the direct labour (直接人件費).
constexpr bool IsDesignLikeGyomu(int32_t g) {
    return IsOneOf(g, {Gyomu::Sekkei, Gyomu::DoshitsuKaiseki, Gyomu::KukakuSekkei});
}

// 工種 codes of the rows with a rule of their own (CSekisanItem::m_nKoshu).
struct Koshu {
    enum : int32_t {
        Days = 13,                // 測量: its 種別 DayCount and DayCharge
        RateWithDensi = 70,       // 測量: a rate of the direct cost with the first 81 and 92 rows
        ExtraRateA = 71,          // 業務 1, 4, 6: a rate of the extra sum (lump rows, extra rates)
        ExtraRateB = 79,          // 業務 2, 7: the same among the rate rows B
        DensiKeisanki = 81,       // 電子計算機使用料 (first rate table)
        Zairyohi = 85,            // 測量: 材料費 (the materials the 歩掛 name)
        SekkeiDensi = 85,         // 業務 2, 5, 7: 電子計算機使用料 (the code of Zairyohi)
        DensiKeisankiAlt = 838,   // 電子計算機使用料 (second rate table)
        SeidoRow = 847,           // 精度管理費 on a row of its own (SeidoDsp)
        DensiRow = 899,           // 電子計算機使用料 on a row of its own (DensiDsp)
        ChokusetsuhiKei = 90,     // 直接費計: the direct cost (直接測量費, 直接調査費)
        ChokusetsuJinkenhi = 91,  // 直接人件費 (人件費, 純調査費)
        DenshiSeikahin = 92,      // 電子成果品作成費; 精度管理費 in 業務 4
        Shokeihi = 93,            // 諸経費
        GijutsuKeihi = 94,        // 技術経費
        GyomuKakaku = 95,         // 業務価格: the 業務 total and its rounding
        Nebiki = 96,              // 値引き: adjustment
        Aratamekei = 97,          // 改メ計: total + adjustment
        DirectShare = 98,         // 業務 4: 0.7 % of the direct cost
        LastFixed = 99,           // end of the fixed two-digit rows
        GyomuGenka = 910,         // 業務原価
        ConventionalTotal = 911,  // total of the conventional method
        ChokusetsuKeihi = 912,    // 直接経費
        ShownTotal = 913,         // the amounts shown outside the 業務原価
        Nameless = 914,           // a row whose name is emptied unless the user set it
        SonotaGenka = 915,        // その他原価: a share of the new-method labour
        IppanKanrihi = 916,       // 一般管理費等: a share of the 業務原価
        ZairyoRow = 917,          // 材料費等 on a row of its own (ZairyoDsp)
    };
};

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
constexpr bool KeepsFullFactor(int32_t g, int32_t k) { return g == Gyomu::KukakuSokuryo && detail::In(k, 61, 63); }

// The rate rows over the extra sum: ExtraRateA in 業務 1, 4, 6 and ExtraRateB in 業務 2, 7.
constexpr bool IsExtraRateRow(int32_t g, int32_t k) {
    return (k == Koshu::ExtraRateA && IsOneOf(g, {Gyomu::Sokuryo, Gyomu::DoshitsuIppan, Gyomu::KukakuSokuryo})) ||
           (k == Koshu::ExtraRateB && IsSekkeiGyomu(g));
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
