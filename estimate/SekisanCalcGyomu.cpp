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
#include "estimate/PricingSupport.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "master/TankaFile.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

namespace txt = estimate_texts;
using namespace calc;
using driver::AmountText;
using driver::IsDayChargeRow;
using driver::PercentText;
using driver::SetUpper;
using driver::ToAmount;
using pricing::IsLumpUnit;

namespace {

constexpr int64_t kSumLimit = 999'999'999;
constexpr int kClassCount = 9;  // 精度管理費 classes 0..8

// Mode of a priced row: no price, a unit price, a lump amount, or the amount as the user typed it.
enum class Mode { None, UnitPrice, Amount, Entered };

// 1000 × days as a quantity; days beyond the field's range are held at its limit.
int32_t DaysToQuantity(int days) { return ToAmount(static_cast<int64_t>(days) * 1000); }

const char* const kMarumeTexts[] = {txt::MarumeSen, txt::MarumeMan, txt::MarumeJuMan, txt::MarumeHyakuMan,
                                    txt::MarumeSenMan};

// "新(…)" and "新(…),従(…)": the labour of the new method and of both methods in a lower 摘要.
std::string NewLabourText(int64_t newLabour) { return txt::NewLabourOpen + AmountText(newLabour) + ")"; }
std::string ConvLabourText(int64_t convLabour) { return txt::ConvLabourOpen + AmountText(convLabour) + ")"; }
std::string SplitLabourText(int64_t newLabour, int64_t convLabour) {
    return NewLabourText(newLabour) + "," + ConvLabourText(convLabour);
}

}  // namespace

// The state of one walk: the running sums, the amounts of the fixed rows met so far and the rows
// that show running sums. Every sum is kept in 64 bits; the two the 業務 caps restart at 0.
class CGyomuPass {
public:
    CGyomuPass(CSekisanData& data, int gyomu, bool final)
        : m_data(data),
          m_list(*data.GetItemList()),
          m_bukake(data.CalcContext().GetBukakeFile()),
          m_settings(data.CalcContext().GetCalcSettings()),
          m_gyomu(gyomu),
          m_final(final) {}

    int Run();

private:
    // The row being priced and its master records.
    struct Row {
        CSekisanItem& item;
        const CBukakeKoshu* koshu;
        const CBukakeShubetsu* shubetsu;
        int level;
        bool entered;
    };

    // The value of a 種別 row (its unit price or lump amount) and what its parts are counted from:
    // the value with the 電子計算機使用料 and, where they go to rows of their own, the value with the
    // 精度管理費 (測量) and the material part taken off it (物件調査).
    struct RowValue {
        int value = 0;
        int withDensi = 0;
        int withSeido = 0;
        int material = 0;
    };

    void PriceRow(Row& row);
    void PriceShubetsu(Row& row);
    // The row's value by the 業務's amount calculation; then, for a row that keeps its price, its
    // parts counted into the running sums (returns the 安全費 base, −1 for the row's amount).
    RowValue ValueOf(Row& row, double qty);
    int64_t CountParts(Row& row, double qty, const RowValue& v);
    RowValue SokuryoValue(Row& row);
    int64_t SokuryoParts(Row& row, double qty, const RowValue& v);
    RowValue SekkeiValue(Row& row);
    RowValue BukkenValue(Row& row, double qty);
    void BukkenParts(Row& row, double qty, const RowValue& v);
    void DoshitsuParts(Row& row, double qty);
    // A unit price past what a unit price holds leaves the row without a price (CheckUnitPrice):
    // none of its parts is counted, so that the 業務's figures are those without the row.
    bool LeftWithoutPrice(Row& row, int value) { return !m_data.CheckUnitPrice(value, row.item); }
    void CountLabour(Row& row, double qty, int labour, bool conventional);
    int PartOf(Row& row, AmountPart part);
    void ApplyMode(Row& row, Mode mode, int value, int withDensi);
    Mode ModeByUnit(const Row& row, const CBukakeDetail& detail) const;
    void PriceSpecialShubetsu(Row& row);
    void DaikaRule(Row& row);
    void LumpRow(Row& row);
    void RateRow(Row& row);
    void DensiKeisankiRow(Row& row, int64_t base);
    bool DensiRow(Row& row);
    void FixedRow(Row& row);
    // The fixed rows (工種 code in the comment).
    void LabourTotalRow(CSekisanItem& item, const CBukakeKoshu* koshu);  // 直接人件費 (91)
    void DenshiSeikahinRow(Row& row);         // 電子成果品作成費, 精度管理費 of 業務 4 (92)
    void DirectShareRow(CSekisanItem& item);  // 業務 4: a share of the direct cost (98)
    void ShokeihiRow(Row& row);               // 諸経費 (93)
    void GijutsuKeihiRow(Row& row);           // 技術経費 (94)
    void SonotaGenkaRow(Row& row);            // その他原価 (915)
    void IppanKanrihiRow(Row& row);           // 一般管理費等 (916)
    void GyomuKakakuRow(CSekisanItem& item);  // 業務価格 (95)
    int RoundingRemainder();
    void UpdateTotals();
    // Quantity (×1000) times unit price (×10).
    int32_t Product(int32_t quantity, int32_t unitPrice) {
        return m_store.Value(quantity / 1000.0 * (unitPrice / 10.0));
    }
    void RefreshSumRows();

