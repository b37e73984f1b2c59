// Recognition of held-out ink: characters in boxes, a free-written line, edit gestures.
#include "enginedriver.h"
#include "inkfile.h"
#include "storedframe.h"

#include <QtTest>

namespace {

const QString fixtures = QString(SCRIVEL_SOURCE_DIR) + "/tests/engine/fixtures/";

} // namespace

class TestRecognition : public QObject
{
    Q_OBJECT

private:
    EngineDriver d;
    QMap<QString, Ink> inks;
    zkId recognizer = 0;
    zkId input = 0;

    void attachPackage(const QString &package, const QStringList &files);
    QList<Node> recognize(const Ink &ink, zkId unit, QRectF guide = QRectF());

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void boxedCharacters_data();
    void boxedCharacters();
    void kanaAndKanjiAnywhereInTheirBox_data();
    void kanaAndKanjiAnywhereInTheirBox();
    void caseFollowsHeightInBox_data();
    void caseFollowsHeightInBox();
    void caseFollowsHeightInLine_data();
    void caseFollowsHeightInLine();
    void boxedTextOffersNoSymbols_data();
    void boxedTextOffersNoSymbols();
    void freeTextSymbolsOnlyWhenTaken_data();
    void freeTextSymbolsOnlyWhenTaken();
    void dotOnlyWhenSmall_data();
    void dotOnlyWhenSmall();
    void freeLineGivesTwoWords();
    void freeLineAtFontSpacing_data();
    void freeLineAtFontSpacing();
    void twoStrokeLetterInFreeUnit_data();
    void twoStrokeLetterInFreeUnit();
    void lettersSideBySideStayApart_data();
    void lettersSideBySideStayApart();
    void freeJapaneseLine();
    void userWordsWin();
    void gestures_data();
    void gestures();
    void lettersWhenNoGesture();
    void calculatorSymbols_data();
    void calculatorSymbols();
    void charsetLimitsLabels();
};

void TestRecognition::initTestCase()
{
    QVERIFY(d.bind());
    for (const char *file : {"latin.ink", "japanese.ink", "hello.ink", "sentence.ink"})
        inks.insert(readInkFile(fixtures + file));
    QVERIFY(inks.contains("hello world"));
}

void TestRecognition::init()
{
    QVERIFY(d.start());
    recognizer = d.api.createObject(d.engine, ZK_TYPE_RECOGNIZER);
    input = d.api.createObject(d.engine, ZK_TYPE_INK_INPUT);
    d.op<zkOpBind>(ZK_IF_BIND, 1)(d.engine, recognizer, input);
}

void TestRecognition::cleanup()
{
    d.detachAll(recognizer);
    d.release(input);
    d.release(recognizer);
    int live = d.api.liveObjects();
    d.stop();
    QCOMPARE(live, 0);
}

void TestRecognition::attachPackage(const QString &package, const QStringList &files)
{
    for (const QString &file : files)
        QVERIFY2(d.attach(recognizer, d.loadPackaged(package, file)), qPrintable(file));
}

QList<Node> TestRecognition::recognize(const Ink &ink, zkId unit, QRectF guide)
{
    d.op<zkOpClear>(ZK_IF_INPUT, 0)(d.engine, input, 0);
    d.startUnit(input, unit);
    if (guide.isValid())
        d.op<zkOpGuideBox>(ZK_IF_INPUT, 6)(d.engine, input, guide.x(), guide.y(), guide.width(),
                                            guide.height());
    for (const Stroke &s : ink)
        d.addStroke(input, s);
    if (!d.run(recognizer))
        return {};
    return d.result(recognizer);
}

void TestRecognition::boxedCharacters_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("label");
    const QStringList latin{"en_US/en_US-ak-iso.res"};
    const QStringList japanese{"ja_JP/ja_JP-ak-iso.res", "ja_JP/ja_JP-lk-common.res"};
    QTest::newRow("a") << "1en_US.rcc" << latin << "a";
    QTest::newRow("B") << "1en_US.rcc" << latin << "B";
    QTest::newRow("7") << "1en_US.rcc" << latin << "7";
    QTest::newRow("あ") << "1ja_JP.rcc" << japanese << "あ";
    QTest::newRow("日") << "1ja_JP.rcc" << japanese << "日";
}

