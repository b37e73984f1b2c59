#include "recognition/threadedrecoeventhandler.h"

#include "model/charclasses.h"
#include "model/merging.h"
#include "model/resultbuilding.h"
#include "model/metatypes.h"
#include "model/respacing.h"
#include "model/segmentwalk.h"
#include "recognition/engineoperation.h"
#include "recognition/recognizermutex.h"

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

#include <algorithm>

namespace {

constexpr quint32 propSpeedQuality = ZK_PROP_SPEED_QUALITY;
constexpr int maxEngineCount = 1 << 16; // sanity bound on sizes the engine reports

const EngineEntryPoints &entryPoints()
{
    return engineBinding().entryPoints;
}

struct Utf8Text
{
    explicit Utf8Text(const QString &s) : bytes(s.toUtf8()) {}
    const zkText *get() const
    {
        text = {bytes.constData(), uint32_t(bytes.size())};
        return &text;
    }
    QByteArray bytes;
    mutable zkText text{};
};

// The boxes of an all-box word in writing order of the language.
QList<Stroke> orderedStrokes(const InkRange &ink, bool leftToRight)
{
    QList<Stroke> list = ink.strokes();
    if (list.isEmpty() || !ink.isAllOfKind(Stroke::Box))
        return list;
    std::sort(list.begin(), list.end(), [leftToRight](const Stroke &a, const Stroke &b) {
        return leftToRight ? a.centroid().x() < b.centroid().x()
                           : a.centroid().x() > b.centroid().x();
    });
    return list;
}

// Character segments of the words of a tree, in tree order.
QList<Segment> characterSegments(const Segment &root)
{
    QList<Segment> characters;
    for (const Segment &word : root.segmentsOfType(ResultNode::Word))
        characters += word.selectedCandidate().children();
    return characters;
}

Segment characterOf(const QList<Segment> &characters, const Stroke &box)
{
    const InkRange whole = InkRange::fromStroke(box);
    for (const Segment &c : characters) {
        if (c.ink().intersects(whole))
            return c;
    }
    return Segment();
}

} // namespace

ThreadedRecoEventHandler::ThreadedRecoEventHandler(zkId engine, const RecognizerEngine &parameters)
    : m_engine(engine), m_parameters(parameters)
{
    registerModelMetaTypes();
    qRegisterMetaType<zkId>("zkId");
    m_timer.setSingleShot(true);
    if (!m_engine || !engineBinding().isBound())
        return;
    const EngineEntryPoints &e = entryPoints();
    m_recognizer = e.zkCreateObject(m_engine, ZK_TYPE_RECOGNIZER);
    if (!m_recognizer)
        return;
    if (m_parameters.speedQualityCompromise != 0) {
        const quint8 speed = quint8(m_parameters.speedQualityCompromise & 0xff);
        e.zkSetProperty(m_engine, m_recognizer, propSpeedQuality, &speed, 1);
    }
    e.zkSetProperty(m_engine, m_recognizer, ZK_PROP_LIMIT_CHARACTERS, &m_parameters.parameter4, 4);
    e.zkSetProperty(m_engine, m_recognizer, ZK_PROP_LIMIT_WORDS, &m_parameters.parameter3, 4);
    e.zkSetProperty(m_engine, m_recognizer, ZK_PROP_LIMIT_TEXT, &m_parameters.parameter2, 4);
    m_input = e.zkCreateObject(m_engine, ZK_TYPE_INK_INPUT);
    m_configured = m_input != 0;
    connect(&m_timer, &QTimer::timeout, this, &ThreadedRecoEventHandler::recognize);
}

ThreadedRecoEventHandler::~ThreadedRecoEventHandler()
{
    detachAllResources();
    release(m_input);
    release(m_recognizer);
    release(m_trainer);
    release(m_trainingSet);
}

void ThreadedRecoEventHandler::release(zkId object) const
{
    if (object && engineBinding().isBound())
        entryPoints().zkReleaseObject(m_engine, object);
}

void ThreadedRecoEventHandler::abortRecognition()
{
    QMutexLocker lock(&recognizerMutex());
    m_keepGoing = false;
}

bool ThreadedRecoEventHandler::keepsGoing() const
{
    QMutexLocker lock(&recognizerMutex());
    return m_keepGoing;
}

