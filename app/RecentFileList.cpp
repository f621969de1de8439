#include "app/RecentFileList.h"

#include <algorithm>

#include "app/AppTexts.h"
#include "platform/FileUtil.h"
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

namespace {

// Characters, not bytes, of a UTF-8 text.
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

// The byte where the character at that index (from 0) begins; the text's size past its end.
size_t ByteOfCharacter(std::string_view text, size_t index) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == index) return i;
    return text.size();
}

// A name longer than the menu allows, cut in the middle: its beginning, "...", and its end with the
// extension.
std::string ElidedName(const std::string& name) {
    const size_t length = CharacterCount(name);
    if (length <= kRecentFileDisplayLength) return name;
    const std::string ellipsis = apptext::kRecentFileEllipsis;
    const size_t room = kRecentFileDisplayLength - CharacterCount(ellipsis);
    const size_t tail = std::min(room, std::max(room - room / 2, CharacterCount(vemo::ExtensionOf(name))));
    return name.substr(0, ByteOfCharacter(name, room - tail)) + ellipsis +
           name.substr(ByteOfCharacter(name, length - tail));
}

}  // namespace

std::string RecentFileDisplayName(const std::string& path, const std::string& currentFolder) {
    const std::string name = vemo::FileNameOf(path);
    if (!currentFolder.empty() && vemo::SamePath(vemo::ParentFolder(path), currentFolder)) return ElidedName(name);
    if (CharacterCount(path) <= kRecentFileDisplayLength) return path;
    // The root, "...", then as many of the last folders as fit before the name.
    const std::string lead = std::string("/") + apptext::kRecentFileEllipsis;
    for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        const std::string_view rest = std::string_view(path).substr(at);
        if (CharacterCount(lead) + CharacterCount(rest) <= kRecentFileDisplayLength) return lead + std::string(rest);
    }
    return ElidedName(name);
}
