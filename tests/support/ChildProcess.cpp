// Test support for the tests of support/: RunInChild.
#include "ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <fstream>

namespace {

constexpr int kPollMs = 50;

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The resident memory of a process in bytes; 0 when it cannot be told.
size_t ResidentBytes(pid_t pid) {
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    size_t size = 0, resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& work, std::chrono::seconds deadline,
                        size_t memoryCeiling) {
    ChildOutcome outcome;
    int fds[2];
    if (::pipe(fds) != 0) {
        outcome.how = "no pipe";
        return outcome;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        outcome.how = "no fork";
        return outcome;
    }
    if (pid == 0) {
        ::close(fds[0]);
        std::string report;
        try {
            report = work();
        } catch (const std::exception& e) {
            report = std::string("exception: ") + e.what();
        } catch (...) {
            report = "exception";
        }
        // A marker in front tells a report from a child that ended before writing one.
        ::_exit(WriteAll(fds[1], "R" + report) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string received;
    const auto until = std::chrono::steady_clock::now() + deadline;
    bool open = true;
    while (open) {
        pollfd wait{fds[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, kPollMs);
        if (ready > 0) {
            char buf[4096];
            const ssize_t n = ::read(fds[0], buf, sizeof buf);
            if (n > 0)
                received.append(buf, static_cast<size_t>(n));
            else
                open = false;
            continue;
        }
        if (std::chrono::steady_clock::now() > until) {
            outcome.how = "still running after " + std::to_string(deadline.count()) + " s: it hangs";
            break;
        }
        if (const size_t held = ResidentBytes(pid); held > memoryCeiling) {
            outcome.how = "held " + std::to_string(held >> 20) + " MB: a read without a bound";
            break;
        }
    }
    ::close(fds[0]);
    if (open) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!open && !received.empty() && received[0] == 'R' && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        outcome.reported = true;
        outcome.report = received.substr(1);
    } else if (!open) {
        outcome.how = WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status))
                                          : "exited with " + std::to_string(WEXITSTATUS(status)) + " without a report";
    }
    return outcome;
}
