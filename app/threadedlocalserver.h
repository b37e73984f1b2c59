#pragma once

#include <QLocalServer>
#include <QPointer>
#include <QQueue>
#include <QString>

class QLocalSocket;

// The single-instance server: greets each client with its name as soon as it connects, then
// reads its messages as they arrive, without waiting in the calling thread. Every message that
// starts with the name and ":" is passed on to messageReceived, one at a time in the order
// they came: a command that runs an event loop (a message box) keeps the others waiting in
// the queue, never nested. A client is served until it says goodbye (":c"), disconnects,
// sends what is no message of this server or runs out of time.
class ThreadedLocalServer : public QLocalServer
{
    Q_OBJECT

public:
    // Longest message text accepted on the socket, in bytes.
    static constexpr int maxMessageBytes = 64 * 1024;
    // Longest time one client may stay connected, in milliseconds.
    static constexpr int exchangeLimit = 10000;
    // Clients connected at once; one more is turned away without a greeting. A client's next
    // message is read only once its command has been answered, so that no more commands than
    // clients ever wait.
    static constexpr int maxClients = 8;

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

    // Answers the client whose command is being carried out. A command that gets no answer
    // from the receiver of messageReceived is answered "Fail".
    bool reply(const QString &text);

signals:
    void messageReceived(const QString &message, ThreadedLocalServer *server);

protected:
    void incomingConnection(quintptr descriptor) override;

private:
    struct Command
    {
        QPointer<QLocalSocket> client;
        QString text;
    };

    // Takes the client's next whole message, if it has sent one and no command of its own
    // is waiting or running.
    void readClient(QLocalSocket *client);
    void dropClient(QLocalSocket *client);
    bool isBusy(const QLocalSocket *client) const;
    // Carries out the waiting commands in turn; a call while one runs leaves them to it.
    void dispatch();

    QString m_name;
    QList<QLocalSocket *> m_clients;
    QQueue<Command> m_waiting;
    // The client being answered, null once it is gone.
    QPointer<QLocalSocket> m_socket;
    bool m_dispatching = false;
    bool m_replied = false;
};
