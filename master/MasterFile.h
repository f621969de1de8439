#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Archive.h"
#include "platform/Constants.h"

// What every master file shares: the header (signature, file version, data version), the owning
// lists of records and the small read/write helpers of their streams.
//
// Every root and record is copyable and its copies are deep (editors work on copies); Copy(src) is
// that assignment under the name the callers use, and == compares field by field, children included.

// File version of the last load of each master. The nested records of a master test it while they
// read (older files lack some fields); it is set from the header before the first record is read.
inline int g_bukakeLoadedVersion = kUnset;
inline int g_henkaritsuLoadedVersion = kUnset;
inline int g_tankaLoadedVersion = kUnset;
inline int g_shokeihiLoadedVersion = kUnset;
inline int g_programKingakuLoadedVersion = kUnset;
inline int g_zairyoTankaLoadedVersion = kUnset;
inline int g_hyoshiLoadedVersion = kUnset;

// The fixed facts of one master's file format.
struct MasterFormat {
    std::string_view signature;     // UTF-8; compared in its CP932 bytes
    std::string_view mismatchText;  // shown when a file carries another signature
    int currentVersion;             // a lower version is raised to this one on storing
    int dataVersionGate;            // files from this version on carry a data version
    int* loadedVersion;             // the master's loaded-version int
};

// A list that owns its elements. Indexes out of range give null; the list never holds null and never
// has holes; clearing deletes from the last element down.
template <class T>
class COwningArray {
public:
    COwningArray() = default;
    ~COwningArray() { RemoveAll(); }
    // Copies are deep: every element is copied into a new one.
    COwningArray(const COwningArray& other) {
        m_items.reserve(other.m_items.size());
        for (const auto& src : other.m_items) m_items.push_back(std::make_unique<T>(*src));
    }
    COwningArray& operator=(const COwningArray& other) {
        if (this != &other) {
            COwningArray copy(other);  // the old elements stay when a copy fails
            RemoveAll();
            m_items = std::move(copy.m_items);
        }
        return *this;
    }
    COwningArray(COwningArray&& other) noexcept : m_items(std::move(other.m_items)) {}
    COwningArray& operator=(COwningArray&& other) noexcept {
        if (this != &other) {
            RemoveAll();
            m_items = std::move(other.m_items);
        }
        return *this;
    }

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    // The element at the index; null when the index is negative or past the last element.
    T* GetAt(int index) const {
        return index >= 0 && index < GetSize() ? m_items[static_cast<size_t>(index)].get() : nullptr;
    }

    // Appends; returns the new index, or -1 for a null pointer.
    int Add(std::unique_ptr<T> p) {
        if (!p) return -1;
        m_items.push_back(std::move(p));
        return GetSize() - 1;
    }

    // Inserts in front of the element at the index; an index past the end appends. Returns the index
    // the element got, or -1 (and the element is deleted) for a negative index or a null pointer.
    int InsertAt(int index, std::unique_ptr<T> p) {
        if (!p || index < 0) return -1;
        if (index >= GetSize()) return Add(std::move(p));
        m_items.insert(m_items.begin() + index, std::move(p));
        return index;
    }

    // Replaces the element at an existing index and hands the old one back. Out of range or with a
    // null pointer nothing is replaced, null is returned and the given element is deleted.
    std::unique_ptr<T> SetAt(int index, std::unique_ptr<T> p) {
        if (!p || !GetAt(index)) return nullptr;
        std::swap(m_items[static_cast<size_t>(index)], p);
        return p;
    }

    // Takes the element out of the list and hands it to the caller; null when out of range.
    std::unique_ptr<T> RemoveAt(int index) {
        if (!GetAt(index)) return nullptr;
        std::unique_ptr<T> p = std::move(m_items[static_cast<size_t>(index)]);
        m_items.erase(m_items.begin() + index);
        return p;
    }

    // Deletes every element, the last one first.
    void RemoveAll() {
        while (!m_items.empty()) m_items.pop_back();
    }

    // Index of the first element whose code field equals the code; -1 when none.
    int FindIndex(int32_t T::*field, int32_t code) const {
        for (size_t i = 0; i < m_items.size(); ++i)
            if ((*m_items[i]).*field == code) return static_cast<int>(i);
        return -1;
    }
    T* Find(int32_t T::*field, int32_t code) const { return GetAt(FindIndex(field, code)); }

