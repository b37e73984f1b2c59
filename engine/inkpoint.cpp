#include "engine/inkpoint.h"

#include <algorithm>
#include <limits>

namespace zk {

InkBox boundingBox(const InkStroke &stroke)
{
    if (stroke.empty())
        return {};
    InkBox box{stroke[0].x, stroke[0].y, stroke[0].x, stroke[0].y};
    for (const InkPoint &p : stroke) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

InkBox boundingBox(const InkStrokes &strokes)
{
    InkBox box;
    bool first = true;
    for (const InkStroke &s : strokes) {
        if (s.empty())
            continue;
        box = first ? boundingBox(s) : unite(box, boundingBox(s));
        first = false;
    }
    return box;
}

InkBox unite(const InkBox &a, const InkBox &b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace zk
