#pragma once

#include <QColor>
#include <QCursor>
#include <QSharedDataPointer>

// Colours, ink width and cursors shared by the scene items and input widgets.
// Needs a QGuiApplication: the record holds cursors.
class ItemStyle
{
public:
    // The colours by role; the settings store InkColor, LeftColor and RightColor.
    enum Color : int {
        InkColor,        // strokes, typeset and result text
        FrameColor,      // boxed-character boxes, swatch frames
        HighlightColor,  // cursive typeset highlights
        LeftColor,       // panel background, left side
        RightColor,      // panel background, right side; input-widget background
        KeyboardColor,   // mini-keyboard fill
        KeyColor,        // ordinary keys
        SpecialKeyColor, // named special keys
        ArrowKeyColor,   // arrow keys
        SecondKeyColor   // second colour of every key
    };
    enum Cursor : int {
        WritingCursor,   // while the pen writes
        IdleCursor,      // idle, windowed panel
        FullScreenCursor // idle, full-screen writing
    };
    static constexpr int ColorCount = 10;
    static constexpr int CursorCount = 3;

    ItemStyle();
    ItemStyle(const ItemStyle &other);
    ItemStyle &operator=(const ItemStyle &other);
    ~ItemStyle();

    // An invalid colour or a default cursor for a value out of range.
    QColor color(Color i) const;
    void setColor(Color i, const QColor &color);
    QCursor cursor(Cursor i) const;
    int inkWidth() const;
    void setInkWidth(int width);

private:
    class Data;
    QSharedDataPointer<Data> d;
};
