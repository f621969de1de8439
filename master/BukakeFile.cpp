#include "master/BukakeFile.h"

#include "master/KoshuCategory.h"

// Smallest stored size of each record in any version, for checking counts against the file.
namespace {
constexpr size_t kMinHimokuBytes = 3 * 4 + 1;
constexpr size_t kMinLineBytes = 4 + 1 + 4 + 10 * 4;
constexpr size_t kMinDetailBytes = 1 + 8 * 4 + 4 + 1 + 10 * 4 + 3 * 4 + 3 * 4 + 4;
constexpr size_t kMinShubetsuBytes = 4 + 1 + 4 + 4 + kMinDetailBytes;
constexpr size_t kMinKoshuBytes = 4 + 1 + 4 + 4;
constexpr size_t kMinGyomuBytes = 4 + 1 + 4;

int LoadedVersion() { return g_bukakeLoadedVersion; }
}  // namespace

void CBukakeDetailLine::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_setting << m_name << m_value;
        WriteInts(ar, m_columns);
    } else {
        ar >> m_setting >> m_name >> m_value;
        ReadInts(ar, m_columns);
    }
}

void CBukakeHimoku::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        WriteInts(ar, m_values);
        ar << m_name;
    } else {
        ReadInts(ar, m_values);
        ar >> m_name;
    }
}

void CBukakeHimokuSet::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_setting;
        WriteInts(ar, m_bases);
        WriteInts(ar, m_rates);
        m_himoku.Store(ar);
    } else if (LoadedVersion() >= 105) {  // older files have no 費目 settings
        ar >> m_setting;
        ReadInts(ar, m_bases);
        ReadInts(ar, m_rates);
        m_himoku.Load(ar, kMinHimokuBytes);
    }
}

void CBukakeDetail::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_formula;
        WriteInts(ar, m_henkaritsu);
        ar << m_quantity << m_unit;
        WriteInts(ar, m_shokushu);
        WriteInts(ar, m_rates);
        ar << m_settingF4 << m_programKingaku << m_bukakeType << m_useAuxiliary;
        WriteTexts(ar, m_auxiliary);
        ar << m_textH << m_himokuMode << m_zairyoId;
        m_lines.Store(ar);
        m_himokuSet.Serialize(ar);
        return;
    }
    const int v = LoadedVersion();
    ar >> m_formula;
    ReadInts(ar, m_henkaritsu);
    ar >> m_quantity >> m_unit;
    ReadInts(ar, m_shokushu);
    ReadInts(ar, m_rates);
    ar >> m_settingF4 >> m_programKingaku >> m_bukakeType;
    if (v >= 105) {
        ar >> m_useAuxiliary;
        ReadTexts(ar, m_auxiliary);
        ar >> m_textH >> m_himokuMode;
    } else {
        m_himokuMode = 1;
    }
    m_zairyoId = v >= 106 ? ar.ReadInt() : kUnset;
    m_lines.Load(ar, kMinLineBytes);
    // Files before 1.05 had eight lines where the current layout has eleven.
    if (v < 105 && m_lines.GetSize() == 8) {
        for (int i = 0; i < 3; ++i) {
            auto line = std::make_unique<CBukakeDetailLine>();
            line->m_value = 1;
            m_lines.Add(std::move(line));
        }
    }
    m_himokuSet.Serialize(ar);
}

int64_t CBukakeDetail::GetShokushuTotal(int column) const {
    if (column < 0 || column > 9) return 0;
    int64_t total = 0;
    for (const auto& line : m_lines) {
        int32_t v = line->m_columns[static_cast<size_t>(column)];
        if (!IsUnset(v)) total += v;
    }
    return total;
}

int64_t CBukakeDetail::GetLineTotal(int index) const {
    const CBukakeDetailLine* line = GetLine(index);
    if (!line) return 0;
    int64_t total = 0;
    for (int32_t v : line->m_columns)
        if (!IsUnset(v)) total += v;
    return total;
}

int CBukakeDetail::GetNamedLineCount() const {
    int n = 0;
    for (const auto& line : m_lines)
        if (!line->m_name.empty()) ++n;
    return n;
}

void CBukakeShubetsu::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_code << m_name << m_userCreated << m_coefficient << m_denshiKind << m_conventional;
    } else {
        const int v = LoadedVersion();
        ar >> m_code >> m_name >> m_userCreated >> m_coefficient;
        m_denshiKind = v >= 107 ? ar.ReadInt() : 4;
        m_conventional = v >= 108 ? ar.ReadInt() : 1;
    }
    m_detail.Serialize(ar);
}

void CBukakeKoshu::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_code << m_name << m_userCreated << m_splitFlag << m_koshuType;
        WriteInts(ar, m_settings);
        m_shubetsu.Store(ar);
        return;
    }
    const int v = LoadedVersion();
    ar >> m_code >> m_name >> m_userCreated;
    m_splitFlag = v >= 108 ? ar.ReadInt() : 1;
    if (v >= 109)
        m_koshuType = ar.ReadInt();
    else
        m_koshuType = v <= 106 ? 4 : 0;
    if (v >= 110) ReadInts(ar, m_settings);
    m_shubetsu.Load(ar, kMinShubetsuBytes);
}

void CBukakeGyomu::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_code << m_name;
        m_koshu.Store(ar);
    } else {
        ar >> m_code >> m_name;
        m_koshu.Load(ar, kMinKoshuBytes);
    }
}

void CBukakeFile::Serialize(CArchive& ar, int* ok) {
    if (!SerializeHeader(ar, ok)) return;
    if (ar.IsStoring()) {
        ar << m_splitFlag;
        m_gyomu.Store(ar);
    } else {
        m_splitFlag = m_fileVersion >= 108 ? ar.ReadInt() : 1;
        m_gyomu.Load(ar, kMinGyomuBytes);
    }
    if (ok) *ok = 1;
}

int CBukakeFile::GetBusinessGyomuCount() const {
    int n = 0;
    for (const auto& g : m_gyomu)
        if (g->m_code <= Gyomu::LastBusiness) ++n;
    return n;
}

CBukakeKoshu* CBukakeFile::FindKoshu(int32_t gyomu, int32_t koshu) const {
    const CBukakeGyomu* g = FindGyomu(gyomu);
    return g ? g->FindKoshu(koshu) : nullptr;
}

CBukakeShubetsu* CBukakeFile::FindShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu) const {
    const CBukakeKoshu* k = FindKoshu(gyomu, koshu);
    return k ? k->FindShubetsu(shubetsu) : nullptr;
}