bool engineProgressCallback(int32_t, int32_t, void *context)
{
    return static_cast<ThreadedRecoEventHandler *>(context)->keepsGoing();
}

bool trainingProgressCallback(int32_t value, int32_t bound, void *context)
{
    return static_cast<ThreadedRecoEventHandler *>(context)->trainingProgress(value, bound);
}

QString ThreadedRecoEventHandler::logPrefix() const
{
    return QStringLiteral("Recognizer[%1] :")
        .arg(QString::fromLatin1(m_parameters.languageCode, 3).remove(QChar(0)));
}

// ---- input ----

void ThreadedRecoEventHandler::updateRecognitionResultEvent(RecognitionResult result,
                                                            QRectF optionalCharBox)
{
    updateRecognitionResultEvent(result, optionalCharBox, false);
}

void ThreadedRecoEventHandler::updateRecognitionResultEvent(RecognitionResult result)
{
    updateRecognitionResultEvent(result, QRectF(), false);
}

void ThreadedRecoEventHandler::updateRecognitionResultEvent(RecognitionResult result,
                                                            QRectF optionalCharBox,
                                                            bool isoMode)
{
    clear();
    const zkId unit = isoMode ? BoxedUnit : FreeUnit;
    const double u = result.layout().lineSpacing;
    const QList<double> &baselines = result.layout().linePositions;
    QRectF lineBox(0, baselines.isEmpty() ? 0 : baselines.first() - 2 * u, u, 2 * u);
    int line = 0;
    const InkRange alienInk = result.cachedInk(2);
    const bool leftToRight = m_parameters.flags & RecognizerConfig::LeftToRight;
    const QList<Segment> characters = characterSegments(result.root());
    bool pending = true;
    for (const Segment &word : result.root().segmentsOfType(ResultNode::Word)) {
        if (word.selectedCandidate().isNewLine() && ++line < baselines.size())
            lineBox.moveTop(baselines.at(line) - 2 * u);
        for (const Stroke &s : orderedStrokes(word.ink(), leftToRight)) {
            if (s.kind() == Stroke::Box) {
                if (isoMode || pending)
                    startRecognitionUnit(unit);
                pending = isoMode;
                const Segment character = characterOf(characters, s);
                if (isoMode)
                    addString(character);
                else if (!alienInk.isEmpty() && alienInk.contains(character.ink()))
                    addAlienCharacter(character, s.boundingRect(), lineBox);
                else
                    addCharacter(character, s.boundingRect());
            } else {
                if (pending) {
                    startRecognitionUnit(unit);
                    pending = false;
                    if (optionalCharBox.width() > 0 && optionalCharBox.height() > 0)
                        setGuideBox(optionalCharBox.x(), optionalCharBox.y(),
                                    optionalCharBox.width(), optionalCharBox.height());
                }
                addStroke(s);
            }
            m_strokes.append(s);
        }
    }
    m_timer.start(0);
}

void ThreadedRecoEventHandler::addStroke(Stroke stroke)
{
    const QPainterPath path = stroke.path();
    const int n = path.elementCount();
    QList<float> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = float(path.elementAt(i).x);
        y[i] = float(path.elementAt(i).y);
    }
    engineCall<zkOpAddStroke>(m_engine, ZK_IF_INPUT, 13, m_input, x.constData(), 4, y.constData(),
                              4, n);
    m_timer.start(0);
}

void ThreadedRecoEventHandler::addString(Segment charSeg)
{
    const Utf8Text text(charSeg.selectedCandidate().label());
    engineCall<zkOpAddString>(m_engine, ZK_IF_INPUT, 4, m_input, 0, text.get());
    m_timer.start(0);
}

void ThreadedRecoEventHandler::addCharacter(Segment charSeg, QRectF rect)
{
    const ResultNode candidate = charSeg.selectedCandidate();
    QString label = candidate.label();
    if (!label.isEmpty()) {
        const QChar toggled = toggleCharWidth(label.at(0));
        if (isCharOfClass(toggled, AsciiGraphicClass))
            label = QString(toggled);
    }
    addCharacterObject(label, candidate.score(), rect);
}

void ThreadedRecoEventHandler::addAlienCharacter(Segment, QRectF charRect, QRectF alienRect)
{
    const QRectF box(charRect.x() + charRect.width() / 2 - alienRect.width() / 2, alienRect.y(),
                     alienRect.width(), alienRect.height());
    addCharacterObject(QStringLiteral("8"), 1.0f, box);
}

