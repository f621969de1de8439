// The change rates of 区画整理設計 (業務 7) from the district conditions its items carry: the page
// "業務地区条件設定表" and the rate rows under an item's 代価歩掛明細表 table.
#include <cstdio>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/SekisanData.h"
#include "formix/Formix.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"

using namespace reporttext;
using namespace reportsheet;

namespace {

constexpr char kSheetChikuJoken[] = "業務地区条件設定表";

// 歩掛 types of 業務 7 and the rate lines they print.
struct ChikuType {
    enum : int32_t {
        Alpha1 = 14,
        Alpha2 = 15,
        Alpha3 = 16,
        Alpha4 = 17,
        Beta2 = 18,
        Alpha2Beta1 = 19,
        Alpha4Beta1 = 20,
        Alpha4Beta2 = 21,
        Beta1 = 24,
        Alpha5 = 25,
        Length = 26,      // a route: its length in LL 1, the rate α5' by the standard length
        Beta1Dash = 32,   // LL 1 is 総棟数積 2
        Beta2Dash = 33,   // LL 1 is 総画地数 2
    };
};

// Rate records of group 7: a fine record (values ×10 finer) and the base record it falls back to.
struct RateRecords {
    int fine, base;
};
constexpr RateRecords kAlpha[5] = {{101, 1}, {102, 2}, {103, 3}, {104, 4}, {118, 18}};
constexpr RateRecords kBeta1{111, 11};
constexpr RateRecords kBeta2{112, 12};
constexpr RateRecords kNoFallback1{111, 0};
constexpr RateRecords kNoFallback2{112, 0};
constexpr int kK1Records[2] = {109, 9};
constexpr int kH1Records[2] = {110, 10};
constexpr int kK12Record = 119;
constexpr int kH12Record = 120;
// The α5' of a route (type 26), chosen by the standard length: 1.7 km or 0.5 km. Any other standard
// length takes the 1.7 km records.
constexpr RateRecords kLength17{123, 23};
constexpr RateRecords kLength05{124, 24};
constexpr char kStandardLength05[] = "0.5";

// The district conditions (×10000 as the items store them) and the rates worked from them.
struct ChikuJoken {
    int area = 0, tousu = 0, kakuchi = 0, tousu2 = 0, kakuchi2 = 0, length = 0;
    double alpha[5] = {0, 0, 0, 0, 0};
    double beta1 = 0, beta2 = 0, beta12 = 0, beta22 = 0;
    double k1 = 0, h1 = 0, k12 = 0, h12 = 0;
};

// A rate of group 7 as a fraction: the fine record's value ÷ 10000, else the base record's ÷ 1000.
double GroupRate(const CSekisanData& calc, RateRecords records, int ll) {
    const int fine = calc.GetHenkaritsuValue(calc::Gyomu::KukakuSekkei, records.fine, kUnset, kUnset, ll);
    if (fine != 0 || records.base == 0) return fine / 1000.0 / 10.0;
    return calc.GetHenkaritsuValue(calc::Gyomu::KukakuSekkei, records.base, kUnset, kUnset, ll) / 1000.0;
}

// The formula of a record (the text between its first two double quotes) with the conditions put
// in, valued; 0 when group 7 or every record named is missing.
double ConditionFormula(const CHenkaritsuFile& rates, std::initializer_list<int> codes,
                        std::initializer_list<std::pair<const char*, int>> values) {
    const CHenkaritsuGyomu* group = rates.FindGyomu(calc::Gyomu::KukakuSekkei);
    if (!group) return 0.0;
    const CHenkaritsuRecord* record = nullptr;
    for (int code : codes)
        if ((record = group->FindRecord(code))) break;
    if (!record) return 0.0;
    std::string formula;
    if (const size_t open = record->m_formula.find('"'); open != std::string::npos) {
        const size_t close = record->m_formula.find('"', open + 1);
        if (close != std::string::npos) formula = record->m_formula.substr(open + 1, close - open - 1);
    }
    for (const auto& [marker, value] : values) vemo::ReplaceAll(formula, marker, NumToStr(value / 10000.0, 0.001));
    return Execute(formula.c_str());
}

// The conditions of every 業務 7 item (onlyIndex < 0) or of one, a later item overwriting an earlier.
ChikuJoken WorkChikuJoken(const CSekisanData& calc, int onlyIndex) {
    ChikuJoken c;
    const CSekisanItemList& list = *calc.GetItemList();
    const CBukakeFile& bukake = calc.CalcContext().GetBukakeFile();
    for (int i = 0; i < list.GetCount(); ++i) {
        if (onlyIndex >= 0 && i != onlyIndex) continue;
        const CSekisanItem* item = list.GetItem(i);
        if (!item || item->m_nGyomu != calc::Gyomu::KukakuSekkei) continue;
        const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(bukake, item);
        if (!shubetsu) continue;
        const CBukakeDetail& detail = shubetsu->GetDetail();
        auto given = [&](size_t slot) { return !IsUnset(detail.m_henkaritsu[slot]) && !IsUnset(item->m_nLL[slot]); };
        if (given(0)) {
            switch (detail.m_bukakeType) {
                case ChikuType::Length: c.length = item->m_nLL[0]; break;
                case ChikuType::Beta1Dash: c.tousu2 = item->m_nLL[0]; break;
                case ChikuType::Beta2Dash: c.kakuchi2 = item->m_nLL[0]; break;
                default: c.area = item->m_nLL[0]; break;
            }
        }
        if (given(1)) c.tousu = item->m_nLL[1];
        if (given(2)) c.kakuchi = item->m_nLL[2];
    }
    for (int k = 0; k < 5; ++k) c.alpha[k] = GroupRate(calc, kAlpha[k], c.area);
    const CHenkaritsuFile& rates = calc.CalcContext().GetHenkaritsuFile();
    c.k1 = ConditionFormula(rates, {kK1Records[0], kK1Records[1]},
                            {{"H1", c.area}, {"H2", c.tousu}, {"H3", c.kakuchi}});
    c.h1 = ConditionFormula(rates, {kH1Records[0], kH1Records[1]},
                            {{"H1", c.area}, {"H2", c.tousu}, {"H3", c.kakuchi}});
    c.k12 = ConditionFormula(rates, {kK12Record},
                             {{"H2", c.tousu}, {"H3", c.kakuchi}, {"H5", c.tousu2}, {"H6", c.kakuchi2}});
    c.h12 = ConditionFormula(rates, {kH12Record},
                             {{"H2", c.tousu}, {"H3", c.kakuchi}, {"H5", c.tousu2}, {"H6", c.kakuchi2}});
    c.beta1 = GroupRate(calc, kBeta1, DoubleToLong(c.k1 * 10000.0));
    c.beta2 = GroupRate(calc, kBeta2, DoubleToLong(c.h1 * 10000.0));
    c.beta12 = GroupRate(calc, kNoFallback1, DoubleToLong(c.k12 * 10000.0));
    c.beta22 = GroupRate(calc, kNoFallback2, DoubleToLong(c.h12 * 10000.0));
    return c;
}

// The rate line of a 歩掛 type and the factors it names (unset factors stay negative).
struct RateLine {
    std::string text;
    double factors[2] = {-1.0, -1.0};
};

RateLine OneRate(const char* format, double rate) {
    RateLine line;
    line.text = Format(format, rate * 100.0);
    line.factors[0] = rate;
    return line;
}

RateLine TwoRates(const char* format, double first, double second) {
    RateLine line;
    line.text = Format(format, first * 100.0, second * 100.0);
    line.factors[0] = first;
    line.factors[1] = second;
    return line;
}

// The α5' of a route. The standard length is the 歩掛's base quantity (数量 of the detail, as
// "1.7" or "0.5" km); its records (123/23 for 1.7, 124/24 for 0.5) are looked up with the route's
// length and the rate becomes the first factor.
RateLine LengthRate(const CSekisanData& calc, const CBukakeDetail& detail, int length) {
    const std::string standard = NumToStr(detail.m_quantity / 100.0, 0.1);
    const double rate = GroupRate(calc, standard == kStandardLength05 ? kLength05 : kLength17, length);
    RateLine line;
    line.text = Format(kChikuLengthBefore, length / 10000.0) + standard + kChikuLengthMiddle +
                Format(kChikuLengthRatio, length / 10000.0) + standard + kChikuLengthPower +
                Format(kChikuLengthRate, rate * 100.0);
    line.factors[0] = rate;
    return line;
}

RateLine RateLineOf(const CSekisanData& calc, const CBukakeDetail& detail, const ChikuJoken& c) {
    switch (detail.m_bukakeType) {
        case ChikuType::Alpha1: return OneRate(kChikuAlpha1, c.alpha[0]);
        case ChikuType::Alpha2: return OneRate(kChikuAlpha2, c.alpha[1]);
        case ChikuType::Alpha3: return OneRate(kChikuAlpha3, c.alpha[2]);
        case ChikuType::Alpha4: return OneRate(kChikuAlpha4, c.alpha[3]);
        case ChikuType::Beta2: return OneRate(kChikuBeta2, c.beta2);
        case ChikuType::Alpha2Beta1: return TwoRates(kChikuAlpha2Beta1, c.alpha[1], c.beta1);
        case ChikuType::Alpha4Beta1: return TwoRates(kChikuAlpha4Beta1, c.alpha[3], c.beta1);
        case ChikuType::Alpha4Beta2: return TwoRates(kChikuAlpha4Beta2, c.alpha[3], c.beta2);
        case ChikuType::Beta1: return OneRate(kChikuBeta1, c.beta1);
        case ChikuType::Alpha5: return OneRate(kChikuAlpha5, c.alpha[4]);
        case ChikuType::Length: return LengthRate(calc, detail, c.length);
        case ChikuType::Beta1Dash: return OneRate(kChikuBeta1Dash, c.beta12);
        case ChikuType::Beta2Dash: return OneRate(kChikuBeta2Dash, c.beta22);
        default: return {};
    }
}

// The correction line: the row head of the item's chosen row of its fifth rate, or the factor.
// A row head may hold the two characters backslash-n where the editor breaks it; on the sheet its
// two parts stand on one line with a full-width blank between them.
std::string CorrectionLine(const CSekisanData& calc, const CSekisanItem& item, const CBukakeDetail& detail,
                           double factor) {
    constexpr size_t kSlot = 4;
    if (!IsUnset(detail.m_henkaritsu[kSlot])) {
        const CHenkaritsuGyomu* group = calc.CalcContext().GetHenkaritsuFile().FindGyomu(item.m_nGyomu);
        const CHenkaritsuRecord* record = group ? group->FindRecord(detail.m_henkaritsu[kSlot]) : nullptr;
        const int32_t row = item.m_nRateRow[kSlot];
        if (record && !IsUnset(row) && row >= 1 && row <= CHenkaritsuRecord::kRows) {
            std::string head = record->m_rowTitles[static_cast<size_t>(row - 1)];
            if (!head.empty()) {
                vemo::ReplaceAll(head, "\\n", "　");
                return "　　" + head;
            }
        }
    }
    return Format(kChikuCorrection, factor);
}

}  // namespace

