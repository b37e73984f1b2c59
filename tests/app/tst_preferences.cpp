#include "app/apppanelservices.h"
#include "app/preferencesstore.h"
#include "appmain.h"
#include "pad/inputwidget.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/wintypes.h"
#include "recognition/configrepository.h"
#include "recognition/inputmode.h"
#include "windows/userdictionaries.h"
#include "windows/winutils.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QRect primaryArea(0, 0, 1280, 1024);
const QRect desktop(0, 0, 2560, 1024);

AppPreferences changedPreferences()
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
    b.hidingMode = BehaviourSettings::SlideRight;
    b.calcSendMode = CalcOutputMode::Html;
    b.nbOfDecimals = 6;
    b.displayCalculatorSampleInk = false;
    b.solveAuto = false;
    b.fadeOut = false;
    b.dockingMode = true;
    prefs.windowedSize = QSize(700, 300);
    prefs.windowedPosition = QPoint(40, 50);
    prefs.dockedHeightWindowed = 180;
    prefs.dockedHeightMaximized = 190;
    prefs.floatingMenuPosition = QPoint(900, 700);
    return prefs;
}

// An input widget that keeps one value in its own sub-group.
class StoringWidget final : public InputWidget
{
public:
    explicit StoringWidget(InputMode mode)
        : InputWidget(mode, BehaviourSettings(), ItemStyle())
    {
    }
    QObject *modelObject() override { return this; }
    void saveSettings(QSettings &settings) override
    {
        settings.setValue(QStringLiteral("lastConfig"), m_config);
    }
    void loadSettings(QSettings &settings) override
    {
        ++m_loads;
        m_config = settings.value(QStringLiteral("lastConfig")).toString();
    }

    QString m_config;
    int m_loads = 0;
};

// The message boxes shown so far whose text names the settings.
QStringList settingsMessages()
{
    QStringList texts;
    for (const Prompt::Request &request : Prompt::requests()) {
        if (request.kind == Prompt::Message && request.text.contains(QLatin1String("settings")))
            texts << request.text;
    }
    return texts;
}

// The line that holds `key` in the version's group of an INI store file.
QString storedLine(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[3.2]");
        else if (inGroup && line.startsWith(key + QLatin1Char('=')))
            return line;
    }
    return QString();
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void saveBeforeAnyReadLeavesAutostartAlone();
    void groupNameIsMajorAndMinor();
    void storedKeys_data();
    void storedKeys();
    void collectedLanguages_data();
    void collectedLanguages();
    void inputWidgetSubGroups_data();
    void inputWidgetSubGroups();
    void firstStartDefaults_data();
    void firstStartDefaults();
    void roundTrip();
    void writtenModeAndLanguages_data();
    void writtenModeAndLanguages();
    void enumTextsFallBack_data();
    void enumTextsFallBack();
    void unknownSendModeNumberIsNotWritten();
    void autostartWrittenOnlyWhenAsked();
    void reloadingKeepsTwoDictionaries();
    void longWordSurvivesAReload();
    void panelKeepsPreferencesSetInMemory();
    void unreadableStoreIsKeptAsideAndReported();
    void unsavableSettingsAreReportedOnce();

private:
    QSettings *store();
    QTemporaryDir m_folder;
    std::unique_ptr<QSettings> m_store;
    int m_run = 0;
};

void TestPreferences::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
}

void TestPreferences::init()
{
    m_store.reset();
    QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).clear();
    setStartWithWindows(false);
}

QSettings *TestPreferences::store()
{
    m_store = std::make_unique<QSettings>(m_folder.filePath(QStringLiteral("store%1.ini")
                                                                .arg(++m_run)),
                                          QSettings::IniFormat);
    return m_store.get();
}

// Runs first, before any read of the store: the record's default asks for autostart, which
// the program must not take as the user's wish.
void TestPreferences::saveBeforeAnyReadLeavesAutostartAlone()
{
    ScrivelApp::instance()->saveSettings();
    QVERIFY(!checkStartWithWindows());
}

void TestPreferences::groupNameIsMajorAndMinor()
{
    QCOMPARE(settingsGroupName(), QStringLiteral("3.2"));
}

