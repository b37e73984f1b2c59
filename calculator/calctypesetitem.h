#pragma once

#include "pad/typesetitem.h"

// One typeset symbol of a calculator expression: digits, letters and operators drawn as text
// in the reference font; the minus sign or fraction bar, the decimal point and the root sign
// drawn as lines as wide as the item is stretched.
class CalcTypeSetItem : public TypeSetItem
{
public:
    CalcTypeSetItem(const Segment &segment, const ItemStyle &style,
                    Qt::Alignment alignment = Qt::AlignLeft, QGraphicsItem *parent = nullptr);

    int type() const override { return CalcTypeSetItemType; }
    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;
    void setText(const QString &text) override;

    QString text() const { return m_text; }
    // A "?" the solver filled in; drawn in translucent red until the tap window closes.
    bool isProvisional() const { return m_provisional; }
    void setProvisional(bool on);
    // Multiplies the base thickness of the line-drawn symbols; the model's scale ratio.
    double thicknessFactor() const { return m_thicknessFactor; }
    void setThicknessFactor(double factor) { m_thicknessFactor = factor; }
    double dashHeight() const { return m_dashHeight; }
    // The pen width of the line-drawn symbols under the item's current transform.
    double lineThickness() const;
    QColor paintColor() const;

private:
    void paintRootSign(QPainter *painter, const QPen &pen, double thickness) const;

    QString m_text;
    QRectF m_rect;
    bool m_provisional = false;
    double m_dashHeight = 8.0;
    double m_thicknessFactor = 1.0;
};
