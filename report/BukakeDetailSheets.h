#pragma once
#include <cstdint>
#include <string>

#include "estimate/CalcEnvironment.h"
#include "platform/Constants.h"

class CBukakeDetail;
class CReportJob;
class CTankaFile;
class CZairyoTankaFile;

// The one-page prints of a 歩掛 detail that the detail dialog offers before any estimate uses it: its
// 代価表 and its 代価歩掛明細表, laid out as the estimate report's pages of a 種別 row but with no row,
// no 代価 number ("第    号") and no correction. The trades are priced in the 単価 master's default
// price column; without one they carry no price.
//
// Each writer opens the template of the print form first and returns the pages it wrote: 1, or -1
// when the template could not be opened (the job has told the user why; nothing is written).

// What the application gives the detail dialog for these prints: the template of the current print
// form and the calculation settings (SeidoCalc decides the base of the 精度管理費).
struct CBukakeDetailPrintSetup {
    std::string formPath;
    CCalcSettings settings;
};

// The 種別 whose detail is printed.
struct BukakeDetailShubetsu {
    int gyomu = kUnset;
    std::string name;
    int32_t coefficient = kUnset;  // 精度管理係数 ×100
};

namespace detailprint {

// The 代価表 page: a line per trade column with a 単価 row (quantity: the column's total over the
// lines), the labour total, the rate rows of a 測量 detail with the direct-cost layout or else the
// 材料及び機械経費 block, 電子計算機使用料 of 設計, 精度管理費 of 測量, 合計 and the amount of one unit
// (empty when the quantity basis is 0 or unset).
int WriteDaikaPage(CReportJob& job, const CBukakeDetail& detail, const BukakeDetailShubetsu& shubetsu,
                   const CTankaFile& tanka, const CZairyoTankaFile& zairyo, const CBukakeDetailPrintSetup& setup);

// The 代価歩掛明細表 page: the trade headings and their cost kinds, a row per line (at most 20) with the
// quantities by trade and the line's amount, and the totals row. More trades than the form shows are
// told, and the page is written with the columns that fit.
int WriteMeisaiPage(CReportJob& job, const CBukakeDetail& detail, const BukakeDetailShubetsu& shubetsu,
                    const CTankaFile& tanka, const CBukakeDetailPrintSetup& setup);

}  // namespace detailprint
