#include "estimate/SekisanItemList.h"

#include <algorithm>
#include <stdexcept>

#include "estimate/CalcCodes.h"
#include "platform/Archive.h"

using namespace calc;

namespace {

bool IsPrinted(const CSekisanItem& item) { return item.m_bNoPrint == 0; }

// Whether a 工種 node with a 代価 number carries a 代価表 of its own.
bool KoshuHasDaikaTable(int32_t gyomu, int32_t koshu) {
    const bool survey = IsSokuryoGyomu(gyomu);
    const bool designLike = IsDesignLikeGyomu(gyomu);
    if (koshu == Koshu::ExtraRateA) return survey || gyomu == Gyomu::DoshitsuIppan;
    if (koshu == Koshu::Zairyohi) return survey || designLike;  // SekkeiDensi in designLike
    if (koshu == Koshu::DensiKeisankiAlt) return true;  // listed for 業務 2, 5, 7 and for every other 業務
    if (koshu == Koshu::DensiKeisanki) return !designLike;
    return false;
}

std::vector<std::unique_ptr<CSekisanItem>> CopiesOf(const std::vector<const CSekisanItem*>& nodes) {
    std::vector<std::unique_ptr<CSekisanItem>> copies;
    copies.reserve(nodes.size());
    for (const CSekisanItem* node : nodes) copies.push_back(std::make_unique<CSekisanItem>(*node));
    return copies;
}

}  // namespace

int CSekisanItemList::AddItem(std::unique_ptr<CSekisanItem> item) {
    m_items.push_back(std::move(item));
    return GetUpperBound();
}

std::unique_ptr<CSekisanItem> CSekisanItemList::SetItem(int i, std::unique_ptr<CSekisanItem> item) {
    if (i < 0 || i >= GetCount()) throw std::out_of_range("CSekisanItemList::SetItem: no such position");
    std::swap(m_items[static_cast<size_t>(i)], item);
    return item;
}

void CSekisanItemList::InsertItem(int i, std::unique_ptr<CSekisanItem> item) {
    if (i < 0 || i > GetCount()) throw std::out_of_range("CSekisanItemList::InsertItem: no such position");
    m_items.insert(m_items.begin() + i, std::move(item));
}

std::unique_ptr<CSekisanItem> CSekisanItemList::RemoveItem(int i) {
    if (i < 0 || i >= GetCount()) return nullptr;
    std::unique_ptr<CSekisanItem> item = std::move(m_items[static_cast<size_t>(i)]);
    m_items.erase(m_items.begin() + i);
    return item;
}

void CSekisanItemList::RemoveAll() {
    while (!m_items.empty()) m_items.pop_back();
}

void CSekisanItemList::CopyHeader(const CSekisanItemList& other) {
    if (&other == this) return;
    m_strKenmei = other.m_strKenmei;
    m_strKashoName = other.m_strKashoName;
    m_strPrintTitle = other.m_strPrintTitle;
    m_strMasterFolder = other.m_strMasterFolder;
    m_nTankaColumn = other.m_nTankaColumn;
    m_strZairyoFile = other.m_strZairyoFile;
    m_strDate = other.m_strDate;
}

void CSekisanItemList::Copy(const CSekisanItemList& other) { CopyRange(other, 0, other.GetUpperBound()); }

void CSekisanItemList::CopyRange(const CSekisanItemList& other, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, other.GetUpperBound());
    std::vector<const CSekisanItem*> nodes;
    for (int i = first; i <= last; ++i)
        if (const CSekisanItem* node = other.GetItem(i)) nodes.push_back(node);
    // Copies are taken before anything is removed, so that a list may copy from itself.
    auto copies = CopiesOf(nodes);
    CopyHeader(other);
    RemoveAll();
    m_items = std::move(copies);
}

void CSekisanItemList::AppendCopies(const CSekisanItemList& other, int first, int count) {
    std::vector<const CSekisanItem*> nodes;
    for (int i = first; i < first + count; ++i)
        if (const CSekisanItem* node = other.GetItem(i)) nodes.push_back(node);
    for (auto& copy : CopiesOf(nodes)) m_items.push_back(std::move(copy));
}

void CSekisanItemList::AppendGyomu(const CSekisanItemList& other, int gyomu) {
    const int start = other.FindGyomu(gyomu);
    if (start < 0) return;
    int end = start + 1;
    for (; end < other.GetCount(); ++end) {
        const CSekisanItem* node = other.GetItem(end);
        if (node && node->GetLevel() == 0) break;
    }
    AppendCopies(other, start, end - start);
}

void CSekisanItemList::AppendKoshu(const CSekisanItemList& other, int gyomu, int koshu) {
    const int start = other.FindKoshu(gyomu, koshu);
    if (start < 0) return;
    int end = start + 1;
    for (; end < other.GetCount(); ++end) {
        const CSekisanItem* node = other.GetItem(end);
        if (node && node->GetLevel() != 2) break;
    }
    AppendCopies(other, start, end - start);
}

