// Test support shared by the tests of lock-file waits: CountingLockClock, KeepRecordLock.
#pragma once
#include <fcntl.h>

#include "platform/LockFile.h"

// The clock of the record-lock waits while it lives: a sleep passes at once and is added up, so a
// test sees how long a step would have waited; onSleep, when set, runs at each sleep.
struct CountingLockClock : vemo::LockWaitClock {
    std::chrono::steady_clock::duration slept{};
    std::function<void()> onSleep;
    vemo::LockWaitClock* previous = vemo::SetLockWaitClock(this);
    ~CountingLockClock() override { vemo::SetLockWaitClock(previous); }
    std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::time_point{} + slept; }
    void SleepFor(std::chrono::steady_clock::duration duration) override {
        slept += duration;
        if (onSleep) onSleep();
    }
};

// Keeps a read record lock on a lock file through an open of its own, as another program that reads
// it keeps one (open-file-description locks of two opens conflict, in one process too); the open,
// or -1 when the lock cannot be kept.
inline int KeepRecordLock(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    struct flock fl {};
    fl.l_type = F_RDLCK;
    return fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &fl) == 0 ? fd : -1;
}
