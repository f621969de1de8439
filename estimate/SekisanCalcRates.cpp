// Values of 歩掛 formulas and of 変化率・補正率 rates for an item, the auxiliary formulas S1..S8 and
// the description texts of an item's rates.
#include <cctype>
#include <cmath>

#include "estimate/EstimateTexts.h"
#include "estimate/PricingSupport.h"
#include "estimate/RecalcCache.h"
#include "formix/Formix.h"

namespace txt = estimate_texts;
using namespace calc;
using namespace pricing;

namespace {

double Evaluate(const std::string& text) { return EvaluateFormula(text); }

bool InTable(int column, int row) {
    return column >= 1 && column <= CHenkaritsuRecord::kColumns && row >= 1 && row <= CHenkaritsuRecord::kRows;
}

// The 歩掛 formula text of a detail (type 3 and 4: the name of line `line`) with the rate values of
// the slots in `present` written in for H1..H8.
std::string FormulaText(const CBukakeDetail& detail, int type, int line, unsigned present,
                        const std::array<double, 8>& rates) {
    std::string text;
    if (type == 3 || type == 4) {
        if (const CBukakeDetailLine* l = detail.GetLine(line)) text = l->m_name;
    } else {
        text = detail.m_formula;
    }
    text = AsciiUpper(text);
    for (size_t s = 0; s < rates.size(); ++s)
        if (present & (1u << s)) ReplaceAll(text, "H" + std::to_string(s + 1), FormulaNumber(rates[s], 0.001));
    return text;
}

}  // namespace

double CSekisanData::CalcBukakeFormula(const CBukakeShubetsu* shubetsu, int itemIndex, int type, int line) {
    CSekisanItem* item = m_ItemList.GetItem(itemIndex);
    if (!item || !shubetsu) return 0.0;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int32_t gyomu = item->m_nGyomu;

    std::array<double, 8> rates{};
    unsigned present = 0;
    for (int s = 1; s <= 8; ++s) {
        const int32_t code = detail.m_henkaritsu[static_cast<size_t>(s - 1)];
        if (IsUnset(code)) continue;
        const CHenkaritsuRecord* record = FindRateRecord(gyomu, code);
        int row = 0, column = 0;
        const int chosen = GetRateCell(s - 1, *item, type, line, row, column);
        int32_t ll = item->m_nLL[static_cast<size_t>(s - 1)];
        if (!chosen && IsUnset(ll) && record) {
            // The rate's default LL becomes the item's own value.
            ll = record->m_llDefault;
            item->m_nLL[static_cast<size_t>(s - 1)] = ll;
            if (IsUnset(ll)) return 0.0;
        }
        double v = GetHenkaritsuValue(gyomu, code, row, column, ll) / 1000.0;
        if (type == 2 && record && record->m_mode != 0) v = 1.0;
        rates[static_cast<size_t>(s - 1)] = v;
        present |= 1u << (s - 1);
    }

    double x;
    if (detail.m_useAuxiliary == 1) {
        std::string text = FormulaText(detail, type, line, present, rates);
        for (int s = 1; s <= 8; ++s) {
            const std::string marker = "S" + std::to_string(s);
            if (!Contains(text, marker)) continue;
            std::string value;
            if (EvalHojoshiki(s - 1, *item, detail, type, value))
                ReplaceAll(text, marker, value.empty() ? "0" : FormulaOperand(value));
        }
        x = Evaluate(text);
    } else if (m_recalcCache) {
        // The text is made of the detail's formula and the rate values only: the same values give
        // the same text, so it is written and valued once per recalculation.
        x = m_recalcCache->GetFormulaValue(detail, type, line, present, rates, [&] {
            return Evaluate(FormulaText(detail, type, line, present, rates));
        });
    } else {
        x = Evaluate(FormulaText(detail, type, line, present, rates));
    }
    const int32_t factor = item->m_nLL[8];
    if ((type == 0 || type == 1) && factor > 0) x = factor * x / 10000.0;
    if (!std::isfinite(x)) {
        m_pricing.fault = true;
        return 0.0;
    }
    return x;
}

int CSekisanData::GetHenkaritsuValue(int gyomu, int code, int row, int column, int ll) const {
    const CHenkaritsuRecord* record = FindRateRecord(gyomu, code);
    if (!record) return 0;
    if (record->m_mode == 0) {
        if (!InTable(column, row)) return 0;
        const int32_t cell = record->GetCell(column, row);
        return IsUnset(cell) ? 0 : cell;
    }
    if (!m_recalcCache) return FormulaRateValue(*record, ll);
    // A formula rate is the same for the same LL value all through a recalculation.
    const CRecalcCache::RateValue rate = m_recalcCache->GetRateValue(*record, ll, [&] {
        const ScopedValue<bool> ownFault(m_pricing.fault, false);
        const int value = FormulaRateValue(*record, ll);
        return CRecalcCache::RateValue{value, m_pricing.fault};
    });
    if (rate.fault) m_pricing.fault = true;
    return rate.value;
}

