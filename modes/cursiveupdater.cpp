#include "modes/cursiveupdater.h"

#include "model/cutting.h"
#include "model/merging.h"
#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "model/segmentwalk.h"
#include "modes/cursivecandidatechoice.h"
#include "modes/cursiveexpansion.h"
#include "modes/cursiveimport.h"
#include "modes/cursivelayout.h"
#include "modes/cursivelayoutanimation.h"
#include "modes/cursivemagicview.h"
#include "modes/cursivemerge.h"
#include "modes/cursiveoracle.h"
#include "modes/cursivescreenfit.h"
#include "modes/cursivetypesetitem.h"
#include "modes/cursivetypesetting.h"
#include "modes/cursivewordlayout.h"
#include "pad/glyphmetrics.h"
#include "pad/padclock.h"
#include "pad/animationeraserect.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/strokeitem.h"
#include "pad/typesetitem.h"

#include <QBrush>
#include <QCoreApplication>
#include <QGraphicsItemGroup>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLoggingCategory>
#include <QPen>
#include <QSignalBlocker>
#include <QTimeLine>

Q_LOGGING_CATEGORY(lcCursive, "scrivel.cursive", QtInfoMsg)

namespace {

constexpr UpdaterStates AnyState =
    UpdaterState::Idle | UpdaterState::Processing | UpdaterState::Paused;

TypeSetItem *s_lastTappedWord = nullptr;

constexpr int CaretGrey = 64;
constexpr int InsertLayoutDelay = 2000;
constexpr int RetypesetDelay = 1500;
constexpr int CandidateListHold = 4;

void cursiveTrace(const QString &text)
{
    qCDebug(lcCursive).noquote() << text;
}

QList<Stroke> strokesOf(const QList<StrokeItem *> &items)
{
    QList<Stroke> strokes;
    for (const StrokeItem *item : items)
        strokes << item->stroke();
    return strokes;
}

QString textOf(const RecognitionResult &r)
{
    return r.root().selectedCandidate().label();
}

// The model with its transform and layout kept over an edit.
RecognitionResult keepFrame(RecognitionResult edited, const RecognitionResult &frame)
{
    edited.setTransform(frame.transform());
    edited.layout() = frame.layout();
    return edited;
}

bool showsAsWord(const Segment &word, const InkRange &typeset)
{
    const ResultNode c = word.selectedCandidate();
    return c.isSpace() || c.isNewLine() || typeset.contains(word.ink());
}

// The panel window's geometry; without a panel, that of the view's top-level window.
QRect panelRect(const QGraphicsView *view)
{
    const QRect panel = PadServices::instance()->panelGeometry();
    return panel.isNull() ? view->window()->geometry() : panel;
}

} // namespace

CursiveUpdater::CursiveUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                               Qt::Alignment writingDirection)
    : Updater(behaviour, scene, writingDirection),
      m_oracle(new CursiveOracle(textDirection(), this)),
      m_layoutAnimation(new CursiveLayoutAnimation(this)),
      m_sceneGuard(scene)
{
    qRegisterMetaType<GestureSet>("GestureSet");
    qRegisterMetaType<Segment>("Segment");
    qRegisterMetaType<InkRange>("InkRange");
    qRegisterMetaType<InkLocation>("InkLocation");

    connect(this, &CursiveUpdater::oracleRequest, m_oracle, &EditionOracle::request);
    connect(this, &CursiveUpdater::oracleResume, m_oracle, &EditionOracle::resume);
    connect(m_oracle, &EditionOracle::append, this, &CursiveUpdater::oracleAppendEvent);
    connect(m_oracle, &EditionOracle::gesture, this, &CursiveUpdater::oracleGestureEvent);
    connect(m_oracle, &EditionOracle::insert, this, &CursiveUpdater::oracleInsertEvent);
    connect(m_oracle, &EditionOracle::erase, this, &CursiveUpdater::oracleEraseEvent);
    connect(m_oracle, &EditionOracle::delay, this, &CursiveUpdater::oracleDelayEvent);
    connect(&m_typeSetTimer, &PadTimer::timeout, this, &CursiveUpdater::typeSetTimeoutEvent);
    connect(&m_oracleWatchdog, &PadTimer::timeout, this, &CursiveUpdater::oracleWatchdogEvent);
    connect(&m_layoutTimer, &PadTimer::timeout, this, &CursiveUpdater::layoutTimeoutEvent);
    connect(m_layoutAnimation, &CursiveLayoutAnimation::finished, this,
            &CursiveUpdater::layoutTimeLineFinishedEvent);
    connect(scene, &ScrivelScene::selectedCandidateUpdate, this,
            &CursiveUpdater::selectedCandidateUpdateEvent);
    PadServices *services = PadServices::instance();
    connect(services, &PadServices::newScreenChanged, this,
            &CursiveUpdater::adaptSceneToScreenChanged);
    connect(services, &PadServices::newStateFromTransparentWithText, this,
            &CursiveUpdater::adaptSceneFromFullScreen);
    connect(services, &PadServices::newStateFromWindowWithText, this,
            &CursiveUpdater::adaptSceneFromWindow);
    connect(this, &CursiveUpdater::translationFinished, services, &PadServices::setTranslation);
    connect(this, &CursiveUpdater::simulationFinished, services,
            &PadServices::setFullScreenMinGUIWidgetPos);
    connect(this, &CursiveUpdater::candidateListShown, services,
            &PadServices::adjustMinGUIWidgetPosWhenCandidatesShown);
    connect(this, &CursiveUpdater::localLayoutTimeLineFinished, services,
            &PadServices::layoutTimeLineFinished);

    for (QGraphicsLineItem *&line : m_guideLines) {
        line = new QGraphicsLineItem;
        line->setEnabled(false);
    }
}

