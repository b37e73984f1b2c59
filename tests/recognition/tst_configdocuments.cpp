#include "recognition/configreader.h"
#include "recognition/recognizerconfig.h"

#include <QActionGroup>
#include <QBuffer>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString languages = QStringLiteral(":/data/languages/");

QByteArray document(const QByteArray &configs, const QByteArray &root = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE zkInkoraScrivelConfig>\n"
           "<scrivelconfig version=\"0.4\" lang=\"en_US\"" + root + ">\n" + configs
           + "</scrivelconfig>\n";
}

LanguageEntry entry(const QString &locale = QStringLiteral("en_US"),
                    const QString &name = QStringLiteral("en_US"))
{
    LanguageEntry e;
    e.setLocale(QLocale(locale));
    e.setName(name);
    e.setLexicons({QStringLiteral("user.lex")});
    return e;
}

// Reads the document into the group; the reader's error string goes to `error`.
bool read(const QByteArray &xml, QActionGroup *group, InputMode filter = UnknownMode,
          const LanguageEntry &language = entry(), QString *error = nullptr,
          QString *baseName = nullptr)
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader;
    const bool ok = readConfigDocument(reader, &buffer, group, language, filter, baseName);
    if (error)
        *error = reader.errorString();
    return ok;
}

QList<Config *> configs(const QActionGroup &group)
{
    QList<Config *> list;
    const QList<QAction *> actions = group.actions();
    for (QAction *action : actions)
        list.append(qobject_cast<Config *>(action));
    return list;
}

const QByteArray cursiveAndIsolated =
    "<config label=\"Cursive\" type=\"cursive\" userLexicon=\"true\">"
    "<resource type=\"AK\">en_US/cur.res</resource>"
    "<resource type=\"LK\">en_US/text.res</resource></config>\n"
    "<config label=\"Isolated\" type=\"isolated\" canChangeBoxSize=\"true\">"
    "<resource type=\"ak\">en_US/iso.res</resource>"
    "<resource type=\"TRAIN_DATA\">en_US/train.txt</resource></config>\n";

// Answers the labels of the context "Config" in capitals.
class ConfigTranslator final : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        return qstrcmp(context, "Config") == 0 ? QString::fromUtf8(sourceText).toUpper()
                                                : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestConfigDocuments : public QObject
{
    Q_OBJECT

private slots:
    void attributes();
    void flagsFollowTheLanguage_data();
    void flagsFollowTheLanguage();
    void boxSize_data();
    void boxSize();
    void modeFilter_data();
    void modeFilter();
    void calculatorPreset();
    void sameLabelTwiceUpdatesOneConfig();
    void shownLabelFindsItsBuiltInElement();
    void customisedResourcesLieInTheTrainingFolder();
    void unknownElementsAreSkipped();
    void labels_data();
    void labels();
    void badDocuments_data();
    void badDocuments();
    void doctypeIsNotChecked_data();
    void doctypeIsNotChecked();
    void header_data();
    void header();
    void userConfigFile();
};

