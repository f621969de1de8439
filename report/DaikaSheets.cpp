#include "report/EstimateReport.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "estimate/CalcEnvironment.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

// The 代価表 family of the estimate report: the walk over the estimate's rows, the 一位代価表 pages
// and the 材料及び機械経費 block they share with the 単価表 pages.

using namespace reporttext;

namespace {

constexpr char kSheetDaika[] = "代価表";

bool Between(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

namespace {

std::string Printf(const char* format, double value, const std::string& text) {
    const int size = std::snprintf(nullptr, 0, format, value, text.c_str());
    std::string out(static_cast<size_t>(size), '\0');
    std::snprintf(out.data(), out.size() + 1, format, value, text.c_str());
    return out;
}

std::string PerUnitText(const std::string& unit) {
    const int size = std::snprintf(nullptr, 0, kDaikaPerUnitFormat, unit.c_str());
    std::string out(static_cast<size_t>(size), '\0');
    std::snprintf(out.data(), out.size() + 1, kDaikaPerUnitFormat, unit.c_str());
    return out;
}

std::string DaikaNumber(int number) {
    const int size = std::snprintf(nullptr, 0, kDaikaNumberFormat, number);
    std::string out(static_cast<size_t>(size), '\0');
    std::snprintf(out.data(), out.size() + 1, kDaikaNumberFormat, number);
    return out;
}

bool IsSokuryo(int gyomu) { return gyomu == 1 || gyomu == 6; }

}  // namespace

namespace {

std::string RateText(const char* format, double rate) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, rate);
    return buffer;
}

// The remark of a rate row by its basis code; marker 0, 1, 2 for Z1, Z2, Z3.
const char* KeihiRemark(int basis, int marker, bool daika) {
    switch (basis) {
        case 1: return daika ? kKeihiOfDirectLabour : kMeisaiOfDirectLabour;
        case 2: return daika ? kKeihiOfLabour : kMeisaiOfLabour;
        case 4:
            if (marker == 0) return daika ? kKeihiOfZairyo : kMeisaiOfZairyo;
            if (marker == 1) return daika ? kKeihiOfKikai : kMeisaiOfKikai;
            return daika ? kKeihiOfSonota : kMeisaiOfSonota;
        case 8: return daika ? kKeihiOfJinkenhi : kMeisaiOfJinkenhi;
        case 16: return daika ? kKeihiOfAbove : kMeisaiOfAbove;
        default: return nullptr;
    }
}

}  // namespace

