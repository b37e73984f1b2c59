#include "pad/scrivelview.h"

#include "pad/padservices.h"
#include "pad/penevent.h"
#include "pad/scrivelscene.h"
#include "recognition/inputmode.h"

#include <QCoreApplication>
#include <QGraphicsSceneMouseEvent>
#include <QMouseEvent>
#include <QtMath>

namespace {

constexpr double HimetricPerInch = 2540.0;
constexpr double ZoomedScale = 0.2;
constexpr int BoxedSceneHeight = 1000;
constexpr int RightToLeft = 2;

double quarterPixel(double v)
{
    return qFloor(v * 4.0) * 0.25;
}

} // namespace

ScrivelView::ScrivelView(int mode, ScrivelScene *scene, int side, QWidget *parent)
    : QGraphicsView(scene, parent), m_side(side), m_mode(mode)
{
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setTransformationAnchor(NoAnchor);
    setResizeAnchor(NoAnchor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSceneRect(QRectF(-10000, -10000, 20000, 20000));
}

QSize ScrivelView::sizeHint() const
{
    return QSize(550, 150);
}

QPolygonF ScrivelView::rectCorners(const QRectF &r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

void ScrivelView::setOrigin(double x, double y)
{
    m_origin = QPointF(x, y);
    fitScene();
}

void ScrivelView::setAlignment(int alignment)
{
    m_alignment = alignment;
    fitScene();
}

QTransform ScrivelView::zoomedTransform() const
{
    QTransform t;
    if (m_alignment == Qt::AlignRight || (m_alignment == Qt::AlignCenter && m_side == RightToLeft))
        t.translate(width(), 0);
    t.scale(ZoomedScale, ZoomedScale);
    t.translate(-m_origin.x(), -m_origin.y());
    return t;
}

QTransform ScrivelView::boxedTransform()
{
    const int ratio = width() * BoxedSceneHeight / height();
    const double left = m_side == 1 ? m_origin.x() : -m_origin.x() - ratio;
    const QRectF shown(left, 0, ratio, BoxedSceneHeight);
    if (!sceneRect().contains(shown))
        setSceneRect(sceneRect().united(shown));
    QTransform t;
    QTransform::quadToQuad(rectCorners(shown), rectCorners(QRectF(rect())), t);
    return t;
}

void ScrivelView::fitScene()
{
    // An empty widget shows nothing and has no ratio to fit.
    if (width() <= 0 || height() <= 0)
        return;
    const bool zoomed = m_mode == CursiveMode || m_mode == CalculatorMode;
    const QTransform t = zoomed ? zoomedTransform() : boxedTransform();
    if (t != transform())
        setTransform(t);
}

void ScrivelView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fitScene();
}

void ScrivelView::showEvent(QShowEvent *event)
{
    PadServices *services = PadServices::instance();
    services->setupInk(services->isFullScreenState(), this);
    QGraphicsView::showEvent(event);
}

void ScrivelView::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

void ScrivelView::mousePressEvent(QMouseEvent *event)
{
    if (m_penState == NoPen)
        QGraphicsView::mousePressEvent(event);
    else
        event->accept();
}

void ScrivelView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_penState == NoPen)
        QGraphicsView::mouseDoubleClickEvent(event);
    else
        event->accept();
}

void ScrivelView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_penState != PenPressed)
        QGraphicsView::mouseMoveEvent(event);
    else
        event->accept();
}

void ScrivelView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_penState == NoPen) {
        QGraphicsView::mouseReleaseEvent(event);
        return;
    }
    m_penState = m_penState == SystemReleaseSeen ? NoPen : SystemReleaseSeen;
    event->accept();
}

QPointF ScrivelView::penToScene(const QPointF &raw)
{
    m_rawPenPoint = raw;
    const QPointF pixel(quarterPixel(raw.x() / HimetricPerInch * viewport()->logicalDpiX()),
                        quarterPixel(raw.y() / HimetricPerInch * viewport()->logicalDpiY()));
    return viewportTransform().inverted().map(pixel);
}

void ScrivelView::sendPenEvent(QEvent::Type penType, const QPointF &raw)
{
    QEvent::Type type = QEvent::GraphicsSceneMouseMove;
    if (penType == PenEvent::pressType())
        type = QEvent::GraphicsSceneMousePress;
    else if (penType == PenEvent::releaseType())
        type = QEvent::GraphicsSceneMouseRelease;

    const QPointF scenePoint = penToScene(raw);
    const QPoint screenPoint = viewport()->mapToGlobal(mapFromScene(scenePoint));
    QGraphicsSceneMouseEvent sceneEvent(type);
    sceneEvent.setWidget(viewport());
    sceneEvent.setButtonDownScenePos(Qt::LeftButton, scenePoint);
    sceneEvent.setButtonDownScreenPos(Qt::LeftButton, screenPoint);
    sceneEvent.setScenePos(scenePoint);
    sceneEvent.setScreenPos(screenPoint);
    sceneEvent.setButtons(Qt::LeftButton);
    sceneEvent.setButton(Qt::LeftButton);
    sceneEvent.setModifiers(Qt::NoModifier);
    if (scene())
        QCoreApplication::sendEvent(scene(), &sceneEvent);

    if (type == QEvent::GraphicsSceneMousePress)
        m_penState = PenPressed;
    else if (type == QEvent::GraphicsSceneMouseRelease)
        m_penState = PenReleased;
}

bool ScrivelView::event(QEvent *event)
{
    if (!PenEvent::isPenEvent(event->type()))
        return QGraphicsView::event(event);
    sendPenEvent(event->type(), static_cast<PenEvent *>(event)->point());
    event->accept();
    return true;
}
