#pragma once
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ProcessId.h"

// Lock files: a small file beside a file that names who holds it. Taking one is a single exclusive
// create that only one process can win, on a local disk and on a network share; while it is read,
// rewritten or removed it is held with a record lock, so that a take-over waits for a save in flight
// and a save sees the take-over that came before it. Record locks that other processes keep are
// waited for a few seconds at most in one step of the program, however many lock files the step
// uses: a copy hung on a dead share, or any process that may read a lock file, could keep them for ever.
namespace vemo {

// How long one step waits in all for record locks that other processes keep, before the lock files
// still kept count as held by another copy; SetRecordLockWait changes it for this process.
inline constexpr std::chrono::milliseconds kRecordLockWait{5000};
void SetRecordLockWait(std::chrono::milliseconds wait);

// The clock the waits read and sleep on: the system's steady clock unless a test installs another.
class LockWaitClock {
public:
    virtual ~LockWaitClock() = default;
    virtual std::chrono::steady_clock::time_point Now() = 0;
    virtual void SleepFor(std::chrono::steady_clock::duration duration) = 0;
};
// Installs a clock (null: the system's); returns the one installed before (null for the system's).
LockWaitClock* SetLockWaitClock(LockWaitClock* clock);

// The wait of one step (a start-up, a save, the release at exit) for the record locks that other
// processes keep on its lock files: every lock file of the step is tried until the step has waited
// the record-lock wait in all, after which a record lock still kept is tried once and, kept, counts
// as held at once. Only the time spent waiting counts: the step may ask the user meanwhile.
class LockWait {
public:
    using Duration = std::chrono::steady_clock::duration;
    LockWait();
    ~LockWait();
    LockWait(const LockWait&) = delete;
    LockWait& operator=(const LockWait&) = delete;
    // Told at each pause of a wait (the time waited so far, of the budget), and once the wait that
    // paused is over; the step shows the wait to the user through them.
    std::function<void(Duration waited, Duration budget)> onPause;
    std::function<void()> onWaitOver;
    // Ends the waiting of this step: the record locks still kept count as held from now on.
    void GiveUp() { m_givenUp = true; }
    Duration Waited() const { return m_waited; }
    // Sleeps a moment for a record lock that another process keeps; false, without sleeping, once
    // the budget is spent or given up. The wait counts as running from its first pause to Over.
    bool Pause();
    void Over();

private:
    Duration m_budget;
    Duration m_waited{};
    bool m_givenUp = false;
    bool m_running = false;
};

// Whether a step of this process is held in a wait for a record lock right now (between a wait's
// first pause and its end). Safe to call from a signal handler.
bool LockWaitRunning() noexcept;

// Who holds a lock: a process and, within it, one holder (a store of the masters, say).
struct LockOwner {
    ProcessId process;
    std::string holder;
    bool operator==(const LockOwner&) const = default;
};

// "." + the file's name + ".lock", beside the file.
std::string LockFilePath(const std::string& path);
bool IsLockFileName(std::string_view fileName);

// Why a lock file could not be used. Only a regular file is a lock file: whatever else stands at its
// path (a link, even one to a lock file, a folder, a pipe, a device) is never opened for writing, never
// followed, and makes the lock one that cannot be taken.
enum class LockFileFault {
    none,
    link,            // a symbolic link stands at the path
    folder,          // a directory
    pipe,            // a named pipe
    special,         // a device, a socket or any other file that is not a regular one
    noAccess,        // the file may not be read or written
    readOnlyFolder,  // the file cannot be created: its folder lies on a file system mounted read-only
    noFolderAccess,  // the file cannot be created: the user may not write to its folder
    notWritten,      // the record could not be written (a full disk, say); error tells why
    notOpened,       // the file could not be opened for another reason; error tells why
};
struct LockFileError {
    LockFileFault fault = LockFileFault::none;
    int error = 0;  // the system's error number, for notWritten and notOpened
};

enum class LockFileResult { created, exists, failed };
// Creates the lock file naming owner; `exists` when something is at the path already. On failure no
// file is left and error (when given) says why. A reader's record lock on the new file is waited for
// as part of wait (a wait of its own when null).
LockFileResult CreateLockFile(const std::string& lockPath, const LockOwner& owner, LockFileError* error = nullptr,
                              LockWait* wait = nullptr);

// A lock file held for a while: shared (others may read it too) or exclusive (nobody else reads,
// rewrites or removes it meanwhile). Holds nothing when the file is missing (unless create is set:
// then it is created, exclusively) or cannot be used; Error() then says why. Nor when another process
// keeps a record lock on it past the step's wait (a wait of its own when null): the file then counts
// as held by another copy, and Error() says nothing. Opening never blocks, and the hold waits no
// longer than that.
class LockFileHold {
public:
    enum class Mode { shared, exclusive };
    LockFileHold(const std::string& lockPath, Mode mode, bool create = false, LockWait* wait = nullptr);
    ~LockFileHold();
    LockFileHold(const LockFileHold&) = delete;
    LockFileHold& operator=(const LockFileHold&) = delete;

    bool Held() const { return m_fd >= 0; }
    // Why the file is not held, or why the last Rewrite failed.
    const LockFileError& Error() const { return m_error; }
    // Whom the file names; nullopt when it names no one readable (an empty file, one being written).
    std::optional<LockOwner> Owner() const;
    // Exclusive holds only: makes the file name owner; removes the file.
    bool Rewrite(const LockOwner& owner);
    bool Remove();

private:
    std::string m_path;
    int m_fd = -1;
    bool m_exclusive = false;
    LockFileError m_error;
};

}  // namespace vemo
