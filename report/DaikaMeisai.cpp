#include "report/DaikaMeisai.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"
#include "master/MasterTexts.h"
#include "estimate/EstimateTexts.h"

using namespace reporttext;
using namespace reportsheet;
using calc::BukakeType;
using calc::Gyomu;

namespace {

constexpr char kSheetMeisai[] = "代価歩掛明細表";
// The sheet row that holds the cost groups over the trade columns.
constexpr int kCostGroupRow = 7;

// The first n in first..last whose "<prefix>n" the template has; 0 when none.
int FirstNumbered(CReportJob& job, const char* prefix, int first, int last) {
    for (int n = first; n <= last; ++n)
        if (ProbeCell(job, Numbered(prefix, n))) return n;
    return 0;
}

std::string Commas(int value) {
    std::string text;
    CEstimateReport::FormatNumberWithCommas(value, text);
    return text;
}

// A type-4 detail line that names a trade: first value 1 or 2.
bool IsTradeLine(const CBukakeDetailLine& line) { return line.m_columns[0] == 1 || line.m_columns[0] == 2; }

const CTankaRow* TradeRow(const CTankaFile& tanka, int32_t id) { return IsUnset(id) ? nullptr : tanka.FindRow(id); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Free parts: the template's layout and the trade columns

MeisaiCapacity ProbeMeisaiCapacity(CReportJob& job) {
    MeisaiCapacity capacity;
    if (ProbeCell(job, "**備考あり金額8")) {
        capacity.trades = 8;
        capacity.amountCell = "**備考あり金額8";
    } else if (ProbeCell(job, "**備考あり金額9")) {
        capacity.trades = 9;
        capacity.amountCell = "**備考あり金額9";
    }
    // A form may name more columns than the staffing table has; it fills ten at most.
    const int named = FirstNumbered(job, "**費目数", 1, 16);
    capacity.columns = named > 0 ? std::min(named, kMeisaiMaxColumns) : capacity.trades;
    return capacity;
}

int CountShokushuColumns(const CBukakeDetail& detail) {
    for (int k = kMeisaiMaxColumns; k > 0; --k)
        if (!IsUnset(detail.m_shokushu[static_cast<size_t>(k - 1)])) return k;
    return 0;
}

int FindTradeLine(const CBukakeDetail& detail, int column) {
    if (column < 0) return -1;
    int seen = 0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        if (!line || !IsTradeLine(*line)) continue;
        if (seen++ == column) return i;
    }
    return -1;
}

int32_t GetColumnShokushuId(const CBukakeDetail& detail, int column) {
    if (column < 0 || column >= kMeisaiMaxColumns) return kUnset;
    if (detail.m_bukakeType != BukakeType::Materials) return detail.m_shokushu[static_cast<size_t>(column)];
    const int i = FindTradeLine(detail, column);
    if (i < 0) return kUnset;
    const int32_t id = detail.GetLine(i)->m_columns[1];
    return id > 0 ? id : kUnset;
}

int32_t FindFirstRomuhiColumn(const CBukakeDetail& detail, const CTankaFile& tanka, int columns) {
    for (int i = 0; i < columns; ++i) {
        const CTankaRow* row = TradeRow(tanka, GetColumnShokushuId(detail, i));
        if (row && row->m_kind == 1) return i;
    }
    return kUnset;
}

int32_t GetLineShokushuQuantity(const CBukakeDetail& detail, int line, int column) {
    const CBukakeDetailLine* l = detail.GetLine(line);
    if (!l || column < 0 || column >= kMeisaiMaxColumns) return kUnset;
    return l->m_columns[static_cast<size_t>(column)];
}

void WriteShokushuHeadings(CReportJob& job, const CBukakeDetail& detail, const CTankaFile& tanka, int32_t priceColumn,
                           int columns) {
    const bool omit = job.IsKingakuOmitted() != 0;
    for (int i = 0; i < columns; ++i) {
        const CTankaRow* row = TradeRow(tanka, GetColumnShokushuId(detail, i));
        if (!row) continue;
        job.SetCellText(Numbered("**職種", i + 1), row->m_name);
        const int32_t price = pricing::PriceInColumn(*row, priceColumn);
        if (!omit && price >= 0) job.SetCellInt(Numbered("**単価", i + 1), price);
    }
    // Columns before the first 労務費 trade are 直接人件費, the rest 労務費.
    const int32_t k = FindFirstRomuhiColumn(detail, tanka, columns);
    auto direct = [k](int i) { return IsUnset(k) || i < k; };
    for (int i = 0; i < columns; ++i)
        job.SetCellText(Numbered("**費用別", i + 1), direct(i) ? kDaikaJinkenhi : mastertext::kTankaKindRomuhi);
    for (int i = 0; i < columns; ++i)
        job.SetCellText(Numbered("**費用個別", i + 1), direct(i) ? mastertext::kTankaKindChokusetsuJinkenhi : mastertext::kTankaKindRomuhi);

    if (ProbeCell(job, "**費用別連結なし")) return;
    int first = 2;
    for (int n = 1; n <= 16; ++n)
        if (ProbeCell(job, Numbered("**連結開始列", n))) first = n;
    auto join = [&job](int from, int to) {
        if (to > from) job.JoinCells(from, kCostGroupRow, to, kCostGroupRow);
    };
    if (!IsUnset(k) && k != 0) {
        join(first, first + k - 1);
        join(first + k, first + columns - 1);
    } else {
        join(first, first + columns - 1);
    }
}

// ---------------------------------------------------------------------------------------------
// The estimate's page

std::unique_ptr<CSekisanData> CEstimateReport::PricingCopy() const {
    auto calc = std::make_unique<CSekisanData>();
    calc->GetItemList()->Copy(m_estimate);
    calc->SetCalcContext(&m_env);
    return calc;
}

namespace {

// The 歩掛 種別 of the item at index, or null.
const CBukakeShubetsu* ShubetsuOf(const ICalcEnvironment& env, const CSekisanData& calc, int index) {
    return BukakeShubetsuOf(env.GetBukakeFile(), calc.GetItemList()->GetItem(index));
}

// The correction formula of the detail as the page explains it.
std::string CorrectionFormulaText(const std::string& formula) {
    for (int s = 1; s <= 8; ++s)
        if (formula.find("S" + std::to_string(s)) != std::string::npos) return kMeisaiTotalCorrection;
    if (formula == "1") return kMeisaiCorrectionH9;
    if (formula.size() == 2)
        for (int h = 1; h <= 8; ++h)
            if (formula == "H" + std::to_string(h))
                return std::string(kMeisaiCorrectionSlotBefore) + formula + kMeisaiCorrectionSlotAfter;
    return std::string(kMeisaiCorrectionFormulaBefore) + formula + kMeisaiCorrectionFormulaAfter;
}

}  // namespace

int32_t CEstimateReport::GetColumnShokushuId(const CSekisanData& calc, int index, int column) const {
    const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index);
    return shubetsu ? ::GetColumnShokushuId(shubetsu->GetDetail(), column) : kUnset;
}

