#include "model/demonstrationink.h"

#include <QFile>
#include <QStringList>

namespace {

const QString strokeStart = QStringLiteral("AddStroke");

bool readPoint(const QString &line, QPointF *point)
{
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return false;
    bool okX = false;
    bool okY = false;
    *point = QPointF(parts.at(0).toDouble(&okX), parts.at(1).toDouble(&okY));
    return okX && okY;
}

} // namespace

QList<QPolygonF> readDemonstrationInk(const QString &fileName)
{
    QList<QPolygonF> strokes;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return strokes;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).simplified();
        QPointF point;
        if (line == strokeStart)
            strokes.append(QPolygonF());
        else if (!strokes.isEmpty() && readPoint(line, &point))
            strokes.last().append(point);
    }
    return strokes;
}
