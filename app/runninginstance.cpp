#include "app/runninginstance.h"

#include "app/scrivelapp.h"
#include "app/threadedlocalserver.h"
#include "windows/winutils.h"

#include <QLocalSocket>
#include <QLockFile>

#include <memory>

namespace {

const int connectTimeout = 200;
const int messageTimeout = 5000;
const int disconnectTimeout = 500;

// Held for the life of the process by the first instance. A lock left by an instance that
// died is stale and taken over.
std::unique_ptr<QLockFile> instanceLock;

bool takeInstanceLock(const QString &name)
{
    if (instanceLock)
        return instanceLock->isLocked();
    instanceLock = std::make_unique<QLockFile>(ThreadedLocalServer::address(name)
                                               + QStringLiteral(".lock"));
    instanceLock->setStaleLockTime(0);
    return instanceLock->tryLock(0);
}

void closeSocket(QLocalSocket *socket)
{
    socket->abort();
    socket->close();
}

int askRunningInstance(const QString &name, const ParsedArguments &arguments)
{
    QLocalSocket socket;
    socket.connectToServer(ThreadedLocalServer::address(name), QIODevice::ReadWrite);
    bool ok = socket.waitForConnected(connectTimeout);
    if (!ok || ThreadedLocalServer::readMessage(&socket, &ok, messageTimeout) != name || !ok) {
        closeSocket(&socket);
        return 1;
    }
    const QString command = instanceCommand(arguments);
    const QString prefix = name + QLatin1Char(':');
    QString answer;
    // The running instance answers no empty command: there is nothing to wait for.
    if (ThreadedLocalServer::writeMessage(&socket, prefix + command, messageTimeout)
        && !command.isEmpty())
        answer = ThreadedLocalServer::readMessage(&socket, &ok, messageTimeout);
    ThreadedLocalServer::writeMessage(&socket, prefix + QLatin1Char('c'), messageTimeout);
    if (socket.state() == QLocalSocket::ConnectedState)
        socket.waitForDisconnected(disconnectTimeout);
    closeSocket(&socket);
    return instanceExitCode(answer);
}

} // namespace

QString instanceCommand(const ParsedArguments &arguments)
{
    const QList<CommandLineOption> &options = arguments.options;
    if (hasOption(options, HideOption))
        return QStringLiteral("i");
    if (hasOption(options, NoOption))
        return QStringLiteral("s");
    if (hasOption(options, TestOption))
        return QStringLiteral("t");
    if (hasOption(options, QuitOption))
        return QStringLiteral("q");
    if (hasOption(options, SaveSettingsOption))
        return QStringLiteral("d ") + arguments.saveSettingsFile;
    if (hasOption(options, LoadSettingsOption))
        return QStringLiteral("f ") + arguments.loadSettingsFile;
    if (hasOption(options, SetValuesOption))
        return QStringLiteral("u ") + arguments.setValues;
    if (hasOption(options, FullScreenOption))
        return QStringLiteral("x");
    if (hasOption(options, WindowedOption))
        return QStringLiteral("w");
    if (hasOption(options, ShowCursorOption))
        return QStringLiteral("z");
    return QString();
}

int instanceExitCode(const QString &answer)
{
    if (answer == QLatin1String("Shown"))
        return 2;
    if (answer == QLatin1String("Hidden"))
        return 3;
    if (answer == QLatin1String("Fail"))
        return -1;
    return 1;
}

int connectToRunningInstance(const QString &name, const ParsedArguments &arguments)
{
    if (ThreadedLocalServer::address(name).isEmpty()) {
        qWarning("No private runtime folder: this instance neither finds nor serves others");
        return 0;
    }
    if (isFirstInstance(name) && takeInstanceLock(name))
        return 0;
    return askRunningInstance(name, arguments);
}

void startInstanceServer(const QString &name, ScrivelApp *app)
{
    if (!instanceLock || !instanceLock->isLocked())
        return;
    for (int attempt = 0; attempt < 2 && !app->localServer(); ++attempt) {
        auto *server = new ThreadedLocalServer(name);
        QObject::connect(server, &ThreadedLocalServer::messageReceived, app,
                         &ScrivelApp::messageReceived, Qt::DirectConnection);
        if (server->listen())
            app->setLocalServer(server);
        else
            delete server;
    }
}

void releaseInstanceLock()
{
    if (instanceLock)
        instanceLock->unlock();
}
