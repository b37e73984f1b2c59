#include "calculator/calcrecoeventhandler.h"

#include "calculator/calcsegmenttypes.h"
#include "calculator/calcterminals.h"
#include "model/metatypes.h"
#include "model/resultbuilding.h"
#include "recognition/engineoperation.h"
#include "tessel/tessel.h"
#include "windows/winutils.h"

#include <QFile>
#include <QResource>

#include <cmath>
#include <vector>

using namespace tessel;

namespace {

const QString packageRoot = QStringLiteral("/data/languages/");
// At most this many strokes make one terminal symbol.
constexpr int MaxTerminalStrokes = 3;
constexpr double TypedCost = 0.1;

const EngineEntryPoints &entryPoints()
{
    return engineBinding().entryPoints;
}

int recognizerRuleCallback(Result *target, Region *region, void *user)
{
    static_cast<CalcRecoEventHandler *>(user)->offerTerminals(target, region);
    return 0;
}

double sqrtRuleCallback(ParseObject *)
{
    return 0.0;
}

bool calcProgressCallback(int32_t, int32_t, void *context)
{
    return static_cast<CalcRecoEventHandler *>(context)->keepsGoing();
}

QList<int> regionStrokes(const Region *region)
{
    QList<int> indices;
    for (int s = zkTesselRegionGetFirstStroke(region); s != -1;
         s = zkTesselRegionGetNextStroke(region, s))
        indices << s;
    return indices;
}

void addCandidate(Result *target, Region *region, const QString &label, double cost,
                  const TerminalGeometry &g)
{
    const QByteArray text = label.toUtf8();
    const char *l = text.constData();
    switch (g.geometryClass) {
    case TerminalClass::Plain:
        zkTesselResultAddCandidate(target, region, l, cost, g.y, g.h);
        break;
    case TerminalClass::ThinCentred:
        zkTesselResultAddThinCenteredCandidate(target, region, l, cost, g.y, g.h);
        break;
    case TerminalClass::ThinBaseline:
        zkTesselResultAddThinBaselineCandidate(target, region, l, cost, g.y, g.h);
        break;
    case TerminalClass::Stretchable:
        zkTesselResultAddStretchableCandidate(target, region, l, cost, g.y, g.h);
        break;
    case TerminalClass::Shrinkable:
        zkTesselResultAddShrinkableCandidate(target, region, l, cost, g.y, g.h);
        break;
    }
}

// The points of a stroke's path as two float arrays.
void pathArrays(const Stroke &stroke, std::vector<float> &x, std::vector<float> &y)
{
    const QPainterPath path = stroke.path();
    x.resize(size_t(path.elementCount()));
    y.resize(size_t(path.elementCount()));
    for (int i = 0; i < path.elementCount(); ++i) {
        x[size_t(i)] = float(path.elementAt(i).x);
        y[size_t(i)] = float(path.elementAt(i).y);
    }
}

QString engineLabel(zkId engine, zkId candidates)
{
    zkBuffer ask{nullptr, 0};
    engineCall<zkOpLabel>(engine, ZK_IF_CANDIDATES, 2, candidates, 0, &ask);
    QByteArray bytes(int(ask.count) + 1, '\0');
    zkBuffer buffer{bytes.data(), uint32_t(bytes.size())};
    engineCall<zkOpLabel>(engine, ZK_IF_CANDIDATES, 2, candidates, 0, &buffer);
    return QString::fromUtf8(bytes.constData(), int(qMin(buffer.count, ask.count)));
}

bool atEnd(zkId engine, zkId iterator)
{
    return engineCall<zkOpAtEnd>(engine, ZK_IF_ITERATOR, 0, iterator) != 0;
}

void step(zkId engine, zkId iterator)
{
    engineCall<zkOpNext>(engine, ZK_IF_ITERATOR, 1, iterator);
}

} // namespace

