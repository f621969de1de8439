// The main calculation pass: one walk over the rows of a 業務 that prices every row and fills the
// 業務's sum rows (直接費計, 諸経費, 技術経費, 一般管理費等, 業務価格 and the rows that show running sums).
#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/DriverSupport.h"
#include "estimate/EstimateTexts.h"
#include "estimate/GyomuPass.h"
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

namespace txt = estimate_texts;
using namespace calc;
using driver::IsDayChargeRow;
using driver::SetUpper;
using driver::ToAmount;
using pricing::IsLumpUnit;

namespace {

constexpr int64_t kSumLimit = 999'999'999;

// 1000 × days as a quantity; days beyond the field's range are held at its limit.
int32_t DaysToQuantity(int days) { return ToAmount(static_cast<int64_t>(days) * 1000); }

}  // namespace

int CSekisanData::CalcGyomu(int gyomu, int final) { return CGyomuPass(*this, gyomu, final != 0).Run(); }

int CGyomuPass::Run() {
    m_data.m_limits.directCapped.erase(m_gyomu);
    m_data.m_limits.costCapped.erase(m_gyomu);
    m_data.m_limits.saturated.erase(m_gyomu);
    m_data.m_limits.unitPriceRows.erase(m_gyomu);
    // The rows left without a price are this walk's: the sums it asks for leave them out.
    struct Forget {
        std::set<const CSekisanItem*>& rows;
        ~Forget() { rows.clear(); }
    } forget{m_data.m_unpriced};
    m_data.m_unpriced.clear();
    m_count = m_list.GetCount();
    int start = 0;
    for (int i = 0; i < m_count; ++i) {
        const CSekisanItem* item = m_list.GetItem(i);
        if (item && item->m_nGyomu == m_gyomu) {
            start = i;
            break;
        }
    }

    for (m_index = start + 1; m_index < m_count; ++m_index) {
        CSekisanItem* item = m_list.GetItem(m_index);
        if (!item) return 0;
        if (item->m_nGyomu != m_gyomu) break;
        const int level = item->GetLevel();
        const CBukakeKoshu* koshu = IsUnset(item->m_nKoshu) ? nullptr : m_data.FindBukakeKoshu(m_gyomu, item->m_nKoshu);
        const CBukakeShubetsu* shubetsu =
            level == 2 ? m_data.FindBukakeShubetsu(m_gyomu, item->m_nKoshu, item->m_nShubetsu) : nullptr;
        Row row{*item, koshu, shubetsu, level, item->m_bAmountEntered != 0};
        // A typed amount is the row's amount.
        if (row.entered && !IsUnset(item->m_nAmount2)) item->m_nAmount = item->m_nAmount2;
        PriceRow(row);
    }

    // The conventional total is complete at the 業務's last row.
    if (m_convRow && IsLabourSplitGyomu(m_gyomu)) {
        m_convRow->m_nQuantity = 1000;
        m_convRow->m_strUnit = txt::UnitShiki;
        LabourTotalRow(*m_convRow, m_data.FindBukakeKoshu(m_gyomu, m_convRow->m_nKoshu));
    }

    if (IsSekkeiGyomu(m_gyomu) && m_settings.DensiDsp && !m_densiRowUpdated) m_data.UpdateDensiRow(m_gyomu, 1);
    if (m_gyomu == Gyomu::Bukken) m_data.UpdateZairyoRow(m_gyomu, m_materialSplit ? 0 : 1);

    // Rows with a quantity and a unit price take their product (a typed amount stays).
    for (int i = start + 1; i < m_list.GetCount(); ++i) {
        CSekisanItem* item = m_list.GetItem(i);
        if (item && !item->m_bAmountEntered && !IsUnset(item->m_nQuantity) && !IsUnset(item->m_nUnitPrice))
            item->m_nAmount = Product(item->m_nQuantity, item->m_nUnitPrice);
    }
    return 1;
}

