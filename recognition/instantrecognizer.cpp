#include "recognition/instantrecognizer.h"

#include "recognition/enginebinding.h"
#include "recognition/instantrecoeventhandler.h"

InstantRecognizer::InstantRecognizer(const RecognizerConfig &config, QObject *parent)
    : ThreadedRecognizer(config, parent), m_config(config)
{
}

InstantRecognizer::~InstantRecognizer()
{
    stopThread();
}

bool InstantRecognizer::createHandler()
{
    auto *instant = new InstantRecoEventHandler(engineBinding().engine, m_config);
    setHandler(instant);
    return instant->isConfigured();
}
