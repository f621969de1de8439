#include "platform/LockFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <sstream>
#include <thread>

#include "platform/FileUtil.h"

namespace vemo {
namespace {

constexpr std::string_view kLockSuffix = ".lock";
constexpr std::string_view kRecordHeader = "vemo-lock 1";
constexpr size_t kRecordLimit = 4096;  // far above any record; a larger file names no one
std::atomic<std::chrono::milliseconds::rep> g_recordLockWait{kRecordLockWait.count()};

std::string FormatRecord(const LockOwner& owner) {
    std::ostringstream out;
    out << kRecordHeader << "\n"
        << "host " << owner.process.host << "\n"
        << "system " << owner.process.system << "\n"
        << "pid " << owner.process.pid << "\n"
        << "start " << owner.process.start << "\n"
        << "holder " << owner.holder << "\n";
    return out.str();
}

std::optional<LockOwner> ParseRecord(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kRecordHeader) return std::nullopt;
    LockOwner owner;
    int fields = 0;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) return std::nullopt;
        const std::string key = line.substr(0, space), value = line.substr(space + 1);
        try {
            if (key == "host") owner.process.host = value;
            else if (key == "system") owner.process.system = value;
            else if (key == "pid") owner.process.pid = std::stol(value);
            else if (key == "start") owner.process.start = std::stoull(value);
            else if (key == "holder") owner.holder = value;
            else return std::nullopt;
        } catch (const std::exception&) {
            return std::nullopt;
        }
        ++fields;
    }
    if (fields != 5) return std::nullopt;
    return owner;
}

