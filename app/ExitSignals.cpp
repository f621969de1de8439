#include "app/ExitSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "platform/LockFile.h"

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr size_t kSignalCount = sizeof kSignals / sizeof kSignals[0];

// The pipe's writing end while signals are caught; -1 otherwise.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);
// When the first signal came (monotonic nanoseconds; 0 before it).
std::atomic<int64_t> g_firstSignal{0};
static_assert(std::atomic<int64_t>::is_always_lock_free);
// The handling each signal had before, and whether it is caught now.
struct sigaction g_previous[kSignalCount];
bool g_caught[kSignalCount];

int64_t MonotonicNanos() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Runs in whatever the signal interrupted: only lock-free atomics, clock_gettime(), write(), _exit()
// and errno, all safe there. A full pipe drops the byte; the ones already in it end the program all
// the same. A signal after the first ends the program at once only while a step is held in a lock
// wait and the signal is not one of the burst the first came in (a closed terminal sends SIGHUP
// twice: from the shell and from the kernel); otherwise the exit the first began goes on, so that
// its release of the locks is never cut short.
void OnSignal(int signal) {
    const int savedErrno = errno;
    const int64_t now = MonotonicNanos();
    int64_t first = 0;
    if (!g_firstSignal.compare_exchange_strong(first, now) && now - first >= CExitSignals::kBurst.count() &&
        vemo::LockWaitRunning())
        ::_exit(128 + signal);
    const unsigned char number = static_cast<unsigned char>(signal);
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const ssize_t written = ::write(fd, &number, 1);
        static_cast<void>(written);
    }
    errno = savedErrno;
}

}  // namespace

CExitSignals::CExitSignals(std::function<void(int signal)> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    if (g_writeEnd.load() >= 0 || ::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_writeEnd = m_pipe[1];
    g_firstSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // A read or write the signal interrupts goes on rather than failing with EINTR.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignalCount; ++i) {
        // A signal the program was started to ignore (SIGHUP under nohup, say) stays ignored.
        g_caught[i] = ::sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 && g_previous[i].sa_handler != SIG_IGN &&
                      ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CExitSignals::OnReadable);
}

CExitSignals::~CExitSignals() {
    if (m_notifier) {
        for (size_t i = 0; i < kSignalCount; ++i)
            if (g_caught[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
        g_writeEnd = -1;
        delete m_notifier;
    }
    for (int fd : m_pipe)
        if (fd >= 0) ::close(fd);
}

void CExitSignals::OnReadable() {
    unsigned char numbers[16];
    const ssize_t n = ::read(m_pipe[0], numbers, sizeof numbers);
    for (ssize_t i = 0; i < n; ++i)
        if (m_onSignal) m_onSignal(numbers[i]);
}