void TestPreferences::storedKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    const QList<QPair<const char *, const char *>> rows{
        {"exists", "true"},
        {"geoWindowedPosition", "@Point(40 50)"},
        {"geoMaximizedPosition", "@Point(-5 -5)"},
        {"dockedHeightWindowed", "180"},
        {"dockedHeightMaximized", "190"},
        {"geoWindowedSize", "@Size(700 300)"},
        {"geoMaximizedSize", "@Size(2570 1034)"},
        {"floatingMenuPosition", "@Point(900 700)"},
        {"detectedLanguages", "\"de_DE en_US fr_FR \""},
        {"workingLanguages", "\"de_DE en_US \""},
        {"activeLanguage", "de_DE"},
        {"lastInputMode", "calculator"},
        {"inkColorName", "#102030"},
        {"leftColorName", "#405060"},
        {"rightColorName", "#708090"},
        {"inkWidth", "7"},
        {"autoSend", "true"},
        {"autoSendSpeed", "1500"},
        {"displayAnimationInk", "false"},
        {"dockingMode", "true"},
        {"showKeypad", "false"},
        {"nbOfDecimals", "6"},
        {"calcSendMode", "Html"},
        {"displayCalculatorSampleInk", "false"},
        {"solveAuto", "false"},
        {"hidingMode", "SlideRight"},
        {"quickAccessButton", "false"},
        {"fadeOut", "false"},
    };
    for (const auto &row : rows)
        QTest::addRow("%s", row.first) << QString::fromLatin1(row.first)
                                       << QString::fromLatin1(row.first) + QLatin1Char('=')
                                              + QString::fromLatin1(row.second);
}

// What the file holds after a save, key by key, as the next start reads it.
void TestPreferences::storedKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, line);
    QSettings *s = store();
    AppPreferences prefs = changedPreferences();
    prefs.behaviour.dockingMode = true;
    prefs.maximizedSize = QSize(2570, 1034);
    prefs.maximizedPosition = QPoint(-5, -5);
    const LocalePrefs locale{QStringLiteral("de_DE"), QStringLiteral("de_DE en_US "),
                             QStringLiteral("de_DE en_US fr_FR ")};
    writePreferences(*s, prefs, locale, CalculatorMode);
    s->sync();
    QCOMPARE(storedLine(s->fileName(), key), line);
}

void TestPreferences::collectedLanguages_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("detected");
    QTest::addRow("plain labels") << QStringList{QStringLiteral("English en_US"),
                                                 QStringLiteral("Deutsch de_DE"),
                                                 QStringLiteral("Français fr_FR")}
                                  << QList<bool>{true, false, true} << 1
                                  << QStringLiteral("de_DE") << QStringLiteral("en_US fr_FR ")
                                  << QStringLiteral("en_US de_DE fr_FR ");
    QTest::addRow("trained language") << QStringList{QStringLiteral("_Customized en_US"),
                                                     QStringLiteral("it_IT")}
                                      << QList<bool>{true, true} << 0
                                      << QStringLiteral("en_USCustomized")
                                      << QStringLiteral("en_USCustomized it_IT ")
                                      << QStringLiteral("en_USCustomized it_IT ");
    QTest::addRow("nothing checked") << QStringList{QStringLiteral("English en_US")}
                                     << QList<bool>{false} << -1 << QString() << QString()
                                     << QStringLiteral("en_US ");
}

void TestPreferences::collectedLanguages()
{
    QFETCH(QStringList, labels);
    QFETCH(QList<bool>, visible);
    QFETCH(int, checked);
    QActionGroup group(nullptr);
    for (int i = 0; i < labels.size(); ++i) {
        auto *action = new QAction(labels.at(i), &group);
        action->setData(labels.at(i));
        action->setCheckable(true);
        action->setVisible(visible.at(i));
        action->setChecked(i == checked);
    }
    const LocalePrefs prefs = collectLocalePrefs(&group);
    QTEST(prefs.activeLanguage, "active");
    QTEST(prefs.workingLanguages, "working");
    QTEST(prefs.detectedLanguages, "detected");
}