template <class Op>
bool CGyomuPass::Restructure(Op op) {
    // The current row is recognised by its address; a row taken out is not looked at again.
    const auto current = reinterpret_cast<std::uintptr_t>(m_list.GetItem(m_index));
    op();
    m_count = m_list.GetCount();
    for (int step : {0, 1, -1}) {
        if (reinterpret_cast<std::uintptr_t>(m_list.GetItem(m_index + step)) == current) {
            m_index += step;
            return true;
        }
    }
    --m_index;  // the walk goes on with the row that took its place
    return false;
}

void CGyomuPass::PriceRow(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu, k = item.m_nKoshu;
    bool alive = true;
    bool koshuTotal = false;
    if (!IsUnset(k)) {
        // A 工種 with 種別 rows shows their total, when it is asked to.
        if (row.level == 1) {
            const CSekisanItem* next = m_list.GetItem(m_index + 1);
            if (next && next->GetLevel() == 2) {
                item.m_nAmount = item.m_bSummary ? m_data.SumKoshuChildren(m_index) : kUnset;
                koshuTotal = true;
            }
        }
        // 測量 day counts and day charges.
        if (IsSokuryoGyomu(g) && k == Koshu::Days && row.level == 2) {
            if (item.m_nShubetsu == Shubetsu::DayCount) {
                const CTankaFile& tanka = m_data.CalcContext().GetTankaFile();
                item.m_nQuantity =
                    tanka.m_travelFlag == 1 ? DaysToQuantity(m_data.CalcShubetsuDays(m_index, tanka.m_travelTrade, 1)) : 0;
            } else if (item.m_nShubetsu == Shubetsu::DayCharge) {
                item.m_nAmount = m_data.CalcDayChargeAmount(m_index);
            }
        }
        if (IsPricedKoshu(k) && row.level == 2) PriceShubetsu(row);
        if (IsLumpKoshu(k) && !koshuTotal) LumpRow(row);
        if (IsRateAKoshu(k) || IsRateBKoshu(k)) RateRow(row);
        if (IsSpecialKoshu(k)) {
            PriceSpecialShubetsu(row);
            if (item.m_nAmount > 0 && !item.m_bSummary) {
                m_rated += item.m_nAmount;
                if (IsLabourSplitGyomu(g) && KoshuSplitIs(row, 0)) AddCost(item.m_nAmount, item);
                if (g == Gyomu::DoshitsuIppan) m_shown += item.m_nAmount;
            }
        }
        if (!row.entered) {
            if (k == Koshu::Zairyohi && IsSokuryoGyomu(g)) {
                // 材料費: the materials named by the 歩掛 of the rows before.
                item.m_nQuantity = 1000;
                item.m_strUnit = txt::UnitShiki;
                item.m_nUnitPrice = kUnset;
                item.m_nAmount = m_data.SumZairyoCost(g, m_index);
            }
            if ((k == Koshu::DensiKeisanki || k == Koshu::DensiKeisankiAlt) &&
                IsOneOf(g, {Gyomu::Sokuryo, Gyomu::Bukken, Gyomu::DoshitsuIppan, Gyomu::KukakuSokuryo}))
                DensiKeisankiRow(row, g == Gyomu::DoshitsuIppan ? m_direct : m_newLabour + m_convLabour);
            if (k == Koshu::SeidoRow && IsSokuryoGyomu(g)) item.m_nAmount = m_store.Sum(m_accuracy);
        }
        if (k == Koshu::ZairyoRow && g == Gyomu::Bukken) {
            if (!row.entered && m_material > 0) item.m_nAmount = m_store.Sum(m_material);
            if ((row.entered || m_material > 0) && item.m_nAmount > 0) {
                m_rated += item.m_nAmount;
                if (m_bukake.m_splitFlag == 0) AddCost(item.m_nAmount, item);
            }
        }
        if (IsTailKoshu(k)) {
            PriceSpecialShubetsu(row);
            if (item.m_nAmount > 0 && !item.m_bSummary) {
                m_tail += item.m_nAmount;
                m_mixed += item.m_nAmount;
                if (IsOneOf(g, {Gyomu::Sokuryo, Gyomu::Bukken, Gyomu::KukakuSokuryo})) m_shown += item.m_nAmount;
                if (IsDesignLikeGyomu(g) && KoshuSplitIs(row, 0)) AddCost(item.m_nAmount, item);
            }
            // Counted above with the amount of the run before, then priced again.
            if ((k == Koshu::SekkeiDensi || k == Koshu::DensiKeisankiAlt) && IsDesignLikeGyomu(g) && !row.entered)
                DensiKeisankiRow(row, m_newLabour + m_convLabour);
        } else if (k == Koshu::DensiKeisankiAlt && IsDesignLikeGyomu(g) && !row.entered) {
            DensiKeisankiRow(row, m_newLabour + m_convLabour);
        }
        if (k == Koshu::DensiRow) alive = DensiRow(row);
        if (alive) FixedRow(row);
    }
    UpdateTotals();
    RefreshSumRows();
    if (alive && k == Koshu::Nameless && !item.m_bNameUpperEdited) item.m_strNameUpper.clear();
}

