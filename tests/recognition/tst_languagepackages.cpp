#include "configfixtures.h"
#include "lang/localeprefs.h"
#include "recognition/configrepository.h"
#include "recognition/recognizerconfig.h"
#include "tests/testidentity.h"

#include <QActionGroup>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace configfixtures;

// The language menu of a made-up installation beside this test: "0aPt.rcc" (pt_BR and
// pt_PT), "0ar.rcc" (a bare "ar"), "0broken.rcc" (not a package), "0en_GB.rcc",
// "0en_US.rcc" and "0fil_PH.rcc".
namespace {

const QString everyLanguage = QStringLiteral("pt_BR pt_PT ar en_GB en_US fil_PH ");

QString u(const char *text) { return QString::fromUtf8(text); }

QByteArray isolated()
{
    return "<config label=\"Isolated\" type=\"isolated\"><resource>t.res</resource></config>\n";
}

} // namespace

class TestLanguagePackages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sortedWhateverThePackageOrder();
    void workingLanguages_data();
    void workingLanguages();
    void checkUnlisted();
    void defaultLanguage_data();
    void defaultLanguage();
    void customisedLanguages();
    void actionTexts();
    void findCustomizedLanguage_data();
    void findCustomizedLanguage();

private:
    void buildMenu(const LocalePrefs &prefs, QActionGroup *group, bool checkUnlisted = false);

    QTemporaryDir m_folders;
};

void TestLanguagePackages::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
    QVERIFY(QFile::exists(applicationPath(ResourcesFolder) + "/0fil_PH.rcc"));
}

void TestLanguagePackages::init()
{
    useFolders(m_folders);
    setUiLanguage(QStringLiteral("fr_FR"));
}

void TestLanguagePackages::cleanup()
{
    QVERIFY(!QDir(QStringLiteral(":/data/lang_menu")).exists());
    QLocale::setDefault(QLocale::c());
    removeFolders(m_folders);
}

// The broken package is reported and left out each time the menu is built.
void TestLanguagePackages::buildMenu(const LocalePrefs &prefs, QActionGroup *group,
                                     bool checkUnlisted)
{
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Language package .*/0broken.rcc cannot be opened"));
    buildLanguageMenu(prefs, group, checkUnlisted);
}

void TestLanguagePackages::sortedWhateverThePackageOrder()
{
    QActionGroup group(nullptr);
    buildMenu({"en_GB", everyLanguage, ""}, &group);
    QCOMPARE(texts(group), QStringList({"Arabic (Egypt)", "English (United Kingdom)",
                                        "English (United States)", "Filipino (Philippines)",
                                        "Portuguese (Brazil)", "Portuguese (Portugal)"}));
    QCOMPARE(data(group), QStringList({"ar ar", "en_GB en_GB", "en_US en_US", "fil_PH fil_PH",
                                       "aPt pt_BR", "aPt pt_PT"}));
    QCOMPARE(checkedData(group), QStringLiteral("en_GB en_GB"));
}

void TestLanguagePackages::workingLanguages_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("ui");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QString>("checked");
    QTest::newRow("listed current")
        << "pt_PT"
        << "en_US pt_PT "
        << "en_GB" << QStringList({"en_US en_US", "aPt pt_PT"}) << "aPt pt_PT";
    QTest::newRow("unlisted current: the interface locale")
        << "ar"
        << "en_US pt_PT "
        << "en_GB" << QStringList({"en_GB en_GB", "en_US en_US", "aPt pt_PT"}) << "en_GB en_GB";
    // "n_G" is inside "en_GB": listed, so no locale chooses and the first action is checked.
    QTest::newRow("substring of a working language")
        << "n_G"
        << "en_GB "
        << "fil_PH" << QStringList({"ar ar", "en_GB en_GB"}) << "ar ar";
    QTest::newRow("no working languages")
        << ""
        << ""
        << "fil_PH" << QStringList({"fil_PH fil_PH"}) << "fil_PH fil_PH";
}

void TestLanguagePackages::workingLanguages()
{
    QFETCH(QString, current);
    QFETCH(QString, working);
    QFETCH(QString, ui);
    setUiLanguage(ui);
    QActionGroup group(nullptr);
    buildMenu({current, working, ""}, &group);
    QTEST(visibleData(group), "visible");
    QTEST(checkedData(group), "checked");
}

// Every language missing from the detected list is shown, found before and after the active
// one; the active one stays checked.
void TestLanguagePackages::checkUnlisted()
{
    QActionGroup group(nullptr);
    buildMenu({"en_US", "en_US ", "en_US ar pt_BR pt_PT "}, &group, true);
    QCOMPARE(visibleData(group), QStringList({"en_GB en_GB", "en_US en_US", "fil_PH fil_PH"}));
    QCOMPARE(checkedData(group), QStringLiteral("en_US en_US"));
}

