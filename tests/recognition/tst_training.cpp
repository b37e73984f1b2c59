// User training through the engine library, in a temporary user folder: training texts made
// into writing sessions, the user's ink kept per session, suspension and resumption, and a
// customised language trained from a writer's own letter forms.
#include "configfixtures.h"
#include "handwriting/inkreader.h"
#include "model/merging.h"
#include "model/resultbuilding.h"
#include "recognition/configrepository.h"
#include "recognition/enginebinding.h"
#include "recognition/instantrecognizer.h"
#include "recognition/trainingrecoeventhandler.h"
#include "recognition/trainingrecognizer.h"
#include "tests/testidentity.h"

#include <QActionGroup>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

using namespace configfixtures;

namespace {

const QString locale = QStringLiteral("en_US");
const QString defaultUser = QStringLiteral("-Customized");

// A writer's own forms of six letters, far from the printed ones: polylines in a 100 box.
const QMap<QString, QList<QList<QPointF>>> &writerForms()
{
    static const QMap<QString, QList<QList<QPointF>>> forms{
        {"a", {{{10, 10}, {90, 10}, {10, 90}, {90, 90}}}},
        {"b", {{{10, 10}, {90, 90}}, {{90, 10}, {10, 90}}}},
        {"c", {{{50, 10}, {90, 90}, {10, 90}, {50, 10}}}},
        {"d", {{{10, 90}, {10, 10}, {90, 90}, {90, 10}}}},
        {"e", {{{10, 10}, {30, 90}, {50, 30}, {70, 90}, {90, 10}}}},
        {"f", {{{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 30}}}},
    };
    return forms;
}

// One hand-written sample of a letter: the form scaled, moved and shaken, points every few
// units, the same for the same seed.
QList<Stroke> writtenLetter(const QString &letter, quint32 seed)
{
    QRandomGenerator random(seed);
    const double scale = 0.85 + random.bounded(0.3);
    const QPointF shift(random.bounded(10.0) - 5, random.bounded(10.0) - 5);
    QList<Stroke> strokes;
    for (const QList<QPointF> &line : writerForms().value(letter)) {
        QPainterPath path;
        for (int i = 0; i + 1 < line.size(); ++i) {
            for (int step = 0; step < 8; ++step) {
                const QPointF p = line.at(i) + (line.at(i + 1) - line.at(i)) * (step / 8.0);
                const QPointF shaken(random.bounded(3.0) - 1.5, random.bounded(3.0) - 1.5);
                const QPointF at = p * scale + shift + shaken;
                if (path.elementCount() == 0)
                    path.moveTo(at);
                else
                    path.lineTo(at);
            }
        }
        path.lineTo(line.last() * scale + shift);
        strokes.append(makePathStroke(path));
    }
    return strokes;
}

QList<Segment> items(const RecognitionResult &session)
{
    QList<Segment> list;
    for (const Segment &word : session.root().segmentsOfType(ResultNode::Word))
        list += word.selectedCandidate().children();
    return list;
}

QStringList itemLabels(const RecognitionResult &session)
{
    QStringList labels;
    for (const Segment &item : items(session))
        labels.append(item.selectedCandidate().label());
    return labels;
}

int penStrokes(const RecognitionResult &session)
{
    int count = 0;
    for (const Stroke &s : session.root().ink().strokes())
        count += s.kind() == Stroke::Pen;
    return count;
}

// The session as the pad sends it back with the first `count` items written: each item's box
// and, beside it, the writer's ink of its letter.
RecognitionResult written(const RecognitionResult &session, int count, quint32 seed)
{
    QList<RecognitionResult> results;
    const QList<Segment> list = items(session);
    for (int i = 0; i < list.size(); ++i) {
        const QString label = list.at(i).selectedCandidate().label();
        QList<Stroke> strokes = list.at(i).ink().strokes();
        if (i < count)
            strokes += writtenLetter(label, seed + quint32(i));
        results.append(resultFromStrokes(strokes, label, ResultNode::Character, 0));
    }
    return mergeResults(results, 0);
}

RecognizerConfig configOf(const QString &language, InputMode mode)
{
    LanguageEntry entry;
    entry.setLocale(QLocale(locale));
    entry.setName(language);
    QActionGroup group(nullptr);
    QXmlStreamReader reader;
    loadConfigs(reader, entry, mode, QString(), &group);
    const auto *config = qobject_cast<Config *>(group.checkedAction());
    return config ? config->recognizerConfig : RecognizerConfig();
}

// Records the input a handler gives the engine while it feeds a training set.
class FeedRecorder : public TrainingRecoEventHandler
{
public:
    using TrainingRecoEventHandler::TrainingRecoEventHandler;
    void startRecognitionUnit(zkId unit) override
    {
        calls.append(QStringLiteral("unit"));
        TrainingRecoEventHandler::startRecognitionUnit(unit);
    }
    void setGuideBox(float x, float y, float width, float height) override
    {
        calls.append(QStringLiteral("guide %1 %2 %3 %4").arg(x).arg(y).arg(width).arg(height));
        TrainingRecoEventHandler::setGuideBox(x, y, width, height);
    }
    void addStroke(Stroke stroke) override
    {
        calls.append(QStringLiteral("stroke"));
        TrainingRecoEventHandler::addStroke(stroke);
    }
    bool addTrainingSample(QString label) override
    {
        calls.append(QStringLiteral("sample ") + label);
        return TrainingRecoEventHandler::addTrainingSample(label);
    }
    QStringList calls;
};

} // namespace

