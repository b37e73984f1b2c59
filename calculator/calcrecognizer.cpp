#include "calculator/calcrecognizer.h"

#include "calculator/calcrecoeventhandler.h"
#include "recognition/enginebinding.h"

#include <QMutexLocker>

namespace {

RecognizerConfig calculatorConfig(RecognizerConfig config)
{
    config.parameter3 = 1;
    config.parameter4 = 5;
    config.setLanguageCode("cal");
    return config;
}

} // namespace

CalcRecognizer::CalcRecognizer(const RecognizerConfig &config, QObject *parent)
    : QThread(parent), RecognizerEngine(calculatorConfig(config)), m_config(calculatorConfig(config))
{
}

CalcRecognizer::~CalcRecognizer()
{
    {
        QMutexLocker lock(&m_stopMutex);
        m_stop = true;
        // A parse in progress would hold the join until every engine run returns.
        if (m_running)
            m_running->abortRecognition();
    }
    quit();
    wait();
}

bool CalcRecognizer::createEventHandler()
{
    m_handler = new CalcRecoEventHandler(engineBinding().engine, m_config);
    return m_handler->isConfigured();
}

void CalcRecognizer::run()
{
    const bool ok = createEventHandler();
    // Announced through this object's own thread, so that a recognizer deleted meanwhile
    // takes its announcement with it.
    QMetaObject::invokeMethod(
        this, [this, ok] { emit configured(ok); }, Qt::QueuedConnection);
    bool stop;
    {
        QMutexLocker lock(&m_stopMutex);
        stop = m_stop;
        if (!stop)
            m_running = m_handler;
    }
    if (!stop)
        exec();
    {
        QMutexLocker lock(&m_stopMutex);
        m_running = nullptr;
    }
    delete m_handler;
    m_handler = nullptr;
}