int WriteZairyoKikaiRows(int lastRow, CReportJob& job, const CSekisanData& calc, const CBukakeDetail& detail,
                         double directLabour, double labour, double& part1, double& part2, double& part3, int style) {
    const bool omit = job.IsKingakuOmitted() != 0;
    const bool daika = style == 1;
    const int jinkenhi = DoubleToLong(directLabour + labour);
    const int direct = DoubleToLong(directLabour);
    // The bases of the rate entries (Z1, Z2, Z3).
    int bases[3] = {0, 0, 0};
    calc.CalcKeihiParts(&detail, jinkenhi, direct, 6, &bases[1], &bases[2], &bases[0]);
    const CBukakeHimokuSet& set = detail.GetHimokuSet();
    const CZairyoTankaFile& zairyo = calc.CalcContext().GetZairyoTankaFile();
    int r = lastRow;
    for (int i = 0; i < set.GetHimokuCount(); ++i) {
        const CBukakeHimoku* entry = set.GetHimoku(i);
        const CZairyoTankaItem* material = entry ? zairyo.FindItem(entry->m_values[1]) : nullptr;
        if (!material) continue;
        double quantity = 0.0;
        double price = 0.0;
        const double x = calc.CalcZairyoAmount(entry, &quantity, &price);
        double amount = 0.0;
        std::string remark;
        if (x >= 0.0) {
            amount = RoundDown(x, 1.0);
            const int32_t loss = entry->m_values[2];
            if (!IsUnset(loss) && loss >= 1) {
                char buffer[128];
                std::snprintf(buffer, sizeof buffer, kZairyoLossRate, static_cast<double>(loss), material->m_price);
                remark = buffer;
            }
        } else {
            const int marker = x == -2.0 ? 0 : x == -3.0 ? 1 : x == -4.0 ? 2 : -1;
            if (marker < 0 || bases[marker] < 1) continue;
            amount = bases[marker];
            quantity = 1.0;
            price = 0.0;
            if (const char* format = KeihiRemark(set.m_bases[static_cast<size_t>(marker)], marker, daika))
                remark = RateText(format, set.m_rates[static_cast<size_t>(marker)] / 100.0);
        }
        ++r;
        job.SetCellTextAt("**名称", 0, r, daika ? material->m_name : kDaikaTradeIndent + material->m_name);
        job.SetCellTextAt("**単位", 0, r, material->m_unit);
        if (remark.empty() && !material->m_extra.empty()) remark = " " + material->m_remarks;
        if (omit) continue;
        job.SetCellDoubleAt("**数量", 0, r, quantity);
        if (price > 0.0) job.SetCellDoubleAt("**単価", 0, r, price);
        job.SetCellDoubleAt("**金額", 0, r, amount);
        if (!remark.empty()) job.SetCellTextAt("**摘要", 0, r, remark);
    }
    int parts[3] = {0, 0, 0};
    calc.CalcKeihiParts(&detail, jinkenhi, direct, 0, &parts[1], &parts[2], &parts[0]);
    const int64_t sum = static_cast<int64_t>(parts[0]) + parts[1] + parts[2];
    if (sum >= 1) {
        ++r;
        job.SetCellTextAt("**名称", 0, r, kZairyoKikaiTotal);
        if (!omit) job.SetCellDoubleAt("**金額", 0, r, static_cast<double>(sum));
        part1 = parts[0];
        part2 = parts[1];
        part3 = parts[2];
    }
    return r;
}

int CEstimateReport::BuildDaikaSheets(int lastPage) {
    m_daikaLastPage = lastPage;
    // The calculation works on its own copy of the estimate, priced with the report's masters.
    CSekisanData calc;
    calc.GetItemList()->Copy(m_estimate);
    calc.SetCalcContext(&m_env);
    const CBukakeFile& bukake = m_env.GetBukakeFile();
    const int douroCalc = m_env.GetCalcSettings().DouroCalc;
    const int filter = m_job.GetDaikaStartNo();
    int written = 0;
    for (int i = 0; i < calc.GetItemList()->GetCount(); ++i) {
        const CSekisanItem* item = calc.GetItemList()->GetItem(i);
        if (!item || item->GetLevel() != 2 || IsUnset(item->m_nDaikaNo)) continue;
        if (!m_job.IsDaikaPrinted() || (!IsUnset(filter) && filter != item->m_nDaikaNo)) continue;
        if (!IsSokuryo(item->m_nGyomu)) continue;
        const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
        if (!shubetsu) continue;
        const int type = shubetsu->GetDetail().m_bukakeType;
        // Under DouroCalc 1 these rows are priced on 単価表 pages of their own.
        if (douroCalc == 1 && IsUnset(item->m_nWeightAverage) && (Between(type, 27, 29) || type == 31)) continue;
        ++written;
        WriteDaikaPage(calc, i, *shubetsu, lastPage + written);
    }
    return lastPage + written;
}

void CEstimateReport::WriteDaikaHeader(const CSekisanItem& item, const CBukakeShubetsu& shubetsu, int page) {
    const CBukakeDetail& detail = shubetsu.GetDetail();
    m_job.BeginPage(kSheetDaika, "1");
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    m_job.SetCellInt("**ページ", page);
    const std::string number = DaikaNumber(item.m_nDaikaNo);
    m_job.SetCellText("**第～号一位代価表", number + (m_daikaName.empty() ? kDaikaDefaultTitle : m_daikaName));
    m_job.SetCellText("**一位代価表名称", kDaikaPageTitle);
    m_job.SetCellText("**代価表代価番号のみ", number);
    m_job.SetCellText("**種別名", item.m_strNameUpper);
    m_job.SetCellText("**～当たり", Printf(kDaikaBasisFormat, detail.m_quantity / 100.0, detail.m_unit));
}