    void AddDirect(int64_t amount);
    void AddCost(int64_t amount, const CSekisanItem& item);
    void AddClass(std::array<int64_t, kClassCount>& sums, int kind, int64_t amount);
    bool SumGroup(const Row& row) const { return row.koshu && row.koshu->m_settings[0] == 1; }
    bool KoshuSplitIs(const Row& row, int flag) const { return row.koshu && row.koshu->m_splitFlag == flag; }
    // The lower 摘要 of a labour split ("新(…),従(…)"): written while the 歩掛 keeps the split, the
    // user has not set the line and the row is printed; empty unless both kinds of labour occur.
    void SetSplitLower(CSekisanItem& item, const std::string& text);

    // Runs an operation that inserts or removes one row of the 業務 and keeps the walk on the
    // current row. Returns false when the current row itself was taken out.
    template <class Op>
    bool Restructure(Op op);

    CSekisanData& m_data;
    CSekisanItemList& m_list;
    const CBukakeFile& m_bukake;
    const CCalcSettings& m_settings;
    const int m_gyomu;
    const bool m_final;
    // An amount the walk stores into a row or adds into a running sum, as 32 bits: held at the
    // limits, and the 業務 named in the record of the limits when it did not fit.
    const driver::AmountStore m_store{[this] { m_data.m_limits.saturated.insert(m_gyomu); }};
    int m_index = 0;
    int m_count = 0;

    // Running sums.
    int64_t m_direct = 0, m_rated = 0, m_ratedB = 0, m_tail = 0;
    int64_t m_newLabour = 0, m_convLabour = 0, m_grouped = 0;
    std::array<int64_t, kClassCount> m_classAll{}, m_classNew{};
    int64_t m_soil4 = 0, m_soil6 = 0, m_soil7 = 0, m_soil8 = 0;
    int64_t m_accuracy = 0, m_computer = 0, m_extra = 0;
    int64_t m_cost = 0, m_costNotInGenka = 0, m_shown = 0, m_mixed = 0, m_material = 0, m_technical = 0;
    double m_techBaseBukken = 0.0, m_techBaseDoshitsu = 0.0;

    // Fixed rows met so far: the amounts as adjusted by the total's rounding and before it.
    int64_t m_denshi = 0, m_denshiNew = 0, m_directShare = 0, m_sonotaGenka = 0, m_adjustment = 0;
    int64_t m_shokeihi = 0, m_shokeihiBefore = 0, m_gijutsu = 0, m_gijutsuBefore = 0;
    int64_t m_ippan = 0, m_ippanBefore = 0;
    int64_t m_total = 0, m_totalBefore = 0;

    bool m_densiRowUpdated = false;
    bool m_seidoRowUpdated = false;
    bool m_materialSplit = false;
    bool m_hasJinkenhiRow = false;

    // Rows showing running sums.
    CSekisanItem* m_directRow = nullptr;  // 直接費計 (90)
    CSekisanItem* m_costRow = nullptr;    // 業務原価 (910)
    CSekisanItem* m_convRow = nullptr;    // conventional total (911; 910 of a conventional 物件調査 工種)
    CSekisanItem* m_mixedRow = nullptr;   // 直接経費 (912)
    CSekisanItem* m_shownRow = nullptr;   // shown total (913)
};

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