void ThreadedRecoEventHandler::addCharacterObject(const QString &label, float score,
                                                  const QRectF &rect)
{
    if (!engineBinding().isBound())
        return;
    const zkId character = entryPoints().zkCreateObject(m_engine, ZK_TYPE_CHARACTER);
    const Utf8Text text(label);
    engineCall<zkOpAddCandidate>(m_engine, ZK_IF_CHARACTER, 1, character, 0, text.get(), score);
    engineCall<zkOpAddCharacter>(m_engine, ZK_IF_INPUT, 15, m_input, character, float(rect.x()),
                                 float(rect.y()), float(rect.width()), float(rect.height()));
    release(character);
    m_timer.start(0);
}

void ThreadedRecoEventHandler::startRecognitionUnit(zkId unit)
{
    engineCall<zkOpStartUnit>(m_engine, ZK_IF_INPUT, 2, m_input, unit);
    m_unitStarts.append(m_strokes.size());
    m_timer.start(0);
}

void ThreadedRecoEventHandler::setGuideBox(float x, float y, float width, float height)
{
    engineCall<zkOpGuideBox>(m_engine, ZK_IF_INPUT, 6, m_input, x, y, width, height);
    m_timer.start(0);
}

void ThreadedRecoEventHandler::clear()
{
    engineCall<zkOpClear>(m_engine, ZK_IF_INPUT, 0, m_input, 0);
    m_strokes.clear();
    m_unitStarts.clear();
    m_timer.start(0);
}

void ThreadedRecoEventHandler::recognize()
{
    m_timer.stop();
    if (!m_inputBound) {
        engineCall<zkOpBind>(m_engine, ZK_IF_BIND, 1, m_recognizer, m_input);
        m_inputBound = true;
    }
    {
        QMutexLocker lock(&recognizerMutex());
        m_keepGoing = true;
    }
    engineCall<zkOpRun>(m_engine, ZK_IF_RUN, 0, m_recognizer, &engineProgressCallback,
                        static_cast<void *>(this));
    if (!keepsGoing())
        return;
    emit result(hasCandidates() ? buildRecognitionResult() : RecognitionResult());
}

// ---- engine objects ----

zkId ThreadedRecoEventHandler::loadEngineObject(const QString &path) const
{
    if (!m_engine || !engineBinding().isBound())
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const zkId object = entryPoints().zkLoadObject(m_engine, engineStreamRead, &file);
    file.close();
    return object;
}

bool ThreadedRecoEventHandler::storeEngineObject(const QString &path, zkId object) const
{
    if (!m_engine || !engineBinding().isBound())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool ok = entryPoints().zkStoreObject(m_engine, object, engineStreamWrite, &file, 0);
    file.close();
    return ok;
}

bool ThreadedRecoEventHandler::attachResource(zkId object)
{
    if (!object)
        return false;
    const bool ok = engineCall<zkOpAttach>(m_engine, ZK_IF_RESOURCES, 0,
                                           m_trainer ? m_trainer : m_recognizer, object);
    release(object);
    return ok;
}

bool ThreadedRecoEventHandler::addResource(const QString &file)
{
    const bool ok = attachResource(loadEngineObject(file));
    if (!ok || !QFileInfo(file).fileName().contains(QLatin1String("-ak")))
        return ok;
    const zkId knowledge = entryPoints().zkCreateObject(m_engine, ZK_TYPE_KNOWLEDGE);
    if (!knowledge)
        return false;
    const Utf8Text first(QString::fromUcs4(U"\U000F0000", 1));
    const Utf8Text second(QString::fromUcs4(U"\U000F0001", 1));
    if (!engineCall<zkOpPrepare>(m_engine, ZK_IF_KNOWLEDGE, 1, knowledge)
        || !engineCall<zkOpAddText>(m_engine, ZK_IF_KNOWLEDGE, 4, knowledge, 0, first.get())
        || !engineCall<zkOpAddText>(m_engine, ZK_IF_KNOWLEDGE, 4, knowledge, 0, second.get())) {
        release(knowledge);
        return false;
    }
    attachResource(knowledge);
    return ok;
}

