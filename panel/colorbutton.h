#pragma once

#include "pad/itemstyle.h"

#include <QWidget>

// A colour swatch on its own copy of an item style: one colour (the ink) or two (the
// background, left and right); a press opens the colour dialog for the colour under it.
class ColorButton : public QWidget
{
    Q_OBJECT

public:
    ColorButton(const ItemStyle &style, bool single, QWidget *parent = nullptr);

    ItemStyle style() const { return m_style; }
    // The colour a press at x edits: the ink for a one-colour swatch, else the left colour
    // left of the middle and the right colour from the middle on.
    ItemStyle::Color colorAt(int x) const;
    QSize sizeHint() const override;

signals:
    void colorChanged();

public slots:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor markColor() const;

    ItemStyle m_style;
    bool m_single;
};
