#include "master/MasterMerge.h"

#include <memory>
#include <vector>

#include "master/KoshuCategory.h"

namespace {

bool KeepsConventionalFlags(int32_t gyomu) { return IsDesignLikeGyomu(gyomu); }

// The user 工種 of 業務 2 used codes 100..299, which the shipped masters now use themselves.
int32_t CarriedKoshuCode(int32_t gyomu, int32_t code) {
    const bool shipped = code >= kSekkeiShippedKoshu.low && code <= kSekkeiShippedKoshu.high;
    return gyomu == Gyomu::Sekkei && shipped ? code + kSekkeiShippedKoshuCount : code;
}

bool HasUserShubetsu(const CBukakeKoshu& koshu) {
    for (int i = 0; i < koshu.GetCount(); ++i)
        if (koshu.GetShubetsu(i)->m_userCreated == 1) return true;
    return false;
}

// The first code of the category's allocation range that into holds no 工種 on, nor source (when
// given); kNotCarried when there is none.
int32_t FreeKoshuCode(const CBukakeGyomu& into, const CBukakeGyomu* source, int category) {
    if (category == KoshuCategory::None) return kNotCarried;
    const KoshuCodeRange r = into.NewKoshuCodeRange(category);
    for (int32_t code = r.low; code <= r.high; ++code)
        if (!into.HasKoshu(code) && !(source && source->HasKoshu(code))) return code;
    return kNotCarried;
}

// The first 種別 code that target holds no 種別 on, nor source (when given); kNotCarried when there
// is none.
int32_t FreeShubetsuCode(const CBukakeKoshu& target, const CBukakeKoshu* source) {
    for (int32_t code = kFirstShubetsuCode; code <= kLastShubetsuCode; ++code)
        if (!target.HasShubetsu(code) && !(source && source->HasShubetsu(code))) return code;
    return kNotCarried;
}

// A user 工種 copied in on a code the 業務 already held, with the 工種 it was copied from.
struct Clash {
    const CBukakeKoshu* source;
    CBukakeKoshu* copy;
};

// Gives each clashing copy the first free code of its category (free in source too, when given), or
// takes it out again when the category has none; each is listed in moved.
void MoveClashingKoshu(const std::vector<Clash>& clashes, CBukakeGyomu& into, const CBukakeGyomu* source,
                       std::vector<MovedEntry>& moved) {
    for (const Clash& c : clashes) {
        const int32_t code = FreeKoshuCode(into, source, c.copy->GetCodeCategory());
        if (code == kNotCarried) {
            for (int i = 0; i < into.GetCount(); ++i) {
                if (into.GetKoshu(i) != c.copy) continue;
                into.RemoveKoshu(i);
                break;
            }
        } else {
            c.copy->m_code = code;  // same category, so the copy stays where the insertion put it
        }
        moved.push_back({into.m_name, c.source->m_name, {}, into.m_code, c.source->m_code, kUnset, code, kUnset, true});
    }
}

// Carries the user entries of one 業務 into the 業務 of the same code.
bool MergeGyomu(const CBukakeGyomu& from, CBukakeGyomu& into, const BukakeMergeRules& rules, const MergeStep& step,
                std::vector<MovedEntry>& moved) {
    const int32_t gyomu = into.m_code;
    const bool clearFlags = rules.clearConventionalFlags && !KeepsConventionalFlags(gyomu);
    const CBukakeGyomu* codesOfSource = rules.newCodesFreeInSource ? &from : nullptr;
    // Clashing copies get their new codes once every user 工種 is in, so that a new code is never
    // one that a later user 工種 keeps.
    std::vector<Clash> clashes;
    for (int ki = 0; ki < from.GetCount(); ++ki) {
        const CBukakeKoshu& k = *from.GetKoshu(ki);
        if (k.m_userCreated == 1) {
            const int32_t code = CarriedKoshuCode(gyomu, k.m_code);
            const bool held = into.HasKoshu(code);
            if (!(rules.skipExistingKoshu && held)) {
                auto copy = DeepCopy(k);
                copy->m_code = code;
                if (clearFlags) {
                    copy->m_splitFlag = 0;
                    for (int si = 0; si < copy->GetCount(); ++si) copy->GetShubetsu(si)->m_conventional = 0;
                }
                if (held)
                    clashes.push_back({&k, copy.get()});
                else if (code != k.m_code)
                    moved.push_back({into.m_name, k.m_name, {}, gyomu, k.m_code, kUnset, code, kUnset, false});
                into.InsertNewKoshu(std::move(copy));
            }
        } else {
            if (!HasUserShubetsu(k)) continue;
            CBukakeKoshu* target = into.FindKoshu(k.m_code);
            for (int si = 0; si < k.GetCount(); ++si) {
                const CBukakeShubetsu& t = *k.GetShubetsu(si);
                if (t.m_userCreated != 1) continue;
                MovedEntry entry{into.m_name, k.m_name, t.m_name, gyomu, k.m_code, t.m_code, kNotCarried, kNotCarried, false};
                if (!target) {
                    moved.push_back(entry);  // its 工種 is gone
                    continue;
                }
                auto copy = DeepCopy(t);
                if (clearFlags) copy->m_conventional = 0;
                if (target->HasShubetsu(copy->m_code)) {
                    entry.clash = true;
                    const int32_t free = FreeShubetsuCode(*target, rules.newCodesFreeInSource ? &k : nullptr);
                    if (free != kNotCarried) {
                        entry.newKoshu = k.m_code;
                        entry.newShubetsu = free;
                    }
                    moved.push_back(entry);
                    if (free == kNotCarried) continue;  // the 工種 has no code left
                    copy->m_code = free;
                }
                target->AddShubetsu(std::move(copy));
            }
        }
        if (step && !step()) return false;
    }
    MoveClashingKoshu(clashes, into, codesOfSource, moved);
    return true;
}

}  // namespace

