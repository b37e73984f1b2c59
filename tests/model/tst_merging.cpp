#include "model/merging.h"
#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A horizontal pen stroke of n points starting at x.
Stroke pen(double x, int n = 3)
{
    return zigzag(x, n);
}

// A word with one character per UTF-16 unit, each on a stroke of its own.
Segment word(const QString &label, double x, int wordFlag = 0)
{
    QList<Segment> characters;
    for (int i = 0; i < label.size(); ++i)
        characters << leaf(label.mid(i, 1), InkRange::fromStroke(pen(x + 10 * i)));
    return branch(characters, wordFlag);
}

RecognitionResult textOf(const QStringList &words, double x = 0)
{
    QList<Segment> segments;
    for (const QString &w : words) {
        segments << word(w, x);
        x += 10 * (w.size() + 1);
    }
    return resultOfWords(segments);
}

QStringList wordLabels(const RecognitionResult &r)
{
    QStringList labels;
    for (const Segment &w : r.root().selectedCandidate().children())
        labels << w.selectedCandidate().label();
    return labels;
}

} // namespace

class TestMerging : public QObject
{
    Q_OBJECT

private slots:
    void emptyAndSingleList();
    void seams_data();
    void seams();
    void gluedWordTakesAndOfWordFlags_data();
    void gluedWordTakesAndOfWordFlags();
    void deeperGluingKeepsCharacters();
    void joinedInkIsUnion();
    void joinSegmentsWithoutChildren();
    void frameChange_data();
    void frameChange();
    void sharedStrokeMapsToOneStroke();
    void transformKeepsCandidates();
    void transformMapsLayout();
    void layoutRecordsCombine_data();
    void layoutRecordsCombine();
    void perTypeInkIsUnited();
    void argumentsUnchanged();
};

void TestMerging::emptyAndSingleList()
{
    QCOMPARE(dump(mergeResults({}, 1)), dump(RecognitionResult()));
    RecognitionResult only = textOf({"ab", "cd"});
    only.setTransform(QTransform::fromTranslate(3, 4));
    only.layout().alignment = Qt::AlignLeft;
    QCOMPARE(dump(mergeResults({only}, 1)), dump(only));
}

void TestMerging::seams_data()
{
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("right");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("depth 0 never glues") << QStringList{"ab"} << QStringList{"cd"} << 0
                                         << QStringList{"ab", "cd"};
    QTest::newRow("depth 1 glues") << QStringList{"ab"} << QStringList{"cd"} << 1
                                   << QStringList{"abcd"};
    QTest::newRow("inner words stay") << QStringList{"x", "ab"} << QStringList{"cd", "y"} << 1
                                      << QStringList{"x", "abcd", "y"};
    QTest::newRow("space starts right") << QStringList{"ab"} << QStringList{" ", "cd"} << 1
                                        << QStringList{"ab", " ", "cd"};
    QTest::newRow("space ends left") << QStringList{"ab", " "} << QStringList{"cd"} << 1
                                     << QStringList{"ab", " ", "cd"};
    QTest::newRow("new line") << QStringList{"ab"} << QStringList{"\n", "cd"} << 1
                              << QStringList{"ab", "\n", "cd"};
    QTest::newRow("comma") << QStringList{"ab"} << QStringList{","} << 1
                           << QStringList{"ab", ","};
    QTest::newRow("CJK then Latin") << QStringList{"中"} << QStringList{"a"} << 1
                                    << QStringList{"中", "a"};
    QTest::newRow("CJK pair") << QStringList{"中"} << QStringList{"文"} << 1
                              << QStringList{"中文"};
    QTest::newRow("Arabic halves") << QStringList{"سل"} << QStringList{"ام"} << 1
                                   << QStringList{"سلام"};
    QTest::newRow("Arabic then Latin") << QStringList{"سلام"} << QStringList{"ok"} << 1
                                       << QStringList{"سلام", "ok"};
    QTest::newRow("Hebrew halves") << QStringList{"של"} << QStringList{"ום"} << 1
                                   << QStringList{"שלום"};
    QTest::newRow("empty left") << QStringList{} << QStringList{"cd"} << 1
                                << QStringList{"cd"};
    QTest::newRow("empty right") << QStringList{"ab"} << QStringList{} << 1
                                 << QStringList{"ab"};
}

