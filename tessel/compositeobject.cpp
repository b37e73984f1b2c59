#include "tessel/compositeobject.h"

namespace tessel {

CompositeObject::CompositeObject(const Region *objectRegion,
                                 std::initializer_list<const ParseObject *> children)
{
    region = objectRegion;
    for (const ParseObject *c : children)
        m_children[size_t(m_count++)] = c;
}

const ParseObject *CompositeObject::child(int i) const
{
    return i >= 0 && i < m_count ? m_children[size_t(i)] : nullptr;
}

double CompositeObject::meanHeight(const ParseObject &a, const ParseObject *b)
{
    return b ? weightedMean(a.h, a.hw, b->h, b->hw) : a.h;
}

void CompositeObject::addConsistency(CostCallback callback, double penalty)
{
    cost += callback ? callback(this) : penalty;
}

void CompositeObject::appendChildLabel(std::string &text, int i) const
{
    if (const ParseObject *c = m_children[size_t(i)])
        c->appendLabel(text);
}

Box CompositeObject::slotBox(int i) const
{
    if (const ParseObject *c = m_children[size_t(i)])
        return c->layoutBox();
    return Box{0.0, 0.0, 0.0, 0.0};
}

void CompositeObject::placeSlot(int i, Ink &target, double x, double y, double s) const
{
    if (const ParseObject *c = m_children[size_t(i)])
        c->place(target, x, y, s);
}

}
