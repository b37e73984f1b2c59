#include "modes/cursivewordlayout.h"

#include "modes/cursivelayout.h"
#include "pad/glyphmetrics.h"

#include <algorithm>

namespace {

constexpr double OverflowLineFactor = 2.2;

// The switches and text of one walk.
struct Walk
{
    QString pending;
    int line = 0;
    double runStart = 0.0;
    double textStart = 0.0;
    bool startFromWord = false;
    bool recordTextStart = false;
    bool startFromText = false;
};

} // namespace

double wordStartX(const InkRange &ink, int layoutAlignment)
{
    const QRectF r = ink.boundingRect();
    const double edge = layoutAlignment == int(Qt::AlignRight) ? r.right() : r.left();
    return edge - ink.leftmostStrokeOffset();
}

double linePosition(const ResultLayout &layout, int line)
{
    const QList<double> &positions = layout.linePositions;
    if (line < positions.size())
        return positions.at(line);
    const double last = positions.isEmpty() ? 0.0 : positions.constLast();
    return last + (line - positions.size() + 1) * OverflowLineFactor * layout.lineSpacing;
}

QList<QTransform> layoutWordPlacements(const RecognitionResult &model, bool commonLineStart,
                                       int controllerAlignment)
{
    const ResultLayout layout = model.layout();
    const bool rightAligned = layout.alignment == int(Qt::AlignRight);
    const double s = layoutScale(layout);
    const InkRange settled = model.cachedInk(SettledInk);
    const QList<Segment> words = model.root().segmentsOfType(ResultNode::Word);
    const int n = int(words.size());
    const bool forward = controllerAlignment == layout.alignment;

    Walk w;
    w.startFromWord = !commonLineStart;
    w.recordTextStart = commonLineStart;
    w.startFromText = commonLineStart;

    QList<QTransform> placements;
    for (int i = 0; i < n; ++i) {
        const Segment &word = words.at(forward ? i : n - 1 - i);
        const ResultNode c = word.selectedCandidate();
        if (c.isSpace()) {
            if (!w.pending.isEmpty())
                w.pending += c.label();
            placements.append(QTransform());
        } else if (c.isNewLine()) {
            ++w.line;
            (commonLineStart ? w.startFromText : w.startFromWord) = true;
            w.pending.clear();
            placements.append(QTransform());
        } else if (!settled.contains(word.ink())) {
            if (w.recordTextStart)
                w.textStart = wordStartX(word.ink(), layout.alignment);
            w.startFromWord = true;
            w.recordTextStart = w.startFromText = false;
            w.pending.clear();
            placements.append(QTransform());
        } else {
            const QRectF p = measureText(w.pending);
            w.pending += c.label();
            const double start = wordStartX(word.ink(), layout.alignment);
            if (w.startFromWord)
                w.runStart = start;
            if (w.recordTextStart)
                w.textStart = start;
            if (w.startFromText)
                w.runStart = w.textStart;
            w.startFromWord = w.recordTextStart = w.startFromText = false;
            const QRectF q = measureText(c.label());
            const double dx = rightAligned ? w.runStart - (p.right() + q.width()) * s
                                           : w.runStart + p.right() * s;
            placements.append(QTransform(s, 0, 0, s, dx, linePosition(layout, w.line)));
        }
    }
    if (!forward)
        std::reverse(placements.begin(), placements.end());
    return placements;
}
