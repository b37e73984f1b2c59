#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The program itself, started as a process with a private home and configuration folder.
class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsItsPanelAndQuitsCleanly();
    void firstInstanceAskedOnlyToQuitEndsAtOnce_data();
    void firstInstanceAskedOnlyToQuitEndsAtOnce();

private:
    QProcessEnvironment environment() const;
    QString m_program;
    QTemporaryDir m_home;
};

void TestProgram::initTestCase()
{
    m_program = QStringLiteral(SCRIVEL_BIN_DIR "/InkoraScrivel");
    if (!QFile::exists(m_program))
        QSKIP("the program is not part of this build");
    QVERIFY(m_home.isValid());
}

QProcessEnvironment TestProgram::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("*.debug=false\nscrivel.app.state.info=true"));
    return env;
}

void TestProgram::showsItsPanelAndQuitsCleanly()
{
    QProcess program;
    program.setProcessEnvironment(environment());
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_program, {});
    QVERIFY(program.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("panel shown"), 20000);
    QVERIFY2(output.contains("state 6"), output.constData());
    ::kill(program.processId(), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    output += program.readAll();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, output.constData());
}

void TestProgram::firstInstanceAskedOnlyToQuitEndsAtOnce_data()
{
    QTest::addColumn<QString>("option");
    QTest::addRow("--quit") << QStringLiteral("--quit");
    QTest::addRow("/Q") << QStringLiteral("/Q");
    QTest::addRow("--test") << QStringLiteral("--test");
}

void TestProgram::firstInstanceAskedOnlyToQuitEndsAtOnce()
{
    QFETCH(QString, option);
    QProcess program;
    program.setProcessEnvironment(environment());
    program.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    program.start(m_program, {option});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!program.readAll().contains("state"));
    QVERIFY(clock.elapsed() < 5000);
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