void CEstimateReport::WriteDaikaPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page) {
    const CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const CTankaFile& tanka = m_env.GetTankaFile();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    // A detail whose expenses are rates of the direct labour prints its trades unindented, a direct
    // cost total and the rate rows instead of the 材料及び機械経費 block.
    const bool directLayout = detail.m_himokuMode == 1;
    WriteDaikaHeader(item, shubetsu, page);

    // Trade lines: each 職種 column's quantity over the item's chosen 工程 lines, priced in the
    // estimate's price column.
    double directLabour = 0.0;
    double labour = 0.0;
    int row = 0;
    const int lines = std::min(detail.GetLineCount(), CSekisanItem::kKoteiCount);
    for (int k = 0; k < 10; ++k) {
        const CTankaRow* trade = IsUnset(detail.m_shokushu[static_cast<size_t>(k)])
                                     ? nullptr
                                     : tanka.FindRow(detail.m_shokushu[static_cast<size_t>(k)]);
        if (!trade) continue;
        int64_t q = 0;
        for (int j = 0; j < lines; ++j) {
            const int32_t value = detail.GetLine(j)->m_columns[static_cast<size_t>(k)];
            if (item.m_bKotei[static_cast<size_t>(j)] && !IsUnset(value)) q += value;
        }
        const int32_t price = pricing::PriceInColumn(*trade, m_estimate.m_nTankaColumn);
        if (price < 0) continue;
        const double amount = RoundDown(static_cast<double>(price) * static_cast<double>(q) / 100.0, 1.0);
        if (amount <= 0.0) continue;
        m_job.SetCellTextAt("**名称", 0, row, directLayout ? trade->m_name : kDaikaTradeIndent + trade->m_name);
        m_job.SetCellTextAt("**単位", 0, row, trade->m_unit);
        if (!omit) {
            const bool lump = trade->m_unit == kDaikaLumpUnit;
            m_job.SetCellDoubleAt("**数量", 0, row, lump ? 1.0 : static_cast<double>(q) / 100.0);
            if (!lump) m_job.SetCellIntAt("**単価", 0, row, price);
            m_job.SetCellDoubleAt("**金額", 0, row, amount);
        }
        (trade->m_kind == 1 ? labour : directLabour) += amount;
        ++row;
    }

    // The programme fee of the item's プログラム金額 record counts as 労務費.
    const int32_t programCode = item.m_nYearCode;
    if (!IsUnset(programCode) && programCode != 30000 && programCode != 30001) {
        const CProgramKingakuRecord* program = m_env.GetProgramKingakuFile().FindRecord(programCode);
        if (program && program->m_fee > 0) {
            m_job.SetCellTextAt("**名称", 0, row, kDaikaProgramFee);
            if (!omit) m_job.SetCellIntAt("**金額", 0, row, program->m_fee);
            labour += program->m_fee;
            ++row;
        }
    }

    // The labour total, with the direct labour in brackets.
    directLabour = RoundDown(directLabour, 1.0);
    labour = RoundDown(labour, 1.0);
    m_job.SetCellTextAt("**名称", 0, row, directLayout ? kDaikaChokusetsuhiKei : kDaikaJinkenhiKei);
    if (!omit) {
        m_job.SetCellDoubleAt("**金額", 0, row, directLabour + labour);
        if (directLabour > 0.0)
            m_job.SetCellDoubleAt("**摘要", 0, row, -directLabour);
        else
            m_job.SetCellTextAt("**摘要", 0, row, kDaikaNoDirectLabour);
    }
    double total = directLabour + labour;
    // The expense that 精度管理費 is reckoned on with the labour: the machine expense.
    double kikai = 0.0;
    if (!directLayout) {
        double parts[3] = {0.0, 0.0, 0.0};
        row = WriteZairyoKikaiRows(row, m_job, calc, detail, directLabour, labour, parts[0], parts[1], parts[2], 1);
        total += parts[0] + parts[1] + parts[2];
        kikai = parts[0];
    } else {
        static constexpr const char* kRateRows[3] = {kDaikaKikaiKeihi, kDaikaTsushinUnpanhi, kDaikaZairyohi};
        for (size_t k = 0; k < 3; ++k) {
            const int32_t rate = detail.m_rates[k];
            if (IsUnset(rate) || rate < 1) continue;
            const double amount = RoundDown(rate * directLabour / 10000.0, 1.0);
            ++row;
            m_job.SetCellTextAt("**名称", 0, row, kRateRows[k]);
            if (!omit) {
                m_job.SetCellDoubleAt("**金額", 0, row, amount);
                m_job.SetCellTextAt("**摘要", 0, row, RateText(kDaikaRateOfDirectLabour, rate / 100.0));
            }
            total += amount;
            if (k == 0) kikai = amount;
        }
    }
    ++row;

    // 精度管理費: on the machine expense and the direct labour, with the 労務費 unless SeidoCalc.
    const CCalcSettings& settings = m_env.GetCalcSettings();
    const bool seido = shubetsu.m_coefficient >= 1 && item.m_bSpecialExpense == 1;
    const double seidoBase = directLabour + kikai + (settings.SeidoCalc ? 0.0 : labour);
    const double seidoAmount = RoundDown(seidoBase * shubetsu.m_coefficient / 100.0, 1.0);
    auto seidoRow = [&] {
        m_job.SetCellTextAt("**名称", 0, row, kDaikaSeidoKanrihi);
        if (!omit) {
            m_job.SetCellDoubleAt("**金額", 0, row, seidoAmount);
            m_job.SetCellTextAt("**摘要", 0, row, RateText(kDaikaSeidoCoefficient, shubetsu.m_coefficient / 100.0));
        }
        ++row;
    };
    if (seido && !settings.SeidoDsp) {
        seidoRow();
        total += seidoAmount;
    }
    total = RoundDown(total, 1.0);
    m_job.SetCellTextAt("**名称", 0, row, kDaikaGokei);
    if (!omit) m_job.SetCellDoubleAt("**金額", 0, row, total);
    ++row;

    // The per-unit rows; a zero or unset basis leaves their amounts empty.
    const int type = detail.m_bukakeType;
    if (type == 13 || (type == 30 && settings.DouroCalc == 1)) {
        m_job.EndPage();
        return;
    }
    const bool basis = !IsUnset(detail.m_quantity) && detail.m_quantity != 0;
    const double perUnit = basis ? RoundDown(total / (detail.m_quantity / 100.0), 1.0) : 0.0;
    double c = IsUnset(item.m_nWeightAverage) ? calc.CalcBukakeFormula(&shubetsu, index, 0, 0)
                                              : item.m_nWeightAverage / 1000.0;
    if (item.m_nGyomu != 6) c = RoundDown(c, 0.001);
    const double corrected = RoundDown(perUnit * c, 1.0);
    m_job.SetCellTextAt("**名称", 0, row, PerUnitText(detail.m_unit));
    if (!omit && basis) m_job.SetCellDoubleAt("**金額", 0, row, perUnit);
    ++row;
    if (!item.m_strNameLower.empty()) {
        m_job.SetCellTextAt("**名称", 0, row, item.m_strNameLower);
        if (!omit && basis) {
            m_job.SetCellDoubleAt("**金額", 0, row, corrected);
            CSekisanItem* own = calc.GetItemList()->GetItem(index);
            const int densi = calc.CalcSokuryoKingaku(own, index, AmountPart::Densi);
            if (densi >= 1) m_job.SetCellIntAt("**摘要", 0, row, densi);
        }
        ++row;
    }
    if (seido && settings.SeidoDsp && seidoBase > 0.0) {
        ++row;  // a blank row first
        seidoRow();
    }
    m_job.EndPage();
}

