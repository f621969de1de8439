#include "app/ItemSelection.h"
#include "masteredit/MasterEditTexts.h"

#include <algorithm>

#include "app/AppTexts.h"
#include "estimate/CalcCodes.h"
#include "master/BukakeFile.h"
#include "platform/NumberText.h"
#include "platform/TextUtil.h"

namespace {

using namespace calc;

// 工種 codes of 業務 4 and 5 whose new-method entries come from the 全地連 edition.
bool IsZenchirenEntry(int gyomu, int koshuCode) { return IsDoshitsuGyomu(gyomu) && IsZenchirenKoshu(koshuCode); }

// The offset of an entry's cell: standard, user-created, 全地連 edition, user-created by the
// traditional method, standard by the traditional method.
int ImageOffset(int gyomu, int koshuCode, int32_t userCreated, int32_t traditional) {
    if (userCreated == 1) return traditional == 1 ? 29 : 11;
    if (traditional != 1 && IsZenchirenEntry(gyomu, koshuCode)) return 20;
    return traditional == 1 ? 38 : 2;
}

bool Contains(std::span<const uint8_t> codes, int32_t code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

void AppendCopy(CSekisanItemList& out, const CSekisanItem& item) {
    auto copy = std::make_unique<CSekisanItem>();
    copy->Copy(item);
    out.AddItem(std::move(copy));
}

// Copies of the nodes first..last-1 (null entries left out).
void AppendCopies(CSekisanItemList& out, const CSekisanItemList& from, int first, int last) {
    for (int i = first; i < last; ++i)
        if (const CSekisanItem* item = from.GetItem(i)) AppendCopy(out, *item);
}

int Level(const CSekisanItemList& list, int i) {
    const CSekisanItem* item = list.GetItem(i);
    return item ? item->GetLevel() : -1;
}

bool IsGyomuNode(const CSekisanItemList& list, int i) { return Level(list, i) == 0; }

bool IsKoshuNodeOf(const CSekisanItemList& list, int i, int gyomu) {
    return Level(list, i) == 1 && list.GetItem(i)->m_nGyomu == gyomu;
}

// The end (exclusive) of the subtree of the 業務 node at start: the next 業務 node or the list's end.
int GyomuEnd(const CSekisanItemList& list, int start) {
    int end = start + 1;
    while (end < list.GetCount() && !IsGyomuNode(list, end)) ++end;
    return end;
}

}  // namespace

// ---- icons -----------------------------------------------------------------------------------------

int KoshuImage(int gyomu, const CBukakeKoshu& koshu) {
    return koshu.GetCodeGroup() + ImageOffset(gyomu, koshu.m_code, koshu.m_userCreated, koshu.m_splitFlag);
}

int ShubetsuImage(int gyomu, int koshuCode, const CBukakeShubetsu& shubetsu) {
    return 6 + ImageOffset(gyomu, koshuCode, shubetsu.m_userCreated, shubetsu.m_conventional);
}

// ---- initial 工種 ------------------------------------------------------------------------------------

int InitialSelectionVariant(const CBukakeFile& bukake) { return bukake.m_splitFlag != 0 ? 1 : 0; }

std::vector<int32_t> InitialKoshuSelection(const CBukakeFile& bukake, int gyomu, std::span<const int> fileCodes) {
    std::vector<int32_t> chosen;
    const CBukakeGyomu* master = bukake.FindGyomu(gyomu);
    if (!master) return chosen;
    std::vector<int> listed;
    for (int code : fileCodes.first(std::min<size_t>(fileCodes.size(), kInitialSelectionCodes))) {
        if (code == -1) break;
        listed.push_back(code);
    }
    const int f = bukake.m_splitFlag;
    const auto byRule = [&](int32_t s) {
        const auto in = [s](std::initializer_list<int32_t> codes) { return std::find(codes.begin(), codes.end(), s) != codes.end(); };
        const bool labourSplit = IsLabourSplitGyomu(gyomu);
        if (in({Koshu::ChokusetsuJinkenhi, Koshu::GyomuKakaku})) return true;
        if (s == Koshu::Shokeihi && (!labourSplit || f != 0)) return true;
        if (IsDesignLikeGyomu(gyomu) &&
            ((f == 1 && in({Koshu::DenshiSeikahin, Koshu::GijutsuKeihi})) ||
             (f == 0 && in({Koshu::DenshiSeikahin, Koshu::SonotaGenka, Koshu::GyomuGenka, Koshu::IppanKanrihi}))))
            return true;
        if (IsSokuryoGyomu(gyomu) && s == Koshu::DenshiSeikahin) return true;
        if (gyomu == Gyomu::Bukken && ((f == 1 && s == Koshu::GijutsuKeihi) ||
                                       (f == 0 && in({Koshu::SonotaGenka, Koshu::GyomuGenka, Koshu::IppanKanrihi}))))
            return true;
        if (gyomu == Gyomu::DoshitsuIppan && in({Koshu::DenshiSeikahin, Koshu::DirectShare})) return true;
        return false;
    };
    for (int k = 0; k < master->GetCount(); ++k) {
        const CBukakeKoshu* koshu = master->GetKoshu(k);
        if (!koshu) continue;
        const bool take = listed.empty() ? byRule(koshu->m_code)
                                         : std::find(listed.begin(), listed.end(), koshu->m_code) != listed.end();
        if (take) chosen.push_back(koshu->m_code);
    }
    return chosen;
}

// ---- chosen nodes ----------------------------------------------------------------------------------

int CNodeChoice::Rank(int32_t code) const {
    auto it = std::find(m_offered.begin(), m_offered.end(), code);
    return it == m_offered.end() ? -1 : static_cast<int>(it - m_offered.begin());
}

std::vector<int32_t> CNodeChoice::MasterCodes() const {
    std::vector<int32_t> codes;
    for (int32_t code : m_offered)
        if (std::none_of(m_chosen.begin(), m_chosen.end(), [code](const ChosenNode& n) { return n.code == code; }))
            codes.push_back(code);
    return codes;
}

std::vector<size_t> CNodeChoice::ListedChosen() const {
    std::vector<size_t> positions;
    for (size_t i = 0; i < m_chosen.size(); ++i)
        if (IsListed(m_chosen[i].code)) positions.push_back(i);
    return positions;
}

void CNodeChoice::SortListed() {
    const std::vector<size_t> slots = ListedChosen();
    std::vector<ChosenNode> listed;
    for (size_t i : slots) listed.push_back(m_chosen[i]);
    std::stable_sort(listed.begin(), listed.end(),
                     [this](const ChosenNode& a, const ChosenNode& b) { return Rank(a.code) < Rank(b.code); });
    for (size_t k = 0; k < slots.size(); ++k) m_chosen[slots[k]] = listed[k];
}

void CNodeChoice::Add(const std::vector<int32_t>& codes) {
    SortListed();
    for (int32_t code : codes) {
        const int rank = Rank(code);
        if (rank < 0) continue;
        // In front of the first listed node that comes later in the master, else at the end.
        auto at = std::find_if(m_chosen.begin(), m_chosen.end(), [&](const ChosenNode& n) { return Rank(n.code) > rank; });
        m_chosen.insert(at, ChosenNode{code, -1});
    }
}

void CNodeChoice::Remove(const std::vector<size_t>& positions) {
    std::vector<size_t> sorted = positions;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
        if (*it < m_chosen.size() && IsListed(m_chosen[*it].code)) m_chosen.erase(m_chosen.begin() + static_cast<long>(*it));
    SortListed();
}

// ---- 業務 ------------------------------------------------------------------------------------------

std::vector<int32_t> OfferedGyomuCodes(const CBukakeFile& bukake, std::span<const uint8_t> allowed) {
    std::vector<int32_t> codes;
    for (int g = 0; g < bukake.GetCount(); ++g) {
        const CBukakeGyomu* gyomu = bukake.GetGyomu(g);
        if (gyomu && Contains(allowed, gyomu->m_code)) codes.push_back(gyomu->m_code);
    }
    return codes;
}

std::vector<ChosenNode> ChosenGyomu(const CSekisanItemList& list) {
    std::vector<ChosenNode> chosen;
    for (int i = 0; i < list.GetCount(); ++i)
        if (IsGyomuNode(list, i)) chosen.push_back({list.GetItem(i)->m_nGyomu, i});
    return chosen;
}

void BuildGyomuList(const CSekisanItemList& working, const std::vector<ChosenNode>& chosen, const CBukakeFile& bukake,
                    std::span<const uint8_t> allowed, const CTankaFile& tanka, CSekisanItemList& out) {
    CSekisanItemList built;
    built.CopyHeader(working);
    int first = 0;
    while (first < working.GetCount() && !IsGyomuNode(working, first)) ++first;
    AppendCopies(built, working, 0, first);
    for (const ChosenNode& node : chosen) {
        if (node.source >= 0 && IsGyomuNode(working, node.source)) {
            AppendCopies(built, working, node.source, GyomuEnd(working, node.source));
        } else if (Contains(allowed, node.code)) {
            if (const CBukakeGyomu* gyomu = bukake.FindGyomu(node.code)) built.AddItem(NewGyomuItem(*gyomu, tanka));
        }
    }
    out.Copy(built);
}

// ---- 工種 ------------------------------------------------------------------------------------------

std::vector<int32_t> OfferedKoshuCodes(const CBukakeFile& bukake, int gyomu) {
    std::vector<int32_t> codes;
    if (const CBukakeGyomu* master = bukake.FindGyomu(gyomu))
        for (int k = 0; k < master->GetCount(); ++k)
            if (const CBukakeKoshu* koshu = master->GetKoshu(k)) codes.push_back(koshu->m_code);
    return codes;
}

std::vector<ChosenNode> ChosenKoshu(const CSekisanItemList& list, int gyomu) {
    std::vector<ChosenNode> chosen;
    const int start = list.FindGyomu(gyomu);
    if (start < 0) return chosen;
    const int end = GyomuEnd(list, start);
    for (int i = start + 1; i < end; ++i)
        if (IsKoshuNodeOf(list, i, gyomu)) chosen.push_back({list.GetItem(i)->m_nKoshu, i});
    return chosen;
}

bool BuildKoshuList(const CSekisanItemList& working, int gyomu, const std::vector<ChosenNode>& chosen,
                    const CBukakeFile& bukake, CSekisanItemList& out) {
    const CBukakeGyomu* master = bukake.FindGyomu(gyomu);
    const int start = working.FindGyomu(gyomu);
    if (!master || start < 0) return false;
    const int end = GyomuEnd(working, start);
    int firstKoshu = start + 1;
    while (firstKoshu < end && !IsKoshuNodeOf(working, firstKoshu, gyomu)) ++firstKoshu;

    CSekisanItemList built;
    built.CopyHeader(working);
    AppendCopies(built, working, 0, firstKoshu);
    for (const ChosenNode& node : chosen) {
        if (node.source > start && node.source < end && IsKoshuNodeOf(working, node.source, gyomu)) {
            int next = node.source + 1;
            while (next < end && !IsKoshuNodeOf(working, next, gyomu)) ++next;
            AppendCopies(built, working, node.source, next);
        } else if (const CBukakeKoshu* koshu = master->FindKoshu(node.code)) {
            built.AddItem(NewKoshuItem(gyomu, *koshu));
        }
    }
    AppendCopies(built, working, end, working.GetCount());
    out.Copy(built);
    return true;
}

// ---- 種別 ------------------------------------------------------------------------------------------

std::vector<int> ShubetsuPositions(const CSekisanItemList& list, int gyomu, int koshu) {
    std::vector<int> positions;
    const int at = list.FindKoshu(gyomu, koshu);
    if (at < 0) return positions;
    for (int i = at + 1; i < list.GetCount() && Level(list, i) == 2; ++i) positions.push_back(i);
    return positions;
}

int InsertShubetsuItem(CSekisanItemList& list, int gyomu, int koshu, std::unique_ptr<CSekisanItem> item) {
    const int at = list.FindKoshu(gyomu, koshu);
    if (at < 0) return -1;
    int position = at + 1;
    while (position < list.GetCount() && Level(list, position) == 2) ++position;
    list.InsertItem(position, std::move(item));
    return position;
}

bool HasMixedCoefficients(const CSekisanItemList& list, const CBukakeFile& bukake, int gyomu, int koshu) {
    int32_t seen = kUnset;
    for (int i : ShubetsuPositions(list, gyomu, koshu)) {
        const CSekisanItem* item = list.GetItem(i);
        const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu);
        if (!shubetsu || IsUnset(shubetsu->m_coefficient) || shubetsu->m_coefficient == 0) continue;
        if (IsUnset(seen))
            seen = shubetsu->m_coefficient;
        else if (shubetsu->m_coefficient != seen)
            return true;
    }
    return false;
}

std::string CoefficientText(int gyomu, const CBukakeShubetsu* shubetsu) {
    if (!IsStandardGyomu(gyomu) || (shubetsu && IsUnset(shubetsu->m_coefficient))) return apptext::kNoCoefficient;
    const char* line = IsSokuryoGyomu(gyomu) ? apptext::kSeidoCoefficient : apptext::kGijutsuCoefficient;
    const std::string value =
        shubetsu ? vemo::FormatFixed(shubetsu->m_coefficient / 100.0, 2) : std::string(masteredittext::kNoCoefficient);
    return vemo::FillText(line, {value});
}
