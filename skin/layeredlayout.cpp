#include "skin/layeredlayout.h"

#include <QWidget>

LayeredLayout::LayeredLayout(QWidget *parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
}

LayeredLayout::~LayeredLayout()
{
    qDeleteAll(m_layers);
}

void LayeredLayout::addItem(QLayoutItem *item)
{
    if (item)
        m_layers.append(item);
}

void LayeredLayout::addLayoutLayer(QLayout *layout)
{
    if (!layout)
        return;
    addChildLayout(layout);
    addItem(layout);
}

void LayeredLayout::addWidgetLayer(QWidget *widget)
{
    if (!widget)
        return;
    addChildWidget(widget);
    addItem(new QWidgetItem(widget));
}

int LayeredLayout::count() const
{
    return int(m_layers.size());
}

QLayoutItem *LayeredLayout::itemAt(int index) const
{
    return index >= 0 && index < m_layers.size() ? m_layers[index] : nullptr;
}

QLayoutItem *LayeredLayout::takeAt(int index)
{
    return index >= 0 && index < m_layers.size() ? m_layers.takeAt(index) : nullptr;
}

void LayeredLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    for (QLayoutItem *layer : std::as_const(m_layers))
        layer->setGeometry(rect);
}

QSize LayeredLayout::sizeHint() const
{
    QSize hint(-1, -1);
    for (const QLayoutItem *layer : m_layers)
        hint = hint.expandedTo(layer->sizeHint());
    return hint;
}

Qt::Orientations LayeredLayout::expandingDirections() const
{
    return Qt::Horizontal | Qt::Vertical;
}
