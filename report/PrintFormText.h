#pragma once
#include <array>
#include <string>
#include <string_view>

// The text twin of a print form: a CP932 text file beside the form's workbook, with the same name
// and the extension ".txt", whose 25 lines label and switch parts of the reports printed with that
// form. Lines 0 to 17 label the fields of the cover-sheet dialog, lines 18 to 23 the six check
// boxes of the page settings (an empty line disables its box), and line 24 switches the breakdown
// detail of 物件 rows on. A form without a twin uses the standard labels.
class CPrintFormText {
public:
    static constexpr int kLineCount = 25;
    enum Line : int {
        kInsatsuHyodai = 0,  // 印刷表題
        kNo = 1,
        kHiduke = 2,         // 日付
        kAtena1 = 3,         // 宛名1
        kAtena2 = 4,         // 宛名2
        kYobi1 = 5,          // 文章予備 1 to 10: lines 5 to 14
        kGyomuName = 15,     // 業務名称
        kKashoName = 16,     // 箇所名
        kMitsumoriKingaku = 17,  // 見積金額
        kSetDate = 18,
        kPrintHyoshi = 19,
        kPrintGyomuSokatsu = 20,
        kPrintSokatsu = 21,
        kPrintDaika = 22,
        kPrintDaikaMeisai = 23,
        kBukkenUchiwake = 24,
    };

    // The text of a line (UTF-8); "" for a number outside 0..24.
    const std::string& GetLine(int line) const;
    // Ignored for a number outside 0..24.
    void SetLine(int line, std::string text);
    // Line 24 reads "物件版内訳明細書を印刷する".
    bool IsBukkenUchiwakePrinted() const;

private:
    std::array<std::string, kLineCount> m_lines;
};

// Only the first 1000 bytes of a twin are read.
inline constexpr size_t kPrintFormTextMaxBytes = 1000;

// The path of a form's twin: the form's path with its extension, whatever it is, replaced by
// ".txt" (".txt" appended when the name has none).
std::string PrintFormTextPath(std::string_view formPath);

// Reads the lines of a twin's bytes into text, line 0 first: at most the first 1000 bytes, a
// double-byte character cut in two at that limit left out, lines ended by a line feed with a
// carriage return before it dropped, a last line without a line feed kept. Lines the bytes do not
// reach keep their texts.
void ReadPrintFormText(std::string_view cp932, CPrintFormText& text);

// Reads the twin of the form at formPath: 0 when it was read, -1 when it cannot be opened or is no
// regular file (the texts are then left as they were).
int LoadPrintFormText(std::string_view formPath, CPrintFormText& text);

// A form path kept in the settings as it is to be used now: an entry ending ".xls" (the forms of
// earlier versions) whose file is missing while the same path ending ".xlsx" exists names the
// .xlsx; any other entry is kept.
std::string ResolveStoredFormPath(const std::string& storedPath);
