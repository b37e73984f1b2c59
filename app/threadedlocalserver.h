#pragma once

#include <QLocalServer>
#include <QString>

class QLocalSocket;

// The single-instance server: greets each client with its name, then passes every message
// that starts with the name and ":" on to messageReceived, one client at a time and in the
// calling thread, until the client says goodbye (":c"), disconnects or runs out of time.
class ThreadedLocalServer : public QLocalServer
{
    Q_OBJECT

public:
    // Longest message text accepted on the socket, in bytes.
    static constexpr int maxMessageBytes = 64 * 1024;
    // Longest time one client may keep the server, in milliseconds.
    static constexpr int exchangeLimit = 10000;

    ThreadedLocalServer(const QString &name, QObject *parent = nullptr);

    QString name() const { return m_name; }
    // Listens at the address of the name; a socket left there by an instance that died is
    // removed first, since the caller holds the instance lock.
    bool listen();

    // The socket address of an instance name: inside the user's private runtime folder, so
    // that other users' instances are neither reached nor blocked; empty without such a folder.
    static QString address(const QString &name);
    // The runtime folder that Qt picks when only the user may enter it; empty otherwise.
    static QString runtimeFolder();
    // Whether the path is a folder of the user's own that no one else may read, write or enter.
    static bool isPrivateFolder(const QString &path);

    // A message is a 32-bit big-endian length and that many bytes of UTF-8 text.
    static bool writeMessage(QLocalSocket *socket, const QString &text, int timeout);
    // The next message within `timeout` milliseconds in all; a length below zero or above
    // maxMessageBytes is refused. The text ends at its first zero byte.
    static QString readMessage(QLocalSocket *socket, bool *ok, int timeout);

    // Answers the client being served.
    bool reply(const QString &text);

signals:
    void messageReceived(const QString &message, ThreadedLocalServer *server);

protected:
    void incomingConnection(quintptr descriptor) override;

private:
    void serve(QLocalSocket *socket);

    QString m_name;
    QLocalSocket *m_socket = nullptr;
};
