#include "modes/isoupdater.h"

#include "model/charclasses.h"
#include "model/cutting.h"
#include "model/merging.h"
#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "model/segmentvisitors.h"
#include "model/segmentwalk.h"
#include "modes/isoboxitem.h"
#include "modes/isooracle.h"
#include "pad/animationeraserect.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"

#include <QCoreApplication>
#include <QGraphicsItemGroup>
#include <QGraphicsView>

namespace {

// Ink cache entry of the character being written.
constexpr int CurrentCharacter = 3;
// Layout flag of a result laid out in boxes; import flag that clears the pad.
constexpr int LaidOutInBoxes = 1;
constexpr int ClearsPad = 4;
constexpr int DefaultAlignment = 132;
constexpr int LeftToRight = 1;
constexpr int SpaceAge = 2000;
constexpr int NewWordAge = 1000;

struct BoxLayoutContext
{
    int mode;
    int direction;
    bool keepInk;
    double x;
    double y;
    double gap;
};

QList<Stroke> strokesOf(const QList<StrokeItem *> &items)
{
    QList<Stroke> strokes;
    for (const StrokeItem *item : items)
        strokes << item->stroke();
    return strokes;
}

bool startsEastAsian(const QString &text)
{
    return !text.isEmpty() && isCharOfClass(text.at(0), EastAsianClass);
}

// The earliest stamp of the ink, by time then sequence; a fresh one without ink.
StrokeStamp earliestStamp(const InkRange &ink)
{
    const QList<Stroke> strokes = ink.strokes();
    if (strokes.isEmpty())
        return StrokeStamp::fresh();
    StrokeStamp first = strokes.first().stamp();
    for (const Stroke &s : strokes) {
        if (first.isLaterThan(s.stamp()))
            first = s.stamp();
    }
    return first;
}

Segment layoutCharacterCallback(Segment *, int index, const Segment &segment, void *context)
{
    const ResultNode selected = segment.selectedCandidate();
    if (selected.type() != ResultNode::Character)
        return mapChildSegments(segment, layoutCharacterCallback, context);
    auto *c = static_cast<BoxLayoutContext *>(context);
    const int mode = startsEastAsian(selected.label()) ? 2 : c->mode;
    QRectF box = IsoBoxItem::boxRect(mode);
    if (c->direction == LeftToRight) {
        box.moveTo(c->x, c->y);
        c->x += box.width() + c->gap;
    } else {
        box.moveTo(c->x - box.width(), c->y);
        c->x = box.left() - c->gap;
    }
    Stroke boxStroke = makeBoxStroke(box, c->gap);
    StrokeStamp stamp = earliestStamp(segment.ink());
    stamp.sequence += index;
    boxStroke.setStamp(stamp);

    InkRange ink = InkRange::fromStroke(boxStroke);
    if (c->keepInk) {
        for (const Stroke &s : segment.ink().strokes()) {
            if (s.kind() == Stroke::Pen)
                ink = ink.united(InkRange::fromStroke(s));
        }
    }
    Segment leaf;
    leaf.appendCandidate(selected);
    leaf.setSelectedCandidate(0);
    leaf.setInk(ink);
    return leaf;
}

Segment widenCharacterCallback(Segment *, int, const Segment &segment, void *context)
{
    const ResultNode selected = segment.selectedCandidate();
    if (selected.type() != ResultNode::Character)
        return mapChildSegments(segment, widenCharacterCallback, context);
    ResultNode candidate = selected;
    const QString label = selected.label();
    if (!label.isEmpty() && isCharOfClass(label.at(0), AsciiGraphicClass)) {
        candidate = ResultNode();
        candidate.setLabel(QString(toggleCharWidth(label.at(0))));
        candidate.setType(ResultNode::Character);
        candidate.setScore(selected.score());
    }
    Segment leaf;
    leaf.appendCandidate(candidate);
    leaf.setSelectedCandidate(0);
    leaf.setInk(segment.ink());
    return leaf;
}

RecognitionResult visited(const RecognitionResult &source, SegmentVisitor callback,
                          void *context)
{
    RecognitionResult r;
    r.setRoot(visitSegments(source.root(), 0, callback, context));
    r.setTransform(source.transform());
    r.layout() = source.layout();
    return r;
}

} // namespace

