#include "app/threadedlocalserver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>
#include <vector>

namespace {

const QString serverName = QStringLiteral("Scrivel Test");

// A client driven from the test's own thread: it writes without waiting and reads an answer
// only as far as the event loop has brought it.
class Client
{
public:
    Client() { m_socket.connectToServer(ThreadedLocalServer::address(serverName)); }

    bool isConnected() const { return m_socket.state() == QLocalSocket::ConnectedState; }

    void send(const QString &command)
    {
        const QByteArray bytes = (serverName + QLatin1Char(':') + command).toUtf8();
        QByteArray framed(4, Qt::Uninitialized);
        qToBigEndian<qint32>(qint32(bytes.size()), framed.data());
        m_socket.write(framed + bytes);
        m_socket.flush();
    }

    // The next whole message once it has come; empty until then.
    QString take()
    {
        if (m_socket.bytesAvailable() < 4)
            return QString();
        char header[4];
        m_socket.peek(header, 4);
        const qint32 length = qFromBigEndian<qint32>(header);
        if (m_socket.bytesAvailable() < 4 + qint64(length))
            return QString();
        m_socket.skip(4);
        return QString::fromUtf8(m_socket.read(length));
    }

    QString next(int timeout = 3000)
    {
        QString message;
        (void)QTest::qWaitFor([&] { return !(message = take()).isEmpty(); }, timeout);
        return message;
    }

private:
    QLocalSocket m_socket;
};

} // namespace

// The single-instance server serves its clients from the event loop: one that says nothing
// holds up neither the others nor the thread, and commands are carried out one at a time.
class TestLocalServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void silentClientHoldsUpNeitherTheThreadNorTheNextClient();
    void commandsWaitTheirTurnBehindOneThatRunsAnEventLoop();
    void unansweredCommandIsAnsweredFail();
    void clientsBeyondTheBoundAreTurnedAway();

private:
    // Answers "t" with "Shown", "slow" after a nested event loop of 300 ms, and nothing else.
    void answer(const QString &command, ThreadedLocalServer *server);

    std::unique_ptr<QTemporaryDir> m_runtime;
    QByteArray m_previousRuntime;
    std::unique_ptr<ThreadedLocalServer> m_server;
    QStringList m_received;
    int m_depth = 0;
    int m_deepest = 0;
};

void TestLocalServer::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
    m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    m_server = std::make_unique<ThreadedLocalServer>(serverName);
    connect(m_server.get(), &ThreadedLocalServer::messageReceived, this, &TestLocalServer::answer);
    QVERIFY(m_server->listen());
    m_received.clear();
    m_depth = m_deepest = 0;
}

void TestLocalServer::cleanup()
{
    m_server.reset();
    qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
    m_runtime.reset();
}

void TestLocalServer::answer(const QString &command, ThreadedLocalServer *server)
{
    m_received << command;
    m_deepest = std::max(m_deepest, ++m_depth);
    if (command == QLatin1String("t")) {
        server->reply(QStringLiteral("Shown"));
    } else if (command == QLatin1String("slow")) {
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        server->reply(QStringLiteral("Ok"));
    }
    --m_depth;
}

void TestLocalServer::silentClientHoldsUpNeitherTheThreadNorTheNextClient()
{
    Client silent;
    QCOMPARE(silent.next(), serverName);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(200);
    QVERIFY2(clock.elapsed() < 1500, "the thread waited on the silent client");

    Client second;
    QCOMPARE(second.next(), serverName);
    second.send(QStringLiteral("t"));
    QCOMPARE(second.next(), QStringLiteral("Shown"));
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(silent.isConnected());
}

void TestLocalServer::commandsWaitTheirTurnBehindOneThatRunsAnEventLoop()
{
    Client first;
    Client second;
    QCOMPARE(first.next(), serverName);
    QCOMPARE(second.next(), serverName);
    first.send(QStringLiteral("slow"));
    QTRY_COMPARE(m_received, QStringList{QStringLiteral("slow")});
    second.send(QStringLiteral("t"));
    QCOMPARE(second.next(), QStringLiteral("Shown"));
    QCOMPARE(first.take(), QStringLiteral("Ok"));
    QCOMPARE(m_received, (QStringList{QStringLiteral("slow"), QStringLiteral("t")}));
    QCOMPARE(m_deepest, 1);
}

void TestLocalServer::unansweredCommandIsAnsweredFail()
{
    Client client;
    QCOMPARE(client.next(), serverName);
    client.send(QStringLiteral("k"));
    QCOMPARE(client.next(), QStringLiteral("Fail"));
    client.send(QStringLiteral("t"));
    QCOMPARE(client.next(), QStringLiteral("Shown"));
}

void TestLocalServer::clientsBeyondTheBoundAreTurnedAway()
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < ThreadedLocalServer::maxClients; ++i) {
        clients.push_back(std::make_unique<Client>());
        QCOMPARE(clients.back()->next(), serverName);
    }
    Client extra;
    QTRY_VERIFY(!extra.isConnected());
    QCOMPARE(extra.take(), QString());

    clients.front()->send(QStringLiteral("c"));
    QTRY_VERIFY(!clients.front()->isConnected());
    Client next;
    QCOMPARE(next.next(), serverName);
    next.send(QStringLiteral("t"));
    QCOMPARE(next.next(), QStringLiteral("Shown"));
}

QTEST_GUILESS_MAIN(TestLocalServer)
#include "tst_localserver.moc"
