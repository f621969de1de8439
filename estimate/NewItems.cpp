#include "estimate/NewItems.h"

#include <algorithm>

#include "estimate/CalcCodes.h"
#include "estimate/EstimateTexts.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "platform/NumberText.h"

namespace {

using namespace calc;

}  // namespace

std::unique_ptr<CSekisanItem> NewGyomuItem(const CBukakeGyomu& gyomu, const CTankaFile& tanka) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu.m_code;
    item->m_strNameUpper = gyomu.m_name;
    if (gyomu.m_code == Gyomu::Shohizei) {
        item->m_strUnit = estimate_texts::UnitShiki;
        item->m_nQuantity = 1000;
        // Without a rate in the master the row stays without one, to be entered by the user.
        if (!IsUnset(tanka.m_consumptionTax)) {
            item->m_nRate = tanka.m_consumptionTax;
            item->m_strRemarkUpper = vemo::FormatFixed(tanka.m_consumptionTax / 100.0, 2) + "%";
        }
    }
    return item;
}

std::unique_ptr<CSekisanItem> NewKoshuItem(int gyomu, const CBukakeKoshu& koshu) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu.m_code;
    item->m_strNameUpper = koshu.m_name;
    const int32_t k = koshu.m_code;
    if (IsRateAKoshu(k) || IsRateBKoshu(k)) {
        item->m_strUnit = estimate_texts::UnitShiki;
        item->m_nQuantity = 1000;
        item->m_nRate = k == Koshu::RateWithDensi && IsSokuryoGyomu(gyomu) ? 250 : 10000;
    } else if (IsOneOf(k, {Koshu::DenshiSeikahin, Koshu::Shokeihi, Koshu::GijutsuKeihi, Koshu::DirectShare})) {
        item->m_strUnit = estimate_texts::UnitShiki;
        item->m_nQuantity = 1000;
    }
    return item;
}

std::unique_ptr<CSekisanItem> NewShubetsuItem(int gyomu, const CBukakeKoshu& koshu, const CBukakeShubetsu& shubetsu,
                                              const CHenkaritsuFile& henkaritsu) {
    const CBukakeDetail& detail = shubetsu.GetDetail();
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu.m_code;
    item->m_nShubetsu = shubetsu.m_code;
    item->m_strNameUpper = shubetsu.m_name;
    item->m_strUnit = detail.m_unit;
    if (IsLumpUnit(detail.m_unit)) {
        item->m_nQuantity = 1000;
        item->m_nRate = 10000;
    }
    const CHenkaritsuGyomu* group = henkaritsu.FindGyomu(gyomu);
    for (size_t slot = 0; slot < detail.m_henkaritsu.size(); ++slot) {
        const int32_t code = detail.m_henkaritsu[slot];
        item->m_nRateCode[slot] = code;
        const CHenkaritsuRecord* record = group && !IsUnset(code) ? group->FindRecord(code) : nullptr;
        if (record) {
            item->m_nRateCol[slot] = record->m_standardColumn;
            item->m_nRateRow[slot] = record->m_standardRow;
        }
    }
    const int lines = std::min(detail.GetLineCount(), CSekisanItem::kKoteiCount);
    for (int i = 0; i < lines; ++i) {
        const CBukakeDetailLine* line = detail.GetLine(i);
        // Lines of setting 3 are 費目 lines, not 工程.
        item->m_bKotei[static_cast<size_t>(i)] = line && line->m_setting != 3 && !line->m_name.empty() ? 1 : 0;
    }
    if (IsSokuryoGyomu(gyomu))
        item->m_nExtraRate = 250;
    else if (IsSekkeiGyomu(gyomu) && koshu.m_settings[1] == 1)
        item->m_nExtraRate = 1350;
    else if (gyomu == Gyomu::DoshitsuIppan)
        item->m_nExtraRate = 450;
    // The special expense (精度管理費, 技術経費, 電子計算機使用料) counts only with a positive coefficient.
    int32_t coefficient = 1;
    if (IsSokuryoGyomu(gyomu)) coefficient = shubetsu.m_coefficient;
    if (IsSekkeiGyomu(gyomu)) coefficient = detail.m_rates[0];
    if (gyomu == Gyomu::Bukken) {
        coefficient = detail.m_rates[2];
        item->m_bSpecialExpense = 1;
    }
    if (IsUnset(coefficient) || coefficient <= 0) item->m_bSpecialExpense = 0;
    return item;
}