IsoUpdater::IsoUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                       Qt::Alignment writingDirection)
    : Updater(behaviour, scene, writingDirection),
      m_oracle(new IsoOracle(textDirection(), behaviour.boxHintMode, this)),
      m_sceneGuard(scene)
{
    qRegisterMetaType<GestureSet>("GestureSet");
    qRegisterMetaType<Segment>("Segment");
    qRegisterMetaType<InkRange>("InkRange");
    qRegisterMetaType<InkLocation>("InkLocation");

    connect(this, &IsoUpdater::oracleRequest, m_oracle, &EditionOracle::request);
    connect(this, &IsoUpdater::oracleResume, m_oracle, &EditionOracle::resume);
    connect(m_oracle, &EditionOracle::append, this, &IsoUpdater::oracleAppendEvent);
    connect(m_oracle, &EditionOracle::update, this, &IsoUpdater::oracleUpdateEvent);
    connect(m_oracle, &EditionOracle::overwrite, this, &IsoUpdater::oracleOverwriteEvent);
    connect(m_oracle, &EditionOracle::gesture, this, &IsoUpdater::oracleGestureEvent);
    connect(m_oracle, &EditionOracle::insert, this, &IsoUpdater::oracleInsertEvent);
    connect(m_oracle, &EditionOracle::erase, this, &IsoUpdater::oracleEraseEvent);
    connect(m_oracle, &EditionOracle::delay, this, &IsoUpdater::oracleDelayEvent);
    connect(&m_inactivityTimer, &PadTimer::timeout, this, &IsoUpdater::inactivityTimerEvent);
    connect(&m_oracleWatchdog, &PadTimer::timeout, this, &IsoUpdater::oracleWatchdogEvent);
    IsoUpdater::setBehaviour(behaviour);
}

// A scene destroyed first has deleted every item in it already.
IsoUpdater::~IsoUpdater()
{
    m_oracleWatchdog.stop();
    if (!m_sceneGuard.isNull()) {
        qDeleteAll(m_boxes);
        delete m_typeSetGroup;
    }
}

void IsoUpdater::setBehaviour(const BehaviourSettings &behaviour)
{
    BehaviourSettings copy = behaviour;
    if (copy.boxHintMode)
        copy.autoSend = false;
    Updater::setBehaviour(copy);
}

int IsoUpdater::spareBoxCount() const
{
    return SpareBoxes;
}

bool IsoUpdater::fetchModel(UpdaterStates mask, CheckTask &task)
{
    task.mask = mask;
    return processRequest(&task);
}

bool IsoUpdater::fetchAnswerModel(CheckTask &task)
{
    m_oracleWatchdog.stop();
    return fetchModel(UpdaterState::Processing, task);
}

// Box geometry

double IsoUpdater::boxPosition(int i) const
{
    if (i < 0 || i >= m_boxes.size())
        return 0;
    const IsoBoxItem *box = m_boxes.at(i);
    if (writingDirection() == LeftToRight)
        return box->x();
    return -(box->x() + box->boundingRect().width());
}

QRectF IsoUpdater::boxRectAt(double x, bool fromEnd) const
{
    const bool ltr = writingDirection() == LeftToRight;
    auto rectOf = [](const IsoBoxItem *box) {
        return QRectF(box->pos(), box->boundingRect().size());
    };
    if (!fromEnd) {
        for (int i = 1; i < m_boxes.size(); ++i) {
            const QRectF r = rectOf(m_boxes.at(i));
            if (ltr ? r.left() > x : r.right() < -x)
                return r;
        }
    } else {
        for (int i = int(m_boxes.size()) - 1; i >= 0; --i) {
            const QRectF r = rectOf(m_boxes.at(i));
            if (ltr ? r.left() < x : r.right() > -x)
                return r;
        }
    }
    return QRectF(0, 0, 0, 0);
}

