// The user's trainer: the same samples give the same trained resource, training says nothing
// on the host's standard output, and a model of other scripts than Latin (Latin samples are
// kept as templates) is trained in the system's temporary folder.
#include "enginedriver.h"
#include "inkfixtures.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdlib>
#include <unistd.h>

class TestTrainer : public QObject
{
    Q_OBJECT

private:
    EngineDriver d;
    QByteArray m_tmpdir;
    bool m_hadTmpdir = false;

    // Trains on a few samples of four letters (Latin or kana labels); the stored trained
    // resource, or empty.
    QByteArray trainedBytes(bool latin = true);
    // The candidates of one boxed character read with the language's Latin model and the
    // trained resource, if any, in a guide box (left, top, side) much larger than the ink.
    QStringList readBoxed(const Ink &ink, const QByteArray &trained,
                          const QList<float> &box = {-10, -10, 60});

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sameSamplesSameModel_data();
    void sameSamplesSameModel();
    void quietOnStandardOutput_data();
    void quietOnStandardOutput();
    void worksInTheTemporaryFolder();
    void userCandidatesAmongTheBase();
};

void TestTrainer::initTestCase()
{
    QVERIFY(d.bind());
    m_hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
    m_tmpdir = qgetenv("TMPDIR");
}

void TestTrainer::init()
{
    QVERIFY(d.start());
}

void TestTrainer::cleanup()
{
    QCOMPARE(d.api.liveObjects(), 0);
    d.stop();
    if (m_hadTmpdir)
        qputenv("TMPDIR", m_tmpdir);
    else
        qunsetenv("TMPDIR");
}

namespace {

// A made-up glyph: no built-in model reads it as the user's "X" (a letter whose small form
// differs only in size).
const Ink hook{polyline({{0, 0}, {30, 0}, {30, 30}, {10, 20}})};

} // namespace

QByteArray TestTrainer::trainedBytes(bool latin)
{
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    zkId set = d.api.createObject(d.engine, ZK_TYPE_TRAINING_SET);
    const QList<QPair<QByteArray, Ink>> letters{
        {latin ? "o" : "の", {arc({20, 20}, 15, 18, 0, 360, 30)}},
        {latin ? "l" : "ノ", {line({20, 0}, {20, 40})}},
        {latin ? "v" : "レ", {polyline({{0, 0}, {15, 40}, {30, 0}})}},
        {latin ? "X" : "ク", hook},
    };
    for (int i = 0; i < 8; ++i)
        for (const auto &letter : letters) {
            d.startUnit(input, ZK_UNIT_BOXED);
            for (const Stroke &s : moved(letter.second, {i * 1.5, i * -1.0}, 1 + i * 0.07))
                d.addStroke(input, s);
            zkText label{letter.first.constData(), uint32_t(letter.first.size())};
            d.op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1)(d.engine, set, input, 0, &label);
            d.op<zkOpClear>(ZK_IF_INPUT, 0)(d.engine, input, 0);
        }
    zkId trainer = d.api.createObject(d.engine, ZK_TYPE_TRAINER);
    d.attach(trainer, set);
    QByteArray bytes;
    if (d.run(trainer)) {
        zkId trained = d.op<zkOpObject>(ZK_IF_TRAINED, 0)(d.engine, trainer);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        d.api.storeObject(d.engine, trained, writeDevice, &buffer, 0);
        d.release(trained);
    }
    d.detachAll(trainer);
    for (zkId o : {trainer, set, input})
        d.release(o);
    return bytes;
}

void TestTrainer::sameSamplesSameModel_data()
{
    QTest::addColumn<bool>("latin");
    QTest::newRow("Latin templates") << true;
    QTest::newRow("kana model") << false;
}

void TestTrainer::sameSamplesSameModel()
{
    QFETCH(bool, latin);
    std::srand(1);
    const QByteArray first = trainedBytes(latin);
    QVERIFY(!first.isEmpty());
    for (unsigned seed : {7u, 991u}) {
        std::srand(seed);
        for (int i = 0; i < int(seed % 13); ++i)
            std::rand();
        QCOMPARE(trainedBytes(latin), first);
    }
}

