#include "master/HenkaritsuFile.h"

namespace {
// Smallest stored size of a record (a version 1.00 record) and of a group.
constexpr size_t kMinRecordBytes = 4 + 1 + 4 + CHenkaritsuRecord::kColumns + CHenkaritsuRecord::kRows + 4 + 2 * 4 +
                                   4 + CHenkaritsuRecord::kColumns * CHenkaritsuRecord::kRows * 4 + 4 + 3;
constexpr size_t kMinGroupBytes = 4 + 1 + 4;
}  // namespace

void CHenkaritsuRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_code << m_name << m_userCreated;
        WriteTexts(ar, m_columnTitles);
        WriteTexts(ar, m_rowTitles);
        ar << m_type << m_standardColumn << m_standardRow << m_kubunFlag;
        WriteInts(ar, m_table);
        ar << m_mode << m_formula << m_formulaName << m_unit << m_remarks << m_llDefault << m_useAuxiliary;
        WriteTexts(ar, m_auxStart);
        WriteTexts(ar, m_auxEnd);
        WriteTexts(ar, m_auxFormula);
        ar << m_defaultAuxFormula;
        return;
    }
    const int v = g_henkaritsuLoadedVersion;
    ar >> m_code >> m_name >> m_userCreated;
    ReadTexts(ar, m_columnTitles);
    ReadTexts(ar, m_rowTitles);
    ar >> m_type >> m_standardColumn >> m_standardRow >> m_kubunFlag;
    ReadInts(ar, m_table);
    ar >> m_mode >> m_formula >> m_formulaName >> m_unit;
    if (v >= 101) ar >> m_remarks >> m_llDefault;
    if (v >= 103) {
        ar >> m_useAuxiliary;
        ReadTexts(ar, m_auxStart);
        ReadTexts(ar, m_auxEnd);
        ReadTexts(ar, m_auxFormula);
        ar >> m_defaultAuxFormula;
    }
}

int32_t CHenkaritsuRecord::GetCell(int column, int row) const {
    if (column < 1 || column > kColumns || row < 1 || row > kRows) return kUnset;
    return m_table[static_cast<size_t>((column - 1) * kRows + (row - 1))];
}

bool CHenkaritsuRecord::SetCell(int column, int row, int32_t value) {
    if (column < 1 || column > kColumns || row < 1 || row > kRows) return false;
    m_table[static_cast<size_t>((column - 1) * kRows + (row - 1))] = value;
    return true;
}

void CHenkaritsuGyomu::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_code << m_name;
        m_records.Store(ar);
    } else {
        ar >> m_code >> m_name;
        m_records.Load(ar, kMinRecordBytes);
    }
}

void CHenkaritsuFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    m_groups.Serialize(ar, kMinGroupBytes);
    if (ok) *ok = 1;
}