int CountUserBukakeEntries(const CBukakeFile& from, const CBukakeFile& into) {
    int count = 0;
    for (int gi = 0; gi < from.GetCount(); ++gi) {
        const CBukakeGyomu& g = *from.GetGyomu(gi);
        if (!into.HasGyomu(g.m_code)) continue;
        for (int ki = 0; ki < g.GetCount(); ++ki) {
            const CBukakeKoshu& k = *g.GetKoshu(ki);
            if (k.m_userCreated == 1) {
                count += k.GetCount();
                continue;
            }
            for (int si = 0; si < k.GetCount(); ++si)
                if (k.GetShubetsu(si)->m_userCreated == 1) ++count;
        }
    }
    return count;
}

bool MergeUserBukake(const CBukakeFile& from, CBukakeFile& into, const BukakeMergeRules& rules,
                     const MergeStep& step, std::vector<MovedEntry>& moved) {
    for (int gi = 0; gi < into.GetCount(); ++gi) {
        CBukakeGyomu& target = *into.GetGyomu(gi);
        const CBukakeGyomu* source = from.FindGyomu(target.m_code);
        if (source && !MergeGyomu(*source, target, rules, step, moved)) return false;
    }
    return true;
}

namespace {

// Calls visit(source group, destination group) for each pair of the pairing; stops when it
// returns false.
template <class Into, class Visit>
bool ForEachGroupPair(const CHenkaritsuFile& from, Into& into, GroupPairing pairing, Visit visit) {
    if (pairing == GroupPairing::eachDestinationGroup) {
        for (int gi = 0; gi < into.GetSize(); ++gi) {
            auto& target = *into.GetGyomu(gi);
            const CHenkaritsuGyomu* source = from.FindGyomu(target.m_code);
            if (source && !visit(*source, target)) return false;
        }
    } else {
        for (int gi = 0; gi < from.GetSize(); ++gi) {
            const CHenkaritsuGyomu& source = *from.GetGyomu(gi);
            auto* target = into.FindGyomu(source.m_code);
            if (target && !visit(source, *target)) return false;
        }
    }
    return true;
}

}  // namespace

