// 測量 and 土質調査 amounts of a 種別 row, the worker slots that 設計 shares, the day counts of a
// 職種 across a 業務, the day charges of the 測量 row 13/12, and the rounding of the 業務 total.
#include <cmath>

#include "estimate/EstimateTexts.h"
#include "estimate/PricingSupport.h"

using namespace calc;
using namespace pricing;

namespace {

bool LineSelected(const int32_t* kotei, int line) {
    return line >= 0 && line < CSekisanItem::kKoteiCount && kotei[line] == 1;
}

// Divisor of 歩掛 type PerLL8: the eighth LL value / 10000, 1.0 when unset.
double PerLL8Divisor(bool& fault, const CSekisanItem& item) {
    const int32_t ll = item.m_nLL[7];
    if (IsUnset(ll)) return 1.0;
    if (ll <= 0) {
        fault = true;
        return 1.0;
    }
    return ll / 10000.0;
}

}  // namespace

int CSekisanData::CalcWorkerSlot(const CBukakeDetail& detail, int line, int column, double factor,
                                 double& roundedDays, double& days, CTankaRow& row) const {
    row.m_kind = -1;
    const CBukakeDetailLine* l = detail.GetLine(line);
    if (!l || column < 0 || column > 9) return -1;
    const int32_t value = l->m_columns[static_cast<size_t>(column)];
    if (value <= 0) return -1;
    days = value / 100.0;
    const double d = days * factor;
    const CCalcSettings& settings = Settings();
    const double step = settings.ManDayStep();
    roundedDays = settings.HoseiMarumeKind == 0   ? f8_45(d, step)
                  : settings.HoseiMarumeKind == 2 ? RoundUp(d, step)
                                                  : RoundDown(d, step);
    const CTankaRow* found = FindTankaRow(detail.m_shokushu[static_cast<size_t>(column)]);
    if (!found) return -1;
    const int32_t price = PriceInColumn(*found, m_ItemList.m_nTankaColumn);
    if (price < 0) {
        row.m_kind = -2;
        return -2;
    }
    row = *found;
    return Amount(m_pricing.fault, price * roundedDays);
}

int CSekisanData::CalcShokushuSlot(const CBukakeDetail& detail, const int32_t* koteiFlags, double& labour,
                                   int column) const {
    labour = 0.0;
    if (column < 0 || column > 9) return -1;
    int64_t s = 0;
    bool any = false;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        if (!LineSelected(koteiFlags, i)) continue;
        const int32_t v = detail.GetLine(i)->m_columns[static_cast<size_t>(column)];
        if (v > 0) {
            s += v;
            any = true;
        }
    }
    if (!any) return -1;
    const CTankaRow* row = FindTankaRow(detail.m_shokushu[static_cast<size_t>(column)]);
    if (!row) return -1;
    const int32_t price = PriceInColumn(*row, m_ItemList.m_nTankaColumn);
    if (price < 0) return -2;
    labour = static_cast<double>(s) / 100.0 * price;
    return row->m_kind == 0 || row->m_kind == 1 ? row->m_kind : -1;
}

int CSekisanData::GetShokushuDays(const CBukakeDetail& detail, int id, int key) {
    int column = -1;
    if (id != 0) {
        for (size_t c = 0; c < detail.m_shokushu.size(); ++c)
            if (detail.m_shokushu[c] == id) {
                column = static_cast<int>(c);
                break;
            }
        if (column < 0) return 0;
    }
    int64_t sum = 0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        if ((key == 0 || key == 1) && line->m_value != key) continue;
        if (column >= 0) {
            const int32_t v = line->m_columns[static_cast<size_t>(column)];
            if (v > 0) sum += v;
        } else {
            for (int32_t v : line->m_columns)
                if (!IsUnset(v)) sum += v;
        }
    }
    return sum > INT32_MAX ? INT32_MAX : sum < -INT32_MAX ? -INT32_MAX : static_cast<int>(sum);
}

int CSekisanData::CalcSokuryoKingaku(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int t = detail.m_bukakeType;
    const bool byLines = Settings().DouroCalc == 1;
    int r = (t == BukakeType::SokuryoRows && byLines) ? CalcSokuryoRows(item, index, part)
                                                      : CalcSokuryoShubetsu(item, index, part);
    if (SokuryoCutsToFourDigits(detail)) r = TruncTo4Digits(r);
    return scope.Finish(r);
}

