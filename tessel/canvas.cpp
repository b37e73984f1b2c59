#include "tessel/canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace tessel {

namespace {

constexpr int kCellsPerBlock = 1024;
constexpr int kOne = 256;
constexpr int kFull = 0x20000;
constexpr double kPi = 3.14159265358979323846;

constexpr Canvas::Rect kNoRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

int floorDiv(long long a, int b)
{
    long long q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return int(q);
}

int fixed(double v)
{
    return int(v * kOne);
}

void widen(Canvas::Rect &r, const Canvas::Rect &by)
{
    r.minX = std::min(r.minX, by.minX);
    r.minY = std::min(r.minY, by.minY);
    r.maxX = std::max(r.maxX, by.maxX);
    r.maxY = std::max(r.maxY, by.maxY);
}

int opacity(int c, Canvas::FillRule rule)
{
    c = std::abs(c);
    if (rule == Canvas::EvenOdd) {
        c &= 2 * kFull - 1;
        if (c > kFull)
            c = 2 * kFull - c;
    }
    return c > kFull ? kOne : c >> 9;
}

}

Canvas::Canvas(std::uint8_t *bits, int bytesPerLine, int width, int height)
    : m_rows(size_t(std::max(height, 0)), nullptr)
    , m_rowStart(size_t(std::max(height, 0)), 0)
    , m_cellBounds(kNoRect)
    , m_bits(bits)
    , m_bytesPerLine(bytesPerLine)
    , m_width(width)
    , m_height(height)
    , m_painted(kNoRect)
{
}

Canvas::~Canvas() = default;

void Canvas::setTransform(double scale, double dx, double dy)
{
    m_scale = scale;
    m_dx = dx;
    m_dy = dy;
}

void Canvas::fitView(double x0, double y0, double x1, double y1, double margin)
{
    const double w = x1 - x0;
    const double h = y1 - y0;
    if (!(w > 0.0) || !(h > 0.0))
        return;
    const double scale = std::min(std::max(m_width - 2.0 * margin, 1.0) / w,
                                  std::max(m_height - 2.0 * margin, 1.0) / h);
    setTransform(scale, (m_width - (x0 + x1) * scale) * 0.5, (m_height - (y0 + y1) * scale) * 0.5);
}

void Canvas::setColor(int red, int green, int blue)
{
    m_red = std::clamp(red, 0, 255);
    m_green = std::clamp(green, 0, 255);
    m_blue = std::clamp(blue, 0, 255);
}

void Canvas::reservePath(int n)
{
    m_pathX.reserve(size_t(std::max(n, 0)));
    m_pathY.reserve(size_t(std::max(n, 0)));
}

void Canvas::moveTo(double x, double y)
{
    const Point p = toDevice(x, y);
    m_pathX.assign(1, p.x);
    m_pathY.assign(1, p.y);
}

void Canvas::lineTo(double x, double y)
{
    const Point p = toDevice(x, y);
    if (m_pathX.empty()) {
        m_pathX.push_back(p.x);
        m_pathY.push_back(p.y);
        return;
    }
    if (p.x == m_pathX.back() && p.y == m_pathY.back())
        return;
    m_pathX.push_back(p.x);
    m_pathY.push_back(p.y);
}

// The outline runs: cap behind the first point, one side forward, cap past the last point,
// the other side back. Joins are arcs on the outer side and pass through the joint on the
// inner one, so that the non-zero rule covers the overlap once.
void Canvas::strokePath()
{
    if (m_pathX.empty())
        return;
    const double h = m_lineWidth * 0.5;
    const double step = 2.0 * std::acos(h / (m_tolerance + h));
    const int k = std::max(3, step > 0.0 ? int(kPi / step) : 3);

    std::vector<Point> points(m_pathX.size());
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {m_pathX[i], m_pathY[i]};

    const Point &a = points[0];
    if (points.size() == 1) {
        fillMoveTo(a.x + h, a.y);
        for (int i = 1; i < 2 * k; ++i) {
            const double angle = i * kPi / k;
            fillLineTo(a.x + h * std::cos(angle), a.y + h * std::sin(angle));
        }
        fill(NonZero);
        return;
    }
    const Point &b = points[1];
    const double start = std::atan2(b.y - a.y, b.x - a.x);
    fillMoveTo(a.x + h * std::cos(start + kPi * 0.5), a.y + h * std::sin(start + kPi * 0.5));
    emitCap(a, start, k);
    emitSide(points, k);
    std::reverse(points.begin(), points.end());
    const Point &c = points[0];
    const Point &d = points[1];
    emitCap(c, std::atan2(d.y - c.y, d.x - c.x), k);
    emitSide(points, k);
    fill(NonZero);
}

