#include "model/resultbuilding.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of two points starting at x.
Stroke penStroke(double x)
{
    return zigzag(x, 2, 2);
}

// The single child of the selected candidate, checked on the way down.
Segment onlyChild(const Segment &s)
{
    const QList<Segment> children = s.selectedCandidate().children();
    if (children.size() != 1)
        qFatal("expected one child, found %d", int(children.size()));
    return children.first();
}

} // namespace

class TestResultBuilding : public QObject
{
    Q_OBJECT

private slots:
    void emptyInputsGiveDefaultResult_data();
    void emptyInputsGiveDefaultResult();
    void fromText();
    void fromStroke();
    void fromStrokeWithoutPoints();
    void fromStrokes_data();
    void fromStrokes();
    void fromNodeUnitesChildInk();
    void promoteCharacterKeepsAlternatives();
    void promotionLevels_data();
    void promotionLevels();
    void rootWithoutPromotionTerminates_data();
    void rootWithoutPromotionTerminates();
};

void TestResultBuilding::emptyInputsGiveDefaultResult_data()
{
    QTest::addColumn<RecognitionResult>("result");
    QTest::newRow("text") << resultFromText(QString(), 1);
    QTest::newRow("node") << resultFromNode(ResultNode());
    QTest::newRow("stroke") << resultFromStroke(Stroke(), QString(), 2, 0);
    QTest::newRow("strokes") << resultFromStrokes({}, "a", 2, 0);
}

void TestResultBuilding::emptyInputsGiveDefaultResult()
{
    QFETCH(RecognitionResult, result);
    QCOMPARE(result, RecognitionResult());
}

void TestResultBuilding::fromText()
{
    const RecognitionResult r = resultFromText("abc", 1);
    const Segment text = r.root();
    QCOMPARE(text.selectedCandidate().type(), int(ResultNode::Text));
    const Segment word = onlyChild(text);
    QCOMPARE(word.selectedCandidate().type(), int(ResultNode::Word));
    const Segment leaf = onlyChild(word);
    QCOMPARE(leaf.candidates().size(), 1);
    QCOMPARE(leaf.selectedCandidate().label(), QString("abc"));
    QCOMPARE(leaf.selectedCandidate().wordFlag(), 1);
    QVERIFY(leaf.selectedCandidate().children().isEmpty());
    QCOMPARE(text.selectedCandidate().wordFlag(), 1);
    QCOMPARE(text.selectedCandidate().label(), QString("abc"));
    QVERIFY(text.ink().pieces().isEmpty());
    QVERIFY(word.ink().pieces().isEmpty());
    QVERIFY(leaf.ink().pieces().isEmpty());
    QCOMPARE(r, resultFromText("abc", 1));
    QVERIFY(r != resultFromText("abc", 0));
}

void TestResultBuilding::fromStroke()
{
    const Stroke s = penStroke(0);
    const RecognitionResult r = resultFromStroke(s, "x", 2, 0);
    QCOMPARE(r.root().ink(), InkRange::fromStroke(s));
    const Segment leaf = onlyChild(onlyChild(r.root()));
    QCOMPARE(leaf.ink(), InkRange::fromStroke(s));
    QCOMPARE(leaf.selectedCandidate().label(), QString("x"));
    QCOMPARE(r.root().selectedCandidate().label(), QString("x"));
    QVERIFY(r.transform().isIdentity());
    QVERIFY(r.inkTypes().isEmpty());
}

void TestResultBuilding::fromStrokeWithoutPoints()
{
    const Stroke bare = makePointRowStroke(0);
    const RecognitionResult r = resultFromStroke(bare, "\n", 2, 0);
    const Segment leaf = onlyChild(onlyChild(r.root()));
    QVERIFY(leaf.selectedCandidate().isNewLine());
    QCOMPARE(leaf.ink().pieces().size(), 1);
    QCOMPARE(leaf.ink().pieces().first().stroke(), bare);
    QVERIFY(!leaf.ink().pieces().first().hasInterval());
    QVERIFY(leaf.ink().isEmpty());
}

void TestResultBuilding::fromStrokes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("rootType");
    QTest::addColumn<int>("depth");  // levels above the leaf

    QTest::newRow("character") << 2 << 0 << 2;
    QTest::newRow("calculator symbol") << 5 << 4 << 1;
}

