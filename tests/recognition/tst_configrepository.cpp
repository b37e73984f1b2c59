#include "platform/desktop.h"
#include "platform/winapi.h"
#include "recognition/configrepository.h"
#include "recognition/recognizerconfig.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"
#include "tests/testidentity.h"

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QResource>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString languages = QStringLiteral(":/data/languages/");

LanguageEntry entry(const QString &locale, const QString &name)
{
    LanguageEntry e;
    e.setLocale(QLocale(locale));
    e.setName(name);
    e.setLexicons({QStringLiteral("personal.lex")});
    return e;
}

QList<Config *> configs(const QActionGroup &group)
{
    QList<Config *> list;
    const QList<QAction *> actions = group.actions();
    for (QAction *action : actions)
        list.append(qobject_cast<Config *>(action));
    return list;
}

QStringList texts(const QActionGroup &group)
{
    QStringList list;
    const QList<QAction *> actions = group.actions();
    for (const QAction *action : actions)
        list.append(action->text());
    return list;
}

QString checkedText(const QActionGroup &group)
{
    return group.checkedAction() ? group.checkedAction()->text() : QString();
}

// Whether every engine resource that the configuration names is in its language package.
bool resourcesArePackaged(const RecognizerConfig &config, QString *missing)
{
    const QString package = QStringLiteral("%1/1%2.rcc")
                                .arg(applicationPath(ResourcesFolder), config.languageName);
    if (!QResource::registerResource(package, resourcepaths::packageRoot())) {
        *missing = package;
        return false;
    }
    QStringList files = config.resources;
    if (!config.trainingData.isEmpty())
        files.append(config.trainingData);
    for (const QString &file : files) {
        if (!QFile::exists(file))
            missing->append(file + QLatin1Char(' '));
    }
    QResource::unregisterResource(package, resourcepaths::packageRoot());
    return missing->isEmpty();
}

bool configPackageIsRegistered()
{
    return QDir(resourcepaths::configs()).exists();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray customisedDocument(const QByteArray &lang, const QByteArray &baseName,
                              const QByteArray &configs)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE zkInkoraScrivelConfig>\n<scrivelconfig "
           "version=\"0.4\" lang=\"" + lang + "\" resourcesBaseName=\"" + baseName + "\">\n"
           + configs + "</scrivelconfig>\n";
}

} // namespace

class TestConfigRepository : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void labelParts_data();
    void labelParts();
    void loadConfigs_data();
    void loadConfigs();
    void loadConfigsChecksTheLabel_data();
    void loadConfigsChecksTheLabel();
    void unknownLanguageLoadsNothing();
    void customisedLanguage_data();
    void customisedLanguage();
    void brokenCustomisedDocument_data();
    void brokenCustomisedDocument();

private:
    QTemporaryDir m_folders;
};

void TestConfigRepository::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
}

void TestConfigRepository::init()
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath(QStringLiteral("user")));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA,
                                        m_folders.filePath(QStringLiteral("common")));
}

void TestConfigRepository::cleanup()
{
    QVERIFY(!configPackageIsRegistered());
    QDir(m_folders.filePath(QStringLiteral("user"))).removeRecursively();
}

void TestConfigRepository::labelParts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<bool>("customised");
    QTest::newRow("installed") << "en_US en_US" << "en_US" << "en_US" << false;
    QTest::newRow("customised") << "_-Customized fil_PH" << "_-Customized" << "fil_PH" << true;
    QTest::newRow("two blanks") << "_Ann Lee ja_JP" << "_Ann Lee" << "ja_JP" << true;
    QTest::newRow("no blank") << "en_US" << "en_US" << "en_US" << false;
    QTest::newRow("new line") << "_a\nb en_US" << "_a\nb" << "en_US" << true;
    QTest::newRow("trailing blank") << "en_US " << "en_US" << "" << false;
    QTest::newRow("empty") << "" << "" << "" << false;
}

void TestConfigRepository::labelParts()
{
    QFETCH(QString, text);
    QTEST(labelHead(text), "head");
    QTEST(labelTail(text), "tail");
    QTEST(hasUnderscorePrefix(text), "customised");
}