class TestTraining : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void sessionFromText_data();
    void sessionFromText();
    void personalTrainingFile_data();
    void personalTrainingFile();
    void trainingDataFile();
    void unreadableTrainingData();
    void names_data();
    void names();
    void freshStart_data();
    void freshStart();
    void lastSessionStaysCurrent();
    void withoutSessions();
    void inkStoredPerSession();
    void guideBoxPerRunOfStrokes();
    void suspendAndResume();
    void gapInSessionFiles();
    void unreadableSessionFileIsWrittenAgain();
    void sessionFilesRemovedUnlessSuspended();
    void noStaleSessionsAfterSuspension();
    void failedSuspension_data();
    void failedSuspension();
    void failedTrainingKeepsTheSessions_data();
    void failedTrainingKeepsTheSessions();
    void retriedTrainingLeavesNoSessions();
    void trainingCycle();

private:
    // A configured handler of the trainer configuration reading the given training data.
    std::unique_ptr<TrainingRecoEventHandler> handler(const QByteArray &trainingData,
                                                      const QString &name = QString());
    QString dataFile() const { return m_folders.filePath(QStringLiteral("train_data.txt")); }
    QString folderFile(const QString &name) const { return trainingFolder() + '/' + name; }
    int countCorrect(const RecognizerConfig &config, quint32 firstSeed);

    QTemporaryDir m_folders;
    RecognizerConfig m_trainer;
};

void TestTraining::initTestCase()
{
    useTestIdentity();
    QVERIFY(m_folders.isValid());
    if (!QFile::exists(QStringLiteral(":/data/charsets/UTF-8.charset")))
        QSKIP("the engine library is not part of the build");
    QVERIFY(startEngine());
    m_trainer = configOf(locale, IsoTrainerMode);
    QCOMPARE(m_trainer.trainingData, QStringLiteral(":/data/languages/en_US/train_data.txt"));
}

void TestTraining::cleanupTestCase() { stopEngine(); }

void TestTraining::init() { useFolders(m_folders); }

void TestTraining::cleanup() { removeFolders(m_folders); }

std::unique_ptr<TrainingRecoEventHandler> TestTraining::handler(const QByteArray &trainingData,
                                                                const QString &name)
{
    writeFile(dataFile(), trainingData);
    RecognizerConfig config = m_trainer;
    config.trainingData = dataFile();
    auto h = std::make_unique<TrainingRecoEventHandler>(engineBinding().engine, config, name);
    if (!h->isConfigured())
        qWarning("The training handler is not configured");
    return h;
}

void TestTraining::sessionFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("perCharacter");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("characters") << "abc" << true << QStringList{"a", "b", "c"};
    QTest::newRow("characters, blanks included") << "a b" << true << QStringList{"a", " ", "b"};
    QTest::newRow("words, empty parts dropped")
        << "ab cd  e" << false << QStringList{"ab", "cd", "e"};
    QTest::newRow("cut at a carriage return") << "ab\r\ncd" << true << QStringList{"a", "b"};
    QTest::newRow("cut at a line feed") << "ab cd\nef" << false << QStringList{"ab", "cd"};
    QTest::newRow("byte-order mark only") << QString(QChar(0xFEFF)) << false << QStringList();
    QTest::newRow("byte-order mark skipped")
        << QString(QChar(0xFEFF)) + "xy" << true << QStringList{"x", "y"};
}

