#pragma once
#include <cstdint>

// The codes the masters and the estimates are organised by: the 業務 codes, the 工種 codes of the
// fixed rows, and the categories of the other 工種 codes with their ranges. The numbers live here
// only; the masters, the calculation (estimate/CalcCodes.h) and the layers above use the names.

// 業務 codes (CBukakeGyomu::m_code, CSekisanItem::m_nGyomu). Codes 1..32 are business kinds; the
// summary rows after all 業務 carry codes of their own.
struct Gyomu {
    enum : int32_t {
        Sokuryo = 1,          // 測量
        Sekkei = 2,           // 設計
        Bukken = 3,           // 物件調査
        DoshitsuIppan = 4,    // 土質調査 (一般)
        DoshitsuKaiseki = 5,  // 土質調査 (解析)
        KukakuSokuryo = 6,    // 区画整理測量
        KukakuSekkei = 7,     // 区画整理設計
        LastStandard = 7,     // the business kinds the program knows by their rules end here
        LastCalculated = 31,  // the whole recalculation runs the main pass for 1..31
        LastBusiness = 32,    // highest business-kind code

        // Summary rows.
        Sonota = 89,       // その他: quantity × unit price, into the subtotal
        FirstTotal = 90,   // 90..99: the total rows
        Goukei = 95,       // 合計: subtotal of the 業務 totals and the その他 rows
        Nebiki = 96,       // 値引き: adjustment
        Aratamekei = 97,   // 改メ計: subtotal + adjustment
        Shohizei = 98,     // 消費税相当額: its rate × (subtotal + adjustment)
        ItakuryoKei = 99,  // 業務委託料計: the total
    };
};

// The business kinds 測量 … 区画整理設計, whose masters and rules the program knows.
constexpr bool IsStandardGyomu(int32_t g) { return g >= Gyomu::Sokuryo && g <= Gyomu::LastStandard; }
// The total rows after all 業務 (合計 … 業務委託料計).
constexpr bool IsTotalGyomu(int32_t g) { return g >= Gyomu::FirstTotal && g <= Gyomu::ItakuryoKei; }
// 業務 kinds that share rules.
constexpr bool IsSokuryoGyomu(int32_t g) { return g == Gyomu::Sokuryo || g == Gyomu::KukakuSokuryo; }
constexpr bool IsSekkeiGyomu(int32_t g) { return g == Gyomu::Sekkei || g == Gyomu::KukakuSekkei; }
constexpr bool IsDoshitsuGyomu(int32_t g) { return g == Gyomu::DoshitsuIppan || g == Gyomu::DoshitsuKaiseki; }
// 設計, 区画整理設計 and 土質調査 (解析): overheads as rates of the direct labour (直接人件費).
constexpr bool IsDesignLikeGyomu(int32_t g) { return IsSekkeiGyomu(g) || g == Gyomu::DoshitsuKaiseki; }
// 業務 whose labour splits into the new and the conventional method and that keep a 業務原価.
constexpr bool IsLabourSplitGyomu(int32_t g) { return IsDesignLikeGyomu(g) || g == Gyomu::Bukken; }
// 業務 whose 種別 rows carry a 安全費 rate (測量, 設計, 土質調査 (一般) and the 区画整理 kinds).
constexpr bool HasAnzenhiGyomu(int32_t g) {
    return IsSokuryoGyomu(g) || IsSekkeiGyomu(g) || g == Gyomu::DoshitsuIppan;
}
// 業務 whose 安全費 stands on a rate row of the first kind (Koshu::ExtraRateA).
constexpr bool HasExtraRateAGyomu(int32_t g) { return IsSokuryoGyomu(g) || g == Gyomu::DoshitsuIppan; }
// 業務 whose 種別 take no プログラム金額 (測量, 土質調査 (一般), 区画整理測量).
constexpr bool TakesNoProgramKingaku(int32_t g) { return IsSokuryoGyomu(g) || g == Gyomu::DoshitsuIppan; }

