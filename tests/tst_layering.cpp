#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>

// The source folders from the bottom up: a folder's libraries link, and its sources include,
// only folders of lower levels. A new folder takes its place here.
static const QList<QStringList> levels = {
    {"platform", "engine", "tessel", "resources"},
    {"lang", "xml", "model", "hook"},
    {"windows"},
    {"recognition", "skin"},
    {"pad"},
    {"modes", "keyboard"},
    {"calculator"},
    {"panel"},
    {"app"},
};

static int levelOf(const QString &folder)
{
    for (int i = 0; i < levels.size(); ++i) {
        if (levels.at(i).contains(folder))
            return i;
    }
    return -1;
}

class TestLayering : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFolderHasALevel_data();
    void everyFolderHasALevel();
    void linksPointDown_data();
    void linksPointDown();
    void includesPointDown_data();
    void includesPointDown();

private:
    void addFolderRows();
    // Folders named by the `#include "folder/..."` lines of the folder's own sources.
    static QStringList includedFolders(const QString &folder);

    QHash<QString, QStringList> m_links;
};

void TestLayering::initTestCase()
{
    QFile file(QStringLiteral(SCRIVEL_LAYERING_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
    while (!file.atEnd()) {
        QStringList words =
            QString::fromUtf8(file.readLine()).simplified().split(u' ', Qt::SkipEmptyParts);
        if (!words.isEmpty())
            m_links.insert(words.takeFirst(), words);
    }
    QVERIFY(m_links.contains("model"));
    QVERIFY(m_links.contains("app"));
}

void TestLayering::addFolderRows()
{
    QTest::addColumn<QString>("folder");
    QStringList folders = m_links.keys();
    folders.sort();
    for (const QString &folder : folders)
        QTest::newRow(qPrintable(folder)) << folder;
}

void TestLayering::everyFolderHasALevel_data()
{
    addFolderRows();
}

void TestLayering::everyFolderHasALevel()
{
    QFETCH(QString, folder);
    QVERIFY2(levelOf(folder) >= 0, qPrintable(folder + " has no level"));
}

void TestLayering::linksPointDown_data()
{
    addFolderRows();
}

void TestLayering::linksPointDown()
{
    QFETCH(QString, folder);
    const int level = levelOf(folder);
    for (const QString &linked : m_links.value(folder)) {
        QVERIFY2(levelOf(linked) >= 0 && levelOf(linked) < level,
                 qPrintable(folder + " links " + linked));
    }
}

void TestLayering::includesPointDown_data()
{
    addFolderRows();
}

void TestLayering::includesPointDown()
{
    QFETCH(QString, folder);
    const int level = levelOf(folder);
    for (const QString &included : includedFolders(folder)) {
        if (included == folder || !m_links.contains(included))
            continue;
        QVERIFY2(levelOf(included) >= 0 && levelOf(included) < level,
                 qPrintable(folder + " includes " + included));
    }
}

QStringList TestLayering::includedFolders(const QString &folder)
{
    static const QRegularExpression include(QStringLiteral("^#include \"([a-z]+)/"),
                                            QRegularExpression::MultilineOption);
    const QDir dir(QStringLiteral(SCRIVEL_SOURCE_DIR "/") + folder);
    QStringList folders;
    for (const QString &name : dir.entryList({"*.h", "*.cpp"}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch &match : include.globalMatch(text))
            folders << match.captured(1);
    }
    folders.removeDuplicates();
    return folders;
}

QTEST_GUILESS_MAIN(TestLayering)
#include "tst_layering.moc"
