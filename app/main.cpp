#include "app/commandline.h"
#include "app/runninginstance.h"
#include "app/scrivelapp.h"
#include "app/terminationsignals.h"
#include "lang/localenames.h"
#include "recognition/enginebinding.h"
#include "windows/winutils.h"

#include <QStateMachine>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt ends the process when it finds no display to open; the program ends as a start-up
// failure instead, with the code of one and a message that says what is missing.
void noDisplayHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        previousHandler(type, context, message);
        return;
    }
    std::fputs("Inkora Scrivel cannot start: no display can be opened. Start it on a running "
               "X server (DISPLAY), or under xvfb-run.\n",
               stderr);
    releaseInstanceLock();
    std::_Exit(1);
}

ScrivelApp *createApplication(int &argc, char **argv)
{
    previousHandler = qInstallMessageHandler(noDisplayHandler);
    auto *app = new ScrivelApp(argc, argv);
    qInstallMessageHandler(previousHandler);
    return app;
}

} // namespace

int main(int argc, char **argv)
{
    ParsedArguments arguments;
    QString instanceName = QStringLiteral("Inkora Scrivel");
    {
        // The handshake needs no display: a second start, or a first one that only asks or
        // quits, ends here without one.
        QCoreApplication handshake(argc, argv);
        arguments = parseArguments(QCoreApplication::arguments());
        if (hasOption(arguments.options, LoginOption))
            instanceName += QStringLiteral(" Login Mode");
        const int code = connectToRunningInstance(instanceName, arguments);
        if (code != 0)
            return code;
        if (hasOption(arguments.options, QuitOption) || hasOption(arguments.options, TestOption))
            return 0;
    }
    auto *app = createApplication(argc, argv);
    startInstanceServer(instanceName, app);

    QCoreApplication::setOrganizationName(QStringLiteral("Tarvell"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tarvell.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Inkora Scrivel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.2.60.140 zk"));

    const QLocale interfaceLocale = uiLocale();
    const QString fileName = QStringLiteral("scrivel_") + normalizedLocaleName(interfaceLocale);
    auto *builtIn = new QTranslator;
    (void)builtIn->load(QStringLiteral(":/data/localisations/") + fileName);
    QCoreApplication::installTranslator(builtIn);
    auto *installed = new QTranslator;
    (void)installed->load(applicationPath(CommonDataFolder) + QStringLiteral("/localisations/")
                          + fileName);
    QCoreApplication::installTranslator(installed);
    QGuiApplication::setLayoutDirection(writingDirection(interfaceLocale) == WritingDirection::RightToLeft
                                            ? Qt::RightToLeft
                                            : Qt::LeftToRight);

    startEngine();
    QStateMachine *machine = app->buildStateMachine(arguments.options);
    app->setStateMachine(machine);
    app->carryOutSettingsOptions(arguments);
    machine->start();
    quitOnTerminationSignals(app);
    const int result = QCoreApplication::exec();

    delete app;
    stopEngine();
    delete installed;
    delete builtIn;
    return result;
}
