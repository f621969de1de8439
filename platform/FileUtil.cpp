#include "platform/FileUtil.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <optional>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PlatformTexts.h"
#include "platform/TextUtil.h"

namespace vemo {
namespace fs = std::filesystem;

namespace {

// The reason of a failed file operation: what failed on which path (a text of the platform's table
// naming it), then the system's own reason for errno, which is in the user's language.
void SetError(std::string* error, const char* what, const std::string& path) {
    const int reason = errno;
    if (error) *error = FillText(what, {path}) + platformtext::kErrorDetailSeparator + std::strerror(reason);
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

constexpr std::string_view kTemporaryMark = ".save-";
constexpr size_t kTemporaryRandom = 6;  // the six characters mkostemp fills in
constexpr size_t kSystemTagLength = 16;

// Reads up to maxBytes from fd into out (appending). False on a read error.
bool ReadUpTo(int fd, size_t maxBytes, std::string& out) {
    char buf[65536];
    while (out.size() < maxBytes) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - out.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    return true;
}

// The reason given for a file longer than maxBytes, in whole megabytes.
std::string TooLargeReason(size_t maxBytes) {
    constexpr size_t kMB = size_t{1} << 20;
    return FillText(platformtext::kFileTooLarge, {std::to_string(maxBytes / kMB + (maxBytes % kMB != 0))});
}

// Reads a regular file of at most maxBytes without ever waiting for a writer: all of it (whole), or
// its first maxBytes. See ReadWholeFile and ReadFileHead; without followLinks a symbolic link at
// path is not a regular file.
ReadResult ReadRegularFile(const std::string& path, size_t maxBytes, bool whole, std::string& out, bool* longer,
                           std::string* error, bool followLinks = true) {
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        if (!followLinks && errno == ELOOP) {
            if (error) *error = platformtext::kNotARegularFile;
            return ReadResult::notAFile;
        }
        const ReadResult result = errno == ENOENT || errno == ENOTDIR ? ReadResult::missing : ReadResult::unreadable;
        SetError(error, platformtext::kCannotOpen, path);
        return result;
    }
    std::string data;
    std::string reason;
    ReadResult result = ReadResult::read;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result = ReadResult::unreadable;
        SetError(&reason, platformtext::kCannotRead, path);
    } else if (!S_ISREG(st.st_mode)) {
        result = ReadResult::notAFile;
        reason = platformtext::kNotARegularFile;
    } else if (whole && static_cast<unsigned long long>(st.st_size) > maxBytes) {
        result = ReadResult::tooLarge;
    } else {
        // A regular file never blocks; without the flag no file system answers "try again".
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        // One byte more than the limit tells a longer file (or one that grew since).
        data.reserve(static_cast<size_t>(std::min<unsigned long long>(static_cast<unsigned long long>(st.st_size),
                                                                      maxBytes)) + 1);
        if (!ReadUpTo(fd, maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes, data)) {
            result = ReadResult::unreadable;
            SetError(&reason, platformtext::kCannotRead, path);
        } else if (data.size() > maxBytes && whole) {
            result = ReadResult::tooLarge;
        }
    }
    ::close(fd);
    if (result == ReadResult::tooLarge) reason = TooLargeReason(maxBytes);
    if (result != ReadResult::read) {
        if (error) *error = reason;
        return result;
    }
    const bool more = data.size() > maxBytes;
    if (more) data.resize(maxBytes);
    if (longer) *longer = more;
    out.swap(data);
    return ReadResult::read;
}

bool IsTemporaryRandom(std::string_view random) {
    auto letterOrDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return random.size() == kTemporaryRandom && std::all_of(random.begin(), random.end(), letterOrDigit);
}

// The writer named in a temporary file's name: its system tag, pid and start time.
struct TemporaryWriter {
    std::string target;  // the name of the file it is to replace
    std::string systemTag;
    long pid = 0;
    unsigned long long start = 0;
};

bool ParseDecimal(std::string_view text, unsigned long long& value) {
    if (text.empty() || text.size() > 19) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return true;
}

// The writer of a temporary file named fileName; nullopt when the name is not one of a temporary file.
std::optional<TemporaryWriter> ParseTemporaryName(std::string_view fileName) {
    if (fileName.size() < 2 || fileName.front() != '.') return std::nullopt;
    const size_t mark = fileName.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark < 2) return std::nullopt;  // a target name of one character at least
    std::string_view rest = fileName.substr(mark + kTemporaryMark.size());
    // tag "." pid "." start "-" random
    if (rest.size() < kSystemTagLength + 1 + 1 + 1 + 1 + 1 + kTemporaryRandom) return std::nullopt;
    TemporaryWriter w;
    w.target = std::string(fileName.substr(1, mark - 1));
    w.systemTag = std::string(rest.substr(0, kSystemTagLength));
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    if (!std::all_of(w.systemTag.begin(), w.systemTag.end(), hex) || rest[kSystemTagLength] != '.') return std::nullopt;
    rest.remove_prefix(kSystemTagLength + 1);
    const size_t dot = rest.find('.');
    const size_t dash = rest.rfind('-');
    if (dot == std::string_view::npos || dash == std::string_view::npos || dash < dot ||
        rest.size() - dash - 1 != kTemporaryRandom)
        return std::nullopt;
    unsigned long long pid = 0;
    if (!ParseDecimal(rest.substr(0, dot), pid) || pid == 0 || pid > LONG_MAX ||
        !ParseDecimal(rest.substr(dot + 1, dash - dot - 1), w.start) || !IsTemporaryRandom(rest.substr(dash + 1)))
        return std::nullopt;
    w.pid = static_cast<long>(pid);
    return w;
}

