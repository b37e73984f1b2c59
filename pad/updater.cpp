#include "pad/updater.h"

#include "model/merging.h"
#include "model/respacing.h"
#include "model/resultbuilding.h"
#include "model/specialkeys.h"
#include "pad/demoplayer.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"
#include "recognition/recognizerconfig.h"

#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcUpdater, "scrivel.updater", QtInfoMsg)

namespace {

const char *const KindNames[] = {"", "IncomingTask", "AbortTask", "ClearContext", "ScheduleTask",
                                 "CheckTask", "UpdateTask", "FinalizeTask", "DelayTask",
                                 "ResumeTask", "UpdateIdle", "SendWhenIdle"};

QString kindName(UpdaterRequestKind kind)
{
    const int k = int(kind);
    return k >= 1 && k <= 11 ? QString::fromLatin1(KindNames[k]) : QString::number(k);
}

constexpr int KeyGuardMs = 700;
// A default push button's auto-repeat interval.
constexpr int AutoRepeatIntervalMs = 100;

// The gesture that teaches a key, or 0.
int keyDemoKind(const QString &label)
{
    if (label == specialKeyText(SpecialKey::Return))
        return DemoPlayer::ReturnDemo;
    if (label == QLatin1String(" "))
        return DemoPlayer::SpaceDemo;
    if (label == specialKeyText(SpecialKey::Backspace))
        return DemoPlayer::BackspaceDemo;
    return DemoPlayer::NoDemo;
}

QString keyOfDemo(int kind)
{
    if (kind == DemoPlayer::ReturnDemo)
        return specialKeyText(SpecialKey::Return);
    if (kind == DemoPlayer::BackspaceDemo)
        return specialKeyText(SpecialKey::Backspace);
    return QStringLiteral(" ");
}

} // namespace

Updater::Updater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                 Qt::Alignment writingDirection)
    : QObject(scene),
      m_behaviour(behaviour),
      m_scene(scene),
      m_sendTimer(new QTimer(this)),
      m_cursorTimer(new QTimer(this)),
      m_resumeTimer(new QTimer(this)),
      m_writingDirection(writingDirection & Qt::AlignRight ? Qt::AlignRight : Qt::AlignLeft),
      m_demo(new DemoPlayer(scene, this)),
      m_keyGuardTimer(new QTimer(this)),
      m_demoStartTimer(new QTimer(this))
{
    m_cursorTimer->setSingleShot(true);
    m_keyGuardTimer->setSingleShot(true);
    m_demoStartTimer->setSingleShot(true);
    connect(m_demoStartTimer, &QTimer::timeout, this, &Updater::startKeyDemo);
    connect(m_demo, &DemoPlayer::fedStrokeStarting, this, [this] {
        penDownEvent();
        m_scene->setBlocked(true);
    });
    connect(m_demo, &DemoPlayer::fedStrokeDone, this, [this](StrokeItem *item) {
        penUpEvent(item);
        emit animationStrokeDone();
    });
    connect(m_demo, &DemoPlayer::fedDemoEnded, this, &Updater::fedDemoEnded);
    connect(m_demo, &DemoPlayer::fullScreenStart, this, &Updater::simulateIsNotVsdMove);
    // A scene that goes first has deleted its items, the auxiliary item among them.
    connect(scene, &QObject::destroyed, this, [this] { m_auxItem = nullptr; });
    PadServices *services = PadServices::instance();
    connect(m_sendTimer, &QTimer::timeout, this, &Updater::sendActionEvent);
    connect(m_resumeTimer, &QTimer::timeout, this, &Updater::resumeTimerEvent);
    connect(m_cursorTimer, &QTimer::timeout, this, &Updater::unsetWritingCursor);
    connect(m_sendTimer, &QTimer::timeout, this, &Updater::emptyFullScreenWritepad);
    connect(this, &Updater::emptyFullScreenWritepad, services, &PadServices::emptyFullScreenWritepadEvent);
    connect(this, &Updater::simulateIsNotVsdMove, services, &PadServices::isNotVsdMoveBeforeWritingInApp);
}

