#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "master/KoshuCategory.h"
#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The 変化率・補正率 master ("変化率データ.soa"): per 業務 group a list of records, each a 16 × 32 table
// of rates or a formula with auxiliary formulas. 歩掛 formulas name the records as H1..H8.

inline constexpr char kHenkaritsuFileName[] = "変化率データ.soa";

class CHenkaritsuRecord {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 32;

    int32_t m_code = kUnset;  // 1..999; user-created records 1000..2000
    std::string m_name;       // 名称
    int32_t m_userCreated = 0;
    std::array<std::string, kColumns> m_columnTitles;
    std::array<std::string, kRows> m_rowTitles;
    int32_t m_type = 1;  // タイプ: 0 補正率, 1 変化率
    int32_t m_standardColumn = kUnset;
    int32_t m_standardRow = kUnset;
    int32_t m_kubunFlag = 0;  // 区分率
    // Rate ×1000 per cell, column after column: cell (c, r), both from 1, is m_table[(c-1)*32 + r-1].
    std::array<int32_t, kColumns * kRows> m_table;
    int32_t m_mode = 0;  // 0 表を使用, 1 式を使用
    std::string m_formula;
    std::string m_formulaName;
    std::string m_unit;
    std::string m_remarks;            // from version 1.01
    int32_t m_llDefault = kUnset;     // ×10000, from 1.01
    int32_t m_useAuxiliary = 0;       // from 1.03
    std::array<std::string, 8> m_auxStart;    // S1..S8 range starts, from 1.03
    std::array<std::string, 8> m_auxEnd;      // S1..S8 range ends
    std::array<std::string, 8> m_auxFormula;  // S1..S8 formulas
    std::string m_defaultAuxFormula;          // from 1.03

    CHenkaritsuRecord() { m_table.fill(kUnset); }
    void Serialize(CArchive& ar);
    void Copy(const CHenkaritsuRecord& src) { *this = src; }
    bool operator==(const CHenkaritsuRecord&) const = default;

    // The cell (column 1..16, row 1..32); unset outside the table.
    int32_t GetCell(int column, int row) const;
    // Sets a cell; false outside the table.
    bool SetCell(int column, int row, int32_t value);
};

class CHenkaritsuGyomu {
public:
    int32_t m_code = kUnset;  // 1..32
    std::string m_name;

    void Serialize(CArchive& ar);
    void Copy(const CHenkaritsuGyomu& src) { *this = src; }
    bool operator==(const CHenkaritsuGyomu&) const = default;

    int GetSize() const { return m_records.GetSize(); }
    CHenkaritsuRecord* GetRecord(int index) const { return m_records.GetAt(index); }
    CHenkaritsuRecord* FindRecord(int32_t code) const { return m_records.Find(&CHenkaritsuRecord::m_code, code); }
    int FindRecordIndex(int32_t code) const { return m_records.FindIndex(&CHenkaritsuRecord::m_code, code); }
    int GetRecordIndex(int32_t code) const { return FindRecordIndex(code); }
    int HasRecord(int32_t code) const { return FindRecordIndex(code) >= 0 ? 1 : 0; }
    int AddRecord(std::unique_ptr<CHenkaritsuRecord> p) { return m_records.Add(std::move(p)); }
    int InsertRecord(int index, std::unique_ptr<CHenkaritsuRecord> p) {
        return m_records.InsertAt(index, std::move(p));
    }
    std::unique_ptr<CHenkaritsuRecord> SetRecord(int index, std::unique_ptr<CHenkaritsuRecord> p) {
        return m_records.SetAt(index, std::move(p));
    }
    std::unique_ptr<CHenkaritsuRecord> RemoveRecord(int index) { return m_records.RemoveAt(index); }
    void RemoveAllRecords() { m_records.RemoveAll(); }

    // First free code in 1..999, or in 1000..2000 for a user-created record; -1 when full.
    int GetNewRecordCode(int userCreated) const {
        return userCreated ? m_records.NewCode(&CHenkaritsuRecord::m_code, 1000, 2000)
                           : m_records.NewCode(&CHenkaritsuRecord::m_code, 1, 999);
    }
    // Moves a record within the list; returns to, or -1 (nothing changed) when an index is out of range.
    int MoveRecord(int from, int to) { return m_records.Move(from, to); }

private:
    COwningArray<CHenkaritsuRecord> m_records;
};

inline constexpr MasterFormat kHenkaritsuFormat{
    mastertext::kHenkaritsuSignature, mastertext::kHenkaritsuForeignFile,
    103, 102, &g_henkaritsuLoadedVersion};

class CHenkaritsuFile : public CMasterHeader {
public:
    CHenkaritsuFile() : CMasterHeader(kHenkaritsuFormat) {}
    CHenkaritsuFile(const CHenkaritsuFile&) = default;
    CHenkaritsuFile& operator=(const CHenkaritsuFile&) = default;
    CHenkaritsuFile(CHenkaritsuFile&&) = default;
    CHenkaritsuFile& operator=(CHenkaritsuFile&&) = default;

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of groups.
    int Copy(const CHenkaritsuFile& src) {
        *this = src;
        return GetSize();
    }
    bool operator==(const CHenkaritsuFile&) const = default;
    void RemoveAll() { m_groups.RemoveAll(); }

    int GetSize() const { return m_groups.GetSize(); }
    CHenkaritsuGyomu* GetGyomu(int index) const { return m_groups.GetAt(index); }
    // The group of a 業務; 業務 5 uses the records of group 4.
    CHenkaritsuGyomu* FindGyomu(int32_t gyomu) const {
        return m_groups.Find(&CHenkaritsuGyomu::m_code, gyomu == Gyomu::DoshitsuKaiseki ? Gyomu::DoshitsuIppan : gyomu);
    }
    int FindGyomuIndex(int32_t code) const { return m_groups.FindIndex(&CHenkaritsuGyomu::m_code, code); }
    int HasGyomu(int32_t code) const { return FindGyomuIndex(code) >= 0 ? 1 : 0; }
    int AddGyomu(std::unique_ptr<CHenkaritsuGyomu> p) { return m_groups.Add(std::move(p)); }
    int InsertGyomu(int index, std::unique_ptr<CHenkaritsuGyomu> p) { return m_groups.InsertAt(index, std::move(p)); }
    std::unique_ptr<CHenkaritsuGyomu> SetGyomu(int index, std::unique_ptr<CHenkaritsuGyomu> p) {
        return m_groups.SetAt(index, std::move(p));
    }
    std::unique_ptr<CHenkaritsuGyomu> RemoveGyomu(int index) { return m_groups.RemoveAt(index); }
    int GetNewGyomuCode() const { return m_groups.NewCode(&CHenkaritsuGyomu::m_code, 1, 32); }

private:
    COwningArray<CHenkaritsuGyomu> m_groups;
};