CalcRecoEventHandler::CalcRecoEventHandler(zkId engine, const RecognizerConfig &config)
    : m_engine(engine), m_config(config)
{
    m_recognizeTimer.setSingleShot(true);
    if (!m_engine || !engineBinding().isBound())
        return;
    const EngineEntryPoints &e = entryPoints();
    m_recognizer = e.zkCreateObject(m_engine, ZK_TYPE_CALC_RECOGNIZER);
    if (!m_recognizer)
        return;
    const qint32 limit = m_config.parameter4;
    e.zkSetProperty(m_engine, m_recognizer, ZK_PROP_LIMIT_CHARACTERS, &limit, 4);
    m_input = e.zkCreateObject(m_engine, ZK_TYPE_CALC_INK_INPUT);
    if (!m_input)
        return;
    m_configured = loadResources();
    buildParser();
    connect(&m_recognizeTimer, &QTimer::timeout, this, &CalcRecoEventHandler::recognize);
    registerModelMetaTypes();
    qRegisterMetaType<zkId>("zkId");
}

CalcRecoEventHandler::~CalcRecoEventHandler()
{
    detachResources();
    release(m_input);
    release(m_recognizer);
    // One parser per handler, destroyed in the thread that used it.
    zkTesselDestroy(m_parser);
}

void CalcRecoEventHandler::release(zkId object) const
{
    if (object && engineBinding().isBound())
        entryPoints().zkReleaseObject(m_engine, object);
}

zkId CalcRecoEventHandler::loadEngineResource(const QString &file) const
{
    QFile in(file);
    if (!m_engine || !in.open(QIODevice::ReadOnly))
        return 0;
    const zkId object = entryPoints().zkLoadObject(m_engine, engineStreamRead, &in);
    in.close();
    return object;
}

bool CalcRecoEventHandler::loadResources()
{
    const QString package =
        QStringLiteral("%1/1%2.rcc").arg(applicationPath(ResourcesFolder), m_config.languageName);
    bool ok = QResource::registerResource(package, packageRoot);
    for (const QString &file : m_config.resources) {
        const zkId resource = loadEngineResource(file);
        if (resource) {
            engineCall<zkOpAttach>(m_engine, ZK_IF_RESOURCES, 0, m_recognizer, resource);
            release(resource);
        }
        ok = ok && resource != 0;
    }
    QResource::unregisterResource(package, packageRoot);
    return ok;
}

// Resources leave until none is left; a count that reports resources it cannot hand out
// ends the loop instead of spinning.
void CalcRecoEventHandler::detachResources()
{
    while (m_recognizer && engineCall<zkOpCount>(m_engine, ZK_IF_RESOURCES, 2, m_recognizer) > 0) {
        const zkId resource = engineCall<zkOpGet>(m_engine, ZK_IF_RESOURCES, 3, m_recognizer, 0u);
        if (!resource)
            break;
        engineCall<zkOpDetach>(m_engine, ZK_IF_RESOURCES, 1, m_recognizer, resource);
        release(resource);
    }
}

void CalcRecoEventHandler::buildParser()
{
    Parser *p = zkCreateTessel();
    m_parser = p;
    zkTesselSetDxWeight(p, 0.06);
    zkTesselSetY0Weight(p, 0.15);
    zkTesselSetHWeight(p, 0.15);
    const int anyTerminal = zkTesselCreateSymbol(p);
    const int bar = zkTesselCreateSymbol(p);
    const int radical = zkTesselCreateSymbol(p);
    const int expression = zkTesselCreateSymbol(p);
    const int base = zkTesselCreateSymbol(p);
    const int root = zkTesselCreateSymbol(p);
    const int statement = zkTesselCreateSymbol(p);
    zkTesselAddRecognizerRule(p, anyTerminal, recognizerRuleCallback, this);
    zkTesselAddFilterRule(p, expression, anyTerminal,
                          "0 1 2 3 4 5 6 7 8 9 ? ( ) + - / . , \\mult \\div \\sqrt \\pi");
    zkTesselAddFilterRule(p, base, anyTerminal, "0 1 2 3 4 5 6 7 8 9 ? ) \\sqrt \\pi");
    zkTesselAddFilterRule(p, bar, anyTerminal, "-");
    zkTesselAddFilterRule(p, radical, anyTerminal, "\\sqrt");
    zkTesselAddFilterRule(p, statement, anyTerminal, "=");
    zkTesselAddIdentityRule(p, expression, root);
    zkTesselAddHPairRule(p, expression, expression, expression, nullptr);
    zkTesselAddPartialFractionRule(p, expression, expression, bar, expression, nullptr);
    zkTesselAddSqrtRule(p, root, radical, expression, sqrtRuleCallback);
    zkTesselAddIdentityRule(p, base, root);
    zkTesselAddSuperscriptRule(p, expression, base, expression, nullptr);
    zkTesselAddIdentityRule(p, statement, expression);
    zkTesselAddHPairRule(p, statement, statement, statement, nullptr);
    zkTesselSetStartSymbol(p, statement);
}

