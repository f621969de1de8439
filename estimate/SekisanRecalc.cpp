// The recalculation driver: the main pass per 業務, the summary rows (subtotal, adjustment,
// consumption tax, total), the automatic remarks and the missing-price message.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/DriverSupport.h"
#include "estimate/EstimateTexts.h"
#include "estimate/RecalcCache.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "platform/Host.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

namespace txt = estimate_texts;
using namespace calc;
using driver::IsDayChargeRow;
using driver::SetLower;
using driver::SetUpper;

namespace {

constexpr int kSlotCount = Gyomu::LastBusiness + 1;  // 業務 totals by code 1..LastBusiness
constexpr int64_t kTotalLimit = 999'999'999;

// The rounding choices of a 業務's total rows, so that a pass working on totals of the pass
// before cannot lower the user's choice for good.
std::vector<std::pair<CSekisanItem*, int32_t>> SaveRoundingChoices(const CSekisanItemList& list, int gyomu) {
    std::vector<std::pair<CSekisanItem*, int32_t>> saved;
    for (int i = 0; i < list.GetCount(); ++i) {
        CSekisanItem* item = list.GetItem(i);
        if (item && item->m_nGyomu == gyomu && item->m_nKoshu == Koshu::GyomuKakaku)
            saved.emplace_back(item, item->m_nRounding);
    }
    return saved;
}

// 工種 rows that carry a 代価 sheet of their own (rates over direct costs, 電子計算機使用料 and
// material rows): numbered whatever their flags, and shown without a rate text.
bool IsDaikaKoshuRow(const CSekisanItem& item) { return IsDaikaKoshu(item.m_nGyomu, item.m_nKoshu); }

// Rows whose rate is not shown as "n.nn%" in the upper 摘要.
bool HasNoRateText(const CSekisanItem& item) {
    const int g = item.m_nGyomu, k = item.m_nKoshu;
    return IsExtraRateRow(g, k) || IsDensiRateRow(g, k);
}

}  // namespace

int CSekisanData::Recalculate(int gyomu) {
    MissingPriceName().clear();
    RecalculateRows(gyomu);
    TellMissingPrice();
    return 1;
}

void CSekisanData::TellMissingPrice() const {
    if (!MissingPriceName().empty())
        AfxMessageBox(vemo::FillText(txt::MsgMissingPrice, {MissingPriceName()}), MsgButtons::Ok, MsgIcon::None);
}

std::set<int> CSekisanData::CalcLimits::AmountGyomu() const {
    std::set<int> codes = directCapped;
    codes.insert(costCapped.begin(), costCapped.end());
    codes.insert(saturated.begin(), saturated.end());
    return codes;
}

std::set<int> CSekisanData::CalcLimits::Gyomu() const {
    std::set<int> codes = AmountGyomu();
    const std::set<int> priced = UnitPriceGyomu();
    codes.insert(priced.begin(), priced.end());
    return codes;
}

std::set<int> CSekisanData::CalcLimits::UnitPriceGyomu() const {
    std::set<int> codes;
    for (const auto& entry : unitPriceRows) codes.insert(entry.first);
    return codes;
}

CSekisanData::CalcLimits CSekisanData::CalcLimits::Beyond(const CalcLimits& before) const {
    auto beyond = [](const std::set<int>& a, const std::set<int>& b) {
        std::set<int> codes;
        std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(codes, codes.end()));
        return codes;
    };
    CalcLimits past;
    past.directCapped = beyond(directCapped, before.directCapped);
    past.costCapped = beyond(costCapped, before.costCapped);
    past.saturated = beyond(saturated, before.saturated);
    // The rows of a 業務 left without a price that were not before, by their names: a name counts as
    // often as rows bear it.
    for (const auto& [code, rows] : unitPriceRows) {
        const auto earlier = before.unitPriceRows.find(code);
        std::multiset<std::string> left;
        if (earlier != before.unitPriceRows.end()) left.insert(earlier->second.begin(), earlier->second.end());
        for (const std::string& name : rows) {
            if (const auto it = left.find(name); it != left.end()) left.erase(it);
            else past.unitPriceRows[code].push_back(name);
        }
    }
    past.totalCapped = totalCapped && !before.totalCapped;
    return past;
}

const CSekisanData::CalcLimits& CSekisanData::CheckLimits() {
    m_limits = PriceCopy(CopyTells::Nothing).data->m_limits;
    return m_limits;
}

