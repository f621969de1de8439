// Test support for the tests of support/: TempFolder.
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string tmpl = (fs::temp_directory_path() / "vemo-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) ADD_FAILURE() << "cannot create a temporary folder";
    m_path = tmpl;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Files may carry the read-only mark; give the owner write access back before removing.
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempFolder::operator/(const std::string& name) const { return (fs::path(m_path) / name).string(); }

void WriteTestFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string ReadTestFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteSparseTestFile(const std::string& path, const std::string& head, uint64_t size) {
    WriteTestFile(path, head);
    if (::truncate(path.c_str(), static_cast<off_t>(size)) != 0) ADD_FAILURE() << "cannot extend " << path;
}

std::map<std::string, std::string> SnapshotOf(const std::string& path) {
    std::map<std::string, std::string> entries;
    auto add = [&](const std::string& entry) {
        struct stat st {};
        if (::lstat(entry.c_str(), &st) != 0) {
            entries[entry] = "nothing";
            return;
        }
        std::string s = std::to_string(st.st_mode) + " " + std::to_string(st.st_size);
        if (S_ISREG(st.st_mode) && st.st_size < (1 << 20)) s += " " + ReadTestFile(entry);
        entries[entry] = s;
    };
    add(path);
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec)))
        for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            add(it->path().string());
    return entries;
}

std::optional<uint64_t> BytesReadByProcess() {
    std::ifstream in("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (in >> key >> value)
        if (key == "rchar:") return value;
    return std::nullopt;
}

bool ReturnsWithoutAWriter(const std::string& path, const std::function<void()>& read) {
    if (::mkfifo(path.c_str(), 0600) != 0) {
        ADD_FAILURE() << "cannot make the named pipe " << path;
        return false;
    }
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(30)) == std::future_status::ready) return true;
    // The reader waits in open() or read(): a writer that comes and goes ends both.
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    done.wait();
    return false;
}
