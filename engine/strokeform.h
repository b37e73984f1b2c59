#pragma once

#include "engine/inkpoint.h"

#include <cstddef>
#include <vector>

namespace zk {

// Shapes ink for the character classifiers, the same way in training and recognition.
class StrokeForm
{
public:
    static constexpr float side = 1000.0f; // side of the square the classifier sees
    static constexpr int maxPieces = 16;

    // Ink scaled into the square, aspect kept, centred; empty strokes dropped.
    static InkStrokes fitted(const InkStrokes &strokes);
    // Ink placed in the square as it lies in the given box (aspect kept).
    static InkStrokes inBox(const InkStrokes &strokes, const InkBox &box);
    // The box that boxed models see ink in: a square a little larger than the ink, centred on it.
    static InkBox squareAround(const InkStrokes &strokes);
    // Strokes cut down to the points that keep each within tolerance of the original
    // (Douglas-Peucker): fewer points, the same shape.
    static InkStrokes simplified(const InkStrokes &strokes, float tolerance);
    // Canonical form: fitted, resampled, split at sharp corners, oriented and sorted, so
    // that stroke order, direction and joins of the writer matter less.
    static InkStrokes canonical(const InkStrokes &strokes);

private:
    static InkStroke resampled(const InkStroke &stroke, float step);
    static void splitAtCorners(const InkStroke &stroke, InkStrokes &out);
    static void orient(InkStroke &stroke);
    // The point between first and last farthest from their chord, if beyond tolerance;
    // first otherwise.
    static size_t farthest(const InkStroke &stroke, size_t first, size_t last, float tolerance);
};

} // namespace zk