void TestLanguagePackages::defaultLanguage_data()
{
    QTest::addColumn<QString>("ui");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("checked");
    QTest::newRow("fil_PH itself") << "fil_PH"
                                   << "en_US"
                                   << "fil_PH fil_PH";
    QTest::newRow("bare ar") << "ar"
                             << "en_US"
                             << "ar ar";
    QTest::newRow("ar_SA, same language") << "ar_SA"
                                          << "en_US"
                                          << "ar ar";
    QTest::newRow("two of the language: the last") << "en_AU"
                                                   << "pt_PT"
                                                   << "en_US en_US";
    QTest::newRow("system locale") << "de_DE"
                                   << "pt_PT"
                                   << "aPt pt_PT";
    QTest::newRow("system language") << "de_DE"
                                     << "pt_AO"
                                     << "aPt pt_PT";
    QTest::newRow("system fil") << "de_DE"
                                << "fil"
                                << "fil_PH fil_PH";
    QTest::newRow("nothing alike: the last one") << "de_DE"
                                                 << "fr_FR"
                                                 << "fil_PH fil_PH";
}

void TestLanguagePackages::defaultLanguage()
{
    QFETCH(QString, ui);
    QFETCH(QString, system);
    setUiLanguage(ui);
    QLocale::setDefault(QLocale(system));
    QActionGroup group(nullptr);
    buildMenu({"", everyLanguage, ""}, &group);
    QTEST(checkedData(group), "checked");
}

// Trained documents are listed by their locale and user name when the language they were
// trained from is installed.
void TestLanguagePackages::customisedLanguages()
{
    const QString folder = trainingFolder() + "/";
    writeFile(folder + "en_US-Customized.xml", customisedDocument("en_US", "en_US", isolated()));
    writeFile(folder + "fil_PHAnn.xml", customisedDocument("fil_PH", "fil_PH", isolated()));
    writeFile(folder + "arBo.xml", customisedDocument("ar", "en_GB", isolated()));
    writeFile(folder + "en_GBNew.xml", customisedDocument("en_GB", "en_GB", "", "0.5"));
    writeFile(folder + "en_GBGone.xml", customisedDocument("en_GB", "zz_ZZ", isolated()));
    writeFile(folder + "en_GBPart.xml", customisedDocument("en_GB", "en", isolated()));
    writeFile(folder + "en_GBRoot.xml", "<config version=\"0.4\" lang=\"en_GB\"/>");
    writeFile(folder + "en_GBCut.xml", "<?xml version=\"1.0\"?><scriv");
    writeFile(folder + "Misnamed.xml", customisedDocument("en_GB", "en_GB", isolated()));
    QActionGroup group(nullptr);
    buildMenu({"fil_PHAnn", "en_US fil_PHAnn arBo ", ""}, &group);
    QStringList customised;
    for (const QString &d : data(group)) {
        if (hasUnderscorePrefix(d))
            customised.append(d);
    }
    QCOMPARE(customised, QStringList({"_Bo ar", "_-Customized en_US", "_Ann fil_PH"}));
    QVERIFY(texts(group).contains("Filipino (Philippines) Ann"));
    QVERIFY(texts(group).contains("Arabic (Egypt) Bo"));
    QCOMPARE(visibleData(group), QStringList({"_Bo ar", "en_US en_US", "_Ann fil_PH"}));
    QCOMPARE(checkedData(group), QStringLiteral("_Ann fil_PH"));
}

void TestLanguagePackages::actionTexts()
{
    writeFile(trainingFolder() + "/arBo.xml", customisedDocument("ar", "ar", isolated()));
    QActionGroup group(nullptr);
    buildMenu({"", everyLanguage, ""}, &group);
    updateLanguageActionTexts(&group);
    QCOMPARE(texts(group),
             QStringList({u("Arabic\u202A (EG)"), u("Arabic\u202A (EG) Customized "),
                          u("English\u202A (GB)"), u("English\u202A (US)"), "Filipino",
                          u("Portuguese\u202A (BR)"), u("Portuguese\u202A (PT)")}));
}

void TestLanguagePackages::findCustomizedLanguage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::newRow("same locale") << "_Ann fil_PH" << true;
    QTest::newRow("locale of another user") << "_Bo fil_PH" << true;
    QTest::newRow("installed only") << "en_GB" << false;
    QTest::newRow("language code") << "fil" << true;
    QTest::newRow("start of the code") << "fi" << true;
    QTest::newRow("other country") << "_Ann fil_XX" << false;
    QTest::newRow("not customised") << "ar" << false;
}

void TestLanguagePackages::findCustomizedLanguage()
{
    QFETCH(QString, name);
    writeFile(trainingFolder() + "/fil_PHAnn.xml", customisedDocument("fil_PH", "fil_PH", ""));
    QActionGroup group(nullptr);
    buildMenu({"", everyLanguage, ""}, &group);
    QTEST(::findCustomizedLanguage(&group, name), "found");
}

QTEST_MAIN(TestLanguagePackages)
#include "tst_languagepackages.moc"