CGyomuPass::Mode CGyomuPass::ModeByUnit(const Row& row, const CBukakeDetail& detail) const {
    if (row.entered) return Mode::Entered;
    if (IsUnset(row.item.m_nQuantity)) return Mode::None;
    return IsLumpUnit(detail.m_unit) ? Mode::Amount : Mode::UnitPrice;
}

void CGyomuPass::PriceShubetsu(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu;
    if (!row.shubetsu) {
        item.m_strUnit.clear();
        item.m_nUnitPrice = 0;
        item.m_nAmount = 0;
        item.m_strRemarkUpper.clear();
        item.m_strRemarkLower = txt::RemarkDeleted;
        return;
    }
    const CBukakeDetail& detail = row.shubetsu->GetDetail();
    const int type = detail.m_bukakeType;
    if (type == BukakeType::PerLL8) item.m_nQuantity = IsUnset(item.m_nLL[7]) ? 1000 : item.m_nLL[7] / 10;
    Mode mode = Mode::None;
    if (type != BukakeType::Unpriced && type != BukakeType::KoshuTotal) mode = ModeByUnit(row, detail);
    if (type == BukakeType::KoshuTotal) {
        // A 工種計 row: the quantities and amounts of the 種別 rows above it.
        if (!detail.m_unit.empty()) item.m_strUnit = detail.m_unit;
        item.m_bSummary = 1;
        int koshuIndex = m_index - 1;
        while (koshuIndex >= 0) {
            const CSekisanItem* above = m_list.GetItem(koshuIndex);
            if (!above || above->GetLevel() != 2 || above->m_nKoshu != item.m_nKoshu) break;
            --koshuIndex;
        }
        int quantity = 0, amount = 0;
        m_data.SumKoshuQuantities(koshuIndex, m_index, quantity, amount);
        if (quantity >= 0) item.m_nQuantity = quantity;
        if (amount >= 0) item.m_nAmount = amount;
    }
    if (row.entered || IsDayChargeRow(item)) mode = Mode::Entered;

    const double qty = IsUnset(item.m_nQuantity) ? 0.0 : item.m_nQuantity / 1000.0;
    int64_t extraBase = -1;
    if (mode == Mode::UnitPrice || mode == Mode::Amount) {
        const RowValue v = ValueOf(row, qty);
        if (mode == Mode::UnitPrice && LeftWithoutPrice(row, v.value)) return;
        extraBase = CountParts(row, qty, v);
        ApplyMode(row, mode, v.value, v.withDensi);
    }
    if (mode == Mode::None || item.m_nAmount <= 0) return;

    const int64_t amount = item.m_nAmount;
    AddDirect(amount);
    if (g == Gyomu::DoshitsuIppan) {
        switch (m_data.GetSeidoKind(item, 0)) {
            case 4: m_soil4 += amount; break;
            case 6: m_soil6 += amount; break;
            case 7: m_soil7 += amount; break;
            case 8: m_soil8 += amount; break;
            default: break;
        }
    }
    if (IsLabourSplitGyomu(g) && row.shubetsu->m_conventional == 0) AddCost(amount, item);
    if (item.m_nExtraRate > 0) {
        const int64_t base = extraBase >= 1 ? extraBase : amount;
        m_extra += m_store.Value(item.m_nExtraRate / 10000.0 * static_cast<double>(base));
    }
    if (mode == Mode::Entered) {
        const int kind = m_data.GetSeidoKind(item, 0);
        AddClass(m_classAll, kind, amount);
        if (IsOneOf(g, {Gyomu::Sekkei, Gyomu::Bukken, Gyomu::DoshitsuKaiseki}) && row.shubetsu->m_conventional == 1) {
            m_convLabour += amount;
        } else {
            if (g != Gyomu::DoshitsuIppan) AddClass(m_classNew, kind, amount);
            m_newLabour += amount;
        }
        if (SumGroup(row)) m_grouped += amount;
    }
}

