#include "app/preferencesstore.h"
#include "app/settingsdocument.h"
#include "app/settingsfile.h"
#include "appmain.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

namespace {

AppPreferences exportedPreferences()
{
    AppPreferences prefs;
    prefs.style.setColor(ItemStyle::InkColor, QColor(QStringLiteral("#102030")));
    prefs.style.setColor(ItemStyle::LeftColor, QColor(QStringLiteral("#405060")));
    prefs.style.setColor(ItemStyle::RightColor, QColor(QStringLiteral("#708090")));
    prefs.style.setInkWidth(7);
    BehaviourSettings &b = prefs.behaviour;
    b.autoSend = true;
    b.autoSendSpeed = 1500;
    b.displayAnimationInk = false;
    b.showKeypad = false;
    b.quickAccessButton = false;
    b.dockingMode = true;
    b.hidingMode = BehaviourSettings::SlideRight;
    b.nbOfDecimals = 6;
    b.displayCalculatorSampleInk = false;
    b.fadeOut = false;
    return prefs;
}

const char exportedFile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<scrivelsettings version="3.2">
    <setting key="activeLanguage" value=""/>
    <setting key="autoSend" value="true"/>
    <setting key="autoSendSpeed" value="1500"/>
    <setting key="detectedLanguages" value=""/>
    <setting key="displayAnimationInk" value="false"/>
    <setting key="displayCalculatorSampleInk" value="false"/>
    <setting key="dockingMode" value="true"/>
    <setting key="fadeOut" value="false"/>
    <setting key="hidingMode" value="SlideRight"/>
    <setting key="inkColorName" value="#102030"/>
    <setting key="inkWidth" value="7"/>
    <setting key="lastInputMode" value="unknown"/>
    <setting key="leftColorName" value="#405060"/>
    <setting key="nbOfDecimal" value="6"/>
    <setting key="quickAccessButton" value="false"/>
    <setting key="rightColorName" value="#708090"/>
    <setting key="showKeypad" value="false"/>
    <setting key="workingLanguages" value=""/>
    <mode name="cursive">
        <setting key="lastConfig" value="free"/>
    </mode>
    <mode name="isolated">
        <setting key="lastConfig" value="digits"/>
    </mode>
</scrivelsettings>
)";

QByteArray settingsFile(const QByteArray &body, const QByteArray &version = "3.2")
{
    return "<?xml version=\"1.0\"?>\n<scrivelsettings version=\"" + version + "\">\n" + body
           + "</scrivelsettings>\n";
}

} // namespace

// The settings file and the settings subset of the application object, without a panel; the
// store lives in the test's folder.
class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportListsTheSubsetInKeyOrder();
    void roundTrip();
    void exportToAnUnwritablePlaceFails();
    void badFilesApplyNothing_data();
    void badFilesApplyNothing();
    void appliedValues_data();
    void appliedValues();
    void keypadValueAsksThePanel();
    void isolatedConfigGoesToTheStore();

private:
    ScrivelApp *app() const { return ScrivelApp::instance(); }
    QString path(const QString &name) const { return m_folder->filePath(name); }
    void write(const QString &name, const QByteArray &content) const;
    QByteArray storeContent() const;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSettingsFile::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    useProgramFolders(*m_folder);
    app()->setPreferences(exportedPreferences());
    QSettings store;
    store.setValue(settingsGroupName() + QStringLiteral("/isolated/lastConfig"),
                   QStringLiteral("digits"));
}

void TestSettingsFile::cleanup()
{
    app()->setPreferences(AppPreferences());
    m_folder.reset();
}