void TestTrainer::quietOnStandardOutput_data()
{
    sameSamplesSameModel_data();
}

void TestTrainer::quietOnStandardOutput()
{
    QFETCH(bool, latin);
    QTemporaryFile captured;
    QVERIFY(captured.open());
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(captured.handle(), STDOUT_FILENO);
    const bool trained = !trainedBytes(latin).isEmpty();
    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    QVERIFY(trained);
    captured.seek(0);
    QCOMPARE(captured.readAll(), QByteArray());
}

void TestTrainer::worksInTheTemporaryFolder()
{
    QTemporaryDir folder;
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    QVERIFY(!trainedBytes(false).isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    qputenv("TMPDIR", QFile::encodeName(folder.filePath("missing")));
    QVERIFY(trainedBytes(false).isEmpty()); // no usable temporary folder: no model, no stray file
    QVERIFY(!trainedBytes(true).isEmpty()); // templates need no file
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QStringList TestTrainer::readBoxed(const Ink &ink, const QByteArray &trained,
                                   const QList<float> &box)
{
    zkId recognizer = d.api.createObject(d.engine, ZK_TYPE_RECOGNIZER);
    int32_t limits[] = {5, 5, 1};
    d.api.setProperty(d.engine, recognizer, ZK_PROP_LIMIT_CHARACTERS, &limits[0], 4);
    d.api.setProperty(d.engine, recognizer, ZK_PROP_LIMIT_WORDS, &limits[1], 4);
    d.api.setProperty(d.engine, recognizer, ZK_PROP_LIMIT_TEXT, &limits[2], 4);
    d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-iso.res"));
    if (!trained.isEmpty()) {
        QBuffer buffer;
        buffer.setData(trained);
        buffer.open(QIODevice::ReadOnly);
        d.attach(recognizer, d.api.loadObject(d.engine, readDevice, &buffer));
    }
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    d.startUnit(input, ZK_UNIT_BOXED);
    d.op<zkOpGuideBox>(ZK_IF_INPUT, 6)(d.engine, input, box[0], box[1], box[2], box[2]);
    for (const Stroke &s : ink)
        d.addStroke(input, s);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QStringList candidates;
    if (d.run(recognizer))
        candidates = EngineDriver::words(d.result(recognizer)).value(0).split('\t');
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
    return candidates;
}

void TestTrainer::userCandidatesAmongTheBase()
{
    const QByteArray trained = trainedBytes();
    QVERIFY(!trained.isEmpty());
    // The user's own letter comes first where the user's samples clearly match; its case
    // follows the ink's size in the box, and stays the user's where the box only wraps the
    // ink and tells no size.
    const Ink x = moved(hook, {4, 3}, 1.1);
    QVERIFY(!readBoxed(x, QByteArray()).value(0).contains('X', Qt::CaseInsensitive));
    QCOMPARE(readBoxed(x, trained).value(0), QString("x"));
    QCOMPARE(readBoxed(x, trained, {4, 3, 33}).value(0), QString("X"));
    // Letters unlike the user's (E, H, B): the user's few unsure guesses leave the base's
    // best candidates in the list.
    const QList<Ink> untrained{
        {polyline({{30, 0}, {0, 0}, {0, 40}, {30, 40}}), line({0, 20}, {25, 20})},
        {line({0, 0}, {0, 40}), line({30, 0}, {30, 40}), line({0, 20}, {30, 20})},
        {arc({15, 10}, 12, 10, 180, 450, 20), arc({15, 30}, 14, 10, -90, 180, 20)},
    };
    for (const Ink &ink : untrained) {
        const QStringList base = readBoxed(ink, QByteArray()), merged = readBoxed(ink, trained);
        QVERIFY(!base.isEmpty());
        for (int i = 0; i < 3 && i < base.size(); ++i)
            QVERIFY2(merged.contains(base.at(i)), qPrintable(base.join(' ') + " / " + merged.join(' ')));
    }
}

QTEST_GUILESS_MAIN(TestTrainer)
#include "tst_trainer.moc"