int32_t CEstimateReport::FindFirstRomuhiColumn(const CSekisanData& calc, int index, int columns) const {
    const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index);
    return shubetsu ? ::FindFirstRomuhiColumn(shubetsu->GetDetail(), m_env.GetTankaFile(), columns) : kUnset;
}

int32_t CEstimateReport::GetLineShokushuQuantity(CSekisanData& calc, int index, int line, int column) const {
    const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index);
    if (!shubetsu) return kUnset;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    if (detail.m_bukakeType != BukakeType::Materials) return ::GetLineShokushuQuantity(detail, line, column);
    // A type-4 歩掛 has one quantity per trade: its trade line's formula.
    const int tradeLine = FindTradeLine(detail, column);
    if (line != 0 || tradeLine < 0) return kUnset;
    const double x = calc.CalcBukakeFormula(shubetsu, index, 3, tradeLine);
    return x >= 0.0 ? DoubleToLong(x * 100.0) : kUnset;
}

int CEstimateReport::WriteShokushuColumns(CSekisanData& calc, int index, int columns, const std::string& amountCell,
                                          std::optional<double> correction, double& directLabour, double& labour) {
    if (const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index))
        WriteShokushuHeadings(m_job, shubetsu->GetDetail(), m_env.GetTankaFile(), m_estimate.m_nTankaColumn, columns);
    return WriteJininkeiRows(calc, index, columns, amountCell, correction, directLabour, labour);
}

