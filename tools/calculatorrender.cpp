// Renders the calculator pad to PNG files: an expression written on the engine library,
// shown as ink, as glyphs over the ink, and solved and laid out; left to right and with the
// application laid out right to left.
// Usage: scrivel_calculatorrender <out-prefix>; writes <prefix>-<case>-<ltr|rtl>-<stage>.png
// for the cases "mixed" (a fraction, a power and a root) and "unknown" (a "?").

#include "calcink.h"
#include "calculator/calculatorupdater.h"
#include "calculator/calculatorwritepad.h"
#include "pad/padclock.h"
#include "pad/scrivelview.h"
#include "recognition/enginebinding.h"
#include "tests/fixedstampclock.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>

using namespace calcink;

namespace {

QList<Symbol> mixed()
{
    QList<Symbol> s = line("1", 20, -30, 100);
    s << mark('-', QRectF(0, -15, 120, 30)) << line("2", 20, 130, 100) << line("+", 230, 50, 100)
      << line("5", 420, 50, 100) << digit('2', 4, QRectF(515, -110, 40, 60))
      << line("+", 680, 50, 100) << mark(QChar(0x221A), QRectF(870, -70, 160, 130))
      << digit('9', 3, QRectF(950, -50, 70, 100)) << line("=", 1130, 50, 100);
    return s;
}

bool render(const QString &prefix, const QString &name, const QList<Symbol> &symbols,
            Qt::LayoutDirection direction)
{
    QApplication::setLayoutDirection(direction);
    const QString base = QStringLiteral("%1-%2-%3")
                             .arg(prefix, name, direction == Qt::RightToLeft ? "rtl" : "ltr");
    BehaviourSettings behaviour;
    behaviour.displayCalculatorSampleInk = false;
    CalculatorWritepad pad(behaviour, ItemStyle(), nullptr);
    pad.initialize();
    pad.resize(900, 300);
    pad.show();
    int status = 0;
    QObject::connect(&pad, &InputWidget::configStatus, [&](int s) { status = s; });
    LanguageEntry english;
    english.setLocale(QLocale("en_US"));
    english.setName("en_US");
    pad.setLanguage(english);
    if (!QTest::qWaitFor([&] { return status != 0; }, 20000) || status != 1)
        return false;
    // The pad's clock and the strokes' stamps stand still: each stage is reached by moving on.
    PadClock::freeze(QTime(10, 0));
    FixedStampClock stamps(QTime(10, 0).msecsSinceStartOfDay());
    CalculatorUpdater *controller = pad.calculatorUpdater();
    const QRectF visible = controller->visibleRect();
    QRectF extent;
    for (const Symbol &symbol : symbols) {
        for (const Stroke &s : symbol)
            extent = extent.united(s.boundingRect());
    }
    const double scale = 0.7 * visible.width() / extent.width();
    const QPointF at = visible.center() - extent.center() * scale;
    QWidget *vp = pad.view()->viewport();
    for (const Symbol &symbol : symbols) {
        for (const Stroke &s : symbol) {
            const QPainterPath path = s.path();
            QList<QPoint> pixels;
            for (int i = 0; i < path.elementCount(); ++i)
                pixels << pad.view()->mapFromScene(at + QPointF(path.elementAt(i)) * scale);
            QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, pixels.first());
            for (int i = 1; i + 1 < pixels.size(); ++i)
                QTest::mouseMove(vp, pixels.at(i));
            QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, pixels.last());
            if (!QTest::qWaitFor(
                    [&] {
                        return controller->state() == Updater::State::Idle
                               && controller->pendingStrokes().isEmpty();
                    },
                    10000))
                return false;
        }
    }
    pad.grab().save(base + "-ink.png");
    PadClock::advance(controller->typeSetTimer().remainingTime());
    pad.grab().save(base + "-typeset.png");
    QSignalSpy finished(controller, &CalculatorUpdater::localLayoutTimeLineFinished);
    PadClock::advance(qMax(0, controller->layoutTimer().remainingTime()));
    if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, 5000))
        return false;
    pad.grab().save(base + "-solved.png");
    std::printf("%s: %s\n", qPrintable(base),
                qPrintable(controller->model().root().selectedCandidate().label()));
    PadClock::thaw();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("calculator");
    if (!startEngine())
        return 1;
    bool ok = true;
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        ok = render(prefix, "mixed", mixed(), direction) && ok;
        ok = render(prefix, "unknown", line("2+?=5", 0, 0, 100), direction) && ok;
    }
    stopEngine();
    return ok ? 0 : 1;
}
