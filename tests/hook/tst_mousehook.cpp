#include "hook/hookprotocol.h"
#include "platform/desktop.h"
#include "platform/winapi.h"

#include <QLibrary>
#include <QtTest>

class TestMouseHook : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void reportsAndSwallowsByMode_data();
    void reportsAndSwallowsByMode();
    void reportsScreenPosition();
    void closedTargetRemovesHook();
    void setAndUnsetHook();
    void refusedInstallAnswersZero();
    void libraryNotLoadedByNameInstallsNothing();
    void unloadingRemovesHook();

private:
    // Injects events written as letters: D press, U release, M move, R right press.
    QString inject(const QString &events);
    QString postedMessages() const;

    HWND m_target = nullptr;
    HMODULE m_module = nullptr;
    SetScrivelHookFunction m_set = nullptr;
    UnsetScrivelHookFunction m_unset = nullptr;
};

void TestMouseHook::init()
{
    Desktop::instance()->reset();
    m_target = Desktop::instance()->createWindow("ScrivelPanel", 0x700);
    m_module = LoadLibraryA(scrivelHookLibrary);
    QVERIFY(m_module);
    m_set = reinterpret_cast<SetScrivelHookFunction>(GetProcAddress(m_module, "setScrivelHook"));
    m_unset = reinterpret_cast<UnsetScrivelHookFunction>(
        GetProcAddress(m_module, "unsetScrivelHook"));
    QVERIFY(m_set && m_unset);
    QVERIFY(GetProcAddress(m_module, "LowLevelMouseProc"));
}

void TestMouseHook::cleanup()
{
    if (m_module)
        FreeLibrary(m_module);
    m_module = nullptr;
}

QString TestMouseHook::inject(const QString &events)
{
    QString swallowed;
    for (QChar event : events) {
        const UINT message = event == 'D' ? WM_LBUTTONDOWN
                             : event == 'U' ? WM_LBUTTONUP
                             : event == 'M' ? WM_MOUSEMOVE
                                            : WM_RBUTTONDOWN;
        swallowed += Desktop::instance()->injectMouse(message, 10, 20) ? '1' : '0';
    }
    return swallowed;
}

QString TestMouseHook::postedMessages() const
{
    QStringList messages;
    for (const MSG &msg : Desktop::instance()->postedMessages(m_target))
        messages << QString::number(msg.message);
    return messages.join(' ');
}

void TestMouseHook::reportsAndSwallowsByMode_data()
{
    QTest::addColumn<QByteArray>("block"); // empty: no block
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("swallowed");
    QTest::addColumn<QString>("posted");
    QTest::addColumn<QByteArray>("blockAfter");

    const QByteArray zero("0\0\0\0", 4);
    QTest::newRow("no block: watch") << QByteArray() << "DU" << "00" << "1054 1056" << QByteArray();
    QTest::newRow("mode 1") << QByteArray("1\0\0\0", 4) << "DMUR" << "0000"
                            << "1054 1055 1056" << QByteArray("1\0\0\0", 4);
    QTest::newRow("mode 0: press, release, press") << zero << "DUD" << "110"
                                                    << "1054 1056 1054"
                                                    << QByteArray("1\0\0\0", 4);
    QTest::newRow("mode 0: moves pass") << zero << "MDMU" << "0101" << "1055 1054 1055 1056"
                                        << zero;
    QTest::newRow("mode 0: left-over bytes kept") << QByteArray("0xyz") << "DD" << "10"
                                                  << "1054 1054" << QByteArray("1xyz");
    QTest::newRow("mode 2") << QByteArray("2\0\0\0", 4) << "DMUR" << "0000" << "1055"
                            << QByteArray("2\0\0\0", 4);
    QTest::newRow("garbage: watch") << QByteArray("xyz!") << "DU" << "00" << "1054 1056"
                                    << QByteArray("xyz!");
    QTest::newRow("zero-filled: watch") << QByteArray(4, '\0') << "DU" << "00" << "1054 1056"
                                        << QByteArray(4, '\0');
    QTest::newRow("four digits, no terminator") << QByteArray("2222") << "DU" << "00"
                                                << "1054 1056" << QByteArray("2222");
}

void TestMouseHook::reportsAndSwallowsByMode()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, events);
    if (!block.isEmpty())
        Desktop::instance()->setMappingContents(scrivelHookMappingName, block);
    QCOMPARE(m_set(m_target), 1);

    QTEST(inject(events), "swallowed");
    QTEST(postedMessages(), "posted");
    QTEST(Desktop::instance()->mappingContents(scrivelHookMappingName), "blockAfter");
}

void TestMouseHook::reportsScreenPosition()
{
    QCOMPARE(m_set(m_target), 1);
    Desktop::instance()->injectMouse(WM_MOUSEMOVE, 1234, 567);
    const QList<MSG> posted = Desktop::instance()->postedMessages(m_target);
    QCOMPARE(posted.size(), 1);
    QCOMPARE(posted.at(0).wParam, WPARAM(1234));
    QCOMPARE(posted.at(0).lParam, LPARAM(567));
}

void TestMouseHook::closedTargetRemovesHook()
{
    Desktop::instance()->setMappingContents(scrivelHookMappingName, QByteArray("0\0\0\0", 4));
    QCOMPARE(m_set(m_target), 1);
    Desktop::instance()->destroyWindow(m_target);

    QCOMPARE(inject("D"), "0");
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    QCOMPARE(postedMessages(), QString());
}

void TestMouseHook::setAndUnsetHook()
{
    QCOMPARE(m_unset(), 1);
    QCOMPARE(m_set(m_target), 1);
    QCOMPARE(m_set(m_target), 1);
    QCOMPARE(Desktop::instance()->hookCount(), 1);
    QCOMPARE(m_unset(), 1);
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    QCOMPARE(inject("D"), "0");
    QCOMPARE(postedMessages(), QString());
}

void TestMouseHook::refusedInstallAnswersZero()
{
    Desktop::instance()->setFailure(Desktop::HookInstallFails);
    QCOMPARE(m_set(m_target), 0);
    QCOMPARE(Desktop::instance()->hookCount(), 0);
}

void TestMouseHook::libraryNotLoadedByNameInstallsNothing()
{
    QVERIFY(FreeLibrary(m_module));
    m_module = nullptr;
    QLibrary library(QStringLiteral(SCRIVEL_BIN_DIR "/libscrivelwinhook.so"));
    QVERIFY(library.load());
    auto set = reinterpret_cast<SetScrivelHookFunction>(library.resolve("setScrivelHook"));
    QVERIFY(set);
    QCOMPARE(set(m_target), 0);
    QCOMPARE(Desktop::instance()->hookCount(), 0);
    library.unload();
}

void TestMouseHook::unloadingRemovesHook()
{
    QCOMPARE(m_set(m_target), 1);
    QVERIFY(FreeLibrary(m_module));
    m_module = nullptr;
    QCOMPARE(Desktop::instance()->hookCount(), 0);
}

QTEST_MAIN(TestMouseHook)
#include "tst_mousehook.moc"
