#pragma once

#include "model/stroke.h"
#include "pad/styleditem.h"
#include "pad/strokesmoother.h"

#include <QPainterPath>
#include <QTransform>

// The scene item of one pen stroke, painted as a smoothed, tapered outline.
class StrokeItem : public StyledItem
{
public:
    StrokeItem(const ItemStyle &style, QGraphicsItem *parent = nullptr);
    StrokeItem(const Stroke &stroke, const QTransform &transform, const ItemStyle &style,
               QGraphicsItem *parent = nullptr);

    void start(const QPointF &point);
    void addPoint(const QPointF &point);
    void finish(const QPointF &point);

    // The stroke in scene coordinates, with this item's stamp.
    Stroke stroke() const;
    bool hasPath(const Stroke &stroke) const;
    QPainterPath path() const { return m_path; }
    StrokeStamp stamp() const { return m_stamp; }
    bool isClosed() const { return m_closed; }
    bool isDimmed() const { return m_dimmed; }
    void setDimmed(bool dimmed);

    int type() const override { return StrokeItemType; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void init();
    void resetCaches();
    void updateScenePath() const;
    bool isSmall() const;
    QList<CentrePoint> centreSamples(const QPainterPath &devicePath, bool small) const;

    mutable QRectF m_boundingRectCache;
    QPainterPath m_path;
    StrokeStamp m_stamp;
    mutable bool m_sceneDirty = true;
    mutable QPainterPath m_scenePath;
    mutable QTransform m_lastSceneTransform;
    bool m_closed = false;
    bool m_dimmed = false;
};
