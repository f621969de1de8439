// Test support for the tests of master/: LegacyMasterBytes.
#include "LegacyMasterBytes.h"

namespace legacy {

namespace {

template <class Array>
void Ints(CArchive& ar, const Array& values) {
    for (int32_t v : values) ar.WriteInt(v);
}

template <class Array>
void Texts(CArchive& ar, const Array& texts) {
    for (const std::string& t : texts) ar.WriteString(t);
}

void Header(CArchive& ar, const CMasterHeader& root, int32_t version, int32_t dataVersionGate) {
    ar.WriteString(root.m_signature);
    ar.WriteInt(version);
    if (version >= dataVersionGate) ar.WriteInt(root.m_dataVersion);
}

void Detail(CArchive& ar, const CBukakeDetail& d, int32_t v) {
    ar << d.m_formula;
    Ints(ar, d.m_henkaritsu);
    ar << d.m_quantity << d.m_unit;
    Ints(ar, d.m_shokushu);
    Ints(ar, d.m_rates);
    ar << d.m_settingF4 << d.m_programKingaku << d.m_bukakeType;
    if (v >= 105) {
        ar << d.m_useAuxiliary;
        Texts(ar, d.m_auxiliary);
        ar << d.m_textH << d.m_himokuMode;
    }
    if (v >= 106) ar << d.m_zairyoId;
    ar.WriteInt(d.GetLineCount());
    for (int i = 0; i < d.GetLineCount(); ++i) {
        const CBukakeDetailLine& line = *d.GetLine(i);
        ar << line.m_setting << line.m_name << line.m_value;
        Ints(ar, line.m_columns);
    }
    if (v >= 105) {
        const CBukakeHimokuSet& hs = d.GetHimokuSet();
        ar << hs.m_setting;
        Ints(ar, hs.m_bases);
        Ints(ar, hs.m_rates);
        ar.WriteInt(hs.GetHimokuCount());
        for (int i = 0; i < hs.GetHimokuCount(); ++i) {
            Ints(ar, hs.GetHimoku(i)->m_values);
            ar << hs.GetHimoku(i)->m_name;
        }
    }
}

}  // namespace

std::string BukakeBytes(const CBukakeFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 104);
    if (v >= 108) ar << file.m_splitFlag;
    ar.WriteInt(file.GetCount());
    for (int gi = 0; gi < file.GetCount(); ++gi) {
        const CBukakeGyomu& g = *file.GetGyomu(gi);
        ar << g.m_code << g.m_name;
        ar.WriteInt(g.GetCount());
        for (int ki = 0; ki < g.GetCount(); ++ki) {
            const CBukakeKoshu& k = *g.GetKoshu(ki);
            ar << k.m_code << k.m_name << k.m_userCreated;
            if (v >= 108) ar << k.m_splitFlag;
            if (v >= 109) ar << k.m_koshuType;
            if (v >= 110) Ints(ar, k.m_settings);
            ar.WriteInt(k.GetCount());
            for (int si = 0; si < k.GetCount(); ++si) {
                const CBukakeShubetsu& s = *k.GetShubetsu(si);
                ar << s.m_code << s.m_name << s.m_userCreated << s.m_coefficient;
                if (v >= 107) ar << s.m_denshiKind;
                if (v >= 108) ar << s.m_conventional;
                Detail(ar, s.GetDetail(), v);
            }
        }
    }
    return ar.Buffer();
}

std::string HenkaritsuBytes(const CHenkaritsuFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 102);
    ar.WriteInt(file.GetSize());
    for (int gi = 0; gi < file.GetSize(); ++gi) {
        const CHenkaritsuGyomu& g = *file.GetGyomu(gi);
        ar << g.m_code << g.m_name;
        ar.WriteInt(g.GetSize());
        for (int ri = 0; ri < g.GetSize(); ++ri) {
            const CHenkaritsuRecord& r = *g.GetRecord(ri);
            ar << r.m_code << r.m_name << r.m_userCreated;
            Texts(ar, r.m_columnTitles);
            Texts(ar, r.m_rowTitles);
            ar << r.m_type << r.m_standardColumn << r.m_standardRow << r.m_kubunFlag;
            for (int c = 1; c <= CHenkaritsuRecord::kColumns; ++c)
                for (int row = 1; row <= CHenkaritsuRecord::kRows; ++row) ar.WriteInt(r.GetCell(c, row));
            ar << r.m_mode << r.m_formula << r.m_formulaName << r.m_unit;
            if (v >= 101) ar << r.m_remarks << r.m_llDefault;
            if (v >= 103) {
                ar << r.m_useAuxiliary;
                Texts(ar, r.m_auxStart);
                Texts(ar, r.m_auxEnd);
                Texts(ar, r.m_auxFormula);
                ar << r.m_defaultAuxFormula;
            }
        }
    }
    return ar.Buffer();
}

std::string TankaBytes(const CTankaFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 103);
    Texts(ar, file.m_company);
    ar << file.m_footerFlag << file.m_travelFlag << file.m_defaultColumn << file.m_travelTrade;
    Texts(ar, file.m_columnTitles);
    ar << file.m_consumptionTax;
    ar.WriteInt(file.GetCount());
    for (int i = 0; i < file.GetCount(); ++i) {
        const CTankaRow& r = *file.GetRow(i);
        ar << r.m_id << r.m_setting << r.m_unit << r.m_name << r.m_kind;
        Ints(ar, r.m_prices);
        ar << r.m_remarks;
        if (v >= 104) ar << r.m_related << r.m_spare;
    }
    return ar.Buffer();
}

std::string ZairyoTankaBytes(const CZairyoTankaFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 102);
    ar << file.m_title;
    ar.WriteInt(file.GetCount());
    for (int i = 0; i < file.GetCount(); ++i) {
        const CZairyoTankaItem& it = *file.GetItem(i);
        ar << it.m_id << it.m_setting << it.m_kind << it.m_name << it.m_spec << it.m_unit << it.m_price << it.m_remarks;
        if (v >= 101) ar << it.m_extra;
    }
    return ar.Buffer();
}

std::string ShokeihiBytes(const CShokeihiFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 102);
    ar.WriteInt(file.GetCount());
    for (int i = 0; i < file.GetCount(); ++i) {
        const CShokeihiRecord& r = *file.GetRecord(i);
        ar << r.m_code << r.m_name << r.m_rate;
    }
    return ar.Buffer();
}

std::string ProgramKingakuBytes(const CProgramKingakuFile& file, int32_t v) {
    CArchive ar;
    Header(ar, file, v, 101);
    ar.WriteInt(file.GetCount());
    for (int i = 0; i < file.GetCount(); ++i) {
        const CProgramKingakuRecord& r = *file.GetRecord(i);
        ar << r.m_code << r.m_name1 << r.m_name2 << r.m_condition1 << r.m_condition2 << r.m_fee;
    }
    return ar.Buffer();
}

}  // namespace legacy
