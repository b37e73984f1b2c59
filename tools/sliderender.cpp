// Renders the panel slid to a screen edge behind its slider tab to PNG files: the primary
// screen's work area with the tab fully slid and pulled half out, for the left and the right
// edge ("slid-left.png", "half-left.png", "slid-right.png", "half-right.png").
//   scrivel_sliderender [output folder]

#include "app/commandline.h"
#include "app/scrivelapp.h"
#include "recognition/enginebinding.h"
#include "skin/svguibutton.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool waitForState(ScrivelApp &app, int state)
{
    QDeadlineTimer deadline(3000);
    while (app.currentState() != state && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return app.currentState() == state;
}

bool save(SvgUIButton *tab, const QString &path)
{
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    QImage image(workArea.size(), QImage::Format_ARGB32);
    image.fill(QColor(120, 140, 160));
    QPainter painter(&image);
    QRegion outline = tab->mask().isEmpty() ? QRegion(tab->rect()) : tab->mask();
    const QPoint at = tab->pos() - workArea.topLeft();
    painter.setClipRegion(outline.translated(at));
    painter.drawPixmap(at, tab->grab());
    painter.end();
    const bool saved = image.save(path);
    std::printf("%s %s\n", qPrintable(path), saved ? "written" : "FAILED");
    return saved;
}

bool render(ScrivelApp &app, int hidingMode, const QString &side, const QDir &out)
{
    AppPreferences prefs = app.preferences();
    prefs.behaviour.hidingMode = hidingMode;
    prefs.windowedPosition = QPoint(100, 150);
    prefs.windowedSize = QSize(600, 250);
    app.setPreferences(prefs);
    // Stored as well: the panel reads the store when it is made.
    app.saveSettings();
    delete app.stateMachine();
    QStateMachine *machine = app.buildStateMachine(parseArguments({QStringLiteral("InkoraScrivel")}).options);
    app.setStateMachine(machine);
    machine->start();
    if (!waitForState(app, ScrivelApp::ShownWindowedState))
        return false;
    emit app.hideApplication();
    if (!waitForState(app, ScrivelApp::ShownFullySlidState))
        return false;
    SvgUIButton *tab = app.sliderButton();
    bool ok = save(tab, out.filePath(QStringLiteral("slid-%1.png").arg(side)));
    emit tab->sigEnter();
    ok = waitForState(app, ScrivelApp::ShownSemiSlidState) && ok;
    return save(tab, out.filePath(QStringLiteral("half-%1.png").arg(side))) && ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    ScrivelApp app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    ScrivelApp::BehaviourTimings timings;
    timings.slideLeg = 50;
    timings.slideBack = 60000;
    app.setBehaviourTimings(timings);
    if (!startEngine())
        return 1;
    bool ok = render(app, BehaviourSettings::SlideLeft, QStringLiteral("left"), out);
    ok = render(app, BehaviourSettings::SlideRight, QStringLiteral("right"), out) && ok;
    delete app.stateMachine();
    delete app.panelWindow();
    stopEngine();
    return ok ? 0 : 1;
}
