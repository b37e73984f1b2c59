#include "cursivefixtures.h"
#include "modes/cursivelayout.h"
#include "modes/cursivelayoutanimation.h"
#include "modes/cursivetypesetitem.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"
#include "pad/scrivelscene.h"

#include <QGraphicsItemGroup>
#include <QSignalSpy>
#include <QTest>
#include <QTimeLine>

#include <memory>

using namespace cursivefixtures;

namespace {

const QTransform StartA(0.5, 0, 0, 0.5, 100, 200);
const QTransform EndA(0.3, 0, 0, 0.3, 40, 120);
const QTransform StartB(0.6, 0, 0, 0.4, 500, 210);
const QTransform EndB(0.3, 0, 0, 0.3, 300, 120);

QTransform between(const QTransform &a, const QTransform &b, double t)
{
    auto mix = [t](double x, double y) { return x + (y - x) * t; };
    return QTransform(mix(a.m11(), b.m11()), 0, 0, mix(a.m22(), b.m22()), mix(a.dx(), b.dx()),
                      mix(a.dy(), b.dy()));
}

} // namespace

// The glide of typeset words to their laid-out places and the models around it.
class TestCursiveLayoutAnimation : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void frames_data();
    void frames();
    void finishMidwayJumpsToTheEnd();
    void finishFromTheTimeLinesOwnSignal();
    void secondStartRestartsTheSameTimeLine();
    void startModelMarksAllInkAndSpreadsLines();
    void endPlacementsGoByWordNumber();
    void endModelMovesSettledInkOntoTheWords();
    void boxInkOnItsGlyphsStays();

private:
    std::unique_ptr<ScrivelScene> m_scene;
    QGraphicsItemGroup *m_group = nullptr;
    CursiveTypeSetItem *m_a = nullptr;
    CursiveTypeSetItem *m_b = nullptr;
    CursiveLayoutAnimation *m_animation = nullptr;
};

void TestCursiveLayoutAnimation::init()
{
    m_scene = std::make_unique<ScrivelScene>(ItemStyle());
    m_group = new QGraphicsItemGroup;
    m_group->setHandlesChildEvents(false);
    m_scene->addItem(m_group);
    m_a = new CursiveTypeSetItem(word(QStringLiteral("hello"), QRectF(100, 150, 200, 60)),
                                 ItemStyle(), 1, m_group);
    m_b = new CursiveTypeSetItem(word(QStringLiteral("world"), QRectF(500, 150, 200, 60)),
                                 ItemStyle(), 1, m_group);
    m_a->setStartTransform(StartA);
    m_a->setEndTransform(EndA);
    m_b->setStartTransform(StartB);
    m_b->setEndTransform(EndB);
    m_animation = new CursiveLayoutAnimation(m_scene.get());
    m_animation->setWordGroup(m_group);
}

void TestCursiveLayoutAnimation::cleanup()
{
    m_scene.reset();
}

void TestCursiveLayoutAnimation::frames_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<double>("t");
    QTest::newRow("first frame at the start") << 0 << 0.0;
    QTest::newRow("middle frame halfway") << 15 << 0.5;
    QTest::newRow("last frame at the end") << 30 << 1.0;
}

void TestCursiveLayoutAnimation::frames()
{
    QFETCH(int, frame);
    QFETCH(double, t);
    m_animation->step(frame);
    QCOMPARE(m_a->transform(), between(StartA, EndA, t));
    QCOMPARE(m_b->transform(), between(StartB, EndB, t));
}

void TestCursiveLayoutAnimation::finishMidwayJumpsToTheEnd()
{
    QSignalSpy finished(m_animation, &CursiveLayoutAnimation::finished);
    m_animation->start();
    QPointer<QTimeLine> line = m_animation->timeLine();
    QVERIFY(line);
    QCOMPARE(line->duration(), 1000);
    QCOMPARE(line->startFrame(), 0);
    QCOMPARE(line->endFrame(), 30);
    m_animation->step(10);
    m_animation->finish();
    QCOMPARE(m_a->transform(), EndA);
    QCOMPARE(m_b->transform(), EndB);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!m_animation->timeLine());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!line);
}