CGyomuPass::RowValue CGyomuPass::ValueOf(Row& row, double qty) {
    CSekisanItem& item = row.item;
    switch (m_gyomu) {
        case Gyomu::Sokuryo:
        case Gyomu::KukakuSokuryo:
            return SokuryoValue(row);
        case Gyomu::Sekkei:
        case Gyomu::KukakuSekkei:
            return SekkeiValue(row);
        case Gyomu::Bukken:
            return BukkenValue(row, qty);
        case Gyomu::DoshitsuIppan: {
            const RowValue v{m_data.CalcDoshitsuKingakuPart(&item, m_index, AmountPart::Amount)};
            DaikaRule(row);
            return v;
        }
        case Gyomu::DoshitsuKaiseki:
            return {m_data.CalcDoshitsuKingakuPart(&item, m_index, AmountPart::Amount)};
        default:
            return {};
    }
}

int64_t CGyomuPass::CountParts(Row& row, double qty, const RowValue& v) {
    CSekisanItem& item = row.item;
    switch (m_gyomu) {
        case Gyomu::Sokuryo:
        case Gyomu::KukakuSokuryo:
            return SokuryoParts(row, qty, v);
        case Gyomu::Sekkei:
        case Gyomu::KukakuSekkei: {
            const AmountPart part = m_settings.ShokeihiCalc ? AmountPart::LabourOnly : AmountPart::DirectLabour;
            const int labour = m_data.CalcSekkeiKingaku(&item, m_index, part);
            if (labour > 0)
                CountLabour(row, qty, labour, m_gyomu == Gyomu::Sekkei && row.shubetsu->m_conventional == 1);
            break;
        }
        case Gyomu::Bukken:
            BukkenParts(row, qty, v);
            break;
        case Gyomu::DoshitsuIppan:
            DoshitsuParts(row, qty);
            break;
        case Gyomu::DoshitsuKaiseki: {
            const int labour = m_data.CalcDoshitsuKingakuPart(&item, m_index, AmountPart::DirectLabour);
            if (labour > 0) CountLabour(row, qty, labour, row.shubetsu->m_conventional == 1);
            break;
        }
        default:
            break;
    }
    return -1;
}

CGyomuPass::RowValue CGyomuPass::SokuryoValue(Row& row) {
    CSekisanItem& item = row.item;
    RowValue v;
    if (m_settings.SeidoDsp) {
        // 精度管理費 on its own row: the row's amount without it, the difference into that row.
        v.value = m_data.CalcSokuryoKingaku(&item, m_index, AmountPart::WithoutSeido);
        v.withSeido = m_data.CalcSokuryoKingaku(&item, m_index, AmountPart::Amount);
    } else {
        v.value = m_data.CalcSokuryoKingaku(&item, m_index, AmountPart::Amount);
    }
    // The 精度管理費 row is there exactly while it is shown on its own; once per run is enough.
    if (!m_seidoRowUpdated) {
        m_seidoRowUpdated = true;
        const int mode = m_settings.SeidoDsp ? 0 : 1;
        Restructure([&] { m_data.UpdateSeidoRow(m_gyomu, mode); });
    }
    return v;
}

