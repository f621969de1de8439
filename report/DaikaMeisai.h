#pragma once
#include <cstdint>
#include <string>

class CBukakeDetail;
class CReportJob;
class CTankaFile;

// The parts of a 代価歩掛明細表 page that need only the job, the 歩掛 detail and the masters: what the
// template offers, the trade of each column and the column headings. The estimate report's page
// (CEstimateReport::WriteDaikaMeisaiPage) and the 歩掛 detail print of the master editor share them.

// The layout of a 代価歩掛明細表 page, learnt from the template of the open page.
struct MeisaiCapacity {
    int trades = 10;                     // trade columns of the form: 8, 9 or 10
    std::string amountCell = "**金額";   // the amount column of the lines and totals
    int columns = 10;                    // trade columns filled: the form's "**費目数n", else trades
};

// The most trade columns a page fills: the staffing table has ten.
inline constexpr int kMeisaiMaxColumns = 10;

// Probes the open page: "**備考あり金額8" gives 8 trades and that amount column, "**備考あり金額9"
// 9, otherwise 10 and "**金額"; the first "**費目数n" (n = 1..16) the template has gives the
// columns, at most kMeisaiMaxColumns (the trades when it has none).
MeisaiCapacity ProbeMeisaiCapacity(CReportJob& job);

// The highest 職種 column (0..9) the detail sets, plus one; 0 when it sets none.
int CountShokushuColumns(const CBukakeDetail& detail);

// The 職種 (単価 row id) of a trade column: the detail's column id, or for a type-4 歩掛 the id of
// its (column+1)-th trade line (a line whose first value is 1 or 2 and whose second is a positive
// id); kUnset otherwise.
int32_t GetColumnShokushuId(const CBukakeDetail& detail, int column);
// The index of the (column+1)-th trade line of a type-4 歩掛; -1 when there is none.
int FindTradeLine(const CBukakeDetail& detail, int column);
// The first of the columns whose trade is a 労務費 row of the 単価 master; kUnset when none is.
int32_t FindFirstRomuhiColumn(const CBukakeDetail& detail, const CTankaFile& tanka, int columns);
// The quantity (×100) of a trade column in a line of a 歩掛 other than type 4; kUnset when the line
// or its value is missing.
int32_t GetLineShokushuQuantity(const CBukakeDetail& detail, int line, int column);

// The headings of the trade columns: "**職種n" the trade's name and "**単価n" its price in the price
// column (when not negative, and unless amounts are omitted) for each column with a 単価 row; then
// the cost kind of every column ("**費用別n" 人件費 or 労務費, "**費用個別n" 直接人件費 or 労務費,
// 労務費 from the first 労務費 trade on) and the merge of the cost groups over row 7, unless the
// template holds "**費用別連結なし". The first trade column of the sheet is the last "**連結開始列n"
// (n = 1..16) the template has, else column 2.
void WriteShokushuHeadings(CReportJob& job, const CBukakeDetail& detail, const CTankaFile& tanka, int32_t priceColumn,
                           int columns);