int CSekisanItemList::FindGyomu(int gyomu) const {
    for (int i = 0; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (node && node->GetLevel() == 0 && node->m_nGyomu == gyomu) return i;
    }
    return -1;
}

int CSekisanItemList::FindKoshu(int gyomu, int koshu) const {
    for (int i = 0; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (node && node->GetLevel() == 1 && node->m_nGyomu == gyomu && node->m_nKoshu == koshu) return i;
    }
    return -1;
}

int CSekisanItemList::FindShubetsu(int gyomu, int koshu, int shubetsu) const {
    for (int i = 0; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (node && node->GetLevel() == 2 && node->m_nGyomu == gyomu && node->m_nKoshu == koshu &&
            node->m_nShubetsu == shubetsu)
            return i;
    }
    return -1;
}

int CSekisanItemList::CountGyomuItems(int gyomu, bool printedOnly) const {
    const int start = FindGyomu(gyomu);
    if (start < 0) return 0;
    int n = 0;
    for (int i = start + 1; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (!node) continue;
        if (node->GetLevel() == 0) break;
        if (!printedOnly || (node->m_nGyomu == gyomu && IsPrinted(*node))) ++n;
    }
    return n;
}

int CSekisanItemList::CountKoshuItems(int gyomu, int koshu, bool printedOnly) const {
    const int start = FindKoshu(gyomu, koshu);
    if (start < 0) return 0;
    int n = 0;
    for (int i = start + 1; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (!node) continue;
        if (node->GetLevel() != 2) break;
        if (!printedOnly || (node->m_nGyomu == gyomu && node->m_nKoshu == koshu && IsPrinted(*node))) ++n;
    }
    return n;
}

int CSekisanItemList::CountGyomu() const {
    int n = 0;
    for (const auto& node : m_items)
        if (node && node->GetLevel() == 0) ++n;
    return n;
}

int CSekisanItemList::CountSummaryGyomu() const {
    int n = 0;
    for (const auto& node : m_items)
        if (node && node->GetLevel() == 0 && node->m_nGyomu > Gyomu::LastBusiness) ++n;
    return n;
}

int CSekisanItemList::CountKoshuOfGyomu(int gyomu) const {
    const int start = FindGyomu(gyomu);
    if (start < 0) return 0;
    int n = 0;
    for (int i = start + 1; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (node && node->GetLevel() == 1 && node->m_nGyomu == gyomu) ++n;
    }
    return n;
}

int CSekisanItemList::CountShubetsuOfKoshu(int gyomu, int koshu) const {
    const int start = FindKoshu(gyomu, koshu);
    if (start < 0) return 0;
    int n = 0;
    for (int i = start + 1; i < GetCount(); ++i) {
        const CSekisanItem* node = GetItem(i);
        if (node && node->GetLevel() == 2 && node->m_nGyomu == gyomu && node->m_nKoshu == koshu) ++n;
    }
    return n;
}

int CSekisanItemList::CountPrinted() const {
    int n = 0;
    for (const auto& node : m_items)
        if (node && IsPrinted(*node)) ++n;
    return n;
}

int CSekisanItemList::HasDaikaTable() const {
    for (const auto& node : m_items) {
        if (!node || IsUnset(node->m_nDaikaNo)) continue;
        const int level = node->GetLevel();
        if (level == 2) return 1;
        if (level == 1 && KoshuHasDaikaTable(node->m_nGyomu, node->m_nKoshu)) return 1;
    }
    return 0;
}

void CSekisanItemList::Store(CArchive& ar) const {
    ar << m_strKenmei << m_strKashoName << m_strPrintTitle << m_strMasterFolder << m_nTankaColumn;
    ar << m_strZairyoFile << m_strDate;
    // Null entries are not nodes of the estimate and are left out.
    int32_t count = 0;
    for (const auto& node : m_items)
        if (node) ++count;
    ar << count;
    for (const auto& node : m_items)
        if (node) node->Serialize(ar);
}

std::string CSekisanItemList::StoredBytes() const {
    CArchive ar;
    Store(ar);
    return ar.Buffer();
}

void CSekisanItemList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }

    const int32_t version = GetSekisanLoadingVersion();
    ar >> m_strKenmei >> m_strKashoName >> m_strPrintTitle >> m_strMasterFolder >> m_nTankaColumn;
    if (version > 100) ar >> m_strZairyoFile >> m_strDate;
    const int32_t count = ar.ReadCount(CSekisanItem::MinStoredBytes(version));
    m_items.reserve(m_items.size() + static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        auto node = std::make_unique<CSekisanItem>();
        node->Serialize(ar);
        m_items.push_back(std::move(node));
    }
}
