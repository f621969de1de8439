#include "report/EstimateReport.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "estimate/CalcEnvironment.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/MasterTexts.h"
#include "master/ProgramKingakuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Cp932.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"
#include "estimate/EstimateTexts.h"

// The 代価表 family of the estimate report: the walk over the estimate's rows, the 一位代価表 pages
// and the 材料及び機械経費 block they share with the 単価表 pages.

using namespace reporttext;

using namespace reportsheet;

namespace {

std::string PerUnitText(const std::string& unit) { return Format(kDaikaPerUnitFormat, unit); }

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

// A unit price in the 単価 column. The column's format shows whole yen, so a price with a fraction
// (a material price, or one with a loss rate) goes in with a copy of the format that shows its
// decimals; the line's amount is worked with the fraction.
void WritePrice(CReportJob& job, int row, double price) {
    const int decimals = reportsheet::PriceDecimals(price);
    if (decimals == 0)
        job.SetCellDoubleAt("**単価", 0, row, price);
    else
        job.SetCellFigureAt("**単価", 0, row, price, decimals, true);
}

}  // namespace

int WriteZairyoKikaiRows(int lastRow, CReportJob& job, const CSekisanData& calc, const CBukakeDetail& detail,
                         double directLabour, double labour, KeihiComponents& parts, int style) {
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
                remark = Format(kZairyoLossRate, static_cast<double>(loss), PriceDecimals(material->m_price),
                                material->m_price);
            }
        } else {
            const int marker = x == -2.0 ? 0 : x == -3.0 ? 1 : x == -4.0 ? 2 : -1;
            if (marker < 0 || bases[marker] < 1) continue;
            amount = bases[marker];
            quantity = 1.0;
            price = 0.0;
            if (const char* format = KeihiRemark(set.m_bases[static_cast<size_t>(marker)], marker, daika))
                remark = Format(format, set.m_rates[static_cast<size_t>(marker)] / 100.0);
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
    const KeihiComponents total = calc.CalcKeihiComponents(detail, jinkenhi, direct);
    const int64_t sum = total.Sum();
    if (sum >= 1) {
        ++r;
        job.SetCellTextAt("**名称", 0, r, kZairyoKikaiTotal);
        if (!omit) job.SetCellDoubleAt("**金額", 0, r, static_cast<double>(sum));
        parts = total;
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// The walk

namespace {

using calc::BukakeType;
using calc::Gyomu;
using calc::Koshu;

bool IsDoshitsu(int gyomu) { return gyomu == Gyomu::DoshitsuIppan || gyomu == Gyomu::DoshitsuKaiseki; }

// Priced per 工程 line on 単価表 pages under DouroCalc 1 (unless the correction is fixed).
bool HasTankaPages(const CSekisanItem& item, int type, int douroCalc) {
    return douroCalc == 1 && IsUnset(item.m_nWeightAverage) &&
           (Between(type, BukakeType::SekkeiRowsCut, BukakeType::SekkeiRows) || type == BukakeType::SokuryoRows);
}

// A rate (×100) that prints its row: set and at least 1.
bool RateSet(int32_t rate) { return !IsUnset(rate) && rate >= 1; }

}  // namespace

std::string reportsheet::FactorText(double factor) {
    std::string text = vemo::FormatFixed(factor, 6);
    const size_t point = text.find('.');
    while (point != std::string::npos && text.size() > point + 4 && text.back() == '0') text.pop_back();
    return text;
}

std::string reportsheet::PriceText(double price) {
    std::string text = vemo::FormatFixed(price, 4);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    const size_t point = std::min(text.find('.'), text.size());
    return vemo::FormatThousands(std::stoll(text.substr(0, point))) + text.substr(point);
}

std::optional<double> reportsheet::PerUnitAmount(const CBukakeDetail& detail, const CSekisanItem& item, double total) {
    if (calc::IsLumpUnit(detail.m_unit)) return RoundDown(total * pricing::ItemRate(item), 1.0);
    if (IsUnset(detail.m_quantity) || detail.m_quantity <= 0) return std::nullopt;
    return RoundDown(total / (detail.m_quantity / 100.0), 1.0);
}

std::vector<DaikaVariant> DaikaVariantPages(const CSekisanItem& item) {
    std::vector<DaikaVariant> pages;
    if (IsUnset(item.m_nDaikaNo)) return pages;
    const int g = item.m_nGyomu;
    const int k = item.m_nKoshu;
    if (calc::IsSekkeiGyomu(g) && k == Koshu::ExtraRateB) pages.push_back(DaikaVariant::PercentOfGyomu);
    if (g == Gyomu::DoshitsuIppan && k == Koshu::ExtraRateA) pages.push_back(DaikaVariant::PercentOfGyomu);
    if (calc::IsSokuryoGyomu(g) && k == Koshu::ExtraRateA) pages.push_back(DaikaVariant::PercentOfSokuryo);
    if (calc::IsSokuryoGyomu(g) && k == Koshu::Zairyohi) pages.push_back(DaikaVariant::Material);
    const bool sekkeiKind = calc::IsOneOf(g, {Gyomu::Sekkei, Gyomu::DoshitsuKaiseki, Gyomu::KukakuSekkei});
    if ((sekkeiKind && k == Koshu::SekkeiDensi) || (!sekkeiKind && k == Koshu::DensiKeisanki))
        pages.push_back(DaikaVariant::RateMode0);
    if (k == Koshu::DensiKeisankiAlt) pages.push_back(DaikaVariant::RateMode1);
    return pages;
}

bool DaikaMeisaiFollows(int gyomu, bool meisaiPrinted, bool bukkenUchiwake) {
    if (!meisaiPrinted) return false;
    const bool bukkenKind = gyomu == Gyomu::Bukken || IsDoshitsu(gyomu);
    return !bukkenKind || bukkenUchiwake;
}

// The 単価表 writer of a row priced line by line: the 精度管理費 variant for type 31, the
// 電子計算機使用料 variant for 27-29, told whether a rate of the 歩掛 is a 区分率.
int CEstimateReport::WriteTankaSheet(CSekisanData& calc, int page, int index, const CBukakeShubetsu& shubetsu,
                                     int& tankaNo, TankaMode mode) {
    const CSekisanItem* item = calc.GetItemList()->GetItem(index);
    const int perLineRate = item && calc.HasKubunritsu(shubetsu, item->m_nGyomu) == 1 ? 1 : 0;
    if (shubetsu.GetDetail().m_bukakeType == BukakeType::SokuryoRows)
        return WriteSeidoTankaSheet(calc, page, index, perLineRate, tankaNo, mode);
    return WriteDensiTankaSheet(calc, page, index, perLineRate, tankaNo, mode);
}

int CEstimateReport::BuildDaikaSheets(int lastPage) {
    m_daikaLastPage = lastPage;
    // The calculation works on its own copy of the estimate, priced with the report's masters.
    const std::unique_ptr<CSekisanData> priced = PricingCopy();
    CSekisanData& calc = *priced;
    const CBukakeFile& bukake = m_env.GetBukakeFile();
    const int douroCalc = m_env.GetCalcSettings().DouroCalc;
    const bool daikaOn = m_job.IsDaikaPrinted() != 0;
    const bool meisaiOn = m_job.IsDaikaMeisaiPrinted() != 0;
    const bool bukkenUchiwake = m_twin && m_twin->IsBukkenUchiwakePrinted();
    const int filter = m_job.GetDaikaStartNo();
    auto shown = [filter](int number) { return IsUnset(filter) || filter == number; };
    CSekisanItemList& items = *calc.GetItemList();

    int page = lastPage;
    int tankaNo = m_job.GetTankaStartNo();
    bool chikuAsked = false;
    for (int i = 0; i < items.GetCount(); ++i) {
        const CSekisanItem* item = items.GetItem(i);
        if (!item) continue;
        if (item->GetLevel() != 2 || IsUnset(item->m_nDaikaNo)) {
            if (IsUnset(item->m_nDaikaNo) || !shown(item->m_nDaikaNo)) continue;
            for (DaikaVariant variant : DaikaVariantPages(*item)) {
                ++page;
                switch (variant) {
                    case DaikaVariant::PercentOfGyomu: WritePercentPage(calc, i, false, page); break;
                    case DaikaVariant::PercentOfSokuryo: WritePercentPage(calc, i, true, page); break;
                    case DaikaVariant::Material: WriteMaterialPage(calc, i, page); break;
                    case DaikaVariant::RateMode0: WriteRatePage(*item, 0, page); break;
                    case DaikaVariant::RateMode1: WriteRatePage(*item, 1, page); break;
                }
            }
            continue;
        }
        if (!shown(item->m_nDaikaNo)) continue;
        const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(bukake, item);
        if (!shubetsu) continue;
        const int type = shubetsu->GetDetail().m_bukakeType;
        if (HasTankaPages(*item, type, douroCalc)) {
            // Its rows go on a 代価表 page of their own, written by the 単価表 writer (mode 1); its 単価表 pages follow
            // in the second walk.
            if (!daikaOn) continue;
            ++page;
            WriteDaikaHeader(*item, *shubetsu, page);
            WriteTankaSheet(calc, page, i, *shubetsu, tankaNo, TankaMode::DaikaRows);
            m_job.EndPage();
            continue;
        }
        if (daikaOn) {
            ++page;
            WriteDaikaPage(calc, i, *shubetsu, page);
        }
        if (DaikaMeisaiFollows(item->m_nGyomu, meisaiOn, bukkenUchiwake)) {
            ++page;
            WriteDaikaMeisaiPage(calc, i, *shubetsu, page);
        }
        if (meisaiOn && item->m_nGyomu == Gyomu::KukakuSokuryo) {
            WriteHenkaritsuSheet(calc, i);
        }
        if (meisaiOn && item->m_nGyomu == Gyomu::KukakuSekkei) chikuAsked = true;
    }

    if (douroCalc == 1) {
        // The second walk: the 単価表 pages of the rows handed over above, numbered from the start.
        tankaNo = m_job.GetTankaStartNo();
        for (int i = 0; i < items.GetCount() && daikaOn; ++i) {
            const CSekisanItem* item = items.GetItem(i);
            if (!item || item->GetLevel() != 2 || IsUnset(item->m_nDaikaNo) || !shown(item->m_nDaikaNo)) continue;
            const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(bukake, item);
            if (!shubetsu || !HasTankaPages(*item, shubetsu->GetDetail().m_bukakeType, douroCalc)) continue;
            page = WriteTankaSheet(calc, page, i, *shubetsu, tankaNo, TankaMode::TankaPages);
        }
    }
    if (chikuAsked) WriteGyomuChikuJoken(calc, -1, -1, -1);
    return page;
}

// ---------------------------------------------------------------------------------------------
// 代価表 page of a 種別 row

void CEstimateReport::WriteDaikaHeader(const CSekisanItem& item, const CBukakeShubetsu& shubetsu, int page) {
    const CBukakeDetail& detail = shubetsu.GetDetail();
    m_job.BeginPage(kSheetDaika, "1");
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    m_job.SetCellInt("**ページ", page);
    const std::string number = DaikaNumber(item.m_nDaikaNo);
    m_job.SetCellText("**第～号一位代価表", number + (m_daikaName.empty() ? estimate_texts::DefaultDaikaName : m_daikaName));
    m_job.SetCellText("**一位代価表名称", kDaikaPageTitle);
    m_job.SetCellText("**代価表代価番号のみ", number);
    m_job.SetCellText("**種別名", item.m_strNameUpper);
    m_job.SetCellText("**～当たり", Format(kDaikaBasisFormat, detail.m_quantity / 100.0, detail.m_unit));
}

int CEstimateReport::WriteTradeLines(int last, CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu,
                                     double& directLabour, double& labour) {
    const CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const CTankaFile& tanka = m_env.GetTankaFile();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool directLayout = detail.m_himokuMode == 1;
    // 物件調査 corrects the quantities themselves: line by line with a 区分率 rate, else by the
    // row's correction, shown beside each trade.
    const bool bukken = item.m_nGyomu == Gyomu::Bukken;
    const std::optional<double> applied = bukken ? calc.AppliedFactor(index) : std::nullopt;
    const bool kubun = bukken && !applied;
    const double c = applied.value_or(1.0);
    const int lines = std::min(detail.GetLineCount(), CSekisanItem::kKoteiCount);
    for (int k = 0; k < 10; ++k) {
        const int32_t id = detail.m_shokushu[static_cast<size_t>(k)];
        const CTankaRow* trade = IsUnset(id) ? nullptr : tanka.FindRow(id);
        if (!trade) continue;
        int64_t q = 0;
        for (int j = 0; j < lines; ++j) {
            const CBukakeDetailLine* line = detail.GetLine(j);
            const int32_t value = line ? line->m_columns[static_cast<size_t>(k)] : kUnset;
            if (!item.m_bKotei[static_cast<size_t>(j)] || IsUnset(value)) continue;
            if (kubun)
                q += DoubleToLong(value * calc.CalcBukakeFormula(&shubetsu, index, 1, j + 1));
            else
                q += value;
        }
        const int64_t before = q;
        if (bukken && !kubun) q = DoubleToLong(static_cast<double>(q) * c);
        const int32_t price = pricing::PriceInColumn(*trade, m_estimate.m_nTankaColumn);
        if (price < 0) continue;
        const double amount = RoundDown(static_cast<double>(price) * static_cast<double>(q) / 100.0, 1.0);
        if (amount <= 0.0) continue;
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, directLayout ? trade->m_name : kDaikaTradeIndent + trade->m_name);
        m_job.SetCellTextAt("**単位", 0, last, trade->m_unit);
        if (!omit) {
            const bool lump = trade->m_unit == estimate_texts::UnitShiki;
            m_job.SetCellDoubleAt("**数量", 0, last, lump ? 1.0 : static_cast<double>(q) / 100.0);
            if (!lump) m_job.SetCellIntAt("**単価", 0, last, price);
            m_job.SetCellDoubleAt("**金額", 0, last, amount);
            if (bukken && !kubun)
                m_job.SetCellTextAt("**摘要", 0, last,
                                    Format(kDaikaTradeCorrection, before / 100.0, FactorText(c),
                                           static_cast<double>(q) / 100.0));
        }
        (trade->m_kind == 1 ? labour : directLabour) += amount;
    }
    return last;
}

int CEstimateReport::WriteDoshitsuLines(int last, CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu,
                                        double& himokuSum) {
    CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const CTankaFile& tanka = m_env.GetTankaFile();
    const CZairyoTankaFile& zairyo = m_env.GetZairyoTankaFile();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    for (int j = 0; j < detail.GetLineCount(); ++j) {
        // A line the detail does not hold is passed over; the page goes on with the next.
        const CBukakeDetailLine* line = detail.GetLine(j);
        if (!line) continue;
        const int32_t kind = line->m_columns[0];
        if (IsUnset(kind) || kind == 0) continue;
        std::string name, unit, remark;
        double price = 0.0;
        const CZairyoTankaItem* material = nullptr;
        if (kind == 1 || kind == 2) {
            const CTankaRow* row = tanka.FindRow(line->m_columns[1]);
            if (!row) continue;
            const int32_t p = pricing::PriceInColumn(*row, m_estimate.m_nTankaColumn);
            if (p < 0) continue;
            name = row->m_name;
            unit = row->m_unit;
            price = p;
        } else {
            material = zairyo.FindItem(line->m_columns[1]);
            if (!material) continue;
            const int32_t percentage = line->m_columns[2];
            const double share = IsUnset(percentage) || percentage < 1 ? 1.0 : percentage / 100.0;
            name = material->m_name;
            unit = material->m_unit;
            // A material without a price prices nothing but the rate lines (Z1, Z2) that name it; the
            // price is the one the amount is worked with, fractions and all.
            if (!IsNoPrice(material->m_price)) price = share * material->m_price;
        }
        double quantity = calc.CalcBukakeFormula(&shubetsu, index, 3, j);
        // Each line on its own formula, as the calculation prices it; the correction comes after the 合計.
        double amount = calc.CalcZairyoEntry(&item, index, shubetsu, 3, j);
        auto basisRemark = [&](int32_t basis, int32_t rate, bool machine) {
            const char* format = nullptr;
            switch (basis) {
                case 1: format = kDoshitsuOfDirectLabour; break;
                case 2: format = kDoshitsuOfLabour; break;
                case 4: format = machine ? kDoshitsuOfPrice : kDoshitsuOfZairyo; break;
                case 8: format = kDoshitsuOfJinkenhi; break;
                case 16: format = machine ? nullptr : kDoshitsuOfAbove; break;
                default: break;
            }
            if (format) remark = Format(format, (IsUnset(rate) ? 0 : rate) / 100.0);
        };
        if (amount == -2.0) {
            // 任意材料費: a rate of the sums its basis names.
            amount = calc.CalcDoshitsuKingaku(&item, index, AmountPart::MaterialMarker);
            quantity = 1.0;
            basisRemark(detail.m_shokushu[0], detail.m_rates[2], false);
        } else if (amount == -3.0) {
            // 任意機械経費.
            amount = calc.CalcDoshitsuKingaku(&item, index, AmountPart::MachineMarker);
            quantity = 1.0;
            basisRemark(detail.m_shokushu[1], detail.m_rates[0], true);
        } else if (material && !IsNoPrice(material->m_price)) {
            const int32_t percentage = line->m_columns[2];
            if (!IsUnset(percentage) && percentage >= 1) {
                remark = Format(kZairyoLossRate, static_cast<double>(percentage), PriceDecimals(material->m_price),
                                material->m_price);
            } else {
                remark = material->m_remarks;
            }
        }
        amount = RoundDown(amount, 1.0);
        if (amount <= 0.0) continue;
        himokuSum += amount;
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, name);
        m_job.SetCellTextAt("**単位", 0, last, unit);
        if (omit) continue;
        const bool lump = unit == estimate_texts::UnitShiki;
        m_job.SetCellDoubleAt("**数量", 0, last, lump ? 1.0 : quantity);
        if (price >= 1.0 && !lump) WritePrice(m_job, last, price);
        m_job.SetCellDoubleAt("**金額", 0, last, amount);
        if (!remark.empty()) m_job.SetCellTextAt("**摘要", 0, last, remark);
    }
    return last;
}

