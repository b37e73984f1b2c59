#include "app/commandline.h"
#include "app/runninginstance.h"
#include "app/scrivelapp.h"
#include "app/terminationsignals.h"
#include "lang/localenames.h"
#include "recognition/enginebinding.h"
#include "windows/winutils.h"

#include <QStateMachine>
#include <QTranslator>

int main(int argc, char **argv)
{
    auto *app = new ScrivelApp(argc, argv);
    const ParsedArguments arguments = parseArguments(QCoreApplication::arguments());
    QString instanceName = QStringLiteral("Inkora Scrivel");
    if (hasOption(arguments.options, LoginOption))
        instanceName += QStringLiteral(" Login Mode");
    const int handshake = connectToRunningInstance(instanceName, arguments, app);
    if (handshake != 0) {
        delete app;
        return handshake;
    }
    if (hasOption(arguments.options, QuitOption) || hasOption(arguments.options, TestOption)) {
        delete app;
        return 0;
    }

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