void TestResultBuilding::fromStrokes()
{
    QFETCH(int, type);
    QFETCH(int, rootType);
    QFETCH(int, depth);

    const Stroke a = penStroke(0);
    const Stroke empty = makePointRowStroke(0);
    const Stroke b = penStroke(5);
    const RecognitionResult r = resultFromStrokes({a, empty, b}, "+", type, 0);
    QCOMPARE(r.root().selectedCandidate().type(), rootType);
    Segment leaf = r.root();
    for (int i = 0; i < depth; ++i)
        leaf = onlyChild(leaf);
    QCOMPARE(leaf.selectedCandidate().type(), type);
    QCOMPARE(leaf.selectedIndex(), 0);
    QCOMPARE(leaf.ink().pieces().size(), 3);
    QCOMPARE(leaf.ink().strokes(), QList<Stroke>({a, b}));
    QCOMPARE(r.root().ink(), leaf.ink());
}

void TestResultBuilding::fromNodeUnitesChildInk()
{
    const Stroke a = penStroke(0);
    const Stroke b = penStroke(5);
    ResultNode w;
    w.appendChild(segmentOf({node("a")}, 0, InkRange::fromStroke(a)));
    w.appendChild(segmentOf({node("b")}, 0, InkRange::fromStroke(b)));
    const RecognitionResult r = resultFromNode(w);
    QCOMPARE(r.root().ink(), InkRange::fromStroke(a).united(InkRange::fromStroke(b)));
    QCOMPARE(r.root().selectedCandidate().type(), int(ResultNode::Text));
    QCOMPARE(onlyChild(r.root()).selectedCandidate().label(), QString("ab"));
}

void TestResultBuilding::promoteCharacterKeepsAlternatives()
{
    const InkRange ink = InkRange::fromStroke(penStroke(0));
    const Segment character =
        segmentOf({node("a"), node("o", ResultNode::NotComputed, 1), node("e")}, 1, ink);
    const Segment word = promoteSegment(character);
    QCOMPARE(word.selectedIndex(), 1);
    QCOMPARE(word.ink(), ink);
    const QList<ResultNode> alternatives = word.candidates();
    QCOMPARE(alternatives.size(), 3);
    const QStringList labels{"a", "o", "e"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(alternatives[i].type(), int(ResultNode::Word));
        QCOMPARE(alternatives[i].label(), labels[i]);
        QCOMPARE(alternatives[i].wordFlag(), i == 1 ? 1 : 0);
        QCOMPARE(alternatives[i].children().size(), 1);
        QCOMPARE(alternatives[i].children().first().selectedIndex(), i);
    }
    QCOMPARE(character.selectedIndex(), 1);
}

void TestResultBuilding::promotionLevels_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("promotedType");  // -1: unchanged

    QTest::newRow("word") << 1 << 0;
    QTest::newRow("structure 5") << 5 << 4;
    QTest::newRow("structure 7") << 7 << 4;
    QTest::newRow("structure 10") << 10 << 4;
    QTest::newRow("text") << 0 << -1;
    QTest::newRow("group") << 4 << -1;
    QTest::newRow("type 3") << 3 << -1;
    QTest::newRow("type 12") << 12 << -1;
}

void TestResultBuilding::promotionLevels()
{
    QFETCH(int, type);
    QFETCH(int, promotedType);

    const Segment s = segmentOf({node("x", type, 1)}, 0, InkRange::fromStroke(penStroke(0)));
    const Segment promoted = promoteSegment(s);
    if (promotedType < 0) {
        QCOMPARE(promoted, s);
        QCOMPARE(promoted.candidates().size(), 1);
        return;
    }
    QCOMPARE(promoted.selectedCandidate().type(), promotedType);
    QCOMPARE(promoted.selectedCandidate().wordFlag(), 1);
    QCOMPARE(onlyChild(promoted), s);
    QCOMPARE(promoted.ink(), s.ink());
    // A promoted structure is already a root: one group above it, no more.
    if (type >= 5)
        QCOMPARE(resultFromSegment(s).root(), promoted);
}

void TestResultBuilding::rootWithoutPromotionTerminates_data()
{
    QTest::addColumn<Segment>("segment");
    QTest::addColumn<int>("candidates");

    QTest::newRow("no candidate") << Segment() << 0;
    QTest::newRow("type 3") << segmentOf({node("x", 3)}, 0) << 1;
    QTest::newRow("nothing selected") << segmentOf({node("a"), node("b")}, -1) << 2;
}

void TestResultBuilding::rootWithoutPromotionTerminates()
{
    QFETCH(Segment, segment);
    QFETCH(int, candidates);
    const RecognitionResult r = resultFromSegment(segment);
    QCOMPARE(r.root().candidates().size(), candidates);
}

QTEST_GUILESS_MAIN(TestResultBuilding)
#include "tst_resultbuilding.moc"
