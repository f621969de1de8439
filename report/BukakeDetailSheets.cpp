#include "report/BukakeDetailSheets.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Host.h"
#include "platform/Rounding.h"
#include "report/DaikaMeisai.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"

using namespace reporttext;

namespace detailprint {
namespace {

constexpr char kSheetDaika[] = "代価表";
constexpr char kSheetMeisai[] = "代価歩掛明細表";
constexpr int kMeisaiLineRows = 20;

// The masters the 材料及び機械経費 block prices with: the detail dialog's 単価 and 材料単価 copies and
// the settings; the masters it does not read stay empty.
class DetailCalcEnv final : public ICalcEnvironment {
public:
    DetailCalcEnv(const CTankaFile& tanka, const CZairyoTankaFile& zairyo, const CCalcSettings& settings)
        : m_tanka(tanka), m_zairyo(zairyo), m_settings(settings) {}
    const CBukakeFile& GetBukakeFile() const override { return m_bukake; }
    const CHenkaritsuFile& GetHenkaritsuFile() const override { return m_henkaritsu; }
    const CTankaFile& GetTankaFile() const override { return m_tanka; }
    const CShokeihiFile& GetShokeihiFile() const override { return m_shokeihi; }
    const CProgramKingakuFile& GetProgramKingakuFile() const override { return m_program; }
    const CZairyoTankaFile& GetZairyoTankaFile() const override { return m_zairyo; }
    const CCalcSettings& GetCalcSettings() const override { return m_settings; }

private:
    const CTankaFile& m_tanka;
    const CZairyoTankaFile& m_zairyo;
    const CCalcSettings& m_settings;
    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    CShokeihiFile m_shokeihi;
    CProgramKingakuFile m_program;
};

template <class... Args>
std::string Format(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    std::string out(static_cast<size_t>(size), '\0');
    std::snprintf(out.data(), out.size() + 1, format, args...);
    return out;
}

std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

bool RateSet(int32_t rate) { return !IsUnset(rate) && rate >= 1; }

// The quantity basis ÷ 100; 0 when unset.
double Basis(const CBukakeDetail& detail) { return IsUnset(detail.m_quantity) ? 0.0 : detail.m_quantity / 100.0; }

const CTankaRow* TradeRow(const CTankaFile& tanka, int32_t id) { return IsUnset(id) ? nullptr : tanka.FindRow(id); }

void WriteHead(CReportJob& job, const CBukakeDetail& detail, const BukakeDetailShubetsu& shubetsu) {
    job.SetCellText("**種別名", shubetsu.name);
    job.SetCellText("**代価表代価番号のみ", kDetailDaikaNumber);
    job.SetCellText("**～当たり", Format(kDaikaBasisFormat, Basis(detail), detail.m_unit.c_str()));
    job.SetCellInt("**ページ", 1);
}

}  // namespace

int WriteDaikaPage(CReportJob& job, const CBukakeDetail& detail, const BukakeDetailShubetsu& shubetsu,
                   const CTankaFile& tanka, const CZairyoTankaFile& zairyo, const CBukakeDetailPrintSetup& setup) {
    if (!job.OpenTemplate(setup.formPath)) return -1;
    job.BeginPage(kSheetDaika, "1");
    job.SetCellText("**第～号一位代価表", kDetailDaikaTitle);
    WriteHead(job, detail, shubetsu);

    // A detail whose expenses are rates of the direct labour prints its trades unindented, a direct
    // cost total and (測量) the rate rows instead of the 材料及び機械経費 block.
    const bool directLayout = detail.m_himokuMode == 1;
    int last = -1;
    auto row = [&](const std::string& name, std::optional<double> amount, const std::string& remark = {},
                   bool lump = false) {
        ++last;
        job.SetCellTextAt("**名称", 0, last, name);
        if (lump) job.SetCellTextAt("**単位", 0, last, estimate_texts::UnitShiki);
        if (lump && amount) job.SetCellIntAt("**数量", 0, last, 1);
        if (amount) job.SetCellDoubleAt("**金額", 0, last, *amount);
        if (!remark.empty()) job.SetCellTextAt("**摘要", 0, last, remark);
    };

    // Trades: the quantity of a column is its total over the lines; only a set price gives an amount.
    double direct = 0.0;
    double labour = 0.0;
    for (int k = 0; k < kMeisaiMaxColumns; ++k) {
        const CTankaRow* trade = TradeRow(tanka, detail.m_shokushu[static_cast<size_t>(k)]);
        if (!trade) continue;
        const double q = static_cast<double>(detail.GetShokushuTotal(k));
        ++last;
        job.SetCellTextAt("**名称", 0, last, directLayout ? trade->m_name : kDaikaTradeIndent + trade->m_name);
        job.SetCellTextAt("**単位", 0, last, trade->m_unit);
        job.SetCellDoubleAt("**数量", 0, last, q / 100.0);
        const int32_t price = pricing::PriceInColumn(*trade, tanka.m_defaultColumn);
        if (price < 0) continue;
        const double amount = price * q / 100.0;
        job.SetCellIntAt("**単価", 0, last, price);
        job.SetCellDoubleAt("**金額", 0, last, amount);
        (trade->m_kind == 1 ? labour : direct) += amount;
    }

    direct = RoundDown(direct, 1.0);
    labour = RoundDown(labour, 1.0);
    double total = direct + labour;
    row(directLayout ? kDaikaChokusetsuhiKei : kDaikaJinkenhiKei, total);
    job.SetCellDoubleAt("**摘要", 0, last, 0.0 - direct);

    const int gyomu = shubetsu.gyomu;
    const DetailCalcEnv env(tanka, zairyo, setup.settings);
    CSekisanData calc;
    calc.SetCalcContext(&env);
    double kikai = 0.0;  // the machine expense, part of the 精度管理費 base
    if (calc::IsSokuryoGyomu(gyomu) && directLayout) {
        const KeihiComponents parts =
            calc.CalcKeihiComponents(detail, DoubleToLong(direct + labour), DoubleToLong(direct));
        for (const auto& rate : reportsheet::RateExpenseRows(detail, parts)) {
            if (rate.amount <= 0) continue;
            row(rate.name, rate.amount, Format(kDaikaRateOfDirectLabour, rate.rate / 100.0));
            total += rate.amount;
        }
        kikai = parts.kikai;
    }
    if (calc::IsSekkeiGyomu(gyomu) && RateSet(detail.m_rates[0])) {
        const int32_t rate = detail.m_rates[0];
        const double amount = RoundDown(rate * direct / 10000.0, 1.0);
        const bool standard = detail.m_bukakeType == calc::BukakeType::SekkeiRowsUnfactored;
        row(estimate_texts::RowDensiKeisanki, amount, Format(standard ? kDaikaRatePercentStandard : kDaikaRatePercent, rate / 100.0),
            true);
        total += amount;
    }
    if (!directLayout) {
        KeihiComponents parts;
        last = WriteZairyoKikaiRows(last, job, calc, detail, direct, labour, parts, 1);
        total += static_cast<double>(parts.Sum());
        kikai = parts.kikai;
    }
    if (calc::IsSokuryoGyomu(gyomu)) {
        // 精度管理費: on the direct labour and the machine expense, with the 労務費 unless SeidoCalc.
        const int32_t coefficient = shubetsu.coefficient;
        if (IsUnset(coefficient)) {
            row(estimate_texts::RowSeidoKanrihi, std::nullopt);
            job.SetCellTextAt("**単位", 0, last, estimate_texts::UnitShiki);
        } else {
            const double base = direct + kikai + (setup.settings.SeidoCalc ? 0.0 : labour);
            const double amount = RoundDown(base * coefficient / 100.0, 1.0);
            row(estimate_texts::RowSeidoKanrihi, amount, Format(kDaikaSeidoCoefficient, coefficient / 100.0), true);
            total += amount;
        }
    }
    total = RoundDown(total, 1.0);
    row(kDaikaGokei, total);
    // The amount of one unit of the basis; none without a basis.
    const double basis = Basis(detail);
    row(Format(kDaikaPerUnitFormat, detail.m_unit.c_str()),
        basis > 0.0 ? std::optional<double>(RoundDown(total / basis, 1.0)) : std::nullopt);
    job.EndPage();
    return 1;
}

int WriteMeisaiPage(CReportJob& job, const CBukakeDetail& detail, const BukakeDetailShubetsu& shubetsu,
                    const CTankaFile& tanka, const CBukakeDetailPrintSetup& setup) {
    if (!job.OpenTemplate(setup.formPath)) return -1;
    job.BeginPage(kSheetMeisai, "1");
    job.SetCellText("**第～号一位代価歩掛明細表", kDetailMeisaiTitle);
    job.SetCellText("**第～号一位代価表", kDetailDaikaTitle);
    WriteHead(job, detail, shubetsu);

    const MeisaiCapacity capacity = ProbeMeisaiCapacity(job);
    if (CountShokushuColumns(detail) > capacity.trades) AfxMessageBox(Format(kDetailTooManyTrades, capacity.trades));
    const int columns = capacity.columns;
    WriteShokushuHeadings(job, detail, tanka, tanka.m_defaultColumn, columns);

    // The price of each trade column (0 without one) and whether it has a trade at all.
    std::array<int32_t, kMeisaiMaxColumns> price{};
    std::array<bool, kMeisaiMaxColumns> trade{};
    for (int j = 0; j < columns; ++j) {
        const int32_t id = GetColumnShokushuId(detail, j);
        trade[static_cast<size_t>(j)] = !IsUnset(id);
        if (const CTankaRow* row = TradeRow(tanka, id))
            price[static_cast<size_t>(j)] = std::max(pricing::PriceInColumn(*row, tanka.m_defaultColumn), 0);
    }

    std::array<double, kMeisaiMaxColumns> sum{};
    std::array<bool, kMeisaiMaxColumns> summed{};
    int64_t grandTotal = 0;
    const int lines = std::min(detail.GetLineCount(), kMeisaiLineRows);
    for (int i = 0; i < lines; ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        if (!line) continue;
        job.SetCellTextAt("**区分", 0, i, line->m_name);
        if (line->m_name.empty()) continue;
        int64_t amount = 0;
        for (int j = 0; j < columns; ++j) {
            const size_t c = static_cast<size_t>(j);
            const int32_t value = GetLineShokushuQuantity(detail, i, j);
            if (!trade[c] || IsUnset(value)) continue;
            job.SetCellDoubleAt(Numbered("**数量", j + 1), 0, i, value / 100.0);
            sum[c] += value / 100.0;
            summed[c] = true;
            amount += DoubleToLong(static_cast<double>(price[c]) * value / 100.0);
        }
        if (amount >= 0) job.SetCellLongAt(capacity.amountCell, 0, i, amount);
        grandTotal += amount;
    }
    job.SetCellTextAt("**区分", 0, lines, kDaikaGokei);
    for (int j = 0; j < columns; ++j)
        if (summed[static_cast<size_t>(j)])
            job.SetCellDoubleAt(Numbered("**数量", j + 1), 0, lines, sum[static_cast<size_t>(j)]);
    job.SetCellLongAt(capacity.amountCell, 0, lines, grandTotal);
    job.EndPage();
    return 1;
}

}  // namespace detailprint