int CSekisanData::CalcSokuryoShubetsu(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int type = detail.m_bukakeType;

    int64_t labour = 0, direct = 0;
    SumColumnLabour(*this, detail, *item, fault, labour, direct);
    const int L = Amount(fault, labour), D = Amount(fault, direct);
    const KeihiComponents keihi = CalcKeihiComponents(detail, L, D);

    // 精度管理費: on the labour (SeidoCalc: the direct labour) and the machine expense.
    int S = 0;
    if (part != AmountPart::WithoutSeido && part != AmountPart::PerLL8UnroundedWithoutSeido &&
        shubetsu->m_coefficient > 0 && item->m_bSpecialExpense == 1) {
        const int B = Settings().SeidoCalc ? D : L;
        S = Amount(fault, RoundDown(shubetsu->m_coefficient / 100.0 * (static_cast<double>(B) + keihi.kikai), 1.0));
    }
    const double T = static_cast<double>(L) + static_cast<double>(keihi.Sum()) + S;

    double c;
    int u;
    if (!IsLumpUnit(detail.m_unit)) {
        c = detail.m_quantity / 100.0;
        u = type == BukakeType::PerLL8 ? Amount(fault, T) : Amount(fault, RoundDown(Divide(fault, T, c), 1.0));
    } else {
        c = ItemRate(*item);
        u = Amount(fault, RoundDown(T * c, 1.0));
    }
    if (part == AmountPart::UnitBeforeFactor) return scope.Finish(u);

    double f = IsUnset(item->m_nWeightAverage) ? CalcBukakeFormula(shubetsu, index, 0, 0)
                                               : item->m_nWeightAverage / 1000.0;
    if (item->m_nGyomu != Gyomu::KukakuSokuryo) f = RoundDown(f, 0.001);
    NoteFactor(item, f);
    double x = u * f;
    if (part == AmountPart::DirectLabour) x = D * f;
    if (part == AmountPart::Densi) {
        x = D * f;
        if (c > 0 && type != BukakeType::PerLL8) x = x / c;
    }
    double y = RoundDown(x, 1.0);
    if (type == BukakeType::PerLL8) {
        if (part == AmountPart::PerLL8Unrounded || part == AmountPart::PerLL8UnroundedWithoutSeido)
            return scope.Finish(Amount(fault, x));
        y = y / PerLL8Divisor(fault, *item);
    }
    return scope.Finish(Amount(fault, y));
}

