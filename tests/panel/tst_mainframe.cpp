#include "panelfixture.h"

#include "pad/padservices.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList textsOf(const QList<RecognitionResult> &results)
{
    QStringList texts;
    for (const RecognitionResult &r : results)
        texts << textOf(r);
    return texts;
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tenResultsAreKept();
    void stackOperations_data();
    void stackOperations();
    void impossibleUndoRepublishes();
    void sendDeliversAndResets();
    void sendFromBoxedPadScrollsToFirstBox();
    void failedSendKeepsTheText();
    void discardedSendDeliversNothing();
    void sendActionAsksTheWidgetToFinish();
    void trainingResultsStayOffTheStacks();
    void widgetChangeKeepsTheText();
    void servesThePadsWithItsGeometryAndScreenChanges();

private:
    MainFrame *frame = nullptr;
    StubWidget *widget = nullptr;
    RecordingIntegrator integrator;
    FixtureServices services;
};

void TestMainFrame::init()
{
    services.setIntegrator(&integrator);
    PanelServices::setInstance(&services);
    integrator.delivers = true;
    integrator.delivered.clear();
    frame = new MainFrame;
    widget = new StubWidget(CursiveMode);
    frame->setInputWidget(widget);
}

void TestMainFrame::cleanup()
{
    delete frame;
    PanelServices::setInstance(nullptr);
}

