#pragma once
#include <map>
#include <string>
#include <tuple>

// Profile settings: values kept per application, section and key (the program keeps them with
// QSettings under the organisation "ZORVA"; the core reads them through this interface).
class ISettings {
public:
    virtual ~ISettings() = default;
    virtual std::string GetString(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) = 0;
    virtual int GetInt(const std::string& application, const std::string& section, const std::string& key,
                       int defaultValue) = 0;
    virtual void SetString(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    virtual void SetInt(const std::string& application, const std::string& section, const std::string& key,
                        int value) = 0;
};

// Settings held in memory only: used where no settings store is installed, and by tests.
class MemorySettings : public ISettings {
public:
    std::string GetString(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    int GetInt(const std::string& application, const std::string& section, const std::string& key,
               int defaultValue) override;
    void SetString(const std::string& application, const std::string& section, const std::string& key,
                   const std::string& value) override;
    void SetInt(const std::string& application, const std::string& section, const std::string& key,
                int value) override;

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};
