// The estimate view's row-setting commands: each sets one property of the current row (or the
// estimate's unit-price column and material-price file) through its dialog, recalculates and
// refills the grid. Their update rules enable them by the row's level and codes.
#include <QDialog>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <vector>

#include "estimate/CalcCodes.h"
#include "app/CommandIds.h"
#include "app/DaikaNoDlg.h"
#include "app/IkkatsuSettingDlg.h"
#include "app/KeisanKubunDlg.h"
#include "app/MarumeSettingDlg.h"
#include "app/ProgramKingakuSelectDlg.h"
#include "app/AppTexts.h"
#include "app/TaniInputDlg.h"
#include "app/TankaSettingDlg.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "dialogkit/InputDialogs.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "platform/Host.h"
#include "platform/TextUtil.h"
#include "report/ReportTexts.h"

namespace {

namespace txt = estimate_texts;

using namespace calc;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The 工種 codes whose 金額 can be returned to the computed value ("自動計算").
bool HasComputedAmount(int gyomu, int koshu) {
    return IsOneOf(koshu, {Koshu::DenshiSeikahin, Koshu::Shokeihi, Koshu::GijutsuKeihi, Koshu::DensiRow,
                           Koshu::SonotaGenka, Koshu::IppanKanrihi, Koshu::ZairyoRow}) ||
           IsZairyohiRow(gyomu, koshu) || IsDensiKoshuOf(gyomu, koshu);
}

// The number dialog's modes used here.
enum NumberMode : int {
    kModeQuantity = 0,
    kModeUnitPrice = 1,
    kModeAmount = 2,
    kModeRate = 3,
    kModeWeight = 4,
    kModeComputedAmount = 6,
    kModeComputedRate = 7,
    kModeMultiply = 8,
    kModeRateTable = 9,
    kModeAdjustment = 10,
    kModeOverheadRate = 12,
    kModeOverheadRate4 = 13,
    kModeRateTable2 = 14,
    kModeRateTable4 = 15,
};

// The 歩掛 type of rows that hold a 工種's total and multiply the quantities after them.
constexpr int kMultiplyType = 23;

// The lower 摘要 naming the overhead-rate table of a fiscal year; null for a year without one.
const char* OverheadYearText(int mode, int year) {
    if (mode == kModeOverheadRate) {
        if (year == kYearH26OrEarlier) return txt::ShokeihiRateH26;
        if (year == kYearH26OrEarlier + 1) return txt::ShokeihiRateR6;
    } else if (mode == kModeOverheadRate4) {
        switch (year - kYearH26OrEarlier) {
            case 0: return txt::ShokeihiRateH26;
            case 1: return txt::ShokeihiRateH27;
            case 2: return txt::ShokeihiRateH29;
            case 3: return txt::ShokeihiRateR5;
            default: break;
        }
    }
    return nullptr;
}

// A rate written at the end of the upper 摘要 ("… 12.5%"), ×100; unset when there is none.
int RateFromRemark(const std::string& remark) {
    if (remark.size() <= 4 || remark.back() != '%') return kUnset;
    size_t start = remark.size() - 1;
    while (start > 0 && ((remark[start - 1] >= '0' && remark[start - 1] <= '9') || remark[start - 1] == '.')) --start;
    const std::string number = remark.substr(start, remark.size() - 1 - start);
    if (number.empty()) return kUnset;
    const double value = std::atof(number.c_str()) * 100.0;
    if (value < 0 || value > std::numeric_limits<int32_t>::max()) return kUnset;
    return static_cast<int>(value + 1e-7);
}

// −value of an amount; an unset amount stays unset.
int Negated(int value) { return IsUnset(value) ? kUnset : -value; }

bool Accepted(int result) { return result == QDialog::Accepted; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Registration and update rules

void CVemoWinView::RegisterSettingCommands() {
    const struct {
        int id;
        void (CVemoWinView::*handler)();
        bool ruled;  // false: always enabled
    } commands[] = {
        {cmd::KeisanKubun, &CVemoWinView::OnKeisanKubun, true},
        {cmd::Suryo, &CVemoWinView::OnSuryo, true},
        {cmd::InsatsuUmu, &CVemoWinView::OnInsatsuUmu, true},
        {cmd::KoshuKei, &CVemoWinView::OnKoshuKei, true},
        {cmd::Juryo, &CVemoWinView::OnJuryo, true},
        {cmd::DaikaNo, &CVemoWinView::OnDaikaNo, true},
        {cmd::Tani, &CVemoWinView::OnTani, true},
        {cmd::Kingaku, &CVemoWinView::OnKingaku, true},
        {cmd::Ritsu, &CVemoWinView::OnRitsu, true},
        {cmd::Marume, &CVemoWinView::OnMarume, true},
        {cmd::Seido, &CVemoWinView::OnSeido, true},
        {cmd::Denshi, &CVemoWinView::OnDenshi, true},
        {cmd::ProgramKingaku, &CVemoWinView::OnProgramKingaku, true},
        {cmd::TankaSelect, &CVemoWinView::OnTankaSelect, false},
        {cmd::ZairyoTankaSetting, &CVemoWinView::OnZairyoTankaSetting, false},
    };
    for (const auto& c : commands) {
        Updater update;
        if (c.ruled) update = [this, id = c.id](CCmdUI& ui) { ui.enabled = IsSettingEnabled(id); };
        OnCommand(c.id, [this, handler = c.handler] { (this->*handler)(); }, std::move(update));
    }
}

int CVemoWinView::IsChokusetsuKeihiRow(const CSekisanItem& item) const {
    const CBukakeFile& bukake = Bukake();
    // Rows of the conventional estimation method have no 直接経費 handling.
    if (bukake.m_splitFlag == 1) return 0;
    const int level = item.GetLevel();
    if (level == 1) {
        const CBukakeKoshu* koshu = bukake.FindKoshu(item.m_nGyomu, item.m_nKoshu);
        if (koshu && koshu->m_splitFlag == 1) return 0;
    } else if (level == 2) {
        const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(item.m_nGyomu, item.m_nKoshu, item.m_nShubetsu);
        if (shubetsu && shubetsu->m_conventional == 1) return 0;
    }
    const int k = item.m_nKoshu;
    if (IsDesignLikeGyomu(item.m_nGyomu))
        return IsRateBKoshu(k) || IsTailKoshu(k) || IsOneOf(k, {Koshu::DenshiSeikahin, Koshu::ChokusetsuKeihi})
                   ? 1
                   : 0;
    if (item.m_nGyomu == Gyomu::Bukken)
        return IsRateAKoshu(k) || IsSpecialKoshu(k) || IsOneOf(k, {Koshu::ZairyoRow, Koshu::ChokusetsuKeihi}) ? 1 : 0;
    return 0;
}

bool CVemoWinView::IsSettingEnabled(int id) const {
    const CSekisanItem* item = HasCurrentRow() ? GetItemAt(GetCurrentRow()) : nullptr;
    if (!item) return IsOneOf(id, {cmd::TankaSelect, cmd::ZairyoTankaSetting});
    const int level = item->GetLevel();
    const int b = item->m_nGyomu;
    const int k = item->m_nKoshu;
    const bool entered = item->m_bAmountEntered != 0;
    const CBukakeShubetsu* shubetsu = Bukake().FindShubetsu(b, k, item->m_nShubetsu);
    const CBukakeDetail* detail = shubetsu ? &shubetsu->GetDetail() : nullptr;
    const int type = detail ? detail->m_bukakeType : 0;
    const CSekisanItemList& list = *GetItemList();

    switch (id) {
        case cmd::KeisanKubun:
            return level == 2 && detail && (!IsDoshitsuGyomu(b) || type == 0) && detail->GetNamedLineCount() > 0;
        case cmd::Suryo:
            return level == 2 && (entered || !IsLumpUnit(item->m_strUnit)) && !(detail && IsOneOf(type, {13, 22, 23}));
        case cmd::InsatsuUmu: return level != 2;
        case cmd::KoshuKei: return level == 1 && list.CountShubetsuOfKoshu(b, k) > 0;
        case cmd::Juryo:
            return level == 2 && detail && !IsOneOf(type, {6, 9, 22}) &&
                   (IsDoshitsuGyomu(b) || type == 0 || InRange(type, 10, 21) || InRange(type, 24, 31));
        case cmd::DaikaNo:
            if (level == 2)
                return !entered && detail && !IsOneOf(type, {1, 2, 22, 23}) &&
                       (IsOneOf(type, {6, 9}) || InRange(type, 10, 21) || item->m_nDaikaNo != -1);
            return IsDaikaKoshu(b, k);
        case cmd::Tani:
            return level == 2 && detail && !IsOneOf(type, {22, 23}) && !entered &&
                   (IsSekkeiGyomu(b) || !IsLumpUnit(detail->m_unit));
        case cmd::Kingaku:
            if (level == 0) return IsOneOf(b, {Gyomu::Sonota, Gyomu::Nebiki});
            if (level == 1) {
                if (IsLumpKoshu(k) || IsTailKoshu(k) ||
                    IsOneOf(k, {Koshu::DenshiSeikahin, Koshu::Shokeihi, Koshu::GijutsuKeihi, Koshu::Nebiki,
                                Koshu::SonotaGenka, Koshu::IppanKanrihi, Koshu::ZairyoRow}))
                    return true;
                if (IsSpecialKoshu(k)) {
                    const CBukakeKoshu* koshu = Bukake().FindKoshu(b, k);
                    return koshu && koshu->GetCount() == 0;
                }
                return false;
            }
            return level == 2 && detail && !IsOneOf(type, {22, 23});
        case cmd::Ritsu: {
            if (level == 0) return b == Gyomu::Shohizei;
            if (level == 2) return detail && IsLumpUnit(detail->m_unit);
            if (level != 1) return false;
            bool enabled = false;
            if (IsRateAKoshu(k) || IsRateBKoshu(k) || k == Koshu::Shokeihi) enabled = !IsExtraRateRow(b, k);
            if (IsDensiRateRow(b, k)) enabled = true;
            if (k == Koshu::GijutsuKeihi) {
                if (IsSekkeiGyomu(b))
                    enabled = m_app.Settings().GijyutuCalc != 1;
                else if (b != Gyomu::Bukken)
                    enabled = true;
            }
            if (IsOneOf(k, {Koshu::SonotaGenka, Koshu::IppanKanrihi}) && !entered) enabled = true;
            if (IsOneOf(k, {Koshu::Shokeihi, Koshu::GijutsuKeihi}) && entered) enabled = false;
            return enabled;
        }
        case cmd::Marume: {
            if (k != Koshu::GyomuKakaku) return false;
            for (int i = 0; i < list.GetCount(); ++i)
                if (const CSekisanItem* row = list.GetItem(i);
                    row && row->m_nGyomu == b && row->m_nKoshu == Koshu::Nebiki)
                    return false;
            return true;
        }
        case cmd::Seido:
        case cmd::Denshi: {
            const bool seido = id == cmd::Seido;
            if (!(seido ? IsSokuryoGyomu(b) || b == Gyomu::Bukken : IsSekkeiGyomu(b))) return false;
            if (level == 0) return true;
            if (level == 1) return IsPricedKoshu(k);
            if (level != 2 || entered || !detail) return false;
            if (!seido) return detail->m_rates[0] > 0;
            // 測量 rows carry 精度管理費 by their coefficient, 物件調査 rows 材料費 by their rate.
            return b == Gyomu::Bukken ? detail->m_rates[2] > 0 : !IsUnset(shubetsu->m_coefficient);
        }
        case cmd::ProgramKingaku:
            if (IsChokusetsuKeihiRow(*item)) return true;
            if (level == 2) return HasAnzenhiGyomu(b) || (detail && detail->m_programKingaku != 0);
            return k == Koshu::ExtraRateA && HasExtraRateAGyomu(b);
        case cmd::TankaSelect:
        case cmd::ZairyoTankaSetting: return true;
        default: return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Shared steps

void CVemoWinView::AskEdited(int& flag, const char* text) {
    if (flag != 1) return;
    if (AfxMessageBox(text, MsgButtons::YesNo, MsgIcon::Exclamation) == IDYES) flag = 0;
}

bool CVemoWinView::QuantityGiven(int value, const std::string& row) {
    if (!IsUnset(value)) return true;
    AfxMessageBox(vemo::FillText(apptext::kQuantityEmpty, {row}), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

// ---------------------------------------------------------------------------------------------
// Workers

int CVemoWinView::SetKeisanKubun() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const CBukakeShubetsu* shubetsu = Bukake().FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
    if (!shubetsu) return 2;
    CKeisanKubunDlg dialog(this);
    dialog.SetDetail(shubetsu->GetDetail());
    dialog.SetItem(*item);
    if (!Accepted(dialog.DoModal())) return 2;
    item->Copy(dialog.GetItem());
    AskEdited(item->m_bNameLowerEdited, apptext::kNameLowerEditedPrompt);
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetSuryo() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const CBukakeShubetsu* shubetsu = Bukake().FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
    CNumberInputDlg dialog(this);
    dialog.SetMode(kModeQuantity);
    dialog.SetValue(item->m_nQuantity);
    if (shubetsu) {
        const std::string& unit = shubetsu->GetDetail().m_unit;
        if (!unit.empty() && !IsLumpUnit(unit)) dialog.SetUnit(QString::fromStdString(unit));
    }
    if (!Accepted(dialog.DoModal()) || !QuantityGiven(dialog.GetValue(), item->m_strNameUpper)) return 2;
    if (shubetsu) item->m_strUnit = shubetsu->GetDetail().m_unit;
    item->m_bAmountEntered = 0;
    item->m_nQuantity = dialog.GetValue();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetJuryo() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const CBukakeFile& bukake = Bukake();
    const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
    const bool multiply = shubetsu && shubetsu->GetDetail().m_bukakeType == kMultiplyType;
    CNumberInputDlg dialog(this);
    dialog.SetMode(multiply ? kModeMultiply : kModeWeight);
    dialog.SetValue(item->m_nWeightAverage);
    if (!Accepted(dialog.DoModal())) return 2;
    AskEdited(item->m_bNameLowerEdited, apptext::kNameLowerEditedPrompt);
    const int factor = dialog.GetValue();
    item->m_nWeightAverage = factor;
    if (multiply && factor > 0) {
        // The rows after a 工種 total row, up to the next one or the end of the 工種, are
        // multiplied; a result beyond the quantity field leaves the row's quantity as it was.
        const CSekisanItemList& list = *GetItemList();
        for (int i = GetCurrentRow() + 1; i < list.GetCount(); ++i) {
            CSekisanItem* row = list.GetItem(i);
            if (!row || row->m_nGyomu != item->m_nGyomu || row->m_nKoshu != item->m_nKoshu) break;
            const CBukakeShubetsu* rowShubetsu = bukake.FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu);
            if (!rowShubetsu || rowShubetsu->GetDetail().m_bukakeType == kMultiplyType) break;
            if (row->m_nQuantity <= 0) continue;
            const int64_t product = int64_t{row->m_nQuantity} * factor / 1000;
            if (product <= std::numeric_limits<int32_t>::max()) row->m_nQuantity = static_cast<int32_t>(product);
        }
    }
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetDaikaNo() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const std::string name = m_app.GetDaikaName();
    CDaikaNoDlg dialog(this);
    dialog.SetNumber(item->m_nDaikaNo);
    dialog.SetTitle(QString::fromStdString(name.empty() ? std::string(estimate_texts::DefaultDaikaName) : name));
    if (!Accepted(dialog.DoModal())) return 2;
    AskEdited(item->m_bKeepRemarkLower, apptext::kRemarkLowerEditedPrompt);
    m_app.SetDaikaName(dialog.GetTitle().toStdString());
    // A 連続割付 request (number + 1000) is stored as it comes: the recalculation numbers the rows.
    item->m_nDaikaNo = dialog.GetNumber();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetTani() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    CTaniInputDlg dialog(this);
    dialog.SetUnit(QString::fromStdString(item->m_strUnit));
    if (!Accepted(dialog.DoModal())) return 2;
    item->m_strUnit = dialog.GetUnit().toStdString();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetTanka() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    CNumberInputDlg dialog(this);
    dialog.SetMode(kModeUnitPrice);
    dialog.SetValue(item->m_nUnitPrice);
    if (!Accepted(dialog.DoModal())) return 2;
    item->m_nUnitPrice = dialog.GetValue();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetKingaku() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    const int b = item->m_nGyomu;
    const int k = item->m_nKoshu;

    // Rows priced by unit, quantity and unit price take those three instead.
    bool unitFirst = b == Gyomu::Sonota;
    if (IsUnset(item->m_nShubetsu) && (IsSpecialKoshu(k) || IsTailKoshu(k)) && k != Koshu::DensiRow)
        unitFirst = !(IsZairyohiRow(b, k) || IsDensiKoshuOf(b, k));
    if (unitFirst) {
        SetTani();
        SetSuryo();
        SetTanka();
        RefillGrid();
        return 2;
    }

    Input input(*this);
    CNumberInputDlg dialog(this);
    const int mode = HasComputedAmount(b, k) ? kModeComputedAmount : k == Koshu::Nebiki ? kModeAdjustment : kModeAmount;
    dialog.SetMode(mode);
    if (mode == kModeComputedAmount) dialog.SetManual(item->m_bAmountEntered);
    const int amount = item->m_nAmount;
    // An unset amount opens the dialog empty.
    dialog.SetValue(mode == kModeAdjustment ? Negated(amount) : IsUnset(amount) ? kUnset : std::abs(amount));
    if (!Accepted(dialog.DoModal())) return 2;

    const bool byHand = !(mode == kModeComputedAmount && dialog.GetAuto() == 1);
    if (byHand) {
        const int value = dialog.GetValue();
        item->m_bAmountEntered = 1;
        if (b == Gyomu::Nebiki || k == Koshu::Nebiki) {
            // The adjustment: a negative entry adds (a lump of 1.000 式), a positive one discounts.
            const bool adds = !IsUnset(value) && value < 0;
            item->m_strUnit = adds ? txt::UnitShiki : "";
            item->m_nQuantity = adds ? 1000 : kUnset;
            item->m_nAmount = Negated(value);
        } else {
            item->m_strUnit = txt::UnitShiki;
            item->m_nQuantity = 1000;
            item->m_nAmount = value;
        }
        // The recalculation takes a typed amount from the amount copy (on 916, 93 and 94 it is
        // also the amount before the rounding); a copy left by an earlier calculation would
        // replace what was typed.
        item->m_nAmount2 = item->m_nAmount;
        item->m_nUnitPrice = kUnset;
        item->m_strRemarkUpper.clear();
        item->m_strRemarkLower.clear();
        AskEdited(item->m_bKeepRemarkUpper, apptext::kRemarkUpperEditedPrompt);
        AskEdited(item->m_bKeepRemarkLower, apptext::kRemarkLowerEditedPrompt);
    } else {
        item->m_bAmountEntered = 0;
    }
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetRitsu() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const int b = item->m_nGyomu;
    const int k = item->m_nKoshu;

    int mode = kModeRate;
    bool yearChoice = false;
    if (IsOneOf(k, {Koshu::Shokeihi, Koshu::GijutsuKeihi})) {
        if ((IsSokuryoGyomu(b) || b == Gyomu::DoshitsuIppan) && k == Koshu::Shokeihi) {
            mode = b == Gyomu::DoshitsuIppan ? kModeOverheadRate4 : kModeOverheadRate;
            yearChoice = true;
        } else {
            mode = kModeComputedRate;
        }
    } else if (k == Koshu::RateWithDensi && IsSokuryoGyomu(b)) {
        mode = kModeRateTable;
    } else if (IsOneOf(k, {Koshu::SonotaGenka, Koshu::IppanKanrihi})) {
        yearChoice = k == Koshu::IppanKanrihi && IsLabourSplitGyomu(b);
        mode = yearChoice ? kModeOverheadRate : kModeComputedRate;
    } else if (IsDensiRateRow(b, k)) {
        mode = kModeComputedRate;
    }

    CNumberInputDlg dialog(this);
    dialog.SetMode(mode);
    if (yearChoice) {
        dialog.SetKoshuCode(k);
        if (!IsUnset(item->m_nYearCode)) dialog.SetYearCode(item->m_nYearCode);
    }
    int value = item->m_nRate;
    if (IsUnset(value))
        value = RateFromRemark(item->m_strRemarkUpper);
    else
        dialog.SetManual(1);
    dialog.SetValue(value);
    if (!Accepted(dialog.DoModal())) return 2;

    AskEdited(item->m_bKeepRemarkUpper, apptext::kRemarkUpperEditedPrompt);
    const bool automatic = dialog.GetAuto() == 1;
    std::string& lower = item->m_strRemarkLower;
    int& keepLower = item->m_bKeepRemarkLower;
    if (IsOneOf(k, {Koshu::Shokeihi, Koshu::GijutsuKeihi}) && automatic) {
        if (mode == kModeOverheadRate || mode == kModeOverheadRate4) {
            item->m_nYearCode = dialog.GetYearCode();
            if (const char* text = OverheadYearText(mode, item->m_nYearCode)) {
                lower = text;
                keepLower = 1;
            } else if (keepLower == 1) {
                keepLower = 0;
                lower.clear();
            }
        }
        item->m_nRate = kUnset;
    } else if (IsOneOf(k, {Koshu::SonotaGenka, Koshu::IppanKanrihi}) && automatic) {
        if (mode == kModeOverheadRate) {
            item->m_nYearCode = dialog.GetYearCode();
            if (item->m_nYearCode == kYearH26OrEarlier && keepLower == 0 && lower.empty()) {
                lower = txt::IppanRateH26;
                keepLower = 1;
            } else if (item->m_nYearCode != kYearH26OrEarlier && keepLower == 1 && lower == txt::IppanRateH26) {
                lower.clear();
                keepLower = 0;
            }
        }
        item->m_nRate = kUnset;
    } else {
        const bool computed = automatic && IsDensiRateRow(b, k);
        item->m_nRate = computed ? kUnset : dialog.GetValue();
        // A fiscal-year table named in the lower 摘要 no longer applies to a typed rate.
        if (keepLower == 1) {
            bool named = false;
            if (mode == kModeOverheadRate)
                named = lower == txt::ShokeihiRateH26 || lower == txt::IppanRateH26;
            else if (mode == kModeOverheadRate4)
                for (int year = 0; year < 4; ++year)
                    named = named || lower == OverheadYearText(mode, kYearH26OrEarlier + year);
            if (named) {
                lower.clear();
                keepLower = 0;
            }
        }
    }
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetMarume() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    CMarumeSettingDlg dialog(this);
    dialog.SetChoiceCount(GetSekisanData()->GetMarumeChoiceCount(item->m_nGyomu));
    dialog.SetChoice(item->m_nRounding);
    if (!Accepted(dialog.DoModal())) return 2;
    item->m_nRounding = dialog.GetChoice();
    if (!input.Commit(item->m_nGyomu, GetCurrentRow())) return 2;
    RefillGrid();
    return 1;
}

int CVemoWinView::SetAnzenhiRitsu() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    const int b = item->m_nGyomu;
    CNumberInputDlg dialog(this);
    dialog.SetMode(b == Gyomu::Sekkei ? kModeRateTable2 : b == Gyomu::DoshitsuIppan ? kModeRateTable4 : kModeRateTable);

    // On a 工種 71 row the rate is that of the 業務's 種別 rows and 安全費 rows (工種 69, 690..699).
    std::vector<CSekisanItem*> targets;
    if (item->m_nKoshu == Koshu::ExtraRateA && HasExtraRateAGyomu(b)) {
        const CSekisanItemList& list = *GetItemList();
        for (int i = 0; i < list.GetCount(); ++i) {
            CSekisanItem* row = list.GetItem(i);
            if (row && row->m_nGyomu == b &&
                (row->GetLevel() == 2 || IsLumpKoshu(row->m_nKoshu)))
                targets.push_back(row);
        }
    }
    int value = kUnset;
    if (item->m_nKoshu == Koshu::ExtraRateA) {
        bool differ = false;
        for (const CSekisanItem* row : targets) {
            if (row->m_nExtraRate <= 0) continue;
            if (IsUnset(value))
                value = row->m_nExtraRate;
            else if (value != row->m_nExtraRate)
                differ = true;
        }
        if (differ) value = kUnset;
    } else {
        value = item->m_nExtraRate;
    }
    dialog.SetValue(value);
    if (!Accepted(dialog.DoModal())) return 2;
    if (item->m_nKoshu == Koshu::ExtraRateA)
        for (CSekisanItem* row : targets) row->m_nExtraRate = dialog.GetValue();
    else
        item->m_nExtraRate = dialog.GetValue();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SelectProgramKingaku() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    Input input(*this);
    CProgramKingakuSelectDlg dialog(this);
    dialog.SetProgramKingakuFile(m_app.Store().GetProgramKingakuFile());
    dialog.SetCode(item->m_nYearCode);
    if (!Accepted(dialog.DoModal())) return 2;
    item->m_nYearCode = dialog.GetCode();
    return input.Commit(item->m_nGyomu, GetCurrentRow()) ? 1 : 2;
}

int CVemoWinView::SetIkkatsu() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    const int b = item->m_nGyomu;
    CIkkatsuSettingDlg dialog(this);
    dialog.SetMode(IsSekkeiGyomu(b)        ? CIkkatsuSettingDlg::kDenshi
                   : b == Gyomu::Bukken ? CIkkatsuSettingDlg::kZairyo
                                        : CIkkatsuSettingDlg::kSeido);
    if (!Accepted(dialog.DoModal())) return 2;
    const int flag = dialog.GetChoice() == 0 ? 1 : 0;
    const bool wholeGyomu = item->GetLevel() == 0;
    const CSekisanItemList& list = *GetItemList();
    for (int i = GetCurrentRow() + 1; i < list.GetCount(); ++i) {
        CSekisanItem* row = list.GetItem(i);
        if (!row || (wholeGyomu ? row->m_nGyomu != b : row->m_nKoshu != item->m_nKoshu)) break;
        row->m_bSpecialExpense = flag;
    }
    return 1;
}

int CVemoWinView::SetChokusetsuKeihiIkkatsu(int scope) {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return 2;
    CIkkatsuSettingDlg dialog(this);
    dialog.SetMode(CIkkatsuSettingDlg::kChokusetsuKeihi);
    if (!Accepted(dialog.DoModal())) return 2;
    const int code = dialog.GetChoice() == 0 ? kYearInGenka : kYearNotInGenka;
    const CSekisanItemList& list = *GetItemList();
    // Scope 0 is the whole 業務 of the row (from its 業務 row); scope 1 the rows after the 工種
    // row with its code.
    int first = GetCurrentRow() + 1;
    if (scope == 0) {
        const int gyomuRow = list.FindGyomu(item->m_nGyomu);
        first = gyomuRow >= 0 && gyomuRow < GetCurrentRow() ? gyomuRow : GetCurrentRow();
    }
    for (int i = first; i < list.GetCount(); ++i) {
        CSekisanItem* row = list.GetItem(i);
        if (!row || row->m_nGyomu != item->m_nGyomu || (scope == 1 && row->m_nKoshu != item->m_nKoshu)) break;
        if (IsChokusetsuKeihiRow(*row)) row->m_nYearCode = code;
    }
    return 1;
}

int CVemoWinView::SelectTanka() {
    ChangeMark mark(*this);
    CSekisanItemList* list = GetItemList();
    const CTankaFile& tanka = m_app.Store().GetTankaFile();
    CTankaSettingDlg dialog(this);
    dialog.SetTankaFile(tanka);
    dialog.SetTankaNo(list->m_nTankaColumn);
    if (!Accepted(dialog.DoModal())) return 2;
    const int column = dialog.GetTankaNo();
    list->m_nTankaColumn = column;
    const auto& titles = tanka.m_columnTitles;
    ShowTankaSetName(column >= 0 && column < static_cast<int>(titles.size()) ? titles[static_cast<size_t>(column)]
                                                                             : std::string());
    RecalculateAll();
    RefillGrid();
    return 1;
}

int CVemoWinView::SetZairyoTanka() {
    ChangeMark mark(*this);
    CSekisanItemList* list = GetItemList();
    if (!m_app.SelectZairyoTankaFile(list->m_strZairyoFile)) return 2;
    CMasterDataStore& store = m_app.Store();
    list->m_strZairyoFile = store.GetZairyoTankaPath();
    if (CEstimateCalcContext* context = GetDocument()->CalcContext()) context->ZairyoTanka() = store.GetZairyoTankaFile();
    ShowZairyoName(store.GetZairyoTankaFile().m_title);
    RecalculateAll();
    RefillGrid();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Handlers

void CVemoWinView::OnKeisanKubun() {
    if (SetKeisanKubun() == 1) RefillGrid();
}

void CVemoWinView::OnSuryo() {
    if (SetSuryo() == 1) RefillGrid();
}

void CVemoWinView::OnInsatsuUmu() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return;
    Input input(*this);
    AskEdited(item->m_bKeepRemarkLower, apptext::kRemarkLowerEditedPrompt);
    item->m_bNoPrint = item->m_bNoPrint ? 0 : 1;
    // The switch is stored with the estimate: closing asks to save it.
    if (input.Commit(item->m_nGyomu, GetCurrentRow())) RefillGrid();
}

void CVemoWinView::OnKoshuKei() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return;
    Input input(*this);
    item->m_bSummary = item->m_bSummary ? 0 : 1;
    if (input.Commit(item->m_nGyomu, GetCurrentRow())) RefillGrid();
}

void CVemoWinView::OnJuryo() {
    if (SetJuryo() == 1) RefillGrid();
}

void CVemoWinView::OnDaikaNo() {
    if (SetDaikaNo() == 1) RefillGrid();
}

void CVemoWinView::OnTani() {
    if (SetTani() == 1) RefillGrid();
}

void CVemoWinView::OnKingaku() {
    if (SetKingaku() == 1) RefillGrid();
}

void CVemoWinView::OnRitsu() {
    if (SetRitsu() == 1) RefillGrid();
}

void CVemoWinView::OnMarume() {
    if (SetMarume() == 1) RefillGrid();
}

void CVemoWinView::ToggleSpecialExpense() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return;
    Input input(*this);
    const int level = item->GetLevel();
    if (level == 2) {
        AskEdited(item->m_bKeepRemarkUpper, apptext::kRemarkUpperEditedPrompt);
        item->m_bSpecialExpense = item->m_bSpecialExpense == 1 ? 0 : 1;
    } else if (level == 0 || level == 1) {
        if (SetIkkatsu() != 1) return;
    } else {
        return;
    }
    if (input.Commit(item->m_nGyomu, GetCurrentRow())) RefillGrid();
}

