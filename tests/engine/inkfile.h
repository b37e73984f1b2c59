#pragma once

// Reads fixture inks: "label L" lines, each followed by its strokes, one "x,y x,y ..." a line.
#include "inkfixtures.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QString>

inline QMap<QString, Ink> readInkFile(const QString &path)
{
    QMap<QString, Ink> inks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return inks;
    QString current;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("label ")) {
            current = line.mid(6);
            continue;
        }
        Stroke s;
        for (const QString &pair : line.split(' ', Qt::SkipEmptyParts))
            s << QPointF(pair.section(',', 0, 0).toDouble(), pair.section(',', 1, 1).toDouble());
        inks[current] << s;
    }
    return inks;
}
