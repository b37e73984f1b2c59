#include "pad/resultcandidatesitem.h"

#include "pad/hoverlabelitem.h"
#include "pad/resultitem.h"

namespace {

constexpr qreal LabelSpacing = 35;

} // namespace

ResultCandidatesItem::ResultCandidatesItem(const Segment &segment, const ItemStyle &style,
                                           QGraphicsItem *parent)
    : QGraphicsItemGroup(parent), m_style(style), m_segment(segment)
{
    setZValue(3.0);
    setHandlesChildEvents(false);
    const QList<ResultNode> candidates = segment.candidates();
    qreal x = 0;
    for (int i = 0; i < candidates.size(); ++i) {
        if (i == segment.selectedIndex())
            continue;
        auto *label = new HoverLabelItem(candidates.at(i).label(), style, this);
        label->setIndex(i);
        label->setFramed(true);
        label->setAcceptedMouseButtons(Qt::LeftButton);
        label->setPos(x, 0);
        x += label->boundingRect().width() + LabelSpacing;
        m_rect |= label->mapRectToParent(label->boundingRect());
    }
}

ResultCandidatesItem::~ResultCandidatesItem()
{
    ResultItem *item = m_filterItem;
    if (!item || !scene() || item->scene() != scene())
        return;
    setFilterItem(nullptr);
    item->candidatesClosed(this);
}

QList<HoverLabelItem *> ResultCandidatesItem::labels() const
{
    QList<HoverLabelItem *> out;
    for (QGraphicsItem *child : childItems()) {
        if (child->type() == StyledItem::HoverLabelItemType)
            out.append(static_cast<HoverLabelItem *>(child));
    }
    return out;
}

void ResultCandidatesItem::setFilterItem(ResultItem *item)
{
    for (HoverLabelItem *label : labels()) {
        if (m_filterItem)
            label->removeSceneEventFilter(m_filterItem);
        if (item)
            label->installSceneEventFilter(item);
    }
    m_filterItem = item;
    if (item)
        item->candidatesShown(this);
}