int64_t CGyomuPass::SokuryoParts(Row& row, double qty, const RowValue& v) {
    int64_t extraBase = -1;
    if (m_settings.SeidoDsp) {
        if (v.value < v.withSeido && qty >= 1)
            m_accuracy += m_store.Value(v.withSeido * qty) - m_store.Value(v.value * qty);
        extraBase = m_store.Value(v.withSeido * qty);
    }
    const int labour = m_data.CalcSokuryoKingaku(&row.item, m_index, AmountPart::Densi);
    if (labour > 0) {
        const int64_t n = m_store.Value(qty * labour);
        m_computer += n;
        m_newLabour += n;
        if (SumGroup(row)) m_grouped += n;
    }
    return extraBase;
}

CGyomuPass::RowValue CGyomuPass::SekkeiValue(Row& row) {
    CSekisanItem& item = row.item;
    RowValue v{m_data.CalcSekkeiKingaku(&item, m_index, AmountPart::Amount)};
    if (m_settings.DensiDsp && item.m_bSpecialExpense == 1) {
        v.withDensi = m_data.CalcSekkeiKingakuWithDensi(&item, m_index, AmountPart::Amount);
        if (!m_densiRowUpdated) {
            m_densiRowUpdated = true;
            Restructure([&] { m_data.UpdateDensiRow(m_gyomu, 0); });
        }
    }
    return v;
}

// The labour of a 設計 (or 業務 5) row: into the class sums, the new or the conventional labour,
// and, for a conventional row, its technical expense.
void CGyomuPass::CountLabour(Row& row, double qty, int labour, bool conventional) {
    CSekisanItem& item = row.item;
    double n = qty * labour;
    const int64_t share = m_store.Value(n);
    const int kind = m_data.GetSeidoKind(item, 0);
    AddClass(m_classAll, kind, share);
    if (conventional) {
        m_convLabour += share;
    } else {
        AddClass(m_classNew, kind, share);
        m_newLabour += share;
    }
    if (SumGroup(row)) m_grouped += share;
    if (!conventional) return;
    // 技術経費 of the conventional row: its labour with overhead, at the 種別's own rate.
    const int e = m_data.GetGijutsuKeihiRate(m_index, 1);
    if (e <= 0) return;
    if (!m_settings.ShokeihiCalc && m_settings.DensiDsp) {
        const int direct = m_gyomu == Gyomu::DoshitsuKaiseki
                               ? PartOf(row, AmountPart::DirectLabour)
                               : m_data.CalcSekkeiKingakuWithDensi(&item, m_index, AmountPart::DirectLabour);
        n = RoundDown(qty * direct, 1.0);
    }
    const int rate = m_data.GetShokeihiRate(m_gyomu, 0, kUnset);
    const int32_t t = m_store.Value(n * (rate / 10000.0 + 1.0));
    if (t > 0) m_technical += m_store.Value(t * (e / 10000.0));
}

CGyomuPass::RowValue CGyomuPass::BukkenValue(Row& row, double qty) {
    CSekisanItem& item = row.item;
    RowValue v{m_data.CalcBukkenKingaku(&item, m_index, AmountPart::Amount)};
    if (m_settings.ZairyoDsp) {
        // Material parts go to the 材料費等 row.
        const int withoutMaterial = m_data.CalcBukkenKingakuWithoutZairyo(&item, m_index, AmountPart::Amount);
        const int material = v.value - withoutMaterial;
        if (qty > 0 && material >= 1) {
            v.value -= material;
            v.material = material;
        }
    }
    return v;
}

