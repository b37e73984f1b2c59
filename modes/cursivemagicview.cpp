#include "modes/cursivemagicview.h"

#include "model/charclasses.h"
#include "modes/cursivelayout.h"

namespace {

constexpr double Margin = 10.0;
constexpr double SplitDistance = 0.5;
constexpr double JoinDistance = 1.0 / 6;

bool isWideScript(const QString &label)
{
    return !label.isEmpty() && (isCharOfClass(label.at(0), 0) || isCharOfClass(label.at(0), 1));
}

QRectF wordBox(const QRectF &ink, const QList<QRectF> &lineParts)
{
    QRectF w = ink;
    for (const QRectF &line : lineParts) {
        if (!line.contains(w))
            continue;
        w.setTop(line.top() - Margin);
        w.setBottom(line.bottom() + Margin);
        w.adjust(-Margin, 0, Margin, 0);
    }
    return w;
}

// Splits two close CJK boxes at the middle; false when they are not split.
bool split(QRectF &c, QRectF &n, const QString &a, const QString &b, bool rightAligned)
{
    const double d = c.height() * SplitDistance;
    if (!isWideScript(a) || !isWideScript(b))
        return false;
    if (!rightAligned && n.left() < c.right() + d) {
        const double m = (c.right() + n.left()) / 2;
        c.setRight(m);
        n.setLeft(m);
        return true;
    }
    if (rightAligned && c.left() - d < n.right()) {
        const double m = (n.right() + c.left()) / 2;
        c.setLeft(m);
        n.setRight(m);
        return true;
    }
    return false;
}

bool joins(const QRectF &c, const QRectF &n, bool rightAligned)
{
    const double d = c.height() * JoinDistance;
    return rightAligned ? n.right() > c.left() - d : c.right() + d > n.left();
}

} // namespace

MagicWordBoxes buildMagicWordBoxes(const RecognitionResult &model, int alignment)
{
    const InkRange typeset = model.cachedInk(TypesetInk);
    QList<QRectF> lineParts;
    for (const InkRange &line : inkRangesPerLine(model.root()))
        lineParts.append(line.intersected(typeset).boundingRect());

    MagicWordBoxes out;
    for (const Segment &word : model.root().segmentsOfType(ResultNode::Word)) {
        const QRectF ink = word.ink().boundingRect();
        if (ink.width() <= 0 || ink.height() <= 0)
            continue;
        out.boxes.append(wordBox(ink, lineParts));
        out.labels.append(word.selectedCandidate().label());
    }

    const bool rightAligned = alignment == int(Qt::AlignRight);
    for (int i = 0; i + 1 < out.boxes.size(); ++i) {
        QRectF &c = out.boxes[i];
        QRectF &n = out.boxes[i + 1];
        if (c.top() != n.top())
            continue;
        if (split(c, n, out.labels.at(i), out.labels.at(i + 1), rightAligned))
            continue;
        if (joins(c, n, rightAligned)) {
            n = c.united(n);
            c = QRectF(0, 0, 0, 0);
            out.labels[i + 1] = out.labels.at(i) + out.labels.at(i + 1);
            out.labels[i].clear();
        }
    }
    out.boxes.append(QRectF(0, 0, 0, 0));
    out.labels.append(QString());
    return out;
}
