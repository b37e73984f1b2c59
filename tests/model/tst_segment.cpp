#include "model/segment.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of three points starting at x.
Stroke penStroke(double x)
{
    return zigzag(x, 3, 1);
}

// A word whose characters all hold the word's ink.
Segment word(const QString &text, const InkRange &ink = {})
{
    QList<Segment> chars;
    for (const QChar c : text)
        chars << leaf(c, ink);
    Segment w = branch(chars);
    w.setInk(ink);
    return w;
}

} // namespace

class TestSegment : public QObject
{
    Q_OBJECT

private slots:
    void selectedCandidateOutOfRange_data();
    void selectedCandidateOutOfRange();
    void selection();
    void candidateType_data();
    void candidateType();
    void lazyLabel();
    void spacesAndNewLines_data();
    void spacesAndNewLines();
    void segmentsOfType();
    void equality();
    void equalityOfSeparatelyBuiltTrees();
    void nthSegmentMatching_data();
    void nthSegmentMatching();
    void splitInk_data();
    void splitInk();
    void inkEditingDetaches();
};

void TestSegment::selectedCandidateOutOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("none") << -1;
    QTest::newRow("beyond") << 3;
}

void TestSegment::selectedCandidateOutOfRange()
{
    QFETCH(int, index);
    const Segment s = segmentOf({node("a"), node("b"), node("c")}, index);
    QCOMPARE(s.selectedIndex(), -1);
    const ResultNode c = s.selectedCandidate();
    QCOMPARE(c.type(), int(ResultNode::Character));
    QVERIFY(c.label().isEmpty());
    QVERIFY(c.children().isEmpty());
}

void TestSegment::selection()
{
    Segment s = segmentOf({node("a"), node("b"), node("c")}, 1);
    QCOMPARE(s.selectedCandidate().label(), QString("b"));
    QVERIFY(!s.setSelectedCandidate(5));
    QCOMPARE(s.selectedIndex(), -1);
    QVERIFY(s.selectLastCandidate());
    QCOMPARE(s.selectedIndex(), 2);

    Segment empty;
    QVERIFY(!empty.selectLastCandidate());
    QCOMPARE(empty.selectedIndex(), -1);
    QCOMPARE(Segment().selectedIndex(), -1);
}

void TestSegment::candidateType_data()
{
    QTest::addColumn<ResultNode>("candidate");
    QTest::addColumn<int>("type");

    ResultNode given = node("x");
    given.setType(7);
    QTest::newRow("empty candidate") << ResultNode() << 2;
    QTest::newRow("leaf") << node("a") << 2;
    QTest::newRow("word") << node(QString(), {leaf("a")}) << 1;
    QTest::newRow("text") << node(QString(), {word("ab")}) << 0;
    QTest::newRow("given by producer") << given << 7;
}

void TestSegment::candidateType()
{
    QFETCH(ResultNode, candidate);
    QFETCH(int, type);
    QCOMPARE(candidate.type(), type);
    QCOMPARE(candidate.type(), type);
}

void TestSegment::lazyLabel()
{
    const ResultNode w = node(QString(), {leaf("a"), leaf("b")});
    const ResultNode copy = w;
    QCOMPARE(w.label(), QString("ab"));
    QCOMPARE(copy.label(), QString("ab"));

    ResultNode changed = w;
    changed.setChildren({leaf("x")});
    QCOMPARE(changed.label(), QString("ab"));
    QCOMPARE(node(QString(), {leaf(QString())}).label(), QString());
    QCOMPARE(node("given", {leaf("a")}).label(), QString("given"));
}

void TestSegment::spacesAndNewLines_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("space");
    QTest::addColumn<bool>("newLine");

    QTest::newRow("space") << " " << true << false;
    QTest::newRow("ideographic space") << QString(QChar(0x3000)) << true << false;
    QTest::newRow("new line") << "\n" << false << true;
    QTest::newRow("two spaces") << "  " << false << false;
    QTest::newRow("letter") << "a" << false << false;
    QTest::newRow("empty") << "" << false << false;
}

void TestSegment::spacesAndNewLines()
{
    QFETCH(QString, label);
    QFETCH(bool, space);
    QFETCH(bool, newLine);
    QCOMPARE(node(label).isSpace(), space);
    QCOMPARE(node(label).isNewLine(), newLine);
}

void TestSegment::segmentsOfType()
{
    const Segment ab = word("ab");
    const Segment c = word("c");
    const Segment text = branch({branch({ab, c}), branch({word("de")})});
    const QList<Segment> words = text.segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 3);
    QCOMPARE(words[0], ab);
    QCOMPARE(words[1], c);
    QCOMPARE(text.segmentsOfType(ResultNode::Character).size(), 5);
    QCOMPARE(ab.segmentsOfType(ResultNode::Word), QList<Segment>{ab});
    QVERIFY(Segment().segmentsOfType(ResultNode::Character).isEmpty());
}

void TestSegment::equality()
{
    const InkRange ink = InkRange::fromStroke(penStroke(0));
    const Segment a = segmentOf({node("a"), node("o")}, 0, ink);
    const Segment b = segmentOf({node("a"), node("o")}, 1, ink);
    QCOMPARE(a, b);
    QVERIFY(a != segmentOf({node("a"), node("o")}, 0, InkRange::fromStroke(penStroke(0))));
    QVERIFY(a != segmentOf({node("a"), node("e")}, 0, ink));
    QVERIFY(a != segmentOf({node("a")}, 0, ink));

    ResultNode scored = node("a");
    scored.setScore(0.25f);
    scored.setType(5);
    QCOMPARE(scored, node("a"));
    ResultNode flagged = node("a");
    flagged.setWordFlag(1);
    QVERIFY(flagged != node("a"));
}

