#include "pad/strokeitem.h"

#include "pad/strokeoutline.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace {

constexpr double SmoothingScale = 1.0;
constexpr double SmoothingFlatness = 1.0 / 64.0;
constexpr double SampleTimeStep = 0.5;
constexpr double SameSample = 1e-6;

double widthFactor(int index, int count)
{
    const int rank = 2 * index < count - 1 ? index : count - 1 - index;
    return qMin(qPow(rank, 0.3) * 128.0 + 1.0, 256.0) / 256.0;
}

// A tap, a dot or a stroke too short to taper: it is painted at full width.
bool isDot(const QList<CentrePoint> &samples, double radius)
{
    const QPointF first = samples.value(0).point;
    return samples.size() < 3 || std::all_of(samples.cbegin(), samples.cend(), [&](const CentrePoint &s) {
        return QLineF(first, s.point).length() <= radius;
    });
}

} // namespace

StrokeItem::StrokeItem(const ItemStyle &style, QGraphicsItem *parent)
    : StyledItem(style, parent), m_stamp(StrokeStamp::now())
{
    init();
}

StrokeItem::StrokeItem(const Stroke &stroke, const QTransform &transform, const ItemStyle &style,
                       QGraphicsItem *parent)
    : StyledItem(style, parent), m_path(stroke.path()), m_stamp(stroke.stamp())
{
    init();
    setTransform(transform);
}

void StrokeItem::init()
{
    setZValue(1);
    setAcceptedMouseButtons(Qt::NoButton);
    setEnabled(false);
}

void StrokeItem::resetCaches()
{
    prepareGeometryChange();
    m_boundingRectCache = QRectF();
    m_sceneDirty = true;
    m_scenePath = QPainterPath();
}

void StrokeItem::start(const QPointF &point)
{
    resetCaches();
    m_path = QPainterPath();
    m_path.moveTo(point);
    setCursor(style().cursor(ItemStyle::WritingCursor));
}

void StrokeItem::addPoint(const QPointF &point)
{
    resetCaches();
    m_path.lineTo(point);
}

void StrokeItem::finish(const QPointF &point)
{
    resetCaches();
    m_path.lineTo(point);
    unsetCursor();
    m_stamp = StrokeStamp::fresh();
    m_closed = true;
    if (m_path.controlPointRect().width() == 0.0) {
        const QPointF last = m_path.currentPosition();
        m_path.lineTo(last.x() + 1.0, last.y());
    }
}

void StrokeItem::setDimmed(bool dimmed)
{
    m_dimmed = dimmed;
    update();
}

void StrokeItem::updateScenePath() const
{
    const QTransform transform = sceneTransform();
    if (!m_sceneDirty && transform == m_lastSceneTransform)
        return;
    m_lastSceneTransform = transform;
    m_sceneDirty = false;
    m_scenePath = transform.map(m_path);
}

Stroke StrokeItem::stroke() const
{
    updateScenePath();
    Stroke result = makePathStroke(m_scenePath);
    result.setStamp(m_stamp);
    return result;
}

bool StrokeItem::hasPath(const Stroke &stroke) const
{
    updateScenePath();
    return m_scenePath == stroke.path();
}

QRectF StrokeItem::boundingRect() const
{
    if (m_boundingRectCache.isNull()) {
        const double margin = style().inkWidth() * 5 * 0.5;
        m_boundingRectCache = m_path.controlPointRect().adjusted(-margin, -margin, margin, margin);
    }
    return m_boundingRectCache;
}

bool StrokeItem::isSmall() const
{
    const QRectF box = boundingRect();
    return m_path.elementCount() <= 10 && m_closed
           && box.width() * box.width() + box.height() * box.height() < 25000.0;
}

QList<CentrePoint> StrokeItem::centreSamples(const QPainterPath &devicePath, bool small) const
{
    const int n = devicePath.elementCount();
    QList<CentrePoint> samples;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = devicePath.elementAt(i);
        const CentrePoint sample{QPointF(e.x, e.y), small ? 1.0 : widthFactor(i, n), SampleTimeStep * i};
        if (e.isMoveTo()) {
            samples = {sample};
        } else if (e.isLineTo() && !samples.isEmpty()) {
            const QPointF last = samples.last().point;
            if (qAbs(last.x() - e.x) > SameSample || qAbs(last.y() - e.y) > SameSample)
                samples.append(sample);
        }
    }
    return samples;
}

void StrokeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QTransform transform = painter->worldTransform();
    const bool small = isSmall();
    const int width = style().inkWidth();
    const int inkWidth = small ? qMax(int(width * 0.7), qMin(width, 1)) : width;
    const double radius = (transform.m11() + transform.m22()) * inkWidth * 5.0 * 0.5 * 0.5;

    QList<CentrePoint> samples = centreSamples(transform.map(m_path), small);
    if (isDot(samples, qAbs(radius))) {
        for (CentrePoint &sample : samples)
            sample.width = 1.0;
    }
    const QList<CentrePoint> line = StrokeSmoother(SmoothingScale, SmoothingFlatness).smooth(samples);
    const QPolygonF outline = StrokeOutline::build(line, radius);

    QColor color = style().color(ItemStyle::InkColor);
    if (m_dimmed)
        color.setAlpha(80);
    painter->save();
    painter->resetTransform();
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(outline, Qt::WindingFill);
    painter->restore();
}