void TestRecognition::boxedCharacters()
{
    QFETCH(QString, package);
    QFETCH(QStringList, files);
    QFETCH(QString, label);
    attachPackage(package, files);
    QVERIFY(inks.contains(label));
    // Written in a 100 x 100 box, and again smaller elsewhere in a box of its size.
    QList<Node> text = recognize(inks[label], ZK_UNIT_BOXED, QRectF(0, 0, 100, 100));
    QCOMPARE(EngineDriver::words(text).value(0).section('\t', 0, 0), label);
    text = recognize(moved(inks[label], {500, 300}, 0.4), ZK_UNIT_BOXED, QRectF(500, 300, 40, 40));
    QCOMPARE(EngineDriver::words(text).value(0).section('\t', 0, 0), label);
}

void TestRecognition::kanaAndKanjiAnywhereInTheirBox_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QPointF>("at");  // where the ink's top left goes in a 100 x 100 box
    QTest::addColumn<double>("scale");
    for (const char *label : {"日", "あ", "木", "人", "大"}) {
        const QString l = QString::fromUtf8(label);
        QTest::addRow("%s small, top left", label) << l << QPointF(2, 2) << 0.4;
        QTest::addRow("%s half, bottom right", label) << l << QPointF(48, 48) << 0.5;
        QTest::addRow("%s, right edge", label) << l << QPointF(38, 15) << 0.6;
    }
}

// Writers place characters loosely in their boxes: where and how large in its box a
// character is written does not change what it reads as.
void TestRecognition::kanaAndKanjiAnywhereInTheirBox()
{
    QFETCH(QString, label);
    QFETCH(QPointF, at);
    QFETCH(double, scale);
    attachPackage("1ja_JP.rcc", {"ja_JP/ja_JP-ak-iso.res", "ja_JP/ja_JP-lk-common.res"});
    QVERIFY(inks.contains(label));
    QList<Node> text = recognize(moved(inks[label], at, scale), ZK_UNIT_BOXED,
                                 QRectF(0, 0, 100, 100));
    QCOMPARE(EngineDriver::words(text).value(0).section('\t', 0, 0), label);
}

void TestRecognition::caseFollowsHeightInBox_data()
{
    QTest::addColumn<Ink>("shape"); // one unit high, standing on y = 0
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("accepted"); // labels any of which may come first
    QTest::addColumn<bool>("wrapped");     // the guide box only wraps the ink
    const Ink ring{arc({0, -0.5}, 0.42, 0.5, -100, -460)};
    const Ink c{arc({0, -0.5}, 0.45, 0.5, -45, -315)};
    const Ink v{polyline({{-0.45, -1}, {0, 0}, {0.45, -1}})};
    QTest::newRow("small ring") << ring << 55.0 << "o" << false;
    QTest::newRow("tall ring") << ring << 90.0 << "O0" << false;
    QTest::newRow("small c") << c << 55.0 << "c" << false;
    QTest::newRow("tall c") << c << 90.0 << "C" << false;
    QTest::newRow("small v") << v << 55.0 << "v" << false;
    QTest::newRow("tall v") << v << 90.0 << "V" << false;
    // A box around the ink itself tells no case: the small form, as in most text.
    QTest::newRow("ring, box wraps it") << ring << 55.0 << "o" << true;
    QTest::newRow("c, box wraps it") << c << 90.0 << "c" << true;
    QTest::newRow("v, box wraps it") << v << 55.0 << "v" << true;
}

