#include "configfixtures.h"
#include "lang/localeprefs.h"
#include "recognition/configreader.h"
#include "recognition/configrepository.h"
#include "recognition/configwriter.h"
#include "recognition/recognizerconfig.h"
#include "tests/testidentity.h"

#include <QActionGroup>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>
#include <sys/resource.h>

using namespace configfixtures;

namespace {

const QString user = QStringLiteral("-Customized");

LanguageEntry entry(const QString &locale, const QString &name)
{
    LanguageEntry e;
    e.setLocale(QLocale(locale));
    e.setName(name);
    e.setLexicons({QStringLiteral("personal.lex")});
    return e;
}

// Everything of a configuration but its resources and the names of its language.
QStringList settings(const Config *c)
{
    const RecognizerConfig &r = c->recognizerConfig;
    return {c->text(),
            QString::number(c->mode),
            QString::number(c->canChangeBoxSize),
            QString::number(c->noWordSpacing),
            QString::number(c->defaultBoxSize),
            QStringLiteral("%1 %2 %3 %4 %5 %6")
                .arg(r.speedQualityCompromise)
                .arg(r.parameter1)
                .arg(r.parameter2)
                .arg(r.parameter3)
                .arg(r.parameter4)
                .arg(r.flags),
            QString::fromLatin1(r.languageCode),
            QString::number(r.userTrainingFile),
            r.decimalSeparator,
            r.lexicons.join(QLatin1Char(',')),
            r.resourceName,
            r.trainingData};
}

QList<Config *> loaded(const LanguageEntry &language, QActionGroup *group)
{
    QXmlStreamReader reader;
    loadConfigs(reader, language, IsolatedMode, QString(), group);
    QList<Config *> list;
    const QList<QAction *> actions = group->actions();
    for (QAction *action : actions)
        list.append(qobject_cast<Config *>(action));
    return list;
}

} // namespace

class TestConfigWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void documentHeader();
    void failures_data();
    void failures();
    void shortWriteKeepsTheOldDocument();
    void customisedLanguageIsListed();

private:
    QTemporaryDir m_folders;
};

void TestConfigWriter::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
}

void TestConfigWriter::init() { useFolders(m_folders); }

void TestConfigWriter::cleanup()
{
    QVERIFY(!QDir(QStringLiteral(":/data/xml")).exists());
    removeFolders(m_folders);
}

void TestConfigWriter::roundTrip_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("baseResources"); // what the base adds to the trained one
    QTest::newRow("en_US") << "en_US"
                           << "en_US" << QStringList();
    QTest::newRow("ja_JP, with its lexicon")
        << "ja_JP"
        << "ja_JP" << QStringList({":/data/languages/ja_JP/ja_JP-lk-common.res"});
    QTest::newRow("fil_PH trained from en_US") << "fil_PH"
                                               << "en_US" << QStringList();
}

// The trained language reads back as its base language's isolated configuration, with the
// trained resource in place of the base's own character resource.
void TestConfigWriter::roundTrip()
{
    QFETCH(QString, locale);
    QFETCH(QString, base);
    QFETCH(QStringList, baseResources);
    const QString resource = locale + user + QStringLiteral("-ak-iso.res");
    QActionGroup written(nullptr);
    ConfigWriter writer(resource, locale, user, base);
    QVERIFY(writer.saveConfigs(&written));
    QVERIFY(written.actions().isEmpty());
    QVERIFY(QFile::exists(trainingFolder() + "/" + locale + user + ".xml"));

    QActionGroup baseGroup(nullptr);
    const QList<Config *> expected = loaded(entry(locale, base), &baseGroup);
    QActionGroup trainedGroup(nullptr);
    const QList<Config *> trained = loaded(entry(locale, "_" + user), &trainedGroup);
    QCOMPARE(trained.size(), 1);
    QCOMPARE(expected.size(), 1);
    QCOMPARE(settings(trained.first()), settings(expected.first()));
    const RecognizerConfig &r = trained.first()->recognizerConfig;
    QCOMPARE(r.resources, QStringList(trainingFolder() + "/" + resource) + baseResources);
    QCOMPARE(r.languageName, "_" + user);
    QCOMPARE(r.resourcesBaseName, base);
    QVERIFY(trained.first()->isChecked());
}