void TestMerging::seams()
{
    QFETCH(QStringList, left);
    QFETCH(QStringList, right);
    QFETCH(int, depth);
    QFETCH(QStringList, expected);

    const RecognitionResult a = textOf(left);
    const RecognitionResult b = textOf(right, 500);
    const RecognitionResult merged = mergeResultInto(a, b, depth);
    QCOMPARE(wordLabels(merged), expected);
    QCOMPARE(merged.root().selectedCandidate().label(), (left + right).join(QString()));
    if (depth == 0) {
        const QList<Segment> both = a.root().selectedCandidate().children()
                                    + b.root().selectedCandidate().children();
        QVERIFY(merged.root().selectedCandidate().children() == both);
    }
}

void TestMerging::gluedWordTakesAndOfWordFlags_data()
{
    QTest::addColumn<int>("leftFlag");
    QTest::addColumn<int>("rightFlag");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("flag");
    QTest::newRow("clear") << 0 << 0 << 1 << 0;
    QTest::newRow("common bit") << 2 << 6 << 1 << 2;
    QTest::newRow("no common bit") << 2 << 4 << 1 << 0;
    QTest::newRow("stand-alone left") << 1 << 0 << 2 << -1;
    QTest::newRow("stand-alone right") << 0 << 3 << 2 << -1;
}

void TestMerging::gluedWordTakesAndOfWordFlags()
{
    QFETCH(int, leftFlag);
    QFETCH(int, rightFlag);
    QFETCH(int, words);
    QFETCH(int, flag);
    const RecognitionResult a = resultFromNode(branch({word("ab", 0, leftFlag)}).selectedCandidate());
    const RecognitionResult b = resultFromNode(branch({word("cd", 50, rightFlag)}).selectedCandidate());
    const QList<Segment> merged = mergeResultInto(a, b, 1).root().selectedCandidate().children();
    QCOMPARE(merged.size(), words);
    if (words == 1) {
        QCOMPARE(merged[0].selectedCandidate().wordFlag(), flag);
        QCOMPARE(merged[0].selectedCandidate().children().size(), 4);
    }
}

void TestMerging::deeperGluingKeepsCharacters()
{
    const RecognitionResult merged = mergeResultInto(textOf({"ab"}), textOf({"cd"}, 50), 2);
    QCOMPARE(wordLabels(merged), QStringList{"abcd"});
    const QList<Segment> characters =
        merged.root().selectedCandidate().children()[0].selectedCandidate().children();
    QCOMPARE(characters.size(), 4);
    for (const Segment &c : characters)
        QCOMPARE(c.candidates().size(), 1);
}

void TestMerging::joinedInkIsUnion()
{
    const Segment a = word("ab", 0);
    const Segment b = word("cd", 50);
    const Segment joined = joinSegments(a, b, 1);
    QVERIFY(joined.ink() == a.ink().united(b.ink()));
    QCOMPARE(joined.selectedIndex(), 0);
    QCOMPARE(joined.candidates().size(), 1);
}

void TestMerging::joinSegmentsWithoutChildren()
{
    const Segment a = leaf("a", InkRange::fromStroke(pen(0)));
    const Segment b = leaf("b", InkRange::fromStroke(pen(20)));
    const Segment joined = joinSegments(a, b, 0);
    QVERIFY(joined.candidates().isEmpty());
    QCOMPARE(joined.selectedIndex(), -1);
    QVERIFY(joined.ink() == a.ink().united(b.ink()));
}

void TestMerging::frameChange_data()
{
    QTest::addColumn<QTransform>("ta");
    QTest::addColumn<QTransform>("tb");
    QTest::addColumn<QPointF>("firstPoint");
    const QTransform shifted = QTransform::fromTranslate(10, 5);
    QTest::newRow("identity") << QTransform() << QTransform() << QPointF(100, 0);
    QTest::newRow("equal transforms") << shifted << shifted << QPointF(100, 0);
    QTest::newRow("a shifted") << shifted << QTransform() << QPointF(110, 5);
    QTest::newRow("b shifted") << QTransform() << shifted << QPointF(90, -5);
    QTest::newRow("a scaled") << QTransform::fromScale(2, 3) << QTransform() << QPointF(200, 0);
    // a's transform applies first, then the inverse of b's.
    QTest::newRow("a scaled, b shifted")
        << QTransform::fromScale(2, 3) << shifted << QPointF(190, -5);
}