CSekisanData::PricedCopy CSekisanData::PriceCopy(CopyTells tells, int follow) const {
    PricedCopy priced{std::make_unique<CSekisanData>()};
    CSekisanData& copy = *priced.data;
    copy.SetCalcContext(m_calcContext);
    copy.m_ItemList.Copy(m_ItemList);
    priced.followed = copy.m_ItemList.GetItem(follow);
    const MissingPriceKept kept;
    if (tells == CopyTells::MissingPrice)
        copy.Recalculate(kAllGyomu);
    else
        copy.RecalculateRows(kAllGyomu);
    return priced;
}

CSekisanData::Input::Input(CSekisanData& data)
    : m_data(data), m_stored(data.m_ItemList), m_limits(data.m_limits) {
    m_items.Copy(data.m_ItemList);
}

CSekisanData::Input::~Input() {
    if (m_open) PutBack();
}

void CSekisanData::Input::Cancel() {
    if (!m_open) return;
    m_open = false;
    PutBack();
}

bool CSekisanData::Input::Changed() const { return m_stored.Differ(m_data.m_ItemList); }

void CSekisanData::Input::PutBack() {
    m_data.m_limits = m_limits;
    if (!Changed()) return;
    CSekisanItemList& list = m_data.m_ItemList;
    // Where the list kept its shape the nodes are written back in place, so that a caller's
    // pointers to them stay good.
    bool sameShape = list.GetCount() == m_items.GetCount();
    for (int i = 0; sameShape && i < list.GetCount(); ++i) sameShape = list.GetItem(i) != nullptr;
    if (!sameShape) {
        list.Copy(m_items);
        return;
    }
    list.CopyHeader(m_items);
    for (int i = 0; i < list.GetCount(); ++i) list.GetItem(i)->Copy(*m_items.GetItem(i));
}

CSekisanData::InputResult CSekisanData::Input::Commit(int gyomu) {
    MissingPriceName().clear();
    // A recalculation that throws leaves the input open: its end puts it back.
    m_data.RecalculateRows(gyomu);
    m_open = false;
    m_past = m_data.m_limits.Beyond(m_limits);
    if (m_past.Any()) {
        PutBack();
        MissingPriceName().clear();
        return InputResult::PastLimit;
    }
    m_data.TellMissingPrice();
    return InputResult::Taken;
}

void CSekisanData::RecalculateRows(int gyomu) {
    // Lookups and formula values are remembered for this recalculation only (also when it throws).
    CRecalcCache cache(CalcContext());
    struct UseCache {
        CRecalcCache*& slot;
        CRecalcCache* previous;
        ~UseCache() { slot = previous; }
    } use{m_recalcCache, std::exchange(m_recalcCache, &cache)};

    if (gyomu == kAllGyomu) {
        for (int code = Gyomu::Sokuryo; code <= Gyomu::LastCalculated; ++code) {
            // The first two runs read totals of the run before; the user's rounding choice is
            // put back before the last run so that only that run may lower it.
            auto saved = SaveRoundingChoices(m_ItemList, code);
            CalcGyomu(code, 1);
            CalcGyomu(code, 1);
            for (auto& [item, choice] : saved) item->m_nRounding = choice;
            CalcGyomu(code, 1);
        }
    } else if (gyomu >= Gyomu::Sokuryo && gyomu <= Gyomu::LastCalculated) {
        CalcGyomu(gyomu, 0);
        CalcGyomu(gyomu, 0);
        CalcGyomu(gyomu, 1);
    }
    CalcSummaryRows();
    UpdateRemarks();
}