void CGyomuPass::BukkenParts(Row& row, double qty, const RowValue& v) {
    CSekisanItem& item = row.item;
    if (v.material >= 1) {
        m_material += m_store.Value(qty * v.material);
        m_materialSplit = true;
    }
    const int labour = m_data.CalcBukkenKingaku(&item, m_index, AmountPart::DirectLabour);
    if (labour > 0) {
        const bool conventional = row.shubetsu->m_conventional == 1;
        double n = qty * labour;
        const int e = m_data.GetGijutsuKeihiRate(m_index, 1);
        if (e > 0) {
            const double x = n * e / 10000.0;
            const int rate = m_data.GetShokeihiRate(Gyomu::Bukken, ToAmount(m_direct + m_rated), kUnset);
            n = qty * m_data.CalcBukkenKingaku(&item, m_index, AmountPart::LabourOnly);
            const double y = n * rate / 10000.0 * e / 10000.0;
            if (conventional) m_techBaseBukken += x + y;
        }
        const int64_t share = m_store.Value(n);
        if (conventional)
            m_convLabour += share;
        else
            m_newLabour += share;
        if (SumGroup(row)) m_grouped += share;
    }
}

void CGyomuPass::DoshitsuParts(Row& row, double qty) {
    const int e = m_data.GetGijutsuKeihiRate(m_index, 1);
    if (e > 0)
        m_techBaseDoshitsu += qty * m_data.CalcDoshitsuKingakuPart(&row.item, m_index, AmountPart::DirectLabour) *
                              220 / 100.0 * e / 10000.0;
}

// 土質調査: a row priced from one material with remarks shows them in place of its 代価 number.
void CGyomuPass::DaikaRule(Row& row) {
    if (m_settings.DaikaOn == 1)
        m_data.SetZairyoRemark(row.item);
    else if (row.item.m_nDaikaNo == -1)
        row.item.m_nDaikaNo = kUnset;
}

// Part `part` of the 業務's amount calculation.
int CGyomuPass::PartOf(Row& row, AmountPart part) { return m_data.CalcShubetsuPart(&row.item, m_index, part); }

void CGyomuPass::ApplyMode(Row& row, Mode mode, int value, int withDensi) {
    CSekisanItem& item = row.item;
    if (mode == Mode::UnitPrice) {
        item.m_nUnitPrice = m_store.Sum(static_cast<int64_t>(value) * 10);
        item.m_nAmount2 = m_store.Sum(static_cast<int64_t>(withDensi) * 10);
        // The product, so that the rows after this one count it in this run already.
        item.m_nAmount = Product(item.m_nQuantity, item.m_nUnitPrice);
    } else if (mode == Mode::Amount) {
        item.m_nAmount = value;
        item.m_nAmount2 = value;
    }
}

// Special and tail rows with a 種別: day counts and day charges by 歩掛 type, otherwise priced by
// the 業務's amount calculation.
void CGyomuPass::PriceSpecialShubetsu(Row& row) {
    if (row.level != 2 || !row.shubetsu) return;
    CSekisanItem& item = row.item;
    const CBukakeDetail& detail = row.shubetsu->GetDetail();
    const int type = detail.m_bukakeType;
    int value = 0;
    switch (type) {
        case BukakeType::MaxShokushuDays:
            value = m_data.GetMaxShokushuDays(m_index);
            if (value >= 0) item.m_nQuantity = DaysToQuantity(value);
            break;
        case BukakeType::ShokushuCharges:
            value = m_data.CalcShokushuCharges(m_index);
            if (value >= 0) item.m_nAmount = value;
            break;
        case BukakeType::DayCharges:
            value = m_data.CalcDayCharges(m_index);
            if (value >= 0) item.m_nAmount = value;
            break;
        case BukakeType::MaxCalendarDays:
            value = m_data.GetMaxCalendarDays(m_index);
            if (value >= 0) item.m_nQuantity = DaysToQuantity(value);
            break;
        default:
            break;
    }
    if (type != BukakeType::ShokushuCharges && type != BukakeType::DayCharges) {
        const Mode mode = ModeByUnit(row, detail);
        const int value = mode == Mode::UnitPrice || mode == Mode::Amount ? PartOf(row, AmountPart::Amount) : 0;
        if (mode == Mode::Amount || (mode == Mode::UnitPrice && !LeftWithoutPrice(row, value)))
            ApplyMode(row, mode, value, 0);
    }
    if (m_gyomu == Gyomu::DoshitsuIppan) DaikaRule(row);
}

