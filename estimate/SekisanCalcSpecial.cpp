// Special expense rows (精度管理費 847, 電子計算機使用料 899, 材料費等 917) with their formulas and
// texts, the day charges of trades, and a few sums over the rows of a 業務.
#include <cmath>
#include <memory>
#include <span>

#include "estimate/EstimateTexts.h"
#include "estimate/PricingSupport.h"
#include "platform/NumberText.h"

namespace txt = estimate_texts;
using namespace calc;
using namespace pricing;

namespace {

// int32 of a 64-bit value, held at the limits.
int Saturate(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < -INT32_MAX ? -INT32_MAX : static_cast<int>(v); }

bool InSet(int32_t code, std::span<const CodeRange> ranges) {
    for (const CodeRange& r : ranges)
        if (code >= r.low && code <= r.high) return true;
    return false;
}

}  // namespace

namespace {

// The 精度管理費 kinds that are a power of the base in thousands of yen: DTL(c × k^e) × 1000, raised
// to `low` and held at `high` (0 = no bound), where a bound empties the text.
struct PowerKind {
    int kind;
    double c, e;
    int64_t low, high;
    const char* text;
};
constexpr PowerKind kPowerKinds[] = {
    {0, 10.0, 0.26, 10000, 150000, txt::SeidoClass0},
    {1, 0.4, 0.69, 10000, 250000, txt::SeidoClass1},
    {5, 2.3, 0.44, 10000, 170000, txt::SeidoClass5},
    {6, 4.7, 0.38, 0, 260000, txt::SeidoClass6},
};

}  // namespace

int CSekisanData::CalcSeidoKanrihi(int kind, double base, std::string& text, int gyomu) {
    text.clear();
    // A base that is not a number, or a negative one, gives no 精度管理費 (a power of it is not defined).
    if (!std::isfinite(base) || base < 0 || base > 1e15) return 0;
    const int64_t k = DoubleToLong(base / 1000.0);
    int64_t r = 0;
    auto clampLow = [&](int64_t bound) {
        if (r < bound) {
            r = bound;
            text.clear();
        }
    };
    auto clampHigh = [&](int64_t bound) {
        if (r > bound) {
            r = bound;
            text.clear();
        }
    };
    for (const PowerKind& p : kPowerKinds) {
        if (p.kind != kind) continue;
        r = static_cast<int64_t>(DoubleToLong(p.c * std::pow(static_cast<double>(k), p.e))) * 1000;
        text = p.text;
        if (p.low) clampLow(p.low);
        if (p.high) clampHigh(p.high);
        return Saturate(r);
    }
    switch (kind) {
    case 2:
        r = static_cast<int64_t>(DoubleToLong(base * 0.04 / 1000.0)) * 1000;
        text = txt::SeidoClass2;
        clampHigh(400000);
        break;
    case 4:
        if (gyomu == Gyomu::DoshitsuIppan) {
            r = DoubleToLong(base * 0.016);
            text = txt::SeidoClass4Soil;
            if (r >= 200000) {
                r = 200000;
                text.clear();
            }
        } else {
            const double rate = f8_45((10.0 - 0.5 * f8_45(base / 1000000.0, 0.01)) / 100.0, 0.0001);
            r = DoubleToLong(base * rate);
            text = txt::OfJinkenhi + vemo::FormatFixed(rate * 100.0, 2) + "%";
            clampLow(50000);
            if (base > 10000000) {
                r = 500000;
                text.clear();
            }
        }
        break;
    case 7:
        r = DoubleToLong(base * 0.0215 + 45451);
        text = txt::SeidoClass7;
        break;
    case 8:
        r = static_cast<int64_t>(DoubleToLong(DoubleToLong(base / 1000.0) * 0.02)) * 1000;
        text = txt::SeidoClass8;
        break;
    default:
        break;
    }
    return Saturate(r);
}

int CSekisanData::GetSeidoKind(const CSekisanItem& item, int byKoshu) const {
    if (IsSokuryoGyomu(item.m_nGyomu)) return 5;
    if (byKoshu) {
        const CBukakeKoshu* koshu = FindBukakeKoshu(item.m_nGyomu, item.m_nKoshu);
        return koshu ? koshu->m_koshuType : -1;
    }
    const CBukakeShubetsu* shubetsu = FindShubetsu(item);
    return shubetsu ? shubetsu->m_denshiKind : -1;
}

