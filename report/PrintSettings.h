#pragma once
#include <cstdint>

// The page settings of a print: which parts of the estimate report are printed and how they are
// numbered. The page-settings dialog edits a copy; the report driver and the sheet builders read
// them through the report job. Copied whole.
struct CPrintSettings {
    // A number box left empty.
    static constexpr int kUnset = INT32_MIN;

    int printHyoshi = 0;        // 表紙を印刷する
    int setDate = 1;            // 日付を設定する
    int printSokatsu = 1;       // 総括表を印刷する
    int printGyomuSokatsu = 1;  // 業務価格総括表を印刷する
    int printDaika = 1;         // 代価表を印刷する
    int daikaStartNo = kUnset;  // number of the first 一位代価表
    int printDaikaMeisai = 0;   // 代価明細表を印刷する
    int setStartPage = 1;       // 開始頁を設定する
    int startPage = 1;          // kUnset when the box was left empty
    int pageBreakPerGyomu = 1;  // 業務毎に改頁する
    int omitKingaku = 0;        // 単価（金額）抜きで印刷する
    int tankaStartNo = 1;       // number of the first 単価表

    bool operator==(const CPrintSettings&) const = default;
};
