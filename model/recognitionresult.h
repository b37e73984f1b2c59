#pragma once

#include "model/resultlayout.h"
#include "model/segment.h"

#include <QPair>
#include <QTransform>

// Ink tagged by a type chosen by the pad controllers.
using TypedInk = QPair<int, InkRange>;

// A recognised result: the segment tree, the transform that places it,
// the ink per type (clipped to the tree's ink, no empty entry) and the
// layout record. A plain value of shared members.
class RecognitionResult
{
public:
    const Segment &root() const { return m_root; }
    void setRoot(const Segment &root) { m_root = root; }
    const QTransform &transform() const { return m_transform; }
    void setTransform(const QTransform &transform) { m_transform = transform; }
    const ResultLayout &layout() const { return m_layout; }
    ResultLayout &layout() { return m_layout; }

    QList<TypedInk> inkTypes() const { return m_inkTypes; }
    InkRange cachedInk(int type) const;
    void storeInkOfType(int type, const InkRange &ink);
    RecognitionResult withInkOfType(int type, const InkRange &ink, bool unite) const;

    // Carry the ink of a tag from source, segment by segment of the given
    // type in tree order.
    void rebuildInkOfType(int tag, const RecognitionResult &source, int segmentType);
    void rebuildInkCacheFrom(const RecognitionResult &source, int segmentType);

    bool operator==(const RecognitionResult &other) const;
    bool operator!=(const RecognitionResult &other) const { return !(*this == other); }

private:
    Segment m_root;
    QTransform m_transform;
    QList<TypedInk> m_inkTypes;
    ResultLayout m_layout;
};

// Lines of a result end at children of the root's selected candidate that
// are new lines; empty lines count for nothing.
int nonEmptyLineCount(const Segment &root);
QList<InkRange> inkRangesPerLine(const Segment &root);

Q_DECLARE_METATYPE(RecognitionResult)
