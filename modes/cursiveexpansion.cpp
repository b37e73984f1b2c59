#include "modes/cursiveexpansion.h"

namespace {

constexpr double LinePitch = 2.2;
constexpr double MinHeight = 200;
constexpr double MaxHeight = 600;
constexpr double NextWordHeights = 3;
constexpr double NextWordExtra = 250;
constexpr double LinesBelow = 1.5;
constexpr double ListMargin = 250;
constexpr int AreaTop = 40;
constexpr int AreaBottom = 14;

} // namespace

RecognitionResult spaceLayoutLines(const RecognitionResult &result)
{
    RecognitionResult out = result;
    QList<double> &lines = out.layout().linePositions;
    const double pitch = LinePitch * out.layout().lineSpacing;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines.at(i) - lines.at(i - 1) < pitch)
            lines[i] = lines.at(i - 1) + pitch;
    }
    return out;
}

int expansionWordPlaces(QLocale::Language language)
{
    return language == QLocale::Chinese || language == QLocale::Korean ? 3 : 8;
}

std::optional<QPointF> expansionFractions(const ExpansionRequest &r)
{
    const double h = qBound(MinHeight, r.referenceHeight, MaxHeight);
    const double nextWord = NextWordHeights * h + NextWordExtra;
    const double reserve = h * r.places;
    const bool leftwards = r.alignment == int(Qt::AlignRight);
    const bool grow = leftwards ? r.position - nextWord < r.visible.left()
                                : r.position + nextWord > r.visible.right();
    if (!grow || r.visible.width() <= 0)
        return std::nullopt;

    const double fx = reserve / r.visible.width();
    const bool screenRoom = leftwards ? r.position - reserve > r.screenEdgeX
                                      : r.position + reserve < r.screenEdgeX;
    double fy = 0.0;
    const double bottom = r.written.bottom() + LinesBelow * r.lineHeight;
    if (!screenRoom && bottom > r.visible.bottom() && r.visible.height() > 0)
        fy = (bottom - r.visible.bottom()) / r.visible.height();
    return QPointF(fx, fy);
}

std::optional<QPointF> candidateListGrowth(const QRectF &list, const QRectF &visible, int alignment)
{
    QRectF r = list;
    if (r.top() < 0)
        r.setTop(0);
    r.adjust(-ListMargin, 0, ListMargin, 0);
    if (visible.contains(r) || visible.width() <= 0 || visible.height() <= 0)
        return std::nullopt;
    const QRectF u = visible.united(r);
    const double dx = alignment == int(Qt::AlignRight) ? visible.left() - u.left()
                                                       : u.right() - visible.right();
    const double dy = u.height() - visible.height();
    if (dx == 0 && dy == 0)
        return std::nullopt;
    return QPointF(dx / visible.width(), dy / visible.height());
}

double wordsOverflowFraction(const QList<QRectF> &globalWords, const QRect &panel)
{
    const QRectF area = QRectF(panel).adjusted(0, AreaTop, 0, -AreaBottom);
    double overflow = 0;
    for (const QRectF &w : globalWords)
        overflow = qMax(overflow, w.bottom() - area.bottom());
    return overflow > 0 && area.height() > 0 ? overflow / area.height() : 0.0;
}
