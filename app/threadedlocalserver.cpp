#include "app/threadedlocalserver.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>

#include <unistd.h>

namespace {

const int greetingTimeout = 5000;
const int idleWait = 1000;
const int messageTimeout = 5000;

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
    if (!socket || socket->state() != QLocalSocket::ConnectedState)
        return false;
    const QByteArray bytes = text.toUtf8();
    QDataStream stream(socket);
    stream.setVersion(QDataStream::Qt_5_15);
    stream << qint32(bytes.size());
    stream.writeRawData(bytes.constData(), int(bytes.size()));
    return socket->waitForBytesWritten(timeout);
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
    return writeMessage(m_socket, text, messageTimeout);
}

void ThreadedLocalServer::incomingConnection(quintptr descriptor)
{
    auto *socket = new QLocalSocket;
    // A command that opens a window runs an event loop: a second client waits its turn.
    if (m_socket || !socket->setSocketDescriptor(descriptor)
        || socket->state() != QLocalSocket::ConnectedState) {
        delete socket;
        return;
    }
    m_socket = socket;
    if (writeMessage(socket, m_name, greetingTimeout))
        serve(socket);
    m_socket = nullptr;
    socket->abort();
    delete socket;
}

void ThreadedLocalServer::serve(QLocalSocket *socket)
{
    const QString prefix = m_name + QLatin1Char(':');
    const QDeadlineTimer exchange(exchangeLimit);
    while (socket->state() == QLocalSocket::ConnectedState && !exchange.hasExpired()) {
        const int left = int(std::max<qint64>(1, exchange.remainingTime()));
        if (socket->bytesAvailable() == 0 && !socket->waitForReadyRead(std::min(idleWait, left)))
            continue;
        bool ok = false;
        const QString message = readMessage(socket, &ok, std::min(messageTimeout, left));
        if (!ok || !message.startsWith(prefix) || message == prefix + QLatin1Char('c'))
            return;
        emit messageReceived(message.mid(prefix.size()), this);
    }
}
