#include "estimate/MovedRows.h"

#include <map>

#include "estimate/EstimateTexts.h"
#include "estimate/SekisanItemList.h"
#include "master/MasterTexts.h"
#include "platform/Cp932.h"
#include "platform/NumberText.h"
#include "platform/TextUtil.h"

namespace {

constexpr int kKoshuLevel = 1;
constexpr int kShubetsuLevel = 2;

// Names read from CP932 compare by their characters, whichever codes they were read from.
bool SameName(const std::string& a, const std::string& b) {
    return vemo::WithoutCp932CodeMarks(a) == vemo::WithoutCp932CodeMarks(b);
}

// Whether the row is the one the move is about.
enum class Verdict {
    otherEntry,  // not the moved entry: left alone
    repoint,     // the moved entry: takes its new code
    left,        // maybe the moved entry, maybe not (or it is gone): left as it is and listed
};

// held: the name of the entry the master now holds at the old code; null when it holds none.
Verdict Judge(const CSekisanItem& row, const BukakeMoveLine& move, const std::string* held) {
    if (row.m_bNameUpperEdited) return Verdict::left;
    if (!SameName(row.m_strNameUpper, move.name)) return Verdict::otherEntry;
    if (!move.Carried() || (held && SameName(*held, move.name))) return Verdict::left;
    return Verdict::repoint;
}

bool IsRowOf(const CSekisanItem& item, int level, const BukakeMoveLine& move) {
    return item.GetLevel() == level && item.m_nGyomu == move.gyomu && item.m_nKoshu == move.oldKoshu &&
           (level == kKoshuLevel || item.m_nShubetsu == move.oldShubetsu);
}

// The names of the 業務 row, the 工種 row and (on a 種別 row) the row itself that the row at index
// belongs to, joined by blanks; empty names are left out.
std::string RowNames(const CSekisanItemList& list, int index) {
    const CSekisanItem& row = *list.GetItem(index);
    std::vector<std::string> names{row.m_strNameUpper};
    int wanted = row.GetLevel() - 1;
    for (int i = index - 1; i >= 0 && wanted >= 0; --i) {
        const CSekisanItem* item = list.GetItem(i);
        if (!item || item->GetLevel() != wanted || item->m_nGyomu != row.m_nGyomu) continue;
        if (wanted == kKoshuLevel && item->m_nKoshu != row.m_nKoshu) continue;
        names.insert(names.begin(), item->m_strNameUpper);
        --wanted;
    }
    std::string joined;
    for (const std::string& n : names)
        if (!n.empty()) joined += (joined.empty() ? "" : " ") + n;
    return joined;
}

std::string RowLines(const std::vector<MovedRow>& rows) {
    std::string lines;
    for (const MovedRow& r : rows) {
        lines += r.names + mastertext::kFindingSeparator;
        lines += r.shubetsu ? mastertext::kShubetsuCodeBefore : mastertext::kKoshuCodeBefore;
        lines += vemo::FormatInt(r.oldCode);
        if (!IsUnset(r.newCode)) lines += mastertext::kKoshuCodeArrow + vemo::FormatInt(r.newCode);
        lines += "\n";
    }
    return lines;
}

}  // namespace

MovedRowsCheck RepointMovedRows(CSekisanItemList& list, const std::vector<BukakeMoveLine>& moves,
                                const CBukakeFile& master) {
    std::map<int, MovedRow> moved, left;  // by row index
    for (const BukakeMoveLine& move : moves) {
        const int level = move.IsShubetsu() ? kShubetsuLevel : kKoshuLevel;
        const std::string* held = nullptr;
        if (move.IsShubetsu()) {
            if (const CBukakeShubetsu* s = master.FindShubetsu(move.gyomu, move.oldKoshu, move.oldShubetsu))
                held = &s->m_name;
        } else if (const CBukakeKoshu* k = master.FindKoshu(move.gyomu, move.oldKoshu)) {
            held = &k->m_name;
        }
        const int32_t oldCode = move.IsShubetsu() ? move.oldShubetsu : move.oldKoshu;
        const int32_t newCode = move.IsShubetsu() ? move.newShubetsu : move.newKoshu;
        for (int i = 0; i < list.GetCount(); ++i) {
            CSekisanItem* row = list.GetItem(i);
            if (!row || !IsRowOf(*row, level, move)) continue;
            const Verdict verdict = Judge(*row, move, held);
            if (verdict == Verdict::otherEntry) continue;
            if (verdict == Verdict::left) {
                left.try_emplace(i, MovedRow{i, RowNames(list, i), move.IsShubetsu(), oldCode, kUnset});
                continue;
            }
            // A row moved before keeps the code it had before its first move.
            MovedRow& entry = moved.try_emplace(i, MovedRow{i, RowNames(list, i), move.IsShubetsu(), oldCode, kUnset})
                                  .first->second;
            entry.newCode = newCode;
            if (move.IsShubetsu()) {
                row->m_nShubetsu = newCode;
                continue;
            }
            row->m_nKoshu = newCode;
            // The 種別 rows under the 工種 row go with it.
            for (int j = i + 1; j < list.GetCount(); ++j) {
                CSekisanItem* sub = list.GetItem(j);
                if (!sub || sub->GetLevel() != kShubetsuLevel || sub->m_nGyomu != move.gyomu ||
                    sub->m_nKoshu != move.oldKoshu)
                    break;
                sub->m_nKoshu = newCode;
            }
        }
    }
    MovedRowsCheck check;
    for (auto& [index, row] : moved) check.moved.push_back(std::move(row));
    for (auto& [index, row] : left) check.left.push_back(std::move(row));
    return check;
}

std::string MovedRowsMessage(const MovedRowsCheck& check, const std::string& estimateName) {
    if (check.Empty()) return {};
    std::string text = vemo::FillText(estimate_texts::MsgMovedRowsChecked, {estimateName});
    if (!check.moved.empty()) text += estimate_texts::MsgMovedRowsRepointed + RowLines(check.moved);
    if (!check.left.empty()) text += estimate_texts::MsgMovedRowsLeft + RowLines(check.left);
    return text;
}
