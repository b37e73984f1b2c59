// The engine's C contract, driven the way the program drives it.
#include "enginedriver.h"
#include "inkfixtures.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <thread>
#include <limits>

namespace {

const QString charsetPath = QString(SCRIVEL_BIN_DIR) + "/../resources/packed/charsets/UTF-8.charset";

bool stopAtOnce(int32_t, int32_t, void *)
{
    return false;
}

bool countCalls(int32_t value, int32_t bound, void *context)
{
    auto *calls = static_cast<QList<QPair<int, int>> *>(context);
    calls->append({value, bound});
    return true;
}

} // namespace

class TestContract : public QObject
{
    Q_OBJECT

private:
    EngineDriver d;
    zkId createRecognizer(uint32_t type, int charLimit, int wordLimit, int textLimit);
    void writeBox(zkId input, double x, double size);

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bindsAllEntryPoints();
    void refusesOtherVersion();
    void startLoadsCharsetAndStops();
    void instantHandlerLoadsResources_data();
    void instantHandlerLoadsResources();
    void lexiconNeedsFinishAndWords();
    void referencesFollowAcquireAndRelease();
    void freeWritingGivesTextWordCharacterTree();
    void boxedUnitsAndTypedStrings();
    void knownCharactersKeepTheirLabels();
    void candidateLimits_data();
    void candidateLimits();
    void calculatorWalk();
    void trainingRoundTrip();
    void progressCallbackStopsRun();
    void progressCallbackSeesTheRun();
    void emptyInputHasNoCandidates();
    void recognizersRunInParallel();
    void badCalls_data();
    void badCalls();
    void badInk_data();
    void badInk();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
};

void TestContract::initTestCase()
{
    QVERIFY2(d.bind(), qPrintable(d.library.errorString()));
}

void TestContract::init()
{
    QVERIFY(d.start());
}

void TestContract::cleanup()
{
    int live = d.api.liveObjects();
    d.stop();
    QCOMPARE(live, 0);
}

zkId TestContract::createRecognizer(uint32_t type, int charLimit, int wordLimit, int textLimit)
{
    zkId r = d.api.createObject(d.engine, type);
    uint8_t speed = 3;
    d.api.setProperty(d.engine, r, ZK_PROP_SPEED_QUALITY, &speed, 1);
    d.api.setProperty(d.engine, r, ZK_PROP_LIMIT_CHARACTERS, &charLimit, 4);
    d.api.setProperty(d.engine, r, ZK_PROP_LIMIT_WORDS, &wordLimit, 4);
    d.api.setProperty(d.engine, r, ZK_PROP_LIMIT_TEXT, &textLimit, 4);
    return r;
}

void TestContract::writeBox(zkId input, double x, double size)
{
    d.addStroke(input, line({x, 0}, {x + size, size}));
}

void TestContract::bindsAllEntryPoints()
{
    QCOMPARE(EngineDriver::entryPointNames().size(), 20);
    QVERIFY(d.api.isCompatible(d.engine, ZK_ENGINE_VERSION));
}

void TestContract::refusesOtherVersion()
{
    QCOMPARE(d.api.createEngine(0x04050000, nullptr, 0), zkId(0));
    QCOMPARE(d.api.getInterface(d.engine + 1000, ZK_IF_INPUT), nullptr);
}

void TestContract::startLoadsCharsetAndStops()
{
    zkId charset = d.load(charsetPath);
    QVERIFY(charset);
    QCOMPARE(d.api.getType(d.engine, charset), ZK_TYPE_CHARSET);
    QCOMPARE(d.api.setTypeProperty(d.engine, 0, ZK_TYPE_PROPERTY_CHARSET, &charset, 4), 4);
    d.release(charset);
    // The engine keeps the set; destroying the engine frees it.
    QCOMPARE(d.api.liveObjects(), 1);
    zkId none = 0;
    QCOMPARE(d.api.setTypeProperty(d.engine, 0, ZK_TYPE_PROPERTY_CHARSET, &none, 4), 4);
}

