#include "estimate/SekisanData.h"

void CSekisanData::Serialize(CArchive& ar) { m_ItemList.Serialize(ar); }

std::string& MissingPriceName() {
    static std::string name;
    return name;
}
