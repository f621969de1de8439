// The fixed rows of the main calculation pass: the rows a 業務 prices from its running sums
// (直接人件費, 電子成果品作成費, 諸経費, 技術経費, その他原価, 一般管理費等, 業務価格) and the rows
// that show running sums, met as the walk reaches them.
#include <cstdint>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/DriverSupport.h"
#include "estimate/EstimateTexts.h"
#include "estimate/GyomuPass.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"
#include "platform/Rounding.h"
#include "platform/TextUtil.h"

namespace txt = estimate_texts;
using namespace calc;
using driver::AmountText;
using driver::PercentText;
using driver::SetUpper;
using driver::ToAmount;

namespace {

const char* const kMarumeTexts[] = {txt::MarumeSen, txt::MarumeMan, txt::MarumeJuMan, txt::MarumeHyakuMan,
                                    txt::MarumeSenMan};

// "新(…)" and "新(…),従(…)": the labour of the new method and of both methods in a lower 摘要.
std::string NewLabourText(int64_t newLabour) { return txt::NewLabourOpen + AmountText(newLabour) + ")"; }
std::string ConvLabourText(int64_t convLabour) { return txt::ConvLabourOpen + AmountText(convLabour) + ")"; }
std::string SplitLabourText(int64_t newLabour, int64_t convLabour) {
    return NewLabourText(newLabour) + "," + ConvLabourText(convLabour);
}

}  // namespace

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
