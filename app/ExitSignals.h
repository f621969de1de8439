#pragma once
#include <QObject>
#include <chrono>
#include <functional>

class QSocketNotifier;

// Catches SIGTERM, SIGHUP and SIGINT for as long as it lives, so that the program ends through its
// own exit path rather than at once. The handler only writes the signal's number to a pipe; the
// event loop reads it there and calls onSignal with it. A later signal ends the program at once,
// with 128 + its number, only while a step of the program is held in a wait for lock files that
// another program keeps, and only when it comes kBurst or more after the first: the user is not left
// waiting behind that wait, while the signals a hang-up sends together, or one during an exit that
// is releasing the locks without waiting, leave the exit to finish. One at a time in a process: the
// handling before it is put back when it goes.
class CExitSignals : public QObject {
    Q_OBJECT
public:
    explicit CExitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~CExitSignals() override;

    // Signals that come within this of the first are one burst with it.
    static constexpr std::chrono::nanoseconds kBurst = std::chrono::seconds(1);

    // False when the signals are not caught (no pipe, or another one is installed).
    bool Installed() const { return m_notifier != nullptr; }

private:
    void OnReadable();

    std::function<void(int)> m_onSignal;
    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