// Every item of a new session is unwritten: its ink is one box over the unit square.
void TestTraining::sessionFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, perCharacter);
    QFETCH(QStringList, items);
    const RecognitionResult session = TrainingRecoEventHandler::sessionFromText(text, perCharacter);
    QCOMPARE(itemLabels(session), items);
    QCOMPARE(session.root().selectedCandidate().label(), items.join(QString()));
    for (const Segment &item : ::items(session)) {
        const QList<Stroke> strokes = item.ink().strokes();
        QCOMPARE(strokes.size(), 1);
        QCOMPARE(strokes.first().kind(), Stroke::Box);
        QCOMPARE(strokes.first().boundingRect(), QRectF(0, 0, 1, 1));
    }
}

void TestTraining::personalTrainingFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QList<QStringList>>("sessions");
    QTest::addColumn<QString>("trainingText");
    // The file is read twice: each line gives two sessions, the user writes it twice.
    QTest::newRow("two lines") << QByteArray(
        "abc\nde\n") << QList<QStringList>{{"a", "b", "c"}, {"d", "e"}, {"a", "b", "c"}, {"d", "e"}}
                               << "abcde";
    QTest::newRow("trimmed, inner blank kept")
        << QByteArray(" a b \n") << QList<QStringList>{{"a", " ", "b"}, {"a", " ", "b"}} << "a b";
    const QString ext = QString::fromUcs4(U"\U00020000");
    QTest::newRow("supplementary plane character")
        << ("a" + ext + "b\r\n").toUtf8() << QList<QStringList>{{"a", ext, "b"}, {"a", ext, "b"}}
        << "a" + ext + "b";
}

void TestTraining::personalTrainingFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QList<QStringList>, sessions);
    QFETCH(QString, trainingText);
    writeFile(applicationPath(UserDataFolder) + "/en_US_personalTrainingFile.txt", contents);
    writeFile(dataFile(), "x y\n");
    RecognizerConfig config = m_trainer;
    config.trainingData = dataFile();
    config.userTrainingFile = true;
    TrainingRecoEventHandler h(engineBinding().engine, config, QString());
    QVERIFY(h.isConfigured());
    QList<QStringList> labels;
    for (const RecognitionResult &s : h.sessions())
        labels.append(itemLabels(s));
    QCOMPARE(labels, sessions);
    QCOMPARE(h.trainingText(), trainingText);

    // Without the flag the training data file is read.
    config.userTrainingFile = false;
    TrainingRecoEventHandler fromData(engineBinding().engine, config, QString());
    QCOMPARE(fromData.sessions().size(), 1);
    QCOMPARE(itemLabels(fromData.sessions().first()), QStringList({"x", "y"}));
}

void TestTraining::trainingDataFile()
{
    const auto h = handler("ab cd  e\n skipped line\n" + QString(QChar(0xFEFF)).toUtf8() + "\nf\n");
    QVERIFY(h->isConfigured());
    const QList<RecognitionResult> sessions = h->sessions();
    QCOMPARE(sessions.size(), 3);
    QCOMPARE(itemLabels(sessions.at(0)), QStringList({"ab", "cd", "e"}));
    QCOMPARE(itemLabels(sessions.at(1)), QStringList());
    QCOMPARE(itemLabels(sessions.at(2)), QStringList({"f"}));
    // The package's own training texts: one blank-separated character per item.
    TrainingRecoEventHandler builtIn(engineBinding().engine, m_trainer, QString());
    QVERIFY(builtIn.isConfigured());
    QVERIFY(builtIn.sessions().size() >= 4);
    QCOMPARE(itemLabels(builtIn.sessions().first()).join(QString()),
             QStringLiteral("abcdefghijklm"));
}

void TestTraining::unreadableTrainingData()
{
    RecognizerConfig config = m_trainer;
    config.trainingData = m_folders.filePath(QStringLiteral("missing.txt"));
    TrainingRecognizer recognizer(config, QString());
    QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
    recognizer.start();
    QVERIFY(configured.wait(10000));
    QCOMPARE(configured.at(0).at(0).toBool(), false);
    QVERIFY(static_cast<TrainingRecoEventHandler *>(recognizer.handler())->sessions().isEmpty());
}

