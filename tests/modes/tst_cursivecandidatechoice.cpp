#include "cursivefixtures.h"
#include "modes/cursivecandidatechoice.h"
#include "modes/cursivelayout.h"

#include <QTest>

using namespace cursivefixtures;

namespace {

const QTime Written(10, 0);

StrokeStamp later()
{
    return {Written.addSecs(5), 1 << 30};
}

// A word written at ten o'clock with further candidates after its own label.
Segment withAlternatives(const QString &label, const QRectF &box, const QStringList &others)
{
    Segment w = word(label, box, false, Written);
    for (const QString &other : others) {
        ResultNode n;
        n.setType(ResultNode::Word);
        n.setLabel(other);
        w.appendCandidate(n);
    }
    w.setSelectedCandidate(0);
    return w;
}

QStringList labelsOf(const RecognitionResult &r)
{
    QStringList out;
    for (const Segment &w : r.root().selectedCandidate().children())
        out.append(w.selectedCandidate().label());
    return out;
}

} // namespace

// A candidate chosen in a cursive word's list.
class TestCursiveCandidateChoice : public QObject
{
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void chosenWordKeepsItsTypesetInk();
    void foreignSegmentChangesNothing();
};

void TestCursiveCandidateChoice::choice_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("selected");
    QTest::newRow("second word, second candidate") << 2 << 1 << QStringList{"hello", " ", "word"} << 1;
    QTest::newRow("first word, third candidate") << 0 << 2 << QStringList{"hullo", " ", "world"} << 2;
    QTest::newRow("the selected one again") << 2 << 0 << QStringList{"hello", " ", "world"} << 0;
    // Without a selection the word would drop out of the text.
    QTest::newRow("out of range changes nothing") << 2 << 7 << QStringList{"hello", " ", "world"} << 0;
    QTest::newRow("negative changes nothing") << 0 << -1 << QStringList{"hello", " ", "world"} << 0;
}

void TestCursiveCandidateChoice::choice()
{
    QFETCH(int, word);
    QFETCH(int, index);
    const RecognitionResult model = result(
        {withAlternatives("hello", QRectF(100, 100, 200, 60), {"hallo", "hullo"}), space(),
         withAlternatives("world", QRectF(400, 100, 200, 60), {"word"})});
    const Segment chosen = model.root().segmentsOfType(ResultNode::Word).at(word);
    const RecognitionResult after = chooseCandidate(model, chosen, index, later());
    QTEST(labelsOf(after), "labels");
    QTEST(after.root().selectedCandidate().children().at(word).selectedIndex(), "selected");
    QCOMPARE(after.root().ink(), model.root().ink());
}

void TestCursiveCandidateChoice::chosenWordKeepsItsTypesetInk()
{
    RecognitionResult model = result(
        {withAlternatives("hello", QRectF(100, 100, 200, 60), {}), space(),
         withAlternatives("world", QRectF(400, 100, 200, 60), {"word"})});
    const Segment world = model.root().segmentsOfType(ResultNode::Word).at(2);
    model.storeInkOfType(TypesetInk, model.root().ink());
    model.storeInkOfType(SpacedCharacterInk, world.ink());
    // Too early for typesetting to mark anything itself.
    const StrokeStamp early{Written, 1 << 30};
    const RecognitionResult after = chooseCandidate(model, world, 1, early);
    QVERIFY(after.cachedInk(TypesetInk).contains(world.ink()));
    QCOMPARE(after.cachedInk(SpacedCharacterInk), world.ink());
}

void TestCursiveCandidateChoice::foreignSegmentChangesNothing()
{
    const RecognitionResult model =
        result({withAlternatives("hello", QRectF(100, 100, 200, 60), {"hallo"})});
    const Segment elsewhere = withAlternatives("hello", QRectF(900, 100, 200, 60), {"hallo"});
    QCOMPARE(chooseCandidate(model, elsewhere, 1, later()), model);
    QCOMPARE(chooseCandidate(model, Segment(), 1, later()), model);
}

QTEST_MAIN(TestCursiveCandidateChoice)
#include "tst_cursivecandidatechoice.moc"
