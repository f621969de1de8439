// The overhead rate (諸経費率) of a 業務 and the three expense components of a 歩掛 detail.
#include <cmath>

#include "estimate/PricingSupport.h"
#include "formix/Formix.h"

using namespace calc;
using namespace pricing;

namespace {

struct PowerRate {
    int32_t low;   // rate for a base up to the lower bound
    int32_t high;  // rate for a base above the upper bound
    double k;
    double e;
};

// 測量 (業務 1 and 6): bounds 500,000 and 100,000,000.
PowerRate SokuryoRate(int yearCode) {
    switch (yearCode) {
    case 30105: return {9580, 6140, 288.5, -0.084};
    case 30100: return {8780, 4490, 462.5, -0.1266};
    default: return {9120, 5170, 371.23, -0.107};
    }
}

// 土質調査 (業務 4): bounds 1,000,000 and 30,000,000.
PowerRate DoshitsuRate(int yearCode) {
    switch (yearCode) {
    case 30101: return {5200, 3280, 335.58, -0.135};
    case 30102: return {5720, 3800, 300.01, -0.12};
    case 30103: return {5990, 4080, 285.3, -0.113};
    case 30104: return {8250, 6060, 290.2, -0.091};
    default: return {4710, 2800, 385.8, -0.1523};
    }
}

}  // namespace

int CSekisanData::GetShokeihiRate(int gyomu, int base, int yearCode) const {
    switch (gyomu) {
    case Gyomu::Sokuryo:
    case Gyomu::KukakuSokuryo: {
        if (base <= 0) return 0;
        const PowerRate r = SokuryoRate(yearCode);
        if (base <= 500000) return r.low;
        if (base > 100000000) return r.high;
        return DoubleToLong(f8_45(r.k * std::pow(static_cast<double>(base), r.e) * 100.0, 10.0));
    }
    case Gyomu::Sekkei:
    case Gyomu::Bukken:
    case Gyomu::DoshitsuKaiseki:
    case Gyomu::KukakuSekkei: {
        // 土質調査 (解析) takes the rate of 設計.
        const int rateCode = gyomu == Gyomu::DoshitsuKaiseki ? static_cast<int>(Gyomu::Sekkei) : gyomu;
        const CShokeihiRecord* record = CalcContext().GetShokeihiFile().FindRecord(rateCode);
        return record && !IsUnset(record->m_rate) ? record->m_rate : 0;
    }
    case Gyomu::DoshitsuIppan: {
        const PowerRate r = DoshitsuRate(yearCode);
        if (base <= 1000000) return r.low;
        if (base > 30000000) return r.high;
        return DoubleToLong(f8_45(r.k * std::pow(static_cast<double>(base), r.e), 0.1) * 100.0);
    }
    default:
        return 0;
    }
}

double CSekisanData::CalcZairyoAmount(const CBukakeHimoku* entry, double* quantity, double* price) const {
    if (!entry) return 0.0;
    const std::string text = AsciiUpper(entry->m_name);
    if (Contains(text, "Z1")) return -2.0;
    if (Contains(text, "Z2")) return -3.0;
    if (Contains(text, "Z3")) return -4.0;
    const double q = EvaluateFormula(text);
    if (!std::isfinite(q)) {
        m_pricing.fault = true;
        return 0.0;
    }
    if (quantity) *quantity = q;
    const CZairyoTankaItem* material = ZairyoTanka().FindItem(entry->m_values[1]);
    if (!material || !(q > 0) || IsNoPrice(material->m_price) || !std::isfinite(material->m_price)) return 0.0;
    const int32_t percentage = entry->m_values[2];
    const double p = RoundDown(material->m_price * (percentage < 1 ? 100 : percentage) / 100.0, 1.0);
    if (price) *price = p;
    return p * q;
}

double CSekisanData::SumZairyoOfKey(const CBukakeDetail* detail, int key) const {
    if (!detail) return 0.0;
    const CBukakeHimokuSet& set = detail->GetHimokuSet();
    double sum = 0.0;
    for (int i = 0; i < set.GetHimokuCount(); ++i) {
        const CBukakeHimoku* entry = set.GetHimoku(i);
        if (!entry || entry->m_values[0] != key) continue;
        const double a = CalcZairyoAmount(entry, nullptr, nullptr);
        if (a > 0) sum += RoundDown(a, 1.0);
    }
    return sum;
}

int CSekisanData::FindKeihiEntry(int from, const CBukakeHimokuSet* set, int component) {
    if (!set || component < 0 || component > 2) return -2;
    const char* marker = component == 0 ? "Z1" : component == 1 ? "Z2" : "Z3";
    for (int i = from < 0 ? 0 : from; i < set->GetHimokuCount(); ++i) {
        const CBukakeHimoku* entry = set->GetHimoku(i);
        if (entry && !entry->m_name.empty() && Contains(AsciiUpper(entry->m_name), marker)) return i + 1;
    }
    return -2;
}

void CSekisanData::CalcKeihiParts(const CBukakeDetail* detail, int labour, int directLabour, int mode, int* part1,
                                  int* part2, int* part0) const {
    if (!detail) return;
    const CBukakeHimokuSet& set = detail->GetHimokuSet();
    const double m[3] = {SumZairyoOfKey(detail, 0), SumZairyoOfKey(detail, 1), SumZairyoOfKey(detail, 2)};
    double total[3] = {0.0, 0.0, 0.0};
    double last[3] = {0.0, 0.0, 0.0};  // the last term of each component, the one bases 4 and 16 use
    for (int c = 0; c < 3; ++c) {
        const double g = PositiveRate(set.m_rates[static_cast<size_t>(c)]);
        const int32_t basis = set.m_bases[static_cast<size_t>(c)];
        for (int from = 0; (from = FindKeihiEntry(from, &set, c)) > 0;) {
            if (g <= 0) continue;
            double b = 0.0;
            switch (basis) {
            case 1: b = directLabour; break;
            case 2: b = static_cast<double>(labour) - directLabour; break;
            case 4: b = last[0]; break;
            case 8: b = labour; break;
            case 16: b = labour + m[0] + last[0] + m[1] + last[1]; break;
            default: continue;
            }
            last[c] = g * b;
            total[c] += last[c];
        }
    }
    int out[3];
    for (int c = 0; c < 3; ++c) out[c] = Amount(m_pricing.fault, mode == 6 ? total[c] : total[c] + m[c]);
    if (part0) *part0 = out[0];
    if (part1) *part1 = out[1];
    if (part2) *part2 = out[2];
}

KeihiComponents CSekisanData::CalcKeihiComponents(const CBukakeDetail& detail, int labour,
                                                    int directLabour) const {
    KeihiComponents k;
    // Both hand out the machine part first: the rates are 機械経費率, 通信運搬費等率, 材料費率, and the
    // 費目 components come as 1 (Z2), 2 (Z3), 0 (Z1).
    if (detail.m_himokuMode == 1)
        CalcKeihiByRate(detail, directLabour, k.kikai, k.sonota, k.zairyo);
    else
        CalcKeihiParts(&detail, labour, directLabour, 0, &k.kikai, &k.sonota, &k.zairyo);
    return k;
}
