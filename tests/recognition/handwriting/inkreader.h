#pragma once

// Ink fixtures read by the tools' .ink reader, as pen strokes by label, and writing-pad
// models.

#include "engine/tools/inkfile.h"
#include "model/recognitionresult.h"
#include "model/resultbuilding.h"
#include "model/stroke.h"

#include <QMap>
#include <QPainterPath>

inline QMap<QString, QList<Stroke>> readInkFile(const QString &path)
{
    QMap<QString, QList<Stroke>> inks;
    for (const zk::InkFileEntry &entry : zk::readInkFile(path.toStdString())) {
        QList<Stroke> &strokes = inks[QString::fromStdString(entry.label)];
        for (const zk::InkStroke &points : entry.ink) {
            QPainterPath pen(QPointF(points.front().x, points.front().y));
            for (std::size_t i = 1; i < points.size(); ++i)
                pen.lineTo(points[i].x, points[i].y);
            strokes.append(makePathStroke(pen));
        }
    }
    return inks;
}

// The model a writing pad sends for ink not yet recognised: one word "#".
inline RecognitionResult unrecognisedModel(const QList<Stroke> &strokes)
{
    return resultFromStrokes(strokes, QStringLiteral("#"), ResultNode::Character, 0);
}