QRectF IsoUpdater::visibleSceneRect() const
{
    const QList<QGraphicsView *> views = scene()->views();
    if (views.isEmpty())
        return QRectF(0, 0, 0, 0);
    const QGraphicsView *view = views.first();
    const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
    for (const IsoBoxItem *box : m_boxes) {
        if (visible.contains(box->sceneBoundingRect()))
            return box->sceneBoundingRect();
    }
    return visible;
}

// Shared results

RecognitionResult IsoUpdater::makeSpaceResult() const
{
    Stroke typed = makePointRowStroke(1);
    typed.setStamp(StrokeStamp::now().addMSecs(-SpaceAge));
    const QString space = m_boxSizeMode == 2 ? QStringLiteral("\u3000") : QStringLiteral(" ");
    return resultFromStroke(typed, space, ResultNode::Character, 0);
}

QRectF IsoUpdater::boxStrokesRect(const QList<Stroke> &strokes)
{
    QRectF united;
    for (const Stroke &s : strokes) {
        if (s.kind() == Stroke::Box)
            united = united.isNull() ? s.boundingRect() : united.united(s.boundingRect());
    }
    return united;
}

RecognitionResult IsoUpdater::penInkResult(const RecognitionResult &result)
{
    QList<Stroke> pen;
    for (const Stroke &s : result.root().ink().strokes()) {
        if (s.kind() == Stroke::Pen)
            pen << s;
    }
    return resultFromStrokes(pen, QStringLiteral("#"), ResultNode::Character, 0);
}

RecognitionResult IsoUpdater::layoutInBoxes(const RecognitionResult &source, bool keepInk) const
{
    if (source.root().ink().isEmpty())
        return source;
    const bool ltr = writingDirection() == LeftToRight;
    BoxLayoutContext context{m_boxSizeMode, ltr ? 1 : 2, keepInk, ltr ? FirstBoxX : -FirstBoxX,
                             RowTop, BoxGap};
    RecognitionResult laidOut;
    laidOut.setRoot(visitSegments(source.root(), 0, layoutCharacterCallback, &context));
    laidOut.layout() = source.layout();
    laidOut.layout().flags |= LaidOutInBoxes;
    laidOut.layout().linePositions = source.layout().linePositions.mid(0, 1);
    laidOut.rebuildInkCacheFrom(source, ResultNode::Character);
    return laidOut;
}

// Pen and oracle

void IsoUpdater::penDownEvent()
{
    Updater::penDownEvent();
    m_inactivityTimer.stop();
}

GestureSet IsoUpdater::gestureSetFor(const RecognitionResult &model,
                                     const QList<StrokeItem *> &strokes) const
{
    if (strokes.size() != 1)
        return 0;
    return model.root().ink().isEmpty() ? 2 : 1;
}

void IsoUpdater::requestOracle(const RecognitionResult &model, const QList<StrokeItem *> &strokes)
{
    if (strokes.isEmpty())
        return;
    QList<InkRangeInfo> infos;
    for (const Segment &word : model.root().segmentsOfType(ResultNode::Word)) {
        for (const Segment &child : word.selectedCandidate().children())
            infos << InkRangeInfo(child);
    }
    emit oracleRequest({strokes.first()->stroke()}, infos, gestureSetFor(model, strokes));
    if (watchesOracle())
        m_oracleWatchdog.start(OracleWatchdogDelay);
}

void IsoUpdater::resumeProcessing()
{
    emit oracleResume();
}

void IsoUpdater::oracleWatchdogEvent()
{
    m_oracleWatchdog.stop();
    QCoreApplication::processEvents();
}

// Oracle answers

