#include "pad/editionoracle.h"

#include "model/metatypes.h"
#include "model/resultbuilding.h"
#include "pad/editrequest.h"
#include "pad/oraclegeometry.h"
#include "recognition/instantrecognizer.h"
#include "recognition/recognizerconfig.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QRegularExpression>

namespace {

const QString unrecognised = QStringLiteral("#");
const QString backspaceGesture = QString::fromUcs4(U"\U000F0002");
const QString spaceGesture = QString::fromUcs4(U"\U000F0003");
const QString returnGesture = QString::fromUcs4(U"\U000F0004");
const QString rootSign = QStringLiteral("\u221A");
// The acceptance threshold of a score, as a single-precision constant.
constexpr float threshold = 0.2f;
// Pieces written this long before the gesture no longer hold it back.
constexpr int holdAge = 1500;
constexpr int quickDelay = 650;
constexpr int holdDelay = 1500;
constexpr double quickWidth = 150;

bool matches(const QString &label, const char *pattern)
{
    return QRegularExpression(QString::fromLatin1(pattern)).match(label).hasMatch();
}

// Multiplies a score by a single-precision factor in double precision.
void scale(GestureCandidate *target, EditKind kind, float factor)
{
    target->setScore(kind, float(double(target->score(kind)) * double(factor)));
}

// The target's box of half its size around its centroid.
QRectF centralBox(const GestureCandidate &target)
{
    const QRectF r = target.info.boundingRect();
    QRectF box(0, 0, r.width() / 2, r.height() / 2);
    box.moveCenter(target.info.centroid());
    return box;
}

} // namespace

EditionOracle::EditionOracle(int candidateSlots, int gestureDelay, bool holdForMoreWriting,
                             WritingDirection direction, QObject *parent)
    : QObject(parent),
      m_candidateSlots(candidateSlots),
      m_gestureDelay(gestureDelay),
      m_holdForMoreWriting(holdForMoreWriting),
      m_direction(direction)
{
    registerModelMetaTypes();
    RecognizerConfig config;
    config.setGestures();
    m_recognizer = new InstantRecognizer(config, this);
    connect(m_recognizer, &ThreadedRecognizer::configured, this, &EditionOracle::bindRecognizer);
    m_recognizer->start(QThread::InheritPriority);
}

EditionOracle::~EditionOracle()
{
    // Joins the gesture thread; an answer still queued dies with this object.
    delete m_recognizer;
}

bool EditionOracle::isQuickGesture(const EditRequest &request)
{
    if (request.gestureSet() == 0 || request.gesture()->info.boundingRect().width() <= quickWidth)
        return false;
    const QString label = request.label();
    if (request.gestureSet() == 2
        && (label.contains(backspaceGesture) || label.contains(spaceGesture)))
        return true;
    return label.contains(returnGesture);
}

void EditionOracle::bindRecognizer(bool ok)
{
    if (!ok) {
        // No gesture can be read: everything asked so far, and later, is writing.
        m_readerState = ReaderState::Failed;
        for (const Pending &p : std::as_const(m_pending))
            answerAppendLater(p.strokes.size());
        m_pending.clear();
        return;
    }
    ThreadedRecoEventHandler *handler = m_recognizer->handler();
    connect(this, qOverload<RecognitionResult, QRectF, bool>(&EditionOracle::recoRequest),
            handler,
            qOverload<RecognitionResult, QRectF, bool>(
                &ThreadedRecoEventHandler::updateRecognitionResultEvent));
    connect(handler, &ThreadedRecoEventHandler::result, this, &EditionOracle::gestureRecoEvent);
    m_readerState = ReaderState::Ready;
    startNext();
}

void EditionOracle::request(QList<Stroke> strokes, QList<InkRangeInfo> charInfoList,
                            GestureSet gestureSet)
{
    if (strokes.isEmpty() || m_readerState == ReaderState::Failed) {
        answerAppendLater(strokes.size());
        return;
    }
    // A request asked while the gesture of another is being read waits for
    // its turn: the recognizer would answer only the last of both.
    m_pending.append({strokes, charInfoList, gestureSet});
    startNext();
}

void EditionOracle::answerAppendLater(int count)
{
    QMetaObject::invokeMethod(this, [this, count] { emit append(count); }, Qt::QueuedConnection);
}

void EditionOracle::startNext()
{
    if (m_readerState != ReaderState::Ready || m_awaitingLabel || m_pending.isEmpty())
        return;
    begin(m_pending.takeFirst());
}

void EditionOracle::begin(const Pending &pending)
{
    m_request = std::make_unique<EditRequest>(m_candidateSlots, pending.gestureSet,
                                              pending.strokes.size());
    EditRequest &r = *m_request;
    QList<InkRangeInfo> infos = pending.infos;
    const bool hadInk = !infos.isEmpty();
    for (int i = 0; i + 1 < pending.strokes.size(); ++i)
        infos.append(InkRangeInfo(InkRange::fromStroke(pending.strokes.at(i)), unrecognised));
    const Stroke last = pending.strokes.constLast();
    r.setGesture(InkRangeInfo(InkRange::fromStroke(last), unrecognised));
    r.hold = m_holdForMoreWriting && hadInk;
    r.appendShortcut = m_holdForMoreWriting;

    const QRectF g = r.gesture()->info.boundingRect();
    const StrokeStamp written = r.gesture()->firstStamp();
    for (const InkRangeInfo &info : std::as_const(infos)) {
        const GestureCandidate *target = r.addTarget(info);
        const QRectF b = info.boundingRect();
        if (!onSameLine(g, b))
            continue;
        if (r.hold
            && (info.label() != unrecognised
                || !target->firstStamp().addMSecs(holdAge).isLaterThan(written)))
            r.hold = false;
        if (r.appendShortcut && !liesAfter(g, b, m_direction))
            r.appendShortcut = false;
    }
    m_awaitingLabel = true;
    m_awaitingResume = false;
    emit recoRequest(resultFromStroke(last, unrecognised, 2, 0), QRectF(), false);
}