// Whether no running program writes the temporary file any more (see RemoveStaleTemporaries).
bool IsAbandonedTemporary(const fs::directory_entry& entry, const TemporaryWriter& writer) {
    const ProcessId& self = ThisProcess();
    if (writer.systemTag == SystemTag(self)) {
        if (writer.pid == self.pid && writer.start == self.start) return true;
        std::optional<ProcessId> running = LocalProcess(writer.pid);
        return !running || running->start != writer.start;
    }
    // Another machine's program: a save that has not touched its file for so long has ended.
    std::error_code ec;
    const fs::file_time_type written = entry.last_write_time(ec);
    return !ec && fs::file_time_type::clock::now() - written > std::chrono::hours(kForeignTemporaryHours);
}

// Removes the entry when it is a temporary file (of the target named targetName, or of any target
// when targetName is empty) that no running program writes. True when it was removed.
bool RemoveIfAbandoned(const fs::directory_entry& entry, std::string_view targetName) {
    std::optional<TemporaryWriter> writer = ParseTemporaryName(entry.path().filename().string());
    std::error_code typeError;
    return writer && (targetName.empty() || writer->target == targetName) && entry.is_regular_file(typeError) && IsAbandonedTemporary(entry, *writer) &&
           ::unlink(entry.path().c_str()) == 0;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out, std::string* error) {
    return ReadRegularFile(path, maxBytes, true, out, nullptr, error);
}

ReadResult ReadFileHead(const std::string& path, size_t maxBytes, std::string& out, bool* longer, std::string* error) {
    return ReadRegularFile(path, maxBytes, false, out, longer, error);
}

ReadResult ReadWholeFileNoLink(const std::string& path, size_t maxBytes, std::string& out, std::string* error) {
    return ReadRegularFile(path, maxBytes, true, out, nullptr, error, false);
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* error) {
    std::string folder = ParentFolder(path);
    if (folder.empty()) folder = ".";
    RemoveStaleTemporaries(path);
    std::string tmpl =
        JoinPath(folder, ReplacingTemporaryPrefix(FileNameOf(path), ThisProcess()) + std::string(kTemporaryRandom, 'X'));
    int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) {
        SetError(error, platformtext::kCannotCreateTemporary, folder);
        return false;
    }
    // The temporary file is named by the file it is to replace: its own name means nothing to the user.
    auto fail = [&](const char* what) {
        SetError(error, what, path);
        ::close(fd);
        ::unlink(tmpl.c_str());
        return false;
    };
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (!WriteAll(fd, bytes)) return fail(platformtext::kCannotWrite);
    if (::fchmod(fd, mode) != 0) return fail(platformtext::kCannotSetMode);
    if (::fsync(fd) != 0) return fail(platformtext::kCannotFlush);
    if (::close(fd) != 0) {
        SetError(error, platformtext::kCannotClose, path);
        ::unlink(tmpl.c_str());
        return false;
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        SetError(error, platformtext::kCannotReplace, path);
        ::unlink(tmpl.c_str());
        return false;
    }
    // Make the rename itself durable, so that a power cut cannot bring back the old file.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WriteFileThroughLink(const std::string& path, std::string_view bytes, std::string* error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return WriteFileReplacing(path, bytes, error);
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    if (ec) {
        if (error) *error = FillText(platformtext::kCannotFollowLink, {path}) + platformtext::kErrorDetailSeparator + ec.message();
        return false;
    }
    return WriteFileReplacing(target.string(), bytes, error);
}

SaveResult SaveUserFile(const std::string& path, std::string_view bytes, std::string* error) {
    // The rename of the new file over the old one would replace a file its owner marked read-only.
    if (IsReadOnlyMarked(path)) return SaveResult::readOnly;
    return WriteFileThroughLink(path, bytes, error) ? SaveResult::saved : SaveResult::failed;
}

bool IsReplacingTemporary(std::string_view fileName) { return ParseTemporaryName(fileName).has_value(); }

std::string ReplacingTemporaryPrefix(std::string_view targetName, const ProcessId& writer) {
    return "." + std::string(targetName) + std::string(kTemporaryMark) + SystemTag(writer) + "." +
           std::to_string(writer.pid) + "." + std::to_string(writer.start) + "-";
}

int RemoveStaleTemporaries(const std::string& path) {
    std::string folder = ParentFolder(path);
    if (folder.empty()) folder = ".";
    const std::string target = FileNameOf(path);
    int removed = 0;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        removed += RemoveIfAbandoned(*it, target);
    return removed;
}

int RemoveStaleTemporariesIn(const std::string& folder) {
    int removed = 0;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        removed += RemoveIfAbandoned(*it, "");
    return removed;
}

bool IsReadOnlyMarked(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool SetReadOnlyMark(const std::string& path, bool readOnly) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    while (!name.empty() && name.front() == '/') name.remove_prefix(1);
    if (out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

std::string NormalizePath(std::string_view path) {
    if (path.empty()) return {};
    std::string s = fs::path(std::string(path)).lexically_normal().generic_string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

bool SamePath(std::string_view a, std::string_view b) { return NormalizePath(a) == NormalizePath(b); }

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return SamePath(a, b);
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string ParentFolder(std::string_view path) {
    std::string p = NormalizePath(path);
    size_t slash = p.rfind('/');
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return p.substr(0, slash);
}

std::string FileNameOf(std::string_view path) {
    std::string p = NormalizePath(path);
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string ExtensionOf(std::string_view path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    return (dot == std::string::npos || dot == 0) ? std::string() : name.substr(dot);
}

std::string ProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return NormalizePath(fs::current_path().string());
    return NormalizePath(exe.parent_path().string());
}

}  // namespace vemo