    // The lowest code of [low, high] that no element bears; -1 when all are taken.
    int NewCode(int32_t T::*field, int32_t low, int32_t high) const {
        std::vector<bool> taken(static_cast<size_t>(high - low + 1), false);
        for (const auto& p : m_items) {
            int32_t c = (*p).*field;
            if (c >= low && c <= high) taken[static_cast<size_t>(c - low)] = true;
        }
        for (int32_t c = low; c <= high; ++c)
            if (!taken[static_cast<size_t>(c - low)]) return c;
        return -1;
    }

    // Moves the element at from to the index to (counted in the list without it). -1 and nothing
    // changed when either index is out of range.
    int Move(int from, int to) {
        if (!GetAt(from) || !GetAt(to)) return -1;
        std::unique_ptr<T> p = RemoveAt(from);
        m_items.insert(m_items.begin() + to, std::move(p));
        return to;
    }

    void Store(CArchive& ar) const {
        ar.WriteInt(GetSize());
        for (const auto& p : m_items) p->Serialize(ar);
    }

    // Reads a count and that many elements. The count is checked against the bytes that remain
    // (minBytesEach is the smallest stored size of one element in any version); an element whose
    // reading throws is deleted and the exception passes on, the elements read before it stay.
    void Load(CArchive& ar, size_t minBytesEach) {
        int32_t count = ar.ReadCount(minBytesEach);
        for (int32_t i = 0; i < count; ++i) {
            auto p = std::make_unique<T>();
            p->Serialize(ar);
            m_items.push_back(std::move(p));
        }
    }

    void Serialize(CArchive& ar, size_t minBytesEach) {
        if (ar.IsStoring())
            Store(ar);
        else
            Load(ar, minBytesEach);
    }

    // Element-wise comparison of the pointed-to elements.
    bool operator==(const COwningArray& other) const {
        if (m_items.size() != other.m_items.size()) return false;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (!(*m_items[i] == *other.m_items[i])) return false;
        return true;
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<T>> m_items;
};

// Fixed-size groups of ints and texts, written one after the other.
void WriteInts(CArchive& ar, std::span<const int32_t> values);
void ReadInts(CArchive& ar, std::span<int32_t> values);
void WriteTexts(CArchive& ar, std::span<const std::string> texts);
void ReadTexts(CArchive& ar, std::span<std::string> texts);

// Reads the signature into held and compares its bytes with the format's. On a mismatch shows the
// format's message (OK, exclamation icon) and returns false.
bool LoadSignature(CArchive& ar, const MasterFormat& format, std::string& held);

// The header of the masters with a data version, shared by their roots.
class CMasterHeader {
public:
    std::string m_signature;
    int32_t m_fileVersion = kUnset;
    int32_t m_dataVersion = kUnset;

    bool operator==(const CMasterHeader&) const = default;

protected:
    explicit CMasterHeader(const MasterFormat& format) : m_signature(format.signature), m_format(&format) {}

    // Storing: writes the signature, the file version (raised to the current one when lower) and the
    // data version. Loading: reads the signature and, when it is this master's, the file version (also
    // into the loaded version) and the data version (taken from the file version when the file is
    // older than the gate). Returns false, with ok := 0, on a foreign signature; nothing more is read.
    bool SerializeHeader(CArchive& ar, int* ok);

    const MasterFormat* m_format;
};

// The bytes a root writes when stored (storing raises an old file version, so the root is not const).
template <class Root>
std::string StoreMasterBytes(Root&& root) {
    CArchive ar;
    int ok = 1;
    root.Serialize(ar, &ok);
    return ar.Buffer();
}

enum class MasterLoadResult { loaded, foreignSignature, corrupt };

// Reads a master from the bytes of its file into a fresh object and moves it into target only when
// the whole file was read; target is left as it was otherwise. A foreign signature has already been
// told to the user by the root; for a corrupt file the reason is put into reason (when given) and
// telling the user is left to the caller.
template <class Root>
MasterLoadResult LoadMasterFromBytes(Root& target, std::string bytes, std::string* reason = nullptr) {
    Root fresh;
    int ok = 0;
    try {
        CArchive ar(std::move(bytes));
        fresh.Serialize(ar, &ok);
    } catch (const CArchiveException& e) {
        if (reason) *reason = e.what();
        return MasterLoadResult::corrupt;
    }
    if (!ok) return MasterLoadResult::foreignSignature;
    target = std::move(fresh);
    return MasterLoadResult::loaded;
}
