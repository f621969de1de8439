#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The cover sheet (表紙) of the estimate and the input histories of the cover dialog's combo boxes,
// kept in "表紙データ.daa". Unlike the other masters the file has no data version, its version is
// stored as held and a version below 1.00 is raised on loading.

inline constexpr char kHyoshiFileName[] = "表紙データ.daa";

inline constexpr MasterFormat kHyoshiFormat{
    mastertext::kHyoshiSignature, mastertext::kHyoshiForeignFile,
    100, 0, &g_hyoshiLoadedVersion};

class CHyoshiData {
public:
    // The history lists and what fills them.
    enum HistoryList { kHistoryPrintTitle = 0, kHistoryAddress = 1, kHistorySubject = 2, kHistoryPlace = 3 };
    static constexpr int kHistoryLists = 4;
    static constexpr int kMaxHistory = 20;

    std::string m_signature{kHyoshiFormat.signature};
    int32_t m_fileVersion = kUnset;
    std::string m_printTitle;  // 印刷表題
    std::string m_number;      // No
    std::string m_date;        // 日付
    std::array<std::string, 10> m_spare;  // 予備1..予備10
    std::string m_address1;    // 宛名1
    std::string m_address2;    // 宛名2
    std::string m_subject;     // 件名
    std::string m_place;       // 箇所名
    std::string m_amount;      // 見積金額

    // Stores or loads the whole file; ok := 1, or 0 on a foreign signature (told to the user).
    void Serialize(CArchive& ar, int* ok);
    void Copy(const CHyoshiData& src) { *this = src; }
    bool operator==(const CHyoshiData&) const = default;

    // Entries of a list, newest first. Out-of-range list numbers give -1, "" or nothing.
    int GetHistoryCount(int list) const;
    std::string GetHistoryItem(int list, int index) const;
    // Texts are equal when they differ at most in CP932 code marks (platform/Cp932.h).
    int FindHistory(int list, const std::string& text) const;
    // Puts the text at the front; an equal entry is removed first and the list is kept to 20 entries.
    void AddHistory(int list, const std::string& text);
    // Appends without any test; returns the new index.
    int AppendHistory(int list, const std::string& text);
    void RemoveHistory(int list, const std::string& text);
    void RemoveHistoryAt(int list, int index);
    void ClearHistory(int list);
    void ClearAllHistory();

private:
    std::vector<std::string>* History(int list);
    const std::vector<std::string>* History(int list) const;

    std::array<std::vector<std::string>, kHistoryLists> m_history;
};