void TestTraining::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("session");
    QTest::newRow("default") << ""
                             << "en_US-Customized-ak-iso.res"
                             << "_-Customized en_US"
                             << "en_US-Customized-0.trainset";
    QTest::newRow("named") << "Ann"
                           << "en_USAnn-ak-iso.res"
                           << "_Ann en_US"
                           << "en_USAnn-0.trainset";
}

void TestTraining::names()
{
    QFETCH(QString, name);
    QFETCH(QString, resource);
    QFETCH(QString, language);
    QFETCH(QString, session);
    const auto h = handler("a\n", name);
    QCOMPARE(h->trainedResourceName(), resource);
    QCOMPARE(h->trainedConfigName(), language);
    QCOMPARE(h->sessionFile(0), folderFile(session));
    QCOMPARE(userConfigFile(language), folderFile(resource.section('-', 0, -3) + ".xml"));
    QCOMPARE(h->logPrefix(), QStringLiteral("Trainer[en] :"));
}

void TestTraining::freshStart_data()
{
    QTest::addColumn<QByteArray>("texts");
    QTest::addColumn<int>("items");
    QTest::addColumn<bool>("continued");
    QTest::newRow("one character per item") << QByteArray("a b\nc d\ne f\n") << 2 << false;
    // The item count then differs from the text's length.
    QTest::newRow("two characters per item") << QByteArray("ab cd\nef gh\nij kl\n") << 2 << true;
}

void TestTraining::freshStart()
{
    QFETCH(QByteArray, texts);
    QFETCH(int, items);
    QFETCH(bool, continued);
    const auto h = handler(texts);
    QCOMPARE(h->currentSession(), -1);
    QSignalSpy ready(h.get(), &TrainingRecoEventHandler::writingSessionReady);
    QSignalSpy missing(h.get(), &TrainingRecoEventHandler::missingItemNumber);
    QSignalSpy continuedSpy(h.get(), &TrainingRecoEventHandler::continueSuspendedTraining);
    h->nextSession();
    QCOMPARE(ready.size(), 1);
    QCOMPARE(ready.at(0).at(0).toInt(), 0);
    QCOMPARE(ready.at(0).at(1).toInt(), 3);
    QCOMPARE(itemLabels(ready.at(0).at(2).value<RecognitionResult>()).size(), items);
    QCOMPARE(missing.size(), 1);
    QCOMPARE(missing.at(0), QVariantList({items, 0}));
    QCOMPARE(continuedSpy.size(), 1);
    QCOMPARE(continuedSpy.at(0).at(0).toBool(), continued);
    h->nextSession();
    QCOMPARE(continuedSpy.size(), 1);
}

void TestTraining::lastSessionStaysCurrent()
{
    const auto h = handler("a\nb\n");
    QSignalSpy complete(h.get(), &TrainingRecoEventHandler::allWritingComplete);
    QSignalSpy ready(h.get(), &TrainingRecoEventHandler::writingSessionReady);
    h->nextSession();
    h->nextSession();
    QCOMPARE(complete.size(), 0);
    h->nextSession();
    QCOMPARE(complete.size(), 1);
    QCOMPARE(ready.size(), 2);
    QCOMPARE(h->currentSession(), 1);
}

// No session is current, so the pad's models have nowhere to go; the pad still gets answers.
void TestTraining::withoutSessions()
{
    const auto h = handler("");
    QVERIFY(h->sessions().isEmpty());
    QSignalSpy complete(h.get(), &TrainingRecoEventHandler::allWritingComplete);
    h->nextSession();
    QCOMPARE(complete.size(), 1);
    QCOMPARE(h->currentSession(), -1);
    QSignalSpy missing(h.get(), &TrainingRecoEventHandler::missingItemNumber);
    QSignalSpy result(h.get(), &ThreadedRecoEventHandler::result);
    h->updateRecognitionResultEvent(
        written(TrainingRecoEventHandler::sessionFromText("ab", true), 1, 1), QRectF(), true);
    QVERIFY(result.wait(5000));
    QVERIFY(missing.isEmpty());
    QVERIFY(h->sessions().isEmpty());
    QCOMPARE(h->trainingText(), QString());
}