void TestRecognition::caseFollowsHeightInBox()
{
    QFETCH(Ink, shape);
    QFETCH(double, height);
    QFETCH(QString, accepted);
    QFETCH(bool, wrapped);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-iso.res"});
    const Ink ink = moved(shape, {50, 95}, height);
    QRectF box;
    for (const Stroke &s : ink)
        for (const QPointF &p : s)
            box |= QRectF(p, QSizeF(0.01, 0.01));
    const QStringList candidates = EngineDriver::words(
        recognize(ink, ZK_UNIT_BOXED, wrapped ? box : QRectF(0, 0, 100, 100))).value(0).split('\t');
    const QString first = candidates.value(0);
    QVERIFY2(first.size() == 1 && accepted.contains(first), qPrintable(first));
    if (wrapped) // the other case stays a candidate
        QVERIFY2(candidates.contains(first.toUpper()), qPrintable(candidates.join(' ')));
    // Every size-only letter among the candidates, not only the first, in the fitting form.
    const bool small = wrapped || accepted == accepted.toLower();
    for (int i = 0; i < candidates.size(); ++i) {
        const QString c = candidates.at(i);
        if (c.size() != 1 || !QString("cosuvwxz").contains(c, Qt::CaseInsensitive))
            continue;
        const QString fitting = small ? c.toLower() : c.toUpper();
        QVERIFY2(candidates.indexOf(fitting) >= 0 && candidates.indexOf(fitting) <= i,
                 qPrintable(candidates.join(' ')));
    }
}

void TestRecognition::boxedTextOffersNoSymbols_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::newRow("plus") << Ink{line({0, 20}, {40, 20}), line({20, 0}, {20, 40})};
    QTest::newRow("hash") << Ink{line({10, 0}, {6, 40}), line({28, 0}, {24, 40}),
                                 line({0, 13}, {36, 13}), line({0, 27}, {36, 27})};
    QTest::newRow("at") << Ink{arc({20, 20}, 20, 20, 30, 700, 60)};
    QTest::newRow("letter f") << Ink{polyline({{30, 5}, {20, 0}, {14, 8}, {14, 60}}), line({4, 22}, {28, 22})};
}

// The text configuration asks for letters and digits in a box; symbols crowd them out.
void TestRecognition::boxedTextOffersNoSymbols()
{
    QFETCH(Ink, ink);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-iso.res"});
    const QStringList candidates
        = EngineDriver::words(recognize(ink, ZK_UNIT_BOXED, QRectF(-10, -10, 70, 70))).value(0).split('\t');
    QVERIFY(!candidates.value(0).isEmpty());
    for (const QString &c : candidates)
        QVERIFY2(c.size() == 1 && c.at(0).isLetterOrNumber(), qPrintable(candidates.join(' ')));
}

void TestRecognition::caseFollowsHeightInLine_data()
{
    QTest::addColumn<Ink>("shape"); // one unit high, standing on y = 0
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("capital");
    const Ink ring{arc({0, -0.5}, 0.42, 0.5, -100, -460)};
    const Ink c{arc({0, -0.5}, 0.45, 0.5, -45, -315)};
    const Ink v{polyline({{-0.45, -1}, {0, 0}, {0.45, -1}})};
    QTest::newRow("small ring") << ring << 55.0 << false;
    QTest::newRow("tall ring") << ring << 90.0 << true;
    QTest::newRow("small c") << c << 55.0 << false;
    QTest::newRow("tall c") << c << 90.0 << true;
    QTest::newRow("small v") << v << 55.0 << false;
    QTest::newRow("tall v") << v << 90.0 << true;
}

// In a free line, a size-only letter takes its case from the line's heights: after a tall
// stem and two x-height letters, each a word of its own.
void TestRecognition::caseFollowsHeightInLine()
{
    QFETCH(Ink, shape);
    QFETCH(double, height);
    QFETCH(bool, capital);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    const Ink v{polyline({{-0.45, -1}, {0, 0}, {0.45, -1}})};
    Ink ink{line({0, 100}, {0, 10})};
    ink += moved(v, {200, 100}, 55);
    ink += moved(v, {400, 100}, 55);
    ink += moved(shape, {600, 100}, height);
    const QStringList words = EngineDriver::words(recognize(ink, ZK_UNIT_FREE));
    QCOMPARE(words.size(), 7);
    const QStringList candidates = words.last().split('\t');
    // Each size-only letter among the candidates comes in the fitting form first.
    const QString sizeOnly("cosuvwxz");
    int found = 0;
    for (int i = 0; i < candidates.size(); ++i) {
        const QString c = candidates.at(i);
        if (c.size() != 1 || !sizeOnly.contains(c, Qt::CaseInsensitive))
            continue;
        ++found;
        const QString fitting = capital ? c.toUpper() : c.toLower();
        QVERIFY2(candidates.indexOf(fitting) >= 0 && candidates.indexOf(fitting) <= i,
                 qPrintable(candidates.join(' ')));
    }
    QVERIFY2(found > 0, qPrintable(candidates.join(' ')));
}

