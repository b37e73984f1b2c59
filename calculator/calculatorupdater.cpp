#include "calculator/calculatorupdater.h"

#include "calculator/calcmodellayout.h"
#include "calculator/calcoracle.h"
#include "calculator/calcresultparts.h"
#include "calculator/calcsegmenttypes.h"
#include "calculator/calctypesetitem.h"
#include "calculator/solveexpression.h"
#include "model/cutting.h"
#include "model/merging.h"
#include "model/resultbuilding.h"
#include "modes/cursivetypesetting.h"
#include "pad/glyphmetrics.h"
#include "pad/padclock.h"
#include "pad/padservices.h"
#include "pad/referencefont.h"
#include "pad/resultitem.h"
#include "pad/strokeitem.h"

#include <QCoreApplication>
#include <QGraphicsItemGroup>
#include <QGraphicsView>
#include <QTimeLine>

#include <algorithm>

namespace {

constexpr UpdaterStates AnyState =
    UpdaterState::Idle | UpdaterState::Processing | UpdaterState::Paused;
// Send-hold bit while a candidate list is open.
constexpr int CandidateListHold = 4;
// Pending ink next to which the user is still writing keeps a symbol as ink this far, in
// layout scales, to its left and right.
constexpr double WritingNeighbourhood = 2.0;

ResultItem *s_lastTappedItem = nullptr;

QList<Stroke> strokesOf(const QList<StrokeItem *> &items)
{
    QList<Stroke> strokes;
    for (const StrokeItem *item : items)
        strokes << item->stroke();
    return strokes;
}

template <typename Item>
QList<Item *> childrenOfType(const QGraphicsItemGroup *group, int type)
{
    QList<Item *> items;
    if (!group)
        return items;
    for (QGraphicsItem *child : group->childItems()) {
        if (child->type() == type)
            items << static_cast<Item *>(child);
    }
    return items;
}

} // namespace

CalculatorUpdater::CalculatorUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                                     Qt::Alignment writingDirection)
    : Updater(behaviour, scene, writingDirection),
      m_oracle(new CalcOracle(textDirection(), this)),
      m_sceneGuard(scene)
{
    qRegisterMetaType<GestureSet>("GestureSet");
    qRegisterMetaType<Segment>("Segment");
    qRegisterMetaType<InkRange>("InkRange");
    qRegisterMetaType<InkLocation>("InkLocation");

    connect(this, &CalculatorUpdater::oracleRequest, m_oracle, &EditionOracle::request);
    connect(this, &CalculatorUpdater::oracleResume, m_oracle, &EditionOracle::resume);
    connect(m_oracle, &EditionOracle::append, this, &CalculatorUpdater::oracleAppendEvent);
    connect(m_oracle, &EditionOracle::erase, this, &CalculatorUpdater::oracleEraseEvent);
    connect(m_oracle, &EditionOracle::delay, this, &CalculatorUpdater::oracleDelayEvent);
    connect(&m_typeSetTimer, &PadTimer::timeout, this, &CalculatorUpdater::typeSetTimeoutEvent);
    connect(&m_layoutTimer, &PadTimer::timeout, this, &CalculatorUpdater::layoutTimeoutEvent);
    connect(&m_clickTimer, &PadTimer::timeout, this, &CalculatorUpdater::clickTimeoutEvent);
    connect(&m_oracleWatchdog, &PadTimer::timeout, this,
            &CalculatorUpdater::oracleWatchdogEvent);
    connect(scene, &ScrivelScene::selectedCandidateUpdate, this,
            &CalculatorUpdater::selectedCandidateUpdateEvent);
}

// A scene destroyed first has deleted every item in it already.
CalculatorUpdater::~CalculatorUpdater()
{
    m_oracleWatchdog.stop();
    s_lastTappedItem = nullptr;
    if (!m_sceneGuard.isNull()) {
        delete m_auxGroup;
        delete m_typeSetGroup;
        delete m_resultItemGroup;
    }
}

ResultItem *CalculatorUpdater::lastTappedItem()
{
    return s_lastTappedItem;
}

QList<CalcTypeSetItem *> CalculatorUpdater::typeSetItems() const
{
    return childrenOfType<CalcTypeSetItem>(m_typeSetGroup, StyledItem::CalcTypeSetItemType);
}

bool CalculatorUpdater::isDictionaryWord(const QString &word) const
{
    static const QString excluded = QStringLiteral("-.,_'\"\u00b0^");
    if (word.size() <= 2)
        return false;
    for (QChar c : word) {
        if (excluded.contains(c))
            return false;
    }
    return true;
}