int CSekisanData::CalcSummaryRows() {
    std::array<int64_t, kSlotCount> slot{};
    int64_t sum89 = 0, subtotal = 0, adjustment = 0, taxSum = 0;
    m_limits.totalCapped = false;
    // An amount of these rows that did not fit 32 bits leaves the total wrong as surely as a total
    // beyond its limit.
    const driver::AmountStore store([this] { m_limits.totalCapped = true; });
    for (int i = 0; i < m_ItemList.GetCount(); ++i) {
        CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item) break;
        const int g = item->m_nGyomu;
        if ((item->m_nKoshu == Koshu::GyomuKakaku || item->m_nKoshu == Koshu::Aratamekei) && g >= Gyomu::Sokuryo &&
            g < kSlotCount)
            slot[g] = item->m_nAmount;
        switch (g) {
            case Gyomu::Sonota:
                if (item->m_nQuantity >= 0 && item->m_nUnitPrice >= 0) {
                    const int32_t amount = store.Value(item->m_nQuantity / 1000.0 * (item->m_nUnitPrice / 10.0));
                    item->m_nAmount = amount;
                    sum89 += amount;
                }
                break;
            case Gyomu::Goukei:
                for (int64_t total : slot)
                    if (total > 0) subtotal += total;
                subtotal += sum89;
                item->m_nAmount = store.Sum(subtotal);
                break;
            case Gyomu::Nebiki:
                if (!IsUnset(item->m_nAmount)) adjustment = item->m_nAmount;
                break;
            case Gyomu::Aratamekei:
                item->m_nAmount = store.Sum(subtotal + adjustment);
                break;
            case Gyomu::Shohizei: {
                // A tax row without a rate cannot be priced: no tax, and the row is named.
                int64_t tax = 0;
                if (IsUnset(item->m_nRate)) {
                    MissingPriceName() = item->m_strNameUpper;
                } else {
                    tax = store.Value(
                        RoundDown(static_cast<double>(subtotal + adjustment) * (item->m_nRate / 10000.0), 1.0));
                }
                taxSum += tax;
                item->m_nAmount = store.Sum(tax);
                break;
            }
            case Gyomu::ItakuryoKei: {
                int64_t total = subtotal + adjustment + taxSum;
                if (total > kTotalLimit || total < 0) {
                    total = 0;
                    m_limits.totalCapped = true;
                }
                item->m_nAmount = store.Sum(total);
                break;
            }
            default:
                break;
        }
    }
    return 0;
}