void CEstimateReport::WriteDaikaPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page) {
    CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const CCalcSettings& settings = m_env.GetCalcSettings();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const int gyomu = item.m_nGyomu;
    const int type = detail.m_bukakeType;
    // A detail whose expenses are rates of the direct labour prints its trades unindented, a direct
    // cost total and the rate rows instead of the 材料及び機械経費 block.
    const bool directLayout = detail.m_himokuMode == 1;
    const bool takesPart = item.m_bSpecialExpense == 1;
    WriteDaikaHeader(item, shubetsu, page);

    // Writes one row after the last; amount, 数量 and remark only when amounts are shown.
    int last = -1;
    auto row = [&](const std::string& name, std::optional<double> amount, const std::string& remark = {},
                   bool lump = false) {
        ++last;
        if (!name.empty()) m_job.SetCellTextAt("**名称", 0, last, name);
        if (lump) m_job.SetCellTextAt("**単位", 0, last, estimate_texts::UnitShiki);
        if (omit) return;
        if (lump) m_job.SetCellIntAt("**数量", 0, last, 1);
        if (amount) m_job.SetCellDoubleAt("**金額", 0, last, *amount);
        if (!remark.empty()) m_job.SetCellTextAt("**摘要", 0, last, remark);
    };
    auto negative = [&](double value) {
        if (!omit) m_job.SetCellDoubleAt("**摘要", 0, last, -value);
    };

    double directLabour = 0.0;
    double labour = 0.0;
    double himokuSum = 0.0;
    const bool soilLines = IsDoshitsu(gyomu) && (type == BukakeType::Materials || type == BukakeType::MaterialsOther);
    if (soilLines)
        last = WriteDoshitsuLines(last, calc, index, shubetsu, himokuSum);
    else
        last = WriteTradeLines(last, calc, index, shubetsu, directLabour, labour);

    // The programme fee of the item's プログラム金額 record counts as 労務費.
    if (const int fee = pricing::ProgramFee(m_env.GetProgramKingakuFile(), item); fee > 0) {
        row(kDaikaProgramFee, fee);
        labour += fee;
    }

    // The labour total, with the direct labour in brackets.
    directLabour = RoundDown(directLabour, 1.0);
    labour = RoundDown(labour, 1.0);
    double total = directLabour + labour;
    if (gyomu == Gyomu::Bukken) {
        row(kDaikaJinkenhi, total);
        negative(directLabour);
    } else if (!IsDoshitsu(gyomu)) {
        row(directLayout ? kDaikaChokusetsuhiKei : kDaikaJinkenhiKei, total);
        if (directLabour > 0.0)
            negative(directLabour);
        else if (!omit)
            m_job.SetCellTextAt("**摘要", 0, last, kDaikaNoDirectLabour);
    }
    // The expense that 精度管理費 is reckoned on with the labour: the machine expense.
    double kikai = 0.0;
    if (!directLayout) {
        KeihiComponents parts;
        last = WriteZairyoKikaiRows(last, m_job, calc, detail, directLabour, labour, parts, 1);
        total += static_cast<double>(parts.Sum());
        kikai = parts.kikai;
    }
    // The expenses as rates of the direct labour, each row while its rate is set.
    auto rateRows = [&] {
        const KeihiComponents parts =
            calc.CalcKeihiComponents(detail, DoubleToLong(directLabour + labour), DoubleToLong(directLabour));
        for (const auto& rate : reportsheet::RateExpenseRows(detail, parts)) {
            if (!RateSet(rate.rate)) continue;
            row(rate.name, rate.amount, Format(kDaikaRateOfDirectLabour, rate.rate / 100.0));
            total += rate.amount;
        }
        kikai = parts.kikai;
    };
    // The amount per unit as the row is priced (per the quantity basis, or by the row's rate for a lump
    // unit) and the corrected amount after the factor the calculation applied.
    auto perUnit = [&](double amount) { return PerUnitAmount(detail, item, amount); };
    auto perUnitRow = [&](double amount) { row(PerUnitText(detail.m_unit), perUnit(amount)); };
    auto corrected = [&](double amount, double c) -> std::optional<double> {
        const std::optional<double> u = perUnit(amount);
        return u ? std::optional<double>(RoundDown(*u * c, 1.0)) : std::nullopt;
    };
    const std::optional<double> applied = calc.AppliedFactor(index);

    if (calc::IsSokuryoGyomu(gyomu)) {
        if (directLayout) rateRows();
        // 精度管理費: on the machine expense and the direct labour, with the 労務費 unless SeidoCalc.
        const bool seido = shubetsu.m_coefficient >= 1 && takesPart;
        const double seidoBase = directLabour + kikai + (settings.SeidoCalc ? 0.0 : labour);
        const double seidoAmount = RoundDown(seidoBase * shubetsu.m_coefficient / 100.0, 1.0);
        auto seidoRow = [&] {
            row(estimate_texts::RowSeidoKanrihi, seidoAmount, Format(kDaikaSeidoCoefficient, shubetsu.m_coefficient / 100.0));
        };
        if (seido && !settings.SeidoDsp) {
            seidoRow();
            total += seidoAmount;
        }
        total = RoundDown(total, 1.0);
        row(kDaikaGokei, total);
        if (type == BukakeType::PerLL8) {
            WriteSokuryoClosingRows(last, calc, index);
        } else {
            const double c = applied.value_or(1.0);
            if (type == BukakeType::SokuryoCut && settings.DouroCalc == 1) {
                // Cut to four digits: the rate row, then the corrected amount per unit.
                const std::string& lower = item.m_strNameLower;
                const std::string rate = vemo::Cp932Length(lower) < 8 ? lower : reportsheet::RateText(lower);
                if (!rate.empty()) {
                    const double amount = static_cast<double>(DoubleToLong(total * c));
                    row(rate, amount >= 1.0 ? std::optional<double>(amount) : std::nullopt,
                        Format(kDaikaCorrection, FactorText(c)));
                }
                const int n = calc.CalcSokuryoKingaku(&item, index, AmountPart::Densi);
                const bool keepAll = detail.m_programKingaku != 0;
                std::string remark = kDaikaFourDigits;
                if (n >= 1) {
                    std::string grouped;
                    FormatNumberWithCommas(n, grouped);
                    remark = (keepAll ? kDaikaAmountOpen : kDaikaFourDigitsOpen) + grouped + kMeisaiBracketClose;
                }
                std::optional<double> v = corrected(total, c);
                if (v && !keepAll) v = CSekisanData::TruncTo4Digits(DoubleToLong(*v));
                row(PerUnitText(detail.m_unit), v, remark);
            } else {
                perUnitRow(total);
                if (!item.m_strNameLower.empty()) {
                    const int densi = calc.CalcSokuryoKingaku(&item, index, AmountPart::Densi);
                    const std::optional<double> v = corrected(total, c);
                    row(item.m_strNameLower, v);
                    if (v && densi >= 1 && !omit) m_job.SetCellIntAt("**摘要", 0, last, densi);
                }
            }
            if (seido && settings.SeidoDsp && seidoBase > 0.0) {
                ++last;  // a blank row first
                seidoRow();
            }
        }
    } else if (calc::IsSekkeiGyomu(gyomu)) {
        if (type == BukakeType::PerLL8) {
            WriteSekkeiClosingRows(last, calc, index, directLabour, labour);
        } else {
            const int32_t rate = detail.m_rates[0];
            const bool densiRate = RateSet(rate);
            const double e = densiRate ? calc.CalcSekkeiKingaku(&item, index, AmountPart::SpecialExpense) : 0.0;
            const double t = calc.CalcSekkeiKingaku(&item, index, AmountPart::AmountPerBase);
            if (!item.m_strNameLower.empty()) {
                row(item.m_strNameLower, RoundDown(t - e, 1.0));
                negative(calc.CalcSekkeiKingaku(&item, index, AmountPart::DirectLabourPerBase) - e);
            }
            const std::string densiRemark =
                Format(type == BukakeType::SekkeiRowsUnfactored ? kDaikaRatePercentStandard : kDaikaRatePercent,
                         densiRate ? rate / 100.0 : 0.0);
            if (densiRate && takesPart && !settings.DensiDsp)
                row(estimate_texts::RowDensiKeisanki, RoundDown(e, 1.0), densiRemark, true);
            row(kDaikaGokei, RoundDown(t, 1.0));
            perUnitRow(t);
            if (densiRate && takesPart && settings.DensiDsp) {
                // On its own estimate row the amount is not in the 合計; shown here as it would be.
                const double shown = calc.CalcSekkeiKingakuWithDensi(&item, index, AmountPart::SpecialExpense);
                row(estimate_texts::RowDensiKeisanki, RoundDown(shown, 1.0), densiRemark, true);
            }
            if (item.CountSelectedKotei() != detail.GetNamedLineCount()) {
                std::string kotei;
                calc.GetKoteiText(kotei, index);
                row(kotei, std::nullopt);
            }
        }
    } else if (gyomu == Gyomu::Bukken) {
        if (RateSet(detail.m_rates[0])) {
            const double amount = RoundDown(detail.m_rates[0] * directLabour / 10000.0, 1.0);
            row(kDaikaKikaiKeihi, amount, Format(kDaikaRatePercent, detail.m_rates[0] / 100.0), true);
            total += amount;
        }
        const bool zairyo = RateSet(detail.m_rates[2]) && takesPart;
        const double zairyoAmount = zairyo ? RoundDown(detail.m_rates[2] * directLabour / 10000.0, 1.0) : 0.0;
        auto zairyoRow = [&] {
            row(mastertext::kZairyoKindZairyo, zairyoAmount, Format(kDaikaRatePercent, detail.m_rates[2] / 100.0), true);
        };
        if (zairyo && !settings.ZairyoDsp) {
            zairyoRow();
            total += zairyoAmount;
        }
        total = RoundDown(total, 1.0);
        row(kDaikaGokei, total);
        perUnitRow(total);
        // The trades carry the correction already: the corrected row repeats the amount per unit.
        if (!item.m_strNameLower.empty())
            row(item.m_strNameLower, perUnit(total),
                applied ? Format(kDaikaCorrection, FactorText(*applied)) : std::string(kDaikaCorrectionKubun));
        if (zairyo && settings.ZairyoDsp) zairyoRow();
    } else if (IsDoshitsu(gyomu)) {
        // A 土質 歩掛 priced from its trades carries the rate expenses as the 測量 pages do.
        if (!soilLines && directLayout) rateRows();
        total = RoundDown(total + himokuSum, 1.0);
        row(kDaikaGokei, total);
        // The price of a row cut to four digits: on the corrected row, else on the amount per unit.
        const bool fourDigits = calc.CutsToFourDigits(item);
        auto cut = [fourDigits](std::optional<double> v) {
            return v && fourDigits ? std::optional<double>(CSekisanData::TruncTo4Digits(DoubleToLong(*v))) : v;
        };
        if (item.m_strNameLower.empty()) {
            row(PerUnitText(detail.m_unit), cut(perUnit(total)), fourDigits ? kDaikaFourDigits : "");
        } else {
            perUnitRow(total);
            const double c = applied.value_or(1.0);
            row(item.m_strNameLower, cut(corrected(total, c)),
                fourDigits ? std::string(kDaikaFourDigits) : Format(kDaikaCorrection, FactorText(c)));
        }
    }
    m_job.EndPage();
}