int CSekisanData::CalcRowKingaku(const CBukakeShubetsu& shubetsu, int line, int index, RowTotals& totals,
                                 AmountPart part, CSekisanItem* item, double& factorOut) {
    PricingScope scope(*this, item);
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const CBukakeDetailLine* l = detail.GetLine(line);
    if (!l || !item) return -1;
    bool& fault = scope.Fault();
    const int type = detail.m_bukakeType;

    int64_t labour = 0, direct = 0;
    for (size_t col = 0; col < 10; ++col) {
        const int32_t v = l->m_columns[col];
        if (v <= 0) continue;
        const CTankaRow* row = FindTankaRow(detail.m_shokushu[col]);
        if (!row) return -1;
        const int32_t price = PriceInColumn(*row, m_ItemList.m_nTankaColumn);
        if (price < 0) return -2;
        const int w = Amount(fault, static_cast<double>(price) * v / 100.0);
        if (w > 0 && (row->m_kind == 0 || row->m_kind == 1)) {
            labour += w;
            if (row->m_kind == 0) direct += w;
        }
    }
    const int L = Amount(fault, labour), D = Amount(fault, direct);
    const KeihiComponents keihi = CalcKeihiComponents(detail, L, D);
    int S = 0;
    if (part != AmountPart::WithoutSeido && part != AmountPart::PerLL8UnroundedWithoutSeido &&
        part != AmountPart::PerBaseWithoutSeido && shubetsu.m_coefficient > 0 && item->m_bSpecialExpense == 1) {
        const int B = Settings().SeidoCalc ? D : L;
        S = Amount(fault, RoundDown(shubetsu.m_coefficient / 100.0 * (static_cast<double>(B) + keihi.kikai), 1.0));
    }
    const double T = static_cast<double>(L) + static_cast<double>(keihi.Sum()) + S;

    double e = IsUnset(item->m_nWeightAverage) ? CalcBukakeFormula(&shubetsu, index, 0, 0)
                                               : item->m_nWeightAverage / 1000.0;
    if (!KeepsFullFactor(item->m_nGyomu, item->m_nKoshu)) e = RoundDown(e, 0.001);
    factorOut = e;
    NoteFactor(item, e);
    const double A = RoundDown(T * e, 1.0);

    double c, H;
    int U;
    if (!IsLumpUnit(detail.m_unit)) {
        c = (part == AmountPart::AmountPerBase || part == AmountPart::PerBaseWithoutSeido) ? 1.0
                                                                                          : detail.m_quantity / 100.0;
        if (type == BukakeType::PerLL8) {
            U = Amount(fault, T);
            H = T * e;
        } else {
            H = RoundDown(Divide(fault, A, c), 1.0);
            U = Amount(fault, RoundDown(T / (c > 0 ? c : 1.0), 1.0));
        }
    } else {
        U = Amount(fault, RoundDown(T * ItemRate(*item), 1.0));
        H = U * e;
        c = 1.0;
    }
    if (part == AmountPart::DirectLabour || part == AmountPart::Densi) {
        H = RoundDown(D * e, 1.0);
        if (c > 0) H = H / c;
    }
    if (part == AmountPart::UnitBeforeFactor) return scope.Finish(U);
    int result;
    if (type == BukakeType::PerLL8) {
        if (part == AmountPart::PerLL8Unrounded || part == AmountPart::PerLL8UnroundedWithoutSeido)
            return scope.Finish(Amount(fault, H));
        result = Amount(fault, RoundDown(H, 1.0) / PerLL8Divisor(fault, *item));
    } else {
        result = Amount(fault, RoundDown(H, 1.0));
    }
    if (L > 0) totals = RowTotals{L, D, keihi, S};
    return scope.Finish(result);
}

int CSekisanData::CalcSokuryoRows(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    int64_t sum = 0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        if (!LineSelected(item->m_bKotei.data(), i)) continue;
        RowTotals scratch;
        double factor = 0.0;
        int a = CalcRowKingaku(*shubetsu, i, index, scratch, part, item, factor);
        if (part == AmountPart::Amount && a > 0 && Settings().DouroCalc == 1) {
            if (detail.m_programKingaku == 0) a = TruncTo4Digits(a);
        } else if (a == -2) {
            MissingPriceName() = item->m_strNameUpper;
        }
        if (a > 0) sum += a;
    }
    return scope.Finish(Amount(scope.Fault(), sum));
}

int CSekisanData::CalcDoshitsuKingakuPart(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    int r = 0;
    if (detail.m_bukakeType == BukakeType::Materials)
        r = CalcDoshitsuKingaku(item, index, part);
    else if (detail.m_bukakeType == BukakeType::Standard)
        r = CalcSokuryoKingaku(item, index,
                               part == AmountPart::DirectLabour ? AmountPart::DirectLabour : AmountPart::WithoutSeido);
    if (DoshitsuCutsToFourDigits(item->m_nGyomu, detail)) r = TruncTo4Digits(r);
    return scope.Finish(r);
}

