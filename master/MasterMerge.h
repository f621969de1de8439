#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// The rules that carry the user's own entries of one master into another copy of that master: into
// a newly shipped master (the updates) or into the application's master (the old-version import).
// Every merge reads its source and changes only its destination, so a caller that merges into a
// scratch copy can drop it on cancel and nothing else has changed.

// A new element holding a deep copy of src.
template <class T>
std::unique_ptr<T> DeepCopy(const T& src) {
    return std::make_unique<T>(src);
}

// Called after each unit of work; returns false when the user asked to stop.
using MergeStep = std::function<bool()>;

// How user 工種 and 種別 are carried.
struct BukakeMergeRules {
    // A user 工種 whose code the destination 業務 already holds is left out (old-version import);
    // otherwise it is inserted whatever the destination holds (update).
    bool skipExistingKoshu = false;
    // Outside 業務 2, 5 and 7 the copies get split flag 0 on the 工種 and conventional-method flag 0 on
    // each 種別 (old files default both to 1).
    bool clearConventionalFlags = false;
    // A 工種 or 種別 that takes a new code takes one that `from` does not use either, so that a row of
    // an estimate on a code of `from` (an entry the destination dropped) finds no other entry there
    // (update). Otherwise only the destination's codes count (old-version import).
    bool newCodesFreeInSource = true;
};

// A user 工種 or 種別 whose code the merge changed, or that it could not carry: a user 工種 of
// 業務 2 raised by 200, one carried into a 業務 that already held its code (it takes the first free
// code of its category there, so that each 工種 of a 業務 keeps a code of its own), a user 種別 whose
// 工種 already held its code, and a user 種別 whose 工種 is gone or has no free code.
struct MovedEntry {
    std::string gyomuName;
    std::string koshuName;
    std::string shubetsuName;  // empty for a whole 工種
    int32_t gyomu;
    int32_t oldKoshu;     // the codes in the source master
    int32_t oldShubetsu;  // kUnset for a whole 工種
    int32_t newKoshu;     // the codes in the destination; kNotCarried when it is not there
    int32_t newShubetsu;  // kUnset for a whole 工種
    bool clash;           // its own code was held in the destination

    bool IsShubetsu() const { return !IsUnset(oldShubetsu); }
    bool Carried() const;
};
// The code of an entry that is not in the destination: its category has no free code left (or its
// code belongs to no category), or (種別) its 工種 is gone.
inline constexpr int32_t kNotCarried = -1;
inline bool MovedEntry::Carried() const { return newKoshu != kNotCarried; }

// Number of progress steps' worth of user entries: over the 業務 of `from` that `into` also has, a
// user 工種 counts its 種別, any other 工種 its user 種別.
int CountUserBukakeEntries(const CBukakeFile& from, const CBukakeFile& into);

// For each 業務 of `into` that `from` also has: each user 工種 of `from` is copied in (業務 2: codes
// 100..299 raised by 200) with the 工種 insertion rule; one whose code the 業務 already holds takes
// the first free code of its category (left out when there is none; never with skipExistingKoshu).
// Each user 種別 of another 工種 is appended to the 工種 of the same code in `into` (dropped when
// there is none), taking the first free 種別 code when its own is taken. A free code is one of
// neither master under newCodesFreeInSource. Every entry whose code changed, or that was dropped, is
// listed in moved, in the order of `into`'s 業務, each 業務's clashing 工種 last. step runs after each 工種 of `from` that holds user entries. false when
// step asked to stop (into is then half merged and must be dropped).
bool MergeUserBukake(const CBukakeFile& from, CBukakeFile& into, const BukakeMergeRules& rules,
                     const MergeStep& step, std::vector<MovedEntry>& moved);

// How the groups of two 変化率・補正率 masters are paired; 業務 5 is looked up as 4 on the other side.
enum class GroupPairing {
    eachDestinationGroup,  // each group of `into` with the group of `from` its 業務 finds (update)
    eachSourceGroup,       // each group of `from` with the group of `into` its 業務 finds (old-version import)
};

// Number of records of the `from` groups that take part in the pairing.
int CountHenkaritsuRecords(const CHenkaritsuFile& from, const CHenkaritsuFile& into, GroupPairing pairing);

// For each pair of groups: each user record of the `from` group at index i is inserted into the
// `into` group at i, or appended when i is past its end. With skipExisting a record whose code the
// group already holds is left out. step runs after every record of the `from` group (user or not).
// false when step asked to stop.
bool MergeUserHenkaritsu(const CHenkaritsuFile& from, CHenkaritsuFile& into, GroupPairing pairing, bool skipExisting,
                         const MergeStep& step);

// Carries the user's 単価 master into a newly shipped one: company block and header settings, the
// price-column titles and every row, with the price columns moved one place to the right (the
// user's last column drops out). Rows the shipped file lacks are inserted after the row handled
// before them.
void MergeTanka(const CTankaFile& user, CTankaFile& shipped);

// Refreshes a copy of the user's 材料単価 master from a newly shipped one: user items stay, other
// items take the shipped item of the same id or disappear when it is no longer shipped, shipped
// items not yet present are appended, and the header becomes the shipped one. step runs after each
// item of the user's master. false when step asked to stop.
bool MergeZairyoTanka(CZairyoTankaFile& userCopy, const CZairyoTankaFile& shipped, const MergeStep& step);

// The user mark of a material item: its item setting, 1 on items the user entered.
inline bool IsUserZairyoItem(const CZairyoTankaItem& item) { return item.m_setting == 1; }
