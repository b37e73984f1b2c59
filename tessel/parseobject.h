#pragma once

#include "tessel/box.h"

#include <string>

namespace tessel {

class Ink;
class Region;

// One node of a parse tree: its cost and the geometric summary the rules compare.
class ParseObject
{
public:
    enum Flag {
        HeightCounts = 1,
        Shrinkable = 2,
        Stretchable = 4,
        Baseline = 8,
        CentreLine = 16
    };

    virtual ~ParseObject() = default;
    virtual ParseObject *clone() const = 0;
    virtual void appendLabel(std::string &text) const = 0;
    virtual const char *typeName() const = 0;
    // Box of the subtree drawn from templates at scale 1, origin at its left edge and base line.
    virtual Box layoutBox() const { return Box(); }
    // Draws the subtree into target, a point (u, v) of its layout going to (x + s u, y + s v).
    virtual void place(Ink &, double, double, double) const {}
    virtual int childCount() const { return 0; }
    virtual const ParseObject *child(int) const { return nullptr; }

    bool hasFlag(int flag) const { return flags & flag; }
    double leafCostSum() const;
    double relCost() const { return cost - leafCostSum(); }

    const Region *region = nullptr;
    double cost = 0.0;
    double sw = 0.0;
    double yw = 0.0;
    double hw = 0.0;
    double y = 0.0;
    double h = 0.0;
    int flags = HeightCounts | Baseline;
};

}
