#pragma once

#include "pad/styleditem.h"

#include <QPainterPath>

// The star beside a cursive candidate list: filled while the word is in the
// personal dictionary, a press adds the word there or removes it.
class CursiveDicoIconItem final : public StyledItem
{
public:
    // A word of more than one character that begins with a capital is kept lower-cased.
    CursiveDicoIconItem(const QString &word, const ItemStyle &style,
                        QGraphicsItem *parent = nullptr);

    QRectF boundingRect() const override { return m_rect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;
    int type() const override { return CursiveDicoIconItemType; }

    QString word() const { return m_word; }
    bool isInDictionary() const { return m_inDictionary; }

    // Adds the word to the personal dictionary or removes it from there. A
    // dictionary that cannot be read is never rewritten; when it cannot be read
    // or saved the user is told, the star stays as it was and false is returned.
    bool toggle();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void setInDictionary(bool on);
    void warn(const char *text) const;

    QString m_word;
    QPainterPath m_star;
    QRectF m_rect;
    bool m_inDictionary = false;
};