QRectF CalculatorUpdater::visibleRect() const
{
    const QList<QGraphicsView *> views = scene()->views();
    const int index = PadServices::instance()->isFullScreenState() && views.size() > 1 ? 1 : 0;
    if (views.isEmpty())
        return QRectF();
    const QGraphicsView *view = views.at(index);
    return view->mapToScene(view->viewport()->rect()).boundingRect();
}

bool CalculatorUpdater::fetchModel(UpdaterStates mask, CheckTask &task)
{
    task.mask = mask;
    return processRequest(&task);
}

int CalculatorUpdater::alignmentOf(const RecognitionResult &model) const
{
    return model.root().ink().isEmpty() ? int(writingDirection()) : model.layout().alignment;
}

void CalculatorUpdater::stopLayout()
{
    m_layoutTimer.stop();
    if (m_layoutTimeLine) {
        m_layoutTimeLine->stop();
        layoutTimeLineFinishedEvent();
    }
}

// Pen events

void CalculatorUpdater::penDownEvent()
{
    stopLayout();
    Updater::penDownEvent();
    m_clickTimer.start(TapWindow);
}

ResultItem *CalculatorUpdater::tappedItem(StrokeItem *stroke) const
{
    const QRectF box = stroke->sceneBoundingRect();
    if (!m_resultItemGroup || !m_clickTimer.isActive() || box.width() >= TapSize
        || box.height() >= TapSize)
        return nullptr;
    for (QGraphicsItem *child : m_resultItemGroup->childItems()) {
        if (child->type() != StyledItem::ResultItemType)
            continue;
        if (child->isUnderMouse() && child->sceneBoundingRect().intersects(box))
            return static_cast<ResultItem *>(child);
    }
    return nullptr;
}

// A short tap on an answer symbol leaves no ink; on a "?" it opens that symbol's candidates,
// once: tapping it again only drops the tap.
void CalculatorUpdater::penUpEvent(StrokeItem *stroke)
{
    ResultItem *item = stroke ? tappedItem(stroke) : nullptr;
    bool opened = false;
    if (item) {
        delete stroke;
        stroke = nullptr;
        m_clickTimer.stop();
        UpdaterRequest abort(UpdaterRequestKind::AbortTask);
        processRequest(&abort);
        if (item != s_lastTappedItem) {
            m_typeSetTimer.stop();
            CheckTask check(AnyState);
            fetchModel(AnyState, check);
            if (item->segment().selectedCandidate().label() == QLatin1String("?")) {
                item->showCandidates();
                showTappedCandidates(item->sceneBoundingRect());
                s_lastTappedItem = item;
                opened = true;
            }
        } else {
            opened = true;
        }
    }
    if (!opened)
        s_lastTappedItem = nullptr;
    Updater::penUpEvent(stroke);
}

// Oracle request and answers

void CalculatorUpdater::requestOracle(const RecognitionResult &model,
                                      const QList<StrokeItem *> &strokes)
{
    const QList<Stroke> written = strokesOf(strokes);
    InkRange fresh;
    for (const Stroke &s : written)
        fresh = fresh.united(InkRange::fromStroke(s));
    QList<InkRangeInfo> infos;
    for (const Segment &symbol : model.root().segmentsOfType(CalcSymbol)) {
        if (symbol.ink().intersects(fresh))
            infos << InkRangeInfo(symbol);
    }
    emit oracleRequest(written, infos, GestureSet(1));
    m_oracleWatchdog.start(OracleWatchdogDelay);
}

void CalculatorUpdater::resumeProcessing()
{
    emit oracleResume();
}

// A slow oracle only lets pending events run; nothing is retried.
void CalculatorUpdater::oracleWatchdogEvent()
{
    m_oracleWatchdog.stop();
    QCoreApplication::processEvents();
}

void CalculatorUpdater::oracleDelayEvent(int delay, int count)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    DelayTask task(delay, count);
    processRequest(&task);
}