void TestConfigDocuments::attributes()
{
    QActionGroup group(nullptr);
    QVERIFY(read(document("<config label=\"Free\" type=\"cursive\" speedQualityCompromise=\"42\" "
                          "userLexicon=\"true\" canChangeBoxSize=\"true\" wordSpacing=\"none\" "
                          "CJKCharsAsWords=\"true\" userTrainingFile=\"true\" "
                          "decimalSeperator=\",\" mode=\"text\" unknown=\"x\">"
                          "<resource type=\"AK\">en_US/cur.res</resource>"
                          "<resource type=\"LK\">en_US/text.res</resource></config>\n"
                          "<config label=\"Plain\" type=\"cursive\"/>\n"),
                 &group));
    const QList<Config *> list = configs(group);
    QCOMPARE(list.size(), 2);
    const Config *c = list.at(0);
    QCOMPARE(c->text(), QStringLiteral("Free"));
    QVERIFY(c->isCheckable());
    QCOMPARE(c->mode, UnknownMode);
    QCOMPARE(c->language.name(), QStringLiteral("en_US"));
    QVERIFY(c->canChangeBoxSize);
    QVERIFY(c->noWordSpacing);
    const RecognizerConfig &r = c->recognizerConfig;
    QCOMPARE(r.speedQualityCompromise, 42);
    QCOMPARE(r.lexicons, QStringList({"user.lex"}));
    QCOMPARE(r.flags, quint32(RecognizerConfig::CjkWords | RecognizerConfig::LeftToRight));
    QVERIFY(r.userTrainingFile);
    QCOMPARE(r.decimalSeparator, QStringLiteral(","));
    QCOMPARE(r.resources, QStringList({languages + "en_US/cur.res", languages + "en_US/text.res"}));
    QCOMPARE(r.languageName, QStringLiteral("en_US"));
    QCOMPARE(QByteArray(r.languageCode, 4), QByteArray("en\0\0", 4));
    QVERIFY(r.resourcesBaseName.isEmpty());

    const Config *plain = list.at(1);
    QVERIFY(!plain->canChangeBoxSize);
    QVERIFY(!plain->noWordSpacing);
    QCOMPARE(plain->recognizerConfig.speedQualityCompromise, 0);
    QVERIFY(plain->recognizerConfig.lexicons.isEmpty());
    QVERIFY(!plain->recognizerConfig.userTrainingFile);
    QVERIFY(plain->recognizerConfig.resources.isEmpty());
}

void TestConfigDocuments::flagsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("cjk");
    QTest::addColumn<quint32>("flags");
    QTest::newRow("left to right") << "en_US" << QByteArray("false")
                                   << quint32(RecognizerConfig::LeftToRight);
    QTest::newRow("Arabic") << "ar_SA" << QByteArray("true")
                            << quint32(RecognizerConfig::RightToLeft | RecognizerConfig::CjkWords);
    QTest::newRow("Hebrew") << "he_IL" << QByteArray("True")
                            << quint32(RecognizerConfig::RightToLeft);
}

void TestConfigDocuments::flagsFollowTheLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, cjk);
    QActionGroup group(nullptr);
    QVERIFY(read(document("<config label=\"A\" type=\"cursive\" CJKCharsAsWords=\"" + cjk
                          + "\"/>\n"),
                 &group, UnknownMode, entry(locale, locale)));
    QTEST(configs(group).at(0)->recognizerConfig.flags, "flags");
}

void TestConfigDocuments::boxSize_data()
{
    QTest::addColumn<QByteArray>("attribute");
    QTest::addColumn<int>("size");
    QTest::newRow("absent") << QByteArray() << 1;
    QTest::newRow("big") << QByteArray(" defaultBoxSize=\"big\"") << 2;
    QTest::newRow("Big") << QByteArray(" defaultBoxSize=\"Big\"") << 1;
    QTest::newRow("normal") << QByteArray(" defaultBoxSize=\"normal\"") << 1;
}

void TestConfigDocuments::boxSize()
{
    QFETCH(QByteArray, attribute);
    QActionGroup group(nullptr);
    QVERIFY(read(document("<config label=\"A\" type=\"isolated\"" + attribute + "/>\n"), &group));
    QTEST(configs(group).at(0)->defaultBoxSize, "size");
}

