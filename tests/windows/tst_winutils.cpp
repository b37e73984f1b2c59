#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/winutils.h"
#include "tests/testidentity.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {

const QString runKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                      "CurrentVersion\\Run");

QString programValueName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString programValue()
{
    return QLatin1Char('"') + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
           + QStringLiteral("\" /i");
}

} // namespace

class TestWinUtils : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void firstInstance_data();
    void firstInstance();
    void setStartWithWindows_data();
    void setStartWithWindows();
    void checkStartWithWindows_data();
    void checkStartWithWindows();
    void clearDisabledStyle_data();
    void clearDisabledStyle();
    void textCursorShown_data();
    void textCursorShown();
    void applicationPath_data();
    void applicationPath();
    void windows2000OrLater_data();
    void windows2000OrLater();
    void compositionActive_data();
    void compositionActive();
    void floatingWindowTranslucency_data();
    void floatingWindowTranslucency();
    void uiLocale_data();
    void uiLocale();

private:
    QTemporaryDir m_folders;
    QString m_userData;
    QString m_commonData;
};

void TestWinUtils::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
    m_userData = m_folders.filePath(QStringLiteral("user"));
    m_commonData = m_folders.filePath(QStringLiteral("common"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestWinUtils::init()
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_userData);
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_commonData);
    Prompt::setHandler(nullptr);
    Prompt::clearRequests();
}

void TestWinUtils::cleanup()
{
    QSettings(QCoreApplication::organizationName(), nativeSettingsApplicationName()).clear();
    QDir(m_commonData).removeRecursively();
}

void TestWinUtils::firstInstance_data()
{
    QTest::addColumn<bool>("heldBefore");
    QTest::addColumn<bool>("creationFails");
    QTest::addColumn<bool>("first");
    QTest::newRow("new name") << false << false << true;
    QTest::newRow("name already held") << true << false << false;
    QTest::newRow("mutex refused") << false << true << false;
}

void TestWinUtils::firstInstance()
{
    QFETCH(bool, heldBefore);
    QFETCH(bool, creationFails);
    const QString name = QStringLiteral("InkoraScrivelInstance");
    if (heldBefore)
        QVERIFY(isFirstInstance(name));
    Desktop::instance()->setFailure(Desktop::CreateMutexFails, creationFails);
    QTEST(isFirstInstance(name), "first");
    QCOMPARE(Desktop::instance()->mutexExists("Local\\" + name), !creationFails);
}

void TestWinUtils::setStartWithWindows_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("registryFails");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("value"); // null: no value
    const QString old = QStringLiteral("\"C:\\old\\scrivel.exe\" /i");
    QTest::newRow("on") << true << false << true << programValue();
    QTest::newRow("off") << false << false << true << QString();
    QTest::newRow("on refused") << true << true << false << old;
    QTest::newRow("off refused") << false << true << false << old;
}

void TestWinUtils::setStartWithWindows()
{
    QFETCH(bool, on);
    QFETCH(bool, registryFails);
    QFETCH(QString, value);
    Desktop::instance()->setRegistryValue(runKey, programValueName(),
                                          QStringLiteral("\"C:\\old\\scrivel.exe\" /i"));
    Desktop::instance()->setFailure(Desktop::RegistryFails, registryFails);
    QTEST(::setStartWithWindows(on), "answer");
    QCOMPARE(Desktop::instance()->hasRegistryValue(runKey, programValueName()), !value.isNull());
    QCOMPARE(Desktop::instance()->registryValue(runKey, programValueName()), value);
}

void TestWinUtils::checkStartWithWindows_data()
{
    QTest::addColumn<QString>("value"); // null: no value
    QTest::addColumn<bool>("registryFails");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("valueAfter");
    const QString path = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    QTest::newRow("missing") << QString() << false << false << QString();
    QTest::newRow("empty") << QString("") << false << false << QString("");
    QTest::newRow("this program") << programValue() << false << true << programValue();
    QTest::newRow("other path") << QStringLiteral("\"C:\\old\\scrivel.exe\" /i") << false
                                << true << programValue();
    QTest::newRow("other letter case") << "\"" + path.toUpper() + "\" /i" << false << true
                                       << programValue();
    QTest::newRow("unreadable") << programValue() << true << false << programValue();
}