void TestTraining::inkStoredPerSession()
{
    const auto h = handler("a b c\nd e\n");
    h->nextSession();
    const RecognitionResult model = written(h->sessions().at(0), 2, 10);
    QSignalSpy missing(h.get(), &TrainingRecoEventHandler::missingItemNumber);
    QSignalSpy result(h.get(), &ThreadedRecoEventHandler::result);
    h->updateRecognitionResultEvent(model, QRectF(0, 0, 100, 100), true);
    QVERIFY(result.wait(5000));
    QCOMPARE(result.size(), 1);
    QVERIFY(result.at(0).at(0).value<RecognitionResult>().root().ink().isEmpty());
    QCOMPARE(missing.size(), 1);
    QCOMPARE(missing.at(0), QVariantList({1, 0}));
    QCOMPARE(h->missingItemCount(0), 1);
    QCOMPARE(h->missingItemCount(1), 2);
    QCOMPARE(penStrokes(h->sessions().at(0)), penStrokes(model));
    QCOMPARE(penStrokes(h->sessions().at(1)), 0);
}

// One recognition unit and guide box per run of written strokes after a box; the guide box
// is the box itself, its top-left corner first.
void TestTraining::guideBoxPerRunOfStrokes()
{
    writeFile(dataFile(), "a b c\n");
    RecognizerConfig config = m_trainer;
    config.trainingData = dataFile();
    FeedRecorder h(engineBinding().engine, config, QString());
    QList<RecognitionResult> results;
    const QList<QList<Stroke>> inks{writtenLetter("a", 1), writtenLetter("b", 2), {}};
    const QStringList labels{"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
        QList<Stroke> strokes{makeBoxStroke(QRectF(100 * i, 20, 80, 60), 0)};
        strokes += inks.at(i);
        results.append(resultFromStrokes(strokes, labels.at(i), ResultNode::Character, 0));
    }
    h.feedTrainingSet(mergeResults(results, 0));
    QCOMPARE(h.calls,
             QStringList({"unit", "guide 0 20 80 60", "stroke", "sample a", "unit",
                          "guide 100 20 80 60", "stroke", "stroke", "sample b", "sample c"}));
}

void TestTraining::suspendAndResume()
{
    const QByteArray texts("a b\nc d\ne f\n");
    {
        const auto first = handler(texts);
        first->nextSession();
        first->updateRecognitionResultEvent(written(first->sessions().at(0), 2, 100));
        first->nextSession();
        first->updateRecognitionResultEvent(written(first->sessions().at(1), 2, 200));
        first->nextSession();
        first->updateRecognitionResultEvent(written(first->sessions().at(2), 1, 300));
        QSignalSpy suspended(first.get(), &TrainingRecoEventHandler::suspendTrainingDone);
        first->suspendTraining();
        QCOMPARE(suspended.size(), 1);
        QCOMPARE(suspended.at(0).at(0).toBool(), true);
    }
    for (int i = 0; i < 3; ++i)
        QVERIFY2(QFile::exists(folderFile(QStringLiteral("en_US-Customized-%1.trainset").arg(i))),
                 "suspended sessions outlive their handler");

    const auto resumed = handler(texts);
    const QList<RecognitionResult> sessions = resumed->sessions();
    QCOMPARE(sessions.size(), 3);
    QCOMPARE(itemLabels(sessions.at(2)), QStringList({"e", "f"}));
    QCOMPARE(penStrokes(sessions.at(0)), 3); // a, b
    QCOMPARE(penStrokes(sessions.at(1)), 2); // c, d
    QCOMPARE(penStrokes(sessions.at(2)), 1); // e
    QSignalSpy ready(resumed.get(), &TrainingRecoEventHandler::writingSessionReady);
    QSignalSpy missing(resumed.get(), &TrainingRecoEventHandler::missingItemNumber);
    QSignalSpy continued(resumed.get(), &TrainingRecoEventHandler::continueSuspendedTraining);
    resumed->nextSession();
    QCOMPARE(ready.size(), 1);
    QCOMPARE(ready.at(0).at(0).toInt(), 2);
    QCOMPARE(missing.at(0), QVariantList({1, 2}));
    QCOMPARE(continued.size(), 1);
    QCOMPARE(continued.at(0).at(0).toBool(), true);
}

void TestTraining::gapInSessionFiles()
{
    {
        const auto h = handler("a\nb\nc\nd\n");
        h->suspendTraining();
    }
    QVERIFY(QFile::remove(folderFile("en_US-Customized-2.trainset")));
    const auto resumed = handler("a\nb\nc\nd\n");
    QCOMPARE(resumed->sessions().size(), 2);
}

