#include "programenvironment.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// What run() returned tells of a program that ended with 0 in time.
bool endedCleanly(const QByteArray &output)
{
    return !output.contains("exit code") && !output.contains("still running");
}

// The program's settings store in the private home.
QString storePath(const QTemporaryDir &home)
{
    return home.filePath(QStringLiteral("config/Tarvell/Inkora Scrivel.conf"));
}

// A store from an earlier run holding the values given.
void storeSettings(const QTemporaryDir &home, const QVariantMap &values)
{
    QSettings store(storePath(home), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("3.2"));
    store.setValue(QStringLiteral("exists"), true);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        store.setValue(it.key(), it.value());
}

} // namespace

// The program itself, started as a process with a private home and configuration folder.
class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsItsPanelAndQuitsCleanly();
    void startsInTheStateOfItsCommandLine_data();
    void startsInTheStateOfItsCommandLine();
    void firstInstanceAskedOnlyToQuitEndsAtOnce_data();
    void firstInstanceAskedOnlyToQuitEndsAtOnce();
    void inputModeComesBackAfterRestart_data();
    void inputModeComesBackAfterRestart();
    void panelShowsAtItsStoredPlace_data();
    void panelShowsAtItsStoredPlace();
    void settingsChangedInTheDialogComeBack();
    void hidingChosenInTheDialogActsAtOnce();
    void activeLanguageComesBack_data();
    void activeLanguageComesBack();
    void interfaceLanguage_data();
    void interfaceLanguage();
    void firstStartTakesTheWritingLanguageOfTheLocale_data();
    void firstStartTakesTheWritingLanguageOfTheLocale();

private:
    QProcessEnvironment environment() const;
    QProcessEnvironment environment(const QString &home, const QString &steps) const;
    // Starts the program with the user's steps and returns what it wrote once it has ended;
    // when `terminateAfter` is given, SIGTERM ends it once it has written that.
    QByteArray run(const QString &home, const QString &steps,
                   const QByteArray &terminateAfter = QByteArray(),
                   const QStringList &arguments = QStringList());
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
    return environment(m_home.path(), QString());
}

QProcessEnvironment TestProgram::environment(const QString &home, const QString &steps) const
{
    QProcessEnvironment env = programEnvironment(home);
    if (!steps.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(SCRIVEL_PROGRAM_USER));
        env.insert(QStringLiteral("SCRIVEL_USER_STEPS"), steps);
    }
    return env;
}

QByteArray TestProgram::run(const QString &home, const QString &steps,
                            const QByteArray &terminateAfter, const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment env = environment(home, steps);
    // Started in the tray, the user acts on the panel without waiting for it to show.
    if (arguments.contains(QStringLiteral("--hide")))
        env.insert(QStringLiteral("SCRIVEL_USER_HIDDEN"), QStringLiteral("1"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_program, arguments);
    if (!program.waitForStarted())
        return "not started\nexit code -1";
    QByteArray output;
    if (!terminateAfter.isEmpty()) {
        if (!QTest::qWaitFor(
                [&] { return (output += program.readAll()).contains(terminateAfter); }, 20000))
            output += "\nstill running";
        ::kill(program.processId(), SIGTERM);
    }
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return output + program.readAll() + "\nstill running";
    }
    output += program.readAll();
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
        output += "\nexit code " + QByteArray::number(program.exitCode());
    return output;
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

void TestProgram::startsInTheStateOfItsCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<bool>("shown");
    QTest::addRow("--windowed") << QStringList{QStringLiteral("--windowed")} << QByteArray("6")
                                << true;
    QTest::addRow("--hide") << QStringList{QStringLiteral("--hide")} << QByteArray("3") << false;
    QTest::addRow("--fullscreen") << QStringList{QStringLiteral("--fullscreen")}
                                  << QByteArray("5") << false;
    QTest::addRow("--login") << QStringList{QStringLiteral("--login")} << QByteArray("11")
                             << true;
}

// Each start state logs itself; SIGTERM then ends the program with 0 from there.
void TestProgram::startsInTheStateOfItsCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, state);
    QFETCH(bool, shown);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray entered = "scrivel.app.state: state " + state + ",";
    const QByteArray output = run(home.path(), QString(), entered, arguments);
    QVERIFY2(output.contains(entered), output.constData());
    QCOMPARE(output.contains("panel shown"), shown);
    QVERIFY2(endedCleanly(output), output.constData());
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