void EditionOracle::gestureRecoEvent(RecognitionResult result)
{
    if (!m_awaitingLabel || !m_request)
        return;
    m_awaitingLabel = false;
    EditRequest &r = *m_request;
    r.setLabel(result.root().selectedCandidate().label());
    if (isQuickGesture(r) || r.hold) {
        m_awaitingResume = true;
        emit delay(isQuickGesture(r) ? quickDelay : holdDelay, r.strokeCount());
    } else if (r.appendShortcut) {
        emit append(r.strokeCount());
    } else {
        decide();
    }
    startNext();
}

void EditionOracle::filterGestures(int)
{
}

void EditionOracle::resume()
{
    // Only a request answered by a delay is resumed, and only once.
    if (!m_awaitingResume)
        return;
    m_awaitingResume = false;
    decide();
}

void EditionOracle::decide()
{
    EditRequest &r = *m_request;
    if (r.strokeCount() > 1) {
        emit append(r.strokeCount() - 1);
        return;
    }
    int crossings = 0;
    for (GestureCandidate *target : r.nearTargets()) {
        target->measure(*r.gesture(), m_strictTargets);
        crossings += target->crossings;
    }
    if (r.leftNeighbour() && r.rightNeighbour())
        measureGap(*r.leftNeighbour(), *r.rightNeighbour(), *r.gesture());
    r.fillRecentStamps(m_gestureDelay);
    computeGestureScores();
    filterGestures(crossings);
    applyLabelRules();
    decideEdit(threshold);

    float best = 0;
    EditKind kind = EditKind::EraseA;
    const std::vector<GestureCandidate *> all = r.targets();
    for (int k = 0; k < GestureCandidate::ScoreCount; ++k) {
        for (const GestureCandidate *target : all) {
            if (target->score(EditKind(k)) > best) {
                best = target->score(EditKind(k));
                kind = EditKind(k);
            }
        }
    }
    if (best < threshold)
        kind = EditKind::None;
    if ((kind == EditKind::Overwrite || kind == EditKind::None) && isQuickGesture(r))
        kind = EditKind::KeyGesture;
    answer(kind);
}

void EditionOracle::applyLabelRules()
{
    EditRequest &r = *m_request;
    const QString label = r.label();
    const bool strike = label.contains('-') || label.contains(backspaceGesture)
        || label.contains(spaceGesture);
    const bool scratch = matches(label, "[mMnNZzWw8@]+");
    const bool letters = matches(label, "\\w+");
    for (GestureCandidate *target : r.nearTargets()) {
        if (!strike)
            scale(target, EditKind::EraseA, 0.5f);
        if (!scratch)
            scale(target, EditKind::EraseB, 0.7f);
        if (!letters)
            scale(target, EditKind::Overwrite, 0.7f);
    }
    const bool insertMark = label.size() == 1 && matches(label, "[()Il1|/\\\\]+");
    if (r.leftNeighbour() && r.rightNeighbour() && !insertMark) {
        scale(r.leftNeighbour(), EditKind::Insert, 0.1f);
        scale(r.rightNeighbour(), EditKind::Insert, 0.1f);
    }
}

InkRange EditionOracle::inkScoring(EditKind kind) const
{
    InkRange ink;
    for (const GestureCandidate *target : m_request->targets()) {
        if (target->score(kind) >= threshold)
            ink = ink.united(target->info.ink());
    }
    return ink;
}

void EditionOracle::answerErase(EditKind kind)
{
    const EditRequest &r = *m_request;
    InkRange ink;
    QRectF rect;
    bool hasRect = false;
    for (const GestureCandidate *target : r.nearTargets()) {
        if (target->score(kind) < threshold && (m_strictTargets || target->spanCover < 0.8f))
            continue;
        ink = ink.united(target->info.ink());
        if (target->info.label() != rootSign) {
            rect = hasRect ? rect.united(target->info.boundingRect())
                           : target->info.boundingRect();
            hasRect = true;
        }
    }
    for (const GestureCandidate *target : r.targets()) {
        if (hasRect && target->info.label() != rootSign && rectsMeet(rect, centralBox(*target)))
            ink = ink.united(target->info.ink());
    }
    emit erase(ink);
}

void EditionOracle::answer(EditKind kind)
{
    const EditRequest &r = *m_request;
    switch (kind) {
    case EditKind::EraseA:
    case EditKind::EraseB:
        answerErase(kind);
        return;
    case EditKind::Insert: {
        const GestureCandidate *anchor = m_direction == WritingDirection::LeftToRight
            ? r.rightNeighbour() : r.leftNeighbour();
        if (!anchor)
            break;
        const QPainterPath path = r.gesture()->path();
        const bool downward = path.elementCount() > 0
            && path.elementAt(path.elementCount() - 1).y > path.elementAt(0).y;
        emit insert(anchor->info.ink().firstLocation(), !downward);
        return;
    }
    case EditKind::Overwrite:
        emit overwrite(inkScoring(kind));
        return;
    case EditKind::Update:
        emit update(inkScoring(kind));
        return;
    case EditKind::KeyGesture:
        emit gesture(r.label());
        return;
    case EditKind::None:
        break;
    }
    emit append(r.strokeCount());
}
