#pragma once

#include <QBitmap>
#include <QCache>
#include <QPixmap>
#include <QSharedPointer>
#include <QString>
#include <QSvgRenderer>

class QPainter;

// Loads skin SVG files and renders their elements into pixmaps and masks, both cached by
// (file, element, clip). The first size asked for is rendered; later sizes are scaled from it.
// An element reference names the element to draw and a clip element whose bounds are the
// visible part (empty for none).
class SvgUIRenderer final : public QSvgRenderer
{
    Q_OBJECT
public:
    explicit SvgUIRenderer(QObject *parent = nullptr);

    // The shared renderer of a file, from a process-wide cache of at most 100 files; an empty
    // name gives a fresh renderer outside the cache. A renderer stays alive while it is held,
    // even after the cache let it go.
    static QSharedPointer<SvgUIRenderer> rendererFor(const QString &file);

    // True at once for the current file; otherwise the file becomes current and is loaded.
    bool loadIfChanged(const QString &file);
    QString currentFile() const { return m_currentFile; }

    // The clip's bounds when a clip is given, else the element's; the whole document
    // (0, 0, default size) when both are empty.
    QRectF elementBounds(const QString &file, const QString &element, const QString &clip);

    // A fresh rendering of width x height; right to left mirrors it horizontally.
    QPixmap renderElement(const QString &file, const QString &element, const QString &clip,
                          int width, int height, Qt::LayoutDirection direction);
    // The cached rendering, scaled (fast, aspect ignored) when the size differs from the first.
    QPixmap cachedPixmap(const QString &file, const QString &element, const QString &clip,
                         int width, int height, Qt::LayoutDirection direction);
    // The alpha mask of the element (drawn without its clip), cached like the pixmaps.
    QBitmap cachedMask(const QString &file, const QString &element, const QString &clip,
                       int width, int height, Qt::LayoutDirection direction);

    // Draws the cached element over size at (0, 0), rendered at the painter's device pixel
    // ratio so that it stays sharp on high-density screens.
    void drawElement(QPainter *painter, const QString &file, const QString &element,
                     const QString &clip, const QSize &size, Qt::LayoutDirection direction);

private:
    QCache<QString, QPixmap> m_pixmaps;
    QCache<QString, QBitmap> m_masks;
    QString m_currentFile;
};