int CSekisanData::FormulaRateValue(const CHenkaritsuRecord& record, int ll) const {
    // The auxiliary formula of the LL range is used for this value only; the master keeps its text.
    std::string formula = record.m_formula;
    if (record.m_useAuxiliary == 1 && !IsUnset(ll)) {
        std::string selected = SelectRateFormula(record, ll);
        if (!selected.empty()) formula = selected;
    }
    if (formula.empty()) return 0;
    std::string text = AsciiUpper(formula);
    if (Contains(text, "LL")) {
        if (IsUnset(ll)) return 0;
        ReplaceAll(text, "LL", FormulaNumber(ll / 10000.0, 0.001));
    }
    double x = Evaluate(text);
    if (!Contains(text, "RD") && !Contains(text, "LF")) x = f8_45(x, 0.001);
    const int32_t v = Amount(m_pricing.fault, x * 1000.0);
    return IsUnset(v) ? 0 : v;
}

int CSekisanData::GetKoteiText(std::string& text, int index) const {
    text.clear();
    const CSekisanItem* item = m_ItemList.GetItem(index);
    const CBukakeShubetsu* shubetsu = item ? FindShubetsu(*item) : nullptr;
    if (!shubetsu) return -1;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const int n = item->CountSelectedKotei();
    const int named = detail.GetNamedLineCount();
    const bool anyIsAll = detail.m_bukakeType == BukakeType::AnyLineIsAll;
    if ((anyIsAll && n > 0) || (!anyIsAll && n > 0 && n == named)) {
        text = txt::AllKotei;
        return 0;
    }
    std::string names;
    for (int i = 0; i < CSekisanItem::kKoteiCount; ++i) {
        if (item->m_bKotei[static_cast<size_t>(i)] != 1) continue;
        const CBukakeDetailLine* line = detail.GetLine(i);
        if (!line) return -1;
        names += line->m_name + ",";
    }
    text = names;
    return 0;
}

int CSekisanData::GetRateCell(int slot, CSekisanItem& item, int mode, int value, int& row, int& column) const {
    if (slot < 0 || slot >= 8) return 0;
    const CBukakeShubetsu* shubetsu = FindShubetsu(item);
    if (!shubetsu) return 0;
    const size_t s = static_cast<size_t>(slot);
    const int32_t hcode = shubetsu->GetDetail().m_henkaritsu[s];
    const CHenkaritsuRecord* record = IsUnset(hcode) ? nullptr : FindRateRecord(item.m_nGyomu, hcode);
    if (IsUnset(item.m_nRateCode[s]) && record && !IsUnset(record->m_standardColumn) &&
        !IsUnset(record->m_standardRow)) {
        // An untouched slot takes the rate's standard cell.
        item.m_nRateCode[s] = hcode;
        item.m_nRateCol[s] = record->m_standardColumn;
        item.m_nRateRow[s] = record->m_standardRow;
    }
    if (IsUnset(item.m_nRateCode[s]) || !record) return 0;
    switch (mode) {
    case 0:
    case 3:
        row = item.m_nRateRow[s];
        column = item.m_nRateCol[s];
        break;
    case 1:
        column = item.m_nRateCol[s];
        row = record->m_kubunFlag == 1 ? value : item.m_nRateRow[s];
        break;
    case 2:
    case 4:
        row = record->m_standardRow;
        column = record->m_standardColumn;
        break;
    default:
        break;
    }
    return 1;
}

std::string CSekisanData::SelectRateFormula(const CHenkaritsuRecord& record, int ll) {
    if (record.m_useAuxiliary != 1) return {};
    const double x = ll / 10000.0;
    for (size_t i = 0; i < 8; ++i) {
        if (record.m_auxStart[i].empty() || record.m_auxEnd[i].empty()) continue;
        const double lo = Evaluate(record.m_auxStart[i]);
        const double hi = Evaluate(record.m_auxEnd[i]);
        if (lo <= x && x <= hi) return record.m_auxFormula[i];
    }
    return record.m_defaultAuxFormula;
}

