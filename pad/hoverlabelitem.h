#pragma once

#include "pad/styleditem.h"

#include <QPainterPath>

// A clickable text label in a rounded frame that lights up under the pointer; one candidate
// of a candidate list.
class HoverLabelItem final : public StyledItem
{
public:
    HoverLabelItem(const QString &text, const ItemStyle &style, QGraphicsItem *parent = nullptr);

    int type() const override { return HoverLabelItemType; }
    QRectF boundingRect() const override { return m_rect; }
    QPainterPath shape() const override { return m_shape; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    QString text() const { return m_text; }
    // The rectangle becomes the text's box at pixel size 100, 80 wider and 36 higher, at x 0.
    void setText(const QString &text);
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    bool isHovered() const { return m_hovered; }
    bool isFramed() const { return m_framed; }
    void setFramed(bool framed);

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent *event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    QString m_text;
    int m_index = -1;
    bool m_hovered = false;
    bool m_framed = true;
    QRectF m_rect;
    QPainterPath m_shape;
};