int CEstimateReport::ChikuJokenStartRow(int totalsRow) {
    constexpr int kFirstRateRow = 18;
    return totalsRow >= kFirstRateRow ? totalsRow + 1 : kFirstRateRow;
}

int CEstimateReport::WriteGyomuChikuJoken(CSekisanData& calc, int startRow, int index, int amountTotal) {
    if (startRow < 1) {
        const ChikuJoken c = WorkChikuJoken(calc, -1);
        m_job.BeginPage(kSheetChikuJoken, "1");
        m_job.SetCellDouble("**地区面積", c.area / 10000.0);
        m_job.SetCellDouble("**総棟数積", c.tousu / 10000.0);
        m_job.SetCellDouble("**総画地数", c.kakuchi / 10000.0);
        static constexpr const char* kAlphaCells[5] = {"**α1", "**α2", "**α3", "**α4", "**α5"};
        for (int k = 0; k < 5; ++k) m_job.SetCellDouble(kAlphaCells[k], c.alpha[k]);
        m_job.SetCellDouble("**β1", c.beta1);
        m_job.SetCellDouble("**β2", c.beta2);
        m_job.SetCellDouble("**K1", c.k1);
        m_job.SetCellDouble("**H1", c.h1);
        m_job.SetCellDouble("**総棟数積2", c.tousu2 / 10000.0);
        m_job.SetCellDouble("**総画地数2", c.kakuchi2 / 10000.0);
        m_job.SetCellDouble("**K1-2", c.k12);
        m_job.SetCellDouble("**H1-2", c.h12);
        m_job.SetCellDouble("**β1-2", c.beta12);
        m_job.SetCellDouble("**β2-2", c.beta22);
        m_job.EndPage();
        return 0;
    }

    CSekisanItem* item = calc.GetItemList()->GetItem(index);
    const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(calc.CalcContext().GetBukakeFile(), item);
    if (!shubetsu) return startRow;
    const CBukakeDetail& detail = shubetsu->GetDetail();
    const ChikuJoken c = WorkChikuJoken(calc, index);
    const int r = startRow;

    // The template's "**区分" stands in sheet row 10: the two lines of the block are rows r+10, r+11.
    constexpr int kFirstColumn = 2, kLastColumn = 11, kRowOfKubun = 10;
    for (int y : {r + kRowOfKubun, r + kRowOfKubun + 1}) {
        m_job.JoinCells(kFirstColumn, y, kLastColumn, y);
        m_job.SetHorzAlignAt(kFirstColumn, y, kLastColumn, y, xlsHorzLeft);
    }
    m_job.SetCellTextAt("**区分", 0, r, kChikuKubunTitle);

    const RateLine rates = RateLineOf(calc, detail, c);
    // An unset LL value 4 is no correction: factor 1.
    const double correction = IsUnset(item->m_nLL[3]) ? 1.0 : item->m_nLL[3] / 10000.0;
    m_job.SetCellTextAt("**数量1", 0, r, rates.text + CorrectionLine(calc, *item, detail, correction));

    // The amount worked through the rates, in brackets: from the table's total when the item has a
    // unit price, else the item's amount per unit. An item without a quantity to divide by, and a
    // print without amounts, get no bracket line.
    if (m_job.IsKingakuOmitted()) return r + 2;
    int result = 0;
    if (!IsUnset(item->m_nUnitPrice)) {
        double x = amountTotal;
        for (double f : rates.factors)
            if (f >= 0.0) x *= f;
        result = DoubleToLong(x * correction);
    } else {
        if (IsUnset(item->m_nQuantity) || item->m_nQuantity == 0 || IsUnset(item->m_nAmount)) return r + 2;
        result = DoubleToLong(item->m_nAmount / (item->m_nQuantity / 1000.0));
    }
    std::string total, value;
    FormatNumberWithCommas(amountTotal, total);
    FormatNumberWithCommas(result, value);
    std::string bracket = kChikuBracketOpen + total;
    for (double f : rates.factors)
        if (f >= 0.0) bracket += kChikuTimes + vemo::FormatFixed(f, 4);
    bracket += kChikuTimes + vemo::FormatFixed(correction, 2) + kChikuEquals + value + kChikuBracketClose;
    m_job.SetCellTextAt("**数量1", 0, r + 1, bracket);
    return r + 2;
}