void TestConfigRepository::loadConfigs_data()
{
    const QStringList calculator({languages + "shared/Calculator-ak-hpr.res",
                                  languages + "shared/Calculator-sk-im_calc.res"});
    const QStringList enCursive({languages + "en_US/en_US-ak-cur.res",
                                 languages + "en_US/en_US-lk-text.res"});
    const QStringList enIso({languages + "en_US/en_US-ak-iso.res"});
    const QStringList jaCursive({languages + "ja_JP/ja_JP-ak-cur.res",
                                 languages + "ja_JP/ja_JP-lk-common.res"});
    const QStringList jaIso({languages + "ja_JP/ja_JP-ak-iso.res",
                             languages + "ja_JP/ja_JP-lk-common.res"});
    const quint32 ltr = RecognizerConfig::LeftToRight;
    const quint32 cjk = RecognizerConfig::CjkWords | ltr;
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<QStringList>>("resources");
    QTest::addColumn<QList<quint32>>("flags");
    QTest::addColumn<QList<bool>>("lexicons");
    QTest::addColumn<QList<bool>>("canChangeBoxSize");
    QTest::newRow("en_US cursive") << "en_US" << int(CursiveMode) << QStringList({"Cursive"})
                                   << QList<QStringList>({enCursive}) << QList<quint32>({ltr})
                                   << QList<bool>({true}) << QList<bool>({false});
    QTest::newRow("en_US isolated") << "en_US" << int(IsolatedMode) << QStringList({"Isolated"})
                                    << QList<QStringList>({enIso}) << QList<quint32>({ltr})
                                    << QList<bool>({false}) << QList<bool>({true});
    QTest::newRow("en_US trainer") << "en_US" << int(IsoTrainerMode) << QStringList({"Trainer"})
                                   << QList<QStringList>({enIso}) << QList<quint32>({ltr})
                                   << QList<bool>({false}) << QList<bool>({false});
    QTest::newRow("en_US calculator")
        << "en_US" << int(CalculatorMode) << QStringList({"Calculator"})
        << QList<QStringList>({calculator}) << QList<quint32>({ltr}) << QList<bool>({false})
        << QList<bool>({false});
    QTest::newRow("en_US keyboard")
        << "en_US" << int(KeyboardMode) << QStringList({"Keyboard"})
        << QList<QStringList>({{languages + "en_US/keyboard.xml"}}) << QList<quint32>({ltr})
        << QList<bool>({false}) << QList<bool>({false});
    QTest::newRow("en_US every mode")
        << "en_US" << int(UnknownMode)
        << QStringList({"Cursive", "Isolated", "Trainer", "Calculator", "Keyboard"})
        << QList<QStringList>({enCursive, enIso, enIso, {}, {languages + "en_US/keyboard.xml"}})
        << QList<quint32>({ltr, ltr, ltr, ltr, ltr})
        << QList<bool>({true, false, false, false, false})
        << QList<bool>({false, true, false, false, false});
    QTest::newRow("ja_JP cursive") << "ja_JP" << int(CursiveMode) << QStringList({"Cursive"})
                                   << QList<QStringList>({jaCursive}) << QList<quint32>({cjk})
                                   << QList<bool>({true}) << QList<bool>({false});
    QTest::newRow("ja_JP isolated") << "ja_JP" << int(IsolatedMode) << QStringList({"Isolated"})
                                    << QList<QStringList>({jaIso}) << QList<quint32>({cjk})
                                    << QList<bool>({false}) << QList<bool>({true});
    QTest::newRow("ja_JP trainer")
        << "ja_JP" << int(IsoTrainerMode) << QStringList({"Trainer"})
        << QList<QStringList>({{languages + "ja_JP/ja_JP-ak-iso.res"}}) << QList<quint32>({cjk})
        << QList<bool>({false}) << QList<bool>({false});
    QTest::newRow("ja_JP keyboard") << "ja_JP" << int(KeyboardMode) << QStringList()
                                    << QList<QStringList>() << QList<quint32>() << QList<bool>()
                                    << QList<bool>();
    QTest::newRow("ja_JP calculator")
        << "ja_JP" << int(CalculatorMode) << QStringList({"Calculator"})
        << QList<QStringList>({calculator}) << QList<quint32>({ltr}) << QList<bool>({false})
        << QList<bool>({false});
}

void TestConfigRepository::loadConfigs()
{
    QFETCH(QString, locale);
    QFETCH(int, mode);
    QFETCH(QList<QStringList>, resources);
    QFETCH(QList<quint32>, flags);
    QFETCH(QList<bool>, lexicons);
    QFETCH(QList<bool>, canChangeBoxSize);
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    ::loadConfigs(reader, entry(locale, locale), InputMode(mode), QString(), &group);
    QTEST(texts(group), "labels");
    const QList<Config *> list = configs(group);
    for (int i = 0; i < list.size(); ++i) {
        const Config *c = list.at(i);
        const RecognizerConfig &r = c->recognizerConfig;
        QCOMPARE(int(c->mode), mode);
        QCOMPARE(r.resources, resources.at(i));
        QCOMPARE(r.flags, flags.at(i));
        QCOMPARE(r.lexicons.isEmpty(), !lexicons.at(i));
        QCOMPARE(c->canChangeBoxSize, canChangeBoxSize.at(i));
        QCOMPARE(c->defaultBoxSize, 2);
        QCOMPARE(c->language.name(), locale);
        QCOMPARE(r.trainingData.isEmpty(), c->text() != QLatin1String("Trainer"));
        if (c->text() == QLatin1String("Calculator"))
            QCOMPARE(r.decimalSeparator, QStringLiteral("."));
        QString missing;
        QVERIFY2(resourcesArePackaged(r, &missing), qPrintable(missing));
    }
    QCOMPARE(checkedText(group), list.isEmpty() ? QString() : list.first()->text());
}

