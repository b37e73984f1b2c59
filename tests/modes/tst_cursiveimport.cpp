#include "cursivefixtures.h"
#include "modes/cursiveimport.h"
#include "modes/cursivelayout.h"

#include <QTest>

using namespace cursivefixtures;

namespace {

QStringList labelsOf(const RecognitionResult &r)
{
    QStringList out;
    for (const Segment &w : r.root().segmentsOfType(ResultNode::Word))
        out.append(w.selectedCandidate().label());
    return out;
}

// Right-to-left text: each line's first word stands rightmost.
RecognitionResult rightToLeft(const QList<QStringList> &lines)
{
    QList<Segment> words;
    for (int l = 0; l < lines.size(); ++l) {
        if (l > 0)
            words.append(newLine());
        double right = 1000;
        for (int i = 0; i < lines.at(l).size(); ++i) {
            if (i > 0)
                words.append(space());
            words.append(word(lines.at(l).at(i), QRectF(right - 150, 100 + 150 * l, 150, 60)));
            right -= 200;
        }
    }
    RecognitionResult r = result(words, 50, Qt::AlignRight);
    r.layout().linePositions = {160, 310};
    return r;
}

} // namespace

// Taking over text that runs the other way.
class TestCursiveImport : public QObject
{
    Q_OBJECT
private slots:
    void mirroringNeeded_data();
    void mirroringNeeded();
    void wordsOfEachLineReversed_data();
    void wordsOfEachLineReversed();
    void inkTypesAndLayoutCarried();
};

void TestCursiveImport::mirroringNeeded_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("controller");
    QTest::addColumn<bool>("mirror");
    const int left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignCenter;
    QTest::newRow("same direction") << right << 0 << right << false;
    QTest::newRow("right to left into a left-to-right pad") << right << 0 << left << true;
    QTest::newRow("left to right into a right-to-left pad") << left << 0 << right << true;
    QTest::newRow("centred keeps its order") << centre << 0 << left << false;
    QTest::newRow("mirrored alignment counts")
        << left << int(ResultLayout::MirrorAlignment) << right << false;
}

void TestCursiveImport::mirroringNeeded()
{
    QFETCH(int, alignment);
    QFETCH(int, flags);
    QFETCH(int, controller);
    RecognitionResult r = result({word(QStringLiteral("ab"), QRectF(0, 0, 100, 50))}, 50, alignment);
    r.layout().flags = flags;
    QTEST(needsMirroring(r, controller), "mirror");
}

void TestCursiveImport::wordsOfEachLineReversed_data()
{
    QTest::addColumn<QList<QStringList>>("lines");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("one line")
        << QList<QStringList>{{"one", "two", "three"}}
        << QStringList{"three", " ", "two", " ", "one"};
    QTest::newRow("two lines keep their order")
        << QList<QStringList>{{"one", "two"}, {"three", "four", "five"}}
        << QStringList{"two", " ", "one", "\n", "five", " ", "four", " ", "three"};
    QTest::newRow("one word") << QList<QStringList>{{"one"}} << QStringList{"one"};
}

void TestCursiveImport::wordsOfEachLineReversed()
{
    QFETCH(QList<QStringList>, lines);
    QTEST(labelsOf(mirrorLineWords(rightToLeft(lines))), "labels");
}

void TestCursiveImport::inkTypesAndLayoutCarried()
{
    RecognitionResult imported = rightToLeft({{"one", "two"}, {"three"}});
    const QList<Segment> words = imported.root().segmentsOfType(ResultNode::Word);
    imported.storeInkOfType(TypesetInk, imported.root().ink());
    imported.storeInkOfType(SettledInk, words.at(0).ink());
    const RecognitionResult mirrored = mirrorLineWords(imported);
    QCOMPARE(mirrored.root().ink(), imported.root().ink());
    QCOMPARE(mirrored.cachedInk(TypesetInk), imported.root().ink());
    QCOMPARE(mirrored.cachedInk(SettledInk), words.at(0).ink());
    QCOMPARE(mirrored.layout(), imported.layout());
}

QTEST_MAIN(TestCursiveImport)
#include "tst_cursiveimport.moc"