// Pending stroke items stay in the scene, which deletes them.
WritingDirection Updater::textDirection() const
{
    return m_writingDirection == Qt::AlignRight ? WritingDirection::RightToLeft
                                                : WritingDirection::LeftToRight;
}

Qt::Alignment Updater::alignmentFor(WritingDirection direction)
{
    return direction == WritingDirection::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
}

Updater::~Updater()
{
    delete m_auxItem;
}

void Updater::setBehaviour(const BehaviourSettings &behaviour)
{
    m_behaviour = behaviour;
}

void Updater::resetState() { m_context.state = State::Idle; }

QRectF Updater::boxRectAt(double, bool) const
{
    return QRectF(0, 0, 0, 0);
}

RecognitionResult Updater::exportableModel(const RecognitionResult &model)
{
    if (m_keyQueue.isEmpty())
        return model;
    RecognitionResult merged = respaceResult(model, DropTrailing);
    for (const RecognitionResult &keys : std::as_const(m_keyQueue))
        merged = mergeResultInto(merged, keys, 0);
    m_keyQueue.clear();
    return merged;
}

void Updater::setAuxiliaryItem(QGraphicsItem *item)
{
    if (item != m_auxItem)
        delete m_auxItem;
    m_auxItem = item;
}

void Updater::importMiniKeyboardEvent(const RecognitionResult &keys)
{
    const int demo = keyDemoKind(keys.root().selectedCandidate().label());
    const bool animated = m_behaviour.displayAnimationInk && animatesKeys() && !m_demo->timeLine()
                          && !m_demoStartTimer->isActive() && !m_keyGuardTimer->isActive()
                          && demo != DemoPlayer::NoDemo;
    if (animated) {
        m_waitingKeyDemo = demo;
        m_demoStartTimer->start(5 * AutoRepeatIntervalMs);
        return;
    }
    if (m_demoStartTimer->isActive()) {
        m_demoStartTimer->stop();
        m_keyQueue.append(resultFromText(keyOfDemo(m_waitingKeyDemo), 0));
    }
    m_keyQueue.append(keys);
    UpdaterRequest task(UpdaterRequestKind::SendWhenIdle);
    processRequest(&task);
    m_keyGuardTimer->start(KeyGuardMs);
    m_waitingKeyDemo = DemoPlayer::NoDemo;
}

void Updater::startKeyDemo()
{
    const int kind = m_waitingKeyDemo;
    m_waitingKeyDemo = DemoPlayer::NoDemo;
    loadAnimationInk(kind, visibleSceneRect(), QString());
}

void Updater::loadAnimationInk(int kind, const QRectF &rect, const QString &name)
{
    setAuxiliaryItem(nullptr);
    m_demo->load(kind, rect, isDictionaryWord(name), m_behaviour.displayAnimationInk);
}

void Updater::fedDemoEnded(bool completed)
{
    emit enableMagicAction(modelHasInk());
    if (completed)
        m_keyGuardTimer->start(KeyGuardMs);
    m_scene->setBlocked(false);
}

void Updater::stopDemo()
{
    m_demo->stop();
}

void Updater::endSampleInk()
{
    m_demo->endSample();
}

void Updater::showCalculatorSampleInk()
{
    CheckTask check(UpdaterState::Idle | UpdaterState::Processing | UpdaterState::Paused);
    if (processRequest(&check) && !check.model.root().ink().isEmpty())
        m_hasWritten = true;
    if (!m_behaviour.displayCalculatorSampleInk || m_hasWritten || m_scene->views().isEmpty())
        return;
    endSampleInk();
    const QGraphicsView *view = m_scene->views().first();
    QRectF r = view->mapToScene(view->viewport()->rect()).boundingRect();
    const qreal margin = 0.125 * std::min(r.width(), r.height());
    r.adjust(margin, margin, -margin, -margin);
    if (m_behaviour.showKeypad)
        r.setWidth(r.width() - PadServices::instance()->currentKeypadWidth());
    loadAnimationInk(DemoPlayer::CalculatorSample, r, QString());
}

