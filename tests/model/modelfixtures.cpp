#include "modelfixtures.h"

#include "model/resultbuilding.h"

namespace ModelFixtures {

QPainterPath polyline(const QList<QPointF> &points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

QList<QPointF> pointsOf(const QPainterPath &path)
{
    QList<QPointF> points;
    for (int i = 0; i < path.elementCount(); ++i)
        points << QPointF(path.elementAt(i));
    return points;
}

Stroke penThrough(const QList<QPointF> &points)
{
    return makePathStroke(polyline(points));
}

Stroke zigzag(double x, int points, double rise, double y)
{
    QPainterPath path;
    path.moveTo(x, y);
    for (int i = 1; i < points; ++i)
        path.lineTo(x + i, y + (i % 2) * rise);
    return makePathStroke(path);
}

StrokeRange piece(const Stroke &s, const IntervalList &intervals)
{
    StrokeRange r;
    r.setStroke(s);
    r.addIntervals(intervals);
    return r;
}

InkRange inkOf(const QList<StrokeRange> &pieces)
{
    InkRange r;
    for (const StrokeRange &p : pieces)
        r.add(p);
    return r;
}

InkRange inkOf(const QList<Stroke> &strokes)
{
    InkRange ink;
    for (const Stroke &s : strokes)
        ink = ink.united(InkRange::fromStroke(s));
    return ink;
}

InkRange inkOf(const Stroke &s, int first, int last)
{
    return inkOf(QList<StrokeRange>{piece(s, {{first, last}})});
}

ResultNode node(const QString &label, const QList<Segment> &children)
{
    ResultNode n;
    n.setLabel(label);
    n.setChildren(children);
    return n;
}

ResultNode node(const QString &label, int type, int wordFlag)
{
    ResultNode n;
    n.setLabel(label);
    n.setType(type);
    n.setWordFlag(wordFlag);
    return n;
}

Segment segmentOf(const QList<ResultNode> &candidates, int selected, const InkRange &ink)
{
    Segment s;
    for (const ResultNode &c : candidates)
        s.appendCandidate(c);
    s.setSelectedCandidate(selected);
    s.setInk(ink);
    return s;
}

Segment leaf(const QString &label, const InkRange &ink, int wordFlag)
{
    return segmentOf({node(label, ResultNode::NotComputed, wordFlag)}, 0, ink);
}

Segment branch(const QList<Segment> &children, int wordFlag)
{
    ResultNode n;
    n.setChildren(children);
    n.setWordFlag(wordFlag);
    Segment s = segmentOf({n}, 0);
    for (const Segment &child : children)
        s.addInk(child.ink());
    return s;
}

RecognitionResult resultOfWords(const QList<Segment> &words)
{
    return resultFromNode(branch(words).selectedCandidate());
}

QList<StrokeRange> allStrokeRanges(const Segment &s)
{
    QList<StrokeRange> ranges = s.ink().pieces();
    for (const ResultNode &c : s.candidates()) {
        for (const Segment &child : c.children())
            ranges << allStrokeRanges(child);
    }
    return ranges;
}

QList<Stroke> allStrokes(const Segment &s)
{
    QList<Stroke> strokes;
    for (const StrokeRange &range : allStrokeRanges(s))
        strokes << range.stroke();
    return strokes;
}

QString dumpInk(const InkRange &ink)
{
    QString out = QStringLiteral("{");
    for (const StrokeRange &p : ink.pieces()) {
        const Stroke s = p.stroke();
        out += QStringLiteral("s%1/%2/%3:").arg(s.stamp().sequence).arg(s.kind()).arg(s.offset());
        for (const QPointF &point : pointsOf(s.path()))
            out += QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y());
        for (const Interval &iv : p.intervals())
            out += QStringLiteral("[%1-%2]").arg(iv.first).arg(iv.last);
    }
    return out + QLatin1Char('}');
}

QString dumpSegment(const Segment &s)
{
    QString out = dumpInk(s.ink()) + QStringLiteral("sel%1<").arg(s.selectedIndex());
    for (const ResultNode &c : s.candidates()) {
        out += QStringLiteral("'%1'/t%2/s%3/w%4(").arg(c.label()).arg(c.type()).arg(c.score())
                   .arg(c.wordFlag());
        for (const Segment &child : c.children())
            out += dumpSegment(child);
        out += QLatin1Char(')');
    }
    return out + QLatin1Char('>');
}

QString dump(const RecognitionResult &r)
{
    QString out = dumpSegment(r.root());
    const QTransform &t = r.transform();
    out += QStringLiteral("T%1,%2,%3,%4,%5,%6").arg(t.m11()).arg(t.m12()).arg(t.m21())
               .arg(t.m22()).arg(t.dx()).arg(t.dy());
    for (const TypedInk &entry : r.inkTypes())
        out += QStringLiteral("I%1").arg(entry.first) + dumpInk(entry.second);
    const ResultLayout &l = r.layout();
    out += QStringLiteral("L%1/%2/%3").arg(l.lineSpacing).arg(l.alignment).arg(l.flags);
    for (double p : l.linePositions)
        out += QStringLiteral(",%1").arg(p);
    return out;
}

} // namespace ModelFixtures
