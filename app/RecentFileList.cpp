#include "app/RecentFileList.h"

#include "platform/Settings.h"

namespace {
constexpr const char* kSection = "Recent File List";
std::string KeyOf(size_t i) { return "File" + std::to_string(i + 1); }
}  // namespace

void CRecentFileList::Load(ISettings& profile, const std::string& application) {
    m_files.clear();
    for (size_t i = 0; i < m_size; ++i) {
        std::string path = profile.GetString(application, kSection, KeyOf(i), "");
        if (!path.empty()) m_files.push_back(path);
    }
}

void CRecentFileList::Save(ISettings& profile, const std::string& application) const {
    for (size_t i = 0; i < m_size; ++i)
        profile.SetString(application, kSection, KeyOf(i), i < m_files.size() ? m_files[i] : std::string());
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    for (size_t i = 0; i < m_files.size(); ++i)
        if (m_files[i] == path) {
            m_files.erase(m_files.begin() + static_cast<long>(i));
            break;
        }
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_size) m_files.resize(m_size);
}

void CRecentFileList::Remove(size_t index) {
    if (index < m_files.size()) m_files.erase(m_files.begin() + static_cast<long>(index));
}
