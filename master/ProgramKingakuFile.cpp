#include "master/ProgramKingakuFile.h"

void CProgramKingakuRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_code << m_name1 << m_name2 << m_condition1 << m_condition2 << m_fee;
    else
        ar >> m_code >> m_name1 >> m_name2 >> m_condition1 >> m_condition2 >> m_fee;
}

void CProgramKingakuFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    m_records.Serialize(ar, 4 + 4 * 1 + 4);
    if (ok) *ok = 1;
}

