#include "report/PrintFormTwin.h"

#include <cstdio>
#include <ctime>
#include <fstream>

#include "platform/Cp932.h"
#include "report/ReportTexts.h"

std::string FormTwinPath(const std::string& formPath) {
    std::string path = formPath;
    if (path.size() >= 5 && path.compare(path.size() - 5, 5, ".xlsx") == 0) return path.replace(path.size() - 5, 5, ".txt");
    const size_t at = path.rfind(".xls");
    if (at != std::string::npos) path.replace(at, 4, ".txt");
    return path;
}

bool LoadFormTwin(const std::string& formPath, FormTwinLines& lines) {
    std::ifstream in(FormTwinPath(formPath), std::ios::binary);
    if (!in) return false;
    std::string bytes(1000, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    const std::string text = vemo::Cp932ToUtf8(bytes);
    size_t position = 0;
    for (int i = 0; i < kFormTwinLines && position < text.size(); ++i) {
        size_t end = text.find('\n', position);
        std::string line = text.substr(position, end == std::string::npos ? std::string::npos : end - position);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines[static_cast<size_t>(i)] = line;
        position = end == std::string::npos ? text.size() : end + 1;
    }
    return true;
}

std::string EraDateText(int year, int month, int day) {
    char buffer[128];
    const int eraYear = year - 2018;
    if (eraYear == 1)
        std::snprintf(buffer, sizeof buffer, reporttext::kEraFirstYearDate, month, day);
    else
        std::snprintf(buffer, sizeof buffer, reporttext::kEraDate, eraYear, month, day);
    return buffer;
}

std::string TodayEraDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EraDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}
