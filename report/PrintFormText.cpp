#include "report/PrintFormText.h"

#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "report/ReportTexts.h"

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The bytes without a last double-byte character whose second byte is missing.
std::string_view WithoutSplitCharacter(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        if (IsLeadByte(static_cast<unsigned char>(bytes[i]))) {
            if (i + 1 == bytes.size()) return bytes.substr(0, i);
            i += 2;
        } else {
            ++i;
        }
    }
    return bytes;
}

}  // namespace

const std::string& CPrintFormText::GetLine(int line) const {
    static const std::string kEmpty;
    return line >= 0 && line < kLineCount ? m_lines[static_cast<size_t>(line)] : kEmpty;
}

void CPrintFormText::SetLine(int line, std::string text) {
    if (line >= 0 && line < kLineCount) m_lines[static_cast<size_t>(line)] = std::move(text);
}

bool CPrintFormText::IsBukkenUchiwakePrinted() const {
    return GetLine(kBukkenUchiwake) == reporttext::kBukkenUchiwakeSwitch;
}

std::string PrintFormTextPath(std::string_view formPath) {
    std::string path(formPath);
    size_t nameStart = path.find_last_of("/\\");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot > nameStart) path.erase(dot);
    return path + ".txt";
}

void ReadPrintFormText(std::string_view cp932, CPrintFormText& text) {
    std::string_view bytes = WithoutSplitCharacter(cp932.substr(0, kPrintFormTextMaxBytes));
    size_t position = 0;
    for (int line = 0; line < CPrintFormText::kLineCount && position < bytes.size(); ++line) {
        size_t end = bytes.find('\n', position);
        std::string_view current = bytes.substr(position, end == std::string_view::npos ? std::string_view::npos
                                                                                         : end - position);
        position = end == std::string_view::npos ? bytes.size() : end + 1;
        if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
        text.SetLine(line, vemo::Cp932ToUtf8(current));
    }
}

int LoadPrintFormText(std::string_view formPath, CPrintFormText& text) {
    // Only a regular file is a twin: a named pipe in its place must not hold the program up.
    std::string bytes;
    if (vemo::ReadFileHead(PrintFormTextPath(formPath), kPrintFormTextMaxBytes, bytes) != vemo::ReadResult::read)
        return -1;
    ReadPrintFormText(bytes, text);
    return 0;
}

std::string ResolveStoredFormPath(const std::string& storedPath) {
    static constexpr std::string_view kOld = ".xls";
    if (storedPath.size() <= kOld.size() || storedPath.compare(storedPath.size() - kOld.size(), kOld.size(), kOld) != 0)
        return storedPath;
    if (vemo::FileExists(storedPath)) return storedPath;
    std::string current = storedPath + "x";
    return vemo::FileExists(current) ? current : storedPath;
}
