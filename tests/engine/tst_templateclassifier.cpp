// The user's samples as templates: a new sample of a trained letter reads as that letter with
// confidence, ink unlike every sample stays unsure, and the stored form loads back or is
// refused, inside a user resource whose earlier form (a model only) still loads.
#include "engine/bytewriter.h"
#include "engine/resourceobject.h"
#include "engine/templateclassifier.h"
#include "inkfixtures.h"

#include <QtTest>

#include <cmath>
#include <limits>

using zk::TemplateClassifier;

namespace {

zk::InkStrokes strokesOf(const Ink &ink)
{
    zk::InkStrokes out;
    for (const Stroke &s : ink) {
        zk::InkStroke t;
        for (const QPointF &p : s)
            t.push_back({float(p.x()), float(p.y())});
        out.push_back(t);
    }
    return out;
}

// A writer's letter as written the n-th time: moved, scaled and with a little wobble.
zk::InkStrokes written(const Ink &letter, int n)
{
    Ink ink = moved(letter, {n * 3.0, n * -2.0}, 1 + 0.08 * (n % 4));
    for (Stroke &s : ink)
        for (int i = 0; i < s.size(); ++i)
            s[i] += QPointF(0.6 * std::sin(i * 0.9 + n), 0.6 * std::cos(i * 1.3 + n));
    return strokesOf(ink);
}

const QList<QPair<QByteArray, Ink>> &alphabet()
{
    static const QList<QPair<QByteArray, Ink>> letters{
        {"o", {arc({20, 20}, 15, 18, -90, 270, 30)}},
        {"c", {arc({20, 20}, 15, 18, -40, -320, 24)}},
        {"l", {line({20, 0}, {20, 40})}},
        {"v", {polyline({{0, 0}, {15, 40}, {30, 0}})}},
        {"z", {polyline({{0, 0}, {30, 0}, {0, 40}, {30, 40}})}},
        {"x", {line({0, 0}, {30, 40}), line({30, 0}, {0, 40})}},
    };
    return letters;
}

TemplateClassifier trained(int samplesPerLetter)
{
    std::vector<TemplateClassifier::Sample> samples;
    for (int n = 0; n < samplesPerLetter; ++n)
        for (const auto &letter : alphabet())
            samples.push_back({letter.first.toStdString(), written(letter.second, n)});
    TemplateClassifier t;
    t.train(samples);
    return t;
}

// A stored form with one template "l" of the given unit and label.
std::string storedForm(uint8_t version, float unit, const std::string &label)
{
    zk::ByteWriter w;
    w.u8(version);
    w.f32(unit);
    w.u32(1);
    w.text(label);
    w.u32(1);
    w.u32(2);
    for (float v : {0.0f, 0.0f, 0.0f, 40.0f})
        w.f32(v);
    return w.bytes();
}

} // namespace

class TestTemplateClassifier : public QObject
{
    Q_OBJECT

private slots:
    void readsTrainedLetterWithConfidence_data();
    void readsTrainedLetterWithConfidence();
    void unsureOfInkUnlikeAnySample();
    void keepsTheLatestSamplesOfALabel();
    void storedFormLoadsBack();
    void refusesBadStoredForm_data();
    void refusesBadStoredForm();
    void userResourceCarriesTemplates();
};

void TestTemplateClassifier::readsTrainedLetterWithConfidence_data()
{
    QTest::addColumn<int>("letter");
    for (int i = 0; i < alphabet().size(); ++i)
        QTest::newRow(alphabet().at(i).first.constData()) << i;
}

void TestTemplateClassifier::readsTrainedLetterWithConfidence()
{
    QFETCH(int, letter);
    const TemplateClassifier t = trained(4);
    const zk::Guesses guesses = t.classify(written(alphabet().at(letter).second, 7), 5);
    QCOMPARE(int(guesses.size()), 5);
    QCOMPARE(QByteArray::fromStdString(guesses[0].label), alphabet().at(letter).first);
    QVERIFY2(guesses[0].margin > 0, qPrintable(QString::number(guesses[0].margin)));
    for (size_t i = 1; i < guesses.size(); ++i) {
        QVERIFY(guesses[i].margin <= 0);
        QVERIFY(guesses[i].score <= guesses[i - 1].score);
        QVERIFY(guesses[i].score > 0);
    }
}

void TestTemplateClassifier::unsureOfInkUnlikeAnySample()
{
    const TemplateClassifier t = trained(4);
    const Ink spiral{arc({20, 20}, 18, 18, 0, 900, 60)};
    const Ink hash{line({0, 10}, {40, 10}), line({0, 30}, {40, 30}), line({12, 0}, {12, 40}),
                   line({28, 0}, {28, 40})};
    for (const Ink &ink : {spiral, hash}) {
        const zk::Guesses guesses = t.classify(strokesOf(ink), 5);
        QVERIFY(!guesses.empty());
        QVERIFY2(guesses[0].margin <= 0, guesses[0].label.c_str());
        QVERIFY(guesses[0].score < 0.5f);
    }
    QVERIFY(t.classify({}, 5).empty());
    const float huge = std::numeric_limits<float>::max();
    QVERIFY(t.classify({{{-huge, 0}, {huge, 0}}}, 5).empty());
    QVERIFY(t.classify({{{0, 0}}, {{0, std::numeric_limits<float>::infinity()}}}, 5).empty());
    QVERIFY(t.classify(strokesOf({alphabet().first().second}), 0).empty());
}

