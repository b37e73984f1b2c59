#include "calcink.h"

#include "calculator/calcsegmenttypes.h"
#include "engine/tools/inkcorpus.h"

#include <QHash>
#include <QPainterPath>

#include <cmath>

namespace calcink {

namespace {

const QHash<QString, QList<zk::InkStrokes>> &testWriters()
{
    static const QHash<QString, QList<zk::InkStrokes>> digits = [] {
        QHash<QString, QList<zk::InkStrokes>> byLabel;
        zk::InkCorpus corpus;
        corpus.read(SCRIVEL_SOURCE_DIR "/resources/ink/pendigits/pendigits-orig.tes", true);
        for (const auto &sample : corpus.samples())
            byLabel[QString::fromStdString(sample.label)] << sample.ink;
        return byLabel;
    }();
    return digits;
}

Stroke polyline(const QList<QPointF> &points)
{
    QPainterPath path(points.value(0));
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    if (points.size() == 1)
        path.lineTo(points.first());
    return makePathStroke(path);
}

// A pen line from a to b with a point every few units, as a tablet reports it.
Stroke penLine(QPointF a, QPointF b)
{
    QList<QPointF> points;
    const int steps = 12;
    for (int i = 0; i <= steps; ++i)
        points << a + (b - a) * (double(i) / steps);
    return polyline(points);
}

// The unit-box points mapped into box.
Stroke penPath(const QList<QPointF> &unit, const QRectF &box)
{
    QList<QPointF> points;
    for (const QPointF &p : unit)
        points << QPointF(box.x() + p.x() * box.width(), box.y() + p.y() * box.height());
    return polyline(points);
}

QList<QPointF> arc(QPointF centre, double rx, double ry, double from, double to, int n)
{
    QList<QPointF> points;
    for (int i = 0; i <= n; ++i) {
        const double a = (from + (to - from) * i / n) * M_PI / 180.0;
        points << centre + QPointF(rx * std::cos(a), ry * std::sin(a));
    }
    return points;
}

} // namespace

Symbol digit(QChar d, int sample, const QRectF &box)
{
    const QList<zk::InkStrokes> samples = testWriters().value(QString(d));
    if (samples.isEmpty())
        return {};
    const zk::InkStrokes &ink = samples.at(sample % samples.size());
    const zk::InkBox b = zk::boundingBox(ink);
    const double scale = qMin(box.width() / qMax(1.0f, b.width()),
                              box.height() / qMax(1.0f, b.height()));
    const QPointF offset(box.center().x() - scale * (b.left + b.right) / 2,
                         box.center().y() - scale * (b.top + b.bottom) / 2);
    Symbol strokes;
    for (const zk::InkStroke &s : ink) {
        QList<QPointF> points;
        for (const zk::InkPoint &p : s)
            points << offset + QPointF(p.x * scale, p.y * scale);
        strokes << polyline(points);
    }
    return strokes;
}

Symbol mark(QChar c, const QRectF &r)
{
    const double w = r.width();
    const double h = r.height();
    switch (c.unicode()) {
    case '+':
        return {penLine({r.left(), r.center().y()}, {r.right(), r.center().y() + 0.02 * h}),
                penLine({r.center().x(), r.top()}, {r.center().x() - 0.02 * w, r.bottom()})};
    case '-':
        return {penLine({r.left(), r.center().y()}, {r.right(), r.center().y()})};
    case '=':
        // The lower line starts and ends a little to the right, as a hand draws it.
        return {penLine({r.left(), r.top() + 0.3 * h}, {r.right() - 0.15 * w, r.top() + 0.3 * h}),
                penLine({r.left() + 0.15 * w, r.top() + 0.7 * h}, {r.right(), r.top() + 0.7 * h})};
    case '(':
        return {penPath(arc({1.0, 0.5}, 0.9, 0.5, 240, 120, 16), r)};
    case ')':
        return {penPath(arc({0.0, 0.5}, 0.9, 0.5, -60, 60, 16), r)};
    case '?': {
        QList<QPointF> hook = arc({0.5, 0.25}, 0.4, 0.22, 190, 400, 16);
        hook << QPointF(0.5, 0.55) << QPointF(0.5, 0.7);
        return {penPath(hook, r), penPath({{0.5, 0.92}, {0.52, 0.95}}, r)};
    }
    case 0x221A:
        return {penPath({{0.0, 0.6}, {0.12, 0.5}, {0.3, 1.0}, {0.55, 0.0}, {1.0, 0.0}}, r)};
    default:
        return {};
    }
}

RecognitionResult writtenModel(const QList<Symbol> &symbols)
{
    ResultNode row;
    row.setType(CalcRow);
    Segment root;
    for (const Symbol &strokes : symbols) {
        for (const Stroke &stroke : strokes) {
            Segment symbol;
            symbol.addInk(InkRange::fromStroke(stroke));
            ResultNode candidate;
            candidate.setType(CalcSymbol);
            candidate.setLabel(QStringLiteral("#"));
            symbol.appendCandidate(candidate);
            symbol.setSelectedCandidate(0);
            row.appendChild(symbol);
            root.addInk(symbol.ink());
        }
    }
    root.appendCandidate(row);
    root.setSelectedCandidate(0);
    RecognitionResult result;
    result.setRoot(root);
    return result;
}

QList<Symbol> line(const QString &text, double x, double y, double h)
{
    QList<Symbol> symbols;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // Operators stand on the line as the parser expects: a plus reaches from just above
        // the baseline to two thirds of a digit, a minus and an equals sign sit at mid height.
        const QRectF box = c.isDigit()  ? QRectF(x, y - h, 0.7 * h, h)
                           : c == '+'   ? QRectF(x, y - 0.7 * h, 0.6 * h, 0.65 * h)
                           : c == '-' || c == '=' ? QRectF(x, y - 0.75 * h, 0.6 * h, 0.5 * h)
                                        : QRectF(x, y - h, 0.5 * h, h);
        symbols << (c.isDigit() ? digit(c, 3 + i % 8, box) : mark(c, box));
        x += box.width() + h;
    }
    return symbols;
}

} // namespace calcink