void TestConfigDocuments::modeFilter_data()
{
    QTest::addColumn<QByteArray>("configs");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("resources"); // of the first configuration
    QTest::newRow("isolated skips cursive and its resources")
        << cursiveAndIsolated << int(IsolatedMode) << QStringList({"Isolated"})
        << int(IsolatedMode) << QStringList({languages + "en_US/iso.res"});
    QTest::newRow("cursive") << cursiveAndIsolated << int(CursiveMode) << QStringList({"Cursive"})
                             << int(CursiveMode)
                             << QStringList({languages + "en_US/cur.res",
                                             languages + "en_US/text.res"});
    QTest::newRow("all modes, in document order")
        << cursiveAndIsolated << int(UnknownMode) << QStringList({"Cursive", "Isolated"})
        << int(UnknownMode)
        << QStringList({languages + "en_US/cur.res", languages + "en_US/text.res"});
    QTest::newRow("no mode of the filter") << cursiveAndIsolated << int(KeyboardMode)
                                           << QStringList() << 0 << QStringList();
    const QByteArray untyped("<config label=\"Any\"><resource>x.res</resource></config>\n");
    QTest::newRow("missing type, all modes") << untyped << int(UnknownMode) << QStringList({"Any"})
                                             << int(UnknownMode)
                                             << QStringList({languages + "x.res"});
    QTest::newRow("missing type, one mode") << untyped << int(CursiveMode) << QStringList() << 0
                                            << QStringList();
    QTest::newRow("type is case-sensitive")
        << QByteArray("<config label=\"A\" type=\"Cursive\"/>") << int(CursiveMode)
        << QStringList() << 0 << QStringList();
}

void TestConfigDocuments::modeFilter()
{
    QFETCH(QByteArray, configs);
    QFETCH(int, filter);
    QFETCH(QStringList, labels);
    QActionGroup group(nullptr);
    QVERIFY(read(document(configs), &group, InputMode(filter)));
    QStringList texts;
    const QList<Config *> list = ::configs(group);
    for (const Config *c : list)
        texts.append(c->text());
    QCOMPARE(texts, labels);
    if (list.isEmpty())
        return;
    QTEST(int(list.at(0)->mode), "mode");
    QTEST(list.at(0)->recognizerConfig.resources, "resources");
}

void TestConfigDocuments::calculatorPreset()
{
    QActionGroup group(nullptr);
    QVERIFY(read(document("<config label=\"Calc\" type=\"calculator\" decimalSeperator=\".\"/>\n"),
                 &group, CalculatorMode));
    const RecognizerConfig &r = configs(group).at(0)->recognizerConfig;
    QCOMPARE(r.languageName, QStringLiteral("calculator"));
    QCOMPARE(QByteArray(r.languageCode, 4), QByteArray("ca\0\0", 4));
    QCOMPARE(r.resources, QStringList({languages + "shared/Calculator-ak-hpr.res",
                                       languages + "shared/Calculator-sk-im_calc.res"}));
    QCOMPARE(r.decimalSeparator, QStringLiteral("."));
    QCOMPARE(configs(group).at(0)->mode, CalculatorMode);
}

void TestConfigDocuments::sameLabelTwiceUpdatesOneConfig()
{
    QActionGroup group(nullptr);
    QVERIFY(read(document(cursiveAndIsolated), &group, IsolatedMode));
    QVERIFY(read(document("<config label=\"Isolated\" type=\"isolated\" defaultBoxSize=\"big\">"
                          "<resource type=\"AK\">en_US/other-ak.res</resource>"
                          "<resource type=\"LK\">en_US/words.res</resource></config>\n"),
                 &group, IsolatedMode));
    const QList<Config *> list = configs(group);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0)->defaultBoxSize, 2);
    QVERIFY(!list.at(0)->canChangeBoxSize);
    QCOMPARE(list.at(0)->recognizerConfig.resources,
             QStringList({languages + "en_US/iso.res", languages + "en_US/words.res"}));
    QCOMPARE(list.at(0)->recognizerConfig.trainingData, languages + "en_US/train.txt");
}