// ---------------------------------------------------------------------------------------------
// Closing rows of type-13 pages

int CEstimateReport::WriteSokuryoClosingRows(int last, CSekisanData& calc, int index) {
    CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(m_env.GetBukakeFile(), &item);
    if (!shubetsu) return last;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    int a = 0;
    int b = 0;
    if (calc::IsSokuryoGyomu(item.m_nGyomu)) {
        const bool seidoDsp = m_env.GetCalcSettings().SeidoDsp != 0;
        a = calc.CalcSokuryoKingaku(&item, index,
                                    seidoDsp ? AmountPart::PerLL8UnroundedWithoutSeido : AmountPart::PerLL8Unrounded);
        b = calc.CalcSokuryoKingaku(&item, index, seidoDsp ? AmountPart::WithoutSeido : AmountPart::Amount);
    }
    const int r = last;
    m_job.SetCellTextAt("**摘要", 0, r, Format(kClosingPerBasis, detail.m_quantity / 100.0, detail.m_unit));
    m_job.SetCellTextAt("**名称", 0, r + 1, item.m_strNameLower);
    if (!omit) m_job.SetCellIntAt("**金額", 0, r + 1, a);
    m_job.SetCellTextAt("**摘要", 0, r + 2, Format(kClosingPerOne, detail.m_unit));
    if (!omit) m_job.SetCellIntAt("**金額", 0, r + 2, b);
    const int h = calc.CalcSokuryoKingaku(&item, index, AmountPart::Densi);
    if (h > 0 && !omit) m_job.SetCellIntAt("**摘要", 0, r + 3, -h);
    return r + 3;
}

