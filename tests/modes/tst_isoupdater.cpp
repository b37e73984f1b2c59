#include "model/merging.h"
#include "model/resultbuilding.h"
#include "modes/cursiveoracle.h"
#include "modes/cursiveupdater.h"
#include "modes/isoboxitem.h"
#include "modes/isooracle.h"
#include "modes/isotrainerupdater.h"
#include "modes/isoupdater.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"

#include <QGraphicsItemGroup>
#include <QPainterPath>
#include <QSignalSpy>
#include <QTest>

namespace {

RecognitionResult typed(const QString &labels)
{
    QList<RecognitionResult> characters;
    for (QChar c : labels)
        characters << resultFromStroke(makeBoxStroke(QRectF(0, 0, 1, 1), 0), QString(c),
                                       ResultNode::Character, 0);
    return mergeResults(characters, 1);
}

QString textOf(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

QList<QRectF> boxStrokeRects(const RecognitionResult &r)
{
    QList<QRectF> rects;
    for (const Segment &c : r.root().segmentsOfType(ResultNode::Character)) {
        for (const Stroke &s : c.ink().strokes()) {
            if (s.kind() == Stroke::Box)
                rects << s.boundingRect();
        }
    }
    return rects;
}

int penStrokes(const Segment &s)
{
    int count = 0;
    for (const Stroke &stroke : s.ink().strokes())
        count += stroke.kind() == Stroke::Pen;
    return count;
}

Stroke penLine(const QPointF &a, const QPointF &b)
{
    QPainterPath path(a);
    for (int i = 1; i <= 10; ++i)
        path.lineTo(a + (b - a) * (i / 10.0));
    return makePathStroke(path);
}

void show(Updater &updater, const RecognitionResult &model)
{
    UpdateIdle task(model, 1);
    updater.processRequest(&task);
}

} // namespace

class TestIsoUpdater : public QObject
{
    Q_OBJECT
private slots:
    void layoutInBoxes_data();
    void layoutInBoxes();
    void controllersTakeTheHorizontalDirection_data();
    void controllersTakeTheHorizontalDirection();
    void emptyModelLaysOutUnchanged();
    void boxesFollowTheModel();
    void boxGeometryAtTheEdges();
    void hintModeNeverSendsOnItsOwn();
    void boxModes_data();
    void boxModes();
    void appendAfterAGap_data();
    void appendAfterAGap();
    void trainerShowsOnlyTheExpectedCharacters();
    void trainerEraseKeepsTheExpectedCharacter();
    void trainerIgnoresInkOutsideTheBoxes();
};

void TestIsoUpdater::layoutInBoxes_data()
{
    QTest::addColumn<Qt::Alignment>("direction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QRectF>>("boxes");
    QTest::newRow("left to right")
        << Qt::Alignment(Qt::AlignLeft) << "abc"
        << QList<QRectF>{{100, 120, 450, 760}, {650, 120, 450, 760}, {1200, 120, 450, 760}};
    QTest::newRow("right to left")
        << Qt::Alignment(Qt::AlignRight) << "abc"
        << QList<QRectF>{{-550, 120, 450, 760}, {-1100, 120, 450, 760}, {-1650, 120, 450, 760}};
    QTest::newRow("right to left, vertically centred")
        << (Qt::AlignRight | Qt::AlignVCenter) << "ab"
        << QList<QRectF>{{-550, 120, 450, 760}, {-1100, 120, 450, 760}};
    QTest::newRow("an East Asian character takes a wide box")
        << Qt::Alignment(Qt::AlignLeft) << QStringLiteral("a日b")
        << QList<QRectF>{{100, 120, 450, 760}, {650, 120, 680, 760}, {1430, 120, 450, 760}};
}

void TestIsoUpdater::layoutInBoxes()
{
    QFETCH(Qt::Alignment, direction);
    QFETCH(QString, text);
    QFETCH(QList<QRectF>, boxes);
    ScrivelScene scene{ItemStyle()};
    IsoUpdater updater(BehaviourSettings(), &scene, direction);
    updater.changeBoxesSize(false);
    const RecognitionResult laidOut = updater.layoutInBoxes(typed(text), false);
    QCOMPARE(textOf(laidOut), text);
    QCOMPARE(boxStrokeRects(laidOut), boxes);
    QVERIFY(laidOut.layout().flags & 1);

    // The box items stand where the box strokes are, followed by the spare boxes.
    show(updater, laidOut);
    QCOMPARE(updater.boxes().size(), text.size() + IsoUpdater::SpareBoxes);
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(updater.boxes().at(i)->sceneBoundingRect(), boxes.at(i));
}

void TestIsoUpdater::controllersTakeTheHorizontalDirection_data()
{
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<Qt::Alignment>("direction");
    QTest::newRow("left") << Qt::Alignment(Qt::AlignLeft) << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("right") << Qt::Alignment(Qt::AlignRight) << Qt::Alignment(Qt::AlignRight);
    QTest::newRow("right and top")
        << (Qt::AlignRight | Qt::AlignTop) << Qt::Alignment(Qt::AlignRight);
    QTest::newRow("left and vertically centred")
        << (Qt::AlignLeft | Qt::AlignVCenter) << Qt::Alignment(Qt::AlignLeft);
}

void TestIsoUpdater::controllersTakeTheHorizontalDirection()
{
    QFETCH(Qt::Alignment, alignment);
    QFETCH(Qt::Alignment, direction);
    const WritingDirection oracleDirection = direction == Qt::AlignRight
        ? WritingDirection::RightToLeft
        : WritingDirection::LeftToRight;
    ScrivelScene scene{ItemStyle()};
    IsoUpdater boxed(BehaviourSettings(), &scene, alignment);
    QCOMPARE(boxed.writingDirection(), direction);
    QCOMPARE(boxed.oracle()->direction(), oracleDirection);
    IsoTrainerUpdater trainer(BehaviourSettings(), &scene, alignment);
    QCOMPARE(trainer.oracle()->direction(), oracleDirection);
    CursiveUpdater cursive(BehaviourSettings(), &scene, alignment);
    QCOMPARE(cursive.writingDirection(), direction);
    QCOMPARE(cursive.oracle()->direction(), oracleDirection);
}

void TestIsoUpdater::emptyModelLaysOutUnchanged()
{
    ScrivelScene scene{ItemStyle()};
    IsoUpdater updater(BehaviourSettings(), &scene, Qt::AlignLeft);
    QCOMPARE(updater.layoutInBoxes(RecognitionResult(), true), RecognitionResult());
}

// A shorter model after a longer one leaves no extra boxes; pen ink is kept only when asked.
void TestIsoUpdater::boxesFollowTheModel()
{
    ScrivelScene scene{ItemStyle()};
    IsoUpdater updater(BehaviourSettings(), &scene, Qt::AlignLeft);
    updater.changeBoxesSize(false);
    QCOMPARE(updater.boxes().size(), IsoUpdater::SpareBoxes);
    QCOMPARE(updater.boxes().first()->sceneBoundingRect(), QRectF(100, 120, 450, 760));
    show(updater, updater.layoutInBoxes(typed("abcd"), false));
    QCOMPARE(updater.boxes().size(), 4 + IsoUpdater::SpareBoxes);

    RecognitionResult written = mergeResults(
        {typed("a"), resultFromStrokes({penLine({700, 300}, {700, 700})}, "b", 2, 0)}, 1);
    const RecognitionResult kept = updater.layoutInBoxes(written, true);
    const QList<Segment> characters = kept.root().segmentsOfType(ResultNode::Character);
    QCOMPARE(penStrokes(characters.at(1)), 1);
    QCOMPARE(penStrokes(updater.layoutInBoxes(written, false)
                            .root()
                            .segmentsOfType(ResultNode::Character)
                            .at(1)),
             0);
    show(updater, kept);
    QCOMPARE(updater.boxes().size(), 2 + IsoUpdater::SpareBoxes);
    // The typed box is tinted; the handwritten one shows its ink instead.
    QVERIFY(updater.boxes().at(0)->showsTypedCharacter());
    QVERIFY(!updater.boxes().at(1)->showsTypedCharacter());
    QCOMPARE(updater.typeSetGroup()->childItems().size(), 1);
}

void TestIsoUpdater::boxGeometryAtTheEdges()
{
    ScrivelScene scene{ItemStyle()};
    IsoTrainerUpdater trainer(BehaviourSettings(), &scene, Qt::AlignLeft);
    trainer.changeBoxesSize(false);
    trainer.importModelEvent(typed("a"));
    QCOMPARE(trainer.boxes().size(), 1);
    // The first box is never the box after x, even before it.
    QCOMPARE(trainer.boxRectAt(0, false), QRectF(0, 0, 0, 0));
    QCOMPARE(trainer.boxRectAt(600, true), QRectF(100, 120, 450, 760));
    QCOMPARE(trainer.boxPosition(0), 100.0);
    QCOMPARE(trainer.boxPosition(1), 0.0);

    IsoUpdater pad(BehaviourSettings(), &scene, Qt::AlignLeft);
    pad.changeBoxesSize(false);
    QCOMPARE(pad.boxRectAt(120, false), QRectF(650, 120, 450, 760));
    IsoUpdater rtl(BehaviourSettings(), &scene, Qt::AlignRight);
    rtl.changeBoxesSize(false);
    QCOMPARE(rtl.boxPosition(0), 100.0);
    QCOMPARE(rtl.boxRectAt(120, false), QRectF(-1100, 120, 450, 760));
}

void TestIsoUpdater::hintModeNeverSendsOnItsOwn()
{
    ScrivelScene scene{ItemStyle()};
    BehaviourSettings behaviour;
    behaviour.autoSend = true;
    IsoUpdater plain(behaviour, &scene, Qt::AlignLeft);
    QVERIFY(plain.behaviour().autoSend);
    behaviour.boxHintMode = true;
    IsoUpdater hinted(behaviour, &scene, Qt::AlignLeft);
    QVERIFY(!hinted.behaviour().autoSend);
    plain.setBehaviour(behaviour);
    QVERIFY(!plain.behaviour().autoSend);
}

void TestIsoUpdater::boxModes_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("width");
    QTest::newRow("Latin asked wide gets the inner guide") << "a" << 2 << 3 << 680.0;
    QTest::newRow("East Asian stays wide") << QStringLiteral("日") << 2 << 2 << 680.0;
    QTest::newRow("East Asian in a small pad is wide") << QStringLiteral("日") << 1 << 2 << 680.0;
    QTest::newRow("empty box asked wide") << "" << 2 << 2 << 680.0;
    QTest::newRow("small") << "a" << 1 << 1 << 450.0;
    QTest::newRow("very wide") << "a" << 4 << 4 << 2280.0;
}

void TestIsoUpdater::boxModes()
{
    QFETCH(QString, label);
    QFETCH(int, asked);
    QFETCH(int, mode);
    QFETCH(double, width);
    IsoBoxItem box(ItemStyle(), false, 1);
    if (!label.isEmpty())
        box.setSegment(typed(label).root().segmentsOfType(ResultNode::Character).first());
    box.setBoxMode(asked);
    QCOMPARE(box.boxMode(), mode);
    QCOMPARE(box.boundingRect(), QRectF(0, 0, width, 760));
}

void TestIsoUpdater::appendAfterAGap_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("box");
    // "ab" stands in the first two boxes, its ink ending at 1100; the pitch is 550.
    QTest::newRow("next box: the space is taken over") << 1425.0 << "ab" << QRectF(1200, 120, 450, 760);
    QTest::newRow("a box further: one empty box") << 1975.0 << "ab " << QRectF(1750, 120, 450, 760);
}

