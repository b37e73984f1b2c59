#include "pad/scrivelscene.h"

#include "pad/padservices.h"
#include "pad/strokeitem.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>

namespace {

constexpr double JumpRatio = 0.4;
constexpr int GuardMoves = 10;
constexpr double ExpandMargin = 50.0;

} // namespace

ScrivelScene::ScrivelScene(const ItemStyle &style, QObject *parent)
    : QGraphicsScene(parent), m_style(style)
{
    setItemIndexMethod(NoIndex);
    m_backgroundRect = addRect(sceneRect(), Qt::NoPen, QColor(254, 0, 0, 1));
    PadServices *services = PadServices::instance();
    connect(services, &PadServices::startShowing, this, &ScrivelScene::setTransparentRect);
    connect(services, &PadServices::startShownWindowed, this, &ScrivelScene::setTransparentRect);
    connect(this, &ScrivelScene::mouseIsOnFloatingMenu, services,
            &PadServices::mouseIsOnFloatingMenuEvent);
}

ScrivelScene::~ScrivelScene()
{
    // Items go while the scene is still a ScrivelScene, so that their
    // destructors may call back into it.
    closeModalItem();
    m_currentStroke = nullptr;
    m_fullScreenStroke = nullptr;
    clear();
}

void ScrivelScene::setModalItem(QGraphicsItem *item)
{
    if (item != m_modalItem)
        delete m_modalItem;
    m_modalItem = item;
}

void ScrivelScene::closeModalItem()
{
    delete m_modalItem;
    m_modalItem = nullptr;
}

void ScrivelScene::updateInkMaxX(double width)
{
    if (width > m_guardWidth) {
        m_guardWidth = width;
        m_guardActive = true;
    }
}

void ScrivelScene::notifySelectedCandidate(CandidateListInfo info, const Segment &segment,
                                           int index)
{
    emit selectedCandidateUpdate(info, segment, index);
}

void ScrivelScene::clearStrokes(bool onlyDimmedStrokes)
{
    const QList<QGraphicsItem *> all = items();
    for (QGraphicsItem *item : all) {
        if (item->type() != StyledItem::StrokeItemType)
            continue;
        auto *stroke = static_cast<StrokeItem *>(item);
        if (onlyDimmedStrokes && !stroke->isDimmed())
            continue;
        if (stroke == m_currentStroke)
            m_currentStroke = nullptr;
        if (stroke == m_fullScreenStroke)
            m_fullScreenStroke = nullptr;
        delete stroke;
    }
}

void ScrivelScene::clearStrokes()
{
    clearStrokes(false);
}

void ScrivelScene::tabletToMouseEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->type() == QEvent::GraphicsSceneMouseMove)
        mouseMoveEvent(event);
}

void ScrivelScene::tabletSavePointEvent(QEvent::Type type, const QPointF &point)
{
    if (type == QEvent::GraphicsSceneMousePress)
        m_savedPressPos = point;
    else if (type == QEvent::GraphicsSceneMouseRelease)
        m_savedReleasePos = point;
}

void ScrivelScene::setTransparentRect()
{
    m_backgroundRect->setRect(sceneRect());
    setIdleCursor();
}

void ScrivelScene::setIdleCursor()
{
    m_backgroundRect->setCursor(m_style.cursor(PadServices::instance()->isFullScreenState()
                                                   ? ItemStyle::FullScreenCursor
                                                   : ItemStyle::IdleCursor));
}

void ScrivelScene::removeRect()
{
    m_backgroundRect->setRect(QRectF(0, 0, 0, 0));
}

bool ScrivelScene::mapFromFirstView(const QPoint &global, QPointF &scenePoint) const
{
    const QList<QGraphicsView *> all = views();
    if (all.isEmpty())
        return false;
    QGraphicsView *view = all.first();
    scenePoint = view->mapToScene(view->viewport()->mapFromGlobal(global));
    return true;
}

void ScrivelScene::fullScreenMousePress(const QPoint &global)
{
    QPointF point;
    if (!mapFromFirstView(global, point))
        return;
    emit penDown();
    delete m_fullScreenStroke;
    m_fullScreenStroke = new StrokeItem(m_style);
    m_fullScreenStroke->start(point);
    addItem(m_fullScreenStroke);
}