int CountHenkaritsuRecords(const CHenkaritsuFile& from, const CHenkaritsuFile& into, GroupPairing pairing) {
    int count = 0;
    ForEachGroupPair(from, into, pairing,
                     [&](const CHenkaritsuGyomu& source, const CHenkaritsuGyomu&) {
                         count += source.GetSize();
                         return true;
                     });
    return count;
}

bool MergeUserHenkaritsu(const CHenkaritsuFile& from, CHenkaritsuFile& into, GroupPairing pairing, bool skipExisting,
                         const MergeStep& step) {
    return ForEachGroupPair(from, into, pairing, [&](const CHenkaritsuGyomu& source, CHenkaritsuGyomu& target) {
        for (int i = 0; i < source.GetSize(); ++i) {
            const CHenkaritsuRecord& r = *source.GetRecord(i);
            if (r.m_userCreated == 1 && !(skipExisting && target.HasRecord(r.m_code))) {
                if (i < target.GetSize())
                    target.InsertRecord(i, DeepCopy(r));
                else
                    target.AddRecord(DeepCopy(r));
            }
            if (step && !step()) return false;
        }
        return true;
    });
}

void MergeTanka(const CTankaFile& user, CTankaFile& shipped) {
    shipped.m_company = user.m_company;
    shipped.m_footerFlag = user.m_footerFlag;
    shipped.m_travelFlag = user.m_travelFlag;
    shipped.m_defaultColumn = user.m_defaultColumn;
    shipped.m_travelTrade = user.m_travelTrade;

    // The shipped file brings the new year's prices in column 0; the user's columns move right by one
    // and the last one drops out.
    constexpr int kCarried = CTankaRow::kPriceColumns - 1;
    for (int i = 0; i < kCarried; ++i)
        if (!user.m_columnTitles[static_cast<size_t>(i)].empty())
            shipped.m_columnTitles[static_cast<size_t>(i + 1)] = user.m_columnTitles[static_cast<size_t>(i)];

    int p = 0;
    for (int ri = 0; ri < user.GetCount(); ++ri) {
        const CTankaRow& r = *user.GetRow(ri);
        int j = shipped.FindRowIndex(r.m_id);
        if (j >= 0) {
            p = j;
        } else {
            // A row the shipped file lacks goes right after the row handled before it; the index
            // the list gave it is the one used from here on.
            p = shipped.InsertRow(p + 1, std::make_unique<CTankaRow>());
        }
        CTankaRow& target = *shipped.GetRow(p);
        target.m_id = r.m_id;
        target.m_setting = r.m_setting;
        target.m_unit = r.m_unit;
        target.m_name = r.m_name;
        target.m_kind = r.m_kind;
        if (!r.m_remarks.empty()) target.m_remarks = r.m_remarks;
        for (int i = 0; i < kCarried; ++i)
            if (!IsUnset(r.m_prices[static_cast<size_t>(i)]))
                target.m_prices[static_cast<size_t>(i + 1)] = r.m_prices[static_cast<size_t>(i)];
    }
}

bool MergeZairyoTanka(CZairyoTankaFile& userCopy, const CZairyoTankaFile& shipped, const MergeStep& step) {
    CZairyoTankaFile remaining;
    remaining.Copy(shipped);
    for (int i = 0; i < userCopy.GetCount(); ++i) {
        CZairyoTankaItem& x = *userCopy.GetItem(i);
        if (!IsUserZairyoItem(x)) {
            int j = remaining.FindItemIndex(x.m_id);
            if (j >= 0) {
                x.Copy(*remaining.GetItem(j));
                remaining.RemoveItem(j);
            } else {
                userCopy.RemoveItem(i);
                --i;
            }
        }
        if (step && !step()) return false;
    }
    for (int i = 0; i < remaining.GetCount(); ++i) userCopy.AddItem(DeepCopy(*remaining.GetItem(i)));
    userCopy.m_signature = shipped.m_signature;
    userCopy.m_fileVersion = shipped.m_fileVersion;
    userCopy.m_dataVersion = shipped.m_dataVersion;
    userCopy.m_title = shipped.m_title;
    return true;
}
