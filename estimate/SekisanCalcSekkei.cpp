// 設計 (業務 2, 7) and 物件調査 (業務 3) amounts of a 種別 row: the standard calculation over the
// 職種 columns, the 区分率 calculation line by line, the line-based 設計 calculation, and the
// 設計 types 1 and 2 that price the row before them.
#include <algorithm>
#include <vector>

#include "estimate/PricingSupport.h"

using namespace calc;
using namespace pricing;

namespace {

bool LineSelected(const CSekisanItem& item, int line) {
    return line >= 0 && line < CSekisanItem::kKoteiCount && item.m_bKotei[static_cast<size_t>(line)] == 1;
}

// Conversion of a part value into the row's result: the lump units take the item rate; other units
// turn the parts Amount, DirectLabour and LabourOnly into unit prices (per base quantity, or per
// the eighth LL value for 歩掛 type PerLL8 when withPerLL8).
int ConvertPart(bool& fault, double p, AmountPart part, const CSekisanItem& item, const CBukakeDetail& detail,
                bool withPerLL8) {
    if (IsLumpUnit(detail.m_unit)) return Amount(fault, RoundDown(p * ItemRate(item), 1.0));
    if (part != AmountPart::Amount && part != AmountPart::DirectLabour && part != AmountPart::LabourOnly)
        return Amount(fault, p);
    if (withPerLL8 && detail.m_bukakeType == BukakeType::PerLL8) {
        const int32_t ll = item.m_nLL[7];
        return Amount(fault, IsUnset(ll) ? p : Divide(fault, p, ll / 10000.0));
    }
    return Amount(fault, RoundDown(Divide(fault, p, detail.m_quantity / 100.0), 1.0));
}

// The parts of the direct labour (with or without 電子計算機使用料).
bool IsDirectLabourPart(AmountPart part) {
    return part == AmountPart::DirectLabour || part == AmountPart::DirectLabourPerBase ||
           part == AmountPart::LabourOnly;
}

}  // namespace

int CSekisanData::CalcSekkeiKingakuWithDensi(CSekisanItem* item, int index, AmountPart part) {
    ScopedValue<int> densiOff(m_pricing.densiDspOverride, 0);
    return CalcSekkeiKingaku(item, index, part);
}

int CSekisanData::CalcBukkenKingakuWithoutZairyo(CSekisanItem* item, int index, AmountPart part) {
    ScopedValue<bool> noRate(m_pricing.noZairyoRate, true);
    return CalcBukkenKingaku(item, index, part);
}

int CSekisanData::CalcSekkeiKingaku(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const int t = shubetsu->GetDetail().m_bukakeType;

    // Types RowBefore and RowsBefore take the price of the row before them.
    const bool rowBefore = t == BukakeType::RowBefore || t == BukakeType::RowsBefore;
    CSekisanItem* priced = item;
    int pricedIndex = index;
    const CBukakeShubetsu* pricedShubetsu = shubetsu;
    if (rowBefore) {
        if (index <= 0) return 0;
        pricedIndex = index - 1;
        priced = m_ItemList.GetItem(pricedIndex);
        pricedShubetsu = priced ? FindShubetsu(*priced) : nullptr;
        if (!pricedShubetsu) return 0;
    }

    const int k = HasKubunritsu(*pricedShubetsu, priced->m_nGyomu);
    const bool weighted = !IsUnset(priced->m_nWeightAverage);
    int r;
    if ((t == BukakeType::SekkeiRowsCut || t == BukakeType::SekkeiRowsUnfactored || t == BukakeType::SekkeiRows) &&
        !weighted && Settings().DouroCalc == 1) {
        int labour = 0;
        r = CalcSekkeiKingakuByRows(priced, pricedIndex, part, 0, labour);
        if (t == BukakeType::SekkeiRowsCut && IsDirectLabourPart(part) && r > labour) r -= labour;
    } else if (k == 1 && !weighted) {
        r = CalcSekkeiKubun(priced, pricedIndex, part);
    } else {
        r = CalcSekkeiShubetsu(priced, pricedIndex, part, t == BukakeType::RowsBefore ? 2 : 0);
    }
    if (!rowBefore) return scope.Finish(r);

    double f;
    if (t == BukakeType::RowBefore) {
        f = CalcBukakeFormula(shubetsu, index, 0, 0);
    } else {
        int n = 0;
        for (int32_t ll : item->m_nLL)
            if (!IsUnset(ll) && ll / 10000 > 0) {
                n = ll / 10000;
                break;
            }
        if (n == 0) return scope.Finish(0);
        if (index < n) return scope.Finish(r);
        // The n rows before stand in for this one: all must belong to its 工種 before any is changed.
        for (int j = 1; j <= n; ++j) {
            const CSekisanItem* before = m_ItemList.GetItem(index - j);
            if (!before || before->m_nGyomu != item->m_nGyomu || before->m_nKoshu != item->m_nKoshu ||
                !FindShubetsu(*before))
                return scope.Finish(0);
        }
        double s = 0.0;
        for (int j = 1; j <= n; ++j) {
            CSekisanItem* before = m_ItemList.GetItem(index - j);
            s += CalcBukakeFormula(FindShubetsu(*before), index - j, 0, 0);
            before->m_nQuantity = 0;
        }
        f = s / n * CalcBukakeFormula(shubetsu, index, 0, 0);
    }
    const double applied = RoundDown(f, 0.001);
    NoteFactor(item, applied);
    return scope.Finish(Amount(fault, RoundDown(r * applied, 1.0)));
}