void TestTemplateClassifier::keepsTheLatestSamplesOfALabel()
{
    // The user first wrote "o" like an l, then wrote it right many times: the old ones go,
    // so that ink just like them reads as the l it looks like.
    std::vector<TemplateClassifier::Sample> samples;
    const Ink &l = alphabet().at(2).second, &o = alphabet().at(0).second;
    for (int n = 0; n < 3; ++n)
        samples.push_back({"o", written(l, n)});
    for (int n = 0; n < TemplateClassifier::maxPerLabel; ++n)
        samples.push_back({"o", written(o, n)});
    for (int n = 4; n < 7; ++n)
        samples.push_back({"l", written(l, n)});
    TemplateClassifier t;
    QVERIFY(t.train(samples));
    QCOMPARE(t.classify(written(l, 1), 5)[0].label, std::string("l"));
    samples.erase(samples.begin() + 3, samples.begin() + 3 + TemplateClassifier::maxPerLabel);
    QVERIFY(t.train(samples));
    QCOMPARE(t.classify(written(l, 1), 5)[0].label, std::string("o")); // the same ink kept
}

void TestTemplateClassifier::storedFormLoadsBack()
{
    const TemplateClassifier t = trained(3);
    TemplateClassifier loaded;
    QVERIFY(loaded.load(t.payload()));
    QCOMPARE(loaded.payload(), t.payload());
    const zk::InkStrokes ink = written(alphabet().at(4).second, 9);
    const zk::Guesses a = t.classify(ink, 5), b = loaded.classify(ink, 5);
    QCOMPARE(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        QCOMPARE(a[i].label, b[i].label);
        QCOMPARE(a[i].score, b[i].score);
    }
}

void TestTemplateClassifier::refusesBadStoredForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const std::string good = storedForm(1, 0.2f, "l");
    QVERIFY(TemplateClassifier().load(good));
    auto bytes = [](const std::string &s) { return QByteArray::fromStdString(s); };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("other version") << bytes(storedForm(2, 0.2f, "l"));
    QTest::newRow("cut short") << bytes(good.substr(0, good.size() - 3));
    QTest::newRow("trailing byte") << bytes(good + '\0');
    QTest::newRow("no unit") << bytes(storedForm(1, 0, "l"));
    QTest::newRow("unit not a number")
        << bytes(storedForm(1, std::numeric_limits<float>::quiet_NaN(), "l"));
    QTest::newRow("label not UTF-8") << bytes(storedForm(1, 0.2f, "\xff"));
    QTest::newRow("empty label") << bytes(storedForm(1, 0.2f, ""));
    zk::ByteWriter none;
    none.u8(1);
    none.f32(0.2f);
    none.u32(0);
    QTest::newRow("no template") << bytes(none.bytes());
}

void TestTemplateClassifier::refusesBadStoredForm()
{
    QFETCH(QByteArray, bytes);
    TemplateClassifier t;
    QVERIFY(!t.load(bytes.toStdString()));
}

void TestTemplateClassifier::userResourceCarriesTemplates()
{
    zk::ResourceObject user;
    user.flags = zk::ResourceObject::User;
    user.name = "user";
    user.templates = trained(2).payload();
    zk::ResourceObject loaded;
    QVERIFY(loaded.load(user.payload()));
    QVERIFY(loaded.templateClassifier());
    QVERIFY(!loaded.classifier());
    QCOMPARE(loaded.payload(), user.payload());

    // Resources without templates keep the earlier form, which still loads.
    zk::ResourceObject words;
    words.kind = zk::ResourceObject::Words;
    words.words = {"ink"};
    zk::ByteWriter earlier;
    earlier.u8(zk::ResourceObject::Words);
    earlier.u8(0);
    for (const char *text : {"", "", ""})
        earlier.text(text);
    earlier.u32(1);
    earlier.text("ink");
    QCOMPARE(words.payload(), earlier.bytes());
    QVERIFY(loaded.load(earlier.bytes()));
    QVERIFY(!loaded.templateClassifier());

    // Templates that do not load, or are cut short, refuse the resource.
    const std::string whole = user.payload();
    QVERIFY(!loaded.load(whole.substr(0, whole.size() - 1)));
    user.templates = storedForm(2, 0.2f, "l");
    QVERIFY(!loaded.load(user.payload()));
}

QTEST_GUILESS_MAIN(TestTemplateClassifier)
#include "tst_templateclassifier.moc"
