#pragma once

#include "model/segment.h"
#include "pad/styleditem.h"

// One writing box of the boxed-character pads: its frame, a tint for a box
// holding a typed character, and that character centred in the box (or, in
// hint mode, small in its corner). Its size follows a box mode: 1 narrow,
// 2 wide for East Asian characters, 3 wide with an inner guide, 4 very wide.
class IsoBoxItem : public StyledItem
{
public:
    static constexpr double Height = 760.0;

    IsoBoxItem(const ItemStyle &style, bool hintMode, const int &boxMode,
               QGraphicsItem *parent = nullptr);

    static QRectF boxRect(int mode);

    void setBoxMode(int mode);
    void setTexts(int number, const QString &first, const QString &second);
    void setSegment(const Segment &segment);
    // The on-screen size of the box's character, from its height in the first view.
    double characterScale() const;

    Segment segment() const { return m_segment; }
    bool hintMode() const { return m_hintMode; }
    QString label() const { return m_label; }
    QString displayText() const { return m_displayText; }
    int boxMode() const { return m_boxMode; }
    int number() const { return m_number; }
    QString firstText() const { return m_firstText; }
    QString secondText() const { return m_secondText; }
    // Whether the box holds a typed character: its ink is only box strokes.
    bool showsTypedCharacter() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

private:
    void updateDisplayText();
    // The font of a typed character; the painter's font gives the base.
    QFont characterFont(const QFont &base) const;

    Segment m_segment;
    bool m_hintMode;
    QString m_label;
    QString m_displayText;
    QString m_firstText;
    QString m_secondText;
    int m_number = 1;
    int m_boxMode = 1;
    QRectF m_rect;
};
