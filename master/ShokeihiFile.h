#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The 諸経費 master ("諸経費データ.daa"): one overhead rate per 業務.

inline constexpr char kShokeihiFileName[] = "諸経費データ.daa";

class CShokeihiRecord {
public:
    int32_t m_code = kUnset;  // 業務 code 1..32, the key
    std::string m_name;       // 業務 name
    int32_t m_rate = kUnset;  // percent ×100

    void Serialize(CArchive& ar);
    void Copy(const CShokeihiRecord& src) { *this = src; }
    bool operator==(const CShokeihiRecord&) const = default;
};

inline constexpr MasterFormat kShokeihiFormat{
    mastertext::kShokeihiSignature, mastertext::kShokeihiForeignFile,
    102, 102, &g_shokeihiLoadedVersion};

class CShokeihiFile : public CMasterHeader {
public:
    CShokeihiFile() : CMasterHeader(kShokeihiFormat) {}
    CShokeihiFile(const CShokeihiFile&) = default;
    CShokeihiFile& operator=(const CShokeihiFile&) = default;
    CShokeihiFile(CShokeihiFile&&) = default;
    CShokeihiFile& operator=(CShokeihiFile&&) = default;

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of records.
    int Copy(const CShokeihiFile& src) {
        *this = src;
        return GetCount();
    }
    bool operator==(const CShokeihiFile&) const = default;
    void RemoveAll() { m_records.RemoveAll(); }

    int GetCount() const { return m_records.GetSize(); }
    CShokeihiRecord* GetRecord(int index) const { return m_records.GetAt(index); }
    CShokeihiRecord* FindRecord(int32_t gyomu) const { return m_records.Find(&CShokeihiRecord::m_code, gyomu); }
    int FindRecordIndex(int32_t gyomu) const { return m_records.FindIndex(&CShokeihiRecord::m_code, gyomu); }
    int AddRecord(std::unique_ptr<CShokeihiRecord> p) { return m_records.Add(std::move(p)); }
    int InsertRecord(int index, std::unique_ptr<CShokeihiRecord> p) {
        return m_records.InsertAt(index, std::move(p));
    }
    std::unique_ptr<CShokeihiRecord> SetRecord(int index, std::unique_ptr<CShokeihiRecord> p) {
        return m_records.SetAt(index, std::move(p));
    }
    std::unique_ptr<CShokeihiRecord> RemoveRecord(int index) { return m_records.RemoveAt(index); }
    // First 業務 code in 1..32 without a record; -1 when all have one.
    int GetNewRecordCode() const { return m_records.NewCode(&CShokeihiRecord::m_code, 1, 32); }

private:
    COwningArray<CShokeihiRecord> m_records;
};