int CSekisanData::CalcSekkeiShubetsu(CSekisanItem* item, int index, AmountPart part, int formulaType) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();

    int64_t labour = 0, direct = 0;
    SumColumnLabour(*this, detail, *item, fault, labour, direct);
    labour += ProgramFee(CalcContext().GetProgramKingakuFile(), *item);
    const int L = Amount(fault, labour), D = Amount(fault, direct);

    double f = IsUnset(item->m_nWeightAverage) ? CalcBukakeFormula(shubetsu, index, formulaType, 0)
                                               : item->m_nWeightAverage / 1000.0;
    if (item->m_nGyomu != Gyomu::KukakuSekkei) f = RoundDown(f, 0.001);
    NoteFactor(item, f);
    const double A = RoundDown(L * f, 1.0);
    const double B = RoundDown(D * f, 1.0);

    double E = 0.0;
    const int32_t g = detail.m_rates[0];
    if (g > 0 && item->m_bSpecialExpense == 1 && PricingScope::DensiDsp(*this) == 0) {
        const bool unfactored = detail.m_bukakeType == BukakeType::SekkeiRowsUnfactored;
        E = RoundDown(g / 10000.0 * (unfactored ? static_cast<double>(D) : B), 1.0);
    }

    double P;
    switch (part) {
    case AmountPart::Amount:
    case AmountPart::AmountPerBase: P = Amount(fault, A + E); break;
    case AmountPart::DirectLabour:
    case AmountPart::DirectLabourPerBase: P = Amount(fault, B + E); break;
    case AmountPart::LabourOnly: P = Amount(fault, B); break;
    default: return scope.Finish(Amount(fault, E));
    }
    return scope.Finish(ConvertPart(fault, P, part, *item, detail, true));
}

int CSekisanData::CalcSekkeiKubun(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int32_t g = detail.m_rates[0];
    const double gamma =
        g > 0 && item->m_bSpecialExpense == 1 && PricingScope::DensiDsp(*this) == 0 ? g / 10000.0 : 0.0;
    NoteFactor(item, std::nullopt);

    double lf = 0.0, df = 0.0, ew = 0.0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        if (!LineSelected(*item, i)) continue;
        const double fi = CalcBukakeFormula(shubetsu, index, 1, i + 1);
        const CBukakeDetailLine* line = detail.GetLine(i);
        for (size_t c = 0; c < 10; ++c) {
            const int32_t v = line->m_columns[c];
            if (v <= 0) continue;
            // As in the standard calculation, a price not entered leaves the column out.
            int32_t price = 0;
            const CTankaRow* row = PricedRow(detail.m_shokushu[c], m_ItemList.m_nTankaColumn, *item, price);
            if (!row) continue;
            const double w = v / 100.0 * price * fi;
            lf += w;
            if (row->m_kind == 0) {
                df += w;
                ew += w * gamma;
            }
        }
    }
    const int E = Amount(fault, RoundDown(ew, 1.0));
    double P;
    switch (part) {
    case AmountPart::Amount:
    case AmountPart::AmountPerBase: P = static_cast<double>(Amount(fault, lf)) + E; break;
    case AmountPart::DirectLabour:
    case AmountPart::DirectLabourPerBase: P = static_cast<double>(Amount(fault, df)) + E; break;
    case AmountPart::SpecialExpense: return scope.Finish(E);
    case AmountPart::LabourOnly: P = Amount(fault, df); break;
    default: P = 0.0; break;
    }
    const int converted = ConvertPart(fault, P, part, *item, detail, true);
    const int fee = ProgramFee(CalcContext().GetProgramKingakuFile(), *item);
    return scope.Finish(Amount(fault, static_cast<int64_t>(converted) + fee));
}