// A customised configuration carries the shown text of the built-in label it was made from;
// the built-in element must still find it and lend it its lexicon.
void TestConfigDocuments::shownLabelFindsItsBuiltInElement()
{
    ConfigTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QActionGroup group(nullptr);
    QString baseName;
    QVERIFY(read(document("<config label=\"ISOLATED\" type=\"isolated\">"
                          "<resource>en_US-Customized-ak-iso.res</resource></config>\n",
                          " resourcesBaseName=\"en_US\""),
                 &group, IsolatedMode, entry("en_US", "_-Customized"), nullptr, &baseName));
    QCOMPARE(baseName, QStringLiteral("en_US"));
    QVERIFY(read(document("<config label=\"_tr_Isolated\" type=\"isolated\">"
                          "<resource type=\"AK\">en_US/iso.res</resource>"
                          "<resource type=\"LK\">en_US/words.res</resource></config>\n"),
                 &group, IsolatedMode));
    QCoreApplication::removeTranslator(&translator);
    const QList<Config *> list = configs(group);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0)->recognizerConfig.resources,
             QStringList({trainingFolder() + "/en_US-Customized-ak-iso.res",
                          languages + "en_US/words.res"}));
    QCOMPARE(list.at(0)->recognizerConfig.languageName, QStringLiteral("_-Customized"));
}

void TestConfigDocuments::customisedResourcesLieInTheTrainingFolder()
{
    QActionGroup group(nullptr);
    QString baseName = QStringLiteral("unset");
    QVERIFY(read(document("<config label=\"Mine\" type=\"isolated\">"
                          "<resource type=\"AK\">mine-ak-iso.res</resource>"
                          "<resource type=\"train_data\">en_US/train.txt</resource></config>\n",
                          " resourcesBaseName=\"en_US\""),
                 &group, IsolatedMode, entry("en_US", "_Ann"), nullptr, &baseName));
    QCOMPARE(baseName, QStringLiteral("en_US"));
    const RecognizerConfig &r = configs(group).at(0)->recognizerConfig;
    QCOMPARE(r.resources, QStringList({trainingFolder() + "/mine-ak-iso.res"}));
    QCOMPARE(r.trainingData, languages + "en_US/train.txt");
    QCOMPARE(r.resourcesBaseName, QStringLiteral("en_US"));
    QCOMPARE(r.languageName, QStringLiteral("_Ann"));

    QActionGroup builtIn(nullptr);
    QVERIFY(read(document(cursiveAndIsolated), &builtIn, UnknownMode, entry(), nullptr, &baseName));
    QVERIFY(baseName.isEmpty());
}

void TestConfigDocuments::unknownElementsAreSkipped()
{
    QActionGroup group(nullptr);
    QVERIFY(read(document("<comment><config label=\"Hidden\"/><deep><resource>no.res</resource>"
                          "</deep></comment>\n"
                          "<config label=\"A\" type=\"cursive\"><note><resource>no.res</resource>"
                          "</note><resource type=\"AK\">a.res</resource></config>\n"),
                 &group));
    const QList<Config *> list = configs(group);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0)->text(), QStringLiteral("A"));
    QCOMPARE(list.at(0)->recognizerConfig.resources, QStringList({languages + "a.res"}));
}

void TestConfigDocuments::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    QTest::newRow("translated") << "_tr_Cursive" << "CURSIVE";
    QTest::newRow("every marker removed") << "_tr_Big_tr_Boxes" << "BIGBOXES";
    QTest::newRow("marker inside") << "My_tr_Cursive" << "My_tr_Cursive";
    QTest::newRow("plain") << "Cursive" << "Cursive";
}

void TestConfigDocuments::labels()
{
    QFETCH(QString, label);
    ConfigTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QActionGroup group(nullptr);
    const bool ok = read(document("<config label=\"" + label.toUtf8() + "\" type=\"cursive\"/>"),
                         &group);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(ok);
    QTEST(configs(group).at(0)->text(), "shown");
}

