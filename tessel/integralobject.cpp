#include "tessel/integralobject.h"

namespace tessel {

double IntegralObject::normalisingHeight(const ParseObject &s, const ParseObject *b, const ParseObject &i,
                                         const ParseObject *d)
{
    if (!b)
        return meanHeight(s, &i);
    if (!d)
        return (s.h * s.hw + i.h * i.hw + b->h * b->hw) / (s.hw + i.hw + kSecondaryFactor * b->hw);
    return (s.h * s.hw + i.h * i.hw + b->h * b->hw + d->h * d->hw)
            / (s.hw + i.hw + kSecondaryFactor * (b->hw + d->hw));
}

IntegralObject::IntegralObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
                               const ParseObject &integrand, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&sign, nullptr, &integrand, nullptr})
{
    const ParseObject &s = sign;
    const ParseObject &i = integrand;
    h = normalisingHeight(s, nullptr, i, nullptr);
    y = weightedMean(s.y, s.yw, i.y, i.yw);
    sw = s.sw + i.sw;
    yw = s.yw + i.yw;
    hw = s.hw + i.hw;
    const double h2 = sq(h);
    cost = g / h2 + s.cost + i.cost;
    addConsistency(callback, kOperatorFactor * w.y0 * sq(s.y - y) * s.sw / h2
                                 + w.y0 * sq(i.y - y) * i.sw / h2
                                 + kOperatorFactor * w.h * sq(s.h - h) * s.sw / h2
                                 + w.h * sq(i.h - h) * i.sw / h2);
}

IntegralObject::IntegralObject(const Weights &w, const Region *objectRegion, const ParseObject &sign,
                               const ParseObject &upper, const ParseObject &integrand,
                               const ParseObject &lower, double g, CostCallback callback)
    : CompositeObject(objectRegion, {&sign, &upper, &integrand, &lower})
{
    const ParseObject &s = sign;
    const ParseObject &b = upper;
    const ParseObject &i = integrand;
    const ParseObject &d = lower;
    h = normalisingHeight(s, &b, i, &d);
    y = weightedMean(s.y, s.yw, i.y, i.yw);
    sw = s.sw + b.sw + i.sw + d.sw;
    yw = s.yw + i.yw;
    hw = s.hw + i.hw + kSecondaryFactor * (b.hw + d.hw);
    const double h2 = sq(h);
    cost = g / h2 + s.cost + b.cost + i.cost + d.cost;
    double penalty = kOperatorFactor * w.y0 * sq(s.y - y) * s.sw / h2;
    penalty += w.y0 * sq(i.y - y) * i.sw / h2;
    penalty += kOperatorFactor * w.h * sq(s.h - h) * s.sw / h2;
    penalty += kSecondaryFactor * w.h * sq(b.h / kSecondaryFactor - h) * b.sw / h2;
    penalty += w.h * sq(i.h - h) * i.sw / h2;
    penalty += kSecondaryFactor * w.h * sq(d.h / kSecondaryFactor - h) * d.sw / h2;
    addConsistency(callback, penalty);
}

int IntegralObject::childCount() const
{
    return m_children[Upper] ? 4 : 2;
}

const ParseObject *IntegralObject::child(int i) const
{
    if (m_children[Upper])
        return CompositeObject::child(i);
    if (i == 0)
        return m_children[Sign];
    return i == 1 ? m_children[Integrand] : nullptr;
}

void IntegralObject::appendLabel(std::string &text) const
{
    appendChildLabel(text, Sign);
    if (m_children[Lower]) {
        text += "_{";
        appendChildLabel(text, Lower);
        text += '}';
    }
    if (m_children[Upper]) {
        text += "^{";
        appendChildLabel(text, Upper);
        text += '}';
    }
    text += '{';
    appendChildLabel(text, Integrand);
    text += '}';
}

Box IntegralObject::layoutBox() const
{
    const Box sign = slotBox(Sign);
    const Box integrand = slotBox(Integrand);
    double width = integrand.width();
    for (Slot limit : {Upper, Lower})
        if (m_children[limit] && kSecondaryFactor * slotBox(limit).width() > width)
            width = kSecondaryFactor * slotBox(limit).width();
    Box u = sign;
    u.unite(integrand);
    return {0.0, u.minY, sign.width() + 0.2 + width, u.maxY};
}

// Limits at 0.6 of the scale, level with the bottom and the top of the sign.
void IntegralObject::place(Ink &target, double x, double y, double s) const
{
    const Box sign = slotBox(Sign);
    placeSlot(Sign, target, x, y, s);
    const double x1 = x + (sign.width() + 0.2) * s;
    if (m_children[Lower])
        placeSlot(Lower, target, x1, y + (sign.maxY - kSecondaryFactor * slotBox(Lower).maxY) * s,
                  kSecondaryFactor * s);
    if (m_children[Upper])
        placeSlot(Upper, target, x1, y + (sign.minY - kSecondaryFactor * slotBox(Upper).minY) * s,
                  kSecondaryFactor * s);
    placeSlot(Integrand, target, x1, y, s);
}

}
