#include "model/recognitionresult.h"
#include "modelfixtures.h"

#include <QTest>

namespace {

using namespace ModelFixtures;

// A pen stroke of three points starting at x.
Stroke penStroke(double x)
{
    return zigzag(x, 3, 2);
}

// A text of words, each word of one-stroke characters.
struct Fixture
{
    QList<Stroke> strokes;
    QList<Segment> chars;
    QList<Segment> words;
    RecognitionResult result;

    explicit Fixture(const QStringList &text)
    {
        for (const QString &w : text) {
            QList<Segment> wordChars;
            for (const QChar c : w) {
                strokes << penStroke(strokes.size() * 3);
                wordChars << leaf(c, InkRange::fromStroke(strokes.last()));
            }
            chars << wordChars;
            words << branch(wordChars);
        }
        result.setRoot(branch({branch(words)}));
    }
    InkRange inkOf(const QList<int> &indices) const
    {
        QList<Stroke> picked;
        for (int i : indices)
            picked << strokes[i];
        return ModelFixtures::inkOf(picked);
    }
};

} // namespace

class TestResult : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void effectiveAlignment_data();
    void effectiveAlignment();
    void storeInkOfType_data();
    void storeInkOfType();
    void withInkOfType();
    void lines_data();
    void lines();
    void rebuildInkOfType_data();
    void rebuildInkOfType();
    void rebuildInkCacheFrom();
    void equality();
};

void TestResult::defaults()
{
    const RecognitionResult r;
    QCOMPARE(r.root(), Segment());
    QVERIFY(r.transform().isIdentity());
    QVERIFY(r.inkTypes().isEmpty());
    QCOMPARE(r.layout().lineSpacing, 0.0);
    QVERIFY(r.layout().linePositions.isEmpty());
    QCOMPARE(r.layout().alignment, int(Qt::AlignCenter));
    QCOMPARE(r.layout().flags, 0);
    QCOMPARE(r.layout().effectiveAlignment(), int(Qt::AlignCenter));
    QVERIFY(r.cachedInk(0).pieces().isEmpty());
}

void TestResult::effectiveAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("effective");

    QTest::newRow("centre") << 132 << 0 << 132;
    QTest::newRow("centre mirrored") << 132 << 2 << 132;
    QTest::newRow("left") << 1 << 0 << 1;
    QTest::newRow("left mirrored") << 1 << 2 << 2;
    QTest::newRow("left, other flags") << 1 << 8 << 1;
    QTest::newRow("right") << 2 << 0 << 2;
    QTest::newRow("right mirrored") << 2 << 2 << 1;
    QTest::newRow("left and top") << 33 << 0 << 2;
}

void TestResult::effectiveAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, flags);
    QFETCH(int, effective);
    ResultLayout layout;
    layout.alignment = alignment;
    layout.flags = flags;
    QCOMPARE(layout.effectiveAlignment(), effective);
}

void TestResult::storeInkOfType_data()
{
    QTest::addColumn<QList<int>>("stored");  // strokes already stored under tag 1
    QTest::addColumn<QList<int>>("given");   // index 9: a stroke outside the result
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("entries");

    QTest::newRow("new entry") << QList<int>{} << QList<int>{0, 1} << QList<int>{0, 1} << 2;
    QTest::newRow("clipped") << QList<int>{} << QList<int>{1, 9} << QList<int>{1} << 2;
    QTest::newRow("outside adds nothing") << QList<int>{} << QList<int>{9} << QList<int>{} << 1;
    QTest::newRow("replaces") << QList<int>{0} << QList<int>{2} << QList<int>{2} << 2;
    QTest::newRow("outside removes") << QList<int>{0} << QList<int>{9} << QList<int>{} << 1;
}

void TestResult::storeInkOfType()
{
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, expected);
    QFETCH(int, entries);

    Fixture f({"ab", "c"});
    const Stroke outside = penStroke(100);
    auto inkOf = [&](const QList<int> &indices) {
        InkRange ink;
        for (int i : indices)
            ink = ink.united(InkRange::fromStroke(i == 9 ? outside : f.strokes[i]));
        return ink;
    };
    f.result.storeInkOfType(0, inkOf({0}));
    if (!stored.isEmpty())
        f.result.storeInkOfType(1, inkOf(stored));
    f.result.storeInkOfType(1, inkOf(given));
    QCOMPARE(f.result.cachedInk(1), inkOf(expected));
    QCOMPARE(f.result.inkTypes().size(), entries);
    QCOMPARE(f.result.cachedInk(0), inkOf({0}));
}

