#include "modes/cursivelayoutanimation.h"

#include "model/resultbuilding.h"
#include "model/segmentvisitors.h"
#include "modes/cursiveexpansion.h"
#include "modes/cursivelayout.h"
#include "modes/cursivetypesetitem.h"
#include "pad/glyphmetrics.h"

#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QTimeLine>

namespace {

QList<CursiveTypeSetItem *> wordItems(const QList<QGraphicsItem *> &items)
{
    QList<CursiveTypeSetItem *> words;
    for (QGraphicsItem *item : items) {
        if (item->type() == StyledItem::CursiveTypeSetItemType)
            words.append(static_cast<CursiveTypeSetItem *>(item));
    }
    return words;
}

CursiveTypeSetItem *itemOf(const QList<CursiveTypeSetItem *> &items, const Segment &word)
{
    for (CursiveTypeSetItem *item : items) {
        if (item->segment() == word)
            return item;
    }
    return nullptr;
}

bool isSeparator(const Segment &word)
{
    const ResultNode c = word.selectedCandidate();
    return c.isSpace() || c.isNewLine();
}

} // namespace

CursiveLayoutAnimation::CursiveLayoutAnimation(QObject *parent) : QObject(parent) {}

void CursiveLayoutAnimation::start()
{
    if (!m_timeLine) {
        m_timeLine = new QTimeLine(Duration, this);
        m_timeLine->setFrameRange(0, EndFrame);
        connect(m_timeLine, &QTimeLine::frameChanged, this, &CursiveLayoutAnimation::step);
        connect(m_timeLine, &QTimeLine::finished, this, &CursiveLayoutAnimation::finish);
    }
    m_timeLine->stop();
    m_timeLine->start();
}

void CursiveLayoutAnimation::step(int frame)
{
    if (!m_wordGroup)
        return;
    const double t = double(frame) / EndFrame;
    for (CursiveTypeSetItem *item : wordItems(m_wordGroup->childItems()))
        item->interpolateTransform(t);
    if (QGraphicsScene *scene = m_wordGroup->scene())
        scene->update();
}

void CursiveLayoutAnimation::finish()
{
    if (m_timeLine) {
        QTimeLine *line = m_timeLine;
        m_timeLine = nullptr;
        line->disconnect(this);
        line->stop();
        line->deleteLater();
        step(EndFrame);
    }
    emit finished();
}

Segment replaceWordInk(const Segment &word, const QTransform &placement)
{
    LeafBoxes boxes;
    boxes.rects = glyphBoxes(word, placement);
    QRectF glyphs;
    for (const QRectF &r : std::as_const(boxes.rects))
        glyphs |= r;
    if (word.ink().isAllOfKind(Stroke::Box) && glyphs == word.ink().boundingRect())
        return word;
    boxes.values = glyphCells(word, placement);
    return mapChildSegments(word, replaceLeafInkWithBoxes, &boxes);
}

RecognitionResult layoutStartModel(const RecognitionResult &model)
{
    const RecognitionResult spaced = spaceLayoutLines(model);
    const InkRange all = spaced.root().ink();
    return spaced.withInkOfType(SettledInk, all, true).withInkOfType(TypesetInk, all, true);
}

void setEndPlacements(const QList<QGraphicsItem *> &items, const RecognitionResult &model,
                      const QList<QTransform> &placements)
{
    const QList<CursiveTypeSetItem *> words = wordItems(items);
    const QList<Segment> segments = model.root().segmentsOfType(ResultNode::Word);
    for (int k = 0; k < segments.size() && k < placements.size(); ++k) {
        if (isSeparator(segments.at(k)))
            continue;
        if (CursiveTypeSetItem *item = itemOf(words, segments.at(k)))
            item->setEndTransform(placements.at(k));
    }
}

RecognitionResult layoutEndModel(const RecognitionResult &model,
                                 const QList<QGraphicsItem *> &items)
{
    const QList<CursiveTypeSetItem *> words = wordItems(items);
    const InkRange settled = model.cachedInk(SettledInk);
    ResultNode text = model.root().selectedCandidate();
    QList<Segment> moved;
    for (const Segment &word : text.children()) {
        CursiveTypeSetItem *item = nullptr;
        if (!word.selectedCandidate().isSpace() && settled.contains(word.ink()))
            item = itemOf(words, word);
        moved.append(item ? replaceWordInk(word, item->transform()) : word);
    }
    text.setChildren(moved);
    RecognitionResult out = resultFromNode(text);
    out.setTransform(model.transform());
    out.layout() = model.layout();
    out.rebuildInkCacheFrom(model, ResultNode::Word);
    return out;
}