void ScrivelScene::fullScreenMouseMove(const QPoint &global)
{
    QPointF point;
    if (!m_fullScreenStroke || !mapFromFirstView(global, point))
        return;
    m_fullScreenStroke->addPoint(point);
    emit mouseIsOnFloatingMenu(point);
}

void ScrivelScene::fullScreenMouseRelease(const QPoint &global)
{
    QPointF point;
    if (!m_fullScreenStroke || !mapFromFirstView(global, point))
        return;
    m_fullScreenStroke->finish(point);
    emit mouseIsOnFloatingMenu(point);
    StrokeItem *item = m_fullScreenStroke;
    m_fullScreenStroke = nullptr;
    emit penUp(item);
}

void ScrivelScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (!m_savedPressPos.isNull())
        event->setScenePos(m_savedPressPos);
    handlePress(event);
    m_savedPressPos = QPointF();
}

void ScrivelScene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    handlePress(event);
}

bool ScrivelScene::mayStartStroke(QGraphicsSceneMouseEvent *event) const
{
    const QGraphicsItem *top = itemAt(event->scenePos(), QTransform());
    const bool free = !top || top->acceptedMouseButtons() != Qt::LeftButton;
    return free && event->button() == Qt::LeftButton && m_noInkMode == 0;
}

void ScrivelScene::handlePress(QGraphicsSceneMouseEvent *event)
{
    if (m_blocked) {
        event->accept();
        return;
    }
    QGraphicsItem *modalBefore = m_modalItem;
    if (mayStartStroke(event)) {
        const QPointF point = event->scenePos();
        if (m_currentStroke) {
            m_currentStroke->addPoint(point);
        } else {
            emit penDown();
            m_currentStroke = new StrokeItem(m_style);
            m_currentStroke->start(point);
            addItem(m_currentStroke);
        }
        m_strokeMinX = m_strokeMaxX = point.x();
        m_lastPos = point;
    }
    QGraphicsScene::mousePressEvent(event);
    if (!m_itemPressed && m_modalItem && m_modalItem == modalBefore) {
        closeModalItem();
        event->accept();
        m_itemPressed = false;
        return;
    }
    if (m_currentStroke)
        event->accept();
    m_itemPressed = false;
}

void ScrivelScene::addStrokePoint(const QPointF &point)
{
    m_currentStroke->addPoint(point);
    if (PadServices::instance()->isFullScreenState())
        emit mouseIsOnFloatingMenu(point);
    const double x = point.x();
    if (x < m_strokeMinX - ExpandMargin || x > m_strokeMaxX + ExpandMargin) {
        emit prepareExpandScrivelX(float(x));
        m_strokeMinX = qMin(m_strokeMinX, x);
        m_strokeMaxX = qMax(m_strokeMaxX, x);
    }
    m_lastPos = point;
}

void ScrivelScene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    const QPointF point = event->scenePos();
    if (m_guardActive) {
        ++m_guardMoves;
        if (qAbs(m_lastPos.x() - point.x()) > JumpRatio * m_guardWidth)
            m_strokeFrozen = true;
        if (m_guardMoves > GuardMoves)
            resetGuard();
    }
    if (m_currentStroke && !m_strokeFrozen) {
        addStrokePoint(point);
        event->accept();
    }
    QGraphicsScene::mouseMoveEvent(event);
}

void ScrivelScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_currentStroke) {
        StrokeItem *item = m_currentStroke;
        m_currentStroke = nullptr;
        item->finish(m_strokeFrozen ? m_lastPos : event->scenePos());
        emit penUp(item);
        event->accept();
    }
    if (!m_savedReleasePos.isNull())
        event->setScenePos(m_savedReleasePos);
    if (m_guardActive || m_strokeFrozen)
        resetGuard();
    QGraphicsScene::mouseReleaseEvent(event);
    m_savedReleasePos = QPointF();
}

void ScrivelScene::resetGuard()
{
    m_guardMoves = 0;
    m_guardWidth = 0.0;
    m_guardActive = false;
    m_strokeFrozen = false;
}
