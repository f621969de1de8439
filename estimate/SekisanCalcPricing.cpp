// Rules every amount of the estimate shares: the four-digit cut, the unit-price limit, the choice of
// the 技術経費率 and the expense parts by the rates of a 歩掛 detail.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "estimate/PricingSupport.h"

using namespace calc;
using namespace pricing;

int CSekisanData::TruncTo4Digits(int a) {
    if (a < 10000 || a >= 100000000) return a;
    int divisor = a < 100000 ? 10 : a < 1000000 ? 100 : a < 10000000 ? 1000 : 10000;
    return divisor * DoubleToLong(static_cast<double>(a) / divisor);
}

bool CSekisanData::SokuryoCutsToFourDigits(const CBukakeDetail& detail) const {
    const int type = detail.m_bukakeType;
    return Settings().DouroCalc == 1 && detail.m_programKingaku == 0 &&
           (type == BukakeType::SokuryoCut || type == BukakeType::SokuryoRows);
}

bool CSekisanData::DoshitsuCutsToFourDigits(int gyomu, const CBukakeDetail& detail) const {
    return gyomu == Gyomu::DoshitsuIppan && Settings().DouroCalc == 1 && detail.m_programKingaku == 0;
}

bool CSekisanData::CutsToFourDigits(const CSekisanItem& item) const {
    const CBukakeShubetsu* shubetsu = FindShubetsu(item);
    if (!shubetsu) return false;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    // As CalcShubetsuPart prices the row: 土質 prices only these two kinds of 歩掛.
    if (IsSokuryoGyomu(item.m_nGyomu)) return SokuryoCutsToFourDigits(detail);
    const int type = detail.m_bukakeType;
    return DoshitsuCutsToFourDigits(item.m_nGyomu, detail) &&
           (type == BukakeType::Materials || type == BukakeType::Standard);
}

bool CSekisanData::CheckUnitPrice(int& price, CSekisanItem& item) {
    // The price is kept ×10 in the item, so it has to stay within a tenth of the 32-bit range.
    const int limit = DoubleToLong(214748364.0);
    if (price <= limit && price >= 0) return true;
    // A limit of the amounts like the others: the 業務 is named in the record and told by it.
    // One name for each row, however often the walk prices it: two rows of one name are two.
    if (m_unpriced.insert(&item).second) m_limits.unitPriceRows[item.m_nGyomu].push_back(item.m_strNameUpper);
    price = 0;
    item.m_nUnitPrice = kUnset;
    item.m_nAmount = kUnset;
    item.m_nAmount2 = kUnset;
    return false;
}

int CSekisanData::GetGijutsuKeihiRate(int index, int byShubetsu) const {
    const CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return 0;
    int32_t r = kUnset;
    if (item->m_nGyomu == Gyomu::Bukken || item->m_nGyomu == Gyomu::DoshitsuIppan || byShubetsu == 1) {
        const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
        if (!shubetsu) return 0;
        r = shubetsu->m_coefficient;
    } else if (Settings().DefGijyutuCalc == 1) {
        r = GetMaxRateBySum(index);
    } else if (Settings().DefGijyutuCalc == 0) {
        // The highest coefficient among the earlier 種別 rows of the 業務, up to a missing record.
        for (int i = 0; i < index; ++i) {
            const CSekisanItem* other = m_ItemList.GetItem(i);
            if (!other || other->m_nGyomu != item->m_nGyomu || IsUnset(other->m_nShubetsu) ||
                LeftWithoutPrice(*other))
                continue;
            if (!FindBukakeKoshu(other->m_nGyomu, other->m_nKoshu)) break;
            const CBukakeShubetsu* shubetsu = FindShubetsu(*other);
            if (!shubetsu) break;
            int32_t c = shubetsu->m_coefficient;
            if (c > 0 && (IsUnset(r) || c > r)) r = c;
        }
    }
    if (IsUnset(r)) return 0;
    int64_t scaled = static_cast<int64_t>(r) * 100;
    return scaled > INT32_MAX ? INT32_MAX : scaled < INT32_MIN + 1 ? INT32_MIN + 1 : static_cast<int>(scaled);
}

int CSekisanData::GetMaxRateBySum(int index) const {
    const CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return 0;
    struct Group {
        int32_t coefficient;
        int64_t sum;
    };
    std::vector<Group> groups;
    for (int i = 0; i < index; ++i) {
        const CSekisanItem* other = m_ItemList.GetItem(i);
        if (!other || other->m_nGyomu != item->m_nGyomu || other->GetLevel() != 2 || other->m_nAmount <= 0) continue;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*other);
        if (!shubetsu || shubetsu->m_coefficient <= 0) continue;
        Group* found = nullptr;
        for (Group& g : groups)
            if (g.coefficient == shubetsu->m_coefficient) found = &g;
        if (found)
            found->sum += other->m_nAmount;
        else if (groups.size() < 10)
            groups.push_back({shubetsu->m_coefficient, other->m_nAmount});
    }
    const Group* best = nullptr;
    for (const Group& g : groups)
        if (!best || g.sum > best->sum) best = &g;
    return best ? best->coefficient : 0;
}

void CSekisanData::CalcKeihiByRate(const CBukakeDetail& detail, int base, int& p0, int& p1, int& p2) {
    int* parts[3] = {&p0, &p1, &p2};
    for (size_t k = 0; k < 3; ++k) {
        int32_t rate = detail.m_rates[k];
        if (rate > 0) *parts[k] = DoubleToLong(RoundDown(static_cast<double>(base) * rate / 10000.0, 1.0));
    }
}

int CSekisanData::CalcShubetsuPart(CSekisanItem* item, int index, AmountPart part) {
    if (!item) return 0;
    switch (item->m_nGyomu) {
        case Gyomu::Sokuryo:
        case Gyomu::KukakuSokuryo: return CalcSokuryoKingaku(item, index, part);
        case Gyomu::Sekkei:
        case Gyomu::KukakuSekkei: return CalcSekkeiKingaku(item, index, part);
        case Gyomu::Bukken: return CalcBukkenKingaku(item, index, part);
        case Gyomu::DoshitsuIppan:
        case Gyomu::DoshitsuKaiseki: return CalcDoshitsuKingakuPart(item, index, part);
        default: return 0;
    }
}

std::optional<double> CSekisanData::AppliedFactor(int index) {
    CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return std::nullopt;
    // The amount calculation notes the factor as it applies it; the missing-price name, shared by
    // every estimate, is left as it was.
    const MissingPriceKept missing;
    ScopedValue<const CSekisanItem*> noted(m_pricing.factorRow, item);
    m_pricing.factor.reset();
    CalcShubetsuPart(item, index, AmountPart::Amount);
    return m_pricing.factor;
}
