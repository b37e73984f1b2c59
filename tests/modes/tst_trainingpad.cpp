#include "configfixtures.h"
#include "gesturescene.h"
#include "isofixtures.h"
#include "modes/isoboxitem.h"
#include "modes/isotrainerupdater.h"
#include "modes/isotrainerwritepad.h"
#include "modes/trainingdialog.h"
#include "modes/trainingfile.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "platform/prompt.h"
#include "model/resultbuilding.h"
#include "recognition/enginebinding.h"
#include "recognition/recognizerconfig.h"
#include "recognition/trainingrecoeventhandler.h"
#include "recognition/trainingrecognizer.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace configfixtures;

namespace {

LanguageEntry english()
{
    LanguageEntry e;
    e.setLocale(QLocale(QStringLiteral("en_US")));
    e.setName(QStringLiteral("en_US"));
    return e;
}

int penStrokes(const RecognitionResult &r)
{
    int count = 0;
    for (const Stroke &s : r.root().ink().strokes())
        count += s.kind() == Stroke::Pen;
    return count;
}

} // namespace

// A training pad on the engine library with a small training text, written with the mouse;
// message boxes are answered by the prompt seam and recorded.
class TrainerPad
{
public:
    explicit TrainerPad(const QString &trainingData)
        : pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight, &cancelAction),
          status(&pad, &InputWidget::configStatus),
          done(&pad, &IsoTrainerWritepad::trainingDone),
          cancelled(&cancelAction, &QAction::triggered)
    {
        pad.initialize();
        bar = new QHBoxLayout(&buttons);
        pad.createPadButtons(bar, &buttons);
        pad.resize(1400, 300);
        pad.show();
        m_trainingData = trainingData;
    }

    // Without a text of its own the pad trains on the language's text of five sessions.
    bool configure()
    {
        status.clear();
        pad.setLanguage(english());
        if (!waitStatus())
            return false;
        if (m_trainingData.isEmpty())
            return QTest::qWaitFor([this] { return boxCount() > 0; }, 5000);
        // The same configuration on a training text of the test's own.
        auto *config = qobject_cast<Config *>(pad.configs()->checkedAction());
        config->recognizerConfig.trainingData = m_trainingData;
        status.clear();
        pad.setConfig();
            // The test's text gives two sessions.
        return waitStatus() && QTest::qWaitFor(
                   [this] {
                       return pad.sessionLabel()->text().endsWith(QStringLiteral("/2)"))
                              && boxCount() > 0;
                   },
                   5000);
    }

    bool waitStatus()
    {
        return QTest::qWaitFor([this] { return !status.isEmpty() && status.last().at(0) != 0; },
                               20000)
               && status.last().at(0).toInt() == 1;
    }

    int boxCount() const { return int(pad.trainerUpdater()->boxes().size()); }

    QString boxLabel(int i) const { return pad.trainerUpdater()->boxes().at(i)->label(); }

    void mouseStroke(const QList<QPointF> &scenePoints)
    {
        QWidget *vp = pad.view()->viewport();
        auto pixel = [this](const QPointF &p) { return pad.view()->mapFromScene(p); };
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.first()));
        for (int i = 1; i + 1 < scenePoints.size(); ++i)
            QTest::mouseMove(vp, pixel(scenePoints.at(i)));
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixel(scenePoints.last()));
    }

    // Writes the expected character of box i into it and waits for the handler's count.
    bool writeBox(int i)
    {
        const QPointF corner = pad.trainerUpdater()->boxes().at(i)->pos();
        for (const QList<QPointF> &s : printedStrokes(boxLabel(i), 3.6, corner + QPointF(60, 200)))
            mouseStroke(s);
        Updater *u = pad.updater();
        return QTest::qWaitFor(
            [u] { return u->state() == Updater::State::Idle && u->pendingStrokes().isEmpty(); },
            10000);
    }

    bool writeSession()
    {
        for (int i = 0; i < boxCount(); ++i) {
            if (!writeBox(i))
                return false;
        }
        return QTest::qWaitFor([this] { return pad.nextSessionButton()->isEnabled(); }, 5000);
    }

    QAction cancelAction;
    IsoTrainerWritepad pad;
    QWidget buttons;
    QHBoxLayout *bar;
    QSignalSpy status;
    QSignalSpy done;
    QSignalSpy cancelled;

private:
    QString m_trainingData;
};

class TestTrainingPad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void wholeTrainingCycle();
    void suspendAndResume();
    void failedSuspensionKeepsTheWriting();
    void failedTrainingIsReported();
    void trainingFileInLinesOfTen_data();
    void trainingFileInLinesOfTen();
    void cancelNeedsTheTrainingAction();

