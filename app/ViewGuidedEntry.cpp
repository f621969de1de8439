// The estimate view's change-rate setting (変化率設定) and the guided entry that leads new rows
// through the settings they still lack: the row activation after a click or an arrow key, the Enter
// key and the first steps of a new estimate.
#include <QDialog>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "estimate/CalcCodes.h"
#include "app/CommandIds.h"
#include "app/HenkaritsuSettingDlg.h"
#include "app/KenmeiDlg.h"
#include "app/ProgramKingakuSelectDlg.h"
#include "app/AppTexts.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinView.h"
#include "app/ViewTexts.h"
#include "dialogkit/InputDialogs.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "platform/Host.h"
#include "masteredit/MasterEditTexts.h"
#include "master/MasterTexts.h"

namespace {

using namespace calc;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }


// 歩掛 types: a 工種 total that multiplies the rows after it, and a row that only refers to others.
constexpr int kMultiplyType = 23;
constexpr int kReferenceType = 22;
// Calculation categories of which one only may be chosen.
constexpr int kSingleChoiceType = 3;
// The number dialog's mode for the guided quantity.
constexpr int kModeGuidedQuantity = 11;

constexpr int kKakeritsuSlot = CHenkaritsuSettingDlg::kKakeritsuSlot;
constexpr int kKakeritsuCode = CHenkaritsuSettingDlg::kKakeritsuCode;

// Rows whose 歩掛 takes the 掛率 as a ninth rate slot.
bool TakesKakeritsu(int type) { return IsOneOf(type, {0, 3, 4, 13}) || InRange(type, 27, 31); }

// Types whose quantity is not asked in a guided entry of several rows.
bool IsQuantityFree(int type) { return IsOneOf(type, {6, 9, 13}); }

// The 工種 where the guided entry is left to the user (業務 1 and 6, 工種 13).
bool IsGuidedExempt(int gyomu, int koshu) { return IsSokuryoGyomu(gyomu) && koshu == Koshu::Days; }

bool Accepted(int result) { return result == QDialog::Accepted; }