void TestSegment::equalityOfSeparatelyBuiltTrees()
{
    const Segment first = branch({word("ab"), word("cd")});
    const Segment second = branch({word("ab"), word("cd")});
    QCOMPARE(first, second);
    QCOMPARE(second, first);
    QVERIFY(branch({word("ab"), word("cd")}) != branch({word("ab"), word("ce")}));
    // An explicit label equals the same label computed from equal children.
    QCOMPARE(node("ab", {leaf("a"), leaf("b")}), node(QString(), {leaf("a"), leaf("b")}));
}

void TestSegment::nthSegmentMatching_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Segment::WordFilter>("matchFilter");
    QTest::addColumn<Segment::WordFilter>("countFilter");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("count");

    // Lines: ["ab", " ", "cd"] ["ef" (typed), " "]
    QTest::newRow("first word") << 0 << Segment::NoSpaces << Segment::NoSpaces << "ab" << 0;
    QTest::newRow("second word skips space")
        << 1 << Segment::NoSpaces << Segment::NoSpaces << "cd" << 1;
    QTest::newRow("second of all") << 1 << Segment::AllWords << Segment::AllWords << " " << 1;
    QTest::newRow("counted without spaces")
        << 2 << Segment::AllWords << Segment::NoSpaces << "cd" << 1;
    QTest::newRow("last of all is a space")
        << -1 << Segment::AllWords << Segment::AllWords << " " << 4;
    QTest::newRow("last without spaces")
        << -1 << Segment::NoSpaces << Segment::NoSpaces << "ef" << 2;
    QTest::newRow("skip typed") << 2 << Segment::NoTyped << Segment::NoTyped << "cd" << 2;
    QTest::newRow("spaces only") << 1 << Segment::OnlySpaces << Segment::OnlySpaces << " " << 1;
    QTest::newRow("beyond") << 9 << Segment::AllWords << Segment::AllWords << "" << -1;
}

void TestSegment::nthSegmentMatching()
{
    QFETCH(int, index);
    QFETCH(Segment::WordFilter, matchFilter);
    QFETCH(Segment::WordFilter, countFilter);
    QFETCH(QString, label);
    QFETCH(int, count);

    const InkRange pen = InkRange::fromStroke(penStroke(0));
    const InkRange typed = InkRange::fromStroke(makePointRowStroke(2));
    const Segment text = branch({branch({word("ab", pen), word(" "), word("cd", pen)}),
                                 branch({word("ef", typed), word(" ")})});
    int counted = -7;
    const Segment found = text.nthSegmentMatching(index, matchFilter, &counted, countFilter);
    QCOMPARE(found.selectedCandidate().label(), label);
    QCOMPARE(counted, count);
    QCOMPARE(text.nthSegmentMatching(index, matchFilter, nullptr, countFilter), found);
}

void TestSegment::splitInk_data()
{
    QTest::addColumn<int>("stroke");  // 3 is a stroke outside the pieces
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("isStart");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QList<int>>("before");  // triples: stroke, first, last
    QTest::addColumn<QList<int>>("after");

    QTest::newRow("inside the middle stroke")
        << 1 << 1 << true << true << QList<int>{0, 0, 2, 1, 0, 1} << QList<int>{1, 1, 2, 2, 0, 2};
    QTest::newRow("at a start") << 1 << 0 << true << true << QList<int>{0, 0, 2}
                                << QList<int>{1, 0, 2, 2, 0, 2};
    QTest::newRow("at an end") << 0 << 2 << false << true
                               << QList<int>{0, 0, 2} << QList<int>{1, 0, 2, 2, 0, 2};
    QTest::newRow("elsewhere") << 3 << 1 << true << false
                               << QList<int>{0, 0, 2, 1, 0, 2, 2, 0, 2} << QList<int>{};
}

void TestSegment::splitInk()
{
    QFETCH(int, stroke);
    QFETCH(int, point);
    QFETCH(bool, isStart);
    QFETCH(bool, held);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);

    const QList<Stroke> strokes{penStroke(0), penStroke(5), penStroke(10), penStroke(15)};
    QList<StrokeRange> pieces;
    for (int i = 0; i < 3; ++i)
        pieces << InkRange::fromStroke(strokes[i]).pieces();
    auto inkOf = [&strokes](const QList<int> &triples) {
        InkRange ink;
        for (int i = 0; i + 2 < triples.size(); i += 3)
            ink.add(piece(strokes[triples[i]], {{triples[i + 1], triples[i + 2]}}));
        return ink;
    };

    Segment gotBefore = word("x");
    Segment gotAfter = word("y");
    QCOMPARE(splitInkAt({strokes[stroke], point, isStart}, &gotBefore, &gotAfter, pieces), held);
    QCOMPARE(gotBefore.ink(), inkOf(before));
    QCOMPARE(gotAfter.ink(), inkOf(after));
    QVERIFY(gotBefore.candidates().isEmpty());
    QCOMPARE(splitInkAt({strokes[stroke], point, isStart}, nullptr, &gotAfter, pieces), held);
    QCOMPARE(gotAfter.ink(), inkOf(after));
}

void TestSegment::inkEditingDetaches()
{
    const InkRange first = InkRange::fromStroke(penStroke(0));
    const InkRange second = InkRange::fromStroke(penStroke(5));
    Segment s = leaf("a", first);
    const Segment copy = s;
    s.addInk(second);
    QCOMPARE(s.ink(), first.united(second));
    QCOMPARE(copy.ink(), first);
    s.addStrokeRange(second.pieces().first());
    QCOMPARE(s.ink().pieces().size(), 2);
    QCOMPARE(first.pieces().size(), 1);
}

QTEST_GUILESS_MAIN(TestSegment)
#include "tst_segment.moc"
