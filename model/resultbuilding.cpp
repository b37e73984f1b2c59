#include "model/resultbuilding.h"

namespace {

bool isRootForm(int type)
{
    return type == ResultNode::Text || type == ResultNode::Group
           || type == ResultNode::NotComputed;
}

ResultNode wrapper(int type, const Segment &child, int wordFlag)
{
    ResultNode node;
    node.setType(type);
    node.appendChild(child);
    node.setWordFlag(wordFlag);
    return node;
}

ResultNode leaf(const QString &label, int type, int wordFlag)
{
    ResultNode node;
    node.setLabel(label);
    node.setType(type);
    node.setWordFlag(wordFlag);
    return node;
}

} // namespace

Segment promoteSegment(const Segment &segment)
{
    const ResultNode selected = segment.selectedCandidate();
    const int t = selected.type();
    int n;
    if (t == ResultNode::Character)
        n = ResultNode::Word;
    else if (t == ResultNode::Word)
        n = ResultNode::Text;
    else if (t >= 5 && t <= 10)
        n = ResultNode::Group;
    else
        return segment;

    Segment promoted;
    if (t != ResultNode::Character) {
        promoted.appendCandidate(wrapper(n, segment, selected.wordFlag()));
        promoted.setSelectedCandidate(0);
    } else {
        const QList<ResultNode> alternatives = segment.candidates();
        for (int i = 0; i < alternatives.size(); ++i) {
            Segment choice = segment;
            choice.setSelectedCandidate(i);
            promoted.appendCandidate(wrapper(n, choice, alternatives[i].wordFlag()));
        }
        promoted.setSelectedCandidate(segment.selectedIndex());
    }
    promoted.addInk(segment.ink());
    return promoted;
}

RecognitionResult resultFromSegment(const Segment &segment)
{
    // A character needs two levels, anything else one; a segment without
    // candidates has nothing to wrap.
    Segment root = segment;
    for (int level = 0; level < 2 && !root.candidates().isEmpty()
                        && !isRootForm(root.selectedCandidate().type());
         ++level) {
        root = promoteSegment(root);
    }
    RecognitionResult result;
    result.setRoot(root);
    return result;
}

RecognitionResult resultFromNode(const ResultNode &node)
{
    const QList<Segment> children = node.children();
    if (children.isEmpty() && node.label().isEmpty())
        return RecognitionResult();
    Segment segment;
    segment.appendCandidate(node);
    segment.setSelectedCandidate(0);
    for (const Segment &child : children)
        segment.addInk(child.ink());
    return resultFromSegment(segment);
}

RecognitionResult resultFromText(const QString &text, int wordFlag)
{
    if (text.isEmpty())
        return RecognitionResult();
    ResultNode node;
    node.setLabel(text);
    node.setWordFlag(wordFlag);
    return resultFromNode(node);
}

RecognitionResult resultFromStroke(const Stroke &stroke, const QString &label, int type,
                                   int wordFlag)
{
    if (label.isEmpty() && stroke.path().elementCount() == 0)
        return RecognitionResult();
    Segment segment;
    segment.setInk(InkRange::fromStroke(stroke));
    segment.appendCandidate(leaf(label, type, wordFlag));
    segment.setSelectedCandidate(0);
    return resultFromSegment(segment);
}

RecognitionResult resultFromStrokes(const QList<Stroke> &strokes, const QString &label,
                                    int type, int wordFlag)
{
    if (strokes.isEmpty())
        return RecognitionResult();
    Segment segment;
    for (const Stroke &stroke : strokes)
        segment.addInk(InkRange::fromStroke(stroke));
    segment.appendCandidate(leaf(label, type, wordFlag));
    segment.selectLastCandidate();
    return resultFromSegment(segment);
}
