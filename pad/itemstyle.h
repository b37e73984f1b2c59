#pragma once

#include <QColor>
#include <QCursor>
#include <QSharedDataPointer>

// Colours, ink width and cursors shared by the scene items and input widgets.
// Needs a QGuiApplication: the record holds cursors.
class ItemStyle
{
public:
    static constexpr int ColorCount = 10;
    static constexpr int CursorCount = 3;

    ItemStyle();
    ItemStyle(const ItemStyle &other);
    ItemStyle &operator=(const ItemStyle &other);
    ~ItemStyle();

    QColor color(int i) const;
    void setColor(int i, const QColor &color);
    QCursor cursor(int i) const;
    int inkWidth() const;
    void setInkWidth(int width);

private:
    class Data;
    QSharedDataPointer<Data> d;
};
