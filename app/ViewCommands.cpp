// The estimate view's commands on the tree of rows: delete, name and 摘要 editing, recalculation
// and the row moves.
#include <QString>
#include <memory>
#include <vector>

#include "app/CommandIds.h"
#include "app/VemoWinApp.h"
#include "app/VemoWinView.h"
#include "app/ViewTexts.h"
#include "dialogkit/TitleEditDlg.h"
#include "estimate/CalcCodes.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "platform/Host.h"

using namespace vemo::view;
using namespace calc;

namespace {

// What a move carries: a 業務 row with its 工種 and 種別 rows, a 工種 row with its 種別 rows, a
// 工種 90 row alone or a 種別 row alone. A row without a 業務 code does not move.
enum class MoveKind { None, Gyomu, Koshu, Koshu90, Shubetsu };

MoveKind KindOf(const CSekisanItem& item) {
    if (IsUnset(item.m_nGyomu)) return MoveKind::None;
    if (!IsUnset(item.m_nShubetsu)) return MoveKind::Shubetsu;
    if (!IsUnset(item.m_nKoshu)) return item.m_nKoshu == Koshu::ChokusetsuhiKei ? MoveKind::Koshu90 : MoveKind::Koshu;
    return MoveKind::Gyomu;
}

// 業務 and 工種 rows of these codes (the summary and overhead rows) keep their places: the fixed rows
// after 直接費計, among them the 業務 total rows, and the 電子計算機使用料 row.
bool IsFixedCode(int code) {
    return (IsFixedKoshu(code) && code > Koshu::ChokusetsuhiKei) || code == Koshu::DensiRow;
}

bool IsFixed(const CSekisanItem& item, MoveKind kind) {
    return (kind == MoveKind::Gyomu && IsFixedCode(item.m_nGyomu)) ||
           (kind == MoveKind::Koshu && IsFixedCode(item.m_nKoshu));
}

// The 工種 code groups (KoshuGroup) keep their order within a 業務: a 工種 of one group stays below
// the rows of the groups before and above those of the groups after.

// A 工種 of the group may not move up to just below a row of this 工種 code: a row of an earlier
// group, one without a 工種 code, or the fixed row that closes the group before.
bool BlocksMoveUp(int group, int above) {
    const int aboveGroup = KoshuCodeGroup(above);
    const bool earlier = above < kFirstKoshuCode || (aboveGroup != KoshuGroup::None && aboveGroup < group);
    switch (group) {
        case KoshuGroup::Rated: return earlier || above == Koshu::ChokusetsuhiKei;
        case KoshuGroup::Tail: return earlier || above == Koshu::ChokusetsuJinkenhi;
        default: return false;
    }
}

// A 工種 of the group may not move down past a row of this 工種 code: a row of a later group or a
// fixed two-digit row (the tail group only past 諸経費 and the rows after it).
bool BlocksMoveDown(int group, int koshu) {
    switch (group) {
        case KoshuGroup::Priced:
        case KoshuGroup::Rated: return KoshuCodeGroup(koshu) > group || IsFixedKoshu(koshu);
        case KoshuGroup::Tail: return IsFixedKoshu(koshu) && koshu >= Koshu::Shokeihi;
        default: return false;
    }
}

bool IsGyomuRow(const CSekisanItem& item) { return IsUnset(item.m_nKoshu) && IsUnset(item.m_nShubetsu); }

}  // namespace

void CVemoWinView::RegisterCommands() {
    OnCommand(cmd::EditClear, [this] { OnEditClear(); }, [this](CCmdUI& ui) { OnUpdateEditClear(ui); });
    OnCommand(cmd::NameEdit, [this] { OnNameEdit(); }, [this](CCmdUI& ui) { OnUpdateNameEdit(ui); });
    OnCommand(cmd::TekiyoEdit, [this] { OnTekiyoEdit(); }, [this](CCmdUI& ui) { OnUpdateTekiyoEdit(ui); });
    OnCommand(cmd::Recalc, [this] { OnRecalc(); }, [this](CCmdUI& ui) { OnUpdateRecalc(ui); });
    OnCommand(cmd::MoveUp, [this] { OnMoveUp(); }, [this](CCmdUI& ui) { OnUpdateMoveUp(ui); });
    OnCommand(cmd::MoveDown, [this] { OnMoveDown(); }, [this](CCmdUI& ui) { OnUpdateMoveDown(ui); });
}

void CVemoWinView::OnUpdateRecalc(CCmdUI& ui) const { ui.enabled = GetItemList()->GetCount() > 0; }

// ---------------------------------------------------------------------------------------------
// Delete

