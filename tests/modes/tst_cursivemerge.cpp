#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivemerge.h"

#include <QTest>

using namespace cursivefixtures;

// A new reading of the recognizer merged into the cursive model.
class TestCursiveMerge : public QObject
{
    Q_OBJECT
private slots:
    void respacingBeforeOrAfter_data();
    void respacingBeforeOrAfter();
    void settledInkKeepsTheModelsReading();
    void marksOfTheModelCarryOver();

private:
    QString textOf(const RecognitionResult &r) { return r.root().selectedCandidate().label(); }
};

void TestCursiveMerge::respacingBeforeOrAfter_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<QString>("text");
    // Respacing the merged model keeps a space after the last word.
    QTest::newRow("after the merge") << false << "hello world ";
    QTest::newRow("before the merge") << true << "hello world";
}

void TestCursiveMerge::respacingBeforeOrAfter()
{
    QFETCH(bool, before);
    QFETCH(QString, text);
    const Segment hello = word("hello", QRectF(0, 0, 100, 40));
    const Segment world = word("world", QRectF(150, 0, 100, 40));
    const RecognitionResult model = result({wordOn("#", hello.ink().strokes() + world.ink().strokes())});
    const RecognitionResult wet = result({hello, space(), world});
    QCOMPARE(textOf(mergeWetResult(model, wet, before)), text);
}

void TestCursiveMerge::settledInkKeepsTheModelsReading()
{
    const Segment hello = word("hello", QRectF(0, 0, 100, 40));
    const Segment world = word("world", QRectF(150, 0, 100, 40));
    RecognitionResult model = result({hello, space(), wordOn("#", world.ink().strokes())});
    model.storeInkOfType(SettledInk, hello.ink());
    model.storeInkOfType(TypesetInk, hello.ink());

    // The recognizer reads the settled word differently; only the new ink
    // takes its reading.
    const Segment misread = wordOn("hallo", hello.ink().strokes());
    const RecognitionResult wet = result({misread, space(), world});
    const RecognitionResult merged = mergeWetResult(model, wet, false);
    QCOMPARE(textOf(merged), QStringLiteral("hello world "));
    QCOMPARE(merged.root().ink(), model.root().ink());
}

void TestCursiveMerge::marksOfTheModelCarryOver()
{
    const Segment hello = word("hello", QRectF(0, 0, 100, 40));
    const Segment world = word("world", QRectF(150, 0, 100, 40));
    RecognitionResult model = result({hello, space(), wordOn("#", world.ink().strokes())});
    model.storeInkOfType(TypesetInk, hello.ink());
    const RecognitionResult merged = mergeWetResult(model, result({hello, space(), world}), false);
    QCOMPARE(merged.cachedInk(TypesetInk), hello.ink());
    QVERIFY(merged.cachedInk(SettledInk).isEmpty());
}

QTEST_MAIN(TestCursiveMerge)
#include "tst_cursivemerge.moc"