// A scene destroyed first has deleted every item in it already.
CursiveUpdater::~CursiveUpdater()
{
    m_oracleWatchdog.stop();
    m_layoutAnimation->setWordGroup(nullptr);
    s_lastTappedWord = nullptr;
    const bool sceneAlive = !m_sceneGuard.isNull();
    for (int i = 0; i < 2; ++i) {
        if (sceneAlive || !m_guideShown[i])
            delete m_guideLines[i];
    }
    if (sceneAlive) {
        delete m_markGroup;
        delete m_strokeGroup;
        delete m_wordGroup;
        delete m_caretItem;
    }
}

TypeSetItem *CursiveUpdater::lastTappedWord()
{
    return s_lastTappedWord;
}

bool CursiveUpdater::isDictionaryWord(const QString &word) const
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

QRectF CursiveUpdater::visibleSceneRect() const
{
    const QList<QGraphicsView *> views = scene()->views();
    const int index = PadServices::instance()->isFullScreenState() ? 1 : 0;
    if (index >= views.size())
        return QRectF(0, 0, 0, 0);
    const QGraphicsView *view = views.at(index);
    return view->mapToScene(view->viewport()->rect()).boundingRect();
}

bool CursiveUpdater::fetchModel(UpdaterStates mask, CheckTask &task)
{
    task.mask = mask;
    return processRequest(&task);
}

// Pen events

// A running layout jumps to its end before new ink is handled.
void CursiveUpdater::penDownEvent()
{
    endLayout(true);
    Updater::penDownEvent();
}

CursiveTypeSetItem *CursiveUpdater::tappedWord(StrokeItem *stroke) const
{
    const QRectF box = stroke->sceneBoundingRect();
    if (!m_wordGroup || box.width() >= TapSize || box.height() >= TapSize)
        return nullptr;
    for (QGraphicsItem *child : m_wordGroup->childItems()) {
        auto *word = dynamic_cast<CursiveTypeSetItem *>(child);
        if (word && word->isUnderMouse() && word->sceneBoundingRect().intersects(box))
            return word;
    }
    return nullptr;
}

// A tap on a word asks for its candidates and leaves no ink; the base then
// runs as for a missing stroke, so the deleted item is never scheduled.
void CursiveUpdater::penUpEvent(StrokeItem *stroke)
{
    CursiveTypeSetItem *word = stroke ? tappedWord(stroke) : nullptr;
    if (!word) {
        s_lastTappedWord = nullptr;
        Updater::penUpEvent(stroke);
        return;
    }
    delete stroke;
    UpdaterRequest abort(UpdaterRequestKind::AbortTask);
    processRequest(&abort);
    if (word == s_lastTappedWord) {
        s_lastTappedWord = nullptr;
    } else {
        m_typeSetTimer.stop();
        CheckTask check(AnyState);
        fetchModel(AnyState, check);
        s_lastTappedWord = word;
        const int alignment = resultAlignment(check.model);
        word->showCandidates(alignment);
        emit candidateListRequested(word->segment(), word->sceneBoundingRect(), alignment);
    }
    Updater::penUpEvent(nullptr);
}

// Oracle request and watchdog