void TestPreferences::inputWidgetSubGroups_data()
{
    QTest::addColumn<int>("writtenMode");
    QTest::addColumn<QString>("writtenGroup");
    QTest::addColumn<int>("readMode");
    QTest::addColumn<QString>("config");
    QTest::addRow("same mode") << int(IsolatedMode) << QString() << int(IsolatedMode)
                               << QStringLiteral("saved");
    QTest::addRow("isotrainer keeps its own group")
        << int(IsoTrainerMode) << QString() << int(IsoTrainerMode) << QStringLiteral("saved");
    QTest::addRow("other mode reads nothing") << int(CalculatorMode) << QString()
                                              << int(CursiveMode) << QString();
    QTest::addRow("group names are case-sensitive") << 0 << QStringLiteral("Cursive")
                                                    << int(CursiveMode) << QString();
}

void TestPreferences::inputWidgetSubGroups()
{
    QFETCH(int, writtenMode);
    QFETCH(QString, writtenGroup);
    QFETCH(int, readMode);
    QFETCH(QString, config);
    QSettings *s = store();
    if (writtenGroup.isEmpty()) {
        StoringWidget written{InputMode(writtenMode)};
        written.m_config = QStringLiteral("saved");
        writeInputWidgetSettings(*s, written);
        QCOMPARE(s->value(QStringLiteral("3.2/%1/lastConfig").arg(inputModeName(writtenMode)))
                     .toString(),
                 QStringLiteral("saved"));
    } else {
        s->setValue(QStringLiteral("3.2/%1/lastConfig").arg(writtenGroup),
                    QStringLiteral("saved"));
    }
    StoringWidget read{InputMode(readMode)};
    readInputWidgetSettings(*s, read);
    QCOMPARE(read.m_loads, config.isEmpty() ? 0 : 1);
    QCOMPARE(read.m_config, config);
    QCOMPARE(s->group(), QString());
}

void TestPreferences::firstStartDefaults_data()
{
    QTest::addColumn<bool>("otherKeys");
    QTest::addColumn<QRect>("primary");
    QTest::addColumn<QPoint>("position");
    QTest::addRow("empty store") << false << primaryArea << QPoint(340, 387);
    QTest::addRow("keys without exists") << true << primaryArea << QPoint(340, 387);
    QTest::addRow("primary screen right of another")
        << false << QRect(1920, 40, 1024, 728) << QPoint(1920 + 212, 40 + 239);
}

void TestPreferences::firstStartDefaults()
{
    QFETCH(bool, otherKeys);
    QFETCH(QRect, primary);
    QSettings *s = store();
    if (otherKeys) {
        s->setValue(QStringLiteral("3.2/lastInputMode"), QStringLiteral("calculator"));
        s->setValue(QStringLiteral("3.2/activeLanguage"), QStringLiteral("fr_FR"));
        s->setValue(QStringLiteral("3.1/exists"), true);
    }
    AppPreferences prefs;
    const PreferencesRead read = readPreferences(*s, &prefs, primary, desktop);
    QVERIFY(read.firstStart);
    QCOMPARE(prefs.windowedSize, QSize(600, 250));
    QTEST(prefs.windowedPosition, "position");
    QCOMPARE(prefs.dockedHeightWindowed, 250);
    QCOMPARE(prefs.dockedHeightMaximized, 250);
    QCOMPARE(read.inputMode, int(CursiveMode));
    QCOMPARE(read.locale.activeLanguage, QString());
    QCOMPARE(read.locale.workingLanguages, QString());
    QCOMPARE(prefs.maximizedSize, QSize(2570, 1034));
    QCOMPARE(prefs.maximizedPosition, QPoint(-5, -5));
    QCOMPARE(prefs.behaviour.hidingMode, int(BehaviourSettings::Hide));
}