int CSekisanData::EvalHojoshiki(int slot, CSekisanItem& item, const CBukakeDetail& detail, int mode,
                                std::string& text) const {
    if (slot < 0 || slot >= 8) return 0;
    std::array<std::string, 8> h, s;
    for (size_t k = 0; k < 8; ++k) {
        const int32_t code = detail.m_henkaritsu[k];
        if (IsUnset(code)) continue;
        int row = 0, column = 0;
        GetRateCell(static_cast<int>(k), item, mode, 0, row, column);
        const int v = GetHenkaritsuValue(item.m_nGyomu, code, row, column, item.m_nLL[k]);
        h[k] = NumToStr(v / 1000.0, 1e-7);
    }
    // A missing value stands as 0 so that the formula stays readable.
    auto operand = [](const std::string& t) { return t.empty() ? std::string("0") : FormulaOperand(t); };
    for (size_t k = 0; k < 8; ++k) {
        if (detail.m_auxiliary[k].empty()) continue;
        std::string formula = AsciiUpper(detail.m_auxiliary[k]);
        for (size_t j = 0; j < 8; ++j) ReplaceAll(formula, "H" + std::to_string(j + 1), operand(h[j]));
        for (size_t j = 0; j < 8; ++j) ReplaceAll(formula, "S" + std::to_string(j + 1), operand(s[j]));
        const double x = Evaluate(formula);
        if (!std::isfinite(x)) m_pricing.fault = true;
        s[k] = NumToStr(std::isfinite(x) ? x : 0.0, 1e-7);
    }
    if (!s[static_cast<size_t>(slot)].empty()) text = s[static_cast<size_t>(slot)];
    return 1;
}

int CSekisanData::HasKubunritsu(const CBukakeShubetsu& shubetsu, int gyomu) const {
    // Without the 業務's rate group every record is missing: 0 as well.
    for (int32_t code : shubetsu.GetDetail().m_henkaritsu) {
        if (IsUnset(code)) continue;
        const CHenkaritsuRecord* record = FindRateRecord(gyomu, code);
        if (!record) return 0;
        if (record->m_kubunFlag == 1) return 1;
    }
    return 0;
}

std::string CSekisanData::RemoveRoundingMarkers(std::string text) {
    for (const char* marker : {"RD", "LF"}) {
        const size_t pos = text.find(marker);
        if (pos == std::string::npos) continue;
        text.erase(pos, 2);
        if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') text.erase(pos, 1);
        if (pos < text.size() && text[pos] == '(') {
            int depth = 0;
            size_t close = std::string::npos;
            for (size_t i = pos; i < text.size(); ++i) {
                if (text[i] == '(') ++depth;
                if (text[i] == ')' && --depth == 0) {
                    close = i;
                    break;
                }
            }
            if (close != std::string::npos) text.erase(close, 1);
            text.erase(pos, 1);
        }
    }
    return text;
}

std::string CSekisanData::TrimTrailingComma(std::string text) {
    if (!text.empty() && text.back() == ',') text.pop_back();
    return text;
}

std::string CSekisanData::RemoveText(std::string text, const std::string& what, int firstOnly) {
    if (text.empty() || what.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.erase(pos, what.size());
        if (firstOnly == 1) break;
    }
    return text;
}

namespace {

// A heading of a rate table as it appears in a rate text: left out ("") when it names the rate
// itself or is empty; a written "\n" becomes one blank.
std::string HeadingPiece(const std::string& heading) {
    if (heading.empty() || Contains(heading, txt::HeadingHenkaritsu) || Contains(heading, txt::HeadingHoseiritsu))
        return {};
    const size_t pos = heading.find("\\n");
    if (pos == std::string::npos) return heading;
    return heading.substr(0, pos) + " " + heading.substr(pos + 2);
}

// The LL value as shown: three decimals when its third or fourth decimal is not 0, else two.
std::string LLText(double x) {
    const double t = x / 0.01;
    const double d = t - DoubleToLong(t);
    return f8_45(d, 0.001) > 0 ? NumToStr(x, 0.001) : NumToStr(x, 0.01);
}

}  // namespace

