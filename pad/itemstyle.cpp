#include "pad/itemstyle.h"

#include "resources/resourcepaths.h"

#include <QPixmap>
#include <QSharedData>

namespace {

// A cursor drawn from an image; a cross when the image is missing.
QCursor imageCursor(const QString &file, int hotX, int hotY)
{
    const QPixmap pixmap(file);
    return pixmap.isNull() ? QCursor(Qt::CrossCursor) : QCursor(pixmap, hotX, hotY);
}

} // namespace

class ItemStyle::Data : public QSharedData
{
public:
    Data();

    int inkWidth = 6;
    QColor colors[ColorCount];
    QCursor cursors[CursorCount];
};

ItemStyle::Data::Data()
    : colors{QColor("#1d2344"), QColor("darkslategrey"), QColor("#f7931e"),   QColor("#fffbc5"),
             QColor("white"),   QColor("gray"),          QColor("lightgray"), QColor("#dcd5a1"),
             QColor("#e1b64b"), QColor("orange")},
      cursors{imageCursor(resourcepaths::images() + QLatin1String("dot.png"), -1, -1),
              imageCursor(resourcepaths::images() + QLatin1String("cross.png"), -1, -1),
              imageCursor(resourcepaths::images() + QLatin1String("pen_cursor.png"), 10, 30)}
{
}

ItemStyle::ItemStyle() : d(new Data) {}
ItemStyle::ItemStyle(const ItemStyle &other) = default;
ItemStyle &ItemStyle::operator=(const ItemStyle &other) = default;
ItemStyle::~ItemStyle() = default;

QColor ItemStyle::color(Color i) const
{
    return i >= 0 && i < ColorCount ? d->colors[i] : QColor();
}

void ItemStyle::setColor(Color i, const QColor &color)
{
    if (i >= 0 && i < ColorCount)
        d->colors[i] = color;
}

QCursor ItemStyle::cursor(Cursor i) const
{
    return i >= 0 && i < CursorCount ? d->cursors[i] : QCursor();
}

int ItemStyle::inkWidth() const
{
    return d->inkWidth;
}

void ItemStyle::setInkWidth(int width)
{
    d->inkWidth = width;
}