int CSekisanData::CalcDensiKeisanki(int gyomu, int index, int base, int baseB, std::string& text, int table) {
    CSekisanItem* row = m_ItemList.GetItem(index);
    if (!row || gyomu < Gyomu::Sokuryo || gyomu > Gyomu::KukakuSekkei) return 0;
    const int64_t a64 = static_cast<int64_t>(base) - baseB;
    row->m_nLL[1] = Saturate(a64);
    row->m_nLL[2] = baseB;

    struct Rates {
        double rateA;
        int capA;
        const char* textA;
        double rateB;
        int capB;
        const char* textB;
    };
    Rates r;
    const bool survey = IsSokuryoGyomu(gyomu);
    const bool bukken = gyomu == Gyomu::Bukken, soil = gyomu == Gyomu::DoshitsuIppan;
    if (table == 1) {
        r = survey   ? Rates{0.0083, 313000, txt::DensiAltSokuryo, 0.0259, 904000, txt::DensiAltB}
            : bukken ? Rates{0.0229, 313000, txt::DensiAltBukken, 0.0259, 904000, txt::DensiAltB}
            : soil   ? Rates{0.016, 765000, txt::DensiAltSoil, 0.0259, 904000, txt::DensiAltB}
                     : Rates{0.0133, 307000, txt::DensiAltOther, 0.0259, 904000, txt::DensiAltB};
    } else {
        r = survey   ? Rates{0.0056, 230000, txt::DensiSokuryo, 0.0149, 597000, txt::DensiB}
            : bukken ? Rates{0.0191, 230000, txt::DensiBukken, 0.0149, 597000, txt::DensiB}
            : soil   ? Rates{0.0214, 1026000, txt::DensiSoil, 0.0149, 597000, txt::DensiB}
                     : Rates{0.0063, 244000, txt::DensiOther, 0.0149, 597000, txt::DensiB};
    }
    std::string textA = r.textA, textB = r.textB;
    if (!IsUnset(row->m_nRate)) {
        r.rateA = row->m_nRate / 10000.0;
        r.capA = 999999999;
        textA = std::string(soil ? txt::OfChosahi : txt::OfJinkenhi) + vemo::FormatFixed(row->m_nRate / 100.0, 2) + "%";
    }
    double a = static_cast<double>(a64) * r.rateA;
    double b = static_cast<double>(baseB) * r.rateB;
    if (a > r.capA) {
        a = r.capA;
        textA.clear();
    }
    if (b > r.capB) {
        b = r.capB;
        textB.clear();
    }
    text = (a > 0 && b == 0) ? textA : (a == 0 && b > 0) ? textB : std::string();
    return Saturate(static_cast<int64_t>(DoubleToLong(a)) + DoubleToLong(b));
}

namespace {

// Inserts or removes one special row of a 業務: the 工種 code, its name and the 工種 codes in front of
// the first of which a new row goes.
int UpdateSpecialRow(CSekisanItemList& list, int gyomu, int mode, int32_t koshu, const char* name,
                     std::span<const CodeRange> anchors) {
    int found = -1, anchor = -1;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (!item || item->m_nGyomu != gyomu) continue;
        if (found < 0 && item->m_nKoshu == koshu) found = i;
        if (anchor < 0 && InSet(item->m_nKoshu, anchors)) anchor = i;
    }
    if (mode == 1) {
        if (found > 0) list.RemoveItem(found);
    } else if (mode == 0 && found < 0 && anchor > 0) {
        auto row = std::make_unique<CSekisanItem>();
        row->m_nGyomu = gyomu;
        row->m_nKoshu = koshu;
        row->m_strNameUpper = name;
        row->m_strUnit = txt::UnitShiki;
        row->m_nQuantity = 1000;
        list.InsertItem(anchor, std::move(row));
    }
    return 0;
}

}  // namespace

int CSekisanData::UpdateDensiRow(int gyomu, int mode) {
    return UpdateSpecialRow(m_ItemList, gyomu, mode, Koshu::DensiRow, txt::RowDensiKeisanki, kDensiRowAnchors);
}

int CSekisanData::UpdateSeidoRow(int gyomu, int mode) {
    return UpdateSpecialRow(m_ItemList, gyomu, mode, Koshu::SeidoRow, txt::RowSeidoKanrihi, kSeidoRowAnchors);
}

int CSekisanData::UpdateZairyoRow(int gyomu, int mode) {
    return UpdateSpecialRow(m_ItemList, gyomu, mode, Koshu::ZairyoRow, txt::RowZairyohi, kZairyoRowAnchors);
}

