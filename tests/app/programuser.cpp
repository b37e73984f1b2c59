// Stands in for the user of a program that a test starts: loaded into the program with
// LD_PRELOAD, it waits until the panel is shown (with SCRIVEL_USER_HIDDEN set, until the
// program has run its event loop for a while, shown or not) and then runs the steps that
// SCRIVEL_USER_STEPS lists, separated by ";":
//   mode:<name>  triggers the panel's input mode action of that name, as its mode button does;
//   report       writes "user: checked <name>" for the checked input mode action;
//   direction    writes "user: direction ltr" or "user: direction rtl", the application's
//                layout direction;
//   actions      writes "user: action <text>" for each action of the panel;
//   geometry     writes "user: geometry <x> <y> <width> <height>" of the panel window;
//   tray         clicks the tray icon, which hides a shown panel;
//   exit         triggers the panel's Exit action.
// Each step writes a line starting with "user:" to standard error.

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

QWidget *panel(bool shown)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("MainFrame") && (window->isVisible() || !shown))
            return window;
    }
    return nullptr;
}

QList<QAction *> modeActions(QWidget *panel)
{
    QList<QAction *> actions;
    for (QAction *action : panel->findChildren<QAction *>()) {
        if (action->objectName().endsWith(QLatin1String("ModeButton")))
            actions.append(action);
    }
    return actions;
}

void say(const QString &text)
{
    std::fprintf(stderr, "user: %s\n", qPrintable(text));
    std::fflush(stderr);
}

void runStep(QWidget *panel, const QString &step)
{
    if (step.startsWith(QLatin1String("mode:"))) {
        const QString name = step.mid(5);
        for (QAction *action : modeActions(panel)) {
            if (action->objectName() == name) {
                action->trigger();
                say(QStringLiteral("mode ") + name);
                return;
            }
        }
        say(QStringLiteral("no mode ") + name);
    } else if (step == QLatin1String("report")) {
        for (QAction *action : modeActions(panel)) {
            if (action->isChecked())
                say(QStringLiteral("checked ") + action->objectName());
        }
    } else if (step == QLatin1String("direction")) {
        say(QGuiApplication::layoutDirection() == Qt::RightToLeft
                ? QStringLiteral("direction rtl")
                : QStringLiteral("direction ltr"));
    } else if (step == QLatin1String("actions")) {
        for (const QAction *action : panel->findChildren<QAction *>())
            say(QStringLiteral("action ") + action->text());
    } else if (step == QLatin1String("geometry")) {
        const QRect r = panel->geometry();
        say(QStringLiteral("geometry %1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(
            r.height()));
    } else if (step == QLatin1String("tray")) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), "trayIconTriggerActivation");
        say(QStringLiteral("tray"));
    } else if (step == QLatin1String("exit")) {
        for (QAction *action : panel->findChildren<QAction *>()) {
            if (action->text() == QLatin1String("Exit")) {
                say(QStringLiteral("exit"));
                action->trigger();
                return;
            }
        }
        say(QStringLiteral("no exit"));
    }
}

void startUser()
{
    const QStringList steps =
        qEnvironmentVariable("SCRIVEL_USER_STEPS").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (steps.isEmpty())
        return;
    const bool shown = !qEnvironmentVariableIsSet("SCRIVEL_USER_HIDDEN");
    auto *timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(shown ? 50 : 500);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, steps, shown] {
        QWidget *window = panel(shown);
        if (!window)
            return;
        timer->stop();
        for (const QString &step : steps)
            runStep(window, step);
    });
    timer->start();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startUser)
