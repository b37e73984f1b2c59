#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursiveoracle.h"
#include "modes/cursiveupdater.h"
#include "pad/padclock.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"
#include "pad/typesetitem.h"

#include <QBrush>
#include <QGraphicsItemGroup>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QSignalSpy>
#include <QTest>

using namespace cursivefixtures;

namespace {

// Reads the i-th stroke of every model it is sent as the i-th word of its
// script, words separated by spaces, and answers through the event loop.
class ScriptedRecognizer : public QObject
{
    Q_OBJECT
public:
    ScriptedRecognizer(CursiveUpdater *controller, const QStringList &words)
        : m_controller(controller), m_words(words)
    {
        connect(controller, &Updater::updateRecognitionResult, this, &ScriptedRecognizer::read);
    }
    int reads = 0;

    RecognitionResult reading(const RecognitionResult &model) const
    {
        QList<Segment> words;
        const QList<Stroke> strokes = model.root().ink().strokes();
        for (int i = 0; i < strokes.size(); ++i) {
            if (i > 0)
                words << space();
            words << wordOn(m_words.value(i, "?"), {strokes.at(i)});
        }
        RecognitionResult r = result(words, 40);
        r.layout().linePositions = {model.root().ink().boundingRect().bottom()};
        return r;
    }

public slots:
    void read(const RecognitionResult &model)
    {
        ++reads;
        const RecognitionResult r = reading(model);
        QMetaObject::invokeMethod(
            m_controller, [c = m_controller, r] { c->recoResultEvent(r); }, Qt::QueuedConnection);
    }

private:
    CursiveUpdater *m_controller;
    QStringList m_words;
};

QString textOf(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

} // namespace

// The cursive pad controller between a scene, its oracle (which answers
// every stroke as writing while no gesture recognizer runs) and a scripted
// recognizer.
class TestCursiveUpdater : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void strokesBecomeWords();
    void timing();
    void watchdogOnlyLetsEventsRun();
    void lateResultChangesNothing();
    void eraseLeavesOneSpace();
    void eraseOfEverythingStopsTheLayout();
    void gestureIsAddedAsAKey();
    void tapOnAWordAsksForItsCandidates();
    void insertOpensAGapWithOneCaret();
    void upwardInsertShowsNoCaret();
    void correctionRequestGivesTheWordsPosition();
    void guideLinesFollowTheText();
    void dictionaryWords_data();
    void dictionaryWords();

private:
    StrokeItem *write(const QRectF &box);
    bool writeAndWait(const QRectF &box);

    ScrivelScene *scene = nullptr;
    CursiveUpdater *controller = nullptr;
    ScriptedRecognizer *recognizer = nullptr;
    QSignalSpy *exports = nullptr;
    QTime start;
};

void TestCursiveUpdater::init()
{
    start = QTime(10, 0);
    PadClock::freeze(start);
    scene = new ScrivelScene(ItemStyle());
    scene->setSceneRect(0, 0, 3000, 1000);
    controller = new CursiveUpdater(BehaviourSettings(), scene, Qt::AlignLeft);
    recognizer = new ScriptedRecognizer(controller, {"hello", "world", "one", "two"});
    exports = new QSignalSpy(controller, &Updater::exportModel);
}

void TestCursiveUpdater::cleanup()
{
    delete exports;
    delete recognizer;
    delete controller;
    delete scene;
    PadClock::thaw();
}

StrokeItem *TestCursiveUpdater::write(const QRectF &box)
{
    auto *item = new StrokeItem(penStroke(box, PadClock::time()), QTransform(), scene->style());
    scene->addItem(item);
    controller->penDownEvent();
    controller->penUpEvent(item);
    return item;
}

bool TestCursiveUpdater::writeAndWait(const QRectF &box)
{
    const int before = int(exports->size());
    write(box);
    // The pen-up is older than the answer that reads it.
    PadClock::advance(100);
    return QTest::qWaitFor([&] { return exports->size() > before; }, 5000);
}

