#pragma once

#include "tessel/parseobject.h"
#include "tessel/tessel.h"
#include "tessel/weights.h"

#include <array>

namespace tessel {

// Base of the objects built by relation rules; children are not owned.
class CompositeObject : public ParseObject
{
public:
    int childCount() const override { return m_count; }
    const ParseObject *child(int i) const override;

    // The mean of the heights weighted by hw, or a's height alone.
    static double meanHeight(const ParseObject &a, const ParseObject *b);

protected:
    CompositeObject(const Region *objectRegion, std::initializer_list<const ParseObject *> children);
    // Adds the callback's answer, or the class's own penalty when there is no callback.
    void addConsistency(CostCallback callback, double penalty);
    void appendChildLabel(std::string &text, int i) const;
    // The layout box of a child slot; an empty slot counts as a point at the origin.
    Box slotBox(int i) const;
    void placeSlot(int i, Ink &target, double x, double y, double s) const;

    std::array<const ParseObject *, 4> m_children{};
    int m_count = 0;
};

}
