#include "model/resultnode.h"

#include "model/segment.h"

#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <utility>

class ResultNodePrivate : public QSharedData
{
public:
    ResultNodePrivate() = default;
    ResultNodePrivate(const ResultNodePrivate &other)
        : QSharedData(), label(other.lockedLabel()), type(other.type.load()),
          score(other.score), wordFlag(other.wordFlag), children(other.children)
    {
    }

    QString lockedLabel() const
    {
        QMutexLocker lock(&labelLock);
        return label;
    }

    // The label and type are written lazily by any thread that holds the
    // candidate; the label under the lock, the type atomically.
    mutable QMutex labelLock;
    QString label;
    std::atomic<int> type{ResultNode::NotComputed};
    float score = 1.0f;
    int wordFlag = 0;
    QList<Segment> children;
};

namespace {

ResultNodePrivate *sharedEmpty()
{
    static const QExplicitlySharedDataPointer<ResultNodePrivate> empty(new ResultNodePrivate);
    return empty.data();
}

} // namespace

ResultNode::ResultNode() : d(sharedEmpty()) {}
ResultNode::ResultNode(const ResultNode &other) = default;
ResultNode &ResultNode::operator=(const ResultNode &other) = default;
ResultNode::~ResultNode() = default;

QString ResultNode::label() const
{
    {
        QMutexLocker lock(&d->labelLock);
        if (!d->label.isEmpty() || d->children.isEmpty())
            return d->label;
    }
    QString joined;
    for (const Segment &child : std::as_const(d->children))
        joined += child.selectedCandidate().label();
    QMutexLocker lock(&d->labelLock);
    if (d->label.isEmpty())
        d->label = joined;
    return d->label;
}

int ResultNode::type() const
{
    const int stored = d->type.load();
    if (stored != NotComputed)
        return stored;
    if (d == sharedEmpty())
        return Character;
    int computed = Character;
    if (!d->children.isEmpty())
        computed = d->children.constFirst().selectedCandidate().children().isEmpty() ? Word : Text;
    d->type.store(computed);
    return computed;
}

float ResultNode::score() const { return d->score; }
int ResultNode::wordFlag() const { return d->wordFlag; }
QList<Segment> ResultNode::children() const { return d->children; }

void ResultNode::setLabel(const QString &label)
{
    d.detach();
    d->label = label;
}

void ResultNode::setType(int type)
{
    d.detach();
    d->type.store(type);
}

void ResultNode::setScore(float score)
{
    d.detach();
    d->score = score;
}

void ResultNode::setWordFlag(int flag)
{
    d.detach();
    d->wordFlag = flag;
}

void ResultNode::setChildren(const QList<Segment> &children)
{
    d.detach();
    d->children = children;
}

void ResultNode::appendChild(const Segment &child)
{
    d.detach();
    d->children << child;
}

bool ResultNode::isSpace() const
{
    const QString l = label();
    return l == QLatin1String(" ") || l == QString(QChar(0x3000));
}

bool ResultNode::isNewLine() const
{
    return label() == QLatin1String("\n");
}

bool ResultNode::operator==(const ResultNode &other) const
{
    if (d == other.d)
        return true;
    return label() == other.label() && d->children == other.d->children
           && d->wordFlag == other.d->wordFlag;
}