int CSekisanData::CalcSekkeiKingakuByRows(CSekisanItem* item, int index, AmountPart part, int formulaType,
                                          int& labourOut) {
    PricingScope scope(*this, item);
    const bool densiOnly = part == AmountPart::Densi;
    if (densiOnly) part = AmountPart::Amount;
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int k = HasKubunritsu(*shubetsu, item->m_nGyomu);
    double f = k == 0 ? CalcBukakeFormula(shubetsu, index, formulaType, 0) : 0.0;
    NoteFactor(item, k == 0 ? std::optional<double>(f) : std::nullopt);

    int64_t dsum = 0, esum = 0, te = 0, labour = 0;
    for (int i = 0; i < detail.GetLineCount(); ++i) {
        if (!LineSelected(*item, i)) continue;
        if (k == 1) f = CalcBukakeFormula(shubetsu, index, 1, i + 1);
        int di = 0, ei = 0, ti = 0;
        const int d = CalcRowWorkers(detail, i, f, di, ei, part, item, ti);
        if (d > 0) {
            if (di > 0) {
                dsum += di;
                if (IsDirectLabourPart(part)) labour += static_cast<int64_t>(d) + std::max(ei, 0) - ti;
            }
            if (ei > 0) esum += ei;
            if (ti > 0) te += ti - (ei > 0 ? ei : 0);
        } else if (d == -2) {
            MissingPriceName() = item->m_strNameUpper;
        }
    }
    labourOut = IsDirectLabourPart(part) ? Amount(fault, labour) : 0;
    if (esum < 1 || item->m_bSpecialExpense != 1 || PricingScope::DensiDsp(*this) != 0) esum = 0;

    int64_t v;
    if (densiOnly) return scope.Finish(Amount(fault, esum));
    switch (part) {
    case AmountPart::Amount:
    case AmountPart::AmountPerBase: v = te + esum; break;
    case AmountPart::DirectLabour:
    case AmountPart::DirectLabourPerBase: v = dsum + esum; break;
    case AmountPart::LabourOnly: v = dsum; break;
    default: return scope.Finish(Amount(fault, esum));
    }
    if (IsLumpUnit(detail.m_unit))
        return scope.Finish(Amount(fault, RoundDown(static_cast<double>(v) * ItemRate(*item), 1.0)));
    return scope.Finish(Amount(fault, v));
}

int CSekisanData::CalcRowWorkers(const CBukakeDetail& detail, int line, double factor, int& direct, int& densi,
                                 AmountPart part, CSekisanItem* item, int& lineTotal) {
    PricingScope scope(*this, item);
    if (!detail.GetLine(line) || !item) return -1;
    bool& fault = scope.Fault();

    // Prices the line's slots with a factor; −2 as soon as a price is not entered.
    auto priceSlots = [&](double fac, int64_t& labour, int64_t& directLabour) {
        labour = directLabour = 0;
        for (int c = 0; c < 10; ++c) {
            double rounded = 0.0, days = 0.0;
            CTankaRow row;
            const int r = CalcWorkerSlot(detail, line, c, fac, rounded, days, row);
            if (r == -2) return false;
            if (r >= 1 && (row.m_kind == 0 || row.m_kind == 1)) {
                labour += r;
                if (row.m_kind == 0) directLabour += r;
            }
        }
        return true;
    };
    int64_t L64, D64;
    if (!priceSlots(factor, L64, D64)) return scope.Finish(-2);

    double E = 0.0;
    const int32_t g = detail.m_rates[0];
    if (g > 0) {
        if (detail.m_bukakeType == BukakeType::SekkeiRowsCut || detail.m_bukakeType == BukakeType::SekkeiRows) {
            E = RoundDown(static_cast<double>(D64) * g / 10000.0, 1.0);
        } else if (detail.m_bukakeType == BukakeType::SekkeiRowsUnfactored) {
            int64_t l1, d1;
            if (!priceSlots(1.0, l1, d1)) return scope.Finish(-2);
            E = RoundDown(static_cast<double>(d1) * g / 10000.0, 1.0);
        }
    }
    double L = static_cast<double>(L64), D = static_cast<double>(D64);
    double T = Amount(fault, E) + L;

    if (part == AmountPart::Amount || part == AmountPart::DirectLabour || part == AmountPart::LabourOnly) {
        if (detail.m_bukakeType == BukakeType::PerLL8) {
            const int32_t ll = item->m_nLL[7];
            const double q = IsUnset(ll) ? 1.0 : ll / 10000.0;
            L = Amount(fault, Divide(fault, L, q));
            D = Amount(fault, Divide(fault, D, q));
            T = Amount(fault, Divide(fault, T, q));
            E = Divide(fault, E, q);
        } else {
            const double b = detail.m_quantity / 100.0;
            L = Amount(fault, RoundDown(Divide(fault, L, b), 1.0));
            D = Amount(fault, RoundDown(Divide(fault, D, b), 1.0));
            T = Amount(fault, RoundDown(Divide(fault, T, b), 1.0));
            E = RoundDown(Divide(fault, E, b), 1.0);
        }
    }
    if (!(T > 0)) return scope.Finish(-1);
    int total = Amount(fault, T);
    if (detail.m_bukakeType == BukakeType::SekkeiRowsCut) total = TruncTo4Digits(total);
    direct = Amount(fault, D);
    densi = Amount(fault, E);
    lineTotal = total;
    return scope.Finish(Amount(fault, L));
}

