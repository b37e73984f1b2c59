#include "pad/resultitem.h"

#include "pad/hoverlabelitem.h"
#include "pad/referencefont.h"
#include "pad/resultcandidatesitem.h"
#include "pad/scrivelscene.h"
#include "pad/typesetitem.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr qreal ListGap = 60;
constexpr qreal UnderlineOffset = 10;

} // namespace

ResultItem::ResultItem(const QList<TypeSetItem *> &items, const Segment &segment,
                       const ItemStyle &style, QGraphicsItem *parent)
    : QGraphicsRectItem(parent), m_segment(segment), m_style(style), m_items(items),
      m_lineWidth(QFontMetricsF(referenceFont()).lineWidth())
{
    setEnabled(true);
    setAcceptHoverEvents(segment.selectedCandidate().label() == QLatin1String("?"));
    setRect(segment.ink().boundingRect());
    setPen(QPen(Qt::NoBrush, 0));
    setVisible(true);
}

ResultItem::~ResultItem()
{
    if (!m_candidates)
        return;
    ResultCandidatesItem *list = m_candidates;
    list->setFilterItem(nullptr);
    m_candidates = nullptr;
    setHighlighted(false);
    if (ScrivelScene *s = scrivelScene(); s && s->modalItem() == list)
        s->closeModalItem();
    else
        delete list;
}

void ResultItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                       QWidget *widget)
{
    painter->setFont(referenceFont());
    if (m_hovered) {
        QColor color = m_style.color(ItemStyle::InkColor);
        color.setAlpha(140);
        painter->setPen(QPen(color, m_lineWidth));
        const QRectF r = rect();
        const qreal y = r.bottom() + UnderlineOffset;
        painter->drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    QGraphicsRectItem::paint(painter, option, widget);
}

void ResultItem::showCandidates()
{
    ScrivelScene *s = scrivelScene();
    if (!s)
        return;
    auto *list = new ResultCandidatesItem(m_segment, m_style);
    list->setPos(listPosition(list, anchorRect()));
    s->addItem(list);
    s->setModalItem(list);
    list->setFilterItem(this);
    update();
    m_candidatesRect = list->mapRectToScene(list->labelsRect());
}

void ResultItem::candidatesShown(ResultCandidatesItem *list)
{
    m_candidates = list;
    setHighlighted(true);
    if (ScrivelScene *s = scrivelScene())
        s->notifySelectedCandidate(ScrivelScene::CandidateShown, m_segment,
                                   m_segment.selectedIndex());
}

void ResultItem::candidatesClosed(ResultCandidatesItem *list)
{
    if (list != m_candidates)
        return;
    m_candidates = nullptr;
    setHighlighted(false);
    if (ScrivelScene *s = scrivelScene())
        s->notifySelectedCandidate(ScrivelScene::CandidateCleared, m_segment,
                                   m_segment.selectedIndex());
}

void ResultItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = true;
    update();
}

void ResultItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = false;
    update();
}

bool ResultItem::sceneEventFilter(QGraphicsItem *watched, QEvent *event)
{
    if (event->type() != QEvent::GraphicsSceneMousePress
        || watched->type() != StyledItem::HoverLabelItemType)
        return false;
    auto *press = static_cast<QGraphicsSceneMouseEvent *>(event);
    if (press->button() != Qt::LeftButton)
        return false;
    const int index = static_cast<HoverLabelItem *>(watched)->index();
    if (ScrivelScene *s = scrivelScene())
        s->notifySelectedCandidate(ScrivelScene::CandidateChosen, m_segment, index);
    return false;
}

ScrivelScene *ResultItem::scrivelScene() const
{
    return qobject_cast<ScrivelScene *>(scene());
}

QRectF ResultItem::anchorRect() const
{
    QRectF anchor;
    for (QGraphicsItem *item : scene()->items()) {
        if (item->type() == StyledItem::CalcTypeSetItemType)
            anchor |= item->sceneBoundingRect();
    }
    return anchor.isNull() ? sceneBoundingRect() : anchor;
}

// Centred under the anchor; moved above it, or up from the bottom of the available area,
// when its bottom would leave the primary screen's available area.
QPointF ResultItem::listPosition(const ResultCandidatesItem *list, const QRectF &anchor) const
{
    const QRectF labels = list->labelsRect();
    const qreal h = labels.height();
    const qreal x = anchor.center().x() - labels.width() / 2 - labels.left();
    qreal top = anchor.bottom() + ListGap;

    const QList<QGraphicsView *> views = scene()->views();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!views.isEmpty() && screen) {
        const QGraphicsView *view = views.first();
        const QRect available = screen->availableGeometry();
        const auto toGlobal = [view](const QPointF &p) {
            return view->viewport()->mapToGlobal(view->mapFromScene(p));
        };
        const auto sceneY = [view](const QPoint &global) {
            return view->mapToScene(view->viewport()->mapFromGlobal(global)).y();
        };
        if (toGlobal(QPointF(anchor.center().x(), top + h)).y() > available.bottom()) {
            const qreal viewTop = sceneY(view->viewport()->mapToGlobal(QPoint(0, 0)));
            if (anchor.top() > viewTop + h + 40)
                top = anchor.top() - h - 20;
            else
                top = sceneY(QPoint(available.left(), available.bottom())) - h - ListGap;
        }
    }
    return QPointF(x, top - labels.top());
}

// Only the given items that are still in the scene: the creator may have deleted others.
void ResultItem::setHighlighted(bool on)
{
    const QList<QGraphicsItem *> live = scene() ? scene()->items() : QList<QGraphicsItem *>();
    for (TypeSetItem *item : m_items) {
        if (live.contains(item))
            item->setHighlighted(on);
    }
}
