#pragma once

// Fixture inks by label, read by the tools' .ink reader.
#include "inkfixtures.h"

#include "engine/tools/inkfile.h"

#include <QMap>
#include <QString>

inline QMap<QString, Ink> readInkFile(const QString &path)
{
    QMap<QString, Ink> inks;
    for (const zk::InkFileEntry &entry : zk::readInkFile(path.toStdString())) {
        Ink &ink = inks[QString::fromStdString(entry.label)];
        for (const zk::InkStroke &points : entry.ink) {
            Stroke s;
            for (const zk::InkPoint &p : points)
                s << QPointF(p.x, p.y);
            ink << s;
        }
    }
    return inks;
}