void TestContract::instantHandlerLoadsResources_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("en_US") << "1en_US.rcc"
                           << QStringList{"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"};
    QTest::newRow("ja_JP") << "1ja_JP.rcc" << QStringList{"ja_JP/ja_JP-ak-iso.res"};
    QTest::newRow("gestures") << "1gestures.rcc" << QStringList{"gestures/ak-cur.res"};
    QTest::newRow("calculator") << "1calculator.rcc"
                                << QStringList{"shared/Calculator-ak-hpr.res",
                                               "shared/Calculator-sk-im_calc.res"};
}

void TestContract::instantHandlerLoadsResources()
{
    QFETCH(QString, package);
    QFETCH(QStringList, files);
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(recognizer && input);
    uint32_t expected = 0;
    for (const QString &file : files) {
        zkId resource = d.loadPackaged(package, file);
        QVERIFY2(resource, qPrintable(file));
        QVERIFY(d.attach(recognizer, resource));
        ++expected;
        if (file.contains("-ak")) {
            zkId knowledge = d.api.createObject(d.engine, ZK_TYPE_KNOWLEDGE);
            QVERIFY(d.op<zkOpPrepare>(ZK_IF_KNOWLEDGE, 1)(d.engine, knowledge));
            for (const char *entry : {"\xF3\xB0\x80\x80", "\xF3\xB0\x80\x81"}) {
                zkText t{entry, 4};
                QVERIFY(d.op<zkOpAddText>(ZK_IF_KNOWLEDGE, 4)(d.engine, knowledge, 0, &t));
            }
            QVERIFY(d.attach(recognizer, knowledge));
            ++expected;
        }
    }
    zkId lexicon = d.api.createObject(d.engine, ZK_TYPE_LEXICON);
    QVERIFY(d.op<zkOpFinish>(ZK_IF_LEXICON_FINISH, 1)(d.engine, lexicon, 0, 0));
    QVERIFY(d.attach(recognizer, lexicon));
    ++expected;
    QCOMPARE(d.op<zkOpCount>(ZK_IF_RESOURCES, 2)(d.engine, recognizer), expected);
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::lexiconNeedsFinishAndWords()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId lexicon = d.api.createObject(d.engine, ZK_TYPE_LEXICON);
    auto addWord = d.op<zkOpAddText>(ZK_IF_LEXICON, 0);
    zkText empty{"", 0}, word{"scrivel", 7};
    QVERIFY(!addWord(d.engine, lexicon, 0, &empty));
    QVERIFY(!addWord(d.engine, lexicon, 0, nullptr));
    QVERIFY(addWord(d.engine, lexicon, 0, &word));
    QVERIFY(!d.op<zkOpAttach>(ZK_IF_RESOURCES, 0)(d.engine, recognizer, lexicon));
    QVERIFY(d.op<zkOpFinish>(ZK_IF_LEXICON_FINISH, 1)(d.engine, lexicon, 0, 0));
    QVERIFY(!addWord(d.engine, lexicon, 0, &word));
    QVERIFY(d.attach(recognizer, lexicon));
    d.detachAll(recognizer);
    d.release(recognizer);
}