void TestCursiveUpdater::strokesBecomeWords()
{
    QSignalSpy requests(controller, &CursiveUpdater::oracleRequest);
    QSignalSpy updates(controller, &Updater::updateRecognitionResult);
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(400, 400, 200, 100)));

    // A first stroke on an empty pad may be a gesture alone; later ones not.
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).at(2).toInt(), 2);
    QCOMPARE(requests.at(1).at(2).toInt(), 1);
    // The second request names the word already read as a target.
    QCOMPARE(requests.at(1).at(1).value<QList<InkRangeInfo>>().size(), 1);

    // The recognizer is sent the written ink as "#" first.
    QCOMPARE(updates.size(), 2);
    const RecognitionResult sent = updates.at(0).at(0).value<RecognitionResult>();
    QCOMPARE(textOf(sent), QStringLiteral("#"));
    QVERIFY(updates.at(0).at(1).toRectF().isEmpty());
    QCOMPARE(updates.at(0).at(2).toBool(), false);

    // Respacing keeps a space after the last word for the next one.
    QCOMPARE(textOf(exports->last().at(0).value<RecognitionResult>()),
             QStringLiteral("hello world "));
    QCOMPARE(controller->state(), Updater::State::Idle);
    // Young ink stays strokes; only the spaces have items yet.
    for (QGraphicsItem *item : controller->wordGroup()->childItems())
        QVERIFY(static_cast<TypeSetItem *>(item)->segment().selectedCandidate().isSpace());
    QCOMPARE(controller->strokeGroup()->childItems().size(), 2);
}

void TestCursiveUpdater::timing()
{
    for (int i = 0; i < 4; ++i)
        QVERIFY(writeAndWait(QRectF(100 + 300 * i, 400, 200, 100)));
    const RecognitionResult written = controller->model();
    QCOMPARE(textOf(written), QStringLiteral("hello world one two "));
    QVERIFY(written.cachedInk(TypesetInk).isEmpty());

    // The words were written 100 ms apart and the last result came 100 ms
    // after the last stroke: each word is typeset once it is 1500 ms old.
    QVERIFY(controller->typeSetTimer().isActive());
    QCOMPARE(controller->typeSetTimer().remainingTime(), 1100);
    QVERIFY(!controller->layoutTimer().isActive());
    PadClock::advance(1099);
    QVERIFY(controller->model().cachedInk(TypesetInk).isEmpty());
    PadClock::advance(1);
    const Segment hello = controller->model().root().segmentsOfType(ResultNode::Word).first();
    QCOMPARE(controller->model().cachedInk(TypesetInk), hello.ink());
    QCOMPARE(controller->typeSetTimer().remainingTime(), 100);
    PadClock::advance(300);

    const RecognitionResult typeset = controller->model();
    QCOMPARE(typeset.cachedInk(TypesetInk), typeset.root().ink());
    // Seven segments and a trailing space: only the first word has six
    // ready ones after it, and it is frozen into boxes.
    const QList<Segment> words = typeset.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 8);
    QCOMPARE(typeset.cachedInk(SettledInk), words.first().ink());
    QVERIFY(words.first().ink().isAllOfKind(Stroke::Box));
    QVERIFY(words.at(6).ink().isAllOfKind(Stroke::Pen));
    QCOMPARE(controller->wordGroup()->childItems().size(), 8);
    QVERIFY(controller->strokeGroup()->childItems().isEmpty());

    // The layout follows 2000 ms after the first stroke of the text.
    QVERIFY(!controller->typeSetTimer().isActive());
    QVERIFY(controller->layoutTimer().isActive());
    QCOMPARE(controller->layoutTimer().remainingTime(), 2000 - 1800);
}