void TestConfigWriter::documentHeader()
{
    QActionGroup written(nullptr);
    QVERIFY(ConfigWriter("trained.res", "en_US", "Ann", "en_US").saveConfigs(&written));
    QFile file(userConfigFile("_Ann en_US"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QByteArray contents = file.readAll();
    QVERIFY(contents.contains("<!DOCTYPE zkInkoraScrivelConfig>"));
    QVERIFY(file.seek(0));
    QXmlStreamReader reader;
    QString version, lang, baseName;
    QVERIFY(readConfigHeader(reader, &file, &version, &lang, &baseName));
    QCOMPARE(QStringList({version, lang, baseName}), QStringList({"0.4", "en_US", "en_US"}));
    QVERIFY(!contents.contains("_tr_"));
}

void TestConfigWriter::failures_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("obstacle"); // made in place of the document
    QTest::addColumn<QString>("warning");
    QTest::newRow("cannot be written") << "en_US"
                                       << "folder"
                                       << "Configuration document .* cannot be written";
    QTest::newRow("no training folder") << "en_US"
                                        << "no folder"
                                        << "Configuration document .* cannot be written";
    QTest::newRow("base not installed") << "zz_ZZ"
                                        << ""
                                        << "Language zz_ZZ has no isolated configurations";
}

void TestConfigWriter::failures()
{
    QFETCH(QString, base);
    QFETCH(QString, obstacle);
    QFETCH(QString, warning);
    const QString path = userConfigFile("_Ann en_US");
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (obstacle == QLatin1String("no folder"))
        QVERIFY(QDir(trainingFolder()).removeRecursively());
    QActionGroup group(nullptr);
    if (base.startsWith(QLatin1String("zz")))
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Language package .* cannot be opened"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QVERIFY(!ConfigWriter("trained.res", "en_US", "Ann", base).saveConfigs(&group));
    QVERIFY(!QFileInfo(path).isFile());
}

// A write that the file system cuts short (the process may not grow a file past 128 bytes)
// reports the failure and leaves the earlier document whole.
void TestConfigWriter::shortWriteKeepsTheOldDocument()
{
    QActionGroup group(nullptr);
    QVERIFY(ConfigWriter("old.res", "en_US", "Ann", "en_US").saveConfigs(&group));
    QFile file(userConfigFile("_Ann en_US"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();
    QVERIFY(old.size() > 128);

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 128;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Configuration document .* cannot be written"));
    const bool written = ConfigWriter("new.res", "en_US", "Ann", "en_US").saveConfigs(&group);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
}

void TestConfigWriter::customisedLanguageIsListed()
{
    QActionGroup written(nullptr);
    QVERIFY(
        ConfigWriter("en_US-Customized-ak-iso.res", "en_US", user, "en_US").saveConfigs(&written));
    QActionGroup menu(nullptr);
    buildLanguageMenu({"en_US-Customized", "en_US ja_JP en_US-Customized ", ""}, &menu, false);
    QCOMPARE(texts(menu), QStringList({"English (United States)",
                                       "English (United States) -Customized", "Japanese (Japan)"}));
    QCOMPARE(data(menu), QStringList({"en_US en_US", "_-Customized en_US", "ja_JP ja_JP"}));
    QCOMPARE(checkedData(menu), QStringLiteral("_-Customized en_US"));
    QVERIFY(findCustomizedLanguage(&menu, "_-Customized en_US"));
    updateLanguageActionTexts(&menu);
    QCOMPARE(texts(menu),
             QStringList({QString::fromUtf8("English\u202A (US)"),
                          QString::fromUtf8("English\u202A (US) Customized "), "Japanese"}));
}

QTEST_MAIN(TestConfigWriter)
#include "tst_configwriter.moc"
