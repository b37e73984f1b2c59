#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivemagicview.h"

#include <QTest>

using namespace cursivefixtures;

namespace {

const QRectF Joined(0, 0, 0, 0);

// Words 200 by 60 on a line at y 100 (or the given y), starting at the x's.
QList<Segment> wordsAt(const QStringList &labels, const QList<double> &xs, double y = 100)
{
    QList<Segment> words;
    for (int i = 0; i < labels.size(); ++i) {
        if (i > 0)
            words.append(space());
        words.append(word(labels.at(i), QRectF(xs.at(i), y, 200, 60)));
    }
    return words;
}

} // namespace

// The word boxes and labels the magic view builds its marks from.
class TestCursiveMagicView : public QObject
{
    Q_OBJECT
private slots:
    void boxes_data();
    void boxes();
};

void TestCursiveMagicView::boxes_data()
{
    QTest::addColumn<QList<Segment>>("words");
    QTest::addColumn<bool>("typeset");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::addColumn<QStringList>("labels");
    const int left = Qt::AlignLeft, right = Qt::AlignRight;

    QTest::newRow("no words: only the closing entry")
        << QList<Segment>() << true << left << QList<QRectF>{Joined} << QStringList{""};
    // Boxes reach 10 around the line part: 90..310 and 318..538, 80 high; 8 apart.
    QTest::newRow("two close Latin words join")
        << wordsAt({"ab", "cd"}, {100, 328}) << true << left
        << QList<QRectF>{Joined, QRectF(90, 90, 448, 80), Joined} << QStringList{"", "abcd", ""};
    QTest::newRow("Latin words further apart stay")
        << wordsAt({"ab", "cd"}, {100, 360}) << true << left
        << QList<QRectF>{QRectF(90, 90, 220, 80), QRectF(350, 90, 220, 80), Joined}
        << QStringList{"ab", "cd", ""};
    QTest::newRow("three close words collect into the last")
        << wordsAt({"ab", "cd", "ef"}, {100, 328, 556}) << true << left
        << QList<QRectF>{Joined, Joined, QRectF(90, 90, 676, 80), Joined}
        << QStringList{"", "", "abcdef", ""};
    // Boxes 90..310 and 300..520 overlap: the common edge is 305.
    QTest::newRow("overlapping CJK characters split at the middle")
        << wordsAt({"中", "文"}, {100, 310}) << true << left
        << QList<QRectF>{QRectF(90, 90, 215, 80), QRectF(305, 90, 215, 80), Joined}
        << QStringList{"中", "文", ""};
    QTest::newRow("CJK next to a Latin word joins")
        << wordsAt({"中", "cd"}, {100, 328}) << true << left
        << QList<QRectF>{Joined, QRectF(90, 90, 448, 80), Joined} << QStringList{"", "中cd", ""};
    QTest::newRow("right to left: the next word lies to the left")
        << wordsAt({"ab", "cd"}, {600, 372}) << true << right
        << QList<QRectF>{Joined, QRectF(362, 90, 448, 80), Joined} << QStringList{"", "abcd", ""};
    QTest::newRow("right to left, further apart")
        << wordsAt({"ab", "cd"}, {600, 340}) << true << right
        << QList<QRectF>{QRectF(590, 90, 220, 80), QRectF(330, 90, 220, 80), Joined}
        << QStringList{"ab", "cd", ""};
    QTest::newRow("words on two lines are left alone")
        << (QList<Segment>{word("ab", QRectF(100, 100, 200, 60)), newLine(),
                           word("cd", QRectF(310, 300, 200, 60))})
        << true << left
        << QList<QRectF>{QRectF(90, 90, 220, 80), QRectF(300, 290, 220, 80), Joined}
        << QStringList{"ab", "cd", ""};
    // Bare ink 60 high: a gap of 28 is more than a sixth of it.
    QTest::newRow("words outside typeset lines keep their ink rectangles")
        << wordsAt({"ab", "cd"}, {100, 328}) << false << left
        << QList<QRectF>{QRectF(100, 100, 200, 60), QRectF(328, 100, 200, 60), Joined}
        << QStringList{"ab", "cd", ""};
}

void TestCursiveMagicView::boxes()
{
    QFETCH(QList<Segment>, words);
    QFETCH(bool, typeset);
    QFETCH(int, alignment);
    RecognitionResult model = result(words, 50, alignment);
    if (typeset)
        model.storeInkOfType(TypesetInk, model.root().ink());
    const RecognitionResult before = model;
    const MagicWordBoxes out = buildMagicWordBoxes(model, alignment);
    QCOMPARE(model, before);
    QTEST(out.boxes, "boxes");
    QTEST(out.labels, "labels");
}

QTEST_MAIN(TestCursiveMagicView)
#include "tst_cursivemagicview.moc"
