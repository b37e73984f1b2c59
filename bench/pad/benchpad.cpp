// Time from the pen-up of the last stroke of a five-word line to the result
// the cursive pad exports, through the scene, the pad controller, its
// oracle and the recognizer thread on the engine library; and the part of it
// spent on the GUI thread: the pen-up itself, and the result's way from the
// recognizer's answer to the export.

#include "modes/cursivewritepad.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/updater.h"
#include "recognition/enginebinding.h"
#include "recognition/instantrecognizer.h"
#include "recognition/threadedrecoeventhandler.h"
#include "tests/recognition/handwriting/inkreader.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

const int runs = 100;
const QString line = QStringLiteral("the quick brown fox jumps");

struct Figures
{
    QList<double> endToEnd, penUp, result;
};

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

double maximum(const QList<double> &v)
{
    return v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end());
}

void print(const char *what, const QList<double> &v)
{
    std::printf("  %-34s median %6.2f ms  max %6.2f ms\n", what, median(v), maximum(v));
}

class Bench
{
public:
    Bench()
        : pad(BehaviourSettings(), ItemStyle(), WritingDirection::LeftToRight, nullptr, &magic,
              &clear)
    {
        magic.setCheckable(true);
        pad.initialize();
        pad.resize(1200, 300);
        pad.show();
        QObject::connect(&pad, &InputWidget::configStatus, [this](int s) { status = s; });
        QObject::connect(&pad, &InputWidget::exportModel, [this](const RecognitionResult &r) {
            exported = r.root().selectedCandidate().label();
            exportedAt = clock.nsecsElapsed();
        });
        clock.start();
    }

    bool configure()
    {
        LanguageEntry english;
        english.setLocale(QLocale("en_US"));
        english.setName("en_US");
        pad.setLanguage(english);
        if (!QTest::qWaitFor([this] { return status != 0; }, 20000) || status != 1)
            return false;
        QObject::connect(pad.recognizer()->handler(), &ThreadedRecoEventHandler::result,
                         pad.recognizer()->handler(),
                         [this] { answeredAt = clock.nsecsElapsed(); }, Qt::DirectConnection);
        return true;
    }

    void stroke(const Stroke &s)
    {
        QWidget *vp = pad.view()->viewport();
        const QPainterPath path = s.path();
        auto at = [&](int i) {
            return pad.view()->mapFromScene(QPointF(100, 300) + QPointF(path.elementAt(i)) * 2);
        };
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, at(0));
        for (int i = 1; i + 1 < path.elementCount(); ++i)
            QTest::mouseMove(vp, at(i));
        const QPoint last = at(path.elementCount() - 1);
        const qint64 up = clock.nsecsElapsed();
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, last);
        penUpAt = up;
        penUpDone = clock.nsecsElapsed();
    }

    bool idle(const QString &text)
    {
        return QTest::qWaitFor(
            [&] {
                return exported == text && pad.updater()->state() == Updater::State::Idle
                       && pad.updater()->pendingStrokes().isEmpty();
            },
            10000);
    }

    void clearPad()
    {
        UpdaterRequest clearing(UpdaterRequestKind::ClearContext);
        pad.updater()->processRequest(&clearing);
        UpdateIdle empty(RecognitionResult(), 1);
        pad.updater()->processRequest(&empty);
        exported.clear();
    }

    // One run: all but the last stroke written and read, then the last one.
    bool run(const QList<Stroke> &ink, Figures &f)
    {
        clearPad();
        for (int i = 0; i + 1 < ink.size(); ++i)
            stroke(ink.at(i));
        if (!QTest::qWaitFor([&] { return exported.startsWith("the quick brown fox jump"); },
                             10000)
            || !idle(exported))
            return false;
        stroke(ink.last());
        if (!idle(line + ' '))
            return false;
        f.endToEnd << (exportedAt - penUpAt) / 1e6;
        f.penUp << (penUpDone - penUpAt) / 1e6;
        f.result << (exportedAt - answeredAt.load()) / 1e6;
        return true;
    }

    QAction magic{"magic"};
    QAction clear{"clear"};
    CursiveWritepad pad;
    int status = 0;
    QString exported;
    QElapsedTimer clock;
    qint64 exportedAt = 0, penUpAt = 0, penUpDone = 0;
    std::atomic<qint64> answeredAt{0};
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString fixture = QStringLiteral(SCRIVEL_SOURCE_DIR "/tests/recognition/data/latin.ink");
    const QList<Stroke> ink = readInkFile(fixture).value(line);
    if (ink.isEmpty() || !startEngine()) {
        std::fprintf(stderr, "no fixture ink or no engine\n");
        return 1;
    }
    int failed = 0;
    Figures f;
    {
        Bench bench;
        if (!bench.configure()) {
            std::fprintf(stderr, "the pad was not configured\n");
            return 1;
        }
        for (int i = 0; i < runs; ++i) {
            if (!bench.run(ink, f))
                ++failed;
        }
    }
    stopEngine();
    std::printf("Pen-up to exported result, %d strokes, five words, %d runs (%d failed)\n",
                int(ink.size()), runs, failed);
    print("end to end", f.endToEnd);
    print("GUI thread: pen-up", f.penUp);
    print("GUI thread: answer to export", f.result);
    return failed == runs ? 1 : 0;
}