// The half circle behind p for a path leaving p in direction `angle`.
void Canvas::emitCap(const Point &p, double angle, int k)
{
    const double h = m_lineWidth * 0.5;
    const double phi = angle + kPi * 0.5;
    for (int i = 1; i < k; ++i) {
        const double a = phi + i * kPi / k;
        fillLineTo(p.x + h * std::cos(a), p.y + h * std::sin(a));
    }
}

void Canvas::emitSide(const std::vector<Point> &points, int k)
{
    const double h = m_lineWidth * 0.5;
    double previous = 0.0;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const Point &a = points[i];
        const Point &b = points[i + 1];
        const double theta = std::atan2(b.y - a.y, b.x - a.x);
        const double normal = theta - kPi * 0.5;
        if (i > 0) {
            double sweep = theta - previous;
            while (sweep > kPi)
                sweep -= 2.0 * kPi;
            while (sweep <= -kPi)
                sweep += 2.0 * kPi;
            const double inward = std::cos(previous - kPi * 0.5) * std::cos(theta)
                + std::sin(previous - kPi * 0.5) * std::sin(theta);
            if (inward > 0.0)
                fillLineTo(a.x, a.y);
            else
                emitArc(a, previous - kPi * 0.5, sweep, k);
        }
        fillLineTo(a.x + h * std::cos(normal), a.y + h * std::sin(normal));
        fillLineTo(b.x + h * std::cos(normal), b.y + h * std::sin(normal));
        previous = theta;
    }
}

// Points strictly inside the arc around c, at most pi / k apart.
void Canvas::emitArc(const Point &c, double from, double sweep, int k)
{
    const double h = m_lineWidth * 0.5;
    const int n = int(std::ceil(std::abs(sweep) / (kPi / k)));
    for (int i = 1; i < n; ++i) {
        const double a = from + sweep * i / n;
        fillLineTo(c.x + h * std::cos(a), c.y + h * std::sin(a));
    }
}

void Canvas::fillMoveTo(double x, double y)
{
    if (m_open)
        renderLine(m_startX, m_startY);
    m_penX = m_startX = fixed(x);
    m_penY = m_startY = fixed(y);
    m_open = true;
}

void Canvas::fillLineTo(double x, double y)
{
    if (!m_open) {
        fillMoveTo(x, y);
        return;
    }
    renderLine(fixed(x), fixed(y));
}

void Canvas::fill(FillRule rule)
{
    if (m_open)
        renderLine(m_startX, m_startY);
    m_open = false;
    if (!m_cellBounds.isEmpty()) {
        for (int y = m_cellBounds.minY; y <= m_cellBounds.maxY; ++y)
            paintRow(y, rule);
        widen(m_painted, m_cellBounds);
    }
    resetCells();
}

// Splits the edge from the pen to (x2, y2) at pixel row boundaries.
void Canvas::renderLine(int x2, int y2)
{
    const int x1 = m_penX;
    const int y1 = m_penY;
    m_penX = x2;
    m_penY = y2;
    if (y1 == y2)
        return;
    const long long dx = (long long)x2 - x1;
    const long long dy = (long long)y2 - y1;
    int ey = floorDiv(y1, kOne);
    int xa = x1;
    int ya = y1;
    for (;;) {
        const long long boundary = dy > 0 ? (long long)(ey + 1) * kOne : (long long)ey * kOne;
        const int yb = int(dy > 0 ? std::min<long long>(y2, boundary) : std::max<long long>(y2, boundary));
        const int xb = yb == y2 ? x2 : int(x1 + dx * (yb - (long long)y1) / dy);
        renderScanline(ey, xa, ya - ey * kOne, xb, yb - ey * kOne);
        if (yb == y2)
            return;
        xa = xb;
        ya = yb;
        ey += dy > 0 ? 1 : -1;
    }
}

