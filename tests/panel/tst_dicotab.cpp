#include "panel/apppreferences.h"
#include "panel/dicotab.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDicoTab : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void searchSetsTheButtons_data();
    void searchSetsTheButtons();
    void addingAnExistingWordAddsNothing();
    void clickingAWordPutsItInTheField();
    void editReplacesTheWord();
    void emptiedEditKeepsTheWord();
    void cancelledEditRestoresTheWord();
    void deleteRemovesTheWord();
    void importAcceptsUtf8_data();
    void importAcceptsUtf8();
    void importRefusesOtherEncodings();
    void importThroughTheFileDialog();
    void exportWritesSortedUtf8();
    void failedExportIsReported();
    void shortExportKeepsTheEarlierFile();
    void storeWritesThePersonalDictionary();

private:
    QStringList itemTexts() const { return m_tab->words(); }
    QString path(const char *name) const { return m_folders.filePath(QLatin1String(name)); }

    QTemporaryDir m_folders;
    AppPreferences m_prefs;
    QPushButton m_ok;
    std::unique_ptr<DicoTab> m_tab;
};

void TestDicoTab::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("DicoTabTest"));
    QVERIFY(m_folders.isValid());
}

void TestDicoTab::init()
{
    static int round = 0;
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA,
                                        m_folders.filePath(QString::number(++round)));
    Prompt::clearRequests();
    Prompt::setHandler([](const Prompt::Request &) { return QVariant(); });
    m_prefs = AppPreferences();
    m_prefs.dictionaries = {QStringList{"pear", "apple", "Apple"}};
    m_tab = std::make_unique<DicoTab>(&m_prefs, &m_ok);
}

void TestDicoTab::cleanup()
{
    m_tab.reset();
    Prompt::setHandler({});
}

void TestDicoTab::searchSetsTheButtons_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("add");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("del");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("defaultButton");
    QTest::newRow("existing word") << " apple " << false << true << true << "apple" << "edit";
    QTest::newRow("case counts") << "APPLE" << true << false << false << "" << "add";
    QTest::newRow("new word") << "plum" << true << false << false << "" << "add";
    QTest::newRow("empty field") << "   " << false << false << false << "" << "ok";
}

void TestDicoTab::searchSetsTheButtons()
{
    QFETCH(QString, typed);
    QFETCH(QString, current);
    QFETCH(QString, defaultButton);
    m_tab->wordEdit()->setText(QStringLiteral("pear"));
    m_tab->wordEdit()->setText(typed);
    QTEST(m_tab->addButton()->isEnabled(), "add");
    QTEST(m_tab->editButton()->isEnabled(), "edit");
    QTEST(m_tab->delButton()->isEnabled(), "del");
    const QListWidgetItem *item = m_tab->wordList()->currentItem();
    QCOMPARE(item && m_tab->wordList()->currentRow() >= 0 ? item->text() : QString(), current);
    const QPushButton *expected = defaultButton == "edit"  ? m_tab->editButton()
                                  : defaultButton == "add" ? m_tab->addButton()
                                                           : &m_ok;
    QVERIFY(expected->isDefault());
}

void TestDicoTab::addingAnExistingWordAddsNothing()
{
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear"}));
    m_tab->wordEdit()->setText(QStringLiteral(" plum "));
    m_tab->addWord();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear", "plum"}));
    QVERIFY(m_tab->wordEdit()->text().isEmpty());
    m_tab->wordEdit()->setText(QStringLiteral("pear"));
    m_tab->addWord();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear", "plum"}));
    QVERIFY(m_tab->wordEdit()->text().isEmpty());
}

void TestDicoTab::clickingAWordPutsItInTheField()
{
    m_tab->show();
    QListWidget *list = m_tab->wordList();
    QListWidgetItem *pear = list->item(2);
    const QRect rect = list->visualItemRect(pear);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(m_tab->wordEdit()->text(), QStringLiteral("pear"));
    QCOMPARE(list->currentItem(), pear);
    QVERIFY(m_tab->editButton()->isEnabled());
}

void TestDicoTab::editReplacesTheWord()
{
    m_tab->show();
    m_tab->wordEdit()->setText(QStringLiteral("pear"));
    m_tab->editButton()->click();
    QVERIFY(!m_tab->wordList()->isEnabled());
    QVERIFY(m_tab->applyButton()->isVisible());
    QVERIFY(!m_tab->addButton()->isVisible());
    m_tab->wordEdit()->setText(QStringLiteral("peach"));
    QVERIFY(m_tab->applyButton()->isVisible());
    m_tab->applyButton()->click();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "peach"}));
    QVERIFY(m_tab->wordList()->isEnabled());
    QVERIFY(!m_tab->applyButton()->isVisible());
    QVERIFY(m_tab->addButton()->isVisible());
    QVERIFY(m_tab->wordEdit()->text().isEmpty());
}

void TestDicoTab::emptiedEditKeepsTheWord()
{
    m_tab->show();
    m_tab->wordEdit()->setText(QStringLiteral("pear"));
    m_tab->editButton()->click();
    m_tab->wordEdit()->setText(QStringLiteral("  "));
    m_tab->applyButton()->click();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear"}));
    QVERIFY(m_tab->wordList()->isEnabled());
    QVERIFY(!m_tab->applyButton()->isVisible());
}