void CalcRecoEventHandler::updateRecognitionResultEvent(RecognitionResult r)
{
    if (!r.root().ink().contains(m_sentInk))
        clear();
    const InkRange added = r.cachedInk(CalcAddedInk);
    for (const Segment &symbol : r.root().segmentsOfType(CalcSymbol)) {
        const InkRange ink = symbol.ink();
        if (m_sentInk.contains(ink) || added.contains(ink))
            continue;
        m_sentInk = m_sentInk.united(ink);
        const QString label = symbol.selectedCandidate().label();
        for (const StrokeRange &piece : ink.pieces()) {
            m_labels << label;
            addStroke(piece.stroke());
            m_strokes << piece.stroke();
        }
    }
    m_recognizeTimer.start(0);
}

void CalcRecoEventHandler::addStroke(Stroke stroke)
{
    std::vector<float> x;
    std::vector<float> y;
    pathArrays(stroke, x, y);
    zkTesselAddStroke(m_parser, x.data(), 4, y.data(), 4, int(x.size()));
    m_recognizeTimer.start(0);
}

void CalcRecoEventHandler::clear()
{
    engineCall<zkOpClear>(m_engine, ZK_IF_CALC_INPUT, 0, m_input, 0);
    zkTesselClear(m_parser);
    m_strokes.clear();
    m_labels.clear();
    m_sentInk = InkRange();
    m_recognizeTimer.start(0);
}

void CalcRecoEventHandler::stopRecognition()
{
    m_keepGoing = false;
}

void CalcRecoEventHandler::recognize()
{
    m_recognizeTimer.stop();
    RecognitionResult r = buildCalcResult(zkTesselRun(m_parser));
    r.layout().flags |= 4;
    emit result(r);
}

RecognitionResult CalcRecoEventHandler::buildCalcResult(const Result *parsed) const
{
    if (zkTesselResultGetCandidateCount(parsed) == 0)
        return RecognitionResult();
    const ParseObject *best = zkTesselResultGetCandidate(parsed, 0);
    RecognitionResult r = resultFromSegment(parseObjectToResult(best));
    QString bare = r.root().selectedCandidate().label();
    bare.remove(QLatin1Char('-')).remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const double y = zkTesselObjectGetY(best);
    const double h = zkTesselObjectGetH(best);
    ResultLayout layout;
    layout.lineSpacing = h;
    layout.linePositions = {bare.isEmpty() ? y + h : y};
    layout.alignment = Qt::AlignCenter;
    layout.flags = 0;
    r.layout() = layout;
    return r;
}

Segment CalcRecoEventHandler::parseObjectToResult(const ParseObject *object) const
{
    Segment segment;
    if (!object)
        return segment;
    ResultNode candidate;
    const QByteArray type(zkTesselObjectGetType(object));
    if (type == "Recognizer")
        candidate.setType(CalcSymbol);
    else if (type == "HPair" || type == "Operator")
        candidate.setType(CalcRow);
    else if (type == "PartialFraction")
        candidate.setType(CalcFraction);
    else if (type == "Sqrt")
        candidate.setType(CalcSquareRoot);
    else if (type == "Superscript")
        candidate.setType(CalcPower);
    if (type == "Recognizer") {
        const QString label = QString::fromUtf8(zkTesselObjectGetLabel(object));
        candidate.setLabel(mapEngineLabel(label, m_config.decimalSeparator));
        for (const int s : regionStrokes(zkTesselObjectGetRegion(object))) {
            if (s >= 0 && s < m_strokes.size())
                segment.addInk(InkRange::fromStroke(m_strokes.at(s)));
        }
    }
    for (int i = 0; i < zkTesselObjectGetChildCount(object); ++i) {
        const Segment child = parseObjectToResult(zkTesselObjectGetChild(object, i));
        candidate.appendChild(child);
        candidate.setLabel(QString());
        segment.addInk(child.ink());
    }
    segment.appendCandidate(candidate);
    segment.selectLastCandidate();
    return segment;
}