int CEstimateReport::WriteJininkeiRows(CSekisanData& calc, int index, int columns, const std::string& amountCell,
                                       std::optional<double> correction, double& directLabour, double& labour) {
    directLabour = 0.0;
    labour = 0.0;
    const CSekisanItem* item = calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index);
    if (!item || !shubetsu) return 0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const CTankaFile& tanka = m_env.GetTankaFile();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool bukken = item->m_nGyomu == Gyomu::Bukken;
    const bool type4 = detail.m_bukakeType == BukakeType::Materials;
    const int kubun = calc.HasKubunritsu(*shubetsu, item->m_nGyomu);
    // With no single correction each line is corrected with a rate of its own (a 区分率): its remark
    // shows that rate, so that the lines' amounts and their rates give the corrected amount.
    const bool lineRates = kubun == 1 && !correction;
    columns = std::clamp(columns, 0, kMeisaiMaxColumns);

    // Setup: the rows the table shows before the rest is summed into its last row, and the layout
    // with the totals at its foot. Lines beyond the item's 20 工程 flags count as not chosen; a
    // type-4 歩掛 has one row, its quantities being per 種別.
    int rowCapacity = 20;
    if (const int n = FirstNumbered(m_job, "**区分表示行計", 10, 25)) rowCapacity = n;
    const bool bottom = ProbeCell(m_job, "**合計最下段表示1");
    int lines = std::min(detail.GetLineCount(), CSekisanItem::kKoteiCount);
    if (bottom) lines = std::min(lines, 18);
    if (type4) lines = std::min(lines, 1);

    struct Column {
        bool trade = false;
        double total = 0.0;  // 人員計
        double pre = 0.0;    // 物件: before the correction
        int32_t price = kUnset;
        int kind = -1;       // of its 単価 row; -1 without one
    };
    std::array<Column, kMeisaiMaxColumns> col{};
    double qty0 = 0.0, qty1 = 0.0;
    int64_t amountTotal = 0;
    int r = 0;
    bool merged = false;
    bool full = false;
    // What the current table row shows; the merged last row sums its lines.
    std::array<double, kMeisaiMaxColumns> rowQty{};
    std::array<bool, kMeisaiMaxColumns> rowHas{};
    int64_t rowAmount = 0, rowDirect = 0, rowLabour = 0;
    std::optional<double> rowRate;  // a merged row's only while its lines share it

    for (int i = 0; i < lines; ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        if (!line || !item->m_bKotei[static_cast<size_t>(i)]) continue;
        const std::string& name = type4 ? shubetsu->m_name : line->m_name;
        if (name.empty()) continue;
        std::array<double, kMeisaiMaxColumns> raw{};
        std::array<bool, kMeisaiMaxColumns> has{};
        int64_t amount = 0, direct = 0, labourPart = 0;
        for (int j = 0; j < columns; ++j) {
            Column& c = col[static_cast<size_t>(j)];
            const int32_t id = ::GetColumnShokushuId(detail, j);
            if (IsUnset(id)) continue;
            c.trade = true;
            const int32_t q = GetLineShokushuQuantity(calc, index, i, j);
            if (IsUnset(q)) continue;
            double v = q / 100.0;
            raw[static_cast<size_t>(j)] = v;
            has[static_cast<size_t>(j)] = true;
            if (bukken) {
                c.pre += v;
                if (kubun == 1) v *= calc.CalcBukakeFormula(shubetsu, index, 1, i + 1);
            }
            c.total += v;
            const CTankaRow* row = tanka.FindRow(id);
            if (!row) continue;
            const int32_t p = std::max(pricing::PriceInColumn(*row, m_estimate.m_nTankaColumn), 0);
            c.price = p;
            c.kind = row->m_kind;
            const int a = DoubleToLong(p * v);
            amount += a;
            if (row->m_kind == 0) {
                direct += a;
                qty0 += v;
            } else if (row->m_kind == 1) {
                labourPart += a;
                qty1 += v;
            }
        }
        amountTotal += amount;
        if (amount <= 0) continue;
        const std::optional<double> rate =
            lineRates ? std::optional<double>(calc.CalcBukakeFormula(shubetsu, index, 1, i + 1)) : std::nullopt;

        if (!merged) {
            rowRate = rate;
            rowQty = raw;
            rowHas = has;
            rowAmount = amount;
            rowDirect = direct;
            rowLabour = labourPart;
        } else {
            for (size_t j = 0; j < rowQty.size(); ++j) {
                rowQty[j] += raw[j];
                rowHas[j] = rowHas[j] || has[j];
            }
            rowAmount += amount;
            rowDirect += direct;
            rowLabour += labourPart;
            if (rowRate != rate) rowRate.reset();
        }
        m_job.SetCellTextAt("**区分", 0, r, merged ? kMeisaiMergedRow : name);
        if (!omit) {
            for (int j = 0; j < columns; ++j)
                if (rowHas[static_cast<size_t>(j)])
                    m_job.SetCellFigureAt(Numbered("**数量", j + 1), 0, r, rowQty[static_cast<size_t>(j)], 2);
            if (!bukken) {
                if (rowDirect > 0) m_job.SetCellLongAt("**直接人件費行単位", 0, r, rowDirect);
                if (rowLabour > 0) m_job.SetCellLongAt("**労務費行単位", 0, r, rowLabour);
            }
            if (rowAmount > 0) m_job.SetCellLongAt(amountCell, 0, r, rowAmount);
            if (lineRates)
                m_job.SetCellTextAt("**直人労務費", 0, r,
                                    rowRate ? Format(kMeisaiLineCorrectionFormat, FactorText(*rowRate)) : std::string());
        }
        if (r < rowCapacity - 1) {
            ++r;
        } else {
            merged = true;
            full = true;
        }
    }
    // A full table's last row holds lines; its totals go on the row after it.
    const int totalRow = full ? r + 1 : r;
    // The 合計 row adds up the lines; a 物件 row's correction block puts the corrected staffing and
    // amount on a row of their own, the product of the uncorrected staffing ⑩ and the rate ⑪.
    const int64_t linesAmount = amountTotal;
    int correctedRow = -1;

    if (bukken) {
        if (const int n = FirstNumbered(m_job, "**補正前人員計表示行", 5, 20)) {
            correctedRow = n + 2;
            m_job.SetCellTextAt("**区分", 0, n, kMeisaiPreCorrection);
            m_job.SetCellTextAt("**区分", 0, n + 1, kubun == 1 ? kMeisaiKubunCorrection : kMeisaiCorrectionRow);
            m_job.SetCellTextAt("**区分", 0, n + 2, kMeisaiCorrectedStaff);
            qty0 = qty1 = 0.0;
            for (int j = 0; j < columns; ++j) {
                Column& c = col[static_cast<size_t>(j)];
                if (!(c.total > 0.0)) continue;
                if (!omit) {
                    m_job.SetCellFigureAt(Numbered("**数量", j + 1), 0, n, c.pre, 2);
                    if (correction)
                        m_job.SetCellFigureAt(Numbered("**数量", j + 1), 0, n + 1, *correction, FactorDecimals(*correction));
                }
                if (kubun != 1) c.total = correction.value_or(0.0) * c.total;
                c.total = RoundDown(c.total, 0.01);
                if (c.kind == 0) qty0 += c.total;
                if (c.kind == 1) qty1 += c.total;
            }
        }
        int64_t s = 0;
        for (const Column& c : col)
            if (!IsUnset(c.price) && c.total > 0.0) s += DoubleToLong(c.price * c.total);
        if (s > 0) amountTotal = s;
    }

    if (!omit) {
        if (qty0 > 0.0) m_job.SetCellFigure("**直接人件費人員計", qty0, 2);
        if (qty1 > 0.0) m_job.SetCellFigure("**労務費人員計", qty1, 2);
    }
    int staffRow = totalRow;
    int amountRow = totalRow;
    if (bottom) {
        staffRow = 18;
        if (const int n = FirstNumbered(m_job, "**人員計表示行", 10, 25))
            staffRow = n;
        else
            m_job.SetCellTextAt("**区分", 0, 19, kMeisaiAmountTotalRow);
        amountRow = 19;
    }
    m_job.SetCellTextAt("**区分", 0, staffRow,
                        ProbeCell(m_job, "**人件費合計名称変更") ? kMeisaiJinkenhiTotal : kMeisaiTotalRow);
    m_job.SetCellText("**dudaroda用人員計", kMeisaiStaffHeading);
    m_job.SetCellText("**dudaroda用金額", kMeisaiAmountHeading);
    if (!omit) {
        for (int j = 0; j < columns; ++j) {
            const Column& c = col[static_cast<size_t>(j)];
            if (!(c.total > 0.0)) continue;
            m_job.SetCellFigureAt(Numbered("**数量", j + 1), 0, staffRow, correctedRow < 0 ? c.total : c.pre, 2);
            if (correctedRow >= 0) m_job.SetCellFigureAt(Numbered("**数量", j + 1), 0, correctedRow, c.total, 2);
        }
        m_job.SetCellLongAt(amountCell, 0, amountRow, correctedRow < 0 ? amountTotal : linesAmount);
        if (correctedRow >= 0) m_job.SetCellLongAt(amountCell, 0, correctedRow, amountTotal);
    }
    // 業務 7: its change-rate rows go into "**区分" from row 18, below the totals when they reach it.
    if (item->m_nGyomu == Gyomu::KukakuSekkei && !bottom)
        WriteGyomuChikuJoken(calc, ChikuJokenStartRow(totalRow), index, static_cast<int>(amountTotal));

    double amt0 = 0.0, amt1 = 0.0;
    for (int j = 0; j < columns; ++j) {
        const Column& c = col[static_cast<size_t>(j)];
        if (!(c.total > 0.0) || IsUnset(c.price) || c.price <= 0) continue;
        const double x = c.price * c.total;
        if (c.kind == 0) amt0 += x;
        if (c.kind == 1) amt1 += x;
        if (!omit) m_job.SetCellLong(Numbered("**合計最下段表示", j + 1), DoubleToLong(x));
    }
    if (!omit) {
        // The amounts by cost kind, beside the row whose staffing they price.
        const int remarkRow = correctedRow < 0 ? totalRow : correctedRow;
        if (amt0 > 0.0) {
            m_job.SetCellTextAt("**直人労務費", 0, remarkRow,
                                kMeisaiDirectLabourBefore + Commas(DoubleToLong(amt0)) + kMeisaiBracketClose);
            m_job.SetCellLong("**直接人件費計", DoubleToLong(amt0));
        }
        if (amt1 > 0.0) {
            m_job.SetCellTextAt("**直人労務費", 0, amt0 > 0.0 ? remarkRow + 1 : remarkRow,
                                kMeisaiLabourBefore + Commas(DoubleToLong(amt1)) + kMeisaiBracketClose);
            m_job.SetCellLong("**労務費計", DoubleToLong(amt1));
        }
    }
    directLabour = amt0;
    labour = amt1;
    return totalRow;
}