void TestRecognition::freeTextSymbolsOnlyWhenTaken_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<QString>("first"); // empty: any letter or digit
    QTest::newRow("plus") << Ink{line({0, 20}, {40, 20}), line({20, 0}, {20, 40})} << "+";
    // Symbols lead the model's guesses for this bow, but it takes the ink for none of them.
    QTest::newRow("bow, no confident guess") << Ink{arc({20, 20}, 20, 20, 120, 360, 40)} << "";
}

// Free writing mixes in the symbols that the model takes the ink for, and only those.
void TestRecognition::freeTextSymbolsOnlyWhenTaken()
{
    QFETCH(Ink, ink);
    QFETCH(QString, first);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    const QStringList candidates
        = EngineDriver::words(recognize(ink, ZK_UNIT_FREE)).value(0).split('\t');
    const QString best = candidates.value(0);
    if (first.isEmpty())
        QVERIFY2(best.size() == 1 && best.at(0).isLetterOrNumber(),
                 qPrintable(candidates.join(' ')));
    else
        QCOMPARE(best, first);
}

void TestRecognition::dotOnlyWhenSmall_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<Ink>("ink");     // written in a 100 x 100 box
    QTest::addColumn<QString>("first"); // empty: a letter or digit, a stop still offered
    QTest::addColumn<QString>("second");
    const QStringList latin{"en_US/en_US-ak-iso.res"};
    const QStringList japanese{"ja_JP/ja_JP-ak-iso.res", "ja_JP/ja_JP-lk-common.res"};
    const Ink speck{Stroke{{50, 90}, {51, 91}, {52, 90}, {51, 89}}};
    const Ink ring = moved(Ink{arc({0, -0.5}, 0.42, 0.5, -100, -460)}, {50, 95}, 13);
    QTest::newRow("speck, Latin") << "1en_US.rcc" << latin << speck << "." << ",";
    QTest::newRow("small ring, Latin") << "1en_US.rcc" << latin << ring << "" << "";
    // A Japanese writer expects the full-width marks.
    QTest::newRow("speck, Japanese") << "1ja_JP.rcc" << japanese << speck << "。" << "、";
}

// Small ink is a stop only where the model does not take it for a character.
void TestRecognition::dotOnlyWhenSmall()
{
    QFETCH(QString, package);
    QFETCH(QStringList, files);
    QFETCH(Ink, ink);
    QFETCH(QString, first);
    QFETCH(QString, second);
    attachPackage(package, files);
    const QStringList candidates = EngineDriver::words(
        recognize(ink, ZK_UNIT_BOXED, QRectF(0, 0, 100, 100))).value(0).split('\t');
    if (first.isEmpty()) {
        const QString best = candidates.value(0);
        QVERIFY2(best.size() == 1 && best.at(0).isLetterOrNumber(), qPrintable(candidates.join(' ')));
        QVERIFY2(candidates.contains("."), qPrintable(candidates.join(' ')));
    } else {
        QCOMPARE(candidates.value(0), first);
        QCOMPARE(candidates.value(1), second);
    }
}

void TestRecognition::freeLineGivesTwoWords()
{
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    QList<Node> text = recognize(inks["hello world"], ZK_UNIT_FREE);
    QStringList words = EngineDriver::words(text);
    QCOMPARE(words.size(), 3);
    QCOMPARE(words[1], QString(" "));
    QVERIFY2(words[0].split('\t').contains("hello"), qPrintable(words[0]));
    QVERIFY2(words[2].split('\t').contains("world"), qPrintable(words[2]));
    // Every stroke belongs to exactly one character of the first choice.
    QSet<int> components;
    for (const QList<Node> &word : text.first().children)
        for (const QList<Node> &character : word.value(word.first().selected).children)
            for (const zkInkRecord &r : character.first().ink) {
                QVERIFY(!components.contains(r.firstComponent));
                components << r.firstComponent;
            }
    QCOMPARE(components.size(), inks["hello world"].size());
}

