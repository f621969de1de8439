#include "report/EstimateReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "estimate/CalcEnvironment.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/HyoshiData.h"
#include "master/MasterTexts.h"
#include "master/ProgramKingakuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

using namespace reporttext;

namespace {

// Template sheets.
constexpr char kSheetHyoshi[] = "表紙";
constexpr char kSheetGyomuKakaku[] = "業務価格総括表";
constexpr char kSheetSokatsuFirst[] = "報告書1";
constexpr char kSheetSokatsuNext[] = "報告書2";
constexpr char kSheetDaika[] = "代価表";

std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

bool IsGyomuRow(const CSekisanItem& item) { return item.GetLevel() == 0; }
bool IsKoshuRow(const CSekisanItem& item, int koshu) { return item.GetLevel() == 1 && item.m_nKoshu == koshu; }

bool Between(int value, int low, int high) { return value >= low && value <= high; }

int CeilDiv(int n, int d) { return (n + d - 1) / d; }

// How far the 総括表 indents a row's name.
enum class Indent { None, One, Double, Wide };

Indent IndentOf(const CSekisanItem& item, int gyomuOf913, int gyomuOf912) {
    const int level = item.GetLevel();
    if (level == 2) return Indent::Double;
    if (level != 1) return Indent::None;
    const int g = item.m_nGyomu;
    const int k = item.m_nKoshu;
    const bool g25 = g == 2 || g == 5;
    const bool at913 = g == gyomuOf913;
    const bool at912 = g == gyomuOf912;
    const bool g136 = g == 1 || g == 3 || g == 6;
    switch (k) {
        case 90: case 95: case 96: case 97: case 910: case 913: return Indent::None;
        case 91: return g == 2 ? Indent::One : Indent::None;
        case 92: return g25 ? Indent::Wide : (g == 4 ? Indent::One : Indent::None);
        case 93: return g25 || (at913 && g136) ? Indent::One : Indent::None;
        case 94: return g25 || (at913 && g == 3) ? Indent::One : Indent::None;
        case 899: return Indent::Wide;
        default: break;
    }
    if (k == 69 || Between(k, 690, 699)) return g25 ? Indent::Wide : Indent::One;
    if (Between(k, 70, 74) || Between(k, 700, 749) || Between(k, 80, 84) || Between(k, 800, 849)) {
        if (at912 && (g == 1 || g == 6)) return k == 847 ? Indent::One : Indent::Wide;
        return g25 ? Indent::Wide : Indent::One;
    }
    if (Between(k, 75, 79) || Between(k, 750, 799) || Between(k, 85, 89) || Between(k, 850, 898)) {
        Indent state = Indent::None;
        if (g25) state = at912 ? Indent::Wide : Indent::One;
        if (at913 && g136) state = Indent::One;
        return state;
    }
    return Indent::One;
}

std::string Indented(Indent state, const std::string& indent, const std::string& name) {
    switch (state) {
        case Indent::One: return indent + name;
        case Indent::Double: return indent + indent + name;
        case Indent::Wide: return "  " + indent + indent + name;
        default: return name;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Cover sheet

void WriteHyoshiPage(CReportJob& job, const CHyoshiData& cover, const CTankaFile& tanka) {
    job.BeginPage(kSheetHyoshi, "1");
    job.SetCellText("**印刷表題", cover.m_printTitle);
    job.SetCellText("**No", cover.m_number);
    job.SetCellText("**日付", cover.m_date);
    for (int i = 1; i <= 10; ++i) job.SetCellText(Numbered("**予備", i), cover.m_spare[static_cast<size_t>(i - 1)]);
    job.SetCellText("**宛名1", cover.m_address1);
    job.SetCellText("**宛名2", cover.m_address2);
    job.SetCellText("**件名", cover.m_subject);
    job.SetCellText("**箇所名", cover.m_place);
    if (!cover.m_amount.empty()) job.SetCellText("**見積金額", cover.m_amount);
    static constexpr const char* kCompanyCells[8] = {"**郵便番号", "**住所1",   "**住所2", "**社名1",
                                                     "**社名2",   "**代表者名", "**TEL",   "**FAX"};
    for (size_t i = 0; i < 8; ++i) job.SetCellText(kCompanyCells[i], tanka.m_company[i]);
    job.EndPage();
}

// ---------------------------------------------------------------------------------------------
// Driver

CEstimateReport::CEstimateReport(CReportJob& job, const CSekisanItemList& estimate, const ICalcEnvironment& env,
                                 const CHyoshiData& cover, int formGyou, std::string formPath,
                                 std::optional<CPrintFormText> twin)
    : m_job(job),
      m_estimate(estimate),
      m_env(env),
      m_cover(cover),
      m_formGyou(formGyou),
      m_formPath(std::move(formPath)),
      m_twin(std::move(twin)) {}

void CEstimateReport::BuildReport() {
    Host().SetStatusPane(0, kStatusBuildingReport);
    if (!m_job.OpenTemplate(m_formPath)) return;
    if (m_job.IsHyoshiPrinted()) WriteHyoshi();
    int firstPage = 1;
    int lastPage = 0;
    // A start page left empty counts as not set.
    if (m_job.IsStartPageSet() && !IsUnset(m_job.GetStartPage())) {
        firstPage = m_job.GetStartPage();
        lastPage = firstPage - 1;
    }
    if (m_job.IsGyomuSokatsuPrinted()) WriteGyomuKakakuSokatsu(firstPage);
    if (m_job.IsSokatsuPrinted()) lastPage = WriteSokatsu(firstPage);
    if ((m_job.IsDaikaPrinted() || m_job.IsDaikaMeisaiPrinted()) && m_estimate.HasDaikaTable())
        BuildDaikaSheets(lastPage);
    Host().SetStatusPane(0, mastertext::kStatusHelpHint);
}

void CEstimateReport::WriteHyoshi() { WriteHyoshiPage(m_job, m_cover, m_env.GetTankaFile()); }

// ---------------------------------------------------------------------------------------------
// 代価表

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

// ---------------------------------------------------------------------------------------------
// Shared helpers

void CEstimateReport::FormatNumberWithCommas(int value, std::string& text) { text = vemo::FormatThousands(value); }

int CEstimateReport::SummaryRows(int formGyou) { return formGyou >= 1 && formGyou <= 30 ? formGyou : 10; }

std::string CEstimateReport::GyomuPriceName(const std::string& name) {
    const std::string_view word = kGyomuWord;
    const bool endsInGyomu = name.size() >= word.size() && name.compare(name.size() - word.size(), word.size(), word) == 0;
    return name + (endsInGyomu ? kKakakuSuffix : kGyomuKakakuSuffix);
}

void CEstimateReport::SplitBracketQuantity(const std::string& lowerName, double& quantity, std::string& unit) {
    std::string text = lowerName;
    if (const size_t close = text.rfind(')'); close != std::string::npos) text.erase(close);
    const size_t open = text.rfind('(');
    text = open == std::string::npos ? std::string() : text.substr(open + 1);
    // The leading number: digits, with one decimal point between digits.
    size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end > 0 && end + 1 < text.size() && text[end] == '.' && text[end + 1] >= '0' && text[end + 1] <= '9') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    }
    quantity = end == 0 ? 0.0 : vemo::ParseDouble(text.substr(0, end)).value_or(0.0);
    unit = text.substr(end);
}

bool CEstimateReport::Probe(const std::string& name) {
    m_job.SetCellText(name, " ");
    return m_job.GetErrorNo() == 0;
}

void CEstimateReport::ProbeRowCount(const char* prefix, int first, int last, int step, int& rows) {
    for (int h = first; h <= last; h += step) {
        if (h == rows) continue;
        if (Probe(Numbered(prefix, h))) {
            rows = h;
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// 業務価格総括表

int CEstimateReport::WriteGyomuKakakuSokatsu(int firstPage) {
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool perGyomu = m_job.IsPageBreakPerGyomu() != 0;
    const CBukakeFile& bukake = m_env.GetBukakeFile();

    m_job.BeginPage(kSheetGyomuKakaku, "1");
    const int formRows = SummaryRows(m_formGyou);
    int rows = formRows;
    ProbeRowCount("**業務価格総括表行数", 6, 16, 2, rows);
    const int linesPerPage = rows * 2;

    const int count = m_estimate.GetCount();
    int index = 0;
    int pageIndex = 0;
    int reference = 0;  // the 総括表 and 内訳書 numbers of the 業務 rows, over the sheet
    bool headingDone = false;
    for (;;) {
        if (pageIndex > 0) m_job.BeginPage(kSheetGyomuKakaku, "1");
        if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
        m_job.SetCellInt("**ページ", firstPage + pageIndex);
        std::string subject = m_estimate.m_strKenmei;
        if (!m_estimate.m_strKashoName.empty()) subject += kPlaceOpen + m_estimate.m_strKashoName + kPlaceClose;
        m_job.SetCellText("**件名", subject);
        if (m_twin) {
            auto fill = [this](const std::string& name, const std::string& text) {
                if (!text.empty()) m_job.SetCellText(name, text);
            };
            fill("**件名", m_cover.m_subject);
            fill("**箇所名", m_cover.m_place);
            fill("**No", m_cover.m_number);
            fill("**宛名1", m_cover.m_address1);
            for (int i = 1; i <= 10; ++i) fill(Numbered("**予備", i), m_cover.m_spare[static_cast<size_t>(i - 1)]);
            fill("**見積金額", m_cover.m_amount);
        }

        int line = 0;
        int number = 1;
        int previousKind = 0;
        bool pageFull = false;
        for (; index < count; ++index) {
            const CSekisanItem* item = m_estimate.GetItem(index);
            if (!item || item->m_bNoPrint) continue;
            int kind = 0;
            if (IsKoshuRow(*item, 95)) {
                kind = 1;
            } else if (IsKoshuRow(*item, 97)) {
                kind = 2;
            } else if (IsGyomuRow(*item) && item->m_nGyomu == 89) {
                kind = 3;
            } else if (IsGyomuRow(*item) && Between(item->m_nGyomu, 95, 99)) {
                static constexpr const char* kOnlyCells[5] = {"**合計のみ", "**値引きのみ", "**改メ計のみ",
                                                              "**消費税相当額のみ", "**業務委託料計のみ"};
                const char* only = kOnlyCells[item->m_nGyomu - 95];
                if (Probe(only)) {
                    // The form shows this total in a cell of its own instead of a row.
                    if (!omit && !IsUnset(item->m_nAmount)) m_job.SetCellLong(only, item->m_nAmount);
                    continue;
                }
                kind = 3;
            }
            if (kind == 0) continue;

            bool replacing = false;
            if (kind == 2 && previousKind == 1) {
                // The 業務's total after adjustment takes the place of its subtotal.
                line -= 2;
                --number;
                replacing = true;
                m_job.SetCellTextAt("**費目上段", 0, line, "");
                m_job.SetCellTextAt("**単位", 0, line, "");
            }
            if (!replacing && line >= linesPerPage) {
                pageFull = true;
                break;
            }
            if (!headingDone) {
                headingDone = true;
                m_job.SetCellTextAt("**dudaroda用費目", 0, 0, kGyomuKakakuHeading);
                bool headed = m_job.GetErrorNo() == 0;
                if (!headed) {
                    m_job.SetCellTextAt("**業務価格総括表費目", 0, 0, kGyomuKakakuHeading);
                    headed = m_job.GetErrorNo() == 0;
                }
                if (headed) line += 2;
                if (line >= linesPerPage) {
                    pageFull = true;
                    break;
                }
            }

            bool named = false;
            if (IsGyomuRow(*item) && (item->m_nGyomu == 95 || item->m_nGyomu == 99)) {
                m_job.SetCellTextAt("**dudaroda用費目", 0, line,
                                    item->m_nGyomu == 95 ? kGyomuKakakuTotal : kGyomuKakakuGrandTotal);
                named = m_job.GetErrorNo() == 0;
            }
            if (!named) {
                std::string name;
                if (item->m_bNameUpperEdited || kind == 3) {
                    name = item->m_strNameUpper;
                } else {
                    const CBukakeGyomu* gyomu = bukake.FindGyomu(item->m_nGyomu);
                    name = GyomuPriceName(gyomu ? gyomu->m_name : item->m_strNameUpper);
                }
                if (!name.empty()) m_job.SetCellTextAt("**費目上段", 0, line, name);
            }
            if (kind != 3) {
                m_job.SetCellTextAt("**単位", 0, line, kShikiUnit);
                m_job.SetCellIntAt("**数量", 0, line, 1);
            }
            if (!IsUnset(item->m_nAmount) && !omit) m_job.SetCellLongAt("**金額", 0, line, item->m_nAmount);
            m_job.SetCellIntAt("**番号", 0, line, number++);
            if (perGyomu) {
                if (kind == 1) {
                    ++reference;
                    m_job.SetCellTextAt("**業務価格総括表摘要", 0, line, Numbered(kSokatsuReference, reference));
                    m_job.SetCellTextAt("**業務価格内訳表摘要", 0, line, Numbered(kUchiwakeReference, reference));
                } else if (kind == 3 && !item->m_strRemarkUpper.empty()) {
                    m_job.SetCellTextAt("**業務価格総括表摘要", 0, line, item->m_strRemarkUpper);
                    m_job.SetCellTextAt("**業務価格内訳表摘要", 0, line, item->m_strRemarkUpper);
                }
            }
            previousKind = kind;
            line += 2;
        }
        m_job.EndPage();
        ++pageIndex;
        if (!pageFull) break;
    }
    return pageIndex;
}

// ---------------------------------------------------------------------------------------------
// 総括表 and 内訳書

int CEstimateReport::SokatsuPageCount(int rows) {
    if (!m_job.IsPageBreakPerGyomu()) return CeilDiv(m_estimate.CountPrinted(), rows);
    int pages = 0;
    int lastRows = 0;
    for (int i = 0; i < m_estimate.GetCount(); ++i) {
        const CSekisanItem* item = m_estimate.GetItem(i);
        if (!item || !IsGyomuRow(*item) || !Between(item->m_nGyomu, 1, 32)) continue;
        int n = m_estimate.CountGyomuItems(item->m_nGyomu, true);
        if (n < 1) {
            if (!item->m_bNoPrint) {
                ++pages;
                lastRows = 1;
            }
        } else {
            if (!item->m_bNoPrint) ++n;
            pages += CeilDiv(n, rows);
            lastRows = n;
        }
    }
    int summaryRows = 0;
    for (int code = 89; code <= 99; ++code) {
        const CSekisanItem* item = m_estimate.GetItem(m_estimate.FindGyomu(code));
        if (!item) continue;
        if (code == 95 && !IsUnset(item->m_nAmount) && !m_job.IsKingakuOmitted())
            m_job.SetCellLong("**業務合計", item->m_nAmount);
        if (!item->m_bNoPrint) ++summaryRows;
    }
    if (!m_job.IsGyomuSokatsuPrinted()) {
        const int used = lastRows % rows;
        const int freeRows = used == 0 ? 0 : rows - used;
        if (freeRows < summaryRows) ++pages;
    }
    return pages;
}

void CEstimateReport::WriteSokatsuTitles(int gyomuNumber) {
    m_job.SetCellText("**総括表番号", Numbered(kSokatsuTitle, gyomuNumber));
    m_job.SetCellText("**内訳書番号", Numbered(kUchiwakeTitle, gyomuNumber));
}

void CEstimateReport::WriteSokatsuPageHeader(int pageIndex, int firstPage, int gyomuNumber, bool numberedTitles) {
    if (pageIndex == 0) {
        m_job.SetCellText("**印刷表題", m_estimate.m_strPrintTitle);
        m_job.SetCellText("**件名", m_estimate.m_strKenmei);
        m_job.SetCellText("**箇所名", m_estimate.m_strKashoName);
        if (numberedTitles) {
            WriteSokatsuTitles(gyomuNumber);
        } else {
            m_job.SetCellText("**総括表番号", kSokatsuTitle);
            m_job.SetCellText("**内訳書番号", kUchiwakeTitle);
        }
    }
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    for (int i = 1; i <= 10; ++i) m_job.SetCellText(Numbered("**予備", i), m_cover.m_spare[static_cast<size_t>(i - 1)]);
    m_job.SetCellText("**宛名1", m_cover.m_address1);
    m_job.SetCellText("**宛名2", m_cover.m_address2);
    m_job.SetCellInt("**ページ", firstPage + pageIndex);
}

int CEstimateReport::WriteSokatsu(int firstPage) {
    const bool perGyomu = m_job.IsPageBreakPerGyomu() != 0;
    const bool withGyomuSokatsu = m_job.IsGyomuSokatsuPrinted() != 0;
    const bool numberedTitles = perGyomu && withGyomuSokatsu;
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const CBukakeFile& bukake = m_env.GetBukakeFile();

    m_job.BeginPage(kSheetSokatsuFirst, "1");
    int rows = SummaryRows(m_formGyou);
    ProbeRowCount("**総括表行数", 8, 50, 1, rows);
    std::string indent;
    for (int k = 1; k <= 16; ++k)
        if (Probe(Numbered("**半角スペース", k))) {
            indent.assign(static_cast<size_t>(k), ' ');
            break;
        }
    const bool hasKubunCell = Probe("**費目区分あり");
    const int pages = SokatsuPageCount(rows);

    const int count = m_estimate.GetCount();
    int index = 0;
    int written = 0;       // pages ended
    bool reuse = false;    // the open page had no row and is filled again
    int gyomuNumber = 1;
    int previousGyomu = kUnset;
    int gyomuOf913 = kUnset;
    int gyomuOf912 = kUnset;
    std::string heading;
    bool firstItem = true;
    while (written < pages && index < count) {
        if (written > 0 && !reuse) {
            m_job.BeginPage(kSheetSokatsuNext, "1");
            ProbeRowCount("**総括表行数", 8, 50, 1, rows);
        }
        if (written > 0 && numberedTitles) WriteSokatsuTitles(gyomuNumber);
        WriteSokatsuPageHeader(written, firstPage, gyomuNumber, numberedTitles);

        int line = 0;
        int placed = 0;
        int lastTakenGyomu = previousGyomu;
        while (placed < rows && index < count) {
            const CSekisanItem* item = m_estimate.GetItem(index);
            if (!item) {
                ++index;
                continue;
            }
            const int level = item->GetLevel();
            const int gyomu = item->m_nGyomu;
            std::string upper = item->m_strNameUpper;
            std::string lower = item->m_strNameLower;
            std::string remarkUpper = item->m_strRemarkUpper;
            std::string remarkLower = item->m_strRemarkLower;
            if (level == 1 && item->m_nKoshu == 913) gyomuOf913 = gyomu;
            if (level == 1 && item->m_nKoshu == 912) gyomuOf912 = gyomu;
            const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(gyomu, item->m_nKoshu, item->m_nShubetsu);
            // 物件調査: a 種別 priced with a 技術経費率 shows the rate (when its 種別 prints it) under the
            // remark, unless the amount was entered by hand.
            if (gyomu == 3 && shubetsu && shubetsu->m_coefficient > 0 && item->m_bAmountEntered == 0) {
                remarkUpper = remarkLower;
                remarkLower = shubetsu->m_denshiKind != 0
                                  ? kGijutsuKeihiRateBefore + vemo::FormatFixed(shubetsu->m_coefficient / 100.0, 2)
                                  : std::string();
            }
            if (firstItem) previousGyomu = gyomu;
            firstItem = false;
            lastTakenGyomu = gyomu;
            if (perGyomu && !IsUnset(previousGyomu) && previousGyomu <= 32 && gyomu != previousGyomu &&
                (withGyomuSokatsu || gyomu <= 32)) {
                ++gyomuNumber;
                break;
            }
            if (level == 0 && gyomu <= 32)
                heading = item->m_bNameUpperEdited ? upper : GyomuPriceName(upper);
            if (item->m_bNoPrint) {
                ++index;
                continue;
            }
            if (level == 2) {
                upper.insert(0, "  ");
                lower.insert(0, "    ");
            }

            bool named = false;
            if (level == 0 && (gyomu <= 32 || gyomu == 95 || gyomu == 99)) {
                const char* text = kSokatsuTotal;
                if (gyomu <= 32) {
                    if (numberedTitles) m_job.SetCellText("**総括表費目表題", heading);
                    text = upper.c_str();
                } else if (gyomu == 99) {
                    text = kSokatsuGrandTotal;
                }
                m_job.SetCellTextAt("**dudaroda用総括表費目", 0, line, text);
                named = m_job.GetErrorNo() == 0;
                if (!named) {
                    m_job.SetCellTextAt("**総括表費目", 0, line, upper);
                    named = m_job.GetErrorNo() == 0;
                }
            }
            m_job.SetCellTextAt("**大名称変更", 0, line, " ");

            Indent state = Indent::None;
            if (!indent.empty()) {
                state = IndentOf(*item, gyomuOf913, gyomuOf912);
                if (IsKoshuRow(*item, 95) && !heading.empty()) m_job.SetCellText("**業務価格名称", heading);
            }
            if (!named) {
                const char* nameCell = state == Indent::None && hasKubunCell ? "**費目区分あり" : "**費目上段";
                m_job.SetCellTextAt(nameCell, 0, line, Indented(state, indent, upper));
            }
            m_job.SetCellTextAt("**費目下段", 0, line, lower);
            if (!item->m_strUnit.empty()) m_job.SetCellTextAt("**単位", 0, line, item->m_strUnit);
            if (!IsUnset(item->m_nQuantity)) m_job.SetCellDoubleAt("**数量", 0, line, item->m_nQuantity / 1000.0);
            if (!IsUnset(item->m_nUnitPrice) && !omit)
                m_job.SetCellDoubleAt("**単価", 0, line, item->m_nUnitPrice / 10.0);
            if (!IsUnset(item->m_nAmount)) {
                int amount = item->m_nAmount;
                const int digits = item->m_nRounding;
                if (digits > 0 && digits <= 9)
                    amount = DoubleToLong(RoundDown(static_cast<double>(amount), std::pow(10.0, digits)));
                if (!omit) {
                    m_job.SetCellLongAt("**金額", 0, line, amount);
                    if (IsKoshuRow(*item, 95) && amount >= 0) m_job.SetCellLong("**工種合計のみ", amount);
                }
            }
            bool dropUpper = false;
            bool dropLower = false;
            if (omit) {
                bool& first = gyomu == 3 ? dropLower : dropUpper;
                bool& second = gyomu == 3 ? dropUpper : dropLower;
                first = true;
                if (IsUnset(item->m_nDaikaNo) || item->m_nDaikaNo < 0) second = true;
            }
            if (item->m_bKeepRemarkUpper == 1) dropUpper = false;
            if (item->m_bKeepRemarkLower == 1) dropLower = false;
            if (!dropUpper) m_job.SetCellTextAt("**摘要上段", 0, line, remarkUpper);
            if (!dropLower) m_job.SetCellTextAt("**摘要下段", 0, line, remarkLower);
            line += 2;
            ++placed;

            // The quantity and unit of the lower name, and the 歩掛's standard quantity, for forms
            // that print them apart.
            if (shubetsu) {
                if (!lower.empty()) {
                    double quantity = 0.0;
                    std::string unit;
                    SplitBracketQuantity(lower, quantity, unit);
                    m_job.SetCellTextAt("**費目下段数量のみ", 0, line, vemo::FormatFixed(quantity, 3));
                    m_job.SetCellTextAt("**費目下段単位のみ", 0, line, unit);
                }
                const int base = shubetsu->GetDetail().m_quantity;
                if (!IsUnset(base)) m_job.SetCellTextAt("**標準作業量", 0, line, vemo::FormatFixed(base / 100.0, 2));
            }
            ++index;
        }
        if (placed > 0) {
            m_job.EndPage();
            ++written;
            reuse = false;
        } else {
            reuse = true;
        }
        previousGyomu = lastTakenGyomu;
    }
    return firstPage + written - 1;
}