// ---------------------------------------------------------------------------------------------
// Expense lines

namespace {

// The words of a rate entry's basis code for its marker (0 Z1, 1 Z2, 2 Z3): the quantity text and,
// for code 16 after Z1, the unit text too.
void BasisWords(int32_t basis, int marker, bool type4, std::string& quantity, std::string& unit) {
    switch (basis) {
        case 1: quantity = kBasisDirectLabour; break;
        case 2: quantity = kBasisLabour; break;
        case 4: quantity = marker == 0 ? kBasisZairyo : marker == 1 ? (type4 ? kBasisTanka : kBasisKikai) : kBasisSonota;
            break;
        case 8: quantity = kBasisJinkenhi; break;
        case 16:
            if (marker == 0) {
                quantity = kBasisAbove;
            } else {
                unit = kBasisPlusUnit;
                quantity = kBasisPlusKikai;
            }
            break;
        default: quantity.clear(); break;
    }
}

// Which of Z1, Z2, Z3 a formula text names (Z3 only where allowed); -1 for none.
int RateMarker(const std::string& formula, bool withZ3) {
    const std::string text = vemo::AsciiUpper(formula);
    if (text.find("Z1") != std::string::npos) return 0;
    if (text.find("Z2") != std::string::npos) return 1;
    if (withZ3 && text.find("Z3") != std::string::npos) return 2;
    return -1;
}

std::string RateText(double percentTimes100) { return Format(kDaikaRatePercent, percentTimes100 / 100.0); }

}  // namespace