Mode CGyomuPass::ModeByUnit(const Row& row, const CBukakeDetail& detail) const {
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

void CGyomuPass::FixedRow(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu;
    switch (item.m_nKoshu) {
        case Koshu::ChokusetsuhiKei:
            m_directRow = &item;
            break;
        case Koshu::ChokusetsuJinkenhi:
            if (g == Gyomu::DoshitsuIppan) m_hasJinkenhiRow = true;
            LabourTotalRow(item, row.koshu);
            break;
        case Koshu::DenshiSeikahin:
            DenshiSeikahinRow(row);
            break;
        case Koshu::DirectShare:
            if (g == Gyomu::DoshitsuIppan) DirectShareRow(item);
            break;
        case Koshu::SonotaGenka:
            if (IsLabourSplitGyomu(g)) SonotaGenkaRow(row);
            break;
        case Koshu::Shokeihi:
            ShokeihiRow(row);
            break;
        case Koshu::GijutsuKeihi:
            GijutsuKeihiRow(row);
            break;
        case Koshu::IppanKanrihi:
            if (IsLabourSplitGyomu(g)) IppanKanrihiRow(row);
            break;
        case Koshu::GyomuKakaku:
            GyomuKakakuRow(item);
            break;
        case Koshu::Nebiki:
            if (!IsUnset(item.m_nAmount)) m_adjustment = item.m_nAmount;
            break;
        case Koshu::Aratamekei:
            UpdateTotals();
            item.m_nAmount = m_store.Sum(m_total + m_adjustment);
            break;
        case Koshu::GyomuGenka:
            if (g == Gyomu::Bukken && KoshuSplitIs(row, 1))
                m_convRow = &item;
            else
                m_costRow = &item;
            break;
        case Koshu::ConventionalTotal:
            m_convRow = &item;
            break;
        case Koshu::ChokusetsuKeihi:
            m_mixedRow = &item;
            break;
        case Koshu::ShownTotal:
            m_shownRow = &item;
            break;
        default:
            break;
    }
}

// 業務 4: 0.7 % of the direct cost, shown outside the 業務原価.
void CGyomuPass::DirectShareRow(CSekisanItem& item) {
    const int32_t amount = m_direct == 0 ? 0 : m_store.Value(static_cast<double>(m_direct) * 0.007);
    item.m_nAmount = amount;
    SetUpper(item, " " + NumToStr(0.7, 0.01) + "%");
    m_shown += amount;
    m_directShare = amount;
}

// 業務価格: the 業務 total, adjusted and before its rounding, with the rounding named when asked.
void CGyomuPass::GyomuKakakuRow(CSekisanItem& item) {
    UpdateTotals();
    item.m_nAmount = m_store.Sum(m_total);
    item.m_nAmount2 = m_store.Sum(m_totalBefore);
    const int choice = item.m_nRounding;
    SetUpper(item, m_settings.MarumeDsp == 1 && choice >= 3 && choice <= 7 ? kMarumeTexts[choice - 3] : "");
}

// 直接人件費 (and the conventional total at the end): the labour in the upper 摘要, its split
// into new and conventional labour in the lower one; the amount is the direct and rated costs.
void CGyomuPass::LabourTotalRow(CSekisanItem& item, const CBukakeKoshu* koshu) {
    const int g = m_gyomu;
    if (IsLabourSplitGyomu(g)) {
        const int64_t labour = g == Gyomu::KukakuSekkei ? m_newLabour : m_newLabour + m_convLabour;
        const bool ownLabour = g == Gyomu::Bukken && koshu && koshu->m_splitFlag == 1;
        SetUpper(item, vemo::FillText(ownLabour ? txt::OwnLabourTotal : txt::LabourTotal, {AmountText(labour)}));
        SetSplitLower(item, SplitLabourText(m_newLabour, m_convLabour));
    } else if (IsSokuryoGyomu(g)) {
        SetUpper(item, vemo::FillText(txt::LabourTotal, {AmountText(m_newLabour)}));
    }
    item.m_nAmount = m_store.Sum(m_direct + m_rated + (g == Gyomu::DoshitsuIppan ? m_directShare : 0));
}

void CGyomuPass::DenshiSeikahinRow(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu;
    if (g == Gyomu::DoshitsuIppan) {
        // 精度管理費 of 土質調査 by the classes of its direct costs.
        if (row.entered) {
            m_denshi = item.m_nAmount;
        } else {
            const std::array<std::pair<int, int64_t>, 4> classes{
                {{6, m_soil6}, {7, m_soil7}, {4, m_soil4}, {8, m_soil8}}};
            int64_t sum = 0;
            int applied = 0, lastKind = -1, lastValue = 0;
            std::string lastText;
            for (const auto& [kind, base] : classes) {
                if (base <= 0) continue;
                std::string text;
                lastValue = CSekisanData::CalcSeidoKanrihi(kind, static_cast<double>(base), text, g);
                sum += lastValue;
                ++applied;
                lastKind = kind;
                lastText = text;
            }
            if (applied == 1 && lastKind == 8) {
                sum = std::clamp(lastValue, 30'000, 900'000);
                lastText.clear();
            }
            m_denshi = sum;
            item.m_nAmount = m_store.Sum(sum);
            SetUpper(item, applied == 1 ? " " + lastText : " ");
        }
        AddDirect(m_denshi);
        return;
    }
    if (row.entered) {
        m_denshi = item.m_nAmount;
        if ((g == Gyomu::Sekkei || g == Gyomu::DoshitsuKaiseki) && KoshuSplitIs(row, 0)) m_denshiNew = item.m_nAmount;
        SetUpper(item, "");
        SetSplitLower(item, NewLabourText(item.m_nAmount));
    } else {
        // 電子成果品作成費 by class: of all labour, and of the new-method labour.
        int64_t total = 0, newPart = 0;
        int applied = 0;
        std::string classText;
        auto apply = [&](int kind, int64_t all, int64_t newLabour) {
            if (all <= 0) return;
            std::string text;
            if (newLabour > 0) newPart += CSekisanData::CalcSeidoKanrihi(kind, static_cast<double>(newLabour), text, g);
            total += CSekisanData::CalcSeidoKanrihi(kind, static_cast<double>(all), text, g);
            ++applied;
            classText = text;
        };
        for (int kind : {0, 1, 2}) apply(kind, m_classAll[kind], m_classNew[kind]);
        apply(4, m_classAll[4], m_soil4);
        apply(5, m_computer, m_computer);
        m_denshi = total;
        m_denshiNew = newPart;
        item.m_nAmount = m_store.Sum(total);
        SetUpper(item, applied == 1 ? classText : "");
        SetSplitLower(item, NewLabourText(newPart));
    }
    if (item.m_nYearCode == kYearNotInGenka) m_costNotInGenka += m_denshiNew;
    m_mixed += m_denshi;
    if (IsSokuryoGyomu(g)) m_rated += m_denshi;
}

void CGyomuPass::SonotaGenkaRow(Row& row) {
    CSekisanItem& item = row.item;
    if (row.entered) {
        SetUpper(item, "");
        SetSplitLower(item, "");
    } else {
        const double percent = IsUnset(item.m_nRate) ? 53.85 : item.m_nRate / 100.0;
        item.m_nAmount = m_store.Value(RoundDown(static_cast<double>(m_newLabour) * percent / 100.0, 1.0));
        SetUpper(item, vemo::FillText(txt::SonotaGenkaRate, {PercentText(percent)}));
        SetSplitLower(item, NewLabourText(m_newLabour));
    }
    m_sonotaGenka = item.m_nAmount;
}

void CGyomuPass::ShokeihiRow(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu;
    int rate = 0;
    if (!row.entered) {
        if (IsUnset(item.m_nYearCode) && g == Gyomu::DoshitsuIppan) item.m_nYearCode = 30104;
        if (IsUnset(item.m_nYearCode) && IsSokuryoGyomu(g)) item.m_nYearCode = 30105;
        int64_t base = 0;
        if (IsSokuryoGyomu(g))
            base = m_direct + m_rated;
        else if (IsOneOf(g, {Gyomu::Sekkei, Gyomu::Bukken, Gyomu::DoshitsuKaiseki}))
            base = m_convLabour;
        else if (g == Gyomu::KukakuSekkei)
            base = m_newLabour;
        else if (g == Gyomu::DoshitsuIppan)
            base = m_direct + m_rated + m_directShare;
        rate = IsUnset(item.m_nRate) ? m_data.GetShokeihiRate(g, ToAmount(base), item.m_nYearCode) : item.m_nRate;
        item.m_nAmount = m_store.Value(RoundDown(static_cast<double>(base) * (rate / 10000.0), 1.0));
        item.m_nAmount2 = item.m_nAmount;
    }
    m_shokeihiBefore = item.m_nAmount;
    const int remainder = RoundingRemainder();
    item.m_nAmount = m_store.Sum(static_cast<int64_t>(item.m_nAmount) - remainder);
    if (!row.entered) {
        std::string head;
        if (IsSokuryoGyomu(g))
            // The base is the direct cost with the rated rows: the 測量作業費 once there are any.
            head = m_rated != 0 ? txt::OfSokuryoSagyohi : txt::OfSokuryohi;
        else if (IsDesignLikeGyomu(g))
            head = txt::OfJinkenhi;
        else if (g == Gyomu::Bukken)
            head = txt::OfBukkenJinkenhi;
        else if (g == Gyomu::DoshitsuIppan)
            head = m_hasJinkenhiRow ? txt::OfJunChosahiKei : " ";
        // With the total's rounding taken off, the amount is only near the rate: "≒" before the rate.
        SetUpper(item, head + (remainder != 0 ? txt::Approx : "") + PercentText(rate / 100.0));
        if (IsLabourSplitGyomu(g)) SetSplitLower(item, ConvLabourText(m_convLabour));
    }
    m_shokeihi = item.m_nAmount;
    if (g != Gyomu::DoshitsuIppan) m_shown += item.m_nAmount;
}

void CGyomuPass::GijutsuKeihiRow(Row& row) {
    CSekisanItem& item = row.item;
    const int g = m_gyomu;
    const bool each = IsSekkeiGyomu(g) && m_settings.GijyutuCalc == 1;
    int rate = 0;
    if (!row.entered) {
        double base = 0.0;
        if (g == Gyomu::Bukken) {
            base = m_techBaseBukken;
        } else if (g == Gyomu::DoshitsuIppan) {
            base = m_techBaseDoshitsu;
        } else {
            rate = IsUnset(item.m_nRate) ? m_data.GetGijutsuKeihiRate(m_index, 0) : item.m_nRate;
            const int64_t labour = (g == Gyomu::Sekkei || g == Gyomu::DoshitsuKaiseki) ? m_convLabour : m_newLabour;
            base = static_cast<double>(m_shokeihi + labour) * (rate / 10000.0);
        }
        item.m_nAmount = each ? m_store.Sum(m_technical) : m_store.Value(RoundDown(base, 1.0));
        item.m_nAmount2 = item.m_nAmount;
    }
    m_gijutsuBefore = item.m_nAmount;
    const int remainder = RoundingRemainder();
    item.m_nAmount = m_store.Sum(static_cast<int64_t>(item.m_nAmount) - remainder);
    if (!row.entered && IsDesignLikeGyomu(g)) {
        if (each)
            SetUpper(item, txt::GijutsuEachRate);
        else if (remainder != 0 && m_settings.GijyutuCalc == 0)
            SetUpper(item, vemo::FillText(txt::GijutsuRateApprox, {PercentText(rate / 100.0)}));
        else
            SetUpper(item, vemo::FillText(txt::GijutsuRate, {PercentText(rate / 100.0)}));
    }
    m_gijutsu = item.m_nAmount;
    if (IsOneOf(g, {Gyomu::Sokuryo, Gyomu::Bukken, Gyomu::KukakuSokuryo, Gyomu::KukakuSekkei}))
        m_shown += item.m_nAmount;
}

void CGyomuPass::IppanKanrihiRow(Row& row) {
    CSekisanItem& item = row.item;
    if (IsUnset(item.m_nYearCode)) item.m_nYearCode = 30101;
    const double percent =
        !IsUnset(item.m_nRate) ? item.m_nRate / 100.0 : (item.m_nYearCode == kYearH26OrEarlier ? 42.86 : 53.85);
    if (!row.entered) {
        // 一般管理費等: a share of the 業務原価.
        int64_t base = m_cost + m_denshiNew + m_sonotaGenka;
        if (m_costNotInGenka > 0) base -= m_costNotInGenka;
        item.m_nAmount = m_store.Value(RoundDown(static_cast<double>(base) * percent / 100.0, 1.0));
        item.m_nAmount2 = item.m_nAmount;
    }
    m_ippanBefore = item.m_nAmount;
    const int remainder = RoundingRemainder();
    item.m_nAmount = m_store.Sum(static_cast<int64_t>(item.m_nAmount) - remainder);
    if (row.entered)
        SetUpper(item, "");
    else
        SetUpper(item, vemo::FillText(remainder != 0 ? txt::IppanRateApprox : txt::IppanRate, {PercentText(percent)}));
    m_ippan = item.m_nAmount;
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