int CSekisanData::UpdateRemarks() {
    const CBukakeFile& bukake = Bukake();
    const std::string& daikaName = Settings().DaikaName;
    const int count = m_ItemList.GetCount();
    auto shubetsuOf = [this](const CSekisanItem& item) {
        return FindBukakeShubetsu(item.m_nGyomu, item.m_nKoshu, item.m_nShubetsu);
    };
    // 歩掛 type of the item's 種別, or −1 when the item has no 歩掛 record.
    auto typeOf = [&shubetsuOf](const CSekisanItem& item) {
        const CBukakeShubetsu* shubetsu = shubetsuOf(item);
        return shubetsu ? shubetsu->GetDetail().m_bukakeType : -1;
    };

    // First walk: rate descriptions and 重量平均値 texts.
    for (int i = 0; i < count; ++i) {
        CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item || IsUnset(item->m_nKoshu) || IsDayChargeRow(*item)) continue;
        const int type = typeOf(*item);
        if (type == BukakeType::DayCharges) continue;
        // The rate description only for a lower name the user has not written.
        if (!item->m_bNameLowerEdited) {
            std::string text;
            std::array<std::string, 9> names, values;
            std::array<double, 9> numbers{};
            if (BuildHenkaritsuText(text, i, names, values, numbers, 0) == 0) item->m_strNameLower = text;
        }
        if (!IsUnset(item->m_nWeightAverage)) {
            const std::string weight =
                vemo::FillText(txt::WeightAverage, {NumToStr(item->m_nWeightAverage / 1000.0, 0.001)});
            if (!item->m_bNameLowerEdited) item->m_strNameLower = weight;
            if (type == BukakeType::KoshuTotal) SetLower(*item, weight);
        } else if (type == BukakeType::KoshuTotal) {
            SetLower(*item, "");
        }
    }

    // Second walk: 摘要 texts and 代価 numbers.
    int result = 0;
    for (int i = 0; i < count; ++i) {
        CSekisanItem* item = m_ItemList.GetItem(i);
        if (!item) continue;
        const int g = item->m_nGyomu, k = item->m_nKoshu;
        const int level = item->GetLevel();
        const bool entered = item->m_bAmountEntered != 0;

        // Not printed, and the plain 業務 and 工種 rows.
        if (item->m_bNoPrint) {
            SetLower(*item, txt::NoPrint);
        } else if (level == 0 || level == 1) {
            const std::string& lower = item->m_strRemarkLower;
            const bool labourSplitText =
                IsLabourSplitGyomu(g) &&
                IsOneOf(k, {Koshu::ChokusetsuJinkenhi, Koshu::DenshiSeikahin, Koshu::Shokeihi, Koshu::SonotaGenka}) &&
                bukake.m_splitFlag == 0 && !lower.empty() &&
                (lower.rfind(txt::NewLabourOpen, 0) == 0 || lower.find(txt::ConvLabourOpen) != std::string::npos);
            if (!labourSplitText) SetLower(*item, "");
        }

        // The rate of a row priced as a percentage.
        if (!IsUnset(item->m_nRate) &&
            !IsOneOf(k, {Koshu::Shokeihi, Koshu::GijutsuKeihi, Koshu::SonotaGenka, Koshu::IppanKanrihi}) && !entered &&
            !HasNoRateText(*item))
            SetUpper(*item, NumToStr(item->m_nRate / 100.0, 0.01) + "%");

        const int type = typeOf(*item);
        if (level == 2 && !entered) {
            // A 種別 row whose 歩掛 is gone keeps its texts; the rows after it are still done.
            const CBukakeShubetsu* shubetsu = shubetsuOf(*item);
            if (!shubetsu) {
                result = -1;
                continue;
            }
            const CBukakeDetail& detail = shubetsu->GetDetail();
            const char* on = nullptr;
            const char* off = nullptr;
            if (IsSokuryoGyomu(g) && shubetsu->m_coefficient > 0) {
                on = txt::SeidoOn, off = txt::SeidoOff;
            } else if (IsSekkeiGyomu(g) && detail.m_rates[0] > 0) {
                on = txt::DensiOn, off = txt::DensiOff;
            } else if (g == Gyomu::Bukken && detail.m_rates[2] > 0) {
                on = txt::ZairyoOn, off = txt::ZairyoOff;
            }
            if (on) SetUpper(*item, item->m_bSpecialExpense == 0 ? off : on);
        }

        // A 代価 number from 1000 up asks for the sheets to be numbered again from it.
        if (item->m_nDaikaNo >= 1000) {
            int next = item->m_nDaikaNo - 1000;
            item->m_nDaikaNo = next;
            for (int j = 0; j < i; ++j) {
                CSekisanItem* earlier = m_ItemList.GetItem(j);
                if (!earlier || earlier->GetLevel() != 2 || earlier->m_bKeepRemarkLower || earlier->m_nDaikaNo == -1)
                    continue;
                const int t = typeOf(*earlier);
                if (t == BukakeType::Unpriced || t == BukakeType::KoshuTotal) continue;
                earlier->m_nDaikaNo = kUnset;
                SetLower(*earlier, "");
            }
            for (int j = i + 1; j < count; ++j) {
                CSekisanItem* later = m_ItemList.GetItem(j);
                if (!later) continue;
                bool eligible = later->GetLevel() == 1 && IsDaikaKoshuRow(*later);
                if (!eligible && later->GetLevel() == 2 && !later->m_bAmountEntered && !later->m_bKeepRemarkLower &&
                    later->m_nDaikaNo != -1 && !IsDayChargeRow(*later)) {
                    const int t = typeOf(*later);
                    eligible = t != BukakeType::ShokushuCharges && t != BukakeType::DayCharges &&
                               t != BukakeType::Unpriced && t != BukakeType::KoshuTotal;
                }
                if (eligible) later->m_nDaikaNo = ++next;
            }
        }

        // The 代価 text.
        if (item->m_nDaikaNo < 0) {
            if (level == 2 && !entered && !IsDayChargeRow(*item) && type != BukakeType::Unpriced &&
                type != BukakeType::KoshuTotal && item->m_nDaikaNo != -1)
                SetLower(*item, "");
        } else if (!entered) {
            SetLower(*item, vemo::FillText(txt::DaikaNumber, {NumToStr(item->m_nDaikaNo, 1.0),
                                                              daikaName.empty() ? txt::DefaultDaikaName : daikaName}));
        } else {
            SetLower(*item, "");
        }

        // Rows counted in, or kept out of, the 業務原価.
        const bool plainLower = !item->m_bKeepRemarkLower && IsUnset(item->m_nDaikaNo);
        if (item->m_nYearCode == kYearNotInGenka) {
            if (plainLower) {
                item->m_strRemarkLower = txt::NotInGenka;
                if (item->m_strRemarkUpper == txt::NotInGenka) item->m_strRemarkUpper.clear();
            } else {
                SetUpper(*item, txt::NotInGenka);
            }
        } else if (item->m_nYearCode == kYearInGenka) {
            if (plainLower)
                item->m_strRemarkLower.clear();
            else
                SetUpper(*item, "");
        }
    }
    return result;
}