int CEstimateReport::WriteSekkeiClosingRows(int last, CSekisanData& calc, int index, double directLabour,
                                            double labour) {
    CSekisanItem& item = *calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(m_env.GetBukakeFile(), &item);
    if (!shubetsu) return last;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const double l = directLabour + labour;
    const int32_t rate = detail.m_rates[0];
    int r = last;
    int e = 0;
    if (!IsUnset(rate) && rate > 0 && item.m_bSpecialExpense == 1 && m_env.GetCalcSettings().DensiDsp == 0) {
        e = DoubleToLong(l * rate / 10000.0);
        ++r;
        m_job.SetCellTextAt("**名称", 0, r, estimate_texts::RowDensiKeisanki);
        if (!omit) {
            m_job.SetCellIntAt("**金額", 0, r, e);
            m_job.SetCellTextAt("**摘要", 0, r, Format(kClosingDensiRate, rate / 100.0));
        }
    }
    m_job.SetCellTextAt("**名称", 0, r + 1, kDaikaGokei);
    if (!omit) m_job.SetCellIntAt("**金額", 0, r + 1, DoubleToLong(l) + e);
    m_job.SetCellTextAt("**摘要", 0, r + 1, Format(kClosingPerBasis, detail.m_quantity / 100.0, detail.m_unit));
    int p2 = 0;
    int p0 = 0;
    if (calc::IsSekkeiGyomu(item.m_nGyomu)) {
        p2 = calc.CalcSekkeiKingaku(&item, index, AmountPart::AmountPerBase);
        p0 = calc.CalcSekkeiKingaku(&item, index, AmountPart::Amount);
    }
    m_job.SetCellTextAt("**名称", 0, r + 2, item.m_strNameLower);
    if (!omit) m_job.SetCellIntAt("**金額", 0, r + 2, p2);
    m_job.SetCellTextAt("**名称", 0, r + 3, Format(kClosingPerOneName, detail.m_unit));
    if (!omit) m_job.SetCellIntAt("**金額", 0, r + 3, p0);
    return r + 3;
}

