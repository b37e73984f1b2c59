#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"

#include <QTest>

using namespace cursivefixtures;

namespace {

// What a word segment's placement should be: the identity, or the label set
// after the text before it in its run, from the start x of an anchor word.
struct Place
{
    bool identity = true;
    int anchor = -1;
    QString before;
    int line = 0;
};

Place identity() { return Place(); }
Place at(int anchor, const QString &before, int line) { return Place{false, anchor, before, line}; }

const QRectF HelloBox(100, 50, 200, 60);
const QRectF WorldBox(400, 50, 200, 60);
const QRectF AgainBox(150, 200, 150, 60);

} // namespace

Q_DECLARE_METATYPE(Place)

// Where the settled words of a cursive result stand as typeset lines.
class TestCursiveWordLayout : public QObject
{
    Q_OBJECT
private slots:
    void placements_data();
    void placements();
    void emptyModelGivesNoPlacements();
    void withoutSettledInkEveryWordStaysInPlace();
    void startXLeavesOutTheLeftmostStrokeOffset();
    void linesPastTheLayoutFollowTheLast();
};

void TestCursiveWordLayout::placements_data()
{
    QTest::addColumn<QList<Segment>>("words");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("controllerAlignment");
    QTest::addColumn<bool>("commonLineStart");
    QTest::addColumn<QList<int>>("unsettled");
    QTest::addColumn<QList<Place>>("expected");

    const Segment hello = word(QStringLiteral("hello"), HelloBox);
    const Segment world = word(QStringLiteral("world"), WorldBox);
    const Segment again = word(QStringLiteral("again"), AgainBox);
    const QList<Segment> fiveSegments{hello, space(), world, newLine(), again};
    const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignCenter;

    QTest::newRow("two lines, each from its own first word")
        << fiveSegments << left << left << false << QList<int>()
        << QList<Place>{at(0, "", 0), identity(), at(0, "hello ", 0), identity(), at(4, "", 1)};
    QTest::newRow("two lines from the text's first word")
        << fiveSegments << left << left << true << QList<int>()
        << QList<Place>{at(0, "", 0), identity(), at(0, "hello ", 0), identity(), at(0, "", 1)};
    QTest::newRow("a space before a run's first word does not shift it")
        << QList<Segment>{space(), hello, space(), world} << left << left << false
        << QList<int>() << QList<Place>{identity(), at(1, "", 0), identity(), at(1, "hello ", 0)};
    QTest::newRow("an unsettled word starts a new run, also from the text's start")
        << QList<Segment>{hello, space(), world, space(), again} << left << left << true
        << QList<int>{2} << QList<Place>{at(0, "", 0), identity(), identity(), identity(),
                                         at(4, "", 0)};
    QTest::newRow("an unsettled first word gives the text's start")
        << fiveSegments << left << left << true << QList<int>{0}
        << QList<Place>{identity(), identity(), at(2, "", 0), identity(), at(0, "", 1)};
    QTest::newRow("right to left: runs grow leftwards from the first word's right edge")
        << QList<Segment>{world, space(), hello} << right << right << false << QList<int>()
        << QList<Place>{at(0, "", 0), identity(), at(0, "world ", 0)};
    // Walked backward: the last line comes first and each run begins at its
    // last word in tree order.
    QTest::newRow("alignment other than the controller's: walked backward")
        << fiveSegments << right << left << false << QList<int>()
        << QList<Place>{at(2, "world ", 1), identity(), at(2, "", 1), identity(), at(4, "", 0)};
    QTest::newRow("centred on a left-to-right controller: walked backward")
        << fiveSegments << centre << left << false << QList<int>()
        << QList<Place>{at(2, "world ", 1), identity(), at(2, "", 1), identity(), at(4, "", 0)};
    QTest::newRow("centred on a centred controller: walked forward")
        << fiveSegments << centre << centre << false << QList<int>()
        << QList<Place>{at(0, "", 0), identity(), at(0, "hello ", 0), identity(), at(4, "", 1)};
}

