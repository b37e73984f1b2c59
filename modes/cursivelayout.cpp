#include "modes/cursivelayout.h"

#include "pad/glyphmetrics.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

bool isWrittenWord(const Segment &word)
{
    const ResultNode c = word.selectedCandidate();
    return !word.ink().isEmpty() && !c.isSpace() && !c.isNewLine();
}

// Width of the handwriting over the width of its label; 0 without width.
double widthRatio(const QString &label, const QRectF &ink)
{
    const double w = measureText(label).width();
    return w > 0 ? ink.width() / w : 0.0;
}

double nearestPosition(const QList<double> &positions, double y, double candidate, double range)
{
    double best = std::numeric_limits<double>::max();
    double found = candidate;
    for (double p : positions) {
        const double d = std::abs(p - y);
        if (d < best) {
            best = d;
            found = p;
        }
    }
    return best < range ? found : candidate;
}

bool facing(const QRectF &a, const QRectF &b, int direction)
{
    return direction == 2 ? b.right() <= a.left() : a.right() <= b.left();
}

double gapCentre(const QRectF &a, const QRectF &b, int direction)
{
    return direction == 2 ? (a.left() + b.right()) / 2 : (a.right() + b.left()) / 2;
}

double gapWidth(const QRectF &a, const QRectF &b, int direction)
{
    return direction == 2 ? a.left() - b.right() : b.left() - a.right();
}

} // namespace

ReferenceChar referenceCharFor(int alignment)
{
    return alignment == Qt::AlignLeft ? ReferenceChar::LatinX : ReferenceChar::ArabicDal;
}

double layoutScale(const ResultLayout &layout)
{
    return layout.lineSpacing / referenceCharHeight(referenceCharFor(layout.alignment));
}

double typesetLineHeight(const ResultLayout &layout)
{
    return layoutScale(layout) * referenceLineSpacing();
}

// The class is meant literally: a hyphen between the quote and the low line
// is a hyphen, not a range that would take in digits and capitals.
bool isPunctuationText(const QString &text)
{
    static const QRegularExpression punctuation(
        QRegularExpression::anchoredPattern(QStringLiteral("[.,'\"\\-_~^`]+")));
    return punctuation.match(text.simplified()).hasMatch();
}

double fitScale(const QString &text, const QRectF &box, bool *punctuation)
{
    const QString simple = text.simplified();
    if (punctuation)
        *punctuation = isPunctuationText(simple);
    const double w = measureText(simple).width();
    return w == 0 ? 0.0 : box.width() / w;
}

double measureWritingScale(const RecognitionResult &result)
{
    const double current = layoutScale(result.layout());
    double sum = 0;
    int count = 0;
    for (const Segment &word : result.root().segmentsOfType(ResultNode::Word)) {
        if (!isWrittenWord(word))
            continue;
        const QString label = word.selectedCandidate().label();
        if (isPunctuationText(label))
            continue;
        sum += widthRatio(label, word.ink().boundingRect());
        ++count;
    }
    const double m = count > 0 ? qMin(sum / count, current) : current;
    return qMax(m, 1.0);
}

ResultLayout updateLayoutMetrics(const RecognitionResult &result, const ResultLayout &previous)
{
    ResultLayout layout;
    const ResultLayout &source = previous.alignment == int(Qt::AlignCenter) ? result.layout()
                                                                              : previous;
    layout.alignment = source.alignment;
    layout.flags = source.flags;

    layout.lineSpacing = previous.lineSpacing;
    if (result.cachedInk(SettledInk).isEmpty()) {
        int framed = 0, written = 0;
        for (const Segment &word : result.root().segmentsOfType(ResultNode::Word)) {
            const int n = word.selectedCandidate().label().size();
            if (!word.ink().isEmpty() && word.ink().isAllOfKind(Stroke::Box))
                framed += n;
            else
                written += n;
        }
        // Words without characters keep the previous height.
        if (written + framed > 0) {
            const double s = measureWritingScale(result);
            const double h = referenceCharHeight(referenceCharFor(layout.alignment));
            layout.lineSpacing = (written * s * h + framed * previous.lineSpacing) / (written + framed);
        }
    }

    const InkRange typeset = result.cachedInk(TypesetInk);
    for (const InkRange &line : inkRangesPerLine(result.root())) {
        const QRectF box = line.boundingRect();
        const QList<double> &existing = line.intersects(typeset) ? previous.linePositions
                                                                 : result.layout().linePositions;
        layout.linePositions.append(
            nearestPosition(existing, line.centroid().y(), box.bottom(), box.height()));
    }
    return layout;
}

QTransform wordTransform(const Segment &word, const ResultLayout &layout, int line)
{
    const double w = measureText(word.selectedCandidate().label()).width();
    const QRectF ink = word.ink().boundingRect();
    const double sx = w > 0 ? ink.width() / w : 0.0;
    const double sy = layoutScale(layout);
    const double x = ink.left() - word.ink().leftmostStrokeOffset();
    const double y = line >= 0 && line < layout.linePositions.size() ? layout.linePositions.at(line)
                                                                      : 0.0;
    return QTransform(sx, 0, 0, sy, x, y);
}

QList<QRectF> insertionMarkRects(const QList<QRectF> &boxes, int direction)
{
    QList<QRectF> marks;
    for (int i = 0; i + 1 < boxes.size(); ++i) {
        const QRectF &a = boxes.at(i), &b = boxes.at(i + 1);
        if (a.top() != b.top() || !facing(a, b, direction))
            continue;
        const double h = a.height();
        const double top = gapWidth(a, b, direction) > h / 6 ? a.top() : a.top() - h / 8;
        marks.append(QRectF(gapCentre(a, b, direction) - h / 6, top, h / 3, h / 2));
    }
    return marks;
}

QList<QRectF> joinMarkRects(const QList<QRectF> &boxes, int direction)
{
    QList<QRectF> marks;
    for (int i = 0; i + 1 < boxes.size(); ++i) {
        const QRectF &a = boxes.at(i), &b = boxes.at(i + 1);
        const double h = a.height();
        if (a.top() != b.top() || gapWidth(a, b, direction) <= h / 6)
            continue;
        marks.append(QRectF(gapCentre(a, b, direction) - h / 6, a.top() + h / 2, h / 3, h / 2));
    }
    return marks;
}