void TestProgram::inputModeComesBackAfterRestart_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("quit");
    QTest::addColumn<QStringList>("arguments");
    const QString exit = QStringLiteral("exit");
    const QString terminate;
    const QString hideAndTerminate = QStringLiteral("tray");
    const QStringList none;
    const QStringList hide{QStringLiteral("--hide")};
    const QString boxed = QStringLiteral("isoLRModeButton");
    const QString keyboard = QStringLiteral("keyboardModeButton");
    QTest::addRow("boxed, Exit") << boxed << exit << none;
    QTest::addRow("boxed, SIGTERM") << boxed << terminate << none;
    QTest::addRow("boxed, hidden, SIGTERM") << boxed << hideAndTerminate << none;
    QTest::addRow("boxed, in the tray from the start, Exit") << boxed << exit << hide;
    QTest::addRow("keyboard, Exit") << keyboard << exit << none;
    QTest::addRow("keyboard, SIGTERM") << keyboard << terminate << none;
    QTest::addRow("calculator, Exit") << QStringLiteral("calculatorCalcModeButton") << exit
                                      << none;
}

// `quit` is a last step, "exit" or "tray"; SIGTERM ends the program unless it is "exit".
void TestProgram::inputModeComesBackAfterRestart()
{
    QFETCH(QString, mode);
    QFETCH(QString, quit);
    QFETCH(QStringList, arguments);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QString change = QStringLiteral("report;mode:") + mode;
    if (!quit.isEmpty())
        change += QLatin1Char(';') + quit;
    const QByteArray changed = "user: mode " + mode.toUtf8();
    const QByteArray last = quit.isEmpty() ? changed : "user: " + quit.toUtf8();
    QByteArray output = run(home.path(), change,
                            quit == QLatin1String("exit") ? QByteArray() : last, arguments);
    QVERIFY2(output.contains("user: checked cursiveLRModeButton"), output.constData());
    QVERIFY2(output.contains(changed), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());

    output = run(home.path(), QStringLiteral("report;exit"));
    QVERIFY2(output.contains("user: checked " + mode.toUtf8()), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());
}

void TestProgram::panelShowsAtItsStoredPlace_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QByteArray>("shown");
    // The offscreen screen is 800 by 800.
    QTest::addRow("on the screen") << QPoint(120, 80) << QByteArray("geometry 120 80 600 250");
    QTest::addRow("at the origin") << QPoint(0, 0) << QByteArray("geometry 0 0 600 250");
    QTest::addRow("partly past the right, pulled in")
        << QPoint(500, 300) << QByteArray("geometry 200 300 600 250");
    QTest::addRow("off the screen, centred") << QPoint(-3000, -3000)
                                             << QByteArray("geometry 100 275 600 250");
}

// From its first showing on, the panel stands where the store put it, kept whole on the screen,
// and stays there.
void TestProgram::panelShowsAtItsStoredPlace()
{
    QFETCH(QPoint, stored);
    QFETCH(QByteArray, shown);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    storeSettings(home, {{QStringLiteral("geoWindowedPosition"), stored},
                         {QStringLiteral("geoWindowedSize"), QSize(600, 250)}});
    const QByteArray output = run(home.path(), QStringLiteral("geometry;exit"));
    QVERIFY2(output.contains("user: " + shown + "\n"), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());
}

// Values changed in the Settings dialog act at once (the language menu) and are there again,
// in the dialog, after the program exits and starts again.
void TestProgram::settingsChangedInTheDialogComeBack()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString changes =
        QStringLiteral("settings:spin:Ink &thickness:=7|radio:Slide to l&eft side of the screen"
                       "|radio:Calculation as &HTML|check:Send input &automatically=1"
                       "|check:Show &keypad when writing area is empty=0|word:zebra"
                       "|language:Japanese=0");
    QByteArray output = run(home.path(), QStringLiteral("languages;") + changes
                                             + QStringLiteral(";languages;exit"));
    QVERIFY2(output.contains("user: settings ok"), output.constData());
    QVERIFY2(!output.contains("user: no "), output.constData());
    const int applied = output.indexOf("user: settings ok");
    const QByteArray before = output.left(applied);
    const QByteArray after = output.mid(applied);
    QVERIFY2(before.contains("user: language ja_JP ja_JP"), output.constData());
    QVERIFY2(!after.contains("user: language ja_JP"), output.constData());
    QVERIFY2(after.contains("user: language en_US en_US"), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());

    output = run(home.path(), QStringLiteral("prefs;languages;exit"));
    for (const char *line :
         {"user: pref spin Ink &thickness: 7", "user: pref radio Slide to l&eft side of the screen",
          "user: pref radio Calculation as &HTML", "user: pref check Send input &automatically 1",
          "user: pref check Show &keypad when writing area is empty 0",
          "user: pref word zebra"})
        QVERIFY2(output.contains(line), qPrintable(QString::fromUtf8(line) + "\n" + output));
    QVERIFY2(!output.contains("user: language ja_JP"), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());
}

