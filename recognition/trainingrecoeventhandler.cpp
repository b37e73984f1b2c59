#include "recognition/trainingrecoeventhandler.h"

#include "model/merging.h"
#include "model/resultbuilding.h"
#include "recognition/configwriter.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QResource>
#include <QTextStream>

namespace {

const QString packageRoot = QStringLiteral("/data/languages/");
const QString defaultUserName = QStringLiteral("-Customized");
const QString sessionExtension = QStringLiteral(".trainset");

QString sessionPath(const QString &localeName, const QString &userName, int index)
{
    return QStringLiteral("%1/%2%3-%4%5")
        .arg(trainingFolder(), localeName, userName, QString::number(index), sessionExtension);
}

// The lines of a UTF-8 text file; false when it cannot be opened.
bool readLines(const QString &path, QStringList *lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd())
        lines->append(in.readLine());
    return true;
}

// The character segments of a session, in order.
QList<Segment> sessionItems(const RecognitionResult &session)
{
    QList<Segment> items;
    for (const Segment &word : session.root().segmentsOfType(ResultNode::Word))
        items += word.selectedCandidate().children();
    return items;
}

// The items of the text session, each taken from the saved one where that holds it next in
// order; saved items that the text no longer has follow at the end.
RecognitionResult withUnwrittenItems(const RecognitionResult &saved, const RecognitionResult &text)
{
    const QList<Segment> written = sessionItems(saved);
    QList<RecognitionResult> items;
    int next = 0;
    for (const Segment &item : sessionItems(text)) {
        const bool isWritten =
            next < written.size()
            && written.at(next).selectedCandidate().label() == item.selectedCandidate().label();
        items.append(resultFromSegment(isWritten ? written.at(next++) : item));
    }
    for (; next < written.size(); ++next)
        items.append(resultFromSegment(written.at(next)));
    return mergeResults(items, 0);
}

} // namespace

TrainingRecoEventHandler::TrainingRecoEventHandler(zkId engine, const RecognizerConfig &config,
                                                   const QString &trainingName)
    : ThreadedRecoEventHandler(engine, RecognizerEngine(config)), m_localeName(config.resourceName),
      m_baseLanguageName(config.languageName),
      m_userName(trainingName.isEmpty() ? defaultUserName : trainingName)
{
    bool ok = initTrainer();
    const QString package =
        QStringLiteral("%1/1%2.rcc").arg(applicationPath(ResourcesFolder), m_baseLanguageName);
    const bool registered = QResource::registerResource(package, packageRoot);
    ok &= registered;
    for (const QString &file : config.resources)
        ok &= addResource(file);
    setConfigured(isConfigured() && ok);

    m_sessions = loadSuspendedSessions(m_localeName, m_userName);
    if (m_sessions.isEmpty())
        m_sessions = readTrainingTexts(config);
    else
        completeSavedSessions(config);
    if (registered)
        QResource::unregisterResource(package, packageRoot);

    int firstUnfinished = 0;
    while (firstUnfinished < m_sessions.size() && missingItemCount(firstUnfinished) == 0)
        ++firstUnfinished;
    m_resumeIndex = firstUnfinished - 1;
    goToSession(m_resumeIndex);
}

TrainingRecoEventHandler::~TrainingRecoEventHandler()
{
    if (!m_keepSessionFiles)
        removeSessionFiles(0);
}

bool TrainingRecoEventHandler::trainingProgress(int value, int bound)
{
    emit trainProgressBound(bound);
    emit trainProgressValue(value);
    return true;
}

QString TrainingRecoEventHandler::logPrefix() const
{
    QString prefix = ThreadedRecoEventHandler::logPrefix();
    return prefix.replace(QLatin1String("Recognizer["), QLatin1String("Trainer["));
}

QString TrainingRecoEventHandler::trainingText() const
{
    QString text;
    for (int i = 0; i < m_sessions.size() / 2; ++i)
        text += m_sessions.at(i).root().selectedCandidate().label();
    return text;
}

// ---- sessions ----

bool TrainingRecoEventHandler::hasCurrentSession() const
{
    return m_currentSession >= 0 && m_currentSession < m_sessions.size();
}

