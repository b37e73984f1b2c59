#include "hook/hookprotocol.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/mousehookmanager.h"

#include <QWidget>
#include <QtTest>

#include <memory>

class TestMouseHookManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void installOnceRemoveOnce();
    void installWithoutPanelDoesNothing();
    void removeWhenNothingInstalled();
    void missingPieces_data();
    void missingPieces();
    void refusedHookWarnsOnce();
    void writeMode_data();
    void writeMode();
    void modeTwoReplaysClick();
    void blockRefused_data();
    void blockRefused();
    void modeForSender_data();
    void modeForSender();
    void destructionRemovesHookAndBlock();

private:
    QStringList warnings() const;

    QWidget m_panel;
    std::unique_ptr<MouseHookManager> m_manager;
};

void TestMouseHookManager::init()
{
    Desktop::instance()->reset();
    Prompt::clearRequests();
    m_manager = std::make_unique<MouseHookManager>();
}

void TestMouseHookManager::cleanup()
{
    m_manager.reset();
}

QStringList TestMouseHookManager::warnings() const
{
    QStringList texts;
    for (const Prompt::Request &request : Prompt::requests()) {
        if (request.icon == QMessageBox::Warning && request.title == "Inkora Scrivel")
            texts << request.text;
    }
    return texts;
}

void TestMouseHookManager::installOnceRemoveOnce()
{
    QVERIFY(m_manager->installMouseHook(true, &m_panel));
    // A second install would fail if it set the hook again.
    Desktop::instance()->setFailure(Desktop::HookInstallFails);
    QVERIFY(m_manager->installMouseHook(true, &m_panel));
    Desktop::instance()->setFailure(Desktop::HookInstallFails, false);
    QCOMPARE(Desktop::instance()->hookCount(), 1);
    QVERIFY(Desktop::instance()->moduleLoaded(scrivelHookLibrary));

    Desktop::instance()->injectMouse(WM_LBUTTONDOWN, 3, 4);
    QCOMPARE(Desktop::instance()->postedMessages(widgetWindow(&m_panel)).size(), 1);

    QVERIFY(m_manager->installMouseHook(false, &m_panel));
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    QVERIFY(!Desktop::instance()->moduleLoaded(scrivelHookLibrary));
    QCOMPARE(warnings(), QStringList());
}

void TestMouseHookManager::installWithoutPanelDoesNothing()
{
    QVERIFY(m_manager->installMouseHook(true, nullptr));
    QVERIFY(!Desktop::instance()->moduleLoaded(scrivelHookLibrary));
}

void TestMouseHookManager::removeWhenNothingInstalled()
{
    QVERIFY(m_manager->installMouseHook(false, &m_panel));
    QCOMPARE(warnings(), QStringList());
}

void TestMouseHookManager::missingPieces_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<bool>("install");
    QTest::addColumn<QString>("warning");
    QTest::newRow("library") << QString() << true
                             << "Caution: Unable to find the library \"scrivelwinhook.dll\"";
    QTest::newRow("set function") << "setScrivelHook" << true
                                  << "Caution: Unable to find function to set mouse hook";
    QTest::newRow("unset function") << "unsetScrivelHook" << false
                                    << "Caution: Unable to find function to unset mouse hook";
}

void TestMouseHookManager::missingPieces()
{
    QFETCH(QString, missing);
    QFETCH(bool, install);
    QFETCH(QString, warning);
    if (!install)
        QVERIFY(m_manager->installMouseHook(true, &m_panel));
    if (missing.isEmpty())
        Desktop::instance()->hideModule(scrivelHookLibrary);
    else
        Desktop::instance()->hideExport(scrivelHookLibrary, missing);

    QVERIFY(!m_manager->installMouseHook(install, &m_panel));
    QCOMPARE(warnings(), QStringList{warning});
    QVERIFY(!m_manager->isInstalled());
    QVERIFY(!Desktop::instance()->moduleLoaded(scrivelHookLibrary));
}

void TestMouseHookManager::refusedHookWarnsOnce()
{
    Desktop::instance()->setFailure(Desktop::HookInstallFails);
    QVERIFY(!m_manager->installMouseHook(true, &m_panel));
    QVERIFY(!m_manager->installMouseHook(true, &m_panel));
    QCOMPARE(warnings(), QStringList{"Caution: Unable to set system mouse hook"});
    QVERIFY(!Desktop::instance()->moduleLoaded(scrivelHookLibrary));

    Desktop::instance()->setFailure(Desktop::HookInstallFails, false);
    QVERIFY(m_manager->installMouseHook(true, &m_panel));
    QCOMPARE(Desktop::instance()->hookCount(), 1);
}

