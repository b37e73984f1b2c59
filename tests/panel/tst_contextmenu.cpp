#include "panelfixture.h"

#include "panel/links.h"
#include "panel/mainframe.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/wintypes.h"
#include "tests/testidentity.h"
#include "windows/winutils.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// The panel's context menu over a common data folder that may hold a links file; what its
// entries open is read from the modelled desktop's requests.
class TestContextMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void entries_data();
    void entries();
    void helpOpensTheDocumentation();
    void updatesOpenTheLinkOfTheFile();
    void aboutAsksTheApplication();

private:
    void writeLinks(const QByteArray &content);
    QStringList entryTexts() const;
    QTemporaryDir m_folders;
    std::unique_ptr<FixtureServices> m_services;
    RecordingIntegrator m_integrator;
    std::unique_ptr<MainFrame> m_frame;
    QList<Prompt::Request> m_asked;
};

void TestContextMenu::initTestCase() { useTestIdentity(); }

void TestContextMenu::init()
{
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath("user"));
    Desktop::instance()->setKnownFolder(CSIDL_COMMON_APPDATA, m_folders.filePath("common"));
    QDir().mkpath(applicationPath(CommonDataFolder));
    QFile::remove(linksFilePath());
    m_services = std::make_unique<FixtureServices>();
    m_services->setIntegrator(&m_integrator);
    m_services->lastMode = CursiveMode;
    PanelServices::setInstance(m_services.get());
    m_asked.clear();
    Prompt::setHandler([this](const Prompt::Request &request) {
        m_asked << request;
        return QVariant(true);
    });
}

void TestContextMenu::cleanup()
{
    m_frame.reset();
    Prompt::setHandler(nullptr);
    PanelServices::setInstance(nullptr);
    m_services.reset();
}

void TestContextMenu::writeLinks(const QByteArray &content)
{
    QFile file(linksFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList TestContextMenu::entryTexts() const
{
    QStringList texts;
    for (const QAction *action : m_frame->contextMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

void TestContextMenu::entries_data()
{
    QTest::addColumn<QByteArray>("links");
    QTest::addColumn<bool>("login");
    QTest::addColumn<QStringList>("expected");
    const QStringList tail{"Keypad", "-", "Settings", "-", "Show", "Hide", "Exit"};
    QTest::addRow("with a link") << QByteArray("https://updates.example/\n") << false
                                 << QStringList{"Help", "About...", "Check for updates..."} + tail;
    QTest::addRow("no links file")
        << QByteArray() << false << QStringList{"Help", "About..."} + tail;
    QTest::addRow("blank links file")
        << QByteArray(" \t\n") << false << QStringList{"Help", "About..."} + tail;
    QTest::addRow("login with a link")
        << QByteArray("https://updates.example/\n") << true
        << QStringList{"About...", "Keypad", "-", "-", "Show", "Hide", "Exit"};
    QTest::addRow("login without a link")
        << QByteArray() << true
        << QStringList{"About...", "Keypad", "-", "-", "Show", "Hide", "Exit"};
}

void TestContextMenu::entries()
{
    QFETCH(QByteArray, links);
    QFETCH(bool, login);
    QFETCH(QStringList, expected);
    if (!links.isEmpty())
        writeLinks(links);
    m_frame = std::make_unique<MainFrame>();
    if (login)
        m_frame->loginKeyboardMode();
    QCOMPARE(entryTexts(), expected);
}

void TestContextMenu::helpOpensTheDocumentation()
{
    m_frame = std::make_unique<MainFrame>();
    m_frame->contextMenu()->actions().constFirst()->trigger();
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.constFirst().kind, Prompt::OpenUrl);
    const QUrl url(m_asked.constFirst().text);
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(),
             applicationPath(DocumentationFolder) + QStringLiteral("/index_with_calculator.htm"));
}

void TestContextMenu::updatesOpenTheLinkOfTheFile()
{
    writeLinks("  https://updates.example/scrivel?from=3.2  \r\nsecond\n");
    m_frame = std::make_unique<MainFrame>();
    m_frame->contextMenu()->actions().at(2)->trigger();
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked.constFirst().kind, Prompt::OpenUrl);
    QCOMPARE(m_asked.constFirst().text, QStringLiteral("https://updates.example/scrivel?from=3.2"));
}

void TestContextMenu::aboutAsksTheApplication()
{
    m_frame = std::make_unique<MainFrame>();
    QSignalSpy about(m_frame.get(), &MainFrame::aboutRequested);
    m_frame->contextMenu()->actions().at(1)->trigger();
    QCOMPARE(about.size(), 1);
    QVERIFY(m_asked.isEmpty());
}

QTEST_MAIN(TestContextMenu)
#include "tst_contextmenu.moc"
