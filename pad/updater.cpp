#include "pad/updater.h"

#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/strokeitem.h"
#include "recognition/recognizerconfig.h"

#include <QGraphicsRectItem>
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

} // namespace

Updater::Updater(const BehaviourSettings &behaviour, ScrivelScene *scene, int writingDirection)
    : QObject(scene),
      m_behaviour(behaviour),
      m_scene(scene),
      m_sendTimer(new QTimer(this)),
      m_cursorTimer(new QTimer(this)),
      m_resumeTimer(new QTimer(this)),
      m_writingDirection(writingDirection)
{
    m_cursorTimer->setSingleShot(true);
    PadServices *services = PadServices::instance();
    connect(m_sendTimer, &QTimer::timeout, this, &Updater::sendActionEvent);
    connect(m_resumeTimer, &QTimer::timeout, this, &Updater::resumeTimerEvent);
    connect(m_cursorTimer, &QTimer::timeout, this, &Updater::unsetWritingCursor);
    connect(m_sendTimer, &QTimer::timeout, this, &Updater::emptyFullScreenWritepad);
    connect(this, &Updater::emptyFullScreenWritepad, services, &PadServices::emptyFullScreenWritepadEvent);
    connect(this, &Updater::simulateIsNotVsdMove, services, &PadServices::isNotVsdMoveBeforeWritingInApp);
}

// Pending stroke items stay in the scene, which deletes them.
Updater::~Updater() = default;

void Updater::setBehaviour(const BehaviourSettings &behaviour)
{
    m_behaviour = behaviour;
}

void Updater::resetState() { m_context.state = State::Idle; }

QRectF Updater::boxRectAt(int) const
{
    return QRectF(0, 0, 0, 0);
}

RecognitionResult Updater::exportableModel(const RecognitionResult &model)
{
    return model;
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
    buildTypeSet(m_context.flags & TypesetModeMask, m_context.model, strokes);
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
