#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivescreenfit.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"

#include <QTest>

using namespace cursivefixtures;

namespace {

constexpr double Height = 40;
constexpr double Left = 100;

QStringList labelsOf(const RecognitionResult &r)
{
    QStringList out;
    for (const Segment &w : r.root().segmentsOfType(ResultNode::Word))
        out.append(w.selectedCandidate().label());
    return out;
}

// Words written on one line, 40 apart, with spaces between unless glued.
RecognitionResult written(const QStringList &labels, const QList<double> &positions = {120})
{
    QList<Segment> words;
    double x = Left;
    for (const QString &label : labels) {
        if (label == QLatin1String("\n") || label == QLatin1String(" ")) {
            words.append(separator(label));
            continue;
        }
        words.append(word(label, QRectF(x, 80, 30.0 * label.size(), 50)));
        x += 30.0 * label.size() + 40;
    }
    RecognitionResult r = result(words, Height);
    r.layout().linePositions = positions;
    return r;
}

// The writing width that just holds the text set from the left of the ink.
double widthFor(const QString &text)
{
    return Left + Height / referenceCharHeight(ReferenceChar::LatinX) * measureText(text).width() + 1;
}

} // namespace

// Re-fitting the cursive text to a changed screen: line breaks, then word places.
class TestCursiveScreenFit : public QObject
{
    Q_OBJECT
private slots:
    void breaks_data();
    void breaks();
    void breakingMarksAllInkTypesetAndSettled();
    void wordsGoToTheirTypesetPlaces();
    void moreLinePositionsThanLinesArePlaced();
};

void TestCursiveScreenFit::breaks_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QList<double>>("positions");
    QTest::addColumn<double>("width");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("lines");
    const double pitch = 2.2 * Height;

    QTest::newRow("text that fits keeps one line")
        << QStringList{"hello", " ", "world"} << QList<double>{120} << widthFor("hello world")
        << QStringList{"hello", " ", "world"} << QList<double>{120};
    QTest::newRow("overflow breaks at the last space")
        << QStringList{"hello", " ", "world", " ", "again"} << QList<double>{120}
        << widthFor("hello world")
        << QStringList{"hello", " ", "world", "\n", "again"} << QList<double>{120, 120 + pitch};
    QTest::newRow("after a break the measure restarts with the overflowing word")
        << QStringList{"hello", " ", "world", " ", "again", " ", "go"} << QList<double>{120}
        << widthFor("hello world")
        << QStringList{"hello", " ", "world", "\n", "again", " ", "go"}
        << QList<double>{120, 120 + pitch};
    QTest::newRow("overflow before any space makes no new line")
        << QStringList{"wonder", "ful"} << QList<double>{120} << widthFor("won")
        << QStringList{"wonder", "ful"} << QList<double>{120};
    QTest::newRow("new lines already in the text become spaces, their positions go")
        << QStringList{"hello", "\n", "world"} << QList<double>{120, 240} << widthFor("hello world")
        << QStringList{"hello", " ", "world"} << QList<double>{120};
    QTest::newRow("a second overflow before the next space adds a further position")
        << QStringList{"hello", " ", "world", "again"} << QList<double>{120}
        << widthFor("hello wor")
        << QStringList{"hello", "\n", "world", "again"}
        << QList<double>{120, 120 + pitch, 120 + 2 * pitch};
}

void TestCursiveScreenFit::breaks()
{
    QFETCH(QStringList, words);
    QFETCH(QList<double>, positions);
    QFETCH(double, width);
    const RecognitionResult broken = breakLinesForScreen(written(words, positions), width);
    QTEST(labelsOf(broken), "labels");
    QTEST(broken.layout().linePositions, "lines");
    QCOMPARE(broken.layout().lineSpacing, Height);
}

void TestCursiveScreenFit::breakingMarksAllInkTypesetAndSettled()
{
    RecognitionResult model = written({"hello", " ", "world"});
    const InkRange second = model.root().segmentsOfType(ResultNode::Word).at(2).ink();
    model.storeInkOfType(SpacedCharacterInk, second);
    model.layout().flags = 1 | ResultLayout::MirrorAlignment;
    const RecognitionResult broken = breakLinesForScreen(model, 5000);
    QCOMPARE(broken.cachedInk(SettledInk), broken.root().ink());
    QCOMPARE(broken.cachedInk(TypesetInk), broken.root().ink());
    QCOMPARE(broken.cachedInk(SpacedCharacterInk), second);
    QCOMPARE(broken.layout().flags, int(ResultLayout::MirrorAlignment));
}

void TestCursiveScreenFit::wordsGoToTheirTypesetPlaces()
{
    const RecognitionResult broken =
        breakLinesForScreen(written({"hello", " ", "world", " ", "again"}), widthFor("hello world"));
    const QList<QTransform> placements = layoutWordPlacements(broken, true, Qt::AlignLeft);
    const RecognitionResult placed = placeWordsForScreen(broken, true, Qt::AlignLeft);
    const QList<Segment> before = broken.root().segmentsOfType(ResultNode::Word);
    const QList<Segment> after = placed.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(labelsOf(placed), labelsOf(broken));
    for (int i : {0, 2, 4}) {
        QRectF glyphs;
        for (const QRectF &r : glyphBoxes(before.at(i), placements.at(i)))
            glyphs |= r;
        QCOMPARE(after.at(i).ink().boundingRect(), glyphs);
        QVERIFY(after.at(i).ink().isAllOfKind(Stroke::Box));
    }
    // The third word starts the second line at the text's start.
    QCOMPARE(placements.at(4).dx(), placements.at(0).dx());
    QCOMPARE(placements.at(4).dy(), broken.layout().linePositions.at(1));
    QCOMPARE(placed.cachedInk(SettledInk), placed.root().ink());
    QCOMPARE(placed.cachedInk(TypesetInk), placed.root().ink());
    QCOMPARE(placed.layout(), broken.layout());
}

// Lines beyond the layout's positions still get a place below the last.
void TestCursiveScreenFit::moreLinePositionsThanLinesArePlaced()
{
    RecognitionResult model = written({"hello", "\n", "world", "\n", "again"}, {120});
    model.storeInkOfType(SettledInk, model.root().ink());
    const RecognitionResult placed = placeWordsForScreen(model, false, Qt::AlignLeft);
    const QList<Segment> words = placed.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 5);
    QVERIFY(words.at(4).ink().boundingRect().top() > words.at(2).ink().boundingRect().top());
    QVERIFY(words.at(2).ink().boundingRect().top() > words.at(0).ink().boundingRect().top());
}

QTEST_MAIN(TestCursiveScreenFit)
#include "tst_cursivescreenfit.moc"