void TestConfigDocuments::badDocuments_data()
{
    const QString notConfig =
        QStringLiteral("The file is not an Scrivel Config version 0.4 file.");
    const QByteArray good("<config label=\"A\" type=\"cursive\"><resource>a.res</resource>"
                          "</config>\n");
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("error"); // empty: the reader's own message
    QTest::addColumn<int>("configs");
    QTest::newRow("wrong root") << QByteArray("<config version=\"0.4\" lang=\"en_US\"/>")
                                << notConfig << 0;
    QTest::newRow("wrong version")
        << QByteArray("<scrivelconfig version=\"0.3\" lang=\"en_US\">" + good + "</scrivelconfig>")
        << notConfig << 0;
    QTest::newRow("empty lang")
        << QByteArray("<scrivelconfig version=\"0.4\" lang=\"\">" + good + "</scrivelconfig>")
        << notConfig << 0;
    QTest::newRow("no lang")
        << QByteArray("<scrivelconfig version=\"0.4\">" + good + "</scrivelconfig>") << notConfig
        << 0;
    QTest::newRow("truncated") << document(good + good).left(200) << QString() << 1;
    QTest::newRow("cut inside a resource")
        << QByteArray(document(good).left(document(good).indexOf("a.res"))) << QString() << 1;
    QTest::newRow("syntax error") << document(good + "<config label=\"B\" type=cursive/>")
                                  << QString() << 1;
    QTest::newRow("empty") << QByteArray() << QString() << 0;
    QTest::newRow("not XML") << QByteArray("\x00\xff garbage", 10) << QString() << 0;
}

void TestConfigDocuments::badDocuments()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, error);
    QActionGroup group(nullptr);
    QString message;
    QVERIFY(!read(xml, &group, UnknownMode, entry(), &message));
    if (error.isEmpty())
        QVERIFY(!message.isEmpty());
    else
        QCOMPARE(message, error);
    QTEST(int(group.actions().size()), "configs");
}

void TestConfigDocuments::doctypeIsNotChecked_data()
{
    QTest::addColumn<QByteArray>("doctype");
    QTest::newRow("other document type") << QByteArray("<!DOCTYPE zkInkoraScrivelSkin>");
    QTest::newRow("none") << QByteArray();
}

void TestConfigDocuments::doctypeIsNotChecked()
{
    QFETCH(QByteArray, doctype);
    QByteArray xml = document("<config label=\"A\" type=\"cursive\"/>\n");
    xml.replace("<!DOCTYPE zkInkoraScrivelConfig>", doctype);
    QActionGroup group(nullptr);
    QVERIFY(read(xml, &group));
    QCOMPARE(configs(group).size(), 1);
}

void TestConfigDocuments::header_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("attributes");
    QTest::newRow("customised")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE zkInkoraScrivelConfig>\n"
                      "<scrivelconfig version=\"0.4\" lang=\"fil_PH\" resourcesBaseName=\"en_US\">"
                      "<config")
        << true << QStringList({"0.4", "fil_PH", "en_US"});
    QTest::newRow("unchecked version")
        << QByteArray("<scrivelconfig version=\"9\"/>") << true << QStringList({"9", "", ""});
    QTest::newRow("other root")
        << QByteArray("<settings><scrivelconfig version=\"0.4\" lang=\"en_US\"/></settings>")
        << false << QStringList({"", "", ""});
    QTest::newRow("empty") << QByteArray() << false << QStringList({"", "", ""});
    QTest::newRow("broken before the root") << QByteArray("<?xml version=\"1.0\"?><<")
                                            << false << QStringList({"", "", ""});
}

void TestConfigDocuments::header()
{
    QFETCH(QByteArray, xml);
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader;
    QString version, lang, baseName;
    QTEST(readConfigHeader(reader, &buffer, &version, &lang, &baseName), "found");
    QTEST(QStringList({version, lang, baseName}), "attributes");
}

void TestConfigDocuments::userConfigFile()
{
    QCOMPARE(::userConfigFile(QStringLiteral("_-Customized en_US")),
             trainingFolder() + QStringLiteral("/en_US-Customized.xml"));
    QCOMPARE(::userConfigFile(QStringLiteral("_Ann Lee fil_PH")),
             trainingFolder() + QStringLiteral("/fil_PHAnn Lee.xml"));
    QVERIFY(trainingFolder().endsWith(QStringLiteral("/Training/04060000")));
}

QTEST_MAIN(TestConfigDocuments)
#include "tst_configdocuments.moc"
