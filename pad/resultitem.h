#pragma once

#include "model/segment.h"
#include "pad/styleditem.h"

#include <QGraphicsRectItem>

class ResultCandidatesItem;
class ScrivelScene;
class TypeSetItem;

// One recognised result in a writing scene that can open its candidate list. While the list
// is open the result highlights its typeset items and reports the list to the scene.
class ResultItem final : public QGraphicsRectItem
{
public:
    // The rectangle is the bounding rectangle of the segment's ink; the pointer is followed
    // only when the selected label is "?".
    ResultItem(const QList<TypeSetItem *> &items, const Segment &segment, const ItemStyle &style,
               QGraphicsItem *parent = nullptr);
    // Closes an open candidate list.
    ~ResultItem() override;

    int type() const override { return StyledItem::ResultItemType; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    Segment segment() const { return m_segment; }
    bool isHovered() const { return m_hovered; }
    ResultCandidatesItem *candidates() const { return m_candidates; }
    // The scene rectangle of the open list, or of the last one.
    QRectF candidatesRect() const { return m_candidatesRect; }

    // Opens the list centred 60 below the scene's calculator typeset items, moved up when it
    // would reach below the available area of the primary screen.
    void showCandidates();

    // Called by the list.
    void candidatesShown(ResultCandidatesItem *list);
    void candidatesClosed(ResultCandidatesItem *list);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;
    // A press on a label reports its candidate as chosen; the scene then closes the list.
    bool sceneEventFilter(QGraphicsItem *watched, QEvent *event) override;

private:
    ScrivelScene *scrivelScene() const;
    QRectF anchorRect() const;
    QPointF listPosition(const ResultCandidatesItem *list, const QRectF &anchor) const;
    void setHighlighted(bool on);

    Segment m_segment;
    ItemStyle m_style;
    QList<TypeSetItem *> m_items;
    ResultCandidatesItem *m_candidates = nullptr;
    QRectF m_candidatesRect;
    bool m_hovered = false;
    qreal m_lineWidth;
};