void TestIsoUpdater::appendAfterAGap()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QFETCH(QRectF, box);
    ScrivelScene scene{ItemStyle()};
    IsoUpdater updater(BehaviourSettings(), &scene, Qt::AlignLeft);
    updater.changeBoxesSize(false);
    show(updater, updater.layoutInBoxes(typed("ab"), false));
    QSignalSpy sent(&updater, &Updater::updateRecognitionResult);
    updater.penDownEvent();
    auto *item = new StrokeItem(penLine({x, 300}, {x, 700}), QTransform(), ItemStyle());
    scene.addItem(item);
    // The answer takes the pen's item off the scene; keep its stroke for the answers.
    const Stroke stroke = item->stroke();
    updater.penUpEvent(item);
    QCOMPARE(updater.state(), Updater::State::Processing);
    updater.oracleAppendEvent(1);
    QCOMPARE(sent.size(), 1);
    // The recognizer gets the pen ink alone, with its box as guide.
    QCOMPARE(sent.first().at(1).toRectF(), box);
    QCOMPARE(textOf(sent.first().at(0).value<RecognitionResult>()), QStringLiteral("#"));
    QVERIFY(updater.inactivityTimer().isActive());

    RecognitionResult answer = resultFromStrokes({stroke}, "c", 2, 0);
    updater.recoResultEvent(answer);
    QCOMPARE(updater.state(), Updater::State::Idle);
    const RecognitionResult model = updater.model();
    QCOMPARE(textOf(model), text + "c");
    QCOMPARE(boxStrokeRects(model).last(), box);
    // The model takes the pad's direction as alignment; a late answer changes nothing.
    QCOMPARE(model.layout().alignment, 1);
    updater.recoResultEvent(resultFromStrokes({stroke}, "x", 2, 0));
    QCOMPARE(updater.model(), model);
}