bool Updater::isDictionaryWord(const QString &) const
{
    return false;
}

QRectF Updater::visibleSceneRect() const
{
    return QRectF(0, 0, 0, 0);
}

bool Updater::modelHasInk() const
{
    return !m_context.model.root().ink().isEmpty();
}

bool Updater::isEmpty() const
{
    return !modelHasInk() && !(m_context.flags & PenActive);
}

void Updater::holdSendTimer(int mask)
{
    m_sendHoldMask |= mask;
    m_sendTimer->stop();
}

void Updater::releaseSendTimer(int mask)
{
    m_sendHoldMask &= ~mask;
    if (m_sendHoldMask == 0 && m_behaviour.autoSend)
        m_sendTimer->start(m_behaviour.autoSendSpeed);
}

void Updater::restartSendTimer()
{
    if (m_behaviour.autoSend && m_sendTimer->isActive())
        m_sendTimer->start(m_behaviour.autoSendSpeed);
}

void Updater::emitEmptyIfIdle()
{
    if (!m_behaviour.autoSend && !modelHasInk())
        emit emptyFullScreenWritepad();
}

void Updater::setRecognitionConfig(const Config &config)
{
    m_noWordSpacing = config.noWordSpacing;
    m_decimalSeparator = config.recognizerConfig.decimalSeparator;
    m_language = config.language.locale().language();
}

void Updater::penUpEvent(StrokeItem *item)
{
    if (!item) {
        m_cursorTimer->start(0);
        return;
    }
    m_cursorTimer->start(WritingCursorDelay);
    ScheduleTask task(item);
    processRequest(&task);
    emit enableMagicAction(false);
}

void Updater::penDownEvent()
{
    m_hasWritten = true;
    endSampleInk();
    m_cursorTimer->stop();
    m_scene->transparentRectItem()->setCursor(m_scene->style().cursor(ItemStyle::WritingCursor));
    UpdaterRequest task(UpdaterRequestKind::IncomingTask);
    processRequest(&task);
    emit hideMiniKeyboard();
}

void Updater::unsetWritingCursor()
{
    m_cursorTimer->stop();
    m_scene->setIdleCursor();
}

void Updater::importModelEvent(const RecognitionResult &model)
{
    const QList<QGraphicsView *> views = m_scene->views();
    for (int i = 0; i < qMin(2, int(views.size())); ++i) {
        if (auto *view = qobject_cast<ScrivelView *>(views[i]))
            view->setAlignment(model.layout().alignment);
    }
}

void Updater::importModelEvent()
{
    importModelEvent(RecognitionResult());
}

void Updater::resumeTimerEvent()
{
    UpdaterRequest task(UpdaterRequestKind::ResumeTask);
    processRequest(&task);
}

void Updater::sendActionEvent()
{
    UpdaterRequest task(UpdaterRequestKind::SendWhenIdle);
    processRequest(&task);
}

void Updater::enableMagicActionSignal(bool on)
{
    emit enableMagicAction(modelHasInk() && on);
}

void Updater::magicButtonEvent(bool) {}

void Updater::calcButtonEvent(bool) {}

bool Updater::processRequest(UpdaterRequest *request)
{
    trace(QStringLiteral("Updater : processRequest entered"));
    bool result = false;
    switch (m_context.state) {
    case State::Idle:
        result = processIdle(request);
        break;
    case State::Processing:
        result = processProcessing(request);
        break;
    case State::Paused:
        result = processPaused(request);
        break;
    }
    sendIfIdle();
    return result;
}

