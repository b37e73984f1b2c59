#pragma once

#include "recognition/threadedrecoeventhandler.h"

// A handler that loads the engine resources and lexicon of a configuration
// from the language's package before the first request.
class InstantRecoEventHandler : public ThreadedRecoEventHandler
{
    Q_OBJECT
public:
    InstantRecoEventHandler(zkId engine, const RecognizerConfig &config);

private:
    // True when the package and every resource of config loaded.
    bool loadResources(const RecognizerConfig &config);
};
