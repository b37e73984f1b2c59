#include "pad/demoplayer.h"

#include "model/demonstrationink.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"
#include "resources/resourcepaths.h"

#include <QPainterPath>
#include <QTimeLine>
#include <QTimerEvent>

namespace {

QPainterPath pathOf(const QList<QPolygonF> &strokes)
{
    QPainterPath path;
    for (const QPolygonF &stroke : strokes) {
        if (stroke.isEmpty())
            continue;
        path.moveTo(stroke.first());
        for (int i = 1; i < stroke.size(); ++i)
            path.lineTo(stroke.at(i));
    }
    return path;
}

// The ink's rectangle fitted into the target with its aspect kept, centred.
QTransform fitted(const QRectF &ink, const QRectF &target)
{
    if (ink.width() <= 0 || ink.height() <= 0 || target.height() <= 0)
        return QTransform();
    const qreal a = target.width() / target.height();
    const qreal b = ink.width() / ink.height();
    QRectF into = target;
    if (a < b) {
        into.setHeight(target.width() / b);
        into.moveTop(target.top() + (target.height() - into.height()) / 2);
    } else {
        into.setWidth(target.height() * b);
        into.moveLeft(target.left() + (target.width() - into.width()) / 2);
    }
    return QTransform::fromTranslate(-ink.left(), -ink.top())
           * QTransform::fromScale(into.width() / ink.width(), into.height() / ink.height())
           * QTransform::fromTranslate(into.left(), into.top());
}

QPolygonF corners(const QRectF &r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

bool isSample(int kind)
{
    return kind == DemoPlayer::AlphabetSample || kind == DemoPlayer::CalculatorSample;
}

} // namespace

DemoPlayer::DemoPlayer(ScrivelScene *scene, QObject *parent) : QObject(parent), m_scene(scene) {}

DemoPlayer::~DemoPlayer()
{
    m_sampleTimer.stop();
}

QString DemoPlayer::fileName(int kind, const QRectF &rect, bool dictionaryWord)
{
    const QString variant = QString::number(int(rect.width()) % 3);
    QString name;
    switch (kind) {
    case InsertDemo:
        name = QStringLiteral("insertAnimationInk") + variant;
        break;
    case JointDemo:
        name = QStringLiteral("jointAnimationInk") + variant;
        break;
    case SpaceDemo:
        name = QStringLiteral("spaceAnimationInk");
        break;
    case BackspaceDemo:
        name = QStringLiteral("backspaceAnimationInk");
        break;
    case ReturnDemo:
        name = QStringLiteral("returnAnimationInk");
        break;
    case AlphabetSample:
        name = QStringLiteral("AbcZiAnimationInk");
        break;
    case CalculatorSample:
        name = QStringLiteral("calcModeAnimationInk");
        break;
    default:
        name = (dictionaryWord ? QStringLiteral("deleteAnimationInk")
                               : QStringLiteral("eraseAnimationInk"))
               + variant;
        break;
    }
    return resourcepaths::images() + name + QStringLiteral(".itf");
}

QRectF DemoPlayer::targetRect(int kind, const QRectF &rect)
{
    QRectF r = rect;
    if (kind == InsertDemo) {
        r.setHeight(2 * rect.height());
    } else if (kind == JointDemo) {
        r.moveTop(rect.top() - rect.height());
        r.setHeight(2 * rect.height());
    }
    return r;
}

bool DemoPlayer::load(int kind, const QRectF &rect, bool dictionaryWord, bool animate)
{
    const QList<QPolygonF> file = readDemonstrationInk(fileName(kind, rect, dictionaryWord));
    if (file.isEmpty())
        return false;
    const bool erase = kind < InsertDemo || kind > CalculatorSample || kind == EraseDemo;
    m_kind = kind;
    m_animate = animate;
    m_fed = !isSample(kind);
    m_duration = erase && !dictionaryWord ? EraseDuration : DefaultDuration;
    if (kind == CalculatorSample)
        m_sampleTimer.start(SampleLifeMs, this);

    const QPainterPath ink = pathOf(file);
    const QRectF target = targetRect(kind, rect);
    QTransform map;
    if (isSample(kind))
        map = fitted(ink.controlPointRect(), target);
    else
        QTransform::quadToQuad(corners(demonstrationPageBox()), corners(target), map);
    m_strokes = map.map(ink).toSubpathPolygons();
    startStroke();
    return true;
}

void DemoPlayer::startStroke()
{
    dropTimeLine();
    const QPolygonF points = m_strokes.first();
    m_stroke = new StrokeItem(m_scene->style());
    if (m_sampleTimer.isActive())
        m_stroke->setDimmed(true);
    m_stroke->start(points.first());
    m_scene->addItem(m_stroke);

    if (PadServices::instance()->isFullScreenState()) {
        emit fullScreenStart();
        PadServices::instance()->showForFullScreenWriting();
    }
    if (m_fed)
        emit fedStrokeStarting();
    if (!m_animate) {
        m_stroke->hide();
        timeLineFinished();
        return;
    }
    if (!m_fed)
        m_duration = SampleMsPerPoint * int(points.size());
    m_timeLine = new QTimeLine(m_duration, this);
    m_timeLine->setFrameRange(1, std::max<int>(1, int(points.size()) - 1));
    connect(m_timeLine, &QTimeLine::frameChanged, this, &DemoPlayer::frameChanged);
    connect(m_timeLine, &QTimeLine::finished, this, &DemoPlayer::timeLineFinished);
    m_timeLine->start();
}

// The last point is kept for finishing the stroke.
void DemoPlayer::appendPointsUpTo(int index)
{
    const QPolygonF points = m_strokes.first();
    const int last = std::min<int>(index, int(points.size()) - 2);
    for (int i = m_stroke->path().elementCount(); i <= last; ++i)
        m_stroke->addPoint(points.at(i));
}

void DemoPlayer::frameChanged(int frame)
{
    appendPointsUpTo(frame);
}

void DemoPlayer::finishStroke()
{
    appendPointsUpTo(int(m_strokes.first().size()));
    m_stroke->finish(m_strokes.first().last());
}

void DemoPlayer::timeLineFinished()
{
    finishStroke();
    m_strokes.removeFirst();
    if (!m_fed) {
        if (m_strokes.isEmpty())
            reset();
        else
            startStroke();
        return;
    }
    StrokeItem *item = m_stroke;
    m_stroke = nullptr;
    emit fedStrokeDone(item);
    reset();
    emit fedDemoEnded(true);
}

void DemoPlayer::stop()
{
    const bool fed = m_fed;
    if (m_timeLine && m_timeLine->state() == QTimeLine::Running) {
        m_timeLine->stop();
        if (fed && m_stroke) {
            finishStroke();
            StrokeItem *item = m_stroke;
            m_stroke = nullptr;
            emit fedStrokeDone(item);
        }
    }
    // A sample stroke cut short is not left half drawn.
    if (m_stroke && !m_stroke->isClosed())
        delete m_stroke;
    m_stroke = nullptr;
    reset();
    if (fed)
        emit fedDemoEnded(false);
}

void DemoPlayer::endSample()
{
    if (!m_sampleTimer.isActive())
        return;
    m_sampleTimer.stop();
    if (m_timeLine && m_timeLine->state() == QTimeLine::Running)
        stop();
    m_scene->clearStrokes(true);
}

void DemoPlayer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_sampleTimer.timerId())
        endSample();
    else
        QObject::timerEvent(event);
}

void DemoPlayer::reset()
{
    m_kind = NoDemo;
    m_strokes.clear();
    m_stroke = nullptr;
    dropTimeLine();
    m_fed = false;
}

// The time line may be the sender of the signal being handled.
void DemoPlayer::dropTimeLine()
{
    if (!m_timeLine)
        return;
    m_timeLine->disconnect(this);
    m_timeLine->deleteLater();
    m_timeLine = nullptr;
}