std::string CEstimateReport::GetKeihiEntryTexts(CSekisanData& calc, const CBukakeShubetsu& shubetsu, int index,
                                                int kind, std::string& unit, std::string& quantity,
                                                std::string& price) const {
    std::string name;
    unit.clear();
    quantity.clear();
    price.clear();
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const bool type4 = detail.m_bukakeType == BukakeType::Materials;
    if (!type4 && detail.m_bukakeType != BukakeType::Standard) return name;
    const CBukakeHimokuSet& set = detail.GetHimokuSet();
    const int count = type4 ? detail.GetLineCount() : set.GetHimokuCount();
    for (int e = 0; e < count; ++e) {
        const CBukakeDetailLine* line = type4 ? detail.GetLine(e) : nullptr;
        const CBukakeHimoku* entry = type4 ? nullptr : set.GetHimoku(e);
        if (!line && !entry) continue;
        if ((type4 ? line->m_columns[0] : entry->m_values[0]) != kind) continue;
        if (!name.empty()) {
            // A second entry of the kind: one lump line for the whole part.
            name.clear();
            price.clear();
            unit = estimate_texts::UnitShiki;
            quantity = kKeihiLumpQuantity;
            break;
        }
        if (type4 && IsTradeLine(*line)) {
            if (const CTankaRow* row = m_env.GetTankaFile().FindRow(line->m_columns[1])) {
                name = row->m_name;
                unit = row->m_unit;
                quantity = vemo::FormatFixed(calc.CalcBukakeFormula(&shubetsu, index, 3, e), 3);
                const int32_t p = pricing::PriceInColumn(*row, m_estimate.m_nTankaColumn);
                if (p >= 0) price = Commas(p);
            }
            continue;
        }
        const int32_t materialId = type4 ? line->m_columns[1] : entry->m_values[1];
        const std::string& formula = type4 ? line->m_name : entry->m_name;
        if (const CZairyoTankaItem* material = m_env.GetZairyoTankaFile().FindItem(materialId)) {
            name = material->m_name;
            unit = material->m_unit;
            double x = 0.0, y = 0.0;
            if (type4) {
                x = calc.CalcBukakeFormula(&shubetsu, index, 3, e);
                const int32_t percentage = line->m_columns[2];
                y = (percentage < 1 ? 1.0 : percentage / 100.0) * material->m_price;
            } else {
                calc.CalcZairyoAmount(entry, &x, &y);
            }
            if (x > 0.0) quantity = vemo::FormatFixed(x, 3);
            // The price the amount is worked with, fractions and all.
            if (y > 0.0) price = PriceText(y);
        }
        const int marker = RateMarker(formula, !type4);
        if (marker < 0) continue;
        // A rate entry: a percentage of its basis instead of a quantity and a price.
        unit.clear();
        int32_t rate = kUnset;
        int32_t basis = kUnset;
        if (type4) {
            rate = marker == 0 ? detail.m_rates[2] : detail.m_rates[0];
            basis = detail.m_shokushu[static_cast<size_t>(marker)];
        } else {
            rate = set.m_rates[static_cast<size_t>(marker)];
            basis = set.m_bases[static_cast<size_t>(marker)];
        }
        price = rate > 0 ? Format(kDaikaRatePercent, (rate + 1e-7) / 100.0) : std::string();
        BasisWords(basis, marker, type4, quantity, unit);
    }
    return name;
}

