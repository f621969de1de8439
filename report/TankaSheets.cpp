// The 単価表 of a 種別 priced line by line (DouroCalc): a row per 工程 line on the 種別's 代価表 page
// that refers to the line's 単価表, and one 単価表 page per line with its workers, expenses and the
// amount per unit. Two variants: 測量 lines with 精度管理費 (歩掛 type 31) and 設計 lines with
// 電子計算機使用料 (types 27-29).
#include <cstdio>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "platform/Rounding.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"
#include "master/MasterTexts.h"
#include "estimate/EstimateTexts.h"

using namespace reporttext;
using namespace reportsheet;

namespace {

constexpr char kSheetTanka[] = "単価表";
constexpr char kTitleCellFallback[] = "B3";

// One writer call: the rows it writes into and what both variants share.
struct TankaCall {
    CReportJob& job;
    CSekisanData& calc;
    int index;
    CSekisanItem& item;
    const CBukakeShubetsu& shubetsu;
    const CBukakeDetail& detail;
    bool omit;    // 単価（金額）抜き
    bool exempt;  // the 歩掛 keeps every digit (no truncation to four)
    int row = 0;

    void Text(const char* cell, int r, const std::string& text) { job.SetCellTextAt(cell, 0, r, text); }
    // Amount cells: only when amounts are printed.
    void Number(const char* cell, int r, double value) {
        if (!omit) job.SetCellDoubleAt(cell, 0, r, value);
    }
    void Remark(int r, const std::string& text) {
        if (!omit) job.SetCellTextAt("**摘要", 0, r, text);
    }
    bool LineChosen(int k) const { return k < CSekisanItem::kKoteiCount && item.m_bKotei[static_cast<size_t>(k)] == 1; }
    int Cut(int amount) const { return exempt ? amount : CSekisanData::TruncTo4Digits(amount); }
};

// A line with a worker quantity gets a 単価表 page.
bool HasWorkers(const CBukakeDetailLine& line) {
    for (int32_t v : line.m_columns)
        if (v > 0) return true;
    return false;
}

// Begins the 単価表 page of line k: number, title, names. The template's "単価表" sheet, else its
// "代価表" sheet.
void BeginTankaPage(TankaCall& w, const std::string& date, int page, int number, const std::string& lineName) {
    w.job.BeginPage(kSheetTanka, "1");
    bool fallback = false;
    if (w.job.GetErrorNo() != 0) {
        w.job.BeginPage(kSheetDaika, "1");
        fallback = true;
    }
    if (w.job.IsDatePrinted()) w.job.SetCellText("**日付", date);
    w.job.SetCellInt("**ページ", page);
    w.job.SetCellText("**第～号一位代価表", Format(kTankaTitleNumbered, number));
    if (w.job.GetErrorNo() != 0) {
        w.job.SetCellText("**一位代価表名称", kTankaTitle);
        if (w.job.GetErrorNo() != 0 && fallback) w.job.SetCellText(kTitleCellFallback, kTankaTitle);
    }
    w.job.SetCellText("**代価表代価番号のみ", DaikaNumber(number));
    w.job.SetCellText("**種別名", w.item.m_strNameUpper + kPlaceOpen + lineName + kPlaceClose);
    w.job.SetCellText("**～当たり", Format(kDaikaBasisFormat, w.detail.m_quantity / 100.0, w.detail.m_unit.c_str()));
    w.row = 0;
}

// The row of a detail line on a 代価表 page: one of its unit at amount q, referring to 単価表 number
// (which grows by one). The quantity stands also when amounts are left out.
void LineRow(TankaCall& w, int k, int q, int& number) {
    const std::string& name = w.detail.GetLine(k)->m_name;
    if (!name.empty()) w.Text("**名称", w.row, name);
    if (!w.detail.m_unit.empty()) w.Text("**単位", w.row, w.detail.m_unit);
    w.job.SetCellDoubleAt("**数量", 0, w.row, 1.0);
    w.Number("**単価", w.row, q);
    w.Number("**金額", w.row, q);
    w.Text("**摘要", w.row, Format(kTankaReference, number));
    ++w.row;
    ++number;
}

// A worker row of a 単価表 page.
void WorkerRow(TankaCall& w, const CTankaRow& worker, double quantity, int price, int amount) {
    const bool lump = worker.m_unit == estimate_texts::UnitShiki;
    w.Text("**名称", w.row, worker.m_name);
    w.Text("**単位", w.row, worker.m_unit);
    w.Number("**数量", w.row, lump ? 1.0 : quantity);
    if (!lump && !w.omit) w.job.SetCellIntAt("**単価", 0, w.row, price);
    if (!w.omit) w.job.SetCellIntAt("**金額", 0, w.row, amount);
}

// The rate row after the closing rows; it takes its row whether or not it is written.
void RateRow(TankaCall& w, const std::string& factorText, int amount) {
    const std::string text = RateText(w.item.m_strNameLower);
    if (!text.empty()) {
        w.Text("**名称", w.row, text);
        if (amount > 0) w.Number("**金額", w.row, amount);
        w.Remark(w.row, factorText);
    }
    ++w.row;
}

// ---- 精度管理費 variant ----------------------------------------------------------------------

void SeidoRows(TankaCall& w, int& number, const CCalcSettings& settings, bool included) {
    const CBukakeDetail& d = w.detail;
    double total = 0.0;
    w.row = 0;
    for (int k = 0; k < d.GetLineCount(); ++k) {
        if (!w.LineChosen(k)) continue;
        CSekisanData::RowTotals totals;
        double factor = 0.0;
        int q = w.calc.CalcRowKingaku(w.shubetsu, k, w.index, totals, AmountPart::Amount, &w.item, factor);
        if (q <= 0) continue;
        if (settings.DouroCalc == 1) q = w.Cut(q);
        LineRow(w, k, q, number);
        total += q;
    }
    w.Text("**名称", w.row, kDaikaGokei);
    if (total > 0) w.Number("**金額", w.row, w.Cut(static_cast<int>(total)));
    const int k1 = w.calc.CalcSokuryoKingaku(&w.item, w.index, AmountPart::DirectLabour);
    if (k1 > 0 && !w.omit) {
        if (w.exempt) {
            w.job.SetCellIntAt("**摘要", 0, w.row, k1);
        } else {
            std::string grouped;
            CEstimateReport::FormatNumberWithCommas(k1, grouped);
            w.Remark(w.row, kTankaSignificantBefore + grouped + kMeisaiBracketClose);
        }
    }
    const int a = w.calc.CalcSokuryoKingaku(&w.item, w.index, AmountPart::Amount);
    const int b = w.calc.CalcSokuryoKingaku(&w.item, w.index, AmountPart::WithoutSeido);
    const int s = a > 0 && b > 0 ? a - b : 0;
    if (!included && s > 0) {
        w.Text("**名称", w.row + 1, kTankaSeidoDeducted);
        w.Number("**金額", w.row + 1, b);
        w.Text("**名称", w.row + 3, estimate_texts::RowSeidoKanrihi);
        w.Number("**金額", w.row + 3, s);
    }
}

void SeidoPageBody(TankaCall& w, int k, const CTankaFile& tanka, int column) {
    const CBukakeDetail& d = w.detail;
    const CBukakeDetailLine& line = *d.GetLine(k);
    int64_t total = 0, direct = 0, labour = 0;
    for (size_t c = 0; c < 10; ++c) {
        const int32_t v = line.m_columns[c];
        if (v <= 0) continue;
        const CTankaRow* worker = IsUnset(d.m_shokushu[c]) ? nullptr : tanka.FindRow(d.m_shokushu[c]);
        if (!worker) continue;
        const int32_t price = pricing::PriceInColumn(*worker, column);
        if (price < 0) continue;  // no price: no row, no sum
        const double quantity = v / 100.0;
        const int amount = DoubleToLong(price * quantity);
        if (amount <= 0 || (worker->m_kind != 0 && worker->m_kind != 1)) continue;
        total += amount;
        (worker->m_kind == 0 ? direct : labour) += amount;
        WorkerRow(w, *worker, quantity, price, amount);
        ++w.row;
    }
    w.Text("**名称", w.row, kDaikaChokusetsuhiKei);
    if (total > 0) {
        w.Number("**金額", w.row, static_cast<double>(total));
        if (direct > 0) w.Number("**摘要", w.row, -static_cast<double>(direct));
    }
    ++w.row;

    CSekisanData::RowTotals parts;
    double factor = 0.0;
    const int lineAmount = w.calc.CalcRowKingaku(w.shubetsu, k, w.index, parts, AmountPart::Amount, &w.item, factor);
    auto expenseRow = [&](const char* name, int amount, const std::string& remark) {
        w.Text("**名称", w.row, name);
        w.Text("**単位", w.row, estimate_texts::UnitShiki);
        w.Number("**数量", w.row, 1.0);
        w.Number("**金額", w.row, amount);
        w.Remark(w.row, remark);
        ++w.row;
    };
    if (d.m_himokuMode == 0) {
        KeihiComponents block;
        w.row = WriteZairyoKikaiRows(w.row - 1, w.job, w.calc, d, static_cast<double>(direct),
                                     static_cast<double>(labour), block, 1) + 1;
    } else {
        for (const auto& rate : RateExpenseRows(d, parts.keihi))
            if (rate.amount > 0) expenseRow(rate.name, rate.amount, Format(kDaikaRateOfDirectLabour, rate.rate / 100.0));
    }
    if (parts.seido > 0)
        expenseRow(estimate_texts::RowSeidoKanrihi, parts.seido, Format(kDaikaSeidoCoefficient, w.shubetsu.m_coefficient / 100.0));
    const int64_t sum = static_cast<int64_t>(parts.labour) + parts.keihi.Sum() + parts.seido;
    w.Text("**名称", w.row, kDaikaGokei);
    if (sum > 0) w.Number("**金額", w.row, static_cast<double>(sum));
    ++w.row;

    CSekisanData::RowTotals scratch;
    double ownFactor = 0.0;
    const int perBase =
        w.calc.CalcRowKingaku(w.shubetsu, k, w.index, scratch, AmountPart::AmountPerBase, &w.item, ownFactor);
    RateRow(w, Format(kDaikaCorrection, FactorText(ownFactor)), perBase);

    w.Text("**名称", w.row, Format(kDaikaPerUnitFormat, d.m_unit));
    if (lineAmount > 0) {
        w.Number("**金額", w.row, w.Cut(lineAmount));
        if (!w.exempt) w.Remark(w.row, kDaikaFourDigits);
    }
    ++w.row;
}

// ---- 電子計算機使用料 variant ------------------------------------------------------------------

double LineFactor(TankaCall& w, int perLineRate, double once, int k) {
    return perLineRate ? w.calc.CalcBukakeFormula(&w.shubetsu, w.index, 1, k + 1) : once;
}

void DensiRows(TankaCall& w, int& number, const CCalcSettings& settings, int perLineRate, double once,
               bool included) {
    const CBukakeDetail& d = w.detail;
    int64_t densi = 0;
    w.row = 0;
    for (int k = 0; k < d.GetLineCount(); ++k) {
        if (!w.LineChosen(k)) continue;
        const double f = LineFactor(w, perLineRate, once, k);
        int direct = 0, x = 0, lineTotal = 0;
        const int q = w.calc.CalcRowWorkers(d, k, f, direct, x, AmountPart::Amount, &w.item, lineTotal);
        if (q <= 0) continue;
        // The line quotes what its 単価表 ends at (its labour and its 電子計算機使用料): the lines add
        // up to the 合計, which holds the 電子計算機使用料 whether it is included or shown below.
        LineRow(w, k, lineTotal, number);
        if (x > 0) densi += x;
    }
    int unused = 0;
    const int L = w.calc.CalcSekkeiKingakuByRows(&w.item, w.index, AmountPart::Amount, 0, unused);
    const int L1 = w.calc.CalcSekkeiKingakuByRows(&w.item, w.index, AmountPart::DirectLabour, 0, unused);
    const bool rated = d.m_rates[0] > 0;
    const bool flag = w.item.m_bSpecialExpense == 1;
    int64_t v = 0;
    if (settings.DensiDsp == 1)
        v = 0;
    else if (rated && !flag && settings.ShokeihiCalc == 0)
        v = densi;
    else if (rated && flag && settings.ShokeihiCalc == 1)
        v = -densi;
    w.Text("**名称", w.row, kDaikaGokei);
    if (L > 0) w.Number("**金額", w.row, included ? L : static_cast<double>(L + densi));
    if (L1 > 0) w.Number("**摘要", w.row, -static_cast<double>(L1 + v));
    if (!included && densi > 0) {
        w.Text("**名称", w.row + 1, kTankaDensiDeducted);
        w.Number("**金額", w.row + 1, L);
        if (settings.DensiDsp == 0 && settings.ShokeihiCalc == 0 && !flag) w.Number("**摘要", w.row + 1, -L1);
        w.Text("**名称", w.row + 3, estimate_texts::RowDensiKeisanki);
        w.Number("**金額", w.row + 3, static_cast<double>(densi));
    }
}

void DensiPageBody(TankaCall& w, int k, double f, int column) {
    const CBukakeDetail& d = w.detail;
    int64_t total = 0, direct = 0;
    const int decimals = w.calc.CalcContext().GetCalcSettings().ManDayDecimals();
    for (int c = 0; c < 10; ++c) {
        if (d.GetLine(k)->m_columns[static_cast<size_t>(c)] <= 0) continue;
        double rounded = 0.0, days = 0.0;
        CTankaRow worker;
        const int amount = w.calc.CalcWorkerSlot(d, k, c, f, rounded, days, worker);
        if (amount <= 0 || (worker.m_kind != 0 && worker.m_kind != 1)) continue;
        total += amount;
        if (worker.m_kind == 0) direct += amount;
        WorkerRow(w, worker, rounded, pricing::PriceInColumn(worker, column), amount);
        w.Remark(w.row, Format(kTankaWorkerRemark, days, f, decimals, rounded));
        ++w.row;
    }
    int directOut = 0, e = 0, lineTotal = 0;
    w.calc.CalcRowWorkers(d, k, f, directOut, e, AmountPart::AmountPerBase, &w.item, lineTotal);
    if (total > 0) {
        w.Number("**金額", w.row, static_cast<double>(total));
        if (direct > 0) w.Number("**摘要", w.row, -static_cast<double>(direct));
    }
    w.Text("**名称", w.row, e > 0 ? kDaikaChokusetsuhiKei : kDaikaGokei);
    ++w.row;
    if (e > 0) {
        w.Text("**名称", w.row, estimate_texts::RowDensiKeisanki);
        w.Text("**単位", w.row, estimate_texts::UnitShiki);
        w.Number("**数量", w.row, 1.0);
        w.Number("**金額", w.row, e);
        w.Remark(w.row, Format(kDaikaRatePercent, d.m_rates[0] / 100.0));
        ++w.row;
        w.Text("**名称", w.row, kDaikaGokei);
        w.Number("**金額", w.row, static_cast<double>(total + e));
        ++w.row;
    }
    int amount = 0;
    w.calc.CalcRowWorkers(d, k, f, directOut, e, AmountPart::Amount, &w.item, amount);
    w.Text("**名称", w.row, Format(kDaikaPerUnitFormat, d.m_unit));
    if (amount > 0) w.Number("**金額", w.row, RoundDown(amount, 1.0));
    ++w.row;
    RateRow(w, Format(kTankaFactor4, f), 0);
}

// ---- Both variants ---------------------------------------------------------------------------

// The rows (modes Both and DaikaRows) and the pages (Both and TankaPages) of one writer.
int WriteTanka(CReportJob& job, CSekisanData& calc, const CSekisanItemList& estimate, int page, int index,
               int perLineRate, int& tankaNo, CEstimateReport::TankaMode mode, bool densi) {
    using Mode = CEstimateReport::TankaMode;
    CSekisanItem* item = calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(calc.CalcContext().GetBukakeFile(), item);
    if (!shubetsu) return page;
    const CBukakeDetail& d = shubetsu->GetDetail();
    const CCalcSettings& settings = calc.CalcContext().GetCalcSettings();
    TankaCall w{job, calc, index, *item, *shubetsu, d, job.IsKingakuOmitted() != 0, d.m_programKingaku != 0};
    const bool flag = item->m_bSpecialExpense == 1;
    const bool included = densi ? d.m_rates[0] > 0 && flag && settings.DensiDsp == 0
                                : shubetsu->m_coefficient > 0 && flag && settings.SeidoDsp == 0;
    const double once = densi && !perLineRate ? calc.CalcBukakeFormula(shubetsu, index, 0, 0) : 0.0;

    // The rows go on the 代価表 page the caller has open; the pages never touch a page of another's
    // (in mode Both the caller's page is ended before the first 単価表 page).
    const int first = tankaNo;
    if (mode != Mode::TankaPages) {
        job.SetCellText("**～当たり", Format(kClosingPerOneName, d.m_unit));
        int number = first;
        if (densi)
            DensiRows(w, number, settings, perLineRate, once, included);
        else
            SeidoRows(w, number, settings, included);
        tankaNo = number;
    }
    if (mode == Mode::DaikaRows) return page;

    // The pages take the numbers the rows referred to.
    int number = first;
    bool callerPageOpen = mode == Mode::Both;
    const int column = calc.GetItemList()->m_nTankaColumn;
    for (int k = 0; k < d.GetLineCount(); ++k) {
        if (!w.LineChosen(k) || !HasWorkers(*d.GetLine(k))) continue;
        if (callerPageOpen) {
            job.EndPage();
            callerPageOpen = false;
        }
        ++page;
        BeginTankaPage(w, estimate.m_strDate, page, number, d.GetLine(k)->m_name);
        ++number;
        if (densi)
            DensiPageBody(w, k, LineFactor(w, perLineRate, once, k), column);
        else
            SeidoPageBody(w, k, calc.CalcContext().GetTankaFile(), column);
        job.EndPage();
    }
    tankaNo = number;
    return page;
}

}  // namespace

int CEstimateReport::WriteSeidoTankaSheet(CSekisanData& calc, int page, int index, int perLineRate, int& tankaNo,
                                          TankaMode mode) {
    return WriteTanka(m_job, calc, m_estimate, page, index, perLineRate, tankaNo, mode, false);
}

int CEstimateReport::WriteDensiTankaSheet(CSekisanData& calc, int page, int index, int perLineRate, int& tankaNo,
                                          TankaMode mode) {
    return WriteTanka(m_job, calc, m_estimate, page, index, perLineRate, tankaNo, mode, true);
}