int Ask(const char* text, MsgButtons buttons, int defaultButton) {
    return Host().MessageBox(text, masteredittext::kConfirmCaption, buttons, MsgIcon::Exclamation, defaultButton);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Registration and the update rule

void CVemoWinView::RegisterGuidedEntryCommands() {
    OnCommand(cmd::Henkaritsu, [this] { OnHenkaritsu(); }, [this](CCmdUI& ui) { OnUpdateHenkaritsu(ui); });
}

void CVemoWinView::OnUpdateHenkaritsu(CCmdUI& ui) const {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (item && item->GetLevel() == 2) {
        const CBukakeShubetsu* s = Bukake().FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
        ui.enabled = !(s && s->GetDetail().m_bukakeType == kReferenceType);
        return;
    }
    ui.enabled = HasHenkaritsuTarget() != 0;
}

int CVemoWinView::HasHenkaritsuTarget() const {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item || IsUnset(item->m_nGyomu) || item->m_nGyomu > Gyomu::LastBusiness) return 0;
    const CHenkaritsuGyomu* group = m_app.Store().GetHenkaritsuFile().FindGyomu(item->m_nGyomu);
    if (!group || !group->HasRecord(kKakeritsuCode)) return 0;
    const int level = item->GetLevel();
    if (level != 0 && level != 1) return 0;
    const CSekisanItemList& list = *GetItemList();
    for (int i = m_currentRow + 1; i < list.GetCount(); ++i) {
        const CSekisanItem* row = list.GetItem(i);
        if (!row) break;
        if (level == 0 ? row->m_nGyomu != item->m_nGyomu : row->m_nKoshu != item->m_nKoshu) break;
        if (row->GetLevel() == 2) return 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Change rates

void CVemoWinView::MultiplyKakeritsu(CSekisanItem& item, int oldValue, int newValue) {
    // Both are ×10000: a hundredth of each keeps the product ×10000, truncated like the values.
    const int64_t product = int64_t{oldValue / 100} * int64_t{newValue / 100};
    if (product > std::numeric_limits<int32_t>::max() || product < std::numeric_limits<int32_t>::min() + 1) {
        item.m_nLL[kKakeritsuSlot] = oldValue;
        AfxMessageBox(std::string(mastertext::kNameOpen) + item.m_strNameUpper +
                          apptext::kKakeritsuOverflowClose,
                      MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    item.m_nLL[kKakeritsuSlot] = static_cast<int32_t>(product);
}

void CVemoWinView::OnHenkaritsu() {
    CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return;
    const CBukakeFile& bukake = Bukake();
    const CBukakeShubetsu* s = bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
    if (s && s->GetDetail().m_bukakeType == kMultiplyType) {
        // The rows this 工種 total multiplies: up to the next total or the end of the 工種.
        const CSekisanItemList& list = *GetItemList();
        int n = 0;
        for (int i = m_currentRow + 1; i < list.GetCount(); ++i) {
            const CSekisanItem* row = list.GetItem(i);
            if (!row || row->m_nGyomu != item->m_nGyomu || row->m_nKoshu != item->m_nKoshu) break;
            const CBukakeShubetsu* rs = bukake.FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu);
            if (!rs) return;
            if (rs->GetDetail().m_bukakeType == kMultiplyType) break;
            ++n;
        }
        if (n > 0) {
            const int gyomu = item->m_nGyomu;
            Input input(*this);
            SetHenkaritsuRange(m_currentRow + 1, n);
            if (input.Commit(gyomu, m_currentRow)) RefillGrid();
        }
        return;
    }
    if (SetHenkaritsu() == 1) RefillGrid();
}

int CVemoWinView::SetHenkaritsu() {
    CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 1;
    const CBukakeShubetsu* s = Bukake().FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
    if (!s) {
        if (item->GetLevel() == 0) {
            SetHenkaritsuIkkatsu();
            return 1;
        }
        if (item->GetLevel() != 1) return 1;
        // A 工種 row: the guided entry of its 種別 rows, with their quantity when one of them is
        // priced by quantity.
        const int m = GetItemList()->CountShubetsuOfKoshu(item->m_nGyomu, item->m_nKoshu);
        const CBukakeShubetsu* priced = nullptr;
        for (int i = 1; i <= m && !priced; ++i)
            if (const CSekisanItem* row = GetItemAt(m_currentRow + i))
                if (const CBukakeShubetsu* rs = Bukake().FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu);
                    rs && !IsLumpUnit(rs->GetDetail().m_unit))
                    priced = rs;
        const int askQuantity = priced && m > 0 && !IsQuantityFree(priced->GetDetail().m_bukakeType) ? 1 : 0;
        GuidedEntry(askQuantity, 0);
        return 1;
    }

    const CHenkaritsuGyomu* group = m_app.Store().GetHenkaritsuFile().FindGyomu(item->m_nGyomu);
    if (!group) return 1;
    const CBukakeDetail& detail = s->GetDetail();
    Input input(*this);
    const int slotCount = TakesKakeritsu(detail.m_bukakeType) ? CSekisanItem::kRateSlots : CSekisanItem::kRateSlots - 1;
    auto codeOf = [&](int slot) { return slot == kKakeritsuSlot ? kKakeritsuCode : detail.m_henkaritsu[static_cast<size_t>(slot)]; };
    // The slots the walk shows: those whose code the group has a record for. 戻る goes to the one
    // shown before; the first has none.
    std::vector<int> shown;
    for (int i = 0; i < slotCount; ++i)
        if (const int code = codeOf(i); !IsUnset(code) && group->FindRecord(code)) shown.push_back(i);
    int applyMode = 0;
    bool taken = false;
    size_t j = 0;
    while (j < shown.size()) {
        const int i = shown[j];
        const int code = codeOf(i);
        const CHenkaritsuRecord* record = group->FindRecord(code);
        // The row's 掛率 slot holds the code of its record before the dialog opens (a walk that takes
        // no slot is put back whole).
        if (i == kKakeritsuSlot) item->m_nRateCode[kKakeritsuSlot] = kKakeritsuCode;
        CSekisanItem copy;
        copy.Copy(*item);
        CHenkaritsuSettingDlg dialog(this);
        dialog.SetSlot(i);
        dialog.SetItem(copy);
        dialog.SetRecord(*record);
        if (code == kKakeritsuCode) dialog.SetApplyMode(applyMode);
        if (j == 0) dialog.SetBackEnabled(0);
        const int result = dialog.DoModal();
        if (Accepted(result)) {
            std::optional<int> kept;
            if (code == kKakeritsuCode) {
                applyMode = dialog.GetApplyMode();
                if (applyMode == 1 && !IsUnset(item->m_nLL[kKakeritsuSlot])) kept = item->m_nLL[kKakeritsuSlot];
            }
            const CSekisanItem& chosen = dialog.GetItem();
            if (code != kKakeritsuCode || chosen.m_nLL[kKakeritsuSlot] > 0) {
                const int newValue = chosen.m_nLL[kKakeritsuSlot];
                item->Copy(chosen);
                if (kept) MultiplyKakeritsu(*item, *kept, newValue);
                taken = true;
            }
            ++j;
        } else if (result == CHenkaritsuSettingDlg::kBack && j > 0) {
            if (code == kKakeritsuCode) applyMode = dialog.GetApplyMode();
            --j;
        } else {
            ++j;
        }
    }
    // Every slot cancelled: the row stays as it was.
    if (!taken) return 1;
    item->m_nWeightAverage = kUnset;
    AskEdited(item->m_bNameLowerEdited, apptext::kNameLowerEditedPrompt);
    input.Commit(item->m_nGyomu, m_currentRow);
    return 1;
}

int CVemoWinView::SetHenkaritsuIkkatsu() {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 2;
    Input input(*this);
    const int gyomu = item->m_nGyomu;
    const CBukakeFile& bukake = Bukake();
    auto typeOf = [&](const CSekisanItem& row) -> std::optional<int> {
        const CBukakeShubetsu* s = bukake.FindShubetsu(row.m_nGyomu, row.m_nKoshu, row.m_nShubetsu);
        return s ? std::optional<int>(s->GetDetail().m_bukakeType) : std::nullopt;
    };
    // Every 種別 row of the 業務 that takes a 掛率, however many.
    std::vector<CSekisanItem*> targets;
    const CSekisanItemList& list = *GetItemList();
    for (int i = m_currentRow + 1; i < list.GetCount(); ++i) {
        CSekisanItem* row = list.GetItem(i);
        if (!row || row->m_nGyomu != gyomu) break;
        if (row->GetLevel() != 2) continue;
        const std::optional<int> type = typeOf(*row);
        if (!type || !IsOneOf(*type, {kReferenceType, kMultiplyType})) targets.push_back(row);
    }
    const CHenkaritsuGyomu* group = m_app.Store().GetHenkaritsuFile().FindGyomu(gyomu);
    const CHenkaritsuRecord* record = group ? group->FindRecord(kKakeritsuCode) : nullptr;
    if (targets.empty() || !record) return 2;

    bool mixed = false;
    const int first = targets.front()->m_nLL[kKakeritsuSlot];
    for (const CSekisanItem* row : targets)
        if (row->m_nLL[kKakeritsuSlot] != first || IsUnset(first) || first < 0) mixed = true;
    CSekisanItem temp;
    temp.Copy(*targets.back());
    if (mixed) temp.m_nLL[kKakeritsuSlot] = kUnset;

    CHenkaritsuSettingDlg dialog(this);
    dialog.SetSlot(kKakeritsuSlot);
    dialog.SetItem(temp);
    dialog.SetRecord(*record);
    dialog.SetGroupMode(1);
    dialog.SetBackAsCancel(1);
    dialog.SetApplyMode(0);
    if (!Accepted(dialog.DoModal()) || dialog.GetKakeritsu() <= 0) return 2;
    const int applyMode = dialog.GetApplyMode();
    temp.Copy(dialog.GetItem());
    const int value = temp.m_nLL[kKakeritsuSlot];
    if (value >= 0) {
        for (CSekisanItem* row : targets) {
            const std::optional<int> type = typeOf(*row);
            if (!type || IsOneOf(*type, {kReferenceType, kMultiplyType})) continue;
            row->m_nRateCode[kKakeritsuSlot] = kKakeritsuCode;
            const int old = row->m_nLL[kKakeritsuSlot];
            // A row without a 掛率 of its own takes the new one as it is.
            if (applyMode == 1 && !IsUnset(old))
                MultiplyKakeritsu(*row, old, value);
            else
                row->m_nLL[kKakeritsuSlot] = value;
        }
    }
    input.Commit(gyomu, m_currentRow);
    return 1;
}

int CVemoWinView::SetHenkaritsuRange(int first, int n) {
    const CBukakeFile& bukake = Bukake();
    std::vector<CSekisanItem*> rows;
    std::vector<const CBukakeDetail*> details;
    for (int i = first; i < first + n; ++i) {
        CSekisanItem* row = GetItemAt(i);
        if (!row) continue;
        rows.push_back(row);
        const CBukakeShubetsu* s = bukake.FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu);
        details.push_back(s ? &s->GetDetail() : nullptr);
    }
    if (rows.empty()) return 2;
    const CHenkaritsuGyomu* group = m_app.Store().GetHenkaritsuFile().FindGyomu(rows.front()->m_nGyomu);
    if (!group) return 2;

    // The distinct rate codes of the rows, in the order they first appear, then the 掛率 when
    // every row takes one.
    std::vector<int> codes;
    bool all9 = true;
    for (const CBukakeDetail* detail : details) {
        if (!detail) continue;
        for (int code : detail->m_henkaritsu)
            if (!IsUnset(code) && std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
        if (!TakesKakeritsu(detail->m_bukakeType)) all9 = false;
    }
    if (all9) codes.push_back(kKakeritsuCode);

    // The steps of the walk: the codes the group has a record for. Each keeps the choice last
    // confirmed on it, so that 戻る opens the step as it was left; one not yet confirmed opens with
    // the record's default.
    struct Step {
        int code;
        const CHenkaritsuRecord* record;
        CSekisanItem choice;
    };
    std::vector<Step> steps;
    for (int code : codes) {
        const CHenkaritsuRecord* record = group->FindRecord(code);
        if (!record) continue;
        Step& step = steps.emplace_back(Step{code, record, {}});
        step.choice.m_nRateCode[0] = code;
        step.choice.m_nLL[0] = kUnset;
    }

    bool taken = false;
    size_t j = 0;
    while (j < steps.size()) {
        Step& step = steps[j];
        CHenkaritsuSettingDlg dialog(this);
        dialog.SetSlot(0);
        dialog.SetItem(step.choice);
        dialog.SetRecord(*step.record);
        if (j == 0) dialog.SetBackEnabled(0);
        const int result = dialog.DoModal();
        if (Accepted(result)) {
            step.choice.Copy(dialog.GetItem());
            const CSekisanItem& chosen = step.choice;
            for (CSekisanItem* row : rows) {
                if (step.code == kKakeritsuCode) {
                    row->m_nRateCode[kKakeritsuSlot] = kKakeritsuCode;
                    row->m_nLL[kKakeritsuSlot] = chosen.m_nLL[0];
                    continue;
                }
                for (int slot = 0; slot < kKakeritsuSlot; ++slot) {
                    if (row->m_nRateCode[static_cast<size_t>(slot)] != step.code) continue;
                    row->m_nRateCol[static_cast<size_t>(slot)] = chosen.m_nRateCol[0];
                    row->m_nRateRow[static_cast<size_t>(slot)] = chosen.m_nRateRow[0];
                    row->m_nLL[static_cast<size_t>(slot)] = chosen.m_nLL[0];
                }
            }
            taken = true;
            ++j;
        } else if (result == CHenkaritsuSettingDlg::kBack && j > 0) {
            // Back to the step the walk came from.
            --j;
        } else {
            ++j;
        }
    }
    return taken ? 1 : 2;
}

// ---------------------------------------------------------------------------------------------
// Guided entry

void CVemoWinView::PaintRows(int first, int n, COLORREF colour) {
    for (int i = first; i < first + n; ++i) m_grid->SetCellBackColor(-1, i + 1, colour);
}

int CVemoWinView::GuidedEntry(int askQuantity, int single) {
    const CSekisanItem* current = GetItemAt(m_currentRow);
    if (!current) return 0;
    const int gyomu = current->m_nGyomu;
    const CBukakeFile& bukake = Bukake();
    if (!bukake.FindGyomu(gyomu)) return 0;
    const int koshuRow = m_currentRow;
    Input input(*this);
    int first = m_currentRow, n = 1;
    if (single == 0) {
        n = GetItemList()->CountShubetsuOfKoshu(gyomu, current->m_nKoshu);
        first = m_currentRow + 1;
        SetCurrentRow(first);
    }
    auto entryOf = [&](int index) -> const CBukakeShubetsu* {
        const CSekisanItem* row = GetItemAt(index);
        return row ? bukake.FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu) : nullptr;
    };
    // A refill redraws the rows' own colours: the rows being worked on are painted again.
    auto refill = [&] {
        RefillGrid();
        PaintRows(first, n, kGuidedEntryBack);
    };
    PaintRows(first, n, kGuidedEntryBack);

    // Calculation categories.
    if (!IsDoshitsuGyomu(gyomu)) {
        bool singleChoice = false;
        for (int i = first; i < first + n; ++i)
            if (const CBukakeShubetsu* s = entryOf(i); s && s->GetDetail().m_bukakeType == kSingleChoiceType)
                singleChoice = true;
        const bool choose = singleChoice
                                ? Ask(apptext::kGuidedSingleChoiceNote, MsgButtons::Ok, 1) == IDOK
                                : Ask(apptext::kGuidedKeisanKubunQuestion, MsgButtons::YesNo, 2) == IDYES;
        if (choose) {
            for (int i = first; i < first + n; ++i) {
                const CBukakeShubetsu* s = entryOf(i);
                if (!s || s->GetDetail().GetNamedLineCount() == 0) continue;
                SetCurrentRow(i);
                if (SetKeisanKubun() == 1) refill();
            }
        }
    }

    // Change rates of the rows together.
    SetHenkaritsuRange(first, n);

    // Program amount: chosen once, for every row that asks for one.
    if (!TakesNoProgramKingaku(gyomu)) {
        int asking = -1;
        for (int i = first; i < first + n && asking < 0; ++i)
            if (const CBukakeShubetsu* s = entryOf(i); s && s->GetDetail().m_programKingaku != 0) asking = i;
        if (asking >= 0) {
            int code = kUnset;
            CProgramKingakuSelectDlg dialog(this);
            dialog.SetProgramKingakuFile(m_app.Store().GetProgramKingakuFile());
            if (Accepted(dialog.DoModal())) code = dialog.GetCode();
            for (int i = asking; i < first + n; ++i)
                if (const CBukakeShubetsu* s = entryOf(i); s && s->GetDetail().m_programKingaku != 0)
                    GetItemAt(i)->m_nYearCode = code;
        }
    }

    // Quantity: one for all the rows priced by quantity, or one for each.
    if (askQuantity == 1) {
        std::vector<int> priced;
        std::string unit, name;
        for (int i = first; i < first + n; ++i) {
            const CBukakeShubetsu* s = entryOf(i);
            if (!s) continue;
            const std::string& u = s->GetDetail().m_unit;
            if (u.empty() || IsLumpUnit(u)) continue;
            if (priced.empty()) {
                unit = u;
                name = s->m_name;
            } else if (u != unit) {
                unit.clear();
            }
            priced.push_back(i);
        }
        const bool each = priced.size() >= 2 && Ask(apptext::kGuidedSuryoEachQuestion, MsgButtons::YesNo, 2) == IDYES;
        auto titled = [](const std::string& shubetsu) {
            return QString::fromUtf8(mastertext::kNameOpen) + QString::fromStdString(shubetsu) +
                   QString::fromUtf8(apptext::kGuidedSuryoNameClose) + QString::fromUtf8(apptext::kGuidedSuryoTitleSuffix);
        };
        // The quantity each row takes; a cancelled dialog takes none.
        std::vector<std::optional<int>> quantities(static_cast<size_t>(n));
        if (!each) {
            CNumberInputDlg dialog(this);
            dialog.SetMode(kModeGuidedQuantity);
            dialog.SetCaption(priced.size() == 1 && !name.empty() ? titled(name)
                                                                  : QString::fromUtf8(apptext::kGuidedSuryoBulkTitle));
            dialog.SetUnit(QString::fromStdString(unit));
            if (Accepted(dialog.DoModal()) && QuantityGiven(dialog.GetValue(), GetItemAt(koshuRow)->m_strNameUpper))
                for (auto& q : quantities) q = dialog.GetValue();
        } else {
            for (int i : priced) {
                const CBukakeShubetsu* s = entryOf(i);
                CNumberInputDlg dialog(this);
                dialog.SetMode(kModeGuidedQuantity);
                dialog.SetCaption(titled(s->m_name));
                dialog.SetUnit(QString::fromStdString(s->GetDetail().m_unit));
                if (Accepted(dialog.DoModal()) && QuantityGiven(dialog.GetValue(), GetItemAt(i)->m_strNameUpper))
                    quantities[static_cast<size_t>(i - first)] = dialog.GetValue();
            }
        }
        for (int i = first; i < first + n; ++i) {
            const CBukakeShubetsu* s = entryOf(i);
            if (!s || IsOneOf(s->GetDetail().m_bukakeType, {kReferenceType, kMultiplyType})) continue;
            CSekisanItem& row = *GetItemAt(i);
            row.m_bAmountEntered = 0;
            row.m_strUnit = s->GetDetail().m_unit;
            if (IsLumpUnit(row.m_strUnit))
                row.m_nQuantity = 1000;
            else if (const std::optional<int>& q = quantities[static_cast<size_t>(i - first)])
                row.m_nQuantity = *q;
        }
    }

    input.Commit(gyomu, koshuRow);
    if (single == 0) {
        PaintRows(first, n, kRowBack);
        SelectRow(koshuRow + 1);
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Row activation

int CVemoWinView::OnRowActivation(int& out) {
    CSekisanItemList& list = *GetItemList();
    if (list.GetCount() == 0) {
        if (SelectGyomu() == 1) RefillGrid();
        if (list.GetCount() == 0 || !HasCurrentRow()) return 0;
        SetCurrentRow(0);
    }
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return 0;
    const int b = item->m_nGyomu;
    const int k = item->m_nKoshu;
    const CBukakeFile& bukake = Bukake();
    const CBukakeGyomu* gyomuEntry = bukake.FindGyomu(b);
    if (!gyomuEntry) return 0;
    const bool amountUnset = IsUnset(item->m_nAmount);
    // Rows priced by unit, quantity and unit price.
    auto priceByUnit = [this] {
        SetTani();
        SetSuryo();
        SetTanka();
        RefillGrid();
    };

    switch (item->GetLevel()) {
        case 0: {
            if (amountUnset) {
                if (b == Gyomu::Sonota || IsSpecialKoshu(k) || IsTailKoshu(k)) {
                    priceByUnit();
                    return 0;
                }
                if (b == Gyomu::Nebiki) {
                    if (SetKingaku() == 1) RefillGrid();
                    return 0;
                }
            }
            if (list.CountKoshuOfGyomu(b) == 0 && gyomuEntry->GetCount() > 0) {
                int koshu, shubetsu;
                if (SelectKoshu(koshu, shubetsu) != 1) return 0;
                RefillGrid();
                if (!IsUnset(koshu) && SelectKoshuRow(b, koshu)) {
                    out = shubetsu;
                    return 1;
                }
            }
            return 0;
        }
        case 1: {
            const CBukakeKoshu* koshuEntry = gyomuEntry->FindKoshu(k);
            if (!IsGuidedExempt(b, k) && amountUnset) {
                if (IsSpecialKoshu(k) || IsTailKoshu(k)) {
                    const bool computed = IsZairyohiRow(b, k) || IsDensiKoshuOf(b, k);
                    if (computed) return 0;
                    if (!koshuEntry || koshuEntry->GetCount() == 0) {
                        priceByUnit();
                        return 0;
                    }
                } else if (k == Koshu::Nebiki || IsLumpKoshu(k)) {
                    if (SetKingaku() == 1) RefillGrid();
                    return 0;
                }
            }
            // The 種別 of a 工種 that has none yet, then their guided entry.
            if (list.CountShubetsuOfKoshu(b, k) > 0 || !koshuEntry || koshuEntry->GetCount() == 0) return 0;
            if (SelectShubetsu(out) != 1) return 0;
            const int m = list.CountShubetsuOfKoshu(b, k);
            if (m < 1) return 0;
            RefillGrid();
            const CBukakeShubetsu* priced = nullptr;
            for (int i = 1; i <= m && !priced; ++i)
                if (const CSekisanItem* row = GetItemAt(m_currentRow + i))
                    if (const CBukakeShubetsu* s = bukake.FindShubetsu(row->m_nGyomu, row->m_nKoshu, row->m_nShubetsu);
                        s && !IsLumpUnit(s->GetDetail().m_unit))
                        priced = s;
            if (!IsGuidedExempt(b, k))
                GuidedEntry(priced && !IsQuantityFree(priced->GetDetail().m_bukakeType) ? 1 : 0, 0);
            RefillGrid();
            return 0;
        }
        case 2: {
            const CBukakeShubetsu* s = bukake.FindShubetsu(b, k, item->m_nShubetsu);
            if (!s) return 0;
            const CBukakeDetail& detail = s->GetDetail();
            int need = 0;
            if (item->m_nAmount == 0 && item->m_bAmountEntered == 0 && !detail.m_unit.empty()) {
                // A formula rate that needs LL and has none yet.
                const int weight = IsLumpUnit(detail.m_unit) ? 2 : 1;
                const CHenkaritsuGyomu* group = m_app.Store().GetHenkaritsuFile().FindGyomu(b);
                for (size_t slot = 0; slot < detail.m_henkaritsu.size(); ++slot) {
                    const int code = detail.m_henkaritsu[slot];
                    const CHenkaritsuRecord* record = IsUnset(code) || !group ? nullptr : group->FindRecord(code);
                    if (!record || record->m_mode != 1) continue;
                    QString formula = QString::fromStdString(record->m_formula).toUpper();
                    const bool usesLL = !IsUnset(record->m_llDefault) || formula.contains(QStringLiteral("LL"));
                    if (usesLL && IsUnset(item->m_nLL[slot])) need = weight;
                }
            }
            if (amountUnset && !IsLumpUnit(detail.m_unit)) need = 1;
            if (need != 0 && !IsGuidedExempt(b, k)) {
                const bool noQuantity = IsQuantityFree(detail.m_bukakeType) || need == 2;
                GuidedEntry(noQuantity ? 0 : 1, 1);
                RefillGrid();
            }
            return 0;
        }
        default: return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Enter and a new estimate

void CVemoWinView::OnEnterKey() {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return;
    switch (item->GetLevel()) {
        case 0:
            if (item->m_nGyomu <= Gyomu::LastBusiness) OnKoshuSelect();
            break;
        case 1:
            if (const CBukakeKoshu* koshu = Bukake().FindKoshu(item->m_nGyomu, item->m_nKoshu);
                koshu && koshu->GetCount() > 0)
                OnShubetsuSelect();
            break;
        case 2:
            if (item->m_bAmountEntered != 0 || !IsLumpUnit(item->m_strUnit)) OnSuryo();
            break;
        default: break;
    }
}

void CVemoWinView::OnNewEstimate() {
    CSekisanItemList* list = GetItemList();
    CMasterDataStore& store = m_app.Store();
    CKenmeiDlg dialog(this);
    dialog.SetMode(CKenmeiDlg::NewEstimate);
    dialog.SetHyoshiData(store.GetHyoshiData());
    if (ChangeMark mark(*this); Accepted(dialog.DoModal())) {
        dialog.GetHyoshiData(store.GetHyoshiData());
        store.SerializeHyoshiFile(1, nullptr, std::string());
        list->m_strPrintTitle = dialog.GetInsatsuHyodai();
        list->m_strKenmei = dialog.GetKenmei();
        list->m_strKashoName = dialog.GetKashomei();
        const auto orNone = [](const std::string& text) {
            return QString::fromStdString(text.empty() ? std::string(vemo::view::kNoHeaderText) : text);
        };
        SetKenmeiText(orNone(list->m_strKenmei));
        SetBashoText(orNone(list->m_strKashoName));
    }
    // The 業務 selection, and the 工種 selection of that 業務; a 工種 found by keyword search leads
    // on to its 種別.
    int out = -1;
    if (ActivateRow(out) == 1) OnRowActivation(out);
}
