// The inverted-index classifier against libzinnia itself: same labels, same order, same scores,
// on the Japanese model and the built Latin and calculator models.
#include "engine/tools/inkfile.h"
#include "engine/zinniafeatures.h"
#include "engine/zinniamodel.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <zinnia.h>

#include <cmath>

using Strokes = std::vector<zk::ZinniaFeatures::Stroke>;
Q_DECLARE_METATYPE(Strokes)

namespace {

const QString models = QString(SCRIVEL_BIN_DIR) + "/../engine-models/";
const QString fixtures = QString(SCRIVEL_SOURCE_DIR) + "/tests/engine/fixtures/";
const QString japanese = "/usr/share/tegaki/models/zinnia/handwriting-ja.model";
const size_t best = 20;

QString modelPath(const QString &name)
{
    return name == "japanese" ? japanese : models + name + ".model";
}

Strokes randomStrokes(quint32 seed, int range)
{
    QRandomGenerator random(seed);
    Strokes strokes(1 + random.bounded(9));
    for (auto &s : strokes) {
        for (int i = 0, n = 1 + int(random.bounded(40)); i < n; ++i)
            s.push_back({int(random.bounded(range)), int(random.bounded(range))});
    }
    return strokes;
}

// A curl of many turns: its split goes deep enough to give an index twice.
Strokes spiral()
{
    Strokes strokes(2);
    for (int i = 0; i < 400; ++i) {
        double t = i * 0.12, r = 5 + i * 0.35;
        strokes[0].push_back({int(150 + r * std::cos(t)), int(150 + r * std::sin(t))});
    }
    strokes[1] = {{20, 280}, {280, 280}};
    return strokes;
}

Strokes manyStrokes(int count)
{
    Strokes strokes;
    for (int i = 0; i < count; ++i)
        strokes.push_back({{i * 7 % 300, i * 13 % 300}, {(i * 11 + 40) % 300, i * 3 % 300}});
    return strokes;
}

zinnia_result_t *zinniaClassify(zinnia_recognizer_t *recognizer, const Strokes &strokes,
                                size_t width, size_t height)
{
    zinnia_character_t *c = zinnia_character_new();
    zinnia_character_set_width(c, width);
    zinnia_character_set_height(c, height);
    for (size_t id = 0; id < strokes.size(); ++id) {
        for (const auto &p : strokes[id])
            zinnia_character_add(c, id, p.x, p.y);
    }
    zinnia_result_t *result = zinnia_recognizer_classify(recognizer, c, best);
    zinnia_character_destroy(c);
    return result;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The size-derived magic made to match again after a change of size.
QByteArray withMagic(QByteArray bytes)
{
    quint32 magic = quint32(bytes.size()) ^ 0xef71821u;
    std::memcpy(bytes.data(), &magic, 4);
    return bytes;
}

struct CraftedClass {
    QByteArray label;
    float bias;
    QList<QPair<qint32, float>> weights;
};
using CraftedModel = QList<CraftedClass>;

QByteArray modelBytes(const CraftedModel &classes)
{
    auto raw = [](auto v) { return QByteArray(reinterpret_cast<const char *>(&v), sizeof v); };
    QByteArray bytes = raw(quint32(0)) + raw(quint32(1)) + raw(quint32(classes.size()));
    for (const CraftedClass &c : classes) {
        bytes += c.label.leftJustified(16, '\0', true) + raw(c.bias);
        for (const auto &[index, weight] : c.weights)
            bytes += raw(index) + raw(weight);
        bytes += raw(qint32(-1)) + raw(0.0f);
    }
    return withMagic(bytes);
}

} // namespace

Q_DECLARE_METATYPE(CraftedModel)

class TestZinniaModel : public QObject
{
    Q_OBJECT

private:
    QMap<QString, zinnia_recognizer_t *> m_zinnia;
    QMap<QString, std::shared_ptr<const zk::ZinniaModel>> m_models;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void scoresAsZinnia_data();
    void scoresAsZinnia();
    void craftedModelScoresAsZinnia_data();
    void craftedModelScoresAsZinnia();
    void unreadableInkGivesNothing_data();
    void unreadableInkGivesNothing();
    void refusesDamagedModels_data();
    void refusesDamagedModels();
    void sharesOneIndexPerModel();
    void modelsOfOneSizeKeepTheirOwnIndex();
};

void TestZinniaModel::initTestCase()
{
    for (const QString name : {"japanese", "latin", "calculator"}) {
        zinnia_recognizer_t *r = zinnia_recognizer_new();
        QVERIFY2(zinnia_recognizer_open(r, qPrintable(modelPath(name))), qPrintable(name));
        m_zinnia[name] = r;
        m_models[name] = zk::ZinniaModel::fromFile(modelPath(name).toStdString());
        QVERIFY(m_models[name]);
    }
}

void TestZinniaModel::cleanupTestCase()
{
    for (zinnia_recognizer_t *r : std::as_const(m_zinnia))
        zinnia_recognizer_destroy(r);
}

void TestZinniaModel::scoresAsZinnia_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<Strokes>("strokes");
    QTest::addColumn<int>("side");

