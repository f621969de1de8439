#include "formix/TextList.h"

#include <algorithm>
#include <climits>
#include <new>
#include <utility>
#include <vector>

namespace formix {

CTextList::CTextList(const char* name, int capacity, int growBy)
    : m_strName(name ? name : ""), m_nGrowBy(growBy) {
    m_nCapacity = std::max(capacity, 0);
    m_ppItems = AllocArray(m_nCapacity);
}

CTextList::~CTextList() {
    DeleteItems(0, m_nCount);
}

CTextList::ItemArray CTextList::AllocArray(int n) {
    return ItemArray(new CNumberString*[static_cast<size_t>(std::max(n, 0))]());
}

void CTextList::FreeArray() {
    m_ppItems.reset();
}

void CTextList::DeleteItems(int from, int to) {
    for (int i = from; i < to; ++i) {
        delete m_ppItems[i];
        m_ppItems[i] = nullptr;
    }
}

CNumberString* CTextList::GetAt(int i) const {
    if (i < 0 || i >= m_nCount) {
        return nullptr;
    }
    return m_ppItems[i];
}

int CTextList::CountNonNull() const {
    int n = 0;
    for (int i = 0; i < m_nCount; ++i) {
        if (m_ppItems[i]) {
            ++n;
        }
    }
    return n;
}

bool CTextList::SetCapacity(int n) {
    if (n < 0) {
        return false;
    }
    if (n == m_nCapacity) {
        return true;
    }
    ItemArray items;
    try {
        items = AllocArray(n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (n < m_nCount) {
        // The slots that no longer fit go with their items.
        DeleteItems(n, m_nCount);
        m_nCount = n;
    }
    std::copy(m_ppItems.get(), m_ppItems.get() + m_nCount, items.get());
    FreeArray();
    m_ppItems = std::move(items);
    m_nCapacity = n;
    return true;
}

bool CTextList::Reserve(long long needed, long long extra) {
    if (needed <= m_nCapacity) {
        return true;
    }
    long long wanted = needed + std::max(extra, 0LL);
    if (wanted > INT_MAX) {
        wanted = needed;
    }
    if (wanted > INT_MAX) {
        return false;
    }
    return SetCapacity(static_cast<int>(wanted));
}

bool CTextList::Add(CNumberString* p) {
    // A full list grows by growBy (at least one slot).
    if (m_nCount == m_nCapacity &&
        !Reserve(static_cast<long long>(m_nCapacity) + std::max(m_nGrowBy, 1), 0)) {
        return false;
    }
    return PutPastEnd(p, m_nCount);
}

bool CTextList::PutPastEnd(CNumberString* p, int i) {
    // Room for slot i and growBy more, as the list grows when something lands past its end.
    if (!Reserve(static_cast<long long>(i) + 1, m_nGrowBy)) {
        return false;
    }
    for (int k = m_nCount; k < i; ++k) {
        m_ppItems[k] = nullptr;
    }
    m_ppItems[i] = p;
    m_nCount = i + 1;
    return true;
}

bool CTextList::InsertAt(CNumberString* p, int i) {
    if (i < 0) {
        return false;
    }
    if (i >= m_nCount) {
        return PutPastEnd(p, i);
    }
    if (m_nCount == m_nCapacity &&
        !Reserve(static_cast<long long>(m_nCapacity) + std::max(m_nGrowBy, 1), 0)) {
        return false;
    }
    std::copy_backward(m_ppItems.get() + i, m_ppItems.get() + m_nCount, m_ppItems.get() + m_nCount + 1);
    m_ppItems[i] = p;
    ++m_nCount;
    return true;
}

bool CTextList::SetAt(CNumberString* p, int i) {
    if (i < 0) {
        return false;
    }
    if (i >= m_nCount) {
        return PutPastEnd(p, i);
    }
    if (m_ppItems[i] != p) {
        delete m_ppItems[i];
        m_ppItems[i] = p;
    }
    return true;
}

void CTextList::RemoveAt(int i, bool shift) {
    if (i < 0 || i >= m_nCount) {
        return;
    }
    delete m_ppItems[i];
    m_ppItems[i] = nullptr;
    if (shift) {
        std::copy(m_ppItems.get() + i + 1, m_ppItems.get() + m_nCount, m_ppItems.get() + i);
        m_ppItems[m_nCount - 1] = nullptr;
        --m_nCount;
    } else if (i == m_nCount - 1) {
        --m_nCount;
    }
}

void CTextList::RemoveAll(bool shrink) {
    DeleteItems(0, m_nCount);
    m_nCount = 0;
    if (shrink) {
        SetCapacity(std::max(m_nGrowBy, 0));
    }
}

CNumberString* CTextList::ClearAt(int i) {
    if (i < 0 || i >= m_nCount) {
        return nullptr;
    }
    return std::exchange(m_ppItems[i], nullptr);
}

int CTextList::Find(const CNumberString* p) const {
    for (int i = 0; i < m_nCount; ++i) {
        if (m_ppItems[i] == p) {
            return i;
        }
    }
    return -1;
}

void CTextList::Compact() {
    int items = CountNonNull();
    ItemArray compact = AllocArray(items + 10);
    int k = 0;
    for (int i = 0; i < m_nCount; ++i) {
        if (m_ppItems[i]) {
            compact[k++] = m_ppItems[i];
        }
    }
    FreeArray();
    m_ppItems = std::move(compact);
    m_nCount = items;
    m_nCapacity = items + 10;
}

void CTextList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt(CountNonNull());
        ar.WriteInt(m_nGrowBy);
        ar.WriteInt(m_nCapacity);
        ar.WriteString(m_strName);
        for (int i = 0; i < m_nCount; ++i) {
            if (m_ppItems[i]) {
                ar.WriteString(m_ppItems[i]->GetText());
            }
        }
        return;
    }
    int count = std::max(ar.ReadInt(), 0);
    int growBy = ar.ReadInt();
    int capacity = ar.ReadInt();
    std::string name = ar.ReadString();
    if (growBy < 0) {
        growBy = 2;
    }
    // Every stored text takes at least its one-byte length.
    if (static_cast<size_t>(count) > ar.Remaining()) {
        throw CArchiveException(CArchiveException::badCount, "text count beyond the end of the archive");
    }
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        texts.push_back(ar.ReadString());
    }
    // The capacity is a growth hint, not data: a hostile one must not allocate beyond reason.
    capacity = static_cast<int>(std::clamp<long long>(capacity, count,
                                                      static_cast<long long>(count) + kMaxSpareSlots));

    ItemArray items = AllocArray(capacity);
    int made = 0;
    try {
        for (; made < count; ++made) {
            items[made] = new CNumberString(std::move(texts[made]));
        }
    } catch (...) {
        for (int i = 0; i < made; ++i) {
            delete items[i];
        }
        throw;
    }
    // Everything was read: the loaded list replaces the old one.
    DeleteItems(0, m_nCount);
    FreeArray();
    m_ppItems = std::move(items);
    m_nCount = count;
    m_nGrowBy = growBy;
    m_nCapacity = capacity;
    m_strName = std::move(name);
}

}  // namespace formix