void TestMouseHookManager::writeMode_data()
{
    QTest::addColumn<QByteArray>("block"); // null: no block yet
    QTest::addColumn<QList<int>>("modes");
    QTest::addColumn<QByteArray>("blockAfter");
    QTest::newRow("created on first write") << QByteArray() << QList<int>{1}
                                            << QByteArray("1\0\0\0", 4);
    QTest::newRow("mode 2 after mode 0") << QByteArray("0xyz") << QList<int>{0, 2}
                                         << QByteArray("2xyz");
    QTest::newRow("two digits refused") << QByteArray("1\0\0\0", 4) << QList<int>{12}
                                        << QByteArray("1\0\0\0", 4);
}

void TestMouseHookManager::writeMode()
{
    QFETCH(QByteArray, block);
    QFETCH(QList<int>, modes);
    if (!block.isNull())
        Desktop::instance()->setMappingContents(scrivelHookMappingName, block);
    for (int mode : modes)
        QCOMPARE(m_manager->writeMode(ScrivelHookMode(mode)), mode < 10);
    QTEST(Desktop::instance()->mappingContents(scrivelHookMappingName), "blockAfter");
}

void TestMouseHookManager::modeTwoReplaysClick()
{
    m_manager->setLastMouseUp(QPoint(640, 480));
    QVERIFY(m_manager->writeMode(HookModeWatch));
    QCOMPARE(Desktop::instance()->keyTrace(), QStringList());
    QVERIFY(m_manager->writeMode(HookModeNoClicks));
    QCOMPARE(Desktop::instance()->keyTrace(), (QStringList{"L+@640,480", "L-@640,480"}));
    const QList<Desktop::InputRecord> log = Desktop::instance()->inputLog();
    QCOMPARE(log.at(0).input.mi.dwFlags, DWORD(0x8002));
    QCOMPARE(log.at(1).input.mi.dwFlags, DWORD(0x8004));
}

void TestMouseHookManager::blockRefused_data()
{
    QTest::addColumn<int>("failure");
    QTest::newRow("mapping refused") << int(Desktop::CreateMappingFails);
    QTest::newRow("view refused") << int(Desktop::MapViewFails);
}

void TestMouseHookManager::blockRefused()
{
    QFETCH(int, failure);
    Desktop::instance()->setFailure(Desktop::Failure(failure));
    QVERIFY(!m_manager->writeMode(HookModeNoClicks));
    QCOMPARE(Desktop::instance()->keyTrace(), QStringList());
    Desktop::instance()->setFailure(Desktop::Failure(failure), false);
    QVERIFY(m_manager->writeMode(HookModeClickExpected));
    QCOMPARE(Desktop::instance()->mappingContents(scrivelHookMappingName).at(0), '0');
}

void TestMouseHookManager::modeForSender_data()
{
    QTest::addColumn<QString>("name"); // null: no sender
    QTest::addColumn<ScrivelHookMode>("mode");
    QTest::newRow("ShownWaitDown") << "ShownWaitDown" << HookModeClickExpected;
    QTest::newRow("isUpIBeam") << "isUpIBeam" << HookModeNoClicks;
    QTest::newRow("isNotUpIBeam") << "isNotUpIBeam" << HookModeNoClicks;
    QTest::newRow("NotShownWaitDown") << "NotShownWaitDown" << HookModeWatch;
    QTest::newRow("ShownInsideMenus") << "ShownInsideMenus" << HookModeWatch;
    QTest::newRow("direct call") << QString() << HookModeWatch;
}

void TestMouseHookManager::modeForSender()
{
    QFETCH(QString, name);
    QObject sender;
    sender.setObjectName(name);
    QTEST(MouseHookManager::modeForSender(name.isNull() ? nullptr : &sender), "mode");
}

void TestMouseHookManager::destructionRemovesHookAndBlock()
{
    QVERIFY(m_manager->installMouseHook(true, &m_panel));
    QVERIFY(m_manager->writeMode(HookModeWatch));
    m_manager.reset();
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    QVERIFY(!Desktop::instance()->moduleLoaded(scrivelHookLibrary));
    QVERIFY(!Desktop::instance()->mappingExists(scrivelHookMappingName));
}

QTEST_MAIN(TestMouseHookManager)
#include "tst_mousehookmanager.moc"