void CursiveUpdater::requestOracle(const RecognitionResult &model,
                                   const QList<StrokeItem *> &strokes)
{
    const RecognitionResult rebuilt = rebuildResultTree(model, true);
    QList<InkRangeInfo> infos;
    for (const Segment &word : rebuilt.root().segmentsOfType(ResultNode::Word)) {
        const ResultNode c = word.selectedCandidate();
        if (c.isSpace() || c.isNewLine())
            continue;
        for (const Segment &piece : c.children())
            infos << InkRangeInfo(piece);
    }
    const bool emptyPad = rebuilt.root().ink().strokes().isEmpty();
    const GestureSet set = !emptyPad || strokes.size() > 1 ? 1 : 2;
    emit oracleRequest(strokesOf(strokes), infos, set);
    m_oracleWatchdog.start(OracleWatchdogDelay);
}

void CursiveUpdater::resumeProcessing()
{
    emit oracleResume();
}

// A slow oracle only lets pending events run; nothing is retried.
void CursiveUpdater::oracleWatchdogEvent()
{
    m_oracleWatchdog.stop();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Oracle answers

void CursiveUpdater::oracleDelayEvent(int delay, int count)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    DelayTask task(delay, count);
    processRequest(&task);
}

void CursiveUpdater::oracleAppendEvent(int count)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    const QList<StrokeItem *> written = check.pendingStrokes.mid(0, qMax(0, count));
    const RecognitionResult ink =
        resultFromStrokes(strokesOf(written), QStringLiteral("#"), 2, 0);
    const RecognitionResult model = mergeResultInto(check.model, ink, 0);
    UpdateTask update(model, count, KeepProcessedStrokes);
    processRequest(&update);
    emit updateRecognitionResult(model, QRectF(0, 0, 0, 0), false);
}

void CursiveUpdater::oracleGestureEvent(const QString &gesture)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check) || check.pendingStrokes.isEmpty())
        return;
    cursorTimer()->start(0);
    const RecognitionResult key =
        resultFromStroke(check.pendingStrokes.first()->stroke(), gesture, 2, 0);
    const RecognitionResult model =
        mergeResults({respaceResult(check.model, DropTrailing), key}, 1);
    UpdaterRequest send(UpdaterRequestKind::SendWhenIdle);
    processRequest(&send);
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

void CursiveUpdater::oracleEraseEvent(InkRange ink)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    QList<RecognitionResult> parts = splitResult(check.model, ink);
    for (int i = 0; i < parts.size(); ++i) {
        if (i % 2 == 1)
            parts[i] = resultFromText(QStringLiteral(" "), 0);
        parts[i] = detachResultInk(parts.at(i));
    }
    RecognitionResult model = mergeResults(parts, 1);
    model = keepFrame(respaceResult(model, StripSeparatorInk | DropLeading | CollapseSeparators),
                      model);
    if (model.root().ink().isEmpty())
        m_layoutTimer.stop();
    else
        m_layoutTimer.start(InsertLayoutDelay);
    if (!check.pendingStrokes.isEmpty())
        check.pendingStrokes.first()->hide();
    cursorTimer()->start(0);
    UpdateTask update(model, 1, 2);
    processRequest(&update);
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

void CursiveUpdater::oracleInsertEvent(InkLocation location, bool upward)
{
    m_oracleWatchdog.stop();
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    RecognitionResult model = check.model;
    double gestureX = 0;
    if (!check.pendingStrokes.isEmpty()) {
        StrokeItem *gesture = check.pendingStrokes.first();
        gestureX = gesture->sceneBoundingRect().center().x();
        gesture->hide();
    }
    const QList<InkRange> lines = inkRangesPerLine(model.root());
    int lineIndex = -1;
    for (int i = 0; i < lines.size() && lineIndex < 0; ++i) {
        if (lines.at(i).containsLocation(location))
            lineIndex = i;
    }
    double shift = 0;
    QRectF before, after;
    if (lineIndex >= 0) {
        QList<RecognitionResult> parts = splitResult(model, lines.at(lineIndex));
        if (parts.size() > 1) {
            RecognitionResult head, tail;
            cutResult(parts.at(1), location, &head, &tail);
            const QRectF rb = head.root().ink().boundingRect();
            const QRectF ra = tail.root().ink().boundingRect();
            const bool leftAligned = model.layout().alignment == Qt::AlignLeft;
            if (!upward) {
                const RecognitionResult space =
                    respaceResult(resultFromText(QStringLiteral(" "), 0), StripSeparatorInk);
                head = mergeResultInto(head, space, 0);
                shift = model.layout().lineSpacing;
            } else {
                head = respaceResult(head, DropTrailing);
                const double d = leftAligned
                                     ? rb.right() - (ra.left() - tail.root().ink().leftmostStrokeOffset())
                                     : ra.right() - rb.left();
                shift = qMin(d, 0.0);
            }
            head = detachResultInk(head);
            tail = detachResultInk(tail);
            QTransform moved = tail.transform();
            moved.translate(leftAligned ? -shift : shift, 0);
            tail.setTransform(moved);
            parts[1] = mergeResultInto(head, tail, 1);
            model = keepFrame(mergeResults(parts, 0), model);
            before = head.root().ink().boundingRect();
            after = tail.root().ink().boundingRect();
        }
    }
    m_layoutTimer.start(InsertLayoutDelay);
    if (shift > 0) {
        removeCaret();
        const QRectF u = before.united(after);
        if (writingDirection() == Qt::AlignLeft) {
            const double e = before.right(), f = after.left() + shift;
            const double x0 = e < gestureX && gestureX < f ? gestureX : e;
            showCaret(QRectF(x0, u.top(), f - x0, u.height()));
        } else {
            const double e = before.left(), f = after.right() - shift;
            const double x0 = f < gestureX && gestureX < e ? gestureX : e;
            showCaret(QRectF(f, u.top(), x0 - f, u.height()));
        }
    }
    cursorTimer()->start(0);
    UpdateTask update(model, 1, 1);
    processRequest(&update);
    FinalizeTask finalize(model, 0);
    processRequest(&finalize);
}