void TestContract::referencesFollowAcquireAndRelease()
{
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QCOMPARE(d.api.acquireObject(d.engine, input), input);
    d.release(input);
    QCOMPARE(d.api.getType(d.engine, input), ZK_TYPE_INK_INPUT);
    d.release(input);
    QCOMPARE(d.api.getType(d.engine, input), 0u);
    d.release(input); // a stale id is ignored
    QCOMPARE(d.api.acquireObject(d.engine, input), zkId(0));

    // A resource handed out by 152/3 is a new reference to the attached object.
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId lexicon = d.api.createObject(d.engine, ZK_TYPE_LEXICON);
    d.op<zkOpFinish>(ZK_IF_LEXICON_FINISH, 1)(d.engine, lexicon, 0, 0);
    QVERIFY(d.attach(recognizer, lexicon));
    zkId got = d.op<zkOpGet>(ZK_IF_RESOURCES, 3)(d.engine, recognizer, 0);
    QCOMPARE(d.api.getType(d.engine, got), ZK_TYPE_LEXICON);
    QCOMPARE(d.op<zkOpGet>(ZK_IF_RESOURCES, 3)(d.engine, recognizer, 1), zkId(0));
    QVERIFY(d.api.isSame(d.engine, got, got));
    QVERIFY(!d.api.isSame(d.engine, got, recognizer));
    d.release(got);
    d.detachAll(recognizer);
    d.release(recognizer);
}

void TestContract::freeWritingGivesTextWordCharacterTree()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-cur.res")));
    d.op<zkOpClear>(ZK_IF_INPUT, 0)(d.engine, input, 0);
    d.startUnit(input, ZK_UNIT_FREE);
    // Two short words on line one, one on line two.
    d.addStroke(input, line({0, 0}, {0, 40}));
    d.addStroke(input, line({12, 0}, {12, 40}));
    d.addStroke(input, line({120, 0}, {120, 40}));
    d.addStroke(input, line({0, 100}, {0, 140}));
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));

    QList<Node> text = d.result(recognizer);
    QCOMPARE(text.size(), 1);
    const QList<QList<Node>> &words = text.first().children;
    QStringList firstChoices;
    for (const QList<Node> &w : words)
        firstChoices << w.value(w.first().selected).label;
    QCOMPARE(firstChoices.size(), 5);
    QCOMPARE(firstChoices[1], QString(" "));
    QCOMPARE(firstChoices[3], QString("\n"));
    QVERIFY(words[1].first().ink.isEmpty());
    // Characters of word one map back to strokes 0 and 1 of unit 0.
    const Node &word = words[0].first();
    QCOMPARE(word.children.size(), 2);
    for (int c = 0; c < 2; ++c) {
        const Node &character = word.children[c].first();
        QCOMPARE(character.ink.size(), 1);
        QCOMPARE(character.ink[0].firstUnit, int16_t(0));
        QCOMPARE(character.ink[0].firstComponent, int16_t(c));
        QCOMPARE(character.ink[0].lastPoint, int16_t(11));
        QVERIFY(character.score > 0 && character.score <= 1);
    }
    QCOMPARE(words[4].first().children.first().first().ink[0].firstComponent, int16_t(3));
    zkLineMetrics metrics[4];
    QCOMPARE(d.api.lineMetrics(d.engine, recognizer, metrics, 4), 2);
    QVERIFY(std::fabs(metrics[0].intercept - 40) < 1);
    QVERIFY(metrics[1].intercept > metrics[0].intercept);

    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::boxedUnitsAndTypedStrings()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-iso.res")));
    d.startUnit(input, ZK_UNIT_BOXED);
    d.addString(input, "x");
    d.startUnit(input, ZK_UNIT_BOXED);
    d.op<zkOpGuideBox>(ZK_IF_INPUT, 6)(d.engine, input, 100, 0, 50, 50);
    writeBox(input, 110, 30);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    QList<Node> text = d.result(recognizer);
    QCOMPARE(text.size(), 1);
    const QList<QList<Node>> &words = text.first().children;
    QCOMPARE(words.size(), 2); // one word per unit, no spaces between boxes
    QCOMPARE(words[0].first().label, QString("x"));
    QCOMPARE(words[0].first().ink[0].firstUnit, int16_t(0));
    QCOMPARE(words[1].first().ink[0].firstUnit, int16_t(1));
    QCOMPARE(words[1].first().ink[0].firstComponent, int16_t(0));
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::knownCharactersKeepTheirLabels()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-cur.res")));
    zkId character = d.api.createObject(d.engine, ZK_TYPE_CHARACTER);
    zkText label{"8", 1};
    d.op<zkOpAddCandidate>(ZK_IF_CHARACTER, 1)(d.engine, character, 0, &label, 1.0f);
    d.startUnit(input, ZK_UNIT_FREE);
    d.op<zkOpAddCharacter>(ZK_IF_INPUT, 15)(d.engine, input, character, 0, 0, 30, 40);
    d.release(character);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    QList<Node> text = d.result(recognizer);
    QCOMPARE(EngineDriver::words(text).value(0).section('\t', 0, 0), QString("8"));
    QCOMPARE(text.first().children[0].first().ink[0].lastPoint, int16_t(1));
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::candidateLimits_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("texts");
    QTest::newRow("defaults") << 5 << 5 << 1;
    QTest::newRow("gesture preset") << 1 << 1 << 1;
    QTest::newRow("wide") << 3 << 4 << 2;
}

