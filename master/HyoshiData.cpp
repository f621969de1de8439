#include "master/HyoshiData.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace {

// The 18 texts of the cover in stored order.
template <class Self>
auto CoverTexts(Self& d) {
    std::array<decltype(&d.m_printTitle), 18> texts{&d.m_printTitle, &d.m_number, &d.m_date};
    for (size_t i = 0; i < d.m_spare.size(); ++i) texts[3 + i] = &d.m_spare[i];
    texts[13] = &d.m_address1;
    texts[14] = &d.m_address2;
    texts[15] = &d.m_subject;
    texts[16] = &d.m_place;
    texts[17] = &d.m_amount;
    return texts;
}

}  // namespace

void CHyoshiData::Serialize(CArchive& ar, int* ok) {
    if (ar.IsStoring()) {
        ar << m_signature << m_fileVersion;
        for (const std::string* t : CoverTexts(*this)) ar << *t;
        for (const auto& list : m_history) {
            ar.WriteInt(static_cast<int32_t>(list.size()));
            for (const std::string& entry : list) ar << entry;
        }
    } else {
        if (!LoadSignature(ar, kHyoshiFormat, m_signature)) {
            if (ok) *ok = 0;
            return;
        }
        m_fileVersion = ar.ReadInt();
        g_hyoshiLoadedVersion = m_fileVersion;
        for (std::string* t : CoverTexts(*this)) ar >> *t;
        for (int list = 0; list < kHistoryLists; ++list) {
            int32_t count = ar.ReadCount(CArchive::kMinTextBytes);
            for (int32_t i = 0; i < count; ++i) AppendHistory(list, ar.ReadString());
        }
        if (m_fileVersion < 100) m_fileVersion = 100;
    }
    if (ok) *ok = 1;
}

std::vector<std::string>* CHyoshiData::History(int list) {
    return list >= 0 && list < kHistoryLists ? &m_history[static_cast<size_t>(list)] : nullptr;
}

const std::vector<std::string>* CHyoshiData::History(int list) const {
    return list >= 0 && list < kHistoryLists ? &m_history[static_cast<size_t>(list)] : nullptr;
}

int CHyoshiData::GetHistoryCount(int list) const {
    const auto* h = History(list);
    return h ? static_cast<int>(h->size()) : -1;
}

std::string CHyoshiData::GetHistoryItem(int list, int index) const {
    const auto* h = History(list);
    if (!h || index < 0 || index >= static_cast<int>(h->size())) return {};
    return (*h)[static_cast<size_t>(index)];
}

int CHyoshiData::FindHistory(int list, const std::string& text) const {
    const auto* h = History(list);
    if (!h) return -1;
    // A text typed and the same text read from other codes of its characters are one entry.
    const std::string plain = vemo::WithoutCp932CodeMarks(text);
    auto it = std::find_if(h->begin(), h->end(),
                           [&](const std::string& entry) { return vemo::WithoutCp932CodeMarks(entry) == plain; });
    return it == h->end() ? -1 : static_cast<int>(it - h->begin());
}

void CHyoshiData::AddHistory(int list, const std::string& text) {
    auto* h = History(list);
    if (!h) return;
    RemoveHistory(list, text);
    // A file may hold more than 20 entries; the list is brought back to 20 with the new one.
    while (h->size() >= static_cast<size_t>(kMaxHistory)) h->pop_back();
    h->insert(h->begin(), text);
}

int CHyoshiData::AppendHistory(int list, const std::string& text) {
    auto* h = History(list);
    if (!h) return -1;
    h->push_back(text);
    return static_cast<int>(h->size()) - 1;
}

void CHyoshiData::RemoveHistory(int list, const std::string& text) {
    RemoveHistoryAt(list, FindHistory(list, text));
}

void CHyoshiData::RemoveHistoryAt(int list, int index) {
    auto* h = History(list);
    if (h && index >= 0 && index < static_cast<int>(h->size())) h->erase(h->begin() + index);
}

void CHyoshiData::ClearHistory(int list) {
    auto* h = History(list);
    if (h) h->clear();
}

void CHyoshiData::ClearAllHistory() {
    for (auto& h : m_history) h.clear();
}
