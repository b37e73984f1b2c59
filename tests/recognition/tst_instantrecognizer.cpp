#include "recofixtures.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QSignalSpy>
#include <QtTest>

using namespace fixtures;

// The recording engine's package "1recotest.rcc" holds recotest/en-ak-cur.res
// ("ak model") and recotest/lm.res ("language model").
class TestInstantRecognizer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadsThePackageResources_data();
    void loadsThePackageResources();

private:
    RecordingSession *session = nullptr;
};

void TestInstantRecognizer::init()
{
    session = new RecordingSession;
    QVERIFY(session->started);
    RecordingEngine::reset();
}

void TestInstantRecognizer::cleanup()
{
    delete session;
    QCOMPARE(RecordingEngine::liveObjects(), 0);
}

void TestInstantRecognizer::loadsThePackageResources_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QStringList>("resources");
    QTest::addColumn<QStringList>("lexicon");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("loads");

    const QString ak = QStringLiteral(":/data/languages/recotest/en-ak-cur.res");
    const QString lm = QStringLiteral(":/data/languages/recotest/lm.res");
    const QStringList both = {"load ak model", "load language model"};
    QTest::newRow("language package") << "recotest" << "" << QStringList{ak, lm}
                                      << QStringList{"cat"} << true << both;
    QTest::newRow("customised language uses its base package")
        << "_Me en_US" << "recotest" << QStringList{ak, lm} << QStringList() << true << both;
    QTest::newRow("missing package") << "nosuch" << "" << QStringList{ak, lm} << QStringList()
                                     << false << QStringList();
    QTest::newRow("missing resource, the others still load")
        << "recotest" << "" << QStringList{ak, ":/data/languages/recotest/none.res", lm}
        << QStringList() << false << both;
    QTest::newRow("refused lexicon word") << "recotest" << "" << QStringList{lm}
                                          << QStringList{""} << true
                                          << QStringList{"load language model"};
}

void TestInstantRecognizer::loadsThePackageResources()
{
    QFETCH(QString, language);
    QFETCH(QString, baseName);
    QFETCH(QStringList, resources);
    QFETCH(QStringList, lexicon);
    QFETCH(bool, ok);
    QFETCH(QStringList, loads);

    RecognizerConfig config;
    config.languageName = language;
    config.resourcesBaseName = baseName;
    config.resources = resources;
    config.lexicons = lexicon;
    const int alive = RecordingEngine::liveObjects();
    {
        InstantRecognizer recognizer(config);
        QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
        recognizer.start();
        QVERIFY(configured.wait(5000));
        QCOMPARE(configured.at(0).at(0).toBool(), ok);
        QVERIFY(!QFile::exists(":/data/languages/recotest/lm.res"));
    }
    QCOMPARE(RecordingEngine::liveObjects(), alive);

    const QStringList calls = RecordingEngine::calls();
    QStringList loaded;
    for (const QString &c : calls) {
        if (c.startsWith("load"))
            loaded.append(c);
    }
    QCOMPARE(loaded, loads);
    QCOMPARE(calls.count("entry f3b08080"), loads.contains("load ak model") ? 1 : 0);
    QCOMPARE(calls.contains("word cat"), lexicon.contains("cat"));
    QCOMPARE(calls.count("attach 315"), lexicon.contains("") ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestInstantRecognizer)
#include "tst_instantrecognizer.moc"
