#include "app/runninginstance.h"
#include "app/threadedlocalserver.h"
#include "programenvironment.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#include <memory>

// A second start of the program hands its command to the running one over the local
// socket. Each case runs the program with a private home and runtime folder.
class TestInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandOfTheOptions_data();
    void commandOfTheOptions();
    void exitCodeOfTheAnswer_data();
    void exitCodeOfTheAnswer();
    void privateFolder_data();
    void privateFolder();
    void addressLiesInThePrivateRuntimeFolder();
    void withoutAPrivateFolderTheProgramRunsOnItsOwn();
    void secondStartActsOnTheRunningInstance_data();
    void secondStartActsOnTheRunningInstance();
    void settingsThroughTheRunningInstance();
    void firstInstanceCarriesOutItsSettingsOptions();
    void loginModeHasItsOwnInstance();
    void instanceThatDiedDoesNotBlockANewStart();
    void hostileMessagesAreDropped_data();
    void hostileMessagesAreDropped();
    void silentClientDoesNotHoldUpASecondStart();
    void startWithoutADisplay_data();
    void startWithoutADisplay();

private:
    // Starts the first instance and waits until it has entered its start state.
    std::unique_ptr<QProcess> startFirst(const QStringList &arguments, const QByteArray &state);
    int runSecond(const QStringList &arguments);
    QProcessEnvironment environment() const;

    QString m_program;
    std::unique_ptr<QTemporaryDir> m_home;
    QByteArray m_output;
};

void TestInstance::initTestCase()
{
    m_program = QStringLiteral(SCRIVEL_BIN_DIR "/InkoraScrivel");
    if (!QFile::exists(m_program))
        QSKIP("the program is not part of this build");
}

QProcessEnvironment TestInstance::environment() const
{
    return programEnvironment(m_home->path());
}

std::unique_ptr<QProcess> TestInstance::startFirst(const QStringList &arguments,
                                                   const QByteArray &state)
{
    m_home = std::make_unique<QTemporaryDir>();
    m_output.clear();
    auto program = std::make_unique<QProcess>();
    program->setProcessEnvironment(environment());
    program->setProcessChannelMode(QProcess::MergedChannels);
    program->start(m_program, arguments);
    const QByteArray entered = "state " + state + ",";
    if (!program->waitForStarted()
        || !QTest::qWaitFor([&] { return (m_output += program->readAll()).contains(entered); },
                            20000))
        return nullptr;
    return program;
}

int TestInstance::runSecond(const QStringList &arguments)
{
    QProcess second;
    second.setProcessEnvironment(environment());
    second.start(m_program, arguments);
    if (!second.waitForFinished(15000)) {
        second.kill();
        second.waitForFinished();
        return 1000;
    }
    return second.exitStatus() == QProcess::NormalExit ? qint8(second.exitCode()) : 1001;
}

void TestInstance::commandOfTheOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("command");
    const QString absolute = QDir::current().absoluteFilePath(QStringLiteral("out.xml"));
    QTest::addRow("none") << QStringList{} << QStringLiteral("s");
    QTest::addRow("unknown only") << QStringList{QStringLiteral("--what")} << QStringLiteral("s");
    QTest::addRow("hide before full screen")
        << QStringList{QStringLiteral("--fullscreen"), QStringLiteral("--HIDE")}
        << QStringLiteral("i");
    QTest::addRow("test") << QStringList{QStringLiteral("/t")} << QStringLiteral("t");
    QTest::addRow("quit before windowed")
        << QStringList{QStringLiteral("--windowed"), QStringLiteral("--exit")}
        << QStringLiteral("q");
    QTest::addRow("save, relative name")
        << QStringList{QStringLiteral("--savesettings"), QStringLiteral("out.xml")}
        << QStringLiteral("d ") + absolute;
    QTest::addRow("load") << QStringList{QStringLiteral("--loadsettings"), absolute}
                          << QStringLiteral("f ") + absolute;
    QTest::addRow("two values")
        << QStringList{QStringLiteral("--set"), QStringLiteral("a=1"), QStringLiteral("--set"),
                       QStringLiteral("b=2")}
        << QStringLiteral("u a=1 b=2");
    QTest::addRow("full screen") << QStringList{QStringLiteral("--fullscreen")}
                                 << QStringLiteral("x");
    QTest::addRow("windowed") << QStringList{QStringLiteral("--windowed")} << QStringLiteral("w");
    QTest::addRow("show cursor") << QStringList{QStringLiteral("--showcursor")}
                                 << QStringLiteral("z");
    QTest::addRow("login alone") << QStringList{QStringLiteral("--login")} << QString();
}