void TestCursiveUpdater::watchdogOnlyLetsEventsRun()
{
    disconnect(controller, &CursiveUpdater::oracleRequest, controller->oracle(), nullptr);
    write(QRectF(100, 400, 200, 100));
    QVERIFY(controller->oracleWatchdog().isActive());
    QCOMPARE(controller->oracleWatchdog().remainingTime(), CursiveUpdater::OracleWatchdogDelay);
    PadClock::advance(3999);
    QVERIFY(controller->oracleWatchdog().isActive());
    PadClock::advance(1);
    QVERIFY(!controller->oracleWatchdog().isActive());
    // Nothing is retried: the stroke waits for an answer.
    QCOMPARE(controller->state(), Updater::State::Processing);
    QCOMPARE(recognizer->reads, 0);
    // An answer stops the watchdog.
    write(QRectF(400, 400, 200, 100));
    controller->oracleAppendEvent(2);
    QVERIFY(!controller->oracleWatchdog().isActive());
}

void TestCursiveUpdater::lateResultChangesNothing()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    const RecognitionResult model = controller->model();
    const int exported = int(exports->size());
    controller->recoResultEvent(recognizer->reading(model));
    controller->oracleEraseEvent(model.root().ink());
    controller->oracleAppendEvent(1);
    QCOMPARE(controller->model(), model);
    QCOMPARE(int(exports->size()), exported);
    QCOMPARE(controller->state(), Updater::State::Idle);
}

void TestCursiveUpdater::eraseLeavesOneSpace()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(400, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(700, 400, 200, 100)));
    const RecognitionResult model = controller->model();
    const Segment world = model.root().segmentsOfType(ResultNode::Word).at(2);
    QCOMPARE(world.selectedCandidate().label(), QStringLiteral("world"));

    // A strike through "world", answered before the oracle can.
    write(QRectF(380, 450, 240, 2));
    controller->oracleEraseEvent(world.ink());
    // The gesture leaves no ink.
    QCOMPARE(controller->strokeGroup()->childItems().size(), 2);
    QCOMPARE(textOf(controller->model()), QStringLiteral("hello one "));
    QVERIFY(controller->layoutTimer().isActive());
    // The oracle's own late answer is dropped.
    QTest::qWait(50);
    QCOMPARE(textOf(controller->model()), QStringLiteral("hello one "));
}

void TestCursiveUpdater::eraseOfEverythingStopsTheLayout()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    const RecognitionResult model = controller->model();
    write(QRectF(80, 450, 240, 2));
    controller->oracleEraseEvent(model.root().ink());
    QVERIFY(controller->model().root().ink().isEmpty());
    QVERIFY(!controller->layoutTimer().isActive());
    QCOMPARE(controller->state(), Updater::State::Idle);
}

void TestCursiveUpdater::gestureIsAddedAsAKey()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QSignalSpy timeouts(controller, &Updater::timeout);
    const QString backspace = QString::fromUcs4(U"\U000F0002");
    write(QRectF(400, 450, 240, 2));
    controller->oracleGestureEvent(backspace);
    QCOMPARE(textOf(controller->model()), "hello" + backspace);
    // A key gesture sends what is written once the controller is idle.
    QCOMPARE(timeouts.size(), 1);
}

void TestCursiveUpdater::tapOnAWordAsksForItsCandidates()
{
    for (int i = 0; i < 2; ++i)
        QVERIFY(writeAndWait(QRectF(100 + 300 * i, 400, 200, 100)));
    PadClock::advance(2000);
    QCOMPARE(controller->wordGroup()->childItems().size(), 4);
    QSignalSpy asked(controller, &CursiveUpdater::candidateListRequested);
    QSignalSpy requests(controller, &CursiveUpdater::oracleRequest);

    // Without a pen over the word a small stroke on it is ink.
    QGraphicsItem *hello = controller->wordGroup()->childItems().first();
    const QPointF centre = hello->sceneBoundingRect().center();
    const QRectF tap(centre, QSizeF(10, 10));
    write(tap);
    QCOMPARE(asked.size(), 0);
    QCOMPARE(requests.size(), 1);
}