void IsoUpdater::oracleAppendEvent(int count)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    const QList<Stroke> written = strokesOf(check.pendingStrokes.mid(0, qMax(0, count)));
    if (written.isEmpty())
        return;
    const double centroid = written.last().centroid().x();
    const QRectF inkBox = check.model.root().ink().boundingRect();
    const double gap = writingDirection() == LeftToRight ? centroid - inkBox.right()
                                                         : inkBox.left() - centroid;
    const double pitch = IsoBoxItem::boxRect(m_boxSizeMode).width() + BoxGap;
    QList<RecognitionResult> pieces{check.model};
    for (int k = 0; gap / pitch >= k; ++k)
        pieces << makeSpaceResult();
    const RecognitionResult laidOut = layoutInBoxes(mergeResults(pieces, 1), false);
    const QList<Segment> characters = laidOut.root().segmentsOfType(ResultNode::Character);
    if (characters.isEmpty())
        return;
    const InkRange last = characters.last().ink();
    RecognitionResult character =
        resultFromStrokes(last.strokes() + written, QString(), ResultNode::Character, 0);
    character = character.withInkOfType(CurrentCharacter, character.root().ink(), true);

    QList<RecognitionResult> parts = splitResult(laidOut, last);
    if (parts.size() < 2)
        return;
    parts[1] = character;
    const RecognitionResult model = mergeResults(parts, 1);
    UpdateTask update(model, count, KeepProcessedStrokes);
    processRequest(&update);
    m_inactivityTimer.start(InactivityDelay);
    emit updateRecognitionResult(penInkResult(character),
                                 boxStrokesRect(character.root().ink().strokes()), true);
}

RecognitionResult IsoUpdater::rewrittenCharacter(const CheckTask &check, const InkRange &range,
                                                 bool update, bool keepLabel,
                                                 RecognitionResult *character) const
{
    RecognitionResult model = check.model;
    if (update)
        model.storeInkOfType(CurrentCharacter, range);
    QList<RecognitionResult> parts = splitResult(model, range);
    if (parts.size() < 2)
        return RecognitionResult();
    const QString kept = keepLabel ? parts.at(1).root().selectedCandidate().label() : QString();
    *character = resultFromStrokes(parts.at(1).root().ink().strokes()
                                       + strokesOf(check.pendingStrokes),
                                   kept, ResultNode::Character, 0);
    *character = character->withInkOfType(CurrentCharacter, character->root().ink(), true);
    parts[1] = *character;
    return mergeResults(parts, 1);
}

void IsoUpdater::oracleUpdateEvent(InkRange range)
{
    rewriteCharacter(range, true);
}

void IsoUpdater::oracleOverwriteEvent(InkRange range)
{
    rewriteCharacter(range, false);
}

void IsoUpdater::rewriteCharacter(const InkRange &range, bool update)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    RecognitionResult character;
    const RecognitionResult model = rewrittenCharacter(check, range, update, false, &character);
    if (character.root().ink().isEmpty())
        return;
    UpdateTask task(model, 1, KeepProcessedStrokes);
    processRequest(&task);
    m_inactivityTimer.start(InactivityDelay);
    emit updateRecognitionResult(penInkResult(character),
                                 boxStrokesRect(character.root().ink().strokes()), true);
}

void IsoUpdater::oracleInsertEvent(InkLocation location, bool join)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    const RecognitionResult model = check.model;
    QList<RecognitionResult> parts = splitResultAtCuts(model, {location});
    const RecognitionResult before = parts.value(0);
    const RecognitionResult after = parts.value(1);
    if (!join) {
        UpdateTask update(model, 1, 0);
        processRequest(&update);
        const RecognitionResult spaced =
            layoutInBoxes(mergeResults({before, makeSpaceResult(), after}, 1), false);
        FinalizeTask finalize(spaced, 1);
        processRequest(&finalize);
        return;
    }
    InkRange spaces;
    const Segment last = before.root().nthSegmentMatching(-1, Segment::AllWords, nullptr,
                                                          Segment::AllWords);
    const Segment first = after.root().nthSegmentMatching(0, Segment::AllWords, nullptr,
                                                          Segment::AllWords);
    for (const Segment &s : {last, first}) {
        if (s.selectedCandidate().isSpace())
            spaces = spaces.united(s.ink());
    }
    if (!spaces.isEmpty()) {
        // The answer is taken again by the erase; the model is still processing.
        oracleEraseEvent(spaces);
        return;
    }
    UpdateTask update(model, 1, 0);
    processRequest(&update);
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

