#pragma once

#include "model/segment.h"

// The description of one existing character handed to an edit-gesture
// oracle. The geometry is taken once, so that readers never touch the
// ink's caches.
class InkRangeInfo
{
public:
    InkRangeInfo() = default;
    explicit InkRangeInfo(const Segment &segment);
    InkRangeInfo(const InkRange &ink, const QString &label);

    InkRange ink() const { return m_ink; }
    QRectF boundingRect() const { return m_boundingRect; }
    QPointF centroid() const { return m_centroid; }
    QString label() const { return m_label; }

private:
    InkRange m_ink;
    QRectF m_boundingRect;
    QPointF m_centroid;
    QString m_label;
};

Q_DECLARE_METATYPE(InkRangeInfo)