void TestRecognition::freeLineAtFontSpacing_data()
{
    // Letter gaps near half the x-height, word gaps one letter wide.
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("firstChoice"); // the label is also the first choice
    QTest::newRow("x-height letters") << "we can see more now" << true;
    QTest::newRow("ascenders and descenders") << "many people like good food" << false;
    QTest::newRow("small rings outside the lexicon") << "the fox and box" << true;
    QTest::newRow("digits among letters") << "call 247 now" << true;
}

void TestRecognition::freeLineAtFontSpacing()
{
    QFETCH(QString, label);
    QFETCH(bool, firstChoice);
    QVERIFY(inks.contains(label));
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    QStringList words = EngineDriver::words(recognize(inks[label], ZK_UNIT_FREE));
    const QStringList expected = label.split(' ');
    QCOMPARE(words.size(), 2 * expected.size() - 1);
    QString first;
    for (int i = 0; i < expected.size(); ++i) {
        QVERIFY2(words[2 * i].split('\t').contains(expected[i]), qPrintable(words[2 * i]));
        if (i > 0)
            QCOMPARE(words[2 * i - 1], QString(" "));
        first += (i > 0 ? " " : "") + words[2 * i].section('\t', 0, 0);
    }
    if (firstChoice)
        QCOMPARE(first, label);
}

void TestRecognition::twoStrokeLetterInFreeUnit_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<QString>("label");
    // Strokes side by side that barely meet or miss each other.
    QTest::newRow("d, bowl then stem") << Ink{arc({14, 30}, 12, 12, -45, -315), line({25, 0}, {25, 43})}
                                       << "d";
    QTest::newRow("d, stem then bowl") << Ink{line({25, 0}, {25, 43}), arc({14, 30}, 12, 12, -45, -315)}
                                       << "d";
    QTest::newRow("x, two angles") << Ink{polyline({{0, 0}, {11, 20}, {0, 40}}),
                                          polyline({{24, 0}, {13, 20}, {24, 40}})}
                                   << "x";
    QTest::newRow("b, stem then bowl")
        << Ink{line({0, 0}, {0, 43}), arc({11, 31}, 11, 12, 200, -135)} << "b";
    QTest::newRow("p, stem then bowl")
        << Ink{line({0, 12}, {0, 55}), arc({11, 24}, 11, 12, 200, -135)} << "p";
    // Each part alone reads as a letter more surely than the whole: alone, they are one.
    QTest::newRow("n, stem then arch apart")
        << Ink{line({0, 0}, {0, 40}),
               polyline({{2, 40}, {2, 12}, {8, 2}, {20, 2}, {26, 12}, {26, 40}})}
        << "n";
}

void TestRecognition::lettersSideBySideStayApart_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<QString>("word");
    const Stroke o = arc({12, 31}, 11, 12, -90, -450), l = line({0, 0}, {0, 43});
    const Ink c{arc({12, 31}, 11, 12, -45, -315)};
    QTest::newRow("c o, nearly touching") << (c + moved({o}, {25, 0})) << "co";
    QTest::newRow("l o, a fifth apart") << (Ink{l} + moved({o}, {9, 0})) << "lo";
    QTest::newRow("o l, a fifth apart") << (Ink{o} + moved({l}, {32, 0})) << "ol";
    // Side by side, two letters are never one as narrow as a single stem.
    Stroke e = line({1, 31}, {23, 31}, 6);
    e << arc({12, 31}, 11, 12, 0, -300);
    QTest::newRow("e l, nearly touching") << (Ink{e} + moved({l}, {26, 0})) << "el";
}