void IsoUpdater::oracleEraseEvent(InkRange range)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    UpdateTask update(check.model, 1, 0);
    processRequest(&update);
    QList<RecognitionResult> parts = splitResult(check.model, range);
    QList<RecognitionResult> kept;
    for (int i = 0; i < parts.size(); i += 2)
        kept << parts.at(i);
    const RecognitionResult erased =
        layoutInBoxes(respaceResult(mergeResults(kept, 1), CollapseSeparators), false);
    FinalizeTask finalize(erased, 1);
    processRequest(&finalize);
}

void IsoUpdater::oracleGestureEvent(const QString &gesture)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    const RecognitionResult model = mergeResultInto(check.model, resultFromText(gesture, 0), 1);
    UpdaterRequest send(UpdaterRequestKind::SendWhenIdle);
    processRequest(&send);
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

void IsoUpdater::oracleDelayEvent(int delay, int count)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    DelayTask task(delay, count);
    processRequest(&task);
}

void IsoUpdater::prepareEraseAnimation(bool show)
{
    if (!show) {
        for (QGraphicsItem *item : scene()->items()) {
            if (item->type() == StyledItem::AnimationEraseRectType) {
                scene()->removeItem(item);
                delete item;
            }
        }
        return;
    }
    for (const IsoBoxItem *box : m_boxes) {
        if (box->segment().ink().isEmpty())
            continue;
        auto *rect = new AnimationEraseRect(this);
        rect->setRect(box->sceneBoundingRect().adjusted(-2, -2, 2, 2));
        scene()->addItem(rect);
    }
}

void IsoUpdater::prepareInsertAnimation(bool) {}

// Recognition, import and relayout

void IsoUpdater::recoResultEvent(const RecognitionResult &answer)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    ResultLayout layout = check.model.layout();
    layout.flags |= LaidOutInBoxes;
    if (layout.alignment == DefaultAlignment)
        layout.alignment = writingDirection() == LeftToRight ? 1 : 2;
    RecognitionResult read = answer;
    RespaceOptions options;
    if (m_boxSizeMode == 2) {
        read = visited(answer, widenCharacterCallback, nullptr);
        options |= WidenPunctuation;
    }
    if (language() == QLocale::Arabic && writingDirection() == LeftToRight)
        options |= MirrorBrackets;
    if (options)
        read = respaceResult(read, options);

    QList<RecognitionResult> parts =
        splitResult(check.model, check.model.cachedInk(CurrentCharacter));
    RecognitionResult model = check.model;
    if (parts.size() >= 2) {
        const RecognitionResult character =
            resultFromStrokes(parts.at(1).root().ink().strokes() + read.root().ink().strokes(),
                              read.root().selectedCandidate().label(), ResultNode::Character, 0);
        parts[1] = character;
        model = mergeResults(parts, 1);
    }
    if (layout.lineSpacing == 0 && !m_boxes.isEmpty())
        layout.lineSpacing = m_boxes.first()->characterScale();
    if (layout.linePositions.isEmpty())
        layout.linePositions.append(2 * layout.lineSpacing);
    model.layout() = layout;
    FinalizeTask finalize(model, 1);
    processRequest(&finalize);
}

void IsoUpdater::importModelEvent(const RecognitionResult &imported)
{
    Updater::importModelEvent(imported);
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    m_inactivityTimer.stop();
    if (imported.layout().flags & ClearsPad) {
        UpdateIdle clear(RecognitionResult(), 1);
        processRequest(&clear);
        return;
    }
    const RecognitionResult laidOut =
        layoutInBoxes(respaceResult(imported, RespaceOptions()), false);
    RecognitionResult rebuilt = laidOut;
    rebuilt.rebuildInkOfType(Stroke::Box, laidOut, ResultNode::Character);
    const StrokeStamp recent = StrokeStamp::now().addMSecs(-NewWordAge);
    const StrokeStamp aged = StrokeStamp::now().addMSecs(-SpaceAge);
    ResultNode root;
    for (const Segment &word : rebuilt.root().segmentsOfType(ResultNode::Word)) {
        const bool fresh = earliestStamp(word.ink()).isLaterThan(recent);
        root.appendChild(fresh ? restampSegment(word, aged) : word);
    }
    RecognitionResult result = resultFromNode(root);
    result.layout() = laidOut.layout();
    UpdateIdle task(result, 1);
    processRequest(&task);
}

