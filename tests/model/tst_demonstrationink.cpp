#include "model/demonstrationink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Strokes = QList<QPolygonF>;

namespace {

// One stroke's points; a braced list of one point would be ambiguous for QPolygonF itself.
QPolygonF stroke(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

} // namespace

class TestDemonstrationInk : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void missingFileGivesNoStrokes();
    void shippedGestureInks_data();
    void shippedGestureInks();

private:
    QTemporaryDir m_dir;
};

void TestDemonstrationInk::reads_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Strokes>("strokes");

    QTest::newRow("header skipped")
        << QByteArray("StartPage\nSetPageBox 0 0 75 100\nAddActiveBox 0 0 75 100\n\n"
                      "AddStroke\n5.5 50.0\n69.5 50\n")
        << Strokes{stroke({{5.5, 50}, {69.5, 50}})};
    QTest::newRow("two strokes") << QByteArray("AddStroke\n1 2\n3 4\nAddStroke\n5 6\n7 8\n9 10\n")
                                 << Strokes{stroke({{1, 2}, {3, 4}}),
                                            stroke({{5, 6}, {7, 8}, {9, 10}})};
    QTest::newRow("point lines before the first stroke are skipped")
        << QByteArray("StartPage\n10 20\nAddStroke\n1 2\n") << Strokes{stroke({{1, 2}})};
    QTest::newRow("surrounding blanks and empty lines")
        << QByteArray("  AddStroke \r\n\n\t1   2 \n\n 3 4\n") << Strokes{stroke({{1, 2}, {3, 4}})};
    QTest::newRow("a one-point stroke is kept")
        << QByteArray("AddStroke\n1 2\nAddStroke\n3 4\n5 6\n")
        << Strokes{stroke({{1, 2}}), stroke({{3, 4}, {5, 6}})};
    QTest::newRow("malformed point lines are skipped")
        << QByteArray("AddStroke\n1 2\nx 3\n4\n5 6 7\n8 9\n") << Strokes{stroke({{1, 2}, {8, 9}})};
    QTest::newRow("no stroke") << QByteArray("StartPage\n1 2\n") << Strokes{};
}

void TestDemonstrationInk::reads()
{
    QFETCH(QByteArray, text);
    QFETCH(Strokes, strokes);
    QVERIFY(m_dir.isValid());
    const QString name = m_dir.filePath(QString("%1.itf").arg(QTest::currentDataTag()));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QCOMPARE(readDemonstrationInk(name), strokes);
}

void TestDemonstrationInk::missingFileGivesNoStrokes()
{
    QVERIFY(readDemonstrationInk(m_dir.filePath("absent.itf")).isEmpty());
}

void TestDemonstrationInk::shippedGestureInks_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"spaceAnimationInk", "backspaceAnimationInk", "returnAnimationInk"})
        QTest::newRow(name) << QString(name);
    for (const char *kind : {"delete", "erase", "insert", "joint"}) {
        for (int v = 0; v < 3; ++v)
            QTest::addRow("%s %d", kind, v) << QString("%1AnimationInk%2").arg(kind).arg(v);
    }
}

// Every gesture is one stroke drawn inside the page box.
void TestDemonstrationInk::shippedGestureInks()
{
    QFETCH(QString, file);
    const Strokes strokes =
        readDemonstrationInk(QString(SCRIVEL_SOURCE_DIR) + "/resources/images/" + file + ".itf");
    QCOMPARE(strokes.size(), 1);
    QVERIFY(strokes.first().size() > 2);
    QVERIFY(demonstrationPageBox().contains(strokes.first().boundingRect()));
}

QTEST_GUILESS_MAIN(TestDemonstrationInk)
#include "tst_demonstrationink.moc"
