#include "tessel/templatelibrary.h"

#include "tessel/strokerecord.h"

namespace tessel {

namespace {

template <typename Draw>
void add(std::vector<ShapeTemplate> &library, const char *name, double width, bool allowReversed,
         double weight, Draw draw)
{
    ShapeTemplate shape(name, width, allowReversed, weight);
    draw(shape);
    shape.complete(StrokeRecord::kPoints);
    library.push_back(shape);
}

std::vector<ShapeTemplate> buildLibrary()
{
    std::vector<ShapeTemplate> library;
    library.reserve(53);
    add(library, "0", 1.2, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0.6, -2);
        t.cubicTo(-0.2, -2, -0.2, 0, 0.6, 0);
        t.cubicTo(1.4, 0, 1.4, -2, 0.6, -2);
    });
    add(library, "1", 0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(0, 0);
    });
    add(library, "1", 0.7, true, 1.1, [](ShapeTemplate &t) {
        t.moveTo(0, -0.7);
        t.lineTo(0.7, -2);
        t.lineTo(0.7, 0);
    });
    add(library, "2", 1.0, true, 0.8, [](ShapeTemplate &t) {
        t.moveTo(0, -1.6);
        t.cubicTo(0, -2.2, 0.8, -2.2, 0.8, -1.5);
        t.cubicTo(0.8, -1, 0, -0.5, 0, -0.2);
        t.quadTo(0, 0, 1, 0);
    });
    add(library, "3", 0.9, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -1.9);
        t.cubicTo(1.2, -2.5, 1.2, -0.7, 0, -1);
        t.cubicTo(1.2, -1.3, 1.2, 0.5, 0, -0.1);
    });
    add(library, "4", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.9, -2);
        t.lineTo(0, -0.9);
        t.lineTo(1, -0.9);
        t.lineTo(1, 0);
    });
    add(library, "4", 1.0, false, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0.7, -2);
        t.lineTo(0, -0.7);
        t.lineTo(1, -0.7);
        t.moveTo(0.6, -1.1);
        t.lineTo(0.6, 0);
    });
    add(library, "5", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(1, -2);
        t.lineTo(0, -2);
        t.lineTo(0, -1.2);
        t.cubicTo(1.3, -1.2, 1.3, 0, 0, 0);
    });
    add(library, "6", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -1.8);
        t.cubicTo(1, -2.2, 0, -2.2, 0, -1);
        t.cubicTo(-0.2, 0.2, 1, 0.2, 1, -0.5);
        t.cubicTo(1, -1.2, 0, -1.2, 0, -0.5);
    });
    add(library, "7", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(1, -2);
        t.lineTo(0.2, 0);
    });
    add(library, "7", 1.0, false, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(1, -2);
        t.lineTo(0.2, 0);
        t.moveTo(0.2, -1.1);
        t.lineTo(1, -1.1);
    });
    add(library, "8", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0.5, -2);
        t.cubicTo(2.3, -2, -1.3, 0, 0.5, 0);
        t.cubicTo(2.3, 0, -1.3, -2, 0.5, -2);
    });
    add(library, "9", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(1, -1.5);
        t.cubicTo(1, -2.2, 0, -2.2, 0, -1.5);
        t.cubicTo(0, -1, 1, -1, 1, -1.5);
        t.cubicTo(1.2, 0.5, 0, 0.2, 0, -0.3);
    });
    add(library, "\\sqrt", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.lineTo(1, 0.2);
        t.lineTo(1, -2.4);
        t.lineTo(4, -2.4);
    });
    add(library, "\\sqrt", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.lineTo(1, 0.2);
        t.lineTo(1, -2.6);
        t.lineTo(6, -2.6);
    });
    add(library, "\\sigma", 1.5, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1.5, -2);
        t.lineTo(0, -2);
        t.lineTo(1, -1);
        t.lineTo(0, 0);
        t.lineTo(1.5, 0);
    });
    add(library, "\\int", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.9, -3.1);
        t.cubicTo(0.9, -4, -0.1, -4, 0.5, -1);
        t.cubicTo(1.1, 2.5, 0.1, 2.5, 0.1, 1.6);
    });
    add(library, "=", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -0.9);
        t.lineTo(1, -0.9);
        t.moveTo(0, -0.1);
        t.lineTo(1, -0.1);
    });
    add(library, "-", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -0.5);
        t.lineTo(1, -0.5);
    });
    add(library, "+", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0.5, -1);
        t.lineTo(0.5, 0);
        t.moveTo(0, -0.5);
        t.lineTo(1, -0.5);
    });
    add(library, "\\inf", 1.6, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.4, -1);
        t.cubicTo(-0.1, -1, -0.1, 0, 0.4, 0);
        t.cubicTo(0.9, 0, 0.9, -1, 0.4, -1);
        t.moveTo(1.2, -1);
        t.cubicTo(0.7, -1, 0.7, 0, 1.2, 0);
        t.cubicTo(1.7, 0, 1.7, -1, 1.2, -1);
    });
    add(library, "\\inf", 1.6, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.8, -0.5);
        t.quadTo(0, 0.5, 0, -0.5);
        t.cubicTo(0, -2.2, 1.6, 1.2, 1.6, -0.5);
        t.quadTo(1.6, -1.5, 0.8, -0.5);
    });
    add(library, "\\pi", 1.2, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.3, -1);
        t.quadTo(0.3, 0, 0, 0);
        t.moveTo(0.9, -1);
        t.cubicTo(0.9, 0, 1.1, 0, 1.2, -0.2);
        t.moveTo(0, -0.8);
        t.quadTo(0, -1.1, 1.2, -1);
    });
    add(library, "\\pi", 1.2, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -0.8);
        t.quadTo(0, -1.1, 1.2, -1);
        t.moveTo(0.3, -1);
        t.quadTo(0.3, 0, 0, 0);
        t.moveTo(0.9, -1);
        t.cubicTo(0.9, 0, 1.1, 0, 1.2, -0.2);
    });
    add(library, "a", 1.2, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -0.6);
        t.cubicTo(1, -1.2, 0, -1.2, 0, -0.5);
        t.cubicTo(0, 0.2, 1, 0.2, 1, -1);
        t.cubicTo(1, -0.5, 1, 0, 1.2, 0);
    });
    add(library, "b", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(0, 0);
        t.moveTo(0, -0.8);
        t.cubicTo(0, -1.1, 1, -1.1, 1, -0.5);
        t.cubicTo(1, 0.1, 0, 0.1, 0, -0.2);
    });
    add(library, "b", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(0, 0);
        t.cubicTo(-0.1, -1.3, 1, -1.2, 1, -0.5);
        t.cubicTo(1, 0.1, 0, 0.1, 0, -0.2);
    });
    add(library, "b", 0.8, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.cubicTo(1.3, -2.7, -0.7, -2.7, 0.4, 0);
        t.quadTo(0.6, 0, 0.6, -0.6);
        t.lineTo(0.8, -0.6);
    });
    add(library, "c", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -0.8);
        t.cubicTo(1, -1.1, 0, -1.2, 0, -0.5);
        t.cubicTo(0, 0.2, 1, 0.1, 1, -0.2);
    });
    add(library, "d", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -2);
        t.lineTo(1, 0);
        t.moveTo(1, -0.8);
        t.cubicTo(1, -1.1, 0, -1.1, 0, -0.5);
        t.cubicTo(0, 0.1, 1, 0.1, 1, -0.2);
    });
    add(library, "d", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -2);
        t.lineTo(1, 0);
        t.cubicTo(1.1, -1.3, 0, -1.2, 0, -0.5);
        t.cubicTo(0, 0.1, 1, 0.1, 1, -0.2);
    });
    add(library, "e", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.cubicTo(1, 0, 1, -1, 0.5, -1);
        t.cubicTo(0, -1, 0, 0, 1, 0);
    });
    add(library, "e", 0.9, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -0.5);
        t.lineTo(0.9, -0.5);
        t.cubicTo(0.9, -1.2, 0, -1.2, 0, -0.5);
        t.cubicTo(0, 0.2, 0.75, 0, 0.85, -0.15);
    });
    add(library, "f", 1.0, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.cubicTo(2, -2.8, 0, -2.8, 0.5, 0);
        t.cubicTo(1, 1.8, -1, 1.8, 1, -0.4);
    });
    add(library, "f", 0.8, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.8, -1.9);
        t.cubicTo(0.8, -2.2, -0.2, -2.2, 0.4, 1);
        t.moveTo(0, -0.4);
        t.lineTo(0.6, -0.4);
    });
    add(library, "g", 1.2, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(1, -0.5);
        t.cubicTo(1, -1.2, 0, -1.2, 0, -0.5);
        t.cubicTo(0, 0.2, 1, 0.2, 1, -0.5);
        t.cubicTo(1, 2.7, 0, 1, 1, 0);
    });
    add(library, "h", 1.0, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.cubicTo(1.5, -2, 0, -3.6, 0.4, 0);
        t.cubicTo(0.4, -1.2, 1, -1.2, 1, 0);
    });
    add(library, "h", 0.8, true, 1.2, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(0, 0);
        t.cubicTo(0, -1.2, 0.8, -1.2, 0.8, 0);
    });
    add(library, "i", 0.3, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.quadTo(-0.2, 0, 0.3, 0);
        t.moveTo(0, -1.6);
        t.lineTo(0.1, -1.5);
    });
    add(library, "i", 0.8, false, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.quadTo(0.4, 0, 0.4, -1);
        t.quadTo(0.4, 0, 0.8, 0);
        t.moveTo(0.35, -1.6);
        t.lineTo(0.45, -1.5);
    });
    add(library, "n", 1.0, false, 1.4, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.lineTo(0, 0);
        t.cubicTo(0, -1.3, 1, -1.3, 1, 0);
    });
    add(library, "n", 1.2, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.cubicTo(0, -1.2, 0.5, -1.3, 0.5, 0);
        t.cubicTo(0.5, -1.2, 1, -1.3, 1, -0.2);
        t.cubicTo(1, 0.1, 1.1, 0.1, 1.2, -0.3);
    });
    add(library, "x", 1.0, true, 0.8, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.cubicTo(0.65, -1, 0.65, 0, 0, 0);
        t.moveTo(1, -1);
        t.cubicTo(0.35, -1, 0.35, 0, 1, 0);
    });
    add(library, "x", 1.0, true, 0.8, [](ShapeTemplate &t) {
        t.moveTo(1, -1);
        t.lineTo(0, 0);
        t.moveTo(0, -1);
        t.lineTo(1, 0);
    });
    add(library, "y", 1.0, true, 0.8, [](ShapeTemplate &t) {
        t.moveTo(0, -1);
        t.lineTo(0.5, 0);
        t.moveTo(1, -1);
        t.lineTo(0, 1);
    });
    add(library, "y", 1.2, true, 0.8, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.quadTo(0.3, 0, 0.3, -1);
        t.cubicTo(0.2, 0.3, 1, 0.3, 1, -1);
        t.lineTo(1, 1);
        t.cubicTo(1, 1.6, 0.2, 0.6, 1.2, -0.2);
    });
    add(library, "N", 1.2, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, 0);
        t.lineTo(0, -2);
        t.lineTo(1.2, 0);
        t.lineTo(1.2, -2);
    });
    add(library, "X", 1.2, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(1.2, -2);
        t.lineTo(0, 0);
        t.moveTo(0, -2);
        t.lineTo(1.2, 0);
    });
    add(library, "Y", 1.2, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2);
        t.lineTo(0.6, -1);
        t.moveTo(1.2, -2);
        t.lineTo(0, 0);
    });
    add(library, "(", 0.5, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.5, -2.2);
        t.cubicTo(-0.15, -2, -0.15, 0, 0.5, 0.2);
    });
    add(library, ")", 0.5, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2.2);
        t.cubicTo(0.65, -2, 0.65, 0, 0, 0.2);
    });
    add(library, "[", 0.5, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0.5, -2.2);
        t.lineTo(0, -2.2);
        t.lineTo(0, 0.2);
        t.lineTo(0.5, 0.2);
    });
    add(library, "]", 0.5, true, 1.0, [](ShapeTemplate &t) {
        t.moveTo(0, -2.2);
        t.lineTo(0.5, -2.2);
        t.lineTo(0.5, 0.2);
        t.lineTo(0, 0.2);
    });
    return library;
}

}

const std::vector<ShapeTemplate> &templateLibrary()
{
    static const std::vector<ShapeTemplate> library = buildLibrary();
    return library;
}

}
