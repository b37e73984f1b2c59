#include "tessel/matcher.h"

#include "tessel/canvas.h"
#include "tessel/strokerecord.h"
#include "tessel/templatelibrary.h"
#include "tessel/weights.h"
#include "tessel/words.h"

#include <cfloat>

namespace tessel {

namespace {

constexpr int kRounds = 4;
// Template and ink strokes alike hold this many points.
constexpr int kPoints = StrokeRecord::kPoints;

// The entry's advance from x = 0, shaded over the height of its ink.
void fillBox(Canvas &canvas, double width, const Box &box)
{
    const Point topLeft = canvas.toDevice(0, box.minY);
    const Point bottomRight = canvas.toDevice(width, box.maxY);
    canvas.setColor(255, 160, 160);
    canvas.fillMoveTo(topLeft.x, topLeft.y);
    canvas.fillLineTo(bottomRight.x, topLeft.y);
    canvas.fillLineTo(bottomRight.x, bottomRight.y);
    canvas.fillLineTo(topLeft.x, bottomRight.y);
    canvas.fill();
}

}

// Least-squares sums of point pairs (A from the template side, B from the ink).
struct Matcher::Sums
{
    double n = 0, ax = 0, ay = 0, bx = 0, by = 0, axx = 0, ayy = 0, axbx = 0, ayby = 0;

    void add(const Point &a, const Point &b)
    {
        n += 1;
        ax += a.x;
        ay += a.y;
        bx += b.x;
        by += b.y;
        axx += a.x * a.x;
        ayy += a.y * a.y;
        axbx += a.x * b.x;
        ayby += a.y * b.y;
    }