void TestPreferences::roundTrip()
{
    QSettings *s = store();
    const AppPreferences written = changedPreferences();
    const LocalePrefs locale{QStringLiteral("de_DE"), QStringLiteral("de_DE en_US "),
                             QStringLiteral("de_DE en_US fr_FR ")};
    writePreferences(*s, written, locale, CalculatorMode);
    s->sync();

    AppPreferences read;
    const PreferencesRead result = readPreferences(*s, &read, primaryArea, QRect(10, 20, 100, 50));
    QVERIFY(!result.firstStart);
    QCOMPARE(result.inputMode, int(CalculatorMode));
    QCOMPARE(result.locale.activeLanguage, locale.activeLanguage);
    QCOMPARE(result.locale.workingLanguages, locale.workingLanguages);
    QCOMPARE(result.locale.detectedLanguages, locale.detectedLanguages);
    QCOMPARE(read.style.color(ItemStyle::InkColor), written.style.color(ItemStyle::InkColor));
    QCOMPARE(read.style.color(ItemStyle::LeftColor), written.style.color(ItemStyle::LeftColor));
    QCOMPARE(read.style.color(ItemStyle::RightColor), written.style.color(ItemStyle::RightColor));
    QCOMPARE(read.style.inkWidth(), 7);
    const BehaviourSettings &b = read.behaviour;
    QCOMPARE(b.autoSend, true);
    QCOMPARE(b.autoSendSpeed, 1500);
    QCOMPARE(b.displayAnimationInk, false);
    QCOMPARE(b.showKeypad, false);
    QCOMPARE(b.quickAccessButton, false);
    QCOMPARE(b.hidingMode, int(BehaviourSettings::SlideRight));
    QCOMPARE(b.calcSendMode, CalcOutputMode::Html);
    QCOMPARE(b.nbOfDecimals, 6);
    QCOMPARE(b.displayCalculatorSampleInk, false);
    QCOMPARE(b.solveAuto, false);
    QCOMPARE(b.fadeOut, false);
    QCOMPARE(b.dockingMode, true);
    QCOMPARE(read.windowedSize, QSize(700, 300));
    QCOMPARE(read.windowedPosition, QPoint(40, 50));
    QCOMPARE(read.dockedHeightWindowed, 180);
    QCOMPARE(read.dockedHeightMaximized, 190);
    QCOMPARE(read.floatingMenuPosition, QPoint(900, 700));
    // The maximized geometry always follows the screens, never the store.
    QCOMPARE(read.maximizedSize, QSize(110, 60));
    QCOMPARE(read.maximizedPosition, QPoint(5, 15));
    QVERIFY(!result.saveInk);
}

void TestPreferences::writtenModeAndLanguages_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("readMode");
    QTest::addRow("isotrainer as cursive") << int(IsoTrainerMode) << QStringLiteral("en_US")
                                           << QStringLiteral("cursive") << int(CursiveMode);
    QTest::addRow("no widget starts cursive") << int(UnknownMode) << QStringLiteral("en_US")
                                              << QStringLiteral("unknown") << int(CursiveMode);
    QTest::addRow("each mode") << int(KeyboardMode) << QStringLiteral("en_US")
                               << QStringLiteral("keyboard") << int(KeyboardMode);
    QTest::addRow("zh_HK starts isolated") << int(CalculatorMode) << QStringLiteral("zh_HK")
                                           << QStringLiteral("calculator") << int(IsolatedMode);
}

void TestPreferences::writtenModeAndLanguages()
{
    QFETCH(int, mode);
    QFETCH(QString, active);
    QFETCH(QString, written);
    QFETCH(int, readMode);
    QSettings *s = store();
    writePreferences(*s, AppPreferences(), LocalePrefs{active, active + QLatin1Char(' '), {}},
                     mode);
    QCOMPARE(s->value(QStringLiteral("3.2/lastInputMode")).toString(), written);
    AppPreferences prefs;
    QCOMPARE(readPreferences(*s, &prefs, primaryArea, desktop).inputMode, readMode);
}