// 工種 codes of the rows with a rule of their own (CBukakeKoshu::m_code, CSekisanItem::m_nKoshu).
struct Koshu {
    enum : int32_t {
        Days = 13,                // 測量: its 種別 DayCount and DayCharge
        Common = 69,              // the 業務's common lump 工種, fixed like 90..99
        RateWithDensi = 70,       // 測量: a rate of the direct cost with the first 81 and 92 rows
        ExtraRateA = 71,          // 業務 1, 4, 6: a rate of the extra sum (lump rows, extra rates)
        ExtraRateB = 79,          // 業務 2, 7: the same among the rate rows B
        DensiKeisanki = 81,       // 電子計算機使用料 (first rate table)
        Zairyohi = 85,            // 測量: 材料費 (the materials the 歩掛 name)
        SekkeiDensi = 85,         // 業務 2, 5, 7: 電子計算機使用料 (the code of Zairyohi)
        DensiKeisankiAlt = 838,   // 電子計算機使用料 (second rate table)
        SeidoRow = 847,           // 精度管理費 on a row of its own (SeidoDsp)
        DensiRow = 899,           // 電子計算機使用料 on a row of its own (DensiDsp)
        ChokusetsuhiKei = 90,     // 直接費計: the direct cost (直接測量費, 直接調査費); first fixed row
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

// The fixed two-digit rows 90..99 (直接費計 … the last total row).
constexpr bool IsFixedKoshu(int32_t k) { return k >= Koshu::ChokusetsuhiKei && k <= Koshu::LastFixed; }
// The fixed three-digit rows 900..999 (業務原価 … 材料費等).
constexpr bool IsFixedHighKoshu(int32_t k) { return k >= 900 && k <= 999; }

// The categories of 工種 codes: each category is a fixed low range and a three-digit range of codes.
// The 歩掛 master allocates and places 工種 by category; the calculation prices their rows by it.
struct KoshuCategory {
    enum : int {
        None = -1,    // 0 and below, 90..99, 900 and above
        Priced = 0,   // 人件費・歩掛あり: 1..68, 100..689
        Lump = 1,     // 人件費・諸経費対象・直接金額入力・歩掛なし: 69, 690..699
        RateA = 2,    // 直接費・諸経費対象・率入力: 70..74, 700..749
        RateB = 3,    // 直接経費・諸経費対象外・率入力: 75..79, 750..799
        Special = 4,  // 直接費・諸経費対象・直接金額入力: 80..84, 800..849
        Tail = 5,     // 直接経費・諸経費対象外・直接金額入力: 85..89, 850..899
    };
};

struct KoshuCodeRange {
    int32_t low, high;
};
inline constexpr int kKoshuCategoryCount = 6;
// The ranges of each category: [0] the fixed low codes, [1] the three-digit codes.
inline constexpr KoshuCodeRange kKoshuCategoryRanges[kKoshuCategoryCount][2] = {
    {{1, 68}, {100, 689}},  {{69, 69}, {690, 699}}, {{70, 74}, {700, 749}},
    {{75, 79}, {750, 799}}, {{80, 84}, {800, 849}}, {{85, 89}, {850, 899}},
};

// The category of a 工種 code, KoshuCategory::None outside all ranges.
constexpr int KoshuCodeCategory(int32_t code) {
    for (int category = 0; category < kKoshuCategoryCount; ++category)
        for (const KoshuCodeRange& r : kKoshuCategoryRanges[category])
            if (code >= r.low && code <= r.high) return category;
    return KoshuCategory::None;
}

// The lowest 工種 code of all categories.
inline constexpr int32_t kFirstKoshuCode = kKoshuCategoryRanges[KoshuCategory::Priced][0].low;

// The groups of categories that keep their order within a 業務 (the 歩掛 master's 工種 and the
// estimate's rows move only within their group): priced and lump, then the rates and the special
// amounts, then the tail amounts.
struct KoshuGroup {
    enum : int {
        None = -1,
        Priced = 0,  // KoshuCategory Priced, Lump
        Rated = 1,   // RateA, RateB, Special
        Tail = 2,    // Tail
    };
};
constexpr int KoshuCategoryGroup(int category) {
    switch (category) {
        case KoshuCategory::Priced:
        case KoshuCategory::Lump: return KoshuGroup::Priced;
        case KoshuCategory::RateA:
        case KoshuCategory::RateB:
        case KoshuCategory::Special: return KoshuGroup::Rated;
        case KoshuCategory::Tail: return KoshuGroup::Tail;
        default: return KoshuGroup::None;
    }
}
constexpr int KoshuCodeGroup(int32_t code) { return KoshuCategoryGroup(KoshuCodeCategory(code)); }

// 設計 (業務 2): the priced codes the shipped masters hold. The user's new 工種 take the codes after
// them; those a former master gave in this range move up by its length when they are carried over.
inline constexpr KoshuCodeRange kSekkeiShippedKoshu{100, 299};
inline constexpr int32_t kSekkeiShippedKoshuCount = kSekkeiShippedKoshu.high - kSekkeiShippedKoshu.low + 1;

// 区画整理測量 工種 of its own (61..63): kept when 測量 is copied onto it; their formula values are
// used with all their decimals.
constexpr bool IsKukakuOwnKoshu(int32_t k) { return k >= 61 && k <= 63; }

// 土質調査 工種 of the 全地連 edition (in 業務 4 and 5).
constexpr bool IsZenchirenKoshu(int32_t k) { return (k >= 400 && k <= 689) || (k >= 840 && k <= 849); }
