#include "pad/strokesmoother.h"

#include <QtMath>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Deepest subdivision of one segment; bounds the work for degenerate input.
constexpr int MaxDepth = 16;

// Symmetric five-diagonal system, solved by elimination without pivoting.
class BandSystem
{
public:
    explicit BandSystem(int size) : m_rows(size, std::array<double, 5>{}) {}

    double &at(int row, int column) { return m_rows[row][column - row + 2]; }

    // Solves for two right sides at once; false on a zero pivot.
    bool solve(std::vector<double> &r1, std::vector<double> &r2)
    {
        const int m = int(m_rows.size());
        for (int k = 0; k < m; ++k) {
            const double pivot = at(k, k);
            if (pivot == 0.0 || !qIsFinite(pivot))
                return false;
            for (int r = k + 1; r <= qMin(k + 2, m - 1); ++r) {
                const double f = at(r, k) / pivot;
                for (int c = k; c <= qMin(k + 2, m - 1); ++c)
                    at(r, c) -= f * at(k, c);
                r1[r] -= f * r1[k];
                r2[r] -= f * r2[k];
            }
        }
        for (int k = m - 1; k >= 0; --k) {
            for (int c = k + 1; c <= qMin(k + 2, m - 1); ++c) {
                r1[k] -= at(k, c) * r1[c];
                r2[k] -= at(k, c) * r2[c];
            }
            r1[k] /= at(k, k);
            r2[k] /= at(k, k);
        }
        return true;
    }

private:
    std::vector<std::array<double, 5>> m_rows;
};

double squaredDistanceToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = qBound(0.0, t, 1.0);
    const double ex = px - (ax + t * dx);
    const double ey = py - (ay + t * dy);
    return ex * ex + ey * ey;
}

// Splits the Bézier values p at t = 0.5 into left and right halves.
void splitHalf(const double *p, double *left, double *right)
{
    const double p01 = (p[0] + p[1]) * 0.5;
    const double p12 = (p[1] + p[2]) * 0.5;
    const double p23 = (p[2] + p[3]) * 0.5;
    const double p012 = (p01 + p12) * 0.5;
    const double p123 = (p12 + p23) * 0.5;
    const double mid = (p012 + p123) * 0.5;
    left[0] = p[0]; left[1] = p01; left[2] = p012; left[3] = mid;
    right[0] = mid; right[1] = p123; right[2] = p23; right[3] = p[3];
}

// One spline segment a + b u + c u² + d u³ for u in [0, h].
struct Cubic
{
    double a, b, c, d, h;

    bool isFinite() const { return qIsFinite(a) && qIsFinite(b) && qIsFinite(c) && qIsFinite(d); }

    std::array<double, 4> bezier() const
    {
        return {a, a + b * h / 3.0, a + (c * h + 2.0 * b) * h / 3.0,
                a + h * (b + h * (c + h * d))};
    }
};

// Time steps between the samples; false unless all are positive.
bool timeSteps(const QList<CentrePoint> &s, std::vector<double> &h)
{
    h.resize(s.size() - 1);
    for (size_t i = 0; i < h.size(); ++i) {
        h[i] = s[int(i) + 1].time - s[int(i)].time;
        if (!(h[i] > 0.0))
            return false;
    }
    return true;
}

// One row per inner sample; the right sides for x and y.
void fillSystem(const QList<CentrePoint> &s, const std::vector<double> &h, double p,
                BandSystem &system, std::vector<double> &rx, std::vector<double> &ry)
{
    const int n = int(s.size());
    for (int i = 1; i <= n - 2; ++i) {
        const int row = i - 1;
        const QPointF slope = (s[i + 1].point - s[i].point) / h[i]
                              - (s[i].point - s[i - 1].point) / h[i - 1];
        rx[row] = 3.0 * slope.x();
        ry[row] = 3.0 * slope.y();
        const double sum = 1.0 / h[i - 1] + 1.0 / h[i];
        system.at(row, row) = 2.0 * (h[i - 1] + h[i])
                              + 6.0 * p * (1.0 / (h[i] * h[i]) + 1.0 / (h[i - 1] * h[i - 1]) + sum * sum);
        if (i + 1 <= n - 2) {
            const double next = h[i] - 6.0 * p * (1.0 / h[i + 1] + 2.0 / h[i] + 1.0 / h[i - 1]) / h[i];
            system.at(row, row + 1) = system.at(row + 1, row) = next;
        }
        if (i + 2 <= n - 2)
            system.at(row, row + 2) = system.at(row + 2, row) = 6.0 * p / (h[i] * h[i + 1]);
    }
}

