#include "estimate/PricingSupport.h"

#include <cmath>
#include <unordered_map>

#include "estimate/RecalcCache.h"
#include "formix/Formix.h"

namespace pricing {

int32_t PriceInColumn(const CTankaRow& row, int32_t column) {
    if (column < 0 || column >= CTankaRow::kPriceColumns) return -1;
    int32_t price = row.m_prices[static_cast<size_t>(column)];
    return price < 0 ? -1 : price;
}

std::string FormulaOperand(const std::string& number) {
    return !number.empty() && number[0] == '-' ? "(" + number + ")" : number;
}

std::string FormulaNumber(double value, double step) { return FormulaOperand(NumToStr(value, step)); }

bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

int32_t Amount(bool& fault, double x) {
    if (!std::isfinite(x) || x >= 2147483647.5 || x <= -2147483648.5) {
        fault = true;
        return 0;
    }
    int32_t v = DoubleToLong(x);
    if (IsUnset(v)) {
        fault = true;
        return 0;
    }
    return v;
}

int32_t Amount(bool& fault, int64_t x) {
    if (x > INT32_MAX || x <= INT32_MIN) {
        fault = true;
        return 0;
    }
    return static_cast<int32_t>(x);
}

double Divide(bool& fault, double x, double divisor) {
    if (!(divisor > 0.0) || !std::isfinite(divisor)) {
        fault = true;
        return x;
    }
    return x / divisor;
}

void SumColumnLabour(const CSekisanData& data, const CBukakeDetail& detail, const CSekisanItem& item, bool& fault,
                     int64_t& labour, int64_t& direct) {
    labour = direct = 0;
    for (int c = 0; c < 10; ++c) {
        double v = 0.0;
        const int k = data.CalcShokushuSlot(detail, item.m_bKotei.data(), v, c);
        if (k == 0 || k == 1) {
            const int w = Amount(fault, RoundDown(v, 1.0));
            labour += w;
            if (k == 0) direct += w;
        } else if (k == -2) {
            MissingPriceName() = item.m_strNameUpper;
        }
    }
}

}  // namespace pricing

const CBukakeShubetsu* CSekisanData::FindShubetsu(const CSekisanItem& item) const {
    if (IsUnset(item.m_nGyomu) || IsUnset(item.m_nKoshu) || IsUnset(item.m_nShubetsu)) return nullptr;
    return FindBukakeShubetsu(item.m_nGyomu, item.m_nKoshu, item.m_nShubetsu);
}

const CBukakeKoshu* CSekisanData::FindBukakeKoshu(int32_t gyomu, int32_t koshu) const {
    return m_recalcCache ? m_recalcCache->FindKoshu(gyomu, koshu) : Bukake().FindKoshu(gyomu, koshu);
}

const CBukakeShubetsu* CSekisanData::FindBukakeShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu) const {
    return m_recalcCache ? m_recalcCache->FindShubetsu(gyomu, koshu, shubetsu)
                         : Bukake().FindShubetsu(gyomu, koshu, shubetsu);
}

const CHenkaritsuRecord* CSekisanData::FindRateRecord(int32_t gyomu, int32_t code) const {
    if (m_recalcCache) return m_recalcCache->FindRateRecord(gyomu, code);
    const CHenkaritsuGyomu* group = Henkaritsu().FindGyomu(gyomu);
    return group ? group->FindRecord(code) : nullptr;
}

const CTankaRow* CSekisanData::FindTankaRow(int32_t id) const {
    return m_recalcCache ? m_recalcCache->FindTankaRow(id) : Tanka().FindRow(id);
}

const CTankaRow* CSekisanData::PricedRow(int32_t id, int32_t column, const CSekisanItem& item, int32_t& price) const {
    const CTankaRow* row = FindTankaRow(id);
    if (!row) return nullptr;
    price = pricing::PriceInColumn(*row, column);
    if (price >= 0) return row;
    MissingPriceName() = item.m_strNameUpper;
    return nullptr;
}

PricingScope::PricingScope(const CSekisanData& data, const CSekisanItem* item) : m_data(data), m_item(item) {
    if (m_data.m_pricing.depth++ == 0) m_data.m_pricing.fault = false;
}

PricingScope::~PricingScope() { --m_data.m_pricing.depth; }

int PricingScope::Finish(int result) {
    if (m_data.m_pricing.depth == 1 && m_data.m_pricing.fault) {
        m_data.m_pricing.fault = false;
        if (m_item) MissingPriceName() = m_item->m_strNameUpper;
        return 0;
    }
    return result;
}

int PricingScope::DensiDsp(const CSekisanData& data) {
    return data.m_pricing.densiDspOverride >= 0 ? data.m_pricing.densiDspOverride : data.Settings().DensiDsp;
}

int32_t PricingScope::MaterialRate(const CSekisanData& data, const CBukakeDetail& detail) {
    return data.m_pricing.noZairyoRate ? kUnset : detail.m_rates[2];
}

namespace pricing {

double EvaluateFormula(const std::string& text) {
    thread_local std::unordered_map<std::string, double> remembered;
    if (auto it = remembered.find(text); it != remembered.end()) return it->second;
    if (remembered.size() >= 8192) remembered.clear();  // bounded: estimates use a few hundred texts
    const double value = Execute(text.c_str());
    remembered.emplace(text, value);
    return value;
}

}  // namespace pricing
