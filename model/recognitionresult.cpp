#include "model/recognitionresult.h"

InkRange RecognitionResult::cachedInk(int type) const
{
    for (const TypedInk &entry : m_inkTypes) {
        if (entry.first == type)
            return entry.second;
    }
    return InkRange();
}

void RecognitionResult::storeInkOfType(int type, const InkRange &ink)
{
    const InkRange clipped = ink.intersected(m_root.ink());
    for (int i = 0; i < m_inkTypes.size(); ++i) {
        if (m_inkTypes[i].first != type)
            continue;
        if (clipped.isEmpty())
            m_inkTypes.removeAt(i);
        else
            m_inkTypes[i].second = clipped;
        return;
    }
    if (!clipped.isEmpty())
        m_inkTypes.append({type, clipped});
}

RecognitionResult RecognitionResult::withInkOfType(int type, const InkRange &ink,
                                                   bool unite) const
{
    RecognitionResult copy = *this;
    copy.storeInkOfType(type, unite ? ink.united(cachedInk(type)) : ink);
    return copy;
}

void RecognitionResult::rebuildInkOfType(int tag, const RecognitionResult &source,
                                         int segmentType)
{
    const InkRange tagged = source.cachedInk(tag);
    const QList<Segment> theirs = source.root().segmentsOfType(segmentType);
    const QList<Segment> ours = m_root.segmentsOfType(segmentType);
    InkRange carried;
    for (int i = 0; i < ours.size() && i < theirs.size(); ++i) {
        if (tagged.intersects(theirs[i].ink()))
            carried = carried.united(ours[i].ink());
    }
    storeInkOfType(tag, carried);
}

void RecognitionResult::rebuildInkCacheFrom(const RecognitionResult &source, int segmentType)
{
    for (const TypedInk &entry : source.inkTypes())
        rebuildInkOfType(entry.first, source, segmentType);
}

bool RecognitionResult::operator==(const RecognitionResult &other) const
{
    return m_root == other.m_root && m_transform == other.m_transform
           && m_inkTypes == other.m_inkTypes && m_layout == other.m_layout;
}

int nonEmptyLineCount(const Segment &root)
{
    bool pending = false;
    int count = 0;
    for (const Segment &child : root.selectedCandidate().children()) {
        if (child.selectedCandidate().isNewLine()) {
            if (pending)
                ++count;
            pending = false;
        } else if (!child.ink().isEmpty()) {
            pending = true;
        }
    }
    return pending ? count + 1 : count;
}

QList<InkRange> inkRangesPerLine(const Segment &root)
{
    QList<InkRange> lines;
    InkRange line;
    for (const Segment &child : root.selectedCandidate().children()) {
        if (child.selectedCandidate().isNewLine()) {
            if (!line.isEmpty())
                lines << line;
            line = InkRange();
        } else {
            line = line.united(child.ink());
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}
