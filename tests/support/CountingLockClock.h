// Test support shared by the tests of lock files: CountingLockClock.
#pragma once
#include <functional>

#include "platform/LockFile.h"

// The clock of the record-lock waits while it lives: a sleep passes at once and is added up, so a
// test sees how long a step would have waited without waiting for it. onSleep, when set, runs at
// each sleep (a test acts there while the program waits).
class CountingLockClock : public vemo::LockWaitClock {
public:
    CountingLockClock() : m_previous(vemo::SetLockWaitClock(this)) {}
    ~CountingLockClock() override { vemo::SetLockWaitClock(m_previous); }
    CountingLockClock(const CountingLockClock&) = delete;
    CountingLockClock& operator=(const CountingLockClock&) = delete;

    std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::time_point{} + slept; }
    void SleepFor(std::chrono::steady_clock::duration duration) override {
        slept += duration;
        if (onSleep) onSleep();
    }

    std::chrono::steady_clock::duration slept{};
    std::function<void()> onSleep;

private:
    vemo::LockWaitClock* m_previous;
};
