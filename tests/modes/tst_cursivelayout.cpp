#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivemerge.h"
#include "pad/glyphmetrics.h"
#include "pad/referencefont.h"

#include <QFontDatabase>
#include <QTest>

using namespace cursivefixtures;

// Typeset size, line positions and the marks between words of the cursive pad.
class TestCursiveLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void punctuation_data();
    void punctuation();
    void fitScaleOfEmptyTextIsZero();
    void writingScale_data();
    void writingScale();
    void referenceHeight_data();
    void referenceHeight();
    void alignmentComesFromAKnownPreviousRecord();
    void onePositionPerInkedLine();
    void layoutKeptInView_data();
    void layoutKeptInView();
    void marks_data();
    void marks();

private:
    double xHeight = 0;
};

void TestCursiveLayout::initTestCase()
{
    xHeight = referenceCharHeight(ReferenceChar::LatinX);
    QVERIFY(xHeight > 0);
}

void TestCursiveLayout::punctuation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("punctuation");
    QTest::newRow("full stops") << "..." << true;
    QTest::newRow("quotes and hyphen, blanks around") << " '\"- " << true;
    QTest::newRow("low line, tilde, circumflex, grave") << "_~^`" << true;
    QTest::newRow("letter then full stop") << "a." << false;
    // Capitals and digits are words, not punctuation.
    QTest::newRow("capitals") << "USA" << false;
    QTest::newRow("digits") << "2024" << false;
    QTest::newRow("colon lies between the quote and the low line") << ":" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCursiveLayout::punctuation()
{
    QFETCH(QString, text);
    QFETCH(bool, punctuation);
    QCOMPARE(isPunctuationText(text), punctuation);
    bool flag = !punctuation;
    fitScale(text, QRectF(0, 0, 100, 10), &flag);
    QCOMPARE(flag, punctuation);
}

void TestCursiveLayout::fitScaleOfEmptyTextIsZero()
{
    QCOMPARE(fitScale(QString(), QRectF(0, 0, 100, 10)), 0.0);
    const double w = measureText("word").width();
    QCOMPARE(fitScale("  word ", QRectF(0, 0, 2 * w, 10)), 2.0);
}

void TestCursiveLayout::writingScale_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("inkScale"); // ink width over label width
    QTest::addColumn<double>("layoutScale");
    QTest::addColumn<double>("expected");
    QTest::newRow("handwriting smaller than the layout") << "hello" << 2.0 << 3.0 << 2.0;
    QTest::newRow("bounded by the layout's scale") << "hello" << 5.0 << 3.0 << 3.0;
    QTest::newRow("never below the reference font") << "hello" << 0.5 << 3.0 << 1.0;
    QTest::newRow("punctuation keeps the layout's scale") << "..." << 2.0 << 3.0 << 3.0;
    QTest::newRow("capitals count") << "ABC" << 2.0 << 3.0 << 2.0;
}

void TestCursiveLayout::writingScale()
{
    QFETCH(QString, label);
    QFETCH(double, inkScale);
    QFETCH(double, layoutScale);
    QFETCH(double, expected);
    const double w = measureText(label).width() * inkScale;
    const RecognitionResult r =
        result({word(label, QRectF(0, 0, w, 40))}, layoutScale * xHeight);
    QVERIFY(qAbs(measureWritingScale(r) - expected) < 1e-6);
}

void TestCursiveLayout::referenceHeight_data()
{
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<bool>("settled");
    QTest::addColumn<bool>("previousKept");
    QTest::newRow("pen words follow the handwriting") << true << false << false << false;
    QTest::newRow("frozen words only keep the height") << false << true << false << true;
    QTest::newRow("settled ink keeps the height") << true << false << true << true;
}

void TestCursiveLayout::referenceHeight()
{
    QFETCH(bool, written);
    QFETCH(bool, framed);
    QFETCH(bool, settled);
    QFETCH(bool, previousKept);
    const double w = measureText("hello").width() * 2.0;
    QList<Segment> words;
    if (written)
        words << word("hello", QRectF(0, 0, w, 40));
    if (framed)
        words << word("hello", QRectF(w + 50, 0, w, 40), true);
    RecognitionResult r = result(words, 4.0 * xHeight);
    if (settled)
        r.storeInkOfType(SettledInk, r.root().ink());
    ResultLayout previous;
    previous.lineSpacing = 3.0 * xHeight;
    previous.alignment = Qt::AlignLeft;
    const ResultLayout layout = updateLayoutMetrics(r, previous);
    const double expected = previousKept ? previous.lineSpacing : 2.0 * xHeight;
    QVERIFY2(qAbs(layout.lineSpacing - expected) < 1e-6,
             qPrintable(QString::number(layout.lineSpacing)));
}

void TestCursiveLayout::alignmentComesFromAKnownPreviousRecord()
{
    RecognitionResult r = result({word("abc", QRectF(0, 0, 90, 30))}, 40, Qt::AlignRight);
    r.layout().flags = ResultLayout::MirrorAlignment;
    ResultLayout centred;
    centred.lineSpacing = 40;
    QCOMPARE(updateLayoutMetrics(r, centred).alignment, int(Qt::AlignRight));
    QCOMPARE(updateLayoutMetrics(r, centred).flags, int(ResultLayout::MirrorAlignment));
    ResultLayout left = centred;
    left.alignment = Qt::AlignLeft;
    QCOMPARE(updateLayoutMetrics(r, left).alignment, int(Qt::AlignLeft));
    QCOMPARE(updateLayoutMetrics(r, left).flags, 0);

    // A result whose words hold no characters keeps the previous height.
    const RecognitionResult empty = result({separator(QString())}, 10);
    QCOMPARE(updateLayoutMetrics(empty, left).lineSpacing, 40.0);
}