// Splits a piece of an edge inside pixel row ey (fy in 0..256) at cell boundaries.
void Canvas::renderScanline(int ey, int x1, int fy1, int x2, int fy2)
{
    if (fy1 == fy2 || ey < 0 || ey >= m_height)
        return;
    const long long dx = (long long)x2 - x1;
    const long long dy = (long long)fy2 - fy1;
    int ex = floorDiv(x1, kOne);
    int xa = x1;
    int ya = fy1;
    for (;;) {
        const long long boundary = dx > 0 ? (long long)(ex + 1) * kOne : (long long)ex * kOne;
        const bool last = dx == 0 || (dx > 0 ? x2 <= boundary : x2 >= boundary);
        const int xb = last ? x2 : int(boundary);
        const int yb = last ? fy2 : int(fy1 + dy * (xb - (long long)x1) / dx);
        const int cover = yb - ya;
        const int base = ex * kOne;
        addCell(ex, ey, cover, (xa - base + xb - base) * cover);
        if (last)
            return;
        xa = xb;
        ya = yb;
        ex += dx > 0 ? 1 : -1;
    }
}

void Canvas::addCell(int ex, int ey, int cover, int area)
{
    if (cover == 0 && area == 0)
        return;
    if (ey < 0 || ey >= m_height || ex >= m_width) {
        if (ey >= 0 && ey < m_height)
            widen(m_cellBounds, {m_width - 1, ey, m_width - 1, ey});
        return;
    }
    if (ex < 0) {
        m_rowStart[size_t(ey)] += cover;
        widen(m_cellBounds, {0, ey, 0, ey});
        return;
    }
    widen(m_cellBounds, {ex, ey, ex, ey});
    Cell **link = &m_rows[size_t(ey)];
    while (*link && (*link)->x < ex)
        link = &(*link)->next;
    if (!*link || (*link)->x != ex) {
        Cell *cell = newCell();
        *cell = {ex, *link, 0, 0};
        *link = cell;
    }
    (*link)->cover += cover;
    (*link)->area += area;
}

Canvas::Cell *Canvas::newCell()
{
    const size_t block = size_t(m_used / kCellsPerBlock);
    if (block == m_blocks.size())
        m_blocks.emplace_back(new Cell[kCellsPerBlock]);
    return &m_blocks[block][size_t(m_used++ % kCellsPerBlock)];
}

void Canvas::paintRow(int y, FillRule rule)
{
    int cover = m_rowStart[size_t(y)];
    int x = 0;
    for (const Cell *cell = m_rows[size_t(y)]; cell; cell = cell->next) {
        if (cover != 0) {
            const int alpha = opacity(cover * 512, rule);
            for (; x < cell->x; ++x)
                blend(x, y, alpha);
        }
        cover += cell->cover;
        blend(cell->x, y, opacity(cover * 512 - cell->area, rule));
        x = cell->x + 1;
    }
    if (cover != 0) {
        const int alpha = opacity(cover * 512, rule);
        for (; x < m_width; ++x)
            blend(x, y, alpha);
    }
}

void Canvas::blend(int x, int y, int alpha)
{
    if (alpha <= 0)
        return;
    const size_t offset = size_t(y) * size_t(m_bytesPerLine) + size_t(x) * 3;
    std::uint8_t *p = m_bits + offset;
    if (m_backupOn)
        m_backup.push_back({offset, {p[0], p[1], p[2]}});
    const int keep = kOne - alpha;
    p[0] = std::uint8_t((keep * p[0] + alpha * m_blue) >> 8);
    p[1] = std::uint8_t((keep * p[1] + alpha * m_green) >> 8);
    p[2] = std::uint8_t((keep * p[2] + alpha * m_red) >> 8);
}

// Latest saves first, so that a pixel painted twice gets its first saved value.
void Canvas::restore()
{
    for (auto it = m_backup.rbegin(); it != m_backup.rend(); ++it)
        std::copy(it->bgr, it->bgr + 3, m_bits + it->offset);
    m_backup.clear();
}

void Canvas::resetCells()
{
    if (!m_cellBounds.isEmpty()) {
        for (int y = std::max(m_cellBounds.minY, 0); y <= std::min(m_cellBounds.maxY, m_height - 1); ++y) {
            m_rows[size_t(y)] = nullptr;
            m_rowStart[size_t(y)] = 0;
        }
    }
    m_used = 0;
    m_cellBounds = kNoRect;
}

}