int CSekisanData::CalcDoshitsuKingaku(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    double k[6] = {0.0};
    for (int kind = 1; kind <= 5; ++kind) k[kind] = SumZairyoByKey(item, index, *shubetsu, kind);

    // Marker lines: every "Z1" line, then every "Z2" line; each adds a rate of its basis to the
    // sum of its own kind, so later markers see the sums grown by the earlier ones.
    for (int which = 0; which <= 1; ++which) {
        // The part of the first marker line of this kind is the result when it is the part asked for.
        const bool asked = part == (which == 0 ? AmountPart::MaterialMarker : AmountPart::MachineMarker);
        bool first = true;
        for (int start = 0;;) {
            int line = -1, basis = 0;
            const int next = FindZairyoMarkerLine(start, *shubetsu, line, basis, which);
            if (next < 0 || line < 0) break;
            start = next;
            const CBukakeDetailLine* l = detail.GetLine(line);
            double a = 0.0;
            if (which == 0) {
                const double m = PositiveRate(PricingScope::MaterialRate(*this, detail));
                if (m > 0) {
                    switch (basis) {
                    case 1: a = m * k[1]; break;
                    case 2: a = m * k[2]; break;
                    case 4: a = m * k[3]; break;
                    case 8: a = m * (k[1] + k[2]); break;
                    case 16: a = m * (k[1] + k[2] + k[3] + k[4]); break;
                    default: break;
                    }
                }
            } else {
                const double g = PositiveRate(detail.m_rates[0]);
                if (g > 0) {
                    switch (basis) {
                    case 1: a = g * k[1]; break;
                    case 2: a = g * k[2]; break;
                    case 8: a = g * (k[1] + k[2]); break;
                    case 4: {
                        // The line's own price: a 単価 row for kinds 1 and 2, else a material.
                        const int32_t kind = l->m_columns[0], id = l->m_columns[1];
                        double price = 0.0;
                        if (kind == 1 || kind == 2) {
                            if (const CTankaRow* row = FindTankaRow(id))
                                price = PriceInColumn(*row, m_ItemList.m_nTankaColumn);
                        } else if (const CZairyoTankaItem* material = ZairyoTanka().FindItem(id)) {
                            if (!IsNoPrice(material->m_price) && std::isfinite(material->m_price))
                                price = material->m_price;
                        }
                        if (price > 0) a = g * price;
                        break;
                    }
                    default: break;
                    }
                }
            }
            if (first && asked) return scope.Finish(Amount(fault, a));
            first = false;
            const int32_t kind = l->m_columns[0];
            if (kind >= 1 && kind <= 5) k[kind] += a;
        }
        if (asked) return scope.Finish(0);
    }

    const int T = Amount(fault, k[1] + k[2] + k[3] + k[4] + k[5]);
    int u;
    double k1;
    if (!IsLumpUnit(detail.m_unit)) {
        const double c = detail.m_quantity / 100.0;
        u = Amount(fault, RoundDown(Divide(fault, T, c), 1.0));
        k1 = c > 0 ? k[1] / c : 0.0;
    } else {
        const double c = ItemRate(*item);
        u = Amount(fault, RoundDown(T * c, 1.0));
        k1 = k[1] * c;
    }
    double f;
    if (IsUnset(item->m_nWeightAverage)) {
        f = CalcBukakeFormula(shubetsu, index, 0, 0);
        f = Settings().DouroCalc == 1 ? f8_45(f, 0.01) : RoundDown(f, 0.001);
    } else {
        f = RoundDown(item->m_nWeightAverage / 1000.0, 0.001);
    }
    NoteFactor(item, f);
    return scope.Finish(Amount(fault, RoundDown((part == AmountPart::DirectLabour ? k1 : u) * f, 1.0)));
}

double CSekisanData::SumZairyoByKey(CSekisanItem* item, int index, const CBukakeShubetsu& shubetsu, int kind) {
    const CBukakeDetail& detail = shubetsu.GetDetail();
    double sum = 0.0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        if (detail.GetLine(i)->m_columns[0] != kind) continue;
        const double v = CalcZairyoEntry(item, index, shubetsu, 3, i);
        if (v > 0) sum += RoundDown(v, 1.0);
    }
    return sum;
}

