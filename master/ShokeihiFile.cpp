#include "master/ShokeihiFile.h"

void CShokeihiRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_code << m_name << m_rate;
    else
        ar >> m_code >> m_name >> m_rate;
}

void CShokeihiFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    m_records.Serialize(ar, 4 + 1 + 4);
    if (ok) *ok = 1;
}