    QList<QPair<QString, Strokes>> inks;
    for (const QString file : {"japanese.ink", "latin.ink", "hello.ink"}) {
        for (const zk::InkFileEntry &e : zk::readInkFile((fixtures + file).toStdString())) {
            Strokes s;
            for (const zk::InkStroke &stroke : e.ink) {
                s.emplace_back();
                for (const zk::InkPoint &p : stroke)
                    s.back().push_back({int(p.x), int(p.y)});
            }
            inks.append({file + " " + QString::fromStdString(e.label), s});
        }
    }
    for (quint32 seed = 1; seed <= 6; ++seed)
        inks.append({QString("random %1").arg(seed), randomStrokes(seed, 100)});
    inks.append({"one point", {{{50, 50}}}});
    inks.append({"one place twice", {{{40, 60}, {40, 60}}, {{10, 10}, {90, 90}}}});
    inks.append({"many strokes", manyStrokes(130)});
    inks.append({"spiral", spiral()});
    inks.append({"box edges", {{{0, 0}, {100, 0}, {100, 100}}, {{0, 100}, {0, 0}}}});
    inks.append({"outside the box", {{{-80, -40}, {180, 250}}, {{-5, 130}, {120, -9}}}});
    inks.append({"huge coordinates",
                 {{{-1000000000, 5}, {1000000000, 999999999}}, {{7, -999999999}, {3, 3}}}});
    for (const QString model : {"japanese", "latin", "calculator"}) {
        for (const auto &[name, strokes] : std::as_const(inks))
            QTest::addRow("%s, %s", qPrintable(model), qPrintable(name)) << model << strokes << 100;
    }
    QTest::addRow("latin, random in a wide box") << "latin" << randomStrokes(9, 1000) << 1000;
}

void TestZinniaModel::scoresAsZinnia()
{
    QFETCH(QString, model);
    QFETCH(Strokes, strokes);
    QFETCH(int, side);
    zinnia_result_t *expected = zinniaClassify(m_zinnia[model], strokes, side, side);
    QVERIFY(expected);
    const auto got = m_models[model]->classify(zk::ZinniaFeatures(strokes, side, side), best);
    QCOMPARE(got.size(), zinnia_result_size(expected));
    for (size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(QString::fromStdString(got[i].label), QString(zinnia_result_value(expected, i)));
        QVERIFY2(std::fabs(got[i].score - zinnia_result_score(expected, i)) <= 1e-4f,
                 qPrintable(QString("%1: %2 against %3").arg(i).arg(got[i].score)
                                .arg(zinnia_result_score(expected, i))));
    }
    zinnia_result_destroy(expected);
}

// Small models that show the order of equal scores and indices far beyond any feature's.
void TestZinniaModel::craftedModelScoresAsZinnia_data()
{
    QTest::addColumn<CraftedModel>("model");
    const QList<QPair<qint32, float>> line{{1, 0.5f}, {2, -0.25f}, {3, 1.0f}, {2000001, 0.1f}};
    QTest::newRow("equal scores") << CraftedModel{
        {"a", 0.5f, line}, {"b", 0.5f, line}, {"c", 0.0f, {}}, {"d", 0.5f, line}};
    QTest::newRow("index beyond the table") << CraftedModel{
        {"a", 0.1f, {{4, 2.0f}, {5, 1.0f}, {2000000, 0.5f}, {90000000, 3.0f}}},
        {"b", 0.2f, {{4, -1.0f}, {1012, 0.3f}, {1000001, 0.25f}, {2000002, 1.0f}}},
        {"c", -0.1f, {{1, 1.0f}, {100001, 0.7f}}}};
}

void TestZinniaModel::craftedModelScoresAsZinnia()
{
    QFETCH(CraftedModel, model);
    const QByteArray bytes = modelBytes(model);
    auto ours = zk::ZinniaModel::fromBytes(bytes.toStdString());
    QVERIFY(ours);
    zinnia_recognizer_t *zinnia = zinnia_recognizer_new();
    QVERIFY(zinnia_recognizer_open_from_ptr(zinnia, bytes.constData(), size_t(bytes.size())));
    for (const Strokes &strokes : {Strokes{{{10, 10}, {90, 80}}}, randomStrokes(3, 100)}) {
        zinnia_result_t *expected = zinniaClassify(zinnia, strokes, 100, 100);
        const auto got = ours->classify(zk::ZinniaFeatures(strokes, 100, 100), best);
        QCOMPARE(got.size(), zinnia_result_size(expected));
        for (size_t i = 0; i < got.size(); ++i) {
            QCOMPARE(QString::fromStdString(got[i].label), QString(zinnia_result_value(expected, i)));
            QCOMPARE(got[i].score, zinnia_result_score(expected, i));
        }
        zinnia_result_destroy(expected);
    }
    zinnia_recognizer_destroy(zinnia);
}

