#include "platform/autostartentry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The autostart desktop file that stands for the Run key on a real desktop.
class TestAutostartEntry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void valueComesBack_data();
    void valueComesBack();
    void execLineIsQuoted();
    void missingEntry();
    void unwritableFolder();

private:
    std::unique_ptr<QTemporaryDir> m_config;
};

void TestAutostartEntry::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

void TestAutostartEntry::valueComesBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("program and option") << "\"/opt/scrivel/InkoraScrivel\" /i";
    QTest::newRow("blanks in the path") << "\"/home/a user/my apps/InkoraScrivel\" /i";
    QTest::newRow("shell characters in the path") << "\"/home/$USER/`x`/back\\slash/InkoraScrivel\" /i";
    QTest::newRow("unquoted") << "/usr/bin/InkoraScrivel";
    QTest::newRow("non-Latin path") << "\"/home/ユーザー/InkoraScrivel\" /i";
}

void TestAutostartEntry::valueComesBack()
{
    QFETCH(QString, value);
    const AutostartEntry entry(QStringLiteral("InkoraScrivel"));
    QVERIFY(!entry.exists());
    QVERIFY(entry.write(value));
    QVERIFY(entry.exists());
    QCOMPARE(entry.filePath(), m_config->filePath(QStringLiteral("autostart/InkoraScrivel.desktop")));
    QCOMPARE(entry.value(), value);
    QVERIFY(entry.remove());
    QVERIFY(!entry.exists());
}

void TestAutostartEntry::execLineIsQuoted()
{
    const AutostartEntry entry(QStringLiteral("InkoraScrivel"));
    QVERIFY(entry.write(QStringLiteral("\"/home/$USER/a b/InkoraScrivel\" /i")));
    QFile file(entry.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.startsWith("[Desktop Entry]\n"), text.constData());
    QVERIFY2(text.contains("\nType=Application\n"), text.constData());
    // The dollar is escaped for the command line, and that backslash for the string value.
    QVERIFY2(text.contains("\nExec=\"/home/\\\\$USER/a b/InkoraScrivel\" /i\n"), text.constData());
}

void TestAutostartEntry::missingEntry()
{
    const AutostartEntry entry(QStringLiteral("InkoraScrivel"));
    QVERIFY(!entry.exists());
    QCOMPARE(entry.value(), QString());
    QVERIFY(entry.remove());
}

void TestAutostartEntry::unwritableFolder()
{
    QFile blocker(m_config->filePath(QStringLiteral("autostart")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const AutostartEntry entry(QStringLiteral("InkoraScrivel"));
    QVERIFY(!entry.write(QStringLiteral("\"/opt/InkoraScrivel\" /i")));
    QVERIFY(!entry.exists());
}

QTEST_GUILESS_MAIN(TestAutostartEntry)

#include "tst_autostartentry.moc"
