// The user's trainer: the same samples give the same model, training says nothing on the
// host's standard output and works in the system's temporary folder.
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

    // Trains on a few samples of two letters; the stored trained resource, or empty.
    QByteArray trainedBytes();

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sameSamplesSameModel();
    void quietOnStandardOutput();
    void worksInTheTemporaryFolder();
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

QByteArray TestTrainer::trainedBytes()
{
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    zkId set = d.api.createObject(d.engine, ZK_TYPE_TRAINING_SET);
    const QList<QPair<QByteArray, Ink>> letters{
        {"o", {arc({20, 20}, 15, 18, 0, 360, 30)}},
        {"l", {line({20, 0}, {20, 40})}},
        {"v", {polyline({{0, 0}, {15, 40}, {30, 0}})}},
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

void TestTrainer::sameSamplesSameModel()
{
    std::srand(1);
    const QByteArray first = trainedBytes();
    QVERIFY(!first.isEmpty());
    for (unsigned seed : {7u, 991u}) {
        std::srand(seed);
        for (int i = 0; i < int(seed % 13); ++i)
            std::rand();
        QCOMPARE(trainedBytes(), first);
    }
}

void TestTrainer::quietOnStandardOutput()
{
    QTemporaryFile captured;
    QVERIFY(captured.open());
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(captured.handle(), STDOUT_FILENO);
    const bool trained = !trainedBytes().isEmpty();
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
    QVERIFY(!trainedBytes().isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    qputenv("TMPDIR", QFile::encodeName(folder.filePath("missing")));
    QVERIFY(trainedBytes().isEmpty()); // no usable temporary folder: no model, no stray file
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestTrainer)
#include "tst_trainer.moc"
