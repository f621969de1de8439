#pragma once
#include <QObject>
#include <functional>

class QSocketNotifier;

// Catches SIGTERM, SIGHUP and SIGINT for as long as it lives, so that the program ends through its
// own exit path rather than at once. The handler only writes the signal's number to a pipe; the
// event loop reads it there and calls onSignal with it. Once an end is under way (a signal was
// caught, or the program's exit has begun), a signal ends the program at once, with 128 + its number:
// a second signal is not left waiting behind the exit's waits. One at a time in a process: the
// handling before it is put back when it goes.
class CExitSignals : public QObject {
    Q_OBJECT
public:
    explicit CExitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~CExitSignals() override;

    // False when the signals are not caught (no pipe, or another one is installed).
    bool Installed() const { return m_notifier != nullptr; }
    // The program's exit has begun: a signal caught from now on ends it at once.
    static void EndUnderWay();

private:
    void OnReadable();

    std::function<void(int)> m_onSignal;
    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