// ---------------------------------------------------------------------------------------------
// 工種 variant pages

void CEstimateReport::WriteVariantHeader(const CSekisanItem& item, int page) {
    m_job.BeginPage(kSheetDaika, "1");
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    m_job.SetCellInt("**ページ", page);
    m_job.SetCellText("**第～号一位代価表", Format(kDaikaVariantTitle, item.m_nDaikaNo));
    // A form whose program writes the title titles these pages as it titles the others.
    m_job.SetCellText("**一位代価表名称", kDaikaPageTitle);
    m_job.SetCellText("**代価表代価番号のみ", DaikaNumber(item.m_nDaikaNo));
    m_job.SetCellText("**種別名", item.m_strNameUpper);
}

void CEstimateReport::WritePercentPage(CSekisanData& calc, int index, bool sokuryo, int page) {
    CSekisanItemList& items = *calc.GetItemList();
    const CSekisanItem& variant = *items.GetItem(index);
    WriteVariantHeader(variant, page);
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool seidoDsp = m_env.GetCalcSettings().SeidoDsp == 1;
    int last = -1;
    double sum = 0.0;
    for (int j = 0; j < items.GetCount(); ++j) {
        CSekisanItem* item = items.GetItem(j);
        if (!item) continue;
        const bool inGyomu = sokuryo ? calc::IsSokuryoGyomu(item->m_nGyomu) : item->m_nGyomu == variant.m_nGyomu;
        const bool lumpRow = item->GetLevel() == 1 && calc::IsLumpKoshu(item->m_nKoshu);
        if (!inGyomu || (item->GetLevel() != 2 && !lumpRow)) continue;
        const double percentage = IsUnset(item->m_nRate) ? (lumpRow ? 100.0 : 0.0) : item->m_nRate / 100.0;
        if (percentage == 0.0) continue;
        double base = IsUnset(item->m_nAmount) ? 0.0 : item->m_nAmount;
        // A row whose 精度管理費 stands on a row of its own counts with it.
        if (item->GetLevel() == 2 && item->m_bSpecialExpense == 1 && seidoDsp) {
            const double quantity = IsUnset(item->m_nQuantity) ? 0.0 : item->m_nQuantity / 1000.0;
            base = calc.CalcSokuryoKingaku(item, j, AmountPart::Amount) * quantity;
        }
        const double amount = RoundDown(base * percentage / 100.0, 1.0);
        sum += amount;
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, item->m_strNameUpper);
        if (omit) continue;
        m_job.SetCellDoubleAt("**金額", 0, last, amount);
        m_job.SetCellTextAt("**摘要", 0, last, " " + NumToStr(percentage, 0.01) + kVariantPercent);
    }
    ++last;
    m_job.SetCellTextAt("**名称", 0, last, kDaikaVariantTotal);
    if (!omit) m_job.SetCellDoubleAt("**金額", 0, last, sum);
    m_job.EndPage();
}