// The time line is deleted only after its finished() has returned.
void TestCursiveLayoutAnimation::finishFromTheTimeLinesOwnSignal()
{
    QSignalSpy finished(m_animation, &CursiveLayoutAnimation::finished);
    m_animation->start();
    QPointer<QTimeLine> line = m_animation->timeLine();
    QVERIFY(QMetaObject::invokeMethod(line.data(), "finished"));
    QVERIFY(line);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_a->transform(), EndA);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!line);
    m_animation->start();
    QVERIFY(m_animation->timeLine());
}

void TestCursiveLayoutAnimation::secondStartRestartsTheSameTimeLine()
{
    m_animation->start();
    QTimeLine *line = m_animation->timeLine();
    m_animation->start();
    QCOMPARE(m_animation->timeLine(), line);
    QCOMPARE(line->state(), QTimeLine::Running);
    m_animation->finish();
}

void TestCursiveLayoutAnimation::startModelMarksAllInkAndSpreadsLines()
{
    RecognitionResult model = result({word(QStringLiteral("ab"), QRectF(0, 0, 100, 50)), newLine(),
                                      word(QStringLiteral("cd"), QRectF(0, 60, 100, 50))}, 50);
    model.layout().linePositions = {50, 110};
    const RecognitionResult start = layoutStartModel(model);
    QCOMPARE(start.cachedInk(SettledInk), model.root().ink());
    QCOMPARE(start.cachedInk(TypesetInk), model.root().ink());
    QCOMPARE(start.layout().linePositions, (QList<double>{50, 160}));
    QCOMPARE(start.root(), model.root());
}

void TestCursiveLayoutAnimation::endPlacementsGoByWordNumber()
{
    const Segment hello = m_a->segment();
    const Segment world = m_b->segment();
    const RecognitionResult model = result({hello, space(), world});
    const QTransform p0(0.2, 0, 0, 0.2, 1, 2), p2(0.2, 0, 0, 0.2, 3, 4);
    setEndPlacements(m_group->childItems(), model, {p0, QTransform(), p2});
    QCOMPARE(m_a->endTransform(), p0);
    QCOMPARE(m_b->endTransform(), p2);
}

void TestCursiveLayoutAnimation::endModelMovesSettledInkOntoTheWords()
{
    const Segment hello = m_a->segment();
    const Segment world = m_b->segment();
    RecognitionResult model = result({hello, space(), world}, 40);
    model.layout().linePositions = {120};
    model.storeInkOfType(SettledInk, hello.ink());
    model.storeInkOfType(TypesetInk, model.root().ink());
    m_a->setTransform(EndA);
    m_b->setTransform(EndB);

    const RecognitionResult end = layoutEndModel(model, m_group->childItems());
    const QList<Segment> words = end.root().segmentsOfType(ResultNode::Word);
    QCOMPARE(words.size(), 3);
    // The settled word now lies on its typeset glyphs as box strokes.
    const Segment moved = words.at(0);
    QVERIFY(moved.ink().isAllOfKind(Stroke::Box));
    QRectF glyphs;
    for (const QRectF &r : glyphBoxes(hello, EndA))
        glyphs |= r;
    QCOMPARE(moved.ink().boundingRect(), glyphs);
    QCOMPARE(moved.selectedCandidate().label(), QStringLiteral("hello"));
    // The unsettled word keeps its ink.
    QCOMPARE(words.at(2).ink(), world.ink());
    QCOMPARE(end.cachedInk(SettledInk), moved.ink());
    QCOMPARE(end.cachedInk(TypesetInk), end.root().ink());
    QCOMPARE(end.layout(), model.layout());
}

void TestCursiveLayoutAnimation::boxInkOnItsGlyphsStays()
{
    const Segment hello = m_a->segment();
    const Segment once = replaceWordInk(hello, EndA);
    QCOMPARE(replaceWordInk(once, EndA), once);
    QVERIFY(replaceWordInk(once, EndB) != once);
}

QTEST_MAIN(TestCursiveLayoutAnimation)
#include "tst_cursivelayoutanimation.moc"
