// Test support for the tests of support/: RunInChild and the child work it runs.
#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// What a child process gave back: the text its work returned, or how it ended without one.
struct ChildOutcome {
    bool reported = false;
    std::string report;
    std::string how;  // when it did not report: a signal, an exit, a hang or a runaway allocation
};

// Work a child process does: it gets the text its parent passed and returns what it saw.
using ChildWork = std::string (*)(const std::string& argument);

// Registers work under a name unique in the test binary (CHILD_WORK does it), so that the binary,
// started again as a child, finds it.
bool RegisterChildWork(const char* name, ChildWork work);

// Defines and registers a child work: CHILD_WORK(Name, argument) { ...; return report; }
#define CHILD_WORK(name, argument)                                            \
    std::string name(const std::string& argument);                             \
    [[maybe_unused]] const bool name##Registered = RegisterChildWork(#name, &name); \
    std::string name(const std::string& argument)

// Runs registered work in a fresh process — this test binary started again with a filter that runs
// only the work — and gives back the text it returns (an exception that leaves work is reported as
// its text). The child keeps nothing of this process but its environment and what argument gives
// it: work rebuilds its state from that. A child that crashes, aborts, fails a check inside work or
// exits with an error does not report (how then says why, with what it wrote); one still running at
// the deadline (only a hang reaches it) or holding more than memoryCeiling bytes of memory (only a
// read without a bound reaches it) is killed. Work reports what it saw and the parent checks that.
ChildOutcome RunInChild(ChildWork work, const std::string& argument,
                        std::chrono::seconds deadline = std::chrono::seconds(60),
                        size_t memoryCeiling = size_t{1} << 30);

// Several texts as one argument of a child work, and back.
std::string ChildArguments(const std::vector<std::string>& parts);
std::vector<std::string> ChildArgumentParts(const std::string& argument);