bool Updater::processIdle(UpdaterRequest *request)
{
    Context &c = m_context;
    trace(QStringLiteral("Updater(Idle) : %1").arg(kindName(request->kind)));
    switch (request->kind) {
    case UpdaterRequestKind::IncomingTask:
        c.flags |= PenActive;
        holdSendTimer(StrokeWorkHold);
        return true;
    case UpdaterRequestKind::AbortTask:
        c.flags &= ~PenActive;
        releaseSendTimer(StrokeWorkHold);
        emitEmptyIfIdle();
        return true;
    case UpdaterRequestKind::ClearContext:
        resetContext();
        emitEmptyIfIdle();
        return true;
    case UpdaterRequestKind::ScheduleTask:
        schedule(static_cast<ScheduleTask *>(request));
        setState(State::Processing);
        askOracle();
        return true;
    case UpdaterRequestKind::CheckTask:
        return check(static_cast<CheckTask *>(request));
    case UpdaterRequestKind::UpdateIdle:
        updateIdle(static_cast<UpdateIdle *>(request));
        return true;
    case UpdaterRequestKind::SendWhenIdle:
        c.flags |= SendPending;
        return true;
    default:
        trace(QStringLiteral("Updater(Idle) : Ignored event %1").arg(int(request->kind)));
        return false;
    }
}

bool Updater::processProcessing(UpdaterRequest *request)
{
    Context &c = m_context;
    trace(QStringLiteral("Updater(Processing) : %1").arg(kindName(request->kind)));
    switch (request->kind) {
    case UpdaterRequestKind::IncomingTask:
        c.flags = (c.flags & ~SendPending) | PenActive;
        return true;
    case UpdaterRequestKind::ClearContext:
        resetContext();
        emit updaterClearContextEvent();
        trace(QStringLiteral("Updater(Processing -> Idle)"));
        return true;
    case UpdaterRequestKind::ScheduleTask:
        schedule(static_cast<ScheduleTask *>(request));
        return true;
    case UpdaterRequestKind::CheckTask:
        return check(static_cast<CheckTask *>(request));
    case UpdaterRequestKind::UpdateTask:
        update(static_cast<UpdateTask *>(request));
        return true;
    case UpdaterRequestKind::FinalizeTask:
        finalize(static_cast<FinalizeTask *>(request));
        return true;
    case UpdaterRequestKind::DelayTask:
        delay(static_cast<DelayTask *>(request));
        return true;
    case UpdaterRequestKind::SendWhenIdle:
        c.flags |= SendPending;
        return true;
    default:
        trace(QStringLiteral("Updater(Processing) : Ignored event %1").arg(int(request->kind)));
        return false;
    }
}

bool Updater::processPaused(UpdaterRequest *request)
{
    Context &c = m_context;
    trace(QStringLiteral("Updater(Paused) : %1").arg(kindName(request->kind)));
    switch (request->kind) {
    case UpdaterRequestKind::IncomingTask:
        c.flags = (c.flags & ~SendPending) | PenActive;
        m_resumeTimer->stop();
        return true;
    case UpdaterRequestKind::ClearContext:
        m_resumeTimer->stop();
        resetContext();
        trace(QStringLiteral("Updater(Paused -> Idle)"));
        return true;
    case UpdaterRequestKind::ScheduleTask:
        schedule(static_cast<ScheduleTask *>(request));
        m_resumeTimer->stop();
        setState(State::Processing);
        askOracle();
        return true;
    case UpdaterRequestKind::CheckTask:
        return check(static_cast<CheckTask *>(request));
    case UpdaterRequestKind::ResumeTask:
        m_resumeTimer->stop();
        setState(State::Processing);
        resumeProcessing();
        return true;
    case UpdaterRequestKind::SendWhenIdle:
        c.flags |= SendPending;
        return true;
    default:
        trace(QStringLiteral("Updater(Paused) : Ignored event %1").arg(int(request->kind)));
        return false;
    }
}

