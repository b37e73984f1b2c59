#pragma once

#include <QExplicitlySharedDataPointer>
#include <QList>
#include <QString>

class ResultNodePrivate;
class Segment;

// One candidate of a segment: label, type, score, word flag and the child
// segments that make it up. Type and an empty label are computed from the
// children on first use. Implicitly shared.
class ResultNode
{
public:
    enum Type { Text = 0, Word = 1, Character = 2, Group = 4, NotComputed = 11 };

    ResultNode();
    ResultNode(const ResultNode &other);
    ResultNode &operator=(const ResultNode &other);
    ~ResultNode();

    QString label() const;
    int type() const;
    float score() const;
    int wordFlag() const;
    QList<Segment> children() const;

    void setLabel(const QString &label);
    void setType(int type);
    void setScore(float score);
    void setWordFlag(int flag);
    void setChildren(const QList<Segment> &children);
    void appendChild(const Segment &child);

    bool isSpace() const;
    bool isNewLine() const;

    // Same label, children and word flag; type and score take no part.
    bool operator==(const ResultNode &other) const;
    bool operator!=(const ResultNode &other) const { return !(*this == other); }

private:
    QExplicitlySharedDataPointer<ResultNodePrivate> d;
};