double CSekisanData::CalcZairyoEntry(CSekisanItem* item, int index, const CBukakeShubetsu& shubetsu, int formulaType,
                                     int line) {
    const CBukakeDetailLine* l = shubetsu.GetDetail().GetLine(line);
    if (!l) return -1.0;
    const int32_t kind = l->m_columns[0];
    if (kind == 0 || IsUnset(kind)) return 0.0;
    const std::string name = AsciiUpper(l->m_name);
    if (Contains(name, "Z1")) return -2.0;
    if (Contains(name, "Z2")) return -3.0;
    const double q = CalcBukakeFormula(&shubetsu, index, formulaType, line);
    const int32_t id = l->m_columns[1];
    if (kind == 1 || kind == 2) {
        const CTankaRow* row = FindTankaRow(id);
        if (!row) return 0.0;
        const int32_t price = PriceInColumn(*row, m_ItemList.m_nTankaColumn);
        if (price < 0) {
            // A price not entered prices nothing; the row is named for the recalculation's message.
            if (item) MissingPriceName() = item->m_strNameUpper;
            return 0.0;
        }
        return q * price;
    }
    const CZairyoTankaItem* material = ZairyoTanka().FindItem(id);
    if (!material || IsNoPrice(material->m_price) || !std::isfinite(material->m_price)) return 0.0;
    const int32_t percentage = l->m_columns[2];
    const double p = percentage < 1 ? 1.0 : percentage / 100.0;
    return q * material->m_price * p;
}

int CSekisanData::FindZairyoMarkerLine(int start, const CBukakeShubetsu& shubetsu, int& line, int& basis,
                                       int which) const {
    const CBukakeDetail& detail = shubetsu.GetDetail();
    const int count = detail.GetLineCount();
    if (start >= count) return -2;
    const char* marker = which == 1 ? "Z2" : "Z1";
    for (int i = start < 0 ? 0 : start; i < count; ++i) {
        const CBukakeDetailLine* l = detail.GetLine(i);
        if (l->m_columns[0] == 0 || IsUnset(l->m_columns[0])) continue;
        if (!Contains(AsciiUpper(l->m_name), marker)) continue;
        if (!ZairyoTanka().FindItem(l->m_columns[1])) continue;
        line = i;
        basis = which == 1 ? detail.m_shokushu[1] : detail.m_shokushu[0];
        return i + 1;
    }
    return count;
}

int CSekisanData::CalcShubetsuDays(int index, int id, int mode) {
    const CSekisanItem* target = m_ItemList.GetItem(index);
    if (!target) return 0;
    bool& fault = m_pricing.fault;
    double days = 0.0;
    for (int i = 0; i < index; ++i) {
        const CSekisanItem* other = m_ItemList.GetItem(i);
        if (!other || other->m_nGyomu != target->m_nGyomu || IsUnset(other->m_nShubetsu) || LeftWithoutPrice(*other))
            continue;
        const CBukakeShubetsu* shubetsu = FindShubetsu(*other);
        if (!shubetsu) continue;
        const CBukakeDetail& detail = shubetsu->GetDetail();
        if (IsDayType(detail.m_bukakeType)) continue;
        bool uses = false;
        for (int32_t code : detail.m_shokushu) uses = uses || code == id;
        if (!uses || IsUnset(other->m_nQuantity)) continue;
        const double g = IsUnset(other->m_nWeightAverage) ? CalcBukakeFormula(shubetsu, i, 0, 0)
                                                          : other->m_nWeightAverage / 1000.0;
        const int h = GetShokushuDays(detail, id, 0);
        if (h <= 0) continue;
        // Whole days per row in mode 1; modes 0 and 2 keep the fractions until the end, so that
        // a trade with less than a day of work still counts one day.
        double term = Divide(fault, h, detail.m_quantity) * g * other->m_nQuantity / 1000.0;
        if (mode == 1) term = f8_45(term, 1.0);
        days += term;
    }
    if (mode != 1 && days > 0 && days < 1) return 1;
    return Amount(fault, RoundUp(days, 1.0));
}

int CSekisanData::SumKoshuChildren(int index) const {
    const CSekisanItem* node = m_ItemList.GetItem(index);
    if (!node) return 0;
    int64_t sum = 0;
    for (int i = index + 1; i < m_ItemList.GetCount(); ++i) {
        const CSekisanItem* child = m_ItemList.GetItem(i);
        if (!child || child->m_nGyomu != node->m_nGyomu || child->m_nKoshu != node->m_nKoshu) break;
        if (child->m_nAmount > 0) sum += child->m_nAmount;
    }
    return sum > INT32_MAX ? INT32_MAX : static_cast<int>(sum);
}