void TestContract::candidateLimits()
{
    QFETCH(int, characters);
    QFETCH(int, words);
    QFETCH(int, texts);
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, characters, words, texts);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-cur.res")));
    d.startUnit(input, ZK_UNIT_FREE);
    for (int i = 0; i < 3; ++i)
        d.addStroke(input, arc({30.0 * i, 20}, 10, 20, 0, 300));
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    QList<Node> text = d.result(recognizer);
    QVERIFY(text.size() >= 1 && text.size() <= texts);
    for (const QList<Node> &word : text.first().children) {
        QVERIFY(word.size() >= 1 && word.size() <= words);
        for (const Node &w : word)
            for (const QList<Node> &ch : w.children) {
                QVERIFY(ch.size() >= 1);
                // The word's letter is always among its character's candidates.
                QVERIFY(ch.first().selected < ch.size());
            }
    }
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::calculatorWalk()
{
    zkId recognizer = d.api.createObject(d.engine, ZK_TYPE_CALC_RECOGNIZER);
    int32_t limit = 5;
    QCOMPARE(d.api.setProperty(d.engine, recognizer, ZK_PROP_LIMIT_CHARACTERS, &limit, 4), 4);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_CALC_INK_INPUT);
    for (const QString &file : {QString("shared/Calculator-ak-hpr.res"), QString("shared/Calculator-sk-im_calc.res")})
        QVERIFY(d.attach(recognizer, d.loadPackaged("1calculator.rcc", file)));
    d.op<zkOpClear>(ZK_IF_CALC_INPUT, 0)(d.engine, input, 0);
    d.op<zkOpClear>(ZK_IF_CALC_RESET, 0)(d.engine, input, 1);
    Ink plus{line({0, 20}, {40, 20}), line({20, 0}, {20, 40})};
    for (const Stroke &s : plus) {
        QVector<float> x, y;
        for (const QPointF &p : s) {
            x << float(p.x());
            y << float(p.y());
        }
        d.op<zkOpAddStroke>(ZK_IF_CALC_INPUT, 9)(d.engine, input, x.data(), 4, y.data(), 4, x.size());
    }
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QList<QPair<int, int>> calls;
    QVERIFY(d.run(recognizer, countCalls, &calls));

    auto atEnd = d.op<zkOpAtEnd>(ZK_IF_ITERATOR, 0);
    auto next = d.op<zkOpNext>(ZK_IF_ITERATOR, 1);
    zkId r = d.op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(d.engine, recognizer);
    zkId a = d.op<zkOpObject>(ZK_IF_RESULT, 1)(d.engine, r);
    zkId b = d.op<zkOpObject>(ZK_IF_CANDIDATES, 4)(d.engine, a);
    zkId c = d.op<zkOpObject>(ZK_IF_SEGMENTS, 5)(d.engine, b);
    zkId dd = d.op<zkOpObject>(ZK_IF_CANDIDATES, 4)(d.engine, c);
    float unitValue = d.op<zkOpScore>(ZK_IF_SEGMENTS, 4)(d.engine, dd);
    zkId e = d.op<zkOpObject>(ZK_IF_SEGMENTS, 5)(d.engine, dd);
    QVERIFY(r && a && b && c && dd && e);
    QVERIFY(!atEnd(d.engine, e));
    QCOMPARE(d.label(e), QString("+"));
    float p = d.op<zkOpScore>(ZK_IF_CANDIDATES, 3)(d.engine, e);
    QVERIFY(std::sqrt(p * unitValue) > 0 && std::sqrt(p * unitValue) <= 1);
    next(d.engine, b);
    QVERIFY(atEnd(d.engine, b)); // exactly one unit
    next(d.engine, dd);
    QVERIFY(atEnd(d.engine, dd));
    for (zkId o : {r, a, b, c, dd, e})
        d.release(o);
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::trainingRoundTrip()
{
    QTemporaryDir dir;
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    zkId trainer = d.api.createObject(d.engine, ZK_TYPE_TRAINER);
    zkId set = d.api.createObject(d.engine, ZK_TYPE_TRAINING_SET);
    auto addSample = d.op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1);
    // A made-up glyph, trained under two labels with different shapes.
    const Ink spiral{arc({0, 0}, 20, 20, 0, 600, 40)};
    const Ink hook{polyline({{0, 0}, {30, 0}, {30, 30}, {10, 20}})};
    for (int i = 0; i < 6; ++i) {
        for (const auto &sample : {qMakePair(QByteArray("@"), spiral), qMakePair(QByteArray("q"), hook)}) {
            d.startUnit(input, ZK_UNIT_BOXED);
            d.op<zkOpGuideBox>(ZK_IF_INPUT, 6)(d.engine, input, 0, 60, 60, 60);
            for (const Stroke &s : moved(sample.second, {i * 2.0, i * 1.5}, 1 + i * 0.05))
                d.addStroke(input, s);
            zkText label{sample.first.constData(), uint32_t(sample.first.size())};
            QVERIFY(addSample(d.engine, set, input, 0, &label));
            d.op<zkOpClear>(ZK_IF_INPUT, 0)(d.engine, input, 0);
        }
    }
    zkText none{"", 0};
    QVERIFY(!addSample(d.engine, set, input, 0, &none)); // no ink, no label
    QVERIFY(d.op<zkOpRemoveSample>(ZK_IF_TRAINING_SET, 2)(d.engine, set, 11));
    QVERIFY(!d.op<zkOpRemoveSample>(ZK_IF_TRAINING_SET, 2)(d.engine, set, 11));
    QVERIFY(!d.op<zkOpRemoveSample>(ZK_IF_TRAINING_SET, 2)(d.engine, set, -1));

    // Suspend and resume the session through a file.
    QString setPath = dir.filePath("en_US-i.trainset");
    QVERIFY(d.store(setPath, set));
    d.release(set);
    set = d.load(setPath);
    QCOMPARE(d.op<zkOpSampleCount>(ZK_IF_TRAINING_SET, 0)(d.engine, set), 11);
    zkBuffer b{nullptr, 0};
    QCOMPARE(d.op<zkOpSampleLabel>(ZK_IF_TRAINING_SET, 4)(d.engine, set, 1, 0, &b), 1);
    char label[2] = {};
    b = {label, 2};
    d.op<zkOpSampleLabel>(ZK_IF_TRAINING_SET, 4)(d.engine, set, 1, 0, &b);
    QCOMPARE(QByteArray(label), QByteArray("q"));
    zkId ink = d.op<zkOpSampleInk>(ZK_IF_TRAINING_SET, 3)(d.engine, set, 1);
    QCOMPARE(d.op<zkOpInkStrokes>(ZK_IF_INK, 1)(d.engine, ink), 1);
    int points = d.op<zkOpInkPoints>(ZK_IF_INK, 2)(d.engine, ink, 0);
    QCOMPARE(points, hook.first().size());
    QVector<float> xs(points), ys(points);
    QCOMPARE(d.op<zkOpInkCoordinates>(ZK_IF_INK, 3)(d.engine, ink, 0, xs.data(), points), points);
    QCOMPARE(d.op<zkOpInkCoordinates>(ZK_IF_INK, 4)(d.engine, ink, 0, ys.data(), points), points);
    QCOMPARE(QPointF(xs[points - 1], ys[points - 1]), QPointF(10, 20));
    QCOMPARE(d.op<zkOpInkPoints>(ZK_IF_INK, 2)(d.engine, ink, 1), 0);
    d.release(ink);

    // Train, store the trained resource, and recognise with it.
    QVERIFY(d.attach(trainer, set));
    QList<QPair<int, int>> calls;
    QVERIFY(d.run(trainer, countCalls, &calls));
    QVERIFY(!calls.isEmpty());
    QCOMPARE(calls.last().first, calls.last().second);
    zkId trained = d.op<zkOpObject>(ZK_IF_TRAINED, 0)(d.engine, trainer);
    QVERIFY(trained);
    QString resPath = dir.filePath("en_US-ak-iso.res");
    QVERIFY(d.store(resPath, trained));
    d.release(trained);
    d.detachAll(trainer);
    d.release(trainer);

    QVERIFY(d.attach(recognizer, d.load(resPath)));
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-iso.res")));
    d.startUnit(input, ZK_UNIT_BOXED);
    for (const Stroke &s : moved(spiral, {5, 5}, 1.1))
        d.addStroke(input, s);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    QCOMPARE(EngineDriver::words(d.result(recognizer)).value(0).section('\t', 0, 0), QString("@"));
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::progressCallbackStopsRun()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    d.startUnit(input, ZK_UNIT_FREE);
    d.addStroke(input, line({0, 0}, {0, 40}));
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(!d.run(recognizer, stopAtOnce, nullptr));
    QCOMPARE(d.op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(d.engine, recognizer), zkId(0));
    // A trainer stopped before training keeps no resource.
    zkId trainer = d.api.createObject(d.engine, ZK_TYPE_TRAINER);
    zkId set = d.api.createObject(d.engine, ZK_TYPE_TRAINING_SET);
    zkText label{"l", 1};
    QVERIFY(d.op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1)(d.engine, set, input, 0, &label));
    QVERIFY(d.attach(trainer, set));
    QVERIFY(!d.run(trainer, stopAtOnce, nullptr));
    QCOMPARE(d.op<zkOpObject>(ZK_IF_TRAINED, 0)(d.engine, trainer), zkId(0));
    d.detachAll(trainer);
    d.release(trainer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::progressCallbackSeesTheRun()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(!d.run(recognizer)); // nothing bound
    for (int u = 0; u < 3; ++u) {
        d.startUnit(input, ZK_UNIT_BOXED);
        writeBox(input, 50 * u, 30);
    }
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QList<QPair<int, int>> calls;
    QVERIFY(d.run(recognizer, countCalls, &calls));
    QCOMPARE(calls.first(), qMakePair(0, 3));
    QCOMPARE(calls.last(), qMakePair(3, 3));
    d.release(input);
    d.release(recognizer);
}