void TestWinUtils::checkStartWithWindows()
{
    QFETCH(QString, value);
    QFETCH(bool, registryFails);
    QFETCH(QString, valueAfter);
    if (!value.isNull())
        Desktop::instance()->setRegistryValue(runKey, programValueName(), value);
    Desktop::instance()->setFailure(Desktop::RegistryFails, registryFails);
    QTEST(::checkStartWithWindows(), "answer");
    QCOMPARE(Desktop::instance()->registryValue(runKey, programValueName()), valueAfter);
}

void TestWinUtils::clearDisabledStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("styleAfter");
    QTest::newRow("disabled") << int(WS_DISABLED | 0x10000000) << 0x10000000;
    QTest::newRow("enabled") << 0x10C00000 << 0x10C00000;
}

void TestWinUtils::clearDisabledStyle()
{
    QFETCH(int, style);
    QWidget widget;
    HWND window = widgetWindow(&widget);
    SetWindowLongW(window, GWL_STYLE, style);
    ::clearDisabledStyle(&widget);
    QTEST(int(GetWindowLongW(window, GWL_STYLE)), "styleAfter");
}

void TestWinUtils::textCursorShown_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("queryFails");
    QTest::addColumn<bool>("shown");
    QTest::newRow("arrow") << int(Desktop::ArrowCursor) << false << false;
    QTest::newRow("I-beam") << int(Desktop::IBeamCursor) << false << true;
    QTest::newRow("query fails") << int(Desktop::IBeamCursor) << true << false;
}

void TestWinUtils::textCursorShown()
{
    QFETCH(int, shape);
    QFETCH(bool, queryFails);
    Desktop::instance()->setCursorShape(Desktop::CursorShape(shape));
    Desktop::instance()->setFailure(Desktop::CursorInfoFails, queryFails);
    QTEST(isTextCursorShown(), "shown");
}

void TestWinUtils::applicationPath_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("lookupFails");
    QTest::addColumn<QString>("path");
    const QString program = QCoreApplication::applicationDirPath();
    const QString names = QStringLiteral("/InkoraTest/ScrivelTest");
    QTest::newRow("0 program") << 0 << false << program;
    QTest::newRow("1 user data") << 1 << false << m_userData + names;
    QTest::newRow("2 common data") << 2 << false << m_commonData + names;
    QTest::newRow("3 resources") << 3 << false << program + "/resources";
    QTest::newRow("4 program") << 4 << false << program;
    QTest::newRow("5 documentation") << 5 << false << program + "/doc/content";
    QTest::newRow("7 user data") << 7 << false << m_userData + names;
    QTest::newRow("1 lookup fails") << 1 << true << QDir::homePath() + names;
    QTest::newRow("2 lookup fails") << 2 << true << QDir::homePath() + names;
}

void TestWinUtils::applicationPath()
{
    QFETCH(int, kind);
    QFETCH(bool, lookupFails);
    Desktop::instance()->setFailure(Desktop::FolderLookupFails, lookupFails);
    QTEST(::applicationPath(ApplicationPathKind(kind)), "path");
}

void TestWinUtils::windows2000OrLater_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<bool>("ntFamily");
    QTest::addColumn<bool>("answer");
    QTest::newRow("NT 4") << 4 << 0 << true << false;
    QTest::newRow("2000") << 5 << 0 << true << true;
    QTest::newRow("7") << 6 << 1 << true << true;
    QTest::newRow("Me") << 4 << 90 << false << false;
}

void TestWinUtils::windows2000OrLater()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(bool, ntFamily);
    Desktop::instance()->setOsVersion(major, minor, ntFamily);
    QTEST(isWindows2000OrLater(), "answer");
}