int CSekisanData::CalcDayChargeAmount(int index) {
    CSekisanItem* item = m_ItemList.GetItem(index);
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const double g = IsUnset(item->m_nWeightAverage) ? CalcBukakeFormula(shubetsu, index, 0, 0)
                                                     : item->m_nWeightAverage / 1000.0;
    int64_t sum = 0;
    std::string text;
    for (int k = 0; k < 4; ++k) {
        const int d = CalcShubetsuDays(index, k + 2, 0);
        if (d <= 0) continue;
        const CTankaRow* priced = FindTankaRow(detail.m_shokushu[static_cast<size_t>(k)]);
        const int32_t price = priced ? PriceInColumn(*priced, m_ItemList.m_nTankaColumn) : -1;
        if (price < 0)
            MissingPriceName() = item->m_strNameUpper;
        else
            sum += Amount(fault, static_cast<double>(price) * d * g);
        const CTankaRow* named = FindTankaRow(k + 2);
        text += (named ? named->m_name : std::string()) + NumToStr(d, 1.0) + estimate_texts::DaysWide;
    }
    if (!text.empty() && !item->m_bNameLowerEdited) item->m_strNameLower = text;
    return scope.Finish(Amount(fault, sum));
}

int CSekisanData::FindRoundingRow(int gyomu, int& total, int& rowAmount, int& row, int& totalRow) const {
    row = totalRow = -1;
    int lastShokeihi = -1, lastGijutsu = -1, lastIppan = -1;
    const int start = m_ItemList.FindGyomu(gyomu);
    if (start < 0) return 0;
    for (int i = start + 1; i < m_ItemList.GetCount(); ++i) {
        const CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item) continue;
        if (item->GetLevel() == 0) break;
        switch (item->m_nKoshu) {
        case Koshu::Shokeihi: lastShokeihi = i; break;
        case Koshu::GijutsuKeihi: lastGijutsu = i; break;
        case Koshu::GyomuKakaku: totalRow = i; break;
        case Koshu::IppanKanrihi: lastIppan = i; break;
        default: break;
        }
    }
    if (IsLabourSplitGyomu(gyomu))
        row = lastGijutsu >= 0 ? lastGijutsu : lastShokeihi >= 0 ? lastShokeihi : lastIppan;
    else if (IsOneOf(gyomu, {Gyomu::Sokuryo, Gyomu::DoshitsuIppan, Gyomu::KukakuSokuryo}))
        row = lastShokeihi;
    if (row < 0 || totalRow < 0) return 0;
    const CSekisanItem* absorbing = m_ItemList.GetItem(row);
    const CSekisanItem* totalItem = m_ItemList.GetItem(totalRow);
    rowAmount = absorbing->m_nAmount2;
    total = totalItem->m_nAmount2;
    // Without amounts of both rows (an earlier pass has not formed them) nothing is rounded.
    if (IsUnset(rowAmount) || IsUnset(total) || total <= 0) return 0;
    if (totalItem->m_nRounding == 0) return 0;
    return absorbing->m_nKoshu;
}

int CSekisanData::GetMarumeChoiceCount(int gyomu) const {
    int total = 0, rowAmount = 0, row = -1, totalRow = -1;
    FindRoundingRow(gyomu, total, rowAmount, row, totalRow);
    if (row < 0 || totalRow < 0 || IsUnset(rowAmount) || IsUnset(total) || total <= 0) return 0;
    int64_t v = 1;
    if (rowAmount >= 1)
        while (v <= rowAmount && v <= 100000000) v *= 10;
    if (total % v > rowAmount % v) v /= 10;
    int count = 1;
    for (int64_t p = 1; p < v && count <= 8; p *= 10) ++count;
    return count <= 8 ? count : 0;
}

int CSekisanData::CalcRoundingRemainder(int gyomu) {
    int total = 0, rowAmount = 0, row = -1, totalRow = -1;
    if (FindRoundingRow(gyomu, total, rowAmount, row, totalRow) == 0) return 0;
    CSekisanItem* totalItem = m_ItemList.GetItem(totalRow);
    const int count = GetMarumeChoiceCount(gyomu);
    if (count > 0 && totalItem->m_nRounding > count - 1) totalItem->m_nRounding = count - 1;
    int choice = totalItem->m_nRounding;
    if (choice < 0) choice = 0;
    if (choice > 7) choice = 7;
    return total - DoubleToLong(RoundDown(total, std::pow(10.0, choice)));
}
