#include "skin/svguirenderer.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

namespace {

using RendererCache = QCache<QString, QSharedPointer<SvgUIRenderer>>;

RendererCache *rendererCache()
{
    static RendererCache *cache = nullptr;
    if (!cache) {
        cache = new RendererCache(100);
        // Emptied with the application, while pixmaps can still be freed.
        qAddPostRoutine([] {
            delete cache;
            cache = nullptr;
        });
    }
    return cache;
}

// The direction is part of the key: a mirrored rendering is not the same picture.
QString cacheKey(const QString &file, const QString &element, const QString &clip,
                 Qt::LayoutDirection direction)
{
    return file + QLatin1Char('\n') + element + QLatin1Char('\n') + clip
           + (direction == Qt::RightToLeft ? QLatin1String("\nrtl") : QLatin1String("\nltr"));
}

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

SvgUIRenderer::SvgUIRenderer(QObject *parent) : QSvgRenderer(parent), m_pixmaps(100), m_masks(100)
{
}

QSharedPointer<SvgUIRenderer> SvgUIRenderer::rendererFor(const QString &file)
{
    if (file.isEmpty())
        return QSharedPointer<SvgUIRenderer>::create();
    RendererCache *cache = rendererCache();
    if (QSharedPointer<SvgUIRenderer> *held = cache->object(file))
        return *held;
    auto renderer = QSharedPointer<SvgUIRenderer>::create();
    cache->insert(file, new QSharedPointer<SvgUIRenderer>(renderer));
    return renderer;
}

bool SvgUIRenderer::loadIfChanged(const QString &file)
{
    if (file == m_currentFile)
        return true;
    m_currentFile = file;
    return load(file);
}

QRectF SvgUIRenderer::elementBounds(const QString &file, const QString &element,
                                    const QString &clip)
{
    loadIfChanged(file);
    if (element.isEmpty() && clip.isEmpty())
        return QRectF(QPointF(0, 0), defaultSize());
    return boundsOnElement(clip.isEmpty() ? element : clip);
}

QPixmap SvgUIRenderer::renderElement(const QString &file, const QString &element,
                                     const QString &clip, int width, int height,
                                     Qt::LayoutDirection direction)
{
    loadIfChanged(file);
    if (width <= 0 || height <= 0)
        return QPixmap();
    QImage image = transparentImage(width, height);
    QPainter painter(&image);
    if (direction == Qt::RightToLeft)
        painter.setTransform(QTransform::fromTranslate(width, 0).scale(-1, 1));
    if (!clip.isEmpty() && !element.isEmpty()) {
        const QRectF k = boundsOnElement(clip);
        const QRectF e = boundsOnElement(element);
        const qreal sx = k.width() > 0 ? width / k.width() : 0;
        const qreal sy = k.height() > 0 ? height / k.height() : 0;
        render(&painter, element,
               QRectF((e.x() - k.x()) * sx, (e.y() - k.y()) * sy, e.width() * sx,
                      e.height() * sy));
    } else if (!element.isEmpty()) {
        render(&painter, element, QRectF(0, 0, width, height));
    } else {
        render(&painter, QRectF(0, 0, width, height));
    }
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap SvgUIRenderer::cachedPixmap(const QString &file, const QString &element,
                                    const QString &clip, int width, int height,
                                    Qt::LayoutDirection direction)
{
    // An empty size is never cached: it would be the size every later one is scaled from.
    if (width <= 0 || height <= 0)
        return QPixmap();
    const QString key = cacheKey(file, element, clip, direction);
    if (const QPixmap *cached = m_pixmaps.object(key)) {
        if (cached->size() == QSize(width, height))
            return *cached;
        return cached->scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    const QPixmap pixmap = renderElement(file, element, clip, width, height, direction);
    m_pixmaps.insert(key, new QPixmap(pixmap));
    return pixmap;
}

QBitmap SvgUIRenderer::cachedMask(const QString &file, const QString &element,
                                  const QString &clip, int width, int height,
                                  Qt::LayoutDirection direction)
{
    if (width <= 0 || height <= 0)
        return QBitmap();
    const QString key = cacheKey(file, element, clip, direction);
    if (const QBitmap *cached = m_masks.object(key)) {
        if (cached->size() == QSize(width, height))
            return *cached;
        return QBitmap::fromPixmap(
            cached->scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    QImage image = transparentImage(width, height);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, cachedPixmap(file, element, QString(), width, height, direction));
    painter.end();
    const QBitmap mask = QBitmap::fromImage(image.createAlphaMask());
    m_masks.insert(key, new QBitmap(mask));
    return mask;
}

void SvgUIRenderer::drawElement(QPainter *painter, const QString &file, const QString &element,
                                const QString &clip, const QSize &size,
                                Qt::LayoutDirection direction)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pixmap = cachedPixmap(file, element, clip, qRound(size.width() * ratio),
                                  qRound(size.height() * ratio), direction);
    pixmap.setDevicePixelRatio(ratio);
    painter->drawPixmap(0, 0, pixmap);
}
