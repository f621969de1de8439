#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The プログラム金額 master ("プログラム金額データ.daa"): program-usage fees an estimate item can take over.

inline constexpr char kProgramKingakuFileName[] = "プログラム金額データ.daa";

class CProgramKingakuRecord {
public:
    int32_t m_code = kUnset;  // 1..99, the key
    std::string m_name1;      // プログラム名1
    std::string m_name2;      // プログラム名2
    std::string m_condition1; // 利用条件1
    std::string m_condition2; // 利用条件2
    int32_t m_fee = kUnset;   // 利用料金, yen

    void Serialize(CArchive& ar);
    void Copy(const CProgramKingakuRecord& src) { *this = src; }
    bool operator==(const CProgramKingakuRecord&) const = default;
};

inline constexpr MasterFormat kProgramKingakuFormat{
    mastertext::kProgramKingakuSignature, mastertext::kProgramKingakuForeignFile,
    101, 101, &g_programKingakuLoadedVersion};

class CProgramKingakuFile : public CMasterHeader {
public:
    CProgramKingakuFile() : CMasterHeader(kProgramKingakuFormat) {}
    CProgramKingakuFile(const CProgramKingakuFile&) = default;
    CProgramKingakuFile& operator=(const CProgramKingakuFile&) = default;
    CProgramKingakuFile(CProgramKingakuFile&&) = default;
    CProgramKingakuFile& operator=(CProgramKingakuFile&&) = default;

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of records.
    int Copy(const CProgramKingakuFile& src) {
        *this = src;
        return GetCount();
    }
    bool operator==(const CProgramKingakuFile&) const = default;
    void RemoveAll() { m_records.RemoveAll(); }

    int GetCount() const { return m_records.GetSize(); }
    CProgramKingakuRecord* GetRecord(int index) const { return m_records.GetAt(index); }
    CProgramKingakuRecord* FindRecord(int32_t code) const {
        return m_records.Find(&CProgramKingakuRecord::m_code, code);
    }
    int FindRecordIndex(int32_t code) const { return m_records.FindIndex(&CProgramKingakuRecord::m_code, code); }
    int AddRecord(std::unique_ptr<CProgramKingakuRecord> p) { return m_records.Add(std::move(p)); }
    int InsertRecord(int index, std::unique_ptr<CProgramKingakuRecord> p) {
        return m_records.InsertAt(index, std::move(p));
    }
    std::unique_ptr<CProgramKingakuRecord> SetRecord(int index, std::unique_ptr<CProgramKingakuRecord> p) {
        return m_records.SetAt(index, std::move(p));
    }
    std::unique_ptr<CProgramKingakuRecord> RemoveRecord(int index) { return m_records.RemoveAt(index); }
    // First code in 1..99 without a record; -1 when all have one.
    int GetNewRecordCode() const { return m_records.NewCode(&CProgramKingakuRecord::m_code, 1, 99); }

private:
    COwningArray<CProgramKingakuRecord> m_records;
};
