// 歩掛 codes: the 工種 code categories, allocation of new codes, insertion in front of the anchor 工種,
// moves within a list, and the rewriting of references into the 変化率・補正率 and 単価 masters.
#include <vector>

#include "master/BukakeFile.h"
#include "master/MasterTexts.h"
#include "master/KoshuCategory.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "platform/TextUtil.h"

namespace {

// 測量 and 区画整理測量 give new special 工種 codes up to 845: the codes after it stay for rows of
// their own (Koshu::SeidoRow among them).
constexpr int32_t kSokuryoLastNewSpecialKoshu = 845;

std::string WithCount(const char* before, int count, const char* after) {
    return before + vemo::FormatInt(count) + after;
}

}  // namespace

int CBukakeKoshu::CodeCategory(int32_t code) { return KoshuCodeCategory(code); }

int CBukakeKoshu::CategoryGroup(int category) { return KoshuCategoryGroup(category); }

KoshuCodeRange CBukakeGyomu::NewKoshuCodeRange(int category) const {
    KoshuCodeRange r{0, 0};
    if (category >= 0 && category < kKoshuCategoryCount) {
        // New codes are three-digit codes of the category.
        r = kKoshuCategoryRanges[category][1];
        if (category == KoshuCategory::Priced && m_code == Gyomu::Sekkei) r.low = kSekkeiShippedKoshu.high + 1;
        if (category == KoshuCategory::Special && IsSokuryoGyomu(m_code)) r.high = kSokuryoLastNewSpecialKoshu;
        if (category == KoshuCategory::Tail) r.high = Koshu::DensiRow - 1;
    }
    return r;
}

int CBukakeGyomu::GetNewKoshuCode(int category) const {
    const KoshuCodeRange r = NewKoshuCodeRange(category);
    return m_koshu.NewCode(&CBukakeKoshu::m_code, r.low, r.high);
}

int CBukakeGyomu::GetAnchorKoshuCode(int category, int32_t splitFlag) const {
    if (category < 0 || category >= kKoshuCategoryCount) return 0;
    // The anchors by 業務 (and by the split of the estimation methods): of the lump 工種, and of the
    // rates B and the tail amounts, which share theirs.
    struct Anchors {
        int lump, tail;
    };
    using K = Koshu;
    const bool split = splitFlag == 1;
    Anchors anchors;
    switch (m_code) {
        case Gyomu::Sokuryo:
        case Gyomu::KukakuSokuryo: anchors = {K::ChokusetsuhiKei, K::Shokeihi}; break;
        case Gyomu::Sekkei:
        case Gyomu::DoshitsuKaiseki: anchors = {K::ChokusetsuJinkenhi, split ? K::ShownTotal : K::SonotaGenka}; break;
        case Gyomu::Bukken:
            anchors = split ? Anchors{K::ChokusetsuJinkenhi, K::Shokeihi} : Anchors{K::ChokusetsuKeihi, K::SonotaGenka};
            break;
        case Gyomu::DoshitsuIppan: anchors = {K::DenshiSeikahin, K::Shokeihi}; break;
        case Gyomu::KukakuSekkei: anchors = {K::ChokusetsuJinkenhi, K::Shokeihi}; break;
        default: return 0;
    }
    // Priced 工種 go in front of the common 工種, the rates A and the special amounts in front of
    // 直接人件費 in every 業務.
    switch (category) {
        case KoshuCategory::Priced: return K::Common;
        case KoshuCategory::Lump: return anchors.lump;
        case KoshuCategory::RateB:
        case KoshuCategory::Tail: return anchors.tail;
        default: return K::ChokusetsuJinkenhi;
    }
}

int CBukakeGyomu::InsertNewKoshu(std::unique_ptr<CBukakeKoshu> p) {
    if (!p) return -1;
    const int anchor = GetAnchorKoshuCode(p->GetCodeCategory(), p->m_splitFlag);
    if (anchor == 0) return m_koshu.Add(std::move(p));  // a code or 業務 without an anchor goes last
    int index = FindKoshuIndex(anchor);
    if (index < 0) index = m_koshu.IsEmpty() ? 0 : m_koshu.GetSize() - 1;
    return m_koshu.InsertAt(index, std::move(p));
}

