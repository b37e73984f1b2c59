#include "configfixtures.h"
#include "lang/localeprefs.h"
#include "recognition/configrepository.h"
#include "recognition/recognizerconfig.h"
#include "tests/testidentity.h"

#include <QActionGroup>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace configfixtures;

// The language menu of the installed packages.
class TestLanguageMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void installedLanguages();
    void defaultLanguage_data();
    void defaultLanguage();
    void firstStartLanguage_data();
    void firstStartLanguage();
    void storedLanguageOutlivesNewlyFoundOnes_data();
    void storedLanguageOutlivesNewlyFoundOnes();
    void checkedLanguageLoadsItsConfigs_data();
    void checkedLanguageLoadsItsConfigs();
    void fillConfigMenu();

private:
    QTemporaryDir m_folders;
};

void TestLanguageMenu::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
}

void TestLanguageMenu::init() { useFolders(m_folders); }

void TestLanguageMenu::cleanup()
{
    QVERIFY(!QDir(QStringLiteral(":/data/lang_menu")).exists());
    QLocale::setDefault(QLocale::c());
    removeFolders(m_folders);
}

void TestLanguageMenu::installedLanguages()
{
    QActionGroup group(nullptr);
    buildLanguageMenu({"ja_JP", "en_US ja_JP ", ""}, &group, false);
    QCOMPARE(texts(group), QStringList({"English (United States)", "Japanese (Japan)"}));
    QCOMPARE(data(group), QStringList({"en_US en_US", "ja_JP ja_JP"}));
    QCOMPARE(visibleData(group), data(group));
    QCOMPARE(checkedData(group), QStringLiteral("ja_JP ja_JP"));
    QVERIFY(group.isExclusive());
    updateLanguageActionTexts(&group);
    QCOMPARE(texts(group), QStringList({"English", "Japanese"}));
}

void TestLanguageMenu::defaultLanguage_data()
{
    QTest::addColumn<QString>("ui");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("checked");
    QTest::newRow("interface locale") << "ja_JP"
                                      << "en_US"
                                      << "ja_JP ja_JP";
    QTest::newRow("interface language") << "en_GB"
                                        << "ja_JP"
                                        << "en_US en_US";
    QTest::newRow("system locale") << "fr_FR"
                                   << "ja_JP"
                                   << "ja_JP ja_JP";
    QTest::newRow("system language") << "fr_FR"
                                     << "en_AU"
                                     << "en_US en_US";
    QTest::newRow("bare ar, system locale") << "ar"
                                            << "ja_JP"
                                            << "ja_JP ja_JP";
    QTest::newRow("fil_PH, system language") << "fil_PH"
                                             << "en_NZ"
                                             << "en_US en_US";
    QTest::newRow("nothing alike: the last one") << "fr_FR"
                                                 << "de_DE"
                                                 << "ja_JP ja_JP";
}

// With no current language among the working ones, the interface and then the system
// locale choose the language.
void TestLanguageMenu::defaultLanguage()
{
    QFETCH(QString, ui);
    QFETCH(QString, system);
    setUiLanguage(ui);
    QLocale::setDefault(QLocale(system));
    QActionGroup group(nullptr);
    buildLanguageMenu({"de_DE", "en_US ja_JP ", ""}, &group, false);
    QTEST(checkedData(group), "checked");
    QCOMPARE(group.actions().size(), 2);
}

void TestLanguageMenu::firstStartLanguage_data()
{
    QTest::addColumn<QString>("ui");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("checked");
    QTest::newRow("English interface") << "en_GB"
                                       << "C"
                                       << "en_US en_US";
    QTest::newRow("English system, no interface language") << ""
                                                           << "en_US"
                                                           << "en_US en_US";
    QTest::newRow("C everywhere: English") << ""
                                           << "C"
                                           << "en_US en_US";
}

// At first start nothing is stored: every language is unlisted, so shown and checked in turn,
// and the locale choice then overrides the last one.
void TestLanguageMenu::firstStartLanguage()
{
    QFETCH(QString, ui);
    QFETCH(QString, system);
    setUiLanguage(ui);
    QLocale::setDefault(QLocale(system));
    QActionGroup group(nullptr);
    buildLanguageMenu({}, &group, true);
    QTEST(checkedData(group), "checked");
    QCOMPARE(visibleData(group), QStringList({"en_US en_US", "ja_JP ja_JP"}));
}

void TestLanguageMenu::storedLanguageOutlivesNewlyFoundOnes_data()
{
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("detected");
    QTest::addColumn<QString>("checked");
    QTest::newRow("nothing detected, first of the scan") << "en_US"
                                                         << "en_US "
                                                         << ""
                                                         << "en_US en_US";
    QTest::newRow("one found after it") << "en_US"
                                        << "en_US "
                                        << "en_US "
                                        << "en_US en_US";
    QTest::newRow("last of the scan") << "ja_JP"
                                      << "ja_JP "
                                      << ""
                                      << "ja_JP ja_JP";
    QTest::newRow("stored one not installed: the last found") << "fr_FR"
                                                              << "fr_FR "
                                                              << ""
                                                              << "ja_JP ja_JP";
}

// Newly found languages are shown, but a stored active language that is installed stays the
// active one.
void TestLanguageMenu::storedLanguageOutlivesNewlyFoundOnes()
{
    QFETCH(QString, active);
    QFETCH(QString, working);
    QFETCH(QString, detected);
    QActionGroup group(nullptr);
    buildLanguageMenu({active, working, detected}, &group, true);
    QTEST(checkedData(group), "checked");
    QCOMPARE(visibleData(group), QStringList({"en_US en_US", "ja_JP ja_JP"}));
}

void TestLanguageMenu::checkedLanguageLoadsItsConfigs_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("en_US") << "en_US";
    QTest::newRow("ja_JP") << "ja_JP";
}

// A pad's language entry is made from the checked action's data.
void TestLanguageMenu::checkedLanguageLoadsItsConfigs()
{
    QFETCH(QString, language);
    QActionGroup menu(nullptr);
    buildLanguageMenu({language, "en_US ja_JP ", ""}, &menu, false);
    const QString data = checkedData(menu);
    LanguageEntry entry;
    entry.setName(labelHead(data));
    entry.setLocale(QLocale(labelTail(data)));
    QActionGroup configs(nullptr);
    QXmlStreamReader reader;
    loadConfigs(reader, entry, CursiveMode, QString(), &configs);
    QCOMPARE(texts(configs), QStringList({"Cursive"}));
    const auto *config = qobject_cast<Config *>(configs.actions().first());
    QVERIFY(config->recognizerConfig.resources.first().contains(language + "-ak-cur.res"));
}

void TestLanguageMenu::fillConfigMenu()
{
    QActionGroup group(nullptr);
    buildLanguageMenu({"en_US", "en_US ja_JP ", ""}, &group, false);
    QMenu menu;
    menu.addAction(QStringLiteral("stale"));
    ::fillConfigMenu(&group, &menu);
    QCOMPARE(menu.actions(), group.actions());
    ::fillConfigMenu(&group, &menu);
    QCOMPARE(menu.actions(), group.actions());
}

QTEST_MAIN(TestLanguageMenu)
#include "tst_languagemenu.moc"