void IsoUpdater::inactivityTimerEvent()
{
    m_inactivityTimer.stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    UpdateIdle task(layoutInBoxes(check.model, false), 1);
    processRequest(&task);
    enableMagicActionSignal(true);
}

void IsoUpdater::changeBoxesSize(bool isDoubleSize)
{
    m_boxSizeMode = isDoubleSize ? 2 : 1;
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    RecognitionResult model = check.model;
    if (model.layout().flags & LaidOutInBoxes)
        model = layoutInBoxes(model, false);
    UpdateIdle task(model, 1);
    processRequest(&task);
}

// Typesetting

IsoBoxItem *IsoUpdater::boxAt(int index)
{
    if (index < m_boxes.size())
        return m_boxes.at(index);
    auto *box = new IsoBoxItem(scene()->style(), behaviour().boxHintMode, m_boxSizeMode);
    box->setZValue(0.0);
    scene()->addItem(box);
    m_boxes.append(box);
    return box;
}

void IsoUpdater::placeSpareBoxes(int first)
{
    const bool ltr = writingDirection() == LeftToRight;
    QRectF previous(0, 0, 0, 0);
    if (first > 0) {
        const IsoBoxItem *box = m_boxes.at(first - 1);
        previous = QRectF(box->pos(), box->boundingRect().size());
    }
    double x = ltr ? previous.right() + BoxGap : previous.left() - BoxGap;
    for (int j = first; j < first + spareBoxCount(); ++j) {
        IsoBoxItem *box = boxAt(j);
        box->setSegment(Segment());
        box->setTexts(writingDirection(), QString(), QString());
        box->setBoxMode(m_boxSizeMode);
        const double width = box->boundingRect().width();
        box->setPos(ltr ? x : x - width, RowTop);
        x = ltr ? x + width + BoxGap : x - width - BoxGap;
    }
    while (m_boxes.size() > first + spareBoxCount())
        delete m_boxes.takeLast();
}

void IsoUpdater::buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                              const QList<StrokeItem *> &strokes)
{
    if (!m_typeSetGroup && !strokes.isEmpty()) {
        m_typeSetGroup = new QGraphicsItemGroup;
        m_typeSetGroup->setHandlesChildEvents(false);
        m_typeSetGroup->setZValue(1.0);
        scene()->addItem(m_typeSetGroup);
    }
    for (StrokeItem *item : strokes)
        m_typeSetGroup->addToGroup(item);
    if (!mode.testFlag(RecreateGroups))
        return;
    delete m_typeSetGroup;
    m_typeSetGroup = new QGraphicsItemGroup;
    m_typeSetGroup->setHandlesChildEvents(false);
    m_typeSetGroup->setZValue(1.0);
    scene()->addItem(m_typeSetGroup);

    const QList<Segment> characters = model.root().segmentsOfType(ResultNode::Character);
    auto labelAt = [&characters](int i) {
        if (i < 0 || i >= characters.size())
            return QString();
        const ResultNode c = characters.at(i).selectedCandidate();
        return c.isSpace() ? QString() : c.label();
    };
    for (int i = 0; i < characters.size(); ++i) {
        const Segment &character = characters.at(i);
        const QList<Stroke> ink = character.ink().strokes();
        bool pen = false;
        for (const Stroke &s : ink) {
            if (s.kind() != Stroke::Pen)
                continue;
            m_typeSetGroup->addToGroup(new StrokeItem(s, QTransform(), scene()->style()));
            pen = true;
        }
        IsoBoxItem *box = boxAt(i);
        box->setPos(boxStrokesRect(ink).topLeft());
        box->setSegment(character);
        box->setTexts(writingDirection(), labelAt(i - 1), labelAt(i + 1));
        if (pen)
            box->update();
        else
            box->setBoxMode(m_boxSizeMode);
    }
    placeSpareBoxes(int(characters.size()));
}