void TestCursiveLayout::onePositionPerInkedLine()
{
    // Three lines, the second empty; the first near an existing position.
    RecognitionResult r = result({word("ab", QRectF(0, 100, 60, 40)), newLine(), newLine(),
                                  word("cd", QRectF(0, 300, 60, 40))});
    r.layout().linePositions = {125.0, 200.0, 600.0, 900.0};
    const ResultLayout layout = updateLayoutMetrics(r, r.layout());
    // The first line's centre (120) lies within its height of 125; the
    // second has none near and takes its foot.
    QCOMPARE(layout.linePositions, QList<double>({125.0, 340.0}));

    // Typeset lines look among the previous record's positions instead.
    r.storeInkOfType(TypesetInk, r.root().ink());
    ResultLayout previous = r.layout();
    previous.linePositions = {330.0};
    QCOMPARE(updateLayoutMetrics(r, previous).linePositions, QList<double>({140.0, 330.0}));
}

void TestCursiveLayout::layoutKeptInView_data()
{
    // Positions in typeset line heights L; the view is 10 L high from 0.
    QTest::addColumn<QList<double>>("lines");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QList<double>>("adapted");
    QTest::addColumn<double>("heightFactor");
    QTest::newRow("inside") << QList<double>{2, 5} << false << QList<double>{2, 5} << 1.0;
    QTest::newRow("first line cut at the top, moved down")
        << QList<double>{0.5, 5} << false << QList<double>{0.75, 5} << 0.75;
    QTest::newRow("first line cut at the top, kept")
        << QList<double>{0.8, 5} << false << QList<double>{0.8, 5} << 0.8;
    QTest::newRow("below the view, windowed") << QList<double>{12} << false << QList<double>{1}
                                               << 1.0;
    QTest::newRow("below the view, full screen") << QList<double>{12} << true
                                                  << QList<double>{-1} << 1.0;
}

void TestCursiveLayout::layoutKeptInView()
{
    QFETCH(QList<double>, lines);
    QFETCH(bool, fullScreen);
    QFETCH(QList<double>, adapted);
    QFETCH(double, heightFactor);
    ResultLayout layout;
    layout.alignment = Qt::AlignLeft;
    layout.lineSpacing = 2 * xHeight;
    const double l = typesetLineHeight(layout);
    for (double line : lines)
        layout.linePositions << line * l;
    const QRectF view(0, 0, 1000, 10 * l);
    const ResultLayout out = adaptLayoutToView(layout, view, fullScreen);
    // Full screen keeps the last line clear of the bottom.
    const double limit = view.bottom() - (l / 5 + 150);
    QCOMPARE(out.linePositions.size(), adapted.size());
    for (int i = 0; i < adapted.size(); ++i) {
        const double expected = adapted.at(i) < 0 ? limit : adapted.at(i) * l;
        QVERIFY2(qAbs(out.linePositions.at(i) - expected) < 1e-6,
                 qPrintable(QString::number(out.linePositions.at(i))));
    }
    QVERIFY(qAbs(out.lineSpacing - heightFactor * layout.lineSpacing) < 1e-6);
}

void TestCursiveLayout::marks_data()
{
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QList<QRectF>>("insertions");
    QTest::addColumn<QList<QRectF>>("joins");
    const QRectF a(0, 0, 100, 60), b(130, 0, 100, 60);
    QTest::newRow("gap wider than a sixth")
        << QList<QRectF>{a, b} << 1 << QList<QRectF>{QRectF(105, 0, 20, 30)}
        << QList<QRectF>{QRectF(105, 30, 20, 30)};
    QTest::newRow("touching: insertion raised, no join")
        << QList<QRectF>{a, QRectF(100, 0, 50, 60)} << 1
        << QList<QRectF>{QRectF(90, -7.5, 20, 30)} << QList<QRectF>{};
    QTest::newRow("different lines") << QList<QRectF>{a, QRectF(130, 100, 100, 60)} << 1
                                     << QList<QRectF>{} << QList<QRectF>{};
    QTest::newRow("overlapping") << QList<QRectF>{a, QRectF(50, 0, 100, 60)} << 1
                                 << QList<QRectF>{} << QList<QRectF>{};
    QTest::newRow("right to left") << QList<QRectF>{b, a} << 2
                                   << QList<QRectF>{QRectF(105, 0, 20, 30)}
                                   << QList<QRectF>{QRectF(105, 30, 20, 30)};
    QTest::newRow("left-to-right order in a right-to-left pad")
        << QList<QRectF>{a, b} << 2 << QList<QRectF>{} << QList<QRectF>{};
}

void TestCursiveLayout::marks()
{
    QFETCH(QList<QRectF>, boxes);
    QFETCH(int, direction);
    QFETCH(QList<QRectF>, insertions);
    QFETCH(QList<QRectF>, joins);
    QCOMPARE(insertionMarkRects(boxes, direction), insertions);
    QCOMPARE(joinMarkRects(boxes, direction), joins);
}

QTEST_MAIN(TestCursiveLayout)
#include "tst_cursivelayout.moc"
