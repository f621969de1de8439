#include "app/QtSettings.h"

#include <QSettings>
#include <QString>

#include "app/AppConstants.h"
#include "platform/NumberText.h"

namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

CQtSettings::CQtSettings() = default;

CQtSettings::~CQtSettings() { Sync(); }

QSettings& CQtSettings::Store(const std::string& application) {
    auto& slot = m_stores[application];
    if (!slot)
        slot = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QString::fromUtf8(vemo::app::kOrganisation),
                                           QString::fromStdString(application));
    return *slot;
}

std::string CQtSettings::GetString(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) {
    QVariant v = Store(application).value(KeyOf(section, key));
    if (!v.isValid()) return defaultValue;
    return v.toString().toStdString();
}

int CQtSettings::GetInt(const std::string& application, const std::string& section, const std::string& key,
                        int defaultValue) {
    QVariant v = Store(application).value(KeyOf(section, key));
    if (!v.isValid()) return defaultValue;
    auto parsed = vemo::ParseInt(v.toString().toStdString());
    return parsed ? *parsed : defaultValue;
}

void CQtSettings::SetString(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& value) {
    Store(application).setValue(KeyOf(section, key), QString::fromStdString(value));
}

void CQtSettings::SetInt(const std::string& application, const std::string& section, const std::string& key,
                         int value) {
    Store(application).setValue(KeyOf(section, key), QString::fromStdString(vemo::FormatInt(value)));
}

void CQtSettings::RemoveSection(const std::string& application, const std::string& section) {
    Store(application).remove(QString::fromStdString(section));
}

bool CQtSettings::Contains(const std::string& application, const std::string& section, const std::string& key) {
    return Store(application).contains(KeyOf(section, key));
}

void CQtSettings::Sync() {
    for (auto& [name, store] : m_stores)
        if (store) store->sync();
}