void TestMerging::frameChange()
{
    QFETCH(QTransform, ta);
    QFETCH(QTransform, tb);
    QFETCH(QPointF, firstPoint);
    RecognitionResult a = textOf({"ab"});
    a.setTransform(ta);
    RecognitionResult b = textOf({"cd"}, 100);
    b.setTransform(tb);

    const RecognitionResult merged = mergeResultInto(a, b, 0);
    QCOMPARE(merged.transform(), ta);
    const Segment moved = merged.root().selectedCandidate().children()[1];
    const Stroke first = moved.selectedCandidate().children()[0].ink().pieces()[0].stroke();
    QCOMPARE(first.path().elementAt(0), firstPoint);
    const Stroke original = b.root().selectedCandidate().children()[0]
                                .selectedCandidate().children()[0].ink().pieces()[0].stroke();
    QCOMPARE(first.stamp(), original.stamp());
    QCOMPARE(first == original, ta == tb);
}

void TestMerging::sharedStrokeMapsToOneStroke()
{
    // One stroke written for two characters, also tagged as type 3.
    const Stroke shared = pen(0, 6);
    InkRange firstHalf;
    firstHalf.add(piece(shared, {{0, 2}}));
    InkRange secondHalf;
    secondHalf.add(piece(shared, {{3, 5}}));
    const Segment w = branch({leaf("x", firstHalf), leaf("y", secondHalf)});
    RecognitionResult b = resultFromNode(branch({w}).selectedCandidate());
    b.storeInkOfType(3, secondHalf);
    b.setTransform(QTransform::fromTranslate(-7, 0));

    const RecognitionResult merged = mergeResultInto(RecognitionResult(), b, 0);
    const QList<Stroke> strokes = allStrokes(merged.root());
    QVERIFY(strokes.size() >= 4);
    for (const Stroke &s : strokes) {
        QCOMPARE(s, strokes.first());
        QCOMPARE(s.path().elementAt(0).x, 7.0);
    }
    QCOMPARE(merged.root().ink().pieces().size(), 1);
    const InkRange tagged = merged.cachedInk(3);
    QCOMPARE(tagged.pieces().size(), 1);
    QCOMPARE(tagged.pieces()[0].stroke(), strokes.first());
    QCOMPARE(tagged.pieces()[0].intervals(), (IntervalList{{3, 5}}));
}

void TestMerging::transformKeepsCandidates()
{
    ResultNode symbol;
    symbol.setLabel(QStringLiteral("x"));
    symbol.setType(5);
    symbol.setScore(0.25f);
    symbol.setWordFlag(4);
    ResultNode alternative;
    alternative.setLabel(QStringLiteral("×"));
    Segment character;
    character.appendCandidate(symbol);
    character.appendCandidate(alternative);
    character.setSelectedCandidate(1);
    character.setInk(InkRange::fromStroke(pen(0)));
    RecognitionResult r = resultFromNode(branch({branch({character})}).selectedCandidate());

    const RecognitionResult mapped = transformResult(r, QTransform::fromScale(2, 2));
    const Segment c =
        mapped.root().segmentsOfType(ResultNode::Word)[0].selectedCandidate().children()[0];
    QCOMPARE(c.selectedIndex(), 1);
    QCOMPARE(c.candidates().size(), 2);
    const ResultNode kept = c.candidates()[0];
    QCOMPARE(kept.label(), QStringLiteral("x"));
    QCOMPARE(kept.type(), 5);
    QCOMPARE(kept.score(), 0.25f);
    QCOMPARE(kept.wordFlag(), 4);
    QCOMPARE(c.ink().pieces()[0].stroke().path().elementAt(2), QPointF(4, 0));
    QCOMPARE(mapped.root().selectedCandidate().label(), QStringLiteral("×"));
}

