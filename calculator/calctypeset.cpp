#include "calculator/calctypeset.h"

#include "calculator/calclayoutcontext.h"
#include "calculator/calcmeasure.h"
#include "model/segmentwalk.h"
#include "pad/glyphmetrics.h"

namespace {

// Each part is visited with its place among its parent's parts, so that sibling boxes made
// from one written stroke keep distinct, ordered stamps.
Segment typeset(const QList<Segment> &parts, int i, CalcLayoutContext *c)
{
    return visitSegments(parts.value(i), i, typesetCalcTree, c);
}

QRectF measured(const Segment &child, CalcLayoutContext *c)
{
    visitSegments(child, 0, measureCalcTree, c);
    return c->rect;
}

// A composite node of one type that collects its typeset parts.
class Composite
{
public:
    explicit Composite(int type) { m_node.setType(type); }

    QRectF add(const Segment &part)
    {
        m_node.appendChild(part);
        return part.ink().boundingRect();
    }

    Segment segment() const
    {
        Segment result;
        result.appendCandidate(m_node);
        result.setSelectedCandidate(0);
        for (const Segment &child : m_node.children())
            result.addInk(child.ink());
        return result;
    }

private:
    ResultNode m_node;
};

Segment typesetSymbol(int index, const Segment &segment, CalcLayoutContext *c)
{
    const double value = glyphCells(segment, c->transform).value(0);
    const QRectF box = measured(segment, c);
    StrokeStamp stamp = segment.ink().latestStamp();
    stamp.sequence += index;
    Stroke stroke = makeBoxStroke(box, value);
    stroke.setStamp(stamp);

    Segment result;
    result.appendCandidate(segment.selectedCandidate());
    result.setSelectedCandidate(0);
    result.setInk(InkRange::fromStroke(stroke));
    return result;
}

void typesetGroup(const QList<Segment> &parts, CalcLayoutContext *c, Composite &out)
{
    for (int i = 0; i < parts.size(); ++i)
        out.add(typeset(parts, i, c));
}

void typesetSuperscript(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e,
                        Composite &out)
{
    const QRectF base = out.add(typeset(parts, 0, c));
    c->transform = calcPen(0.5 * e.s, base.x() + base.width() + 0.5 * e.gap,
                           base.y() + 0.25 * e.h);
    const QRectF exponent = out.add(typeset(parts, 1, c));
    c->transform = calcPen(e.s, exponent.x() + exponent.width() + e.gap, e.dy0);
}

void typesetFraction(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e,
                     Composite &out)
{
    const CalcLayoutContext saved = *c;
    const QRectF numerator = measured(parts.value(0), c);
    *c = saved;
    const QRectF denominator = measured(parts.value(2), c);
    const QRectF u = denominator.united(numerator);
    const double frame = u.width() + 4 * e.gap;

    c->transform = calcPen(e.s, e.dx0 + (frame - numerator.width()) / 2,
                           2 * e.dy0 - numerator.y() - numerator.height() - e.h);
    out.add(typeset(parts, 0, c));
    c->transform = calcPen(e.s, e.dx0, e.dy0);
    c->nextWidth = frame;
    out.add(typeset(parts, 1, c));
    c->transform = calcPen(e.s, e.dx0 + (frame - denominator.width()) / 2,
                           2 * e.dy0 - denominator.y());
    out.add(typeset(parts, 2, c));
    c->transform = calcPen(e.s, u.x() + frame + e.gap, e.dy0);
}

void typesetSquareRoot(const Segment &segment, CalcLayoutContext *c, const CalcEntry &e,
                       Composite &out)
{
    const QList<Segment> parts = segment.selectedCandidate().children();
    const CalcLayoutContext saved = *c;
    const double signWidth = measured(parts.value(0), c).width();
    *c = saved;
    const QRectF frame = measured(segment, c);
    *c = saved;

    c->nextY = frame.y();
    c->nextWidth = frame.width();
    c->nextHeight = frame.height();
    out.add(typeset(parts, 0, c));
    c->transform = calcPen(e.s, e.dx0 + signWidth + 2 * e.gap, e.dy0);
    out.add(typeset(parts, 1, c));
    c->transform = calcPen(e.s, frame.x() + frame.width() + e.gap, e.dy0);
}

void typesetThreePart(const Segment &segment, CalcLayoutContext *c, const CalcEntry &e,
                      Composite &out)
{
    const QList<Segment> parts = segment.selectedCandidate().children();
    const CalcLayoutContext saved = *c;
    const QRectF frame = measured(segment, c);
    const CalcLayoutContext afterMeasure = *c;
    *c = saved;

    c->nextY = frame.y();
    c->nextHeight = frame.height();
    out.add(typeset(parts, 0, c));
    c->transform = calcPen(e.s, c->transform.dx() - e.gap, e.dy0);
    out.add(typeset(parts, 1, c));
    c->transform = calcPen(e.s, c->transform.dx() - e.gap, e.dy0);
    c->nextY = frame.y();
    c->nextHeight = frame.height();
    out.add(typeset(parts, 2, c));
    *c = afterMeasure;
}

} // namespace

Segment typesetCalcTree(Segment *, int index, const Segment &segment, void *context)
{
    auto *c = static_cast<CalcLayoutContext *>(context);
    const CalcEntry entry = calcEntry(*c);
    const ResultNode node = segment.selectedCandidate();
    const int type = node.type();
    if (type == CalcSymbol)
        return typesetSymbol(index, segment, c);

    Composite out(type);
    switch (type) {
    case CalcRow:
        typesetGroup(node.children(), c, out);
        break;
    case CalcPower:
        typesetSuperscript(node.children(), c, entry, out);
        break;
    case CalcFraction:
        typesetFraction(node.children(), c, entry, out);
        break;
    case CalcSquareRoot:
        typesetSquareRoot(segment, c, entry, out);
        break;
    case CalcGroup:
        typesetThreePart(segment, c, entry, out);
        break;
    default:
        return Segment();
    }
    return out.segment();
}