int CSekisanData::CalcDensiRowAmount(int gyomu, int index, int& extra) {
    CSekisanItem* row = m_ItemList.GetItem(index);
    if (!row) return -1;
    if (row->m_bAmountEntered == 1) {
        extra = row->m_nAmount;
        return 0;
    }
    bool fault = false;
    int64_t sum1 = 0, sum2 = 0, sum3 = 0;
    for (int i = 0; i < index; ++i) {
        CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item || item->m_nGyomu != gyomu || IsUnset(item->m_nShubetsu) || item->m_nAmount2 <= 0 ||
            IsUnset(item->m_nQuantity) || item->m_bAmountEntered != 0)
            continue;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
        if (!shubetsu) continue;
        const double qty = item->m_nQuantity / 1000.0;
        const double c = IsUnset(item->m_nUnitPrice) ? (IsUnset(item->m_nAmount) ? 0.0 : item->m_nAmount)
                                                     : qty * item->m_nUnitPrice / 10.0;
        const int d = Amount(fault, c);
        const double f = !IsLumpUnit(shubetsu->GetDetail().m_unit)
                             ? qty * item->m_nAmount2 / 10.0
                             : qty * CalcSekkeiKingakuWithDensi(item, i, AmountPart::Amount);
        const int g = Amount(fault, f);
        sum1 += d;
        sum2 += g;
        if ((gyomu == Gyomu::Sekkei || gyomu == Gyomu::DoshitsuKaiseki) && shubetsu->m_conventional == 0) sum3 += g - d;
    }
    row->m_nAmount = Amount(fault, sum2 - sum1);
    if (fault) {
        row->m_nAmount = 0;
        MissingPriceName() = row->m_strNameUpper;
    }
    if (sum3 > 0) extra = Saturate(sum3);
    return 0;
}

int CSekisanData::SumZairyoCost(int gyomu, int count) const {
    bool fault = false;
    int64_t sum = 0;
    for (int i = 0; i < count; ++i) {
        const CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item) break;
        if (item->m_nGyomu != gyomu || IsUnset(item->m_nShubetsu) || LeftWithoutPrice(*item)) continue;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
        if (!shubetsu) break;
        const CZairyoTankaItem* material = ZairyoTanka().FindItem(shubetsu->GetDetail().m_zairyoId);
        if (!material || IsNoPrice(material->m_price) || !(material->m_price > 0) || !(item->m_nQuantity > 0))
            continue;
        sum += Amount(fault, material->m_price * item->m_nQuantity / 1000.0);
    }
    return Saturate(sum);
}

void CSekisanData::SetZairyoRemark(CSekisanItem& item) const {
    if (item.m_nGyomu != Gyomu::DoshitsuIppan) return;
    const CBukakeShubetsu* shubetsu = FindShubetsu(item);
    if (!shubetsu) return;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    if (detail.m_bukakeType != BukakeType::Materials && detail.m_bukakeType != BukakeType::MaterialsOther) return;
    const CZairyoTankaItem* only = nullptr;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        const int32_t kind = line->m_columns[0];
        if (kind != 3 && kind != 4 && kind != 5) continue;
        const CZairyoTankaItem* material = ZairyoTanka().FindItem(line->m_columns[1]);
        if (!material) continue;
        if (only) return;  // more than one material: the remark names none
        only = material;
    }
    if (!only || only->m_extra.empty()) return;
    item.m_nDaikaNo = -1;
    if (item.m_bKeepRemarkLower == 0) item.m_strRemarkLower = only->m_remarks;
}

void CSekisanData::SumKoshuQuantities(int index, int count, int& quantity, int& amount) const {
    quantity = amount = 0;
    const CSekisanItem* node = m_ItemList.GetItem(index);
    if (!node) return;
    int64_t q = 0, a = 0;
    for (int i = index + 1; i < count && i < m_ItemList.GetCount(); ++i) {
        const CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item || item->m_nGyomu != node->m_nGyomu || item->m_nKoshu != node->m_nKoshu) break;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
        if (!shubetsu) return;
        if (shubetsu->GetDetail().m_bukakeType == BukakeType::KoshuTotal) break;
        if (item->m_nQuantity > 0 && !LeftWithoutPrice(*item)) q += item->m_nQuantity;
        if (item->m_nAmount > 0) a += item->m_nAmount;
    }
    quantity = Saturate(q);
    amount = Saturate(a);
}

namespace {

int FirstSokuryoAmount(const CSekisanItemList& list, int32_t koshu) {
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (item && IsSokuryoGyomu(item->m_nGyomu) && item->m_nKoshu == koshu && item->m_nAmount > 0)
            return item->m_nAmount;
    }
    return 0;
}

}  // namespace

int CSekisanData::GetKoshu81Amount() const { return FirstSokuryoAmount(m_ItemList, Koshu::DensiKeisanki); }
int CSekisanData::GetKoshu92Amount() const { return FirstSokuryoAmount(m_ItemList, Koshu::DenshiSeikahin); }