void TestZinniaModel::unreadableInkGivesNothing_data()
{
    QTest::addColumn<Strokes>("strokes");
    QTest::addColumn<int>("side");
    QTest::newRow("no stroke") << Strokes() << 100;
    QTest::newRow("empty stroke between two") << Strokes{{{1, 1}, {9, 9}}, {}, {{5, 5}}} << 100;
    QTest::newRow("empty box") << Strokes{{{1, 1}, {9, 9}}} << 0;
}

void TestZinniaModel::unreadableInkGivesNothing()
{
    QFETCH(Strokes, strokes);
    QFETCH(int, side);
    zinnia_result_t *expected = zinniaClassify(m_zinnia["latin"], strokes, side, side);
    QVERIFY(!expected);
    QVERIFY(m_models["latin"]->classify(zk::ZinniaFeatures(strokes, side, side), best).empty());
}

void TestZinniaModel::refusesDamagedModels_data()
{
    const QByteArray good = readFile(modelPath("calculator"));
    QVERIFY(good.size() > 100);
    const int firstClass = 12, firstNode = firstClass + 20;
    auto patched = [&good](int at, const QByteArray &bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    auto le = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("intact") << good << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("header only") << withMagic(good.left(12)) << false;
    QTest::newRow("one byte short") << good.left(good.size() - 1) << false;
    QTest::newRow("cut, magic mended") << withMagic(good.left(good.size() / 2)) << false;
    QTest::newRow("one byte more, magic mended") << withMagic(good + 'x') << false;
    QTest::newRow("other version") << patched(4, le(2)) << false;
    QTest::newRow("no class") << patched(8, le(0)) << false;
    QTest::newRow("huge class count") << patched(8, le(0xffffffffu)) << false;
    QTest::newRow("label without its end") << patched(firstClass, QByteArray(16, 'a')) << false;
    QTest::newRow("bias not a number") << patched(firstClass + 16, le(0x7fc00000u)) << false;
    QTest::newRow("negative index") << patched(firstNode, le(0xfffffff0u)) << false;
    QTest::newRow("indices out of order")
        << patched(firstNode, le(0x7ffffff0u)) << false;
    QTest::newRow("weight infinite") << patched(firstNode + 4, le(0x7f800000u)) << false;
}

void TestZinniaModel::refusesDamagedModels()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    auto model = zk::ZinniaModel::fromBytes(bytes.toStdString());
    QCOMPARE(model != nullptr, accepted);
}

void TestZinniaModel::sharesOneIndexPerModel()
{
    const std::string path = modelPath("latin").toStdString();
    QCOMPARE(zk::ZinniaModel::fromFile(path), m_models["latin"]);
    const std::string bytes = readFile(modelPath("latin")).toStdString();
    auto fromBytes = zk::ZinniaModel::fromBytes(bytes);
    QVERIFY(fromBytes);
    QCOMPARE(zk::ZinniaModel::fromBytes(std::string(bytes)), fromBytes);
    QVERIFY(fromBytes != zk::ZinniaModel::fromBytes(readFile(modelPath("calculator")).toStdString()));
    QVERIFY(!zk::ZinniaModel::fromFile(path + ".missing"));
}

// Models alike in size and in all but one value: each reads as itself, however many are held.
void TestZinniaModel::modelsOfOneSizeKeepTheirOwnIndex()
{
    const QList<QPair<qint32, float>> line{{1, 0.5f}, {2, -0.25f}};
    const Strokes ink{{{10, 10}, {90, 80}}};
    std::vector<std::shared_ptr<const zk::ZinniaModel>> held;
    for (int i = 0; i < 64; ++i) {
        const QByteArray label = i % 2 ? "b" : "a";
        const QByteArray bytes =
            modelBytes({{label, float(i), line}, {i % 2 ? "a" : "b", 0.5f, line}});
        held.push_back(zk::ZinniaModel::fromBytes(bytes.toStdString()));
        QVERIFY(held.back());
        const auto got = held.back()->classify(zk::ZinniaFeatures(ink, 100, 100), 2);
        QCOMPARE(got.size(), size_t(2));
        QCOMPARE(QString::fromStdString(got[0].label), i == 0 ? QString("b") : QString(label));
        QCOMPARE(got[0].score - got[1].score, std::abs(float(i) - 0.5f));
    }
}

QTEST_GUILESS_MAIN(TestZinniaModel)
#include "tst_zinniamodel.moc"