void CVemoWinView::OnSeido() { ToggleSpecialExpense(); }

void CVemoWinView::OnDenshi() {
    ToggleSpecialExpense();
    ShowAnzenhiRate();
}

void CVemoWinView::OnProgramKingaku() {
    CSekisanItem* item = GetItemAt(GetCurrentRow());
    if (!item) return;
    if (!IsChokusetsuKeihiRow(*item)) {
        if (HasAnzenhiGyomu(item->m_nGyomu)) {
            if (SetAnzenhiRitsu() == 1) RefillGrid();
            ShowAnzenhiRate();
        } else if (SelectProgramKingaku() == 1) {
            RefillGrid();
        }
        return;
    }
    Input input(*this);
    const CSekisanItem* next = GetItemAt(GetCurrentRow() + 1);
    if (item->m_nKoshu == Koshu::ChokusetsuKeihi) {
        if (SetChokusetsuKeihiIkkatsu(0) != 1) return;
    } else if (item->GetLevel() == 1 && next && next->m_nKoshu == item->m_nKoshu) {
        if (SetChokusetsuKeihiIkkatsu(1) != 1) return;
    } else {
        AskEdited(item->m_bKeepRemarkLower, apptext::kRemarkLowerEditedPrompt);
        item->m_nYearCode = item->m_nYearCode == kYearNotInGenka ? kYearInGenka : kYearNotInGenka;
    }
    if (input.Commit(item->m_nGyomu, GetCurrentRow())) RefillGrid();
}

void CVemoWinView::OnTankaSelect() { SelectTanka(); }

void CVemoWinView::OnZairyoTankaSetting() { SetZairyoTanka(); }
