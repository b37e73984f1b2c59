#include "calculator/calclayoutcontext.h"
#include "calculator/calcmeasure.h"
#include "calculator/calctypeset.h"
#include "model/segmentwalk.h"
#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"

#include <QTest>

namespace {

const double Scale = 0.5;
const QPointF Origin(100, 400);

Segment symbol(const QString &label, const InkRange &ink = {})
{
    ResultNode node;
    node.setLabel(label);
    node.setType(CalcSymbol);
    Segment segment;
    segment.appendCandidate(node);
    segment.setSelectedCandidate(0);
    segment.setInk(ink);
    return segment;
}

Segment node(int type, const QList<Segment> &children)
{
    ResultNode n;
    n.setType(type);
    n.setChildren(children);
    Segment segment;
    segment.appendCandidate(n);
    segment.setSelectedCandidate(0);
    return segment;
}

CalcLayoutContext start()
{
    CalcLayoutContext c;
    c.transform = calcPen(Scale, Origin.x(), Origin.y());
    return c;
}

double xHeight()
{
    return referenceCharHeight(ReferenceChar::LatinX) * Scale;
}

double gap()
{
    return 0.2 * xHeight();
}

QRectF measure(const Segment &segment, CalcLayoutContext &c)
{
    visitSegments(segment, 0, measureCalcTree, &c);
    return c.rect;
}

QRectF measureFromStart(const Segment &segment)
{
    CalcLayoutContext c = start();
    return measure(segment, c);
}

QRectF glyphRect(const Segment &segment)
{
    QRectF r;
    for (const QRectF &box : glyphBoxes(segment, start().transform))
        r |= box;
    return r;
}

// The leaves of a typeset tree in tree order.
QList<Segment> leaves(const Segment &segment)
{
    const ResultNode n = segment.selectedCandidate();
    if (n.type() == CalcSymbol)
        return {segment};
    QList<Segment> out;
    for (const Segment &child : n.children())
        out += leaves(child);
    return out;
}

QRectF boxOf(const Segment &leaf)
{
    return leaf.ink().boundingRect();
}

Segment typesetFromStart(const Segment &segment, CalcLayoutContext *c = nullptr)
{
    CalcLayoutContext local = start();
    CalcLayoutContext *context = c ? c : &local;
    *context = start();
    return visitSegments(segment, 0, typesetCalcTree, context);
}

} // namespace

class TestCalcLayout : public QObject
{
    Q_OBJECT
private slots:
    void loneRootSignIsHalfWidthAndAGapTaller();
    void pendingValuesServeTheNextSymbolOnly();
    void groupSpansItsSymbolsAndMovesThePen();
    void superscriptIsHalfSize();
    void fractionStacksItsPartsFromOneStart();
    void unknownTypeChangesNothing_data();
    void unknownTypeChangesNothing();
    void symbolsBecomeBoxStrokesOverTheirPlace();
    void siblingBoxesFromOneStrokeKeepTheirOrder();
    void fractionBarSpansBothPartsCentred();
    void rootSignSpansTheRadicand();
    void threePartOuterPartsSpanTheFrame();
};

void TestCalcLayout::loneRootSignIsHalfWidthAndAGapTaller()
{
    const Segment root = symbol(QStringLiteral("\u221a"));
    const QRectF glyph = glyphRect(root);
    CalcLayoutContext c = start();
    const QRectF r = measure(root, c);

    QCOMPARE(r.x(), glyph.x());
    QCOMPARE(r.width(), glyph.width() * 0.5);
    QCOMPARE(r.top(), glyph.top() - gap());
    QCOMPARE(r.bottom(), glyph.bottom());
    QCOMPARE(c.transform.dx(), r.right() + gap());
    QCOMPARE(c.transform.dy(), Origin.y());
    QCOMPARE(c.transform.m11(), Scale);
}

void TestCalcLayout::pendingValuesServeTheNextSymbolOnly()
{
    CalcLayoutContext c = start();
    c.nextY = 123;
    c.nextWidth = 456;
    c.nextHeight = 78;
    const QRectF first = measure(symbol(QStringLiteral("1")), c);
    QCOMPARE(first.top(), 123.0);
    QCOMPARE(first.width(), 456.0);
    QCOMPARE(first.height(), 78.0);
    QCOMPARE(c.nextY, 0.0);
    QCOMPARE(c.nextWidth, 0.0);
    QCOMPARE(c.nextHeight, 0.0);

    const Segment two = symbol(QStringLiteral("2"));
    const QRectF glyph = glyphRect(two).translated(c.transform.dx() - Origin.x(), 0);
    const QRectF second = measure(two, c);
    QCOMPARE(second, glyph);
}