// Insertion caret

void CursiveUpdater::showCaret(const QRectF &rect)
{
    m_caretItem = new QGraphicsRectItem(rect);
    m_caretItem->setPen(Qt::NoPen);
    m_caretItem->setBrush(QBrush(QColor(CaretGrey, CaretGrey, CaretGrey, CaretGrey)));
    scene()->addItem(m_caretItem);
    m_blinkTimeLine = new QTimeLine(500, this);
    m_blinkTimeLine->setFrameRange(0, 10);
    m_blinkTimeLine->setEasingCurve(QEasingCurve::OutCurve);
    connect(m_blinkTimeLine, &QTimeLine::frameChanged, this, &CursiveUpdater::blinkTimeLineEvent);
    connect(m_blinkTimeLine, &QTimeLine::finished, this,
            &CursiveUpdater::blinkTimeLineFinishedEvent);
    m_blinkTimeLine->start();
}

void CursiveUpdater::removeCaret()
{
    if (m_blinkTimeLine) {
        m_blinkTimeLine->stop();
        m_blinkTimeLine->deleteLater();
        m_blinkTimeLine = nullptr;
    }
    delete m_caretItem;
    m_caretItem = nullptr;
}

void CursiveUpdater::blinkTimeLineEvent(int frame)
{
    if (!m_caretItem || !m_blinkTimeLine)
        return;
    const int end = m_blinkTimeLine->endFrame();
    const int alpha = end > 0 ? (end - frame) * CaretGrey / end : 0;
    m_caretItem->setBrush(QBrush(QColor(CaretGrey, CaretGrey, CaretGrey, alpha)));
    m_caretItem->update();
}

void CursiveUpdater::blinkTimeLineFinishedEvent()
{
    delete m_caretItem;
    m_caretItem = nullptr;
}

// Recognition results

void CursiveUpdater::recoResultEvent(const RecognitionResult &wet)
{
    cursiveTrace(QStringLiteral("CursiveUpdater: recoResultEvent entered\n"));
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    if (wet.root().ink().isEmpty()) {
        cursiveTrace(QStringLiteral("CursiveUpdater: wetResult isEmpty\n"));
        FinalizeTask finalize(RecognitionResult(), 1);
        processRequest(&finalize);
        return;
    }
    const ResultLayout previous = check.model.layout();
    RecognitionResult model = mergeWetResult(check.model, wet, m_respaceBeforeMerge);
    model.layout() = updateLayoutMetrics(model, previous);
    model.layout() = adaptLayoutToView(model.layout(), visibleSceneRect(),
                                       PadServices::instance()->isFullScreenState());
    QList<QGraphicsItem *> keepOut;
    for (StrokeItem *item : check.pendingStrokes.mid(check.processedCount))
        keepOut << item;
    model = freezeSettledWords(markTypeset(model, keepOut));
    cursiveTrace(QStringLiteral("CursiveUpdater: recoResultEvent builds: ") + textOf(model) + "\n");
    FinalizeTask finalize(model, 2);
    processRequest(&finalize);
}

// Typesetting

