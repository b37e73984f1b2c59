#include "modes/cursivetypesetitem.h"

#include "model/charclasses.h"
#include "modes/cursivecandidatesitem.h"
#include "pad/glyphmetrics.h"
#include "pad/hoverlabelitem.h"
#include "pad/referencefont.h"
#include "pad/scrivelscene.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace {

constexpr int UnderlineAlpha = 140;
constexpr double ListGap = 10;
constexpr double IconGap = 20;
constexpr double IconWidthRtl = 100;

double xHeight()
{
    return referenceCharHeight(ReferenceChar::LatinX);
}

double underlinePosition()
{
    return QFontMetricsF(referenceFont()).underlinePos();
}

} // namespace

CursiveTypeSetItem::CursiveTypeSetItem(const Segment &segment, const ItemStyle &style,
                                       int direction, QGraphicsItem *parent)
    : TypeSetItem(segment, style, Qt::Alignment(direction), parent)
{
    setText(segment.selectedCandidate().label());
}

CursiveTypeSetItem::~CursiveTypeSetItem()
{
    auto *pad = qobject_cast<ScrivelScene *>(scene());
    auto *list = pad ? dynamic_cast<CursiveCandidatesItem *>(pad->modalItem()) : nullptr;
    if (list && list->owner() == this)
        list->setOwner(nullptr);
}

void CursiveTypeSetItem::setText(const QString &text)
{
    m_text = arabicJoinedText(text, int(alignment()), QString(), QString());
    prepareGeometryChange();
    m_textRect = measureText(m_text);
    const QFontMetricsF metrics(referenceFont());
    m_underlineY = metrics.underlinePos() + xHeight() / 6;
    m_underlineWidth = metrics.lineWidth() / 3;
    const double bottom = qMax(m_textRect.bottom(), m_underlineY);
    m_itemRect = QRectF(m_textRect.x() - 5, m_textRect.y(), m_textRect.width() + 10,
                        m_textRect.height() + bottom);
    m_dashHeight = measureText(QStringLiteral("-")).height();
}

void CursiveTypeSetItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setFont(referenceFont());
    const QLineF underline(m_itemRect.left(), m_underlineY, m_itemRect.right(), m_underlineY);
    auto drawUnderline = [&](ItemStyle::Color role) {
        QColor c = style().color(role);
        c.setAlpha(UnderlineAlpha);
        painter->setPen(QPen(c, int(m_underlineWidth)));
        painter->drawLine(underline);
    };
    if (m_candidatesOpen)
        drawUnderline(ItemStyle::HighlightColor);
    if (m_hovered)
        drawUnderline(ItemStyle::InkColor);
    painter->setPen(QPen(style().color(ItemStyle::InkColor), 1));
    if (isRightToLeft())
        painter->setLayoutDirection(Qt::RightToLeft);
    painter->drawText(QPointF(0, 0), m_text);
}

void CursiveTypeSetItem::showCandidates(int direction)
{
    if (!scene())
        return;
    const double h = xHeight();
    const double u = underlinePosition();
    const double right = mapRectToScene(m_textRect).width();
    auto *list = new CursiveCandidatesItem(segment(), style(), direction, right);

    const QPointF anchor(m_itemRect.left(), qMax(u + h / 2, m_itemRect.bottom() + ListGap));
    const QPointF textEnd(isRightToLeft() ? m_textRect.left() : m_textRect.right(), u - 1.5 * h);
    const QPointF sceneAnchor = mapToScene(anchor);
    const QPointF sceneEnd = mapToScene(textEnd);
    const double x = sceneEnd.x() - sceneAnchor.x() + (isRightToLeft() ? -IconWidthRtl : IconGap);
    list->addDictionaryIcon(segment().selectedCandidate().label(),
                            QPointF(x, sceneAnchor.y() - sceneEnd.y()));

    scene()->addItem(list);
    openModalItem(list);
    list->setPos(sceneAnchor);
    list->setOwner(this);
    update();

    const QRectF shown = list->sceneBoundingRect();
    m_candidateRect = list->rect();
    m_candidateRect.moveLeft(shown.left());
    m_candidateRect.moveBottom(shown.bottom());
}

void CursiveTypeSetItem::markCandidatesOpen()
{
    m_candidatesOpen = true;
    update();
    notifyScene(ScrivelScene::CandidateShown, segment().selectedIndex());
}

void CursiveTypeSetItem::unmarkCandidatesOpen()
{
    forgetModalItem();
    m_candidatesOpen = false;
    update();
    notifyScene(ScrivelScene::CandidateCleared, segment().selectedIndex());
}

bool CursiveTypeSetItem::sceneEventFilter(QGraphicsItem *watched, QEvent *event)
{
    if (watched->type() == HoverLabelItemType && event->type() == QEvent::GraphicsSceneMousePress
        && static_cast<QGraphicsSceneMouseEvent *>(event)->button() == Qt::LeftButton) {
        notifyScene(ScrivelScene::CandidateChosen, static_cast<HoverLabelItem *>(watched)->index());
        event->accept();
        return true;
    }
    return TypeSetItem::sceneEventFilter(watched, event);
}

void CursiveTypeSetItem::hoverEnterEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = true;
    update();
}

void CursiveTypeSetItem::hoverLeaveEvent(QGraphicsSceneHoverEvent *)
{
    m_hovered = false;
    update();
}

void CursiveTypeSetItem::notifyScene(int info, int index)
{
    if (auto *pad = qobject_cast<ScrivelScene *>(scene()))
        pad->notifySelectedCandidate(ScrivelScene::CandidateListInfo(info), segment(), index);
}