void CGyomuPass::LumpRow(Row& row) {
    CSekisanItem& item = row.item;
    const int64_t amount = item.m_nAmount;
    if (amount <= 0) return;
    AddDirect(amount);
    const int kind = m_data.GetSeidoKind(item, 1);
    if (row.koshu) {
        if (m_gyomu == Gyomu::DoshitsuIppan) m_soil6 += amount;
        if (IsLabourSplitGyomu(m_gyomu) && row.koshu->m_splitFlag == 1) {
            m_convLabour += amount;
        } else {
            AddCost(amount, item);
            AddClass(m_classNew, kind, amount);
            m_newLabour += amount;
        }
        if (SumGroup(row)) m_grouped += amount;
    }
    AddClass(m_classAll, kind, amount);
    m_extra += amount;
}

void CGyomuPass::RateRow(Row& row) {
    CSekisanItem& item = row.item;
    if (IsUnset(item.m_nRate) || item.m_nRate < 1) return;
    const int g = m_gyomu, k = item.m_nKoshu;
    int64_t base;
    if (IsExtraRateRow(g, k))
        base = m_extra;
    else if (IsSokuryoGyomu(g) && k == Koshu::RateWithDensi)
        base = m_direct + m_accuracy + m_data.GetKoshu81Amount() + m_data.GetKoshu92Amount();
    else if (IsSokuryoGyomu(g))
        base = m_direct + m_denshi + m_accuracy;
    else
        base = m_direct + m_accuracy;
    const int32_t amount = m_store.Value(RoundDown(static_cast<double>(base) * (item.m_nRate / 10000.0), 1.0));
    item.m_nAmount = amount;
    if (IsRateAKoshu(k)) {
        m_rated += amount;
        if (g == Gyomu::DoshitsuIppan) m_shown += amount;
    } else {
        m_ratedB += amount;
        m_mixed += amount;
        if (IsOneOf(g, {Gyomu::Sokuryo, Gyomu::Bukken, Gyomu::KukakuSokuryo})) m_shown += amount;
    }
    if (IsLabourSplitGyomu(g) && KoshuSplitIs(row, 0)) AddCost(amount, item);
}

// 電子計算機使用料 (工種 DensiKeisanki, DensiKeisankiAlt, or SekkeiDensi of 設計): a rate of the
// labour, its text in the upper 摘要.
void CGyomuPass::DensiKeisankiRow(Row& row, int64_t base) {
    CSekisanItem& item = row.item;
    item.m_nQuantity = 1000;
    item.m_strUnit = txt::UnitShiki;
    item.m_nUnitPrice = kUnset;
    std::string text;
    item.m_nAmount = m_data.CalcDensiKeisanki(m_gyomu, m_index, ToAmount(base), ToAmount(m_grouped), text,
                                              item.m_nKoshu == Koshu::DensiKeisankiAlt ? 1 : 0);
    SetUpper(item, text);
}

bool CGyomuPass::DensiRow(Row& row) {
    if (!m_settings.DensiDsp) return Restructure([&] { m_data.UpdateDensiRow(m_gyomu, 1); });
    int newMethodPart = 0;
    m_data.CalcDensiRowAmount(m_gyomu, m_index, newMethodPart);
    if (m_gyomu == Gyomu::Sekkei || m_gyomu == Gyomu::DoshitsuKaiseki) AddCost(newMethodPart, row.item);
    return true;
}