// The model holds at most MaxStrokes strokes; further ink is left unread.
void CalculatorUpdater::oracleAppendEvent(int count)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    const int held = int(check.model.root().ink().strokes().size());
    const int room = qMax(0, MaxStrokes - held);
    const int taken = qMin(qMax(0, count), room);
    if (taken == 0) {
        // The full model takes no more ink: the strokes the oracle read go unread.
        UpdateTask update(check.model, qMax(0, count), 0);
        processRequest(&update);
        StrokeStamp reference = firstStamp(check.model.root().ink());
        for (const StrokeItem *item : check.pendingStrokes) {
            if (item->stamp().isLaterThan(reference))
                reference = item->stamp();
        }
        FinalizeTask finalize(typesetModel(check.model, reference, {}), 2);
        processRequest(&finalize);
        return;
    }
    const QList<StrokeItem *> written = check.pendingStrokes.mid(0, taken);
    const RecognitionResult ink =
        resultFromStrokes(strokesOf(written), QStringLiteral("#"), CalcSymbol, 0);
    const RecognitionResult model = mergeResultInto(check.model, ink, 0);
    UpdateTask update(model, taken, KeepProcessedStrokes);
    processRequest(&update);
    emit updateRecognitionResult(model);
}

void CalculatorUpdater::oracleEraseEvent(InkRange ink)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    QList<RecognitionResult> kept;
    for (const Segment &symbol : check.model.root().segmentsOfType(CalcSymbol)) {
        if (!ink.contains(symbol.ink()))
            kept << resultFromSegment(symbol);
    }
    RecognitionResult model = mergeResults(kept, 0);
    model.setTransform(check.model.transform());
    model.layout() = check.model.layout();
    cursorTimer()->start(0);
    UpdateTask update(model, 1, 2);
    processRequest(&update);
    if (!model.root().ink().isEmpty()) {
        emit updateRecognitionResult(model, QRectF(), false);
        return;
    }
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

// Readings of the recognizer

void CalculatorUpdater::recoResultEvent(const RecognitionResult &result)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    const RecognitionResult &old = check.model;
    RecognitionResult model = result;
    model.setTransform(old.transform());
    for (const TypedInk &typed : old.inkTypes())
        model = model.withInkOfType(typed.first, typed.second, true);
    model.layout() = layoutRecordFor(model, old.layout());

    StrokeStamp reference = firstStamp(model.root().ink());
    QList<StrokeItem *> waiting = check.pendingStrokes;
    for (int i = 0; i < check.processedCount && !waiting.isEmpty(); ++i) {
        const StrokeItem *item = waiting.takeFirst();
        if (item->stamp().isLaterThan(reference))
            reference = item->stamp();
    }
    FinalizeTask finalize(typesetModel(model, reference, waiting), 2);
    processRequest(&finalize);
}

RecognitionResult CalculatorUpdater::solvedIfWanted(const RecognitionResult &model) const
{
    if (model.root().ink().isEmpty() || !model.cachedInk(CalcAddedInk).isEmpty()
        || !behaviour().solveAuto)
        return model;
    RecognitionResult solved;
    solveExpression(solved, model, behaviour().nbOfDecimals, decimalSeparator());
    return solved;
}

void CalculatorUpdater::importModelEvent(const RecognitionResult &imported)
{
    RecognitionResult model = imported;
    if (!(model.layout().flags & 4)) {
        model = RecognitionResult();
    } else {
        UpdaterRequest clear(UpdaterRequestKind::ClearContext);
        if (!processRequest(&clear))
            return;
    }
    m_layoutTimer.stop();
    m_typeSetTimer.stop();
    model = solvedIfWanted(model);
    UpdateIdle task(layoutModel(model, visibleRect(), false), 1);
    processRequest(&task);
}

// Typesetting and layout

RecognitionResult CalculatorUpdater::typesetModel(const RecognitionResult &model,
                                                  const StrokeStamp &reference,
                                                  const QList<StrokeItem *> &waiting)
{
    const StrokeStamp now = PadClock::now();
    const StrokeStamp limit = now.addMSecs(-TypesetAge);
    qint64 shortestWait = TypesetAge;
    bool young = false;
    const InkRange typeset = model.cachedInk(1);
    const double reach = WritingNeighbourhood * model.layout().lineSpacing;
    InkRange settled;
    InkRange wet;
    for (const Segment &symbol : model.root().segmentsOfType(CalcSymbol)) {
        const InkRange ink = symbol.ink();
        bool mark = typeset.contains(ink);
        if (!mark && firstStamp(ink).isLaterThan(limit)) {
            young = true;
            shortestWait = qMin(shortestWait, limit.msecsTo(firstStamp(ink)));
        } else if (!mark) {
            mark = true;
            const QRectF box = ink.boundingRect();
            for (const StrokeItem *item : waiting) {
                if (item->sceneBoundingRect().adjusted(-reach, 0, reach, 0).intersects(box))
                    mark = false;
            }
        }
        if (mark)
            settled = settled.united(ink);
        else
            wet = wet.united(ink);
    }
    const RecognitionResult marked =
        model.withInkOfType(1, settled, false).withInkOfType(0, wet, false);
    if (young) {
        m_layoutTimer.stop();
        m_typeSetTimer.start(int(qMax<qint64>(0, shortestWait)));
    } else {
        m_typeSetTimer.stop();
        m_layoutTimer.start(int(qMax<qint64>(0, LayoutDelay - reference.msecsTo(now))));
    }
    return marked;
}