// The segments of one coordinate y, from the solved inner coefficients.
QList<Cubic> segments(const std::vector<double> &y, const std::vector<double> &inner,
                      const std::vector<double> &h, double p)
{
    const int n = int(y.size());
    std::vector<double> c(n, 0.0), a(n);
    std::copy(inner.cbegin(), inner.cend(), c.begin() + 1);
    a[0] = y[0] + 2.0 * p * (c[0] - c[1]) / h[0];
    for (int i = 1; i <= n - 2; ++i)
        a[i] = y[i] - 2.0 * p * (c[i + 1] / h[i] - (1.0 / h[i] + 1.0 / h[i - 1]) * c[i] + c[i - 1] / h[i - 1]);
    a[n - 1] = y[n - 1] - 2.0 * p * (c[n - 2] - c[n - 1]) / h[n - 2];
    QList<Cubic> cubics;
    for (int i = 0; i + 1 < n; ++i) {
        const double b = (a[i + 1] - a[i]) / h[i] - (2.0 * c[i] + c[i + 1]) * h[i] / 3.0;
        const double d = (c[i + 1] - c[i]) / (3.0 * h[i]);
        cubics.append({a[i], b, c[i], d, h[i]});
    }
    return cubics;
}

// Fits x and y; false when the spline cannot be solved.
bool fit(const QList<CentrePoint> &s, double scale, QList<Cubic> &xs, QList<Cubic> &ys)
{
    std::vector<double> h;
    if (!timeSteps(s, h))
        return false;
    const int n = int(s.size());
    const double p = n * scale * scale / 1280.0;
    BandSystem system(n - 2);
    std::vector<double> cx(n - 2), cy(n - 2);
    fillSystem(s, h, p, system, cx, cy);
    if (!system.solve(cx, cy))
        return false;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = s[i].point.x();
        y[i] = s[i].point.y();
    }
    xs = segments(x, cx, h, p);
    ys = segments(y, cy, h, p);
    auto finite = [](const Cubic &k) { return k.isFinite(); };
    return std::all_of(xs.cbegin(), xs.cend(), finite) && std::all_of(ys.cbegin(), ys.cend(), finite);
}

} // namespace

StrokeSmoother::StrokeSmoother(double scale, double flatness)
    : m_scale(scale), m_flatness(flatness)
{
}

void StrokeSmoother::flatten(const double *x, const double *y, double w0, double w1, int depth,
                             QList<CentrePoint> &out) const
{
    const bool flat = squaredDistanceToSegment(x[1], y[1], x[0], y[0], x[3], y[3]) < m_flatness
                      && squaredDistanceToSegment(x[2], y[2], x[0], y[0], x[3], y[3]) < m_flatness;
    if (flat || depth >= MaxDepth) {
        const QPointF end(x[3], y[3]);
        if (out.isEmpty() || out.last().point != end)
            out.append({end, w1, 0.0});
        return;
    }
    double lx[4], rx[4], ly[4], ry[4];
    splitHalf(x, lx, rx);
    splitHalf(y, ly, ry);
    const double mid = (w0 + w1) * 0.5;
    flatten(lx, ly, w0, mid, depth + 1, out);
    flatten(rx, ry, mid, w1, depth + 1, out);
}

QList<CentrePoint> StrokeSmoother::smooth(const QList<CentrePoint> &samples) const
{
    QList<Cubic> xs, ys;
    if (samples.size() < 4 || !fit(samples, m_scale, xs, ys))
        return samples;
    QList<CentrePoint> out;
    for (int i = 0; i < xs.size(); ++i) {
        const std::array<double, 4> bx = xs[i].bezier();
        const std::array<double, 4> by = ys[i].bezier();
        if (i == 0)
            out.append({QPointF(bx[0], by[0]), samples[0].width, 0.0});
        flatten(bx.data(), by.data(), samples[i].width, samples[i + 1].width, 0, out);
    }
    return out;
}
