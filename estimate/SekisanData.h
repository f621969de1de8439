#pragma once
#include <string>

#include "estimate/SekisanItemList.h"

class CArchive;

// The estimate object: one per document, holding the item list. Its calculation (recalculation,
// totals, pricing of the rows) is declared here too and implemented in its own source files
// (SekisanCalc*.cpp); this file keeps only the object and its storage.
class CSekisanData {
public:
    CSekisanData() = default;
    virtual ~CSekisanData() = default;
    CSekisanData(const CSekisanData&) = delete;
    CSekisanData& operator=(const CSekisanData&) = delete;

    // The embedded list; the caller does not own it.
    CSekisanItemList* GetItemList() { return &m_ItemList; }
    const CSekisanItemList* GetItemList() const { return &m_ItemList; }

    // Hands the archive to the item list in both directions; the object stores nothing of its own.
    virtual void Serialize(CArchive& ar);

    // Calculation operations follow here.

private:
    CSekisanItemList m_ItemList;
};

// Name (upper line) of the last item found without a unit price during a recalculation, or empty.
// Kept process-wide: the recalculation empties it first and the amount calculations overwrite it.
std::string& MissingPriceName();
