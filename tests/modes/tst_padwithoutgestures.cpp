// A cursive pad whose gesture package is missing keeps taking every stroke
// as writing. The test runs itself again from a program folder whose
// resources lack the gesture package.
#include "frozenpadclock.h"
#include "inkreader.h"
#include "modes/cursivewritepad.h"
#include "pad/scrivelview.h"
#include "pad/updater.h"
#include "recognition/enginebinding.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char *childVariable = "SCRIVEL_PAD_WITHOUT_GESTURES";

LanguageEntry english()
{
    LanguageEntry e;
    e.setLocale(QLocale("en_US"));
    e.setName("en_US");
    return e;
}

// The program folder of this test with every resource package but the
// gesture package.
bool makeFolderWithoutGestures(const QString &folder)
{
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!QFile::copy(bin.filePath(program), folder + "/" + program)
        || !QFile::link(bin.filePath("libInkoraEngine.so"), folder + "/libInkoraEngine.so")
        || !QDir(folder).mkdir("resources"))
        return false;
    const QDir resources(bin.filePath("resources"));
    for (const QString &file : resources.entryList({"*.rcc"}, QDir::Files)) {
        if (file != "1gestures.rcc"
            && !QFile::link(resources.filePath(file), folder + "/resources/" + file))
            return false;
    }
    return true;
}

} // namespace

class TestPadWithoutGestures : public QObject
{
    Q_OBJECT
private slots:
    void writingGoesOn();
    void inAFolderWithoutGestures();
};

void TestPadWithoutGestures::writingGoesOn()
{
    if (qEnvironmentVariableIsSet(childVariable))
        QSKIP("run from the folder without gestures");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(makeFolderWithoutGestures(folder.path()));
    QVERIFY(!QFile::exists(folder.filePath("resources/1gestures.rcc")));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(childVariable, "1");
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(folder.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                {"inAFolderWithoutGestures"});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
    QVERIFY2(output.contains("PASS   : TestPadWithoutGestures::inAFolderWithoutGestures()"),
             output.constData());
}

void TestPadWithoutGestures::inAFolderWithoutGestures()
{
    if (!qEnvironmentVariableIsSet(childVariable))
        QSKIP("runs only from the folder without gestures");
    QVERIFY(startEngine());
    QAction magic("magic");
    QAction clear("clear");
    magic.setCheckable(true);
    CursiveWritepad pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight, nullptr,
                        &magic, &clear);
    QSignalSpy status(&pad, &InputWidget::configStatus);
    QSignalSpy exports(&pad, &InputWidget::exportModel);
    pad.initialize();
    pad.resize(1200, 300);
    pad.show();
    pad.setLanguage(english());
    QVERIFY(QTest::qWaitFor([&] { return !status.isEmpty() && status.last().at(0) != 0; },
                            20000));
    QCOMPARE(status.last().at(0).toInt(), 1);

    const auto settled = [&](int strokes) {
        return QTest::qWaitFor(
            [&] {
                const Updater *u = pad.updater();
                return !exports.isEmpty() && u->state() == Updater::State::Idle
                       && u->pendingStrokes().isEmpty()
                       && exports.last().at(0).value<RecognitionResult>()
                                  .root().ink().strokes().size() == strokes;
            },
            20000);
    };
    const auto stroke = [&](const QList<QPointF> &points) {
        QWidget *vp = pad.view()->viewport();
        const auto pixel = [&](const QPointF &p) { return pad.view()->mapFromScene(p); };
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixel(points.first()));
        for (int i = 1; i + 1 < points.size(); ++i)
            QTest::mouseMove(vp, pixel(points.at(i)));
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixel(points.last()));
    };

    FrozenPadClock clock;
    const QList<Stroke> ink =
        readInkFile(QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink"))
            .value("hello world");
    QVERIFY(!ink.isEmpty());
    for (const Stroke &s : ink) {
        QList<QPointF> points;
        const QPainterPath path = s.path();
        for (int i = 0; i < path.elementCount(); ++i)
            points << QPointF(100, 300) + QPointF(path.elementAt(i)) * 2;
        stroke(points);
    }
    QVERIFY(settled(int(ink.size())));
    clock.advance(1600);
    // A strike-through is writing too, and the pad settles again.
    QList<QPointF> strike;
    for (int i = 0; i < 20; ++i)
        strike << QPointF(730 + i * 30, 420);
    stroke(strike);
    QVERIFY(settled(int(ink.size()) + 1));
    stopEngine();
}

QTEST_MAIN(TestPadWithoutGestures)
#include "tst_padwithoutgestures.moc"