void TestInstance::commandOfTheOptions()
{
    QFETCH(QStringList, arguments);
    const ParsedArguments parsed =
        parseArguments(QStringList{QStringLiteral("InkoraScrivel")} + arguments);
    QTEST(instanceCommand(parsed), "command");
}

void TestInstance::privateFolder_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("owner");
    QTest::addColumn<bool>("isPrivate");
    QTest::addRow("the user's alone") << "dir" << 0700 << true << true;
    QTest::addRow("the group may enter") << "dir" << 0710 << true << false;
    QTest::addRow("others may read") << "dir" << 0704 << true << false;
    QTest::addRow("open to all") << "dir" << 0777 << true << false;
    QTest::addRow("a file") << "file" << 0700 << true << false;
    QTest::addRow("missing") << "" << 0700 << true << false;
    QTest::addRow("another user's") << "dir" << 0700 << false << false;
}

void TestInstance::privateFolder()
{
    QFETCH(QString, entry);
    QFETCH(int, permissions);
    QFETCH(bool, owner);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString path = base.filePath(QStringLiteral("runtime"));
    if (entry == QLatin1String("dir"))
        QVERIFY(QDir().mkdir(path));
    if (entry == QLatin1String("file"))
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    if (!entry.isEmpty())
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(permissions)), 0);
    if (!owner && ::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        QSKIP("only the superuser can give a folder away");
    QTEST(ThreadedLocalServer::isPrivateFolder(path), "isPrivate");
}

void TestInstance::addressLiesInThePrivateRuntimeFolder()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString address = ThreadedLocalServer::address(QStringLiteral("Inkora Scrivel"));
    qputenv("XDG_RUNTIME_DIR", previous);
    QCOMPARE(address, runtime.filePath(QStringLiteral("Inkora Scrivel")));
}

// With the runtime folder open to others and the temporary one's fallback held by another user,
// the program neither listens nor locks anywhere: it runs alone.
void TestInstance::withoutAPrivateFolderTheProgramRunsOnItsOwn()
{
    m_home = std::make_unique<QTemporaryDir>();
    const QString open = m_home->filePath(QStringLiteral("open"));
    const QString temp = m_home->filePath(QStringLiteral("tmp"));
    const QString taken = temp + QStringLiteral("/runtime-") + qEnvironmentVariable("USER", "root");
    QVERIFY(QDir().mkpath(open) && QDir().mkpath(taken));
    QCOMPARE(::chmod(QFile::encodeName(open).constData(), 0777), 0);
    if (::chown(QFile::encodeName(taken).constData(), 65534, 65534) != 0)
        QSKIP("only the superuser can give a folder away");
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), open);
    env.insert(QStringLiteral("TMPDIR"), temp);
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(m_home->path());
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_program, {});
    QVERIFY(program.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("panel shown"), 20000);
    ::kill(program.processId(), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    output += program.readAll();
    QVERIFY2(output.contains("No private runtime folder"), output.constData());
    QCOMPARE(program.exitCode(), 0);
    for (const QString &folder : {m_home->path(), open, temp, taken})
        QVERIFY2(QDir(folder).entryList({QStringLiteral("Inkora Scrivel*")}).isEmpty(),
                 qPrintable(folder));
}

void TestInstance::exitCodeOfTheAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("code");
    QTest::addRow("Shown") << QStringLiteral("Shown") << 2;
    QTest::addRow("Hidden") << QStringLiteral("Hidden") << 3;
    QTest::addRow("Fail") << QStringLiteral("Fail") << -1;
    QTest::addRow("Ok") << QStringLiteral("Ok") << 1;
    QTest::addRow("Hidding") << QStringLiteral("Hidding") << 1;
    QTest::addRow("none") << QString() << 1;
    QTest::addRow("other case") << QStringLiteral("shown") << 1;
}

void TestInstance::exitCodeOfTheAnswer()
{
    QFETCH(QString, answer);
    QTEST(instanceExitCode(answer), "code");
}

