#pragma once

#include "model/segment.h"
#include "pad/styleditem.h"

#include <QTransform>

// Base of the typeset text items: one segment drawn as its selected label in the reference
// font, placed by the item's transform, which a layout animation moves from a start to an
// end transform.
class TypeSetItem : public StyledItem
{
public:
    // alignment tells the writing direction: Qt::AlignRight is right to left.
    TypeSetItem(const Segment &segment, const ItemStyle &style, Qt::Alignment alignment,
                QGraphicsItem *parent = nullptr);
    // Closes the scene's modal item when it is this item's own.
    ~TypeSetItem() override;

    int type() const override { return TypeSetItemType; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    Segment segment() const { return m_segment; }
    virtual void setSegment(const Segment &segment);
    // Subclasses show the text their own way.
    virtual void setText(const QString &text);

    QString label() const;
    // Set while a candidate list of this item's result is open; drawn in the highlight colour.
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on);
    Qt::Alignment alignment() const { return m_alignment; }
    bool isRightToLeft() const { return m_alignment == Qt::AlignRight; }

    QTransform startTransform() const { return m_startTransform; }
    void setStartTransform(const QTransform &t) { m_startTransform = t; }
    QTransform endTransform() const { return m_endTransform; }
    void setEndTransform(const QTransform &t) { m_endTransform = t; }
    // Scale and translation linear in t between the start and end transforms, no shear.
    void interpolateTransform(double t);

    // The same segment, or the same label with the same ink or with ink whose bounding
    // rectangle is this item's scene bounding rectangle.
    bool matchesSegment(const Segment &segment) const;

protected:
    // Makes item the scene's modal item, owned by this item until forgotten.
    void openModalItem(QGraphicsItem *item);
    void forgetModalItem() { m_modalItem = nullptr; }

private:
    QGraphicsItem *m_modalItem = nullptr;
    QTransform m_startTransform;
    QTransform m_endTransform;
    Segment m_segment;
    Qt::Alignment m_alignment;
    bool m_highlighted = false;
};
