#include "platform/Settings.h"

#include "platform/NumberText.h"

std::string MemorySettings::GetString(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& defaultValue) {
    auto it = values.find({application, section, key});
    return it == values.end() ? defaultValue : it->second;
}

int MemorySettings::GetInt(const std::string& application, const std::string& section, const std::string& key,
                           int defaultValue) {
    auto it = values.find({application, section, key});
    if (it == values.end()) return defaultValue;
    auto v = vemo::ParseInt(it->second);
    return v ? *v : defaultValue;
}

void MemorySettings::SetString(const std::string& application, const std::string& section,
                               const std::string& key, const std::string& value) {
    values[{application, section, key}] = value;
}

void MemorySettings::SetInt(const std::string& application, const std::string& section, const std::string& key,
                            int value) {
    values[{application, section, key}] = vemo::FormatInt(value);
}
