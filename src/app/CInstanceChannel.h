#pragma once
// The channel from a second start of kelvra to the running instance: a local
// socket beside the one-instance lock in the user's private runtime folder
// (platform/RuntimeFolder.h), which no other user can enter, so none can
// connect to it or put a socket of their own in its place. Only the holder
// of the lock listens; a socket left by a crashed instance is replaced.
//
// The running instance reads one bounded message per connection
// (app/InstanceMessage.h), answers "ok" to a message it takes, and hands
// the paths to its receiver; anything else closes the connection unread.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

class CInstanceChannel : public QObject {
    Q_OBJECT

public:
    // Called with the paths of each message taken (empty: raise only).
    using Receiver = std::function<void(const QStringList& paths)>;

    explicit CInstanceChannel(const QString& programName, QObject* parent = nullptr);
    CInstanceChannel(const CInstanceChannel&) = delete;
    CInstanceChannel& operator=(const CInstanceChannel&) = delete;

    // Listens for second starts; only for the holder of the one-instance
    // lock. False when the socket cannot be made (the program runs on, but
    // second starts cannot reach it).
    bool Listen(Receiver receiver);

    // A second start's side: hands the absolute paths to the running
    // instance and waits for its answer. False, with the reason in why,
    // when the paths cannot be sent or no running instance took them.
    static bool Send(const QString& programName, const QStringList& paths, QString& why);

    // The socket's path of programName in the user's runtime folder; empty
    // when there is no such folder.
    static QString SocketPathFor(const QString& programName);

private:
    void Accept();
    // Takes what socket has to read into received; acts on a whole message.
    void ReadFrom(QLocalSocket* socket, QByteArray& received);

    QString m_strPath;
    QLocalServer* m_pServer = nullptr;
    Receiver m_receiver;
};