void TestPreferences::enumTextsFallBack_data()
{
    QTest::addColumn<QString>("hiding");
    QTest::addColumn<int>("hidingMode");
    QTest::addColumn<QString>("sendMode");
    QTest::addColumn<int>("calcSendMode");
    QTest::addRow("known texts") << QStringLiteral("Hide") << int(BehaviourSettings::Hide)
                                 << QStringLiteral("Spreadsheet")
                                 << int(CalcOutputMode::Spreadsheet);
    QTest::addRow("result only") << QStringLiteral("SlideRight")
                                 << int(BehaviourSettings::SlideRight)
                                 << QStringLiteral("ResultOnly")
                                 << int(CalcOutputMode::ResultOnly);
    QTest::addRow("unknown words") << QStringLiteral("Slide") << int(BehaviourSettings::SlideLeft)
                                   << QStringLiteral("Formula") << int(CalcOutputMode::Html);
    QTest::addRow("case matters") << QStringLiteral("hide") << int(BehaviourSettings::SlideLeft)
                                  << QStringLiteral("text") << int(CalcOutputMode::Html);
    QTest::addRow("missing keys") << QString() << int(BehaviourSettings::SlideLeft) << QString()
                                  << int(CalcOutputMode::Html);
}

void TestPreferences::enumTextsFallBack()
{
    QFETCH(QString, hiding);
    QFETCH(int, hidingMode);
    QFETCH(QString, sendMode);
    QFETCH(int, calcSendMode);
    QSettings *s = store();
    s->beginGroup(QStringLiteral("3.2"));
    s->setValue(QStringLiteral("exists"), true);
    if (!hiding.isNull())
        s->setValue(QStringLiteral("hidingMode"), hiding);
    if (!sendMode.isNull())
        s->setValue(QStringLiteral("calcSendMode"), sendMode);
    s->endGroup();
    AppPreferences prefs;
    prefs.behaviour.calcSendMode = CalcOutputMode::Html;
    readPreferences(*s, &prefs, primaryArea, desktop);
    QCOMPARE(prefs.behaviour.hidingMode, hidingMode);
    QCOMPARE(int(prefs.behaviour.calcSendMode), calcSendMode);
}

void TestPreferences::unknownSendModeNumberIsNotWritten()
{
    QSettings *s = store();
    AppPreferences prefs;
    prefs.behaviour.calcSendMode = CalcOutputMode(3);
    prefs.behaviour.hidingMode = 7;
    writePreferences(*s, prefs, {}, CursiveMode);
    QVERIFY(s->contains(QStringLiteral("3.2/exists")));
    QVERIFY(!s->contains(QStringLiteral("3.2/calcSendMode")));
    QVERIFY(!s->contains(QStringLiteral("3.2/hidingMode")));
    QCOMPARE(s->value(QStringLiteral("3.2/detectedLanguages")).toString(), QString());
}

void TestPreferences::autostartWrittenOnlyWhenAsked()
{
    ScrivelApp *app = ScrivelApp::instance();
    LocalePrefs locale;
    int mode = 0;
    app->loadSettings(&locale, &mode);
    QCOMPARE(app->preferences().behaviour.startWithSystem, false);
    app->saveSettings();
    QVERIFY(!checkStartWithWindows());
    app->loadSettings(&locale, &mode);
    app->saveSettings();
    QVERIFY(!checkStartWithWindows());

    AppPreferences prefs = app->preferences();
    prefs.behaviour.startWithSystem = true;
    app->setPreferences(prefs);
    app->saveSettings();
    QVERIFY(checkStartWithWindows());
    app->loadSettings(&locale, &mode);
    QCOMPARE(app->preferences().behaviour.startWithSystem, true);

    prefs = app->preferences();
    prefs.behaviour.startWithSystem = false;
    app->setPreferences(prefs);
    app->saveSettings();
    QVERIFY(!checkStartWithWindows());
}

