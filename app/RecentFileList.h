#pragma once
#include <string>
#include <vector>

class ISettings;

// How the ファイル menu names a recent file, in at most this many characters: a file of the current
// folder by its name; another by its path, the folders after the root left out as "..." as far as
// needed; by its name alone when even that is too long. A name longer than that is cut in the middle
// ("..."), keeping its end and extension.
inline constexpr size_t kRecentFileDisplayLength = 30;
std::string RecentFileDisplayName(const std::string& path, const std::string& currentFolder);

// The most recently opened files, newest first, kept in the profile's "Recent File List" section
// as "File1" … "FileN".
class CRecentFileList {
public:
    explicit CRecentFileList(size_t size = 4) : m_size(size) {}

    void Load(ISettings& profile, const std::string& application);
    void Save(ISettings& profile, const std::string& application) const;
    // Puts the path first; an equal entry further down is dropped, and the oldest past the size.
    void Add(const std::string& path);
    void Remove(size_t index);
    const std::vector<std::string>& Files() const { return m_files; }
    size_t Size() const { return m_size; }

private:
    size_t m_size;
    std::vector<std::string> m_files;
};