void CSekisanData::CollectShokushu(int ids[], int count, int index) const {
    for (int i = 0; i < count; ++i) ids[i] = -1;
    const CSekisanItem* target = m_ItemList.GetItem(index);
    if (!target) return;
    for (int i = 0; i < index; ++i) {
        const CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item) return;
        if (item->m_nGyomu != target->m_nGyomu || IsUnset(item->m_nShubetsu) || LeftWithoutPrice(*item)) continue;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
        if (!shubetsu) return;
        const CBukakeDetail& detail = shubetsu->GetDetail();
        if (IsDayType(detail.m_bukakeType)) continue;
        for (int32_t id : detail.m_shokushu) {
            if (IsUnset(id)) continue;
            int slot = -1;
            bool present = false;
            for (int j = 0; j < count; ++j) {
                if (ids[j] == id) present = true;
                if (ids[j] == -1 && slot < 0) slot = j;
            }
            if (!present && slot >= 0) ids[slot] = id;
        }
    }
}

int CSekisanData::GetMaxShokushuDays(int index) {
    int ids[10];
    CollectShokushu(ids, 10, index);
    int best = kUnset;
    for (int id : ids) {
        if (id == -1) continue;
        const int days = CalcShubetsuDays(index, id, 2);
        if (IsUnset(best) || days > best) best = days;
    }
    return best;
}

int CSekisanData::GetMaxCalendarDays(int index) {
    const int m = GetMaxShokushuDays(index);
    return IsUnset(m) ? m : m + (m - 1) / 6;
}

namespace {

int CalendarDays(int days) { return days + (days - 1) / 6; }

}  // namespace

int CSekisanData::GetDayCharge(int index, int id, std::string& text) {
    text.clear();
    const int days = CalcShubetsuDays(index, id, 2);
    const CTankaRow* row = FindTankaRow(id);
    if (days <= 0 || !row) return 0;
    const int c = CalendarDays(days);
    const int period = c <= 5 ? 1 : c <= 29 ? 2 : c <= 59 ? 3 : 4;
    int price = 0;
    if (!IsUnset(row->m_related)) {
        if (const CTankaRow* byPeriod = FindTankaRow(row->m_related + period)) {
            price = PriceInColumn(*byPeriod, m_ItemList.m_nTankaColumn);
            if (price < 0) {
                price = 0;
                if (const CSekisanItem* item = m_ItemList.GetItem(index)) MissingPriceName() = item->m_strNameUpper;
            }
        }
    }
    text = row->m_name + NumToStr(c, 1.0) + txt::Days;
    return price;
}

int CSekisanData::CalcDayCharges(int index) {
    CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return 0;
    PricingScope scope(*this, item);
    int ids[10];
    CollectShokushu(ids, 10, index);
    int64_t sum = 0;
    std::string text;
    for (int id : ids) {
        if (id == -1) continue;
        const int days = CalcShubetsuDays(index, id, 2);
        if (days <= 0) continue;
        std::string t;
        const int price = GetDayCharge(index, id, t);
        sum += static_cast<int64_t>(price) * CalendarDays(days);
        text += t;
    }
    if (!text.empty() && item->m_bNameLowerEdited == 0) item->m_strNameLower = text;
    return scope.Finish(Amount(scope.Fault(), sum));
}

int CSekisanData::CalcShokushuCharges(int index) {
    CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return 0;
    PricingScope scope(*this, item);
    int ids[10];
    CollectShokushu(ids, 10, index);
    int ll = 0;
    for (size_t k = 0; k < 8; ++k)
        if (item->m_nLL[k] > 0) {
            ll = item->m_nLL[k] / 10000;
            break;
        }
    auto priceOf = [&](const CTankaRow& row) {
        const int32_t p = PriceInColumn(row, m_ItemList.m_nTankaColumn);
        if (p >= 0) return p;
        MissingPriceName() = item->m_strNameUpper;
        return 0;
    };
    int64_t sum = 0;
    for (int id : ids) {
        if (id == -1) continue;
        if (CalcShubetsuDays(index, id, 2) <= 0) continue;
        const CTankaRow* row = FindTankaRow(id);
        if (!row) return scope.Finish(0);
        const int own = priceOf(*row);
        const CTankaRow* related = IsUnset(row->m_related) ? nullptr : FindTankaRow(row->m_related);
        const int rel = related ? priceOf(*related) : 0;
        std::string t;
        sum += GetDayCharge(index, id, t) + 2 * (static_cast<int64_t>(own) + ll + rel);
    }
    return scope.Finish(Amount(scope.Fault(), sum));
}