zkId ThreadedRecoEventHandler::buildLexicon(const QStringList &words)
{
    if (!m_engine || !engineBinding().isBound())
        return 0;
    const zkId lexicon = entryPoints().zkCreateObject(m_engine, ZK_TYPE_LEXICON);
    if (!lexicon)
        return 0;
    for (const QString &word : words) {
        const Utf8Text text(word);
        if (!engineCall<zkOpAddText>(m_engine, ZK_IF_LEXICON, 0, lexicon, 0, text.get())) {
            release(lexicon);
            return 0;
        }
    }
    if (!engineCall<zkOpFinish>(m_engine, ZK_IF_LEXICON_FINISH, 1, lexicon, 0, 0)) {
        release(lexicon);
        return 0;
    }
    return lexicon;
}

void ThreadedRecoEventHandler::detachAllResources()
{
    if (!m_recognizer)
        return;
    uint32_t left = engineCall<zkOpCount>(m_engine, ZK_IF_RESOURCES, 2, m_recognizer);
    // Bounded by the first count, so an engine that keeps its resources
    // cannot hold the destructor.
    for (uint32_t n = left; n > 0 && left > 0; --n) {
        const zkId resource = engineCall<zkOpGet>(m_engine, ZK_IF_RESOURCES, 3, m_recognizer, 0u);
        if (!resource)
            break;
        engineCall<zkOpDetach>(m_engine, ZK_IF_RESOURCES, 1, m_recognizer, resource);
        release(resource);
        left = engineCall<zkOpCount>(m_engine, ZK_IF_RESOURCES, 2, m_recognizer);
    }
}

// ---- training ----

bool ThreadedRecoEventHandler::initTrainer()
{
    if (!m_engine || !engineBinding().isBound())
        return false;
    release(m_trainer);
    m_trainer = entryPoints().zkCreateObject(m_engine, ZK_TYPE_TRAINER);
    if (!m_trainer)
        return false;
    release(m_trainingSet);
    m_trainingSet = entryPoints().zkCreateObject(m_engine, ZK_TYPE_TRAINING_SET);
    return m_trainingSet != 0;
}

void ThreadedRecoEventHandler::clearTrainingSet()
{
    if (!m_engine || !engineBinding().isBound())
        return;
    release(m_trainingSet);
    m_trainingSet = entryPoints().zkCreateObject(m_engine, ZK_TYPE_TRAINING_SET);
}

bool ThreadedRecoEventHandler::addTrainingSample(QString label)
{
    if (!m_trainingSet)
        return false;
    const Utf8Text text(label);
    return engineCall<zkOpAddSample>(m_engine, ZK_IF_TRAINING_SET, 1, m_trainingSet, m_input, 0,
                                     text.get());
}

bool ThreadedRecoEventHandler::removeTrainingSample(int index)
{
    if (!m_trainingSet)
        return false;
    return engineCall<zkOpRemoveSample>(m_engine, ZK_IF_TRAINING_SET, 2, m_trainingSet,
                                        int64_t(index));
}

bool ThreadedRecoEventHandler::trainingProgress(int, int)
{
    return true;
}

bool ThreadedRecoEventHandler::trainAndStore(const QString &path)
{
    if (!m_trainer || !m_trainingSet)
        return false;
    if (!engineCall<zkOpAttach>(m_engine, ZK_IF_RESOURCES, 0, m_trainer, m_trainingSet))
        return false;
    if (!engineCall<zkOpRun>(m_engine, ZK_IF_RUN, 0, m_trainer, &trainingProgressCallback,
                             static_cast<void *>(this)))
        return false;
    const zkId resource = engineCall<zkOpObject>(m_engine, ZK_IF_TRAINED, 0, m_trainer);
    // Only a stored resource counts as success: the caller goes on to name
    // the file in a configuration.
    const bool stored = resource && storeEngineObject(path, resource);
    release(m_trainer);
    release(m_trainingSet);
    release(resource);
    m_trainer = 0;
    m_trainingSet = 0;
    return stored;
}

bool ThreadedRecoEventHandler::storeTrainingSet(const QString &path)
{
    if (!m_trainer || !m_trainingSet)
        return false;
    return storeEngineObject(path, m_trainingSet);
}