// A session file the engine cannot read does not count as a written session: its text comes
// back from the training texts with every item to write again.
void TestTraining::unreadableSessionFileIsWrittenAgain()
{
    const QByteArray texts("a b\nc d\ne f\n");
    {
        const auto h = handler(texts);
        for (int i = 0; i < 3; ++i) {
            h->nextSession();
            h->updateRecognitionResultEvent(written(h->sessions().at(i), 2, 10 * i));
        }
        h->suspendTraining();
    }
    writeFile(folderFile("en_US-Customized-1.trainset"), "damaged");
    const auto resumed = handler(texts);
    QCOMPARE(resumed->sessions().size(), 3);
    QCOMPARE(itemLabels(resumed->sessions().at(1)), QStringList({"c", "d"}));
    QCOMPARE(resumed->missingItemCount(0), 0);
    QCOMPARE(resumed->missingItemCount(1), 2);
    QCOMPARE(resumed->missingItemCount(2), 0);
    QSignalSpy ready(resumed.get(), &TrainingRecoEventHandler::writingSessionReady);
    resumed->nextSession();
    QCOMPARE(ready.at(0).at(0).toInt(), 1);
}

// A handler that was not suspended removes every session file of its locale and user name,
// however many, and no one else's.
void TestTraining::sessionFilesRemovedUnlessSuspended()
{
    const QStringList others{"en_USAnn-0.trainset", "en_US-Customized-2-0.trainset",
                             "en_US-Customized-07.trainset", "ja_JP-Customized-0.trainset"};
    for (const QString &name : others)
        writeFile(folderFile(name), "other");
    for (int i = 0; i < 12; ++i)
        writeFile(folderFile(QStringLiteral("en_US-Customized-%1.trainset").arg(i)), "stale");
    auto h = handler("a\nb\n");
    QCOMPARE(h->sessions().size(), 12);
    h.reset();
    QStringList left = QDir(trainingFolder()).entryList({"*.trainset"});
    left.sort();
    QStringList expected = others;
    expected.sort();
    QCOMPARE(left, expected);
}

// Files left from an earlier, longer run do not join the sessions of a later suspension.
void TestTraining::noStaleSessionsAfterSuspension()
{
    for (int i = 2; i < 12; ++i)
        writeFile(folderFile(QStringLiteral("en_US-Customized-%1.trainset").arg(i)), "stale");
    {
        const auto h = handler("a\nb\n");
        QCOMPARE(h->sessions().size(), 2);
        h->suspendTraining();
    }
    const auto resumed = handler("a\nb\n");
    QCOMPARE(resumed->sessions().size(), 2);
    QCOMPARE(QDir(trainingFolder()).entryList({"*.trainset"}).size(), 2);
}

void TestTraining::failedSuspension_data()
{
    QTest::addColumn<bool>("suspendedBefore");
    QTest::newRow("first suspension") << false;
    QTest::newRow("after a suspension") << true;
}

// A session file that cannot be stored is reported; the sessions stay with the handler, and
// the files of an earlier successful suspension outlive it.
void TestTraining::failedSuspension()
{
    QFETCH(bool, suspendedBefore);
    auto h = handler("a b\nc d\n");
    h->nextSession();
    h->updateRecognitionResultEvent(written(h->sessions().at(0), 2, 5));
    if (suspendedBefore) {
        h->suspendTraining();
        QVERIFY(QFile::remove(h->sessionFile(1)));
    }
    QVERIFY(QDir().mkpath(h->sessionFile(1)));
    QSignalSpy suspended(h.get(), &TrainingRecoEventHandler::suspendTrainingDone);
    h->suspendTraining();
    QCOMPARE(suspended.size(), 1);
    QCOMPARE(suspended.at(0).at(0).toBool(), false);
    QCOMPARE(penStrokes(h->sessions().at(0)), 3);
    const QString first = h->sessionFile(0);
    h.reset();
    QCOMPARE(QFile::exists(first), suspendedBefore);
}

void TestTraining::failedTrainingKeepsTheSessions_data()
{
    QTest::addColumn<QString>("obstacle"); // a folder where a file must go
    QTest::addColumn<bool>("keptOnDisk");
    QTest::newRow("trained resource") << "resource" << true;
    QTest::newRow("customised configuration") << "configuration" << true;
    QTest::newRow("training folder") << "training folder" << false;
}