void TestWinUtils::compositionActive_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<bool>("composition");
    QTest::addColumn<QString>("missing"); // "library", "function" or empty
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("warnings");
    QTest::newRow("XP") << 5 << false << QString() << true << 0;
    QTest::newRow("on") << 6 << true << QString() << true << 0;
    QTest::newRow("off") << 6 << false << QString() << false << 0;
    QTest::newRow("no theme library") << 6 << false << "library" << true << 1;
    QTest::newRow("no theme function") << 6 << false << "function" << true << 0;
}

void TestWinUtils::compositionActive()
{
    QFETCH(int, major);
    QFETCH(bool, composition);
    QFETCH(QString, missing);
    Desktop::instance()->setOsVersion(major, 1);
    Desktop::instance()->setCompositionActive(composition);
    Desktop::instance()->hideModule("uxtheme.dll", missing == "library");
    Desktop::instance()->hideExport("uxtheme.dll", "IsCompositionActive", missing == "function");

    QTEST(isCompositionActive(), "answer");
    QFETCH(int, warnings);
    const QList<Prompt::Request> requests = Prompt::requests();
    QCOMPARE(requests.size(), warnings);
    if (warnings) {
        QCOMPARE(requests.at(0).icon, int(QMessageBox::Warning));
        QCOMPARE(requests.at(0).title, QStringLiteral("Inkora Scrivel"));
        QCOMPARE(requests.at(0).text,
                 QStringLiteral("Caution: Unable to find the library \"uxtheme.dll\""));
    }
    QVERIFY(!Desktop::instance()->moduleLoaded("uxtheme.dll"));
}

void TestWinUtils::floatingWindowTranslucency_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("composition");
    QTest::addColumn<bool>("translucent");
    QTest::newRow("asked") << true << false << true;
    QTest::newRow("composition on") << false << true << true;
    QTest::newRow("neither") << false << false << false;
}

void TestWinUtils::floatingWindowTranslucency()
{
    QFETCH(bool, asked);
    QFETCH(bool, composition);
    QWidget widget;
    widget.setAttribute(Qt::WA_NoSystemBackground);
    Desktop::instance()->setCompositionActive(composition);
    setFloatingWindowFlags(&widget, asked);
    QCOMPARE(int(widget.windowFlags()), 0x4080B);
    QTEST(widget.testAttribute(Qt::WA_TranslucentBackground), "translucent");
    QTEST(widget.testAttribute(Qt::WA_NoSystemBackground), "translucent");
    QVERIFY(widget.testAttribute(Qt::WA_AlwaysShowToolTips));
}

void TestWinUtils::uiLocale_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<QString>("setting"); // null: no key
    QTest::addColumn<QString>("locale");
    QTest::newRow("file") << QByteArray("fr_FR\n") << QString("it_IT") << "fr_FR";
    QTest::newRow("file with territory") << QByteArray("pt_BR") << QString() << "pt_BR";
    QTest::newRow("script and territory") << QByteArray("zh_TW\r\nxx") << QString() << "zh_TW";
    QTest::newRow("empty file beats setting") << QByteArray("") << QString("it_IT") << "de_DE";
    QTest::newRow("setting") << QByteArray() << QString("it_IT") << "it_IT";
    QTest::newRow("nothing") << QByteArray() << QString() << "de_DE";
    QTest::newRow("garbage") << QByteArray("\xff\xfe!!") << QString() << "de_DE";
    QTest::newRow("long line") << QByteArray(100000, 'x') << QString() << "de_DE";
}

void TestWinUtils::uiLocale()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, setting);
    if (!file.isNull()) {
        const QString folder = ::applicationPath(CommonDataFolder);
        QVERIFY(QDir().mkpath(folder));
        QFile language(folder + "/ui_lang.txt");
        QVERIFY(language.open(QIODevice::WriteOnly));
        language.write(file);
    }
    if (!setting.isNull())
        QSettings(QCoreApplication::organizationName(), nativeSettingsApplicationName())
            .setValue("UILocale", setting);
    QTEST(::uiLocale().name(), "locale");
}

QTEST_MAIN(TestWinUtils)
#include "tst_winutils.moc"