void CalculatorUpdater::typeSetTimeoutEvent()
{
    m_typeSetTimer.stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive))
        return;
    UpdateIdle task(typesetModel(check.model, firstStamp(check.model.root().ink()), {}), 2);
    processRequest(&task);
}

void CalculatorUpdater::layoutTimeoutEvent()
{
    m_layoutTimer.stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive))
        return;
    RecognitionResult model = solvedIfWanted(check.model);
    model = model.withInkOfType(0, model.root().ink(), true)
                .withInkOfType(1, model.root().ink(), true);
    const RecognitionResult laidOut = layoutModel(model, visibleRect(), true);

    const QList<Segment> before = model.root().segmentsOfType(CalcSymbol);
    const QList<Segment> after = laidOut.root().segmentsOfType(CalcSymbol);
    const QList<CalcTypeSetItem *> items = typeSetItems();
    for (CalcTypeSetItem *item : items)
        item->setEndTransform(QTransform());
    for (int i = 0; i < before.size() && i < after.size(); ++i) {
        for (CalcTypeSetItem *item : items) {
            if (item->segment() == before.at(i)) {
                item->setEndTransform(inkTransformFor(after.at(i)));
                break;
            }
        }
    }
    for (CalcTypeSetItem *item : items) {
        if (item->endTransform().type() == QTransform::TxNone)
            item->setVisible(false);
    }
    UpdateIdle task(model, 0);
    processRequest(&task);
    if (!m_layoutTimeLine) {
        m_layoutTimeLine = new QTimeLine(LayoutDuration, this);
        m_layoutTimeLine->setFrameRange(0, LayoutFrames);
        connect(m_layoutTimeLine, &QTimeLine::frameChanged, this,
                &CalculatorUpdater::layoutTimeLineEvent);
        connect(m_layoutTimeLine, &QTimeLine::finished, this,
                &CalculatorUpdater::layoutTimeLineFinishedEvent);
    }
    m_layoutTimeLine->start();
}

void CalculatorUpdater::layoutTimeLineEvent(int frame)
{
    const double t = double(frame) / LayoutFrames;
    for (CalcTypeSetItem *item : typeSetItems())
        item->interpolateTransform(t);
    scene()->update();
}

void CalculatorUpdater::layoutTimeLineFinishedEvent()
{
    if (m_layoutTimeLine) {
        m_layoutTimeLine->disconnect(this);
        m_layoutTimeLine->stop();
        m_layoutTimeLine->deleteLater();
        m_layoutTimeLine = nullptr;
    }
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive))
        return;
    // The laid-out symbols are all glyphs: the final scene is rebuilt from them.
    RecognitionResult model = layoutModel(check.model, visibleRect(), true);
    model = model.withInkOfType(0, model.root().ink(), true)
                .withInkOfType(1, model.root().ink(), true);
    UpdateIdle task(model, 17);
    processRequest(&task);
    expandToShowExpression();
    emit localLayoutTimeLineFinished();
}

void CalculatorUpdater::clickTimeoutEvent()
{
    m_clickTimer.stop();
    for (const ResultItem *result :
         childrenOfType<ResultItem>(m_resultItemGroup, StyledItem::ResultItemType)) {
        if (result->candidates())
            return;
    }
    for (CalcTypeSetItem *item : typeSetItems()) {
        if (item->isProvisional() && !item->segment().ink().isAllOfKind(Stroke::Pen))
            item->setVisible(false);
    }
}

