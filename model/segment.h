#pragma once

#include "model/inkrange.h"
#include "model/resultnode.h"

#include <QExplicitlySharedDataPointer>

class SegmentPrivate;

// A node of a recognition result tree: the ink it covers, its candidates
// (best first) and the selected one. Implicitly shared.
class Segment
{
public:
    // Filters of nthSegmentMatching.
    enum WordFilter { AllWords = 0, NoSpaces = 1, NoTyped = 2, OnlySpaces = 3 };

    Segment();
    Segment(const Segment &other);
    Segment &operator=(const Segment &other);
    ~Segment();

    InkRange ink() const;
    void setInk(const InkRange &ink);
    void addStrokeRange(const StrokeRange &piece);
    void addInk(const InkRange &ink);

    QList<ResultNode> candidates() const;
    void appendCandidate(const ResultNode &candidate);
    int selectedIndex() const;
    ResultNode selectedCandidate() const;
    bool setSelectedCandidate(int index);
    bool selectLastCandidate();

    // The segments of that type in tree order, not searched below a match.
    QList<Segment> segmentsOfType(int type) const;
    // A word of a lines-of-words tree by position; a negative index means
    // the last word. countOut gets the words before it that pass countFilter.
    Segment nthSegmentMatching(int index, WordFilter matchFilter, int *countOut,
                               WordFilter countFilter) const;
    // The segment with ink spread over the children of every candidate.
    Segment rebuiltWithInk(const InkRange &ink) const;

    // Equal ink and candidates; the selected index takes no part.
    bool operator==(const Segment &other) const;
    bool operator!=(const Segment &other) const { return !(*this == other); }

private:
    QExplicitlySharedDataPointer<SegmentPrivate> d;
};

// Divides a piece list at a location into the ink of two segments (each
// optional); false when no piece holds the location.
bool splitInkAt(const InkLocation &loc, Segment *before, Segment *after,
                const QList<StrokeRange> &pieces);

Q_DECLARE_METATYPE(Segment)