void TestMerging::transformMapsLayout()
{
    RecognitionResult r = textOf({"ab"});
    r.layout().lineSpacing = 4;
    r.layout().linePositions = {1, 2};
    r.setTransform(QTransform::fromTranslate(1, 1));
    const QTransform t = QTransform::fromScale(1, 2) * QTransform::fromTranslate(0, 10);
    const RecognitionResult mapped = transformResult(r, t);
    QCOMPARE(mapped.layout().lineSpacing, 8.0);
    QCOMPARE(mapped.layout().linePositions, (QList<double>{12, 14}));
    QCOMPARE(mapped.transform(), r.transform());
    QCOMPARE(dump(transformResult(r, QTransform())), dump(r));
}

void TestMerging::layoutRecordsCombine_data()
{
    QTest::addColumn<double>("spacingA");
    QTest::addColumn<int>("alignA");
    QTest::addColumn<double>("spacingB");
    QTest::addColumn<int>("alignB");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<int>("align");
    QTest::newRow("neither spaced") << 0.0 << 132 << 0.0 << 1 << 0.0 << 1;
    QTest::newRow("b's spacing, scaled") << 0.0 << 132 << 3.0 << 132 << 6.0 << 132;
    QTest::newRow("a's spacing kept") << 5.0 << 1 << 3.0 << 2 << 5.0 << 1;
    QTest::newRow("right kept") << 5.0 << 2 << 3.0 << 1 << 5.0 << 2;
}

void TestMerging::layoutRecordsCombine()
{
    QFETCH(double, spacingA);
    QFETCH(int, alignA);
    QFETCH(double, spacingB);
    QFETCH(int, alignB);
    QFETCH(double, spacing);
    QFETCH(int, align);

    RecognitionResult a = textOf({"ab"});
    a.setTransform(QTransform::fromScale(2, 2));
    a.layout() = {spacingA, {10}, alignA, 2};
    RecognitionResult b = textOf({"cd", "\n", "ef"}, 100);
    b.layout() = {spacingB, {20, 30}, alignB, 8};

    const ResultLayout merged = mergeResultInto(a, b, 0).layout();
    QCOMPARE(merged.lineSpacing, spacing);
    QCOMPARE(merged.alignment, align);
    QCOMPARE(merged.flags, 10);
    QCOMPARE(merged.linePositions, (QList<double>{10, 60}));
}

void TestMerging::perTypeInkIsUnited()
{
    RecognitionResult a = textOf({"ab"});
    a.storeInkOfType(1, a.root().ink());
    RecognitionResult b = textOf({"cd"}, 100);
    b.storeInkOfType(1, b.root().ink());
    b.storeInkOfType(2, b.root().ink());
    b.setTransform(QTransform::fromTranslate(0, 3));

    const RecognitionResult merged = mergeResultInto(a, b, 1);
    QCOMPARE(merged.inkTypes().size(), 2);
    QCOMPARE(merged.inkTypes()[0].first, 1);
    QVERIFY(merged.cachedInk(1) == merged.root().ink());
    QCOMPARE(merged.cachedInk(2).pieces().size(), 2);
    QVERIFY(!merged.cachedInk(2).intersects(a.root().ink()));
}

void TestMerging::argumentsUnchanged()
{
    RecognitionResult a = textOf({"ab", " "});
    a.storeInkOfType(0, a.root().ink());
    a.layout() = {2, {1}, 132, 0};
    RecognitionResult b = textOf({"cd", "\n", "ef"}, 100);
    b.setTransform(QTransform::fromTranslate(5, 5));
    b.storeInkOfType(0, b.root().ink());
    b.layout() = {3, {4, 5}, 1, 2};
    const QString beforeA = dump(a);
    const QString beforeB = dump(b);

    mergeResults({a, b, a}, 1);
    transformResult(b, QTransform::fromScale(3, 3));
    joinSegments(a.root(), b.root(), 1);
    QCOMPARE(dump(a), beforeA);
    QCOMPARE(dump(b), beforeB);
}

QTEST_GUILESS_MAIN(TestMerging)
#include "tst_merging.moc"