bool ThreadedRecoEventHandler::loadTrainingSet(const QString &path)
{
    if (!m_trainer)
        return false;
    release(m_trainingSet);
    m_trainingSet = loadEngineObject(path);
    return m_trainingSet != 0;
}

// ---- result conversion ----

namespace {

zkId engineObjectCall(zkId engine, uint32_t interfaceNumber, int index, zkId object)
{
    return object ? engineCall<zkOpObject>(engine, interfaceNumber, index, object) : 0;
}

bool iteratorAtEnd(zkId engine, uint32_t interfaceNumber, zkId iterator)
{
    return !iterator || engineCall<zkOpAtEnd>(engine, interfaceNumber, 0, iterator) != 0;
}

// A UTF-8 label read by two calls of fill: the first asks its size.
template <typename Fill>
QString engineLabel(Fill fill)
{
    zkBuffer buffer{nullptr, 0};
    fill(&buffer);
    const int size = int(qMin<uint32_t>(buffer.count, maxEngineCount));
    QByteArray bytes(size + 1, '\0');
    buffer = {bytes.data(), uint32_t(size + 1)};
    fill(&buffer);
    bytes.truncate(int(qMin<uint32_t>(buffer.count, uint32_t(size))));
    return QString::fromUtf8(bytes);
}

QString candidateLabel(zkId engine, zkId candidates)
{
    return engineLabel([=](zkBuffer *buffer) {
        engineCall<zkOpLabel>(engine, ZK_IF_CANDIDATES, 2, candidates, 0, buffer);
    });
}

QList<zkInkRecord> inkRecords(zkId engine, zkId segments)
{
    zkInkRecords records{nullptr, 0};
    engineCall<zkOpInkRanges>(engine, ZK_IF_SEGMENTS, 2, segments, &records);
    QList<zkInkRecord> list(int(qMin<uint32_t>(records.count, maxEngineCount)));
    records = {list.data(), uint32_t(list.size())};
    engineCall<zkOpInkRanges>(engine, ZK_IF_SEGMENTS, 2, segments, &records);
    list.resize(int(qMin<uint32_t>(records.count, uint32_t(list.size()))));
    return list;
}

StrokeRange strokePiece(const Stroke &s, int first, int last)
{
    StrokeRange piece;
    piece.setStroke(s);
    piece.addInterval(first, last);
    return piece;
}

} // namespace

int ThreadedRecoEventHandler::candidateLimit(int level) const
{
    switch (level) {
    case 0:
        return m_parameters.parameter2;
    case 1:
        return m_parameters.parameter3;
    default:
        return m_parameters.parameter4;
    }
}

bool ThreadedRecoEventHandler::hasCandidates() const
{
    const zkId result = engineObjectCall(m_engine, ZK_IF_RECOGNIZER_RESULT, 0, m_recognizer);
    const zkId candidates = engineObjectCall(m_engine, ZK_IF_RESULT, 1, result);
    const bool any = !iteratorAtEnd(m_engine, ZK_IF_CANDIDATES, candidates);
    release(candidates);
    release(result);
    return any;
}

bool ThreadedRecoEventHandler::isSeparatorLabel(zkId segments) const
{
    const zkId candidates = engineObjectCall(m_engine, ZK_IF_SEGMENTS, 5, segments);
    const int selected = engineCall<zkOpSelected>(m_engine, ZK_IF_SEGMENTS, 3, segments);
    for (int i = 0; i < selected && !iteratorAtEnd(m_engine, ZK_IF_CANDIDATES, candidates); ++i)
        engineCall<zkOpNext>(m_engine, ZK_IF_CANDIDATES, 1, candidates);
    const QString label = iteratorAtEnd(m_engine, ZK_IF_CANDIDATES, candidates)
                              ? QString()
                              : candidateLabel(m_engine, candidates);
    release(candidates);
    // A no-break space arrives as its UTF-8 form.
    return label.isEmpty() || label == QLatin1String(" ") || label == QString(QChar(0xA0))
           || label == QLatin1String("\n");
}