// A training that fails reports no language, writes no configuration and keeps the written
// sessions for another try.
void TestTraining::failedTrainingKeepsTheSessions()
{
    QFETCH(QString, obstacle);
    QFETCH(bool, keptOnDisk);
    auto h = handler("a b\n");
    h->nextSession();
    h->updateRecognitionResultEvent(written(h->sessions().at(0), 2, 50));
    const QString resource = folderFile(h->trainedResourceName());
    const QString document = userConfigFile(h->trainedConfigName());
    if (obstacle == QLatin1String("resource"))
        QVERIFY(QDir().mkpath(resource));
    else if (obstacle == QLatin1String("configuration"))
        QVERIFY(QDir().mkpath(document));
    else {
        QVERIFY(QDir(trainingFolder() + "/..").removeRecursively());
        writeFile(applicationPath(UserDataFolder) + "/Training", "in the way");
    }
    QSignalSpy done(h.get(), &TrainingRecoEventHandler::trainingDone);
    h->train();
    QCOMPARE(done.size(), 1);
    QCOMPARE(done.at(0).at(0).toString(), QString());
    QVERIFY(!QFileInfo(document).isFile());
    QCOMPARE(penStrokes(h->sessions().at(0)), 3);
    h.reset();
    if (!keptOnDisk)
        return;

    // The next run finds every session written and trains once the way is clear.
    QVERIFY(QDir(obstacle == QLatin1String("resource") ? resource : document).removeRecursively());
    auto again = handler("a b\n");
    QCOMPARE(penStrokes(again->sessions().at(0)), 3);
    QSignalSpy complete(again.get(), &TrainingRecoEventHandler::allWritingComplete);
    again->nextSession();
    QCOMPARE(complete.size(), 1);
    QSignalSpy doneAgain(again.get(), &TrainingRecoEventHandler::trainingDone);
    again->train();
    QCOMPARE(doneAgain.at(0).at(0).toString(), QStringLiteral("_-Customized en_US"));
    QVERIFY(QFileInfo(document).isFile());
    again.reset();
    QVERIFY(QDir(trainingFolder()).entryList({"*.trainset"}).isEmpty());
}

// The sessions kept by a failed training go once a second try in the same run succeeds.
void TestTraining::retriedTrainingLeavesNoSessions()
{
    auto h = handler("a b\n");
    h->nextSession();
    h->updateRecognitionResultEvent(written(h->sessions().at(0), 2, 50));
    const QString resource = folderFile(h->trainedResourceName());
    QVERIFY(QDir().mkpath(resource));
    QSignalSpy done(h.get(), &TrainingRecoEventHandler::trainingDone);
    h->train();
    QVERIFY(QFile::exists(h->sessionFile(0)));
    QVERIFY(QDir(resource).removeRecursively());
    h->train();
    QCOMPARE(done.size(), 2);
    QCOMPARE(done.at(1).at(0).toString(), QStringLiteral("_-Customized en_US"));
    h.reset();
    QVERIFY(QDir(trainingFolder()).entryList({"*.trainset"}).isEmpty());
}

int TestTraining::countCorrect(const RecognizerConfig &config, quint32 firstSeed)
{
    InstantRecognizer recognizer(config);
    QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
    recognizer.start();
    if (!configured.wait(10000) || !configured.at(0).at(0).toBool())
        return -1;
    QSignalSpy result(recognizer.handler(), &ThreadedRecoEventHandler::result);
    int correct = 0;
    for (const QString &letter : writerForms().keys()) {
        for (quint32 k = 0; k < 3; ++k) {
            const RecognitionResult model =
                unrecognisedModel(writtenLetter(letter, firstSeed + 7 * k));
            const int expected = int(result.size()) + 1;
            QMetaObject::invokeMethod(recognizer.handler(), "updateRecognitionResultEvent",
                                      Qt::QueuedConnection, Q_ARG(RecognitionResult, model),
                                      Q_ARG(QRectF, QRectF(0, 0, 100, 100)), Q_ARG(bool, true));
            if (!QTest::qWaitFor([&] { return result.size() >= expected; }, 10000))
                return -1;
            const auto r = result.last().at(0).value<RecognitionResult>();
            correct += r.root().selectedCandidate().label() == letter;
        }
    }
    return correct;
}

