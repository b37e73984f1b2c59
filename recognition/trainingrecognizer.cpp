#include "recognition/trainingrecognizer.h"

#include "recognition/enginebinding.h"
#include "recognition/trainingrecoeventhandler.h"

TrainingRecognizer::TrainingRecognizer(const RecognizerConfig &config, const QString &trainingName,
                                       QObject *parent)
    : ThreadedRecognizer(config, parent), m_config(config), m_trainingName(trainingName)
{
}

TrainingRecognizer::~TrainingRecognizer()
{
    stopThread();
}

bool TrainingRecognizer::createHandler()
{
    auto *training = new TrainingRecoEventHandler(engineBinding().engine, m_config, m_trainingName);
    setHandler(training);
    return training->isConfigured();
}