double CEstimateReport::WriteKeihiKubunRows(CSekisanData& calc, int index, int columns, int startRow,
                                            const std::string& amountCell, double directLabour, double labour,
                                            int* afterCorrection) {
    if (afterCorrection) *afterCorrection = 0;
    CSekisanItem* item = calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = ShubetsuOf(m_env, calc, index);
    if (!item || !shubetsu) return 0.0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const CCalcSettings& settings = m_env.GetCalcSettings();
    const bool omit = m_job.IsKingakuOmitted() != 0;

    int step = 1;
    if (const int n = FirstNumbered(m_job, "**経費区分ｽﾍﾟｰｽ", 1, 10)) step = n;
    enum class Block { Sokuryo, Sekkei, Bukken, Doshitsu } block;
    const char* marker = nullptr;
    switch (item->m_nGyomu) {
        case Gyomu::Sokuryo: case Gyomu::KukakuSokuryo: block = Block::Sokuryo; marker = "**測量経費"; break;
        case Gyomu::Sekkei: case Gyomu::KukakuSekkei: block = Block::Sekkei; marker = "**測量経費"; break;
        case Gyomu::Bukken: block = Block::Bukken; marker = "**物件経費"; break;
        case Gyomu::DoshitsuIppan: case Gyomu::DoshitsuKaiseki: block = Block::Doshitsu; marker = "**土質経費"; break;
        default: return 0.0;
    }
    if (!ProbeCell(m_job, marker)) return 0.0;

    // Under the staffing table, in its last three quantity columns, or in the form's own block.
    int r = startRow + 2;
    std::string nameCell = "**区分";
    std::string numberCells[3] = {Numbered("**数量", columns - 2), Numbered("**数量", columns - 1),
                                  Numbered("**数量", columns)};
    std::string amountColumn = amountCell;
    if (ProbeCell(m_job, "**経費区分")) {
        r = 0;
        nameCell = "**経費区分";
        for (int n = 1; n <= 3; ++n) numberCells[n - 1] = Numbered("**経費数量", n);
        amountColumn = "**経費金額";
        if ((block == Block::Sokuryo && detail.m_himokuMode == 0) || block == Block::Doshitsu) {
            m_job.SetCellTextAt("**経費数量説明1", 0, 0, kKeihiUnitHeading);
            m_job.SetCellTextAt("**経費数量説明2", 0, 0, kKeihiQuantityHeading);
            m_job.SetCellTextAt("**経費数量説明3", 0, 0, kKeihiPriceHeading);
            m_job.SetCellText("**経費金額説明", kKeihiAmountHeading);
        }
    }

    int64_t total = 0;
    // A line of an amount at a rate of a base, the base named by word.
    auto rateAmountLine = [&](const char* name, int32_t rate, int a, const char* word) {
        m_job.SetCellTextAt(nameCell, 0, r, name);
        if (!omit) {
            m_job.SetCellTextAt(numberCells[1], 0, r, word);
            m_job.SetCellTextAt(numberCells[2], 0, r, RateText(rate));
            m_job.SetCellIntAt(amountColumn, 0, r, a);
        }
        total += a;
        r += step;
    };
    auto rateLine = [&](const char* name, int32_t rate, double base, const char* word) {
        rateAmountLine(name, rate, DoubleToLong(RoundDown(rate * base / 100.0 / 100.0, 1.0)), word);
    };
    auto entryLine = [&](int kind, int amount, const char* defaultName) {
        std::string unit, quantity, price;
        std::string name = GetKeihiEntryTexts(calc, *shubetsu, index, kind, unit, quantity, price);
        if (name.empty()) name = defaultName;
        m_job.SetCellTextAt(nameCell, 0, r, name);
        if (!unit.empty()) m_job.SetCellTextAt(numberCells[0], 0, r, unit);
        if (!omit) {
            if (!quantity.empty()) SetFigureOrText(m_job, numberCells[1], r, quantity, false);
            if (!price.empty()) SetFigureOrText(m_job, numberCells[2], r, price, true);
            m_job.SetCellIntAt(amountColumn, 0, r, amount);
        }
        total += amount;
        r += step;
    };
    const bool included = item->m_bSpecialExpense == 1;
    // The expenses of a 歩掛 priced from its trades: rate lines of the direct labour (費目 mode 1) or its
    // 費目 entries (mode 0); the machine expense they hold.
    auto componentLines = [&] {
        if (detail.m_himokuMode != 1 && detail.m_himokuMode != 0) return 0;
        const KeihiComponents parts =
            calc.CalcKeihiComponents(detail, DoubleToLong(directLabour + labour), DoubleToLong(directLabour));
        if (detail.m_himokuMode == 1) {
            for (const auto& rate : reportsheet::RateExpenseRows(detail, parts))
                if (rate.rate > 0) rateAmountLine(rate.name, rate.rate, rate.amount, kBasisDirectLabour);
        } else {
            if (parts.zairyo > 0) entryLine(0, parts.zairyo, mastertext::kZairyoKindZairyo);
            if (parts.kikai > 0) entryLine(1, parts.kikai, kDaikaKikaiKeihi);
            if (parts.sonota > 0) entryLine(2, parts.sonota, kKeihiSonota);
        }
        return std::max(parts.kikai, 0);
    };

    switch (block) {
        case Block::Sokuryo: {
            const int kikai = componentLines();
            const int32_t g = shubetsu->m_coefficient;
            if (g > 0 && included && settings.SeidoDsp == 0) {
                const double base = settings.SeidoCalc == 0 ? directLabour + labour + kikai : kikai + directLabour;
                const int amount = DoubleToLong(RoundDown(base * g / 100.0, 1.0));
                m_job.SetCellTextAt(nameCell, 0, r, estimate_texts::RowSeidoKanrihi);
                if (!omit) {
                    m_job.SetCellTextAt(numberCells[0], 0, r, kKeihiSeidoKikai);
                    m_job.SetCellTextAt(numberCells[1], 0, r,
                                        settings.SeidoCalc == 0 ? kKeihiSeidoJinkenhi : kBasisDirectLabour);
                    m_job.SetCellTextAt(numberCells[2], 0, r, Format(kDaikaRatePercent, static_cast<double>(g)));
                    m_job.SetCellIntAt(amountColumn, 0, r, amount);
                }
                total += amount;
            }
            break;
        }
        case Block::Sekkei:
            // The programme fee the row is priced with, corrected with the labour.
            if (const int fee = pricing::ProgramFee(m_env.GetProgramKingakuFile(), *item); fee > 0) {
                m_job.SetCellTextAt(nameCell, 0, r, kDaikaProgramFee);
                if (!omit) m_job.SetCellIntAt(amountColumn, 0, r, fee);
                total += fee;
                r += step;
            }
            // 電子計算機使用料 as the price charges it: a rate of the corrected direct labour (of the
            // uncorrected one for the type that keeps it unfactored), added after the correction.
            if (detail.m_rates[0] > 0 && included && settings.DensiDsp == 0) {
                const int densi = std::max(calc.CalcSekkeiKingaku(item, index, AmountPart::SpecialExpense), 0);
                const bool unfactored = detail.m_bukakeType == BukakeType::SekkeiRowsUnfactored;
                rateAmountLine(estimate_texts::RowDensiKeisanki, detail.m_rates[0], densi,
                               unfactored ? kBasisDirectLabour : kBasisCorrectedDirectLabour);
                if (afterCorrection) *afterCorrection = densi;
            }
            break;
        case Block::Bukken:
            if (detail.m_rates[0] > 0) rateLine(kDaikaKikaiKeihi, detail.m_rates[0], directLabour, kBasisDirectLabour);
            // The material part, a rate of the direct labour as the calculation prices it; with ZairyoDsp it
            // is priced on the estimate's 材料費等 row instead of this one.
            if (included && detail.m_rates[2] > 0 && settings.ZairyoDsp == 0)
                rateLine(mastertext::kZairyoKindZairyo, detail.m_rates[2], directLabour, kBasisDirectLabour);
            break;
        case Block::Doshitsu: {
            if (detail.m_bukakeType == BukakeType::Standard) {
                componentLines();
                break;
            }
            auto positive = [](double x) { return x > 0.0 ? DoubleToLong(x) : 0; };
            const int zairyo = positive(calc.SumZairyoByKey(item, index, *shubetsu, 3)) +
                               positive(calc.CalcDoshitsuKingaku(item, index, AmountPart::MaterialMarker));
            const int kikai = positive(calc.SumZairyoByKey(item, index, *shubetsu, 4)) +
                              positive(calc.CalcDoshitsuKingaku(item, index, AmountPart::MachineMarker));
            const int sonota = positive(calc.SumZairyoByKey(item, index, *shubetsu, 5));
            if (zairyo > 0) entryLine(3, zairyo, mastertext::kZairyoKindZairyo);
            if (kikai > 0) entryLine(4, kikai, kDaikaKikaiKeihi);
            if (sonota > 0) entryLine(5, sonota, kKeihiSonota);
            break;
        }
    }
    return static_cast<double>(total);
}

