#pragma once
#include <optional>
#include <string>

// Who a running program is, so that the files it leaves beside the masters (a lock, a save in
// flight) name their writer and another copy of the program can tell whether that writer still runs.
namespace vemo {

struct ProcessId {
    std::string host;    // the machine's name
    std::string system;  // the running kernel (its boot id) and the process name space pids belong to
    long pid = 0;
    unsigned long long start = 0;  // start time in clock ticks since boot: tells a reused pid apart
    bool operator==(const ProcessId&) const = default;
};

// This process (found afresh in a forked child).
const ProcessId& ThisProcess();
// A process of this machine and system by its pid; nullopt when no such process runs (a zombie
// counts as gone).
std::optional<ProcessId> LocalProcess(long pid);

enum class Liveness { running, gone, unknown };
// running or gone for a process of this machine and system; unknown for one of another machine or
// system, whose processes cannot be seen from here.
Liveness CheckProcess(const ProcessId& id);

// A short tag of the machine and system of a process: 16 hexadecimal digits.
std::string SystemTag(const ProcessId& id);

}  // namespace vemo
