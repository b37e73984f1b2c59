// Renders strokes, smoothed and tapered as the writing pad paints them, into
// a PNG. Strokes come from a text file (one "x y" point a line, strokes
// separated by empty lines) or, without one, from a built-in sample.

#include "pad/strokeitem.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGraphicsScene>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <QtMath>

#include <cstdio>

namespace {

using StrokePoints = QList<QPointF>;

constexpr double MaxCoordinate = 1e6;
constexpr double MaxImageSide = 4000.0;

QList<StrokePoints> sampleStrokes()
{
    StrokePoints loop, dot, repeated, line;
    for (int i = 0; i <= 60; ++i) {
        const double t = i * 0.2;
        loop << QPointF(60 + 14 * t + 40 * qCos(t + M_PI / 2), 160 - 60 * qSin(t + M_PI / 2));
    }
    dot << QPointF(300, 60) << QPointF(300, 60);
    repeated = StrokePoints(12, QPointF(340, 60));
    for (int i = 0; i < 8; ++i)
        line << QPointF(380 + 10 * i, 40 + 5 * i);
    return {loop, dot, repeated, line, {QPointF(380, 200), QPointF(560, 120)}};
}

bool readStrokes(const QString &fileName, QList<StrokePoints> &strokes, QString &error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot open %1: %2").arg(fileName, file.errorString());
        return false;
    }
    QTextStream in(&file);
    StrokePoints current;
    for (int number = 1; !in.atEnd(); ++number) {
        const QStringList fields = in.readLine().simplified().split(u' ', Qt::SkipEmptyParts);
        if (fields.isEmpty()) {
            if (!current.isEmpty())
                strokes.append(current);
            current.clear();
            continue;
        }
        bool okX = false, okY = false;
        const double x = fields.value(0).toDouble(&okX);
        const double y = fields.value(1).toDouble(&okY);
        if (fields.size() != 2 || !okX || !okY || qAbs(x) > MaxCoordinate || qAbs(y) > MaxCoordinate) {
            error = QStringLiteral("%1:%2: expected two numbers within %3")
                        .arg(fileName).arg(number).arg(MaxCoordinate);
            return false;
        }
        current.append(QPointF(x, y));
    }
    if (!current.isEmpty())
        strokes.append(current);
    if (strokes.isEmpty()) {
        error = QStringLiteral("%1: no points").arg(fileName);
        return false;
    }
    return true;
}

QImage render(const QList<StrokePoints> &strokes, double margin)
{
    QGraphicsScene scene;
    const ItemStyle style;
    for (const StrokePoints &points : strokes) {
        auto *item = new StrokeItem(style);
        item->start(points.first());
        for (int i = 1; i + 1 < points.size(); ++i)
            item->addPoint(points[i]);
        item->finish(points.last());
        scene.addItem(item);
    }
    const QRectF source = scene.itemsBoundingRect().adjusted(-margin, -margin, margin, margin);
    const double factor = qMin(1.0, MaxImageSide / qMax(source.width(), source.height()));
    QImage image((source.size() * factor).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(image.rect()), source);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders pen strokes into a PNG image."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PNG file to write"));
    parser.addPositionalArgument(QStringLiteral("points"), QStringLiteral("optional point file"), QStringLiteral("[points]"));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    QList<StrokePoints> strokes;
    QString error;
    if (args.size() == 2 ? !readStrokes(args[1], strokes, error) : (strokes = sampleStrokes(), false)) {
        std::fprintf(stderr, "scrivel_strokerender: %s\n", qPrintable(error));
        return 1;
    }
    if (!render(strokes, 20.0).save(args[0], "PNG")) {
        std::fprintf(stderr, "scrivel_strokerender: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return 0;
}