// ---------------------------------------------------------------------------------------------
// The page

int CEstimateReport::WriteDaikaMeisaiPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page) {
    const CSekisanItem* item = calc.GetItemList()->GetItem(index);
    if (!item) return 0;
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool perLL8 = detail.m_bukakeType == BukakeType::PerLL8;

    m_job.BeginPage(kSheetMeisai, "1");
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    const std::string number = DaikaNumber(item->m_nDaikaNo);
    m_job.SetCellText("**第～号一位代価歩掛明細表", Format(kMeisaiTitleFormat, item->m_nDaikaNo));
    m_job.SetCellText("**第～号一位代価表", number + (m_daikaName.empty() ? estimate_texts::DefaultDaikaName : m_daikaName));
    m_job.SetCellText("**代価表代価番号のみ", number);
    const std::string perUnit = Format(kMeisaiPerUnitFormat, item->m_strUnit.c_str());
    if (!perLL8) m_job.SetCellText("**単位当り", perUnit);

    // The correction from the amount per unit to the corrected amount, as the calculation applied it;
    // none single when a 区分率 corrects each 工程 line. The staffing table takes it too (0 when not
    // positive).
    std::optional<double> correction = calc.AppliedFactor(index);
    if (correction) {
        const double c = *correction;
        correction = c > 0.0 ? c : 0.0;
        if (!omit) {
            m_job.SetCellText("**補正率", Format(kMeisaiCorrectionFormat, c > 0.0 ? (c - 1.0) * 100.0 : 0.0));
            if (c > 0.0) m_job.SetCellFigure("**補正率2", c, FactorDecimals(c));
        }
    } else if (!omit) {
        m_job.SetCellText("**補正率", kMeisaiNoSingleCorrection);
    }
    if (!item->m_strNameLower.empty())
        m_job.SetCellText("**補正項目", kMeisaiBracketOpen + item->m_strNameLower + kMeisaiBracketClose);
    if (!detail.m_formula.empty()) m_job.SetCellText("**補正式", CorrectionFormulaText(detail.m_formula));

    // The corrections one by one.
    std::string text;
    std::array<std::string, 9> names, descriptions;
    std::array<double, 9> values{};
    if (calc.BuildHenkaritsuText(text, index, names, descriptions, values, omit ? 1 : 0) == 0) {
        for (int i = 0; i < 9; ++i) {
            const size_t k = static_cast<size_t>(i);
            if (!names[k].empty()) m_job.SetCellTextAt("**各補正名称", 0, 2 * i, names[k]);
            if (!descriptions[k].empty())
                m_job.SetCellTextAt("**各補正説明", 0, 2 * i, kMeisaiBracketOpen + descriptions[k] + kMeisaiBracketClose);
            if (!IsNoPrice(values[k]) && !omit) m_job.SetCellDoubleAt("**各補正率", 0, 2 * i, values[k]);
        }
    }

    const bool quantitySet = !IsUnset(item->m_nQuantity) && item->m_nQuantity >= 1;
    if (quantitySet)
        m_job.SetCellText("**数量当り",
                          Format(kMeisaiPerQuantityFormat, item->m_nQuantity / 1000.0, item->m_strUnit.c_str()));
    if (!IsUnset(item->m_nAmount) && !omit) {
        if (calc::IsLumpUnit(item->m_strUnit))
            m_job.SetCellLong("**補正後の金額", item->m_nAmount);
        else if (!IsUnset(item->m_nUnitPrice))
            m_job.SetCellDouble("**補正後の金額", item->m_nUnitPrice / 10.0);
    }
    m_job.SetCellText("**種別名", item->m_strNameUpper);
    m_job.SetCellText("**～当たり", Format(kDaikaBasisFormat, detail.m_quantity / 100.0, detail.m_unit.c_str()));
    m_job.SetCellInt("**ページ", page);

    // What the form shows: trades, their amount column and the columns filled.
    const MeisaiCapacity capacity = ProbeMeisaiCapacity(m_job);
    if (CountShokushuColumns(detail) > capacity.trades)
        AfxMessageBox(Format(kMeisaiTooManyTrades, item->m_strNameUpper.c_str(), capacity.trades));

    double direct = 0.0, labour = 0.0;
    const int row = WriteShokushuColumns(calc, index, capacity.columns, capacity.amountCell, correction, direct, labour);
    const int directPart = DoubleToLong(direct);
    const int labourPart = DoubleToLong(labour);
    // ① is what the correction multiplies: an expense the price adds after the correction is left
    // out of it and named in the explanation instead.
    int after = 0;
    const double total =
        std::max(directPart, 0) + std::max(labourPart, 0) +
        WriteKeihiKubunRows(calc, index, capacity.columns, row, capacity.amountCell, direct, labour, &after) - after;
    // The amount per unit as the row is priced (none for a zero or unset basis); the amount of the
    // row's quantity is that amount times the quantity. Type 13 converts its total by the eighth LL
    // value instead.
    const std::optional<double> unitAmount = perLL8 ? std::nullopt : PerUnitAmount(detail, *item, total);
    if (!omit) {
        m_job.SetCellLong("**人件費直接経費合計", DoubleToLong(total));
        if (unitAmount) m_job.SetCellLong("**単位当り金額", DoubleToLong(*unitAmount));
        const std::optional<double> perQuantity = perLL8 ? std::optional<double>(total) : unitAmount;
        if (quantitySet && perQuantity)
            m_job.SetCellLong("**数量当り金額", DoubleToLong(*perQuantity * item->m_nQuantity / 1000.0));
    }
    // The explanation names what the correction multiplies: ① while it is the amount per unit (or there
    // is none), else the amount per unit by its text.
    const bool ofTotal = !unitAmount || *unitAmount == DoubleToLong(total);
    const std::string multiplied = ofTotal ? std::string(kHenkaCircled1) : perUnit;
    std::string explanation = Format(after > 0 ? kMeisaiDensiExplanationFormat : kMeisaiExplanationFormat,
                                     multiplied.c_str());
    if (item->m_nGyomu == Gyomu::Bukken) {
        explanation = Format(kMeisaiBukkenExplanationFormat, multiplied.c_str());
    } else if (perLL8) {
        const int32_t ll8 = item->m_nLL[7];
        explanation = Format(after > 0 ? kMeisaiPerLL8DensiFormat : kMeisaiPerLL8Format,
                             IsUnset(ll8) ? 0.0 : ll8 / 10000.0, item->m_strUnit.c_str(), perUnit.c_str());
    } else if (after > 0 && !ofTotal) {
        // The expense is added to the corrected amount of the 歩掛's basis, before it is taken per unit.
        explanation = Format(kMeisaiPerBasisDensiFormat, detail.m_quantity / 100.0, detail.m_unit.c_str(), perUnit.c_str());
    }
    // A price cut to four significant digits says so before its figure.
    if (calc.CutsToFourDigits(*item) && explanation.ends_with(kMeisaiEquals))
        explanation.insert(explanation.size() - std::strlen(kMeisaiEquals), kDaikaFourDigits);
    m_job.SetCellText("**補正説明", explanation);
    m_job.EndPage();
    return 1;
}