void ThreadedRecoEventHandler::addInk(Segment &segment, zkId segments) const
{
    const QList<zkInkRecord> records = inkRecords(m_engine, segments);
    if (records.isEmpty())
        return;
    const bool separator = isSeparatorLabel(segments);
    const int units = m_unitStarts.isEmpty() ? 1 : m_unitStarts.size();
    for (const zkInkRecord &r : records) {
        for (int u = qMax(0, int(r.firstUnit)); u <= r.lastUnit && u < units; ++u) {
            const int base = m_unitStarts.isEmpty() ? 0 : m_unitStarts.at(u);
            const int end = u + 1 < m_unitStarts.size() ? m_unitStarts.at(u + 1) : m_strokes.size();
            const int firstC = u == r.firstUnit ? r.firstComponent : 0;
            const int lastC = u == r.lastUnit ? r.lastComponent : end - base - 1;
            for (int c = qMax(0, firstC); c <= lastC && base + c < end; ++c) {
                const Stroke &t = m_strokes.at(base + c);
                const bool first = u == r.firstUnit && c == r.firstComponent;
                const bool last = u == r.lastUnit && c == r.lastComponent;
                if (t.kind() == Stroke::Pen) {
                    if (separator)
                        continue;
                    const int top = t.path().elementCount() - 1;
                    const int from = first ? qMax(0, int(r.firstPoint)) : 0;
                    const int to = last ? qMin(top, int(r.lastPoint)) : top;
                    if (from <= to)
                        segment.addStrokeRange(strokePiece(t, from, to));
                } else if (!separator || !(first || last)) {
                    segment.addStrokeRange(strokePiece(t, 0, 1));
                }
            }
        }
    }
}

Segment ThreadedRecoEventHandler::convertSegment(zkId segments, int level, int lastLevel) const
{
    Segment s;
    zkId candidates;
    int firstChoice = 0;
    if (!segments) {
        const zkId result = engineObjectCall(m_engine, ZK_IF_RECOGNIZER_RESULT, 0, m_recognizer);
        candidates = engineObjectCall(m_engine, ZK_IF_RESULT, 1, result);
        release(result);
        for (const Stroke &t : m_strokes)
            s.addInk(InkRange::fromStroke(t));
    } else {
        addInk(s, segments);
        candidates = engineObjectCall(m_engine, ZK_IF_SEGMENTS, 5, segments);
        firstChoice = engineCall<zkOpSelected>(m_engine, ZK_IF_SEGMENTS, 3, segments);
    }
    const int limit = qMax(candidateLimit(level), firstChoice + 1);
    for (int i = 0; i < limit && !iteratorAtEnd(m_engine, ZK_IF_CANDIDATES, candidates); ++i) {
        s.appendCandidate(convertCandidate(candidates, level, lastLevel));
        engineCall<zkOpNext>(m_engine, ZK_IF_CANDIDATES, 1, candidates);
        if (i == firstChoice)
            s.selectLastCandidate();
    }
    release(candidates);
    return s;
}

ResultNode ThreadedRecoEventHandler::convertCandidate(zkId candidates, int level,
                                                      int lastLevel) const
{
    ResultNode n;
    n.setScore(engineCall<zkOpScore>(m_engine, ZK_IF_CANDIDATES, 3, candidates));
    if (level < lastLevel) {
        const zkId children = engineObjectCall(m_engine, ZK_IF_CANDIDATES, 4, candidates);
        while (!iteratorAtEnd(m_engine, ZK_IF_SEGMENTS, children)) {
            n.appendChild(convertSegment(children, level + 1, lastLevel));
            n.setLabel(QString());
            engineCall<zkOpNext>(m_engine, ZK_IF_SEGMENTS, 1, children);
        }
        release(children);
        return n;
    }
    const QString label = candidateLabel(m_engine, candidates);
    n.setLabel(label);
    if ((m_parameters.flags & RecognizerConfig::CjkWords) && !label.isEmpty()
        && isCharOfClass(label.at(0), EastAsianClass)
        && !isCharOfClass(label.at(0), CjkPunctuationClass))
        n.setWordFlag(1);
    return n;
}