bool Updater::check(CheckTask *task)
{
    const Context &c = m_context;
    task->model = c.model;
    if (c.state == State::Idle) {
        task->flags = c.flags;
    } else {
        task->pendingStrokes = c.pendingStrokes;
        task->processedCount = c.processedCount;
    }
    if (task->mask.testFlag(c.state))
        return true;
    trace(QStringLiteral("Updater(%1) : CheckTask (not in an allowed state)").arg(stateName(c.state)));
    return false;
}

void Updater::schedule(ScheduleTask *task)
{
    m_context.flags &= ~PenActive;
    if (task->item)
        m_context.pendingStrokes.append(task->item);
}

void Updater::typeset(const QList<StrokeItem *> &strokes)
{
    buildTypeSet(TypeSetModes::fromInt(m_context.flags & TypesetModeMask), m_context.model,
                 strokes);
    m_context.flags &= ~TypesetModeMask;
}

void Updater::updateIdle(UpdateIdle *task)
{
    Context &c = m_context;
    c.model = task->result;
    c.flags |= task->flagWord;
    typeset({});
    if (c.flags & ExportPending) {
        trace(QStringLiteral("Updater(Idle) : ExportModel"));
        emit exportModel(c.model);
    }
    c.flags &= ~ExportPending;
}

void Updater::update(UpdateTask *task)
{
    Context &c = m_context;
    c.model = task->result;
    c.flags |= task->flagWord;
    c.processedCount = task->count;
    typeset({});
}

void Updater::finalize(FinalizeTask *task)
{
    Context &c = m_context;
    c.model = task->result;
    c.flags |= task->flagWord;
    const bool keep = c.flags & KeepProcessedStrokes;
    const int done = qBound(0, c.processedCount, int(c.pendingStrokes.size()));
    QList<StrokeItem *> kept;
    for (int i = 0; i < done; ++i) {
        StrokeItem *item = c.pendingStrokes.takeFirst();
        if (keep)
            kept.append(item);
        else
            delete item;
    }
    c.flags &= ~KeepProcessedStrokes;
    typeset(kept);
    trace(QStringLiteral("Updater(Processing) : ExportModel"));
    emit exportModel(c.model);
    c.flags &= ~ExportPending;
    if (!c.pendingStrokes.isEmpty()) {
        askOracle();
        return;
    }
    if (!(c.flags & PenActive)) {
        releaseSendTimer(StrokeWorkHold);
        emitEmptyIfIdle();
    }
    setState(State::Idle);
}

void Updater::delay(DelayTask *task)
{
    Context &c = m_context;
    c.processedCount = task->count;
    if (c.pendingStrokes.size() == task->count) {
        m_resumeTimer->start(task->delay);
        setState(State::Paused);
    } else {
        askOracle();
    }
}

void Updater::askOracle()
{
    requestOracle(m_context.model, m_context.pendingStrokes);
}

void Updater::resetContext()
{
    qDeleteAll(m_context.pendingStrokes);
    m_context = Context();
}

void Updater::setState(State state)
{
    if (state == m_context.state)
        return;
    trace(QStringLiteral("Updater(%1 -> %2)").arg(stateName(m_context.state), stateName(state)));
    m_context.state = state;
}

void Updater::sendIfIdle()
{
    Context &c = m_context;
    if (c.state != State::Idle || !(c.flags & SendPending) || (c.flags & PenActive))
        return;
    c.flags &= ~SendPending;
    m_sendTimer->stop();
    if (!m_keyQueue.isEmpty())
        emit exportModel(exportableModel(c.model));
    emit timeout();
}

void Updater::trace(const QString &text) const
{
    qCDebug(lcUpdater).noquote() << text;
}

QString Updater::stateName(State state)
{
    switch (state) {
    case State::Idle:
        return QStringLiteral("Idle");
    case State::Processing:
        return QStringLiteral("Processing");
    case State::Paused:
        return QStringLiteral("Paused");
    }
    return QString::number(int(state));
}