RecognitionResult CursiveUpdater::markTypeset(const RecognitionResult &model,
                                              const QList<QGraphicsItem *> &keepOut)
{
    QList<QRectF> rects;
    for (const QGraphicsItem *item : keepOut)
        rects << item->sceneBoundingRect();
    const TypesetMarks marks = markTypesetInk(model, rects, PadClock::now());
    if (marks.retry) {
        m_layoutTimer.stop();
        m_typeSetTimer.start(marks.retryIn);
    } else {
        m_typeSetTimer.stop();
        if (marks.layoutDue)
            m_layoutTimer.start(marks.layoutIn);
        else
            m_layoutTimer.stop();
    }
    return marks.result;
}

void CursiveUpdater::typeSetTimeoutEvent()
{
    m_typeSetTimer.stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive))
        return;
    const RecognitionResult model = freezeSettledWords(markTypeset(check.model, {}));
    UpdateIdle task(model, 2);
    processRequest(&task);
}

// An open list holds automatic sending; a choice takes effect only while idle,
// and a closed list lets the words be typeset again.
void CursiveUpdater::selectedCandidateUpdateEvent(ScrivelScene::CandidateListInfo info,
                                                  const Segment &segment, int index)
{
    if (info == ScrivelScene::CandidateShown) {
        holdSendTimer(CandidateListHold);
    } else if (info == ScrivelScene::CandidateChosen) {
        CheckTask check(UpdaterState::Idle);
        if (!fetchModel(UpdaterState::Idle, check))
            return;
        UpdateIdle task(chooseCandidate(check.model, segment, index, PadClock::now()), 17);
        processRequest(&task);
    } else {
        releaseSendTimer(CandidateListHold);
        m_typeSetTimer.start(RetypesetDelay);
    }
}

// Layout animation

// Stops the layout; a running glide ends at once, its end handled when settle is set.
void CursiveUpdater::endLayout(bool settle)
{
    m_layoutTimer.stop();
    if (!m_layoutAnimation->timeLine())
        return;
    const QSignalBlocker quiet(settle ? nullptr : m_layoutAnimation);
    m_layoutAnimation->finish();
}

// The whole text becomes typeset lines: the word items glide from where they
// stand to their laid-out places.
void CursiveUpdater::layoutTimeoutEvent()
{
    m_layoutTimer.stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive))
        return;
    const RecognitionResult model = layoutStartModel(check.model);
    UpdateIdle task(model, 0);
    processRequest(&task);
    if (!m_wordGroup)
        return;
    setEndPlacements(m_wordGroup->childItems(), model,
                     layoutWordPlacements(model, false, writingDirection()));
    m_layoutAnimation->start();
    enableMagicActionSignal(true);
}

// The settled words' ink follows their items, and the pad is rebuilt in the
// final layout.
void CursiveUpdater::layoutTimeLineFinishedEvent()
{
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || (check.flags & PenActive) || !m_wordGroup)
        return;
    UpdateIdle task(layoutEndModel(check.model, m_wordGroup->childItems()), 1);
    processRequest(&task);
    expandToFitWords();
    emit localLayoutTimeLineFinished();
}

void CursiveUpdater::segmentCorrectionRequestEvent(const Segment &segment)
{
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    const QList<RecognitionResult> pieces =
        splitResultAtCuts(check.model, {segment.ink().firstLocation()});
    emit correctionRequestAtPos(pieces.isEmpty() ? 0 : int(textOf(pieces.first()).size()));
}

// Model import

// A model from outside replaces the pad's: its lines' words are mirrored when
// the text runs against the pad, and its words set in the pad's layout.
void CursiveUpdater::importModelEvent(const RecognitionResult &imported)
{
    Updater::importModelEvent(imported);
    endLayout(false);
    if (imported.layout().flags & 4) {
        UpdateIdle task(RecognitionResult(), 1);
        processRequest(&task);
        return;
    }
    if (imported.root().ink().isEmpty()) {
        UpdaterRequest clear(UpdaterRequestKind::ClearContext);
        processRequest(&clear);
        UpdateIdle task(imported, 1);
        processRequest(&task);
        scene()->clearStrokes(false);
        return;
    }
    RecognitionResult model = imported;
    if (writingDirection() == Qt::AlignRight)
        model = markSpacedCharacterInk(model);
    const bool mirrored = needsMirroring(model, writingDirection());
    if (mirrored)
        model = mirrorLineWords(model);
    model = placeWordsForScreen(model, true, writingDirection());
    UpdateIdle task(model, mirrored ? 17 : 1);
    processRequest(&task);
    expandToFitWords();
}