private:
    QString trainingData() const { return m_folders.filePath(QStringLiteral("train.txt")); }
    QStringList promptTexts() const;

    QTemporaryDir m_folders;
    QList<QMessageBox::StandardButton> m_answers;
};

void TestTrainingPad::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_folders.isValid());
    QVERIFY(startEngine());
}

void TestTrainingPad::cleanupTestCase()
{
    Prompt::setHandler({});
    stopEngine();
}

void TestTrainingPad::init()
{
    useFolders(m_folders);
    writeFile(trainingData(), "a b\nc d\n");
    Prompt::clearRequests();
    Prompt::setHandler([](const Prompt::Request &) { return QVariant(int(QMessageBox::Ok)); });
}

void TestTrainingPad::cleanup()
{
    removeFolders(m_folders);
}

QStringList TestTrainingPad::promptTexts() const
{
    QStringList texts;
    for (const Prompt::Request &r : Prompt::requests()) {
        if (r.kind == Prompt::Message && r.title == IsoTrainerWritepad::Title)
            texts << r.text;
    }
    return texts;
}

void TestTrainingPad::wholeTrainingCycle()
{
    TrainerPad p(trainingData());
    QVERIFY(p.configure());
    // The first session: its two characters in two boxes, nothing written yet.
    QCOMPARE(p.pad.sessionLabel()->text(), QStringLiteral("(Session 1/2)"));
    QCOMPARE(p.boxCount(), 2);
    QCOMPARE(p.boxLabel(0), QStringLiteral("a"));
    QCOMPARE(p.boxLabel(1), QStringLiteral("b"));
    QVERIFY(!p.pad.nextSessionButton()->isEnabled());
    QVERIFY(!p.pad.suspendButton()->isEnabled());
    QCOMPARE(p.pad.nextSessionButton()->text(), QStringLiteral("Next"));

    // One character written: Suspend may be used, Next not yet.
    QVERIFY(p.writeBox(0));
    QTRY_VERIFY(p.pad.suspendButton()->isEnabled());
    QVERIFY(!p.pad.nextSessionButton()->isEnabled());
    QVERIFY(p.writeBox(1));
    QTRY_VERIFY(p.pad.nextSessionButton()->isEnabled());
    // The expected characters stay, each with the ink written in its box.
    const RecognitionResult first = p.pad.updater()->model();
    QCOMPARE(first.root().selectedCandidate().label(), QStringLiteral("ab"));
    QVERIFY(penStrokes(first) >= 4);

    p.pad.nextSessionButton()->click();
    QTRY_COMPARE(p.pad.sessionLabel()->text(), QStringLiteral("(Session 2/2)"));
    QCOMPARE(p.pad.nextSessionButton()->text(), QStringLiteral("Launch training..."));
    QTRY_COMPARE(p.boxLabel(0), QStringLiteral("c"));
    QVERIFY(p.writeSession());

    p.pad.nextSessionButton()->click();
    QVERIFY(QTest::qWaitFor([&] { return !p.done.isEmpty(); }, 60000));
    const QString trained = p.done.first().at(0).toString();
    QCOMPARE(trained, QStringLiteral("_-Customized en_US"));
    QVERIFY(QFile::exists(userConfigFile(trained)));
    const QStringList texts = promptTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts.at(0).startsWith(QStringLiteral("You have written all the text!")));
    QVERIFY(texts.at(1).startsWith(QStringLiteral("Your training session was a success!")));
    // The progress dialog closed itself with the training.
    QTRY_VERIFY(p.pad.findChildren<TrainingDialog *>().isEmpty()
                && !QApplication::activeModalWidget());
}

void TestTrainingPad::suspendAndResume()
{
    {
        TrainerPad p{QString()};
        QVERIFY(p.configure());
        QVERIFY(p.writeBox(0));
        QTRY_VERIFY(p.pad.suspendButton()->isEnabled());
        p.pad.suspendButton()->click();
        QTRY_COMPARE(p.done.size(), 1);
        QCOMPARE(p.done.first().at(0).toString(), QString());
        QVERIFY(promptTexts().value(0).startsWith(QStringLiteral("Your current training session")));
        QVERIFY(QFile::exists(p.pad.trainingHandler()->sessionFile(0)));
    }
    // A new run goes on with the written character.
    TrainerPad p{QString()};
    QVERIFY(p.configure());
    QCOMPARE(p.pad.sessionLabel()->text(), QStringLiteral("(Session 1/5)"));
    QTRY_VERIFY(p.pad.suspendButton()->isEnabled());
    QVERIFY(!p.pad.nextSessionButton()->isEnabled());
    const RecognitionResult resumed = p.pad.updater()->model();
    QCOMPARE(resumed.root().selectedCandidate().label(), QStringLiteral("abcdefghijklm"));
    const QList<Segment> items = resumed.root().segmentsOfType(ResultNode::Character);
    QVERIFY(penStrokes(resultFromSegment(items.at(0))) >= 2);
    QCOMPARE(penStrokes(resultFromSegment(items.at(1))), 0);
    QVERIFY(p.writeBox(1));
    QCOMPARE(p.pad.trainingHandler()->missingItemCount(0), 11);
}

