#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/Settings.h"

class QSettings;

// Profile settings kept with QSettings under the organisation "ZORVA": one settings store per
// application name, sections as groups. Numbers are stored and read as C-locale texts.
class CQtSettings : public ISettings {
public:
    CQtSettings();
    ~CQtSettings() override;
    CQtSettings(const CQtSettings&) = delete;
    CQtSettings& operator=(const CQtSettings&) = delete;

    std::string GetString(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    int GetInt(const std::string& application, const std::string& section, const std::string& key,
               int defaultValue) override;
    void SetString(const std::string& application, const std::string& section, const std::string& key,
                   const std::string& value) override;
    void SetInt(const std::string& application, const std::string& section, const std::string& key,
                int value) override;

    // Deletes a whole section with every value in it.
    void RemoveSection(const std::string& application, const std::string& section);
    // True when the section holds the key.
    bool Contains(const std::string& application, const std::string& section, const std::string& key);
    // Writes pending changes to disk.
    void Sync();

private:
    QSettings& Store(const std::string& application);

    std::map<std::string, std::unique_ptr<QSettings>> m_stores;
};
