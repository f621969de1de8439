// Test support for the tests of support/: RunInChild.
#pragma once
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// What a child process gave back: the text its work returned, or how it ended without one.
struct ChildOutcome {
    bool reported = false;
    std::string report;
    std::string how;  // when it did not report: a signal, an exit, a hang or a runaway allocation
};

// Runs work in a forked child process and gives back the text it returns (an exception that leaves
// work is reported as its text). A child that crashes or aborts does not report; one still running
// at the deadline (only a hang reaches it) or holding more than memoryCeiling bytes of memory (only
// a read without a bound reaches it) is killed. Checks inside work do not reach the parent's test:
// work reports what it saw and the parent checks that.
ChildOutcome RunInChild(const std::function<std::string()>& work,
                        std::chrono::seconds deadline = std::chrono::seconds(60),
                        size_t memoryCeiling = size_t{1} << 30);