// The width of the writing area in scene units: the screen across the full-screen view, or
// the panel window less its margins across the pad's view.
double CursiveUpdater::screenWritingWidth() const
{
    const QList<QGraphicsView *> views = scene()->views();
    PadServices *services = PadServices::instance();
    const bool full = services->isFullScreenState() && views.size() > 1;
    const QGraphicsView *view = full ? views.at(1) : views.constFirst();
    QPoint from, to;
    if (full) {
        const QRect screen = services->screenRect();
        from = screen.topLeft();
        to = screen.topRight();
    } else {
        const QRect panel = panelRect(view);
        from = QPoint(panel.left() + 14, panel.top() + 40);
        to = QPoint(panel.right() - 60, panel.top() + 40);
    }
    return view->mapToScene(view->mapFromGlobal(to)).x()
           - view->mapToScene(view->mapFromGlobal(from)).x();
}

// A screen change breaks the lines to the writing area's new width.
void CursiveUpdater::adaptSceneToScreenChanged()
{
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check) || check.model.root().ink().isEmpty()
        || scene()->views().isEmpty())
        return;
    const double width = screenWritingWidth();
    const RecognitionResult broken = breakLinesForScreen(check.model, width);
    UpdateIdle task(placeWordsForScreen(broken, true, writingDirection()), 1);
    processRequest(&task);
}

// Full-screen writing

void CursiveUpdater::adaptSceneFromFullScreen(bool simulationOnly)
{
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    QRectF ink = check.model.root().ink().boundingRect();
    const QList<QGraphicsView *> views = scene()->views();
    if (ink.width() <= 0 || ink.height() <= 0 || views.isEmpty())
        return;
    ink.adjust(-100, -100, 1000, 100);
    if (!simulationOnly) {
        const bool left = resultAlignment(check.model) == Qt::AlignLeft;
        PadServices::instance()->setWidgetTranslation(0, left ? ink.topLeft() : ink.topRight());
    }
    // The ink is where the full-screen view shows it while that view is up.
    const QGraphicsView *view = views.size() > 1 && views.at(1)->isVisible() ? views.at(1)
                                                                             : views.first();
    const QRect inView = view->mapFromScene(ink).boundingRect();
    const QRectF onScreen(QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size()));
    if (simulationOnly)
        emit simulationFinished(onScreen);
    else
        emit translationFinished(onScreen);
}

void CursiveUpdater::adaptSceneFromWindow()
{
    const QList<QGraphicsView *> views = scene()->views();
    if (views.isEmpty())
        return;
    const QGraphicsView *view = views.first();
    QPoint corner = view->viewport()->mapFromGlobal(QPoint(0, 0));
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    const bool right = resultAlignment(check.model) == Qt::AlignRight;
    if (right) {
        corner = view->viewport()->mapFromGlobal(PadServices::instance()->screenRect().topRight());
        corner.setX(std::max(corner.x(), view->viewport()->rect().right()));
    } else {
        corner.setX(std::min(corner.x(), 0));
    }
    corner.setY(std::min(corner.y(), 0));
    PadServices::instance()->setWidgetTranslation(1, view->mapToScene(corner));
    showGuideLine(0, false);
    showGuideLine(1, false);
}

// Magic view

void CursiveUpdater::magicButtonEvent(bool on)
{
    if (QGraphicsRectItem *background = scene()->transparentRectItem()) {
        const bool full = PadServices::instance()->isFullScreenState();
        background->setCursor(on ? QCursor(Qt::PointingHandCursor)
                                 : scene()->style().cursor(full ? ItemStyle::FullScreenCursor
                                                                : ItemStyle::IdleCursor));
    }
    scene()->setModalItem(nullptr);
    delete m_markGroup;
    m_markGroup = nullptr;
    if (!on)
        return;
    endLayout(true);
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    const MagicWordBoxes boxes = buildMagicWordBoxes(check.model, writingDirection());
    m_markGroup = new QGraphicsItemGroup;
    m_markGroup->setZValue(3.0);
    m_markGroup->setHandlesChildEvents(false);
    scene()->addItem(m_markGroup);
    for (int i = 0; i < boxes.boxes.size(); ++i) {
        if (boxes.boxes.at(i).isEmpty())
            continue;
        auto *mark = new AnimationEraseRect(this);
        mark->setRect(boxes.boxes.at(i));
        mark->setText(boxes.labels.value(i));
        m_markGroup->addToGroup(mark);
    }
}

// Panel expansion

QPointF CursiveUpdater::screenEdge(bool right) const
{
    const QGraphicsView *view = scene()->views().constFirst();
    const QRect screen = PadServices::instance()->screenRect();
    const QPoint corner = right ? screen.topRight() : screen.topLeft();
    return view->mapToScene(view->mapFromGlobal(corner));
}