void TestCursiveWordLayout::placements()
{
    QFETCH(QList<Segment>, words);
    QFETCH(int, alignment);
    QFETCH(int, controllerAlignment);
    QFETCH(bool, commonLineStart);
    QFETCH(QList<int>, unsettled);
    QFETCH(QList<Place>, expected);

    RecognitionResult model = result(words, 40, alignment);
    model.layout().linePositions = {120, 260};
    InkRange settled;
    for (int i = 0; i < words.size(); ++i) {
        if (!unsettled.contains(i))
            settled = settled.united(words.at(i).ink());
    }
    model.storeInkOfType(SettledInk, settled);
    const RecognitionResult before = model;

    const QList<QTransform> placements =
        layoutWordPlacements(model, commonLineStart, controllerAlignment);

    QCOMPARE(model, before);
    QCOMPARE(placements.size(), expected.size());
    const double s = 40 / referenceCharHeight(referenceCharFor(alignment));
    for (int k = 0; k < expected.size(); ++k) {
        const Place &p = expected.at(k);
        const QTransform &t = placements.at(k);
        if (p.identity) {
            QVERIFY2(t.isIdentity(), qPrintable(QString::number(k)));
            continue;
        }
        const QRectF ink = words.at(p.anchor).ink().boundingRect();
        const QString own = words.at(k).selectedCandidate().label();
        const double dx = alignment == int(Qt::AlignRight)
                              ? ink.right() - (measureText(p.before).right() + measureText(own).width()) * s
                              : ink.left() + measureText(p.before).right() * s;
        QCOMPARE(t, QTransform(s, 0, 0, s, dx, p.line == 0 ? 120 : 260));
    }
}

void TestCursiveWordLayout::emptyModelGivesNoPlacements()
{
    QVERIFY(layoutWordPlacements(RecognitionResult(), false, Qt::AlignLeft).isEmpty());
}

void TestCursiveWordLayout::withoutSettledInkEveryWordStaysInPlace()
{
    RecognitionResult model = result({word(QStringLiteral("hello"), HelloBox), space(),
                                      word(QStringLiteral("world"), WorldBox)});
    model.layout().linePositions = {120};
    for (const QTransform &t : layoutWordPlacements(model, true, Qt::AlignLeft))
        QVERIFY(t.isIdentity());
}

void TestCursiveWordLayout::startXLeavesOutTheLeftmostStrokeOffset()
{
    const Stroke far = makeBoxStroke(QRectF(300, 0, 50, 50), 0.0);
    const Stroke leftmost = makeBoxStroke(QRectF(100, 0, 50, 50), 12.0);
    const InkRange ink = InkRange::fromStroke(far).united(InkRange::fromStroke(leftmost));
    QCOMPARE(wordStartX(ink, Qt::AlignLeft), 100.0 - 12.0);
    QCOMPARE(wordStartX(ink, Qt::AlignRight), 350.0 - 12.0);
    QCOMPARE(wordStartX(InkRange(), Qt::AlignLeft), 0.0);
}

// A line the layout has no position for must not read past its list.
void TestCursiveWordLayout::linesPastTheLayoutFollowTheLast()
{
    RecognitionResult model =
        result({word(QStringLiteral("hello"), HelloBox), newLine(),
                word(QStringLiteral("world"), WorldBox), newLine(),
                word(QStringLiteral("again"), AgainBox)}, 40);
    model.layout().linePositions = {120};
    model.storeInkOfType(SettledInk, model.root().ink());
    const QList<QTransform> placements = layoutWordPlacements(model, false, Qt::AlignLeft);
    QCOMPARE(placements.size(), 5);
    QCOMPARE(placements.at(0).dy(), 120.0);
    QCOMPARE(placements.at(2).dy(), 120.0 + 2.2 * 40);
    QCOMPARE(placements.at(4).dy(), 120.0 + 2 * 2.2 * 40);
}

QTEST_MAIN(TestCursiveWordLayout)
#include "tst_cursivewordlayout.moc"
