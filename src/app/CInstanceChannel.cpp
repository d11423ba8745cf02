#include "app/CInstanceChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/InstanceMessage.h"
#include "platform/LocalPeer.h"
#include "platform/RuntimeFolder.h"

namespace {

constexpr char kTaken[] = "ok\n";
// A second start started together with the first waits this long for it
// to listen, and for its answer while it may still be opening its first file.
constexpr int kConnectWaitMs = 5000;
constexpr int kAnswerWaitMs = 15000;
constexpr int kRetryPauseMs = 100;
// A peer that keeps its message back is dropped.
constexpr int kReadTimeoutMs = 5000;

// True when the peer runs as this user: the folder keeps others out, and
// the socket says so again.
bool PeerIsThisUser(QLocalSocket* socket) {
    return LocalPeerIsThisUser(static_cast<std::intptr_t>(socket->socketDescriptor()));
}

}  // namespace

CInstanceChannel::CInstanceChannel(const QString& programName, QObject* parent)
    : QObject(parent), m_strPath(SocketPathFor(programName)) {}

QString CInstanceChannel::SocketPathFor(const QString& programName) {
    const QString folder = QString::fromLocal8Bit(UserRuntimeFolder());
    return folder.isEmpty() ? QString() : QDir(folder).filePath(programName + ".socket");
}

bool CInstanceChannel::Listen(Receiver receiver) {
    if (m_strPath.isEmpty()) {
        return false;
    }
    m_receiver = std::move(receiver);
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    // Whatever lies at the name was left by an instance that is gone: this
    // one holds the lock.
    QLocalServer::removeServer(m_strPath);
    if (!m_pServer->listen(m_strPath)) {
        return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceChannel::Accept);
    return true;
}

void CInstanceChannel::Accept() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsThisUser(socket)) {
            socket->abort();
            continue;
        }
        // A sender that never finishes its message is dropped.
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, &QLocalSocket::abort);
        timer->start(kReadTimeoutMs);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, received] { ReadFrom(socket, *received); });
        ReadFrom(socket, *received);
    }
}

void CInstanceChannel::ReadFrom(QLocalSocket* socket, QByteArray& received) {
    // Never more than one byte past the bound is kept.
    received.append(socket->read(kMaxInstanceMessageBytes + 1 - received.size()));
    switch (InstanceMessageProgress(received)) {
        case MessageProgress::kIncomplete:
            return;
        case MessageProgress::kRefused:
            socket->abort();
            return;
        case MessageProgress::kComplete:
            break;
    }
    const std::optional<QStringList> paths = DecodeInstanceMessage(received);
    if (!paths) {
        socket->abort();
        return;
    }
    socket->write(kTaken);
    socket->disconnectFromServer();
    if (m_receiver) {
        m_receiver(*paths);
    }
}

bool CInstanceChannel::Send(const QString& programName, const QStringList& paths, QString& why) {
    const std::optional<QByteArray> message = EncodeInstanceMessage(paths);
    if (!message) {
        why = QStringLiteral("the files cannot be handed over (too many, or a name too long)");
        return false;
    }
    const QString path = SocketPathFor(programName);
    if (path.isEmpty()) {
        why = QStringLiteral("no private runtime folder");
        return false;
    }
    QLocalSocket socket;
    QElapsedTimer waited;
    waited.start();
    // The first instance may hold its lock a moment before it listens.
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(kConnectWaitMs)) {
            break;
        }
        if (waited.elapsed() >= kConnectWaitMs) {
            why = QStringLiteral("it does not listen at %1").arg(path);
            return false;
        }
        QThread::msleep(kRetryPauseMs);
    }
    socket.write(*message);
    socket.waitForBytesWritten(kAnswerWaitMs);
    while (socket.bytesAvailable() < qint64(sizeof kTaken - 1) &&
           socket.waitForReadyRead(kAnswerWaitMs)) {
    }
    if (socket.readAll() != kTaken) {
        why = QStringLiteral("it did not take the files");
        return false;
    }
    return true;
}
