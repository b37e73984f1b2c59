#include "platform/desktop.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The personal dictionary file of the user's application data folder.
class TestUserDictionaries : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void readFile_data();
    void readFile();
    void missingFileReadsEmpty();
    void wordsSurviveWriteAndRead();
    void emptyListEmptiesAnExistingFile();
    void emptyListCreatesNoFolder();
    void folderIsCreatedForWords();
    void unusableFolderIsReported();
    void failedWriteKeepsTheOldWords();

private:
    void writeRaw(const QByteArray &bytes);

    QTemporaryDir m_folders;
    QString m_userData;
};

void TestUserDictionaries::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("ScrivelTest"));
    QVERIFY(m_folders.isValid());
}

void TestUserDictionaries::init()
{
    static int round = 0;
    const QString base = m_folders.filePath(QString::number(++round));
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, base);
    m_userData = base + QStringLiteral("/InkoraTest/ScrivelTest");
}

void TestUserDictionaries::writeRaw(const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(m_userData));
    QFile file(m_userData + QStringLiteral("/PersonalDictionary.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestUserDictionaries::readFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("one word a line, file order and duplicates kept")
        << QByteArray("pear\napple\npear\n") << QStringList{"pear", "apple", "pear"};
    QTest::newRow("carriage returns and blanks trimmed")
        << QByteArray("  fig \r\nkiwi") << QStringList{"fig", "kiwi"};
    QTest::newRow("empty and blank lines give empty entries")
        << QByteArray("a\n\n   \nb\n") << QStringList{"a", "", "", "b"};
    QTest::newRow("UTF-8 words")
        << QString::fromUtf8("café\nКиев\n東京\n").toUtf8()
        << QStringList{QString::fromUtf8("café"), QString::fromUtf8("Киев"), QString::fromUtf8("東京")};
    QTest::newRow("a line past 255 bytes stays one word")
        << QByteArray(300, 'w') + "\n" << QStringList{QString(300, 'w')};
    QTest::newRow("a letter across byte 255 stays whole")
        << QByteArray(254, 'w') + QString::fromUtf8("é").toUtf8() + "\nx\n"
        << QStringList{QString(254, 'w') + QString::fromUtf8("é"), QStringLiteral("x")};
}

void TestUserDictionaries::readFile()
{
    QFETCH(QByteArray, bytes);
    writeRaw(bytes);
    QTEST(readPersonalDictionary(), "words");
}

void TestUserDictionaries::missingFileReadsEmpty()
{
    QVERIFY(readPersonalDictionary().isEmpty());
    QVERIFY(readDictionaryFile(m_folders.filePath(QStringLiteral("none.txt"))).isEmpty());
}

void TestUserDictionaries::wordsSurviveWriteAndRead()
{
    const QStringList words{QStringLiteral("paris"), QString::fromUtf8("Ελλάδα"),
                            QString::fromUtf8("مرحبا"), QStringLiteral("x")};
    QVERIFY(writePersonalDictionary(words));
    QCOMPARE(readPersonalDictionary(), words);
    QVERIFY(writePersonalDictionary({QStringLiteral("only")}));
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("only")});
}

void TestUserDictionaries::emptyListEmptiesAnExistingFile()
{
    writeRaw("old\nwords\n");
    QVERIFY(writePersonalDictionary({}));
    QVERIFY(QFileInfo::exists(personalDictionaryPath()));
    QCOMPARE(QFileInfo(personalDictionaryPath()).size(), 0);
}

void TestUserDictionaries::emptyListCreatesNoFolder()
{
    QVERIFY(!writePersonalDictionary({}));
    QVERIFY(!QFileInfo::exists(m_userData));
}

void TestUserDictionaries::folderIsCreatedForWords()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("new")}));
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("new")});
}

// A file where the folder should be: nothing can be written, and the call says so.
void TestUserDictionaries::unusableFolderIsReported()
{
    QVERIFY(QDir().mkpath(QFileInfo(m_userData).path()));
    QFile blocker(m_userData);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!writePersonalDictionary({QStringLiteral("word")}));
    QVERIFY(readPersonalDictionary().isEmpty());
}

// A write that the file system refuses half way (the process may not grow a file past 4 KiB)
// leaves the earlier file whole, since the words go to a temporary file first.
void TestUserDictionaries::failedWriteKeepsTheOldWords()
{
    const QStringList old{QStringLiteral("old"), QString::fromUtf8("wörter")};
    QVERIFY(writePersonalDictionary(old));
    const QStringList many(2000, QStringLiteral("word"));

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writePersonalDictionary(many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QCOMPARE(readPersonalDictionary(), old);
}

QTEST_MAIN(TestUserDictionaries)
#include "tst_userdictionaries.moc"
