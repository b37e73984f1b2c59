#include "tessel/twopartrule.h"

namespace tessel {

TwoPartRule::TwoPartRule(int first, int second, CostCallback callback)
    : Rule(callback)
    , m_first(first)
    , m_second(second)
{
}

// Horizontal overlap of the parts; a gap costs nothing.
double TwoPartRule::layoutPenalty(const Weights &w, const Box &a, const Box &b) const
{
    return w.shortfall(b.minX - a.maxX);
}

void TwoPartRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 2)
        return;
    const int mark = parser.orderRegionStrokes(order(), region);
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    Region a;
    Region b;
    const int last = maxPrefix(n);
    for (int k = 1; k <= last; ++k) {
        a.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Result &first = parser.parseSymbolRegion(m_first, a);
        if (first.isEmpty() || !target.accepts(first.best().cost))
            continue;
        b.clear();
        for (int i = k; i < n; ++i)
            b.addStroke(stroke(i), parser.strokeBox(stroke(i)));
        const double g = layoutPenalty(parser.weights(), a.box(), b.box());
        const ParseObject &a0 = first.best();
        if (!target.accepts(g / sq(normalisingHeight(a0, nullptr)) + a0.cost))
            continue;
        const Result &second = parser.parseSymbolRegion(m_second, b);
        if (!second.isEmpty())
            combine(parser, target, region, first, second, g);
    }
    parser.truncateScratch(mark);
}

void TwoPartRule::combine(Parser &parser, Result &target, const Region &region, const Result &first,
                          const Result &second, double g) const
{
    const ParseObject &b0 = second.best();
    for (int i = 0; i < first.count(); ++i) {
        const ParseObject &a = first.object(i);
        if (!target.accepts(g / sq(normalisingHeight(a, &b0)) + a.cost + b0.cost))
            return;
        for (int j = 0; j < second.count(); ++j) {
            const ParseObject &b = second.object(j);
            if (!target.accepts(g / sq(normalisingHeight(a, &b)) + a.cost + b.cost))
                break;
            const std::unique_ptr<ParseObject> object = build(parser.weights(), region, a, b, g);
            if (target.accepts(object->cost))
                target.insertCandidate(*object, false);
        }
    }
}

}
