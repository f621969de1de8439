#pragma once

#include <memory>
#include <string>

#include "formix/FormixArchive.h"
#include "formix/Function.h"
#include "formix/NumberString.h"

namespace formix {

// A named, growable array of number texts. Slots may be empty (null). The list owns the objects it
// holds: an item handed to Add, InsertAt or SetAt that the list accepts (they return true) belongs to
// the list from then on; one they refuse stays with the caller. Indices are 0-based.
class CTextList : public CMathObject {
public:
    explicit CTextList(const char* name = "", int capacity = 10, int growBy = 10);
    ~CTextList() override;
    CTextList(const CTextList&) = delete;
    CTextList& operator=(const CTextList&) = delete;

    // Storing writes the count of non-empty slots, growBy, capacity, the name and then each
    // non-empty item's text; loading reads the same into a fresh list and takes it over only when
    // every byte was there. A short or malformed archive throws CArchiveException and leaves the list
    // as it was; so does any failure while storing (nothing is swallowed).
    virtual void Serialize(CArchive& ar);

    // Deletes the item at i and empties its slot; with shift the later slots move down.
    virtual void RemoveAt(int i, bool shift);
    // Deletes every item; with shrink the array is cut back to growBy slots.
    virtual void RemoveAll(bool shrink);
    // Resizes the array to n slots (n >= 0). Items beyond a smaller n are deleted and the count
    // follows, so the count never exceeds the capacity. False for a negative n.
    virtual bool SetCapacity(int n);
    // Inserts p at i (shifting later slots up), or past the end with empty slots between.
    virtual bool InsertAt(CNumberString* p, int i);
    virtual bool Add(CNumberString* p);
    // Puts p into slot i, deleting another item held there; past the end as InsertAt.
    virtual bool SetAt(CNumberString* p, int i);
    // Empties slot i without deleting its item and hands the item back to the caller.
    virtual CNumberString* ClearAt(int i);
    // Index of the first slot holding p (pointer comparison), or -1.
    virtual int Find(const CNumberString* p) const;
    // Drops the empty slots; capacity becomes the item count + 10.
    virtual void Compact();

    CNumberString* GetAt(int i) const;
    int GetCount() const { return m_nCount; }
    int GetCapacity() const { return m_nCapacity; }
    int GetGrowBy() const { return m_nGrowBy; }
    int CountNonNull() const;
    const std::string& GetName() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }

    // A capacity read from an archive is kept only up to this many slots beyond the count.
    static constexpr int kMaxSpareSlots = 65536;

protected:
    using ItemArray = std::unique_ptr<CNumberString*[]>;
    // A new array of n empty slots.
    virtual ItemArray AllocArray(int n);
    virtual void FreeArray();

private:
    // Makes room for at least `needed` slots, growing by at least `extra` beyond it.
    bool Reserve(long long needed, long long extra);
    bool PutPastEnd(CNumberString* p, int i);
    void DeleteItems(int from, int to);

    std::string m_strName;
    int m_nCount = 0;
    int m_nGrowBy = 10;
    int m_nCapacity = 0;
    ItemArray m_ppItems;
};

}  // namespace formix