void CEstimateReport::WriteMaterialPage(CSekisanData& calc, int index, int page) {
    CSekisanItemList& items = *calc.GetItemList();
    WriteVariantHeader(*items.GetItem(index), page);
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const CBukakeFile& bukake = m_env.GetBukakeFile();
    const CZairyoTankaFile& zairyo = m_env.GetZairyoTankaFile();
    int last = -1;
    int64_t sum = 0;
    for (int j = 0; j < items.GetCount(); ++j) {
        const CSekisanItem* item = items.GetItem(j);
        if (!item || item->GetLevel() != 2 || !calc::IsSokuryoGyomu(item->m_nGyomu)) continue;
        if (IsUnset(item->m_nQuantity) || item->m_nQuantity <= 0) continue;
        const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(bukake, item);
        const int32_t id = shubetsu ? shubetsu->GetDetail().m_zairyoId : kUnset;
        const CZairyoTankaItem* material = IsUnset(id) ? nullptr : zairyo.FindItem(id);
        if (!material || IsNoPrice(material->m_price) || !(material->m_price > 0.0)) continue;
        const int amount = DoubleToLong(material->m_price * item->m_nQuantity / 1000.0);
        if (amount <= 0) continue;
        sum += amount;
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, material->m_name);
        m_job.SetCellTextAt("**単位", 0, last, material->m_unit);
        m_job.SetCellTextAt("**摘要", 0, last, "  " + material->m_spec);
        if (omit) continue;
        m_job.SetCellDoubleAt("**数量", 0, last, item->m_nQuantity / 1000.0);
        m_job.SetCellDoubleAt("**単価", 0, last, material->m_price);
        m_job.SetCellIntAt("**金額", 0, last, amount);
    }
    if (last >= 0) {
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, kDaikaVariantTotal);
        if (!omit) m_job.SetCellDoubleAt("**金額", 0, last, static_cast<double>(sum));
    }
    m_job.EndPage();
}