int CVemoWinView::SubtreeSize(int index) const {
    const CSekisanItemList* list = GetItemList();
    const CSekisanItem* node = list->GetItem(index);
    if (!node) return 0;
    const int level = node->GetLevel();
    int end = index + 1;
    for (; end < list->GetCount(); ++end) {
        const CSekisanItem* row = list->GetItem(end);
        // A 業務 holds every row up to the next 業務 row; a 工種 the 種別 rows of its codes that
        // follow it. Rows of the same codes further down belong to another node.
        const bool inside = level == 0   ? row->GetLevel() != 0
                            : level == 1 ? row->GetLevel() == 2 && row->m_nGyomu == node->m_nGyomu &&
                                               row->m_nKoshu == node->m_nKoshu
                                         : false;
        if (!inside) break;
    }
    return end - index - 1;
}

void CVemoWinView::OnEditClear() {
    const CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return;
    const int level = item->GetLevel();
    if (level < 0 || level > 2) return;
    if (Host().MessageBox(MsgDeleteNode(level), kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) != IDYES)
        return;
    ChangeMark mark(*this);
    const int count = SubtreeSize(m_currentRow) + 1;
    CSekisanItemList* list = GetItemList();
    for (int i = 0; i < count; ++i) list->RemoveItem(m_currentRow);
    RecalculateAll();
    RefillGrid();
    // The current row now holds the node that followed, or the one before at the end.
    ShowAnzenhiRate();
}

// ---------------------------------------------------------------------------------------------
// Name and 摘要

void CVemoWinView::OnNameEdit() { EditRowTexts(CTitleEditDlg::ItemName); }

void CVemoWinView::OnTekiyoEdit() { EditRowTexts(CTitleEditDlg::Remark); }

void CVemoWinView::EditRowTexts(int mode) {
    CSekisanItem* item = GetItemAt(m_currentRow);
    if (!item) return;
    const bool name = mode == CTitleEditDlg::ItemName;
    std::string& upper = name ? item->m_strNameUpper : item->m_strRemarkUpper;
    std::string& lower = name ? item->m_strNameLower : item->m_strRemarkLower;
    int32_t& upperEdited = name ? item->m_bNameUpperEdited : item->m_bKeepRemarkUpper;
    int32_t& lowerEdited = name ? item->m_bNameLowerEdited : item->m_bKeepRemarkLower;

    ChangeMark mark(*this);
    CTitleEditDlg dialog(this);
    dialog.SetMode(mode);
    dialog.SetTitles(QString::fromStdString(upper), QString::fromStdString(lower));
    if (dialog.DoModal() != IDOK) return;
    QString newUpper, newLower;
    dialog.GetTitles(&newUpper, &newLower);
    // Only a changed line counts as the user's: the automatic texts may still replace the other.
    if (newUpper.toStdString() != upper) {
        upper = newUpper.toStdString();
        upperEdited = 1;
    }
    if (newLower.toStdString() != lower) {
        lower = newLower.toStdString();
        lowerEdited = 1;
        // A typed lower 摘要 replaces the 代価 number that the automatic 摘要 showed there.
        if (!name) item->m_nDaikaNo = kUnset;
    }
    RefillGrid();
}

// ---------------------------------------------------------------------------------------------
// Recalculation

void CVemoWinView::OnRecalc() {
    ChangeMark mark(*this);
    RecalculateAll();
    RefillGrid();
    ShowAnzenhiRate();
}

// ---------------------------------------------------------------------------------------------
// Row moves

void CVemoWinView::MoveRows(int from, int n, int to) {
    ChangeMark mark(*this);
    CSekisanItemList* list = GetItemList();
    std::vector<std::unique_ptr<CSekisanItem>> block;
    for (int i = 0; i < n; ++i) block.push_back(list->RemoveItem(from));
    for (int i = 0; i < n; ++i) list->InsertItem(to + i, std::move(block[static_cast<size_t>(i)]));
    SelectRow(to + 1);
    RefillGrid();
}

