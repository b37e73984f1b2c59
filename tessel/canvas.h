#pragma once

#include "tessel/point.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tessel {

// Anti-aliased software rasteriser painting into a caller's 24-bit image (blue, green, red
// bytes per pixel). Paths are stroked into outlines, outlines accumulated as coverage cells in
// 24.8 fixed point and painted row by row. A development aid: nothing exported creates one.
class Canvas
{
public:
    enum FillRule { NonZero, EvenOdd };

    struct Rect
    {
        int minX;
        int minY;
        int maxX;
        int maxY;
        bool isEmpty() const { return minX > maxX || minY > maxY; }
    };

    Canvas(std::uint8_t *bits, int bytesPerLine, int width, int height);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // A user point (x, y) goes to (scale * x + dx, scale * y + dy).
    void setTransform(double scale, double dx, double dy);
    // Centres the rectangle in the image with a margin; an empty or inverted one changes nothing.
    void fitView(double x0, double y0, double x1, double y1, double margin);
    double scale() const { return m_scale; }
    double offsetX() const { return m_dx; }
    double offsetY() const { return m_dy; }
    Point toDevice(double x, double y) const { return {m_scale * x + m_dx, m_scale * y + m_dy}; }

    void setColor(int red, int green, int blue);
    // Width of stroked paths in device pixels.
    void setLineWidth(double width) { m_lineWidth = width; }
    // Largest distance, in device pixels, of a round cap or join from its true arc.
    void setTolerance(double tolerance) { m_tolerance = tolerance; }

    void reservePath(int n);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    // Paints the path's outline with round caps and joins (a dot for a single point).
    void strokePath();

    // Polygon edges in device coordinates, straight into the cells.
    void fillMoveTo(double x, double y);
    void fillLineTo(double x, double y);
    // Closes the contour, paints the cells and clears them.
    void fill(FillRule rule = NonZero);

    // Smallest pixel rectangle holding everything painted so far; empty at first.
    Rect paintedRect() const { return m_painted; }

    // While on, each pixel is saved before it is blended; restore() puts the saved ones back.
    void setBackup(bool on) { m_backupOn = on; }
    void restore();

private:
    struct Cell
    {
        int x;
        Cell *next;
        int cover;
        int area;
    };
    struct Saved
    {
        std::size_t offset;
        std::uint8_t bgr[3];
    };

    void emitCap(const Point &p, double angle, int k);
    void emitSide(const std::vector<Point> &points, int k);
    void emitArc(const Point &c, double from, double sweep, int k);

    void renderLine(int x2, int y2);
    void renderScanline(int ey, int x1, int fy1, int x2, int fy2);
    void addCell(int ex, int ey, int cover, int area);
    Cell *newCell();
    void paintRow(int y, FillRule rule);
    void blend(int x, int y, int alpha);
    void resetCells();

    double m_scale = 1.0;
    double m_dx = 0.0;
    double m_dy = 0.0;

    std::vector<Cell *> m_rows;
    std::vector<int> m_rowStart;
    std::vector<std::unique_ptr<Cell[]>> m_blocks;
    int m_used = 0;
    int m_penX = 0;
    int m_penY = 0;
    int m_startX = 0;
    int m_startY = 0;
    bool m_open = false;
    Rect m_cellBounds;

    std::uint8_t *m_bits;
    int m_bytesPerLine;
    int m_width;
    int m_height;

    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;

    double m_lineWidth = 1.0;
    double m_tolerance = 0.1;
    std::vector<double> m_pathX;
    std::vector<double> m_pathY;

    Rect m_painted;

    bool m_backupOn = false;
    std::vector<Saved> m_backup;
};

}