void TestPreferences::reloadingKeepsTwoDictionaries()
{
    const QStringList personal{QString(200, QChar(u'w')), QStringLiteral("Straße"),
                               QStringLiteral("漢字"), QStringLiteral("كلمة")};
    QVERIFY(writePersonalDictionary(personal));
    const QString common = applicationPath(CommonDataFolder);
    QVERIFY(QDir().mkpath(common));
    QFile file(common + QStringLiteral("/CommonDictionary.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("shared\n\nlast\n");
    file.close();

    ScrivelApp *app = ScrivelApp::instance();
    LocalePrefs locale;
    int mode = 0;
    app->loadSettings(&locale, &mode);
    app->loadSettings(&locale, &mode);
    app->loadDictionaries();
    const AppPreferences &prefs = app->preferences();
    QCOMPARE(prefs.dictionaries.size(), 2);
    QCOMPARE(prefs.dictionaries.at(0), personal);
    const QStringList commonWords{QStringLiteral("shared"), QString(), QStringLiteral("last")};
    QCOMPARE(prefs.dictionaries.at(1), commonWords);
    QCOMPARE(prefs.allWords, personal + commonWords);
}

void TestPreferences::longWordSurvivesAReload()
{
    const QStringList personal{QString(300, QChar(u'w')), QStringLiteral("next")};
    QVERIFY(writePersonalDictionary(personal));
    ScrivelApp::instance()->loadDictionaries();
    QCOMPARE(ScrivelApp::instance()->preferences().dictionaries.value(0), personal);
}

// A panel made after the preferences were read takes its languages and mode from the store and
// leaves the preferences held in memory as they are.
void TestPreferences::panelKeepsPreferencesSetInMemory()
{
    ScrivelApp *app = ScrivelApp::instance();
    QSettings stored(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    writePreferences(stored, changedPreferences(),
                     {QStringLiteral("de_DE"), QStringLiteral("de_DE "), QStringLiteral("de_DE ")},
                     IsolatedMode);
    stored.sync();
    LocalePrefs locale;
    int mode = 0;
    app->loadSettings(&locale, &mode);
    QCOMPARE(app->preferences().style.inkWidth(), 7);
    AppPreferences prefs = app->preferences();
    prefs.style.setInkWidth(9);
    prefs.behaviour.autoSendSpeed = 2500;
    app->setPreferences(prefs);

    AppPanelServices::install(app);
    locale = LocalePrefs();
    mode = 0;
    PanelServices::instance()->loadSettings(&locale, &mode);
    QCOMPARE(app->preferences().style.inkWidth(), 9);
    QCOMPARE(app->preferences().behaviour.autoSendSpeed, 2500);
    QCOMPARE(locale.activeLanguage, QStringLiteral("de_DE"));
    QCOMPARE(mode, int(IsolatedMode));
}

// A store file of random bytes is kept aside under another name, the user is told once, and
// the defaults are read and can be stored again.
void TestPreferences::unreadableStoreIsKeptAsideAndReported()
{
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    const QString path = QSettings(organization, application).fileName();
    QByteArray garbage;
    QRandomGenerator random(7);
    for (int i = 0; i < 3001; ++i)
        garbage.append(char(random.bounded(256)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    Prompt::clearRequests();

    ScrivelApp *app = ScrivelApp::instance();
    LocalePrefs locale;
    int mode = 0;
    app->loadSettings(&locale, &mode);
    QCOMPARE(app->preferences().windowedSize, QSize(600, 250));
    QCOMPARE(mode, int(CursiveMode));
    QFile kept(path + QStringLiteral(".unreadable"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), garbage);
    QTRY_COMPARE(settingsMessages().size(), 1);
    QVERIFY2(settingsMessages().at(0).contains(kept.fileName()), qPrintable(settingsMessages().at(0)));

    app->saveSettings();
    QSettings reread(organization, application);
    QVERIFY(reread.value(QStringLiteral("3.2/exists")).toBool());
    QCOMPARE(reread.status(), QSettings::NoError);
    app->loadSettings(&locale, &mode);
    QTest::qWait(20);
    QCOMPARE(settingsMessages().size(), 1);
}

// With no way to write the store (its folder's place is taken by a file), the user is told
// once, however often the settings are saved.
void TestPreferences::unsavableSettingsAreReportedOnce()
{
    const QString blocked = m_folder.filePath(QStringLiteral("blocked"));
    QFile taken(blocked);
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked);
    Prompt::clearRequests();
    ScrivelApp *app = ScrivelApp::instance();
    app->saveSettings();
    app->saveSettings();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    QTRY_COMPARE(settingsMessages().size(), 1);
    QVERIFY2(settingsMessages().at(0).contains(QLatin1String("cannot be saved")),
             qPrintable(settingsMessages().at(0)));
    app->saveSettings();
    QTest::qWait(20);
    QCOMPARE(settingsMessages().size(), 1);
}

SCRIVEL_APP_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
