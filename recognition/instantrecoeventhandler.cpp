#include "recognition/instantrecoeventhandler.h"

#include "windows/winutils.h"

#include <QResource>

namespace {

const QString packageRoot = QStringLiteral("/data/languages/");

} // namespace

InstantRecoEventHandler::InstantRecoEventHandler(zkId engine, const RecognizerConfig &config)
    : ThreadedRecoEventHandler(engine, RecognizerEngine(config))
{
    bool ok = loadResources(config);
    const zkId lexicon = buildLexicon(config.lexicons);
    if (lexicon)
        ok &= attachResource(lexicon);
    setConfigured(isConfigured() && ok);
}

bool InstantRecoEventHandler::loadResources(const RecognizerConfig &config)
{
    const QString package = config.languageName.startsWith(QLatin1Char('_'))
                                ? config.resourcesBaseName
                                : config.languageName;
    const QString file = QStringLiteral("%1/1%2.rcc")
                             .arg(applicationPath(ResourcesFolder), package);
    bool ok = QResource::registerResource(file, packageRoot);
    for (const QString &resource : config.resources)
        ok &= addResource(resource);
    QResource::unregisterResource(file, packageRoot);
    return ok;
}