void TrainingRecoEventHandler::goToSession(int index)
{
    m_currentSession = index;
    if (index < 0)
        return;
    if (index >= m_sessions.size()) {
        m_currentSession = int(m_sessions.size()) - 1;
        emit allWritingComplete();
        return;
    }
    emit writingSessionReady(m_currentSession, int(m_sessions.size()),
                             m_sessions.at(m_currentSession));
    const int missing = missingItemCount(m_currentSession);
    emit missingItemNumber(missing, m_currentSession);
    if (m_currentSession == m_resumeIndex + 1)
        emit continueSuspendedTraining(missing != currentItemCount());
}

void TrainingRecoEventHandler::nextSession() { goToSession(m_currentSession + 1); }

int TrainingRecoEventHandler::missingItemCount(int session) const
{
    if (session < 0 || session >= m_sessions.size())
        return 0;
    int missing = 0;
    for (const Segment &item : sessionItems(m_sessions.at(session))) {
        const InkRange ink = item.ink();
        if (!ink.isEmpty() && ink.isAllOfKind(Stroke::Box))
            ++missing;
    }
    return missing;
}

int TrainingRecoEventHandler::currentItemCount() const
{
    if (!hasCurrentSession())
        return 0;
    return int(m_sessions.at(m_currentSession).root().selectedCandidate().label().size());
}

void TrainingRecoEventHandler::updateRecognitionResultEvent(RecognitionResult result, QRectF, bool)
{
    // Without a current session there is nothing to store the ink into; the pad still
    // gets its answer.
    if (hasCurrentSession())
        m_sessions[m_currentSession] = result;
    timer().start(0);
}

void TrainingRecoEventHandler::recognize()
{
    timer().stop();
    if (hasCurrentSession())
        emit missingItemNumber(missingItemCount(m_currentSession), m_currentSession);
    emit result(RecognitionResult());
}

void TrainingRecoEventHandler::feedTrainingSet(RecognitionResult result)
{
    clearTrainingSet();
    clear();
    QRectF box(0, 0, 0, 0);
    bool boxPending = true;
    for (const Segment &word : result.root().segmentsOfType(ResultNode::Word)) {
        for (const Segment &item : word.selectedCandidate().children()) {
            for (const Stroke &stroke : item.ink().strokes()) {
                if (stroke.kind() == Stroke::Box) {
                    box = stroke.boundingRect();
                    boxPending = true;
                    continue;
                }
                if (boxPending) {
                    startRecognitionUnit(BoxedUnit);
                    setGuideBox(float(box.left()), float(box.top()), float(box.width()),
                                float(box.height()));
                    boxPending = false;
                }
                addStroke(stroke);
            }
            addTrainingSample(item.selectedCandidate().label());
            clear();
        }
    }
    timer().start(0);
}

// ---- training and suspension ----

void TrainingRecoEventHandler::train()
{
    const bool ok = trainAndWriteConfig();
    if (ok) {
        // Trained into the language: sessions kept by an earlier failure go with the handler.
        m_keepSessionFiles = false;
    } else {
        // The user's ink stays on disk for another try; the trainer went with the failed run.
        initTrainer();
        m_keepSessionFiles |= storeSessions();
    }
    emit trainingDone(ok ? trainedConfigName() : QString());
}

bool TrainingRecoEventHandler::trainAndWriteConfig()
{
    if (!QDir().mkpath(trainingFolder()))
        return false;
    const QString resource = trainedResourceName();
    clearTrainingSet();
    feedTrainingSet(mergeResults(m_sessions, 0));
    if (!trainAndStore(QDir(trainingFolder()).filePath(resource)))
        return false;
    QActionGroup group(this);
    ConfigWriter writer(resource, m_localeName, m_userName, m_baseLanguageName);
    return writer.saveConfigs(&group);
}

void TrainingRecoEventHandler::suspendTraining()
{
    const bool stored = storeSessions();
    m_keepSessionFiles |= stored;
    emit suspendTrainingDone(stored);
}

