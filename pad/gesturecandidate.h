#pragma once

#include "model/inkrangeinfo.h"
#include "model/strokestamp.h"

#include <array>

// The kinds of edit an oracle can answer, in the order of the candidate
// scores; None and KeyGesture follow them.
enum class EditKind { EraseA = 0, EraseB = 1, Insert = 2, Overwrite = 3, Update = 4, None = 6,
                      KeyGesture = 7 };

// One piece of ink measured against a gesture stroke (or the gesture stroke
// itself): its description, its features and its five edit scores.
struct GestureCandidate
{
    static constexpr int ScoreCount = 5;

    explicit GestureCandidate(const InkRangeInfo &info);

    InkRangeInfo info;
    float sizePerPoint = 0;
    float bandCover = 0;
    float spanCover = 0;
    float heightCover = 0;
    float gapCover = 0;
    float boxOverlap = 0;
    float pointRatio = 0;
    float densityRatio = 0;
    int crossings = 0;
    std::array<float, ScoreCount> scores{};

    float score(EditKind kind) const { return scores[size_t(kind)]; }
    void setScore(EditKind kind, float value) { scores[size_t(kind)] = value; }
    void clearScores() { scores.fill(0.0f); }

    // The stamp of the first stroke of the ink; a null stamp for no ink.
    StrokeStamp firstStamp() const;
    // The ink's path, one subpath per interval.
    QPainterPath path() const;

    // The band, span, height and box features and the point and density
    // ratios against the gesture, then the crossings when strict.
    void measure(const GestureCandidate &gesture, bool strict);
    // The crossings between this ink's shape and the gesture's path.
    int countCrossingsWith(const GestureCandidate &gesture) const;
};

// The gap feature of two neighbours: the part of the gap band between them
// that the gesture covers vertically, stored in both.
void measureGap(GestureCandidate &left, GestureCandidate &right,
                const GestureCandidate &gesture);
