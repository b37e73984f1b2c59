// Random damage to stored objects, with the frame's size and checksum made to match, so the
// payload readers (and the model check before Zinnia) see every kind of bad data.
#include "enginedriver.h"
#include "storedframe.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/resource.h>

namespace {

const QString packed = QString(SCRIVEL_BIN_DIR) + "/../resources/packed/";

// A frame around a payload: magic, version, type, size, payload, checksum.
QByteArray framed(const QByteArray &head, const QByteArray &payload)
{
    return head.left(12) + le32(quint32(payload.size())) + payload + le32(frameCrc32(payload));
}

QByteArray damaged(QByteArray payload, QRandomGenerator &random)
{
    if (payload.isEmpty())
        return QByteArray(int(random.bounded(16)), char(random.bounded(256)));
    switch (random.bounded(4)) {
    case 0: // flip bytes
        for (int i = 0, n = 1 + int(random.bounded(8)); i < n; ++i)
            payload[int(random.bounded(payload.size()))] = char(random.bounded(256));
        break;
    case 1: // cut
        payload.truncate(int(random.bounded(payload.size())));
        break;
    case 2: // a count or length made huge
        payload.replace(int(random.bounded(qMax(1, payload.size() - 4))), 4, le32(random.generate()));
        break;
    default: // bytes inserted
        payload.insert(int(random.bounded(payload.size())), QByteArray(1 + int(random.bounded(8)), 'x'));
        break;
    }
    return payload;
}

} // namespace

class TestLoaderFuzz : public QObject
{
    Q_OBJECT

private:
    EngineDriver d;

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QByteArray storedTrainingSet()
    {
        zkId set = d.api.createObject(d.engine, ZK_TYPE_TRAINING_SET);
        zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
        for (const char *label : {"a", "\xE6\x97\xA5"}) {
            d.startUnit(input, ZK_UNIT_BOXED);
            d.addStroke(input, {{0, 0}, {5, 9}, {10, 3}});
            d.addStroke(input, {{2, 2}, {7, 7}});
            zkText t{label, uint32_t(qstrlen(label))};
            d.op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1)(d.engine, set, input, 0, &t);
            d.op<zkOpClear>(ZK_IF_INPUT, 0)(d.engine, input, 0);
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        d.api.storeObject(d.engine, set, writeDevice, &buffer, 0);
        d.release(input);
        d.release(set);
        return bytes;
    }

private slots:
    void initTestCase() { QVERIFY(d.bind()); }
    void damagedObjectsNeverCrash_data();
    void damagedObjectsNeverCrash();
    void claimedSizeCostsOnlyWhatArrives_data();
    void claimedSizeCostsOnlyWhatArrives();
};

void TestLoaderFuzz::damagedObjectsNeverCrash_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("character set") << "charsets/UTF-8.charset";
    QTest::newRow("word list") << "en_US/en_US-lk-text.res";
    QTest::newRow("symbols") << "shared/Calculator-sk-im_calc.res";
    QTest::newRow("embedded model") << "shared/Calculator-ak-hpr.res";
    QTest::newRow("embedded Latin model") << "en_US/en_US-ak-iso.res";
    QTest::newRow("model by path") << "ja_JP/ja_JP-ak-iso.res";
    QTest::newRow("training set") << QString();
}

void TestLoaderFuzz::damagedObjectsNeverCrash()
{
    QFETCH(QString, file);
    QVERIFY(d.start());
    const QByteArray good = file.isEmpty() ? storedTrainingSet() : readFile(packed + file);
    QVERIFY(good.size() > 20);
    const QByteArray head = good.left(16), payload = good.mid(16, good.size() - 20);
    zkId intact = d.api.makeObject(d.engine, good.constData(), uint32_t(good.size()));
    QVERIFY(intact);
    d.release(intact);

    // Whatever still loads is used once, so damaged models also meet real ink.
    zkId recognizer = d.api.createObject(d.engine, ZK_TYPE_RECOGNIZER);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    d.startUnit(input, ZK_UNIT_BOXED);
    d.addStroke(input, {{0, 0}, {10, 20}, {20, 0}});
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QRandomGenerator random(20261210);
    QElapsedTimer clock;
    clock.start();
    int tries = 0, loaded = 0;
    while (clock.elapsed() < 1500 && tries < 20000) {
        QByteArray bytes = framed(head, damaged(payload, random));
        zkId object = d.api.makeObject(d.engine, bytes.constData(), uint32_t(bytes.size()));
        loaded += object != 0;
        if (object && d.op<zkOpAttach>(ZK_IF_RESOURCES, 0)(d.engine, recognizer, object)) {
            QVERIFY(d.run(recognizer));
            d.op<zkOpDetach>(ZK_IF_RESOURCES, 1)(d.engine, recognizer, object);
        }
        d.release(object);
        ++tries;
    }
    qInfo("%d damaged copies, %d still loadable", tries, loaded);
    QVERIFY(tries > 0);
    d.release(input);
    d.release(recognizer);
    int live = d.api.liveObjects();
    d.stop();
    QCOMPARE(live, 0);
}

void TestLoaderFuzz::claimedSizeCostsOnlyWhatArrives_data()
{
    QTest::addColumn<quint32>("claimed");
    QTest::addColumn<int>("sent");
    QTest::newRow("largest size, a few bytes") << quint32(256u << 20) << 100;
    QTest::newRow("largest size, nothing") << quint32(256u << 20) << 0;
    QTest::newRow("beyond the largest") << quint32((256u << 20) + 1) << 100;
    QTest::newRow("one byte short") << quint32(200000) << 199999;
}

// A short, hostile file whose header claims a huge payload is refused without the memory
// it claims ever being taken.
void TestLoaderFuzz::claimedSizeCostsOnlyWhatArrives()
{
    QFETCH(quint32, claimed);
    QFETCH(int, sent);
    QVERIFY(d.start());
    QByteArray bytes = QByteArray("ZKEO") + le32(1) + le32(ZK_TYPE_TRAINING_SET) + le32(claimed)
                       + QByteArray(sent, 'x');
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    for (int i = 0; i < 8; ++i) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(d.api.loadObject(d.engine, readDevice, &buffer), zkId(0));
    }
    getrusage(RUSAGE_SELF, &after);
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 16 * 1024,
             qPrintable(QString("peak grew by %1 KiB").arg(after.ru_maxrss - before.ru_maxrss)));
    QCOMPARE(d.api.liveObjects(), 0);
    d.stop();
}

QTEST_GUILESS_MAIN(TestLoaderFuzz)
#include "tst_loaderfuzz.moc"