void CEstimateReport::WriteRatePage(const CSekisanItem& item, int mode, int page) {
    WriteVariantHeader(item, page);
    const bool omit = m_job.IsKingakuOmitted() != 0;
    // The first base under the name of the row's 業務 kind, at the rate of its table.
    struct KindRate {
        const char* name;
        double rates[2];
    };
    static constexpr KindRate kKinds[7] = {
        {kRatePageSokuryo, {0.56, 0.83}}, {kRatePageSekkei, {0.63, 1.33}},  {kRatePageBukken, {1.91, 2.29}},
        {kRatePageChishitsu, {2.14, 1.60}}, {kRatePageKaiseki, {0.63, 1.33}}, {kRatePageSokuryo, {0.56, 0.83}},
        {kRatePageSekkei, {0.63, 1.33}},
    };
    constexpr double kChosaKeikakuRate = 1.49;
    const int g = item.m_nGyomu;
    const KindRate* kind = Between(g, Gyomu::Sokuryo, Gyomu::KukakuSekkei) ? &kKinds[g - 1] : nullptr;
    const int baseA = kind && !IsUnset(item.m_nLL[1]) ? item.m_nLL[1] : 0;
    const int baseB = IsUnset(item.m_nLL[2]) ? 0 : item.m_nLL[2];
    std::string textA, textB, textSum;
    FormatNumberWithCommas(baseA, textA);
    FormatNumberWithCommas(baseB, textB);
    FormatNumberWithCommas(baseA + baseB, textSum);
    const size_t width = std::max({textA.size(), textB.size(), textSum.size()});
    int last = -1;
    auto rateRow = [&](const char* name, int base, const std::string& baseText, double rate) {
        if (base <= 0) return;
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, name);
        m_job.SetCellTextAt("**単位", 0, last, estimate_texts::UnitShiki);
        if (omit) return;
        m_job.SetCellIntAt("**数量", 0, last, 1);
        m_job.SetCellIntAt("**金額", 0, last, DoubleToLong(base * rate / 100.0));
        m_job.SetCellTextAt("**摘要", 0, last,
                            " " + std::string(width - baseText.size(), ' ') + baseText + kRatePageTimes +
                                vemo::FormatFixed(rate, 2) + kVariantPercent);
    };
    if (kind) rateRow(kind->name, baseA, textA, kind->rates[mode == 1 ? 1 : 0]);
    rateRow(kRatePageChosaKeikaku, baseB, textB, kChosaKeikakuRate);
    if (baseA > 0 && baseB > 0) {
        ++last;
        m_job.SetCellTextAt("**名称", 0, last, kDaikaGokei);
        if (!omit) {
            m_job.SetCellIntAt("**金額", 0, last, IsUnset(item.m_nAmount) ? 0 : item.m_nAmount);
            m_job.SetCellTextAt("**摘要", 0, last, kRatePageSumOpen + textSum + kMeisaiBracketClose);
        }
    }
    m_job.EndPage();
}
