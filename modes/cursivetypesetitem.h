#pragma once

#include "pad/typesetitem.h"

class CursiveCandidatesItem;

// One recognised word of the cursive pad drawn as typeset text. It is
// underlined while hovered or while its candidate list is open, opens that
// list with the dictionary icon, and reports a chosen candidate to the scene.
class CursiveTypeSetItem : public TypeSetItem
{
public:
    // direction 2 is right to left.
    CursiveTypeSetItem(const Segment &segment, const ItemStyle &style, int direction,
                       QGraphicsItem *parent = nullptr);
    // Leaves an open list without an owner.
    ~CursiveTypeSetItem() override;

    QRectF boundingRect() const override { return m_itemRect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;
    int type() const override { return CursiveTypeSetItemType; }
    void setText(const QString &text) override;

    QString text() const { return m_text; }
    QRectF textRect() const { return m_textRect; }
    // The scene rectangle of the open list, or of the last one.
    QRectF candidateRect() const { return m_candidateRect; }
    bool isHovered() const { return m_hovered; }
    bool areCandidatesOpen() const { return m_candidatesOpen; }
    double underlineY() const { return m_underlineY; }
    double underlineWidth() const { return m_underlineWidth; }
    double dashHeight() const { return m_dashHeight; }

    // Opens the candidate list under the word as the scene's modal item.
    void showCandidates(int direction);
    // Called by the list.
    void markCandidatesOpen();
    void unmarkCandidatesOpen();

protected:
    // A left press on a candidate label of the open list chooses that candidate.
    bool sceneEventFilter(QGraphicsItem *watched, QEvent *event) override;
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    void notifyScene(int info, int index);

    QString m_text;
    QRectF m_itemRect;
    QRectF m_textRect;
    QRectF m_candidateRect;
    bool m_hovered = false;
    bool m_candidatesOpen = false;
    double m_underlineY = 0.0;
    double m_underlineWidth = 0.0;
    double m_dashHeight = 0.0;
};
