#pragma once

#include "engine/inkpoint.h"

namespace zk {

// A glyph of the Hershey Japanese font as a pen writes it. The font draws each brush stroke
// as several close outlines with serifs at its ends, in no particular order; a writer makes
// one line a stroke, a corner turning down in the same stroke, in the usual stroke order,
// the voicing marks last.
class BrushGlyph
{
public:
    static InkStrokes penStrokes(const InkStrokes &brush);

private:
    static InkStrokes withoutDoubles(const InkStrokes &strokes);
    static void trimSerifs(InkStroke &stroke);
    static void orient(InkStroke &stroke);
    static InkStrokes joined(InkStrokes strokes);
    static InkStrokes ordered(const InkStrokes &strokes);
    static InkStrokes orderedPart(const InkStrokes &strokes);
};

} // namespace zk
