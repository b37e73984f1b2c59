#include "tessel/partialfractionrule.h"

#include "tessel/partialfractionobject.h"

namespace tessel {

void PartialFractionRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 2)
        return;
    const int mark = parser.orderRegionStrokes(order(), region);
    applyNumeratorOverBar(parser, target, region, mark, n);
    applyBarOverDenominator(parser, target, region, mark, n);
    parser.truncateScratch(mark);
    FractionRule::apply(parser, target, region);
}

std::unique_ptr<ParseObject> PartialFractionRule::build(const Weights &w, const Region &region,
                                                        const ParseObject &a, const ParseObject &b,
                                                        const ParseObject &c, double g, const Box &middle) const
{
    return std::make_unique<PartialFractionObject>(w, &region, a, b, c, g, middle.centreY(), m_callback);
}

// The bar is the last one or two strokes from the top, the numerator the rest.
void PartialFractionRule::applyNumeratorOverBar(Parser &parser, Result &target, const Region &region, int mark,
                                                int n) const
{
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    Region numeratorRegion;
    Region barRegion;
    for (int i = 0; i < n - 3; ++i)
        numeratorRegion.addStroke(stroke(i), parser.strokeBox(stroke(i)));
    for (int k = n - 2 > 1 ? n - 2 : 1; k <= n - 1; ++k) {
        numeratorRegion.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Result &numerators = parser.parseSymbolRegion(m_first, numeratorRegion);
        if (numerators.isEmpty() || !target.accepts(numerators.best().cost))
            continue;
        barRegion.clear();
        for (int i = k; i < n; ++i)
            barRegion.addStroke(stroke(i), parser.strokeBox(stroke(i)));
        const double g = numeratorBarPenalty(parser.weights(), numeratorRegion.box(), barRegion.box());
        const ParseObject &n0 = numerators.best();
        if (!target.accepts(g / sq(n0.h) + n0.cost))
            continue;
        const Result &bars = parser.parseSymbolRegion(m_middle, barRegion);
        if (bars.isEmpty())
            continue;
        const ParseObject &b0 = bars.best();
        const double barY = barRegion.box().centreY();
        for (int i = 0; i < numerators.count(); ++i) {
            const ParseObject &num = numerators.object(i);
            if (!target.accepts(g / sq(num.h) + num.cost + b0.cost))
                break;
            for (int j = 0; j < bars.count(); ++j) {
                const ParseObject &bar = bars.object(j);
                if (!target.accepts(g / sq(num.h) + num.cost + bar.cost))
                    break;
                const PartialFractionObject object(&region, bar, num, true, g, barY, m_callback);
                if (target.accepts(object.cost))
                    target.insertCandidate(object, false);
            }
        }
    }
}

// The bar is the first one or two strokes from the top, the denominator the rest.
void PartialFractionRule::applyBarOverDenominator(Parser &parser, Result &target, const Region &region,
                                                  int mark, int n) const
{
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    Region barRegion;
    Region denominatorRegion;
    for (int k = 1; k <= 2 && k <= n - 1; ++k) {
        barRegion.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Result &bars = parser.parseSymbolRegion(m_middle, barRegion);
        if (bars.isEmpty() || !target.accepts(bars.best().cost))
            continue;
        denominatorRegion.clear();
        for (int i = k; i < n; ++i)
            denominatorRegion.addStroke(stroke(i), parser.strokeBox(stroke(i)));
        const double g = barDenominatorPenalty(parser.weights(), barRegion.box(), denominatorRegion.box());
        if (!target.accepts(g + bars.best().cost))
            continue;
        const Result &denominators = parser.parseSymbolRegion(m_last, denominatorRegion);
        if (denominators.isEmpty())
            continue;
        const ParseObject &d0 = denominators.best();
        const double barY = barRegion.box().centreY();
        for (int i = 0; i < bars.count(); ++i) {
            const ParseObject &bar = bars.object(i);
            if (!target.accepts(g / sq(d0.h) + bar.cost + d0.cost))
                break;
            for (int j = 0; j < denominators.count(); ++j) {
                const ParseObject &den = denominators.object(j);
                if (!target.accepts(g / sq(den.h) + bar.cost + den.cost))
                    break;
                const PartialFractionObject object(&region, bar, den, false, g, barY, m_callback);
                if (target.accepts(object.cost))
                    target.insertCandidate(object, false);
            }
        }
    }
}

}