QList<double> ThreadedRecoEventHandler::baselinesFromEngine(const QList<InkRange> &lines,
                                                            double *spacing) const
{
    QList<double> positions;
    const auto lineMetrics = engineBinding().lineMetrics;
    if (!lineMetrics)
        return positions;
    const int count = qBound(0, lineMetrics(m_engine, m_recognizer, nullptr, 0), maxEngineCount);
    QList<zkLineMetrics> metrics(count);
    const int filled = qBound(0, lineMetrics(m_engine, m_recognizer, metrics.data(), count), count);
    const bool leftToRight = m_parameters.flags & RecognizerConfig::LeftToRight;
    for (int i = 0; i < qMin(filled, int(lines.size())); ++i) {
        const QRectF box = lines.at(i).boundingRect();
        const double edge = leftToRight ? box.x() + box.width() : box.x();
        positions.append(edge * metrics.at(i).slope + metrics.at(i).intercept);
        if (i == 0)
            *spacing = metrics.at(i).height;
    }
    return positions;
}

RecognitionResult ThreadedRecoEventHandler::buildRecognitionResult() const
{
    RecognitionResult r;
    const Segment tree = convertSegment(0, 0, m_parameters.parameter1);
    r.setRoot(rebuildSegmentTree(tree, InkRange(), false));
    const QList<InkRange> lines = inkRangesPerLine(r.root());
    ResultLayout layout;
    layout.linePositions = baselinesFromEngine(lines, &layout.lineSpacing);
    if (layout.linePositions.isEmpty()) {
        for (const InkRange &line : lines) {
            const QRectF box = line.boundingRect();
            layout.linePositions.append(box.y() + box.height());
        }
        if (!lines.isEmpty())
            layout.lineSpacing = lines.first().boundingRect().height();
    }
    if (m_parameters.flags & RecognizerConfig::LeftToRight)
        layout.alignment = Qt::AlignLeft;
    if (m_parameters.flags & RecognizerConfig::RightToLeft)
        layout.alignment = Qt::AlignRight;
    r.layout() = layout;
    return respaceResult(r, SplitStandAloneCharacters | CollapseSeparators);
}

// ---- training set read back ----

RecognitionResult ThreadedRecoEventHandler::convertEngineResult()
{
    if (!m_trainingSet)
        return RecognitionResult();
    const int count =
        qBound(0, engineCall<zkOpSampleCount>(m_engine, ZK_IF_TRAINING_SET, 0, m_trainingSet),
               maxEngineCount);
    QList<RecognitionResult> samples;
    for (int i = 0; i < count; ++i)
        samples.append(sampleResult(i));
    return mergeResults(samples, 0);
}

RecognitionResult ThreadedRecoEventHandler::sampleResult(int64_t index) const
{
    const QString label = engineLabel([this, index](zkBuffer *buffer) {
        engineCall<zkOpSampleLabel>(m_engine, ZK_IF_TRAINING_SET, 4, m_trainingSet, index, 0,
                                    buffer);
    });

    Segment s;
    s.addInk(InkRange::fromStroke(makeBoxStroke(QRectF(0, 0, 1, 1), 0.0)));
    const zkId ink =
        engineCall<zkOpSampleInk>(m_engine, ZK_IF_TRAINING_SET, 3, m_trainingSet, index);
    for (const Stroke &t : sampleStrokes(ink))
        s.addInk(InkRange::fromStroke(t));
    release(ink);
    ResultNode candidate;
    candidate.setLabel(label);
    s.appendCandidate(candidate);
    s.selectLastCandidate();
    return resultFromSegment(s);
}

QList<Stroke> ThreadedRecoEventHandler::sampleStrokes(zkId ink) const
{
    QList<Stroke> list;
    if (!ink)
        return list;
    const int strokeCount =
        qBound(0, engineCall<zkOpInkStrokes>(m_engine, ZK_IF_INK, 1, ink), maxEngineCount);
    for (int s = 0; s < strokeCount; ++s) {
        const int n =
            qBound(0, engineCall<zkOpInkPoints>(m_engine, ZK_IF_INK, 2, ink, s), maxEngineCount);
        QList<float> x(n), y(n);
        const int nx = engineCall<zkOpInkCoordinates>(m_engine, ZK_IF_INK, 3, ink, s, x.data(), n);
        const int ny = engineCall<zkOpInkCoordinates>(m_engine, ZK_IF_INK, 4, ink, s, y.data(), n);
        const int points = qBound(0, qMin(nx, ny), n);
        if (points == 0)
            continue;
        QPainterPath path(QPointF(x.at(0), y.at(0)));
        for (int i = 1; i < points; ++i)
            path.lineTo(x.at(i), y.at(i));
        list.append(makePathStroke(path));
    }
    return list;
}
