#include "platform/ProcessId.h"

#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace vemo {
namespace {

std::string FirstLine(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

std::string SystemName() {
    char ns[128] = {};
    ssize_t n = ::readlink("/proc/self/ns/pid", ns, sizeof ns - 1);
    return FirstLine("/proc/sys/kernel/random/boot_id") + "/" + (n > 0 ? std::string(ns, static_cast<size_t>(n)) : "");
}

// The state and start time of a process from /proc/<pid>/stat; false when there is no such process.
// The command name in parentheses may hold anything, so the fields are counted after its last ')'.
bool ReadStat(long pid, char& state, unsigned long long& start) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    fields >> state;
    // Fields 4 to 21 come between the state (3) and the start time (22).
    for (int i = 4; i <= 21 && fields >> field; ++i) {
    }
    return static_cast<bool>(fields >> start);
}

uint32_t Fnv1a(const std::string& text) {
    uint32_t h = 2166136261u;
    for (unsigned char c : text) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

}  // namespace

const ProcessId& ThisProcess() {
    static ProcessId self;
    const long pid = static_cast<long>(::getpid());
    if (self.pid != pid) {
        ProcessId id;
        id.host = HostName();
        id.system = SystemName();
        id.pid = pid;
        char state = 0;
        ReadStat(pid, state, id.start);
        self = id;
    }
    return self;
}

std::optional<ProcessId> LocalProcess(long pid) {
    char state = 0;
    unsigned long long start = 0;
    if (pid <= 0 || !ReadStat(pid, state, start) || state == 'Z' || state == 'X') return std::nullopt;
    ProcessId id = ThisProcess();
    id.pid = pid;
    id.start = start;
    return id;
}

Liveness CheckProcess(const ProcessId& id) {
    const ProcessId& self = ThisProcess();
    if (id.host != self.host || id.system != self.system) return Liveness::unknown;
    std::optional<ProcessId> running = LocalProcess(id.pid);
    return running && running->start == id.start ? Liveness::running : Liveness::gone;
}

std::string SystemTag(const ProcessId& id) {
    char tag[17];
    std::snprintf(tag, sizeof tag, "%08x%08x", static_cast<unsigned>(Fnv1a(id.host)),
                  static_cast<unsigned>(Fnv1a(id.system)));
    return tag;
}

}  // namespace vemo