// A tray click after choosing to slide to the left slides the panel out (state 8) instead of
// hiding it (state 3).
void TestProgram::hidingChosenInTheDialogActsAtOnce()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray output =
        run(home.path(), QStringLiteral("settings:radio:Slide to l&eft side of the screen;tray"),
            "state 8, panel hidden");
    QVERIFY2(output.contains("user: settings ok"), output.constData());
    QVERIFY2(!output.contains("still running"), output.constData());
    QVERIFY2(!output.contains("state 3,"), output.constData());
}

void TestProgram::activeLanguageComesBack_data()
{
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("detected");
    QTest::addRow("English, nothing detected") << "en_US" << "";
    QTest::addRow("English, others found since") << "en_US" << "en_US ";
    QTest::addRow("Japanese, nothing detected") << "ja_JP" << "";
}

// A stored active language is the one saved again at exit, whatever languages the program
// finds installed that the store did not list.
void TestProgram::activeLanguageComesBack()
{
    QFETCH(QString, active);
    QFETCH(QString, detected);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVariantMap values{{QStringLiteral("workingLanguages"), QString(active + ' ')},
                       {QStringLiteral("activeLanguage"), active}};
    if (!detected.isEmpty())
        values.insert(QStringLiteral("detectedLanguages"), detected);
    storeSettings(home, values);
    const QByteArray output = run(home.path(), QStringLiteral("exit"));
    QVERIFY2(endedCleanly(output), output.constData());
    QSettings store(storePath(home), QSettings::IniFormat);
    QCOMPARE(store.value(QStringLiteral("3.2/activeLanguage")).toString(), active);
}

void TestProgram::interfaceLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("direction");
    QTest::addColumn<QByteArray>("exitText");
    // Right to left, an English text ends with a left-to-right mark that keeps it in order.
    const QByteArray markedExit("Exit\xE2\x80\x8E");
    QTest::addRow("German") << QByteArray("de") << QByteArray("ltr") << QByteArray("Exit");
    QTest::addRow("Arabic") << QByteArray("ar") << QByteArray("rtl") << markedExit;
    QTest::addRow("Hebrew") << QByteArray("he_IL") << QByteArray("rtl") << markedExit;
    QTest::addRow("Norwegian Bokmal") << QByteArray("nb") << QByteArray("ltr")
                                      << QByteArray("Avslutt");
    QTest::addRow("Norwegian Bokmal, Norway") << QByteArray("nb_NO") << QByteArray("ltr")
                                              << QByteArray("Avslutt");
}

// The interface language of an installation (the first line of "ui_lang.txt" in the common
// data folder) sets the layout direction and picks the translation from "localisations" there.
void TestProgram::interfaceLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, direction);
    QFETCH(QByteArray, exitText);
#ifndef SCRIVEL_NORWEGIAN_QM
    QSKIP("no translation tools in this build");
#else
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString common = home.filePath(QStringLiteral("shared/Tarvell/Inkora Scrivel"));
    QVERIFY(QDir().mkpath(common + QStringLiteral("/localisations")));
    QVERIFY(QFile::copy(QStringLiteral(SCRIVEL_NORWEGIAN_QM),
                        common + QStringLiteral("/localisations/scrivel_no.qm")));
    QFile file(common + QStringLiteral("/ui_lang.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(language + "\n");
    file.close();

    const QByteArray output =
        run(home.path(), QStringLiteral("direction;actions"), "user: action " + exitText);
    QVERIFY2(output.contains("user: direction " + direction), output.constData());
    QVERIFY2(output.contains("user: action " + exitText + "\n"), output.constData());
    QVERIFY2(endedCleanly(output), output.constData());
#endif
}

void TestProgram::firstStartTakesTheWritingLanguageOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("active");
    QTest::addRow("C") << "C" << "en_US";
    QTest::addRow("POSIX") << "POSIX" << "en_US";
    QTest::addRow("Japanese") << "ja_JP.UTF-8" << "ja_JP";
}

// With no language stored, the locale of the environment chooses; one that names no language
// gives English.
void TestProgram::firstStartTakesTheWritingLanguageOfTheLocale()
{
    QFETCH(QString, locale);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment env = environment(home.path(), QString());
    for (const char *name : {"LANG", "LC_ALL", "LC_MESSAGES"})
        env.insert(QLatin1String(name), locale);
    env.remove(QStringLiteral("LANGUAGE"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(m_program, {QStringLiteral("--hide")});
    QVERIFY(program.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("state 3,"), 20000);
    ::kill(program.processId(), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    QVERIFY2(program.exitCode() == 0, output.constData());
    QSettings store(storePath(home), QSettings::IniFormat);
    QTEST(store.value(QStringLiteral("3.2/activeLanguage")).toString(), "active");
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
