#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSharedPointer>

#include <unistd.h>

QString CInstanceChannel::DefaultName(const std::string& programFolder) {
    const QByteArray folder = QCryptographicHash::hash(QByteArray::fromStdString(programFolder),
                                                       QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("VemoOvra-%1-%2").arg(getuid()).arg(QString::fromLatin1(folder));
}

bool CInstanceChannel::SendToRunning(const QString& name, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    // One absolute path a line.
    QByteArray message;
    for (const QString& file : files) message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

CInstanceChannel::CInstanceChannel(QObject* parent) : QObject(parent), m_server(new QLocalServer(this)) {
    // Only this user may hand files over.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceChannel::OnNewConnection);
}

CInstanceChannel::~CInstanceChannel() = default;

bool CInstanceChannel::Listen(const QString& name) {
    if (m_server->listen(name)) return true;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void CInstanceChannel::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto received = QSharedPointer<QByteArray>::create();
        auto finish = [this, socket, received] {
            *received += socket->readAll();
            socket->deleteLater();
            QStringList files;
            for (const QByteArray& line : received->split('\n'))
                if (!line.isEmpty()) files << QString::fromUtf8(line);
            if (!files.isEmpty() && onFiles) onFiles(files);
        };
        // The sender may have gone already; what it wrote is still there to read.
        if (socket->state() == QLocalSocket::UnconnectedState) {
            finish();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [socket, received] { *received += socket->readAll(); });
        connect(socket, &QLocalSocket::disconnected, this, finish);
    }
}