namespace {

// Signals of the recognizer thread may arrive before a wait begins.
bool waitForSignal(const QSignalSpy &spy, int timeout = 10000)
{
    return QTest::qWaitFor([&spy] { return !spy.isEmpty(); }, timeout);
}

// A training recognizer started and configured, with its handler's signals recorded.
struct TrainingRun
{
    TrainingRun(const RecognizerConfig &config) : recognizer(config, QString())
    {
        QSignalSpy configured(&recognizer, &ThreadedRecognizer::configured);
        recognizer.start();
        ok = configured.wait(10000) && configured.at(0).at(0).toBool();
        h = static_cast<TrainingRecoEventHandler *>(recognizer.handler());
        if (!ok)
            return;
        ready = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::writingSessionReady);
        continued =
            std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::continueSuspendedTraining);
        complete = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::allWritingComplete);
        suspended = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::suspendTrainingDone);
        done = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::trainingDone);
        bound = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::trainProgressBound);
        value = std::make_unique<QSignalSpy>(h, &TrainingRecoEventHandler::trainProgressValue);
    }
    void call(const char *slot) { QMetaObject::invokeMethod(h, slot, Qt::QueuedConnection); }
    // Shows the next session and writes all of it.
    bool writeNextSession(quint32 seed)
    {
        const int before = int(ready->size());
        call("nextSession");
        if (!QTest::qWaitFor([&] { return ready->size() > before; }, 5000))
            return false;
        const RecognitionResult session = ready->last().at(2).value<RecognitionResult>();
        QMetaObject::invokeMethod(h, "updateRecognitionResultEvent", Qt::QueuedConnection,
                                  Q_ARG(RecognitionResult, written(session, 99, seed)),
                                  Q_ARG(QRectF, QRectF()), Q_ARG(bool, true));
        return true;
    }

    TrainingRecognizer recognizer;
    TrainingRecoEventHandler *h = nullptr;
    bool ok = false;
    std::unique_ptr<QSignalSpy> ready, continued, complete, suspended, done, bound, value;
};

} // namespace

// The whole road: a session written and suspended, the training resumed in a new run, the
// second session written, training, and the customised language loaded and compared with its
// base on samples of the writer's letters that the training never saw.
void TestTraining::trainingCycle()
{
    writeFile(applicationPath(UserDataFolder) + "/en_US_personalTrainingFile.txt", "abcdef\n");
    RecognizerConfig config = m_trainer;
    config.userTrainingFile = true;
    {
        TrainingRun run(config);
        QVERIFY(run.ok);
        QCOMPARE(run.h->trainingText(), QStringLiteral("abcdef"));
        QVERIFY(run.writeNextSession(1000));
        run.call("suspendTraining");
        QVERIFY(waitForSignal(*run.suspended, 10000));
        QCOMPARE(run.suspended->at(0).at(0).toBool(), true);
    }
    {
        TrainingRun run(config);
        QVERIFY(run.ok);
        QVERIFY(run.writeNextSession(2000));
        QCOMPARE(run.ready->at(0).at(0).toInt(), 1);
        QCOMPARE(run.continued->size(), 1);
        QCOMPARE(run.continued->at(0).at(0).toBool(), false);
        QCOMPARE(penStrokes(run.ready->at(0).at(2).value<RecognitionResult>()), 0);
        run.call("nextSession");
        QVERIFY(waitForSignal(*run.complete, 5000));
        run.call("train");
        QVERIFY(waitForSignal(*run.done, 60000));
        QCOMPARE(run.done->at(0).at(0).toString(), QStringLiteral("_-Customized en_US"));
        QVERIFY(!run.bound->isEmpty());
        QCOMPARE(run.value->last().at(0).toInt(), run.bound->last().at(0).toInt());
    }
    QVERIFY(QFileInfo(folderFile("en_US-Customized-ak-iso.res")).size() > 0);
    QVERIFY(QFile::exists(folderFile("en_US-Customized.xml")));
    QVERIFY(QDir(trainingFolder()).entryList({"*.trainset"}).isEmpty());

    const RecognizerConfig trained = configOf("_-Customized", IsolatedMode);
    QCOMPARE(trained.resources, QStringList(folderFile("en_US-Customized-ak-iso.res")));
    const int baseCorrect = countCorrect(configOf(locale, IsolatedMode), 5000);
    const int trainedCorrect = countCorrect(trained, 5000);
    qInfo("The writer's letters read right: base %d of 18, trained %d of 18", baseCorrect,
          trainedCorrect);
    QVERIFY(baseCorrect >= 0);
    QVERIFY(trainedCorrect >= 15);
    QVERIFY(trainedCorrect >= baseCorrect + 8);
}

QTEST_MAIN(TestTraining)
#include "tst_training.moc"