// The part of the 業務 total that its rounding takes off the current row (諸経費, 技術経費 or
// 一般管理費等), in a final run only, and only when the current row is the one that absorbs it. A
// total row whose amounts are not there yet (unset or not positive) takes nothing and keeps the
// user's choice.
int CGyomuPass::RoundingRemainder() {
    if (!m_final) return 0;
    int total = 0, rowAmount = 0, row = -1, totalRow = -1;
    if (m_data.FindRoundingRow(m_gyomu, total, rowAmount, row, totalRow) == 0 || row != m_index) return 0;
    if (IsUnset(total) || total <= 0 || IsUnset(rowAmount) || rowAmount <= 0) return 0;
    return m_data.CalcRoundingRemainder(m_gyomu);
}

void CGyomuPass::UpdateTotals() {
    const int64_t common = m_direct + m_ratedB + m_rated + m_tail;
    m_total = common + m_shokeihi;
    m_totalBefore = common + m_shokeihiBefore;
    if (IsLabourSplitGyomu(m_gyomu)) {
        m_total += m_denshi + m_gijutsu + m_sonotaGenka + m_ippan;
        m_totalBefore += m_denshi + m_gijutsuBefore + m_sonotaGenka + m_ippanBefore;
    } else if (m_gyomu == Gyomu::DoshitsuIppan) {
        m_total += m_directShare + m_gijutsu;
        m_totalBefore += m_directShare + m_gijutsuBefore;
    }
}

// The rows that show running sums, after every row.
void CGyomuPass::RefreshSumRows() {
    auto show = [this](CSekisanItem* row, int64_t amount) {
        if (!row) return;
        row->m_nQuantity = 1000;
        row->m_strUnit = txt::UnitShiki;
        row->m_nAmount = m_store.Sum(amount);
    };
    const int g = m_gyomu;
    show(m_directRow, std::max<int64_t>(m_direct, 0));
    show(m_shownRow, std::max<int64_t>(m_shown, 0));
    show(m_mixedRow, IsOneOf(g, {Gyomu::Sokuryo, Gyomu::Bukken, Gyomu::KukakuSokuryo})
                         ? std::max<int64_t>(m_rated - m_accuracy, 0)
                         : std::max<int64_t>(m_mixed, 0));
    if (m_costRow) {
        int64_t cost = 0;
        if (m_total > 0) {
            if (IsLabourSplitGyomu(g) && m_bukake.m_splitFlag == 0) {
                cost = m_cost + m_denshiNew + m_sonotaGenka;
                if (m_costNotInGenka > 0) cost -= m_costNotInGenka;
            } else if (g == Gyomu::DoshitsuIppan || m_bukake.m_splitFlag == 1) {
                cost = m_total - m_shown - m_gijutsu;
            } else {
                cost = m_total - m_shown;
            }
        }
        show(m_costRow, cost);
    }
}

void CGyomuPass::AddDirect(int64_t amount) {
    m_direct += amount;
    if (m_direct > kSumLimit) {
        m_direct = 0;
        m_data.m_limits.directCapped.insert(m_gyomu);
    }
}

void CGyomuPass::AddCost(int64_t amount, const CSekisanItem& item) {
    m_cost += amount;
    if (item.m_nYearCode == kYearNotInGenka) m_costNotInGenka += amount;
    if (m_cost > kSumLimit) {
        m_cost = 0;
        m_costNotInGenka = 0;
        m_data.m_limits.costCapped.insert(m_gyomu);
    }
}

void CGyomuPass::AddClass(std::array<int64_t, kClassCount>& sums, int kind, int64_t amount) {
    if (kind >= 0 && kind < kClassCount) sums[static_cast<size_t>(kind)] += amount;
}

void CGyomuPass::SetSplitLower(CSekisanItem& item, const std::string& text) {
    if (m_bukake.m_splitFlag != 0 || item.m_bKeepRemarkLower || item.m_bNoPrint) return;
    item.m_strRemarkLower = (m_newLabour < 1 || m_convLabour < 1) ? std::string() : text;
}
