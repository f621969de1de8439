#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "estimate/SekisanItem.h"

class CArchive;

// The estimate's ordered list of nodes and its header. Order: a 業務 node, then its 工種 nodes, each
// directly followed by its 種別 nodes, until the next 業務 node. The list owns its nodes.
//
// Positions are 0-based. Null entries may be held (AddItem with a null pointer); every finder and
// counter skips them.
class CSekisanItemList {
public:
    CSekisanItemList() = default;
    ~CSekisanItemList() { RemoveAll(); }
    CSekisanItemList(const CSekisanItemList&) = delete;
    CSekisanItemList& operator=(const CSekisanItemList&) = delete;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    int GetUpperBound() const { return GetCount() - 1; }
    // Null when i is out of range.
    CSekisanItem* GetItem(int i) const {
        return i >= 0 && i < GetCount() ? m_items[static_cast<size_t>(i)].get() : nullptr;
    }

    // Appends; returns the new position.
    int AddItem(std::unique_ptr<CSekisanItem> item);
    // Puts item at position i and hands back the node that was there. Throws std::out_of_range when
    // i is not a position of the list. (A node changed in place needs no SetItem.)
    std::unique_ptr<CSekisanItem> SetItem(int i, std::unique_ptr<CSekisanItem> item);
    // Inserts at i (0..count; count appends). Throws std::out_of_range outside that.
    void InsertItem(int i, std::unique_ptr<CSekisanItem> item);
    // Takes the node at i out of the list and hands it to the caller; null when i is out of range.
    std::unique_ptr<CSekisanItem> RemoveItem(int i);
    // Deletes every node, last first.
    void RemoveAll();

    // Header fields, then independent copies of the nodes of other (or of the nodes first..last,
    // clamped to other's positions). The nodes held before are deleted. Copying a list into itself
    // keeps it as it is.
    void Copy(const CSekisanItemList& other);
    void CopyHeader(const CSekisanItemList& other);
    void CopyRange(const CSekisanItemList& other, int first, int last);
    // Appends copies of other's 業務 node and of the nodes after it up to the next 業務 node;
    // nothing when other lacks the 業務.
    void AppendGyomu(const CSekisanItemList& other, int gyomu);
    // Appends copies of other's 工種 node and of the 種別 nodes directly after it; nothing when
    // other lacks the 工種.
    void AppendKoshu(const CSekisanItemList& other, int gyomu, int koshu);

    // Position of the first node of that level with those codes, or −1.
    int FindGyomu(int gyomu) const;
    int FindKoshu(int gyomu, int koshu) const;
    int FindShubetsu(int gyomu, int koshu, int shubetsu) const;

    // 0 when the 業務 node is absent; else the nodes after it up to the next 業務 node; with
    // printedOnly only those of that 業務 code whose 印刷無 is 0.
    int CountGyomuItems(int gyomu, bool printedOnly) const;
    // 0 when the 工種 node is absent; else the 種別 nodes directly after it; with printedOnly only
    // those with both codes equal and 印刷無 0.
    int CountKoshuItems(int gyomu, int koshu, bool printedOnly) const;
    int CountGyomu() const;                 // 業務 nodes
    int CountSummaryGyomu() const;          // 業務 nodes with a code above 32
    // 0 when the 業務 node is absent; else the 工種 nodes of that 業務 anywhere after it.
    int CountKoshuOfGyomu(int gyomu) const;
    // 0 when the 工種 node is absent; else the 種別 nodes with both codes anywhere after it.
    int CountShubetsuOfKoshu(int gyomu, int koshu) const;
    int CountPrinted() const;               // nodes whose 印刷無 is 0
    // 1 when some node has a 代価表: a set 代価 number on a 種別 node, or on a 工種 node of the
    // kinds that carry one (see the source); else 0.
    int HasDaikaTable() const;

    // Header and nodes in file order. Loading appends the nodes read to the list and throws
    // CArchiveException when the file holds fewer bytes than its counts and lengths claim.
    void Serialize(CArchive& ar);
    // The bytes Serialize stores: two lists with the same bytes are the same estimate on disk.
    std::string StoredBytes() const;

    std::string m_strKenmei;        // 件名
    std::string m_strKashoName;     // 箇所名
    std::string m_strPrintTitle;    // 印刷表題
    std::string m_strMasterFolder;  // folder of the master files the estimate is priced with
    int32_t m_nTankaColumn = kUnset;  // selected price column (0..19) of the 単価 master
    std::string m_strZairyoFile;    // 材料単価 file used
    std::string m_strDate;          // 日付 text of the 業務価格総括表

private:
    void Store(CArchive& ar) const;
    void AppendCopies(const CSekisanItemList& other, int first, int count);

    std::vector<std::unique_ptr<CSekisanItem>> m_items;
};

// The stored bytes of a list at one moment: whether a list's stored contents (what a save would write)
// differ from them later tells whether an input or a command changed the estimate.
class CStoredContents {
public:
    explicit CStoredContents(const CSekisanItemList& list) : m_bytes(list.StoredBytes()) {}
    bool Differ(const CSekisanItemList& list) const { return list.StoredBytes() != m_bytes; }

private:
    std::string m_bytes;
};
