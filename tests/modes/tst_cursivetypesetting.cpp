#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivetypesetting.h"
#include "tests/fixedstampclock.h"

#include <QTest>

using namespace cursivefixtures;

// Which ink of the cursive pad is typeset and settled, and when.
class TestCursiveTypesetting : public QObject
{
    Q_OBJECT
private slots:
    void ageDecides_data();
    void ageDecides();
    void settledNeedsSixReadyFollowers_data();
    void settledNeedsSixReadyFollowers();
    void separatorsFollowTheirPredecessor();
    void keepOutIsWidenedByTwiceTheReferenceHeight_data();
    void keepOutIsWidenedByTwiceTheReferenceHeight();
    void completeTextStopsTheLayout();
    void settledPenWordsFreezeIntoBoxes();
    void spacedCharacters_data();
    void spacedCharacters();

private:
    const QTime now = QTime(12, 0);
    StrokeStamp stampNow() const { return {now, 1 << 30}; }
};

namespace {

constexpr qint64 Noon = 12 * 60 * 60 * 1000;
constexpr qint64 Midnight = 2 * Noon;

} // namespace

void TestCursiveTypesetting::ageDecides_data()
{
    QTest::addColumn<qint64>("nowAt");
    QTest::addColumn<int>("age");
    QTest::addColumn<bool>("typeset");
    QTest::addColumn<bool>("retry");
    QTest::addColumn<int>("retryIn");
    QTest::addColumn<int>("layoutIn");
    QTest::newRow("1400 ms: retried 100 ms later") << Noon << 1400 << false << true << 100 << -1;
    QTest::newRow("just written") << Noon << 1 << false << true << 1499 << -1;
    QTest::newRow("written this moment: retried after the full age")
        << Noon << 0 << false << true << 1500 << -1;
    QTest::newRow("1500 ms: layout 500 ms later") << Noon << 1500 << true << false << 0 << 500;
    QTest::newRow("old: layout at once") << Noon << 5000 << true << false << 0 << 0;
    QTest::newRow("written after midnight, window reaching back before it")
        << Midnight + 1000 << 100 << false << true << 1400 << -1;
    QTest::newRow("written before midnight, 1400 ms")
        << Midnight + 900 << 1400 << false << true << 100 << -1;
    QTest::newRow("written before midnight, 1500 ms: layout 500 ms later")
        << Midnight + 900 << 1500 << true << false << 0 << 500;
    QTest::newRow("written before midnight, 1900 ms: layout 100 ms later")
        << Midnight + 300 << 1900 << true << false << 0 << 100;
}

void TestCursiveTypesetting::ageDecides()
{
    QFETCH(qint64, nowAt);
    QFETCH(int, age);
    QFETCH(bool, typeset);
    QFETCH(bool, retry);
    QFETCH(int, retryIn);
    QFETCH(int, layoutIn);
    const RecognitionResult r = [&] {
        const FixedStampClock clock(nowAt - age);
        return result({word("hello", QRectF(0, 0, 200, 50))});
    }();
    const TypesetMarks marks = markTypesetInk(r, {}, StrokeStamp::atClock(nowAt, 1 << 30));
    QCOMPARE(marks.result.cachedInk(TypesetInk) == r.root().ink(), typeset);
    QVERIFY(marks.result.cachedInk(SettledInk).isEmpty());
    QCOMPARE(marks.retry, retry);
    if (retry)
        QCOMPARE(marks.retryIn, retryIn);
    QCOMPARE(marks.layoutDue, layoutIn >= 0);
    if (layoutIn >= 0)
        QCOMPARE(marks.layoutIn, layoutIn);
}

void TestCursiveTypesetting::settledNeedsSixReadyFollowers_data()
{
    QTest::addColumn<int>("ready");
    QTest::addColumn<int>("young");
    QTest::addColumn<int>("settled");
    QTest::newRow("six ready") << 6 << 0 << 0;
    QTest::newRow("seven ready: the first") << 7 << 0 << 1;
    QTest::newRow("nine ready: three") << 9 << 0 << 3;
    QTest::newRow("seven ready, then a young word: one") << 7 << 1 << 1;
    QTest::newRow("eight ready, then a young word: two") << 8 << 1 << 2;
}

void TestCursiveTypesetting::settledNeedsSixReadyFollowers()
{
    QFETCH(int, ready);
    QFETCH(int, young);
    QFETCH(int, settled);
    QList<Segment> words;
    for (int i = 0; i < ready + young; ++i) {
        const QTime written = now.addMSecs(i < ready ? -3000 : -10);
        words << word("ab", QRectF(i * 100, 0, 60, 40), false, written);
    }
    const TypesetMarks marks = markTypesetInk(result(words), {}, stampNow());
    QCOMPARE(marks.result.cachedInk(SettledInk), inkOf(words.mid(0, settled)));
    QCOMPARE(marks.result.cachedInk(TypesetInk), inkOf(words.mid(0, ready)));
}