void TestCalcLayout::groupSpansItsSymbolsAndMovesThePen()
{
    const Segment one = symbol(QStringLiteral("1"));
    const Segment plus = symbol(QStringLiteral("+"));
    CalcLayoutContext alone = start();
    const QRectF r1 = measure(one, alone);
    const QRectF r2 = measure(plus, alone);

    CalcLayoutContext c = start();
    const QRectF group = measure(node(CalcRow, {one, plus}), c);
    QCOMPARE(group, r1 | r2);
    QCOMPARE(c.transform.dx(), r2.right() + gap());
    QCOMPARE(c.transform.dy(), Origin.y());
}

void TestCalcLayout::superscriptIsHalfSize()
{
    const Segment base = symbol(QStringLiteral("x"));
    const Segment exponent = symbol(QStringLiteral("2"));
    const QRectF rb = measureFromStart(base);
    const QRectF full = measureFromStart(exponent);

    CalcLayoutContext c = start();
    const QRectF r = measure(node(CalcPower, {base, exponent}), c);
    QCOMPARE(c.transform.m11(), Scale);
    QCOMPARE(c.transform.dy(), Origin.y());

    CalcLayoutContext half;
    half.transform = calcPen(Scale / 2, rb.right() + 0.5 * gap(), rb.top() + 0.25 * xHeight());
    const QRectF expectedExponent = measure(exponent, half);
    QCOMPARE(expectedExponent.height(), full.height() / 2);
    QCOMPARE(r, rb | expectedExponent);
    QCOMPARE(c.transform.dx(), expectedExponent.right() + gap());
}

void TestCalcLayout::fractionStacksItsPartsFromOneStart()
{
    const Segment numerator = node(CalcRow, {symbol("1"), symbol("2"), symbol("3")});
    const Segment denominator = symbol(QStringLiteral("4"));
    const QRectF n = measureFromStart(numerator);
    const QRectF d = measureFromStart(denominator);
    QVERIFY(n.width() > d.width());

    CalcLayoutContext c = start();
    const QRectF r = measure(node(CalcFraction, {numerator, symbol("-"), denominator}), c);
    const double wider = (n | d).width();
    QCOMPARE(r, QRectF(Origin.x(), Origin.y() - n.height() - xHeight(), wider + 4 * gap(),
                       xHeight() + n.height() + d.height()));
    QCOMPARE(c.transform.dx(), Origin.x() + wider + 5 * gap());
    QCOMPARE(c.transform.dy(), Origin.y());
}

void TestCalcLayout::unknownTypeChangesNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("text") << 0;
    QTest::newRow("word") << 1;
    QTest::newRow("character") << 2;
    QTest::newRow("six") << 6;
}

void TestCalcLayout::unknownTypeChangesNothing()
{
    QFETCH(int, type);
    const Segment odd = node(type, {symbol("1"), symbol("2")});
    CalcLayoutContext c = start();
    c.rect = QRectF(1, 2, 3, 4);
    c.nextWidth = 9;
    measure(odd, c);
    QCOMPARE(c.transform, start().transform);
    QCOMPARE(c.rect, QRectF(1, 2, 3, 4));
    QCOMPARE(c.nextWidth, 9.0);

    const Segment typeset = typesetFromStart(odd);
    QVERIFY(typeset.candidates().isEmpty());
    QVERIFY(typeset.ink().isEmpty());
}

void TestCalcLayout::symbolsBecomeBoxStrokesOverTheirPlace()
{
    const Segment tree = node(CalcRow, {symbol("7"), symbol("+"), symbol("8")});
    CalcLayoutContext measured = start();
    const QRectF frame = measure(tree, measured);

    CalcLayoutContext c;
    const Segment typeset = typesetFromStart(tree, &c);
    QCOMPARE(c.transform, measured.transform);
    QCOMPARE(typeset.selectedCandidate().type(), int(CalcRow));
    QCOMPARE(typeset.selectedCandidate().label(), QStringLiteral("7+8"));

    CalcLayoutContext pen = start();
    const QList<Segment> boxes = leaves(typeset);
    QCOMPARE(boxes.size(), 3);
    for (const Segment &leaf : boxes) {
        const QList<Stroke> strokes = leaf.ink().strokes();
        QCOMPARE(strokes.size(), 1);
        QCOMPARE(strokes.first().kind(), int(Stroke::Box));
        QCOMPARE(strokes.first().offset(), glyphCells(leaf, pen.transform).value(0));
        QCOMPARE(boxOf(leaf), measure(symbol(leaf.selectedCandidate().label()), pen));
    }
    QCOMPARE(typeset.ink().boundingRect(), frame);
}