int CSekisanData::BuildHenkaritsuText(std::string& text, int index, std::array<std::string, 9>& names,
                                      std::array<std::string, 9>& values, std::array<double, 9>& numbers,
                                      int omitAmounts) const {
    const CSekisanItem* item = m_ItemList.GetItem(index);
    if (!item) return -1;
    const CHenkaritsuGyomu* group = Henkaritsu().FindGyomu(item->m_nGyomu);
    const CBukakeShubetsu* shubetsu = FindShubetsu(*item);
    if (!group || !shubetsu) return -1;
    const CBukakeDetail& detail = shubetsu->GetDetail();

    std::string w;
    if (item->m_nGyomu != Gyomu::Bukken && item->m_nGyomu != Gyomu::DoshitsuIppan) {
        const int n = item->CountSelectedKotei();
        const int named = detail.GetNamedLineCount();
        if (detail.m_bukakeType == BukakeType::AnyLineIsAll)
            w = n > 0 ? txt::AllKotei : txt::SomeKotei;
        else if (n > 0 && n == named)
            w = txt::AllKotei;
        else if (named > 0)
            w = txt::SomeKotei;
    }
    for (size_t k = 0; k < 9; ++k) {
        names[k].clear();
        values[k].clear();
        numbers[k] = NoPrice();
    }

    for (size_t k = 0; k < 9; ++k) {
        const int32_t code = item->m_nRateCode[k];
        if (IsUnset(code)) continue;
        const CHenkaritsuRecord* record = FindRateRecord(item->m_nGyomu, code);
        if (!record) {
            if (code == kFactorRateCode) break;
            return -1;
        }
        const int32_t ll = item->m_nLL[k];

        if (record->m_mode == 0) {
            const int32_t c = item->m_nRateCol[k], r = item->m_nRateRow[k];
            if (IsUnset(c) || IsUnset(r)) return -1;
            std::string piece;
            // Cells outside the table have no headings and no value.
            if (c >= 1 && c <= CHenkaritsuRecord::kColumns) {
                std::string h = HeadingPiece(record->m_columnTitles[static_cast<size_t>(c - 1)]);
                if (!h.empty()) piece += h + ",";
            }
            if (r >= 1 && r <= CHenkaritsuRecord::kRows) {
                std::string h = HeadingPiece(record->m_rowTitles[static_cast<size_t>(r - 1)]);
                if (!h.empty()) piece += h + ",";
            }
            if (!record->m_name.empty()) names[k] = record->m_formulaName;
            if (!piece.empty()) {
                w += piece;
                values[k] = TrimTrailingComma(piece);
            }
            if (InTable(c, r) && !IsUnset(record->GetCell(c, r))) numbers[k] = record->GetCell(c, r) / 1000.0;
            continue;
        }

        std::string formula = record->m_formula;
        if (formula.empty()) continue;
        if (record->m_useAuxiliary == 1 && !IsUnset(ll)) {
            std::string selected = SelectRateFormula(*record, ll);
            if (!selected.empty()) formula = selected;
        }
        const std::string f = AsciiUpper(formula);
        const std::string& m = record->m_formulaName;
        const double x = IsUnset(ll) ? 0.0 : ll / 10000.0;
        const std::string n = LLText(x);
        std::string u = n;
        std::string piece;
        double z;

        if (Contains(f, "LL")) {
            if (code == kFactorRateCode && ll == record->m_llDefault) {
                if (!IsUnset(ll)) numbers[k] = ll / 10000.0;
                continue;
            }
            std::string evaluated = f;
            ReplaceAll(evaluated, "LL", FormulaOperand(n));
            double v = Evaluate(evaluated);
            if (!record->m_unit.empty()) {
                const double e = Evaluate(n);
                if (e - DoubleToLong(e) == 0.0) u = std::to_string(DoubleToLong(e));
                u += record->m_unit;
            }
            std::string shown = f;
            ReplaceAll(shown, "LL", u);
            if (!shown.empty() && shown[0] == '%') {
                z = f8_45(v, 0.001);
                const double p = f8_45(v * 100.0, 0.1);
                piece = m + "(" + shown.substr(1) + ")=" + NumToStr(p, 0.1) + "% ";
            } else {
                if (!Contains(shown, "RD") && !Contains(shown, "LF")) v = f8_45(v, 0.001);
                z = v;
                if (f == "LL")
                    piece = m + "(" + shown + "),";
                else
                    piece = m + "(" + shown + ") =" + NumToStr(v, 0.001) + " ";
            }
            if (!record->m_name.empty()) names[k] = m;
            if (omitAmounts == 1) {
                if (k < 8) values[k] = u;
            } else {
                piece = RemoveRoundingMarkers(piece);
                w += piece;
                piece = RemoveText(TrimTrailingComma(piece), m, 0);
                if (f == "LL") {
                    if (k < 8 && !record->m_unit.empty()) values[k] = record->m_unit;
                } else {
                    values[k] = piece;
                }
            }
        } else {
            if (!record->m_unit.empty()) u = n + record->m_unit;
            double v = Evaluate(f);
            if (!f.empty() && f[0] == '%') {
                z = f8_45(v, 0.001);
                const double p = f8_45(v * 100.0, 0.1);
                piece = m + u + "=" + NumToStr(p, 0.1) + "% ";
            } else {
                v = f8_45(v, 0.001);
                z = v;
                piece = m + u + "=" + NumToStr(v, 0.001) + " ";
            }
            if (!record->m_name.empty()) names[k] = m;
            piece = RemoveRoundingMarkers(piece);
            w += piece;
            values[k] = RemoveText(TrimTrailingComma(piece), m, 0);
        }
        // A value that is not a number is shown as no value.
        numbers[k] = std::isfinite(z) ? z : NoPrice();
    }
    text = TrimTrailingComma(w);
    return 0;
}