void CalculatorUpdater::selectedCandidateUpdateEvent(ScrivelScene::CandidateListInfo info,
                                                     const Segment &segment, int index)
{
    switch (int(info)) {
    case 0:
        holdSendTimer(CandidateListHold);
        return;
    case 1: {
        CheckTask check(UpdaterState::Idle);
        if (!fetchModel(UpdaterState::Idle, check))
            return;
        // The written symbols with the choice; what the solver added goes, so that the
        // next layout solves the expression afresh.
        Segment chosen = segment;
        chosen.setSelectedCandidate(index);
        const InkRange added = check.model.cachedInk(CalcAddedInk);
        QList<RecognitionResult> pieces;
        for (const Segment &symbol : check.model.root().segmentsOfType(CalcSymbol)) {
            if (symbol == segment)
                pieces << resultFromSegment(chosen);
            else if (!added.contains(symbol.ink()))
                pieces << resultFromSegment(symbol);
        }
        RecognitionResult model = mergeResults(pieces, 0);
        model.setTransform(check.model.transform());
        model.layout() = check.model.layout();
        model = model.withInkOfType(0, check.model.cachedInk(0), false);
        UpdateIdle task(typesetModel(model, firstStamp(model.root().ink()), {}), 17);
        processRequest(&task);
        return;
    }
    case 2: {
        CheckTask check(UpdaterState::Idle);
        fetchModel(UpdaterState::Idle, check);
        return;
    }
    default:
        releaseSendTimer(CandidateListHold);
        m_typeSetTimer.start(TypesetAge);
        return;
    }
}

// The scene

QGraphicsItemGroup *CalculatorUpdater::makeGroup(qreal z)
{
    auto *group = new QGraphicsItemGroup;
    group->setHandlesChildEvents(false);
    scene()->addItem(group);
    group->setZValue(z);
    return group;
}

void CalculatorUpdater::recreateGroups()
{
    delete m_typeSetGroup;
    delete m_auxGroup;
    m_typeSetGroup = makeGroup(1.0);
    m_auxGroup = makeGroup(1.0);
}

void CalculatorUpdater::buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                                     const QList<StrokeItem *> &strokes)
{
    if (!m_typeSetGroup || !m_auxGroup || mode.testFlag(RecreateGroups))
        recreateGroups();
    for (StrokeItem *item : strokes)
        m_auxGroup->addToGroup(item);
    if (model.root().ink().isEmpty())
        clearGlyphCaches();
    if (!mode.testFlag(RecreateGroups) && !mode.testFlag(RebuildContents))
        return;
    const InkRange typesetInk = model.cachedInk(1);
    const InkRange errorInk = model.cachedInk(CalcErrorInk);
    QList<Segment> typeset;
    QList<Segment> results;
    QList<Stroke> ink;
    for (const Segment &symbol : model.root().segmentsOfType(CalcSymbol)) {
        if (typesetInk.contains(symbol.ink())) {
            typeset << symbol;
            if (errorInk.contains(symbol.ink()))
                results << symbol;
        } else {
            ink << symbol.ink().strokes();
        }
    }
    rebuildInk(ink, model);
    rebuildGlyphs(typeset, model);
    rebuildResults(results, model);
}

void CalculatorUpdater::rebuildInk(const QList<Stroke> &shown, const RecognitionResult &model)
{
    QList<Stroke> missing = shown;
    for (QGraphicsItem *child : m_auxGroup->childItems()) {
        auto *item = child->type() == StyledItem::StrokeItemType
                         ? static_cast<StrokeItem *>(child)
                         : nullptr;
        const auto found = item ? std::find_if(missing.begin(), missing.end(),
                                               [item](const Stroke &s) { return item->hasPath(s); })
                                : missing.end();
        if (found == missing.end()) {
            delete child;
            continue;
        }
        missing.erase(found);
    }
    for (const Stroke &stroke : missing)
        m_auxGroup->addToGroup(new StrokeItem(stroke, model.transform(), scene()->style()));
}

void CalculatorUpdater::rebuildGlyphs(QList<Segment> typeset, const RecognitionResult &model)
{
    for (CalcTypeSetItem *item : typeSetItems()) {
        const auto found =
            std::find_if(typeset.begin(), typeset.end(),
                         [item](const Segment &s) { return item->matchesSegment(s); });
        if (found == typeset.end()) {
            delete item;
            continue;
        }
        typeset.erase(found);
    }
    const InkRange added = model.cachedInk(CalcAddedInk);
    const double ratio = calcScaleRatio(model.layout());
    for (const Segment &symbol : typeset) {
        auto *item = new CalcTypeSetItem(symbol, scene()->style());
        if (symbol.ink().intersects(added) && symbol.selectedCandidate().label() == QLatin1String("?"))
            item->setProvisional(true);
        m_typeSetGroup->addToGroup(item);
        item->setStartTransform(inkTransformFor(symbol));
        item->setThicknessFactor(ratio > 0 ? ratio : 1.0);
        item->interpolateTransform(0.0);
    }
}