bool WriteAt(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

using Clock = std::chrono::steady_clock;

class SystemClock : public LockWaitClock {
public:
    Clock::time_point Now() override { return Clock::now(); }
    void SleepFor(Clock::duration duration) override { std::this_thread::sleep_for(duration); }
};

std::atomic<LockWaitClock*> g_clock{nullptr};
// The waits of the process that are running; read by signal handlers, so lock-free.
std::atomic<int> g_runningWaits{0};
static_assert(std::atomic<int>::is_always_lock_free);

LockWaitClock& WaitClock() {
    static SystemClock system;
    LockWaitClock* installed = g_clock.load();
    return installed ? *installed : system;
}

// Takes a record lock on the whole file: an open-file-description lock where the system has them,
// else a process-wide one. One that another process keeps is tried again while the step may still
// wait, never waited for without end; false when it is still kept then. A file system without record
// locks (some network shares) is used without; the exclusive create still decides who takes a lock.
bool LockRecord(int fd, bool exclusive, LockWait& wait) {
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    int command = F_OFD_SETLK;
    bool paused = false;
    bool taken = false;
    for (;;) {
        taken = ::fcntl(fd, command, &fl) == 0;
        if (!taken) {
            if (errno == EINTR) continue;
            if (errno == EINVAL && command == F_OFD_SETLK) {
                command = F_SETLK;
                continue;
            }
            taken = errno != EAGAIN && errno != EACCES;
        }
        if (taken) break;
        paused = true;
        if (!wait.Pause()) break;
    }
    if (paused) wait.Over();
    return taken;
}

// The fault of what stands at a lock file's path, from its mode; none for a regular file.
LockFileFault KindFault(mode_t mode) {
    if (S_ISREG(mode)) return LockFileFault::none;
    if (S_ISLNK(mode)) return LockFileFault::link;
    if (S_ISDIR(mode)) return LockFileFault::folder;
    if (S_ISFIFO(mode)) return LockFileFault::pipe;
    return LockFileFault::special;
}

// Why a lock file that may exist could not be opened, error being the open's; no fault when it is missing.
LockFileError OpenError(const std::string& path, int error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return {KindFault(st.st_mode), 0};
    if (error == ENOENT) return {};
    if (error == EACCES || error == EPERM) return {LockFileFault::noAccess, 0};
    return {LockFileFault::notOpened, error};
}

// Why a lock file could not be created, error being the exclusive create's.
LockFileError CreateError(int error) {
    if (error == EACCES || error == EPERM) return {LockFileFault::noFolderAccess, 0};
    if (error == EROFS) return {LockFileFault::readOnlyFolder, 0};
    if (error == ENOSPC || error == EDQUOT || error == EFBIG) return {LockFileFault::notWritten, error};
    return {LockFileFault::notOpened, error};
}

// Links are not followed, and a pipe or device is never waited for: opening one returns at once.
constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Opens the regular file at path; -1 with error set for anything else (nothing is opened that lstat
// shows to be no regular file, and what is opened is checked again, in case the path changed between).
int OpenRegular(const std::string& path, int access, LockFileError& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = {KindFault(st.st_mode), 0};
        return -1;
    }
    const int fd = ::open(path.c_str(), access | kOpenFlags);
    if (fd < 0) {
        error = OpenError(path, errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0) error = {LockFileFault::notOpened, errno};
    else error = {KindFault(st.st_mode), 0};
    if (error.fault != LockFileFault::none) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

void SetRecordLockWait(std::chrono::milliseconds wait) { g_recordLockWait = wait.count(); }

LockWaitClock* SetLockWaitClock(LockWaitClock* clock) { return g_clock.exchange(clock); }

LockWait::LockWait() : m_budget(std::chrono::milliseconds(g_recordLockWait.load())) {}

LockWait::~LockWait() {
    if (m_running) --g_runningWaits;
}

bool LockWait::Pause() {
    constexpr Duration kRetry = std::chrono::milliseconds(20);
    if (m_givenUp || m_waited >= m_budget) return false;
    if (!m_running) {
        m_running = true;
        ++g_runningWaits;
    }
    if (onPause) onPause(m_waited, m_budget);
    if (m_givenUp) return false;
    LockWaitClock& clock = WaitClock();
    const Clock::time_point before = clock.Now();
    clock.SleepFor(std::min(kRetry, m_budget - m_waited));
    m_waited += std::max(Duration{}, clock.Now() - before);
    return true;
}

void LockWait::Over() {
    if (m_running) {
        m_running = false;
        --g_runningWaits;
    }
    if (onWaitOver) onWaitOver();
}

bool LockWaitRunning() noexcept { return g_runningWaits.load() > 0; }

std::string LockFilePath(const std::string& path) {
    return JoinPath(ParentFolder(path), "." + FileNameOf(path) + std::string(kLockSuffix));
}

bool IsLockFileName(std::string_view fileName) {
    return fileName.size() > 1 + kLockSuffix.size() && fileName.front() == '.' &&
           fileName.substr(fileName.size() - kLockSuffix.size()) == kLockSuffix;
}

LockFileResult CreateLockFile(const std::string& lockPath, const LockOwner& owner, LockFileError* error,
                              LockWait* wait) {
    LockWait ownWait;
    LockFileError failure;
    const int fd = ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return LockFileResult::exists;
        failure = CreateError(errno);
    } else {
        // Readers that open the new file before the record is in it find it empty: held, by no one known.
        // A reader that keeps its record lock past the deadline may read a half-written record, which
        // names no one as well; the file is this copy's all the same, as the create decided.
        LockRecord(fd, true, wait ? *wait : ownWait);
        if (!WriteAt(fd, FormatRecord(owner)) || ::fsync(fd) != 0) failure = {LockFileFault::notWritten, errno};
        if (::close(fd) != 0 && failure.fault == LockFileFault::none) failure = {LockFileFault::notWritten, errno};
        if (failure.fault == LockFileFault::none) return LockFileResult::created;
        ::unlink(lockPath.c_str());
    }
    if (error) *error = failure;
    return LockFileResult::failed;
}

LockFileHold::LockFileHold(const std::string& lockPath, Mode mode, bool create, LockWait* wait)
    : m_path(lockPath), m_exclusive(mode == Mode::exclusive) {
    const int access = m_exclusive ? O_RDWR : O_RDONLY;
    LockWait ownWait;
    LockWait& stepWait = wait ? *wait : ownWait;
    // A release may remove the file while this one waits for it; the hold is then taken again on
    // the file now at the path. Each round needs another copy to remove a file, so a few suffice.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = OpenRegular(lockPath, access, m_error);
        const bool creating = fd < 0 && create && m_error.fault == LockFileFault::none;
        if (creating) {
            // Missing: created here, exclusively; when another copy has created it first, it is opened.
            fd = ::open(lockPath.c_str(), access | O_CREAT | O_EXCL | kOpenFlags, 0666);
            if (fd < 0 && errno == EEXIST) continue;
            if (fd < 0) m_error = CreateError(errno);
        }
        if (fd < 0) return;
        if (!LockRecord(fd, m_exclusive, stepWait)) {
            // Another process keeps its record lock: the file counts as held by another copy. One
            // created here goes again, as it names no one.
            if (creating) ::unlink(lockPath.c_str());
            ::close(fd);
            m_error = {};
            return;
        }
        struct stat held {}, now {};
        if (::fstat(fd, &held) == 0 && ::lstat(lockPath.c_str(), &now) == 0 && held.st_dev == now.st_dev &&
            held.st_ino == now.st_ino) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
}

LockFileHold::~LockFileHold() {
    if (m_fd >= 0) ::close(m_fd);
}

std::optional<LockOwner> LockFileHold::Owner() const {
    if (m_fd < 0) return std::nullopt;
    std::string text;
    char buf[1024];
    for (;;) {
        ssize_t n = ::pread(m_fd, buf, sizeof buf, static_cast<off_t>(text.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        text.append(buf, static_cast<size_t>(n));
        if (text.size() > kRecordLimit) return std::nullopt;
    }
    return ParseRecord(text);
}

bool LockFileHold::Rewrite(const LockOwner& owner) {
    if (m_fd < 0 || !m_exclusive) return false;
    if (::ftruncate(m_fd, 0) == 0 && WriteAt(m_fd, FormatRecord(owner)) && ::fsync(m_fd) == 0) return true;
    m_error = {LockFileFault::notWritten, errno};
    return false;
}

bool LockFileHold::Remove() {
    if (m_fd < 0 || !m_exclusive) return false;
    return ::unlink(m_path.c_str()) == 0;
}

}  // namespace vemo