bool TrainingRecoEventHandler::storeSessions()
{
    if (!QDir().mkpath(trainingFolder()))
        return false;
    bool ok = true;
    for (int i = 0; i < m_sessions.size(); ++i) {
        feedTrainingSet(m_sessions.at(i));
        ok &= storeTrainingSet(sessionFile(i));
    }
    // Files of an earlier, longer suspension would join the sessions on resumption.
    if (ok)
        removeSessionFiles(int(m_sessions.size()));
    return ok;
}

void TrainingRecoEventHandler::removeSessionFiles(int from)
{
    QDir folder(trainingFolder());
    const QString prefix = m_localeName + m_userName + QLatin1Char('-');
    const QStringList files = folder.entryList({QLatin1Char('*') + sessionExtension}, QDir::Files);
    for (const QString &name : files) {
        if (!name.startsWith(prefix))
            continue;
        const QString number =
            name.mid(prefix.size(), name.size() - prefix.size() - sessionExtension.size());
        bool isNumber = false;
        const int index = number.toInt(&isNumber);
        if (isNumber && index >= from && QString::number(index) == number)
            folder.remove(name);
    }
}

// ---- files ----

QString TrainingRecoEventHandler::sessionFile(int index) const
{
    return sessionPath(m_localeName, m_userName, index);
}

QString TrainingRecoEventHandler::trainedResourceName() const
{
    return m_localeName + m_userName + QStringLiteral("-ak-iso.res");
}

QString TrainingRecoEventHandler::trainedConfigName() const
{
    return QLatin1Char('_') + m_userName + QLatin1Char(' ') + m_localeName;
}

QList<RecognitionResult> TrainingRecoEventHandler::loadSuspendedSessions(const QString &localeName,
                                                                         const QString &userName)
{
    QList<RecognitionResult> list;
    for (int i = 0;; ++i) {
        const QString path = sessionPath(localeName, userName, i);
        if (!QFile::exists(path))
            return list;
        list.append(loadTrainingSet(path) ? convertEngineResult() : RecognitionResult());
    }
}

void TrainingRecoEventHandler::completeSavedSessions(const RecognizerConfig &config)
{
    const QList<RecognitionResult> texts = readTrainingTexts(config);
    for (int i = 0; i < qMin(m_sessions.size(), texts.size()); ++i)
        m_sessions[i] = withUnwrittenItems(m_sessions.at(i), texts.at(i));
}

QList<RecognitionResult> TrainingRecoEventHandler::readTrainingTexts(const RecognizerConfig &config)
{
    QList<RecognitionResult> list;
    QStringList lines;
    const QString personal = applicationPath(UserDataFolder) + QLatin1Char('/') + m_localeName
                             + QStringLiteral("_personalTrainingFile.txt");
    if (config.userTrainingFile && readLines(personal, &lines) && readLines(personal, &lines)) {
        for (const QString &line : std::as_const(lines))
            list.append(sessionFromText(line.trimmed(), true));
    }
    if (!list.isEmpty())
        return list;
    lines.clear();
    setConfigured(readLines(config.trainingData, &lines) && isConfigured());
    if (!isConfigured())
        return list;
    for (const QString &line : std::as_const(lines)) {
        if (!line.startsWith(QLatin1Char(' ')))
            list.append(sessionFromText(line, false));
    }
    return list;
}

RecognitionResult TrainingRecoEventHandler::sessionFromText(QString text, bool perCharacter)
{
    for (const QChar end : {QChar(u'\r'), QChar(u'\n')}) {
        const qsizetype at = text.indexOf(end);
        if (at >= 0)
            text.truncate(at);
    }
    QStringList items;
    if (perCharacter) {
        for (const char32_t c : text.toUcs4())
            items.append(QString::fromUcs4(&c, 1));
    } else {
        items = text.split(QLatin1Char(' '));
    }
    QList<RecognitionResult> results;
    for (const QString &item : std::as_const(items)) {
        if (item.isEmpty() || item == QString(QChar(0xFEFF)))
            continue;
        results.append(
            resultFromStroke(makeBoxStroke(QRectF(0, 0, 1, 1), 0), item, ResultNode::Character, 0));
    }
    return mergeResults(results, 0);
}
