#include "skinfixtures.h"

#include "skin/skinpaths.h"

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>

QString fixtureFile()
{
    return skinImagePath(QStringLiteral("fixture"));
}

QRgb pixelAt(const QPixmap &pixmap, int x, int y)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

bool isBlockScaled(const QPixmap &pixmap, int block)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != image.pixel(x - x % block, y - y % block))
                return false;
        }
    }
    return true;
}

void MouseRecorder::mousePressEvent(QMouseEvent *event)
{
    entries.append({event->type(), event->position().toPoint()});
}

void MouseRecorder::mouseMoveEvent(QMouseEvent *event)
{
    entries.append({event->type(), event->position().toPoint()});
}

void MouseRecorder::mouseReleaseEvent(QMouseEvent *event)
{
    entries.append({event->type(), event->position().toPoint()});
}
