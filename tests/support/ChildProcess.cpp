// Test support for the tests of support/: RunInChild and the child work it runs.
#include "ChildProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <map>

extern char** environ;

namespace {

constexpr int kPollMs = 50;
// The child reads its work's argument from one descriptor (a file in memory, of any size) and
// writes its report to another; its work's name and its parent come in its environment.
constexpr int kArgumentFd = 3;
constexpr int kReportFd = 4;
constexpr char kWorkVariable[] = "VEMO_CHILD_WORK";
constexpr char kParentVariable[] = "VEMO_CHILD_PARENT";
constexpr char kSuite[] = "ChildWork";

std::map<std::string, ChildWork>& Works() {
    static std::map<std::string, ChildWork> works;
    return works;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A descriptor moved above the ones the child gets, so that giving one cannot overwrite another.
int Above(int fd) {
    if (fd < 0) return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 10);
    ::close(fd);
    return moved;
}

std::string ReadArgument() {
    std::string argument;
    char buf[4096];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(kArgumentFd, buf, sizeof buf, at);
        if (n <= 0) break;
        argument.append(buf, static_cast<size_t>(n));
        at += n;
    }
    ::close(kArgumentFd);
    return argument;
}

// The resident memory of a process in bytes; 0 when it cannot be told.
size_t ResidentBytes(pid_t pid) {
    std::ifstream statm("/proc/" + std::to_string(pid) + "/statm");
    size_t size = 0, resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// In the child: the one test its filter names, which runs the work and writes the report. A marker
// in front tells a report from a child that ended before writing one.
class ChildWorkTest : public ::testing::Test {
public:
    ChildWorkTest(std::string name, std::string argument) : m_name(std::move(name)), m_argument(std::move(argument)) {}
    void TestBody() override {
        const auto found = Works().find(m_name);
        ASSERT_NE(found, Works().end()) << "no child work " << m_name;
        std::string report;
        try {
            report = found->second(m_argument);
        } catch (const std::exception& e) {
            report = std::string("exception: ") + e.what();
        } catch (...) {
            report = "exception";
        }
        const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
        for (int i = 0; i < result.total_part_count(); ++i)
            if (result.GetTestPartResult(i).failed()) report += std::string("\nfailed: ") + result.GetTestPartResult(i).summary();
        WriteAll(kReportFd, "R" + report);
        ::close(kReportFd);
    }

private:
    std::string m_name, m_argument;
};

// A binary started as a child registers the test of its work before its main runs; the variables go,
// so that a process the work starts is no child of this kind.
const bool g_childTest = [] {
    const char* name = std::getenv(kWorkVariable);
    const char* parent = std::getenv(kParentVariable);
    if (!name || !parent) return false;
    // A child whose parent has gone ends with it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (std::to_string(::getppid()) != parent) ::_exit(1);
    const std::string work = name, text = ReadArgument();
    ::unsetenv(kWorkVariable);
    ::unsetenv(kParentVariable);
    ::testing::RegisterTest(kSuite, work.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                            [work, text]() -> ::testing::Test* { return new ChildWorkTest(work, text); });
    return true;
}();

// The environment of a child: this process's, without the test framework's settings (an output
// file, shards, repeats), with the work to do.
std::vector<std::string> ChildEnvironment(const std::string& name) {
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string variable = *v;
        if (variable.starts_with("GTEST_") || variable.starts_with("VEMO_CHILD_")) continue;
        variables.push_back(variable);
    }
    variables.push_back(std::string(kWorkVariable) + "=" + name);
    variables.push_back(std::string(kParentVariable) + "=" + std::to_string(::getpid()));
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts) pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

bool RegisterChildWork(const char* name, ChildWork work) { return Works().emplace(name, work).second; }

ChildOutcome RunInChild(ChildWork work, const std::string& argument, std::chrono::seconds deadline,
                        size_t memoryCeiling) {
    ChildOutcome outcome;
    std::string name;
    for (const auto& [registered, w] : Works())
        if (w == work) name = registered;
    if (name.empty()) {
        outcome.how = "work not registered";
        return outcome;
    }
    const int argumentFd = Above(::memfd_create("child argument", MFD_CLOEXEC));
    if (argumentFd < 0 || !WriteAll(argumentFd, argument)) {
        if (argumentFd >= 0) ::close(argumentFd);
        outcome.how = "no room for the argument";
        return outcome;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        ::close(argumentFd);
        outcome.how = "no pipe";
        return outcome;
    }
    fds[0] = Above(fds[0]);
    fds[1] = Above(fds[1]);
    std::vector<std::string> arguments = {"/proc/self/exe", std::string("--gtest_filter=") + kSuite + "." + name};
    std::vector<std::string> environment = ChildEnvironment(name);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, argumentFd, kArgumentFd);
    posix_spawn_file_actions_adddup2(&actions, fds[1], kReportFd);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::fflush(nullptr);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, Pointers(arguments).data(),
                                      Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(argumentFd);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        outcome.how = std::string("not started: ") + std::strerror(spawned);
        return outcome;
    }
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
    // The report is complete when the child closes its end; it then has only to exit.
    int status = 0;
    while (!open) {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid) break;
        if (std::chrono::steady_clock::now() > until) {
            outcome.how = "still running after " + std::to_string(deadline.count()) + " s: it hangs";
            open = true;
        } else {
            ::poll(nullptr, 0, kPollMs);
        }
    }
    if (open) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return outcome;
    }
    const bool marked = !received.empty() && received[0] == 'R';
    if (marked && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        outcome.reported = true;
        outcome.report = received.substr(1);
    } else {
        // A report followed by a failed exit (a failed check, a leak) is no report: it only says why.
        outcome.how = WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status))
                                          : "exited with " + std::to_string(WEXITSTATUS(status));
        outcome.how += marked ? " after reporting: " + received.substr(1) : " without a report";
    }
    return outcome;
}

std::string ChildArguments(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) {
        if (&part != &parts.front()) joined += '\0';
        joined += part;
    }
    return joined;
}

std::vector<std::string> ChildArgumentParts(const std::string& argument) {
    std::vector<std::string> parts(1);
    for (const char c : argument) {
        if (c == '\0')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}