void TestIsoUpdater::trainerShowsOnlyTheExpectedCharacters()
{
    ScrivelScene scene{ItemStyle()};
    IsoTrainerUpdater trainer(BehaviourSettings(), &scene, Qt::AlignLeft);
    trainer.importModelEvent(typed("abcde"));
    QCOMPARE(trainer.boxes().size(), 5);
    QCOMPARE(textOf(trainer.model()), QStringLiteral("abcde"));
    for (const IsoBoxItem *box : trainer.boxes())
        QCOMPARE(box->label().size(), 1);
}

void TestIsoUpdater::trainerEraseKeepsTheExpectedCharacter()
{
    ScrivelScene scene{ItemStyle()};
    IsoTrainerUpdater trainer(BehaviourSettings(), &scene, Qt::AlignLeft);
    trainer.changeBoxesSize(false);
    const RecognitionResult session = trainer.layoutInBoxes(typed("ab"), false);
    QList<RecognitionResult> parts;
    const QList<Segment> items = session.root().segmentsOfType(ResultNode::Character);
    parts << resultFromStrokes(items.at(0).ink().strokes() << penLine({300, 300}, {300, 700}),
                               "a", 2, 0);
    parts << resultFromSegment(items.at(1));
    trainer.importModelEvent(mergeResults(parts, 1));
    QCOMPARE(penStrokes(trainer.model().root()), 1);

    QSignalSpy sent(&trainer, &Updater::updateRecognitionResult);
    trainer.penDownEvent();
    auto *item = new StrokeItem(penLine({280, 500}, {330, 500}), QTransform(), ItemStyle());
    scene.addItem(item);
    trainer.penUpEvent(item);
    QCOMPARE(trainer.state(), Updater::State::Processing);
    const Segment first = trainer.model().root().segmentsOfType(ResultNode::Character).at(0);
    trainer.oracleEraseEvent(first.ink());
    QCOMPARE(sent.size(), 1);
    const RecognitionResult erased = trainer.model();
    QCOMPARE(textOf(erased), QStringLiteral("ab"));
    QCOMPARE(penStrokes(erased.root()), 0);
    QCOMPARE(boxStrokeRects(erased),
             (QList<QRectF>{{100, 120, 450, 760}, {650, 120, 450, 760}}));
    // The recognizer's answer ends the edit without changing the characters.
    trainer.recoResultEvent(typed("x"));
    QCOMPARE(trainer.state(), Updater::State::Idle);
    QCOMPARE(textOf(trainer.model()), QStringLiteral("ab"));
}

void TestIsoUpdater::trainerIgnoresInkOutsideTheBoxes()
{
    ScrivelScene scene{ItemStyle()};
    IsoTrainerUpdater trainer(BehaviourSettings(), &scene, Qt::AlignLeft);
    trainer.importModelEvent(typed("ab"));
    const RecognitionResult before = trainer.model();
    trainer.penDownEvent();
    auto *item = new StrokeItem(penLine({3000, 300}, {3000, 700}), QTransform(), ItemStyle());
    scene.addItem(item);
    trainer.penUpEvent(item);
    trainer.oracleAppendEvent(1);
    QCOMPARE(trainer.state(), Updater::State::Idle);
    QCOMPARE(trainer.model(), before);
    QVERIFY(trainer.pendingStrokes().isEmpty());
}

QTEST_MAIN(TestIsoUpdater)
#include "tst_isoupdater.moc"
