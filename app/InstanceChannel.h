#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QLocalServer;

// Hands the files a second start of the program is asked to open to the program that is already
// running, as a file opened from the file manager reaches the running program. The running
// program listens on a local socket named after the user and the program's folder; a start with
// files first tries to give them to it and ends when it has.
class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    // The socket name of the programs of this user in that folder.
    static QString DefaultName(const std::string& programFolder);
    // Sends the files (made absolute) to the program listening on name; false when none answers.
    static bool SendToRunning(const QString& name, const QStringList& files, int timeoutMs = 3000);

    explicit CInstanceChannel(QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // Starts listening (a socket left behind by a program that ended badly is replaced).
    bool Listen(const QString& name);

    // The files another start handed over, absolute, in the order given.
    std::function<void(const QStringList&)> onFiles;

private:
    void OnNewConnection();
    QLocalServer* m_server;
};