    // Scale and translation without rotation; false when no positive scale fits.
    bool fit(double &s, double &tx, double &ty) const
    {
        const double denominator = n * (axx + ayy) - ax * ax - ay * ay;
        if (n == 0 || denominator == 0)
            return false;
        const double scale = (n * (axbx + ayby) - bx * ax - by * ay) / denominator;
        if (!(scale > 0))
            return false;
        s = scale;
        tx = (bx - scale * ax) / n;
        ty = (by - scale * ay) / n;
        return true;
    }
};

Matcher::Matcher(const char *description)
    : m_table(size_t(kPoints * kPoints))
{
    const std::vector<ShapeTemplate> &library = templateLibrary();
    for (const std::string &word : splitWords(description))
        for (size_t i = 0; i < library.size(); ++i)
            if (library[i].name == word)
                m_selection.push_back(int(i));
}

void Matcher::matchTemplates(int maxMatches)
{
    m_matches.clear();
    const int m = int(m_ink.size());
    const std::vector<ShapeTemplate> &library = templateLibrary();
    for (int index : m_selection) {
        const ShapeTemplate &shape = library[size_t(index)];
        if (shape.ink.strokeCount() != m)
            continue;
        TemplateMatch match{index, 0.0, 1.0, 0.0, 0.0};
        double d = scoreTemplate(shape.ink, match.scale, match.tx, match.ty, false);
        if (m == 2 && shape.allowReversed) {
            TemplateMatch reversed = match;
            const double d2 = scoreTemplate(shape.ink, reversed.scale, reversed.tx, reversed.ty, true);
            if (d > d2) {
                d = d2;
                match = reversed;
            }
        }
        if (d < DBL_MAX) {
            match.cost = d * shape.weight;
            insertMatch(match, maxMatches);
        }
    }
    for (TemplateMatch &match : m_matches)
        match.cost /= double(kPoints * m);
}

// Before the first entry of equal or higher cost, so the latest of equals comes first.
void Matcher::insertMatch(const TemplateMatch &match, int maxMatches)
{
    auto it = m_matches.begin();
    while (it != m_matches.end() && it->cost < match.cost)
        ++it;
    m_matches.insert(it, match);
    if (int(m_matches.size()) > maxMatches)
        m_matches.pop_back();
}

double Matcher::scoreTemplate(const Ink &templateInk, double &scale, double &tx, double &ty, bool reversed)
{
    const int m = int(m_ink.size());
    const auto inkStroke = [&](int i) -> const Stroke & { return *m_ink[size_t(reversed ? m - 1 - i : i)]; };
    Sums sums;
    double inkLength = 0.0;
    for (int i = 0; i < m; ++i) {
        const Stroke &shape = templateInk.stroke(i);
        const Stroke &ink = inkStroke(i);
        for (int k = 0; k < kPoints; ++k)
            sums.add(shape.point(k), ink.point(k));
        inkLength += ink.length();
    }
    if (!sums.fit(scale, tx, ty))
        return DBL_MAX;
    const double gap = sq(2.0 * inkLength / (kPoints * m));
    double best = DBL_MAX;
    for (int round = 0; round < kRounds; ++round) {
        Sums path;
        double total = 0.0;
        for (int i = 0; i < m; ++i)
            total += alignStroke(templateInk.stroke(i), inkStroke(i), scale, tx, ty, gap, path);
        if (!(total < best))
            return best;
        best = total;
        double s2, tx2, ty2;
        if (!path.fit(s2, tx2, ty2))
            return best;
        scale *= s2;
        tx = s2 * tx + tx2;
        ty = s2 * ty + ty2;
    }
    return best;
}

// Dynamic time warping of the transformed template stroke against an ink stroke;
// the pairs on the cheapest path join the sums, and its cost is returned.
double Matcher::alignStroke(const Stroke &shape, const Stroke &ink, double scale, double tx, double ty,
                            double gap, Sums &sums)
{
    Point transformed[kPoints];
    for (int a = 0; a < kPoints; ++a)
        transformed[a] = {scale * shape.point(a).x + tx, scale * shape.point(a).y + ty};
    const auto distance = [&](int a, int b) {
        return sq(transformed[a].x - ink.point(b).x) + sq(transformed[a].y - ink.point(b).y);
    };
    for (int a = 0; a < kPoints; ++a) {
        for (int b = 0; b < kPoints; ++b) {
            Cell &cell = m_table[size_t(a * kPoints + b)];
            const double d = distance(a, b);
            if (a == 0 && b == 0) {
                cell = {d, 0};
            } else if (a == 0) {
                cell = {m_table[size_t(b - 1)].cost + gap + d, -1};
            } else if (b == 0) {
                cell = {m_table[size_t((a - 1) * kPoints)].cost + gap + d, -kPoints};
            } else {
                Cell bestCell{m_table[size_t((a - 1) * kPoints + b - 1)].cost, -kPoints - 1};
                const double up = m_table[size_t((a - 1) * kPoints + b)].cost + gap;
                if (up < bestCell.cost)
                    bestCell = {up, -kPoints};
                const double left = m_table[size_t(a * kPoints + b - 1)].cost + gap;
                if (left < bestCell.cost)
                    bestCell = {left, -1};
                cell = {d + bestCell.cost, bestCell.step};
            }
        }
    }
    double total = 0.0;
    for (int index = kPoints * kPoints - 1; index >= 0; index += m_table[size_t(index)].step) {
        const int a = index / kPoints;
        const int b = index % kPoints;
        total += distance(a, b);
        sums.add(transformed[a], ink.point(b));
        if (index == 0)
            break;
    }
    return total;
}

void Matcher::draw(Canvas &canvas)
{
    constexpr double gap = 0.25;
    const std::vector<ShapeTemplate> &library = templateLibrary();
    double width = 0.0;
    for (const ShapeTemplate &shape : library)
        width += shape.width;
    if (!library.empty())
        width += gap * double(library.size() - 1);
    canvas.fitView(0, -3, width, 2, 8);
    const double scale = canvas.scale();
    const double dx = canvas.offsetX();
    const double dy = canvas.offsetY();

    canvas.setColor(100, 200, 100);
    canvas.setLineWidth(1);
    for (double y : {-1.0, 0.0}) {
        canvas.moveTo(0, y);
        canvas.lineTo(width, y);
        canvas.strokePath();
    }

    double offset = 0.0;
    for (const ShapeTemplate &shape : library) {
        canvas.setTransform(scale, dx + offset, dy);
        if (shape.box.minY <= shape.box.maxY)
            fillBox(canvas, shape.width, shape.box);
        canvas.setColor(0, 0, 0);
        canvas.setLineWidth(2);
        shape.ink.draw(canvas);
        offset += scale * (shape.width + gap);
    }
    canvas.setTransform(scale, dx, dy);
}

}
