#include "calculator/calcmeasure.h"

#include "calculator/calclayoutcontext.h"
#include "model/segmentwalk.h"
#include "pad/glyphmetrics.h"

namespace {

const QChar RootSign(0x221A);

QRectF measured(const Segment &child, CalcLayoutContext *c)
{
    visitSegments(child, 0, measureCalcTree, c);
    return c->rect;
}

void measureSymbol(const Segment &segment, CalcLayoutContext *c, const CalcEntry &e)
{
    QRectF r;
    for (const QRectF &box : glyphBoxes(segment, c->transform))
        r = r.united(box);
    if (segment.selectedCandidate().label() == QString(RootSign) && c->nextWidth == 0
        && c->nextHeight == 0)
        r = QRectF(r.x(), r.y() - e.gap, r.width() * 0.5, r.height() + e.gap);
    if (c->nextWidth != 0)
        r.setWidth(c->nextWidth);
    if (c->nextHeight != 0)
        r.setHeight(c->nextHeight);
    if (c->nextY != 0)
        r.moveTop(c->nextY);
    c->nextY = c->nextWidth = c->nextHeight = 0;
    c->transform = calcPen(e.s, r.x() + r.width() + e.gap, e.dy0);
    c->rect = r;
}

void measureGroup(const QList<Segment> &parts, CalcLayoutContext *c)
{
    QRectF r;
    for (const Segment &part : parts)
        r = r.united(measured(part, c));
    c->rect = r;
}

void measureSuperscript(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e)
{
    const QRectF base = measured(parts.value(0), c);
    c->transform = calcPen(0.5 * e.s, base.x() + base.width() + 0.5 * e.gap,
                           base.y() + 0.25 * e.h);
    const QRectF exponent = measured(parts.value(1), c);
    c->transform = calcPen(e.s, exponent.x() + exponent.width() + e.gap, e.dy0);
    c->rect = base.united(exponent);
}

void measureFraction(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e)
{
    const CalcLayoutContext saved = *c;
    const QRectF numerator = measured(parts.value(0), c);
    *c = saved;
    const QRectF denominator = measured(parts.value(2), c);
    const QRectF u = denominator.united(numerator);
    c->transform = calcPen(e.s, e.dx0 + u.width() + 5 * e.gap, e.dy0);
    c->rect = QRectF(e.dx0, e.dy0 - numerator.height() - e.h, u.width() + 4 * e.gap,
                     e.h + numerator.height() + denominator.height());
}

void measureSquareRoot(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e)
{
    const QRectF sign = measured(parts.value(0), c);
    const QRectF radicand = measured(parts.value(1), c);
    c->transform = calcPen(e.s, e.dx0 + sign.width() + radicand.width() + 5 * e.gap, e.dy0);
    c->rect = QRectF(e.dx0, radicand.y() - 2 * e.gap, sign.width() + radicand.width() + 4 * e.gap,
                     radicand.height() + 3 * e.gap);
}

void measureThreePart(const QList<Segment> &parts, CalcLayoutContext *c, const CalcEntry &e)
{
    const QRectF opening = QRectF().united(measured(parts.value(0), c));
    const QRectF content = measured(parts.value(1), c);
    const QRectF u = opening.united(measured(parts.value(2), c));
    c->transform = calcPen(e.s, u.x() + u.width() - e.gap, e.dy0);
    c->rect = QRectF(u.x(), content.y() - e.gap, u.width() - e.gap, content.height() + 2 * e.gap);
}

} // namespace

Segment measureCalcTree(Segment *, int, const Segment &segment, void *context)
{
    auto *c = static_cast<CalcLayoutContext *>(context);
    const CalcEntry entry = calcEntry(*c);
    const ResultNode node = segment.selectedCandidate();
    switch (node.type()) {
    case CalcSymbol:
        measureSymbol(segment, c, entry);
        break;
    case CalcRow:
        measureGroup(node.children(), c);
        break;
    case CalcPower:
        measureSuperscript(node.children(), c, entry);
        break;
    case CalcFraction:
        measureFraction(node.children(), c, entry);
        break;
    case CalcSquareRoot:
        measureSquareRoot(node.children(), c, entry);
        break;
    case CalcGroup:
        measureThreePart(node.children(), c, entry);
        break;
    default:
        break;
    }
    return segment;
}
