#include "report/FormFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

FormFileRead ReadFormFile(const std::string& path, size_t maxBytes, bool whole, std::string& out, bool* longer) {
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FormFileRead::missing : FormFileRead::unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return FormFileRead::unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return FormFileRead::notAFile;
    }
    const auto size = static_cast<unsigned long long>(st.st_size);
    if (whole && size > maxBytes) {
        ::close(fd);
        return FormFileRead::tooLarge;
    }
    // One byte more than the limit tells a longer file (or one that grew since).
    const size_t want = maxBytes < SIZE_MAX ? maxBytes + 1 : maxBytes;
    std::string data;
    data.reserve(static_cast<size_t>(std::min<unsigned long long>(size, maxBytes)) + 1);
    char buf[65536];
    while (data.size() < want) {
        const size_t chunk = std::min(sizeof buf, want - data.size());
        const ssize_t n = ::read(fd, buf, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return FormFileRead::unreadable;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    const bool more = data.size() > maxBytes;
    if (more && whole) return FormFileRead::tooLarge;
    if (more) data.resize(maxBytes);
    if (longer) *longer = more;
    out.swap(data);
    return FormFileRead::read;
}