void TestConfigRepository::loadConfigsChecksTheLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("checked");
    QTest::newRow("label") << "Trainer" << "Trainer";
    QTest::newRow("no label") << "" << "Cursive";
    QTest::newRow("unknown label") << "Boxes" << "Cursive";
}

void TestConfigRepository::loadConfigsChecksTheLabel()
{
    QFETCH(QString, label);
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    ::loadConfigs(reader, entry("en_US", "en_US"), UnknownMode, label, &group);
    QTEST(checkedText(group), "checked");
    QVERIFY(group.checkedAction()->isVisible());
}

void TestConfigRepository::unknownLanguageLoadsNothing()
{
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Language package .*/0xx_XX.rcc cannot be opened"));
    ::loadConfigs(reader, entry("en_US", "xx_XX"), CursiveMode, QString(), &group);
    QVERIFY(group.actions().isEmpty());
}

void TestConfigRepository::customisedLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("resources");
    QTest::newRow("en_US") << "en_US" << "en_US"
                           << QStringList({"/en_US-Customized-ak-iso.res"});
    QTest::newRow("ja_JP, with the base lexicon")
        << "ja_JP" << "ja_JP"
        << QStringList({"/ja_JP-Customized-ak-iso.res", "ja_JP/ja_JP-lk-common.res"});
    QTest::newRow("trained from another language")
        << "fil_PH" << "en_US" << QStringList({"/fil_PH-Customized-ak-iso.res"});
}

// The trained document names the built-in configuration by its shown text; the built-in
// element must add its other resources to it rather than a second configuration.
void TestConfigRepository::customisedLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, base);
    QFETCH(QStringList, resources);
    writeFile(trainingFolder() + "/" + locale + "-Customized.xml",
              customisedDocument(locale.toUtf8(), base.toUtf8(),
                                 "<config label=\"Isolated\" type=\"isolated\"><resource>"
                                     + locale.toUtf8()
                                     + "-Customized-ak-iso.res</resource></config>\n"));
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    ::loadConfigs(reader, entry(locale, "_-Customized"), IsolatedMode, QString(), &group);
    QCOMPARE(texts(group), QStringList({"Isolated"}));
    const Config *c = configs(group).at(0);
    QStringList expected;
    for (const QString &r : resources)
        expected.append(r.startsWith('/') ? trainingFolder() + r : languages + r);
    QCOMPARE(c->recognizerConfig.resources, expected);
    QCOMPARE(c->recognizerConfig.resourcesBaseName, base);
    QCOMPARE(c->recognizerConfig.languageName, QStringLiteral("_-Customized"));
    QVERIFY(c->isChecked());
}

void TestConfigRepository::brokenCustomisedDocument_data()
{
    QTest::addColumn<QByteArray>("document"); // null: none
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<bool>("checked");
    const QByteArray isolated("<config label=\"Mine\" type=\"isolated\"><resource>mine.res"
                              "</resource></config>\n");
    QTest::newRow("missing") << QByteArray() << "Configuration document .* cannot be opened"
                             << QStringList() << false;
    QTest::newRow("base package missing")
        << customisedDocument("en_US", "zz_ZZ", isolated)
        << "Language package .*/0zz_ZZ.rcc cannot be opened" << QStringList({"Mine"}) << true;
    QTest::newRow("base name is a path")
        << customisedDocument("en_US", "/../0en_US", isolated)
        << "Configuration document .* names no language: /../0en_US"
        << QStringList({"Mine"}) << false;
    QTest::newRow("truncated")
        << customisedDocument("en_US", "en_US", isolated + isolated).left(230)
        << "Configuration document .*en_US-Customized.xml, line \\d+: .+"
        << QStringList({"Mine", "Isolated"}) << true;
    QTest::newRow("wrong version")
        << customisedDocument("en_US", "en_US", isolated).replace("0.4", "0.5")
        << "Configuration document .*: The file is not an Scrivel Config version 0.4 file."
        << QStringList() << false;
}

void TestConfigRepository::brokenCustomisedDocument()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, warning);
    QFETCH(bool, checked);
    if (!document.isNull())
        writeFile(trainingFolder() + "/en_US-Customized.xml", document);
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    ::loadConfigs(reader, entry("en_US", "_-Customized"), IsolatedMode, QString(), &group);
    QTEST(texts(group), "labels");
    QCOMPARE(group.checkedAction() != nullptr, checked);
}

QTEST_MAIN(TestConfigRepository)
#include "tst_configrepository.moc"
