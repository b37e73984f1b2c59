#pragma once

#include "model/recognitionresult.h"

#include <QObject>
#include <QPointer>
#include <QTimeLine>
#include <QTransform>

class QGraphicsItem;
class QGraphicsItemGroup;

// The glide of the cursive pad's typeset words from their start to their end
// placements: one second, frames 0 to 30, over the word items of a group.
class CursiveLayoutAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr int Duration = 1000;
    static constexpr int EndFrame = 30;

    explicit CursiveLayoutAnimation(QObject *parent = nullptr);

    void setWordGroup(QGraphicsItemGroup *group) { m_wordGroup = group; }
    // Null while no animation runs.
    QTimeLine *timeLine() const { return m_timeLine; }

    // Starts the glide, or starts it over when it runs.
    void start();

public slots:
    // Places every word item at frame / EndFrame of its way.
    void step(int frame);
    // Ends the glide at once: the words stand at their end placements. The
    // time line goes once its own signal has returned.
    void finish();

signals:
    void finished();

private:
    QGraphicsItemGroup *m_wordGroup = nullptr;
    QPointer<QTimeLine> m_timeLine;
};

// The word re-placement: the word's ink becomes one box stroke per glyph of
// its label under the placement. Box ink that already covers the glyphs is
// kept.
Segment replaceWordInk(const Segment &word, const QTransform &placement);

// The model a layout starts from: lines spread apart, all ink typeset and settled.
RecognitionResult layoutStartModel(const RecognitionResult &model);

// Gives each word item among the items the end placement of its word, by word number.
void setEndPlacements(const QList<QGraphicsItem *> &items, const RecognitionResult &model,
                      const QList<QTransform> &placements);

// The model after a layout: the settled words' ink moved onto their items'
// current placements, the ink types carried along.
RecognitionResult layoutEndModel(const RecognitionResult &model,
                                 const QList<QGraphicsItem *> &items);
