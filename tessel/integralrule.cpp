#include "tessel/integralrule.h"

#include "tessel/integralobject.h"
#include "tessel/parser.h"

namespace tessel {

struct IntegralRule::Parts
{
    const Region &region;
    Region sign;
    Region rest;
    const Result &signs;
    double g1;
};

IntegralRule::IntegralRule(int sign, int upper, int integrand, int lower, CostCallback callback)
    : Rule(callback)
    , m_sign(sign)
    , m_upper(upper)
    , m_integrand(integrand)
    , m_lower(lower)
{
}

// The stroke with the smallest centroid x; the lowest index among equals.
int IntegralRule::signStroke(const Parser &parser, const Region &region) const
{
    int best = region.firstStroke();
    for (int s = region.nextStroke(best); s >= 0; s = region.nextStroke(s)) {
        if (parser.strokeRecord(s).centroid.x < parser.strokeRecord(best).centroid.x)
            best = s;
    }
    return best;
}

void IntegralRule::apply(Parser &parser, Result &target, const Region &region)
{
    const int n = region.strokeCount();
    if (n < 2)
        return;
    const int signIndex = signStroke(parser, region);
    Region sign;
    sign.addStroke(signIndex, parser.strokeBox(signIndex));
    const Result &signs = parser.parseSymbolRegion(m_sign, sign);
    if (signs.isEmpty() || !target.accepts(signs.best().cost))
        return;
    Region rest;
    for (int s = region.firstStroke(); s >= 0; s = region.nextStroke(s))
        if (s != signIndex)
            rest.addStroke(s, parser.strokeBox(s));
    const double g1 = parser.weights().shortfall(rest.box().minX - sign.box().maxX);
    const Parts parts{region, sign, rest, signs, g1};
    applyWithoutLimits(parser, target, parts);
    if (n >= 4)
        applyWithLimits(parser, target, parts);
}

void IntegralRule::applyWithoutLimits(Parser &parser, Result &target, const Parts &parts) const
{
    const double g = parts.g1;
    const ParseObject &s0 = parts.signs.best();
    if (!target.accepts(g / sq(s0.h) + s0.cost))
        return;
    const Result &integrands = parser.parseSymbolRegion(m_integrand, parts.rest);
    if (integrands.isEmpty())
        return;
    const ParseObject &i0 = integrands.best();
    const auto bound = [g](const ParseObject &s, const ParseObject &i) {
        return g / sq(IntegralObject::normalisingHeight(s, nullptr, i, nullptr)) + s.cost + i.cost;
    };
    if (!target.accepts(bound(s0, i0)))
        return;
    for (int k = 0; k < parts.signs.count(); ++k) {
        const ParseObject &s = parts.signs.object(k);
        if (!target.accepts(bound(s, i0)))
            return;
        for (int j = 0; j < integrands.count(); ++j) {
            const ParseObject &i = integrands.object(j);
            if (!target.accepts(bound(s, i)))
                break;
            const IntegralObject object(parser.weights(), &parts.region, s, i, g, m_callback);
            if (target.accepts(object.cost))
                target.insertCandidate(object, false);
        }
    }
}

void IntegralRule::applyWithLimits(Parser &parser, Result &target, const Parts &parts) const
{
    const Weights &w = parser.weights();
    const int n = parts.rest.strokeCount();
    const int mark = parser.orderRegionStrokes(Parser::ByY, parts.rest);
    const auto stroke = [&](int i) { return parser.scratchStroke(mark + i); };
    const Box &S = parts.sign.box();
    const ParseObject &s0 = parts.signs.best();
    Region upperRegion;
    Region integrandRegion;
    Region lowerRegion;
    for (int k = 1; k <= n - 2; ++k) {
        upperRegion.addStroke(stroke(k - 1), parser.strokeBox(stroke(k - 1)));
        const Box &B = upperRegion.box();
        const double gB = parts.g1 + w.dx * sq(B.minY - S.minY);
        if (!target.accepts(gB / sq(s0.h) + s0.cost))
            continue;
        const Result &uppers = parser.parseSymbolRegion(m_upper, upperRegion);
        if (uppers.isEmpty())
            continue;
        const ParseObject &b0 = uppers.best();
        if (!target.accepts(gB / sq(s0.h) + s0.cost + b0.cost))
            continue;
        integrandRegion.clear();
        for (int j = k + 1; j <= n - 1; ++j) {
            integrandRegion.addStroke(stroke(j - 1), parser.strokeBox(stroke(j - 1)));
            const Box &Z = integrandRegion.box();
            const double gZ = gB + w.shortfall(Z.minX - S.maxX) + w.shortfall(Z.minY - B.maxY);
            if (!target.accepts(gZ / sq(s0.h) + s0.cost + b0.cost))
                continue;
            const Result &integrands = parser.parseSymbolRegion(m_integrand, integrandRegion);
            if (integrands.isEmpty())
                continue;
            const ParseObject &z0 = integrands.best();
            const double h0 = IntegralObject::normalisingHeight(s0, &b0, z0, nullptr);
            if (!target.accepts(gZ / sq(h0) + s0.cost + b0.cost + z0.cost))
                continue;
            lowerRegion.clear();
            for (int i = j; i < n; ++i)
                lowerRegion.addStroke(stroke(i), parser.strokeBox(stroke(i)));
            const Box &D = lowerRegion.box();
            const double g = gZ + w.shortfall(D.minX - S.maxX) + w.shortfall(D.minY - Z.maxY)
                    + w.dx * sq(D.maxY - S.maxY);
            if (!target.accepts(g / sq(h0) + s0.cost + b0.cost + z0.cost))
                continue;
            const Result &lowers = parser.parseSymbolRegion(m_lower, lowerRegion);
            if (!lowers.isEmpty())
                combineWithLimits(parser, target, parts, uppers, integrands, lowers, g);
        }
    }
    parser.truncateScratch(mark);
}

void IntegralRule::combineWithLimits(Parser &parser, Result &target, const Parts &parts, const Result &uppers,
                                     const Result &integrands, const Result &lowers, double g) const
{
    const auto bound = [g](const ParseObject &s, const ParseObject &b, const ParseObject &z,
                           const ParseObject &d) {
        return g / sq(IntegralObject::normalisingHeight(s, &b, z, &d)) + s.cost + b.cost + z.cost + d.cost;
    };
    const ParseObject &b0 = uppers.best();
    const ParseObject &z0 = integrands.best();
    const ParseObject &d0 = lowers.best();
    for (int si = 0; si < parts.signs.count(); ++si) {
        const ParseObject &s = parts.signs.object(si);
        if (!target.accepts(bound(s, b0, z0, d0)))
            return;
        for (int bi = 0; bi < uppers.count(); ++bi) {
            const ParseObject &b = uppers.object(bi);
            if (!target.accepts(bound(s, b, z0, d0)))
                break;
            for (int zi = 0; zi < integrands.count(); ++zi) {
                const ParseObject &z = integrands.object(zi);
                if (!target.accepts(bound(s, b, z, d0)))
                    break;
                for (int di = 0; di < lowers.count(); ++di) {
                    const ParseObject &d = lowers.object(di);
                    if (!target.accepts(bound(s, b, z, d)))
                        break;
                    const IntegralObject object(parser.weights(), &parts.region, s, b, z, d, g, m_callback);
                    if (target.accepts(object.cost))
                        target.insertCandidate(object, false);
                }
            }
        }
    }
}

}