void TestMainFrame::tenResultsAreKept()
{
    for (int i = 1; i <= 10; ++i)
        frame->importModelEvent(writtenResult(QString::number(i)));
    QCOMPARE(textsOf(frame->undoStack()),
             QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    for (int i = 0; i < 9; ++i)
        frame->undoEvent(Undo);
    QCOMPARE(textOf(frame->currentResult()), QString("1"));
    frame->undoEvent(Undo);
    QCOMPARE(textOf(frame->currentResult()), QString("1"));
    QCOMPARE(frame->redoStack().size(), 9);
    for (int i = 0; i < 9; ++i)
        frame->undoEvent(Redo);
    frame->importModelEvent(writtenResult("11"));
    QCOMPARE(textsOf(frame->undoStack()).first(), QString("2"));
    QCOMPARE(frame->undoStack().size(), 10);
}

// Operations: a letter imports that text, u undoes, r redoes, c clears.
void TestMainFrame::stackOperations_data()
{
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QStringList>("undo");
    QTest::addColumn<QStringList>("redo");
    QTest::newRow("imports") << "a b" << QStringList({"", "a", "b"}) << QStringList();
    QTest::newRow("undo") << "a b u" << QStringList({"", "a"}) << QStringList({"b"});
    QTest::newRow("import drops redo") << "a b u c" << QStringList({"", "a", "c"})
                                       << QStringList();
    QTest::newRow("redo keeps the rest") << "a b c u u r" << QStringList({"", "a", "b"})
                                         << QStringList({"c"});
    QTest::newRow("clear keeps redo") << "a b u x" << QStringList({""}) << QStringList({"b"});
    QTest::newRow("redo after clear") << "a b u x r" << QStringList({"", "b"})
                                      << QStringList();
    QTest::newRow("undo at the bottom") << "u u" << QStringList({""}) << QStringList();
    QTest::newRow("redo on empty") << "a r" << QStringList({"", "a"}) << QStringList();
}

void TestMainFrame::stackOperations()
{
    QFETCH(QString, operations);
    for (const QString &op : operations.split(' ')) {
        if (op == "u")
            frame->undoEvent(Undo);
        else if (op == "r")
            frame->undoEvent(Redo);
        else if (op == "x")
            frame->undoEvent(Clear);
        else
            frame->importModelEvent(writtenResult(op));
    }
    QTEST(textsOf(frame->undoStack()), "undo");
    QTEST(textsOf(frame->redoStack()), "redo");
    QCOMPARE(integrator.pending, textOf(frame->currentResult()));
}

void TestMainFrame::impossibleUndoRepublishes()
{
    frame->importModelEvent(writtenResult("a"));
    frame->undoEvent(Undo);
    widget->imported.clear();
    widget->buttonStates.clear();
    integrator.pending = "stale";
    frame->undoEvent(Undo);
    QCOMPARE(widget->imported.size(), 1);
    QCOMPARE(textOf(widget->imported.first()), QString());
    QCOMPARE(integrator.pending, QString());
    const QList<QPair<int, bool>> states{{Undo, false}, {Redo, true}, {Clear, false}};
    QCOMPARE(widget->buttonStates, states);
}

void TestMainFrame::sendDeliversAndResets()
{
    frame->importModelEvent(writtenResult("a"));
    frame->importModelEvent(writtenResult("hello"));
    frame->undoEvent(Undo);
    frame->undoEvent(Redo);
    frame->undoEvent(Undo);
    widget->imported.clear();
    frame->sendInput();
    QCOMPARE(integrator.delivered, QStringList({"a"}));
    QCOMPARE(textsOf(frame->undoStack()), QStringList({""}));
    QCOMPARE(textsOf(frame->redoStack()), QStringList({"hello"}));
    QCOMPARE(textsOf(widget->imported), QStringList({""}));
    QVERIFY(widget->origins.isEmpty());
}

void TestMainFrame::sendFromBoxedPadScrollsToFirstBox()
{
    auto *boxed = new StubWidget(IsolatedMode);
    frame->setInputWidget(boxed);
    frame->importModelEvent(writtenResult("abc"));
    frame->sendInput();
    QCOMPARE(boxed->origins, QList<int>({0}));
}

void TestMainFrame::failedSendKeepsTheText()
{
    frame->importModelEvent(writtenResult("hello"));
    integrator.delivers = false;
    widget->imported.clear();
    frame->sendInput();
    QCOMPARE(textsOf(frame->undoStack()), QStringList({"", "hello"}));
    QCOMPARE(integrator.pending, QString("hello"));
    QVERIFY(widget->imported.isEmpty());
    integrator.delivers = true;
    frame->sendInput();
    QCOMPARE(integrator.delivered, QStringList({"hello"}));
    QCOMPARE(textsOf(frame->undoStack()), QStringList({""}));
}

void TestMainFrame::discardedSendDeliversNothing()
{
    frame->importModelEvent(writtenResult("hello"));
    frame->sendInput(false);
    QVERIFY(integrator.delivered.isEmpty());
    QCOMPARE(integrator.pending, QString());
    QCOMPARE(textsOf(frame->undoStack()), QStringList({""}));
}

void TestMainFrame::sendActionAsksTheWidgetToFinish()
{
    frame->importModelEvent(writtenResult("hello"));
    frame->sendAction()->trigger();
    QCOMPARE(integrator.delivered, QStringList({"hello"}));
}

void TestMainFrame::trainingResultsStayOffTheStacks()
{
    frame->importModelEvent(writtenResult("a"));
    frame->setInputWidget(new StubWidget(IsoTrainerMode));
    frame->importModelEvent(writtenResult("b"));
    QCOMPARE(textsOf(frame->undoStack()), QStringList({"", "a"}));
}

void TestMainFrame::widgetChangeKeepsTheText()
{
    frame->importModelEvent(writtenResult("hello"));
    auto *boxed = new StubWidget(IsolatedMode);
    frame->setInputWidget(boxed);
    QCOMPARE(textsOf(boxed->imported), QStringList({"hello"}));
    auto *cursive = new StubWidget(CursiveMode);
    frame->setInputWidget(cursive);
    QCOMPARE(textsOf(cursive->imported), QStringList({"hello"}));
    QCOMPARE(textsOf(frame->undoStack()), QStringList({"", "hello"}));
}

// The installed panel services answer the pads: the panel's geometry, its screen's work
// area, and a screen change once the panel has fitted itself to it.
void TestMainFrame::servesThePadsWithItsGeometryAndScreenChanges()
{
    QCOMPARE(PadServices::instance(), &services);
    frame->setGeometry(120, 80, 640, 260);
    QCOMPARE(PadServices::instance()->panelGeometry(), frame->geometry());
    QCOMPARE(PadServices::instance()->screenRect(), services.availableGeometry());
    QSignalSpy changed(PadServices::instance(), &PadServices::newScreenChanged);
    QRect fitted;
    connect(PadServices::instance(), &PadServices::newScreenChanged, this,
            [&] { fitted = PadServices::instance()->panelGeometry(); });
    emit integrator.workAreaResized();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(fitted, frame->geometry());

    delete frame;
    frame = nullptr;
    QVERIFY(PadServices::instance()->panelGeometry().isNull());
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