// Letters that stand side by side, close but apart, are read as two characters (a lone
// stem may read as l or I).
void TestRecognition::lettersSideBySideStayApart()
{
    QFETCH(Ink, ink);
    QFETCH(QString, word);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    QList<Node> text = recognize(ink, ZK_UNIT_FREE);
    QStringList words = EngineDriver::words(text);
    QCOMPARE(words.size(), 1);
    QCOMPARE(text.first().children.first().first().children.size(), word.size());
    QString read = words.first();
    QVERIFY2(read.replace('I', 'l').split('\t').contains(word, Qt::CaseInsensitive),
             qPrintable(words.first()));
}

// One letter written in two strokes in a free unit is one character, as in a box.
void TestRecognition::twoStrokeLetterInFreeUnit()
{
    QFETCH(Ink, ink);
    QFETCH(QString, label);
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res", "en_US/en_US-lk-text.res"});
    QList<Node> text = recognize(ink, ZK_UNIT_FREE);
    QStringList words = EngineDriver::words(text);
    QCOMPARE(words.size(), 1);
    QCOMPARE(text.first().children.first().first().children.size(), 1);
    QVERIFY2(words.first().split('\t').contains(label, Qt::CaseInsensitive),
             qPrintable(words.first()));
}

void TestRecognition::freeJapaneseLine()
{
    attachPackage("1ja_JP.rcc", {"ja_JP/ja_JP-ak-cur.res", "ja_JP/ja_JP-lk-common.res"});
    // Side by side with small gaps: 木's strokes overlap each other, 日's do not all.
    Ink line = inks["日"] + moved(inks["木"], {110, 0}) + moved(inks["人"], {220, 0});
    QList<Node> text = recognize(line, ZK_UNIT_FREE);
    QStringList words = EngineDriver::words(text);
    QCOMPARE(words.size(), 1);
    QString first;
    for (const QList<Node> &character : text.first().children.first().first().children)
        first += character.value(character.first().selected).label;
    QCOMPARE(text.first().children.first().first().children.size(), 3);
    QCOMPARE(first, QString("日木人"));
}

void TestRecognition::userWordsWin()
{
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-cur.res"});
    zkId lexicon = d.api.createObject(d.engine, ZK_TYPE_LEXICON);
    for (const QByteArray &w : {QByteArray("hello"), QByteArray("world")}) {
        zkText t{w.constData(), uint32_t(w.size())};
        QVERIFY(d.op<zkOpAddText>(ZK_IF_LEXICON, 0)(d.engine, lexicon, 0, &t));
    }
    QVERIFY(d.op<zkOpFinish>(ZK_IF_LEXICON_FINISH, 1)(d.engine, lexicon, 0, 0));
    QVERIFY(d.attach(recognizer, lexicon));
    QStringList words = EngineDriver::words(recognize(inks["hello world"], ZK_UNIT_FREE));
    QCOMPARE(words.value(0).section('\t', 0, 0), QString("hello"));
    QCOMPARE(words.value(2).section('\t', 0, 0), QString("world"));
}

void TestRecognition::gestures_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<QString>("label");
    QTest::newRow("strike") << Ink{line({0, 50}, {220, 54}, 30)} << "-";
    QTest::newRow("backspace") << Ink{line({220, 50}, {0, 46}, 30)} << QString::fromUcs4(U"\U000F0002");
    QTest::newRow("space") << Ink{polyline({{0, 0}, {6, 45}, {200, 48}, {206, 2}})}
                           << QString::fromUcs4(U"\U000F0003");
    QTest::newRow("return") << Ink{polyline({{200, 0}, {202, 70}, {0, 74}})}
                            << QString::fromUcs4(U"\U000F0004");
    QTest::newRow("scribble") << Ink{polyline({{0, 10}, {30, 60}, {60, 5}, {90, 62}, {120, 8}, {150, 60}, {180, 12}})}
                              << "W";
    QTest::newRow("insert bar") << Ink{line({50, 0}, {52, 120}, 20)} << "|";
    QTest::newRow("insert slash") << Ink{line({80, 0}, {20, 100}, 20)} << "/";
    QTest::newRow("insert bow") << Ink{arc({60, 60}, 35, 60, 250, 110)} << "(";
    QTest::newRow("insert bow upwards") << Ink{arc({60, 60}, 35, 60, 110, -70)} << ")";
}

