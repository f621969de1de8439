#include "master/MasterCheck.h"

#include <algorithm>
#include <cstdint>

#include "master/MasterCommandSupport.h"
#include "master/MasterTexts.h"
#include "platform/Host.h"
#include "platform/NumberText.h"

namespace {

// The 歩掛 type of 土質調査 details, whose lines are material sub-entries.
constexpr int32_t kDoshitsuDetailType = 4;

// The findings of one pass: a heading, at most 31 lines, then "………" for the rest.
class CFindingReport {
public:
    static constexpr int kMaxLines = 31;

    explicit CFindingReport(const char* heading) : m_heading(heading) {}

    void Add(const std::string& line) {
        if (m_text.empty()) m_text = m_heading;
        if (m_count < kMaxLines)
            m_text += line;
        else if (m_count == kMaxLines)
            m_text += mastertext::kMoreFindings;
        ++m_count;
    }

    // The report, or the all-clear text with the information icon.
    void Show(const char* allClear) const {
        if (m_count == 0)
            AfxMessageBox(allClear, MsgButtons::Ok, MsgIcon::Information);
        else
            AfxMessageBox(m_text + mastertext::kFindingCountBefore + vemo::FormatInt(m_count) + mastertext::kFindingCountAfter);
    }

private:
    const char* m_heading;
    std::string m_text;
    int m_count = 0;
};

std::string Names(const CBukakeGyomu& g, const CBukakeKoshu& k, const CBukakeShubetsu& s) {
    return g.m_name + " " + k.m_name + " " + s.m_name;
}

// Calls visit(g, k, s) for every 種別 of the master; stops when it returns false.
template <class Visit>
bool ForEachShubetsu(const CBukakeFile& bukake, Visit visit) {
    for (int gi = 0; gi < bukake.GetCount(); ++gi) {
        const CBukakeGyomu& g = *bukake.GetGyomu(gi);
        for (int ki = 0; ki < g.GetCount(); ++ki) {
            const CBukakeKoshu& k = *g.GetKoshu(ki);
            for (int si = 0; si < k.GetCount(); ++si)
                if (!visit(g, k, *k.GetShubetsu(si))) return false;
        }
    }
    return true;
}

}  // namespace

int OnCheckConsistency(CMasterDataStore& store) {
    if (AfxMessageBox(mastertext::kAskCheck, MsgButtons::YesNo, MsgIcon::Information) != IDYES)
        return 0;
    const CBukakeFile& bukake = store.GetBukakeFile();
    const CHenkaritsuFile& henkaritsu = store.GetHenkaritsuFile();
    const CTankaFile& tanka = store.GetTankaFile();

    int details = 0;
    ForEachShubetsu(bukake, [&](const auto&, const auto&, const auto&) {
        ++details;
        return true;
    });
    CMasterProgress progress(mastertext::kStatusChecking,
                             static_cast<int>(std::min<int64_t>(19LL * details - 1, INT32_MAX)));

    progress.SetStatus(mastertext::kStatusCheckingRates);
    CFindingReport rates(mastertext::kRatesHeading);
    bool completed = ForEachShubetsu(bukake, [&](const CBukakeGyomu& g, const CBukakeKoshu& k, const CBukakeShubetsu& s) {
        const CBukakeDetail& d = s.GetDetail();
        for (int h = 1; h <= 8; ++h) {
            if (!progress.Step()) return false;
            int32_t code = d.m_henkaritsu[static_cast<size_t>(h - 1)];
            if (IsUnset(code)) continue;
            const CHenkaritsuGyomu* group = henkaritsu.FindGyomu(g.m_code);
            if (!group || group->HasRecord(code)) continue;
            rates.Add(Names(g, k, s) + mastertext::kFindingSeparator + vemo::FormatInt(h) +
                      mastertext::kRateFindingAfterIndex + vemo::FormatInt(code) + mastertext::kFindingInvalid);
        }
        return true;
    });
    if (!completed) return 0;

    progress.SetStatus(mastertext::kStatusCheckingTrades);
    CFindingReport trades(mastertext::kTradesHeading);
    completed = ForEachShubetsu(bukake, [&](const CBukakeGyomu& g, const CBukakeKoshu& k, const CBukakeShubetsu& s) {
        const CBukakeDetail& d = s.GetDetail();
        for (int j = 1; j <= 10; ++j) {
            if (!progress.Step()) return false;
            // A 土質調査 detail (type 4) keeps the basis codes of its Z1 and Z2 lines in its first two
            // columns, not 単価 ids: comparing them with the 単価 rows would report every soil-survey
            // master as broken.
            if (d.m_bukakeType == kDoshitsuDetailType && j <= 2) continue;
            int32_t code = d.m_shokushu[static_cast<size_t>(j - 1)];
            if (IsUnset(code) || tanka.HasRow(code)) continue;
            trades.Add(Names(g, k, s) + mastertext::kFindingSeparator + vemo::FormatInt(j) +
                       mastertext::kTradeFindingAfterIndex + vemo::FormatInt(code) + mastertext::kFindingInvalid);
        }
        return true;
    });
    if (!completed) return 0;

    progress.Hide();
    rates.Show(mastertext::kRatesAllClear);
    trades.Show(mastertext::kTradesAllClear);
    return 1;
}