void TestTrainingPad::failedSuspensionKeepsTheWriting()
{
    TrainerPad p(trainingData());
    QVERIFY(p.configure());
    QVERIFY(p.writeBox(0));
    QTRY_VERIFY(p.pad.suspendButton()->isEnabled());
    // The training folder cannot be made: a file stands in its place.
    QVERIFY(QDir(trainingFolder()).removeRecursively());
    writeFile(trainingFolder(), "in the way");
    Prompt::clearRequests();
    p.pad.suspendButton()->click();
    QTRY_COMPARE(promptTexts().size(), 2);
    QVERIFY(promptTexts().at(1).contains(QStringLiteral("could not be saved")));
    // Training goes on: not reported as done, the written ink still in the session.
    QTest::qWait(100);
    QVERIFY(p.done.isEmpty());
    QVERIFY(penStrokes(p.pad.trainingHandler()->sessions().value(0)) > 0);
    QVERIFY(p.writeBox(1));
    QTRY_VERIFY(p.pad.nextSessionButton()->isEnabled());
}

void TestTrainingPad::failedTrainingIsReported()
{
    TrainerPad p(trainingData());
    QVERIFY(p.configure());
    QVERIFY(p.writeSession());
    p.pad.nextSessionButton()->click();
    QTRY_COMPARE(p.pad.sessionLabel()->text(), QStringLiteral("(Session 2/2)"));
    QTRY_COMPARE(p.boxLabel(0), QStringLiteral("c"));
    QVERIFY(p.writeSession());
    QVERIFY(QDir(trainingFolder()).removeRecursively());
    writeFile(trainingFolder(), "in the way");
    p.pad.nextSessionButton()->click();
    QVERIFY(QTest::qWaitFor([&] { return !p.done.isEmpty(); }, 60000));
    QCOMPARE(p.done.first().at(0).toString(), QString());
    QCOMPARE(promptTexts().last(), QStringLiteral("The training is not complete due to an error."));
    QVERIFY(!promptTexts().join(' ').contains(QStringLiteral("success")));
    QCOMPARE(penStrokes(p.pad.trainingHandler()->sessions().value(1)) > 0, true);
}

void TestTrainingPad::trainingFileInLinesOfTen_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("three letters and spaces") << "a b  c\n" << QByteArray("abc");
    QTest::newRow("eleven") << "abcdefghijk" << QByteArray("abcdefghij\r\nk");
    QTest::newRow("twenty-five")
        << "abcdefghij klmnopqrst\nuvwxy" << QByteArray("abcdefghij\r\nklmnopqrst\r\nuvwxy");
    QTest::newRow("ten") << "0123456789" << QByteArray("0123456789");
    QTest::newRow("kana") << "あい う" << QString("あいう").toUtf8();
    // U+20000 is one character of two UTF-16 units: it stays whole at the line's end.
    const QString ext = QString::fromUcs4(U"\U00020000");
    QTest::newRow("supplementary plane at the cut")
        << "abcdefghi" + ext + "j" << ("abcdefghi" + ext + "\r\nj").toUtf8();
    QTest::newRow("ten of the supplementary plane")
        << ext.repeated(11) << (ext.repeated(10) + "\r\n" + ext).toUtf8();
}

void TestTrainingPad::trainingFileInLinesOfTen()
{
    QFETCH(QString, edited);
    QFETCH(QByteArray, saved);
    QCOMPARE(trainingfile::contents(edited), saved);
}

void TestTrainingPad::cancelNeedsTheTrainingAction()
{
    IsoTrainerWritepad without(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight,
                               nullptr);
    without.initialize();
    QWidget buttons;
    auto *bar = new QHBoxLayout(&buttons);
    without.createPadButtons(bar, &buttons);
    QVERIFY(!without.cancelButton()->isEnabled());
    QCOMPARE(without.cancelButton()->toolTip(), QStringLiteral("Cancel training"));

    TrainerPad p(trainingData());
    QVERIFY(p.pad.cancelButton()->isEnabled());
    p.pad.cancelButton()->click();
    QCOMPARE(p.cancelled.size(), 1);
}

QTEST_MAIN(TestTrainingPad)
#include "tst_trainingpad.moc"
