#include "tessel/parenthesisrule.h"

#include "tessel/parenthesisobject.h"
#include "tessel/parser.h"

namespace tessel {

namespace {

constexpr int kMaxBracketStrokes = 3;
constexpr double kBracketMargin = 0.1;

}

ParenthesisRule::ParenthesisRule(int open, int contents, int close, CostCallback callback)
    : Rule(callback)
    , m_open(open)
    , m_contents(contents)
    , m_close(close)
{
}

// Contents overlapping the closing bracket or reaching the outer tenths of either bracket.
double ParenthesisRule::enclosurePenalty(const Weights &w, const Box &a, const Box &b, const Box &z)
{
    const double hA = a.height();
    const double hZ = z.height();
    return w.shortfall(z.minX - b.maxX) + w.shortfall(b.minY - kBracketMargin * hA - a.minY)
            + w.shortfall(b.minY - kBracketMargin * hZ - z.minY)
            + w.excess(b.maxY + kBracketMargin * hA - a.maxY) + w.excess(b.maxY + kBracketMargin * hZ - z.maxY);
}

void ParenthesisRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 3)
        return;
    const int mark = parser.orderRegionStrokes(Parser::ByX, region);
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    Region a;
    Region b;
    Region z;
    for (int k = 1; k <= kMaxBracketStrokes && k <= n - 2; ++k) {
        a.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Result &open = parser.parseSymbolRegion(m_open, a);
        if (open.isEmpty() || !target.accepts(open.best().cost))
            continue;
        const ParseObject &a0 = open.best();
        b.clear();
        for (int j = k + 1; j <= n - 1; ++j) {
            b.addStroke(stroke(j - 1), parser.strokeBox(stroke(j - 1)));
            if (n - j > kMaxBracketStrokes)
                continue;
            double g = parser.weights().shortfall(b.box().minX - a.box().maxX);
            if (!target.accepts(g / sq(a0.h) + a0.cost))
                continue;
            const Result &contents = parser.parseSymbolRegion(m_contents, b);
            if (contents.isEmpty())
                continue;
            const ParseObject &b0 = contents.best();
            if (!target.accepts(g / sq(b0.h) + a0.cost + b0.cost))
                continue;
            z.clear();
            for (int i = j; i < n; ++i)
                z.addStroke(stroke(i), parser.strokeBox(stroke(i)));
            g += enclosurePenalty(parser.weights(), a.box(), b.box(), z.box());
            if (!target.accepts(g / sq(b0.h) + a0.cost + b0.cost))
                continue;
            const Result &close = parser.parseSymbolRegion(m_close, z);
            if (!close.isEmpty())
                combine(parser, target, region, open, contents, close, g);
        }
    }
    parser.truncateScratch(mark);
}

void ParenthesisRule::combine(Parser &parser, Result &target, const Region &region, const Result &open,
                              const Result &contents, const Result &close, double g) const
{
    const ParseObject &b0 = contents.best();
    const ParseObject &c0 = close.best();
    for (int i = 0; i < open.count(); ++i) {
        const ParseObject &a = open.object(i);
        if (!target.accepts(g / sq(b0.h) + a.cost + b0.cost + c0.cost))
            return;
        for (int j = 0; j < contents.count(); ++j) {
            const ParseObject &b = contents.object(j);
            if (!target.accepts(g / sq(b.h) + a.cost + b.cost + c0.cost))
                break;
            for (int l = 0; l < close.count(); ++l) {
                const ParseObject &c = close.object(l);
                if (!target.accepts(g / sq(b.h) + a.cost + b.cost + c.cost))
                    break;
                const ParenthesisObject object(parser.weights(), &region, a, b, c, g, m_callback);
                if (target.accepts(object.cost))
                    target.insertCandidate(object, false);
            }
        }
    }
}

}
