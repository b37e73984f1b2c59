// Time from the pen-up of the last stroke of a written expression to its solved, typeset
// result on the calculator pad, through the scene, the pad controller, its oracle, the
// recognizer thread (the parser and the engine) and the layout; with the pad's clock held, so
// that the typesetting and solving ticks come at once and their work on the GUI thread is
// measured on its own. A result shows within a 60 Hz frame of the solve tick when the tick's
// work stays under 16.7 ms.

#include "calcink.h"
#include "calculator/calculatorupdater.h"
#include "calculator/calculatorwritepad.h"
#include "pad/padclock.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "recognition/enginebinding.h"
#include "tests/fixedstampclock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimeLine>

#include <algorithm>
#include <cstdio>

namespace {

const int runs = 100;
const QString expression = QStringLiteral("12-3+45=");
const QTime Start(10, 0);

struct Figures
{
    QList<double> reading, penUp, typesetTick, solveTick, finalLayout;
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
    std::printf("  %-44s median %7.2f ms  max %7.2f ms\n", what, median(v), maximum(v));
}

double msSince(const QElapsedTimer &clock, qint64 from)
{
    return (clock.nsecsElapsed() - from) / 1e6;
}

class Bench
{
public:
    Bench() : pad(behaviourWithoutSample(), ItemStyle(), nullptr)
    {
        pad.initialize();
        pad.resize(1200, 400);
        pad.show();
        QObject::connect(&pad, &InputWidget::configStatus, [this](int s) { status = s; });
        clock.start();
    }

    static BehaviourSettings behaviourWithoutSample()
    {
        BehaviourSettings b;
        b.displayCalculatorSampleInk = false;
        return b;
    }

    bool configure()
    {
        LanguageEntry english;
        english.setLocale(QLocale("en_US"));
        english.setName("en_US");
        pad.setLanguage(english);
        return QTest::qWaitFor([this] { return status != 0; }, 20000) && status == 1;
    }

    CalculatorUpdater *controller() const { return pad.calculatorUpdater(); }

    bool idle() const
    {
        return controller()->state() == Updater::State::Idle
               && controller()->pendingStrokes().isEmpty();
    }

    // The expression is written across most of the pad's width, centred.
    void place(const QList<Stroke> &ink)
    {
        QRectF extent;
        for (const Stroke &s : ink)
            extent = extent.united(s.boundingRect());
        const QRectF visible = controller()->visibleRect();
        scale = 0.6 * visible.width() / extent.width();
        origin = visible.center() - extent.center() * scale;
    }

    void stroke(const Stroke &s, qint64 *penUpAt, qint64 *penUpDone)
    {
        QWidget *vp = pad.view()->viewport();
        const QPainterPath path = s.path();
        auto at = [&](int i) {
            return pad.view()->mapFromScene(origin + QPointF(path.elementAt(i)) * scale);
        };
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, at(0));
        for (int i = 1; i + 1 < path.elementCount(); ++i)
            QTest::mouseMove(vp, at(i));
        const QPoint last = at(path.elementCount() - 1);
        *penUpAt = clock.nsecsElapsed();
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, last);
        *penUpDone = clock.nsecsElapsed();
    }

    void clearPad()
    {
        controller()->stopLayout();
        UpdaterRequest clearing(UpdaterRequestKind::ClearContext);
        controller()->processRequest(&clearing);
        UpdateIdle empty(RecognitionResult(), 1);
        controller()->processRequest(&empty);
    }

    // One run: all but the last stroke written and read, then the last one; then the
    // typesetting tick, the solve tick and the end of the layout animation.
    bool run(const QList<Stroke> &ink, Figures &f, QString *text)
    {
        clearPad();
        PadClock::freeze(Start);
        FixedStampClock stamps(Start.msecsSinceStartOfDay());
        qint64 up = 0;
        qint64 done = 0;
        for (const Stroke &s : ink) {
            stroke(s, &up, &done);
            if (!QTest::qWaitFor([this] { return idle(); }, 10000))
                return false;
        }
        f.reading << msSince(clock, up);
        f.penUp << (done - up) / 1e6;

        qint64 from = clock.nsecsElapsed();
        PadClock::advance(controller()->typeSetTimer().remainingTime());
        f.typesetTick << msSince(clock, from);
        QSignalSpy finished(controller(), &CalculatorUpdater::localLayoutTimeLineFinished);
        from = clock.nsecsElapsed();
        PadClock::advance(qMax(0, controller()->layoutTimer().remainingTime()));
        f.solveTick << msSince(clock, from);
        QTimeLine *timeLine = controller()->layoutTimeLine();
        if (!timeLine)
            return false;
        qint64 lastFrame = 0;
        QObject::connect(timeLine, &QTimeLine::frameChanged,
                         [&](int) { lastFrame = clock.nsecsElapsed(); });
        if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, 5000))
            return false;
        f.finalLayout << msSince(clock, lastFrame);
        *text = controller()->model().root().selectedCandidate().label();
        PadClock::thaw();
        return true;
    }

    CalculatorWritepad pad;
    QPointF origin;
    double scale = 1.0;
    int status = 0;
    QElapsedTimer clock;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<Stroke> ink;
    for (const calcink::Symbol &symbol : calcink::line(expression, 0, 0, 100))
        ink << symbol;
    if (ink.isEmpty() || !startEngine()) {
        std::fprintf(stderr, "no ink or no engine\n");
        return 1;
    }
    int failed = 0;
    Figures f;
    QString text;
    {
        Bench bench;
        if (!bench.configure()) {
            std::fprintf(stderr, "the pad was not configured\n");
            return 1;
        }
        bench.place(ink);
        for (int i = 0; i < runs; ++i) {
            if (!bench.run(ink, f, &text))
                ++failed;
        }
    }
    stopEngine();
    std::printf("\"%s\" written in %d strokes, %d runs (%d failed), last read \"%s\"\n",
                qPrintable(expression), int(ink.size()), runs, failed, qPrintable(text));
    print("pen-up of the last stroke to its reading", f.reading);
    print("GUI thread: pen-up", f.penUp);
    print("GUI thread: typesetting tick (glyphs)", f.typesetTick);
    print("GUI thread: solve tick (solve, layout, targets)", f.solveTick);
    print("GUI thread: last frame to final layout", f.finalLayout);
    return failed == runs ? 1 : 0;
}
