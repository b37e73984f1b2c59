#pragma once

#include "model/segment.h"
#include "pad/itemstyle.h"

#include <QGraphicsItemGroup>

class CursiveTypeSetItem;
class HoverLabelItem;

// The candidate list of a cursive word: the word's other candidates as one
// row of labels, no label twice and none for the selected one, and the
// dictionary icon of the word.
class CursiveCandidatesItem final : public QGraphicsItemGroup
{
public:
    // direction 2 sets the labels leftwards from rightEdge.
    CursiveCandidatesItem(const Segment &segment, const ItemStyle &style, int direction,
                          double rightEdge, QGraphicsItem *parent = nullptr);
    // Tells an owner still in the scene that its list is closed.
    ~CursiveCandidatesItem() override;

    QList<HoverLabelItem *> labels() const;
    // The united rectangle of the labels and the icon, taken before the list is placed.
    QRectF rect() const { return m_rect; }

    // The icon for the word at (offset x, -offset y).
    void addDictionaryIcon(const QString &word, const QPointF &offset);

    // Installs owner as scene event filter of every child and marks its list
    // open; nullptr removes the filters without telling.
    void setOwner(CursiveTypeSetItem *owner);
    CursiveTypeSetItem *owner() const { return m_owner; }

private:
    HoverLabelItem *addCandidateLabel(const ResultNode &candidate, int index);

    ItemStyle m_style;
    CursiveTypeSetItem *m_owner = nullptr;
    QRectF m_rect;
};
