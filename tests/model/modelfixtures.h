#pragma once

#include "model/recognitionresult.h"

#include <QPainterPath>

// Builders and readers shared by the model tests.
namespace ModelFixtures {

QPainterPath polyline(const QList<QPointF> &points);
QList<QPointF> pointsOf(const QPainterPath &path);
Stroke penThrough(const QList<QPointF> &points);
// A pen stroke from (x, y) with points one unit apart, every odd point rise
// lower: a straight line for rise 0; never without a point.
Stroke zigzag(double x, int points, double rise = 0, double y = 0);

StrokeRange piece(const Stroke &s, const IntervalList &intervals);
InkRange inkOf(const QList<StrokeRange> &pieces);
// The whole of every stroke.
InkRange inkOf(const QList<Stroke> &strokes);
// The points first .. last of one stroke.
InkRange inkOf(const Stroke &s, int first, int last);

ResultNode node(const QString &label, const QList<Segment> &children = {});
ResultNode node(const QString &label, int type, int wordFlag = 0);
Segment segmentOf(const QList<ResultNode> &candidates, int selected, const InkRange &ink = {});
// A segment of one selected candidate.
Segment leaf(const QString &label, const InkRange &ink = {}, int wordFlag = 0);
// A segment of one selected candidate over the children, with their ink.
Segment branch(const QList<Segment> &children, int wordFlag = 0);
// A text result whose root holds the words.
RecognitionResult resultOfWords(const QList<Segment> &words);

// Every stroke range of the tree, all candidates included, parents first.
QList<StrokeRange> allStrokeRanges(const Segment &s);
QList<Stroke> allStrokes(const Segment &s);

// Everything a value holds, read through its accessors, for comparisons.
QString dumpInk(const InkRange &ink);
QString dumpSegment(const Segment &s);
QString dump(const RecognitionResult &r);

} // namespace ModelFixtures