void TestCalcLayout::siblingBoxesFromOneStrokeKeepTheirOrder()
{
    QPainterPath path(QPointF(0, 0));
    path.lineTo(50, 50);
    const InkRange written = InkRange::fromStroke(makePathStroke(path));
    const Segment tree = node(CalcRow, {symbol("1", written), symbol("1", written)});

    const QList<Segment> boxes = leaves(typesetFromStart(tree));
    QCOMPARE(boxes.size(), 2);
    const StrokeStamp first = boxes.at(0).ink().latestStamp();
    const StrokeStamp second = boxes.at(1).ink().latestStamp();
    QCOMPARE(first.sequence, written.latestStamp().sequence);
    QCOMPARE(second.sequence, written.latestStamp().sequence + 1);
    QVERIFY(boxes.at(0).ink() != boxes.at(1).ink());
}

void TestCalcLayout::fractionBarSpansBothPartsCentred()
{
    const Segment numerator = symbol(QStringLiteral("5"));
    const Segment denominator = node(CalcRow, {symbol("1"), symbol("0"), symbol("0")});
    const QRectF n = measureFromStart(numerator);
    const QRectF d = measureFromStart(denominator);

    CalcLayoutContext c;
    const Segment typeset =
        typesetFromStart(node(CalcFraction, {numerator, symbol("-"), denominator}), &c);
    const QList<Segment> parts = typeset.selectedCandidate().children();
    QCOMPARE(parts.size(), 3);
    const QRectF top = parts.at(0).ink().boundingRect();
    const QRectF bar = parts.at(1).ink().boundingRect();
    const QRectF bottom = parts.at(2).ink().boundingRect();

    const double frame = (n | d).width() + 4 * gap();
    QCOMPARE(bar.width(), frame);
    QCOMPARE(bar.left(), glyphRect(symbol("-")).left());
    // Each part sits where it was measured, moved by half of what the frame has over it.
    QCOMPARE(top.left(), n.left() + (frame - n.width()) / 2);
    QCOMPARE(bottom.left(), d.left() + (frame - d.width()) / 2);
    QCOMPARE(top.size(), n.size());
    QCOMPARE(bottom.size(), d.size());
    QCOMPARE(top.bottom(), Origin.y() - xHeight());
    QCOMPARE(bottom.top(), Origin.y());
    QCOMPARE(c.transform.dx(), (n | d).x() + frame + gap());
}

void TestCalcLayout::rootSignSpansTheRadicand()
{
    const Segment radicand = node(CalcRow, {symbol("2"), symbol("5")});
    const Segment root = node(CalcSquareRoot, {symbol(QStringLiteral("\u221a")), radicand});
    const QRectF frame = measureFromStart(root);

    CalcLayoutContext c;
    const Segment typeset = typesetFromStart(root, &c);
    const QList<Segment> parts = typeset.selectedCandidate().children();
    const QRectF sign = parts.at(0).ink().boundingRect();
    const QRectF inner = parts.at(1).ink().boundingRect();
    // The frame's box at the sign's own side bearing.
    const double bearing = glyphRect(symbol(QStringLiteral("\u221a"))).left() - Origin.x();
    QCOMPARE(sign, frame.translated(bearing, 0));
    QVERIFY(sign.contains(inner));
    QCOMPARE(c.transform.dx(), frame.right() + gap());
}

void TestCalcLayout::threePartOuterPartsSpanTheFrame()
{
    const Segment content = node(CalcRow, {symbol("a"), symbol("+"), symbol("b")});
    const Segment group = node(CalcGroup, {symbol("("), content, symbol(")")});
    CalcLayoutContext measured = start();
    const QRectF frame = measure(group, measured);
    const QRectF inner = measureFromStart(content);
    QCOMPARE(frame.height(), inner.height() + 2 * gap());

    CalcLayoutContext c;
    const Segment typeset = typesetFromStart(group, &c);
    const QList<Segment> parts = typeset.selectedCandidate().children();
    QCOMPARE(parts.size(), 3);
    for (int i : {0, 2}) {
        const QRectF outer = parts.at(i).ink().boundingRect();
        QCOMPARE(outer.top(), frame.top());
        QCOMPARE(outer.height(), frame.height());
    }
    QVERIFY(parts.at(0).ink().boundingRect().right() < parts.at(1).ink().boundingRect().left());
    QVERIFY(parts.at(1).ink().boundingRect().right() < parts.at(2).ink().boundingRect().left());
    // The measurement's state is restored, in full, after the parts are set.
    QCOMPARE(c.transform, measured.transform);
    QCOMPARE(c.rect, measured.rect);
    QCOMPARE(c.nextY, measured.nextY);
    QCOMPARE(c.nextHeight, measured.nextHeight);
}

QTEST_MAIN(TestCalcLayout)
#include "tst_calclayout.moc"
