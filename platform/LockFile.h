#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/ProcessId.h"

// Lock files: a small file beside a file that names who holds it. Taking one is a single exclusive
// create that only one process can win, on a local disk and on a network share; while it is read,
// rewritten or removed it is held with a record lock, so that a take-over waits for a save in flight
// and a save sees the take-over that came before it.
namespace vemo {

// Who holds a lock: a process and, within it, one holder (a store of the masters, say).
struct LockOwner {
    ProcessId process;
    std::string holder;
    bool operator==(const LockOwner&) const = default;
};

// "." + the file's name + ".lock", beside the file.
std::string LockFilePath(const std::string& path);
bool IsLockFileName(std::string_view fileName);

enum class LockFileResult { created, exists, failed };
// Creates the lock file naming owner; `exists` when another one is there already.
LockFileResult CreateLockFile(const std::string& lockPath, const LockOwner& owner);

// A lock file held for a while: shared (others may read it too) or exclusive (nobody else reads,
// rewrites or removes it meanwhile). Holds nothing when the file is missing (unless create is set)
// or cannot be opened.
class LockFileHold {
public:
    enum class Mode { shared, exclusive };
    LockFileHold(const std::string& lockPath, Mode mode, bool create = false);
    ~LockFileHold();
    LockFileHold(const LockFileHold&) = delete;
    LockFileHold& operator=(const LockFileHold&) = delete;

    bool Held() const { return m_fd >= 0; }
    // Whom the file names; nullopt when it names no one readable (an empty file, one being written).
    std::optional<LockOwner> Owner() const;
    // Exclusive holds only: makes the file name owner; removes the file.
    bool Rewrite(const LockOwner& owner);
    bool Remove();

private:
    std::string m_path;
    int m_fd = -1;
    bool m_exclusive = false;
};

}  // namespace vemo