void TestInstance::secondStartActsOnTheRunningInstance_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QByteArray>("firstState");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<int>("code");
    // The state the first instance enters then; empty when it ends.
    QTest::addColumn<QByteArray>("after");
    const QStringList shown;
    const QStringList hidden{QStringLiteral("--hide")};
    QTest::addRow("state of a shown panel") << shown << QByteArray("6")
                                            << QStringList{QStringLiteral("--test")} << 2
                                            << QByteArray();
    QTest::addRow("state of a hidden panel") << hidden << QByteArray("3")
                                             << QStringList{QStringLiteral("--test")} << 3
                                             << QByteArray();
    QTest::addRow("hide") << shown << QByteArray("6") << QStringList{QStringLiteral("--HIDE")}
                          << 1 << QByteArray("3");
    QTest::addRow("show") << hidden << QByteArray("3") << QStringList{} << 1 << QByteArray("6");
    QTest::addRow("full screen") << hidden << QByteArray("3")
                                 << QStringList{QStringLiteral("--fullscreen")} << 1
                                 << QByteArray("5");
    QTest::addRow("windowed from full screen")
        << QStringList{QStringLiteral("--fullscreen")} << QByteArray("5")
        << QStringList{QStringLiteral("--windowed")} << 1 << QByteArray("6");
    QTest::addRow("quit") << hidden << QByteArray("3") << QStringList{QStringLiteral("-q")} << 1
                          << QByteArray("ends");
}