int CSekisanData::CalcBukkenKingaku(CSekisanItem* item, int index, AmountPart part) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    if (HasKubunritsu(*shubetsu, item->m_nGyomu) == 1 && IsUnset(item->m_nWeightAverage))
        return scope.Finish(CalcBukkenKubun(item, index, part));
    return scope.Finish(CalcBukkenShubetsu(item, index, part));
}

// The shared body of the two 物件調査 calculations: man-days per column (factor per line when
// byLine), cut to hundredths, times the price; labour, direct labour, material and expense parts.
int CSekisanData::CalcBukkenParts(CSekisanItem* item, int index, AmountPart part, bool byLine) {
    PricingScope scope(*this, item);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return 0;
    bool& fault = scope.Fault();
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int32_t m = PricingScope::MaterialRate(*this, detail);
    const double mu = m > 0 && item->m_bSpecialExpense == 1 ? m / 10000.0 : 0.0;
    const double epsilon = PositiveRate(detail.m_rates[0]);
    const bool weighted = !byLine && !IsUnset(item->m_nWeightAverage);
    const double wa = weighted ? item->m_nWeightAverage / 1000.0 : 1.0;

    std::vector<double> factors(static_cast<size_t>(detail.GetLineCount()), 1.0);
    if (byLine) {
        NoteFactor(item, std::nullopt);
        for (int i = 0; i < detail.GetLineCount(); ++i)
            if (LineSelected(*item, i)) factors[static_cast<size_t>(i)] = CalcBukakeFormula(shubetsu, index, 1, i + 1);
    } else if (!weighted) {
        const double f = CalcBukakeFormula(shubetsu, index, 0, 0);
        std::fill(factors.begin(), factors.end(), f);
        NoteFactor(item, f);
    } else {
        NoteFactor(item, wa);
    }

    double L = 0.0, D = 0.0, M = 0.0, X = 0.0;
    for (size_t c = 0; c < 10; ++c) {
        double days = 0.0;
        for (int i = 0; i < detail.GetLineCount(); ++i) {
            if (!LineSelected(*item, i)) continue;
            const int32_t v = detail.GetLine(i)->m_columns[c];
            if (v > 0) days += v / 100.0 * factors[static_cast<size_t>(i)];
        }
        days = RoundDown(days, 0.01);
        if (!(days > 0)) continue;
        int32_t price = 0;
        const CTankaRow* row = PricedRow(detail.m_shokushu[c], m_ItemList.m_nTankaColumn, *item, price);
        if (!row) continue;
        const double w = days * price;
        L += w;
        if (row->m_kind == 0) {
            D += w;
            M += w * mu;
            X += w * epsilon;
        }
    }

    double P;
    switch (part) {
    case AmountPart::Amount:
    case AmountPart::AmountPerBase:
        P = static_cast<double>(Amount(fault, L)) + Amount(fault, M) + Amount(fault, X);
        break;
    case AmountPart::DirectLabour:
    case AmountPart::DirectLabourPerBase: P = Amount(fault, D); break;
    case AmountPart::SpecialExpense: {
        int c = Amount(fault, M);
        if (weighted) c = Amount(fault, c * wa);
        return scope.Finish(c);
    }
    case AmountPart::LabourOnly: P = Amount(fault, L); break;
    default: P = 0.0; break;
    }
    if (weighted) P = Amount(fault, P * wa);
    return scope.Finish(ConvertPart(fault, P, part, *item, detail, false));
}

int CSekisanData::CalcBukkenShubetsu(CSekisanItem* item, int index, AmountPart part) {
    return CalcBukkenParts(item, index, part, false);
}

int CSekisanData::CalcBukkenKubun(CSekisanItem* item, int index, AmountPart part) {
    return CalcBukkenParts(item, index, part, true);
}
