#include "model/resultlayout.h"

#include <Qt>

int ResultLayout::effectiveAlignment() const
{
    if (alignment == Qt::AlignCenter)
        return Qt::AlignCenter;
    const bool mirrored = flags & MirrorAlignment;
    const bool left = alignment == Qt::AlignLeft;
    return left != mirrored ? Qt::AlignLeft : Qt::AlignRight;
}

bool ResultLayout::operator==(const ResultLayout &other) const
{
    return lineSpacing == other.lineSpacing && linePositions == other.linePositions
           && alignment == other.alignment && flags == other.flags;
}