// The panel grows when the next word would not fit beside the text.
void CursiveUpdater::prepareExpandScrivelEvent(float position)
{
    if (PadServices::instance()->isFullScreenState() || scene()->views().isEmpty())
        return;
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    ExpansionRequest request;
    request.position = position;
    request.referenceHeight = check.model.layout().lineSpacing;
    request.lineHeight = typesetLineHeight(check.model.layout());
    request.places = expansionWordPlaces(language());
    request.alignment = resultAlignment(check.model);
    request.visible = visibleSceneRect();
    for (QGraphicsItem *item : scene()->items()) {
        if (item->type() == StyledItem::CursiveTypeSetItemType
            || item->type() == StyledItem::StrokeItemType)
            request.written |= item->sceneBoundingRect();
    }
    request.screenEdgeX = screenEdge(request.alignment == Qt::AlignRight).x();
    const std::optional<QPointF> growth = expansionFractions(request);
    if (!growth)
        return;
    QGraphicsView *view = scene()->views().constFirst();
    view->setInteractive(false);
    emit expandScrivel(float(growth->x()), float(growth->y()),
                       Qt::Alignment(request.alignment), false);
    view->setInteractive(true);
}

// Typeset words below the panel's writing area make it grow.
void CursiveUpdater::expandToFitWords()
{
    if (PadServices::instance()->isFullScreenState() || scene()->views().isEmpty())
        return;
    const QGraphicsView *view = scene()->views().constFirst();
    const QWidget *window = view->window();
    if (!window || !window->isVisible())
        return;
    QList<QRectF> words;
    for (QGraphicsItem *item : scene()->items()) {
        if (item->type() != StyledItem::CursiveTypeSetItemType)
            continue;
        const QRect inView = view->mapFromScene(item->sceneBoundingRect()).boundingRect();
        words << QRectF(QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size()));
    }
    const double overflow = wordsOverflowFraction(words, panelRect(view));
    if (overflow <= 0)
        return;
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    emit expandScrivel(0.0f, float(overflow), Qt::Alignment(resultAlignment(check.model)), true);
}

// Typeset building

void CursiveUpdater::buildTypeSet(TypeSetModes mode, const RecognitionResult &model,
                                  const QList<StrokeItem *> &strokes)
{
    if (!m_strokeGroup || !m_wordGroup || mode.testFlag(RecreateGroups))
        recreateGroups();
    for (StrokeItem *item : strokes)
        m_strokeGroup->addToGroup(item);
    if (model.root().ink().isEmpty())
        clearGlyphCaches();
    if (mode) {
        const InkRange typeset = model.cachedInk(TypesetInk);
        QList<Segment> shownWords;
        QList<Stroke> shownStrokes;
        for (const Segment &word : model.root().segmentsOfType(ResultNode::Word)) {
            if (showsAsWord(word, typeset)) {
                shownWords << word;
            } else if (word.ink().intersects(typeset)) {
                const QList<RecognitionResult> pieces =
                    splitResult(resultFromSegment(word), word.ink().intersected(typeset));
                for (int i = 0; i < pieces.size(); ++i) {
                    if (i % 2 == 0)
                        shownStrokes << pieces.at(i).root().ink().strokes();
                    else if (!pieces.at(i).root().ink().isEmpty())
                        shownWords << pieces.at(i).root();
                }
            } else {
                shownStrokes << word.ink().strokes();
            }
        }
        rebuildStrokes(shownStrokes, model);
        rebuildWords(shownWords, model);
    }
    if (m_wordGroup->isVisible() || m_strokeGroup->isVisible())
        updateGuideLines(model);
}

void CursiveUpdater::recreateGroups()
{
    if (m_wordGroup && m_wordGroup->childItems().contains(s_lastTappedWord))
        s_lastTappedWord = nullptr;
    delete m_wordGroup;
    delete m_strokeGroup;
    for (QGraphicsItemGroup **group : {&m_wordGroup, &m_strokeGroup}) {
        *group = new QGraphicsItemGroup;
        (*group)->setZValue(1.0);
        (*group)->setHandlesChildEvents(false);
        scene()->addItem(*group);
    }
    m_layoutAnimation->setWordGroup(m_wordGroup);
}

