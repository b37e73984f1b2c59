#pragma once

#include <vector>

namespace zk {

struct InkPoint {
    float x = 0;
    float y = 0;
};

using InkStroke = std::vector<InkPoint>;
using InkStrokes = std::vector<InkStroke>;

struct InkBox {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    float width() const { return right - left; }
    float height() const { return bottom - top; }
    bool isValid() const { return right > left || bottom > top; }
};

InkBox boundingBox(const InkStroke &stroke);
InkBox boundingBox(const InkStrokes &strokes);
InkBox unite(const InkBox &a, const InkBox &b);

} // namespace zk