void CalcRecoEventHandler::addStrokeToEngineInput(const Stroke &stroke)
{
    std::vector<float> x;
    std::vector<float> y;
    pathArrays(stroke, x, y);
    engineCall<zkOpAddStroke>(m_engine, ZK_IF_CALC_INPUT, 9, m_input, x.data(), 4, y.data(), 4,
                              int32_t(x.size()));
}

void CalcRecoEventHandler::offerTerminals(Result *target, Region *region)
{
    m_recognizeTimer.stop();
    const QList<int> indices = regionStrokes(region);
    TerminalRegion facts;
    QRectF box;
    double largest = 0.0;
    bool typed = false;
    for (const int i : indices) {
        if (i < 0 || i >= m_strokes.size())
            return;
        const Stroke &s = m_strokes.at(i);
        typed = typed || s.kind() == Stroke::Box;
        if (facts.strokeBoxes.size() >= MaxTerminalStrokes || (typed && !facts.strokeBoxes.isEmpty()))
            return;
        const QRectF b = s.boundingRect();
        facts.strokeBoxes << b;
        box = box.united(b);
        const double extent = qMax(b.width(), b.height());
        largest = qMax(largest, extent);
        facts.smallestExtent = qMin(facts.smallestExtent, extent);
    }
    if (facts.strokeBoxes.isEmpty())
        return;
    if (typed) {
        QString label = m_labels.value(indices.first());
        const TerminalGeometry g =
            terminalGeometry(label, m_strokes.at(indices.first()).boundingRect(),
                             m_config.decimalSeparator);
        addCandidate(target, region, label, TypedCost, g);
        return;
    }
    if (box.width() > 2 * largest || box.height() > 2 * largest)
        return;
    runEngine(target, region, facts);
}

void CalcRecoEventHandler::runEngine(Result *target, Region *region, const TerminalRegion &facts)
{
    bool allowed[] = {true, true, true};
    engineCall<zkOpClear>(m_engine, ZK_IF_CALC_RESET, 0, m_input, 1);
    QRectF box;
    for (const int i : regionStrokes(region)) {
        addStrokeToEngineInput(m_strokes.at(i));
        box = box.united(m_strokes.at(i).boundingRect());
    }
    if (m_inputUnbound) {
        engineCall<zkOpBind>(m_engine, ZK_IF_BIND, 1, m_recognizer, m_input);
        m_inputUnbound = false;
    }
    m_keepGoing = true;
    engineCall<zkOpRun>(m_engine, ZK_IF_RUN, 0, m_recognizer, calcProgressCallback,
                        static_cast<void *>(this));

    const zkId r = engineCall<zkOpObject>(m_engine, ZK_IF_RECOGNIZER_RESULT, 0, m_recognizer);
    const zkId a = engineCall<zkOpObject>(m_engine, ZK_IF_RESULT, 1, r);
    const zkId b = engineCall<zkOpObject>(m_engine, ZK_IF_CANDIDATES, 4, a);
    const zkId c = engineCall<zkOpObject>(m_engine, ZK_IF_SEGMENTS, 5, b);
    const zkId d = engineCall<zkOpObject>(m_engine, ZK_IF_CANDIDATES, 4, c);
    const double k = engineCall<zkOpScore>(m_engine, ZK_IF_SEGMENTS, 4, d);
    const zkId e = engineCall<zkOpObject>(m_engine, ZK_IF_SEGMENTS, 5, d);
    step(m_engine, b);
    const bool oneUnit = atEnd(m_engine, b);
    step(m_engine, d);
    const bool oneCharacter = atEnd(m_engine, d);
    const int n = zkTesselRegionGetStrokeCount(region);
    if (e && oneUnit && oneCharacter) {
        for (; !atEnd(m_engine, e); step(m_engine, e)) {
            const QString engineText = engineLabel(m_engine, e);
            const double p = engineCall<zkOpScore>(m_engine, ZK_IF_CANDIDATES, 3, e);
            double cost = terminalCost(p, k, n);
            if (rejectsTerminal(engineText, facts, &cost))
                continue;
            QString label = engineText;
            const TerminalGeometry g = terminalGeometry(label, box, m_config.decimalSeparator);
            bool &open = allowed[int(g.kind)];
            if (!open)
                continue;
                    addCandidate(target, region, label, cost, g);
            if (g.kind != TerminalKind::Other)
                open = false;
        }
    }
    for (const zkId object : {r, a, b, c, d, e})
        release(object);
}