void CursiveUpdater::rebuildStrokes(const QList<Stroke> &shown, const RecognitionResult &model)
{
    QList<Stroke> missing = shown;
    for (QGraphicsItem *child : m_strokeGroup->childItems()) {
        auto *item = dynamic_cast<StrokeItem *>(child);
        if (!item)
            continue;
        auto match = std::find_if(missing.begin(), missing.end(),
                                  [item](const Stroke &s) { return item->hasPath(s); });
        if (match == missing.end())
            delete item;
        else
            missing.erase(match);
    }
    for (const Stroke &s : missing)
        m_strokeGroup->addToGroup(new StrokeItem(s, model.transform(), scene()->style()));
}

void CursiveUpdater::rebuildWords(QList<Segment> shown, const RecognitionResult &model)
{
    for (QGraphicsItem *child : m_wordGroup->childItems()) {
        auto *item = dynamic_cast<TypeSetItem *>(child);
        if (!item)
            continue;
        auto match = std::find_if(shown.begin(), shown.end(),
                                  [item](const Segment &s) { return item->matchesSegment(s); });
        if (match == shown.end()) {
            if (item == s_lastTappedWord)
                s_lastTappedWord = nullptr;
            delete item;
        } else {
            item->setSegment(*match);
            shown.erase(match);
        }
    }
    int line = 0;
    for (const Segment &word : shown) {
        if (word.selectedCandidate().isNewLine()) {
            ++line;
            continue;
        }
        auto *item = new CursiveTypeSetItem(word, scene()->style(), writingDirection());
        m_wordGroup->addToGroup(item);
        const QTransform placement = wordTransform(word, model.layout(), line);
        item->setStartTransform(placement);
        item->setEndTransform(placement);
        item->interpolateTransform(0.0);
    }
}

// Guide lines

int CursiveUpdater::resultAlignment(const RecognitionResult &model) const
{
    return model.root().ink().isEmpty() ? writingDirection() : model.layout().alignment;
}

void CursiveUpdater::resetGuideLinesXEvent()
{
    if (PadServices::instance()->isFullScreenState())
        return;
    CheckTask check(AnyState);
    fetchModel(AnyState, check);
    updateGuideLines(check.model);
}

void CursiveUpdater::showGuideLine(int index, bool shown)
{
    QGraphicsLineItem *line = m_guideLines[index];
    if (shown && !m_guideShown[index])
        scene()->addItem(line);
    else if (!shown && m_guideShown[index])
        scene()->removeItem(line);
    m_guideShown[index] = shown;
}

void CursiveUpdater::updateGuideLines(const RecognitionResult &model)
{
    const QList<double> &lines = model.layout().linePositions;
    if (model.root().ink().isEmpty() || lines.isEmpty()
        || PadServices::instance()->isFullScreenState()) {
        showGuideLine(0, false);
        showGuideLine(1, false);
        return;
    }
    const bool right = resultAlignment(model) == Qt::AlignRight;
    const QRectF s = scene()->sceneRect();
    double textEnd = right ? s.right() : 0;
    double textBegin = right ? s.left() : s.right();
    const QList<Segment> words = model.root().segmentsOfType(ResultNode::Word);
    int from = int(lines.size()) - 1;
    QRectF band(s.x(), lines.at(from), s.width(), 1.0);
    for (;;) {
        bool found = false;
        for (const Segment &word : words) {
            const QRectF r = word.ink().boundingRect();
            if (word.ink().isEmpty() || r.width() <= 0 || r.height() <= 0
                || !r.adjusted(0, 0, 1.0, 200.0).intersects(band))
                continue;
            found = true;
            textEnd = right ? qMin(textEnd, r.left()) : qMax(textEnd, r.right());
            textBegin = right ? qMax(textBegin, r.right()) : qMin(textBegin, r.left());
        }
        if (found)
            break;
        if (from == 0)
            return;
        --from;
        band.setTop(lines.at(from));
    }
    const double y = band.top();
    const double lineStart = right ? textEnd - 150.0 : textEnd + 150.0;
    const QRectF visible = visibleSceneRect();
    const double areaEnd = right ? visible.left() + 250.0 : visible.right() - 250.0;
    const double h = model.layout().lineSpacing;

    const bool first = right ? lineStart - 500.0 > areaEnd : lineStart + 500.0 < areaEnd;
    if (first)
        m_guideLines[0]->setLine(lineStart, y, areaEnd, y);
    showGuideLine(0, first);
    const bool second = right ? lineStart - 5.0 * h < areaEnd : lineStart + 5.0 * h > areaEnd;
    if (second) {
        const double y2 = y + 1.5 * typesetLineHeight(model.layout());
        m_guideLines[1]->setLine(textBegin, y2, areaEnd, y2);
    }
    showGuideLine(1, second);
}