void TestContract::emptyInputHasNoCandidates()
{
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    zkId r = d.op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(d.engine, recognizer);
    zkId c = d.op<zkOpObject>(ZK_IF_RESULT, 1)(d.engine, r);
    QVERIFY(d.op<zkOpAtEnd>(ZK_IF_CANDIDATES, 0)(d.engine, c));
    QCOMPARE(d.label(c), QString());
    QCOMPARE(d.op<zkOpObject>(ZK_IF_CANDIDATES, 4)(d.engine, c), zkId(0));
    d.release(c);
    d.release(r);
    d.release(input);
    d.release(recognizer);
}

void TestContract::recognizersRunInParallel()
{
    QFile file(QString(SCRIVEL_BIN_DIR) + "/../resources/packed/shared/Calculator-ak-hpr.res");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray model = file.readAll();
    QAtomicInt right = 0;
    auto work = [&] {
        zkId recognizer = d.api.createObject(d.engine, ZK_TYPE_CALC_RECOGNIZER);
        zkId input = d.api.createObject(d.engine, ZK_TYPE_CALC_INK_INPUT);
        zkId resource = d.api.makeObject(d.engine, model.constData(), uint32_t(model.size()));
        d.attach(recognizer, resource);
        d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
        for (int i = 0; i < 40; ++i) {
            d.op<zkOpClear>(ZK_IF_CALC_RESET, 0)(d.engine, input, 1);
            d.addStroke(input, line({0, 20}, {40, 20}));
            d.addStroke(input, line({20, 0}, {20, 40}));
            d.run(recognizer);
            QList<Node> text = d.result(recognizer);
            if (EngineDriver::words(text).value(0).section('\t', 0, 0) == "+")
                right.fetchAndAddRelaxed(1);
        }
        d.detachAll(recognizer);
        d.release(input);
        d.release(recognizer);
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(work);
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(right.loadRelaxed(), 4 * 40);
}

void TestContract::badCalls_data()
{
    QTest::addColumn<int>("call");
    QTest::newRow("unknown interface") << 0;
    QTest::newRow("undefined operation slot") << 1;
    QTest::newRow("unknown object") << 2;
    QTest::newRow("object of another type") << 3;
    QTest::newRow("unknown type") << 4;
    QTest::newRow("released input") << 5;
    QTest::newRow("null records") << 6;
}

void TestContract::badCalls()
{
    QFETCH(int, call);
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    switch (call) {
    case 0:
        QCOMPARE(d.api.getInterface(d.engine, 9999), nullptr);
        QVERIFY(!d.api.implements(d.engine, input, 9999));
        break;
    case 1:
        QCOMPARE(d.op<zkOpRun>(ZK_IF_INPUT, 7)(d.engine, input, nullptr, nullptr), 0);
        QCOMPARE(d.op<zkOpAtEnd>(ZK_IF_RESOURCES, 15)(d.engine, recognizer), 0);
        break;
    case 2:
        QVERIFY(!d.run(4242));
        QCOMPARE(d.op<zkOpCount>(ZK_IF_RESOURCES, 2)(d.engine, 4242), 0u);
        QVERIFY(d.op<zkOpAtEnd>(ZK_IF_CANDIDATES, 0)(d.engine, 4242));
        QCOMPARE(d.api.getType(d.engine, 4242), 0u);
        break;
    case 3:
        QVERIFY(!d.attach(recognizer, d.api.acquireObject(d.engine, recognizer)));
        QVERIFY(!d.attach(recognizer, d.api.acquireObject(d.engine, input)));
        QCOMPARE(d.op<zkOpAddSample>(ZK_IF_TRAINING_SET, 1)(d.engine, input, input, 0, nullptr), 0);
        QCOMPARE(d.api.setProperty(d.engine, input, ZK_PROP_LIMIT_WORDS, &call, 4), 0);
        QVERIFY(!d.api.implements(d.engine, input, ZK_IF_RUN));
        QVERIFY(d.api.implements(d.engine, recognizer, ZK_IF_RUN));
        break;
    case 4:
        QCOMPARE(d.api.createObject(d.engine, 12345), zkId(0));
        QCOMPARE(d.api.createObject(d.engine, ZK_TYPE_RESULT), zkId(0));
        QCOMPARE(d.api.createObject(d.engine + 77, ZK_TYPE_INK_INPUT), zkId(0));
        break;
    case 5:
        d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
        d.release(input);
        d.addStroke(input, line({0, 0}, {10, 10}));
        QVERIFY(d.run(recognizer)); // the recognizer keeps its input alive
        input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
        break;
    case 6:
        d.op<zkOpInkRanges>(ZK_IF_SEGMENTS, 2)(d.engine, 4242, nullptr);
        d.op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(d.engine, 4242, 0, nullptr);
        d.op<zkOpAddString>(ZK_IF_INPUT, 4)(d.engine, input, 0, nullptr);
        d.op<zkOpAddStroke>(ZK_IF_INPUT, 13)(d.engine, input, nullptr, 4, nullptr, 4, 5);
        QCOMPARE(d.api.storeObject(d.engine, input, writeDevice, nullptr, 0), 0);
        break;
    }
    d.release(input);
    d.release(recognizer);
}

void TestContract::badInk_data()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<Stroke>("stroke");
    QTest::addColumn<int>("words");
    QTest::newRow("zero points") << Stroke{} << 0;
    QTest::newRow("one point") << Stroke{{5, 5}} << 1;
    QTest::newRow("NaN") << Stroke{{nan, 0}, {0, nan}} << 0;
    QTest::newRow("infinite among good") << (line({0, 0}, {0, 30}) << QPointF(inf, 3)) << 1;
    QTest::newRow("huge") << line({-3e38, -3e38}, {3e38, 3e38}) << 0;
    QTest::newRow("large but usable") << line({0, 0}, {1e6, 1e6}) << 1;
    Stroke longStroke;
    for (int i = 0; i < 10000; ++i)
        longStroke << QPointF(i % 100, i / 100);
    QTest::newRow("10 000 points") << longStroke << 1;
}