void CVemoWinView::OnMoveUp() {
    const CSekisanItemList* list = GetItemList();
    const int cur = m_currentRow;
    const CSekisanItem* item = GetItemAt(cur);
    if (!item) return;
    const MoveKind kind = KindOf(*item);
    if (kind == MoveKind::None || IsFixed(*item, kind)) return;
    const CSekisanItem* above = GetItemAt(cur - 1);
    const int count = list->GetCount();
    int n = 1, t = -1;
    switch (kind) {
        case MoveKind::Gyomu: {
            if (!above) return;
            while (cur + n < count && list->GetItem(cur + n)->m_nGyomu == item->m_nGyomu) ++n;
            // Above the previous 業務 row; without one there is nowhere to go.
            for (int i = cur - 1; i >= 0 && t < 0; --i)
                if (const CSekisanItem* row = list->GetItem(i); IsGyomuRow(*row) && row->m_nGyomu != item->m_nGyomu)
                    t = i;
            if (t < 0) return;
            break;
        }
        case MoveKind::Koshu: {
            // The first 工種 of its 業務 stays; a later group stays below an earlier one.
            if (!above || IsUnset(above->m_nKoshu) || BlocksMoveUp(KoshuCodeGroup(item->m_nKoshu), above->m_nKoshu))
                return;
            while (cur + n < count && list->GetItem(cur + n)->m_nKoshu == item->m_nKoshu) ++n;
            for (int i = cur - 1; i >= 0 && t < 0; --i)
                if (const CSekisanItem* row = list->GetItem(i);
                    IsUnset(row->m_nShubetsu) && (row->m_nGyomu != item->m_nGyomu || row->m_nKoshu != item->m_nKoshu))
                    t = i;
            // The previous 工種 row; reaching the 業務 row means the 工種 stands under a 工種 of its
            // own code, with which it moves as one.
            if (t < 0 || IsUnset(list->GetItem(t)->m_nKoshu)) return;
            break;
        }
        case MoveKind::Koshu90: {
            // Straight to the top of its 業務.
            if (!above || (IsGyomuRow(*above) && above->m_nGyomu == item->m_nGyomu)) return;
            for (int i = cur - 1; i >= 0 && t < 0; --i)
                if (const CSekisanItem* row = list->GetItem(i); IsGyomuRow(*row) && row->m_nGyomu == item->m_nGyomu)
                    t = i + 1;
            if (t < 0) return;
            break;
        }
        case MoveKind::Shubetsu:
            if (!above || IsUnset(above->m_nShubetsu)) return;
            t = cur - 1;
            break;
        case MoveKind::None: return;
    }
    MoveRows(cur, n, t);
}

void CVemoWinView::OnMoveDown() {
    const CSekisanItemList* list = GetItemList();
    const int cur = m_currentRow;
    const CSekisanItem* item = GetItemAt(cur);
    if (!item) return;
    const MoveKind kind = KindOf(*item);
    if (kind == MoveKind::None || IsFixed(*item, kind)) return;
    const int count = list->GetCount();
    if (cur >= count - 1) return;
    const CSekisanItem* below = list->GetItem(cur + 1);
    int n = 1, e = count;
    switch (kind) {
        case MoveKind::Gyomu: {
            // Below the next 業務 with its rows, unless that is a summary row.
            int s = cur + 1;
            while (s < count && !IsUnset(list->GetItem(s)->m_nKoshu)) ++s;
            if (s == count || IsTotalGyomu(list->GetItem(s)->m_nGyomu)) return;
            n = s - cur;
            for (int i = s + 1; i < count && e == count; ++i)
                if (const CSekisanItem* row = list->GetItem(i); IsGyomuRow(*row) && row->m_nGyomu != item->m_nGyomu)
                    e = i;
            break;
        }
        case MoveKind::Koshu: {
            // Past the next 工種 of the same 業務 and its 種別, unless its group must stay below.
            const int group = KoshuCodeGroup(item->m_nKoshu);
            int s = cur + 1;
            for (;; ++s) {
                if (s == count) return;
                const CSekisanItem* row = list->GetItem(s);
                if (IsUnset(row->m_nKoshu) || BlocksMoveDown(group, row->m_nKoshu) || row->m_nGyomu != item->m_nGyomu)
                    return;
                if (row->m_nKoshu != item->m_nKoshu) break;
            }
            n = s - cur;
            for (int i = s + 1; i < count && e == count; ++i)
                if (IsUnset(list->GetItem(i)->m_nShubetsu)) e = i;
            break;
        }
        case MoveKind::Koshu90: {
            // Down to the place the 歩掛 master gives 工種 90 among the 業務's 工種.
            const int k = below->m_nKoshu;
            if (below->m_nGyomu != item->m_nGyomu || KoshuCodeGroup(k) > KoshuGroup::Priced || IsFixedKoshu(k) ||
                IsFixedHighKoshu(k))
                return;
            const CBukakeGyomu* gyomu = Bukake().FindGyomu(item->m_nGyomu);
            if (!gyomu) return;
            const int p = gyomu->FindKoshuIndex(Koshu::ChokusetsuhiKei);
            e = cur + 1;
            while (e < count && list->GetItem(e)->m_nGyomu == item->m_nGyomu &&
                   gyomu->FindKoshuIndex(list->GetItem(e)->m_nKoshu) < p)
                ++e;
            break;
        }
        case MoveKind::Shubetsu:
            if (below->m_nGyomu != item->m_nGyomu || below->m_nKoshu != item->m_nKoshu) return;
            e = cur + 2;
            break;
        case MoveKind::None: return;
    }
    MoveRows(cur, n, e - n);
}
