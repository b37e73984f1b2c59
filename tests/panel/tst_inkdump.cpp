#include "panelfixture.h"

#include "model/resultbuilding.h"
#include "model/segment.h"
#include "model/stroke.h"
#include "panel/inkdump.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "pad/writepad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

Segment characterSegment(const Stroke &stroke, const QString &label, float score)
{
    ResultNode node;
    node.setLabel(label);
    node.setType(ResultNode::Character);
    node.setScore(score);
    Segment segment;
    segment.setInk(InkRange::fromStroke(stroke));
    segment.appendCandidate(node);
    segment.setSelectedCandidate(0);
    return segment;
}

// Text "ab": a box stroke read as a with score 0.9, a pen stroke read as b.
RecognitionResult workedExample(const QString &text = "ab")
{
    const Stroke box = makeBoxStroke(QRectF(0, 0, 50, 50), 0);
    QPainterPath path(QPointF(10, 20));
    path.lineTo(11, 22);
    const Stroke pen = makePathStroke(path);
    ResultNode word;
    word.setLabel(text);
    word.setType(ResultNode::Word);
    word.setChildren({characterSegment(box, "a", 0.9f), characterSegment(pen, "b", 0.5f)});
    Segment segment;
    segment.setInk(InkRange::fromStroke(box).united(InkRange::fromStroke(pen)));
    segment.appendCandidate(word);
    segment.setSelectedCandidate(0);
    return resultFromSegment(segment);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A writing pad without a controller of its own.
class PlainPad : public Writepad
{
public:
    explicit PlainPad(QAction *keypad)
        : Writepad(CursiveMode, BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight,
                   keypad)
    {
    }

protected:
    void initializeSpecificConnections() override {}
};

} // namespace

class TestInkDump : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void resultWithoutBoxesOrPens_data();
    void resultWithoutBoxesOrPens();
    void labelsAreEscaped();
    void dumpsNeverOverwrite();
    void unmakeableFolderIsReported();
    void panelDumpsOnlyFromWritingPads();
};

void TestInkDump::workedExample()
{
    const InkDump dump(::workedExample(), {":/data/languages/xx/res.bin"});
    QCOMPARE(dump.unp(), QString(".COORD X Y\n.SEGMENT ? ? ? \"ab\"\n"
                                 ".PEN_DOWN\n10\t20\n11\t22\n.PEN_UP\n"));
    QCOMPARE(dump.txt(), QString("r00{ 0, 0, 50, 50 },\ns00{ {\"a\", 1} },\np00{ 0.9 },\n"));
    QCOMPARE(dump.itf(), QString("StartPage\nAddResource \\xx\\res.bin\n"
                                 "AddCharacter 0 0 50 50 a 0.9 \nAddStroke\n10 20\n11 22\n"
                                 "AddActiveBox 10 20 1 2\n"));
}

void TestInkDump::resultWithoutBoxesOrPens_data()
{
    QTest::addColumn<QList<Stroke>>("strokes");
    QTest::addColumn<QString>("txt");
    QTest::addColumn<QString>("itfEnd");
    QPainterPath path(QPointF(1, 2));
    path.lineTo(4, 6);
    QTest::newRow("pen only") << QList<Stroke>({makePathStroke(path)}) << QString()
                              << "AddStroke\n1 2\n4 6\nAddActiveBox 1 2 3 4\n";
    QTest::newRow("box only, no character")
        << QList<Stroke>({makePointRowStroke(3), makeBoxStroke(QRectF(5, 5, 20, 30), 0)})
        << "r01{ 5, 5, 20, 30 },\ns01{ {\"\", 1} },\np01{ 1 },\n"
        << "AddCharacter 5 5 20 30  1 \nAddActiveBox 0 0 0 0\n";
}

void TestInkDump::resultWithoutBoxesOrPens()
{
    QFETCH(QList<Stroke>, strokes);
    ResultNode word;
    word.setLabel("x");
    word.setType(ResultNode::Word);
    Segment segment;
    for (const Stroke &stroke : strokes)
        segment.addInk(InkRange::fromStroke(stroke));
    segment.appendCandidate(word);
    segment.setSelectedCandidate(0);
    const InkDump dump(resultFromSegment(segment), {});
    QTEST(dump.txt(), "txt");
    QFETCH(QString, itfEnd);
    QVERIFY2(dump.itf().endsWith(itfEnd), qPrintable(dump.itf()));
    QVERIFY(!dump.itf().contains("AddResource"));
}

void TestInkDump::labelsAreEscaped()
{
    const InkDump dump(::workedExample("say \"a\\b\""), {});
    QVERIFY2(dump.unp().contains(".SEGMENT ? ? ? \"say \\\"a\\\\b\\\"\"\n"), qPrintable(dump.unp()));
    QCOMPARE(InkDump::quoted("\"\\"), QString("\"\\\"\\\\\""));
}

void TestInkDump::dumpsNeverOverwrite()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("a/inkFiles");
    const QDateTime time(QDate(2026, 3, 4), QTime(5, 6, 7));
    const InkDump first(::workedExample("first"), {});
    const InkDump second(::workedExample("second"), {});
    QString error;
    const QString a = first.write(folder, time, &error);
    const QString b = second.write(folder, time, &error);
    QCOMPARE(a, folder + "/2026_03_04-05_06_07");
    QCOMPARE(b, folder + "/2026_03_04-05_06_07-1");
    for (const char *extension : {".unp", ".txt", ".itf"}) {
        QVERIFY(QFile::exists(a + extension));
        QVERIFY(QFile::exists(b + extension));
    }
    QCOMPARE(contents(a + ".unp"), first.unp().toUtf8());
    QCOMPARE(contents(b + ".itf"), second.itf().toUtf8());
    QVERIFY(error.isEmpty());
}

void TestInkDump::unmakeableFolderIsReported()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    const InkDump dump(::workedExample(), {});
    QVERIFY(dump.write(dir.filePath("file/inkFiles"), QDateTime::currentDateTime(), &error)
                .isEmpty());
    QVERIFY2(error.contains("inkFiles"), qPrintable(error));
}

void TestInkDump::panelDumpsOnlyFromWritingPads()
{
    QTemporaryDir dir;
    FixtureServices services;
    services.folder = dir.path();
    RecordingIntegrator integrator;
    services.setIntegrator(&integrator);
    services.setSaveInk(true);
    // Installed for the frame's whole life: the services unregister themselves after it.
    PanelServices::setInstance(&services);
    MainFrame frame;
    frame.setInputWidget(new StubWidget(CursiveMode));
    frame.importModelEvent(::workedExample());
    frame.sendInput();
    QVERIFY(!QDir(dir.filePath("inkFiles")).exists());
    frame.setInputWidget(new PlainPad(frame.keypadAction()));
    frame.importModelEvent(::workedExample());
    frame.sendInput();
    frame.importModelEvent(::workedExample());
    frame.sendInput();
    QCOMPARE(QDir(dir.filePath("inkFiles")).entryList(QDir::Files).size(), 6);
    QCOMPARE(integrator.delivered, QStringList({"ab", "ab", "ab"}));
}

QTEST_MAIN(TestInkDump)
#include "tst_inkdump.moc"
