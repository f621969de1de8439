#pragma once
#include <cstdint>

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

// The category of a 工種 code, KoshuCategory::None outside all ranges.
constexpr int KoshuCodeCategory(int32_t code) {
    struct Range {
        int32_t low, high;
    };
    constexpr Range kRanges[6][2] = {
        {{1, 68}, {100, 689}},  {{69, 69}, {690, 699}}, {{70, 74}, {700, 749}},
        {{75, 79}, {750, 799}}, {{80, 84}, {800, 849}}, {{85, 89}, {850, 899}},
    };
    for (int category = 0; category < 6; ++category)
        for (const Range& r : kRanges[category])
            if (code >= r.low && code <= r.high) return category;
    return KoshuCategory::None;
}
