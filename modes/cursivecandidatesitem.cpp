#include "modes/cursivecandidatesitem.h"

#include "modes/cursivedicoiconitem.h"
#include "modes/cursivetypesetitem.h"
#include "pad/hoverlabelitem.h"

#include <QGraphicsScene>

namespace {

constexpr double LabelSpacing = 35;

} // namespace

CursiveCandidatesItem::CursiveCandidatesItem(const Segment &segment, const ItemStyle &style,
                                             int direction, double rightEdge,
                                             QGraphicsItem *parent)
    : QGraphicsItemGroup(parent), m_style(style)
{
    setZValue(3.0);
    setHandlesChildEvents(false);
    const bool rightToLeft = direction == 2;
    const int selected = segment.selectedIndex();
    QStringList seen{segment.selectedCandidate().label()};
    const QList<ResultNode> candidates = segment.candidates();
    double x = rightToLeft ? -LabelSpacing : 0.0;
    for (int i = 0; i < candidates.size(); ++i) {
        const QString text = candidates.at(i).label();
        if (i == selected || seen.contains(text))
            continue;
        HoverLabelItem *label = addCandidateLabel(candidates.at(i), i);
        const double w = label->boundingRect().width();
        label->setPos(rightToLeft ? rightEdge - x - w : x, 0);
        x += w + LabelSpacing;
        m_rect |= label->sceneBoundingRect();
        seen.append(text);
    }
}

CursiveCandidatesItem::~CursiveCandidatesItem()
{
    CursiveTypeSetItem *owner = m_owner;
    if (!owner || !scene() || !scene()->items().contains(owner))
        return;
    setOwner(nullptr);
    owner->unmarkCandidatesOpen();
}

QList<HoverLabelItem *> CursiveCandidatesItem::labels() const
{
    QList<HoverLabelItem *> out;
    for (QGraphicsItem *child : childItems()) {
        if (child->type() == StyledItem::HoverLabelItemType)
            out.append(static_cast<HoverLabelItem *>(child));
    }
    return out;
}

HoverLabelItem *CursiveCandidatesItem::addCandidateLabel(const ResultNode &candidate, int index)
{
    auto *label = new HoverLabelItem(candidate.label(), m_style);
    label->setIndex(index);
    label->setFramed(true);
    label->setAcceptedMouseButtons(Qt::LeftButton);
    addToGroup(label);
    return label;
}

void CursiveCandidatesItem::addDictionaryIcon(const QString &word, const QPointF &offset)
{
    auto *icon = new CursiveDicoIconItem(word, m_style, this);
    icon->setAcceptedMouseButtons(Qt::LeftButton);
    icon->setPos(offset.x(), -offset.y());
    icon->show();
    m_rect |= icon->sceneBoundingRect();
}

void CursiveCandidatesItem::setOwner(CursiveTypeSetItem *owner)
{
    for (QGraphicsItem *child : childItems()) {
        if (m_owner)
            child->removeSceneEventFilter(m_owner);
        if (owner)
            child->installSceneEventFilter(owner);
    }
    m_owner = owner;
    if (owner)
        owner->markCandidatesOpen();
}
