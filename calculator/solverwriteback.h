#pragma once

#include "calculator/exptreenode.h"
#include "calculator/writebackcontext.h"

// The segment tree of a solved expression: the user's own symbol segments
// for what was written, new one-candidate symbol segments on one-point
// typed strokes for what the solver added.
Segment writeSolvedTree(const ExpTree::Node *node, WriteBackContext &context);

// A row of the node's children with a sign between each pair.
Segment writeOperator(const ExpTree::Node *node, WriteBackContext &context, const QString &symbol,
                      int type);

// The segment of the next sign of a node: the user's symbol found through
// the node's positions from cursor on, or a new symbol for an added node.
Segment writeSign(const ExpTree::Node *node, WriteBackContext &context, const QString &symbol,
                  int &cursor);

// A new symbol segment on a stroke of its own; its ink joins accumulator.
Segment makeSymbolSegment(const QString &text, InkRange &accumulator);

// The first symbol whose ink meets the stroke at position; an empty segment
// when none does or the position is out of range.
Segment symbolOfStroke(int position, const QList<Segment> &symbols, const QList<Stroke> &strokes);
