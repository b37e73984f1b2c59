#include "pad/glyphmetrics.h"

#include "model/charclasses.h"
#include "model/segment.h"
#include "pad/referencefont.h"

#include <QCache>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegularExpression>
#include <QTransform>

#include <algorithm>

namespace {

constexpr int CacheCapacity = 100;
constexpr qreal SeparatorSpaces = 1.95;

QCache<QString, QList<QRectF>> &outlineCache()
{
    static QCache<QString, QList<QRectF>> cache(CacheCapacity);
    return cache;
}

QCache<QString, QRectF> &textRectCache()
{
    static QCache<QString, QRectF> cache(CacheCapacity);
    return cache;
}

QPainterPath textPath(const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, referenceFont(), text);
    return path;
}

bool isPunctuationOrSymbol(QChar c)
{
    return isCharOfClass(c, LatinSymbolClass) || isCharOfClass(c, CjkPunctuationClass)
           || isCharOfClass(c, ArabicPunctuationClass);
}

QRectF withRightEdge(QRectF box, qreal right)
{
    box.moveRight(right);
    return box;
}

// A character's box on its own, its right edge at the given advances.
QRectF isolatedBox(QChar c, qreal tightRight, qreal advance, const QFontMetricsF &metrics)
{
    if (isPunctuationOrSymbol(c))
        return withRightEdge(textPath(QString(c)).controlPointRect(), tightRight);
    return withRightEdge(metrics.tightBoundingRect(QString(c)), advance);
}

QList<QRectF> leftToRightOutline(const QString &text, const QFontMetricsF &metrics)
{
    QList<QRectF> boxes;
    for (int i = 0; i < text.size(); ++i) {
        const QString prefix = text.left(i + 1);
        boxes.append(isolatedBox(text.at(i), metrics.tightBoundingRect(prefix).right(),
                                 metrics.horizontalAdvance(prefix), metrics));
    }
    return boxes;
}

// The tail of a right-to-left text from letter i on starts at the left end of the whole
// word, so the letter is what the tail draws beyond the tail after it, in place.
QList<QRectF> rightToLeftOutline(const QString &text, const QFontMetricsF &metrics)
{
    QList<QRectF> boxes;
    for (int i = 0; i < text.size(); ++i) {
        const QString piece = arabicJoinedText(text.mid(i), 2, text.left(i), QString());
        const QString rest = arabicJoinedText(text.mid(i + 1), 2, text.left(i + 1), QString());
        const QPainterPath letter = textPath(piece).subtracted(textPath(rest));
        QRectF box;
        if (!letter.isEmpty()) {
            box = letter.controlPointRect();
        } else {
            const qreal right = metrics.horizontalAdvance(piece);
            box = isolatedBox(text.at(i), right, right, metrics);
        }
        boxes.prepend(box);
    }
    return boxes;
}

bool isRightToLeft(const QString &text)
{
    return !text.isEmpty() && isCharOfClass(text.front(), ArabicClass);
}

QString selectedLabel(const Segment &segment)
{
    return segment.selectedCandidate().label();
}

// Joined Arabic letters inside a word touch their neighbours: their bearing is no gap.
bool countsBearing(const QString &label, int i)
{
    if (!isCharOfClass(label.at(i), ArabicClass))
        return true;
    return i == 0 || i == label.size() - 1;
}

// The left of the character's glyph box when it begins a text, so that the bearing of a
// word's first character is where measureText puts the word's left edge; 0 when negative.
qreal leftBearing(QChar c)
{
    return std::max<qreal>(0.0, glyphOutline(QString(c)).value(0).left());
}

} // namespace

QList<QRectF> glyphOutline(const QString &text)
{
    if (const QList<QRectF> *cached = outlineCache().object(text))
        return *cached;
    const QFontMetricsF metrics(referenceFont());
    auto *boxes = new QList<QRectF>(isRightToLeft(text) ? rightToLeftOutline(text, metrics)
                                                : leftToRightOutline(text, metrics));
    const QList<QRectF> result = *boxes;
    outlineCache().insert(text, boxes, 1);
    return result;
}

QRectF measureText(const QString &text)
{
    if (text.isEmpty())
        return QRectF();
    if (const QRectF *cached = textRectCache().object(text))
        return *cached;
    static const QRegularExpression separators(QStringLiteral("[ \u3000]"));
    const QStringList words = text.split(separators, Qt::KeepEmptyParts);
    QRectF rect;
    for (const QString &word : words) {
        if (word.isEmpty())
            continue;
        QRectF wordRect;
        for (const QRectF &box : glyphOutline(word))
            wordRect = wordRect.united(box);
        rect = rect.united(wordRect.translated(rect.right(), 0));
    }
    const qreal space = QFontMetricsF(referenceFont()).horizontalAdvance(QStringLiteral(" "));
    rect.setWidth(rect.width() + (words.size() - 1) * SeparatorSpaces * space);
    textRectCache().insert(text, new QRectF(rect), 1);
    return rect;
}

QList<QRectF> glyphBoxes(const Segment &segment, const QTransform &transform)
{
    QList<QRectF> boxes;
    for (const QRectF &box : glyphOutline(selectedLabel(segment)))
        boxes.append(transform.map(QPolygonF(box)).boundingRect());
    return boxes;
}

QList<qreal> glyphCells(const Segment &segment, const QTransform &transform)
{
    const QString label = selectedLabel(segment);
    const QList<QRectF> boxes = glyphOutline(label);
    const bool rightToLeft = isRightToLeft(label);
    QList<qreal> cells;
    for (int j = 0; j < boxes.size(); ++j) {
        const int i = rightToLeft ? label.size() - 1 - j : j;
        const qreal extent = countsBearing(label, i) ? leftBearing(label.at(i)) : 0.0;
        cells.append(QLineF(transform.map(QPointF(0, 0)), transform.map(QPointF(extent, 0)))
                         .length());
    }
    return cells;
}

void clearGlyphCaches()
{
    outlineCache().clear();
    textRectCache().clear();
}

bool isGlyphOutlineCached(const QString &text)
{
    return outlineCache().contains(text);
}

bool isTextRectCached(const QString &text)
{
    return textRectCache().contains(text);
}

int glyphOutlineCacheCount()
{
    return outlineCache().count();
}

int textRectCacheCount()
{
    return textRectCache().count();
}
