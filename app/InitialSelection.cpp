#include "app/InitialSelection.h"

#include <cmath>

#include "estimate/CalcCodes.h"
#include "formix/Formix.h"
#include "platform/FileUtil.h"
#include "report/PrintFormText.h"

namespace {

constexpr size_t kMaxBytes = 1000;

// Reads at most kMaxBytes of a regular file (a named pipe in its place must not hold the program up);
// false when there is none or it cannot be read. When the file is longer, a line cut at the limit is
// left out rather than read as a shorter number.
bool ReadHead(const std::string& path, std::string& text) {
    bool longer = false;
    if (vemo::ReadFileHead(path, kMaxBytes, text, &longer) != vemo::ReadResult::read) return false;
    if (longer && text.back() != '\n') text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    return true;
}

int TruncatedValue(const std::string& formula) {
    double value = Execute(formula.c_str()) + 1e-7;
    // A formula such as "1/0" gives no code at all.
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) return 0;
    return static_cast<int>(value);
}

}  // namespace

std::string InitialSelectionFileName(int gyomuCode, int variant) {
    static const char* const names[calc::Gyomu::LastStandard][2] = {
        {"新測量工種初期選択.txt", "測量工種初期選択.txt"},
        {"新設計工種初期選択.txt", "設計工種初期選択.txt"},
        {"新物件工種初期選択.txt", "物件工種初期選択.txt"},
        {"新土質一般工種初期選択.txt", "土質一般工種初期選択.txt"},
        {"新土質解析工種初期選択.txt", "土質解析工種初期選択.txt"},
        {"新区画測量工種初期選択.txt", "区画測量工種初期選択.txt"},
        {"新区画設計工種初期選択.txt", "区画設計工種初期選択.txt"},
    };
    if (!calc::IsStandardGyomu(gyomuCode) || variant < 0 || variant > 1) return {};
    return names[gyomuCode - calc::Gyomu::Sokuryo][variant];
}

int LoadInitialSelection(const std::string& programFolder, int gyomuCode, std::span<int> values, int variant) {
    const std::string name = InitialSelectionFileName(gyomuCode, variant);
    if (name.empty()) return -1;
    std::string text;
    if (!ReadHead(vemo::JoinPath(programFolder, name), text)) return -1;

    size_t stored = 0;
    size_t position = 0;
    for (size_t line = 0; line < values.size(); ++line) {
        if (position >= text.size()) {
            // The text ended first: the list is closed with -1.
            values[stored] = -1;
            break;
        }
        size_t end = text.find('\n', position);
        std::string current = text.substr(position, end == std::string::npos ? std::string::npos : end - position);
        position = end == std::string::npos ? text.size() : end + 1;
        // Only a carriage return before the line end is dropped.
        if (!current.empty() && current.back() == '\r') current.pop_back();
        if (!current.empty()) values[stored++] = TruncatedValue(current);
    }
    return 0;
}

int CheckFormTextFile(const std::vector<std::string>& forms, int formType) {
    if (formType < 0 || static_cast<size_t>(formType) >= forms.size()) return -1;
    std::string head;
    return vemo::ReadFileHead(PrintFormTextPath(forms[static_cast<size_t>(formType)]), 0, head) == vemo::ReadResult::read
               ? 0
               : -1;
}