void TestDicoTab::cancelledEditRestoresTheWord()
{
    m_tab->show();
    m_tab->wordEdit()->setText(QStringLiteral("apple"));
    m_tab->editButton()->click();
    m_tab->wordEdit()->setText(QStringLiteral("apricot"));
    m_tab->cancelButton()->click();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear"}));
    QCOMPARE(m_tab->wordEdit()->text(), QStringLiteral("apple"));
    QVERIFY(m_tab->wordList()->isEnabled());
    QVERIFY(m_tab->delButton()->isEnabled());
    QVERIFY(m_tab->editButton()->isVisible());
}

void TestDicoTab::deleteRemovesTheWord()
{
    m_tab->wordEdit()->setText(QStringLiteral("apple"));
    m_tab->delButton()->click();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "pear"}));
    QVERIFY(m_tab->wordEdit()->text().isEmpty());
    QVERIFY(!m_tab->delButton()->isEnabled());
}

void TestDicoTab::importAcceptsUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray words("  caf\xC3\xA9 \n\npear\r\n\xE6\x97\xA5\xE6\x9C\xAC\n");
    QTest::newRow("without a byte-order mark") << words;
    QTest::newRow("with a byte-order mark") << QByteArray("\xEF\xBB\xBF") + words;
}

void TestDicoTab::importAcceptsUtf8()
{
    QFETCH(QByteArray, bytes);
    writeBytes(path("words.txt"), bytes);
    QVERIFY(m_tab->importFile(path("words.txt")));
    QStringList expected{"Apple", "apple", "pear", QString::fromUtf8("caf\xC3\xA9"),
                         QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC")};
    expected.sort();
    QCOMPARE(itemTexts(), expected);
    QVERIFY(Prompt::requests().isEmpty());
}

void TestDicoTab::importRefusesOtherEncodings()
{
    writeBytes(path("latin1.txt"), "caf\xE9\nplum\n");
    QVERIFY(!m_tab->importFile(path("latin1.txt")));
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear"}));
    QCOMPARE(Prompt::requests().size(), 1);
    QCOMPARE(Prompt::requests().first().text,
             QStringLiteral("Your file cannot be imported as it includes specific "
                            "characters.\nPlease save your file as UTF-8 in a text editor and "
                            "import it again."));
    QCOMPARE(Prompt::requests().first().icon, int(QMessageBox::Warning));
}

void TestDicoTab::importThroughTheFileDialog()
{
    writeBytes(path("more.txt"), "plum\n");
    const QString chosen = path("more.txt");
    Prompt::setHandler([&](const Prompt::Request &r) {
        return r.kind == Prompt::OpenFile ? QVariant(chosen) : QVariant();
    });
    m_tab->importWords();
    QCOMPARE(itemTexts(), (QStringList{"Apple", "apple", "pear", "plum"}));
    const Prompt::Request asked = Prompt::requests().first();
    QCOMPARE(asked.title, QStringLiteral("Import dictionary"));
    QCOMPARE(asked.initial.toString(), QStringLiteral("Dict files ( *.txt )"));

    Prompt::setHandler([](const Prompt::Request &) { return QVariant(QString()); });
    m_tab->importWords();
    QCOMPARE(itemTexts().size(), 4);
}

void TestDicoTab::exportWritesSortedUtf8()
{
    m_tab->wordEdit()->setText(QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    m_tab->addWord();
    QVERIFY(m_tab->exportFile(path("out.txt")));
    QCOMPARE(readBytes(path("out.txt")), QByteArray("Apple\napple\npear\n\xC3\xA9t\xC3\xA9\n"));
}

void TestDicoTab::failedExportIsReported()
{
    // A folder where the file should be: the write fails whoever runs the test.
    QVERIFY(QDir().mkpath(path("blocked.txt")));
    Prompt::setHandler([&](const Prompt::Request &r) {
        return r.kind == Prompt::SaveFile ? QVariant(path("blocked.txt")) : QVariant();
    });
    m_tab->exportWords();
    QCOMPARE(Prompt::requests().size(), 2);
    QCOMPARE(Prompt::requests().at(1).kind, Prompt::Message);
    QVERIFY(Prompt::requests().at(1).text.contains(path("blocked.txt")));
}

void TestDicoTab::shortExportKeepsTheEarlierFile()
{
    writeBytes(path("earlier.txt"), "kept\n");
    // A file-size limit cuts the write short, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = m_tab->exportFile(path("earlier.txt"));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    QVERIFY(!written);
    QCOMPARE(readBytes(path("earlier.txt")), QByteArray("kept\n"));
}

void TestDicoTab::storeWritesThePersonalDictionary()
{
    m_tab->wordEdit()->setText(QStringLiteral("fig"));
    m_tab->addWord();
    QVERIFY(m_tab->storeWords());
    QCOMPARE(m_prefs.dictionaries.first(), (QStringList{"Apple", "apple", "fig", "pear"}));
    QCOMPARE(readPersonalDictionary(), (QStringList{"Apple", "apple", "fig", "pear"}));
}

QTEST_MAIN(TestDicoTab)
#include "tst_dicotab.moc"