void TestResult::withInkOfType()
{
    Fixture f({"abc"});
    f.result.storeInkOfType(2, f.inkOf({0}));
    const RecognitionResult united = f.result.withInkOfType(2, f.inkOf({1}), true);
    QCOMPARE(united.cachedInk(2), f.inkOf({0, 1}));
    const RecognitionResult replaced = f.result.withInkOfType(2, f.inkOf({1}), false);
    QCOMPARE(replaced.cachedInk(2), f.inkOf({1}));
    QCOMPARE(f.result.cachedInk(2), f.inkOf({0}));

    const RecognitionResult fresh =
        f.result.withInkOfType(4, f.inkOf({2}).united(InkRange::fromStroke(penStroke(50))), true);
    QCOMPARE(fresh.cachedInk(4), f.inkOf({2}));
}

void TestResult::lines_data()
{
    QTest::addColumn<QString>("children");  // '|' is a new line, '_' a child without ink
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("lineSizes");

    QTest::newRow("two lines, blank between") << "ab||cd" << 2 << QList<int>{2, 2};
    QTest::newRow("last line unterminated") << "ab|c" << 2 << QList<int>{2, 1};
    QTest::newRow("trailing new line") << "ab|" << 1 << QList<int>{2};
    QTest::newRow("line without ink") << "a|_|b" << 2 << QList<int>{1, 1};
    QTest::newRow("only new lines") << "||" << 0 << QList<int>{};
    QTest::newRow("nothing") << "" << 0 << QList<int>{};
}

void TestResult::lines()
{
    QFETCH(QString, children);
    QFETCH(int, count);
    QFETCH(QList<int>, lineSizes);

    QList<Segment> segments;
    for (const QChar c : children) {
        if (c == '|')
            segments << leaf("\n");
        else if (c == '_')
            segments << leaf("x");
        else
            segments << leaf(c, InkRange::fromStroke(penStroke(segments.size())));
    }
    const Segment root = branch(segments);
    QCOMPARE(nonEmptyLineCount(root), count);
    QList<int> sizes;
    for (const InkRange &line : inkRangesPerLine(root))
        sizes << line.pieces().size();
    QCOMPARE(sizes, lineSizes);
}

void TestResult::rebuildInkOfType_data()
{
    QTest::addColumn<QList<int>>("taggedInSource");
    QTest::addColumn<int>("segmentType");
    QTest::addColumn<QList<int>>("expected");  // strokes of the target

    QTest::newRow("by character") << QList<int>{1} << 2 << QList<int>{1};
    QTest::newRow("by word") << QList<int>{1} << 1 << QList<int>{0, 1, 2};
    QTest::newRow("empty source ink removes the tag") << QList<int>{} << 2 << QList<int>{};
    QTest::newRow("extra target segments never tagged") << QList<int>{0, 1} << 2
                                                          << QList<int>{0, 1};
}

void TestResult::rebuildInkOfType()
{
    QFETCH(QList<int>, taggedInSource);
    QFETCH(int, segmentType);
    QFETCH(QList<int>, expected);

    // The source has two characters, the target three.
    Fixture source({"ab"});
    Fixture target({"xyz"});
    source.result.storeInkOfType(5, source.inkOf(taggedInSource));
    target.result.storeInkOfType(5, target.inkOf({0, 1, 2}));
    target.result.rebuildInkOfType(5, source.result, segmentType);
    QCOMPARE(target.result.cachedInk(5), target.inkOf(expected));
    QCOMPARE(target.result.inkTypes().size(), expected.isEmpty() ? 0 : 1);
}

void TestResult::rebuildInkCacheFrom()
{
    Fixture source({"ab", "c"});
    Fixture target({"de", "f"});
    source.result.storeInkOfType(3, source.inkOf({2}));
    source.result.storeInkOfType(1, source.inkOf({0}));
    target.result.rebuildInkCacheFrom(source.result, ResultNode::Character);
    QCOMPARE(target.result.inkTypes().size(), 2);
    QCOMPARE(target.result.inkTypes()[0].first, 3);
    QCOMPARE(target.result.cachedInk(3), target.inkOf({2}));
    QCOMPARE(target.result.cachedInk(1), target.inkOf({0}));
}

void TestResult::equality()
{
    Fixture f({"ab"});
    RecognitionResult other = f.result;
    QCOMPARE(other, f.result);
    other.layout().linePositions << 4.0;
    QVERIFY(other != f.result);
    other = f.result;
    other.setTransform(QTransform::fromScale(2, 2));
    QVERIFY(other != f.result);
    other = f.result;
    other.storeInkOfType(0, f.inkOf({0}));
    QVERIFY(other != f.result);
    QVERIFY(f.result != RecognitionResult());
}

QTEST_GUILESS_MAIN(TestResult)
#include "tst_result.moc"
