#include "tessel/threepartrule.h"

namespace tessel {

ThreePartRule::ThreePartRule(int first, int middle, int last, CostCallback callback)
    : Rule(callback)
    , m_first(first)
    , m_middle(middle)
    , m_last(last)
{
}

// Lower bound of the cost of any object built from the parts chosen so far.
double ThreePartRule::bound(double g, const ParseObject &a, const ParseObject *b, const ParseObject *c) const
{
    return g / sq(normalisingHeight(a, b, c)) + a.cost + (b ? b->cost : 0.0) + (c ? c->cost : 0.0);
}

void ThreePartRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 3)
        return;
    const int mark = parser.orderRegionStrokes(order(), region);
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    const auto fill = [&](Region &r, int from, int to) {
        r.clear();
        for (int i = from; i < to; ++i)
            r.addStroke(stroke(i), parser.strokeBox(stroke(i)));
    };
    Region a;
    Region b;
    Region c;
    for (int k = 1; k <= n - 2; ++k) {
        a.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Result &first = parser.parseSymbolRegion(m_first, a);
        if (first.isEmpty() || !target.accepts(first.best().cost))
            continue;
        const ParseObject &a0 = first.best();
        for (int j = 1; j <= maxMiddle() && k + j <= n - 1; ++j) {
            fill(b, k, k + j);
            fill(c, k + j, n);
            const double g = layoutPenalty(parser.weights(), a.box(), b.box(), c.box());
            if (!target.accepts(bound(g, a0, nullptr, nullptr)))
                continue;
            const Result &middle = parser.parseSymbolRegion(m_middle, b);
            if (middle.isEmpty() || !target.accepts(bound(g, a0, &middle.best(), nullptr)))
                continue;
            const Result &last = parser.parseSymbolRegion(m_last, c);
            if (last.isEmpty() || !target.accepts(bound(g, a0, &middle.best(), &last.best())))
                continue;
            combine(parser, target, region, first, middle, last, g, b.box());
        }
    }
    parser.truncateScratch(mark);
}

void ThreePartRule::combine(Parser &parser, Result &target, const Region &region, const Result &first,
                            const Result &middle, const Result &last, double g, const Box &middleBox) const
{
    const ParseObject &b0 = middle.best();
    const ParseObject &c0 = last.best();
    for (int i = 0; i < first.count(); ++i) {
        const ParseObject &a = first.object(i);
        if (!target.accepts(bound(g, a, &b0, &c0)))
            return;
        for (int j = 0; j < middle.count(); ++j) {
            const ParseObject &b = middle.object(j);
            if (!target.accepts(bound(g, a, &b, &c0)))
                break;
            for (int l = 0; l < last.count(); ++l) {
                const ParseObject &c = last.object(l);
                if (!target.accepts(bound(g, a, &b, &c)))
                    break;
                const auto object = build(parser.weights(), region, a, b, c, g, middleBox);
                if (target.accepts(object->cost))
                    target.insertCandidate(*object, false);
            }
        }
    }
}

}
