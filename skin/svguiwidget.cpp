#include "skin/svguiwidget.h"

#include "skin/skinpaths.h"
#include "skin/svguirenderer.h"

#include <QPainter>
#include <QResizeEvent>

SvgUIWidget::SvgUIWidget(const QString &file, const QString &element, const QString &clip,
                         QWidget *parent)
    : QWidget(parent),
      m_file(skinImagePath(file)),
      m_element(element),
      m_clip(clip)
{
    m_renderer = SvgUIRenderer::rendererFor(m_file);
}

SvgUIWidget::~SvgUIWidget() = default;

QSize SvgUIWidget::sizeHint() const
{
    const QRectF bounds = m_renderer->elementBounds(m_file, m_element, m_clip);
    return QSizeF(bounds.width() * m_scaleX, bounds.height() * m_scaleY).toSize();
}

void SvgUIWidget::setScaleFactors(float sx, float sy)
{
    m_scaleX = sx;
    m_scaleY = sy;
    updateGeometry();
}

void SvgUIWidget::setMaskEnabled(bool on)
{
    m_maskFile = on ? m_file : QString();
}

void SvgUIWidget::setMaskSource(const QString &file, const QString &element)
{
    m_maskFile = skinImagePath(file);
    m_maskElement = element == QLatin1String("auto") ? m_element : element;
}

void SvgUIWidget::setOverlay(int x, int y, int width, int height, const QColor &color)
{
    m_overlayRect = QRect(x, y, width, height);
    m_overlayColor = color;
}

void SvgUIWidget::paintMaskInto(QPainter *painter)
{
    if (m_maskFile.isEmpty())
        return;
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    const QPixmap shape = m_renderer->cachedPixmap(m_maskFile, m_maskElement, m_clip, width(),
                                                   height(), layoutDirection());
    painter->drawPixmap(pos() + m_overlayRect.topLeft(), shape, m_overlayRect);
    painter->restore();
}

void SvgUIWidget::setAttached(bool on)
{
    m_attached = on;
    repaint();
}

void SvgUIWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->drawElement(&painter, m_file, m_element, m_clip, size(), layoutDirection());
}

void SvgUIWidget::resizeEvent(QResizeEvent *event)
{
    if (!m_maskFile.isEmpty())
        setMask(m_renderer->cachedMask(m_maskFile, m_maskElement, m_clip, event->size().width(),
                                       event->size().height(), layoutDirection()));
    QWidget::resizeEvent(event);
}