// A space is as ready as the word before it: it completes the first word's
// window of seven.
void TestCursiveTypesetting::separatorsFollowTheirPredecessor()
{
    QList<Segment> line;
    for (int i = 0; i < 6; ++i)
        line << word("ab", QRectF(i * 100, 0, 60, 40), false, now.addMSecs(-3000));
    line.insert(1, space());
    const TypesetMarks marks = markTypesetInk(result(line), {}, stampNow());
    QCOMPARE(marks.result.cachedInk(SettledInk), line.at(0).ink());
}

void TestCursiveTypesetting::keepOutIsWidenedByTwiceTheReferenceHeight_data()
{
    QTest::addColumn<double>("keepOutX");
    QTest::addColumn<bool>("typeset");
    // The word spans x 0 .. 60, the reference height is 50: a keep-out
    // rectangle of width 10 reaches 100 units further on either side.
    QTest::newRow("over the word") << 20.0 << false;
    QTest::newRow("within twice the height to the right") << 159.0 << false;
    QTest::newRow("beyond twice the height to the right") << 161.0 << true;
    QTest::newRow("within twice the height to the left") << -109.0 << false;
    QTest::newRow("beyond twice the height to the left") << -111.0 << true;
}

void TestCursiveTypesetting::keepOutIsWidenedByTwiceTheReferenceHeight()
{
    QFETCH(double, keepOutX);
    QFETCH(bool, typeset);
    const RecognitionResult r =
        result({word("ab", QRectF(0, 0, 60, 40), false, now.addMSecs(-3000))}, 50);
    const TypesetMarks marks = markTypesetInk(r, {QRectF(keepOutX, 0, 10, 40)}, stampNow());
    QCOMPARE(!marks.result.cachedInk(TypesetInk).isEmpty(), typeset);
}

void TestCursiveTypesetting::completeTextStopsTheLayout()
{
    RecognitionResult r = result({word("ab", QRectF(0, 0, 60, 40), false, now.addMSecs(-10))});
    r.storeInkOfType(TypesetInk, r.root().ink());
    const TypesetMarks marks = markTypesetInk(r, {}, stampNow());
    QVERIFY(!marks.retry);
    QVERIFY(!marks.layoutDue);
    QCOMPARE(marks.result.cachedInk(TypesetInk), r.root().ink());
}

void TestCursiveTypesetting::settledPenWordsFreezeIntoBoxes()
{
    const Segment settled = word("abc", QRectF(0, 0, 90, 40));
    const Segment pending = word("de", QRectF(200, 0, 60, 40));
    RecognitionResult r = result({settled, space(), pending});
    r.storeInkOfType(SettledInk, settled.ink());
    r.storeInkOfType(TypesetInk, r.root().ink());
    const RecognitionResult frozen = freezeSettledWords(r);

    const QList<Segment> words = frozen.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 3);
    QVERIFY(words.at(0).ink().isAllOfKind(Stroke::Box));
    QCOMPARE(words.at(0).ink().strokes().size(), 3);
    QCOMPARE(words.at(0).selectedCandidate().label(), QStringLiteral("abc"));
    QCOMPARE(words.at(2).ink(), pending.ink());
    QCOMPARE(frozen.cachedInk(SettledInk), words.at(0).ink());
    QCOMPARE(frozen.cachedInk(TypesetInk), frozen.root().ink());
    QCOMPARE(frozen.layout(), r.layout());

    // Nothing settled: the result comes back as it was.
    RecognitionResult open = result({pending});
    QCOMPARE(freezeSettledWords(open), open);
}

void TestCursiveTypesetting::spacedCharacters_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("spaced");
    QTest::newRow("latin letter") << "a" << true;
    QTest::newRow("capital") << "Q" << true;
    QTest::newRow("digit") << "7" << false;
    QTest::newRow("apostrophe") << "'" << false;
    QTest::newRow("colon") << ":" << false;
    QTest::newRow("bracket") << "(" << false;
    QTest::newRow("arabic letter") << QString(QChar(0x062F)) << false;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << false;
    QTest::newRow("kana") << QString(QChar(0x3042)) << true;
}

void TestCursiveTypesetting::spacedCharacters()
{
    QFETCH(QString, label);
    QFETCH(bool, spaced);
    const Segment w = word(label, QRectF(0, 0, 40, 40));
    const RecognitionResult marked = markSpacedCharacterInk(result({w, space()}));
    QCOMPARE(marked.cachedInk(SpacedCharacterInk), spaced ? w.ink() : InkRange());
}

QTEST_GUILESS_MAIN(TestCursiveTypesetting)
#include "tst_cursivetypesetting.moc"
