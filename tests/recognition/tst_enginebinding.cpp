#include "platform/desktop.h"
#include "recognition/enginebinding.h"
#include "recordingengine.h"

#include <QBuffer>
#include <QtTest>

// Binds the recording engine ("ScrivelRecordingEngine.dll") through the
// platform layer in place of the engine library.
class TestEngineBinding : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void bindsAllEntryPoints();
    void missingLibraryLeavesNothingBound();
    void missingEntryPointClearsTheTable_data();
    void missingEntryPointClearsTheTable();
    void startCreatesEngineAndLoadsCharset();
    void missingCharsetResourceFailsWithEngineCreated();
    void emptyCharsetIsAFailure();
    void stopWithoutEngineDoesNothing();
    void streamCallbacks();
};

static const QString library = QStringLiteral("ScrivelRecordingEngine.dll");

static bool tableIsClear()
{
    const EngineBinding &b = engineBinding();
    const auto *table = reinterpret_cast<void *const *>(&b.entryPoints);
    for (size_t i = 0; i < sizeof(EngineEntryPoints) / sizeof(void *); ++i) {
        if (table[i])
            return false;
    }
    return !b.library;
}

void TestEngineBinding::init()
{
    RecordingEngine::reset();
}

void TestEngineBinding::cleanup()
{
    stopEngine();
    unloadEngineLibrary();
    Desktop::instance()->reset();
    Q_INIT_RESOURCE(recordingengine);
}

void TestEngineBinding::bindsAllEntryPoints()
{
    QVERIFY(loadEngineLibrary(library));
    const EngineBinding &b = engineBinding();
    QVERIFY(b.library);
    QVERIFY(b.entryPoints.zkCreateEngine == &zkCreateEngine);
    QVERIFY(b.entryPoints.zkMakeObject == &zkMakeObject);
    QVERIFY(b.entryPoints.zkSetProperty == &zkSetProperty);
    QVERIFY(b.lineMetrics == &zkGetLineMetrics);
    unloadEngineLibrary();
    QVERIFY(tableIsClear());
}

void TestEngineBinding::missingLibraryLeavesNothingBound()
{
    QVERIFY(!startEngine(QStringLiteral("NoSuchEngine.dll")));
    QVERIFY(tableIsClear());
    QCOMPARE(engineBinding().engine, 0u);
    stopEngine();
    QVERIFY(RecordingEngine::calls().isEmpty());
}

void TestEngineBinding::missingEntryPointClearsTheTable_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::newRow("first") << "zkCreateEngine";
    QTest::newRow("never called") << "zkMakeObject";
    QTest::newRow("last") << "zkSetProperty";
}

void TestEngineBinding::missingEntryPointClearsTheTable()
{
    QFETCH(QString, symbol);
    Desktop::instance()->hideExport(library, symbol);
    QVERIFY(!startEngine(library));
    QVERIFY(tableIsClear());
    QVERIFY(!Desktop::instance()->moduleLoaded(library));
    QCOMPARE(engineBinding().engine, 0u);
    QVERIFY(RecordingEngine::calls().isEmpty());
}

void TestEngineBinding::startCreatesEngineAndLoadsCharset()
{
    QVERIFY(startEngine(library));
    QVERIFY(engineBinding().engine);
    QVERIFY(engineBinding().charset);
    stopEngine();
    QCOMPARE(RecordingEngine::calls(),
             QStringList({"engine 4060000", "load charset UTF-8", "typeprop 0 5 321",
                          "release 321", "destroy"}));
    QCOMPARE(RecordingEngine::liveObjects(), 0);
}

void TestEngineBinding::missingCharsetResourceFailsWithEngineCreated()
{
    Q_CLEANUP_RESOURCE(recordingengine);
    QVERIFY(!startEngine(library));
    QVERIFY(engineBinding().engine);
    stopEngine();
    QCOMPARE(RecordingEngine::calls(), QStringList({"engine 4060000", "destroy"}));
}

void TestEngineBinding::emptyCharsetIsAFailure()
{
    // An engine without its character set must not pass for a started one.
    RecordingEngine::failLoads(true);
    QVERIFY(!startEngine(library));
    QCOMPARE(engineBinding().charset, 0u);
    stopEngine();
    QCOMPARE(RecordingEngine::calls(), QStringList({"engine 4060000", "load charset UTF-8",
                                                    "typeprop 0 5 0", "destroy"}));
}

void TestEngineBinding::stopWithoutEngineDoesNothing()
{
    stopEngine();
    QVERIFY(RecordingEngine::calls().isEmpty());
}

void TestEngineBinding::streamCallbacks()
{
    QByteArray bytes("abcdef");
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadWrite));
    char buffer[8] = {};
    QCOMPARE(engineStreamRead(buffer, 4, &device), 4);
    QCOMPARE(QByteArray(buffer, 4), QByteArray("abcd"));
    QCOMPARE(engineStreamRead(buffer, 8, &device), 2);
    char more[] = "xy";
    QCOMPARE(engineStreamWrite(more, 2, &device), 2);
    QCOMPARE(bytes, QByteArray("abcdefxy"));
    device.close();
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::read (QBuffer): device not open");
    QCOMPARE(engineStreamRead(buffer, 4, &device), -1);
}

QTEST_GUILESS_MAIN(TestEngineBinding)
#include "tst_enginebinding.moc"