void TestInstance::secondStartActsOnTheRunningInstance()
{
    QFETCH(QStringList, first);
    QFETCH(QByteArray, firstState);
    QFETCH(QStringList, second);
    QFETCH(QByteArray, after);
    std::unique_ptr<QProcess> program = startFirst(first, firstState);
    QVERIFY2(program, m_output.constData());
    m_output += program->readAll();
    const qsizetype before = m_output.size();
    QTEST(runSecond(second), "code");
    if (after == "ends") {
        QVERIFY(program->waitForFinished(10000));
        QCOMPARE(program->exitCode(), 0);
        return;
    }
    if (!after.isEmpty())
        QTRY_VERIFY2_WITH_TIMEOUT(
            (m_output += program->readAll()).mid(before).contains("state " + after + ","),
            m_output.constData(), 10000);
    const QByteArray now = after.isEmpty() ? firstState : after;
    QCOMPARE(runSecond({QStringLiteral("--test")}), now == "3" ? 3 : 2);
    QCOMPARE(program->state(), QProcess::Running);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

// A second start writes, reads and sets the running instance's settings; a file that cannot
// be written or read ends it with -1 and the running instance names the reason.
void TestInstance::settingsThroughTheRunningInstance()
{
    std::unique_ptr<QProcess> program = startFirst({}, "6");
    QVERIFY2(program, m_output.constData());
    const QDir home(m_home->path());
    auto fileText = [&home](const QString &name) {
        QFile file(home.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    auto save = [&](const QString &name) {
        return runSecond({QStringLiteral("--savesettings"), home.filePath(name)});
    };
    QCOMPARE(save(QStringLiteral("first.xml")), 1);
    const QByteArray first = fileText(QStringLiteral("first.xml"));
    QVERIFY(first.contains("<scrivelsettings version=\"3.2\">"));
    QVERIFY(first.contains("<setting key=\"autoSendSpeed\" value=\"3000\"/>"));

    QCOMPARE(runSecond({QStringLiteral("--set"), QStringLiteral("autoSendSpeed=1500"),
                        QStringLiteral("--set"), QStringLiteral("inkWidth=4 nbOfDecimal"),
                        QStringLiteral("--set"), QStringLiteral("nbOfDecimal=2=3")}),
             1);
    QCOMPARE(save(QStringLiteral("set.xml")), 1);
    const QByteArray set = fileText(QStringLiteral("set.xml"));
    QVERIFY(set.contains("<setting key=\"autoSendSpeed\" value=\"1500\"/>"));
    QVERIFY(set.contains("<setting key=\"inkWidth\" value=\"4\"/>"));
    QVERIFY(set.contains("<setting key=\"nbOfDecimal\" value=\"3\"/>"));

    QFile in(home.filePath(QStringLiteral("in.xml")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write("<scrivelsettings version=\"3.2\"><setting key=\"nbOfDecimal\" value=\"8\"/>"
             "</scrivelsettings>");
    in.close();
    QCOMPARE(runSecond({QStringLiteral("--loadsettings"), in.fileName()}), 1);
    QCOMPARE(save(QStringLiteral("loaded.xml")), 1);
    QVERIFY(fileText(QStringLiteral("loaded.xml"))
                .contains("<setting key=\"nbOfDecimal\" value=\"8\"/>"));

    auto load = [&](const QString &name) {
        return runSecond({QStringLiteral("--loadsettings"), home.filePath(name)});
    };
    QCOMPARE(load(QStringLiteral("none.xml")), -1);
    QCOMPARE(load(QStringLiteral("set.xml/x")), -1);
    QCOMPARE(save(QStringLiteral("no/folder/out.xml")), -1);
    QTRY_VERIFY2_WITH_TIMEOUT(
        (m_output += program->readAll()).contains("none.xml cannot be read"),
        m_output.constData(), 5000);
    QCOMPARE(runSecond({QStringLiteral("--test")}), 2);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

// A first start reads, sets and then writes settings before it goes on into the tray; a file
// it cannot read is named in its log and changes nothing.
void TestInstance::firstInstanceCarriesOutItsSettingsOptions()
{
    QTemporaryDir files;
    QVERIFY(files.isValid());
    QFile in(files.filePath(QStringLiteral("in.xml")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write("<scrivelsettings version=\"3.2\"><setting key=\"nbOfDecimal\" value=\"8\"/>"
             "<setting key=\"inkWidth\" value=\"5\"/></scrivelsettings>");
    in.close();
    const QString out = files.filePath(QStringLiteral("out.xml"));
    std::unique_ptr<QProcess> program =
        startFirst({QStringLiteral("--loadsettings"), in.fileName(), QStringLiteral("--set"),
                    QStringLiteral("inkWidth=2"), QStringLiteral("--savesettings"), out},
                   "3");
    QVERIFY2(program, m_output.constData());
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    QVERIFY(text.contains("<setting key=\"nbOfDecimal\" value=\"8\"/>"));
    QVERIFY(text.contains("<setting key=\"inkWidth\" value=\"2\"/>"));
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));

    program = startFirst({QStringLiteral("--loadsettings"), files.filePath(QStringLiteral("none"))},
                         "3");
    QVERIFY2(program, m_output.constData());
    QTRY_VERIFY2_WITH_TIMEOUT((m_output += program->readAll()).contains("none cannot be read"),
                              m_output.constData(), 5000);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

// The login instance and the normal one do not meet; a login start with nothing more to say
// ends at once.
void TestInstance::loginModeHasItsOwnInstance()
{
    std::unique_ptr<QProcess> program = startFirst({QStringLiteral("--hide")}, "3");
    QVERIFY2(program, m_output.constData());
    QCOMPARE(runSecond({QStringLiteral("--login"), QStringLiteral("--test")}), 0);
    QProcess login;
    login.setProcessEnvironment(environment());
    login.setProcessChannelMode(QProcess::MergedChannels);
    login.start(m_program, {QStringLiteral("--login")});
    QVERIFY(QTest::qWaitFor([&] { return login.readAll().contains("state 11,"); }, 20000));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runSecond({QStringLiteral("--keyboard")}), 1);
    QVERIFY(clock.elapsed() < 4000);
    QCOMPARE(runSecond({QStringLiteral("--test")}), 3);
    QCOMPARE(runSecond({QStringLiteral("--login"), QStringLiteral("--quit")}), 1);
    QVERIFY(login.waitForFinished(10000));
    QCOMPARE(program->state(), QProcess::Running);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

// A killed instance leaves its lock and its socket behind; the next start takes both over.
void TestInstance::instanceThatDiedDoesNotBlockANewStart()
{
    std::unique_ptr<QProcess> program = startFirst({}, "6");
    QVERIFY2(program, m_output.constData());
    ::kill(program->processId(), SIGKILL);
    QVERIFY(program->waitForFinished(10000));
    QVERIFY(QFile::exists(m_home->filePath(QStringLiteral("Inkora Scrivel"))));
    QProcess next;
    next.setProcessEnvironment(environment());
    next.setProcessChannelMode(QProcess::MergedChannels);
    next.start(m_program, {QStringLiteral("--hide")});
    QVERIFY(QTest::qWaitFor([&] { return next.readAll().contains("state 3,"); }, 20000));
    QCOMPARE(runSecond({QStringLiteral("--test")}), 3);
    ::kill(next.processId(), SIGTERM);
    QVERIFY(next.waitForFinished(10000));
}

namespace {

QByteArray frame(const QByteArray &text)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint32(text.size());
    return bytes + text;
}

QByteArray readFrame(QLocalSocket *socket, int timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (socket->bytesAvailable() < 4 && clock.elapsed() < timeout)
        socket->waitForReadyRead(100);
    if (socket->bytesAvailable() < 4)
        return "none";
    QDataStream stream(socket);
    qint32 length = 0;
    stream >> length;
    while (socket->bytesAvailable() < length && clock.elapsed() < timeout)
        socket->waitForReadyRead(100);
    return socket->read(length);
}

} // namespace

void TestInstance::hostileMessagesAreDropped_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("answer");
    const QByteArray prefix = "Inkora Scrivel:";
    QTest::addRow("state") << frame(prefix + "t") << QByteArray("Shown");
    QTest::addRow("text ends at a zero byte") << frame(prefix + "t\0junk") << QByteArray("Shown");
    QTest::addRow("unknown letter") << frame(prefix + "k") << QByteArray("Fail");
    QTest::addRow("letter in capitals") << frame(prefix + "T") << QByteArray("Fail");
    QTest::addRow("foreign name") << frame("Other:t") << QByteArray("none");
    QTest::addRow("garbage") << QByteArray("\x01\x02garbage\xff\xfe", 12) << QByteArray("none");
    QTest::addRow("huge length") << QByteArray("\x7f\xff\xff\xff", 4) + prefix + "t"
                                 << QByteArray("none");
    QTest::addRow("negative length") << QByteArray("\xff\xff\xff\xf0", 4) + prefix + "t"
                                     << QByteArray("none");
    QTest::addRow("cut off") << frame(prefix + "t").left(10) << QByteArray("none");
    QTest::addRow("silence") << QByteArray() << QByteArray("none");
    QTest::addRow("invalid UTF-8") << frame(prefix + "\xc3\x28") << QByteArray("Fail");
}

// The running instance answers what it knows, drops the rest, and still serves the next start.
void TestInstance::hostileMessagesAreDropped()
{
    QFETCH(QByteArray, sent);
    std::unique_ptr<QProcess> program = startFirst({}, "6");
    QVERIFY2(program, m_output.constData());
    QLocalSocket socket;
    socket.connectToServer(m_home->filePath(QStringLiteral("Inkora Scrivel")));
    QVERIFY(socket.waitForConnected(2000));
    QCOMPARE(readFrame(&socket, 5000), QByteArray("Inkora Scrivel"));
    socket.write(sent);
    socket.waitForBytesWritten(1000);
    QTEST(readFrame(&socket, 1500), "answer");
    socket.abort();
    QCOMPARE(runSecond({QStringLiteral("--test")}), 2);
    QCOMPARE(program->state(), QProcess::Running);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

// While one client holds the socket without a word, a second start is answered at once.
void TestInstance::silentClientDoesNotHoldUpASecondStart()
{
    std::unique_ptr<QProcess> program = startFirst({QStringLiteral("--hide")}, "3");
    QVERIFY2(program, m_output.constData());
    QLocalSocket silent;
    silent.connectToServer(m_home->filePath(QStringLiteral("Inkora Scrivel")));
    QVERIFY(silent.waitForConnected(2000));
    QCOMPARE(readFrame(&silent, 5000), QByteArray("Inkora Scrivel"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runSecond({QStringLiteral("--test")}), 3);
    QCOMPARE(runSecond({QStringLiteral("--quit")}), 1);
    QVERIFY(clock.elapsed() < 4000);
    QVERIFY(program->waitForFinished(10000));
    QCOMPARE(program->exitCode(), 0);
}

void TestInstance::startWithoutADisplay_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addRow("first start") << false << QStringList{} << 1;
    QTest::addRow("first start that asks") << false << QStringList{QStringLiteral("--test")} << 0;
    QTest::addRow("first start that quits") << false << QStringList{QStringLiteral("-q")} << 0;
    QTest::addRow("second start that asks") << true << QStringList{QStringLiteral("--test")} << 3;
    QTest::addRow("second start that quits") << true << QStringList{QStringLiteral("--quit")} << 1;
}

// Without a display a start that would show the panel ends with 1 and says why; one that only
// talks to the running instance, or has nothing to do, needs no display at all.
void TestInstance::startWithoutADisplay()
{
    QFETCH(bool, running);
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    std::unique_ptr<QProcess> program;
    if (running) {
        program = startFirst({QStringLiteral("--hide")}, "3");
        QVERIFY2(program, m_output.constData());
    } else {
        m_home = std::make_unique<QTemporaryDir>();
    }
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess start;
    start.setProcessEnvironment(env);
    start.setProcessChannelMode(QProcess::MergedChannels);
    start.start(m_program, arguments);
    QVERIFY(start.waitForFinished(15000));
    const QByteArray output = start.readAll();
    QCOMPARE(start.exitStatus(), QProcess::NormalExit);
    QCOMPARE(int(qint8(start.exitCode())), code);
    if (!running && code == 1)
        QVERIFY2(output.contains("cannot start: no display can be opened"), output.constData());
    if (!program)
        return;
    if (arguments.contains(QStringLiteral("--quit"))) {
        QVERIFY(program->waitForFinished(10000));
        return;
    }
    QCOMPARE(program->state(), QProcess::Running);
    ::kill(program->processId(), SIGTERM);
    QVERIFY(program->waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestInstance)
#include "tst_instance.moc"