void CalculatorUpdater::rebuildResults(QList<Segment> results, const RecognitionResult &model)
{
    delete m_resultItemGroup;
    s_lastTappedItem = nullptr;
    m_resultItemGroup = makeGroup(2.0);
    for (const Segment &part :
         collectResultSegments(model.root(), model.cachedInk(CalcAnswerInk))) {
        if (!results.contains(part))
            results << part;
    }
    const QList<CalcTypeSetItem *> glyphs = typeSetItems();
    for (const Segment &part : results) {
        QList<TypeSetItem *> shown;
        for (CalcTypeSetItem *glyph : glyphs) {
            if (part.ink().contains(glyph->segment().ink()))
                shown << glyph;
        }
        m_resultItemGroup->addToGroup(new ResultItem(shown, part, scene()->style()));
    }
}

// Growing the pad

void CalculatorUpdater::showTappedCandidates(const QRectF &rect)
{
    emit candidateListShown(rect);
    QRectF visible = visibleRect();
    if (visible.top() < 0)
        visible.moveTop(0);
    visible.adjust(-250.0, 0, 250.0, 0);
    if (visible.isEmpty() || visible.contains(rect))
        return;
    const QRectF united = visible.united(rect);
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    const int alignment = alignmentOf(check.model);
    const double dx = alignment == Qt::AlignRight ? visible.left() - united.left()
                                                  : united.right() - visible.right();
    const double dy = united.height() - visible.height();
    if (dx != 0 || dy != 0)
        emit expandScrivel(float(dx / visible.width()), float(dy / visible.height()),
                           Qt::Alignment(alignment), false);
}

// Typeset items that fall below the panel ask for more height once the layout has ended.
void CalculatorUpdater::expandToShowExpression()
{
    const QList<QGraphicsView *> views = scene()->views();
    if (views.isEmpty() || PadServices::instance()->isFullScreenState())
        return;
    const QGraphicsView *view = views.first();
    QRect panel = PadServices::instance()->panelGeometry();
    if (panel.isNull())
        panel = view->window()->geometry();
    const QRect area = panel.adjusted(0, 40, 0, -14);
    int overflow = 0;
    for (CalcTypeSetItem *item : typeSetItems()) {
        const QPolygon onView = view->mapFromScene(item->sceneBoundingRect());
        const QRect global(view->viewport()->mapToGlobal(onView.boundingRect().topLeft()),
                           onView.boundingRect().size());
        overflow = qMax(overflow, global.bottom() - area.bottom());
    }
    if (overflow <= 0 || area.height() <= 0)
        return;
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    emit expandScrivel(0.0f, float(overflow) / area.height(),
                       Qt::Alignment(alignmentOf(check.model)), true);
}

void CalculatorUpdater::prepareExpandScrivelEvent(float x)
{
    if (PadServices::instance()->isFullScreenState() || scene()->views().isEmpty())
        return;
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    const QLocale::Language lang = language();
    const double characters =
        lang == QLocale::Chinese || lang == QLocale::Korean ? 3.0 : 8.0;
    const double scale = qBound(200.0, check.model.layout().lineSpacing, 600.0);
    const double room = 3.0 * scale + 250.0;
    const double growth = characters * scale;
    const QRectF visible = visibleRect();
    const int alignment = alignmentOf(check.model);
    const bool leftward = alignment == Qt::AlignRight;
    const bool cramped = leftward ? x - room < visible.x() : x + room > visible.right();
    if (!cramped || visible.width() <= 0)
        return;
    QGraphicsView *view = scene()->views().first();
    view->setInteractive(false);
    QRectF shown;
    for (QGraphicsItem *item : scene()->items()) {
        if (item->type() == StyledItem::CalcTypeSetItemType
            || item->type() == StyledItem::StrokeItemType)
            shown = shown.united(item->sceneBoundingRect());
    }
    const QRect desktop = PadServices::instance()->screenRect();
    const bool atEdge = leftward ? x - growth <= desktop.left() : x + growth >= desktop.right();
    const double lineHeight = referenceLineSpacing() * calcScaleRatio(check.model.layout());
    const double below = shown.bottom() + 1.5 * lineHeight - visible.bottom();
    const float fy = atEdge && below > 0 ? float(below / visible.height()) : 0.0f;
    emit expandScrivel(float(growth / visible.width()), fy, Qt::Alignment(alignment), false);
    view->setInteractive(true);
}