void TestSettingsFile::write(const QString &name, const QByteArray &content) const
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray TestSettingsFile::storeContent() const
{
    QFile file(QSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestSettingsFile::exportListsTheSubsetInKeyOrder()
{
    QString error;
    QVERIFY(app()->exportSettings(path("out.xml"), &error));
    QFile file(path("out.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QString::fromUtf8(exportedFile));
}

void TestSettingsFile::roundTrip()
{
    QVERIFY(app()->exportSettings(path("out.xml")));
    app()->setPreferences(AppPreferences());
    QString error;
    QVERIFY2(app()->importSettings(path("out.xml"), &error), qPrintable(error));
    const AppPreferences read = app()->preferences();
    const AppPreferences expected = exportedPreferences();
    QCOMPARE(read.style.color(ItemStyle::InkColor), expected.style.color(ItemStyle::InkColor));
    QCOMPARE(read.style.color(ItemStyle::LeftColor), expected.style.color(ItemStyle::LeftColor));
    QCOMPARE(read.style.color(ItemStyle::RightColor), expected.style.color(ItemStyle::RightColor));
    QCOMPARE(read.style.inkWidth(), 7);
    const BehaviourSettings &b = read.behaviour;
    QCOMPARE(b.autoSend, true);
    QCOMPARE(b.autoSendSpeed, 1500);
    QCOMPARE(b.displayAnimationInk, false);
    QCOMPARE(b.quickAccessButton, false);
    QCOMPARE(b.hidingMode, int(BehaviourSettings::SlideRight));
    QCOMPARE(b.nbOfDecimals, 6);
    QCOMPARE(b.displayCalculatorSampleInk, false);
    QCOMPARE(b.fadeOut, false);
    QCOMPARE(b.dockingMode, true);
    // The import stores all settings.
    QSettings store;
    store.beginGroup(settingsGroupName());
    QCOMPARE(store.value(QStringLiteral("nbOfDecimals")).toInt(), 6);
    QCOMPARE(store.value(QStringLiteral("hidingMode")).toString(), QStringLiteral("SlideRight"));
}

void TestSettingsFile::exportToAnUnwritablePlaceFails()
{
    // A path below a plain file cannot be written, even by root.
    write("kept.xml", "earlier");
    QString error;
    QVERIFY(!app()->exportSettings(path("kept.xml/out.xml"), &error));
    QVERIFY2(error.contains(path("kept.xml/out.xml")), qPrintable(error));
    QFile file(path("kept.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier"));
    QVERIFY(!app()->exportSettings(path("no/such/folder/out.xml")));
    QVERIFY(!QFile::exists(path("no/such/folder/out.xml")));
    // A folder in the file's place stays a folder.
    QVERIFY(QDir().mkpath(path("taken.xml")));
    QVERIFY(!app()->exportSettings(path("taken.xml")));
    QVERIFY(QFileInfo(path("taken.xml")).isDir());
}

void TestSettingsFile::badFilesApplyNothing_data()
{
    QTest::addColumn<QString>("name");
    // Null content: the file is not written.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray good = "<setting key=\"nbOfDecimal\" value=\"2\"/>\n";
    QTest::addRow("missing") << "none.xml" << QByteArray() << "cannot be read";
    QTest::addRow("a folder") << "" << QByteArray() << "cannot be read";
    QTest::addRow("empty") << "in.xml" << QByteArray("") << "not well-formed";
    QTest::addRow("not XML") << "in.xml" << QByteArray("nbOfDecimal=2\n") << "not well-formed";
    QTest::addRow("cut short") << "in.xml"
                               << settingsFile(good + "<setting key=\"inkWidth\"").left(90)
                               << "not well-formed";
    QTest::addRow("broken after the settings") << "in.xml" << settingsFile(good) + "<trailing>"
                                               << "not well-formed";
    QTest::addRow("another root") << "in.xml"
                                  << QByteArray("<settings version=\"3.2\">" + good + "</settings>")
                                  << "holds no settings";
    QTest::addRow("no version") << "in.xml"
                                << QByteArray("<scrivelsettings>" + good + "</scrivelsettings>")
                                << "no version";
    QTest::addRow("another version") << "in.xml" << settingsFile(good, "3.1") << "version 3.1";
    QTest::addRow("setting without key")
        << "in.xml" << settingsFile(good + "<setting value=\"4\"/>\n") << "without key";
    QTest::addRow("mode without name")
        << "in.xml"
        << settingsFile(good + "<mode><setting key=\"lastConfig\" value=\"x\"/></mode>\n")
        << "without name";
    QTest::addRow("setting without key in a mode")
        << "in.xml"
        << settingsFile(good + "<mode name=\"isolated\"><setting value=\"x\"/></mode>\n")
        << "without key";
    QByteArray huge = good;
    while (huge.size() <= MaxSettingsFileSize)
        huge += "<!-- " + QByteArray(1000, 'x') + " -->\n";
    QTest::addRow("huge") << "in.xml" << settingsFile(huge) << "larger than";
}

void TestSettingsFile::badFilesApplyNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    if (!content.isNull())
        write(name, content);
    app()->saveSettings();
    const QByteArray stored = storeContent();
    QString error;
    QVERIFY(!app()->importSettings(path(name), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(error.contains(path(name)), qPrintable(error));
    QCOMPARE(app()->preferences().behaviour.nbOfDecimals, 6);
    QCOMPARE(storeContent(), stored);
}

void TestSettingsFile::appliedValues_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("inkWidth");
    QTest::addColumn<int>("autoSendSpeed");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("hidingMode");
    QTest::addColumn<bool>("autoSend");
    QTest::addColumn<QString>("inkColor");
    const int slideRight = BehaviourSettings::SlideRight;
    auto setting = [](const char *key, const char *value) {
        return QByteArray("<setting key=\"") + key + "\" value=\"" + value + "\"/>\n";
    };
    QTest::addRow("nothing") << QByteArray() << 7 << 1500 << 6 << slideRight << true << "#102030";
    QTest::addRow("in range") << setting("inkWidth", "3") + setting("autoSendSpeed", "4500")
                                     + setting("nbOfDecimal", "9") + setting("hidingMode", "Hide")
                                     + setting("autoSend", "false") + setting("inkColorName", "red")
                              << 3 << 4500 << 9 << 0 << false << "#ff0000";
    QTest::addRow("the store's key of the decimals")
        << setting("nbOfDecimals", "2") << 7 << 1500 << 6 << slideRight << true << "#102030";
    QTest::addRow("no numbers") << setting("inkWidth", "wide") + setting("autoSendSpeed", "fast")
                                       + setting("nbOfDecimal", "")
                                << 7 << 1500 << 6 << slideRight << true << "#102030";
    QTest::addRow("out of range") << setting("inkWidth", "0") + setting("autoSendSpeed", "10")
                                         + setting("nbOfDecimal", "16")
                                  << 7 << 1500 << 6 << slideRight << true << "#102030";
    QTest::addRow("unknown names")
        << setting("hidingMode", "Vanish") + setting("inkColorName", "notacolour") << 7 << 1500 << 6
        << slideRight << true << "#102030";
    QTest::addRow("a boolean as 0")
        << setting("autoSend", "0") << 7 << 1500 << 6 << slideRight << false << "#102030";
    QTest::addRow("a later duplicate wins") << setting("inkWidth", "2") + setting("inkWidth", "4")
                                            << 4 << 1500 << 6 << slideRight << true << "#102030";
    QTest::addRow("settings inside a mode stay there")
        << QByteArray("<mode name=\"cursive\">") + setting("inkWidth", "2") + "</mode>\n"
        << 7 << 1500 << 6 << slideRight << true << "#102030";
}

void TestSettingsFile::appliedValues()
{
    QFETCH(QByteArray, settings);
    write("in.xml", settingsFile(settings));
    QString error;
    QVERIFY2(app()->importSettings(path("in.xml"), &error), qPrintable(error));
    const AppPreferences prefs = app()->preferences();
    QTEST(prefs.style.inkWidth(), "inkWidth");
    QTEST(prefs.behaviour.autoSendSpeed, "autoSendSpeed");
    QTEST(prefs.behaviour.nbOfDecimals, "decimals");
    QTEST(prefs.behaviour.hidingMode, "hidingMode");
    QTEST(prefs.behaviour.autoSend, "autoSend");
    QTEST(prefs.style.color(ItemStyle::InkColor).name(), "inkColor");
}

void TestSettingsFile::keypadValueAsksThePanel()
{
    QSignalSpy keypad(app(), &ScrivelApp::toggleMiniKeyboard);
    write("in.xml", settingsFile("<setting key=\"showKeypad\" value=\"false\"/>\n"));
    QVERIFY(app()->importSettings(path("in.xml")));
    QCOMPARE(keypad.size(), 1);
    QCOMPARE(keypad.constFirst().constFirst().toBool(), false);
    write("in.xml", settingsFile("<setting key=\"inkWidth\" value=\"2\"/>\n"));
    QVERIFY(app()->importSettings(path("in.xml")));
    QCOMPARE(keypad.size(), 1);
}

void TestSettingsFile::isolatedConfigGoesToTheStore()
{
    write("in.xml", settingsFile("<mode name=\"isolated\">\n"
                                 "<setting key=\"lastConfig\" value=\"letters\"/>\n</mode>\n"
                                 "<mode name=\"cursive\">\n"
                                 "<setting key=\"lastConfig\" value=\"digits\"/>\n</mode>\n"));
    QVERIFY(app()->importSettings(path("in.xml")));
    QSettings store;
    store.beginGroup(settingsGroupName());
    QCOMPARE(store.value(QStringLiteral("isolated/lastConfig")).toString(),
             QStringLiteral("letters"));
    QVERIFY(!store.contains(QStringLiteral("cursive/lastConfig")));
}

SCRIVEL_APP_TEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
