#include "app/threadedlocalserver.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#include <algorithm>

#include <unistd.h>

namespace {

// Waits until `count` bytes can be read or the deadline has passed.
bool waitForBytes(QLocalSocket *socket, qint64 count, const QDeadlineTimer &deadline)
{
    while (socket->bytesAvailable() < count) {
        if (deadline.hasExpired() || socket->state() != QLocalSocket::ConnectedState)
            return false;
        if (!socket->waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            return socket->bytesAvailable() >= count;
    }
    return true;
}

QByteArray frame(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    QByteArray framed(4, Qt::Uninitialized);
    qToBigEndian<qint32>(qint32(bytes.size()), framed.data());
    return framed + bytes;
}

bool queueMessage(QLocalSocket *socket, const QString &text)
{
    if (!socket || socket->state() != QLocalSocket::ConnectedState)
        return false;
    const QByteArray framed = frame(text);
    return socket->write(framed) == framed.size();
}

// Hands the message to the socket without waiting for it to leave.
bool sendMessage(QLocalSocket *socket, const QString &text)
{
    if (!queueMessage(socket, text))
        return false;
    socket->flush();
    return true;
}

} // namespace

ThreadedLocalServer::ThreadedLocalServer(const QString &name, QObject *parent)
    : QLocalServer(parent)
    , m_name(name)
{
    setSocketOptions(QLocalServer::UserAccessOption);
}

bool ThreadedLocalServer::listen()
{
    const QString path = address(m_name);
    if (QLocalServer::listen(path))
        return true;
    QLocalServer::removeServer(path);
    return QLocalServer::listen(path);
}

QString ThreadedLocalServer::address(const QString &name)
{
    const QString folder = runtimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

QString ThreadedLocalServer::runtimeFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return isPrivateFolder(folder) ? folder : QString();
}

bool ThreadedLocalServer::isPrivateFolder(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return info.isDir() && info.ownerId() == uint(geteuid()) && !(info.permissions() & others);
}

bool ThreadedLocalServer::writeMessage(QLocalSocket *socket, const QString &text, int timeout)
{
    return queueMessage(socket, text) && socket->waitForBytesWritten(timeout);
}

QString ThreadedLocalServer::readMessage(QLocalSocket *socket, bool *ok, int timeout)
{
    *ok = false;
    if (!socket || socket->state() != QLocalSocket::ConnectedState)
        return QString();
    const QDeadlineTimer deadline(timeout);
    if (!waitForBytes(socket, 4, deadline))
        return QString();
    char header[4];
    socket->read(header, 4);
    const qint32 length = qFromBigEndian<qint32>(header);
    if (length < 0 || length > maxMessageBytes || !waitForBytes(socket, length, deadline))
        return QString();
    QByteArray bytes = socket->read(length);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    *ok = true;
    return QString::fromUtf8(bytes);
}

bool ThreadedLocalServer::reply(const QString &text)
{
    m_replied = true;
    return sendMessage(m_socket, text);
}

void ThreadedLocalServer::incomingConnection(quintptr descriptor)
{
    auto *client = new QLocalSocket(this);
    // The socket takes the descriptor first, so that a client turned away is closed.
    if (!client->setSocketDescriptor(descriptor) || m_clients.size() >= maxClients
        || client->state() != QLocalSocket::ConnectedState) {
        client->abort();
        delete client;
        return;
    }
    m_clients.append(client);
    connect(client, &QLocalSocket::readyRead, this, [this, client] { readClient(client); });
    connect(client, &QLocalSocket::disconnected, this, [this, client] { dropClient(client); });
    QTimer::singleShot(exchangeLimit, client, [this, client] { dropClient(client); });
    if (!sendMessage(client, m_name))
        dropClient(client);
}

void ThreadedLocalServer::readClient(QLocalSocket *client)
{
    if (isBusy(client) || client->bytesAvailable() < 4)
        return;
    char header[4];
    client->peek(header, 4);
    const qint32 length = qFromBigEndian<qint32>(header);
    if (length < 0 || length > maxMessageBytes) {
        dropClient(client);
        return;
    }
    if (client->bytesAvailable() < 4 + qint64(length))
        return;
    client->skip(4);
    QByteArray bytes = client->read(length);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    const QString message = QString::fromUtf8(bytes);
    const QString prefix = m_name + QLatin1Char(':');
    if (!message.startsWith(prefix) || message == prefix + QLatin1Char('c')) {
        dropClient(client);
        return;
    }
    m_waiting.enqueue({client, message.mid(prefix.size())});
    dispatch();
}

void ThreadedLocalServer::dropClient(QLocalSocket *client)
{
    if (!m_clients.removeOne(client))
        return;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}

bool ThreadedLocalServer::isBusy(const QLocalSocket *client) const
{
    if (m_socket == client)
        return true;
    return std::any_of(m_waiting.cbegin(), m_waiting.cend(),
                       [client](const Command &command) { return command.client == client; });
}

void ThreadedLocalServer::dispatch()
{
    if (m_dispatching)
        return;
    m_dispatching = true;
    while (!m_waiting.isEmpty()) {
        const Command command = m_waiting.dequeue();
        m_socket = command.client;
        m_replied = false;
        // A client that left while its command waited still has it carried out.
        emit messageReceived(command.text, this);
        if (!m_replied)
            reply(QStringLiteral("Fail"));
        QLocalSocket *served = m_socket;
        m_socket = nullptr;
        if (served && m_clients.contains(served))
            readClient(served);
    }
    m_dispatching = false;
}