void TestRecognition::gestures()
{
    QFETCH(Ink, ink);
    QFETCH(QString, label);
    int one = 1;
    for (uint32_t p : {ZK_PROP_LIMIT_CHARACTERS, ZK_PROP_LIMIT_WORDS, ZK_PROP_LIMIT_TEXT})
        d.api.setProperty(d.engine, recognizer, p, &one, 4);
    attachPackage("1gestures.rcc", {"gestures/ak-cur.res"});
    QList<Node> text = recognize(ink, ZK_UNIT_FREE);
    QCOMPARE(text.size(), 1);
    QCOMPARE(text.first().label.isEmpty() ? EngineDriver::words(text).join("") : text.first().label, label);
}

void TestRecognition::lettersWhenNoGesture()
{
    attachPackage("1gestures.rcc", {"gestures/ak-cur.res"});
    QStringList words = EngineDriver::words(recognize(inks["a"], ZK_UNIT_FREE));
    QCOMPARE(words.value(0).section('\t', 0, 0), QString("a"));
}

void TestRecognition::calculatorSymbols_data()
{
    QTest::addColumn<Ink>("ink");
    QTest::addColumn<QString>("label");
    QTest::newRow("7") << inks.value("7") << "7";
    QTest::newRow("times") << Ink{line({0, 0}, {40, 42}), line({40, 0}, {0, 40})} << "×";
    QTest::newRow("root") << Ink{polyline({{0, 40}, {8, 36}, {18, 70}, {30, 0}, {80, 0}})} << "√";
    QTest::newRow("equals") << Ink{line({0, 10}, {40, 10}), line({0, 30}, {40, 30})} << "=";
    QTest::newRow("dot") << Ink{Stroke{{10, 10}, {11, 11}, {10, 12}}} << ".";
}

void TestRecognition::calculatorSymbols()
{
    QFETCH(Ink, ink);
    QFETCH(QString, label);
    attachPackage("1calculator.rcc", {"shared/Calculator-ak-hpr.res", "shared/Calculator-sk-im_calc.res"});
    QStringList words = EngineDriver::words(recognize(ink, ZK_UNIT_BOXED));
    QCOMPARE(words.value(0).section('\t', 0, 0), label);
    for (const QString &candidate : words.value(0).split('\t'))
        QVERIFY2(QString("0123456789+-=()/.,?×÷√π").contains(candidate), qPrintable(candidate));
}

void TestRecognition::charsetLimitsLabels()
{
    attachPackage("1en_US.rcc", {"en_US/en_US-ak-iso.res"});
    // Digits and the private-use gesture characters only.
    QByteArray ranges = le32(2) + le32(0x30) + le32(0x39) + le32(0xF0000) + le32(0xF00FF);
    QByteArray bytes = storedFrame(ZK_TYPE_CHARSET, ranges);
    zkId charset = d.api.makeObject(d.engine, bytes.constData(), uint32_t(bytes.size()));
    QVERIFY(charset);
    QCOMPARE(d.api.setTypeProperty(d.engine, 0, ZK_TYPE_PROPERTY_CHARSET, &charset, 4), 4);
    d.release(charset);
    for (const QString &label : {QString("7"), QString("B")}) {
        QStringList candidates = EngineDriver::words(recognize(inks[label], ZK_UNIT_BOXED)).value(0).split('\t');
        for (const QString &c : candidates)
            QVERIFY2(c.size() == 1 && c[0].isDigit(), qPrintable(label + " gave " + c));
        if (label == "7")
            QCOMPARE(candidates.first(), QString("7"));
    }
    zkId none = 0;
    d.api.setTypeProperty(d.engine, 0, ZK_TYPE_PROPERTY_CHARSET, &none, 4);
    QCOMPARE(EngineDriver::words(recognize(inks["B"], ZK_UNIT_BOXED)).value(0).section('\t', 0, 0), QString("B"));
}

QTEST_GUILESS_MAIN(TestRecognition)
#include "tst_recognition.moc"