int CBukakeGyomu::MoveKoshu(int from, int to) {
    const CBukakeKoshu* moved = GetKoshu(from);
    if (from == to || !moved || !GetKoshu(to)) return -1;
    // The 工種 passed over (the editors move by one) must be of the same sort group.
    const CBukakeKoshu* neighbour = GetKoshu(to < from ? from - 1 : from + 1);
    if (!neighbour || neighbour->GetCodeGroup() != moved->GetCodeGroup()) return -1;
    return m_koshu.Move(from, to);
}

int CBukakeDetail::UsesHenkaritsuCode(int32_t code) const {
    if (IsUnset(code)) return 0;
    for (int32_t c : m_henkaritsu)
        if (c == code) return 1;
    return 0;
}

int CBukakeDetail::UsesTankaId(int32_t id) const {
    if (IsUnset(id)) return 0;
    for (int32_t c : m_shokushu)
        if (c == id) return 1;
    return 0;
}

void CBukakeDetail::ReplaceHenkaritsuCode(int32_t oldCode, int32_t newCode, int zeroFill) {
    if (IsUnset(oldCode)) return;
    for (size_t n = 0; n < m_henkaritsu.size(); ++n) {
        if (m_henkaritsu[n] != oldCode) continue;
        m_henkaritsu[n] = newCode;
        if (IsUnset(newCode))
            vemo::ReplaceAll(m_formula, "H" + vemo::FormatInt(static_cast<int64_t>(n) + 1), zeroFill ? "0" : "1");
    }
}

void CBukakeDetail::ReplaceTankaId(int32_t oldId, int32_t newId) {
    if (IsUnset(oldId)) return;
    for (size_t c = 0; c < m_shokushu.size(); ++c) {
        if (m_shokushu[c] != oldId) continue;
        m_shokushu[c] = newId;
        if (IsUnset(newId))
            for (const auto& line : m_lines) line->m_columns[c] = kUnset;
    }
}

namespace {

// The details of the given 業務 that pass the test, one per 種別.
template <class Test>
std::vector<CBukakeDetail*> DetailsWhere(const std::vector<const CBukakeGyomu*>& groups, Test test) {
    std::vector<CBukakeDetail*> found;
    for (const CBukakeGyomu* g : groups)
        for (int k = 0; k < g->GetCount(); ++k) {
            const CBukakeKoshu* koshu = g->GetKoshu(k);
            for (int s = 0; s < koshu->GetCount(); ++s) {
                CBukakeDetail& d = koshu->GetShubetsu(s)->GetDetail();
                if (test(d)) found.push_back(&d);
            }
        }
    return found;
}

bool AskToRewrite(size_t count, const char* before, const char* after) {
    return AfxMessageBox(WithCount(before, static_cast<int>(count), after), MsgButtons::YesNo) == IDYES;
}

}  // namespace

int CBukakeFile::ReplaceHenkaritsuCode(int32_t gyomu, int32_t oldCode, int32_t newCode, int zeroFill) {
    // The 変化率・補正率 group 4 serves 業務 4 and 5.
    std::vector<const CBukakeGyomu*> groups;
    const CBukakeGyomu* g = FindGyomu(gyomu);
    if (!g) return 0;
    groups.push_back(g);
    if (gyomu == Gyomu::DoshitsuIppan) {
        const CBukakeGyomu* g5 = FindGyomu(Gyomu::DoshitsuKaiseki);
        if (!g5) return 0;
        groups.push_back(g5);
    }
    auto details = DetailsWhere(groups, [&](const CBukakeDetail& d) { return d.UsesHenkaritsuCode(oldCode); });
    if (details.empty()) return 0;
    if (!AskToRewrite(details.size(), mastertext::kHenkaritsuCodeUsedBefore, mastertext::kHenkaritsuCodeUsedAfter))
        return 0;
    for (CBukakeDetail* d : details) d->ReplaceHenkaritsuCode(oldCode, newCode, zeroFill);
    return 1;
}

int CBukakeFile::ReplaceTankaCode(int32_t oldId, int32_t newId) {
    std::vector<const CBukakeGyomu*> groups;
    for (const auto& g : m_gyomu) groups.push_back(g.get());
    auto details = DetailsWhere(groups, [&](const CBukakeDetail& d) { return d.UsesTankaId(oldId); });
    if (details.empty()) return 0;
    if (!AskToRewrite(details.size(), mastertext::kTankaCodeUsedBefore, mastertext::kTankaCodeUsedAfter))
        return 0;
    for (CBukakeDetail* d : details) d->ReplaceTankaId(oldId, newId);
    return 1;
}