void TestCursiveUpdater::insertOpensAGapWithOneCaret()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(400, 400, 200, 100)));
    const Segment world = controller->model().root().segmentsOfType(ResultNode::Word).at(2);
    const double worldLeft = world.ink().boundingRect().left();

    write(QRectF(340, 380, 2, 140));
    controller->oracleInsertEvent(world.ink().firstLocation(), false);
    QCOMPARE(textOf(controller->model()), QStringLiteral("hello  world "));
    QGraphicsRectItem *caret = controller->caretItem();
    QVERIFY(caret);
    QCOMPARE(caret->brush().color().alpha(), 64);
    controller->blinkTimeLineEvent(10);
    QCOMPARE(caret->brush().color().alpha(), 0);
    QVERIFY(controller->layoutTimer().isActive());
    const Segment moved = controller->model().root().segmentsOfType(ResultNode::Word).at(3);
    // The word after the gap moved on by the reference height.
    QCOMPARE(moved.selectedCandidate().label(), QStringLiteral("world"));
    QCOMPARE(moved.ink().boundingRect().left(),
             worldLeft + controller->model().layout().lineSpacing);

    write(QRectF(340, 380, 2, 140));
    controller->oracleInsertEvent(world.ink().firstLocation(), false);
    QList<QGraphicsRectItem *> carets;
    for (QGraphicsItem *item : scene->items()) {
        if (item->type() == QGraphicsRectItem::Type && item->zValue() == 0
            && item != scene->transparentRectItem())
            carets << static_cast<QGraphicsRectItem *>(item);
    }
    QCOMPARE(carets.size(), 1);
    QCOMPARE(carets.first(), controller->caretItem());
    controller->blinkTimeLineFinishedEvent();
    QVERIFY(!controller->caretItem());
}

void TestCursiveUpdater::upwardInsertShowsNoCaret()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(400, 400, 200, 100)));
    const Segment world = controller->model().root().segmentsOfType(ResultNode::Word).at(2);
    write(QRectF(340, 380, 2, 140));
    controller->oracleInsertEvent(world.ink().firstLocation(), true);
    QVERIFY(!controller->caretItem());
    QCOMPARE(controller->state(), Updater::State::Idle);
}

void TestCursiveUpdater::correctionRequestGivesTheWordsPosition()
{
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    QVERIFY(writeAndWait(QRectF(400, 400, 200, 100)));
    QSignalSpy asked(controller, &Updater::correctionRequestAtPos);
    const Segment world = controller->model().root().segmentsOfType(ResultNode::Word).at(2);
    controller->segmentCorrectionRequestEvent(world);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().at(0).toInt(), 6);
}

void TestCursiveUpdater::guideLinesFollowTheText()
{
    QGraphicsView view(scene);
    view.resize(1200, 400);
    view.fitInView(scene->sceneRect());
    QVERIFY(writeAndWait(QRectF(100, 400, 200, 100)));
    // The current line's guide starts 150 units after the text, on its line.
    QGraphicsLineItem *current = controller->guideLine(0);
    QCOMPARE(current->scene(), scene);
    QCOMPARE(current->line().x1(), 300.0 + 150.0);
    QCOMPARE(current->line().y1(), controller->model().layout().linePositions.last());
    QVERIFY(!controller->guideLine(1)->scene());

    write(QRectF(80, 450, 240, 2));
    controller->oracleEraseEvent(controller->model().root().ink());
    QVERIFY(!current->scene());
}

void TestCursiveUpdater::dictionaryWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("three letters") << "cat" << true;
    QTest::newRow("two letters") << "at" << false;
    QTest::newRow("hyphen") << "well-known" << false;
    QTest::newRow("apostrophe") << "don't" << false;
    QTest::newRow("degree sign") << QString("20\u00b0C") << false;
    QTest::newRow("circumflex accent") << "a^b" << false;
    QTest::newRow("accented letter") << QString("caf\u00e9") << true;
}

void TestCursiveUpdater::dictionaryWords()
{
    QFETCH(QString, word);
    QFETCH(bool, accepted);
    QCOMPARE(controller->isDictionaryWord(word), accepted);
}

QTEST_MAIN(TestCursiveUpdater)
#include "tst_cursiveupdater.moc"