void TestContract::badInk()
{
    QFETCH(Stroke, stroke);
    QFETCH(int, words);
    zkId recognizer = createRecognizer(ZK_TYPE_RECOGNIZER, 5, 5, 1);
    zkId input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    QVERIFY(d.attach(recognizer, d.loadPackaged("1en_US.rcc", "en_US/en_US-ak-cur.res")));
    QVERIFY(d.attach(recognizer, d.loadPackaged("1gestures.rcc", "gestures/ak-cur.res")));
    d.op<zkOpGuideBox>(ZK_IF_INPUT, 6)(d.engine, input, std::nanf(""), 0, -5, 1e30f);
    d.startUnit(input, ZK_UNIT_FREE);
    d.addStroke(input, stroke);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
    QVERIFY(d.run(recognizer));
    QList<Node> text = d.result(recognizer);
    QCOMPARE(EngineDriver::words(text).size(), words);
    if (words)
        QCOMPARE(text.first().children[0].first().ink[0].lastPoint, int16_t(stroke.size() - 1));
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
}

void TestContract::refusesDamagedFiles_data()
{
    QFile file(charsetPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x40);
    QByteArray otherVersion = good;
    otherVersion[4] = 9;
    QByteArray oversized = good;
    oversized[15] = char(0x7F);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::newRow("intact") << good << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("truncated header") << good.left(10) << false;
    QTest::newRow("truncated payload") << good.left(good.size() - 6) << false;
    QTest::newRow("bit flipped") << flipped << false;
    QTest::newRow("other format version") << otherVersion << false;
    QTest::newRow("absurd size") << oversized << false;
    QTest::newRow("foreign file") << QByteArray("<?xml version=\"1.0\"?><x/>") << false;
}

void TestContract::refusesDamagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    zkId object = d.api.loadObject(d.engine, readDevice, &buffer);
    QCOMPARE(object != 0, loads);
    QCOMPARE(d.api.getError(d.engine) == 0, loads);
    d.release(object);
    zkId made = d.api.makeObject(d.engine, bytes.constData(), uint32_t(bytes.size()));
    QCOMPARE(made != 0, loads);
    d.release(made);
}

QTEST_GUILESS_MAIN(TestContract)
#include "tst_contract.moc"
