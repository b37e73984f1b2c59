#pragma once

#include "model/segment.h"
#include "pad/itemstyle.h"

#include <QGraphicsItemGroup>

class HoverLabelItem;
class ResultItem;

// The candidate list of a result: one label per candidate except the selected one, in
// candidate order, set in a row.
class ResultCandidatesItem final : public QGraphicsItemGroup
{
public:
    ResultCandidatesItem(const Segment &segment, const ItemStyle &style,
                         QGraphicsItem *parent = nullptr);
    // Tells the filter item, when it is still in the scene, that the list is closed.
    ~ResultCandidatesItem() override;

    Segment segment() const { return m_segment; }
    QList<HoverLabelItem *> labels() const;
    // The united rectangle of the labels, in item coordinates.
    QRectF labelsRect() const { return m_rect; }

    // Installs item as scene event filter of every label and tells it the list is shown;
    // nullptr removes the filters without telling.
    void setFilterItem(ResultItem *item);
    ResultItem *filterItem() const { return m_filterItem; }

private:
    ItemStyle m_style;
    Segment m_segment;
    ResultItem *m_filterItem = nullptr;
    QRectF m_rect;
};
