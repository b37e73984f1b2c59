#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class QTransform;
class Segment;

// Text geometry in the reference font, served from two process-wide caches of at most
// 100 texts each (least recently used dropped first). GUI thread only.

// One box per character, in display order: left to right, or for a text that starts with
// an Arabic letter right to left, each letter measured in its joined shape.
QList<QRectF> glyphOutline(const QString &text);

// The united glyph boxes of the words of a text (split on spaces and U+3000), each word
// after the previous one and every separator 1.95 spaces wide; empty for "".
QRectF measureText(const QString &text);

// The glyph boxes of the segment's selected label mapped through the transform.
QList<QRectF> glyphBoxes(const Segment &segment, const QTransform &transform);

// One scene length per glyph box of the segment's selected label, in the same order: the
// character's left bearing, the distance from the pen position to the left of its glyph,
// mapped through the transform. Box strokes carry it, so that a word of box ink can be
// placed back where its label begins (InkRange::leftmostStrokeOffset).
QList<qreal> glyphCells(const Segment &segment, const QTransform &transform);

void clearGlyphCaches();

// Cache occupancy, for diagnostics.
bool isGlyphOutlineCached(const QString &text);
bool isTextRectCached(const QString &text);
int glyphOutlineCacheCount();
int textRectCacheCount();
